#include "app/program.h"

#include "app/frmMain.h"
#include "ui/folder_picker.h"
#include "listwin/frmLevelSummFolder.h"
#include "app/frmUnsuccessful.h"
#include "listwin/frmStatistic.h"
#include "examples/examples_window.h"
#include "examples/help_windows.h"
#include "listwin/frmFileExport.h"
#include "listwin/frmEditIncludeList.h"
#include "listwin/frmFileImport.h"
#include "listwin/frmFileSelection.h"
#include "listwin/frmManageMarks.h"
#include "listwin/frmSubFolderListBuilder.h"
#include "ui/application.h"

void CreateProgramWindows() {
  ui::Application& app = ui::App();
  ui::RegisterFolderPicker();
  app.CreateForm(frmMain);
  // Every other window's object exists from here on, in this order; its
  // window is built once the main window shows (or when first asked for).
  const ui::FormBuild later = ui::FormBuild::AfterMainShows;
  app.CreateForm(frmDelimiters, later);
  app.CreateForm(AboutBox, later);
  app.CreateForm(frmFileExport, later);
  app.CreateForm(frmFileImport, later);
  app.CreateForm(frmFileSelection, later);
  app.CreateForm(ForcedUnSuccessFullForm, later);
  app.CreateForm(frmAltalanosHelp, later);
  app.CreateForm(frmMoreHelp, later);
  app.CreateForm(frmOverViewHelp, later);
  app.CreateForm(frmQuotationMarks, later);
  app.CreateForm(frmSubFolderListBuilder, later);
  app.CreateForm(SubFolderUnSuccessFullForm, later);
  app.CreateForm(frmVideoTutorials, later);
  app.CreateForm(frmFLLEditIncludeFolderList, later);
  app.CreateForm(frmLevelSummFolder, later);
  app.CreateForm(frmVol02EditIncludeList, later);
  app.CreateForm(frmStatistic02, later);
  app.CreateForm(frmStatistic03, later);
  app.CreateForm(frmVol04EditIncludeList, later);
  app.CreateForm(frmStatistic04, later);
  app.CreateForm(frmVol06EditIncludeList, later);
  app.CreateForm(frmVol08EditIncludeList, later);
  app.CreateForm(frmVol07EditIncludeList, later);
  app.CreateForm(frmStatistic06, later);
  app.CreateForm(frmStatistics07, later);
  app.CreateForm(frmStatistic08, later);
  app.CreateForm(frmZoomIncludeWindow, later);
  app.CreateForm(frmExamplesCopy, later);
  app.CreateForm(frmExamplesCreateFolders, later);
  app.CreateForm(frmExamplesIncreasedNumbers, later);
  app.CreateForm(frmDriveSelect, later);
  app.CreateForm(frmExamplesDelete, later);
  app.CreateForm(frmExamplesRename, later);
}
