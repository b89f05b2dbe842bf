// Protected folders are known by what they are, not by how a line spells
// them: a folder of the test's own inside the Windows folder (a decoy) is
// reached through Z: (Wine's drive for the Linux tree) and through a link made
// in the test's temp folder; a folder holding a start-up folder of the test's
// own is reached through Z:. The target check refuses every such line with its
// reason, the place check refuses every such item, and the delete run leaves
// the decoy byte for byte when a link is swapped in after its plan was made.
// A drive letter whose root lies deep inside the decoy is refused as a whole,
// also when it is mapped there only after a delete's count.
#include "core/location.h"
#include "core/protected_places.h"
#include "engine/treeops_fixture.h"
#include "support/windows_decoy.h"
#include "support/wine_unix.h"
#include "treeops/copy_engine.h"
#include "treeops/delete_engine.h"
#include "treeops/tree_target.h"

using testsupport::TempDir;
using testsupport::WindowsDecoy;

namespace {

#define NEEDS_WINE_ROADS()                                                           \
  if (!testsupport::UnderWine()) GTEST_SKIP() << "links and Z: are made from the Linux side"

// The test's tree: a link "win" to the Windows folder, a start-up folder
// p\st with its settings file and a user's file beside it.
struct Roads {
  WindowsDecoy decoy;
  TempDir temp;
  std::string zWindows, zTemp, startup;
  treeops::ProtectedFolders folders;
  bool Ready() {
    if (!decoy.Made()) return false;
    startup = temp.AddFolder("p\\st");
    temp.AddFile("p\\st\\default.set", "settings");
    temp.AddFile("p\\user.txt", "the user's");
    temp.AddFile("plain\\a.txt", "a");
    zWindows = testsupport::ZSpelling(decoy.Windows());
    zTemp = testsupport::ZSpelling(temp.Path());
    folders = treetest::Protected(startup);
    return !zWindows.empty() && !zTemp.empty() && testsupport::MakeUnixSymlink(temp / "win", decoy.Windows());
  }
};

} // namespace

// Every road to a protected folder is refused with the reason the plain
// spelling gets; a folder beside them stays free.
TEST(ProtectedPlaces, EveryRoadToAProtectedFolderIsKnownByWhatItIs) {
  NEEDS_WINE_ROADS();
  Roads r;
  ASSERT_TRUE(r.Ready());
  const std::string inWindows = "it lies inside the protected folder " + r.decoy.Windows();
  const std::string windows = "the protected folder " + r.decoy.Windows();
  const std::string holdsStartup = "it holds the protected folder " + r.startup;
  const std::string name = r.decoy.Name();
  struct Case {
    std::string line;
    bool rootTaken;
    std::string reason;  // empty: taken
  } cases[] = {
      {r.decoy.Path(), false, inWindows},
      {r.zWindows + "\\" + name, false, inWindows},
      {r.zWindows + "\\" + name + "\\d1", false, inWindows},
      {r.zWindows, false, windows},
      {r.zWindows, true, windows},
      {r.temp / ("win\\" + name), false, inWindows},
      {r.temp / ("WIN\\" + name + "\\d1\\"), false, inWindows},
      {r.temp / "win", false, windows},
      {r.zTemp + "\\p", false, holdsStartup},
      {r.zTemp + "\\p", true, holdsStartup},
      {r.zTemp + "\\P\\ST", false, "the protected folder " + r.startup},
      {r.zTemp + "\\plain", false, ""},
      {r.temp / "plain", false, ""},
      {r.temp / "p\\st2", false, ""},
  };
  const std::shared_ptr<core::ProtectedPlaces> places = treeops::PlacesOf(r.folders);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const treeops::TargetCheck check = treeops::CheckTarget(c.line, r.folders, c.rootTaken, places.get());
    EXPECT_EQ(check.ok, c.reason.empty());
    EXPECT_EQ(check.reason, c.reason);
  }
  // A drive root the copy page takes is refused only as what it is.
  EXPECT_TRUE(treeops::CheckTarget("C:\\", r.folders, true, places.get()).ok);
}

