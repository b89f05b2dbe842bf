#include "treeops/rename_engine.h"

#include "core/casefold.h"
#include "core/folder_scan.h"
#include "core/remover.h"
#include "core/textutil.h"
#include "core/validation.h"

#include <algorithm>
#include <functional>
#include <map>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

namespace treeops {

namespace {

std::string ParentOf(const std::string& path) {
  size_t cut = path.find_last_of('\\');
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}
std::string LastNameOf(const std::string& path) {
  size_t cut = path.find_last_of('\\');
  return cut == std::string::npos ? path : path.substr(cut + 1);
}
// The last name's extension, as the class library's ExtractFileExt gives it.
bool HasExtension(const std::string& name) {
  size_t dot = name.find_last_of('.');
  return dot != std::string::npos && !core::TrimText(name.substr(dot)).empty();
}
bool IsFolder(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
bool IsFile(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
// A line whose last name has an extension and that is an existing file names
// the folder holding it.
bool NamesAFile(const std::string& path) {
  return HasExtension(LastNameOf(path)) && IsFile(GetFileAttributesA(path.c_str()));
}
bool NotFound(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }
bool Exists(DWORD error) { return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS; }

std::string NewLastName(const std::string& name, const RenameFields& f) {
  if (f.method == RenameMethod::NewName) return f.newName;
  return core::TrimText(f.prefix) + core::TrimText(f.prefixDelimiter) + name +
         core::TrimText(f.suffixDelimiter) + core::TrimText(f.suffix);
}

// Whether an entry of folder other than the one named own (as the disk spells
// it) answers to name, letter case ignored: a twin differing in case only,
// which Linux allows. Every entry is listed: a search for the name itself may
// stop at the first that answers.
bool AnotherAnswers(const std::string& folder, const std::string& name, const std::string& own) {
  bool found = false;
  core::ForEachFolderEntry(folder, "*", [&](const WIN32_FIND_DATAA& entry) {
    if (!found && own != entry.cFileName && core::SameText(entry.cFileName, name)) found = true;
  });
  return found;
}

// A name beside path that answers to nothing yet, for a change of letter case.
std::string TemporaryName(const std::string& path) {
  std::string name = path + ".vextil-rename";
  for (int n = 2; n < 100 && GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; ++n)
    name = path + ".vextil-rename-" + std::to_string(n);
  return name;
}

struct Moved {
  DWORD error = 0;       // 0: renamed
  std::string stranded;  // not empty: the folder stays under this temporary name
  DWORD strandError = 0; // why its own name could not be given back
  LONGLONG changed = 0;  // renamed or stranded: its change time after the last step
};

// A rename without replace, through the remover (which renames only a folder
// whose name is its own, never a link's target). A change of letter case alone
// goes through a temporary name beside the folder: some file systems take a
// direct case-only move for a move onto itself and change nothing. When the
// second step fails the folder is given back its own name, home (the path as
// the disk spelled it); only when that fails too does it stay under the
// temporary name, and the answer says so. Each step reads the folder's change
// time through the handle that renamed it.
Moved MoveFolder(core::Remover& remover, const std::string& from, const std::string& to, const std::string& home) {
  Moved moved;
  if (!core::SameText(from, to)) {
    moved.error = remover.RenameStamped(from, to, moved.changed);
    return moved;
  }
  const std::string temporary = TemporaryName(from);
  if ((moved.error = remover.RenameStamped(from, temporary, moved.changed)) != 0) return moved;
  if ((moved.error = remover.RenameStamped(temporary, to, moved.changed)) == 0) return moved;
  LONGLONG back = 0;
  if ((moved.strandError = remover.RenameStamped(temporary, home, back)) != 0) moved.stranded = temporary;
  return moved;
}

// Why a folder stays under its temporary name, for the end box and the log.
std::string StrandedReason(const Moved& moved) {
  return "renaming it failed (" + core::RemovalReason(moved.error) + "), and so did giving it its name back (" +
         core::RemovalReason(moved.strandError) + "): it is left as " + moved.stranded;
}

// Takes the folder holding each item (of(item); "" for none) as a road of the
// run: a folder on the way swapped for a link since keeps what lies below it,
// and an item's folder is asked where it lies once a run. A folder not there
// now may be there later (the undo gives a renamed parent its name back before
// its children): it is no road.
template <class Items, class Of>
void ListParentRoads(core::Remover& remover, const Items& items, Of of) {
  std::vector<std::string> parents;
  for (const auto& item : items) {
    const std::string path = of(item);
    const std::string parent = ParentOf(path);
    if (!path.empty() && parent.size() >= 2) parents.push_back(parent.size() == 2 ? parent + "\\" : parent);
  }
  core::ListRoads(remover, std::move(parents), false);
}

// One line made ready: the folder to rename (checked) and its new path.
struct Item {
  size_t line;
  unsigned level = 0;
  std::string source, target, refusal;
};

Item PrepareItem(size_t index, const RenameJob& job, core::ProtectedPlaces& places) {
  Item item;
  item.line = index;
  TargetCheck check = CheckTarget(job.lines[index], job.protectedFolders, false, &places);
  if (check.ok && NamesAFile(check.path))
    check = CheckTarget(ParentOf(check.path), job.protectedFolders, false, &places);  // a file's folder
  if (!check.ok) {
    item.source = core::TrimText(job.lines[index]);
    item.refusal = check.reason;
    return item;
  }
  item.source = check.path;
  item.level = Level(check.path);
  const std::string name = NewLastName(LastNameOf(check.path), job.fields);
  // The target check trims its text: a blank or control character at the
  // ends of the new name is refused here, before the system would drop it.
  std::string control;
  std::string fault = name.empty() ? "the new name is empty"
                      : name.back() == ' ' ? "the new name ends in a blank"
                      : core::FindControlCharacter(name, control) ? "the new name holds " + control
                      : name.find_first_of("\\/") != std::string::npos
                          ? "the new name holds a backslash"
                          : CheckTarget("C:\\" + name, ProtectedFolders()).reason;
  if (!fault.empty()) {
    item.refusal = "new name: " + fault;
    return item;
  }
  item.target = ParentOf(check.path) + "\\" + name;
  if (item.target.size() >= kPathLimit) item.refusal = "the new path is too long";
  return item;
}

// What a simulation knows of the disk: the entries of the parents it listed
// (the current level's only) and the renames it predicted.
class PredictedDisk {
public:
  // Attributes of path as the run would find them, INVALID_FILE_ATTRIBUTES for none.
  DWORD Attributes(const std::string& path) {
    auto changed = overlay_.find(path);
    if (changed != overlay_.end()) return changed->second;
    const std::string parent = ParentOf(path);
    auto listed = listings_.find(parent);
    if (listed == listings_.end()) {
      listed = listings_.emplace(parent, Listing()).first;
      core::ForEachFolderEntry(parent, "*", [&](const WIN32_FIND_DATAA& data) {
        listed->second.emplace(data.cFileName, data.dwFileAttributes);
      });
    }
    auto entry = listed->second.find(LastNameOf(path));
    return entry == listed->second.end() ? INVALID_FILE_ATTRIBUTES : entry->second;
  }
  void Renamed(const std::string& from, const std::string& to, DWORD attributes) {
    overlay_[from] = INVALID_FILE_ATTRIBUTES;
    overlay_[to] = attributes;
  }
  // Whether path is one the simulation made up (not on disk).
  bool Predicted(const std::string& path) const { return overlay_.count(path) != 0; }
  void NextLevel() { listings_.clear(); }

private:
  using Listing = std::unordered_map<std::string, DWORD, core::FoldedHash, core::FoldedEqual>;
  std::unordered_map<std::string, Listing, core::FoldedHash, core::FoldedEqual> listings_;
  Listing overlay_;
};

} // namespace

bool RenameSourceFolder(const std::string& line, std::string& folder) {
  std::string path = core::TrimText(core::ForwardToBackslashes(line));
  const std::string drive = core::ExtractFileDrive(path);
  if (core::TrimText(drive).empty()) return false;
  while (path.size() > drive.size() && path.back() == '\\') path.pop_back();
  if (path.size() > drive.size() + 1 && NamesAFile(path)) path = ParentOf(path);
  if (path.size() <= drive.size() + 1 || path.find('\\', drive.size()) == std::string::npos)
    return false;  // a root names no folder
  folder = path;
  return true;
}

core::FolderNameParts ComposePrefixSuffixName(const std::string& folder, const RenameFields& f) {
  core::FolderNameParts parts;
  parts.part[0] = ParentOf(folder) + "\\" + core::TrimText(f.prefix) + core::TrimText(f.prefixDelimiter);
  parts.part[1] = LastNameOf(folder);
  parts.part[2] = core::TrimText(f.suffixDelimiter);
  parts.part[3] = core::TrimText(f.suffix);
  return parts;
}

core::FolderNameParts ComposeNewLastSubFolderName(const std::string& folder, const std::string& newName) {
  core::FolderNameParts parts;
  parts.part[0] = ParentOf(folder) + "\\";
  parts.part[1] = newName;
  return parts;
}

std::string JoinParts(const core::FolderNameParts& p) {
  return p.part[0] + p.part[1] + p.part[2] + p.part[3];
}

std::string PreviewNewPath(const std::string& line, const RenameFields& fields) {
  std::string folder;
  if (!RenameSourceFolder(line, folder)) return std::string();
  return JoinParts(fields.method == RenameMethod::NewName
                       ? ComposeNewLastSubFolderName(folder, fields.newName)
                       : ComposePrefixSuffixName(folder, fields));
}

bool RunRename(const RenameJob& job, RenameResults& results, RenameHistory& history,
               const Progress& progress, core::Remover* remover) {
  core::SystemRemover own;
  core::Remover& rename = remover ? *remover : own;
  // The protected folders by identity: each line is judged by them, and the
  // place check refuses any folder that is, holds or lies in one.
  const std::shared_ptr<core::ProtectedPlaces> places = PlacesOf(job.protectedFolders);
  rename.Protect(places);
  std::vector<Item> items;
  items.reserve(job.lines.size());
  {
    const core::ProtectedPlaces::HeldListings held(places.get());
    for (size_t i = 0; i < job.lines.size(); ++i) items.push_back(PrepareItem(i, job, *places));
  }
  // Deepest first; list order within a level.
  std::stable_sort(items.begin(), items.end(),
                   [](const Item& a, const Item& b) { return a.level > b.level; });

  auto other = [&](const std::string& path, const std::string& reason) {
    results.counters[3] += 1;
    results.otherReasons.push_back(path);
    results.reasons.push_back({path, reason});
  };
  ListParentRoads(rename, items, [](const Item& item) { return item.refusal.empty() ? item.source : std::string(); });
  PredictedDisk disk;
  unsigned level = items.empty() ? 0 : items.front().level;
  for (size_t n = 0; n < items.size(); ++n) {
    if (progress && !progress(n, items.size())) return false;
    const Item& item = items[n];
    if (!item.refusal.empty()) {
      other(item.source, item.refusal);
      continue;
    }
    if (item.target == item.source) {  // nothing would change
      results.counters[2] += 1;
      results.destinationExists.push_back(item.source);
      continue;
    }
    if (job.dry && item.level != level) {
      disk.NextLevel();
      level = item.level;
    }
    // The folder's name must reach the folder itself (a link's name reaches
    // its target); the check also tells the name as the disk spells it, which
    // the undo gives back, and (in a run, through the handle it keeps open for
    // the rename) which folder it is. A folder the simulation made up is not
    // on disk. The run asks nothing before the check: it answers "not there"
    // itself.
    core::ItemLocation at;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    if (job.dry) {
      attributes = disk.Attributes(item.source);
      if (IsFolder(attributes)) {
        if (!disk.Predicted(item.source)) at = rename.Locate(item.source);
        else at.name = LastNameOf(item.source);
      }
    } else {
      at = rename.LocateToChange(item.source);
      if (at.Here() && !at.identity.known) core::IdentityAt(item.source, at.identity, &at.attributes);
      // An item the check refused is judged by what its listing shows, as the simulation does.
      attributes = at.Here() ? at.attributes : NotFound(at.error) ? INVALID_FILE_ATTRIBUTES
                                                                  : GetFileAttributesA(item.source.c_str());
    }
    if (!IsFolder(attributes)) {
      results.counters[1] += 1;
      results.sourceNotExists.push_back(item.source);
      continue;
    }
    if (at.error == ERROR_FILE_NOT_FOUND || at.error == ERROR_PATH_NOT_FOUND) {
      results.counters[1] += 1;
      results.sourceNotExists.push_back(item.source);
      continue;
    }
    if (!at.Here()) {
      other(item.source, core::RemovalReason(at.error));
      continue;
    }
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      // Some systems move a link's target instead of the link: never renamed.
      other(item.source, "a link (junction or symbolic link) is not renamed");
      continue;
    }
    const bool caseOnly = core::SameText(item.source, item.target);
    const std::string home = ParentOf(item.source) + "\\" + at.name;  // the old name as the disk spells it
    Moved moved;
    // A twin of the folder (its name in other letter case) already answers to
    // the new name: nothing is called, on the disk or in a prediction.
    if (caseOnly && AnotherAnswers(ParentOf(item.source), LastNameOf(item.target), at.name)) {
      moved.error = ERROR_ALREADY_EXISTS;
    } else if (job.dry) {
      if (!caseOnly && disk.Attributes(item.target) != INVALID_FILE_ATTRIBUTES) moved.error = ERROR_ALREADY_EXISTS;
      else disk.Renamed(item.source, item.target, attributes);
    } else {
      // The folder's identity, read once its place is checked and right before
      // the rename (after it, Wine tells no volume for a handle opened before),
      // and its change time, read right after the rename through the same
      // handle: the undo takes back only this very folder, as the run left it.
      const core::FileIdentity identity = at.identity;
      moved = MoveFolder(rename, item.source, item.target, home);
      if (moved.error && moved.stranded.empty() && !NotFound(moved.error) && !Exists(moved.error) && !caseOnly &&
          GetFileAttributesA(item.target.c_str()) != INVALID_FILE_ATTRIBUTES)
        moved.error = ERROR_ALREADY_EXISTS;
      // The undo gives the folder back the name it had on disk, whatever the
      // spelling of the listed line; one left under a temporary name too.
      if (moved.error == 0) history.push_back({home, item.target, identity, moved.changed});
      else if (!moved.stranded.empty()) history.push_back({home, moved.stranded, identity, moved.changed});
    }
    const DWORD error = moved.error;
    if (error == 0) {
      results.counters[0] += 1;
      results.renamed.push_back(item.target);
    } else if (!moved.stranded.empty()) {
      other(item.source, StrandedReason(moved) + " (Undo gives it its own name back)");
    } else if (NotFound(error)) {
      results.counters[1] += 1;
      results.sourceNotExists.push_back(item.source);
    } else if (Exists(error)) {
      results.counters[2] += 1;
      results.destinationExists.push_back(item.source);
    } else {
      other(item.source, core::RemovalReason(error));
    }
  }
  if (progress) progress(items.size(), items.size());
  return true;
}

RenameUndoReport UndoRename(RenameHistory& history, core::Remover* remover, const Progress& progress) {
  core::SystemRemover own;
  core::Remover& rename = remover ? *remover : own;
  // By the level of the new path, shallowest first; history order within a level.
  std::multimap<unsigned long, const _tagReplaceFoldersStruct*> byLevel;
  for (const _tagReplaceFoldersStruct& record : history) {
    std::string path = record.newPath;
    byLevel.emplace(core::PathLevel(path), &record);
  }
  ListParentRoads(rename, history, [](const _tagReplaceFoldersStruct& r) { return r.newPath; });
  RenameUndoReport report;
  const size_t total = history.size();
  size_t done = 0;
  for (const auto& entry : byLevel) {
    if (progress && !progress(done, total)) break;
    ++done;
    const _tagReplaceFoldersStruct& r = *entry.second;
    // The name must lead to the folder itself, and the folder be the one renamed.
    core::ItemLocation at = rename.LocateToChange(r.newPath);
    if (at.Here() && !at.identity.known) core::IdentityAt(r.newPath, at.identity, &at.attributes);
    const bool caseOnly = core::SameText(r.oldPath, r.newPath);
    auto stays = [&](std::deque<std::string>& list, const std::string& path, const std::string& why) {
      list.push_back(core::TrimText(path));
      if (!why.empty()) report.reasons.push_back({list.back(), why});
    };
    const DWORD kind = at.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
    if (!at.Here()) {
      stays(report.sourceNotExists, r.newPath,
            NotFound(at.error) ? "not found: renamed or removed since" : core::RemovalReason(at.error));
    } else if (kind != FILE_ATTRIBUTE_DIRECTORY) {
      stays(report.sourceNotExists, r.newPath,
            kind & FILE_ATTRIBUTE_REPARSE_POINT ? "a link has its name now" : "a file has its name now");
    } else if (at.identity != r.identity) {
      stays(report.sourceNotExists, r.newPath, "another folder has its name now (the renamed one was moved or removed)");
    } else if (at.changed != r.changed) {
      // The same index may be a new folder's (a Linux file system under Wine
      // hands a removed folder's index on): the change time tells. A folder
      // changed since the run is the user's now, as the creation undo keeps it.
      stays(report.otherReasons, r.newPath,
            "changed since the run renamed it (something was added to it or taken out of it, or another folder was "
            "made in its place): it keeps its new name");
    } else if (caseOnly && AnotherAnswers(ParentOf(r.newPath), LastNameOf(r.oldPath), at.name)) {
      stays(report.destinationExists, r.oldPath, "another entry of its folder has this name in other letter case");
    } else {
      // The rename never replaces: an item under the old name is its answer
      // (no look-up first, which under Wine reads the whole folder).
      const Moved moved = MoveFolder(rename, r.newPath, r.oldPath, ParentOf(r.newPath) + "\\" + at.name);
      if (!moved.stranded.empty())
        report.otherReasons.push_back(core::TrimText(r.oldPath) + " (" + StrandedReason(moved) + ")");
      else if (Exists(moved.error))
        stays(report.destinationExists, r.oldPath, "an item has this name now");
      else if (moved.error)
        stays(report.otherReasons, r.oldPath, core::RemovalReason(moved.error));
      else
        ++report.restored;
    }
  }
  if (progress && done == total) progress(done, total);
  history.clear();
  return report;
}

} // namespace treeops
