#include "core/file_copy.h"

#include "core/casefold.h"
#include "core/location.h"

#include <cstdio>
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

CopyWriteHook g_writeHook = nullptr;

DWORD Failed() {
  const DWORD error = GetLastError();
  return error ? error : ERROR_GEN_FAILURE;
}

bool AlreadyThere(DWORD error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }

// A handle closed when it goes, whatever ends the copy (a test's hook throws).
class Owned {
public:
  explicit Owned(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  ~Owned() { Close(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  HANDLE get() const { return h_; }
  explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }
  void Reset(HANDLE h) {
    Close();
    h_ = h;
  }
  void Close() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

private:
  HANDLE h_;
};

std::wstring Wide(const std::string& text) {
  const int chars = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(chars > 0 ? chars : 0, L'\0');
  if (chars > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], chars);
  return wide;
}

// The temporary name is a few characters longer than the real one, which may
// lie just under the path limit: it is reached by its long-path form.
std::wstring LongPath(const std::string& path) {
  return path.compare(0, 2, "\\\\") == 0 ? L"\\\\?\\UNC\\" + Wide(path.substr(2)) : L"\\\\?\\" + Wide(path);
}

HANDLE CreateTemporary(const std::string& temporary, DWORD& error) {
  // Its own and plain: nobody else opens it while it is written, and a copy
  // failing midway is taken away through this handle.
  HANDLE h = CreateFileW(LongPath(temporary).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  error = h == INVALID_HANDLE_VALUE ? Failed() : 0;
  return h;
}

void Dispose(HANDLE h) {
  FILE_BASIC_INFO plain{};
  plain.FileAttributes = FILE_ATTRIBUTE_NORMAL;  // a read-only file is not deleted
  SetFileInformationByHandle(h, FileBasicInfo, &plain, sizeof plain);
  FILE_DISPOSITION_INFO disposition{TRUE};
  SetFileInformationByHandle(h, FileDispositionInfo, &disposition, sizeof disposition);
}

// The digest of what h holds, read from its start.
bool DigestOf(HANDLE h, std::vector<unsigned char>& buffer, uint64_t& digest) {
  ContentDigest content;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(h, buffer.data(), kBufferSize, &got, nullptr)) return false;
    if (got == 0) break;
    content.Add(buffer.data(), got);
  }
  digest = content.Finish();
  return true;
}

} // namespace

bool FileDigest(const std::string& path, uint64_t& digest) {
  Owned h(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                      nullptr));
  if (!h) return false;
  std::vector<unsigned char> buffer(kBufferSize);
  return DigestOf(h.get(), buffer, digest);
}

std::string TemporaryCopyPath(const std::string& target) {
  const size_t cut = target.find_last_of('\\');
  const std::string name = cut == std::string::npos ? target : target.substr(cut + 1);
  // Derived from the name with a text of the program's own: another program's
  // file has this name only by design.
  ContentDigest mark;
  const std::string text = "Vextil unfinished copy of " + FoldCase(name);
  mark.Add(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(mark.Finish() & 0xFFFFFFFFu));
  return target + ".~vx" + hex;
}

void SetCopyWriteHook(CopyWriteHook hook) { g_writeHook = hook; }

