// The copy engine on real temp trees: the examples' structures in each option,
// repeats that never overwrite, the undo, copies into itself, early stops and links.
#include "treeops/copy_engine.h"
#include "core/file_copy.h"
#include "engine/treeops_fixture.h"
#include "support/free_space_script.h"
#include "support/wine_unix.h"

using testsupport::ListTree;
using testsupport::TempDir;
using treetest::Snapshot;

namespace {

const char* const kStructureFiles[] = {"S\\Marketing\\E-mails\\m.txt", "S\\Marketing\\SEO\\s.doc",
                                       "S\\Marketing\\top.txt", "S\\Programs\\Beta\\b.cpp", "S\\Programs\\Final\\f.h"};
// Each file holds its own relative path.
double StructureBytes() {
  double bytes = 0;
  for (const char* f : kStructureFiles) bytes += std::string(f).size();
  return bytes;
}

void MakeStructures(const TempDir& temp) {
  for (const char* f : kStructureFiles) temp.AddFile(f, f);
  for (const char* f : {"D\\Company01", "D\\Company02", "D\\Company03"}) temp.AddFolder(f);
}

treeops::CopyJob Job(const TempDir& temp, treeops::CopyOption option) {
  treeops::CopyJob job;
  job.option = option;
  job.patterns = {"*.*"};
  job.protectedFolders = treetest::Protected();
  job.includes = {temp / "D\\Company02", temp / "D\\Company01", temp / "D\\Company03\\", temp / "D\\Company01\\inner"};
  job.structures = {temp / "S\\Marketing\\", "  " + temp / "S\\Programs", " "};
  return job;
}

struct CopyRun {
  treeops::CopyPreview preview;
  treeops::CopyResults predicted, results;
  treeops::CopyJournal journal;
  // Previews, simulates (the disk stays byte for byte, no journal), then runs: the run does what was predicted.
  void PredictAndRun(const TempDir& temp, const treeops::CopyJob& job) {
    preview = treeops::PreviewCopy(job);
    ASSERT_EQ(preview.stop.number, 0) << preview.stop.text;
    const std::string before = Snapshot(temp.Path());
    EXPECT_TRUE(treeops::RunCopy(preview, true, predicted, journal));
    EXPECT_TRUE(journal.Empty());
    EXPECT_EQ(Snapshot(temp.Path()), before);
    EXPECT_TRUE(treeops::RunCopy(preview, false, results, journal));
    // Every main folder counted ends in one outcome.
    EXPECT_EQ(preview.toCopy[0], results.counters[4] + results.counters[8] + results.other[0]);
    EXPECT_EQ(predicted.notDone, results.notDone);
    EXPECT_EQ(predicted.counters, results.counters);
    EXPECT_EQ(predicted.other, results.other);
    for (auto list : {&treeops::CopyResults::foldersCopied, &treeops::CopyResults::subFoldersCopied,
                      &treeops::CopyResults::filesCopied, &treeops::CopyResults::foldersNotExist,
                      &treeops::CopyResults::subFoldersExist, &treeops::CopyResults::filesExist,
                      &treeops::CopyResults::subFoldersOther, &treeops::CopyResults::filesOther})
      EXPECT_EQ(predicted.*list, results.*list);
  }
};

TEST(CopyEngine, EachOptionCopiesTheStructuresIntoEveryMainFolderAndTheUndoRemovesThem) {
  struct Case { treeops::CopyOption option; const char* company; double folders, files; };
  const Case cases[] = {
      {treeops::CopyOption::MainWithoutFiles,
       "Marketing\\\nMarketing\\E-mails\\\nMarketing\\SEO\\\nPrograms\\\nPrograms\\Beta\\\nPrograms\\Final\\\n", 6, 0},
      {treeops::CopyOption::SubOnlyWithoutFiles, "Beta\\\nE-mails\\\nFinal\\\nSEO\\\n", 4, 0},
      {treeops::CopyOption::MainWithFiles,
       "Marketing\\\nMarketing\\E-mails\\\nMarketing\\E-mails\\m.txt\nMarketing\\SEO\\\nMarketing\\SEO\\s.doc\n"
       "Marketing\\top.txt\nPrograms\\\nPrograms\\Beta\\\nPrograms\\Beta\\b.cpp\nPrograms\\Final\\\nPrograms\\Final\\f.h\n", 6, 5},
      {treeops::CopyOption::SubOnlyWithFiles,
       "Beta\\\nBeta\\b.cpp\nE-mails\\\nE-mails\\m.txt\nFinal\\\nFinal\\f.h\nSEO\\\nSEO\\s.doc\ntop.txt\n", 4, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.option));
    TempDir temp;
    MakeStructures(temp);
    const std::string original = Snapshot(temp.Path(), false);
    CopyRun r;
    r.PredictAndRun(temp, Job(temp, c.option));
    EXPECT_EQ(r.preview.toCopy[0], 3);
    EXPECT_EQ(r.preview.toCopy[1], 3 * c.folders);
    EXPECT_EQ(r.preview.toCopy[2], 3 * c.files);
    const double bytes = c.files ? 3 * StructureBytes() : 0;
    EXPECT_EQ(r.preview.toCopy[3], bytes);
    EXPECT_EQ(r.results.counters, (std::array<double, 12>{0, 0, 0, 0, 3, 3 * c.folders, 3 * c.files, bytes, 0, 0, 0, 0}));
    EXPECT_EQ(r.results.foldersCopied.front(), temp / "D\\Company01");  // the top-most folders, in order
    for (const char* company : {"D\\Company01", "D\\Company02", "D\\Company03"}) EXPECT_EQ(ListTree(temp / company), c.company);
    EXPECT_EQ(r.journal.folders.size(), 3 * c.folders);
    treeops::CopyUndoReport undo = treeops::UndoCopy(r.journal);
    EXPECT_TRUE(undo.stays.empty());
    EXPECT_EQ(Snapshot(temp.Path(), false), original);
  }
}

