// Every box that lists items, filled with thousands of them, shown in a real
// message box at 96 and at 120 DPI: the whole box, its buttons included, lies
// inside the work area of the screens the program is made for.
#include "tests/app/creation_page_fixture.h"

#include "core/listing_box.h"
#include "listwin/frmFileSelection.h"
#include "listwin/frmStatistic.h"
#include "listwin/frmSubFolderListBuilder.h"
#include "listwin/run_binding.h"
#include "support/box_measure.h"
#include "support/wine_unix.h"

#include <fstream>

using namespace creationtest;
using testsupport::FitsOn;
using testsupport::MeasureBox;

namespace {

// Measures a box at both screens; false (with what was wrong) when it does not fit.
::testing::AssertionResult FitsBothScreens(const std::string& text, const std::string& caption, unsigned flags) {
  for (const testsupport::Screen& screen : {testsupport::kScreen96, testsupport::kScreen120}) {
    const testsupport::MeasuredBox box = MeasureBox(text, caption, flags, screen.dpi);
    if (!FitsOn(box, screen))
      return ::testing::AssertionFailure()
             << screen.dpi << " DPI: box " << box.size.cx << " x " << box.size.cy << " (" << box.textLines
             << " lines), buttons " << box.buttons.left << "," << box.buttons.top << "-" << box.buttons.right << ","
             << box.buttons.bottom << ", work area " << screen.work.cx << " x " << screen.work.cy << "\n"
             << text.substr(0, 3000);
  }
  return ::testing::AssertionSuccess();
}

// Names as wide as a code page can spell them: the widest letter ("‰"), with
// and without places where a line may break.
std::string Wide(size_t n, char breakEvery = 0) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += (breakEvery && i % 12 == 11) ? breakEvery : '\x89';
  return s;
}

using ListingBoxes = CreationPageTest;

