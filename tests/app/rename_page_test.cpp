// The Rename page on real temp trees: fields, preview, simulation, run, undo,
// refusals and Clear Fields, pressed as a user would.
#include "tests/app/creation_page_fixture.h"

#include "listwin/frmEditIncludeList.h"
#include "listwin/frmStatistic.h"
#include "listwin/frmSubFolderListBuilder.h"
#include "support/wine_unix.h"

using namespace creationtest;

namespace {

const std::string kTE = "Rename Folder(s).-From a Folder List.            ";
const std::string kTB = "Rename Folders. - From a Folder List.            ";

class RenamePageTest : public CreationPageTest {
protected:
  void SetUp() override {
    CreationPageTest::SetUp();
    frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersRename01);
  }
  RenamePage& P() { return frmMain->Vol06; }
  // Adds a folder through "Add Folders Manually"; only folders of this test's own tree.
  void Add(const std::string& folder) {
    ASSERT_EQ(folder.rfind(tree.Path() + "\\", 0), 0u) << "not inside the test's folder: " << folder;
    PickWith(P().btnVol06AddFolderToList, folder);
  }
  // Replaces the include list through Edit List (each line is judged by the page's rule).
  void Edit(const Strings& lines) {
    seam.OnModal(frmVol06EditIncludeList, [lines](ui::Form&) {
      frmVol06EditIncludeList->mmoEditIncludeList.SetLines(lines);
      Press(frmVol06EditIncludeList->btnEditOk);
      return 0;
    });
    Press(P().btnVol06EditIncludeWindow);
  }
  void Prefix(const std::string& prefix, const std::string& d1, const std::string& d2, const std::string& suffix) {
    testsupport::Type(P().edtVol06NewPrefix, prefix);
    testsupport::Type(P().edtVol06DelimiterPrefixSubFolder, d1);
    testsupport::Type(P().edtVol06DelimiterSubFolderSuffix, d2);
    testsupport::Type(P().edtVol06NewSuffix, suffix);
  }
  void NewName(const std::string& name) {
    testsupport::Choose(P().rdoVol06RenameTheLastSubFolder);
    testsupport::Type(P().edtVol06RenameNewLastSubFolder, name);
  }
  void Rename() { Run(P().btnVol06RenameFolders, "no: 0602", "no: 0604"); }
  void Simulate() { Run(P().btnVol06RenameFoldersSimulation, "no: 0603", "no: 0605"); }
  Strings Counters() {
    Strings out;
    for (ui::Label* l : {&P().lblVol06FoldersToRename, &P().lblVol06FoldersRenamed,
                         &P().lblVol06FoldersSourceNotExists, &P().lblVol06FoldersDestinationExists,
                         &P().lblVol06FoldersOtherReasons})
      out.push_back(l->Text());
    return out;
  }
  // What the results window shows: its five counters and its four lists.
  static Strings Window() {
    Strings out;
    for (int i = 0; i < 5; ++i) out.push_back(frmStatistic06->Counter(i).Text());
    for (int k = 0; k < 4; ++k)
      for (const std::string& entry : frmStatistic06->List(k).Items()) out.push_back(std::to_string(k) + ": " + entry);
    return out;
  }
  Strings Preview() { return {P().lblVol06StartFolder.Text(), P().lblVol06EndFolder.Text()}; }
};

