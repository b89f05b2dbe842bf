// The target check every rename, delete and copy run passes, and the rename
// engine on real temp trees.
#include "treeops/rename_engine.h"
#include "engine/treeops_fixture.h"
#include "support/wine_unix.h"

#include <shlobj.h>

using testsupport::ListTree;
using testsupport::TempDir;
using treetest::Inside;
using treetest::Snapshot;

namespace {

TEST(TreeTarget, RefusesEverythingButAFullPathBelowARootOutsideProtectedFolders) {
  const treeops::ProtectedFolders guarded{"C:\\Guard\\Inner"};
  struct Case { std::string line; const char* normalised; };  // nullptr: refused
  const Case cases[] = {
      {"  C:/data/a/  ", "C:\\data\\a"},
      {"C:\\data\\\\a", "C:\\data\\a"},
      {"\\\\server\\share\\a\\", "\\\\server\\share\\a"},
      {"C:\\Guard\\Inner\\deeper", "C:\\Guard\\Inner\\deeper"},  // inside a protected folder: allowed
      {"data\\a", nullptr}, {"C:data", nullptr}, {"\\data", nullptr},
      {"C:\\", nullptr}, {"C:", nullptr}, {"\\\\server\\share", nullptr}, {"\\\\server\\share\\", nullptr},
      {"C:\\data\\.\\a", nullptr}, {"C:\\data\\..\\a", nullptr}, {"C:\\data\\a.\\b", nullptr}, {"C:\\data\\a \\b", nullptr},
      {"C:\\data\\con", nullptr}, {"C:\\data\\LPT1.txt", nullptr}, {"C:\\data\\a\x01" "b", nullptr},
      {std::string("C:\\data\\a\0b", 11), nullptr},
      {"C:\\data\\*", nullptr}, {"C:\\data\\a?", nullptr}, {"C:\\data\\a|b", nullptr},
      {"\\\\?\\C:\\data", nullptr}, {"\\\\.\\C:\\data", nullptr},
      {"C:\\" + std::string(252, 'x'), nullptr},  // 255 characters: the path limit
      {"C:\\" + std::string(251, 'x'), "C:\\xxx"},
      {"C:\\Guard\\Inner", nullptr}, {"c:\\GUARD", nullptr},  // a protected folder, one holding it
  };
  for (const Case& c : cases) {
    treeops::TargetCheck check = treeops::CheckTarget(c.line, guarded);
    EXPECT_EQ(check.ok, c.normalised != nullptr) << c.line << " " << check.reason;
    if (c.normalised && check.ok && std::string(c.normalised) != "C:\\xxx") EXPECT_EQ(check.path, c.normalised);
    if (!check.ok) EXPECT_FALSE(check.reason.empty()) << c.line;
  }
  // The machine's own protected folders.
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  const treeops::ProtectedFolders system = treeops::SystemProtectedFolders("C:\\Startup");
  for (std::string line : {std::string(windows), std::string(windows) + "\\System32\\..", testsupport::CurrentDirectory(),
                           std::string("C:\\Startup")})
    EXPECT_FALSE(treeops::CheckTarget(line, system).ok) << line;
  TempDir temp;  // a user's folder inside a profile is fine
  EXPECT_TRUE(treeops::CheckTarget(temp / "x", system).ok);
  EXPECT_THROW(Inside(temp, {temp / "..\\..\\x"}), std::runtime_error);  // the tests' own guard
  EXPECT_THROW(Inside(temp, {"C:\\x"}), std::runtime_error);
}

// Nothing in the Windows folder is a target, nor the all-users data folder
// (ProgramData) or a program-files folder itself; the reason names the folder.
TEST(TreeTarget, NothingInsideTheWindowsFolderNorAProgramsFolderIsATarget) {
  auto place = [](int csidl) {
    char buffer[MAX_PATH] = "";
    return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, buffer)) ? std::string(buffer) : std::string();
  };
  const std::string windows = place(CSIDL_WINDOWS), programData = place(CSIDL_COMMON_APPDATA),
                    programFiles = place(CSIDL_PROGRAM_FILES), common = place(CSIDL_PROGRAM_FILES_COMMON);
  ASSERT_FALSE(windows.empty() || programData.empty() || programFiles.empty() || common.empty());
  const treeops::ProtectedFolders system = treeops::SystemProtectedFolders("C:\\Startup");
  struct Case {
    std::string line, named;  // named: the protected folder the reason names
  };
  const Case cases[] = {
      {windows, windows},
      {windows + "\\system32", windows},
      {windows + "\\Temp\\deeper\\still", windows},
      {programData, programData},
      {programFiles, programFiles},
      {common, common},
      {programFiles.substr(0, 2) + "\\", ""},  // a drive root, for its own reason
  };
  for (const Case& c : cases) {
    const treeops::TargetCheck check = treeops::CheckTarget(c.line, system);
    EXPECT_FALSE(check.ok) << c.line;
    if (!c.named.empty()) EXPECT_NE(check.reason.find(c.named), std::string::npos) << c.line << ": " << check.reason;
  }
  // Inside them a folder is the user's, as anywhere else.
  EXPECT_TRUE(treeops::CheckTarget(programData + "\\Vendor\\Cache", system).ok);
  EXPECT_TRUE(treeops::CheckTarget(programFiles + "\\Some Program", system).ok);
  const treeops::ProtectedFolders guarded{treeops::ProtectedFolder("C:\\Guard", true)};
  EXPECT_EQ(treeops::CheckTarget("c:\\guard\\x", guarded).reason, "it lies inside the protected folder C:\\Guard");
  EXPECT_EQ(treeops::CheckTarget("C:\\", guarded).reason, "a drive or share root");
  EXPECT_EQ(treeops::CheckTarget("c:\\GUARD", guarded).reason, "the protected folder C:\\Guard");
}

