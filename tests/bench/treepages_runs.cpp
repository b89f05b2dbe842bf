// Speed of the Rename, Delete and Copy runs as the window starts them: the
// page's list filled, its button pressed as a user would (its questions
// answered Yes, its end boxes OK), headless; each against the two bare loops of
// bench/tree_calls.h in the same process (the same system calls, and the
// action alone). 5,000 folders renamed with one press and taken back with
// Undo ("Show Visual Log" on, as the page starts), in five rounds, each
// round's ratios printed and the median round's reported; 50,000 files in 500
// folders deleted (50 listed folders a press, the page's simulation first),
// then 20,000 files in 2,000 folders (200 a press), the delete's press timed
// to its question and after it, and "rmdir /s /q" beside; a structure of 200
// folders and 1,000 files copied into 20 folders (5 a press). Each
// measurement works on a tree of its own, never touched before; page and
// loops take turns in slices, in a changing order.
//
// "copies" measures the copies of files themselves, each case in rounds
// (five unless a number follows), every round on fresh trees, the page, a bare
// loop of CopyFileA and Wine's own xcopy.exe taking turns: the Copy page
// copying one file of 300 MB into 5 main folders, and 2,000 files of 50 KB (20
// folders of 100) into 5 main folders; the string-list page making 50 folders,
// each with a structure of 500 files of 20 KB (10 folders of 50) "with
// files". Each round prints the page against the bare loop and against xcopy;
// the end prints their medians. Everything made is removed after each round
// (the 300 MB case needs about 5 GB free while a round lasts). "cold" after
// the rounds drops the Linux page cache before each measurement (run as root
// under Wine: "sync", then 3 into /proc/sys/vm/drop_caches), so that each
// side reads its sources from the disk.
#include "bench/tree_calls.h"
#include "app/frmMain.h"
#include "app/program.h"
#include "core/folder_scan.h"
#include "core/location.h"
#include "support/temp_dir.h"
#include "support/wine_unix.h"
#include "ui/application.h"
#include "ui/seam.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace {

using bench::InTurns;
using bench::Name;
using bench::SmallFile;

// Answers every question Yes and every other box OK, and notes when a press
// met its first question (Arm before the press).
class YesSeam : public ui::Seam {
public:
  std::string folder;  // what the folder picker answers
  int MessageBox(HWND, ui::BoxOwner, const std::string&, const std::string&, unsigned flags) override {
    if ((flags & MB_TYPEMASK) != MB_YESNO) return IDOK;
    if (!asked) {
      QueryPerformanceCounter(&askedAt);
      asked = true;
    }
    return IDYES;
  }
  void Arm() { asked = false; }
  bool asked = false;
  LARGE_INTEGER askedAt{};
  bool PickFolder(ui::FolderPickRequest& request) override {
    request.result = folder;
    return true;
  }
  bool ShellOpen(HWND, const std::string&, const std::string&, const std::string&, int) override { return true; }
};
YesSeam* g_seam = nullptr;

// Presses button; adds the time from the press to its first question to
// question, and the rest of the press to rest.
void PressTimed(ui::Button& button, double& question, double& rest) {
  g_seam->Arm();
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  button.Click();
  QueryPerformanceCounter(&end);
  const LARGE_INTEGER asked = g_seam->asked ? g_seam->askedAt : end;
  question += double(asked.QuadPart - start.QuadPart) / double(frequency.QuadPart);
  rest += double(end.QuadPart - asked.QuadPart) / double(frequency.QuadPart);
}

const char* kTrees[] = {"page", "same", "plain"};

// One round of the Rename page: 50 parents of 100 folders each, 5,000 folders,
// in each of three trees made for the round; the page's list filled with all
// of them, Rename Folders pressed (prefix "x"), then Undo pressed; beside it
// the same calls by hand (bench/tree_calls.h) forward and back, and the
// action alone. The three take turns in an order that changes with the round.
struct RenameRound {
  double run = 0, runSame = 0, runPlain = 0, undo = 0, undoSame = 0, undoPlain = 0;
  bool ok = false;
};

