// Everything that waits for a person, or that a test cannot stage on a real
// machine, goes through one replaceable interface: message boxes, modal forms,
// file dialogs, the folder picker, the shell's "open" and the help engine. The
// program installs the real one; a test installs a script that answers and
// records what was shown.
#pragma once
#include "core/free_space.h"

#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace ui {

class Form;

// Who owns a message box: one of our windows, or none (the "system" box).
enum class BoxOwner { Window, None };

struct FileDialogRequest {
  bool save = false;
  HWND owner = nullptr;
  std::string title;
  std::string filter;        // "Text files (*.txt)|*.txt|All files (*.*)|*.*"
  int filterIndex = 1;       // 1-based, as Windows counts
  std::string defaultExt;    // without the dot
  std::string initialDir;
  std::string fileName;      // in: proposed name; out: chosen path
  bool overwritePrompt = false;
  bool fileMustExist = false;
};

struct FolderPickRequest {
  HWND owner = nullptr;
  std::string title;         // text above the tree
  std::string initialFolder; // folder selected when the picker opens
  bool withEditBox = false;  // the picker's extra edit box for a typed path
  std::string result;        // out: the folder picked
};

// The free space of a drive is an engine service (core/free_space.h).
using DiskSpace = core::DiskSpace;

class Seam {
public:
  virtual ~Seam() = default;
  // Returns the button pressed (IDOK 1, IDYES 6, IDNO 7 ...).
  virtual int MessageBox(HWND owner, BoxOwner kind, const std::string& text,
                         const std::string& caption, unsigned flags);
  // Runs a shown form modally until its modal result is set; returns it.
  virtual int RunModal(Form& form);
  virtual bool FileDialog(FileDialogRequest& request);
  virtual bool PickFolder(FolderPickRequest& request);
  // ShellExecuteA with the verb "open"; true when the shell accepted it.
  virtual bool ShellOpen(HWND owner, const std::string& file, const std::string& parameters,
                         const std::string& directory, int show);
  // WinHelpA(owner, helpFile, HELP_QUIT, 0).
  virtual bool HelpQuit(HWND owner, const std::string& helpFile);
};

// The seam in force (the real one unless a test installed its own).
Seam& seam();
// Installs a seam (nullptr: back to the real one). Returns the previous one.
Seam* InstallSeam(Seam* replacement);

// Hooks filled by the window layer and the folder picker so the real seam can
// reach them without the engine library depending on windows.
using RunModalFn = int (*)(Form&);
using PickFolderFn = bool (*)(FolderPickRequest&);
void SetRealRunModal(RunModalFn fn);
void SetRealFolderPicker(PickFolderFn fn);

} // namespace ui
