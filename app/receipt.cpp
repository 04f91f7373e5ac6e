#include "app/receipt.h"

#include <shlobj.h>

#include <cwchar>

#include "app/app_state.h"
#include "app/export_file.h"
#include "app/main_units.h"
#include "app/user_files.h"
#include "app/journal_record.h"
#include "gdiplus/image_objects.h"
#include "journal/entry_text.h"
#include "journal/program_journal.h"
#include "journal/sha256.h"
#include "runtime/gbk_text.h"
#include "runtime/handles.h"
#include "runtime/units.h"
#include "web/codepage.h"

namespace {
constexpr int kWidth = 593, kHeight = 522;  // the main window's size
constexpr COLORREF kAccent = RGB(34, 202, 221);

std::wstring FileNamePart(const std::wstring& text) {
  constexpr size_t kLongest = 80;
  std::wstring part;
  for (wchar_t c : text) part += (c < 32 || std::wcschr(L"\\/:*?\"<>|", c)) ? L'_' : c;
  if (part.size() > kLongest) part.resize(kLongest);
  return part.empty() ? L"查询" : part;
}

std::string U8(const char* gbk) { return GbkToUtf8(gbk); }

std::vector<std::uint8_t> PngOf(HBITMAP bitmap) {
  BitmapObject image;
  if (!image.CreateBitmapFromHBITMAP(bitmap)) return {};
  MemoryStream stream;
  if (!stream.LoadBytes(nullptr, 0) || !image.SaveImageToStream(stream.Stream(), kImageFormatPng)) return {};
  return stream.ReadBytes();
}

void Text(HDC dc, int x, int y, int w, int h, const std::wstring& text, UINT format = DT_LEFT) {
  RECT rc{x, y, x + w, y + h};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc,
            format | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

std::wstring W(const std::string& utf8) { return Utf8ToWide(utf8); }

bool WriteOne(const std::wstring& path, const std::string& bytes, std::string& reason) {
  PendingFile file;
  DWORD error = file.Open(path);
  if (!error) error = file.Write(bytes);
  if (!error) error = file.Commit();
  if (error) reason = WideToGbk(path + L"：" + SystemReason(error));
  return error == 0;
}

std::wstring PickFolder(HWND owner) {
  const std::wstring documents = DocumentsFolder();
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = L"保存查询凭证：选择文件夹";
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  // Documents is where the dialog opens.
  info.lpfn = [](HWND dialog, UINT message, LPARAM, LPARAM data) CALLBACK -> int {
    if (message == BFFM_INITIALIZED) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
  };
  info.lParam = reinterpret_cast<LPARAM>(documents.c_str());
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (!chosen) return {};
  wchar_t folder[MAX_PATH] = {};
  const bool ok = SHGetPathFromIDListW(chosen, folder);
  CoTaskMemFree(chosen);
  return ok ? folder : L"";
}

void Report(const ReceiptFiles& files, const std::string& reason) {
  if (files.png.empty())
    ShowMessage("查询凭证没有保存：\r\n" + reason, "Fail!", MB_ICONERROR);
  else
    ShowMessage("查询凭证已保存：\r\n" + WideToGbk(files.png) + "\r\n" + WideToGbk(files.txt), "提示", MB_ICONINFORMATION);
}

ReceiptFiles Save(const std::wstring& folder, const SearchEntry& entry, const std::vector<std::uint8_t>& png,
                  bool fullId, std::string& reason) {
  ReceiptFiles files;
  if (!WriteReceipt(folder, entry, png, fullId, files, reason)) files = {};
  return files;
}
}  // namespace

std::wstring ReceiptBaseName(const SearchEntry& entry) {
  std::wstring stamp;
  for (char c : LocalTimeText(entry.atUtc)) {
    if (c >= '0' && c <= '9') stamp += static_cast<wchar_t>(c);
    if (c == ' ') stamp += L'-';
  }
  return FileNamePart(W(entry.name)) + L"_" + stamp;
}

std::string ReceiptText(const SearchEntry& e, const std::wstring& pngName, const std::string& pngSha256,
                        bool fullId) {
  const std::string nl = "\r\n";
  std::string t = U8("Veradin 查询凭证") + nl + nl;
  t += U8("查询（按发送时）") + nl;
  t += U8("  姓名/名称：") + e.name + nl;
  t += U8("  身份证号/组织代码证号：") + (fullId ? e.idNumber : MaskIdNumber(e.idNumber)) + nl;
  t += U8("  页码：") + std::to_string(e.page) + nl;
  t += U8("查询服务：") + e.host + nl;
  t += U8("时间（UTC）：") + e.atUtc + nl;
  t += U8("时间（本地）：") + LocalTimeText(e.atUtc) + nl;
  t += U8("结果：") + e.outcome + nl;
  t += U8("总数：") + (e.total < 0 ? U8("无") : std::to_string(e.total)) + nl;
  t += U8("结果行：") + std::to_string(e.rows.size()) + nl;
  for (size_t i = 0; i < e.rows.size(); ++i) {
    t += "  " + std::to_string(i + 1) + ". " + e.rows[i].name + " | " + e.rows[i].filed + " | " +
         e.rows[i].caseNumber + nl;
  }
  t += nl + U8("查询记录编号：") + std::to_string(e.id) + nl;
  t += "chain_sha256: " + e.chainSha256 + nl;
  t += "reply_sha256: " + e.replySha256 + nl;
  t += U8("截图文件：") + WideToUtf8(pngName) + nl;
  t += U8("截图 SHA-256：") + pngSha256 + nl;
  return t;
}

std::vector<std::uint8_t> CaptureWindowPng(HWND window) {
  RECT rc;
  if (!window || !GetWindowRect(window, &rc)) return {};
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  // From the screen: what the user sees, skin included (PrintWindow misses the skin's paint).
  WindowDc screen(nullptr);
  UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
  if (!memory) return {};
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), w, h));
  HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, w, h, screen.Get(), rc.left, rc.top, SRCCOPY);
  SelectObject(memory.get(), old);
  return bitmap ? PngOf(bitmap.get()) : std::vector<std::uint8_t>{};
}

