// The increased-numbers page on real temp trees.
#include "tests/app/creation_page_fixture.h"

using namespace creationtest;

namespace {

class NumbersPageTest : public CreationPageTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate04);
  }
  NumbersPage& P() { return frmMain->Vol03; }
  void PickDestination(const std::string& path) { PickWith(P().btnVol03AddDestFolder, path); }
  void AddStructure(const std::string& path) { PickWith(P().btnVol03AddFolderStructure, path); }
  // Types both numbers, leaving each field as a user does (to the next field).
  void Numbers(const std::string& start, const std::string& end) {
    testsupport::Type(P().edtVol03StartNumber, start);
    testsupport::Type(P().edtVol03EndNumber, end);
    P().edtVol03Prefix.SetFocus();
  }
  void Create() { Run(P().btnVol03CreateFolders, "0093", "0094"); }
  void Simulate() { Run(P().btnVol03CreateFoldersSimulation, "0465", "0467"); }
  Strings Row(int row) { return CreationPageTest::Row(frmStatistic03, row); }
};

// Each box the page shows: number, flags, text and caption, provoked as a user would.
TEST_F(NumbersPageTest, EveryMessageHasItsNumberFlagsTextAndCaption) {
  unscriptedBoxes = true;
  const std::string T = "Creating Folder(s).-Increased Numbers.";
  const std::string S = "Simulate Creating Folder(s).-Increased Numbers.";
  const std::string B12 = "            ";
  tree.AddFile("T\\a.txt", "12345678");
  seam.OnPickFolder([](ui::FolderPickRequest&) { return false; });
  Press(P().btnVol03AddDestFolder);                                      // 0077
  PickDestination(dest.Path());
  testsupport::Type(P().edtVol03Prefix, "a?");                           // 0079
  testsupport::Type(P().edtVol03Suffix, "b*");                           // 0080
  Numbers("5", "3");
  Press(P().btnVol03CreateFolders);                                      // 0089
  Press(P().btnVol03CreateFoldersSimulation);                            // 0461
  Numbers("1", "30002");
  Press(P().btnVol03CreateFolders);                                      // 0090
  Press(P().btnVol03CreateFoldersSimulation);                            // 0462
  testsupport::Choose(P().rdoVol03AttachMainFolderWithoutFiles);
  Numbers("1", "2");  // leaving a number field enables Create
  Press(P().btnVol03CreateFolders);                                      // 0091
  seam.Answer("0332", IDNO);
  AddStructure("C:\\");                                                  // 0332
  AddStructure(tree / "gone");
  Press(P().btnVol03CreateFolders);                                      // 0092
  Press(P().btnVol03CreateFoldersSimulation);                            // 0464
  P().lstVol03AddFolderStructure.SetSelected(0, true);
  seam.Answer("0087", IDYES);
  Press(P().btnVol03RemoveFolderStructure);                              // 0087
  Press(P().btnVol03ViewFolderStructure);                                // 0086
  AddStructure(dest.Path());  // holds every new folder: refused once per run
  seam.Answer("0093", IDNO);
  Press(P().btnVol03CreateFolders);                                      // 0093
  Simulate();                                                            // 0465, 0466, 0467
  Create();                                                              // 0374, 0094
  seam.Answer("0097", IDYES);
  testsupport::WriteFile(dest / "a-1-b\\mine.txt", "the user's");  // prefix "a", suffix "b"
  Press(P().btnVol03Undo);                                               // 0097, 0098, 0099
  Press(P().btnVol03Undo);                                               // 0096
  P().lstVol03AddFolderStructure.SetSelected(0, true);
  seam.Answer("0087", IDYES);
  Press(P().btnVol03RemoveFolderStructure);
  AddStructure(tree / "T");
  seam.SetFreeSpace(dest.Path().substr(0, 3), {true, 15, 1000, 15});
  testsupport::Choose(P().rdoVol03AttachMainFolderWithFiles);            // 0100
  seam.Answer("0083", IDYES);
  Press(P().btnVol03ClearAll);                                           // 0083, 0084

  const std::string greater = "The Start Number is greater then the End one.!\nAction : You must "
                              "enter a Start number that is smaller than the End one.";
  const std::string noStructure = "There is no additional Subfolder structure. !\nAction : You "
                                  "must add at least one Subfolder structure.";
  const std::string gone = "The folder doesn't exist : " + tree / "gone" +
                           "\nAction : Please enter or select an existing folder.";
  const std::string refusal = "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\n";
  ExpectShown({
      {"0077", 0x30, "The selection field is empty !\nAction : You must select a destination folder.", T + "\t\t\tWarning no: 0077."},
      {"0079", 0x30, "Illegal character in the Prefix : ?", T + B12 + "Warning no: 0079."},
      {"0080", 0x30, "Illegal character in the Suffix : *", "Creating Folder(s).-Increased numbers." + B12 + "Warning no: 0080."},
      {"0089", 0x30, greater, T + "    Warning no: 0089."},
      {"0461", 0x30, greater, S + "    Warning no: 0461."},
      {"0090", 0x30, "The difference between End Number and Start Number is more than 30000.!\nAction : One run creates at most 30001 folders; create a larger range in several runs.", T + "    Warning no: 0090."},
      {"0462", 0x30, "The difference between End Number and Start Number is more than 30000.!\n", S + "    Warning no: 0462."},
      {"0091", 0x30, noStructure, T + "\t\t\tWarning no: 0091."},
      {"0332", 0x124, "Do you want to Attach the Entire Disk to the Folders specified in The Include Window ?\nClick YES to Attach,\nClick NO to Cancel.", T + B12 + "Warning no: 0332."},
      {"0092", 0x30, gone, T + "\t\t\tWarning no: 0092."},
      {"0464", 0x30, gone, S + "\t\t\tWarning no: 0464."},
      {"0087", 0x124, "Do you want to delete selected folder(s) from the Exclude list ?", T + "\t\t\tWarning no: 0087."},
      {"0086", 0x30, "There is no selected Folder Structure !\nAction : You must select a folder with subfolder structure.", T + "\t\t\tWarning no: 0086."},
      {"0093", 0x124, "Do you want to create folders ?\n", "Creating Folder(s).- Increased Numbers." + B12 + "Information no: 0093."},
      {"0374", 0x30, "", T + "\t\t\tWarning no: 0374."},
      {"0094", 0x40, "End of Creating Folders/Files !!!", T + B12 + "Information no: 0094."},
      {"0465", 0x124, frmMain->CreateSimulationStartText, "Simulate Creating Folder(s).- Increased Numbers." + B12 + "Information no: 0465."},
      {"0466", 0x30, "", S + "\t\t\tWarning no: 0466."},
      {"0467", 0x40, frmMain->CreateSimulationEndText, S + B12 + "Information no: 0467."},
      {"0097", 0x124, "Do you want to delete all folders (and files)\ncreated last time ?", T + B12 + "Information no: 0097."},
      {"0098", 0x30, "The program is unable to delete the following folders (and their contents), and/or separate files : \n\nOTHER REASONS   : \n\n" + dest / "a-1-b" + "   (the folder is not empty)\n", T + B12 + "Information no: 0098."},
      {"0099", 0x40, "End of Undo process !!!", T + B12 + "Information no: 0099."},
      {"0096", 0x30, "No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must create at least one folder to UNDO them.", T + B12 + "Warning no: 0096."},
      {"0100", 0x30, "", T + B12 + "Information no: 0100."},
      {"0083", 0x124, "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the delete process.", T + B12 + "Information no: 0083."},
      {"0084", 0x40, "End of the CLEAR FIELDS process !!!", T + B12 + "Information no: 0084."},
  });
  if (HasFatalFailure()) return;
  EXPECT_EQ(Box("0374")->text.substr(0, refusal.size()), refusal);
  EXPECT_EQ(Box("0100")->text.substr(0, 38), "There is not enough space on the disk.");
  // One refusal box per structure and run, not one per number.
  int refusals = 0;
  for (const auto& b : seam.boxes) refusals += b.caption.find("0374") != std::string::npos;
  EXPECT_EQ(refusals, 1);
}