TEST(CopyEngine, ARepeatNeverOverwritesAndTheUndoKeepsWhatTheUserChanged) {
  TempDir temp;
  MakeStructures(temp);
  const treeops::CopyJob job = Job(temp, treeops::CopyOption::MainWithFiles);
  CopyRun first;
  first.PredictAndRun(temp, job);
  testsupport::WriteFile(temp / "D\\Company02\\Programs\\Final\\f.h", "the user's own");
  CopyRun again;
  again.PredictAndRun(temp, job);
  EXPECT_EQ(again.results.counters, (std::array<double, 12>{0, 0, 0, 0, 3, 0, 0, 0, 0, 18, 15, 3 * StructureBytes()}));
  EXPECT_EQ(testsupport::ReadFile(temp / "D\\Company02\\Programs\\Final\\f.h"), "the user's own");
  EXPECT_TRUE(again.journal.Empty());

  testsupport::WriteFile(temp / "D\\Company03\\Marketing\\SEO\\new.txt", "new");
  treeops::CopyUndoReport undo = treeops::UndoCopy(first.journal);
  std::sort(undo.stays.begin(), undo.stays.end());
  EXPECT_EQ(undo.stays, (std::vector<std::string>{temp / "D\\Company02\\Programs", temp / "D\\Company02\\Programs\\Final",
                                                  temp / "D\\Company02\\Programs\\Final\\f.h", temp / "D\\Company03\\Marketing",
                                                  temp / "D\\Company03\\Marketing\\SEO"}));
  EXPECT_EQ(ListTree(temp / "D"), "Company01\\\nCompany02\\\nCompany02\\Programs\\\nCompany02\\Programs\\Final\\\n"
                                  "Company02\\Programs\\Final\\f.h\nCompany03\\\nCompany03\\Marketing\\\n"
                                  "Company03\\Marketing\\SEO\\\nCompany03\\Marketing\\SEO\\new.txt\n");
  // Files alone recorded: the undo still takes them back.
  treeops::CopyJournal filesOnly;
  testsupport::WriteFile(temp / "D\\Company01\\x.txt", "x");
  filesOnly.files.push_back(core::RecordCopy(temp / "D\\Company01\\x.txt", 1, FILETIME{}));
  EXPECT_EQ(treeops::UndoCopy(filesOnly).filesDeleted, 1u);
}

