// The page binding shared by the list-driven creation pages: destination,
// structure list, attach options, counters, free-space check, and the run,
// simulation, undo and Clear Fields glue over the creation engine. A page
// binds it to its own controls and describes itself: its message table, its
// results window, the sheets a run locks, its totals rules and its items.
#pragma once
#include "core/box_message.h"
#include "create/creation_engine.h"
#include "listwin/frmStatistic.h"
#include "listwin/list_pair.h"
#include "listwin/run_binding.h"
#include "ui/controls.h"
#include "ui/pages.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The boxes a creation page shows through the binding.
enum class PageMsg {
  NoDestination, ViewNoDestination, PrefixIllegal, SuffixIllegal,
  WholeDisk, StructureEmpty, StructureNotSelected, StructureRemove,
  RunNoStructure, SimNoStructure, RunStructureMissing, SimStructureMissing,
  RunConfirm, SimConfirm, RunEnd, SimEnd, RunEmpty, SimEmpty,
  RunSelfCopy, SimSelfCopy, RunMissingSize, SimMissingSize, DiskSpace,
  StructureKept, RunKeptNames, SimKeptNames, RunWritesMoved, RunDiskFull,
  UndoNothing, UndoAsk, UndoReport, UndoEnd, ClearAsk, ClearEnd,
  // View of a destination or a structure that is no existing folder.
  ViewNotAFolder, StructureNotAFolder,
  // Page-specific boxes.
  Extra1, Extra2, Extra3, Extra4, Extra5, Extra6, Extra7, Extra8, Extra9, Extra10,
  Extra11, Extra12, Extra13,
};

// The flags of the three kinds of box.
using core::kMsgInformation;
using core::kMsgQuestion;
using core::kMsgWarning;
// A caption: the page title, twelve blanks, the kind and the number.
#define VEXTIL_CAPTION(title, kind, number) title "            " kind " no: " number "."

// One message of a page: the program's numbered-message row keyed by PageMsg.
using PageMessage = core::NumberedMessage<PageMsg>;

// The controls every creation page has, bound by the page (dest, viewDest and
// viewDestFolder are null on a page without a destination).
struct CreationPageControls {
  ui::ComboBox* dest;
  ui::Button* viewDest;
  ui::ListBox* structures;
  ui::Button *addStructure, *viewStructure, *removeStructure;
  ui::RadioButton* radios[5];  // nothing, main with files, main without, sub with, sub without
  ui::Label* counters[16];
  ui::Button *create, *simulate, *undo, *clear;
  ui::CheckBox *viewDetailed, *viewDestFolder;
  ui::ProgressBar* progress;
};

// What differs between the pages beyond their controls.
struct CreationPageDescription {
  const PageMessage* messages;
  size_t messageCount;
  // The page's results window (created after the main window: null until then).
  std::function<TResultsWindow*()> window;
  std::vector<ui::TabSheet*> runLocks;  // sheets a run disables
  std::vector<ui::TabSheet*> simLocks;  // sheets a simulation disables
  const std::string* simStartText;      // the main window's simulation texts
  const std::string* simEndText;
  bool totalsOnExists = true;           // an existing main folder adds the structure totals
  bool totalsOnOther = true;            // so does a failed one
};

class CreationPage {
public:
  // The most entries a run or simulation puts into each list of its window
  // (the one rule of every run).
  static constexpr size_t kMaxListed = RunBinding::kMaxListed;

  CreationPage(ui::Form* form, CreationPageDescription description);
  virtual ~CreationPage() = default;
  CreationPage(const CreationPage&) = delete;
  CreationPage& operator=(const CreationPage&) = delete;

  ui::Form* const form_;

  // What the page keeps between runs.
  core::CreationCounters Counters{};
  core::CreationResultLists ResultLists;
  core::CreationJournal Journal;        // what the last run made (the undo record)
  core::CreationStringList CopiedFiles;
  core::StructureTotals StructureTotals;
  core::FileSizeMap StructureFiles;
  std::vector<core::KeptPath> StructureKept;  // entries of the structures no path reaches

  // Shows a box of the page's table; "{}" in its text becomes arg.
  int Box(PageMsg id, const std::string& arg = std::string());
  const PageMessage& Message(PageMsg id) const;

  // Counters and the results window.
  void ResetCounters();
  void ResetResultCounters();
  void ShowStatistics();
  void ShowVisualLogTotals();
  void ClearResultLists() { ResultLists.Clear(); }
  void ClearVisualLog();
  TResultsWindow* Window() const { return desc_.window(); }

  // Destination.
  // The folder picker's answer; empty when cancelled.
  std::string PickFolder();
  void ViewDestination();
  // Selects (adding when new) a non-blank destination; true when it did.
  bool SelectDestination(const std::string& text);
  // Prefix or suffix field: drops an illegal last character with its box.
  bool CheckNameField(ui::Edit& field, PageMsg message);

  // Structures and attach options.
  core::AttachMode AttachMode() const;
  bool WithFiles() const { return core::AttachWithFiles(AttachMode()); }
  void AddStructureClick();
  void AddFolderStructure(const std::string& folder);
  void ViewStructureClick();
  void RemoveStructureClick();
  void AttachClick(ui::RadioButton& radio);
  void SetStructureControlsEnabled();
  void UpdateCreateButtons();
  // Measures the listed structures (again only when the list or the option
  // changed since the last measuring, or when force is set).
  void SumFolderStructures(bool withFiles, bool force = false);
  // The to-create row and the free-space check (its box when short).
  bool CheckDiskSpace(bool withFiles, bool force = false);
  // Counters reset, to-create row, shown.
  void RefreshCounters();

  // Run, simulation and undo.
  enum class JobKind { Run, Simulation };
  void Start(JobKind kind);
  void Undo();
  bool Busy() const { return run_.Busy(); }

  // The Visual Log button: the totals, then the results window beside the main window.
  void ShowVisualLog();

protected:
  void Bind(const CreationPageControls& controls);
  // The list half's boxes from the page's table: one row per ListMsg the page
  // shows (a row's text, when set, is the box's variable part).
  struct ListBoxRow {
    ListMsg msg;
    PageMsg id;
    const char* arg;
  };
  std::function<int(ListMsg, const std::string&)> ListBoxes(std::vector<ListBoxRow> rows);
  CreationPageControls c_{};

  // The number of folders a run would make (the to-create count).
  virtual double ItemCount() = 0;
  // The free-space verdict for count folders each taking bytes (the page's
  // destination drive unless the page says otherwise).
  virtual core::FreeSpaceCheck CheckRoom(double count, uint64_t bytes);
  // Checks before anything is asked; false stops.
  virtual bool BeforeStart(bool simulation) { return true; }
  // Fills the job's items and name parts from a snapshot of the page;
  // false stops after the reset (with its box shown).
  virtual bool TakeItems(core::CreationJob& job, bool simulation) = 0;
  // The page's own commands, locked while a run lasts.
  virtual std::vector<ui::Control*> CommandControls() = 0;

private:
  // The sixteen counters as the run binding shows them: page label and window label.
  std::vector<RunBinding::Counter> BoundCounters();

  CreationPageDescription desc_;
  RunBinding run_;
  std::string measuredKey_;
  bool measured_ = false;
};
