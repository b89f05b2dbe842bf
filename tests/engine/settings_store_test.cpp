#include "core/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
  void SetUp() override { core::Settings().Reset(); }
  void TearDown() override { core::Settings().Reset(); }
};

size_t CountOf(const core::SettingsList& list, const std::string& entry) {
  return static_cast<size_t>(std::count(list.begin(), list.end(), entry));
}

TEST_F(SettingsStoreTest, ItemsAreCopiedAppendedAndClearedOneByOne) {
  core::SettingsStore& s = core::Settings();
  s.AddDelimiter(";");
  s.AddDelimiter(";"); // no duplicate test: a second copy
  s.AddDelimiterFromRecord(" x "); // no trimming
  core::SettingsList copy = s.GetDelimiterList();
  copy.clear();
  EXPECT_EQ(s.GetDelimiterList(), (core::SettingsList{";", ";", " x "}));

  s.AssignFilePatternList({"*.txt", "*.doc"});
  s.AddFilePattern("*.txt");
  s.AddFilePatternFromRecord("a?.b");
  EXPECT_EQ(s.GetFilePatternList(), (core::SettingsList{"*.txt", "*.doc", "*.txt", "a?.b"}));
  s.AssignFilePatternList({"x"});
  EXPECT_EQ(s.GetFilePatternList(), core::SettingsList{"x"});

  s.SetStartupDirectory("C:\\Work");
  s.SetAppName("Vextil");
  s.SetSelectOneFileTypeIndex(7);
  s.SetSelectOneFileType("txt");
  s.SetIncludeTermLine("a b");
  s.SetFileManTermExcludeCheck(1);
  s.AddQuotationMark("\"");
  s.AddIncludeFileType("doc");
  s.AddExcludeFileType("bak");
  s.AddDefaultFileType("exe");
  s.AssignFilePatternHistory({"*.*"});
  s.AssignIncludeTermList({"a"});
  s.AssignIncludeTermHistory({"a b"});
  s.AssignExcludeTermList({"c"});
  s.AddExcludeTermHistoryFromRecord("c");

  // The full clearing empties every list and leaves texts and numbers.
  s.ClearAllSettingLists();
  EXPECT_TRUE(s.GetDelimiterList().empty());
  EXPECT_TRUE(s.GetQuotationMarkList().empty());
  EXPECT_TRUE(s.GetFilePatternList().empty());
  EXPECT_TRUE(s.GetFilePatternHistory().empty());
  EXPECT_TRUE(s.GetIncludeFileTypes().empty());
  EXPECT_TRUE(s.GetExcludeFileTypes().empty());
  EXPECT_TRUE(s.GetDefaultFileTypes().empty());
  EXPECT_TRUE(s.GetIncludeTermList().empty());
  EXPECT_TRUE(s.GetIncludeTermHistory().empty());
  EXPECT_TRUE(s.GetExcludeTermList().empty());
  EXPECT_TRUE(s.GetExcludeTermHistory().empty());
  EXPECT_EQ(s.GetStartupDirectory(), "C:\\Work");
  EXPECT_EQ(s.GetAppName(), "Vextil");
  EXPECT_EQ(s.GetSelectOneFileTypeIndex(), 7);
  EXPECT_EQ(s.GetSelectOneFileType(), "txt");
  EXPECT_EQ(s.GetIncludeTermLine(), "a b");
  EXPECT_EQ(s.GetFileManTermExcludeCheck(), 1);

  s.Reset();
  EXPECT_EQ(s.GetStartupDirectory(), "");
  EXPECT_EQ(s.GetSelectOneFileTypeIndex(), 0);
}

TEST_F(SettingsStoreTest, BuiltInDefaults) {
  core::SettingsStore& s = core::Settings();
  s.AddDelimiter("stale"); // the separator lists are emptied first
  s.AddQuotationMark("stale");
  s.StoreBuiltInDefaults();

  const core::SettingsList separators{",", ";", "space", "\"", "'", "|", "~", ":", "#",
                                      "&", "@", "$", "<", ">", ".", "-", "_"};
  EXPECT_EQ(s.GetDelimiterList(), separators);
  EXPECT_EQ(s.GetQuotationMarkList(), separators);

  core::SettingsList include = s.GetIncludeFileTypes();
  ASSERT_EQ(include.size(), 172u);
  EXPECT_EQ(include.front(), "doc");
  EXPECT_EQ(include[1], "pdf");
  EXPECT_EQ(include.back(), "yy");
  EXPECT_EQ(CountOf(include, "iqy"), 2u);
  EXPECT_EQ(s.GetExcludeFileTypes(), (core::SettingsList{"bak", "nt", "old", "org", "sav"}));
  core::SettingsList defaults = s.GetDefaultFileTypes();
  ASSERT_EQ(defaults.size(), 215u);
  EXPECT_EQ(defaults.front(), "exe");
  EXPECT_EQ(defaults.back(), "xlt");
  EXPECT_EQ(CountOf(defaults, "ttf"), 2u);
  EXPECT_EQ(CountOf(defaults, "wa~"), 1u);
  for (const std::string& t : include) EXPECT_EQ(t.find_first_of(" .ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos) << t;

  EXPECT_EQ(s.GetFilePatternList(), core::SettingsList{"*.*"});
  // Everything else has no default.
  EXPECT_EQ(s.GetSelectedDelimiter(), "");
  EXPECT_EQ(s.GetSelectedQuotationMark(), "");
  EXPECT_EQ(s.GetFilePatternLine(), "");
  EXPECT_TRUE(s.GetFilePatternHistory().empty());
  EXPECT_TRUE(s.GetIncludeTermList().empty());
  EXPECT_EQ(s.GetAllFileTypesRadio(), 0);

  // "*.*" is only added to an empty pattern list.
  s.Reset();
  s.AddFilePattern("*.txt");
  s.StoreBuiltInDefaults();
  EXPECT_EQ(s.GetFilePatternList(), core::SettingsList{"*.txt"});
}

} // namespace