DWORD CopyFileRecorded(const std::string& from, const std::string& to, CopiedFile& copied, Remover* remover) {
  copied = CopiedFile();
  Owned source(CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!source) return Failed();
  FILE_BASIC_INFO basic{};
  if (!GetFileInformationByHandleEx(source.get(), FileBasicInfo, &basic, sizeof basic)) return Failed();
  // An item under the real name is never replaced: nothing is written then.
  if (GetFileAttributesA(to.c_str()) != INVALID_FILE_ATTRIBUTES) return ERROR_FILE_EXISTS;
  const std::string temporary = TemporaryCopyPath(to);
  DWORD error = 0;
  Owned target(CreateTemporary(temporary, error));
  if (!target && AlreadyThere(error)) {
    // An unfinished copy of an earlier run: taken away (never through a link
    // put in its place), then written afresh. The place check reaches names
    // under the system's path limit only.
    SystemRemover own;
    Remover& remove = remover ? *remover : own;
    if (temporary.size() >= MAX_PATH) {
      error = ERROR_FILENAME_EXCED_RANGE;
    } else {
      const ItemLocation at = remove.LocateToChange(temporary);
      error = at.Here() ? remove.RemoveFile(temporary) : at.error;
    }
    if (error) {
      copied.leftoverStays = true;
      return error;
    }
    copied.leftoverReplaced = true;
    target.Reset(CreateTemporary(temporary, error));
  }
  if (!target) return error;
  // The copy is written only where the run listed its folder: a folder on the
  // way swapped for a link since would carry it elsewhere.
  if (remover && !remover->HandleIsAt(target.get(), temporary)) {
    Dispose(target.get());
    return kErrorRoadMoved;
  }
  ContentDigest content;
  static thread_local std::vector<unsigned char> buffer(kBufferSize);
  uint64_t size = 0;
  for (;;) {
    DWORD got = 0, written = 0;
    if (!ReadFile(source.get(), buffer.data(), kBufferSize, &got, nullptr)) {
      error = Failed();
      break;
    }
    if (got == 0) break;
    const BOOL wrote = WriteFile(target.get(), buffer.data(), got, &written, nullptr);
    if (!wrote || written != got) {
      error = wrote ? ERROR_DISK_FULL : Failed();
      break;
    }
    content.Add(buffer.data(), got);
    size += got;
    if (g_writeHook) g_writeHook(temporary, size);
  }
  source.Close();
  // Whole: the size on disk and the content read back are those of what was read.
  const uint64_t digest = content.Finish();
  if (!error) {
    FILE_STANDARD_INFO standard{};
    LARGE_INTEGER start{};
    uint64_t back = 0;
    if (!GetFileInformationByHandleEx(target.get(), FileStandardInfo, &standard, sizeof standard) ||
        static_cast<uint64_t>(standard.EndOfFile.QuadPart) != size ||
        !SetFilePointerEx(target.get(), start, nullptr, FILE_BEGIN) || !DigestOf(target.get(), buffer, back) ||
        back != digest)
      error = ERROR_CRC;
  }
  if (error) {
    Dispose(target.get());
    return error;
  }
  // The source's last write time and attributes, as a copy by name keeps them.
  const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  FILE_BASIC_INFO set{};
  set.LastWriteTime = basic.LastWriteTime;
  set.FileAttributes = (basic.FileAttributes & kept) ? (basic.FileAttributes & kept) : FILE_ATTRIBUTE_NORMAL;
  SetFileInformationByHandle(target.get(), FileBasicInfo, &set, sizeof set);
  // What the disk now says of the copy is what an undo will compare.
  FILE_BASIC_INFO now{};
  const bool known = GetFileInformationByHandleEx(target.get(), FileBasicInfo, &now, sizeof now);
  // The real name, never over an item that took it meanwhile, and only while
  // the copy still lies where the run listed its folder (a folder on the way
  // swapped for a link meanwhile would carry it elsewhere).
  if (remover && !remover->HandleIsAt(target.get(), temporary)) {
    Dispose(target.get());
    return kErrorRoadMoved;
  }
  error = RenameThroughHandle(target.get(), to);
  if (UnsupportedOnHandle(error)) {
    // No rename through the handle here: the move by name, which never
    // replaces either; a failed one leaves an unfinished copy a later run replaces.
    target.Close();
    error = MoveFileExW(LongPath(temporary).c_str(), LongPath(to).c_str(), 0) ? 0 : Failed();
  } else if (error) {
    Dispose(target.get());
  }
  if (error) {
    // Written whole, but its folder is no longer where the run listed it.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return kErrorRoadMoved;
    return AlreadyThere(error) ? ERROR_FILE_EXISTS : error;
  }
  target.Close();
  copied.size = size;
  const LARGE_INTEGER written = known ? now.LastWriteTime : basic.LastWriteTime;
  copied.written.dwLowDateTime = written.LowPart;
  copied.written.dwHighDateTime = static_cast<DWORD>(written.HighPart);
  copied.digest = digest;
  copied.digested = true;
  return 0;
}

} // namespace core
