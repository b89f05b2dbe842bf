// Speed of the Rename, Delete and Copy runs as the window starts them: the
// page's list filled, its button pressed as a user would (its questions
// answered Yes, its end boxes OK), headless; each against the two bare loops of
// bench/tree_calls.h in the same process (the same system calls, and the
// action alone). 10,000 folders renamed (1,000 a press), 50,000 files in 500
// folders deleted (5,000 a press, the page's simulation first), a structure of
// 200 folders and 1,000 files copied into 20 folders (5 a press). Each measurement works on a tree of its own, never
// touched before; page and loops take turns in slices, in a changing order.
//
// "copies" measures the copies of files themselves, each case in rounds
// (five unless a number follows), every round on fresh trees, the page, a bare
// loop of CopyFileA and Wine's own xcopy.exe taking turns: the Copy page
// copying one file of 300 MB into 5 main folders, and 2,000 files of 50 KB (20
// folders of 100) into 5 main folders; the string-list page making 50 folders,
// each with a structure of 500 files of 20 KB (10 folders of 50) "with
// files". Each round prints the page against the bare loop and against xcopy;
// the end prints their medians. Everything made is removed after each round
// (the 300 MB case needs about 5 GB free while a round lasts).
#include "bench/tree_calls.h"
#include "app/frmMain.h"
#include "app/program.h"
#include "core/folder_scan.h"
#include "support/temp_dir.h"
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

class YesSeam : public ui::Seam {
public:
  std::string folder;  // what the folder picker answers
  int MessageBox(HWND, ui::BoxOwner, const std::string&, const std::string&, unsigned flags) override {
    return (flags & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
  }
  bool PickFolder(ui::FolderPickRequest& request) override {
    request.result = folder;
    return true;
  }
  bool ShellOpen(HWND, const std::string&, const std::string&, const std::string&, int) override { return true; }
};

const char* kTrees[] = {"page", "same", "plain"};

// 100 parents of 100 folders each in every tree; each slice renames ten
// parents' folders, 1,000 with one press.
void Rename(const testsupport::TempDir& dir) {
  const int parents = 100, children = 100, slices = 10;
  std::vector<std::vector<std::string>> lines[3];
  for (auto& l : lines) l.resize(parents);
  for (int p = 0; p < parents; ++p)
    for (int c = 0; c < children; ++c)
      for (int t = 0; t < 3; ++t) {
        lines[t][p].push_back(dir / ("rename\\" + std::string(kTrees[t]) + "\\" + Name("p", p) + "\\" + Name("c", c)));
        testsupport::MakeFolders(lines[t][p].back());
      }
  auto renamed = [](const std::string& folder) {
    const size_t cut = folder.find_last_of('\\') + 1;
    return folder.substr(0, cut) + "x" + folder.substr(cut);
  };
  RenamePage& page = frmMain->Vol06;
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersRename01);
  page.chkVol06ShowDetailedResults.SetChecked(false);
  page.rdoVol06RenameAddPrefixesSuffixes.SetChecked(true);
  page.edtVol06NewPrefix.SetText("x");
  double run = 0, same = 0, plain = 0;
  double renamedCount = 0;
  const int step = parents / slices;
  for (int s = 0; s < slices; ++s)
    InTurns(s, {[&] {
                  page.Lists.Clear();
                  for (int p = s * step; p < (s + 1) * step; ++p) page.lstVol06IncludeFolderList.AddStrings(lines[0][p]);
                  page.Lists.Refresh();
                  run += bench::Seconds([&] { page.btnVol06RenameFolders.Click(); });
                  renamedCount += page.Vol06Results.counters[0];
                },
                [&] {
                  same += bench::Seconds([&] {
                    for (int p = s * step; p < (s + 1) * step; ++p)
                      bench::RenameFoldersChecked(dir / ("rename\\same\\" + Name("p", p)), lines[1][p], renamed);
                  });
                },
                [&] {
                  plain += bench::Seconds([&] {
                    for (int p = s * step; p < (s + 1) * step; ++p)
                      for (const std::string& folder : lines[2][p]) MoveFileA(folder.c_str(), renamed(folder).c_str());
                  });
                }});
  page.Lists.Clear();
  page.Lists.Refresh();
  if (renamedCount != parents * children) std::printf("rename page: unexpected outcome (%g renamed)\n", renamedCount);
  bench::ReportBoth("rename page run, 10,000 folders", parents * children, run, same, plain, "folders");
}

