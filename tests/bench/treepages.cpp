// Speed of the subfolder list builder on trees of 100,000 and 200,000 folders
// against a bare FindFirstFile breadth-first walk of the same trees in the same
// process: the source summary (scan, level table and counts) and Build a List
// (Below 0, all subfolders, the include list filled), headless.
#include "bench/bench_timing.h"
#include "app/program.h"
#include "listwin/frmSubFolderListBuilder.h"
#include "support/temp_dir.h"
#include "ui/application.h"
#include "ui/seam.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

namespace {

// Every folder once, level by level, links not entered; returns the folders found.
unsigned BareWalk(const std::string& root) {
  unsigned folders = 0;
  std::deque<std::string> queue{root};
  WIN32_FIND_DATAA data;
  while (!queue.empty()) {
    const std::string folder = std::move(queue.front());
    queue.pop_front();
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) continue;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || std::strcmp(data.cFileName, ".") == 0 ||
          std::strcmp(data.cFileName, "..") == 0)
        continue;
      ++folders;
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) queue.push_back(folder + "\\" + data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  return folders;
}

// 10 x 10 x 10 x 100 folders below folder: 101,110 in all, 100,000 of them leaves.
void MakeTree(const std::string& folder, int depth) {
  CreateDirectoryA(folder.c_str(), nullptr);
  for (int i = 0; i < (depth == 1 ? 100 : 10); ++i) {
    const std::string sub = folder + "\\f" + std::to_string(i);
    if (depth > 1) MakeTree(sub, depth - 1);
    else CreateDirectoryA(sub.c_str(), nullptr);
  }
}

class YesSeam : public ui::Seam {
public:
  int MessageBox(HWND, ui::BoxOwner, const std::string&, const std::string&, unsigned flags) override {
    return (flags & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
  }
};

double Best(int runs, const std::function<void()>& before, const std::function<void()>& work) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    before();
    best = std::min(best, bench::Seconds(work));
  }
  return best;
}

struct Times {
  double walk, summary, build;
  unsigned folders;
  int listed;
};

Times Measure(const std::string& root) {
  TfrmSubFolderListBuilder& w = *frmSubFolderListBuilder;
  Times t{};
  t.walk = Best(2, [] {}, [&] { t.folders = BareWalk(root); });
  t.summary = Best(2, [] {}, [&] { w.ShowSourceFolderSummary(root); });
  w.rdoBelowLevelNumber.SetChecked(true);
  w.edtBelowLevelNumber.SetText("0");
  w.rdoBuildAllSubFolders.SetChecked(true);
  w.edtSubFolderFilter.SetText("");
  w.cboMainSourceFolder.SetText(root);
  t.build = Best(2, [&] { w.lstIncludeFolderList.Clear(); }, [&] { w.btnBuildListClick(); });
  t.listed = w.lstIncludeFolderList.Count();
  return t;
}

} // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  // A smaller tree for a quick look: "bench_treepages 3" makes 10,111 folders a half.
  const int depth = argc > 1 ? std::atoi(argv[1]) : 4;
  testsupport::TempDir dir;
  const std::string whole = dir / "t", half = whole + "\\A";
  CreateDirectoryA(whole.c_str(), nullptr);
  const double made = bench::Seconds([&] {
    MakeTree(half, depth);
    MakeTree(whole + "\\B", depth);
  });
  std::printf("made the two halves in %.1f s\n", made);

  YesSeam seam;
  ui::InstallSeam(&seam);
  SetCurrentDirectoryA(dir.Path().c_str());  // the program's settings file goes there
  ui::App().Initialize();
  CreateProgramWindows();
  BareWalk(whole);  // every folder listed once before any timing

  const Times t1 = Measure(half);
  std::printf("half: walk %.3f s, summary %.3f s, build %.3f s\n", t1.walk, t1.summary, t1.build);
  const Times t2 = Measure(whole);
  bench::ReportAgainst("builder summary, 100,000 folders", t1.folders, t1.summary, t1.walk, "walk", "folders");
  bench::ReportAgainst("builder Build Below 0 all, list filled", t1.listed, t1.build, t1.walk, "walk", "folders");
  bench::ReportAgainst("builder summary, 200,000 folders", t2.folders, t2.summary, t2.walk, "walk", "folders");
  bench::ReportAgainst("builder Build, 200,000 folders", t2.listed, t2.build, t2.walk, "walk", "folders");
  std::printf("summary %.2fx the bare walk (at most 1.5), Build %.2fx (at most 2.5)\n", t1.summary / t1.walk,
              t1.build / t1.walk);
  std::printf("doubling the tree: summary %.2fx, Build %.2fx the time (at most 2.3)\n", t2.summary / t1.summary,
              t2.build / t1.build);
  const bool counts = t1.listed == int(t1.folders) && t2.listed == int(t2.folders);
  if (!counts) std::printf("unexpected counts %u %d %u %d\n", t1.folders, t1.listed, t2.folders, t2.listed);
  ui::App().DestroyForms();
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  SetCurrentDirectoryA(temp);  // so the temporary folder can go
  return counts ? 0 : 1;
}
