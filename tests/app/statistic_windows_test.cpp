// The results windows: titles on activation, Smart Export, OK and Escape.
#include "app/frmMain.h"
#include "listwin/frmStatistic.h"
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
  // The test processes share one desktop: another one's window may hold the
  // foreground for a moment, and activation waits for it, so each switch is
  // asked again until it is made (a bounded number of times).
  static void Activate(ui::Form* form) {
    for (int attempt = 0; attempt < 50 && ui::App().ActiveForm() != form; ++attempt) {
      SetForegroundWindow(form->Handle());
      SetActiveWindow(form->Handle());
      ui::App().ProcessMessages();
      if (ui::App().ActiveForm() != form) Sleep(20);
    }
  }
  void ActivateMainWindow() {
    frmStatistic02->Show();
    Activate(frmStatistic02);
    ASSERT_EQ(ui::App().ActiveForm(), frmStatistic02);
    Activate(frmMain);
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
  for (TResultsWindow* w : std::vector<TResultsWindow*>{frmStatistic02, frmStatistic03, frmStatistic04}) {
    w->List(TResultsWindow::kFoldersCreated).AddStrings({"C:\\Kept"});
    w->Show();
    w->List(TResultsWindow::kFoldersCreated).SetFocus();
    pressEscape(w->List(TResultsWindow::kFoldersCreated).Handle());
    EXPECT_FALSE(w->Visible()) << w->Caption();
    EXPECT_EQ(w->List(TResultsWindow::kFoldersCreated).Items(), std::vector<std::string>{"C:\\Kept"});  // closed, not cleared
  }
  frmMain->Show();
  frmMain->Vol04.btnVol04AddToList.SetFocus();
  pressEscape(frmMain->Vol04.btnVol04AddToList.Handle());
  EXPECT_TRUE(frmMain->Visible());
  EXPECT_FALSE(ui::App().Terminated());
}