struct RenameRun {
  treeops::RenameResults predicted, results;
  treeops::RenameHistory history;
  // Simulates (the disk stays byte for byte), then runs: the run does what was predicted.
  void PredictAndRun(const TempDir& temp, const treeops::RenameJob& job) {
    const std::string before = Snapshot(temp.Path());
    treeops::RenameJob dry = job;
    dry.dry = true;
    treeops::RenameHistory none;
    treetest::TestRemover simulation(true);
    EXPECT_TRUE(treeops::RunRename(dry, predicted, none, treeops::Progress(), &simulation));
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(Snapshot(temp.Path()), before);
    EXPECT_TRUE(treeops::RunRename(job, results, history));
    EXPECT_EQ(predicted.counters, results.counters);
    EXPECT_EQ(predicted.renamed, results.renamed);
    EXPECT_EQ(predicted.sourceNotExists, results.sourceNotExists);
    EXPECT_EQ(predicted.destinationExists, results.destinationExists);
    EXPECT_EQ(predicted.otherReasons, results.otherReasons);
  }
};

TEST(RenameEngine, TheExamplesTreeRenamesEachLastFolderAndTheUndoRestoresIt) {
  TempDir temp;
  for (const char* f : {"C\\Customer1\\Emails\\a.txt", "C\\Customer2\\SEO\\b.txt", "C\\Customer3\\Programs\\c.txt"})
    temp.AddFile(f, f);
  const std::string original = Snapshot(temp.Path(), false);
  treeops::RenameJob job;
  job.lines = Inside(temp, {"C\\Customer1\\Emails", "C\\Customer2\\SEO", "C\\Customer3\\Programs"});
  job.protectedFolders = treetest::Protected();
  job.fields = {treeops::RenameMethod::PrefixSuffix, " 2013", "-", "_ ", "May", ""};
  EXPECT_EQ(treeops::PreviewNewPath(job.lines[0], job.fields), temp / "C\\Customer1\\2013-Emails_May");
  RenameRun r;
  r.PredictAndRun(temp, job);
  EXPECT_EQ(r.results.counters, (std::array<double, 4>{3, 0, 0, 0}));
  EXPECT_EQ(ListTree(temp / "C"), "Customer1\\\nCustomer1\\2013-Emails_May\\\nCustomer1\\2013-Emails_May\\a.txt\n"
                                  "Customer2\\\nCustomer2\\2013-SEO_May\\\nCustomer2\\2013-SEO_May\\b.txt\n"
                                  "Customer3\\\nCustomer3\\2013-Programs_May\\\nCustomer3\\2013-Programs_May\\c.txt\n");
  treeops::RenameUndoReport undo = treeops::UndoRename(r.history);
  EXPECT_EQ(undo.restored, 3u);
  EXPECT_TRUE(r.history.empty());
  EXPECT_EQ(Snapshot(temp.Path(), false), original);
}

