#include "skin/frame_paint.h"


#include <algorithm>
#include <optional>

#include "gdiplus/brush_objects.h"
#include "gdiplus/font_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/image_objects.h"
#include "gdiplus/path_object.h"
#include "gdiplus/pen_object.h"
#include "runtime/gbk_text.h"
#include "skin/backdrop.h"
#include "skin/caption_band.h"
#include "skin/painters.h"
#include "skin/palette.h"
#include "skin/skin_core.h"

namespace {

using palette::kBlack;
using palette::kWhite;
constexpr COLORREF kRed = palette::kClose;

RECT ClientOf(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return r;
}

// The background under the whole window: colour, then the skin picture by blend mode.
void PaintBackground(SkinWindow& record, GraphicsObject& g, int w, int h) {
  const bool own = !record.preparedImage.empty();
  // The ground is the fill colour, not the magenta key: the region's rounded corners take a
  // pixel or two more than the clip path, and those must not show magenta.
  g.GraphicsClear(ToArgb(own ? record.imageColour : Engine().skinColour));
  PathObject clip;
  MakeRoundedPath(clip, 0, 0, static_cast<float>(w), static_cast<float>(h), 4);
  g.SetClipPath(clip);

  ImageObject ownPicture;
  ImageObject* picture = nullptr;
  if (own) {
    if (ownPicture.LoadImageFromBytes(record.preparedImage)) picture = &ownPicture;
  } else if (Engine().skinPicture) {
    picture = Engine().skinPicture.get();
  }
  if (picture) {
    const int mode = own ? record.blendMode : Engine().blendMode;
    const int iw = static_cast<int>(picture->GetImageWidth()), ih = static_cast<int>(picture->GetImageHeight());
    g.SetInterpolationMode(gp::InterpolationModeBilinear);
    switch (mode) {
      case kBlendWhiteFaded: g.DrawImageRectI(*picture, w - iw, 0, iw, ih); break;
      case kBlendCentred: g.DrawImageRectI(*picture, (w - iw) / 2, (h - ih) / 2, iw, ih); break;
      case kBlendStretched: g.DrawImageRectI(*picture, 0, 0, w, h); break;
      default: g.DrawImageRectI(*picture, 0, 0, iw, ih); break;
    }
  }
  if (record.callerValue != 0) {
    FillVertical(g, 0, 0, static_cast<float>(w), static_cast<float>(record.captionHeight), ToArgb(kWhite, 150),
                 ToArgb(kWhite, 0));
  }
  g.ResetClip();
}

void PaintBorder(GraphicsObject& g, int w, int h) {
  g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
  PenObject dark, light;
  PathObject outer, inner;
  MakeRoundedPath(outer, 0, 0, static_cast<float>(w - 1), static_cast<float>(h - 1), 7);
  MakeRoundedPath(inner, 1, 1, static_cast<float>(w - 3), static_cast<float>(h - 3), 6);
  if (dark.CreatePen1(ToArgb(kBlack, 180), 1)) g.DrawPath(dark, outer);
  if (light.CreatePen1(ToArgb(kWhite, 180), 1)) g.DrawPath(light, inner);
  g.SetSmoothingMode(gp::SmoothingModeDefault);
}

struct TitleArea {
  int left, top, width, height;
};

TitleArea TitleAreaOf(const SkinWindow& record) {
  const RECT client = ClientOf(record.window);
  TitleArea area{kFrameBorder + 6, kFrameBorder + 5, 0, 32};
  area.width = std::max(0, static_cast<int>(client.right) - record.stripWidth - 10 - 2 * kFrameBorder);
  // Never taller than the caption cache it is restored from.
  area.height = std::clamp(record.captionHeight - area.top, 0, area.height);
  return area;
}

void DrawGlyph(GraphicsObject& g, const CaptionButton& button, bool maximized, float x, float y, float bw) {
  const auto& picture = (maximized && button.secondImage) ? button.secondImage : button.image;
  if (!picture || picture->Empty()) return;
  const float gw = static_cast<float>(picture->GetImageWidth()), gh = static_cast<float>(picture->GetImageHeight());
  g.DrawImageRect(*picture, x + std::floor((bw - gw) / 2), y, gw, gh);
}

}  // namespace

