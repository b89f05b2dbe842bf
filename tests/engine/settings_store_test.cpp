#include "core/settings_store.h"

#include <gtest/gtest.h>

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
  void SetUp() override { core::Settings().Reset(); }
  void TearDown() override { core::Settings().Reset(); }
};

TEST_F(SettingsStoreTest, ListsKeepWhatIsAddedAndClearingLeavesTextsAndNumbers) {
  core::SettingsStore& s = core::Settings();
  s.AddDelimiter(";");
  s.AddDelimiter(";");              // no duplicate test: a second copy
  s.AddDelimiterFromRecord(" x ");  // no trimming
  s.GetDelimiterList().clear();     // a copy
  EXPECT_EQ(s.GetDelimiterList(), (core::SettingsList{";", ";", " x "}));
  s.AssignFilePatternList({"*.txt", "*.doc"});
  s.AddFilePatternFromRecord("a?.b");
  EXPECT_EQ(s.GetFilePatternList(), (core::SettingsList{"*.txt", "*.doc", "a?.b"}));

  s.SetStartupDirectory("C:\\Work");
  s.SetSelectOneFileTypeIndex(7);
  s.AddIncludeFileType("doc");
  s.AssignExcludeTermList({"c"});
  s.AddExcludeTermHistoryFromRecord("c");
  s.ClearAllSettingLists();
  for (const core::SettingsList& list : {s.GetDelimiterList(), s.GetFilePatternList(), s.GetIncludeFileTypes(),
                                         s.GetExcludeTermList(), s.GetExcludeTermHistory()})
    EXPECT_TRUE(list.empty());
  EXPECT_EQ(s.GetStartupDirectory(), "C:\\Work");
  EXPECT_EQ(s.GetSelectOneFileTypeIndex(), 7);
}

TEST_F(SettingsStoreTest, BuiltInDefaults) {
  core::SettingsStore& s = core::Settings();
  s.AddDelimiter("stale");  // the separator lists are emptied first
  s.AddQuotationMark("stale");
  s.StoreBuiltInDefaults();
  EXPECT_EQ(s.GetDelimiterList().size(), 17u);  // no "stale"; the other sizes: the settings file's record counts
  EXPECT_EQ(s.GetQuotationMarkList(), s.GetDelimiterList());
  for (const std::string& t : s.GetIncludeFileTypes())
    EXPECT_EQ(t.find_first_of(" .ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos) << t;
  EXPECT_EQ(s.GetFilePatternList(), core::SettingsList{"*.*"});

  // "*.*" is only added to an empty pattern list.
  s.Reset();
  s.AddFilePattern("*.txt");
  s.StoreBuiltInDefaults();
  EXPECT_EQ(s.GetFilePatternList(), core::SettingsList{"*.txt"});
}

} // namespace
