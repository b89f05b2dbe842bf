// Detailed-results windows ("Visual Log"): one window class bound by a row per
// window. The three creation pages (02 string list, 03 increased numbers, 04
// path list) and the rename (06), delete (07) and copy (08) pages each have
// one. A window shows its page's counters in a grid of value labels and its
// run's outcome lists, each with a Smart Export button that hands the list to
// the export window; a title tells a run from a simulation; OK and Escape close
// it with its contents kept. The runs write counters and lists through
// Counter() and List().
#pragma once
#include "core/box_message.h"
#include "forms/TfrmStatistic.h"
#include "ui/controls.h"

#include <memory>
#include <string>
#include <vector>

// The empty-list warnings of every results window's lists.
enum class ResultsMsg {
  Vol02FoldersCreated,
  Vol02SubFoldersCreated,
  Vol02FilesCreated,
  Vol02FoldersExists,
  Vol02FoldersOther,
  Vol03FoldersCreated,
  Vol03SubFoldersCreated,
  Vol03FilesCreated,
  Vol03FoldersExists,
  Vol03FoldersOther,
  Vol04FoldersCreated,
  Vol04SubFoldersCreated,
  Vol04FilesCreated,
  Vol04FoldersExists,
  Vol04FoldersOther,
  Vol06FoldersRenamed,
  Vol06SourceNotExists,
  Vol06DestinationExists,
  Vol06OtherReasons,
  Vol07FoldersDeleted,
  Vol07FoldersNotExists,
  Vol07FoldersOtherReasons,
  Vol07FilesDeleted,
  Vol07FilesNotExists,
  Vol07FilesOtherReasons,
  Vol08FoldersCopied,
  Vol08SubFoldersCopied,
  Vol08FilesCopied,
  Vol08FoldersNotExists,
  Vol08SubFoldersExists,
  Vol08FilesExists,
  Vol08OtherReasons
};
extern const core::MessageTable<ResultsMsg> kResultsWindowMessages;

// One outcome list of a results window.
struct ResultsListRow {
  const char* caption;  // the list's heading
  ResultsMsg warning;   // shown when its Smart Export finds it empty
  const char* hint;     // its Smart Export button's hint (may be empty)
};

// What one results window shows.
struct ResultsWindowRow {
  int dialogId;
  const char* caption;
  const char* runTitle;         // the mode check box on
  const char* simulationTitle;  // off
  const char* modeCaption;      // the hidden check box's text
  std::vector<const char*> columns;  // grid column headings (all grids, in order)
  std::vector<const char*> rows;     // grid row headings
  int counters;                      // value labels, row by row
  std::vector<const char*> groups;   // group boxes
  std::vector<ResultsListRow> lists;
  const ui::AnchorRule* anchors;
  size_t anchorCount;
  // The title after the page's Undo, whose lists then hold what it kept
  // (null: the page has no Undo).
  const char* undoTitle = nullptr;
};

class TResultsWindow : public ui::Form {
public:
  explicit TResultsWindow(const ResultsWindowRow& row);

  // The creation windows' five lists, in the order of their export buttons.
  enum ResultList { kFoldersCreated, kSubFoldersCreated, kFilesCreated, kFoldersExists, kFoldersOther };

  ui::Label lblStatNormalSimulate{this, IDC_STAT_TITLE};
  ui::CheckBox chkStatNormalSimulate{this, IDC_STAT_NORMALSIMULATE};
  ui::Button btnStatOk{this, IDC_STAT_OK};

  const ResultsWindowRow& Row() const { return row_; }
  // Value labels in the order of the window's counters (for a creation window
  // element 4 * row + column, as the page's counters).
  int CounterCount() const { return static_cast<int>(counters_.size()); }
  ui::Label& Counter(int index) { return *counters_[index]; }
  int ListCount() const { return static_cast<int>(lists_.size()); }
  ui::ListBox& List(int index) { return *lists_[index]; }
  ui::Button& ExportButton(int index) { return *exports_[index]; }
  // Headings of the grid's columns and rows, of the groups and of the lists.
  ui::Label& ColumnHeading(int index) { return *columns_[index]; }
  ui::Label& RowHeading(int index) { return *rows_[index]; }
  ui::GroupBox& Group(int index) { return *groups_[index]; }
  ui::Label& ListCaption(int index) { return *listCaptions_[index]; }

  // Marks the window as showing a run (true) or a simulation (false) and
  // shows that title.
  void SetRunMode(bool run);
  // Marks the window as showing what the page's Undo kept and shows that
  // title, until the next run or simulation.
  void SetUndoMode();
  // Colours the title maroon, centres it and sets its text by the mode check
  // box: checked (a real run) or unchecked (a simulation); after an Undo, the
  // Undo's title.
  void ApplyNormalSimulateTitle();
  // Empties every outcome list.
  void ClearLists();

  // Smart Export of one list: its warning when empty, else hands its entries
  // with a drive part to the export window, which is shown modally; the focus
  // returns to the list's button.
  void SmartExport(int index);
  void btnStatOkClick() { Close(); }

private:
  void FormCreate();

  const ResultsWindowRow& row_;
  bool undo_ = false;  // the lists hold what an Undo kept
  std::vector<std::unique_ptr<ui::Label>> counters_, columns_, rows_, listCaptions_;
  std::vector<std::unique_ptr<ui::GroupBox>> groups_;
  std::vector<std::unique_ptr<ui::ListBox>> lists_;
  std::vector<std::unique_ptr<ui::Button>> exports_;
};

// The six windows.
class TfrmStatistic02 : public TResultsWindow {
public:
  TfrmStatistic02();
};
class TfrmStatistic03 : public TResultsWindow {
public:
  TfrmStatistic03();
};
class TfrmStatistic04 : public TResultsWindow {
public:
  TfrmStatistic04();
};
class TfrmStatistic06 : public TResultsWindow {
public:
  TfrmStatistic06();
};
class TfrmStatistics07 : public TResultsWindow {
public:
  TfrmStatistics07();
};
class TfrmStatistic08 : public TResultsWindow {
public:
  TfrmStatistic08();
};

extern TfrmStatistic02* frmStatistic02;
extern TfrmStatistic03* frmStatistic03;
extern TfrmStatistic04* frmStatistic04;
extern TfrmStatistic06* frmStatistic06;
extern TfrmStatistics07* frmStatistics07;
extern TfrmStatistic08* frmStatistic08;

// Every results window's row, in the order of the windows above.
const std::vector<const ResultsWindowRow*>& ResultsWindowRows();
