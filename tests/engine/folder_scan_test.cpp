#include "core/folder_scan.h"
#include "core/level_copy.h"
#include "core/level_summary.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>

namespace {

typedef char*(CDECL* UnixFileNameFn)(LPCWSTR);

// The Linux path of a Windows path under Wine; empty elsewhere.
std::string UnixPathOf(const std::string& path) {
  auto unixName = reinterpret_cast<UnixFileNameFn>(
      GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name"));
  if (!unixName) return std::string();
  wchar_t wide[MAX_PATH];
  if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return std::string();
  char* name = unixName(wide);
  if (!name) return std::string();
  std::string result = name;
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

// Starts a Linux program (Wine runs Unix binaries given by absolute path). The
// process handle cannot be waited on, so callers poll for the effect.
bool RunUnix(const std::string& commandLine) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return true;
}

bool WaitFor(bool exists, const std::string& path) {
  for (int i = 0; i < 200; ++i) {
    if ((GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) == exists) return true;
    Sleep(50);
  }
  return false;
}

// Removes a tree without entering links (removing through a link would empty
// its target).
void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
          !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        RemoveTree(path);
      else if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        DeleteFileA(path.c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

class TempTree {
public:
  TempTree() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int serial = 0;
    root_ = std::string(temp) + "scan_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(GetTickCount()) + "_" + std::to_string(++serial);
    CreateDirectoryA(root_.c_str(), nullptr);
  }
  ~TempTree() {
    // Links cannot be removed from the Windows side under Wine; rm -r does not
    // follow them.
    if (unixRoot_.find("/scan_") != std::string::npos && RunUnix("/bin/rm -rf " + unixRoot_))
      WaitFor(false, root_);
    RemoveTree(root_);
  }
  const std::string& root() const { return root_; }
  std::string Folder(const std::string& relative) const {
    std::string path = root_ + "\\" + relative;
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
  }
  std::string File(const std::string& relative, size_t bytes) const {
    std::string path = root_ + "\\" + relative;
    std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
    return path;
  }
  // A symbolic link made on the Linux side; false when that is not possible.
  bool Link(const std::string& relativeLink, const std::string& target) {
    unixRoot_ = UnixPathOf(root_);
    std::string unixTarget = UnixPathOf(target);
    if (unixRoot_.empty() || unixTarget.empty()) return false;
    std::string link = unixRoot_ + "/" + relativeLink;
    for (char& c : link)
      if (c == '\\') c = '/';
    return RunUnix("/bin/ln -s " + unixTarget + " " + link) &&
           WaitFor(true, root_ + "\\" + relativeLink);
  }

private:
  std::string root_;
  std::string unixRoot_;
};

uint32_t LevelOf(const std::string& path) {
  uint32_t n = 0;
  for (char c : path) n += (c == '\\' || c == '/');
  return n;
}

std::string CurrentDirectory() {
  char buffer[MAX_PATH + 1];
  DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
  return std::string(buffer, n);
}

} // namespace

TEST(FolderScan, CountsFoldersFilesAndBytesOfTheWholeTree) {
  TempTree t;
  t.File("ten.txt", 10);
  t.File("twenty.bin", 20);
  t.Folder("empty");
  const uint32_t L = LevelOf(t.root());
  const std::string before = CurrentDirectory();

  core::FolderStructSize scan(t.root());
  scan.ScanAll();
  EXPECT_EQ(scan.GetTotalBytes(), 30u);
  EXPECT_EQ(scan.GetFileCount(), 2u);
  EXPECT_EQ(scan.GetFolderCount(), 1u);
  core::LevelHistogram expected{{L, 1}, {L + 1, 1}};
  EXPECT_EQ(scan.GetLevelHistogram(), expected);
  core::FileSizeMap files{{t.root() + "\\ten.txt", 10}, {t.root() + "\\twenty.bin", 20}};
  EXPECT_EQ(scan.GetFileMap(), files);
  EXPECT_EQ(CurrentDirectory(), before) << "the walk leaves the current directory alone";

  core::FolderStructSize counted(t.root());
  counted.SetCountRootFolder(true);
  counted.ScanAll();
  EXPECT_EQ(counted.GetFolderCount(), 2u);

  // Deeper tree, root given with forward slashes: the same paths with backslashes.
  t.Folder("empty\\x");
  t.Folder("empty\\y");
  t.Folder("empty\\y\\z");
  t.File("empty\\y\\z\\deep.dat", 7);
  std::string forward = t.root();
  for (char& c : forward)
    if (c == '\\') c = '/';
  core::FolderStructSize deep(forward);
  deep.ScanAll();
  EXPECT_EQ(deep.GetRoot(), t.root());
  EXPECT_EQ(deep.GetFolderCount(), 4u);
  EXPECT_EQ(deep.GetFileCount(), 3u);
  EXPECT_EQ(deep.GetTotalBytes(), 37u);
  core::LevelHistogram deepLevels{{L, 1}, {L + 1, 1}, {L + 2, 2}, {L + 3, 1}};
  EXPECT_EQ(deep.GetLevelHistogram(), deepLevels);
  EXPECT_EQ(deep.GetFileMap().count(t.root() + "\\empty\\y\\z\\deep.dat"), 1u);
}

TEST(FolderScan, MissingOrEmptyRootMeasuresNothing) {
  TempTree t;
  core::FolderStructSize missing(t.root() + "\\absent");
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
  TempTree t;
  const std::string path = t.root() + "\\big.iso";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const uint64_t size = 5ull * 1024 * 1024 * 1024 + 7; // high part 1
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(size);
  bool made = SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  if (!made) GTEST_SKIP() << "no room for a sparse 5 GB file here";
  t.File("small", 3);

  core::FolderStructSize scan(t.root());
  scan.SetFilePatterns({"*.iso"});
  scan.ScanAll();
  scan.ScanSelectedFilesTree();
  EXPECT_EQ(scan.GetTotalBytes(), size + 3);
  EXPECT_EQ(scan.GetFileMap()[path], size);
  EXPECT_EQ(scan.GetSelectedBytes(), size);
}

TEST(FolderScan, SelectedFilesAreCountedOnceWhateverMatchesThem) {
  TempTree t;
  t.File("a.doc", 100);     // matches both patterns
  t.File("b.doc", 20);
  t.File("abc.txt", 3);
  t.File("c.txt", 4);
  t.Folder("a.dir");        // a folder matching a* is not a file
  t.File("a.dir\\a.doc", 5);
  t.Folder("sub");
  t.Folder("sub\\inner");
  t.File("sub\\inner\\x.doc", 6);
  const uint32_t L = LevelOf(t.root());
  // Patterns that would search elsewhere are ignored, as are empty ones and repeats.
  const std::deque<std::string> patterns{"*.doc", "a*", "..\\*.*", "c:*", "sub/*.doc", "", "*.DOC"};

  core::FolderStructSize tree(t.root());
  tree.SetFilePatterns(patterns);
  tree.ScanSelectedFilesTree();
  EXPECT_EQ(tree.GetSelectedFileCount(), 5u);
  EXPECT_EQ(tree.GetSelectedBytes(), 100u + 20 + 3 + 5 + 6);
  core::FileSizeMap expected{{t.root() + "\\a.doc", 100},         {t.root() + "\\b.doc", 20},
                             {t.root() + "\\abc.txt", 3},         {t.root() + "\\a.dir\\a.doc", 5},
                             {t.root() + "\\sub\\inner\\x.doc", 6}};
  EXPECT_EQ(tree.GetSelectedFileMap(), expected);
  EXPECT_EQ(tree.GetFolderCount(), 3u) << "each subfolder once, however many patterns";
  core::LevelHistogram levels{{L, 1}, {L + 1, 2}, {L + 2, 1}};
  EXPECT_EQ(tree.GetLevelHistogram(), levels);
  EXPECT_EQ(tree.GetFileCount(), 0u) << "the selected walk does not count all files";

  core::FolderStructSize main(t.root());
  main.SetFilePatterns(patterns);
  main.SetCountRootFolder(true);
  main.ScanSelectedFilesMainFolder();
  EXPECT_EQ(main.GetSelectedFileCount(), 3u);
  EXPECT_EQ(main.GetSelectedBytes(), 123u);
  EXPECT_EQ(main.GetFolderCount(), 1u);
  EXPECT_TRUE(main.GetLevelHistogram().empty());

  // "*.*" takes every file, also one without a full stop; "*" the same.
  t.File("README", 9);
  for (const char* all : {"*.*", "*"}) {
    core::FolderStructSize every(t.root());
    every.SetFilePatterns({all, "*.txt"});
    every.ScanSelectedFilesTree();
    EXPECT_EQ(every.GetSelectedFileCount(), 7u) << all;
    EXPECT_EQ(every.GetSelectedBytes(), 100u + 20 + 3 + 4 + 5 + 6 + 9) << all;
    EXPECT_EQ(every.GetSelectedFileMap().count(t.root() + "\\README"), 1u) << all;
  }

  // No usable pattern: nothing is walked.
  core::FolderStructSize none(t.root());
  none.SetFilePatterns({"c:\\*.*"});
  none.ScanSelectedFilesTree();
  EXPECT_EQ(none.GetSelectedFileCount(), 0u);
}

TEST(FolderScan, WalksNeverEnterSymbolicLinks) {
  TempTree t;
  t.Folder("a");
  t.Folder("a\\b");
  t.File("a\\one.txt", 11);
  t.File("a\\b\\two.txt", 22);
  // A link back to the root: followed, it would loop until the path limit.
  if (!t.Link("a\\loop", t.root())) GTEST_SKIP() << "cannot make a Linux symbolic link here";
  DWORD attributes = GetFileAttributesA((t.root() + "\\a\\loop").c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT) << "Wine shows the link as a reparse point";
  const uint32_t L = LevelOf(t.root());

  core::FolderStructSize scan(t.root());
  scan.SetFilePatterns({"*.txt"});
  scan.ScanAll();
  EXPECT_EQ(scan.GetFileCount(), 2u);
  EXPECT_EQ(scan.GetTotalBytes(), 33u);
  EXPECT_EQ(scan.GetFolderCount(), 3u) << "a, a\\b and the link itself";
  core::LevelHistogram levels{{L, 1}, {L + 1, 1}, {L + 2, 2}};
  EXPECT_EQ(scan.GetLevelHistogram(), levels);

  core::FolderStructSize selected(t.root());
  selected.SetFilePatterns({"*.txt", "*.*"});
  selected.ScanSelectedFilesTree();
  EXPECT_EQ(selected.GetSelectedFileCount(), 2u);

  core::LevelCopy builder({t.root()});
  builder.SetBelow(0);
  builder.SetAddMode(core::LevelCopy::AddAllInThePath);
  builder.Run();
  std::deque<std::string> expected{t.root() + "\\a", t.root() + "\\a\\b"};
  EXPECT_EQ(builder.GetResultList(), expected) << "links are neither listed nor entered";

  core::LevelCopy leaves({t.root()});
  leaves.SetBelow(0);
  leaves.SetAddMode(core::LevelCopy::AddOnlyTheLast);
  leaves.Run();
  EXPECT_EQ(leaves.GetResultList(), std::deque<std::string>{t.root() + "\\a\\b"});
}

TEST(LevelSummary, RowsCountsAndSizeTextFromAScan) {
  EXPECT_EQ(core::LevelSummarySizeText(1610612736), "1.50 GB  (1610612736 bytes).");
  EXPECT_EQ(core::LevelSummarySizeText(0), "0.00 Bytes  (0 bytes).");

  TempTree t;
  t.Folder("a");
  t.Folder("b");
  t.Folder("a\\c");
  t.File("a\\c\\f.txt", 2048);
  const uint32_t L = LevelOf(t.root());

  core::FolderStructSize scan(t.root());
  scan.ScanAll();
  core::LevelSummary all = core::SummarizeLevels(scan, false);
  EXPECT_EQ(all.root, t.root());
  ASSERT_EQ(all.rows.size(), 2u);
  EXPECT_EQ(all.rows[0].level, std::to_string(L)); // direct subfolders: their level minus 1
  EXPECT_EQ(all.rows[0].count, "2");
  EXPECT_EQ(all.rows[1].level, std::to_string(L + 1));
  EXPECT_EQ(all.rows[1].count, "1");
  EXPECT_EQ(all.folderCount, "3");
  EXPECT_EQ(all.fileCount, "1");
  EXPECT_EQ(all.sizeText, "2.00 KB  (2048 bytes).");

  // A full scan shown with its selected-file totals shows none.
  core::LevelSummary selected = core::SummarizeLevels(scan, true);
  EXPECT_EQ(selected.fileCount, "0");
  EXPECT_EQ(selected.sizeText, "0.00 Bytes  (0 bytes).");

  // No subfolders, or nothing walked at all: no rows.
  core::FolderStructSize leaf(t.root() + "\\b");
  leaf.SetCountRootFolder(true);
  leaf.ScanAll();
  core::LevelSummary leafSummary = core::SummarizeLevels(leaf, false);
  EXPECT_TRUE(leafSummary.rows.empty());
  EXPECT_EQ(leafSummary.folderCount, "1");
  core::FolderStructSize main(t.root());
  main.SetFilePatterns({"*.*"});
  main.ScanSelectedFilesMainFolder();
  EXPECT_TRUE(core::SummarizeLevels(main, true).rows.empty());
  EXPECT_TRUE(core::SummarizeLevels(core::FolderStructSize(""), false).rows.empty());
}
