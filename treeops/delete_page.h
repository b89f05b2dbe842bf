// The Delete page (sheet tabFoldersDelete01): a list of main folders beside an
// exclude list, four delete modes, the selected-file controls of the two file
// modes, the preview counters, and the run and simulation over the delete
// engine. There is no undo: the run asks first (twice when the page says so),
// naming what will go as a fresh walk of the folders counts it, and deletes
// exactly the items of that walk, each after its own place check.
#pragma once
#include "core/box_message.h"
#include "forms/tabFoldersDelete01.h"
#include "listwin/level_builder.h"
#include "listwin/list_pair.h"
#include "listwin/run_binding.h"
#include "treeops/delete_engine.h"
#include "treeops/folder_list_rule.h"
#include "ui/controls.h"
#include "ui/pages.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

// The page's boxes: the list half's first, in ListMsg order.
enum class DeleteMsg {
  AddEmpty, InInclude, InExclude, ExcludeEmpty, DeleteSelected, ExcludeAllEmpty, DeleteAll,
  ExportEmpty, ViewNothing, NotTaken,
  ViewNotAFolder,
  WholeDrive, Refused, FilesHint, ClearAsk, ClearEnd,
  RunConfirm, RunConfirmAgain, RunEnd, RunNothing, SimConfirm, SimEnd,
  // The count before the questions ended by Stop or Escape.
  RunCountStopped, SimCountStopped,
};

extern const core::MessageTable<DeleteMsg> kDeletePageMessages;

// Where the page's counters are shown besides its own labels (the results
// window's eight: to delete, deleted, not existing, other reasons; folders
// row then files row), and the window shown beside the page; runs fill the
// window through the run binding.
struct DeleteResultsView {
  std::function<void(int counter, const std::string& text)> counter;
  std::function<void()> showBeside;
};

class DeletePage {
public:
  // otherSheets: the sheets a run or simulation locks.
  DeletePage(ui::Form* form, std::vector<ui::TabSheet*> otherSheets, const std::string* simStart,
             const std::string* simEnd, int* onlyFilesHintShown, int* onlyFilesInMainFolderHintShown);
  DeletePage(const DeletePage&) = delete;
  DeletePage& operator=(const DeletePage&) = delete;

  ui::Form* const form_;

