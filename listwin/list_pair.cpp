#include "listwin/list_pair.h"

#include "core/casefold.h"
#include "core/textutil.h"
#include "listwin/frmFileSelection.h"
#include "listwin/import_handover.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/folder_picker.h"
#include "ui/seam.h"

#include <windows.h>

#include <optional>

using core::TrimText;

ListPair::ListPair(ui::Form* form, ListPairDescription description)
    : form_(form), d_(std::move(description)) {
  const ListPairControls& c = d_.c;
  auto bind = [](ui::Button* button, std::function<void()> run) {
    if (button) button->OnClick = std::move(run);
  };
  if (c.addField)
    c.addField->OnKeyPress = [this](char& key) {
      if (key != 13) return;
      key = 0;
      Add();
    };
  bind(c.add, [this] { Add(); });
  bind(c.incToExc, [this] { Move(true, true); });
  bind(c.excToInc, [this] { Move(false, true); });
  bind(c.allFromInc, [this] { Move(true, false); });
  bind(c.allFromExc, [this] { Move(false, false); });
  bind(c.exchange, [this] { Exchange(); });
  bind(c.deleteSelected, [this] { DeleteFromExclude(false); });
  bind(c.deleteAll, [this] { DeleteFromExclude(true); });
  bind(c.smartImport, [this] { SmartImport(); });
  bind(c.subfolderBuilder, [this] { SubfolderBuilder(); });
  bind(c.smartExport, [this] { SmartExport(); });
  bind(c.editList, [this] { EditList(); });
  bind(c.zoom, [this] { Zoom(); });
  bind(c.view, [this] { View(); });
  bind(c.importList, [this] { ImportList(); });
  bind(c.exportList, [this] { ExportList(); });
  bind(c.fileSelection, [this] { FileSelection(); });
  bind(c.help, d_.help);
  bind(c.examples, d_.examples);
  bind(c.visualLog, d_.visualLog);
  if (c.open) {
    c.open->Filter = "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*";
    c.open->DefaultExt = "txt";
  }
  if (c.save) {
    c.save->Filter = "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*";
    c.save->DefaultExt = "txt";
  }
}

void ListPair::Focus(ui::Control* control) {
  if (control) control->SetFocus();
}

ListPageDescription ListPair::Page() const {
  ListPageDescription page;
  page.form = form_;
  page.include = d_.c.include;
  page.exclude = d_.c.exclude;
  page.includeCount = d_.c.includeCount;
  page.progress = d_.c.progress;
  page.emptyImportCaption = d_.emptyImportCaption;
  page.emptyBuilderCaption = d_.emptyBuilderCaption;
  page.splitAtDrives = d_.splitAtDrives;
  page.rule = d_.rule;
  if (d_.box) page.tellLeftOut = [box = d_.box](const std::string& text) { box(ListMsg::NotTaken, text); };
  return page;
}

ListFilePage ListPair::File() const {
  ListFilePage file;
  file.page = Page();
  file.twin = d_.listFile;
  file.open = d_.c.open;
  file.save = d_.c.save;
  return file;
}

// ---- Add ----------------------------------------------------------------------------

bool ListPair::AddPieces(const std::string& typed) {
  ui::ListBox &include = Include(), &exclude = Exclude();
  const std::string trimmed = TrimText(typed);
  if (trimmed.empty()) {
    d_.box(ListMsg::AddEmpty, "");
    return false;
  }
  if (d_.duplicatesAsTyped) {
    if (include.Contains(typed)) return d_.box(ListMsg::InInclude, ""), false;
    if (exclude.Contains(typed)) return d_.box(ListMsg::InExclude, ""), false;
  }
  std::vector<AddPiece> pieces;
  std::string shown = trimmed;
  if (!d_.parseAdd)
    pieces.push_back({trimmed, trimmed});
  else if (!d_.parseAdd(trimmed, pieces, shown))
    return false;
  // Pieces before a refused one stay added.
  const EntryJudge judge = Page().Judge(ListRoad::Add);
  for (const AddPiece& piece : pieces) {
    if (!judge(piece.judged).taken) return false;
    if (!d_.duplicatesAsTyped) {
      if (include.Contains(piece.stored)) return d_.box(ListMsg::InInclude, ""), false;
      if (exclude.Contains(piece.stored)) return d_.box(ListMsg::InExclude, ""), false;
    }
    include.Add(piece.stored);
  }
  // The added text stays in the field, selected, so the next name typed replaces it.
  d_.c.addField->SetText(shown);
  d_.c.addField->SelectAll();
  return true;
}

