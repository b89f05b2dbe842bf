// The windows as a whole: fit, overlap, reading order, placement, page keys.
#include "app/frmMain.h"
#include "listwin/frmLevelSummFolder.h"
#include "app/frmUnsuccessful.h"
#include "listwin/frmStatistic.h"
#include "listwin/frmEditIncludeList.h"
#include "examples/examples_window.h"
#include "examples/help_windows.h"
#include "listwin/frmFileExport.h"
#include "listwin/frmFileImport.h"
#include "listwin/frmFileSelection.h"
#include "listwin/frmManageMarks.h"
#include "listwin/frmSubFolderListBuilder.h"
#include "support/press.h"
#include "support/program_fixture.h"
#include "ui/application.h"
#include "ui/layout.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

std::string Describe(HWND hwnd) {
  char text[80] = "";
  GetWindowTextA(hwnd, text, sizeof text);
  return "#" + std::to_string(GetDlgCtrlID(hwnd)) + " \"" + text + "\"";
}

// Group boxes and the page control hold other controls.
bool IsContainer(HWND hwnd) {
  char cls[32] = "";
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpiA(cls, WC_TABCONTROLA) == 0) return true;
  return lstrcmpiA(cls, "Button") == 0 &&
         (GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

RECT RectIn(HWND hwnd, HWND parent) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT common{};
  return IntersectRect(&common, &a, &b) != FALSE;
}