  ui::GroupBox grpVol07Main{form_, IDC_GRPVOL07MAIN};
  ui::GroupBox grpVol07Methods{form_, IDC_GRPVOL07METHODS};
  ui::Button btnVol07SubFolderLevelListBuilder{form_, IDC_BTNVOL07SUBFOLDERLEVELLISTBUILDER};
  ui::Button btnVol07SmartImport{form_, IDC_BTNVOL07SMARTIMPORT};
  ui::Button btnVol07AddFoldersToList{form_, IDC_BTNVOL07ADDFOLDERSTOLIST};
  ui::Label lblVol07IncludeFolderList{form_, IDC_LBLVOL07INCLUDEFOLDERLIST};
  ui::ListBox lstVol07IncludeFolderList{form_, IDC_LSTVOL07INCLUDEFOLDERLIST};
  ui::Label lblVol07ExcludeFolderList{form_, IDC_LBLVOL07EXCLUDEFOLDERLIST};
  ui::ListBox lstVol07ExcludeFolderList{form_, IDC_LSTVOL07EXCLUDEFOLDERLIST};
  ui::Button btnVol07IncToExc{form_, IDC_BTNVOL07INCTOEXC};
  ui::Button btnVol07ExcToInc{form_, IDC_BTNVOL07EXCTOINC};
  ui::Button btnVol07AllFromInc{form_, IDC_BTNVOL07ALLFROMINC};
  ui::Button btnVol07AllFromExc{form_, IDC_BTNVOL07ALLFROMEXC};
  ui::Button btnVol07ExchangeIncExc{form_, IDC_BTNVOL07EXCHANGEINCEXC};
  ui::Label lblVol07IncludeSumCim{form_, IDC_LBLVOL07INCLUDESUMCIM};
  ui::Label lblVol07IncludeSum{form_, IDC_LBLVOL07INCLUDESUM};
  ui::Label lblVol07ExcludeSumCim{form_, IDC_LBLVOL07EXCLUDESUMCIM};
  ui::Label lblVol07ExcludeSum{form_, IDC_LBLVOL07EXCLUDESUM};
  ui::Button btnVol07SmartExport{form_, IDC_BTNVOL07SMARTEXPORT};
  ui::Button btnVol07EditIncludeList{form_, IDC_BTNVOL07EDITINCLUDELIST};
  ui::Button btnVol07IncludeFolderListView{form_, IDC_BTNVOL07INCLUDEFOLDERLISTVIEW};
  ui::Button btnVol07DeleteFromExcludeList{form_, IDC_BTNVOL07DELETEFROMEXCLUDELIST};
  ui::Button btnVol07DeleteExcludeAll{form_, IDC_BTNVOL07DELETEEXCLUDEALL};
  ui::GroupBox grpVol07Modes{form_, IDC_GRPVOL07MODES};
  ui::RadioButton rdoVol07DeleteSubFolders{form_, IDC_RDOVOL07DELETESUBFOLDERS};
  ui::RadioButton rdoVol07DeleteCompleteFolders{form_, IDC_RDOVOL07DELETECOMPLETEFOLDERS};
  ui::RadioButton rdoVol07DeleteOnlyFilesInMainFolder{form_, IDC_RDOVOL07DELETEONLYFILESINMAINFOLDER};
  ui::RadioButton rdoVol07DeleteOnlyFiles{form_, IDC_RDOVOL07DELETEONLYFILES};
  ui::Button btnVol07FileSelection{form_, IDC_BTNVOL07FILESELECTION};
  ui::Label lblVol07Status{form_, IDC_LBLVOL07STATUS};
  ui::Label lblVol07FileTypesAllSelected{form_, IDC_LBLVOL07FILETYPESALLSELECTED};
  ui::CheckBox chkVol07ShowDetailedResults{form_, IDC_CHKVOL07SHOWDETAILEDRESULTS};
  ui::CheckBox chkVol07DeleteDoubleConfirm{form_, IDC_CHKVOL07DELETEDOUBLECONFIRM};
  ui::GroupBox grpVol07Statistics{form_, IDC_GRPVOL07STATISTICS};
  ui::Label lblVol07ToDeleteCimke{form_, IDC_LBLVOL07TODELETECIMKE};
  ui::Label lblVol07DeletedCimke{form_, IDC_LBLVOL07DELETEDCIMKE};
  ui::Label lblVol07NotExistsCimke{form_, IDC_LBLVOL07NOTEXISTSCIMKE};
  ui::Label lblVol07OtherReasonsCimke{form_, IDC_LBLVOL07OTHERREASONSCIMKE};
  ui::Label lblVol07FoldersColumn{form_, IDC_LBLVOL07FOLDERSCOLUMN};
  ui::Label lblVol07FoldersToDelete{form_, IDC_LBLVOL07FOLDERSTODELETE};
  ui::Label lblVol07FoldersDeleted{form_, IDC_LBLVOL07FOLDERSDELETED};
  ui::Label lblVol07FoldersNotExists{form_, IDC_LBLVOL07FOLDERSNOTEXISTS};
  ui::Label lblVol07FoldersOtherReasons{form_, IDC_LBLVOL07FOLDERSOTHERREASONS};
  ui::Label lblVol07FilesColumn{form_, IDC_LBLVOL07FILESCOLUMN};
  ui::Label lblVol07FilesToDelete{form_, IDC_LBLVOL07FILESTODELETE};
  ui::Label lblVol07FilesDeleted{form_, IDC_LBLVOL07FILESDELETED};
  ui::Label lblVol07FilesNotExists{form_, IDC_LBLVOL07FILESNOTEXISTS};
  ui::Label lblVol07FilesOtherReasons{form_, IDC_LBLVOL07FILESOTHERREASONS};
  ui::Button btnVol07DeleteFolders{form_, IDC_BTNVOL07DELETEFOLDERS};
  ui::Button btnVol07DeleteFoldersSimulation{form_, IDC_BTNVOL07DELETEFOLDERSSIMULATION};
  ui::Button btnVol07ClearAll{form_, IDC_BTNVOL07CLEARALL};
  ui::Button btnVol07Statistics{form_, IDC_BTNVOL07STATISTICS};
  ui::Button btnVol07Examples{form_, IDC_BTNVOL07EXAMPLES};
  ui::Button btnVol07Help{form_, IDC_BTNVOL07HELP};
  ui::ProgressBar pbVol07ProgressBar{form_, IDC_PBVOL07PROGRESSBAR};
  // While the count before the questions lasts: what goes on, and its Stop.
  ui::Label lblVol07Counting{form_, IDC_LBLVOL07COUNTING};
  ui::Button btnVol07StopCounting{form_, IDC_BTNVOL07STOPCOUNTING};
  // The in-page level builder: its method radios, and its group.
  ui::RadioButton rdoVol07MakeListSelector{form_, IDC_RDOVOL07MAKELISTSELECTOR};
  ui::RadioButton rdoVol07MakeListImport{form_, IDC_RDOVOL07MAKELISTIMPORT};
  ui::RadioButton rdoVol07AddToListManually{form_, IDC_RDOVOL07ADDTOLISTMANUALLY};
  ui::GroupBox Trash0701{form_, IDC_GRPVOL07LEVELBUILDER};
  ui::Label lblVol07DestFolderName{form_, IDC_LBLVOL07DESTFOLDERNAME};
  ui::ComboBox cboVol07LevelDestFolder{form_, IDC_CBOVOL07LEVELDESTFOLDER};
  ui::Button btnVol07AddDestFolder{form_, IDC_BTNVOL07ADDDESTFOLDER};
  ui::Button btnVol07ViewDestFolder{form_, IDC_BTNVOL07VIEWDESTFOLDER};
  ui::Label lblVol07LevelNumber{form_, IDC_LBLVOL07LEVELNUMBER};
  ui::RadioButton rdoVol07SLNFromTo{form_, IDC_RDOVOL07SLNFROMTO};
  ui::Edit edtVol07FromLevelNumber{form_, IDC_EDTVOL07FROMLEVELNUMBER};
  ui::UpDown udVol07FromLevelNumber{form_, IDC_UDVOL07FROMLEVELNUMBER};
  ui::Label lblVol07SLNTo{form_, IDC_LBLVOL07SLNTO};
  ui::Edit edtVol07ToLevelNumber{form_, IDC_EDTVOL07TOLEVELNUMBER};
  ui::UpDown udVol07ToLevelNumber{form_, IDC_UDVOL07TOLEVELNUMBER};
  ui::RadioButton rdoVol07SLNAbove{form_, IDC_RDOVOL07SLNABOVE};
  ui::Edit edtVol07AboveLevelNumber{form_, IDC_EDTVOL07ABOVELEVELNUMBER};
  ui::UpDown udVol07AboveLevelNumber{form_, IDC_UDVOL07ABOVELEVELNUMBER};
  ui::RadioButton rdoVol07SLNBelow{form_, IDC_RDOVOL07SLNBELOW};
  ui::Edit edtVol07BelowLevelNumber{form_, IDC_EDTVOL07BELOWLEVELNUMBER};
  ui::UpDown udVol07BelowLevelNumber{form_, IDC_UDVOL07BELOWLEVELNUMBER};
  ui::Button btnVol07MakeList{form_, IDC_BTNVOL07MAKELIST};
  ui::Label lblVol07SubFolderFilter{form_, IDC_LBLVOL07SUBFOLDERFILTER};
  ui::Edit edtVol07SubFolderFilter{form_, IDC_EDTVOL07SUBFOLDERFILTER};
  ui::RadioButton rdoVol07GenLastSubFolder{form_, IDC_RDOVOL07GENLASTSUBFOLDER};
  ui::RadioButton rdoVol07GenAllSubFolders{form_, IDC_RDOVOL07GENALLSUBFOLDERS};
  ListPair Lists;
  // The in-page level builder over the list half.
  LevelBuilder Levels;

