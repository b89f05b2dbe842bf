// Copying a file as the program's runs copy one, and the digest an undo uses
// to know a copy is still what was copied.
//
// A copy is written under a temporary name beside its target and takes its
// real name only once it is whole, so a run ended in the middle (the program
// killed, the machine switched off) never leaves a cut file under a real name.
// The temporary name is the target's name with ".~vx" and eight hex digits
// that only this program derives from that name. What lies under that name is
// replaced only when the program can prove it its own (it holds a beginning of
// the source's content: an unfinished copy of an earlier run); anything else
// there stays, and the copy takes the next name of the same kind.
//
// Nothing is read through a link: the source is opened once, checked on that
// very handle to lie where its run listed it (the place check of
// core/location.h, along the roads of the run's remover), and read through
// it. A copy is the source as it stood at one moment: the source is opened so
// that no other program may write it while it is read (where another holds it
// open for writing already, shared), and the copy takes its real name only
// when the bytes read are its size at the open and its size and last write
// time are the same at the end as at the open (a Linux program ignores the
// share modes under Wine; this check still sees what it did).
//
// The copy is made in a folder opened once and checked the same way, by a
// name relative to that open folder, and takes its real name by a new link
// beside the temporary one, which the system refuses over any entry of that
// name, a link whose target is missing included (a rename through Wine would
// replace such a link).
#pragma once
#include "core/remover.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

namespace core {

// The digest of a content given in pieces of any size; the same whatever the
// pieces. Fast enough to be taken from the bytes as they are copied.
class ContentDigest {
public:
  ContentDigest();
  void Add(const void* data, size_t size);
  uint64_t Finish() const;

  // What a run of whole 64-byte blocks adds to the digest, taken apart from
  // it (on another thread, in any order): first is the number of the run's
  // first block in the content. AddPart takes it in as Add would take those
  // bytes, where what was added so far is the content's whole blocks up to
  // that first block.
  struct Part {
    uint64_t lanes[8] = {};
  };
  static Part PartOf(const void* data, size_t blocks, uint64_t first);
  void AddPart(const Part& part, size_t blocks);

private:
  void Blocks(const unsigned char* data, size_t blocks);
  uint64_t lanes_[8];
  uint64_t blocks_ = 0;  // 64-byte blocks taken
  uint64_t length_ = 0;
  unsigned char tail_[64];
  size_t filled_ = 0;
};

// How the digest is taken: the same digest every way, the fastest the
// processor has (Best) unless a test asks for a slower one to compare.
enum class DigestWay { Plain, Sse2, Avx2, Best };
// For tests only, never set by the program (Best, the default, changes nothing).
void SetDigestWay(DigestWay way);
// The way taken now (the slower of the one asked and the best there is).
DigestWay DigestWayTaken();

// A 64-bit digest of a file's content (read through): an undo takes back a
// copy only while it still holds what was copied. False when it cannot be read.
bool FileDigest(const std::string& path, uint64_t& digest);

// The temporary name a copy to target (a full path) is written under, beside
// it; attempt 1, 2 ... give the next names, taken when an item the program
// cannot prove its own holds the earlier ones.
std::string TemporaryCopyPath(const std::string& target, unsigned attempt = 0);
// How many temporary names a copy tries before it gives up.
constexpr unsigned kTemporaryNames = 8;

// A file copied, as its undo will know it: its size and last write time as the
// disk shows them, and the digest of what was written (FileDigest's).
struct CopiedFile {
  uint64_t size = 0;
  FILETIME written{};
  uint64_t digest = 0;
  bool digested = false;
  // An unfinished copy of an earlier run lay under the temporary name: it was
  // removed and the copy written afresh.
  bool leftoverReplaced = false;
  // Which of the temporary names (TemporaryCopyPath's attempt) it was written under.
  unsigned attempt = 0;
  // The failure lies with the source (it was not read: gone, a link, in use),
  // not with the target.
  bool sourceFault = false;
};

// The error of a copy whose source changed while it was read (its size or last
// write time at the end not those at its open, or not its size read): the
// copy is taken away.
constexpr DWORD kErrorSourceChanged = 0x20000011;

// Why a copy that failed with error was not made, as a run names it.
std::string CopyFailureReason(DWORD error, const CopiedFile& copied);
// Whether error says the disk is full (the run stops there).
bool DiskFullError(DWORD error);
// Whether error says the real name is taken (the file "already exists").
bool NameTakenError(DWORD error);

// The reading of a large file ahead of its copy, on a thread of its own (file_copy.cpp).
class ReadAhead;

// The one file writer of a run. Its remover's roads are the run's: the
// sources' structures and the folders written into. One writer serves one
// run on one thread; it keeps the folder last written into open, so each
// folder is checked once while its files follow one another. A large file is
// read ahead on a thread of the writer's own (which also takes each piece's
// share of the digest) while the pieces read before are written.
class CopyWriter {
public:
  explicit CopyWriter(SystemRemover& remover);
  ~CopyWriter();
  CopyWriter(const CopyWriter&) = delete;
  CopyWriter& operator=(const CopyWriter&) = delete;

