#include "ui/controls.h"

#include "core/textutil.h"
#include "ui/application.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>

namespace ui {

// ---- Button --------------------------------------------------------------

void Button::Click() {
  // The modal result is set first so a handler can take it back (set it to 0).
  if (ModalResult && form_) form_->SetModalResult(ModalResult);
  Fire(OnClick);
}

void Button::Command(int code) {
  if (code == BN_CLICKED) Click();
}

void Button::SetCaptionColor(COLORREF color) { SetFontColor(color); }

LRESULT Button::Notify(NMHDR* header, bool& handled) {
  if (header->code != static_cast<UINT>(NM_CUSTOMDRAW) || !hasColor_) return 0;
  auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(header);
  if (draw->dwDrawStage != CDDS_PREPAINT) return 0;
  // The button has drawn its themed face; the caption is ours, in colour.
  handled = true;
  HDC dc = draw->hdc;
  RECT rc = draw->rc;
  std::string caption = Text();
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  int oldMode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColor = SetTextColor(dc, IsWindowEnabled(Handle()) ? color_ : GetSysColor(COLOR_GRAYTEXT));
  UINT prefix = (SendMessageA(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;
  DrawTextA(dc, caption.c_str(), -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | prefix);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
  if (old) SelectObject(dc, old);
  if ((draw->uItemState & CDIS_FOCUS) &&
      !(SendMessageA(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
    RECT focus = draw->rc;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
  return CDRF_SKIPDEFAULT;
}

// ---- CheckBox and RadioButton --------------------------------------------

bool CheckBox::Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
  if (Checked() == checked) return;
  SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  Fire(OnClick);
}

void CheckBox::Command(int code) {
  if (code == BN_CLICKED) Fire(OnClick);
}

bool RadioButton::Checked() const {
  return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

namespace {
bool IsRadio(HWND hwnd) {
  char cls[16] = "";
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpiA(cls, "Button") != 0) return false;
  LONG type = GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}
} // namespace

void RadioButton::SetChecked(bool checked) {
  if (Checked() == checked) return;
  SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!checked) return;
  // The group runs from the item that carries WS_GROUP up to the next one.
  HWND first = Handle();
  while (!(GetWindowLongA(first, GWL_STYLE) & WS_GROUP)) {
    HWND previous = GetWindow(first, GW_HWNDPREV);
    if (!previous) break;
    first = previous;
  }
  for (HWND h = first; h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (h != first && (GetWindowLongA(h, GWL_STYLE) & WS_GROUP)) break;
    if (h != hwnd_ && IsRadio(h)) SendMessageA(h, BM_SETCHECK, BST_UNCHECKED, 0);
  }
  Fire(OnClick);
}

void RadioButton::Command(int code) {
  if (code == BN_CLICKED) Fire(OnClick);
}

// ---- Edit and Memo -------------------------------------------------------

void Edit::SetReadOnly(bool readOnly) { SendMessageA(Handle(), EM_SETREADONLY, readOnly, 0); }
void Edit::SetMaxLength(int length) { SendMessageA(Handle(), EM_SETLIMITTEXT, length, 0); }
void Edit::SelectAll() { SendMessageA(Handle(), EM_SETSEL, 0, -1); }
void Edit::Command(int code) {
  if (code == EN_CHANGE) Fire(OnChange);
}

void Memo::Bind(HWND hwnd) {
  Control::Bind(hwnd);
  SendMessageA(Handle(), EM_SETLIMITTEXT, 0, 0);  // no 32K limit
}

std::vector<std::string> Memo::Lines() const {
  std::vector<std::string> lines;
  std::string text = Text();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines.push_back(text.substr(start, stop - start));
    start = end + 1;
  }
  return lines;
}

void Memo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  size_t total = 0;
  for (const std::string& line : lines) total += line.size() + 2;
  text.reserve(total);
  for (size_t i = 0; i < lines.size(); ++i) {
    text += lines[i];
    text += "\r\n";
  }
  SetWindowTextA(Handle(), text.c_str());
}

void Memo::AddLine(const std::string& line) {
  int length = GetWindowTextLengthA(Handle());
  SendMessageA(Handle(), EM_SETSEL, length, length);
  std::string add = line + "\r\n";
  SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(add.c_str()));
}

int Memo::LineCount() const { return static_cast<int>(Lines().size()); }
void Memo::Clear() { SetWindowTextA(Handle(), ""); }
void Memo::Command(int code) {
  if (code == EN_CHANGE) Fire(OnChange);
}

// ---- ComboBox ------------------------------------------------------------

void ComboBox::Bind(HWND hwnd) {
  Control::Bind(hwnd);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(Handle(), &info) && info.hwndItem && info.hwndItem != Handle()) {
    // Focus and keys land on the combo's own edit: route them to this control.
    WatchFocus(info.hwndItem, this);
  }
}

