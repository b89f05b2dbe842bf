// The export file writer on real files, read back byte for byte.
#include "listwin/export_writer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using core::ExportFailure;
using core::ExportLayout;
using core::ExportOptions;
using testsupport::ReadFile;
using testsupport::TempDir;

namespace {

ExportOptions Separated(const std::string& delimiter, bool quote) {
  ExportOptions o;
  o.layout = ExportLayout::Separated;
  o.delimiter = delimiter;
  o.quote = quote;
  return o;
}

TEST(ExportWriter, WritesEntriesExactlyAsHeld) {
  TempDir dir;
  const std::vector<std::string> items = {"C:\\Plain", "  padded  ", "say \"hi\"", "", "\xE9t\xE9"};

  const struct { const char* file; ExportOptions options; const char* content; } rows[] = {
      {"plain.txt", ExportOptions{}, "C:\\Plain\r\n  padded  \r\nsay \"hi\"\r\n\r\n\xE9t\xE9\r\n"},
      {"quoted.csv", Separated(",", true), "\"C:\\Plain\",\"  padded  \",\"say \"\"hi\"\"\",\"\",\"\xE9t\xE9\"\r\n"},
      {"bare.txt", Separated("|", false), "C:\\Plain|  padded  |say \"hi\"||\xE9t\xE9\r\n"},
  };
  for (const auto& row : rows) {
    const core::ExportResult r = core::WriteExportFile(dir / row.file, items, row.options);
    EXPECT_TRUE(r.Ok() && r.written == 5) << row.file;
    EXPECT_EQ(ReadFile(dir / row.file), row.content);
  }

  std::string spaced = dir / "spaced.txt";
  ASSERT_TRUE(core::WriteExportFile(spaced, {"a", "b"}, Separated("space", false)).Ok());
  EXPECT_EQ(ReadFile(spaced), "a b\r\n");
  ASSERT_TRUE(core::WriteExportFile(spaced, {"a", "b"}, Separated("SPACE", true)).Ok());
  EXPECT_EQ(ReadFile(spaced), "\"a\" \"b\"\r\n");  // replaced, not appended

  // Quotes are for separated values only: a plain line is the entry itself.
  ExportOptions plainQuoted;
  plainQuoted.quote = true;
  EXPECT_EQ(core::FormatExport({"x\"y"}, plainQuoted), "x\"y\r\n");
  EXPECT_EQ(core::FormatExport({}, Separated(",", true)), "");
  EXPECT_EQ(core::FormatExport({"only"}, Separated("#", true)), "\"only\"\r\n");
}

TEST(ExportWriter, FailuresSayWhereTheyStoppedAndSpoilNothing) {
  TempDir dir;
  core::ExportResult r = core::WriteExportFile(dir / "missing\\out.txt", {"a"}, ExportOptions{});
  EXPECT_EQ(r.failure, ExportFailure::Open);
  EXPECT_EQ(r.systemError, static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(r.written, 0);
  EXPECT_FALSE(testsupport::PathExists(dir / "missing"));

  std::string locked = dir.AddFile("locked.txt", "old\r\n");
  ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
  r = core::WriteExportFile(locked, {"a"}, ExportOptions{});
  EXPECT_EQ(r.failure, ExportFailure::Open);
  EXPECT_EQ(r.systemError, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(ReadFile(locked), "old\r\n");

  // A folder in the file's place.
  std::string folder = dir.AddFolder("taken.txt");
  r = core::WriteExportFile(folder, {"a"}, ExportOptions{});
  EXPECT_EQ(r.failure, ExportFailure::Open);
  EXPECT_TRUE(testsupport::FolderExists(folder));

  // A list replaces an existing file whole, through a file beside it that
  // never stays behind.
  std::string existing = dir.AddFile("existing.txt", "a much longer old content\r\n");
  r = core::WriteExportFile(existing, {"new"}, ExportOptions{});
  EXPECT_TRUE(r.Ok());
  EXPECT_EQ(ReadFile(existing), "new\r\n");
  EXPECT_EQ(testsupport::ListTree(dir.Path()), "existing.txt\nlocked.txt\ntaken.txt\\\n");
}

TEST(ExportWriter, ThirtyThousandEntriesAreWrittenWhole) {
  TempDir dir;
  std::vector<std::string> items;
  std::string expected;
  for (int i = 0; i < 30000; ++i) {
    items.push_back("C:\\Data\\Folder number " + std::to_string(i));
    expected += items.back() + "\r\n";
  }
  core::ExportResult r = core::WriteExportFile(dir / "big.txt", items, ExportOptions{});
  ASSERT_TRUE(r.Ok());
  EXPECT_EQ(r.written, 30000);
  EXPECT_EQ(ReadFile(dir / "big.txt"), expected);
}

} // namespace
