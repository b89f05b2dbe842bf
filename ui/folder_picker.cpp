#include "ui/folder_picker.h"

#include "ui/seam.h"

#include <commctrl.h>
#include <shlobj.h>

#include <vector>

namespace ui {

namespace {

constexpr UINT_PTR kCheckBoxSubclassId = 0x5646;  // one id for our check-box subclass

// What one open picker owns: its added controls, the fonts made for them
// (deleted once the picker has closed) and the folder to select at start.
struct PickerState {
  std::string initialFolder;
  HWND edit = nullptr;
  HWND check = nullptr;
  std::vector<HFONT> fonts;
};

void SyncEdit(HWND check, HWND edit) {
  bool ticked = SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED;
  ShowWindow(edit, ticked ? SW_SHOW : SW_HIDE);
}

// An automatic check box changes its tick through BM_SETCHECK, whether the
// user clicked it, pressed the space bar or code set it: follow every one.
LRESULT CALLBACK BrowseCheckBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR data) {
  HWND edit = reinterpret_cast<HWND>(data);
  if (msg == BM_SETCHECK) {
    LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
    SyncEdit(hwnd, edit);
    return result;
  }
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, BrowseCheckBoxProc, id);
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// A copy of the control's current font with the picker's face, height and
// weight; the font is kept in state for deletion after the picker closes.
void SetPickerControlFont(HWND control, PickerState& state) {
  HFONT current = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  if (!current) current = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTA lf{};
  if (!GetObjectA(current, sizeof lf, &lf)) return;
  lstrcpynA(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE);
  lf.lfHeight = 12;
  lf.lfWeight = FW_NORMAL;
  HFONT font = CreateFontIndirectA(&lf);
  if (!font) return;
  state.fonts.push_back(font);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void AddPickerControls(HWND dialog, PickerState& state) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  state.edit = CreateWindowExA(0, "EDIT", "Dummy", 0x50800080, 0, 0, 0, 0, dialog, nullptr,
                               instance, nullptr);
  state.check = CreateWindowExA(0, "BUTTON", "Show the edit control.", 0x52000003, 0, 0, 0, 0,
                                dialog, nullptr, instance, nullptr);
  if (!state.edit || !state.check) return;

  HWND tree = FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr);
  if (!tree) {
    // The new dialog style keeps the tree inside a host window.
    for (HWND child = GetWindow(dialog, GW_CHILD); child && !tree;
         child = GetWindow(child, GW_HWNDNEXT))
      tree = FindWindowExA(child, nullptr, "SysTreeView32", nullptr);
  }
  if (tree) {
    // Make room under the tree (or its host) for the check box and the edit box.
    HWND top = tree;
    while (GetParent(top) && GetParent(top) != dialog) top = GetParent(top);
    RECT t{};
    GetWindowRect(top, &t);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&t), 2);
    MoveWindow(top, t.left, t.top - 20, 290, 170, TRUE);
    SetWindowPos(state.check, HWND_BOTTOM, t.left, t.top + 155, 290, 14, SWP_SHOWWINDOW);
    SetWindowPos(state.edit, HWND_BOTTOM, t.left, t.top + 175, 290, 18, SWP_SHOWWINDOW);
  }
  SetPickerControlFont(state.edit, state);
  SetPickerControlFont(state.check, state);
  MakeEditFollowCheckBox(state.check, state.edit);
  SendMessageA(state.check, BM_SETCHECK, BST_CHECKED, 0);
}

int CALLBACK BrowseCallbackProc(HWND hwnd, UINT msg, LPARAM lParam, LPARAM data) {
  PickerState& state = *reinterpret_cast<PickerState*>(data);
  if (msg == BFFM_INITIALIZED) {
    AddPickerControls(hwnd, state);
    if (!state.initialFolder.empty())
      SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE,
                   reinterpret_cast<LPARAM>(state.initialFolder.c_str()));
  } else if (msg == BFFM_SELCHANGED && state.edit) {
    char path[MAX_PATH] = "";
    if (!SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path)) path[0] = '\0';
    SetWindowTextA(state.edit, path);
  }
  return 0;
}

} // namespace

void MakeEditFollowCheckBox(HWND check, HWND edit) {
  SetWindowSubclass(check, BrowseCheckBoxProc, kCheckBoxSubclassId,
                    reinterpret_cast<DWORD_PTR>(edit));
  SyncEdit(check, edit);
}

std::string BrowseForFolder(HWND owner, const std::string& title,
                            const std::string& initialFolder) {
  IMalloc* allocator = nullptr;
  if (FAILED(SHGetMalloc(&allocator)) || !allocator) return std::string();
  PickerState state;
  state.initialFolder = initialFolder;
  BROWSEINFOA bi{};
  bi.hwndOwner = owner;
  bi.lpszTitle = title.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
  bi.lpfn = BrowseCallbackProc;
  bi.lParam = reinterpret_cast<LPARAM>(&state);
  std::string result;
  LPITEMIDLIST pidl = SHBrowseForFolderA(&bi);
  if (pidl) {
    char path[MAX_PATH] = "";
    if (SHGetPathFromIDListA(pidl, path)) result = path;
    allocator->Free(pidl);
  }
  allocator->Release();
  // The picker and its controls are gone: their fonts can go too.
  for (HFONT font : state.fonts) DeleteObject(font);
  return result;
}

bool PickFolderWithPicker(ui::FolderPickRequest& request) {
  const std::string title = request.title.empty() ? "Browse Title" : request.title;
  request.result = BrowseForFolder(request.owner, title, request.initialFolder);
  return !request.result.empty();
}

void RegisterFolderPicker() { ui::SetRealFolderPicker(&PickFolderWithPicker); }

} // namespace ui
