#include "ui/dialogs.h"

#include "core/textutil.h"
#include "ui/application.h"
#include "ui/form.h"

namespace ui {

namespace {
HWND OwnerHandle(Form* owner) {
  return owner ? owner->Handle() : App().ActiveWindowHandle();
}

// The file dialogs move the current directory to the folder the user browsed
// to (the open dialog even when told not to); the program's current directory
// is its own, so every dialog gives it back as it found it.
bool KeepingCurrentDirectory(FileDialogRequest& request) {
  std::string kept(MAX_PATH, '\0');
  const DWORD n = GetCurrentDirectoryA(MAX_PATH, &kept[0]);
  kept.resize(n > 0 && n < MAX_PATH ? n : 0);
  const bool chosen = seam().FileDialog(request);
  if (!kept.empty()) SetCurrentDirectoryA(kept.c_str());
  return chosen;
}
} // namespace

bool OpenDialog::Execute(Form* owner) {
  FileDialogRequest r;
  r.save = false;
  r.owner = OwnerHandle(owner);
  r.title = Title;
  r.filter = Filter;
  r.filterIndex = FilterIndex;
  r.defaultExt = DefaultExt;
  r.initialDir = InitialDir;
  r.fileName = FileName;
  r.fileMustExist = true;
  if (!KeepingCurrentDirectory(r)) return false;
  FileName = r.fileName;
  FilterIndex = r.filterIndex;
  return true;
}

bool SaveDialog::Execute(Form* owner) {
  FileDialogRequest r;
  r.save = true;
  r.owner = OwnerHandle(owner);
  r.title = Title;
  r.filter = Filter;
  r.filterIndex = FilterIndex;
  r.defaultExt = DefaultExt;
  r.initialDir = InitialDir;
  r.fileName = FileName;
  r.overwritePrompt = OverwritePrompt;
  if (!KeepingCurrentDirectory(r)) return false;
  FileName = r.fileName;
  FilterIndex = r.filterIndex;
  return true;
}

bool ShellOpen(const std::string& file, const std::string& parameters,
               const std::string& directory) {
  return seam().ShellOpen(App().ActiveWindowHandle(), file, parameters, directory, SW_SHOWNORMAL);
}

bool OpenFolder(const std::string& folder, HWND owner) {
  if (folder.empty() || !core::IsExistingDirectory(folder)) return false;
  seam().ShellOpen(owner ? owner : App().ActiveWindowHandle(), folder, "", "", SW_SHOWNORMAL);
  return true;
}

} // namespace ui