void ListPair::Add() {
  if (d_.c.addField) {
    const bool added = AddPieces(d_.c.addField->Text());
    Refresh();
    d_.c.addField->SetFocus();
    if (added) d_.c.addField->SelectAll();
    return;
  }
  // Add Folders Manually: one folder from the picker, stored as it returned it.
  ui::FolderPickRequest request;
  request.owner = form_->Handle();
  const std::string path = ui::seam().PickFolder(request) ? request.result : std::string();
  if (TrimText(path).empty()) {
    d_.box(ListMsg::AddEmpty, "");
  } else if (d_.manualAddAsks && !Page().Judge(ListRoad::Add)(TrimText(path)).taken) {
  } else if (Include().Contains(path)) {
    d_.box(ListMsg::InInclude, "");
  } else if (Exclude().Contains(path)) {
    d_.box(ListMsg::InExclude, "");
  } else {
    Include().Add(path);
  }
  Refresh();
}

// ---- Moves and deletes ------------------------------------------------------------------

void ListPair::Move(bool fromInclude, bool selectedOnly) {
  ui::ListBox& from = fromInclude ? Include() : Exclude();
  ui::ListBox& to = fromInclude ? Exclude() : Include();
  const bool asks = !fromInclude && (selectedOnly ? d_.excToIncAsks : d_.allFromExcAsks);
  const ListPageDescription page = Page();
  const EntryJudge judge = asks ? page.Judge(selectedOnly ? ListRoad::Move : ListRoad::MoveAll) : EntryJudge();
  std::vector<int> taken;
  if (selectedOnly) {
    taken = from.SelectedIndices();
  } else {
    for (int i = 0; i < from.Count(); ++i) taken.push_back(i);
  }
  std::vector<std::string> adds;
  std::vector<int> leaving;
  core::FoldedIndex adding;
  LeftOut left;
  for (int index : taken) {
    const std::string entry = from.Item(index);
    const bool fresh = !to.Contains(entry) && !adding.Contains(entry);
    if (fresh && asks) {
      // The page's rule judges every entry it would take (a drive part included);
      // a refused entry stays where it is and the pass goes on.
      const Verdict verdict = judge(TrimText(entry));
      if (!verdict.taken) {
        left.Add(TrimText(entry), verdict.reason);
        continue;
      }
    }
    leaving.push_back(index);
    if (!fresh || (!asks && d_.movesNeedDrive && !core::HasDrivePart(TrimText(entry)))) continue;
    adds.push_back(entry);
    adding.Add(entry);
  }
  to.AddStrings(adds);
  if (leaving.size() == static_cast<size_t>(from.Count()))
    from.Clear();
  else
    from.DeleteIndices(leaving);
  Refresh();
  // "<" told each refusal with the rule's own box; "<<" names them all at once.
  if (!selectedOnly) page.TellLeftOut(left);
  Focus(d_.focusAfterList);
}

void ListPair::Exchange() {
  std::vector<std::string> first = Include().Items(), second = Exclude().Items();
  Include().Clear();
  Exclude().Clear();
  Include().AddStrings(second);
  Exclude().AddStrings(first);
  Refresh();
  Focus(d_.focusAfterList);
}

void ListPair::DeleteFromExclude(bool all) {
  ui::ListBox& exclude = Exclude();
  if (exclude.Count() == 0) {
    d_.box(all ? ListMsg::ExcludeAllEmpty : ListMsg::ExcludeEmpty, "");
  } else if (d_.box(all ? ListMsg::DeleteAll : ListMsg::DeleteSelected, "") == IDYES) {
    if (all)
      exclude.Clear();
    else
      exclude.DeleteIndices(exclude.SelectedIndices());
  }
  Refresh();
  Focus(all ? (d_.c.addField ? d_.c.add : d_.c.deleteAll) : d_.focusAfterList);
}

// ---- The list windows and list files -----------------------------------------------------

