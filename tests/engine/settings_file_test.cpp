#include "core/settings_file.h"
#include "core/settings_store.h"
#include "support/second_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::string;  // raw file content
using testsupport::PathExists;
using testsupport::ReadFile;
using testsupport::WriteFile;

const char kText0130[] =
    "Unable to open output file to save settings !\n\nAction: Try to save again the settings, "
    "or \n\nimmediately e-mail us, please!";
const char kCaption0130[] = "Severe Error!    Msg no: 0130.";
const size_t kRecord = 5312;

int32_t Le32(const Bytes& b, size_t at) {
  int32_t n;
  std::memcpy(&n, &b[at], 4);  // the file and this machine are both little-endian
  return n;
}

// A record as this test reads it from raw bytes, independently of the program: the key is
// all 10 bytes of its field, the text runs up to the zero.
struct Parsed { int32_t id; std::string key, text; int32_t value; bool reservedZero; };

std::vector<Parsed> Parse(const Bytes& b) {
  std::vector<Parsed> out;
  for (size_t at = 0; at + kRecord <= b.size(); at += kRecord) {
    Parsed p;
    p.id = Le32(b, at);
    p.key.assign(reinterpret_cast<const char*>(&b[at + 4]), 10);
    const char* text = reinterpret_cast<const char*>(&b[at + 14]);
    p.text.assign(text, strnlen(text, 5262));
    p.value = Le32(b, at + 5276);
    p.reservedZero = b.find_first_not_of('\0', at + 5280) >= at + kRecord;
    out.push_back(p);
  }
  return out;
}

std::string Key(const char* k) { return std::string(k) + std::string(10 - std::strlen(k), '\0'); }

// Builds a record by hand, for damaged and foreign files.
Bytes Record(int32_t id, const std::string& text, int32_t value = 0) {
  Bytes r(kRecord, 0);
  std::memcpy(&r[0], &id, 4);
  std::memcpy(&r[4], "FOREIGNKEY", 10);
  std::memcpy(&r[14], text.data(), std::min(text.size(), size_t(5262)));
  std::memcpy(&r[5276], &value, 4);
  return r;
}

class SettingsFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    core::Settings().Reset();
    core::Settings().SetStartupDirectory(dir_.Path());
  }
  void TearDown() override { core::Settings().Reset(); }
  std::string SetFile() const { return dir_ / "default.set"; }
  bool Save() { return core::SaveClass("").Save(); }
  bool Load() { return core::RestoreClass("").LoadSettings(); }
  testsupport::TempDir dir_;
};

TEST_F(SettingsFileTest, FirstStartWritesDefaultsAndSecondStartLoadsThem) {
  core::Settings().SetAppName("VEXTIL");
  EXPECT_EQ(core::LoadOrCreateSettings(dir_.Path()), core::SettingsStartup::DefaultsWritten);
  EXPECT_EQ(testsupport::ListTree(dir_.Path()), "default.set\n");  // no temporary file left
  Bytes first = ReadFile(SetFile());
  ASSERT_EQ(first.size(), 2358528u);
  std::vector<Parsed> recs = Parse(first);
  ASSERT_EQ(recs.size(), 444u);

  std::map<int32_t, int> perId;
  for (size_t i = 0; i < recs.size(); ++i) {
    ++perId[recs[i].id];
    EXPECT_TRUE(recs[i].reservedZero && (i == 0 || recs[i - 1].id <= recs[i].id)) << "id order, reserved bytes zero: " << i;
  }
  const std::map<int32_t, int> expected{
      {1, 1},  {2, 1},   {3, 1},  {4, 17},   {5, 1},  {6, 17}, {7, 1},  {8, 1},  {9, 1},  {10, 1},
      {12, 1}, {13, 1},  {14, 1}, {15, 1},   {16, 1}, {17, 172}, {18, 5}, {19, 215}, {20, 1},
      {21, 1}, {24, 1},  {25, 1}, {900, 1}};
  EXPECT_EQ(perId, expected);
  // A key of "" or a text of nullptr is not looked at.
  const struct { size_t record; std::string key; const char* text; } rows[] = {
      {0, Key("APPNAME"), "VEXTIL"}, {1, "DEFDIRECTR", dir_.Path().c_str()},  // 11 letters cut to 10, no zero
      {2, "", " "},                  // empty selected delimiter
      {3, Key("DELIMLIST"), ","},    {5, "", "space"},        {20, Key("SELSEQUOT"), nullptr},
      {38, "FMNAMESRDO", nullptr},   {40, "FMNAMESTXT", " "}, {41, "", "*.*"},
      {47, "", "doc"},               {443, Key("VEGVEGEVE"), nullptr},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(row.key.empty() ? row.key : recs[row.record].key, row.key) << row.record;
    EXPECT_EQ(row.text ? recs[row.record].text : "", row.text ? row.text : "") << row.record;
  }
  EXPECT_EQ(recs.back().id, 900);
  EXPECT_EQ(recs.back().value, 0);

  // Second start: the file is loaded, not rewritten, and gives the same store.
  core::Settings().Reset();
  core::Settings().SetAppName("VEXTIL");
  EXPECT_EQ(core::LoadOrCreateSettings(dir_.Path()), core::SettingsStartup::Loaded);
  EXPECT_EQ(ReadFile(SetFile()), first);
  const core::SettingsStore& s = core::Settings();
  EXPECT_EQ(s.GetIncludeFileTypes().size(), 172u);
  EXPECT_EQ(s.GetFilePatternLine(), " "); // the blank written for an empty line comes back
  EXPECT_EQ(s.GetStartupDirectory(), dir_.Path());
  // Saving what was loaded gives the same bytes.
  EXPECT_TRUE(Save());
  EXPECT_EQ(ReadFile(SetFile()), first);
}