// Lines checked together, as a run or a list's road checks them (the folders
// holding them kept open for listing meanwhile): each folder is judged by its
// own identity, never by a sibling's that was asked before it. The protected
// start-up folder, reached through Z: after folders beside it, is refused in
// any order of its siblings, and the siblings stay free.
TEST(ProtectedPlaces, LinesCheckedTogetherAreEachJudgedByTheirOwnFolder) {
  NEEDS_WINE_ROADS();
  Roads r;
  ASSERT_TRUE(r.Ready());
  for (const char* name : {"a1", "a2", "sa", "su", "zz"}) r.temp.AddFolder(std::string("p\\") + name);
  const std::string protectedStartup = "the protected folder " + r.startup;
  const std::vector<std::vector<std::string>> orders = {
      {"a1", "a2", "st", "su", "zz"}, {"zz", "st", "a1"}, {"sa", "su", "st"}, {"st", "a1", "sa"}};
  for (const std::vector<std::string>& order : orders) {
    const std::shared_ptr<core::ProtectedPlaces> places = treeops::PlacesOf(r.folders);
    const core::ProtectedPlaces::HeldListings held(places.get());
    for (const std::string& name : order) {
      const std::string line = r.zTemp + "\\p\\" + name;
      SCOPED_TRACE(line);
      const treeops::TargetCheck check = treeops::CheckTarget(line, r.folders, false, places.get());
      EXPECT_EQ(check.reason, name == "st" ? protectedStartup : "");
    }
  }
}

// Under Wine the protected folders' volume is read once per drive: what a
// handle on any folder tells of its volume is what it tells of the drive the
// system names the folder's place by (the drive whose root lies deepest
// above it), however the folder was reached: through C:, through Z:, through
// a letter mapped to a folder inside C:, and past such a letter's root.
TEST(ProtectedPlaces, AFoldersVolumeIsTheOneOfTheDriveNamingItsPlace) {
  NEEDS_WINE_ROADS();
  ASSERT_TRUE(core::VolumeFollowsDrive());
  Roads r;
  ASSERT_TRUE(r.Ready());
  r.temp.AddFolder("mapped\\inner");
  testsupport::MappedDrive drive(r.temp / "mapped");
  if (!drive.Letter()) GTEST_SKIP() << "no drive letters to spare";
  const std::vector<std::string> folders = {
      r.startup, r.zTemp + "\\p\\st", r.temp / "mapped", r.temp / "mapped\\inner", drive.Root() + "inner",
      drive.Root(), r.zWindows, "C:\\", "Z:\\"};
  for (const std::string& folder : folders) {
    SCOPED_TRACE(folder);
    HANDLE h = core::OpenForIdentity(folder);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD error = 0;
    const std::string resolved = core::ResolvedPathOf(h, error);
    core::FileIdentity identity;
    ASSERT_TRUE(core::IdentityOf(h, identity));
    CloseHandle(h);
    ASSERT_EQ(error, 0u);
    const std::string root = resolved.size() >= 2 && resolved[1] == ':' ? resolved.substr(0, 2) + "\\" : "";
    ASSERT_FALSE(root.empty()) << resolved;
    core::FileIdentity ofRoot;
    ASSERT_TRUE(core::IdentityAt(root, ofRoot));
    EXPECT_EQ(identity.volume, ofRoot.volume) << resolved;
  }
}

