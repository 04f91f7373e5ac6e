#include "batch/captcha_pause.h"

#include <mutex>

#include "app/captcha.h"
#include "app/detail.h"
#include "app/templates.h"
#include "app/workers.h"
#include "runtime/handles.h"
#include "runtime/ui_thread.h"
#include "runtime/units.h"
#include "runtime/window.h"
#include "web/text_ops.h"

namespace {

// The one pause window; written on the window thread, read by the waiting worker.
struct Pause {
  std::mutex lock;
  HWND window = nullptr;
  std::optional<std::string> code;
  UniqueHandle answered{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
};
Pause g_pause;

HWND PauseUnit(const char* name) { return FindUnit(g_pause.window, name); }

void FetchPauseCaptcha() { FetchCaptchaInto(PauseUnit("CodeImg")); }

void Answer(std::optional<std::string> code) {
  {
    std::lock_guard<std::mutex> lock(g_pause.lock);
    g_pause.code = std::move(code);
  }
  SetEvent(g_pause.answered.get());
}

void OnPauseCaptchaClicked() { StartWorker<FetchPauseCaptcha>(); }

void OnPauseContinue() {
  const std::string code = TrimSpaces(GetUnitText(PauseUnit("编辑框1")));
  if (code.empty()) {
    SetFocus(PauseUnit("编辑框1"));
    return;
  }
  Answer(code);
}

void OnPauseCancel() { Answer(std::nullopt); }

WindowSpec MakeCaptchaPause() {
  const COLORREF blue = RGB(0, 96, 192);
  const FontSpec yaHei16{"Microsoft YaHei UI", 16, Pitch::VariableSwiss};
  WindowSpec w;
  w.width = 304;
  w.height = 168;
  w.units.push_back({.name = "透明标签1", .kind = UnitKind::Label, .parent = "外形框1", .left = 4, .top = 2,
                     .width = 296, .height = 28, .text = "验证码已过期，批量查询已暂停",
                     .font = {"Microsoft YaHei UI", 19, Pitch::VariableSwiss}, .textColor = blue,
                     .onEvent = DragDetailWindow});
  w.units.push_back({.name = "透明标签2", .kind = UnitKind::Label, .parent = "外形框1", .left = 4, .top = 32,
                     .width = 296, .height = 22, .text = "", .font = yaHei16});
  w.units.push_back({.name = "透明标签3", .kind = UnitKind::Label, .parent = "外形框1", .left = 4, .top = 54,
                     .width = 296, .height = 22, .text = "请输入新的验证码后点“继续”：", .font = yaHei16});
  w.units.push_back({.name = "CodeImg", .kind = UnitKind::Picture, .parent = "外形框1", .left = 4, .top = 80,
                     .width = 116, .height = 38, .pictureResource = kCaptchaFailurePicture,
                     .onEvent = OnPauseCaptchaClicked});
  w.units.push_back({.name = "编辑框1", .kind = UnitKind::Edit, .parent = "外形框1", .left = 122, .top = 83,
                     .width = 96, .height = 32, .text = "", .font = yaHei16});
  w.units.push_back({.name = "继续", .kind = UnitKind::Button, .parent = "外形框1", .left = 224, .top = 83,
                     .width = 72, .height = 32, .text = "继续", .onEvent = OnPauseContinue});
  w.units.push_back({.name = "取消", .kind = UnitKind::Button, .parent = "外形框1", .left = 176, .top = 126,
                     .width = 120, .height = 32, .text = "取消批量查询", .onEvent = OnPauseCancel});
  w.units.push_back({.name = "外形框1", .kind = UnitKind::ShapeBox, .left = 0, .top = 0, .width = 304,
                     .height = 168, .frameColor = blue, .onEvent = DragDetailWindow});
  return w;
}

}  // namespace

const WindowSpec& CaptchaPauseTemplate() {
  static const WindowSpec design = MakeCaptchaPause();
  return design;
}

std::optional<std::string> AskForFreshCode(HWND owner, const BatchProgress& where, HANDLE cancel) {
  ResetEvent(g_pause.answered.get());
  const std::string party = "第 " + std::to_string(where.party + 1) + " 个（共 " + std::to_string(where.parties) +
                            " 个）：" + where.name;
  RunOnUiThread([&] {
    g_pause.window = LoadWindow(CaptchaPauseTemplate(), owner);
    SetUnitText(PauseUnit("透明标签2"), party);
    SetFocus(PauseUnit("编辑框1"));
  });
  {
    std::lock_guard<std::mutex> lock(NetworkActionLock());
    FetchPauseCaptcha();
  }
  const HANDLE events[] = {g_pause.answered.get(), cancel};
  std::optional<std::string> code;
  for (;;) {
    const DWORD which = WaitForMultipleObjects(2, events, FALSE, 250);
    if (which == WAIT_OBJECT_0) {
      std::lock_guard<std::mutex> lock(g_pause.lock);
      code = g_pause.code;
      break;
    }
    // Cancelled from the progress window, or the window closed (Esc, or with the program).
    if (which != WAIT_TIMEOUT || !IsWindow(g_pause.window)) break;
  }
  RunOnUiThread([] {
    if (IsWindow(g_pause.window)) DestroyWindow(g_pause.window);
    g_pause.window = nullptr;
  });
  return code;
}
