#include "core/level_copy.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// r\a\b\c and r\d with files beside the folders, and a second root s with s\b2x and s\ab.
class LevelTree : public ::testing::Test {
protected:
  void SetUp() override {
    r = base_ / "r";
    s = base_ / "s";
    for (const std::string& f : {r + "\\a\\b\\c", r + "\\d", s + "\\b2x", s + "\\ab"})
      testsupport::MakeFolders(f);
    testsupport::WriteFile(r + "\\a\\file.txt", "not a folder");
    testsupport::WriteFile(r + "\\bfile", "not a folder");
  }

  std::deque<std::string> Build(const std::deque<std::string>& roots, char rule, int32_t x,
                                int32_t y, uint32_t addMode, const std::string& filter = "") {
    core::LevelCopy builder(roots);
    if (rule == 'F') builder.SetFromTo(x, y);
    if (rule == 'A') builder.SetAbove(x);
    if (rule == 'B') builder.SetBelow(x);
    builder.SetAddMode(addMode);
    builder.SetNameFilter(filter);
    builder.Run();
    return builder.GetResultList();
  }
  // The level order must hold; within a level (file-system order) the names are compared sorted.
  static std::deque<std::string> LevelThenName(std::deque<std::string> list) {
    auto level = [](const std::string& p) { return std::count(p.begin(), p.end(), '\\'); };
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end(), [&](const std::string& a, const std::string& b) {
      return level(a) < level(b);
    })) << "shallower levels first";
    std::stable_sort(list.begin(), list.end(), [&](const std::string& a, const std::string& b) {
      return level(a) != level(b) ? level(a) < level(b) : a < b;
    });
    return list;
  }

  testsupport::TempDir base_;
  std::string r, s;
  static constexpr uint32_t Last = core::LevelCopy::AddOnlyTheLast;
  static constexpr uint32_t All = core::LevelCopy::AddAllInThePath;
};

using List = std::deque<std::string>;

} // namespace

TEST_F(LevelTree, FromToCollectsTheRangeOrItsLastFolders) {
  EXPECT_EQ(LevelThenName(Build({r}, 'F', 1, 2, All)), (List{r + "\\a", r + "\\d", r + "\\a\\b"}));
  EXPECT_EQ(LevelThenName(Build({r}, 'F', 1, 2, Last)), (List{r + "\\d", r + "\\a\\b"}));
  EXPECT_EQ(Build({r}, 'F', 2, 2, All), (List{r + "\\a\\b"}));
  EXPECT_EQ(Build({r}, 'F', 2, 3, Last), (List{r + "\\a\\b\\c"}));
  EXPECT_EQ(LevelThenName(Build({r}, 'F', 1, 9, Last)), (List{r + "\\d", r + "\\a\\b\\c"}));
  EXPECT_TRUE(Build({r}, 'F', 4, 9, All).empty()) << "deeper than the tree";
  // Without a rule: the direct subfolders.
  core::LevelCopy plain({r});
  plain.SetAddMode(All);
  plain.Run();
  EXPECT_EQ(LevelThenName(plain.GetResultList()), (List{r + "\\a", r + "\\d"}));
}

TEST_F(LevelTree, AboveAndBelowFollowTheRuleTable) {
  EXPECT_EQ(LevelThenName(Build({r}, 'A', 2, 0, All)), (List{r + "\\a", r + "\\d"}));
  EXPECT_EQ(LevelThenName(Build({r}, 'A', 2, 0, Last)), (List{r + "\\d", r + "\\a\\b"}));
  EXPECT_TRUE(Build({r}, 'A', 1, 0, All).empty());
  EXPECT_EQ(LevelThenName(Build({r}, 'A', 1, 0, Last)), (List{r + "\\a", r + "\\d"}));
  EXPECT_EQ(Build({r}, 'B', 1, 0, All), (List{r + "\\a\\b", r + "\\a\\b\\c"}));
  EXPECT_EQ(Build({r}, 'B', 1, 0, Last), (List{r + "\\a\\b\\c"}));
  EXPECT_EQ(LevelThenName(Build({r}, 'B', 0, 0, All)),
            (List{r + "\\a", r + "\\d", r + "\\a\\b", r + "\\a\\b\\c"}));
  // Leaves of several levels, each level in turn.
  EXPECT_EQ(LevelThenName(Build({r}, 'B', 0, 0, Last)), (List{r + "\\d", r + "\\a\\b\\c"}));
}

TEST_F(LevelTree, LevelsBelowTheirMinimumAreRefused) {
  core::LevelCopy builder({r});
  EXPECT_FALSE(builder.SetFromTo(0, 2));
  builder.SetAddMode(All);
  builder.Run();
  EXPECT_TRUE(builder.GetResultList().empty()) << "a From of 0 lists nothing";
  // Negative levels (never wrapped to a huge level), From greater than To, Above 0.
  const struct { char rule; int32_t x, y; uint32_t mode; } refused[] = {
      {'F', -1, 2, All}, {'F', 1, -2, All}, {'F', 3, 2, All}, {'A', 0, 0, Last}, {'A', -5, 0, Last}, {'B', -1, 0, All}};
  for (const auto& c : refused) EXPECT_TRUE(Build({r}, c.rule, c.x, c.y, c.mode).empty()) << c.rule << c.x << ' ' << c.y;
  // A refused rule replaced by a valid one works again.
  EXPECT_TRUE(builder.SetFromTo(1, 1));
  builder.Run();
  EXPECT_EQ(builder.GetResultList().size(), 2u);
}

TEST_F(LevelTree, NameFilterLooksAtTheFolderOwnNameOnly) {
  // Roots in list order; within a root level by level.
  List result = Build({r, s}, 'B', 0, 0, All, "B");
  ASSERT_EQ(result.size(), 3u);
  EXPECT_EQ(result[0], r + "\\a\\b") << "not r\\a\\b\\c: the parent part never matches";
  List fromS(result.begin() + 1, result.end());
  std::sort(fromS.begin(), fromS.end());
  EXPECT_EQ(fromS, (List{s + "\\ab", s + "\\b2x"}));
  EXPECT_EQ(Build({r}, 'B', 0, 0, All, "b\\"), (List{r + "\\a\\b"})) << "one trailing backslash dropped";
  EXPECT_TRUE(Build({r}, 'B', 0, 0, All, "zz").empty());
}

TEST_F(LevelTree, RootsAsGivenOrMissing) {
  std::string forward = r;
  std::replace(forward.begin(), forward.end(), '\\', '/');
  EXPECT_EQ(LevelThenName(Build({forward}, 'F', 1, 1, All)), (List{r + "\\a", r + "\\d"}));
  EXPECT_TRUE(Build({r + "\\absent", ""}, 'B', 0, 0, All).empty())
      << "a missing root adds nothing; an empty one lists nothing";
  // A trailing backslash is not doubled in the results, a drive root's included.
  EXPECT_EQ(LevelThenName(Build({r + "\\"}, 'F', 1, 1, All)), (List{r + "\\a", r + "\\d"}));
  const List drive = Build({"C:\\"}, 'F', 1, 1, All);
  EXPECT_FALSE(drive.empty());
  for (const std::string& f : drive) EXPECT_TRUE(f.rfind("C:\\", 0) == 0 && f.find("\\\\") == std::string::npos) << f;
  // Overlapping roots can list a folder twice, each root walked on its own.
  EXPECT_EQ(Build({r + "\\a", r + "\\a\\b"}, 'F', 1, 1, All), (List{r + "\\a\\b", r + "\\a\\b\\c"}));
}