// A copy rewritten with other content of the same size, its time set back (as
// a restore or a sync tool would), is the user's: the undo keeps it and says so.
TEST(CopyEngine, TheUndoKeepsACopyRewrittenToTheSameSizeAndTime) {
  TempDir temp;
  MakeStructures(temp);
  CopyRun r;
  r.PredictAndRun(temp, Job(temp, treeops::CopyOption::MainWithFiles));
  const std::string copy = temp / "D\\Company01\\Marketing\\top.txt";
  WIN32_FILE_ATTRIBUTE_DATA was;
  ASSERT_TRUE(GetFileAttributesExA(copy.c_str(), GetFileExInfoStandard, &was));
  const std::string mine(testsupport::ReadFile(copy).size(), 'm');
  testsupport::WriteFile(copy, mine);
  HANDLE h = CreateFileA(copy.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(SetFileTime(h, nullptr, nullptr, &was.ftLastWriteTime));
  CloseHandle(h);
  const treeops::CopyUndoReport undo = treeops::UndoCopy(r.journal);
  EXPECT_EQ(undo.stays, (std::vector<std::string>{copy, temp / "D\\Company01\\Marketing"}));
  EXPECT_EQ(undo.why, (std::vector<std::string>{"changed since the copy (its size, time or content): kept as yours",
                                                "the folder is not empty"}));
  EXPECT_EQ(testsupport::ReadFile(copy), mine);
  EXPECT_EQ(ListTree(temp / "D\\Company01"), "Marketing\\\nMarketing\\top.txt\n");
  EXPECT_EQ(ListTree(temp / "D\\Company02"), "");
}

// The structure's selected files are matched by their long names: "*.tmp"
// never takes c.tmpx through its 8.3 alias; the preview counts what the run copies.
TEST(CopyEngine, SelectedFilesMatchTheLongNameOnly) {
  TempDir temp;
  for (const char* name : {"c.tmpx", "longname.tmpfile", "x.tmp"}) temp.AddFile(std::string("S\\Top\\") + name, name);
  temp.AddFolder("D\\Main");
  ASSERT_EQ(testsupport::SearchNames(temp / "S\\Top", "*.tmp"), (std::vector<std::string>{"c.tmpx", "longname.tmpfile", "x.tmp"}))
      << "the system's search no longer matches the aliases: this test would prove nothing";
  treeops::CopyJob job;
  job.option = treeops::CopyOption::SubOnlyWithFiles;
  job.patterns = {"*.tmp"};
  job.protectedFolders = treetest::Protected();
  job.includes = {temp / "D\\Main"};
  job.structures = {temp / "S"};
  CopyRun r;
  r.PredictAndRun(temp, job);
  EXPECT_EQ(r.preview.toCopy[2], 1);
  EXPECT_EQ(r.results.filesCopied, std::deque<std::string>{temp / "D\\Main\\Top\\x.tmp"});
  EXPECT_EQ(ListTree(temp / "D\\Main"), "Top\\\nTop\\x.tmp\n");
}

TEST(CopyEngine, AStructureIsNeverCopiedIntoItself) {
  TempDir temp;
  MakeStructures(temp);
  temp.AddFolder("S\\Marketing\\E-mails\\inbox");
  treeops::CopyJob job = Job(temp, treeops::CopyOption::MainWithoutFiles);
  job.includes = {temp / "D\\Company01", temp / "S\\Marketing\\E-mails\\inbox", temp / "S"};
  job.structures = {temp / "S\\Marketing"};
  CopyRun r;
  r.PredictAndRun(temp, job);
  // S holds the inbox, so only S and Company01 are main folders; S\Marketing would be the structure itself.
  EXPECT_EQ(r.preview.skippedPairs, (std::vector<std::pair<std::string, std::string>>{{temp / "S", temp / "S\\Marketing"}}));
  EXPECT_EQ(r.results.counters[5], 4);
  // S received nothing: it is not counted as copied to, and the reason is told.
  EXPECT_EQ(r.results.foldersCopied, std::deque<std::string>{temp / "D\\Company01"});
  EXPECT_EQ(r.predicted.foldersCopied, r.results.foldersCopied);
  EXPECT_EQ(r.results.counters[4], 1);
  EXPECT_EQ(r.results.foldersOther, std::deque<std::string>{temp / "S"});
  EXPECT_EQ(r.results.other[0], 1);
  testsupport::MappedDrive drive(temp / "S");
  if (!drive.Letter()) GTEST_SKIP() << "no spare drive letter for a drive-root structure";
  job.includes = {drive.Root() + "Programs", temp / "D\\Company02"};
  job.structures = {drive.Root()};
  const std::string before = Snapshot(temp / "S");
  CopyRun root;
  root.PredictAndRun(temp, job);
  EXPECT_EQ(root.preview.skippedPairs.size(), 1u);  // a drive root on its own drive
  EXPECT_EQ(root.results.foldersCopied, std::deque<std::string>{temp / "D\\Company02"});
  EXPECT_EQ(root.results.foldersOther, std::deque<std::string>{drive.Root() + "Programs"});
  EXPECT_EQ(Snapshot(temp / "S"), before);
  EXPECT_TRUE(testsupport::FolderExists(temp / "D\\Company02\\Marketing\\E-mails\\inbox"));
}

TEST(CopyEngine, ATargetPathAtTheLimitIsOtherReasons) {
  TempDir temp;
  MakeStructures(temp);
  // Marketing\top.txt lands at exactly the limit below this main folder.
  const std::string main = temp.AddFolder("D\\" + std::string(255 - temp.Path().size() - 3 - 18, 'm'));
  ASSERT_EQ((main + "\\Marketing\\top.txt").size(), treeops::kPathLimit);
  treeops::CopyJob job = Job(temp, treeops::CopyOption::MainWithFiles);
  job.includes = {main};
  job.structures = {temp / "S\\Marketing"};
  CopyRun r;
  r.PredictAndRun(temp, job);
  // Marketing\E-mails reaches the limit: it and its file are other reasons; SEO is made, its file is too long.
  EXPECT_EQ(r.results.subFoldersOther, std::deque<std::string>{main + "\\Marketing\\E-mails"});
  EXPECT_EQ(r.results.counters[5], 2);
  EXPECT_EQ(r.results.filesOther.size(), 3u);

  // One letter shorter, top.txt lies under the limit and is copied whole, its
  // temporary name past MAX_PATH checked where it lies as any other.
  const std::string shorter = temp.AddFolder("D\\" + std::string(255 - temp.Path().size() - 3 - 19, 'n'));
  job.includes = {shorter};
  CopyRun s;
  s.PredictAndRun(temp, job);
  EXPECT_EQ(s.results.filesCopied, std::deque<std::string>{shorter + "\\Marketing\\top.txt"});
  EXPECT_EQ(testsupport::ReadFile(shorter + "\\Marketing\\top.txt"), "S\\Marketing\\top.txt");
}

TEST(CopyEngine, ARunStopsEarlyAndTouchesNothing) {
  TempDir temp;
  MakeStructures(temp);
  testsupport::ScriptFreeSpace seam;
  struct Case { int number; std::deque<std::string> includes, structures; core::DiskSpace space; };
  const std::deque<std::string> d1{temp / "D\\Company01"}, s1{temp / "S\\Marketing"};
  const Case cases[] = {
      {701, {}, s1, {true, 1u << 30, 0, 0}},
      {701, {" ", ""}, s1, {true, 1u << 30, 0, 0}},
      {702, d1, {"  "}, {true, 1u << 30, 0, 0}},
      {703, d1, {temp / "S\\Missing"}, {true, 1u << 30, 0, 0}},
      {177, d1, s1, {true, 10, 0, 0}},
      {704, d1, s1, {false, 0, 0, 0}},
      {704, {"\\\\server\\share\\x"}, s1, {true, 1u << 30, 0, 0}},
  };
  const std::string before = Snapshot(temp.Path());
  for (const Case& c : cases) {
    seam.Set("C:\\", c.space);
    treeops::CopyJob job = Job(temp, treeops::CopyOption::MainWithFiles);
    job.includes = c.includes;
    job.structures = c.structures;
    treeops::CopyPreview p = treeops::PreviewCopy(job);
    EXPECT_EQ(p.stop.number, c.number) << p.stop.text;
    treeops::CopyResults results;
    treeops::CopyJournal journal;
    EXPECT_FALSE(treeops::RunCopy(p, false, results, journal));
    EXPECT_EQ(Snapshot(temp.Path()), before);
  }
  EXPECT_EQ(seam.askedRoots.back(), "\\\\server\\share\\");
}

// A run killed midway (the writer's test hook stops it in the middle of a big
// file) leaves no cut file under a real name; the next run, simulated first,
// writes that file afresh over what the first left, says so, and leaves every
// file whole; its undo takes it back under its real name.
struct Killed {};
void KillInBigFile(const std::string& temporary, uint64_t written) {
  if (temporary.find("big.bin") != std::string::npos && written >= 1) throw Killed();
}

TEST(CopyEngine, ARunKilledMidwayLeavesNoCutFileAndTheNextReplacesWhatItLeft) {
  TempDir temp;
  MakeStructures(temp);
  const std::string big(900000, 'b');
  temp.AddFile("S\\Marketing\\SEO\\big.bin", big);
  treeops::CopyJob job = Job(temp, treeops::CopyOption::MainWithFiles);
  job.includes = {temp / "D\\Company01"};
  job.structures = {temp / "S\\Marketing"};
  const std::string copy = temp / "D\\Company01\\Marketing\\SEO\\big.bin";
  {
    treeops::CopyPreview preview = treeops::PreviewCopy(job);
    treeops::CopyResults results;
    treeops::CopyJournal journal;
    core::SetCopyWriteHook(KillInBigFile);
    EXPECT_THROW(treeops::RunCopy(preview, false, results, journal), Killed);
    core::SetCopyWriteHook(nullptr);
  }
  EXPECT_FALSE(testsupport::PathExists(copy));
  const std::string left = core::TemporaryCopyPath(copy);
  ASSERT_TRUE(testsupport::PathExists(left));
  EXPECT_LT(testsupport::ReadFile(left).size(), big.size());
  // Every file under its real name is whole.
  auto whole = [&](const std::string& relative) {
    return testsupport::ReadFile(temp / ("D\\Company01\\" + relative)) ==
           testsupport::ReadFile(temp / ("S\\" + relative));
  };
  for (const char* f : {"Marketing\\E-mails\\m.txt", "Marketing\\SEO\\s.doc", "Marketing\\top.txt"})
    if (testsupport::PathExists(temp / ("D\\Company01\\" + std::string(f)))) EXPECT_TRUE(whole(f)) << f;

  CopyRun again;
  again.PredictAndRun(temp, job);
  const std::vector<treeops::Refusal> noted = again.results.notes;
  ASSERT_EQ(noted.size(), 1u);
  EXPECT_EQ(noted[0].path, copy);
  EXPECT_EQ(noted[0].reason, "written afresh over an unfinished copy an earlier run left (" +
                                 left.substr(left.find_last_of('\\') + 1) + ")");
  EXPECT_EQ(again.predicted.notes.size(), 1u);
  EXPECT_EQ(again.predicted.notes[0].reason, noted[0].reason);
  EXPECT_EQ(testsupport::ReadFile(copy), big);
  EXPECT_FALSE(testsupport::PathExists(left));
  for (const char* f : {"Marketing\\E-mails\\m.txt", "Marketing\\SEO\\s.doc", "Marketing\\top.txt"}) EXPECT_TRUE(whole(f)) << f;
  EXPECT_TRUE(std::any_of(again.journal.files.begin(), again.journal.files.end(),
                          [&](const core::CreationJournal::File& f) { return f.path == copy; }));
  treeops::UndoCopy(again.journal);
  EXPECT_FALSE(testsupport::PathExists(copy));
}

TEST(CopyEngine, ALinkIsMadeAsAFolderButNeverEnteredNorWrittenThrough) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "links are made with the Unix ln";
  TempDir temp;
  MakeStructures(temp);
  temp.AddFile("outside\\secret.txt", "x");
  ASSERT_TRUE(testsupport::MakeUnixSymlink(temp / "S\\Marketing\\link", temp / "outside"));
  ASSERT_TRUE(testsupport::MakeUnixSymlink(temp / "D\\linked", temp / "outside"));
  ASSERT_TRUE(testsupport::MakeUnixSymlink(temp / "D\\Company02\\Marketing", temp / "outside"));
  const std::string outside = Snapshot(temp / "outside");
  treeops::CopyJob job = Job(temp, treeops::CopyOption::MainWithFiles);
  job.includes = {temp / "D\\Company01", temp / "D\\linked", temp / "D\\Company02"};
  job.structures = {temp / "S\\Marketing"};
  CopyRun r;
  r.PredictAndRun(temp, job);
  EXPECT_EQ(Snapshot(temp / "outside"), outside);
  EXPECT_EQ(ListTree(temp / "D\\Company01\\Marketing\\link"), "");
  EXPECT_EQ(r.results.foldersOther, std::deque<std::string>{temp / "D\\linked"});
  EXPECT_EQ(r.results.other[1], 1 + 3);  // the linked Marketing and the three folders below it
  treeops::CopyJob linked = job;
  linked.structures = {temp / "S\\Marketing\\link"};
  EXPECT_EQ(treeops::PreviewCopy(linked).stop.number, 706);
}

} // namespace

