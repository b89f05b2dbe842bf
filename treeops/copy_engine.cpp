#include "treeops/copy_engine.h"

#include "core/casefold.h"
#include "core/examine_subfolders.h"
#include "core/file_copy.h"
#include "core/folder_scan.h"
#include "core/free_space.h"
#include "core/made_folders.h"
#include "core/remover.h"
#include "core/textutil.h"
#include "treeops/delete_engine.h"

#include <map>
#include <unordered_map>
#include <unordered_set>

namespace treeops {

namespace {

// The structure's folder as written, and the name its copy takes.
void NameStructure(CopyStructure& s, const std::string& root) {
  s.root = root;
  const size_t cut = root.find_last_of('\\');
  s.lastName = cut == std::string::npos ? std::string() : root.substr(cut + 1);
}

CopyStructure ListStructure(const std::string& root, bool withFiles,
                            const std::deque<std::string>& patterns) {
  CopyStructure s;
  NameStructure(s, root);
  core::SystemRemover check;
  s.road = check.ListRoad(root.size() == 2 ? root + "\\" : root);
  const std::vector<std::string> usable = core::UsableFilePatterns(patterns);
  std::deque<int> queue{-1};
  std::vector<WIN32_FIND_DATAA> files;
  while (!queue.empty()) {
    const int parent = queue.front();
    queue.pop_front();
    const std::string relative = parent < 0 ? std::string() : s.entries[parent].relative + "\\";
    const std::string folder = root + (parent < 0 ? std::string() : "\\" + s.entries[parent].relative);
    files.clear();
    core::ForEachFolderEntry(folder, "*", [&](const WIN32_FIND_DATAA& data) {
      if (!core::FindDataIsFolder(data)) {
        if (withFiles) files.push_back(data);
        return;
      }
      CopyStructure::Entry e;
      e.relative = relative + data.cFileName;
      e.folder = true;
      e.link = core::FindDataIsReparsePoint(data);
      e.parent = parent;
      if (!e.link) queue.push_back(static_cast<int>(s.entries.size()));
      s.entries.push_back(std::move(e));
      ++s.folders;
    }, [&](const core::KeptEntry& k) {
      if (!k.folder && (!withFiles || !core::MatchesAnyFilePattern(k.name, usable))) return;
      s.kept.push_back({relative + k.name, k.reason, k.folder, parent, k.size});
      if (k.folder) {
        ++s.folders;
      } else {
        ++s.files;
        s.bytes += k.size;
      }
    });
    if (!withFiles) continue;
    ForEachSelectedFile(folder, patterns, &files, [&](const WIN32_FIND_DATAA& data) {
      CopyStructure::Entry e;
      e.relative = relative + data.cFileName;
      e.parent = parent;
      e.size = core::FindDataSize(data);
      e.written = data.ftLastWriteTime;
      s.bytes += e.size;
      ++s.files;
      s.entries.push_back(std::move(e));
    });
  }
  return s;
}

std::string LastName(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

bool AlreadyThere(DWORD e) { return e == ERROR_ALREADY_EXISTS || e == ERROR_FILE_EXISTS; }

using FoldedNames = std::unordered_map<std::string, DWORD, core::FoldedHash, core::FoldedEqual>;

// One pass over the preview, shared by the run and the simulation: only the
// few places that touch the disk differ.
class CopyPass {
public:
  CopyPass(const CopyPreview& p, bool dry, CopyResults& r, CopyJournal& j, const Progress& progress)
      : p_(p), dry_(dry), r_(r), j_(j), progress_(progress) {}

  // What the undo knows each folder the run made by, as the run left it.
  void ReadStamps() { made_.Read(); }

  bool Run() {
    if (p_.protectedPlaces) remover_.Protect(p_.protectedPlaces);
    for (const Refusal& refusal : p_.refused) Other(r_.foldersOther, r_.other[0], refusal.path, refusal.reason);
    for (const CopyStructure& s : p_.structures) total_ += (s.entries.size() + 1) * p_.mainFolders.size();
    const bool main = CopyMainFolder(p_.option);
    for (size_t m = 0; m < p_.mainFolders.size(); ++m) {
      const std::string& target = p_.mainFolders[m];
      const DWORD a = GetFileAttributesA(target.c_str());
      if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) {
        r_.counters[8] += 1;
        r_.foldersNotExist.push_back(target);
        continue;
      }
      if (a & FILE_ATTRIBUTE_REPARSE_POINT) {
        Other(r_.foldersOther, r_.other[0], target, "a link: nothing is copied through it");
        continue;
      }
      // A main folder that every structure holds receives nothing (no pair is
      // copied into itself): it is not counted as copied.
      bool receives = false;
      for (size_t s = 0; s < p_.structures.size() && !receives; ++s) receives = !p_.Skipped(m, s);
      if (!receives) {
        Other(r_.foldersOther, r_.other[0], target, "it lies inside every structure: nothing is copied into itself");
        continue;
      }
      // The main folder is the road to everything the run puts into it: written
      // into only where it lies now, and nothing through a folder on the way
      // that is (or becomes) a link.
      const core::ItemLocation road = remover_.ListRoad(target);
      if (!road.Here()) {
        Other(r_.foldersOther, r_.other[0], target, core::RemovalReason(road.error));
        continue;
      }
      r_.counters[4] += 1;
      r_.foldersCopied.push_back(target);
      if (!dry_) j_.roads.push_back(target);  // the undo's road to what it receives
      predicted_.clear();
      listings_.clear();
      guards_ = &p_.guarded[m];
      guarding_ = target.back() == '\\';  // a root holds protected folders: each folder made is asked
      // A drive root ("X:\") is joined to names without its backslash.
      const std::string base = core::FolderForJoining(target);
      for (size_t s = 0; s < p_.structures.size(); ++s) {
        if (p_.Skipped(m, s)) continue;
        const CopyStructure& st = p_.structures[s];
        const std::string root = main && !st.lastName.empty() ? base + "\\" + st.lastName : base;
        if (!Pair(s, root, st, main && !st.lastName.empty())) return false;
      }
    }
    if (progress_) progress_(done_, total_);
    return true;
  }

private:
  // Blocked: the folder could not be made; Shut: a protected folder (or inside
  // one), never entered.
  enum State : char { New, Existing, Blocked, Shut };

  // Why nothing is copied into path, when the main folder is a root (which
  // holds protected folders): path is one of them by its name, or by what it
  // is (another drive letter or a link may lead to one), or lies inside one
  // protected with its insides. Empty otherwise.
  std::string Guard(const std::string& path) {
    if (!guarding_) return std::string();
    std::string compared = path;
    if (path.find('~') != std::string::npos) {  // a short name may stand for a protected folder
      char longName[MAX_PATH * 2];
      const DWORD n = GetLongPathNameA(path.c_str(), longName, sizeof longName);
      if (n > 0 && n < sizeof longName) compared = longName;
    }
    if (guards_)
      for (const std::string& guard : *guards_)
        if (core::SameText(guard, compared)) return "the protected folder " + guard;
    return p_.protectedPlaces ? p_.protectedPlaces->Refusal(path, false, false) : std::string();
  }

  bool Step() { return !progress_ || progress_(done_++, total_); }

  // What the run's copy will answer of a structure's file before it writes
  // anything (dry): asked once a simulation, as the copy opens it.
  DWORD SourceVerdict(size_t structure, size_t entry, const std::string& source) {
    if (verdicts_.size() <= structure) verdicts_.resize(p_.structures.size());
    std::vector<DWORD>& known = verdicts_[structure];
    if (known.empty()) known.assign(p_.structures[structure].entries.size(), kUnasked);
    if (known[entry] == kUnasked) known[entry] = writer_.SourceReadable(source);
    return known[entry];
  }

  // What the run's copy to path (its folder as listed or predicted) will
  // find, without writing (dry): a name held by an entry no listing shows,
  // and the temporary name it takes, writing afresh over an unfinished copy
  // of the program's own found there. 0 or ERROR_FILE_EXISTS.
  DWORD PredictTarget(const std::string& source, const std::string& folder, bool folderOnDisk,
                      const std::string& path, core::CopiedFile& copied) {
    if (!folderOnDisk) return 0;
    if (core::FolderHidesEntry(folder, LastName(path))) return ERROR_FILE_EXISTS;
    for (unsigned attempt = 0; attempt < core::kTemporaryNames; ++attempt) {
      const std::string temporary = core::TemporaryCopyPath(path, attempt);
      copied.attempt = attempt;
      if (Predicted(folder, folderOnDisk, LastName(temporary)) == INVALID_FILE_ATTRIBUTES) return 0;
      if (writer_.OwnLeftover(source, temporary)) {
        copied.leftoverReplaced = true;
        return 0;
      }
    }
    return ERROR_CANNOT_MAKE;
  }

  // What is at path now (dry: as predicted); INVALID_FILE_ATTRIBUTES for nothing.
  DWORD Predicted(const std::string& folder, bool folderOnDisk, const std::string& name) {
    const std::string path = folder + "\\" + name;
    auto made = predicted_.find(path);
    if (made != predicted_.end()) return made->second;
    if (!folderOnDisk) return INVALID_FILE_ATTRIBUTES;
    auto listed = listings_.find(folder);
    if (listed == listings_.end()) {
      listed = listings_.emplace(folder, FoldedNames()).first;
      core::ForEachFolderEntry(folder, "*", [&](const WIN32_FIND_DATAA& d) {
        listed->second.emplace(d.cFileName, d.dwFileAttributes);
      });
    }
    auto found = listed->second.find(name);
    return found == listed->second.end() ? INVALID_FILE_ATTRIBUTES : found->second;
  }

  // Makes one folder; its state for what goes inside it.
  State MakeFolder(const std::string& parent, State parentState, bool parentOnDisk,
                   const std::string& name, bool& onDisk) {
    const std::string path = parent + "\\" + name;
    onDisk = false;
    if (parentState == Blocked) return Other(r_.subFoldersOther, r_.other[1], path, "its folder could not be made");
    if (parentState == Shut)
      return Other(r_.subFoldersOther, r_.other[1], path, "it lies inside a protected folder", Shut);
    const std::string guard = Guard(path);
    if (!guard.empty()) return Other(r_.subFoldersOther, r_.other[1], path, guard + ": nothing is copied into it", Shut);
    if (path.size() >= kPathLimit) return Other(r_.subFoldersOther, r_.other[1], path, "the path is too long");
    DWORD error = 0;
    if (dry_) {
      const DWORD a = parentState == New ? INVALID_FILE_ATTRIBUTES : Predicted(parent, parentOnDisk, name);
      if (a != INVALID_FILE_ATTRIBUTES) {
        error = ERROR_ALREADY_EXISTS;
        onDisk = predicted_.find(path) == predicted_.end();
      } else {
        predicted_.emplace(path, FILE_ATTRIBUTE_DIRECTORY);
      }
    } else if ((error = made_.MakeOne(path)) != 0) {  // journaled with the undo's record of it
      onDisk = true;
    }
    if (error == 0) {
      r_.counters[5] += 1;
      r_.subFoldersCopied.push_back(path);
      return New;
    }
    if (AlreadyThere(error)) {
      const DWORD a = dry_ ? Predicted(parent, parentOnDisk, name) : GetFileAttributesA(path.c_str());
      if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY) || (a & FILE_ATTRIBUTE_REPARSE_POINT))
        return Other(r_.subFoldersOther, r_.other[1], path, "a file or a link has the name");
      // A folder on disk is written into only where the run listed it (a link
      // that took its name leads elsewhere).
      const core::ItemLocation at = onDisk ? remover_.Locate(path) : core::ItemLocation();
      if (!at.Here()) return Other(r_.subFoldersOther, r_.other[1], path, core::RemovalReason(at.error));
      r_.counters[9] += 1;
      r_.subFoldersExist.push_back(path);
      return Existing;
    }
    if (core::DiskFullError(error)) {
      fullAt_ = path;  // the pass stops here (DiskFilled)
      return Other(r_.subFoldersOther, r_.other[1], path, "the disk is full");
    }
    return Other(r_.subFoldersOther, r_.other[1], path, "system error " + std::to_string(error));
  }

