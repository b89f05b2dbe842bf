// The subfolder list builder as a user drives it, on real trees, with its memo editor and hand-back.
#include "listwin/frmFileExport.h"
#include "listwin/frmSubFolderListBuilder.h"
#include "support/press.h"
#include "support/wine_unix.h"
#include "support/program_fixture.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using testsupport::Choose;
using testsupport::Press;
using testsupport::ProgramTest;
using testsupport::Type;

namespace {

using Strings = std::vector<std::string>;
const std::string kCap = "SubFolder Level List Builder.            ";

class SubFolderBuilder : public ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    src = dir->Path() + "\\src";
    for (const char* f : {"a\\b\\c", "d", "e\\bx"}) dir->AddFolder(std::string("src\\") + f);
    dir->AddFile("src\\one.txt", "12345");
    dir->AddFile("src\\a\\b\\two.txt", "123");
  }
  TfrmSubFolderListBuilder& W() { return *frmSubFolderListBuilder; }
  // Shows the window as a page does; the user acts in it; the page reads it back.
  SubFolderListHandBack Open(std::function<void(TfrmSubFolderListBuilder&)> user) {
    seam.OnModal(frmSubFolderListBuilder, [user](ui::Form&) {
      user(*frmSubFolderListBuilder);
      return 0;
    });
    return OpenSubFolderListBuilder();
  }
  void Browse(const std::string& folder) {
    if (folder.empty()) seam.OnPickFolder([](ui::FolderPickRequest&) { return false; });
    else seam.PickFolder(folder);
    Press(W().btnMainSourceFolderAdd);
  }
  // Build a List with the source typed, the answer to 0580 scripted (0: not expected).
  void Build(const std::string& source, int clearAnswer) {
    Type(W().cboMainSourceFolder, source);
    if (clearAnswer) seam.Answer("0580", clearAnswer);
    Press(W().btnBuildList);
  }
  Strings Paths(std::initializer_list<const char*> relative) {
    Strings out;
    for (const char* r : relative) out.push_back(src + "\\" + r);
    return out;
  }
  static Strings Sorted(Strings s) {
    std::sort(s.begin(), s.end());
    return s;
  }
  Strings Captions() const { return seam.Captions(); }
  std::string src;
};

TEST_F(SubFolderBuilder, SourceSummaryCountsEveryLevelOfTheTree) {
  Open([&](TfrmSubFolderListBuilder& w) {
    Browse("");
    EXPECT_EQ(seam.Last().caption, kCap + "Warning no: 0572.");
    EXPECT_EQ(w.cboMainSourceFolder.Count(), 0);

    Browse(src + "\\");  // a trailing backslash measures the same tree
    EXPECT_EQ(w.lblMainLevelSumSubFolder.Text(), "6");
    EXPECT_EQ(w.lblMainLevelSumFiles.Text(), "2");
    EXPECT_EQ(w.lblMainLevelSumFileSize.Text(), "8.00 Bytes  (8 bytes).");
    const int level = static_cast<int>(std::count(src.begin(), src.end(), '\\'));
    ASSERT_EQ(w.lstViewLevelSumFolder.Count(), 3);
    const std::string counts[] = {"3", "2", "1"};
    for (int row = 0; row < 3; ++row) {
      EXPECT_EQ(w.lstViewLevelSumFolder.Cell(row, 0), std::to_string(level + row));
      EXPECT_EQ(w.lstViewLevelSumFolder.Cell(row, 1), counts[row]);
    }
    // A source already in the history is chosen again, not added twice.
    Browse(src + "\\A");
    Browse(src + "\\a");
    EXPECT_EQ(w.cboMainSourceFolder.Items(), (Strings{src + "\\", src + "\\A"}));
    EXPECT_EQ(w.lblMainLevelSumSubFolder.Text(), "2");

    // View opens only an existing folder.
    Type(w.cboMainSourceFolder, "  ");
    Press(w.btnMainSourceFolderView);
    Type(w.cboMainSourceFolder, src + "\\one.txt");
    Press(w.btnMainSourceFolderView);
    Type(w.cboMainSourceFolder, src);
    Press(w.btnMainSourceFolderView);
    EXPECT_EQ(seam.shellOpens, Strings{src + "||"});
    Press(w.btnIncludeFolderListView);
    EXPECT_EQ(Captions(), (Strings{kCap + "Warning no: 0572.", kCap + "Warning no: 0573.", kCap + "Warning no: 0586.",
                                   kCap + "Warning no: 0574."}));
    EXPECT_EQ(seam.boxes[2].text, "The folder does not exist !\nAction : You must select an existing folder.");
    Press(w.BitBtn2);
  });
  EXPECT_EQ(seam.Unscripted(), 4);
}