TEST_F(NumbersPageTest, FieldsAreCorrectedVisiblyAndTheRunReadsThemTheSameWay) {
  PickDestination(dest.Path());
  struct Case { const char* start; const char* end; const char* shownStart; const char* shownEnd; };
  const Case cases[] = {
      {"abc", "3", "1", "3"},     {"2", "12.5", "2", "2"},   {"-10", "4", "1", "4"},
      {"99999999999", "2", "1", "2"}, {"7", "-3", "7", "1"}, {" 0", "2", " 0", "2"},
  };
  for (const Case& c : cases) {
    Numbers(c.start, c.end);
    EXPECT_EQ(P().edtVol03StartNumber.Text(), c.shownStart) << c.start;
    EXPECT_EQ(P().edtVol03EndNumber.Text(), c.shownEnd) << c.end;
  }
  // Start 0 makes a folder "0" and is counted: three folders to create.
  EXPECT_EQ(P().lblVol03FoldersToCreate.Text(), "3");
  EXPECT_EQ(P().lblVol03StartFolder.Text(), dest / "0");
  // A number typed beyond 32 bits and Create pressed without leaving the field.
  testsupport::Type(P().edtVol03EndNumber, "4294967296");
  P().edtVol03EndNumber.OnExit = nullptr;  // as if the field were never left
  Create();
  EXPECT_EQ(P().edtVol03EndNumber.Text(), "0");
  EXPECT_EQ(ListTree(dest.Path()), "0\\\n");
}

