#include "examples/examples_window.h"

TfrmExamplesCopy* frmExamplesCopy = nullptr;
TfrmExamplesCreateFolders* frmExamplesCreateFolders = nullptr;
TfrmExamplesIncreasedNumbers* frmExamplesIncreasedNumbers = nullptr;
TfrmDriveSelect* frmDriveSelect = nullptr;
TfrmExamplesDelete* frmExamplesDelete = nullptr;
TfrmExamplesRename* frmExamplesRename = nullptr;

namespace {
// Sets a label's text and shows it only when it has one.
void ShowText(ui::Control& control, const char* text) {
  const bool used = text && *text;
  control.SetText(used ? text : "");
  control.SetVisible(used);
}
} // namespace

std::vector<std::string> ExpandExamplesList(const ExamplesList& list) {
  std::vector<std::string> entries;
  for (const ExamplesBlock& block : list)
    for (const std::string& base : block.bases)
      for (const std::string& tail : block.tails) entries.push_back(base + tail);
  return entries;
}

TExamplesWindow::TExamplesWindow(int dialogId, ExamplesKind kind)
    : ui::Form(dialogId), table_(ExamplesTableOf(kind)) {
  OnCreate = [this] { FormCreate(); };
  for (int i = 0; i < 4; ++i) options[i].OnClick = [this, i] { ShowOption(i); };
  btnClose.OnClick = [this] { Close(); };
}

void TExamplesWindow::FormCreate() {
  for (int i = 0; i < 3; ++i) {
    ShowText(inputLabels[i], table_.inputLabels[i]);
    inputs[i].Clear();
    inputs[i].AddStrings(table_.inputs[i]);
    inputs[i].SetVisible(table_.inputLabels[i] && *table_.inputLabels[i]);
  }
  for (int i = 0; i < 5; ++i) {
    ShowText(editLabels[i], table_.editLabels[i]);
    edits[i].SetText(table_.edits[i] ? table_.edits[i] : "");
    edits[i].SetVisible(table_.editLabels[i] && *table_.editLabels[i]);
  }
  for (int i = 0; i < 2; ++i) {
    ShowText(checks[i], table_.checks[i]);
    checks[i].SetChecked(table_.checks[i] && *table_.checks[i]);
  }
  ShowText(group, table_.group);
  ShowText(groupNote, table_.groupNote);
  for (int i = 0; i < 4; ++i) {
    const int n = static_cast<int>(table_.options.size());
    ShowText(options[i], i < n ? table_.options[i].caption : nullptr);
  }
  for (int i = 0; i < 2; ++i) {
    ShowText(resultLabels[i], table_.resultLabels[i]);
    results[i].SetVisible(table_.resultLabels[i] && *table_.resultLabels[i]);
    ShowText(notes[i], table_.notes[i]);
  }
  // The first option is ticked at start, with its results shown.
  options[0].SetChecked(true);
  ShowOption(0);
}

void TExamplesWindow::ShowOption(int option) {
  for (ui::ListBox& list : results) list.Clear();
  const ExamplesOption& o = table_.options[option];
  for (size_t i = 0; i < o.results.size() && i < 2; ++i) results[i].AddStrings(ExpandExamplesList(o.results[i]));
}

TExamplesWindow* ExamplesWindow(ExamplesKind kind) {
  switch (kind) {
  case ExamplesKind::CreateStrings: return frmDriveSelect;
  case ExamplesKind::CreateFolders: return frmExamplesCreateFolders;
  case ExamplesKind::CreateNumbers: return frmExamplesIncreasedNumbers;
  case ExamplesKind::Copy: return frmExamplesCopy;
  case ExamplesKind::Delete: return frmExamplesDelete;
  case ExamplesKind::Rename: return frmExamplesRename;
  }
  return nullptr;
}

void ShowExamples(ExamplesKind kind) {
  if (TExamplesWindow* window = ExamplesWindow(kind)) window->ShowModal();
}