TEST_F(SettingsFileTest, ByteLayoutAndRoundTripOfEveryItem) {
  core::SettingsStore& s = core::Settings();
  s.SetAppName("App");
  s.SetSelectedDelimiter(";");
  s.AddDelimiter("|");
  s.AddDelimiter("|");
  s.SetSelectedQuotationMark("'");
  // No quotation marks: no record 6.
  s.SetFileManNamesRadio(1);
  s.SetFileManTypesRadio(0x12345678);
  s.SetFilePatternLine("  *.txt ");
  s.AssignFilePatternList({"*.txt"});
  s.AssignFilePatternHistory({"*.txt", "*.doc"});
  s.SetAllFileTypesRadio(-2);
  s.SetIncludedFileTypesRadio(1);
  s.SetExcludedFileTypesRadio(0);
  s.SetSelectOneFileTypesRadio(1);
  s.SetSelectOneFileTypeIndex(42);
  s.SetSelectOneFileType("pdf");
  s.AssignIncludeFileTypes({"c", "h"});
  s.AssignExcludeFileTypes({"bak"});
  s.AddDefaultFileType("exe");
  s.SetFileManTermIncludeCheck(1);
  s.SetIncludeTermLine("  alpha beta  ");
  s.AssignIncludeTermList({"alpha", "beta"});
  s.AssignIncludeTermHistory({"alpha beta"});
  s.SetFileManTermExcludeCheck(1);
  s.SetExcludeTermLine("   ");
  s.AssignExcludeTermList({"gamma"});
  s.AssignExcludeTermHistory({"gamma", "delta"});
  ASSERT_TRUE(Save());

  Bytes b = ReadFile(SetFile());
  ASSERT_EQ(b.size() % kRecord, 0u);
  std::vector<Parsed> r = Parse(b);
  std::vector<int32_t> ids;
  for (const Parsed& p : r) ids.push_back(p.id);
  EXPECT_EQ(ids, (std::vector<int32_t>{1, 2, 3, 4, 4, 5, 7, 8, 9, 10, 11, 11, 12, 13, 14, 15, 16, 17,
                                       17, 18, 19, 20, 21, 22, 22, 23, 24, 25, 26, 27, 27, 900}));
  // Integers are little-endian 32-bit at offset 5276.
  const size_t rec8 = 7 * kRecord;
  EXPECT_EQ(b[rec8 + 5276], 0x78);
  EXPECT_EQ(b[rec8 + 5279], 0x12);
  EXPECT_EQ(b[rec8], 8);
  EXPECT_EQ(r[12].value, -2);
  EXPECT_EQ(r[16].key, Key("FMONEFILE"));
  EXPECT_EQ(r[16].value, 42);
  EXPECT_EQ(r[16].text, "pdf");
  EXPECT_EQ(r[8].text, "  *.txt "); // pattern line unchanged
  EXPECT_EQ(r[20].key, Key("FMDEQEXC")); // default types share the key of id 18
  EXPECT_EQ(r[22].text, "  alpha beta  ");
  EXPECT_EQ(r[27].text, " "); // a blank exclude-terms line is written as one blank
  EXPECT_EQ(r[26].key, Key("FMINCCHECK"));

  // Loaded over other entries (lists replaced) and saved again: the same bytes; term lines come back trimmed.
  s.Reset();
  s.SetStartupDirectory(dir_.Path());
  s.AddQuotationMark("stale");
  ASSERT_TRUE(Load());
  EXPECT_EQ(s.GetIncludeTermLine(), "alpha beta");
  EXPECT_EQ(s.GetExcludeTermLine(), "");
  EXPECT_TRUE(s.GetQuotationMarkList().empty());
  s.SetIncludeTermLine("  alpha beta  ");
  ASSERT_TRUE(Save());
  EXPECT_EQ(ReadFile(SetFile()), b);
  // Loading twice gives the same lists.
  ASSERT_TRUE(Load());
  EXPECT_EQ(s.GetDelimiterList(), (core::SettingsList{"|", "|"}));
}

