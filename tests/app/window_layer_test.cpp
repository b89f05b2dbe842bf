// The window layer driven as a user would: real dialogs, created headless.
#include "app/test_forms.h"
#include "support/press.h"
#include "support/script_seam.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/menu.h"
#include "ui/pages.h"

#include <gtest/gtest.h>

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
  ui::Edit edtName{this, IDC_M_EDT};
  ui::Button btnNest{this, IDC_M_NEST};
  ui::Button btnOK{this, IDOK};
  ui::Button btnCancel{this, IDCANCEL};
  TestModal* nested = nullptr;
};

class TestForm : public ui::Form {
public:
  TestForm() : ui::Form(IDD_TESTFORM) {
    OnCreate = [] { g_log.push_back("create"); };
    OnActivate = [] { g_log.push_back("activate"); };
    btnGo.OnClick = [] { g_log.push_back("go"); };
    btnDefault.OnClick = [] { g_log.push_back("default"); };
    edt.OnExit = [] { g_log.push_back("edt exit"); };
    edt.OnEnter = [] { g_log.push_back("edt enter"); };
  }
  ui::Button btnGo{this, IDC_T_GO};
  ui::Button btnDefault{this, IDC_T_DEFAULT};
  ui::CheckBox chk{this, IDC_T_CHK};
  ui::RadioButton rdoA{this, IDC_T_RDOA}, rdoB{this, IDC_T_RDOB};
  ui::RadioButton rdoC{this, IDC_T_RDOC}, rdoD{this, IDC_T_RDOD};
  ui::Edit edt{this, IDC_T_EDT};
  ui::Memo mmo{this, IDC_T_MMO};
  ui::ComboBox cbo{this, IDC_T_CBO};
  ui::ListBox lst{this, IDC_T_LST};
  ui::Label lbl{this, IDC_T_LBL};
  ui::ProgressBar prg{this, IDC_T_PRG};
  ui::UpDown upd{this, IDC_T_UPD};
  ui::Edit updEdit{this, IDC_T_UPDEDT};
  ui::ListView lvw{this, IDC_T_LVW};
  ui::PageControl pge{this, IDC_T_PGE};
  ui::TabSheet sheet1{pge, IDD_TESTSHEET1};
  ui::TabSheet sheet2{pge, IDD_TESTSHEET2};
  ui::TabSheet sheet3{pge, IDD_TESTSHEET3, false};
  ui::Button sheetButton{this, IDC_T_SHEETBTN};
  ui::Edit sheetEdit{this, IDC_T_SHEETEDT};
  ui::MenuItem mnuFile{this, IDM_T_FILE, nullptr, "&File"};
  ui::MenuItem mnuOpen{this, IDM_T_OPEN, &mnuFile, "&Open", true, true, 'O', FCONTROL};
  ui::MenuItem mnuHidden{this, IDM_T_HIDDEN, &mnuFile, "Hidden", false};
  ui::MenuItem mnuSub{this, IDM_T_SUB, &mnuFile, "More"};
  ui::MenuItem mnuSubItem{this, IDM_T_SUBITEM, &mnuSub, "Deeper", true, false};
};

TestForm* g_form = nullptr;

// Draws the control into a bitmap as it paints itself on screen and counts
// the pixels of one colour.
int PixelsOfColour(HWND hwnd, COLORREF colour) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), rc.right, -rc.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  int count = 0;
  const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  for (int i = 0; i < rc.right * rc.bottom; ++i)
    if ((static_cast<DWORD*>(bits)[i] & 0xFFFFFF) == wanted) ++count;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return count;
}
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
  testsupport::ScriptSeam seam;
};

TEST_F(WindowLayer, FormsAreCreatedHiddenAndActivateOnceWhenShown) {
  EXPECT_FALSE(g_modal->Visible());
  EXPECT_TRUE(g_form->Visible());
  // The first input of the page in view has the focus, not the tab strip.
  EXPECT_EQ(g_form->ActiveControl(), &g_form->sheetButton);
  ASSERT_GE(g_log.size(), 2u);
  EXPECT_EQ(g_log[0], "create");
  EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "activate"), 1);
}