// View Selected opens the current entry (the one with the focus rectangle),
// whether it is selected or not; with several selected, that one only.
TEST_F(SubFolderBuilder, ViewSelectedOpensTheCurrentEntrySelectedOrNot) {
  Open([&](TfrmSubFolderListBuilder& w) {
    Build(src, IDYES);
    ui::ListBox& list = w.lstIncludeFolderList;
    ASSERT_EQ(list.Count(), 3);
    // A click on the second entry, then a Ctrl+click on it again: current, not selected.
    list.SelectAll(false);
    SendMessageA(list.Handle(), LB_SETCARETINDEX, 1, FALSE);
    ASSERT_EQ(list.SelCount(), 0);
    Press(w.btnIncludeFolderListView);
    list.SetSelected(0, true);
    list.SetSelected(2, true);
    SendMessageA(list.Handle(), LB_SETCARETINDEX, 2, FALSE);
    Press(w.btnIncludeFolderListView);
    EXPECT_EQ(seam.shellOpens, (Strings{list.Item(1) + "||", list.Item(2) + "||"}));
    Press(w.BitBtn2);
  });
  EXPECT_EQ(seam.Unscripted(), 0);
}

struct BuildCase {
  const char* what;
  int rule;  // 0 From-To, 1 Above, 2 Below
  const char* first;
  const char* second;
  bool last;
  const char* filter;
  std::initializer_list<const char*> expected;
};

TEST_F(SubFolderBuilder, BuildFollowsTheRuleThePathModeAndTheFilter) {
  const BuildCase cases[] = {
      {"From-To 1-2, all", 0, "1", "2", false, "", {"a", "d", "e", "a\\b", "e\\bx"}},
      {"From-To 1-2, last", 0, "1", "2", true, "", {"d", "a\\b", "e\\bx"}},
      {"Above 2, all", 1, "2", "", false, "", {"a", "d", "e"}},
      {"Above 2, last", 1, "2", "", true, "", {"d", "a\\b", "e\\bx"}},
      {"Below 1, all", 2, "1", "", false, "", {"a\\b", "e\\bx", "a\\b\\c"}},
      {"Below 0, last", 2, "0", "", true, "", {"d", "e\\bx", "a\\b\\c"}},
      {"Below 0, filter B", 2, "0", "", false, " B ", {"a\\b", "e\\bx"}},
  };
  Open([&](TfrmSubFolderListBuilder& w) {
    EXPECT_TRUE(w.rdoFromToLevelNumber.Checked());
    EXPECT_TRUE(w.rdoBuildAllSubFolders.Checked());
    EXPECT_EQ(w.edtBelowLevelNumber.Text(), "0");
    for (const BuildCase& c : cases) {
      Choose(c.rule == 0 ? w.rdoFromToLevelNumber : c.rule == 1 ? w.rdoAboveLevelNumber : w.rdoBelowLevelNumber);
      EXPECT_FALSE(w.edtAboveLevelNumber.Enabled() != (c.rule == 1)) << c.what;
      ui::Edit& first = c.rule == 0 ? w.edtFromLevelNumber : c.rule == 1 ? w.edtAboveLevelNumber : w.edtBelowLevelNumber;
      Type(first, c.first);
      if (c.rule == 0) Type(w.edtToLevelNumber, c.second);
      Choose(c.last ? w.rdoBuildLastSubFolder : w.rdoBuildAllSubFolders);
      Type(w.edtSubFolderFilter, c.filter);
      Build(src, IDYES);
      const Strings& got = w.lstIncludeFolderList.Items();
      EXPECT_EQ(Sorted(got), Sorted(Paths(c.expected))) << c.what;
      EXPECT_EQ(w.lblIncludeSum.Text(), std::to_string(got.size())) << c.what;
      for (size_t i = 1; i < got.size(); ++i)
        EXPECT_LE(std::count(got[i - 1].begin(), got[i - 1].end(), '\\'), std::count(got[i].begin(), got[i].end(), '\\'))
            << c.what << ": shallower levels first";
    }
    Press(w.BitBtn2);
  });
  EXPECT_EQ(seam.Unscripted(), 0);
}

