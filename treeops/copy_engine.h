// The copy run: every listed folder structure copied into every main folder of
// the include list (the top-most ones), with or without the structures'
// selected files. The preview lists each structure once (before anything is
// made, so nothing the run makes is ever copied), refuses pairs that would copy
// a structure into itself and checks the free space of every drive written to.
// The run makes folders one level at a time and copies files with
// fail-if-exists (never overwriting), each read only where its structure was
// listed (never through a link) and written whole under a temporary name
// before it takes its real one (an unfinished copy an earlier run left there
// is replaced, and said so), recording every folder made and file copied for
// the undo. The simulation is the same pass with the dry flag, asking the
// same checks without writing.
// A main folder may be a drive or share root: the run only adds new items
// there and never enters a protected folder the root holds.
#pragma once
#include "core/casefold.h"
#include "create/creation_engine.h"
#include "treeops/tree_target.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

namespace treeops {

// The page's four options.
enum class CopyOption { MainWithoutFiles, SubOnlyWithoutFiles, MainWithFiles, SubOnlyWithFiles };
inline bool CopyWithFiles(CopyOption o) { return o == CopyOption::MainWithFiles || o == CopyOption::SubOnlyWithFiles; }
inline bool CopyMainFolder(CopyOption o) { return o == CopyOption::MainWithoutFiles || o == CopyOption::MainWithFiles; }

struct CopyJob {
  std::deque<std::string> includes;    // the include list, as listed
  std::deque<std::string> structures;  // the structure list, as listed
  CopyOption option = CopyOption::MainWithoutFiles;
  std::deque<std::string> patterns;    // saved file-name patterns (options with files)
  ProtectedFolders protectedFolders;
};

// Why a preview or a run stopped, with its message number (the page's table
// holds the caption): 0701 empty include list, 0702 empty structure list, 0703
// a structure that is not an existing folder, 0706 a structure that is a link,
// 0177 not enough free space, 0704 free space that cannot be read, 0705 the
// disk became full during the run.
struct CopyMessage {
  int number = 0;  // 0: none
  std::string text;
};

// One structure as listed once: its subfolders breadth-first, each folder's
// subfolders and then its selected files (with files only).
struct CopyStructure {
  struct Entry {
    std::string relative;  // below the root, no leading backslash
    bool folder = false;
    bool link = false;     // a linked folder: made, never entered
    int parent = -1;       // index of the entry of its folder, -1: the root
    uint64_t size = 0;     // from the find data
    FILETIME written{};
  };
  // An entry the listing kept back (a name no path reaches): counted with the
  // structure, never copied, named with why in every main folder it would go to.
  struct Kept {
    std::string relative;  // below the root, with the name as shown (for the reader only)
    std::string reason;
    bool folder = false;
    int parent = -1;       // index of the entry of its folder, -1: the root
    uint64_t size = 0;
  };
  std::string root;        // without a trailing backslash ("c:" for a drive)
  std::string lastName;    // empty for a drive
  // Where the root lay when it was listed: the run reads its files only
  // there (a structure folder swapped for a link since is never read through).
  core::ItemLocation road;
  std::vector<Entry> entries;
  std::vector<Kept> kept;  // folders, and with files the selected files
  uint32_t folders = 0, files = 0;
  uint64_t bytes = 0;
};
// Lists one structure as the preview does (root as written, trailing
// backslashes dropped).
CopyStructure ListCopyStructure(const std::string& root, bool withFiles, const std::deque<std::string>& patterns);

struct DriveSpace {
  std::string root;        // "C:\" or "\\server\share\"
  uint64_t needed = 0;
  core::DiskSpace space;
};

struct CopyPreview {
  CopyOption option = CopyOption::MainWithoutFiles;
  CopyMessage stop;                          // number 0: the run may start
  std::vector<std::string> mainFolders;      // the top-most folders worked on (a root as "X:\")
  // Per main folder, the protected folders it holds (a drive root's): never entered.
  std::vector<std::vector<std::string>> guarded;
  // The protected folders by identity, as the lines were judged by them: the
  // run enters no folder that is one or lies in one protected with its
  // insides, whatever its name, and its place check refuses the rest.
  std::shared_ptr<core::ProtectedPlaces> protectedPlaces;
  std::vector<Refusal> refused;              // include lines the target check refused
  std::vector<CopyStructure> structures;
  std::vector<std::pair<std::string, std::string>> skippedPairs;  // main folder, structure
  std::vector<DriveSpace> drives;            // every drive written to, with its need
  std::array<double, 4> toCopy{};            // main folders, subfolders, files, bytes
  bool Skipped(size_t main, size_t structure) const;
  std::vector<char> skip;                    // main x structure, 1: skipped
};

// Lists the structures as they are on disk now, reduces the include list,
// checks the free space.
CopyPreview PreviewCopy(const CopyJob& job);

// Counters in the page's order: main folders, subfolders, files, bytes to
// copy; the same copied; main folders not existing; subfolders, files, bytes
// already existing. Six lists to match, and what failed otherwise (refused or
// linked main folders, folders and files the system would not make) with reasons.
// Every main folder the preview counts ends in exactly one of copied, not
// existing and other reasons.
struct CopyResults {
  std::array<double, 12> counters{};
  // Main folders, subfolders, files and their bytes not done for other reasons.
  std::array<double, 4> other{};
  std::deque<std::string> foldersCopied, subFoldersCopied, filesCopied, foldersNotExist,
      subFoldersExist, filesExist, foldersOther, subFoldersOther, filesOther;
  // Everything not done for other reasons, in the order met (main folders,
  // subfolders and files), each with its entry in reasons.
  std::deque<std::string> notDone;
  std::vector<Refusal> reasons;
  // Files copied over an unfinished copy of an earlier run, with a note saying so.
  std::vector<Refusal> notes;
  CopyMessage stop;  // 0705 when the disk became full
  void Clear() { *this = CopyResults(); }
};

// What a run made, newest last, with the size and time of each copy.
using CopyJournal = core::CreationJournal;

// Copies (or, dry, predicts) what the preview planned; results are appended
// to, the journal only by a run. A preview that stopped does nothing. False
// when it stopped (progress, disk full).
bool RunCopy(const CopyPreview& preview, bool dry, CopyResults& results, CopyJournal& journal,
             const Progress& progress = Progress());

struct CopyUndoReport {
  size_t filesDeleted = 0, foldersRemoved = 0;
  std::vector<std::string> stays;  // files changed since, folders not empty, failures
  std::vector<std::string> why;    // the reason of each of stays, in its order
};
// Takes the run back through the creation pages' own undo (core::UndoJournal:
// files still as copied, then folders when empty, a link put in the place of
// either staying; every removal through remover, the system's when none is
// given) and counts what went and what stays. Empties the journal unless
// progress stops it.
CopyUndoReport UndoCopy(CopyJournal& journal, core::Remover* remover = nullptr,
                        const Progress& progress = Progress());

} // namespace treeops
