// The one protocol by which every window hands a list to the smart export
// window: reset the window, add each passing entry once (letter case ignored,
// entry kept unchanged), select the first, tag the kind, show it modally.
#pragma once
#include <functional>
#include <string>
#include <vector>

// Which entries a sender hands over.
enum class ExportFilter {
  ByKind,        // "STRINGS": entries without a drive part; otherwise with one
  WithDrive,     // trimmed entry begins with "X:" or "\\server\share"
  WithoutDrive,  // the opposite
  None           // every entry
};

// Kinds the export window knows.
extern const char kExportKindFolders[];  // "FOLDERS"
extern const char kExportKindStrings[];  // "STRINGS"

// True when the entry passes the filter for this kind.
bool PassesExportFilter(const std::string& entry, const std::string& kind, ExportFilter filter);

// Hands items to frmFileExport and shows it modally. The sender refuses an
// empty list with its own warning before calling this. onProgress, when set,
// is called with the number of entries examined so far, about every 50 ms and
// at the end (the pages drive their progress bar with it); onFilled, when set,
// runs once the list is filled, just before the window is shown (the pages hide
// their progress bar there). Returns the number of entries handed over.
int HandOverToExport(const std::vector<std::string>& items, const std::string& kind,
                     ExportFilter filter = ExportFilter::ByKind,
                     const std::function<void(int examined)>& onProgress = nullptr,
                     const std::function<void()>& onFilled = nullptr);