// A subfolder whose name no path reaches ("..\src" would name the source
// itself) is never listed: the build names it with why in one box, and lists
// the plain ones.
TEST_F(SubFolderBuilder, AFolderNoPathReachesIsNamedNotListed) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "odd names are made on the Linux side";
  ASSERT_TRUE(testsupport::MakeUnixEntry(src, "..\\src", true));
  ASSERT_TRUE(testsupport::MakeUnixEntry(src + "\\e", "com1", true));
  Open([&](TfrmSubFolderListBuilder& w) {
    Type(w.edtFromLevelNumber, "1");
    Type(w.edtToLevelNumber, "2");
    seam.Answer("0588", IDOK);
    Build(src, IDYES);
    EXPECT_EQ(Sorted(w.lstIncludeFolderList.Items()), Sorted(Paths({"a", "d", "e", "a\\b", "e\\bx"})));
    ASSERT_EQ(seam.Last().caption, kCap + "Warning no: 0588.");
    EXPECT_EQ(seam.Last().text,
              "Not every folder found was added to the INCLUDE list !\n\n5 entries added.\n2 entries not taken :\n\n"
              "a name this system cannot address (it holds \"\\\" or \"/\") : 1\n   " + src +
                  "\\..\\src\na name this system cannot address (a device name) : 1\n   " + src + "\\e\\com1\n");
    Press(w.BitBtn2);
  });
  EXPECT_EQ(seam.Unscripted(), 0);
}

TEST_F(SubFolderBuilder, WarningsComeBeforeTheQuestionAndAnEmptyBuildKeepsTheList) {
  Open([&](TfrmSubFolderListBuilder& w) {
    Build(src, IDYES);
    const Strings first = Paths({"a", "d", "e"});
    ASSERT_EQ(Sorted(w.lstIncludeFolderList.Items()), first);
    seam.boxes.clear();

    Build(" ", 0);  // no source
    Type(w.edtFromLevelNumber, "3");
    Type(w.edtToLevelNumber, "2");
    Build(src, 0);
    Type(w.edtFromLevelNumber, "0");  // below 1: left as typed, refused at Build
    Type(w.edtToLevelNumber, "-1");
    Build(src, 0);
    Choose(w.rdoAboveLevelNumber);
    Type(w.edtAboveLevelNumber, "x");  // no repair on leaving Above: the conversion error
    Build(src, 0);
    EXPECT_EQ(Captions(), (Strings{kCap + "Warning no: 0579.", kCap + "Warning no: 0581.", kCap + "Warning no: 0583.",
                                   "Vextil"}));
    EXPECT_EQ(seam.Last().text, "'x' is not a valid integer value.");
    EXPECT_EQ(Sorted(w.lstIncludeFolderList.Items()), first);

    // Yes, but nothing matches: the list stays.
    Type(w.edtAboveLevelNumber, "1");
    Type(w.edtSubFolderFilter, "zz");
    Build(src, IDYES);
    EXPECT_EQ(seam.Last().caption, kCap + "Warning no: 0582.");
    EXPECT_EQ(Sorted(w.lstIncludeFolderList.Items()), first);

    // No keeps the list and adds only what neither list holds; an excluded folder never comes back.
    w.lstIncludeFolderList.SetSelected(w.lstIncludeFolderList.IndexOf(src + "\\d"), true);
    Press(w.btnFromIncToExc);
    Choose(w.rdoBelowLevelNumber);
    Type(w.edtBelowLevelNumber, "0");
    Type(w.edtSubFolderFilter, "");
    Build(src, IDNO);
    EXPECT_EQ(Sorted(w.lstIncludeFolderList.Items()), Sorted(Paths({"a", "e", "a\\b", "e\\bx", "a\\b\\c"})));
    EXPECT_EQ(w.lstExcludeFolderList.Items(), Paths({"d"}));
    EXPECT_EQ(w.lblExcludeSum.Text(), "1");

    // A drive root never yields a doubled backslash.
    Choose(w.rdoFromToLevelNumber);
    Build("C:\\", IDYES);
    ASSERT_GT(w.lstIncludeFolderList.Count(), 0);
    for (const std::string& f : w.lstIncludeFolderList.Items())
      EXPECT_TRUE(f.rfind("C:\\", 0) == 0 && f.find("\\\\") == std::string::npos) << f;
    Press(w.BitBtn2);
  });
  EXPECT_EQ(seam.Unscripted(), 5);
}

