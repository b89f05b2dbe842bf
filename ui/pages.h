// Page control: a tab control whose sheets are child dialogs of the form. A
// sheet's tab may be hidden; sheets can be moved, enabled and disabled whole.
//
// A sheet's window is built when it first shows (the first sheet as the form
// first shows, once the form has its size), in idle time (Application::Run),
// or the moment anything asks for it or for one of its controls
// (Control::Handle); its tab's caption and the controls it holds are read from
// its layout without building it. Whatever asks sees the sheet exactly as if
// it had been built with the window: the work the form queued for it
// (WhenBuilt) has run.
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
  // The sheet in view (none before the form first shows, unless one was chosen).
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
  // Lays out the tab strip; no sheet is built yet.
  void CreateSheets();
  // Shows (and builds) the layout's first sheet if no sheet is active yet (the
  // form does it as it shows).
  void ShowFirstPage();
  // Builds a sheet's window now, if the form's window exists.
  void BuildSheet(TabSheet* sheet);
  // Builds the first sheet still to be built; false when none waits.
  bool BuildNextWaitingSheet();
  // The sheet still to be built whose layout holds the control id, if any.
  TabSheet* WaitingSheetHolding(int id) const;
  void MoveSheet(TabSheet* sheet, int index);
  void RebuildTabs();
  // Fits every sheet to the page control's display area.
  void PlaceSheets();
  LRESULT Notify(NMHDR* header, bool& handled) override;
  bool Paint() override;

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

  // The sheet's window; asking for it builds the sheet.
  HWND Handle() const {
    Build();
    return hwnd_;
  }
  // The window if it is built, without building it.
  HWND BuiltHandle() const { return hwnd_; }
  bool Built() const { return hwnd_ != nullptr; }
  void Build() const;
  // Runs fn once the sheet's window is built and its controls bound: at once
  // when it is, else right after it is built (in the order given).
  void WhenBuilt(std::function<void()> fn);
  // The layout's caption (the tab's text).
  const std::string& Caption() const;
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
  // Runs the work queued by WhenBuilt (the page control calls it once the
  // sheet's controls are bound).
  void RunWhenBuilt();
  Form* Owner() const { return form_; }
  void ArrangeControls() { layout_.Arrange(); }
  // Whether the sheet's layout holds a control with this id.
  bool Holds(int id) const;

private:
  void ReadLayout() const;

  PageControl& pages_;
  Layout layout_;
  Form* form_ = nullptr;
  std::string hint_;
  int dialogId_;
  bool tabVisible_;
  bool enabled_ = true;  // the state a sheet not built yet takes when it is
  HWND hwnd_ = nullptr;
  std::vector<std::function<void()>> whenBuilt_;
  // From the layout, read once.
  mutable bool layoutRead_ = false;
  mutable std::string caption_;
  mutable std::vector<int> ids_;
};

} // namespace ui
