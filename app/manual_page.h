// The manual creation page: the upper panel creates full paths typed by hand,
// each with all its missing levels after its own question; the lower panel
// joins a chosen destination folder and a typed subfolder structure and
// creates that. Each panel logs what it could not create and shows the log in
// its own small window.
#pragma once
#include "core/box_message.h"
#include "forms/tabFolderCreate01.h"
#include "ui/controls.h"
#include "ui/pages.h"

#include <deque>
#include <string>
#include <vector>

// Paths one run of a panel could not create.
struct UnsuccessfulFolderLog {
  std::deque<std::string> exists;  // already existed
  std::deque<std::string> other;   // creation failed
  void Clear() {
    exists.clear();
    other.clear();
  }
  bool Empty() const { return exists.empty() && other.empty(); }
};


// destination + "\" + sub with exactly one backslash where they meet, also when
// the destination is a drive root ("X:\") or sub begins with a backslash.
std::string JoinDestinationAndSubFolder(const std::string& destination, const std::string& sub);

// The boxes of the manual page.
enum class ManualMsg {
  UpperEmpty, UpperRefused, PathRefused, CreateAsk, UpperExists, UpperEndLog, UpperEnd, RootEmptyPicked,
  RootEmpty, NoFolderSelected, LowerExists, LowerDrive, LowerEmpty, LowerEndLog, LowerEnd,
  ViewNotAFolder,
};
extern const core::MessageTable<ManualMsg> kManualPageMessages;

class ManualPage {
public:
  // The page bound to its sheet; a run disables the other sheets.
  ManualPage(ui::Form* form, ui::TabSheet& sheet, std::vector<ui::TabSheet*> otherSheets);
  ManualPage(const ManualPage&) = delete;
  ManualPage& operator=(const ManualPage&) = delete;
  ui::Form* const form_;  // declared first: set before the controls

  // Upper panel.
  ui::ComboBox cboCreateFolderForced{form_, IDC_CBOCREATEFOLDERFORCED};
  ui::Button btnCreateFolderForced{form_, IDC_BTNCREATEFOLDERFORCED};
  ui::ListBox lstSuccess{form_, IDC_LSTSUCCESS};
  ui::Button btnForcedErrorLog{form_, IDC_BTNFORCEDERRORLOG};
  // Lower panel.
  ui::ComboBox cboRootFolders{form_, IDC_CBOROOTFOLDERS};
  ui::Button btnAddRootFolders{form_, IDC_BTNADDROOTFOLDERS};
  ui::ComboBox cboSubFolder{form_, IDC_CBOSUBFOLDER};
  ui::Label lblSimple02CompleteFolder{form_, IDC_LBLSIMPLE02COMPLETEFOLDER};
  ui::Button btnCreateSubFolder{form_, IDC_BTNCREATESUBFOLDER};
  ui::CheckBox chkSubViewDestFolder{form_, IDC_CHKSUBVIEWDESTFOLDER};
  ui::Button btnSubViewDestFolder{form_, IDC_BTNSUBVIEWDESTFOLDER};
  ui::ListBox lstSuccessSubFolders{form_, IDC_LSTSUCCESSSUBFOLDERS};
  ui::Button btnSubFolderErrorLog{form_, IDC_BTNSUBFOLDERERRORLOG};
  ui::Button btnForcedHelp{form_, IDC_BTNFORCEDHELP};

  std::string ManualRootFolder;            // destination folder of the lower panel
  UnsuccessfulFolderLog ForcedErrorLog;    // upper panel
  UnsuccessfulFolderLog SubFolderErrorLog; // lower panel

  void btnCreateFolderForcedClick();
  void cboCreateFolderForcedKeyPress(char& key);
  void btnForcedErrorLogClick();
  void btnSubFolderErrorLogClick();
  void tabFolderCreate01Show();
  void btnAddRootFoldersClick();
  void cboRootFoldersSelect();
  void cboSubFolderChange();
  void cboSubFolderKeyPress(char& key);
  void btnCreateSubFolderClick();
  void btnSubViewDestFolderClick();
  void UpdateSubFolderPreview();

  // Start-up of the page: list extents and the log buttons' green captions.
  void InitManualPage();

private:
  void ConnectManualPage();
  ui::TabSheet& sheet_;
  std::vector<ui::TabSheet*> otherSheets_;

  void RunForced();
  void RunSubFolder();
  // Disables or enables the six other sheets for the length of a run.
  void SetOtherSheetsEnabled(bool enabled);
  // Makes the destination combo show folder (empty: no selection).
  void ShowRootFolder(const std::string& folder);
  // Opens the destination in the shell when it is an existing folder; warns otherwise.
  void ViewDestination(const std::string& folder);
};
