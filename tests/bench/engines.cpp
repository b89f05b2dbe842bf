// Speed of the tree engines on a generated tree of 100,000 files: the scanner's
// full and selected-file walks, the level builder, and the list reducer on
// 30,000 entries. Prints items per second for each and its time against a bare
// baseline measured here: a plain FindFirstFile walk of the same tree for the
// walks, a plain sort of the same entries for the list reducer. Removes the
// tree at the end.
#include "core/examine_subfolders.h"
#include "core/folder_scan.h"
#include "core/level_copy.h"
#include "support/temp_dir.h"
#include "bench/bench_timing.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <exception>
#include <functional>
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
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      n += BareWalk(folder + "\\" + data.cFileName);
    else
      ++n;
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return n;
}
} // namespace

int main() try {
  testsupport::TempDir tree;  // removed (and timed) at the end; also on an early failure
  const std::string& root = tree.Path();

  // 10 x 10 x 10 folders, 100 files in each of the 1,000 deepest: 100,000 files.
  const int fan = 10, filesPerFolder = 100;
  unsigned files = 0, folders = 0;
  double made = bench::Seconds([&] {
    for (int a = 0; a < fan; ++a) {
      std::string pa = root + "\\dir" + std::to_string(a);
      testsupport::MakeFolders(pa), ++folders;
      for (int b = 0; b < fan; ++b) {
        std::string pb = pa + "\\sub" + std::to_string(b);
        testsupport::MakeFolders(pb), ++folders;
        for (int c = 0; c < fan; ++c) {
          std::string pc = pb + "\\leaf" + std::to_string(c);
          testsupport::MakeFolders(pc), ++folders;
          for (int f = 0; f < filesPerFolder; ++f, ++files)
            testsupport::WriteFile(pc + "\\file" + std::to_string(f) + (f % 2 ? ".txt" : ".dat"),
                                   std::string(f % 64, '\0'));
        }
      }
    }
  });
  bench::Report("tree generated (files)", files, made);

  unsigned walked = 0;
  const double walk = bench::Seconds([&] { walked = BareWalk(root); });
  bench::Report("bare FindFirstFile walk (files)", walked, walk);

  uint32_t scannedFiles = 0;
  double t = bench::Seconds([&] {
    core::FolderStructSize scan(root);
    scan.ScanAll();
    scannedFiles = scan.GetFileCount();
    std::printf("  ScanAll: %u folders, %u files, %llu bytes\n", scan.GetFolderCount(),
                scan.GetFileCount(), static_cast<unsigned long long>(scan.GetTotalBytes()));
  });
  bench::ReportAgainst("FolderStructSize::ScanAll (files)", scannedFiles, t, walk, "walk");

  uint32_t selectedFiles = 0;
  t = bench::Seconds([&] {
    core::FolderStructSize scan(root);
    scan.SetFilePatterns({"*.txt", "file1*"});
    scan.ScanSelectedFilesTree();
    selectedFiles = scan.GetSelectedFileCount();
  });
  bench::ReportAgainst("ScanSelectedFilesTree *.txt file1* (files)", files, t, walk, "walk");
  std::printf("  %u files selected\n", selectedFiles);

  t = bench::Seconds([&] {
    core::FolderStructSize scan(root);
    scan.SetFilePatterns({"*.*"});
    scan.ScanSelectedFilesTree();
  });
  bench::ReportAgainst("ScanSelectedFilesTree *.* (files)", files, t, walk, "walk");

  size_t listed = 0;
  t = bench::Seconds([&] {
    core::LevelCopy builder({root});
    builder.SetBelow(0);
    builder.SetAddMode(core::LevelCopy::AddAllInThePath);
    builder.Run();
    listed = builder.GetResultList().size();
  });
  bench::ReportAgainst("LevelCopy Below 0, All in the Path (folders)", folders, t, walk, "walk");
  std::printf("  %zu folders listed\n", listed);

  t = bench::Seconds([&] {
    core::LevelCopy builder({root});
    builder.SetBelow(0);
    builder.SetAddMode(core::LevelCopy::AddOnlyTheLast);
    builder.Run();
    listed = builder.GetResultList().size();
  });
  bench::ReportAgainst("LevelCopy Below 0, Only the Last (folders)", folders, t, walk, "walk");
  std::printf("  %zu folders listed\n", listed);

  t = bench::Seconds([&] {
    core::LevelCopy builder({root});
    builder.SetFromTo(1, 2);
    builder.SetAddMode(core::LevelCopy::AddAllInThePath);
    builder.Run();
    listed = builder.GetResultList().size();
  });
  bench::ReportAgainst("LevelCopy From 1 To 2 (folders returned)", double(listed), t, walk,
                       "walk");

  // 30,000 entries: 300 tops, each with 99 entries inside it at levels 2 to 4.
  std::deque<std::string> entries;
  for (int i = 0; i < 300; ++i) {
    std::string top = "c:\\Top" + std::to_string(i);
    entries.push_back(top);
    for (int j = 0; j < 99; ++j)
      entries.push_back((j % 2 ? "C:\\top" : "c:\\Top") + std::to_string(i) + "\\s" +
                        std::to_string(j % 33) + (j % 3 ? "\\x" + std::to_string(j) : ""));
  }
  size_t kept = 0;
  const double sorted = bench::Seconds([&] {
    std::vector<std::string> copy(entries.begin(), entries.end());
    std::sort(copy.begin(), copy.end());
    kept = std::unique(copy.begin(), copy.end()) - copy.begin();
  });
  bench::Report("bare copy, sort and unique (entries)", entries.size(), sorted);
  t = bench::Seconds([&] {
    core::ExamineSubFolders reducer(entries);
    reducer.KeepTopFolders();
    kept = reducer.GetResult().size();
  });
  bench::ReportAgainst("ExamineSubFolders::KeepTopFolders (entries)", entries.size(), t, sorted,
                       "sort");
  std::printf("  %zu top folders kept\n", kept);
  t = bench::Seconds([&] {
    core::ExamineSubFolders reducer(entries);
    reducer.SortUnique();
    kept = reducer.GetResult().size();
  });
  bench::ReportAgainst("ExamineSubFolders::SortUnique (entries)", entries.size(), t, sorted,
                       "sort");

  t = bench::Seconds([&] { testsupport::RemoveTree(root); });
  bench::Report("tree removed (files)", files, t);
  return 0;
} catch (const std::exception& e) {
  std::printf("%s\n", e.what());
  return 1;
}
