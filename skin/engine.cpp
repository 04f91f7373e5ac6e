// The engine object: its lifetime, skinning a top-level window, releasing it, and the
// engine-wide settings.
#include <algorithm>

#include "gdiplus/image_objects.h"
#include "gdiplus/memory_stream.h"
#include "runtime/embedded.h"
#include "runtime/gdiplus_session.h"
#include "skin/backdrop.h"
#include "skin/families.h"
#include "skin/frame_paint.h"
#include "skin/skin.h"
#include "skin/skin_core.h"

namespace {

std::shared_ptr<ImageObject> LoadGlyph(const wchar_t* name) {
  const auto bytes = EmbeddedBytes(name);
  if (bytes.empty()) return nullptr;
  auto picture = std::make_shared<ImageObject>();
  if (!picture->LoadImageFromBytes(bytes.data(), bytes.size())) return nullptr;
  return picture;
}

void LoadGlyphs(EngineState& engine) {
  if (engine.glyphsLoaded) return;
  engine.glyphsLoaded = true;
  static const wchar_t* const names[] = {L"CAPTION_CLOSE", L"CAPTION_MAXIMIZE", L"CAPTION_MINIMIZE",
                                         L"CAPTION_MENU", L"CAPTION_HELP", L"CAPTION_RESTORE"};
  for (size_t i = 0; i < engine.glyphs.size(); ++i) engine.glyphs[i] = LoadGlyph(names[i]);
}

bool PictureReadable(const std::vector<std::uint8_t>& bytes, const std::wstring& fileName) {
  ImageObject picture;
  return fileName.empty() ? picture.LoadImageFromBytes(bytes) : picture.LoadImageFromFile(fileName);
}

CaptionButton MakeButton(CaptionKind kind, const char* tooltip) {
  CaptionButton b;
  b.kind = kind;
  b.width = kind == CaptionKind::Close ? 38 : 26;
  b.height = 18;
  b.tooltip = tooltip;
  const int k = static_cast<int>(kind);
  if (k < 5) b.image = Engine().glyphs[k];
  if (kind == CaptionKind::Maximize) b.secondImage = Engine().glyphs[5];
  return b;
}

// Drops the record of a destroyed top-level window and renumbers the ones after it.
void Release(HWND window) {
  const int index = FindSkinWindow(window);
  if (!index) return;
  auto& windows = Engine().windows;
  ForgetControlsOf(*windows[index - 1]);
  windows.erase(windows.begin() + (index - 1));  // its surfaces, brushes and tooltip go with it
  for (size_t i = index - 1; i < windows.size(); ++i) {
    SkinWindow& moved = *windows[i];
    const LONG_PTR newIndex = static_cast<LONG_PTR>(i) + 1;
    SetPropValue(moved.window, kPropListIndex, newIndex);
    for (int f = 0; f < kFamilyCount; ++f) {
      const char* prop = f == static_cast<int>(Family::ColorKeyed) ? kPropKeyedSkinIndex : kPropSkinIndex;
      for (const auto& control : moved.families[f]) {
        control->skinIndex = static_cast<int>(newIndex);
        if (control->window) SetPropValue(control->window, prop, newIndex);
      }
    }
  }
}

}  // namespace

void ReleaseSkinWindow(HWND window) { Release(window); }

void SetOwnImage(SkinWindow& record, const ByteSet& image) {
  record.imageColour = AnalyseImageColour(image);
  if (record.blendMode == kBlendFaded || record.blendMode == kBlendWhiteFaded) {
    record.preparedImage = PrepareSkinImage(image, {}, record.imageColour, record.blendMode == kBlendWhiteFaded);
  } else {
    record.preparedImage = image;
  }
  record.backgroundGeneration = -1;  // the kept scaled picture is of the old one
}

SkinEngine::SkinEngine() {
  CreateEngineState();
  RegisterFamilies();
}

void SkinEngine::SetApplicationIcon(HICON icon, bool owned) {
  Engine().icon = icon;
  Engine().iconOwned = owned;
}

