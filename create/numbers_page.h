// The increased-numbers creation page (sheet tabFolderCreate04): one folder per
// whole number of a range below one destination, with prefix, suffix, hyphen
// and zero padding, the structures to attach, and the run, simulation, undo and
// Clear Fields commands of the creation page binding.
#pragma once
#include "create/creation_page.h"
#include "forms/tabFolderCreate04.h"
#include "ui/controls.h"

#include <cstdint>
#include <string>
#include <vector>

// A number field's text as a whole number: optional leading blanks, an optional
// sign and decimal digits within the signed 32-bit range; false otherwise.
bool ParseWholeNumber(const std::string& text, int32_t& value);

class NumbersPage : public CreationPage {
public:
  // The largest number of folders one run or simulation makes.
  static constexpr int64_t kMaxFolders = 30001;

  NumbersPage(ui::Form* form, std::vector<ui::TabSheet*> runLocks,
              std::vector<ui::TabSheet*> simLocks, const std::string* simStart,
              const std::string* simEnd);

  ui::Label lblVol03DestFolders{form_, IDC_LBLVOL03DESTFOLDERS};
  ui::ComboBox cboVol03DestFolders{form_, IDC_CBOVOL03DESTFOLDERS};
  ui::Button btnVol03AddDestFolder{form_, IDC_BTNVOL03ADDDESTFOLDER};
  ui::Button btnVol03ViewDestFolder{form_, IDC_BTNVOL03VIEWDESTFOLDER};
  ui::GroupBox grpVol03Numbers{form_, IDC_GRPVOL03NUMBERS};
  ui::Label lblVol03StartNumber{form_, IDC_LBLVOL03STARTNUMBER};
  ui::Edit edtVol03StartNumber{form_, IDC_EDTVOL03STARTNUMBER};
  ui::Label lblVol03EndNumber{form_, IDC_LBLVOL03ENDNUMBER};
  ui::Edit edtVol03EndNumber{form_, IDC_EDTVOL03ENDNUMBER};
  ui::Label lblVol03Prefix{form_, IDC_LBLVOL03PREFIX};
  ui::Edit edtVol03Prefix{form_, IDC_EDTVOL03PREFIX};
  ui::Label lblVol03Suffix{form_, IDC_LBLVOL03SUFFIX};
  ui::Edit edtVol03Suffix{form_, IDC_EDTVOL03SUFFIX};
  ui::CheckBox chkVol03Hyphen{form_, IDC_CHKVOL03HYPHEN};
  ui::CheckBox chkVol03PaddedZeroes{form_, IDC_CHKVOL03PADDEDZEROES};
  ui::Label lblVol03ShowResults{form_, IDC_LBLVOL03SHOWRESULTS};
  ui::CheckBox chkVol03ViewDestFolder{form_, IDC_CHKVOL03VIEWDESTFOLDER};
  ui::CheckBox chkVol03ViewDetailedResults{form_, IDC_CHKVOL03VIEWDETAILEDRESULTS};
  ui::GroupBox grpVol03Preview{form_, IDC_GRPVOL03PREVIEW};
  ui::Label lblVol03StartFolderCimke{form_, IDC_LBLVOL03STARTFOLDERCIMKE};
  ui::Label lblVol03StartFolder{form_, IDC_LBLVOL03STARTFOLDER};
  ui::Label lblVol03EndFolderCimke{form_, IDC_LBLVOL03ENDFOLDERCIMKE};
  ui::Label lblVol03EndFolder{form_, IDC_LBLVOL03ENDFOLDER};
  ui::GroupBox grpVol03Attach{form_, IDC_GRPVOL03ATTACH};
  ui::ListBox lstVol03AddFolderStructure{form_, IDC_LSTVOL03ADDFOLDERSTRUCTURE};
  ui::Button btnVol03AddFolderStructure{form_, IDC_BTNVOL03ADDFOLDERSTRUCTURE};
  ui::Button btnVol03ViewFolderStructure{form_, IDC_BTNVOL03VIEWFOLDERSTRUCTURE};
  ui::Button btnVol03RemoveFolderStructure{form_, IDC_BTNVOL03REMOVEFOLDERSTRUCTURE};
  ui::GroupBox grpVol03AttachOptions{form_, IDC_GRPVOL03ATTACHOPTIONS};
  ui::RadioButton rdoVol03AttachNothing{form_, IDC_RDOVOL03ATTACHNOTHING};
  ui::RadioButton rdoVol03AttachMainFolderWithFiles{form_, IDC_RDOVOL03ATTACHMAINFOLDERWITHFILES};
  ui::RadioButton rdoVol03AttachMainFolderWithoutFiles{form_, IDC_RDOVOL03ATTACHMAINFOLDERWITHOUTFILES};
  ui::RadioButton rdoVol03AttachSubFoldersOnlyWithFiles{form_, IDC_RDOVOL03ATTACHSUBFOLDERSONLYWITHFILES};
  ui::RadioButton rdoVol03AttachSubFoldersOnlyWithoutFiles{form_, IDC_RDOVOL03ATTACHSUBFOLDERSONLYWITHOUTFILES};
  ui::GroupBox grpVol03Statistics{form_, IDC_GRPVOL03STATISTICS};
  ui::Label lblVol03Total{form_, IDC_LBLVOL03TOTAL};
  ui::Label lblVol03Results{form_, IDC_LBLVOL03RESULTS};
  ui::Label lblVol03FoldersCim{form_, IDC_LBLVOL03FOLDERSCIM};
  ui::Label lblVol03SubFoldersCim{form_, IDC_LBLVOL03SUBFOLDERSCIM};
  ui::Label lblVol03FilesCim{form_, IDC_LBLVOL03FILESCIM};
  ui::Label lblVol03FilesSizeCim{form_, IDC_LBLVOL03FILESSIZECIM};
  ui::Label lblVol03ToCreateCim{form_, IDC_LBLVOL03TOCREATECIM};
  ui::Label lblVol03FoldersToCreate{form_, IDC_LBLVOL03FOLDERSTOCREATE};
  ui::Label lblVol03SubFoldersToCreate{form_, IDC_LBLVOL03SUBFOLDERSTOCREATE};
  ui::Label lblVol03FilesToCreate{form_, IDC_LBLVOL03FILESTOCREATE};
  ui::Label lblVol03FilesSizeToCreate{form_, IDC_LBLVOL03FILESSIZETOCREATE};
  ui::Label lblVol03CreatedCim{form_, IDC_LBLVOL03CREATEDCIM};
  ui::Label lblVol03FoldersCreated{form_, IDC_LBLVOL03FOLDERSCREATED};
  ui::Label lblVol03SubFoldersCreated{form_, IDC_LBLVOL03SUBFOLDERSCREATED};
  ui::Label lblVol03FilesCreated{form_, IDC_LBLVOL03FILESCREATED};
  ui::Label lblVol03FilesSizeCreated{form_, IDC_LBLVOL03FILESSIZECREATED};
  ui::Label lblVol03ExistsCim{form_, IDC_LBLVOL03EXISTSCIM};
  ui::Label lblVol03FoldersExists{form_, IDC_LBLVOL03FOLDERSEXISTS};
  ui::Label lblVol03SubFoldersExists{form_, IDC_LBLVOL03SUBFOLDERSEXISTS};
  ui::Label lblVol03FilesExists{form_, IDC_LBLVOL03FILESEXISTS};
  ui::Label lblVol03FilesSizeExists{form_, IDC_LBLVOL03FILESSIZEEXISTS};
  ui::Label lblVol03OtherCim{form_, IDC_LBLVOL03OTHERCIM};
  ui::Label lblVol03FoldersOther{form_, IDC_LBLVOL03FOLDERSOTHER};
  ui::Label lblVol03SubFoldersOther{form_, IDC_LBLVOL03SUBFOLDERSOTHER};
  ui::Label lblVol03FilesOther{form_, IDC_LBLVOL03FILESOTHER};
  ui::Label lblVol03FilesSizeOther{form_, IDC_LBLVOL03FILESSIZEOTHER};
  ui::Button btnVol03CreateFolders{form_, IDC_BTNVOL03CREATEFOLDERS};
  ui::Button btnVol03CreateFoldersSimulation{form_, IDC_BTNVOL03CREATEFOLDERSSIMULATION};
  ui::Button btnVol03Undo{form_, IDC_BTNVOL03UNDO};
  ui::Button btnVol03ClearAll{form_, IDC_BTNVOL03CLEARALL};
  ui::Button btnVol03Statistics{form_, IDC_BTNVOL03STATISTICS};
  ui::Button btnVol03Examples{form_, IDC_BTNVOL03EXAMPLES};
  ui::Button btnVol03Help{form_, IDC_BTNVOL03HELP};
  ui::ProgressBar pbVol03ProgressBar{form_, IDC_PBVOL03PROGRESSBAR};

