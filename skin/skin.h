#pragma once
// The skin engine as the application sees it: one object per process that gives a
// top-level window and its standard controls the program's own look (picture background
// under a white veil, rounded frame, painted caption with its buttons).
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A list view with this style keeps the system's look entirely. Sorting by the control means
// nothing to a list its owner fills in order, so the sort flag is free to say "leave me alone".
inline constexpr DWORD kListViewKeepsSystemLook = LVS_SORTASCENDING;

// One cell of the band along the window's foot: a text (GBK) in a cell of its own width,
// or, with width 0, a share of what the fixed cells leave.
struct BandItem {
  std::string text;
  int width = 0;
};

// How a background picture is laid into a window: the values the blend-mode arguments take.
enum BlendMode : int {
  kBlendFaded = 0,       // at the top left, its right and bottom edges faded toward its own colour
  kBlendWhiteFaded = 1,  // at the top right, its edges faded toward white
  kBlendCentred = 2,
  kBlendStretched = 3,   // over the whole window
  kBlendAsIs = 4,        // at the top left as it is
};

struct SkinOptions {
  bool captionActive = true;  // caption buttons, caption drag and the border
  bool borderResize = true;   // border resizing and maximize by double click
  bool showHelp = false;
  bool showMenu = false;
  std::string menuTooltip = "主菜单";
  bool showTitle = true;      // icon and title in the caption
  int callerValue = 0;        // non-zero: a gloss over the caption
  std::vector<std::uint8_t> image;  // the window's own background picture
  std::optional<int> blendMode;     // for that picture; the engine-wide mode otherwise
};

class SkinEngine {
 public:
  // Fresh engine-wide settings and lists; the skin colour is the system face colour.
  SkinEngine();
  // Releases every record, picture and cache, the owned icon, and then shuts GDI+ down.
  ~SkinEngine();
  SkinEngine(const SkinEngine&) = delete;
  SkinEngine& operator=(const SkinEngine&) = delete;

  static LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCaptionButton(int skinIndex, int button);
  void ApplySkin(HWND window, int captionHeight, const SkinOptions& options = {});

  // The engine-wide settings. An empty file name and no bytes mean no picture.
  void SetSkinImage(const std::wstring& fileName, const std::vector<std::uint8_t>& bytes,
                    std::optional<COLORREF> skinColour, std::optional<std::int64_t> accentColour = {},
                    std::optional<int> blendMode = {});
  // The veil over the skin behind controls, its alpha, and (non-zero) the rounded frame
  // drawn around trackbars.
  void SetControlVeil(bool on, std::optional<int> alpha = {}, int trackbarFrame = 1);
  // Start values of the application: the first WM_SIZE after start-up flags no repaint.
  void SetOneShot(bool on);
  // The icon drawn in the caption; destroyed with the engine only when `owned` (a shared
  // icon from LoadIcon must never be destroyed).
  void SetApplicationIcon(HICON icon, bool owned);
  COLORREF GetSkinColor() const;
  // Called on the window thread when the application is deactivated (once per change).
  void SetDeactivationHandler(void (*handler)());

  // Parents inside a skinned window whose children are skinned too. Each gives the record's
  // 1-based index, or 0 when the window lies in no skinned window. `value` is a tint
  // (COLORREF) laid at `alpha` over everything inside a container; 0 for none.
  int AddContainer(HWND window, bool drawBackground = true, int value = 0, int alpha = 255, bool border = false);
  bool SetContainerAlpha(HWND container, int alpha);  // only for a tinted container
  // Keeps `child` at (2, top) filling the container below that line as the container resizes.
  bool DockInContainer(HWND container, HWND child, int top);
  // A common control whose own painting is laid over the skin with `key` (default the face
  // colour) transparent.
  int AddColorKeyedControl(HWND window, std::optional<COLORREF> key = {}, int value = 0, int alpha = 255);
  // The text colour of a control (of a combo box: of its edit field).
  bool SetEditTextColor(HWND window, COLORREF colour);

  // Caption and window settings of a skinned top-level window; false for any other window.
  using Callback = void (*)();
  // A button with its own PNG glyph (26 x 18) left of the others; the later one stands leftmost.
  bool AddCaptionButton(HWND window, const std::vector<std::uint8_t>& image, const std::string& tooltip,
                        Callback callback);
  bool SetCaptionStyle(HWND window, std::optional<std::string> face = {}, std::optional<int> size = {},
                       std::optional<COLORREF> textColour = {}, std::optional<COLORREF> shadeColour = {},
                       std::optional<int> style = {});
  // A background of the window's own, prepared by blend mode (the window's mode when not given).
  bool SetWindowImage(HWND window, const std::vector<std::uint8_t>& image, std::optional<int> blendMode = {});
  bool SetHelpCallback(HWND window, Callback callback);
  bool SetMenuCallback(HWND window, Callback callback);
  // The caption button strip in client coordinates.
  bool GetCaptionStripRect(HWND window, RECT& strip) const;

  // The band along the foot of a skinned window: `height` pixels (0 for none) of cells.
  bool SetBand(HWND window, int height, std::vector<BandItem> items);
  // A new text for one cell (0-based); only that cell is redrawn.
  bool SetBandItemText(HWND window, int item, const std::string& text);
  // Keeps `child` of the skinned window at (2, top), filling the window down to the band.
  bool DockInWindow(HWND window, HWND child, int top);
};
