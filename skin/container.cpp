#include "skin/container.h"

#include <commctrl.h>

#include <algorithm>

#include "gdiplus/graphics_object.h"
#include "gdiplus/path_object.h"
#include "skin/backdrop.h"
#include "skin/button_kinds.h"
#include "skin/painters.h"
#include "skin/palette.h"
#include "skin/text_painters.h"
#include "skin/window_parts.h"
#include "skin/skin.h"

namespace {

using palette::kBlack;
using palette::kWhite;

ContainerRecord* ContainerAt(int skinIndex, int index) {
  SkinWindow* skin = SkinWindowAt(skinIndex);
  if (!skin) return nullptr;
  auto& list = skin->List(Family::Container);
  if (index < 1 || index > static_cast<int>(list.size()) || !list[index - 1]->window) return nullptr;
  return static_cast<ContainerRecord*>(list[index - 1].get());
}

// A family list holding one record that names no window reuses it.
template <typename Record>
int AppendOrReuse(int skinIndex, Family family, std::unique_ptr<Record> record) {
  SkinWindow* skin = SkinWindowAt(skinIndex);
  if (!skin) return 0;
  auto& list = skin->List(family);
  if (list.size() == 1 && !list[0]->window) {
    list[0] = std::move(record);
    return 1;
  }
  return AddFamilyRecord(skinIndex, family, std::move(record));
}

bool IsGroupBox(HWND window) {
  return IsClass(window, "button") && IsGroupBoxKind(ButtonKind(GetWindowLongPtrW(window, GWL_STYLE)));
}

// The memory picture of a container: the skin behind it (with its tint), then its frame.
ScopedBackdrop ComposeContainer(ContainerRecord& container, int w, int h) {
  ScopedBackdrop memory(container.window, RECT{0, 0, w, h});
  if (!memory) return memory;
  if (container.isGroupBox) {
    PaintGroupBox(container, memory.Get(), w, h);
  } else if (container.border) {
    PixelGraphics drawing(memory.Get());
    if (drawing.Ok()) {
      GraphicsObject& g = drawing.Get();
      g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
      PathObject outer, inner;
      MakeRoundedPath(outer, 0, 0, static_cast<float>(w - 1), static_cast<float>(h - 1), 5);
      MakeRoundedPath(inner, 1, 1, static_cast<float>(w - 3), static_cast<float>(h - 3), 3);
      StrokePath(g, outer, ToArgb(kBlack, 40));
      StrokePath(g, inner, ToArgb(kWhite, 100));
    }
  }
  return memory;
}

SIZE ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return SIZE{r.right, r.bottom};
}

LRESULT Previous(ControlRecord& record, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(record.previous, window, message, wParam, lParam);
}

}  // namespace

int GroupBoxCaptionX(LONG_PTR style, int width, int textWidth) {
  if ((style & BS_CENTER) == BS_CENTER) return (width - textWidth) / 2;
  if (style & BS_LEFT) return 10;
  return width - textWidth - 10;
}

int AddContainer(HWND window, bool drawBackground, int value, int alpha, bool border) {
  if (!EngineRunning() || !window || !IsWindow(window)) return 0;
  const int skinIndex = FindSkinnedAncestor(GetParent(window));
  if (!skinIndex) return 0;
  if (const int known = FindInFamilyList(skinIndex, Family::Container, window)) return known;
  auto owned = std::make_unique<ContainerRecord>();
  ContainerRecord& record = *owned;
  record.window = window;
  record.value = value;
  record.alpha = std::clamp(alpha, 0, 255);
  record.border = border;
  record.drawBackground = drawBackground;
  if (IsGroupBox(window)) {
    record.isGroupBox = true;
    const ControlFont font = ReadControlFont(window);
    record.fontFace = font.face.empty() ? "宋体" : font.face;
    record.fontSize = font.size ? font.size : 12;
    record.fontStyle = font.style;
  }
  record.docked.push_back({nullptr, 0});
  const int index = AppendOrReuse(skinIndex, Family::Container, std::move(owned));
  if (!index) return 0;
  RunInstallers(skinIndex, window);
  record.needsFullRedraw = true;
  SubclassControl(window, record, skinIndex, index, ContainerWndProc);
  SetPropValue(window, kPropPictureFrameOf, 0);
  InvalidateRect(window, nullptr, TRUE);
  return index;
}

