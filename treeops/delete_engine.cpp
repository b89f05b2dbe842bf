#include "treeops/delete_engine.h"

#include "core/casefold.h"
#include "core/examine_subfolders.h"
#include "core/folder_listing.h"
#include "core/folder_scan.h"
#include "core/location.h"
#include "core/remover.h"
#include "core/textutil.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <unordered_set>

namespace treeops {

namespace {

using FoldedSet = std::unordered_set<std::string, core::FoldedHash, core::FoldedEqual>;

struct Walked {
  DeleteItem item;
  unsigned level = 0;
  bool kept = false;
};
Walked MakeWalked(std::string path, uint64_t size, DWORD attributes, int parent, unsigned level, int road) {
  Walked w;
  w.item.path = std::move(path);
  w.item.size = size;
  w.item.attributes = attributes;
  w.item.parent = parent;
  w.item.road = road;
  w.level = level;
  return w;
}

// Orders the walked items deepest first (stable) and maps parents to the
// ordered folders; kept folders leave the plan.
void Order(std::vector<Walked>& files, std::vector<Walked>& folders, DeletePlan& plan) {
  auto deeper = [](const Walked& a, const Walked& b) { return a.level > b.level; };
  std::vector<size_t> order(folders.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return deeper(folders[a], folders[b]); });
  std::vector<int> position(folders.size(), -1);
  int next = 0;
  for (size_t i : order)
    if (!folders[i].kept) position[i] = next++;
  auto mapped = [&](int parent) { return parent < 0 ? -1 : position[parent]; };
  std::stable_sort(files.begin(), files.end(), deeper);
  plan.files.reserve(files.size());
  for (Walked& f : files) {
    f.item.parent = mapped(f.item.parent);
    plan.bytes += f.item.size;
    plan.files.push_back(std::move(f.item));
  }
  plan.folders.reserve(next);
  for (size_t i : order) {
    if (folders[i].kept) continue;
    folders[i].item.parent = mapped(folders[i].item.parent);
    plan.folders.push_back(std::move(folders[i].item));
  }
}

} // namespace

void ForEachSelectedFile(const std::string& folder, const std::deque<std::string>& patterns,
                         const std::vector<WIN32_FIND_DATAA>* listing,
                         const std::function<void(const WIN32_FIND_DATAA&)>& visit) {
  const std::vector<std::string> usable = core::UsableFilePatterns(patterns);
  if (usable.empty()) return;
  std::vector<WIN32_FIND_DATAA> own;
  if (!listing) {
    core::ForEachFolderEntry(folder, "*", [&](const WIN32_FIND_DATAA& d) {
      if (!core::FindDataIsFolder(d)) own.push_back(d);
    });
    listing = &own;
  }
  core::ForEachMatchingFile(*listing, usable, visit);
}

