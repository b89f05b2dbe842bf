// Copying a file as the program's runs copy one, and the digest an undo uses
// to know a copy is still what was copied.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace core {

// A 64-bit digest of a file's content (read through): an undo takes back a
// copy only while it still holds what was copied. False when it cannot be read.
bool FileDigest(const std::string& path, uint64_t& digest);

// A file copied, as its undo will know it: its size and last write time as the
// disk shows them, and the digest of what was written (FileDigest's).
struct CopiedFile {
  uint64_t size = 0;
  FILETIME written{};
  uint64_t digest = 0;
  bool digested = false;
};

// Copies the file from to the new file to, never over an existing item, as
// CopyFileA with its fail-if-exists does: the content, the last write time
// and the attributes; the digest is made from the very bytes written, so the
// copy is read once. 0 when done, else the system's error, and a copy that
// failed midway is taken away.
DWORD CopyFileRecorded(const std::string& from, const std::string& to, CopiedFile& copied);

} // namespace core
