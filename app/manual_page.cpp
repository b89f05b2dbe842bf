#include "app/manual_page.h"

#include "app/frmUnsuccessful.h"
#include "core/textutil.h"
#include "core/validation.h"
#include "examples/help_windows.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/seam.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace {

constexpr COLORREF kGreen = 0x008000;
constexpr COLORREF kRed = 0x0000FF;
using core::kMsgInformation;
using core::kMsgQuestion;
using core::kMsgWarning;

#define ROOT_EMPTY \
  "The selection field is empty !\nAction : You must select a root directory to create a valid folder."
#define FOLDER_EXISTS "This folder exists !\nAction : You must enter other text to create a valid folder."
#define END_TEXT "End of Creating Folders/Files !!!"
#define END_WITH_LOG "End of Creating Folders/Files !!!\nThe Error Log is not empty !!!\nDo you want to see it ?"
#define MANUAL_CAPTION "Creating Folder.                     "

}  // namespace

// Every box of the manual page ("{}" is the variable part).
const core::NumberedMessage<ManualMsg> kManualPageRows[] = {
    {ManualMsg::UpperEmpty, "0104", kMsgWarning, "{}",
     "Creating Folder(s).-Manually (1).            Warning no: 0104."},
    {ManualMsg::UpperRefused, "0105", kMsgWarning, "{}",
     "Creating Folder(s).- Manually (1).            Warning no: 0105."},
    {ManualMsg::PathRefused, "0106", kMsgWarning, "{}",
     "Creating Folder(s).-From Folder List.            Warning no: 0106."},
    {ManualMsg::CreateAsk, "0107", kMsgQuestion,
     "{}\nDo you want to create this folder ?\nClick YES to Continue Creating folders,\nClick NO to Stop the "
     "Creating process.",
     "Creating Folder(s).-Manually (1).            Information no: 0107."},
    {ManualMsg::UpperExists, "0108", kMsgWarning, FOLDER_EXISTS, MANUAL_CAPTION "Warning no: 0108."},
    {ManualMsg::UpperEndLog, "0109", kMsgQuestion, END_WITH_LOG,
     "Creating Folder(s).- Manually.            Information no: 0109."},
    {ManualMsg::UpperEnd, "0110", kMsgInformation, END_TEXT,
     "Creating Folder(s).-Manually.            Information no: 0110."},
    {ManualMsg::RootEmptyPicked, "0112", kMsgWarning, ROOT_EMPTY, MANUAL_CAPTION "Warning no: 0112."},
    {ManualMsg::RootEmpty, "0113", kMsgWarning, ROOT_EMPTY, MANUAL_CAPTION "Warning no: 0113."},
    {ManualMsg::NoFolderSelected, "0114", kMsgWarning,
     "The selection field is empty !\nAction : You must select a folder with subfolders structure.",
     "Creating Folder(s).\t\t\t            Warning no: 0114."},
    {ManualMsg::ViewNotAFolder, "0703", kMsgWarning, core::kNotAFolderText,
     "Creating Folder(s).\t\t\t            Warning no: 0703."},
    {ManualMsg::LowerExists, "0115", kMsgWarning, FOLDER_EXISTS, MANUAL_CAPTION "Warning no: 0115."},
    {ManualMsg::LowerDrive, "0116", kMsgWarning,
     "There is a drive letter in text !\nAction : You can't enter a drive letter to Subfolder field.",
     MANUAL_CAPTION "Warning no: 0116."},
    {ManualMsg::LowerEmpty, "0117", kMsgWarning,
     "The text field is empty !\nAction : You must enter other text to create a valid path.",
     MANUAL_CAPTION "Warning no: 0117."},
    {ManualMsg::LowerEndLog, "0118", kMsgQuestion, END_WITH_LOG,
     "Creating Folder(s).- SubFolder.            Information no: 0118."},
    {ManualMsg::LowerEnd, "0119", kMsgInformation, END_TEXT,
     "Creating Folder(s).-SubFolders.            Information no: 0119."},
};
const core::MessageTable<ManualMsg> kManualPageMessages = core::TableOf(kManualPageRows);

