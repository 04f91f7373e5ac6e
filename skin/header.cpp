#include "skin/header.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string_view>
#include <vector>

#include "gdiplus/brush_objects.h"
#include "gdiplus/font_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/pen_object.h"
#include "gdiplus/string_format_object.h"
#include "runtime/gbk_text.h"
#include "skin/backdrop.h"
#include "skin/painters.h"
#include "skin/palette.h"
#include "skin/text_painters.h"

namespace {

using palette::kBlack;
using palette::kWhite;

HeaderRecord* RecordOf(HWND window) { return static_cast<HeaderRecord*>(FamilyRecordOf(window, Family::Header)); }

void Register(int skinIndex, HWND header, bool insideList) {
  if (FindInFamilyList(skinIndex, Family::Header, header)) return;
  auto owned = std::make_unique<HeaderRecord>();
  HeaderRecord& record = *owned;
  record.clickable = (GetWindowLongW(header, GWL_STYLE) & HDS_BUTTONS) != 0;
  record.insideList = insideList;
  if (insideList) {
    const ControlFont font = ReadControlFont(header);
    record.face = font.face;
    record.size = font.size;
    record.style = font.style;
  }
  const int index = AddFamilyRecord(skinIndex, Family::Header, std::move(owned));
  if (!index) return;
  SubclassControl(header, record, skinIndex, index, HeaderWndProc);
}

// What one item shows, read from the header before anything is painted.
struct ItemInfo {
  RECT rect{};
  wchar_t text[260] = {};
  int format = 0;
  int image = 0;
};

ItemInfo ReadItem(HWND header, const HeaderRecord& record, int item, int count) {
  ItemInfo out;
  if (!SendMessageW(header, HDM_GETITEMRECT, item - 1, reinterpret_cast<LPARAM>(&out.rect))) return out;
  HDITEMW info{};
  info.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP | HDI_IMAGE;
  info.pszText = out.text;
  info.cchTextMax = static_cast<int>(std::size(out.text));
  SendMessageW(header, HDM_GETITEMW, item - 1, reinterpret_cast<LPARAM>(&info));
  out.format = info.fmt;
  out.image = info.iImage;
  if (item == count && record.insideList) {
    HWND parent = GetParent(header);
    // The background reaches the list's right edge even when the columns end before it.
    RECT client{};
    GetClientRect(parent, &client);
    MapWindowPoints(parent, header, reinterpret_cast<POINT*>(&client), 2);
    out.rect.right = std::max(out.rect.right, client.right);
  }
  return out;
}

// Paints one item at its place in `picture`, whose top left is `origin` in the header.
bool PaintItem(HWND header, HeaderRecord& record, HDC picture, POINT origin, const ItemInfo& info, int item,
               int margin) {
  const RECT& rect = info.rect;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return true;
  UniqueIcon icon;
  int iw = 0, ih = 0;
  if (info.format & HDF_IMAGE) {
    // The image list is the header's own (a list view's small images): only borrowed here.
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0));
    if (images) {
      icon.reset(ImageList_GetIcon(images, info.image, ILD_TRANSPARENT));
      if (icon) ImageList_GetIconSize(images, &iw, &ih);
    }
  }
  ScopedBackdrop backdrop(header, rect);
  if (!backdrop.Get()) return false;
  {
    PixelGraphics gOwner(backdrop.Get());
    if (!gOwner.Ok()) return false;
    GraphicsObject& g = gOwner.Get();
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    const COLORREF accent = Engine().accentColour;
    SolidBrushObject base;
    if (base.CreateSolidFill(ToArgb(kWhite, Engine().veilAlphaGiven ? Engine().veilAlpha : 255))) {
      g.FillRectangleI(base, 0, 0, w, h);
    }
    // Each shade runs down the item's whole height.
    auto shade = [&](std::uint32_t from, std::uint32_t to) {
      FillGradient(g, {0, 0}, {0, fh}, from, to, nullptr, gp::RectF{0, 0, fw, fh});
    };
    if (record.clickable) {
      shade( ToArgb(kWhite, 80), ToArgb(accent, 120));
    } else {
      shade(ToArgb(accent, 60), ToArgb(accent, 10));
    }
    if (record.hover.Inside() && record.clickable && record.hotItem == item) {
      shade(ToArgb(accent, 60), ToArgb(kBlack, 30));
    }
    if (record.clickable && record.pressedItem == item) {
      shade(ToArgb(kBlack, 30), ToArgb(kWhite, 120));
    }
    LinearBrushObject dividerInk;
    PenObject divider;
    if (dividerInk.CreateLineBrush({0, 0}, {0, fh}, ToArgb(kBlack, 60), ToArgb(kWhite, 50), gp::WrapModeTileFlipXY) &&
        divider.CreatePen2(dividerInk, 1)) {
      g.DrawLine(divider, fw - 1, 0, fw - 1, fh);
    }
    const std::string caption = WideToGbk(info.text);
    const std::string face = record.face.empty() ? std::string("宋体") : record.face;
    const int size = record.size ? record.size : 12;
    auto known = record.widths.find(caption);
    if (known == record.widths.end()) {
      known = record.widths.emplace(caption, MeasureTextWidth(caption, face, size, record.style)).first;
    }
    const int tw = known->second;
    const int x0 = HeaderContentStart(info.format, iw, margin, tw, w);
    if (icon) {
      HDC iconDc = g.GetDC();
      if (iconDc) {
        DrawIconEx(iconDc, x0, (h - ih) / 2, icon.get(), iw, ih, 0, nullptr, DI_NORMAL);
        g.ReleaseDC(iconDc);
      }
    }
    if (!record.font) {
      record.font = std::make_unique<FontObject>();
      MakeFont(*record.font, face, static_cast<float>(size), record.style);
    }
    const FontObject& font = *record.font;
    SolidBrushObject ink;
    StringFormatObject format;
    if (!caption.empty() && font.Font() &&
        ink.CreateSolidFill(ToArgb(kBlack)) && format.CreateStringFormat(gp::StringFormatFlagsNoWrap)) {
      format.SetStringFormatTrimming(gp::StringTrimmingEllipsisCharacter);
      format.SetStringFormatLineAlign(gp::StringAlignmentCenter);
      g.SetTextRenderingHint(gp::TextRenderingHintAntiAlias);
      g.DrawString(caption, font, gp::RectF{static_cast<float>(x0 + iw), 0, static_cast<float>(w - iw - 2 * margin), fh},
                   &format, ink);
    }
  }
  BitBlt(picture, rect.left - origin.x, rect.top - origin.y, w, h, backdrop.Get(), 0, 0, SRCCOPY);
  return true;
}

