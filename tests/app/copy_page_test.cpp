// The copy page end to end on real temp trees: its four options, simulation
// against run, undo, and every refusal with nothing outside its target touched.
#include "tests/app/creation_page_fixture.h"

#include "core/casefold.h"
#include "core/file_copy.h"
#include "core/file_identity.h"
#include "core/location.h"
#include "core/settings_store.h"
#include "listwin/frmEditIncludeList.h"
#include "listwin/frmFileExport.h"
#include "listwin/frmFileSelection.h"
#include "listwin/frmStatistic.h"
#include "listwin/run_binding.h"
#include "support/wine_unix.h"

using namespace creationtest;

namespace {

const std::string kT = "Copy Folder Structure(s).-From a Folder List - Level.            ";
const std::string kS = "Simulate Copy Folder Structure(s).-From a Folder List - Level.            ";

class CopyPageTest : public CreationPageTest {
protected:
  void SetUp() override {
    CreationPageTest::SetUp();
    frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersCopy02);
    // The structure: a root file the pattern leaves out, a matching file below.
    tree.AddFile("Mkt\\r.doc", "abc");
    tree.AddFile("Mkt\\Mail\\m.txt", "12345");
    tree.AddFolder("Mkt\\SEO\\Deep");
  }
  CopyPage& P() { return frmMain->Vol08; }
  void AddMain(const std::string& path) { PickWith(P().btnVol08AddFolderToList, path); }
  void AddStructure(const std::string& path) { PickWith(P().btnVol08AddFolderStructure, path); }
  // A with-files option shows its hint once; its files are then chosen by the patterns given.
  void ChooseOption(ui::RadioButton& radio, const std::string& patterns = "*.txt") {
    seam.Answer("no: 0277", IDOK);
    testsupport::Choose(radio);
    SelectFiles(patterns);
  }
  void SelectFiles(const std::string& patterns) {
    seam.OnModal(frmFileSelection, [patterns](ui::Form&) {
      testsupport::Type(frmFileSelection->cboFileManNames, patterns);
      Press(frmFileSelection->btnFileManOK);
      return 0;
    });
    seam.Answer("0542", IDOK);
    ASSERT_TRUE(Press(P().btnVol08FileSelection));
  }
  void Copy() { Run(P().btnVol08CopyFolders, "no: 0651", "no: 0652"); }
  void Simulate() { Run(P().btnVol08CopyFoldersSimulation, "no: 0658", "no: 0659"); }
  void Undo() {
    seam.Answer("no: 0291", IDYES);
    seam.Answer("no: 0293", IDOK);
    Press(P().btnVol08Undo);
  }
  Strings Counters() {
    CopyPage& p = P();
    Strings out;
    for (ui::Label* l : {&p.lblVol08FoldersToCopy, &p.lblVol08SubFoldersToCopy, &p.lblVol08FilesToCopy,
                         &p.lblVol08FileSizeToCopy, &p.lblVol08FoldersCopied, &p.lblVol08SubFoldersCopied,
                         &p.lblVol08FilesCopied, &p.lblVol08FileSizeCopied, &p.lblVol08FoldersNotExists,
                         &p.lblVol08SubFoldersExists, &p.lblVol08FilesExists, &p.lblVol08FileSizeExists})
      out.push_back(l->Text());
    return out;
  }
  static Strings Lists(const treeops::CopyResults& r) {
    Strings out;
    int k = 0;
    for (const auto* list : {&r.foldersCopied, &r.subFoldersCopied, &r.filesCopied, &r.foldersNotExist,
                             &r.subFoldersExist, &r.filesExist, &r.foldersOther, &r.subFoldersOther, &r.filesOther}) {
      for (const std::string& e : *list) out.push_back(std::to_string(k) + ": " + e);
      ++k;
    }
    return out;
  }
  const testsupport::ShownBox* Shown(const std::string& number) const { return Box(number); }
  // The Visual Log: the page's twelve counters read back in the page's order, and its first six lists.
  static Strings VisualLog() {
    Strings out;
    for (int i = 0; i < 12; ++i) out.push_back(frmStatistic08->Counter(CopyPage::VisualLogCounter(i)).Text());
    for (int k = 0; k < 6; ++k)
      for (const std::string& e : frmStatistic08->List(k).Items()) out.push_back(std::to_string(k) + ": " + e);
    return out;
  }
  static Strings PageAndLists(const Strings& counters, const treeops::CopyResults& r) {
    Strings out = counters;
    int k = 0;
    for (const auto* list : {&r.foldersCopied, &r.subFoldersCopied, &r.filesCopied, &r.foldersNotExist,
                             &r.subFoldersExist, &r.filesExist}) {
      for (const std::string& e : *list) out.push_back(std::to_string(k) + ": " + e);
      ++k;
    }
    return out;
  }
  // Deletes only below one of the test's own folders, never the folder itself or anything outside it.
  static void RemoveIn(const testsupport::TempDir& folder, const std::string& relative) {
    ASSERT_FALSE(relative.empty());
    ASSERT_EQ(relative.find(".."), std::string::npos);
    ASSERT_EQ(relative.find(':'), std::string::npos);
    ASSERT_NE(relative[0], '\\');
    testsupport::RemoveTree(folder / relative);
  }
};

struct OptionCase {
  const char* name;
  ui::RadioButton CopyPage::*radio;
  bool hint;
  const char* made;  // below each main folder, after the run
  Strings toCopy;    // main folders, subfolders, files, bytes
};

