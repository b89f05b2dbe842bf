#include "listwin/frmEditIncludeList.h"

#include "core/casefold.h"
#include "core/textutil.h"
#include "examples/help_windows.h"
#include "ui/application.h"

#include <windows.h>

#include <algorithm>

TfrmVol02EditIncludeList* frmVol02EditIncludeList = nullptr;
TfrmVol04EditIncludeList* frmVol04EditIncludeList = nullptr;
TfrmVol06EditIncludeList* frmVol06EditIncludeList = nullptr;
TfrmVol08EditIncludeList* frmVol08EditIncludeList = nullptr;
TfrmVol07EditIncludeList* frmVol07EditIncludeList = nullptr;
TfrmZoomIncludeWindow* frmZoomIncludeWindow = nullptr;

const EditIncludeListTwin kEditVol02 = {
    "Edit the include List of strings", "Edit the content of the INCLUDE string list.",
    "Click OK to save the edited content to the INCLUDE string list.",
    "Cancel the edited content. The content of the INCLUDE string list will not changed.",
    "help for this window.", true};
const EditIncludeListTwin kEditVol04 = {
    "Edit the Include Folder List.", "Edit the contain of the INCLUDE folder list.",
    "Click OK to save the contain of this window to the INCLUDE window.",
    "Cancel the edited content. The content of the INCLUDE Folder list want be changed.",
    "help for this window.", false};
const EditIncludeListTwin kEditVol06 = {
    "Edit the content of the Include List  - for the Renaming Process.", nullptr, nullptr, nullptr, nullptr,
    false};
const EditIncludeListTwin kEditVol07 = {"edit the Include List - Deleting process.", nullptr, nullptr, nullptr,
                                        nullptr, false};
const EditIncludeListTwin kEditVol08 = {"Edit the Include Folder List - for Copy Process.", nullptr, nullptr,
                                        nullptr, nullptr, false};

namespace {

const core::NumberedMessage<EditMsg> kRows[] = {
    {EditMsg::TooManyLines, "0160", core::kMsgWarning,
     "The list holds {} lines; the limit is 30,000 !\nAction : You must remove some lines. The INCLUDE list "
     "was not changed.",
     nullptr},
    {EditMsg::NotTaken, "0161", core::kMsgQuestion,
     "Not every line can be taken into the INCLUDE list !\n\n{}\nClick YES to take the other lines and close "
     "this window,\nClick NO to go back to the list and correct it.",
     nullptr},
};

} // namespace

const core::MessageTable<EditMsg> kEditIncludeListMessages = core::TableOf(kRows);

namespace {

bool IsBlankChar(char c) { return static_cast<unsigned char>(c) <= 32; }

// The order of a sorted list box: the user locale's, letter case ignored.
bool SortsBefore(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
         CSTR_LESS_THAN;
}

} // namespace

int CountNonBlankLines(const std::string& text) {
  int count = 0;
  bool filled = false;
  for (char c : text) {
    if (c == '\n') {
      count += filled;
      filled = false;
    } else if (!IsBlankChar(c)) {
      filled = true;
    }
  }
  return count + filled;
}

TfrmEditIncludeList::TfrmEditIncludeList(const EditIncludeListTwin& twin)
    : ui::Form(IDD_TFRMEDITINCLUDELIST), twin_(twin) {
  OnCreate = [this] { FormCreate(); };
  OnActivate = [this] { FormActivate(); };
  mmoEditIncludeList.OnChange = [this] { CountLines(); };  // after every change, typed or pasted
  if (twin_.memoEnterFocusesMemo) mmoEditIncludeList.OnEnter = [this] { mmoEditIncludeList.SetFocus(); };
  btnEditOk.OnClick = [this] { btnEditOkClick(); };
  btnEditCancel.OnClick = [this] { btnEditCancelClick(); };
  btnEditFormHelp.OnClick = [] { ShowMoreHelp(); };
}

void TfrmEditIncludeList::FormCreate() {
  SetCaption(twin_.caption);
  if (twin_.memoHint) {
    mmoEditIncludeList.SetHint(twin_.memoHint);
    btnEditOk.SetHint(twin_.okHint);
    btnEditCancel.SetHint(twin_.cancelHint);
    btnEditFormHelp.SetHint(twin_.helpHint);
  }
  mmoEditIncludeList.Clear();
  lblEditLinesSum.SetText("0");
}

