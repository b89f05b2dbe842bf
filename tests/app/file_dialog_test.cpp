// The system's own file dialogs, driven as a user drives them (browse to a
// folder, then pick the file): no dialog leaves the program's current
// directory changed, so nothing the user browsed to becomes protected.
#include "tests/app/creation_page_fixture.h"

#include <windows.h>

using namespace creationtest;

namespace {

// The user's steps in the dialog that is open: each is typed into its file
// name box and confirmed (a folder's path opens that folder).
std::vector<std::string> g_steps;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

void CALLBACK NextStep(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  if (g_steps.empty()) {
    KillTimer(nullptr, timer);
    return;
  }
  HWND name = GetDlgItem(dialog, 0x47c);  // the file name box (cmb13)
  if (!name) name = GetDlgItem(dialog, 0x480);
  SetWindowTextA(name, g_steps.front().c_str());
  g_steps.erase(g_steps.begin());
  if (g_steps.empty()) KillTimer(nullptr, timer);
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

class FileDialogs : public CreationPageTest {
protected:
  // The next file dialog is the system's own: the user browses to folder and picks file in it.
  void BrowseAndPick(const std::string& folder, const std::string& file) {
    seam.OnFileDialog([folder, file](ui::FileDialogRequest& request) {
      g_steps = {folder, file};
      const UINT_PTR timer = SetTimer(nullptr, 0, 50, NextStep);
      ui::Seam system;
      const bool chosen = system.FileDialog(request);
      KillTimer(nullptr, timer);
      return chosen;
    });
  }
};

TEST_F(FileDialogs, ExportAndImportListLeaveTheCurrentDirectoryAsItWas) {
  const std::string start = testsupport::CurrentDirectory();
  const std::string lists = dir->AddFolder("lists");
  const std::string main = dest.AddFolder("Main");
  CopyPage& copy = frmMain->Vol08;
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersCopy02);
  PickWith(copy.btnVol08AddFolderToList, main);

  BrowseAndPick(lists, "copy.txt");
  seam.Answer(ui::App().Title, IDOK);  // "End of the saving process."
  Press(copy.btnVol08SaveTo);
  EXPECT_EQ(ReadFile(lists + "\\copy.txt"), main + "\r\n");
  EXPECT_EQ(testsupport::CurrentDirectory(), start);

  BrowseAndPick(lists, "copy.txt");
  seam.Answer("no: 0270", IDYES);
  seam.Answer(ui::App().Title, IDOK);  // "End of the loading process."
  Press(copy.btnVol08LoadFrom);
  EXPECT_EQ(copy.lstVol08IncludeFolderList.Items(), Strings{main});
  EXPECT_EQ(testsupport::CurrentDirectory(), start);

  // The folder browsed to is no protected folder for the Delete page.
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersDelete01);
  PickWith(frmMain->Vol07.btnVol07AddFoldersToList, lists);
  EXPECT_EQ(frmMain->Vol07.lstVol07IncludeFolderList.Items(), Strings{lists});
  EXPECT_EQ(Box("0620"), nullptr);
}

} // namespace
