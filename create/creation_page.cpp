#include "create/creation_page.h"

#include "core/listing_box.h"
#include "core/textutil.h"
#include "core/validation.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/seam.h"

#include <windows.h>

#include <deque>
#include <stdexcept>
#include <unordered_map>

using core::TrimText;

CreationPage::CreationPage(ui::Form* form, CreationPageDescription description)
    : form_(form), desc_(std::move(description)) {}

void CreationPage::Bind(const CreationPageControls& controls) {
  c_ = controls;
  c_.addStructure->OnClick = [this] { AddStructureClick(); };
  c_.viewStructure->OnClick = [this] { ViewStructureClick(); };
  c_.removeStructure->OnClick = [this] { RemoveStructureClick(); };
  for (ui::RadioButton* r : c_.radios) r->OnClick = [this, r] { AttachClick(*r); };
  c_.create->OnClick = [this] { Start(JobKind::Run); };
  c_.simulate->OnClick = [this] { Start(JobKind::Simulation); };
  c_.undo->OnClick = [this] { Undo(); };
  RunBinding::Page page;
  page.form = form_;
  page.progress = c_.progress;
  page.window = desc_.window;
  page.commands = [this] { return CommandControls(); };
  page.runButtons = {c_.create, c_.simulate, c_.undo};
  run_.Bind(std::move(page));
}

const PageMessage& CreationPage::Message(PageMsg id) const {
  for (size_t i = 0; i < desc_.messageCount; ++i)
    if (desc_.messages[i].id == id) return desc_.messages[i];
  throw std::logic_error("a creation page lacks a message");
}

int CreationPage::Box(PageMsg id, const std::string& arg) {
  const PageMessage& m = Message(id);
  std::string text = m.text;
  size_t at = text.find("{}");
  if (at != std::string::npos) text.replace(at, 2, arg);
  return ui::App().MessageBox(text, m.caption, m.flags);
}

// ---- Counters and the results window -----------------------------------------------

void CreationPage::ResetCounters() { Counters.fill(0); }

void CreationPage::ResetResultCounters() {
  for (int i = 4; i < 16; ++i) Counters[i] = 0;
}

void CreationPage::ShowStatistics() {
  for (int i = 0; i < 16; ++i) c_.counters[i]->SetText(core::CounterText(Counters[i]));
}

void CreationPage::ShowVisualLogTotals() {
  if (TResultsWindow* w = Window())
    for (int i = 0; i < 16; ++i) w->Counter(i).SetText(core::CounterText(Counters[i]));
}

void CreationPage::ClearVisualLog() {
  if (TResultsWindow* w = Window())
    for (int k = 0; k < 5; ++k) w->List(static_cast<TResultsWindow::ResultList>(k)).Clear();
}

void CreationPage::RefreshCounters() {
  ResetCounters();
  CheckDiskSpace(WithFiles());
  ShowStatistics();
  ShowVisualLogTotals();
}

// ---- Destination and name fields ---------------------------------------------------

std::string CreationPage::PickFolder() {
  ui::FolderPickRequest request;
  request.owner = form_->Handle();
  return ui::seam().PickFolder(request) ? request.result : std::string();
}

bool CreationPage::SelectDestination(const std::string& text) {
  if (TrimText(text).empty()) return false;
  int index = c_.dest->IndexOf(text);  // letter case ignored
  if (index < 0) index = c_.dest->Add(text);
  c_.dest->SetItemIndex(index);
  return true;
}

void CreationPage::ViewDestination() {
  std::string dest = TrimText(c_.dest->Text());
  if (dest.empty())
    Box(PageMsg::ViewNoDestination);
  else if (!ui::OpenFolder(dest, form_->Handle()))  // "open" on a file would start it
    Box(PageMsg::ViewNotAFolder);
}

bool CreationPage::CheckNameField(ui::Edit& field, PageMsg message) {
  std::string text = field.Text(), bad;
  if (!core::FindIllegalChar("F", text, bad)) return true;
  Box(message, bad);
  field.SetText(text.substr(0, text.size() - 1));
  field.SetFocus();
  return false;
}

// ---- Attach options, structures, measuring, free space ---------------------------

core::AttachMode CreationPage::AttachMode() const {
  static const core::AttachMode modes[5] = {
      core::AttachMode::Nothing, core::AttachMode::MainWithFiles,
      core::AttachMode::MainWithoutFiles, core::AttachMode::SubOnlyWithFiles,
      core::AttachMode::SubOnlyWithoutFiles};
  for (int i = 1; i < 5; ++i)
    if (c_.radios[i]->Checked()) return modes[i];
  return core::AttachMode::Nothing;
}

void CreationPage::SetStructureControlsEnabled() {
  const bool structures = !c_.radios[0]->Checked();
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           c_.addStructure, c_.viewStructure, c_.removeStructure, c_.structures})
    c->SetEnabled(structures);
}

