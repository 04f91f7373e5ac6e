#pragma once
// The Query client's routines: event handlers (window thread) and workers (their own thread).

#include <string>

// Start-up and the main window.
int RunVeradin();
void PrepareMainWindow();  // the main window's menu and skin, before it shows
void ShowDisclaimer();
void LockMainWindowSize();
void PollEnterKey();
void DragDetailWindow();
void ShutdownApplication();

// Workers.
void FetchMainCaptcha();
void FetchDetailCaptcha();
void FetchRecordDetail();
void TrimWorkingSet();

// Shows the result count of a result page in the main window.
void ShowResultCount(const std::string& page);

// Window-thread handler of the result list's double-click.
void OpenRecordDetail();

// Handlers that start workers. A search reads the form when it is asked for (a click on
// Query, or Enter for a page jump); of searches asked while another one runs, only the one
// asked last is sent.
void AskForSearch(bool pageJump);
void OnMainCaptchaClicked();
void OnQueryClicked();
void OnDetailCreated();
void OnDetailCaptchaClicked();
void OnContinueClicked();
void OnApplicationDeactivated();
// Waits until no trimming run is left (the tool it started has ended); true when none is.
bool WaitForTrims(unsigned milliseconds);
