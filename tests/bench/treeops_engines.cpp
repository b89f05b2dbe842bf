// Speed of the rename, delete and copy engines, headless, each next to a bare
// loop of the same system calls in this process, and each simulation next to
// its run: 10,000 folders renamed, a tree of 50,000 files in 500 folders
// deleted, a structure of 200 folders and 1,000 files copied into 20 folders.
// Engine and bare loop take turns in slices of the work, so a machine busy with
// other things slows both alike.
#include "treeops/copy_engine.h"
#include "treeops/delete_engine.h"
#include "treeops/rename_engine.h"
#include "support/temp_dir.h"
#include "bench/bench_timing.h"

#include <windows.h>

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

namespace {

std::string Name(const char* stem, int i) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%s%05d", stem, i);
  return buffer;
}

void SmallFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written;
  WriteFile(h, "0123456789", 10, &written, nullptr);
  CloseHandle(h);
}

// folders folders of files files each below both roots, made in turns so
// that neither tree is the older one on disk.
void MakeTwoTrees(const std::string& root1, const std::string& root2, int folders, int files) {
  CreateDirectoryA(root1.c_str(), nullptr);
  CreateDirectoryA(root2.c_str(), nullptr);
  for (int d = 0; d < folders; ++d)
    for (const std::string& root : {root1, root2}) {
      const std::string folder = root + "\\" + Name("d", d);
      CreateDirectoryA(folder.c_str(), nullptr);
      for (int f = 0; f < files; ++f) SmallFile(folder + "\\" + Name("f", f) + ".txt");
    }
}

void Rename(const testsupport::TempDir& temp) {
  const int parents = 100, children = 100;
  std::vector<std::deque<std::string>> lines(parents);
  for (int p = 0; p < parents; ++p)
    for (int c = 0; c < children; ++c) {
      lines[p].push_back(temp / (Name("p", p) + "\\" + Name("c", c)));
      testsupport::MakeFolders(lines[p].back());
    }
  treeops::RenameJob job;
  job.protectedFolders = treeops::SystemProtectedFolders("");
  job.fields.prefix = "x";
  treeops::RenameResults predicted, results;
  treeops::RenameHistory history;
  double simulation = 0, run = 0, bare = 0;
  for (int p = 0; p < parents; ++p) {
    job.lines = lines[p];
    job.dry = true;
    simulation += bench::Seconds([&] { treeops::RunRename(job, predicted, history); });
    job.dry = false;
    run += bench::Seconds([&] { treeops::RunRename(job, results, history); });
    // The same calls by hand: the attributes of each folder, then the move (back).
    bare += bench::Seconds([&] {
      for (const std::string& folder : lines[p]) {
        const size_t cut = folder.find_last_of('\\') + 1;
        const std::string renamed = folder.substr(0, cut) + "x" + folder.substr(cut);
        WIN32_FILE_ATTRIBUTE_DATA data;
        GetFileAttributesExA(renamed.c_str(), GetFileExInfoStandard, &data);
        MoveFileA(renamed.c_str(), folder.c_str());
      }
    });
  }
  if (results.counters[0] != parents * children || predicted.counters != results.counters)
    std::printf("rename: unexpected outcome (%g renamed)\n", results.counters[0]);
  bench::ReportAgainst("rename run, 10,000 folders", parents * children, run, bare, "loop", "folders");
  bench::ReportAgainst("rename simulation, 10,000 folders", parents * children, simulation, run, "run", "folders");
}

void Delete(const testsupport::TempDir& temp) {
  const int folders = 500, files = 100, slices = 10;
  const std::string engineRoot = temp / "engine", bareRoot = temp / "bare";
  MakeTwoTrees(engineRoot, bareRoot, folders, files);
  treeops::DeleteJob job;
  job.includes = {engineRoot};
  job.mode = treeops::DeleteMode::CompleteFolders;
  job.protectedFolders = treeops::SystemProtectedFolders("");
  treeops::DeleteResults predicted, results;
  const double simulation = bench::Seconds([&] { treeops::RunDelete(treeops::PreviewDelete(job), true, predicted); });
  double run = 0, bare = 0;
  for (int s = 0; s < slices; ++s) {
    job.includes.clear();
    for (int d = s * folders / slices; d < (s + 1) * folders / slices; ++d) job.includes.push_back(engineRoot + "\\" + Name("d", d));
    // The run plans again first, as the page does before it deletes.
    run += bench::Seconds([&] { treeops::RunDelete(treeops::PreviewDelete(job), false, results); });
    // The same calls by hand: list each folder, delete its files, remove it.
    bare += bench::Seconds([&] {
      for (int d = s * folders / slices; d < (s + 1) * folders / slices; ++d) {
        const std::string folder = bareRoot + "\\" + Name("d", d);
        std::vector<std::string> names;
        core::ForEachFolderEntry(folder, "*", [&](const WIN32_FIND_DATAA& f) { names.push_back(folder + "\\" + f.cFileName); });
        for (const std::string& file : names) DeleteFileA(file.c_str());
        RemoveDirectoryA(folder.c_str());
      }
    });
  }
  if (results.counters[1] != folders * files || results.counters[1] != predicted.counters[1])
    std::printf("delete: unexpected outcome (%g files)\n", results.counters[1]);
  bench::ReportAgainst("delete run, 50,000 files in 500 folders", folders * files, run, bare, "loop", "files");
  bench::ReportAgainst("delete simulation, 50,000 files", folders * files, simulation, run, "run", "files");
}