TEST_F(CopyPageTest, EachOptionCopiesWhatItsExamplesShowSimulatedFirstAndUndoneAfter) {
  const OptionCase cases[] = {
      {"main without files", &CopyPage::rdoVol08AttachMainFolderWithoutFiles, false,
       "Mkt\\\nMkt\\Mail\\\nMkt\\SEO\\\nMkt\\SEO\\Deep\\\n", {"2", "8", "0", "0"}},
      {"subfolders only without files", &CopyPage::rdoVol08AttachSubFoldersOnlyWithoutFiles, false,
       "Mail\\\nSEO\\\nSEO\\Deep\\\n", {"2", "6", "0", "0"}},
      {"main with files", &CopyPage::rdoVol08AttachMainFolderWithFiles, true,
       "Mkt\\\nMkt\\Mail\\\nMkt\\Mail\\m.txt\nMkt\\SEO\\\nMkt\\SEO\\Deep\\\n", {"2", "8", "2", "10"}},
      {"subfolders only with files", &CopyPage::rdoVol08AttachSubFoldersOnlyWithFiles, true,
       "Mail\\\nMail\\m.txt\nSEO\\\nSEO\\Deep\\\n", {"2", "6", "2", "10"}},
  };
  const std::string before = Snapshot(dest.Path()) + Snapshot(tree.Path());
  for (const OptionCase& c : cases) {
    SCOPED_TRACE(c.name);
    AddMain(dest.AddFolder("C1"));
    AddMain(dest.AddFolder("C2"));
    const std::string empty = Snapshot(dest.Path());
    if (c.hint) ChooseOption(P().*c.radio);
    else testsupport::Choose(P().*c.radio);
    AddStructure(tree / "Mkt");
    const Strings shown = Counters();
    EXPECT_EQ(Strings(shown.begin(), shown.begin() + 4), c.toCopy);

    Simulate();
    EXPECT_EQ(Snapshot(dest.Path()), empty) << "the simulation touched the disk";
    EXPECT_TRUE(P().Vol08Undo.Empty());
    const Strings predicted = Counters();
    const Strings predictedLists = Lists(P().SimulationResults);
    EXPECT_FALSE(frmStatistic08->chkStatNormalSimulate.Checked());
    EXPECT_EQ(frmStatistic08->lblStatNormalSimulate.Text(), "Simulate the Folder/File Copy Process.");
    const Strings predictedLog = VisualLog();
    EXPECT_EQ(predictedLog, PageAndLists(predicted, P().SimulationResults));
    Copy();
    EXPECT_EQ(Counters(), predicted);
    EXPECT_EQ(Lists(P().Vol08ResultLists), predictedLists);
    EXPECT_TRUE(frmStatistic08->chkStatNormalSimulate.Checked());
    EXPECT_EQ(VisualLog(), predictedLog);
    EXPECT_EQ(ListTree(dest / "C1"), c.made);
    EXPECT_EQ(ListTree(dest / "C2"), c.made);
    EXPECT_EQ(ReadFile(tree / "Mkt\\Mail\\m.txt"), "12345");

    Undo();
    EXPECT_EQ(Snapshot(dest.Path()), empty);
    EXPECT_TRUE(P().Vol08Undo.Empty());
    seam.Answer("no: 0287", IDYES);
    seam.Answer("no: 0288", IDOK);
    seam.Answer("no: 0277", IDOK);  // Clear Fields chooses a with-files option
    Press(P().btnVol08ClearAll);
    EXPECT_EQ(P().lstVol08IncludeFolderList.Count(), 0);
    EXPECT_EQ(P().lstVol08AddFolderStructure.Count(), 0);
    RemoveIn(dest, "C1");
    RemoveIn(dest, "C2");
  }
  EXPECT_EQ(Snapshot(dest.Path()) + Snapshot(tree.Path()), before);
}

// Existing folders are kept, existing files never overwritten; the undo takes
// back only what the run made and is unchanged, and tells what stays.
TEST_F(CopyPageTest, ExistingItemsAreKeptAndUndoLeavesWhatTheUserChanged) {
  const std::string c1 = dest.AddFolder("C1");
  dest.AddFile("C1\\Mkt\\Mail\\m.txt", "mine");
  AddMain(c1);
  ChooseOption(P().rdoVol08AttachMainFolderWithFiles);
  AddStructure(tree / "Mkt");
  Copy();
  EXPECT_EQ(ReadFile(dest / "C1\\Mkt\\Mail\\m.txt"), "mine");
  EXPECT_EQ(Counters(), Strings({"1", "4", "1", "5", "1", "2", "0", "0", "0", "2", "1", "5"}));
  // The user adds a file to a folder the run made.
  dest.AddFile("C1\\Mkt\\SEO\\note.txt", "x");
  seam.Answer("no: 0292", IDOK);
  Undo();
  const testsupport::ShownBox* stays = Shown("0292");
  ASSERT_NE(stays, nullptr);
  EXPECT_NE(stays->text.find(dest / "C1\\Mkt\\SEO"), std::string::npos) << stays->text;
  EXPECT_EQ(ListTree(c1), "Mkt\\\nMkt\\Mail\\\nMkt\\Mail\\m.txt\nMkt\\SEO\\\nMkt\\SEO\\note.txt\n");
  EXPECT_EQ(ReadFile(dest / "C1\\Mkt\\Mail\\m.txt"), "mine");
}

// The Visual Log's last list holds the files that already existed, and its
// Smart Export hands them on, as every list's does.
TEST_F(CopyPageTest, TheVisualLogListsTheFilesThatAlreadyExistedAndExportsThem) {
  const std::string c1 = dest.AddFolder("C1");
  const std::string mine = dest.AddFile("C1\\Mkt\\Mail\\m.txt", "mine");
  AddMain(c1);
  ChooseOption(P().rdoVol08AttachMainFolderWithFiles);
  AddStructure(tree / "Mkt");
  Copy();
  ASSERT_TRUE(frmStatistic08->Visible());
  EXPECT_EQ(frmStatistic08->ListCaption(5).Text(), "Files");
  EXPECT_EQ(frmStatistic08->List(5).Items(), Strings({mine}));
  EXPECT_EQ(frmStatistic08->List(4).Items(), Strings({c1 + "\\Mkt", c1 + "\\Mkt\\Mail"}));
  EXPECT_EQ(frmStatistic08->Counter(10).Text(), "1");  // files already there, in the grid
  Strings handed;
  seam.OnModal(frmFileExport, [&handed](ui::Form&) {
    handed = frmFileExport->lstFileExportSource.Items();
    return IDCANCEL;
  });
  Press(frmStatistic08->ExportButton(5));
  EXPECT_EQ(handed, Strings({mine}));
  EXPECT_EQ(Box("0440"), nullptr);
}