  // The range as last read from the two fields, and the width of End's digits.
  int32_t Vol03StartNumber = 1, Vol03EndNumber = 1;
  int Vol03PadWidth = 1;

  // Handlers with a body of the page's own (the shared commands are bound to
  // the binding's operations directly).
  void edtVol03StartNumberExit();
  void edtVol03EndNumberExit();
  void edtVol03PrefixChange();
  void edtVol03SuffixChange();
  void btnVol03ClearAllClick();

  // Page operations.
  void SetVol03Destination(const std::string& text);
  void SetVol03ControlsEnabled(bool enabled);
  void UpdateVol03Preview();
  core::FolderNameParts ComposeVol03NameParts() const;

  // Start-up steps of the main window's creation that concern this page.
  void InitVol03Page();

private:
  // Which field held no usable whole number when the fields were last read.
  struct FieldRead {
    bool startFailed = false, endFailed = false;
  };
  // Reads both fields with one rule: a text that is no whole number becomes 1
  // (Start) or Start (End), a negative number becomes 1; a corrected field
  // shows its corrected text. Sets the range members and the pad width.
  FieldRead ReadNumberFields();
  void NumberFieldLeft(bool startField);
  std::string NumberText(int64_t n) const;

  double ItemCount() override;
  bool BeforeStart(bool simulation) override;
  bool TakeItems(core::CreationJob& job, bool simulation) override;
  std::vector<ui::Control*> CommandControls() override;

  bool readingFields_ = false;
};
