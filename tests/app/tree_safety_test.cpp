// The rename, delete and copy pages against what could lose a user's data:
// protected folders on every page, file patterns matched by long names only,
// and links whose targets lie outside the listed folders. Every folder a test
// deletes in lies in its own temp folder.
#include "tests/app/creation_page_fixture.h"

#include "core/settings_store.h"
#include "listwin/frmFileSelection.h"
#include "listwin/frmStatistic.h"
#include "support/windows_decoy.h"
#include "support/wine_unix.h"

#include <functional>
#include <shlobj.h>

using namespace creationtest;

namespace {

class TreeSafetyTest : public CreationPageTest {
protected:
  DeletePage& D() { return frmMain->Vol07; }
  // Lists a folder of the test's own tree on the Delete page.
  void AddToDelete(const std::string& folder) {
    ASSERT_EQ(folder.rfind(tree.Path() + "\\", 0), 0u) << "not inside the test's folder: " << folder;
    frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersDelete01);
    PickWith(D().btnVol07AddFoldersToList, folder);
  }
  // Deletes for real, answering Yes to both questions.
  void Delete() {
    seam.Answer("0621", IDYES);
    seam.Answer("0622", IDYES);
    seam.Answer("0623", IDOK);
    Press(D().btnVol07DeleteFolders);
  }
  void Simulate() {
    seam.Answer("0625", IDYES);
    seam.Answer("0626", IDOK);
    Press(D().btnVol07DeleteFoldersSimulation);
  }
  // The saved file-name patterns, as the file selection window's OK stores them.
  static void SavePatterns(const std::string& line) {
    frmFileSelection->Build();  // its start-up reads the saved selection: before the patterns are set
    core::Settings().ClearFilePatternList();
    core::Settings().AddFilePattern(line);
    core::Settings().SetFilePatternLine(line);
  }
};

std::string Place(int csidl) {
  char buffer[MAX_PATH] = "";
  return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, buffer)) ? std::string(buffer) : std::string();
}

// No page takes the Windows folder, anything inside it, or the all-users data
// folder; the refusal names the protected folder.
TEST_F(TreeSafetyTest, EveryPageRefusesWhatLiesInTheWindowsFolderAndTheProgramDataFolder) {
  const std::string windows = Place(CSIDL_WINDOWS), programData = Place(CSIDL_COMMON_APPDATA);
  ASSERT_FALSE(windows.empty() || programData.empty());
  struct Page {
    ui::TabSheet* sheet;
    ui::Button* add;
    ui::ListBox* include;
    const char* refusal;
  };
  TfrmMain& m = *frmMain;
  const Page pages[] = {
      {&m.tabFoldersRename01, &m.Vol06.btnVol06AddFolderToList, &m.Vol06.lstVol06IncludeFolderList, "0601"},
      {&m.tabFoldersDelete01, &m.Vol07.btnVol07AddFoldersToList, &m.Vol07.lstVol07IncludeFolderList, "0620"},
      {&m.tabFoldersCopy02, &m.Vol08.btnVol08AddFolderToList, &m.Vol08.lstVol08IncludeFolderList, "0640"},
  };
  const std::pair<std::string, std::string> lines[] = {
      {windows + "\\system32", windows}, {windows + "\\Fonts\\deeper", windows}, {programData, programData}};
  for (const Page& page : pages) {
    m.pgeMain.SetActivePage(page.sheet);
    for (const auto& line : lines) {
      SCOPED_TRACE(line.first);
      seam.boxes.clear();
      seam.Answer(std::string("no: ") + page.refusal, IDOK);
      PickWith(*page.add, line.first);
      ASSERT_EQ(seam.boxes.size(), 1u);
      EXPECT_NE(seam.Last().text.find(line.second), std::string::npos) << seam.Last().text;
      EXPECT_EQ(page.include->Count(), 0);
    }
  }
}

