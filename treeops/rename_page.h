// The Rename page (sheet tabFoldersRename01): an include and an exclude list of
// existing folders, two renaming methods (a prefix and suffix with their
// delimiters around the last folder's name, or a new name for it), the Start
// Folder / End Folder preview, the counters, and the run, simulation, undo and
// Clear Fields commands over the rename engine.
#pragma once
#include "core/box_message.h"
#include "core/casefold.h"
#include "forms/tabFoldersRename01.h"
#include "listwin/level_builder.h"
#include "listwin/list_pair.h"
#include "listwin/run_binding.h"
#include "treeops/folder_list_rule.h"
#include "treeops/rename_engine.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/pages.h"

#include <array>
#include <string>
#include <vector>

// The boxes of the Rename page.
enum class RenameMsg {
  AddEmpty, InInclude, InExclude, ExcludeEmpty, DeleteSelected, ExcludeAllEmpty, DeleteAll, ExportEmpty,
  ViewNotAFolder,
  ViewNothing, PrefixIllegal, SuffixIllegal, PrefixDelimiterIllegal, SuffixDelimiterIllegal, NewNameIllegal,
  ClearAsk, ClearEnd, UndoNothing, UndoAsk, UndoReport, UndoEnd, Refused, RunConfirm, SimConfirm, RunEnd,
  SimEnd, NotTaken, NameRefused,
};

extern const core::MessageTable<RenameMsg> kRenamePageMessages;

class RenamePage {
public:
  RenamePage(ui::Form* form, std::vector<ui::TabSheet*> runLocks, std::vector<ui::TabSheet*> simLocks,
             const std::string* simStart, const std::string* simEnd);
  RenamePage(const RenamePage&) = delete;
  RenamePage& operator=(const RenamePage&) = delete;

  ui::Form* const form_;

