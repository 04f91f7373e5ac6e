#include "skin/skin_core.h"

#include <algorithm>
#include <cctype>

#include "gdiplus/font_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/image_objects.h"
#include "gdiplus/path_object.h"

namespace {

std::unique_ptr<EngineState> g_engine;
std::array<FamilyInstaller, kFamilyCount> g_installers{};
OwnerDrawPainter g_ownerDrawPainter = nullptr;

}  // namespace

PaintCounters& EngineCounters() {
  static PaintCounters counters;
  return counters;
}

LONG_PTR GetPropValue(HWND window, const char* name) {
  ++EngineCounters().propertyLookups;
  return window ? reinterpret_cast<LONG_PTR>(GetPropA(window, name)) : 0;
}

void SetPropValue(HWND window, const char* name, LONG_PTR value) {
  if (window) SetPropA(window, name, reinterpret_cast<HANDLE>(value));
}

bool Surface::Create(int width, int height) {
  Reset();
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc_ = CreateCompatibleDC(nullptr);
  ++EngineCounters().dibSections;
  bitmap_ = dc_ ? CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0) : nullptr;
  if (!bitmap_) {
    Reset();
    return false;
  }
  previous_ = SelectObject(dc_, bitmap_);
  width_ = width;
  height_ = height;
  return true;
}

void Surface::Reset() {
  if (dc_ && previous_) SelectObject(dc_, previous_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  previous_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

PixelGraphics::PixelGraphics(HDC dc) {
  if (!dc) return;
  DIBSECTION dib{};
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  if (bitmap && GetObjectW(bitmap, sizeof dib, &dib) == sizeof dib && dib.dsBm.bmBits && dib.dsBm.bmBitsPixel == 32 &&
      dib.dsBmih.biHeight < 0) {
    GdiFlush();
    if (OnPixels(dib.dsBm.bmBits, dib.dsBm.bmWidth, dib.dsBm.bmHeight)) return;
  }
  graphics_.CreateFromHDC(dc);
}

bool PixelGraphics::OnPixels(void* bits, int width, int height) {
  // The alpha bytes of a DIB that GDI drew on mean nothing: the pixels are taken as opaque.
  if (bits && bitmap_.CreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppRGB, static_cast<std::uint8_t*>(bits)) &&
      graphics_.GetImageGraphicsContext(bitmap_)) {
    return true;
  }
  graphics_.DeleteGraphics();
  bitmap_.DisposeImage();
  return false;
}

ControlBrush::~ControlBrush() {
  if (brush && !stock) DeleteObject(brush);
}

void ControlBrush::Replace(HBRUSH newBrush, bool isStock, HBITMAP newBitmap) {
  if (brush && !stock) DeleteObject(brush);
  brush = newBrush;
  stock = isStock;
  bitmap.reset(newBitmap);
}

EngineState::~EngineState() {
  // Records first: their tooltips and surfaces go before the pictures and GDI+ itself.
  windows.clear();
  for (BackdropEntry& entry : backdrops) {
    SelectObject(entry.dc, entry.previous);
    DeleteObject(entry.bitmap);
    DeleteDC(entry.dc);
  }
  backdrops.clear();
  skinPicture.reset();
  for (auto& glyph : glyphs) glyph.reset();
  namedGlyphs.clear();
}

EngineState& Engine() { return *g_engine; }
bool EngineRunning() { return g_engine != nullptr; }

void CreateEngineState() {
  g_engine = std::make_unique<EngineState>();
  g_engine->skinColour = GetSysColor(COLOR_BTNFACE);
}

void DestroyEngineState() { g_engine.reset(); }

bool TintingOn() { return g_engine && g_engine->tintSwitch && g_engine->veilAlphaGiven; }

SkinWindow* SkinWindowAt(int index) {
  if (!g_engine || index < 1 || index > static_cast<int>(g_engine->windows.size())) return nullptr;
  return g_engine->windows[index - 1].get();
}

int FindSkinWindow(HWND window) {
  if (!g_engine || !window) return 0;
  for (size_t i = 0; i < g_engine->windows.size(); ++i) {
    if (g_engine->windows[i]->window == window) return static_cast<int>(i) + 1;
  }
  return 0;
}

int FindSkinnedAncestor(HWND window) {
  for (HWND w = window; w; w = GetParent(w)) {
    if (const int index = FindSkinWindow(w)) return index;
  }
  return 0;
}

int FindInFamilyList(int skinIndex, Family family, HWND window) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record || !window) return 0;
  auto& list = record->List(family);
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i]->window == window) return static_cast<int>(i) + 1;
  }
  return 0;
}

namespace {
ControlRecord* RecordOfControl(HWND control) {
  if (!g_engine || !control) return nullptr;
  const auto it = g_engine->controls.find(control);
  return it == g_engine->controls.end() ? nullptr : it->second;
}
}  // namespace

ControlRecord* FamilyRecordOf(HWND control, Family family) {
  ControlRecord* found = RecordOfControl(control);
  SkinWindow* record = found ? SkinWindowAt(found->skinIndex) : nullptr;
  if (!record) return nullptr;
  auto& list = record->List(family);
  const int index = found->listIndex;
  if (index < 1 || index > static_cast<int>(list.size()) || list[index - 1].get() != found) return nullptr;
  return found->window == control ? found : nullptr;
}

