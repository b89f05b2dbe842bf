// The list half both list pages share, driven once through a table of the pages' differences.
#include "app/frmMain.h"
#include "listwin/frmEditIncludeList.h"
#include "support/press.h"
#include "support/program_fixture.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using testsupport::Press;
using testsupport::ProgramTest;

namespace {

using Strings = std::vector<std::string>;

// One page's list half as a user meets it.
struct PageRow {
  const char* name;
  ui::TabSheet TfrmMain::*sheet;
  std::function<ListPair&()> lists;
  std::function<ui::Button&()> save, open;
  const char* clearQuestion;  // the list file's "clear the list?" question
  std::function<std::string(const std::string& dir, const std::string& name)> entry;
};

class ListPairTest : public ProgramTest {
protected:
  std::vector<PageRow> Pages() {
    return {
        {"strings", &TfrmMain::tabFolderCreate03, [] () -> ListPair& { return frmMain->Vol02.Lists; },
         [] () -> ui::Button& { return frmMain->Vol02.btnVol02Save; },
         [] () -> ui::Button& { return frmMain->Vol02.btnVol02Open; }, "0014",
         [](const std::string&, const std::string& name) { return name; }},
        {"paths", &TfrmMain::tabFolderCreate05, [] () -> ListPair& { return frmMain->Vol04.Lists; },
         [] () -> ui::Button& { return frmMain->Vol04.btnVol04Save; },
         [] () -> ui::Button& { return frmMain->Vol04.btnVol04Open; }, "0050",
         [](const std::string& dir, const std::string& name) { return dir + "\\" + name; }},
    };
  }
  // Opens the page (the string page after its destination is chosen).
  ListPair& Open(const PageRow& page) {
    frmMain->pgeMain.SetActivePage(&(frmMain->*page.sheet));
    if (page.sheet == &TfrmMain::tabFolderCreate03) {
      seam.PickFolder(dir->Path());
      Press(frmMain->Vol02.btnVol02AddDestFolder);
    }
    return page.lists();
  }
  // Keys typed into the Add field where the caret and selection stand, then Enter.
  static void TypeAndEnter(ListPair& lists, const std::string& text) {
    HWND field = lists.Description().c.addField->Handle();
    SetFocus(field);
    for (char c : text) PostMessageA(field, WM_CHAR, static_cast<unsigned char>(c), 0);
    PostMessageA(field, WM_KEYDOWN, VK_RETURN, 0);
    ui::App().ProcessMessages();
  }
};

TEST_F(ListPairTest, AfterAnAddTheNextTypedNameReplacesTheAddedOne) {
  for (const PageRow& page : Pages()) {
    ListPair& lists = Open(page);
    const std::string alpha = page.entry(dir->Path(), "alpha"), beta = page.entry(dir->Path(), "beta");
    TypeAndEnter(lists, alpha);
    EXPECT_EQ(lists.Description().c.addField->Text(), alpha) << page.name;
    TypeAndEnter(lists, beta);
    EXPECT_EQ(lists.Include().Items(), (Strings{alpha, beta})) << page.name;
  }
}

// Whatever long entries a page takes, its own list file gives them back whole.
TEST_F(ListPairTest, AListComesBackWholeFromItsOwnListFile) {
  for (const PageRow& page : Pages()) {
    ListPair& lists = Open(page);
    const std::string base = page.entry(dir->Path(), "");
    for (size_t length : {254, 255, 300}) {
      lists.Description().c.addField->SetText(base + std::string(length - base.size(), 'n'));
      Press(*lists.Description().c.add);
    }
    const Strings held = lists.Include().Items();
    ASSERT_FALSE(held.empty()) << page.name;
    const std::string file = dir->Path() + "\\" + page.name + ".txt";
    seam.ChooseFile(file);
    Press(page.save());
    seam.ChooseFile(file);
    seam.Answer(page.clearQuestion, IDYES);
    Press(page.open());
    EXPECT_EQ(lists.Include().Items(), held) << page.name;
  }
}

TEST_F(ListPairTest, TheStringPageRefusesTooLongAnEntryWhereItIsTyped) {
  ListPair& lists = Open(Pages()[0]);
  lists.Description().c.addField->SetText(std::string(255, 'x'));
  Press(*lists.Description().c.add);
  EXPECT_EQ(seam.Last().caption, "Creating Folder(s).-From a String List.            Warning no: 0015.");
  EXPECT_EQ(lists.Include().Count(), 0);
}

// The editor takes what Add takes, no more.
TEST_F(ListPairTest, TheEditorTakesOnlyWhatTheRuleTakes) {
  for (const PageRow& page : Pages()) {
    ListPair& lists = Open(page);
    const std::string ok = page.entry(dir->Path(), "ok");
    TfrmEditIncludeList* editor = lists.Description().editor();
    seam.Answer("no: 0161", IDYES);  // the lines it cannot take are named; Yes takes the others
    seam.OnModal(editor, [&](ui::Form&) {
      editor->mmoEditIncludeList.SetText(ok + "\r\nC:\r\nbad?name\r\n" + page.entry(dir->Path(), "con") + "\r\n" +
                                         std::string(300, 'L'));
      Press(editor->btnEditOk);
      return 0;
    });
    Press(*lists.Description().c.editList);
    EXPECT_EQ(lists.Include().Items(), (Strings{ok})) << page.name;
    EXPECT_NE(seam.Last().text.find("4 entries not taken :"), std::string::npos) << seam.Last().text;
  }
}

} // namespace