std::string ComboBox::Item(int index) const {
  if (index < 0 || index >= Count()) return std::string();
  return items_[static_cast<size_t>(index)];
}

int ComboBox::Add(const std::string& item) {
  // The control gives the index (its sorted place in a sorted combo).
  LRESULT index = SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  if (index < 0) return static_cast<int>(index);
  items_.insert(items_.begin() + std::min<size_t>(static_cast<size_t>(index), items_.size()), item);
  return static_cast<int>(index);
}
void ComboBox::Insert(int index, const std::string& item) {
  LRESULT at = SendMessageA(Handle(), CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(item.c_str()));
  if (at >= 0) items_.insert(items_.begin() + std::min<size_t>(static_cast<size_t>(at), items_.size()), item);
}
void ComboBox::Delete(int index) {
  if (SendMessageA(Handle(), CB_DELETESTRING, index, 0) != CB_ERR && index >= 0 && index < Count())
    items_.erase(items_.begin() + index);
}
void ComboBox::Clear() {
  SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
  items_.clear();
}

int ComboBox::IndexOf(const std::string& item) const {
  int n = Count();
  for (int i = 0; i < n; ++i)
    if (core::SameText(Item(i), item)) return i;
  return -1;
}

int ComboBox::ItemIndex() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)); }
void ComboBox::SetItemIndex(int index) { SendMessageA(Handle(), CB_SETCURSEL, index, 0); }

void ComboBox::SetText(const std::string& text) {
  if (Text() == text) return;
  settingText_ = true;
  SetWindowTextA(Handle(), text.c_str());
  settingText_ = false;
  Fire(OnChange);
}

void ComboBox::Command(int code) {
  if (code == CBN_EDITCHANGE) {
    if (!settingText_) Fire(OnChange);
  } else if (code == CBN_SELCHANGE) {
    // The edit shows the picked entry only after this notification; set it now
    // so the handlers read what the user picked.
    int index = ItemIndex();
    if (index >= 0) SetWindowTextA(Handle(), Item(index).c_str());
    Fire(OnSelect);
    Fire(OnChange);
  }
}

// ---- ListBox -------------------------------------------------------------

namespace {
// The order a sorted list box keeps: the user locale's, letter case ignored.
bool SortsBefore(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
         CSTR_LESS_THAN;
}
} // namespace

bool ListBox::Sorted() const { return (GetWindowLongA(Handle(), GWL_STYLE) & LBS_SORT) != 0; }

int ListBox::ControlCount() const {
  return static_cast<int>(SendMessageA(Handle(), LB_GETCOUNT, 0, 0));
}

std::string ListBox::ControlText(int index) const {
  // Read in Unicode, as the control holds it (an entry of more than 511
  // characters does not come back whole through the ANSI message under Wine).
  LRESULT length = SendMessageW(Handle(), LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR || length <= 0) return std::string();
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  LRESULT got = SendMessageW(Handle(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(&wide[0]));
  if (got == LB_ERR || got <= 0) return std::string();
  // A letter the code page cannot spell reads "?", never a look-alike.
  return core::SpelledName(wide.data(), static_cast<size_t>(got));
}

void ListBox::Changed() {
  if (!inControl_) return;
  if (copied_) std::vector<std::string>().swap(items_);
  copied_ = false;
  if (indexed_) index_ = core::FoldedIndex();
  indexed_ = false;
}

std::string ListBox::Item(int index) const {
  if (index < 0 || index >= Count()) return std::string();
  if (inControl_ && !copied_) return ControlText(index);
  return items_[static_cast<size_t>(index)];
}

const std::vector<std::string>& ListBox::Items() const {
  Handle();
  if (inControl_ && !copied_) {
    const int n = ControlCount();
    items_.clear();
    items_.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) items_.push_back(ControlText(i));
    copied_ = true;
  }
  return items_;
}

void ListBox::Journal(const std::string* entry, bool added) {
  ++version_;
  if (!entry) {
    journal_.clear();
    journalStart_ = version_;
    return;
  }
  if (journal_.size() >= 256) {  // the oldest changes are forgotten
    journal_.pop_front();
    ++journalStart_;
  }
  journal_.emplace_back(*entry, added);
}

