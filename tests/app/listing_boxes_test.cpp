// Every box that lists items, filled with thousands of them, shown in a real
// message box at 96 and at 120 DPI: the whole box, its buttons included, lies
// inside the work area of the screens the program is made for, and every item
// it leaves out is where it says the whole list is, with its reason.
#include "tests/app/creation_page_fixture.h"

#include "core/listing_box.h"
#include "core/settings_store.h"
#include "listwin/frmEditIncludeList.h"
#include "listwin/frmFileImport.h"
#include "listwin/frmFileSelection.h"
#include "listwin/frmStatistic.h"
#include "listwin/frmSubFolderListBuilder.h"
#include "listwin/run_binding.h"
#include "support/box_measure.h"
#include "support/whole_list.h"
#include "support/wine_unix.h"

#include <fstream>
#include <map>

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
    for (size_t i = 0; i < count && i < 40; ++i) g.names.push_back(name(i));
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
  EXPECT_EQ(frmStatistic06->List(2).Count(), 2 * 300);  // each with why
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

// ---- Where the whole list is ------------------------------------------------------
// A box that leaves an item unnamed or cuts a name says where the whole list
// is, and every item is there with its reason: a list of the Visual Log that
// holds them all, or the text file the box writes into the folder "whole
// lists" beside the settings file.

// The lines of a box that count ("reason : n", "heading : n"), with their counts.
std::map<std::string, size_t> CountedLines(const std::string& text) {
  std::map<std::string, size_t> out;
  for (size_t from = 0; from < text.size();) {
    size_t end = text.find('\n', from);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(from, end - from);
    from = end + 1;
    const size_t colon = line.rfind(" : "), indent = line.find_first_not_of(' ');
    if (colon == std::string::npos || indent == std::string::npos || colon + 3 >= line.size() ||
        line.find_first_not_of("0123456789", colon + 3) != std::string::npos)
      continue;
    out[line.substr(indent, colon - indent)] = std::stoul(line.substr(colon + 3));
  }
  return out;
}

// The box names file, in the folder of whole lists beside the settings file,
// as its whole list; every reason and list the box counts stands there with
// as many items as the box tells, and each of items stands there under the
// reason the box gives it where it names it.
::testing::AssertionResult HoldsAll(const testsupport::ShownBox& box, const std::string& file,
                                    const Strings& items = Strings()) {
  const testsupport::WholeList whole = testsupport::WholeListOf(box.text);
  const std::string expected = core::Settings().GetStartupDirectory() + "\\whole lists\\" + file;
  if (whole.where != expected)
    return ::testing::AssertionFailure() << "names \"" << whole.where << "\", not " << expected << "\n" << box.text;
  if (!whole.read) return ::testing::AssertionFailure() << "no file " << whole.where;
  size_t counted = 0;
  for (const auto& [words, n] : CountedLines(box.text)) {
    if (whole.counts.count(words) == 0) continue;  // the box's own counts above its lists
    ++counted;
    const auto listed = whole.listed.find(words);
    if (whole.counts.at(words) != n || listed == whole.listed.end() || listed->second != n)
      return ::testing::AssertionFailure() << "\"" << words << "\": the box counts " << n << ", the file "
                                           << whole.counts.at(words) << " and lists "
                                           << (listed == whole.listed.end() ? 0 : listed->second);
  }
  if (counted == 0) return ::testing::AssertionFailure() << "the file holds none of the box's lists\n" << box.text;
  for (const std::string& item : items) {
    const std::string reason = whole.Reason(item);
    if (reason == "(not listed)") return ::testing::AssertionFailure() << "not in the file: " << item;
    const std::string shown = testsupport::ListedReason(box.text, core::ListedName(item));
    if (shown != "(not listed)" && shown != core::ListedName(reason))
      return ::testing::AssertionFailure() << item << ": \"" << shown << "\" in the box, \"" << reason
                                           << "\" in the file";
  }
  return ::testing::AssertionSuccess();
}

