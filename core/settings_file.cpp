#include "core/settings_file.h"

#include "core/settings_store.h"
#include "core/textutil.h"

#include <cstring>
#include <vector>

namespace core {

namespace {


// Record ids, in the order they are written.
enum RecordId : int32_t {
  kAppName = 1,
  kStartupDirectory = 2,
  kSelectedDelimiter = 3,
  kDelimiterItem = 4,
  kSelectedQuotationMark = 5,
  kQuotationMarkItem = 6,
  kFileManNamesRadio = 7,
  kFileManTypesRadio = 8,
  kFilePatternLine = 9,
  kFilePatternItem = 10,
  kFilePatternHistoryItem = 11,
  kAllFileTypesRadio = 12,
  kIncludedFileTypesRadio = 13,
  kExcludedFileTypesRadio = 14,
  kSelectOneFileTypesRadio = 15,
  kSelectOneFileType = 16,
  kIncludeFileTypeItem = 17,
  kExcludeFileTypeItem = 18,
  kDefaultFileTypeItem = 19,
  kTermIncludeCheck = 20,
  kIncludeTermLine = 21,
  kIncludeTermItem = 22,
  kIncludeTermHistoryItem = 23,
  kTermExcludeCheck = 24,
  kExcludeTermLine = 25,
  kExcludeTermItem = 26,
  kExcludeTermHistoryItem = 27,
};

std::string BlankWhenEmpty(const std::string& text) { return text.empty() ? " " : text; }
std::string BlankWhenTrimmedEmpty(const std::string& text) {
  return TrimText(text).empty() ? " " : text;
}

// The records of one save, laid out as they go to disk.
class RecordWriter {
public:
  void Text(int32_t id, const char* key, const std::string& text) {
    SettingsRecord& r = Next(id, key);
    // A text that does not fit is never cut: the whole save is refused.
    if (!FitsSettingsRecord(text)) {
      tooLong_ = true;
      return;
    }
    std::memcpy(r.text, text.data(), text.size());
  }
  void Integer(int32_t id, const char* key, int32_t value) { Next(id, key).value = value; }
  void TextAndInteger(int32_t id, const char* key, const std::string& text, int32_t value) {
    Text(id, key, text);
    records_.back().value = value;
  }
  void List(int32_t id, const char* key, const SettingsList& list) {
    for (const std::string& entry : list) Text(id, key, entry);
  }
  const std::vector<SettingsRecord>& Records() const { return records_; }
  bool TooLong() const { return tooLong_; }

private:
  SettingsRecord& Next(int32_t id, const char* key) {
    records_.emplace_back();
    SettingsRecord& r = records_.back();
    r.id = id;
    size_t n = std::strlen(key);
    std::memcpy(r.key, key, n < kSettingsKeySize ? n : kSettingsKeySize);
    return r;
  }
  std::vector<SettingsRecord> records_;
  bool tooLong_ = false;
};

// The text of a record: up to its zero, never beyond the field.
std::string RecordText(const SettingsRecord& r) {
  const void* zero = std::memchr(r.text, '\0', kSettingsTextSize);
  size_t n = zero ? static_cast<size_t>(static_cast<const char*>(zero) - r.text) : kSettingsTextSize;
  return std::string(r.text, n);
}

void Dispatch(SettingsStore& s, const SettingsRecord& r) {
  switch (r.id) {
  case kAppName: s.SetAppName(RecordText(r)); break;
  case kStartupDirectory: s.SetStartupDirectory(RecordText(r)); break;
  case kSelectedDelimiter: s.SetSelectedDelimiter(RecordText(r)); break;
  case kDelimiterItem: s.AddDelimiterFromRecord(RecordText(r)); break;
  case kSelectedQuotationMark: s.SetSelectedQuotationMark(RecordText(r)); break;
  case kQuotationMarkItem: s.AddQuotationMarkFromRecord(RecordText(r)); break;
  case kFileManNamesRadio: s.SetFileManNamesRadio(r.value); break;
  case kFileManTypesRadio: s.SetFileManTypesRadio(r.value); break;
  case kFilePatternLine: s.SetFilePatternLine(RecordText(r)); break;
  case kFilePatternItem: s.AddFilePatternFromRecord(RecordText(r)); break;
  case kFilePatternHistoryItem: s.AddFilePatternHistoryFromRecord(RecordText(r)); break;
  case kAllFileTypesRadio: s.SetAllFileTypesRadio(r.value); break;
  case kIncludedFileTypesRadio: s.SetIncludedFileTypesRadio(r.value); break;
  case kExcludedFileTypesRadio: s.SetExcludedFileTypesRadio(r.value); break;
  case kSelectOneFileTypesRadio: s.SetSelectOneFileTypesRadio(r.value); break;
  case kSelectOneFileType:
    s.SetSelectOneFileTypeIndex(r.value);
    s.SetSelectOneFileType(RecordText(r));
    break;
  case kIncludeFileTypeItem: s.AddIncludeFileType(RecordText(r)); break;
  case kExcludeFileTypeItem: s.AddExcludeFileType(RecordText(r)); break;
  case kDefaultFileTypeItem: s.AddDefaultFileType(RecordText(r)); break;
  case kTermIncludeCheck: s.SetFileManTermIncludeCheck(r.value); break;
  case kIncludeTermLine: s.SetIncludeTermLine(TrimText(RecordText(r))); break;
  case kIncludeTermItem: s.AddIncludeTermFromRecord(RecordText(r)); break;
  case kIncludeTermHistoryItem: s.AddIncludeTermHistoryFromRecord(RecordText(r)); break;
  case kTermExcludeCheck: s.SetFileManTermExcludeCheck(r.value); break;
  case kExcludeTermLine: s.SetExcludeTermLine(TrimText(RecordText(r))); break;
  case kExcludeTermItem: s.AddExcludeTermFromRecord(RecordText(r)); break;
  case kExcludeTermHistoryItem: s.AddExcludeTermHistoryFromRecord(RecordText(r)); break;
  default: break; // unknown ids and the end record carry nothing for the store
  }
}

} // namespace

std::string SettingsFilePath(const std::string& fileName) {
  std::string name = TrimText(fileName);
  if (!name.empty()) return name;
  std::string dir = Settings().GetStartupDirectory();
  if (!dir.empty() && dir.back() != '\\' && dir.back() != '/') dir += '\\';
  return dir + kSettingsFileName;
}

// ---- SaveClass ----

namespace {

// A temporary name no other save can hold: this process's and this save's own
// (two copies of the program started together save at the same moment).
std::string SaveTemporaryPath(const std::string& path) {
  static volatile LONG saves = 0;
  return path + "." + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(InterlockedIncrement(&saves)) +
         ".tmp";
}

// Replaces the settings file by the temporary one. Another copy of the program
// may be reading or replacing the settings file at that moment: the
// replacement is tried again while the file is only busy, for about a second.
bool ReplaceSettingsFile(const std::string& temporary, const std::string& path) {
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    const DWORD error = GetLastError();
    if ((error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED && error != ERROR_LOCK_VIOLATION) ||
        attempt >= 50)
      return false;
    Sleep(20);
  }
}

} // namespace