TEST_F(StatisticWindows, SmartExportHandsEachDrivePathOnceUnchanged) {
  frmStatistic02->List(TResultsWindow::kFoldersOther).AddStrings({
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
  testsupport::Press(frmStatistic02->ExportButton(TResultsWindow::kFoldersOther));

  ASSERT_EQ(seam.modalForms, std::vector<std::string>{"Export Datas to a File."});
  EXPECT_EQ(got.items, (std::vector<std::string>{"C:\\Work\\Alpha", "  D:\\Spaced\\Entry ",
                                                 "\\\\server\\share\\Docs"}));
  EXPECT_EQ(got.kind, "FOLDERS");
  EXPECT_EQ(got.count, "3");
  EXPECT_EQ(got.selected, 0);
  EXPECT_TRUE(frmStatistic02->ExportButton(TResultsWindow::kFoldersOther).Focused());
  EXPECT_EQ(frmStatistic02->List(TResultsWindow::kFoldersOther).Count(), 8);  // the window's list stays as it was
  EXPECT_EQ(SendMessageA(frmStatistic02->List(TResultsWindow::kFoldersOther).Handle(), LB_GETCOUNT, 0, 0),
            8);  // rows shown
  EXPECT_TRUE(seam.boxes.empty());

  // A second sender: the export window shows only its list, of the same kind.
  frmStatistic04->List(TResultsWindow::kFilesCreated).AddStrings({"E:\\New\\a.txt", "E:\\New\\b.txt"});
  Received second;
  ExpectExport(second);
  frmStatistic04->Show();
  testsupport::Press(frmStatistic04->ExportButton(TResultsWindow::kFilesCreated));
  EXPECT_EQ(second.items, (std::vector<std::string>{"E:\\New\\a.txt", "E:\\New\\b.txt"}));
  EXPECT_EQ(second.kind, "FOLDERS");
  EXPECT_EQ(second.count, "2");

  // A list without any drive path opens the export window empty.
  frmStatistic03->List(TResultsWindow::kFoldersExists).AddStrings({"0001", "0002"});
  Received third;
  ExpectExport(third);
  frmStatistic03->Show();
  testsupport::Press(frmStatistic03->ExportButton(TResultsWindow::kFoldersExists));
  EXPECT_TRUE(third.items.empty());
  EXPECT_EQ(third.count, "0");
  EXPECT_EQ(seam.modalForms.size(), 3u);
}

TEST_F(StatisticWindows, EmptyListsWarnAndLeaveTheExportWindowAsItWasAndOkKeepsTheLists) {
  frmFileExport->lstFileExportSource.AddStrings({"C:\\kept"});
  frmFileExport->lblSmartExportSource.SetText("1");
  using W = TResultsWindow;
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
      testsupport::Press(w.window->ExportButton(i));
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
  frmStatistic03->List(TResultsWindow::kFoldersCreated).Add("C:\\x\\0001");
  testsupport::Press(frmStatistic03->btnStatOk);
  EXPECT_FALSE(frmStatistic03->Visible());
  frmStatistic03->Show();
  frmStatistic03->Close();
  EXPECT_FALSE(frmStatistic03->Visible());
  EXPECT_EQ(frmStatistic03->List(TResultsWindow::kFoldersCreated).Items(), std::vector<std::string>{"C:\\x\\0001"});
}

// The six windows of the one results-window class, as a user meets them in a
// fresh program: caption, headings, counters, each list's empty warning, the
// title on activation, Escape.
struct ListSeen {
  const char* caption;
  std::string number;
  const char* operation;
  const char* text;
};
struct WindowSeen {
  TResultsWindow* (*window)();
  const char* caption;
  const char* runTitle;
  const char* simulationTitle;
  std::vector<std::string> columns, rows;
  int counters;
  std::vector<std::string> groups;
  std::vector<ListSeen> lists;
};

const char kCreated[] = "The List of Successfully Created  Folder Names is empty !\nAction : You must create at least one "
                        "Folder to use the Smart Export Feature.";
const char kCreatedSub[] = "The List of Successfully Created  Subfolder Names is empty !\nAction : You must create at "
                           "least one Subfolder to use the Smart Export Feature.";
const char kCreatedFiles[] = "The List of Successfully Created  File Names is empty !\nAction : You must create at least "
                             "one File to use the Smart Export Feature.";
const char kExists[] = "The List of Already Created Folder Names is empty !\n";
const char kOther[] = "The List of Uncreated Folder Names (Not Created - Other reasons) is empty !\n";
const char kRename[] = "Rename Folders -From a Folder List - Level.             ";
const char kDeleteFolders[] = "Delete Folder(s).- From a Folder List.            ";
const char kDeleteFiles[] = "Delete Folder(s)/File(s).- From a Folder/File List.            ";
const char kCopy[] = "Copy Folder structure(s).-From a Folder List - Level.            ";

std::vector<ListSeen> CreationListsSeen(const char* operation, int first) {
  std::vector<ListSeen> lists;
  const char* captions[5] = {"Folders", "Folders, subfolders in structure:", "Files in structure:", "Already exist",
                             "Other reasons"};
  const char* texts[5] = {kCreated, kCreatedSub, kCreatedFiles, kExists, kOther};
  for (int i = 0; i < 5; ++i) lists.push_back({captions[i], "0" + std::to_string(first + i), operation, texts[i]});
  return lists;
}

const std::vector<WindowSeen>& SixWindows() {
  static const std::vector<WindowSeen> windows = {
      {[]() -> TResultsWindow* { return frmStatistic02; },
       "Detailed results for creating folders from a list of strings.", "Folder/File Creation Process.",
       "Simulate the Folder/File Creation Process.",
       {"Total Folders:", "Total Folders, Subfolders in structure:", "Files in structure", "Total File size (bytes)"},
       {"To Create:", "Successfully created:", "NOT created (already exists):", "NOT created (other reasons):"},
       16,
       {"SUCCESSFULLY CREATED", "FOLDERS  NOT CREATED"},
       CreationListsSeen("Creating Folder(s).-From a String List.            ", 410)},
      {[]() -> TResultsWindow* { return frmStatistic03; },
       "Detailed results for creating folders using increased numbers.", "Folder/File Creation Process.",
       "Simulate the Folder/File Creation Process.",
       {"Total Folders", "Total Folders, subfolders in structure", "Total Files in structure", "Total File size (bytes)"},
       {"To create:", "Successfully created:", "NOT created (already exists):", "NOT created (other reasons)?"},
       16,
       {"SUCCESSFULLY CREATED", "FOLDERS NOT CREATED "},
       CreationListsSeen("Creating Folder(s).-Increased Numbers.            ", 415)},
      {[]() -> TResultsWindow* { return frmStatistic04; },
       "Detailed results for creating folders from a list of folders", "Folder/File Creation Process.",
       "Simulate the Folder/File Creation Process.",
       {"Total Folders", "Total Folders, subfolders in structure", "Total Files in structure", "Total File size (bytes)"},
       {"To create:", "Successfully created:", "NOT created (already exists):", "NOT created (other reasons):"},
       16,
       {"SUCCESSFULLY CREATED", "FOLDERS  NOT CREATED"},
       CreationListsSeen("Creating Folder(s).-From a Folder List.            ", 420)},
      {[]() -> TResultsWindow* { return frmStatistic06; },
       "Detailed Results for Rename Process.", "Folder Rename Process.", "Simulate the Folder Rename Process.",
       {"Total Folders to Rename", "Renamed Folders", "Source Not Exists", "Destination Already Exists", "Other Reasons"},
       {"Total Folders"},
       5,
       {"DETAILED RESULTS FOR FOLDER RENAMING PROCESS"},
       {{"Successfully renamed  Folders", "0428", kRename,
         "The List of Successfully Renamed  Folder Names is empty !\nAction : You must Rename at least one Folder to "
         "use the Smart Export Feature."},
        {"Not Renamed: SOURCE NOT EXISTS.", "0429", kRename,
         "The List of Not Renamed (Source Folders don't exist) Folder Names is empty !\n"},
        {"Not Renamed: DESTINATION ALREADY EXISTS", "0430", kRename,
         "The List of Not Renamed (Destination Folders already exist) Folder Names is empty !\n"},
        {"Not Renamed : OTHER Reasons.", "0431", kRename,
         "The List of Not Renamed (Other Reasons) Folder Names is empty !\n"}}},
      {[]() -> TResultsWindow* { return frmStatistics07; },
       "Detailed results for the Delete process.", "Folder/File Delete Process.",
       "Simulate the Folder/File Delete Process.",
       {"To Delete", "Deleted", "Not Deleted  Not Exists", "Not Deleted  Other Reasons"},
       {"Total Folders", "Total Files"},
       8,
       {"Detailed Results", "FOLDERS", "FILES"},
       {{"SUCCESSFULLY DELETED", "0566", kDeleteFolders,
         "The List of Successfully Deleted Folder Names is empty !\nAction : You must Delete at least one Folder to "
         "use the Smart Export Feature."},
        {"NOT EXISTS", "0433", kDeleteFolders, "The List of Not Deleted ( Folders don't Exist) Folder Names is empty !\n"},
        {"OTHER REASONS", "0434", kDeleteFolders, "The List of Not Deleted ( Other Reasons) Folder Names is empty !\n"},
        {"SUCCESSFULLY DELETED", "0432", kDeleteFiles,
         "The List of Successfully Deleted File Names is empty !\nAction : You must Delete at least one File to use "
         "the Smart Export Feature."},
        {"NOT EXISTS", "0433", kDeleteFiles, "The List of Not Deleted ( Files don't Exist) File Names is empty !\n"},
        {"OTHER REASONS", "0434", kDeleteFiles, "The List of Not Deleted ( Other Reasons) File Names is empty !\n"}}},
      {[]() -> TResultsWindow* { return frmStatistic08; },
       "Detailed Results for Copied Subfolders and/or Files to Main Folders.", "Folder/File Copy Process.",
       "Simulate the Folder/File Copy Process.",
       {"Total of Destination Folders", "Already Exists", "Not Exists", "Other Reasons", "To Copy:",
        "Successfully Copied:", "Not Copied (Already Exists):", "Not Copied (Other Reasons):"},
       {"Total Folders", "Total Folders, Subfolders in Structure", "Total Files in Structure",
        "Total File Size in Structure"},
       16,
       {"SUCCESSFULLY COPIED", "FAILED COPY PROCESS -  FOLDERS", "FAILED COPY - SUBFOLDERS AND FILES - ALREADY EXIST",
        "FAILED COPY - OTHER REASONS"},
       {{"To Folders", "0435", kCopy,
         "The List of Successfully Copied Main Folder Names is empty !\nAction : You must Copy at least one Main "
         "Folder to use the Smart Export Feature."},
        {"Folders, Subfolders in Structure", "0436", kCopy,
         "The List of Successfully Copied Subfolder Names is empty !\nAction : You must Copy at least one Subfolder "
         "to use the Smart Export Feature."},
        {"Files in Structure", "0437", kCopy,
         "The List of Successfully Copied File Names is empty !\nAction : You must Copy at least one File to use "
         "the Smart Export Feature."},
        {"Not exist", "0438", kCopy, "The List of Not Copied (Don't Exist) Main Folder Names is empty !\n"},
        {"Subfolders", "0439", kCopy, "The List of Not Copied (Already Exist) Subfolder Names is empty !\n"},
        {"Files", "0440", kCopy, "The List of Not Copied (Already Exist) File Names is empty !\n"},
        {"Main Folders, Subfolders and Files, each with why", "0441", kCopy,
         "The List of Not Copied (Other Reasons) Folder and File Names is empty !\n"}}},
  };
  return windows;
}

template <class Get>
std::vector<std::string> TextsOf(int count, Get get) {
  std::vector<std::string> texts;
  for (int i = 0; i < count; ++i) texts.push_back(get(i).Text());
  return texts;
}

TEST_F(StatisticWindows, SixWindowsOfOneClassShowTheirHeadingsWarnAboutEmptyListsAndCloseOnEscape) {
  size_t boxes = 0;
  for (const WindowSeen& seen : SixWindows()) {
    TResultsWindow* w = seen.window();
    ASSERT_NE(w, nullptr) << seen.caption;
    SCOPED_TRACE(seen.caption);
    EXPECT_EQ(w->Caption(), seen.caption);
    EXPECT_FALSE(w->Visible());  // created hidden at start-up
    EXPECT_FALSE(w->chkStatNormalSimulate.Visible());
    const int columns = static_cast<int>(seen.columns.size()), rows = static_cast<int>(seen.rows.size());
    EXPECT_EQ(TextsOf(columns, [w](int i) -> ui::Label& { return w->ColumnHeading(i); }), seen.columns);
    EXPECT_EQ(TextsOf(rows, [w](int i) -> ui::Label& { return w->RowHeading(i); }), seen.rows);
    EXPECT_EQ(TextsOf(static_cast<int>(seen.groups.size()), [w](int i) -> ui::GroupBox& { return w->Group(i); }),
              seen.groups);
    ASSERT_EQ(w->CounterCount(), seen.counters);
    EXPECT_EQ(TextsOf(seen.counters, [w](int i) -> ui::Label& { return w->Counter(i); }),
              std::vector<std::string>(seen.counters, "0"));
    ASSERT_EQ(w->ListCount(), static_cast<int>(seen.lists.size()));

    // Every Smart Export of a fresh window warns that its list is empty.
    w->Show();
    for (int i = 0; i < w->ListCount(); ++i) {
      const ListSeen& list = seen.lists[i];
      EXPECT_EQ(w->ListCaption(i).Text(), list.caption);
      EXPECT_EQ(w->ExportButton(i).Text(), "Smart Export");
      testsupport::Press(w->ExportButton(i));
      ASSERT_EQ(seam.boxes.size(), ++boxes);
      EXPECT_EQ(seam.Last().text, list.text);
      EXPECT_EQ(seam.Last().caption, std::string(list.operation) + "Warning no: " + list.number + ".");
      EXPECT_EQ(seam.Last().flags, unsigned(MB_ICONWARNING));
      EXPECT_TRUE(w->ExportButton(i).Focused());
    }

    // The mode chooses the title the next activation of the main window shows.
    w->SetRunMode(true);
    EXPECT_EQ(w->lblStatNormalSimulate.Text(), seen.runTitle);
    w->chkStatNormalSimulate.SetChecked(false);
    ActivateMainWindow();
    EXPECT_EQ(w->lblStatNormalSimulate.Text(), seen.simulationTitle);
    EXPECT_EQ(w->lblStatNormalSimulate.FontColor(), COLORREF(0x000080));

    // Escape closes it with its lists kept; ClearLists empties them all.
    w->List(w->ListCount() - 1).Add("C:\\Kept");
    w->Show();
    w->List(0).SetFocus();
    PostMessageA(w->List(0).Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(w->List(0).Handle(), WM_KEYUP, VK_ESCAPE, 0xC0000001);
    ui::App().ProcessMessages();
    EXPECT_FALSE(w->Visible());
    EXPECT_EQ(w->List(w->ListCount() - 1).Items(), std::vector<std::string>{"C:\\Kept"});
    w->ClearLists();
    for (int i = 0; i < w->ListCount(); ++i) EXPECT_EQ(w->List(i).Count(), 0);
  }
  EXPECT_TRUE(seam.modalForms.empty());
}

// The delete window hands its file lists over as folders, like every list.
TEST_F(StatisticWindows, FileListsOfTheDeleteWindowGoToTheExportWindowAsFolders) {
  frmStatistics07->List(3).AddStrings({"C:\\Old\\a.tmp", "c:\\OLD\\A.TMP", "b.tmp"});
  Received got;
  ExpectExport(got);
  frmStatistics07->Show();
  testsupport::Press(frmStatistics07->ExportButton(3));
  EXPECT_EQ(got.items, std::vector<std::string>{"C:\\Old\\a.tmp"});
  EXPECT_EQ(got.kind, "FOLDERS");
  EXPECT_TRUE(seam.boxes.empty());
}

} // namespace
