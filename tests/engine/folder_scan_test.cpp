#include "core/folder_scan.h"
#include "core/level_copy.h"
#include "core/level_summary.h"

#include "support/temp_dir.h"
#include "support/wine_unix.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using testsupport::CurrentDirectory;
using testsupport::TempDir;

namespace {

uint32_t LevelOf(const std::string& path) { return uint32_t(std::count(path.begin(), path.end(), '\\')); }
// A file of that many bytes.
std::string Bytes(size_t count) { return std::string(count, 'x'); }

} // namespace

TEST(FolderScan, CountsFoldersFilesAndBytesOfTheWholeTree) {
  TempDir t;
  t.AddFile("ten.txt", Bytes(10));
  t.AddFile("twenty.bin", Bytes(20));
  t.AddFolder("empty");
  const uint32_t L = LevelOf(t.Path());
  const std::string before = CurrentDirectory();

  core::FolderStructSize scan(t.Path());
  scan.ScanAll();
  EXPECT_EQ(scan.GetTotalBytes(), 30u);
  EXPECT_EQ(scan.GetFileCount(), 2u);
  EXPECT_EQ(scan.GetFolderCount(), 1u);
  core::LevelHistogram expected{{L, 1}, {L + 1, 1}};
  EXPECT_EQ(scan.GetLevelHistogram(), expected);
  core::FileSizeMap files{{t.Path() + "\\ten.txt", 10}, {t.Path() + "\\twenty.bin", 20}};
  EXPECT_EQ(scan.GetFileMap(), files);
  EXPECT_EQ(CurrentDirectory(), before) << "the walk leaves the current directory alone";

  core::FolderStructSize counted(t.Path());
  counted.SetCountRootFolder(true);
  counted.ScanAll();
  EXPECT_EQ(counted.GetFolderCount(), 2u);

  // Deeper tree, root given with forward slashes: the same paths with backslashes.
  t.AddFolder("empty\\x");
  t.AddFile("empty\\y\\z\\deep.dat", Bytes(7));
  std::string forward = t.Path();
  std::replace(forward.begin(), forward.end(), '\\', '/');
  core::FolderStructSize deep(forward);
  deep.ScanAll();
  EXPECT_EQ(deep.GetRoot(), t.Path());
  EXPECT_EQ(deep.GetFolderCount(), 4u);
  EXPECT_EQ(deep.GetFileCount(), 3u);
  EXPECT_EQ(deep.GetTotalBytes(), 37u);
  core::LevelHistogram deepLevels{{L, 1}, {L + 1, 1}, {L + 2, 2}, {L + 3, 1}};
  EXPECT_EQ(deep.GetLevelHistogram(), deepLevels);
  EXPECT_EQ(deep.GetFileMap().count(t.Path() + "\\empty\\y\\z\\deep.dat"), 1u);

  // A trailing backslash is not doubled; a summary scan keeps counts and levels, no file map.
  core::FolderStructSize trailing(t.Path() + "\\");
  trailing.ScanAll();
  EXPECT_EQ(trailing.GetFileMap().count(t.Path() + "\\empty\\y\\z\\deep.dat"), 1u);
  EXPECT_EQ(trailing.GetLevelHistogram(), deepLevels);
  core::FolderStructSize summary(t.Path());
  summary.SetKeepFileMap(false);
  summary.ScanAll();
  EXPECT_TRUE(summary.GetFileMap().empty());
  EXPECT_EQ(summary.GetFileCount(), 3u);
  EXPECT_EQ(summary.GetTotalBytes(), 37u);
  EXPECT_EQ(summary.GetLevelHistogram(), deepLevels);
}

TEST(FolderScan, MissingOrEmptyRootMeasuresNothing) {
  TempDir t;
  core::FolderStructSize missing(t.Path() + "\\absent");
  missing.ScanAll();
  EXPECT_EQ(missing.GetFolderCount(), 0u);
  EXPECT_EQ(missing.GetFileCount(), 0u);
  EXPECT_EQ(missing.GetLevelHistogram().size(), 1u) << "only the root's own level";

  // An empty root must not list the root of the current drive.
  core::FolderStructSize empty("");
  empty.SetFilePatterns({"*.*"});
  empty.ScanAll();
  empty.ScanSelectedFilesTree();
  empty.ScanSelectedFilesMainFolder();
  EXPECT_EQ(empty.GetFileCount(), 0u);
  EXPECT_EQ(empty.GetSelectedFileCount(), 0u);
  EXPECT_EQ(empty.GetFolderCount(), 0u);
  EXPECT_TRUE(empty.GetLevelHistogram().empty());
}

