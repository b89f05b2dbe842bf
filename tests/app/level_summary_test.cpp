// The level summary window filled from a real folder tree.
#include "core/folder_scan.h"
#include "listwin/frmLevelSummFolder.h"
#include "support/press.h"
#include "support/program_fixture.h"
#include "support/wine_unix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using testsupport::ProgramTest;
using testsupport::TempDir;
using Strings = std::vector<std::string>;

namespace {

class LevelSummaryWindow : public ProgramTest {
protected:
  struct Shown {
    std::string caption, root, folders, files, size;
    std::vector<Strings> rows;
  };
  // Arms the seam to read the window while it is on screen, then close it.
  void ReadNextShow(Shown& shown) {
    seam.OnModal(frmLevelSummFolder, [&shown](ui::Form& f) {
      TfrmLevelSummFolder& w = static_cast<TfrmLevelSummFolder&>(f);
      shown.caption = w.Caption();
      shown.root = w.lblLevelSummFolderName.Text();
      shown.folders = w.lblLevelSummFolderSum.Text();
      shown.files = w.lblLevelSummFileSum.Text();
      shown.size = w.lblLevelSummFileSize.Text();
      shown.rows.clear();
      for (int i = 0; i < w.lstViewLevelSummFolder.Count(); ++i)
        shown.rows.push_back(
            {w.lstViewLevelSummFolder.Cell(i, 0), w.lstViewLevelSummFolder.Cell(i, 1)});
      testsupport::Press(w.btnLevelSummClose);
      return 0;
    });
  }
};

TEST_F(LevelSummaryWindow, ShowsSubfoldersPerLevelAndTheTotalsOfARealTree) {
  TempDir t;
  const std::string root = t / "data";
  testsupport::MakeFolders(root + "\\a\\b\\c");
  testsupport::MakeFolders(root + "\\a\\e");
  testsupport::MakeFolders(root + "\\d");
  testsupport::WriteFile(root + "\\f1.txt", std::string(10, 'x'));
  testsupport::WriteFile(root + "\\a\\b\\f2.doc", std::string(20, 'y'));
  const int rootLevel = static_cast<int>(std::count(root.begin(), root.end(), '\\'));

  core::FolderStructSize scan(root);
  scan.ScanAll();
  Shown shown;
  ReadNextShow(shown);
  ShowLevelSummaryAllFiles(scan);
  EXPECT_EQ(seam.modalForms, Strings{"Level Number - Number of Subfolders"});
  EXPECT_EQ(shown.root, root);
  EXPECT_EQ(shown.folders, "5");
  EXPECT_EQ(shown.files, "2");
  EXPECT_EQ(shown.size, "30.00 Bytes  (30 bytes).");
  // The level column: the folders' path level minus 1.
  EXPECT_EQ(shown.rows, (std::vector<Strings>{{std::to_string(rootLevel), "2"},
                                              {std::to_string(rootLevel + 1), "2"},
                                              {std::to_string(rootLevel + 2), "1"}}));

  // The selected-file form of a scanner that ran only the full walk: no files.
  ReadNextShow(shown);
  ShowLevelSummary(scan);
  EXPECT_EQ(shown.files, "0");
  EXPECT_EQ(shown.size, "0.00 Bytes  (0 bytes).");
  EXPECT_EQ(shown.rows.size(), 3u);

  // A selected-file walk shown with the selected form: only the matches.
  core::FolderStructSize selected(root);
  selected.SetFilePatterns({"*.doc"});
  selected.ScanSelectedFilesTree();
  ReadNextShow(shown);
  ShowLevelSummary(selected);
  EXPECT_EQ(shown.files, "1");
  EXPECT_EQ(shown.size, "20.00 Bytes  (20 bytes).");

  // Filled anew each time: a folder without subfolders leaves no old rows.
  core::FolderStructSize leaf(root + "\\d");
  leaf.ScanAll();
  ReadNextShow(shown);
  ShowLevelSummaryAllFiles(leaf);
  EXPECT_EQ(shown.root, root + "\\d");
  EXPECT_TRUE(shown.rows.empty());
  EXPECT_EQ(shown.folders, "0");
  EXPECT_EQ(frmLevelSummFolder->lstViewLevelSummFolder.Count(), 0);
  EXPECT_EQ(seam.Unscripted(), 0);
}

// Entries whose names no path reaches are not counted, and the summary says
// how many it left out.
TEST_F(LevelSummaryWindow, NamesNoPathReachesAreNotCountedAndSaidSo) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "odd names are made on the Linux side";
  TempDir t;
  const std::string root = t / "data";
  testsupport::MakeFolders(root + "\\a");
  ASSERT_TRUE(testsupport::MakeUnixEntry(root, "..\\data", true));
  ASSERT_TRUE(testsupport::MakeUnixEntry(root + "\\a", "nul.txt", false));
  core::FolderStructSize scan(root);
  scan.ScanAll();
  Shown shown;
  ReadNextShow(shown);
  ShowLevelSummaryAllFiles(scan);
  EXPECT_EQ(shown.folders, "1");
  EXPECT_EQ(shown.files, "0");
  ASSERT_EQ(shown.rows.size(), 2u);
  EXPECT_EQ(shown.rows[1], (Strings{"Not counted", "2 (names this system cannot address)"}));
}

} // namespace