std::vector<std::uint8_t> RenderEntryPng(const SearchEntry& e, bool fullId) {
  WindowDc screen(nullptr);
  UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
  if (!memory) return {};
  HDC dc = memory.get();
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), kWidth, kHeight));
  UniqueFont font(CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0,
                              L"Microsoft YaHei"));
  UniqueFont bold(CreateFontW(-15, 0, 0, 0, FW_BOLD, 0, 0, 0, GB2312_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0,
                              L"Microsoft YaHei"));
  UniqueBrush accent(CreateSolidBrush(kAccent));
  UniqueBrush header(CreateSolidBrush(RGB(236, 240, 244)));
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap.get());
  HGDIOBJ oldFont = SelectObject(dc, bold.get());
  RECT all{0, 0, kWidth, kHeight};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT caption{0, 0, kWidth, 25};
  FillRect(dc, &caption, accent.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  Text(dc, 8, 0, kWidth - 16, 25, L"查询记录 · " + W(LocalTimeText(e.atUtc)));
  SelectObject(dc, font.get());
  SetTextColor(dc, RGB(0, 0, 0));
  Text(dc, 10, 34, 420, 24, L"姓名/名称：" + W(e.name));
  Text(dc, 440, 34, 143, 24, L"页码：" + std::to_wstring(e.page));
  Text(dc, 10, 61, 573, 24, L"身份证号/组织代码证号：" + W(fullId ? e.idNumber : MaskIdNumber(e.idNumber)));
  // The result list's columns, as in the main window.
  const int x0 = 5, widths[] = {230, 100, 150, 100};
  const wchar_t* titles[] = {L"被执行人\\单位名", L"立案时间", L"案号", L"序号"};
  int y = 88;
  RECT head{x0, y, x0 + 580, y + 24};
  FillRect(dc, &head, header.get());
  for (int c = 0, x = x0; c < 4; x += widths[c++]) Text(dc, x + 4, y, widths[c] - 8, 24, titles[c]);
  y += 24;
  const int rowHeight = 22, lastY = 470;
  size_t shown = 0;
  for (; shown < e.rows.size() && y + rowHeight <= lastY; ++shown, y += rowHeight) {
    const JournalRow& r = e.rows[shown];
    const std::wstring cells[] = {W(r.name), W(r.filed), W(r.caseNumber), std::to_wstring(shown + 1)};
    for (int c = 0, x = x0; c < 4; x += widths[c++]) Text(dc, x + 4, y, widths[c] - 8, rowHeight, cells[c]);
    MoveToEx(dc, x0, y + rowHeight - 1, nullptr);
    LineTo(dc, x0 + 580, y + rowHeight - 1);
  }
  if (shown < e.rows.size()) Text(dc, x0 + 4, y, 570, rowHeight, L"…… 另有 " + std::to_wstring(e.rows.size() - shown) + L" 行，见文本凭证");
  std::wstring footer = L"结果：" + W(e.outcome);
  if (e.total >= 0) footer += L"　共 " + std::to_wstring(e.total) + L" 条";
  footer += L"　记录编号 " + std::to_wstring(e.id);
  Text(dc, 10, 492, 573, 24, footer);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  return PngOf(bitmap.get());
}