void Mix(std::size_t& look, std::size_t value) { look = look * 1000003u ^ value; }

// Everything an item's picture shows that the backdrop key and the state do not hold.
std::size_t LookOf(HWND header, const HeaderRecord& record, const std::vector<ItemInfo>& items, int margin) {
  std::size_t look = std::hash<std::string>{}(record.face);
  Mix(look, static_cast<std::size_t>(record.size));
  Mix(look, static_cast<std::size_t>(record.style));
  Mix(look, Engine().accentColour);
  Mix(look, static_cast<std::size_t>(margin));
  Mix(look, static_cast<std::size_t>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0)));
  for (const ItemInfo& info : items) {
    Mix(look, std::hash<std::wstring_view>{}(info.text));
    Mix(look, static_cast<std::size_t>(info.format));
    Mix(look, static_cast<std::size_t>(info.image));
    Mix(look, static_cast<std::size_t>(info.rect.left));
    Mix(look, static_cast<std::size_t>(info.rect.right));
  }
  return look;
}

// The header's whole picture, painted item by item only when no picture of this state, key
// and look is kept.
void PaintItems(HWND header, HeaderRecord& record, HDC target) {
  const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  const int margin = static_cast<int>(SendMessageW(header, HDM_GETBITMAPMARGIN, 0, 0));
  std::vector<ItemInfo> items;
  RECT whole{};
  for (int item = 1; item <= count; ++item) {
    items.push_back(ReadItem(header, record, item, count));
    const RECT& r = items.back().rect;
    if (r.right > r.left && r.bottom > r.top) UnionRect(&whole, &whole, &r);
  }
  const int w = whole.right - whole.left, h = whole.bottom - whole.top;
  if (w <= 0 || h <= 0) return;
  const BackdropKey key = BackdropKeyOf(header, whole, Engine().veilAlphaGiven);
  if (!key.skinIndex) return;
  const int hot = record.hover.Inside() && record.clickable ? record.hotItem : 0;
  const int state = hot * 1024 + (record.clickable ? record.pressedItem : 0);
  const std::size_t look = LookOf(header, record, items, margin);
  const Surface* picture = record.pictures.Find(state, key, look);
  if (!picture) {
    Surface* fresh = record.pictures.Store(state, key, look, w, h);
    if (!fresh) return;
    for (int item = 1; item <= count; ++item) {
      if (!PaintItem(header, record, fresh->Dc(), {whole.left, whole.top}, items[item - 1], item, margin)) {
        record.pictures.Drop(state);  // a half-painted picture is never shown again
        return;
      }
    }
    picture = fresh;
  }
  BitBlt(target, whole.left, whole.top, w, h, picture->Dc(), 0, 0, SRCCOPY);
}

}  // namespace

