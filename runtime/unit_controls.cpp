// The child windows of the units and the small subclasses that give them their behaviour:
// pictures and shape boxes paint themselves, labels are transparent, and a shape box passes
// its children's notifications on to the window that handles them.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>

#include "runtime/fonts.h"
#include "runtime/gbk_text.h"
#include "runtime/picture_box.h"
#include "runtime/window_record.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x56524431;  // one id for every subclass of this file
constexpr int kFirstUnitId = 100;             // clear of IDOK/IDCANCEL
constexpr UINT_PTR kFirstTimerId = 1000;

const COLORREF kWhite = RGB(255, 255, 255);

void PaintShapeBox(HWND box, const UnitRecord& unit) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(box, &ps);
  RECT rc;
  GetClientRect(box, &rc);
  FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  // A one-pixel outline just inside the edge.
  UniqueBrush frame(CreateSolidBrush(unit.design->frameColor));
  FrameRect(dc, &rc, frame.get());
  EndPaint(box, &ps);
}

LRESULT CALLBACK UnitSubclass(HWND unit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR data) {
  auto* record = reinterpret_cast<UnitRecord*>(data);
  const UnitKind kind = record->design->kind;
  switch (message) {
    case WM_LBUTTONDOWN:
      if (record->design->onEvent && kind != UnitKind::Button && kind != UnitKind::Edit &&
          kind != UnitKind::ListView) {
        FireUnitEvent(unit, record->design->onEvent);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      if (kind == UnitKind::Picture || kind == UnitKind::ShapeBox) return 1;  // painted whole
      break;
    case WM_PAINT:
      if (kind == UnitKind::Picture) {
        PaintPictureBox(unit, record->picture);
        return 0;
      }
      if (kind == UnitKind::ShapeBox) {
        PaintShapeBox(unit, *record);
        return 0;
      }
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CLOSE:
      // A shape box holds units; the window handles their messages (and a multi-line edit's
      // Esc, which it reports to its parent as WM_CLOSE, closes the window, not the box).
      if (kind == UnitKind::ShapeBox) return SendMessageW(GetAncestor(unit, GA_ROOT), message, wParam, lParam);
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(unit, UnitSubclass, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(unit, message, wParam, lParam);
}

struct ClassAndStyle {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle ClassFor(const UnitSpec& design) {
  const DWORD child = WS_CHILD | WS_VISIBLE;
  switch (design.kind) {
    case UnitKind::Label:
      return {L"Static", child | SS_LEFT | SS_NOPREFIX | (design.onEvent ? SS_NOTIFY : 0u), 0};
    case UnitKind::Edit:
      // A multi-line box wraps its lines; a single-line box scrolls sideways.
      return {L"Edit", child | WS_TABSTOP | ES_LEFT | ((design.style & ES_MULTILINE) ? 0u : ES_AUTOHSCROLL),
              WS_EX_CLIENTEDGE};
    case UnitKind::Picture:
      return {L"Static", child | SS_NOTIFY, 0};
    case UnitKind::Button:
      return {L"Button", child | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case UnitKind::ListView:
      return {WC_LISTVIEWW, child | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case UnitKind::ShapeBox:
      return {L"Static", child | SS_NOTIFY | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
    case UnitKind::Timer:
      break;
  }
  return {nullptr, 0, 0};
}

void SetUpListView(HWND list, const UnitSpec& design) {
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, design.listExStyle, design.listExStyle);
  SendMessageW(list, LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0));
  SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, kWhite);
  SendMessageW(list, LVM_SETBKCOLOR, 0, kWhite);
  int index = 0;
  for (const ColumnSpec& column : design.columns) {
    std::wstring title = GbkToWide(column.title);
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    lvc.pszText = title.data();
    lvc.cx = column.width;
    lvc.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&lvc));
    ++index;
  }
}

HWND ParentOf(WindowRecord& record, const UnitSpec& design) {
  if (!design.parent) return record.window;
  for (auto& unit : record.units) {
    if (unit->design->kind == UnitKind::ShapeBox && std::string(unit->design->name) == design.parent)
      return unit->window;
  }
  return record.window;
}

void CreateUnit(WindowRecord& record, const UnitSpec& design, int id) {
  auto unit = std::make_unique<UnitRecord>();
  unit->design = &design;
  if (design.kind == UnitKind::Timer) {
    unit->timerId = kFirstTimerId + static_cast<UINT_PTR>(id);
    SetTimer(record.window, unit->timerId, design.timerPeriod, nullptr);
    record.units.push_back(std::move(unit));
    return;
  }
  const ClassAndStyle cs = ClassFor(design);
  const std::wstring text = design.text ? GbkToWide(design.text) : std::wstring();
  HWND window = CreateWindowExW(cs.exStyle | design.exStyle, cs.className, text.c_str(),
                                cs.style | design.style, design.left, design.top, design.width, design.height,
                                ParentOf(record, design), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
  unit->window = window;
  if (!window) {
    record.units.push_back(std::move(unit));
    return;
  }
  unit->font = CreateUnitFont(design.font);
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(unit->font.get()), FALSE);
  if (design.kind == UnitKind::Edit) SendMessageW(window, EM_SETLIMITTEXT, 0, 0);  // no limit
  if (design.kind == UnitKind::ListView) SetUpListView(window, design);
  if (design.kind == UnitKind::Picture && design.pictureResource) {
    unit->picture = DecodePictureResource(design.pictureResource);
  }
  SetWindowSubclass(window, UnitSubclass, kSubclassId, reinterpret_cast<DWORD_PTR>(unit.get()));
  record.units.push_back(std::move(unit));
}

}  // namespace

void CreateUnits(WindowRecord& record) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  const auto& designs = record.design->units;
  record.units.reserve(designs.size());
  // Containers first, so that the units they hold have their parent.
  for (size_t i = 0; i < designs.size(); ++i) {
    if (designs[i].kind == UnitKind::ShapeBox) CreateUnit(record, designs[i], kFirstUnitId + static_cast<int>(i));
  }
  for (size_t i = 0; i < designs.size(); ++i) {
    if (designs[i].kind != UnitKind::ShapeBox) CreateUnit(record, designs[i], kFirstUnitId + static_cast<int>(i));
  }
  // Containers are created first but must not cover their siblings' clicks.
  for (auto& unit : record.units) {
    if (unit->design->kind == UnitKind::ShapeBox && unit->window)
      SetWindowPos(unit->window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

bool ColorUnit(UINT message, HDC dc, HWND unitWindow, LRESULT& result) {
  UnitRecord* unit = RecordOfUnit(unitWindow);
  if (!unit) return false;
  if (unit->design->kind == UnitKind::Label) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, unit->design->textColor);
    result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    return true;
  }
  if (unit->design->kind == UnitKind::Edit) {
    // Edit boxes are white with black text, read-only ones too (they ask as static).
    (void)message;
    SetBkColor(dc, kWhite);
    SetTextColor(dc, RGB(0, 0, 0));
    result = reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    return true;
  }
  return false;
}

bool AnswerListDisplayInfo(const NMHDR* header) {
  if (header->code != LVN_GETDISPINFOW) return false;
  auto* info = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header));
  UnitRecord* unit = RecordOfUnit(header->hwndFrom);
  if (!unit) return false;
  if (!(info->item.mask & LVIF_TEXT) || !info->item.pszText || info->item.cchTextMax <= 0) return true;
  std::wstring_view text;
  if (info->item.iItem >= 0 && static_cast<size_t>(info->item.iItem) < unit->rows.size()) {
    const auto& cells = unit->rows[static_cast<size_t>(info->item.iItem)];
    if (info->item.iSubItem >= 0 && static_cast<size_t>(info->item.iSubItem) < cells.size())
      text = cells[static_cast<size_t>(info->item.iSubItem)];
  }
  // Cut to the caller's buffer, always terminated, as the list view's own items are.
  const size_t n = std::min(text.size(), static_cast<size_t>(info->item.cchTextMax) - 1);
  if (n) wmemcpy(info->item.pszText, text.data(), n);
  info->item.pszText[n] = L'\0';
  return true;
}
