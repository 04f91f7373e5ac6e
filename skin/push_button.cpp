#include "skin/push_button.h"

#include <functional>

#include "gdiplus/brush_objects.h"
#include "gdiplus/font_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/path_object.h"
#include "gdiplus/string_format_object.h"
#include "runtime/gbk_text.h"
#include "skin/backdrop.h"
#include "skin/button_kinds.h"
#include "skin/painters.h"
#include "skin/palette.h"
#include "skin/text_painters.h"

namespace {

using palette::kBlack;
using palette::kGlow;
using palette::kWhite;

ButtonRecord* RecordOf(HWND window) {
  return static_cast<ButtonRecord*>(FamilyRecordOf(window, Family::PushButton));
}

}  // namespace

bool IsSkinnablePushButton(LONG style) {
  return IsGlassButtonKind(ButtonKind(style));
}

void InstallPushButtons(int skinIndex, HWND parent) {
  if (!EngineRunning() || !Engine().tintSwitch) return;
  for (HWND child = FindWindowExW(parent, nullptr, L"Button", nullptr); child;
       child = FindWindowExW(parent, child, L"Button", nullptr)) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (!IsSkinnablePushButton(style) || FindInFamilyList(skinIndex, Family::PushButton, child)) continue;
    auto owned = std::make_unique<ButtonRecord>();
    ButtonRecord& record = *owned;
    record.text = ControlTextGbk(child);
    record.parent = parent;
    const ControlFont font = ReadControlFont(child);
    record.face = font.face.empty() ? std::string("宋体") : font.face;
    record.size = font.size ? font.size : 12;
    record.style = font.style;
    const int index = AddFamilyRecord(skinIndex, Family::PushButton, std::move(owned));
    if (!index) return;
    SubclassControl(child, record, skinIndex, index, ButtonWndProc);
    SetWindowLongW(child, GWL_STYLE, static_cast<LONG>(OwnerDrawnStyle(style)));
  }
}

LRESULT CALLBACK ButtonWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ButtonRecord* record = RecordOf(window);
  if (!record) return CallPrevious(window, message, wParam, lParam);
  switch (message) {
    case WM_MOVE:
      InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_SETFOCUS:
      record->focused = true;
      break;
    case WM_KILLFOCUS:
      record->focused = false;
      break;
    case WM_SETTEXT:
      record->text = lParam ? WideToGbk(reinterpret_cast<const wchar_t*>(lParam)) : std::string();
      break;
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      return static_cast<LRESULT>(SetTextColor(dc, TextColourOf(window)));
    }
    case WM_NCPAINT:
      return 1;
    case WM_MOUSEMOVE:
      if (record->hover.Enter(window)) PaintButtonNow(window, 0, true);
      break;
    case WM_LBUTTONUP:
      // The system repaints the released button plain; the next move lights it again.
      record->hover.Forget(window);
      break;
    case WM_LBUTTONDBLCLK:
      return 0;  // the second click of a double click does not act again
    case WM_MOUSELEAVE:
      if (record->hover.Leave(window)) PaintButtonNow(window, record->focused ? ODS_FOCUS : 0, false);
      break;
    case WM_NCDESTROY: {
      record->hover.Forget(window);
      const WNDPROC previous = record->previous;
      ReleaseControl(window, *record);
      return CallWindowProcW(previous, window, message, wParam, lParam);
    }
    default:
      break;
  }
  return CallWindowProcW(record->previous, window, message, wParam, lParam);
}

void PaintOwnerDrawnButton(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_BUTTON) return;
  ButtonRecord* record = RecordOf(item.hwndItem);
  if (!record || record->variant != 0) return;
  UINT state = item.itemState;
  // A repaint by the system (press, focus) while the mouse is over the button keeps its hover.
  if (record->hover.Inside()) state |= ODS_HOTLIGHT;
  PaintPushButton(item.hwndItem, item.hDC, state, item.rcItem);
}

void PaintButtonNow(HWND window, UINT state, bool hot) {
  if (!RecordOf(window)) return;
  if (hot) state |= ODS_HOTLIGHT;
  if (SendMessageW(window, BM_GETSTATE, 0, 0) & BST_PUSHED) state |= ODS_SELECTED;
  if (!IsWindowEnabled(window)) state |= ODS_DISABLED;
  if (GetFocus() == window) state |= ODS_FOCUS;
  RECT rect{};
  GetClientRect(window, &rect);
  WindowDc dc(window);
  if (dc.Get()) PaintPushButton(window, dc.Get(), state, rect);
}