bool ListBox::ChangesSince(unsigned long version,
                           const std::function<void(const std::string& entry, bool added)>& visit) const {
  if (version < journalStart_ || version > version_) return false;
  for (size_t i = version - journalStart_; i < journal_.size(); ++i) visit(journal_[i].first, journal_[i].second);
  return true;
}

void ListBox::InsertAt(int index, const std::string& item) {
  // Inserting at a given place never re-sorts, so the control keeps our order.
  SendMessageA(Handle(), LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(item.c_str()));
  if (inControl_) {
    JournalBulk();
    return Changed();
  }
  Journal(&item, true);
  items_.insert(items_.begin() + index, item);
  if (indexed_) index_.Add(item);
}

int ListBox::Add(const std::string& item) {
  if (inControl_) {
    // The control gives the index (its sorted place in a sorted list).
    LRESULT index = SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    JournalBulk();
    Changed();
    return static_cast<int>(index);
  }
  int index = Count();
  if (Sorted())
    index = static_cast<int>(std::upper_bound(items_.begin(), items_.end(), item, SortsBefore) -
                             items_.begin());
  InsertAt(index, item);
  return index;
}

void ListBox::AddStrings(const std::vector<std::string>& items) {
  AddStrings(std::vector<std::string>(items));
}

void ListBox::AddStrings(std::vector<std::string>&& items) {
  if (items.empty()) return;
  const size_t count = items.size();
  JournalBulk();
  SetRedraw(false);
  if (inControl_) {
    // The control alone takes them: room first, then each at the end (a
    // sorted list box puts each at its place).
    size_t bytes = 0;
    for (const std::string& s : items) bytes += s.size() + 1;
    SendMessageA(Handle(), LB_INITSTORAGE, count, bytes);
    const UINT message = Sorted() ? LB_ADDSTRING : LB_INSERTSTRING;
    const WPARAM at = Sorted() ? 0 : static_cast<WPARAM>(-1);
    for (const std::string& s : items)
      SendMessageA(Handle(), message, at, reinterpret_cast<LPARAM>(s.c_str()));
    std::vector<std::string>().swap(items);
    Changed();
    SetRedraw(true);
    return;
  }
  if (indexed_)
    for (const std::string& s : items) index_.Add(s);
  if (Sorted()) {
    // Merge, then lay the whole list out again: one pass instead of a search
    // and a shift per entry.
    std::stable_sort(items.begin(), items.end(), SortsBefore);
    std::vector<std::string> merged;
    merged.reserve(items_.size() + count);
    std::merge(std::make_move_iterator(items_.begin()), std::make_move_iterator(items_.end()),
               std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()),
               std::back_inserter(merged), SortsBefore);
    items_.swap(merged);
    SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
  } else {
    items_.insert(items_.end(), std::make_move_iterator(items.begin()),
                  std::make_move_iterator(items.end()));
  }
  // Room for the entries about to go in (a sorted list goes in whole again).
  const size_t first = Sorted() ? 0 : items_.size() - count;
  size_t bytes = 0;
  for (size_t i = first; i < items_.size(); ++i) bytes += items_[i].size() + 1;
  SendMessageA(Handle(), LB_INITSTORAGE, items_.size() - first, bytes);
  for (size_t i = first; i < items_.size(); ++i)
    SendMessageA(Handle(), LB_INSERTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(items_[i].c_str()));
  SetRedraw(true);
}

void ListBox::Insert(int index, const std::string& item) {
  InsertAt(std::max(0, std::min(index, Count())), item);
}

void ListBox::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  SendMessageA(Handle(), LB_DELETESTRING, index, 0);
  if (inControl_) {
    JournalBulk();
    return Changed();
  }
  Journal(&items_[static_cast<size_t>(index)], false);
  if (indexed_) index_.Remove(items_[static_cast<size_t>(index)]);
  items_.erase(items_.begin() + index);
}

void ListBox::DeleteIndices(std::vector<int> indices) {
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  if (indices.empty()) return;
  SetRedraw(false);
  for (auto it = indices.rbegin(); it != indices.rend(); ++it)
    if (*it >= 0 && *it < Count()) SendMessageA(Handle(), LB_DELETESTRING, *it, 0);
  if (inControl_) {
    JournalBulk();
    Changed();
    SetRedraw(true);
    return;
  }
  if (indices.size() > 256) JournalBulk();
  std::vector<std::string> kept;
  kept.reserve(items_.size());
  size_t next = 0;
  for (size_t i = 0; i < items_.size(); ++i) {
    if (next < indices.size() && static_cast<size_t>(indices[next]) == i) {
      if (indices.size() <= 256) Journal(&items_[i], false);
      if (indexed_) index_.Remove(items_[i]);
      ++next;
    } else {
      kept.push_back(std::move(items_[i]));
    }
  }
  items_.swap(kept);
  SetRedraw(true);
}

