// Speed of the tree engines on a tree of 100,000 files (scanner, level builder)
// against a bare FindFirstFile walk of it, and of the list reducer on 30,000
// entries against a bare sort of them.
#include "bench/bench_timing.h"
#include "core/examine_subfolders.h"
#include "core/folder_scan.h"
#include "core/level_copy.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {
// Every entry of every folder, nothing kept but a count of files.
unsigned BareWalk(const std::string& folder) {
  unsigned n = 0;
  bench::ListFolder(folder, [&](const char* name, DWORD attributes) {
    n += (attributes & FILE_ATTRIBUTE_DIRECTORY) ? BareWalk(folder + "\\" + name) : 1;
  });
  return n;
}

// Folders of `depth` more levels of 10 below folder; 100 files in each deepest.
void MakeTree(const std::string& folder, int depth) {
  testsupport::MakeFolders(folder);
  for (int i = 0; i < (depth ? 10 : 100); ++i)
    if (depth) MakeTree(folder + "\\d" + std::to_string(i), depth - 1);
    else testsupport::WriteFile(folder + "\\file" + std::to_string(i) + ".txt", std::string(i % 64, '\0'));
}
} // namespace

int main() {
  testsupport::TempDir tree;
  const std::string root = tree / "t";
  MakeTree(root, 3);  // 1,111 folders, 100,000 files
  unsigned files = 0;
  const double walk = bench::Seconds([&] { files = BareWalk(root); });
  core::FolderStructSize scan(root);
  double t = bench::Seconds([&] { scan.ScanAll(); });
  bench::ReportAgainst("FolderStructSize::ScanAll (files)", scan.GetFileCount(), t, walk, "walk");
  core::LevelCopy levels({root});
  levels.SetBelow(0);
  levels.SetAddMode(core::LevelCopy::AddAllInThePath);
  t = bench::Seconds([&] { levels.Run(); });
  bench::ReportAgainst("LevelCopy Below 0 (folders)", 1111, t, walk, "walk");

  // 300 tops, each with 99 entries inside it at levels 2 to 4.
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
    files += std::unique(copy.begin(), copy.end()) - copy.begin();
  });
  core::ExamineSubFolders tops(entries);
  t = bench::Seconds([&] { tops.KeepTopFolders(); });
  bench::ReportAgainst("ExamineSubFolders::KeepTopFolders (entries)", entries.size(), t, sorted, "sort");
  return files && levels.GetResultList().size() && tops.GetResult().size() == 300 ? 0 : 1;
}