// The undo's report names beside each item it kept why it stays: a copied file
// changed since the run is the user's now, a folder holding it is not empty.
TEST_F(CopyPageTest, TheUndoSaysWhyEachItemItKeptStays) {
  const std::string c1 = dest.AddFolder("C1");
  AddMain(c1);
  ChooseOption(P().rdoVol08AttachMainFolderWithFiles);
  AddStructure(tree / "Mkt");
  Copy();
  testsupport::WriteFile(c1 + "\\Mkt\\Mail\\m.txt", "changed by the user");
  seam.Answer("no: 0292", IDOK);
  Undo();
  ASSERT_NE(Box("0292"), nullptr);
  const std::string& text = Box("0292")->text;
  for (const std::string& group :
       {"changed since the copy (its size, time or content): kept as yours : 1\n   " + c1 + "\\Mkt\\Mail\\m.txt\n",
        "the folder is not empty : 2\n   " + c1 + "\\Mkt\\Mail\n   " + c1 + "\\Mkt\n"})
    EXPECT_NE(text.find("\n" + group), std::string::npos) << text;
  EXPECT_EQ(ListTree(c1), "Mkt\\\nMkt\\Mail\\\nMkt\\Mail\\m.txt\n");
  // The same items, each with why, in the Visual Log.
  EXPECT_EQ(frmStatistic08->List(6).Items(),
            Strings({c1 + "\\Mkt\\Mail\\m.txt",
                     RunBinding::ReasonLine("changed since the copy (its size, time or content): kept as yours"),
                     c1 + "\\Mkt\\Mail", RunBinding::ReasonLine("the folder is not empty"), c1 + "\\Mkt",
                     RunBinding::ReasonLine("the folder is not empty")}));
}

// A copied file the system takes for removal and does not remove (its
// folder kept unchanged by the file system; under Wine the refusal at the
// close is silent) is never counted as taken back: the undo's report and the
// Visual Log name it with why, beside its folders, and the disk agrees.
TEST_F(CopyPageTest, TheUndoNamesACopyTheSystemDidNotRemoveWithWhy) {
  const std::string c1 = dest.AddFolder("C1");
  AddMain(c1);
  ChooseOption(P().rdoVol08AttachMainFolderWithFiles);
  AddStructure(tree / "Mkt");
  Copy();
  const std::string mail = c1 + "\\Mkt\\Mail", copy = mail + "\\m.txt";
  ASSERT_TRUE(FileExists(copy));
  testsupport::ImmutableFolder frozen(mail);
  if (!frozen.Made())
    GTEST_SKIP() << "the immutable flag cannot be set here (chattr needs root under Wine on a file system that has "
                    "it): the engine's test with a remover refusing at the close covers the counting";
  seam.Answer("no: 0292", IDOK);
  Undo();
  const std::string why = core::RemovalReason(core::kErrorStillThere);
  ASSERT_NE(Box("0292"), nullptr);
  const std::string& text = Box("0292")->text;
  for (const std::string& group : {why + " : 1\n   " + copy + "\n",
                                   "the folder is not empty : 2\n   " + mail + "\n   " + c1 + "\\Mkt\n"})
    EXPECT_NE(text.find("\n" + group), std::string::npos) << text;
  EXPECT_EQ(frmStatistic08->List(6).Items(),
            Strings({copy, RunBinding::ReasonLine(why), mail, RunBinding::ReasonLine("the folder is not empty"),
                     c1 + "\\Mkt", RunBinding::ReasonLine("the folder is not empty")}));
  EXPECT_EQ(ListTree(c1), "Mkt\\\nMkt\\Mail\\\nMkt\\Mail\\m.txt\n");
  EXPECT_EQ(ReadFile(copy), "12345");
}

// A new run replaces the last one's undo record: Undo takes back only the
// newest run, also one that made only a file, and a second Undo has nothing
// left to take back.
TEST_F(CopyPageTest, UndoTakesBackOnlyTheLastRunAndWorksWhenOnlyFilesWereMade) {
  const std::string c1 = dest.AddFolder("C1");
  AddMain(c1);
  ChooseOption(P().rdoVol08AttachMainFolderWithFiles);
  AddStructure(tree / "Mkt");
  Copy();
  const std::string first = ListTree(c1);
  // The second run finds every folder in place ("already exists") and copies one new file only.
  tree.AddFile("Mkt\\SEO\\new.txt", "7");
  Copy();
  EXPECT_EQ(frmStatistic08->List(4).Count(), 4);
  EXPECT_TRUE(P().Vol08Undo.folders.empty());
  EXPECT_EQ(P().Vol08Undo.files.size(), 1u);
  Simulate();
  EXPECT_EQ(P().Vol08Undo.files.size(), 1u);
  Undo();
  EXPECT_EQ(ListTree(c1), first);
  seam.Answer("no: 0290", IDOK);
  Press(P().btnVol08Undo);
  EXPECT_EQ(seam.Last().caption, kT + "Warning no: 0290.");
  EXPECT_EQ(ListTree(c1), first);
}

// A folder the run made, removed by the user and made again (empty, or with a
// file of theirs in it), is another folder: Undo leaves it and says why, with
// the run's folders holding it; what nobody touched goes.
TEST_F(CopyPageTest, AFolderRemovedAndMadeAgainStaysAtUndoWithWhy) {
  const std::string c1 = dest.AddFolder("C1"), c2 = dest.AddFolder("C2");
  AddMain(c1);
  AddMain(c2);
  AddStructure(tree / "Mkt");  // main folders and their subfolders, without files
  Copy();
  ASSERT_EQ(ListTree(c1), "Mkt\\\nMkt\\Mail\\\nMkt\\SEO\\\nMkt\\SEO\\Deep\\\n");
  RemakeFolder(dest, "C1\\Mkt\\Mail");
  RemakeFolder(dest, "C1\\Mkt\\SEO\\Deep", "mine.txt");
  seam.Answer("no: 0292", IDOK);
  Undo();
  EXPECT_EQ(ListTree(c2), "");
  EXPECT_EQ(ListTree(c1), "Mkt\\\nMkt\\Mail\\\nMkt\\SEO\\\nMkt\\SEO\\Deep\\\nMkt\\SEO\\Deep\\mine.txt\n");
  ASSERT_NE(Box("0292"), nullptr);
  const std::string& text = Box("0292")->text;
  const std::string another = "another folder has its name now (the one the run made is gone)";
  auto reasonOf = [&text](const std::string& path) { return testsupport::ListedReason(text, path); };
  EXPECT_TRUE(reasonOf(c1 + "\\Mkt\\Mail") == another ||
              reasonOf(c1 + "\\Mkt\\Mail") ==
                  "changed since the run made it (something was added to it or taken out of it, or another folder "
                  "was made in its place)")
      << text;
  EXPECT_TRUE(reasonOf(c1 + "\\Mkt\\SEO\\Deep") == another ||
              reasonOf(c1 + "\\Mkt\\SEO\\Deep") == "the folder is not empty")
      << text;
  EXPECT_EQ(reasonOf(c1 + "\\Mkt\\SEO"), "the folder is not empty") << text;
  EXPECT_EQ(reasonOf(c1 + "\\Mkt"), "the folder is not empty") << text;
  EXPECT_EQ(text.find(c2), std::string::npos) << text;
}

