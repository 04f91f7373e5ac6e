#include "app/skin_setup.h"

#include <memory>

#include "app/main_menu.h"
#include "app/trim.h"
#include "runtime/embedded.h"
#include "skin/skin.h"

namespace {

std::unique_ptr<SkinEngine> g_skin;

constexpr int kCaptionHeight = 25;
constexpr COLORREF kStartAccent = RGB(0x22, 0xCA, 0xDD);  // the glow colour, until the picture comes

}  // namespace

void CreateSkinEngine() { g_skin = std::make_unique<SkinEngine>(); }

void SetSkinStartValues(HICON icon) {
  if (!g_skin) return;
  g_skin->SetOneShot(true);
  g_skin->SetControlVeil(true, 160, /*trackbarFrame=*/1);
  g_skin->SetSkinImage({}, {}, std::nullopt, kStartAccent);  // the accent colour alone
  // The icon comes from LoadIcon: shared, so the engine must not destroy it.
  g_skin->SetApplicationIcon(icon, false);
  // Deactivation starts the working-set trimming (once per change of activation).
  g_skin->SetDeactivationHandler(OnApplicationDeactivated);
}

void SkinMainWindow(HWND main) {
  if (!g_skin || !main) return;
  const auto picture = EmbeddedBytes(L"SKIN_IMAGE");
  g_skin->SetSkinImage({}, std::vector<std::uint8_t>(picture.begin(), picture.end()), RGB(0, 0, 0),
                       RGB(255, 255, 255), kBlendStretched);
  g_skin->SetControlVeil(true, 100);
  SkinOptions options;  // caption active, border resize, title; the menu button, no help
  options.showMenu = true;
  options.menuTooltip = "菜单";
  g_skin->ApplySkin(main, kCaptionHeight, options);
  g_skin->SetMenuCallback(main, ShowMainMenu);
}

void ReleaseSkinEngine() { g_skin.reset(); }