int CaptionStripLeft(int clientRight, int stripWidth) { return clientRight - kFrameBorder - stripWidth - 2; }

void ApplyWindowRegion(int skinIndex) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record) return;
  const RECT client = ClientOf(record->window);
  // Only a new size needs a new region: setting it repaints, and must not re-enter painting.
  if (record->regionSize.cx == client.right && record->regionSize.cy == client.bottom) return;
  record->regionSize = {client.right, client.bottom};
  HRGN region = CreateRoundRectRgn(0, 0, client.right + 1, client.bottom + 1, 5, 5);
  if (region && !SetWindowRgn(record->window, region, TRUE)) DeleteObject(region);  // owned by the system on success
}

void PaintWholeWindow(int skinIndex, HDC dc, bool present) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record) return;
  const RECT client = ClientOf(record->window);
  const int w = client.right, h = client.bottom;
  if (w <= 0 || h <= 0) return;
  ApplyWindowRegion(skinIndex);
  if (record->backBuffer.Width() != w || record->backBuffer.Height() != h || !record->backBuffer.Dc()) {
    if (!record->backBuffer.Create(w, h)) return;
    SetPropValue(record->window, kPropBackBitmap, reinterpret_cast<LONG_PTR>(record->backBuffer.Bitmap()));
  }
  HDC back = record->backBuffer.Dc();
  ++EngineCounters().composes;
  ++record->backBufferGeneration;  // the controls' cached backdrops are of the old picture
  // The picture under everything changes only with the size or the skin: scaling it is the
  // dearest step of a full paint, so it is kept between paints.
  if (record->background.Width() != w || record->background.Height() != h ||
      record->backgroundGeneration != Engine().pictureGeneration) {
    if (!record->background.Create(w, h)) return;
    PixelGraphics g(record->background);
    if (!g.Ok()) return;
    PaintBackground(*record, g.Get(), w, h);
    record->backgroundGeneration = Engine().pictureGeneration;
  }
  BitBlt(back, 0, 0, w, h, record->background.Dc(), 0, 0, SRCCOPY);
  if (record->captionActive) {
    PixelGraphics g(record->backBuffer);
    if (g.Ok()) PaintBorder(g.Get(), w, h);
  }
  CacheBandBackground(*record);
  if (record->captionActive) {
    if (record->captionCache.Width() != w || record->captionCache.Height() != record->captionHeight) {
      record->captionCache.Create(w, record->captionHeight);
    }
    if (record->captionCache.Dc()) BitBlt(record->captionCache.Dc(), 0, 0, w, record->captionHeight, back, 0, 0, SRCCOPY);
    PixelGraphics g(record->backBuffer);
    if (g.Ok()) {
      if (record->showTitle) PaintCaptionTitle(skinIndex, &g.Get(), nullptr);
      for (size_t i = 1; i <= record->buttons.size(); ++i) {
        PaintCaptionButton(skinIndex, static_cast<int>(i), &g.Get(), false, 0);
      }
    }
  }
  if (record->bandHeight > 0) {
    PixelGraphics g(record->backBuffer);
    if (g.Ok()) PaintBand(skinIndex, &g.Get());
  }
  if (!present) {
    record->needsFullRepaint = false;
    return;
  }
  if (dc) {
    ExcludeChildren(record->window, dc);
    BitBlt(dc, 0, 0, w, h, back, 0, 0, SRCCOPY);
  } else {
    DcExcludingChildren screen(record->window);
    if (screen.Get()) BitBlt(screen.Get(), 0, 0, w, h, back, 0, 0, SRCCOPY);
  }
  record->needsFullRepaint = false;
  if (!Engine().oneShot) InvalidateSkinnedChildren(skinIndex);
}

void PaintFromBackBuffer(int skinIndex, HDC dc) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record || !dc) return;
  if (!record->backBuffer.Dc()) {
    PaintWholeWindow(skinIndex, dc, true);
    return;
  }
  ExcludeChildren(record->window, dc);
  BitBlt(dc, 0, 0, record->backBuffer.Width(), record->backBuffer.Height(), record->backBuffer.Dc(), 0, 0, SRCCOPY);
}

