// Speed a user feels, through the real windows, headless: the Create Folder(s)
// of the string-list, numbers and path-list pages as a user starts it ("Show
// Visual Log" on, Attach Nothing), and the creation engine alone on the job the
// page builds, each against a bare CreateDirectoryA loop of the same names in
// the same process; the string page's simulation, the memory a run leaves after
// Clear Fields, and the program's start-up to its main window shown against a
// minimal window. Prints each ratio; "full" also runs 30,000 folders through
// each page (many minutes).
#include "app/frmMain.h"
#include "app/program.h"
#include "bench/bench_timing.h"
#include "create/creation_engine.h"
#include "listwin/frmStatistic.h"
#include "support/creation_stores.h"
#include "support/temp_dir.h"
#include "ui/application.h"
#include "ui/seam.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// Answers every question Yes and every other box OK, picks the folder it is
// given and opens nothing in the shell.
class QuietSeam : public ui::Seam {
public:
  std::string folder;
  int MessageBox(HWND, ui::BoxOwner, const std::string&, const std::string&, unsigned flags) override {
    return (flags & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
  }
  bool PickFolder(ui::FolderPickRequest& request) override {
    request.result = folder;
    return true;
  }
  bool ShellOpen(HWND, const std::string&, const std::string&, const std::string&, int) override {
    return true;
  }
};

// Seconds from the creation of this process to now: what starting a program
// costs before its own code runs (the same for both sides of a start-up
// comparison, as when each is started as a program of its own).
double SinceProcessStart() {
  FILETIME created, exited, kernel, user, now;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  GetSystemTimeAsFileTime(&now);
  auto ticks = [](const FILETIME& t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return double(ticks(now) - ticks(created)) / 1e7;
}

double PrivateBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PagefileUsage);
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// A minimal top-level window: registered, created, shown, its messages handled.
double MinimalWindow() {
  return bench::Seconds([] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VextilBenchMinimal";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    Pump();
    DestroyWindow(hwnd);
    Pump();
  });
}

// The program's windows created as the program starts them, to the main window
// shown and its first messages handled.
double StartProgram() {
  return bench::Seconds([] {
    ui::App().Initialize();
    CreateProgramWindows();
    ui::App().MainForm()->Show();
    ui::App().ProcessMessages();
  });
}

std::vector<std::string> Names(int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back("item" + std::to_string(100000 + i));
  return names;
}

// The same CreateDirectoryA calls a page run makes, on the same names, and
// nothing else.
double BareLoop(const std::string& folder, const std::vector<std::string>& names) {
  CreateDirectoryA(folder.c_str(), nullptr);
  int made = 0;
  const double t = bench::Seconds([&] {
    for (const std::string& name : names)
      if (CreateDirectoryA((folder + "\\" + name).c_str(), nullptr)) ++made;
  });
  if (made != static_cast<int>(names.size())) std::printf("bare loop made %d\n", made);
  return t;
}

// Fills the string-list page's include list as an import hands it back.
void FillStrings(const std::vector<std::string>& names) {
  StringListPage& page = frmMain->Vol02;
  if (page.lstVol02IncludeStrings.Count() == static_cast<int>(names.size())) return;
  page.lstVol02IncludeStrings.Clear();
  page.lstVol02IncludeStrings.AddStrings(names);
  page.Lists.Refresh();
}

// Sets the string-list page to make names in folder: the destination picked,
// the list filled, Attach Nothing, "Show Visual Log" on, the folder not opened.
void FillStringPage(QuietSeam& seam, const std::string& folder, const std::vector<std::string>& names) {
  StringListPage& page = frmMain->Vol02;
  seam.folder = folder;
  page.btnVol02AddDestFolder.Click();
  FillStrings(names);
  page.rdoVol02AttachNothing.SetChecked(true);
  page.chkVol02ViewDetailedResults.SetChecked(true);
  page.chkVol02ViewDestFolder.SetChecked(false);
}

// Fills the string-list page for a fresh folder and presses the button;
// returns the time of the press.
double PagePress(QuietSeam& seam, const std::string& folder, const std::vector<std::string>& names,
                 ui::Button& button) {
  CreateDirectoryA(folder.c_str(), nullptr);
  FillStringPage(seam, folder, names);
  return bench::Seconds([&] { button.Click(); });
}

// One creation page as a user starts its Create Folder(s) with "Show Visual
// Log" on and Attach Nothing: every page here makes the folders item100000,
// item100001, ... in a fresh folder, the names of the bare loop.
struct CreationPageBench {
  const char* name;
  ui::TabSheet* sheet;
  ui::Button* create;
  TResultsWindow* window;
  // Fills the page to make these folders in folder, as a user would.
  std::function<void(QuietSeam&, const std::string& folder, const std::vector<std::string>& names)> fill;
  // The job the page hands the engine for what fill set up.
  std::function<core::CreationJob(const std::string& folder, const std::vector<std::string>& names)> job;
};