SkinEngine::~SkinEngine() {
  const HICON icon = Engine().icon;
  const bool owned = Engine().iconOwned;
  DestroyEngineState();  // every wrapper and cached picture goes before GDI+ does
  if (icon && owned) DestroyIcon(icon);
  ShutdownGdiplus();
}

void SkinEngine::SetOneShot(bool on) { Engine().oneShot = on; }
COLORREF SkinEngine::GetSkinColor() const { return Engine().skinColour; }
void SkinEngine::SetDeactivationHandler(void (*handler)()) { Engine().deactivated = handler; }

void SkinEngine::SetControlVeil(bool on, std::optional<int> alpha, int trackbarFrame) {
  EngineState& e = Engine();
  e.tintSwitch = on;
  e.veilAlphaGiven = alpha.has_value();
  e.veilAlpha = std::clamp(alpha.value_or(160), 0, 255);
  e.trackbarFrame = trackbarFrame;
}

void SkinEngine::SetSkinImage(const std::wstring& fileName, const std::vector<std::uint8_t>& bytes,
                              std::optional<COLORREF> skinColour, std::optional<std::int64_t> accentColour,
                              std::optional<int> blendMode) {
  EngineState& e = Engine();
  const std::int64_t accent = accentColour.value_or(palette::kGlow);
  const bool accentFollows = accent == -1;
  if (!accentFollows) e.accentColour = static_cast<COLORREF>(accent);
  const bool hasImage = !fileName.empty() || !bytes.empty();
  if (!hasImage && !skinColour) return;
  const int mode = blendMode.value_or(kBlendAsIs);
  e.blendMode = mode;
  if (!hasImage) {
    e.skinImage.clear();
    e.skinColour = *skinColour;
  } else {
    if (skinColour) {
      e.skinColour = *skinColour;
    } else if (PictureReadable(bytes, fileName)) {  // an unreadable one keeps the colour it has
      e.skinColour = AnalyseImageColour(bytes, fileName);
    }
    if (mode == kBlendFaded || mode == kBlendWhiteFaded) {
      e.skinImage = PrepareSkinImage(bytes, fileName, e.skinColour, mode == kBlendWhiteFaded);
    } else if (!fileName.empty()) {
      ImageObject picture;
      MemoryStream stream;
      e.skinImage.clear();
      if (picture.LoadImageFromFile(fileName) && stream.LoadBytes(nullptr, 0) &&
          picture.SaveImageToStream(stream.Stream(), kImageFormatPng)) {
        e.skinImage = stream.ReadBytes();
      }
    } else {
      e.skinImage = bytes;
    }
  }
  if (accentFollows) e.accentColour = e.skinColour;
  e.skinPicture.reset();
  ++e.pictureGeneration;
  if (!e.skinImage.empty()) {
    auto picture = std::make_unique<ImageObject>();
    // A picture that cannot be decoded leaves the plain colour fill.
    if (picture->LoadImageFromBytes(e.skinImage)) e.skinPicture = std::move(picture);
  }
  for (size_t i = 0; i < e.windows.size(); ++i) {
    SkinWindow& record = *e.windows[i];
    if (!IsWindowVisible(record.window)) continue;
    record.needsFullRepaint = true;
    PaintWholeWindow(static_cast<int>(i) + 1, nullptr, true);
    InvalidateRect(record.window, nullptr, FALSE);
    InvalidateVisibleChildren(record.window);
    for (const auto& header : record.List(Family::Header)) {
      if (header->window) InvalidateRect(header->window, nullptr, FALSE);
    }
  }
}

