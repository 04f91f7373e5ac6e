#include "app/startup.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/captcha.h"
#include "app/enter_key.h"
#include "app/journal_menu.h"
#include "app/journal_record.h"
#include "app/main_menu.h"
#include "app/main_units.h"
#include "app/result_menu.h"
#include "app/search.h"
#include "app/service.h"
#include "app/skin_setup.h"
#include "app/templates.h"
#include "app/trim.h"
#include "app/workers.h"
#include "batch/batch_start.h"
#include "runtime/gdiplus_session.h"
#include "runtime/ui_thread.h"
#include "runtime/units.h"
#include "runtime/window.h"
#include "web/http_request.h"
#include "web/message_pump.h"

namespace {

constexpr char kDisclaimer[] =
    "在使用前请务必阅读并同意本声明：\r\n"
    "1、本软件未经过最高人民法院授权，您要是使用的话就意味着您要承担一切可能的法律责任。\r\n"
    "2、软件处在测试阶段并不是很稳定，您要是使用就意味着您要经历各种BUG。” \r\n"
    "点击‘是’即代表您已经阅读并同意本协议，点击‘否’意味着您并不认可此协议也就意味着您将不会使用本软件！";

constexpr int kMainWidth = 593;
constexpr int kMainHeight = 522;
// A request that the abort cannot end still ends by WinINet's own time limits.
constexpr unsigned kShutdownWaitMs = 120000;

HICON LoadApplicationIcon() {
  HMODULE module = GetModuleHandleA(nullptr);
  HICON icon = LoadIconA(module, MAKEINTRESOURCEA(129));
  if (!icon) icon = LoadIconA(module, "DEFAULT_ICON");
  return icon;
}

}  // namespace

int RunVeradin() {
  ResetApplicationState();
  InitialiseService();
  InstallJournalNotice();
  AddJournalMenuEntries();
  AddBatchMenuEntry();
  CreateSkinEngine();

  AppState().gdiplusToken = StartGdiplus();
  AppState().appIcon = LoadApplicationIcon();
  SetSkinStartValues(AppState().appIcon);

  ProgramClosing() = false;
  AllowHttpRequests();
  if (!StartUiThread()) return 1;
  const EnterKeyWatch enterKey;
  SetMessagePump(PumpIfUiThread);
  LoadWindow(MainWindowTemplate(), nullptr, /*quitOnDestroy=*/true);
  const int code = RunMessageLoop();
  ShutdownApplication();
  return code;
}

void PrepareMainWindow() {
  HWND main = EventWindow();
  AppState().mainWindow = main;
  InstallResultMenu(ResultList());
  SkinMainWindow(main);  // before it shows: it is painted once, skinned
  InstallMainMenu(main);
}

void ShowDisclaimer() {
  HWND main = EventWindow();
  if (ShowMessage(kDisclaimer, "提示", MB_YESNO) == IDYES) {
    StartWorker<FetchMainCaptcha>();
  } else {
    DestroyWindow(main);  // ends the message loop: nothing else happens
  }
}

void LockMainWindowSize() {
  HWND main = EventWindow();
  SetWindowPos(main, nullptr, 0, 0, kMainWidth, kMainHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PollEnterKey() {
  if (TakeEnterPress()) PageJumpSearch();
}

void ShutdownApplication() {
  SetMessagePump(nullptr);
  // No queued action starts any more, and the request in flight ends at once.
  ProgramClosing() = true;
  AbortHttpRequests();
  StopUiThread();  // workers' window calls now return at once
  // The state is released only once no worker can reach it.
  const bool quiet = WaitForWorkers(kShutdownWaitMs);
  WaitForTrims(5000);  // a tool started just now is not left behind half-started
  if (quiet) {
    ResetApplicationState();
    AllowHttpRequests();  // none of the program's workers is left to send one
  }
  ReleaseSkinEngine();  // its pictures go before GDI+, which it shuts down
  ShutdownGdiplus();    // already done by the engine; a no-op then
}
