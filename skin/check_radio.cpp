#include "skin/check_radio.h"

#include "gdiplus/brush_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/path_object.h"
#include "skin/control_paint.h"
#include "skin/button_kinds.h"
#include "skin/painters.h"
#include "skin/palette.h"
#include "skin/text_painters.h"

namespace {

using palette::kBlack;
using palette::kWhite;
using palette::kGlow;


CheckRadioRecord* RecordOf(HWND window) {
  return static_cast<CheckRadioRecord*>(FamilyRecordOf(window, Family::CheckRadio));
}

// The check box's mark: the empty box, its tick when checked, the accent when hot.
void DrawCheckMark(GraphicsObject& g, float x, float top, UINT state, bool checked) {
  if (state & ODS_DISABLED) return;
  if (ImageObject* empty = NamedGlyph(L"CHECK_EMPTY")) g.DrawImageRect(*empty, x, top, 13, 13);
  if (checked) {
    if (ImageObject* tick = NamedGlyph(L"CHECK_CHECKED")) g.DrawImageRect(*tick, x, top, 13, 13);
  }
  if (state & ODS_HOTLIGHT) {
    PathObject box;
    box.CreatePath();
    box.AddPathRectangle(x, top, 13, 13);
    FillGradient(g, {x + 3, top + 1}, {x + 11, top + 12}, ToArgb(Engine().accentColour, 100), ToArgb(kBlack, 0), &box);
    GlowPath(g, box, 2, kGlow, 30);
  }
}

// The radio button's mark: a white disc in a dark ring, a teal dot when checked.
void DrawRadioMark(GraphicsObject& g, float x, float top, UINT state, bool checked) {
  if (state & ODS_DISABLED) return;
  const float cx = x + 2, cy = top;  // the 12-pixel circle's box
  PathObject outer;
  outer.CreatePath();
  outer.AddPathEllipse(cx, cy, 12, 12);
  if (state & ODS_HOTLIGHT) {
    FillSolid(g, outer, ToArgb(Engine().accentColour, 100));
    GlowPath(g, outer, 2, kGlow, 40);
  }
  SolidBrushObject white;
  if (white.CreateSolidFill(ToArgb(kWhite))) g.FillEllipse(white, cx + 1.5f, cy + 1.5f, 9, 9);
  StrokePath(g, outer, ToArgb(kBlack, 200));
  if (!checked) return;
  PathObject dot;
  dot.CreatePath();
  dot.AddPathEllipse(cx + 3, cy + 3, 6, 6);
  PathBrushObject fill;
  if (fill.CreatePathGradientFromPath(dot)) {
    gp::ARGB surround = ToArgb(palette::kRadioDotRim);
    int count = 1;
    fill.SetPathGradientCenterColor(ToArgb(kWhite));
    fill.SetPathGradientSurroundColorsWithCount(&surround, count, &count);
    g.FillPath(fill, dot);
  }
}

// Paints now through the window's DC: the button's own procedure draws outside WM_PAINT.
void PaintNow(HWND window, UINT state) {
  WindowDc dc(window);
  PaintCheckOrRadio(window, dc.Get(), state);
}

}  // namespace

void InstallCheckAndRadioButtons(int skinIndex, HWND parent) {
  if (!EngineRunning() || !Engine().tintSwitch) return;
  for (HWND child = FindWindowExW(parent, nullptr, L"Button", nullptr); child;
       child = FindWindowExW(parent, child, L"Button", nullptr)) {
    const LONG kind = ButtonKind(GetWindowLongPtrW(child, GWL_STYLE));
    if (!IsCheckBoxKind(kind) && !IsAutoRadioKind(kind)) continue;
    if (FindInFamilyList(skinIndex, Family::CheckRadio, child)) continue;
    auto owned = std::make_unique<CheckRadioRecord>();
    CheckRadioRecord& record = *owned;
    record.variant = IsCheckBoxKind(kind) ? CheckRadioRecord::CheckBox : CheckRadioRecord::Radio;
    record.parent = parent;
    record.focused = GetFocus() == child;
    record.font = ReadControlFont(child);
    if (record.font.face.empty()) record.font.face = "宋体";
    if (record.font.size == 0) record.font.size = 12;
    const int index = AddFamilyRecord(skinIndex, Family::CheckRadio, std::move(owned));
    if (index) SubclassControl(child, record, skinIndex, index, CheckRadioWndProc);
  }
}

