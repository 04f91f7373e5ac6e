// What the engine paints, read back as pixels: the window's back buffer and region, the
// picture behind a control, the veil, the colours handed to children, the picture's colour.
#include <cstdlib>

#include "gdiplus/graphics_object.h"
#include "gdiplus/image_objects.h"
#include "gdiplus/memory_stream.h"
#include "skin/backdrop.h"
#include "skin/window_parts.h"
#include "tests/skin/skin_fixture.h"

namespace {

COLORREF BufferPixel(const SkinWindow& record, int x, int y) {
  const auto* bits = static_cast<const std::uint32_t*>(record.backBuffer.Bits());
  const std::uint32_t p = bits[y * record.backBuffer.Width() + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void SetBufferPixel(SkinWindow& record, int x, int y, COLORREF c) {
  auto* bits = static_cast<std::uint32_t*>(record.backBuffer.Bits());
  bits[y * record.backBuffer.Width() + x] = 0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

bool Near(COLORREF a, COLORREF b, int tolerance = 3) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

COLORREF Veiled(COLORREF c, int alpha) {
  auto mix = [alpha](int v) { return v + (255 - v) * alpha / 255; };
  return RGB(mix(GetRValue(c)), mix(GetGValue(c)), mix(GetBValue(c)));
}

const COLORREF kPlain = RGB(20, 120, 200);

// PNG bytes of a w x h picture whose pixels are colour(x, y).
template <typename F>
ByteSet MakePng(int w, int h, F colour) {
  BitmapObject bitmap;
  EXPECT_TRUE(bitmap.CreateBitmapFromScan0(w, h));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const COLORREF c = colour(x, y);
      bitmap.BitmapSetPixel(x, y, 0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
    }
  }
  MemoryStream stream;
  stream.LoadBytes(nullptr, 0);
  EXPECT_TRUE(bitmap.SaveImageToStream(stream.Stream(), kImageFormatPng));
  return stream.ReadBytes();
}

}  // namespace

TEST_F(SkinTest, BackBufferRegionAndBorder) {
  Skin().SetSkinImage({}, {}, kPlain);
  TestWindow window(300, 200);
  Skin().ApplySkin(window.Get(), 25);
  UpdateWindow(window.Get());
  const SkinWindow& record = RecordOf(window.Get());
  ASSERT_EQ(record.backBuffer.Width(), 300);
  EXPECT_TRUE(Near(BufferPixel(record, 150, 100), kPlain));
  // The outer border line is dark, the one inside it light.
  EXPECT_LT(GetBValue(BufferPixel(record, 0, 100)), GetBValue(kPlain));
  EXPECT_GT(GetRValue(BufferPixel(record, 1, 100)), GetRValue(kPlain));
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(window.Get(), region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 0, 0)) << "the corner lies outside the rounded region";
  EXPECT_TRUE(PtInRegion(region, 5, 5));
  EXPECT_TRUE(PtInRegion(region, 299, 100));
  DeleteObject(region);
}

TEST_F(SkinTest, UndecodablePictureLeavesThePlainColour) {
  const ByteSet garbage(5000, 0x5A);
  EXPECT_EQ(AnalyseImageColour(garbage), 0u);
  EXPECT_TRUE(PrepareSkinImage(garbage, {}, kPlain, true).empty());
  const COLORREF face = Skin().GetSkinColor();
  Skin().SetSkinImage({}, garbage, std::nullopt, {}, 3);
  EXPECT_EQ(Skin().GetSkinColor(), face) << "no colour can be read from it";
  Skin().SetSkinImage({}, garbage, kPlain, {}, 3);
  TestWindow window(200, 150);
  Skin().ApplySkin(window.Get(), 25);
  UpdateWindow(window.Get());
  EXPECT_TRUE(Near(BufferPixel(RecordOf(window.Get()), 100, 100), kPlain));
}

TEST_F(SkinTest, PictureIsStretchedOverTheWindow) {
  // Left half red, right half blue; stretched (mode 3) over a wider window.
  const ByteSet png = MakePng(40, 30, [](int x, int) { return x < 20 ? RGB(255, 0, 0) : RGB(0, 0, 255); });
  Skin().SetSkinImage({}, png, RGB(0, 0, 0), {}, 3);
  TestWindow window(400, 300);
  Skin().ApplySkin(window.Get(), 25);
  UpdateWindow(window.Get());
  const SkinWindow& record = RecordOf(window.Get());
  EXPECT_TRUE(Near(BufferPixel(record, 100, 150), RGB(255, 0, 0), 8));
  EXPECT_TRUE(Near(BufferPixel(record, 300, 150), RGB(0, 0, 255), 8));
}

TEST_F(SkinTest, ColourAnalysisAveragesFixedSamplePoints) {
  auto colour = [](int x, int y) { return RGB(x * 4, y * 5, (x * 7 + y * 3) & 0xFF); };
  const int w = 64, h = 48;
  const ByteSet png = MakePng(w, h, colour);
  // The same points, taken the way the C runtime's generator gives them after srand(seed).
  auto first = [](unsigned seed) { return static_cast<int>(((seed * 214013u + 2531011u) >> 16) & 0x7FFF); };
  unsigned long long r = 0, g = 0, b = 0;
  for (int i = 1; i <= 2000; ++i) {
    const COLORREF c = colour(first(3u * i) % w, first(static_cast<unsigned>(i)) % h);
    r += GetRValue(c);
    g += GetGValue(c);
    b += GetBValue(c);
  }
  EXPECT_EQ(AnalyseImageColour(png), RGB(r / 2000, g / 2000, b / 2000));
}

TEST_F(SkinTest, BackdropsCopyTheBufferUnderTheControl) {
  Skin().SetSkinImage({}, {}, kPlain);
  TestWindow window(300, 200);
  HWND label = window.AddChild(L"Static", 30, 50, 100, 20);
  HWND framed = window.AddChild(L"Edit", 30, 80, 100, 24, 0, WS_EX_CLIENTEDGE);
  Skin().ApplySkin(window.Get(), 25);
  UpdateWindow(window.Get());
  SkinWindow& record = RecordOf(window.Get());
  const COLORREF marker = RGB(250, 10, 90);
  SetBufferPixel(record, 30 + 3, 50 + 4, marker);

  // A rectangle with an origin copies from the control's place plus that origin.
  HDC first = PaintBackdrop(label, RECT{3, 4, 13, 14});
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetPixel(first, 0, 0), marker);
  HDC second = PaintBackdrop(label, RECT{0, 0, 10, 10});
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(ReleaseBackdrop(first));
  EXPECT_EQ(GetPixel(second, 3, 4), marker) << "the second backdrop lives on";
  EXPECT_TRUE(ReleaseBackdrop(second));
  EXPECT_FALSE(ReleaseBackdrop(second));
  EXPECT_FALSE(ReleaseBackdrop(nullptr));

