// Links under Wine: a Unix link to a file shows as a plain file, one to a folder
// as a folder, and every call on the name reaches the target. Real links in a
// test's temp folder lead to data in a second temp folder; every delete mode,
// the rename run and the undos of copy and rename must leave that data byte
// for byte as it was, keep the links, and say why. The place check itself is
// tried on plain names, short names and links.
#include "core/location.h"
#include "treeops/copy_engine.h"
#include "core/file_copy.h"
#include "create/creation_engine.h"
#include "support/creation_stores.h"
#include "treeops/delete_engine.h"
#include "treeops/rename_engine.h"
#include "engine/treeops_fixture.h"
#include "support/wine_unix.h"

#include <algorithm>
#include <functional>

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

// Items asked many at once (several threads opening them) answer each as an
// item asked alone does, in the order asked: plain files and folders below a
// road, links to files and to folders, missing names, a short name, an item
// below a road that was swapped for a link, and one no road holds.
TEST(LocationCheck, ItemsAskedTogetherAnswerAsEachAskedAlone) {
  TempDir outside, temp;
  outside.AddFile("data.txt", "outside data");
  outside.AddFile("dir\\x.txt", "outside x");
  std::vector<std::string> items;
  for (int f = 0; f < 150; ++f) {
    const std::string name = "R\\f" + std::to_string(f) + ".txt";
    temp.AddFile(name, "f");
    items.push_back(temp / name);
  }
  temp.AddFile("R\\sub\\A Rather Long Name here.txt", "l");
  temp.AddFile("S\\s.txt", "s");
  temp.AddFile("Loose\\l.txt", "l");
  items.push_back(temp / "R\\sub");
  items.push_back(temp / "R\\missing.txt");
  items.push_back(temp / "Loose\\l.txt");  // below no road
  char shortPath[MAX_PATH];
  const DWORD n = GetShortPathNameA((temp / "R\\sub\\A Rather Long Name here.txt").c_str(), shortPath, MAX_PATH);
  ASSERT_TRUE(n > 0 && n < MAX_PATH);
  items.push_back(shortPath);
  if (testsupport::UnderWine()) {
    ASSERT_TRUE(MakeUnixFileSymlink(temp / "R\\flink.txt", outside / "data.txt"));
    ASSERT_TRUE(MakeUnixSymlink(temp / "R\\dlink", outside / "dir"));
    items.insert(items.begin() + 40, temp / "R\\flink.txt");
    items.insert(items.begin() + 90, temp / "R\\dlink");
    items.push_back(temp / "R\\dlink\\x.txt");
  }
  items.push_back(temp / "S\\x.txt");
  temp.AddFile("S\\x.txt", "s");
  // Both checks take their roads; then, under Wine, S is swapped for a link
  // to a folder outside holding the same name: nothing below it is reached.
  core::LocationCheck many, one;
  many.ListRoads({temp / "R", temp / "S"});
  one.ListRoads({temp / "R", temp / "S"});
  if (testsupport::UnderWine()) {
    ASSERT_TRUE(MoveFileA((temp / "S").c_str(), (temp / "S-old").c_str()));
    ASSERT_TRUE(MakeUnixSymlink(temp / "S", outside / "dir"));
  }
  const std::vector<core::ItemLocation> together = many.OfMany(items);
  std::vector<core::ItemLocation> alone;
  for (const std::string& item : items) alone.push_back(one.Of(item));
  ASSERT_EQ(together.size(), items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(together[i].error, alone[i].error) << items[i];
    EXPECT_EQ(together[i].resolved, alone[i].resolved) << items[i];
    EXPECT_EQ(together[i].name, alone[i].name) << items[i];
  }
  EXPECT_TRUE(together[0].Here());
  if (testsupport::UnderWine()) {
    EXPECT_EQ(together.back().error, core::kErrorRoadMoved);
    EXPECT_EQ(together[40].error, DWORD(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(together[90].error, DWORD(ERROR_NOT_SUPPORTED));
  }
  const auto at = [&](const std::string& path) {
    return together[std::find(items.begin(), items.end(), path) - items.begin()];
  };
  EXPECT_EQ(at(temp / "R\\missing.txt").error, DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(at(shortPath).name, "A Rather Long Name here.txt");
  EXPECT_TRUE(at(temp / "Loose\\l.txt").Here());
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

namespace {

// A copy never reads through a link: a link to a file lying in the structure
// from the start, a file, a subfolder or the structure folder itself swapped
// for a link after the structure was listed (while the run's question is open).
// Each link leads to outside data under the very names the structure holds.
// Nothing of it reaches the main folder, each file not read is named with why,
// the outside data stays byte for byte, and the simulation (made after the
// swap, as the run) predicts every count.
struct LinkCase {
  const char* name;
  bool fromStart;  // made before the structure is listed
  std::function<bool(const TempDir& temp, const TempDir& outside)> arrange;
  std::vector<std::string> notRead;  // below the main folder
  const char* why;
};

std::vector<LinkCase> LinkCases() {
  using testsupport::MoveOnUnixSide;
  return {
      {"a file link from the start", true,
       [](const TempDir& t, const TempDir& o) { return MakeUnixFileSymlink(t / "S\\link.txt", o / "data\\f.txt"); },
       {"S\\link.txt"}, "a link (its name leads to another place): never read through"},
      {"a file swapped", false,
       [](const TempDir& t, const TempDir& o) {
         return MoveOnUnixSide(t / "S\\f.txt", t / "f-away.txt") && MakeUnixFileSymlink(t / "S\\f.txt", o / "data\\f.txt");
       },
       {"S\\f.txt"}, "a link (its name leads to another place): never read through"},
      {"a subfolder swapped", false,
       [](const TempDir& t, const TempDir& o) {
         return MoveOnUnixSide(t / "S\\sub", t / "sub-away") && MakeUnixSymlink(t / "S\\sub", o / "data\\sub");
       },
       {"S\\sub\\g.txt"}, "a folder of the structure on its path is a link or was moved since it was listed: never read through"},
      {"the structure folder swapped", false,
       [](const TempDir& t, const TempDir& o) {
         return MoveOnUnixSide(t / "S", t / "S-away") && MakeUnixSymlink(t / "S", o / "data");
       },
       {"S\\f.txt", "S\\sub\\g.txt"}, "a folder of the structure on its path is a link or was moved since it was listed: never read through"},
  };
}

void MakeLinkTrees(const TempDir& temp, const TempDir& outside) {
  temp.AddFile("S\\f.txt", "structure f");
  temp.AddFile("S\\sub\\g.txt", "structure g");
  temp.AddFolder("M");
  outside.AddFile("data\\f.txt", "outside f");
  outside.AddFile("data\\link.txt", "outside link");
  outside.AddFile("data\\sub\\g.txt", "outside g");
}

TEST(LinkSafety, TheCopyPageNeverReadsThroughALinkPresentOrSwappedIn) {
  NEEDS_WINE_LINKS();
  for (const LinkCase& c : LinkCases()) {
    SCOPED_TRACE(c.name);
    TempDir outside, temp;
    MakeLinkTrees(temp, outside);
    const std::string before = Snapshot(outside.Path());
    if (c.fromStart) ASSERT_TRUE(c.arrange(temp, outside));
    treeops::CopyJob job;
    job.option = treeops::CopyOption::MainWithFiles;
    job.patterns = {"*.*"};
    job.protectedFolders = treetest::Protected();
    job.includes = {temp / "M"};
    job.structures = {temp / "S"};
    const treeops::CopyPreview preview = treeops::PreviewCopy(job);
    ASSERT_EQ(preview.stop.number, 0) << preview.stop.text;
    if (!c.fromStart) ASSERT_TRUE(c.arrange(temp, outside));
    treeops::CopyResults results;
    treeops::CopyJournal journal;
    treetest::SimulateThenCopy(preview, results, journal);
    if (HasFatalFailure()) return;
    EXPECT_EQ(Snapshot(outside.Path()), before);
    for (const std::string& relative : c.notRead) {
      const std::string path = temp / ("M\\" + relative);
      EXPECT_FALSE(PathExists(path)) << path;
      EXPECT_TRUE(Holds(results.filesOther, path)) << path;
      for (const treeops::Refusal& r : results.reasons)
        if (r.path == path) EXPECT_EQ(r.reason, c.why);
    }
    EXPECT_EQ(results.other[2], static_cast<double>(c.notRead.size()));
    EXPECT_EQ(results.counters[6] + results.other[2], preview.toCopy[2]);
    // Whatever was copied is the structure's own.
    for (const std::string& copied : results.filesCopied)
      EXPECT_EQ(testsupport::ReadFile(copied).find("outside"), std::string::npos) << copied;
    treeops::UndoCopy(journal);
    EXPECT_EQ(Snapshot(outside.Path()), before);
  }
}

// The creation pages' structures "with files": the same links, present from
// the start or swapped in by the writer's test hook while a large file of the
// same structure is being written.
namespace midfile {
const LinkCase* now = nullptr;
const TempDir *temp = nullptr, *outside = nullptr;
bool done = false, arranged = false;
void Swap(const std::string& temporary, uint64_t) {
  if (done || temporary.find("big.bin") == std::string::npos) return;
  done = true;
  arranged = now->arrange(*temp, *outside);
}
} // namespace midfile

TEST(LinkSafety, TheCreationPagesNeverReadThroughALinkPresentOrSwappedInMidFile) {
  NEEDS_WINE_LINKS();
  for (const LinkCase& c : LinkCases()) {
    SCOPED_TRACE(c.name);
    TempDir outside, temp, dest;
    MakeLinkTrees(temp, outside);
    // The large file lies in the root: the subfolder's files come after it.
    // A swap mid-file is told by them (a root file may come before it).
    temp.AddFile("S\\big.bin", std::string(3 * 262144 + 5, 'b'));
    LinkCase swapped = c;
    if (!c.fromStart) {
      swapped.notRead = {"S\\sub\\g.txt"};
      if (c.notRead[0] == "S\\f.txt" && c.notRead.size() == 1)
        swapped.arrange = [](const TempDir& t, const TempDir& o) {
          return testsupport::MoveOnUnixSide(t / "S\\sub\\g.txt", t / "g-away.txt") &&
                 MakeUnixFileSymlink(t / "S\\sub\\g.txt", o / "data\\sub\\g.txt");
        };
    }
    const std::string before = Snapshot(outside.Path());
    if (c.fromStart) ASSERT_TRUE(c.arrange(temp, outside));
    testsupport::CreationStores stores;
    std::vector<std::pair<std::string, std::string>> named;
    stores.sink.notWritten = [&](const std::string& path, const std::string& why) { named.emplace_back(path, why); };
    std::vector<std::string> boxes;
    stores.sink.warn = [&](const std::string& text, const std::string& caption, bool) {
      boxes.push_back(caption + "|" + text);
    };
    core::CreationJob job;
    job.items = core::StringListItems({"n"}, core::ComposeNameParts(dest.Path(), "", "", false));
    job.structures = {temp / "S"};
    job.mode = core::AttachMode::MainWithFiles;
    job.captions.writesMoved = "not written";
    core::MeasureStructures(job.structures, job.mode, true, stores.totals, stores.files);
    if (c.fromStart) {  // the simulation sees the link too
      testsupport::CreationStores sim = stores;
      sim.sink = core::CreationSink();
      sim.Engine().Simulate(job);
      stores.Engine().Run(job);
      EXPECT_EQ(sim.counters, stores.counters);
    } else {
      midfile::now = &swapped;
      midfile::temp = &temp;
      midfile::outside = &outside;
      midfile::done = midfile::arranged = false;
      core::SetCopyWriteHook(&midfile::Swap);
      stores.Engine().Run(job);
      core::SetCopyWriteHook(nullptr);
      ASSERT_TRUE(midfile::arranged);
    }
    EXPECT_EQ(Snapshot(outside.Path()), before);
    EXPECT_EQ(testsupport::ReadFile(dest / "n\\S\\big.bin").size(), 3 * 262144u + 5);
    for (const std::string& relative : swapped.notRead) {
      const std::string path = dest / ("n\\" + relative);
      EXPECT_FALSE(PathExists(path)) << path;
      EXPECT_NE(std::find(named.begin(), named.end(), std::make_pair(path, std::string(swapped.why))), named.end())
          << path;
    }
    // Every file either copied, the structure's own, or named under other reasons; none "already exists".
    const double other = stores.counters[core::CounterIndex(core::kOther, core::kFiles)];
    EXPECT_GE(other, double(swapped.notRead.size()));
    EXPECT_EQ(other, double(named.size()));
    EXPECT_EQ(stores.counters[core::CounterIndex(core::kExists, core::kFiles)], 0);
    EXPECT_EQ(stores.counters[core::CounterIndex(core::kCreated, core::kFiles)] + other, stores.totals.files);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().find("not written|Files not written : "), 0u) << boxes.back();
    for (const core::CreationJournal::File& f : stores.journal.files)
      EXPECT_EQ(testsupport::ReadFile(f.path).find("outside"), std::string::npos) << f.path;
    core::UndoCreation(stores.journal);
    EXPECT_EQ(Snapshot(outside.Path()), before);
  }
}

} // namespace