// "*.tmp" means the names that end in ".tmp": the preview counts and the run
// deletes those alone, never a file the system's search finds through its
// 8.3 alias (c.tmpx as C~1.TMP).
TEST_F(TreeSafetyTest, TheDeletePageCountsAndDeletesFilesByTheirLongNamesOnly) {
  SavePatterns("*.tmp");
  const std::string main = tree.AddFolder("M");
  for (const char* folder : {"M\\", "M\\Sub\\"})
    for (const char* name : {"c.tmpx", "longname.tmpfile", "x.tmp"}) tree.AddFile(std::string(folder) + name, name);
  ASSERT_EQ(testsupport::SearchNames(main, "*.tmp"), (Strings{"c.tmpx", "longname.tmpfile", "x.tmp"}))
      << "the system's search no longer matches the aliases: this test would prove nothing";
  struct Mode {
    ui::RadioButton DeletePage::*radio;
    const char* count;
    const char* left;
  };
  const Mode modes[] = {
      {&DeletePage::rdoVol07DeleteOnlyFilesInMainFolder, "1",
       "Sub\\\nSub\\c.tmpx\nSub\\longname.tmpfile\nSub\\x.tmp\nc.tmpx\nlongname.tmpfile\n"},
      {&DeletePage::rdoVol07DeleteOnlyFiles, "1", "Sub\\\nSub\\c.tmpx\nSub\\longname.tmpfile\nc.tmpx\nlongname.tmpfile\n"},
  };
  AddToDelete(main);
  for (const Mode& mode : modes) {
    seam.Answer("0237", IDOK);  // the one-time hint of the file modes
    testsupport::Choose(D().*mode.radio);
    EXPECT_EQ(D().lblVol07FilesToDelete.Text(), mode.count);
    Simulate();
    EXPECT_EQ(D().lblVol07FilesDeleted.Text(), mode.count);
    Delete();
    EXPECT_EQ(D().lblVol07FilesDeleted.Text(), mode.count);
    EXPECT_EQ(ListTree(main), mode.left);
  }
}

// A link to a file and a link to a folder, both leading to data in a second
// temp folder: the Delete page's simulation and run keep the links, list them
// among what was not deleted, and leave the data byte for byte.
TEST_F(TreeSafetyTest, TheDeletePageKeepsLinksAndTheDataOutsideTheList) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "links are made with the Unix ln";
  testsupport::TempDir outside;
  outside.AddFile("data.txt", "outside data");
  outside.AddFile("dir\\inner.txt", "outside inner");
  const std::string before = Snapshot(outside.Path());
  const std::string main = tree.AddFolder("M");
  tree.AddFile("M\\a.txt", "a");
  const std::string fileLink = main + "\\flink.txt", folderLink = main + "\\dlink";
  ASSERT_TRUE(testsupport::MakeUnixFileSymlink(fileLink, outside / "data.txt"));
  ASSERT_TRUE(testsupport::MakeUnixSymlink(folderLink, outside / "dir"));
  AddToDelete(main);
  testsupport::Choose(D().rdoVol07DeleteCompleteFolders);
  Simulate();
  EXPECT_EQ(Snapshot(outside.Path()), before);
  const Strings predicted = frmStatistics07->List(5).Items();
  Delete();
  EXPECT_EQ(Snapshot(outside.Path()), before);
  EXPECT_TRUE(testsupport::PathExists(fileLink));
  EXPECT_TRUE(testsupport::PathExists(folderLink));
  EXPECT_FALSE(testsupport::PathExists(main + "\\a.txt"));
  // The Visual Log: the file link under files not deleted, the folder link and
  // the main folder holding them under folders not deleted, each with why.
  const std::string link = "      why : a link (its name leads to another place): left as it is, its target untouched";
  EXPECT_EQ(frmStatistics07->List(5).Items(), Strings({fileLink, link}));
  EXPECT_EQ(frmStatistics07->List(5).Items(), predicted);
  EXPECT_EQ(frmStatistics07->List(2).Items(),
            Strings({folderLink, link, main, "      why : the folder is not empty"}));
  EXPECT_EQ(D().lblVol07FilesDeleted.Text(), "1");
}

