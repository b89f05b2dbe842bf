#include "listwin/export_writer.h"

#include <cstdio>

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
  // Nor is a folder that stands in the file's place.
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    result.failure = ExportFailure::Open;
    result.systemError = ERROR_ACCESS_DENIED;
    return result;
  }
  // The list goes to a new file beside the chosen one, which replaces it only
  // when every byte is written and the file is closed: a failure never leaves
  // a half file, and an existing file keeps its contents.
  std::string temp;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (DWORD attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08lx.tmp",
                  static_cast<unsigned long>(GetTickCount() ^ (GetCurrentProcessId() << 16) ^ attempt));
    temp = path + suffix;
    file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) {
    result.failure = ExportFailure::Open;
    result.systemError = GetLastError();
    return result;
  }
  auto fail = [&](ExportFailure failure) {
    result.failure = failure;
    result.systemError = GetLastError();
    DeleteFileA(temp.c_str());
    return result;
  };
  // Written in pieces of at most 1 MB so a large list needs no single huge call.
  const size_t kChunk = 1 << 20;
  size_t done = 0;
  while (done < content.size()) {
    DWORD want = static_cast<DWORD>(content.size() - done < kChunk ? content.size() - done : kChunk);
    DWORD wrote = 0;
    if (!WriteFile(file, content.data() + done, want, &wrote, nullptr) || wrote != want) {
      DWORD error = GetLastError();
      CloseHandle(file);
      SetLastError(error);
      return fail(ExportFailure::Write);
    }
    done += wrote;
  }
  if (!FlushFileBuffers(file)) {
    DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    return fail(ExportFailure::Write);
  }
  if (!CloseHandle(file)) return fail(ExportFailure::Close);
  if (!MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return fail(ExportFailure::Close);
  result.written = static_cast<int>(items.size());
  return result;
}

} // namespace core
