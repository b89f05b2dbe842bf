// Speed of the tree engines on a generated tree of 100,000 files: the scanner's
// full and selected-file walks, the level builder, and the list reducer on
// 30,000 entries. Prints items per second for each; removes the tree at the end.
#include "core/examine_subfolders.h"
#include "core/folder_scan.h"
#include "core/level_copy.h"
#include "support/temp_dir.h"
#include "bench/bench_timing.h"

#include <windows.h>

#include <cstdio>
#include <deque>
#include <exception>
#include <functional>
#include <string>

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

  uint32_t scannedFiles = 0;
  double t = bench::Seconds([&] {
    core::FolderStructSize scan(root);
    scan.ScanAll();
    scannedFiles = scan.GetFileCount();
    std::printf("  ScanAll: %u folders, %u files, %llu bytes\n", scan.GetFolderCount(),
                scan.GetFileCount(), static_cast<unsigned long long>(scan.GetTotalBytes()));
  });
  bench::Report("FolderStructSize::ScanAll (files)", scannedFiles, t);

  uint32_t selectedFiles = 0;
  t = bench::Seconds([&] {
    core::FolderStructSize scan(root);
    scan.SetFilePatterns({"*.txt", "file1*"});
    scan.ScanSelectedFilesTree();
    selectedFiles = scan.GetSelectedFileCount();
  });
  bench::Report("ScanSelectedFilesTree *.txt file1* (files)", files, t);
  std::printf("  %u files selected\n", selectedFiles);

  t = bench::Seconds([&] {
    core::FolderStructSize scan(root);
    scan.SetFilePatterns({"*.*"});
    scan.ScanSelectedFilesTree();
  });
  bench::Report("ScanSelectedFilesTree *.* (files)", files, t);

  size_t listed = 0;
  t = bench::Seconds([&] {
    core::LevelCopy builder({root});
    builder.SetBelow(0);
    builder.SetAddMode(core::LevelCopy::AddAllInThePath);
    builder.Run();
    listed = builder.GetResultList().size();
  });
  bench::Report("LevelCopy Below 0, All in the Path (folders)", folders, t);
  std::printf("  %zu folders listed\n", listed);

  t = bench::Seconds([&] {
    core::LevelCopy builder({root});
    builder.SetBelow(0);
    builder.SetAddMode(core::LevelCopy::AddOnlyTheLast);
    builder.Run();
    listed = builder.GetResultList().size();
  });
  bench::Report("LevelCopy Below 0, Only the Last (folders)", folders, t);
  std::printf("  %zu folders listed\n", listed);

  t = bench::Seconds([&] {
    core::LevelCopy builder({root});
    builder.SetFromTo(1, 2);
    builder.SetAddMode(core::LevelCopy::AddAllInThePath);
    builder.Run();
    listed = builder.GetResultList().size();
  });
  bench::Report("LevelCopy From 1 To 2 (folders returned)", double(listed), t);

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
  t = bench::Seconds([&] {
    core::ExamineSubFolders reducer(entries);
    reducer.KeepTopFolders();
    kept = reducer.GetResult().size();
  });
  bench::Report("ExamineSubFolders::KeepTopFolders (entries)", entries.size(), t);
  std::printf("  %zu top folders kept\n", kept);
  t = bench::Seconds([&] {
    core::ExamineSubFolders reducer(entries);
    reducer.SortUnique();
    kept = reducer.GetResult().size();
  });
  bench::Report("ExamineSubFolders::SortUnique (entries)", entries.size(), t);

  t = bench::Seconds([&] { testsupport::RemoveTree(root); });
  bench::Report("tree removed (files)", files, t);
  return 0;
} catch (const std::exception& e) {
  std::printf("%s\n", e.what());
  return 1;
}