LRESULT CALLBACK ContainerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* record = static_cast<ContainerRecord*>(FamilyRecordOf(window, Family::Container));
  if (!record) return CallPrevious(window, message, wParam, lParam);
  const int skinIndex = SkinIndexOf(window);
  const int index = ListIndexOf(window);
  LRESULT answered = 0;
  if (AnswerChildMessage(skinIndex, message, wParam, lParam, answered)) return answered;
  switch (message) {
    case WM_NCDESTROY: {
      const WNDPROC previous = record->previous;
      ReleaseControl(window, *record);
      RemovePropA(window, kPropPictureFrameOf);
      return CallWindowProcW(previous, window, message, wParam, lParam);
    }
    case WM_MOVE:
      if (record->drawBackground && record->alpha != 255) InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_SIZE:
      record->needsFullRedraw = true;
      DockContainerChildren(skinIndex, index);
      break;
    case WM_PAINT: {
      if (!record->drawBackground) break;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      const bool full = record->needsFullRedraw;
      if (dc) PaintContainer(skinIndex, index, dc);
      EndPaint(window, &ps);
      if (!full) {
        // Children that let the container show through must show its new picture too.
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
          if (HasTransparentExStyle(child)) InvalidateRect(child, nullptr, TRUE);
        }
      }
      return 0;
    }
    case WM_ERASEBKGND:
      if (!record->drawBackground) break;
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return 1;
    case WM_SHOWWINDOW:
      if (wParam == 1 && record->drawBackground) {
        const LRESULT result = Previous(*record, window, message, wParam, lParam);
        record->needsFullRedraw = true;
        InvalidateRect(window, nullptr, FALSE);  // painted by the WM_PAINT that showing brings
        return result;
      }
      break;
    default:
      break;
  }
  return Previous(*record, window, message, wParam, lParam);
}

void PaintContainer(int skinIndex, int containerIndex, HDC dc) {
  ContainerRecord* record = ContainerAt(skinIndex, containerIndex);
  if (!record) return;
  const SIZE size = ClientSize(record->window);
  if (size.cx <= 0 || size.cy <= 0) return;
  const ScopedBackdrop memory = ComposeContainer(*record, size.cx, size.cy);
  if (!memory) return;
  if (dc) {
    ExcludeChildren(record->window, dc);
    BitBlt(dc, 0, 0, size.cx, size.cy, memory.Get(), 0, 0, SRCCOPY);
  } else {
    DcExcludingChildren screen(record->window);
    if (screen.Get()) BitBlt(screen.Get(), 0, 0, size.cx, size.cy, memory.Get(), 0, 0, SRCCOPY);
  }
  record->needsFullRedraw = false;
}

void PaintGroupBox(ContainerRecord& container, HDC memory, int w, int h) {
  const std::string text = ControlTextGbk(container.window);
  float textWidth = 0;
  {
    PixelGraphics drawing(memory);
    if (!drawing.Ok()) return;
    GraphicsObject& g = drawing.Get();
    g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
    PathObject outer, inner;
    MakeRoundedPath(outer, 0, 5, static_cast<float>(w - 1), static_cast<float>(h - 6), 5);
    MakeRoundedPath(inner, 1, 6, static_cast<float>(w - 3), static_cast<float>(h - 8), 3);
    StrokePath(g, outer, ToArgb(kBlack, 40));
    StrokePath(g, inner, ToArgb(kWhite, 90));
    textWidth = MeasureControlText(g, text, container.fontFace, container.fontSize, container.fontStyle);
  }
  if (text.empty()) return;
  const int tw = static_cast<int>(textWidth + 0.5f);
  const int x = GroupBoxCaptionX(GetWindowLongPtrW(container.window, GWL_STYLE), w, tw);
  const RECT caption{x, 1, x + tw, 1 + container.fontSize + 3};
  // The frame lines give way to the caption: the skin behind it is laid again there.
  if (const ScopedBackdrop under(container.window, caption); under) {
    BitBlt(memory, caption.left, caption.top, tw, caption.bottom - caption.top, under.Get(), 0, 0, SRCCOPY);
  }
  PixelGraphics drawing(memory);
  if (!drawing.Ok()) return;
  DrawControlText(drawing.Get(), text, container.fontFace, container.fontSize, container.fontStyle,
                  ToArgb(TextColourOf(container.window)),
                  gp::RectF(static_cast<float>(caption.left), static_cast<float>(caption.top), static_cast<float>(tw) + 4,
                            static_cast<float>(caption.bottom - caption.top)),
                  0, 1);
}