  ui::GroupBox grpVol06Main{form_, IDC_GRPVOL06MAIN};
  ui::GroupBox grpVol06ListMethods{form_, IDC_GRPVOL06LISTMETHODS};
  ui::Button btnVol06SubFolderLevelListBuilder{form_, IDC_BTNVOL06SUBFOLDERLEVELLISTBUILDER};
  ui::Button btnVol06SmartImport{form_, IDC_BTNVOL06SMARTIMPORT};
  ui::Button btnVol06AddFolderToList{form_, IDC_BTNVOL06ADDFOLDERTOLIST};
  ui::Label lblVol06IncludeFolderList{form_, IDC_LBLVOL06INCLUDEFOLDERLIST};
  ui::ListBox lstVol06IncludeFolderList{form_, IDC_LSTVOL06INCLUDEFOLDERLIST};
  ui::Button btnVol06IncToExc{form_, IDC_BTNVOL06INCTOEXC};
  ui::Button btnVol06ExcToInc{form_, IDC_BTNVOL06EXCTOINC};
  ui::Button btnVol06AllFromInc{form_, IDC_BTNVOL06ALLFROMINC};
  ui::Button btnVol06AllFromExc{form_, IDC_BTNVOL06ALLFROMEXC};
  ui::Button btnVol06ExchangeIncToExc{form_, IDC_BTNVOL06EXCHANGEINCTOEXC};
  ui::Label lblVol06ExcludeFolderList{form_, IDC_LBLVOL06EXCLUDEFOLDERLIST};
  ui::ListBox lstVol06ExcludeFolderList{form_, IDC_LSTVOL06EXCLUDEFOLDERLIST};
  ui::Label lblVol06IncludeSumCim{form_, IDC_LBLVOL06INCLUDESUMCIM};
  ui::Label lblVol06IncludeSum{form_, IDC_LBLVOL06INCLUDESUM};
  ui::Label lblVol06ExcludeSumCim{form_, IDC_LBLVOL06EXCLUDESUMCIM};
  ui::Label lblVol06ExcludeSum{form_, IDC_LBLVOL06EXCLUDESUM};
  ui::Button btnVol06SmartExport{form_, IDC_BTNVOL06SMARTEXPORT};
  ui::Button btnVol06EditIncludeWindow{form_, IDC_BTNVOL06EDITINCLUDEWINDOW};
  ui::Button btnVol06includeFolderList{form_, IDC_BTNVOL06INCLUDEFOLDERLIST};
  ui::Button btnVol06DeleteFromExcludeList{form_, IDC_BTNVOL06DELETEFROMEXCLUDELIST};
  ui::Button btnVol06DeleteExcludeAll{form_, IDC_BTNVOL06DELETEEXCLUDEALL};
  ui::GroupBox grpVol06RenameMethods{form_, IDC_GRPVOL06RENAMEMETHODS};
  ui::RadioButton rdoVol06RenameAddPrefixesSuffixes{form_, IDC_RDOVOL06RENAMEADDPREFIXESSUFFIXES};
  ui::RadioButton rdoVol06RenameTheLastSubFolder{form_, IDC_RDOVOL06RENAMETHELASTSUBFOLDER};
  ui::Label lblVol06NewPrefixCimke{form_, IDC_LBLVOL06NEWPREFIXCIMKE};
  ui::Edit edtVol06NewPrefix{form_, IDC_EDTVOL06NEWPREFIX};
  ui::Label lblVol06DelimiterPrefixSubFolderCimke{form_, IDC_LBLVOL06DELIMITERPREFIXSUBFOLDERCIMKE};
  ui::Edit edtVol06DelimiterPrefixSubFolder{form_, IDC_EDTVOL06DELIMITERPREFIXSUBFOLDER};
  ui::Label lblVol06DelimiterSubFolderSuffixCimke{form_, IDC_LBLVOL06DELIMITERSUBFOLDERSUFFIXCIMKE};
  ui::Edit edtVol06DelimiterSubFolderSuffix{form_, IDC_EDTVOL06DELIMITERSUBFOLDERSUFFIX};
  ui::Label lblVol06NewSuffixCimke{form_, IDC_LBLVOL06NEWSUFFIXCIMKE};
  ui::Edit edtVol06NewSuffix{form_, IDC_EDTVOL06NEWSUFFIX};
  ui::Label lblVol06RenameNewLastSubFolder{form_, IDC_LBLVOL06RENAMENEWLASTSUBFOLDER};
  ui::Edit edtVol06RenameNewLastSubFolder{form_, IDC_EDTVOL06RENAMENEWLASTSUBFOLDER};
  ui::GroupBox grpVol06Preview{form_, IDC_GRPVOL06PREVIEW};
  ui::Label lblVol06StartFolderCimke{form_, IDC_LBLVOL06STARTFOLDERCIMKE};
  ui::Label lblVol06StartFolder{form_, IDC_LBLVOL06STARTFOLDER};
  ui::Label lblVol06EndFolderCimke{form_, IDC_LBLVOL06ENDFOLDERCIMKE};
  ui::Label lblVol06EndFolder{form_, IDC_LBLVOL06ENDFOLDER};
  ui::CheckBox chkVol06ShowDetailedResults{form_, IDC_CHKVOL06SHOWDETAILEDRESULTS};
  ui::GroupBox grpVol06Statistics{form_, IDC_GRPVOL06STATISTICS};
  ui::Label lblVol06TotalFoldersCimke{form_, IDC_LBLVOL06TOTALFOLDERSCIMKE};
  ui::Label lblVol06FoldersToRenameCimke{form_, IDC_LBLVOL06FOLDERSTORENAMECIMKE};
  ui::Label lblVol06FoldersRenamedCimke{form_, IDC_LBLVOL06FOLDERSRENAMEDCIMKE};
  ui::Label lblVol06FoldersSourceNotExistsCimke{form_, IDC_LBLVOL06FOLDERSSOURCENOTEXISTSCIMKE};
  ui::Label lblVol06FoldersDestinationExistsCimke{form_, IDC_LBLVOL06FOLDERSDESTINATIONEXISTSCIMKE};
  ui::Label lblVol06FoldersOtherReasonsCimke{form_, IDC_LBLVOL06FOLDERSOTHERREASONSCIMKE};
  ui::Label lblVol06FoldersToRename{form_, IDC_LBLVOL06FOLDERSTORENAME};
  ui::Label lblVol06FoldersRenamed{form_, IDC_LBLVOL06FOLDERSRENAMED};
  ui::Label lblVol06FoldersSourceNotExists{form_, IDC_LBLVOL06FOLDERSSOURCENOTEXISTS};
  ui::Label lblVol06FoldersDestinationExists{form_, IDC_LBLVOL06FOLDERSDESTINATIONEXISTS};
  ui::Label lblVol06FoldersOtherReasons{form_, IDC_LBLVOL06FOLDERSOTHERREASONS};
  ui::Button btnVol06RenameFolders{form_, IDC_BTNVOL06RENAMEFOLDERS};
  ui::Button btnVol06RenameFoldersSimulation{form_, IDC_BTNVOL06RENAMEFOLDERSSIMULATION};
  ui::Button btnVol06Undo{form_, IDC_BTNVOL06UNDO};
  ui::Button btnVol06ClearAll{form_, IDC_BTNVOL06CLEARALL};
  ui::Button btnVol06Statistics{form_, IDC_BTNVOL06STATISTICS};
  ui::Button btnVol06Examples{form_, IDC_BTNVOL06EXAMPLES};
  ui::Button btnVol06Help{form_, IDC_BTNVOL06HELP};
  ui::Button btnVol06LoadFrom{form_, IDC_BTNVOL06LOADFROM};
  ui::Button btnVol06SaveTo{form_, IDC_BTNVOL06SAVETO};
  ui::ProgressBar pbVol06ProgressBar{form_, IDC_PBVOL06PROGRESSBAR};
  // The in-page level builder: its method radios, and its group.
  ui::RadioButton rdoVol06MakeListSelector{form_, IDC_RDOVOL06MAKELISTSELECTOR};
  ui::RadioButton rdoVol06MakeListImport{form_, IDC_RDOVOL06MAKELISTIMPORT};
  ui::RadioButton rdoVol06AddToListManually{form_, IDC_RDOVOL06ADDTOLISTMANUALLY};
  ui::GroupBox GroupBox45{form_, IDC_GRPVOL06LEVELBUILDER};
  ui::Label lblVol06DestFolderName{form_, IDC_LBLVOL06DESTFOLDERNAME};
  ui::ComboBox cboVol06LevelDestFolder{form_, IDC_CBOVOL06LEVELDESTFOLDER};
  ui::Button btnVol06AddDestFolder{form_, IDC_BTNVOL06ADDDESTFOLDER};
  ui::Button btnVol06ViewDestFolder{form_, IDC_BTNVOL06VIEWDESTFOLDER};
  ui::Label lblVol06LevelNumber{form_, IDC_LBLVOL06LEVELNUMBER};
  ui::RadioButton rdoVol06SLNFromTo{form_, IDC_RDOVOL06SLNFROMTO};
  ui::Edit edtVol06FromLevelNumber{form_, IDC_EDTVOL06FROMLEVELNUMBER};
  ui::UpDown udVol06FromLevelNumber{form_, IDC_UDVOL06FROMLEVELNUMBER};
  ui::Label lblVol06SLNTo{form_, IDC_LBLVOL06SLNTO};
  ui::Edit edtVol06ToLevelNumber{form_, IDC_EDTVOL06TOLEVELNUMBER};
  ui::UpDown udVol06ToLevelNumber{form_, IDC_UDVOL06TOLEVELNUMBER};
  ui::RadioButton rdoVol06SLNAbove{form_, IDC_RDOVOL06SLNABOVE};
  ui::Edit edtVol06AboveLevelNumber{form_, IDC_EDTVOL06ABOVELEVELNUMBER};
  ui::UpDown udVol06AboveLevelNumber{form_, IDC_UDVOL06ABOVELEVELNUMBER};
  ui::RadioButton rdoVol06SLNBelow{form_, IDC_RDOVOL06SLNBELOW};
  ui::Edit edtVol06BelowLevelNumber{form_, IDC_EDTVOL06BELOWLEVELNUMBER};
  ui::UpDown udVol06BelowLevelNumber{form_, IDC_UDVOL06BELOWLEVELNUMBER};
  ui::Button btnVol06MakeList{form_, IDC_BTNVOL06MAKELIST};
  ui::Label lblVol06SubFolderFilter{form_, IDC_LBLVOL06SUBFOLDERFILTER};
  ui::Edit edtVol06SubFolderFilter{form_, IDC_EDTVOL06SUBFOLDERFILTER};
  ui::RadioButton rdoVol06GenLastSubFolder{form_, IDC_RDOVOL06GENLASTSUBFOLDER};
  ui::RadioButton rdoVol06GenAllSubFolders{form_, IDC_RDOVOL06GENALLSUBFOLDERS};
  ui::OpenDialog OpenDialog3;
  ui::SaveDialog SaveDialog3;
  // The include and exclude lists with their commands.
  ListPair Lists;
  // The in-page level builder over the list half.
  LevelBuilder Levels;

