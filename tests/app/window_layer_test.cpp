// The window layer where no page's test reaches it: real dialogs, created headless.
#include "app/test_forms.h"
#include "support/press.h"
#include "support/script_seam.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

class TestModal : public ui::Form {
public:
  TestModal() : ui::Form(IDD_TESTMODAL) {
    btnOK.ModalResult = IDOK;
    btnCancel.ModalResult = IDCANCEL;
    OnActivate = [] { g_log.push_back("modal activate"); };
    btnNest.OnClick = [this] {
      if (nested) g_log.push_back("nested result " + std::to_string(nested->ShowModal()));
    };
  }
  ui::Button btnNest{this, IDC_M_NEST};
  ui::Button btnOK{this, IDOK};
  ui::Button btnCancel{this, IDCANCEL};
  TestModal* nested = nullptr;
};

class TestForm : public ui::Form {
public:
  TestForm() : ui::Form(IDD_TESTFORM) {
    OnActivate = [] { g_log.push_back("activate"); };
    btnDefault.OnClick = [] { g_log.push_back("default"); };
  }
  ui::Button btnGo{this, IDC_T_GO};
  ui::Button btnDefault{this, IDC_T_DEFAULT};
  ui::Edit edt{this, IDC_T_EDT};
  ui::Memo mmo{this, IDC_T_MMO};
  ui::ListBox lst{this, IDC_T_LST};
  ui::ProgressBar prg{this, IDC_T_PRG};
};

TestForm* g_form = nullptr;
TestModal* g_modal = nullptr;
TestModal* g_modal2 = nullptr;

class WindowLayer : public ::testing::Test {
protected:
  void SetUp() override {
    g_log.clear();
    ui::App().Initialize();
    ui::App().CreateForm(g_form);
    ui::App().CreateForm(g_modal);
    ui::App().CreateForm(g_modal2);
    g_modal->nested = g_modal2;
    g_form->Show();
    ui::App().ProcessMessages();
  }
  void TearDown() override { ui::App().DestroyForms(); }
  void Key(UINT message, WPARAM key) {
    PostMessageA(g_form->edt.Handle(), message, key, 0);
    ui::App().ProcessMessages();
  }
  testsupport::ScriptSeam seam;
};

// Windows queued to be built after the main one: nothing is built before it
// is asked for; asking for one builds every queued window, in start-up order,
// and its controls read as the layout made them; idle time builds them one at
// a time.
class QueuedModal : public TestModal {
public:
  QueuedModal() {
    OnCreate = [this] { g_log.push_back("built " + name); };
  }
  std::string name;
};

TEST(WindowLayerStartup, QueuedWindowsAreBuiltInOrderWhenAskedOrInIdleTime) {
  for (bool idle : {false, true}) {
    SCOPED_TRACE(idle ? "idle time" : "asked for");
    g_log.clear();
    TestForm* main = nullptr;
    QueuedModal *a = nullptr, *b = nullptr;
    ui::App().Initialize();
    ui::App().CreateForm(main);
    ui::App().CreateForm(a, ui::FormBuild::AfterMainShows);
    ui::App().CreateForm(b, ui::FormBuild::AfterMainShows);
    a->name = "a";
    b->name = "b";
    EXPECT_TRUE(a->Waiting() && b->Waiting());
    EXPECT_TRUE(g_log.empty());
    if (idle) {
      EXPECT_TRUE(ui::App().BuildNextWaitingForm());
      EXPECT_EQ(g_log, std::vector<std::string>{"built a"});
      EXPECT_TRUE(b->Waiting());
    }
    EXPECT_EQ(b->btnNest.Text(), "Nest");
    EXPECT_EQ(g_log, (std::vector<std::string>{"built a", "built b"}));
    EXPECT_FALSE(a->Waiting() || b->Waiting());
    EXPECT_FALSE(ui::App().BuildNextWaitingForm());
    EXPECT_EQ(GetWindow(b->Handle(), GW_OWNER), main->Handle());
    EXPECT_EQ(b->Caption(), "Modal test");
    ui::App().DestroyForms();
  }
}