void LayOutCaption(int skinIndex) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record) return;
  const RECT client = ClientOf(record->window);
  record->stripLeft = CaptionStripLeft(client.right, record->stripWidth);
  record->stripHeight = 22;
  const float x0 = static_cast<float>(record->stripLeft + 2), y0 = static_cast<float>(record->stripTop + 1);
  for (size_t i = 0; i < record->buttons.size(); ++i) {
    CaptionButton& b = record->buttons[i];
    b.x = x0 + static_cast<float>(i) * 27;
    b.y = y0;
    b.w = b.kind == CaptionKind::Close ? 40.0f : 26.0f;
    b.h = 18;
    const RECT r{static_cast<LONG>(b.x), static_cast<LONG>(b.y), static_cast<LONG>(b.x + b.w),
                 static_cast<LONG>(b.y + b.h)};
    record->tooltip.NewToolRect(i + 1, r);
  }
}

int HitTestCaptionButton(int skinIndex, int x, int y) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record) return 0;
  if (x < record->stripLeft || y < record->stripTop || y > record->stripTop + 22) return 0;
  for (size_t i = 0; i < record->buttons.size(); ++i) {
    const CaptionButton& b = record->buttons[i];
    if (x > b.x && x < b.x + b.w && y > b.y && y < b.y + b.h) return static_cast<int>(i) + 1;
  }
  return 0;
}

int FindMaximizeButton(int skinIndex) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record) return 0;
  for (size_t i = 0; i < record->buttons.size(); ++i) {
    if (record->buttons[i].kind == CaptionKind::Maximize) return static_cast<int>(i) + 1;
  }
  return 0;
}

namespace {

// The pixels one caption button owns: from its separator two columns left of it up to the
// next button's separator (the last one to its right edge), and the rows from below the top
// of the strip down to the end of the separators. Every look of the button is clipped to
// them and a repaint restores all of them first, so no look ever lies over another.
RECT CaptionButtonCell(const SkinWindow& record, int button) {
  const CaptionButton& b = record.buttons[button - 1];
  const bool last = button == static_cast<int>(record.buttons.size());
  const int left = static_cast<int>(b.x) - 2;
  const int right = last ? static_cast<int>(b.x + b.w) : static_cast<int>(record.buttons[button].x) - 2;
  const int top = record.stripTop + 1;
  const int bottom = std::max(top + static_cast<int>(b.h), record.stripTop + record.stripHeight - 3);
  return {left, top, right, bottom};
}

}  // namespace

