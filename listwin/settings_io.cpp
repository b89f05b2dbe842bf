#include "listwin/settings_io.h"

#include "core/settings_file.h"

bool ReloadSettingsFile() {
  core::RestoreClass restore("");
  return restore.LoadSettings();
}

bool WriteSettingsFile() {
  core::SaveClass save("");
  return save.Save();
}