// A form with a page control of two sheets, each with work queued for when
// it is built (as the main window initialises each page).
class PagesForm : public ui::Form {
public:
  PagesForm() : ui::Form(IDD_TESTPAGES) {
    OnCreate = [this] {
      first.WhenBuilt([] { g_log.push_back("built first"); });
      second.WhenBuilt([this] {
        g_log.push_back("built second");
        editSecond.SetText("set when built");
        checkSecond.SetChecked(true);
      });
    };
  }
  ui::PageControl pages{this, IDC_P_TABS};
  ui::TabSheet first{pages, IDD_TESTSHEET1};
  ui::TabSheet second{pages, IDD_TESTSHEET2};
  ui::Edit editFirst{this, IDC_P_EDIT1};
  ui::Edit editSecond{this, IDC_P_EDIT2};
  ui::CheckBox checkSecond{this, IDC_P_CHECK2};
};

// Only the sheet in view is built as the form shows; the other is built when
// it is first shown, when anything asks for one of its controls (its queued
// work done before the answer) or in idle time, and it is then as it would
// have been had it been built with the form.
TEST(WindowLayerStartup, ASheetIsBuiltOnItsFirstShowWhenAskedOrInIdleTime) {
  enum class Road { Shown, Asked, Idle };
  for (Road road : {Road::Shown, Road::Asked, Road::Idle}) {
    SCOPED_TRACE(road == Road::Shown ? "shown" : road == Road::Asked ? "asked" : "idle time");
    g_log.clear();
    PagesForm* form = nullptr;
    ui::App().Initialize();
    ui::App().CreateForm(form);
    form->second.SetEnabled(false);  // as a run locks the other sheets
    form->Show();
    ui::App().ProcessMessages();
    EXPECT_EQ(g_log, std::vector<std::string>{"built first"});
    EXPECT_EQ(form->pages.ActivePage(), &form->first);
    EXPECT_FALSE(form->second.Built());
    // The tab strip names the sheet from its layout.
    EXPECT_EQ(form->pages.TabCaptions(), (std::vector<std::string>{"First sheet", "Second sheet"}));
    EXPECT_FALSE(form->second.Enabled());

    if (road == Road::Shown) {
      form->pages.SelectNextPage(true);
      EXPECT_EQ(form->pages.ActivePage(), &form->second);
      EXPECT_TRUE(IsWindowVisible(form->second.Handle()));
    } else if (road == Road::Asked) {
      EXPECT_EQ(form->editSecond.Text(), "set when built");  // asked before any show
    } else {
      EXPECT_TRUE(ui::App().BuildNextWaitingSheet());
    }
    EXPECT_EQ(g_log, (std::vector<std::string>{"built first", "built second"}));
    EXPECT_FALSE(ui::App().BuildNextWaitingSheet());
    EXPECT_TRUE(form->checkSecond.Checked());
    EXPECT_EQ(form->editSecond.Text(), "set when built");
    EXPECT_EQ(GetParent(form->editSecond.Handle()), form->second.Handle());
    EXPECT_FALSE(IsWindowEnabled(form->second.Handle()));  // the state asked before it was built
    form->second.SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(form->second.Handle()));
    // Work queued for a built sheet runs at once.
    form->second.WhenBuilt([] { g_log.push_back("later"); });
    EXPECT_EQ(g_log.back(), "later");
    // The sheet fills the page control's display area, as the first does.
    RECT a{}, b{};
    GetWindowRect(form->first.Handle(), &a);
    GetWindowRect(form->second.Handle(), &b);
    EXPECT_TRUE(EqualRect(&a, &b));
    ui::App().DestroyForms();
  }
}

TEST_F(WindowLayer, EnterInAnEditGoesToKeyPressFirstAndCanBeSwallowed) {
  std::vector<int> keys;
  g_form->edt.OnKeyPress = [&](char& key) {
    keys.push_back(key);
    if (key == 13) key = 0;
  };
  g_form->edt.SetFocus();
  Key(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(keys, std::vector<int>{13});
  EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "default"), 0);
  // Not swallowed: the default button gets it, once.
  g_form->edt.OnKeyPress = [&](char& key) { keys.push_back(key); };
  Key(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(keys.size(), 2u);
  EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "default"), 1);
  // Other characters can be changed on their way in.
  g_form->edt.SetText("");
  g_form->edt.OnKeyPress = [&](char& key) { if (key == 'a') key = 'b'; };
  Key(WM_CHAR, 'a');
  EXPECT_EQ(g_form->edt.Text(), "b");
}

