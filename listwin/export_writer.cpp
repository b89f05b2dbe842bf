#include "listwin/export_writer.h"

#include "core/casefold.h"

#include <windows.h>

namespace core {

std::string DelimiterText(const std::string& entry) {
  if (SameText(entry, "space")) return " ";
  return entry;
}

namespace {

void AppendQuoted(std::string& out, const std::string& item) {
  out += '"';
  for (char c : item) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

} // namespace

std::string FormatExport(const std::vector<std::string>& items, const ExportOptions& options) {
  std::string out;
  size_t bytes = 0;
  for (const std::string& s : items) bytes += s.size() + 4;
  out.reserve(bytes + 2);
  if (options.layout == ExportLayout::PlainText) {
    for (const std::string& item : items) {
      out += item;
      out += "\r\n";
    }
    return out;
  }
  // Separated values: all entries on one line.
  const std::string delimiter = DelimiterText(options.delimiter);
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) out += delimiter;
    if (options.quote)
      AppendQuoted(out, items[i]);
    else
      out += items[i];
  }
  if (!items.empty()) out += "\r\n";
  return out;
}

ExportResult WriteExportFile(const std::string& path, const std::vector<std::string>& items,
                             const ExportOptions& options) {
  ExportResult result;
  const std::string content = FormatExport(items, options);
  // A read-only file is never replaced (the system refuses it too, except for
  // an administrator's process on some file systems).
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
      !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    result.failure = ExportFailure::Open;
    result.systemError = ERROR_ACCESS_DENIED;
    return result;
  }
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    result.failure = ExportFailure::Open;
    result.systemError = GetLastError();
    return result;
  }
  // Written in pieces of at most 1 MB so a large list needs no single huge call.
  const size_t kChunk = 1 << 20;
  size_t done = 0;
  while (done < content.size()) {
    DWORD want = static_cast<DWORD>(content.size() - done < kChunk ? content.size() - done : kChunk);
    DWORD wrote = 0;
    if (!WriteFile(file, content.data() + done, want, &wrote, nullptr) || wrote != want) {
      result.failure = ExportFailure::Write;
      result.systemError = GetLastError();
      CloseHandle(file);
      return result;
    }
    done += wrote;
  }
  if (!CloseHandle(file)) {
    result.failure = ExportFailure::Close;
    result.systemError = GetLastError();
    return result;
  }
  result.written = static_cast<int>(items.size());
  return result;
}

} // namespace core
