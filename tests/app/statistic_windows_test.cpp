// The detailed-results windows of the creation pages: their titles on the main
// window's activation, their Smart Export buttons and the OK button.
#include "app/frmMain.h"
#include "create/frmStatistic.h"
#include "listwin/frmFileExport.h"
#include "support/program_fixture.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::ProgramTest;

namespace {

class StatisticWindows : public ProgramTest {
protected:
  // Brings another window to the front, then the main window back, as a user
  // switching between them does.
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
  EXPECT_EQ(frmStatistic02->Caption(), "Detailed results for creating folders from a list of strings.");
  EXPECT_EQ(frmStatistic03->Caption(), "Detailed results for creating folders using increased numbers.");
  EXPECT_EQ(frmStatistic04->Caption(), "Detailed results for creating folders from a list of folders");
  EXPECT_FALSE(frmStatistic02->Visible());
  EXPECT_TRUE(frmStatistic02->chkStat02NormalSimulate.Checked());
  EXPECT_FALSE(frmStatistic02->chkStat02NormalSimulate.Visible());
  EXPECT_EQ(frmStatistic04->chkStat04NormalSimulate.Text(), "Normal/Simulation");
  EXPECT_EQ(frmStatistic02->lstStat02FoldersOther.HorizontalExtent(), 3000);
  EXPECT_EQ(frmStatistic04->lstStat04FilesCreated.HorizontalExtent(), 3000);
  EXPECT_FALSE(frmStatistic03->lblStat03FilesSizeOther.Visible());
  EXPECT_TRUE(frmStatistic03->lblStat03FoldersOther.Visible());

  // A simulation on the string-list and path-list windows, a real run on the
  // numbers window.
  frmStatistic02->chkStat02NormalSimulate.SetChecked(false);
  frmStatistic03->chkStat03NormalSimulate.SetChecked(true);
  frmStatistic04->chkStat04NormalSimulate.SetChecked(false);
  frmStatistic03->lblVol03NormalSimulate.SetText("stale");
  ActivateMainWindow();
  EXPECT_EQ(frmStatistic02->lblVol02NormalSimulate.Text(), "Simulate the Folder/File Creation Process.");
  EXPECT_EQ(frmStatistic03->lblVol03NormalSimulate.Text(), "Folder/File Creation Process.");
  EXPECT_EQ(frmStatistic04->lblVol04NormalSimulate.Text(), "Simulate the Folder/File Creation Process.");
  for (ui::Label* title : {&frmStatistic02->lblVol02NormalSimulate, &frmStatistic03->lblVol03NormalSimulate,
                           &frmStatistic04->lblVol04NormalSimulate}) {
    EXPECT_TRUE(title->HasFontColor());
    EXPECT_EQ(title->FontColor(), COLORREF(0x000080));
    EXPECT_TRUE(title->Centered());
  }