TEST_F(WindowLayer, RadioAndCheckBoxSetFromCodeRunTheirClickAsTheirStateChanges) {
  int clicksA = 0, clicksB = 0, clicksC = 0, checkClicks = 0;
  g_form->rdoA.OnClick = [&] { ++clicksA; };
  g_form->rdoB.OnClick = [&] { ++clicksB; };
  g_form->rdoC.OnClick = [&] { ++clicksC; };
  g_form->chk.OnClick = [&] { ++checkClicks; };

  g_form->rdoC.SetChecked(true);
  g_form->rdoA.SetChecked(true);
  g_form->rdoB.SetChecked(true);  // turns A off, leaves the other group alone
  g_form->rdoB.SetChecked(true);  // no change, no click
  EXPECT_FALSE(g_form->rdoA.Checked());
  EXPECT_TRUE(g_form->rdoB.Checked());
  EXPECT_TRUE(g_form->rdoC.Checked());
  EXPECT_EQ(clicksA, 1);
  EXPECT_EQ(clicksB, 1);
  EXPECT_EQ(clicksC, 1);

  g_form->chk.SetChecked(true);
  g_form->chk.SetChecked(true);
  g_form->chk.SetChecked(false);
  EXPECT_EQ(checkClicks, 2);
  SendMessageA(g_form->chk.Handle(), BM_CLICK, 0, 0);  // a user's click
  EXPECT_TRUE(g_form->chk.Checked());
  EXPECT_EQ(checkClicks, 3);
}

TEST_F(WindowLayer, EditChangeRunsForCodeAndUserButNotForTheSameText) {
  int changes = 0;
  g_form->edt.OnChange = [&] {
    ++changes;
    // A handler that sets the text again (normalising it) must not loop.
    std::string text = g_form->edt.Text();
    if (!text.empty() && text.back() == ' ') g_form->edt.SetText(text.substr(0, text.size() - 1));
  };
  g_form->edt.SetText("abc");
  EXPECT_EQ(changes, 1);
  g_form->edt.SetText("abc");
  EXPECT_EQ(changes, 1);
  g_form->edt.SetText("abc ");
  EXPECT_EQ(g_form->edt.Text(), "abc");
  EXPECT_EQ(changes, 3);
}

TEST_F(WindowLayer, ExitRunsBeforeTheClickAndEnterGoesToKeyPressFirst) {
  // Exit runs before the click of the button that took the focus.
  g_form->edt.SetFocus();
  testsupport::Press(g_form->btnGo);
  std::vector<std::string> tail(g_log.end() - 3, g_log.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"edt enter", "edt exit", "go"}));

  // Enter in an edit goes to KeyPress first and can be swallowed.
  std::vector<int> keys;
  g_form->edt.OnKeyPress = [&](char& key) {
    keys.push_back(key);
    if (key == 13) key = 0;
  };
  g_form->edt.SetFocus();
  PostMessageA(g_form->edt.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  ui::App().ProcessMessages();
  EXPECT_EQ(keys, std::vector<int>{13});
  EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "default"), 0);

  // Not swallowed: the default button gets it, once.
  g_form->edt.OnKeyPress = [&](char& key) { keys.push_back(key); };
  PostMessageA(g_form->edt.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  ui::App().ProcessMessages();
  EXPECT_EQ(keys.size(), 2u);
  EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "default"), 1);

  // Other characters can be changed on their way in.
  g_form->edt.SetText("");
  g_form->edt.OnKeyPress = [&](char& key) { if (key == 'a') key = 'b'; };
  PostMessageA(g_form->edt.Handle(), WM_CHAR, 'a', 0);
  ui::App().ProcessMessages();
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
  EXPECT_EQ(seam.Last().owner, ui::BoxOwner::Window);

  g_form->btnGo.OnClick = [] { g_log.push_back("go again"); };
  SendMessageA(g_form->btnGo.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(g_log.back(), "go again");
}

TEST_F(WindowLayer, MessageBoxesAreRecordedWithTheirOwnerKindAndAnswered) {
  seam.Answer("Question no: 0001.", IDYES);
  EXPECT_EQ(ui::App().MessageBox("Sure?", "Test.   Question no: 0001.", 0x124), IDYES);
  EXPECT_EQ(ui::App().MessageBox("Sure?", "Unscripted", 0x124), IDNO);  // the default button
  ui::App().SystemMessageBox("Severe", "Severe Error!    Msg no: 0999.", 0x10);
  ASSERT_EQ(seam.boxes.size(), 3u);
  EXPECT_EQ(seam.boxes[0].owner, ui::BoxOwner::Window);
  EXPECT_EQ(seam.boxes[2].owner, ui::BoxOwner::None);
  EXPECT_EQ(seam.boxes[2].flags, 0x10u);
  EXPECT_EQ(seam.Unscripted(), 2);
}