void DockContainerChildren(int skinIndex, int containerIndex) {
  ContainerRecord* record = ContainerAt(skinIndex, containerIndex);
  if (!record) return;
  const SIZE size = ClientSize(record->window);
  for (const auto& [child, top] : record->docked) {
    if (child && IsWindow(child)) MoveWindow(child, 2, top, size.cx - 4, size.cy - top, TRUE);
  }
}

bool SetContainerAlpha(HWND window, int alpha) {
  auto* record = static_cast<ContainerRecord*>(FamilyRecordOf(window, Family::Container));
  if (!record || record->value == 0) return false;
  record->alpha = std::clamp(alpha, 0, 255);
  InvalidateRect(window, nullptr, FALSE);
  return true;
}

int AddColorKeyedControl(HWND window, std::optional<COLORREF> key, int value, int alpha) {
  if (!EngineRunning() || !window || !IsWindow(window)) return 0;
  const int skinIndex = FindSkinnedAncestor(GetParent(window));
  if (!skinIndex) return 0;
  if (const int known = FindInFamilyList(skinIndex, Family::ColorKeyed, window)) return known;
  auto owned = std::make_unique<ColorKeyedRecord>();
  ColorKeyedRecord& record = *owned;
  record.key = key.value_or(GetSysColor(COLOR_BTNFACE));
  record.window = window;
  const int index = AppendOrReuse(skinIndex, Family::ColorKeyed, std::move(owned));
  if (!index) return 0;
  record.previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ColorKeyedWndProc)));
  record.skinIndex = skinIndex;
  record.listIndex = index;
  Engine().keyedControls[window] = &record;
  SetPropValue(window, kPropKeyedListIndex, index);
  SetPropValue(window, kPropKeyedSkinIndex, skinIndex);
  SetPropValue(window, kPropKeyedPrevious, reinterpret_cast<LONG_PTR>(record.previous));
  if (GetWindow(window, GW_CHILD)) AddContainer(window, false, value, alpha);
  InvalidateRect(window, nullptr, TRUE);
  return index;
}

namespace {

ColorKeyedRecord* KeyedRecordOf(HWND window) {
  if (!EngineRunning()) return nullptr;
  const auto it = Engine().keyedControls.find(window);
  if (it == Engine().keyedControls.end()) return nullptr;
  ControlRecord* found = it->second;
  SkinWindow* skin = SkinWindowAt(found->skinIndex);
  if (!skin) return nullptr;
  auto& list = skin->List(Family::ColorKeyed);
  const int index = found->listIndex;
  if (index < 1 || index > static_cast<int>(list.size()) || list[index - 1].get() != found || found->window != window) {
    return nullptr;
  }
  return static_cast<ColorKeyedRecord*>(found);
}

LRESULT CallKeyedPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(GetPropValue(window, kPropKeyedPrevious));
  return previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                  : DefWindowProcW(window, message, wParam, lParam);
}

// The control's own picture of `area` (client coordinates) with its key colour made
// transparent over the veiled skin, into `target`.
void ComposeKeyed(HWND window, const ColorKeyedRecord& record, HDC picture, HDC target, const RECT& area) {
  const ScopedBackdrop veiled = ControlBackdrop(window);
  HDC backdrop = veiled.Get();
  if (!backdrop) return;
  const RECT client = ClientRectInWindow(window);
  const int w = area.right - area.left, h = area.bottom - area.top;
  ++EngineCounters().keyedCopies;
  TransparentBlt(backdrop, client.left + area.left, client.top + area.top, w, h, picture, area.left, area.top, w, h,
                 record.key);
  BitBlt(target, area.left, area.top, w, h, backdrop, client.left + area.left, client.top + area.top, SRCCOPY);
}

bool PaintsIntoGivenDc(HWND window) {
  static const char* const classes[] = {"sysmonthcal32", "systabcontrol32", "toolbarwindow32",
                                        "msctls_statusbar32", "button", "msctls_trackbar32"};
  const std::string cls = ClassOf(window);
  for (const char* c : classes) {
    if (cls == c) return true;
  }
  return false;
}

}  // namespace