std::vector<CreationPageBench> CreationPages() {
  TfrmMain& m = *frmMain;
  std::vector<CreationPageBench> pages;
  pages.push_back(
      {"string-list page", &m.tabFolderCreate03, &m.Vol02.btnVol02CreateFolders, frmStatistic02, FillStringPage,
       [](const std::string&, const std::vector<std::string>& names) {
         core::CreationJob job;
         job.items = core::StringListItems(core::CreationStringList(names.begin(), names.end()),
                                           frmMain->Vol02.ComposeVol02NameParts());
         return job;
       }});
  pages.push_back(
      {"numbers page", &m.tabFolderCreate04, &m.Vol03.btnVol03CreateFolders, frmStatistic03,
       [](QuietSeam& seam, const std::string& folder, const std::vector<std::string>& names) {
         NumbersPage& page = frmMain->Vol03;
         seam.folder = folder;
         page.btnVol03AddDestFolder.Click();
         page.edtVol03Prefix.SetText("item");
         page.chkVol03Hyphen.SetChecked(false);
         page.chkVol03PaddedZeroes.SetChecked(false);
         page.edtVol03StartNumber.SetText("100000");
         page.edtVol03StartNumberExit();
         page.edtVol03EndNumber.SetText(std::to_string(100000 + names.size() - 1));
         page.edtVol03EndNumberExit();
         page.rdoVol03AttachNothing.SetChecked(true);
         page.chkVol03ViewDetailedResults.SetChecked(true);
         page.chkVol03ViewDestFolder.SetChecked(false);
       },
       [](const std::string&, const std::vector<std::string>& names) {
         NumbersPage& page = frmMain->Vol03;
         core::CreationJob job;
         job.items = core::NumberItems(page.Vol03StartNumber, names.size(),
                                       page.chkVol03PaddedZeroes.Checked(), page.Vol03PadWidth,
                                       page.ComposeVol03NameParts());
         return job;
       }});
  pages.push_back(
      {"path-list page", &m.tabFolderCreate05, &m.Vol04.btnVol04CreateFolders, frmStatistic04,
       [](QuietSeam&, const std::string& folder, const std::vector<std::string>& names) {
         PathListPage& page = frmMain->Vol04;
         std::vector<std::string> lines;
         for (const std::string& name : names) lines.push_back(folder + "\\" + name);
         page.lstVol04IncludeFolderList.Clear();
         page.lstVol04IncludeFolderList.AddStrings(std::move(lines));
         page.Lists.Refresh();
         page.edtVol04Prefix.SetText("");
         page.edtVol04Suffix.SetText("");
         page.rdoVol04AttachNothing.SetChecked(true);
         page.chkVol04ViewDetailedResults.SetChecked(true);
       },
       [](const std::string& folder, const std::vector<std::string>& names) {
         PathListPage& page = frmMain->Vol04;
         core::CreationStringList lines;
         for (const std::string& name : names) lines.push_back(folder + "\\" + name);
         core::CreationJob job;
         job.items = core::PathListItems(std::move(lines), page.edtVol04Prefix.Text(),
                                         page.edtVol04Suffix.Text(), page.chkVol04Hyphen.Checked());
         return job;
       }});
  return pages;
}

// The engine alone on the job the page builds: no window, nothing shown.
double EngineAlone(const core::CreationJob& job, double& created) {
  testsupport::CreationStores stores;
  core::CreationEngine engine = stores.Engine();
  const double t = bench::Seconds([&] { engine.Run(job); });
  created = stores.counters[core::CounterIndex(core::kCreated, core::kFolders)];
  return t;
}

// One measured time and the bare loops around it.
struct Measured {
  double seconds, bare;
  double Ratio() const { return seconds / bare; }
};

// The round whose ratio is the median of the rounds' (a busy moment of the
// machine spoils one round, not the result).
Measured Median(std::vector<Measured> rounds) {
  std::sort(rounds.begin(), rounds.end(),
            [](const Measured& a, const Measured& b) { return a.Ratio() < b.Ratio(); });
  return rounds[rounds.size() / 2];
}

