// The delete engine on real temp trees: the examples tree in each mode, the
// kept main folders, read-only files, links and refused targets.
#include "treeops/delete_engine.h"
#include "engine/treeops_fixture.h"
#include "core/folder_walk.h"
#include "support/wine_unix.h"

#include <algorithm>
#include <functional>

using testsupport::ListTree;
using testsupport::TempDir;
using treetest::Inside;
using treetest::Snapshot;

namespace {

const char* const kSubFolderFiles[] = {"C\\Customer1\\Marketing\\Emails\\License.doc", "C\\Customer1\\Marketing\\SEO\\support.html",
                                       "C\\Customer2\\Programs\\Beta\\Main.cpp", "C\\Customer2\\Programs\\Final\\OverView.h",
                                       "C\\Customer3\\Analyses\\Exel\\WeeklyReport.xls", "C\\Customer3\\Analyses\\PowerPoint\\feed.ppt"};
const char* const kMainFolderFiles[] = {"C\\Customer1\\index.html", "C\\Customer2\\basic.swf", "C\\Customer3\\extract.txt",
                                        "C\\Customer3\\t33.bmp"};

void MakeExamplesTree(const TempDir& temp) {
  for (const char* f : kSubFolderFiles) temp.AddFile(f, f);
  for (const char* f : kMainFolderFiles) temp.AddFile(f, f);
}

using treetest::DeleteRun;

std::vector<std::string> Sorted(const std::deque<std::string>& list) {
  std::vector<std::string> v(list.begin(), list.end());
  std::sort(v.begin(), v.end());
  return v;
}
// Deeper items before their parents.
bool DeepestFirst(const std::deque<std::string>& list) {
  for (size_t i = 1; i < list.size(); ++i)
    if (treeops::Level(list[i]) > treeops::Level(list[i - 1])) return false;
  return true;
}

TEST(DeleteEngine, EachModeDeletesWhatTheExamplesShowFilesFirstDeepestFirst) {
  struct Case {
    treeops::DeleteMode mode;
    std::deque<std::string> patterns;
    std::vector<std::string> files;  // relative, expected deleted
    size_t folders;                  // folders deleted
    const char* retained;
  };
  std::vector<std::string> fs(std::begin(kSubFolderFiles), std::end(kSubFolderFiles));
  std::vector<std::string> fm(std::begin(kMainFolderFiles), std::end(kMainFolderFiles));
  std::vector<std::string> all = fs;
  all.insert(all.end(), fm.begin(), fm.end());
  const std::string subTree =
      "Customer1\\\nCustomer1\\Marketing\\\nCustomer1\\Marketing\\Emails\\\nCustomer1\\Marketing\\SEO\\\n"
      "Customer2\\\nCustomer2\\Programs\\\nCustomer2\\Programs\\Beta\\\nCustomer2\\Programs\\Final\\\n"
      "Customer3\\\nCustomer3\\Analyses\\\nCustomer3\\Analyses\\Exel\\\nCustomer3\\Analyses\\PowerPoint\\\n";
  const Case cases[] = {
      {treeops::DeleteMode::SubFolders, {}, all, 9, "Customer1\\\nCustomer2\\\nCustomer3\\\n"},
      {treeops::DeleteMode::CompleteFolders, {}, all, 12, ""},
      {treeops::DeleteMode::FilesInMainFolders, {"*.*"}, fm, 0, nullptr},
      {treeops::DeleteMode::FilesInTree, {"*.*"}, all, 0, subTree.c_str()},
      {treeops::DeleteMode::FilesInTree, {"*.html", "\\*.doc", "*.HTML"}, {fs[1], fm[0]}, 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    TempDir temp;
    MakeExamplesTree(temp);
    treeops::DeleteJob job;
    job.mode = c.mode;
    job.patterns = c.patterns;
    job.protectedFolders = treetest::Protected();
    job.includes = Inside(temp, {"C\\Customer3", "C\\Customer1", "C\\Customer2\\", "c\\customer1"});
    DeleteRun r;
    r.PredictAndRun(temp, job);
    std::vector<std::string> expected;
    for (const std::string& f : c.files) expected.push_back(temp / f);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Sorted(r.results.filesDeleted), expected);
    EXPECT_EQ(r.results.foldersDeleted.size(), c.folders);
    EXPECT_EQ(r.plan.files.size(), c.files.size());
    EXPECT_EQ(r.plan.folders.size(), c.folders);
    EXPECT_TRUE(DeepestFirst(r.results.filesDeleted));
    EXPECT_TRUE(DeepestFirst(r.results.foldersDeleted));
    EXPECT_EQ(r.results.counters, (std::array<double, 6>{double(c.folders), double(c.files.size()), 0, 0, 0, 0}));
    if (c.retained) EXPECT_EQ(ListTree(temp / "C"), c.retained);
    for (const std::string& f : all)
      if (std::find(c.files.begin(), c.files.end(), f) == c.files.end()) EXPECT_TRUE(testsupport::FileExists(temp / f)) << f;
  }
}

// "*.tmp" takes the names ending in ".tmp", never one the system's search
// finds through its 8.3 alias (c.tmpx as C~1.TMP); the plan the preview counts
// is the one the run deletes.
TEST(DeleteEngine, TheFileModesMatchTheLongNameOnly) {
  for (treeops::DeleteMode mode : {treeops::DeleteMode::FilesInTree, treeops::DeleteMode::FilesInMainFolders}) {
    SCOPED_TRACE(static_cast<int>(mode));
    TempDir temp;
    for (const char* folder : {"M\\", "M\\Sub\\"})
      for (const char* name : {"c.tmpx", "longname.tmpfile", "x.tmp"}) temp.AddFile(std::string(folder) + name, name);
    ASSERT_EQ(testsupport::SearchNames(temp / "M", "*.tmp"), (std::vector<std::string>{"c.tmpx", "longname.tmpfile", "x.tmp"}))
        << "the system's search no longer matches the aliases: this test would prove nothing";
    treeops::DeleteJob job;
    job.mode = mode;
    job.patterns = {"*.tmp"};
    job.protectedFolders = treetest::Protected();
    job.includes = Inside(temp, {"M"});
    DeleteRun r;
    r.PredictAndRun(temp, job);
    const bool tree = mode == treeops::DeleteMode::FilesInTree;
    EXPECT_EQ(r.plan.files.size(), tree ? 2u : 1u);
    EXPECT_EQ(Sorted(r.results.filesDeleted), tree ? (std::vector<std::string>{temp / "M\\Sub\\x.tmp", temp / "M\\x.tmp"})
                                                   : std::vector<std::string>{temp / "M\\x.tmp"});
    EXPECT_EQ(ListTree(temp / "M"), tree ? "Sub\\\nSub\\c.tmpx\nSub\\longname.tmpfile\nc.tmpx\nlongname.tmpfile\n"
                                         : "Sub\\\nSub\\c.tmpx\nSub\\longname.tmpfile\nSub\\x.tmp\nc.tmpx\nlongname.tmpfile\n");
  }
}

TEST(DeleteEngine, AListedMainFolderInsideAnotherStaysInModeThree) {
  TempDir temp;
  MakeExamplesTree(temp);
  temp.AddFile("C\\Customer1\\Marketing\\SEO\\Deep\\d.txt", "d");
  treeops::DeleteJob job;
  job.mode = treeops::DeleteMode::SubFolders;
  job.protectedFolders = treetest::Protected();
  job.includes = Inside(temp, {"C\\Customer1", "C\\Customer1\\Marketing\\SEO"});
  job.excludes = Inside(temp, {"C\\Customer1\\Marketing\\Emails", "C\\Customer2"});
  DeleteRun r;
  r.PredictAndRun(temp, job);
  EXPECT_EQ(r.plan.keptMainFolders, std::vector<std::string>{temp / "C\\Customer1\\Marketing\\SEO"});
  EXPECT_EQ(r.plan.excludedInside, std::vector<std::string>{temp / "C\\Customer1\\Marketing\\Emails"});
  EXPECT_EQ(ListTree(temp / "C\\Customer1"), "Marketing\\\nMarketing\\SEO\\\n");
  EXPECT_EQ(r.results.counters, (std::array<double, 6>{2, 4, 0, 0, 0, 0}));
}

TEST(DeleteEngine, ProgressSeesEveryItemAndCanStopTheRun) {
  TempDir temp;
  MakeExamplesTree(temp);
  treeops::DeleteJob job;
  job.includes = Inside(temp, {"C\\Customer1"});
  const treeops::DeletePlan plan = treeops::PreviewDelete(job);
  ASSERT_EQ(plan.Items(), 7u);  // 3 files, 4 folders
  std::vector<size_t> seen;
  treeops::DeleteResults results;
  EXPECT_FALSE(treeops::RunDelete(plan, false, results, [&](size_t done, size_t total) {
    seen.push_back(done);
    return done < 2 && total == 7;
  }));
  EXPECT_EQ(seen, (std::vector<size_t>{0, 1, 2}));
  EXPECT_EQ(results.counters[1], 2);
}

// A remover that counts the place checks asked of it.
class CountingRemover : public treetest::TestRemover {
public:
  CountingRemover() : TestRemover(false) {}
  core::ItemLocation Locate(const std::string& path) override {
    ++locates;
    return TestRemover::Locate(path);
  }
  core::ItemLocation ListRoad(const std::string& folder, bool absentCloses = true) override {
    ++roads;
    return TestRemover::ListRoad(folder, absentCloses);
  }
  int locates = 0, roads = 0;
};

std::vector<std::string> Outcomes(const treeops::DeleteResults& r) {
  std::vector<std::string> out;
  for (double c : r.counters) out.push_back(std::to_string(c));
  for (const auto* list : {&r.foldersDeleted, &r.filesDeleted, &r.foldersNotExist, &r.filesNotExist, &r.foldersOther,
                           &r.filesOther}) {
    out.push_back("--");
    out.insert(out.end(), list->begin(), list->end());
  }
  for (const treeops::Refusal& why : r.reasons) out.push_back(why.path + " : " + why.reason);
  return out;
}

// The questions' count is made from the walk's listing: each main folder's
// place asked once, as the run's road, and no place check per item where the
// listing shows links as links; under Wine, where a link to a file shows as
// its target, each file's own place is asked (never a folder's). Nothing is
// removed. It counts what the simulation foretells and what the run, along
// the roads the count took, then does, outcome by outcome and reason by reason.
TEST(DeleteEngine, TheCountFromTheListingIsWhatTheSimulationForetellsAndTheRunDoes) {
  using M = treeops::DeleteMode;
  struct Case {
    const char* name;
    M mode;
    std::deque<std::string> patterns;
    std::vector<std::string> listed;
    std::function<void(const TempDir&)> extra;  // beside the examples tree
    bool links;                                 // made on the Linux side
  };
  const std::vector<std::string> customers = {"C\\Customer1", "C\\Customer2", "C\\Customer3"};
  const Case cases[] = {
      {"subfolders", M::SubFolders, {}, customers, nullptr, false},
      {"complete folders, one listed inside another", M::CompleteFolders, {}, {"C", "C\\Customer2"}, nullptr, false},
      {"selected files in the tree", M::FilesInTree, {"*.html"}, customers, nullptr, false},
      {"selected files in the main folders", M::FilesInMainFolders, {"*.*"}, {"C\\Customer3", "C\\Customer3\\Analyses"},
       nullptr, false},
      {"a read-only file and a missing main folder", M::CompleteFolders, {}, {"C\\Customer2", "C\\Gone"},
       [](const TempDir& t) {
         SetFileAttributesA((t / "C\\Customer2\\Programs\\Beta\\Main.cpp").c_str(), FILE_ATTRIBUTE_READONLY);
       },
       false},
      {"links to a folder and to a file, and names no path reaches", M::CompleteFolders, {}, customers,
       [](const TempDir& t) {
         t.AddFolder("outside\\kept");
         t.AddFile("outside\\data.bin", std::string(300000, 'd'));
         ASSERT_TRUE(testsupport::MakeUnixSymlink(t / "C\\Customer1\\Marketing\\toOutside", t / "outside"));
         ASSERT_TRUE(
             testsupport::MakeUnixFileSymlink(t / "C\\Customer1\\Marketing\\data.bin", t / "outside\\data.bin"));
         ASSERT_TRUE(testsupport::MakeUnixEntry(t / "C\\Customer2", "CON", false));
         ASSERT_TRUE(testsupport::MakeUnixEntry(t / "C\\Customer3\\Analyses", "..\\up", true));
       },
       true},
  };
  for (const Case& c : cases) {
    if (c.links && !testsupport::UnderWine()) continue;
    SCOPED_TRACE(c.name);
    TempDir temp;
    MakeExamplesTree(temp);
    if (c.extra) c.extra(temp);
    treeops::DeleteJob job;
    job.mode = c.mode;
    job.patterns = c.patterns;
    job.protectedFolders = treetest::Protected();
    job.includes = Inside(temp, std::deque<std::string>(c.listed.begin(), c.listed.end()));
    const std::string outside = Snapshot(temp / "outside");
    const treeops::DeletePlan plan = treeops::PreviewDelete(job);
    CountingRemover remover;
    treeops::DeleteResults counted, foretold, done;
    ASSERT_TRUE(treeops::CountDelete(plan, remover, counted));
    EXPECT_EQ(remover.locates, core::ListingShowsFileLinks() ? 0 : static_cast<int>(plan.files.size()));
    EXPECT_EQ(remover.roads, static_cast<int>(plan.roads.size()));
    EXPECT_EQ(remover.Calls(), 0);
    treetest::TestRemover simulation(true);
    ASSERT_TRUE(treeops::RunDelete(plan, true, foretold, treeops::Progress(), &simulation));
    EXPECT_EQ(Outcomes(counted), Outcomes(foretold));
    ASSERT_TRUE(treeops::RunDelete(plan, false, done, treeops::Progress(), &remover, true));
    EXPECT_EQ(remover.roads, static_cast<int>(plan.roads.size()));  // the run lists no road again
    EXPECT_EQ(Outcomes(done), Outcomes(counted));
    EXPECT_EQ(Snapshot(temp / "outside"), outside);
    SetFileAttributesA((temp / "C\\Customer2\\Programs\\Beta\\Main.cpp").c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

// The walk's progress sees each folder as it is listed and can stop the walk:
// the plan says it is not whole.
TEST(DeleteEngine, TheWalkShowsItsProgressAndCanBeStopped) {
  TempDir temp;
  MakeExamplesTree(temp);
  treeops::DeleteJob job;
  job.mode = treeops::DeleteMode::CompleteFolders;
  job.includes = Inside(temp, {"C\\Customer1", "C\\Customer2"});
  std::vector<std::pair<size_t, size_t>> seen;
  const treeops::DeletePlan whole = treeops::PreviewDelete(job, [&](size_t done, size_t total) {
    seen.emplace_back(done, total);
    return true;
  });
  EXPECT_FALSE(whole.stopped);
  EXPECT_EQ(whole.Items(), 14u);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), (std::pair<size_t, size_t>{0, 2}));
  EXPECT_EQ(seen.back().second, 8u);  // the two main folders and the six folders below them
  for (size_t i = 1; i < seen.size(); ++i) EXPECT_GE(seen[i].first, seen[i - 1].first);
  const treeops::DeletePlan stopped = treeops::PreviewDelete(job, [](size_t done, size_t) { return done < 3; });
  EXPECT_TRUE(stopped.stopped);
  EXPECT_EQ(stopped.Items(), 0u);
}

TEST(DeleteEngine, AReadOnlyFileStaysWithItsFoldersAndIsPredicted) {
  TempDir temp;
  MakeExamplesTree(temp);
  const std::string locked = temp / "C\\Customer2\\Programs\\Beta\\Main.cpp";
  SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
  treeops::DeleteJob job;
  job.mode = treeops::DeleteMode::CompleteFolders;
  job.protectedFolders = treetest::Protected();
  job.includes = Inside(temp, {"C\\Customer2"});
  DeleteRun r;
  r.PredictAndRun(temp, job);
  EXPECT_EQ(r.results.filesOther, std::deque<std::string>{locked});
  EXPECT_EQ(Sorted(r.results.foldersOther),
            (std::vector<std::string>{temp / "C\\Customer2", temp / "C\\Customer2\\Programs", temp / "C\\Customer2\\Programs\\Beta"}));
  EXPECT_EQ(GetFileAttributesA(locked.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD(FILE_ATTRIBUTE_READONLY));  // never cleared
  EXPECT_EQ(ListTree(temp / "C\\Customer2"), "Programs\\\nPrograms\\Beta\\\nPrograms\\Beta\\Main.cpp\n");
}

TEST(DeleteEngine, APathAtTheLimitIsOtherReasonsAndKeepsItsFolders) {
  TempDir temp;
  const std::string folder = temp.AddFolder("L\\" + std::string(240 - temp.Path().size(), 'd'));
  const std::string longFile = folder + "\\" + std::string(255 - folder.size() - 1, 'f');
  ASSERT_EQ(longFile.size(), treeops::kPathLimit);
  testsupport::WriteFile(longFile, "x");
  temp.AddFile("L\\short.txt", "s");
  treeops::DeleteJob job;
  job.includes = Inside(temp, {"L"});
  DeleteRun r;
  r.PredictAndRun(temp, job);
  EXPECT_EQ(r.results.filesOther, std::deque<std::string>{longFile});
  EXPECT_EQ(r.results.counters, (std::array<double, 6>{0, 1, 0, 0, 2, 1}));
  EXPECT_TRUE(testsupport::FileExists(longFile));
}

TEST(DeleteEngine, ALinkIsNeverEnteredAndItsTargetStays) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "links are made with the Unix ln";
  TempDir temp;
  temp.AddFolder("outside\\empty");
  temp.AddFile("outside\\full\\f.txt", "x");
  temp.AddFile("M\\a.txt", "a");
  ASSERT_TRUE(testsupport::MakeUnixSymlink(temp / "M\\toEmpty", temp / "outside\\empty"));
  ASSERT_TRUE(testsupport::MakeUnixSymlink(temp / "M\\toFull", temp / "outside\\full"));
  ASSERT_TRUE(testsupport::MakeUnixSymlink(temp / "linkedMain", temp / "outside\\full"));
  const std::string outside = Snapshot(temp / "outside");
  for (treeops::DeleteMode mode : {treeops::DeleteMode::SubFolders, treeops::DeleteMode::FilesInMainFolders}) {
    treeops::DeleteJob job;
    job.mode = mode;
    job.patterns = {"*.*"};
    job.includes = Inside(temp, {"linkedMain"});
    DeleteRun r;
    r.PredictAndRun(temp, job);
    EXPECT_EQ(r.results.counters, (std::array<double, 6>{0, 0, 0, 0, 1, 0}));  // a listed link is never entered
  }
  for (treeops::DeleteMode mode : {treeops::DeleteMode::CompleteFolders, treeops::DeleteMode::FilesInTree}) {
    treeops::DeleteJob job;
    job.mode = mode;
    job.patterns = {"*.*"};
    job.protectedFolders = treetest::Protected();
    job.includes = Inside(temp, {"M"});
    DeleteRun r;
    r.PredictAndRun(temp, job);
    EXPECT_EQ(Snapshot(temp / "outside"), outside);
    EXPECT_FALSE(testsupport::FileExists(temp / "M\\a.txt"));
  }
}

TEST(DeleteEngine, ARefusedTargetIsListedAndNothingIsTouched) {
  TempDir temp;
  MakeExamplesTree(temp);
  temp.AddFolder("guarded\\inner");
  testsupport::MappedDrive drive(temp.AddFolder("root"));  // a folder of its own: C stays C
  std::deque<std::string> lines = {"C\\Customer1\\..\\Customer2\\.", "C\\con", "guarded", "guarded\\inner", "C\\Customer1 \\x"};
  const std::deque<std::string> missing = Inside(temp, {"C\\Missing", "C\\Customer1\\index.html"});
  if (drive.Letter()) lines.push_back(drive.Root());
  for (treeops::DeleteMode mode : {treeops::DeleteMode::CompleteFolders, treeops::DeleteMode::FilesInMainFolders}) {
    treeops::DeleteJob job;
    job.mode = mode;
    job.patterns = {"*.*"};
    job.protectedFolders = treetest::Protected(temp / "guarded\\inner");
    job.includes = Inside(temp, lines, drive.Root());
    job.includes.insert(job.includes.end(), missing.begin(), missing.end());
    const std::string before = Snapshot(temp.Path());
    DeleteRun r;
    r.PredictAndRun(temp, job);
    EXPECT_EQ(Snapshot(temp.Path()), before);
    EXPECT_EQ(r.results.counters, (std::array<double, 6>{0, 0, 2, 0, double(lines.size()), 0}));
    EXPECT_EQ(r.results.reasons.size(), lines.size());
  }
}

// A deletion the system takes but does not carry out (under Wine the
// removal happens as the handle closes, and a refusal there is silent) is
// never counted as done: each such item is other reasons with why, its folders
// stay as not empty, and every counter agrees with the disk. The simulation
// cannot know such a refusal: it foretells those items deleted.
struct RefusalCase {
  treeops::DeleteMode mode;
  std::vector<const char*> includes;
  std::array<double, 6> counters;
  std::vector<const char*> filesDeleted, filesOther, foldersDeleted, foldersOther;
  const char* left;  // what stays of M
};
const RefusalCase kRefusalCases[] = {
    {treeops::DeleteMode::CompleteFolders, {"M"}, {1, 2, 0, 0, 3, 1}, {"M\\Other\\o.txt", "M\\a.txt"},
     {"M\\Keep\\k.txt"}, {"M\\Other"}, {"M\\Keep\\Sub", "M\\Keep", "M"}, "Keep\\\nKeep\\Sub\\\nKeep\\k.txt\n"},
    {treeops::DeleteMode::SubFolders, {"M"}, {1, 2, 0, 0, 2, 1}, {"M\\Other\\o.txt", "M\\a.txt"}, {"M\\Keep\\k.txt"},
     {"M\\Other"}, {"M\\Keep\\Sub", "M\\Keep"}, "Keep\\\nKeep\\Sub\\\nKeep\\k.txt\n"},
    {treeops::DeleteMode::FilesInMainFolders, {"M\\Keep", "M\\Other"}, {0, 1, 0, 0, 0, 1}, {"M\\Other\\o.txt"},
     {"M\\Keep\\k.txt"}, {}, {}, "Keep\\\nKeep\\Sub\\\nKeep\\k.txt\nOther\\\na.txt\n"},
};

void MakeRefusalTree(const TempDir& temp) {
  temp.AddFile("M\\a.txt", "a");
  temp.AddFile("M\\Keep\\k.txt", "k");
  temp.AddFolder("M\\Keep\\Sub");
  temp.AddFile("M\\Other\\o.txt", "o");
}

// Runs c on the refusal tree with remover (the system's when null) and checks
// the outcome against the disk.
void ExpectRefusalsCounted(const TempDir& temp, const RefusalCase& c, core::Remover* remover) {
  treeops::DeleteJob job;
  job.mode = c.mode;
  job.patterns = {"*.*"};
  job.protectedFolders = treetest::Protected();
  for (const char* line : c.includes) job.includes.push_back(temp / line);
  const treeops::DeletePlan plan = treeops::PreviewDelete(job);
  treeops::DeleteResults predicted, results;
  treetest::TestRemover simulation(true);
  ASSERT_TRUE(treeops::RunDelete(plan, true, predicted, treeops::Progress(), &simulation));
  EXPECT_TRUE(predicted.filesOther.empty()) << "a refusal at the close cannot be foretold";
  ASSERT_TRUE(treeops::RunDelete(plan, false, results, treeops::Progress(), remover));
  auto paths = [&](const std::vector<const char*>& relative) {
    std::deque<std::string> out;
    for (const char* r : relative) out.push_back(temp / r);
    return out;
  };
  EXPECT_EQ(results.counters, c.counters);
  EXPECT_EQ(results.filesDeleted, paths(c.filesDeleted));
  EXPECT_EQ(results.filesOther, paths(c.filesOther));
  EXPECT_EQ(results.foldersDeleted, paths(c.foldersDeleted));
  EXPECT_EQ(results.foldersOther, paths(c.foldersOther));
  EXPECT_EQ(ListTree(temp / "M"), c.left);
  // Each item counted deleted is gone, each other one is there, with why.
  for (const auto* list : {&results.filesDeleted, &results.foldersDeleted})
    for (const std::string& p : *list) EXPECT_FALSE(testsupport::PathExists(p)) << p;
  const std::string stillThere = core::RemovalReason(core::kErrorStillThere);
  for (const auto* list : {&results.filesOther, &results.foldersOther})
    for (const std::string& p : *list) {
      EXPECT_TRUE(testsupport::PathExists(p)) << p;
      const auto why = std::find_if(results.reasons.begin(), results.reasons.end(),
                                    [&](const treeops::Refusal& r) { return r.path == p; });
      ASSERT_NE(why, results.reasons.end()) << p;
      const bool inKeep = p.find("\\Keep\\") != std::string::npos;
      EXPECT_EQ(why->reason, inKeep ? stillThere : core::RemovalReason(ERROR_DIR_NOT_EMPTY)) << p;
    }
}

TEST(DeleteEngine, ARemovalTheSystemTookButDidNotCarryOutIsNeverCountedDeleted) {
  for (const RefusalCase& c : kRefusalCases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    TempDir temp;
    MakeRefusalTree(temp);
    treetest::RefusedAtClose remover(temp / "M\\Keep");
    ExpectRefusalsCounted(temp, c, &remover);
    EXPECT_GT(remover.refused, 0);
  }
}

TEST(DeleteEngine, AFolderTheFileSystemKeepsUnchangedKeepsWhatIsInItAndSaysWhy) {
  for (const RefusalCase& c : kRefusalCases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    TempDir temp;
    MakeRefusalTree(temp);
    testsupport::ImmutableFolder keep(temp / "M\\Keep");
    if (!keep.Made()) GTEST_SKIP() << "the immutable flag cannot be set here (chattr needs root under Wine on a "
                                      "file system that has it): the remover test above covers the counting";
    ExpectRefusalsCounted(temp, c, nullptr);
  }
}

// The contents remover counts the same way: an entry the system took and did
// not remove is a failure with why, never removed.
TEST(DeleteEngine, TheContentsRemoverNeverCountsARefusedEntryRemoved) {
  TempDir temp;
  MakeRefusalTree(temp);
  treetest::RefusedAtClose remover(temp / "M\\Keep");
  const core::ContentsRemoval removal = core::RemoveFolderContents(temp / "M", &remover);
  EXPECT_FALSE(removal.Complete());
  EXPECT_EQ(ListTree(temp / "M"), "Keep\\\nKeep\\Sub\\\nKeep\\k.txt\n");
  for (const core::RemovalItem& item : removal.items) {
    SCOPED_TRACE(item.path);
    EXPECT_EQ(item.outcome == core::RemovalOutcome::Removed, !testsupport::PathExists(item.path));
    if (item.path.find("\\Keep\\") != std::string::npos) {
      EXPECT_EQ(item.error, core::kErrorStillThere);
    }
  }
}

} // namespace