LRESULT CALLBACK ColorKeyedWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ColorKeyedRecord* record = KeyedRecordOf(window);
  if (!record) return CallKeyedPrevious(window, message, wParam, lParam);
  switch (message) {
    case WM_NCDESTROY: {
      const WNDPROC previous = record->previous;
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      RemovePropA(window, kPropKeyedListIndex);
      RemovePropA(window, kPropKeyedSkinIndex);
      RemovePropA(window, kPropKeyedPrevious);
      Engine().keyedControls.erase(window);
      ForgetControlColour(window);
      record->window = nullptr;
      return CallWindowProcW(previous, window, message, wParam, lParam);
    }
    case WM_MOVE:
      if (Engine().veilAlphaGiven) InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_ERASEBKGND:
      if (!TintingOn()) break;
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return 1;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (IsClass(window, "richedit20a") || IsClass(window, "richedit20w")) InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_PAINT: {
      if (!Engine().tintSwitch || wParam) break;  // a given DC is someone's print: the control's own picture
      const SIZE size = ClientSize(window);
      if (size.cx <= 0 || size.cy <= 0) break;
      Surface picture;
      if (PaintsIntoGivenDc(window)) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        if (dc && picture.Create(size.cx, size.cy)) {
          HBRUSH key = CreateSolidBrush(record->key);
          RECT all{0, 0, size.cx, size.cy};
          if (key) {
            FillRect(picture.Dc(), &all, key);
            DeleteObject(key);
          }
          CallWindowProcW(record->previous, window, WM_PAINT, reinterpret_cast<WPARAM>(picture.Dc()), 0);
          ComposeKeyed(window, *record, picture.Dc(), dc, all);
        }
        EndPaint(window, &ps);
        return 0;
      }
      RECT update{};
      if (!GetUpdateRect(window, &update, FALSE)) break;
      const LRESULT result = CallWindowProcW(record->previous, window, message, wParam, lParam);
      record = KeyedRecordOf(window);
      if (!record) return result;
      WindowDc dc(window);
      if (dc.Get() && picture.Create(size.cx, size.cy)) {
        BitBlt(picture.Dc(), update.left, update.top, update.right - update.left, update.bottom - update.top, dc.Get(),
               update.left, update.top, SRCCOPY);
        ComposeKeyed(window, *record, picture.Dc(), dc.Get(), update);
      }
      InvalidateVisibleChildren(window);
      return result;
    }
    default:
      break;
  }
  return CallWindowProcW(record->previous, window, message, wParam, lParam);
}

// The application's side of containers and colour-keyed controls.
int SkinEngine::AddContainer(HWND window, bool drawBackground, int value, int alpha, bool border) {
  return ::AddContainer(window, drawBackground, value, alpha, border);
}

bool SkinEngine::SetContainerAlpha(HWND window, int alpha) { return ::SetContainerAlpha(window, alpha); }

bool SkinEngine::DockInContainer(HWND container, HWND child, int top) {
  auto* record = static_cast<ContainerRecord*>(FamilyRecordOf(container, Family::Container));
  if (!record || !child || GetParent(child) != container) return false;
  if (record->docked.size() == 1 && !record->docked[0].first) {
    record->docked[0] = {child, top};
  } else {
    record->docked.push_back({child, top});
  }
  DockContainerChildren(SkinIndexOf(container),
                        ListIndexOf(container));
  return true;
}

int SkinEngine::AddColorKeyedControl(HWND window, std::optional<COLORREF> key, int value, int alpha) {
  return ::AddColorKeyedControl(window, key, value, alpha);
}

bool SkinEngine::SetEditTextColor(HWND window, COLORREF colour) {
  if (!window || !FindSkinnedAncestor(window)) return false;
  HWND target = window;
  // A combo box's text is its edit field's; a drop-down list, which has none, paints its own.
  if (IsClass(window, "combobox")) {
    if (HWND edit = FindWindowExW(window, nullptr, L"Edit", nullptr)) target = edit;
  }
  SetTextColourOf(target, colour);
  InvalidateRect(target, nullptr, TRUE);
  return true;
}