// Every visible control lies inside the container (its client area, or the
// area given), and no two overlap unless one holds the other.
void ExpectTidy(HWND container, const std::string& where, const RECT* area = nullptr) {
  RECT client{};
  GetClientRect(container, &client);
  if (area) client = *area;
  std::vector<HWND> shown;
  for (HWND h = GetWindow(container, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
    if (GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) shown.push_back(h);
  ASSERT_FALSE(shown.empty()) << where;
  for (size_t i = 0; i < shown.size(); ++i) {
    RECT a = RectIn(shown[i], container);
    EXPECT_TRUE(Contains(client, a)) << where << ": " << Describe(shown[i]) << " is cut off";
    for (size_t j = i + 1; j < shown.size(); ++j) {
      RECT b = RectIn(shown[j], container);
      if (!Overlap(a, b)) continue;
      bool held = (IsContainer(shown[i]) && Contains(a, b)) || (IsContainer(shown[j]) && Contains(b, a));
      EXPECT_TRUE(held) << where << ": " << Describe(shown[i]) << " overlaps " << Describe(shown[j]);
    }
  }
}

void SizeWindow(ui::Form& form, SIZE size) {
  SetWindowPos(form.Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE SizeOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

class LookAndFeel : public testsupport::ProgramTest {
protected:
  void TearDown() override {
    BYTE keys[256] = {};
    SetKeyboardState(keys);
    ProgramTest::TearDown();
  }
  // A key with Ctrl (and Shift) held, sent where the focus is.
  void PressWithCtrl(WPARAM key, bool shift = false) {
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    if (shift) keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    HWND focus = GetFocus();
    PostMessageA(focus ? focus : frmMain->Handle(), WM_KEYDOWN, key, 1);
    ui::App().ProcessMessages();
    BYTE none[256] = {};
    SetKeyboardState(none);
  }
  // The string-list page with the test folder as destination and one entry.
  void FillStringListPage(const std::string& entry) {
    frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate03);
    seam.PickFolder(dir->Path());
    testsupport::Press(frmMain->Vol02.btnVol02AddDestFolder);
    testsupport::Type(frmMain->Vol02.edtVol02AddToList, entry);
    testsupport::Press(frmMain->Vol02.btnVol02AddToList);
  }
};

TEST_F(LookAndFeel, EveryPageIsWholeAtTheSmallestSizeAndMaximised) {
  TfrmMain& m = *frmMain;
  RECT opened{};
  GetWindowRect(m.Handle(), &opened);
  EXPECT_TRUE(Contains(ui::WorkAreaOf(m.Handle()), opened)) << "opens inside the screen";
  SIZE minimum = m.MinimumSize();
  // Fits a work area of 1024 x 728 at 96 DPI and of 1366 x 718 at 120 DPI.
  EXPECT_LE(minimum.cx, 1024);
  EXPECT_LE(minimum.cy, 728);
  EXPECT_LE(minimum.cx * 5 / 4, 1366);
  EXPECT_LE(minimum.cy * 5 / 4, 718);

  struct Size {
    const char* name;
    int show;
  };
  for (Size size : {Size{"smallest", SW_RESTORE}, Size{"maximised", SW_MAXIMIZE}}) {
    ShowWindow(m.Handle(), size.show);
    if (size.show == SW_RESTORE) SizeWindow(m, SIZE{minimum.cx - 100, minimum.cy - 100});
    if (size.show == SW_RESTORE) {
      EXPECT_EQ(SizeOf(m.Handle()).cx, minimum.cx) << "the window shrank below its layout";
      EXPECT_EQ(SizeOf(m.Handle()).cy, minimum.cy);
    }
    ExpectTidy(m.Handle(), size.name);
    for (int i = 0; i < m.pgeMain.PageCount(); ++i) {
      ui::TabSheet* sheet = m.pgeMain.Page(i);
      if (!sheet->TabVisible()) continue;
      m.pgeMain.SetActivePage(sheet);
      std::string where = std::string(size.name) + ", " + sheet->Caption();
      RECT client{};
      GetClientRect(m.Handle(), &client);
      EXPECT_TRUE(Contains(client, RectIn(sheet->Handle(), m.Handle()))) << where;
      if (GetWindow(sheet->Handle(), GW_CHILD)) ExpectTidy(sheet->Handle(), where);
    }
  }
}

// Every tab of the main window in sight, none scrolled away, with a whole page
// under the strip: the strip as it stands (every tab at the top, no scroll
// arrows), its display area against a page's designed size.
void ExpectEveryTabInSight(HWND tabs, SIZE page, const std::string& where) {
  for (HWND h = GetWindow(tabs, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    char cls[32] = "";
    GetClassNameA(h, cls, sizeof cls);
    EXPECT_FALSE(lstrcmpiA(cls, UPDOWN_CLASSA) == 0 && IsWindowVisible(h)) << where << ": the tabs scroll";
  }
  RECT strip{};
  GetClientRect(tabs, &strip);
  ASSERT_EQ(TabCtrl_GetItemCount(tabs), 7) << where;
  for (int i = 0; i < 7; ++i) {
    RECT tab{};
    TabCtrl_GetItemRect(tabs, i, &tab);
    EXPECT_TRUE(Contains(strip, tab)) << where << ": tab " << i << " is out of sight";
  }
  RECT display = strip;
  TabCtrl_AdjustRect(tabs, FALSE, &display);
  EXPECT_GE(display.right - display.left, page.cx) << where;
  EXPECT_GE(display.bottom - display.top, page.cy) << where;
}

// The program's window layouts (dialog resources), test layouts left out.
BOOL CALLBACK AddLayout(HMODULE, LPCSTR, LPSTR name, LONG_PTR into) {
  if (IS_INTRESOURCE(name) && LOWORD(reinterpret_cast<ULONG_PTR>(name)) < 9000)
    reinterpret_cast<std::vector<WORD>*>(into)->push_back(LOWORD(reinterpret_cast<ULONG_PTR>(name)));
  return TRUE;
}
std::vector<WORD> ProgramLayouts() {
  std::vector<WORD> ids;
  EnumResourceNamesA(nullptr, RT_DIALOG, AddLayout, reinterpret_cast<LONG_PTR>(&ids));
  return ids;
}
INT_PTR CALLBACK Inert(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A window of the layout alone (no form behind it), its font scaled from 96
// DPI to dpi: the same dialog units then give the pixels the layout has on a
// screen of that DPI.
// designed: the layout's size in dialog units.
HWND OpenLayout(WORD id, int dpi, HWND owner, RECT* designed = nullptr) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_DIALOG);
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
  std::vector<BYTE> copy(data, data + SizeofResource(nullptr, found));
  WORD* p = reinterpret_cast<WORD*>(copy.data() + 26);  // the menu, after the DLGTEMPLATEEX header
  for (int field = 0; field < 2; ++field)                 // menu and class: ordinal or name
    p = *p == 0 ? p + 1 : *p == 0xFFFF ? p + 2 : (p + lstrlenW(reinterpret_cast<LPCWSTR>(p)) + 1);
  p += lstrlenW(reinterpret_cast<LPCWSTR>(p)) + 1;        // the title; then the point size
  *p = static_cast<WORD>(MulDiv(*p, dpi, 96));
  if (designed) {
    const WORD* size = reinterpret_cast<const WORD*>(copy.data() + 22);
    *designed = RECT{0, 0, size[0], size[1]};
  }
  return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(copy.data()), owner, Inert, 0);
}

// A number typed beside an up-down shows whole: the level builders' up-downs
// go to 999, so three digits fit the edit's text area.
void ExpectNumberEditsShowThreeDigits(HWND layout, const std::string& where) {
  for (HWND h = GetWindow(layout, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    char cls[32] = "", next[32] = "";
    GetClassNameA(h, cls, sizeof cls);
    HWND after = GetWindow(h, GW_HWNDNEXT);
    if (!after || lstrcmpiA(cls, "Edit") != 0) continue;
    GetClassNameA(after, next, sizeof next);
    if (lstrcmpiA(next, UPDOWN_CLASSA) != 0) continue;
    RECT text{};
    SendMessageA(h, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)));
    SIZE digits{};
    GetTextExtentPoint32A(dc, "999", 3, &digits);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    EXPECT_LE(digits.cx, text.right - text.left) << where << ": " << Describe(h) << " cannot show 999";
  }
}

struct LayoutOwner {
  HWND hwnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 4000, 3000, nullptr, nullptr, nullptr, nullptr);
  ~LayoutOwner() { DestroyWindow(hwnd); }
};