TEST_F(RenamePageTest, PreviewShowsTheNewPathsOfTheFirstAndLastLineByTheCheckedMethod) {
  const std::string a = tree.AddFolder("Clients\\Customer1\\Emails");
  const std::string b = tree.AddFolder("Builds\\Release.2");
  EXPECT_FALSE(P().btnVol06RenameFolders.Enabled());
  EXPECT_FALSE(P().edtVol06NewPrefix.Enabled());
  Add(a);
  Add(b);
  EXPECT_EQ(P().lblVol06IncludeSum.Text(), "2");
  EXPECT_TRUE(P().btnVol06RenameFolders.Enabled());
  EXPECT_TRUE(P().btnVol06RenameFoldersSimulation.Enabled());
  EXPECT_EQ(P().lblVol06FoldersToRename.Text(), "2");
  struct Case {
    const char *prefix, *d1, *d2, *suffix;
    Strings expected;
  } cases[] = {
      {"2013", "-", "-", "May", {tree / "Clients\\Customer1\\2013-Emails-May", tree / "Builds\\2013-Release.2-May"}},
      {"", "-", "", " ", {tree / "Clients\\Customer1\\-Emails", tree / "Builds\\-Release.2"}},
      {" x ", "", "_", "", {tree / "Clients\\Customer1\\xEmails_", tree / "Builds\\xRelease.2_"}},
  };
  for (const Case& c : cases) {
    Prefix(c.prefix, c.d1, c.d2, c.suffix);
    EXPECT_EQ(Preview(), c.expected) << c.prefix << c.d1 << c.d2 << c.suffix;
  }
  // The new name is taken as typed, blanks included; the prefix fields are then off.
  NewName(" Company");
  EXPECT_FALSE(P().edtVol06NewPrefix.Enabled());
  EXPECT_EQ(Preview(), (Strings{tree / "Clients\\Customer1\\ Company", tree / "Builds\\ Company"}));
  testsupport::Choose(P().rdoVol06RenameAddPrefixesSuffixes);
  EXPECT_FALSE(P().edtVol06RenameNewLastSubFolder.Enabled());
  EXPECT_EQ(Preview()[0], tree / "Clients\\Customer1\\xEmails_");
}

TEST_F(RenamePageTest, EachFieldDropsEveryIllegalCharacterInOnePassWithOneBox) {
  Add(tree.AddFolder("A"));
  struct Case {
    ui::Edit* field;
    const char* number;
    std::string text, caption;
  } cases[] = {
      {&P().edtVol06NewPrefix, "0200", "Illegal character in the Prefix : ?|", kTB + "Warning no: 0200."},
      {&P().edtVol06DelimiterPrefixSubFolder, "0202", "Illegal character in the Delimiter : ?|",
       kTB + "Warning no: 0202."},
      {&P().edtVol06DelimiterSubFolderSuffix, "0203", "Illegal character in the Delimiter : ?|",
       kTB + "Warning no: 0203."},
      {&P().edtVol06NewSuffix, "0201", "Illegal character in the Suffix : ?|", kTE + "Warning no: 0201."},
      {&P().edtVol06RenameNewLastSubFolder, "0600", "Illegal character in the New Subfolder string : ?|",
       kTB + "Warning no: 0600."},
  };
  for (const Case& c : cases) {
    if (c.field == &P().edtVol06RenameNewLastSubFolder) testsupport::Choose(P().rdoVol06RenameTheLastSubFolder);
    const size_t before = seam.boxes.size();
    seam.Answer(c.number, IDOK);
    testsupport::Type(*c.field, "a?b|c?");
    EXPECT_EQ(seam.boxes.size(), before + 1) << c.number;
    EXPECT_EQ(c.field->Text(), "abc") << c.number;
    ExpectShown({{c.number, 0x30, c.text, c.caption}});
  }
  EXPECT_EQ(P().lblVol06StartFolder.Text(), tree / "abc");
}

