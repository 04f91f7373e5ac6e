#include "app/journal_menu.h"

#include "app/history_window.h"
#include "app/journal_record.h"
#include "app/main_menu.h"
#include "app/receipt.h"
#include "journal/program_journal.h"
#include "runtime/threads.h"
#include "runtime/units.h"

namespace {
constexpr char kTitle[] = "校验查询记录";

void Verify() {
  Journal* journal = ProgramJournal();
  if (!journal) {
    ShowMessage("查询记录无法打开，无法校验。", kTitle, MB_ICONERROR);
    return;
  }
  const ChainReport report = journal->CheckChain();
  if (!report.error.empty()) {
    ShowMessage("无法读取查询记录：" + report.error, kTitle, MB_ICONERROR);
  } else if (report.holds) {
    ShowMessage("校验通过：全部 " + std::to_string(report.entries) + " 条记录都与校验链相符。", kTitle,
                MB_ICONINFORMATION);
  } else {
    ShowMessage(std::string("校验未通过：第一条不符的记录是") + (report.table == "details" ? "详细信息" : "查询") +
                    "记录，编号 " + std::to_string(report.id) + "（按写入顺序第 " + std::to_string(report.entries) +
                    " 条）。\r\n它或它之前的记录在写入后被改动、删除或插入过。",
                kTitle, MB_ICONWARNING);
  }
}
}  // namespace

void VerifyJournalInBackground() { StartThread(&Verify); }

void ClearJournalAfterAsking() {
  Journal* journal = ProgramJournal();
  if (!journal) return;
  const long long count = journal->CountEntries();
  if (count <= 0) {
    ShowMessage("查询记录是空的。", "提示", MB_ICONINFORMATION);
    return;
  }
  const std::string question = "确定要清除全部 " + std::to_string(count) +
                               " 条查询记录吗？\r\n清除后无法恢复，校验链将重新开始。";
  if (ShowMessage(question, "清除查询记录", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) return;
  if (!journal->Clear()) {
    ShowMessage("查询记录没有清除：" + journal->LastError(), "Fail!", MB_ICONERROR);
    return;
  }
  ForgetShownSearch();
  RefreshHistoryWindow();
}

void AddJournalMenuEntries() {
  AddMainMenuEntry({L"查询记录", 'H', &OpenHistoryWindow});
  AddMainMenuEntry({L"保存查询凭证", 'S', &SaveMainReceiptWithDialog, &CanSaveMainReceipt});
  AddMainMenuEntry({L"校验查询记录", 0, &VerifyJournalInBackground, nullptr, true});
  AddMainMenuEntry({L"清除查询记录…", 0, &ClearJournalAfterAsking});
}
