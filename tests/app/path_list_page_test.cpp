// The path-list page on real temp trees, over two drives where Wine gives a spare letter.
#include "tests/app/creation_page_fixture.h"

#include "support/wine_unix.h"

using namespace creationtest;

namespace {

class PathListPageTest : public CreationPageTest {
protected:
  PathListPage& P() { return frmMain->Vol04; }
  void Type(const std::string& text) {
    testsupport::Type(P().edtVol04AddToList, text);
    Press(P().btnVol04AddToList);
  }
  void AddStructure(const std::string& path) { PickWith(P().btnVol04AddFolderStructure, path); }
  void Create() { Run(P().btnVol04CreateFolders, "0061", "0062"); }
  void Simulate() { Run(P().btnVol04CreateFoldersSimulation, "0473", "0475"); }
  Strings Row(int row) { return CreationPageTest::Row(frmStatistic04, row); }
};

// Drive Q: of the test prefix made to show a temp folder, for a list over two drives; removed again at the end.
class SpareDrive {
public:
  explicit SpareDrive(const std::string& folder) {
    char prefix[MAX_PATH] = "";
    if (!testsupport::UnderWine() || !GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH))
      return;
    link_ = std::string(prefix) + "/dosdevices/q:";
    const std::string target = testsupport::UnixPathOf(folder);
    if (target.empty() || target.find(' ') != std::string::npos) return;
    ok_ = testsupport::RunUnix("/bin/ln -sfn " + target + " " + link_) &&
          testsupport::WaitForPath(true, "Q:\\");
  }
  ~SpareDrive() {
    if (!link_.empty()) testsupport::RunUnix("/bin/rm -f " + link_);
    testsupport::WaitForPath(false, "Q:\\");
  }
  bool ok() const { return ok_; }

private:
  std::string link_;
  bool ok_ = false;
};

