// empty.exe: empties the working set of one process (given by decimal id) or of every
// process with a given executable name. The application runs it on itself when it goes
// to the background, so the idle program holds little physical memory.
//
// Exit codes: 0 at least one process was trimmed; 1 the target exists in the argument's
// form but nothing could be trimmed; 2 usage error (also a name that no process has).
#include <windows.h>
#include <tlhelp32.h>

namespace {

constexpr int kTrimmed = 0;
constexpr int kNotTrimmed = 1;
constexpr int kUsage = 2;

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  ~Handle() { if (h_) CloseHandle(h_); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  HANDLE h_;
};

void Write(DWORD stream, const char* text) {
  DWORD len = 0;
  while (text[len]) ++len;
  DWORD written;
  WriteFile(GetStdHandle(stream), text, len, &written, nullptr);
}

int Usage() {
  Write(STD_OUTPUT_HANDLE, "USAGE: empty.exe {pid | task-name}\r\n");
  return kUsage;
}

// A process id is 1 to 10 ASCII digits whose value fits in a DWORD; anything else is a name.
bool ParsePid(const wchar_t* s, DWORD* pid) {
  unsigned long long v = 0;
  int n = 0;
  for (; s[n]; ++n) {
    if (s[n] < L'0' || s[n] > L'9' || n == 10) return false;
    v = v * 10 + static_cast<unsigned>(s[n] - L'0');
  }
  if (n == 0 || v > 0xFFFFFFFFull) return false;
  *pid = static_cast<DWORD>(v);
  return true;
}

bool Trim(DWORD pid) {
  Handle process(OpenProcess(PROCESS_SET_QUOTA | PROCESS_QUERY_INFORMATION, FALSE, pid));
  // (SIZE_T)-1 for both limits asks the system to page out as much as it can.
  return process && SetProcessWorkingSetSize(process.get(), static_cast<SIZE_T>(-1),
                                             static_cast<SIZE_T>(-1));
}

int TrimByName(const wchar_t* name) {
  Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) {
    Write(STD_ERROR_HANDLE, "empty.exe: cannot list the processes\r\n");
    return kNotTrimmed;
  }
  PROCESSENTRY32W entry;
  entry.dwSize = sizeof entry;
  bool found = false, trimmed = false;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (CompareStringOrdinal(entry.szExeFile, -1, name, -1, TRUE) != CSTR_EQUAL) continue;
    found = true;
    if (Trim(entry.th32ProcessID)) trimmed = true;
  }
  if (!found) return Usage();
  if (!trimmed) Write(STD_ERROR_HANDLE, "empty.exe: no process of that name could be trimmed\r\n");
  return trimmed ? kTrimmed : kNotTrimmed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2 || !argv[1][0]) return Usage();
  DWORD pid;
  if (!ParsePid(argv[1], &pid)) return TrimByName(argv[1]);
  if (Trim(pid)) return kTrimmed;
  Write(STD_ERROR_HANDLE, "empty.exe: cannot trim that process\r\n");
  return kNotTrimmed;
}
