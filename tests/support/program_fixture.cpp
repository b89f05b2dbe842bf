#include "support/program_fixture.h"

#include "app/program.h"
#include "core/settings_store.h"
#include "ui/application.h"
#include "ui/form.h"

#include <windows.h>

namespace testsupport {

void ProgramTest::SetUp() {
  char buffer[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, buffer);
  savedDirectory = buffer;
  dir = std::make_unique<TempDir>();
  SetCurrentDirectoryA(dir->Path().c_str());
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
  SetCurrentDirectoryA(savedDirectory.c_str());
  dir.reset();
}

} // namespace testsupport
