#include "app/program.h"

#include "app/frmMain.h"
#include "ui/application.h"

void CreateProgramWindows() {
  ui::Application& app = ui::App();
  app.CreateForm(frmMain);
}