void TfrmEditIncludeList::FormActivate() { mmoEditIncludeList.SetFocus(); }

void TfrmEditIncludeList::CountLines() {
  lblEditLinesSum.SetText(std::to_string(CountNonBlankLines(mmoEditIncludeList.Text())));
}


void TfrmEditIncludeList::btnEditOkClick() {
  std::vector<std::string> lines = mmoEditIncludeList.Lines();
  int filled = 0;
  for (const std::string& line : lines) filled += !core::TrimText(line).empty();
  if (filled > kEditIncludeListLimit) {
    // Refused as a whole: the include list stays as it was, the editor open.
    const core::NumberedMessage<EditMsg>& m = kEditIncludeListMessages[EditMsg::TooManyLines];
    const core::BoxMessage b =
        core::Compose(m, std::to_string(filled), core::TitledCaption(twin_.caption, "Warning", m.number));
    ui::App().MessageBox(b.text, b.caption, b.flags);
    return;
  }
  // The lines in the list box's order; of lines equal without letter case and
  // blanks the first in that order stays; exclude entries never come in.
  // (A sorted list box shows them sorted; an unsorted one keeps the memo's order.)
  if (GetWindowLongA(page_.include->Handle(), GWL_STYLE) & LBS_SORT)
    std::stable_sort(lines.begin(), lines.end(), SortsBefore);
  // The lines are judged as a whole new list: the include list they replace
  // counts for nothing, so a folder merely written anew stays.
  const EntryJudge judge = page_.Judge(ListRoad::Editor);
  core::FoldedIndex taken;
  std::vector<std::string> entries;
  LeftOut left;
  for (const std::string& line : lines) {
    std::string entry = core::TrimText(line);
    if (entry.empty() || taken.Contains(entry) || page_.exclude->Contains(entry)) continue;
    const Verdict verdict = judge(entry);
    if (!verdict.taken) {
      left.Add(entry, verdict.reason);
      continue;
    }
    taken.Add(entry);
    entries.push_back(std::move(entry));
  }
  if (left.Count() > 0) {
    // Nothing is lost unasked: No keeps the editor open with its text.
    const core::NumberedMessage<EditMsg>& m = kEditIncludeListMessages[EditMsg::NotTaken];
    const std::string caption = core::TitledCaption(twin_.caption, "Warning", m.number);
    left.SetTitle(caption);
    if (ui::App().MessageBox(left.BoxText(m.text), caption, m.flags) != IDYES) {
      mmoEditIncludeList.SetFocus();
      return;
    }
  }
  page_.include->Clear();
  page_.include->AddStrings(entries);
  mmoEditIncludeList.Clear();
  SetModalResult(IDOK);
}

void TfrmEditIncludeList::btnEditCancelClick() {
  mmoEditIncludeList.Clear();
  SetModalResult(IDCANCEL);
}

bool EditPageIncludeList(TfrmEditIncludeList& editor, const ListPageDescription& page) {
  editor.SetPage(page);
  editor.mmoEditIncludeList.Clear();
  editor.mmoEditIncludeList.SetLines(page.include->Items());
  editor.CountLines();  // the count is right from the start
  return editor.ShowModal() == IDOK;
}

TfrmZoomIncludeWindow::TfrmZoomIncludeWindow() : ui::Form(IDD_TFRMZOOMINCLUDEWINDOW) {
  OnCreate = [this] { FormCreate(); };
  btnZoomInjcludeWindowsClose.ModalResult = IDCANCEL;
}

void TfrmZoomIncludeWindow::FormCreate() {
  lstZoomIncludeWindow.SetHorizontalExtent(3000);
  lstZoomIncludeWindow.Clear();
}

void ZoomPageIncludeList(const ListPageDescription& page) {
  // The window shows the calling page's include list as it is now.
  TfrmZoomIncludeWindow& zoom = *frmZoomIncludeWindow;
  zoom.lstZoomIncludeWindow.Clear();
  core::FoldedIndex shown;
  std::vector<std::string> entries;
  for (const std::string& entry : page.include->Items()) {
    if (shown.Contains(entry)) continue;
    shown.Add(entry);
    entries.push_back(entry);
  }
  zoom.lstZoomIncludeWindow.AddStrings(entries);
  zoom.ShowModal();
}
