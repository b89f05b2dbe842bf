#include "ui/dialogs.h"

#include "ui/application.h"
#include "ui/form.h"

namespace ui {

namespace {
HWND OwnerHandle(Form* owner) {
  return owner ? owner->Handle() : App().ActiveWindowHandle();
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
  if (!seam().FileDialog(r)) return false;
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
  if (!seam().FileDialog(r)) return false;
  FileName = r.fileName;
  FilterIndex = r.filterIndex;
  return true;
}

bool ShellOpen(const std::string& file, const std::string& parameters,
               const std::string& directory) {
  return seam().ShellOpen(App().ActiveWindowHandle(), file, parameters, directory, SW_SHOWNORMAL);
}

} // namespace ui
