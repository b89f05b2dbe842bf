// Names no path reaches, and folders swapped for links while a run waits.
// Under Wine a Linux name may hold "\" or "..", or letters the code page cannot
// spell (shown as look-alikes or "?"), or be a device name. Joined into a path
// such a name names another item: one outside the listed folder, a look-alike
// beside it, a device. Every walk keeps such entries, reports them and never
// touches them; the data outside stays byte for byte. And an item is acted on
// only where the run listed it: a folder on its way swapped for a link keeps
// everything below it.
#include "core/file_copy.h"
#include "core/folder_listing.h"
#include "core/folder_scan.h"
#include "core/folder_walk.h"
#include "core/level_copy.h"
#include "create/creation_engine.h"
#include "engine/treeops_fixture.h"
#include "support/creation_stores.h"
#include "support/wine_unix.h"
#include "treeops/copy_engine.h"
#include "treeops/delete_engine.h"

#include <algorithm>
#include <map>

using testsupport::MakeUnixEntry;
using testsupport::PathExists;
using testsupport::TempDir;
using treetest::Inside;
using treetest::Snapshot;

namespace {

#define NEEDS_WINE() \
  if (!testsupport::UnderWine()) GTEST_SKIP() << "odd names are made on the Linux side"

// An odd name, made from the Linux side, with the part of the reason it gets.
struct Odd {
  const char* name;  // UTF-8
  bool folder;
  const char* why;
};
const Odd kOddNames[] = {
    {"..\\outside", true, "\"\\\" or \"/\""},
    {"sub\\s.txt", false, "\"\\\" or \"/\""},
    {".\\", true, "\"\\\" or \"/\""},
    {"..\\T", true, "\"\\\" or \"/\""},
    {"\xce\xb1.txt", false, "code page"},                     // alpha: shown as "?.txt"
    {"notes.\xef\xbd\x94\xef\xbd\x98\xef\xbd\x94", false, "code page"},  // full-width "txt"
    {"cafe\xcc\x81", false, "code page"},                     // decomposed e-acute
    {"\xe6\x97\xa5\xe6\x9c\xac.txt", false, "code page"},     // shown as "??.txt"
    {"CON", false, "device"},
    {"nul.txt", false, "device"},
    {"COM1.log", false, "device"},
    {"x.", false, "dot or a blank"},
    {"y ", false, "dot or a blank"},
    {"q?.txt", false, "< > :"},
    {"ctl\x01", false, "control character"},
};

bool Holds(const std::deque<std::string>& list, const std::string& path) {
  return std::find(list.begin(), list.end(), path) != list.end();
}

TEST(OddNames, TheListingHandsOnPlainNamesOnlyAndKeepsTheRestWithTheirReason) {
  NEEDS_WINE();
  TempDir temp;
  temp.AddFile("a.txt", "plain a");
  temp.AddFolder("plain");
  for (const Odd& odd : kOddNames) ASSERT_TRUE(MakeUnixEntry(temp.Path(), odd.name, odd.folder)) << odd.name;
  std::vector<std::string> plain;
  std::map<std::string, std::string> kept;  // shown name -> reason
  size_t keptCount = 0;
  ASSERT_TRUE(core::ForEachFolderEntry(temp.Path(), "*", [&](const WIN32_FIND_DATAA& d) { plain.push_back(d.cFileName); },
                                       [&](const core::KeptEntry& k) {
                                         ++keptCount;
                                         kept[k.name] = k.reason;
                                       }));
  std::sort(plain.begin(), plain.end());
  EXPECT_EQ(plain, (std::vector<std::string>{"a.txt", "plain"}));
  EXPECT_EQ(keptCount, std::size(kOddNames));
  for (const auto& entry : kept) {
    EXPECT_EQ(entry.second.find("a name this system cannot address"), 0u) << entry.first;
  }
  // Each reason names its kind; a letter the code page cannot spell is shown
  // as "?", never as a look-alike.
  EXPECT_NE(kept["..\\outside"].find("\"\\\" or \"/\""), std::string::npos);
  EXPECT_NE(kept["CON"].find("device"), std::string::npos);
  EXPECT_NE(kept["y "].find("dot or a blank"), std::string::npos);
  EXPECT_NE(kept["ctl?"].find("control character"), std::string::npos);
  EXPECT_NE(kept["notes.???"].find("code page"), std::string::npos);
  EXPECT_NE(kept["?.txt"].find("code page"), std::string::npos);
  EXPECT_EQ(kept.count("notes.txt") + kept.count("a.txt"), 0u);
  EXPECT_NE(kept["??.txt"].find("code page"), std::string::npos);
  // The scanner counts the plain ones and names the rest.
  core::FolderStructSize scan(temp.Path());
  scan.ScanAll();
  EXPECT_EQ(scan.GetFileCount(), 1u);
  EXPECT_EQ(scan.GetFolderCount(), 1u);
  EXPECT_EQ(scan.GetKeptEntries().size(), std::size(kOddNames));
}

// Every delete mode on a folder T whose entries hold odd names beside plain
// ones, with data beside T that a name such as "..\outside" would reach.
TEST(OddNames, EveryDeleteModeKeepsOddNamesAndTheFoldersHoldingThemAndAgreesWithItsSimulation) {
  NEEDS_WINE();
  const size_t oddFiles = std::count_if(std::begin(kOddNames), std::end(kOddNames), [](const Odd& o) { return !o.folder; });
  const size_t oddFolders = std::size(kOddNames) - oddFiles;
  struct Case {
    treeops::DeleteMode mode;
    size_t kept;  // odd entries the mode meets (patterns "*.*")
  };
  // The walks of the tree meet the odd folders and the odd file in T\deep too.
  for (const Case& c : {Case{treeops::DeleteMode::FilesInTree, oddFiles + oddFolders + 1},
                        Case{treeops::DeleteMode::FilesInMainFolders, oddFiles},
                        Case{treeops::DeleteMode::SubFolders, oddFiles + oddFolders + 1},
                        Case{treeops::DeleteMode::CompleteFolders, oddFiles + oddFolders + 1}}) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    TempDir temp;
    temp.AddFile("outside\\secret.txt", "outside data");
    temp.AddFile("T\\a.txt", "plain a");
    temp.AddFile("T\\sub\\s.txt", "the real sub\\s.txt");
    temp.AddFile("T\\deep\\d.txt", "plain d");
    for (const Odd& odd : kOddNames) ASSERT_TRUE(MakeUnixEntry(temp / "T", odd.name, odd.folder)) << odd.name;
    ASSERT_TRUE(MakeUnixEntry(temp / "T\\deep", "..\\..\\outside", false));
    const std::string outside = Snapshot(temp / "outside");

    treeops::DeleteJob job;
    job.mode = c.mode;
    job.patterns = {"*.*"};
    job.protectedFolders = treetest::Protected();
    job.includes = Inside(temp, {"T"});
    treetest::DeleteRun r;
    r.PredictAndRun(temp, job);  // the simulation agrees with the run
    const treeops::DeleteResults& results = r.results;
    const bool walksTree = c.mode != treeops::DeleteMode::FilesInMainFolders;
    EXPECT_EQ(r.plan.kept.size(), c.kept);
    for (const treeops::DeleteItem& item : r.plan.files) EXPECT_EQ(item.path.find(".."), std::string::npos) << item.path;

    EXPECT_EQ(Snapshot(temp / "outside"), outside);
    for (const Odd& odd : kOddNames) EXPECT_TRUE(testsupport::ListsEntry(temp / "T", odd.name)) << odd.name;
    EXPECT_FALSE(PathExists(temp / "T\\a.txt"));
    // The real sub\s.txt is only for the modes that reach subfolders.
    EXPECT_EQ(PathExists(temp / "T\\sub\\s.txt"), c.mode == treeops::DeleteMode::FilesInMainFolders);
    EXPECT_TRUE(PathExists(temp / "T"));  // it holds what stays
    // Each kept entry is listed under other reasons with why.
    EXPECT_EQ(results.counters[4] + results.counters[5],
              static_cast<double>(results.foldersOther.size() + results.filesOther.size()));
    EXPECT_TRUE(Holds(results.filesOther, temp / "T\\CON"));
    if (c.mode == treeops::DeleteMode::CompleteFolders) {
      EXPECT_TRUE(Holds(results.foldersOther, temp / "T"));
      for (const treeops::Refusal& r : results.reasons)
        if (r.path == temp / "T") EXPECT_EQ(r.reason, "it holds an entry that stays");
    }
    if (walksTree) {
      EXPECT_FALSE(PathExists(temp / "T\\deep\\d.txt"));
      EXPECT_TRUE(testsupport::ListsEntry(temp / "T\\deep", "..\\..\\outside"));
    }
  }
}

