// The list half of every page with an include and an exclude list: the two
// lists and their counts, Add, the moves, the exclude-list deletes, Smart
// Import and Export, Edit List, Zoom, View, Import and Export List, the
// progress bar, the list part of Clear Fields and the Help, Visual Log and
// Examples buttons. A page describes itself (its controls, its boxes, its one
// acceptance rule, its quirks and its refresh) and keeps only its own body.
#pragma once
#include "listwin/export_handover.h"
#include "listwin/frmEditIncludeList.h"
#include "listwin/list_file.h"
#include "listwin/list_page.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <functional>
#include <string>
#include <vector>

// The boxes of the list half; each page shows them from its own table.
enum class ListMsg {
  AddEmpty, InInclude, InExclude, ExcludeEmpty, DeleteSelected, ExcludeAllEmpty, DeleteAll,
  ExportEmpty, ViewNothing,
  // The closing box of a bulk road that left entries out ("{}": LeftOut::Text).
  NotTaken,
  // View Selected of an entry that is no existing folder (a file, or nothing).
  ViewNotAFolder,
};

// One piece of a typed Add: the text the page's rule judges and the entry kept.
struct AddPiece {
  std::string judged, stored;
};

// The list controls of a page; null where the page has none.
struct ListPairControls {
  ui::Edit* addField = nullptr;        // null: Add asks the folder picker ("Add Folders Manually")
  ui::Button* add = nullptr;
  ui::ListBox *include = nullptr, *exclude = nullptr;
  ui::Label *includeCount = nullptr, *excludeCount = nullptr;
  ui::Button *incToExc = nullptr, *excToInc = nullptr, *allFromInc = nullptr, *allFromExc = nullptr,
             *exchange = nullptr;
  ui::Button *deleteSelected = nullptr, *deleteAll = nullptr;
  ui::Button *smartImport = nullptr, *subfolderBuilder = nullptr, *smartExport = nullptr, *editList = nullptr, *zoom = nullptr,
             *view = nullptr, *importList = nullptr, *exportList = nullptr;
  ui::Button *help = nullptr, *visualLog = nullptr, *examples = nullptr, *fileSelection = nullptr;
  ui::ProgressBar* progress = nullptr;
  ui::OpenDialog* open = nullptr;
  ui::SaveDialog* save = nullptr;
  // Captions enabled and disabled with the list controls.
  std::vector<ui::Control*> captions;
};

// What differs between the pages' list halves.
struct ListPairDescription {
  ListPairControls c;
  // Shows one of the list half's boxes from the page's table ("{}" becomes arg).
  std::function<int(ListMsg, const std::string& arg)> box;
  // The page's one acceptance rule (see ListPageDescription::rule).
  std::function<EntryJudge(ListRoad road)> rule;
  // The page's refresh, run after every change of the lists.
  std::function<void()> refresh;

  // Add: the duplicate tests compare the text as typed, before the rule (the
  // string page); otherwise each piece after the rule.
  bool duplicatesAsTyped = false;
  // Cuts the trimmed typed text into pieces (false: refused, its box shown);
  // null: one piece, the trimmed text itself. shown is what the field keeps.
  std::function<bool(const std::string& trimmed, std::vector<AddPiece>& pieces, std::string& shown)>
      parseAdd;
  // "<" and "<<" ask the rule of each entry (a refused entry stays in the
  // exclude list, the pass goes on and the page is refreshed; "<<" ends with
  // one box naming what stayed); the moves that do not ask drop entries
  // without a drive part (the folder pages).
  bool excToIncAsks = false, allFromExcAsks = false, movesNeedDrive = false;
  // Add Folders Manually asks the rule before its duplicate tests.
  bool manualAddAsks = false;
  // The least length of the root a Build a List takes (0: the page has no builder).
  size_t buildMinLength = 0;
  // After File Selection closed with OK (with fileSelection set).
  std::function<void()> afterFileSelection;

  std::string emptyImportCaption;       // caption of the import window's empty-result warning
  std::string emptyBuilderCaption;      // the same warning after the subfolder list builder
  bool splitAtDrives = true;            // imported items are cut at each drive start first
  const char* exportKind = kExportKindFolders;
  ExportFilter exportFilter = ExportFilter::WithDrive;
  std::function<TfrmEditIncludeList*()> editor;  // the page's editor (made after the page)
  const ListFileTwin* listFile = nullptr;
  // Run after Export List (the page re-enables itself by its include count).
  std::function<void()> afterExportList;
  // Where the focus goes after a command.
  ui::Control *focusAfterList = nullptr, *focusAfterImport = nullptr;
  std::function<void()> help, examples, visualLog;
};

class ListPair {
public:
  ListPair(ui::Form* form, ListPairDescription description);
  ListPair(const ListPair&) = delete;
  ListPair& operator=(const ListPair&) = delete;

  const ListPairDescription& Description() const { return d_; }
  ui::ListBox& Include() const { return *d_.c.include; }
  ui::ListBox& Exclude() const { return *d_.c.exclude; }

  // The commands (each bound to its control).
  void Add();
  void Move(bool fromInclude, bool selectedOnly);
  void Exchange();
  void DeleteFromExclude(bool all);
  void SmartImport();
  void SubfolderBuilder();
  void SmartExport();
  void EditList();
  void Zoom();
  void View();
  void ImportList();
  void ExportList();
  void FileSelection();

  // The page's refresh, then the two counts shown and the bar hidden.
  void Refresh();
  void ShowCounts();
  void SetEnabled(bool enabled);
  // The list part of Clear Fields: field, lists and counts emptied.
  void Clear();
  std::vector<ui::Control*> CommandControls() const;

  // The page as the list windows and list files see it.
  ListPageDescription Page() const;
  ListFilePage File() const;

private:
  void Focus(ui::Control* control);
  bool AddPieces(const std::string& typed);

  ui::Form* form_;
  ListPairDescription d_;
};
