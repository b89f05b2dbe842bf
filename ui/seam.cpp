#include "ui/seam.h"

#include "core/textutil.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>

namespace ui {

namespace {
Seam g_realSeam;
Seam* g_seam = &g_realSeam;
RunModalFn g_runModal = nullptr;
PickFolderFn g_pickFolder = nullptr;

// "Text (*.txt)|*.txt" -> the double-zero-terminated form the dialogs take.
std::string DialogFilter(const std::string& filter) {
  std::string out = filter;
  for (char& c : out)
    if (c == '|') c = '\0';
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED && data)
    SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}
} // namespace

Seam& seam() { return *g_seam; }

Seam* InstallSeam(Seam* replacement) {
  Seam* previous = g_seam;
  g_seam = replacement ? replacement : &g_realSeam;
  return previous == &g_realSeam ? nullptr : previous;
}

void SetRealRunModal(RunModalFn fn) { g_runModal = fn; }
void SetRealFolderPicker(PickFolderFn fn) { g_pickFolder = fn; }

int Seam::MessageBox(HWND owner, BoxOwner kind, const std::string& text,
                     const std::string& caption, unsigned flags) {
  UINT extra = kind == BoxOwner::None ? MB_TASKMODAL : 0;
  return ::MessageBoxA(kind == BoxOwner::None ? nullptr : owner, text.c_str(), caption.c_str(),
                       flags | extra);
}

int Seam::RunModal(Form& form) { return g_runModal ? g_runModal(form) : IDCANCEL; }

namespace {

// Text of this code page in Unicode (embedded NULs kept).
std::wstring Widened(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
  return wide;
}

} // namespace

bool Seam::FileDialog(FileDialogRequest& r) {
  // In Unicode: the file chosen comes back with each letter the code page
  // cannot spell as "?", never a look-alike naming another file.
  const std::wstring filter = Widened(DialogFilter(r.filter)), initialDir = Widened(r.initialDir),
                     title = Widened(r.title), defaultExt = Widened(r.defaultExt);
  std::vector<wchar_t> buffer(32768, L'\0');
  const std::wstring proposed = Widened(r.fileName);
  std::wcsncpy(buffer.data(), proposed.c_str(), buffer.size() - 1);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = r.owner;
  ofn.lpstrFilter = r.filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = r.filterIndex;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = r.initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.lpstrTitle = r.title.empty() ? nullptr : title.c_str();
  ofn.lpstrDefExt = r.defaultExt.empty() ? nullptr : defaultExt.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (r.overwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (r.fileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  BOOL ok = r.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!ok) return false;
  r.fileName = core::SpelledName(buffer.data(), wcslen(buffer.data()));
  r.filterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

bool Seam::PickFolder(FolderPickRequest& r) {
  if (g_pickFolder) return g_pickFolder(r);
  // Plain shell folder browser, used until a richer picker registers itself.
  char display[MAX_PATH] = "";
  BROWSEINFOA bi{};
  bi.hwndOwner = r.owner;
  bi.pszDisplayName = display;
  bi.lpszTitle = r.title.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS | (r.withEditBox ? BIF_EDITBOX : 0);
  bi.lpfn = BrowseCallback;
  bi.lParam = r.initialFolder.empty() ? 0 : reinterpret_cast<LPARAM>(r.initialFolder.c_str());
  LPITEMIDLIST pidl = SHBrowseForFolderA(&bi);
  if (!pidl) return false;
  // Read in Unicode: a letter the code page cannot spell is "?", never a
  // look-alike naming another folder.
  wchar_t path[MAX_PATH] = L"";
  BOOL ok = SHGetPathFromIDListW(pidl, path);
  CoTaskMemFree(pidl);
  if (!ok) return false;
  r.result = core::SpelledName(path, wcslen(path));
  return true;
}

bool Seam::ShellOpen(HWND owner, const std::string& file, const std::string& parameters,
                     const std::string& directory, int show) {
  HINSTANCE h = ShellExecuteA(owner, "open", file.c_str(),
                              parameters.empty() ? nullptr : parameters.c_str(),
                              directory.empty() ? nullptr : directory.c_str(), show);
  return reinterpret_cast<INT_PTR>(h) > 32;
}

bool Seam::HelpQuit(HWND owner, const std::string& helpFile) {
  return WinHelpA(owner, helpFile.c_str(), HELP_QUIT, 0) != FALSE;
}

} // namespace ui