// A folder on the way swapped for a link after the plan (the question is open):
// the run reaches nothing through it.
TEST(OddNames, AFolderSwappedForALinkAfterThePlanKeepsEverythingBelowIt) {
  NEEDS_WINE();
  for (treeops::DeleteMode mode : {treeops::DeleteMode::FilesInTree, treeops::DeleteMode::SubFolders,
                                   treeops::DeleteMode::CompleteFolders}) {
    SCOPED_TRACE(static_cast<int>(mode));
    TempDir temp, outside;
    outside.AddFile("sub\\f.txt", "outside f");
    outside.AddFile("sub\\g.txt", "outside g");
    temp.AddFile("T\\sub\\f.txt", "own f");
    temp.AddFile("T\\sub\\g.txt", "own g");
    temp.AddFile("T\\top.txt", "own top");
    const std::string before = Snapshot(outside.Path());
    treeops::DeleteJob job;
    job.mode = mode;
    job.patterns = {"*.txt"};
    job.protectedFolders = treetest::Protected();
    job.includes = Inside(temp, {"T"});
    const treeops::DeletePlan plan = treeops::PreviewDelete(job);
    ASSERT_EQ(plan.files.size(), 3u);
    // The swap: T\sub moves away, a link to the outside folder takes its name.
    ASSERT_TRUE(testsupport::MoveOnUnixSide(temp / "T\\sub", temp / "moved"));
    ASSERT_TRUE(testsupport::MakeUnixSymlink(temp / "T\\sub", outside / "sub"));
    treeops::DeleteResults predicted, results;
    treetest::TestRemover simulation(true), run(false);
    ASSERT_TRUE(treeops::RunDelete(plan, true, predicted, treeops::Progress(), &simulation));
    ASSERT_TRUE(treeops::RunDelete(plan, false, results, treeops::Progress(), &run));
    EXPECT_EQ(Snapshot(outside.Path()), before);
    EXPECT_EQ(predicted.counters, results.counters);
    EXPECT_FALSE(PathExists(temp / "T\\top.txt"));
    EXPECT_TRUE(PathExists(temp / "moved\\f.txt"));
    EXPECT_TRUE(Holds(results.filesOther, temp / "T\\sub\\f.txt"));
    for (const treeops::Refusal& r : results.reasons)
      if (r.path == temp / "T\\sub\\f.txt") EXPECT_EQ(r.reason, "a folder on its path is a link or was moved");
    testsupport::RemoveTree(temp / "T");
    EXPECT_EQ(Snapshot(outside.Path()), before);
  }
}

