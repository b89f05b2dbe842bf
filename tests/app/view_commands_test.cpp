// Every View and View Selected of the program hands the shell an existing
// folder and nothing else: "open" on a file would start it (a batch file, a
// program). A folder the page knew that became a file or went away is told
// with the page's warning, and nothing is started.
#include "tests/app/creation_page_fixture.h"

#include "core/box_message.h"

#include <functional>

using namespace creationtest;

namespace {

const std::string B12 = "            ";

// One View command: how the page comes to know a folder, the button that
// shows it, and the page's warning when it is no folder any more.
struct ViewRoad {
  const char* name;
  std::function<void(const std::string& folder)> know;
  std::function<ui::Button&()> view;
  const char* number;
  std::string caption;
};

class ViewCommands : public CreationPageTest {
protected:
  void Show(ui::TabSheet& sheet) { frmMain->pgeMain.SetActivePage(&sheet); }
  // The include list of a tree page holds only folder, as Edit List writes it;
  // the entry is the one focused.
  void EditInto(ListPair& lists, const std::string& folder) {
    TfrmEditIncludeList* editor = lists.Description().editor();
    seam.OnModal(editor, [editor, folder](ui::Form&) {
      editor->mmoEditIncludeList.SetLines({folder});
      Press(editor->btnEditOk);
      return 0;
    });
    Press(*lists.Description().c.editList);
    ASSERT_EQ(lists.Include().Items(), Strings{folder});
    lists.Include().SetSelected(0, true);
    SendMessageA(lists.Include().Handle(), LB_SETCARETINDEX, 0, FALSE);
  }
  // A structure picked with Add Structure, alone selected.
  void Structure(ui::Button& add, ui::ListBox& list, const std::string& folder) {
    PickWith(add, folder);
    list.SelectAll(false);
    list.SetSelected(list.IndexOf(folder), true);
  }