// Every bulk road of the five list pages, thousands of entries left out:
// the closing box counts them by reason and names the file holding them all.
TEST_F(ListingBoxes, EveryBulkRoadNamesTheFileHoldingAllItLeftOutEachWithWhy) {
  struct Road {
    const char* box;
    ui::TabSheet TfrmMain::*sheet;
    ListPair& (*lists)();
  };
  const Road roads[] = {
      {"0010", &TfrmMain::tabFolderCreate03, []() -> ListPair& { return frmMain->Vol02.Lists; }},
      {"0045", &TfrmMain::tabFolderCreate05, []() -> ListPair& { return frmMain->Vol04.Lists; }},
      {"0606", &TfrmMain::tabFoldersRename01, []() -> ListPair& { return frmMain->Vol06.Lists; }},
      {"0627", &TfrmMain::tabFoldersDelete01, []() -> ListPair& { return frmMain->Vol07.Lists; }},
      {"0660", &TfrmMain::tabFoldersCopy02, []() -> ListPair& { return frmMain->Vol08.Lists; }},
  };
  for (const Road& road : roads) {
    SCOPED_TRACE(road.box);
    frmMain->pgeMain.SetActivePage(&(frmMain->*road.sheet));
    const bool strings = road.sheet == &TfrmMain::tabFolderCreate03;
    if (strings) PickWith(frmMain->Vol02.btnVol02AddDestFolder, dest.Path());
    // Two reasons on each page, 1,500 entries each.
    Strings refused;
    for (int i = 0; i < 1500; ++i) {
      refused.push_back(strings ? "c:\\x" + std::to_string(i) : "rel" + std::to_string(i));
      refused.push_back(strings ? "a|b" + std::to_string(i) : tree / ("n" + std::to_string(i) + "|"));
    }
    std::string text;
    for (const std::string& line : refused) text += line + "\r\n";
    const std::string file = dir->AddFile("import.txt", text);
    seam.Answer("no: 0451", IDOK);  // the import window's own end boxes of its preview and import
    seam.Answer("no: 0450", IDOK);
    seam.Answer(road.box, IDOK);
    seam.OnModal(frmFileImport, [file, this](ui::Form&) {
      seam.ChooseFile(file);
      Press(frmFileImport->btnFileImportBrowse);
      Press(frmFileImport->btnFileImportFrom);
      Press(frmFileImport->btnFileImportOk);
      return 0;
    });
    Press(*road.lists().Description().c.smartImport);
    const testsupport::ShownBox* box = Box(road.box);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(box->text.find("3000 entries not taken :\n"), std::string::npos) << box->text;
    EXPECT_TRUE(HoldsAll(*box, "entries not taken.txt", refused));
    ExpectEveryBoxFits(seam.boxes, {road.box});
  }
}

// The include list's editor, 3,000 lines refused each for a reason of its
// own: its question names the first reasons and the file holding them all
// (it closed with "... and N more reasons" naming nothing).
TEST_F(ListingBoxes, TheEditorsQuestionNamesTheFileHoldingEveryLineItCannotTake) {
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersDelete01);
  Strings lines, refused;
  for (int i = 0; i < 3000; ++i) refused.push_back(tree / ("n" + std::to_string(i) + "<"));
  lines = refused;
  lines.push_back(tree.AddFolder("fine"));
  seam.OnModal(frmVol07EditIncludeList, [&](ui::Form&) {
    frmVol07EditIncludeList->mmoEditIncludeList.SetLines(lines);
    seam.Answer("no: 0161", IDYES);
    Press(frmVol07EditIncludeList->btnEditOk);
    return 0;
  });
  Press(frmMain->Vol07.btnVol07EditIncludeList);
  EXPECT_EQ(frmMain->Vol07.lstVol07IncludeFolderList.Items(), Strings{tree / "fine"});
  const testsupport::ShownBox* box = Box("0161");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(box->text.find(" more reasons : "), std::string::npos) << box->text;
  EXPECT_TRUE(HoldsAll(*box, "entries not taken.txt", refused));
  const testsupport::WholeList whole = testsupport::WholeListOf(box->text);
  EXPECT_EQ(whole.title, "Whole list : " + box->caption);
  for (int i = 0; i < 3000; i += 999)
    EXPECT_EQ(whole.Reason(refused[i]), "the name \"n" + std::to_string(i) + "<\" holds the character <");
  ExpectEveryBoxFits(seam.boxes, {"0161"});
}

