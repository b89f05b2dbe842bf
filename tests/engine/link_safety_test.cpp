// Links under Wine: a Unix link to a file shows as a plain file, one to a folder
// as a folder, and every call on the name reaches the target. Real links in a
// test's temp folder lead to data in a second temp folder; every delete mode,
// the rename run and the undos of copy and rename must leave that data byte
// for byte as it was, keep the links, and say why. The place check itself is
// tried on plain names, short names and links.
#include "core/location.h"
#include "treeops/copy_engine.h"
#include "treeops/delete_engine.h"
#include "treeops/rename_engine.h"
#include "engine/treeops_fixture.h"
#include "support/wine_unix.h"

#include <algorithm>

using testsupport::MakeUnixFileSymlink;
using testsupport::MakeUnixSymlink;
using testsupport::PathExists;
using testsupport::TempDir;
using treetest::Inside;
using treetest::Snapshot;

namespace {

#define NEEDS_WINE_LINKS() \
  if (!testsupport::UnderWine()) GTEST_SKIP() << "links are made with the Unix ln"

bool Holds(const std::deque<std::string>& list, const std::string& path) {
  return std::find(list.begin(), list.end(), path) != list.end();
}
bool Holds(const std::vector<std::string>& list, const std::string& path) {
  return std::find(list.begin(), list.end(), path) != list.end();
}

TEST(LocationCheck, APlainNameIsItselfALinkLeadsElsewhere) {
  TempDir outside, temp;
  outside.AddFile("data.txt", "outside data");
  outside.AddFile("dir\\x.txt", "outside x");
  temp.AddFile("Mixed\\longname.tmpfile", "x");
  core::LocationCheck check;
  // Any spelling of the item's own path reaches it; the disk's spelling comes back.
  const core::ItemLocation mixed = check.Of(temp / "mixed\\");
  EXPECT_TRUE(mixed.Here()) << mixed.error;
  EXPECT_EQ(mixed.name, "Mixed");
  char shortPath[MAX_PATH];
  const DWORD n = GetShortPathNameA((temp / "Mixed\\longname.tmpfile").c_str(), shortPath, MAX_PATH);
  ASSERT_TRUE(n > 0 && n < MAX_PATH);
  const core::ItemLocation alias = check.Of(shortPath);
  EXPECT_TRUE(alias.Here()) << shortPath << " " << alias.error;
  EXPECT_EQ(alias.name, "longname.tmpfile");
  EXPECT_EQ(check.Of(temp / "missing.txt").error, DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(check.Of(temp / "missing\\deeper.txt").Here());

  NEEDS_WINE_LINKS();
  ASSERT_TRUE(MakeUnixFileSymlink(temp / "Mixed\\filelink.txt", outside / "data.txt"));
  ASSERT_TRUE(MakeUnixSymlink(temp / "dirlink", outside / "dir"));
  for (const std::string& link : {temp / "Mixed\\filelink.txt", temp / "dirlink"}) {
    const core::ItemLocation at = check.Of(link);
    EXPECT_EQ(at.error, DWORD(ERROR_NOT_SUPPORTED)) << link;
    EXPECT_NE(core::RemovalReason(at.error).find("link"), std::string::npos);
  }
  // A name below a linked folder is its own item: the road to its folder is
  // the one the run was given.
  EXPECT_TRUE(check.Of(temp / "dirlink\\x.txt").Here());
}

// Roads taken together (the folder holding several asked where it lies once)
// answer each as a road taken alone does: a plain folder is itself, a link
// leads elsewhere, a missing one is not found, one below a linked folder is
// refused (a link on its path); a road inside another is checked along it.
TEST(LocationCheck, RoadsTakenTogetherAnswerAsEachTakenAlone) {
  TempDir outside, temp;
  outside.AddFolder("dir\\in");
  temp.AddFolder("P\\a\\inner");
  temp.AddFolder("P\\b");
  std::vector<std::string> roads = {temp / "P\\a", temp / "P\\b", temp / "P\\missing", temp / "P\\a\\inner"};
  if (testsupport::UnderWine()) {
    ASSERT_TRUE(MakeUnixSymlink(temp / "P\\link", outside / "dir"));
    ASSERT_TRUE(MakeUnixSymlink(temp / "Q", outside / "dir"));
    roads.push_back(temp / "P\\link");
    roads.push_back(temp / "Q\\in");
  }
  core::LocationCheck together;
  const std::vector<core::ItemLocation> answers = together.ListRoads(roads);
  ASSERT_EQ(answers.size(), roads.size());
  core::LocationCheck alone;
  for (size_t i = 0; i < roads.size(); ++i) {
    const core::ItemLocation expected = alone.ListRoad(roads[i]);
    EXPECT_EQ(answers[i].error, expected.error) << roads[i];
    EXPECT_EQ(answers[i].resolved, expected.resolved) << roads[i];
  }
  EXPECT_TRUE(answers[0].Here());
  EXPECT_TRUE(answers[1].Here());
  EXPECT_EQ(answers[2].error, DWORD(ERROR_FILE_NOT_FOUND));
  if (testsupport::UnderWine()) {
    EXPECT_EQ(answers[4].error, DWORD(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(answers[5].error, core::kErrorRoadMoved);
  }
  // What lies below a road taken together is checked along it.
  EXPECT_TRUE(together.Of(temp / "P\\a\\inner").Here());
}

TEST(LinkSafety, EveryDeleteModeKeepsLinksAndTheDataTheyLeadTo) {
  NEEDS_WINE_LINKS();
  TempDir outside, temp;
  outside.AddFile("data.txt", "outside data");
  outside.AddFile("dir\\inner.txt", "outside inner");
  const std::string before = Snapshot(outside.Path());
  struct Case {
    treeops::DeleteMode mode;
    bool deepLinkMet;  // the mode reaches the subfolder's files
  };
  for (const Case& c : {Case{treeops::DeleteMode::FilesInTree, true}, Case{treeops::DeleteMode::FilesInMainFolders, false},
                        Case{treeops::DeleteMode::SubFolders, true}, Case{treeops::DeleteMode::CompleteFolders, true}}) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    temp.AddFile("M\\a.txt", "a");
    temp.AddFile("M\\Sub\\b.txt", "b");
    const std::string fileLink = temp / "M\\flink.txt", deepLink = temp / "M\\Sub\\deeplink.txt";
    ASSERT_TRUE(MakeUnixFileSymlink(fileLink, outside / "data.txt"));
    ASSERT_TRUE(MakeUnixFileSymlink(deepLink, outside / "data.txt"));
    ASSERT_TRUE(MakeUnixSymlink(temp / "M\\dlink", outside / "dir"));
    treeops::DeleteJob job;
    job.mode = c.mode;
    job.patterns = {"*.txt"};
    job.protectedFolders = treetest::Protected();
    job.includes = Inside(temp, {"M"});
    treetest::DeleteRun r;
    r.PredictAndRun(temp, job);  // the simulation leaves the tree and agrees with the run
    const treeops::DeleteResults& results = r.results;
    EXPECT_GT(r.runCalls, 0);
    EXPECT_EQ(Snapshot(outside.Path()), before);
    // The links stay where they were, each listed with why; the plain files go.
    EXPECT_TRUE(PathExists(fileLink));
    EXPECT_TRUE(PathExists(deepLink));
    EXPECT_TRUE(PathExists(temp / "M\\dlink"));
    EXPECT_FALSE(PathExists(temp / "M\\a.txt"));
    EXPECT_TRUE(Holds(results.filesOther, fileLink));
    EXPECT_EQ(Holds(results.filesOther, deepLink), c.deepLinkMet);
    EXPECT_FALSE(Holds(results.filesDeleted, fileLink));
    for (const treeops::Refusal& r : results.reasons)
      if (r.path == fileLink) EXPECT_NE(r.reason.find("link"), std::string::npos) << r.reason;
    testsupport::RemoveTree(temp / "M");
    EXPECT_EQ(Snapshot(outside.Path()), before);
  }
}

TEST(LinkSafety, TheCopyUndoNeverRemovesThroughALinkPutInPlaceOfWhatItMade) {
  NEEDS_WINE_LINKS();
  TempDir outside, temp;  // the structure lies outside the main folder
  outside.AddFile("S\\s.txt", "structure file");
  outside.AddFolder("S\\E");
  outside.AddFolder("empty");
  const std::string main = temp.AddFolder("D");
  treeops::CopyJob job;
  job.option = treeops::CopyOption::MainWithFiles;
  job.patterns = {"*.*"};
  job.protectedFolders = treetest::Protected();
  job.includes = {main};
  job.structures = {outside / "S"};
  const treeops::CopyPreview preview = treeops::PreviewCopy(job);
  ASSERT_EQ(preview.stop.number, 0) << preview.stop.text;
  treeops::CopyResults results;
  treeops::CopyJournal journal;
  ASSERT_TRUE(treeops::RunCopy(preview, false, results, journal));
  ASSERT_EQ(testsupport::ReadFile(main + "\\S\\s.txt"), "structure file");
  // The copy gives way to a link to the structure's own file (same size, time
  // and content), and a folder the run made to a link to an empty folder.
  ASSERT_TRUE(DeleteFileA((main + "\\S\\s.txt").c_str()));
  ASSERT_TRUE(MakeUnixFileSymlink(main + "\\S\\s.txt", outside / "S\\s.txt"));
  ASSERT_TRUE(RemoveDirectoryA((main + "\\S\\E").c_str()));
  ASSERT_TRUE(MakeUnixSymlink(main + "\\S\\E", outside / "empty"));
  const std::string before = Snapshot(outside.Path());
  const treeops::CopyUndoReport report = treeops::UndoCopy(journal);
  EXPECT_EQ(Snapshot(outside.Path()), before);
  EXPECT_TRUE(Holds(report.stays, main + "\\S\\s.txt"));
  EXPECT_TRUE(Holds(report.stays, main + "\\S\\E"));
  EXPECT_TRUE(PathExists(main + "\\S\\s.txt"));
}

TEST(LinkSafety, TheRenameRunAndItsUndoNeverMoveALinksTarget) {
  NEEDS_WINE_LINKS();
  TempDir outside, temp;
  outside.AddFile("keep\\k.txt", "outside keep");
  outside.AddFile("target\\t.txt", "outside target");
  temp.AddFolder("R\\old");
  ASSERT_TRUE(MakeUnixSymlink(temp / "R\\linked", outside / "keep"));
  const std::string before = Snapshot(outside.Path());
  treeops::RenameJob job;
  job.lines = Inside(temp, {"R\\old", "R\\linked"});
  job.fields.prefix = "n-";
  job.protectedFolders = treetest::Protected();
  treeops::RenameResults results;
  treeops::RenameHistory history;
  EXPECT_TRUE(treeops::RunRename(job, results, history));
  EXPECT_EQ(results.renamed, std::deque<std::string>{temp / "R\\n-old"});
  EXPECT_EQ(results.otherReasons, std::deque<std::string>{temp / "R\\linked"});
  EXPECT_EQ(Snapshot(outside.Path()), before);
  // The renamed folder gives way to a link: the undo leaves it and its target.
  ASSERT_TRUE(RemoveDirectoryA((temp / "R\\n-old").c_str()));
  ASSERT_TRUE(MakeUnixSymlink(temp / "R\\n-old", outside / "target"));
  const std::string linked = Snapshot(outside.Path());
  const treeops::RenameUndoReport undo = treeops::UndoRename(history);
  EXPECT_EQ(undo.restored, 0u);
  EXPECT_EQ(undo.sourceNotExists, std::deque<std::string>{temp / "R\\n-old"});
  EXPECT_EQ(Snapshot(outside.Path()), linked);
  EXPECT_FALSE(PathExists(temp / "R\\old"));
}

} // namespace
