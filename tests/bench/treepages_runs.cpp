// Speed of the Delete page's run and simulation, each started through the page
// as a user would (its question answered Yes), on a tree of 50,000 files in 500
// folders, against a bare loop of the same system calls in the same process:
// list every folder, delete every file, remove every folder deepest first.
#include "bench/bench_timing.h"
#include "app/frmMain.h"
#include "app/program.h"
#include "support/temp_dir.h"
#include "ui/application.h"
#include "ui/seam.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// folders subfolders below root, each holding files empty files.
void MakeTree(const std::string& root, int folders, int files) {
  CreateDirectoryA(root.c_str(), nullptr);
  for (int f = 0; f < folders; ++f) {
    const std::string folder = root + "\\d" + std::to_string(f);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < files; ++i) {
      HANDLE h = CreateFileA((folder + "\\f" + std::to_string(i) + ".txt").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
  }
}

// The bare loop: list level by level, then files, then folders deepest first.
size_t BareDelete(const std::string& root) {
  std::vector<std::string> folders{root}, files;
  for (size_t next = 0; next < folders.size(); ++next) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folders[next] + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) continue;
    do {
      if (std::strcmp(data.cFileName, ".") == 0 || std::strcmp(data.cFileName, "..") == 0) continue;
      const std::string path = folders[next] + "\\" + data.cFileName;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        folders.push_back(path);
      else
        files.push_back(path);
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  size_t done = 0;
  for (const std::string& f : files) done += DeleteFileA(f.c_str()) != 0;
  for (size_t i = folders.size(); i-- > 0;) done += RemoveDirectoryA(folders[i].c_str()) != 0;
  return done;
}

class YesSeam : public ui::Seam {
public:
  int MessageBox(HWND, ui::BoxOwner, const std::string&, const std::string&, unsigned flags) override {
    return (flags & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
  }
};

} // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  // "bench_treepages_delete 50" makes 50 folders for a quick look.
  const int folders = argc > 1 ? std::atoi(argv[1]) : 500, files = 100;
  testsupport::TempDir dir;
  const std::string bare = dir / "bare", paged = dir / "paged";
  const double made = bench::Seconds([&] {
    MakeTree(bare, folders, files);
    MakeTree(paged, folders, files);
  });
  std::printf("made the two trees in %.1f s\n", made);

  YesSeam seam;
  ui::InstallSeam(&seam);
  SetCurrentDirectoryA(dir.Path().c_str());  // the program's settings file goes there
  ui::App().Initialize();
  CreateProgramWindows();
  DeletePage& page = frmMain->Vol07;
  page.lstVol07IncludeFolderList.Add(paged);
  page.Lists.Refresh();
  page.rdoVol07DeleteCompleteFolders.SetChecked(true);

  size_t bareItems = 0;
  const double tBare = bench::Seconds([&] { bareItems = BareDelete(bare); });
  const double tSim = bench::Seconds([&] { page.Start(true); });
  const double tRun = bench::Seconds([&] { page.Start(false); });
  const double items = page.Results.counters[0] + page.Results.counters[1];
  bench::ReportAgainst("delete page run, mode 4", items, tRun, tBare, "delete loop");
  bench::Report("delete page simulation, mode 4", items, tSim);
  std::printf("run %.2fx the bare loop (at most 1.1); simulation %.1fx faster than the run (at least 10)\n",
              tRun / tBare, tSim > 0 ? tRun / tSim : 0.0);
  const bool counts = size_t(items) == bareItems && GetFileAttributesA(paged.c_str()) == INVALID_FILE_ATTRIBUTES;
  if (!counts) std::printf("unexpected counts: page %.0f, bare %zu\n", items, bareItems);
  ui::App().DestroyForms();
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  SetCurrentDirectoryA(temp);  // so the temporary folder can go
  return counts ? 0 : 1;
}
