#include "support/windows_decoy.h"

#include "support/temp_dir.h"
#include "support/wine_unix.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

namespace testsupport {

namespace {

bool SameFolder(const std::string& a, const std::string& b) {
  auto identity = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE h = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool ok = GetFileInformationByHandle(h, &info) != 0;
    CloseHandle(h);
    return ok;
  };
  BY_HANDLE_FILE_INFORMATION x{}, y{};
  return identity(a, x) && identity(b, y) && x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
         x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
}

} // namespace

WindowsDecoy::WindowsDecoy() {
  char buffer[MAX_PATH] = "";
  const UINT n = GetWindowsDirectoryA(buffer, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  windows_ = buffer;
  static std::atomic<unsigned> next{0};
  name_ = "vextil-decoy-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + "-" +
          std::to_string(next++);
  path_ = windows_ + "\\" + name_;
  if (!CreateDirectoryA(path_.c_str(), nullptr)) return;
  made_ = true;
  WriteFile(path_ + "\\keep.txt", "decoy data");
  WriteFile(path_ + "\\d1\\inner.txt", "decoy inner");
}

WindowsDecoy::~WindowsDecoy() {
  // Only the decoy this object made: a folder of its own unique name right in
  // the Windows folder.
  if (!made_ || name_.compare(0, 13, "vextil-decoy-") != 0 || path_ != windows_ + "\\" + name_) return;
  RemoveTree(path_);
}

std::string WindowsDecoy::AddFile(const std::string& relative, const std::string& content) const {
  if (!made_) throw std::runtime_error("no decoy to write into");
  WriteFile(path_ + "\\" + relative, content);
  return path_ + "\\" + relative;
}

std::string WindowsDecoy::Picture() const {
  const std::string listed = ListTree(path_);
  std::string picture = listed;
  for (size_t start = 0; start < listed.size();) {
    size_t end = listed.find('\n', start);
    if (end == std::string::npos) end = listed.size();
    const std::string entry = listed.substr(start, end - start);
    if (!entry.empty() && entry.back() != '\\') picture += entry + "=" + ReadFile(path_ + "\\" + entry) + "\n";
    start = end + 1;
  }
  return picture;
}

std::string ZSpelling(const std::string& path) {
  std::string unix = UnixPathOf(path);
  if (unix.empty() || unix[0] != '/') return std::string();
  // A drive's Linux path goes through the prefix's dosdevices link ("c:" ->
  // "../drive_c"): the folder it leads to is the one a user would type.
  const size_t devices = unix.find("/dosdevices/");
  if (devices != std::string::npos && unix.size() > devices + 14 && unix[devices + 13] == ':')
    unix = unix.substr(0, devices) + "/drive_" + unix.substr(devices + 12, 1) + unix.substr(devices + 14);
  std::string spelled = "Z:" + unix;
  for (char& c : spelled)
    if (c == '/') c = '\\';
  while (spelled.size() > 3 && spelled.back() == '\\') spelled.pop_back();
  return SameFolder(spelled, path) ? spelled : std::string();
}

} // namespace testsupport