  // Whether the disk became full where a folder or a file was made: the
  // pass stops there, and says where.
  bool DiskFilled() {
    if (fullAt_.empty()) return false;
    r_.stop.number = 705;
    r_.stop.text = "The disk is full !\nThe Copy process is stopped at : \n" + fullAt_;
    return true;
  }

  State Other(std::deque<std::string>& list, double& counter, const std::string& path, const std::string& why,
              State state = Blocked) {
    counter += 1;
    list.push_back(path);
    r_.notDone.push_back(path);
    r_.reasons.push_back({path, why});
    return state;
  }

  // A file not copied for other reasons, its bytes counted with it.
  void FileNotDone(const std::string& path, uint64_t size, const std::string& why) {
    Other(r_.filesOther, r_.other[2], path, why);
    r_.other[3] += static_cast<double>(size);
  }

  bool Pair(size_t structure, const std::string& root, const CopyStructure& st, bool makeRoot) {
    // The structure folder checked again as the run reaches it: its files are
    // read only where it was listed.
    remover_.ListRoadAsListed(st.root.size() == 2 ? st.root + "\\" : st.root, st.road);
    State rootState = Existing;
    bool rootOnDisk = true;
    if (makeRoot) {
      if (!Step()) return false;
      const size_t cut = root.find_last_of('\\');
      rootState = MakeFolder(root.substr(0, cut), Existing, true, root.substr(cut + 1), rootOnDisk);
      if (DiskFilled()) return false;
    } else {
      ++done_;
      rootOnDisk = predicted_.find(root) == predicted_.end();
    }
    // State and on-disk flag of every folder entry, by entry index.
    states_.assign(st.entries.size(), Blocked);
    onDisk_.assign(st.entries.size(), 0);
    for (size_t i = 0; i < st.entries.size(); ++i) {
      if (!Step()) return false;
      const CopyStructure::Entry& e = st.entries[i];
      const State parentState = e.parent < 0 ? rootState : states_[e.parent];
      const bool parentOnDisk = e.parent < 0 ? rootOnDisk : onDisk_[e.parent] != 0;
      const size_t cut = e.relative.find_last_of('\\');
      const std::string parent = cut == std::string::npos ? root : root + "\\" + e.relative.substr(0, cut);
      const std::string name = cut == std::string::npos ? e.relative : e.relative.substr(cut + 1);
      if (e.folder) {
        bool onDisk = false;
        states_[i] = MakeFolder(parent, parentState, parentOnDisk, name, onDisk);
        if (DiskFilled()) return false;
        if (e.link && (states_[i] == New || states_[i] == Existing)) states_[i] = Blocked;  // made, never entered
        onDisk_[i] = onDisk;
        continue;
      }
      const std::string path = parent + "\\" + name;
      if (parentState == Blocked || parentState == Shut || path.size() >= kPathLimit) {
        FileNotDone(path, e.size,
              parentState == Blocked ? "its folder could not be made"
              : parentState == Shut  ? "it lies inside a protected folder"
                                     : "the path is too long");
        continue;
      }
      // What the folder holds already (listed once) or received from this
      // run is never written over: the file exists.
      if (Predicted(parent, parentOnDisk, name) != INVALID_FILE_ATTRIBUTES) {
        Exists(path, e.size);
        continue;
      }
      const std::string source = st.root + "\\" + e.relative;
      core::CopiedFile copied;
      DWORD error = 0;
      if (dry_) {
        error = SourceVerdict(structure, i, source);
        copied.sourceFault = error != 0;
        if (!error) error = PredictTarget(source, parent, parentOnDisk, path, copied);
      } else {
        // Written whole under a temporary name, then given its real name; the
        // copy and its undo's record in one pass: the content is read once.
        error = writer_.Copy(source, path, copied);
        made_.Changed(path);
      }
      if (error == 0) {
        predicted_.emplace(path, FILE_ATTRIBUTE_NORMAL);
        if (!dry_) {
          core::CreationJournal::File file{path, copied.size, copied.written};
          file.digest = copied.digest;
          file.digested = copied.digested;
          j_.files.push_back(std::move(file));
        }
        r_.counters[6] += 1;
        r_.counters[7] += static_cast<double>(e.size);
        r_.filesCopied.push_back(path);
        if (copied.leftoverReplaced)
          r_.notes.push_back({path, "written afresh over an unfinished copy an earlier run left (" +
                                        LastName(core::TemporaryCopyPath(path, copied.attempt)) + ")"});
      } else if (core::NameTakenError(error) && !copied.sourceFault) {
        Exists(path, e.size);
      } else if (core::DiskFullError(error)) {
        FileNotDone(path, e.size, core::CopyFailureReason(error, copied));
        fullAt_ = path;
        DiskFilled();
        return false;
      } else {
        FileNotDone(path, e.size, core::CopyFailureReason(error, copied));
      }
    }
    // What the structure holds that no path reaches: never copied, named.
    for (const CopyStructure::Kept& k : st.kept) {
      const std::string path = root + "\\" + k.relative;
      if (k.folder) Other(r_.subFoldersOther, r_.other[1], path, k.reason);
      else FileNotDone(path, k.size, k.reason);
    }
    return true;
  }

