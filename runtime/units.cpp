#include "runtime/units.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "runtime/gbk_text.h"
#include "runtime/picture_box.h"
#include "runtime/ui_thread.h"
#include "runtime/window_record.h"

namespace {

std::wstring WindowTextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

// A transparent label shows its parent through it: the parent repaints the old text away.
void RepaintUnder(HWND unit) {
  HWND parent = GetParent(unit);
  RECT rc;
  GetWindowRect(unit, &rc);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rc), 2);
  // Painted when the window thread is next idle: a worker setting the text does not wait
  // for the paint.
  RedrawWindow(parent, &rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace

std::string GetUnitText(HWND unit) {
  std::string text;
  RunOnUiThread([&] {
    if (IsWindow(unit)) text = WideToGbk(WindowTextOf(unit));
  });
  return text;
}

void SetUnitText(HWND unit, const std::string& text) {
  const std::wstring wide = GbkToWide(text);
  RunOnUiThread([&] {
    if (!IsWindow(unit)) return;
    SetWindowTextW(unit, wide.c_str());
    UnitRecord* record = RecordOfUnit(unit);
    if (record && record->design->kind == UnitKind::Label) RepaintUnder(unit);
  });
}

void SetUnitFontSize(HWND unit, int points) {
  RunOnUiThread([&] {
    UnitRecord* record = IsWindow(unit) ? RecordOfUnit(unit) : nullptr;
    if (!record || !record->font) return;
    LOGFONTW lf{};
    GetObjectW(record->font.get(), sizeof lf, &lf);
    WindowDc screen(nullptr);
    lf.lfHeight = -MulDiv(points, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
    UniqueFont font(CreateFontIndirectW(&lf));
    if (!font) return;
    SendMessageW(unit, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    record->font = std::move(font);  // the old font goes only once the unit no longer uses it
    if (record->design->kind == UnitKind::Label) RepaintUnder(unit);
  });
}

void AppendEditText(HWND edit, const std::string& text) {
  const std::wstring wide = GbkToWide(text);
  RunOnUiThread([&] {
    if (!IsWindow(edit)) return;
    const LRESULT end = SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
  });
}

namespace {
bool ShowPicture(HWND pictureBox, DecodedPicture picture) {
  const bool shows = !picture.Empty();
  bool set = false;
  RunOnUiThread([&] {
    UnitRecord* record = IsWindow(pictureBox) ? RecordOfUnit(pictureBox) : nullptr;
    if (!record || record->design->kind != UnitKind::Picture) return;
    record->picture = std::move(picture);
    InvalidateRect(pictureBox, nullptr, TRUE);
    set = true;
  });
  return set && shows;
}
}  // namespace

bool SetPicture(HWND pictureBox, const std::uint8_t* data, std::size_t size) {
  // Decoded here, off the window thread; only the finished pixels move over.
  return ShowPicture(pictureBox, DecodePicture(data, size, kPictureBackground));
}

bool SetPictureFromResource(HWND pictureBox, const char* resourceName) {
  return ShowPicture(pictureBox, DecodePictureResource(resourceName));
}

bool PictureIsEmpty(HWND pictureBox) {
  bool empty = true;
  RunOnUiThread([&] {
    UnitRecord* record = IsWindow(pictureBox) ? RecordOfUnit(pictureBox) : nullptr;
    if (record) empty = record->picture.Empty();
  });
  return empty;
}

namespace {
// The rows an owner-data list keeps in the program, or nullptr for a list that keeps its
// own items. Window thread only.
ListRows* KeptRows(HWND list) {
  UnitRecord* record = IsWindow(list) ? RecordOfUnit(list) : nullptr;
  if (!record || record->design->kind != UnitKind::ListView || !(record->design->style & LVS_OWNERDATA))
    return nullptr;
  return &record->rows;
}

// Tells an owner-data list its new row count; the rows it shows are asked for again.
void ShowKeptRows(HWND list, const ListRows& rows) {
  SendMessageW(list, LVM_SETITEMCOUNT, rows.size(), LVSICF_NOSCROLL);
  InvalidateRect(list, nullptr, TRUE);
}
}  // namespace

void ListDeleteAllRows(HWND list) {
  RunOnUiThread([&] {
    if (ListRows* rows = KeptRows(list)) rows->clear();
    // Deleting from an empty list would still update its scroll bars and repaint it.
    if (SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) != 0) SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  });
}

int ListAppendRow(HWND list) {
  int index = -1;
  RunOnUiThread([&] {
    if (!IsWindow(list)) return;
    if (ListRows* rows = KeptRows(list)) {
      rows->emplace_back();
      ShowKeptRows(list, *rows);
      index = static_cast<int>(rows->size()) - 1;
      return;
    }
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<wchar_t*>(L"");
    index = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  });
  return index;
}

void ListSetCell(HWND list, int row, int column, const std::string& text) {
  std::wstring wide = GbkToWide(text);
  RunOnUiThread([&] {
    if (ListRows* rows = KeptRows(list)) {
      if (row < 0 || static_cast<size_t>(row) >= rows->size() || column < 0) return;
      auto& cells = (*rows)[static_cast<size_t>(row)];
      if (cells.size() <= static_cast<size_t>(column)) cells.resize(static_cast<size_t>(column) + 1);
      cells[static_cast<size_t>(column)] = std::move(wide);
      SendMessageW(list, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
      return;
    }
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  });
}

std::string ListGetCell(HWND list, int row, int column) {
  std::string text;
  RunOnUiThread([&] {
    if (!IsWindow(list) || row < 0) return;
    // Grow the buffer until the cell fits: the control truncates silently.
    for (size_t size = 256; size <= (1u << 20); size *= 4) {
      std::wstring buffer(size, L'\0');
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = buffer.data();
      item.cchTextMax = static_cast<int>(size);
      const LRESULT n = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
      if (n < static_cast<LRESULT>(size) - 1) {
        buffer.resize(static_cast<size_t>(n));
        text = WideToGbk(buffer);
        return;
      }
    }
  });
  return text;
}

int ListSelectedRow(HWND list) {
  int row = -1;
  RunOnUiThread([&] {
    if (IsWindow(list)) row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  });
  return row;
}

int ListActivatedRow(HWND list) {
  int row = -1;
  RunOnUiThread([&] {
    if (const UnitRecord* unit = RecordOfUnit(list)) row = unit->activatedRow;
  });
  return row;
}

int ListRowCount(HWND list) {
  int count = 0;
  RunOnUiThread([&] {
    if (IsWindow(list)) count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  });
  return count;
}

namespace {

WideRows ToWideRows(const std::vector<std::vector<std::string>>& rows) {
  WideRows wide(rows.size());
  for (size_t r = 0; r < rows.size(); ++r) {
    wide[r].reserve(rows[r].size());
    for (const std::string& cell : rows[r]) wide[r].push_back(GbkToWide(cell));
  }
  return wide;
}

void AppendWideRows(HWND list, WideRows rows) {
  RunOnUiThread([&] {
    if (!IsWindow(list)) return;
    if (ListRows* keptRows = KeptRows(list)) {
      // The rows move over whole, whatever their number; the list asks only for those it shows.
      if (keptRows->empty()) {
        keptRows->swap(rows);
      } else {
        keptRows->insert(keptRows->end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
      }
      ShowKeptRows(list, *keptRows);
      return;
    }
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    int next = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(next) + rows.size(), 0);
    for (auto& cells : rows) {
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = next;
      item.pszText = cells.empty() ? const_cast<wchar_t*>(L"") : cells[0].data();
      const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
      if (row < 0) break;
      for (size_t c = 1; c < cells.size(); ++c) {
        LVITEMW cell{};
        cell.iSubItem = static_cast<int>(c);
        cell.pszText = cells[c].data();
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
      }
      next = row + 1;
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
  });
}

}  // namespace

// Cells are converted here, off the window thread.
void ListAppendRows(HWND list, std::vector<std::vector<std::string>> rows) { AppendWideRows(list, ToWideRows(rows)); }

void ListReplaceRows(HWND list, std::vector<std::vector<std::string>> rows) { ListReplaceRows(list, ToWideRows(rows)); }

void ListReplaceRows(HWND list, WideRows rows) {
  bool replaced = false;
  RunOnUiThread([&] {
    ListRows* kept = KeptRows(list);
    if (!kept) return;
    // Selection and focus go with the old rows. An emptied list has neither, and each change
    // of the row count costs the list a scroll-bar update and a repaint.
    if (SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) != 0) SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    kept->swap(rows);
    ShowKeptRows(list, *kept);
    replaced = true;
  });
  if (replaced) return;
  ListDeleteAllRows(list);
  AppendWideRows(list, std::move(rows));
}

std::vector<std::vector<std::string>> ListAllRows(HWND list, int columns) {
  std::vector<std::vector<std::string>> rows;
  RunOnUiThread([&] {
    if (!IsWindow(list)) return;
    if (ListRows* kept = KeptRows(list)) {
      rows.resize(kept->size());
      for (size_t r = 0; r < kept->size(); ++r) {
        const size_t n = std::min((*kept)[r].size(), static_cast<size_t>(columns < 0 ? 0 : columns));
        for (size_t c = 0; c < n; ++c) rows[r].push_back(WideToGbk((*kept)[r][c]));
      }
    } else {
      const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
      rows.resize(static_cast<size_t>(count));
      for (int r = 0; r < count; ++r)
        for (int c = 0; c < columns; ++c) rows[static_cast<size_t>(r)].push_back(ListGetCell(list, r, c));
    }
  });
  for (auto& row : rows) row.resize(static_cast<size_t>(columns < 0 ? 0 : columns));
  return rows;
}

int ShowMessage(const std::string& text, const std::string& title, UINT flags) {
  const std::wstring wideText = GbkToWide(text), wideTitle = GbkToWide(title);
  int answer = 0;
  RunOnUiThread([&] { answer = MessageBoxW(nullptr, wideText.c_str(), wideTitle.c_str(), flags | MB_TASKMODAL); });
  return answer;
}

void DestroyUnitWindow(HWND window) {
  RunOnUiThread([&] {
    if (IsWindow(window)) DestroyWindow(window);
  });
}
