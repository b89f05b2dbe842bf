// The string-list creation page (sheet tabFolderCreate03): a destination,
// prefix, suffix and hyphen, an include list of strings beside an exclude list,
// the structures to attach, and the run, simulation, undo and Clear Fields
// commands of the creation page binding. The main window composes it.
#pragma once
#include "create/creation_page.h"
#include "forms/tabFolderCreate03.h"
#include "listwin/list_pair.h"
#include "ui/dialogs.h"
#include "ui/controls.h"

#include <string>
#include <vector>


class StringListPage : public CreationPage {
public:
  // The sheets a run locks, and the main window's simulation texts.
  StringListPage(ui::Form* form, ui::TabSheet& sheet, std::vector<ui::TabSheet*> runLocks,
                 std::vector<ui::TabSheet*> simLocks, const std::string* simStart,
                 const std::string* simEnd);

  ui::Label lblVol02DestFolders{form_, IDC_LBLVOL02DESTFOLDERS};
  ui::ComboBox cboVol02DestFolders{form_, IDC_CBOVOL02DESTFOLDERS};
  ui::Button btnVol02AddDestFolder{form_, IDC_BTNVOL02ADDDESTFOLDER};
  ui::Button btnVol02ViewDestFolder{form_, IDC_BTNVOL02VIEWDESTFOLDER};
  ui::Label lblVol02Prefix{form_, IDC_LBLVOL02PREFIX};
  ui::Edit edtVol02Prefix{form_, IDC_EDTVOL02PREFIX};
  ui::Label lblVol02Suffix{form_, IDC_LBLVOL02SUFFIX};
  ui::Edit edtVol02Suffix{form_, IDC_EDTVOL02SUFFIX};
  ui::CheckBox chkVol02Hyphen{form_, IDC_CHKVOL02HYPHEN};
  ui::Label lblVol02AddToList{form_, IDC_LBLVOL02ADDTOLIST};
  ui::Edit edtVol02AddToList{form_, IDC_EDTVOL02ADDTOLIST};
  ui::Button btnVol02AddToList{form_, IDC_BTNVOL02ADDTOLIST};
  ui::Label lblVol02IncludeStrings{form_, IDC_LBLVOL02INCLUDESTRINGS};
  ui::ListBox lstVol02IncludeStrings{form_, IDC_LSTVOL02INCLUDESTRINGS};
  ui::Button btnVol02IncToExc{form_, IDC_BTNVOL02INCTOEXC};
  ui::Button btnVol02ExcToInc{form_, IDC_BTNVOL02EXCTOINC};
  ui::Button btnVol02AllFromInc{form_, IDC_BTNVOL02ALLFROMINC};
  ui::Button btnVol02AllFromExc{form_, IDC_BTNVOL02ALLFROMEXC};
  ui::Button btnVol02ExchangeIncExc{form_, IDC_BTNVOL02EXCHANGEINCEXC};
  ui::Label lblVol02ExcludeStrings{form_, IDC_LBLVOL02EXCLUDESTRINGS};
  ui::ListBox lstVol02ExcludeStrings{form_, IDC_LSTVOL02EXCLUDESTRINGS};
  ui::Label lblVol02IncludeSumCim{form_, IDC_LBLVOL02INCLUDESUMCIM};
  ui::Label lblVol02IncludeSum{form_, IDC_LBLVOL02INCLUDESUM};
  ui::Label lblVol02ExcludeSumCim{form_, IDC_LBLVOL02EXCLUDESUMCIM};
  ui::Label lblVol02ExcludeSum{form_, IDC_LBLVOL02EXCLUDESUM};
  ui::Button btnVol02SmartImport{form_, IDC_BTNVOL02SMARTIMPORT};
  ui::Button btnVol02SmartExport{form_, IDC_BTNVOL02SMARTEXPORT};
  ui::Button btnVol02EditIncludeList{form_, IDC_BTNVOL02EDITINCLUDELIST};
  ui::Button btnVol02ZoomIncludeWindow{form_, IDC_BTNVOL02ZOOMINCLUDEWINDOW};
  ui::Button btnVol02DeleteFromExclude{form_, IDC_BTNVOL02DELETEFROMEXCLUDE};
  ui::Button btnVol02DeleteExcludeAll{form_, IDC_BTNVOL02DELETEEXCLUDEALL};
  ui::Button btnVol02Open{form_, IDC_BTNVOL02OPEN};
  ui::Button btnVol02Save{form_, IDC_BTNVOL02SAVE};
  ui::GroupBox grpVol02Attach{form_, IDC_GRPVOL02ATTACH};
  ui::ListBox lstVol02AddFolderStructure{form_, IDC_LSTVOL02ADDFOLDERSTRUCTURE};
  ui::Button btnVol02AddFolderStructure{form_, IDC_BTNVOL02ADDFOLDERSTRUCTURE};
  ui::Button btnVol02ViewFolderStructure{form_, IDC_BTNVOL02VIEWFOLDERSTRUCTURE};
  ui::Button btnVol02RemoveFolderStructure{form_, IDC_BTNVOL02REMOVEFOLDERSTRUCTURE};
  ui::GroupBox grpVol02AttachOptions{form_, IDC_GRPVOL02ATTACHOPTIONS};
  ui::RadioButton rdoVol02AttachNothing{form_, IDC_RDOVOL02ATTACHNOTHING};
  ui::RadioButton rdoVol02AttachMainFolderWithFiles{form_, IDC_RDOVOL02ATTACHMAINFOLDERWITHFILES};
  ui::RadioButton rdoVol02AttachMainFolderWithoutFiles{form_, IDC_RDOVOL02ATTACHMAINFOLDERWITHOUTFILES};
  ui::RadioButton rdoVol02AttachSubFoldersOnlyWithFiles{form_, IDC_RDOVOL02ATTACHSUBFOLDERSONLYWITHFILES};
  ui::RadioButton rdoVol02AttachSubFoldersOnlyWithoutFiles{form_, IDC_RDOVOL02ATTACHSUBFOLDERSONLYWITHOUTFILES};
  ui::GroupBox grpVol02Preview{form_, IDC_GRPVOL02PREVIEW};
  ui::Label lblVol02StartFolderCim{form_, IDC_LBLVOL02STARTFOLDERCIM};
  ui::Label lblVol02StartFolder{form_, IDC_LBLVOL02STARTFOLDER};
  ui::Label lblVol02EndFolderCim{form_, IDC_LBLVOL02ENDFOLDERCIM};
  ui::Label lblVol02EndFolder{form_, IDC_LBLVOL02ENDFOLDER};
  ui::GroupBox grpVol02ShowResults{form_, IDC_GRPVOL02SHOWRESULTS};
  ui::CheckBox chkVol02ViewDetailedResults{form_, IDC_CHKVOL02VIEWDETAILEDRESULTS};
  ui::CheckBox chkVol02ViewDestFolder{form_, IDC_CHKVOL02VIEWDESTFOLDER};
  ui::GroupBox grpVol02Statistics{form_, IDC_GRPVOL02STATISTICS};
  ui::Label lblVol02Total{form_, IDC_LBLVOL02TOTAL};
  ui::Label lblVol02FoldersCim{form_, IDC_LBLVOL02FOLDERSCIM};
  ui::Label lblVol02SubFoldersCim{form_, IDC_LBLVOL02SUBFOLDERSCIM};
  ui::Label lblVol02FilesCim{form_, IDC_LBLVOL02FILESCIM};
  ui::Label lblVol02FilesSizeCim{form_, IDC_LBLVOL02FILESSIZECIM};
  ui::Label lblVol02ToCreateCim{form_, IDC_LBLVOL02TOCREATECIM};
  ui::Label lblVol02FoldersToCreate{form_, IDC_LBLVOL02FOLDERSTOCREATE};
  ui::Label lblVol02SubFoldersToCreate{form_, IDC_LBLVOL02SUBFOLDERSTOCREATE};
  ui::Label lblVol02FilesToCreate{form_, IDC_LBLVOL02FILESTOCREATE};
  ui::Label lblVol02FilesSizeToCreate{form_, IDC_LBLVOL02FILESSIZETOCREATE};
  ui::Label lblVol02CreatedCim{form_, IDC_LBLVOL02CREATEDCIM};
  ui::Label lblVol02FoldersCreated{form_, IDC_LBLVOL02FOLDERSCREATED};
  ui::Label lblVol02SubFoldersCreated{form_, IDC_LBLVOL02SUBFOLDERSCREATED};
  ui::Label lblVol02FilesCreated{form_, IDC_LBLVOL02FILESCREATED};
  ui::Label lblVol02FilesSizeCreated{form_, IDC_LBLVOL02FILESSIZECREATED};
  ui::Label lblVol02ExistsCim{form_, IDC_LBLVOL02EXISTSCIM};
  ui::Label lblVol02FoldersExists{form_, IDC_LBLVOL02FOLDERSEXISTS};
  ui::Label lblVol02SubFoldersExists{form_, IDC_LBLVOL02SUBFOLDERSEXISTS};
  ui::Label lblVol02FilesExists{form_, IDC_LBLVOL02FILESEXISTS};
  ui::Label lblVol02FilesSizeExists{form_, IDC_LBLVOL02FILESSIZEEXISTS};
  ui::Label lblVol02OtherCim{form_, IDC_LBLVOL02OTHERCIM};
  ui::Label lblVol02FoldersOther{form_, IDC_LBLVOL02FOLDERSOTHER};
  ui::Label lblVol02SubFoldersOther{form_, IDC_LBLVOL02SUBFOLDERSOTHER};
  ui::Label lblVol02FilesOther{form_, IDC_LBLVOL02FILESOTHER};
  ui::Label lblVol02FilesSizeOther{form_, IDC_LBLVOL02FILESSIZEOTHER};
  ui::Button btnVol02CreateFolders{form_, IDC_BTNVOL02CREATEFOLDERS};
  ui::Button btnVol02CreateFoldersSimulation{form_, IDC_BTNVOL02CREATEFOLDERSSIMULATION};
  ui::Button btnVol02Undo{form_, IDC_BTNVOL02UNDO};
  ui::Button btnVol02ClearAll{form_, IDC_BTNVOL02CLEARALL};
  ui::Button btnVol02Statistic{form_, IDC_BTNVOL02STATISTIC};
  ui::Button btnVol02Example{form_, IDC_BTNVOL02EXAMPLE};
  ui::Button btnVol02ListHelp{form_, IDC_BTNVOL02LISTHELP};
  ui::ProgressBar pbVol02ProgressBar{form_, IDC_PBVOL02PROGRESSBAR};
  ui::OpenDialog OpenDialog1;
  ui::SaveDialog SaveDialog1;
  // The include and exclude lists with their commands.
  ListPair Lists;

  // Handlers with a body of the page's own (the shared commands are bound to
  // the binding's operations directly).
  void SetVol02Destination(const std::string& text);
  void edtVol02PrefixChange();
  void edtVol02SuffixChange();
  void btnVol02ClearAllClick();

  // Page operations.
  void SetVol02CreateControlsEnabled(bool enabled);
  void SetVol02ControlsEnabled(bool enabled);
  void UpdateVol02Preview();
  core::FolderNameParts ComposeVol02NameParts() const;

  // Start-up steps of the main window's creation that concern this page.
  void InitVol02Page();

private:
  ListPairDescription ListHalf();
  // The page's one rule for an entry on every road into its include list.
  Verdict AcceptsEntry(const std::string& entry, ListRoad road);
  // The page's part of a list refresh (the binding shows the counts).
  void RefreshPage();
  double ItemCount() override { return lstVol02IncludeStrings.Count(); }
  bool TakeItems(core::CreationJob& job, bool simulation) override;
  std::vector<ui::Control*> CommandControls() override;

  ui::TabSheet& sheet_;
};