// Refusals: nothing outside the target is touched, the reason is told.
TEST_F(CopyPageTest, NeverCopiesAStructureIntoItselfAndListsTheSkippedPairs) {
  const std::string c1 = dest.AddFolder("C1");
  AddMain(c1);
  AddMain(tree / "Mkt\\SEO");  // lies inside the structure
  AddStructure(tree / "Mkt");
  const std::string treeBefore = Snapshot(tree.Path());
  Copy();
  const testsupport::ShownBox* confirm = Shown("0651");
  ASSERT_NE(confirm, nullptr);
  EXPECT_NE(confirm->text.find("Not copied into itself (skipped) : 1\n   " + (tree / "Mkt") + "  ->  " + (tree / "Mkt\\SEO")),
            std::string::npos)
      << confirm->text;
  EXPECT_EQ(Snapshot(tree.Path()), treeBefore);
  EXPECT_EQ(ListTree(c1), "Mkt\\\nMkt\\Mail\\\nMkt\\SEO\\\nMkt\\SEO\\Deep\\\n");
  // The folder inside the structure received nothing: it is not among the folders copied to.
  EXPECT_EQ(frmStatistic08->List(0).Items(), Strings({c1}));
  EXPECT_EQ(Counters()[4], "1");
  const testsupport::ShownBox* end = Shown("0652");
  ASSERT_NE(end, nullptr);
  EXPECT_NE(end->text.find(tree / "Mkt\\SEO"), std::string::npos) << end->text;
}

// What a run could not make is told with its reason, grouped by reason, in
// the end box: a file where a structure folder is to go blocks that folder and
// so every folder below it.
TEST_F(CopyPageTest, TheEndBoxTellsWhyEachItemWasNotMade) {
  const std::string c1 = dest.AddFolder("C1");
  const std::string blocking = dest.AddFile("C1\\Mkt", "a file");
  AddMain(c1);
  AddStructure(tree / "Mkt");
  Copy();
  EXPECT_EQ(ReadFile(blocking), "a file");
  ASSERT_NE(Box("0652"), nullptr);
  EXPECT_EQ(Box("0652")->text,
            "End of the Copy process !!!\n\nNot done for other reasons : 4\n   a file or a link has the name : 1\n      " +
                blocking + "\n   its folder could not be made : 3\n      " + c1 + "\\Mkt\\Mail\n      " + c1 +
                "\\Mkt\\SEO\n      " + c1 + "\\Mkt\\SEO\\Deep\n");
}

// A copy an earlier run left unfinished (under its temporary name) is
// written afresh: the simulation foretells it, the run does it, and the Visual
// Log and the end box say so.
TEST_F(CopyPageTest, AnUnfinishedCopyAnEarlierRunLeftIsWrittenAfreshAndSaidSo) {
  const std::string c1 = dest.AddFolder("C1");
  const std::string copy = c1 + "\\Mkt\\Mail\\m.txt";
  const std::string left = core::TemporaryCopyPath(copy);
  const std::string leftName = left.substr(left.find_last_of('\\') + 1);
  dest.AddFile("C1\\Mkt\\Mail\\" + leftName, "12");
  AddMain(c1);
  ChooseOption(P().rdoVol08AttachMainFolderWithFiles);
  AddStructure(tree / "Mkt");
  const Strings logged{copy, "      note : written afresh over an unfinished copy an earlier run left (" + leftName + ")"};
  Simulate();
  EXPECT_EQ(frmStatistic08->List(2).Items(), logged);
  EXPECT_TRUE(FileExists(left));
  Copy();
  EXPECT_EQ(frmStatistic08->List(2).Items(), logged);
  EXPECT_EQ(ReadFile(copy), "12345");
  EXPECT_EQ(ListTree(c1 + "\\Mkt\\Mail"), "m.txt\n");
  ASSERT_NE(Box("0652"), nullptr);
  EXPECT_EQ(Box("0652")->text,
            "End of the Copy process !!!\n\nUnfinished copies of an earlier run, written afresh : 1\n   " + copy + "\n");
}

// Every main folder the preview counts ends in one counter of the Visual Log
// (copied to, not existing, other reasons), and each main folder and item not
// done for other reasons is listed there with why, the simulation's as the run's.
TEST_F(CopyPageTest, TheVisualLogNamesEveryMainFolderAndItemNotDoneWithWhy) {
  const std::string c1 = dest.AddFolder("C1"), c2 = dest.AddFolder("C2"), gone = dest.AddFolder("Gone");
  const std::string blocking = dest.AddFile("C2\\Mkt", "a file");
  const std::string inside = tree / "Mkt\\SEO";
  for (const std::string& m : {c1, c2, gone, inside}) AddMain(m);
  AddStructure(tree / "Mkt");
  RemoveIn(dest, "Gone");
  auto otherCounters = [] {
    Strings out;
    for (int i = 12; i < 16; ++i) out.push_back(frmStatistic08->Counter(CopyPage::VisualLogCounter(i)).Text());
    return out;
  };
  const std::vector<std::pair<std::string, std::string>> whys = {
      {inside, "it lies inside every structure: nothing is copied into itself"},
      {blocking, "a file or a link has the name"},
      {c2 + "\\Mkt\\Mail", "its folder could not be made"},
      {c2 + "\\Mkt\\SEO\\Deep", "its folder could not be made"}};
  Strings simulated;
  for (bool simulation : {true, false}) {
    SCOPED_TRACE(simulation ? "simulation" : "run");
    if (simulation) Simulate();
    else Copy();
    // The main folders' row: to copy, copied to, not existing, other reasons.
    EXPECT_EQ(frmStatistic08->Counter(0).Text(), "4");
    EXPECT_EQ(frmStatistic08->Counter(1).Text(), "2");
    EXPECT_EQ(frmStatistic08->Counter(2).Text(), "1");
    EXPECT_EQ(frmStatistic08->Counter(3).Text(), "1");
    EXPECT_EQ(otherCounters(), Strings({"1", "4", "0", "0"}));
    EXPECT_EQ(frmStatistic08->List(3).Items(), Strings({gone}));
    const Strings listed = frmStatistic08->List(6).Items();
    EXPECT_EQ(listed.size(), 10u);
    for (const auto& [path, why] : whys) {
      const auto at = std::find(listed.begin(), listed.end(), path);
      ASSERT_NE(at, listed.end()) << path;
      ASSERT_NE(at + 1, listed.end()) << path;
      EXPECT_EQ(*(at + 1), "      why : " + why);
    }
    if (simulation) simulated = listed;
    else EXPECT_EQ(listed, simulated);
  }
  EXPECT_EQ(ReadFile(blocking), "a file");
}

