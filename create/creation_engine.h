// The creation engine shared by the list-driven creation pages: one folder per
// item (destination, prefix, item, suffix), the chosen folder structures copied
// into each new folder, every outcome counted and listed, and a journal of what
// the run made so that an undo removes exactly that. A simulation goes through
// the same items and predicts the same outcomes without touching the disk.
//
// The engine knows no window: the page hands it a job (a snapshot of its lists
// and options) and a sink of callbacks that show counters, list outcomes, pump
// messages and show the warnings of the walk.
#pragma once
#include "core/casefold.h"
#include "core/file_copy.h"
#include "core/folder_scan.h"
#include "core/location.h"
#include "core/made_folders.h"
#include "core/remover.h"
#include "core/textutil.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace core {

using CreationStringList = std::deque<std::string>;

// The five attach options of a creation page.
enum class AttachMode { Nothing, MainWithFiles, MainWithoutFiles, SubOnlyWithFiles, SubOnlyWithoutFiles };
inline bool AttachWithFiles(AttachMode m) {
  return m == AttachMode::MainWithFiles || m == AttachMode::SubOnlyWithFiles;
}
inline bool AttachMainFolders(AttachMode m) {
  return m == AttachMode::MainWithFiles || m == AttachMode::MainWithoutFiles;
}

// Sixteen counters: element 4 * row + column. Rows: to create, created, already
// exists, other reasons. Columns: main folders, subfolders, files, bytes.
using CreationCounters = std::array<double, 16>;
enum CounterRow { kToCreate = 0, kCreated = 1, kExists = 2, kOther = 3 };
enum CounterColumn { kFolders = 0, kSubFolders = 1, kFiles = 2, kBytes = 3 };
inline int CounterIndex(int row, int column) { return 4 * row + column; }
// The counter as a page shows it: CounterText of core/textutil.h.

// Twelve result lists: three outcomes (created, exists, other) by four
// quantities; the engine fills the main-folder list of each outcome.
struct CreationResultLists {
  std::array<CreationStringList, 12> lists;
  CreationStringList& CreatedFolders() { return lists[0]; }
  CreationStringList& ExistingFolders() { return lists[4]; }
  CreationStringList& OtherFolders() { return lists[8]; }
  const CreationStringList& CreatedFolders() const { return lists[0]; }
  // Emptied lists give their memory back (a 30,000-folder run's record).
  void Clear() {
    for (auto& l : lists) CreationStringList().swap(l);
  }
};

// Four texts a page composes each target path from: part0 + item + part2 + part3.
struct FolderNameParts {
  std::array<std::string, 4> part;
  std::string Compose(const std::string& item) const { return part[0] + item + part[2] + part[3]; }
};
// The destination (trimmed, with a trailing backslash), the prefix as typed and
// its hyphen, the suffix's hyphen and the suffix as typed. A hyphen goes in when
// the option is on and the trimmed prefix (suffix) is not empty.
FolderNameParts ComposeNameParts(const std::string& destination, const std::string& prefix,
                                 const std::string& suffix, bool hyphen);

// Sums over the listed structures.
struct StructureTotals {
  uint64_t bytes = 0;
  uint32_t files = 0;
  uint32_t folders = 0;
  // Each listed structure's own part of the sums, in list order (a blank
  // entry's is nothing): what a new folder does not receive of a structure
  // that is never read (a link) is counted by it.
  struct Share {
    uint64_t bytes = 0;
    uint32_t files = 0;
    uint32_t folders = 0;
  };
  std::vector<Share> each;
};

// Measures the structures (entries blank once trimmed are skipped): folders
// always (the root counted under the main-folder options), files and bytes only
// when withFiles; every file goes into the map (a path keeps its first size).
// Each structure's own part goes to totals.each.
// Under "Attach Nothing." nothing is scanned and the totals stay zero. kept,
// when given, gets the entries no path reaches (files only when withFiles):
// they count in no total and are never copied.
void MeasureStructures(const CreationStringList& structures, AttachMode mode, bool withFiles,
                       StructureTotals& totals, FileSizeMap& files, std::vector<KeptPath>* kept = nullptr);

// A structure's root as measured and walked: trimmed, backslashes only, no
// trailing backslash.
std::string StructureRoot(const std::string& structure);

