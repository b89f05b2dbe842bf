#include "support/wine_unix.h"

#include <windows.h>

#include <vector>

namespace testsupport {

namespace {
typedef char*(CDECL* UnixFileNameFn)(LPCWSTR);

UnixFileNameFn UnixFileName() {
  return reinterpret_cast<UnixFileNameFn>(
      GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name"));
}
// A path that stays one word on a command line.
bool OneWord(const std::string& p) { return !p.empty() && p.find_first_of(" \t\"") == std::string::npos; }
} // namespace

bool UnderWine() { return UnixFileName() != nullptr; }

std::string UnixPathOf(const std::string& path) {
  UnixFileNameFn unixName = UnixFileName();
  if (!unixName) return std::string();
  wchar_t wide[MAX_PATH];
  if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return std::string();
  char* name = unixName(wide);
  if (!name) return std::string();
  std::string result = name;
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

bool RunUnix(const std::string& commandLine) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return true;
}

bool WaitForPath(bool exists, const std::string& path) {
  for (int i = 0; i < 200; ++i) {
    if ((GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) == exists) return true;
    Sleep(50);
  }
  return false;
}

namespace {
bool LinkTo(const std::string& linkPath, const std::string& target, bool folder) {
  DWORD targetAttributes = GetFileAttributesA(target.c_str());
  if (targetAttributes == INVALID_FILE_ATTRIBUTES || folder != !!(targetAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  size_t cut = linkPath.find_last_of('\\');
  if (cut == std::string::npos) return false;
  std::string unixFolder = UnixPathOf(linkPath.substr(0, cut));
  std::string unixTarget = UnixPathOf(target);
  const std::string unixLink = unixFolder + "/" + linkPath.substr(cut + 1);
  if (!OneWord(unixTarget) || !OneWord(unixLink)) return false;
  return RunUnix("/bin/ln -s " + unixTarget + " " + unixLink) &&
         WaitForPath(true, linkPath);
}
} // namespace

bool MakeUnixSymlink(const std::string& linkPath, const std::string& target) {
  return LinkTo(linkPath, target, true);
}

bool MakeUnixFileSymlink(const std::string& linkPath, const std::string& target) {
  return LinkTo(linkPath, target, false);
}

bool MakeUnixDanglingLink(const std::string& linkPath, const std::string& targetPath) {
  HANDLE h = CreateFileA(targetPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return LinkTo(linkPath, targetPath, false) && DeleteFileA(targetPath.c_str()) && WaitForPath(false, linkPath);
}

namespace {
// One argument of a command line, quoted so that the program gets it as it
// is: backslashes before a quote, or before the closing one, are doubled.
std::wstring Quoted(const std::wstring& arg) {
  std::wstring out = L"\"";
  size_t slashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++slashes;
      continue;
    }
    out.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
    slashes = 0;
    out += c;
  }
  out.append(slashes * 2, L'\\');
  return out + L"\"";
}

std::wstring Wide(const std::string& utf8) {
  wchar_t buffer[MAX_PATH * 2];
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, buffer, MAX_PATH * 2);
  return n > 0 ? std::wstring(buffer) : std::wstring();
}

bool RunUnixW(const std::wstring& program, const std::vector<std::wstring>& args) {
  std::wstring line = Quoted(program);
  for (const std::wstring& a : args) line += L" " + Quoted(a);
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return true;
}

bool ListsName(const std::string& folder, const std::wstring& name) {
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW((Wide(folder) + L"\\*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool found = false;
  do found = found || name == data.cFileName;
  while (FindNextFileW(h, &data));
  FindClose(h);
  return found;
}
} // namespace

bool RunUnixScriptIn(const std::string& folder, const std::string& script, const std::string& last) {
  const std::string unixFolder = UnixPathOf(folder);
  if (unixFolder.empty() || unixFolder.find('\'') != std::string::npos) return false;
  if (!RunUnixW(L"/bin/sh", {L"-c", Wide("cd '" + unixFolder + "' && " + script)})) return false;
  for (int i = 0; i < 1200; ++i) {
    if (ListsName(folder, Wide(last))) return true;
    Sleep(50);
  }
  return false;
}

bool MakeUnixEntry(const std::string& folder, const std::string& name, bool asFolder) {
  const std::string unixFolder = UnixPathOf(folder);
  const std::wstring wide = Wide(name);
  if (unixFolder.empty() || wide.empty() || name.find('/') != std::string::npos) return false;
  // Under Wine every Linux name shows as it is (a "\\" stays a "\\").
  if (!RunUnixW(asFolder ? L"/bin/mkdir" : L"/usr/bin/touch", {Wide(unixFolder + "/" + name)})) return false;
  for (int i = 0; i < 200; ++i) {
    if (ListsName(folder, wide)) return true;
    Sleep(50);
  }
  return false;
}

bool ListsEntry(const std::string& folder, const std::string& name) { return ListsName(folder, Wide(name)); }

bool ResizeOnUnixSide(const std::string& path, unsigned long long size) {
  const std::string unixPath = UnixPathOf(path);
  if (unixPath.empty() || !RunUnixW(L"/usr/bin/truncate", {L"-s", std::to_wstring(size), Wide(unixPath)})) return false;
  for (int i = 0; i < 200; ++i) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
        (static_cast<unsigned long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow) == size)
      return true;
    Sleep(50);
  }
  return false;
}

bool MoveOnUnixSide(const std::string& from, const std::string& to) {
  const std::string unixFrom = UnixPathOf(from), unixTo = UnixPathOf(to);
  if (unixFrom.empty() || unixTo.empty()) return false;
  return RunUnixW(L"/bin/mv", {L"-T", Wide(unixFrom), Wide(unixTo)}) && WaitForPath(true, to) &&
         WaitForPath(false, from);
}

namespace {
// The same folder seen through two paths (the drive's root and the folder).
bool SameFolder(const std::string& a, const std::string& b) {
  auto identity = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool ok = GetFileInformationByHandle(h, &info) != 0;
    CloseHandle(h);
    return ok;
  };
  BY_HANDLE_FILE_INFORMATION x{}, y{};
  return identity(a, x) && identity(b, y) && x.nFileIndexHigh == y.nFileIndexHigh &&
         x.nFileIndexLow == y.nFileIndexLow;
}
} // namespace

MappedDrive::MappedDrive(const std::string& folder) {
  char prefix[MAX_PATH] = "";
  DWORD n = GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
  const std::string target = UnixPathOf(folder);
  if (!UnderWine() || n == 0 || n >= MAX_PATH || target.empty()) return;
  // Test processes run side by side on one prefix: each starts its search at
  // a letter of its own, never replaces a link (ln -n without -f fails on one
  // that stands, where plain ln would make a link inside the folder it leads
  // to), and takes a letter only when its root is its own folder.
  const int letters = 'Y' - 'Q' + 1;
  const int first = static_cast<int>(GetCurrentProcessId() / 4 % letters);
  for (int i = 0; i < letters; ++i) {
    const char letter = static_cast<char>('Q' + (first + i) % letters);
    const std::string root = std::string(1, letter) + ":\\";
    if ((GetLogicalDrives() & (1u << (letter - 'A'))) ||
        GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES)
      continue;
    std::string link = std::string(prefix) + "/dosdevices/" + char(letter - 'A' + 'a') + ":";
    if (!OneWord(link) || !OneWord(target)) return;
    if (RunUnix("/bin/ln -sn " + target + " " + link) && WaitForPath(true, root) && SameFolder(root, folder)) {
      letter_ = letter;
      link_ = link;
      return;
    }
  }
}

MappedDrive::~MappedDrive() {
  if (!letter_) return;
  if (RunUnix("/bin/rm -f " + link_)) WaitForPath(false, Root());
  // Every Wine process keeps its list of drives for the rest of the current
  // second. Until that has passed, the folder must stay: a new folder taking
  // its place on disk would pass for this drive's root in another process
  // (and its paths for paths on this drive).
  Sleep(1100);
}

std::string MappedDrive::Root() const {
  return letter_ ? std::string(1, letter_) + ":\\" : std::string();
}

bool MappedDrive::Remap(const std::string& folder) {
  const std::string target = UnixPathOf(folder);
  if (!letter_ || !OneWord(target)) return false;
  if (!RunUnix("/bin/ln -sfn " + target + " " + link_)) return false;
  for (int i = 0; i < 200 && !SameFolder(Root(), folder); ++i) Sleep(50);
  if (!SameFolder(Root(), folder)) return false;
  // Each Wine process keeps its list of drives for the rest of the current
  // second: past it, every process names the folder by the letter.
  Sleep(1100);
  return true;
}

ImmutableFolder::ImmutableFolder(const std::string& folder) {
  unixFolder_ = UnixPathOf(folder);
  if (unixFolder_.empty() || unixFolder_.find('\'') != std::string::npos ||
      GetFileAttributesA("Z:\\usr\\bin\\chattr") == INVALID_FILE_ATTRIBUTES)
    return;
  char temp[MAX_PATH];
  if (!GetTempPathA(MAX_PATH, temp)) return;
  marks_ = std::string(temp) + "vextil-chattr-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount());
  if (!CreateDirectoryA(marks_.c_str(), nullptr)) {
    marks_.clear();
    return;
  }
  made_ = Chattr("+i");
}

ImmutableFolder::~ImmutableFolder() {
  if (made_) Chattr("-i");
  if (!marks_.empty()) RemoveDirectoryA(marks_.c_str());
}

bool ImmutableFolder::Chattr(const char* flag) {
  // chattr cannot be waited on: its exit status lands in a file of the marks
  // folder, which is waited for.
  const std::string mark = std::string("status") + (flag[0] == '+' ? "-set" : "-clear");
  const std::string script =
      "/usr/bin/chattr " + std::string(flag) + " '" + unixFolder_ + "' 2>/dev/null; echo $? > " + mark;
  const bool ran = RunUnixScriptIn(marks_, script, mark);
  const std::string path = marks_ + "\\" + mark;
  bool ok = false;
  for (int i = 0; ran && i < 200 && !ok; ++i) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      char text[8] = {};
      DWORD read = 0;
      ReadFile(h, text, sizeof text - 1, &read, nullptr);
      CloseHandle(h);
      if (read > 0 && text[read - 1] == '\n') {
        ok = text[0] == '0' && read == 2;
        break;
      }
    }
    Sleep(50);
  }
  DeleteFileA(path.c_str());
  return ok;
}

} // namespace testsupport