// The start-up folder lies in the test's own folder (p\st, a user's file
// beside it in p), and a folder of the test's own lies in the Windows folder
// (a decoy): every road a user could take to either is the test's own.
class ProtectedRoadsTest : public TreeSafetyTest {
protected:
  ProtectedRoadsTest() { startupBelow = "p\\st"; }
  std::string Startup() const { return dir->Path() + "\\p\\st"; }
  struct Page {
    ui::TabSheet* sheet;
    ui::Button* add;
    ui::ListBox* include;
    const char* refusal;
  };
  std::vector<Page> Pages() {
    TfrmMain& m = *frmMain;
    return {{&m.tabFoldersRename01, &m.Vol06.btnVol06AddFolderToList, &m.Vol06.lstVol06IncludeFolderList, "0601"},
            {&m.tabFoldersDelete01, &m.Vol07.btnVol07AddFoldersToList, &m.Vol07.lstVol07IncludeFolderList, "0620"},
            {&m.tabFoldersCopy02, &m.Vol08.btnVol08AddFolderToList, &m.Vol08.lstVol08IncludeFolderList, "0640"}};
  }
  // Lists a line of the test's own (in its tree or its folder) on a page.
  void AddOn(const Page& page, const std::string& line) {
    ASSERT_TRUE(line.rfind(tree.Path() + "\\", 0) == 0 || line.rfind(dir->Path() + "\\", 0) == 0)
        << "not the test's own: " << line;
    frmMain->pgeMain.SetActivePage(page.sheet);
    PickWith(*page.add, line);
  }
  // Delete in the mode chosen: the simulation and the run refuse both lines
  // (nothing is deleted) and list the same; that list.
  Strings DeleteRefusesBoth() {
    Simulate();
    const Strings predicted = frmStatistics07->List(2).Items();
    EXPECT_EQ(D().lblVol07FoldersOtherReasons.Text(), "2");
    seam.Answer("0624", IDOK);
    seam.Answer("0623", IDOK);
    Press(D().btnVol07DeleteFolders);
    EXPECT_EQ(D().lblVol07FoldersOtherReasons.Text(), "2");
    EXPECT_EQ(D().lblVol07FilesDeleted.Text(), "0");
    EXPECT_EQ(frmStatistics07->List(2).Items(), predicted);
    return predicted;
  }
  // Rename: the simulation and the run refuse the line, listing it as
  // listed (with why); the undo has nothing to take back.
  void RenameRefuses(const Strings& listed, const std::function<void()>& intact) {
    frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersRename01);
    RenamePage& r = frmMain->Vol06;
    testsupport::Choose(r.rdoVol06RenameTheLastSubFolder);
    testsupport::Type(r.edtVol06RenameNewLastSubFolder, "renamed");
    Run(r.btnVol06RenameFoldersSimulation, "no: 0603", "no: 0605");
    EXPECT_EQ(r.lblVol06FoldersOtherReasons.Text(), "1");
    Run(r.btnVol06RenameFolders, "no: 0602", "no: 0604");
    EXPECT_EQ(r.lblVol06FoldersOtherReasons.Text(), "1");
    EXPECT_EQ(r.lblVol06FoldersRenamed.Text(), "0");
    EXPECT_EQ(frmStatistic06->List(3).Items(), listed);
    seam.Answer("no: 0211", IDOK);
    Press(r.btnVol06Undo);
    intact();
  }
  // Copy: the simulation and the run refuse the main folders as listed
  // (with why); nothing is made and the undo has nothing to take back.
  void CopyRefuses(const Strings& listed, const std::function<void()>& intact) {
    frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersCopy02);
    CopyPage& c = frmMain->Vol08;
    Run(c.btnVol08CopyFoldersSimulation, "no: 0658", "no: 0659");
    const Strings predicted = frmStatistic08->List(6).Items();
    Run(c.btnVol08CopyFolders, "no: 0651", "no: 0652");
    EXPECT_EQ(frmStatistic08->List(6).Items(), predicted);
    EXPECT_EQ(predicted, listed);
    EXPECT_EQ(c.lblVol08SubFoldersCopied.Text(), "0");
    seam.Answer("no: 0290", IDOK);
    Press(c.btnVol08Undo);
    intact();
  }
  // The folder holding the start-up folder, file by file, but for the whole
  // lists the program's boxes write beside its settings file.
  std::string StartupHolder() const {
    const std::string root = dir->Path() + "\\p", tree = ListTree(root);
    std::string out;
    for (size_t from = 0; from < tree.size();) {
      size_t end = tree.find('\n', from);
      if (end == std::string::npos) end = tree.size();
      const std::string entry = tree.substr(from, end - from);
      from = end + 1;
      if (entry.rfind("st\\whole lists\\", 0) == 0) continue;
      out += entry;
      if (!entry.empty() && entry.back() != '\\') out += "=" + ReadFile(root + "\\" + entry);
      out += "\n";
    }
    return out;
  }
};

