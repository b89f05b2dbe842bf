// The creation engine without windows, on real temporary trees.
#include "create/creation_engine.h"

#include "engine/treeops_fixture.h"
#include "support/creation_stores.h"
#include "support/free_space_script.h"
#include "support/temp_dir.h"
#include "support/wine_unix.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>

using testsupport::FileExists;
using testsupport::ListTree;

namespace {

TEST(CreationEngine, ComposesNamesAndListsAStructureBreadthFirst) {
  core::FolderNameParts p = core::ComposeNameParts("  c:\\dest ", "pre", " ", true);
  EXPECT_EQ(p.Compose("x"), "c:\\dest\\pre-x ");
  EXPECT_EQ(core::ComposeNameParts("c:\\", "", "s", true).Compose("x"), "c:\\x-s");

  testsupport::TempDir dir;
  dir.AddFile("T\\x\\y\\deep.txt", "1");
  dir.AddFile("T\\top.txt", "22");
  core::StructureListing l = core::ListStructure(dir / "T\\");
  EXPECT_EQ(l.lastName, "T");
  ASSERT_EQ(l.entries.size(), 4u);
  // The root's entries first, then one level after the other.
  EXPECT_EQ(l.entries[2].relative, "x\\y");
  EXPECT_EQ(l.entries[3].relative, "x\\y\\deep.txt");
  EXPECT_EQ(core::ListStructure("c:\\").lastName, "");
}

TEST(CreationEngine, FreeSpaceIsAskedOnlyWhenSomethingIsCopied) {
  testsupport::ScriptFreeSpace seam;
  seam.Set("c:\\", {true, 100, 1000, 100});
  EXPECT_EQ(core::CheckFreeSpace("c:\\d", 0, 10).verdict, core::FreeSpaceCheck::NothingToCreate);
  core::FreeSpaceCheck none = core::CheckFreeSpace("c:\\d", 5, 0);
  EXPECT_EQ(none.verdict, core::FreeSpaceCheck::Enough);
  EXPECT_TRUE(none.root.empty());  // not even asked
  EXPECT_EQ(core::CheckFreeSpace("c:\\d", 10, 10).verdict, core::FreeSpaceCheck::Enough);
  EXPECT_EQ(core::CheckFreeSpace("c:\\d", 101, 1).verdict, core::FreeSpaceCheck::NotEnough);
  seam.Set("c:\\", {false, 0, 0, 0});
  core::FreeSpaceCheck unknown = core::CheckFreeSpace("c:\\d", 10, 10);
  EXPECT_EQ(unknown.verdict, core::FreeSpaceCheck::Enough);
  EXPECT_FALSE(unknown.known);
}

struct Harness : testsupport::CreationStores {
  std::vector<std::string> warnings;
  Harness() {
    sink.warn = [this](const std::string& text, const std::string& caption, bool ownerless) {
      warnings.push_back(caption + (ownerless ? "|" : "!") + text);
    };
  }
  void Measure(const core::CreationJob& job, bool withFiles) {
    core::MeasureStructures(job.structures, job.mode, withFiles, totals, files);
  }
  core::FolderNameParts parts;
  core::CreationJob Job(const std::string& dest, core::AttachMode mode) {
    core::CreationJob job;
    parts = core::ComposeNameParts(dest, "", "", true);
    job.mode = mode;
    job.captions.missingSize = "0036";
    job.captions.selfCopy = "0373";
    return job;
  }
  // Simulates, then runs on fresh counters: the run does what was predicted.
  void PredictAndRun(const core::CreationJob& job) {
    Engine().Simulate(job);
    const core::CreationCounters predicted = counters;
    counters = core::CreationCounters{};
    Engine().Run(job);
    EXPECT_EQ(counters, predicted);
  }
};

TEST(CreationEngine, AnEntryNeverLeavesItsDestinationNorMakesWhatItDoesNotName) {
  testsupport::TempDir base;
  Harness h;
  core::CreationJob job = h.Job(base / "d", core::AttachMode::Nothing);
  job.items = core::StringListItems({"..\\escaped", "a\\..\\..\\up", "nul", "com1.txt", "trail.", "ok"}, h.parts);
  Harness predicted;  // the simulation predicts the same
  predicted.Engine().Simulate(job);
  h.Engine().Run(job);
  EXPECT_EQ(predicted.counters, h.counters);
  EXPECT_EQ(ListTree(base.Path()), "d\\\nd\\ok\\\n");
  EXPECT_EQ(h.journal.folders, (std::vector<std::string>{base / "d", base / "d\\ok"}));
}

TEST(CreationEngine, FilesThatAppearAfterMeasuringAreCountedWithOneSummaryBox) {
  testsupport::TempDir dest, tree;
  tree.AddFile("T\\a.txt", "12345");
  Harness h;
  core::CreationJob job = h.Job(dest.Path(), core::AttachMode::SubOnlyWithFiles);
  job.structures = {tree / "T"};
  job.items = core::StringListItems({"n1", "n2"}, h.parts);
  h.Measure(job, true);
  tree.AddFile("T\\late1.txt", "123");
  tree.AddFile("T\\late2.txt", "1234567");
  h.Engine().Run(job);
  EXPECT_EQ(h.counters[6], 6);
  EXPECT_EQ(h.counters[7], 2 * (5 + 3 + 7));
  ASSERT_EQ(h.warnings.size(), 1u);
  EXPECT_EQ(h.warnings[0].substr(0, 5), "0036|");
  EXPECT_EQ(h.copied.size(), 3u);  // the root files of the last created folder
  EXPECT_TRUE(FileExists(dest / "n2\\late2.txt"));
}

TEST(CreationEngine, UndoDeletesOnlyUnchangedCopiesAndEmptyFolders) {
  testsupport::TempDir dest, tree;
  tree.AddFile("T\\ro.txt", "read only");
  tree.AddFile("T\\x\\changed.txt", "before");
  SetFileAttributesA((tree / "T\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  Harness h;
  core::CreationJob job = h.Job(dest / "new", core::AttachMode::MainWithFiles);
  job.structures = {tree / "T"};
  job.items = core::StringListItems({"a", "b"}, h.parts);
  h.Measure(job, true);
  h.Engine().Run(job);
  ASSERT_TRUE(FileExists(dest / "new\\b\\T\\x\\changed.txt"));
  testsupport::WriteFile(dest / "new\\b\\T\\x\\changed.txt", "after, by the user");
  core::CreationStringList stayed = core::UndoCreation(h.journal);
  EXPECT_EQ(ListTree(dest.Path()), "new\\\nnew\\b\\\nnew\\b\\T\\\nnew\\b\\T\\x\\\n"
                                   "new\\b\\T\\x\\changed.txt\n");
  // The folders that stay, then the copy the user changed.
  EXPECT_EQ(stayed, (core::CreationStringList{dest / "new", dest / "new\\b", dest / "new\\b\\T",
                                              dest / "new\\b\\T\\x", dest / "new\\b\\T\\x\\changed.txt"}));
  EXPECT_TRUE(h.journal.Empty());
  EXPECT_TRUE(FileExists(tree / "T\\ro.txt"));
}

// The undo knows each folder the run made by the moment of its last change as
// the run left it, beside its index: what the run itself put into a folder
// after making it keeps the folder the run's, while a folder made again in its
// place, or one the user changed (a file put in and taken out again), is left
// with why.
TEST(CreationEngine, UndoTakesBackOnlyTheFoldersTheRunMadeAsItLeftThem) {
  const std::string changed =
      "changed since the run made it (something was added to it or taken out of it, or another folder was made in "
      "its place)";
  struct Case {
    const char* name;
    std::function<void(const testsupport::TempDir& dest)> change;
    const char* left;
    std::vector<std::string> why;  // the reasons the innermost folder may be given
  };
  const Case cases[] = {
      {"untouched", [](const testsupport::TempDir&) {}, "", {}},
      {"made again",
       [](const testsupport::TempDir& dest) {
         ASSERT_TRUE(RemoveDirectoryA((dest / "n\\T\\x\\y").c_str()));
         ASSERT_TRUE(CreateDirectoryA((dest / "n\\T\\x\\y").c_str(), nullptr));
       },
       "n\\\nn\\T\\\nn\\T\\x\\\nn\\T\\x\\y\\\n",
       {changed, "another folder has its name now (the one the run made is gone)"}},
      {"a file put in and taken out",
       [](const testsupport::TempDir& dest) {
         testsupport::WriteFile(dest / "n\\T\\x\\y\\mine.txt", "mine");
         ASSERT_TRUE(DeleteFileA((dest / "n\\T\\x\\y\\mine.txt").c_str()));
       },
       "n\\\nn\\T\\\nn\\T\\x\\\nn\\T\\x\\y\\\n", {changed}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testsupport::TempDir dest, tree;
    tree.AddFile("T\\f.txt", "file");
    tree.AddFolder("T\\x\\y");
    Harness h;
    core::CreationJob job = h.Job(dest.Path(), core::AttachMode::MainWithFiles);
    job.structures = {tree / "T"};
    job.items = core::StringListItems({"n"}, h.parts);
    h.Measure(job, true);
    h.Engine().Run(job);
    ASSERT_EQ(ListTree(dest.Path()), "n\\\nn\\T\\\nn\\T\\f.txt\nn\\T\\x\\\nn\\T\\x\\y\\\n");
    c.change(dest);
    core::CreationStringList why;
    const core::CreationStringList stayed = core::UndoCreation(h.journal, nullptr, {}, &why);
    EXPECT_EQ(ListTree(dest.Path()), c.left);
    if (c.why.empty()) {
      EXPECT_TRUE(stayed.empty());
      continue;
    }
    ASSERT_EQ(stayed, (core::CreationStringList{dest / "n", dest / "n\\T", dest / "n\\T\\x", dest / "n\\T\\x\\y"}));
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(why[i], "the folder is not empty") << stayed[i];
    EXPECT_NE(std::find(c.why.begin(), c.why.end(), why[3]), c.why.end()) << why[3];
  }
}

// Sets a file's last-write time.
void SetWritten(const std::string& path, const FILETIME& written) {
  HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(SetFileTime(h, nullptr, nullptr, &written));
  CloseHandle(h);
}

// A copy rewritten with other content of the same size, its time set back (as
// a restore or a sync tool would), is the user's: the undo keeps it.
TEST(CreationEngine, UndoKeepsACopyRewrittenToTheSameSizeAndTime) {
  testsupport::TempDir dest, tree;
  tree.AddFile("T\\same.txt", "copied content");
  tree.AddFile("T\\other.txt", "untouched");
  Harness h;
  core::CreationJob job = h.Job(dest.Path(), core::AttachMode::SubOnlyWithFiles);
  job.structures = {tree / "T"};
  job.items = core::StringListItems({"n"}, h.parts);
  h.Measure(job, true);
  h.Engine().Run(job);
  const std::string copy = dest / "n\\same.txt";
  WIN32_FILE_ATTRIBUTE_DATA was;
  ASSERT_TRUE(GetFileAttributesExA(copy.c_str(), GetFileExInfoStandard, &was));
  const std::string mine(std::string("copied content").size(), 'm');
  testsupport::WriteFile(copy, mine);
  SetWritten(copy, was.ftLastWriteTime);
  core::UndoCreation(h.journal);
  EXPECT_EQ(ListTree(dest.Path()), "n\\\nn\\same.txt\n");
  EXPECT_EQ(testsupport::ReadFile(copy), mine);
}

// A copy or a made folder that gives way to a link (under Wine a link to a
// file looks like the file): the undo never removes through it, and the data
// it leads to (the structure's own file, an empty folder) stays.
TEST(CreationEngine, UndoNeverRemovesThroughALinkPutInPlaceOfWhatItMade) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "links are made with the Unix ln";
  testsupport::TempDir outside, dest;
  outside.AddFile("T\\t.txt", "structure file");
  outside.AddFolder("T\\E");
  outside.AddFolder("empty");
  Harness h;
  core::CreationJob job = h.Job(dest.Path(), core::AttachMode::MainWithFiles);
  job.structures = {outside / "T"};
  job.items = core::StringListItems({"n"}, h.parts);
  h.Measure(job, true);
  h.Engine().Run(job);
  ASSERT_EQ(testsupport::ReadFile(dest / "n\\T\\t.txt"), "structure file");
  ASSERT_TRUE(DeleteFileA((dest / "n\\T\\t.txt").c_str()));
  ASSERT_TRUE(testsupport::MakeUnixFileSymlink(dest / "n\\T\\t.txt", outside / "T\\t.txt"));
  ASSERT_TRUE(RemoveDirectoryA((dest / "n\\T\\E").c_str()));
  ASSERT_TRUE(testsupport::MakeUnixSymlink(dest / "n\\T\\E", outside / "empty"));
  const std::string before = ListTree(outside.Path()) + testsupport::ReadFile(outside / "T\\t.txt");
  const core::CreationStringList stayed = core::UndoCreation(h.journal);
  EXPECT_EQ(ListTree(outside.Path()) + testsupport::ReadFile(outside / "T\\t.txt"), before);
  EXPECT_EQ(stayed, (core::CreationStringList{dest / "n", dest / "n\\T", dest / "n\\T\\E", dest / "n\\T\\t.txt"}));
  EXPECT_TRUE(testsupport::PathExists(dest / "n\\T\\t.txt"));
}

TEST(CreationEngine, AStructureIsCopiedAsItWasBeforeTheRunNeverWithWhatTheRunMadeInIt) {
  testsupport::TempDir dest;
  dest.AddFile("tpl\\a.txt", "abc");
  Harness h;
  // The first item makes a folder inside the structure (refused); the second gets the structure without it.
  core::CreationJob job = h.Job(dest.Path(), core::AttachMode::MainWithoutFiles);
  job.structures = {dest / "tpl"};
  job.items = core::StringListItems({"tpl\\x", "y"}, h.parts);
  h.Measure(job, false);
  h.Engine().Run(job);
  EXPECT_EQ(ListTree(dest.Path()), "tpl\\\ntpl\\a.txt\ntpl\\x\\\ny\\\ny\\tpl\\\n");
  ASSERT_EQ(h.warnings.size(), 1u);  // the refusal for tpl\x
  EXPECT_EQ(h.warnings[0].substr(0, 4), "0373");
}

TEST(CreationEngine, AStructureGivenWithATrailingBackslashIsMeasuredUnderTheNamesTheWalkUses) {
  testsupport::TempDir dest, tree;
  tree.AddFile("T\\f.txt", "123");
  Harness h;
  core::CreationJob job = h.Job(dest.Path(), core::AttachMode::SubOnlyWithFiles);
  job.structures = {tree / "T\\"};
  job.items = core::StringListItems({"n"}, h.parts);
  h.Measure(job, true);
  h.Engine().Run(job);
  EXPECT_TRUE(h.warnings.empty());
  EXPECT_EQ(h.counters[6], 1);
  EXPECT_EQ(h.counters[7], 3);
  EXPECT_EQ(core::CounterText(1.2e15), "1.2E15");
  EXPECT_EQ(core::CounterText(123456789012345.0), "123456789012345");
}

TEST(CreationEngine, ASimulationPredictsFoldersOnAMissingDriveAsNotCreated) {
  char letter = 0;
  for (char c = 'Q'; c <= 'Y' && !letter; ++c)
    if (GetDriveTypeA((std::string(1, c) + ":\\").c_str()) == DRIVE_NO_ROOT_DIR) letter = c;
  ASSERT_NE(letter, 0);
  const std::string dest = std::string(1, letter) + ":\\nowhere";
  Harness h;
  core::CreationJob job = h.Job(dest, core::AttachMode::Nothing);
  job.items = core::StringListItems({"a", "b"}, h.parts);
  h.PredictAndRun(job);
  EXPECT_EQ(h.counters[4], 0);
  EXPECT_EQ(h.counters[12], 2);
}

TEST(CreationEngine, ASimulationPredictsTheRunWhenTwoStructuresShareTheirName) {
  testsupport::TempDir dest, tree;
  for (const char* side : {"A", "B"}) {
    tree.AddFile(std::string(side) + "\\T\\x\\f.txt", "1234");
    tree.AddFile(std::string(side) + "\\T\\g.txt", std::string(side));
  }
  for (core::AttachMode mode : {core::AttachMode::MainWithFiles, core::AttachMode::SubOnlyWithFiles,
                                core::AttachMode::MainWithoutFiles}) {
    Harness h;
    core::CreationJob job = h.Job(dest / std::to_string(static_cast<int>(mode)), mode);
    job.structures = {tree / "A\\T", tree / "B\\T"};
    job.items = core::StringListItems({"n1", "n2"}, h.parts);
    h.Measure(job, core::AttachWithFiles(mode));
    h.PredictAndRun(job);
    EXPECT_GT(h.counters[9], 0) << static_cast<int>(mode);  // the second structure's repeats
  }
}

TEST(CreationEngine, ALinkInAStructureIsMadeAsAFolderButNeverEntered) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "links are made with the Unix ln";
  testsupport::TempDir dest, tree;
  tree.AddFile("T\\real\\f.txt", "x");
  ASSERT_TRUE(testsupport::MakeUnixSymlink(tree / "T\\loop", tree / "T"));  // back to the root
  Harness h;
  core::CreationJob job = h.Job(dest.Path(), core::AttachMode::MainWithoutFiles);
  job.structures = {tree / "T"};
  job.items = core::StringListItems({"n"}, h.parts);
  h.Measure(job, false);
  h.Engine().Run(job);
  EXPECT_EQ(ListTree(dest.Path()), "n\\\nn\\T\\\nn\\T\\loop\\\nn\\T\\real\\\n");
  EXPECT_EQ(h.counters[5], h.totals.folders);  // made what measuring promised
}

// A folder path of 248 characters or more leaves no room for a file name: the
// run refuses it before asking the system (Wine would make it), as the
// simulation predicts.
TEST(CreationEngine, RunAndSimulationRefuseTheSameFolderPathsFrom248Characters) {
  testsupport::TempDir base;
  const std::string dest = base / std::string(100, 'h');
  ASSERT_LT(dest.size() + 1, 240u);
  const std::string prefix(246 - (dest.size() + 1), 'p');  // numbers 8 and 9: 247; 10 to 12: 248
  Harness numbers;
  core::CreationJob job = numbers.Job(dest, core::AttachMode::Nothing);
  job.items = core::NumberItems(8, 5, false, 0, core::ComposeNameParts(dest, prefix, "", false));
  numbers.PredictAndRun(job);
  EXPECT_EQ(numbers.counters[4], 2);
  EXPECT_EQ(numbers.counters[12], 3);
  EXPECT_EQ(numbers.journal.folders.back().size(), 247u);

  // Path lines of 247, 248, 255 and 262 characters.
  core::CreationStringList lines;
  for (size_t length : {247, 248, 255, 262}) lines.push_back(dest + "\\" + std::string(length - dest.size() - 1, 'q'));
  Harness paths;
  job.items = core::PathListItems(lines, "", "", false);
  paths.PredictAndRun(job);
  EXPECT_EQ(paths.counters[4], 1);
  EXPECT_EQ(paths.counters[12], 3);

  // A structure's subfolder that would pass the limit is "other reasons" in both,
  // and its file is not copied.
  testsupport::TempDir tree;
  tree.AddFile("T\\sub\\f.txt", "1");
  tree.AddFile("T\\g.txt", "2");
  Harness attach;
  job = attach.Job(dest, core::AttachMode::SubOnlyWithFiles);
  job.structures = {tree / "T"};
  job.items = core::StringListItems({std::string(245 - (dest.size() + 1), 's')}, attach.parts);
  attach.Measure(job, true);
  attach.PredictAndRun(job);
  EXPECT_EQ(attach.counters[5], 0);   // subfolders created
  EXPECT_EQ(attach.counters[13], 1);  // and not created
  EXPECT_EQ(attach.counters[6], 1);   // g.txt copied, f.txt not
  EXPECT_FALSE(testsupport::PathExists(attach.journal.folders.back() + "\\sub"));
}

} // namespace

TEST(CreationEngine, APathLineMakesTheFolderItNamesWithPrefixAndSuffixAroundItsLastName) {
  struct Case { const char* line; const char* prefix; const char* suffix; bool hyphen; const char* target; };
  const Case cases[] = {
      {"E:\\Data\\Reports", "X", "Y", true, "E:\\Data\\X-Reports-Y"},
      {"E:\\Data\\Reports\\summary.txt", "X", "Y", true, "E:\\Data\\X-Reports-Y"},
      {"E:\\Data\\Plan.old", "X", "Y", true, "E:\\X-Data-Y"},
      {"E:\\Data\\Reports\\", "X", "Y", true, "E:\\Data\\X-Reports-Y"},
      {"d:/a/b", "X", "", true, "d:\\a\\X-b"},
      {"  c:\\a\\b  ", "", "", true, "c:\\a\\b"},
      {"c:\\a\\b", "P ", "S", false, "c:\\a\\P bS"},
      {"\\\\server\\share\\dir", "X", "Y", true, "\\\\server\\share\\X-dir-Y"},
      {"c:\\top", "", "", true, "c:\\top"},
      {"Data\\Reports", "X", "Y", true, nullptr},  // no drive
      {"E:\\", "X", "Y", true, nullptr},            // a drive root names no folder
      {"E:", "X", "Y", true, nullptr},
      {"E:\\file.txt", "X", "Y", true, nullptr},    // a file at the root
      {"\\\\server\\share", "X", "Y", true, nullptr},
  };
  for (const Case& c : cases) {
    std::string target;
    const bool made = core::ComposePathTarget(c.line, c.prefix, c.suffix, c.hyphen, target);
    EXPECT_EQ(made ? target : "-", c.target ? c.target : "-") << c.line;
  }
  // A line without a drive is "other reasons" alone, a drive root with the structure totals.
  core::ItemSource items = core::PathListItems({"Data\\x", "E:\\", "E:\\a"}, "", "", true);
  std::string path;
  EXPECT_EQ(items.compose(0, path), core::ItemVerdict::OtherAlone);
  EXPECT_EQ(path, "Data\\x");
  EXPECT_EQ(items.compose(1, path), core::ItemVerdict::Other);
  EXPECT_EQ(items.compose(2, path), core::ItemVerdict::Folder);
  EXPECT_EQ(path, "E:\\a");
}

namespace {

struct Killed {};
void KillInBigFile(const std::string& temporary, uint64_t) {
  if (temporary.find("big.bin") != std::string::npos) throw Killed();
}

// A structure copy "with files" stopped in the middle of a file (the writer's
// test hook stops it, as a killed program stops) leaves no cut file under a
// real name: the file it was writing is only under its temporary name.
TEST(CreationEngine, ARunKilledInTheMiddleOfAFileLeavesNoCutFileUnderItsRealName) {
  testsupport::TempDir dest, tree;
  tree.AddFile("T\\a.txt", "a");
  tree.AddFile("T\\big.bin", std::string(600000, 'b'));
  Harness h;
  core::CreationJob job = h.Job(dest.Path(), core::AttachMode::SubOnlyWithFiles);
  job.structures = {tree / "T"};
  job.items = core::StringListItems({"n"}, h.parts);
  h.Measure(job, true);
  core::SetCopyWriteHook(KillInBigFile);
  EXPECT_THROW(h.Engine().Run(job), Killed);
  core::SetCopyWriteHook(nullptr);
  EXPECT_FALSE(testsupport::PathExists(dest / "n\\big.bin"));
  const std::string left = core::TemporaryCopyPath(dest / "n\\big.bin");
  EXPECT_TRUE(FileExists(left));
  EXPECT_LT(testsupport::ReadFile(left).size(), 600000u);
  if (FileExists(dest / "n\\a.txt")) EXPECT_EQ(testsupport::ReadFile(dest / "n\\a.txt"), "a");
}

} // namespace

namespace {

// Only a file whose real name is taken counts as already existing: a source
// another program holds open without sharing it, and one gone since it was
// listed, are not written, counted under other reasons with their bytes and
// named with why, as the simulation predicts; a disk that fills up stops the
// run there (what it was writing is taken away, the next folders are not
// made) and says so; a link whose target is missing put under a file's real
// name meanwhile keeps it, and that file already exists; a source cut by
// another program while it is copied is not written (the next folder's copy
// of it, made after, is the file as it is then, whole).
namespace failing {
std::string gone;
void GoneMeanwhile(const std::string& temporary, uint64_t) {
  if (temporary.find("big.bin") != std::string::npos) DeleteFileA(gone.c_str());
}
DWORD DiskFills(const std::string& temporary, uint64_t) {
  return temporary.find("big.bin") != std::string::npos ? ERROR_DISK_FULL : 0;
}
std::string linkAt, linkTarget;
bool linked = false;
void LinkMeanwhile(const std::string& temporary, uint64_t) {
  if (linked || temporary.find("big.bin") == std::string::npos) return;
  testsupport::MakeFolders(linkAt.substr(0, linkAt.find_last_of('\\')));
  linked = testsupport::MakeUnixDanglingLink(linkAt, linkTarget);
}
std::string cutAt;
bool cut = false;
void CutMeanwhile(const std::string& temporary, uint64_t) {
  if (cut || temporary.find("big.bin") == std::string::npos) return;
  cut = testsupport::ResizeOnUnixSide(cutAt, 1000);
}
} // namespace failing

TEST(CreationEngine, AFileNotWrittenIsCountedUnderOtherReasonsWithWhyNeverAsExisting) {
  struct Case {
    const char* name;
    double created, exists, other;  // files of the first new folder
    const char* why;                // of the one file not written
    bool stops;
    bool once;  // only the first new folder meets the failure
  };
  const Case cases[] = {
      {"a source held open", 2, 0, 1, "in use by another program: it cannot be read", false, false},
      {"a source gone", 2, 0, 1, "the structure's file is gone", false, false},
      {"the disk full", 1, 0, 1, "the disk is full", true, false},
      {"a link meanwhile", 2, 1, 0, nullptr, false, false},
      {"a source cut meanwhile", 2, 0, 1,
       "another program changed the structure's file while it was copied: the copy was taken away", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string name = c.name;
    if ((name == "a link meanwhile" || name == "a source cut meanwhile") && !testsupport::UnderWine()) continue;
    testsupport::TempDir dest, tree;
    tree.AddFile("T\\a.txt", "aaaa");
    tree.AddFile("T\\big.bin", std::string(300000, 'b'));
    tree.AddFile("T\\sub\\c.txt", "cc");
    Harness h;
    std::vector<std::pair<std::string, std::string>> named;
    h.sink.notWritten = [&](const std::string& path, const std::string& why) { named.emplace_back(path, why); };
    core::CreationJob job = h.Job(dest.Path(), core::AttachMode::SubOnlyWithFiles);
    job.captions.writesMoved = "0749";
    job.captions.diskFull = "0770";
    job.structures = {tree / "T"};
    job.items = core::StringListItems({"n1", "n2"}, h.parts);
    h.Measure(job, true);
    // The file the failure meets, by its place in the new folder.
    std::string failed = "n1\\a.txt";
    HANDLE holder = INVALID_HANDLE_VALUE;
    if (name == "a source held open") {
      holder = CreateFileA((tree / "T\\a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    } else if (name == "a source gone") {
      failed = "n1\\sub\\c.txt";  // listed, then gone while the root's large file is written
      failing::gone = tree / "T\\sub\\c.txt";
      core::SetCopyWriteHook(failing::GoneMeanwhile);
    } else if (name == "the disk full") {
      failed = "n1\\big.bin";
      core::SetCopyWriteFault(failing::DiskFills);
    } else if (name == "a source cut meanwhile") {
      failed = "n1\\big.bin";
      failing::cutAt = tree / "T\\big.bin";
      failing::cut = false;
      core::SetCopyWriteHook(failing::CutMeanwhile);
    } else {
      failed = "n1\\sub\\c.txt";
      failing::linkAt = dest / failed;
      failing::linkTarget = tree / "gone.txt";
      failing::linked = false;
      core::SetCopyWriteHook(failing::LinkMeanwhile);
    }
    Harness predicted;
    predicted.totals = h.totals;
    predicted.files = h.files;
    const bool meanwhile = c.stops || c.once || name == "a link meanwhile" || name == "a source gone";
    if (!meanwhile) predicted.Engine().Simulate(job);
    const bool completed = h.Engine().Run(job);
    core::SetCopyWriteFault(nullptr);
    core::SetCopyWriteHook(nullptr);
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
    if (name == "a link meanwhile") ASSERT_TRUE(failing::linked);
    if (c.once) {
      ASSERT_TRUE(failing::cut);
      EXPECT_EQ(testsupport::ReadFile(dest / "n2\\big.bin"), std::string(1000, 'b'));
    }
    EXPECT_EQ(completed, !c.stops);
    const double folders = c.stops ? 1 : 2;
    EXPECT_EQ(h.counters[core::CounterIndex(core::kCreated, core::kFolders)], folders);
    EXPECT_EQ(h.counters[core::CounterIndex(core::kCreated, core::kFiles)],
              c.created + (c.stops ? 0 : c.once ? 3 : 3 - c.other));
    EXPECT_EQ(h.counters[core::CounterIndex(core::kExists, core::kFiles)], c.exists);
    EXPECT_EQ(h.counters[core::CounterIndex(core::kOther, core::kFiles)], c.stops || c.once ? c.other : 2 * c.other);
    if (!meanwhile) EXPECT_EQ(predicted.counters, h.counters);
    if (c.why) {
      ASSERT_FALSE(named.empty());
      EXPECT_EQ(named.front(), std::make_pair(dest / failed, std::string(c.why)));
      EXPECT_FALSE(testsupport::PathExists(dest / failed));
      EXPECT_FALSE(testsupport::PathExists(core::TemporaryCopyPath(dest / failed)));
      ASSERT_FALSE(h.warnings.empty());
      const std::string& box = h.warnings.back();
      EXPECT_EQ(box.find("0749!Files not written : " + std::to_string(named.size()) + "\n\n" + c.why + " : "), 0u)
          << box;
      EXPECT_NE(box.find(dest / failed), std::string::npos) << box;
    } else {
      EXPECT_TRUE(named.empty());
      testsupport::WriteFile(failing::linkTarget, "the link's own");
      EXPECT_EQ(testsupport::ReadFile(dest / failed), "the link's own");
    }
    if (c.stops) {
      EXPECT_FALSE(testsupport::PathExists(dest / "n2"));
      ASSERT_GE(h.warnings.size(), 2u);
      EXPECT_EQ(h.warnings[h.warnings.size() - 2],
                "0770!The disk is full !\nThe Creation process is stopped at : \n" + dest / failed);
    }
  }
}

// The creation undo names a copied file and a made folder the system took
// for removal and did not remove (under Wine a refusal at the close is
// silent: a remover made to, and a folder the file system keeps unchanged),
// with why, beside the folders that stay with them; nothing else stays. The
// folder was read through the handle that removed it: still there with its
// index and change time, it is no other folder made in its place.
TEST(CreationEngine, TheUndoNamesWhatTheSystemDidNotRemove) {
  for (const bool immutable : {false, true}) {
    SCOPED_TRACE(immutable ? "an immutable folder" : "a remover refusing at the close");
    testsupport::TempDir dest, tree;
    tree.AddFile("T\\x\\kept.txt", "k");
    tree.AddFolder("T\\x\\E");
    tree.AddFile("T\\y\\gone.txt", "g");
    Harness h;
    core::CreationJob job = h.Job(dest.Path(), core::AttachMode::MainWithFiles);
    job.structures = {tree / "T"};
    job.items = core::StringListItems({"n"}, h.parts);
    h.Measure(job, true);
    h.Engine().Run(job);
    const std::string made = "n\\\nn\\T\\\nn\\T\\x\\\nn\\T\\x\\E\\\nn\\T\\x\\kept.txt\n";
    ASSERT_EQ(ListTree(dest.Path()), made + "n\\T\\y\\\nn\\T\\y\\gone.txt\n");
    const std::string x = dest / "n\\T\\x";
    treetest::RefusedAtClose remover(x);
    std::unique_ptr<testsupport::ImmutableFolder> flag;
    if (immutable) {
      flag = std::make_unique<testsupport::ImmutableFolder>(x);
      if (!flag->Made()) GTEST_SKIP() << "the immutable flag cannot be set here (chattr needs root under Wine on a "
                                         "file system that has it): the remover case covers the counting";
    }
    core::CreationStringList why;
    const core::CreationStringList stayed = core::UndoCreation(h.journal, immutable ? nullptr : &remover, {}, &why);
    flag.reset();
    EXPECT_EQ(ListTree(dest.Path()), made);
    const std::string full = "the folder is not empty", still = core::RemovalReason(core::kErrorStillThere);
    EXPECT_EQ(stayed, (core::CreationStringList{dest / "n", dest / "n\\T", x, x + "\\E", x + "\\kept.txt"}));
    EXPECT_EQ(why, (core::CreationStringList{full, full, full, still, still}));
  }
}

// The system's remover, with another folder made under the name of the one
// it just removed (as another program might, before the removal is settled).
class RemadeAfterRemoval : public core::SystemRemover {
public:
  explicit RemadeAfterRemoval(std::string folder) : folder_(std::move(folder)) {}
  DWORD RemoveFolder(const std::string& path) override {
    const DWORD error = SystemRemover::RemoveFolder(path);
    if (error == 0 && path == folder_) remade = CreateDirectoryA(path.c_str(), nullptr) != FALSE;
    return error;
  }
  bool remade = false;

private:
  const std::string folder_;
};

// A folder made under the name of one the undo removed, before the removal is
// settled, is another folder (its change time tells, whatever index the file
// system gave it): the run's folder counts as taken back, and the new one
// stays, keeping the folder holding it.
TEST(CreationEngine, AFolderMadeInThePlaceOfARemovedOneIsNotTakenForIt) {
  testsupport::TempDir dest;
  Harness h;
  core::CreationJob job = h.Job(dest.Path(), core::AttachMode::Nothing);
  job.items = core::StringListItems({"n\\inner"}, h.parts);
  h.Engine().Run(job);
  ASSERT_EQ(ListTree(dest.Path()), "n\\\nn\\inner\\\n");
  RemadeAfterRemoval remover(dest / "n\\inner");
  core::CreationStringList why;
  const core::CreationStringList stayed = core::UndoCreation(h.journal, &remover, {}, &why);
  ASSERT_TRUE(remover.remade);
  EXPECT_EQ(ListTree(dest.Path()), "n\\\nn\\inner\\\n");
  EXPECT_EQ(stayed, core::CreationStringList{dest / "n"});
  EXPECT_EQ(why, core::CreationStringList{"the folder is not empty"});
}

} // namespace