TEST_F(NumbersPageTest, RunsWithAndWithoutPaddingCountExistingFoldersWithoutStructureTotals) {
  tree.AddFile("T\\a.txt", "hello");
  tree.AddFolder("T\\x");
  PickDestination(dest.Path());
  testsupport::Type(P().edtVol03Prefix, "A");
  Numbers("8", "12");
  EXPECT_EQ(P().lblVol03StartFolder.Text(), dest / "A-8");
  testsupport::Tick(P().chkVol03PaddedZeroes, true);
  EXPECT_EQ(P().lblVol03StartFolder.Text(), dest / "A-08");
  EXPECT_EQ(P().lblVol03EndFolder.Text(), dest / "A-12");
  CreateDirectoryA((dest / "A-09").c_str(), nullptr);
  testsupport::Choose(P().rdoVol03AttachSubFoldersOnlyWithFiles);
  AddStructure(tree / "T");
  Create();
  EXPECT_EQ(ListTree(dest.Path()),
            "A-08\\\nA-08\\a.txt\nA-08\\x\\\nA-09\\\nA-10\\\nA-10\\a.txt\nA-10\\x\\\nA-11\\\n"
            "A-11\\a.txt\nA-11\\x\\\nA-12\\\nA-12\\a.txt\nA-12\\x\\\n");
  EXPECT_EQ(Row(0), (Strings{"5", "5", "5", "25"}));
  EXPECT_EQ(Row(1), (Strings{"4", "4", "4", "20"}));
  EXPECT_EQ(Row(2), (Strings{"1", "0", "0", "0"}));  // the number alone, no structure totals
  EXPECT_EQ(frmStatistic03->List(TResultsWindow::kFoldersExists).Items(), Strings{dest / "A-09"});

  testsupport::Tick(P().chkVol03PaddedZeroes, false);
  Numbers("99", "101");
  testsupport::Choose(P().rdoVol03AttachNothing);
  Create();
  EXPECT_TRUE(FolderExists(dest / "A-99"));
  EXPECT_TRUE(FolderExists(dest / "A-101"));
  EXPECT_EQ(Row(1), (Strings{"3", "0", "0", "0"}));
}

TEST_F(NumbersPageTest, SimulationAndRunAgreeOnFolderPathsFrom248Characters) {
  const std::string folder = dest / std::string(100, 'h');
  CreateDirectoryA(folder.c_str(), nullptr);
  PickDestination(folder);
  // folder, backslash, prefix, hyphen, number: 8 and 9 give 247 characters, 10 to 12 give 248.
  testsupport::Type(P().edtVol03Prefix, std::string(244 - folder.size(), 'p'));
  Numbers("8", "12");
  ExpectRunAsSimulated(frmStatistic03, [&] { Simulate(); }, [&] { Create(); }, {dest.Path()});
  EXPECT_EQ(Row(1)[0], "2");
  EXPECT_EQ(Row(3)[0], "3");
}