namespace {

// The upper panel takes the top half of the page's growth, the lower panel
// the bottom half; lists and fields grow, the button column keeps right.
const ui::Anchors kUpperGrows{0, 0, 100, 50};
const ui::Anchors kLowerGrows{0, 50, 100, 100};
const ui::Anchors kLowerWide{0, 50, 100, 50};
const ui::Anchors kLowerLeft{0, 50, 0, 50};
const ui::Anchors kLowerRight{100, 50, 100, 50};
const ui::AnchorRule kManualPageAnchors[] = {
    {IDC_GRPFORCED, kUpperGrows},
    {IDC_CBOCREATEFOLDERFORCED, ui::kGrowWide},
    {IDC_BTNCREATEFOLDERFORCED, ui::kStayRightTop},
    {IDC_LBLFORCEDSUCCESS, ui::kStayLeftTop},
    {IDC_LSTSUCCESS, kUpperGrows},
    {IDC_BTNFORCEDERRORLOG, ui::kStayRightTop},
    {IDC_GRPSUBFOLDER, kLowerGrows},
    {IDC_LBLROOTFOLDERS, kLowerLeft},
    {IDC_CBOROOTFOLDERS, kLowerWide},
    {IDC_BTNADDROOTFOLDERS, kLowerRight},
    {IDC_LBLSUBFOLDER, kLowerLeft},
    {IDC_CBOSUBFOLDER, kLowerWide},
    {IDC_BTNCREATESUBFOLDER, kLowerRight},
    {IDC_LBLPREVIEW, kLowerLeft},
    {IDC_LBLSIMPLE02COMPLETEFOLDER, kLowerWide},
    {IDC_CHKSUBVIEWDESTFOLDER, kLowerRight},
    {IDC_LBLSUBFOLDERSUCCESS, kLowerLeft},
    {IDC_LSTSUCCESSSUBFOLDERS, kLowerGrows},
    {IDC_BTNSUBVIEWDESTFOLDER, kLowerRight},
    {IDC_BTNSUBFOLDERERRORLOG, kLowerRight},
    {IDC_BTNFORCEDHELP, ui::kStayRightBottom},
};

int Box(ManualMsg id, const std::string& arg = std::string()) {
  const core::NumberedMessage<ManualMsg>& m = kManualPageMessages[id];
  return ui::App().MessageBox(core::MessageText(m.text, arg), m.caption, m.flags);
}

// Runs a handler's body and enables the other sheets again on every way out.
class SheetsDisabled {
public:
  SheetsDisabled(std::function<void(bool)> set) : set_(std::move(set)) { set_(false); }
  ~SheetsDisabled() { set_(true); }

private:
  std::function<void(bool)> set_;
};

} // namespace

std::string JoinDestinationAndSubFolder(const std::string& destination, const std::string& sub) {
  bool destinationEnds = !destination.empty() && destination.back() == '\\';
  bool subBegins = !sub.empty() && sub.front() == '\\';
  if (destinationEnds && subBegins) return destination + sub.substr(1);
  if (destinationEnds || subBegins) return destination + sub;
  return destination + "\\" + sub;
}

ManualPage::ManualPage(ui::Form* form, ui::TabSheet& sheet, std::vector<ui::TabSheet*> otherSheets)
    : form_(form), sheet_(sheet), otherSheets_(std::move(otherSheets)) {
  ConnectManualPage();
}

void ManualPage::ConnectManualPage() {
  btnCreateFolderForced.OnClick = [this] { btnCreateFolderForcedClick(); };
  cboCreateFolderForced.OnKeyPress = [this](char& key) { cboCreateFolderForcedKeyPress(key); };
  btnForcedErrorLog.OnClick = [this] { btnForcedErrorLogClick(); };
  btnSubFolderErrorLog.OnClick = [this] { btnSubFolderErrorLogClick(); };
  sheet_.OnShow = [this] { tabFolderCreate01Show(); };
  btnAddRootFolders.OnClick = [this] { btnAddRootFoldersClick(); };
  cboRootFolders.OnSelect = [this] { cboRootFoldersSelect(); };
  cboSubFolder.OnChange = [this] { cboSubFolderChange(); };
  cboSubFolder.OnKeyPress = [this](char& key) { cboSubFolderKeyPress(key); };
  btnCreateSubFolder.OnClick = [this] { btnCreateSubFolderClick(); };
  btnSubViewDestFolder.OnClick = [this] { btnSubViewDestFolderClick(); };
  btnForcedHelp.OnClick = [] { ShowHelpTopic("CreateManually"); };
  sheet_.SetAnchors(kManualPageAnchors);
  lblSimple02CompleteFolder.SetPathEllipsis(true);
}