// The place check before every act: a road with a link above it is closed, a
// road inside the Windows folder is closed, and an item that is, holds or lies
// inside a protected folder is never touched, whatever road reaches it.
TEST(ProtectedPlaces, ThePlaceCheckRefusesEveryRoadIntoAProtectedFolder) {
  NEEDS_WINE_ROADS();
  Roads r;
  ASSERT_TRUE(r.Ready());
  const std::string name = r.decoy.Name();
  struct Case {
    std::string road;  // listed first ("" for none)
    std::string item;
    DWORD roadError, itemError;
  } cases[] = {
      // A link above the road: closed, and nothing below it reached.
      {r.temp / ("win\\" + name), r.temp / ("win\\" + name + "\\keep.txt"), core::kErrorRoadMoved,
       core::kErrorRoadMoved},
      // Z: names drive_c by another road: its folder is not itself there.
      {r.zWindows + "\\" + name, r.zWindows + "\\" + name + "\\keep.txt", core::kErrorRoadMoved,
       core::kErrorRoadMoved},
      // The Windows folder's insides, by any road.
      {r.decoy.Path(), r.decoy.Path() + "\\d1\\inner.txt", core::kErrorProtected, core::kErrorProtected},
      {"", r.zWindows + "\\" + name + "\\keep.txt", 0, core::kErrorProtected},
      {"", r.temp / ("win\\" + name + "\\d1"), 0, core::kErrorProtected},
      // A road holding the start-up folder: what lies in it stays, the rest does not.
      {r.temp / "p", r.temp / "p\\st\\default.set", 0, core::kErrorProtected},
      {r.temp / "p", r.temp / "p\\st", 0, core::kErrorProtected},
      {r.temp / "p", r.temp / "p", 0, core::kErrorProtected},
      {r.temp / "p", r.temp / "p\\user.txt", 0, 0},
      {"", r.zTemp + "\\p\\st\\default.set", 0, 0},  // Z: spells its own name: no road, inside a folder itself
      {r.temp / "plain", r.temp / "plain\\a.txt", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.road + " | " + c.item);
    core::LocationCheck check;
    check.Protect(treeops::PlacesOf(r.folders));
    if (!c.road.empty()) {
      EXPECT_EQ(check.ListRoad(c.road).error, c.roadError);
    }
    const core::ItemLocation at = check.Of(c.item);
    EXPECT_EQ(at.error, c.itemError);
  }
  EXPECT_NE(core::RemovalReason(core::kErrorProtected).find("protected folder"), std::string::npos);
  EXPECT_EQ(r.decoy.Picture(), "d1\\\nd1\\inner.txt\nkeep.txt\nd1\\inner.txt=decoy inner\nkeep.txt=decoy data\n");
}

// A place whose name holds a letter the code page lacks is never spelt with
// a look-alike: it cannot be taken for the real folder of the look-alike name.
TEST(ProtectedPlaces, APlaceSpeltWithALetterTheCodePageLacksIsNeverALookAlike) {
  NEEDS_WINE_ROADS();
  if (GetACP() == CP_UTF8) GTEST_SKIP() << "every letter spells back in UTF-8";
  TempDir temp;
  temp.AddFolder("data");
  ASSERT_TRUE(testsupport::MakeUnixEntry(temp.Path(), "d\xCE\xB1ta", true));  // "dαta"
  std::wstring wide(temp.Path().begin(), temp.Path().end());
  wide += L"\\d\x03B1ta";
  HANDLE h = CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD error = 0;
  const std::string resolved = core::ResolvedPathOf(h, error);
  CloseHandle(h);
  EXPECT_EQ(error, DWORD(ERROR_NOT_SUPPORTED)) << resolved;
  EXPECT_TRUE(resolved.empty()) << resolved;
}

