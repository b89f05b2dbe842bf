#include "core/textutil.h"

#include "support/free_space_script.h"
#include "support/temp_dir.h"
#include "support/wine_unix.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

using testsupport::CurrentDirectory;

TEST(TextUtil, TextRules) {
  using Conversion = std::string (*)(const std::string&);
  using Examples = std::vector<std::pair<std::string, std::string>>;  // in -> out
  const struct { const char* what; Conversion convert; Examples examples; } rules[] = {
      {"trim", [](const std::string& s) { return core::TrimSpaces(s); },
       {{"  ab  ", "ab"}, {"   ", ""}, {"", ""}, {"\tab ", "\tab"}, {" a b ", "a b"}}},
      {"lower", [](const std::string& s) { return core::LowerCaseCopy(s); }, {{"C:\\My DATA", "c:\\my data"}}},
      {"level, one per separator of either kind, and the path with backslashes",
       [](const std::string& s) {
         std::string path = s;
         const unsigned level = core::PathLevel(path);
         return std::to_string(level) + " " + path;
       },
       {{"c:/a/b\\c", "3 c:\\a\\b\\c"}, {"c:\\", "1 c:\\"}, {"abc", "0 abc"}}},
      {"forward", [](const std::string& s) { return core::ForwardToBackslashes(s); }, {{"c:/a/b\\c", "c:\\a\\b\\c"}}},
      {"backslashes", [](const std::string& s) { return core::CollapseDoubleBackslashes(s); },
       {{"c:\\\\\\\\a", "c:\\a"}, {"\\\\a\\\\b\\", "\\a\\b\\"}}},
      {"colons", [](const std::string& s) { return core::CollapseDoubleColons(s); },
       {{"c:::\\a", "c:\\a"}, {"a::b::::c", "a:b:c"}}},
      {"drive", [](const std::string& s) { return core::ExtractFileDrive(s); },
       {{"c:\\a", "c:"}, {"c:", "c:"}, {"\\\\server\\share\\a\\b", "\\\\server\\share"},
        {"\\\\server\\share", "\\\\server\\share"}, {"\\a\\b", ""}, {"relative\\b", ""}}},
      {"has drive", [](const std::string& s) { return std::string(core::HasDrivePart(s) ? "yes" : "no"); },
       {{"c:\\a", "yes"}, {"  D:", "yes"}, {"\\\\server\\share\\x", "yes"}, {"\\\\server", "no"},
        {"\\\\server\\\\x", "no"}, {"1:\\a", "no"}, {"folder\\a", "no"}, {"", "no"}}},
      {"parent and last",
       [](const std::string& s) {
         std::string last = "stale";
         const std::string parent = core::SplitParentAndLastName(s, last);
         return parent + "|" + last;
       },
       {{"c:/data/ my folder ", "c:\\data\\|my folder"}, {" c:\\", "c:\\|"}, {" plain ", " plain |"}}},
      {"number, no fraction", [](const std::string& s) { return core::NumberToStdString(std::stod(s)); },
       {{"1000000", "1000000"}, {"0", "0"}, {"-42", "-42"}, {"12.9", "12"}, {"-0.4", "0"},
        {"18446744073709551615", "18446744073709551616"}}},
      {"bytes", [](const std::string& s) { return core::FormatByteSize(std::stoull(s)); },
       {{"512", "512.00 Bytes"}, {"1024", "1024.00 Bytes"}, {"1048576", "1024.00 KB"}, {"1572864", "1.50 MB"},
        {"1073741824", "1024.00 MB"}, {"1610612736", "1.50 GB"}, {"5497558138880", "5120.00 GB"},
        {"18446744073709551615", "17179869184.00 GB"}}},
      {"odd", [](const std::string& s) { return std::string(core::IsOdd(std::stoi(s)) ? "odd" : "even"); },
       {{"3", "odd"}, {"-3", "odd"}, {"0", "even"}, {"-4", "even"}}},
      {"drive and rest",
       [](const std::string& s) {
         std::string drive = "stale", rest;
         const bool found = core::SplitDriveAndRest(s, drive, rest);
         return std::to_string(found) + drive + "|" + rest;
       },
       {{"c:\\a:b", "1c:|\\a:b"}, {"\\a\\b", "0|\\a\\b"}}},
      {"padded, number and width", [](const std::string& s) {
         const size_t blank = s.find(' ');
         return core::PadNumberWithZeros(std::stoll(s.substr(0, blank)), std::stoi(s.substr(blank)));
       },
       {{"7 3", "007"}, {"1234567 7", "1234567"}, {"12 1", "12"}, {"12 -5", "12"}, {"0 4", "0000"}}},
      {"drive type", [](const std::string& s) {
         std::string name = "stale";
         return std::to_string(core::GetDriveTypeName(s, name)) + name;
       },
       {{"C:\\Windows", "1Fixed drive"}, {"c", "1Fixed drive"}, {"", "0"}, {"\\\\server\\share\\a", "0"}}},
  };
  for (const auto& rule : rules)
    for (const auto& [in, out] : rule.examples) EXPECT_EQ(rule.convert(in), out) << rule.what << ": " << in;
}