  // What the page keeps: the preview's counts (folders, files, bytes) and the
  // results of the last run and of the last simulation (the six counters and
  // lists; the counters shown are those of whichever came last).
  double Vol07PreviewCounters[2] = {0, 0};
  uint64_t PreviewBytes = 0;
  treeops::DeleteResults Results, SimulationResults;
  // The results window, once it exists (empty functions: none).
  DeleteResultsView View;

  // Handlers.
  void ModeClick(ui::RadioButton& radio);
  void btnVol07ClearAllClick();
  void btnVol07StatisticsClick();
  void Start(bool simulation);

  // Page operations.
  treeops::DeleteMode Mode() const;
  void RefreshVol07Tab();
  void SetVol07ControlsEnabled(bool flag);
  void EnableVol07FoldersRow(bool flag);
  void UpdateVol07DeleteButtons();
  void ShowVol07PreviewCounters();
  void ShowVol07ResultCounters();
  void ClearVol07PreviewCounters() { Vol07PreviewCounters[0] = Vol07PreviewCounters[1] = 0, PreviewBytes = 0; }
  // The file-type caption ("All." when every name is taken).
  void ShowFileTypes();
  bool Busy() const { return run_.Busy(); }
  int Box(DeleteMsg id, const std::string& arg = std::string());
  // The page's one rule for an entry on every road into its include list: the
  // tree pages' common rule with this page's boxes and its whole-drive refusal.
  treeops::FolderListRule ListRule();

