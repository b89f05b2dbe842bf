// Every road into the include list of the five list pages, as a user meets it:
// what a page does not take is never dropped without a word. The editor names
// the lines it cannot take and lets the user go back to them; the bulk roads
// (Smart Import, the hand-backs, "<<"; Import List in its own tests) end with
// one box naming what they left out and why. The three tree pages share one rule that takes
// any spelling of a folder and lists each folder once.
#include "tests/app/creation_page_fixture.h"

#include "listwin/frmEditIncludeList.h"
#include "listwin/frmFileImport.h"
#include "core/casefold.h"
#include "listwin/frmSubFolderListBuilder.h"

#include <algorithm>
#include <cctype>

using namespace creationtest;

namespace {

// One list page as the roads meet it.
struct RoadPage {
  const char* name;
  ui::TabSheet TfrmMain::*sheet;
  ListPair& (*lists)();
  std::string notTaken;       // caption of the page's closing box of a bulk road
  bool sorted;                // the include list keeps its entries sorted
  bool tree;                  // a Rename, Delete or Copy page
};

const std::string B12 = "            ";

std::vector<RoadPage> Pages() {
  return {
      {"strings", &TfrmMain::tabFolderCreate03, [] () -> ListPair& { return frmMain->Vol02.Lists; },
       "Creating Folder(s).-From a String List." + B12 + "Warning no: 0010.", true, false},
      {"paths", &TfrmMain::tabFolderCreate05, [] () -> ListPair& { return frmMain->Vol04.Lists; },
       "Creating Folder(s).-From a Folder List." + B12 + "Warning no: 0045.", true, false},
      {"rename", &TfrmMain::tabFoldersRename01, [] () -> ListPair& { return frmMain->Vol06.Lists; },
       "Rename Folder(s).-From a Folder List." + B12 + "Warning no: 0606.", false, true},
      {"delete", &TfrmMain::tabFoldersDelete01, [] () -> ListPair& { return frmMain->Vol07.Lists; },
       "Delete Folder(s).-From a Folder List." + B12 + "Warning no: 0627.", false, true},
      {"copy", &TfrmMain::tabFoldersCopy02, [] () -> ListPair& { return frmMain->Vol08.Lists; },
       "Copy Folder Structure(s).-From a Folder List - Level." + B12 + "Warning no: 0660.", false, true},
  };
}

class ListRoads : public CreationPageTest {
protected:
  // Opens the page (the string page after its destination is chosen).
  ListPair& Open(const RoadPage& page) {
    frmMain->pgeMain.SetActivePage(&(frmMain->*page.sheet));
    if (page.sheet == &TfrmMain::tabFolderCreate03 && !frmMain->Vol02.btnVol02EditIncludeList.Enabled()) {
      seam.PickFolder(dest.Path());
      Press(frmMain->Vol02.btnVol02AddDestFolder);
    }
    return page.lists();
  }
  // An entry the page takes, and two it refuses with the reasons it gives.
  std::string Good(const RoadPage& page, const std::string& name) {
    return page.name == std::string("strings") ? name : tree / name;
  }
  Strings Bad(const RoadPage& page) {
    if (page.name == std::string("strings")) return {"C:\\x", "a|b"};
    return {"rel", tree / "dot."};
  }
  // The include list as the page shows entries given in this order.
  static Strings Shown(const RoadPage& page, Strings entries) {
    if (page.sorted) std::sort(entries.begin(), entries.end());
    return entries;
  }
  // The smart import window reads a file of these lines and imports them.
  void SmartImport(ListPair& lists, const Strings& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    const std::string file = dir->AddFile("import.txt", text);
    seam.Answer("no: 0451", IDOK);  // the window's own end boxes of its preview and import
    seam.Answer("no: 0450", IDOK);
    seam.OnModal(frmFileImport, [file, this](ui::Form&) {
      seam.ChooseFile(file);
      Press(frmFileImport->btnFileImportBrowse);
      Press(frmFileImport->btnFileImportFrom);
      Press(frmFileImport->btnFileImportOk);
      return 0;
    });
    Press(*lists.Description().c.smartImport);
  }
  // The subfolder list builder hands these entries back.
  void BuilderHandBack(ListPair& lists, const Strings& entries) {
    seam.OnModal(frmSubFolderListBuilder, [entries](ui::Form&) {
      frmSubFolderListBuilder->lstIncludeFolderList.Clear();
      frmSubFolderListBuilder->lstIncludeFolderList.AddStrings(entries);
      Press(frmSubFolderListBuilder->BitBtn1);
      return 0;
    });
    Press(*lists.Description().c.subfolderBuilder);
  }
  // The boxes shown since first whose caption is caption.
  std::vector<const testsupport::ShownBox*> BoxesSince(size_t first, const std::string& caption) const {
    std::vector<const testsupport::ShownBox*> out;
    for (size_t i = first; i < seam.boxes.size(); ++i)
      if (seam.boxes[i].caption == caption) out.push_back(&seam.boxes[i]);
    return out;
  }
  // How many boxes the pages showed since first (the import window's own left out).
  size_t PageBoxesSince(size_t first) const {
    size_t n = 0;
    for (size_t i = first; i < seam.boxes.size(); ++i)
      n += seam.boxes[i].caption.rfind("Import File content.", 0) != 0;
    return n;
  }
  // The entry named under its reason.
  static bool Names(const testsupport::ShownBox& box, const std::string& entry) {
    return box.text.find("\n   " + entry + "\n") != std::string::npos;
  }
  static bool NamesUnder(const testsupport::ShownBox& box, const std::string& reason, const std::string& entry) {
    const size_t at = box.text.find("\n" + reason + " : ");
    return at != std::string::npos && box.text.find("\n   " + entry + "\n", at) != std::string::npos;
  }
};

// The editor's OK judges the lines; what it cannot take is named in a question:
// No goes back to the editor with its text, Yes takes the other lines.
TEST_F(ListRoads, TheEditorNamesTheLinesItCannotTakeAndNoGoesBackToThem) {
  for (const RoadPage& page : Pages()) {
    SCOPED_TRACE(page.name);
    ListPair& lists = Open(page);
    const std::string ok1 = Good(page, "ok1"), ok2 = Good(page, "ok2");
    const Strings bad = Bad(page);
    const std::string text = ok2 + "\r\n" + bad[0] + "\r\n" + ok1 + "\r\n" + bad[1] + "\r\n";
    TfrmEditIncludeList* editor = lists.Description().editor();
    const std::string question = editor->Twin().caption + B12 + "Warning no: 0161.";
    seam.Answer("no: 0161", IDNO);
    seam.OnModal(editor, [&](ui::Form&) {
      testsupport::Type(editor->mmoEditIncludeList, text);
      const size_t before = seam.boxes.size();
      Press(editor->btnEditOk);
      const auto asked = BoxesSince(before, question);
      EXPECT_EQ(seam.boxes.size(), before + 1);
      if (asked.size() == 1) {
        EXPECT_EQ(asked[0]->flags, 0x124u);
        EXPECT_EQ(asked[0]->text.rfind("Not every line can be taken into the INCLUDE list !\n\n2 entries not taken :", 0),
                  0u)
            << asked[0]->text;
        EXPECT_TRUE(Names(*asked[0], bad[0]) && Names(*asked[0], bad[1])) << asked[0]->text;
        EXPECT_NE(asked[0]->text.find("Click NO to go back to the list and correct it."), std::string::npos);
      }
      // Still open, its text as the user left it, the list untouched.
      EXPECT_TRUE(editor->Visible());
      EXPECT_EQ(editor->ModalResult(), 0);
      EXPECT_EQ(editor->mmoEditIncludeList.Text(), text);
      EXPECT_EQ(lists.Include().Count(), 0);
      // Mended: OK takes the list without a word.
      testsupport::Type(editor->mmoEditIncludeList, ok2 + "\r\n" + ok1 + "\r\n");
      Press(editor->btnEditOk);
      EXPECT_EQ(seam.boxes.size(), before + 1);
      return 0;
    });
    Press(*lists.Description().c.editList);
    EXPECT_EQ(lists.Include().Items(), Shown(page, {ok2, ok1}));

    // Yes takes what can be taken.
    seam.Answer("no: 0161", IDYES);
    seam.OnModal(editor, [&](ui::Form&) {
      testsupport::Type(editor->mmoEditIncludeList, bad[1] + "\r\n" + ok1 + "\r\n");
      Press(editor->btnEditOk);
      return 0;
    });
    Press(*lists.Description().c.editList);
    EXPECT_EQ(lists.Include().Items(), Strings{ok1});
    EXPECT_EQ(lists.Description().c.includeCount->Text(), "1");
  }
}

// Smart Import takes what the page takes and names the rest in one box.
TEST_F(ListRoads, SmartImportNamesWhatItLeftOutInOneBox) {
  for (const RoadPage& page : Pages()) {
    SCOPED_TRACE(page.name);
    ListPair& lists = Open(page);
    const std::string ok1 = Good(page, "ok1"), ok2 = Good(page, "ok2");
    const Strings bad = Bad(page);
    seam.Answer(page.notTaken, IDOK);
    const size_t before = seam.boxes.size();
    SmartImport(lists, {ok2, bad[0], ok1, bad[1]});
    EXPECT_EQ(lists.Include().Items(), Shown(page, {ok2, ok1}));
    const auto told = BoxesSince(before, page.notTaken);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(PageBoxesSince(before), 1u);
    EXPECT_EQ(told[0]->flags, 0x30u);
    EXPECT_EQ(told[0]->text.rfind("Not every entry was added to the INCLUDE list !\n\n2 entries not taken :", 0), 0u)
        << told[0]->text;
    EXPECT_TRUE(Names(*told[0], bad[0]) && Names(*told[0], bad[1])) << told[0]->text;
    // All taken: no box.
    SmartImport(lists, {Good(page, "ok3")});
    EXPECT_EQ(PageBoxesSince(before), 1u);
    // An entry listed already is skipped, and said so.
    seam.Answer(page.notTaken, IDOK);
    const size_t again = seam.boxes.size();
    SmartImport(lists, {ok1, Good(page, "ok4")});
    const auto dup = BoxesSince(again, page.notTaken);
    ASSERT_EQ(dup.size(), 1u);
    EXPECT_NE(dup[0]->text.find("1 entry not taken :\n\nlisted already : 1\n   " + ok1 + "\n"), std::string::npos)
        << dup[0]->text;
    EXPECT_EQ(lists.Include().Items().size(), 4u);
  }
}

// "<<" on the tree pages: an entry the rule refuses stays in the exclude list,
// named in one box.
TEST_F(ListRoads, MoveAllNamesWhatStaysInTheExcludeList) {
  for (const RoadPage& page : Pages()) {
    if (!page.tree) continue;
    SCOPED_TRACE(page.name);
    ListPair& lists = Open(page);
    const std::string ok1 = Good(page, "ok1"), ok2 = Good(page, "ok2");
    lists.Exclude().AddStrings({ok1, "rel", ok2, tree / "OK1\\"});
    seam.Answer(page.notTaken, IDOK);
    const size_t before = seam.boxes.size();
    Press(*lists.Description().c.allFromExc);
    EXPECT_EQ(lists.Include().Items(), (Strings{ok1, ok2}));
    EXPECT_EQ(lists.Exclude().Items(), (Strings{"rel", tree / "OK1\\"}));
    const auto told = BoxesSince(before, page.notTaken);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(seam.boxes.size(), before + 1);
    EXPECT_TRUE(Names(*told[0], "rel")) << told[0]->text;
    EXPECT_TRUE(NamesUnder(*told[0], "the same folder as " + ok1 + ", in the EXCLUDE list", tree / "OK1\\"))
        << told[0]->text;
  }
}

// The Delete page's hand-backs stop at a whole drive with 0334, the entries
// before it staying; the ones after it are named as not read.
TEST_F(ListRoads, TheDeleteHandBacksStopAtAWholeDrive) {
  const RoadPage page = Pages()[3];
  ListPair& lists = Open(page);
  const std::string a = tree / "a", b = tree / "b", c = tree / "c";
  const std::string k0334 = "Delete Folder(s).-From a Folder List." + B12 + "Warning no: 0334.";
  for (bool import : {false, true}) {
    SCOPED_TRACE(import ? "smart import" : "subfolder list builder");
    lists.Include().Clear();
    seam.Answer("no: 0334", IDOK);
    seam.Answer(page.notTaken, IDOK);
    const size_t before = seam.boxes.size();
    if (import)
      SmartImport(lists, {a, "C:\\", b, c});
    else
      BuilderHandBack(lists, {a, "c:", b, c});
    EXPECT_EQ(lists.Include().Items(), Strings{a});
    std::vector<const testsupport::ShownBox*> shown;
    for (size_t i = before; i < seam.boxes.size(); ++i)
      if (seam.boxes[i].caption.rfind("Import File content.", 0) != 0) shown.push_back(&seam.boxes[i]);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0]->caption, k0334);
    EXPECT_EQ(shown[0]->text, "You can not Enter a drive without Folder(s)!\nSo You can not Delete the Entire drive.");
    EXPECT_EQ(shown[1]->caption, page.notTaken);
    const std::string drive = import ? "C:\\" : "c:";
    EXPECT_NE(shown[1]->text.find("2 entries not taken :\n\nnot read: the list stopped at " + drive + " : 2\n   " + b +
                                  "\n   " + c + "\n"),
              std::string::npos)
        << shown[1]->text;
  }
  // The editor and "<<" refuse it too, named with the others.
  seam.Answer("no: 0161", IDYES);
  seam.OnModal(frmVol07EditIncludeList, [&](ui::Form&) {
    testsupport::Type(frmVol07EditIncludeList->mmoEditIncludeList, "C:\\\r\n" + b);
    Press(frmVol07EditIncludeList->btnEditOk);
    return 0;
  });
  Press(frmMain->Vol07.btnVol07EditIncludeList);
  EXPECT_EQ(lists.Include().Items(), Strings{b});
  EXPECT_TRUE(Names(*Box("0161"), "C:\\")) << Box("0161")->text;
}