TEST_F(SettingsFileTest, StoredDirectoryAndLongTexts) {
  core::SettingsStore& s = core::Settings();
  // A file that stores another directory moves the start-up directory there.
  s.SetStartupDirectory("D:\\Elsewhere");
  core::SaveClass(SetFile()).Save();
  s.SetStartupDirectory(dir_.Path());
  ASSERT_TRUE(Load());
  EXPECT_EQ(s.GetStartupDirectory(), "D:\\Elsewhere");
  s.SetStartupDirectory(dir_.Path());

  // A text of 5261 characters fits its field whole; one more fails the save
  // (never written cut) and the file stays as it was.
  const std::string fits(5261, 'a');
  s.AddDelimiter(fits);
  ASSERT_TRUE(Save());
  const Bytes saved = ReadFile(SetFile());
  for (auto tooLong : {+[](core::SettingsStore& t) { t.AddDelimiter(std::string(5262, 'b')); },
                       +[](core::SettingsStore& t) { t.SetAppName(std::string(9000, 'c')); },
                       +[](core::SettingsStore& t) { t.SetFilePatternLine(std::string(5262, 'd')); }}) {
    const core::SettingsStore before = s;
    tooLong(s);
    EXPECT_FALSE(Save());
    EXPECT_EQ(ReadFile(SetFile()), saved);
    s = before;
  }
  s.Reset();
  s.SetStartupDirectory(dir_.Path());
  ASSERT_TRUE(Load());
  EXPECT_EQ(s.GetDelimiterList(), core::SettingsList{fits});
}

TEST_F(SettingsFileTest, DamagedAndForeignFilesLoadWhatIsReadable) {
  core::SettingsStore& s = core::Settings();
  // Unknown ids, records after the end record, no end record at the end, a short last record.
  Bytes f = Record(4, ",") + Record(0, "zero") + Record(28, "beyond") + Record(-7, "negative") +
            Record(4, ";") + Record(900, "") + Record(6, "\"") + Record(21, "\t terms \r\n") + Record(12, "", 1);
  Bytes partial = Record(6, "lost");
  partial.resize(kRecord - 1);
  f += partial;
  WriteFile(SetFile(), f);
  s.AddDelimiter("old");
  ASSERT_TRUE(Load());
  EXPECT_EQ(s.GetDelimiterList(), (core::SettingsList{",", ";"}));
  EXPECT_EQ(s.GetQuotationMarkList(), core::SettingsList{"\""}); // after 900, once
  EXPECT_EQ(s.GetIncludeTermLine(), "terms");
  EXPECT_EQ(s.GetAllFileTypesRadio(), 1);

  // A text field with no zero ends with the field; the integer after it stays out.
  Bytes noZero = Record(1, "", 0x41414141);
  std::memset(&noZero[14], 'x', 5262);
  noZero += Record(3, "|");
  WriteFile(SetFile(), noZero);
  ASSERT_TRUE(Load());
  EXPECT_EQ(s.GetAppName(), std::string(5262, 'x'));
  EXPECT_EQ(s.GetSelectedDelimiter(), "|");

  // An empty file opens: the lists are emptied and nothing else changes.
  s.AddIncludeFileType("doc");
  WriteFile(SetFile(), Bytes());
  ASSERT_TRUE(Load());
  EXPECT_TRUE(s.GetIncludeFileTypes().empty());
  EXPECT_EQ(s.GetSelectedDelimiter(), "|");

  // Random bytes, then readable records: no crash, and the readable records are all there.
  std::mt19937 rng(12345);
  Bytes noise(kRecord * 40, 0);
  for (char& c : noise) c = static_cast<char>(rng());
  for (size_t at = 0; at < noise.size(); at += kRecord) noise[at + 3] = 0x7f; // ids far out of range
  Bytes mixed = noise;
  mixed += Record(17, "txt") + Record(17, "log") + noise.substr(0, 1000);
  WriteFile(SetFile(), mixed);
  ASSERT_TRUE(Load());
  EXPECT_EQ(s.GetIncludeFileTypes(), (core::SettingsList{"txt", "log"}));

  // Pure random bytes with known ids: the loader survives, no item over one field of text.
  for (char& c : noise) c = static_cast<char>(rng());
  for (size_t at = 0; at < noise.size(); at += kRecord) {
    noise[at] = static_cast<char>(rng() % 30);
    noise[at + 1] = noise[at + 2] = noise[at + 3] = 0;
  }
  WriteFile(SetFile(), noise);
  ASSERT_TRUE(Load());
  EXPECT_LE(s.GetAppName().size(), 5262u);
}

