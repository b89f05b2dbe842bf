// What every run of the program shares, through the real pages: the progress
// bar of runs and undos, the start-up folder as the current directory while a
// job works (the user's own given back after), the Visual Log filled while a
// run works, and one cap on every list of every Visual Log.
#include "tests/app/creation_page_fixture.h"

#include "core/casefold.h"
#include "core/settings_store.h"
#include "listwin/frmEditIncludeList.h"
#include "listwin/frmStatistic.h"
#include "listwin/run_binding.h"

#include <commctrl.h>

using namespace creationtest;

namespace {

// Watches what a progress bar is told while a job works: each position it is
// given, with its maximum, whether it is on screen, the current directory and
// a count the test asks for (entries of a Visual Log list) at that moment.
class ProgressWatch {
public:
  struct Step {
    int position, maximum;
    bool visible;
    std::string currentDirectory;
    int listed;
  };
  explicit ProgressWatch(ui::ProgressBar& bar, std::function<int()> listed = {})
      : bar_(bar.Handle()), listed_(std::move(listed)) {
    active_ = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
  }
  ~ProgressWatch() {
    UnhookWindowsHookEx(hook_);
    active_ = nullptr;
  }
  std::vector<Step> steps;

private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    ProgressWatch* w = active_;
    if (code == HC_ACTION && w && sent->hwnd == w->bar_ && sent->message == PBM_SETPOS) {
      char folder[MAX_PATH * 2] = "";
      GetCurrentDirectoryA(sizeof folder, folder);
      w->steps.push_back({static_cast<int>(sent->wParam),
                          static_cast<int>(SendMessageA(w->bar_, PBM_GETRANGE, FALSE, 0)),
                          IsWindowVisible(w->bar_) != FALSE, folder, w->listed_ ? w->listed_() : 0});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static ProgressWatch* active_;
  HWND bar_;
  std::function<int()> listed_;
  HHOOK hook_;
};
ProgressWatch* ProgressWatch::active_ = nullptr;

std::string CurrentDirectory() {
  char folder[MAX_PATH * 2] = "";
  GetCurrentDirectoryA(sizeof folder, folder);
  return folder;
}

class RunBindingTest : public CreationPageTest {
protected:
  TfrmMain& M() { return *frmMain; }
  // Lists folders on a tree page through its editor (each line judged by the page's rule).
  void EditList(ui::Button& editButton, TfrmEditIncludeList* editor, const Strings& lines) {
    for (const std::string& line : lines)
      ASSERT_EQ(line.rfind(dest.Path() + "\\", 0), 0u) << "not inside the test's folder: " << line;
    seam.OnModal(editor, [editor, lines](ui::Form&) {
      editor->mmoEditIncludeList.SetLines(lines);
      Press(editor->btnEditOk);
      return 0;
    });
    Press(editButton);
  }
  // A structure of n folders side by side.
  std::string Structure(const std::string& name, int n) {
    for (int i = 0; i < n; ++i) tree.AddFolder(name + "\\s" + std::to_string(1000 + i));
    return tree / name;
  }
  // Main folders C0 .. C(n-1) below dest.
  Strings Mains(int n) {
    Strings mains;
    for (int i = 0; i < n; ++i) mains.push_back(dest.AddFolder("C" + std::to_string(i)));
    return mains;
  }
};

// The copy run shows its Visual Log while it works: the files copied so far
// are listed before the run is over (a run of some 2,000 copies, long enough
// for the window to be brought up to date on its way).
TEST_F(RunBindingTest, TheCopyVisualLogIsFilledWhileTheRunWorks) {
  M().pgeMain.SetActivePage(&M().tabFoldersCopy02);
  CopyPage& p = M().Vol08;
  const std::string content(1024, 'x');
  for (int f = 0; f < 20; ++f)
    for (int i = 0; i < 10; ++i)
      tree.AddFile("Big\\s" + std::to_string(f) + "\\f" + std::to_string(i) + ".txt", content);
  EditList(p.btnVol08EditIncludeList, frmVol08EditIncludeList, Mains(10));
  seam.Answer("no: 0277", IDOK);  // the hint of the options with files
  testsupport::Choose(p.rdoVol08AttachMainFolderWithFiles);
  PickWith(p.btnVol08AddFolderStructure, tree / "Big");
  ASSERT_EQ(p.lblVol08FilesToCopy.Text(), "2000");
  ProgressWatch watch(p.pbVol08ProgressBar, [] { return frmStatistic08->List(2).Count(); });
  Run(p.btnVol08CopyFolders, "no: 0651", "no: 0652");
  ASSERT_EQ(frmStatistic08->List(2).Count(), 2000);
  bool whileWorking = false;
  for (const ProgressWatch::Step& step : watch.steps)
    whileWorking = whileWorking || (step.visible && step.position < step.maximum && step.listed > 0 &&
                                    step.listed < 2000);
  EXPECT_TRUE(whileWorking) << "the Visual Log was filled only at the end of the run";
  EXPECT_TRUE(frmStatistic08->Visible());
}

// Work handed to its own thread: a box it asks for is shown on the windows'
// thread (the work waits for the answer), and a close that comes while it
// works is seen at its next step, which stops it; the binding is free after.
TEST_F(RunBindingTest, BackgroundWorkShowsItsBoxesOnTheWindowsThreadAndAStopReachesIt) {
  RunBinding binding(RunBinding::Page{});
  const DWORD windows = GetCurrentThreadId();
  DWORD boxThread = 0, workThread = windows;
  int answer = 0;
  size_t steps = 0;
  constexpr size_t kMany = 1000000;  // far more than the close lets it do
  RunBinding::Job job;
  job.background = true;
  bool ended = false;
  job.end = [&] { ended = true; };
  job.work = [&](RunBinding::Sink& sink) {
    sink.Begin(kMany);
    sink.InBackground([&] {
      workThread = GetCurrentThreadId();
      sink.OnWindow([&] {
        boxThread = GetCurrentThreadId();
        answer = ui::App().MessageBox("Halfway.", "Background test box", MB_YESNO);
      });
      PostThreadMessageA(windows, WM_QUIT, 0, 0);  // the program closes while the work goes on
      while (steps < kMany && sink.Progress(steps)) {
        ++steps;
        Sleep(1);
      }
    });
    return true;
  };
  seam.Answer("Background test box", IDNO);
  EXPECT_FALSE(binding.Run(job));
  EXPECT_NE(workThread, windows);
  EXPECT_EQ(boxThread, windows);
  EXPECT_EQ(answer, IDNO);
  EXPECT_LT(steps, kMany);
  EXPECT_FALSE(ended);  // no end box once the program closes
  EXPECT_FALSE(binding.Busy());
}

// Every run, simulation and undo works from the start-up folder (no listed
// folder is held as the current directory meanwhile) and gives the user's
// current directory back when it is over.
TEST_F(RunBindingTest, EveryJobWorksFromTheStartUpFolderAndGivesTheCurrentDirectoryBack) {
  const std::string startup = core::Settings().GetStartupDirectory();
  const std::string elsewhere = tree.AddFolder("Elsewhere");
  const std::string a = dest.AddFolder("R\\a"), mkt = Structure("Mkt", 3);
  const std::string c1 = dest.AddFolder("C1"), gone = dest.AddFolder("D\\gone");
  dest.AddFile("D\\gone\\f.txt", "x");
  struct Job {
    const char* name;
    ui::TabSheet* sheet;
    ui::ProgressBar* bar;
    std::function<void()> arrange, start;
  } jobs[] = {
      {"string list run", &M().tabFolderCreate03, &M().Vol02.pbVol02ProgressBar,
       [&] {
         PickWith(M().Vol02.btnVol02AddDestFolder, dest / "S");
         M().Vol02.edtVol02AddToList.SetText("new");
         Press(M().Vol02.btnVol02AddToList);
       },
       [&] { Run(M().Vol02.btnVol02CreateFolders, "0025", "0026"); }},
      {"string list undo", &M().tabFolderCreate03, &M().Vol02.pbVol02ProgressBar, [] {},
       [&] { Run(M().Vol02.btnVol02Undo, "0029", "0031"); }},
      {"rename run", &M().tabFoldersRename01, &M().Vol06.pbVol06ProgressBar,
       [&] {
         PickWith(M().Vol06.btnVol06AddFolderToList, a);
         testsupport::Type(M().Vol06.edtVol06NewSuffix, "-1");
       },
       [&] { Run(M().Vol06.btnVol06RenameFolders, "no: 0602", "no: 0604"); }},
      {"rename simulation", &M().tabFoldersRename01, &M().Vol06.pbVol06ProgressBar, [] {},
       [&] { Run(M().Vol06.btnVol06RenameFoldersSimulation, "no: 0603", "no: 0605"); }},
      {"rename undo", &M().tabFoldersRename01, &M().Vol06.pbVol06ProgressBar, [] {},
       [&] { Run(M().Vol06.btnVol06Undo, "no: 0212", "no: 0214"); }},
      {"delete run", &M().tabFoldersDelete01, &M().Vol07.pbVol07ProgressBar,
       [&] {
         PickWith(M().Vol07.btnVol07AddFoldersToList, gone);
         testsupport::Choose(M().Vol07.rdoVol07DeleteCompleteFolders);
       },
       [&] {
         seam.Answer("0622", IDYES);
         Run(M().Vol07.btnVol07DeleteFolders, "0621", "0623");
       }},
      {"copy run", &M().tabFoldersCopy02, &M().Vol08.pbVol08ProgressBar,
       [&] {
         PickWith(M().Vol08.btnVol08AddFolderToList, c1);
         PickWith(M().Vol08.btnVol08AddFolderStructure, mkt);
       },
       [&] { Run(M().Vol08.btnVol08CopyFolders, "no: 0651", "no: 0652"); }},
      {"copy undo", &M().tabFoldersCopy02, &M().Vol08.pbVol08ProgressBar, [] {},
       [&] { Run(M().Vol08.btnVol08Undo, "no: 0291", "no: 0293"); }},
  };
  for (const Job& job : jobs) {
    SCOPED_TRACE(job.name);
    M().pgeMain.SetActivePage(job.sheet);
    job.arrange();
    ASSERT_TRUE(SetCurrentDirectoryA(elsewhere.c_str()));
    seam.boxes.clear();
    ProgressWatch watch(*job.bar);
    job.start();
    ASSERT_FALSE(seam.boxes.empty());
    ASSERT_FALSE(watch.steps.empty()) << "no progress shown";
    for (const ProgressWatch::Step& step : watch.steps) EXPECT_TRUE(core::SameText(step.currentDirectory, startup));
    EXPECT_TRUE(core::SameText(CurrentDirectory(), elsewhere)) << CurrentDirectory();
  }
  EXPECT_TRUE(FolderExists(dest / "R\\a"));  // renamed and given its name back
  EXPECT_FALSE(FolderExists(gone));
  EXPECT_EQ(ListTree(c1), "");  // copied and taken back
  SetCurrentDirectoryA(dir->Path().c_str());
}

// Every undo moves the page's progress bar through the records it takes back,
// the rename page's among them, as a run does through its items.
TEST_F(RunBindingTest, EveryUndoMovesTheProgressBarThroughItsRecords) {
  // Rename: three lines, one of them missing: two renames to take back.
  M().pgeMain.SetActivePage(&M().tabFoldersRename01);
  RenamePage& r = M().Vol06;
  for (const char* f : {"R\\a", "R\\b", "R\\c"}) PickWith(r.btnVol06AddFolderToList, dest.AddFolder(f));
  testsupport::RemoveTree(dest / "R\\c");
  testsupport::Type(r.edtVol06NewSuffix, "-1");
  Run(r.btnVol06RenameFolders, "no: 0602", "no: 0604");
  ASSERT_EQ(r.Vol06RenameHistory.size(), 2u);
  // Copy: one main folder, a structure of three folders with itself: four folders made.
  M().pgeMain.SetActivePage(&M().tabFoldersCopy02);
  CopyPage& c = M().Vol08;
  PickWith(c.btnVol08AddFolderToList, dest.AddFolder("C1"));
  PickWith(c.btnVol08AddFolderStructure, Structure("Mkt", 3));
  Run(c.btnVol08CopyFolders, "no: 0651", "no: 0652");
  ASSERT_EQ(c.Vol08Undo.folders.size(), 4u);

  struct Undo {
    const char* name;
    ui::TabSheet* sheet;
    ui::ProgressBar* bar;
    ui::Button* button;
    const char *ask, *end;
    int records;
  } undos[] = {
      {"rename", &M().tabFoldersRename01, &r.pbVol06ProgressBar, &r.btnVol06Undo, "no: 0212", "no: 0214", 2},
      {"copy", &M().tabFoldersCopy02, &c.pbVol08ProgressBar, &c.btnVol08Undo, "no: 0291", "no: 0293", 4},
  };
  for (const Undo& u : undos) {
    SCOPED_TRACE(u.name);
    M().pgeMain.SetActivePage(u.sheet);
    ProgressWatch watch(*u.bar);
    Run(*u.button, u.ask, u.end);
    ASSERT_FALSE(watch.steps.empty()) << "the progress bar did not move";
    EXPECT_EQ(watch.steps.front().position, 0);
    EXPECT_EQ(watch.steps.back().position, u.records);
    for (const ProgressWatch::Step& step : watch.steps) {
      EXPECT_TRUE(step.visible);
      EXPECT_EQ(step.maximum, u.records);
    }
    EXPECT_FALSE(u.bar->Visible());  // gone once the undo is over
  }
  EXPECT_EQ(ListTree(dest / "R"), "a\\\nb\\\n");
  EXPECT_EQ(ListTree(dest / "C1"), "");
}

// The tree pages cap every list of their Visual Log as the creation pages do:
// at most RunBinding::kMaxListed entries, the rest counted in a closing line
// (the counters count them all).
TEST_F(RunBindingTest, TheTreePagesCapTheirVisualLogListsAsTheCreationPagesDo) {
  M().pgeMain.SetActivePage(&M().tabFoldersCopy02);
  CopyPage& p = M().Vol08;
  const std::string big = Structure("Big", 1000);
  EditList(p.btnVol08EditIncludeList, frmVol08EditIncludeList, Mains(101));
  testsupport::Choose(p.rdoVol08AttachSubFoldersOnlyWithoutFiles);
  PickWith(p.btnVol08AddFolderStructure, big);
  Run(p.btnVol08CopyFoldersSimulation, "no: 0658", "no: 0659");
  EXPECT_EQ(p.lblVol08SubFoldersCopied.Text(), "101000");
  const ui::ListBox& listed = frmStatistic08->List(1);
  ASSERT_EQ(listed.Count(), static_cast<int>(RunBinding::kMaxListed) + 1);
  EXPECT_EQ(listed.Item(listed.Count() - 1), "... 1000 more, not listed.");
  EXPECT_EQ(frmStatistic08->List(0).Count(), 101);  // a list below the cap is whole
}

} // namespace