// The composer alone, fed the worst it can be fed: every box that lists items
// is made by it, so what holds here holds for the text of each.
TEST_F(ListingBoxes, TheComposerFitsTheScreenForAnyNamesAndReasons) {
  const std::string question =
      "Do you want to delete PERMANENTLY :\n\n{}\nThere is NO UNDO : deleted folders and files can not be "
      "restored.\n\nClick YES to Continue deleting,\nClick NO to Stop the delete process.";
  struct Case {
    const char* what;
    std::string frame;
    std::vector<core::ListedSection> sections;
  };
  auto paths = [](const std::string& reason, size_t count, const std::function<std::string(size_t)>& name) {
    core::ListedGroup g{reason, {}, count};
    for (size_t i = 0; i < count && i < core::kListingNamesKept; ++i) g.names.push_back(name(i));
    return g;
  };
  auto plain = [&](size_t i) { return dir->Path() + "\\Folder " + std::to_string(i % 10) + "\\link" + std::to_string(i); };
  std::vector<core::ListedGroup> manyReasons;
  for (int r = 0; r < 60; ++r)
    manyReasons.push_back(paths("reason number " + std::to_string(r) + " with some words about why it was kept", 200, plain));
  const std::vector<Case> cases = {
      {"5,000 plain paths of one reason", question,
       {{"Kept, never deleted", {paths("a link (its name leads to another place)", 5000, plain)}}}},
      {"60 reasons of 200 each", question, {{"Kept, never deleted", manyReasons}}},
      {"four lists", question,
       {{"Folders of the EXCLUDE list lying inside them (deleted with them)", {paths("", 3000, plain)}},
        {"Listed Main Folders kept (they lie inside another listed folder)", {paths("", 3000, plain)}},
        {"Kept, never deleted", manyReasons},
        {"Not found", {paths("", 3000, plain)}}}},
      {"widest letters, breaking", "{}",
       {{"Not done for other reasons", {paths(Wide(200, '\\'), 4000, [](size_t) { return Wide(300, '\\'); }),
                                        paths(Wide(90, ' '), 4000, [](size_t) { return Wide(300, '-'); })}}}},
      {"widest letters, never breaking", "{}",
       {{"", {paths(Wide(250), 4000, [](size_t) { return Wide(255); }), paths("", 30, [](size_t) { return Wide(255); })}}}},
      {"a long frame", std::string(30, 'x') + "\n" + Wide(400, ' ') + "\n\n{}\n" + Wide(200, ' '),
       {{"Not found", {paths("", 3000, plain)}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string text = core::ListingBoxText(c.frame, c.sections, "the Visual Log, list OTHER REASONS.");
    EXPECT_TRUE(FitsBothScreens(text, "Listing.            Warning no: 0000.", 0x124));
    // Every count in full.
    for (const core::ListedSection& s : c.sections)
      if (!s.heading.empty()) EXPECT_NE(text.find(s.heading + " : " + std::to_string(s.Count())), std::string::npos);
  }
}

// The boxes the pages showed whose caption holds one of the numbers, each
// measured at both screens.
void ExpectEveryBoxFits(const std::vector<testsupport::ShownBox>& boxes, const std::vector<std::string>& numbers) {
  for (const std::string& number : numbers) {
    SCOPED_TRACE(number);
    const testsupport::ShownBox* shown = nullptr;
    for (const testsupport::ShownBox& b : boxes)
      if (b.caption.find("no: " + number) != std::string::npos) shown = &b;
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(FitsBothScreens(shown->text, shown->caption, shown->flags));
  }
}

// Ten folders holding 5,000 links and names this system cannot address, and
// a few files the delete takes: its questions, its simulation and its end.
TEST_F(ListingBoxes, TheDeleteQuestionsAndEndBoxesOverThousandsOfKeptEntries) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "odd names and links are made on the Linux side";
  tree.AddFolder("Target");
  ASSERT_TRUE(testsupport::RunUnixScriptIn(
      tree.Path(),
      "for d in 0 1 2 3 4 5 6 7 8 9; do mkdir -p F$d && cd F$d && for i in $(seq 1 100); do mkdir \"x$i.\"; "
      "touch \"y$i \" \"a\\\\$i\" \"greek-\xCE\xB1$i\" p$i.txt; ln -s ../Target l$i; done; cd ..; done; touch done",
      "done"));
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersDelete01);
  DeletePage& p = frmMain->Vol07;
  for (int d = 0; d < 10; ++d) PickWith(p.btnVol07AddFoldersToList, tree / ("F" + std::to_string(d)));
  testsupport::Choose(p.rdoVol07DeleteCompleteFolders);
  seam.Answer("0625", IDYES);
  seam.Answer("0626", IDOK);
  Press(p.btnVol07DeleteFoldersSimulation);
  seam.Answer("0621", IDYES);
  seam.Answer("0622", IDYES);
  seam.Answer("0623", IDOK);
  Press(p.btnVol07DeleteFolders);
  EXPECT_FALSE(FileExists(tree / "F0\\p1.txt"));
  ASSERT_NE(Box("0621"), nullptr);
  EXPECT_NE(Box("0621")->text.find("Kept, never deleted : "), std::string::npos) << Box("0621")->text;
  EXPECT_NE(Box("0623")->text.find("The whole list : the Visual Log"), std::string::npos) << Box("0623")->text;
  ExpectEveryBoxFits(seam.boxes, {"0621", "0622", "0623", "0625", "0626"});
}

// A structure holding 2,000 names this system cannot address, added on the
// copy and the string-list pages, and copied; 1,000 copied files changed
// since, kept by the copy's undo.
TEST_F(ListingBoxes, TheStructureAndCopyUndoBoxesOverThousandsOfEntries) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "odd names are made on the Linux side";
  tree.AddFolder("Odd");
  ASSERT_TRUE(testsupport::RunUnixScriptIn(
      tree / "Odd",
      "for i in $(seq 1 500); do touch \"f$i.\" \"b\\\\$i.txt\" \"\xCE\xB1$i.txt\" \"nul.$i\"; done; touch done.txt",
      "done.txt"));
  tree.AddFolder("Plain");
  ASSERT_TRUE(testsupport::RunUnixScriptIn(tree / "Plain", "for i in $(seq 1 1000); do echo $i > f$i.txt; done; echo > z.txt",
                                           "z.txt"));
  const std::string c1 = dest.AddFolder("C1");
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersCopy02);
  CopyPage& p = frmMain->Vol08;
  PickWith(p.btnVol08AddFolderToList, c1);
  seam.Answer("no: 0277", IDOK);
  seam.OnModal(frmFileSelection, [](ui::Form&) {
    testsupport::Type(frmFileSelection->cboFileManNames, "*.*");
    Press(frmFileSelection->btnFileManOK);
    return IDOK;
  });
  testsupport::Choose(p.rdoVol08AttachMainFolderWithFiles);
  seam.Answer("no: 0661", IDOK);
  PickWith(p.btnVol08AddFolderStructure, tree / "Odd");
  seam.Answer("no: 0651", IDYES);
  seam.Answer("no: 0652", IDOK);
  Press(p.btnVol08CopyFolders);
  ExpectEveryBoxFits(seam.boxes, {"0661", "0651", "0652"});

  // The plain structure copied, then every copy changed by the user.
  p.lstVol08AddFolderStructure.Clear();
  PickWith(p.btnVol08AddFolderStructure, tree / "Plain");
  seam.Answer("no: 0651", IDYES);
  seam.Answer("no: 0652", IDOK);
  Press(p.btnVol08CopyFolders);
  ASSERT_TRUE(FileExists(c1 + "\\Plain\\f1000.txt"));
  for (int i = 1; i <= 1000; ++i) testsupport::WriteFile(c1 + "\\Plain\\f" + std::to_string(i) + ".txt", "mine");
  seam.Answer("no: 0291", IDYES);
  seam.Answer("no: 0292", IDOK);
  seam.Answer("no: 0293", IDOK);
  Press(p.btnVol08Undo);
  ASSERT_NE(Box("0292"), nullptr);
  const std::string& report = Box("0292")->text;
  EXPECT_NE(report.find("changed since the copy (its size, time or content): kept as yours : 1000\n"),
            std::string::npos) << report.substr(0, 2000);
  EXPECT_NE(report.find("The whole list : the Visual Log"), std::string::npos);
  // The whole list: each item and its reason.
  EXPECT_EQ(frmStatistic08->List(6).Count(), 2 * 1001);
  ExpectEveryBoxFits(seam.boxes, {"0292"});

  // The string-list page names the same structure's entries when it is added.
  frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate03);
  PickWith(frmMain->Vol02.btnVol02AddDestFolder, dest.Path());
  frmMain->Vol02.edtVol02AddToList.SetText("n");
  Press(frmMain->Vol02.btnVol02AddToList);
  testsupport::Choose(frmMain->Vol02.rdoVol02AttachMainFolderWithFiles);
  seam.Answer("0740", IDOK);
  PickWith(frmMain->Vol02.btnVol02AddFolderStructure, tree / "Odd");
  ExpectEveryBoxFits(seam.boxes, {"0740"});
}