// A folder written anew in the editor stays: the lines are judged as a whole new
// list, not against the entries they replace.
TEST_F(ListRoads, AnEntryWrittenAnewInTheEditorStays) {
  for (const RoadPage& page : Pages()) {
    if (!page.tree) continue;
    SCOPED_TRACE(page.name);
    ListPair& lists = Open(page);
    const std::string ok1 = tree / "hd\\ok1", ok2 = tree / "hd\\ok2", ok3 = tree / "hd\\ok3";
    std::string respelt = tree / "hd\\OK2\\";
    respelt[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(respelt[0])));
    TfrmEditIncludeList* editor = lists.Description().editor();
    for (const Strings& memo : {Strings{ok1, ok2, ok3}, Strings{ok1, respelt, ok3}}) {
      seam.OnModal(editor, [&](ui::Form&) {
        editor->mmoEditIncludeList.SetLines(memo);
        Press(editor->btnEditOk);
        return 0;
      });
      const size_t before = seam.boxes.size();
      Press(*lists.Description().c.editList);
      EXPECT_EQ(seam.boxes.size(), before);
      EXPECT_EQ(lists.Include().Items(), memo);
    }
  }
}

// One rule on the three tree pages: every spelling the run takes is taken,
// each folder once; an imported line is taken whole on every page.
TEST_F(ListRoads, TheTreePagesTakeEverySpellingTheRunTakesAndEachFolderOnce) {
  std::vector<Strings> lists, boxes;
  // A folder and its short (8.3) name, where the system gives it one.
  const std::string longName = dest.AddFolder("A Long Folder Name");
  char shortName[MAX_PATH] = "";
  GetShortPathNameA(longName.c_str(), shortName, MAX_PATH);
  const bool aliased = *shortName && !core::SameText(shortName, longName);
  for (const RoadPage& page : Pages()) {
    if (!page.tree) continue;
    SCOPED_TRACE(page.name);
    ListPair& l = Open(page);
    const std::string withBackslash = dest / "C\\";
    std::string slashes = dest / "a";
    std::replace(slashes.begin(), slashes.end(), '\\', '/');
    slashes[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(slashes[0])));
    const size_t before = seam.boxes.size();
    for (const std::string& picked : {withBackslash, slashes}) PickWith(*l.Description().c.add, picked);
    EXPECT_EQ(seam.boxes.size(), before) << "refused a spelling the run takes";
    EXPECT_EQ(l.Include().Items(), (Strings{withBackslash, slashes}));
    // The same folder once more, written otherwise: the page's "already listed".
    seam.Answer("no: 0", IDOK);
    PickWith(*l.Description().c.add, dest / "c");
    ASSERT_EQ(seam.boxes.size(), before + 1);
    EXPECT_NE(seam.Last().text.find("exists in the INCLUDE FOLDER LIST"), std::string::npos) << seam.Last().text;

    // One import: two spellings of one folder, a folder already listed, two paths
    // on one line, a folder and its short name.
    seam.Answer(page.notTaken, IDOK);
    SmartImport(l, {dest / "b", dest / "B\\", dest / "A", dest / "x " + dest / "y", longName, shortName});
    const Strings held = l.Include().Items();
    lists.push_back(held);
    boxes.push_back({seam.Last().caption == page.notTaken ? seam.Last().text : ""});
    EXPECT_EQ(held, (Strings{withBackslash, slashes, dest / "b", longName}));
    const std::string told = seam.Last().text;
    EXPECT_NE(told.find(aliased ? "4 entries not taken :" : "3 entries not taken :"), std::string::npos) << told;
    if (aliased) {
      EXPECT_NE(told.find("the same folder as " + longName), std::string::npos) << told;
      EXPECT_NE(told.find(std::string("\n   ") + shortName + "\n"), std::string::npos) << told;
    }
    EXPECT_NE(told.find("the same folder as " + dest / "b" + ", taken already : 1\n   " + dest / "B\\" + "\n"),
              std::string::npos)
        << told;
    EXPECT_NE(told.find("the same folder as " + slashes + ", listed already : 1\n   " + dest / "A" + "\n"),
              std::string::npos)
        << told;
    EXPECT_TRUE(Names(seam.Last(), dest / "x " + dest / "y")) << told;
  }
  ASSERT_EQ(lists.size(), 3u);
  EXPECT_EQ(lists[1], lists[0]);
  EXPECT_EQ(lists[2], lists[0]);
  EXPECT_EQ(boxes[1], boxes[0]);
  EXPECT_EQ(boxes[2], boxes[0]);
}

} // namespace

