#include "support/program_fixture.h"

#include "app/program.h"
#include "core/settings_file.h"
#include "core/settings_store.h"
#include "ui/application.h"
#include "ui/form.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace testsupport {

// The settings file a first start writes, made once per build of the test
// program (in the temporary folder, named after the program's time stamp so a
// new build makes a new one) by a real first start in a folder of its own.
std::string ProgramTest::SeededSettingsFile() {
  char module[MAX_PATH] = "", temp[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  GetTempPathA(MAX_PATH, temp);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExA(module, GetFileExInfoStandard, &data);
  char name[96];
  std::snprintf(name, sizeof name, "vextil-seed-%08lx%08lx.set",
                data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
  const std::string seed = std::string(temp) + name;
  if (GetFileAttributesA(seed.c_str()) != INVALID_FILE_ATTRIBUTES) return seed;
  TempDir work;
  SetCurrentDirectoryA(work.Path().c_str());
  ScriptSeam quiet;  // what this start shows is no part of the test
  StartProgram();
  StopProgram();
  SetCurrentDirectoryA(savedDirectory.c_str());  // so the folder can go
  // Seeds of earlier builds go.
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((std::string(temp) + "vextil-seed-*.set").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (std::string(name) != found.cFileName)
        DeleteFileA((std::string(temp) + found.cFileName).c_str());
    } while (FindNextFileA(find, &found));
    FindClose(find);
  }
  // Moved in whole, so tests starting together never read half a file.
  MoveFileExA((work / core::kSettingsFileName).c_str(), seed.c_str(), 0);
  return GetFileAttributesA(seed.c_str()) != INVALID_FILE_ATTRIBUTES ? seed : std::string();
}

namespace {
// A copy of the seed whose start-up directory record names folder.
void PlaceSettingsFile(const std::string& seed, const std::string& folder) {
  const std::string file = folder + "\\" + core::kSettingsFileName;
  if (!CopyFileA(seed.c_str(), file.c_str(), FALSE)) return;
  HANDLE h = CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  // The start-up directory is the second record.
  core::SettingsRecord record;
  DWORD done = 0;
  SetFilePointer(h, core::kSettingsRecordSize, nullptr, FILE_BEGIN);
  if (::ReadFile(h, &record, sizeof record, &done, nullptr) && done == sizeof record &&
      record.id == 2 && folder.size() < core::kSettingsTextSize) {
    std::fill(std::begin(record.text), std::end(record.text), '\0');
    folder.copy(record.text, folder.size());
    SetFilePointer(h, core::kSettingsRecordSize, nullptr, FILE_BEGIN);
    ::WriteFile(h, &record, sizeof record, &done, nullptr);
  }
  CloseHandle(h);
}
} // namespace

void ProgramTest::SetUp() {
  savedDirectory = CurrentDirectory();
  dir = std::make_unique<TempDir>();
  const std::string startup = startupBelow.empty() ? dir->Path() : dir->AddFolder(startupBelow);
  if (seedSettings) {
    const std::string seed = SeededSettingsFile();
    if (!seed.empty()) PlaceSettingsFile(seed, startup);
  }
  SetCurrentDirectoryA(startup.c_str());
  StartProgram();
}

void ProgramTest::StartProgram() {
  core::Settings().Reset();
  ui::App().Initialize();
  CreateProgramWindows();
  ui::App().MainForm()->Show();
  ui::App().ProcessMessages();
  running = true;
}

void ProgramTest::StopProgram() {
  if (!running) return;
  ui::App().DestroyForms();
  running = false;
}

void ProgramTest::TearDown() {
  StopProgram();
  EXPECT_EQ(seam.offThread, 0) << "a box or window was asked for off the windows' thread";
  SetCurrentDirectoryA(savedDirectory.c_str());
  dir.reset();
}

} // namespace testsupport