void ListBox::Clear() {
  // The memory goes too: a list emptied after 30,000 entries holds none.
  JournalBulk();
  index_ = core::FoldedIndex();
  indexed_ = false;
  copied_ = false;
  std::vector<std::string>().swap(items_);
  // An empty list is left alone: emptying it again would still redraw its
  // scroll bars at once.
  if (ControlCount() > 0) SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
}

bool ListBox::Contains(const std::string& item) const {
  if (!indexed_) {
    for (const std::string& s : Items()) index_.Add(s);
    indexed_ = true;
  }
  return index_.Contains(item);
}

int ListBox::IndexOf(const std::string& item) const {
  if (!Contains(item)) return -1;
  const std::vector<std::string>& items = Items();
  for (size_t i = 0; i < items.size(); ++i)
    if (core::SameText(items[i], item)) return static_cast<int>(i);
  return -1;
}

bool ListBox::MultiSelect() const {
  return (GetWindowLongA(Handle(), GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) != 0;
}

bool ListBox::Selected(int index) const {
  if (!MultiSelect()) return ItemIndex() == index;
  return SendMessageA(Handle(), LB_GETSEL, index, 0) > 0;
}

void ListBox::SetSelected(int index, bool selected) {
  if (MultiSelect())
    SendMessageA(Handle(), LB_SETSEL, selected, index);
  else
    SendMessageA(Handle(), LB_SETCURSEL, selected ? index : -1, 0);
}

int ListBox::SelCount() const {
  if (!MultiSelect()) return ItemIndex() >= 0 ? 1 : 0;
  return static_cast<int>(SendMessageA(Handle(), LB_GETSELCOUNT, 0, 0));
}

std::vector<int> ListBox::SelectedIndices() const {
  std::vector<int> indices;
  if (!MultiSelect()) {
    if (ItemIndex() >= 0) indices.push_back(ItemIndex());
    return indices;
  }
  int n = SelCount();
  if (n <= 0) return indices;
  indices.resize(static_cast<size_t>(n));
  SendMessageA(Handle(), LB_GETSELITEMS, n, reinterpret_cast<LPARAM>(indices.data()));
  return indices;
}

void ListBox::SelectAll(bool selected) {
  if (MultiSelect())
    SendMessageA(Handle(), LB_SETSEL, selected, -1);
  else if (!selected)
    SendMessageA(Handle(), LB_SETCURSEL, -1, 0);
}

int ListBox::ItemIndex() const {
  if (MultiSelect()) return static_cast<int>(SendMessageA(Handle(), LB_GETCARETINDEX, 0, 0));
  return static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
}

void ListBox::SetItemIndex(int index) {
  if (MultiSelect()) {
    SendMessageA(Handle(), LB_SETSEL, FALSE, -1);
    if (index >= 0) {
      SendMessageA(Handle(), LB_SETSEL, TRUE, index);
      SendMessageA(Handle(), LB_SETCARETINDEX, index, FALSE);
    }
  } else {
    SendMessageA(Handle(), LB_SETCURSEL, index, 0);
  }
}

void ListBox::SetHorizontalExtent(int pixels) {
  SendMessageA(Handle(), LB_SETHORIZONTALEXTENT, pixels, 0);
}
int ListBox::HorizontalExtent() const {
  return static_cast<int>(SendMessageA(Handle(), LB_GETHORIZONTALEXTENT, 0, 0));
}

void ListBox::SetRedraw(bool redraw) {
  SendMessageA(Handle(), WM_SETREDRAW, redraw, 0);
  if (redraw) InvalidateRect(Handle(), nullptr, TRUE);
}

void ListBox::Command(int code) {
  if (code == LBN_SELCHANGE) Fire(OnClick);
  else if (code == LBN_DBLCLK) Fire(OnDblClick);
}

// ---- Label ---------------------------------------------------------------

void Label::SetCentered(bool centered) {
  LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  LONG type = style & SS_TYPEMASK;
  if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP)
    return;
  style = (style & ~SS_TYPEMASK) | (centered ? SS_CENTER : SS_LEFT);
  SetWindowLongA(Handle(), GWL_STYLE, style);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void Label::SetPathEllipsis(bool on) {
  pathEllipsis_ = on;
  ApplyPathEllipsis();
  UpdateHint();
}

void Label::ApplyPathEllipsis() {
  if (!hwnd_) return;
  LONG style = GetWindowLongA(Handle(), GWL_STYLE) & ~SS_ELLIPSISMASK;
  // SS_NOTIFY: the label takes the mouse itself, so its hint can show.
  if (pathEllipsis_) style |= SS_PATHELLIPSIS | SS_NOTIFY;
  SetWindowLongA(Handle(), GWL_STYLE, style);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void Label::Bind(HWND hwnd) {
  Control::Bind(hwnd);
  ApplyPathEllipsis();
}

void Label::SetHint(const std::string& hint) {
  ownHint_ = hint;
  UpdateHint();
}

void Label::TextChanged() {
  if (pathEllipsis_) UpdateHint();  // counters and captions change often: no cost for them
}

void Label::UpdateHint() {
  std::string text = pathEllipsis_ && hwnd_ ? Text() : std::string();
  std::string hint = ownHint_;
  if (!text.empty()) hint = hint.empty() ? text : hint + "\n" + text;
  if (hint != Hint() || !hwnd_) Control::SetHint(hint);
}

bool Label::Centered() const { return (GetWindowLongA(Handle(), GWL_STYLE) & SS_TYPEMASK) == SS_CENTER; }

void Label::Command(int code) {
  if (code == STN_CLICKED) Fire(OnClick);
  else if (code == STN_DBLCLK) Fire(OnDblClick);
}

// ---- ProgressBar and UpDown ----------------------------------------------

void ProgressBar::SetRange(int minimum, int maximum) {
  SendMessageA(Handle(), PBM_SETRANGE32, minimum, maximum);
}
int ProgressBar::Min() const { return static_cast<int>(SendMessageA(Handle(), PBM_GETRANGE, TRUE, 0)); }
int ProgressBar::Max() const { return static_cast<int>(SendMessageA(Handle(), PBM_GETRANGE, FALSE, 0)); }
void ProgressBar::SetPosition(int position) { SendMessageA(Handle(), PBM_SETPOS, position, 0); }
int ProgressBar::Position() const { return static_cast<int>(SendMessageA(Handle(), PBM_GETPOS, 0, 0)); }

void UpDown::SetRange(int minimum, int maximum) {
  SendMessageA(Handle(), UDM_SETRANGE32, minimum, maximum);
}
void UpDown::SetPosition(int position) { SendMessageA(Handle(), UDM_SETPOS32, 0, position); }
int UpDown::Position() const { return static_cast<int>(SendMessageA(Handle(), UDM_GETPOS32, 0, 0)); }
void UpDown::SetBuddy(Control& buddy) {
  SendMessageA(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy.Handle()), 0);
}
void UpDown::Scroll(int code) {
  if (code == SB_THUMBPOSITION) Fire(OnClick);  // after the position moved
}

// ---- ListView ------------------------------------------------------------

void ListView::Bind(HWND hwnd) {
  Control::Bind(hwnd);
  SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void ListView::AddColumn(const std::string& caption, int widthDlu) {
  RECT units{0, 0, widthDlu, 0};
  MapDialogRect(GetParent(Handle()), &units);
  int width = units.right;
  HWND header = reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_GETHEADER, 0, 0));
  int index = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<char*>(caption.c_str());
  column.cx = width;
  column.iSubItem = index;
  SendMessageA(Handle(), LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

int ListView::AddItem(const std::vector<std::string>& cells) {
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = Count();
  item.pszText = const_cast<char*>(cells.empty() ? "" : cells[0].c_str());
  int index = static_cast<int>(SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  for (size_t c = 1; c < cells.size(); ++c) SetCell(index, static_cast<int>(c), cells[c]);
  return index;
}

void ListView::SetCell(int itemIndex, int column, const std::string& text) {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(Handle(), LVM_SETITEMTEXTA, itemIndex, reinterpret_cast<LPARAM>(&item));
}

std::string ListView::Cell(int itemIndex, int column) const {
  std::string text(1024, '\0');
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = &text[0];
  item.cchTextMax = static_cast<int>(text.size());
  LRESULT n = SendMessageA(Handle(), LVM_GETITEMTEXTA, itemIndex, reinterpret_cast<LPARAM>(&item));
  text.resize(static_cast<size_t>(n));
  return text;
}

int ListView::Count() const { return static_cast<int>(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0)); }
void ListView::Clear() { SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0); }

} // namespace ui