  // The next run turns the modes round; the next activation follows.
  frmStatistic02->chkStat02NormalSimulate.SetChecked(true);
  frmStatistic03->chkStat03NormalSimulate.SetChecked(false);
  ActivateMainWindow();
  EXPECT_EQ(frmStatistic02->lblVol02NormalSimulate.Text(), "Folder/File Creation Process.");
  EXPECT_EQ(frmStatistic03->lblVol03NormalSimulate.Text(), "Simulate the Folder/File Creation Process.");
  EXPECT_EQ(frmStatistic04->lblVol04NormalSimulate.Text(), "Simulate the Folder/File Creation Process.");
  EXPECT_TRUE(seam.boxes.empty());
}

TEST_F(StatisticWindows, SmartExportHandsEachDrivePathOnceUnchanged) {
  frmStatistic02->lstStat02FoldersOther.AddStrings({
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
  frmStatistic02->btnStat02SmartExportFoldersOther.SetFocus();
  frmStatistic02->btnStat02SmartExportFoldersOther.Click();

  ASSERT_EQ(seam.modalForms, std::vector<std::string>{"Export Datas to a File."});
  EXPECT_EQ(got.items, (std::vector<std::string>{"C:\\Work\\Alpha", "  D:\\Spaced\\Entry ",
                                                 "\\\\server\\share\\Docs"}));
  EXPECT_EQ(got.kind, "FOLDERS");
  EXPECT_EQ(got.count, "3");
  EXPECT_EQ(got.selected, 0);
  EXPECT_TRUE(frmStatistic02->btnStat02SmartExportFoldersOther.Focused());
  EXPECT_EQ(frmStatistic02->lstStat02FoldersOther.Count(), 8);  // the window's list stays as it was
  EXPECT_TRUE(seam.boxes.empty());

  // A second sender: the export window shows only its list. The structure
  // files list is exported with the same kind.
  frmStatistic04->lstStat04FilesCreated.AddStrings({"E:\\New\\a.txt", "E:\\New\\b.txt"});
  Received second;
  ExpectExport(second);
  frmStatistic04->btnStat04SmartExportFiles.Click();
  EXPECT_EQ(second.items, (std::vector<std::string>{"E:\\New\\a.txt", "E:\\New\\b.txt"}));
  EXPECT_EQ(second.kind, "FOLDERS");
  EXPECT_EQ(second.count, "2");

  // A list without any drive path opens the export window empty.
  frmStatistic03->lstStat03FoldersExists.AddStrings({"0001", "0002"});
  Received third;
  ExpectExport(third);
  frmStatistic03->btnStat03SmartExportAlreadyExists.Click();
  EXPECT_TRUE(third.items.empty());
  EXPECT_EQ(third.count, "0");
  EXPECT_EQ(seam.modalForms.size(), 3u);
}

TEST_F(StatisticWindows, EmptyListsWarnAndLeaveTheExportWindowAsItWas) {
  frmFileExport->lstFileExportSource.AddStrings({"C:\\kept"});
  frmFileExport->lblSmartExportSource.SetText("1");
  struct Case {
    ui::Button* button;
    int number;
    const char* title;
  };
  const char* s02 = "Creating Folder(s).-From a String List.";
  const char* s03 = "Creating Folder(s).-Increased Numbers.";
  const char* s04 = "Creating Folder(s).-From a Folder List.";
  std::vector<Case> cases = {
      {&frmStatistic02->btnStat02SmartExportFolders, 410, s02},
      {&frmStatistic02->btnStat02SmartExportSubFolders, 411, s02},
      {&frmStatistic02->btnStat02SmartExportFiles, 412, s02},
      {&frmStatistic02->btnStat02SmartExportFoldersExists, 413, s02},
      {&frmStatistic02->btnStat02SmartExportFoldersOther, 414, s02},
      {&frmStatistic03->btnStat03SmartExportFolders, 415, s03},
      {&frmStatistic03->btnStat03SmartExportSubFolders, 416, s03},
      {&frmStatistic03->btnStat03SmartExportFiles, 417, s03},
      {&frmStatistic03->btnStat03SmartExportAlreadyExists, 418, s03},
      {&frmStatistic03->btnStat03SmartExportOtherReasons, 419, s03},
      {&frmStatistic04->btnStat04SmartExportFolders, 420, s04},
      {&frmStatistic04->btnStat04SmartExportSubFolders, 421, s04},
      {&frmStatistic04->btnStat04SmartExportFiles, 422, s04},
      {&frmStatistic04->btnStat04SmartExportDoldersAlreadyExists, 423, s04},
      {&frmStatistic04->btnStat04SmartExportFoldersOtherReasons, 424, s04},
  };
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
  for (size_t i = 0; i < cases.size(); ++i) {
    cases[i].button->Click();
    ASSERT_EQ(seam.boxes.size(), i + 1);
    const testsupport::ShownBox& box = seam.Last();
    EXPECT_EQ(box.text, texts[i % 5]);
    EXPECT_EQ(box.caption, std::string(cases[i].title) + "            Warning no: 0" +
                               std::to_string(cases[i].number) + ".");
    EXPECT_EQ(box.flags, unsigned(MB_ICONWARNING));
  }
  EXPECT_TRUE(seam.modalForms.empty());
  EXPECT_EQ(frmFileExport->lstFileExportSource.Items(), std::vector<std::string>{"C:\\kept"});
  EXPECT_EQ(frmFileExport->lblSmartExportSource.Text(), "1");
  EXPECT_EQ(frmStatistic04->btnStat04SmartExportFiles.Hint(),
            "Export the List of Successfully Created File Names to a Text File.");
}

TEST_F(StatisticWindows, OkClosesTheWindowAndItsListsStay) {
  frmStatistic03->Show();
  frmStatistic03->lstStat03FoldersCreated.Add("C:\\x\\0001");
  frmStatistic03->lblStat03FoldersCreated.SetText("1");
  frmStatistic03->btnStat03Ok.Click();
  EXPECT_FALSE(frmStatistic03->Visible());
  frmStatistic03->Show();
  EXPECT_TRUE(frmStatistic03->Visible());
  EXPECT_EQ(frmStatistic03->lstStat03FoldersCreated.Items(), std::vector<std::string>{"C:\\x\\0001"});
  EXPECT_EQ(frmStatistic03->lblStat03FoldersCreated.Text(), "1");
  frmStatistic03->Close();  // the title bar's close button keeps it too
  EXPECT_FALSE(frmStatistic03->Visible());
  EXPECT_EQ(frmStatistic03->lstStat03FoldersCreated.Count(), 1);
}

} // namespace
