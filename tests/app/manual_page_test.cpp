// The manual creation page: typed paths, questions, logs, the lower panel, every way out.
#include "app/frmMain.h"
#include "app/frmUnsuccessful.h"
#include "support/press.h"
#include "support/program_fixture.h"
#include "ui/application.h"

#include "core/textutil.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using testsupport::Box;
using testsupport::FolderExists;
using testsupport::Press;
using testsupport::ProgramTest;
using testsupport::Type;
using testsupport::TempDir;
using Strings = std::vector<std::string>;

namespace {

const char kCap0104[] = "Creating Folder(s).-Manually (1).            Warning no: 0104.";
const char kCap0105[] = "Creating Folder(s).- Manually (1).            Warning no: 0105.";
const char kCap0106[] = "Creating Folder(s).-From Folder List.            Warning no: 0106.";
const char kCap0107[] = "Creating Folder(s).-Manually (1).            Information no: 0107.";
const char kCap0108[] = "Creating Folder.                     Warning no: 0108.";
const char kCap0109[] = "Creating Folder(s).- Manually.            Information no: 0109.";
const char kCap0110[] = "Creating Folder(s).-Manually.            Information no: 0110.";
const char kCap0112[] = "Creating Folder.                     Warning no: 0112.";
const char kCap0113[] = "Creating Folder.                     Warning no: 0113.";
const char kCap0114[] = "Creating Folder(s).\t\t\t            Warning no: 0114.";
const char kCap0115[] = "Creating Folder.                     Warning no: 0115.";
const char kCap0116[] = "Creating Folder.                     Warning no: 0116.";
const char kCap0117[] = "Creating Folder.                     Warning no: 0117.";
const char kCap0118[] = "Creating Folder(s).- SubFolder.            Information no: 0118.";
const char kCap0119[] = "Creating Folder(s).-SubFolders.            Information no: 0119.";

const char kQuestionTail[] =
    "\nDo you want to create this folder ?\nClick YES to Continue Creating folders,\nClick NO to "
    "Stop the Creating process.";
const char kExistsText[] =
    "This folder exists !\nAction : You must enter other text to create a valid folder.";
const char kEndText[] = "End of Creating Folders/Files !!!";
const char kEndLogText[] =
    "End of Creating Folders/Files !!!\nThe Error Log is not empty !!!\nDo you want to see it ?";
const char kRootEmptyText[] =
    "The selection field is empty !\nAction : You must select a root directory to create a valid "
    "folder.";

constexpr COLORREF kGreen = 0x008000, kRed = 0x0000FF;

class ManualCreationPage : public ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate01);
  }

  void PressCreateForced(const std::string& text) {
    Type(frmMain->Manual.cboCreateFolderForced, text);
    Press(frmMain->Manual.btnCreateFolderForced);
  }
  void PressCreateSub(const std::string& sub) {
    Type(frmMain->Manual.cboSubFolder, sub);
    Press(frmMain->Manual.btnCreateSubFolder);
  }
  void PickDestination(const std::string& folder) {
    seam.PickFolder(folder);
    Press(frmMain->Manual.btnAddRootFolders);
  }

  // How many of the other six sheets are enabled.
  int OtherSheetsEnabled() const {
    int n = 0;
    for (ui::TabSheet* s : {&frmMain->tabFolderCreate05, &frmMain->tabFolderCreate04, &frmMain->tabFolderCreate03,
                            &frmMain->tabFoldersCopy02, &frmMain->tabFoldersRename01, &frmMain->tabFoldersDelete01})
      n += s->Enabled() ? 1 : 0;
    return n;
  }
  void ExpectFree() const { EXPECT_EQ(OtherSheetsEnabled(), 6); }
};