// The delete questions over 300 listed Main Folders kept inside another, 300
// excluded folders deleted with it and 300 folders not found: no list of the
// Visual Log holds the first two, so the questions name the file holding all
// three lists, whole.
TEST_F(ListingBoxes, TheDeleteQuestionsNameTheFileHoldingEveryListTheyCount) {
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersDelete01);
  DeletePage& p = frmMain->Vol07;
  const std::string top = tree.AddFolder("Top");
  Strings kept, excluded, missing, lines{top};
  for (int i = 0; i < 300; ++i) {
    kept.push_back(tree.AddFolder("Top\\k" + std::to_string(i)));
    excluded.push_back(tree.AddFolder("Top\\x" + std::to_string(i)));
    missing.push_back(tree / ("Gone" + std::to_string(i)));
  }
  for (const Strings* s : {&kept, &excluded, &missing}) lines.insert(lines.end(), s->begin(), s->end());
  seam.OnModal(frmVol07EditIncludeList, [&](ui::Form&) {
    frmVol07EditIncludeList->mmoEditIncludeList.SetLines(lines);
    Press(frmVol07EditIncludeList->btnEditOk);
    return 0;
  });
  Press(p.btnVol07EditIncludeList);
  ASSERT_EQ(p.lstVol07IncludeFolderList.Count(), 901);
  // The x folders go to the exclude list.
  for (int i = 0; i < p.lstVol07IncludeFolderList.Count(); ++i)
    if (p.lstVol07IncludeFolderList.Item(i).find("\\Top\\x") != std::string::npos)
      p.lstVol07IncludeFolderList.SetSelected(i, true);
  Press(p.btnVol07IncToExc);
  ASSERT_EQ(p.lstVol07ExcludeFolderList.Count(), 300);
  testsupport::Choose(p.rdoVol07DeleteSubFolders);
  const std::string before = Snapshot(tree.Path());
  // Each question's file, read while it is the last question asked.
  auto check = [&](const char* number) {
    SCOPED_TRACE(number);
    const testsupport::ShownBox* box = Box(number);
    ASSERT_NE(box, nullptr);
    Strings all = kept;
    all.insert(all.end(), excluded.begin(), excluded.end());
    all.insert(all.end(), missing.begin(), missing.end());
    EXPECT_TRUE(HoldsAll(*box, "delete question.txt", all));
    const testsupport::WholeList whole = testsupport::WholeListOf(box->text);
    EXPECT_EQ(whole.title, "Whole list : " + box->caption);
    EXPECT_EQ(whole.Reason(kept[299]), "Listed Main Folders kept (they lie inside another listed folder)");
    EXPECT_EQ(whole.Reason(excluded[299]), "Folders of the EXCLUDE list lying inside them (deleted with them)");
    EXPECT_EQ(whole.Reason(missing[299]), "Not found");
    EXPECT_EQ(whole.items.size(), 900u);
  };
  seam.Answer("0625", IDYES);
  seam.Answer("0626", IDOK);
  Press(p.btnVol07DeleteFoldersSimulation);
  check("0625");
  seam.Answer("0621", IDNO);
  Press(p.btnVol07DeleteFolders);
  check("0621");
  EXPECT_EQ(Snapshot(tree.Path()), before);
  ExpectEveryBoxFits(seam.boxes, {"0625", "0621"});
}

