#pragma once
// Window templates: a window and its units as data. A template names each unit, gives its
// kind, place, text, font and the routine bound to its event; loading one makes real child
// windows of the standard classes ("Edit", "Button", "Static", "SysListView32").
#include <windows.h>

#include <vector>

using EventRoutine = void (*)();

enum class UnitKind {
  Label,     // transparent "Static" drawn over its parent's background
  Edit,      // "Edit"
  Picture,   // "Static" showing a decoded picture, scaled to fit
  Button,    // "Button" push button
  ListView,  // "SysListView32" in report mode
  Timer,     // no window: a timer of the owning window
  ShapeBox,  // "Static" rectangle with a one-pixel inside frame; may hold other units
};

enum class Pitch { Default, FixedModern, VariableSwiss };

struct FontSpec {
  const char* face = nullptr;  // GBK; nullptr: the system's default GUI font
  int height = 0;              // character height in pixels
  Pitch pitch = Pitch::Default;
};

struct ColumnSpec {
  const char* title;  // GBK
  int width;
};

struct UnitSpec {
  const char* name;  // GBK, unique in its window
  UnitKind kind;
  const char* parent = nullptr;  // name of a ShapeBox unit, nullptr: the window itself
  int left = 0, top = 0, width = 0, height = 0;
  const char* text = nullptr;  // GBK initial text
  FontSpec font{};
  DWORD style = 0;    // added to the kind's own styles
  DWORD exStyle = 0;  // extended window style
  COLORREF textColor = RGB(0, 0, 0);
  std::vector<ColumnSpec> columns{};  // ListView
  DWORD listExStyle = 0;              // ListView extended styles
  UINT timerPeriod = 0;               // Timer, milliseconds
  const char* pictureResource = nullptr;  // Picture: RCDATA resource name of the initial picture
  COLORREF frameColor = RGB(0, 0, 0);     // ShapeBox outline
  EventRoutine onEvent = nullptr;  // click, left button down, double-click or tick by kind
};

struct WindowSpec {
  const char* caption = nullptr;  // GBK; nullptr: none
  int width = 0, height = 0;
  bool withIcon = false;          // the application icon "DEFAULT_ICON"
  std::vector<UnitSpec> units;
  EventRoutine onReady = nullptr;    // after the window and its units exist, before it first shows
  EventRoutine onCreated = nullptr;  // after the window and its units exist and show
  EventRoutine onSized = nullptr;    // each change of size
};