TEST_F(ManualCreationPage, TypedPathsAreCreatedWithAllTheirLevelsAfterTheirQuestions) {
  TempDir t;
  const std::string first = t / "One\\Two\\Three", second = t / "Four";
  seam.Answer("0107", IDYES);
  seam.Answer("0107", IDYES);
  seam.Answer("0110", IDOK);
  // Forward slashes and doubled backslashes are normalised; blanks between the paths go.
  std::string typed = "  " + t.Path() + "/One//Two\\Three   " + second + " ";
  PressCreateForced(typed);

  EXPECT_TRUE(FolderExists(first));
  EXPECT_TRUE(FolderExists(second));
  EXPECT_EQ(testsupport::ListTree(t.Path()), "Four\\\nOne\\\nOne\\Two\\\nOne\\Two\\Three\\\n");
  EXPECT_EQ(seam.Shown(), (Strings{Box(kCap0107, 0x124, first + kQuestionTail),
                                    Box(kCap0107, 0x124, second + kQuestionTail), Box(kCap0110, 0x40, kEndText)}));
  EXPECT_EQ(seam.Unscripted(), 0);
  EXPECT_EQ(frmMain->Manual.cboCreateFolderForced.Text(), t.Path() + "\\One\\Two\\Three   " + second);
  EXPECT_EQ(frmMain->Manual.lstSuccess.Items(), (Strings{first, second}));
  EXPECT_EQ(frmMain->Manual.cboCreateFolderForced.Items(), (Strings{first, second}));
  EXPECT_EQ(frmMain->Manual.btnForcedErrorLog.FontColor(), kGreen);
  ExpectFree();
  EXPECT_TRUE(frmMain->Manual.cboCreateFolderForced.Focused());

  // Made again in other letters (Enter in the combo runs it): once in the history.
  testsupport::RemoveTree(t / "Four");
  seam.boxes.clear();
  seam.Answer("0107", IDYES);
  seam.Answer("0110", IDOK);
  std::string upper = t.Path() + "\\FOUR";
  Type(frmMain->Manual.cboCreateFolderForced, upper);
  PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
  ui::App().ProcessMessages();
  ASSERT_EQ(seam.boxes.size(), 2u);
  EXPECT_EQ(seam.boxes[1].caption, kCap0110);
  EXPECT_TRUE(FolderExists(second));
  EXPECT_EQ(frmMain->Manual.cboCreateFolderForced.Items(), (Strings{first, second}));
  EXPECT_EQ(frmMain->Manual.lstSuccess.Items(), (Strings{first, second, upper}));
}

TEST_F(ManualCreationPage, NoEndsTheRunAtOnceWithoutAnEndMessage) {
  TempDir t;
  const std::string first = t / "A", second = t / "B\\C", third = t / "D";
  seam.Answer("0107", IDYES);
  seam.Answer("0107", IDNO);
  PressCreateForced(first + " " + second + " " + third);
  EXPECT_TRUE(FolderExists(first));
  EXPECT_FALSE(FolderExists(t / "B"));
  EXPECT_FALSE(FolderExists(third));
  EXPECT_EQ(seam.Captions(), (Strings{kCap0107, kCap0107}));
  EXPECT_EQ(seam.Unscripted(), 0);
  EXPECT_EQ(frmMain->Manual.lstSuccess.Items(), Strings{first});
  ExpectFree();
}

