#pragma once
// The record detail view: from a double-clicked row to the record's twelve labelled lines.

// Window thread: the result list's double-click opens the detail window over the main one.
void OpenRecordDetail();
// Detail window handlers (window thread).
void OnDetailCreated();
void OnContinueClicked();
void DragDetailWindow();

// Worker: fetches the selected record and shows it.
void FetchRecordDetail();
