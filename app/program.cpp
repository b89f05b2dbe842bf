#include "app/program.h"

#include "app/frmMain.h"
#include "core/folder_picker.h"
#include "core/frmLevelSummFolder.h"
#include "core/frmUnsuccessful.h"
#include "create/frmStatistic.h"
#include "listwin/frmFileExport.h"
#include "listwin/frmEditIncludeList.h"
#include "listwin/frmFileImport.h"
#include "listwin/frmFileSelection.h"
#include "listwin/frmManageMarks.h"
#include "ui/application.h"

void CreateProgramWindows() {
  ui::Application& app = ui::App();
  core::RegisterFolderPicker();
  app.CreateForm(frmMain);
  app.CreateForm(frmDelimiters);
  app.CreateForm(frmFileExport);
  app.CreateForm(frmFileImport);
  app.CreateForm(frmFileSelection);
  app.CreateForm(ForcedUnSuccessFullForm);
  app.CreateForm(frmQuotationMarks);
  app.CreateForm(SubFolderUnSuccessFullForm);
  app.CreateForm(frmLevelSummFolder);
  app.CreateForm(frmVol02EditIncludeList);
  app.CreateForm(frmStatistic02);
  app.CreateForm(frmStatistic03);
  app.CreateForm(frmStatistic04);
  app.CreateForm(frmZoomIncludeWindow);
}
