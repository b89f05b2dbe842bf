#include "core/location.h"

#include <vector>

namespace core {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool NotFound(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// Where the system takes path itself to be (the name is opened as a link
// where the system keeps links apart), without the "\\?\" prefix. Empty with
// error set when path cannot be opened, or with ERROR_NOT_SUPPORTED when the
// system cannot tell. The name is opened with access besides
// FILE_READ_ATTRIBUTES, folders too unless filesOnly; keep: the open handle is
// handed there instead of closed (INVALID_HANDLE_VALUE when it could not be
// opened).
std::string Resolve(const std::string& path, DWORD& error, DWORD access = 0, bool filesOnly = false,
                    HANDLE* keep = nullptr) {
  error = 0;
  if (keep) *keep = INVALID_HANDLE_VALUE;
  HANDLE h = CreateFileA(path.c_str(), access | FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                         (filesOnly ? 0 : FILE_FLAG_BACKUP_SEMANTICS) | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    error = GetLastError();
    if (error == 0) error = ERROR_NOT_SUPPORTED;
    return std::string();
  }
  std::vector<char> buffer(MAX_PATH + 16);
  DWORD n = GetFinalPathNameByHandleA(h, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (n >= buffer.size()) {
    buffer.resize(n + 1);
    n = GetFinalPathNameByHandleA(h, buffer.data(), static_cast<DWORD>(buffer.size()),
                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  }
  if (keep) *keep = h;
  else CloseHandle(h);
  if (n == 0 || n >= buffer.size()) {
    error = ERROR_NOT_SUPPORTED;
    return std::string();
  }
  std::string resolved(buffer.data(), n);
  if (resolved.compare(0, 8, "\\\\?\\UNC\\") == 0)
    resolved = "\\\\" + resolved.substr(8);
  else if (resolved.compare(0, 4, "\\\\?\\") == 0)
    resolved.erase(0, 4);
  while (resolved.size() > 3 && resolved.back() == '\\') resolved.pop_back();
  return resolved;
}

std::string LastName(const std::string& path) {
  const size_t cut = path.find_last_of('\\');
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string Join(const std::string& folder, const std::string& name) {
  return !folder.empty() && folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

} // namespace

ItemLocation LocationCheck::Of(const std::string& path) {
  HANDLE none;
  return Open(path, 0, false, none);
}

ItemLocation LocationCheck::Open(const std::string& text, DWORD access, bool filesOnly, HANDLE& handle) {
  ItemLocation at;
  handle = INVALID_HANDLE_VALUE;
  HANDLE h = INVALID_HANDLE_VALUE;
  // Hands the handle over only for an item that is here.
  auto done = [&]() -> ItemLocation& {
    if (h != INVALID_HANDLE_VALUE) {
      if (at.error == 0 && access != 0) handle = h;
      else CloseHandle(h);
    }
    return at;
  };
  std::string path = text;
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  const size_t cut = path.find_last_of('\\');
  if (cut == std::string::npos || cut + 1 >= path.size()) {
    // A root has no folder above it: it must resolve to itself.
    at.resolved = Resolve(path, at.error, access, filesOnly, &h);
    if (at.error == 0 && !SameText(at.resolved, path)) at.error = ERROR_NOT_SUPPORTED;
    return done();
  }
  // "C:\x" lies in "C:\"; "\\server\share\x" in "\\server\share".
  const std::string folder = path.substr(0, cut == 2 && path[1] == ':' ? 3 : cut);
  const std::string name = path.substr(cut + 1);
  // The item must lie in its folder under its own name (or, for a short 8.3
  // name, its long name). The system names a place by one of the drives that
  // reach it; when the drives change while a run lasts, the folder it
  // remembered may be named by another drive: so a mismatch is asked once
  // more, item and folder afresh, before the item is taken for a link.
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h), h = INVALID_HANDLE_VALUE;
    at.resolved = Resolve(path, at.error, access, filesOnly, &h);
    if (at.error) return done();
    auto known = folders_.find(folder);
    if (attempt > 0 && known != folders_.end()) {
      folders_.erase(known);
      known = folders_.end();
    }
    if (known == folders_.end()) {
      DWORD error = 0;
      std::string resolvedFolder = Resolve(folder, error);
      if (error) {
        at.error = NotFound(error) ? error : ERROR_NOT_SUPPORTED;
        return done();
      }
      known = folders_.emplace(folder, std::move(resolvedFolder)).first;
    }
    bool here = SameText(at.resolved, Join(known->second, name));
    if (!here && name.find('~') != std::string::npos) {
      char longPath[MAX_PATH * 2];
      const DWORD n = GetLongPathNameA(path.c_str(), longPath, sizeof longPath);
      here = n > 0 && n < sizeof longPath &&
             SameText(at.resolved, Join(known->second, LastName(std::string(longPath, n))));
    }
    if (here) {
      at.name = LastName(at.resolved);
      return done();
    }
  }
  at.error = ERROR_NOT_SUPPORTED;
  return done();
}

void LocationCheck::Forget(const std::string& folder) {
  folders_.erase(folder);
  // The folders inside it sort together, right after its name and a backslash.
  const std::string below = folder + "\\";
  for (auto it = folders_.lower_bound(below);
       it != folders_.end() && it->first.size() >= below.size() && SameText(it->first.substr(0, below.size()), below);)
    it = folders_.erase(it);
}

std::string RemovalReason(DWORD error) {
  switch (error) {
    case ERROR_NOT_SUPPORTED:
      return "a link (its name leads to another place): left as it is, its target untouched";
    case ERROR_ACCESS_DENIED: return "access denied (read-only?)";
    case ERROR_DIR_NOT_EMPTY: return "the folder is not empty";
    case ERROR_FILENAME_EXCED_RANGE: return "the path is too long";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return "not found";
    default: return "system error " + std::to_string(error);
  }
}

} // namespace core
