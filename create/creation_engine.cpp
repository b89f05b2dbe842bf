#include "create/creation_engine.h"

#include "core/casefold.h"
#include "core/listing_box.h"
#include "core/textutil.h"
#include "core/validation.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>
#include <unordered_set>
#include <memory>

namespace core {

FolderNameParts ComposeNameParts(const std::string& destination, const std::string& prefix,
                                 const std::string& suffix, bool hyphen) {
  FolderNameParts parts;
  std::string dest = TrimText(destination);
  if (dest.empty() || dest.back() != '\\') dest += "\\";
  parts.part[0] = dest + prefix;
  if (hyphen && !TrimText(prefix).empty()) parts.part[0] += "-";
  if (hyphen && !TrimText(suffix).empty()) parts.part[2] = "-";
  parts.part[3] = suffix;
  return parts;
}

// A structure's root as measured and walked: trimmed, backslashes only, no
// trailing backslash.
std::string StructureRoot(const std::string& structure) {
  std::string root = TrimText(ForwardToBackslashes(structure));
  while (!root.empty() && root.back() == '\\') root.pop_back();
  return root;
}

void MeasureStructures(const CreationStringList& structures, AttachMode mode, bool withFiles,
                       StructureTotals& totals, FileSizeMap& files, std::vector<KeptPath>* kept) {
  totals = StructureTotals();
  files.clear();
  if (mode == AttachMode::Nothing) return;
  totals.each.assign(structures.size(), StructureTotals::Share());
  for (size_t i = 0; i < structures.size(); ++i) {
    // The same root text as the walk's, so a whole drive ("E:\\") is measured
    // under the names the walk looks up.
    const std::string root = StructureRoot(structures[i]);
    if (root.empty()) continue;
    FolderStructSize scan(root);
    scan.SetCountRootFolder(AttachMainFolders(mode));
    scan.ScanAll();
    StructureTotals::Share& share = totals.each[i];
    share.folders = scan.GetFolderCount();
    FileSizeMap map = scan.GetFileMap();
    files.insert(map.begin(), map.end());  // a path already present keeps its first size
    if (withFiles) {
      share.bytes = scan.GetTotalBytes();
      share.files = scan.GetFileCount();
    }
    totals.folders += share.folders;
    totals.bytes += share.bytes;
    totals.files += share.files;
    if (kept)
      for (const KeptPath& k : scan.GetKeptEntries())
        if (withFiles || k.folder) kept->push_back(k);
  }
}

std::string KeptEntriesText(const std::string& structure, const std::vector<KeptPath>& kept) {
  ListedGroups groups;
  for (const KeptPath& k : kept) groups.Add(k.path, k.reason);
  WholeList whole{"", kKeptEntriesFile,
                  "The Folder Structure " + structure + " holds entries this system cannot address",
                  ListedNameCut(structure)};
  return ListingBoxText("The Folder Structure holds entries this system cannot address : " +
                            UInt64ToStdString(kept.size()) + "\n" + ListedName(structure) +
                            "\nThey are never copied, and the folders holding them are made without them :\n\n{}",
                        {{"", groups.Groups()}}, whole);
}

std::string FreeSpaceCheck::Message() const {
  return "There is not enough space on the disk.\nThe free space on the disk " + root + " is : " +
         FormatByteSize(freeBytes) + "    " + UInt64ToStdString(freeBytes) + " bytes\n" +
         "The program requires : " + FormatByteSize(static_cast<uint64_t>(neededBytes)) + "    " +
         NumberToStdString(neededBytes) + " bytes.";
}

FreeSpaceCheck CheckFreeSpace(const std::string& destination, double count, uint64_t bytes) {
  FreeSpaceCheck check;
  if (count <= 0) return check;
  check.neededBytes = count * static_cast<double>(bytes);
  check.verdict = FreeSpaceCheck::Enough;
  if (check.neededBytes <= 0) return check;  // nothing is copied: no room needed
  DiskSpace space = QueryDriveFreeSpace(TrimText(destination), check.root);
  check.known = space.known;
  if (!space.known) return check;            // unknown free space never refuses
  check.freeBytes = space.freeToCaller;
  // Room for exactly what is needed is enough.
  if (static_cast<double>(check.freeBytes) < check.neededBytes)
    check.verdict = FreeSpaceCheck::NotEnough;
  return check;
}

ItemSource StringListItems(CreationStringList items, const FolderNameParts& parts) {
  ItemSource source;
  source.count = items.size();
  auto list = std::make_shared<const CreationStringList>(std::move(items));
  source.compose = [list, parts](size_t i, std::string& path) {
    const std::string& item = (*list)[i];
    if (!TrimText(ExtractFileDrive(item)).empty()) {
      path = item;
      return ItemVerdict::Other;
    }
    path = parts.Compose(item);
    return TrimText(ExtractFileDrive(path)).empty() ? ItemVerdict::Other : ItemVerdict::Folder;
  };
  return source;
}

ItemSource NumberItems(int64_t start, uint64_t count, bool padded, int width,
                       const FolderNameParts& parts) {
  ItemSource source;
  source.count = static_cast<size_t>(count);
  source.compose = [start, padded, width, parts](size_t i, std::string& path) {
    const int64_t n = start + static_cast<int64_t>(i);
    char digits[32];
    if (padded)
      std::snprintf(digits, sizeof digits, "%0*lld", width, static_cast<long long>(n));
    else
      std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(n));
    path.assign(parts.part[0]).append(digits).append(parts.part[2]).append(parts.part[3]);
    return ItemVerdict::Folder;
  };
  return source;
}