RenameRound RenameOnce(const testsupport::TempDir& dir, int round) {
  const int parents = 50, children = 100;
  const std::string base = dir / ("rename" + std::to_string(round));
  std::vector<std::vector<std::string>> lines[3];
  for (auto& l : lines) l.resize(parents);
  for (int p = 0; p < parents; ++p)
    for (int c = 0; c < children; ++c)
      for (int t = 0; t < 3; ++t) {
        lines[t][p].push_back(base + "\\" + kTrees[t] + "\\" + Name("p", p) + "\\" + Name("c", c));
        testsupport::MakeFolders(lines[t][p].back());
      }
  auto renamed = [](const std::string& folder) {
    const size_t cut = folder.find_last_of('\\') + 1;
    return folder.substr(0, cut) + "x" + folder.substr(cut);
  };
  auto original = [](const std::string& folder) {
    const size_t cut = folder.find_last_of('\\') + 1;
    return folder.substr(0, cut) + folder.substr(cut + 1);
  };
  RenamePage& page = frmMain->Vol06;
  RenameRound r;
  double renamedCount = 0, restored = 0;
  InTurns(round, {[&] {
                    page.Lists.Clear();
                    for (int p = 0; p < parents; ++p) page.lstVol06IncludeFolderList.AddStrings(lines[0][p]);
                    page.Lists.Refresh();
                    r.run = bench::Seconds([&] { page.btnVol06RenameFolders.Click(); });
                    renamedCount = page.Vol06Results.counters[0];
                    r.undo = bench::Seconds([&] { page.btnVol06Undo.Click(); });
                    restored = testsupport::FolderExists(lines[0][parents - 1].back()) ? 1 : 0;
                  },
                  [&] {
                    std::vector<std::vector<std::string>> back(parents);
                    for (int p = 0; p < parents; ++p)
                      for (const std::string& f : lines[1][p]) back[p].push_back(renamed(f));
                    r.runSame = bench::Seconds([&] {
                      for (int p = 0; p < parents; ++p)
                        bench::RenameFoldersChecked(base + "\\same\\" + Name("p", p), lines[1][p], renamed, true);
                    });
                    r.undoSame = bench::Seconds([&] {
                      for (int p = 0; p < parents; ++p)
                        bench::RenameFoldersChecked(base + "\\same\\" + Name("p", p), back[p], original, false);
                    });
                  },
                  [&] {
                    r.runPlain = bench::Seconds([&] {
                      for (int p = 0; p < parents; ++p)
                        for (const std::string& f : lines[2][p]) MoveFileA(f.c_str(), renamed(f).c_str());
                    });
                    r.undoPlain = bench::Seconds([&] {
                      for (int p = 0; p < parents; ++p)
                        for (const std::string& f : lines[2][p]) MoveFileA(renamed(f).c_str(), f.c_str());
                    });
                  }});
  page.Lists.Clear();
  page.Lists.Refresh();
  r.ok = renamedCount == parents * children && restored == 1 && testsupport::FolderExists(lines[1][parents - 1].back()) &&
         testsupport::FolderExists(lines[2][parents - 1].back());
  if (!r.ok) std::printf("rename page, round %d: unexpected outcome (%g renamed)\n", round + 1, renamedCount);
  return r;
}

// Five rounds of the Rename page's run and its Undo, each round's ratios
// beside its bare loops, then the median round of each.
void Rename(const testsupport::TempDir& dir) {
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersRename01);
  RenamePage& page = frmMain->Vol06;
  page.chkVol06ShowDetailedResults.SetChecked(true);  // as the page starts: the Visual Log fills as it works
  page.rdoVol06RenameAddPrefixesSuffixes.SetChecked(true);
  page.edtVol06NewPrefix.SetText("x");
  const int rounds = 5, folders = 5000;
  std::vector<RenameRound> all;
  for (int round = 0; round < rounds; ++round) {
    all.push_back(RenameOnce(dir, round));
    const RenameRound& r = all.back();
    std::printf("  rename page, round %d: run %.3f s = %.2f x the same calls (%.3f s); undo %.3f s = %.2f x the "
                "same calls (%.3f s)\n",
                round + 1, r.run, r.run / r.runSame, r.runSame, r.undo, r.undo / r.undoSame, r.undoSame);
  }
  auto median = [&](double RenameRound::*seconds, double RenameRound::*same) {
    std::vector<RenameRound> sorted = all;
    std::sort(sorted.begin(), sorted.end(), [&](const RenameRound& a, const RenameRound& b) {
      return a.*seconds / (a.*same) < b.*seconds / (b.*same);
    });
    return sorted[sorted.size() / 2];
  };
  const RenameRound run = median(&RenameRound::run, &RenameRound::runSame);
  const RenameRound undo = median(&RenameRound::undo, &RenameRound::undoSame);
  bench::ReportBoth("rename page run, 5,000 folders", folders, run.run, run.runSame, run.runPlain, "folders");
  bench::ReportBoth("rename page undo, 5,000 folders", folders, undo.undo, undo.undoSame, undo.undoPlain, "folders");
  std::printf("  (the median round of %d)\n", rounds);
}