TEST_F(ManualCreationPage, ExistingAndFailedPathsAreLoggedAndShownInTheirWindow) {
  TempDir t;
  testsupport::MakeFolders(t / "Old");
  testsupport::WriteFile(t / "File", "x");
  const std::string old = t / "Old", blocked = t / "File\\Sub", fresh = t / "New";
  seam.Answer("0108", IDOK);
  seam.Answer("0107", IDYES);  // blocked: a file stands where a folder should
  seam.Answer("0107", IDYES);  // fresh
  seam.Answer("0109", IDYES);
  bool sheetsDisabledMeanwhile = false;
  Strings exist, other;
  seam.OnModal(ForcedUnSuccessFullForm, [&](ui::Form&) {
    sheetsDisabledMeanwhile = OtherSheetsEnabled() == 0;
    exist = ForcedUnSuccessFullForm->lstForcedUnSuccessFullExist.Items();
    other = ForcedUnSuccessFullForm->lstForcedUnSuccessFullOther.Items();
    Press(ForcedUnSuccessFullForm->btnForcedUnSuccessFullOk);
    return 0;
  });
  PressCreateForced(old + " " + blocked + " " + fresh);

  EXPECT_EQ(seam.Captions(), (Strings{kCap0108, kCap0107, kCap0107, kCap0109}));
  EXPECT_EQ(seam.boxes[0].text, kExistsText);
  EXPECT_EQ(seam.boxes[0].flags, 0x30u);
  EXPECT_EQ(seam.Shown()[3], Box(kCap0109, 0x124, kEndLogText));
  EXPECT_EQ(seam.Unscripted(), 0);
  EXPECT_EQ(seam.modalForms, Strings{"Folders, that are unsuccessfully tried to create"});
  EXPECT_EQ(exist, Strings{old});
  EXPECT_EQ(other, Strings{blocked});
  EXPECT_TRUE(sheetsDisabledMeanwhile);
  EXPECT_TRUE(FolderExists(fresh));
  EXPECT_EQ(frmMain->Manual.lstSuccess.Items(), Strings{fresh});
  EXPECT_EQ(frmMain->Manual.btnForcedErrorLog.FontColor(), kRed);
  ExpectFree();

  // The button shows the log again; a new run empties it and turns it green.
  seam.OnModal(ForcedUnSuccessFullForm, [&](ui::Form&) {
    exist = ForcedUnSuccessFullForm->lstForcedUnSuccessFullExist.Items();
    return IDOK;
  });
  Press(frmMain->Manual.btnForcedErrorLog);
  EXPECT_EQ(exist, Strings{old});
  seam.boxes.clear();
  seam.Answer("0107", IDYES);
  seam.Answer("0110", IDOK);
  PressCreateForced(t / "Newer");
  EXPECT_EQ(seam.Captions(), (Strings{kCap0107, kCap0110}));
  EXPECT_TRUE(frmMain->Manual.ForcedErrorLog.Empty());
  EXPECT_EQ(frmMain->Manual.btnForcedErrorLog.FontColor(), kGreen);

  // No to the log question: the window stays closed.
  seam.boxes.clear();
  seam.Answer("0108", IDOK);
  seam.Answer("0109", IDNO);
  PressCreateForced(old);
  EXPECT_EQ(seam.Captions(), (Strings{kCap0108, kCap0109}));
  EXPECT_EQ(seam.modalForms.size(), 2u);
  EXPECT_EQ(frmMain->Manual.btnForcedErrorLog.FontColor(), kRed);
}