void ListPair::SmartImport() {
  SmartImportToPage(Page());
  Refresh();
  Focus(d_.focusAfterImport);
}

void ListPair::SubfolderBuilder() {
  SubFolderListBuilderToPage(Page());
  Refresh();
  Focus(d_.focusAfterImport);
}

void ListPair::SmartExport() {
  if (Include().Count() == 0) {
    d_.box(ListMsg::ExportEmpty, "");
  } else {
    ui::ProgressBar* bar = d_.c.progress;
    // The page's commands wait while the list is handed over (not while the window is open).
    std::optional<CommandLock> lock(std::in_place, *form_);
    if (bar) {
      bar->SetRange(0, Include().Count());
      bar->SetPosition(0);
      bar->SetVisible(true);
    }
    HandOverToExport(
        Include().Items(), d_.exportKind, d_.exportFilter,
        [&](int examined) {
          if (!bar) return;
          bar->SetPosition(examined);
          ui::App().ProcessMessages();
        },
        [&] {
          if (bar) bar->SetVisible(false);
          lock.reset();
        });
    Refresh();
  }
  Focus(d_.c.smartExport);
}

void ListPair::EditList() {
  TfrmEditIncludeList* editor = d_.editor ? d_.editor() : nullptr;
  if (editor && EditPageIncludeList(*editor, Page())) Refresh();
  Focus(d_.focusAfterList);
}

void ListPair::Zoom() { ZoomPageIncludeList(Page()); }

void ListPair::View() {
  const int focused = Include().ItemIndex();
  if (focused < 0 || focused >= Include().Count()) {
    d_.box(ListMsg::ViewNothing, "");
    return;
  }
  // Only a folder is handed to the shell: "open" on an entry that names a file would start it.
  const std::string entry = TrimText(Include().Item(focused));
  if (!ui::OpenFolder(entry, form_->Handle())) d_.box(ListMsg::ViewNotAFolder, entry);
}

void ListPair::ImportList() {
  if (ImportListFile(File())) Refresh();
  Focus(d_.focusAfterList);
}

void ListPair::ExportList() {
  ExportListFile(File());
  if (d_.afterExportList) d_.afterExportList();
}

void ListPair::FileSelection() {
  if (frmFileSelection->ShowModal() == IDOK && d_.afterFileSelection) d_.afterFileSelection();
}

// ---- Refresh, enable rules, Clear Fields ----------------------------------------------------

void ListPair::ShowCounts() {
  if (d_.c.includeCount) d_.c.includeCount->SetText(std::to_string(Include().Count()));
  if (d_.c.excludeCount) d_.c.excludeCount->SetText(std::to_string(Exclude().Count()));
}

void ListPair::Refresh() {
  if (d_.refresh) d_.refresh();
  ShowCounts();
  if (d_.c.progress) d_.c.progress->SetVisible(false);
}

void ListPair::SetEnabled(bool enabled) {
  for (ui::Control* c : CommandControls())
    if (c != d_.c.importList && c != d_.c.exportList && c != d_.c.help && c != d_.c.examples &&
        c != d_.c.visualLog && c != d_.c.fileSelection)
      c->SetEnabled(enabled);
  for (ui::Control* c : d_.c.captions) c->SetEnabled(enabled);
  for (ui::Control* c : {d_.c.includeCount, d_.c.excludeCount})
    if (c) c->SetEnabled(enabled);
}

void ListPair::Clear() {
  if (d_.c.addField) d_.c.addField->SetText("");
  Include().Clear();
  Exclude().Clear();
  ShowCounts();
}

std::vector<ui::Control*> ListPair::CommandControls() const {
  const ListPairControls& c = d_.c;
  std::vector<ui::Control*> out;
  for (ui::Control* control :
       std::initializer_list<ui::Control*>{c.addField, c.add, c.include, c.exclude, c.incToExc,
                                           c.excToInc, c.allFromInc, c.allFromExc, c.exchange,
                                           c.deleteSelected, c.deleteAll, c.smartImport, c.subfolderBuilder,
                                           c.smartExport, c.editList, c.zoom, c.view,
                                           c.importList, c.exportList, c.help, c.examples,
                                           c.visualLog, c.fileSelection})
    if (control) out.push_back(control);
  return out;
}
