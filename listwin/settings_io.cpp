#include "listwin/settings_io.h"

#include "core/settings_file.h"
#include "ui/application.h"

bool ReloadSettingsFile() {
  core::RestoreClass restore("");
  return restore.LoadSettings();
}

bool WriteSettingsFile() {
  core::SaveClass save("");
  if (save.Save()) return true;
  // The settings file shows nothing itself: the failure is told here, once.
  const core::BoxMessage m = core::SettingsSaveFailedMessage();
  ui::App().SystemMessageBox(m.text, m.caption, m.flags);
  return false;
}
