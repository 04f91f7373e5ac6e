#pragma once
// The program's one journal, %LOCALAPPDATA%\Veradin\journal.db, opened on first use from
// whichever thread needs it. A journal that cannot be opened or written never stops a
// search: the program goes on and the user is told once, by the notice the program sets.
#include <string>

#include "journal/journal.h"

std::wstring DefaultJournalPath();

// The journal, opened at the first call; null when it cannot be opened. Safe from any thread.
Journal* ProgramJournal();

// Receives what the user must be told (GBK text): a journal that cannot be opened or
// written (each said once per run) and a damaged file moved aside.
using JournalNotice = void (*)(const std::string& gbkText);
void SetJournalNotice(JournalNotice notice);

// Write through the program's journal; a failure is reported once and changes nothing else.
bool RecordSearch(SearchEntry& entry);
bool RecordDetail(DetailEntry& entry);

// Closes the journal and uses `path` from the next call on (tests; the program keeps the
// default). An empty path goes back to the default.
void UseJournalFile(const std::wstring& path);
