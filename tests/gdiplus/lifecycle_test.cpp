// Ownership of GDI+ objects through the wrappers: every object is deleted exactly once,
// by the wrapper that holds it, and the latest status belongs to the calling thread.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "gdiplus/brush_objects.h"
#include "gdiplus/flat_api.h"
#include "gdiplus/font_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/image_objects.h"
#include "gdiplus/path_object.h"
#include "gdiplus/pen_object.h"
#include "gdiplus/region_object.h"
#include "gdiplus/string_format_object.h"
#include "test_support.h"

namespace {

using Trace = std::vector<std::string>;

template <typename Body>
Trace TraceOf(Body body) {
  gdip_flat::StartTrace();
  body();
  return gdip_flat::StopTrace();
}

// Leaves a known, non-Ok status behind.
void FailOnPurpose() {
  PathObject path;
  path.CreatePath2(nullptr, nullptr, -1);
  ASSERT_EQ(LastStatus(), gp::InvalidParameter);
}

// Kept for the whole run and never destroyed: its destructor would run after GDI+ is shut down.
BitmapObject& Canvas() {
  static BitmapObject* const canvas = new BitmapObject(MakeBitmap(8, 8));
  return *canvas;
}

struct Kind {
  const char* name;
  std::function<std::unique_ptr<DrawingObject>()> make;
  std::function<bool(DrawingObject&)> destroy;
  const char* deleteFunction;
};

template <typename T, typename Make>
std::unique_ptr<DrawingObject> Made(Make make) {
  auto object = std::make_unique<T>();
  EXPECT_TRUE(make(*object)) << "status " << LastStatus();
  return object;
}

std::vector<Kind> Kinds() {
  return {
      {"graphics",
       [] { return Made<GraphicsObject>([](auto& g) { return g.GetImageGraphicsContext(Canvas()); }); },
       [](DrawingObject& o) { return static_cast<GraphicsObject&>(o).DeleteGraphics(); },
       "GdipDeleteGraphics"},
      {"path", [] { return Made<PathObject>([](auto& p) { return p.CreatePath(); }); },
       [](DrawingObject& o) { return static_cast<PathObject&>(o).DeletePath(); }, "GdipDeletePath"},
      {"solid brush",
       [] { return Made<SolidBrushObject>([](auto& b) { return b.CreateSolidFill(0xFF102030); }); },
       [](DrawingObject& o) { return static_cast<BrushObject&>(o).DeleteBrush(); }, "GdipDeleteBrush"},
      {"linear brush",
       [] {
         return Made<LinearBrushObject>([](auto& b) {
           return b.CreateLineBrush({0, 0}, {10, 0}, 0xFF000000, 0xFFFFFFFF);
         });
       },
       [](DrawingObject& o) { return static_cast<BrushObject&>(o).DeleteBrush(); }, "GdipDeleteBrush"},
      {"path brush",
       [] {
         return Made<PathBrushObject>([](auto& b) {
           const gp::PointF points[] = {{0, 0}, {10, 0}, {5, 10}};
           return b.CreatePathGradient(points, 3);
         });
       },
       [](DrawingObject& o) { return static_cast<BrushObject&>(o).DeleteBrush(); }, "GdipDeleteBrush"},
      {"pen", [] { return Made<PenObject>([](auto& p) { return p.CreatePen1(0xFF000000, 1); }); },
       [](DrawingObject& o) { return static_cast<PenObject&>(o).DeletePen(); }, "GdipDeletePen"},
      {"font family",
       [] { return Made<FontFamilyObject>([](auto& f) { return f.CreateFontFamilyFromName("宋体"); }); },
       [](DrawingObject& o) { return static_cast<FontFamilyObject&>(o).DeleteFontFamily(); },
       "GdipDeleteFontFamily"},
      {"font",
       [] {
         return Made<FontObject>([](auto& f) { return f.CreateFont("宋体", 12); });
       },
       [](DrawingObject& o) { return static_cast<FontObject&>(o).DeleteFont(); }, "GdipDeleteFont"},
      {"string format",
       [] { return Made<StringFormatObject>([](auto& f) { return f.CreateStringFormat(); }); },
       [](DrawingObject& o) { return static_cast<StringFormatObject&>(o).DeleteStringFormat(); },
       "GdipDeleteStringFormat"},
      {"image",
       [] {
         return Made<ImageObject>([](auto& i) {
           BitmapObject source = MakeBitmap(4, 4);
           return i.LoadImageFromBytes(EncodePng(source));
         });
       },
       [](DrawingObject& o) { return static_cast<ImageObject&>(o).DisposeImage(); }, "GdipDisposeImage"},
      {"bitmap", [] { return Made<BitmapObject>([](auto& b) { return b.CreateBitmapFromScan0(4, 4); }); },
       [](DrawingObject& o) { return static_cast<BitmapObject&>(o).DisposeImage(); }, "GdipDisposeImage"},
      {"region", [] { return Made<RegionObject>([](auto& r) { return r.CreateRegion(); }); },
       [](DrawingObject& o) { return static_cast<RegionObject&>(o).DeleteRegion(); }, "GdipDeleteRegion"},
      {"private font collection",
       [] { return Made<FontCollectionObject>([](auto& c) { return c.NewPrivateFontCollection(); }); },
       [](DrawingObject& o) { return static_cast<FontCollectionObject&>(o).DeleteFontCollection(); },
       "GdipDeletePrivateFontCollection"},
  };
}

TEST(Lifecycle, DeleteRunsOnceAndAnEmptyWrapperNeverCallsGdiplus) {
  for (const Kind& kind : Kinds()) {
    SCOPED_TRACE(kind.name);
    std::unique_ptr<DrawingObject> object = kind.make();
    ASSERT_FALSE(object->Empty());
    EXPECT_EQ(TraceOf([&] { EXPECT_TRUE(kind.destroy(*object)); }), Trace{kind.deleteFunction});
    EXPECT_TRUE(object->Empty());

    FailOnPurpose();
    EXPECT_EQ(TraceOf([&] { EXPECT_FALSE(kind.destroy(*object)); }), Trace{});
    EXPECT_EQ(LastStatus(), gp::InvalidParameter) << "an empty delete must keep the status";
    // Nor does the destructor of an emptied wrapper call GDI+.
    EXPECT_EQ(TraceOf([&] { object.reset(); }), Trace{});
  }
}

TEST(Lifecycle, DestroyingAWrapperDeletesItsObject) {
  for (const Kind& kind : Kinds()) {
    SCOPED_TRACE(kind.name);
    std::unique_ptr<DrawingObject> object = kind.make();
    EXPECT_EQ(TraceOf([&] { object.reset(); }), Trace{kind.deleteFunction});
  }
}

TEST(Lifecycle, ACreatorOnAFullWrapperDeletesTheOldObjectAfterMakingTheNewOne) {
  PathObject path;
  ASSERT_TRUE(path.CreatePath());
  void* first = path.GetNative();
  EXPECT_EQ(TraceOf([&] { EXPECT_TRUE(path.CreatePath()); }),
            (Trace{"GdipCreatePath", "GdipDeletePath"}));
  EXPECT_NE(path.GetNative(), first);

  // A clone of the wrapper's own object into itself.
  ASSERT_TRUE(path.AddPathRectangle(0, 0, 5, 5));
  EXPECT_EQ(TraceOf([&] { EXPECT_TRUE(path.ClonePath(path)); }),
            (Trace{"GdipClonePath", "GdipDeletePath"}));
  EXPECT_EQ(path.GetPointCount(), 4);
}

TEST(Lifecycle, AFailedCreatorKeepsTheOldObject) {
  PathObject path;
  ASSERT_TRUE(path.CreatePath());
  ASSERT_TRUE(path.AddPathLine(0, 0, 1, 1));
  void* held = path.GetNative();
  const Trace trace = TraceOf([&] { EXPECT_FALSE(path.CreatePath2(nullptr, nullptr, -1)); });
  EXPECT_EQ(trace, Trace{"GdipCreatePath2"});
  EXPECT_EQ(LastStatus(), gp::InvalidParameter);
  EXPECT_EQ(path.GetNative(), held);
  EXPECT_EQ(path.GetPointCount(), 2);
}

TEST(Lifecycle, MovingHandsOverTheObjectAndAssignmentDeletesTheTargetsOwn) {
  PenObject a;
  PenObject b;
  ASSERT_TRUE(a.CreatePen1(0xFF000000, 3));
  ASSERT_TRUE(b.CreatePen1(0xFF000000, 5));
  void* held = a.GetNative();

  PenObject moved(std::move(a));
  EXPECT_TRUE(a.Empty());
  EXPECT_EQ(moved.GetNative(), held);

  EXPECT_EQ(TraceOf([&] { b = std::move(moved); }), Trace{"GdipDeletePen"});
  EXPECT_EQ(b.GetNative(), held);
  EXPECT_FLOAT_EQ(b.GetPenWidth(), 3.0f);
  EXPECT_EQ(TraceOf([&] { b = std::move(b); }), Trace{}) << "self-move keeps the pen";
  EXPECT_EQ(b.GetNative(), held);
}

TEST(Lifecycle, AnImageMovesWithItsStream) {
  BitmapObject source = MakeBitmap(6, 3, 0xFF00FF00);
  ImageObject image;
  ASSERT_TRUE(image.LoadImageFromBytes(EncodePng(source)));
  ASSERT_NE(image.Stream().Stream(), nullptr);

  ImageObject other;
  other = std::move(image);
  EXPECT_EQ(image.Stream().Stream(), nullptr);
  EXPECT_NE(other.Stream().Stream(), nullptr);
  EXPECT_EQ(other.GetImageWidth(), 6u);

  EXPECT_TRUE(other.DisposeImage());
  EXPECT_EQ(other.Stream().Stream(), nullptr) << "the stream goes with the image";
}

TEST(Lifecycle, SetNativeAdoptsAndDetachReleasesOwnership) {
  RegionObject region;
  ASSERT_TRUE(region.CreateRegion());
  gp::GpRegion* raw = nullptr;
  ASSERT_EQ(GDIP_CALL(GdipCreateRegion, &raw), gp::Ok);
  EXPECT_EQ(TraceOf([&] { region.SetNative(raw); }), Trace{"GdipDeleteRegion"});
  EXPECT_EQ(region.GetNative(), raw);
  EXPECT_EQ(TraceOf([&] { region.SetNative(raw); }), Trace{}) << "the same object again";

  void* detached = region.Detach();
  EXPECT_EQ(TraceOf([&] { region.DeleteRegion(); }), Trace{});
  EXPECT_EQ(GDIP_CALL(GdipDeleteRegion, static_cast<gp::GpRegion*>(detached)), gp::Ok);
}

TEST(Lifecycle, TheInstalledFontCollectionIsNeverDeleted) {
  FontCollectionObject installed;
  ASSERT_TRUE(installed.NewInstalledFontCollection());
  EXPECT_GT(installed.GetFontCollectionFamilyCount(), 0);
  EXPECT_EQ(TraceOf([&] { EXPECT_TRUE(installed.DeleteFontCollection()); }), Trace{});
  // Still usable through a new wrapper: it was not freed.
  FontCollectionObject again;
  ASSERT_TRUE(again.NewInstalledFontCollection());
  EXPECT_GT(again.GetFontCollectionFamilyCount(), 0);
}

TEST(Lifecycle, FamiliesListedFromACollectionAreCopiesTheWrappersOwn) {
  FontCollectionObject installed;
  ASSERT_TRUE(installed.NewInstalledFontCollection());
  std::vector<FontFamilyObject> families = installed.GetFontCollectionFamilyList();
  ASSERT_EQ(static_cast<int>(families.size()), installed.GetFontCollectionFamilyCount());
  for (FontFamilyObject& family : families) ASSERT_FALSE(family.Empty());
  const std::wstring first = families.front().GetFamilyNameWide();
  families.clear();  // deletes every copy
  std::vector<FontFamilyObject> again = installed.GetFontCollectionFamilyList();
  ASSERT_FALSE(again.empty());
  EXPECT_EQ(again.front().GetFamilyNameWide(), first);
}

TEST(LastStatus, IsKeptPerThread) {
  PathObject path;
  ASSERT_TRUE(path.CreatePath());
  ASSERT_EQ(LastStatus(), gp::Ok);
  gp::Status seenThere = gp::Ok;
  std::thread other([&] {
    FailOnPurpose();
    seenThere = LastStatus();
  });
  other.join();
  EXPECT_EQ(seenThere, gp::InvalidParameter);
  EXPECT_EQ(LastStatus(), gp::Ok) << "another thread's failure must not show here";
}

TEST(LastStatus, IsNotOverwrittenByAWrapperDyingOrBeingReplaced) {
  FailOnPurpose();
  { PathObject temporary; temporary.Detach(); }
  {
    RegionObject dying;
    gp::GpRegion* raw = nullptr;
    ASSERT_EQ(GDIP_CALL(GdipCreateRegion, &raw), gp::Ok);
    dying.SetNative(raw);
    ASSERT_EQ(LastStatus(), gp::InvalidParameter);
  }
  EXPECT_EQ(LastStatus(), gp::InvalidParameter) << "a destructor must not report";
}

TEST(LastStatus, GettersRecordTheStatusOfTheirCall) {
  PenObject empty;
  EXPECT_EQ(empty.GetPenWidth(), 0.0f);
  EXPECT_EQ(LastStatus(), gp::InvalidParameter);
  PenObject pen;
  ASSERT_TRUE(pen.CreatePen1(0xFF000000, 2.5f));
  EXPECT_FLOAT_EQ(pen.GetPenWidth(), 2.5f);
  EXPECT_EQ(LastStatus(), gp::Ok);
}

}  // namespace
