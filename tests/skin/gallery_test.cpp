// The gallery window: every family the engine skins is found and skinned there, and its
// screenshots (one plain, one with the pointer over a few controls) are kept for looking.
#include <filesystem>

#include "tests/skin/skin_fixture.h"
#include "tools/demo/screenshot.h"
#include "tools/skin_gallery/gallery.h"

TEST_F(SkinTest, GalleryShowsEveryFamilySkinned) {
  GalleryWindow gallery(Skin(), false);
  ASSERT_NE(gallery.Get(), nullptr);
  PumpFor(800);
  const int index = FindSkinWindow(gallery.Get());
  ASSERT_EQ(index, 1);
  struct Expect {
    const char* name;
    Family family;
  } expected[] = {
      {"check.auto", Family::CheckRadio},     {"check.plain", Family::CheckRadio},
      {"radio.first", Family::CheckRadio},    {"radio.second", Family::CheckRadio},
      {"combo.simple", Family::Combo},        {"combo.dropdown", Family::Combo},
      {"combo.list", Family::Combo},          {"track.bottom", Family::Trackbar},
      {"track.top", Family::Trackbar},        {"track.both", Family::Trackbar},
      {"track.selection", Family::Trackbar},  {"track.right", Family::Trackbar},
      {"track.left", Family::Trackbar},       {"track.vboth", Family::Trackbar},
      {"progress.empty", Family::Progress},   {"progress.full", Family::Progress},
      {"progress.vlow", Family::Progress},    {"updown.vertical", Family::UpDown},
      {"updown.horizontal", Family::UpDown},  {"updown.buddied", Family::UpDown},
      {"group", Family::Container},           {"panel", Family::Container},
      {"group.check", Family::CheckRadio},    {"group.progress", Family::Progress},
      {"panel.check", Family::CheckRadio},    {"panel.combo", Family::Combo},
      {"panel.track", Family::Trackbar},      {"panel.updown", Family::UpDown},
      {"tabs", Family::ColorKeyed},
  };
  for (const Expect& e : expected) {
    HWND control = gallery.Control(e.name);
    ASSERT_NE(control, nullptr) << e.name;
    EXPECT_GE(FindInFamilyList(index, e.family, control), 1) << e.name;
  }
  EXPECT_EQ(FindInFamilyList(index, Family::CheckRadio, gallery.Control("check.three")), 0) << "three-state left alone";
  const SkinWindow& record = RecordOf(gallery.Get());
  ASSERT_EQ(record.buttons.size(), 7u);  // two custom, help, menu, minimize, maximize, close
  EXPECT_EQ(record.buttons[0].kind, CaptionKind::Custom);
  EXPECT_EQ(record.buttons[1].kind, CaptionKind::Custom);
  EXPECT_EQ(record.buttons[2].kind, CaptionKind::Help);
  EXPECT_EQ(record.buttons[3].kind, CaptionKind::MainMenu);

  const auto dir = ScreenshotDir();
  EXPECT_TRUE(SaveWindowScreenshot(gallery.Get(), (dir / "skin_gallery.png").wstring()));
  for (const char* name : {"check.auto", "combo.list", "track.bottom", "updown.vertical", "radio.second"}) {
    SendMessageW(gallery.Control(name), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  }
  PumpFor(200);
  EXPECT_TRUE(SaveWindowScreenshot(gallery.Get(), (dir / "skin_gallery_hover.png").wstring()));
}