LRESULT CALLBACK CheckRadioWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CheckRadioRecord* record = RecordOf(window);
  if (!record) return CallPrevious(window, message, wParam, lParam);
  const WNDPROC previous = record->previous;
  // The button's own procedure draws itself outside WM_PAINT when its state changes; the
  // skinned picture is laid over it right after.
  auto passAndRepaint = [&](UINT state) {
    const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
    if (RecordOf(window)) PaintNow(window, state);
    return result;
  };
  switch (message) {
    case WM_NCDESTROY:
      record->hover.Forget(window);
      ReleaseControl(window, *record);
      return CallWindowProcW(previous, window, message, wParam, lParam);
    case WM_MOVE:
      InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_SETFOCUS:
      record->focused = true;
      return passAndRepaint(0);
    case WM_KILLFOCUS:
      record->focused = false;
      return passAndRepaint(0);
    case WM_PAINT:
    case WM_PRINTCLIENT:
      // Client and window coincide: the button has no frame of its own (WM_NCPAINT below).
      ServePaint(window, message, wParam, [](HWND w, HDC dc, DcOrigin) { PaintCheckOrRadio(w, dc, 0); });
      return 0;
    case WM_ERASEBKGND:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return 1;
    case WM_NCPAINT:
      return 1;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (wParam != VK_SPACE) break;
      return passAndRepaint(record->variant == CheckRadioRecord::Radio ? ODS_SELECTED : 0);
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_LBUTTONDOWN:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
      return passAndRepaint(record->variant == CheckRadioRecord::Radio ? ODS_SELECTED : 0);
    case WM_LBUTTONUP:
      record->hover.Forget(window);  // painted plain now; the next move lights it again
      return passAndRepaint(0);
    case WM_LBUTTONDBLCLK:
      return 0;  // a double click is not a second click
    case WM_MOUSEMOVE:
      if (record->hover.Enter(window)) PaintNow(window, ODS_HOTLIGHT);
      break;
    case WM_MOUSELEAVE:
      if (record->hover.Leave(window)) PaintNow(window, record->focused ? ODS_FOCUS : 0);
      break;
    default:
      break;
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

void PaintCheckOrRadio(HWND window, HDC dc, UINT state) {
  CheckRadioRecord* record = RecordOf(window);
  if (!record || !dc) return;
  RECT client{};
  GetClientRect(window, &client);
  const int w = client.right, h = client.bottom;
  if (w <= 0 || h <= 0) return;
  if (!IsWindowEnabled(window)) state |= ODS_DISABLED;
  if (record->hover.Inside()) state |= ODS_HOTLIGHT;  // any repaint keeps the hover look
  state &= ODS_DISABLED | ODS_HOTLIGHT;  // what the picture shows of the state
  const bool checked = SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
  const std::string text = ControlTextGbk(window);
  const COLORREF ink = TextColourOf(window);
  const std::size_t look = LookHash()
                               .Add(text)
                               .Add(static_cast<int>(ink))
                               .Add(static_cast<int>(Engine().accentColour))
                               .Add(record->variant)
                               .Value();
  const int pictureState = static_cast<int>(state) | (checked ? 1 << 16 : 0);
  const Surface* face = FaceOf(window, record->behind, record->faces, pictureState, look, w, h, [&](GraphicsObject& g) {
    g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
    const float x = 0, markTop = static_cast<float>((h - 13) / 2);
    if (state & ODS_DISABLED) {
      PathObject rounded;
      MakeRoundedPath(rounded, 0, 0, static_cast<float>(w - 1), static_cast<float>(h - 1), 5);
      PaintDisabledFace(g, rounded, 0, 0, static_cast<float>(w), static_cast<float>(h));
    }
    if (record->variant == CheckRadioRecord::Radio) {
      DrawRadioMark(g, x, markTop, state, checked);
    } else {
      DrawCheckMark(g, x, markTop, state, checked);
    }
    DrawControlText(g, text, record->font.face, record->font.size, record->font.style, ToArgb(ink),
                    gp::RectF(x + 17, 2, static_cast<float>(w - 19), static_cast<float>(h - 2)), 0, 1);
  });
  if (face) BitBlt(dc, 0, 0, w, h, face->Dc(), 0, 0, SRCCOPY);
}
