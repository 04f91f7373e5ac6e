#pragma once
// The skin engine's own state: the skinned top-level windows with their records, the
// engine-wide settings, the window properties, and the helpers every family shares.
// Internal to skin/; the application sees skin/skin.h only. Everything here is used on the
// window thread alone.
#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "gdiplus/drawing_object.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/image_objects.h"
#include "gdiplus/tool_tip.h"
#include "runtime/handles.h"
#include "skin/hover.h"
#include "skin/palette.h"
#include "skin/paint_counters.h"
#include "skin/skin.h"

class PathObject;
class ImageObject;

// Window properties, each holding a pointer-sized value.
inline constexpr char kPropSkinIndex[] = "Hw_FuID";    // skin window index of a control
inline constexpr char kPropListIndex[] = "Hw_lbID";    // own index (top level: skin index)
inline constexpr char kPropPrevious[] = "Hw_hProc";    // the replaced window procedure
inline constexpr char kPropTextColour[] = "Kj_Ztys";   // COLORREF, 0 until set
inline constexpr char kPropBrush[] = "Kj_dxjb";        // brush last handed out for the control
inline constexpr char kPropBrushBitmap[] = "Kj_wtjb";  // bitmap under that brush
inline constexpr char kPropKeyedSkinIndex[] = "Kj_FuID";
inline constexpr char kPropKeyedListIndex[] = "Kj_lbID";
inline constexpr char kPropKeyedPrevious[] = "Kj_hProc";
inline constexpr char kPropBackBitmapOut[] = "Ck_Ycjdx";  // bitmap first selected out of the back buffer
inline constexpr char kPropBackBitmap[] = "Ck_wtjbdx";    // bitmap of the back buffer
inline constexpr char kPropPictureFrameOf[] = "Mb_zpf";
inline constexpr char kPropPictureFrame[] = "Wxk_Zpf";
inline constexpr char kPropPictureLayer[] = "Wxk_Cj";

LONG_PTR GetPropValue(HWND window, const char* name);
void SetPropValue(HWND window, const char* name, LONG_PTR value);

// The control families, in the order the installers run.
enum class Family : int {
  PushButton, CheckRadio, Edit, Combo, Trackbar, Progress, ListControl, UpDown, Header,
  Container, ColorKeyed, Count
};
inline constexpr int kFamilyCount = static_cast<int>(Family::Count);

// What every family record holds; families derive their own.
struct ControlRecord {
  virtual ~ControlRecord() = default;
  HWND window = nullptr;
  WNDPROC previous = nullptr;
  // The same numbers as the control's Hw_FuID and Hw_lbID (or Kj_FuID and Kj_lbID), kept
  // here so that a message never asks the window server for them.
  int skinIndex = 0;
  int listIndex = 0;
};

// A group box or panel registered with the engine; its tint lies over the backdrop of
// everything inside it.
struct ContainerRecord : ControlRecord {
  int value = 0;  // tint COLORREF when non-zero
  int alpha = 255;
  bool border = false;
  bool needsFullRedraw = true;
  bool isGroupBox = false;
  bool drawBackground = true;
  std::string fontFace;
  int fontSize = 0, fontStyle = 0;
  std::vector<std::pair<HWND, int>> docked;
};

enum class CaptionKind : int { Close = 0, Maximize = 1, Minimize = 2, MainMenu = 3, Help = 4, Custom = 5 };
using SkinCallback = void (*)();

struct CaptionButton {
  int width = 26, height = 18;
  std::shared_ptr<ImageObject> image;        // the glyph
  std::shared_ptr<ImageObject> secondImage;  // maximize: the restore glyph
  CaptionKind kind = CaptionKind::Close;
  std::string tooltip;  // GBK
  SkinCallback callback = nullptr;
  float x = 0, y = 0, w = 0, h = 0;  // in window coordinates
};

