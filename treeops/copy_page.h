// The copy page (sheet tabFoldersCopy02): folder structures copied into every
// main folder of an include list, with or without their selected files. Its
// list half is the list-pair binding; its body holds the four copy options, the
// structure list, the preview with its free-space check per drive, the
// counters, and the run, simulation, undo and Clear Fields commands over the
// copy engine.
#pragma once
#include "core/box_message.h"
#include "forms/tabFoldersCopy02.h"
#include "listwin/level_builder.h"
#include "listwin/list_pair.h"
#include "listwin/run_binding.h"
#include "treeops/copy_engine.h"
#include "treeops/folder_list_rule.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/pages.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

// The boxes of the copy page.
enum class CopyMsg {
  AddEmpty, InInclude, InExclude, DeleteSelected, ExcludeEmpty, ViewNothing, ExcludeAllEmpty,
  DeleteAll, ExportEmpty, Refused, NotTaken,
  ViewNotAFolder, StructureNotAFolder, StructureKept,
  DiskSpace, SelectFilesHint, StructureNotSelected, StructureRemove, ClearAsk, ClearEnd,
  UndoNothing, UndoAsk, UndoReport, UndoEnd, WholeDisk,
  RunEmpty, RunNoStructure, RunStructureRefused, RunSpaceUnknown, RunConfirm, RunEnd, RunDiskFull,
  SimEmpty, SimNoStructure, SimStructureRefused, SimSpaceUnknown, SimConfirm, SimEnd,
};
extern const core::MessageTable<CopyMsg> kCopyPageMessages;

// The results window as the page uses it (bound once the window exists):
// counters in the page's order, its lists emptied, the window shown; runs
// fill it through the run binding.
struct CopyResultsWindow {
  std::function<ui::Label*(int)> counter;
  std::function<void()> clearLists, show;
};

class CopyPage {
public:
  // What the main window lends the page: the sheets a run locks, the
  // simulation texts, the file-selection hint with its two once-only flags.
  struct Shared {
    std::vector<ui::TabSheet*> locks;
    const std::string* simStart = nullptr;
    const std::string* simEnd = nullptr;
    const std::string* selectFilesHint = nullptr;
    int* mainWithFilesHintShown = nullptr;
    int* subOnlyWithFilesHintShown = nullptr;
    const std::string* allFileTypes = nullptr;   // "All."
    const std::string* userFileTypes = nullptr;  // "User Selected."
  };
  CopyPage(ui::Form* form, Shared shared);
  CopyPage(const CopyPage&) = delete;
  CopyPage& operator=(const CopyPage&) = delete;

  ui::Form* const form_;

