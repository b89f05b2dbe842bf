// Thin views of the native controls, each bound to one dialog item by id.
#pragma once
#include "core/casefold.h"
#include "ui/form.h"

#include <commctrl.h>

#include <deque>
#include <string>
#include <vector>

namespace ui {

class Button : public Control {
public:
  using Control::Control;
  // Presses the button as a user would (runs OnClick, then the modal result).
  void Click();
  // A form shown modally closes with this result when the button is clicked.
  int ModalResult = 0;
  // Colours the caption; the button keeps its themed look (only its text is
  // drawn by us, through the button's custom draw).
  void SetCaptionColor(COLORREF color);
  std::function<void()> OnClick;
  void Command(int code) override;
  LRESULT Notify(NMHDR* header, bool& handled) override;
};

class CheckBox : public Control {
public:
  using Control::Control;
  bool Checked() const;
  // Runs OnClick when the state changes, as a user's click would.
  void SetChecked(bool checked);
  std::function<void()> OnClick;
  void Command(int code) override;
};

class RadioButton : public Control {
public:
  using Control::Control;
  bool Checked() const;
  // Checking turns the other radio buttons of the group off and runs OnClick.
  void SetChecked(bool checked);
  std::function<void()> OnClick;
  void Command(int code) override;
};

class Edit : public Control {
public:
  using Control::Control;
  void SetReadOnly(bool readOnly);
  void SetMaxLength(int length);
  void SelectAll();
  std::function<void()> OnChange;
  void Command(int code) override;
};

class Memo : public Control {
public:
  using Control::Control;
  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);
  void AddLine(const std::string& line);
  int LineCount() const;
  void Clear();
  std::function<void()> OnChange;
  void Bind(HWND hwnd) override;
  void Command(int code) override;
  // A multi-line edit tells no change of a text set from code: OnChange runs
  // for a text set through the Control base, as for typing.
  void TextChanged() override { Fire(OnChange); }
};

class ComboBox : public Control {
public:
  using Control::Control;
  // The entries are kept beside the control in its order (reading a long entry
  // back from the control fails under Wine); every change goes through these.
  // A window still waiting to be built is built first (its creation may fill the list).
  int Count() const {
    Handle();
    return static_cast<int>(items_.size());
  }
  std::string Item(int index) const;
  const std::vector<std::string>& Items() const {
    Handle();
    return items_;
  }
  int Add(const std::string& item);
  void Insert(int index, const std::string& item);
  void Delete(int index);
  void Clear();
  // Index of the entry equal to the text, letter case ignored; -1 when none.
  int IndexOf(const std::string& item) const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  // Sets the edit text; runs OnChange when it changes.
  void SetText(const std::string& text);
  std::function<void()> OnChange;  // text typed or entry picked by the user
  std::function<void()> OnSelect;  // entry picked from the list
  void Bind(HWND hwnd) override;
  void Command(int code) override;
  // Text set through the Control base (as typing does): OnChange runs too.
  void TextChanged() override { Fire(OnChange); }

private:
  bool settingText_ = false;
  std::vector<std::string> items_;
};

