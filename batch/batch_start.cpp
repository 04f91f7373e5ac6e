#include "batch/batch_start.h"

#include <windows.h>

#include <vector>

#include "app/app_state.h"
#include "app/main_menu.h"
#include "app/export_job.h"  // Tell
#include "app/main_units.h"
#include "app/user_files.h"
#include "app/messages.h"
#include "batch/batch_job.h"
#include "batch/batch_texts.h"
#include "batch/party_list.h"
#include "runtime/small_window.h"
#include "runtime/gbk_text.h"
#include "runtime/units.h"
#include "web/text_ops.h"

namespace {

std::wstring FileNameOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The preview, modal over the main window: the captcha code to start with, or "" when the
// user does not start.
std::string Preview(const PartyList& list, const std::wstring& path) {
  constexpr int kWidth = 440, kHeight = 196;
  std::string code;
  HWND window = CreateSmallWindow(AppState().mainWindow, kBatchPreviewClass, L"批量查询", kWidth, kHeight,
                                  [&code](HWND w, int id) {
                                    if (id == IDOK) {
                                      const std::string typed = TrimSpaces(WideToGbk(ControlText(w, kPreviewCode)));
                                      if (typed.empty()) {
                                        SetFocus(GetDlgItem(w, kPreviewCode));
                                        return;
                                      }
                                      code = typed;
                                      DestroyWindow(w);
                                    } else if (id == IDCANCEL) {
                                      DestroyWindow(w);
                                    }
                                  });
  if (!window) return {};
  AddControl(window, L"Static", L"名单：" + FileNameOf(path), SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, 200, 16, 12,
             408, 22);
  AddControl(window, L"Static", PreviewText(list), SS_LEFT | SS_NOPREFIX, kPreviewText, 16, 38, 408, 92);
  AddControl(window, L"Static", L"验证码（见主窗口中的图片）：", SS_LEFT | SS_NOPREFIX, 203, 16, 150, 190, 22);
  HWND edit = AddControl(window, L"Edit", GbkToWide(GetUnitText(CaptchaCodeField())), WS_TABSTOP | ES_AUTOHSCROLL,
                         kPreviewCode, 206, 146, 80, 26);
  AddControl(window, L"Button", L"开始", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 296, 146, 60, 28);
  AddControl(window, L"Button", L"取消", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, 364, 146, 60, 28);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  RunModal(window);
  return code;
}

}  // namespace

void CheckListFile(const std::wstring& path) {
  if (BatchRunning()) return;
  PartyList list = ReadPartyListFile(path);
  if (const std::wstring problem = ListProblemText(list, path); !problem.empty()) {
    Tell(problem, kTitleNotice, MB_OK | MB_ICONERROR);
    return;
  }
  if (list.parties.size() > kPartiesWithoutAsking && Tell(LongListQuestion(list), kTitleNotice, MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  const std::string code = Preview(list, path);
  if (!code.empty()) StartBatch(std::move(list), path, code);
}

namespace {
bool NoBatchRunning() { return !BatchRunning(); }
}  // namespace

void AddBatchMenuEntry() {
  AddMainMenuEntry({L"批量查询…", 0, &OpenBatchWithDialog, &NoBatchRunning, /*separatorBefore=*/true});
}

void OpenBatchWithDialog() {
  if (BatchRunning()) return;
  const std::wstring file = AskFileToOpen({AppState().mainWindow, L"批量查询：选择名单",
                                           L"名单 (*.csv;*.txt)\0*.csv;*.txt\0所有文件 (*.*)\0*.*\0", L"", nullptr});
  if (file.empty()) return;
  CheckListFile(file);
}