// A simulation leaves the disk as it was and predicts the run; the run renames
// deepest first, reports every outcome; the undo gives every name back.
TEST_F(RenamePageTest, SimulationPredictsTheRunAndUndoRestoresEveryName) {
  const std::string kid = tree.AddFolder("P\\Kid");
  tree.AddFile("P\\Kid\\note.txt", "n");
  const std::string qx = tree.AddFolder("Q\\x"), qy = tree.AddFolder("Q\\y");
  const std::string lower = tree.AddFolder("R\\company");
  const std::string gone = tree.AddFolder("Gone");
  for (const std::string& f : {tree / "P", kid, qx, qy, lower, gone}) Add(f);
  NewName("Company");
  testsupport::RemoveTree(gone);
  const std::string before = Snapshot(tree.Path());

  Simulate();
  EXPECT_EQ(Snapshot(tree.Path()), before);
  const Strings predicted = Counters();
  EXPECT_TRUE(IsWindowVisible(frmStatistic06->Handle()));  // "Show Visual Log" is ticked
  EXPECT_FALSE(frmStatistic06->chkStatNormalSimulate.Checked());
  EXPECT_EQ(frmStatistic06->lblStatNormalSimulate.Text(), "Simulate the Folder Rename Process.");
  const Strings predictedWindow = Window();
  EXPECT_EQ(predictedWindow,
            (Strings{"6", "4", "1", "1", "0", "0: " + tree / "P\\Company", "0: " + tree / "Q\\Company",
                     "0: " + tree / "R\\Company", "0: " + tree / "Company", "1: " + gone, "2: " + qy}));
  EXPECT_EQ(predicted, (Strings{"6", "4", "1", "1", "0"}));
  EXPECT_TRUE(P().Vol06RenameHistory.empty());
  EXPECT_TRUE(P().Vol06Results.renamed.empty());

  Rename();
  EXPECT_EQ(Counters(), predicted);
  EXPECT_EQ(Window(), predictedWindow);
  EXPECT_TRUE(frmStatistic06->chkStatNormalSimulate.Checked());
  EXPECT_TRUE(FolderExists(tree / "Company\\Company"));  // P\Kid first, then P
  EXPECT_EQ(testsupport::ReadFile(tree / "Company\\Company\\note.txt"), "n");
  EXPECT_TRUE(FolderExists(tree / "Q\\Company"));
  EXPECT_TRUE(FolderExists(qy));  // its new name was taken by x: destination exists
  EXPECT_NE(ListTree(tree / "R").find("Company\\"), std::string::npos);  // a change of letter case only
  EXPECT_EQ(ListTree(tree / "R").find("company\\"), std::string::npos);
  EXPECT_EQ(P().Vol06Results.destinationExists, (std::deque<std::string>{qy}));
  EXPECT_EQ(P().Vol06Results.sourceNotExists, (std::deque<std::string>{gone}));
  EXPECT_EQ(P().Vol06RenameHistory.size(), 4u);

  seam.Answer("no: 0212", IDYES);
  seam.Answer("no: 0214", IDOK);
  Press(P().btnVol06Undo);
  EXPECT_EQ(Snapshot(tree.Path()), before);
  EXPECT_EQ(Counters()[1], "0");
  EXPECT_EQ(Window(), (Strings{"6", "0", "0", "0", "0"}));  // the undo empties the window's lists
  seam.Answer("no: 0211", IDOK);
  Press(P().btnVol06Undo);
  ExpectShown({{"0211", 0x30,
                "No UNDO process !!!\nThere are no renamed Folders !!!\nYou must rename at least on one Folder "
                "to UNDO it.",
                kTE + "Warning no: 0211."}});
}

TEST_F(RenamePageTest, UndoLeavesAFolderWhoseOldNameIsTakenAgainAndSaysWhy) {
  const std::string a = tree.AddFolder("a");
  Add(a);
  Prefix("old-", "", "", "");
  testsupport::Tick(P().chkVol06ShowDetailedResults, false);
  Rename();
  ASSERT_TRUE(FolderExists(tree / "old-a"));
  EXPECT_FALSE(IsWindowVisible(frmStatistic06->Handle()));  // "Show Visual Log" cleared
  Press(P().btnVol06Statistics);
  EXPECT_TRUE(IsWindowVisible(frmStatistic06->Handle()));
  EXPECT_EQ(Window(), (Strings{"1", "1", "0", "0", "0", "0: " + tree / "old-a"}));
  tree.AddFolder("a");  // the old name is taken again
  seam.Answer("no: 0212", IDYES);
  seam.Answer("no: 0213", IDOK);
  seam.Answer("no: 0214", IDOK);
  Press(P().btnVol06Undo);
  EXPECT_TRUE(FolderExists(tree / "old-a"));
  ExpectShown({{"0213", 0x30,
                "The program is unable to rename the following folders  : \n\nDESTINATION FOLDERS DO EXISTS : 1\n"
                "   an item has this name now : 1\n      " +
                    a + "\n",
                kTE + "Information no: 0213."}});
}