void PaintCaptionButton(int skinIndex, int button, GraphicsObject* graphics, bool pressed, int alpha) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record || button < 1 || button > static_cast<int>(record->buttons.size())) return;
  const CaptionButton& b = record->buttons[button - 1];
  const float x = b.x - 1, y = static_cast<float>(record->stripTop + 1), bw = b.w, bh = 18;
  const bool close = b.kind == CaptionKind::Close;
  const RECT cell = CaptionButtonCell(*record, button);
  const int cellWidth = cell.right - cell.left, cellHeight = cell.bottom - cell.top;
  HDC back = record->backBuffer.Dc();
  std::optional<PixelGraphics> own;
  if (!graphics) {
    if (!back) return;
    ++record->backBufferGeneration;
    if (record->captionCache.Dc()) {
      BitBlt(back, cell.left, cell.top, cellWidth, cellHeight, record->captionCache.Dc(), cell.left, cell.top, SRCCOPY);
    }
    own.emplace(record->backBuffer);
    if (!own->Ok()) return;
    graphics = &own->Get();
  }
  GraphicsObject& g = *graphics;
  g.SetClipRectI(cell.left, cell.top, cellWidth, cellHeight);
  g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
  PathObject shape;
  if (close) MakeRoundedPath(shape, x, y, bw, bh, 5);
  const PathObject* closeShape = close ? &shape : nullptr;
  if (pressed) {
    if (close) {
      FillVertical(g, x, y, bw, bh, ToArgb(kRed, 255), ToArgb(kWhite, 30), closeShape);
    } else {
      FillVertical(g, x, y, bw, bh, ToArgb(kBlack, 80), ToArgb(kWhite, 5));
    }
    DrawGlyph(g, b, record->maximized, x, y, bw - 1);
  } else {
    if (alpha > 0) {
      FillVertical(g, x, y, bw, bh, ToArgb(kBlack, alpha / 5), ToArgb(kBlack, 0), closeShape);
      FillVertical(g, x, y, bw, bh, ToArgb(close ? kRed : Engine().accentColour, alpha), ToArgb(kWhite, 0),
                   closeShape);
      LinearBrushObject outlineBrush;
      PenObject outline;
      const float upper = bh * 0.8f;
      if (outlineBrush.CreateLineBrushFromRect({x, y - 1, bw, upper + 2}, ToArgb(kWhite, alpha * 4 / 5),
                                               ToArgb(kWhite, 0), gp::LinearGradientModeVertical) &&
          outline.CreatePen2(outlineBrush, 1)) {
        if (close) {
          PathObject top;
          MakeRoundedPath(top, x, y, bw - 1, upper, 5);
          g.DrawPath(outline, top);
        } else {
          g.DrawRectangle(outline, x, y, bw - 1, upper);
        }
      }
    }
    FillVertical(g, x - 1, y, bw + 1, bh - 1, ToArgb(kWhite, 50), ToArgb(kBlack, 0));
    DrawGlyph(g, b, record->maximized, x, y, bw - 1);
    // The separator left of the button; the next button's belongs to that button's cell.
    PenObject line;
    const float top = static_cast<float>(record->stripTop + 1);
    const float bottom = static_cast<float>(record->stripTop + record->stripHeight - 4);
    if (line.CreatePen1(ToArgb(kWhite, button == 1 ? 100 : 60), 1)) {
      g.SetSmoothingMode(gp::SmoothingModeNone);
      g.DrawLine(line, b.x - 2, top, b.x - 2, bottom);
    }
  }
  g.SetSmoothingMode(gp::SmoothingModeDefault);
  g.ResetClip();
  if (own) {
    own.reset();
    WindowDc screen(record->window);
    if (screen.Get()) BitBlt(screen.Get(), cell.left, cell.top, cellWidth, cellHeight, back, cell.left, cell.top, SRCCOPY);
  }
}

void DrawShadedText(GraphicsObject& g, const std::string& text, float x, float y, float width, float height,
                    COLORREF textColour, COLORREF shadeColour, const std::string& face, float size, int style,
                    int offset) {
  FontObject font;
  if (!font.CreateFont(face, size, style, gp::UnitPixel)) {
    FontFamilyObject generic;
    if (!generic.GetGenericFontFamilySansSerif() || !font.CreateFont(generic, size, style, gp::UnitPixel)) return;
  }
  SolidBrushObject shade, ink;
  if (!shade.CreateSolidFill(ToArgb(shadeColour, 150)) || !ink.CreateSolidFill(ToArgb(textColour))) return;
  g.SetTextRenderingHint(gp::TextRenderingHintAntiAlias);
  const float d = static_cast<float>(offset);
  const float shifts[4][2] = {{d, 0}, {-d, 0}, {0, d}, {0, -d}};
  for (const auto& s : shifts) g.DrawString(text, font, gp::RectF{x + s[0], y + s[1], width, height}, nullptr, shade);
  g.DrawString(text, font, gp::RectF{x, y, width, height}, nullptr, ink);
}

