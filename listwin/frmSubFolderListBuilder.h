// Subfolder list builder: builds a folder list from the subfolders of one
// source folder by their level below it (From-To, Above or Below a level),
// taking the last folder of each branch or all of them, optionally only those
// whose own name holds a filter text. The user inspects the source (counts and
// folders per level), moves entries between an include and an exclude list,
// edits the include list in its memo editor, exports it, and hands it back to
// the page that opened the window (OpenSubFolderListBuilder).
#pragma once
#include "core/box_message.h"
#include "forms/TfrmSubFolderListBuilder.h"
#include "ui/controls.h"

#include <string>
#include <vector>

namespace core {
class FolderStructSize;
}

// The boxes of the builder and its memo editor.
enum class BuilderMsg {
  SourceEmpty, ViewEmpty, ViewMissing, NoSelected, SelectedMissing, DeleteSelected, ExcludeEmpty,
  ExcludeEmptyAll, DeleteAll, BuildEmpty, ClearInclude, FromAboveTo, NoMatches, LevelTooSmall,
  IncludeEmpty, EditTooMany, EditTrimmed, FoundKept
};
extern const core::MessageTable<BuilderMsg> kSubFolderListBuilderMessages;

class TfrmSubFolderListBuilder : public ui::Form {
public:
  TfrmSubFolderListBuilder();

  ui::ComboBox cboMainSourceFolder{this, IDC_SFB_SOURCE};
  ui::Button btnMainSourceFolderAdd{this, IDC_SFB_BROWSE};
  ui::Button btnMainSourceFolderView{this, IDC_SFB_VIEW};
  ui::Label lblMainLevelSumSubFolder{this, IDC_SFB_FOLDERS};
  ui::Label lblMainLevelSumFiles{this, IDC_SFB_FILES};
  ui::Label lblMainLevelSumFileSize{this, IDC_SFB_SIZE};
  ui::ListView lstViewLevelSumFolder{this, IDC_SFB_LEVELS};
  ui::RadioButton rdoFromToLevelNumber{this, IDC_SFB_FROMTO};
  ui::RadioButton rdoAboveLevelNumber{this, IDC_SFB_ABOVE};
  ui::RadioButton rdoBelowLevelNumber{this, IDC_SFB_BELOW};
  ui::Edit edtFromLevelNumber{this, IDC_SFB_FROM};
  ui::UpDown udFromLevelNumber{this, IDC_SFB_FROMUD};
  ui::Label lblFromTo{this, IDC_SFB_TOLABEL};
  ui::Edit edtToLevelNumber{this, IDC_SFB_TO};
  ui::UpDown udToLevelNumber{this, IDC_SFB_TOUD};
  ui::Edit edtAboveLevelNumber{this, IDC_SFB_ABOVEEDIT};
  ui::UpDown udAboveLevelNumber{this, IDC_SFB_ABOVEUD};
  ui::Edit edtBelowLevelNumber{this, IDC_SFB_BELOWEDIT};
  ui::UpDown udBelowLevelNumber{this, IDC_SFB_BELOWUD};
  ui::RadioButton rdoBuildLastSubFolder{this, IDC_SFB_LAST};
  ui::RadioButton rdoBuildAllSubFolders{this, IDC_SFB_ALL};
  ui::Edit edtSubFolderFilter{this, IDC_SFB_FILTER};
  ui::Button btnBuildList{this, IDC_SFB_BUILD};
  ui::ListBox lstIncludeFolderList{this, IDC_SFB_INCLUDE};
  ui::Label lblIncludeSum{this, IDC_SFB_INCLUDESUM};
  ui::ListBox lstExcludeFolderList{this, IDC_SFB_EXCLUDE};
  ui::Label lblExcludeSum{this, IDC_SFB_EXCLUDESUM};
  ui::Button btnFromIncToExc{this, IDC_SFB_TOEXC};
  ui::Button btnFromExcToInc{this, IDC_SFB_TOINC};
  ui::Button btnAllFromIncToExc{this, IDC_SFB_ALLTOEXC};
  ui::Button btnAllFromExcToInc{this, IDC_SFB_ALLTOINC};
  ui::Button btnExchangeIncToExc{this, IDC_SFB_EXCHANGE};
  ui::Button btnEditIncludeList{this, IDC_SFB_EDIT};
  ui::Button btnIncludeFolderListView{this, IDC_SFB_VIEWSELECTED};
  ui::Button btnSmartExport{this, IDC_SFB_EXPORT};
  ui::Button btnDeleteFromExcludeList{this, IDC_SFB_DELETESELECTED};
  ui::Button btnDeleteExcludedAll{this, IDC_SFB_DELETEALL};
  ui::Button BitBtn1{this, IDC_SFB_IMPORT};
  ui::Button BitBtn2{this, IDC_SFB_CANCEL};
  ui::Button btnHelp{this, IDC_SFB_HELP};  // hidden in the layout