TEST_F(SubFolderBuilder, FromAndToRepairWhatIsNoWholeNumber) {
  Open([&](TfrmSubFolderListBuilder& w) {
    Type(w.edtFromLevelNumber, "two");
    w.edtToLevelNumber.SetFocus();  // leaving From
    EXPECT_EQ(w.edtFromLevelNumber.Text(), "1");
    Type(w.edtFromLevelNumber, "4");
    Type(w.edtToLevelNumber, "");
    w.edtFromLevelNumber.SetFocus();  // leaving To
    EXPECT_EQ(w.edtToLevelNumber.Text(), "4");
    EXPECT_TRUE(w.edtToLevelNumber.Focused());
    // Choosing a rule sets every number to 1 and enables only its own.
    Choose(w.rdoBelowLevelNumber);
    for (ui::Edit* e : {&w.edtFromLevelNumber, &w.edtToLevelNumber, &w.edtAboveLevelNumber, &w.edtBelowLevelNumber})
      EXPECT_EQ(e->Text(), "1");
    EXPECT_FALSE(w.edtFromLevelNumber.Enabled());
    EXPECT_FALSE(w.lblFromTo.Enabled());
    EXPECT_TRUE(w.udBelowLevelNumber.Enabled());
    EXPECT_FALSE(w.rdoFromToLevelNumber.Checked());
    Press(w.BitBtn2);
  });
}

TEST_F(SubFolderBuilder, MovesExchangeAndDeletes) {
  Open([&](TfrmSubFolderListBuilder& w) {
    w.lstIncludeFolderList.AddStrings({"C:\\p", "C:\\q", "plain"});
    w.lstExcludeFolderList.AddStrings({"c:\\P"});
    w.lstIncludeFolderList.SetSelected(0, true);
    w.lstIncludeFolderList.SetSelected(2, true);
    Press(w.btnFromIncToExc);  // C:\p is there already (letter case ignored): dropped from include only
    EXPECT_EQ(w.lstIncludeFolderList.Items(), (Strings{"C:\\q"}));
    EXPECT_EQ(w.lstExcludeFolderList.Items(), (Strings{"c:\\P", "plain"}));
    Press(w.btnAllFromExcToInc);
    EXPECT_EQ(w.lstIncludeFolderList.Items(), (Strings{"C:\\q", "c:\\P", "plain"}));
    EXPECT_EQ(w.lblExcludeSum.Text(), "0");
    Press(w.btnExchangeIncToExc);
    EXPECT_TRUE(w.lstIncludeFolderList.Items().empty());
    EXPECT_EQ(w.lstExcludeFolderList.Items(), (Strings{"C:\\q", "c:\\P", "plain"}));
    w.lstExcludeFolderList.SetSelected(1, true);
    Press(w.btnFromExcToInc);
    EXPECT_EQ(w.lstIncludeFolderList.Items(), (Strings{"c:\\P"}));
    Press(w.btnAllFromIncToExc);
    EXPECT_EQ(w.lstExcludeFolderList.Items(), (Strings{"C:\\q", "plain", "c:\\P"}));
    EXPECT_EQ(w.lblIncludeSum.Text(), "0");

    // Delete Selected asks; No keeps, Yes removes the selection; Delete All empties.
    w.lstExcludeFolderList.SetSelected(0, true);
    seam.Answer("0575", IDNO);
    Press(w.btnDeleteFromExcludeList);
    EXPECT_EQ(w.lstExcludeFolderList.Count(), 3);
    seam.Answer("0575", IDYES);
    Press(w.btnDeleteFromExcludeList);
    EXPECT_EQ(w.lstExcludeFolderList.Items(), (Strings{"plain", "c:\\P"}));
    seam.Answer("0578", IDYES);
    Press(w.btnDeleteExcludedAll);
    EXPECT_EQ(w.lblExcludeSum.Text(), "0");
    Press(w.btnDeleteFromExcludeList);
    Press(w.btnDeleteExcludedAll);
    Press(w.btnSmartExport);
    EXPECT_EQ(Captions().back(), "SubFolder Level List Builder.             Warning no: 0584.");
    EXPECT_EQ(seam.Unscripted(), 3);
    Press(w.BitBtn2);
  });
}

