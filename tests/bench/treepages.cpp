// Speed of the subfolder list builder on trees of 100,000 and 200,000 folders
// against a bare FindFirstFile breadth-first walk of the same trees in the same
// process: the source summary (scan, level table and counts) and Build a List
// (Below 0, all subfolders, the include list filled), headless. Before them:
// the Rename page's list half on 30,000 entries (">>", "<<", Edit List OK and a
// hand-back). The Rename, Delete and Copy runs as the pages start them are
// bench_treepages_runs's.
#include "bench/bench_timing.h"
#include "app/frmMain.h"
#include "app/program.h"
#include "listwin/frmEditIncludeList.h"
#include "listwin/frmSubFolderListBuilder.h"
#include "listwin/import_handover.h"
#include "support/temp_dir.h"
#include "ui/application.h"
#include "ui/seam.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace {

// Every folder once, level by level, links not entered; returns the folders found.
unsigned BareWalk(const std::string& root) {
  unsigned folders = 0;
  std::deque<std::string> queue{root};
  while (!queue.empty()) {
    const std::string folder = std::move(queue.front());
    queue.pop_front();
    bench::ListFolder(folder, [&](const char* name, DWORD attributes) {
      if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
      ++folders;
      if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) queue.push_back(folder + "\\" + name);
    });
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
  // A modal window met while onModal is set is handled by it (its result returned).
  std::function<int(ui::Form&)> onModal;
  int RunModal(ui::Form& form) override { return onModal ? onModal(form) : ui::Seam::RunModal(form); }
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

// The Rename page's list half on entries full paths (the page's rule asks no
// folder to exist): ">>" and "<<" of all of them, Edit List OK with as many
// lines, and a hand-back by the road the list windows use; each with the page's
// refresh that ends it.
struct ListTimes {
  double allToExclude, allToInclude, editFill, editWhole, handBack;
  int counts[4];
};

ListTimes MeasureRenameLists(YesSeam& seam, const std::string& root, int entries) {
  RenamePage& page = frmMain->Vol06;
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersRename01);
  std::vector<std::string> folders;
  for (int i = 0; i < entries; ++i) folders.push_back(root + "\\r\\folder " + std::to_string(100000 + i));
  ListTimes t{};
  page.lstVol06IncludeFolderList.AddStrings(folders);
  page.Lists.Refresh();
  t.allToExclude = bench::Seconds([&] { page.Lists.Move(true, false); });
  t.counts[0] = page.lstVol06ExcludeFolderList.Count();
  t.allToInclude = bench::Seconds([&] { page.Lists.Move(false, false); });
  t.counts[1] = page.lstVol06IncludeFolderList.Count();

  page.Lists.Clear();
  page.Lists.Refresh();
  seam.onModal = [&](ui::Form& form) {
    TfrmEditIncludeList& editor = static_cast<TfrmEditIncludeList&>(form);
    t.editFill = bench::Seconds([&] { editor.mmoEditIncludeList.SetLines(folders); });
    editor.btnEditOkClick();
    return IDOK;
  };
  t.editWhole = bench::Seconds([&] { page.Lists.EditList(); });
  seam.onModal = nullptr;
  t.counts[2] = page.lstVol06IncludeFolderList.Count();

  page.Lists.Clear();
  page.Lists.Refresh();
  t.handBack = bench::Seconds([&] {
    HandBackToPage(page.Lists.Page(), true, folders, "", ListRoad::HandBack);
    page.Lists.Refresh();
  });
  t.counts[3] = page.lstVol06IncludeFolderList.Count();
  page.Lists.Clear();
  page.Lists.Refresh();
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

  const int entries = 30000;
  const ListTimes l = MeasureRenameLists(seam, dir.Path(), entries);
  bench::Report("rename page \">>\", 30,000 entries", entries, l.allToExclude, "entries");
  bench::Report("rename page \"<<\", 30,000 entries", entries, l.allToInclude, "entries");
  // OK with the page's refresh after it: Edit List less the typing of the lines.
  bench::Report("rename page Edit List OK, 30,000 lines", entries, l.editWhole - l.editFill, "lines");
  bench::Report("rename page hand-back, 30,000 entries", entries, l.handBack, "entries");
  for (int count : l.counts)
    if (count != entries) std::printf("unexpected count %d of %d\n", count, entries);

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