// A hundred folders the numbers page made, each filled by the user since: its
// undo keeps them all and says so, naming the first.
TEST_F(ListingBoxes, TheCreationUndoReportOverAHundredFoldersKept) {
  frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate04);
  NumbersPage& p = frmMain->Vol03;
  PickWith(p.btnVol03AddDestFolder, dest.Path());
  testsupport::Type(p.edtVol03StartNumber, "1");
  testsupport::Type(p.edtVol03EndNumber, "100");
  p.edtVol03Prefix.SetFocus();
  Run(p.btnVol03CreateFolders, "0093", "0094");
  for (int i = 1; i <= 100; ++i) testsupport::WriteFile(dest / (std::to_string(i) + "\\mine.txt"), "mine");
  seam.Answer("0097", IDYES);
  seam.Answer("0098", IDOK);
  seam.Answer("0099", IDOK);
  Press(p.btnVol03Undo);
  ASSERT_NE(Box("0098"), nullptr);
  EXPECT_NE(Box("0098")->text.find("the folder is not empty : 100\n"), std::string::npos) << Box("0098")->text;
  EXPECT_EQ(frmStatistic03->List(TResultsWindow::kFoldersOther).Count(), 200);
  ExpectEveryBoxFits(seam.boxes, {"0098"});
}

// Three hundred folders renamed, their old names taken again since: the
// rename undo names the first and lists them all in the Visual Log.
TEST_F(ListingBoxes, TheRenameUndoReportOverThreeHundredFolders) {
  unscriptedBoxes = true;  // the list file's own boxes
  std::string lines;
  for (int i = 0; i < 300; ++i) lines += tree.AddFolder("R\\folder" + std::to_string(i)) + "\r\n";
  const std::string file = dir->AddFile("list.txt", lines);
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersRename01);
  RenamePage& p = frmMain->Vol06;
  seam.ChooseFile(file);
  Press(p.btnVol06LoadFrom);
  ASSERT_EQ(p.lstVol06IncludeFolderList.Count(), 300);
  testsupport::Type(p.edtVol06NewPrefix, "new");
  Run(p.btnVol06RenameFolders, "no: 0602", "no: 0604");
  for (int i = 0; i < 300; ++i) tree.AddFolder("R\\folder" + std::to_string(i));
  seam.Answer("no: 0212", IDYES);
  seam.Answer("no: 0213", IDOK);
  seam.Answer("no: 0214", IDOK);
  Press(p.btnVol06Undo);
  ASSERT_NE(Box("0213"), nullptr);
  EXPECT_NE(Box("0213")->text.find("DESTINATION FOLDERS DO EXISTS : 300\n"), std::string::npos) << Box("0213")->text;
  EXPECT_EQ(frmStatistic06->List(2).Count(), 300);
  ExpectEveryBoxFits(seam.boxes, {"0213"});
}

// The subfolder list builder over a folder holding 3,000 folders no path
// reaches: its closing box counts them by reason after those it added.
TEST_F(ListingBoxes, TheBuildersClosingBoxOverThousandsOfFoldersLeftOut) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "odd names are made on the Linux side";
  const std::string src = tree.AddFolder("src");
  tree.AddFolder("src\\plain");
  ASSERT_TRUE(testsupport::RunUnixScriptIn(
      src, "for i in $(seq 1 1000); do mkdir \"d$i.\" \"b\\\\$i\" \"\xCE\xB1$i\"; done; mkdir done", "done"));
  ASSERT_FALSE(BuildSubFolderList(src).empty());
  EXPECT_NE(Box("0588")->text.find("2 entries added.\n3000 entries not taken :\n\n"), std::string::npos)
      << Box("0588")->text;
  EXPECT_NE(Box("0588")->text.find(" (it ends in a dot or a blank) : 1000\n"), std::string::npos) << Box("0588")->text;
  ExpectEveryBoxFits(seam.boxes, {"0588"});
}

} // namespace