void CreationPage::UpdateCreateButtons() {
  const bool on = (c_.radios[0]->Enabled() && c_.radios[0]->Checked()) ||
                  c_.structures->Count() > 0;
  c_.create->SetEnabled(on);
  c_.simulate->SetEnabled(on);
}

void CreationPage::AttachClick(ui::RadioButton& radio) {
  if (!radio.Checked()) return;
  SetStructureControlsEnabled();
  ResetCounters();
  if (&radio == c_.radios[0])
    Counters[0] = ItemCount();
  else
    CheckDiskSpace(WithFiles());
  ShowStatistics();
  ShowVisualLogTotals();
  UpdateCreateButtons();
}

void CreationPage::SumFolderStructures(bool withFiles, bool force) {
  const core::AttachMode mode = AttachMode();
  std::string key = std::to_string(static_cast<int>(mode)) + (withFiles ? "F" : "-");
  std::vector<std::string> items = c_.structures->Items();
  for (const std::string& s : items) key += "\n" + s;
  if (!force && measured_ && key == measuredKey_) return;
  StructureKept.clear();
  core::MeasureStructures(core::CreationStringList(items.begin(), items.end()), mode, withFiles,
                          StructureTotals, StructureFiles, &StructureKept);
  measuredKey_ = key;
  measured_ = true;
}

bool CreationPage::CheckDiskSpace(bool withFiles, bool force) {
  const double count = ItemCount();
  if (AttachMode() == core::AttachMode::Nothing) {
    // Nothing is attached: nothing to scan and nothing to copy.
    if (count <= 0) return false;
    Counters[0] = count;
    Counters[1] = Counters[2] = Counters[3] = 0;
    return true;
  }
  SumFolderStructures(withFiles, force);
  if (count <= 0) return false;
  const uint64_t bytes = withFiles ? StructureTotals.bytes : 0;
  core::FreeSpaceCheck check = CheckRoom(count, bytes);
  if (check.verdict == core::FreeSpaceCheck::NotEnough) {
    Box(PageMsg::DiskSpace, check.Message());
    return false;
  }
  Counters[0] = count;
  Counters[1] = count * StructureTotals.folders;
  Counters[2] = count * (withFiles ? StructureTotals.files : 0);
  Counters[3] = count * static_cast<double>(bytes);
  return true;
}

core::FreeSpaceCheck CreationPage::CheckRoom(double count, uint64_t bytes) {
  return core::CheckFreeSpace(c_.dest ? c_.dest->Text() : std::string(), count, bytes);
}

void CreationPage::ShowVisualLog() {
  ShowVisualLogTotals();
  if (Window()) run_.ShowLog(*Window());
}

std::function<int(ListMsg, const std::string&)> CreationPage::ListBoxes(std::vector<ListBoxRow> rows) {
  return [this, rows](ListMsg m, const std::string& arg) {
    for (const ListBoxRow& row : rows)
      if (row.msg == m) return Box(row.id, row.arg ? std::string(row.arg) : arg);
    return 0;  // a box of a command the page does not have
  };
}

void CreationPage::AddStructureClick() {
  const std::string picked = PickFolder();
  const std::string trimmed = TrimText(picked);
  if (trimmed.size() == 3) {
    std::string name;
    if (core::GetDriveTypeName(trimmed, name) && Box(PageMsg::WholeDisk) == IDYES)
      AddFolderStructure(picked);
  } else if (trimmed.size() > 3) {
    AddFolderStructure(picked);
  }
}

void CreationPage::AddFolderStructure(const std::string& folder) {
  if (TrimText(folder).empty()) {
    c_.create->SetEnabled(false);
    c_.simulate->SetEnabled(false);
    Box(PageMsg::StructureEmpty);
    UpdateCreateButtons();
    c_.structures->SetFocus();
    return;
  }
  bool listed = false;
  for (const std::string& s : c_.structures->Items()) listed = listed || s == folder;
  if (!listed) c_.structures->Add(folder);
  RefreshCounters();
  // What of the new structure can never be copied is said now, and again at each run.
  if (!listed && AttachMode() != core::AttachMode::Nothing) {
    const std::string root = core::StructureRoot(folder);
    std::vector<core::KeptPath> kept;
    for (const core::KeptPath& k : StructureKept)
      if (k.path.size() > root.size() && core::SameText(k.path.substr(0, root.size()), root) &&
          k.path[root.size()] == '\\')
        kept.push_back(k);
    if (!kept.empty()) Box(PageMsg::StructureKept, core::KeptEntriesText(root, kept));
  }
  UpdateCreateButtons();
  c_.create->SetEnabled(true);
  c_.simulate->SetEnabled(true);
  c_.structures->SetFocus();
}