  const RECT inside = ClientRectInWindow(framed);
  EXPECT_EQ(inside.left, 2);
  EXPECT_EQ(inside.top, 2);
  EXPECT_EQ(ClientRectInWindow(label).left, 0);

  // The veil lies over the picture behind a control's client area.
  HBITMAP veiled = BackdropBitmap(framed);
  ASSERT_NE(veiled, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, veiled);
  EXPECT_TRUE(Near(GetPixel(dc, 10, 10), Veiled(kPlain, 100)));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(veiled);

  // Outside any skinned window there is no backdrop.
  TestWindow plain(100, 100);
  HWND stray = plain.AddChild(L"Static", 0, 0, 10, 10);
  EXPECT_EQ(PaintBackdrop(stray, RECT{0, 0, 5, 5}), nullptr);
}

TEST_F(SkinTest, ChildrenGetTransparentColours) {
  TestWindow window(300, 200);
  HWND label = window.AddChild(L"Static", 10, 40, 80, 20);
  HWND list = window.AddChild(L"ListBox", 10, 70, 80, 40);
  HWND ownerDrawn = window.AddChild(L"ListBox", 100, 70, 80, 40, LBS_OWNERDRAWFIXED);
  HWND combo = window.AddChild(L"ComboBox", 200, 40, 80, 100, CBS_DROPDOWN);
  HWND comboEdit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  Skin().ApplySkin(window.Get(), 25);
  UpdateWindow(window.Get());
  HWND w = window.Get();
  HDC dc = GetDC(w);
  auto ask = [&](UINT message, HWND control) {
    return reinterpret_cast<HBRUSH>(SendMessageW(w, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  };
  HBRUSH firstBrush = ask(WM_CTLCOLORSTATIC, label);
  ASSERT_NE(firstBrush, nullptr);
  EXPECT_EQ(GetObjectType(firstBrush), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(GetPropValue(label, kPropBrush)), firstBrush);
  HBRUSH secondBrush = ask(WM_CTLCOLORSTATIC, label);
  EXPECT_EQ(GetObjectType(firstBrush), 0u) << "the brush it replaces is deleted";
  EXPECT_EQ(reinterpret_cast<HBRUSH>(GetPropValue(label, kPropBrush)), secondBrush);

  const HBRUSH hollow = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
  EXPECT_EQ(ask(WM_CTLCOLORLISTBOX, list), hollow);
  Seen().clear();
  EXPECT_NE(ask(WM_CTLCOLORLISTBOX, ownerDrawn), hollow);
  EXPECT_TRUE(SawMessage(WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(ownerDrawn)));
  if (comboEdit) {
    Seen().clear();
    ask(WM_CTLCOLOREDIT, comboEdit);
    EXPECT_TRUE(SawMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(comboEdit)))
        << "an edit inside a combo box keeps the previous procedure's colours";
  }
  ReleaseDC(w, dc);
}

TEST_F(SkinTest, CaptionButtonsShowThePictureAroundTheirGlyphs) {
  Skin().SetSkinImage({}, {}, kPlain);
  TestWindow window(300, 200);
  Skin().ApplySkin(window.Get(), 25);
  UpdateWindow(window.Get());
  const SkinWindow& record = RecordOf(window.Get());
  for (const CaptionButton& b : record.buttons) {
    // A corner of the button lies outside its glyph: only the faint sheen lies over the picture.
    const COLORREF corner = BufferPixel(record, static_cast<int>(b.x) + 1, static_cast<int>(b.y) + 16);
    EXPECT_LT(GetRValue(corner), 120) << std::hex << corner;
  }
}