namespace {

// What the folder pages ask of the binding: "<" and "<<" through the rule, every
// entry judged (one without a drive part too); a refused entry stays in the
// exclude list, "<" leaves the telling to the rule, "<<" names them all in one box.
TEST_F(ListPairTest, MovesThatAskTheRuleKeepARefusedEntryAndFinishThePass) {
  ListPair& page = Open(Pages()[0]);
  ListPairDescription d = page.Description();
  std::vector<std::string> asked;
  d.rule = [&](ListRoad) -> EntryJudge {
    return [&](const std::string& entry) {
      asked.push_back(entry);
      if (entry == "C:\\no") return Verdict::Refuse("refused by the page");
      if (entry.find(':') == std::string::npos) return Verdict::Refuse("no drive letter");
      return Verdict::Take();
    };
  };
  d.excToIncAsks = d.allFromExcAsks = d.movesNeedDrive = true;
  ListPair folders(frmMain, d);  // rebinds the page's list controls for this test
  for (ui::Button* move : {d.c.excToInc, d.c.allFromExc}) {
    folders.Include().Clear();
    folders.Exclude().Clear();
    folders.Exclude().AddStrings({"C:\\a", "C:\\no", "rel", "C:\\b"});
    folders.Exclude().SelectAll();
    asked.clear();
    const size_t boxes = seam.boxes.size();
    Press(*move);
    EXPECT_EQ(folders.Include().Items(), (Strings{"C:\\a", "C:\\b"})) << move->Text();
    EXPECT_EQ(folders.Exclude().Items(), (Strings{"C:\\no", "rel"})) << move->Text();
    EXPECT_EQ(asked, (Strings{"C:\\a", "C:\\b", "C:\\no", "rel"})) << move->Text();
    EXPECT_EQ(d.c.includeCount->Text(), "2");
    if (move == d.c.excToInc) {
      EXPECT_EQ(seam.boxes.size(), boxes);
    } else {
      ASSERT_EQ(seam.boxes.size(), boxes + 1);
      EXPECT_EQ(seam.Last().caption, "Creating Folder(s).-From a String List.            Warning no: 0010.");
      EXPECT_EQ(seam.Last().text,
                "Not every entry was added to the INCLUDE list !\n\n2 entries not taken :\n\n"
                "refused by the page : 1\n   C:\\no\nno drive letter : 1\n   rel\n");
    }
  }
}

} // namespace
