// Common dialogs and the shell, through the seam so tests can answer them. No
// file dialog leaves the current directory changed.
#pragma once
#include "ui/seam.h"

#include <string>

namespace ui {

class Form;

struct OpenDialog {
  std::string Title;
  std::string Filter;
  int FilterIndex = 1;
  std::string DefaultExt;
  std::string InitialDir;
  std::string FileName;
  bool Execute(Form* owner);
};

struct SaveDialog {
  std::string Title;
  std::string Filter;
  int FilterIndex = 1;
  std::string DefaultExt;
  std::string InitialDir;
  std::string FileName;
  bool OverwritePrompt = true;
  bool Execute(Form* owner);
};

// The shell's "open" of a file, folder or address, normal window.
bool ShellOpen(const std::string& file, const std::string& parameters = "",
               const std::string& directory = "");

// Shows a folder in the shell, and only a folder: "open" on a file would start
// it (a program, a batch file), so a path that is no existing folder (a file,
// or nothing at all) never reaches the shell. False then, and the caller warns.
// owner null: the active window.
bool OpenFolder(const std::string& folder, HWND owner = nullptr);

} // namespace ui
