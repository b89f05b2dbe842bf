#include "treeops/folder_list_rule.h"

#include "core/casefold.h"
#include "core/textutil.h"

#include <windows.h>

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

// One pass of a road: the folders of both lists (the include list left out
// when the pass replaces it) and those the pass took, each by its key.
class FolderPass {
public:
  FolderPass(const FolderListRule::Page& page, ListRoad road) : page_(page), road_(road) {}

  Verdict operator()(const std::string& entry) {
    const bool tell = RoadTellsRefusal(road_);
    if (page_.extra)
      if (std::optional<Verdict> own = page_.extra(entry, road_)) return *own;
    if (!protected_) protected_ = &page_.protectedFolders();
    const TargetCheck check = CheckTarget(entry, *protected_);
    if (!check.ok) {
      if (tell && page_.refusedBox) page_.refusedBox(entry, check.reason);
      return Verdict::Refuse(check.reason);
    }
    if (!indexed_) Index();
    const std::string key = FolderKey(check.path);
    const auto found = listed_.find(key);
    if (found == listed_.end()) {
      listed_.emplace(key, Listed{core::TrimText(entry), Where::Pass});
      return Verdict::Take();
    }
    // The very text a list holds: the road's own duplicate test answers.
    const Listed& listed = found->second;
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
  void Index() {
    indexed_ = true;
    static const ProtectedFolders kNone;
    auto add = [&](const ui::ListBox* list, Where where) {
      if (!list) return;
      for (const std::string& item : list->Items()) {
        const TargetCheck check = CheckTarget(item, kNone);
        if (check.ok) listed_.emplace(FolderKey(check.path), Listed{core::TrimText(item), where});
      }
    };
    // The editor's lines replace the include list: only the exclude list stands.
    if (road_ != ListRoad::Editor) add(page_.include, Where::Include);
    add(page_.exclude, Where::Exclude);
  }

  FolderListRule::Page page_;
  ListRoad road_;
  const ProtectedFolders* protected_ = nullptr;
  bool indexed_ = false;
  std::unordered_map<std::string, Listed> listed_;
};

} // namespace

EntryJudge FolderListRule::Judge(ListRoad road) const {
  auto pass = std::make_shared<FolderPass>(page_, road);
  return [pass](const std::string& entry) { return (*pass)(entry); };
}

} // namespace treeops