// The contents remover and the creation undo follow the same roads.
TEST(OddNames, TheContentsRemoverAndTheCreationUndoKeepOddNamesAndNeverPassALinkOnTheWay) {
  NEEDS_WINE();
  TempDir temp, outside;
  outside.AddFolder("sub");
  temp.AddFile("W\\plain.txt", "p");
  temp.AddFile("W\\inner\\i.txt", "i");
  ASSERT_TRUE(MakeUnixEntry(temp / "W\\inner", "..\\..\\x", false));
  const core::ContentsRemoval removal = core::RemoveFolderContents(temp / "W");
  EXPECT_FALSE(removal.Complete());
  EXPECT_FALSE(PathExists(temp / "W\\plain.txt"));
  EXPECT_FALSE(PathExists(temp / "W\\inner\\i.txt"));
  EXPECT_TRUE(PathExists(temp / "W\\inner"));  // it holds the kept entry
  size_t kept = 0;
  for (const core::RemovalItem& item : removal.items) kept += item.outcome == core::RemovalOutcome::Kept;
  EXPECT_EQ(kept, 2u);

  // A creation run makes New\S\f.txt from a structure; New\S then gives way to
  // a link to an outside folder holding a file of the same name, size, time
  // and content: only its place tells it from the copy.
  temp.AddFile("Struct\\S\\f.txt", "outside f");
  ASSERT_TRUE(CopyFileA((temp / "Struct\\S\\f.txt").c_str(), (outside / "sub\\f.txt").c_str(), TRUE));
  const std::string twin = Snapshot(outside.Path());
  testsupport::CreationStores stores;
  core::MeasureStructures({temp / "Struct"}, core::AttachMode::SubOnlyWithFiles, true, stores.totals, stores.files);
  core::CreationEngine engine = stores.Engine();
  core::CreationJob job;
  job.items = core::StringListItems({"New"}, core::ComposeNameParts(temp.Path(), "", "", false));
  job.structures = {temp / "Struct"};
  job.mode = core::AttachMode::SubOnlyWithFiles;
  ASSERT_TRUE(engine.Run(job));
  ASSERT_TRUE(PathExists(temp / "New\\S\\f.txt"));
  ASSERT_TRUE(testsupport::MoveOnUnixSide(temp / "New\\S", temp / "away"));
  ASSERT_TRUE(testsupport::MakeUnixSymlink(temp / "New\\S", outside / "sub"));
  core::UndoCreation(stores.journal);
  EXPECT_EQ(Snapshot(outside.Path()), twin);
  EXPECT_TRUE(PathExists(temp / "New\\S"));
  testsupport::RemoveTree(temp / "New");
  EXPECT_EQ(Snapshot(outside.Path()), twin);
}

