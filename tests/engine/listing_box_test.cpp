// The composer of the boxes that list items, on its own: what it tells of
// every list, what it names, and where it stops.
#include "core/listing_box.h"
#include "core/settings_store.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(const std::string& stem, size_t n) {
  std::vector<std::string> out;
  for (size_t i = 0; i < n; ++i) out.push_back("C:\\" + stem + std::to_string(i));
  return out;
}

TEST(ListingBox, FewItemsAreNamedWholeAndNothingMoreIsSaid) {
  const std::string text =
      core::ListingBoxText("Start :\n{}\nEnd.", "Kept", {{"why one", Names("a", 2), 2}, {"why two", Names("b", 1), 1}},
                           "the Visual Log.");
  EXPECT_EQ(text, "Start :\n\nKept : 3\n   why one : 2\n      C:\\a0\n      C:\\a1\n   why two : 1\n      C:\\b0\n\nEnd.");
  // No list with items: the frame alone.
  EXPECT_EQ(core::ListingBoxText("Start :\n{}\nEnd.", "Kept", {}, "the Visual Log."), "Start :\n\nEnd.");
}

TEST(ListingBox, ManyItemsAreCountedInFullAndEachReasonNamesItsFirst) {
  struct Case {
    const char* what;
    std::vector<core::ListedGroup> groups;
  };
  std::vector<core::ListedGroup> many;
  for (int r = 0; r < 50; ++r) many.push_back({"reason " + std::to_string(r), Names("r" + std::to_string(r) + "-", 40), 1000});
  const Case cases[] = {
      {"one reason", {{"why", Names("x", 40), 100000}}},
      {"three reasons", {{"first", Names("f", 40), 5000}, {"second", Names("s", 40), 7}, {"third", Names("t", 1), 1}}},
      {"fifty reasons", many},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    size_t all = 0;
    for (const core::ListedGroup& g : c.groups) all += g.Count();
    const std::string text = core::ListingBoxText("{}", "Kept", c.groups, "the Visual Log.");
    EXPECT_LE(core::ListingLines(text), core::kListingBoxLines) << text;
    EXPECT_EQ(text.rfind("Kept : " + std::to_string(all) + "\n", 0), 0u) << text;
    EXPECT_NE(text.find("\nThe whole list : the Visual Log.\n"), std::string::npos) << text;
    // Each reason shown names its first item, with how many more it stopped.
    size_t shown = 0;
    for (const core::ListedGroup& g : c.groups) {
      const size_t at = text.find("   " + g.reason + " : " + std::to_string(g.Count()) + "\n");
      if (at == std::string::npos) continue;
      ++shown;
      EXPECT_EQ(text.find("      " + g.names[0] + "\n", at), text.find('\n', at) + 1) << text;
    }
    EXPECT_GE(shown, std::min<size_t>(c.groups.size(), 3));
    if (shown < c.groups.size())
      EXPECT_NE(text.find("   ... and " + std::to_string(c.groups.size() - shown) + " more reasons : "), std::string::npos)
          << text;
  }
}

TEST(ListingBox, ALongNameKeepsItsStartAndItsEnd) {
  const std::string deep = "C:\\" + std::string(100, 'd') + "\\" + std::string(100, 'e') + "\\name.txt";
  const std::string shown = core::ListedName(deep);
  EXPECT_LE(shown.size(), core::kListingNameChars);
  EXPECT_EQ(shown.rfind("C:\\ddd", 0), 0u) << shown;
  EXPECT_NE(shown.find("..."), std::string::npos) << shown;
  EXPECT_EQ(shown.substr(shown.size() - 9), "\\name.txt") << shown;
  // A part without a place to break is cut too; a control character reads "?".
  EXPECT_EQ(core::ListedName(std::string(100, 'w')).size(), core::kListingRunChars);
  EXPECT_EQ(core::ListedName("a\tb"), "a?b");
}

TEST(ListingBox, GroupsGatherByReasonInTheOrderMet) {
  core::ListedGroups g;
  for (int i = 0; i < 100; ++i) g.Add("p" + std::to_string(i), i % 3 == 0 ? "three" : "other");
  g.AddCount("counted", 5);
  ASSERT_EQ(g.Groups().size(), 3u);
  EXPECT_EQ(g.Groups()[0].reason, "three");
  EXPECT_EQ(g.Groups()[0].Count(), 34u);
  EXPECT_EQ(g.Groups()[1].Count(), 66u);
  EXPECT_EQ(g.Groups()[1].names.size(), 66u);  // every name, for the whole list
  EXPECT_EQ(g.Groups()[2].Count(), 5u);
  EXPECT_EQ(g.Count(), 105u);
}

