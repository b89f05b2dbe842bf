// The creation pages' results windows: titles on activation, Smart Export, OK.
#include "app/frmMain.h"
#include "create/frmStatistic.h"
#include "listwin/frmFileExport.h"
#include "support/press.h"
#include "support/program_fixture.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::ProgramTest;

namespace {

class StatisticWindows : public ProgramTest {
protected:
  // Another window to the front, then the main window back, as a user switches.
  void ActivateMainWindow() {
    frmStatistic02->Show();
    SetActiveWindow(frmStatistic02->Handle());
    ui::App().ProcessMessages();
    SetActiveWindow(frmMain->Handle());
    ui::App().ProcessMessages();
    ASSERT_EQ(ui::App().ActiveForm(), frmMain);
  }

  // What the export window held when it was shown.
  struct Received {
    std::vector<std::string> items;
    std::string kind, count;
    int selected = -1;
  };
  void ExpectExport(Received& into) {
    seam.OnModal(frmFileExport, [&into](ui::Form&) {
      into.items = frmFileExport->lstFileExportSource.Items();
      into.kind = frmFileExport->ExportKind();
      into.count = frmFileExport->lblSmartExportSource.Text();
      into.selected = frmFileExport->lstFileExportSource.ItemIndex();
      return IDCANCEL;
    });
  }
};

TEST_F(StatisticWindows, TitleFollowsTheModeCheckBoxWhenTheMainWindowIsActivated) {
  frmStatistic02->chkStatNormalSimulate.SetChecked(false);
  frmStatistic03->chkStatNormalSimulate.SetChecked(true);
  frmStatistic04->chkStatNormalSimulate.SetChecked(false);
  frmStatistic03->lblStatNormalSimulate.SetText("stale");
  ActivateMainWindow();
  EXPECT_EQ(frmStatistic02->lblStatNormalSimulate.Text(), "Simulate the Folder/File Creation Process.");
  EXPECT_EQ(frmStatistic03->lblStatNormalSimulate.Text(), "Folder/File Creation Process.");
  EXPECT_EQ(frmStatistic04->lblStatNormalSimulate.Text(), "Simulate the Folder/File Creation Process.");
  // The next run turns the modes round; the next activation follows.
  frmStatistic02->chkStatNormalSimulate.SetChecked(true);
  frmStatistic03->chkStatNormalSimulate.SetChecked(false);
  ActivateMainWindow();
  EXPECT_EQ(frmStatistic02->lblStatNormalSimulate.Text(), "Folder/File Creation Process.");
  EXPECT_EQ(frmStatistic03->lblStatNormalSimulate.Text(), "Simulate the Folder/File Creation Process.");
  EXPECT_EQ(frmStatistic04->lblStatNormalSimulate.Text(), "Simulate the Folder/File Creation Process.");
  EXPECT_TRUE(seam.boxes.empty());
}

// Escape closes a results window, as it closes the examples, about and zoom
// windows; in the main window it does nothing.
TEST_F(StatisticWindows, EscapeClosesAResultsWindowButNotTheMainWindow) {
  auto pressEscape = [](HWND window) {
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(window, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    ui::App().ProcessMessages();
  };
  for (TCreationResultsWindow* w : std::vector<TCreationResultsWindow*>{frmStatistic02, frmStatistic03, frmStatistic04}) {
    w->lstStatFoldersCreated.AddStrings({"C:\\Kept"});
    w->Show();
    w->lstStatFoldersCreated.SetFocus();
    pressEscape(w->lstStatFoldersCreated.Handle());
    EXPECT_FALSE(w->Visible()) << w->Caption();
    EXPECT_EQ(w->lstStatFoldersCreated.Items(), std::vector<std::string>{"C:\\Kept"});  // closed, not cleared
  }
  frmMain->Show();
  frmMain->Vol04.btnVol04AddToList.SetFocus();
  pressEscape(frmMain->Vol04.btnVol04AddToList.Handle());
  EXPECT_TRUE(frmMain->Visible());
  EXPECT_FALSE(ui::App().Terminated());
}

TEST_F(StatisticWindows, SmartExportHandsEachDrivePathOnceUnchanged) {
  frmStatistic02->lstStatFoldersOther.AddStrings({
      "C:\\Work\\Alpha",
      "plain name",            // a raw include entry without a drive: skipped
      "c:\\WORK\\alpha",       // the same path in other letters: once
      "  D:\\Spaced\\Entry ",  // a drive once trimmed: handed over as held
      "\\\\server\\share\\Docs",
      "\\\\server",            // a server without a share is no drive part
      "C:\\Work\\Alpha",
      "Folder\\Sub",
  });
  Received got;
  ExpectExport(got);
  frmStatistic02->Show();
  testsupport::Press(frmStatistic02->btnStatSmartExportFoldersOther);

  ASSERT_EQ(seam.modalForms, std::vector<std::string>{"Export Datas to a File."});
  EXPECT_EQ(got.items, (std::vector<std::string>{"C:\\Work\\Alpha", "  D:\\Spaced\\Entry ",
                                                 "\\\\server\\share\\Docs"}));
  EXPECT_EQ(got.kind, "FOLDERS");
  EXPECT_EQ(got.count, "3");
  EXPECT_EQ(got.selected, 0);
  EXPECT_TRUE(frmStatistic02->btnStatSmartExportFoldersOther.Focused());
  EXPECT_EQ(frmStatistic02->lstStatFoldersOther.Count(), 8);  // the window's list stays as it was
  EXPECT_EQ(SendMessageA(frmStatistic02->lstStatFoldersOther.Handle(), LB_GETCOUNT, 0, 0), 8);  // rows shown
  EXPECT_TRUE(seam.boxes.empty());

  // A second sender: the export window shows only its list, of the same kind.
  frmStatistic04->lstStatFilesCreated.AddStrings({"E:\\New\\a.txt", "E:\\New\\b.txt"});
  Received second;
  ExpectExport(second);
  frmStatistic04->Show();
  testsupport::Press(frmStatistic04->btnStatSmartExportFiles);
  EXPECT_EQ(second.items, (std::vector<std::string>{"E:\\New\\a.txt", "E:\\New\\b.txt"}));
  EXPECT_EQ(second.kind, "FOLDERS");
  EXPECT_EQ(second.count, "2");

  // A list without any drive path opens the export window empty.
  frmStatistic03->lstStatFoldersExists.AddStrings({"0001", "0002"});
  Received third;
  ExpectExport(third);
  frmStatistic03->Show();
  testsupport::Press(frmStatistic03->btnStatSmartExportFoldersExists);
  EXPECT_TRUE(third.items.empty());
  EXPECT_EQ(third.count, "0");
  EXPECT_EQ(seam.modalForms.size(), 3u);
}

TEST_F(StatisticWindows, EmptyListsWarnAndLeaveTheExportWindowAsItWasAndOkKeepsTheLists) {
  frmFileExport->lstFileExportSource.AddStrings({"C:\\kept"});
  frmFileExport->lblSmartExportSource.SetText("1");
  using W = TCreationResultsWindow;
  ui::Button W::*const buttons[5] = {&W::btnStatSmartExportFolders, &W::btnStatSmartExportSubFolders,
                                     &W::btnStatSmartExportFiles, &W::btnStatSmartExportFoldersExists,
                                     &W::btnStatSmartExportFoldersOther};
  const char* texts[5] = {
      "The List of Successfully Created  Folder Names is empty !\nAction : You must create at least "
      "one Folder to use the Smart Export Feature.",
      "The List of Successfully Created  Subfolder Names is empty !\nAction : You must create at "
      "least one Subfolder to use the Smart Export Feature.",
      "The List of Successfully Created  File Names is empty !\nAction : You must create at least "
      "one File to use the Smart Export Feature.",
      "The List of Already Created Folder Names is empty !\n",
      "The List of Uncreated Folder Names (Not Created - Other reasons) is empty !\n",
  };
  // Each window's five warnings follow its first: 0410, 0415, 0420.
  const struct { W* window; const char* title; } windows[] = {
      {frmStatistic02, "Creating Folder(s).-From a String List."},
      {frmStatistic03, "Creating Folder(s).-Increased Numbers."},
      {frmStatistic04, "Creating Folder(s).-From a Folder List."}};
  int number = 410;
  for (const auto& w : windows) {
    w.window->Show();
    for (int i = 0; i < 5; ++i, ++number) {
      testsupport::Press(w.window->*buttons[i]);
      ASSERT_EQ(seam.boxes.size(), size_t(number - 409));
      EXPECT_EQ(seam.Last().text, texts[i]);
      EXPECT_EQ(seam.Last().caption, std::string(w.title) + "            Warning no: 0" + std::to_string(number) + ".");
      EXPECT_EQ(seam.Last().flags, unsigned(MB_ICONWARNING));
    }
  }
  EXPECT_TRUE(seam.modalForms.empty());
  EXPECT_EQ(frmFileExport->lstFileExportSource.Items(), std::vector<std::string>{"C:\\kept"});
  EXPECT_EQ(frmFileExport->lblSmartExportSource.Text(), "1");

  // OK and the title bar's close button hide the window; its lists stay.
  frmStatistic03->lstStatFoldersCreated.Add("C:\\x\\0001");
  testsupport::Press(frmStatistic03->btnStatOk);
  EXPECT_FALSE(frmStatistic03->Visible());
  frmStatistic03->Show();
  frmStatistic03->Close();
  EXPECT_FALSE(frmStatistic03->Visible());
  EXPECT_EQ(frmStatistic03->lstStatFoldersCreated.Items(), std::vector<std::string>{"C:\\x\\0001"});
}

} // namespace