TEST(RenameEngine, EachLineGetsTheOutcomeItsFolderDecides) {
  TempDir temp;
  for (const char* f : {"t\\a\\b", "t\\Release.2", "t\\d", "t\\e", "t\\xe", "t\\f", "t\\g"}) temp.AddFolder(f);
  temp.AddFile("t\\d\\file.txt", "1");
  // The spare letter names a folder of its own: under Wine a folder that is a
  // drive's root is named by that drive, and t must stay t.
  testsupport::MappedDrive drive(temp.AddFolder("root"));
  enum Outcome { Renamed, NoSource, Exists, Other };
  struct Case { std::string line; Outcome outcome; std::string renamedTo; };
  std::vector<Case> cases = {
      {"t\\a", Renamed, "t\\xa"},               // after its child, which is deeper
      {"t\\a\\b", Renamed, "t\\a\\xb"},
      {"t\\Release.2", Renamed, "t\\xRelease.2"},  // an existing dotted folder keeps its whole name
      {"t\\d\\file.txt", Renamed, "t\\xd"},      // a file's line renames its folder
      {"t\\missing", NoSource, ""},
      {"t\\e", Exists, ""},                      // t\xe is there
      {"t\\f\\", Renamed, "t\\xf"},              // a trailing backslash is no empty name
      {"t\\g\\..", Other, ""},
      {"t\\con", Other, ""},
  };
  if (drive.Letter()) cases.push_back({drive.Root(), Other, ""});  // a root composes no name
  std::deque<std::string> relative;
  for (const Case& c : cases) relative.push_back(c.line);
  treeops::RenameJob job;
  job.lines = Inside(temp, relative, drive.Root());
  job.protectedFolders = treetest::Protected();
  job.fields.prefix = "x";
  RenameRun r;
  r.PredictAndRun(temp, job);
  for (size_t i = 0; i < cases.size(); ++i) {
    const treeops::RenameResults& res = r.results;
    const std::deque<std::string>* lists[] = {&res.renamed, &res.sourceNotExists, &res.destinationExists, &res.otherReasons};
    const std::string expected = cases[i].outcome == Renamed ? temp / cases[i].renamedTo
                                 : cases[i].outcome == Other ? core::TrimText(job.lines[i])
                                                             : temp / cases[i].line;
    const std::deque<std::string>& list = *lists[cases[i].outcome];
    bool found = false;
    for (const std::string& e : list) found |= core::SameText(e, expected) || core::SameText(e + "\\", expected);
    EXPECT_TRUE(found) << cases[i].line;
  }
  EXPECT_EQ(r.results.reasons.size(), r.results.otherReasons.size());
  ASSERT_FALSE(r.results.renamed.empty());
  // Deepest first: the child was renamed before its parent.
  EXPECT_EQ(r.results.renamed.front(), temp / "t\\a\\xb");
  EXPECT_TRUE(testsupport::FolderExists(temp / "t\\xa\\xb"));
}

TEST(RenameEngine, ACollisionLeavesTheLaterLineAndACaseChangeIsMadeAndUndone) {
  TempDir temp;
  for (const char* f : {"p\\one", "p\\two", "q\\abc"}) temp.AddFolder(f);
  temp.AddFile("q\\abc\\in.txt", "keep");
  const std::string original = Snapshot(temp.Path(), false);
  treeops::RenameJob job;
  job.protectedFolders = treetest::Protected();
  job.fields.method = treeops::RenameMethod::NewName;
  job.fields.newName = "Same";
  job.lines = Inside(temp, {"p\\one", "p\\two"});
  RenameRun collide;
  collide.PredictAndRun(temp, job);
  EXPECT_EQ(collide.results.counters, (std::array<double, 4>{1, 0, 1, 0}));
  EXPECT_EQ(collide.results.destinationExists, std::deque<std::string>{temp / "p\\two"});
  EXPECT_EQ(ListTree(temp / "p"), "Same\\\ntwo\\\n");

  job.fields.newName = "ABC";
  job.lines = Inside(temp, {"q\\abc"});
  RenameRun caseOnly;
  caseOnly.PredictAndRun(temp, job);
  EXPECT_EQ(caseOnly.results.counters[0], 1);
  EXPECT_EQ(ListTree(temp / "q"), "ABC\\\nABC\\in.txt\n");
  treeops::UndoRename(caseOnly.history);
  treeops::UndoRename(collide.history);
  EXPECT_EQ(Snapshot(temp.Path(), false), original);
}