// Two structures copied into fifty Main Folders lying inside the first: the
// fifty pairs not copied into themselves are in no list of the Visual Log,
// and the questions name the file holding them all.
TEST_F(ListingBoxes, TheCopyQuestionsNameTheFileHoldingEveryPairNotCopiedIntoItself) {
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersCopy02);
  CopyPage& p = frmMain->Vol08;
  const std::string s1 = tree.AddFolder("S1"), s2 = tree.AddFolder("S2\\inner");
  Strings mains, pairs;
  for (int i = 0; i < 50; ++i) {
    mains.push_back(tree.AddFolder("S1\\m" + std::to_string(i)));
    pairs.push_back(s1 + "  ->  " + mains.back());
  }
  seam.OnModal(frmVol08EditIncludeList, [&](ui::Form&) {
    frmVol08EditIncludeList->mmoEditIncludeList.SetLines(mains);
    Press(frmVol08EditIncludeList->btnEditOk);
    return 0;
  });
  Press(p.btnVol08EditIncludeList);
  ASSERT_EQ(p.lstVol08IncludeFolderList.Count(), 50);
  PickWith(p.btnVol08AddFolderStructure, s1);
  PickWith(p.btnVol08AddFolderStructure, tree / "S2");
  Run(p.btnVol08CopyFoldersSimulation, "no: 0658", "no: 0659");
  seam.Answer("no: 0651", IDNO);
  Press(p.btnVol08CopyFolders);
  EXPECT_EQ(frmStatistic08->List(6).Count(), 0);  // none of them is a failure of the copy
  for (const char* number : {"0658", "0651"}) {
    SCOPED_TRACE(number);
    const testsupport::ShownBox* box = Box(number);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(HoldsAll(*box, "copy question.txt", pairs));
    EXPECT_EQ(testsupport::WholeListOf(box->text).Reason(pairs[49]), "Not copied into itself (skipped)");
  }
  ExpectEveryBoxFits(seam.boxes, {"0658", "0651"});
}

// A structure of a thousand folders no path reaches, copied into 101 Main
// Folders: 101,000 entries not done for other reasons, more than the Visual
// Log's list holds, so the end box names the file holding them all.
TEST_F(ListingBoxes, PastTheVisualLogsBoundTheCopyEndBoxNamesTheFileHoldingEveryEntry) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "odd names are made on the Linux side";
  tree.AddFolder("Odd");
  ASSERT_TRUE(testsupport::RunUnixScriptIn(tree / "Odd", "for i in $(seq 1 1000); do mkdir \"d$i.\"; done; mkdir done",
                                           "done"));
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersCopy02);
  CopyPage& p = frmMain->Vol08;
  Strings mains;
  for (int i = 0; i < 101; ++i) mains.push_back(dest.AddFolder("M" + std::to_string(i)));
  seam.OnModal(frmVol08EditIncludeList, [&](ui::Form&) {
    frmVol08EditIncludeList->mmoEditIncludeList.SetLines(mains);
    Press(frmVol08EditIncludeList->btnEditOk);
    return 0;
  });
  Press(p.btnVol08EditIncludeList);
  testsupport::Choose(p.rdoVol08AttachSubFoldersOnlyWithoutFiles);
  seam.Answer("no: 0661", IDOK);
  PickWith(p.btnVol08AddFolderStructure, tree / "Odd");
  Run(p.btnVol08CopyFoldersSimulation, "no: 0658", "no: 0659");
  const ui::ListBox& other = frmStatistic08->List(6);
  ASSERT_EQ(other.Count(), static_cast<int>(2 * RunBinding::kMaxListed) + 1);  // each with why, then the last line
  const testsupport::ShownBox* box = Box("0659");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text.find("The whole list : the Visual Log"), std::string::npos) << box->text;
  Strings last;  // the entries of the last Main Folder: beyond the Visual Log's list
  for (int i = 1; i <= 1000; i += 111) last.push_back(mains[100] + "\\d" + std::to_string(i) + ".");
  EXPECT_TRUE(HoldsAll(*box, "copy end.txt", last));
  EXPECT_EQ(testsupport::WholeListOf(box->text).items.size(), 101000u);
  ExpectEveryBoxFits(seam.boxes, {"0659"});
}

