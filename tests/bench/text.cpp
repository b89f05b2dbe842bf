// Speed of the text engines on 30,000 entries (tokeniser, path-list parser,
// settings file, export writer) against bare baselines measured here: a
// character search, a cut at blanks, a WriteFile and fputs of the same size.
#include "bench/bench_timing.h"
#include "core/settings_file.h"
#include "core/settings_store.h"
#include "core/tokenizer.h"
#include "core/validation.h"
#include "listwin/export_writer.h"
#include "support/temp_dir.h"

#include <cstdio>
#include <string>
#include <vector>

int main() {
  const int count = 30000;
  std::vector<std::string> paths, lines;
  std::string typed;
  for (int i = 0; i < count; ++i) {
    paths.push_back("C:\\Projects\\Client " + std::to_string(i % 97) + "\\Folder " + std::to_string(i));
    lines.push_back("alpha;\"beta gamma\";" + std::to_string(i) + ";delta epsilon");
    typed += paths.back() + " ";
  }
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

  core::StringList accepted, rejected;
  const double cut = bench::Seconds([&] {
    std::vector<std::string> pieces;
    for (size_t from = 0, at; (at = typed.find(' ', from)) != std::string::npos; from = at + 1)
      pieces.push_back(typed.substr(from, at - from));
    bare += pieces.size();
  });
  t = bench::Seconds([&] { core::ParseAndValidatePathList(typed, accepted, rejected); });
  bench::ReportAgainst("ParseAndValidatePathList (paths)", double(accepted.size()), t, cut, "cut", "paths");

  testsupport::TempDir dir;
  core::SettingsStore& store = core::Settings();
  store.StoreBuiltInDefaults();
  store.SetStartupDirectory(dir.Path());
  for (const std::string& p : paths) store.AddIncludeFileType(p);
  t = bench::Seconds([&] { core::SaveClass(dir / "default.set").Save(); });
  const std::string bytes(size_t(count + 444) * core::kSettingsRecordSize, 'x');
  const double written = bench::Seconds([&] {
    HANDLE h = CreateFileA((dir / "bare.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    ::WriteFile(h, bytes.data(), DWORD(bytes.size()), &done, nullptr);
    FlushFileBuffers(h);
    CloseHandle(h);
  });
  bench::ReportAgainst("SaveClass::Save (records)", count + 444.0, t, written, "write", "records");

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
  bench::ReportAgainst("WriteExportFile, separated, quoted (entries)", count, t, puts, "fputs", "entries");
  std::printf("%zu tokens, %zu paths refused, %zu bare items\n", tokens, rejected.size(), bare);
  return accepted.size() == paths.size() ? 0 : 1;
}