DeletePlan PreviewDelete(const DeleteJob& job, const Progress& progress) {
  DeletePlan plan;
  plan.protectedPlaces = PlacesOf(job.protectedFolders);
  std::deque<std::string> accepted;
  FoldedSet listed;
  {
    const core::ProtectedPlaces::HeldListings held(plan.protectedPlaces.get());
    for (const std::string& line : job.includes) {
      if (core::TrimText(line).empty()) continue;
      TargetCheck check = CheckTarget(line, job.protectedFolders, false, plan.protectedPlaces.get());
      if (!check.ok) {
        plan.refused.push_back({core::TrimText(line), check.reason});
        continue;
      }
      accepted.push_back(check.path);
      listed.insert(check.path);
    }
  }
  core::ExamineSubFolders reducer(accepted);
  if (job.mode == DeleteMode::FilesInMainFolders) reducer.SortUnique();
  else reducer.KeepTopFolders();
  FoldedSet mains;
  for (const std::string& m : reducer.GetResult())
    if (mains.insert(m).second) plan.mainFolders.push_back(m);

  if (job.mode != DeleteMode::FilesInMainFolders)
    for (const std::string& line : job.excludes) {
      std::string ex = core::TrimText(core::ForwardToBackslashes(line));
      while (ex.size() > 3 && ex.back() == '\\') ex.pop_back();
      for (const std::string& m : plan.mainFolders)
        if (ex.size() > m.size() && SameOrInside(ex, m)) {
          plan.excludedInside.push_back(ex);
          break;
        }
    }

  const bool selected = job.mode == DeleteMode::FilesInTree || job.mode == DeleteMode::FilesInMainFolders;
  const std::vector<std::string> patterns = core::UsableFilePatterns(job.patterns);
  const bool walkTree = job.mode != DeleteMode::FilesInMainFolders;
  const bool deleteFolders = job.mode == DeleteMode::SubFolders || job.mode == DeleteMode::CompleteFolders;
  std::vector<Walked> files, folders;
  std::deque<std::pair<std::string, int>> queue;  // folder, its plan folder (-1: kept)
  std::vector<WIN32_FIND_DATAA> listing;
  // Every folder above a main folder on its path is itself, as the run's
  // check will find it (core::LocationCheck::RoadAbove): a link there refuses it.
  core::LocationCheck roads;
  // Listings are read ahead, several at once (core::ListFolders): with the
  // folder the walk reaches, the folders waiting in its queue and then the
  // main folders still to come that are plain folders (no link) on a road
  // that is itself; each is handed on when the walk reaches it, as if read then.
  constexpr size_t kAhead = 64;
  std::unordered_map<std::string, core::FolderListing, core::FoldedHash, core::FoldedEqual> ahead;
  // What the read-ahead found of a main folder it looked at (false: nothing there).
  std::unordered_map<std::string, std::pair<bool, WIN32_FILE_ATTRIBUTE_DATA>, core::FoldedHash, core::FoldedEqual>
      mainData;
  size_t nextMain = 0;  // the first main folder the walk has not reached
  auto listFolder = [&](const std::string& folder, const std::function<void(const WIN32_FIND_DATAA&)>& visit,
                        const std::function<void(const core::KeptEntry&)>& kept) {
    auto it = ahead.find(folder);
    core::FolderListing own;
    if (it == ahead.end()) {
      std::vector<std::string> batch{folder};
      for (const auto& waiting : queue) {
        if (batch.size() >= kAhead) break;
        if (!ahead.count(waiting.first)) batch.push_back(waiting.first);
      }
      for (size_t m = nextMain; m < plan.mainFolders.size() && batch.size() < kAhead; ++m) {
        const std::string& next = plan.mainFolders[m];
        if (ahead.count(next) || mainData.count(next)) continue;
        WIN32_FILE_ATTRIBUTE_DATA data;
        const bool stands = GetFileAttributesExA(next.c_str(), GetFileExInfoStandard, &data) != 0;
        mainData.emplace(next, std::make_pair(stands, data));
        if (!stands ||
            (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) !=
                FILE_ATTRIBUTE_DIRECTORY ||
            roads.RoadAbove(next) != 0)
          continue;
        batch.push_back(next);
      }
      std::vector<core::FolderListing> read = core::ListFolders(batch, "*");
      for (size_t i = 1; i < batch.size(); ++i) ahead.emplace(batch[i], std::move(read[i]));
      own = std::move(read[0]);
    } else {
      own = std::move(it->second);
      ahead.erase(it);
    }
    for (const WIN32_FIND_DATAA& data : own.entries) visit(data);
    if (kept)
      for (const core::KeptEntry& entry : own.kept) kept(entry);
  };
  size_t walked = 0, found = plan.mainFolders.size();
  for (const std::string& main : plan.mainFolders) {
    ++nextMain;
    if (progress && !progress(walked, found)) {
      plan.stopped = true;
      break;
    }
    int mainIndex = -1;
    WIN32_FILE_ATTRIBUTE_DATA data;
    auto known = mainData.find(main);
    bool stands;
    if (known != mainData.end()) {
      stands = known->second.first;
      data = known->second.second;
    } else {
      stands = GetFileAttributesExA(main.c_str(), GetFileExInfoStandard, &data) != 0;
    }
    if (!stands || !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      plan.missing.push_back(main);
      ++walked;
      continue;
    }
    const DWORD above = roads.RoadAbove(main);
    if (above == core::kErrorRoadMoved) {
      plan.refused.push_back({main, core::RemovalReason(above)});
      ++walked;
      continue;
    }
    const bool link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    const int road = link ? -1 : static_cast<int>(plan.roads.size());
    if (job.mode == DeleteMode::CompleteFolders) {
      mainIndex = static_cast<int>(folders.size());
      folders.push_back(MakeWalked(main, 0, data.dwFileAttributes, -1, Level(main), road));
      if (link) {
        ++walked;
        continue;  // removed as a link, never entered
      }
    } else if (link) {
      plan.refused.push_back({main, "a link (junction or symbolic link) is never entered"});
      ++walked;
      continue;
    }
    plan.roads.push_back(main);
    queue.emplace_back(main, mainIndex);
    bool first = true;
    while (!queue.empty()) {
      if (!first && progress && !progress(walked, found)) {
        plan.stopped = true;
        break;
      }
      first = false;
      ++walked;
      const std::string folder = std::move(queue.front().first);
      const int parent = queue.front().second;
      queue.pop_front();
      const unsigned childLevel = Level(folder) + 1;
      listing.clear();
      listFolder(folder, [&](const WIN32_FIND_DATAA& data) {
        std::string path = folder + "\\" + data.cFileName;
        if (core::FindDataIsFolder(data)) {
          if (!walkTree) return;
          const bool link = core::FindDataIsReparsePoint(data);
          int index = parent;
          if (deleteFolders) {
            index = static_cast<int>(folders.size());
            folders.push_back(MakeWalked(path, 0, data.dwFileAttributes, parent, childLevel, road));
            if (job.mode == DeleteMode::SubFolders && listed.count(path)) {
              // A listed main folder stays, and so does every folder holding it.
              plan.keptMainFolders.push_back(path);
              for (int up = index; up >= 0; up = folders[up].item.parent) folders[up].kept = true;
            }
          }
          if (!link) {
            queue.emplace_back(std::move(path), index);
            ++found;
          }
          return;
        }
        if (selected) listing.push_back(data);
        else
          files.push_back(
              MakeWalked(std::move(path), core::FindDataSize(data), data.dwFileAttributes, parent, childLevel, road));
      }, [&](const core::KeptEntry& k) {
        // Never joined into a path, never touched. It counts where the mode
        // would have reached it (a folder the file modes cannot enter, a file
        // the patterns take), and the folders holding it stay.
        if (k.folder ? !walkTree : (selected && !core::MatchesAnyFilePattern(k.name, patterns))) return;
        plan.kept.push_back(core::KeptIn(folder, k));
        if (deleteFolders)
          for (int up = parent; up >= 0 && !folders[up].item.holdsKept; up = folders[up].item.parent)
            folders[up].item.holdsKept = true;
      });
      if (selected)
        ForEachSelectedFile(folder, job.patterns, &listing, [&](const WIN32_FIND_DATAA& data) {
          files.push_back(MakeWalked(folder + "\\" + data.cFileName, core::FindDataSize(data),
                                     data.dwFileAttributes, -1, childLevel, road));
        });
    }
    if (plan.stopped) break;
  }
  if (plan.stopped) return plan;
  Order(files, folders, plan);
  return plan;
}

