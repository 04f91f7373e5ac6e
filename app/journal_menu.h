#pragma once
// The journal's entries in the program menu: 查询记录 (Ctrl+H), 保存查询凭证 (Ctrl+S),
// 校验查询记录 and 清除查询记录….
void AddJournalMenuEntries();

// Window thread. Walks the chain on a worker and says the outcome in a message box.
void VerifyJournalInBackground();
// Window thread. Asks, naming the count, and empties the journal.
void ClearJournalAfterAsking();
