// The in-page level builder of the Rename, Delete and Copy pages, driven as a
// user drives it on a real tree; one row per page says what differs.
#include "tests/app/creation_page_fixture.h"

#include "core/listing_box.h"
#include "core/settings_file.h"
#include "core/settings_store.h"
#include "listwin/frmLevelSummFolder.h"
#include "support/whole_list.h"
#include "support/wine_unix.h"

#include <algorithm>
#include <memory>

using namespace creationtest;
using testsupport::Choose;
using testsupport::Type;

namespace {

const char kEmpty[] = "The selection field is empty !\nAction : You must select a destination folder.";
const char kNoResults[] =
    "There are no matching results for subfolder selection !\nAction : You must select a proper Subfolder level, "
    "or a filter.";
const char kNoDrive[] = "There is no drive letter !\n";
const char kNotAFolder[] = "The folder does not exist !\nAction : You must select an existing folder.";

// What differs between the pages' builders: their boxes (number and whole
// caption), Clear Fields' two boxes, and their quirks.
struct Twin {
  const char* name;
  ui::TabSheet* (*sheet)(TfrmMain&);
  LevelBuilder& (*levels)(TfrmMain&);
  ListPair& (*lists)(TfrmMain&);
  ui::Button& (*clear)(TfrmMain&);
  const char *clearAsk, *clearEnd;
  const char* clearHint;  // a box Clear Fields shows the first time (its option's hint)
  struct Row {
    const char* number;
    std::string caption;
  } rootEmpty, viewEmpty, buildEmpty, noResults, noDrive, notAFolder;
  const char* wraps;  // which up-downs wrap: From, To, Above, Below
  bool clearTurnsImportOff;
};

#define B12 "            "
#define B13 "             "

std::vector<Twin> Twins() {
  return {
      {"Rename", [](TfrmMain& m) { return &m.tabFoldersRename01; }, [](TfrmMain& m) -> LevelBuilder& { return m.Vol06.Levels; },
       [](TfrmMain& m) -> ListPair& { return m.Vol06.Lists; }, [](TfrmMain& m) -> ui::Button& { return m.Vol06.btnVol06ClearAll; },
       "0204", "0205", nullptr,
       {"0321", "Rename Folders - From a Folder List - Level." B12 "Warning no: 0321."},
       {"0322", "Rename Folders - From a Folder List - Level." B12 "Warning no: 0322."},
       {"0323", "Rename Folders - From a Folder List - Level." B12 "Warning no: 0323."},
       {"0325", "Rename Folders - From a Folder List - Level." B12 "Warning no: 0325."},
       {"0326", "Rename Folders -From a Folder List - Level." B13 "Warning no: 0326."},
       {"0691", "Rename Folders - From a Folder List - Level." B12 "Warning no: 0691."},
       "----", false},
      {"Delete", [](TfrmMain& m) { return &m.tabFoldersDelete01; }, [](TfrmMain& m) -> LevelBuilder& { return m.Vol07.Levels; },
       [](TfrmMain& m) -> ListPair& { return m.Vol07.Lists; }, [](TfrmMain& m) -> ui::Button& { return m.Vol07.btnVol07ClearAll; },
       "0236", "0237", nullptr,
       {"0314", "Delete Folder(s).- From a Folder List." B12 "Warning no: 0314."},
       {"0315", "Delete Folder(s).-From a Folder List." B12 "Warning no: 0315."},
       {"0316", "Delete Folder(s).-From a Folder List." B12 "Warning no: 0316."},
       {"0318", "Delete Folder(s).-From a Folder List - Level." B12 "Warning no: 0318."},
       {"0319", "Delete Folder(s).-From a Folder List." B13 "Warning no: 0319."},
       {"0692", "Delete Folder(s).-From a Folder List." B12 "Warning no: 0692."},
       "-w--", true},
      {"Copy", [](TfrmMain& m) { return &m.tabFoldersCopy02; }, [](TfrmMain& m) -> LevelBuilder& { return m.Vol08.Levels; },
       [](TfrmMain& m) -> ListPair& { return m.Vol08.Lists; }, [](TfrmMain& m) -> ui::Button& { return m.Vol08.btnVol08ClearAll; },
       "0287", "0288", "no: 0277",
       {"0253", "Copy Folder Structure(s).-From a Folder List - Level." B12 "Warning no: 0253."},
       {"0254", "Copy Folder Structure(s).-From a Folder List - Level." B12 "Warning no: 0254."},
       {"0255", "Copy Folder Structure(s).-From a Folder List - Level." B12 "Warning no: 0255."},
       {"0310", "Copy Folder Structure(s).-From a Folder List - Level." B12 "Warning no: 0310."},
       {"0257", "Copy Folder Structure(s).-From a Folder List - Level." B13 "Warning no: 0257."},
       {"0693", "Copy Folder Structure(s).-From a Folder List - Level." B12 "Warning no: 0693."},
       "wwww", false},
  };
}

class LevelBuilderTest : public CreationPageTest {
protected:
  void SetUp() override {
    CreationPageTest::SetUp();
    // R\a\b\c, R\d, R\e\f and one file: levels 1 (a, d, e), 2 (a\b, e\f) and 3 (a\b\c).
    root = tree.AddFolder("R");
    for (const char* f : {"R\\a\\b\\c", "R\\d", "R\\e\\f"}) tree.AddFolder(f);
    tree.AddFile("R\\a\\x.txt", "123");
  }
  // The page of a row, shown; its builder's controls.
  const LevelBuilderControls& Open(const Twin& t) {
    frmMain->pgeMain.SetActivePage(t.sheet(*frmMain));
    return t.levels(*frmMain).Description().c;
  }
  ui::ListBox& Include(const Twin& t) { return t.lists(*frmMain).Include(); }
  // The level summary window as it was shown: its root, counts and rows.
  struct Summary {
    bool shown = false;
    std::string root, folders, files;
    Strings rows;
  };
  // The next level summary window is read and closed as a user would.
  std::shared_ptr<Summary> ExpectSummary() {
    auto shown = std::make_shared<Summary>();
    seam.OnModal(frmLevelSummFolder, [shown](ui::Form&) {
      TfrmLevelSummFolder& w = *frmLevelSummFolder;
      shown->shown = true;
      shown->root = w.lblLevelSummFolderName.Text();
      shown->folders = w.lblLevelSummFolderSum.Text();
      shown->files = w.lblLevelSummFileSum.Text();
      for (int i = 0; i < w.lstViewLevelSummFolder.Count(); ++i)
        shown->rows.push_back(w.lstViewLevelSummFolder.Cell(i, 0) + ":" + w.lstViewLevelSummFolder.Cell(i, 1));
      Press(w.btnLevelSummClose);
      return 0;
    });
    return shown;
  }
  // Browse: the picker answers folder; the summary it shows. Cancelled: no summary.
  Summary Browse(const LevelBuilderControls& c, const std::string& folder) {
    std::shared_ptr<Summary> shown = folder.empty() ? std::make_shared<Summary>() : ExpectSummary();
    PickWith(*c.browse, folder);
    return *shown;
  }
  // Picks an entry of the root's history as a user does in its drop-down.
  void PickFromHistory(const LevelBuilderControls& c, int index) {
    ASSERT_TRUE(testsupport::CanReach(c.root->Handle(), "picked a root"));
    ExpectSummary();
    c.root->SetItemIndex(index);
    SendMessageA(GetParent(c.root->Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c.root->Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(c.root->Handle()));
  }
  void Build(const LevelBuilderControls& c, const std::string& from, const std::string& to) {
    Choose(*c.fromTo);
    Type(*c.from, from);
    Type(*c.to, to);
    Press(*c.build);
  }
  Strings Under(std::initializer_list<const char*> relative) const {
    Strings out;
    for (const char* r : relative) out.push_back(root + "\\" + r);
    return out;
  }
  // The closing box names entry with its reason.
  static bool Names(const testsupport::ShownBox& box, const std::string& entry, const std::string& reason) {
    const size_t at = box.text.find("\n" + reason + " : ");
    return at != std::string::npos && box.text.find("\n   " + entry + "\n", at) != std::string::npos;
  }
  static Strings Sorted(Strings s) {
    std::sort(s.begin(), s.end());
    return s;
  }
  std::string root;
};

TEST_F(LevelBuilderTest, EachPageBuildsExactlyTheLevelsChosenAndSaysWhenNothingMatches) {
  for (const Twin& t : Twins()) {
    SCOPED_TRACE(t.name);
    const LevelBuilderControls& c = Open(t);
    EXPECT_TRUE(c.makeListSelector->Checked());
    EXPECT_TRUE(c.fromTo->Checked());
    EXPECT_TRUE(c.onlyTheLast->Checked());

    // Browse: the level summary of the root, then the root taken into the history.
    const Summary s = Browse(c, root);
    EXPECT_TRUE(s.shown);
    EXPECT_EQ(s.root, root);
    EXPECT_EQ(s.files, "1");
    const int level = static_cast<int>(std::count(root.begin(), root.end(), '\\'));
    EXPECT_EQ(s.rows, (Strings{std::to_string(level) + ":3", std::to_string(level + 1) + ":2",
                               std::to_string(level + 2) + ":1"}));
    EXPECT_EQ(c.root->Items(), Strings{root});
    EXPECT_EQ(frmMain->ActiveControl(), c.from);
    // The same root again, in other letters, and picked from the history: one item.
    std::string upper = root;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    Browse(c, upper);
    PickFromHistory(c, 0);
    EXPECT_EQ(c.root->Count(), 1);
    EXPECT_EQ(c.root->Text(), root);

    // From 2 To 2: exactly the second level.
    Build(c, "2", "2");
    EXPECT_EQ(Sorted(Include(t).Items()), Under({"a\\b", "e\\f"}));
    EXPECT_EQ(t.lists(*frmMain).Description().c.includeCount->Text(), "2");
    // From 3 To 2, and From 0: nothing, each with its warning; the list stays.
    seam.Answer(t.noResults.caption, IDOK);
    Build(c, "3", "2");
    seam.Answer(t.noResults.caption, IDOK);
    Build(c, "0", "2");
    EXPECT_EQ(CaptionsContaining(t.noResults.number).size(), 2u);
    ExpectShown({{t.noResults.number, 0x30, kNoResults, t.noResults.caption}});
    // A level that is no whole number: the error box, and nothing added.
    Type(*c.from, "1");
    Type(*c.to, "x");
    seam.Answer("Vextil", IDOK);
    Press(*c.build);
    EXPECT_EQ(seam.Last().text, "'x' is not a valid integer value.");
    EXPECT_EQ(Include(t).Count(), 2);

    // Above 2, all in the path: the first level joins; what is listed stays once.
    Choose(*c.above);
    EXPECT_FALSE(c.from->Enabled());
    EXPECT_EQ(c.to->Text(), "1");
    Type(*c.aboveLevel, "2");
    Choose(*c.allInThePath);
    Press(*c.build);
    Strings got = Include(t).Items();
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(Sorted(Strings(got.begin(), got.begin() + 2)), Under({"a\\b", "e\\f"}));
    EXPECT_EQ(Sorted(Strings(got.begin() + 2, got.end())), Under({"a", "d", "e"}));
    // Below 1, only the last, with a filter: the leaf whose own name holds it.
    Choose(*c.below);
    Choose(*c.onlyTheLast);
    Type(*c.filter, " C ");
    Press(*c.build);
    EXPECT_EQ(Include(t).Items().back(), root + "\\a\\b\\c");
    EXPECT_EQ(Include(t).Count(), 6);
  }
}

TEST_F(LevelBuilderTest, AnEmptyOrMissingRootIsToldByEachCommandWithItsOwnBox) {
  for (const Twin& t : Twins()) {
    SCOPED_TRACE(t.name);
    seam.boxes.clear();
    seam.modalForms.clear();
    const LevelBuilderControls& c = Open(t);
    // Browse cancelled: no summary, the validation's warning.
    seam.Answer(t.rootEmpty.caption, IDOK);
    Browse(c, "");
    EXPECT_TRUE(seam.modalForms.empty());
    EXPECT_EQ(c.root->Count(), 0);
    // Build a List and View with only blanks typed.
    Type(*c.root, "  ");
    seam.Answer(t.buildEmpty.caption, IDOK);
    Press(*c.build);
    seam.Answer(t.viewEmpty.caption, IDOK);
    Press(*c.view);
    // View opens only a folder that exists; Build a List on a missing one finds nothing.
    Type(*c.root, root + "\\a\\x.txt");
    seam.Answer(t.notAFolder.caption, IDOK);
    Press(*c.view);
    Type(*c.root, root + "\\gone");
    seam.Answer(t.noResults.caption, IDOK);
    Press(*c.build);
    EXPECT_TRUE(seam.shellOpens.empty());
    Type(*c.root, " " + root + " ");
    Press(*c.view);
    EXPECT_EQ(seam.shellOpens, Strings{root + "||"});
    seam.shellOpens.clear();
    EXPECT_EQ(Include(t).Count(), 0);
    ExpectShown({{t.rootEmpty.number, 0x30, kEmpty, t.rootEmpty.caption},
                 {t.buildEmpty.number, 0x30, kEmpty, t.buildEmpty.caption},
                 {t.viewEmpty.number, 0x30, kEmpty, t.viewEmpty.caption},
                 {t.notAFolder.number, 0x30, kNotAFolder, t.notAFolder.caption},
                 {t.noResults.number, 0x30, kNoResults, t.noResults.caption}});
    EXPECT_EQ(seam.boxes.size(), 5u);
  }
}

TEST_F(LevelBuilderTest, ResultsWithoutADriveAreToldOnceAndARefusedResultIsSkippedAndNamed) {
  // A root typed without a drive lists folders without one: one box, nothing
  // added, and the build's closing box names each with why. The Delete page
  // first refuses results of three characters or fewer (a bare drive could be
  // one), with one box too.
  tree.AddFolder("S\\one\\two\\three");
  const char* const notTaken[] = {"0606", "0627", "0660"};
  int page = 0;
  for (const Twin& t : Twins()) {
    SCOPED_TRACE(t.name);
    const LevelBuilderControls& c = Open(t);
    const std::string here = testsupport::CurrentDirectory();
    SetCurrentDirectoryA(tree.Path().c_str());
    const bool delete_ = std::string(t.name) == "Delete";
    const std::string closing = std::string("no: ") + notTaken[page++];
    if (delete_) seam.Answer("no: 0335", IDOK);
    if (!delete_) seam.Answer(t.noDrive.caption, IDOK);
    seam.Answer(closing, IDOK);
    Type(*c.root, "R");  // R\a, R\d, R\e
    Build(c, "1", "1");
    const std::string short_ = delete_ ? "3 characters or fewer: the entire disk can not be deleted" : "no drive letter";
    EXPECT_EQ(seam.Last().text.rfind("Not every entry was added to the INCLUDE list !\n\n0 entries added.\n"
                                     "3 entries not taken :\n",
                                     0),
              0u)
        << seam.Last().text;
    for (const char* result : {"R\\a", "R\\d", "R\\e"}) EXPECT_TRUE(Names(seam.Last(), result, short_)) << result;
    seam.Answer(t.noDrive.caption, IDOK);
    seam.Answer(closing, IDOK);
    Type(*c.root, "S");  // S\one\two, the last folder of its branch within the levels
    Build(c, "1", "2");
    SetCurrentDirectoryA(here.c_str());
    EXPECT_NE(seam.Last().text.find("1 entry not taken :"), std::string::npos) << seam.Last().text;
    EXPECT_TRUE(Names(seam.Last(), "S\\one\\two", "no drive letter")) << seam.Last().text;
    EXPECT_EQ(CaptionsContaining(t.noDrive.number).size(), delete_ ? 1u : 2u);
    ExpectShown({{t.noDrive.number, 0x30, kNoDrive, t.noDrive.caption}});
    EXPECT_EQ(Include(t).Count(), 0);
  }
  ExpectShown({{"0335", 0x30, "The Entire disk can't be Deleted !\n",
                "Delete Folder(s).-From a Folder List.             Warning no: 0335."}});
  EXPECT_EQ(CaptionsContaining("0335").size(), 1u);

  // The page's rule judges each result; one it refuses (here the folder listed
  // already under another spelling) is skipped without a box of its own, the
  // build goes on, and one closing box names it and says how many were added.
  const std::vector<Twin> twins = Twins();
  const struct {
    const Twin& twin;
    const char *inInclude, *notTaken;
  } pages[] = {{twins[0], "0185", "0606"}, {twins[1], "0220", "0627"}, {twins[2], "0263", "0660"}};
  for (const auto& p : pages) {
    SCOPED_TRACE(p.twin.name);
    const LevelBuilderControls& c = Open(p.twin);
    PickWith(*p.twin.lists(*frmMain).Description().c.add, tree / "S\\one\\two\\");
    Type(*c.root, tree / "S");
    Choose(*c.allInThePath);
    seam.Answer("no: " + std::string(p.notTaken), IDOK);
    const size_t before = seam.boxes.size();
    Build(c, "1", "3");
    EXPECT_EQ(Include(p.twin).Items(), (Strings{tree / "S\\one\\two\\", tree / "S\\one", tree / "S\\one\\two\\three"}));
    EXPECT_TRUE(CaptionsContaining(p.inInclude).empty());
    ASSERT_EQ(seam.boxes.size(), before + 1);
    EXPECT_EQ(seam.Last().caption.find("no: " + std::string(p.notTaken)) != std::string::npos, true);
    EXPECT_EQ(seam.Last().text, "Not every entry was added to the INCLUDE list !\n\n2 entries added.\n"
                                "1 entry not taken :\n\nthe same folder as " + tree / "S\\one\\two\\" +
                                    ", listed already : 1\n   " + tree / "S\\one\\two" + "\n");
  }
}

// Whatever the page's rule or its lists refuse is skipped and named with why
// in the build's one closing box, and every other result is added: a folder
// listed already (as typed, or spelt otherwise), one in the EXCLUDE list, a
// protected folder (here the program's start-up folder), a name ending in a
// dot and a path too long for the runs.
TEST_F(LevelBuilderTest, EachPageAddsEveryResultItsRuleTakesAndNamesTheOthersInOneBox) {
  const std::string root = tree.AddFolder("P");
  for (const char* name : {"a", "b", "c", "d", "x"}) tree.AddFolder(std::string("P\\") + name);
  // The program starts again with its start-up folder below the root.
  const std::string startup = tree.AddFolder("P\\m");
  core::Settings().SetStartupDirectory(startup);
  ASSERT_TRUE(core::SaveClass(dir->Path() + "\\default.set").Save());
  StopProgram();
  StartProgram();
  ASSERT_EQ(core::Settings().GetStartupDirectory(), startup);
  Strings refused = {root + "\\m"};
  // A path of 255 characters, and (where Wine shows it) a name ending in a dot.
  const std::string long_ = root + "\\" + std::string(255 - root.size() - 1, 'L');
  if (CreateDirectoryA(long_.c_str(), nullptr)) refused.push_back(long_);
  if (testsupport::UnderWine() &&
      testsupport::RunUnix("/bin/mkdir \"" + testsupport::UnixPathOf(root) + "/dot.\"")) {
    for (int i = 0; i < 200 && ListTree(root).find("dot.\\\n") == std::string::npos; ++i) Sleep(50);
    if (ListTree(root).find("dot.\\\n") != std::string::npos) refused.push_back(root + "\\dot.");
    // A name no path reaches: it would name P itself through "..".
    if (testsupport::MakeUnixEntry(root, "..\\P", true)) refused.push_back(root + "\\..\\P");
  }
  const char* const notTaken[] = {"0606", "0627", "0660"};
  int page = 0;
  for (const Twin& t : Twins()) {
    SCOPED_TRACE(t.name);
    const LevelBuilderControls& c = Open(t);
    ListPair& lists = t.lists(*frmMain);
    // b spelt otherwise and c as the build finds it, in the include list; x in the exclude list.
    for (const char* listed : {"P\\b\\", "P\\c", "P\\x"}) PickWith(*lists.Description().c.add, tree / listed);
    lists.Include().SetSelected(2, true);
    Press(*lists.Description().c.incToExc);
    ASSERT_EQ(lists.Exclude().Items(), Strings{root + "\\x"});

    Type(*c.root, root);
    const size_t before = seam.boxes.size();
    seam.Answer(std::string("no: ") + notTaken[page++], IDOK);
    Build(c, "1", "1");
    const Strings held = Include(t).Items();
    ASSERT_EQ(held.size(), 4u);
    EXPECT_EQ(Strings(held.begin(), held.begin() + 2), (Strings{root + "\\b\\", root + "\\c"}));
    EXPECT_EQ(Sorted(Strings(held.begin() + 2, held.end())), (Strings{root + "\\a", root + "\\d"}));
    ASSERT_EQ(seam.boxes.size(), before + 1);  // the closing box alone
    const testsupport::ShownBox& box = seam.Last();
    EXPECT_EQ(box.flags, 0x30u);
    EXPECT_EQ(box.text.rfind("Not every entry was added to the INCLUDE list !\n\n2 entries added.\n" +
                                 std::to_string(3 + refused.size()) + " entries not taken :\n",
                             0),
              0u)
        << box.text;
    EXPECT_TRUE(Names(box, root + "\\b", "the same folder as " + root + "\\b\\, listed already")) << box.text;
    EXPECT_TRUE(Names(box, root + "\\c", "listed already")) << box.text;
    EXPECT_TRUE(Names(box, root + "\\x", "in the EXCLUDE list")) << box.text;
    EXPECT_TRUE(Names(box, root + "\\m", "the protected folder " + startup)) << box.text;
    // A long entry is named by its start and its end, and whole, with every
    // entry the box has no room to name, in the whole list it names.
    const testsupport::WholeList whole = testsupport::WholeListOf(box.text);
    for (const std::string& entry : refused) {
      if (box.text.find("\n   " + core::ListedName(entry) + "\n") == std::string::npos) {
        EXPECT_TRUE(whole.read) << entry << "\n" << box.text;
      }
      if (core::ListedNameCut(entry)) {
        EXPECT_TRUE(whole.read) << box.text;
      }
      if (whole.read) {
        EXPECT_NE(whole.Reason(entry), "(not listed)") << entry;
      }
    }
    EXPECT_EQ(box.text.find("not read"), std::string::npos) << box.text;
  }
}

TEST_F(LevelBuilderTest, ClearFieldsReturnsTheStartStateAndMethodRadiosSwitchWhatCanBeUsed) {
  for (const Twin& t : Twins()) {
    SCOPED_TRACE(t.name);
    const LevelBuilderControls& c = Open(t);
    const ListPairControls& lists = t.lists(*frmMain).Description().c;
    // As designed: every method button on, the builder's controls too.
    EXPECT_TRUE(lists.smartImport->Enabled());
    EXPECT_TRUE(lists.add->Enabled());
    EXPECT_TRUE(c.build->Enabled());
    EXPECT_FALSE(c.aboveLevel->Enabled());

    // A root, a list, other choices; then Clear Fields.
    Browse(c, root);
    Choose(*c.allInThePath);
    Build(c, "1", "1");
    ASSERT_EQ(Include(t).Count(), 3);
    Choose(*c.below);
    Type(*c.belowLevel, "3");
    Type(*c.filter, "b");
    seam.Answer(t.clearAsk, IDYES);
    seam.Answer(t.clearEnd, IDOK);
    if (t.clearHint) seam.Answer(t.clearHint, IDOK);
    Press(t.clear(*frmMain));
    EXPECT_TRUE(c.makeListSelector->Checked());
    EXPECT_FALSE(c.makeListImport->Checked() || c.addToListManually->Checked());
    EXPECT_EQ(c.root->Count(), 0);
    EXPECT_EQ(c.root->Text(), "");
    EXPECT_EQ(c.filter->Text(), "");
    EXPECT_TRUE(c.fromTo->Checked());
    EXPECT_FALSE(c.above->Checked() || c.below->Checked());
    for (ui::Edit* e : {c.from, c.to, c.aboveLevel, c.belowLevel}) EXPECT_EQ(e->Text(), "1");
    for (ui::Control* on : std::initializer_list<ui::Control*>{c.rootLabel, c.root, c.browse, c.view})
      EXPECT_TRUE(on->Enabled());
    for (ui::Control* off : std::initializer_list<ui::Control*>{c.fromTo, c.above, c.below, c.from, c.to, c.levelLabel,
                                                                c.filter, c.build, c.onlyTheLast, c.allInThePath})
      EXPECT_FALSE(off->Enabled());
    EXPECT_FALSE(c.onlyTheLast->Checked() || c.allInThePath->Checked());
    EXPECT_EQ(Include(t).Count(), 0);
    // The Delete page's root switch turns Import off as well.
    EXPECT_EQ(lists.smartImport->Enabled(), !t.clearTurnsImportOff);

    // Each method radio leaves its own way on.
    Choose(*c.makeListImport);
    EXPECT_FALSE(c.root->Enabled());
    EXPECT_TRUE(lists.smartImport->Enabled());
    EXPECT_FALSE(lists.add->Enabled());
    EXPECT_EQ(frmMain->ActiveControl(), lists.smartImport);
    Choose(*c.addToListManually);
    EXPECT_FALSE(lists.smartImport->Enabled());
    EXPECT_TRUE(lists.add->Enabled());
    EXPECT_EQ(frmMain->ActiveControl(), lists.add);
    // Back to the builder: the level controls wait for a root.
    Choose(*c.makeListSelector);
    EXPECT_TRUE(c.browse->Enabled());
    EXPECT_FALSE(c.build->Enabled());
    EXPECT_FALSE(lists.smartImport->Enabled() || lists.add->Enabled());
    EXPECT_EQ(frmMain->ActiveControl(), c.browse);
    Browse(c, root);
    EXPECT_TRUE(c.build->Enabled());
    EXPECT_TRUE(c.onlyTheLast->Checked());
    Choose(*c.makeListImport);
    EXPECT_FALSE(c.build->Enabled());
    Choose(*c.makeListSelector);
    EXPECT_TRUE(c.build->Enabled());
  }
}

TEST_F(LevelBuilderTest, UpDownsWrapFromTheirMaximumWhereTheirPageSaysSo) {
  for (const Twin& t : Twins()) {
    SCOPED_TRACE(t.name);
    const LevelBuilderControls& c = Open(t);
    Browse(c, root);
    const struct {
      ui::RadioButton* rule;
      ui::Edit* edit;
    } numbers[] = {{c.fromTo, c.from}, {c.fromTo, c.to}, {c.above, c.aboveLevel}, {c.below, c.belowLevel}};
    for (int i = 0; i < 4; ++i) {
      Choose(*numbers[i].rule);
      Type(*numbers[i].edit, "999");
      ASSERT_TRUE(testsupport::CanReach(numbers[i].edit->Handle(), "pressed the up arrow in"));
      SendMessageA(numbers[i].edit->Handle(), WM_KEYDOWN, VK_UP, 1);  // the up arrow key in the field
      EXPECT_EQ(numbers[i].edit->Text(), t.wraps[i] == 'w' ? "1" : "999") << i;
      SendMessageA(numbers[i].edit->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    }
  }
}

TEST_F(LevelBuilderTest, CopyRootSummaryCountsTheSelectedFilesAndRunsThePagesPreview) {
  const Twin t = Twins()[2];
  const LevelBuilderControls& c = Open(t);
  CopyPage& p = frmMain->Vol08;
  PickWith(p.btnVol08AddFolderToList, tree.AddFolder("Main"));
  Summary s = Browse(c, root);
  // "Main Folders and their Subfolders": the root counts.
  EXPECT_EQ(s.folders, "7");
  EXPECT_EQ(s.files, "1");
  EXPECT_EQ(p.lblVol08FoldersToCopy.Text(), "1");
  seam.Answer("no: 0277", IDOK);  // the option's one-time hint
  Choose(p.rdoVol08AttachSubFoldersOnlyWithFiles);
  s = Browse(c, root);
  EXPECT_EQ(s.folders, "6");
}

} // namespace