SaveClass::SaveClass(const std::string& fileName) : path_(SettingsFilePath(fileName)) {
  // Made new, never opened over what stands under the name (a leftover of a
  // killed process whose number came back, or a link): the next name is taken.
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath_ = SaveTemporaryPath(path_);
    file_ = CreateFileA(tempPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ != INVALID_HANDLE_VALUE) return;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  failed_ = true;  // nothing of ours to remove
}

SaveClass::~SaveClass() {
  // A writer dropped without saving leaves the settings file as it was.
  if (file_ != INVALID_HANDLE_VALUE) {
    CloseHandle(file_);
    DeleteFileA(tempPath_.c_str());
  }
}

void SaveClass::Fail() {
  if (file_ != INVALID_HANDLE_VALUE) {
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    DeleteFileA(tempPath_.c_str());
  }
  failed_ = true;
}

bool SaveClass::Save() {
  if (failed_ || file_ == INVALID_HANDLE_VALUE) return false;
  const SettingsStore& s = Settings();
  RecordWriter w;
  w.Text(kAppName, "APPNAME", BlankWhenEmpty(s.GetAppName()));
  w.Text(kStartupDirectory, "DEFDIRECTRY", BlankWhenEmpty(s.GetStartupDirectory()));
  w.Text(kSelectedDelimiter, "SELSEDELIM", BlankWhenEmpty(s.GetSelectedDelimiter()));
  w.List(kDelimiterItem, "DELIMLIST", s.GetDelimiterList());
  w.Text(kSelectedQuotationMark, "SELSEQUOT", BlankWhenEmpty(s.GetSelectedQuotationMark()));
  w.List(kQuotationMarkItem, "QUOTLIST", s.GetQuotationMarkList());
  w.Integer(kFileManNamesRadio, "FMNAMESRDO", s.GetFileManNamesRadio());
  w.Integer(kFileManTypesRadio, "FMNAMESRDO", s.GetFileManTypesRadio());
  w.Text(kFilePatternLine, "FMNAMESTXT", BlankWhenTrimmedEmpty(s.GetFilePatternLine()));
  w.List(kFilePatternItem, "FMDEQINC", s.GetFilePatternList());
  w.List(kFilePatternHistoryItem, "FMDEQINC", s.GetFilePatternHistory());
  w.Integer(kAllFileTypesRadio, "FMALLTYPES", s.GetAllFileTypesRadio());
  w.Integer(kIncludedFileTypesRadio, "FMINCTYPES", s.GetIncludedFileTypesRadio());
  w.Integer(kExcludedFileTypesRadio, "FMINCTYPES", s.GetExcludedFileTypesRadio());
  w.Integer(kSelectOneFileTypesRadio, "FMONETYPES", s.GetSelectOneFileTypesRadio());
  w.TextAndInteger(kSelectOneFileType, "FMONEFILE", s.GetSelectOneFileType(),
                   s.GetSelectOneFileTypeIndex());
  w.List(kIncludeFileTypeItem, "FMDEQINC", s.GetIncludeFileTypes());
  w.List(kExcludeFileTypeItem, "FMDEQEXC", s.GetExcludeFileTypes());
  w.List(kDefaultFileTypeItem, "FMDEQEXC", s.GetDefaultFileTypes());
  w.Integer(kTermIncludeCheck, "FMINCCHECK", s.GetFileManTermIncludeCheck());
  w.Text(kIncludeTermLine, "FMNAMESTXT", BlankWhenTrimmedEmpty(s.GetIncludeTermLine()));
  w.List(kIncludeTermItem, "FMDEQINC", s.GetIncludeTermList());
  w.List(kIncludeTermHistoryItem, "FMDEQINC", s.GetIncludeTermHistory());
  w.Integer(kTermExcludeCheck, "FMINCCHECK", s.GetFileManTermExcludeCheck());
  w.Text(kExcludeTermLine, "FMNAMESTXT", BlankWhenTrimmedEmpty(s.GetExcludeTermLine()));
  w.List(kExcludeTermItem, "FMDEQINC", s.GetExcludeTermList());
  w.List(kExcludeTermHistoryItem, "FMDEQINC", s.GetExcludeTermHistory());
  w.Integer(kSettingsEndId, "VEGVEGEVE", 0);
  if (w.TooLong()) {
    Fail();
    return false;
  }

  const char* data = reinterpret_cast<const char*>(w.Records().data());
  size_t left = w.Records().size() * kSettingsRecordSize;
  while (left > 0) {
    DWORD chunk = left > (1u << 20) ? (1u << 20) : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!WriteFile(file_, data, chunk, &written, nullptr) || written == 0) {
      Fail();
      return false;
    }
    data += written;
    left -= written;
  }
  if (!FlushFileBuffers(file_)) {
    Fail();
    return false;
  }
  HANDLE file = file_;
  file_ = INVALID_HANDLE_VALUE;
  if (!CloseHandle(file)) {
    DeleteFileA(tempPath_.c_str());
    Fail();
    return false;
  }
  if (!ReplaceSettingsFile(tempPath_, path_)) {
    DeleteFileA(tempPath_.c_str());
    Fail();
    return false;
  }
  return true;
}

