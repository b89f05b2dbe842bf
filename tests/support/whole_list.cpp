#include "support/whole_list.h"

#include "support/temp_dir.h"

#include <cctype>

namespace testsupport {

namespace {

// "words : 12" as words and 12; false for another line.
bool Counted(const std::string& line, std::string& words, size_t& n) {
  const size_t colon = line.rfind(" : ");
  if (colon == std::string::npos || colon + 3 >= line.size()) return false;
  for (size_t i = colon + 3; i < line.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(line[i]))) return false;
  words = line.substr(0, colon);
  n = std::stoul(line.substr(colon + 3));
  return true;
}

} // namespace

WholeList WholeListOf(const std::string& boxText) {
  WholeList out;
  const std::string mark = "The whole list : ";
  const size_t at = boxText.rfind(mark);
  if (at == std::string::npos) return out;
  const size_t end = boxText.find('\n', at);
  out.where = boxText.substr(at + mark.size(), end == std::string::npos ? std::string::npos : end - at - mark.size());
  if (!FileExists(out.where)) return out;
  out.read = true;
  const std::string text = ReadFile(out.where);
  // Each line's indent and words; an item stands under the nearest line above
  // it that is indented less and counts.
  std::vector<std::pair<size_t, std::string>> stack;  // counted lines above, by indent
  bool first = true, lists = false;
  for (size_t from = 0; from < text.size();) {
    size_t stop = text.find("\r\n", from);
    if (stop == std::string::npos) stop = text.size();
    const std::string line = text.substr(from, stop - from);
    from = stop + 2;
    if (first) {
      out.title = line;
      first = false;
      continue;
    }
    // The box's own text stands above a line of dashes, the lists below it.
    if (!lists) {
      lists = !line.empty() && line.find_first_not_of('-') == std::string::npos;
      continue;
    }
    const size_t indent = line.find_first_not_of(' ');
    if (indent == std::string::npos) {
      stack.clear();
      continue;
    }
    const std::string words = line.substr(indent);
    while (!stack.empty() && stack.back().first >= indent) stack.pop_back();
    std::string counted;
    size_t n = 0;
    if (Counted(words, counted, n)) {
      out.counts[counted] = n;
      stack.emplace_back(indent, counted);
      continue;
    }
    if (stack.empty()) continue;
    out.items.push_back(words);
    out.reasons[words] = stack.back().second;
    for (const auto& above : stack) ++out.listed[above.second];
  }
  return out;
}

} // namespace testsupport
