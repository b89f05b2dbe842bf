// Speed of the text engines on 30,000 entries: the tokeniser, the path-list
// parser with its validation, the settings file (save and load of a store
// holding 30,000 list entries) and the export writer. Prints items per second.
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
  std::vector<std::string> paths;
  paths.reserve(count);
  for (int i = 0; i < count; ++i)
    paths.push_back("C:\\Projects\\Client " + std::to_string(i % 97) + "\\Folder " +
                    std::to_string(i));

  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i)
    lines.push_back("alpha;\"beta gamma\";" + std::to_string(i) + ";delta epsilon");
  size_t tokens = 0;
  double t = bench::Seconds([&] {
    for (const std::string& line : lines) {
      core::PositionList marks;
      core::CountSubstring(line, "\"", marks);
      tokens += core::SplitQuotedOnDelimiters(line, ";", marks).size();
    }
  });
  bench::Report("SplitQuotedOnDelimiters (lines)", count, t, "lines");

  std::string typed;
  for (const std::string& p : paths) typed += p + " ";
  core::StringList accepted, rejected;
  t = bench::Seconds([&] { core::ParseAndValidatePathList(typed, accepted, rejected); });
  bench::Report("ParseAndValidatePathList (paths)", double(accepted.size()), t, "paths");

  testsupport::TempDir dir;
  core::SettingsStore& store = core::Settings();
  store.StoreBuiltInDefaults();
  store.SetStartupDirectory(dir.Path());
  for (const std::string& p : paths) store.AddIncludeFileType(p);
  std::string file = dir / "default.set";
  t = bench::Seconds([&] { core::SaveClass(file).Save(); });
  bench::Report("SaveClass::Save (records)", count + 444.0, t, "records");
  t = bench::Seconds([&] { core::RestoreClass(file).LoadSettings(); });
  bench::Report("RestoreClass::LoadSettings (records)", count + 444.0, t, "records");

  core::ExportOptions options;
  options.layout = core::ExportLayout::Separated;
  options.delimiter = ";";
  options.quote = true;
  t = bench::Seconds([&] { core::WriteExportFile(dir / "export.txt", paths, options); });
  bench::Report("WriteExportFile, separated and quoted (entries)", count, t, "entries");

  std::printf("%zu tokens, %zu paths refused\n", tokens, rejected.size());
  return accepted.size() == paths.size() ? 0 : 1;
}