// The Windows folder reached through Z: and through a link, and a folder
// holding the start-up folder reached through Z:: every page refuses each line
// where it is taken, naming the protected folder, and nothing is touched.
TEST_F(ProtectedRoadsTest, EveryPageRefusesAProtectedFolderWhateverRoadReachesIt) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "Z: and links are Wine's";
  testsupport::WindowsDecoy decoy;
  ASSERT_TRUE(decoy.Made());
  dir->AddFile("p\\user.txt", "the user's");
  const std::string picture = decoy.Picture(), startup = StartupHolder();
  const std::string zWindows = testsupport::ZSpelling(decoy.Windows()), zDir = testsupport::ZSpelling(dir->Path());
  ASSERT_FALSE(zWindows.empty() || zDir.empty());
  ASSERT_TRUE(testsupport::MakeUnixSymlink(tree / "win", decoy.Windows()));
  const std::string inside = "it lies inside the protected folder " + decoy.Windows();
  const std::pair<std::string, std::string> lines[] = {
      {zWindows + "\\" + decoy.Name(), inside},
      {zWindows + "\\" + decoy.Name() + "\\d1", inside},
      {zWindows, "the protected folder " + decoy.Windows()},
      {tree / ("win\\" + decoy.Name()), inside},
      {tree / "win", "the protected folder " + decoy.Windows()},
      {zDir + "\\p", "it holds the protected folder " + Startup()},
      {zDir + "\\p\\st", "the protected folder " + Startup()},
  };
  for (const Page& page : Pages()) {
    frmMain->pgeMain.SetActivePage(page.sheet);
    for (const auto& line : lines) {
      SCOPED_TRACE(std::string(page.refusal) + " " + line.first);
      seam.boxes.clear();
      seam.Answer(std::string("no: ") + page.refusal, IDOK);
      PickWith(*page.add, line.first);  // a Z: line is no line of the test's tree: it is only refused
      ASSERT_EQ(seam.boxes.size(), 1u);
      EXPECT_NE(seam.Last().text.find(line.second), std::string::npos) << seam.Last().text;
      EXPECT_EQ(page.include->Count(), 0);
    }
  }
  EXPECT_EQ(decoy.Picture(), picture);
  EXPECT_EQ(StartupHolder(), startup);
}