namespace {

// The tree pages keep their index of the listed folders from one road to the
// next: on a list of 30,000 entries each Add still refuses a folder listed
// under another spelling, one added by the road before, and one moved to the
// exclude list; and an entry that left the lists by another road is taken again.
TEST_F(ListRoads, TheTreePagesKnowEveryChangeOfALongListOnTheNextAdd) {
  const int count = 29998;
  for (const RoadPage& page : Pages()) {
    if (!page.tree) continue;
    SCOPED_TRACE(page.name);
    ListPair& l = Open(page);
    Strings entries;
    for (int i = 0; i < count; ++i) entries.push_back(dest / ("F" + std::to_string(100000 + i)));
    l.Include().Clear();
    l.Exclude().Clear();
    l.Include().AddStrings(entries);
    auto add = [&](const std::string& path, const char* refusal) {
      const size_t boxes = seam.boxes.size();
      if (refusal) seam.Answer("no: 0", IDOK);
      PickWith(*l.Description().c.add, path);
      if (!refusal) {
        EXPECT_EQ(seam.boxes.size(), boxes) << path;
        return;
      }
      ASSERT_EQ(seam.boxes.size(), boxes + 1) << path;
      EXPECT_NE(seam.Last().text.find(refusal), std::string::npos) << path << ": " << seam.Last().text;
    };
    const char* inInclude = "exists in the INCLUDE FOLDER LIST";
    const char* inExclude = "exists in the EXCLUDE FOLDER LIST";
    add(dest / "f100017\\", inInclude);
    add(dest / "Fresh", nullptr);
    add(dest / "FRESH\\", inInclude);
    EXPECT_EQ(l.Include().Count(), count + 1);
    // To the exclude list, and out of it.
    const int at = l.Include().IndexOf(dest / "F100017");
    ASSERT_GE(at, 0);
    l.Include().SetSelected(at, true);
    Press(*l.Description().c.incToExc);
    EXPECT_EQ(l.Exclude().Items(), (Strings{dest / "F100017"}));
    add(dest / "f100017", inExclude);
    l.Exclude().SetSelected(0, true);
    seam.Answer("no: 0", IDYES);
    Press(*l.Description().c.deleteSelected);
    EXPECT_EQ(l.Exclude().Count(), 0);
    add(dest / "f100017", nullptr);
    add(dest / "F100017\\", inInclude);
    EXPECT_EQ(l.Include().Count(), count + 1);
    l.Include().Clear();
  }
}

} // namespace