namespace {

// A drive root is a main folder like any other (an empty structure copied onto
// a USB stick's root): the run only adds new items inside it, never enters a
// protected folder the root holds (as C:\ holds the Windows folder), never
// copies a structure into itself, checks the drive's free space, and its undo
// takes back only what it made. The drive is a spare letter mapped to a temp
// folder, never the machine's own.
TEST(CopyEngine, ADriveRootTakesTheStructuresButNeverAProtectedFolderItHolds) {
  TempDir temp;
  MakeStructures(temp);
  temp.AddFile("S2\\Company02\\inside\\i.txt", "i");
  temp.AddFolder("S2\\Other\\deep");
  testsupport::MappedDrive drive(temp / "D");
  if (!drive.Letter()) GTEST_SKIP() << "no spare drive letter";
  const std::string root = drive.Root();
  const std::string before = Snapshot(temp / "D");
  testsupport::ScriptFreeSpace seam;
  seam.Set(root, {true, 1u << 30, 1u << 30, 1u << 30});
  treeops::CopyJob job;
  job.option = treeops::CopyOption::SubOnlyWithFiles;
  job.patterns = {"*.*"};
  job.protectedFolders = treetest::Protected(root + "Company02");
  // The root in two spellings and a folder on it: one main folder, the root.
  job.includes = {root, std::string(1, static_cast<char>(tolower(root[0]))) + ":/", root + "Company01"};
  job.structures = {temp / "S2", root + "Company03"};
  CopyRun r;
  r.PredictAndRun(temp, job);
  EXPECT_EQ(r.preview.mainFolders, std::vector<std::string>{root});
  EXPECT_EQ(r.preview.toCopy[0], 1);
  EXPECT_EQ(r.results.foldersCopied, std::deque<std::string>{root});
  EXPECT_FALSE(r.preview.drives.empty());
  EXPECT_EQ(seam.askedRoots.back(), root);
  // The protected folder and what lies inside it are refused; the rest is made beside.
  EXPECT_EQ(r.results.subFoldersOther, (std::deque<std::string>{root + "Company02", root + "Company02\\inside"}));
  EXPECT_EQ(r.results.filesOther, std::deque<std::string>{root + "Company02\\inside\\i.txt"});
  ASSERT_FALSE(r.results.reasons.empty());
  EXPECT_EQ(r.results.reasons[0].reason, "the protected folder " + root + "Company02: nothing is copied into it");
  EXPECT_EQ(r.results.reasons[1].reason, "it lies inside a protected folder");
  EXPECT_EQ(ListTree(temp / "D\\Company02"), "");
  EXPECT_EQ(ListTree(temp / "D"), "Company01\\\nCompany02\\\nCompany03\\\nOther\\\nOther\\deep\\\n");

  treeops::CopyUndoReport undo = treeops::UndoCopy(r.journal);
  EXPECT_TRUE(undo.stays.empty());
  EXPECT_EQ(Snapshot(temp / "D"), before);

  // A structure on the root is never copied into the root itself.
  job.option = treeops::CopyOption::MainWithoutFiles;
  job.structures = {root + "Company03", temp / "S\\Marketing"};
  const treeops::CopyPreview into = treeops::PreviewCopy(job);
  EXPECT_EQ(into.skippedPairs,
            (std::vector<std::pair<std::string, std::string>>{{root, root + "Company03"}}));
}

} // namespace