// folders folders of files files each in every tree, in 10 slices; the page
// lists one slice's folders as its main folders and deletes them in mode 4
// (the folders too), its simulation first. The press of the run is timed in
// two: from the press to the first question (the count the questions name),
// and from there to the end. Beside it: the bare loop of the calls the run
// must make (the slice's folders listed, each one's place asked once as a
// road of the run, then each item checked and deleted through its handle),
// the action alone, and "rmdir /s /q" of the slice's root.
void Delete(const testsupport::TempDir& dir, int folders, int files, const char* what) {
  const int slices = 10;
  const std::string base = "delete" + std::to_string(folders) + "x" + std::to_string(files) + "\\";
  const char* trees[] = {"page", "same", "plain", "rmdir"};
  auto root = [&](const char* tree, int s) { return dir / (base + tree + "\\" + Name("s", s)); };
  auto slice = [&](const char* tree, int s) {
    std::vector<std::string> listed;
    for (int d = s * folders / slices; d < (s + 1) * folders / slices; ++d) listed.push_back(root(tree, s) + "\\" + Name("d", d));
    return listed;
  };
  for (int s = 0; s < slices; ++s)
    for (int t = 0; t < 4; ++t)
      for (const std::string& folder : slice(trees[t], s)) {
        testsupport::MakeFolders(folder);
        for (int f = 0; f < files; ++f) SmallFile(folder + "\\" + Name("f", f) + ".txt");
      }
  DeletePage& page = frmMain->Vol07;
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersDelete01);
  page.chkVol07ShowDetailedResults.SetChecked(false);
  page.rdoVol07DeleteCompleteFolders.SetChecked(true);
  double simulation = 0, simulationAsked = 0, question = 0, run = 0, same = 0, plain = 0, rmdir = 0, deleted = 0;
  double counted = 0;  // the count's own calls, on the "same" tree before its deletes
  for (int s = 0; s < slices; ++s)
    InTurns(s, {[&] {
                  page.Lists.Clear();
                  page.lstVol07IncludeFolderList.AddStrings(slice("page", s));
                  page.Lists.Refresh();
                  PressTimed(page.btnVol07DeleteFoldersSimulation, simulationAsked, simulation);
                  PressTimed(page.btnVol07DeleteFolders, question, run);
                  deleted += page.Results.counters[1];
                },
                [&] {
                  // What the count must ask before the question: each folder
                  // listed, and where a listing shows a link to a file as a
                  // file (Wine) each file's own place.
                  counted += bench::Seconds([&] {
                    bench::PlannedDeletes(slice("same", s), [](const std::string& path, bool folder) {
                      if (!folder && !core::ListingShowsFileLinks()) bench::Where(path);
                    });
                  });
                  same += bench::Seconds([&] {
                    const std::vector<std::string> listed = slice("same", s);
                    std::vector<std::pair<std::string, bool>> items;
                    bench::PlannedDeletes(listed, [&](const std::string& path, bool folder) { items.emplace_back(path, folder); });
                    for (const std::string& folder : listed) bench::Where(folder);
                    for (const auto& item : items) bench::DeleteChecked(item.first, item.second);
                  });
                },
                [&] {
                  plain += bench::Seconds([&] {
                    bench::PlannedDeletes(slice("plain", s), [](const std::string& path, bool folder) {
                      folder ? RemoveDirectoryA(path.c_str()) : DeleteFileA(path.c_str());
                    });
                  });
                },
                [&] { rmdir += bench::Seconds([&] { bench::RmdirSQ(root("rmdir", s)); }); }});
  page.Lists.Clear();
  page.Lists.Refresh();
  if (deleted != folders * files) std::printf("delete page: unexpected outcome (%g files)\n", deleted);
  for (const char* tree : {"same", "plain"})
    if (GetFileAttributesA(slice(tree, slices - 1).back().c_str()) != INVALID_FILE_ATTRIBUTES)
      std::printf("delete page: the %s loop left its tree\n", tree);
  if (GetFileAttributesA(root("rmdir", slices - 1).c_str()) != INVALID_FILE_ATTRIBUTES)
    std::printf("delete page: rmdir /s /q left its tree\n");
  const double items = folders * files;
  std::printf("%s, each listed, mode 4:\n", what);
  std::printf("%-44s %9.0f files in %7.3f s = %.2f x the run after it (%.3f s)\n", "delete page, press to question",
              items, question, run > 0 ? question / run : 0.0, run);
  std::printf("  the count's own calls alone (each folder listed%s): %.3f s = %.2f x the run after the question, "
              "%.2f x the same calls of the run\n",
              core::ListingShowsFileLinks() ? "" : ", each file's place asked", counted, run > 0 ? counted / run : 0.0,
              same > 0 ? counted / same : 0.0);
  bench::ReportWithRmdir("delete page, question + run", items, question + run, same, plain, rmdir, "files");
  std::printf("%-44s %9.0f files in %7.3f s = %.2f x the delete's question + run (%.3f s)\n",
              "delete page simulation, question + run", items, simulationAsked + simulation,
              question + run > 0 ? (simulationAsked + simulation) / (question + run) : 0.0, question + run);
}

