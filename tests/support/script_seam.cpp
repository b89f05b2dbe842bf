#include "support/script_seam.h"

#include "support/temp_dir.h"
#include "ui/form.h"

#include <cstdio>

namespace testsupport {

ScriptSeam::ScriptSeam() { previous_ = ui::InstallSeam(this); }
ScriptSeam::~ScriptSeam() { ui::InstallSeam(previous_); }

void ScriptSeam::Answer(const std::string& captionPart, int answer) { answers_.push_back({captionPart, answer, {}}); }
void ScriptSeam::Answer(const std::string& captionPart, int answer, std::function<void()> meanwhile) {
  answers_.push_back({captionPart, answer, std::move(meanwhile)});
}
void ScriptSeam::OnModal(ui::Form* form, std::function<int(ui::Form&)> fill) { modal_[form].push_back(std::move(fill)); }
void ScriptSeam::OnFileDialog(std::function<bool(ui::FileDialogRequest&)> answer) { fileAnswers_.push_back(std::move(answer)); }
void ScriptSeam::OnPickFolder(std::function<bool(ui::FolderPickRequest&)> answer) { folderAnswers_.push_back(std::move(answer)); }

void ScriptSeam::ChooseFile(const std::string& path) {
  OnFileDialog([path](ui::FileDialogRequest& r) { return r.fileName = path, true; });
}

void ScriptSeam::PickFolder(const std::string& folder) {
  OnPickFolder([folder](ui::FolderPickRequest& r) { return r.result = folder, true; });
}

std::vector<std::string> ScriptSeam::Captions() const {
  std::vector<std::string> captions;
  for (const ShownBox& box : boxes) captions.push_back(box.caption);
  return captions;
}

std::string Box(const std::string& caption, unsigned flags, const std::string& text) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%X", flags);
  return caption + " | " + hex + " | " + text;
}

std::vector<std::string> ScriptSeam::Shown() const {
  std::vector<std::string> shown;
  for (const ShownBox& box : boxes) shown.push_back(Box(box.caption, box.flags, box.text));
  return shown;
}

int ScriptSeam::Unscripted() const {
  int n = 0;
  for (const ShownBox& box : boxes) n += box.scripted ? 0 : 1;
  return n;
}

int ScriptSeam::MessageBox(HWND owner, ui::BoxOwner kind, const std::string& text,
                           const std::string& caption, unsigned flags) {
  Asked();
  ShownBox box{kind, text, caption, flags, 0, false, owner};
  std::function<void()> meanwhile;
  for (auto it = answers_.begin(); it != answers_.end(); ++it) {
    if (caption.find(it->captionPart) != std::string::npos) {
      box.answer = it->answer;
      box.scripted = true;
      meanwhile = std::move(it->meanwhile);
      answers_.erase(it);
      break;
    }
  }
  if (meanwhile) meanwhile();
  if (!box.scripted) {  // the default button
    unsigned type = flags & MB_TYPEMASK;
    bool second = (flags & MB_DEFMASK) == MB_DEFBUTTON2;
    if (type == MB_YESNO || type == MB_YESNOCANCEL) box.answer = second ? IDNO : IDYES;
    else if (type == MB_OKCANCEL) box.answer = second ? IDCANCEL : IDOK;
    else box.answer = IDOK;
  }
  boxes.push_back(box);
  return box.answer;
}

int ScriptSeam::RunModal(ui::Form& form) {
  Asked();
  modalForms.push_back(form.Caption());
  auto it = modal_.find(&form);
  if (it == modal_.end() || it->second.empty()) return IDCANCEL;
  auto fill = std::move(it->second.front());
  it->second.pop_front();
  int result = fill(form);
  if (result) form.SetModalResult(result);
  return form.ModalResult() ? form.ModalResult() : IDCANCEL;
}

namespace {
// Records the request and answers it with the next scripted answer (none: cancelled).
template <class Request>
bool NextAnswer(std::deque<std::function<bool(Request&)>>& answers, std::vector<Request>& seen, Request& request) {
  seen.push_back(request);
  if (answers.empty()) return false;
  auto answer = std::move(answers.front());
  answers.pop_front();
  return answer(request);
}
} // namespace

bool ScriptSeam::FileDialog(ui::FileDialogRequest& request) {
  Asked();
  return NextAnswer(fileAnswers_, fileDialogs, request);
}
bool ScriptSeam::PickFolder(ui::FolderPickRequest& request) {
  Asked();
  return NextAnswer(folderAnswers_, folderPicks, request);
}

bool ScriptSeam::ShellOpen(HWND, const std::string& file, const std::string& parameters,
                           const std::string& directory, int) {
  Asked();
  shellOpens.push_back(file + "|" + parameters + "|" + directory);
  shellOpenCurrentDirs.push_back(CurrentDirectory());
  return shellResult;
}

bool ScriptSeam::HelpQuit(HWND, const std::string& helpFile) {
  Asked();
  helpQuits.push_back(helpFile);
  helpQuitCurrentDirs.push_back(CurrentDirectory());
  return helpResult;
}

} // namespace testsupport