TEST(FolderScan, FileSizesAreFullSixtyFourBitValues) {
  TempDir t;
  const std::string path = t.Path() + "\\big.iso";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const uint64_t size = 5ull * 1024 * 1024 * 1024 + 7; // high part 1
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(size);
  bool made = SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  if (!made) GTEST_SKIP() << "no room for a sparse 5 GB file here";
  t.AddFile("small", Bytes(3));

  core::FolderStructSize scan(t.Path());
  scan.SetFilePatterns({"*.iso"});
  scan.ScanAll();
  scan.ScanSelectedFilesTree();
  EXPECT_EQ(scan.GetTotalBytes(), size + 3);
  EXPECT_EQ(scan.GetFileMap()[path], size);
  EXPECT_EQ(scan.GetSelectedBytes(), size);
}

TEST(FolderScan, SelectedFilesAreCountedOnceWhateverMatchesThem) {
  TempDir t;
  t.AddFile("a.doc", Bytes(100));     // matches both patterns
  t.AddFile("b.doc", Bytes(20));
  t.AddFile("abc.txt", Bytes(3));
  t.AddFile("c.txt", Bytes(4));
  t.AddFile("a.dir\\a.doc", Bytes(5));  // a folder matching a* is not a file
  t.AddFile("sub\\inner\\x.doc", Bytes(6));
  const uint32_t L = LevelOf(t.Path());
  // Patterns that would search elsewhere are ignored, as are empty ones and repeats.
  const std::deque<std::string> patterns{"*.doc", "a*", "..\\*.*", "c:*", "sub/*.doc", "", "*.DOC"};

  core::FolderStructSize tree(t.Path());
  tree.SetFilePatterns(patterns);
  tree.ScanSelectedFilesTree();
  EXPECT_EQ(tree.GetSelectedFileCount(), 5u);
  EXPECT_EQ(tree.GetSelectedBytes(), 100u + 20 + 3 + 5 + 6);
  core::FileSizeMap expected{{t.Path() + "\\a.doc", 100},         {t.Path() + "\\b.doc", 20},
                             {t.Path() + "\\abc.txt", 3},         {t.Path() + "\\a.dir\\a.doc", 5},
                             {t.Path() + "\\sub\\inner\\x.doc", 6}};
  EXPECT_EQ(tree.GetSelectedFileMap(), expected);
  EXPECT_EQ(tree.GetFolderCount(), 3u) << "each subfolder once, however many patterns";
  core::LevelHistogram levels{{L, 1}, {L + 1, 2}, {L + 2, 1}};
  EXPECT_EQ(tree.GetLevelHistogram(), levels);
  EXPECT_EQ(tree.GetFileCount(), 0u) << "the selected walk does not count all files";

  core::FolderStructSize main(t.Path());
  main.SetFilePatterns(patterns);
  main.SetCountRootFolder(true);
  main.ScanSelectedFilesMainFolder();
  EXPECT_EQ(main.GetSelectedFileCount(), 3u);
  EXPECT_EQ(main.GetSelectedBytes(), 123u);
  EXPECT_EQ(main.GetFolderCount(), 1u);
  EXPECT_TRUE(main.GetLevelHistogram().empty());

  // "*.*" takes every file, also one without a full stop; "*" the same.
  t.AddFile("README", Bytes(9));
  for (const char* all : {"*.*", "*"}) {
    core::FolderStructSize every(t.Path());
    every.SetFilePatterns({all, "*.txt"});
    every.ScanSelectedFilesTree();
    EXPECT_EQ(every.GetSelectedFileCount(), 7u) << all;
    EXPECT_EQ(every.GetSelectedBytes(), 100u + 20 + 3 + 4 + 5 + 6 + 9) << all;
    EXPECT_EQ(every.GetSelectedFileMap().count(t.Path() + "\\README"), 1u) << all;
  }

  // No usable pattern: nothing is walked.
  core::FolderStructSize none(t.Path());
  none.SetFilePatterns({"c:\\*.*"});
  none.ScanSelectedFilesTree();
  EXPECT_EQ(none.GetSelectedFileCount(), 0u);
}

