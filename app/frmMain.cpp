#include "app/frmMain.h"

#include "core/settings_file.h"
#include "core/settings_store.h"
#include "core/validation.h"
#include "listwin/frmStatistic.h"
#include "examples/help_windows.h"
#include "create/numbers_page_layout.h"
#include "create/path_list_page_layout.h"
#include "create/string_list_page_layout.h"
#include "treeops/rename_page_layout.h"
#include "treeops/copy_page_layout.h"
#include "listwin/frmManageMarks.h"
#include "treeops/delete_page_layout.h"
#include "ui/application.h"
#include "ui/dialogs.h"

#include <windows.h>

TfrmMain* frmMain = nullptr;
const char kAppBaseName[] = "VEXTIL";

namespace {
// The page control fills the window; each page follows it with its own table.
const ui::AnchorRule kMainWindowAnchors[] = {{IDC_PGEMAIN, ui::kGrowAll}};
// The size the main window opens at when the screen has room for it.
constexpr int kPreferredWidthDlu = 572, kPreferredHeightDlu = 410;
} // namespace

TfrmMain::TfrmMain() : ui::Form(IDD_FRMMAIN) {
  SetAnchors(kMainWindowAnchors);
  ApplyStringListPageLayout(tabFolderCreate03, Vol02.lblVol02StartFolder, Vol02.lblVol02EndFolder);
  ApplyNumbersPageLayout(tabFolderCreate04, Vol03.lblVol03StartFolder, Vol03.lblVol03EndFolder);
  ApplyPathListPageLayout(tabFolderCreate05, Vol04.lblVol04StartFolder, Vol04.lblVol04EndFolder);
  ApplyRenamePageLayout(tabFoldersRename01, Vol06.lblVol06StartFolder, Vol06.lblVol06EndFolder);
  ApplyCopyPageLayout(tabFoldersCopy02);
  ApplyDeletePageLayout(tabFoldersDelete01);
  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
  OnActivate = [this] { FormActivate(); };
  OnDestroy = [this] { FormDestroy(); };
  Exit1.Hint = "Exit|Quits the application";
  Exit1.OnClick = [this] { Exit1Click(); };
  ManageSeparators1.OnClick = [this] { ManageSeparators1Click(); };
  VisitVextilontheWeb1.OnClick = [this] { VisitVextilontheWeb1Click(); };
  VideoforCopyProcess01.OnClick = [this] { VideoforCopyProcess01Click(); };
  OverView.OnClick = [] { ShowOverView(); };
  About1.OnClick = [] { ShowAbout(); };
}

void TfrmMain::FormCreate() {
  core::Settings().SetAppName(kAppBaseName);
  ui::App().SetHintHidePause(600000);
  FitToWorkArea(kPreferredWidthDlu, kPreferredHeightDlu);

  char current[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, current);
  // Stores the start-up directory, then loads default.set from it or writes the
  // built-in defaults there when it has none.
  if (core::LoadOrCreateSettings(current) == core::SettingsStartup::DefaultsNotSaved) {
    const core::BoxMessage m = core::SettingsSaveFailedMessage();
    ui::App().SystemMessageBox(m.text, m.caption, m.flags);
  }

  // Each page initialises its counters, lists, labels and controls, in page
  // order: string list, numbers, path list, rename, delete, copy. A page does
  // it the moment its sheet is built: the sheet in view with the window, the
  // others on their first show, in idle time, or when anything asks for one
  // of their controls, so a page is never seen before it is initialised.
  tabFolderCreate03.WhenBuilt([this] {
    Vol02.InitVol02Page();  // counters, structure map, labels, destination item, controls
  });
  tabFolderCreate04.WhenBuilt([this] {
    Vol03.InitVol03Page();  // the same, and the two number fields
  });
  tabFolderCreate05.WhenBuilt([this] { Vol04.InitVol04Page(); });
  tabFoldersRename01.WhenBuilt([this] { Vol06.InitVol06Page(); });
  tabFoldersCopy02.WhenBuilt([this] {
    Vol08.InitVol08Page();
    Vol08.ShowVol08FileTypes();  // as the main window's activation shows them
  });
  tabFoldersDelete01.WhenBuilt([this] { Vol07.InitVol07Page(); });

  tabFolderCreate01.WhenBuilt([this] {
    Manual.InitManualPage();  // list extents, green log-button captions
  });
  pgeMain.SetActivePage(&tabFolderCreate05);
  core::BuildIllegalCharSetDefault();
  core::BuildIllegalCharSetH();
  core::BuildIllegalCharSetF();
  StoreTexts();
  Vol07OnlyFilesInMainFolderHintShown = 0;
  Vol07OnlyFilesHintShown = 0;
  Vol08MainFolderWithFilesHintShown = 0;
  Vol08SubFoldersOnlyWithFilesHintShown = 0;
  AllFileTypesCaption = "All.";
  UserSelectedFileTypesCaption = "User Selected.";
  tabFolderCreate05.SetPageIndex(0);
}