  ui::GroupBox grpVol08Main{form_, IDC_GRPVOL08MAIN};
  ui::GroupBox grpVol08Methods{form_, IDC_GRPVOL08METHODS};
  ui::Button btnVol08SubFolderLevelListBuilder{form_, IDC_BTNVOL08SUBFOLDERLEVELLISTBUILDER};
  ui::Button btnVol08SmartImport{form_, IDC_BTNVOL08SMARTIMPORT};
  ui::Button btnVol08AddFolderToList{form_, IDC_BTNVOL08ADDFOLDERTOLIST};
  ui::Label lblVol08IncludeFolderList{form_, IDC_LBLVOL08INCLUDEFOLDERLIST};
  ui::ListBox lstVol08IncludeFolderList{form_, IDC_LSTVOL08INCLUDEFOLDERLIST};
  ui::Label lblVol08ExcludeFolderList{form_, IDC_LBLVOL08EXCLUDEFOLDERLIST};
  ui::ListBox lstVol08ExcludeFolderList{form_, IDC_LSTVOL08EXCLUDEFOLDERLIST};
  ui::Button btnVol08IncToExc{form_, IDC_BTNVOL08INCTOEXC};
  ui::Button btnVol08ExcToInc{form_, IDC_BTNVOL08EXCTOINC};
  ui::Button btnVol08AllfromInc{form_, IDC_BTNVOL08ALLFROMINC};
  ui::Button btnVol08AllfromExc{form_, IDC_BTNVOL08ALLFROMEXC};
  ui::Button btnVol08ExchangeIncToExc{form_, IDC_BTNVOL08EXCHANGEINCTOEXC};
  ui::Label lblVol08IncludeSumCim{form_, IDC_LBLVOL08INCLUDESUMCIM};
  ui::Label lblVol08IncludeSum{form_, IDC_LBLVOL08INCLUDESUM};
  ui::Label lblVol08ExcludeSumCim{form_, IDC_LBLVOL08EXCLUDESUMCIM};
  ui::Label lblVol08ExcludeSum{form_, IDC_LBLVOL08EXCLUDESUM};
  ui::Button btnVol08IncludeFolderListView{form_, IDC_BTNVOL08INCLUDEFOLDERLISTVIEW};
  ui::Button btnVol08EditIncludeList{form_, IDC_BTNVOL08EDITINCLUDELIST};
  ui::Button btnVol08SmartExport{form_, IDC_BTNVOL08SMARTEXPORT};
  ui::Button btnVol08DeleteExcludeList{form_, IDC_BTNVOL08DELETEEXCLUDELIST};
  ui::Button btnVol08DeleteExcludeAll{form_, IDC_BTNVOL08DELETEEXCLUDEALL};
  ui::GroupBox grpVol08CopyOptions{form_, IDC_GRPVOL08COPYOPTIONS};
  ui::GroupBox grpVol08CopyStructures{form_, IDC_GRPVOL08COPYSTRUCTURES};
  ui::ListBox lstVol08AddFolderStructure{form_, IDC_LSTVOL08ADDFOLDERSTRUCTURE};
  ui::Button btnVol08AddFolderStructure{form_, IDC_BTNVOL08ADDFOLDERSTRUCTURE};
  ui::Button btnVol08ViewFolderStructure{form_, IDC_BTNVOL08VIEWFOLDERSTRUCTURE};
  ui::Button btnVol08RemoveFolderStructure{form_, IDC_BTNVOL08REMOVEFOLDERSTRUCTURE};
  ui::RadioButton rdoVol08AttachMainFolderWithoutFiles{form_, IDC_RDOVOL08ATTACHMAINFOLDERWITHOUTFILES};
  ui::RadioButton rdoVol08AttachSubFoldersOnlyWithoutFiles{form_, IDC_RDOVOL08ATTACHSUBFOLDERSONLYWITHOUTFILES};
  ui::RadioButton rdoVol08AttachMainFolderWithFiles{form_, IDC_RDOVOL08ATTACHMAINFOLDERWITHFILES};
  ui::RadioButton rdoVol08AttachSubFoldersOnlyWithFiles{form_, IDC_RDOVOL08ATTACHSUBFOLDERSONLYWITHFILES};
  ui::Button btnVol08FileSelection{form_, IDC_BTNVOL08FILESELECTION};
  ui::Label lblVol08Status{form_, IDC_LBLVOL08STATUS};
  ui::Label lblVol08FileTypesAllSelected{form_, IDC_LBLVOL08FILETYPESALLSELECTED};
  ui::CheckBox chkVol08ShowDetailedResults{form_, IDC_CHKVOL08SHOWDETAILEDRESULTS};
  ui::GroupBox grpVol08Statistics{form_, IDC_GRPVOL08STATISTICS};
  ui::Label lblVol08Total{form_, IDC_LBLVOL08TOTAL};
  ui::Label lblVol08Results{form_, IDC_LBLVOL08RESULTS};
  ui::Label lblVol08SubFoldersColumn{form_, IDC_LBLVOL08SUBFOLDERSCOLUMN};
  ui::Label lblVol08FilesColumn{form_, IDC_LBLVOL08FILESCOLUMN};
  ui::Label lblVol08FileSizeColumn{form_, IDC_LBLVOL08FILESIZECOLUMN};
  ui::Label lblVol08ToCopyCimke{form_, IDC_LBLVOL08TOCOPYCIMKE};
  ui::Label lblVol08SubFoldersToCopy{form_, IDC_LBLVOL08SUBFOLDERSTOCOPY};
  ui::Label lblVol08FilesToCopy{form_, IDC_LBLVOL08FILESTOCOPY};
  ui::Label lblVol08FileSizeToCopy{form_, IDC_LBLVOL08FILESIZETOCOPY};
  ui::Label lblVol08CopiedCimke{form_, IDC_LBLVOL08COPIEDCIMKE};
  ui::Label lblVol08SubFoldersCopied{form_, IDC_LBLVOL08SUBFOLDERSCOPIED};
  ui::Label lblVol08FilesCopied{form_, IDC_LBLVOL08FILESCOPIED};
  ui::Label lblVol08FileSizeCopied{form_, IDC_LBLVOL08FILESIZECOPIED};
  ui::Label lblVol08AlreadyExistsCimke{form_, IDC_LBLVOL08ALREADYEXISTSCIMKE};
  ui::Label lblVol08SubFoldersExists{form_, IDC_LBLVOL08SUBFOLDERSEXISTS};
  ui::Label lblVol08FilesExists{form_, IDC_LBLVOL08FILESEXISTS};
  ui::Label lblVol08FileSizeExists{form_, IDC_LBLVOL08FILESIZEEXISTS};
  ui::Label lblVol08FoldersToCopyCimke{form_, IDC_LBLVOL08FOLDERSTOCOPYCIMKE};
  ui::Label lblVol08FoldersColumn{form_, IDC_LBLVOL08FOLDERSCOLUMN};
  ui::Label lblVol08FoldersExistsCimke{form_, IDC_LBLVOL08FOLDERSEXISTSCIMKE};
  ui::Label lblVol08NotExistsCimke{form_, IDC_LBLVOL08NOTEXISTSCIMKE};
  ui::Label lblVol08FoldersToCopy{form_, IDC_LBLVOL08FOLDERSTOCOPY};
  ui::Label lblVol08FoldersCopied{form_, IDC_LBLVOL08FOLDERSCOPIED};
  ui::Label lblVol08FoldersNotExists{form_, IDC_LBLVOL08FOLDERSNOTEXISTS};
  ui::Button btnVol08CopyFolders{form_, IDC_BTNVOL08COPYFOLDERS};
  ui::Button btnVol08CopyFoldersSimulation{form_, IDC_BTNVOL08COPYFOLDERSSIMULATION};
  ui::Button btnVol08Undo{form_, IDC_BTNVOL08UNDO};
  ui::Button btnVol08ClearAll{form_, IDC_BTNVOL08CLEARALL};
  ui::Button btnVol08Statistics{form_, IDC_BTNVOL08STATISTICS};
  ui::Button btnVol08Examples{form_, IDC_BTNVOL08EXAMPLES};
  ui::Button btnVol08Help{form_, IDC_BTNVOL08HELP};
  ui::Button btnVol08LoadFrom{form_, IDC_BTNVOL08LOADFROM};
  ui::Button btnVol08SaveTo{form_, IDC_BTNVOL08SAVETO};
  ui::ProgressBar pbVol08ProgressBar{form_, IDC_PBVOL08PROGRESSBAR};
  // The in-page level builder: its method radios, and its group.
  ui::RadioButton rdoVol08MakeListSelector{form_, IDC_RDOVOL08MAKELISTSELECTOR};
  ui::RadioButton rdoVol08MakeListImport{form_, IDC_RDOVOL08MAKELISTIMPORT};
  ui::RadioButton rdoVol08AddToListManually{form_, IDC_RDOVOL08ADDTOLISTMANUALLY};
  ui::GroupBox Trash081{form_, IDC_GRPVOL08LEVELBUILDER};
  ui::Label lblVol08DestFolderName{form_, IDC_LBLVOL08DESTFOLDERNAME};
  ui::ComboBox cboVol08LevelDestFolder{form_, IDC_CBOVOL08LEVELDESTFOLDER};
  ui::Button btnVol08AddDestFolder{form_, IDC_BTNVOL08ADDDESTFOLDER};
  ui::Button btnVol08ViewDestFolder{form_, IDC_BTNVOL08VIEWDESTFOLDER};
  ui::Label lblVol08LevelNumber{form_, IDC_LBLVOL08LEVELNUMBER};
  ui::RadioButton rdoVol08SLNFromTo{form_, IDC_RDOVOL08SLNFROMTO};
  ui::Edit edtVol08FromLevelNumber{form_, IDC_EDTVOL08FROMLEVELNUMBER};
  ui::UpDown udVol08FromLevelNumber{form_, IDC_UDVOL08FROMLEVELNUMBER};
  ui::Label lblVol08SLNTo{form_, IDC_LBLVOL08SLNTO};
  ui::Edit edtVol08ToLevelNumber{form_, IDC_EDTVOL08TOLEVELNUMBER};
  ui::UpDown udVol08ToLevelNumber{form_, IDC_UDVOL08TOLEVELNUMBER};
  ui::RadioButton rdoVol08SLNAbove{form_, IDC_RDOVOL08SLNABOVE};
  ui::Edit edtVol08AboveLevelNumber{form_, IDC_EDTVOL08ABOVELEVELNUMBER};
  ui::UpDown udVol08AboveLevelNumber{form_, IDC_UDVOL08ABOVELEVELNUMBER};
  ui::RadioButton rdoVol08SLNBelow{form_, IDC_RDOVOL08SLNBELOW};
  ui::Edit edtVol08BelowLevelNumber{form_, IDC_EDTVOL08BELOWLEVELNUMBER};
  ui::UpDown udVol08BelowLevelNumber{form_, IDC_UDVOL08BELOWLEVELNUMBER};
  ui::Button btnVol08MakeList{form_, IDC_BTNVOL08MAKELIST};
  ui::Label lblVol08SubFolderFilter{form_, IDC_LBLVOL08SUBFOLDERFILTER};
  ui::Edit edtVol08SubFolderFilter{form_, IDC_EDTVOL08SUBFOLDERFILTER};
  ui::RadioButton rdoVol08GenLastSubFolder{form_, IDC_RDOVOL08GENLASTSUBFOLDER};
  ui::RadioButton rdoVol08GenAllSubFolders{form_, IDC_RDOVOL08GENALLSUBFOLDERS};
  ui::OpenDialog OpenDialog3;
  ui::SaveDialog SaveDialog3;
  ListPair Lists;
  // The in-page level builder over the list half.
  LevelBuilder Levels;

