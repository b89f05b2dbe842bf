// The undo record of the three creation pages, one table for the twins: it
// holds what the last run made, and its undo takes back only the folders that
// run made, as the run left them.
#include "tests/app/creation_page_fixture.h"

#include <set>

using namespace creationtest;

namespace {

class UndoRecordTest : public CreationPageTest {
public:
  // The destination through the page's Browse, as a user picks it.
  void Pick(ui::Button& browse, const std::string& folder) { PickWith(browse, folder); }
};

// One creation page: how it is filled to make item i of the test's folders
// (together with the items before it), its buttons and its message numbers.
struct CreationTwin {
  const char* name;
  ui::TabSheet* sheet;
  TResultsWindow* window;
  // Readies the page for the folders below dest (a destination where it has one).
  std::function<void(UndoRecordTest&, const testsupport::TempDir& dest)> start;
  // Adds item i: the next run makes items 0 .. i.
  std::function<void(const testsupport::TempDir& dest, int i)> add;
  // The folder item i makes, below dest.
  std::function<std::string(int i)> folder;
  ui::Button *create, *simulate, *undo;
  const char *runAsk, *runEnd, *simAsk, *simEnd, *nothing, *undoAsk, *report, *undoEnd;
};

std::vector<CreationTwin> Twins() {
  TfrmMain& m = *frmMain;
  const char* names[] = {"a", "b", "c"};
  return {
      {"string list", &m.tabFolderCreate03, frmStatistic02,
       [](UndoRecordTest& t, const testsupport::TempDir& dest) { t.Pick(frmMain->Vol02.btnVol02AddDestFolder, dest.Path()); },
       [names](const testsupport::TempDir&, int i) {
         testsupport::Type(frmMain->Vol02.edtVol02AddToList, names[i]);
         Press(frmMain->Vol02.btnVol02AddToList);
       },
       [names](int i) { return std::string(names[i]); }, &m.Vol02.btnVol02CreateFolders,
       &m.Vol02.btnVol02CreateFoldersSimulation, &m.Vol02.btnVol02Undo, "0025", "0026", "0455", "0457", "0028",
       "0029", "0030", "0031"},
      {"increased numbers", &m.tabFolderCreate04, frmStatistic03,
       [](UndoRecordTest& t, const testsupport::TempDir& dest) { t.Pick(frmMain->Vol03.btnVol03AddDestFolder, dest.Path()); },
       [](const testsupport::TempDir&, int i) {
         testsupport::Type(frmMain->Vol03.edtVol03StartNumber, "1");
         testsupport::Type(frmMain->Vol03.edtVol03EndNumber, std::to_string(i + 1));
         frmMain->Vol03.edtVol03Prefix.SetFocus();
       },
       [](int i) { return std::to_string(i + 1); }, &m.Vol03.btnVol03CreateFolders,
       &m.Vol03.btnVol03CreateFoldersSimulation, &m.Vol03.btnVol03Undo, "0093", "0094", "0465", "0467", "0096",
       "0097", "0098", "0099"},
      {"path list", &m.tabFolderCreate05, frmStatistic04, [](UndoRecordTest&, const testsupport::TempDir&) {},
       [names](const testsupport::TempDir& dest, int i) {
         testsupport::Type(frmMain->Vol04.edtVol04AddToList, dest / names[i]);
         Press(frmMain->Vol04.btnVol04AddToList);
       },
       [names](int i) { return std::string(names[i]); }, &m.Vol04.btnVol04CreateFolders,
       &m.Vol04.btnVol04CreateFoldersSimulation, &m.Vol04.btnVol04Undo, "0061", "0062", "0473", "0475", "0067",
       "0068", "0069", "0070"},
  };
}

// Run A, then run B, which finds A's folder there ("already exists") and makes
// one more: a simulation and a run answered No leave B's record, Undo takes
// back B's folder only, and a second Undo has nothing left to take back.
TEST_F(UndoRecordTest, EachCreationPageUndoesItsLastRunOnly) {
  for (const CreationTwin& page : Twins()) {
    SCOPED_TRACE(page.name);
    testsupport::TempDir own;
    frmMain->pgeMain.SetActivePage(page.sheet);
    page.start(*this, own);
    page.add(own, 0);
    Run(*page.create, page.runAsk, page.runEnd);
    ASSERT_TRUE(FolderExists(own / page.folder(0)));
    page.add(own, 1);
    Run(*page.create, page.runAsk, page.runEnd);
    ASSERT_TRUE(FolderExists(own / page.folder(1)));
    EXPECT_EQ(page.window->List(TResultsWindow::kFoldersExists).Items(), Strings{own / page.folder(0)});
    Run(*page.simulate, page.simAsk, page.simEnd);
    seam.Answer(page.runAsk, IDNO);
    Press(*page.create);

    seam.Answer(page.undoAsk, IDYES);
    seam.Answer(page.undoEnd, IDOK);
    Press(*page.undo);
    EXPECT_EQ(ListTree(own.Path()), page.folder(0) + "\\\n");
    EXPECT_EQ(Box(page.report), nullptr);
    seam.Answer(page.nothing, IDOK);
    Press(*page.undo);
    EXPECT_NE(seam.Last().caption.find(std::string("Warning no: ") + page.nothing), std::string::npos)
        << seam.Last().caption;
    EXPECT_EQ(ListTree(own.Path()), page.folder(0) + "\\\n");
  }
}

// A folder the run made, removed by the user and made again (empty, or with a
// file of theirs in it), is another folder: Undo leaves it and says why; the
// run's folder nobody touched goes.
TEST_F(UndoRecordTest, AFolderRemovedAndMadeAgainStaysAtUndoWithWhy) {
  const std::set<std::string> remadeEmpty = {
      "another folder has its name now (the one the run made is gone)",
      "changed since the run made it (something was added to it or taken out of it, or another folder was made "
      "in its place)"};
  const std::set<std::string> remadeWithFile = {"another folder has its name now (the one the run made is gone)",
                                                "the folder is not empty"};
  for (const CreationTwin& page : Twins()) {
    SCOPED_TRACE(page.name);
    testsupport::TempDir own;
    frmMain->pgeMain.SetActivePage(page.sheet);
    page.start(*this, own);
    for (int i = 0; i < 3; ++i) page.add(own, i);
    Run(*page.create, page.runAsk, page.runEnd);
    RemakeFolder(own, page.folder(0));
    RemakeFolder(own, page.folder(1), "mine.txt");

    seam.Answer(page.undoAsk, IDYES);
    seam.Answer(page.report, IDOK);
    seam.Answer(page.undoEnd, IDOK);
    Press(*page.undo);
    EXPECT_EQ(ListTree(own.Path()),
              page.folder(0) + "\\\n" + page.folder(1) + "\\\n" + page.folder(1) + "\\mine.txt\n");
    const testsupport::ShownBox* report = Box(page.report);
    ASSERT_NE(report, nullptr);
    // Each folder that stays, named under its reason.
    const std::string& text = report->text;
    for (int i = 0; i < 2; ++i) {
      const std::string why = testsupport::ListedReason(text, own / page.folder(i));
      EXPECT_EQ((i == 0 ? remadeEmpty : remadeWithFile).count(why), 1u) << why << "\n" << text;
    }
    EXPECT_EQ(text.find(own / page.folder(2)), std::string::npos) << text;
  }
}

} // namespace
