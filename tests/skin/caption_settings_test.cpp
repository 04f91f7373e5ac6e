// Caption and window settings after skinning: custom caption buttons, the caption's style,
// a window's own picture, the help and menu callbacks, and the caption strip.
#include "gdiplus/image_objects.h"
#include "gdiplus/memory_stream.h"
#include "skin/frame_paint.h"
#include "tests/skin/skin_fixture.h"

namespace {

int g_calls[4];
void First() { ++g_calls[0]; }
void Second() { ++g_calls[1]; }
void Help() { ++g_calls[2]; }
void Menu() { ++g_calls[3]; }

ByteSet TwoColourPng() {
  BitmapObject bitmap;
  EXPECT_TRUE(bitmap.CreateBitmapFromScan0(40, 30));
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) bitmap.BitmapSetPixel(x, y, x < 20 ? 0xFFFF0000u : 0xFF0000FFu);
  }
  MemoryStream stream;
  stream.LoadBytes(nullptr, 0);
  EXPECT_TRUE(bitmap.SaveImageToStream(stream.Stream(), kImageFormatPng));
  return stream.ReadBytes();
}

COLORREF BufferPixel(const SkinWindow& record, int x, int y) {
  const auto* bits = static_cast<const std::uint32_t*>(record.backBuffer.Bits());
  const std::uint32_t p = bits[y * record.backBuffer.Width() + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace

TEST_F(SkinTest, CustomCaptionButtonsStandLeftInReverseOrder) {
  TestWindow window(400, 300, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  HWND w = window.Get();
  Skin().ApplySkin(w, 25);
  SkinWindow& record = RecordOf(w);
  const int width = record.stripWidth;
  const ByteSet glyph = TwoColourPng();
  g_calls[0] = g_calls[1] = 0;
  ASSERT_TRUE(Skin().AddCaptionButton(w, glyph, "第一 first", First));
  ASSERT_TRUE(Skin().AddCaptionButton(w, {}, "第二 second", Second));
  ASSERT_EQ(record.buttons.size(), 5u);
  EXPECT_EQ(record.stripWidth, width + 2 * 27);
  EXPECT_EQ(record.buttons[0].tooltip, "第二 second") << "the later one is leftmost";
  EXPECT_EQ(record.buttons[1].tooltip, "第一 first");
  EXPECT_EQ(record.buttons[0].kind, CaptionKind::Custom);
  EXPECT_EQ(record.buttons[0].image, nullptr);
  EXPECT_NE(record.buttons[1].image, nullptr);
  EXPECT_EQ(record.buttons.back().kind, CaptionKind::Close);
  RECT strip{};
  ASSERT_TRUE(Skin().GetCaptionStripRect(w, strip));
  RECT client{};
  GetClientRect(w, &client);
  EXPECT_EQ(strip.left, CaptionStripLeft(client.right, record.stripWidth));
  EXPECT_EQ(strip.right - strip.left, record.stripWidth);
  EXPECT_EQ(strip.bottom - strip.top, 22);
  // Laid out left to right, each button inside the strip and the client area.
  for (size_t i = 1; i < record.buttons.size(); ++i) EXPECT_GT(record.buttons[i].x, record.buttons[i - 1].x);
  EXPECT_GE(record.buttons[0].x, strip.left);
  EXPECT_LE(record.buttons.back().x + record.buttons.back().w, client.right - kFrameBorder);
  // Each acts through its own callback, also by a real press and release on it.
  Skin().OnCaptionButton(1, 1);
  EXPECT_EQ(g_calls[1], 1);
  const CaptionButton first = record.buttons[1];
  const LPARAM on = MAKELPARAM(static_cast<int>(first.x + 10), 10);
  UpdateWindow(w);
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, on);
  SendMessageW(w, WM_LBUTTONUP, 0, on);
  EXPECT_EQ(g_calls[0], 1);
  EXPECT_EQ(HitTestCaptionButton(1, static_cast<int>(first.x + 10), 10), 2);
}

TEST_F(SkinTest, HelpAndMenuButtonsCallTheirCallbacks) {
  TestWindow window(400, 300);
  SkinOptions options;
  options.showHelp = true;
  options.showMenu = true;
  Skin().ApplySkin(window.Get(), 25, options);
  SkinWindow& record = RecordOf(window.Get());
  ASSERT_EQ(record.buttons[0].kind, CaptionKind::Help);
  ASSERT_EQ(record.buttons[1].kind, CaptionKind::MainMenu);
  g_calls[2] = g_calls[3] = 0;
  Skin().OnCaptionButton(1, 1);  // no callbacks yet: nothing happens
  Skin().OnCaptionButton(1, 2);
  EXPECT_EQ(g_calls[2] + g_calls[3], 0);
  ASSERT_TRUE(Skin().SetHelpCallback(window.Get(), Help));
  ASSERT_TRUE(Skin().SetMenuCallback(window.Get(), Menu));
  Skin().OnCaptionButton(1, 1);
  Skin().OnCaptionButton(1, 2);
  Skin().OnCaptionButton(1, 2);
  EXPECT_EQ(g_calls[2], 1);
  EXPECT_EQ(g_calls[3], 2);
}

TEST_F(SkinTest, CaptionStyleChangesOnlyWhatIsGiven) {
  TestWindow window(300, 200);
  Skin().ApplySkin(window.Get(), 25);
  SkinWindow& record = RecordOf(window.Get());
  UpdateWindow(window.Get());
  ASSERT_TRUE(Skin().SetCaptionStyle(window.Get(), std::nullopt, std::nullopt, RGB(255, 0, 0)));
  EXPECT_EQ(record.captionText, RGB(255, 0, 0));
  EXPECT_EQ(record.captionFace, "宋体");
  EXPECT_EQ(record.captionSize, 12);
  EXPECT_EQ(record.captionStyle, 1);
  EXPECT_EQ(record.captionShade, 0x808080u);
  ASSERT_TRUE(Skin().SetCaptionStyle(window.Get(), std::string("黑体"), 14, std::nullopt, RGB(1, 2, 3), 0));
  EXPECT_EQ(record.captionFace, "黑体");
  EXPECT_EQ(record.captionSize, 14);
  EXPECT_EQ(record.captionShade, RGB(1, 2, 3));
  EXPECT_EQ(record.captionStyle, 0);
  EXPECT_EQ(record.captionText, RGB(255, 0, 0));
}

TEST_F(SkinTest, WindowImageInStretchModeIsKeptAsItIs) {
  Skin().SetSkinImage({}, {}, RGB(0, 255, 0));
  TestWindow window(400, 300);
  SkinOptions options;
  options.blendMode = kBlendStretched;
  Skin().ApplySkin(window.Get(), 25, options);
  UpdateWindow(window.Get());
  SkinWindow& record = RecordOf(window.Get());
  const ByteSet png = TwoColourPng();
  ASSERT_TRUE(Skin().SetWindowImage(window.Get(), png));
  EXPECT_EQ(record.preparedImage, png) << "stretching keeps the bytes unprocessed";
  EXPECT_EQ(record.blendMode, kBlendStretched);
  EXPECT_TRUE(record.needsFullRepaint);
  UpdateWindow(window.Get());
  EXPECT_FALSE(record.needsFullRepaint);
  // Stretched over the whole window: red on the left half, blue on the right.
  const COLORREF left = BufferPixel(record, 100, 200), right = BufferPixel(record, 300, 200);
  EXPECT_GT(GetRValue(left), 200);
  EXPECT_LT(GetBValue(left), 60);
  EXPECT_GT(GetBValue(right), 200);
  // The white-faded mode prepares the picture (PNG of the same size, with its fades).
  ASSERT_TRUE(Skin().SetWindowImage(window.Get(), png, kBlendWhiteFaded));
  EXPECT_NE(record.preparedImage, png);
  EXPECT_FALSE(record.preparedImage.empty());
}

TEST_F(SkinTest, SettingsOnAWindowThatIsNotSkinnedChangeNothing) {
  TestWindow skinned(300, 200);
  HWND child = skinned.AddChild(L"Static", 10, 40, 50, 20);
  Skin().ApplySkin(skinned.Get(), 25);
  TestWindow plain(300, 200);
  const size_t buttons = RecordOf(skinned.Get()).buttons.size();
  RECT strip{1, 2, 3, 4};
  for (HWND w : {plain.Get(), child, static_cast<HWND>(nullptr)}) {
    EXPECT_FALSE(Skin().AddCaptionButton(w, {}, "x", First));
    EXPECT_FALSE(Skin().SetCaptionStyle(w, std::string("x")));
    EXPECT_FALSE(Skin().SetWindowImage(w, TwoColourPng()));
    EXPECT_FALSE(Skin().SetHelpCallback(w, Help));
    EXPECT_FALSE(Skin().SetMenuCallback(w, Menu));
    EXPECT_FALSE(Skin().GetCaptionStripRect(w, strip));
    EXPECT_FALSE(Skin().SetContainerAlpha(w, 10));
    EXPECT_EQ(Skin().AddColorKeyedControl(plain.Get()), 0);
  }
  EXPECT_EQ(strip.left, 1);
  EXPECT_EQ(RecordOf(skinned.Get()).buttons.size(), buttons);
  EXPECT_EQ(RecordOf(skinned.Get()).captionFace, "宋体");
  EXPECT_EQ(Skin().AddContainer(plain.AddChild(L"Static", 0, 0, 10, 10)), 0);
  EXPECT_FALSE(Skin().SetEditTextColor(plain.AddChild(L"Edit", 0, 0, 10, 10), RGB(1, 1, 1)));
}
