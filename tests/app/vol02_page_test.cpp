// The string-list page's front end: destination, name composition and preview,
// the Add checks, the enable rules and the moves between the two lists.
#include "tests/app/creation_page_fixture.h"

#include "listwin/frmFileExport.h"

using namespace creationtest;

namespace {

class Vol02Page : public StringListPageTest {};

TEST_F(Vol02Page, ComposesNamesFromDestinationPrefixItemAndSuffixInThePreview) {
  PickDestination(dest.Path());
  EXPECT_EQ(M().Vol02.cboVol02DestFolders.Text(), dest.Path());
  Type("beta");
  Type("alpha");
  EXPECT_TRUE(M().Vol02.chkVol02Hyphen.Checked());
  M().Vol02.edtVol02Prefix.SetText("P");
  M().Vol02.edtVol02Suffix.SetText("S");
  EXPECT_EQ(M().Vol02.lblVol02StartFolder.Text(), dest.Path() + "\\P-alpha-S");
  EXPECT_EQ(M().Vol02.lblVol02EndFolder.Text(), dest.Path() + "\\P-beta-S");

  M().Vol02.chkVol02Hyphen.SetChecked(false);
  EXPECT_EQ(M().Vol02.lblVol02StartFolder.Text(), dest.Path() + "\\PalphaS");
  M().Vol02.chkVol02Hyphen.SetChecked(true);

  // A prefix of blanks takes no hyphen, but its blanks stay in the name.
  M().Vol02.edtVol02Prefix.SetText("  ");
  M().Vol02.edtVol02Suffix.SetText("");
  EXPECT_EQ(M().Vol02.lblVol02StartFolder.Text(), dest.Path() + "\\  alpha");

  // An illegal character typed at the end of the prefix or suffix is taken back.
  seam.Answer("0018", IDOK);
  M().Vol02.edtVol02Prefix.SetText("ab*");
  EXPECT_EQ(M().Vol02.edtVol02Prefix.Text(), "ab");
  EXPECT_EQ(seam.Last().caption, kT + "Warning no: 0018.");
  EXPECT_EQ(seam.Last().text, "Illegal character in the Prefix : *");
  seam.Answer("0019", IDOK);
  M().Vol02.edtVol02Suffix.SetText("x\\");
  EXPECT_EQ(M().Vol02.edtVol02Suffix.Text(), "x");
  EXPECT_EQ(seam.Last().text, "Illegal character in the Suffix : \\");
  EXPECT_EQ(M().Vol02.lblVol02StartFolder.Text(), dest.Path() + "\\ab-alpha-x");

  // A cancelled browse warns and keeps the destination.
  seam.Answer("0001", IDOK);
  PickDestination("");
  EXPECT_EQ(seam.Last().caption, kT + "Warning no: 0001.");
  EXPECT_EQ(M().Vol02.cboVol02DestFolders.Text(), dest.Path());
  EXPECT_EQ(seam.Unscripted(), 0);
}

TEST_F(Vol02Page, AddRunsItsFiveChecksWithTheirMessages) {
  PickDestination(dest.Path());
  Type("Alpha");
  ASSERT_EQ(M().Vol02.lstVol02IncludeStrings.Items(), Strings{"Alpha"});
  EXPECT_EQ(M().Vol02.lblVol02IncludeSum.Text(), "1");

  seam.Answer("0004", IDOK);
  Type("   ");
  EXPECT_EQ(seam.Last().caption, kT + "Warning no: 0004.");
  EXPECT_EQ(seam.Last().text,
            "The text field is empty !\nAction : You must enter a different name to add to the "
            "Include List.");

  seam.Answer("0005", IDOK);
  Type("ALPHA");
  EXPECT_EQ(seam.Last().text, "This item already exists in the Include list !");

  M().Vol02.lstVol02ExcludeStrings.Add("gone");
  seam.Answer("0006", IDOK);
  Type("Gone");
  EXPECT_EQ(seam.Last().text, "This item already exists in the Exclude list !");

  seam.Answer("0007", IDOK);
  Type("c:\\data");
  EXPECT_EQ(seam.Last().caption,
            "Creating Folder(s).-From a String List.          Warning no: 0007.");
  EXPECT_EQ(seam.Last().text, "This item is a Folder Name (with drive letter) !\nAction : You must "
                              "enter a string without a drive letter !!!");

  seam.Answer("0008", IDOK);
  Type(" a?bc ");
  EXPECT_EQ(seam.Last().text, "Illegal character in the Text : ?");
  EXPECT_EQ(M().Vol02.edtVol02AddToList.Text(), "a?b");
  EXPECT_EQ(seam.Last().flags, 0x30u);

  Type("x//y\\\\z");
  EXPECT_EQ(M().Vol02.edtVol02AddToList.Text(), "x\\y\\z");
  EXPECT_EQ(M().Vol02.lstVol02IncludeStrings.Items(), (Strings{"Alpha", "x\\y\\z"}));
  EXPECT_EQ(seam.Unscripted(), 0);
}

TEST_F(Vol02Page, EnableRulesFollowDestinationListAndAttachOption) {
  // No destination: the list and creation controls are off.
  EXPECT_FALSE(M().Vol02.edtVol02AddToList.Enabled());
  EXPECT_FALSE(M().Vol02.lstVol02IncludeStrings.Enabled());
  EXPECT_FALSE(M().Vol02.edtVol02Prefix.Enabled());
  EXPECT_TRUE(M().Vol02.rdoVol02AttachNothing.Checked());
  EXPECT_FALSE(M().Vol02.btnVol02CreateFolders.Enabled());
  EXPECT_TRUE(M().Vol02.btnVol02ClearAll.Enabled());
  EXPECT_EQ(M().Vol02.lblVol02IncludeSum.Text(), "0");

  PickDestination(dest.Path());
  EXPECT_TRUE(M().Vol02.edtVol02AddToList.Enabled());
  EXPECT_FALSE(M().Vol02.edtVol02Prefix.Enabled());
  EXPECT_FALSE(M().Vol02.rdoVol02AttachNothing.Enabled());
  EXPECT_FALSE(M().Vol02.btnVol02CreateFolders.Enabled());

  Type("one");
  EXPECT_TRUE(M().Vol02.edtVol02Prefix.Enabled());
  EXPECT_TRUE(M().Vol02.rdoVol02AttachNothing.Enabled());
  EXPECT_TRUE(M().Vol02.btnVol02CreateFolders.Enabled());
  EXPECT_TRUE(M().Vol02.btnVol02CreateFoldersSimulation.Enabled());
  EXPECT_FALSE(M().Vol02.btnVol02AddFolderStructure.Enabled());
  EXPECT_EQ(Row(PageCounters(), 0), (Strings{"1", "0", "0", "0"}));

  // A structure option without structures: Create is off until one is added.
  M().Vol02.rdoVol02AttachMainFolderWithoutFiles.SetChecked(true);
  EXPECT_TRUE(M().Vol02.btnVol02AddFolderStructure.Enabled());
  EXPECT_FALSE(M().Vol02.btnVol02CreateFolders.Enabled());
  tree.AddFolder("T\\x\\y");
  AddStructure(tree / "T");
  EXPECT_EQ(M().Vol02.lstVol02AddFolderStructure.Items(), Strings{tree / "T"});
  EXPECT_TRUE(M().Vol02.btnVol02CreateFolders.Enabled());
  EXPECT_EQ(Row(PageCounters(), 0), (Strings{"1", "3", "0", "0"}));
  AddStructure(tree / "T");  // listed once
  EXPECT_EQ(M().Vol02.lstVol02AddFolderStructure.Count(), 1);

  // Back to nothing: the row is (count, 0, 0, 0) and the structures are off.
  M().Vol02.rdoVol02AttachNothing.SetChecked(true);
  EXPECT_EQ(Row(PageCounters(), 0), (Strings{"1", "0", "0", "0"}));
  EXPECT_FALSE(M().Vol02.lstVol02AddFolderStructure.Enabled());
  EXPECT_EQ(seam.Unscripted(), 0);
}

TEST_F(Vol02Page, MovesTakeTheSelectionAsItWasAndDropWhatTheTargetHolds) {
  PickDestination(dest.Path());
  for (const char* s : {"a", "b", "c", "d"}) Type(s);
  M().Vol02.lstVol02ExcludeStrings.Add("B");
  M().Vol02.lstVol02IncludeStrings.SetSelected(1, true);  // b
  M().Vol02.lstVol02IncludeStrings.SetSelected(2, true);  // c
  Press(M().Vol02.btnVol02IncToExc);
  EXPECT_EQ(M().Vol02.lstVol02IncludeStrings.Items(), (Strings{"a", "d"}));
  EXPECT_EQ(M().Vol02.lstVol02ExcludeStrings.Items(), (Strings{"B", "c"}));
  EXPECT_EQ(M().Vol02.lblVol02IncludeSum.Text(), "2");
  EXPECT_EQ(M().Vol02.lblVol02ExcludeSum.Text(), "2");

  Press(M().Vol02.btnVol02AllFromExc);
  EXPECT_EQ(M().Vol02.lstVol02IncludeStrings.Items(), (Strings{"a", "B", "c", "d"}));
  EXPECT_EQ(M().Vol02.lstVol02ExcludeStrings.Count(), 0);

  Press(M().Vol02.btnVol02AllFromInc);
  EXPECT_EQ(M().Vol02.lstVol02IncludeStrings.Count(), 0);
  EXPECT_FALSE(M().Vol02.edtVol02Prefix.Enabled());

  M().Vol02.lstVol02ExcludeStrings.SetSelected(0, true);
  seam.Answer("0017", IDYES);
  Press(M().Vol02.btnVol02DeleteFromExclude);
  EXPECT_EQ(M().Vol02.lstVol02ExcludeStrings.Items(), (Strings{"B", "c", "d"}));
  seam.Answer("0529", IDYES);
  Press(M().Vol02.btnVol02DeleteExcludeAll);
  EXPECT_EQ(M().Vol02.lstVol02ExcludeStrings.Count(), 0);
  seam.Answer("0528", IDOK);
  Press(M().Vol02.btnVol02DeleteExcludeAll);
  EXPECT_EQ(seam.Last().text, "Empty List in the Exclude Window!\n");
  EXPECT_EQ(seam.Unscripted(), 0);
}

TEST_F(Vol02Page, SmartExportHandsOnlyTheStringsWithoutADriveAndEnterAddsToo) {
  PickDestination(dest.Path());
  seam.Answer("0556", IDOK);
  Press(M().Vol02.btnVol02SmartExport);
  EXPECT_EQ(seam.Last().text, "The Include List is empty !\n");

  M().Vol02.edtVol02AddToList.SetText("plain");
  char enter = 13;
  M().Vol02.edtVol02AddToList.OnKeyPress(enter);  // Enter acts as Add
  EXPECT_EQ(enter, 0);
  M().Vol02.lstVol02IncludeStrings.Add("c:\\with drive");
  Strings handed;
  std::string kind;
  seam.OnModal(frmFileExport, [&](ui::Form&) {
    handed = frmFileExport->lstFileExportSource.Items();
    kind = frmFileExport->ExportKind();
    return IDCANCEL;
  });
  Press(M().Vol02.btnVol02SmartExport);
  EXPECT_EQ(handed, Strings{"plain"});
  EXPECT_EQ(kind, "STRINGS");
  EXPECT_EQ(seam.Unscripted(), 0);
}

} // namespace
