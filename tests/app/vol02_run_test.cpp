// Creation runs of the string-list page on real folder trees.
#include "tests/app/creation_page_fixture.h"

#include "core/file_copy.h"
#include "support/wine_unix.h"

#include <algorithm>

using namespace creationtest;

namespace {

class Vol02Run : public StringListPageTest {
protected:
  // A structure T: a.txt (5 bytes), x\b.txt (3 bytes), x\y (empty folder).
  void MakeStructure() {
    tree.AddFile("T\\a.txt", "hello");
    tree.AddFile("T\\x\\b.txt", "abc");
    tree.AddFolder("T\\x\\y");
  }
};

TEST_F(Vol02Run, AttachNothingCreatesEachFolderAndCountsExistingAndDriveEntries) {
  dest.AddFolder("old");
  PickDestination(dest.Path());
  Type("new1");
  Type("old");
  Type("a\\b");
  M().Vol02.lstVol02IncludeStrings.Add("d:\\imported");  // as an import would bring it
  M().Vol02.edtVol02Prefix.SetText("");
  Create();

  EXPECT_EQ(ListTree(dest.Path()), "a\\\na\\b\\\nnew1\\\nold\\\n");
  EXPECT_EQ(PageCounters(), (Strings{"3", "0", "0", "0", "2", "0", "0", "0", "1", "0", "0", "0",
                                     "1", "0", "0", "0"}));
  EXPECT_EQ(WindowCounters(), PageCounters());
  EXPECT_EQ(frmStatistic02->List(TResultsWindow::kFoldersCreated).Items(),
            (Strings{dest / "a\\b", dest / "new1"}));
  EXPECT_EQ(frmStatistic02->List(TResultsWindow::kFoldersExists).Items(), Strings{dest / "old"});
  EXPECT_EQ(frmStatistic02->List(TResultsWindow::kFoldersOther).Items(), Strings{"d:\\imported"});
  EXPECT_TRUE(frmStatistic02->chkStatNormalSimulate.Checked());
  EXPECT_EQ(frmStatistic02->lblStatNormalSimulate.Text(), "Folder/File Creation Process.");
  EXPECT_TRUE(frmStatistic02->Visible());
  ASSERT_EQ(seam.shellOpens.size(), 1u);
  EXPECT_EQ(seam.shellOpens[0].substr(0, dest.Path().size()), dest.Path());
  EXPECT_FALSE(M().Vol02.pbVol02ProgressBar.Visible());
  EXPECT_TRUE(M().tabFolderCreate05.Enabled());
  EXPECT_TRUE(M().Vol02.btnVol02CreateFolders.Enabled());
}

TEST_F(Vol02Run, EachAttachOptionBuildsItsTreeAndCountsIt) {
  MakeStructure();
  struct Case {
    ui::RadioButton* radio;
    std::string tree;
    Strings created;
  };
  std::vector<Case> cases = {
      {&M().Vol02.rdoVol02AttachMainFolderWithFiles,
       "n\\\nn\\T\\\nn\\T\\a.txt\nn\\T\\x\\\nn\\T\\x\\b.txt\nn\\T\\x\\y\\\n",
       {"1", "3", "2", "8"}},
      {&M().Vol02.rdoVol02AttachMainFolderWithoutFiles, "n\\\nn\\T\\\nn\\T\\x\\\nn\\T\\x\\y\\\n",
       {"1", "3", "0", "0"}},
      {&M().Vol02.rdoVol02AttachSubFoldersOnlyWithFiles,
       "n\\\nn\\a.txt\nn\\x\\\nn\\x\\b.txt\nn\\x\\y\\\n", {"1", "2", "2", "8"}},
      {&M().Vol02.rdoVol02AttachSubFoldersOnlyWithoutFiles, "n\\\nn\\x\\\nn\\x\\y\\\n",
       {"1", "2", "0", "0"}},
  };
  PickDestination(dest.Path());
  Type("n");
  for (Case& c : cases) {
    SCOPED_TRACE(c.radio->Text());
    testsupport::RemoveTree(dest / "n");
    c.radio->SetChecked(true);
    if (M().Vol02.lstVol02AddFolderStructure.Count() == 0) AddStructure(tree / "T");
    Create();
    EXPECT_EQ(ListTree(dest.Path()), c.tree);
    EXPECT_EQ(Row(PageCounters(), 1), c.created);
    EXPECT_EQ(Row(WindowCounters(), 1), c.created);
    if (c.created[2] == "2") {
      std::string copied = c.tree.find("T\\") != std::string::npos ? "n\\T\\x\\b.txt" : "n\\x\\b.txt";
      EXPECT_EQ(ReadFile(dest / copied), "abc");
    }
  }
  // Subfolders only: the new folder itself is not counted as a subfolder.
  EXPECT_EQ(frmStatistic02->List(TResultsWindow::kSubFoldersCreated).Items(), (Strings{dest / "n\\x", dest / "n\\x\\y"}));

  // Created again onto the existing folder: counted as existing with the totals.
  M().Vol02.rdoVol02AttachMainFolderWithFiles.SetChecked(true);
  Create();
  EXPECT_EQ(Row(PageCounters(), 2), (Strings{"1", "3", "2", "8"}));
  EXPECT_EQ(Row(PageCounters(), 1), (Strings{"0", "0", "0", "0"}));
}

TEST_F(Vol02Run, AStructureHoldingTheNewFoldersIsRefusedOnceAndTheOthersAreStillAttached) {
  MakeStructure();
  // The destination lies inside the first structure: copying it would copy itself.
  std::string inside = tree.AddFolder("T\\x\\dest");
  PickDestination(inside);
  Type("one");
  Type("two");
  testsupport::TempDir other;
  other.AddFile("S\\s.txt", "s");
  M().Vol02.rdoVol02AttachMainFolderWithFiles.SetChecked(true);
  AddStructure(tree / "T");
  AddStructure(other / "S");
  seam.Answer("0373", IDOK);
  Create();

  std::vector<std::string> refusals = CaptionsContaining("0373");
  ASSERT_EQ(refusals.size(), 1u);
  for (const auto& b : seam.boxes)
    if (b.caption.find("0373") != std::string::npos) {
      EXPECT_EQ(b.owner, ui::BoxOwner::Window);
      EXPECT_NE(b.text.find("The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!"),
                std::string::npos);
    }
  EXPECT_EQ(ListTree(inside), "one\\\none\\S\\\none\\S\\s.txt\ntwo\\\ntwo\\S\\\ntwo\\S\\s.txt\n");
  EXPECT_EQ(Row(PageCounters(), 1), (Strings{"2", "2", "2", "2"}));
}

TEST_F(Vol02Run, FreeSpaceOneByteBelowTheNeedIsNotEnoughEqualIs) {
  MakeStructure();
  PickDestination(dest.Path());
  Type("p");
  Type("q");
  std::string root = dest.Path().substr(0, 3);
  seam.SetFreeSpace(root, {true, 100, 1000, 100});
  M().Vol02.rdoVol02AttachMainFolderWithoutFiles.SetChecked(true);  // nothing copied: no check
  AddStructure(tree / "T");
  seam.SetFreeSpace(root, {true, 15, 1000, 15});  // 2 x 8 bytes needed
  seam.Answer("0035", IDOK);
  M().Vol02.rdoVol02AttachMainFolderWithFiles.SetChecked(true);
  ASSERT_EQ(CaptionsContaining("0035").size(), 1u);
  EXPECT_NE(seam.Last().text.find("The program requires : 16.00 Bytes    16 bytes."), std::string::npos);
  seam.Answer("0035", IDOK);
  Press(M().Vol02.btnVol02CreateFolders);
  EXPECT_EQ(CaptionsContaining("0025").size(), 0u);
  EXPECT_FALSE(FolderExists(dest / "p"));

  seam.SetFreeSpace(root, {true, 16, 1000, 16});
  Create();
  EXPECT_TRUE(FileExists(dest / "p\\T\\x\\b.txt"));
  EXPECT_EQ(Row(PageCounters(), 0), (Strings{"2", "6", "4", "16"}));
  EXPECT_EQ(Row(PageCounters(), 1), (Strings{"2", "6", "4", "16"}));

  // A failed query does not refuse the run.
  seam.SetFreeSpace(root, {false, 0, 0, 0});
  Type("r");
  EXPECT_EQ(Row(PageCounters(), 0), (Strings{"3", "9", "6", "24"}));
}

TEST_F(Vol02Run, NoToTheQuestionKeepsTheLastRunAndAnEmptyListStopsAfterTheReset) {
  PickDestination(dest.Path());
  Type("a");
  Create();
  seam.Answer("0025", IDNO);
  Press(M().Vol02.btnVol02CreateFolders);
  EXPECT_EQ(Row(PageCounters(), 1), (Strings{"1", "0", "0", "0"}));
  EXPECT_EQ(frmStatistic02->List(TResultsWindow::kFoldersCreated).Count(), 1);

  // With a structure listed, Create stays available on an emptied list.
  testsupport::Choose(M().Vol02.rdoVol02AttachMainFolderWithoutFiles);
  AddStructure(tree.Path());
  Press(M().Vol02.btnVol02AllFromInc);
  seam.Answer("0025", IDYES);
  seam.Answer("0027", IDOK);
  Press(M().Vol02.btnVol02CreateFolders);
  EXPECT_EQ(CaptionsContaining("0027").size(), 1u);
  EXPECT_EQ(Row(PageCounters(), 1), (Strings{"0", "0", "0", "0"}));
  EXPECT_TRUE(M().tabFolderCreate04.Enabled());
  EXPECT_TRUE(M().tabFoldersCopy02.Enabled());
  EXPECT_FALSE(M().Vol02.pbVol02ProgressBar.Visible());

  // The undo record of the first run went with the reset: the run that made
  // nothing is the last run.
  EXPECT_FALSE(M().Vol02.btnVol02Undo.Enabled());
  Press(M().Vol02.btnVol02AllFromExc);
  seam.Answer("0028", IDOK);
  Press(M().Vol02.btnVol02Undo);
  EXPECT_EQ(seam.Last().caption, kT + "Warning no: 0028.");
  EXPECT_TRUE(FolderExists(dest / "a"));
}

TEST_F(Vol02Run, ClosingTheMainWindowMidRunStopsItQuietly) {
  PickDestination(dest.Path());
  for (int i = 0; i < 300; ++i) M().Vol02.lstVol02IncludeStrings.Add("f" + std::to_string(1000 + i));
  Type("f0999");
  // The close arrives while the run lets the window process its messages.
  PostMessageA(frmMain->Handle(), WM_CLOSE, 0, 0);
  seam.Answer("0025", IDYES);
  Press(M().Vol02.btnVol02CreateFolders);
  EXPECT_TRUE(ui::App().Terminated());
  EXPECT_EQ(CaptionsContaining("0026").size(), 0u);  // no end box after the close
  EXPECT_EQ(M().Vol02.Counters[4], 0);  // stopped before its first item
  EXPECT_EQ(ListTree(dest.Path()), "");
  EXPECT_FALSE(M().Vol02.Busy());
  EXPECT_TRUE(M().Vol02.btnVol02CreateFolders.Enabled());  // unlocked on the way out
  EXPECT_TRUE(M().tabFolderCreate05.Enabled());
}

// The run works while the window handles its messages: a close that comes
// while the folders are being made stops the run (at its next folder, or at
// its end when the window came to the close late), and what the page counts
// is what stands on disk.
TEST_F(Vol02Run, ACloseWhileTheRunWorksStopsItAndTheCountIsWhatWasMade) {
  PickDestination(dest.Path());
  std::vector<std::string> names;
  for (int i = 0; i < 2000; ++i) names.push_back("g" + std::to_string(10000 + i));
  M().Vol02.lstVol02IncludeStrings.AddStrings(names);
  M().Vol02.Lists.Refresh();
  seam.Answer("0025", IDYES);
  {
    CloseMidRun close(M().Vol02.pbVol02ProgressBar);
    Press(M().Vol02.btnVol02CreateFolders);
    EXPECT_TRUE(CloseMidRun::Posted());
  }

  EXPECT_TRUE(ui::App().Terminated());
  EXPECT_EQ(CaptionsContaining("0026").size(), 0u);
  const std::string made = ListTree(dest.Path());
  const double onDisk = static_cast<double>(std::count(made.begin(), made.end(), '\n'));
  EXPECT_EQ(M().Vol02.Counters[4], onDisk);
  EXPECT_FALSE(M().Vol02.Busy());
  EXPECT_TRUE(M().Vol02.btnVol02CreateFolders.Enabled());
  EXPECT_TRUE(M().tabFolderCreate05.Enabled());
}

// A structure holding names this system cannot address ("..\beside.txt",
// "nul.txt"): the page says so when it is added and again at each run and
// simulation, copies only the plain entries, into the new folders alone, and
// counts only them.
TEST_F(Vol02Run, AStructureWithNamesNoPathReachesIsCopiedWithoutThemAndSaysSo) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "odd names are made on the Linux side";
  MakeStructure();
  ASSERT_TRUE(testsupport::MakeUnixEntry(tree / "T", "..\\beside.txt", false));
  ASSERT_TRUE(testsupport::MakeUnixEntry(tree / "T\\x", "nul.txt", false));
  PickDestination(dest.Path());
  Type("n");
  testsupport::Choose(M().Vol02.rdoVol02AttachMainFolderWithFiles);
  seam.Answer("0740", IDOK);
  AddStructure(tree / "T");
  ASSERT_EQ(CaptionsContaining("0740").size(), 1u);
  const std::string said = Box("0740")->text;
  EXPECT_NE(said.find("holds entries this system cannot address : 2\n" + tree / "T"), std::string::npos) << said;
  EXPECT_NE(said.find("a name this system cannot address (it holds \"\\\" or \"/\") : 1\n   " + tree / "T\\..\\beside.txt\n"),
            std::string::npos) << said;
  EXPECT_NE(said.find("a name this system cannot address (a device name) : 1\n   " + tree / "T\\x\\nul.txt\n"),
            std::string::npos) << said;
  EXPECT_EQ(Row(PageCounters(), 0), (Strings{"1", "3", "2", "8"}));

