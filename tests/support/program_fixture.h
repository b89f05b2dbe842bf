// Starts the real program in a fresh temporary start-up folder, boxes and modal windows scripted.
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

  // Seeds the folder with the settings file a first start writes (made once per build); a
  // fixture testing the first start itself sets this false in its constructor.
  bool seedSettings = true;
  // The start-up folder below the test's folder (made by SetUp), so that a
  // folder holding it is the test's own too; empty: the test's folder itself.
  std::string startupBelow;

  ScriptSeam seam;
  std::unique_ptr<TempDir> dir;
  std::string savedDirectory;
  bool running = false;

private:
  std::string SeededSettingsFile();
};

} // namespace testsupport
