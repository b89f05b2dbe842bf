// The list windows' one way to the settings file: reload it (the store's lists
// stay as they are when the file cannot be read) and write it whole.
#pragma once

// Reads "default.set" into the settings store; false (store untouched) when
// the file could not be read.
bool ReloadSettingsFile();
// Writes the whole store to "default.set" (a new file beside the old one, put
// in place only when complete). On failure message 0130 has been shown and
// false is returned; the old file stays as it was.
bool WriteSettingsFile();