  seam.Answer("0742", IDOK);
  Simulate();
  EXPECT_EQ(CaptionsContaining("0742").size(), 1u);
  seam.Answer("0741", IDOK);
  Create();
  EXPECT_EQ(CaptionsContaining("0741").size(), 1u);
  EXPECT_EQ(ListTree(dest.Path()), "n\\\nn\\T\\\nn\\T\\a.txt\nn\\T\\x\\\nn\\T\\x\\b.txt\nn\\T\\x\\y\\\n");
  EXPECT_EQ(Row(PageCounters(), 1), (Strings{"1", "3", "2", "8"}));
  EXPECT_FALSE(FileExists(dest / "n\\beside.txt"));
  EXPECT_FALSE(FileExists(dest / "beside.txt"));
}

} // namespace

namespace {

// A structure's file that cannot be written is never taken for one that
// already exists: one another program holds open without sharing it, one
// that is a link lying in the structure from the start, and one swapped for a
// link while the run's question is open. Each is
// counted under other reasons and listed among them in the Visual Log with
// why beneath it, and the box at the end names them; the outside data stays.
TEST_F(Vol02Run, AFileNotWrittenIsListedWithWhyAndNeverCountedAsExisting) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "links are made with the Unix ln";
  MakeStructure();
  testsupport::TempDir outside;
  outside.AddFile("link.txt", "outside link");
  outside.AddFile("b.txt", "outside b");
  const std::string before = Snapshot(outside.Path());
  ASSERT_TRUE(testsupport::MakeUnixFileSymlink(tree / "T\\link.txt", outside / "link.txt"));
  const std::string held = tree.AddFile("T\\held.txt", "held");
  PickDestination(dest.Path());
  Type("n");
  M().Vol02.rdoVol02AttachMainFolderWithFiles.SetChecked(true);
  AddStructure(tree / "T");
  HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  bool swapped = false;
  seam.Answer("0025", IDYES, [&] {
    swapped = testsupport::MoveOnUnixSide(tree / "T\\x\\b.txt", tree / "b-away.txt") &&
              testsupport::MakeUnixFileSymlink(tree / "T\\x\\b.txt", outside / "b.txt");
  });
  seam.Answer("0749", IDOK);
  seam.Answer("0026", IDOK);
  Press(M().Vol02.btnVol02CreateFolders);
  CloseHandle(holder);
  ASSERT_TRUE(swapped);
  const std::vector<std::pair<std::string, std::string>> notWritten = {
      {dest / "n\\T\\held.txt", "in use by another program: it cannot be read"},
      {dest / "n\\T\\link.txt", "a link (its name leads to another place): never read through"},
      {dest / "n\\T\\x\\b.txt", "a link (its name leads to another place): never read through"}};
  const Strings other = frmStatistic02->List(TResultsWindow::kFoldersOther).Items();
  EXPECT_EQ(other.size(), 6u);
  ASSERT_NE(Box("0749"), nullptr);
  const std::string& box = Box("0749")->text;
  EXPECT_EQ(box.find("Files not written : 3\n"), 0u) << box;
  for (const auto& [path, why] : notWritten) {
    EXPECT_FALSE(testsupport::PathExists(path)) << path;
    const auto at = std::find(other.begin(), other.end(), path);
    ASSERT_NE(at, other.end()) << path;
    ASSERT_NE(at + 1, other.end()) << path;
    EXPECT_EQ(*(at + 1), "      why : " + why);
    EXPECT_NE(box.find("   " + path + "\n"), std::string::npos) << box;
  }
  // Created a.txt alone; nothing "already exists"; three files not written.
  EXPECT_EQ(Row(PageCounters(), 1)[2], "1");
  EXPECT_EQ(Row(PageCounters(), 2), (Strings{"0", "0", "0", "0"}));
  EXPECT_EQ(Row(PageCounters(), 3)[2], "3");
  EXPECT_EQ(WindowCounters(), PageCounters());
  EXPECT_EQ(ReadFile(dest / "n\\T\\a.txt"), "hello");
  EXPECT_EQ(Snapshot(outside.Path()), before);
  EXPECT_LT(Box("0749") - &seam.boxes.front(), Box("0026") - &seam.boxes.front());
}