// A structure of 200 folders and 1,000 files copied with itself into 20 main
// folders of every tree, 5 main folders a slice; the page's undo is never pressed.
void Copy(const testsupport::TempDir& dir) {
  const std::string structure = dir / "copy\\S";
  bench::MakeStructure(structure);
  const int mains = 20, slices = 4;
  auto main = [&](const char* tree, int m) { return dir / ("copy\\" + std::string(tree) + "\\" + Name("m", m)); };
  for (int m = 0; m < mains; ++m)
    for (const char* tree : kTrees) testsupport::MakeFolders(main(tree, m));
  CopyPage& page = frmMain->Vol08;
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersCopy02);
  page.lstVol08AddFolderStructure.Add(structure);
  page.chkVol08ShowDetailedResults.SetChecked(false);
  page.rdoVol08AttachMainFolderWithFiles.SetChecked(true);
  // A bare loop makes the structure's folder in the main folder, then lists the
  // structure level by level, makes each folder, copies each file.
  auto bare = [&](const std::string& into, const std::function<void(const std::string&, const std::string&)>& copy) {
    const std::string target = into + "\\S";
    CreateDirectoryA(target.c_str(), nullptr);
    bench::CopyStructure(structure, target, copy);
  };
  bench::RecordedCopies recorded;  // the run's calls, each source's place asked once
  double run = 0, same = 0, plain = 0, copied = 0;
  for (int s = 0; s < slices; ++s)
    InTurns(s, {[&] {
                  std::vector<std::string> targets;
                  for (int m = s * mains / slices; m < (s + 1) * mains / slices; ++m) targets.push_back(main("page", m));
                  page.Lists.Clear();
                  page.lstVol08IncludeFolderList.AddStrings(targets);
                  page.Lists.Refresh();
                  run += bench::Seconds([&] { page.btnVol08CopyFolders.Click(); });
                  copied += page.Vol08ResultLists.counters[6];
                },
                [&] {
                  same += bench::Seconds([&] {
                    for (int m = s * mains / slices; m < (s + 1) * mains / slices; ++m) bare(main("same", m), recorded);
                  });
                },
                [&] {
                  plain += bench::Seconds([&] {
                    for (int m = s * mains / slices; m < (s + 1) * mains / slices; ++m)
                      bare(main("plain", m), [](const std::string& from, const std::string& to) {
                        CopyFileA(from.c_str(), to.c_str(), TRUE);
                      });
                  });
                }});
  page.Lists.Clear();
  page.Lists.Refresh();
  if (copied != mains * 1000) std::printf("copy page: unexpected outcome (%g files)\n", copied);
  bench::ReportBoth("copy page run, 20 x (201 folders, 1,000 files)", mains * 1201, run, same, plain, "items");
}

// ---- The copies of files, against CopyFileA and xcopy -------------------------------

// Whether each measurement of the copies starts with the page cache dropped.
bool g_cold = false;