// The box text naming the entries of structure that are never copied (names
// no path reaches): how many, then by reason how many and the first of them
// (core::ListingBoxText); when it cannot name them all, it saves them all
// with their reasons in the whole list kKeptEntriesFile and names that file.
constexpr const char* kKeptEntriesFile = "entries never copied.txt";
std::string KeptEntriesText(const std::string& structure, const std::vector<KeptPath>& kept);

// The free-space check of a run: verdict and the texts of the message.
struct FreeSpaceCheck {
  enum Verdict { NothingToCreate, Enough, NotEnough } verdict = NothingToCreate;
  bool known = false;          // false: the query failed (free space unknown)
  std::string root;            // drive root of the destination
  uint64_t freeBytes = 0;
  double neededBytes = 0;
  // The "not enough space" text (NotEnough only).
  std::string Message() const;
};
// count items times the structure bytes against the destination drive's free
// space. Nothing to copy never needs room; an unknown free space does not
// refuse; free space equal to the need is enough.
FreeSpaceCheck CheckFreeSpace(const std::string& destination, double count, uint64_t bytes);

// What a run made, newest last: every folder level it created, with its stamp
// as the run left it (core/made_folders.h: the undo takes back only that very
// folder, unchanged), and every file it copied, with the size, time and
// content digest the copy had.
struct CreationJournal {
  struct File {
    std::string path;
    uint64_t size;
    FILETIME written;
    uint64_t digest = 0;     // of the content as copied
    bool digested = false;   // false: the copy could not be read back, so no undo takes it
  };
  std::vector<std::string> folders;
  std::vector<ItemStamp> stamps;  // of folders[i]; unknown where the run could not record it
  std::vector<File> files;
  // The folders that stood before the run and hold what it made (a
  // destination, a main folder), each once: the undo reaches nothing below one
  // unless it lies where that folder lies when the undo starts.
  std::vector<std::string> roads;
  bool Empty() const { return folders.empty() && files.empty(); }
  void Clear() {
    std::vector<std::string>().swap(folders);
    std::vector<ItemStamp>().swap(stamps);
    std::vector<File>().swap(files);
    std::vector<std::string>().swap(roads);
  }
};

// The journal's record of a file just copied to path: its size, time and
// content digest as they are on disk now (the size and time given when they
// cannot be read).
CreationJournal::File RecordCopy(const std::string& path, uint64_t size, FILETIME written);

// How one journaled item fared in an undo: already gone, removed (gone from
// the disk), left as it is (changed since, a link or another item put in its
// place), or refused by the system (its removal failed: a folder not empty, in
// use, read-only; or the system took it and the item still stands).
enum class Undone { Gone, Removed, Stays, Refused };

// Whether the creation pages' undo report names the item: whatever is left or
// refused, a folder or a copied file.
bool ReportedAfterUndo(bool folder, Undone outcome);

// Takes back what the journal holds, newest first: each copied file only while
// it is still the copy recorded (the item itself at its path, never through a
// link; the same size, time and content; a read-only attribute the copy
// inherited is cleared first), then each folder only when empty and still the
// folder the run made, as the run left it (its stamp, read through the handle
// that removes it; for a folder holding journaled items, read before the first
// of them is taken away): another folder made under its name since, a folder
// changed since, one whose stamp the run could not record and a link put
// there stay. The journal's roads come first:
// nothing below one is reached unless it lies where that folder lies now (a
// folder the run made, swapped for a link since, keeps everything below it).
// Every removal goes through remover (the system's when none is given).
// visit, when given, hears each item's outcome. progress, when given, is
// called before each file and folder with the items done and the items in
// all; false stops the undo there and leaves the rest in the journal.
// Otherwise the journal is emptied. An item that stays is told with why it
// stays.
void UndoJournal(CreationJournal& journal, Remover* remover,
                 const std::function<bool(size_t done, size_t total)>& progress,
                 const std::function<void(const std::string& path, bool folder, Undone outcome,
                                          const std::string& why)>& visit);

// The creation pages' undo (UndoJournal): returns the journaled items the
// report names (ReportedAfterUndo: a folder the user filled since, a copy the user changed, a
// file the system did not remove ...), folders first, each in creation order; why,
// when given, gets the reason of each, in the same order.
CreationStringList UndoCreation(CreationJournal& journal, Remover* remover = nullptr,
                                const std::function<bool(size_t done, size_t total)>& progress = {},
                                CreationStringList* why = nullptr);