  void InitVol07Page();

private:
  ListPairDescription ListHalf();
  LevelBuilderDescription LevelHalf();
  const treeops::ProtectedFolders& Protected();
  treeops::DeleteJob Snapshot();
  void ScanVol07IncludeFolders();
  // The questions' text: what the run will delete and what it will keep, by
  // kind, as the count from the walk's listing finds it (the mode tells
  // whether the Main Folders go or stay).
  std::string Summary(const treeops::DeletePlan& plan, const treeops::DeleteResults& forecast,
                      treeops::DeleteMode mode) const;
  // The lists the questions name after their counts: what goes with the
  // folders, what is kept and why, what is not found.
  std::vector<core::ListedSection> SummaryLists(const treeops::DeletePlan& plan,
                                                const treeops::DeleteResults& forecast) const;
  // A box that lists items: its row's text with lead and the lists in the
  // place of "{}", cut to fit the screen (core::ListingBoxText). Their whole
  // list is place (a list of the Visual Log) or, when place is empty, file,
  // saved by the box when it cannot name every item.
  int ListingBox(DeleteMsg id, const std::string& lead, const std::vector<core::ListedSection>& lists,
                 const std::string& place, const char* file);
  // The walk and the count before the questions, the page saying so and
  // Stop or Escape ending them: false when stopped (nothing is done) or the
  // main window closes. remover takes the plan's roads for the run.
  bool CountFirst(const treeops::DeleteJob& job, bool simulation, core::Remover& remover,
                  treeops::DeletePlan& plan, treeops::DeleteResults& forecast);
  std::vector<ui::Control*> CommandControls();

  std::vector<ui::TabSheet*> otherSheets_;
  const std::string *simStart_, *simEnd_;
  int *onlyFilesHintShown_, *onlyFilesInMainFolderHintShown_;
  RunBinding run_;
  const treeops::DeleteResults* shown_ = &Results;
  bool protectedKnown_ = false;
  treeops::ProtectedFolders protected_;
};
