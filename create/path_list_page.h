// The path-list creation page (sheet tabFolderCreate05, the first page at
// start): full paths in an include list beside an exclude list, a prefix,
// suffix and hyphen around each path's last name, the structures to attach,
// and the run, simulation, undo and Clear Fields commands of the creation page
// binding. Every path carries its own drive: free space is checked per drive.
#pragma once
#include "create/creation_page.h"
#include "forms/tabFolderCreate05.h"
#include "listwin/list_pair.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <string>
#include <vector>

class PathListPage : public CreationPage {
public:
  PathListPage(ui::Form* form, std::vector<ui::TabSheet*> runLocks,
               std::vector<ui::TabSheet*> simLocks, const std::string* simStart,
               const std::string* simEnd);

  ui::GroupBox grpVol04Main{form_, IDC_GRPVOL04MAIN};
  ui::Label lblVol04AddToList{form_, IDC_LBLVOL04ADDTOLIST};
  ui::Edit edtVol04AddToList{form_, IDC_EDTVOL04ADDTOLIST};
  ui::Button btnVol04AddToList{form_, IDC_BTNVOL04ADDTOLIST};
  ui::Label lblVol04Prefix{form_, IDC_LBLVOL04PREFIX};
  ui::Edit edtVol04Prefix{form_, IDC_EDTVOL04PREFIX};
  ui::Label lblVol04Suffix{form_, IDC_LBLVOL04SUFFIX};
  ui::Edit edtVol04Suffix{form_, IDC_EDTVOL04SUFFIX};
  ui::CheckBox chkVol04Hyphen{form_, IDC_CHKVOL04HYPHEN};
  ui::Label lblVol04IncludeFolderList{form_, IDC_LBLVOL04INCLUDEFOLDERLIST};
  ui::ListBox lstVol04IncludeFolderList{form_, IDC_LSTVOL04INCLUDEFOLDERLIST};
  ui::Button btnVol04IncToExc{form_, IDC_BTNVOL04INCTOEXC};
  ui::Button btnVol04ExcToInc{form_, IDC_BTNVOL04EXCTOINC};
  ui::Button btnVol04AllfromInc{form_, IDC_BTNVOL04ALLFROMINC};
  ui::Button btnVol04AllfromExc{form_, IDC_BTNVOL04ALLFROMEXC};
  ui::Button btnVol04ExchangeIncExc{form_, IDC_BTNVOL04EXCHANGEINCEXC};
  ui::Label lblVol04ExcludeFolderList{form_, IDC_LBLVOL04EXCLUDEFOLDERLIST};
  ui::ListBox lstVol04ExcludeFolderList{form_, IDC_LSTVOL04EXCLUDEFOLDERLIST};
  ui::Label lblVol04IncludeSumCim{form_, IDC_LBLVOL04INCLUDESUMCIM};
  ui::Label lblVol04IncludeSum{form_, IDC_LBLVOL04INCLUDESUM};
  ui::Label lblVol04ExcludeSumCim{form_, IDC_LBLVOL04EXCLUDESUMCIM};
  ui::Label lblVol04ExcludeSum{form_, IDC_LBLVOL04EXCLUDESUM};
  ui::Button btnVol04SmartImport{form_, IDC_BTNVOL04SMARTIMPORT};
  ui::Button btnVol04SmartExport{form_, IDC_BTNVOL04SMARTEXPORT};
  ui::Button btnVol04EditIncludeList{form_, IDC_BTNVOL04EDITINCLUDELIST};
  ui::Button btnVol04ZoomIncludeWindow{form_, IDC_BTNVOL04ZOOMINCLUDEWINDOW};
  ui::Button btnVol04DeleteFromExclude{form_, IDC_BTNVOL04DELETEFROMEXCLUDE};
  ui::Button btnVol04DeleteExcludeAll{form_, IDC_BTNVOL04DELETEEXCLUDEALL};
  ui::Button btnVol04Open{form_, IDC_BTNVOL04OPEN};
  ui::Button btnVol04Save{form_, IDC_BTNVOL04SAVE};
  ui::GroupBox grpVol04Attach{form_, IDC_GRPVOL04ATTACH};
  ui::ListBox lstVol04AddFolderStructure{form_, IDC_LSTVOL04ADDFOLDERSTRUCTURE};
  ui::Button btnVol04AddFolderStructure{form_, IDC_BTNVOL04ADDFOLDERSTRUCTURE};
  ui::Button btnVol04ViewFolderStructure{form_, IDC_BTNVOL04VIEWFOLDERSTRUCTURE};
  ui::Button btnVol04RemoveFolderStructure{form_, IDC_BTNVOL04REMOVEFOLDERSTRUCTURE};
  ui::GroupBox grpVol04AttachOptions{form_, IDC_GRPVOL04ATTACHOPTIONS};
  ui::RadioButton rdoVol04AttachNothing{form_, IDC_RDOVOL04ATTACHNOTHING};
  ui::RadioButton rdoVol04AttachMainFolderWithFiles{form_, IDC_RDOVOL04ATTACHMAINFOLDERWITHFILES};
  ui::RadioButton rdoVol04AttachMainFolderWithoutFiles{form_, IDC_RDOVOL04ATTACHMAINFOLDERWITHOUTFILES};
  ui::RadioButton rdoVol04AttachSubFoldersOnlyWithFiles{form_, IDC_RDOVOL04ATTACHSUBFOLDERSONLYWITHFILES};
  ui::RadioButton rdoVol04AttachSubFoldersOnlyWithoutFiles{form_, IDC_RDOVOL04ATTACHSUBFOLDERSONLYWITHOUTFILES};
  ui::GroupBox grpVol04Preview{form_, IDC_GRPVOL04PREVIEW};
  ui::Label lblVol04StartFolderCimke{form_, IDC_LBLVOL04STARTFOLDERCIMKE};
  ui::Label lblVol04StartFolder{form_, IDC_LBLVOL04STARTFOLDER};
  ui::Label lblVol04EndFolderCimke{form_, IDC_LBLVOL04ENDFOLDERCIMKE};
  ui::Label lblVol04EndFolder{form_, IDC_LBLVOL04ENDFOLDER};
  ui::CheckBox chkVol04ViewDetailedResults{form_, IDC_CHKVOL04VIEWDETAILEDRESULTS};
  ui::GroupBox grpVol04Statistics{form_, IDC_GRPVOL04STATISTICS};
  ui::Label lblVol04Total{form_, IDC_LBLVOL04TOTAL};
  ui::Label lblVol04Results{form_, IDC_LBLVOL04RESULTS};
  ui::Label lblVol04FoldersCim{form_, IDC_LBLVOL04FOLDERSCIM};
  ui::Label lblVol04SubFoldersCim{form_, IDC_LBLVOL04SUBFOLDERSCIM};
  ui::Label lblVol04FilesCim{form_, IDC_LBLVOL04FILESCIM};
  ui::Label lblVol04FilesSizeCim{form_, IDC_LBLVOL04FILESSIZECIM};
  ui::Label lblVol04ToCreateCim{form_, IDC_LBLVOL04TOCREATECIM};
  ui::Label lblVol04FoldersToCreate{form_, IDC_LBLVOL04FOLDERSTOCREATE};
  ui::Label lblVol04SubFoldersToCreate{form_, IDC_LBLVOL04SUBFOLDERSTOCREATE};
  ui::Label lblVol04FilesToCreate{form_, IDC_LBLVOL04FILESTOCREATE};
  ui::Label lblVol04FilesSizeToCreate{form_, IDC_LBLVOL04FILESSIZETOCREATE};
  ui::Label lblVol04CreatedCim{form_, IDC_LBLVOL04CREATEDCIM};
  ui::Label lblVol04FoldersCreated{form_, IDC_LBLVOL04FOLDERSCREATED};
  ui::Label lblVol04SubFoldersCreated{form_, IDC_LBLVOL04SUBFOLDERSCREATED};
  ui::Label lblVol04FilesCreated{form_, IDC_LBLVOL04FILESCREATED};
  ui::Label lblVol04FilesSizeCreated{form_, IDC_LBLVOL04FILESSIZECREATED};
  ui::Label lblVol04ExistsCim{form_, IDC_LBLVOL04EXISTSCIM};
  ui::Label lblVol04FoldersExists{form_, IDC_LBLVOL04FOLDERSEXISTS};
  ui::Label lblVol04SubFoldersExists{form_, IDC_LBLVOL04SUBFOLDERSEXISTS};
  ui::Label lblVol04FilesExists{form_, IDC_LBLVOL04FILESEXISTS};
  ui::Label lblVol04FilesSizeExists{form_, IDC_LBLVOL04FILESSIZEEXISTS};
  ui::Label lblVol04OtherCim{form_, IDC_LBLVOL04OTHERCIM};
  ui::Label lblVol04FoldersOther{form_, IDC_LBLVOL04FOLDERSOTHER};
  ui::Label lblVol04SubFoldersOther{form_, IDC_LBLVOL04SUBFOLDERSOTHER};
  ui::Label lblVol04FilesOther{form_, IDC_LBLVOL04FILESOTHER};
  ui::Label lblVol04FilesSizeOther{form_, IDC_LBLVOL04FILESSIZEOTHER};
  ui::Button btnVol04CreateFolders{form_, IDC_BTNVOL04CREATEFOLDERS};
  ui::Button btnVol04CreateFoldersSimulation{form_, IDC_BTNVOL04CREATEFOLDERSSIMULATION};
  ui::Button btnVol04Undo{form_, IDC_BTNVOL04UNDO};
  ui::Button btnVol04ClearAll{form_, IDC_BTNVOL04CLEARALL};
  ui::Button btnVol04Statistics{form_, IDC_BTNVOL04STATISTICS};
  ui::Button btnVol04Examples{form_, IDC_BTNVOL04EXAMPLES};
  ui::Button btnVol04Help{form_, IDC_BTNVOL04HELP};
  ui::ProgressBar pbVol04ProgressBar{form_, IDC_PBVOL04PROGRESSBAR};
  ui::OpenDialog OpenDialog2;
  ui::SaveDialog SaveDialog2;
  // The include and exclude lists with their commands.
  ListPair Lists;

  // Handlers with a body of the page's own (the shared commands are bound to
  // the binding's operations directly).
  void edtVol04PrefixChange();
  void edtVol04SuffixChange();
  void btnVol04ClearAllClick();

  // Page operations.
  void SetVol04ControlsEnabled(bool enabled);
  void UpdateVol04Preview();

  // Start-up steps of the main window's creation that concern this page.
  void InitVol04Page();

private:
  ListPairDescription ListHalf();
  // The page's one rule for an entry on every road into its include list.
  Verdict AcceptsEntry(const std::string& entry, ListRoad road);
  // The page's part of a list refresh (the binding shows the counts).
  void RefreshPage();
  double ItemCount() override { return lstVol04IncludeFolderList.Count(); }
  // Each drive of the lines against its own share: the structure bytes once
  // per line on it; a line without a drive needs no room.
  core::FreeSpaceCheck CheckRoom(double count, uint64_t bytes) override;
  bool TakeItems(core::CreationJob& job, bool simulation) override;
  std::vector<ui::Control*> CommandControls() override;
};