// A memory DC with a 32-bit top-down bitmap selected into it; frees both exactly once.
class Surface {
 public:
  Surface() = default;
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  ~Surface() { Reset(); }
  // A fresh w x h surface; the previous picture is gone. False when GDI refuses.
  bool Create(int width, int height);
  // Keeps the surface when it is at least w x h (a control whose scroll bar comes and goes
  // would otherwise make a bitmap each time); a fresh one otherwise. False when GDI refuses.
  bool Cover(int width, int height) {
    return (dc_ && width_ >= width && height_ >= height) || Create(width, height);
  }
  void Reset();
  HDC Dc() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void* Bits() const { return bits_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  void* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};

// A GDI+ graphics over a DC or a Surface. When the DC holds a 32-bit top-down DIB section (a
// Surface, a backdrop) it draws straight into the pixels: much cheaper under Wine than a
// graphics over the DC, which reads the pixels back for every call. GDI's pending work is
// flushed first so both see the same pixels. Any other DC is drawn through.
class PixelGraphics {
 public:
  explicit PixelGraphics(HDC dc);
  explicit PixelGraphics(const Surface& surface) : PixelGraphics(surface.Dc()) {}
  // Over width x height 32-bit pixels, top row first, taken as opaque.
  PixelGraphics(void* bits, int width, int height) { OnPixels(bits, width, height); }
  PixelGraphics(const PixelGraphics&) = delete;
  PixelGraphics& operator=(const PixelGraphics&) = delete;
  bool Ok() const { return !graphics_.Empty(); }
  GraphicsObject& Get() { return graphics_; }

 private:
  bool OnPixels(void* bits, int width, int height);

  BitmapObject bitmap_;      // declared first: the graphics over it goes before it
  GraphicsObject graphics_;
};

struct FadeState {
  int button = 0;  // 1-based, 0 for none
  int step = 0;    // 0..8
};

// What the skin behind a rectangle of a control depends on. Stale when
//  - the window's back buffer is written (its generation moves: a full paint, a new skin
//    picture, a resize of the window, the caption's fades and title),
//  - the control moves or changes size within its window (place),
//  - the veil is switched or its alpha changes, or
//  - the enclosing container's tint changes.
struct BackdropKey {
  int skinIndex = 0;
  int generation = -1;
  RECT place{};  // in the coordinates of the picture it is copied from
  int veilAlpha = -1;  // -1: not veiled
  COLORREF tint = 0;
  int tintAlpha = 0;
  bool operator==(const BackdropKey& o) const {
    return skinIndex == o.skinIndex && generation == o.generation && EqualRect(&place, &o.place) &&
           veilAlpha == o.veilAlpha && tint == o.tint && tintAlpha == o.tintAlpha;
  }
};

// The brush and bitmap last handed to one control in WM_CTLCOLOR*; the record owns them,
// so they are freed once even when the control has gone before its window.
struct ControlBrush {
  HBRUSH brush = nullptr;    // a stock brush is never deleted
  bool stock = false;
  UniqueBitmap bitmap;
  BackdropKey key;  // of the picture in the bitmap
  ~ControlBrush();
  void Replace(HBRUSH newBrush, bool isStock, HBITMAP newBitmap);
};

struct SkinWindow {
  HWND window = nullptr;
  int captionHeight = 25;
  bool showHelp = false, showMenu = false;
  bool hasMinimize = false, hasMaximize = false, showClose = true;
  bool showTitle = true;
  int callerValue = 0;
  WNDPROC previous = nullptr;
  ByteSet preparedImage;  // the window's own background, if given
  int blendMode = kBlendAsIs;
  COLORREF imageColour = 0;
  std::vector<CaptionButton> buttons;
  int stripLeft = 0, stripTop = 0, stripWidth = 0, stripHeight = 22;
  bool maximized = false, minimized = false;
  int minTrackWidth = 200, minTrackHeight = 150;
  int screenWidth = 0, screenHeight = 0;
  bool borderResize = true;   // border resizing and maximize by double click
  bool captionActive = true;  // caption buttons, caption drag and the border
  COLORREF captionText = 0xFFFFFF, captionShade = 0x808080;
  std::string captionFace;  // GBK
  int captionSize = 12, captionStyle = 1;
  int hoveredButton = 0;
  int pressedButton = 0;
  HoverSpot hover;
  SkinCallback helpCallback = nullptr, menuCallback = nullptr;
  ToolTip tooltip;
  int bandHeight = 0;
  std::vector<BandItem> bandItems;
  bool skinned = false;
  bool needsFullRepaint = true;
  bool mouseInside = false;
  FadeState fadeIn, fadeOut;
  bool fadeTimerRunning = false;
  bool appActive = true;  // one deactivation starts one trim, however often it is reported
  Surface backBuffer, captionCache, bandCache;
  int backBufferGeneration = 0;  // moves at every write to the back buffer; control caches key on it
  // The back buffer under the white veil, shared by every veiled backdrop of the window;
  // made again when the back buffer's generation or the veil's alpha moves.
  Surface veiledBuffer;
  int veiledGeneration = -1, veiledAlpha = -1;
  Surface background;  // the scaled picture alone, for the next full paint of this size
  int backgroundGeneration = -1;
  SIZE regionSize{-1, -1};
  std::vector<std::pair<HWND, int>> docked;
  std::array<std::vector<std::unique_ptr<ControlRecord>>, kFamilyCount> families;
  std::map<HWND, ControlBrush> brushes;

