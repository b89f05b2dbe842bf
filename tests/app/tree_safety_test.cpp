// The rename, delete and copy pages against what could lose a user's data:
// protected folders on every page, file patterns matched by long names only,
// and links whose targets lie outside the listed folders. Every folder a test
// deletes in lies in its own temp folder.
#include "tests/app/creation_page_fixture.h"

#include "core/settings_store.h"
#include "listwin/frmFileSelection.h"
#include "listwin/frmStatistic.h"
#include "support/wine_unix.h"

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

} // namespace