// The undo gives each folder back its name as it stood on disk, whatever the
// spelling of the lines that named it.
TEST(RenameEngine, UndoRestoresTheNamesAsTheDiskSpelledThem) {
  TempDir temp;
  temp.AddFile("X\\P\\C\\in.txt", "keep");
  std::string lower = temp.Path(), upper = temp.Path();
  for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  treeops::RenameJob job;
  job.protectedFolders = treetest::Protected();
  job.fields.prefix = "n-";
  job.lines = Inside(temp, {lower + "\\x\\p", upper + "\\X\\p\\c"});
  RenameRun r;
  r.PredictAndRun(temp, job);
  EXPECT_EQ(r.results.counters, (std::array<double, 4>{2, 0, 0, 0}));
  EXPECT_EQ(ListTree(temp / "X"), "n-p\\\nn-p\\n-c\\\nn-p\\n-c\\in.txt\n");
  const treeops::RenameUndoReport undo = treeops::UndoRename(r.history);
  EXPECT_EQ(undo.restored, 2u);
  EXPECT_FALSE(undo.Failures());
  EXPECT_EQ(ListTree(temp / "X"), "P\\\nP\\C\\\nP\\C\\in.txt\n");
}

TEST(RenameEngine, UndoRenamesBackOnlyWhatIsStillThereUnchanged) {
  TempDir temp;
  for (const char* f : {"u\\keep", "u\\gone", "u\\taken", "u\\swapped"}) temp.AddFolder(f);
  treeops::RenameJob job;
  job.protectedFolders = treetest::Protected();
  job.fields.suffix = "2";
  job.lines = Inside(temp, {"u\\keep", "u\\gone", "u\\taken", "u\\swapped"});
  RenameRun r;
  r.PredictAndRun(temp, job);
  ASSERT_EQ(r.history.size(), 4u);
  RemoveDirectoryA((temp / "u\\gone2").c_str());
  temp.AddFolder("u\\taken");                        // the old name is used again
  // Another folder under the new name: made while the renamed one still
  // stands elsewhere, so that it is another item (a folder removed first may
  // leave its index to the next one made, as Linux file systems do).
  ASSERT_TRUE(MoveFileA((temp / "u\\swapped2").c_str(), (temp / "u\\aside").c_str()));
  temp.AddFolder("u\\swapped2");
  ASSERT_TRUE(RemoveDirectoryA((temp / "u\\aside").c_str()));
  treeops::RenameUndoReport undo = treeops::UndoRename(r.history);
  EXPECT_EQ(undo.restored, 1u);
  EXPECT_EQ(undo.sourceNotExists.size(), 2u);  // gone, and another folder now
  EXPECT_EQ(undo.destinationExists, std::deque<std::string>{temp / "u\\taken"});
  EXPECT_EQ(ListTree(temp / "u"), "keep\\\nswapped2\\\ntaken2\\\ntaken\\\n");
}

TEST(RenameEngine, ALinkIsNeverRenamedNorFollowed) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "links are made with the Unix ln";
  TempDir temp;
  temp.AddFile("target\\f.txt", "x");
  ASSERT_TRUE(testsupport::MakeUnixSymlink(temp / "link", temp / "target"));
  const std::string before = Snapshot(temp.Path());
  treeops::RenameJob job;
  job.protectedFolders = treetest::Protected();
  job.fields.prefix = "x";
  job.lines = Inside(temp, {"link"});
  RenameRun r;
  r.PredictAndRun(temp, job);
  EXPECT_EQ(r.results.counters, (std::array<double, 4>{0, 0, 0, 1}));
  EXPECT_EQ(Snapshot(temp.Path()), before);
}

