#include "treeops/folder_list_rule.h"

#include "core/casefold.h"
#include "core/textutil.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <unordered_map>

namespace treeops {

bool IsDriveOrShareRoot(const std::string& entry) {
  std::string p = core::TrimText(core::ForwardToBackslashes(entry));
  while (!p.empty() && p.back() == '\\') p.pop_back();
  const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  if (p.size() == 2) return p[1] == ':' && letter(p[0]);
  if (p.size() > 2 && p[0] == '\\' && p[1] == '\\') {
    const size_t server = p.find('\\', 2);
    if (server == std::string::npos || server == 2 || server + 1 == p.size()) return false;
    return p.find('\\', server + 1) == std::string::npos;
  }
  return false;
}

namespace {

// One folder however it is written: the path the target check gives, in its
// long form where a short name may stand for a long one.
std::string FolderKey(const std::string& path) {
  std::string key = path;
  if (key.find('~') != std::string::npos) {  // "PROGRA~1", "VEXT~ILB"
    char longName[MAX_PATH * 2];
    const DWORD n = GetLongPathNameA(key.c_str(), longName, sizeof longName);
    if (n > 0 && n < sizeof longName) {
      key = longName;
      while (key.size() > 3 && key.back() == '\\') key.pop_back();
    }
  }
  return core::FoldCase(key);
}

enum class Where { Include, Exclude, Pass };

struct Listed {
  std::string spelling;
  Where where;
};

const ProtectedFolders& NoProtected() {
  static const ProtectedFolders kNone;
  return kNone;
}

} // namespace

// The folders of one list by key, kept from pass to pass and brought up to
// date from the list's changes (read whole again only after a bulk change). A
// key made with a short name ("PROGRA~1") depends on the disk, so such entries
// are kept aside and keyed afresh on every pass, as the whole list once was.
class FolderListRule::Index {
public:
  Index(const ui::ListBox* list, bool rootsTaken) : list_(list), rootsTaken_(rootsTaken) {}
  bool RootsTaken() const { return rootsTaken_; }

  void Refresh() {
    if (!list_) return;
    if (built_ && version_ == list_->Version()) return;
    if (!built_ || !list_->ChangesSince(version_, [&](const std::string& entry, bool added) {
          added ? Add(entry) : Remove(entry);
        })) {
      keyed_.clear();
      shortNamed_.clear();
      for (const std::string& item : list_->Items()) Add(item);
      built_ = true;
    }
    version_ = list_->Version();
  }

  // The spelling the list holds key under, or null.
  const std::string* Find(const std::string& key) const {
    const auto found = keyed_.find(key);
    return found == keyed_.end() || found->second.empty() ? nullptr : &found->second.front();
  }
  const std::vector<std::string>& ShortNamed() const { return shortNamed_; }

private:
  // The key of a list entry; false when the check refuses it (never listed).
  bool Keyed(const std::string& item, std::string& path) const {
    const TargetCheck check = CheckTarget(item, NoProtected(), rootsTaken_);
    if (!check.ok) return false;
    path = check.path;
    return true;
  }
  void Add(const std::string& item) {
    std::string path;
    if (!Keyed(item, path)) return;
    if (path.find('~') != std::string::npos) shortNamed_.push_back(item);
    else keyed_[FolderKey(path)].push_back(core::TrimText(item));
  }
  void Remove(const std::string& item) {
    std::string path;
    if (!Keyed(item, path)) return;
    if (path.find('~') != std::string::npos) {
      const auto it = std::find(shortNamed_.begin(), shortNamed_.end(), item);
      if (it != shortNamed_.end()) shortNamed_.erase(it);
      return;
    }
    const auto found = keyed_.find(FolderKey(path));
    if (found == keyed_.end()) return;
    std::vector<std::string>& spellings = found->second;
    const auto it = std::find(spellings.begin(), spellings.end(), core::TrimText(item));
    if (it != spellings.end()) spellings.erase(it);
    if (spellings.empty()) keyed_.erase(found);
  }

  const ui::ListBox* list_;
  const bool rootsTaken_;
  bool built_ = false;
  unsigned long version_ = 0;
  std::unordered_map<std::string, std::vector<std::string>> keyed_;  // key -> spellings, first listed first
  std::vector<std::string> shortNamed_;
};

namespace {

// One pass of a road: the folders of both lists (the include list left out
// when the pass replaces it) and those the pass took, each by its key.
class FolderPass {
public:
  FolderPass(const FolderListRule::Page& page, ListRoad road, std::shared_ptr<FolderListRule::Index> include,
             std::shared_ptr<FolderListRule::Index> exclude)
      : page_(page), road_(road), include_(std::move(include)), exclude_(std::move(exclude)) {}

