// Main menu items declared on a form; the menu bar is rebuilt from them when
// an item's caption, visibility or enabled state changes.
#pragma once
#include "ui/form.h"

#include <functional>
#include <string>

namespace ui {

class MenuItem {
public:
  // parent nullptr: an item of the menu bar. shortcut: a virtual key with
  // FCONTROL/FSHIFT/FALT in modifiers (0: none).
  MenuItem(Form* form, int id, MenuItem* parent, const std::string& caption,
           bool visible = true, bool enabled = true, WORD shortcut = 0, BYTE modifiers = 0);
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  int Id() const { return id_; }
  MenuItem* Parent() const { return parent_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  WORD Shortcut() const { return shortcut_; }
  BYTE Modifiers() const { return modifiers_; }
  std::string Hint;
  // Runs the item as a user's choice would.
  void Click();
  std::function<void()> OnClick;

private:
  Form* form_;
  int id_;
  MenuItem* parent_;
  std::string caption_;
  bool visible_;
  bool enabled_;
  WORD shortcut_;
  BYTE modifiers_;
};

} // namespace ui
