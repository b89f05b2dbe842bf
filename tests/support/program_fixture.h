// Starts the real program for a test: a fresh temporary folder as the start-up
// directory, every window created headless, the main window shown, and every
// box and modal window answered by the test's script.
#pragma once
#include "support/script_seam.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace testsupport {

class ProgramTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // Creates the windows and shows the main window (SetUp calls it).
  void StartProgram();
  // Ends the program as closing it would: FormDestroy of every window runs.
  void StopProgram();

  // The start-up folder gets a copy of the settings file a first start writes,
  // made once per build of the test program, so the start loads it instead of
  // building and writing 2.3 MB. A fixture that tests the first start itself
  // sets this false in its constructor.
  bool seedSettings = true;

  ScriptSeam seam;
  std::unique_ptr<TempDir> dir;
  std::string savedDirectory;
  bool running = false;

private:
  std::string SeededSettingsFile();
};

} // namespace testsupport