// 10 slices of 50 folders of 100 files in every tree; the page deletes one
// slice's root in mode 4 (the folders too), its simulation first.
void Delete(const testsupport::TempDir& dir, int folders) {
  const int files = 100, slices = 10;
  for (int s = 0; s < slices; ++s)
    for (int d = s * folders / slices; d < (s + 1) * folders / slices; ++d)
      for (const char* tree : kTrees) {
        const std::string folder = dir / ("delete\\" + std::string(tree) + "\\" + Name("s", s) + "\\" + Name("d", d));
        testsupport::MakeFolders(folder);
        for (int f = 0; f < files; ++f) SmallFile(folder + "\\" + Name("f", f) + ".txt");
      }
  DeletePage& page = frmMain->Vol07;
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersDelete01);
  page.chkVol07ShowDetailedResults.SetChecked(false);
  page.rdoVol07DeleteCompleteFolders.SetChecked(true);
  // A bare loop lists the slice's root and its folders, acts on each file, then
  // on each folder, then on the root.
  auto bare = [&](int s, const std::string& tree, const std::function<void(const std::string&, bool)>& act) {
    const std::string root = dir / ("delete\\" + tree + "\\" + Name("s", s));
    std::vector<std::string> folders;
    core::ForEachFolderEntry(root, "*", [&](const WIN32_FIND_DATAA& f) { folders.push_back(root + "\\" + f.cFileName); });
    folders.push_back(root);
    bench::PlannedDeletes(folders, act);
  };
  double simulation = 0, run = 0, same = 0, plain = 0, deleted = 0;
  for (int s = 0; s < slices; ++s)
    InTurns(s, {[&] {
                  page.Lists.Clear();
                  page.lstVol07IncludeFolderList.Add(dir / ("delete\\page\\" + Name("s", s)));
                  page.Lists.Refresh();
                  simulation += bench::Seconds([&] { page.btnVol07DeleteFoldersSimulation.Click(); });
                  run += bench::Seconds([&] { page.btnVol07DeleteFolders.Click(); });
                  deleted += page.Results.counters[1];
                },
                [&] {
                  same += bench::Seconds([&] {
                    // The questions' count: each item's place asked once; then
                    // the run: the main folder's place (its road) and identity,
                    // and each item checked and deleted through its handle.
                    std::vector<std::pair<std::string, bool>> items;
                    bare(s, "same", [&](const std::string& path, bool folder) { items.emplace_back(path, folder); });
                    for (const auto& item : items) bench::Where(item.first);
                    bench::Where(dir / ("delete\\same\\" + Name("s", s)));
                    for (const auto& item : items) bench::DeleteChecked(item.first, item.second);
                  });
                },
                [&] {
                  plain += bench::Seconds([&] {
                    bare(s, "plain", [](const std::string& path, bool folder) {
                      folder ? RemoveDirectoryA(path.c_str()) : DeleteFileA(path.c_str());
                    });
                  });
                }});
  page.Lists.Clear();
  page.Lists.Refresh();
  if (deleted != folders * files) std::printf("delete page: unexpected outcome (%g files)\n", deleted);
  bench::ReportBoth("delete page run, mode 4", folders * files, run, same, plain, "files");
  bench::ReportAgainst("delete page simulation, mode 4", folders * files, simulation, run, "run", "files");
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
  void Print(const char* what) const {
    std::vector<double> toBare, toXcopy, xcopyToBare;
    for (size_t i = 0; i < page.size(); ++i) {
      toBare.push_back(page[i] / bare[i]);
      toXcopy.push_back(page[i] / xcopy[i]);
      xcopyToBare.push_back(xcopy[i] / bare[i]);
    }
    std::printf("%-48s median of %zu: page %.3f s = %.2f x the bare CopyFileA loop (%.3f s), %.2f x xcopy (%.3f s); "
                "xcopy = %.2f x the bare loop\n",
                what, page.size(), Median(page), Median(toBare), Median(bare), Median(toXcopy), Median(xcopy),
                Median(xcopyToBare));
  }
};

void PrintRound(const char* what, int round, double page, double bare, double xcopy) {
  std::printf("%-48s round %d: page %.3f s = %.2f x bare (%.3f s), %.2f x xcopy (%.3f s)\n", what, round + 1, page,
              page / bare, bare, page / xcopy, xcopy);
}

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
    PrintRound(what, round, run, bare, xcopy);
    r.page.push_back(run);
    r.bare.push_back(bare);
    r.xcopy.push_back(xcopy);
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
    PrintRound(what, round, run, bare, xcopy);
    r.page.push_back(run);
    r.bare.push_back(bare);
    r.xcopy.push_back(xcopy);
  }
  page.lstVol02IncludeStrings.Clear();
  page.Lists.Refresh();
  testsupport::RemoveTree(structure);
  return r;
}

} // namespace

// One argument (rename, delete, copy or copies) runs that part alone; a second
// gives the delete run's folders for a quick look ("delete 50"), or the rounds
// of "copies" (also "copies big", "copies small" or "copies create" with
// rounds after it, for one case alone).
int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const std::string only = argc > 1 ? argv[1] : "";
  const int deleteFolders = argc > 2 ? std::atoi(argv[2]) : 500;
  std::string copiesCase = argc > 2 && !std::isdigit(static_cast<unsigned char>(argv[2][0])) ? argv[2] : "";
  const char* roundsArg = copiesCase.empty() ? (argc > 2 ? argv[2] : nullptr) : (argc > 3 ? argv[3] : nullptr);
  const int rounds = roundsArg ? std::max(1, std::atoi(roundsArg)) : 5;
  testsupport::TempDir dir;
  YesSeam seam;
  ui::InstallSeam(&seam);
  SetCurrentDirectoryA(dir.Path().c_str());  // the program's settings file goes there
  ui::App().Initialize();
  CreateProgramWindows();
  if (only.empty() || only == "rename") Rename(dir);
  if (only.empty() || only == "delete") Delete(dir, deleteFolders);
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
    for (const auto& result : results) result.second.Print(result.first);
  }
  ui::App().DestroyForms();
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  SetCurrentDirectoryA(temp);  // so the temporary folder can go
  return 0;
}
