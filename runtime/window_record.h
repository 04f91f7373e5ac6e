#pragma once
// What the runtime keeps about a loaded window and each of its units. Internal to runtime/.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "runtime/handles.h"
#include "pictures/picture_decode.h"
#include "runtime/window_template.h"

// Rows of an owner-data list view, one UTF-16 text a cell, handed to the list view as they
// are whenever it asks for a cell it shows.
using ListRows = std::vector<std::vector<std::wstring>>;

struct UnitRecord {
  const UnitSpec* design = nullptr;
  HWND window = nullptr;     // the unit's own window (nullptr for a timer)
  UINT_PTR timerId = 0;
  UniqueFont font;
  DecodedPicture picture;    // Picture units
  ListRows rows;             // owner-data ListView units
  int activatedRow = -1;     // ListView units: the row the latest double-click named, -1 for none
};

struct WindowRecord {
  const WindowSpec* design = nullptr;
  HWND window = nullptr;
  HWND modalOwner = nullptr;  // re-enabled when a modal window closes
  bool quitOnDestroy = false;
  bool ready = false;         // events fire only once every unit exists
  std::vector<std::unique_ptr<UnitRecord>> units;
  UniqueIcon bigIcon, smallIcon;
};

// The record of a runtime window, or nullptr for any other window.
WindowRecord* RecordOfWindow(HWND window);
// The record of a unit's window, or nullptr.
UnitRecord* RecordOfUnit(HWND unit);

// Runs a unit's event routine with the unit's window as the event window.
void FireUnitEvent(HWND unit, EventRoutine routine);

// Creates the child windows of every unit of the record's template.
void CreateUnits(WindowRecord& record);
// Answers an owner-data list's LVN_GETDISPINFOW from the rows its unit keeps; false for
// any other notification.
bool AnswerListDisplayInfo(const NMHDR* header);
// Handles the WM_CTLCOLOR* messages of units: transparent labels, white edit boxes.
bool ColorUnit(UINT message, HDC dc, HWND unit, LRESULT& result);