// A link swapped in above a planned folder after the plan was made: every
// delete mode, simulated and run, leaves the Windows folder's decoy byte for
// byte, the run doing what the simulation said.
TEST(ProtectedPlaces, ALinkSwappedInAfterThePlanLeadsNoDeleteIntoTheWindowsFolder) {
  NEEDS_WINE_ROADS();
  for (const treeops::DeleteMode mode : {treeops::DeleteMode::FilesInTree, treeops::DeleteMode::FilesInMainFolders,
                                         treeops::DeleteMode::SubFolders, treeops::DeleteMode::CompleteFolders}) {
    SCOPED_TRACE(static_cast<int>(mode));
    WindowsDecoy decoy;
    ASSERT_TRUE(decoy.Made());
    const std::string picture = decoy.Picture();
    TempDir temp;
    // The folder as listed: a real one, with the decoy's name and shape.
    temp.AddFile("m\\" + decoy.Name() + "\\keep.txt", "mine");
    temp.AddFile("m\\" + decoy.Name() + "\\d1\\inner.txt", "mine too");
    treeops::DeleteJob job;
    job.includes = treetest::Inside(temp, {"m\\" + decoy.Name()});
    job.mode = mode;
    job.patterns = {"*.txt"};
    job.protectedFolders = treetest::Protected();
    const treeops::DeletePlan plan = treeops::PreviewDelete(job);
    ASSERT_TRUE(plan.refused.empty());
    ASSERT_GT(plan.Items(), 0u);
    // Then "m" becomes a link to the Windows folder.
    ASSERT_TRUE(testsupport::MoveOnUnixSide(temp / "m", temp / "m-listed"));
    ASSERT_TRUE(testsupport::MakeUnixSymlink(temp / "m", decoy.Windows()));
    treeops::DeleteResults predicted, results;
    treetest::TestRemover simulation(true), run(false);
    EXPECT_TRUE(treeops::RunDelete(plan, true, predicted, treeops::Progress(), &simulation));
    EXPECT_TRUE(treeops::RunDelete(plan, false, results, treeops::Progress(), &run));
    EXPECT_EQ(decoy.Picture(), picture);
    EXPECT_EQ(predicted.counters, results.counters);
    EXPECT_EQ(predicted.foldersOther, results.foldersOther);
    EXPECT_EQ(predicted.filesOther, results.filesOther);
    EXPECT_EQ(results.counters[0] + results.counters[1], 0);
    // And the line itself, judged again, is refused by what it is now.
    const treeops::DeletePlan again = treeops::PreviewDelete(job);
    ASSERT_EQ(again.refused.size(), 1u);
    EXPECT_EQ(again.refused[0].reason, "it lies inside the protected folder " + decoy.Windows());
  }
}

// A delete line with a link above it on its path (to a folder outside the
// list) is refused where the plan is made, with why, and never walked: the
// data the link leads to stays byte for byte.
TEST(ProtectedPlaces, ADeleteLineWithALinkOnItsPathIsRefusedByThePlan) {
  NEEDS_WINE_ROADS();
  TempDir temp, outside;
  outside.AddFile("d1\\data.txt", "outside data");
  const std::string before = treetest::Snapshot(outside.Path());
  ASSERT_TRUE(testsupport::MakeUnixSymlink(temp / "lnk", outside.Path()));
  treeops::DeleteJob job;
  job.includes = treetest::Inside(temp, {"lnk\\d1"});
  job.mode = treeops::DeleteMode::CompleteFolders;
  job.protectedFolders = treetest::Protected();
  treetest::DeleteRun r;
  r.PredictAndRun(temp, job);
  ASSERT_EQ(r.plan.refused.size(), 1u);
  EXPECT_EQ(r.plan.refused[0].reason, core::RemovalReason(core::kErrorRoadMoved));
  EXPECT_EQ(r.plan.Items(), 0u);
  EXPECT_EQ(r.runCalls, 0);
  EXPECT_EQ(treetest::Snapshot(outside.Path()), before);
}

