// The one acceptance rule of the Rename, Delete and Copy pages' include lists,
// on every road into them, beside the runs' target check: an entry is taken
// when the check takes it, in any spelling the check can bring to one path
// ("c:/t/a", "C:\t\a\", "C:\T\\a" are one folder), unless either list already
// holds that folder under another spelling or the same pass of a road has
// taken it already. Entries are kept as they came; the runs bring each to its
// path. The page gives only its boxes and its own extra refusal.
#pragma once
#include "listwin/list_page.h"
#include "treeops/tree_target.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace treeops {

// True for a drive or a share root in any spelling ("C:", "c:/", "\\srv\share\").
bool IsDriveOrShareRoot(const std::string& entry);

class FolderListRule {
public:
  struct Page {
    const ui::ListBox* include = nullptr;
    const ui::ListBox* exclude = nullptr;
    // The folders no run may touch (asked once per pass).
    std::function<const ProtectedFolders&()> protectedFolders;
    // Drive and share roots are taken (the copy page: its run only adds new
    // items inside a folder, and never enters a protected folder a root holds).
    bool rootsTaken = false;
    // The page's boxes on the roads that tell refusals: the target check's
    // refusal of entry, and a folder that a list already holds ("in the
    // INCLUDE list" or "in the EXCLUDE list").
    std::function<void(const std::string& entry, const std::string& reason)> refusedBox;
    std::function<void(bool inInclude)> listedBox;
    // The page's own refusal, asked first (its box is its own): a verdict
    // ends the judging of the entry; none lets the common rule judge it.
    std::function<std::optional<Verdict>(const std::string& entry, ListRoad road)> extra;
  };

  explicit FolderListRule(Page page);

  // The judge of one pass of road over its entries (ListPageDescription::rule).
  // Copies of a rule share one index of the lists' folders, brought up to
  // date with what changed since the last pass.
  EntryJudge Judge(ListRoad road) const;

  class Index;

private:
  Page page_;
  std::shared_ptr<Index> include_, exclude_;
};

} // namespace treeops
