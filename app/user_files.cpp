#include "app/user_files.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

std::wstring DocumentsFolder() {
  wchar_t documents[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents))) return {};
  return documents;
}

namespace {

std::wstring Ask(const FileQuestion& question, bool save) {
  std::vector<wchar_t> file(32768, L'\0');  // room for a long path
  std::copy_n(question.suggestedName.begin(), std::min(question.suggestedName.size(), file.size() - 1), file.begin());
  const std::wstring documents = DocumentsFolder();
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = question.owner;
  ofn.lpstrFilter = question.filter;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = documents.empty() ? nullptr : documents.c_str();
  ofn.lpstrTitle = question.title;
  ofn.lpstrDefExt = question.extension;
  ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
              (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (!(save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))) return {};
  return file.data();
}

}  // namespace

std::wstring AskFileToOpen(const FileQuestion& question) { return Ask(question, false); }
std::wstring AskFileToSave(const FileQuestion& question) { return Ask(question, true); }
