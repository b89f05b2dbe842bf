// The string-list page's front end: messages, composition, enable rules, moves.
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

  // Slashes and doubled backslashes are normalised; a cancelled browse keeps the destination.
  Type("x//y\\\\z");
  EXPECT_EQ(M().Vol02.lstVol02IncludeStrings.Items(), (Strings{"alpha", "beta", "x\\y\\z"}));
  seam.Answer("0001", IDOK);
  PickDestination("");
  EXPECT_EQ(M().Vol02.cboVol02DestFolders.Text(), dest.Path());
}

// Each box the page shows: number, flags, text and caption, provoked as a user would.
TEST_F(Vol02Page, EveryMessageHasItsNumberFlagsTextAndCaption) {
  unscriptedBoxes = true;
  const std::string T = "Creating Folder(s).-From a String List.", S = "Simulate " + T, B12 = "            ";
  StringListPage& p = M().Vol02;
  tree.AddFile("T\\a.txt", "12345678");
  PickDestination("");                                             // 0001
  PickDestination(dest.Path());
  Press(p.btnVol02SmartExport);                                    // 0556
  Type("   ");                                                     // 0004
  Type("one");
  Type("ONE");                                                     // 0005
  Press(p.btnVol02DeleteFromExclude);                              // 0144
  Press(p.btnVol02DeleteExcludeAll);                               // 0528
  p.lstVol02ExcludeStrings.Add("gone");
  Type("Gone");                                                    // 0006
  Type("c:\\data");                                                // 0007
  Type(" a?bc ");                                                  // 0008
  EXPECT_EQ(p.edtVol02AddToList.Text(), "a?b");  // cut at the illegal character
  testsupport::Type(p.edtVol02Prefix, "ab*");                      // 0018
  testsupport::Type(p.edtVol02Suffix, "x\\");                      // 0019
  EXPECT_EQ(p.edtVol02Prefix.Text() + p.edtVol02Suffix.Text(), "abx");  // taken back
  testsupport::Choose(p.rdoVol02AttachMainFolderWithoutFiles);
  Press(p.btnVol02ViewFolderStructure);                            // 0021
  seam.Answer("0331", IDNO);
  AddStructure(dest.Path().substr(0, 3));                          // 0331
  EXPECT_EQ(p.lstVol02AddFolderStructure.Count(), 0);
  AddStructure(tree / "gone");
  Press(p.btnVol02CreateFolders);                                  // 0024
  Press(p.btnVol02CreateFoldersSimulation);                        // 0454
  EXPECT_EQ(ListTree(dest.Path()), "");
  p.lstVol02AddFolderStructure.SetSelected(0, true);
  seam.Answer("0022", IDYES);
  Press(p.btnVol02RemoveFolderStructure);                          // 0022
  AddStructure(dest.Path());  // holds the new folder: refused
  Simulate();                                                      // 0455, 0456, 0457
  Create();                                                        // 0025, 0373, 0026
  seam.Answer("0029", IDYES);
  testsupport::WriteFile(dest / "ab-one-x\\mine.txt", "the user's");
  Press(p.btnVol02Undo);                                           // 0029, 0030, 0031
  Press(p.btnVol02Undo);                                           // 0028
  p.lstVol02IncludeStrings.SetSelected(0, true);
  Press(p.btnVol02IncToExc);
  p.lstVol02ExcludeStrings.SetSelected(0, true);
  seam.Answer("0017", IDNO);
  Press(p.btnVol02DeleteFromExclude);                              // 0017
  seam.Answer("0529", IDNO);
  Press(p.btnVol02DeleteExcludeAll);                               // 0529
  seam.Answer("0025", IDYES);
  Press(p.btnVol02CreateFolders);                                  // 0027
  seam.Answer("0455", IDYES);
  Press(p.btnVol02CreateFoldersSimulation);                        // 0458
  p.lstVol02AddFolderStructure.SetSelected(0, true);
  seam.Answer("0022", IDYES);
  Press(p.btnVol02RemoveFolderStructure);
  Press(p.btnVol02AllFromExc);
  AddStructure(tree / "T");
  const std::string root = dest.Path().substr(0, 3);
  seam.SetFreeSpace(root, {true, 7, 1000, 7});  // "one" and "gone" need 2 x 8 bytes
  testsupport::Choose(p.rdoVol02AttachMainFolderWithFiles);        // 0035
  seam.Answer("0032", IDYES);
  Press(p.btnVol02ClearAll);                                       // 0032, 0033

  const std::string gone = "The folder doesn't exist : " + tree / "gone" +
                           "\nAction : Please enter or select an existing folder.";
  const std::string empty = "The Include list is empty !!!\nYou must enter at least one item to create folders.";
  ExpectShown({
      {"0001", 0x30, "The selection field is empty !\nAction : You must select a Destination Folder.", T + B12 + "Warning no: 0001."},
      {"0556", 0x30, "The Include List is empty !\n", T + B12 + "Warning no: 0556."},
      {"0004", 0x30, "The text field is empty !\nAction : You must enter a different name to add to the Include List.", T + B12 + "Warning no: 0004."},
      {"0005", 0x30, "This item already exists in the Include list !", T + B12 + "Warning no: 0005."},
      {"0144", 0x30, "The EXCLUDE list is empty !\nAction : You must enter at least one STRING to the EXCLUDE list to delete it.\n", T + B12 + "Warning no: 0144."},
      {"0528", 0x30, "Empty List in the Exclude Window!\n", T + B12 + "Warning no: 0528."},
      {"0006", 0x30, "This item already exists in the Exclude list !", T + B12 + "Warning no: 0006."},
      {"0007", 0x30, "This item is a Folder Name (with drive letter) !\nAction : You must enter a string without a drive letter !!!", T + "          Warning no: 0007."},
      {"0008", 0x30, "Illegal character in the Text : ?", T + B12 + "Warning no: 0008."},
      {"0018", 0x30, "Illegal character in the Prefix : *", T + B12 + "Warning no: 0018."},
      {"0019", 0x30, "Illegal character in the Suffix : \\", T + B12 + "Warning no: 0019."},
      {"0021", 0x30, "There is no selected Folder Structure !\nAction : You must select a folder with subfolders structure.", T + B12 + "Warning no: 0021."},
      {"0331", 0x124, "Do you want to Attach the Entire Disk to the Folders specified in The Include Window ?\nClick YES to Attach,\nClick NO to Cancel.", T + B12 + "Warning no: 0331."},
      {"0024", 0x30, gone, T + B12 + "Warning no: 0024."},
      {"0454", 0x30, gone, S + B12 + "Warning no: 0454."},
      {"0022", 0x124, "Do you want to delete the selected item(s) from the Exclude list ?", T + B12 + "Warning no: 0022."},
      {"0455", 0x124, frmMain->CreateSimulationStartText, S + B12 + "Information no: 0455."},
      {"0456", 0x30, "", "Simulate Creating Folder(s).-From a Folder List." + B12 + "Warning no: 0456."},
      {"0457", 0x40, frmMain->CreateSimulationEndText, S + B12 + "Information no: 0457."},
      {"0025", 0x124, "Do you want to create folders ?\n", "Creating Folder(s).-From  a String List." + B12 + "Information no: 0025."},
      {"0373", 0x30, "", T + B12 + "Warning no: 0373."},
      {"0026", 0x40, "End of Creating Folders/Files !!!", T + B12 + "Information no: 0026."},
      {"0029", 0x124, "Do you want to delete all folders (and files)\ncreated last time ?", T + B12 + "Information no: 0029."},
      {"0030", 0x30, "The program is unable to delete the following folders and their contents : \n\nOTHER REASONS   : \n\n" + dest / "ab-one-x" + "   (the folder is not empty)\n", T + B12 + "Information no: 0030."},
      {"0031", 0x40, "End of Undo process !!!", T + B12 + "Information no: 0031."},
      {"0028", 0x30, "No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must create at least one folder to UNDO them.", T + B12 + "Warning no: 0028."},
      {"0017", 0x124, "Do you want to delete the selected item(s) from the Exclude list ?\nNote: You can delete ONLY from the EXCLUDE list.\n", T + B12 + "Warning no: 0017."},
      {"0529", 0x124, "Do you want to delete all item(s) from the Exclude list ?", T + B12 + "Warning no: 0529."},
      {"0027", 0x30, empty, T + B12 + "Warning no: 0027."},
      {"0458", 0x30, empty, S + B12 + "Warning no: 0458."},
      {"0035", 0x30, "There is not enough space on the disk.\nThe free space on the disk " + root + " is : 7.00 Bytes    7 bytes\nThe program requires : 16.00 Bytes    16 bytes.", T + B12 + "Information no: 0035."},
      {"0032", 0x124, "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the delete process.", T + B12 + "Information no: 0032."},
      {"0033", 0x40, "End of the CLEAR FIELDS process !!!\n", T + B12 + "Information no: 0033."},
  });
  if (HasFatalFailure()) return;
  EXPECT_NE(Box("0373")->text.find("The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!"), std::string::npos);
  EXPECT_EQ(p.lstVol02IncludeStrings.Count(), 0);
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

  // View opens the selected structure; removing it recounts what is left.
  AddStructure(tree.AddFolder("U"));
  M().Vol02.lstVol02AddFolderStructure.SetSelected(0, true);
  Press(M().Vol02.btnVol02ViewFolderStructure);
  ASSERT_FALSE(seam.shellOpens.empty());
  EXPECT_EQ(seam.shellOpens.back().substr(0, (tree / "T").size()), tree / "T");
  seam.Answer("0022", IDYES);
  Press(M().Vol02.btnVol02RemoveFolderStructure);
  EXPECT_EQ(M().Vol02.lstVol02AddFolderStructure.Items(), Strings{tree / "U"});
  EXPECT_EQ(Row(PageCounters(), 0), (Strings{"1", "1", "0", "0"}));

  // Back to nothing: the row is (count, 0, 0, 0) and the structures are off.
  M().Vol02.rdoVol02AttachNothing.SetChecked(true);
  EXPECT_EQ(Row(PageCounters(), 0), (Strings{"1", "0", "0", "0"}));
  EXPECT_FALSE(M().Vol02.lstVol02AddFolderStructure.Enabled());
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
}

TEST_F(Vol02Page, SmartExportHandsOnlyTheStringsWithoutADriveAndEnterAddsToo) {
  PickDestination(dest.Path());
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
}

} // namespace