  // Copies the file from to the new file to, never over an existing item, as
  // CopyFileA with its fail-if-exists does: the content, the last write time
  // and the attributes. The digest is taken from the bytes as they are
  // written; the copy is whole when the size on its handle is what was read,
  // and that is the source as it stood at its open.
  // 0 when done, else the error (copied.sourceFault tells whose): the
  // check's (ERROR_NOT_SUPPORTED a link, kErrorRoadMoved a folder on the way
  // moved or swapped for a link), kErrorSourceChanged, ERROR_FILE_EXISTS when
  // the real name is taken, the system's; a copy that failed midway is taken away.
  DWORD Copy(const std::string& from, const std::string& to, CopiedFile& copied);
  // What Copy would answer of the source, without reading it: 0 when it may
  // be read (a simulation predicts the run by it).
  DWORD SourceReadable(const std::string& from);
  // Whether the item at path (the temporary name of a copy of from) is an
  // unfinished copy of an earlier run: a file lying where the run listed its
  // folder (never a link), no longer than the source and holding its
  // beginning. Reads only.
  bool OwnLeftover(const std::string& from, const std::string& path);

private:
  // What a source is at a moment, read by one query on its handle.
  struct SourceState {
    DWORD attributes = 0;
    LARGE_INTEGER written{};
    uint64_t size = 0;
  };
  static bool StateOf(HANDLE h, SourceState& state);
  // Opens the source for reading through a handle checked to lie where its
  // structure was listed, and tells what it is at that open (the error when
  // it cannot be opened so).
  HANDLE OpenSource(const std::string& from, SourceState& state, DWORD& error);
  // Opens and checks the folder copies go to, unless it is the one held.
  DWORD Enter(const std::string& folder);
  void Leave();
  SystemRemover& remover_;
  std::string folder_;
  HANDLE held_ = INVALID_HANDLE_VALUE;
  DWORD heldError_ = 0;
  // Each source whose place was checked on its handle, as that handle showed
  // it: a later copy of the same file (into the next folder) opens it again
  // and knows it for the very item checked by its index, time and size,
  // which no link to other data shares; anything else is checked afresh.
  struct Checked {
    FileIdentity index;
    LARGE_INTEGER written;
    uint64_t size;
  };
  std::unordered_map<std::string, Checked> checked_;
  // The folders written into keep no second link to a file (FAT): copies are
  // renamed into place.
  bool linksRefused_ = false;
  // Large files are read ahead of their copies on a thread of the writer's
  // own (made at the first one).
  std::unique_ptr<ReadAhead> ahead_;
  bool aheadFailed_ = false;
};

// One copy through a writer of its own (the system's remover when none is
// given): CopyWriter::Copy.
DWORD CopyFileRecorded(const std::string& from, const std::string& to, CopiedFile& copied,
                       SystemRemover* remover = nullptr);

// For tests only, never set by the program: called after each piece written to
// a temporary file, with its path and the bytes written so far. A hook that
// throws ends the copy there as a machine switched off would: the cut
// temporary file stays as it is, under its temporary name. Null (the default) changes nothing.
using CopyWriteHook = void (*)(const std::string& temporary, uint64_t written);
void SetCopyWriteHook(CopyWriteHook hook);
// For tests only, never set by the program: asked before each piece is
// written; an error it answers is taken as the write's own (a full disk).
using CopyWriteFault = DWORD (*)(const std::string& temporary, uint64_t written);
void SetCopyWriteFault(CopyWriteFault fault);

} // namespace core
