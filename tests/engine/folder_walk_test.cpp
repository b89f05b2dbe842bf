// The entry-by-entry tree walk and the removal of a folder's contents built on it.
#include "core/folder_walk.h"

#include "support/temp_dir.h"
#include "support/wine_unix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using core::RemovalOutcome;
using testsupport::PathExists;
using testsupport::ReadFile;

namespace {

// Every entry below root with each file's content: any change shows.
std::string Snapshot(const std::string& root) {
  std::string out;
  core::WalkFolderTree(root, [&](const core::WalkEntry& e) {
    out += e.relative + (e.folder ? "\\" : "=" + ReadFile(e.path)) + "\n";
  });
  return out;
}

TEST(FolderWalk, ListsLevelByLevelAndNeverEntersALink) {
  testsupport::TempDir tree;
  tree.AddFile("a\\b\\c\\deep.txt", "1");
  tree.AddFile("top.txt", "22");
  std::vector<std::string> seen;
  EXPECT_TRUE(core::WalkFolderTree(tree.Path(), [&](const core::WalkEntry& e) { seen.push_back(e.relative); }));
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(seen.begin() + 2, seen.end()),
            (std::vector<std::string>{"a\\b", "a\\b\\c", "a\\b\\c\\deep.txt"}));
  EXPECT_FALSE(core::WalkFolderTree(tree / "missing", [](const core::WalkEntry&) {}));

  if (!testsupport::UnderWine()) return;
  ASSERT_TRUE(testsupport::MakeUnixSymlink(tree / "a\\loop", tree.Path()));  // back to the root
  seen.clear();
  core::WalkFolderTree(tree.Path(), [&](const core::WalkEntry& e) {
    seen.push_back(e.relative);
    if (e.relative == "a\\loop") {
      EXPECT_TRUE(e.link && e.folder);
    }
  });
  EXPECT_EQ(seen.size(), 6u);
}

TEST(FolderWalk, RemovingContentsTakesLinksAsLinksAndTheDataOutsideSurvives) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "links are made with the Unix ln";
  testsupport::TempDir outside, tree;  // the tree goes first
  outside.AddFile("keep\\a.txt", "outside a");
  outside.AddFile("keep\\sub\\b.txt", "outside b");
  outside.AddFile("file.txt", "outside file");
  const std::string before = Snapshot(outside.Path());
  const std::string target = tree.AddFolder("Target");
  tree.AddFile("Target\\x.txt", "x");
  tree.AddFile("Target\\Sub\\y.txt", "y");
  ASSERT_TRUE(testsupport::MakeUnixSymlink(tree / "Target\\Sub\\dirlink", outside / "keep"));
  ASSERT_TRUE(testsupport::MakeUnixFileSymlink(tree / "Target\\filelink.txt", outside / "file.txt"));

  const core::ContentsRemoval removal = core::RemoveFolderContents(target);
  EXPECT_EQ(Snapshot(outside.Path()), before);
  ASSERT_FALSE(removal.refused);
  ASSERT_EQ(removal.items.size(), 5u);
  for (const core::RemovalItem& item : removal.items) {
    const bool isLink = item.path.find("link") != std::string::npos;
    EXPECT_EQ(item.link, isLink) << item.path;
    if (!isLink) {
      // Sub holds the kept link under Wine; everything else is gone.
      const bool holdsLink = item.path == tree / "Target\\Sub";
      EXPECT_EQ(item.outcome == RemovalOutcome::Removed, !holdsLink) << item.path;
      EXPECT_EQ(PathExists(item.path), holdsLink) << item.path;
    } else {
      // Removed as a link where the system can; Wine follows every call on a
      // Unix link, so there it stays, untouched.
      EXPECT_NE(item.outcome, RemovalOutcome::Failed) << item.path;
      EXPECT_EQ(PathExists(item.path), item.outcome == RemovalOutcome::LinkKept) << item.path;
    }
  }
  EXPECT_FALSE(removal.Complete());
}

TEST(FolderWalk, EachEntryHasItsOwnOutcomeAndAReadOnlyFileIsNeverMadeWritable) {
  testsupport::TempDir tree;
  const std::string target = tree.AddFolder("Target");
  tree.AddFile("Target\\a.txt", "a");
  const std::string locked = tree.AddFile("Target\\Sub\\locked.txt", "locked");
  tree.AddFile("Target\\Sub\\free.txt", "free");
  tree.AddFile("Target\\Other\\z.txt", "z");
  ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));

  const core::ContentsRemoval removal = core::RemoveFolderContents(target);
  std::string failed;
  for (const core::RemovalItem& item : removal.items)
    if (item.outcome != RemovalOutcome::Removed) failed += item.path.substr(target.size()) + "\n";
  EXPECT_EQ(failed, "\\Sub\\locked.txt\n\\Sub\n");
  EXPECT_EQ(removal.items.size(), 6u);
  EXPECT_FALSE(removal.Complete());
  EXPECT_EQ(testsupport::ListTree(target), "Sub\\\nSub\\locked.txt\n");
  EXPECT_EQ(GetFileAttributesA(locked.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD(FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(core::RemoveFolderContents(tree / "Target\\Sub\\locked.txt").refused);
}

} // namespace
