// The program's start, its main window and menu, and its end.
#include "app/frmMain.h"
#include "core/settings_file.h"
#include "core/settings_store.h"
#include "support/program_fixture.h"
#include "support/wine_unix.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <cstring>

using testsupport::ProgramTest;
using testsupport::ReadFile;

namespace {

class MainWindow : public ProgramTest {};
class FirstStart : public ProgramTest {
protected:
  FirstStart() { seedSettings = false; }
};

TEST_F(FirstStart, WritesTheDefaults) {
  std::string file = ReadFile(dir->Path() + "\\default.set");
  EXPECT_EQ(file.size(), 444u * core::kSettingsRecordSize);
  EXPECT_TRUE(seam.boxes.empty());
  EXPECT_EQ(core::Settings().GetStartupDirectory(), dir->Path());
  EXPECT_EQ(core::Settings().GetFilePatternList(), core::SettingsList{"*.*"});
  // Every file type is active, and both pages that use them say so.
  EXPECT_EQ(frmMain->Vol07.lblVol07FileTypesAllSelected.Text(), "All.");
  EXPECT_EQ(frmMain->Vol08.lblVol08FileTypesAllSelected.Text(), "All.");
}

// The settings file cannot be written: the start-up folder went from under
// the program (removed on the Linux side, as a pulled-out drive takes it).
TEST_F(FirstStart, ASettingsFileThatCannotBeWrittenShows0130AndTheProgramRunsOnDefaults) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "the start-up folder is removed on the Linux side";
  StopProgram();
  const std::string gone = dir->Path() + "\\gone";
  ASSERT_TRUE(CreateDirectoryA(gone.c_str(), nullptr));
  ASSERT_TRUE(SetCurrentDirectoryA(gone.c_str()));
  ASSERT_TRUE(testsupport::RunUnix("/bin/rmdir " + testsupport::UnixPathOf(gone)));
  ASSERT_TRUE(testsupport::WaitForPath(false, gone));
  StartProgram();
  SetCurrentDirectoryA(dir->Path().c_str());
  EXPECT_EQ(seam.Captions(), std::vector<std::string>{"Severe Error!    Msg no: 0130."});
  EXPECT_EQ(seam.Last().owner, ui::BoxOwner::None);
  EXPECT_FALSE(testsupport::PathExists(gone));
  EXPECT_EQ(core::Settings().GetFilePatternList(), core::SettingsList{"*.*"});
}

TEST_F(MainWindow, AStoredDirectoryBecomesTheStartupDirectoryOfTheHelpShutdown) {
  testsupport::TempDir other;
  core::Settings().SetStartupDirectory(other.Path());
  ASSERT_TRUE(core::SaveClass(dir->Path() + "\\default.set").Save());
  StopProgram();
  StartProgram();
  EXPECT_EQ(core::Settings().GetStartupDirectory(), other.Path());  // the file was loaded

  seam.helpQuits.clear();
  seam.helpQuitCurrentDirs.clear();
  StopProgram();
  ASSERT_EQ(seam.helpQuits.size(), 1u);
  EXPECT_EQ(seam.helpQuits[0], "VEXTIL.HLP");
  EXPECT_EQ(seam.helpQuitCurrentDirs[0], other.Path());
}

TEST_F(MainWindow, MenuItemsRunTheirCommands) {
  SendMessageA(frmMain->Handle(), WM_COMMAND, MAKEWPARAM(IDM_VISITVEXTILONTHEWEB1, 0), 0);
  ASSERT_EQ(seam.shellOpens.size(), 1u);
  EXPECT_EQ(seam.shellOpens[0].substr(0, 8), "https://");

  SendMessageA(frmMain->Handle(), WM_COMMAND, MAKEWPARAM(IDM_EXIT1, 0), 0);
  EXPECT_TRUE(ui::App().Terminated());
  EXPECT_FALSE(frmMain->Visible());
  EXPECT_EQ(seam.helpQuits.size(), 1u);
}

TEST_F(MainWindow, AFailedHelpShutdownIsReportedAndTheProgramStillEnds) {
  seam.helpResult = false;
  StopProgram();
  EXPECT_EQ(seam.Shown(), std::vector<std::string>{testsupport::Box(
                              "Severe Error!    Msg no: 0103.", 0x10,
                              "Unable to activate help !\n\nThe help file could be damaged. \n\nE-mail us "
                              "immediately, please!")});
  EXPECT_EQ(seam.Last().owner, ui::BoxOwner::None);
}

TEST_F(MainWindow, ClosingByTheTitleBarEndsTheLoopWithoutDestroyingWindowsInAHandler) {
  SendMessageA(frmMain->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(ui::App().Terminated());
  EXPECT_NE(frmMain->Handle(), nullptr);  // windows go only after the loop
}

} // namespace