TEST_F(NumbersPageTest, FreeSpaceIsCheckedSimulationPredictsTheRunAndUndoKeepsTheUsersFile) {
  tree.AddFile("T\\a.txt", "abc");
  tree.AddFile("T\\y\\b.txt", "de");
  PickDestination(dest.Path());
  CreateDirectoryA((dest / "3").c_str(), nullptr);
  Numbers("1", "4");
  // Four numbers of 5 bytes each: one byte short refuses, the exact need runs.
  const std::string root = dest.Path().substr(0, 3);
  seam.SetFreeSpace(root, {true, 19, 1000, 19});
  testsupport::Choose(P().rdoVol03AttachMainFolderWithFiles);
  seam.Answer("0100", IDOK);
  seam.Answer("0100", IDOK);
  AddStructure(tree / "T");
  Press(P().btnVol03CreateFolders);
  EXPECT_EQ(ListTree(dest.Path()), "3\\\n");
  seam.SetFreeSpace(root, {true, 20, 1000, 20});
  ExpectRunAsSimulated(frmStatistic03, [&] { Simulate(); }, [&] { Create(); }, {dest.Path()});
  EXPECT_EQ(Row(1), (Strings{"3", "6", "6", "15"}));

  testsupport::WriteFile(dest / "2\\T\\mine.txt", "the user's");
  seam.Answer("0097", IDYES);
  seam.Answer("0098", IDOK);
  seam.Answer("0099", IDOK);
  Press(P().btnVol03Undo);
  EXPECT_EQ(ListTree(dest.Path()), "2\\\n2\\T\\\n2\\T\\mine.txt\n3\\\n");
}

TEST_F(NumbersPageTest, AStructureFileNeverOverwritesOneAlreadyThere) {
  // Two structures put a.txt (other content) straight into each new folder:
  // the first copy stays byte for byte, the second counts as already there.
  tree.AddFile("one\\T\\a.txt", "first");
  tree.AddFile("two\\T\\a.txt", "second, longer");
  PickDestination(dest.Path());
  Numbers("1", "2");
  testsupport::Choose(P().rdoVol03AttachSubFoldersOnlyWithFiles);
  AddStructure(tree / "one\\T");
  AddStructure(tree / "two\\T");
  ExpectRunAsSimulated(frmStatistic03, [&] { Simulate(); }, [&] { Create(); }, {dest.Path()});
  for (const char* folder : {"1", "2"}) EXPECT_EQ(testsupport::ReadFile(dest / folder + "\\a.txt"), "first");
  EXPECT_EQ(Row(1), (Strings{"2", "0", "2", "10"}));
  EXPECT_EQ(Row(2), (Strings{"0", "0", "2", "28"}));
}

TEST_F(NumbersPageTest, AWideSimulationListsAtMostItsBoundAndCountsTheRest) {
  for (const char* f : {"T\\a", "T\\b", "T\\c", "T\\d"}) tree.AddFolder(f);
  PickDestination(dest.Path());
  Numbers("1", "30001");  // the widest range accepted
  testsupport::Choose(P().rdoVol03AttachSubFoldersOnlyWithoutFiles);
  AddStructure(tree / "T");
  Simulate();
  EXPECT_EQ(Row(1), (Strings{"30001", "120004", "0", "0"}));
  ui::ListBox& sub = frmStatistic03->List(TResultsWindow::kSubFoldersCreated);
  ASSERT_EQ(sub.Count(), static_cast<int>(CreationPage::kMaxListed) + 1);
  EXPECT_EQ(sub.Item(sub.Count() - 1), "... 20004 more, not listed.");
  EXPECT_EQ(frmStatistic03->List(TResultsWindow::kFoldersCreated).Count(), 30001);
  EXPECT_EQ(ListTree(dest.Path()), "");
}

} // namespace
