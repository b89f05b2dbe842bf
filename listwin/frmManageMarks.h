// The delimiter and quotation-mark windows: one design bound by its row of the
// twin table. The include list is what the settings store keeps (and the
// settings file after Close); the exclude list lives while the program runs.
#pragma once
#include "core/box_message.h"
#include "core/settings_store.h"
#include "forms/TfrmManageMarks.h"
#include "ui/controls.h"

#include <string>
#include <vector>

struct ManageMarksTwin {
  const char* caption;
  const char* includedLabel;
  const char* excludedLabel;
  const char* addGroup;
  const char* deleteCaption;
  const char* removeAllCaption;
  const char* addPrefix;     // caption title of 0121-0124
  const char* managePrefix;  // caption title of 0125-0129
  const char* plural;        // "{}" of the limit texts 0125-0127
  core::SettingsList (core::SettingsStore::*get)() const;
  void (core::SettingsStore::*clear)();
  void (core::SettingsStore::*add)(const std::string&);
};

extern const ManageMarksTwin kDelimitersTwin, kQuotationMarksTwin;

// The boxes of the window; captions are the twin's title, the kind and the number.
enum class MarksMsg {
  Limit, Empty, InInclude, InExclude, TooLong, MoveLimit, AllLimit, ExchangeLimit, DeleteAsk, RemoveAllAsk
};
extern const core::MessageTable<MarksMsg> kManageMarksMessages;

// The most entries the include list may hold.
constexpr int kManageMarksLimit = 30000;

class TfrmManageMarks : public ui::Form {
public:
  explicit TfrmManageMarks(const ManageMarksTwin& twin);

  ui::Label lblIncluded{this, IDC_MMK_INCLUDEDLABEL};
  ui::ListBox lstIncluded{this, IDC_MMK_INCLUDED};
  ui::Label lblExcluded{this, IDC_MMK_EXCLUDEDLABEL};
  ui::ListBox lstExcluded{this, IDC_MMK_EXCLUDED};
  ui::Button btnIncToExc{this, IDC_MMK_INCTOEXC};
  ui::Button btnExcToInc{this, IDC_MMK_EXCTOINC};
  ui::Button btnAllFromInc{this, IDC_MMK_ALLFROMINC};
  ui::Button btnAllFromExc{this, IDC_MMK_ALLFROMEXC};
  ui::Button btnExchangeIncExc{this, IDC_MMK_EXCHANGE};
  ui::Button btnDelete{this, IDC_MMK_DELETE};
  ui::Button btnRemoveAll{this, IDC_MMK_REMOVEALL};
  ui::GroupBox grpAdd{this, IDC_MMK_ADDGROUP};
  ui::Edit edtAdd{this, IDC_MMK_ADDEDIT};
  ui::Button btnAdd{this, IDC_MMK_ADD};
  ui::Button btnSetDefaults{this, IDC_MMK_DEFAULTS};
  ui::Button btnClose{this, IDC_MMK_CLOSE};

  // The built-in entries, lower-cased and trimmed.
  std::vector<std::string> Defaults;

  void FormCreate();
  void LoadList();
  void btnAddClick();
  void btnIncToExcClick();
  void btnExcToIncClick();
  void btnAllFromIncClick();
  void btnAllFromExcClick();
  void btnExchangeIncExcClick();
  void btnDeleteClick();
  void btnRemoveAllClick();
  void btnSetDefaultsClick();
  void btnCloseClick();

private:
  int Box(MarksMsg id);
  const ManageMarksTwin& twin_;
};

class TfrmDelimiters : public TfrmManageMarks {
public:
  TfrmDelimiters() : TfrmManageMarks(kDelimitersTwin) {}
};
class TfrmQuotationMarks : public TfrmManageMarks {
public:
  TfrmQuotationMarks() : TfrmManageMarks(kQuotationMarksTwin) {}
};

extern TfrmDelimiters* frmDelimiters;
extern TfrmQuotationMarks* frmQuotationMarks;
