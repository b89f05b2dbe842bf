// The process-wide settings: application base name, start-up directory,
// delimiter and quotation-mark lists with their chosen entries, and the state of
// the file selection window. Every item has its own plain get, set, clear, add or
// assign operation; every get returns a copy. The whole store is saved in, and
// read back from, the settings file "default.set" (settings_file.h).
#pragma once
#include <cstdint>
#include <deque>
#include <string>

namespace core {

using SettingsList = std::deque<std::string>;

class SettingsStore {
public:
  // Application base name (names the help file).
  void SetAppName(const std::string& name) { appName_ = name; }
  std::string GetAppName() const { return appName_; }

  // Directory of the settings file, help and "basic.htm".
  void SetStartupDirectory(const std::string& dir) { startupDirectory_ = dir; }
  std::string GetStartupDirectory() const { return startupDirectory_; }

  // Delimiters.
  void SetSelectedDelimiter(const std::string& d) { selectedDelimiter_ = d; }
  std::string GetSelectedDelimiter() const { return selectedDelimiter_; }
  SettingsList GetDelimiterList() const { return delimiters_; }
  void ClearDelimiterList() { delimiters_.clear(); }
  void AddDelimiter(const std::string& d) { delimiters_.push_back(d); }
  void AddDelimiterFromRecord(const std::string& d) { delimiters_.push_back(d); }

  // Quotation marks.
  void SetSelectedQuotationMark(const std::string& q) { selectedQuotationMark_ = q; }
  std::string GetSelectedQuotationMark() const { return selectedQuotationMark_; }
  SettingsList GetQuotationMarkList() const { return quotationMarks_; }
  void ClearQuotationMarkList() { quotationMarks_.clear(); }
  void AddQuotationMark(const std::string& q) { quotationMarks_.push_back(q); }
  void AddQuotationMarkFromRecord(const std::string& q) { quotationMarks_.push_back(q); }

  // File selection: names or types radios (1 checked, 0 not).
  void SetFileManNamesRadio(int32_t v) { fileManNamesRadio_ = v; }
  int32_t GetFileManNamesRadio() const { return fileManNamesRadio_; }
  void SetFileManTypesRadio(int32_t v) { fileManTypesRadio_ = v; }
  int32_t GetFileManTypesRadio() const { return fileManTypesRadio_; }

  // File-name pattern line, its parsed patterns and its history.
  void SetFilePatternLine(const std::string& line) { filePatternLine_ = line; }
  std::string GetFilePatternLine() const { return filePatternLine_; }
  void AssignFilePatternList(const SettingsList& list) { filePatterns_ = list; }
  SettingsList GetFilePatternList() const { return filePatterns_; }
  void ClearFilePatternList() { filePatterns_.clear(); }
  void AddFilePattern(const std::string& p) { filePatterns_.push_back(p); }
  void AddFilePatternFromRecord(const std::string& p) { filePatterns_.push_back(p); }
  void AssignFilePatternHistory(const SettingsList& list) { filePatternHistory_ = list; }
  SettingsList GetFilePatternHistory() const { return filePatternHistory_; }
  void ClearFilePatternHistory() { filePatternHistory_.clear(); }
  void AddFilePatternHistoryFromRecord(const std::string& p) { filePatternHistory_.push_back(p); }

  // File-type radios.
  void SetAllFileTypesRadio(int32_t v) { allFileTypesRadio_ = v; }
  int32_t GetAllFileTypesRadio() const { return allFileTypesRadio_; }
  void SetIncludedFileTypesRadio(int32_t v) { includedFileTypesRadio_ = v; }
  int32_t GetIncludedFileTypesRadio() const { return includedFileTypesRadio_; }
  void SetExcludedFileTypesRadio(int32_t v) { excludedFileTypesRadio_ = v; }
  int32_t GetExcludedFileTypesRadio() const { return excludedFileTypesRadio_; }
  void SetSelectOneFileTypesRadio(int32_t v) { selectOneFileTypesRadio_ = v; }
  int32_t GetSelectOneFileTypesRadio() const { return selectOneFileTypesRadio_; }

  // The one file type of "Select one": its index and its text.
  void SetSelectOneFileTypeIndex(int32_t index) { selectOneFileTypeIndex_ = index; }
  int32_t GetSelectOneFileTypeIndex() const { return selectOneFileTypeIndex_; }
  void SetSelectOneFileType(const std::string& type) { selectOneFileType_ = type; }
  std::string GetSelectOneFileType() const { return selectOneFileType_; }