void TfrmMain::StoreTexts() {
  CreateSimulationStartText =
      "Simulation shows you the complete Folder Creation process \nwithout actually creating them "
      "on the hard drive.\n\nThis allows you to see the process in real time, eliminate errors or "
      "export\nResult Folder/File lists - all without compromising existing Folder Structures.\n";
  CreateSimulationEndText =
      "End of Simulation !!!\n\nNo actual Folders were Created because of Simulation.\nThe purpose "
      "of the Simulation is to show the Complete Folder creation process\n without actually "
      "creating them on the hard drive.\n\nIf You want to Create Folders, use the Create Folders "
      "button.";
  RenameSimulationStartText =
      "Simulation shows you the complete Rename Folder process \nwithout actually Rename them on "
      "the hard drive.\n\n";
  RenameSimulationEndText =
      "End of Simulation !!!\n\nNo actual Folders were Renamed because of Simulation.\n\nThe "
      "purpose of the Simulation is to show the Complete Folder Renaming process\n without "
      "actually Renaming them on the hard drive.\n\nIf You want to Rename Folders, Use the Rename "
      "Folders button.";
  DeleteSimulationStartText =
      "Simulation shows you the complete Delete Folder/File process \nwithout actually Delete them "
      "on the hard drive.\n\nThis allows you to see the process in real time, eliminate errors or "
      "export\nResult Folder lists - all without compromising existing Folder Structures.\n\nNote: "
      "If the <Select Files> button is active, only the Selected Files will be used.";
  DeleteSimulationEndText =
      "End of Simulation !!!\n\nNo actual Folders were Deleted because of Simulation (Test "
      "Mode).\n\nThe purpose of the Simulation is to show the Complete Folder Deleting process\n "
      "without actually deleting them on the hard drive.\n\nIf You want to Delete Folders/Files, "
      "Use the Delete Folders button.";
  CopySimulationStartText =
      "Simulation shows you the complete Copy Folder Structure(s) process \nwithout actually Copy "
      "them on the hard drive.\n\nThis allows you to see the process in real time, eliminate "
      "errors or export\nResult Folder lists - all without compromising existing Folder "
      "Structures.\n\nNote: If the <Select Files> button is active, only the Selected Files will "
      "be used.";
  CopySimulationEndText =
      "End of Simulation !!!\n\nNo actual Folders/Files were copied because of Simulation (Test "
      "Mode).\n\nThe purpose of the Simulation is to show the Complete Folder Copy process\n "
      "without actually Copy them on the hard drive.\n\nIf You want to Copy Folder Structures, Use "
      "the Copy Folders button.";
  SelectFilesHintText =
      "You can Select File Names/Types by Clicking on the <Select Files> button.";
}

void TfrmMain::FormShow() {}

void TfrmMain::FormActivate() {
  // The detailed-results windows take their run or simulation title here, and
  // the delete and copy pages their file-type captions, once those exist.
  // (The windows are created after the main window: skip those not made yet,
  // and those whose window is still to be built: they take it when built; so
  // does the copy page's sheet.)
  for (TResultsWindow* w : std::initializer_list<TResultsWindow*>{
           frmStatistic02, frmStatistic03, frmStatistic04, frmStatistic06, frmStatistics07, frmStatistic08})
    if (w && !w->Waiting()) w->ApplyNormalSimulateTitle();
  if (tabFoldersDelete01.Built()) Vol07.ShowFileTypes();
  if (tabFoldersCopy02.Built()) Vol08.ShowVol08FileTypes();
}

void TfrmMain::FormDestroy() {
  InStartupDirectory([this] {
    std::string helpFile = core::Settings().GetAppName() + ".HLP";
    if (!ui::seam().HelpQuit(Handle(), helpFile))
      ui::App().SystemMessageBox(
          "Unable to activate help !\n\nThe help file could be damaged. \n\nE-mail us "
          "immediately, please!",
          "Severe Error!    Msg no: 0103.", core::kMsgStop);
  });
}

void TfrmMain::ManageSeparators1Click() { frmDelimiters->ShowModal(); }

void TfrmMain::Exit1Click() {
  ui::seam().HelpQuit(Handle(), core::Settings().GetAppName() + ".HLP");
  Close();
}

void TfrmMain::VisitVextilontheWeb1Click() { ui::ShellOpen(kHomePage); }

void TfrmMain::VideoforCopyProcess01Click() { OpenBasicHtm(); }
