// Writes an exported list to a file: plain text (one entry a line) or
// separated values on one line. Entries are written exactly as held; lines end
// in CR LF. No window code: the export window and tests call it directly.
#pragma once
#include <string>
#include <vector>

namespace core {

enum class ExportLayout { PlainText, Separated };

struct ExportOptions {
  ExportLayout layout = ExportLayout::PlainText;
  // Delimiter entry as the delimiter list holds it ("space" stands for a blank).
  std::string delimiter = ",";
  // Separated values only: enclose each entry in double quotes, an embedded
  // double quote doubled.
  bool quote = false;
};

// The text written between two entries for a delimiter entry.
std::string DelimiterText(const std::string& entry);

// The file's whole content.
std::string FormatExport(const std::vector<std::string>& items, const ExportOptions& options);

// Where writing stopped: nothing failed, or creating, writing or closing the file.
enum class ExportFailure { None, Open, Write, Close };

struct ExportResult {
  ExportFailure failure = ExportFailure::None;
  unsigned long systemError = 0;  // GetLastError of the failed call
  int written = 0;                // entries in the file (0 on failure)
  bool Ok() const { return failure == ExportFailure::None; }
};

// Creates or replaces the file and writes the list to it.
ExportResult WriteExportFile(const std::string& path, const std::vector<std::string>& items,
                             const ExportOptions& options);

} // namespace core