// A structure holding odd names copies only its plain entries, inside the new
// folder, and says so once a run.
TEST(OddNames, ACreationStructureWithOddNamesWritesNothingOutsideAndSaysSo) {
  NEEDS_WINE();
  TempDir temp;
  temp.AddFile("Struct\\plain.txt", "p");
  temp.AddFolder("Struct\\sub");
  ASSERT_TRUE(MakeUnixEntry(temp / "Struct", "..\\beside.txt", false));
  ASSERT_TRUE(MakeUnixEntry(temp / "Struct\\sub", "..\\..\\..\\far.txt", false));
  ASSERT_TRUE(MakeUnixEntry(temp / "Struct", "nul.txt", false));
  temp.AddFolder("Dest");
  for (bool simulate : {true, false}) {
    SCOPED_TRACE(simulate);
    testsupport::CreationStores stores;
    std::vector<core::KeptPath> kept;
    core::MeasureStructures({temp / "Struct"}, core::AttachMode::MainWithFiles, true, stores.totals, stores.files,
                            &kept);
    EXPECT_EQ(kept.size(), 3u);
    EXPECT_EQ(stores.totals.files, 1u);
    std::vector<std::string> warnings;
    stores.sink.warn = [&](const std::string& text, const std::string& caption, bool) {
      warnings.push_back(caption + "|" + text);
    };
    core::CreationEngine engine = stores.Engine();
    core::CreationJob job;
    job.items = core::StringListItems({"a", "b"}, core::ComposeNameParts(temp / "Dest", "", "", false));
    job.structures = {temp / "Struct"};
    job.mode = core::AttachMode::MainWithFiles;
    job.captions.keptNames = "run caption";
    job.captions.simulateKeptNames = "simulation caption";
    ASSERT_TRUE(simulate ? engine.Simulate(job) : engine.Run(job));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].find(simulate ? "simulation caption|" : "run caption|"), 0u);
    EXPECT_NE(warnings[0].find("..\\beside.txt"), std::string::npos);
    EXPECT_EQ(stores.counters[core::CounterIndex(core::kCreated, core::kFiles)], 2.0);
  }
  EXPECT_EQ(testsupport::ListTree(temp / "Dest"),
            "a\\\na\\Struct\\\na\\Struct\\plain.txt\na\\Struct\\sub\\\n"
            "b\\\nb\\Struct\\\nb\\Struct\\plain.txt\nb\\Struct\\sub\\\n");
  EXPECT_FALSE(PathExists(temp / "Dest\\a\\beside.txt"));
  EXPECT_FALSE(PathExists(temp / "far.txt"));
}

// The level builder lists plain folders only, never loops through "..\T", and
// names what it left out.
TEST(OddNames, TheLevelBuilderListsPlainFoldersAndNamesTheOthers) {
  NEEDS_WINE();
  TempDir temp;
  temp.AddFolder("T\\a\\deep");
  temp.AddFolder("T\\b");
  ASSERT_TRUE(MakeUnixEntry(temp / "T", "..\\T", true));
  ASSERT_TRUE(MakeUnixEntry(temp / "T", ".\\", true));
  ASSERT_TRUE(MakeUnixEntry(temp / "T\\b", "d\xce\xb1", true));
  core::LevelCopy builder({temp / "T"});
  builder.SetFromTo(1, 2);
  builder.SetAddMode(core::LevelCopy::AddAllInThePath);
  builder.Run();
  EXPECT_EQ(builder.GetResultList(), (std::deque<std::string>{temp / "T\\a", temp / "T\\b", temp / "T\\a\\deep"}));
  ASSERT_EQ(builder.GetKeptFolders().size(), 3u);
  // "Only the Last": b holds a subfolder (one no path reaches), so it is no leaf.
  core::LevelCopy last({temp / "T"});
  last.SetFromTo(1, 2);
  last.Run();
  EXPECT_EQ(last.GetResultList(), (std::deque<std::string>{temp / "T\\a\\deep"}));
}

