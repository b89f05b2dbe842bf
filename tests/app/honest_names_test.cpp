// Names holding letters the code page cannot spell, made from the Linux side,
// as the pages show them in their boxes, lists and Visual Log: each such
// letter is "?", so no name can be taken for another (a real "a.txt" deleted
// beside a kept "α.txt" never reads as "a.txt" twice).
#include "tests/app/creation_page_fixture.h"

#include "listwin/frmFileSelection.h"
#include "listwin/frmStatistic.h"
#include "listwin/frmSubFolderListBuilder.h"
#include "listwin/run_binding.h"
#include "support/wine_unix.h"

#include <algorithm>

using namespace creationtest;

namespace {

// A name as made on the Linux side, how the program shows it, and the
// look-alike it must never read as.
struct Odd {
  const char* name;  // UTF-8
  const char* shown;
  const char* lookAlike;
};
const Odd kOdd[] = {
    {"greek-\xCE\xB1\xCE\xB2" "001", "greek-??001", "greek-a\xDF" "001"},
    {"\xCE\xB1.txt", "?.txt", "a.txt"},
    {"notes.\xEF\xBD\x94\xEF\xBD\x98\xEF\xBD\x94", "notes.???", "notes.txt"},
};

using HonestNames = CreationPageTest;

bool Holds(const Strings& list, const std::string& entry) {
  return std::find(list.begin(), list.end(), entry) != list.end();
}

// The delete page over a folder holding a real "a.txt" beside the odd names:
// its question names each kept one as it is spelt, and its Visual Log lists
// "a.txt" once, deleted, and each kept one under other reasons with why.
TEST_F(HonestNames, TheDeletePageNamesEachKeptEntryAsItIsSpelt) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "odd names are made on the Linux side";
  const std::string d = tree.AddFolder("D");
  tree.AddFile("D\\a.txt", "plain");
  for (const Odd& odd : kOdd) ASSERT_TRUE(testsupport::MakeUnixEntry(d, odd.name, false)) << odd.shown;
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersDelete01);
  DeletePage& p = frmMain->Vol07;
  PickWith(p.btnVol07AddFoldersToList, d);
  testsupport::Choose(p.rdoVol07DeleteCompleteFolders);
  seam.Answer("0621", IDYES);
  seam.Answer("0622", IDYES);
  seam.Answer("0623", IDOK);
  Press(p.btnVol07DeleteFolders);
  EXPECT_FALSE(FileExists(d + "\\a.txt"));
  ASSERT_NE(Box("0621"), nullptr);
  const std::string asked = Box("0621")->text;
  const Strings deleted = frmStatistics07->List(3).Items(), kept = frmStatistics07->List(5).Items();
  EXPECT_EQ(std::count(deleted.begin(), deleted.end(), d + "\\a.txt"), 1);
  EXPECT_FALSE(Holds(kept, d + "\\a.txt"));
  for (const Odd& odd : kOdd) {
    SCOPED_TRACE(odd.shown);
    EXPECT_NE(asked.find(d + "\\" + odd.shown + "\n"), std::string::npos) << asked;
    EXPECT_EQ(asked.find(d + "\\" + odd.lookAlike + "\n"), std::string::npos) << asked;
    EXPECT_TRUE(Holds(kept, d + "\\" + odd.shown));
    EXPECT_FALSE(Holds(kept, d + "\\" + odd.lookAlike) && std::string(odd.lookAlike) != "a.txt");
  }
}

// A structure holding the odd names, added on the copy page (its box names
// them), and a source of folders so named in the subfolder list builder (its
// closing box names them).
TEST_F(HonestNames, TheStructureAndBuilderBoxesNameEachAsItIsSpelt) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "odd names are made on the Linux side";
  const std::string s = tree.AddFolder("S");
  tree.AddFolder("S\\plain");
  for (const Odd& odd : kOdd) ASSERT_TRUE(testsupport::MakeUnixEntry(s, odd.name, true)) << odd.shown;
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersCopy02);
  CopyPage& p = frmMain->Vol08;
  PickWith(p.btnVol08AddFolderToList, dest.AddFolder("C1"));
  seam.Answer("no: 0661", IDOK);
  PickWith(p.btnVol08AddFolderStructure, s);
  ASSERT_NE(Box("0661"), nullptr);
  const std::string said = Box("0661")->text;

  const std::string built = BuildSubFolderList(s);
  ASSERT_FALSE(built.empty());
  for (const Odd& odd : kOdd) {
    SCOPED_TRACE(odd.shown);
    for (const std::string& text : {said, built}) {
      EXPECT_NE(text.find(s + "\\" + odd.shown + "\n"), std::string::npos) << text;
      EXPECT_EQ(text.find(s + "\\" + odd.lookAlike + "\n"), std::string::npos) << text;
    }
  }
}

} // namespace