// The start-up folder a test's boxes save their whole lists in, given back after.
class WholeLists : public ::testing::Test {
protected:
  void SetUp() override {
    saved_ = core::Settings().GetStartupDirectory();
    core::Settings().SetStartupDirectory(dir_.Path());
  }
  void TearDown() override { core::Settings().SetStartupDirectory(saved_); }
  std::string Folder() const { return dir_ / "whole lists"; }
  testsupport::TempDir dir_;

private:
  std::string saved_;
};

// A box naming every item whole saves nothing and says nothing of a whole
// list; one that leaves items out, or cuts a name, saves them all in its file
// beside the settings file (the box's text above a line of dashes, the lists
// below it, every name whole) and names that file; one given a place that
// holds them names the place and saves nothing.
TEST_F(WholeLists, ABoxThatCannotNameEveryItemSavesThemAllAndNamesTheFile) {
  const core::WholeList toFile{"", "kept.txt", "Caption no: 0001."};
  const std::string few = core::ListingBoxText("Lead :\n{}", {{"Kept", {{"why", Names("a", 2), 2}}}}, toFile);
  EXPECT_EQ(few, "Lead :\n\nKept : 2\n   why : 2\n      C:\\a0\n      C:\\a1\n");
  EXPECT_FALSE(testsupport::FolderExists(Folder()));

  const std::string longName = "C:\\" + std::string(300, 'n');
  const std::vector<core::ListedSection> many{{"Kept", {{"why", Names("a", 5000), 5000}, {"other", {longName}, 1}}},
                                              {"Not found", {{"", Names("m", 3), 3}}}};
  const std::string text = core::ListingBoxText("Lead :\n{}\nEnd.", many, toFile);
  EXPECT_LE(core::ListingLines(text), core::kListingBoxLines) << text;
  EXPECT_NE(text.find("\nThe whole list : " + Folder() + "\\kept.txt\n"), std::string::npos) << text;
  std::string expected = "Whole list : Caption no: 0001.\r\n\r\nLead :\r\n\r\n" + std::string(40, '-') +
                         "\r\n\r\nKept : 5001\r\n   why : 5000\r\n";
  for (const std::string& n : Names("a", 5000)) expected += "      " + n + "\r\n";
  expected += "   other : 1\r\n      " + longName + "\r\n\r\nNot found : 3\r\n";
  for (const std::string& n : Names("m", 3)) expected += "   " + n + "\r\n";
  EXPECT_EQ(testsupport::ReadFile(Folder() + "\\kept.txt"), expected);

  // A cut name alone is reason enough.
  const std::string cut = core::ListingBoxText("{}", {{"", {{"why", {longName}, 1}}}}, core::WholeList{"", "cut.txt", ""});
  EXPECT_NE(cut.find("The whole list : " + Folder() + "\\cut.txt"), std::string::npos) << cut;
  EXPECT_NE(testsupport::ReadFile(Folder() + "\\cut.txt").find("\r\nwhy : 1\r\n   " + longName + "\r\n"), std::string::npos);

  const std::string placed = core::ListingBoxText("{}", many, core::WholeList{"the Visual Log.", "placed.txt", ""});
  EXPECT_NE(placed.find("\nThe whole list : the Visual Log.\n"), std::string::npos) << placed;
  EXPECT_FALSE(testsupport::FileExists(Folder() + "\\placed.txt"));
}

// A list saved again replaces the one the program wrote; a file of that name
// the program did not write stays as it is, and the list takes the next free
// name.
TEST_F(WholeLists, AListSavedAgainReplacesOnlyAListTheProgramWrote) {
  const std::string first = core::SaveWholeList("list.txt", core::WholeListText("one", "{}", {{"H", {{"", {"a"}, 1}}}}));
  EXPECT_EQ(first, Folder() + "\\list.txt");
  const std::string again = core::SaveWholeList("list.txt", core::WholeListText("two", "{}", {{"H", {{"", {"b"}, 1}}}}));
  EXPECT_EQ(again, first);
  EXPECT_EQ(testsupport::ReadFile(first).rfind("Whole list : two\r\n", 0), 0u);

  dir_.AddFile("whole lists\\mine.txt", "the user's own");
  const std::string beside = core::SaveWholeList("mine.txt", core::WholeListText("t", "{}", {}));
  EXPECT_EQ(beside, Folder() + "\\mine (2).txt");
  EXPECT_EQ(testsupport::ReadFile(Folder() + "\\mine.txt"), "the user's own");
}

} // namespace

