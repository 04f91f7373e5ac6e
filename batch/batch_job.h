#pragma once
// The one batch that may run: a worker checks the parties while the progress window shows
// where it is and the main window's own search is held; at the end (or at 取消) the report
// and the rows found are written beside the list and a message gives the counts.
#include <string>

#include "batch/party_list.h"

// Window thread. Starts checking `list` (read from `listPath`) with the captcha `code`;
// false when a batch runs already or no worker could start.
bool StartBatch(PartyList list, const std::wstring& listPath, const std::string& code);
bool BatchRunning();

// The folder the report goes to: the list's own when a file can be made there, else the
// user's Documents folder. `inDocuments` says which.
std::wstring ReportFolder(const std::wstring& listPath, bool& inDocuments);