  void Exists(const std::string& path, uint64_t size) {
    r_.counters[10] += 1;
    r_.counters[11] += static_cast<double>(size);
    r_.filesExist.push_back(path);
  }

  const CopyPreview& p_;
  const bool dry_;
  CopyResults& r_;
  CopyJournal& j_;
  const Progress& progress_;
  size_t done_ = 0, total_ = 0;
  const std::vector<std::string>* guards_ = nullptr;  // of the main folder worked on
  bool guarding_ = false;                              // it is a root
  core::SystemRemover remover_;  // its check follows the main folders and the structures as the run's roads
  core::CopyWriter writer_{remover_};
  static constexpr DWORD kUnasked = 0xFFFFFFFF;
  std::vector<std::vector<DWORD>> verdicts_;  // dry: each structure file's source verdict
  std::vector<State> states_;
  std::vector<char> onDisk_;
  std::string fullAt_;  // where the disk became full, if it did
  FoldedNames predicted_;  // dry: what this main folder received so far
  std::unordered_map<std::string, FoldedNames, core::FoldedHash, core::FoldedEqual> listings_;
  core::MadeFolders made_{j_.folders, j_.stamps};  // the run's folders, journaled
};

} // namespace

CopyStructure ListCopyStructure(const std::string& root, bool withFiles, const std::deque<std::string>& patterns) {
  return ListStructure(core::StructureRoot(root), withFiles, patterns);
}