void CreationPage::ViewStructureClick() {
  std::vector<int> selected = c_.structures->SelectedIndices();
  if (selected.empty()) {
    Box(PageMsg::StructureNotSelected);
    return;
  }
  // Only a folder is handed to the shell: "open" on a file would start it.
  if (!ui::OpenFolder(TrimText(c_.structures->Item(selected.front())), form_->Handle()))
    Box(PageMsg::StructureNotAFolder);
}

void CreationPage::RemoveStructureClick() {
  if (Box(PageMsg::StructureRemove) == IDYES)
    c_.structures->DeleteIndices(c_.structures->SelectedIndices());
  RefreshCounters();
  UpdateCreateButtons();
  c_.removeStructure->SetFocus();
}

// ---- Run, simulation and undo ----------------------------------------------------
// Each is a job of the one run binding: the page gives its checks, its reset,
// its engine call and its boxes; the binding locks, paces and shows.

std::vector<RunBinding::Counter> CreationPage::BoundCounters() {
  std::vector<RunBinding::Counter> counters;
  for (int i = 0; i < 16; ++i) counters.push_back({&Counters[i], c_.counters[i], i});
  return counters;
}

void CreationPage::Start(JobKind kind) {
  if (run_.Busy()) return;
  const bool sim = kind == JobKind::Simulation;
  const core::AttachMode mode = AttachMode();
  const bool withFiles = core::AttachWithFiles(mode);
  core::CreationJob job;
  std::string simStart = sim ? *desc_.simStartText : std::string();

  RunBinding::Job run;
  run.kind = sim ? RunBinding::Kind::Simulation : RunBinding::Kind::Run;
  run.locks = sim ? desc_.simLocks : desc_.runLocks;
  run.confirm = [&] {
    if (!BeforeStart(sim)) return false;
    // Enough free space for the structures' files, measured afresh.
    if (withFiles && !CheckDiskSpace(true, true)) return false;
    // A structure option needs listed structures, each still on disk.
    if (mode != core::AttachMode::Nothing) {
      if (c_.structures->Count() == 0) {
        Box(sim ? PageMsg::SimNoStructure : PageMsg::RunNoStructure);
        c_.addStructure->SetFocus();
        return false;
      }
      for (const std::string& s : c_.structures->Items()) {
        if (!core::IsExistingDirectory(TrimText(s))) {
          Box(sim ? PageMsg::SimStructureMissing : PageMsg::RunStructureMissing, s);
          c_.addStructure->SetFocus();
          return false;
        }
      }
    }
    // The user's go-ahead.
    return Box(sim ? PageMsg::SimConfirm : PageMsg::RunConfirm, simStart) == IDYES;
  };
  run.reset = [&] {
    // The totals the outcomes add are measured at the start of every run.
    if (mode != core::AttachMode::Nothing && !withFiles) SumFolderStructures(false, true);
    // Fresh counters; a run also starts fresh result lists and a fresh undo
    // record: what the last run made replaces what the run before it made (a
    // run stopped before this point, a No to its question among them, keeps
    // the record it found; one whose list is empty ends with none).
    ResetResultCounters();
    if (!sim) {
      ClearResultLists();
      Journal.Clear();
    }
  };
  run.showLog = c_.viewDetailed->Checked();
  run.counters = BoundCounters();
  using W = TResultsWindow;
  // A structure's file not written goes among the items not created for
  // other reasons, its reason beneath it; the engine names it right before
  // it hands the entry over, on its own thread.
  std::pair<std::string, std::string> notWritten;
  auto why = [&notWritten](const std::string& entry) {
    std::string reason;
    if (entry == notWritten.first) reason.swap(notWritten.second);
    notWritten.first.clear();
    return reason;
  };
  for (int list : {W::kFoldersCreated, W::kFoldersExists, W::kFoldersOther, W::kSubFoldersCreated,
                   W::kFilesCreated})
    run.lists.emplace_back(list, nullptr, list == W::kFoldersOther ? why : std::function<std::string(const std::string&)>());
  run.work = [&](RunBinding::Sink& sink) {
    // The job is a snapshot of the page's items, structures and options as they stand now.
    if (!TakeItems(job, sim)) return false;
    if (mode != core::AttachMode::Nothing) {
      std::vector<std::string> structures = c_.structures->Items();
      job.structures.assign(structures.begin(), structures.end());
    }
    job.mode = mode;
    job.totalsOnExists = desc_.totalsOnExists;
    job.totalsOnOther = desc_.totalsOnOther;
    job.captions.selfCopy = Message(PageMsg::RunSelfCopy).caption;
    job.captions.simulateSelfCopy = Message(PageMsg::SimSelfCopy).caption;
    job.captions.missingSize = Message(PageMsg::RunMissingSize).caption;
    job.captions.simulateMissingSize = Message(PageMsg::SimMissingSize).caption;
    job.captions.keptNames = Message(PageMsg::RunKeptNames).caption;
    job.captions.simulateKeptNames = Message(PageMsg::SimKeptNames).caption;
    job.captions.writesMoved = Message(PageMsg::RunWritesMoved).caption;
    job.captions.diskFull = Message(PageMsg::RunDiskFull).caption;
    sink.Begin(job.items.count);
    core::CreationSink engineSink;
    // The engine's lists in the order of the job's lists.
    engineSink.listed = [&](core::ResultList list, const std::string& text) {
      sink.Add(static_cast<size_t>(list), text);
    };
    engineSink.notWritten = [&](const std::string& path, const std::string& reason) {
      notWritten = {path, reason};
      sink.Add(static_cast<size_t>(core::ResultList::FoldersOther), path);
    };
    engineSink.progress = [&](size_t i) { return sink.Progress(i); };
    engineSink.listedWhole = [&](core::ResultList list) { return sink.Whole(static_cast<size_t>(list)); };
    engineSink.warn = [&](const std::string& text, const std::string& caption, bool ownerless) {
      sink.OnWindow([&] {
        sink.Flush();
        if (ownerless)
          ui::App().SystemMessageBox(text, caption, core::kMsgWarning);
        else
          ui::App().MessageBox(text, caption, core::kMsgWarning);
      });
    };
    core::CreationEngine engine(Counters, ResultLists, Journal, CopiedFiles, StructureTotals,
                                StructureFiles, engineSink);
    // The engine touches no window: it works on while the page is drawn.
    sink.InBackground([&] {
      if (sim)
        engine.Simulate(job);
      else
        engine.Run(job);
    });
    return true;
  };
  run.background = true;
  run.end = [&] {
    Box(sim ? PageMsg::SimEnd : PageMsg::RunEnd, sim ? *desc_.simEndText : "");
    // The destination in the shell when the user chose to see it.
    if (c_.viewDestFolder && c_.dest && c_.viewDestFolder->Checked()) {
      std::string dest = TrimText(c_.dest->Text());
      if (dest.size() > MAX_PATH - 1) dest.resize(MAX_PATH - 1);
      if (!ui::OpenFolder(dest, form_->Handle())) Box(PageMsg::ViewNotAFolder);
    }
  };
  run_.Run(run);
}