TEST_F(CopyPageTest, RunsStopBeforeAnythingIsWrittenWhenTheStructureIsGoneOrTheSpaceShortOrUnknown) {
  unscriptedBoxes = true;  // the preview's own 0177 boxes
  const std::string c1 = dest.AddFolder("C1");
  AddMain(c1);
  ChooseOption(P().rdoVol08AttachMainFolderWithFiles);
  AddStructure(tree / "Mkt");
  const std::string root = c1.substr(0, 3);
  struct Case {
    const char* name;
    std::function<void()> arrange;
    bool simulation;
    std::string number, caption;
  } cases[] = {
      {"too little space", [&] { seam.SetFreeSpace(root, {true, 4, 100, 4}); }, false, "0177",
       "Creating Folder(s).-From a Folder List.            Information no: 0177."},
      {"space unknown", [&] { seam.SetFreeSpace(root, {false, 0, 0, 0}); }, false, "0650", kT + "Warning no: 0650."},
      {"space unknown, simulated", [&] { seam.SetFreeSpace(root, {false, 0, 0, 0}); }, true, "0657",
       kS + "Warning no: 0657."},
      {"structure gone", [&] {
         seam.SetFreeSpace(root, {true, 1u << 30, 1u << 30, 1u << 30});
         RemoveIn(tree, "Mkt");
       }, false, "0649", kT + "Warning no: 0649."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.arrange();
    const std::string before = Snapshot(dest.Path());
    seam.boxes.clear();
    Press(c.simulation ? P().btnVol08CopyFoldersSimulation : P().btnVol08CopyFolders);
    ASSERT_FALSE(seam.boxes.empty());
    EXPECT_EQ(seam.Last().caption, c.caption);
    EXPECT_EQ(Box("0651"), nullptr) << "asked to copy";
    EXPECT_EQ(Snapshot(dest.Path()), before);
    EXPECT_TRUE(P().Vol08Undo.Empty());
  }
}

// Select Files stays at hand after every run, simulation and undo while a
// "With Selected Files" option is chosen (the run lock gives back what it took).
TEST_F(CopyPageTest, SelectFilesStaysAtHandAfterEveryRunWithSelectedFiles) {
  AddMain(dest.AddFolder("C1"));
  AddStructure(tree / "Mkt");
  ChooseOption(P().rdoVol08AttachMainFolderWithFiles);
  ASSERT_TRUE(testsupport::Reachable(P().btnVol08FileSelection));
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"simulation", [this] { Simulate(); }}, {"copy", [this] { Copy(); }}, {"undo", [this] { Undo(); }}};
  for (const auto& step : steps) {
    step.second();
    EXPECT_TRUE(testsupport::Reachable(P().btnVol08FileSelection)) << "after the " << step.first;
    EXPECT_TRUE(testsupport::Reachable(P().btnVol08CopyFolders)) << "after the " << step.first;
  }
  SelectFiles("*.doc");  // and it still works
  EXPECT_EQ(P().lblVol08FilesToCopy.Text(), "1");
}

// One acceptance rule on every road: full paths only, each folder once however
// it is written; a drive root is taken (the copy only adds inside it).
TEST_F(CopyPageTest, TheIncludeListTakesOnlyWhatTheRunWouldCopyTo) {
  const std::string c1 = dest.AddFolder("C1");
  const std::string root = c1.substr(0, 3);
  struct Case {
    std::string picked;
    const char* number;  // the refusal shown, "" when added
  } cases[] = {
      {c1, ""},
      {c1, "0263"},                                    // already listed
      {std::string(1, char(tolower(c1[0]))) + c1.substr(1), "0263"},  // the same folder in other letters
      {c1 + "\\", "0263"},                             // the same folder written otherwise
      {root, ""},                                      // a drive root
      {std::string(1, char(tolower(root[0]))) + ":/", "0263"},  // the same root written otherwise
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.picked);
    seam.boxes.clear();
    if (*c.number) seam.Answer(std::string("no: ") + c.number, IDOK);
    AddMain(c.picked);
    if (*c.number) {
      ASSERT_EQ(seam.boxes.size(), 1u);
    } else {
      EXPECT_TRUE(seam.boxes.empty());
    }
  }
  EXPECT_EQ(P().lstVol08IncludeFolderList.Items(), Strings({c1, root}));
  EXPECT_EQ(P().lblVol08IncludeSum.Text(), "2");
  EXPECT_EQ(Counters()[0], "1");  // the folder lies on the root's drive: one main folder
}

// A drive root (a spare letter mapped to a test folder, never the machine's
// own) is copied to as any main folder, and the undo takes back only what the
// copy made there.
TEST_F(CopyPageTest, ADriveRootReceivesTheStructuresAndItsUndoTakesBackOnlyThem) {
  dest.AddFile("R\\kept.txt", "the stick's own");
  testsupport::MappedDrive drive(dest / "R");
  if (!drive.Letter()) GTEST_SKIP() << "no spare drive letter";
  const std::string before = Snapshot(dest / "R");
  AddMain(drive.Root());
  ChooseOption(P().rdoVol08AttachMainFolderWithFiles);
  AddStructure(tree / "Mkt");
  seam.SetFreeSpace(drive.Root(), {true, 1u << 30, 1u << 30, 1u << 30});
  EXPECT_EQ(Counters(), Strings({"1", "4", "1", "5", "0", "0", "0", "0", "0", "0", "0", "0"}));
  Copy();
  EXPECT_EQ(ListTree(dest / "R"), "Mkt\\\nMkt\\Mail\\\nMkt\\Mail\\m.txt\nMkt\\SEO\\\nMkt\\SEO\\Deep\\\nkept.txt\n");
  EXPECT_EQ(frmStatistic08->List(0).Items(), Strings({drive.Root()}));
  Undo();
  EXPECT_EQ(Snapshot(dest / "R"), before);
}