TEST_F(PathListPageTest, IsTheFirstPageAndEveryMessageHasItsNumberFlagsTextAndCaption) {
  unscriptedBoxes = true;
  EXPECT_EQ(frmMain->pgeMain.ActivePage(), &frmMain->tabFolderCreate05);
  const std::string T = "Creating Folder(s).-From a Folder List.";
  const std::string S = "Simulate Creating Folder(s).-From a Folder List.";
  const std::string B12 = "            ";
  tree.AddFile("T\\a.txt", "12345678");
  Type("  ");                                                     // 0042
  Type("Work\\Reports");                                          // 0043
  Type("C:\\");                                                   // 0044
  Type(dest / "a");
  Type(dest / "A");                                               // 0044 (already in the list)
  testsupport::Type(P().edtVol04Prefix, "p?");                    // 0054
  testsupport::Type(P().edtVol04Suffix, "s|");                    // 0055
  Press(P().btnVol04DeleteFromExclude);                           // 0145
  Press(P().btnVol04DeleteExcludeAll);                            // 0526
  testsupport::Choose(P().rdoVol04AttachMainFolderWithoutFiles);
  Press(P().btnVol04ViewFolderStructure);                         // 0057
  EXPECT_FALSE(P().btnVol04CreateFolders.Enabled());             // no structure listed
  seam.Answer("0333", IDNO);
  AddStructure("C:\\");                                           // 0333
  AddStructure(tree / "gone");
  Press(P().btnVol04CreateFolders);                               // 0060
  Press(P().btnVol04CreateFoldersSimulation);                     // 0472
  P().lstVol04AddFolderStructure.SetSelected(0, true);
  seam.Answer("0058", IDYES);
  Press(P().btnVol04RemoveFolderStructure);                       // 0058
  AddStructure(dest.Path());  // holds the new folder: refused
  Simulate();                                                     // 0473, 0474, 0475
  Create();                                                       // 0061, 0375, 0062
  seam.Answer("0068", IDYES);
  testsupport::WriteFile(dest / "p-a-s\\mine.txt", "the user's");
  Press(P().btnVol04Undo);                                        // 0068, 0069, 0070
  Press(P().btnVol04Undo);                                        // 0067
  P().lstVol04IncludeFolderList.SetSelected(0, true);
  Press(P().btnVol04IncToExc);
  seam.Answer("0053", IDNO);
  Press(P().btnVol04DeleteFromExclude);                           // 0053
  seam.Answer("0527", IDNO);
  Press(P().btnVol04DeleteExcludeAll);                            // 0527
  Press(P().btnVol04SmartExport);                                 // 0557
  seam.Answer("0061", IDYES);
  Press(P().btnVol04CreateFolders);                               // 0063
  seam.Answer("0473", IDYES);
  Press(P().btnVol04CreateFoldersSimulation);                     // 0476
  P().lstVol04AddFolderStructure.SetSelected(0, true);
  seam.Answer("0058", IDYES);
  Press(P().btnVol04RemoveFolderStructure);
  Press(P().btnVol04AllfromExc);
  AddStructure(tree / "T");
  seam.SetFreeSpace(dest.Path().substr(0, 3), {true, 7, 1000, 7});
  testsupport::Choose(P().rdoVol04AttachMainFolderWithFiles);     // 0071
  seam.Answer("0064", IDYES);
  Press(P().btnVol04ClearAll);                                    // 0064, 0065

  const std::string noStructure = "There is no additional Subfolder structure. !\nAction : You "
                                  "must add at least one Subfolder structure.";
  const std::string gone = "The folder doesn't exist : " + tree / "gone" +
                           "\nAction : Please enter or select an existing folder.";
  const std::string empty = "The Include list is empty !!!\nYou must enter at least one Folder "
                            "to create folders.";
  ExpectShown({
      {"0042", 0x30, "The text field is empty !!!", T + B12 + "Warning no: 0042."},
      {"0043", 0x30, "Not found any colon (:) in the text !!!!", T + B12 + "Warning no: 0043."},
      {"0044", 0x30, "This item already exists in the Include list !", T + B12 + "Warning no: 0044."},
      {"0054", 0x30, "Illegal character in the Prefix : ?", T + B12 + "Warning no: 0054."},
      {"0055", 0x30, "Illegal character in the Suffix : |", T + B12 + "Warning no: 0055."},
      {"0145", 0x30, "The EXCLUDE list is empty !\nAction : You must enter at least one FOLDER to the EXCLUDE list to delete it.\n", T + B12 + "Warning no: 0145."},
      {"0526", 0x30, "Empty List in the Exclude Window!\n", "Creating Folder List(s).-From a Folder List." + B12 + "Warning no: 0526."},
      {"0057", 0x30, "There is no selected Folder Structure !\nAction : You must select a Folder with subfolders structure.", T + B12 + "Warning no: 0057."},
      {"0333", 0x124, "Do you want to Attach the Entire Disk to the Folders specified in The Include Window ?\nClick YES to Attach,\nClick NO to Cancel.", T + B12 + "Warning no: 0333."},
      {"0060", 0x30, gone, T + B12 + "Warning no: 0060."},
      {"0472", 0x30, gone, S + B12 + "Warning no: 0472."},
      {"0058", 0x124, "Do you want to delete the selected item(s) from the Exclude list ?", T + B12 + "Warning no: 0058."},
      {"0473", 0x124, frmMain->CreateSimulationStartText, S + B12 + "Information no: 0473."},
      {"0474", 0x30, "", S + B12 + "Warning no: 0474."},
      {"0475", 0x40, frmMain->CreateSimulationEndText, S + B12 + "Information no: 0475."},
      {"0061", 0x124, "Do you want to create folders ?\n", T + B12 + "Information no: 0061."},
      {"0375", 0x30, "", T + B12 + "Warning no: 0375."},
      {"0062", 0x40, "End of Creating Folders/Files !!!", T + B12 + "Information no: 0062."},
      {"0068", 0x124, "Do you want to delete all folders (and files)\ncreated last time ?", T + B12 + "Information no: 0068."},
      {"0069", 0x30, "The program is unable to delete the following folders (and their contents), and/or separate files : \n\nOTHER REASONS   : \n\nthe folder is not empty : 1\n   " + dest / "p-a-s" + "\n", T + B12 + "Information no: 0069."},
      {"0070", 0x40, "End of Undo process !!!", T + B12 + "Information no: 0070."},
      {"0067", 0x30, "No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must at least one Folder to UNDO them.", T + B12 + "Warning no: 0067."},
      {"0053", 0x124, "Do you want to delete the selected item(s) from the Exclude list ?\nNote: You can delete ONLY from the EXCLUDE list.\n", T + B12 + "Warning no: 0053."},
      {"0527", 0x124, "Do you want to delete all item(s) from the Exclude list ?", "Creating Folder List(s).-From a Folder List.             Warning no: 0527."},
      {"0557", 0x30, "The Include List is empty !\n", T + B12 + "Warning no: 0557."},
      {"0063", 0x30, empty, T + "           Warning no: 0063."},
      {"0476", 0x30, empty, S + "           Warning no: 0476."},
      {"0071", 0x30, "", T + B12 + "Information no: 0071."},
      {"0064", 0x124, "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the delete process.", T + B12 + "Information no: 0064"},
      {"0065", 0x30, "End of the CLEAR FIELDS process !!!\n", T + "           Warning no: 0065."},
  });
  if (HasFatalFailure()) return;
  EXPECT_EQ(Box("0071")->text.substr(0, 38), "There is not enough space on the disk.");
  EXPECT_NE(Box("0375")->text.find("NOT PERFORMED"), std::string::npos);
  EXPECT_EQ(P().lstVol04IncludeFolderList.Count(), 0);
  EXPECT_FALSE(P().edtVol04Prefix.Enabled());
}

