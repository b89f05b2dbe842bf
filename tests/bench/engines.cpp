// Speed of the tree engines on a generated tree of 100,000 files (the scanner's
// walks, the level builder) against a bare FindFirstFile walk of the same tree,
// and of the list reducer on 30,000 entries against a bare sort of them.
#include "bench/bench_timing.h"
#include "core/examine_subfolders.h"
#include "core/folder_scan.h"
#include "core/level_copy.h"
#include "support/temp_dir.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {
// The bare walk: every entry of every folder, nothing kept but a count.
unsigned BareWalk(const std::string& folder) {
  unsigned n = 0;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    if (std::strcmp(data.cFileName, ".") == 0 || std::strcmp(data.cFileName, "..") == 0) continue;
    n += (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? BareWalk(folder + "\\" + data.cFileName) : 1;
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return n;
}

// Folders of `depth` more levels of 10 below folder; 100 files in each deepest.
void MakeTree(const std::string& folder, int depth) {
  testsupport::MakeFolders(folder);
  for (int i = 0; i < (depth ? 10 : 100); ++i)
    if (depth) MakeTree(folder + "\\d" + std::to_string(i), depth - 1);
    else testsupport::WriteFile(folder + "\\file" + std::to_string(i) + (i % 2 ? ".txt" : ".dat"), std::string(i % 64, '\0'));
}

size_t Levels(const std::string& root, bool onlyLast) {
  core::LevelCopy builder({root});
  builder.SetBelow(0);
  builder.SetAddMode(onlyLast ? core::LevelCopy::AddOnlyTheLast : core::LevelCopy::AddAllInThePath);
  builder.Run();
  return builder.GetResultList().size();
}
} // namespace

int main() {
  testsupport::TempDir tree;
  const std::string root = tree / "t";
  MakeTree(root, 3);  // 1,110 folders, 100,000 files
  unsigned files = 0;
  const double walk = bench::Seconds([&] { files = BareWalk(root); });
  bench::Report("bare FindFirstFile walk (files)", files, walk);
  const double folders = 1111;

  core::FolderStructSize all(root);
  double t = bench::Seconds([&] { all.ScanAll(); });
  bench::ReportAgainst("FolderStructSize::ScanAll (files)", all.GetFileCount(), t, walk, "walk");
  core::FolderStructSize selected(root);
  selected.SetFilePatterns({"*.txt", "file1*"});
  t = bench::Seconds([&] { selected.ScanSelectedFilesTree(); });
  bench::ReportAgainst("ScanSelectedFilesTree *.txt file1* (files)", files, t, walk, "walk");
  size_t listed = 0;
  t = bench::Seconds([&] { listed = Levels(root, false); });
  bench::ReportAgainst("LevelCopy Below 0, All in the Path (folders)", folders, t, walk, "walk");
  t = bench::Seconds([&] { listed += Levels(root, true); });
  bench::ReportAgainst("LevelCopy Below 0, Only the Last (folders)", folders, t, walk, "walk");

  // 30,000 entries: 300 tops, each with 99 entries inside it at levels 2 to 4.
  std::deque<std::string> entries;
  for (int i = 0; i < 300; ++i) {
    entries.push_back("c:\\Top" + std::to_string(i));
    for (int j = 0; j < 99; ++j)
      entries.push_back((j % 2 ? "C:\\top" : "c:\\Top") + std::to_string(i) + "\\s" +
                        std::to_string(j % 33) + (j % 3 ? "\\x" + std::to_string(j) : ""));
  }
  const double sorted = bench::Seconds([&] {
    std::vector<std::string> copy(entries.begin(), entries.end());
    std::sort(copy.begin(), copy.end());
    listed += std::unique(copy.begin(), copy.end()) - copy.begin();
  });
  bench::Report("bare copy, sort and unique (entries)", entries.size(), sorted);
  core::ExamineSubFolders tops(entries), unique(entries);
  t = bench::Seconds([&] { tops.KeepTopFolders(); });
  bench::ReportAgainst("ExamineSubFolders::KeepTopFolders (entries)", entries.size(), t, sorted, "sort");
  t = bench::Seconds([&] { unique.SortUnique(); });
  bench::ReportAgainst("ExamineSubFolders::SortUnique (entries)", entries.size(), t, sorted, "sort");
  return listed && tops.GetResult().size() == 300 ? 0 : 1;
}