  Verdict operator()(const std::string& entry) {
    const bool tell = RoadTellsRefusal(road_);
    if (page_.extra)
      if (std::optional<Verdict> own = page_.extra(entry, road_)) return *own;
    if (!protected_) {
      protected_ = &page_.protectedFolders();
      // Known by what they are, once per pass: each folder on an entry's road
      // is opened and compared, whatever spelling or link reached it.
      places_ = PlacesOf(*protected_);
      held_ = std::make_unique<core::ProtectedPlaces::HeldListings>(places_.get());
    }
    const TargetCheck check = CheckTarget(entry, *protected_, page_.rootsTaken, places_.get());
    if (!check.ok) {
      if (tell && page_.refusedBox) page_.refusedBox(entry, check.reason);
      return Verdict::Refuse(check.reason);
    }
    if (!indexed_) Index();
    const std::string key = FolderKey(check.path);
    Listed listed{std::string(), Where::Pass};
    if (!Find(key, listed)) {
      taken_.emplace(key, Listed{core::TrimText(entry), Where::Pass});
      return Verdict::Take();
    }
    // The very text a list holds: the road's own duplicate test answers.
    if (core::SameText(listed.spelling, core::TrimText(entry))) return Verdict::Take();
    if (tell && page_.listedBox) page_.listedBox(listed.where != Where::Exclude);
    switch (listed.where) {
      case Where::Include: return Verdict::Refuse("the same folder as " + listed.spelling + ", listed already");
      case Where::Exclude:
        return Verdict::Refuse("the same folder as " + listed.spelling + ", in the EXCLUDE list");
      default: return Verdict::Refuse("the same folder as " + listed.spelling + ", taken already");
    }
  }

private:
  // The include list first (unless the pass replaces it), then the exclude
  // list, then what the pass took.
  bool Find(const std::string& key, Listed& listed) const {
    if (useInclude_)
      if (const std::string* spelling = include_->Find(key)) return listed = {*spelling, Where::Include}, true;
    const auto shortIn = shortNamed_.find(key);
    if (shortIn != shortNamed_.end() && shortIn->second.where == Where::Include) return listed = shortIn->second, true;
    if (const std::string* spelling = exclude_->Find(key)) return listed = {*spelling, Where::Exclude}, true;
    if (shortIn != shortNamed_.end()) return listed = shortIn->second, true;
    const auto taken = taken_.find(key);
    if (taken != taken_.end()) return listed = taken->second, true;
    return false;
  }

  void Index() {
    indexed_ = true;
    // The editor's lines replace the include list: only the exclude list stands.
    useInclude_ = road_ != ListRoad::Editor;
    auto add = [&](FolderListRule::Index& index, Where where) {
      index.Refresh();
      for (const std::string& item : index.ShortNamed()) {
        const TargetCheck check = CheckTarget(item, NoProtected(), index.RootsTaken());
        if (check.ok) shortNamed_.emplace(FolderKey(check.path), Listed{core::TrimText(item), where});
      }
    };
    if (useInclude_) add(*include_, Where::Include);
    add(*exclude_, Where::Exclude);
  }

  FolderListRule::Page page_;
  ListRoad road_;
  std::shared_ptr<FolderListRule::Index> include_, exclude_;
  const ProtectedFolders* protected_ = nullptr;
  std::shared_ptr<core::ProtectedPlaces> places_;
  // The folders holding the entries stay open for listing while the pass lasts.
  std::unique_ptr<core::ProtectedPlaces::HeldListings> held_;
  bool indexed_ = false, useInclude_ = true;
  std::unordered_map<std::string, Listed> shortNamed_, taken_;
};

} // namespace

FolderListRule::FolderListRule(Page page)
    : page_(std::move(page)), include_(std::make_shared<Index>(page_.include, page_.rootsTaken)),
      exclude_(std::make_shared<Index>(page_.exclude, page_.rootsTaken)) {}

EntryJudge FolderListRule::Judge(ListRoad road) const {
  auto pass = std::make_shared<FolderPass>(page_, road, include_, exclude_);
  return [pass](const std::string& entry) { return (*pass)(entry); };
}

} // namespace treeops