// Each run keeps its own history; the undo of the second run's takes back
// that run only (parents first), leaving the names the first run gave. The
// first run's history then finds its folders renamed since (by the second run
// and its undo): changed, they keep their names (the page keeps the last
// run's history alone).
TEST(RenameEngine, EachRunHasItsOwnHistoryAndItsUndoTakesBackThatRunOnly) {
  TempDir temp;
  temp.AddFile("r\\S\\b\\in.txt", "keep");
  temp.AddFile("r\\T\\c\\deep.txt", "deep");
  const std::string original = Snapshot(temp.Path(), false);
  treeops::RenameJob job;
  job.protectedFolders = treetest::Protected();
  job.fields.prefix = "q";
  job.fields.prefixDelimiter = "_";
  job.lines = Inside(temp, {"r\\S\\b", "r\\T", "r\\T\\c"});
  treeops::RenameResults first, second;
  treeops::RenameHistory firstHistory, secondHistory;
  ASSERT_TRUE(treeops::RunRename(job, first, firstHistory));
  EXPECT_EQ(first.counters, (std::array<double, 4>{3, 0, 0, 0}));
  const std::string afterFirst = Snapshot(temp.Path(), false);
  // The same list again finds b gone; the renamed folders are renamed once more.
  job.lines = Inside(temp, {"r\\S\\b", "r\\S\\q_b", "r\\q_T"});
  ASSERT_TRUE(treeops::RunRename(job, second, secondHistory));
  EXPECT_EQ(second.counters, (std::array<double, 4>{2, 1, 0, 0}));
  EXPECT_EQ(ListTree(temp / "r"), "S\\\nS\\q_q_b\\\nS\\q_q_b\\in.txt\nq_q_T\\\nq_q_T\\q_c\\\nq_q_T\\q_c\\deep.txt\n");
  ASSERT_EQ(firstHistory.size(), 3u);
  ASSERT_EQ(secondHistory.size(), 2u);
  treeops::RenameUndoReport undo = treeops::UndoRename(secondHistory);
  EXPECT_EQ(undo.restored, 2u);
  EXPECT_FALSE(undo.Failures());
  EXPECT_TRUE(secondHistory.empty());
  EXPECT_EQ(Snapshot(temp.Path(), false), afterFirst);
  undo = treeops::UndoRename(firstHistory);
  EXPECT_EQ(undo.restored, 0u);
  EXPECT_EQ(undo.otherReasons, (std::deque<std::string>{temp / "r\\q_T", temp / "r\\S\\q_b"}));
  EXPECT_EQ(undo.sourceNotExists, std::deque<std::string>{temp / "r\\T\\q_c"});  // its parent kept q_T
  EXPECT_EQ(Snapshot(temp.Path(), false), afterFirst);
  EXPECT_NE(original, afterFirst);
}

// A folder is known by its identity and the moment of its last change, as
// the run left it: one whose file was written over since is taken back, one
// something was added to or taken out of since is the user's now and keeps
// its new name, with why.
TEST(RenameEngine, UndoKeepsAFolderChangedSinceAndTakesBackOneAFileWasWrittenIn) {
  TempDir temp;
  temp.AddFile("r\\F\\f.txt", "f");
  temp.AddFolder("r\\G");
  temp.AddFile("r\\H\\h.txt", "h");
  treeops::RenameJob job;
  job.protectedFolders = treetest::Protected();
  job.fields.prefix = "p_";
  job.lines = Inside(temp, {"r\\F", "r\\G", "r\\H"});
  RenameRun r;
  r.PredictAndRun(temp, job);
  ASSERT_EQ(r.results.counters, (std::array<double, 4>{3, 0, 0, 0}));
  for (const _tagReplaceFoldersStruct& record : r.history) {
    EXPECT_TRUE(record.identity.known) << record.newPath;
    EXPECT_NE(record.changed, 0) << record.newPath;
  }
  Sleep(20);
  temp.AddFile("r\\p_F\\f.txt", "written over");  // no entry added or taken out
  temp.AddFolder("r\\p_G\\made");
  ASSERT_TRUE(DeleteFileA((temp / "r\\p_H\\h.txt").c_str()));
  const treeops::RenameUndoReport undo = treeops::UndoRename(r.history);
  EXPECT_EQ(undo.restored, 1u);
  EXPECT_TRUE(undo.sourceNotExists.empty()) << undo.sourceNotExists.front();
  EXPECT_EQ(undo.otherReasons, (std::deque<std::string>{temp / "r\\p_G", temp / "r\\p_H"}));
  const std::string changed =
      "changed since the run renamed it (something was added to it or taken out of it, or another folder was made "
      "in its place): it keeps its new name";
  ASSERT_EQ(undo.reasons.size(), 2u);
  for (const treeops::Refusal& why : undo.reasons) EXPECT_EQ(why.reason, changed) << why.path;
  EXPECT_EQ(ListTree(temp / "r"), "F\\\nF\\f.txt\np_G\\\np_G\\made\\\np_H\\\n");
  EXPECT_EQ(testsupport::ReadFile(temp / "r\\F\\f.txt"), "written over");
}

