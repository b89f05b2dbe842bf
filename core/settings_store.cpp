#include "core/settings_store.h"

namespace core {

SettingsStore& Settings() {
  static SettingsStore store;
  return store;
}

void SettingsStore::ClearAllSettingLists() {
  ClearDelimiterList();
  ClearQuotationMarkList();
  ClearFilePatternList();
  ClearFilePatternHistory();
  ClearIncludeFileTypes();
  ClearExcludeFileTypes();
  ClearDefaultFileTypes();
  ClearSpareFileTypeList();
  ClearIncludeTermList();
  ClearIncludeTermHistory();
  ClearExcludeTermList();
  ClearExcludeTermHistory();
}

} // namespace core