TEST(FolderScan, APatternMatchesTheLongNameAsTheUserReadsIt) {
  struct Case {
    const char* name;
    const char* pattern;
    bool matches;
  };
  const Case cases[] = {
      {"a.tmp", "*.tmp", true},         {"A.TMP", "*.tmp", true},          {"c.tmpx", "*.tmp", false},
      {"longname.tmpfile", "*.tmp", false}, {"x.tmp.bak", "*.tmp", false}, {"x.tmp.tmp", "*.tmp", true},
      {".tmp", "*.tmp", true},          {"README", "*.*", true},           {"README", "*", true},
      {"abc", "a*.*", true},            {"abc", "a*.", true},              {"b1.html", "b?.html", true},
      {"b.html", "b?.html", false},     {"b12.html", "b?.html", false},    {"old report1.doc", "old report?.doc", true},
      {"data01.csv", "data??.csv", true}, {"aXbXc", "a*b*c", true},        {"aXbX", "a*b*c", false},
      {"report.txt", "report.txt", true}, {"report.txt", "report.tx", false}, {"mississippi", "*sip*", true},
      {"x", "", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(core::MatchesFilePattern(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
}

// The system's search matches 8.3 aliases too ("*.tmp" finds c.tmpx through
// C~1.TMP); every walk matches the long name only.
TEST(FolderScan, SelectedFilesNeverMatchThroughAShortName) {
  TempDir t;
  for (const char* folder : {"", "sub\\"}) {
    t.AddFile(std::string(folder) + "c.tmpx", Bytes(1));
    t.AddFile(std::string(folder) + "longname.tmpfile", Bytes(2));
    t.AddFile(std::string(folder) + "x.tmp", Bytes(4));
  }
  const std::vector<std::string> found = testsupport::SearchNames(t.Path(), "*.tmp");
  ASSERT_EQ(found, (std::vector<std::string>{"c.tmpx", "longname.tmpfile", "x.tmp"}))
      << "the system's search no longer matches the aliases: this test would prove nothing";
  core::FolderStructSize tree(t.Path());
  tree.SetFilePatterns({"*.tmp"});
  tree.ScanSelectedFilesTree();
  EXPECT_EQ(tree.GetSelectedFileMap(), (core::FileSizeMap{{t / "sub\\x.tmp", 4}, {t / "x.tmp", 4}}));
  core::FolderStructSize main(t.Path());
  main.SetFilePatterns({"*.tmp", "*.TMP"});
  main.ScanSelectedFilesMainFolder();
  EXPECT_EQ(main.GetSelectedFileMap(), (core::FileSizeMap{{t / "x.tmp", 4}}));
  EXPECT_EQ(main.GetSelectedBytes(), 4u);
}

TEST(FolderScan, WalksNeverEnterSymbolicLinks) {
  TempDir t;
  t.AddFile("a\\one.txt", Bytes(11));
  t.AddFile("a\\b\\two.txt", Bytes(22));
  // A link back to the root: followed, it would loop until the path limit.
  if (!testsupport::MakeUnixSymlink(t / "a\\loop", t.Path())) GTEST_SKIP() << "cannot make a Linux symbolic link here";
  DWORD attributes = GetFileAttributesA((t.Path() + "\\a\\loop").c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT) << "Wine shows the link as a reparse point";
  const uint32_t L = LevelOf(t.Path());

  core::FolderStructSize scan(t.Path());
  scan.SetFilePatterns({"*.txt"});
  scan.ScanAll();
  EXPECT_EQ(scan.GetFileCount(), 2u);
  EXPECT_EQ(scan.GetTotalBytes(), 33u);
  EXPECT_EQ(scan.GetFolderCount(), 3u) << "a, a\\b and the link itself";
  core::LevelHistogram levels{{L, 1}, {L + 1, 1}, {L + 2, 2}};
  EXPECT_EQ(scan.GetLevelHistogram(), levels);

  core::FolderStructSize selected(t.Path());
  selected.SetFilePatterns({"*.txt", "*.*"});
  selected.ScanSelectedFilesTree();
  EXPECT_EQ(selected.GetSelectedFileCount(), 2u);

  core::LevelCopy builder({t.Path()});
  builder.SetBelow(0);
  builder.SetAddMode(core::LevelCopy::AddAllInThePath);
  builder.Run();
  std::deque<std::string> expected{t.Path() + "\\a", t.Path() + "\\a\\b"};
  EXPECT_EQ(builder.GetResultList(), expected) << "links are neither listed nor entered";

  core::LevelCopy leaves({t.Path()});
  leaves.SetBelow(0);
  leaves.SetAddMode(core::LevelCopy::AddOnlyTheLast);
  leaves.Run();
  EXPECT_EQ(leaves.GetResultList(), std::deque<std::string>{t.Path() + "\\a\\b"});
}

// Rows and totals from real trees are checked through the window that shows them.
TEST(LevelSummary, SizeTextAndNothingWalked) {
  EXPECT_EQ(core::LevelSummarySizeText(1610612736), "1.50 GB  (1610612736 bytes).");
  TempDir t;
  t.AddFolder("a\\c");
  core::FolderStructSize main(t.Path());
  main.SetFilePatterns({"*.*"});
  main.ScanSelectedFilesMainFolder();
  EXPECT_TRUE(core::SummarizeLevels(main, true).rows.empty());
  EXPECT_TRUE(core::SummarizeLevels(core::FolderStructSize(""), false).rows.empty());
}