bool WriteReceipt(const std::wstring& folder, const SearchEntry& entry, const std::vector<std::uint8_t>& png,
                  bool fullId, ReceiptFiles& files, std::string& reason) {
  if (png.empty()) {
    reason = "无法生成截图。";
    return false;
  }
  const std::wstring base = folder + L"\\" + ReceiptBaseName(entry);
  files.png = base + L".png";
  files.txt = base + L".txt";
  const std::string pngBytes(png.begin(), png.end());
  const std::wstring pngName = files.png.substr(files.png.find_last_of(L'\\') + 1);
  if (!WriteOne(files.png, pngBytes, reason)) return false;
  if (!WriteOne(files.txt, ReceiptText(entry, pngName, Sha256Hex(pngBytes), fullId), reason)) {
    DeleteFileW(files.png.c_str());  // a picture without its text proves nothing
    return false;
  }
  return true;
}

bool CanSaveMainReceipt() { return ShownSearchEntry() != 0; }

namespace {
ReceiptFiles SaveMain(const std::wstring& folder, std::string& reason) {
  Journal* journal = ProgramJournal();
  const auto entry = journal ? journal->ReadSearch(ShownSearchEntry()) : std::nullopt;
  if (!entry) {
    reason = "这次查询没有写入查询记录，无法出具凭证。";
    return {};
  }
  // The picture is what the screen shows: bring the window up and let it finish painting
  // (a dialog may just have covered it).
  // The ID number shows masked in the picture too, for the moment it is taken.
  HWND main = AppState().mainWindow;
  HWND idBox = IdNumberField();
  wchar_t typedText[256] = {};
  GetWindowTextW(idBox, typedText, 256);
  const std::wstring typed = typedText;
  SetWindowTextW(idBox, Utf8ToWide(MaskIdNumber(WideToUtf8(typed))).c_str());
  SetForegroundWindow(main);
  RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const std::vector<std::uint8_t> png = CaptureWindowPng(main);
  SetWindowTextW(idBox, typed.c_str());
  return Save(folder, *entry, png, false, reason);
}

ReceiptFiles SaveEntry(const std::wstring& folder, long long id, bool fullId, std::string& reason) {
  Journal* journal = ProgramJournal();
  const auto entry = journal ? journal->ReadSearch(id) : std::nullopt;
  if (!entry) {
    reason = "找不到这条查询记录。";
    return {};
  }
  return Save(folder, *entry, RenderEntryPng(*entry, fullId), fullId, reason);
}
}  // namespace

ReceiptFiles SaveMainReceiptTo(const std::wstring& folder) {
  std::string reason;
  return SaveMain(folder, reason);
}

ReceiptFiles SaveEntryReceiptTo(const std::wstring& folder, long long entryId, bool fullId) {
  std::string reason;
  return SaveEntry(folder, entryId, fullId, reason);
}

void SaveMainReceiptWithDialog() {
  if (!CanSaveMainReceipt()) return;
  const std::wstring folder = PickFolder(AppState().mainWindow);
  if (folder.empty()) return;
  std::string reason;
  const ReceiptFiles files = SaveMain(folder, reason);
  Report(files, reason);
}

void SaveEntryReceiptWithDialog(HWND owner, long long entryId, bool fullId) {
  const std::wstring folder = PickFolder(owner);
  if (folder.empty()) return;
  std::string reason;
  const ReceiptFiles files = SaveEntry(folder, entryId, fullId, reason);
  Report(files, reason);
}
