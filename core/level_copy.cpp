#include "core/level_copy.h"

#include "core/casefold.h"
#include "core/folder_scan.h"
#include "core/textutil.h"

#include <utility>

namespace core {

namespace {

// Control characters and blanks at both ends removed.
std::string TrimControlAndBlanks(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= 0x20) ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= 0x20) --last;
  return text.substr(first, last - first);
}

// A subfolder that belongs to the tree: junctions and symbolic links are not
// entered, listed or counted (their targets lie elsewhere, and acting on a
// listed link would act on its target).
bool IsTreeFolder(const WIN32_FIND_DATAA& data) {
  return FindDataIsFolder(data) && !FindDataIsReparsePoint(data);
}

// A subfolder no path reaches is a subfolder all the same.
bool HasNoTreeSubfolder(const std::string& folder) {
  bool none = true;
  ForEachFolderEntry(folder, "*.*", [&](const WIN32_FIND_DATAA& data) {
    if (IsTreeFolder(data)) none = false;
  }, [&](const KeptEntry& entry) {
    if (entry.folder) none = false;
  });
  return none;
}

} // namespace

LevelCopy::LevelCopy(const std::deque<std::string>& roots) : roots_(roots) {}

void LevelCopy::SetRule(uint32_t mode, int32_t from, int32_t to, int32_t above, int32_t below) {
  mode_ = mode;
  from_ = from > 0 ? static_cast<uint32_t>(from) : 0;
  to_ = to > 0 ? static_cast<uint32_t>(to) : 0;
  above_ = above > 0 ? static_cast<uint32_t>(above) : 0;
  below_ = below > 0 ? static_cast<uint32_t>(below) : 0;
}

bool LevelCopy::SetFromTo(int32_t from, int32_t to) {
  SetRule(ModeFromTo, from, to, 0, 0);
  refused_ = from < 1 || to < 1 || from > to;
  return !refused_;
}

bool LevelCopy::SetAbove(int32_t level) {
  SetRule(ModeAbove, 0, 0, level, 0);
  refused_ = level < 1;
  return !refused_;
}

bool LevelCopy::SetBelow(int32_t level) {
  SetRule(ModeBelow, 0, 0, 0, level);
  refused_ = level < 0;
  return !refused_;
}

void LevelCopy::SetNameFilter(const std::string& filter) {
  nameFilter_ = FoldCase(filter);
  if (!nameFilter_.empty() && nameFilter_.back() == '\\') nameFilter_.pop_back();
}

LevelCopy::Take LevelCopy::Decide(uint32_t r) const {
  const bool onlyTheLast = addMode_ == AddOnlyTheLast;
  switch (mode_) {
  case ModeAbove:
    if (!onlyTheLast) return r < above_ ? Take::Yes : Take::No;
    if (r < above_) return Take::IfLeaf;
    return r == above_ ? Take::Yes : Take::No;
  case ModeBelow:
    if (r <= below_) return Take::No;
    return onlyTheLast ? Take::IfLeaf : Take::Yes;
  default: // From-To
    if (r < from_ || r > to_) return Take::No;
    if (!onlyTheLast || r == to_) return Take::Yes;
    return Take::IfLeaf;
  }
}

// Whether the subfolders of a folder on relative level r are looked at. Nothing
// is listed below the deepest level the rule can return; a folder waiting for
// its leaf test always lies above that level, so its own listing answers it.
bool LevelCopy::Descend(uint32_t r) const {
  switch (mode_) {
  case ModeAbove:
    return addMode_ == AddOnlyTheLast ? r < above_ : r + 1 < above_;
  case ModeBelow:
    return true;
  default:
    return r < to_;
  }
}

bool LevelCopy::PassesFilter(const std::string& folder) const {
  if (nameFilter_.empty()) return true;
  std::string lastName;
  SplitParentAndLastName(FoldCase(TrimControlAndBlanks(folder)), lastName);
  return lastName.find(nameFilter_) != std::string::npos;
}

void LevelCopy::Run() {
  result_.clear();
  kept_.clear();
  if (refused_) return;
  for (const std::string& root : roots_) WalkRoot(root);
}

void LevelCopy::WalkRoot(const std::string& root) {
  std::string rootPath = root;
  PathLevel(rootPath); // forward slashes become backslashes
  rootPath = FolderForJoining(rootPath);
  // An empty root would list the root of the current drive.
  if (rootPath.empty() || !Descend(0)) return;

  // A folder taken only when it is a leaf holds a place in the result until its
  // own listing, one level later, tells whether it has subfolders; so the
  // result keeps the walk order without a second listing of any folder.
  slots_.clear();
  std::deque<Pending> queue;
  queue.push_back(Pending{0, std::move(rootPath), -1});
  while (!queue.empty()) {
    Pending folder = std::move(queue.front());
    queue.pop_front();
    const uint32_t r = folder.relative + 1;
    uint32_t subfolders = 0;
    ForEachFolderEntry(folder.path, "*.*", [&](const WIN32_FIND_DATAA& data) {
      if (!IsTreeFolder(data)) return;
      ++subfolders;
      std::string path = folder.path + "\\" + data.cFileName;
      int64_t leafSlot = -1;
      const Take take = Decide(r);
      if (take != Take::No && PassesFilter(path)) {
        if (take == Take::IfLeaf) leafSlot = static_cast<int64_t>(slots_.size());
        slots_.push_back(Slot{path, take == Take::Yes});
      }
      if (Descend(r))
        queue.push_back(Pending{r, std::move(path), leafSlot});
      else if (leafSlot >= 0)
        slots_[leafSlot].keep = HasNoTreeSubfolder(slots_[leafSlot].path);
    }, [&](const KeptEntry& entry) {
      if (!entry.folder) return;
      ++subfolders;  // its parent is no leaf
      if (Decide(r) != Take::No && (nameFilter_.empty() || FoldCase(entry.name).find(nameFilter_) != std::string::npos))
        kept_.push_back(KeptIn(folder.path, entry));
    });
    if (folder.leafSlot >= 0) slots_[folder.leafSlot].keep = subfolders == 0;
  }
  for (Slot& slot : slots_)
    if (slot.keep) result_.push_back(std::move(slot.path));
  slots_.clear();
}

} // namespace core
