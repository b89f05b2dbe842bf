#include "core/file_copy.h"

#include <cstring>
#include <vector>

namespace core {

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