  void FormCreate();
  void ShowSourceFolderSummary(const std::string& source);
  void btnMainSourceFolderAddClick();
  void cboMainSourceFolderSelect();
  void btnMainSourceFolderViewClick();
  void rdoFromToLevelNumberClick();
  void rdoAboveLevelNumberClick();
  void rdoBelowLevelNumberClick();
  void edtFromLevelNumberExit();
  void edtToLevelNumberExit();
  void btnBuildListClick();
  void btnFromIncToExcClick();
  void btnFromExcToIncClick();
  void btnAllFromIncToExcClick();
  void btnAllFromExcToIncClick();
  void btnExchangeIncToExcClick();
  void btnDeleteFromExcludeListClick();
  void btnDeleteExcludedAllClick();
  void btnIncludeFolderListViewClick();
  void btnEditIncludeListClick();
  void btnSmartExportClick();

  // Appends entries to a list in batches, with the count label and pending
  // messages brought up to date about every 50 ms while the commands are locked.
  void AppendEntries(ui::ListBox& list, const std::vector<std::string>& entries);
  void ShowCounts();

private:
  enum class Rule { FromTo, Above, Below };
  void ChooseRule(Rule rule);
  // The level numbers of the chosen rule; false after its warning.
  bool ReadRule(Rule& rule, int32_t& first, int32_t& second);
  void MoveSelected(ui::ListBox& from, ui::ListBox& to);
  void MoveAll(ui::ListBox& from, ui::ListBox& to);
  void OpenFolder(const std::string& folder, bool selectedEntry);
  bool repairing_ = false;  // an exit handler is moving the focus
};

extern TfrmSubFolderListBuilder* frmSubFolderListBuilder;

// Fills the builder's level table and counts from a scanner that has run.
void ShowListBuilderLevelSummary(const core::FolderStructSize& scan);

// The builder's include-list memo editor.
class TfrmFLLEditIncludeFolderList : public ui::Form {
public:
  TfrmFLLEditIncludeFolderList();

  ui::Memo mmoEditIncludeList{this, IDC_FLL_MEMO};
  ui::Label lblEditLinesSum{this, IDC_FLL_LINES};
  ui::Label lblEditLinesCurrent{this, IDC_FLL_CURRENT};  // hidden in the layout
  ui::Button btnEditIncludeListOk{this, IDC_FLL_OK};
  ui::Button btnEditIncludeCancel{this, IDC_FLL_CANCEL};
  ui::Button btnEditIncludeHelp{this, IDC_FLL_HELP};

  void FormCreate();
  void FormActivate();
  void mmoEditIncludeListKeyPress(char& key);
  void btnEditIncludeListOkClick();
  void btnEditIncludeCancelClick();
};

extern TfrmFLLEditIncludeFolderList* frmFLLEditIncludeFolderList;

// The most folders the memo editor hands back.
constexpr int kBuilderEditLimit = 30000;

// What an opening page reads back: whether the window closed with Import, and
// the include list as it stands (shown whatever closed the window, so the page
// can warn about an empty one).
struct SubFolderListHandBack {
  bool imported = false;
  std::vector<std::string> entries;
};
// Shows the builder modally and reads it back.
SubFolderListHandBack OpenSubFolderListBuilder();