TEST_F(ManualCreationPage, RefusedTextsStopWithTheirWarningAndFreeTheSheets) {
  TempDir t;
  struct Case {
    std::string text, caption, message;
  };
  const std::vector<Case> cases = {
      {"1:\\a", kCap0104, "There is(are) no drive letter(s) before colon(s) (:) : 1"},
      {"", kCap0104, "Not found any colon (:) in the text !!!!"},
      {t.Path() + "\\a|b", kCap0105, "Illegal character in the text : |"},
      {"c:ab", kCap0106,
       "This item is not a valid Folder Name (No backslash after the drive letter) !"},
      // A colon glued to a word is no new path: the whole piece is refused.
      {t.Path() + "\\Notes:2013", kCap0106, "Illegal character in the folder name : :"},
      // Device, trailing-blank and ".." names: refused before the question.
      {t.Path() + "\\nul", kCap0106, "Illegal folder name (it is the name of a device) : nul"},
      {t.Path() + "\\midb \\y", kCap0106, "Illegal folder name (it ends with a dot or a blank) : midb "},
      {t.Path() + "\\dd\\..\\..\\up", kCap0106, "Illegal folder name (\".\" and \"..\" name no new folder) : .."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    seam.boxes.clear();
    PressCreateForced(c.text);
    EXPECT_EQ(seam.Shown(), Strings{Box(c.caption, 0x30, c.message)});
    ExpectFree();
  }
  EXPECT_EQ(testsupport::ListTree(t.Path()), "");

  // A later path that fails the check stops the run; earlier ones stay created.
  seam.boxes.clear();
  seam.Answer("0107", IDYES);
  PressCreateForced(t / "Good" + " " + t / "Notes:2013");
  EXPECT_EQ(seam.Captions(), (Strings{kCap0107, kCap0106}));
  EXPECT_TRUE(FolderExists(t / "Good"));
  EXPECT_EQ(frmMain->Manual.lstSuccess.Items(), Strings{t / "Good"});
  ExpectFree();
}

TEST_F(ManualCreationPage, LowerPanelCreatesTheSubfoldersInTheChosenDestination) {
  TempDir t;
  PickDestination(t.Path());
  ASSERT_EQ(seam.folderPicks.size(), 1u);
  EXPECT_EQ(seam.folderPicks[0].owner, frmMain->Handle());
  EXPECT_EQ(frmMain->Manual.ManualRootFolder, t.Path());
  EXPECT_EQ(frmMain->Manual.cboRootFolders.Text(), t.Path());
  EXPECT_TRUE(seam.boxes.empty());

  Type(frmMain->Manual.cboSubFolder, "x\\y");
  EXPECT_EQ(frmMain->Manual.lblSimple02CompleteFolder.Text(), t / "x\\y");
  Type(frmMain->Manual.cboSubFolder, "\\z");
  EXPECT_EQ(frmMain->Manual.lblSimple02CompleteFolder.Text(), t / "z");

  seam.Answer("0119", IDOK);
  PressCreateSub("x\\y");
  EXPECT_TRUE(FolderExists(t / "x\\y"));
  EXPECT_EQ(seam.Shown(), Strings{Box(kCap0119, 0x40, kEndText)});
  EXPECT_EQ(frmMain->Manual.lstSuccessSubFolders.Items(), Strings{t / "x\\y"});
  EXPECT_EQ(frmMain->Manual.cboSubFolder.Items(), Strings{"x\\y"});
  EXPECT_TRUE(seam.shellOpens.empty());
  ExpectFree();
  EXPECT_TRUE(frmMain->Manual.cboSubFolder.Focused());

  // A leading backslash joins without a doubled one; View D. Folder opens the destination after the creation.
  seam.boxes.clear();
  testsupport::Tick(frmMain->Manual.chkSubViewDestFolder, true);
  seam.Answer("0119", IDOK);
  PressCreateSub("\\z");
  EXPECT_TRUE(FolderExists(t / "z"));
  EXPECT_EQ(frmMain->Manual.lstSuccessSubFolders.Items(), (Strings{t / "x\\y", t / "z"}));
  EXPECT_EQ(seam.shellOpens, Strings{t.Path() + "||"});

  // The same text again: it exists, is logged, and the log window shows it.
  seam.boxes.clear();
  seam.Answer("0115", IDOK);
  seam.Answer("0118", IDYES);
  Strings exist, other;
  seam.OnModal(SubFolderUnSuccessFullForm, [&](ui::Form&) {
    exist = SubFolderUnSuccessFullForm->lstSubFolderUnSuccessFullExist.Items();
    other = SubFolderUnSuccessFullForm->lstSubFolderUnSuccessFullOther.Items();
    Press(SubFolderUnSuccessFullForm->btnSubFolderUnSuccessFullOk);
    return 0;
  });
  PressCreateSub("x\\y");
  EXPECT_EQ(seam.Shown(), (Strings{Box(kCap0115, 0x30, kExistsText), Box(kCap0118, 0x124, kEndLogText)}));
  EXPECT_EQ(exist, Strings{t / "x\\y"});
  EXPECT_TRUE(other.empty());
  EXPECT_EQ(frmMain->Manual.btnSubFolderErrorLog.FontColor(), kRed);
  EXPECT_EQ(frmMain->Manual.cboSubFolder.Items(), (Strings{"x\\y", "\\z"}));
  EXPECT_EQ(seam.Unscripted(), 0);

  // A name that cannot be made goes to the other list.
  seam.boxes.clear();
  testsupport::WriteFile(t / "f", "x");
  seam.Answer("0118", IDYES);
  seam.OnModal(SubFolderUnSuccessFullForm, [&](ui::Form&) {
    exist = SubFolderUnSuccessFullForm->lstSubFolderUnSuccessFullExist.Items();
    other = SubFolderUnSuccessFullForm->lstSubFolderUnSuccessFullOther.Items();
    return IDOK;
  });
  PressCreateSub("f\\g");
  EXPECT_EQ(seam.Captions(), Strings{kCap0118});
  EXPECT_TRUE(exist.empty());
  EXPECT_EQ(other, Strings{t / "f\\g"});
  ExpectFree();
}

TEST_F(ManualCreationPage, LowerPanelRefusesWithoutDestinationAndForBadTexts) {
  // Nothing chosen: nothing lands at the root of the current drive.
  char unique[64];
  wsprintfA(unique, "VextilManualTest%lu", GetCurrentProcessId());
  seam.Answer("0113", IDOK);
  PressCreateSub(unique);
  EXPECT_EQ(seam.Shown(), Strings{Box(kCap0113, 0x30, kRootEmptyText)});
  EXPECT_FALSE(FolderExists(std::string("\\") + unique));
  EXPECT_FALSE(FolderExists(dir->Path() + "\\" + unique));
  ExpectFree();

  // Drive letter and empty text: their warning, then the end message.
  TempDir t;
  PickDestination(t.Path());
  seam.boxes.clear();
  seam.Answer("0116", IDOK);
  seam.Answer("0119", IDOK);
  PressCreateSub("c:\\x");
  seam.Answer("0117", IDOK);
  seam.Answer("0119", IDOK);
  PressCreateSub("");
  EXPECT_EQ(seam.Shown(),
            (Strings{Box(kCap0116, 0x30,
                         "There is a drive letter in text !\nAction : You can't enter a drive letter to Subfolder "
                         "field."),
                     Box(kCap0119, 0x40, kEndText),
                     Box(kCap0117, 0x30, "The text field is empty !\nAction : You must enter other text to create a "
                                         "valid path."),
                     Box(kCap0119, 0x40, kEndText)}));
  EXPECT_EQ(seam.Unscripted(), 0);
  EXPECT_EQ(testsupport::ListTree(t.Path()), "");

  // A cancelled picker empties the destination and the combo shows none.
  seam.boxes.clear();
  seam.Answer("0112", IDOK);
  Press(frmMain->Manual.btnAddRootFolders);  // no scripted answer: cancelled
  EXPECT_EQ(seam.Shown(), Strings{Box(kCap0112, 0x30, kRootEmptyText)});
  EXPECT_EQ(frmMain->Manual.ManualRootFolder, "");
  EXPECT_EQ(frmMain->Manual.cboRootFolders.Text(), "");
  EXPECT_EQ(frmMain->Manual.cboRootFolders.Items(), Strings{t.Path()});
  seam.boxes.clear();
  seam.Answer("0113", IDOK);
  PressCreateSub("after");
  EXPECT_EQ(seam.Captions(), Strings{kCap0113});
  EXPECT_FALSE(FolderExists(t / "after"));

  // View with no destination shown: 0114.
  seam.boxes.clear();
  seam.Answer("0114", IDOK);
  Press(frmMain->Manual.btnSubViewDestFolder);
  EXPECT_EQ(seam.Shown(), Strings{Box(kCap0114, 0x30,
                                      "The selection field is empty !\nAction : You must select a folder with "
                                      "subfolders structure.")});
  EXPECT_TRUE(seam.shellOpens.empty());

  // Picking the destination from the list brings it back.
  frmMain->Manual.cboRootFolders.SetItemIndex(0);
  SendMessageA(GetParent(frmMain->Manual.cboRootFolders.Handle()), WM_COMMAND,
               MAKEWPARAM(IDC_CBOROOTFOLDERS, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(frmMain->Manual.cboRootFolders.Handle()));
  EXPECT_EQ(frmMain->Manual.ManualRootFolder, t.Path());
  EXPECT_EQ(frmMain->Manual.lblSimple02CompleteFolder.Text(), t / "after");
  Press(frmMain->Manual.btnSubViewDestFolder);
  EXPECT_EQ(seam.shellOpens, Strings{t.Path() + "||"});
}

TEST_F(ManualCreationPage, AFolderPickedTwiceIsListedOnceAndShownEachTime) {
  TempDir t, u;
  PickDestination(t.Path());
  PickDestination(u.Path());
  PickDestination(t.Path());
  EXPECT_EQ(frmMain->Manual.cboRootFolders.Items(), (Strings{t.Path(), u.Path()}));
  EXPECT_EQ(frmMain->Manual.cboRootFolders.Text(), t.Path()) << "the folder in use, not the last added";
  EXPECT_EQ(frmMain->Manual.ManualRootFolder, t.Path());

  // A drive root joins without a doubled backslash.
  PickDestination("C:\\");
  Type(frmMain->Manual.cboSubFolder, "a\\b");
  EXPECT_EQ(frmMain->Manual.lblSimple02CompleteFolder.Text(), "C:\\a\\b");
  Type(frmMain->Manual.cboSubFolder, "\\a");
  EXPECT_EQ(frmMain->Manual.lblSimple02CompleteFolder.Text(), "C:\\a");
  EXPECT_EQ(frmMain->Manual.cboRootFolders.Text(), "C:\\");
  EXPECT_TRUE(seam.boxes.empty());
}

} // namespace