int SkinIndexOf(HWND control) {
  const ControlRecord* found = RecordOfControl(control);
  return found ? found->skinIndex : 0;
}

int ListIndexOf(HWND control) {
  const ControlRecord* found = RecordOfControl(control);
  return found ? found->listIndex : 0;
}

COLORREF TextColourOf(HWND control) {
  if (!g_engine) return 0;
  const auto it = g_engine->textColours.find(control);
  return it == g_engine->textColours.end() ? 0 : it->second;
}

void SetTextColourOf(HWND control, COLORREF colour) {
  SetPropValue(control, kPropTextColour, static_cast<LONG_PTR>(colour));
  if (g_engine) g_engine->textColours[control] = colour;
}

void ForgetControlColour(HWND control) {
  if (!control) return;
  RemovePropA(control, kPropBrush);
  RemovePropA(control, kPropBrushBitmap);
  RemovePropA(control, kPropTextColour);
  if (!g_engine) return;
  g_engine->textColours.erase(control);
  for (const auto& window : g_engine->windows) window->brushes.erase(control);
}

void ForgetControlsOf(SkinWindow& window) {
  if (!g_engine) return;
  for (const auto& list : window.families) {
    for (const auto& control : list) {
      for (auto* map : {&g_engine->controls, &g_engine->keyedControls}) {
        const auto it = map->find(control->window);
        if (it != map->end() && it->second == control.get()) map->erase(it);
      }
    }
  }
}

int AddFamilyRecord(int skinIndex, Family family, std::unique_ptr<ControlRecord> record) {
  SkinWindow* window = SkinWindowAt(skinIndex);
  if (!window) return 0;
  auto& list = window->List(family);
  list.push_back(std::move(record));
  return static_cast<int>(list.size());
}

void SubclassControl(HWND control, ControlRecord& record, int skinIndex, int listIndex, WNDPROC procedure) {
  record.window = control;
  record.skinIndex = skinIndex;
  record.listIndex = listIndex;
  if (g_engine) g_engine->controls[control] = &record;
  SetPropValue(control, kPropListIndex, listIndex);
  SetPropValue(control, kPropSkinIndex, skinIndex);
  record.previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
  SetPropValue(control, kPropPrevious, reinterpret_cast<LONG_PTR>(record.previous));
}

void ReleaseControl(HWND control, ControlRecord& record) {
  if (record.previous) SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record.previous));
  RemovePropA(control, kPropListIndex);
  RemovePropA(control, kPropSkinIndex);
  RemovePropA(control, kPropPrevious);
  ForgetControlColour(control);
  if (g_engine) {
    const auto it = g_engine->controls.find(control);
    if (it != g_engine->controls.end() && it->second == &record) g_engine->controls.erase(it);
  }
  record.window = nullptr;
}

LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(GetPropValue(window, kPropPrevious));
  if (!previous) return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

FamilyInstaller& InstallerFor(Family family) { return g_installers[static_cast<int>(family)]; }
OwnerDrawPainter& OwnerDrawnButtonPainter() { return g_ownerDrawPainter; }

void RunInstallers(int skinIndex, HWND parent) {
  // Containers and colour-keyed controls are registered by the application, never found.
  for (int f = 0; f < static_cast<int>(Family::Container); ++f) {
    if (g_installers[f] && SkinWindowAt(skinIndex)) g_installers[f](skinIndex, parent);
  }
}

std::uint32_t ToArgb(COLORREF colour, int alpha) {
  const std::uint32_t a = static_cast<std::uint32_t>(std::clamp(alpha, 0, 255));
  return a << 24 | static_cast<std::uint32_t>(GetRValue(colour)) << 16 |
         static_cast<std::uint32_t>(GetGValue(colour)) << 8 | GetBValue(colour);
}

void AddRoundedRectPath(PathObject& path, float x, float y, float width, float height, float corner) {
  corner = std::clamp(corner, 1.0f, 100.0f);
  path.AddPathArc(x + width - corner, y, corner, corner, 270, 90);
  path.AddPathArc(x + width - corner - 1, y + height - corner - 1, corner + 1, corner + 1, 0, 90);
  path.AddPathArc(x, y + height - corner, corner, corner, 90, 90);
  path.AddPathArc(x, y, corner, corner, 180, 90);
  path.ClosePathFigure();
}

RECT RectRelativeTo(HWND outer, HWND inner) {
  RECT o{}, r{};
  GetWindowRect(outer, &o);
  GetWindowRect(inner, &r);
  OffsetRect(&r, -o.left, -o.top);
  return r;
}

RECT RectInRoot(HWND window) { return RectRelativeTo(GetAncestor(window, GA_ROOT), window); }

ControlFont ReadControlFont(HWND window) {
  ControlFont result;
  auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  WindowDc dc(window);
  if (!dc.Get()) return result;
  FontObject gpFont;
  if (!gpFont.CreateFontFromHFont(dc.Get(), font)) return result;
  result.size = static_cast<int>(gpFont.GetFontSize());
  result.style = gpFont.GetFontStyle();
  FontFamilyObject family;
  if (gpFont.GetFamily(family)) result.face = family.GetFamilyName();
  return result;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  ++EngineCounters().classLookups;
  GetClassNameA(window, name, sizeof name);
  std::string s(name);
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool IsClass(HWND window, const char* lowerName) { return window && ClassOf(window) == lowerName; }
