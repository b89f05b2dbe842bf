// Copying a file as the program's runs copy one, and the digest an undo uses
// to know a copy is still what was copied.
//
// A copy is written under a temporary name beside its target and takes its
// real name only once it is whole, so a run ended in the middle (the program
// killed, the machine switched off) never leaves a cut file under a real name.
// The temporary name is the target's name with ".~vx" and eight hex digits
// that only this program derives from that name: a later run knows an
// unfinished copy of its own by it, and no user's file is taken for one.
#pragma once
#include "core/remover.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace core {

// A 64-bit digest of a file's content (read through): an undo takes back a
// copy only while it still holds what was copied. False when it cannot be read.
bool FileDigest(const std::string& path, uint64_t& digest);

// The temporary name a copy to target (a full path) is written under, beside it.
std::string TemporaryCopyPath(const std::string& target);

// A file copied, as its undo will know it: its size and last write time as the
// disk shows them, and the digest of what was written (FileDigest's).
struct CopiedFile {
  uint64_t size = 0;
  FILETIME written{};
  uint64_t digest = 0;
  bool digested = false;
  // An unfinished copy of an earlier run lay under the temporary name: it was
  // removed and the copy written afresh (replaced), or it could not be removed
  // and nothing was copied (stays; the error returned is the removal's).
  bool leftoverReplaced = false;
  bool leftoverStays = false;
};

// Copies the file from to the new file to, never over an existing item, as
// CopyFileA with its fail-if-exists does: the content, the last write time
// and the attributes. The content goes to the temporary name and is digested
// from the very bytes written; it takes the real name (never replacing
// anything there) only when its size and the digest of what it holds, read
// back, are those of what was read. An unfinished copy of an earlier run under
// the temporary name is removed first, through remover (the system's when none
// is given). With a remover, the new temporary file must lie where the
// remover's check places it (the road the run listed): else it is taken away
// and kErrorRoadMoved returned. 0 when done, else the system's error (ERROR_FILE_EXISTS when the
// real name is taken), and a copy that failed midway is taken away.
DWORD CopyFileRecorded(const std::string& from, const std::string& to, CopiedFile& copied,
                       Remover* remover = nullptr);

// For tests only, never set by the program: called after each piece written to
// a temporary file, with its path and the bytes written so far. A hook that
// throws ends the copy there as a killed program would: the cut temporary file
// stays as it is, under its temporary name. Null (the default) changes nothing.
using CopyWriteHook = void (*)(const std::string& temporary, uint64_t written);
void SetCopyWriteHook(CopyWriteHook hook);

} // namespace core
