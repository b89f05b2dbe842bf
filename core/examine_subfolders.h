// The list reducer: reduces a list of folder paths so that a later walk visits
// no folder twice, either to its top-most folders (a folder that lies inside
// another listed folder is dropped) or to a sorted list without repeats.
#pragma once
#include <deque>
#include <set>
#include <string>

namespace core {

class ExamineSubFolders {
public:
  // items: the folder paths, as listed (a list box's items, read in order).
  // Items that are empty or blanks only are ignored; the others are kept as
  // they are (untrimmed), each exact text once.
  explicit ExamineSubFolders(const std::deque<std::string>& items);

  // The top-most folders, shallowest level first, within a level in byte-wise
  // ascending order. A folder is dropped when an earlier one of that order,
  // letter case ignored and "/" taken as "\", is a whole-name prefix of it;
  // of items that differ only in letter case the first byte-wise stays.
  void KeepTopFolders();
  // The items in byte-wise ascending order, each once.
  void SortUnique();
  std::deque<std::string> GetResult() const { return result_; }

private:
  std::set<std::string> sortedItems_;
  std::deque<std::string> result_;
};

} // namespace core