TEST_F(LookAndFeel, EveryWindowLayoutIsTidyAt96And120Dpi) {
  std::vector<WORD> ids = ProgramLayouts();
  ASSERT_GE(ids.size(), 30u);
  LayoutOwner owner;
  for (int dpi : {96, 120}) {
    for (WORD id : ids) {
      RECT designed{};
      HWND layout = OpenLayout(id, dpi, owner.hwnd, &designed);
      ASSERT_TRUE(layout) << id;
      // The size the layout asks for (a test screen may be smaller than the
      // screens the program is made for).
      MapDialogRect(layout, &designed);
      char caption[120] = "";
      GetWindowTextA(layout, caption, sizeof caption);
      const std::string where = std::to_string(dpi) + " DPI, " + std::to_string(id) + " \"" + caption + "\"";
      if (GetWindow(layout, GW_CHILD)) {
        ExpectTidy(layout, where, &designed);
        ExpectNumberEditsShowThreeDigits(layout, where);
      }
      DestroyWindow(layout);
    }
  }
}

TEST_F(LookAndFeel, AllSevenTabsAreInSightWithoutScrollingAt96And120Dpi) {
  TfrmMain& m = *frmMain;
  const std::vector<std::string> captions = m.pgeMain.TabCaptions();
  ASSERT_EQ(captions.size(), 7u);
  // 96 DPI: the window as it opened, and at its smallest.
  RECT designed{0, 0, 556, 288};
  MapDialogRect(m.tabFoldersRename01.Handle(), &designed);
  const SIZE page{designed.right, designed.bottom};
  ExpectEveryTabInSight(m.pgeMain.Handle(), page, "96 DPI, as opened");
  SizeWindow(m, SIZE{100, 100});
  ExpectEveryTabInSight(m.pgeMain.Handle(), page, "96 DPI, smallest");
  EXPECT_GE(TabCtrl_GetRowCount(m.pgeMain.Handle()), 2);

  // 120 DPI: the main window's layout at its designed size with the seven
  // tabs, against a page's layout at the same DPI.
  LayoutOwner owner;
  RECT sheet{};
  HWND layout = OpenLayout(IDD_TABFOLDERSRENAME01, 120, owner.hwnd, &sheet);
  ASSERT_TRUE(layout);
  MapDialogRect(layout, &sheet);
  DestroyWindow(layout);
  HWND main = OpenLayout(IDD_FRMMAIN, 120, owner.hwnd);
  ASSERT_TRUE(main);
  HWND tabs = GetDlgItem(main, IDC_PGEMAIN);
  for (size_t i = 0; i < captions.size(); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(captions[i].c_str());
    SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  ExpectEveryTabInSight(tabs, SIZE{sheet.right, sheet.bottom}, "120 DPI");
  DestroyWindow(main);
}

// Controls are found by id across the main window and all its sheets (the
// hidden ones too), and menu commands arrive by id: each id names one thing.
TEST_F(LookAndFeel, NoTwoControlsOrMenuCommandsOfTheMainWindowShareAnId) {
  std::map<int, std::string> seen;
  auto note = [&](int id, const std::string& what) {
    auto added = seen.emplace(id, what);
    EXPECT_TRUE(added.second) << what << " has the id of " << added.first->second;
  };
  LayoutOwner owner;
  for (WORD id : {IDD_FRMMAIN, IDD_TABFOLDERCREATE05, IDD_TABFOLDERCREATE03, IDD_TABFOLDERCREATE04,
                  IDD_TABFOLDERCREATE01, IDD_TABFOLDERSCOPY02, IDD_TABFOLDERSDELETE01, IDD_TABFOLDERSRENAME01}) {
    HWND layout = OpenLayout(id, 96, owner.hwnd);
    ASSERT_TRUE(layout) << id;
    for (HWND h = GetWindow(layout, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
      int control = GetDlgCtrlID(h);
      if (control != 0 && control != -1 && control != 0xFFFF) note(control, "layout " + std::to_string(id) + " " + Describe(h));
    }
    DestroyWindow(layout);
  }
  std::function<void(HMENU)> walk = [&](HMENU menu) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      char text[80] = "";
      GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
      if (HMENU sub = GetSubMenu(menu, i)) walk(sub);
      else if (GetMenuItemID(menu, i) != 0) note(GetMenuItemID(menu, i), std::string("menu \"") + text + "\"");
    }
  };
  walk(GetMenu(frmMain->Handle()));
  EXPECT_GE(seen.size(), 250u);
}