void SkinEngine::ApplySkin(HWND window, int captionHeight, const SkinOptions& options) {
  if (!window || !IsWindow(window) || FindSkinWindow(window)) return;
  LoadGlyphs(Engine());  // GDI+ runs by now
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  RECT client{};
  GetClientRect(window, &client);

  auto owned = std::make_unique<SkinWindow>();
  SkinWindow& record = *owned;
  record.window = window;
  record.captionHeight = std::max(captionHeight, 25);
  record.showHelp = options.showHelp;
  record.showMenu = options.showMenu;
  record.hasMinimize = (style & WS_MINIMIZEBOX) != 0;
  record.hasMaximize = (style & WS_MAXIMIZEBOX) != 0;
  record.showClose = true;
  record.captionActive = options.captionActive;
  record.borderResize = options.borderResize;
  record.showTitle = options.showTitle;
  record.callerValue = options.callerValue;
  record.blendMode = options.blendMode.value_or(Engine().blendMode);
  record.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  record.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  record.captionFace = "宋体";
  if (!options.image.empty()) SetOwnImage(record, options.image);
  if (record.showHelp) record.buttons.push_back(MakeButton(CaptionKind::Help, "帮助"));
  if (record.showMenu) record.buttons.push_back(MakeButton(CaptionKind::MainMenu, options.menuTooltip.c_str()));
  if (record.hasMinimize) record.buttons.push_back(MakeButton(CaptionKind::Minimize, "最小化"));
  if (record.hasMaximize) record.buttons.push_back(MakeButton(CaptionKind::Maximize, "最大化"));
  record.buttons.push_back(MakeButton(CaptionKind::Close, "关闭"));
  int widths = 0;
  for (const CaptionButton& b : record.buttons) widths += b.width;
  record.stripWidth = widths + static_cast<int>(record.buttons.size()) - 1 + 3;
  record.stripLeft = CaptionStripLeft(client.right, record.stripWidth);
  record.stripTop = 0;
  record.stripHeight = 22;

  // Without transparent children the system can clip every child out of the window's
  // paints, which spares each cached paint a walk over the children.
  bool transparentChild = false;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    transparentChild = transparentChild || HasTransparentExStyle(child);
  }
  SetWindowLongPtrW(window, GWL_STYLE, style | WS_SYSMENU | (transparentChild ? 0 : WS_CLIPCHILDREN));
  Engine().windows.push_back(std::move(owned));
  const int index = static_cast<int>(Engine().windows.size());

  record.tooltip.Create(window);
  for (size_t i = 0; i < record.buttons.size(); ++i) {
    const CaptionButton& b = record.buttons[i];
    record.tooltip.AddTool(RECT{static_cast<LONG>(b.x), static_cast<LONG>(b.y), static_cast<LONG>(b.x + b.w),
                                static_cast<LONG>(b.y + b.h)},
                           b.tooltip, i + 1);
  }
  LayOutCaption(index);
  RunInstallers(index, window);
  record.needsFullRepaint = true;
  record.skinned = true;

  record.previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinEngine::FrameWindowProc)));
  SetPropValue(window, kPropPrevious, reinterpret_cast<LONG_PTR>(record.previous));
  SetPropValue(window, kPropListIndex, index);
  // The rounded region now: set by the first paint instead, it would repaint the window and
  // every child a second time.
  ApplyWindowRegion(index);
  // A window that already shows takes its new look at once, children included.
  if (IsWindowVisible(window)) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

void SkinEngine::OnCaptionButton(int skinIndex, int button) { CaptionButtonAction(skinIndex, button); }

void CaptionButtonAction(int skinIndex, int button) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record || button < 1 || button > static_cast<int>(record->buttons.size())) return;
  const CaptionButton& b = record->buttons[button - 1];
  HWND window = record->window;
  // Close may destroy the window and its record inside SendMessage: nothing of the record
  // is touched after the command is sent.
  switch (b.kind) {
    case CaptionKind::Close: SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case CaptionKind::Maximize:
      SendMessageW(window, WM_SYSCOMMAND, record->maximized ? SC_RESTORE : SC_MAXIMIZE, 0);
      break;
    case CaptionKind::Minimize: SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0); break;
    case CaptionKind::MainMenu:
      if (record->menuCallback) record->menuCallback();
      break;
    case CaptionKind::Help:
      if (record->helpCallback) record->helpCallback();
      break;
    case CaptionKind::Custom:
      if (b.callback) b.callback();
      break;
  }
}
