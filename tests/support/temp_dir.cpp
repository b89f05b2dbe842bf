#include "support/temp_dir.h"

#include "support/wine_unix.h"

#include "core/folder_listing.h"
#include "core/location.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <vector>

namespace testsupport {

TempDir::TempDir() {
  char base[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, base);
  static std::atomic<int> counter{0};
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::string candidate = std::string(base) + "vextil-test-" +
                            std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(GetTickCount()) + "-" + std::to_string(counter++);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() { RemoveTree(path_); }

std::string TempDir::AddFolder(const std::string& relative) const {
  MakeFolders(*this / relative);
  return *this / relative;
}
std::string TempDir::AddFile(const std::string& relative, const std::string& content) const {
  WriteFile(*this / relative, content);
  return *this / relative;
}

// Both try first and mend afterwards: under Wine a look-up of a missing name reads its whole folder.
void MakeFolders(const std::string& path) {
  if (path.empty()) return;
  if (CreateDirectoryA(path.c_str(), nullptr) || GetLastError() != ERROR_PATH_NOT_FOUND) return;
  size_t cut = path.find_last_of('\\');
  if (cut == std::string::npos || cut <= 2) return;
  MakeFolders(path.substr(0, cut));
  CreateDirectoryA(path.c_str(), nullptr);
}

void WriteFile(const std::string& path, const std::string& content) {
  auto open = [&] {
    return CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  HANDLE h = open();
  if (h == INVALID_HANDLE_VALUE) {  // a missing folder, or a read-only or hidden old file
    size_t cut = path.find_last_of('\\');
    if (cut != std::string::npos) MakeFolders(path.substr(0, cut));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    h = open();
  }
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
  DWORD written = 0;
  bool whole = content.empty() ||
               (::WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                written == content.size());
  CloseHandle(h);
  if (!whole) throw std::runtime_error("cannot write all of " + path);
}

std::string ReadFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::string();
  std::string content;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
  CloseHandle(h);
  return content;
}

bool FolderExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {
// Removes what the Windows side can; true when the folder itself went. A name
// that leads elsewhere (a Linux link, which Wine follows) is left for the
// Linux side: deleting it here would delete its target.
// A name no path reaches (one holding "\\" or "..", a device name, letters the
// code page cannot spell) is never joined into a path: it stays for the Linux
// side too.
bool RemoveFromWindowsSide(const std::string& path, core::LocationCheck& check) {
  core::ForEachFolderEntry(path, "*", [&](const WIN32_FIND_DATAA& fd) {
    std::string child = path + "\\" + fd.cFileName;
    const bool folder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const bool link = (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (!check.Of(child).Here()) return;
    // A link's attributes would be set on its target: leave them.
    if (!link) SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!folder) DeleteFileA(child.c_str());
    else if (link) RemoveDirectoryA(child.c_str());
    else RemoveFromWindowsSide(child, check);
  });
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return RemoveDirectoryA(path.c_str()) != 0;
}

// Only a plain absolute path inside a test folder, one word on the command line.
bool SafeToRemoveOnUnixSide(const std::string& unixPath) {
  return unixPath.size() > 1 && unixPath[0] == '/' &&
         unixPath.find("/vextil-test-") != std::string::npos &&
         unixPath.find("/..") == std::string::npos &&
         unixPath.find_first_of(" \t\r\n\"'\\;&|$`*?<>()[]{}~") == std::string::npos;
}
} // namespace

void RemoveTree(const std::string& path) {
  if (path.size() < 4) return;  // never a drive root
  core::LocationCheck check;
  if (RemoveFromWindowsSide(path, check) || !UnderWine() || !FolderExists(path)) return;
  // What is left holds Linux links Wine cannot remove; rm -rf removes them without following them.
  std::string unixPath = UnixPathOf(path);
  if (!SafeToRemoveOnUnixSide(unixPath)) return;
  if (RunUnix("/bin/rm -rf " + unixPath)) WaitForPath(false, path);
}

namespace {
// Adds every entry below folder as relative + its name, folders ending in "\".
void Collect(const std::string& folder, const std::string& relative, std::vector<std::string>& out) {
  WIN32_FIND_DATAA fd;
  // A name no path reaches is listed as shown, never entered.
  core::ForEachFolderEntry(folder, "*", [&](const WIN32_FIND_DATAA& fd) {
    const std::string name = fd.cFileName;
    const bool isFolder = fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    out.push_back(relative + name + (isFolder ? "\\" : ""));
    if (isFolder) Collect(folder + "\\" + name, std::string(out.back()), out);
  }, [&](const core::KeptEntry& kept) { out.push_back(relative + kept.name + (kept.folder ? "\\" : "")); });
}
} // namespace

std::string ListTree(const std::string& root) {
  std::vector<std::string> entries;
  Collect(root, "", entries);
  std::sort(entries.begin(), entries.end());
  std::string out;
  for (const std::string& e : entries) out += e + "\n";
  return out;
}

std::vector<std::string> SearchNames(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\" + pattern).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = fd.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  std::sort(names.begin(), names.end());
  return names;
}

std::string CurrentDirectory() {
  char buffer[MAX_PATH + 1] = "";
  DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
  return n < sizeof buffer ? std::string(buffer, n) : std::string();
}

} // namespace testsupport
