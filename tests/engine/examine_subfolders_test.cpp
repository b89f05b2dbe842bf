#include "core/examine_subfolders.h"

#include "core/casefold.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>

namespace {

using List = std::deque<std::string>;

List TopFolders(const List& items) {
  core::ExamineSubFolders reducer(items);
  reducer.KeepTopFolders();
  return reducer.GetResult();
}

// The reduction as first described, quadratic: take the first of the level
// order, drop every later item lying in it, repeat. The reference for the fast one.
List TopFoldersByPairs(const List& items) {
  auto norm = [](std::string p) { std::replace(p.begin(), p.end(), '/', '\\'); return p; };
  std::set<std::string> unique;
  for (const std::string& i : items)
    if (i.find_first_not_of(' ') != std::string::npos) unique.insert(i);
  std::multimap<long, std::string> byLevel;
  for (const std::string& i : unique) byLevel.emplace(std::count(i.begin(), i.end(), '\\') + std::count(i.begin(), i.end(), '/'), i);
  List pending, result;
  for (auto& e : byLevel) pending.push_back(e.second);
  while (!pending.empty()) {
    result.push_back(pending.front());
    const std::string t = norm(pending.front());
    pending.pop_front();
    pending.erase(std::remove_if(pending.begin(), pending.end(), [&](const std::string& x) {
      const std::string xs = norm(x) + (x.back() == '\\' || x.back() == '/' ? "" : "\\");
      return xs.size() > t.size() && core::SameText(xs.substr(0, t.size()), t) && xs[t.size()] == '\\';
    }), pending.end());
  }
  return result;
}

} // namespace

TEST(ExamineSubFolders, KeepsTheTopMostFolders) {
  EXPECT_EQ(TopFolders({"c:\\a", "c:\\a\\b", "c:\\ab", "d:\\x\\y", "d:\\x"}),
            (List{"c:\\a", "c:\\ab", "d:\\x"}));
  EXPECT_EQ(TopFolders({"c:\\data", "C:\\Data", "c:\\DATA\\sub"}), (List{"C:\\Data"}))
      << "letter case ignored; the first byte-wise stays";
  EXPECT_EQ(TopFolders({"c:\\a\\", "c:\\a\\b"}), (List{"c:\\a\\", "c:\\a\\b"}))
      << "a trailing backslash does not swallow the folder below it";
  EXPECT_EQ(TopFolders({"c:\\a", "c:\\a\\"}), (List{"c:\\a"}));
  EXPECT_EQ(TopFolders({"c:/a/b", "c:\\a"}), (List{"c:\\a"}));
  EXPECT_EQ(TopFolders({"", "   ", "c:\\x\\y\\z", "c:\\x"}), (List{"c:\\x"}));
  EXPECT_TRUE(TopFolders({}).empty());
}

TEST(ExamineSubFolders, SortsAndDropsRepeats) {
  core::ExamineSubFolders reducer({"b", "a", "b", "", "   ", " a "});
  reducer.SortUnique();
  EXPECT_EQ(reducer.GetResult(), (List{" a ", "a", "b"})) << "entries keep their blanks";
}

TEST(ExamineSubFolders, FastReductionAgreesWithPairwiseOne) {
  std::mt19937 random(7);
  const char* parts[] = {"a", "A", "b", "ab", "x y", "a\\", "b/"};
  for (int round = 0; round < 20; ++round) {
    List items;
    for (int i = 0; i < 300; ++i) {
      std::string path = random() % 2 ? "c:" : "C:";
      int depth = 1 + random() % 4;
      for (int d = 0; d < depth; ++d) path += std::string("\\") + parts[random() % 7];
      if (random() % 5 == 0) path += "\\";
      items.push_back(path);
    }
    ASSERT_EQ(TopFolders(items), TopFoldersByPairs(items)) << "round " << round;
  }
}