// A disk that fills up while a structure's file is written stops the run: the
// file is taken away (no cut file, no temporary one), the next folders are not
// made, a box says where it stopped and the box of the files not written names
// it, before the end box.
DWORD FullDisk(const std::string& temporary, uint64_t) {
  return temporary.find("b.txt") != std::string::npos ? ERROR_DISK_FULL : 0;
}

TEST_F(Vol02Run, AFullDiskStopsTheRunAndSaysWhere) {
  MakeStructure();
  PickDestination(dest.Path());
  Type("n1");
  Type("n2");
  M().Vol02.rdoVol02AttachMainFolderWithFiles.SetChecked(true);
  AddStructure(tree / "T");
  seam.Answer("0025", IDYES);
  seam.Answer("0770", IDOK);
  seam.Answer("0749", IDOK);
  seam.Answer("0026", IDOK);
  core::SetCopyWriteFault(FullDisk);
  Press(M().Vol02.btnVol02CreateFolders);
  core::SetCopyWriteFault(nullptr);
  const std::string stopped = dest / "n1\\T\\x\\b.txt";
  EXPECT_FALSE(testsupport::PathExists(stopped));
  EXPECT_EQ(ListTree(dest / "n1\\T\\x").find("b.txt"), std::string::npos);  // nor its temporary name
  EXPECT_FALSE(testsupport::PathExists(dest / "n2"));
  ASSERT_NE(Box("0770"), nullptr);
  EXPECT_EQ(testsupport::Box(Box("0770")->caption, Box("0770")->flags, Box("0770")->text),
            testsupport::Box(kT + "Warning no: 0770.", 0x30,
                             "The disk is full !\nThe Creation process is stopped at : \n" + stopped));
  ASSERT_NE(Box("0749"), nullptr);
  EXPECT_EQ(Box("0749")->text, "Files not written : 1\n\nthe disk is full : 1\n   " + stopped + "\n");
  EXPECT_EQ(Row(PageCounters(), 3)[2], "1");
  EXPECT_EQ(Row(PageCounters(), 3)[3], "3");
  EXPECT_EQ(Row(PageCounters(), 2)[2], "0");
  const Strings captions = seam.Captions();
  ASSERT_GE(captions.size(), 3u);
  EXPECT_NE(captions[captions.size() - 3].find("0770"), std::string::npos);
  EXPECT_NE(captions[captions.size() - 2].find("0749"), std::string::npos);
  EXPECT_NE(captions[captions.size() - 1].find("0026"), std::string::npos);
}