namespace {

// Every line of the include list is accounted for: a line the check refuses is
// counted with the main folders and ends, as one lying inside every structure,
// among those not done for other reasons, each named with why.
TEST(CopyEngine, EveryMainFolderOfTheListEndsInOneOutcomeWithWhy) {
  TempDir temp;
  MakeStructures(temp);
  treeops::CopyJob job = Job(temp, treeops::CopyOption::MainWithoutFiles);
  job.includes = {temp / "D\\Company01", temp / "D\\Gone", "relative\\path", temp / "S\\Marketing\\SEO"};
  job.structures = {temp / "S\\Marketing"};
  CopyRun r;
  r.PredictAndRun(temp, job);
  EXPECT_EQ(r.preview.toCopy[0], 4);
  EXPECT_EQ(r.results.counters[4], 1);
  EXPECT_EQ(r.results.counters[8], 1);
  EXPECT_EQ(r.results.other[0], 2);
  EXPECT_EQ(r.results.notDone, (std::deque<std::string>{"relative\\path", temp / "S\\Marketing\\SEO"}));
  ASSERT_EQ(r.results.reasons.size(), 2u);
  EXPECT_EQ(r.results.reasons[0].reason, "not a full path (no drive letter or \\\\server\\share)");
  EXPECT_EQ(r.results.reasons[1].reason, "it lies inside every structure: nothing is copied into itself");
}

} // namespace

