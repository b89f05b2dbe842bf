// File selection window: edits the file-name pattern line that the scanner's
// selected-file walks use, keeps a history of lines, stores the parsed patterns
// and writes the settings file on OK.
#pragma once
#include "core/box_message.h"
#include "core/settings_store.h"
#include "forms/TfrmFileSelection.h"
#include "ui/controls.h"

#include <string>

class TfrmFileSelection : public ui::Form {
public:
  TfrmFileSelection();

  ui::Label lblMagyarazat{this, IDC_FSL_EXPLANATION};
  ui::Label Label1{this, IDC_FSL_NAMESLABEL};
  ui::ComboBox cboFileManNames{this, IDC_FSL_NAMES};
  ui::Button btnFileManClearFileNames{this, IDC_FSL_CLEARNAMES};
  ui::Button btnFileSelectionHelp{this, IDC_FSL_HELP};
  ui::Button btnFileManOK{this, IDC_FSL_OK};
  ui::Button btnFileManCancel{this, IDC_FSL_CANCEL};

  // Captions the Delete and Copy pages show for the stored selection.
  std::string AllFileTypesCaption;
  std::string UserSelectedFileTypesCaption;

  void FormCreate();
  void FormActivate();
  void btnFileManOKClick();
  void btnFileManClearFileNamesClick();

private:
  bool opening_ = true;  // not activated since it was last shown
};

// One line from patterns: each pattern holding white space in double quotation
// marks, separated by one blank.
std::string JoinPatterns(const core::SettingsList& patterns);

// Whether the saved pattern line takes every file ("*.*", or no line yet, which
// is stored as "*.*"): the Delete and Copy pages then show "All." as their
// active file types, otherwise "User Selected.".
bool EveryFileTypeSelected();

// The boxes of the window.
enum class SelectionMsg { SelectedFilesUsed, MissingPeriod, MenuEmpty, ClearMenuAsk, FolderPart, LineTooLong };
extern const core::MessageTable<SelectionMsg> kFileSelectionMessages;

extern TfrmFileSelection* frmFileSelection;