bool ComposePathTarget(const std::string& line, const std::string& prefix,
                       const std::string& suffix, bool hyphen, std::string& target) {
  std::string path = TrimText(ForwardToBackslashes(line));
  const std::string drive = ExtractFileDrive(path);
  if (TrimText(drive).empty()) return false;
  auto dropTrailing = [&] {
    while (path.size() > drive.size() && path.back() == '\\') path.pop_back();
  };
  dropTrailing();
  auto lastName = [&] {
    size_t cut = path.find_last_of('\\');
    return cut == std::string::npos || cut < drive.size() ? std::string() : path.substr(cut + 1);
  };
  std::string last = lastName();
  const size_t dot = last.find_last_of('.');
  if (dot != std::string::npos && !TrimText(last.substr(dot)).empty()) {
    // A file's path: its folder is the one named.
    path.resize(path.size() - last.size());
    dropTrailing();
    last = lastName();
  }
  if (last.empty()) return false;  // a drive root names no folder to make
  std::string parent = path.substr(0, path.size() - last.size());
  if (parent.empty() || parent.back() != '\\') parent += '\\';
  target = parent + prefix;
  if (hyphen && !TrimText(prefix).empty()) target += '-';
  target += last;
  if (hyphen && !TrimText(suffix).empty()) target += '-';
  target += suffix;
  return true;
}

ItemSource PathListItems(CreationStringList lines, const std::string& prefix,
                         const std::string& suffix, bool hyphen) {
  ItemSource source;
  source.count = lines.size();
  auto list = std::make_shared<const CreationStringList>(std::move(lines));
  source.compose = [list, prefix, suffix, hyphen](size_t i, std::string& path) {
    const std::string& line = (*list)[i];
    if (TrimText(ExtractFileDrive(TrimText(line))).empty()) {
      path = line;
      return ItemVerdict::OtherAlone;
    }
    if (!ComposePathTarget(line, prefix, suffix, hyphen, path)) {
      path = line;
      return ItemVerdict::Other;
    }
    return ItemVerdict::Folder;
  };
  return source;
}

CreationJournal::File RecordCopy(const std::string& path, uint64_t size, FILETIME written) {
  CreationJournal::File file{path, size, written};
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
    file.size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    file.written = data.ftLastWriteTime;
  }
  file.digested = FileDigest(path, file.digest);
  return file;
}