// A copy into a drive root never enters a folder there that is the Windows
// folder by what it is (a link to it), and says so: nothing lands in it.
TEST(ProtectedPlaces, ACopyIntoARootKnowsTheWindowsFolderByWhatItIs) {
  NEEDS_WINE_ROADS();
  WindowsDecoy decoy;
  ASSERT_TRUE(decoy.Made());
  const std::string picture = decoy.Picture();
  TempDir temp;
  temp.AddFolder("root");
  temp.AddFolder("S\\w\\" + decoy.Name() + "\\new");
  ASSERT_TRUE(testsupport::MakeUnixSymlink(temp / "root\\w", decoy.Windows()));
  testsupport::MappedDrive drive(temp / "root");
  if (!drive.Letter()) GTEST_SKIP() << "no drive letter to spare";
  treeops::CopyJob job;
  job.includes = {drive.Root()};
  job.structures = {temp / "S"};
  job.option = treeops::CopyOption::SubOnlyWithoutFiles;
  job.protectedFolders = treetest::Protected();
  for (const bool dry : {true, false}) {
    SCOPED_TRACE(dry ? "simulation" : "run");
    const treeops::CopyPreview preview = treeops::PreviewCopy(job);
    ASSERT_EQ(preview.mainFolders, std::vector<std::string>{drive.Root()});
    treeops::CopyResults results;
    treeops::CopyJournal journal;
    EXPECT_TRUE(treeops::RunCopy(preview, dry, results, journal));
    const std::string w = drive.Root() + "w";
    ASSERT_EQ(results.subFoldersOther.size(), 3u);
    EXPECT_EQ(results.subFoldersOther[0], w);
    ASSERT_FALSE(results.reasons.empty());
    EXPECT_EQ(results.reasons[0].reason, "the protected folder " + decoy.Windows() + ": nothing is copied into it");
    EXPECT_EQ(decoy.Picture(), picture);
  }
}

// A drive letter made as SUBST makes one, its root two levels deep inside a
// folder of the test's own in the Windows folder (a decoy), which no folder of
// its drive shows: every line on it is refused where it is taken, by the line
// check and by the place check before each act, its root too (a copy's main
// folder); a letter naming a folder of the test's own and the C: drive stay
// free.
TEST(ProtectedPlaces, ADriveWhoseRootLiesDeepInsideTheWindowsFolderIsRefusedAsAWhole) {
  NEEDS_WINE_ROADS();
  WindowsDecoy decoy;
  ASSERT_TRUE(decoy.Made());
  for (const char* name : {"d1", "d2", "d4"}) decoy.AddFile(std::string("a\\b\\") + name + "\\f.txt", name);
  const std::string picture = decoy.Picture(), inside = "it lies inside the protected folder " + decoy.Windows();
  TempDir temp;
  temp.AddFile("mine\\d1\\f.txt", "mine");
  testsupport::MappedDrive drive(decoy.Path() + "\\a\\b"), mine(temp / "mine");
  if (!drive.Letter() || !mine.Letter()) GTEST_SKIP() << "no drive letters to spare";
  const std::string root = drive.Root();
  const treeops::ProtectedFolders folders = treetest::Protected();
  struct Case {
    std::string line;
    bool rootTaken;
    std::string reason;  // empty: taken
  } cases[] = {
      {root + "d1", false, inside},       {root + "d1\\f.txt", false, inside}, {root + "missing", false, inside},
      {root, true, inside},               {mine.Root() + "d1", false, ""},    {mine.Root(), true, ""},
      {"C:\\", true, ""},                 {temp / "mine\\d1", false, ""},
  };
  const std::shared_ptr<core::ProtectedPlaces> places = treeops::PlacesOf(folders);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const treeops::TargetCheck check = treeops::CheckTarget(c.line, folders, c.rootTaken, places.get());
    EXPECT_EQ(check.ok, c.reason.empty());
    EXPECT_EQ(check.reason, c.reason);
  }
  // The place check: a road on the drive is closed, an item on it refused,
  // each by a check of its own.
  struct Act {
    std::string road, item;
    DWORD roadError, itemError;
  } acts[] = {
      {root + "d1", root + "d1\\f.txt", core::kErrorProtected, core::kErrorProtected},
      {root, root + "d2", core::kErrorProtected, core::kErrorProtected},
      {"", root + "d4\\f.txt", 0, core::kErrorProtected},
      {"", root + "d4", 0, core::kErrorProtected},
      {mine.Root() + "d1", mine.Root() + "d1\\f.txt", 0, 0},
      {"", mine.Root() + "d1", 0, 0},
  };
  for (const Act& a : acts) {
    SCOPED_TRACE(a.road + " | " + a.item);
    core::LocationCheck check;
    check.Protect(treeops::PlacesOf(folders));
    if (!a.road.empty()) {
      EXPECT_EQ(check.ListRoad(a.road).error, a.roadError);
    }
    EXPECT_EQ(check.Of(a.item).error, a.itemError);
  }
  EXPECT_EQ(decoy.Picture(), picture);
}

