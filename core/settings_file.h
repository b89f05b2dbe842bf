// The settings file "default.set": the whole settings store as a row of fixed
// 5312-byte little-endian records in id order, closed by an end record (id 900).
// `SaveClass` writes it, `RestoreClass` reads it; each is made for one save or
// one load.
#pragma once
#include "core/box_message.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace core {

constexpr size_t kSettingsKeySize = 10;
constexpr size_t kSettingsTextSize = 5262;
constexpr size_t kSettingsRecordSize = 5312;
constexpr int32_t kSettingsEndId = 900;
constexpr const char* kSettingsFileName = "default.set";
// The longest text a record holds (its field keeps the terminating zero).
constexpr size_t kSettingsTextLimit = kSettingsTextSize - 1;

// Whether text fits a record's text field whole. What the user enters for a
// saved item is refused where it is typed when it does not.
inline bool FitsSettingsRecord(const std::string& text) { return text.size() <= kSettingsTextLimit; }

// One record as it lies in the file (the program runs on little-endian x86).
struct SettingsRecord {
  int32_t id = 0;
  char key[kSettingsKeySize] = {};      // cut to 10 characters, no zero when full
  char text[kSettingsTextSize] = {};    // zero-terminated when shorter than the field
  int32_t value = 0;
  char reserved[32] = {};
};
static_assert(sizeof(SettingsRecord) == kSettingsRecordSize, "record size");
static_assert(offsetof(SettingsRecord, key) == 4, "key offset");
static_assert(offsetof(SettingsRecord, text) == 14, "text offset");
static_assert(offsetof(SettingsRecord, value) == 5276, "value offset");
static_assert(offsetof(SettingsRecord, reserved) == 5280, "reserved offset");

// The path of the settings file: `fileName` trimmed, or, when that is empty,
// "default.set" in the start-up directory (one backslash added only where the
// directory lacks a trailing one, so "\\server\share" paths stay whole).
std::string SettingsFilePath(const std::string& fileName);

// Writes the whole settings store. The records go to a temporary file beside
// the settings file whose name is this save's own ("<file>.<process>-<save>.tmp",
// so two copies of the program saving at once never meet there), every write
// and the close are checked, and only then is the settings file replaced
// (tried again for a moment while another copy of the program holds it); on any
// failure the temporary file is removed, the old settings file stays as it
// was, and the caller shows SettingsSaveFailedMessage (a system box, no owner).
class SaveClass {
public:
  explicit SaveClass(const std::string& fileName);
  ~SaveClass();
  SaveClass(const SaveClass&) = delete;
  SaveClass& operator=(const SaveClass&) = delete;

  // Writes all records and replaces the settings file; false when it failed.
  bool Save();

private:
  void Fail();

  std::string path_;
  std::string tempPath_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  bool failed_ = false;
};

// Reads the settings file into the settings store. Nothing of the store is
// touched unless the file opened and could be read: a missing, locked or
// unreadable file leaves every list as it was.
class RestoreClass {
public:
  explicit RestoreClass(const std::string& fileName);
  ~RestoreClass();
  RestoreClass(const RestoreClass&) = delete;
  RestoreClass& operator=(const RestoreClass&) = delete;

  bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
  // GetLastError of a failed open (0 when the file opened).
  DWORD OpenError() const { return openError_; }

  // Empties every list of the store, but only when the file opened; returns
  // whether it did. `LoadSettings` does this itself.
  bool ClearAllSettingLists();

  // Replaces the store's lists by the file's and sets every item the file
  // holds. Whole records are read in order; unknown ids (the end record
  // included) are skipped, a short last record is dropped. Returns false, with
  // the store untouched, when the file did not open or a read failed.
  bool LoadSettings();

private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
  DWORD openError_ = 0;
};

// Message 0130: the settings could not be saved.
BoxMessage SettingsSaveFailedMessage();

// What the start-up did with the settings.
enum class SettingsStartup {
  Loaded,           // the file was read
  DefaultsWritten,  // no file: the defaults were stored and written
  DefaultsNotSaved, // no file: the defaults were stored, writing failed (0130 to show)
  DefaultsInMemory, // the file exists but cannot be read: defaults stored, file left alone
};

// The settings step of the main window's creation: stores `startupDirectory` as
// the start-up directory, then loads "default.set" from it (the file's record 2
// then becomes the start-up directory), or stores the built-in defaults and
// writes the file when there is none.
SettingsStartup LoadOrCreateSettings(const std::string& startupDirectory);

} // namespace core
