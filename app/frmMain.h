// The main window: the page control with the seven operation pages, the menu,
// and what the pages share (simulation texts, file-selection captions).
#pragma once
#include "app/manual_page.h"
#include "create/numbers_page.h"
#include "create/path_list_page.h"
#include "create/string_list_page.h"
#include "treeops/rename_page.h"
#include "forms/frmMain.h"
#include "ui/controls.h"
#include "ui/menu.h"
#include "treeops/copy_page.h"
#include "ui/pages.h"
#include "treeops/delete_page.h"

#include <string>

class TfrmMain : public ui::Form {
public:
  TfrmMain();

  ui::PageControl pgeMain{this, IDC_PGEMAIN};
  ui::TabSheet tabFolderCreate05{pgeMain, IDD_TABFOLDERCREATE05};
  ui::TabSheet tabFolderCreate03{pgeMain, IDD_TABFOLDERCREATE03};
  ui::TabSheet tabFolderCreate04{pgeMain, IDD_TABFOLDERCREATE04};
  ui::TabSheet tabFolderCreate01{pgeMain, IDD_TABFOLDERCREATE01};
  ui::TabSheet tabFoldersCopy02{pgeMain, IDD_TABFOLDERSCOPY02};
  ui::TabSheet tabFoldersDelete01{pgeMain, IDD_TABFOLDERSDELETE01};
  ui::TabSheet tabFoldersRename01{pgeMain, IDD_TABFOLDERSRENAME01};

  // Texts the simulations and the file selection show.
  std::string CreateSimulationStartText, CreateSimulationEndText;

  // The pages, each bound to its own sheet.
  ManualPage Manual{this, tabFolderCreate01,
                    {&tabFolderCreate05, &tabFolderCreate04, &tabFolderCreate03,
                     &tabFoldersCopy02, &tabFoldersRename01, &tabFoldersDelete01}};
  PathListPage Vol04{this,
                     {&tabFolderCreate04, &tabFolderCreate03, &tabFolderCreate01,
                      &tabFoldersCopy02, &tabFoldersRename01, &tabFoldersDelete01},
                     {&tabFolderCreate04, &tabFolderCreate03, &tabFolderCreate01},
                     &CreateSimulationStartText, &CreateSimulationEndText};
  StringListPage Vol02{this, tabFolderCreate03,
                       {&tabFolderCreate05, &tabFolderCreate04, &tabFolderCreate01,
                        &tabFoldersCopy02, &tabFoldersRename01, &tabFoldersDelete01},
                       {&tabFolderCreate05, &tabFolderCreate04, &tabFolderCreate01},
                       &CreateSimulationStartText, &CreateSimulationEndText};
  NumbersPage Vol03{this,
                    {&tabFolderCreate05, &tabFolderCreate03, &tabFolderCreate01,
                     &tabFoldersCopy02, &tabFoldersRename01, &tabFoldersDelete01},
                    {&tabFolderCreate05, &tabFolderCreate03, &tabFolderCreate01},
                    &CreateSimulationStartText, &CreateSimulationEndText};
  RenamePage Vol06{this,
                   {&tabFolderCreate05, &tabFolderCreate03, &tabFolderCreate04, &tabFolderCreate01,
                    &tabFoldersCopy02, &tabFoldersDelete01},
                   {&tabFolderCreate05, &tabFolderCreate03, &tabFolderCreate04, &tabFolderCreate01,
                    &tabFoldersCopy02, &tabFoldersDelete01},
                   &RenameSimulationStartText, &RenameSimulationEndText};
  CopyPage Vol08{this,
                 {{&tabFolderCreate05, &tabFolderCreate04, &tabFolderCreate03, &tabFolderCreate01,
                   &tabFoldersRename01, &tabFoldersDelete01},
                  &CopySimulationStartText, &CopySimulationEndText, &SelectFilesHintText,
                  &Vol08MainFolderWithFilesHintShown, &Vol08SubFoldersOnlyWithFilesHintShown,
                  &AllFileTypesCaption, &UserSelectedFileTypesCaption}};

  DeletePage Vol07{this,
                   {&tabFolderCreate05, &tabFolderCreate03, &tabFolderCreate04, &tabFolderCreate01,
                    &tabFoldersCopy02, &tabFoldersRename01},
                   &DeleteSimulationStartText, &DeleteSimulationEndText,
                   &Vol07OnlyFilesHintShown, &Vol07OnlyFilesInMainFolderHintShown};

  ui::MenuItem File1{this, IDM_FILE1, nullptr, "&File"};
  ui::MenuItem Exit1{this, IDM_EXIT1, &File1, "E&xit"};
  ui::MenuItem Misc1{this, IDM_MISC1, nullptr, "Misc."};
  ui::MenuItem ManageSeparators1{this, IDM_MANAGESEPARATORS1, &Misc1, "Manage Separators"};
  ui::MenuItem Help1{this, IDM_HELP1, nullptr, "&Help"};
  ui::MenuItem OverView{this, IDM_OVERVIEW, &Help1, "OverView"};
  ui::MenuItem VisitVextilontheWeb1{this, IDM_VISITVEXTILONTHEWEB1, &Help1, "Visit Vextil on the Web."};
  ui::MenuItem About1{this, IDM_ABOUT1, &Help1, "&About..."};
  ui::MenuItem Videos1{this, IDM_VIDEOS1, nullptr, "Video tutorials", false, false};
  ui::MenuItem VideoforCopyProcess01{this, IDM_VIDEOFORCOPYPROCESS01, &Videos1, "Video for Copy process"};
  ui::MenuItem VideoforDeleteProcess01{this, IDM_VIDEOFORDELETEPROCESS01, &Videos1, "Video for Delete process"};
  ui::MenuItem VideoforRenameProcess01{this, IDM_VIDEOFORRENAMEPROCESS01, &Videos1, "Video for Rename process"};
  ui::MenuItem VideoforCreateFoldersFolders01{this, IDM_VIDEOFORCREATEFOLDERSFOLDERS01, &Videos1,
                                              "Video for Create Folders (Folders)"};
  ui::MenuItem VideoforCreateFoldersStrings01{this, IDM_VIDEOFORCREATEFOLDERSSTRINGS01, &Videos1,
                                              "Video for Creaate Folders (Strings)"};
  ui::MenuItem VideoforCreateFoldersIncNum01{this, IDM_VIDEOFORCREATEFOLDERSINCNUM01, &Videos1,
                                             "Video for Create Folders (Inc. Num)"};

  std::string RenameSimulationStartText, RenameSimulationEndText;
  std::string DeleteSimulationStartText, DeleteSimulationEndText;
  std::string CopySimulationStartText, CopySimulationEndText;
  std::string SelectFilesHintText, AllFileTypesCaption, UserSelectedFileTypesCaption;
  int Vol07OnlyFilesInMainFolderHintShown = 0, Vol07OnlyFilesHintShown = 0;
  int Vol08MainFolderWithFilesHintShown = 0, Vol08SubFoldersOnlyWithFilesHintShown = 0;

  void FormCreate();
  void FormShow();
  void FormActivate();
  void FormDestroy();

  void Exit1Click();
  void ManageSeparators1Click();
  void VisitVextilontheWeb1Click();
  void VideoforCopyProcess01Click();

private:
  void StoreTexts();
};

extern TfrmMain* frmMain;

// The product's base name; the help file is this name followed by ".HLP".
extern const char kAppBaseName[];