namespace {

// How a pass over the plan meets each item: by its act, by the run's own
// check asked without acting (a simulation), or by what the listing showed
// (the questions' count).
enum class Pass { Act, Simulate, Count };

bool NotFound(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// The one pass of the run, the simulation and the count: the same outcomes,
// lists and order. roadErrors (Count only): each road's own check.
bool PassOver(const DeletePlan& plan, Pass pass, DeleteResults& results, const Progress& progress,
              core::Remover& remove, const std::vector<DWORD>& roadErrors) {
  for (const Refusal& r : plan.refused) {
    results.counters[4] += 1;
    results.foldersOther.push_back(r.path);
    results.reasons.push_back(r);
  }
  for (const std::string& m : plan.missing) {
    results.counters[2] += 1;
    results.foldersNotExist.push_back(m);
  }
  for (const core::KeptPath& k : plan.kept) {
    results.counters[k.folder ? 4 : 5] += 1;
    (k.folder ? results.foldersOther : results.filesOther).push_back(k.path);
    results.reasons.push_back({k.path, k.reason});
  }
  const bool foretold = pass != Pass::Act;
  // What a simulation or a count knows: a folder that will keep something cannot go.
  std::vector<char> blocked(foretold ? plan.folders.size() : 0, 0);
  const size_t total = plan.Items();
  size_t done = 0;
  auto outcome = [&](const DeleteItem& item, bool folder, DWORD error) {
    if (error == 0) {
      results.counters[folder ? 0 : 1] += 1;
      (folder ? results.foldersDeleted : results.filesDeleted).push_back(item.path);
      if (!folder) results.bytes += item.size;
      return;
    }
    if (NotFound(error)) {
      results.counters[folder ? 2 : 3] += 1;
      (folder ? results.foldersNotExist : results.filesNotExist).push_back(item.path);
      return;
    }
    results.counters[folder ? 4 : 5] += 1;
    (folder ? results.foldersOther : results.filesOther).push_back(item.path);
    results.reasons.push_back({item.path, core::RemovalReason(error)});
    if (foretold && item.parent >= 0) blocked[item.parent] = 1;
  };
  // What the run will meet once the item's place is known: a link the system
  // shows as one goes only when it opens as the link itself; anything else as
  // the system allows.
  auto once = [&](const DeleteItem& item, bool folder, bool isBlocked) -> DWORD {
    if (item.attributes & FILE_ATTRIBUTE_REPARSE_POINT) return core::LinkRemovable(item.path);
    if (folder && isBlocked) return ERROR_DIR_NOT_EMPTY;
    return (item.attributes & FILE_ATTRIBUTE_READONLY) ? ERROR_ACCESS_DENIED : 0;
  };
  // A simulation asks each item's place as the run's remover does.
  auto simulate = [&](const DeleteItem& item, bool folder, bool isBlocked) -> DWORD {
    if (item.holdsKept) return core::kErrorHoldsKept;
    const core::ItemLocation at = remove.Locate(item.path);
    if (!at.Here()) return at.error;
    return once(item, folder, isBlocked);
  };
  // A count takes the place the listing found, unless the item's road is not
  // itself there: then what the road's check answers reaches everything below
  // it (the road itself gets that answer, a vanished road leaves its items
  // not found, any other keeps them as moved). Where a listing shows a link
  // to a file as the file it leads to (Wine), each file's own check is asked,
  // as the run will ask it: a link is kept, never counted with its target's size.
  const bool fileLinksShown = core::ListingShowsFileLinks();
  auto roadClosed = [&](const DeleteItem& item) { return item.road >= 0 && roadErrors[item.road] != 0; };
  auto ownCheck = [&](const DeleteItem& item, bool folder) {
    return !folder && !fileLinksShown && !item.holdsKept && !roadClosed(item) &&
           !(item.attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  };
  // Those checks are asked a batch of files at a time, several at once
  // (Remover::LocateMany); the count can be stopped between batches.
  constexpr size_t kPlacedBatch = 512;
  std::vector<core::ItemLocation> placed;  // by position in plan.files - placedFrom
  size_t placedFrom = 0;
  auto placeFrom = [&](size_t first) {
    std::vector<std::string> paths;
    std::vector<size_t> at;
    const size_t end = std::min(plan.files.size(), first + kPlacedBatch);
    for (size_t i = first; i < end; ++i)
      if (ownCheck(plan.files[i], false)) {
        paths.push_back(plan.files[i].path);
        at.push_back(i - first);
      }
    std::vector<core::ItemLocation> answers = remove.LocateMany(paths);
    placed.assign(end - first, core::ItemLocation());
    for (size_t k = 0; k < at.size() && k < answers.size(); ++k) placed[at[k]] = std::move(answers[k]);
    placedFrom = first;
  };
  auto count = [&](const DeleteItem& item, bool folder, bool isBlocked) -> DWORD {
    if (item.holdsKept) return core::kErrorHoldsKept;
    if (roadClosed(item)) {
      const DWORD error = roadErrors[item.road];
      return core::SameText(item.path, plan.roads[item.road]) || NotFound(error) ? error : core::kErrorRoadMoved;
    }
    if (ownCheck(item, folder)) {
      const size_t i = static_cast<size_t>(&item - plan.files.data());
      if (i < placedFrom || i - placedFrom >= placed.size()) placeFrom(i);
      const core::ItemLocation& at = placed[i - placedFrom];
      if (!at.Here()) return at.error;
    }
    return once(item, folder, isBlocked);
  };
  auto act = [&](const DeleteItem& item, bool folder) -> DWORD {
    if (item.holdsKept) return core::kErrorHoldsKept;
    if (item.attributes & FILE_ATTRIBUTE_REPARSE_POINT) return remove.RemoveLink(item.path);
    return folder ? remove.RemoveFolder(item.path) : remove.RemoveFile(item.path);
  };
  auto meet = [&](const DeleteItem& item, bool folder, bool isBlocked) -> DWORD {
    if (item.path.size() >= kPathLimit) return ERROR_FILENAME_EXCED_RANGE;
    switch (pass) {
      case Pass::Act: return act(item, folder);
      case Pass::Simulate: return simulate(item, folder, isBlocked);
      default: return count(item, folder, isBlocked);
    }
  };
  // A run's outcomes wait, in their order, until the remover settles the
  // removals behind them (core::Remover::Settle: each folder that held some
  // listed once, as often as it falls due): an item counts as deleted only
  // once it is gone. Nothing the simulation or the count meets is held.
  std::vector<std::pair<const DeleteItem*, bool>> held;
  std::vector<std::string> heldPaths;
  std::vector<DWORD> heldErrors;
  auto settle = [&] {
    if (held.empty()) return;
    core::ApplySettled(remove, heldPaths, heldErrors);
    for (size_t i = 0; i < held.size(); ++i) outcome(*held[i].first, held[i].second, heldErrors[i]);
    held.clear();
    heldPaths.clear();
    heldErrors.clear();
  };
  auto record = [&](const DeleteItem& item, bool folder, DWORD error) {
    if (pass != Pass::Act || (error != 0 && held.empty())) return outcome(item, folder, error);
    held.emplace_back(&item, folder);
    heldPaths.push_back(item.path);
    heldErrors.push_back(error);
    if (remove.SettleDue()) settle();
  };
  for (const DeleteItem& file : plan.files) {
    if (progress && !progress(done, total)) {
      settle();
      return false;
    }
    ++done;
    record(file, false, meet(file, false, false));
  }
  for (size_t i = 0; i < plan.folders.size(); ++i) {
    if (progress && !progress(done, total)) {
      settle();
      return false;
    }
    ++done;
    record(plan.folders[i], true, meet(plan.folders[i], true, foretold && blocked[i] != 0));
  }
  settle();
  if (progress) progress(total, total);
  return true;
}

} // namespace

bool CountDelete(const DeletePlan& plan, core::Remover& remover, DeleteResults& count, const Progress& progress) {
  // Each main folder is the road to what lies below it, taken now, while the
  // listing is fresh: shallowest first, so a road inside another is checked
  // along it.
  std::vector<size_t> order(plan.roads.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return Level(plan.roads[a]) < Level(plan.roads[b]); });
  std::vector<DWORD> roadErrors(plan.roads.size(), 0);
  if (plan.protectedPlaces) remover.Protect(plan.protectedPlaces);
  // In batches, so the count can be stopped between them.
  constexpr size_t kBatch = 64;
  for (size_t k = 0; k < order.size(); k += kBatch) {
    if (progress && !progress(k, order.size())) return false;
    std::vector<std::string> batch;
    for (size_t i = k; i < order.size() && i < k + kBatch; ++i) batch.push_back(plan.roads[order[i]]);
    const std::vector<core::ItemLocation> answers = remover.ListRoads(batch);
    for (size_t i = 0; i < answers.size(); ++i) roadErrors[order[k + i]] = answers[i].error;
  }
  return PassOver(plan, Pass::Count, count, progress, remover, roadErrors);
}

bool RunDelete(const DeletePlan& plan, bool dry, DeleteResults& results, const Progress& progress,
               core::Remover* remover, bool roadsTaken) {
  // A run acts through the remover, which checks each item's place before the
  // call; a simulation asks it the same check and removes nothing. Each main
  // folder is the road to what lies below it.
  core::SystemRemover own;
  core::Remover& remove = remover ? *remover : own;
  if (plan.protectedPlaces) remove.Protect(plan.protectedPlaces);
  if (!roadsTaken) core::ListRoads(remove, plan.roads);
  return PassOver(plan, dry ? Pass::Simulate : Pass::Act, results, progress, remove, {});
}

} // namespace treeops