  // Include, exclude and default file-type lists.
  void AssignIncludeFileTypes(const SettingsList& list) { includeFileTypes_ = list; }
  SettingsList GetIncludeFileTypes() const { return includeFileTypes_; }
  void ClearIncludeFileTypes() { includeFileTypes_.clear(); }
  void AddIncludeFileType(const std::string& t) { includeFileTypes_.push_back(t); }
  void AssignExcludeFileTypes(const SettingsList& list) { excludeFileTypes_ = list; }
  SettingsList GetExcludeFileTypes() const { return excludeFileTypes_; }
  void ClearExcludeFileTypes() { excludeFileTypes_.clear(); }
  void AddExcludeFileType(const std::string& t) { excludeFileTypes_.push_back(t); }
  SettingsList GetDefaultFileTypes() const { return defaultFileTypes_; }
  void ClearDefaultFileTypes() { defaultFileTypes_.clear(); }
  void AddDefaultFileType(const std::string& t) { defaultFileTypes_.push_back(t); }

  // Include name terms: check, line, parsed terms, history.
  void SetFileManTermIncludeCheck(int32_t v) { termIncludeCheck_ = v; }
  int32_t GetFileManTermIncludeCheck() const { return termIncludeCheck_; }
  void SetIncludeTermLine(const std::string& line) { includeTermLine_ = line; }
  std::string GetIncludeTermLine() const { return includeTermLine_; }
  void AssignIncludeTermList(const SettingsList& list) { includeTerms_ = list; }
  SettingsList GetIncludeTermList() const { return includeTerms_; }
  void ClearIncludeTermList() { includeTerms_.clear(); }
  void AddIncludeTermFromRecord(const std::string& t) { includeTerms_.push_back(t); }
  void AssignIncludeTermHistory(const SettingsList& list) { includeTermHistory_ = list; }
  SettingsList GetIncludeTermHistory() const { return includeTermHistory_; }
  void ClearIncludeTermHistory() { includeTermHistory_.clear(); }
  void AddIncludeTermHistoryFromRecord(const std::string& t) { includeTermHistory_.push_back(t); }

  // Exclude name terms: check, line, parsed terms, history.
  void SetFileManTermExcludeCheck(int32_t v) { termExcludeCheck_ = v; }
  int32_t GetFileManTermExcludeCheck() const { return termExcludeCheck_; }
  void SetExcludeTermLine(const std::string& line) { excludeTermLine_ = line; }
  std::string GetExcludeTermLine() const { return excludeTermLine_; }
  void AssignExcludeTermList(const SettingsList& list) { excludeTerms_ = list; }
  SettingsList GetExcludeTermList() const { return excludeTerms_; }
  void ClearExcludeTermList() { excludeTerms_.clear(); }
  void AddExcludeTermFromRecord(const std::string& t) { excludeTerms_.push_back(t); }
  void AssignExcludeTermHistory(const SettingsList& list) { excludeTermHistory_ = list; }
  SettingsList GetExcludeTermHistory() const { return excludeTermHistory_; }
  void ClearExcludeTermHistory() { excludeTermHistory_.clear(); }
  void AddExcludeTermHistoryFromRecord(const std::string& t) { excludeTermHistory_.push_back(t); }

  // A list that is never saved; only the full clearing empties it.
  void ClearSpareFileTypeList() { spareFileTypes_.clear(); }

  // Empties every list of the store (texts and numbers stay).
  void ClearAllSettingLists();

  // The built-in defaults, stored when no settings file can be read: 17
  // delimiters, 17 quotation marks, 172 include, 5 exclude and 215 default file
  // types, and the pattern "*.*" when the pattern list is empty.
  void StoreBuiltInDefaults();

  // Back to the empty store of program start (for tests).
  void Reset() { *this = SettingsStore(); }

private:
  std::string appName_;
  std::string startupDirectory_;
  std::string selectedDelimiter_;
  SettingsList delimiters_;
  std::string selectedQuotationMark_;
  SettingsList quotationMarks_;
  int32_t fileManNamesRadio_ = 0;
  int32_t fileManTypesRadio_ = 0;
  std::string filePatternLine_;
  SettingsList filePatterns_;
  SettingsList filePatternHistory_;
  int32_t allFileTypesRadio_ = 0;
  int32_t includedFileTypesRadio_ = 0;
  int32_t excludedFileTypesRadio_ = 0;
  int32_t selectOneFileTypesRadio_ = 0;
  int32_t selectOneFileTypeIndex_ = 0;
  std::string selectOneFileType_;
  SettingsList includeFileTypes_;
  SettingsList excludeFileTypes_;
  SettingsList defaultFileTypes_;
  int32_t termIncludeCheck_ = 0;
  std::string includeTermLine_;
  SettingsList includeTerms_;
  SettingsList includeTermHistory_;
  int32_t termExcludeCheck_ = 0;
  std::string excludeTermLine_;
  SettingsList excludeTerms_;
  SettingsList excludeTermHistory_;
  SettingsList spareFileTypes_;
};

// The one store of the program.
SettingsStore& Settings();

} // namespace core