bool CopyPreview::Skipped(size_t main, size_t structure) const {
  return skip[main * structures.size() + structure] != 0;
}

CopyPreview PreviewCopy(const CopyJob& job) {
  CopyPreview p;
  p.option = job.option;
  auto stop = [&](int number, const std::string& text) {
    p.stop.number = number;
    p.stop.text = text;
    return p;
  };
  p.protectedPlaces = PlacesOf(job.protectedFolders);
  std::deque<std::string> accepted;
  std::unordered_set<std::string, core::FoldedHash, core::FoldedEqual> rootsTaken;  // as "X:"
  {
    const core::ProtectedPlaces::HeldListings held(p.protectedPlaces.get());
    for (const std::string& line : job.includes) {
      if (core::TrimText(line).empty()) continue;
      // A drive root is taken: the run only adds new items inside it.
      TargetCheck check = CheckTarget(line, job.protectedFolders, true, p.protectedPlaces.get());
      if (!check.ok) {
        p.refused.push_back({core::TrimText(line), check.reason});
        continue;
      }
      accepted.push_back(core::FolderForJoining(check.path));
      if (check.path.back() == '\\') rootsTaken.insert(accepted.back());  // only a root keeps its backslash
    }
  }
  if (accepted.empty() && p.refused.empty())
    return stop(701, "The Include Folder List is empty !\nAction : You must add at least one Folder to the Include List.");
  // The main folders are known before any structure: a list without one still
  // shows how many main folders there are to copy to. Roots go to the reducer
  // without their backslash ("X:"), so that what lies on a drive lies in its root.
  core::ExamineSubFolders reducer(accepted);
  reducer.KeepTopFolders();
  std::unordered_set<std::string, core::FoldedHash, core::FoldedEqual> seen;
  for (const std::string& m : reducer.GetResult()) {
    const bool root = rootsTaken.count(m) != 0;
    const std::string folder = root ? m + "\\" : m;
    if (!seen.insert(folder).second) continue;
    p.mainFolders.push_back(folder);
    // The protected folders a root holds: the run never enters them.
    std::vector<std::string> guards;
    for (const ProtectedFolder& f : job.protectedFolders)
      if (root && SameOrInside(f.path, folder) && !core::SameText(f.path, folder)) guards.push_back(f.path);
    p.guarded.push_back(std::move(guards));
  }
  // The lines the check refuses are main folders not done for other reasons:
  // counted too, so that every line of the list is accounted for.
  p.toCopy[0] = static_cast<double>(p.mainFolders.size() + p.refused.size());
  std::vector<std::string> roots;
  for (const std::string& line : job.structures)
    if (!core::TrimText(line).empty()) roots.push_back(core::StructureRoot(line));
  if (roots.empty())
    return stop(702, "The list of Folder Structures is empty !\nAction : You must add at least one Folder Structure.");
  for (const std::string& root : roots) {
    // A drive's root needs its backslash; a link must not get one (it would be followed).
    const DWORD a = GetFileAttributesA((root.size() == 2 ? root + "\\" : root).c_str());
    if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY))
      return stop(703, "The Folder Structure doesn't exist : \n" + root);
    if (a & FILE_ATTRIBUTE_REPARSE_POINT)
      return stop(706, "The Folder Structure is a link (junction or symbolic link) : \n" + root);
  }

  const bool withFiles = CopyWithFiles(job.option), main = CopyMainFolder(job.option);
  for (const std::string& root : roots) p.structures.push_back(ListStructure(root, withFiles, job.patterns));

  // Pairs that would copy a structure into itself are skipped.
  std::map<std::string, DriveSpace, core::FoldedLess> drives;
  p.skip.assign(p.mainFolders.size() * p.structures.size(), 0);
  for (size_t m = 0; m < p.mainFolders.size(); ++m) {
    const std::string& target = p.mainFolders[m];
    for (size_t s = 0; s < p.structures.size(); ++s) {
      const CopyStructure& st = p.structures[s];
      const bool makeRoot = main && !st.lastName.empty();
      const std::string dest = makeRoot ? core::FolderForJoining(target) + "\\" + st.lastName : target;
      if (SameOrInside(dest, st.root)) {
        p.skip[m * p.structures.size() + s] = 1;
        p.skippedPairs.emplace_back(target, st.root);
        continue;
      }
      p.toCopy[1] += st.folders + (makeRoot ? 1 : 0);
      p.toCopy[2] += st.files;
      p.toCopy[3] += static_cast<double>(st.bytes);
      DriveSpace& d = drives[core::ExtractFileDrive(target)];
      d.needed += st.bytes;
    }
  }
  for (auto& entry : drives) {
    DriveSpace& d = entry.second;
    d.root = entry.first + "\\";
    if (d.needed == 0) continue;  // nothing is written there
    d.space = core::FreeSpace().Query(d.root);
    p.drives.push_back(d);
    if (!d.space.known)
      return stop(704, "The free space on the disk " + d.root + " cannot be read.\nThe Copy process is stopped.");
    if (d.space.freeToCaller < d.needed)
      return stop(177, "There is not enough space on the disk.\nThe free space on the disk " + d.root + " is : " +
                           core::FormatByteSize(d.space.freeToCaller) + "    " +
                           core::UInt64ToStdString(d.space.freeToCaller) + " bytes\n" +
                           "The program requires : " + core::FormatByteSize(d.needed) + "    " +
                           core::UInt64ToStdString(d.needed) + " bytes.");
  }
  return p;
}

bool RunCopy(const CopyPreview& preview, bool dry, CopyResults& results, CopyJournal& journal,
             const Progress& progress) {
  if (preview.stop.number != 0) return false;
  CopyPass pass(preview, dry, results, journal, progress);
  const bool completed = pass.Run();
  if (!dry) pass.ReadStamps();  // stopped or not
  return completed;
}

CopyUndoReport UndoCopy(CopyJournal& journal, core::Remover* remover, const Progress& progress) {
  CopyUndoReport report;
  core::UndoJournal(journal, remover, progress,
                    [&](const std::string& path, bool folder, core::Undone outcome, const std::string& why) {
                      if (outcome == core::Undone::Removed) {
                        ++(folder ? report.foldersRemoved : report.filesDeleted);
                      } else if (outcome == core::Undone::Stays || outcome == core::Undone::Refused) {
                        report.stays.push_back(path);
                        report.why.push_back(why);
                      }
                    });
  return report;
}

} // namespace treeops
