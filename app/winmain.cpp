#include "app/program.h"
#include "ui/application.h"

#include <windows.h>

#include <exception>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  ui::Application& app = ui::App();
  try {
    app.Initialize(instance);
    CreateProgramWindows();
    app.Run();
  } catch (const std::exception& e) {
    app.ShowException(e.what());
  } catch (...) {
    app.ShowException("");
  }
  app.DestroyForms();
  return 0;
}