// A line renames the folder above its last part only when that part is an
// existing file; a dotted name that names nothing is a missing folder.
TEST(RenameEngine, OnlyAnExistingFileRenamesItsFolder) {
  TempDir temp;
  temp.AddFolder("d\\Proj\\v1.4");
  temp.AddFile("e\\Docs\\readme.txt", "r");
  temp.AddFolder("f\\Data.v2");
  temp.AddFolder("builds");  // its Release.2 is gone
  treeops::RenameJob job;
  job.protectedFolders = treetest::Protected();
  job.fields.method = treeops::RenameMethod::NewName;
  job.fields.newName = "old";
  struct Case {
    std::string line, preview;
  } cases[] = {
      {"d\\Proj\\v1.5", "d\\Proj\\old"},
      {"builds\\Release.2", "builds\\old"},
      {"e\\Docs\\readme.txt", "e\\old"},
      {"f\\Data.v2", "f\\old"},
  };
  std::deque<std::string> relative;
  for (const Case& c : cases) {
    relative.push_back(c.line);
    EXPECT_EQ(treeops::PreviewNewPath(temp / c.line, job.fields), temp / c.preview) << c.line;
  }
  job.lines = Inside(temp, relative);
  RenameRun r;
  r.PredictAndRun(temp, job);
  EXPECT_EQ(r.results.counters, (std::array<double, 4>{2, 2, 0, 0}));
  EXPECT_EQ(r.results.sourceNotExists, (std::deque<std::string>{temp / "d\\Proj\\v1.5", temp / "builds\\Release.2"}));
  EXPECT_EQ(ListTree(temp.Path()), "builds\\\nd\\\nd\\Proj\\\nd\\Proj\\v1.4\\\ne\\\ne\\old\\\ne\\old\\readme.txt\n"
                                    "f\\\nf\\old\\\n");
}

// The system's remover, with the renames from a temporary name failing: the
// one to the new name, and with back also the one to the folder's own name.
class TemporaryStepsFail : public core::Remover {
public:
  explicit TemporaryStepsFail(bool back) : back_(back) {}
  core::ItemLocation Locate(const std::string& path) override { return system_.Locate(path); }
  core::ItemLocation ListRoad(const std::string& folder, bool absentCloses = true) override {
    return system_.ListRoad(folder, absentCloses);
  }
  void Protect(std::shared_ptr<core::ProtectedPlaces> places) override { system_.Protect(std::move(places)); }
  bool HandleIsAt(HANDLE handle, const std::string& path) override { return system_.HandleIsAt(handle, path); }
  core::ItemLocation LocateToChange(const std::string& path) override { return system_.LocateToChange(path); }
  DWORD RemoveFile(const std::string& path) override { return system_.RemoveFile(path); }
  DWORD RemoveFolder(const std::string& path) override { return system_.RemoveFolder(path); }
  DWORD RemoveLink(const std::string& path) override { return system_.RemoveLink(path); }
  DWORD Rename(const std::string& from, const std::string& to) override {
    const bool fromTemporary = from.find(".vextil-rename") != std::string::npos;
    const bool toNewName = to.size() > 4 && to.compare(to.size() - 4, 4, "\\ABC") == 0;
    if (fromTemporary && (back_ || toNewName)) return ERROR_ACCESS_DENIED;
    return system_.Rename(from, to);
  }
  std::vector<core::Unremoved> Settle() override { return system_.Settle(); }
  bool SettleDue() const override { return system_.SettleDue(); }

private:
  const bool back_;
  core::SystemRemover system_;
};

