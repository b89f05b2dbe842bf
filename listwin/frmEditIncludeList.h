// The include-list editor (one design, one window per page, bound by its row of
// the twin table) and the zoom window that shows a page's include list large.
// Pages open them through EditPageIncludeList and ZoomPageIncludeList.
#pragma once
#include "core/box_message.h"
#include "forms/TfrmEditIncludeList.h"
#include "listwin/list_page.h"
#include "ui/controls.h"

#include <string>

// What differs between the editors of the pages.
struct EditIncludeListTwin {
  const char* caption;
  const char* memoHint;    // nullptr: no hints
  const char* okHint;
  const char* cancelHint;
  const char* helpHint;
  bool memoEnterFocusesMemo;
};

// Rows of the twin table: string-list, path-list, Rename, Delete and Copy pages.
extern const EditIncludeListTwin kEditVol02, kEditVol04, kEditVol06, kEditVol07, kEditVol08;

// The boxes of the editor; captions are the editor's caption, the kind and the number.
enum class EditMsg { TooManyLines, NotTaken };
extern const core::MessageTable<EditMsg> kEditIncludeListMessages;

// The most entries an edited include list may hold.
constexpr int kEditIncludeListLimit = 30000;

class TfrmEditIncludeList : public ui::Form {
public:
  explicit TfrmEditIncludeList(const EditIncludeListTwin& twin);

  ui::Memo mmoEditIncludeList{this, IDC_EIL_MEMO};
  ui::Label lblEditLinesSum{this, IDC_EIL_LINES};
  ui::Button btnEditOk{this, IDC_EIL_OK};
  ui::Button btnEditCancel{this, IDC_EIL_CANCEL};
  ui::Button btnEditFormHelp{this, IDC_EIL_HELP};

  void FormCreate();
  void FormActivate();
  // Shows the number of lines that are not blank.
  void CountLines();
  void btnEditOkClick();
  void btnEditCancelClick();

  // The page whose include list the editor rebuilds on OK (set by the opener).
  void SetPage(const ListPageDescription& page) { page_ = page; }
  const EditIncludeListTwin& Twin() const { return twin_; }

private:
  const EditIncludeListTwin& twin_;
  ListPageDescription page_;
};

class TfrmVol02EditIncludeList : public TfrmEditIncludeList {
public:
  TfrmVol02EditIncludeList() : TfrmEditIncludeList(kEditVol02) {}
};
extern TfrmVol02EditIncludeList* frmVol02EditIncludeList;

class TfrmVol04EditIncludeList : public TfrmEditIncludeList {
public:
  TfrmVol04EditIncludeList() : TfrmEditIncludeList(kEditVol04) {}
};
extern TfrmVol04EditIncludeList* frmVol04EditIncludeList;

class TfrmVol06EditIncludeList : public TfrmEditIncludeList {
public:
  TfrmVol06EditIncludeList() : TfrmEditIncludeList(kEditVol06) {}
};
extern TfrmVol06EditIncludeList* frmVol06EditIncludeList;
class TfrmVol08EditIncludeList : public TfrmEditIncludeList {
public:
  TfrmVol08EditIncludeList() : TfrmEditIncludeList(kEditVol08) {}
};
extern TfrmVol08EditIncludeList* frmVol08EditIncludeList;
class TfrmVol07EditIncludeList : public TfrmEditIncludeList {
public:
  TfrmVol07EditIncludeList() : TfrmEditIncludeList(kEditVol07) {}
};
extern TfrmVol07EditIncludeList* frmVol07EditIncludeList;

class TfrmZoomIncludeWindow : public ui::Form {
public:
  TfrmZoomIncludeWindow();
  ui::ListBox lstZoomIncludeWindow{this, IDC_ZIW_LIST};
  ui::Button btnZoomInjcludeWindowsClose{this, IDC_ZIW_CLOSE};
  void FormCreate();
};
extern TfrmZoomIncludeWindow* frmZoomIncludeWindow;

// Number of lines of text whose trimmed form is not empty (one pass, no copies).
int CountNonBlankLines(const std::string& text);

// Fills the editor with the page's include list, one entry a line, and shows
// it modally; true when it closed with OK (the include list was rebuilt).
bool EditPageIncludeList(TfrmEditIncludeList& editor, const ListPageDescription& page);
// Shows the page's include list, in its order, in the zoom window.
void ZoomPageIncludeList(const ListPageDescription& page);
