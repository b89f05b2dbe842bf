#include "core/location.h"

#include <cstring>
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

namespace {

// The digest of a content given in pieces of any size: eight bytes at a time
// through a multiply and shift mix; the length goes in at the end, so a file
// and the same file with zeros appended differ.
class ContentDigest {
public:
  void Add(const unsigned char* data, size_t got) {
    length_ += got;
    size_t i = 0;
    for (; filled_ != 0 && i < got; ++i) {  // the rest of a word a short piece left open
      word_ |= static_cast<uint64_t>(data[i]) << (8 * filled_);
      if (++filled_ == 8) Mix(word_), word_ = 0, filled_ = 0;
    }
    for (uint64_t w; i + 8 <= got; i += 8) {
      std::memcpy(&w, &data[i], 8);
      Mix(w);
    }
    for (; i < got; ++i) word_ |= static_cast<uint64_t>(data[i]) << (8 * filled_++);
  }
  uint64_t Finish() const {
    uint64_t hash = (hash_ ^ word_ ^ (static_cast<uint64_t>(filled_) << 56)) * 0x9E3779B97F4A7C15ull;
    hash = (hash ^ length_) * 0xC2B2AE3D27D4EB4Full;
    return hash ^ (hash >> 31);
  }

private:
  void Mix(uint64_t w) {
    hash_ = (hash_ ^ w) * 0x9E3779B97F4A7C15ull;
    hash_ ^= hash_ >> 29;
  }
  uint64_t hash_ = 0x243F6A8885A308D3ull, length_ = 0, word_ = 0;
  unsigned filled_ = 0;
};

constexpr DWORD kBufferSize = 1 << 18;

} // namespace

bool FileDigest(const std::string& path, uint64_t& digest) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  ContentDigest content;
  std::vector<unsigned char> buffer(kBufferSize);
  bool ok = true;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(h, buffer.data(), kBufferSize, &got, nullptr)) {
      ok = false;
      break;
    }
    if (got == 0) break;
    content.Add(buffer.data(), got);
  }
  CloseHandle(h);
  if (ok) digest = content.Finish();
  return ok;
}

DWORD CopyFileRecorded(const std::string& from, const std::string& to, CopiedFile& copied) {
  auto failed = [] {
    const DWORD error = GetLastError();
    return error ? error : ERROR_GEN_FAILURE;
  };
  HANDLE source = CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (source == INVALID_HANDLE_VALUE) return failed();
  FILE_BASIC_INFO basic{};
  if (!GetFileInformationByHandleEx(source, FileBasicInfo, &basic, sizeof basic)) {
    const DWORD error = failed();
    CloseHandle(source);
    return error;
  }
  // Made plain and writable first, so that a copy failing midway can be taken
  // away again through its own handle; its attributes come at the end.
  HANDLE target = CreateFileA(to.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
  if (target == INVALID_HANDLE_VALUE) {
    const DWORD error = failed();
    CloseHandle(source);
    return error;
  }
  ContentDigest content;
  static thread_local std::vector<unsigned char> buffer(kBufferSize);
  DWORD error = 0;
  uint64_t size = 0;
  for (;;) {
    DWORD got = 0, written = 0;
    if (!ReadFile(source, buffer.data(), kBufferSize, &got, nullptr)) {
      error = failed();
      break;
    }
    if (got == 0) break;
    const BOOL wrote = WriteFile(target, buffer.data(), got, &written, nullptr);
    if (!wrote || written != got) {
      error = wrote ? ERROR_DISK_FULL : failed();
      break;
    }
    content.Add(buffer.data(), got);
    size += got;
  }
  CloseHandle(source);
  if (error) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    SetFileInformationByHandle(target, FileDispositionInfo, &disposition, sizeof disposition);
    CloseHandle(target);
    return error;
  }
  // The source's last write time and attributes, as a copy by name keeps them.
  const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  FILE_BASIC_INFO set{};
  set.LastWriteTime = basic.LastWriteTime;
  set.FileAttributes = (basic.FileAttributes & kept) ? (basic.FileAttributes & kept) : FILE_ATTRIBUTE_NORMAL;
  SetFileInformationByHandle(target, FileBasicInfo, &set, sizeof set);
  // What the disk now says of the copy is what an undo will compare.
  FILE_BASIC_INFO now{};
  const bool known = GetFileInformationByHandleEx(target, FileBasicInfo, &now, sizeof now);
  CloseHandle(target);
  copied.size = size;
  const LARGE_INTEGER written = known ? now.LastWriteTime : basic.LastWriteTime;
  copied.written.dwLowDateTime = written.LowPart;
  copied.written.dwHighDateTime = static_cast<DWORD>(written.HighPart);
  copied.digest = content.Finish();
  copied.digested = true;
  return 0;
}

} // namespace core