void InstallHeaders(int skinIndex, HWND parent) {
  if (!EngineRunning() || !Engine().tintSwitch) return;
  for (HWND h = FindWindowExW(parent, nullptr, WC_HEADERW, nullptr); h; h = FindWindowExW(parent, h, WC_HEADERW, nullptr)) {
    Register(skinIndex, h, false);
  }
  for (HWND list = FindWindowExW(parent, nullptr, WC_LISTVIEWW, nullptr); list;
       list = FindWindowExW(parent, list, WC_LISTVIEWW, nullptr)) {
    if (HWND h = FindWindowExW(list, nullptr, WC_HEADERW, nullptr)) Register(skinIndex, h, true);
  }
}

int HitTestHeaderItem(HWND header, int x) {
  const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int item = 1; item <= count; ++item) {
    RECT r{};
    if (!SendMessageW(header, HDM_GETITEMRECT, item - 1, reinterpret_cast<LPARAM>(&r))) continue;
    if (r.left + 5 <= x && x <= r.right - 5) return item;
  }
  return 0;
}

int HeaderContentStart(int format, int iconWidth, int margin, int textWidth, int itemWidth) {
  const bool tooWide = iconWidth + margin + textWidth >= itemWidth;
  switch (format & HDF_JUSTIFYMASK) {
    case HDF_RIGHT: return tooWide ? margin : itemWidth - iconWidth - textWidth;
    case HDF_CENTER: return tooWide ? margin : (itemWidth - iconWidth - margin - textWidth) / 2;
    default: return margin;
  }
}

void PaintHeader(HWND header, HDC dc) {
  HeaderRecord* record = RecordOf(header);
  if (!record) return;
  if (dc) {
    PaintItems(header, *record, dc);
    return;
  }
  WindowDc own(header);
  if (own.Get()) PaintItems(header, *record, own.Get());
}

LRESULT CALLBACK HeaderWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HeaderRecord* record = RecordOf(window);
  if (!record) return CallPrevious(window, message, wParam, lParam);
  const WNDPROC previous = record->previous;
  switch (message) {
    case WM_MOVE:
      PaintHeader(window, nullptr);
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      if (dc) PaintHeader(window, dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return 1;
    case WM_MOUSEMOVE: {
      record->hover.Enter(window);
      record->hotItem = HitTestHeaderItem(window, XOf(lParam));
      if (record->hotItem >= 1 && record->hotItem != record->lastPaintedHotItem && !record->buttonDown) {
        record->lastPaintedHotItem = record->hotItem;
        PaintHeader(window, nullptr);
      } else if (record->hotItem == 0 && record->lastPaintedHotItem != 0) {
        record->lastPaintedHotItem = 0;
        if (!record->buttonDown) PaintHeader(window, nullptr);
      }
      break;
    }
    case WM_LBUTTONDOWN:
      record->buttonDown = true;
      if (record->hotItem >= 1) record->pressedItem = record->hotItem;
      break;
    case WM_LBUTTONUP:
      record->buttonDown = false;
      record->pressedItem = 0;
      break;
    case WM_MOUSELEAVE:
      if (!record->hover.Leave(window)) break;
      record->lastPaintedHotItem = 0;
      record->hotItem = 0;
      PaintHeader(window, nullptr);
      break;
    case WM_NCDESTROY:
      // The image list belongs to the header (or its list view): it is not destroyed here.
      record->hover.Forget(window);
      ReleaseControl(window, *record);
      return CallWindowProcW(previous, window, message, wParam, lParam);
    default:
      break;
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}