// Files a creation run copied, changed by the user since: the undo keeps them
// and names them in its report and, each with why, in the Visual Log, whose
// title says that it shows what the Undo kept.
TEST_F(ListingBoxes, TheCreationUndoNamesEveryCopiedFileItKeepsAndTheWindowSaysSo) {
  for (int i = 0; i < 40; ++i) tree.AddFile("S\\f" + std::to_string(i) + ".txt", "copied");
  frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate03);
  StringListPage& p = frmMain->Vol02;
  PickWith(p.btnVol02AddDestFolder, dest.Path());
  for (int i = 0; i < 25; ++i) {
    p.edtVol02AddToList.SetText("n" + std::to_string(i));
    Press(p.btnVol02AddToList);
  }
  testsupport::Choose(p.rdoVol02AttachMainFolderWithFiles);
  PickWith(p.btnVol02AddFolderStructure, tree / "S");
  Run(p.btnVol02CreateFolders, "0025", "0026");
  Strings changed;
  for (int i = 0; i < 25; ++i)
    for (int f = 0; f < 40; ++f) {
      changed.push_back(dest / ("n" + std::to_string(i) + "\\S\\f" + std::to_string(f) + ".txt"));
      testsupport::WriteFile(changed.back(), "the user's");
    }
  seam.Answer("0029", IDYES);
  seam.Answer("0030", IDOK);
  seam.Answer("0031", IDOK);
  Press(p.btnVol02Undo);
  for (const std::string& file : changed) ASSERT_EQ(ReadFile(file), "the user's");
  const testsupport::ShownBox* box = Box("0030");
  ASSERT_NE(box, nullptr);
  const std::string changedWhy = "changed since the copy (its size, time or content): kept as yours";
  EXPECT_NE(box->text.find("\n" + changedWhy + " : 1000\n"), std::string::npos) << box->text;
  EXPECT_NE(box->text.find("The whole list : the Visual Log, list Other reasons, each with why."), std::string::npos)
      << box->text;
  // The Visual Log: every file with the reason the box gives it, under a title that says why they are there.
  const std::vector<std::string> listed = frmStatistic02->List(TResultsWindow::kFoldersOther).Items();
  std::map<std::string, std::string> why;
  for (size_t i = 0; i + 1 < listed.size(); i += 2) why[listed[i]] = listed[i + 1];
  for (const std::string& file : changed) EXPECT_EQ(why[file], RunBinding::ReasonLine(changedWhy)) << file;
  EXPECT_EQ(why[dest / "n0"], RunBinding::ReasonLine("the folder is not empty"));
  EXPECT_NE(frmStatistic02->lblStatNormalSimulate.Text().find("Undo"), std::string::npos);
  frmStatistic02->ApplyNormalSimulateTitle();  // as the main window's next activation does
  EXPECT_NE(frmStatistic02->lblStatNormalSimulate.Text().find("what it kept"), std::string::npos);
  ExpectEveryBoxFits(seam.boxes, {"0030"});
  // The next run's title is its own again.
  Run(p.btnVol02CreateFoldersSimulation, "0455", "0457");
  EXPECT_EQ(frmStatistic02->lblStatNormalSimulate.Text(), "Simulate the Folder/File Creation Process.");
}

// Folders renamed, then half of them removed and the old names of the others
// taken again: the Visual Log lists each folder the undo leaves, in SOURCE
// and in DESTINATION as in OTHER, with why beneath it.
TEST_F(ListingBoxes, TheRenameUndoListsEachFolderItLeavesWithWhy) {
  Strings folders;
  for (int i = 0; i < 200; ++i) folders.push_back(tree.AddFolder("R\\f" + std::to_string(i)));
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersRename01);
  RenamePage& p = frmMain->Vol06;
  seam.OnModal(frmVol06EditIncludeList, [&](ui::Form&) {
    frmVol06EditIncludeList->mmoEditIncludeList.SetLines(folders);
    Press(frmVol06EditIncludeList->btnEditOk);
    return 0;
  });
  Press(p.btnVol06EditIncludeWindow);
  testsupport::Type(p.edtVol06NewPrefix, "new");
  Run(p.btnVol06RenameFolders, "no: 0602", "no: 0604");
  for (int i = 0; i < 200; ++i) {
    if (i % 2) tree.AddFolder("R\\f" + std::to_string(i));               // the old name taken again
    else testsupport::RemoveTree(tree / ("R\\newf" + std::to_string(i)));  // the renamed folder gone
  }
  seam.Answer("no: 0212", IDYES);
  seam.Answer("no: 0213", IDOK);
  seam.Answer("no: 0214", IDOK);
  Press(p.btnVol06Undo);
  const testsupport::ShownBox* box = Box("0213");
  ASSERT_NE(box, nullptr);
  for (int list : {1, 2}) {
    SCOPED_TRACE(list);
    const std::vector<std::string> items = frmStatistic06->List(list).Items();
    ASSERT_EQ(items.size(), 200u);
    for (size_t i = 0; i < items.size(); i += 2) {
      EXPECT_EQ(items[i + 1].rfind(RunBinding::ReasonLine(""), 0), 0u) << items[i] << "\n" << items[i + 1];
      EXPECT_GT(items[i + 1].size(), RunBinding::ReasonLine("").size());
    }
  }
  EXPECT_NE(box->text.find("each with why."), std::string::npos) << box->text;
  ExpectEveryBoxFits(seam.boxes, {"0213"});
}