// The Copy page: a structure holding "..\..\outside\secret.txt" and a device
// name copies only its plain entries; a folder inside the main folder that is
// a link, and a main folder that is one, receive nothing; simulation and run
// agree; the outside data stays byte for byte.
TEST(OddNames, TheCopyRunWritesOnlyWhereItListedAndNeverReadsOrWritesThroughOddNames) {
  NEEDS_WINE();
  TempDir temp, outside;
  outside.AddFile("secret.txt", "outside secret");
  outside.AddFile("linked\\own.txt", "outside own");
  temp.AddFile("S\\Sub\\plain.txt", "plain");
  temp.AddFile("S\\L\\into.txt", "would go through the link");
  ASSERT_TRUE(MakeUnixEntry(temp / "S", "..\\..\\outside\\secret.txt", false));
  ASSERT_TRUE(MakeUnixEntry(temp / "S\\Sub", "aux.log", false));
  temp.AddFolder("M1");
  ASSERT_TRUE(testsupport::MakeUnixSymlink(temp / "M1\\L", outside / "linked"));  // a link inside a main folder
  ASSERT_TRUE(testsupport::MakeUnixSymlink(temp / "M2", outside / "linked"));     // a main folder that is one
  const std::string before = Snapshot(outside.Path());
  treeops::CopyJob job;
  job.option = treeops::CopyOption::SubOnlyWithFiles;
  job.patterns = {"*.*"};
  job.protectedFolders = treetest::Protected();
  job.includes = Inside(temp, {"M1", "M2"});
  job.structures = {temp / "S"};
  const treeops::CopyPreview preview = treeops::PreviewCopy(job);
  ASSERT_EQ(preview.stop.number, 0) << preview.stop.text;
  ASSERT_EQ(preview.structures.size(), 1u);
  EXPECT_EQ(preview.structures[0].kept.size(), 2u);
  treeops::CopyResults results;
  treeops::CopyJournal journal;
  treetest::SimulateThenCopy(preview, results, journal);
  if (HasFatalFailure()) return;
  EXPECT_EQ(Snapshot(outside.Path()), before);
  EXPECT_EQ(testsupport::ReadFile(temp / "M1\\Sub\\plain.txt"), "plain");
  EXPECT_FALSE(testsupport::ListsEntry(temp / "M1\\Sub", "aux.log"));  // a device answers to any path
  EXPECT_TRUE(Holds(results.subFoldersOther, temp / "M1\\L"));
  EXPECT_TRUE(Holds(results.foldersOther, temp / "M2"));
  for (const treeops::Refusal& r : results.reasons)
    if (r.path == temp / "M1\\L" || r.path == temp / "M2") EXPECT_NE(r.reason.find("link"), std::string::npos) << r.reason;
  // The kept entries are named with why, once per main folder that receives the structure.
  size_t named = 0;
  for (const treeops::Refusal& r : results.reasons) named += r.reason.find("cannot address") != std::string::npos;
  EXPECT_EQ(named, 2u);
  treeops::UndoCopy(journal);
  EXPECT_EQ(Snapshot(outside.Path()), before);
}

// The check on a file the run has just made: it lies where the run listed its
// folder, or the write goes no further.
TEST(OddNames, ANewFileIsWrittenOnlyWhereTheRoadLeads) {
  NEEDS_WINE();
  TempDir temp, outside;
  outside.AddFolder("away");
  temp.AddFolder("R\\plain");
  ASSERT_TRUE(testsupport::MakeUnixSymlink(temp / "R\\linked", outside / "away"));
  core::LocationCheck check;
  ASSERT_TRUE(check.ListRoad(temp / "R").Here());
  for (const char* name : {"plain\\new.txt", "linked\\new.txt"}) {
    const std::string path = temp / "R" + "\\" + name;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
    EXPECT_EQ(check.HandleIsAt(h, path), std::string(name) == "plain\\new.txt") << name;
    CloseHandle(h);
  }
}

