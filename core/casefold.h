// The one case-folding rule of the program (the user locale's lower case of each
// 8-bit character). Every case-insensitive comparison, list index and hash uses it.
#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>

namespace core {

char FoldChar(char c);
std::string FoldCase(const std::string& text);
bool SameText(const std::string& a, const std::string& b);
// Whether text holds part at position at, letter case ignored (no copy made).
bool SameTextAt(const std::string& text, size_t at, const std::string& part);
// <0, 0, >0 like strcmp, on folded characters.
int CompareText(const std::string& a, const std::string& b);

struct FoldedHash {
  size_t operator()(const std::string& s) const;
};
struct FoldedEqual {
  bool operator()(const std::string& a, const std::string& b) const { return SameText(a, b); }
};
struct FoldedLess {
  bool operator()(const std::string& a, const std::string& b) const { return CompareText(a, b) < 0; }
};

// Membership of a list without letter case: a count per folded entry, so a list
// that holds duplicates keeps its index right when one copy leaves.
class FoldedIndex {
public:
  void Add(const std::string& s) { ++counts_[s]; }
  void Remove(const std::string& s);
  bool Contains(const std::string& s) const { return counts_.count(s) != 0; }
  void Clear() { counts_.clear(); }
  size_t Distinct() const { return counts_.size(); }

private:
  std::unordered_map<std::string, int, FoldedHash, FoldedEqual> counts_;
};

} // namespace core