// Entries no path reaches, by the thousand: the subfolder list builder's
// closing box and the boxes of a structure holding them (added on the
// string-list and copy pages, met again by a run) name the files holding
// every one with why, as many under each reason as the box counts.
TEST_F(ListingBoxes, TheBuilderAndStructureBoxesNameTheFilesHoldingEveryEntryNoPathReaches) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "odd names are made on the Linux side";
  const std::string src = tree.AddFolder("src");
  ASSERT_TRUE(testsupport::RunUnixScriptIn(
      src, "for i in $(seq 1 1000); do mkdir \"d$i.\" \"b\\\\$i\" \"\xCE\xB1$i\"; done; mkdir done", "done"));
  ASSERT_FALSE(BuildSubFolderList(src).empty());
  ASSERT_NE(Box("0588"), nullptr);
  EXPECT_TRUE(HoldsAll(*Box("0588"), "entries not taken.txt", {src + "\\d1000."}));
  EXPECT_EQ(testsupport::WholeListOf(Box("0588")->text).items.size(), 3000u);

  tree.AddFolder("Odd");
  ASSERT_TRUE(testsupport::RunUnixScriptIn(
      tree / "Odd", "for i in $(seq 1 500); do touch \"f$i.\" \"b\\\\$i.txt\" \"\xCE\xB1$i.txt\" \"nul.$i\"; done; touch done.txt",
      "done.txt"));
  const Strings some{tree / "Odd\\f1.", tree / "Odd\\f500.", tree / "Odd\\nul.250"};
  // The string-list page: added, then met by the run.
  frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate03);
  StringListPage& s = frmMain->Vol02;
  PickWith(s.btnVol02AddDestFolder, dest.Path());
  s.edtVol02AddToList.SetText("n");
  Press(s.btnVol02AddToList);
  testsupport::Choose(s.rdoVol02AttachMainFolderWithFiles);
  seam.Answer("0740", IDOK);
  PickWith(s.btnVol02AddFolderStructure, tree / "Odd");
  ASSERT_NE(Box("0740"), nullptr);
  EXPECT_TRUE(HoldsAll(*Box("0740"), "entries never copied.txt", some));
  EXPECT_EQ(testsupport::WholeListOf(Box("0740")->text).items.size(), 2000u);
  seam.Answer("0741", IDOK);
  Run(s.btnVol02CreateFolders, "0025", "0026");
  ASSERT_NE(Box("0741"), nullptr);
  EXPECT_TRUE(HoldsAll(*Box("0741"), "entries never copied.txt", some));
  // The copy page, the same structure added.
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersCopy02);
  CopyPage& c = frmMain->Vol08;
  PickWith(c.btnVol08AddFolderToList, dest.AddFolder("C1"));
  seam.Answer("no: 0277", IDOK);
  seam.OnModal(frmFileSelection, [](ui::Form&) {
    testsupport::Type(frmFileSelection->cboFileManNames, "*.*");
    Press(frmFileSelection->btnFileManOK);
    return IDOK;
  });
  testsupport::Choose(c.rdoVol08AttachMainFolderWithFiles);
  seam.Answer("no: 0661", IDOK);
  PickWith(c.btnVol08AddFolderStructure, tree / "Odd");
  ASSERT_NE(Box("0661"), nullptr);
  EXPECT_TRUE(HoldsAll(*Box("0661"), "entries never copied.txt", some));
  ExpectEveryBoxFits(seam.boxes, {"0588", "0740", "0741", "0661"});
}

} // namespace