  std::vector<std::unique_ptr<ControlRecord>>& List(Family f) { return families[static_cast<int>(f)]; }
};

// One memory DC handed out by PaintBackdrop and not yet released.
struct BackdropEntry {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  void* bits = nullptr;  // its top-down 32-bit pixels
  int width = 0, height = 0;
};

using FamilyInstaller = void (*)(int skinIndex, HWND parent);
using OwnerDrawPainter = void (*)(const DRAWITEMSTRUCT& item);

struct EngineState {
  std::vector<std::unique_ptr<SkinWindow>> windows;
  bool oneShot = false;
  bool tintSwitch = true;
  bool veilAlphaGiven = false;
  int veilAlpha = 160;
  int trackbarFrame = 1;
  COLORREF skinColour = 0;
  COLORREF accentColour = palette::kGlow;
  int blendMode = kBlendAsIs;
  ByteSet skinImage;
  std::unique_ptr<ImageObject> skinPicture;  // skinImage decoded once
  int pictureGeneration = 0;                 // raised by every change of the picture
  std::vector<BackdropEntry> backdrops;
  HICON icon = nullptr;
  bool iconOwned = false;
  SkinCallback deactivated = nullptr;
  // Caption glyphs by kind (close, maximize, minimize, main menu, help) and the restore glyph.
  std::array<std::shared_ptr<ImageObject>, 6> glyphs;
  bool glyphsLoaded = false;
  // The control families' glyphs by resource name (nullptr: missing), decoded on first use.
  std::map<std::wstring, std::unique_ptr<ImageObject>> namedGlyphs;
  // Every subclassed control's record by window: the Hw_* families and the colour-keyed
  // controls (whose properties are the Kj_* ones) apart, since a window can be in both.
  // Entries go when the control is released or its skin window goes.
  std::unordered_map<HWND, ControlRecord*> controls, keyedControls;
  // Kj_Ztys of each control that has one, the same value kept for the paints to read.
  std::unordered_map<HWND, COLORREF> textColours;
  ~EngineState();
};

// The running engine's state; only valid between SkinEngine's construction and destruction.
EngineState& Engine();
bool EngineRunning();
// Creates a fresh state (each run of the program starts from the defaults) / drops it.
void CreateEngineState();
void DestroyEngineState();

// Tinting of control backgrounds is on: the switch is on and an alpha was given.
bool TintingOn();

// The record of a skin window by its 1-based index, or nullptr for any index out of range.
SkinWindow* SkinWindowAt(int index);
int FindSkinWindow(HWND window);
int FindSkinnedAncestor(HWND window);
int FindInFamilyList(int skinIndex, Family family, HWND window);
// The family record of a subclassed control, or nullptr when it has none in that family.
ControlRecord* FamilyRecordOf(HWND control, Family family);
// What the control's Hw_FuID and Hw_lbID hold, read from its record (0 for none).
int SkinIndexOf(HWND control);
int ListIndexOf(HWND control);
// A control's text colour (Kj_Ztys, 0 until set) / set it in the property and for the paints.
COLORREF TextColourOf(HWND control);
void SetTextColourOf(HWND control, COLORREF colour);
// Drops what WM_CTLCOLOR* and SetEditTextColor left for a control that is going: its brush
// and bitmap in the window record, Kj_dxjb, Kj_wtjb and Kj_Ztys.
void ForgetControlColour(HWND control);
// Forgets the records of a skin window's controls (the window is going).
void ForgetControlsOf(SkinWindow& window);
// Appends a record to a family list and gives its 1-based index.
int AddFamilyRecord(int skinIndex, Family family, std::unique_ptr<ControlRecord> record);
// Subclasses a control with a family procedure and sets its index properties.
void SubclassControl(HWND control, ControlRecord& record, int skinIndex, int listIndex, WNDPROC procedure);
// Undoes SubclassControl on the control's WM_NCDESTROY; the record keeps its place in its
// list (indexes stay stable) but no longer names a window.
void ReleaseControl(HWND control, ControlRecord& record);
// The previous procedure of a skinned window, for every message an engine procedure passes on.
LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Family installers and painters that later families fill in; unset entries install nothing.
FamilyInstaller& InstallerFor(Family family);
OwnerDrawPainter& OwnerDrawnButtonPainter();
// Runs every installer in order for the children of `parent`.
void RunInstallers(int skinIndex, HWND parent);

// Colour to GDI+: alpha (255 when not given) over the COLORREF's red, green and blue.
std::uint32_t ToArgb(COLORREF colour, int alpha = 255);
// Four arcs clockwise from the top right; the corner is clamped to 1..100.
void AddRoundedRectPath(PathObject& path, float x, float y, float width, float height, float corner);
RECT RectRelativeTo(HWND outer, HWND inner);
RECT RectInRoot(HWND window);

struct ControlFont {
  std::string face;  // GBK; empty when none could be read
  int size = 0;
  int style = 0;
};
ControlFont ReadControlFont(HWND window);

// Average colour of 2000 fixed sample points; 0 when the picture cannot be read.
COLORREF AnalyseImageColour(const ByteSet& bytes, const std::wstring& fileName = {}, int samples = 2000);
// The picture drawn onto a bitmap of its size with fades toward the colour at its edges
// (and white fades with the blend flag), as PNG bytes; empty when it cannot be read.
ByteSet PrepareSkinImage(const ByteSet& bytes, const std::wstring& fileName, COLORREF colour, bool blend);

// Mouse coordinates of a message: signed, since a captured mouse may lie left of or above
// the window.
inline int XOf(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
inline int YOf(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

// The class name of a window in lower case ASCII ("edit", "combobox", ...).
std::string ClassOf(HWND window);
bool IsClass(HWND window, const char* lowerName);

// What a caption button does when clicked (close, maximize or restore, minimize, callbacks).
void CaptionButtonAction(int skinIndex, int button);
// Drops the record of a destroyed top-level window and renumbers the windows after it.
void ReleaseSkinWindow(HWND window);
// The window's own background picture, prepared by its blend mode; the next full paint
// scales it anew.
void SetOwnImage(SkinWindow& record, const ByteSet& image);