void ManualPage::InitManualPage() {
  lstSuccess.SetHorizontalExtent(3000);
  lstSuccessSubFolders.SetHorizontalExtent(3000);
  btnForcedErrorLog.SetCaptionColor(kGreen);
  btnSubFolderErrorLog.SetCaptionColor(kGreen);
}

void ManualPage::SetOtherSheetsEnabled(bool enabled) {
  for (ui::TabSheet* sheet : otherSheets_) sheet->SetEnabled(enabled);
}

// ---- Upper panel: full paths --------------------------------------------------

void ManualPage::btnCreateFolderForcedClick() {
  {
    SheetsDisabled guard([this](bool enabled) { SetOtherSheetsEnabled(enabled); });
    btnForcedErrorLog.SetCaptionColor(kGreen);
    ForcedErrorLog.Clear();
    RunForced();
    cboCreateFolderForced.SetFocus();
  }
}

void ManualPage::RunForced() {
  std::string text = core::TrimText(cboCreateFolderForced.Text());
  std::string message;
  if (!core::CheckDriveLetters(text, message)) {
    Box(ManualMsg::UpperEmpty, message);
    return;
  }
  core::StringList paths;
  std::string normalised;
  if (!core::ParseManualText(text, paths, normalised, message)) {
    Box(ManualMsg::UpperRefused, message);
    return;
  }
  cboCreateFolderForced.SetText(normalised);

  // The folders made gather here and reach the list and the field's history
  // in one block when the loop ends, however it ends (before its last box).
  std::vector<std::string> made;
  core::FoldedIndex remembered;
  auto publish = [&] {
    std::vector<std::string> history;
    for (const std::string& path : made)
      if (cboCreateFolderForced.IndexOf(path) < 0 && !remembered.Contains(path)) {
        remembered.Add(path);
        history.push_back(path);
      }
    for (const std::string& path : history) cboCreateFolderForced.Add(path);
    lstSuccess.AddStrings(made);
    made.clear();
  };
  for (const std::string& item : paths) {
    std::string path = core::TrimSpaces(item);
    if (!core::ValidateFolderName(path, message)) {
      publish();
      Box(ManualMsg::PathRefused, message);
      return;
    }
    // The one look at the disk before the question: an existing path is not
    // asked about.
    if (core::IsExistingDirectory(path)) {
      ForcedErrorLog.exists.push_back(path);
      Box(ManualMsg::UpperExists);
      continue;
    }
    int answer = Box(ManualMsg::CreateAsk, path);
    if (answer == IDNO) {
      publish();
      return;
    }
    if (core::MakeFolderLevels(path) != core::MakeFolderResult::Failed)
      made.push_back(path);
    else
      ForcedErrorLog.other.push_back(path);
  }
  publish();

  if (!ForcedErrorLog.Empty()) {
    btnForcedErrorLog.SetCaptionColor(kRed);
    if (Box(ManualMsg::UpperEndLog) == IDYES)
      btnForcedErrorLogClick();
  } else {
    Box(ManualMsg::UpperEnd);
  }
}

void ManualPage::cboCreateFolderForcedKeyPress(char& key) {
  if (key != 13) return;
  key = 0;
  btnCreateFolderForcedClick();
}

void ManualPage::btnForcedErrorLogClick() {
  TForcedUnSuccessFullForm& f = *ForcedUnSuccessFullForm;
  f.lstForcedUnSuccessFullExist.Clear();
  f.lstForcedUnSuccessFullOther.Clear();
  f.lstForcedUnSuccessFullExist.AddStrings(
      std::vector<std::string>(ForcedErrorLog.exists.begin(), ForcedErrorLog.exists.end()));
  f.lstForcedUnSuccessFullOther.AddStrings(
      std::vector<std::string>(ForcedErrorLog.other.begin(), ForcedErrorLog.other.end()));
  f.ShowModal();
}

void ManualPage::tabFolderCreate01Show() { cboCreateFolderForced.SetFocus(); }

// ---- Lower panel: destination folder and subfolders -----------------------------

void ManualPage::ShowRootFolder(const std::string& folder) {
  if (folder.empty()) {
    cboRootFolders.SetItemIndex(-1);
    return;
  }
  int index = cboRootFolders.IndexOf(folder);  // letter case ignored, as folders are
  if (index < 0) index = cboRootFolders.Add(folder);
  cboRootFolders.SetItemIndex(index);
}

