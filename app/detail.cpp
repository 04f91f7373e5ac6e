#include "app/detail.h"

#include <windows.h>

#include <nlohmann/json.hpp>

#include "app/app_state.h"
#include "app/captcha.h"
#include "app/journal_record.h"
#include "app/main_units.h"
#include "app/messages.h"
#include "app/service.h"
#include "app/templates.h"
#include "app/workers.h"
#include "journal/entry_text.h"
#include "runtime/units.h"
#include "web/codepage.h"
#include "web/http_request.h"
#include "web/markers.h"

namespace {

struct DetailField {
  const char* key;
  const char* label;
};

constexpr DetailField kFields[12] = {
    {"iname", "姓名："},
    {"age", "年龄："},
    {"cardNum", "身份证号/社会组织代码证号："},
    {"courtName", "执行法院："},
    {"areaName", "省份："},
    {"gistId", "执行依据文号："},
    {"regDate", "立案时间："},
    {"caseCode", "案号："},
    {"gistUnit", "做出执行依据单位："},
    {"duty", "生效法律文书确定的义务："},
    {"disruptTypeName", "失信被执行人行为具体情形："},
    {"publishDate", "发布时间："},
};

// The value of a key as the user reads it: a string as its characters (escapes decoded), a
// number as its digits, and nothing for a missing key or a null.
std::string FieldText(const nlohmann::json& record, const char* key) {
  const auto it = record.find(key);
  if (it == record.end() || it->is_null()) return {};
  if (it->is_string()) return Utf8ToGbk(it->get<std::string>());
  return Utf8ToGbk(it->dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

// An edit box breaks lines only at CR LF: a bare LF or CR in a value becomes CR LF.
std::string WithEditLineBreaks(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += "\r\n";
      ++i;
    } else if (c == '\r' || c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

struct Selection {
  std::string segment, id;
};

Selection FindRecordId(const std::string& page, const std::string& caseNumber) {
  Selection s;
  s.segment = TextBetween(page, caseNumber + "</td>", "\">查看</a>]");
  s.id = TextAfterLast(s.segment, "id=\"");
  return s;
}

}  // namespace

void OpenRecordDetail() {
  HWND list = ResultList();
  const int row = ListActivatedRow(list);
  // A row without a case number has nothing to look its record up by: an empty marker
  // would find the first record of the page, another row's.
  const std::string caseNumber = ListGetCell(list, row, 2);
  if (ListGetCell(list, row, 1).empty() || caseNumber.empty()) {
    ShowMessage(kNothingSelected, kTitleFailColon, MB_ICONINFORMATION);
    return;
  }
  {
    std::lock_guard<std::mutex> lock(StateLock());
    ApplicationState& state = AppState();
    // The first page is searched first: a page jump leaves it as it was.
    Selection s = FindRecordId(FirstSearchText(), caseNumber);
    if (s.id.empty()) s = FindRecordId(PageJumpText(), caseNumber);
    state.selectedCase = caseNumber;
    state.idSegment = std::move(s.segment);
    state.selectedId = std::move(s.id);
  }
  ShowModalWindow(DetailWindowTemplate(), AppState().mainWindow);
  AppState().detailWindow = nullptr;
}

void FetchRecordDetail() {
  HWND text = DetailText();
  SetUnitText(text, "");
  const std::string code = GetUnitText(DetailCaptchaCodeField());
  std::string id, caseNumber;
  {
    std::lock_guard<std::mutex> lock(StateLock());
    id = AppState().selectedId;
    caseNumber = AppState().selectedCase;
  }
  ByteSet reply = HttpRequest(ServiceUrl("/disDetailNew?id=" + FormValue(id) + "&pCode=" + FormValue(code) +
                                         "&captchaId=" + CaptchaId()));
  const std::string repliedAt = UtcStampNow();
  const std::string replyDigest = ReplyDigest(reply);
  const nlohmann::json record = nlohmann::json::parse(reply.begin(), reply.end(), nullptr, false);
  const bool noReply = reply.empty();
  {
    std::lock_guard<std::mutex> lock(StateLock());
    AppState().detailText = ReplyText(reply);
    AppState().detailReply = std::move(reply);
  }
  if (noReply) {
    ShowMessage(kServiceUnreachable, kTitleFail, MB_ICONERROR);
    return;
  }
  if (record.is_discarded() || !record.is_object()) {
    ShowMessage(kServiceUnexpected, kTitleFail, MB_ICONERROR);
    return;
  }
  // The service answers a refused captcha (and an unknown id) with an empty object.
  if (record.empty()) {
    ShowMessage(kDetailCaptchaRefused, kTitleNotice, MB_ICONINFORMATION);
    return;
  }
  HWND title = DetailTitle();
  SetUnitText(title, "您正在查看：" + caseNumber + "的详细信息");
  SetUnitFontSize(title, 10);  // the longer title fits its label at a smaller size
  std::string lines;
  std::array<std::string, 12> values;
  for (size_t i = 0; i < 12; ++i) {
    values[i] = FieldText(record, kFields[i].key);
    lines += kFields[i].label + WithEditLineBreaks(values[i]) + "\r\n";
  }
  {
    std::lock_guard<std::mutex> lock(StateLock());
    AppState().detailValues = values;
  }
  AppendEditText(text, lines);
  JournalDetail(id, caseNumber, lines, replyDigest, repliedAt);
}

void OnDetailCreated() {
  AppState().detailWindow = EventWindow();
  StartWorker<FetchDetailCaptcha>();
}

void OnContinueClicked() { StartWorker<FetchRecordDetail>(); }

void DragDetailWindow() {
  HWND detail = EventWindow();
  SendMessageW(detail, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}
