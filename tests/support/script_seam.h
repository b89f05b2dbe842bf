// Answers boxes, modal forms, file dialogs and the folder picker from a script; records all shown.
#pragma once
#include "support/free_space_script.h"
#include "ui/seam.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

struct ShownBox {
  ui::BoxOwner owner;
  std::string text;
  std::string caption;
  unsigned flags;
  int answer;
  bool scripted;
  HWND ownerWindow = nullptr;  // the window handle given as owner
};

// A whole box in one text, to compare caption, flags and text at once.
std::string Box(const std::string& caption, unsigned flags, const std::string& text);

class ScriptSeam : public ui::Seam {
public:
  ScriptSeam();
  ~ScriptSeam() override;

  // The next box whose caption contains captionPart gets this answer.
  void Answer(const std::string& captionPart, int answer);
  // The same, and meanwhile runs while the box is open (what happens on the
  // disk while a user reads the question), before the answer is given.
  void Answer(const std::string& captionPart, int answer, std::function<void()> meanwhile);
  // The form's next modal showing runs fill on screen; it returns the result (0: the form's own).
  void OnModal(ui::Form* form, std::function<int(ui::Form&)> fill);
  void OnFileDialog(std::function<bool(ui::FileDialogRequest&)> answer);
  void OnPickFolder(std::function<bool(ui::FolderPickRequest&)> answer);
  // The next file dialog answers with path, the next folder picker with folder.
  void ChooseFile(const std::string& path);
  void PickFolder(const std::string& folder);
  // Free space reported for a drive root ("C:\") while the seam lives; other roots ask the system.
  void SetFreeSpace(const std::string& root, core::DiskSpace space) { freeSpace_.Set(root, space); }

  std::vector<ShownBox> boxes;
  std::vector<std::string> modalForms;  // captions of forms shown modally
  std::vector<ui::FileDialogRequest> fileDialogs;
  std::vector<ui::FolderPickRequest> folderPicks;
  std::vector<std::string> shellOpens;  // "file|parameters|directory"
  std::vector<std::string> shellOpenCurrentDirs;  // the current directory at each open
  std::vector<std::string> helpQuitCurrentDirs;
  std::vector<std::string> helpQuits;
  bool shellResult = true;
  bool helpResult = true;
  // Boxes, windows and dialogs asked for from another thread than the one the
  // seam was made on (the windows' thread): each would be a fault.
  int offThread = 0;

  // The captions of all boxes shown, in order.
  std::vector<std::string> Captions() const;
  // All boxes shown, in order, each as Box() writes it.
  std::vector<std::string> Shown() const;
  const ShownBox& Last() const { return boxes.back(); }
  // Boxes that came with no scripted answer (tests usually expect none).
  int Unscripted() const;

  int MessageBox(HWND owner, ui::BoxOwner kind, const std::string& text,
                 const std::string& caption, unsigned flags) override;
  int RunModal(ui::Form& form) override;
  bool FileDialog(ui::FileDialogRequest& request) override;
  bool PickFolder(ui::FolderPickRequest& request) override;
  bool ShellOpen(HWND owner, const std::string& file, const std::string& parameters,
                 const std::string& directory, int show) override;
  bool HelpQuit(HWND owner, const std::string& helpFile) override;

private:
  void Asked() {
    if (GetCurrentThreadId() != thread_) ++offThread;
  }
  DWORD thread_ = GetCurrentThreadId();
  ui::Seam* previous_;
  struct Scripted {
    std::string captionPart;
    int answer;
    std::function<void()> meanwhile;
  };
  std::deque<Scripted> answers_;
  std::map<ui::Form*, std::deque<std::function<int(ui::Form&)>>> modal_;
  std::deque<std::function<bool(ui::FileDialogRequest&)>> fileAnswers_;
  std::deque<std::function<bool(ui::FolderPickRequest&)>> folderAnswers_;
  ScriptFreeSpace freeSpace_;
};

} // namespace testsupport
