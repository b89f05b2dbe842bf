// Speed of the rename, delete and copy engines, headless, each next to two
// bare loops in this process: one of the same system calls (the place check's
// and the action on its handle, bench/tree_calls.h), and one of the action
// alone; and each simulation next to its run (and the delete's count, which
// its questions name, next to its run too). 10,000 folders renamed and
// renamed back by the undo, a tree of 50,000 files in 500 folders deleted, a
// structure of 200 folders and 1,000 files copied into 20 folders. Each
// measurement works on a tree of its own,
// never touched before; the engine and the loops take turns in slices of the
// work, in a changing order, so a machine busy with other things slows all alike.
#include "treeops/copy_engine.h"
#include "treeops/delete_engine.h"
#include "treeops/rename_engine.h"
#include "core/remover.h"
#include "support/temp_dir.h"
#include "bench/tree_calls.h"

#include <windows.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace {

using bench::InTurns;
using bench::Name;
using bench::SmallFile;

// folders folders of files files each below every root, made in turns so
// that no tree is the older one on disk.
void MakeTrees(const std::vector<std::string>& roots, int folders, int files) {
  for (const std::string& root : roots) CreateDirectoryA(root.c_str(), nullptr);
  for (int d = 0; d < folders; ++d)
    for (const std::string& root : roots) {
      const std::string folder = root + "\\" + Name("d", d);
      CreateDirectoryA(folder.c_str(), nullptr);
      for (int f = 0; f < files; ++f) SmallFile(folder + "\\" + Name("f", f) + ".txt");
    }
}

void Rename(const testsupport::TempDir& temp) {
  const int parents = 100, children = 100;
  // Three trees alike: the engine's, the same calls', the action alone's.
  const char* trees[] = {"engine", "same", "plain"};
  std::vector<std::deque<std::string>> lines[3];
  for (auto& l : lines) l.resize(parents);
  for (int p = 0; p < parents; ++p)
    for (int c = 0; c < children; ++c)
      for (int t = 0; t < 3; ++t) {
        lines[t][p].push_back(temp / (std::string(trees[t]) + "\\" + Name("p", p) + "\\" + Name("c", c)));
        testsupport::MakeFolders(lines[t][p].back());
      }
  auto renamed = [](const std::string& folder) {
    const size_t cut = folder.find_last_of('\\') + 1;
    return folder.substr(0, cut) + "x" + folder.substr(cut);
  };
  treeops::RenameJob job;
  job.protectedFolders = treeops::SystemProtectedFolders("");
  job.fields.prefix = "x";
  auto original = [](const std::string& folder) {
    const size_t cut = folder.find_last_of('\\') + 1;
    return folder.substr(0, cut) + folder.substr(cut + 1);
  };
  treeops::RenameResults predicted, results;
  double simulation = 0, run = 0, same = 0, plain = 0, undo = 0, undoSame = 0, undoPlain = 0;
  size_t restored = 0;
  for (int p = 0; p < parents; ++p)
    InTurns(p, {[&] {
                  treeops::RenameHistory history;
                  job.lines = lines[0][p];
                  job.dry = true;
                  simulation += bench::Seconds([&] { treeops::RunRename(job, predicted, history); });
                  job.dry = false;
                  run += bench::Seconds([&] { treeops::RunRename(job, results, history); });
                  // Its undo: each folder renamed back, as the page's Undo does.
                  undo += bench::Seconds([&] { restored += treeops::UndoRename(history).restored; });
                },
                [&] {
                  // The same calls: the folder's attributes, its place (its parent's once), the rename;
                  // then the same again to rename each back.
                  const std::string parent = temp / (std::string("same\\") + Name("p", p));
                  same += bench::Seconds([&] { bench::RenameFoldersChecked(parent, lines[1][p], renamed, true); });
                  std::deque<std::string> back;
                  for (const std::string& folder : lines[1][p]) back.push_back(renamed(folder));
                  undoSame += bench::Seconds([&] { bench::RenameFoldersChecked(parent, back, original, false); });
                },
                [&] {
                  plain += bench::Seconds([&] {
                    for (const std::string& folder : lines[2][p]) MoveFileA(folder.c_str(), renamed(folder).c_str());
                  });
                  undoPlain += bench::Seconds([&] {
                    for (const std::string& folder : lines[2][p]) MoveFileA(renamed(folder).c_str(), folder.c_str());
                  });
                }});
  bool done = results.counters[0] == parents * children && predicted.counters == results.counters &&
              restored == size_t(parents * children);
  for (int t = 0; t < 3; ++t)
    done = done && GetFileAttributesA(lines[t][parents - 1].back().c_str()) != INVALID_FILE_ATTRIBUTES;
  if (!done) std::printf("rename: unexpected outcome (%g renamed, %u back)\n", results.counters[0], unsigned(restored));
  bench::ReportBoth("rename run, 10,000 folders", parents * children, run, same, plain, "folders");
  bench::ReportAgainst("rename simulation, 10,000 folders", parents * children, simulation, run, "run", "folders");
  bench::ReportBoth("rename undo, 10,000 folders", parents * children, undo, undoSame, undoPlain, "folders");
}