// A field that can only give names the run refuses (a device name, a name
// ending in a dot or a blank, "." or "..") is refused where it is typed:
// leaving it shows why, and a run or simulation started with it asks nothing
// and renames nothing.
TEST_F(RenamePageTest, FieldsThatCanGiveNoUsableNameAreRefusedWhereTheyAreTyped) {
  Add(tree.AddFolder("One\\a"));
  Add(tree.AddFolder("Two\\b"));
  const std::string before = Snapshot(tree.Path());
  struct Case {
    ui::Edit RenamePage::*field;
    const char* text;
    std::string fault;
  } cases[] = {
      {&RenamePage::edtVol06RenameNewLastSubFolder, " ", "Illegal folder name (it ends with a dot or a blank) :  "},
      {&RenamePage::edtVol06RenameNewLastSubFolder, "name ", "Illegal folder name (it ends with a dot or a blank) : name "},
      {&RenamePage::edtVol06RenameNewLastSubFolder, "x.", "Illegal folder name (it ends with a dot or a blank) : x."},
      {&RenamePage::edtVol06RenameNewLastSubFolder, "CON", "Illegal folder name (it is the name of a device) : CON"},
      {&RenamePage::edtVol06RenameNewLastSubFolder, "aux.txt", "Illegal folder name (it is the name of a device) : aux.txt"},
      {&RenamePage::edtVol06RenameNewLastSubFolder, "..", "Illegal folder name (\".\" and \"..\" name no new folder) : .."},
      // Prefix, suffix and delimiters: what the first folder's name would become.
      {&RenamePage::edtVol06NewSuffix, "v1.", "Illegal folder name (it ends with a dot or a blank) : av1."},
      {&RenamePage::edtVol06DelimiterSubFolderSuffix, ".", "Illegal folder name (it ends with a dot or a blank) : a."},
      {&RenamePage::edtVol06NewPrefix, "LPT1.", "Illegal folder name (it is the name of a device) : LPT1.a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ui::Edit& field = P().*c.field;
    if (c.field == &RenamePage::edtVol06RenameNewLastSubFolder)
      testsupport::Choose(P().rdoVol06RenameTheLastSubFolder);
    else
      testsupport::Choose(P().rdoVol06RenameAddPrefixesSuffixes);
    seam.boxes.clear();
    testsupport::Type(field, c.text);
    EXPECT_TRUE(seam.boxes.empty()) << "told while typing";
    // Leaving the field tells why.
    seam.Answer("no: 0607", IDOK);
    P().lstVol06IncludeFolderList.SetFocus();
    ExpectShown({{"0607", 0x30, "No folder can get such a name !\n" + c.fault + "\nAction : You must change the field.",
                  kTB + "Warning no: 0607."}});
    EXPECT_EQ(field.Text(), c.text);  // kept, to be changed
    // A run or simulation started with it says so once and asks nothing.
    for (ui::Button* run : {&P().btnVol06RenameFolders, &P().btnVol06RenameFoldersSimulation}) {
      seam.boxes.clear();
      seam.Answer("no: 0607", IDOK);
      Press(*run);
      EXPECT_EQ(seam.Captions(), Strings({kTB + "Warning no: 0607."}));
      EXPECT_TRUE(field.Focused());
    }
    EXPECT_EQ(Snapshot(tree.Path()), before);
    testsupport::Type(field, "");
  }
  EXPECT_EQ(Counters(), (Strings{"2", "0", "0", "0", "0"}));
}

// Every folder not renamed for other reasons is shown with its reason, in the
// Visual Log under it and in the end box: here a prefix that makes one
// folder's name a device name, and an empty New Name that names no folder.
TEST_F(RenamePageTest, EveryFolderNotRenamedForOtherReasonsIsShownWithItsReason) {
  const std::string a = tree.AddFolder("One\\a"), cfg = tree.AddFolder("Two\\.cfg");
  Add(a);
  Add(cfg);
  Prefix("AUX", "", "", "");
  Simulate();
  const std::string device = "new name: Illegal folder name (it is the name of a device) : AUX.cfg";
  const Strings predicted = Window();
  EXPECT_EQ(predicted, (Strings{"2", "1", "0", "0", "1", "0: " + tree / "One\\AUXa", "3: " + cfg,
                                "3:       why : " + device}));
  Rename();
  EXPECT_EQ(Window(), predicted);
  EXPECT_TRUE(FolderExists(tree / "One\\AUXa"));
  EXPECT_TRUE(FolderExists(cfg));
  ASSERT_NE(Box("0604"), nullptr);
  EXPECT_NE(Box("0604")->text.find("Other Reasons : 1\n\nNot done for other reasons : 1\n   " + device + " : 1\n      " +
                                   cfg + "\n"),
            std::string::npos)
      << Box("0604")->text;
  ASSERT_NE(Box("0605"), nullptr);
  EXPECT_NE(Box("0605")->text.find(device + " : 1\n      " + cfg + "\n"), std::string::npos) << Box("0605")->text;

  // An empty New Name: every line is refused, each one shown with why.
  NewName("");
  Rename();
  const std::string empty = "      why : new name: the new name is empty";
  EXPECT_EQ(Window(), (Strings{"2", "0", "0", "0", "2", "3: " + a, "3: " + empty, "3: " + cfg, "3: " + empty}));
  EXPECT_NE(Box("0604")->text.find("new name: the new name is empty : 2\n      " + a + "\n      " + cfg + "\n"),
            std::string::npos)
      << Box("0604")->text;
}

// A simulation after a run keeps the run's undo record and result lists.
TEST_F(RenamePageTest, ASimulationAfterARunLeavesItsUndoRecord) {
  const std::string a = tree.AddFolder("a");
  Add(a);
  const std::string before = Snapshot(tree.Path());
  Prefix("", "", "", "-1");
  Rename();
  ASSERT_TRUE(FolderExists(tree / "a-1"));
  Simulate();  // predicts "a" missing: the list still names the old path
  EXPECT_EQ(Counters(), (Strings{"1", "0", "1", "0", "0"}));
  EXPECT_EQ(P().Vol06Results.renamed, (std::deque<std::string>{tree / "a-1"}));
  seam.Answer("no: 0212", IDYES);
  seam.Answer("no: 0214", IDOK);
  Press(P().btnVol06Undo);
  EXPECT_EQ(Snapshot(tree.Path()), before);
}

// No road lists what the run would refuse, and one folder is one entry however it is spelt.
TEST_F(RenamePageTest, TheListRefusesRootsRelativePathsAndSecondSpellingsOnEveryRoad) {
  const std::string data = tree.AddFolder("Data");
  Add(data);
  seam.Answer("no: 0601", IDOK);
  PickWith(P().btnVol06AddFolderToList, "C:\\");
  EXPECT_NE(seam.Last().text.find("C:\\"), std::string::npos);
  seam.Answer("no: 0185", IDOK);
  PickWith(P().btnVol06AddFolderToList, data + "\\");
  std::string upper = data;
  CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
  seam.Answer("no: 0185", IDOK);
  PickWith(P().btnVol06AddFolderToList, upper);
  EXPECT_EQ(P().lstVol06IncludeFolderList.Items(), (Strings{data}));

  // The editor names the lines it cannot take; Yes takes the others.
  seam.Answer("no: 0161", IDYES);
  Edit({data, "C:\\", "relative\\path", tree / "x\\..\\Data", tree / "dot.", tree / "Data\\", tree / "y"});
  EXPECT_EQ(P().lstVol06IncludeFolderList.Items(), (Strings{data, tree / "y"}));
  EXPECT_EQ(P().lblVol06IncludeSum.Text(), "2");
  EXPECT_NE(Box("0161")->text.find("5 entries not taken :"), std::string::npos) << Box("0161")->text;
  // The list keeps the order it is given (the run's order within a level).
  Edit({tree / "y", data});
  EXPECT_EQ(P().lstVol06IncludeFolderList.Items(), (Strings{tree / "y", data}));
  EXPECT_EQ(P().lblVol06StartFolder.Text(), tree / "y");
}

// The subfolder list builder hands its list back through the same rule.
TEST_F(RenamePageTest, TheSubfolderListBuilderHandsBackOnlyWhatTheRunWouldTake) {
  const std::string a = tree.AddFolder("a"), b = tree.AddFolder("b");
  auto handBack = [&](const Strings& entries, bool import) {
    seam.OnModal(frmSubFolderListBuilder, [entries, import](ui::Form&) {
      frmSubFolderListBuilder->lstIncludeFolderList.Clear();
      frmSubFolderListBuilder->lstIncludeFolderList.AddStrings(entries);
      Press(import ? frmSubFolderListBuilder->BitBtn1 : frmSubFolderListBuilder->BitBtn2);
      return 0;
    });
    Press(P().btnVol06SubFolderLevelListBuilder);
  };
  seam.Answer("no: 0606", IDOK);  // what it did not take, named in one box
  handBack({a, "C:\\", "plain", a + "\\", b, tree / "b.\\c"}, true);
  EXPECT_EQ(P().lstVol06IncludeFolderList.Items(), (Strings{a, b}));
  EXPECT_NE(Box("0606")->text.find("4 entries not taken :"), std::string::npos) << Box("0606")->text;
  EXPECT_EQ(P().lblVol06IncludeSum.Text(), "2");
  EXPECT_EQ(P().lblVol06EndFolder.Text(), b);
  seam.Answer("no: 0585", IDOK);
  handBack({}, false);
  ExpectShown({{"0585", 0x30, "Empty Result List in the File Import Window!\n",
                "Rename Folder(s).-From a Folder List.             Warning no: 0585."}});
  EXPECT_EQ(P().lstVol06IncludeFolderList.Count(), 2);
}

TEST_F(RenamePageTest, ClearFieldsEmptiesListsFieldsCountersAndTheUndoRecord) {
  const std::string a = tree.AddFolder("a");
  Add(a);
  Prefix("p", "-", "", "");
  Rename();
  NewName("n");
  seam.Answer("no: 0204", IDNO);
  Press(P().btnVol06ClearAll);
  EXPECT_EQ(P().lstVol06IncludeFolderList.Count(), 1);
  seam.Answer("no: 0204", IDYES);
  seam.Answer("no: 0205", IDOK);
  Press(P().btnVol06ClearAll);
  EXPECT_EQ(P().lstVol06IncludeFolderList.Count(), 0);
  EXPECT_EQ(P().lblVol06IncludeSum.Text(), "0");
  EXPECT_TRUE(P().rdoVol06RenameAddPrefixesSuffixes.Checked());
  EXPECT_EQ(P().edtVol06NewPrefix.Text(), "");
  EXPECT_EQ(P().edtVol06RenameNewLastSubFolder.Text(), "");
  EXPECT_EQ(Preview(), (Strings{"", ""}));
  EXPECT_EQ(Counters(), (Strings{"0", "0", "0", "0", "0"}));
  EXPECT_TRUE(P().Vol06RenameHistory.empty());
  EXPECT_FALSE(P().btnVol06RenameFolders.Enabled());
  EXPECT_FALSE(P().btnVol06Undo.Enabled());
  EXPECT_TRUE(FolderExists(tree / "p-a"));  // Clear Fields changes nothing on disk
  ExpectShown({{"0204", 0x124,
                "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the "
                "delete process.",
                kTB + "Information no: 0204."},
               {"0205", 0x30, "End of the CLEAR FIELDS process !!!\n", "Rename Folders. - From a Folder List.    "
                                                                       "       Warning no: 0205."}});
}

// The undo record holds the last run's renames: a new run replaces it, a
// simulation and a run answered No leave it. A folder renamed X -> Y -> Z
// comes back to Y, as the question says ("renamed last time"), and a second
// Undo has nothing left to take back.
TEST_F(RenamePageTest, UndoTakesBackTheLastRunOnly) {
  const std::string x = tree.AddFolder("r\\S\\X");
  tree.AddFile("r\\S\\X\\in.txt", "keep");
  Add(x);
  NewName("Y");
  Rename();
  ASSERT_TRUE(FolderExists(tree / "r\\S\\Y"));
  const std::string afterFirst = Snapshot(tree.Path());
  Edit({tree / "r\\S\\Y"});
  NewName("Z");
  Rename();
  ASSERT_TRUE(FolderExists(tree / "r\\S\\Z"));
  EXPECT_EQ(P().Vol06RenameHistory.size(), 1u);
  Simulate();
  seam.Answer("no: 0602", IDNO);
  Press(P().btnVol06RenameFolders);
  EXPECT_EQ(P().Vol06RenameHistory.size(), 1u);
  seam.Answer("no: 0212", IDYES);
  seam.Answer("no: 0214", IDOK);
  Press(P().btnVol06Undo);
  EXPECT_EQ(Box("0213"), nullptr);
  EXPECT_EQ(Snapshot(tree.Path()), afterFirst);
  seam.Answer("no: 0211", IDOK);
  Press(P().btnVol06Undo);
  EXPECT_EQ(seam.Last().caption, kTE + "Warning no: 0211.");
  EXPECT_EQ(Snapshot(tree.Path()), afterFirst);
}

// A renamed folder is the same folder for Undo while nothing is added to it
// or taken out of it (a file written over inside it leaves it so); one a file
// was saved into since is the user's now: it keeps its new name and Undo says
// why, in its report and in the Visual Log.
TEST_F(RenamePageTest, UndoKeepsAFolderAFileWasSavedIntoAndSaysWhy) {
  const std::string f = tree.AddFolder("r\\F"), g = tree.AddFolder("r\\G");
  tree.AddFile("r\\G\\g.txt", "old");
  Add(f);
  Add(g);
  Prefix("p_", "", "", "");
  Rename();
  ASSERT_TRUE(FolderExists(tree / "r\\p_F"));
  Sleep(20);
  tree.AddFile("r\\p_F\\saved.txt", "new");
  tree.AddFile("r\\p_G\\g.txt", "written over");
  seam.Answer("no: 0212", IDYES);
  seam.Answer("no: 0213", IDOK);
  seam.Answer("no: 0214", IDOK);
  Press(P().btnVol06Undo);
  EXPECT_EQ(ListTree(tree / "r"), "G\\\nG\\g.txt\np_F\\\np_F\\saved.txt\n");
  const std::string why =
      "changed since the run renamed it (something was added to it or taken out of it, or another folder was made "
      "in its place): it keeps its new name";
  ExpectShown({{"0213", 0x30,
                "The program is unable to rename the following folders  : \n\nOTHER REASONS : 1\n   " + why +
                    " : 1\n      " + tree / "r\\p_F" + "\n",
                kTE + "Information no: 0213."}});
  EXPECT_EQ(Window(), (Strings{"2", "0", "0", "0", "0", "3: " + tree / "r\\p_F", "3: " + RunBinding::ReasonLine(why)}));
}

// Renamed X -> v-X; the user removes v-X and makes a new v-X holding a file of
// theirs, which a Linux file system under Wine gives the removed folder's
// index at once. Undo leaves the user's folder under its name and says why;
// the folder of the run nobody touched gets its name back.
TEST_F(RenamePageTest, UndoLeavesAFolderMadeUnderTheNewNameAfterTheRenamedOneWasRemoved) {
  // Another program may take the freed index first: the run is made again
  // (on a fresh pair of folders) until the new folder has it.
  std::string r, renamed;
  bool handedOn = false;
  for (int attempt = 0; attempt < 10 && !handedOn; ++attempt) {
    r = "r" + std::to_string(attempt);
    const std::string x = tree.AddFolder(r + "\\X"), k = tree.AddFolder(r + "\\K");
    Edit({x, k});
    Prefix("v-", "", "", "");
    Rename();
    ASSERT_EQ(Counters(), (Strings{"2", "2", "0", "0", "0"}));
    renamed = tree / r + "\\v-X";
    core::FileIdentity before, now;
    for (const _tagReplaceFoldersStruct& record : P().Vol06RenameHistory)
      if (record.newPath == renamed) before = record.identity;
    ASSERT_TRUE(before.known);
    RemakeFolder(tree, r + "\\v-X", "mine.txt");
    handedOn = core::IdentityAt(renamed, now) && now == before;
  }
  if (!handedOn) GTEST_SKIP() << "this file system never gave the new folder the removed one's index";
  seam.Answer("no: 0212", IDYES);
  seam.Answer("no: 0213", IDOK);
  seam.Answer("no: 0214", IDOK);
  Press(P().btnVol06Undo);
  EXPECT_EQ(ListTree(tree / r), "K\\\nv-X\\\nv-X\\mine.txt\n");
  EXPECT_EQ(testsupport::ReadFile(renamed + "\\mine.txt"), "the user's");
  ExpectShown({{"0213", 0x30,
                "The program is unable to rename the following folders  : \n\nOTHER REASONS : 1\n   changed since the "
                "run renamed it (something was added to it or taken out of it, or another folder was made in its "
                "place): it keeps its new name : 1\n      " +
                    renamed + "\n",
                kTE + "Information no: 0213."}});
}

// Folders renamed together with folders inside them (each rename changes the
// folder holding it) all come back, as do changes of letter case made by way
// of a temporary name: the program's own renames never make its Undo refuse.
TEST_F(RenamePageTest, NestedRenamesAreAllUndone) {
  struct Case {
    const char* name;
    std::vector<std::string> folders;  // listed, outer first
    bool caseOnly;
    std::string renamed;  // the tree after the run
  };
  const Case cases[] = {
      {"prefix", {"n\\A", "n\\A\\B", "n\\A\\B\\C", "n\\A\\S"}, false,
       "n\\\nn\\v-A\\\nn\\v-A\\in.txt\nn\\v-A\\v-B\\\nn\\v-A\\v-B\\v-C\\\nn\\v-A\\v-S\\\n"},
      {"letter case", {"c\\abc", "c\\abc\\abc"}, true, "c\\\nc\\ABC\\\nc\\ABC\\ABC\\\nc\\ABC\\in.txt\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testsupport::TempDir own;
    for (const std::string& folder : c.folders) own.AddFolder(folder);
    own.AddFile(c.folders[0] + "\\in.txt", "in");
    const std::string before = Snapshot(own.Path());
    Strings lines;
    for (const std::string& folder : c.folders) lines.push_back(own / folder);
    Edit(lines);
    if (c.caseOnly) {
      NewName("ABC");
    } else {
      testsupport::Choose(P().rdoVol06RenameAddPrefixesSuffixes);
      Prefix("v-", "", "", "");
    }
    Rename();
    const std::string count = std::to_string(c.folders.size());
    EXPECT_EQ(Counters(), (Strings{count, count, "0", "0", "0"}));
    EXPECT_EQ(ListTree(own.Path()), c.renamed);
    seam.Answer("no: 0212", IDYES);
    seam.Answer("no: 0214", IDOK);
    Press(P().btnVol06Undo);
    EXPECT_TRUE(CaptionsContaining("no: 0213").empty());
    EXPECT_EQ(Snapshot(own.Path()), before);
  }
}

// A line whose dotted last part names nothing is a missing folder: its
// preview names the folder it lists, and the run counts it under "Source
// doesn't Exists" without touching the folder above it. A line naming an
// existing file renames the folder holding it.
TEST_F(RenamePageTest, ADottedLineThatNamesNothingNeverRenamesItsParent) {
  tree.AddFolder("d\\Proj\\v1.4");
  tree.AddFile("e\\Docs\\readme.txt", "r");
  Edit({tree / "d\\Proj\\v1.5", tree / "e\\Docs\\readme.txt"});
  NewName("old");
  EXPECT_EQ(Preview(), (Strings{tree / "d\\Proj\\old", tree / "e\\old"}));
  Simulate();
  EXPECT_EQ(Counters(), (Strings{"2", "1", "1", "0", "0"}));
  Rename();
  EXPECT_EQ(Counters(), (Strings{"2", "1", "1", "0", "0"}));
  EXPECT_EQ(Window(), (Strings{"2", "1", "1", "0", "0", "0: " + tree / "e\\old", "1: " + tree / "d\\Proj\\v1.5"}));
  EXPECT_EQ(ListTree(tree / "d"), "Proj\\\nProj\\v1.4\\\n");
}

// Linux lets "Proj" and "proj" stand side by side. "PROJ" for one of them is
// refused (Destination Already Exists) and both keep their names and files.
TEST_F(RenamePageTest, ACaseChangeBesideACaseTwinIsRefusedAndStrandsNothing) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "case twins are made on the Linux side";
  tree.AddFile("t\\Proj\\upper.txt", "upper");
  ASSERT_TRUE(testsupport::MakeUnixEntry(tree / "t", "proj", true));
  testsupport::WriteFile(tree / "t\\proj\\lower.txt", "lower");
  const std::string before = Snapshot(tree.Path());
  Edit({tree / "t\\Proj"});
  NewName("PROJ");
  Rename();
  EXPECT_EQ(Counters(), (Strings{"1", "0", "0", "1", "0"}));
  EXPECT_NE(Box("0604")->text.find("Destination Already Exists : 1"), std::string::npos) << Box("0604")->text;
  EXPECT_EQ(Snapshot(tree.Path()), before);
  EXPECT_TRUE(testsupport::ListsEntry(tree / "t", "Proj"));
  EXPECT_TRUE(testsupport::ListsEntry(tree / "t", "proj"));
}

} // namespace
