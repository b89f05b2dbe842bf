#include "ui/menu.h"

#include "ui/application.h"

namespace ui {

MenuItem::MenuItem(Form* form, int id, MenuItem* parent, const std::string& caption, bool visible,
                   bool enabled, WORD shortcut, BYTE modifiers)
    : form_(form), id_(id), parent_(parent), caption_(caption), visible_(visible),
      enabled_(enabled), shortcut_(shortcut), modifiers_(modifiers) {
  form_->Register(this);
}

void MenuItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  form_->RebuildMenu();
}

void MenuItem::SetVisible(bool visible) {
  visible_ = visible;
  form_->RebuildMenu();
}

void MenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  form_->RebuildMenu();
}

void MenuItem::Click() {
  if (!enabled_ || !OnClick) return;
  App().SafeCall(OnClick);
}

} // namespace ui