void PaintPushButton(HWND window, HDC dc, UINT state, const RECT& rect) {
  ButtonRecord* record = RecordOf(window);
  if (!record) return;
  const int wi = rect.right - rect.left, hi = rect.bottom - rect.top;
  if (wi <= 0 || hi <= 0) return;
  // A face already painted for this state, backdrop and look is copied as it is.
  const BackdropKey key = BackdropKeyOf(window, rect, false);
  const COLORREF textColour = TextColourOf(window);
  const std::size_t look = std::hash<std::string>{}(record->text) ^ (static_cast<std::size_t>(textColour) << 1) ^
                           (static_cast<std::size_t>(Engine().accentColour) << 3);
  if (const Surface* done = record->faces.Find(static_cast<int>(state), key, look)) {
    BitBlt(dc, 0, 0, wi, hi, done->Dc(), 0, 0, SRCCOPY);
    return;
  }
  Surface* face = key.skinIndex ? record->faces.Store(static_cast<int>(state), key, look, wi, hi) : nullptr;
  ScopedBackdrop backdrop(window, rect);
  if (!face || !backdrop.Get()) return;
  BitBlt(face->Dc(), 0, 0, wi, hi, backdrop.Get(), 0, 0, SRCCOPY);
  const float x = static_cast<float>(rect.left), y = static_cast<float>(rect.top);
  const float w = static_cast<float>(wi), h = static_cast<float>(hi);
  const COLORREF accent = Engine().accentColour;
  {
    PixelGraphics gOwner(*face);
    if (!gOwner.Ok()) return;
    GraphicsObject& g = gOwner.Get();
    g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
    PathObject round;
    MakeRoundedPath(round, x, y, w - 1, h - 1, 5);
    FillSolid(g, round, ToArgb(kWhite, 120));
    if (state & ODS_DISABLED) {
      PaintDisabledFace(g, round, x, y, w, h);
    } else {
      FillGradient(g, {x, y}, {x, y + h - 1}, ToArgb(kWhite, 0), ToArgb(palette::kFaceShade, 60), &round);
      PathObject gloss;
      gloss.CreatePath();
      AddTopRoundedPath(gloss, x, y, w - 1, h / 2, 5);
      FillGradient(g, {x, y}, {x, y + h / 2}, ToArgb(kWhite, 50), ToArgb(kWhite, 10), &gloss);
      if (state & ODS_HOTLIGHT) {
        FillGradient(g, {x, y}, {x, y + h - 1}, ToArgb(accent, 60), ToArgb(accent, 10), &round);
        StrokePath(g, round, ToArgb(accent, 255));
      } else if (state & ODS_FOCUS) {
        GlowPath(g, round, 3, kGlow, 120);
        StrokePath(g, round, ToArgb(kBlack, 70));
      } else {
        StrokePath(g, round, ToArgb(kBlack, 120));
      }
      if (state & ODS_SELECTED) {
        PathObject pressed;
        MakeRoundedPath(pressed, x + 2, y + 2, w - 3, h - 3, 5);
        FillGradient(g, {2, 2}, {2, h - 2}, ToArgb(accent, 60), ToArgb(kWhite, 100), &pressed);
      }
    }
    if (!record->font) {
      record->font = std::make_unique<FontObject>();
      MakeFont(*record->font, record->face, static_cast<float>(record->size), record->style);
    }
    const FontObject& font = *record->font;
    SolidBrushObject ink;
    StringFormatObject format;
    if (!record->text.empty() && font.Font() &&
        ink.CreateSolidFill(ToArgb(textColour, 255)) &&
        format.CreateStringFormat()) {
      format.SetStringFormatAlign(gp::StringAlignmentCenter);
      format.SetStringFormatLineAlign(gp::StringAlignmentCenter);
      g.SetTextRenderingHint(gp::TextRenderingHintAntiAlias);
      g.DrawString(record->text, font, gp::RectF{0, 2, w, h}, &format, ink);
    }
  }
  BitBlt(dc, 0, 0, wi, hi, face->Dc(), 0, 0, SRCCOPY);
}
