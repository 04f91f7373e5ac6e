#include "journal/program_journal.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <mutex>

#include "runtime/gbk_text.h"

namespace {
std::mutex g_lock;
std::unique_ptr<Journal> g_journal;
bool g_tried = false;        // opening is tried once per file
bool g_writeReported = false;
std::wstring g_path;         // empty: the default
JournalNotice g_notice = nullptr;

void Notify(const std::string& text) {
  if (g_notice) g_notice(text);
}

std::string PathText(const std::wstring& path) { return WideToGbk(path); }
}  // namespace

std::wstring DefaultJournalPath() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder)))
    return {};
  return std::wstring(folder) + L"\\Veradin\\journal.db";
}

Journal* ProgramJournal() {
  std::string notice;
  Journal* journal = nullptr;
  {
    std::lock_guard lock(g_lock);
    if (!g_tried) {
      g_tried = true;
      const std::wstring path = g_path.empty() ? DefaultJournalPath() : g_path;
      auto opened = path.empty() ? Journal::OpenResult{} : Journal::Open(path);
      if (path.empty()) opened.reason = "no local application data folder";
      g_journal = std::move(opened.journal);
      if (opened.how == Journal::Opened::kFailed) {
        notice = "无法打开查询记录文件，本次运行的查询不会被记录。\r\n文件：" + PathText(path) + "\r\n原因：" +
                 WideToGbk(Utf8ToWide(opened.reason));
      } else if (opened.how == Journal::Opened::kReplacedCorrupt) {
        notice = "查询记录文件已损坏，已改名为\r\n" + PathText(opened.corruptCopy) +
                 "\r\n并新建了一个空的查询记录（校验链重新开始）。";
      }
    }
    journal = g_journal.get();
  }
  // Outside the lock: the notice may wait for the user while other threads write.
  if (!notice.empty()) Notify(notice);
  return journal;
}

void SetJournalNotice(JournalNotice notice) {
  std::lock_guard lock(g_lock);
  g_notice = notice;
}

namespace {
template <typename Entry>
bool Record(Entry& entry, bool (Journal::*add)(Entry&)) {
  Journal* journal = ProgramJournal();
  if (!journal) return false;
  if ((journal->*add)(entry)) return true;
  bool first = false;
  std::wstring path;
  {
    std::lock_guard lock(g_lock);
    first = !g_writeReported;
    g_writeReported = true;
    path = g_path.empty() ? DefaultJournalPath() : g_path;
  }
  if (first) {
    Notify("无法写入查询记录，之后的查询可能不会被记录。\r\n文件：" + PathText(path) + "\r\n原因：" +
           WideToGbk(Utf8ToWide(journal->LastError())));
  }
  return false;
}
}  // namespace

bool RecordSearch(SearchEntry& entry) { return Record(entry, &Journal::AddSearch); }
bool RecordDetail(DetailEntry& entry) { return Record(entry, &Journal::AddDetail); }

void UseJournalFile(const std::wstring& path) {
  std::lock_guard lock(g_lock);
  g_journal.reset();
  g_tried = false;
  g_writeReported = false;
  g_path = path;
}
