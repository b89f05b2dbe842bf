// Speed of the text engines on 30,000 entries: the tokeniser, the path-list
// parser with its validation, the settings file (save and load of a store
// holding 30,000 list entries) and the export writer. Prints items per second
// and the time against a bare baseline measured here: a plain character search
// of the same lines, a plain cut of the same text at its blanks, plain
// WriteFile/ReadFile of the same bytes, plain fputs of the same lines.
#include "bench/bench_timing.h"
#include "core/settings_file.h"
#include "core/settings_store.h"
#include "core/tokenizer.h"
#include "core/validation.h"
#include "listwin/export_writer.h"
#include "support/temp_dir.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <algorithm>
#include <vector>

int main() {
  const int count = 30000;
  std::vector<std::string> paths;
  paths.reserve(count);
  for (int i = 0; i < count; ++i)
    paths.push_back("C:\\Projects\\Client " + std::to_string(i % 97) + "\\Folder " +
                    std::to_string(i));

  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i)
    lines.push_back("alpha;\"beta gamma\";" + std::to_string(i) + ";delta epsilon");
  size_t tokens = 0, bare = 0;
  const double search = bench::Seconds([&] {
    for (const std::string& line : lines)
      for (size_t at = line.find(';'); at != std::string::npos; at = line.find(';', at + 1)) ++bare;
  });
  double t = bench::Seconds([&] {
    for (const std::string& line : lines) {
      core::PositionList marks;
      core::CountSubstring(line, "\"", marks);
      tokens += core::SplitQuotedOnDelimiters(line, ";", marks).size();
    }
  });
  bench::ReportAgainst("SplitQuotedOnDelimiters (lines)", count, t, search, "search", "lines");

  std::string typed;
  for (const std::string& p : paths) typed += p + " ";
  core::StringList accepted, rejected;
  const double cut = bench::Seconds([&] {
    std::vector<std::string> pieces;
    for (size_t from = 0, at; (at = typed.find(' ', from)) != std::string::npos; from = at + 1)
      pieces.push_back(typed.substr(from, at - from));
    bare += pieces.size();
  });
  t = bench::Seconds([&] { core::ParseAndValidatePathList(typed, accepted, rejected); });
  bench::ReportAgainst("ParseAndValidatePathList (paths)", double(accepted.size()), t, cut, "cut",
                       "paths");

  testsupport::TempDir dir;
  core::SettingsStore& store = core::Settings();
  store.StoreBuiltInDefaults();
  store.SetStartupDirectory(dir.Path());
  for (const std::string& p : paths) store.AddIncludeFileType(p);
  std::string file = dir / "default.set";
  t = bench::Seconds([&] { core::SaveClass(file).Save(); });
  const std::string bareFile = dir / "bare.bin";
  const std::vector<char> bytes(size_t(count + 444) * core::kSettingsRecordSize, 'x');
  const double written = bench::Seconds([&] {
    HANDLE h = CreateFileA(bareFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    for (size_t at = 0; at < bytes.size(); at += done)
      if (!::WriteFile(h, bytes.data() + at, DWORD(std::min<size_t>(bytes.size() - at, 1 << 20)),
                       &done, nullptr) || done == 0)
        break;
    FlushFileBuffers(h);
    CloseHandle(h);
  });
  bench::ReportAgainst("SaveClass::Save (records)", count + 444.0, t, written, "write",
                       "records");
  t = bench::Seconds([&] { core::RestoreClass(file).LoadSettings(); });
  const double read = bench::Seconds([&] {
    HANDLE h = CreateFileA(bareFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    std::vector<char> buffer(1 << 20);
    DWORD done = 0;
    while (::ReadFile(h, buffer.data(), DWORD(buffer.size()), &done, nullptr) && done > 0) {
    }
    CloseHandle(h);
  });
  bench::ReportAgainst("RestoreClass::LoadSettings (records)", count + 444.0, t, read, "read",
                       "records");

  core::ExportOptions options;
  options.layout = core::ExportLayout::Separated;
  options.delimiter = ";";
  options.quote = true;
  const double puts = bench::Seconds([&] {
    FILE* f = std::fopen((dir / "bare.txt").c_str(), "wb");
    for (const std::string& p : paths) std::fputs((p + "\r\n").c_str(), f);
    std::fclose(f);
  });
  t = bench::Seconds([&] { core::WriteExportFile(dir / "export.txt", paths, options); });
  bench::ReportAgainst("WriteExportFile, separated and quoted (entries)", count, t, puts, "fputs",
                       "entries");

  std::printf("%zu tokens, %zu paths refused, %zu bare items\n", tokens, rejected.size(), bare);
  return accepted.size() == paths.size() ? 0 : 1;
}
