// The delete run in its four modes. A preview walks the listed folders once and
// makes the plan: what will go, in the order it goes (files before folders,
// deeper before their parents). The count the confirmation names is made from
// that listing (CountDelete): what the run will delete and what it will keep,
// by kind, with no call per item where the listing shows links as links (under
// Wine one per file: there only a file's own check tells a link to a file from
// the file). The run deletes exactly the plan's
// items, each with its own outcome after its own place check: no shell bulk
// delete, no retry, never a read-only attribute cleared, never a walk into a
// link (a link is removed as a link). An item counts as deleted only once it
// is gone: the run holds each outcome until its remover has settled the
// removals behind it (core::Remover::Settle). The simulation is the same pass
// with the dry flag: nothing is touched, and it predicts every outcome the run
// would have, asking each item's place as the run does, all but one: a
// removal the system takes and then fails as the item's handle closes (under
// Wine a folder the file system keeps unchanged, a medium turned read-only)
// shows only in the run.
#pragma once
#include "core/folder_listing.h"
#include "treeops/tree_target.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace core {
class Remover;
}

namespace treeops {

// The page's radios: 1 selected files in the main folders and all their
// subfolders; 2 selected files lying directly in the main folders; 3 every
// subfolder and file, the main folders kept; 4 the main folders too.
enum class DeleteMode { FilesInTree = 1, FilesInMainFolders = 2, SubFolders = 3, CompleteFolders = 4 };

struct DeleteJob {
  std::deque<std::string> includes;  // the include list, as listed
  std::deque<std::string> excludes;  // the exclude list (only named when inside a target)
  DeleteMode mode = DeleteMode::CompleteFolders;
  std::deque<std::string> patterns;  // saved file-name patterns (modes 1 and 2)
  ProtectedFolders protectedFolders;
};

struct DeleteItem {
  std::string path;
  uint64_t size = 0;
  DWORD attributes = 0;  // from the walk's find data
  int parent = -1;       // the plan folder holding it, -1 when the plan keeps it
  int road = -1;         // the main folder it was found below (an index of roads), -1: none
  bool holdsKept = false;  // a folder holding a kept entry: never tried
};

struct DeletePlan {
  // Files deepest first, then folders deepest first; list order within a level.
  std::vector<DeleteItem> files, folders;
  uint64_t bytes = 0;
  std::vector<std::string> mainFolders;        // the folders worked on, in order
  std::vector<Refusal> refused;                // listed folders refused (target check; a link
                                               // in modes 1 to 3, which would be entered)
  std::vector<std::string> missing;            // listed folders that are not there
  std::vector<std::string> excludedInside;     // excluded folders lying inside a target
  std::vector<std::string> keptMainFolders;    // mode 3: listed folders kept inside another
  std::vector<core::KeptPath> kept;            // entries the listing kept back (names no path
                                               // reaches): never touched, their folders stay
  std::vector<std::string> roads;              // the main folders walked: nothing below one is
                                               // acted on unless it lies where the walk found it
  // The protected folders as the lines were judged by them: the run's place
  // check refuses any item that is, holds or lies where they forbid.
  std::shared_ptr<core::ProtectedPlaces> protectedPlaces;
  bool stopped = false;                        // the walk's progress stopped it: not whole
  size_t Items() const { return files.size() + folders.size(); }
};

// Walks the listed folders (modes 1, 3, 4: the top-most ones; mode 2: each
// listed folder once) and plans the deletion. Each line is judged by the
// target check with the protected folders known by identity; a main folder
// with a link (or a folder moved) anywhere above it on its path is refused
// with why, never walked. progress: before each folder is listed, the
// folders listed and the folders found so far; false stops the walk (the
// plan says so).
DeletePlan PreviewDelete(const DeleteJob& job, const Progress& progress = Progress());

// Counters in the page's order: folders deleted, files deleted, folders not
// existing, files not existing, folders not deleted for other reasons, files
// likewise. Six lists to match; reasons pairs each other-reasons entry with why.
struct DeleteResults {
  std::array<double, 6> counters{};
  uint64_t bytes = 0;  // of the files deleted
  std::deque<std::string> foldersDeleted, filesDeleted, foldersNotExist, filesNotExist,
      foldersOther, filesOther;
  std::vector<Refusal> reasons;
  void Clear() { *this = DeleteResults(); }
};

// The count the questions before a run name, from what the walk listed: the
// plan's main folders taken as the run's roads in remover (each one's place
// asked once, when the listing is fresh; the run that follows with the same
// remover keeps them and lists nothing again), then each item counted under
// the outcome the run will give it, into count (appended to, in the run's
// lists and order). What the listing shows decides: a link (asked whether it
// opens as the link itself), a name no path reaches, a path too long, a
// read-only file, a folder that will keep something, an item below a road
// that is not itself there. Where the listing shows a link to a file as the
// file it leads to (under Wine), each file's own place is asked as the run
// will ask it, so a link is counted kept, never deleted with its target's
// size. Otherwise the place of each item is left to its act: an item that
// changed after the count gets its own outcome from the run. False when
// progress stopped it.
bool CountDelete(const DeletePlan& plan, core::Remover& remover, DeleteResults& count,
                 const Progress& progress = Progress());

// Deletes (or, dry, predicts) the plan's items into results (appended to). The
// refused targets come first, under folders for other reasons, then the
// missing ones, under folders not existing, then the entries the listing kept
// back, under other reasons with why. Nothing below a main folder is acted on
// unless it lies where the walk found it (the main folder is the run's road:
// a folder on the way swapped for a link since keeps everything below it). Every removal goes through
// remover (the system's when none is given), which leaves an item whose name
// leads elsewhere (a link, to a file as well as to a folder) in place: it is
// listed under other reasons with why; a simulation predicts that by the same
// check and never calls the remover. An item the system took for removal and
// that still stands once settled is other reasons with why (never deleted). roadsTaken: remover holds the plan's roads
// already (CountDelete took them). False when progress stopped it.
bool RunDelete(const DeletePlan& plan, bool dry, DeleteResults& results,
               const Progress& progress = Progress(), core::Remover* remover = nullptr, bool roadsTaken = false);

// The files of folder whose long names match at least one pattern
// (core::MatchesFilePattern; patterns naming another folder or drive are
// ignored), each once, in the order the patterns find them. listing: the
// folder's files when already listed.
void ForEachSelectedFile(const std::string& folder, const std::deque<std::string>& patterns,
                         const std::vector<WIN32_FIND_DATAA>* listing,
                         const std::function<void(const WIN32_FIND_DATAA&)>& visit);

} // namespace treeops