TEST_F(LookAndFeel, SecondaryWindowsAreWholeAtTheirSmallestAndGrown) {
  struct Window {
    ui::Form* form;
    const char* name;
  } windows[] = {
      {frmStatistic02, "creation results"}, {frmStatistic06, "rename results"},
      {frmStatistics07, "delete results"},  {frmStatistic08, "copy results"},
      {ForcedUnSuccessFullForm, "full-path failures"},
      {SubFolderUnSuccessFullForm, "subfolder failures"}, {frmLevelSummFolder, "level summary"},
      {frmFileExport, "export"},          {frmSubFolderListBuilder, "subfolder list builder"},
      {frmFLLEditIncludeFolderList, "builder's list editor"},
  };
  for (const Window& w : windows) {
    SIZE minimum = w.form->MinimumSize();
    EXPECT_LE(minimum.cx, 1024) << w.name;
    EXPECT_LE(minimum.cy, 768 - 40) << w.name;
    SizeWindow(*w.form, SIZE{minimum.cx / 2, minimum.cy / 2});
    EXPECT_EQ(SizeOf(w.form->Handle()).cx, minimum.cx) << w.name;
    ExpectTidy(w.form->Handle(), std::string(w.name) + ", smallest");
    SizeWindow(*w.form, SIZE{minimum.cx + 300, minimum.cy + 200});
    ExpectTidy(w.form->Handle(), std::string(w.name) + ", grown");
  }
  // The help and examples windows fit a 1024 x 768 screen as they are.
  ui::Form* const fixed[] = {frmAltalanosHelp, frmMoreHelp, frmOverViewHelp, AboutBox, frmVideoTutorials,
                             frmExamplesCopy, frmExamplesCreateFolders, frmExamplesIncreasedNumbers, frmDriveSelect,
                             frmExamplesDelete, frmExamplesRename};
  for (ui::Form* w : fixed) {
    EXPECT_LE(SizeOf(w->Handle()).cx, 1024) << w->Caption();
    EXPECT_LE(SizeOf(w->Handle()).cy, 768 - 40) << w->Caption();
    EXPECT_FALSE(w->Visible()) << w->Caption();  // created hidden
  }
}