  // What the page keeps between runs.
  double Vol06TotalToRename = 0;
  // Renamed, source does not exist, destination exists, other reasons.
  std::array<double, 4> Vol06ResultCounters{};
  // The renames of the last run, in the order made (the undo record).
  treeops::RenameHistory Vol06RenameHistory;
  // The result lists of the last run.
  treeops::RenameResults Vol06Results;

  // Shows a box of the page's table; "{}" in its text becomes arg.
  int Box(RenameMsg id, const std::string& arg = std::string());

  // Handlers.
  void rdoVol06RenameAddPrefixesSuffixesClick();
  void rdoVol06RenameTheLastSubFolderClick();
  void btnVol06UndoClick();
  void btnVol06ClearAllClick();
  void btnVol06StatisticsClick();
  void Start(bool simulation);
  bool Busy() const { return run_.Busy(); }

  // Page operations.
  treeops::RenameFields Fields() const;
  void UpdateVol06Preview();
  void SetVol06ControlsEnabled(bool enabled);
  void UpdateVol06RenameButtons(bool enabled);
  void ResetVol06Counters();
  void ResetVol06ResultCounters() { Vol06ResultCounters.fill(0); }
  void ShowVol06Statistics();
  void ShowVol06VisualLogTotals();
  void ClearVol06VisualLog();
  void ClearVol06RenameHistory();
  // The page refresh that ends every list change.
  void RefreshVol06Tab() { Lists.Refresh(); }