  // Main folders, subfolders, files and bytes to copy; the same copied; main
  // folders not existing; subfolders, files and bytes already existing; main
  // folders, subfolders, files and bytes not done for other reasons (the last
  // four shown in the Visual Log only).
  std::array<double, 16> Vol08Counters{};
  // The Visual Log's value label of counter i.
  static int VisualLogCounter(int i);
  // The last run's outcomes (a simulation keeps its own), and what it made
  // (the undo record).
  treeops::CopyResults Vol08ResultLists, SimulationResults;
  treeops::CopyJournal Vol08Undo;
  // The last preview (structure totals, main folders, skipped pairs).
  treeops::CopyPreview Preview;

  // Start-up steps of the main window's creation that concern this page.
  void InitVol08Page();
  // Binds the results window once it exists.
  void SetResultsWindow(CopyResultsWindow window) { window_ = std::move(window); }

  // Page operations.
  int Box(CopyMsg id, const std::string& arg = std::string());
  treeops::CopyOption Option() const;
  bool WithFiles() const { return treeops::CopyWithFiles(Option()); }
  bool ScanVol08CopyPreview();
  void SetVol08ControlsEnabled(bool flag);
  void UpdateVol08CopyButtons(bool flag);
  void ClearVol08Counters() { Vol08Counters.fill(0); }
  void ResetVol08ResultCounters();
  void ShowVol08Counters();
  void ShowVol08CountersOnStatistics();
  void ClearVol08VisualLog();
  void RefreshVol08Tab();
  // "All." when the saved pattern line is "*.*", else "User Selected.".
  void ShowVol08FileTypes();