// Before a structure is listed the page already counts its main folders (the
// top-most ones); adding a structure opens both runs.
TEST_F(CopyPageTest, MainFoldersAreCountedBeforeAnyStructureAndAddStructureOpensBothRuns) {
  EXPECT_EQ(P().btnVol08ClearAll.Text(), "Clear Fields");
  AddMain(dest.AddFolder("A"));
  AddMain(dest.AddFolder("B"));
  AddMain(dest.AddFolder("A\\Inner"));
  EXPECT_EQ(Counters()[0], "2");
  EXPECT_EQ(VisualLog()[0], "2");
  EXPECT_FALSE(P().btnVol08CopyFolders.Enabled());
  EXPECT_FALSE(P().btnVol08CopyFoldersSimulation.Enabled());
  AddStructure(tree / "Mkt");
  EXPECT_TRUE(P().btnVol08CopyFolders.Enabled());
  EXPECT_TRUE(P().btnVol08CopyFoldersSimulation.Enabled());
  // Mkt with its three subfolders, into each of the two main folders.
  Strings counters = Counters();
  EXPECT_EQ(Strings(counters.begin(), counters.begin() + 2), (Strings{"2", "8"}));
  // The structure removed: the main folders are still counted, the runs close.
  P().lstVol08AddFolderStructure.SetSelected(0, true);
  seam.Answer("no: 0281", IDYES);
  Press(P().btnVol08RemoveFolderStructure);
  counters = Counters();
  EXPECT_EQ(Strings(counters.begin(), counters.begin() + 2), (Strings{"2", "0"}));
  EXPECT_FALSE(P().btnVol08CopyFolders.Enabled());
}

} // namespace

namespace {

// The options follow the include list; the with-files options open the file
// selection, whose OK measures the structures again with the new patterns.
TEST_F(CopyPageTest, SelectedFilesDecideWhatIsCountedAndTheHintIsShownOncePerOption) {
  CopyPage& p = P();
  EXPECT_FALSE(testsupport::Reachable(p.rdoVol08AttachMainFolderWithFiles));
  AddMain(dest.AddFolder("C1"));
  AddStructure(tree / "Mkt");
  EXPECT_FALSE(testsupport::Reachable(p.btnVol08FileSelection));
  ChooseOption(p.rdoVol08AttachMainFolderWithFiles);
  ChooseOption(p.rdoVol08AttachSubFoldersOnlyWithFiles);
  testsupport::Choose(p.rdoVol08AttachMainFolderWithFiles);  // its hint was shown already
  EXPECT_EQ(CaptionsContaining("no: 0277").size(), 2u);
  EXPECT_EQ(Box("0277")->text, frmMain->SelectFilesHintText);
  const Strings before = Counters();
  EXPECT_EQ(Strings(before.begin() + 1, before.begin() + 4), Strings({"4", "1", "5"}));

  SelectFiles("*.doc *.txt");
  const Strings shown = Counters();
  EXPECT_EQ(Strings(shown.begin() + 1, shown.begin() + 4), Strings({"4", "2", "8"}));
  EXPECT_EQ(p.lblVol08FileTypesAllSelected.Text(), "User Selected.");
}

} // namespace

namespace {

// A simulation never touches the last run's records; Clear Fields forgets them.
TEST_F(CopyPageTest, ASimulationKeepsTheRunsRecordsAndClearFieldsForgetsThem) {
  const std::string c1 = dest.AddFolder("C1");
  AddMain(c1);
  AddStructure(tree / "Mkt");
  Copy();
  const std::string made = ListTree(c1);
  const size_t folders = P().Vol08Undo.folders.size();
  const Strings lists = Lists(P().Vol08ResultLists);
  ASSERT_EQ(folders, 4u);
  Simulate();
  EXPECT_EQ(P().Vol08Undo.folders.size(), folders);
  EXPECT_EQ(Lists(P().Vol08ResultLists), lists);
  // Nothing is locked any more once the run is over.
  for (ui::TabSheet* s : {&frmMain->tabFolderCreate05, &frmMain->tabFolderCreate01}) EXPECT_TRUE(s->Enabled());
  EXPECT_TRUE(testsupport::Reachable(P().btnVol08CopyFolders));
  seam.Answer("no: 0287", IDYES);
  seam.Answer("no: 0288", IDOK);
  seam.Answer("no: 0277", IDOK);
  Press(P().btnVol08ClearAll);
  EXPECT_TRUE(P().Vol08Undo.Empty());
  EXPECT_TRUE(P().rdoVol08AttachMainFolderWithFiles.Checked());
  EXPECT_FALSE(P().rdoVol08AttachMainFolderWithoutFiles.Checked());
  EXPECT_FALSE(testsupport::Reachable(P().btnVol08Undo));
  EXPECT_EQ(ListTree(c1), made);
}

} // namespace

namespace {

// The editor and the list file take what Add takes: each folder once, in any
// spelling, a drive root too.
TEST_F(CopyPageTest, EveryRoadIntoTheIncludeListTakesOnlyWhatAddTakes) {
  unscriptedBoxes = true;  // the list file's end boxes
  const std::string c1 = dest.AddFolder("C1"), c2 = dest.AddFolder("C2");
  const std::string root = c1.substr(0, 3);
  std::string lower = c1;
  lower[0] = static_cast<char>(tolower(lower[0]));
  const std::string lines = c1 + "\r\n" + c1 + "\\\r\n" + lower + "\r\n" + root + "\r\nrel\r\n" + c2;
  TfrmEditIncludeList* editor = frmVol08EditIncludeList;
  seam.Answer("no: 0161", IDYES);  // "rel" named, the others taken
  seam.OnModal(editor, [&](ui::Form&) {
    editor->mmoEditIncludeList.SetText(lines);
    Press(editor->btnEditOk);
    return 0;
  });
  Press(P().btnVol08EditIncludeList);
  EXPECT_EQ(P().lstVol08IncludeFolderList.Items(), Strings({c1, root, c2}));

  // The list file written by Export List comes back whole; a refused line is told and left out.
  const std::string file = dir->Path() + "\\copy.txt";
  seam.ChooseFile(file);
  Press(P().btnVol08SaveTo);
  seam.ChooseFile(file);
  seam.Answer("no: 0270", IDYES);
  Press(P().btnVol08LoadFrom);
  EXPECT_EQ(P().lstVol08IncludeFolderList.Items(), Strings({c1, root, c2}));
  // Another spelling of a folder or a root is taken; a name no folder can have is named in the one closing box.
  testsupport::WriteFile(file, c1 + "\\\r\n" + root.substr(0, 2) + "/\r\n" + c2 + "\\a|b\r\n" + c2 + "\r\n");
  seam.ChooseFile(file);
  seam.Answer("no: 0270", IDYES);
  Press(P().btnVol08LoadFrom);
  ASSERT_NE(Box("0660"), nullptr);
  EXPECT_NE(Box("0660")->text.find(" : 1\n   " + c2 + "\\a|b\n"), std::string::npos)
      << Box("0660")->text;
  EXPECT_EQ(P().lstVol08IncludeFolderList.Items(), Strings({c1 + "\\", root.substr(0, 2) + "/", c2}));
}

} // namespace