// Drops the Linux page cache (everything written is synced first), and
// waits until that is done; a bench that cannot ends with why.
void DropPageCache(const std::string& folder) {
  static int drops = 0;
  const std::string mark = "dropped" + std::to_string(++drops);
  if (!testsupport::RunUnixScriptIn(folder, "sync && echo 3 > /proc/sys/vm/drop_caches && touch " + mark, mark)) {
    std::printf("the page cache could not be dropped (only as root under Wine): no cold case\n");
    std::exit(1);
  }
  DeleteFileA((folder + "\\" + mark).c_str());
}

// A file of size bytes, its content varying along it.
void ContentFile(const std::string& path, uint64_t size, unsigned seed) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  std::vector<unsigned char> block(1 << 20);
  for (uint64_t done = 0; done < size;) {
    const DWORD n = static_cast<DWORD>(std::min<uint64_t>(block.size(), size - done));
    for (DWORD i = 0; i < n; ++i) block[i] = static_cast<unsigned char>((done + i) * 31 + seed + (done + i) / 4093);
    DWORD written = 0;
    WriteFile(h, block.data(), n, &written, nullptr);
    done += n;
  }
  CloseHandle(h);
}

// A structure of folders x files files of size bytes each.
void FilesStructure(const std::string& root, int folders, int files, uint64_t size) {
  for (int f = 0; f < folders; ++f) {
    const std::string folder = root + "\\" + Name("d", f);
    testsupport::MakeFolders(folder);
    for (int i = 0; i < files; ++i) ContentFile(folder + "\\" + Name("f", i) + ".dat", size, f * files + i);
  }
}

// Wine's (or Windows') own xcopy of the folder from into the new folder to,
// its output to nowhere; waits for it.
void XCopy(const std::string& from, const std::string& to) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                           OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = si.hStdOutput = si.hStdError = nul;
  PROCESS_INFORMATION pi{};
  std::string line = "xcopy.exe \"" + from + "\" \"" + to + "\" /E /I /Q /Y";
  if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  } else {
    std::printf("xcopy could not be started\n");
  }
  CloseHandle(nul);
}