TEST_F(PathListPageTest, AddNormalisesStopsAtTheFirstBadPathAndPreviewsFirstAndLast) {
  unscriptedBoxes = true;
  Type(dest.Path() + "/Work//Reports");
  EXPECT_EQ(P().lstVol04IncludeFolderList.Items(), Strings{dest / "Work\\Reports"});
  EXPECT_EQ(P().edtVol04AddToList.Text(), dest / "Work\\Reports");
  Type(dest / "one " + dest / "two C:\\");
  EXPECT_EQ(seam.Last().text, "There is no Folder part (just root).");
  EXPECT_EQ(P().lstVol04IncludeFolderList.Items(),
            (Strings{dest / "one", dest / "two", dest / "Work\\Reports"}));  // sorted
  testsupport::Type(P().edtVol04Prefix, "Old");
  testsupport::Type(P().edtVol04Suffix, "2");
  EXPECT_EQ(P().lblVol04StartFolder.Text(), dest.Path() + "\\Old-one-2");
  EXPECT_EQ(P().lblVol04EndFolder.Text(), dest / "Work\\Old-Reports-2");
  EXPECT_EQ(P().lblVol04IncludeSum.Text(), "3");
  EXPECT_EQ(P().lblVol04FoldersToCreate.Text(), "3");
}

TEST_F(PathListPageTest, ARunOverTwoDrivesChecksEachDriveAndSimulationAndUndoFollowIt) {
  testsupport::TempDir spare;
  SpareDrive q(spare.Path());
  if (!q.ok()) GTEST_SKIP() << "no spare drive letter here";
  tree.AddFile("T\\a.txt", "12345");
  tree.AddFile("T\\x\\b.txt", "123");
  CreateDirectoryA((dest / "there").c_str(), nullptr);
  Type(dest / "one");
  // Wine shows a new drive letter to later processes only: added as an import would.
  P().lstVol04IncludeFolderList.Add("Q:\\far\\away");
  Type(dest / "there");
  Type(tree / "T\\inside");  // lies inside the structure: refused for it
  Type(dest / "two\\plan.doc");
  P().lstVol04IncludeFolderList.Add("no\\drive");  // as an import would list it
  testsupport::Choose(P().rdoVol04AttachMainFolderWithFiles);
  const std::string c = dest.Path().substr(0, 3);
  // C: holds 4 lines with a drive (32 bytes), Q: one (8 bytes).
  seam.SetFreeSpace(c, {true, 31, 1000, 31});
  seam.SetFreeSpace("Q:\\", {true, 8, 1000, 8});
  seam.Answer("0071", IDOK);
  AddStructure(tree / "T");
  ASSERT_NE(Box("0071"), nullptr);
  EXPECT_NE(Box("0071")->text.find("disk " + c + " is : 31.00 Bytes"), std::string::npos);
  seam.SetFreeSpace(c, {true, 32, 1000, 32});
  seam.SetFreeSpace("Q:\\", {true, 7, 1000, 7});
  seam.Answer("0071", IDOK);
  Press(P().btnVol04CreateFolders);
  EXPECT_NE(Box("0071")->text.find("disk Q:\\ is : 7.00 Bytes"), std::string::npos);
  EXPECT_FALSE(FolderExists("Q:\\far"));
  seam.SetFreeSpace("Q:\\", {true, 8, 1000, 8});

  seam.Answer("0474", IDOK);
  seam.Answer("0375", IDOK);
  ExpectRunAsSimulated(frmStatistic04, [&] { Simulate(); }, [&] { Create(); }, {dest.Path(), spare.Path()});
  EXPECT_EQ(frmStatistic04->List(TResultsWindow::kFoldersCreated).Items(),
            (Strings{dest / "one", dest / "two", tree / "T\\inside", "Q:\\far\\away"}));
  EXPECT_EQ(Row(1), (Strings{"4", "6", "6", "24"}));   // the structure refused once
  EXPECT_EQ(Row(2), (Strings{"1", "0", "0", "0"}));    // an existing folder counts alone
  // A line without a drive, alone; and what the structure refused for
  // T\inside would have brought (its folder, x; a.txt, b.txt).
  EXPECT_EQ(Row(3), (Strings{"1", "2", "2", "8"}));
  EXPECT_EQ(testsupport::ReadFile(spare / "far\\away\\T\\x\\b.txt"), "123");
  EXPECT_EQ(ListTree(tree / "T\\inside"), "");

  testsupport::WriteFile(dest / "one\\T\\mine.txt", "the user's");
  seam.Answer("0068", IDYES);
  seam.Answer("0069", IDOK);
  seam.Answer("0070", IDOK);
  Press(P().btnVol04Undo);
  EXPECT_EQ(ListTree(dest.Path()), "one\\\none\\T\\\none\\T\\mine.txt\nthere\\\n");
  EXPECT_EQ(ListTree(spare.Path()), "");
  EXPECT_FALSE(FolderExists(tree / "T\\inside"));
}

} // namespace