namespace {

// Every change of the lists counts the structures on the disk as it is now: a
// file added outside the program between two changes is counted at the second,
// and the run's question then names the same counts.
TEST_F(CopyPageTest, EveryListChangeCountsTheStructuresAsTheDiskIsNow) {
  AddMain(dest.AddFolder("C1"));
  AddStructure(tree / "Mkt");
  ChooseOption(P().rdoVol08AttachMainFolderWithFiles);
  auto toCopy = [this] {
    const Strings shown = Counters();
    return Strings(shown.begin(), shown.begin() + 4);
  };
  EXPECT_EQ(toCopy(), Strings({"1", "4", "1", "5"}));
  tree.AddFile("Mkt\\SEO\\new.txt", "1234567");
  AddMain(dest.AddFolder("C2"));
  EXPECT_EQ(toCopy(), Strings({"2", "8", "4", "24"}));
  EXPECT_EQ(VisualLog()[2], "4");
  // A folder and a file more, then a main folder moved to the exclude list.
  tree.AddFile("Mkt\\Mail\\Old\\b.txt", "12");
  P().lstVol08IncludeFolderList.SetSelected(1, true);
  Press(P().btnVol08IncToExc);
  EXPECT_EQ(toCopy(), Strings({"1", "5", "3", "14"}));
  Simulate();
  const testsupport::ShownBox* asked = Box("0658");
  ASSERT_NE(asked, nullptr);
  EXPECT_NE(asked->text.find("Files to copy : 3\nFile Size (bytes) : 14\n"), std::string::npos) << asked->text;
  // The counts stand apart from the simulation's note, one blank line between.
  EXPECT_NE(asked->text.find("will be used.\n\nMain Folders : 1\n"), std::string::npos) << asked->text;
  // After a real run the counts are those of the disk again.
  Copy();
  tree.AddFile("Mkt\\c.txt", "1");
  AddMain(dest.AddFolder("C3"));
  EXPECT_EQ(toCopy(), Strings({"2", "10", "8", "30"}));
}

// A structure holding names this system cannot address says so when it is
// added (0661) and again at the run, where the Visual Log names each of them,
// with why, in every main folder; only the plain entries are copied.
TEST_F(CopyPageTest, AStructureWithNamesNoPathReachesSaysSoAndIsCopiedWithoutThem) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "odd names are made on the Linux side";
  ASSERT_TRUE(testsupport::MakeUnixEntry(tree / "Mkt\\Mail", "..\\..\\beside.txt", false));
  ASSERT_TRUE(testsupport::MakeUnixEntry(tree / "Mkt", "CON", true));
  const std::string c1 = dest.AddFolder("C1");
  AddMain(c1);
  ChooseOption(P().rdoVol08AttachMainFolderWithFiles);
  seam.Answer("no: 0661", IDOK);
  AddStructure(tree / "Mkt");
  const testsupport::ShownBox* said = Shown("0661");
  ASSERT_NE(said, nullptr);
  EXPECT_NE(said->text.find("holds entries this system cannot address : 2\n" + tree / "Mkt"), std::string::npos)
      << said->text;
  EXPECT_NE(said->text.find("a name this system cannot address (a device name) : 1\n   " + tree / "Mkt\\CON\n"),
            std::string::npos) << said->text;
  Copy();
  EXPECT_EQ(ReadFile(c1 + "\\Mkt\\Mail\\m.txt"), "12345");
  EXPECT_FALSE(FileExists(c1 + "\\beside.txt"));
  const Strings listed = frmStatistic08->List(6).Items();
  for (const std::string& path : {c1 + "\\Mkt\\CON", c1 + "\\Mkt\\Mail\\..\\..\\beside.txt"}) {
    const auto at = std::find(listed.begin(), listed.end(), path);
    ASSERT_NE(at, listed.end()) << path;
    ASSERT_NE(at + 1, listed.end());
    EXPECT_EQ((at + 1)->find("      why : a name this system cannot address"), 0u) << *(at + 1);
  }
}

} // namespace

namespace {

// Nothing is read through a link: a file link lying in the structure from the
// start, and a subfolder swapped for a link while the run's question is open
// (after the preview listed it), lead to outside data under the structure's
// own names. Their files are not copied; the Visual Log names each under the
// items not done for other reasons with why, the end box too, and the outside
// data stays as it was.
TEST_F(CopyPageTest, ALinkInTheStructureOrSwappedInWhileTheQuestionIsOpenIsNeverReadThrough) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "links are made with the Unix ln";
  testsupport::TempDir outside;
  outside.AddFile("link.txt", "outside link");
  outside.AddFile("Mail\\m.txt", "outside m");
  const std::string before = Snapshot(outside.Path());
  ASSERT_TRUE(testsupport::MakeUnixFileSymlink(tree / "Mkt\\link.txt", outside / "link.txt"));
  const std::string c1 = dest.AddFolder("C1");
  AddMain(c1);
  ChooseOption(P().rdoVol08AttachMainFolderWithFiles);
  AddStructure(tree / "Mkt");
  bool swapped = false;
  seam.Answer("no: 0651", IDYES, [&] {
    swapped = testsupport::MoveOnUnixSide(tree / "Mkt\\Mail", tree / "Mail-away") &&
              testsupport::MakeUnixSymlink(tree / "Mkt\\Mail", outside / "Mail");
  });
  seam.Answer("no: 0652", IDOK);
  Press(P().btnVol08CopyFolders);
  ASSERT_TRUE(swapped);
  const std::string link = c1 + "\\Mkt\\link.txt", mail = c1 + "\\Mkt\\Mail\\m.txt";
  const std::string linkWhy = "a link (its name leads to another place): never read through";
  const std::string mailWhy = "a folder of the structure on its path is a link or was moved since it was listed: never read through";
  EXPECT_FALSE(testsupport::PathExists(link));
  EXPECT_FALSE(testsupport::PathExists(mail));
  const Strings listed = frmStatistic08->List(6).Items();
  EXPECT_EQ(listed, (Strings{link, "      why : " + linkWhy, mail, "      why : " + mailWhy})) << listed.size();
  EXPECT_EQ(P().lblVol08FilesCopied.Text(), "0");
  EXPECT_EQ(P().lblVol08FilesExists.Text(), "0");
  ASSERT_NE(Box("0652"), nullptr);
  EXPECT_NE(Box("0652")->text.find(linkWhy + " : 1\n      " + link), std::string::npos) << Box("0652")->text;
  EXPECT_NE(Box("0652")->text.find(mailWhy + " : 1\n      " + mail), std::string::npos) << Box("0652")->text;
  // A simulation now finds the linked subfolder a link: made, never entered.
  Simulate();
  EXPECT_EQ(frmStatistic08->List(6).Items(), (Strings{link, "      why : " + linkWhy}));
  EXPECT_EQ(Snapshot(outside.Path()), before);
}

