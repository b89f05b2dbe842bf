// The main window's pages as the program starts: the page in view is built
// with the window, every other one when it is first shown, when anything asks
// for one of its controls, or in idle time. Whichever road builds a page, the
// user finds it the same.
#include "app/frmMain.h"
#include "core/settings_file.h"
#include "core/settings_store.h"
#include "support/press.h"
#include "support/program_fixture.h"
#include "ui/application.h"
#include "ui/run_lock.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using testsupport::ProgramTest;

namespace {

// Everything a user sees of a sheet, control by control in its order: class,
// id, place, shown, enabled, text, check state, list counts and selection.
std::vector<std::string> Seen(HWND sheet) {
  std::vector<std::string> out;
  for (HWND h = GetWindow(sheet, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    char cls[64] = "", text[512] = "";
    GetClassNameA(h, cls, sizeof cls);
    GetWindowTextA(h, text, sizeof text);
    RECT r{};
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&r), 2);
    std::string line = std::string(cls) + " " + std::to_string(GetDlgCtrlID(h)) + " " +
                       std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
                       "," + std::to_string(r.bottom) + (IsWindowVisible(h) ? " shown" : " hidden") +
                       (IsWindowEnabled(h) ? " enabled" : " disabled") + " [" + text + "]";
    if (lstrcmpiA(cls, "Button") == 0) line += " check " + std::to_string(SendMessageA(h, BM_GETCHECK, 0, 0));
    if (lstrcmpiA(cls, "ListBox") == 0)
      line += " count " + std::to_string(SendMessageA(h, LB_GETCOUNT, 0, 0)) + " extent " +
              std::to_string(SendMessageA(h, LB_GETHORIZONTALEXTENT, 0, 0));
    if (lstrcmpiA(cls, "ComboBox") == 0)
      line += " count " + std::to_string(SendMessageA(h, CB_GETCOUNT, 0, 0)) + " at " +
              std::to_string(SendMessageA(h, CB_GETCURSEL, 0, 0));
    out.push_back(line);
  }
  return out;
}

class PageStart : public ProgramTest {
protected:
  std::vector<ui::TabSheet*> Sheets() {
    std::vector<ui::TabSheet*> sheets;
    for (int i = 0; i < frmMain->pgeMain.PageCount(); ++i) sheets.push_back(frmMain->pgeMain.Page(i));
    return sheets;
  }
  std::vector<std::string> ShowAndSee(ui::TabSheet* sheet) {
    frmMain->pgeMain.SetActivePage(sheet);
    ui::App().ProcessMessages();
    return Seen(sheet->Handle());
  }
};

TEST_F(PageStart, OnlyThePageInViewIsBuiltAtStartAndTheTabsAreAllThere) {
  EXPECT_EQ(frmMain->pgeMain.ActivePage(), &frmMain->tabFolderCreate05);
  for (ui::TabSheet* sheet : Sheets())
    EXPECT_EQ(sheet->Built(), sheet == &frmMain->tabFolderCreate05) << sheet->Caption();
  // The tab strip names every page with a visible tab from its layout.
  std::vector<std::string> captions;
  for (ui::TabSheet* sheet : Sheets())
    if (sheet->TabVisible()) captions.push_back(sheet->Caption());
  EXPECT_EQ(frmMain->pgeMain.TabCaptions(), captions);
  ASSERT_FALSE(captions.empty());
  EXPECT_EQ(captions.front(), "Creating Folder(s)   - From a List of Paths.");
  EXPECT_EQ(frmMain->tabFoldersRename01.Caption(), " Rename Multiple Folders ");
}

// Every page looks the same opened at once after the start as opened after
// idle time built every page first, or after one of its controls was asked for.
TEST_F(PageStart, EveryPageIsTheSameWhicheverRoadBuildsIt) {
  std::vector<std::vector<std::string>> atOnce;
  for (size_t i = 0; i < Sheets().size(); ++i) {
    StopProgram();
    StartProgram();
    atOnce.push_back(ShowAndSee(Sheets()[i]));
    EXPECT_GT(atOnce.back().size(), 10u) << Sheets()[i]->Caption();
  }

  StopProgram();
  StartProgram();
  int built = 0;
  while (ui::App().BuildNextWaitingSheet()) ++built;
  EXPECT_EQ(built, 6);
  for (size_t i = 0; i < Sheets().size(); ++i) EXPECT_EQ(ShowAndSee(Sheets()[i]), atOnce[i]) << Sheets()[i]->Caption();

  // Asked for first: the numbers page's start number, before the page shows.
  StopProgram();
  StartProgram();
  EXPECT_EQ(frmMain->Vol03.edtVol03StartNumber.Text(), "1");
  EXPECT_FALSE(frmMain->tabFolderCreate04.Visible());
  const size_t numbers = static_cast<size_t>(frmMain->tabFolderCreate04.PageIndex());
  EXPECT_EQ(ShowAndSee(&frmMain->tabFolderCreate04), atOnce[numbers]);
}

// A page built after the main window was activated shows what that activation
// would have shown it: the delete and copy pages' file-type captions follow the
// saved pattern line whether the page was built before or after.
TEST_F(PageStart, APageBuiltAfterAnActivationShowsWhatTheActivationShows) {
  for (bool builtFirst : {false, true}) {
    SCOPED_TRACE(builtFirst ? "built before" : "built after");
    StopProgram();
    StartProgram();
    if (builtFirst) frmMain->tabFoldersCopy02.Handle(), frmMain->tabFoldersDelete01.Handle();
    // As the file selection window's OK stores a line and saves it.
    core::Settings().SetFilePatternLine("*.txt");
    ASSERT_TRUE(core::SaveClass(dir->Path() + "\\default.set").Save());
    frmMain->FormActivate();  // as switching back to the main window runs it
    EXPECT_EQ(frmMain->tabFoldersCopy02.Built(), builtFirst);
    EXPECT_EQ(frmMain->tabFoldersDelete01.Built(), builtFirst);
    EXPECT_EQ(frmMain->Vol08.lblVol08FileTypesAllSelected.Text(), "User Selected.");
    EXPECT_EQ(frmMain->Vol07.lblVol07FileTypesAllSelected.Text(), "User Selected.");
    core::Settings().SetFilePatternLine("*.*");
    ASSERT_TRUE(core::SaveClass(dir->Path() + "\\default.set").Save());
  }
}

// A run locks the other pages, built or not; a page built while locked is
// locked, and every page is free again after the run.
TEST_F(PageStart, APageLockedBeforeItIsBuiltIsLockedWhenBuilt) {
  std::vector<ui::TabSheet*> others;
  for (ui::TabSheet* sheet : Sheets())
    if (sheet != &frmMain->tabFolderCreate05) others.push_back(sheet);
  {
    ui::RunLock lock({}, others);  // as the path-list page's run takes it
    EXPECT_FALSE(frmMain->tabFoldersCopy02.Enabled());
    EXPECT_FALSE(frmMain->tabFolderCreate03.Built());
    EXPECT_FALSE(testsupport::Reachable(frmMain->Vol02.btnVol02AddDestFolder));
    EXPECT_FALSE(IsWindowEnabled(frmMain->tabFolderCreate03.Handle()));
  }
  for (ui::TabSheet* sheet : Sheets()) EXPECT_TRUE(IsWindowEnabled(sheet->Handle())) << sheet->Caption();
}

} // namespace