void ManualPage::btnAddRootFoldersClick() {
  ManualRootFolder.clear();
  ui::FolderPickRequest request;
  request.owner = form_->Handle();
  request.title = "Browse Title";
  request.withEditBox = true;
  if (ui::seam().PickFolder(request)) ManualRootFolder = request.result;
  // The combo shows the folder in use, none after a cancelled picker.
  ShowRootFolder(ManualRootFolder);
  if (ManualRootFolder.empty())
    Box(ManualMsg::RootEmptyPicked);
  UpdateSubFolderPreview();
}

void ManualPage::cboRootFoldersSelect() {
  ManualRootFolder = cboRootFolders.Text();
  if (ManualRootFolder.empty()) {
    Box(ManualMsg::RootEmpty);
    return;
  }
  ShowRootFolder(ManualRootFolder);
  UpdateSubFolderPreview();
}

void ManualPage::cboSubFolderChange() { UpdateSubFolderPreview(); }

void ManualPage::UpdateSubFolderPreview() {
  lblSimple02CompleteFolder.SetText(
      JoinDestinationAndSubFolder(ManualRootFolder, cboSubFolder.Text()));
}

void ManualPage::cboSubFolderKeyPress(char& key) {
  if (key != 13) return;
  key = 0;
  btnCreateSubFolderClick();
}

void ManualPage::btnCreateSubFolderClick() {
  {
    SheetsDisabled guard([this](bool enabled) { SetOtherSheetsEnabled(enabled); });
    btnSubFolderErrorLog.SetCaptionColor(kGreen);
    SubFolderErrorLog.Clear();
    RunSubFolder();
    cboSubFolder.SetFocus();
  }
}

void ManualPage::RunSubFolder() {
  std::string sub = cboSubFolder.Text();
  std::string drive = core::ExtractFileDrive(sub);
  UpdateSubFolderPreview();
  if (sub.empty()) {
    Box(ManualMsg::LowerEmpty);
  } else if (!drive.empty()) {
    Box(ManualMsg::LowerDrive);
  } else if (ManualRootFolder.empty()) {
    // Without a destination the path would begin at the root of the current
    // drive: nothing is created.
    Box(ManualMsg::RootEmpty);
    return;
  } else {
    std::string path = JoinDestinationAndSubFolder(ManualRootFolder, sub);
    switch (core::MakeFolderLevels(path)) {
    case core::MakeFolderResult::Exists:
      SubFolderErrorLog.exists.push_back(path);
      Box(ManualMsg::LowerExists);
      break;
    case core::MakeFolderResult::Created:
      if (cboSubFolder.IndexOf(sub) < 0) cboSubFolder.Add(sub);
      lstSuccessSubFolders.Add(path);
      if (chkSubViewDestFolder.Checked()) ViewDestination(core::TrimText(cboRootFolders.Text()));
      break;
    case core::MakeFolderResult::Failed:
      SubFolderErrorLog.other.push_back(path);
      break;
    }
  }

  if (!SubFolderErrorLog.Empty()) {
    btnSubFolderErrorLog.SetCaptionColor(kRed);
    if (Box(ManualMsg::LowerEndLog) == IDYES)
      btnSubFolderErrorLogClick();
  } else {
    Box(ManualMsg::LowerEnd);
  }
}

void ManualPage::btnSubFolderErrorLogClick() {
  TSubFolderUnSuccessFullForm& f = *SubFolderUnSuccessFullForm;
  f.lstSubFolderUnSuccessFullExist.Clear();
  f.lstSubFolderUnSuccessFullOther.Clear();
  f.lstSubFolderUnSuccessFullExist.AddStrings(
      std::vector<std::string>(SubFolderErrorLog.exists.begin(), SubFolderErrorLog.exists.end()));
  f.lstSubFolderUnSuccessFullOther.AddStrings(
      std::vector<std::string>(SubFolderErrorLog.other.begin(), SubFolderErrorLog.other.end()));
  f.ShowModal();
}

void ManualPage::btnSubViewDestFolderClick() {
  std::string folder = core::TrimText(cboRootFolders.Text());
  if (folder.empty()) {
    Box(ManualMsg::NoFolderSelected);
    return;
  }
  ViewDestination(folder);
}

// Only a folder is handed to the shell: "open" on a file would start it.
void ManualPage::ViewDestination(const std::string& folder) {
  if (!ui::OpenFolder(folder)) Box(ManualMsg::ViewNotAFolder);
}
