// Page control: a tab control whose sheets are child dialogs of the form. A
// sheet's tab may be hidden; sheets can be moved, enabled and disabled whole.
#pragma once
#include "ui/form.h"

#include <functional>
#include <string>
#include <vector>

namespace ui {

class TabSheet;

class PageControl : public Control {
public:
  PageControl(Form* form, int id);
  int PageCount() const { return static_cast<int>(sheets_.size()); }
  TabSheet* Page(int index) const { return sheets_[index]; }
  TabSheet* ActivePage() const { return active_; }
  int ActivePageIndex() const;
  void SetActivePage(TabSheet* sheet);
  // Visible tabs, in order (what the user sees on the tab strip).
  std::vector<std::string> TabCaptions() const;
  // Shows the next (or previous) page whose tab is visible, wrapping around,
  // as Ctrl+Tab / Ctrl+PgDn (Ctrl+Shift+Tab / Ctrl+PgUp) do.
  void SelectNextPage(bool forward);
  std::function<void()> OnChange;

  // Window-layer internals.
  void AddSheet(TabSheet* sheet) { sheets_.push_back(sheet); }
  void CreateSheets();
  void MoveSheet(TabSheet* sheet, int index);
  void RebuildTabs();
  // Fits every sheet to the page control's display area.
  void PlaceSheets();
  LRESULT Notify(NMHDR* header, bool& handled) override;

private:
  void PlaceSheet(TabSheet* sheet);
  std::vector<TabSheet*> sheets_;
  TabSheet* active_ = nullptr;
  bool created_ = false;
};

class TabSheet {
public:
  TabSheet(PageControl& pages, int dialogId, bool tabVisible = true);
  TabSheet(const TabSheet&) = delete;
  TabSheet& operator=(const TabSheet&) = delete;

  HWND Handle() const { return hwnd_; }
  const std::string& Caption() const { return caption_; }
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool visible);
  int PageIndex() const;
  void SetPageIndex(int index) { pages_.MoveSheet(this, index); }
  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  // The hint shown over the sheet's own area.
  void SetHint(const std::string& hint);
  const std::string& Hint() const { return hint_; }
  // Which edges of the sheet's controls follow the page as it grows (see
  // layout.h), declared once per page in a table next to it.
  void SetAnchors(const AnchorRule* rules, size_t count) { layout_.SetRules(rules, count); }
  template <size_t N> void SetAnchors(const AnchorRule (&rules)[N]) { SetAnchors(rules, N); }
  // Gives the focus to the first control a Tab would reach on the sheet.
  void FocusFirstInput();
  std::function<void()> OnShow;

  // Window-layer internals.
  void Create(Form* form, HWND parent);
  Form* Owner() const { return form_; }
  void ArrangeControls() { layout_.Arrange(); }

private:
  PageControl& pages_;
  Layout layout_;
  Form* form_ = nullptr;
  std::string hint_;
  int dialogId_;
  bool tabVisible_;
  HWND hwnd_ = nullptr;
  std::string caption_;
};

} // namespace ui