  // Handlers.
  void OptionClick(ui::RadioButton& radio);
  void btnVol08AddFolderStructureClick();
  void AddVol08FolderStructure(const std::string& path);
  // The root summary of the level builder.
  void ShowVol08SourceFolderInfo(const std::string& root);
  void btnVol08ViewFolderStructureClick();
  void btnVol08RemoveFolderStructureClick();
  void btnVol08UndoClick();
  void btnVol08ClearAllClick();
  void btnVol08StatisticsClick();
  void Start(bool simulation);
  bool Busy() const { return run_.Busy(); }

private:
  ListPairDescription ListHalf();
  // The page's one rule for an entry on every road into its include list: the
  // tree pages' common rule with this page's boxes.
  treeops::FolderListRule ListRule();
  LevelBuilderDescription LevelHalf();
  // The page as a copy job: a snapshot of its lists and option.
  treeops::CopyJob Job() const;
  // The preview's counters, or its stop box (the run's own numbers).
  void ShowPreviewStop(const treeops::CopyMessage& stop, bool simulation);
  std::string Summary(const treeops::CopyPreview& preview) const;
  // The lists the questions name after the counts: pairs skipped, main folders refused.
  std::vector<core::ListedSection> SummaryLists(const treeops::CopyPreview& preview) const;
  std::vector<ui::Label*> CounterLabels();
  std::vector<RunBinding::Counter> BoundCounters();
  std::vector<ui::Control*> CommandControls();
  void UpdateFileSelectionControls();

  Shared shared_;
  CopyResultsWindow window_;
  treeops::ProtectedFolders protected_;
  RunBinding run_;
};