TEST_F(SubFolderBuilder, SmartExportHandsOverEveryEntry) {
  Open([&](TfrmSubFolderListBuilder& w) {
    w.lstIncludeFolderList.AddStrings({"C:\\x", "no drive", "c:\\X"});
    seam.OnModal(frmFileExport, [](ui::Form&) {
      EXPECT_EQ(frmFileExport->lstFileExportSource.Items(), (Strings{"C:\\x", "no drive"}));
      EXPECT_EQ(frmFileExport->lblSmartExportSource.Text(), "2");
      return IDCANCEL;
    });
    Press(w.btnSmartExport);
    EXPECT_TRUE(w.btnSmartExport.Enabled()) << "commands unlocked after the hand-over";
    Press(w.BitBtn2);
  });
  EXPECT_EQ(seam.modalForms.back(), "Export Datas to a File.");
}

TEST_F(SubFolderBuilder, MemoEditorRebuildsTheIncludeListWithinItsCap) {
  auto edit = [&](std::function<void(TfrmFLLEditIncludeFolderList&)> user) {
    seam.OnModal(frmFLLEditIncludeFolderList, [user](ui::Form&) {
      user(*frmFLLEditIncludeFolderList);
      return 0;
    });
    Press(W().btnEditIncludeList);
  };
  auto key = [](char c) {
    PostMessageA(frmFLLEditIncludeFolderList->mmoEditIncludeList.Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
    ui::App().ProcessMessages();
  };
  std::string many;
  for (int i = 0; i <= 30000; ++i) many += "C:\\f" + std::to_string(i) + "\r\n";
  Open([&](TfrmSubFolderListBuilder& w) {
    w.lstIncludeFolderList.AddStrings({"C:\\one", "C:\\two"});
    w.lstExcludeFolderList.AddStrings({"C:\\skip"});
    edit([&](TfrmFLLEditIncludeFolderList& e) {
      EXPECT_EQ(e.mmoEditIncludeList.Lines(), (Strings{"C:\\one", "C:\\two"}));
      Type(e.mmoEditIncludeList, "  C:\\z  \r\n\r\nC:\\a\r\nc:\\Z\r\nc:\\SKIP\r\n");
      Press(e.btnEditIncludeListOk);
    });
    EXPECT_EQ(w.lstIncludeFolderList.Items(), (Strings{"C:\\z", "C:\\a"})) << "memo order, each once, no exclude entry";
    EXPECT_EQ(w.lblIncludeSum.Text(), "2");
    edit([&](TfrmFLLEditIncludeFolderList& e) {
      // Above 30,000 folders OK changes nothing and the editor stays open; Cancel leaves the list.
      Type(e.mmoEditIncludeList, many);
      Press(e.btnEditIncludeListOk);
      EXPECT_EQ(seam.Last().caption, "Folder Level List Builder.            Warning no: 0012.");
      EXPECT_EQ(e.ModalResult(), 0);
      EXPECT_EQ(W().lstIncludeFolderList.Items(), (Strings{"C:\\z", "C:\\a"}));
      // A key in a memo above the cap keeps its first 30,000 filled lines.
      e.mmoEditIncludeList.SetFocus();
      key('x');
      EXPECT_EQ(seam.Last().caption, "Folder Level List Builder.            Warning no: 0013.");
      EXPECT_EQ(e.lblEditLinesSum.Text(), "30000");
      Press(e.btnEditIncludeCancel);
    });
    EXPECT_EQ(w.lstIncludeFolderList.Items(), (Strings{"C:\\z", "C:\\a"}));
    EXPECT_EQ(frmFLLEditIncludeFolderList->mmoEditIncludeList.Text(), "");
    Press(w.BitBtn2);
  });
  EXPECT_EQ(seam.Unscripted(), 2);
}

TEST_F(SubFolderBuilder, HandBackGivesTheListAndWhetherImportClosedTheWindow) {
  SubFolderListHandBack back = Open([&](TfrmSubFolderListBuilder& w) {
    Build(src, IDYES);
    Press(w.BitBtn1);
  });
  EXPECT_TRUE(back.imported);
  EXPECT_EQ(Sorted(back.entries), Paths({"a", "d", "e"}));
  // Kept between openings; Cancel hands the list back unimported.
  back = Open([&](TfrmSubFolderListBuilder& w) {
    EXPECT_EQ(w.cboMainSourceFolder.Text(), src);
    Press(w.BitBtn2);
  });
  EXPECT_FALSE(back.imported);
  EXPECT_EQ(back.entries.size(), 3u);
}

} // namespace