void Copy(const testsupport::TempDir& temp) {
  // 200 folders (20 of 9 subfolders each) and 1,000 files (5 in each).
  const std::string structure = temp / "structure";
  std::vector<std::string> relFolders;
  for (int a = 0; a < 20; ++a) {
    relFolders.push_back(Name("a", a));
    for (int b = 0; b < 9; ++b) relFolders.push_back(Name("a", a) + "\\" + Name("b", b));
  }
  for (const std::string& f : relFolders) {
    testsupport::MakeFolders(structure + "\\" + f);
    for (int i = 0; i < 5; ++i) SmallFile(structure + "\\" + f + "\\" + Name("f", i) + ".txt");
  }
  const int mains = 20;
  treeops::CopyJob job;
  job.structures = {structure};
  job.option = treeops::CopyOption::SubOnlyWithFiles;
  job.patterns = {"*.*"};
  job.protectedFolders = treeops::SystemProtectedFolders("");
  for (int m = 0; m < mains; ++m) {
    job.includes.push_back(temp / ("engine\\" + Name("m", m)));
    testsupport::MakeFolders(job.includes.back());
    testsupport::MakeFolders(temp / ("bare\\" + Name("m", m)));
  }
  treeops::CopyResults predicted, results;
  treeops::CopyJournal journal;
  const double simulation = bench::Seconds([&] { treeops::RunCopy(treeops::PreviewCopy(job), true, predicted, journal); });
  const std::deque<std::string> all = job.includes;
  double run = 0, bare = 0;
  for (int m = 0; m < mains; ++m) {
    job.includes = {all[m]};
    run += bench::Seconds([&] { treeops::RunCopy(treeops::PreviewCopy(job), false, results, journal); });
    // The same calls by hand: list the structure level by level, make each folder, copy each file.
    const std::string main = temp / ("bare\\" + Name("m", m));
    bare += bench::Seconds([&] {
      std::deque<std::string> queue{""};
      while (!queue.empty()) {
        const std::string rel = queue.front();
        queue.pop_front();
        std::vector<std::string> files;
        core::ForEachFolderEntry(rel.empty() ? structure : structure + "\\" + rel, "*", [&](const WIN32_FIND_DATAA& d) {
          const std::string child = rel.empty() ? std::string(d.cFileName) : rel + "\\" + d.cFileName;
          if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CreateDirectoryA((main + "\\" + child).c_str(), nullptr);
            queue.push_back(child);
          } else {
            files.push_back(child);
          }
        });
        for (const std::string& f : files) CopyFileA((structure + "\\" + f).c_str(), (main + "\\" + f).c_str(), TRUE);
      }
    });
  }
  if (results.counters[6] != mains * 1000 || predicted.counters[6] != results.counters[6])
    std::printf("copy: unexpected outcome (%g files)\n", results.counters[6]);
  bench::ReportAgainst("copy run, 200 folders + 1,000 files x 20", mains * 1200, run, bare, "loop", "items");
  bench::ReportAgainst("copy simulation", mains * 1200, simulation, run, "run", "items");
}

} // namespace

// One argument (rename, delete or copy) runs that part alone.
int main(int argc, char** argv) {
  const std::string only = argc > 1 ? argv[1] : "";
  if (only.empty() || only == "rename") { testsupport::TempDir temp; Rename(temp); }
  if (only.empty() || only == "delete") { testsupport::TempDir temp; Delete(temp); }
  if (only.empty() || only == "copy") { testsupport::TempDir temp; Copy(temp); }
  return 0;
}