// A name from the system is spelt so that it can never be taken for another:
// each letter the code page cannot spell is one "?", never a look-alike.
TEST(TextUtil, NamesAreSpeltWithoutLookAlikes) {
  struct Case {
    std::wstring name;
    std::string shown;
  };
  const Case cases[] = {
      {L"plain name.txt", "plain name.txt"},
      {L"greek-\x03B1\x03B2" L"001", "greek-??001"},                 // not "greek-a\xDF" "001"
      {L"\x03B1.txt", "?.txt"},                                      // not "a.txt"
      {L"notes.\xFF54\xFF58\xFF54", "notes.???"},                   // full-width letters, not "notes.txt"
      {L"caf\x00E9", "caf\xE9"},                                     // a letter the code page has
      {L"cafe\x0301", "cafe?"},                                      // a combining accent it has not
      {L"\xD83D\xDE00" L"x", "?x"},                                  // one letter of two units
      {L"\x65E5\x672C.txt", "??.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(core::SpelledName(c.name), c.shown);
}

TEST(TextUtil, CountsAndSplits) {
  core::PositionList positions;
  EXPECT_EQ(core::CountSubstring("aaaa", "aa", positions), 3u); // overlapping matches
  EXPECT_EQ(positions, core::PositionList({0, 1, 2}));
  positions.clear();
  EXPECT_EQ(core::CountSubstring("a\"b\"c", "\"", positions), 2u);
  EXPECT_EQ(positions, core::PositionList({1, 3}));
  positions.assign({7});
  EXPECT_EQ(core::CountSubstring("abc", "", positions), 0u);
  EXPECT_EQ(core::CountSubstring("", "", positions), 0u);
  EXPECT_EQ(positions, core::PositionList({7})) << "an empty part adds no position";
  EXPECT_EQ(core::CountSubstring("ab", "abc", positions), 0u);

}

TEST(TextUtil, FolderTestsKeepTheCurrentDirectory) {
  testsupport::TempDir tree;
  const std::string folder = tree.AddFolder("Alpha");
  const std::string file = tree.AddFile("Alpha\\note.txt", "data");
  const std::string before = CurrentDirectory();

  for (const std::string& other : {file, tree / "Missing", std::string()}) EXPECT_FALSE(core::IsFolderByCurrentDirectory(other));
  EXPECT_TRUE(core::IsFolderByCurrentDirectory(folder));

  // An existing folder is kept whole (forward slashes replaced in the given text); anything
  // else is split at the last backslash.
  std::string forward = folder;
  std::replace(forward.begin(), forward.end(), '\\', '/');
  const struct { std::string path, name, parent; } rows[] = {{forward, "", folder}, {file, "note.txt", folder}, {"loose", "loose", ""}};
  for (auto row : rows) {
    std::string name, parent;
    EXPECT_TRUE(core::SplitFolderAndName(row.path, name, parent));
    EXPECT_EQ(row.path + "|" + name + "|" + parent, (row.path == forward ? folder : row.path) + "|" + row.name + "|" + row.parent);
  }
  EXPECT_EQ(CurrentDirectory(), before);

  uint32_t length = 0;
  std::string current;
  EXPECT_TRUE(core::GetCurrentDirectoryString(length, current));
  EXPECT_EQ(current, before);
  EXPECT_EQ(length, before.size());
}

TEST(TextUtil, CountsSubfolders) {
  testsupport::TempDir tree;
  const std::string filesOnly = tree.AddFolder("FilesOnly");
  tree.AddFile("FilesOnly\\a.txt", "data");
  tree.AddFile("FilesOnly\\b.txt", "data");
  const std::string one = tree.AddFolder("One");
  tree.AddFolder("One\\Sub");
  tree.AddFile("One\\c.txt", "data");
  const std::string two = tree.AddFolder("Two");
  tree.AddFolder("Two\\S1");
  tree.AddFolder("Two\\S2");
  tree.AddFolder("Two\\S2\\Deeper"); // only direct subfolders count
  const std::string before = CurrentDirectory();

  const struct { int most; std::string folder; bool holds; } rows[] = {{0, filesOnly, true},          {0, one, false}, {1, one, true},        {1, one + "\\", true},
              {1, two, false},               {2, two, true},  {0, tree / "Missing", true},
              {0, filesOnly + "\\a.txt", true}, {0, "", true}};
  for (const auto& r : rows) EXPECT_EQ(core::HasAtMostSubFolders(r.most, r.folder), r.holds) << r.most << r.folder;
  EXPECT_EQ(CurrentDirectory(), before);
}

TEST(TextUtil, NumberTexts) {
  EXPECT_EQ(core::UInt64ToStdString(18446744073709551615ull), "18446744073709551615");
  double quotient = -1;
  std::string unit;
  for (const auto& [bytes, text] : {std::pair{0ull, "0.00 Bytes| Bytes"}, {3221225472ull, "3.00 GB| GB"}, {1025ull, "1.00 KB| KB"}})
    EXPECT_EQ(core::FormatByteSize(bytes, quotient, unit) + "|" + unit, text);
  EXPECT_DOUBLE_EQ(quotient, 1025.0 / 1024.0);
}

TEST(TextUtil, MissingDriveHasNoType) {
  std::string name;  // a letter that names no drive of this machine
  const DWORD drives = GetLogicalDrives();
  for (char letter = 'Z'; letter >= 'D'; --letter) {
    if (drives & (1u << (letter - 'A'))) continue;
    name = "stale";
    EXPECT_FALSE(core::GetDriveTypeName(std::string(1, letter) + ":\\data", name)) << letter;
    EXPECT_EQ(name, "");
    break;
  }
}

TEST(TextUtil, FreeSpaceAsksTheDriveRoot) {
  std::string root;
  {
    testsupport::ScriptFreeSpace seam;
    const core::DiskSpace space{true, 123456789012ull, 0, 0};
    seam.Set("d:\\", space);
    seam.Set("\\\\server\\share\\", space);
    EXPECT_EQ(core::GetFreeSpaceText("d:\\Data\\Sub", root), 123456789012ull);
    EXPECT_EQ(root, "d:\\");
    EXPECT_EQ(core::GetFreeSpaceText("\\\\server\\share\\dir", root), 123456789012ull);
    EXPECT_EQ(root, "\\\\server\\share\\");
    EXPECT_EQ(seam.askedRoots, (std::vector<std::string>{"d:\\", "\\\\server\\share\\"}));

    // A failed query is "unknown": 0, and the DiskSpace form tells.
    seam.Set("e:\\", core::DiskSpace());
    EXPECT_EQ(core::GetFreeSpaceText("e:\\x", root), 0u);
    EXPECT_FALSE(core::QueryDriveFreeSpace("e:\\x", root).known);
    EXPECT_EQ(root, "e:\\");

    // No drive part: nothing to ask.
    seam.askedRoots.clear();
    EXPECT_EQ(core::GetFreeSpaceText("folder\\x", root), 0u);
    EXPECT_EQ(root, "");
    EXPECT_TRUE(seam.askedRoots.empty());
  }

  // The real query on the system drive.
  core::DiskSpace real = core::QueryDriveFreeSpace("C:\\Windows", root);
  EXPECT_EQ(root, "C:\\");
  EXPECT_TRUE(real.known);
}

TEST(TextUtil, MakesFolderLevels) {
  testsupport::TempDir t;
  std::vector<std::string> created;
  EXPECT_EQ(core::MakeFolderLevels(t / "a\\b\\c\\", &created), core::MakeFolderResult::Created);
  EXPECT_EQ(created, std::vector<std::string>({t / "a", t / "a\\b", t / "a\\b\\c"}));
  EXPECT_EQ(core::MakeFolderLevels(t / "a\\b\\c"), core::MakeFolderResult::Exists);
  EXPECT_EQ(core::MakeFolderLevels(t / "a\\\\b\\d"), core::MakeFolderResult::Created);
  EXPECT_TRUE(testsupport::FolderExists(t / "a\\b\\d"));
  testsupport::WriteFile(t / "file", "x");
  EXPECT_EQ(core::MakeFolderLevels("C:\\"), core::MakeFolderResult::Exists);
  const std::string before = testsupport::ListTree(t.Path());

  // Each fails and leaves the disk as it was (no device, changed or climbing name; parents of a failed level removed).
  const std::string rows[] = {
      t / "file", t / "file\\below", "relative\\x", "\\rooted", "c:ab", "",
      t / "x\\nul", t / "x\\NUL.txt", t / "x\\com1", t / "x\\conout$",
      t / "x\\trail.", t / "x\\trail2...", t / "x\\mid.\\y", t / "x\\midb \\y",
      t / "x\\dd\\..\\..\\up", t / "x\\.\\y", t / "x\\a\tb", t / "x\\a\x01" "b",
      t / "x\\a:b", t / "n1\\n2\\bad*name", t / std::string("x\\abc\0tail", 10), t / "n1\\n2\\" + std::string(300, 'L'),
      // 260 bytes on the Linux side: only the last level fails, after its parents were made.
      t / "n1\\n2\\" + std::string(130, '\xE9'),
  };
  // The same with each folder's stamp read through the handle that makes it.
  std::vector<core::ItemStamp> stamps;
  for (bool stamped : {false, true})
    for (const std::string& path : rows) {
      created.clear();
      stamps.clear();
      EXPECT_EQ(core::MakeFolderLevels(path, &created, stamped ? &stamps : nullptr), core::MakeFolderResult::Failed)
          << path;
      EXPECT_TRUE(created.empty() && stamps.empty()) << path;
      EXPECT_EQ(testsupport::ListTree(t.Path()), before) << path;
    }
}

// A folder made with its stamp: the stamp read then is the one the folder
// shows afterwards, until something is made inside it (its parent made on
// the way keeps its index, but its change time moves on).
TEST(TextUtil, MakesFolderLevelsWithTheStampOfEachFolderMade) {
  testsupport::TempDir t;
  std::vector<std::string> created;
  std::vector<core::ItemStamp> stamps;
  ASSERT_EQ(core::MakeFolderLevels(t / "s\\u", &created, &stamps), core::MakeFolderResult::Created);
  ASSERT_EQ(created, std::vector<std::string>({t / "s", t / "s\\u"}));
  ASSERT_EQ(stamps.size(), 2u);
  core::ItemStamp now;
  ASSERT_TRUE(core::StampAt(t / "s\\u", now));
  EXPECT_TRUE(stamps[1].known);
  EXPECT_EQ(now.indexLow, stamps[1].indexLow);
  EXPECT_EQ(now.indexHigh, stamps[1].indexHigh);
  EXPECT_EQ(now.changed, stamps[1].changed);
  ASSERT_TRUE(core::StampAt(t / "s", now));
  EXPECT_EQ(now.indexLow, stamps[0].indexLow);
  // What CreateDirectoryA answers, the stamped creation answers too.
  core::ItemStamp stamp;
  EXPECT_EQ(core::CreateFolderStamped(t / "s\\u", stamp), DWORD(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(stamp.known);
  EXPECT_EQ(core::CreateFolderStamped(t / "none\\u", stamp), DWORD(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(core::CreateFolderStamped(t / std::string(300, 'L'), stamp), DWORD(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_EQ(testsupport::ListTree(t.Path()), "s\\\ns\\u\\\n");
}

TEST(TextUtil, DeletesOnlyTheContentsOfAnExistingFolder) {
  testsupport::TempDir tree;
  const std::string target = tree.AddFolder("Target");
  tree.AddFile("Target\\a.txt", "data");
  tree.AddFile("Target\\b.dat", "data");
  tree.AddFolder("Target\\Sub");
  tree.AddFile("Target\\Sub\\c.txt", "data");
  tree.AddFolder("Sibling");
  tree.AddFile("Sibling\\keep.txt", "data");

  const std::string left = "Sibling\\\nSibling\\keep.txt\nTarget\\\n";
  EXPECT_TRUE(core::DeleteFolderContents(target));
  EXPECT_EQ(testsupport::ListTree(tree.Path()), left);
  // A trailing backslash is not doubled; an empty folder is cleared too.
  tree.AddFile("Target\\again.txt", "data");
  EXPECT_TRUE(core::DeleteFolderContents(target + "\\"));
  EXPECT_TRUE(core::DeleteFolderContents(target));
  EXPECT_EQ(testsupport::ListTree(tree.Path()), left);
}

TEST(TextUtil, DeleteFolderContentsRefusesWhatIsNotAFolderBelowADrive) {
  testsupport::TempDir tree;
  const std::string work = tree.AddFolder("Work");
  tree.AddFile("Work\\kept.txt", "data");
  tree.AddFile("Work\\Inner\\inner.txt", "data");
  const std::string file = tree.AddFile("plain.txt", "data");
  const std::string all = testsupport::ListTree(tree.Path()), before = CurrentDirectory();
  ASSERT_TRUE(SetCurrentDirectoryA(work.c_str()));

  // Nothing names a folder: the current folder and the drive root stay whole.
  for (const char* text : {"", "   ", ".", "Work"}) EXPECT_FALSE(core::DeleteFolderContents(text)) << text;
  // Drive-relative and drive roots, on a spare letter that names the tree.
  testsupport::MappedDrive drive(tree.Path());
  ASSERT_NE(drive.Letter(), 0);
  ASSERT_TRUE(testsupport::FileExists(drive.Root() + "Work\\kept.txt"));
  ASSERT_TRUE(SetCurrentDirectoryA((drive.Root() + "Work").c_str()));
  const std::string letter = drive.Root().substr(0, 2);
  for (const std::string& text : {letter, letter + "Inner", drive.Root(), drive.Root() + "\\"})
    EXPECT_FALSE(core::DeleteFolderContents(text)) << text;
  ASSERT_TRUE(SetCurrentDirectoryA(work.c_str()));
  // A share root, a file and a missing folder.
  for (const std::string& text : {std::string("\\\\server\\share\\"), file, tree / "Missing"})
    EXPECT_FALSE(core::DeleteFolderContents(text)) << text;

  SetCurrentDirectoryA(before.c_str());
  EXPECT_EQ(testsupport::ListTree(tree.Path()), all);
}