void PaintCaptionTitle(int skinIndex, GraphicsObject* graphics, const std::string* text) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record) return;
  const TitleArea area = TitleAreaOf(*record);
  if (area.width <= 0 || area.height <= 0) return;
  HDC back = record->backBuffer.Dc();
  if (!back) return;
  ++record->backBufferGeneration;
  std::string title;
  if (text) {
    title = *text;
  } else {
    const int length = GetWindowTextLengthW(record->window);
    std::wstring wide(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    wide.resize(GetWindowTextW(record->window, wide.data(), length + 1));
    title = WideToGbk(wide);
  }
  // The icon stands above the text: the rows restored and shown start at its top, or each
  // title would lay the icon's soft edge over the last one.
  const int iconTop = area.top - 3;
  const int rows = area.top + area.height - iconTop;
  if (!graphics && record->captionCache.Dc()) {
    BitBlt(back, area.left, iconTop, area.width, rows, record->captionCache.Dc(), area.left, iconTop, SRCCOPY);
  }
  if (graphics) graphics->Flush(gp::FlushIntentionSync);
  if (Engine().icon) DrawIconEx(back, area.left, iconTop, Engine().icon, 17, 17, 0, nullptr, DI_NORMAL);
  std::optional<PixelGraphics> own;
  if (!graphics) {
    own.emplace(record->backBuffer);  // after the icon: it flushes GDI's drawing first
    if (!own->Ok()) return;
    graphics = &own->Get();
  } else {
    GdiFlush();
  }
  DrawShadedText(*graphics, title, static_cast<float>(area.left + 20), static_cast<float>(area.top),
                 static_cast<float>(area.width - 20), static_cast<float>(area.height), record->captionText,
                 record->captionShade, record->captionFace, static_cast<float>(record->captionSize),
                 record->captionStyle);
  if (own) {
    own.reset();
    DcExcludingChildren screen(record->window);
    if (screen.Get()) BitBlt(screen.Get(), area.left, iconTop, area.width, rows, back, area.left, iconTop, SRCCOPY);
  }
}

int ResizeZone(int x, int y, int width, int height) {
  const int b = kFrameBorder;
  if (x <= b && y >= 11 && y < height - 10) return WMSZ_LEFT;
  if (x >= width - b && y >= 11 && y < height - 10) return WMSZ_RIGHT;
  if (y <= b && x >= 11 && x < width - 10) return WMSZ_TOP;
  if (y >= height - b && x >= 11 && x < width - 10) return WMSZ_BOTTOM;
  if (x <= 10 && y <= 10) return WMSZ_TOPLEFT;
  if (x >= width - 10 && y <= 10) return WMSZ_TOPRIGHT;
  if (x <= 10 && y >= height - 10) return WMSZ_BOTTOMLEFT;
  if (x >= width - 10 && y >= height - 10) return WMSZ_BOTTOMRIGHT;
  return 0;
}

namespace {

void ShowZoneCursor(int zone) {
  const wchar_t* id = IDC_SIZENWSE;
  switch (zone) {
    case WMSZ_LEFT: case WMSZ_RIGHT: id = IDC_SIZEWE; break;
    case WMSZ_TOP: case WMSZ_BOTTOM: id = IDC_SIZENS; break;
    case WMSZ_TOPRIGHT: case WMSZ_BOTTOMLEFT: id = IDC_SIZENESW; break;
    default: break;
  }
  SetCursor(LoadCursorW(nullptr, id));
}

}  // namespace

bool StartMoveOrResize(int skinIndex, LPARAM lParam, const RECT& client) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record) return false;
  const int x = XOf(lParam), y = YOf(lParam);
  if (x >= record->stripLeft && x <= record->stripLeft + record->stripWidth && y >= 3 && y <= 22) return false;
  if (!record->captionActive) return false;
  HWND window = record->window;
  if (record->borderResize) {
    if (const int zone = ResizeZone(x, y, client.right, client.bottom)) {
      ShowZoneCursor(zone);
      if (zone == WMSZ_BOTTOMRIGHT) record->needsFullRepaint = true;
      SendMessageW(window, WM_SYSCOMMAND, SC_SIZE + zone, 0);
      return true;
    }
  }
  if (y > record->captionHeight) return false;
  SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  return true;
}

void SetBorderCursor(int skinIndex, LPARAM lParam, const RECT& client) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record || !record->borderResize) return;
  if (const int zone = ResizeZone(XOf(lParam), YOf(lParam), client.right, client.bottom)) {
    ShowZoneCursor(zone);
  }
}

void InvalidateSkinnedChildren(int skinIndex) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record) return;
  for (int f = 0; f < kFamilyCount; ++f) {
    for (const auto& control : record->families[f]) {
      if (!control->window || GetParent(control->window) != record->window) continue;
      InvalidateRect(control->window, nullptr, TRUE);
      if (f == static_cast<int>(Family::Container)) InvalidateVisibleChildren(control->window);
    }
  }
}