// A structure as listed once per run: its entries breadth-first (root's entries
// first, then each subfolder's in the order found), reparse points skipped.
struct StructureListing {
  struct Entry {
    std::string relative;  // below the structure root, no leading backslash
    bool folder;
    uint64_t size;
    FILETIME written;
  };
  std::string root;       // trimmed, without a trailing backslash (but "c:\" stays "c:")
  std::string lastName;   // last name of the root; empty for a drive
  std::vector<Entry> entries;
  std::vector<KeptPath> kept;  // entries no path reaches: never entered, never copied
};
StructureListing ListStructure(const std::string& structure);

// Which list of the detailed-results window an outcome goes to.
enum class ResultList { FoldersCreated, FoldersExists, FoldersOther, SubFoldersCreated, FilesCreated };

// Callbacks of the page that runs the engine.
struct CreationSink {
  std::function<void()> countersChanged;                               // show the counters
  std::function<void(ResultList, const std::string&)> listed;          // an outcome for the window
  std::function<bool(size_t index)> progress;                          // before each item; false: stop
  // A warning: ownerless for the walker's own boxes (the system box), else the
  // page's box.
  std::function<void(const std::string& text, const std::string& caption, bool ownerless)> warn;
  // An entry not made for other reasons, with why (a structure's file not
  // written, a folder not made, what a structure refused or never read would
  // have brought, a main folder on a full disk): the window lists it among
  // the items not created for other reasons, its reason beneath it.
  std::function<void(const std::string& path, const std::string& why)> notWritten;
  // Whether the window's list holds every outcome handed to it so far (null: it does).
  std::function<bool(ResultList)> listedWhole;
};

// Captions of the engine's own messages for one page.
struct CreationCaptions {
  std::string selfCopy;         // a structure refused for the new folder (run)
  std::string simulateSelfCopy; // the same in a simulation
  std::string missingSize;      // files that were not measured (run), one summary box
  std::string simulateMissingSize;  // the same in a simulation
  std::string keptNames;        // a structure holding names no path reaches (run)
  std::string simulateKeptNames;    // the same in a simulation
  std::string writesMoved;      // files not written, with why (run only), one summary box
  std::string diskFull;         // the disk became full (a file or a folder): the run stopped (run only)
};

// What an item is: a folder to make, or "other reasons" (path then holds the
// text listed), with or without the structure totals of the job's rule.
enum class ItemVerdict { Folder, Other, OtherAlone };
// The items of a job, generated one at a time (a number range is never held
// as strings). compose writes the folder of item i into path and says what it
// is (the page's drive rule).
struct ItemSource {
  size_t count = 0;
  std::function<ItemVerdict(size_t index, std::string& path)> compose;
};
// Strings below one destination: an item with a drive part, or a composed
// path without one, is "other reasons".
ItemSource StringListItems(CreationStringList items, const FolderNameParts& parts);
// The whole numbers start, start + 1, ... (count of them), as decimal text or
// left-filled with zeros to width digits; no drive rule.
ItemSource NumberItems(int64_t start, uint64_t count, bool padded, int width,
                       const FolderNameParts& parts);
// Full paths, each line making the folder it names with the prefix and suffix
// around its last name (a line whose last name has an extension names a file:
// its folder is used). "/" counts as "\" and a trailing backslash is dropped.
// A line without a drive part is "other reasons" alone; a drive root has no
// last name and is "other reasons".
ItemSource PathListItems(CreationStringList lines, const std::string& prefix,
                         const std::string& suffix, bool hyphen);
// The folder a path-list line makes; false when it names no folder (no drive
// part, or a drive root).
bool ComposePathTarget(const std::string& line, const std::string& prefix,
                       const std::string& suffix, bool hyphen, std::string& target);

// One run or simulation: a snapshot of the page's lists and options.
struct CreationJob {
  ItemSource items;
  CreationStringList structures;  // as listed
  AttachMode mode = AttachMode::Nothing;
  bool totalsOnExists = true;     // an existing main folder adds the structure totals
  bool totalsOnOther = true;      // so does one that cannot be made
  CreationCaptions captions;
};

