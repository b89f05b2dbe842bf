// What a run knows the folders it made by (their stamps, read when it ends),
// and the creation undo on folders it could not know so.
#include "core/made_folders.h"

#include "core/casefold.h"
#include "create/creation_engine.h"
#include "support/creation_stores.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using testsupport::ListTree;

namespace {

// The stamps read when the run ends are the ones a handle on each folder
// gives then: for folders sharing the start of their names and not, levels
// made with their parents, a folder beside other entries of the user's, and
// folders the run changed after making them (a folder made in one, a file
// written into another).
TEST(MadeFolders, TheStampsReadWhenTheRunEndsAreTheOnesAHandleOnEachGives) {
  testsupport::TempDir dest;
  dest.AddFolder("mine\\old");
  dest.AddFile("mine\\old.txt", "the user's");
  std::vector<std::string> folders;
  std::vector<core::ItemStamp> stamps;
  core::MadeFolders made(folders, stamps);
  DWORD error = 0;
  for (const char* path : {"item100", "item101", "item102", "other", "a\\b\\c", "mine\\new", "a\\b\\c\\d"})
    ASSERT_EQ(made.MakeLevels(dest / path, error), core::MakeFolderResult::Created) << path;
  EXPECT_EQ(made.MakeLevels(dest / "item101", error), core::MakeFolderResult::Exists);
  ASSERT_EQ(made.MakeOne(dest / "other\\one"), 0u);
  EXPECT_EQ(made.MakeOne(dest / "other\\one"), DWORD(ERROR_ALREADY_EXISTS));
  testsupport::WriteFile(dest / "item102\\f.txt", "written by the run");
  made.Changed(dest / "item102\\f.txt");
  made.Read();
  ASSERT_EQ(folders, (std::vector<std::string>{dest / "item100", dest / "item101", dest / "item102", dest / "other",
                                               dest / "a", dest / "a\\b", dest / "a\\b\\c", dest / "mine\\new",
                                               dest / "a\\b\\c\\d", dest / "other\\one"}));
  ASSERT_EQ(stamps.size(), folders.size());
  for (size_t i = 0; i < folders.size(); ++i) {
    core::ItemStamp now;
    ASSERT_TRUE(core::StampAt(folders[i], now)) << folders[i];
    EXPECT_TRUE(stamps[i].known) << folders[i];
    EXPECT_EQ(stamps[i].indexHigh, now.indexHigh) << folders[i];
    EXPECT_EQ(stamps[i].indexLow, now.indexLow) << folders[i];
    EXPECT_EQ(stamps[i].changed, now.changed) << folders[i];
  }
}

// A folder that another program removed and made again, or changed, after
// the run had last changed it (a second and more later), is not known as the
// run's folder; nor is one gone by the time the run ends. The undo keeps
// such a folder and says why; the run's own folders go.
TEST(MadeFolders, AFolderChangedOrMadeAgainAfterTheRunLeftItIsNeverTakenForTheRuns) {
  testsupport::TempDir dest;
  testsupport::CreationStores stores;
  core::CreationJob job;
  job.items = core::StringListItems({"remade", "changed", "gone", "kept", "last"},
                                    core::ComposeNameParts(dest.Path(), "", "", true));
  stores.sink.progress = [&](size_t index) {
    if (index != 4) return true;
    Sleep(static_cast<DWORD>(core::kChangeSlack / 10000) + 200);
    EXPECT_TRUE(RemoveDirectoryA((dest / "remade").c_str()));
    EXPECT_TRUE(CreateDirectoryA((dest / "remade").c_str(), nullptr));
    testsupport::WriteFile(dest / "changed\\mine.txt", "mine");
    EXPECT_TRUE(DeleteFileA((dest / "changed\\mine.txt").c_str()));
    EXPECT_TRUE(RemoveDirectoryA((dest / "gone").c_str()));
    return true;
  };
  stores.Engine().Run(job);
  ASSERT_EQ(stores.journal.stamps.size(), 5u);
  EXPECT_FALSE(stores.journal.stamps[0].known);
  EXPECT_FALSE(stores.journal.stamps[1].known);
  EXPECT_FALSE(stores.journal.stamps[2].known);
  EXPECT_TRUE(stores.journal.stamps[3].known);
  EXPECT_TRUE(stores.journal.stamps[4].known);
  core::CreationStringList why;
  const core::CreationStringList stayed = core::UndoCreation(stores.journal, nullptr, {}, &why);
  EXPECT_EQ(ListTree(dest.Path()), "changed\\\nremade\\\n");
  const std::string unknown = "the run could not record it as the folder it made (it was changed or made again "
                              "while the run went on, or could not be read)";
  EXPECT_EQ(stayed, (core::CreationStringList{dest / "remade", dest / "changed"}));
  EXPECT_EQ(why, (core::CreationStringList{unknown, unknown}));
}

// The undo never removes a folder the run could not record: an empty folder
// whose stamp is unknown stays, named with why.
TEST(MadeFolders, TheUndoNeverRemovesAFolderWhoseStampWasNotRecorded) {
  testsupport::TempDir dest;
  dest.AddFolder("known");
  dest.AddFolder("unknown");
  core::CreationJournal journal;
  journal.folders = {dest / "known", dest / "unknown"};
  journal.stamps.resize(2);
  ASSERT_TRUE(core::StampAt(dest / "known", journal.stamps[0]));
  core::CreationStringList why;
  const core::CreationStringList stayed = core::UndoCreation(journal, nullptr, {}, &why);
  EXPECT_EQ(ListTree(dest.Path()), "unknown\\\n");
  EXPECT_EQ(stayed, core::CreationStringList{dest / "unknown"});
  EXPECT_EQ(why, core::CreationStringList{"the run could not record it as the folder it made (it was changed or made "
                                          "again while the run went on, or could not be read)"});
}

// A run stopped by the user, or by a disk that became full while a folder was
// made, still records every folder it made: its undo takes them all back.
std::string g_fullBelow;
DWORD FullBelow(const std::string& path) {
  return core::SameText(path.substr(0, g_fullBelow.size()), g_fullBelow) ? ERROR_DISK_FULL : 0;
}

TEST(MadeFolders, ARunStoppedOrEndedByAFullDiskRecordsWhatItMade) {
  for (const bool full : {false, true}) {
    SCOPED_TRACE(full ? "full disk" : "stopped");
    testsupport::TempDir dest;
    testsupport::CreationStores stores;
    core::CreationJob job;
    job.items = core::StringListItems({"a\\1", "b\\2", "c\\3", "d\\4"}, core::ComposeNameParts(dest.Path(), "", "", true));
    stores.sink.progress = [&](size_t index) { return full || index < 2; };
    g_fullBelow = dest / "c";
    if (full) core::SetFolderMakeFault(FullBelow);
    const bool completed = stores.Engine().Run(job);
    core::SetFolderMakeFault(nullptr);
    EXPECT_FALSE(completed);
    ASSERT_EQ(ListTree(dest.Path()), "a\\\na\\1\\\nb\\\nb\\2\\\n");
    ASSERT_EQ(stores.journal.stamps.size(), 4u);
    for (const core::ItemStamp& stamp : stores.journal.stamps) EXPECT_TRUE(stamp.known);
    EXPECT_TRUE(core::UndoCreation(stores.journal).empty());
    EXPECT_EQ(ListTree(dest.Path()), "");
  }
}

} // namespace