// A change of letter case goes through a temporary name; a step that fails
// gives the folder its own name back, and when even that fails the folder is
// never left there silently: the reason names where it is, the history keeps
// it, and the undo gives it its name back.
TEST(RenameEngine, ACaseChangeThatFailsMidwayNeverStrandsTheFolderSilently) {
  for (const bool backFails : {false, true}) {
    SCOPED_TRACE(backFails ? "the way back fails too" : "the new name fails");
    TempDir temp;
    temp.AddFile("q\\abc\\in.txt", "keep");
    const std::string original = Snapshot(temp.Path(), false);
    treeops::RenameJob job;
    job.protectedFolders = treetest::Protected();
    job.fields.method = treeops::RenameMethod::NewName;
    job.fields.newName = "ABC";
    job.lines = Inside(temp, {"q\\abc"});
    treeops::RenameResults results;
    treeops::RenameHistory history;
    TemporaryStepsFail remover(backFails);
    ASSERT_TRUE(treeops::RunRename(job, results, history, treeops::Progress(), &remover));
    EXPECT_EQ(results.counters, (std::array<double, 4>{0, 0, 0, 1}));
    EXPECT_EQ(results.otherReasons, std::deque<std::string>{temp / "q\\abc"});
    ASSERT_EQ(results.reasons.size(), 1u);
    const std::string temporary = temp / "q\\abc.vextil-rename";
    if (!backFails) {
      EXPECT_EQ(results.reasons[0].reason, core::RemovalReason(ERROR_ACCESS_DENIED));
      EXPECT_TRUE(history.empty());
      EXPECT_EQ(Snapshot(temp.Path(), false), original);
      continue;
    }
    EXPECT_NE(results.reasons[0].reason.find(temporary), std::string::npos) << results.reasons[0].reason;
    EXPECT_EQ(ListTree(temp / "q"), "abc.vextil-rename\\\nabc.vextil-rename\\in.txt\n");
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].oldPath, temp / "q\\abc");
    EXPECT_EQ(history[0].newPath, temporary);
    const treeops::RenameUndoReport undo = treeops::UndoRename(history);
    EXPECT_EQ(undo.restored, 1u);
    EXPECT_EQ(Snapshot(temp.Path(), false), original);
  }
}

// Linux lets "Proj" and "proj" stand side by side; Windows calls take either
// for the other. A new name "PROJ" for one of them is refused before any call,
// by the simulation as by the run, and both folders keep their names and data.
TEST(RenameEngine, ACaseChangeBesideACaseTwinIsRefusedBeforeAnyCall) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "case twins are made on the Linux side";
  TempDir temp;
  temp.AddFile("t\\Proj\\upper.txt", "upper");
  ASSERT_TRUE(testsupport::MakeUnixEntry(temp / "t", "proj", true));
  testsupport::WriteFile(temp / "t\\proj\\lower.txt", "lower");
  ASSERT_EQ(testsupport::ReadFile(temp / "t\\Proj\\upper.txt"), "upper");
  const std::string before = Snapshot(temp.Path());
  treeops::RenameJob job;
  job.protectedFolders = treetest::Protected();
  job.fields.method = treeops::RenameMethod::NewName;
  job.fields.newName = "PROJ";
  job.lines = Inside(temp, {"t\\Proj"});
  RenameRun r;
  r.PredictAndRun(temp, job);
  EXPECT_EQ(r.results.counters, (std::array<double, 4>{0, 0, 1, 0}));
  EXPECT_EQ(r.results.destinationExists, std::deque<std::string>{temp / "t\\Proj"});
  EXPECT_TRUE(r.history.empty());
  EXPECT_EQ(Snapshot(temp.Path()), before);
  // Handed a remover that counts, the run calls nothing on the disk.
  treeops::RenameResults again;
  treeops::RenameHistory none;
  treetest::TestRemover counted(false);
  ASSERT_TRUE(treeops::RunRename(job, again, none, treeops::Progress(), &counted));
  EXPECT_EQ(counted.Calls(), 0);
  EXPECT_TRUE(testsupport::ListsEntry(temp / "t", "Proj"));
  EXPECT_TRUE(testsupport::ListsEntry(temp / "t", "proj"));

  // The undo of a change of case, when a twin has taken the old name since, is
  // refused the same way: the folder keeps its new name, the twin its own.
  temp.AddFile("u\\abc\\in.txt", "in");
  job.fields.newName = "ABC";
  job.lines = Inside(temp, {"u\\abc"});
  treeops::RenameResults made;
  treeops::RenameHistory record;
  ASSERT_TRUE(treeops::RunRename(job, made, record));
  ASSERT_EQ(made.counters[0], 1);
  ASSERT_TRUE(testsupport::MakeUnixEntry(temp / "u", "abc", true));
  const std::string twins = Snapshot(temp.Path());
  const treeops::RenameUndoReport undo = treeops::UndoRename(record);
  EXPECT_EQ(undo.restored, 0u);
  EXPECT_EQ(undo.destinationExists, std::deque<std::string>{temp / "u\\abc"});
  EXPECT_EQ(Snapshot(temp.Path()), twins);
  EXPECT_TRUE(testsupport::ListsEntry(temp / "u", "ABC"));
}

} // namespace
