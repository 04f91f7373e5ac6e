#pragma once
// The Windows and GDI+ declarations every drawing-object header needs, in the order
// MinGW's <gdiplus.h> expects them (IStream comes from <objidl.h>, which the lean
// <windows.h> leaves out).
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

// Short alias for the GDI+ types used in the wrapper signatures.
namespace gp = Gdiplus;
