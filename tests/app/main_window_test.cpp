// The program's start, its main window and menu, and its end.
#include "app/frmMain.h"
#include "core/settings_file.h"
#include "core/settings_store.h"
#include "support/program_fixture.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>

using testsupport::ProgramTest;
using testsupport::ReadFile;

namespace {

std::vector<std::string> MenuCaptions(HMENU menu) {
  std::vector<std::string> captions;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[128] = "";
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    captions.push_back(text);
  }
  return captions;
}

class MainWindow : public ProgramTest {};
class FirstStart : public ProgramTest {
protected:
  FirstStart() { seedSettings = false; }
};

TEST_F(FirstStart, ShowsThePathListPageFirstAndWritesTheDefaults) {
  EXPECT_EQ(frmMain->Caption(), "Vextil");
  EXPECT_EQ(frmMain->pgeMain.PageCount(), 7);
  EXPECT_EQ(frmMain->pgeMain.Page(0), &frmMain->tabFolderCreate05);
  EXPECT_EQ(frmMain->pgeMain.ActivePage(), &frmMain->tabFolderCreate05);
  EXPECT_TRUE(frmMain->tabFolderCreate05.Visible());
  EXPECT_EQ(frmMain->pgeMain.TabCaptions(),
            (std::vector<std::string>{"Creating Folder(s)   - From a List of Paths.",
                                      "Creating Folder(s)  - From a List of Strings.",
                                      "Creating Folder(s)  - Increased Numbers.",
                                      "Creating Folder -Manually."}));
  EXPECT_FALSE(frmMain->tabFoldersCopy02.TabVisible());
  EXPECT_FALSE(frmMain->tabFoldersDelete01.TabVisible());
  EXPECT_FALSE(frmMain->tabFoldersRename01.TabVisible());

  std::string file = ReadFile(dir->Path() + "\\default.set");
  EXPECT_EQ(file.size(), 2358528u);
  EXPECT_EQ(file.size() / core::kSettingsRecordSize, 444u);
  EXPECT_TRUE(seam.boxes.empty());
  EXPECT_EQ(core::Settings().GetStartupDirectory(), dir->Path());
  EXPECT_EQ(core::Settings().GetFilePatternList(), core::SettingsList{"*.*"});
  // The main window's hints stay up as long as a tooltip can keep them.
  EXPECT_EQ(SendMessageA(frmMain->TooltipHandle(), TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 32767);
}

TEST_F(FirstStart, ASettingsFileThatCannotBeWrittenShows0130AndTheProgramRunsOnDefaults) {
  StopProgram();
  const std::string file = dir->Path() + "\\default.set";
  ASSERT_TRUE(DeleteFileA(file.c_str()));
  ASSERT_TRUE(CreateDirectoryA((file + ".tmp").c_str(), nullptr));
  StartProgram();
  ASSERT_EQ(seam.boxes.size(), 1u);
  EXPECT_EQ(seam.Last().caption, "Severe Error!    Msg no: 0130.");
  EXPECT_EQ(seam.Last().flags, 0x10u);
  EXPECT_EQ(seam.Last().owner, ui::BoxOwner::None);
  EXPECT_FALSE(testsupport::PathExists(file));
  EXPECT_EQ(core::Settings().GetFilePatternList(), core::SettingsList{"*.*"});
  RemoveDirectoryA((file + ".tmp").c_str());
}

TEST_F(MainWindow, SecondStartLoadsTheFileAndLeavesItAsItWas) {
  std::string path = dir->Path() + "\\default.set";
  core::Settings().AddDelimiter("+");  // a change that only the file can undo
  StopProgram();
  std::string before = ReadFile(path);
  StartProgram();
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_EQ(core::Settings().GetDelimiterList().size(), 17u);
  EXPECT_EQ(core::Settings().GetIncludeFileTypes().size(), 172u);
  EXPECT_TRUE(seam.boxes.empty());
}

TEST_F(MainWindow, AStoredDirectoryBecomesTheStartupDirectoryForHelpAndTheTutorialPage) {
  testsupport::TempDir other;
  core::Settings().SetStartupDirectory(other.Path());
  ASSERT_TRUE(core::SaveClass(dir->Path() + "\\default.set").Save());
  StopProgram();
  StartProgram();
  EXPECT_EQ(core::Settings().GetStartupDirectory(), other.Path());

  OpenBasicHtm();  // what the tutorial item of the (hidden) Misc menu runs
  ASSERT_EQ(seam.shellOpens.size(), 1u);
  EXPECT_EQ(seam.shellOpens[0], "basic.htm||");
  EXPECT_EQ(seam.shellOpenCurrentDirs[0], other.Path());
  char current[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(std::string(current), dir->Path());  // set back afterwards

  seam.helpQuits.clear();
  seam.helpQuitCurrentDirs.clear();
  StopProgram();
  ASSERT_EQ(seam.helpQuits.size(), 1u);
  EXPECT_EQ(seam.helpQuits[0], "VEXTIL.HLP");
  EXPECT_EQ(seam.helpQuitCurrentDirs[0], other.Path());
}

TEST_F(MainWindow, MenuShowsFileAndHelpAndRunsTheirItems) {
  HMENU bar = GetMenu(frmMain->Handle());
  EXPECT_EQ(MenuCaptions(bar), (std::vector<std::string>{"&File", "Misc.", "&Help"}));
  EXPECT_EQ(MenuCaptions(GetSubMenu(bar, 0)), (std::vector<std::string>{"E&xit"}));
  EXPECT_EQ(MenuCaptions(GetSubMenu(bar, 1)), (std::vector<std::string>{"Manage Separators"}));
  EXPECT_EQ(MenuCaptions(GetSubMenu(bar, 2)),
            (std::vector<std::string>{"OverView", "Visit Vextil on the Web.", "&About..."}));

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
  ASSERT_EQ(seam.boxes.size(), 1u);
  EXPECT_EQ(seam.Last().text,
            "Unable to activate help !\n\nThe help file could be damaged. \n\nE-mail us "
            "immediately, please!");
  EXPECT_EQ(seam.Last().caption, "Severe Error!    Msg no: 0103.");
  EXPECT_EQ(seam.Last().flags, 0x10u);
  EXPECT_EQ(seam.Last().owner, ui::BoxOwner::None);
}

TEST_F(MainWindow, ClosingByTheTitleBarEndsTheLoopWithoutDestroyingWindowsInAHandler) {
  SendMessageA(frmMain->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(ui::App().Terminated());
  EXPECT_NE(frmMain->Handle(), nullptr);  // windows go only after the loop
}

} // namespace