void Delete(const testsupport::TempDir& temp) {
  const int folders = 500, files = 100, slices = 50;
  const std::string engineRoot = temp / "engine", sameRoot = temp / "same", plainRoot = temp / "plain";
  MakeTrees({engineRoot, sameRoot, plainRoot}, folders, files);
  treeops::DeleteJob job;
  job.mode = treeops::DeleteMode::CompleteFolders;
  job.protectedFolders = treeops::SystemProtectedFolders("");
  treeops::DeleteResults predicted, counted, results;
  double simulation = 0, count = 0, run = 0, same = 0, plain = 0;
  // A bare loop lists the folders of the slice, acts on each file, then on each folder.
  auto bare = [&](int s, const std::string& root, const std::function<void(const std::string&, bool)>& act) {
    std::vector<std::string> slice;
    for (int d = s * folders / slices; d < (s + 1) * folders / slices; ++d) slice.push_back(root + "\\" + Name("d", d));
    bench::PlannedDeletes(slice, act);
  };
  for (int s = 0; s < slices; ++s)
    InTurns(s, {[&] {
                  job.includes.clear();
                  for (int d = s * folders / slices; d < (s + 1) * folders / slices; ++d)
                    job.includes.push_back(engineRoot + "\\" + Name("d", d));
                  // Each plans first, as the page does before it simulates or
                  // deletes: the walk and the count its questions name, then
                  // the run of that plan along the roads the count took.
                  simulation += bench::Seconds([&] { treeops::RunDelete(treeops::PreviewDelete(job), true, predicted); });
                  core::SystemRemover remover;
                  treeops::DeletePlan plan;
                  count += bench::Seconds([&] {
                    plan = treeops::PreviewDelete(job);
                    treeops::CountDelete(plan, remover, counted);
                  });
                  run += bench::Seconds([&] { treeops::RunDelete(plan, false, results, {}, &remover, true); });
                },
                [&] {
                  // The same calls: the check of each item and of its folder, the delete on its handle.
                  same += bench::Seconds([&] {
                    bench::Where(sameRoot);
                    bare(s, sameRoot, [&](const std::string& path, bool folder) {
                      if (folder) bench::Where(path);  // the files' folder, checked once for them all
                      bench::DeleteChecked(path, folder);
                    });
                  });
                },
                [&] {
                  plain += bench::Seconds([&] {
                    bare(s, plainRoot, [](const std::string& path, bool folder) {
                      folder ? RemoveDirectoryA(path.c_str()) : DeleteFileA(path.c_str());
                    });
                  });
                }});
  bool done = results.counters[1] == folders * files && results.counters[1] == predicted.counters[1] &&
              counted.counters == results.counters;
  for (const std::string& root : {sameRoot, plainRoot})
    done = done && GetFileAttributesA((root + "\\" + Name("d", 0)).c_str()) == INVALID_FILE_ATTRIBUTES;
  if (!done) std::printf("delete: unexpected outcome (%g files)\n", results.counters[1]);
  bench::ReportAgainst("delete count (the questions'), 50,000 files", folders * files, count, run, "run", "files");
  bench::ReportBoth("delete count + run, 50,000 files", folders * files, count + run, same, plain, "files");
  bench::ReportBoth("delete run, 50,000 files in 500 folders", folders * files, run, same, plain, "files");
  bench::ReportAgainst("delete simulation, 50,000 files", folders * files, simulation, run, "run", "files");
}

void Copy(const testsupport::TempDir& temp) {
  const std::string structure = temp / "structure";
  bench::MakeStructure(structure);
  const int mains = 20;
  treeops::CopyJob job;
  job.structures = {structure};
  job.option = treeops::CopyOption::SubOnlyWithFiles;
  job.patterns = {"*.*"};
  job.protectedFolders = treeops::SystemProtectedFolders("");
  for (int m = 0; m < mains; ++m) {
    job.includes.push_back(temp / ("engine\\" + Name("m", m)));
    for (const char* tree : {"engine\\", "same\\", "plain\\"}) testsupport::MakeFolders(temp / (tree + Name("m", m)));
  }
  treeops::CopyResults predicted, results;
  treeops::CopyJournal journal;
  const double simulation = bench::Seconds([&] { treeops::RunCopy(treeops::PreviewCopy(job), true, predicted, journal); });
  const std::deque<std::string> all = job.includes;
  // A bare loop lists the structure level by level, makes each folder, copies each file.
  auto bare = [&](const std::string& main, const std::function<void(const std::string&, const std::string&)>& copy) {
    bench::CopyStructure(structure, main, copy);
  };
  bench::RecordedCopies recorded;  // the run's calls, each source's place asked once
  double run = 0, same = 0, plain = 0;
  for (int m = 0; m < mains; ++m)
    InTurns(m, {[&] {
                  job.includes = {all[m]};
                  run += bench::Seconds([&] { treeops::RunCopy(treeops::PreviewCopy(job), false, results, journal); });
                },
                [&] {
                  same += bench::Seconds([&] { bare(temp / ("same\\" + Name("m", m)), recorded); });
                },
                [&] {
                  plain += bench::Seconds([&] {
                    bare(temp / ("plain\\" + Name("m", m)), [](const std::string& from, const std::string& to) {
                      CopyFileA(from.c_str(), to.c_str(), TRUE);
                    });
                  });
                }});
  if (results.counters[6] != mains * 1000 || predicted.counters[6] != results.counters[6])
    std::printf("copy: unexpected outcome (%g files)\n", results.counters[6]);
  bench::ReportBoth("copy run, 200 folders + 1,000 files x 20", mains * 1200, run, same, plain, "items");
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