TEST_F(WindowLayer, ModalFormsReturnTheirResultAndNest) {
  seam.OnModal(g_modal, [](ui::Form& f) {
    auto& m = static_cast<TestModal&>(f);
    EXPECT_TRUE(m.Visible());
    EXPECT_FALSE(IsWindowEnabled(g_form->Handle()));  // the rest waits
    testsupport::Type(m.edtName, "typed");
    testsupport::Press(m.btnOK);
    return 0;
  });
  EXPECT_EQ(g_modal->ShowModal(), IDOK);
  EXPECT_EQ(g_modal->edtName.Text(), "typed");
  EXPECT_FALSE(g_modal->Visible());
  EXPECT_TRUE(IsWindowEnabled(g_form->Handle()));

  // Closed by the title bar: Cancel.
  seam.OnModal(g_modal, [](ui::Form& f) {
    SendMessageA(f.Handle(), WM_CLOSE, 0, 0);
    return 0;
  });
  EXPECT_EQ(g_modal->ShowModal(), IDCANCEL);

  // A modal form opened from a modal form.
  seam.OnModal(g_modal2, [](ui::Form& f) { return IDOK; });
  seam.OnModal(g_modal, [](ui::Form& f) {
    testsupport::Press(static_cast<TestModal&>(f).btnNest);
    testsupport::Press(static_cast<TestModal&>(f).btnCancel);
    return 0;
  });
  EXPECT_EQ(g_modal->ShowModal(), IDCANCEL);
  EXPECT_NE(std::find(g_log.begin(), g_log.end(), "nested result 1"), g_log.end());
}

TEST_F(WindowLayer, ActivateFiresOnReturnFromOurFormsNotFromAMessageBox) {
  g_log.clear();
  ui::App().MessageBox("note", "Info", MB_OK);
  SetActiveWindow(g_form->Handle());
  ui::App().ProcessMessages();
  EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "activate"), 0);

  seam.OnModal(g_modal, [](ui::Form&) { return IDOK; });
  g_modal->ShowModal();
  EXPECT_EQ(g_log, (std::vector<std::string>{"modal activate", "activate"}));
}

