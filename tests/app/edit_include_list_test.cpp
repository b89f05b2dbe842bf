// The include-list editor and the zoom window, opened from the pages.
#include "app/frmMain.h"
#include "listwin/frmEditIncludeList.h"
#include "support/press.h"
#include "support/program_fixture.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using testsupport::Press;
using testsupport::ProgramTest;
using testsupport::Type;

namespace {

using Strings = std::vector<std::string>;

class EditIncludeList : public ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate03);
    const std::string dest = dir->AddFolder("dest");
    seam.PickFolder(dest);
    Press(M().Vol02.btnVol02AddDestFolder);
  }
  TfrmMain& M() { return *frmMain; }
  TfrmEditIncludeList& E() { return *frmVol02EditIncludeList; }
  // Presses Edit List; user acts in the editor while it is shown.
  void Edit(std::function<void(TfrmEditIncludeList&)> user) {
    seam.OnModal(frmVol02EditIncludeList, [user](ui::Form&) {
      user(*frmVol02EditIncludeList);
      return 0;
    });
    Press(M().Vol02.btnVol02EditIncludeList);
  }
  // A key typed into the memo, through the message loop.
  void Key(char c) {
    PostMessageA(E().mmoEditIncludeList.Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
    ui::App().ProcessMessages();
  }
};

TEST_F(EditIncludeList, OkRebuildsTheListCancelLeavesIt) {
  M().Vol02.lstVol02ExcludeStrings.Add("skip");
  Edit([&](TfrmEditIncludeList& e) {
    EXPECT_EQ(e.mmoEditIncludeList.Text(), "");
    Type(e.mmoEditIncludeList, "b\r\n\r\n  a  \r\nB\r\na\r\nSKIP\r\n");
    Press(e.btnEditOk);
  });
  const Strings& items = M().Vol02.lstVol02IncludeStrings.Items();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0], "a");
  EXPECT_TRUE(items[1] == "b" || items[1] == "B");
  EXPECT_EQ(M().Vol02.lblVol02IncludeSum.Text(), "2");
  EXPECT_EQ(E().mmoEditIncludeList.Text(), "");

  // The memo opens with the list and its count; Cancel after editing changes nothing.
  const Strings before = items;
  Edit([&](TfrmEditIncludeList& e) {
    EXPECT_EQ(e.mmoEditIncludeList.Lines(), before);
    EXPECT_EQ(e.lblEditLinesSum.Text(), "2");
    Type(e.mmoEditIncludeList, "other\r\n");
    Press(e.btnEditCancel);
  });
  EXPECT_EQ(M().Vol02.lstVol02IncludeStrings.Items(), before);

  // Above 30,000 lines the edit is refused whole and the editor stays open.
  std::string many;
  for (int i = 0; i <= 30000; ++i) many += "line " + std::to_string(i) + "\r\n";
  Edit([&](TfrmEditIncludeList& e) {
    Type(e.mmoEditIncludeList, many);
    Press(e.btnEditOk);
    EXPECT_EQ(seam.Last().caption, "Edit the include List of strings            Warning no: 0160.");
    EXPECT_EQ(seam.Last().flags, 0x30u);
    EXPECT_TRUE(e.Visible());
    EXPECT_EQ(e.ModalResult(), 0);
    Press(e.btnEditCancel);
  });
  EXPECT_EQ(M().Vol02.lstVol02IncludeStrings.Items(), before);

  // OK on an empty memo empties the list; the page closes its creating controls.
  Edit([&](TfrmEditIncludeList& e) {
    Type(e.mmoEditIncludeList, "");
    Press(e.btnEditOk);
  });
  EXPECT_EQ(M().Vol02.lstVol02IncludeStrings.Count(), 0);
  EXPECT_FALSE(M().Vol02.btnVol02CreateFolders.Enabled());
}

TEST_F(EditIncludeList, TheLineCountFollowsEveryChange) {
  Edit([&](TfrmEditIncludeList& e) {
    Type(e.mmoEditIncludeList, "one\r\n   \r\ntwo");
    EXPECT_EQ(e.lblEditLinesSum.Text(), "2");
    Type(e.mmoEditIncludeList, "");
    EXPECT_EQ(e.lblEditLinesSum.Text(), "0");
    Press(e.btnEditCancel);
  });
}

TEST_F(EditIncludeList, ZoomShowsThePagesListAsItIsNow) {
  M().Vol02.lstVol02IncludeStrings.AddStrings({"c", "a", "b"});
  seam.OnModal(frmZoomIncludeWindow, [](ui::Form&) {
    EXPECT_EQ(frmZoomIncludeWindow->lstZoomIncludeWindow.Items(), (Strings{"a", "b", "c"}));
    Press(frmZoomIncludeWindow->btnZoomInjcludeWindowsClose);
    return 0;
  });
  Press(M().Vol02.btnVol02ZoomIncludeWindow);
  M().Vol02.lstVol02IncludeStrings.Delete(0);
  seam.OnModal(frmZoomIncludeWindow, [](ui::Form&) {
    EXPECT_EQ(frmZoomIncludeWindow->lstZoomIncludeWindow.Items(), (Strings{"b", "c"}));
    Press(frmZoomIncludeWindow->btnZoomInjcludeWindowsClose);
    return 0;
  });
  Press(M().Vol02.btnVol02ZoomIncludeWindow);
}

TEST_F(EditIncludeList, ThePathListPageHasItsOwnEditorAndZoom) {
  PathListPage& p = M().Vol04;
  const std::string d = dir->Path();
  p.lstVol04ExcludeFolderList.Add(d + "\\skip");
  seam.OnModal(frmVol04EditIncludeList, [&](ui::Form&) {
    Type(frmVol04EditIncludeList->mmoEditIncludeList, "  " + d + "\\new  \r\n" + d + "\\SKIP\r\n");
    Press(frmVol04EditIncludeList->btnEditOk);
    return 0;
  });
  frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate05);
  Press(p.btnVol04EditIncludeList);
  EXPECT_EQ(p.lstVol04IncludeFolderList.Items(), (Strings{d + "\\new"}));
  EXPECT_EQ(p.lblVol04IncludeSum.Text(), "1");  // the page was refreshed
  seam.OnModal(frmZoomIncludeWindow, [&](ui::Form&) {
    EXPECT_EQ(frmZoomIncludeWindow->lstZoomIncludeWindow.Items(), (Strings{d + "\\new"}));
    Press(frmZoomIncludeWindow->btnZoomInjcludeWindowsClose);
    return 0;
  });
  Press(p.btnVol04ZoomIncludeWindow);
}

} // namespace