  // Start-up steps of the main window's creation that concern this page.
  void InitVol06Page();

private:
  ListPairDescription ListHalf();
  LevelBuilderDescription LevelHalf();
  // The page's one rule for an entry on every road into its include list: the
  // tree pages' common rule with this page's boxes.
  treeops::FolderListRule ListRule();
  void RefreshPage();
  // A field's check: every illegal character removed in one pass, one box.
  bool CheckField(ui::Edit& field, RenameMsg message);
  std::vector<ui::Control*> CommandControls();
  std::vector<ui::Label*> CounterLabels();
  std::vector<RunBinding::Counter> BoundCounters();
  // What every new name would suffer from by the checked method's fields,
  // whatever the folder is called (a device name, a name ending in a dot or a
  // blank, "." or ".."): empty when nothing. blame: the field to change.
  std::string NameFieldsFault(ui::Edit*& blame) const;
  // The check of those fields, with its box: on leaving one of them (leaving
  // set; not when the focus goes to a run button, whose run tells it) and when
  // a run or simulation starts (leaving null: the field to change gets the focus).
  bool NameFieldsAccepted(ui::Edit* leaving);

  std::vector<ui::TabSheet*> runLocks_, simLocks_;
  const std::string *simStart_, *simEnd_;
  treeops::ProtectedFolders protected_;
  RunBinding run_;
};
