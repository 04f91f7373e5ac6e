#include "skin/edit_box.h"

#include "skin/backdrop.h"
#include "skin/palette.h"
#include "skin/veil.h"
#include "skin/window_parts.h"

namespace {

using palette::kBlack;
using palette::kWhite;

EditRecord* RecordOf(HWND window) { return static_cast<EditRecord*>(FamilyRecordOf(window, Family::Edit)); }

bool HasScrollBar(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) != 0; }

void Install(int skinIndex, HWND edit) {
  if (FindInFamilyList(skinIndex, Family::Edit, edit)) return;
  auto owned = std::make_unique<EditRecord>();
  EditRecord& record = *owned;
  const int index = AddFamilyRecord(skinIndex, Family::Edit, std::move(owned));
  if (!index) return;
  SubclassControl(edit, record, skinIndex, index, EditWndProc);
  SetTextColourOf(edit, 0);
}

}  // namespace

void InstallEditAndComboBoxes(int skinIndex, HWND parent) {
  if (!EngineRunning() || !Engine().tintSwitch) return;
  for (HWND edit = FindWindowExW(parent, nullptr, L"Edit", nullptr); edit;
       edit = FindWindowExW(parent, edit, L"Edit", nullptr)) {
    Install(skinIndex, edit);
  }
  if (!Engine().veilAlphaGiven) return;
  for (HWND combo = FindWindowExW(parent, nullptr, L"ComboBox", nullptr); combo;
       combo = FindWindowExW(parent, combo, L"ComboBox", nullptr)) {
    if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr)) Install(skinIndex, edit);
  }
}

void PaintEditFrame(HWND window, bool focused, bool hot) {
  EditRecord* record = RecordOf(window);
  if (!record) return;
  const RingState state = hot ? RingState::Hot : focused ? RingState::Focused : RingState::Plain;
  record->frame.Paint(window, state, ClientAndBarsInWindow(window), RingLook{TintingOn(), 180, 80});
}

void PaintControlBackground(HWND window, HDC dc, bool intoDc) {
  const RECT r = ClientRectInWindow(window);
  if (r.right <= r.left || r.bottom <= r.top) return;
  if (intoDc) {
    CopyVeiledBackdrop(window, r, dc, 0, 0);
  } else {
    WholeWindowDc windowDc(window);
    if (windowDc.Get()) CopyVeiledBackdrop(window, r, windowDc.Get(), r.left, r.top);
  }
}

LRESULT CALLBACK EditWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  EditRecord* record = RecordOf(window);
  if (!record) return CallPrevious(window, message, wParam, lParam);
  SkinWindow& skin = *SkinWindowAt(SkinIndexOf(window));
  const WNDPROC previous = record->previous;
  const bool tinting = TintingOn();
  switch (message) {
    case WM_DESTROY:
      // The brush and bitmap handed out for the box go now, once; the skin window's record
      // then holds nothing of it to free again at its release.
      skin.brushes.erase(window);
      RemovePropA(window, kPropBrush);
      RemovePropA(window, kPropBrushBitmap);
      break;
    case WM_MOVE:
      if (tinting) InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_SETFOCUS: {
      record->focused = true;
      const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
      if (EditRecord* again = RecordOf(window)) PaintEditFrame(window, true, again->hover.Inside());
      return result;
    }
    case WM_KILLFOCUS:
      record->focused = false;
      if (!IsClass(GetParent(window), "combobox")) {
        InvalidateRect(window, nullptr, TRUE);
      } else {
        PaintEditFrame(window, false, false);
      }
      break;
    case WM_PAINT:
      PaintEditFrame(window, record->focused, record->hover.Inside());
      break;
    case WM_ERASEBKGND:
      if (tinting) {
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        PaintControlBackground(window, reinterpret_cast<HDC>(wParam), true);
        return 1;
      }
      break;
    case WM_NCPAINT: {
      PaintEditFrame(window, record->focused, record->hover.Inside());
      // The system paints the scroll bars only; the border is ours.
      HRGN bars = HasScrollBar(window) ? ScrollBarRegion(window) : nullptr;
      if (!bars) return 0;
      const LRESULT result = DefWindowProcW(window, WM_NCPAINT, reinterpret_cast<WPARAM>(bars), lParam);
      DeleteObject(bars);
      return result;
    }
    case WM_KEYDOWN:
      if (tinting && !HasScrollBar(window)) InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (tinting) InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_MOUSEMOVE: {
      if (record->hover.Enter(window)) PaintEditFrame(window, record->focused, true);
      if (record->mouseDown && !HasScrollBar(window)) InvalidateRect(window, nullptr, TRUE);
      break;
    }
    case WM_LBUTTONDOWN:
      record->mouseDown = true;
      if (tinting && !HasScrollBar(window)) InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_LBUTTONUP:
      record->mouseDown = false;
      break;
    case WM_MOUSELEAVE:
      if (record->hover.Leave(window)) PaintEditFrame(window, record->focused, false);
      break;
    case WM_NCDESTROY:
      record->hover.Forget(window);
      ReleaseControl(window, *record);  // its brush and colour go with it
      return CallWindowProcW(previous, window, message, wParam, lParam);
    default:
      break;
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}