class ListBox : public Control {
public:
  using Control::Control;
  // The entries are kept beside the control in its order, so reading them costs
  // no window messages; every change goes through these methods. A list told
  // to hold its entries in the control alone (a long results list) keeps no
  // copy: each entry is held once, by the list box, where any reader of the
  // window finds it, and reading one asks the control.
  void HoldEntriesInControl() { inControl_ = true; }
  // A window still waiting to be built is built first (its creation may fill the list).
  int Count() const {
    Handle();
    return inControl_ ? ControlCount() : static_cast<int>(items_.size());
  }
  std::string Item(int index) const;
  // Every entry, in order (for a list holding its entries in the control, read
  // from it once and kept until the list changes).
  const std::vector<std::string>& Items() const;
  // Adds an entry (at its sorted place in a sorted list); returns its index.
  int Add(const std::string& item);
  // Adds many entries with redraw off (a moved list gives up its texts).
  void AddStrings(const std::vector<std::string>& items);
  void AddStrings(std::vector<std::string>&& items);
  void Insert(int index, const std::string& item);
  void Delete(int index);
  // Deletes the entries at these indices (any order) in one pass.
  void DeleteIndices(std::vector<int> indices);
  void Clear();
  // Whole-entry membership without letter case, through a hash index (built
  // on the first question, so a list nobody asks, a results list, holds none).
  bool Contains(const std::string& item) const;
  // Whole-entry search without letter case; -1 when none.
  int IndexOf(const std::string& item) const;
  // Counts every change of the entries, so what a reader made of them (an
  // index) is rebuilt only when they changed.
  unsigned long Version() const { return version_; }
  // The single entries added (true) and deleted (false) since version, oldest
  // first, and true; false when that is no longer known (a bulk change, the
  // list emptied, a list held in the control, many changes since): read the
  // whole list again.
  bool ChangesSince(unsigned long version,
                    const std::function<void(const std::string& entry, bool added)>& visit) const;

  bool MultiSelect() const;
  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  int SelCount() const;
  std::vector<int> SelectedIndices() const;
  void SelectAll(bool selected = true);
  int ItemIndex() const;
  void SetItemIndex(int index);
  void SetHorizontalExtent(int pixels);
  int HorizontalExtent() const;
  void SetRedraw(bool redraw);

  std::function<void()> OnClick;  // selection changed by the user
  std::function<void()> OnDblClick;
  void Command(int code) override;

private:
  bool Sorted() const;
  void InsertAt(int index, const std::string& item);
  int ControlCount() const;
  std::string ControlText(int index) const;
  // A list holding its entries in the control: its copy read for Items() and
  // its look-up index no longer tell the truth once it changes.
  void Changed();

  // One change more: a single entry added or deleted, or (bulk) any other.
  void Journal(const std::string* entry, bool added);
  void JournalBulk() { Journal(nullptr, false); }

  unsigned long version_ = 0;
  unsigned long journalStart_ = 0;  // the version the journal's first change left behind it
  std::deque<std::pair<std::string, bool>> journal_;
  bool inControl_ = false;
  mutable bool copied_ = false;  // items_ holds the control's entries (inControl_ only)
  mutable core::FoldedIndex index_;
  mutable bool indexed_ = false;
  mutable std::vector<std::string> items_;
};

class Label : public Control {
public:
  using Control::Control;
  void SetCentered(bool centered);
  bool Centered() const;
  // A long text (a path) is shortened in its middle with an ellipsis, and the
  // whole text is shown in the hint, under the label's own hint if it has one.
  void SetPathEllipsis(bool on);
  bool PathEllipsis() const { return pathEllipsis_; }
  // The label's own hint (for a path label, the text is added to it).
  void SetHint(const std::string& hint);
  void Bind(HWND hwnd) override;
  void TextChanged() override;
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  void Command(int code) override;

private:
  void ApplyPathEllipsis();
  void UpdateHint();
  std::string ownHint_;
  bool pathEllipsis_ = false;
};

class GroupBox : public Control {
public:
  using Control::Control;
};

class ProgressBar : public Control {
public:
  using Control::Control;
  void SetRange(int minimum, int maximum);
  int Min() const;
  int Max() const;
  void SetPosition(int position);
  int Position() const;
};

class UpDown : public Control {
public:
  using Control::Control;
  void SetRange(int minimum, int maximum);
  void SetPosition(int position);
  int Position() const;
  void SetBuddy(Control& buddy);
  std::function<void()> OnClick;
  void Scroll(int code) override;
};

class ListView : public Control {
public:
  using Control::Control;
  // Adds a column; its width is in dialog units, so it follows the font and
  // the screen's scaling as the layout does.
  void AddColumn(const std::string& caption, int widthDlu);
  int AddItem(const std::vector<std::string>& cells);
  void SetCell(int item, int column, const std::string& text);
  std::string Cell(int item, int column) const;
  int Count() const;
  void Clear();
  void Bind(HWND hwnd) override;
};

} // namespace ui
