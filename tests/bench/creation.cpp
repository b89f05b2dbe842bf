// Speed of the creation engine, headless: 30,000 strings made into folders
// without a structure and with a small structure attached to each, next to the
// same number of plain CreateDirectoryA calls in this process. Prints folders
// per second; removes everything it made.
#include "create/creation_engine.h"
#include "support/temp_dir.h"
#include "bench/bench_timing.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

namespace {

// A job of count strings under dest, with one structure (or none) attached.
core::CreationJob StringJob(const std::string& dest, int count, const std::string& structure,
                            core::AttachMode mode) {
  core::CreationStringList items;
  for (int i = 0; i < count; ++i) items.push_back("item" + std::to_string(100000 + i));
  core::CreationJob job;
  job.items = core::StringListItems(items, core::ComposeNameParts(dest, "pre", "suf", true));
  if (!structure.empty()) job.structures.push_back(structure);
  job.mode = mode;
  return job;
}

// Bytes the process holds privately now.
double PrivateBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PagefileUsage);
}

// Runs a job headless on fresh counters, its structures measured first;
// returns the folders and subfolders it made. peak, when given, takes the most
// private memory seen while it ran.
double RunJob(const core::CreationJob& job, bool simulate, double* peak = nullptr) {
  core::StructureTotals totals;
  core::FileSizeMap files;
  core::MeasureStructures(job.structures, job.mode, core::AttachWithFiles(job.mode), totals, files);
  core::CreationCounters counters{};
  core::CreationResultLists results;
  core::CreationJournal journal;
  core::CreationStringList copied;
  core::CreationSink sink;
  if (peak)
    sink.progress = [peak](size_t i) {
      if (i % 256 == 0) *peak = std::max(*peak, PrivateBytes());
      return true;
    };
  core::CreationEngine engine(counters, results, journal, copied, totals, files, sink);
  if (simulate)
    engine.Simulate(job);
  else
    engine.Run(job);
  return counters[core::CounterIndex(core::kCreated, core::kFolders)] +
         counters[core::CounterIndex(core::kCreated, core::kSubFolders)];
}

} // namespace