TEST_F(WindowLayer, AnExceptionInAHandlerIsShownAndTheProgramGoesOn) {
  ui::App().Title = "Vextil";
  g_form->btnGo.OnClick = [] { throw std::runtime_error("Disk on fire"); };
  SendMessageA(g_form->btnGo.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(seam.boxes.size(), 1u);
  EXPECT_EQ(seam.Last().text, "Disk on fire.");
  EXPECT_EQ(seam.Last().caption, "Vextil");
  EXPECT_EQ(seam.Last().flags, static_cast<unsigned>(MB_OK | MB_ICONSTOP));
  g_form->btnGo.OnClick = [] { g_log.push_back("go again"); };
  SendMessageA(g_form->btnGo.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(g_log.back(), "go again");
}

TEST_F(WindowLayer, ModalFormsNestAndActivateTheirOwnerOnReturn) {
  seam.OnModal(g_modal2, [](ui::Form&) { return IDOK; });
  seam.OnModal(g_modal, [](ui::Form& f) {
    EXPECT_FALSE(IsWindowEnabled(g_form->Handle()));  // the rest waits
    testsupport::Press(static_cast<TestModal&>(f).btnNest);
    testsupport::Press(static_cast<TestModal&>(f).btnCancel);
    return 0;
  });
  g_log.clear();
  EXPECT_EQ(g_modal->ShowModal(), IDCANCEL);
  EXPECT_EQ(g_log, (std::vector<std::string>{"modal activate", "modal activate", "modal activate", "nested result 1",
                                    "activate"}));
  EXPECT_TRUE(IsWindowEnabled(g_form->Handle()));
}

TEST_F(WindowLayer, ListBoxIndexMatchesItsEntriesWithoutLetterCase) {
  ui::ListBox& lst = g_form->lst;
  lst.AddStrings({"Zeta", "alpha", "C:\\Data", "Beta", "b"});
  lst.DeleteIndices({0, 2});
  lst.Insert(1, "inserted");
  std::vector<std::string> shown;
  for (int i = 0; i < static_cast<int>(SendMessageA(lst.Handle(), LB_GETCOUNT, 0, 0)); ++i) {
    char text[64] = "";
    SendMessageA(lst.Handle(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    shown.push_back(text);
  }
  EXPECT_EQ(shown, lst.Items());
  EXPECT_EQ(lst.Items(), (std::vector<std::string>{"b", "inserted", "C:\\Data", "Zeta"}));
  EXPECT_TRUE(lst.Contains("c:\\DATA"));
  EXPECT_FALSE(lst.Contains("C:\\Data\\"));
  EXPECT_TRUE(lst.Contains("B"));
  EXPECT_FALSE(lst.Contains("beta"));
  std::string longItem(300, 'x');  // longer than a path, read whole
  lst.Add(longItem);
  EXPECT_EQ(lst.Item(lst.IndexOf(longItem)), longItem);

  std::vector<std::string> items;
  for (int i = 0; i < 30000; ++i) items.push_back("C:\\Folder\\Entry " + std::to_string(i * 7919 % 30011));
  lst.AddStrings(items);
  int hits = 0;
  for (const std::string& s : items) hits += lst.Contains(s) ? 1 : 0;
  EXPECT_EQ(hits, 30000);
}

TEST_F(WindowLayer, MemoPastThirtyTwoKAndProgressPastSixtyFourKKeepWhatWasSet) {
  std::vector<std::string> many(1000, std::string(60, 'm'));
  many.front() = "one";
  g_form->mmo.SetLines(many);
  g_form->mmo.AddLine("four");
  auto lines = g_form->mmo.Lines();
  ASSERT_EQ(lines.size(), 1001u);
  EXPECT_EQ(lines[0], "one");
  EXPECT_EQ(lines[999], many.back());
  EXPECT_EQ(lines[1000], "four");
  g_form->prg.SetRange(0, 3000000);
  g_form->prg.SetPosition(2500000);
  EXPECT_EQ(g_form->prg.Max(), 3000000);
  EXPECT_EQ(g_form->prg.Position(), 2500000);
}

} // namespace
