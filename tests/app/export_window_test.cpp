// The smart export window: start state, hand-overs, files written through a scripted save dialog.
#include "core/settings_store.h"
#include "listwin/export_handover.h"
#include "listwin/frmFileExport.h"
#include "support/press.h"
#include "support/program_fixture.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using testsupport::Choose;
using testsupport::Press;
using testsupport::ProgramTest;
using testsupport::ReadFile;

namespace {

class ExportWindow : public ProgramTest {
protected:
  // Hands items over and, while the window is shown, lets the user act.
  void HandOver(const std::vector<std::string>& items, const std::string& kind,
                std::function<void(TfrmFileExport&)> user) {
    seam.OnModal(frmFileExport, [user](ui::Form&) {
      user(*frmFileExport);
      Press(frmFileExport->BitBtn1);
      return 0;
    });
    HandOverToExport(items, kind);
  }
  static void ExportTo(TfrmFileExport& w) { Press(w.btnFileExportTo); }
};

const char kCaption[] = "Export Datas to a File.            ";

TEST_F(ExportWindow, TheRadiosSwitchTheDelimiterComboThatMirrorsTheSavedList) {
  TfrmFileExport& w = *frmFileExport;
  std::vector<std::string> saved;
  for (const std::string& d : core::Settings().GetDelimiterList()) saved.push_back(d);
  EXPECT_EQ(w.cboFileExportDelimiter.Items(), saved);
  EXPECT_EQ(w.cboFileExportDelimiter.ItemIndex(), 0);
  EXPECT_FALSE(w.cboFileExportDelimiter.Enabled());

  // The window is modal: the user acts while it is on screen.
  seam.OnModal(frmFileExport, [&w](ui::Form&) {
    Choose(w.rdoFileExportCSVSeparatedFile);
    EXPECT_TRUE(w.cboFileExportDelimiter.Enabled());
    w.cboFileExportDelimiter.SetItemIndex(w.cboFileExportDelimiter.IndexOf("|"));
    Choose(w.rdoFileExportPlainTextFile);
    EXPECT_FALSE(w.cboFileExportDelimiter.Enabled());
    EXPECT_EQ(w.cboFileExportDelimiter.Text(), "|");
    return IDCANCEL;
  });
  HandOverToExport({"C:\\a"}, "FOLDERS");

  // Without a saved list the window's own 17 are offered; a saved one each entry once.
  core::Settings().ClearDelimiterList();
  w.FillExportDelimiterCombo();
  EXPECT_EQ(w.cboFileExportDelimiter.Count(), 17);
  core::Settings().AddDelimiter("+");
  core::Settings().AddDelimiter("+");
  core::Settings().AddDelimiter(";");
  w.FillExportDelimiterCombo();
  EXPECT_EQ(w.cboFileExportDelimiter.Items(), (std::vector<std::string>{"+", ";"}));
}

TEST_F(ExportWindow, HandOversTakeEachEntryOnceAndStringsOnlyWithoutADrive) {
  std::vector<std::string> got;
  std::string kind;
  seam.OnModal(frmFileExport, [&](ui::Form&) {
    got = frmFileExport->lstFileExportSource.Items();
    kind = frmFileExport->ExportKind();
    return IDCANCEL;
  });
  int lastExamined = -1;
  bool filledBeforeShown = false;
  int added = HandOverToExport(
      {"Alpha", "C:\\Beta", " alpha ", "ALPHA", "\\\\srv\\sh\\x", "Gamma 01"}, "STRINGS",
      ExportFilter::ByKind, [&](int examined) { lastExamined = examined; },
      [&] { filledBeforeShown = got.empty() && frmFileExport->lstFileExportSource.Count() == 3; });
  EXPECT_EQ(added, 3);
  EXPECT_EQ(lastExamined, 6);
  EXPECT_TRUE(filledBeforeShown);
  EXPECT_EQ(got, (std::vector<std::string>{"Alpha", " alpha ", "Gamma 01"}));
  EXPECT_EQ(kind, "STRINGS");
  EXPECT_EQ(frmFileExport->lblSmartExportSource.Text(), "3");

  // 30,000 folders and one of them again in other letters.
  std::vector<std::string> items;
  for (int i = 0; i < 30000; ++i) items.push_back("D:\\Results\\Folder " + std::to_string(i));
  items.push_back("d:\\results\\FOLDER 17");
  seam.OnModal(frmFileExport, [&](ui::Form&) { return IDCANCEL; });
  HandOverToExport(items, "FOLDERS");
  EXPECT_EQ(frmFileExport->lstFileExportSource.Count(), 30000);
  EXPECT_EQ(frmFileExport->lblSmartExportSource.Text(), "30000");
}

TEST_F(ExportWindow, WritesPlainAndSeparatedFilesAndKeepsItsChoices) {
  std::vector<std::string> items = {"C:\\One", "C:\\Two \"quoted\"", "  C:\\Three  "};
  std::string plain = dir->Path() + "\\plain.txt";
  seam.ChooseFile(plain);
  HandOver(items, "FOLDERS", [](TfrmFileExport& w) { ExportTo(w); });
  EXPECT_EQ(ReadFile(plain), "C:\\One\r\nC:\\Two \"quoted\"\r\n  C:\\Three  \r\n");
  EXPECT_EQ(frmFileExport->lblSmartExportExported.Text(), "3");
  ASSERT_EQ(seam.fileDialogs.size(), 1u);
  const ui::FileDialogRequest& request = seam.fileDialogs[0];
  EXPECT_TRUE(request.save);
  EXPECT_EQ(request.title, "Export Folder Names (strings) to a file.");
  EXPECT_EQ(request.defaultExt, "txt");
  EXPECT_EQ(request.filter, "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*");
  EXPECT_TRUE(request.overwritePrompt);
  EXPECT_EQ(seam.Shown(), std::vector<std::string>{testsupport::Box(
                              std::string(kCaption) + "Information no: 0646.", MB_ICONINFORMATION,
                              "End of the EXPORT process!\n3 string(s) written to the file :\n" + plain)});

  // Separated by ";" with quotes, replacing an existing file.
  std::string csv = dir->Path() + "\\list.csv";
  testsupport::WriteFile(csv, "old content that is longer than the new one........................");
  seam.ChooseFile(csv);
  HandOver(items, "FOLDERS", [](TfrmFileExport& w) {
    EXPECT_EQ(w.lblSmartExportExported.Text(), "0");  // a new hand-over starts at 0
    Choose(w.rdoFileExportCSVSeparatedFile);
    w.cboFileExportDelimiter.SetItemIndex(w.cboFileExportDelimiter.IndexOf(";"));
    ExportTo(w);
  });
  EXPECT_EQ(ReadFile(csv), "\"C:\\One\";\"C:\\Two \"\"quoted\"\"\";\"  C:\\Three  \"\r\n");

  // The form and delimiter are kept; "space" is a blank; without quotes entries go as held.
  std::string spaced = dir->Path() + "\\spaced.txt";
  seam.ChooseFile(spaced);
  HandOver({"C:\\a", "C:\\b\"c"}, "FOLDERS", [](TfrmFileExport& w) {
    EXPECT_TRUE(w.rdoFileExportCSVSeparatedFile.Checked());
    EXPECT_TRUE(w.cboFileExportDelimiter.Enabled());
    EXPECT_EQ(w.cboFileExportDelimiter.Text(), ";");
    w.cboFileExportDelimiter.SetItemIndex(w.cboFileExportDelimiter.IndexOf("space"));
    testsupport::Tick(w.chkFileExportQuotationMarks, false);
    ExportTo(w);
  });
  EXPECT_EQ(ReadFile(spaced), "C:\\a C:\\b\"c\r\n");
  EXPECT_EQ(frmFileExport->lblSmartExportExported.Text(), "2");
  EXPECT_FALSE(frmFileExport->chkFileExportQuotationMarks.Checked());

  // Cancelling the save dialog writes nothing and says nothing.
  size_t boxes = seam.boxes.size();
  seam.OnFileDialog([](ui::FileDialogRequest&) { return false; });
  HandOver({"C:\\z"}, "FOLDERS", [](TfrmFileExport& w) { ExportTo(w); });
  EXPECT_EQ(seam.boxes.size(), boxes);
  EXPECT_EQ(frmFileExport->lblSmartExportExported.Text(), "0");
  EXPECT_EQ(seam.Unscripted(), 3);  // the three "done" boxes had nothing to answer
}

TEST_F(ExportWindow, EmptyListAndFailedWritesAreReportedNeverDone) {
  // Nothing received: a warning, and the save dialog is not even shown.
  HandOver({"no drive here"}, "FOLDERS", [](TfrmFileExport& w) { ExportTo(w); });
  EXPECT_EQ(seam.Shown(), std::vector<std::string>{testsupport::Box(
                              std::string(kCaption) + "Warning no: 0641.", MB_ICONWARNING,
                              "The List to Export is empty !\nThere is nothing to write to a file.")});
  EXPECT_TRUE(seam.fileDialogs.empty());

  // A folder that does not exist.
  std::string missing = dir->Path() + "\\no such folder\\out.txt";
  seam.ChooseFile(missing);
  HandOver({"C:\\a"}, "FOLDERS", [](TfrmFileExport& w) { ExportTo(w); });
  ASSERT_EQ(seam.boxes.size(), 2u);
  EXPECT_EQ(seam.Last().text, "Unable to create the file :\n" + missing +
                                  "\nAction : Check the folder's name and your right to write into it.");
  EXPECT_EQ(seam.Last().caption, std::string(kCaption) + "Warning no: 0643.");
  EXPECT_EQ(frmFileExport->lblSmartExportExported.Text(), "0");
  EXPECT_FALSE(testsupport::PathExists(dir->Path() + "\\no such folder"));

  // A read-only file stays as it was.
  std::string locked = dir->Path() + "\\locked.txt";
  testsupport::WriteFile(locked, "keep me\r\n");
  ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
  seam.ChooseFile(locked);
  HandOver({"C:\\a", "C:\\b"}, "FOLDERS", [](TfrmFileExport& w) { ExportTo(w); });
  ASSERT_EQ(seam.boxes.size(), 3u);
  EXPECT_EQ(seam.Last().caption, std::string(kCaption) + "Warning no: 0643.");
  EXPECT_EQ(ReadFile(locked), "keep me\r\n");
  EXPECT_EQ(frmFileExport->lblSmartExportExported.Text(), "0");
  for (const testsupport::ShownBox& box : seam.boxes)
    EXPECT_EQ(box.caption.find("Information"), std::string::npos);
}

} // namespace