// A structure's file another program cuts while the run copies it (from the
// Linux side, past the share modes) is not written: no cut copy stands under
// its name nor under its temporary one; it is counted under other reasons
// with its bytes, listed among them in the Visual Log with why, and named in
// the box of the files not written.
std::string g_cutSource;
bool g_cut = false;
void CutOnce(const std::string& temporary, uint64_t) {
  if (g_cut || temporary.find("big.bin") == std::string::npos) return;
  g_cut = testsupport::ResizeOnUnixSide(g_cutSource, 1 << 20);
}

TEST_F(Vol02Run, AFileCutWhileItIsCopiedIsNotWrittenAndSaysWhy) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "the file is cut on the Linux side";
  MakeStructure();
  g_cutSource = tree.AddFile("T\\big.bin", std::string(3 << 20, 'b'));
  g_cut = false;
  PickDestination(dest.Path());
  Type("n");
  M().Vol02.rdoVol02AttachMainFolderWithFiles.SetChecked(true);
  AddStructure(tree / "T");
  seam.Answer("0025", IDYES);
  seam.Answer("0749", IDOK);
  seam.Answer("0026", IDOK);
  core::SetCopyWriteHook(CutOnce);
  Press(M().Vol02.btnVol02CreateFolders);
  core::SetCopyWriteHook(nullptr);
  ASSERT_TRUE(g_cut);
  const std::string big = dest / "n\\T\\big.bin";
  const std::string why = "another program changed the structure's file while it was copied: the copy was taken away";
  EXPECT_EQ(ListTree(dest / "n\\T"), "a.txt\nx\\\nx\\b.txt\nx\\y\\\n");
  // Created a.txt and x\b.txt; nothing "already exists"; big.bin under other reasons with its measured bytes.
  EXPECT_EQ(Row(PageCounters(), 1)[2], "2");
  EXPECT_EQ(Row(PageCounters(), 2), (Strings{"0", "0", "0", "0"}));
  EXPECT_EQ(Row(PageCounters(), 3), (Strings{"0", "0", "1", "3145728"}));
  EXPECT_EQ(WindowCounters(), PageCounters());
  const Strings other = frmStatistic02->List(TResultsWindow::kFoldersOther).Items();
  const auto at = std::find(other.begin(), other.end(), big);
  ASSERT_NE(at, other.end());
  ASSERT_NE(at + 1, other.end());
  EXPECT_EQ(*(at + 1), "      why : " + why);
  ASSERT_NE(Box("0749"), nullptr);
  EXPECT_EQ(Box("0749")->text, "Files not written : 1\n\n" + why + " : 1\n   " + big + "\n");
}

} // namespace