// Lines taken while they were plain folders of the test's tree, then turned
// into roads to the Windows folder's decoy and to the folder holding the
// start-up folder by a link swapped in: every delete mode, the rename and the
// copy, simulated and run, and their undos refuse them with why, the
// simulation saying what the run does, and both stay byte for byte.
TEST_F(ProtectedRoadsTest, LinesTurnedIntoRoadsToProtectedFoldersAreRefusedAtTheRun) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "links are made with the Unix ln";
  testsupport::WindowsDecoy decoy;
  ASSERT_TRUE(decoy.Made());
  dir->AddFile("p\\user.txt", "the user's");
  tree.AddFile("m\\" + decoy.Name() + "\\keep.txt", "mine");
  tree.AddFile("m\\" + decoy.Name() + "\\d1\\inner.txt", "mine too");
  tree.AddFile("q\\user.txt", "mine");
  tree.AddFile("S\\sub\\s.txt", "structure");
  const std::string line = tree / ("m\\" + decoy.Name()), holder = tree / "q";
  const std::vector<Page> pages = Pages();
  AddOn(pages[0], line);
  AddOn(pages[1], line);
  AddOn(pages[1], holder);
  AddOn(pages[2], line);
  PickWith(frmMain->Vol08.btnVol08AddFolderStructure, tree / "S");
  for (const Page& page : pages) ASSERT_GT(page.include->Count(), 0) << page.refusal;
  // Now the folders the lines name lie in the Windows folder and hold the start-up folder.
  ASSERT_TRUE(testsupport::MoveOnUnixSide(tree / "m", tree / "m-listed"));
  ASSERT_TRUE(testsupport::MakeUnixSymlink(tree / "m", decoy.Windows()));
  ASSERT_TRUE(testsupport::MoveOnUnixSide(tree / "q", tree / "q-listed"));
  ASSERT_TRUE(testsupport::MakeUnixSymlink(tree / "q", dir->Path() + "\\p"));
  const std::string picture = decoy.Picture(), startup = StartupHolder();
  // The test's own folders as listed (the tree itself now holds links into the Windows folder).
  auto own = [&] { return Snapshot(tree / "m-listed") + "|" + Snapshot(tree / "q-listed") + "|" + Snapshot(tree / "S"); };
  const std::string listed = own();
  auto intact = [&] {
    EXPECT_EQ(decoy.Picture(), picture);
    EXPECT_EQ(StartupHolder(), startup);
    EXPECT_EQ(own(), listed);
  };
  const std::string inside = "it lies inside the protected folder " + decoy.Windows();

  // Delete, every mode: nothing to delete, both lines named with why.
  SavePatterns("*.*");
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersDelete01);
  struct Mode {
    ui::RadioButton DeletePage::*radio;
    bool hint;
  } modes[] = {{&DeletePage::rdoVol07DeleteOnlyFiles, true},
               {&DeletePage::rdoVol07DeleteOnlyFilesInMainFolder, true},
               {&DeletePage::rdoVol07DeleteSubFolders, false},
               {&DeletePage::rdoVol07DeleteCompleteFolders, false}};
  for (const Mode& mode : modes) {
    if (mode.hint) seam.Answer("0237", IDOK);
    testsupport::Choose(D().*mode.radio);
    EXPECT_EQ(DeleteRefusesBoth(), Strings({line, "      why : " + inside, holder,
                                  "      why : it holds the protected folder " + Startup()}));
    intact();
  }

  // Rename, then Copy (its main folder): refused, nothing made, nothing to undo.
  RenameRefuses(Strings({line, "      why : " + inside}), intact);
  CopyRefuses(Strings({line, "      why : " + inside}), intact);
}

// A drive letter made as SUBST makes one, naming a folder two levels deep in
// a folder of the test's own inside the Windows folder (a decoy): every page
// refuses each line on it where it is taken, its root too (the copy page
// takes roots), naming the Windows folder, and nothing there is touched.
TEST_F(ProtectedRoadsTest, EveryPageRefusesADriveWhoseRootLiesInsideTheWindowsFolder) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "drive letters are made from the Linux side";
  testsupport::WindowsDecoy decoy;
  ASSERT_TRUE(decoy.Made());
  for (const char* name : {"d1", "d2", "d4"}) decoy.AddFile(std::string("a\\b\\") + name + "\\f.txt", name);
  testsupport::MappedDrive drive(decoy.Path() + "\\a\\b");
  if (!drive.Letter()) GTEST_SKIP() << "no drive letter to spare";
  const std::string picture = decoy.Picture(), inside = "it lies inside the protected folder " + decoy.Windows();
  for (const Page& page : Pages()) {
    frmMain->pgeMain.SetActivePage(page.sheet);
    for (const std::string& line : {drive.Root() + "d1", drive.Root() + "d4", drive.Root()}) {
      SCOPED_TRACE(std::string(page.refusal) + " " + line);
      seam.boxes.clear();
      seam.Answer(std::string("no: ") + page.refusal, IDOK);
      PickWith(*page.add, line);  // a line of the decoy's: it is only refused
      ASSERT_EQ(seam.boxes.size(), 1u);
      // The rename and delete pages refuse a root as a root.
      if (line != drive.Root() || page.sheet == &frmMain->tabFoldersCopy02) {
        EXPECT_NE(seam.Last().text.find(inside), std::string::npos) << seam.Last().text;
      }
      EXPECT_EQ(page.include->Count(), 0);
    }
  }
  EXPECT_EQ(decoy.Picture(), picture);
}