TEST_F(SettingsFileTest, MissingOrLockedFileLeavesTheStoreAlone) {
  core::SettingsStore& s = core::Settings();
  s.StoreBuiltInDefaults();
  s.SetStartupDirectory(dir_ / "nowhere");
  {
    core::RestoreClass restore("");
    EXPECT_FALSE(restore.IsOpen());
    EXPECT_FALSE(restore.ClearAllSettingLists());
    EXPECT_FALSE(restore.LoadSettings());
  }
  EXPECT_EQ(s.GetIncludeFileTypes().size(), 172u);
  EXPECT_EQ(s.GetDelimiterList().size(), 17u);

  // A file that another program holds open without sharing.
  s.SetStartupDirectory(dir_.Path());
  WriteFile(SetFile(), Record(4, ","));
  HANDLE lock = CreateFileA(SetFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  {
    core::RestoreClass restore("");
    EXPECT_FALSE(restore.ClearAllSettingLists());
    EXPECT_FALSE(restore.LoadSettings());
  }
  EXPECT_EQ(s.GetDelimiterList().size(), 17u);
  EXPECT_EQ(s.GetDefaultFileTypes().size(), 215u);

  // At start-up such a file is not replaced by the defaults; they are used in memory.
  s.Reset();
  EXPECT_EQ(core::LoadOrCreateSettings(dir_.Path()), core::SettingsStartup::DefaultsInMemory);
  CloseHandle(lock);
  EXPECT_EQ(ReadFile(SetFile()), Record(4, ","));
  EXPECT_EQ(s.GetIncludeFileTypes().size(), 172u);
  EXPECT_EQ(s.GetFilePatternList(), core::SettingsList{"*.*"});
  EXPECT_EQ(s.GetStartupDirectory(), dir_.Path());
  EXPECT_EQ(testsupport::ListTree(dir_.Path()), "default.set\n");  // no temporary file left
}

TEST_F(SettingsFileTest, FailedSaveGives0130AndKeepsTheOldFile) {
  const core::BoxMessage m = core::SettingsSaveFailedMessage();
  EXPECT_EQ(m.text, kText0130);
  EXPECT_EQ(m.caption, kCaption0130);
  EXPECT_EQ(m.flags, 0x10u);
  core::SettingsStore& s = core::Settings();
  s.AddDelimiter(",");
  ASSERT_TRUE(Save());
  const Bytes old = ReadFile(SetFile());
  s.StoreBuiltInDefaults();

  // A temporary name another program could hold beside the file stops no
  // save: each save writes under a name of its own.
  ASSERT_TRUE(CreateDirectoryA((SetFile() + ".tmp").c_str(), nullptr));
  EXPECT_TRUE(Save());
  EXPECT_NE(ReadFile(SetFile()), old);
  RemoveDirectoryA((SetFile() + ".tmp").c_str());
  s.Reset();
  s.SetStartupDirectory(dir_.Path());
  s.AddDelimiter(",");
  ASSERT_TRUE(Save());
  ASSERT_EQ(ReadFile(SetFile()), old);
  s.StoreBuiltInDefaults();

  // The settings file cannot be replaced: another program holds it.
  HANDLE lock = CreateFileA(SetFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Save());
  CloseHandle(lock);
  EXPECT_EQ(ReadFile(SetFile()), old);
  EXPECT_EQ(testsupport::ListTree(dir_.Path()), "default.set\n");  // no temporary file left

  // A start in a folder that is gone: defaults in memory, nothing written.
  s.Reset();
  EXPECT_EQ(core::LoadOrCreateSettings(dir_ / "gone"), core::SettingsStartup::DefaultsNotSaved);
  EXPECT_EQ(s.GetDefaultFileTypes().size(), 215u);

  // Once the obstacle is gone the save works again.
  s.SetStartupDirectory(dir_.Path());
  EXPECT_TRUE(Save());
  EXPECT_EQ(ReadFile(SetFile()).size(), 444u * kRecord);
}

// Two copies of the program started together in one start-up folder save at
// the same moment: this process opens its save, a second process (this test
// program again, below) saves whole meanwhile, then this save ends. Both
// succeed (no 0130 box to show) and the settings file is whole.
const char kSaveInto[] = "VEXTIL_TEST_SAVE_SETTINGS_INTO";
const bool kSecondProcessSaved = [] {
  char folder[MAX_PATH];
  const DWORD n = GetEnvironmentVariableA(kSaveInto, folder, sizeof folder);
  if (n == 0 || n >= sizeof folder) return false;
  core::Settings().StoreBuiltInDefaults();
  core::Settings().SetStartupDirectory(folder);
  ExitProcess(core::SaveClass("").Save() ? 0 : 1);
}();

TEST_F(SettingsFileTest, TwoProcessesSavingAtOnceBothSucceedAndLeaveAWholeFile) {
  core::Settings().StoreBuiltInDefaults();
  core::Settings().SetStartupDirectory(dir_.Path());
  core::SaveClass mine("");  // its temporary file is open from here on
  EXPECT_EQ(testsupport::RunThisProgramAgain(kSaveInto, dir_.Path()), 0u) << "the second process could not save";
  EXPECT_TRUE(mine.Save());
  const Bytes whole = ReadFile(SetFile());
  EXPECT_EQ(whole.size(), 444u * kRecord);
  EXPECT_EQ(Parse(whole).back().id, 900);
  EXPECT_EQ(testsupport::ListTree(dir_.Path()), "default.set\n");
  core::Settings().Reset();
  core::Settings().SetStartupDirectory(dir_.Path());
  ASSERT_TRUE(Load());
  EXPECT_EQ(core::Settings().GetIncludeFileTypes().size(), 172u);
}

// A file standing under a temporary name this process would take (left by a
// killed copy of the program whose process number came back) is never
// written over nor removed: the save takes the next name.
TEST_F(SettingsFileTest, ASaveNeverWritesOverWhatStandsUnderItsTemporaryName) {
  core::Settings().StoreBuiltInDefaults();
  const std::string pid = std::to_string(GetCurrentProcessId());
  std::vector<std::string> leftovers;
  for (int k = 1; k <= 20; ++k)
    leftovers.push_back(dir_.AddFile("default.set." + pid + "-" + std::to_string(k) + ".tmp", "not this save's"));
  ASSERT_TRUE(Save());
  for (const std::string& f : leftovers) EXPECT_EQ(testsupport::ReadFile(f), "not this save's") << f;
  EXPECT_EQ(Parse(ReadFile(SetFile())).back().id, 900);
  const std::string listed = testsupport::ListTree(dir_.Path());  // no temporary file of this save stays
  EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 21) << listed;
}

TEST(SettingsFilePath, AddsOneBackslashOnlyWhereMissing) {
  core::SettingsStore& s = core::Settings();
  s.Reset();
  const std::pair<const char*, const char*> rows[] = {
      {"C:\\Data\\Vextil", "C:\\Data\\Vextil\\default.set"},
      {"C:\\", "C:\\default.set"},
      {"\\\\server\\share\\tools", "\\\\server\\share\\tools\\default.set"},
      {"\\\\server\\share\\", "\\\\server\\share\\default.set"},
  };
  for (const auto& [folder, file] : rows) {
    s.SetStartupDirectory(folder);
    EXPECT_EQ(core::SettingsFilePath(""), file);
    EXPECT_EQ(core::SettingsFilePath("   "), file);
  }
  EXPECT_EQ(core::SettingsFilePath("  D:\\x.set "), "D:\\x.set");
  s.Reset();
}

} // namespace