// The files below root (how many), for checking what each side made.
int CountFiles(const std::string& root) {
  int n = 0;
  core::ForEachFolderEntry(root, "*", [&](const WIN32_FIND_DATAA& d) {
    n += (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? CountFiles(root + "\\" + d.cFileName) : 1;
  });
  return n;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

struct Rounds {
  std::vector<double> page, bare, xcopy;
  // One round's times, kept and printed.
  void Add(const char* what, double pageTime, double bareTime, double xcopyTime) {
    page.push_back(pageTime);
    bare.push_back(bareTime);
    xcopy.push_back(xcopyTime);
    std::printf("%-48s round %zu: page %.3f s = %.2f x bare (%.3f s), %.2f x xcopy (%.3f s)\n", what, page.size(),
                pageTime, pageTime / bareTime, bareTime, pageTime / xcopyTime, xcopyTime);
  }
  void Print(const char* what) const {
    std::vector<double> toBare, toXcopy, xcopyToBare;
    for (size_t i = 0; i < page.size(); ++i) {
      toBare.push_back(page[i] / bare[i]);
      toXcopy.push_back(page[i] / xcopy[i]);
      xcopyToBare.push_back(xcopy[i] / bare[i]);
    }
    std::printf("%-48s median of %zu: page %.3f s = %.2f x the bare CopyFileA loop (%.3f s), %.2f x xcopy (%.3f s); "
                "xcopy = %.2f x the bare loop; the rounds: %.2f-%.2f x the bare loop, %.2f-%.2f x xcopy\n",
                what, page.size(), Median(page), Median(toBare), Median(bare), Median(toXcopy), Median(xcopy),
                Median(xcopyToBare), *std::min_element(toBare.begin(), toBare.end()),
                *std::max_element(toBare.begin(), toBare.end()), *std::min_element(toXcopy.begin(), toXcopy.end()),
                *std::max_element(toXcopy.begin(), toXcopy.end()));
  }
};


// The Copy page copying the structure (made in dir\\S by make) into 5 fresh
// main folders a round; the bare loop makes each main folder's copy of the
// structure folder and copies each file with CopyFileA; xcopy copies the
// structure folder into each.
Rounds CopyFiles(const testsupport::TempDir& dir, const char* what, int rounds, int files,
                 const std::function<void(const std::string&)>& make) {
  const std::string structure = dir / "copies\\S";
  make(structure);
  CopyPage& page = frmMain->Vol08;
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersCopy02);
  page.Lists.Clear();
  page.lstVol08AddFolderStructure.Clear();
  page.lstVol08AddFolderStructure.Add(structure);
  page.chkVol08ShowDetailedResults.SetChecked(false);
  page.rdoVol08AttachMainFolderWithFiles.SetChecked(true);
  const int mains = 5;
  Rounds r;
  for (int round = 0; round < rounds; ++round) {
    const std::string base = dir / ("copies\\r" + std::to_string(round));
    auto main = [&](const char* tree, int m) { return base + "\\" + tree + "\\" + Name("m", m); };
    // Each measurement on main folders of its own, made before it and
    // removed right after it (so little of what it wrote waits to go to disk).
    auto measure = [&](const char* tree, const std::function<void()>& work) {
      for (int m = 0; m < mains; ++m) testsupport::MakeFolders(main(tree, m));
      if (g_cold) DropPageCache(base);
      const double seconds = bench::Seconds(work);
      if (CountFiles(base + "\\" + tree) != mains * files)
        std::printf("%s: %s made %d files\n", what, tree, CountFiles(base + "\\" + tree));
      testsupport::RemoveTree(base + "\\" + tree);
      return seconds;
    };
    double run = 0, bare = 0, xcopy = 0;
    InTurns(round, {[&] {
                      std::vector<std::string> targets;
                      for (int m = 0; m < mains; ++m) targets.push_back(main("page", m));
                      page.Lists.Clear();
                      page.lstVol08IncludeFolderList.AddStrings(targets);
                      for (int m = 0; m < mains; ++m) testsupport::MakeFolders(main("page", m));
                      page.Lists.Refresh();
                      run = measure("page", [&] { page.btnVol08CopyFolders.Click(); });
                      page.Lists.Clear();
                      page.Lists.Refresh();
                    },
                    [&] {
                      bare = measure("same", [&] {
                        for (int m = 0; m < mains; ++m) {
                          const std::string target = main("same", m) + "\\S";
                          CreateDirectoryA(target.c_str(), nullptr);
                          bench::CopyStructure(structure, target, [](const std::string& from, const std::string& to) {
                            CopyFileA(from.c_str(), to.c_str(), TRUE);
                          });
                        }
                      });
                    },
                    [&] {
                      xcopy = measure("plain", [&] {
                        for (int m = 0; m < mains; ++m) XCopy(structure, main("plain", m) + "\\S");
                      });
                    }});
    testsupport::RemoveTree(base);
    r.Add(what, run, bare, xcopy);
  }
  page.lstVol08AddFolderStructure.Clear();
  testsupport::RemoveTree(structure);
  return r;
}

// The string-list page making 50 folders "with files" of a structure of 500
// files of 20 KB; the bare loop makes each folder, its structure folder, and
// the structure's copy with CopyFileA; xcopy copies the structure folder into
// each folder the bare loop's way made.
Rounds CreateWithFiles(YesSeam& seam, const testsupport::TempDir& dir, int rounds) {
  const char* what = "string-list page, 50 x 500 files of 20 KB";
  const std::string structure = dir / "create\\T";
  FilesStructure(structure, 10, 50, 20 * 1024);
  std::vector<std::string> names;
  for (int i = 0; i < 50; ++i) names.push_back(Name("item", i));
  StringListPage& page = frmMain->Vol02;
  frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate03);
  page.rdoVol02AttachMainFolderWithFiles.SetChecked(true);
  seam.folder = structure;
  page.btnVol02AddFolderStructure.Click();
  page.chkVol02ViewDetailedResults.SetChecked(false);
  page.chkVol02ViewDestFolder.SetChecked(false);
  Rounds r;
  for (int round = 0; round < rounds; ++round) {
    const std::string base = dir / ("create\\r" + std::to_string(round));
    auto measure = [&](const char* tree, const std::function<void()>& work) {
      testsupport::MakeFolders(base + "\\" + tree);
      if (g_cold) DropPageCache(base);
      const double seconds = bench::Seconds(work);
      if (CountFiles(base + "\\" + tree) != 50 * 500)
        std::printf("%s: %s made %d files\n", what, tree, CountFiles(base + "\\" + tree));
      testsupport::RemoveTree(base + "\\" + tree);
      return seconds;
    };
    double run = 0, bare = 0, xcopy = 0;
    InTurns(round, {[&] {
                      testsupport::MakeFolders(base + "\\page");
                      seam.folder = base + "\\page";
                      page.btnVol02AddDestFolder.Click();
                      page.lstVol02IncludeStrings.Clear();
                      page.lstVol02IncludeStrings.AddStrings(names);
                      page.Lists.Refresh();
                      run = measure("page", [&] { page.btnVol02CreateFolders.Click(); });
                    },
                    [&] {
                      bare = measure("same", [&] {
                        for (const std::string& name : names) {
                          const std::string folder = base + "\\same\\" + name, target = folder + "\\T";
                          CreateDirectoryA(folder.c_str(), nullptr);
                          CreateDirectoryA(target.c_str(), nullptr);
                          bench::CopyStructure(structure, target, [](const std::string& from, const std::string& to) {
                            CopyFileA(from.c_str(), to.c_str(), TRUE);
                          });
                        }
                      });
                    },
                    [&] {
                      xcopy = measure("plain", [&] {
                        for (const std::string& name : names) {
                          const std::string folder = base + "\\plain\\" + name;
                          CreateDirectoryA(folder.c_str(), nullptr);
                          XCopy(structure, folder + "\\T");
                        }
                      });
                    }});
    testsupport::RemoveTree(base);
    r.Add(what, run, bare, xcopy);
  }
  page.lstVol02IncludeStrings.Clear();
  page.Lists.Refresh();
  testsupport::RemoveTree(structure);
  return r;
}

} // namespace