// ---- RestoreClass ----

RestoreClass::RestoreClass(const std::string& fileName) {
  file_ = CreateFileA(SettingsFilePath(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file_ == INVALID_HANDLE_VALUE) openError_ = GetLastError();
}

RestoreClass::~RestoreClass() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

bool RestoreClass::ClearAllSettingLists() {
  if (!IsOpen()) return false;
  Settings().ClearAllSettingLists();
  return true;
}

bool RestoreClass::LoadSettings() {
  if (!IsOpen()) return false;
  // Read into a copy so that a failing read leaves the store as it was.
  SettingsStore loaded = Settings();
  loaded.ClearAllSettingLists();
  const size_t kChunkRecords = 64;
  std::vector<char> buffer(kChunkRecords * kSettingsRecordSize);
  size_t filled = 0;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file_, buffer.data() + filled, static_cast<DWORD>(buffer.size() - filled), &got,
                  nullptr))
      return false;
    filled += got;
    size_t whole = filled / kSettingsRecordSize;
    for (size_t i = 0; i < whole; ++i) {
      SettingsRecord r;
      std::memcpy(&r, buffer.data() + i * kSettingsRecordSize, kSettingsRecordSize);
      Dispatch(loaded, r);
    }
    size_t used = whole * kSettingsRecordSize;
    std::memmove(buffer.data(), buffer.data() + used, filled - used);
    filled -= used;
    if (got == 0) break; // end of file; a short last record stays undispatched
  }
  Settings() = std::move(loaded);
  return true;
}

BoxMessage SettingsSaveFailedMessage() { return Compose(kCoreMessages[CoreMsg::SettingsSaveFailed]); }

// ---- start-up ----

SettingsStartup LoadOrCreateSettings(const std::string& startupDirectory) {
  SettingsStore& s = Settings();
  s.SetStartupDirectory(startupDirectory);
  bool missing = false;
  {
    RestoreClass restore("");
    if (restore.LoadSettings()) return SettingsStartup::Loaded;
    DWORD error = restore.OpenError();
    missing = !restore.IsOpen() && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
  }
  s.StoreBuiltInDefaults();
  // Only a file that is not there gets the defaults; one that exists but cannot
  // be read is left alone.
  if (!missing) return SettingsStartup::DefaultsInMemory;
  SaveClass save("");
  return save.Save() ? SettingsStartup::DefaultsWritten : SettingsStartup::DefaultsNotSaved;
}

} // namespace core
