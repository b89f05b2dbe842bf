#include "core/casefold.h"

#include <windows.h>

namespace core {

namespace {
struct FoldTable {
  char lower[256];
  FoldTable() {
    for (int i = 0; i < 256; ++i) lower[i] = static_cast<char>(i);
    CharLowerBuffA(lower + 1, 255); // the user locale's lower case
  }
};
const FoldTable& Table() {
  static const FoldTable table;
  return table;
}
} // namespace

char FoldChar(char c) { return Table().lower[static_cast<unsigned char>(c)]; }

std::string FoldCase(const std::string& text) {
  const FoldTable& t = Table();
  std::string out(text);
  for (char& c : out) c = t.lower[static_cast<unsigned char>(c)];
  return out;
}

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  const FoldTable& t = Table();
  for (size_t i = 0; i < a.size(); ++i)
    if (t.lower[static_cast<unsigned char>(a[i])] != t.lower[static_cast<unsigned char>(b[i])])
      return false;
  return true;
}

bool SameTextAt(const std::string& text, size_t at, const std::string& part) {
  if (at > text.size() || text.size() - at < part.size()) return false;
  const FoldTable& t = Table();
  const char* p = text.data() + at;
  for (size_t i = 0; i < part.size(); ++i)
    if (t.lower[static_cast<unsigned char>(p[i])] != t.lower[static_cast<unsigned char>(part[i])]) return false;
  return true;
}

int CompareText(const std::string& a, const std::string& b) {
  const FoldTable& t = Table();
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(t.lower[static_cast<unsigned char>(a[i])]);
    unsigned char y = static_cast<unsigned char>(t.lower[static_cast<unsigned char>(b[i])]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

size_t FoldedHash::operator()(const std::string& s) const {
  const FoldTable& t = Table();
  size_t h = 2166136261u; // FNV-1a over the folded characters
  for (char c : s) {
    h ^= static_cast<unsigned char>(t.lower[static_cast<unsigned char>(c)]);
    h *= 16777619u;
  }
  return h;
}

void FoldedIndex::Remove(const std::string& s) {
  auto it = counts_.find(s);
  if (it != counts_.end() && --it->second == 0) counts_.erase(it);
}

} // namespace core
