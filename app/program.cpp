#include "app/program.h"

#include "app/frmMain.h"
#include "ui/folder_picker.h"
#include "app/frmLevelSummFolder.h"
#include "app/frmUnsuccessful.h"
#include "create/frmStatistic.h"
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
  app.CreateForm(frmDelimiters);
  app.CreateForm(AboutBox);
  app.CreateForm(frmFileExport);
  app.CreateForm(frmFileImport);
  app.CreateForm(frmFileSelection);
  app.CreateForm(ForcedUnSuccessFullForm);
  app.CreateForm(frmAltalanosHelp);
  app.CreateForm(frmMoreHelp);
  app.CreateForm(frmOverViewHelp);
  app.CreateForm(frmQuotationMarks);
  app.CreateForm(frmSubFolderListBuilder);
  app.CreateForm(SubFolderUnSuccessFullForm);
  app.CreateForm(frmVideoTutorials);
  app.CreateForm(frmFLLEditIncludeFolderList);
  app.CreateForm(frmLevelSummFolder);
  app.CreateForm(frmVol02EditIncludeList);
  app.CreateForm(frmStatistic02);
  app.CreateForm(frmStatistic03);
  app.CreateForm(frmVol04EditIncludeList);
  app.CreateForm(frmStatistic04);
  app.CreateForm(frmVol07EditIncludeList);
  app.CreateForm(frmZoomIncludeWindow);
  app.CreateForm(frmExamplesCopy);
  app.CreateForm(frmExamplesCreateFolders);
  app.CreateForm(frmExamplesIncreasedNumbers);
  app.CreateForm(frmDriveSelect);
  app.CreateForm(frmExamplesDelete);
  app.CreateForm(frmExamplesRename);
}
