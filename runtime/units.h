#pragma once
// Unit services, safe from any thread: a call from a worker is carried out on the window
// thread (see ui_thread.h). Texts are GBK. A unit that no longer exists is ignored (reads
// give empty texts and -1).
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

std::string GetUnitText(HWND unit);
void SetUnitText(HWND unit, const std::string& text);
// Gives a unit its font again at another size, in points (the face stays).
void SetUnitFontSize(HWND unit, int points);
// Appends at the end of an edit box's text, leaving the caret behind it.
void AppendEditText(HWND edit, const std::string& text);

// Replaces a picture box's picture with the given image bytes (PNG or JPEG). Bytes that are
// empty or do not decode leave the box empty; the result says whether a picture shows.
bool SetPicture(HWND pictureBox, const std::uint8_t* data, std::size_t size);
// The same with a picture among the program's resources (RCDATA of that name).
bool SetPictureFromResource(HWND pictureBox, const char* resourceName);
bool PictureIsEmpty(HWND pictureBox);

// Report-mode list view; rows and columns count from 0. A list view unit whose style holds
// LVS_OWNERDATA keeps its rows in the program: a new page of rows moves over in one step,
// whatever its length, and the list view asks for the cells it shows (LVN_GETDISPINFOW).
// Its messages (LVM_GETITEMCOUNT, LVM_GETITEMTEXTW, selection) still answer from outside.
void ListDeleteAllRows(HWND list);
int ListAppendRow(HWND list);  // index of the new row, -1 on failure
void ListSetCell(HWND list, int row, int column, const std::string& text);
std::string ListGetCell(HWND list, int row, int column);
int ListSelectedRow(HWND list);  // -1 when no row is selected
// The row the latest double-click on the list named (with several rows selected, not
// necessarily the first of them); -1 when it was on no row.
int ListActivatedRow(HWND list);
int ListRowCount(HWND list);
// Appends rows in one go (one call to the window thread, one repaint). Each row gives the
// texts of its first cells; cells it does not give stay empty.
void ListAppendRows(HWND list, std::vector<std::vector<std::string>> rows);
// The same, in place of every row the list had.
void ListReplaceRows(HWND list, std::vector<std::vector<std::string>> rows);
// The same with cells already in UTF-16: an owner-data list keeps them as they are, so
// neither the hand-over nor a repaint converts a cell.
using WideRows = std::vector<std::vector<std::wstring>>;
void ListReplaceRows(HWND list, WideRows rows);
// Every row's first `columns` cells, as the list shows them.
std::vector<std::vector<std::string>> ListAllRows(HWND list, int columns);

// A task-modal message box on the window thread; returns the button pressed (IDYES, ...).
int ShowMessage(const std::string& text, const std::string& title, UINT flags);

void DestroyUnitWindow(HWND window);
