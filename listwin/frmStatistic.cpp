#include "listwin/frmStatistic.h"

#include "listwin/export_handover.h"
#include "ui/application.h"

#include <iterator>

TfrmStatistic02* frmStatistic02 = nullptr;
TfrmStatistic03* frmStatistic03 = nullptr;
TfrmStatistic04* frmStatistic04 = nullptr;
TfrmStatistic06* frmStatistic06 = nullptr;
TfrmStatistics07* frmStatistics07 = nullptr;
TfrmStatistic08* frmStatistic08 = nullptr;

namespace {

const COLORREF kMaroon = 0x000080;

// The creation windows' five warnings, in list order.
const char kTextCreatedFolders[] =
    "The List of Successfully Created  Folder Names is empty !\nAction : You must create at least one Folder to "
    "use the Smart Export Feature.";
const char kTextCreatedSubFolders[] =
    "The List of Successfully Created  Subfolder Names is empty !\nAction : You must create at least one "
    "Subfolder to use the Smart Export Feature.";
const char kTextCreatedFiles[] =
    "The List of Successfully Created  File Names is empty !\nAction : You must create at least one File to use "
    "the Smart Export Feature.";
const char kTextExists[] = "The List of Already Created Folder Names is empty !\n";
const char kTextOther[] = "The List of Uncreated Folder Names (Not Created - Other reasons) is empty !\n";

// Every results window's boxes: the empty-list warnings of its Smart Export
// buttons. The delete window's folder and file lists share 0433 and 0434.
const core::NumberedMessage<ResultsMsg> kResultsMessageRows[] = {
    {ResultsMsg::Vol02FoldersCreated, "0410", core::kMsgWarning, kTextCreatedFolders,
     "Creating Folder(s).-From a String List.            Warning no: 0410."},
    {ResultsMsg::Vol02SubFoldersCreated, "0411", core::kMsgWarning, kTextCreatedSubFolders,
     "Creating Folder(s).-From a String List.            Warning no: 0411."},
    {ResultsMsg::Vol02FilesCreated, "0412", core::kMsgWarning, kTextCreatedFiles,
     "Creating Folder(s).-From a String List.            Warning no: 0412."},
    {ResultsMsg::Vol02FoldersExists, "0413", core::kMsgWarning, kTextExists,
     "Creating Folder(s).-From a String List.            Warning no: 0413."},
    {ResultsMsg::Vol02FoldersOther, "0414", core::kMsgWarning, kTextOther,
     "Creating Folder(s).-From a String List.            Warning no: 0414."},
    {ResultsMsg::Vol03FoldersCreated, "0415", core::kMsgWarning, kTextCreatedFolders,
     "Creating Folder(s).-Increased Numbers.            Warning no: 0415."},
    {ResultsMsg::Vol03SubFoldersCreated, "0416", core::kMsgWarning, kTextCreatedSubFolders,
     "Creating Folder(s).-Increased Numbers.            Warning no: 0416."},
    {ResultsMsg::Vol03FilesCreated, "0417", core::kMsgWarning, kTextCreatedFiles,
     "Creating Folder(s).-Increased Numbers.            Warning no: 0417."},
    {ResultsMsg::Vol03FoldersExists, "0418", core::kMsgWarning, kTextExists,
     "Creating Folder(s).-Increased Numbers.            Warning no: 0418."},
    {ResultsMsg::Vol03FoldersOther, "0419", core::kMsgWarning, kTextOther,
     "Creating Folder(s).-Increased Numbers.            Warning no: 0419."},
    {ResultsMsg::Vol04FoldersCreated, "0420", core::kMsgWarning, kTextCreatedFolders,
     "Creating Folder(s).-From a Folder List.            Warning no: 0420."},
    {ResultsMsg::Vol04SubFoldersCreated, "0421", core::kMsgWarning, kTextCreatedSubFolders,
     "Creating Folder(s).-From a Folder List.            Warning no: 0421."},
    {ResultsMsg::Vol04FilesCreated, "0422", core::kMsgWarning, kTextCreatedFiles,
     "Creating Folder(s).-From a Folder List.            Warning no: 0422."},
    {ResultsMsg::Vol04FoldersExists, "0423", core::kMsgWarning, kTextExists,
     "Creating Folder(s).-From a Folder List.            Warning no: 0423."},
    {ResultsMsg::Vol04FoldersOther, "0424", core::kMsgWarning, kTextOther,
     "Creating Folder(s).-From a Folder List.            Warning no: 0424."},
    {ResultsMsg::Vol06FoldersRenamed, "0428", core::kMsgWarning,
     "The List of Successfully Renamed  Folder Names is empty !\nAction : You must Rename at least one " "Folder to use the Smart Export Feature.",
     "Rename Folders -From a Folder List - Level.             Warning no: 0428."},
    {ResultsMsg::Vol06SourceNotExists, "0429", core::kMsgWarning,
     "The List of Not Renamed (Source Folders don't exist) Folder Names is empty !\n",
     "Rename Folders -From a Folder List - Level.             Warning no: 0429."},
    {ResultsMsg::Vol06DestinationExists, "0430", core::kMsgWarning,
     "The List of Not Renamed (Destination Folders already exist) Folder Names is empty !\n",
     "Rename Folders -From a Folder List - Level.             Warning no: 0430."},
    {ResultsMsg::Vol06OtherReasons, "0431", core::kMsgWarning,
     "The List of Not Renamed (Other Reasons) Folder Names is empty !\n",
     "Rename Folders -From a Folder List - Level.             Warning no: 0431."},
    {ResultsMsg::Vol07FoldersDeleted, "0566", core::kMsgWarning,
     "The List of Successfully Deleted Folder Names is empty !\nAction : You must Delete at least one " "Folder to use the Smart Export Feature.",
     "Delete Folder(s).- From a Folder List.            Warning no: 0566."},
    {ResultsMsg::Vol07FoldersNotExists, "0433", core::kMsgWarning,
     "The List of Not Deleted ( Folders don't Exist) Folder Names is empty !\n",
     "Delete Folder(s).- From a Folder List.            Warning no: 0433."},
    {ResultsMsg::Vol07FoldersOtherReasons, "0434", core::kMsgWarning,
     "The List of Not Deleted ( Other Reasons) Folder Names is empty !\n",
     "Delete Folder(s).- From a Folder List.            Warning no: 0434."},
    {ResultsMsg::Vol07FilesDeleted, "0432", core::kMsgWarning,
     "The List of Successfully Deleted File Names is empty !\nAction : You must Delete at least one File " "to use the Smart Export Feature.",
     "Delete Folder(s)/File(s).- From a Folder/File List.            Warning no: 0432."},
    {ResultsMsg::Vol07FilesNotExists, "0433", core::kMsgWarning,
     "The List of Not Deleted ( Files don't Exist) File Names is empty !\n",
     "Delete Folder(s)/File(s).- From a Folder/File List.            Warning no: 0433."},
    {ResultsMsg::Vol07FilesOtherReasons, "0434", core::kMsgWarning,
     "The List of Not Deleted ( Other Reasons) File Names is empty !\n",
     "Delete Folder(s)/File(s).- From a Folder/File List.            Warning no: 0434."},
    {ResultsMsg::Vol08FoldersCopied, "0435", core::kMsgWarning,
     "The List of Successfully Copied Main Folder Names is empty !\nAction : You must Copy at least one " "Main Folder to use the Smart Export Feature.",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0435."},
    {ResultsMsg::Vol08SubFoldersCopied, "0436", core::kMsgWarning,
     "The List of Successfully Copied Subfolder Names is empty !\nAction : You must Copy at least one " "Subfolder to use the Smart Export Feature.",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0436."},
    {ResultsMsg::Vol08FilesCopied, "0437", core::kMsgWarning,
     "The List of Successfully Copied File Names is empty !\nAction : You must Copy at least one File to " "use the Smart Export Feature.",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0437."},
    {ResultsMsg::Vol08FoldersNotExists, "0438", core::kMsgWarning,
     "The List of Not Copied (Don't Exist) Main Folder Names is empty !\n",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0438."},
    {ResultsMsg::Vol08SubFoldersExists, "0439", core::kMsgWarning,
     "The List of Not Copied (Already Exist) Subfolder Names is empty !\n",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0439."},
    {ResultsMsg::Vol08FilesExists, "0440", core::kMsgWarning,
     "The List of Not Copied (Already Exist) File Names is empty !\n",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0440."},
    {ResultsMsg::Vol08OtherReasons, "0441", core::kMsgWarning,
     "The List of Not Copied (Other Reasons) Folder and File Names is empty !\n",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0441."},
};

} // namespace

const core::MessageTable<ResultsMsg> kResultsWindowMessages = core::TableOf(kResultsMessageRows);

namespace {

constexpr int kCol = IDC_STAT_COL, kRow = IDC_STAT_ROW, kGroup = IDC_STAT_GROUP;
constexpr int kCaption = IDC_STAT_LISTCAPTION, kList = IDC_STAT_LIST, kExport = IDC_STAT_EXPORT;

// ---- The creation windows ----

// The counter grid keeps its place; the created lists take the upper half of
// the growth in height and share the width in thirds, the not-created lists
// the lower half in halves; each Smart Export button stays under its list.
const ui::Anchors kThird1{0, 0, 33, 50}, kThird2{33, 0, 67, 50}, kThird3{67, 0, 100, 50};
const ui::AnchorRule kCreationAnchors[] = {
    {IDC_STAT_TITLE, ui::kGrowWide},
    {kGroup + 0, {0, 0, 100, 50}},
    {kCaption + 0, {0, 0, 33, 0}},
    {kCaption + 1, {33, 0, 67, 0}},
    {kCaption + 2, {67, 0, 100, 0}},
    {kList + 0, kThird1},
    {kList + 1, kThird2},
    {kList + 2, kThird3},
    {kExport + 0, {0, 50, 0, 50}},
    {kExport + 1, {33, 50, 33, 50}},
    {kExport + 2, {67, 50, 67, 50}},
    {kGroup + 1, {0, 50, 100, 100}},
    {kCaption + 3, {0, 50, 50, 50}},
    {kCaption + 4, {50, 50, 100, 50}},
    {kList + 3, {0, 50, 50, 100}},
    {kList + 4, {50, 50, 100, 100}},
    {kExport + 3, ui::kStayLeftBottom},
    {kExport + 4, {50, 100, 50, 100}},
    {IDC_STAT_OK, ui::kStayCentreBottom},
};

// The five lists of a creation window; first: the warning of its first list.
std::vector<ResultsListRow> CreationLists(ResultsMsg first) {
  auto at = [first](int k) { return static_cast<ResultsMsg>(static_cast<int>(first) + k); };
  return {
      {"Folders", at(0), "Export the List of Successfully Created Folder Names to a Text File."},
      {"Folders, subfolders in structure:", at(1),
       "Export the List of Successfully Created Subfolder Names to a Text File."},
      {"Files in structure:", at(2), "Export the List of Successfully Created File Names to a Text File."},
      {"Already exist", at(3), "Export the List of Already Existed Foler Names to a Text File."},
      {"Other reasons", at(4),
       "Export the List of Uncreated Folder Names (that not created for other reasons) to a Text File."},
  };
}

const char kCreationRun[] = "Folder/File Creation Process.";
const char kCreationSimulation[] = "Simulate the Folder/File Creation Process.";
const char kCreationUndo[] = "Undo of the last Creation: what it kept is listed under Other reasons, each with why.";

const ResultsWindowRow kStatistic02{
    IDD_TFRMSTATISTIC02,
    "Detailed results for creating folders from a list of strings.",
    kCreationRun, kCreationSimulation, "Normal/Simulate",
    {"Total Folders:", "Total Folders, Subfolders in structure:", "Files in structure", "Total File size (bytes)"},
    {"To Create:", "Successfully created:", "NOT created (already exists):", "NOT created (other reasons):"},
    16,
    {"SUCCESSFULLY CREATED", "FOLDERS  NOT CREATED"},
    CreationLists(ResultsMsg::Vol02FoldersCreated),
    kCreationAnchors, std::size(kCreationAnchors), kCreationUndo};

const ResultsWindowRow kStatistic03{
    IDD_TFRMSTATISTIC03,
    "Detailed results for creating folders using increased numbers.",
    kCreationRun, kCreationSimulation, "Normal/Simulate",
    {"Total Folders", "Total Folders, subfolders in structure", "Total Files in structure", "Total File size (bytes)"},
    {"To create:", "Successfully created:", "NOT created (already exists):", "NOT created (other reasons)?"},
    16,
    {"SUCCESSFULLY CREATED", "FOLDERS NOT CREATED "},
    CreationLists(ResultsMsg::Vol03FoldersCreated),
    kCreationAnchors, std::size(kCreationAnchors), kCreationUndo};

const ResultsWindowRow kStatistic04{
    IDD_TFRMSTATISTIC04,
    "Detailed results for creating folders from a list of folders",
    kCreationRun, kCreationSimulation, "Normal/Simulation",
    {"Total Folders", "Total Folders, subfolders in structure", "Total Files in structure", "Total File size (bytes)"},
    {"To create:", "Successfully created:", "NOT created (already exists):", "NOT created (other reasons):"},
    16,
    {"SUCCESSFULLY CREATED", "FOLDERS  NOT CREATED"},
    CreationLists(ResultsMsg::Vol04FoldersCreated),
    kCreationAnchors, std::size(kCreationAnchors), kCreationUndo};

// ---- Rename ----

// Four lists side by side share the growth in quarters.
const ui::AnchorRule kRenameAnchors[] = {
    {IDC_STAT_TITLE, ui::kGrowWide},
    {kGroup + 0, ui::kGrowAll},
    {kCaption + 0, {0, 0, 25, 0}},
    {kCaption + 1, {25, 0, 50, 0}},
    {kCaption + 2, {50, 0, 75, 0}},
    {kCaption + 3, {75, 0, 100, 0}},
    {kList + 0, {0, 0, 25, 100}},
    {kList + 1, {25, 0, 50, 100}},
    {kList + 2, {50, 0, 75, 100}},
    {kList + 3, {75, 0, 100, 100}},
    {kExport + 0, ui::kStayLeftBottom},
    {kExport + 1, {25, 100, 25, 100}},
    {kExport + 2, {50, 100, 50, 100}},
    {kExport + 3, {75, 100, 75, 100}},
    {IDC_STAT_OK, ui::kStayCentreBottom},
};

const ResultsWindowRow kStatistic06{
    IDD_TFRMSTATISTIC06,
    "Detailed Results for Rename Process.",
    "Folder Rename Process.", "Simulate the Folder Rename Process.",
    "Normal/Simulate",
    {"Total Folders to Rename", "Renamed Folders", "Source Not Exists", "Destination Already Exists", "Other Reasons"},
    {"Total Folders"},
    5,
    {"DETAILED RESULTS FOR FOLDER RENAMING PROCESS"},
    {
        {"Successfully renamed  Folders", ResultsMsg::Vol06FoldersRenamed,
         "Export a List of Successfully Renamed Folder Names to a Text File."},
        {"Not Renamed: SOURCE NOT EXISTS.", ResultsMsg::Vol06SourceNotExists,
         "Export (save) a List of Not Renamed (Source not Exists) Folder Names to a Text File."},
        {"Not Renamed: DESTINATION ALREADY EXISTS", ResultsMsg::Vol06DestinationExists,
         "Export (Save) a List of Not Renamed (Destination Already Exists) Folder Names to a Text File."},
        {"Not Renamed : OTHER Reasons.", ResultsMsg::Vol06OtherReasons,
         ""},
    },
    kRenameAnchors, std::size(kRenameAnchors),
    "Undo of the last Rename: the folders it could not rename back, each with why."};

// ---- Delete ----

// The counters keep their place; the folder lists take the upper half of the
// growth, the file lists the lower half, each row in thirds.
const ui::AnchorRule kDeleteAnchors[] = {
    {IDC_STAT_TITLE, ui::kGrowWide},
    {kGroup + 1, {0, 0, 100, 50}},
    {kCaption + 0, {0, 0, 33, 0}},
    {kCaption + 1, {33, 0, 67, 0}},
    {kCaption + 2, {67, 0, 100, 0}},
    {kList + 0, kThird1},
    {kList + 1, kThird2},
    {kList + 2, kThird3},
    {kExport + 0, {0, 50, 0, 50}},
    {kExport + 1, {33, 50, 33, 50}},
    {kExport + 2, {67, 50, 67, 50}},
    {kGroup + 2, {0, 50, 100, 100}},
    {kCaption + 3, {0, 50, 33, 50}},
    {kCaption + 4, {33, 50, 67, 50}},
    {kCaption + 5, {67, 50, 100, 50}},
    {kList + 3, {0, 50, 33, 100}},
    {kList + 4, {33, 50, 67, 100}},
    {kList + 5, {67, 50, 100, 100}},
    {kExport + 3, ui::kStayLeftBottom},
    {kExport + 4, {33, 100, 33, 100}},
    {kExport + 5, {67, 100, 67, 100}},
    {IDC_STAT_OK, ui::kStayCentreBottom},
};

const ResultsWindowRow kStatistics07{
    IDD_TFRMSTATISTICS07,
    "Detailed results for the Delete process.",
    "Folder/File Delete Process.", "Simulate the Folder/File Delete Process.",
    "Normal/Simulate",
    {"To Delete", "Deleted", "Not Deleted  Not Exists", "Not Deleted  Other Reasons"},
    {"Total Folders", "Total Files"},
    8,
    {"Detailed Results", "FOLDERS", "FILES"},
    {
        {"SUCCESSFULLY DELETED", ResultsMsg::Vol07FoldersDeleted,
         "EXport a List of Successfully Deleted Folder Names to a Text File."},
        {"NOT EXISTS", ResultsMsg::Vol07FoldersNotExists,
         "Export a List of Npt Deleted (Folders don't Exist) Folder Names to a Text File."},
        {"OTHER REASONS", ResultsMsg::Vol07FoldersOtherReasons,
         "Export a List of Not Deleted (Other Reasons) Folder Names to a Text File."},
        {"SUCCESSFULLY DELETED", ResultsMsg::Vol07FilesDeleted,
         ""},
        {"NOT EXISTS", ResultsMsg::Vol07FilesNotExists,
         ""},
        {"OTHER REASONS", ResultsMsg::Vol07FilesOtherReasons,
         ""},
    },
    kDeleteAnchors, std::size(kDeleteAnchors)};

// ---- Copy ----

// The copied lists take the upper half of the growth in height, side by side
// in thirds; the failed main folders, the existing subfolders and files and
// everything not done for other reasons the lower half, side by side in the
// shares of their widths.
const ui::AnchorRule kCopyAnchors[] = {
    {IDC_STAT_TITLE, ui::kGrowWide},
    {kGroup + 0, {0, 0, 100, 50}},
    {kCaption + 0, {0, 0, 33, 0}},
    {kCaption + 1, {33, 0, 67, 0}},
    {kCaption + 2, {67, 0, 100, 0}},
    {kList + 0, kThird1},
    {kList + 1, kThird2},
    {kList + 2, kThird3},
    {kExport + 0, {0, 50, 0, 50}},
    {kExport + 1, {33, 50, 33, 50}},
    {kExport + 2, {67, 50, 67, 50}},
    {kGroup + 1, {0, 50, 25, 100}},
    {kCaption + 3, {0, 50, 25, 50}},
    {kList + 3, {0, 50, 25, 100}},
    {kExport + 3, ui::kStayLeftBottom},
    {kGroup + 2, {25, 50, 67, 100}},
    {kCaption + 4, {25, 50, 46, 50}},
    {kCaption + 5, {46, 50, 67, 50}},
    {kList + 4, {25, 50, 46, 100}},
    {kList + 5, {46, 50, 67, 100}},
    {kExport + 4, {25, 100, 25, 100}},
    {kExport + 5, {46, 100, 46, 100}},
    {kGroup + 3, {67, 50, 100, 100}},
    {kCaption + 6, {67, 50, 100, 50}},
    {kList + 6, {67, 50, 100, 100}},
    {kExport + 6, {67, 100, 67, 100}},
    {IDC_STAT_OK, ui::kStayCentreBottom},
};

// The counters: the main folders' row (to copy, copied to, not existing,
// other reasons), then the structure's subfolders, files and bytes by to copy,
// copied, already existing and other reasons.
const ResultsWindowRow kStatistic08{
    IDD_TFRMSTATISTIC08,
    "Detailed Results for Copied Subfolders and/or Files to Main Folders.",
    "Folder/File Copy Process.", "Simulate the Folder/File Copy Process.",
    "Normal/Simulate",
    {"Total of Destination Folders", "Already Exists", "Not Exists", "Other Reasons", "To Copy:",
     "Successfully Copied:", "Not Copied (Already Exists):", "Not Copied (Other Reasons):"},
    {"Total Folders", "Total Folders, Subfolders in Structure", "Total Files in Structure",
     "Total File Size in Structure"},
    16,
    {"SUCCESSFULLY COPIED", "FAILED COPY PROCESS -  FOLDERS", "FAILED COPY - SUBFOLDERS AND FILES - ALREADY EXIST",
     "FAILED COPY - OTHER REASONS"},
    {
        {"To Folders", ResultsMsg::Vol08FoldersCopied,
         "Export (save) a List of Successfully Copied Main Folder Names to a text File."},
        {"Folders, Subfolders in Structure", ResultsMsg::Vol08SubFoldersCopied,
         "Export (save) a List of Successfully copied Subfolders to a Text File."},
        {"Files in Structure", ResultsMsg::Vol08FilesCopied,
         "Export a List of Successfully coped Files to a Text File."},
        {"Not exist", ResultsMsg::Vol08FoldersNotExists,
         "Export (save) a List of Not Copied (Don't Exist) Main Folders to a Text File."},
        {"Subfolders", ResultsMsg::Vol08SubFoldersExists,
         "Export (Save) a List of Not Copied (Already Exist) Subfolder Names to a Text File"},
        {"Files", ResultsMsg::Vol08FilesExists,
         "Export (Save) a List of Not Copied  (Already Exist) File Names to a Text File."},
        {"Main Folders, Subfolders and Files, each with why", ResultsMsg::Vol08OtherReasons,
         "Export (save) a List of Not Copied (Other Reasons) Folder and File Names to a Text File."},
    },
    kCopyAnchors, std::size(kCopyAnchors),
    "Undo of the last Copy: what it kept is listed under OTHER REASONS, each with why."};

template <class T>
void Bind(ui::Form* form, std::vector<std::unique_ptr<T>>& into, int firstId, size_t count) {
  for (size_t i = 0; i < count; ++i) into.push_back(std::make_unique<T>(form, firstId + static_cast<int>(i)));
}

} // namespace

const std::vector<const ResultsWindowRow*>& ResultsWindowRows() {
  static const std::vector<const ResultsWindowRow*> rows{&kStatistic02, &kStatistic03, &kStatistic04,
                                                         &kStatistic06, &kStatistics07, &kStatistic08};
  return rows;
}

TResultsWindow::TResultsWindow(const ResultsWindowRow& row) : ui::Form(row.dialogId), row_(row) {
  Bind(this, counters_, IDC_STAT_COUNTER, row.counters);
  Bind(this, columns_, kCol, row.columns.size());
  Bind(this, rows_, kRow, row.rows.size());
  Bind(this, groups_, kGroup, row.groups.size());
  Bind(this, listCaptions_, kCaption, row.lists.size());
  Bind(this, lists_, kList, row.lists.size());
  // A run's outcome lists are long: each entry is held once, by its list box.
  for (auto& list : lists_) list->HoldEntriesInControl();
  Bind(this, exports_, kExport, row.lists.size());
  OnCreate = [this] { FormCreate(); };
  SetAnchors(row.anchors, row.anchorCount);
  for (size_t i = 0; i < exports_.size(); ++i) {
    if (*row.lists[i].hint) exports_[i]->SetHint(row.lists[i].hint);
    const int index = static_cast<int>(i);
    exports_[i]->OnClick = [this, index] { SmartExport(index); };
  }
  btnStatOk.OnClick = [this] { btnStatOkClick(); };
}

void TResultsWindow::FormCreate() {
  SetCaption(row_.caption);
  chkStatNormalSimulate.SetText(row_.modeCaption);
  // The layout shows a real run until a run or simulation says otherwise.
  chkStatNormalSimulate.SetChecked(true);
  for (size_t i = 0; i < columns_.size(); ++i) columns_[i]->SetText(row_.columns[i]);
  for (size_t i = 0; i < rows_.size(); ++i) rows_[i]->SetText(row_.rows[i]);
  for (size_t i = 0; i < groups_.size(); ++i) groups_[i]->SetText(row_.groups[i]);
  for (size_t i = 0; i < lists_.size(); ++i) {
    listCaptions_[i]->SetText(row_.lists[i].caption);
    lists_[i]->SetHorizontalExtent(3000);
  }
  for (auto& counter : counters_) counter->SetText("0");
  ApplyNormalSimulateTitle();  // as the main window's activation would
}

void TResultsWindow::SetRunMode(bool run) {
  undo_ = false;
  chkStatNormalSimulate.SetChecked(run);
  lblStatNormalSimulate.SetFontColor(kMaroon);
  lblStatNormalSimulate.SetText(run ? row_.runTitle : row_.simulationTitle);
}

void TResultsWindow::SetUndoMode() {
  if (!row_.undoTitle) return;
  undo_ = true;
  lblStatNormalSimulate.SetFontColor(kMaroon);
  lblStatNormalSimulate.SetText(row_.undoTitle);
}

void TResultsWindow::ApplyNormalSimulateTitle() {
  lblStatNormalSimulate.SetFontColor(kMaroon);
  lblStatNormalSimulate.SetCentered(true);
  if (undo_) lblStatNormalSimulate.SetText(row_.undoTitle);
  else lblStatNormalSimulate.SetText(chkStatNormalSimulate.Checked() ? row_.runTitle : row_.simulationTitle);
}

void TResultsWindow::ClearLists() {
  for (auto& list : lists_) list->Clear();
}

void TResultsWindow::SmartExport(int index) {
  const ResultsListRow& row = row_.lists[index];
  if (lists_[index]->Count() == 0) {
    const core::NumberedMessage<ResultsMsg>& m = kResultsWindowMessages[row.warning];
    ui::App().MessageBox(m.text, m.caption, m.flags);
  } else {
    HandOverToExport(lists_[index]->Items(), kExportKindFolders, ExportFilter::WithDrive);
  }
  exports_[index]->SetFocus();
}

TfrmStatistic02::TfrmStatistic02() : TResultsWindow(kStatistic02) {}
TfrmStatistic03::TfrmStatistic03() : TResultsWindow(kStatistic03) {}
TfrmStatistic04::TfrmStatistic04() : TResultsWindow(kStatistic04) {}
TfrmStatistic06::TfrmStatistic06() : TResultsWindow(kStatistic06) {}
TfrmStatistics07::TfrmStatistics07() : TResultsWindow(kStatistics07) {}
TfrmStatistic08::TfrmStatistic08() : TResultsWindow(kStatistic08) {}