// Within each group box (and outside any), Tab goes row by row, left to right.
TEST_F(LookAndFeel, TabFollowsReadingOrderOnEveryPage) {
  const int sameRow = 4;  // pixels: tops this close are one row
  TfrmMain& m = *frmMain;
  for (int i = 0; i < m.pgeMain.PageCount(); ++i) {
    ui::TabSheet* sheet = m.pgeMain.Page(i);
    if (!sheet->TabVisible()) continue;
    HWND page = sheet->Handle();
    std::vector<HWND> groups, stops;
    for (HWND h = GetWindow(page, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
      LONG style = GetWindowLongA(h, GWL_STYLE);
      if (!(style & WS_VISIBLE)) continue;
      if (IsContainer(h)) groups.push_back(h);
      else if (style & WS_TABSTOP) stops.push_back(h);
    }
    // The innermost group that holds a control.
    auto groupOf = [&](HWND h) {
      HWND inner = nullptr;
      long innerArea = 0;
      for (HWND g : groups) {
        RECT gr = RectIn(g, page);
        long area = static_cast<long>(gr.right - gr.left) * (gr.bottom - gr.top);
        if (Contains(gr, RectIn(h, page)) && (!inner || area < innerArea)) {
          inner = g;
          innerArea = area;
        }
      }
      return inner;
    };
    std::map<HWND, HWND> last;  // group -> the stop Tab reached last in it
    for (HWND h : stops) {
      HWND group = groupOf(h);
      auto previous = last.find(group);
      if (previous != last.end()) {
        RECT a = RectIn(previous->second, page), b = RectIn(h, page);
        bool sameLine = std::abs(a.top - b.top) <= sameRow;
        bool inOrder = sameLine ? b.left > a.left : b.top > a.top;
        EXPECT_TRUE(inOrder) << sheet->Caption() << ": Tab goes from " << Describe(previous->second)
                             << " to " << Describe(h);
      }
      last[group] = h;
    }
  }
}

TEST_F(LookAndFeel, ResultsWindowsOpenBesideTheMainWindowNotOverIt) {
  // On a 1920 x 1080 screen every results window finds room right of the main window.
  const RECT wide{0, 0, 1920, 1040};
  RECT main = ui::OpeningBounds(frmMain->MinimumSize(), SizeOf(frmMain->Handle()), wide);
  for (ui::Form* form : std::vector<ui::Form*>{frmStatistic02, frmStatistic03, frmStatistic04, frmStatistic06,
                                               frmStatistics07, frmStatistic08}) {
    RECT beside = ui::BesideBounds(main, SizeOf(form->Handle()), wide);
    EXPECT_FALSE(Overlap(main, beside)) << form->Caption();
    EXPECT_TRUE(Contains(wide, beside)) << form->Caption();
  }

  // Visual Log shows it there, and the main window stays usable.
  FillStringListPage("One");
  testsupport::Press(frmMain->Vol02.btnVol02Statistic);
  ASSERT_TRUE(frmStatistic02->Visible());
  RECT mainNow{}, shown{};
  GetWindowRect(frmMain->Handle(), &mainNow);
  GetWindowRect(frmStatistic02->Handle(), &shown);
  RECT expected = ui::BesideBounds(mainNow, SizeOf(frmStatistic02->Handle()),
                                   ui::WorkAreaOf(frmMain->Handle()));
  EXPECT_EQ(shown.left, expected.left);
  EXPECT_EQ(shown.top, expected.top);
  EXPECT_TRUE(IsWindowEnabled(frmMain->Handle()));
  EXPECT_FALSE(frmStatistic02->Modal());
}

// Modal windows open centred on the main window, as owned dialogs do on
// Windows: by their page's button, by the menu, or by another window.
TEST_F(LookAndFeel, ModalWindowsOpenCentredOnTheMainWindow) {
  FillStringListPage("One");
  SetWindowPos(frmMain->Handle(), nullptr, 30, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT main{};
  GetWindowRect(frmMain->Handle(), &main);
  ui::Form* const modal[] = {AboutBox, frmAltalanosHelp, frmMoreHelp, frmOverViewHelp, frmVideoTutorials,
                             frmExamplesCopy, frmExamplesCreateFolders, frmExamplesIncreasedNumbers, frmDriveSelect,
                             frmExamplesDelete, frmExamplesRename, frmVol02EditIncludeList, frmVol04EditIncludeList,
                             frmZoomIncludeWindow, frmFileImport, frmFileExport, frmDelimiters, frmQuotationMarks,
                             frmFileSelection, frmLevelSummFolder, ForcedUnSuccessFullForm, SubFolderUnSuccessFullForm,
                             frmSubFolderListBuilder, frmFLLEditIncludeFolderList};
  std::map<ui::Form*, RECT> shownAt;
  for (ui::Form* form : modal)
    seam.OnModal(form, [&shownAt](ui::Form& f) {
      GetWindowRect(f.Handle(), &shownAt[&f]);
      return IDCANCEL;
    });
  ASSERT_TRUE(testsupport::Press(frmMain->Vol02.btnVol02EditIncludeList));  // the road a user takes
  for (ui::Form* form : modal)
    if (!shownAt.count(form)) form->ShowModal();
  for (ui::Form* form : modal) {
    RECT expected = ui::CenteredBounds(main, SizeOf(form->Handle()), ui::WorkAreaOf(frmMain->Handle()));
    ASSERT_TRUE(shownAt.count(form)) << form->Caption();
    EXPECT_EQ(shownAt[form].left, expected.left) << form->Caption();
    EXPECT_EQ(shownAt[form].top, expected.top) << form->Caption();
  }
}

TEST_F(LookAndFeel, PreviewLabelsShortenLongPathsAndShowThemWholeInTheirHint) {
  TfrmMain& m = *frmMain;
  const std::string deep =
      "A very long customer name that does not fit - orders and invoices of the whole year Last";
  FillStringListPage(deep);
  m.pgeMain.SetActivePage(&m.tabFolderCreate01);
  seam.PickFolder(dir->Path());
  testsupport::Press(m.Manual.btnAddRootFolders);
  testsupport::Type(m.Manual.cboSubFolder, deep);

  for (ui::Label* label : {&m.Vol02.lblVol02StartFolder, &m.Vol02.lblVol02EndFolder, &m.Manual.lblSimple02CompleteFolder}) {
    std::string text = label->Text();
    ASSERT_NE(text.find("year Last"), std::string::npos) << text;
    const std::string& hint = label->Hint();
    ASSERT_GE(hint.size(), text.size());
    EXPECT_EQ(hint.substr(hint.size() - text.size()), text);
  }
}

// Every results window fits the smallest screens the program is made for,
// its OK button included: a work area of 1024 x 728 at 96 DPI (the windows as
// they are), and of 1366 x 718 at 120 DPI (each layout with its font scaled,
// its frame as at 96 DPI scaled alike).
TEST_F(LookAndFeel, ResultsWindowsFitTheSmallestScreensWithTheirOkButtonAt96And120Dpi) {
  LayoutOwner owner;
  for (const ResultsWindowRow* row : ResultsWindowRows()) {
    ui::Form* form = nullptr;
    for (ui::Form* f : std::vector<ui::Form*>{frmStatistic02, frmStatistic03, frmStatistic04, frmStatistic06,
                                              frmStatistics07, frmStatistic08})
      if (f->Caption() == row->caption) form = f;
    ASSERT_NE(form, nullptr) << row->caption;
    SCOPED_TRACE(row->caption);
    // 96 DPI: the window at its smallest, and its OK button inside it.
    const SIZE minimum = form->MinimumSize();
    EXPECT_LE(minimum.cx, 1024);
    EXPECT_LE(minimum.cy, 728);
    RECT window{}, client{}, ok{};
    GetWindowRect(form->Handle(), &window);
    GetClientRect(form->Handle(), &client);
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    GetWindowRect(GetDlgItem(form->Handle(), IDC_STAT_OK), &ok);
    EXPECT_LE(ok.bottom - window.top, 728);
    // The frame's parts at 120 DPI: a quarter more than at 96.
    const int frameAbove = (origin.y - window.top) * 5 / 4;
    const int frameWide = ((window.right - window.left) - client.right) * 5 / 4;
    const int frameBelow = ((window.bottom - window.top) - client.bottom - (origin.y - window.top)) * 5 / 4;
    RECT designed{};
    HWND layout = OpenLayout(static_cast<WORD>(row->dialogId), 120, owner.hwnd, &designed);
    ASSERT_TRUE(layout);
    MapDialogRect(layout, &designed);
    const RECT okAt120 = RectIn(GetDlgItem(layout, IDC_STAT_OK), layout);
    DestroyWindow(layout);
    EXPECT_LE(designed.right + frameWide, 1366);
    EXPECT_LE(frameAbove + designed.bottom + frameBelow, 718);
    EXPECT_LE(frameAbove + okAt120.bottom, 718) << "the OK button lies below the work area";
  }
}

// A results window opened beside the main window on a 1024 x 768 screen
// leaves the run buttons of its page in sight (run, simulation, undo), with
// the main window as it opened and at its smallest at the foot of the screen.
TEST_F(LookAndFeel, ResultsWindowsLeaveTheirPagesRunButtonsInSight) {
  TfrmMain& m = *frmMain;
  const RECT work = ui::WorkAreaOf(m.Handle());
  ASSERT_EQ(work.right - work.left, 1024) << "the test screen";
  ASSERT_EQ(work.bottom - work.top, 768) << "the test screen";
  // A folder of the test's own enables each page's Visual Log; no page runs.
  const std::string listed = dir->Path() + "\\Listed";
  testsupport::MakeFolders(listed);
  auto addFolder = [&](ui::Button& add) {
    seam.PickFolder(listed);
    testsupport::Press(add);
  };
  struct PageSeen {
    ui::TabSheet* sheet;
    ui::Form* window;
    ui::Button* visualLog;
    std::vector<ui::Button*> runButtons;
    std::function<void()> fill;  // what the page needs before its Visual Log can be pressed
  } pages[] = {
      {&m.tabFolderCreate03, frmStatistic02, &m.Vol02.btnVol02Statistic,
       {&m.Vol02.btnVol02CreateFolders, &m.Vol02.btnVol02CreateFoldersSimulation, &m.Vol02.btnVol02Undo},
       [&] { FillStringListPage("One"); }},
      {&m.tabFolderCreate04, frmStatistic03, &m.Vol03.btnVol03Statistics,
       {&m.Vol03.btnVol03CreateFolders, &m.Vol03.btnVol03CreateFoldersSimulation, &m.Vol03.btnVol03Undo},
       [&] { addFolder(m.Vol03.btnVol03AddDestFolder); }},
      {&m.tabFolderCreate05, frmStatistic04, &m.Vol04.btnVol04Statistics,
       {&m.Vol04.btnVol04CreateFolders, &m.Vol04.btnVol04CreateFoldersSimulation, &m.Vol04.btnVol04Undo},
       [&] {
         testsupport::Type(m.Vol04.edtVol04AddToList, dir->Path() + "\\New");
         testsupport::Press(m.Vol04.btnVol04AddToList);
       }},
      {&m.tabFoldersRename01, frmStatistic06, &m.Vol06.btnVol06Statistics,
       {&m.Vol06.btnVol06RenameFolders, &m.Vol06.btnVol06RenameFoldersSimulation, &m.Vol06.btnVol06Undo},
       [&] { addFolder(m.Vol06.btnVol06AddFolderToList); }},
      {&m.tabFoldersDelete01, frmStatistics07, &m.Vol07.btnVol07Statistics,
       {&m.Vol07.btnVol07DeleteFolders, &m.Vol07.btnVol07DeleteFoldersSimulation},
       [&] { addFolder(m.Vol07.btnVol07AddFoldersToList); }},
      {&m.tabFoldersCopy02, frmStatistic08, &m.Vol08.btnVol08Statistics,
       {&m.Vol08.btnVol08CopyFolders, &m.Vol08.btnVol08CopyFoldersSimulation, &m.Vol08.btnVol08Undo},
       [&] { addFolder(m.Vol08.btnVol08AddFolderToList); }},
  };
  RECT opened{};
  GetWindowRect(m.Handle(), &opened);
  const SIZE smallest = m.MinimumSize();
  const struct {
    const char* name;
    RECT main;
  } places[] = {
      {"as opened", opened},
      {"at its smallest, at the foot of the screen",
       RECT{work.left, work.bottom - smallest.cy, work.left + smallest.cx, work.bottom}},
  };
  for (const auto& place : places) {
    SetWindowPos(m.Handle(), nullptr, place.main.left, place.main.top, place.main.right - place.main.left,
                 place.main.bottom - place.main.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (PageSeen& page : pages) {
      m.pgeMain.SetActivePage(page.sheet);
      if (!page.visualLog->Enabled()) page.fill();
      const std::string where = std::string(place.name) + ", " + page.window->Caption();
      page.window->Hide();
      ASSERT_TRUE(testsupport::Press(*page.visualLog)) << where;
      ASSERT_TRUE(page.window->Visible()) << where;
      RECT shown{};
      GetWindowRect(page.window->Handle(), &shown);
      EXPECT_TRUE(Contains(work, shown)) << where;
      for (ui::Button* button : page.runButtons) {
        RECT r{};
        GetWindowRect(button->Handle(), &r);
        EXPECT_FALSE(Overlap(shown, r)) << where << ": covers \"" << button->Text() << "\"";
      }
      page.window->Hide();
    }
  }
}

TEST(WindowPlacement, BesideTheMainWindowOrAtTheRightEdgeInsideTheWorkArea) {
  const RECT work{0, 0, 1920, 1040};
  struct Case {
    const char* name;
    RECT main;
    SIZE size;
    RECT expected;
  } cases[] = {
      {"room on the right", {0, 100, 1000, 800}, {800, 600}, {1000, 100, 1800, 700}},
      {"no room: at the right edge", {400, 100, 1400, 800}, {800, 600}, {1120, 100, 1920, 700}},
      {"kept above the bottom", {0, 700, 1000, 1000}, {800, 600}, {1000, 440, 1800, 1040}},
      {"wider than the screen", {0, 0, 1000, 700}, {2000, 600}, {0, 0, 2000, 600}},
  };
  for (const Case& c : cases) {
    RECT r = ui::BesideBounds(c.main, c.size, work);
    EXPECT_TRUE(EqualRect(&r, &c.expected)) << c.name << ": " << r.left << "," << r.top;
  }
}

// With no room on the right, a window against the right edge that would cover
// the part of the main window to keep in sight (the run buttons) goes where it
// leaves it in sight; where nothing leaves it, against the right edge as before.
TEST(WindowPlacement, ARightEdgeWindowLeavesTheRunButtonsInSightWhereTheScreenHasRoom) {
  const RECT work{0, 0, 1024, 768};
  const RECT main{0, 195, 1009, 768};
  struct Case {
    const char* name;
    RECT keep;
    SIZE size;
    RECT expected;
  } cases[] = {
      {"not covered: level with the main window", {726, 740, 870, 760}, {883, 534}, {141, 195, 1024, 729}},
      {"above the buttons", {726, 621, 870, 676}, {883, 534}, {141, 87, 1024, 621}},
      {"below the buttons", {726, 160, 870, 220}, {883, 534}, {141, 220, 1024, 754}},
      {"at the left edge", {900, 100, 1000, 700}, {883, 534}, {0, 195, 883, 729}},
      {"no room anywhere: against the right edge", {200, 300, 900, 500}, {883, 534}, {141, 195, 1024, 729}},
  };
  for (const Case& c : cases) {
    RECT r = ui::BesideBounds(main, c.size, work, &c.keep);
    EXPECT_TRUE(EqualRect(&r, &c.expected)) << c.name << ": " << r.left << "," << r.top;
  }
}

TEST_F(LookAndFeel, CtrlTabAndCtrlPageKeysSwitchPagesAndFocusTheirFirstInput) {
  TfrmMain& m = *frmMain;
  ui::PageControl& pages = m.pgeMain;
  struct Step {
    WPARAM key;
    bool shift;
    ui::TabSheet* expected;
    ui::Control* focused;  // the page's first input
  } steps[] = {
      {VK_TAB, false, &m.tabFolderCreate03, &m.Vol02.cboVol02DestFolders},
      {VK_NEXT, false, &m.tabFolderCreate04, nullptr},
      {VK_TAB, false, &m.tabFolderCreate01, &m.Manual.cboCreateFolderForced},
      {VK_TAB, false, &m.tabFoldersCopy02, &m.Vol08.rdoVol08MakeListSelector},
      {VK_TAB, false, &m.tabFoldersDelete01, nullptr},
      {VK_TAB, false, &m.tabFoldersRename01, &m.Vol06.rdoVol06MakeListSelector},
      {VK_TAB, false, &m.tabFolderCreate05, nullptr},  // round to the first page
      {VK_TAB, true, &m.tabFoldersRename01, &m.Vol06.rdoVol06MakeListSelector},
      {VK_PRIOR, false, &m.tabFoldersDelete01, nullptr},
      {VK_PRIOR, false, &m.tabFoldersCopy02, &m.Vol08.rdoVol08MakeListSelector},
      {VK_PRIOR, false, &m.tabFolderCreate01, &m.Manual.cboCreateFolderForced},
      {VK_PRIOR, false, &m.tabFolderCreate04, nullptr},
      {VK_PRIOR, false, &m.tabFolderCreate03, &m.Vol02.cboVol02DestFolders},
  };
  ASSERT_EQ(pages.ActivePage(), &m.tabFolderCreate05);
  for (const Step& step : steps) {
    PressWithCtrl(step.key, step.shift);
    EXPECT_EQ(pages.ActivePage(), step.expected) << step.expected->Caption();
    EXPECT_TRUE(step.expected->Visible());
    if (step.focused) {
      EXPECT_EQ(m.ActiveControl(), step.focused) << step.expected->Caption();
    }
  }
  // A click on a tab gives the focus to the page's first input, not the strip.
  TabCtrl_SetCurSel(pages.Handle(), 3);
  NMHDR header{pages.Handle(), static_cast<UINT_PTR>(IDC_PGEMAIN), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(m.Handle(), WM_NOTIFY, IDC_PGEMAIN, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(pages.ActivePage(), &m.tabFolderCreate01);
  EXPECT_EQ(m.ActiveControl(), &m.Manual.cboCreateFolderForced);
}

} // namespace