// One argument (rename, delete, copy or copies) runs that part alone; a second
// gives the folders of the first delete shape for a quick look ("delete 50";
// 0 leaves that shape out), or the rounds of "copies" (also "copies big",
// "copies small" or "copies create" with rounds after it, for one case alone;
// "cold" last drops the page cache before each measurement of the copies).
int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc > 2 && std::string(argv[argc - 1]) == "cold") {
    g_cold = true;
    --argc;
  }
  const std::string only = argc > 1 ? argv[1] : "";
  const int deleteFolders = argc > 2 ? std::atoi(argv[2]) : 500;
  std::string copiesCase = argc > 2 && !std::isdigit(static_cast<unsigned char>(argv[2][0])) ? argv[2] : "";
  const char* roundsArg = copiesCase.empty() ? (argc > 2 ? argv[2] : nullptr) : (argc > 3 ? argv[3] : nullptr);
  const int rounds = roundsArg ? std::max(1, std::atoi(roundsArg)) : 5;
  testsupport::TempDir dir;
  YesSeam seam;
  g_seam = &seam;
  ui::InstallSeam(&seam);
  SetCurrentDirectoryA(dir.Path().c_str());  // the program's settings file goes there
  ui::App().Initialize();
  CreateProgramWindows();
  if (only.empty() || only == "rename") Rename(dir);
  if (only.empty() || only == "delete") {
    if (deleteFolders > 0) Delete(dir, deleteFolders, 100, "delete: folders of 100 files");
    Delete(dir, 2000, 10, "delete: 20,000 files in 2,000 folders");
  }
  if (only.empty() || only == "copy") Copy(dir);
  if (only == "copies") {
    std::vector<std::pair<const char*, Rounds>> results;
    if (copiesCase.empty() || copiesCase == "big")
      results.emplace_back("Copy page, one 300 MB file into 5 main folders",
                           CopyFiles(dir, "Copy page, one 300 MB file into 5", rounds, 1, [](const std::string& s) {
                             testsupport::MakeFolders(s);
                             ContentFile(s + "\\big.bin", 300ull << 20, 7);
                           }));
    if (copiesCase.empty() || copiesCase == "small")
      results.emplace_back("Copy page, 2,000 files of 50 KB into 5 main folders",
                           CopyFiles(dir, "Copy page, 2,000 files of 50 KB into 5", rounds, 2000,
                                     [](const std::string& s) { FilesStructure(s, 20, 100, 50 * 1024); }));
    if (copiesCase.empty() || copiesCase == "create")
      results.emplace_back("string-list page, 50 folders x 500 files of 20 KB", CreateWithFiles(seam, dir, rounds));
    for (const auto& result : results)
      result.second.Print((std::string(result.first) + (g_cold ? ", cold" : ", warm")).c_str());
  }
  ui::App().DestroyForms();
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  SetCurrentDirectoryA(temp);  // so the temporary folder can go
  return 0;
}