class CreationEngine {
public:
  CreationEngine(CreationCounters& counters, CreationResultLists& results,
                 CreationJournal& journal, CreationStringList& copiedFiles,
                 const StructureTotals& totals, const FileSizeMap& files, CreationSink& sink);
  // Creates the folders of the job and attaches the structures. The result lists
  // and journal are appended to (the page clears both at the start of a run:
  // the journal holds what the last run made). False when the sink stopped it.
  bool Run(const CreationJob& job);
  // Predicts the run's outcomes into the counters and the window's lists;
  // nothing is created, and the result lists and journal are not touched.
  bool Simulate(const CreationJob& job);

private:
  // Each job lists every structure afresh and shows each refusal once.
  void StartJob(const CreationJob& job);
  // One box naming the structure files that were not measured, if any.
  void ReportUnmeasured(const std::string& caption);
  void Count(int row, int column, double amount = 1);
  void AddTotals(int row, AttachMode mode);
  // The one outcome recorder of runs and simulations: counters, the window's
  // list and (in a run only) the page's result lists.
  void RecordCreated(const std::string& path);
  void RecordExists(const std::string& path, const CreationJob& job);
  void RecordOther(const std::string& text, const CreationJob& job, bool totals = true,
                   const std::string& why = std::string());
  bool recording_ = false;
  // The structure's listing, made once a job; a structure whose folder is a
  // link (or lies elsewhere than it is named) is never listed nor read
  // through: its box is shown once and Linked tells it.
  const StructureListing& Listing(size_t index, const CreationJob& job);
  bool Linked(size_t index, const CreationJob& job) {
    Listing(index, job);
    return linked_[index];
  }
  bool Refused(size_t index, const std::string& path, const CreationJob& job,
               const std::string& caption);
  std::string TargetRoot(const std::string& path, size_t index, const CreationJob& job);
  // False when the disk became full (the run stops there).
  bool Attach(const std::string& root, const StructureListing& listing, const CreationJob& job);
  void SimulateAttach(const std::string& root, size_t index, const StructureListing& listing,
                      const CreationJob& job);
  uint64_t MeasuredSize(const std::string& source, const StructureListing::Entry& entry);
  // A structure's file not written: other reasons, the window's list, the box's record.
  void NotWritten(const std::string& target, double size, const std::string& why);
  // A structure's folder not made: other reasons, the window's list with why.
  void NotMade(const std::string& target, const std::string& why);
  // A structure a new folder does not receive (it is refused for that folder,
  // or it is a link): each entry it would have brought is counted under other
  // reasons and listed with why, from the run's listing of it (a link, never
  // listed, as measured: one line for it all).
  void Unattached(const std::string& path, size_t index, const CreationJob& job);

  CreationCounters& counters_;
  CreationResultLists& results_;
  CreationJournal& journal_;
  CreationStringList& copiedFiles_;
  const StructureTotals& totals_;
  const FileSizeMap& files_;
  CreationSink& sink_;
  std::vector<StructureListing> listings_;
  std::vector<bool> listed_;
  std::vector<bool> linked_;
  std::string linkedCaption_;  // the caption of the job's box for a structure that is a link
  std::vector<bool> refusalShown_;
  std::unordered_set<std::string, FoldedHash, FoldedEqual> roadsNoted_;
  // Notes in the journal, once, the folder holding the levels made since
  // madeFrom (the first of them is the top-most).
  void NoteRoad(size_t madeFrom);
  std::string keptCaption_;  // the caption of the job's box for kept entries
  CreationStringList unmeasured_;
  // A job's roads: each structure's folder, taken when it is listed and
  // checked again as each new folder receives it, so its files are read only
  // where it lay; and each new folder a structure's files go to, taken when
  // they start, so a file is written only where that folder lay then (one
  // swapped for a link meanwhile receives nothing). A simulation asks the
  // same checks and writes nothing.
  std::unique_ptr<SystemRemover> writes_;
  std::unique_ptr<CopyWriter> writer_;
  // A run's folders, journaled with their stamps (read when the run ends).
  std::unique_ptr<MadeFolders> made_;
  // A simulation's verdict on each structure file's source, asked once a job.
  std::vector<std::vector<DWORD>> verdicts_;
  // The files not written, each with why, for the run's box at the end.
  std::vector<std::pair<std::string, std::string>> notWritten_;
  std::string fullAt_;  // where the disk became full, if it did
  void ReportNotWritten(const std::string& caption);
  // What the current new folder holds so far (a repeat of another structure's
  // entry exists by then), in a run as predicted in a simulation.
  std::unordered_set<std::string, FoldedHash, FoldedEqual> predictedTargets_;
};

} // namespace core
