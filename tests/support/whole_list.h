// The whole list a box that lists items names in its last line ("The whole
// list : " and a place), read back: the text file it wrote, each item with
// the reason (or list heading) it stands under.
#pragma once
#include <map>
#include <string>
#include <vector>

namespace testsupport {

struct WholeList {
  std::string where;  // what the box names ("" when it names no whole list)
  bool read = false;  // where is a file that was read
  std::string title;  // the file's first line
  // Each item and the line it stands under: its reason ("reason" alone) or,
  // for items listed without one, the list's heading.
  std::map<std::string, std::string> reasons;
  std::vector<std::string> items;  // in the file's order
  // The counts of the lines "heading : n" and "reason : n".
  std::map<std::string, size_t> counts;
  // How many items stand under each of those lines.
  std::map<std::string, size_t> listed;
  // The reason item stands under; "(not listed)" when the file does not list it.
  std::string Reason(const std::string& item) const {
    const auto found = reasons.find(item);
    return found == reasons.end() ? "(not listed)" : found->second;
  }
};

// The place a box's text names as its whole list, and when it is a file, its contents.
WholeList WholeListOf(const std::string& boxText);

} // namespace testsupport
