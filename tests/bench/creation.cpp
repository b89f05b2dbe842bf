// Speed of the creation engine, headless: 30,000 strings made into folders
// without a structure and with a small structure attached to each, next to the
// same number of plain CreateDirectoryA calls in this process. Prints folders
// per second; removes everything it made.
#include "create/creation_engine.h"
#include "support/temp_dir.h"
#include "bench/bench_timing.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

namespace {

// Runs the engine on count strings under dest; returns the folders it made.
double RunEngine(const std::string& dest, int count, const std::string& structure,
                 core::AttachMode mode) {
  core::CreationCounters counters{};
  core::CreationResultLists results;
  core::CreationJournal journal;
  core::CreationStringList copied;
  core::StructureTotals totals;
  core::FileSizeMap files;
  core::CreationJob job;
  core::CreationStringList items;
  for (int i = 0; i < count; ++i) items.push_back("item" + std::to_string(100000 + i));
  job.items = core::StringListItems(items, core::ComposeNameParts(dest, "pre", "suf", true));
  if (!structure.empty()) job.structures.push_back(structure);
  job.mode = mode;
  core::MeasureStructures(job.structures, mode, core::AttachWithFiles(mode), totals, files);
  core::CreationSink sink;  // headless: nothing shown, nothing pumped
  core::CreationEngine engine(counters, results, journal, copied, totals, files, sink);
  engine.Run(job);
  return counters[core::CounterIndex(core::kCreated, core::kFolders)] +
         counters[core::CounterIndex(core::kCreated, core::kSubFolders)];
}

} // namespace

int main() {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string base = std::string(temp) + "vextil_bench_creation_" +
                           std::to_string(GetCurrentProcessId());
  CreateDirectoryA(base.c_str(), nullptr);
  const int count = 30000;

  const std::string plain = base + "\\plain";
  CreateDirectoryA(plain.c_str(), nullptr);
  double made = 0;
  double t = bench::Seconds([&] {
    for (int i = 0; i < count; ++i)
      if (CreateDirectoryA((plain + "\\pre-item" + std::to_string(100000 + i) + "-suf").c_str(),
                           nullptr))
        ++made;
  });
  bench::Report("plain CreateDirectoryA", made, t, "folders");

  const std::string dest1 = base + "\\nothing";
  t = bench::Seconds([&] { made = RunEngine(dest1, count, "", core::AttachMode::Nothing); });
  bench::Report("engine, Attach Nothing", made, t, "folders");

  // A structure of two subfolders and two small files.
  const std::string structure = base + "\\T";
  CreateDirectoryA(structure.c_str(), nullptr);
  CreateDirectoryA((structure + "\\x").c_str(), nullptr);
  CreateDirectoryA((structure + "\\x\\y").c_str(), nullptr);
  const std::string dest2 = base + "\\structure";
  t = bench::Seconds([&] { made = RunEngine(dest2, count, structure, core::AttachMode::MainWithoutFiles); });
  bench::Report("engine, structure of 3 folders (without files)", made, t, "folders");

  testsupport::RemoveTree(base);
  return 0;
}
