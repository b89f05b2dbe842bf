// Speed of creation runs (strings, numbers, path list), headless, against bare
// CreateDirectoryA loops over the same names in this process. Under Wine each
// CreateDirectoryA costs in proportion to its folder's entries, so the default
// is 3,000 items; "full" runs 30,000.
#include "create/creation_engine.h"
#include "support/temp_dir.h"
#include "bench/bench_timing.h"

#include <functional>
#include <string>

namespace {

// Runs a job headless on fresh counters; returns the folders it made.
double RunJob(const core::CreationJob& job) {
  core::StructureTotals totals;
  core::FileSizeMap files;
  core::MeasureStructures(job.structures, job.mode, core::AttachWithFiles(job.mode), totals, files);
  core::CreationCounters counters{};
  core::CreationResultLists results;
  core::CreationJournal journal;
  core::CreationStringList copied;
  core::CreationSink sink;
  core::CreationEngine(counters, results, journal, copied, totals, files, sink).Run(job);
  return counters[core::CounterIndex(core::kCreated, core::kFolders)];
}

// The bare loop makes the names of items(base\bare), the engine those of items(base\engine).
void Compare(const char* what, const std::string& base,
             const std::function<core::ItemSource(const std::string&)>& items) {
  for (const char* dest : {"\\bare\\P1", "\\bare\\P2", "\\engine\\P1", "\\engine\\P2"})
    testsupport::MakeFolders(base + dest);
  const core::ItemSource bare = items(base + "\\bare");
  double made = 0;
  const double tBare = bench::Seconds([&] {
    std::string path;
    for (size_t i = 0; i < bare.count; ++i) {
      bare.compose(i, path);
      if (CreateDirectoryA(path.c_str(), nullptr)) ++made;
    }
  });
  core::CreationJob job;
  job.items = items(base + "\\engine");
  const double t = bench::Seconds([&] { made = RunJob(job); });
  bench::ReportAgainst(what, made, t, tBare, "loop", "folders");
}

} // namespace

int main(int argc, char** argv) {
  testsupport::TempDir dir;
  const int count = argc > 1 && std::string(argv[1]) == "full" ? 30000 : 3000;
  Compare("string list", dir / "s", [&](const std::string& dest) {
    core::CreationStringList items;
    for (int i = 0; i < count; ++i) items.push_back("item" + std::to_string(100000 + i));
    return core::StringListItems(items, core::ComposeNameParts(dest, "pre", "suf", true));
  });
  Compare("numbers", dir / "n", [&](const std::string& dest) {
    return core::NumberItems(1, count + 1, true, 5, core::ComposeNameParts(dest, "A", "", true));
  });
  Compare("path list, two parents", dir / "p", [&](const std::string& dest) {
    core::CreationStringList lines;
    for (int i = 0; i < count; ++i)
      lines.push_back(dest + (i % 2 ? "\\P1\\line" : "\\P2\\line") + std::to_string(i));
    return core::PathListItems(lines, "X", "", true);
  });
  return 0;
}
