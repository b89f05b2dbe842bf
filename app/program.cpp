#include "app/program.h"

#include "app/frmMain.h"
#include "ui/folder_picker.h"
#include "app/frmLevelSummFolder.h"
#include "app/frmUnsuccessful.h"
#include "create/frmStatistic.h"
#include "listwin/frmFileExport.h"
#include "ui/application.h"

void CreateProgramWindows() {
  ui::Application& app = ui::App();
  ui::RegisterFolderPicker();
  app.CreateForm(frmMain);
  app.CreateForm(frmFileExport);
  app.CreateForm(ForcedUnSuccessFullForm);
  app.CreateForm(SubFolderUnSuccessFullForm);
  app.CreateForm(frmLevelSummFolder);
  app.CreateForm(frmStatistic02);
  app.CreateForm(frmStatistic03);
  app.CreateForm(frmStatistic04);
}
