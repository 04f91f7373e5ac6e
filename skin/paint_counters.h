#pragma once
// Counts of the calls that make a paint costly under Wine (server requests, bitmaps made,
// GDI+ calls). Plain increments, always compiled in: the benchmarks print them beside their
// times because, unlike times, they do not depend on the machine.
#include "gdiplus/flat_api.h"

struct PaintCounters {
  long long gdiplusCalls = 0;
  long long dibSections = 0;      // bitmaps made for surfaces and backdrops
  long long propertyLookups = 0;  // GetProp of the engine's window properties
  long long classLookups = 0;     // class names asked of the window server
  long long keyedCopies = 0;      // colour-keyed copies (TransparentBlt)
  long long composes = 0;         // whole-window pictures composed into a back buffer
  long long veiledBuffers = 0;    // veiled copies of a back buffer made
  PaintCounters operator-(const PaintCounters& o) const {
    return {gdiplusCalls - o.gdiplusCalls, dibSections - o.dibSections, propertyLookups - o.propertyLookups,
            classLookups - o.classLookups,  keyedCopies - o.keyedCopies, composes - o.composes,
            veiledBuffers - o.veiledBuffers};
  }
  PaintCounters operator+(const PaintCounters& o) const {
    return {gdiplusCalls + o.gdiplusCalls, dibSections + o.dibSections, propertyLookups + o.propertyLookups,
            classLookups + o.classLookups,  keyedCopies + o.keyedCopies, composes + o.composes,
            veiledBuffers + o.veiledBuffers};
  }
};

// The engine's own counts; gdiplusCalls is filled in when read.
PaintCounters& EngineCounters();
inline PaintCounters ReadPaintCounters() {
  PaintCounters now = EngineCounters();
  now.gdiplusCalls = gdip_flat::g_callCount;
  return now;
}