namespace {

// What the program did not make is never overwritten or removed: a user's
// file under a copy's temporary name stays and the copy takes another one
// (nothing is said of an unfinished copy); a link whose target is missing
// under a file's real name keeps it and the file already exists. An
// unfinished copy of an earlier run (a beginning of the source) is written
// afresh and said so. The simulation predicts each as the run does it.
TEST(CopyEngine, WhatTheProgramDidNotMakeIsNeverOverwrittenNorRemoved) {
  struct Case {
    const char* name;
    bool realNameTaken;  // the file counts as already existing
    bool noted;          // "written afresh over an unfinished copy"
  };
  const Case cases[] = {
      {"the user's file under the temporary name", false, false},
      {"a link whose target is missing under the real name", true, false},
      {"an unfinished copy under the temporary name", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string name = c.name;
    if (c.realNameTaken && !testsupport::UnderWine()) continue;
    TempDir temp;
    const std::string big(700000, 'b');
    temp.AddFile("S\\big.bin", big);
    temp.AddFile("S\\x.txt", "x");
    const std::string copy = temp.AddFolder("M") + "\\big.bin";
    const std::string temporary = core::TemporaryCopyPath(copy);
    if (name == "the user's file under the temporary name") testsupport::WriteFile(temporary, "the user's own");
    if (name == "an unfinished copy under the temporary name") testsupport::WriteFile(temporary, big.substr(0, 262144));
    if (c.realNameTaken) ASSERT_TRUE(testsupport::MakeUnixDanglingLink(copy, temp / "gone.bin"));
    treeops::CopyJob job;
    job.option = treeops::CopyOption::SubOnlyWithFiles;
    job.patterns = {"*.*"};
    job.protectedFolders = treetest::Protected();
    job.includes = {temp / "M"};
    job.structures = {temp / "S"};
    CopyRun r;
    r.PredictAndRun(temp, job);
    EXPECT_EQ(r.predicted.filesExist, r.results.filesExist);
    EXPECT_EQ(r.predicted.notes.size(), r.results.notes.size());
    EXPECT_EQ(r.results.notes.size(), c.noted ? 1u : 0u);
    EXPECT_EQ(r.results.counters[6], c.realNameTaken ? 1 : 2);
    EXPECT_EQ(r.results.counters[10], c.realNameTaken ? 1 : 0);
    EXPECT_EQ(r.results.other[2], 0);
    if (c.realNameTaken) {
      EXPECT_EQ(r.results.filesExist, std::deque<std::string>{copy});
      testsupport::WriteFile(temp / "gone.bin", "the link's own");
      EXPECT_EQ(testsupport::ReadFile(copy), "the link's own");
    } else {
      EXPECT_EQ(testsupport::ReadFile(copy), big);
    }
    if (name == "the user's file under the temporary name") {
      EXPECT_EQ(testsupport::ReadFile(temporary), "the user's own");
      EXPECT_FALSE(testsupport::PathExists(core::TemporaryCopyPath(copy, 1)));
    } else if (!c.realNameTaken) {
      EXPECT_FALSE(testsupport::PathExists(temporary));
    }
  }
}

// An undo counts a copied file or a made folder as taken back only once it
// is gone: a removal the system takes and fails at the close (a remover made
// to, and a folder the file system keeps unchanged) stays in the report with
// why, and the counts agree with the disk.
TEST(CopyEngine, TheUndoNeverCountsWhatTheSystemDidNotRemoveAsTakenBack) {
  for (const bool immutable : {false, true}) {
    SCOPED_TRACE(immutable ? "an immutable folder" : "a remover refusing at the close");
    TempDir temp;
    MakeStructures(temp);
    CopyRun r;
    r.PredictAndRun(temp, Job(temp, treeops::CopyOption::MainWithFiles));
    const std::string kept = temp / "D\\Company01\\Marketing\\E-mails";
    ASSERT_TRUE(testsupport::FileExists(kept + "\\m.txt"));
    treetest::RefusedAtClose remover(kept);
    std::unique_ptr<testsupport::ImmutableFolder> flag;
    if (immutable) {
      flag = std::make_unique<testsupport::ImmutableFolder>(kept);
      if (!flag->Made()) GTEST_SKIP() << "the immutable flag cannot be set here (chattr needs root under Wine on a "
                                         "file system that has it): the remover case covers the counting";
    }
    const treeops::CopyUndoReport undo = treeops::UndoCopy(r.journal, immutable ? nullptr : &remover);
    flag.reset();
    EXPECT_EQ(undo.filesDeleted, 14u);
    EXPECT_EQ(undo.foldersRemoved, 16u);
    EXPECT_EQ(undo.stays, (std::vector<std::string>{kept + "\\m.txt", kept, temp / "D\\Company01\\Marketing"}));
    EXPECT_EQ(undo.why, (std::vector<std::string>{core::RemovalReason(core::kErrorStillThere), "the folder is not empty",
                                                  "the folder is not empty"}));
    EXPECT_EQ(ListTree(temp / "D"), "Company01\\\nCompany01\\Marketing\\\nCompany01\\Marketing\\E-mails\\\n"
                                    "Company01\\Marketing\\E-mails\\m.txt\nCompany02\\\nCompany03\\\n");
  }
}

} // namespace
