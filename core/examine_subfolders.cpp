#include "core/examine_subfolders.h"

#include "core/casefold.h"
#include "core/textutil.h"

#include <algorithm>
#include <unordered_set>
#include <utility>
#include <vector>

namespace core {

ExamineSubFolders::ExamineSubFolders(const std::deque<std::string>& items) {
  for (const std::string& item : items)
    if (!TrimSpaces(item).empty()) sortedItems_.insert(item);
}

void ExamineSubFolders::SortUnique() {
  result_.assign(sortedItems_.begin(), sortedItems_.end());
}

void ExamineSubFolders::KeepTopFolders() {
  result_.clear();
  // Level order: shallowest first, within a level byte-wise ascending (the set
  // order, kept by the stable sort).
  std::vector<std::pair<uint32_t, const std::string*>> ordered;
  ordered.reserve(sortedItems_.size());
  for (const std::string& item : sortedItems_) {
    std::string copy = item;
    ordered.emplace_back(PathLevel(copy), &item);
  }
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });

  // X lies in T when X (with a trailing backslash added) begins with T followed
  // by a backslash. That relation is transitive, so X goes exactly when one of
  // its own backslash-ended prefixes is an item met earlier in level order;
  // checking those few prefixes against a set replaces comparing every pair.
  std::unordered_set<std::string> earlier;
  earlier.reserve(ordered.size() * 2);
  for (const auto& entry : ordered) {
    std::string key = FoldCase(ForwardToBackslashes(*entry.second));
    std::string probe = key;
    if (probe.empty() || probe.back() != '\\') probe.push_back('\\');
    bool inside = false;
    for (size_t at = probe.find('\\'); at != std::string::npos && !inside;
         at = probe.find('\\', at + 1))
      inside = earlier.count(probe.substr(0, at)) != 0;
    if (!inside) result_.push_back(*entry.second);
    earlier.insert(std::move(key));
  }
}

} // namespace core