// A folder of the main folder swapped for a link while a copy into it is being
// written: the copy never takes its name there (it would land behind the
// link), and the outside data stays as it was.
namespace swap {
std::string folder, away, target;
bool done = false;
void Hook(const std::string&, uint64_t) {
  if (done) return;
  done = true;
  testsupport::MoveOnUnixSide(folder, away);
  testsupport::MakeUnixSymlink(folder, target);
}
} // namespace swap

TEST(OddNames, AFolderSwappedForALinkWhileACopyIsWrittenNeverReceivesIt) {
  NEEDS_WINE();
  TempDir temp, outside;
  outside.AddFolder("S");
  temp.AddFile("Struct\\S\\a.txt", "copied");
  temp.AddFolder("M\\S");
  const std::string before = Snapshot(outside.Path());
  treeops::CopyJob job;
  job.option = treeops::CopyOption::SubOnlyWithFiles;
  job.patterns = {"*.*"};
  job.protectedFolders = treetest::Protected();
  job.includes = Inside(temp, {"M"});
  job.structures = {temp / "Struct"};
  const treeops::CopyPreview preview = treeops::PreviewCopy(job);
  ASSERT_EQ(preview.stop.number, 0) << preview.stop.text;
  swap::folder = temp / "M\\S";
  swap::away = temp / "M-away";
  swap::target = outside / "S";
  swap::done = false;
  core::SetCopyWriteHook(&swap::Hook);
  treeops::CopyResults results;
  treeops::CopyJournal journal;
  treeops::RunCopy(preview, false, results, journal);
  core::SetCopyWriteHook(nullptr);
  ASSERT_TRUE(swap::done);
  EXPECT_EQ(Snapshot(outside.Path()), before);
  EXPECT_TRUE(Holds(results.filesOther, temp / "M\\S\\a.txt"));
  for (const treeops::Refusal& r : results.reasons)
    if (r.path == temp / "M\\S\\a.txt") EXPECT_EQ(r.reason, "a folder on its path is a link or was moved");
  testsupport::RemoveTree(temp / "M");
  EXPECT_EQ(Snapshot(outside.Path()), before);
}

// The creation run's copies too: a folder the run made, swapped for a link
// while a structure's file is written into it, receives nothing more, and the
// files not written are counted and named once at the end.
TEST(OddNames, AFolderACreationRunMadeSwappedForALinkReceivesNothingMore) {
  NEEDS_WINE();
  TempDir temp, outside;
  outside.AddFolder("n\\Struct");
  temp.AddFile("Struct\\a.txt", "first");
  temp.AddFile("Struct\\b.txt", "second");
  temp.AddFolder("Dest");
  // Every file byte for byte; not the folders' times: the temporary file is
  // made, found in the wrong place and taken away before anything is written.
  const std::string before = Snapshot(outside.Path(), false);
  testsupport::CreationStores stores;
  core::MeasureStructures({temp / "Struct"}, core::AttachMode::MainWithFiles, true, stores.totals, stores.files);
  std::vector<std::string> warnings;
  stores.sink.warn = [&](const std::string& text, const std::string& caption, bool) {
    warnings.push_back(caption + "|" + text);
  };
  core::CreationEngine engine = stores.Engine();
  core::CreationJob job;
  job.items = core::StringListItems({"n"}, core::ComposeNameParts(temp / "Dest", "", "", false));
  job.structures = {temp / "Struct"};
  job.mode = core::AttachMode::MainWithFiles;
  job.captions.writesMoved = "moved caption";
  swap::folder = temp / "Dest\\n";
  swap::away = temp / "Dest\\n-away";
  swap::target = outside / "n";
  swap::done = false;
  core::SetCopyWriteHook(&swap::Hook);
  engine.Run(job);
  core::SetCopyWriteHook(nullptr);
  ASSERT_TRUE(swap::done);
  EXPECT_EQ(Snapshot(outside.Path(), false), before);
  EXPECT_FALSE(PathExists(temp / "Dest\\n-away\\Struct\\b.txt"));
  EXPECT_GE(stores.counters[core::CounterIndex(core::kOther, core::kFiles)], 1.0);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].find("moved caption|Files not written : "), 0u) << warnings[0];
  EXPECT_NE(warnings[0].find(temp / "Dest\\n\\Struct\\b.txt"), std::string::npos) << warnings[0];
  testsupport::RemoveTree(temp / "Dest");
  EXPECT_EQ(Snapshot(outside.Path(), false), before);
}

} // namespace