int main(int argc, char** argv) {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string base = std::string(temp) + "vextil_bench_creation_" +
                           std::to_string(GetCurrentProcessId());
  CreateDirectoryA(base.c_str(), nullptr);
  // Under Wine each CreateDirectoryA costs time in proportion to the entries
  // of its folder, so the full sizes (30,000 strings and lines, 30,001
  // numbers) take many minutes: the default is a tenth; "full" runs them.
  const bool full = argc > 1 && std::string(argv[1]) == "full";
  const int count = full ? 30000 : 3000;

  const std::string plain = base + "\\plain";
  CreateDirectoryA(plain.c_str(), nullptr);
  double made = 0;
  double t = 0;
  const double tBare = bench::Seconds([&] {
    for (int i = 0; i < count; ++i)
      if (CreateDirectoryA((plain + "\\pre-item" + std::to_string(100000 + i) + "-suf").c_str(),
                           nullptr))
        ++made;
  });
  bench::Report("plain CreateDirectoryA", made, tBare, "folders");

  const std::string dest1 = base + "\\nothing";
  const core::CreationJob nothing = StringJob(dest1, count, "", core::AttachMode::Nothing);
  t = bench::Seconds([&] { made = RunJob(nothing, false); });
  bench::ReportAgainst("engine, Attach Nothing", made, t, tBare, "loop", "folders");

  // A structure of two subfolders and two small files.
  const std::string structure = base + "\\T";
  CreateDirectoryA(structure.c_str(), nullptr);
  CreateDirectoryA((structure + "\\x").c_str(), nullptr);
  CreateDirectoryA((structure + "\\x\\y").c_str(), nullptr);
  const std::string dest2 = base + "\\structure";
  const core::CreationJob attached = StringJob(dest2, count, structure, core::AttachMode::MainWithoutFiles);
  t = bench::Seconds([&] { made = RunJob(attached, false); });
  bench::Report("engine, structure of 3 folders (without files)", made, t, "folders");

  // Increased numbers: 30,001 folders against a bare loop of the same names.
  const int numbers = full ? 30001 : 3001;
  const std::string bareN = base + "\\bareN", engineN = base + "\\engineN";
  CreateDirectoryA(bareN.c_str(), nullptr);
  CreateDirectoryA(engineN.c_str(), nullptr);
  const core::FolderNameParts bareParts = core::ComposeNameParts(bareN, "A", "", true);
  core::ItemSource bareNames = core::NumberItems(1, numbers, true, 5, bareParts);
  made = 0;
  const double tBareN = bench::Seconds([&] {
    std::string path;
    for (size_t i = 0; i < bareNames.count; ++i) {
      bareNames.compose(i, path);
      if (CreateDirectoryA(path.c_str(), nullptr)) ++made;
    }
  });
  bench::Report("numbers: bare CreateDirectoryA of the names", made, tBareN, "folders");
  core::CreationJob numberJob;
  numberJob.items = core::NumberItems(1, numbers, true, 5, core::ComposeNameParts(engineN, "A", "", true));
  const double tEngineN = bench::Seconds([&] { made = RunJob(numberJob, false); });
  bench::ReportAgainst("numbers: engine run", made, tEngineN, tBareN, "loop", "folders");

  // Name generation alone.
  const int names = 1000000;
  core::ItemSource generator =
      core::NumberItems(1, names, true, 7, core::ComposeNameParts(base, "prefix", "suffix", true));
  size_t length = 0;
  const double tNames = bench::Seconds([&] {
    std::string path;
    for (size_t i = 0; i < generator.count; ++i) {
      generator.compose(i, path);
      length += path.size();
    }
  });
  bench::Report("numbers: names composed", names, tNames, "names");

  // Path list: 30,000 lines under two parents, against a bare loop.
  const int lines = full ? 30000 : 3000;
  for (const char* parent : {"\\bareP1", "\\bareP2", "\\pathP1", "\\pathP2"})
    CreateDirectoryA((base + parent).c_str(), nullptr);
  core::CreationStringList pathLines;
  for (int i = 0; i < lines; ++i)
    pathLines.push_back(base + (i % 2 ? "\\pathP1\\line" : "\\pathP2\\line") + std::to_string(i));
  made = 0;
  const double tBareP = bench::Seconds([&] {
    for (int i = 0; i < lines; ++i)
      if (CreateDirectoryA((base + (i % 2 ? "\\bareP1\\X-line" : "\\bareP2\\X-line") +
                            std::to_string(i))
                               .c_str(),
                           nullptr))
        ++made;
  });
  bench::Report("path list: bare CreateDirectoryA", made, tBareP, "folders");
  core::CreationJob pathJob;
  pathJob.items = core::PathListItems(pathLines, "X", "", true);
  const double tEngineP = bench::Seconds([&] { made = RunJob(pathJob, false); });
  bench::ReportAgainst("path list: engine run", made, tEngineP, tBareP, "loop", "folders");

  // A numbers simulation: a structure of 1,000 folders over 30,001 numbers
  // (always the full size: nothing is created),
  // predicted without asking the disk below a new folder.
  const std::string big = base + "\\Big";
  CreateDirectoryA(big.c_str(), nullptr);
  for (int i = 0; i < 1000; ++i)
    CreateDirectoryA((big + "\\f" + std::to_string(i)).c_str(), nullptr);
  core::CreationJob simJob;
  simJob.items = core::NumberItems(1, 30001, false, 5,
                                   core::ComposeNameParts(base + "\\simulated", "", "", true));
  simJob.structures = {big};
  simJob.mode = core::AttachMode::SubOnlyWithoutFiles;
  const double before = PrivateBytes();
  double peak = before;
  const double tSim = bench::Seconds([&] { made = RunJob(simJob, true, &peak); });
  bench::Report("numbers simulation, 1,000-folder structure", made, tSim, "folders");
  std::printf("%-52s %9.1f MB more at the peak\n", "numbers simulation, private memory",
              (peak - before) / 1048576.0);
  if (length == 0) std::printf("\n");

  testsupport::RemoveTree(base);
  return 0;
}