  std::vector<ViewRoad> Roads() {
    TfrmMain& m = *frmMain;
    auto treePage = [this](ui::TabSheet& sheet, ListPair& lists) {
      return [this, &sheet, &lists](const std::string& folder) {
        Show(sheet);
        EditInto(lists, folder);
      };
    };
    return {
        {"Rename: View Selected", treePage(m.tabFoldersRename01, m.Vol06.Lists),
         [&m]() -> ui::Button& { return m.Vol06.btnVol06includeFolderList; }, "0694",
         "Rename folders. - From a Folder List." + B12 + "Warning no: 0694."},
        {"Delete: View Selected", treePage(m.tabFoldersDelete01, m.Vol07.Lists),
         [&m]() -> ui::Button& { return m.Vol07.btnVol07IncludeFolderListView; }, "0695",
         "Delete Folder(s).-From a Folder List." + B12 + "Warning no: 0695."},
        {"Copy: View Selected", treePage(m.tabFoldersCopy02, m.Vol08.Lists),
         [&m]() -> ui::Button& { return m.Vol08.btnVol08IncludeFolderListView; }, "0696",
         "Copy Folder Structure(s).-From a Folder List - Level." + B12 + "Warning no: 0696."},
        {"Copy: the structure's View Selected",
         [this, &m](const std::string& folder) {
           Show(m.tabFoldersCopy02);
           if (m.Vol08.lstVol08IncludeFolderList.Count() == 0)
             PickWith(m.Vol08.btnVol08AddFolderToList, tree.AddFolder("main"));
           Structure(m.Vol08.btnVol08AddFolderStructure, m.Vol08.lstVol08AddFolderStructure, folder);
         },
         [&m]() -> ui::Button& { return m.Vol08.btnVol08ViewFolderStructure; }, "0697",
         "Copy Folder Structure(s).-From a Folder List - Level." + B12 + "Warning no: 0697."},
        {"Strings: View of the destination",
         [this, &m](const std::string& folder) {
           Show(m.tabFolderCreate03);
           PickWith(m.Vol02.btnVol02AddDestFolder, folder);
         },
         [&m]() -> ui::Button& { return m.Vol02.btnVol02ViewDestFolder; }, "0698",
         "Creating Folder(s).-From a String List." + B12 + "Warning no: 0698."},
        {"Strings: the structure's View Selected",
         [this, &m](const std::string& folder) {
           Show(m.tabFolderCreate03);
           if (m.Vol02.lstVol02IncludeStrings.Count() == 0) {
             PickWith(m.Vol02.btnVol02AddDestFolder, dest.Path());
             testsupport::Type(m.Vol02.edtVol02AddToList, "one");
             Press(m.Vol02.btnVol02AddToList);
             testsupport::Choose(m.Vol02.rdoVol02AttachMainFolderWithoutFiles);
           }
           Structure(m.Vol02.btnVol02AddFolderStructure, m.Vol02.lstVol02AddFolderStructure, folder);
         },
         [&m]() -> ui::Button& { return m.Vol02.btnVol02ViewFolderStructure; }, "0699",
         "Creating Folder(s).-From a String List." + B12 + "Warning no: 0699."},
        {"Numbers: View of the destination",
         [this, &m](const std::string& folder) {
           Show(m.tabFolderCreate04);
           PickWith(m.Vol03.btnVol03AddDestFolder, folder);
         },
         [&m]() -> ui::Button& { return m.Vol03.btnVol03ViewDestFolder; }, "0700",
         "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0700."},
        {"Numbers: the structure's View Selected",
         [this, &m](const std::string& folder) {
           Show(m.tabFolderCreate04);
           testsupport::Choose(m.Vol03.rdoVol03AttachMainFolderWithoutFiles);
           Structure(m.Vol03.btnVol03AddFolderStructure, m.Vol03.lstVol03AddFolderStructure, folder);
         },
         [&m]() -> ui::Button& { return m.Vol03.btnVol03ViewFolderStructure; }, "0701",
         "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0701."},
        {"Paths: the structure's View Selected",
         [this, &m](const std::string& folder) {
           Show(m.tabFolderCreate05);
           if (m.Vol04.lstVol04IncludeFolderList.Count() == 0) {
             testsupport::Type(m.Vol04.edtVol04AddToList, dest / "new");
             Press(m.Vol04.btnVol04AddToList);
             testsupport::Choose(m.Vol04.rdoVol04AttachMainFolderWithoutFiles);
           }
           Structure(m.Vol04.btnVol04AddFolderStructure, m.Vol04.lstVol04AddFolderStructure, folder);
         },
         [&m]() -> ui::Button& { return m.Vol04.btnVol04ViewFolderStructure; }, "0702",
         "Creating Folder(s).-From a Folder List." + B12 + "Warning no: 0702."},
        {"Manual: View of the destination",
         [this, &m](const std::string& folder) {
           Show(m.tabFolderCreate01);
           PickWith(m.Manual.btnAddRootFolders, folder);
         },
         [&m]() -> ui::Button& { return m.Manual.btnSubViewDestFolder; }, "0703",
         "Creating Folder(s).\t\t\t" + B12 + "Warning no: 0703."},
    };
  }
};

// The folder a page knew becomes a file (a batch file the shell would run), or
// goes away: the page warns and the shell is never asked; a folder still there opens.
TEST_F(ViewCommands, OnlyAnExistingFolderReachesTheShell) {
  for (const ViewRoad& road : Roads()) {
    SCOPED_TRACE(road.name);
    for (const bool becomesFile : {true, false}) {
      const std::string folder = tree.AddFolder(std::string(becomesFile ? "run" : "gone") + road.number);
      road.know(folder);
      ASSERT_TRUE(RemoveDirectoryA(folder.c_str()));
      if (becomesFile) testsupport::WriteFile(folder, "@echo started\r\n");
      seam.shellOpens.clear();
      seam.Answer("no: " + std::string(road.number), IDOK);
      const size_t before = seam.boxes.size();
      Press(road.view());
      EXPECT_TRUE(seam.shellOpens.empty()) << seam.shellOpens.front();
      EXPECT_EQ(seam.boxes.size(), before + 1);
      ExpectShown({{road.number, 0x30, core::kNotAFolderText, road.caption}});
    }
    const std::string folder = tree.AddFolder(std::string("here") + road.number);
    road.know(folder);
    seam.shellOpens.clear();
    Press(road.view());
    EXPECT_EQ(seam.shellOpens, Strings{folder + "||"});
  }
}

// The destination a creation page opens when its run or simulation ends is
// shown only while it is a folder.
TEST_F(ViewCommands, TheDestinationOpenedAfterARunMustStillBeAFolder) {
  NumbersPage& p = frmMain->Vol03;
  Show(frmMain->tabFolderCreate04);
  const std::string folder = tree.AddFolder("dest");
  PickWith(p.btnVol03AddDestFolder, folder);
  testsupport::Type(p.edtVol03StartNumber, "1");
  testsupport::Type(p.edtVol03EndNumber, "2");
  p.edtVol03Prefix.SetFocus();
  ASSERT_TRUE(p.chkVol03ViewDestFolder.Checked());
  RemoveDirectoryA(folder.c_str());
  testsupport::WriteFile(folder, "@echo started\r\n");
  seam.Answer("no: 0700", IDOK);
  Run(p.btnVol03CreateFoldersSimulation, "0465", "0467");
  EXPECT_TRUE(seam.shellOpens.empty());
  ExpectShown({{"0700", 0x30, core::kNotAFolderText,
                "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0700."}});
}

} // namespace
