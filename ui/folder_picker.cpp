#include "ui/folder_picker.h"

#include "core/textutil.h"
#include "ui/layout.h"
#include "ui/seam.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cwchar>


namespace ui {

namespace {

constexpr UINT_PTR kCheckBoxSubclassId = 0x5646;  // one id for our check-box subclass

// What one open picker owns: its added controls, where it left the tree (to
// tell its own layout from ours) and the folder to select at start.
struct PickerState {
  std::string initialFolder;
  HWND edit = nullptr;
  HWND check = nullptr;
  int treeBottom = -1;   // the tree's bottom as we left it
  int clientHeight = 0;  // the dialog's client height then
};

constexpr UINT_PTR kDialogSubclassId = 0x5647;

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

// The added controls speak in the picker's own font.
void SetPickerControlFont(HWND control, HWND dialog) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// The tree, or the host window the new dialog style keeps it in.
HWND FindTreeArea(HWND dialog) {
  HWND tree = FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr);
  for (HWND child = GetWindow(dialog, GW_CHILD); child && !tree;
       child = GetWindow(child, GW_HWNDNEXT))
    tree = FindWindowExA(child, nullptr, "SysTreeView32", nullptr);
  if (!tree) return nullptr;
  while (GetParent(tree) && GetParent(tree) != dialog) tree = GetParent(tree);
  return tree;
}

// Heights of the band under the tree, in the dialog's units: gap, check box,
// gap, edit box, gap.
constexpr int kGapDlu = 3, kCheckDlu = 10, kEditDlu = 12;

int BandHeight(HWND dialog) {
  RECT band{0, 0, 0, 3 * kGapDlu + kCheckDlu + kEditDlu};
  MapDialogRect(dialog, &band);
  return band.bottom;
}

// After the picker has laid itself out: the tree gives up a band at its
// bottom, and the check box and edit box fill it.
void PlacePickerControls(HWND dialog, PickerState& state) {
  HWND area = FindTreeArea(dialog);
  if (!area || !state.check || !state.edit) return;
  RECT t{};
  GetWindowRect(area, &t);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&t), 2);
  RECT client{};
  GetClientRect(dialog, &client);
  // A picker that moves its controls by the change of size has kept our cut.
  bool alreadyCut = state.treeBottom >= 0 &&
                    t.bottom == state.treeBottom + (client.bottom - state.clientHeight);
  int band = BandHeight(dialog);
  if (!alreadyCut) t.bottom -= band;
  RECT gapUnits{0, 0, 0, kGapDlu}, checkUnits{0, 0, 0, kCheckDlu};
  MapDialogRect(dialog, &gapUnits);
  MapDialogRect(dialog, &checkUnits);
  int gap = gapUnits.bottom, checkHeight = checkUnits.bottom;
  int editHeight = band - 3 * gap - checkHeight;
  int width = t.right - t.left;
  SetWindowPos(area, nullptr, t.left, t.top, width, t.bottom - t.top, SWP_NOZORDER | SWP_NOACTIVATE);
  // After the tree in the tab order: tree, check box, edit box.
  SetWindowPos(state.check, area, t.left, t.bottom + gap, width, checkHeight, SWP_NOACTIVATE);
  SetWindowPos(state.edit, state.check, t.left, t.bottom + 2 * gap + checkHeight, width, editHeight,
               SWP_NOACTIVATE);
  state.treeBottom = t.bottom;
  state.clientHeight = client.bottom;
}

LRESULT CALLBACK PickerDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR data) {
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, PickerDialogProc, id);
  LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
  if (msg == WM_SIZE && wParam != SIZE_MINIMIZED)
    PlacePickerControls(hwnd, *reinterpret_cast<PickerState*>(data));
  return result;
}

void AddPickerControls(HWND dialog, PickerState& state) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  state.edit = CreateWindowExA(0, "EDIT", "Dummy", 0x50800080, 0, 0, 0, 0, dialog, nullptr,
                               instance, nullptr);
  state.check = CreateWindowExA(0, "BUTTON", "Show the edit control.", 0x52000003 | WS_TABSTOP,
                                0, 0, 0, 0, dialog, nullptr, instance, nullptr);
  if (!state.edit || !state.check) return;
  SetPickerControlFont(state.edit, dialog);
  SetPickerControlFont(state.check, dialog);
  MakeEditFollowCheckBox(state.check, state.edit);
  SendMessageA(state.check, BM_SETCHECK, BST_CHECKED, 0);

  // Grow the dialog by the band; its own layout gives the room to the tree,
  // which hands it to our controls (on this and every later resize).
  SetWindowSubclass(dialog, PickerDialogProc, kDialogSubclassId, reinterpret_cast<DWORD_PTR>(&state));
  RECT d{};
  GetWindowRect(dialog, &d);
  SIZE size{d.right - d.left, d.bottom - d.top + BandHeight(dialog)};
  RECT r{d.left, d.top, d.left + size.cx, d.top + size.cy};
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner && IsWindowVisible(owner)) {
    RECT o{};
    GetWindowRect(owner, &o);
    r = ui::CenteredBounds(o, size, ui::WorkAreaOf(owner));
  }
  SetWindowPos(dialog, nullptr, r.left, r.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  PlacePickerControls(dialog, state);  // also when the size did not change
}

int CALLBACK BrowseCallbackProc(HWND hwnd, UINT msg, LPARAM lParam, LPARAM data) {
  PickerState& state = *reinterpret_cast<PickerState*>(data);
  if (msg == BFFM_INITIALIZED) {
    AddPickerControls(hwnd, state);
    if (!state.initialFolder.empty())
      SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE,
                   reinterpret_cast<LPARAM>(state.initialFolder.c_str()));
  } else if (msg == BFFM_SELCHANGED && state.edit) {
    wchar_t path[MAX_PATH] = L"";
    if (!SHGetPathFromIDListW(reinterpret_cast<LPCITEMIDLIST>(lParam), path)) path[0] = L'\0';
    SetWindowTextA(state.edit, core::SpelledName(path, wcslen(path)).c_str());
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
    // A letter the code page cannot spell is "?", never a look-alike naming another folder.
    wchar_t path[MAX_PATH] = L"";
    if (SHGetPathFromIDListW(pidl, path)) result = core::SpelledName(path, wcslen(path));
    allocator->Free(pidl);
  }
  allocator->Release();
  return result;
}

bool PickFolderWithPicker(ui::FolderPickRequest& request) {
  const std::string title = request.title.empty() ? "Browse Title" : request.title;
  request.result = BrowseForFolder(request.owner, title, request.initialFolder);
  return !request.result.empty();
}

void RegisterFolderPicker() { ui::SetRealFolderPicker(&PickFolderWithPicker); }

} // namespace ui