TEST_F(WindowLayer, ListBoxKeepsAWholeEntryIndexWithoutLetterCase) {
  ui::ListBox& lst = g_form->lst;
  lst.Add("C:\\Data");
  lst.Add("b");
  lst.Add("a");
  EXPECT_EQ(lst.Items(), (std::vector<std::string>{"a", "b", "C:\\Data"}));
  EXPECT_TRUE(lst.Contains("c:\\DATA"));
  EXPECT_FALSE(lst.Contains("C:\\Data\\"));
  EXPECT_EQ(lst.IndexOf("B"), 1);
  lst.Delete(2);
  EXPECT_FALSE(lst.Contains("c:\\data"));

  lst.SetSelected(0, true);
  lst.SetSelected(1, true);
  EXPECT_EQ(lst.SelectedIndices(), (std::vector<int>{0, 1}));
  lst.SetHorizontalExtent(3000);
  EXPECT_EQ(lst.HorizontalExtent(), 3000);

  // What the list keeps beside the control is what the control shows.
  lst.AddStrings({"Zeta", "alpha", "Beta", "b"});
  lst.DeleteIndices({0, 2});
  lst.Insert(1, "inserted");
  std::vector<std::string> shown;
  for (int i = 0; i < static_cast<int>(SendMessageA(lst.Handle(), LB_GETCOUNT, 0, 0)); ++i) {
    char text[64] = "";
    SendMessageA(lst.Handle(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    shown.push_back(text);
  }
  EXPECT_EQ(shown, lst.Items());
  EXPECT_EQ(lst.Items(), (std::vector<std::string>{"alpha", "inserted", "b", "Beta", "Zeta"}));
  EXPECT_TRUE(lst.Contains("ZETA"));
  EXPECT_FALSE(lst.Contains("a"));

  // An item longer than a path is read whole.
  std::string longItem(300, 'x');
  lst.Add(longItem);
  EXPECT_EQ(lst.Item(lst.IndexOf(longItem)), longItem);
}

TEST_F(WindowLayer, ListBoxTakesThirtyThousandEntriesInOneGo) {
  std::vector<std::string> items;
  for (int i = 0; i < 30000; ++i) items.push_back("C:\\Folder\\Entry " + std::to_string(i * 7919 % 30011));
  g_form->lst.AddStrings(items);
  int hits = 0;
  for (const std::string& s : items) hits += g_form->lst.Contains(s) ? 1 : 0;
  EXPECT_EQ(g_form->lst.Count(), 30000);
  EXPECT_EQ(hits, 30000);
}

TEST_F(WindowLayer, MemoComboProgressAndUpDownKeepWhatWasSet) {
  std::vector<std::string> many(1000, std::string(60, 'm'));  // past the old 32K edit limit
  many.front() = "one";
  g_form->mmo.SetLines(many);
  auto lines = g_form->mmo.Lines();
  ASSERT_EQ(lines.size(), 1000u);
  EXPECT_EQ(lines[0], "one");
  EXPECT_EQ(lines[999], many.back());
  g_form->mmo.AddLine("four");
  EXPECT_EQ(g_form->mmo.Lines().back(), "four");

  int changes = 0, selects = 0;
  g_form->cbo.OnChange = [&] { ++changes; };
  g_form->cbo.OnSelect = [&] { ++selects; };
  g_form->cbo.Add("C:\\One");
  g_form->cbo.Add("C:\\Two");
  g_form->cbo.SetText("typed");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(g_form->cbo.IndexOf("c:\\two"), 1);
  g_form->cbo.SetItemIndex(1);
  SendMessageA(g_form->Handle(), WM_COMMAND, MAKEWPARAM(IDC_T_CBO, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(g_form->cbo.Handle()));
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(g_form->cbo.Text(), "C:\\Two");

  g_form->btnGo.SetCaptionColor(0x008000);
  EXPECT_EQ(GetWindowLongA(g_form->btnGo.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_GT(PixelsOfColour(g_form->btnGo.Handle(), 0x008000), 0) << "the caption is drawn green";

  g_form->prg.SetRange(0, 3000000);
  g_form->prg.SetPosition(2500000);
  EXPECT_EQ(g_form->prg.Max(), 3000000);
  EXPECT_EQ(g_form->prg.Position(), 2500000);

  g_form->upd.SetBuddy(g_form->updEdit);
  g_form->upd.SetRange(1, 100000);
  g_form->upd.SetPosition(70000);
  EXPECT_EQ(g_form->upd.Position(), 70000);
}

TEST_F(WindowLayer, PageControlHidesTabsMovesSheetsAndDisablesThemWhole) {
  ui::PageControl& pge = g_form->pge;
  EXPECT_EQ(pge.TabCaptions(), (std::vector<std::string>{"First sheet", "Second sheet"}));
  EXPECT_EQ(pge.ActivePage(), &g_form->sheet1);
  EXPECT_TRUE(g_form->sheet1.Visible());

  int shown = 0;
  g_form->sheet2.OnShow = [&] { ++shown; };
  g_form->sheet2.SetPageIndex(0);
  EXPECT_EQ(pge.TabCaptions(), (std::vector<std::string>{"Second sheet", "First sheet"}));
  EXPECT_EQ(pge.Page(0), &g_form->sheet2);
  pge.SetActivePage(&g_form->sheet2);
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(g_form->sheet2.Visible());
  EXPECT_FALSE(g_form->sheet1.Visible());

  // The user picks the second tab.
  TabCtrl_SetCurSel(pge.Handle(), 1);
  NMHDR header{pge.Handle(), static_cast<UINT_PTR>(IDC_T_PGE), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(g_form->Handle(), WM_NOTIFY, IDC_T_PGE, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(pge.ActivePage(), &g_form->sheet1);

  g_form->sheet3.SetTabVisible(true);
  EXPECT_EQ(pge.TabCaptions().size(), 3u);

  g_form->sheet1.SetEnabled(false);
  EXPECT_FALSE(g_form->sheet1.Enabled());
  EXPECT_FALSE(IsWindowEnabled(g_form->sheet1.Handle()));
  g_form->sheet1.SetEnabled(true);

  // Controls on sheets are reached like any other.
  int clicks = 0;
  g_form->sheetButton.OnClick = [&] { ++clicks; };
  SendMessageA(g_form->sheetButton.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(WindowLayer, MenuHasNestedItemsHidesAndDisablesThemAndRunsClicks) {
  HMENU bar = GetMenu(g_form->Handle());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(GetMenuItemCount(bar), 1);
  HMENU file = GetSubMenu(bar, 0);
  EXPECT_EQ(GetMenuItemCount(file), 2);  // Open, More (Hidden is not there)
  HMENU more = GetSubMenu(file, 1);
  ASSERT_NE(more, nullptr);
  EXPECT_TRUE(GetMenuState(more, IDM_T_SUBITEM, MF_BYCOMMAND) & MF_GRAYED);

  int opens = 0;
  g_form->mnuOpen.OnClick = [&] { ++opens; };
  SendMessageA(g_form->Handle(), WM_COMMAND, MAKEWPARAM(IDM_T_OPEN, 0), 0);
  EXPECT_EQ(opens, 1);
  g_form->mnuHidden.SetVisible(true);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(GetMenu(g_form->Handle()), 0)), 3);
  g_form->mnuOpen.SetEnabled(false);
  g_form->mnuOpen.Click();
  EXPECT_EQ(opens, 1);
}

} // namespace