// A structure's file another program cuts while the run copies it (from the
// Linux side, past the share modes) is not copied: no cut copy stands under
// its name nor under its temporary one, the Visual Log counts it under other
// reasons and names it with why, and the end box too. The next main folder's
// copy, made after the cut, is the file as it stands then, whole.
std::string g_cutSource;
bool g_cut = false;
void CutOnce(const std::string& temporary, uint64_t) {
  if (g_cut || temporary.find("big.txt") == std::string::npos) return;
  g_cut = testsupport::ResizeOnUnixSide(g_cutSource, 1 << 20);
}

TEST_F(CopyPageTest, AFileCutWhileItIsCopiedIsNotCopiedAndSaysWhy) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "the file is cut on the Linux side";
  std::string content(3 << 20, '\0');
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 + i / 4099);
  g_cutSource = tree.AddFile("Mkt\\Mail\\big.txt", content);
  g_cut = false;
  const std::string c1 = dest.AddFolder("C1"), c2 = dest.AddFolder("C2");
  AddMain(c1);
  AddMain(c2);
  ChooseOption(P().rdoVol08AttachMainFolderWithFiles);
  AddStructure(tree / "Mkt");
  core::SetCopyWriteHook(CutOnce);
  Copy();
  core::SetCopyWriteHook(nullptr);
  ASSERT_TRUE(g_cut);
  const std::string big = c1 + "\\Mkt\\Mail\\big.txt";
  const std::string why = "another program changed the structure's file while it was copied: the copy was taken away";
  EXPECT_EQ(ListTree(c1 + "\\Mkt\\Mail"), "m.txt\n");
  EXPECT_EQ(ReadFile(c2 + "\\Mkt\\Mail\\big.txt"), content.substr(0, 1 << 20));
  // Copied: 2 main folders, 8 subfolders, 3 files of 5 + 5 + 3 MB (the bytes measured before the run).
  EXPECT_EQ(Counters(), Strings({"2", "8", "4", "6291466", "2", "8", "3", "3145738", "0", "0", "0", "0"}));
  Strings other;
  for (int i = 12; i < 16; ++i) other.push_back(frmStatistic08->Counter(CopyPage::VisualLogCounter(i)).Text());
  EXPECT_EQ(other, Strings({"0", "0", "1", "3145728"}));
  EXPECT_EQ(frmStatistic08->List(6).Items(), Strings({big, "      why : " + why}));
  ASSERT_NE(Box("0652"), nullptr);
  EXPECT_NE(Box("0652")->text.find(why + " : 1\n      " + big + "\n"), std::string::npos) << Box("0652")->text;
}

} // namespace

namespace {

// The disk becomes full at one place: a folder the copy makes, or a file it writes.
std::string g_fullAt;
DWORD FolderFills(const std::string& path) { return core::SameText(path, g_fullAt) ? ERROR_DISK_FULL : 0; }
DWORD FileFills(const std::string& temporary, uint64_t) {
  return temporary.rfind(g_fullAt + ".~vx", 0) == 0 ? ERROR_DISK_FULL : 0;
}

// A disk that becomes full while the copy makes a folder stops it as one
// that fills while a file is written: what was being made is not there, it
// is listed under other reasons with why, the next main folder receives
// nothing, and a box says where the copy stopped.
TEST_F(CopyPageTest, AFullDiskWhileAFolderOrAFileIsMadeStopsTheCopyAndSaysWhere) {
  const std::string c1 = dest.AddFolder("C1"), c2 = dest.AddFolder("C2");
  AddMain(c1);
  AddMain(c2);
  ChooseOption(P().rdoVol08AttachMainFolderWithFiles);
  AddStructure(tree / "Mkt");
  const struct {
    const char* name;
    std::string at;
    bool folder;
  } rows[] = {{"a folder", c1 + "\\Mkt\\Mail", true}, {"a file", c1 + "\\Mkt\\Mail\\m.txt", false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    g_fullAt = row.at;
    seam.Answer("no: 0653", IDOK);
    if (row.folder) core::SetFolderMakeFault(FolderFills);
    else core::SetCopyWriteFault(FileFills);
    Copy();
    core::SetFolderMakeFault(nullptr);
    core::SetCopyWriteFault(nullptr);
    ASSERT_NE(Box("0653"), nullptr);
    EXPECT_EQ(testsupport::Box(Box("0653")->caption, Box("0653")->flags, Box("0653")->text),
              testsupport::Box(kT + "Warning no: 0653.", 0x30,
                               "The disk is full !\nThe Copy process is stopped at : \n" + row.at));
    EXPECT_FALSE(testsupport::PathExists(row.at));
    EXPECT_EQ(ListTree(c2), "");
    const Strings listed = frmStatistic08->List(6).Items();
    const auto at = std::find(listed.begin(), listed.end(), row.at);
    ASSERT_NE(at, listed.end());
    ASSERT_NE(at + 1, listed.end());
    EXPECT_EQ(at[1], "      why : the disk is full");
    RemoveIn(dest, "C1\\Mkt");
  }
}

} // namespace