// Lines and roads taken while the letter named a folder of the test's own,
// then the letter mapped two levels deep into the Windows folder's decoy
// (onto folders of the same names) before the run acts: the place check
// before each act climbs from the drive's root again and refuses every item,
// the simulation saying so too.
TEST(ProtectedPlaces, ALetterMappedIntoTheWindowsFolderAfterTheCountLeadsNoDeleteThere) {
  NEEDS_WINE_ROADS();
  for (const treeops::DeleteMode mode : {treeops::DeleteMode::SubFolders, treeops::DeleteMode::CompleteFolders}) {
    SCOPED_TRACE(static_cast<int>(mode));
    WindowsDecoy decoy;
    ASSERT_TRUE(decoy.Made());
    TempDir temp;
    for (const char* name : {"d1", "d2"}) {
      temp.AddFile(std::string("mine\\") + name + "\\f.txt", "mine");
      decoy.AddFile(std::string("a\\b\\") + name + "\\f.txt", "decoy");
    }
    const std::string picture = decoy.Picture();
    testsupport::MappedDrive drive(temp / "mine");
    if (!drive.Letter()) GTEST_SKIP() << "no drive letter to spare";
    // Past the current second the system names the folders by the new letter,
    // as it names a letter that has stood for long: the roads are taken so.
    Sleep(1100);
    treeops::DeleteJob job;
    job.includes = {drive.Root() + "d1", drive.Root() + "d2"};
    job.mode = mode;
    job.protectedFolders = treetest::Protected();
    const treeops::DeletePlan plan = treeops::PreviewDelete(job);
    ASSERT_TRUE(plan.refused.empty());
    ASSERT_GT(plan.Items(), 0u);
    // Counted as the page counts before its question: everything would go.
    treetest::TestRemover simulation(true), run(false);
    treeops::DeleteResults simulationCount, runCount, predicted, results;
    ASSERT_TRUE(treeops::CountDelete(plan, simulation, simulationCount));
    ASSERT_TRUE(treeops::CountDelete(plan, run, runCount));
    EXPECT_EQ(runCount.counters[0] + runCount.counters[1], static_cast<double>(plan.Items()));
    ASSERT_TRUE(drive.Remap(decoy.Path() + "\\a\\b"));
    EXPECT_TRUE(treeops::RunDelete(plan, true, predicted, treeops::Progress(), &simulation, true));
    EXPECT_TRUE(treeops::RunDelete(plan, false, results, treeops::Progress(), &run, true));
    EXPECT_EQ(decoy.Picture(), picture);
    EXPECT_EQ(predicted.counters, results.counters);
    EXPECT_EQ(predicted.filesOther, results.filesOther);
    EXPECT_EQ(predicted.foldersOther, results.foldersOther);
    EXPECT_EQ(results.counters[0] + results.counters[1], 0);
    ASSERT_FALSE(results.reasons.empty());
    EXPECT_EQ(results.reasons[0].reason, core::RemovalReason(core::kErrorProtected));
    // And the lines, judged again, are refused by what their drive is now.
    const treeops::DeletePlan again = treeops::PreviewDelete(job);
    ASSERT_EQ(again.refused.size(), 2u);
    EXPECT_EQ(again.refused[0].reason, "it lies inside the protected folder " + decoy.Windows());
  }
}