// Lines on a drive letter naming a folder of the test's own, taken on every
// page; then the letter made to name a folder two levels deep in the Windows
// folder's decoy holding folders of the same names: delete (modes 3 and 4),
// rename and copy (into the root and into a folder on it), simulated, run and
// undone, refuse every line with why, the simulation saying what the run
// does, and both folders stay byte for byte.
TEST_F(ProtectedRoadsTest, LinesOnADriveMappedIntoTheWindowsFolderAfterTheyWereTakenAreRefusedAtTheRun) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "drive letters are made from the Linux side";
  testsupport::WindowsDecoy decoy;
  ASSERT_TRUE(decoy.Made());
  for (const char* name : {"d1", "d2", "d4", "x"}) {
    decoy.AddFile(std::string("a\\b\\") + name + "\\f.txt", "decoy");
    tree.AddFile(std::string("u\\") + name + "\\f.txt", "mine");
  }
  tree.AddFile("S\\sub\\s.txt", "structure");
  testsupport::MappedDrive drive(tree / "u");
  if (!drive.Letter()) GTEST_SKIP() << "no drive letter to spare";
  const std::string root = drive.Root();
  // Taken while the letter names the test's own folder.
  const std::vector<Page> pages = Pages();
  auto take = [&](const Page& page, const std::string& line) {
    frmMain->pgeMain.SetActivePage(page.sheet);
    PickWith(*page.add, line);
  };
  take(pages[0], root + "d4");
  take(pages[1], root + "d1");
  take(pages[1], root + "d2");
  take(pages[2], root);
  take(pages[2], root + "x");
  PickWith(frmMain->Vol08.btnVol08AddFolderStructure, tree / "S");
  EXPECT_EQ(pages[0].include->Count(), 1);
  EXPECT_EQ(pages[1].include->Count(), 2);
  EXPECT_EQ(pages[2].include->Count(), 2);
  // Now the letter names a folder inside the Windows folder.
  ASSERT_TRUE(drive.Remap(decoy.Path() + "\\a\\b"));
  const std::string picture = decoy.Picture(), mine = Snapshot(tree / "u") + "|" + Snapshot(tree / "S");
  auto intact = [&] {
    EXPECT_EQ(decoy.Picture(), picture);
    EXPECT_EQ(Snapshot(tree / "u") + "|" + Snapshot(tree / "S"), mine);
  };
  const std::string why = "      why : it lies inside the protected folder " + decoy.Windows();

  // Delete, modes 3 and 4: nothing to delete, both lines named with why.
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersDelete01);
  for (ui::RadioButton DeletePage::*mode : {&DeletePage::rdoVol07DeleteSubFolders,
                                             &DeletePage::rdoVol07DeleteCompleteFolders}) {
    testsupport::Choose(D().*mode);
    EXPECT_EQ(DeleteRefusesBoth(), Strings({root + "d1", why, root + "d2", why}));
    EXPECT_EQ(D().lblVol07FoldersDeleted.Text(), "0");
    intact();
  }

  // Rename, then Copy into the root and into a folder on it: each refused,
  // nothing made, nothing to undo.
  RenameRefuses(Strings({root + "d4", why}), intact);
  CopyRefuses(Strings({root, why, root + "x", why}), intact);
}

} // namespace