// Each page's run through its window and its engine alone, each between two
// bare loops of the same calls: the loops alternate with the measured runs,
// so the machine's moods fall on both sides alike (each is set against the
// mean of the two loops around it), and every run makes its folders in a
// fresh folder. With several rounds the median round is reported.
void PagesAgainstBare(QuietSeam& seam, const std::string& base, int count, int rounds) {
  const std::vector<std::string> names = Names(count);
  const std::string tag = std::to_string(count);
  int fresh = 0;
  auto folder = [&](const char* what) { return base + "\\" + what + std::to_string(++fresh) + "-" + tag; };
  std::vector<CreationPageBench> pages = CreationPages();
  std::vector<std::vector<Measured>> runs(pages.size()), engines(pages.size());
  double before = BareLoop(folder("bare"), names);
  for (int round = 0; round < rounds; ++round) {
    for (size_t k = 0; k < pages.size(); ++k) {
      CreationPageBench& p = pages[k];
      frmMain->pgeMain.SetActivePage(p.sheet);
      ui::App().ProcessMessages();

      const std::string engineFolder = folder("engine");
      CreateDirectoryA(engineFolder.c_str(), nullptr);
      p.fill(seam, engineFolder, names);
      double created = 0;
      const double engine = EngineAlone(p.job(engineFolder, names), created);
      if (created != count) std::printf("unexpected: the engine created %.0f\n", created);
      const double between = BareLoop(folder("bare"), names);

      const std::string pageFolder = folder("page");
      CreateDirectoryA(pageFolder.c_str(), nullptr);
      p.fill(seam, pageFolder, names);
      const double run = bench::Seconds([&] { p.create->Click(); });
      const double after = BareLoop(folder("bare"), names);
      const std::string shown = p.window->Counter(4).Text();  // folders created
      const int listed = p.window->List(TResultsWindow::kFoldersCreated).Count();
      if (shown != tag || listed != count)
        std::printf("unexpected: %s created, %d listed\n", shown.c_str(), listed);

      runs[k].push_back({run, (between + after) / 2});
      engines[k].push_back({engine, (before + between) / 2});
      if (rounds > 1)
        std::printf("  %s, round %d: run %.3f s = %.2f x, engine %.3f s = %.2f x; bare loops %.3f, %.3f, %.3f s\n",
                    p.name, round + 1, run, runs[k].back().Ratio(), engine, engines[k].back().Ratio(),
                    before, between, after);
      before = after;
    }
  }
  for (size_t k = 0; k < pages.size(); ++k) {
    const Measured run = Median(runs[k]), engine = Median(engines[k]);
    char what[96];
    std::snprintf(what, sizeof what, "%s run, %d folders, Visual Log on", pages[k].name, count);
    bench::ReportAgainst(what, count, run.seconds, run.bare, "loop", "folders");
    std::printf("  bare loops %.3f s before and after; the same page's engine alone %.3f s = %.2f x the bare loop (%.3f s)\n",
                run.bare, engine.seconds, engine.Ratio(), engine.bare);
  }
  if (rounds > 1) std::printf("  (the median of %d rounds)\n", rounds);
}

} // namespace

int main(int argc, char** argv) {
  const double processStart = SinceProcessStart();
  const bool full = argc > 1 && std::string(argv[1]) == "full";
  testsupport::TempDir dir;
  QuietSeam seam;
  ui::InstallSeam(&seam);
  SetCurrentDirectoryA(dir.Path().c_str());  // the program's settings file goes there

  // Start-up: the minimal window first, as the first window of a process;
  // each side with the process start added, as a user starting either waits.
  const double minimal = MinimalWindow();
  const double start = StartProgram();
  std::printf("%-44s %7.3f s = %.2f x the minimal window (%.3f s), process start %.3f s included\n",
              "start-up to main window shown", processStart + start,
              (processStart + start) / (processStart + minimal), processStart + minimal, processStart);
  std::printf("  windows alone: program %.3f s, minimal window %.3f s\n", start, minimal);
  // What idle time does after the main window shows: the other windows, then
  // the other pages, are built.
  const double rest = bench::Seconds([] { ui::App().BuildWaitingForms(); });
  const double pages = bench::Seconds([] {
    while (ui::App().BuildNextWaitingSheet()) {
    }
  });
  std::printf("  the other windows built after it in %.3f s, the other pages in %.3f s (idle time)\n",
              rest, pages);
  frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate03);
  ui::App().ProcessMessages();

  StringListPage& page = frmMain->Vol02;
  const std::string base = dir.Path();

  // Simulation of 30,000 into an empty destination.
  const std::vector<std::string> names30 = Names(30000);
  const double tSim = PagePress(seam, base + "\\simulated", names30, page.btnVol02CreateFoldersSimulation);
  bench::Report("page simulation, 30,000 folders", 30000, tSim, "folders");
  std::printf("  simulation within 0.5 s: %s\n", tSim <= 0.5 ? "yes" : "NO");

  PagesAgainstBare(seam, base, 3000, 3);
  if (full) PagesAgainstBare(seam, base, 30000, 1);
  frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate03);
  ui::App().ProcessMessages();

  // Memory: what the page holds with 30,000 entries, a 30,000-entry run (the
  // full size only when asked: otherwise its simulation), then Clear Fields.
  page.btnVol02ClearAllClick();
  page.ClearVisualLog();  // a page that has not run yet
  ui::App().ProcessMessages();
  page.lstVol02IncludeStrings.AddStrings(names30);
  page.Lists.Refresh();
  const double held = PrivateBytes();
  if (full)
    PagePress(seam, base + "\\memory", names30, page.btnVol02CreateFolders);
  else
    PagePress(seam, base + "\\memory", names30, page.btnVol02CreateFoldersSimulation);
  page.btnVol02ClearAllClick();
  ui::App().ProcessMessages();
  const double left = PrivateBytes();
  std::printf("%-44s %7.1f MB above before the run (%s)\n", "private memory after run and Clear Fields",
              (left - held) / 1048576.0, full ? "30,000-folder run" : "30,000-folder simulation");

  ui::App().DestroyForms();
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  SetCurrentDirectoryA(temp);  // so the temporary folder can go
  return 0;
}
