// Speed a user feels, through the real windows, headless: the string-list
// page's Create Folder(s) as a user starts it ("Show Visual Log" on, Attach
// Nothing) against a bare CreateDirectoryA loop of the same names in the same
// process, its simulation, the memory a run leaves after Clear Fields, and the
// program's start-up to its main window shown against a minimal window.
// Prints each ratio; "full" also runs 30,000 folders for real (minutes).
#include "app/frmMain.h"
#include "app/program.h"
#include "bench/bench_timing.h"
#include "listwin/frmStatistic.h"
#include "support/temp_dir.h"
#include "ui/application.h"
#include "ui/seam.h"

#include <windows.h>

#include <psapi.h>

#include <cstdio>
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

// Fills the page's include list as an import hands it back, picks the
// destination and presses the button; returns the time of the press.
double PagePress(QuietSeam& seam, const std::string& folder, const std::vector<std::string>& names,
                 ui::Button& button) {
  StringListPage& page = frmMain->Vol02;
  CreateDirectoryA(folder.c_str(), nullptr);
  seam.folder = folder;
  page.btnVol02AddDestFolder.Click();
  if (page.lstVol02IncludeStrings.Count() != static_cast<int>(names.size())) {
    page.lstVol02IncludeStrings.Clear();
    page.lstVol02IncludeStrings.AddStrings(names);
    page.Lists.Refresh();
  }
  page.chkVol02ViewDetailedResults.SetChecked(true);
  page.chkVol02ViewDestFolder.SetChecked(false);
  return bench::Seconds([&] { button.Click(); });
}

void RunAgainstBare(QuietSeam& seam, const std::string& base, int count) {
  const std::vector<std::string> names = Names(count);
  const std::string tag = std::to_string(count);
  StringListPage& page = frmMain->Vol02;
  const double before = BareLoop(base + "\\bare1-" + tag, names);
  const double run = PagePress(seam, base + "\\page-" + tag, names, page.btnVol02CreateFolders);
  const double after = BareLoop(base + "\\bare2-" + tag, names);
  const double bare = (before + after) / 2;
  const std::string created = frmStatistic02->Counter(4).Text();  // folders created
  if (created != tag || frmStatistic02->List(TResultsWindow::kFoldersCreated).Count() != count)
    std::printf("unexpected: %s created, %d listed\n", created.c_str(),
                frmStatistic02->List(TResultsWindow::kFoldersCreated).Count());
  char what[96];
  std::snprintf(what, sizeof what, "page run, %d folders, Visual Log on", count);
  bench::ReportAgainst(what, count, run, bare, "loop", "folders");
  std::printf("  bare loop before %.3f s, after %.3f s\n", before, after);
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

  RunAgainstBare(seam, base, 3000);
  if (full) RunAgainstBare(seam, base, 30000);

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
