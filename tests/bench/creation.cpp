// Speed of the creation engine, headless: 30,000 strings made into folders
// without a structure and with a small structure attached to each, next to the
// same number of plain CreateDirectoryA calls in this process. Prints folders
// per second; removes everything it made.
#include "create/creation_engine.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

namespace {

double Seconds(const std::function<void()>& work) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  work();
  QueryPerformanceCounter(&end);
  return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

void Report(const char* what, double folders, double seconds) {
  std::printf("%-52s %9.0f folders in %7.3f s = %10.0f folders/s\n", what, folders, seconds,
              seconds > 0 ? folders / seconds : 0.0);
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

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
  job.parts = core::ComposeNameParts(dest, "pre", "suf", true);
  for (int i = 0; i < count; ++i) job.items.push_back("item" + std::to_string(100000 + i));
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
  double t = Seconds([&] {
    for (int i = 0; i < count; ++i)
      if (CreateDirectoryA((plain + "\\pre-item" + std::to_string(100000 + i) + "-suf").c_str(),
                           nullptr))
        ++made;
  });
  Report("plain CreateDirectoryA", made, t);

  const std::string dest1 = base + "\\nothing";
  t = Seconds([&] { made = RunEngine(dest1, count, "", core::AttachMode::Nothing); });
  Report("engine, Attach Nothing", made, t);

  // A structure of two subfolders and two small files.
  const std::string structure = base + "\\T";
  CreateDirectoryA(structure.c_str(), nullptr);
  CreateDirectoryA((structure + "\\x").c_str(), nullptr);
  CreateDirectoryA((structure + "\\x\\y").c_str(), nullptr);
  const std::string dest2 = base + "\\structure";
  t = Seconds([&] { made = RunEngine(dest2, count, structure, core::AttachMode::MainWithoutFiles); });
  Report("engine, structure of 3 folders (without files)", made, t);

  RemoveTree(base);
  return 0;
}