void CreationPage::Undo() {
  if (run_.Busy()) return;
  // The journaled items the report names (core::ReportedAfterUndo: the
  // folders and copied files that stay, the items the system did not
  // remove), each with why: the folders in creation order, then the files.
  std::deque<std::string> stayed;
  std::unordered_map<std::string, std::string> why;
  RunBinding::Job run;
  run.kind = RunBinding::Kind::Undo;
  run.locks = desc_.runLocks;
  run.confirm = [&] {
    if (Journal.Empty()) {
      Box(PageMsg::UndoNothing);
      return false;
    }
    return Box(PageMsg::UndoAsk) == IDYES;
  };
  run.reset = [&] {
    ClearResultLists();
    ResetResultCounters();
  };
  run.counters = BoundCounters();
  // What stays is listed whole in the Visual Log, each item with why (its
  // title then says that the list holds what the Undo kept).
  run.lists.emplace_back(TResultsWindow::kFoldersOther, nullptr,
                         [&why](const std::string& path) { return why[path]; });
  run.work = [&](RunBinding::Sink& sink) {
    sink.Begin(Journal.files.size() + Journal.folders.size());
    std::deque<std::string> files;
    sink.InBackground([&] {
      core::UndoJournal(Journal, nullptr, [&](size_t done, size_t total) { return sink.Progress(done, total); },
                        [&](const std::string& path, bool folder, core::Undone outcome, const std::string& reason) {
                          if (!core::ReportedAfterUndo(folder, outcome)) return;
                          (folder ? stayed : files).push_front(path);
                          why[path] = reason;
                        });
    });
    stayed.insert(stayed.end(), files.begin(), files.end());
    for (const std::string& path : stayed) sink.Add(0, path);
    CopiedFiles.clear();
    return true;
  };
  run.background = true;
  run.end = [&] {
    if (!stayed.empty()) {
      core::ListedGroups groups;
      for (const std::string& path : stayed) groups.Add(path, why[path]);
      const PageMessage& m = Message(PageMsg::UndoReport);
      const core::WholeList whole{run_.Place("the Visual Log, list Other reasons, each with why.", {0}),
                                  "creation undo.txt", m.caption};
      ui::App().MessageBox(core::ListingBoxText(m.text, {{"", groups.Groups()}}, whole), m.caption, m.flags);
    }
    Box(PageMsg::UndoEnd);
  };
  run_.Run(run);
}