namespace {

std::string ParentPath(const std::string& path) {
  const size_t cut = path.find_last_of('\\');
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

// The journal's folders by path (letter case ignored), without a second copy
// of every path: each is kept as its position under the folded hash of its
// path, confirmed on the journal's own text.
class JournalFolders {
public:
  explicit JournalFolders(const std::vector<std::string>& folders) : folders_(folders) {
    positions_.reserve(folders.size());
    for (size_t i = 0; i < folders.size(); ++i) positions_.emplace(hash_(folders[i]), i);
  }
  // The position of path among the folders (the last made, for a repeat);
  // npos when it is none of them.
  size_t Find(const std::string& path) const {
    size_t found = std::string::npos;
    auto range = positions_.equal_range(hash_(path));
    for (auto it = range.first; it != range.second; ++it)
      if (it->second < folders_.size() && SameText(folders_[it->second], path) &&
          (found == std::string::npos || it->second > found))
        found = it->second;
    return found;
  }

private:
  const std::vector<std::string>& folders_;
  FoldedHash hash_;
  std::unordered_multimap<size_t, size_t> positions_;
};

bool NotFoundError(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// Each sets why to the reason when the item stays.
Undone UndoCopiedFile(const CreationJournal::File& file, Remover& remover, std::string& why) {
  const ItemLocation at = remover.Locate(file.path);
  if (NotFoundError(at.error)) return Undone::Gone;
  if (!at.Here()) {  // a link put in its place: never removed through
    why = RemovalReason(at.error);
    return Undone::Stays;
  }
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(file.path.c_str(), GetFileExInfoStandard, &data)) return Undone::Gone;
  const uint64_t size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  uint64_t digest = 0;
  // Changed since the copy (rewritten, even to the same size and time): the user's now.
  if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) {
    why = "a folder or a link has its name now";
    return Undone::Stays;
  }
  if (!file.digested) {
    why = "its copy could not be read back when it was made: kept";
    return Undone::Stays;
  }
  if (size != file.size || CompareFileTime(&data.ftLastWriteTime, &file.written) != 0 ||
      !FileDigest(file.path, digest) || digest != file.digest) {
    why = "changed since the copy (its size, time or content): kept as yours";
    return Undone::Stays;
  }
  if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
    SetFileAttributesA(file.path.c_str(), data.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
  const DWORD error = remover.RemoveFile(file.path);
  if (error == 0) return Undone::Removed;
  why = RemovalReason(error);
  return Undone::Refused;
}

// Whether the folder holds any entry (one no path reaches too).
bool HoldsEntries(const std::string& folder) {
  bool any = false;
  ForEachFolderEntry(folder, "*", [&](const WIN32_FIND_DATAA&) { any = true; },
                     [&](const KeptEntry&) { any = true; });
  return any;
}

// How a folder's stamp read before the undo took anything out of it compares
// with the one the run left: unknown (not read), unchanged, changed.
enum class Checked : char { Unknown, Unchanged, Changed };

// made: the folder's stamp as the run left it (unknown for a journal without
// stamps); early: its comparison made before the undo took anything out of it.
Undone UndoFolder(const std::string& folder, const ItemStamp& made, Checked early, Remover& remover,
                  std::string& why) {
  // The folder's own name opened for the removal: what it is is read through
  // that handle, and the removal acts through it.
  const ItemLocation at = remover.LocateToChange(folder);
  if (NotFoundError(at.error)) return Undone::Gone;
  if (!at.Here()) {  // a link put in its place: never removed through it
    why = RemovalReason(at.error);
    return Undone::Stays;
  }
  if (at.attributes != INVALID_FILE_ATTRIBUTES) {
    if (at.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      why = RemovalReason(ERROR_NOT_SUPPORTED);
      return Undone::Stays;
    }
    if (!(at.attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      why = "a file has its name now";
      return Undone::Stays;
    }
  }
  if (!made.known) {
    // The run could not tell this folder as the one it made: never removed.
    why = "the run could not record it as the folder it made (it was changed or made again while the run went "
          "on, or could not be read)";
    return Undone::Stays;
  }
  if (at.identity.known) {
    if (!made.SameIndex(at.identity)) {
      why = "another folder has its name now (the one the run made is gone)";
      return Undone::Stays;
    }
    // The same index may be a new folder's (a Linux file system under Wine
    // hands a removed folder's index on): the change time tells.
    const bool changed = early == Checked::Unknown ? at.changed != made.changed : early == Checked::Changed;
    if (changed) {
      // Not removed: the handle held for the removal goes (the system lists
      // no folder beside it), and a listing tells whether the user's things
      // are in it.
      remover.Locate(folder);
      why = HoldsEntries(folder) ? RemovalReason(ERROR_DIR_NOT_EMPTY)
                                 : "changed since the run made it (something was added to it or taken out of it, "
                                   "or another folder was made in its place)";
      return Undone::Stays;
    }
  }
  const DWORD error = remover.RemoveFolder(folder);
  if (error == 0) return Undone::Removed;
  if (!IsExistingDirectory(folder)) return Undone::Gone;
  why = RemovalReason(error);
  return Undone::Refused;
}

} // namespace

bool ReportedAfterUndo(bool folder, Undone outcome) {
  return outcome == Undone::Refused || outcome == Undone::Stays;
}

void UndoJournal(CreationJournal& journal, Remover* remover,
                 const std::function<bool(size_t done, size_t total)>& progress,
                 const std::function<void(const std::string& path, bool folder, Undone outcome,
                                          const std::string& why)>& visit) {
  SystemRemover own;
  Remover& remove = remover ? *remover : own;
  ListRoads(remove, journal.roads);
  const size_t total = journal.files.size() + journal.folders.size();
  size_t done = 0;
  // A journaled folder holding an item about to be taken back is compared
  // with its stamp first: taking the item out changes the folder.
  const bool stamped = journal.stamps.size() == journal.folders.size();
  std::unique_ptr<JournalFolders> index;
  if (stamped && !journal.folders.empty()) index = std::make_unique<JournalFolders>(journal.folders);
  std::vector<Checked> early(stamped ? journal.folders.size() : 0, Checked::Unknown);
  auto checkFolderOf = [&](const std::string& item) {
    if (!index) return;
    const size_t at = index->Find(ParentPath(item));
    if (at == std::string::npos || at >= journal.folders.size() || early[at] != Checked::Unknown) return;
    const ItemStamp& made = journal.stamps[at];
    ItemStamp now;
    if (made.known && StampAt(journal.folders[at], now))
      early[at] = now.changed == made.changed ? Checked::Unchanged : Checked::Changed;
  };
  // An item counts as taken back only once it is gone: the outcomes wait, in
  // their order, until the remover settles the removals behind them
  // (Remover::Settle), as often as that falls due and at the end.
  struct Held {
    std::string path;
    bool folder;
    Undone outcome;
    std::string why;
  };
  std::vector<Held> held;
  std::vector<std::string> heldPaths;
  std::vector<DWORD> heldErrors;
  auto settle = [&] {
    if (held.empty()) return;
    ApplySettled(remove, heldPaths, heldErrors);
    for (size_t i = 0; i < held.size(); ++i) {
      Held& h = held[i];
      if (h.outcome == Undone::Removed && heldErrors[i] != 0) {
        h.outcome = Undone::Refused;
        h.why = RemovalReason(heldErrors[i]);
      }
      if (visit) visit(h.path, h.folder, h.outcome, h.why);
    }
    held.clear();
    heldPaths.clear();
    heldErrors.clear();
  };
  auto record = [&](const std::string& path, bool folder, Undone outcome, std::string why) {
    if (outcome != Undone::Removed && held.empty()) {
      if (visit) visit(path, folder, outcome, why);
      return;
    }
    held.push_back({path, folder, outcome, std::move(why)});
    heldPaths.push_back(path);
    heldErrors.push_back(0);
    if (remove.SettleDue()) settle();
  };
  // Newest first; a stop keeps in the journal what was not taken back.
  while (!journal.files.empty()) {
    if (progress && !progress(done, total)) return settle();
    const CreationJournal::File file = std::move(journal.files.back());
    journal.files.pop_back();
    ++done;
    checkFolderOf(file.path);
    std::string why;
    const Undone outcome = UndoCopiedFile(file, remove, why);
    record(file.path, false, outcome, std::move(why));
  }
  while (!journal.folders.empty()) {
    if (progress && !progress(done, total)) return settle();
    const size_t at = journal.folders.size() - 1;
    const std::string folder = std::move(journal.folders.back());
    const ItemStamp made = at < journal.stamps.size() ? journal.stamps[at] : ItemStamp();
    const Checked before = at < early.size() ? early[at] : Checked::Unknown;
    journal.folders.pop_back();
    if (journal.stamps.size() > journal.folders.size()) journal.stamps.resize(journal.folders.size());
    ++done;
    checkFolderOf(folder);
    std::string why;
    const Undone outcome = UndoFolder(folder, made, before, remove, why);
    record(folder, true, outcome, std::move(why));
  }
  settle();
  if (progress) progress(done, total);
  journal.Clear();
}

CreationStringList UndoCreation(CreationJournal& journal, Remover* remover,
                                const std::function<bool(size_t done, size_t total)>& progress,
                                CreationStringList* why) {
  CreationStringList stayed;
  // A file kept as the user's keeps its folder, which is what the page
  // reports; one the system did not remove is named itself.
  UndoJournal(journal, remover, progress, [&](const std::string& path, bool folder, Undone outcome,
                                              const std::string& reason) {
    if (!ReportedAfterUndo(folder, outcome)) return;
    stayed.push_front(path);
    if (why) why->push_front(reason);
  });
  return stayed;
}

namespace {

// The last name of a structure's root; empty for a drive.
std::string StructureLastName(const std::string& root) {
  const size_t cut = root.find_last_of('\\');
  if (cut == std::string::npos) return ExtractFileDrive(root) != root ? root : std::string();
  return root.substr(cut + 1);
}

// Why a structure folder could not be made, from the answer of MakeFolderLevels.
std::string FolderFailureReason(DWORD error) {
  switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "the disk is full";
    case ERROR_INVALID_NAME:
      return "a folder path the system cannot make (248 characters or more, a device name, a name ending in a dot "
             "or a blank, a control character or a character a folder name cannot hold)";
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS: return "a file has its name";
    case ERROR_ACCESS_DENIED: return "access denied";
    case ERROR_PATH_NOT_FOUND: return "its drive or a folder above it cannot be reached";
    default: return "system error " + std::to_string(error);
  }
}

} // namespace

StructureListing ListStructure(const std::string& structure) {
  StructureListing listing;
  const std::string root = StructureRoot(structure);
  listing.root = root;
  listing.lastName = StructureLastName(root);
  std::deque<std::string> queue{std::string()};
  while (!queue.empty()) {
    std::string relative = std::move(queue.front());
    queue.pop_front();
    const std::string folder = relative.empty() ? root : root + "\\" + relative;
    ForEachFolderEntry(folder, "*.*", [&](const WIN32_FIND_DATAA& data) {
      StructureListing::Entry entry;
      entry.relative = relative.empty() ? std::string(data.cFileName)
                                        : relative + "\\" + data.cFileName;
      entry.folder = FindDataIsFolder(data);
      entry.size = entry.folder ? 0 : FindDataSize(data);
      entry.written = data.ftLastWriteTime;
      // A linked folder is made, as measuring counted it, but never entered:
      // nothing is copied through a link.
      if (entry.folder && !FindDataIsReparsePoint(data)) queue.push_back(entry.relative);
      listing.entries.push_back(std::move(entry));
    }, [&](const KeptEntry& entry) { listing.kept.push_back(KeptIn(folder, entry)); });
  }
  return listing;
}

// ---- Engine ----------------------------------------------------------------------

CreationEngine::CreationEngine(CreationCounters& counters, CreationResultLists& results,
                               CreationJournal& journal, CreationStringList& copiedFiles,
                               const StructureTotals& totals, const FileSizeMap& files,
                               CreationSink& sink)
    : counters_(counters), results_(results), journal_(journal), copiedFiles_(copiedFiles),
      totals_(totals), files_(files), sink_(sink) {}

void CreationEngine::Count(int row, int column, double amount) {
  counters_[CounterIndex(row, column)] += amount;
  if (sink_.countersChanged) sink_.countersChanged();
}

void CreationEngine::AddTotals(int row, AttachMode mode) {
  if (mode == AttachMode::Nothing) return;
  counters_[CounterIndex(row, kSubFolders)] += totals_.folders;
  counters_[CounterIndex(row, kFiles)] += totals_.files;
  counters_[CounterIndex(row, kBytes)] += static_cast<double>(totals_.bytes);
}

void CreationEngine::RecordCreated(const std::string& path) {
  if (recording_) results_.CreatedFolders().push_back(path);
  if (sink_.listed) sink_.listed(ResultList::FoldersCreated, path);
  Count(kCreated, kFolders);
}

void CreationEngine::RecordExists(const std::string& path, const CreationJob& job) {
  counters_[CounterIndex(kExists, kFolders)] += 1;
  if (job.totalsOnExists) AddTotals(kExists, job.mode);
  if (sink_.countersChanged) sink_.countersChanged();
  if (recording_) results_.ExistingFolders().push_back(path);
  if (sink_.listed) sink_.listed(ResultList::FoldersExists, path);
}

void CreationEngine::RecordOther(const std::string& text, const CreationJob& job, bool totals,
                                 const std::string& why) {
  counters_[CounterIndex(kOther, kFolders)] += 1;
  if (totals && job.totalsOnOther) AddTotals(kOther, job.mode);
  if (sink_.countersChanged) sink_.countersChanged();
  if (recording_) results_.OtherFolders().push_back(text);
  if (!why.empty() && sink_.notWritten)
    sink_.notWritten(text, why);
  else if (sink_.listed)
    sink_.listed(ResultList::FoldersOther, text);
}

const StructureListing& CreationEngine::Listing(size_t index, const CreationJob& job) {
  if (!listed_[index]) {
    listed_[index] = true;
    // The structure's folder is a road of the job: listed and read only
    // where it lies now, never through a link put in its place.
    const std::string root = StructureRoot(job.structures[index]);
    const ItemLocation road = writes_->ListRoad(root.size() == 2 ? root + "\\" : root);
    if (road.error == ERROR_NOT_SUPPORTED || road.error == kErrorRoadMoved) {
      linked_[index] = true;
      listings_[index].root = root;
      listings_[index].lastName = StructureLastName(root);
      if (sink_.warn)
        sink_.warn("The Folder Structure is a link (its name leads to another place) : \n" + root +
                       "\nNothing is read through it: it is not copied.",
                   linkedCaption_, false);
      return listings_[index];
    }
    listings_[index] = ListStructure(job.structures[index]);
    // Said once a job, when the structure is first listed: what of it is never copied.
    std::vector<KeptPath> kept;
    for (const KeptPath& k : listings_[index].kept)
      if (AttachWithFiles(job.mode) || k.folder) kept.push_back(k);
    if (!kept.empty() && sink_.warn) sink_.warn(KeptEntriesText(listings_[index].root, kept), keptCaption_, false);
  }
  return listings_[index];
}

bool CreationEngine::Refused(size_t index, const std::string& path, const CreationJob& job,
                             const std::string& caption) {
  std::string message;
  if (!CheckSourceDestDiffer(path, job.structures[index], message)) return false;
  // One box per structure and run: the same refusal repeats for every item.
  if (!refusalShown_[index] && sink_.warn) sink_.warn(message, caption, false);
  refusalShown_[index] = true;
  return true;
}

std::string CreationEngine::TargetRoot(const std::string& path, size_t index,
                                       const CreationJob& job) {
  std::string root = path;
  while (root.size() > 1 && root.back() == '\\') root.pop_back();
  if (AttachMainFolders(job.mode)) {
    const std::string& last = Listing(index, job).lastName;
    if (!last.empty()) root += "\\" + last;
  }
  return root;
}

uint64_t CreationEngine::MeasuredSize(const std::string& source,
                                      const StructureListing::Entry& entry) {
  auto found = files_.find(source);
  if (found != files_.end()) return found->second;
  // Not measured (it appeared since): the size of the listing, and one summary
  // box at the end of the run.
  unmeasured_.push_back(source);
  return entry.size;
}

bool CreationEngine::Attach(const std::string& root, const StructureListing& listing,
                            const CreationJob& job) {
  const bool withFiles = AttachWithFiles(job.mode);
  const bool subOnly = !AttachMainFolders(job.mode);
  DWORD error = 0;
  const MakeFolderResult rootMade = made_->MakeLevels(root, error);
  // Under the main-folder options the structure's own folder is one of its
  // folders (the new folder itself is not, under the others).
  if (rootMade == MakeFolderResult::Created) {
    if (sink_.listed) sink_.listed(ResultList::SubFoldersCreated, root);
    Count(kCreated, kSubFolders);
  } else if (!subOnly && rootMade == MakeFolderResult::Exists) {
    Count(kExists, kSubFolders);
  } else if (rootMade == MakeFolderResult::Failed) {
    if (!subOnly) NotMade(root, FolderFailureReason(error));
    if (DiskFullError(error)) {
      fullAt_ = root;
      return false;  // nothing more is made: the run stops here
    }
  }
  if (AttachMainFolders(job.mode)) predictedTargets_.insert(root);
  if (withFiles) {
    writes_->ListRoad(root);
    // The structure's folder again, as this folder receives it.
    writes_->ListRoad(listing.root.size() == 2 ? listing.root + "\\" : listing.root);
  }
  std::unordered_set<std::string> failed;  // relative folders that could not be made
  for (const StructureListing::Entry& entry : listing.entries) {
    const std::string target = root + "\\" + entry.relative;
    const bool isNew = predictedTargets_.insert(target).second;
    if (entry.folder) {
      switch (made_->MakeLevels(target, error)) {
      case MakeFolderResult::Created:
        if (sink_.listed) sink_.listed(ResultList::SubFoldersCreated, target);
        Count(kCreated, kSubFolders);
        break;
      case MakeFolderResult::Exists: Count(kExists, kSubFolders); break;
      case MakeFolderResult::Failed:
        failed.insert(entry.relative);
        NotMade(target, FolderFailureReason(error));
        if (DiskFullError(error)) {
          fullAt_ = target;
          return false;  // nothing more is made: the run stops here
        }
        break;
      }
      continue;
    }
    if (!withFiles) continue;
    const std::string source = listing.root + "\\" + entry.relative;
    const double size = static_cast<double>(MeasuredSize(source, entry));
    const size_t cut = entry.relative.rfind('\\');
    const bool folderMade = cut == std::string::npos ? rootMade != MakeFolderResult::Failed
                                                     : failed.count(entry.relative.substr(0, cut)) == 0;
    if (!folderMade) {
      NotWritten(target, size, "its folder could not be made");
      continue;
    }
    if (!isNew) {  // another structure's entry of that name came first
      counters_[CounterIndex(kExists, kFiles)] += 1;
      counters_[CounterIndex(kExists, kBytes)] += size;
      if (sink_.countersChanged) sink_.countersChanged();
      continue;
    }
    // Read only where the structure was listed, written whole under a
    // temporary name and given its real name only where the folder lay when
    // the files started, never over an existing item. The copy and its undo's
    // record in one pass.
    CopiedFile copied;
    const DWORD error = writer_->Copy(source, target, copied);
    made_->Changed(target);
    if (error == 0) {
      CreationJournal::File file{target, copied.size, copied.written};
      file.digest = copied.digest;
      file.digested = copied.digested;
      journal_.files.push_back(std::move(file));
      if (sink_.listed) sink_.listed(ResultList::FilesCreated, target);
      if (subOnly && entry.relative.find('\\') == std::string::npos) copiedFiles_.push_back(target);
      counters_[CounterIndex(kCreated, kFiles)] += 1;
      counters_[CounterIndex(kCreated, kBytes)] += size;
    } else if (NameTakenError(error) && !copied.sourceFault) {
      counters_[CounterIndex(kExists, kFiles)] += 1;
      counters_[CounterIndex(kExists, kBytes)] += size;
    } else {
      NotWritten(target, size, CopyFailureReason(error, copied));
      if (DiskFullError(error)) {
        fullAt_ = target;
        return false;  // nothing more is written: the run stops here
      }
      continue;
    }
    if (sink_.countersChanged) sink_.countersChanged();
  }
  return true;
}

void CreationEngine::NotWritten(const std::string& target, double size, const std::string& why) {
  counters_[CounterIndex(kOther, kFiles)] += 1;
  counters_[CounterIndex(kOther, kBytes)] += size;
  if (recording_) notWritten_.emplace_back(target, why);
  if (sink_.notWritten) sink_.notWritten(target, why);
  if (sink_.countersChanged) sink_.countersChanged();
}

void CreationEngine::NotMade(const std::string& target, const std::string& why) {
  counters_[CounterIndex(kOther, kSubFolders)] += 1;
  if (sink_.notWritten) sink_.notWritten(target, why);
  if (sink_.countersChanged) sink_.countersChanged();
}

void CreationEngine::Unattached(const std::string& path, size_t index, const CreationJob& job) {
  const bool withFiles = AttachWithFiles(job.mode);
  const std::string root = TargetRoot(path, index, job);
  if (Linked(index, job)) {
    // Never listed nor read: what the page measured of it, on one line.
    StructureTotals::Share share;
    if (index < totals_.each.size()) share = totals_.each[index];
    counters_[CounterIndex(kOther, kSubFolders)] += share.folders;
    counters_[CounterIndex(kOther, kFiles)] += share.files;
    counters_[CounterIndex(kOther, kBytes)] += static_cast<double>(share.bytes);
    std::string measured = "folders : " + UInt64ToStdString(share.folders);
    if (withFiles) measured += ", files : " + UInt64ToStdString(share.files);
    if (sink_.notWritten)
      sink_.notWritten(root, "its Folder Structure " + Listing(index, job).root +
                                 " is a link (its name leads to another place): nothing is read through it, nothing "
                                 "of it is made (as measured, " + measured + ")");
    if (sink_.countersChanged) sink_.countersChanged();
    return;
  }
  // Refused for this folder: each entry of the run's listing, with why.
  const StructureListing& listing = Listing(index, job);
  const std::string why = "its Folder Structure " + listing.root +
                          " and the new folder are one, or one lies inside the other: nothing is copied into itself";
  if (AttachMainFolders(job.mode)) NotMade(root, why);
  for (const StructureListing::Entry& entry : listing.entries) {
    const std::string target = root + "\\" + entry.relative;
    if (entry.folder) {
      NotMade(target, why);
    } else if (withFiles) {
      auto found = files_.find(listing.root + "\\" + entry.relative);
      counters_[CounterIndex(kOther, kFiles)] += 1;
      counters_[CounterIndex(kOther, kBytes)] += static_cast<double>(found != files_.end() ? found->second : entry.size);
      if (sink_.notWritten) sink_.notWritten(target, why);
      if (sink_.countersChanged) sink_.countersChanged();
    }
  }
}

void CreationEngine::NoteRoad(size_t madeFrom) {
  if (journal_.folders.size() <= madeFrom) return;
  const std::string& top = journal_.folders[madeFrom];
  const size_t cut = top.find_last_of('\\');
  if (cut == std::string::npos) return;
  const std::string above = top.substr(0, cut == 2 && top[1] == ':' ? 3 : cut);
  if (!journal_.roads.empty() && SameText(journal_.roads.back(), above)) return;
  if (roadsNoted_.insert(above).second) journal_.roads.push_back(above);
}

void CreationEngine::StartJob(const CreationJob& job) {
  listings_.assign(job.structures.size(), StructureListing());
  listed_.assign(job.structures.size(), false);
  linked_.assign(job.structures.size(), false);
  refusalShown_.assign(job.structures.size(), false);
  verdicts_.assign(job.structures.size(), std::vector<DWORD>());
  unmeasured_.clear();
  notWritten_.clear();
  fullAt_.clear();
  writes_ = std::make_unique<SystemRemover>();
  writer_ = std::make_unique<CopyWriter>(*writes_);
}

void CreationEngine::ReportUnmeasured(const std::string& caption) {
  if (unmeasured_.empty() || !sink_.warn) return;
  ListedGroups files;
  for (const std::string& f : unmeasured_) files.Add(f);
  sink_.warn(ListingBoxText("The path doesn't exists : \n{}", {{"Files not measured", files.Groups()}},
                            WholeList{"", "files not measured.txt", caption}),
             caption, true);
}

void CreationEngine::ReportNotWritten(const std::string& caption) {
  if (notWritten_.empty() || !sink_.warn) return;
  // Each reason once, in the order met, with the files it kept from being written.
  ListedGroups files;
  for (const auto& item : notWritten_) files.Add(item.first, item.second);
  // The Visual Log lists them, each with why, while its list is whole.
  const bool listed = !sink_.listedWhole || sink_.listedWhole(ResultList::FoldersOther);
  sink_.warn(ListingBoxText("Files not written : " + UInt64ToStdString(notWritten_.size()) + "\n\n{}",
                            {{"", files.Groups()}},
                            WholeList{listed ? "the Visual Log, list Other reasons, each file with why." : "",
                                      "files not written.txt", caption}),
             caption, false);
}

bool CreationEngine::Run(const CreationJob& job) {
  StartJob(job);
  keptCaption_ = job.captions.keptNames;
  linkedCaption_ = job.captions.selfCopy;
  recording_ = true;
  made_ = std::make_unique<MadeFolders>(journal_.folders, journal_.stamps);
  // Every structure is listed before the first folder is made, so nothing this
  // run creates (inside a structure) is ever copied.
  if (job.mode != AttachMode::Nothing)
    for (size_t s = 0; s < job.structures.size(); ++s)
      if (!TrimText(job.structures[s]).empty()) Listing(s, job);
  bool completed = true;
  std::string path;
  for (size_t i = 0; i < job.items.count; ++i) {
    if (sink_.progress && !sink_.progress(i)) {
      completed = false;
      break;
    }
    const ItemVerdict verdict = job.items.compose(i, path);
    if (verdict != ItemVerdict::Folder) {
      RecordOther(path, job, verdict == ItemVerdict::Other);
      continue;
    }
    const size_t madeFrom = journal_.folders.size();
    DWORD error = 0;
    MakeFolderResult made = made_->MakeLevels(path, error);
    NoteRoad(madeFrom);
    if (made == MakeFolderResult::Exists) {
      RecordExists(path, job);
      continue;
    }
    if (made == MakeFolderResult::Failed) {
      if (DiskFullError(error)) {
        // Nothing more is made: the run stops here and says where.
        RecordOther(path, job, true, FolderFailureReason(error));
        fullAt_ = path;
        completed = false;
        break;
      }
      RecordOther(path, job);
      continue;
    }
    RecordCreated(path);
    if (job.mode == AttachMode::Nothing) continue;
    copiedFiles_.clear();
    predictedTargets_.clear();
    for (size_t s = 0; s < job.structures.size() && completed; ++s) {
      if (TrimText(job.structures[s]).empty()) continue;
      if (Refused(s, path, job, job.captions.selfCopy) || Linked(s, job)) {
        Unattached(path, s, job);
        continue;
      }
      completed = Attach(TargetRoot(path, s, job), Listing(s, job), job);
    }
    if (!completed) break;
  }
  // What the undo knows each folder by: as the run left it, stopped or not.
  made_->Read();
  made_.reset();
  ReportUnmeasured(job.captions.missingSize);
  if (!fullAt_.empty() && sink_.warn)
    sink_.warn("The disk is full !\nThe Creation process is stopped at : \n" + fullAt_, job.captions.diskFull, false);
  ReportNotWritten(job.captions.writesMoved);
  writer_.reset();
  writes_.reset();
  return completed;
}

namespace {

// What is on disk at the paths a simulation asks about, folder by folder: each
// parent folder is listed once, and its listing answers every name below it
// (under Wine each look-up of a missing name reads the whole parent folder, so
// 30,000 look-ups in one destination would read it 30,000 times).
class DiskNames {
public:
  // The attributes of the entry at path (no trailing backslash);
  // INVALID_FILE_ATTRIBUTES when nothing is there.
  DWORD Attributes(const std::string& path) {
    const size_t cut = path.find_last_of('\\');
    const size_t root = ExtractFileDrive(path).size();
    // No drive part, a drive root, a forward slash or a doubled backslash:
    // the system's own answer, not a listing.
    if (cut == std::string::npos || root == 0 || cut < root || path.find('/') != std::string::npos ||
        path.find("\\\\", root) != std::string::npos)
      return GetFileAttributesA(path.c_str());
    const std::string parent = path.substr(0, cut);
    auto it = folders_.find(parent);
    if (it == folders_.end()) it = folders_.emplace(parent, List(parent)).first;
    const Folder& folder = it->second;
    if (!folder.listed) return GetFileAttributesA(path.c_str());
    auto found = folder.names.find(path.substr(cut + 1));
    return found == folder.names.end() ? INVALID_FILE_ATTRIBUTES : found->second;
  }

private:
  struct Folder {
    bool listed = false;  // false: the folder could not be read, ask the system per name
    std::unordered_map<std::string, DWORD, FoldedHash, FoldedEqual> names;
  };
  static Folder List(const std::string& parent) {
    Folder folder;
    // Only names a path reaches answer a look-up: a look-alike of a name the
    // code page cannot spell is no entry of that name.
    folder.listed = ForEachFolderEntry(parent, "*", [&](const WIN32_FIND_DATAA& data) {
      folder.names.emplace(data.cFileName, data.dwFileAttributes);
      if (data.cAlternateFileName[0]) folder.names.emplace(data.cAlternateFileName, data.dwFileAttributes);
    });
    if (!folder.listed) {
      const DWORD error = GetLastError();
      // A parent that is not there holds nothing.
      folder.listed = error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND;
    }
    return folder;
  }
  std::unordered_map<std::string, Folder, FoldedHash, FoldedEqual> folders_;
};
} // namespace

void CreationEngine::SimulateAttach(const std::string& root, size_t index, const StructureListing& listing,
                                    const CreationJob& job) {
  const bool withFiles = AttachWithFiles(job.mode);
  // Everything below a predicted new folder is new as well, unless an earlier
  // structure of this folder already put it there: no probing. The run's rule
  // for folder paths holds here too: a folder it refuses is "other reasons",
  // and a file for such a folder is not written. A file is read only where
  // the structure lies, never through a link: each source is asked once a
  // job, as the run opens it.
  const bool rootMade = IsCreatableFolderPath(root);
  if (AttachMainFolders(job.mode)) {
    if (!rootMade) {
      NotMade(root, FolderFailureReason(ERROR_INVALID_NAME));
    } else if (predictedTargets_.insert(root).second) {
      if (sink_.listed) sink_.listed(ResultList::SubFoldersCreated, root);
      Count(kCreated, kSubFolders);
    } else {
      Count(kExists, kSubFolders);
    }
  }
  std::vector<DWORD>& verdicts = verdicts_[index];
  if (withFiles && verdicts.empty()) verdicts.assign(listing.entries.size(), 0xFFFFFFFF);
  std::unordered_set<std::string> refused;  // relative folders the rule refuses (listed before their files)
  for (size_t i = 0; i < listing.entries.size(); ++i) {
    const StructureListing::Entry& entry = listing.entries[i];
    const std::string target = root + "\\" + entry.relative;
    if (entry.folder && !IsCreatableFolderPath(target)) {
      refused.insert(entry.relative);
      NotMade(target, FolderFailureReason(ERROR_INVALID_NAME));
      continue;
    }
    const bool isNew = predictedTargets_.insert(target).second;
    if (entry.folder) {
      if (isNew) {
        if (sink_.listed) sink_.listed(ResultList::SubFoldersCreated, target);
        Count(kCreated, kSubFolders);
      } else {
        Count(kExists, kSubFolders);
      }
    } else if (withFiles) {
      const std::string source = listing.root + "\\" + entry.relative;
      auto found = files_.find(source);
      if (found == files_.end()) unmeasured_.push_back(source);
      const double size = static_cast<double>(found != files_.end() ? found->second : entry.size);
      const size_t cut = entry.relative.rfind('\\');
      const bool folderMade =
          cut == std::string::npos ? rootMade : refused.count(entry.relative.substr(0, cut)) == 0;
      if (!folderMade) {
        NotWritten(target, size, "its folder could not be made");
        continue;
      }
      if (!isNew) {
        counters_[CounterIndex(kExists, kFiles)] += 1;
        counters_[CounterIndex(kExists, kBytes)] += size;
      } else {
        if (verdicts[i] == 0xFFFFFFFF) verdicts[i] = writer_->SourceReadable(source);
        if (verdicts[i] != 0) {
          CopiedFile fault;
          fault.sourceFault = true;
          NotWritten(target, size, CopyFailureReason(verdicts[i], fault));
          continue;
        }
        if (sink_.listed) sink_.listed(ResultList::FilesCreated, target);
        counters_[CounterIndex(kCreated, kFiles)] += 1;
        counters_[CounterIndex(kCreated, kBytes)] += size;
      }
      if (sink_.countersChanged) sink_.countersChanged();
    }
  }
}

bool CreationEngine::Simulate(const CreationJob& job) {
  StartJob(job);
  keptCaption_ = job.captions.simulateKeptNames;
  linkedCaption_ = job.captions.simulateSelfCopy;
  recording_ = false;
  // The folders predicted so far, each kept as its item's number under the
  // folded hash of its path (a 30,000-item job holds no second copy of every
  // path): a hash that matches is confirmed on the item's path, composed again.
  std::unordered_multimap<size_t, size_t> predicted;
  const FoldedHash hash;
  auto keyOf = [](std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
  };
  auto wasPredicted = [&](const std::string& key) {
    auto range = predicted.equal_range(hash(key));
    std::string other;
    for (auto it = range.first; it != range.second; ++it) {
      job.items.compose(it->second, other);
      if (SameText(keyOf(other), key)) return true;
    }
    return false;
  };
  DiskNames disk;
  // Whether each drive (or share) of the job is there, asked once: a folder on
  // a drive that is missing is one the run cannot make.
  std::unordered_map<std::string, bool, FoldedHash, FoldedEqual> drivePresent;
  auto onPresentDrive = [&](const std::string& path) {
    const std::string drive = ExtractFileDrive(path);
    auto it = drivePresent.find(drive);
    if (it == drivePresent.end()) {
      it = drivePresent.emplace(drive, IsExistingDirectory(drive + "\\")).first;
    }
    return it->second;
  };
  // The result lists and the journal keep the last run's record: not touched.
  bool completed = true;
  std::string path;
  for (size_t i = 0; i < job.items.count; ++i) {
    if (sink_.progress && !sink_.progress(i)) {
      completed = false;
      break;
    }
    const ItemVerdict verdict = job.items.compose(i, path);
    if (verdict != ItemVerdict::Folder || !IsCreatableFolderPath(path) || !onPresentDrive(path)) {
      RecordOther(path, job, verdict != ItemVerdict::OtherAlone);
      continue;
    }
    const std::string key = keyOf(path);
    const DWORD a = wasPredicted(key) ? FILE_ATTRIBUTE_DIRECTORY : disk.Attributes(key);
    if (a != INVALID_FILE_ATTRIBUTES) {
      if (!(a & FILE_ATTRIBUTE_DIRECTORY))
        RecordOther(path, job);
      else
        RecordExists(path, job);
      continue;
    }
    predicted.emplace(hash(key), i);
    RecordCreated(path);
    if (job.mode == AttachMode::Nothing) continue;
    predictedTargets_.clear();
    predictedTargets_.insert(key);  // the new folder itself
    for (size_t s = 0; s < job.structures.size(); ++s) {
      if (TrimText(job.structures[s]).empty()) continue;
      if (Refused(s, path, job, job.captions.simulateSelfCopy) || Linked(s, job)) {
        Unattached(path, s, job);
        continue;
      }
      SimulateAttach(TargetRoot(path, s, job), s, Listing(s, job), job);
    }
  }
  ReportUnmeasured(job.captions.simulateMissingSize);
  writer_.reset();
  writes_.reset();
  return completed;
}

} // namespace core
