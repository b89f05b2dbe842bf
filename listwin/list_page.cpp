#include "listwin/list_page.h"

#include <windows.h>

void LeftOut::Add(const std::string& entry, const std::string& reason) { left_.Add(entry, reason); }

std::string LeftOut::Text() const { return Compose("{}", kBoxLines); }

std::string LeftOut::BoxText(const std::string& frame) const { return Compose(frame, 0); }

std::string LeftOut::Compose(const std::string& frame, size_t reserved) const {
  std::string lead;
  if (addedKnown_) lead = std::to_string(added_) + (added_ == 1 ? " entry" : " entries") + " added.\n";
  const size_t count = left_.Count();
  lead += std::to_string(count) + (count == 1 ? " entry" : " entries") + " not taken :\n";
  const size_t at = frame.find("{}");
  const std::string framed = at == std::string::npos ? frame : frame.substr(0, at) + lead + frame.substr(at);
  return core::ListingBoxText(framed, {{"", left_.Groups()}}, core::WholeList{"", kFile, title_}, reserved);
}

EntryJudge ListPageDescription::Judge(ListRoad road) const {
  if (rule) return rule(road);
  return [](const std::string&) { return Verdict::Take(); };
}

void ListPageDescription::TellLeftOut(const LeftOut& left) const {
  if (left.Count() > 0 && tellLeftOut) tellLeftOut(left.Text());
}

CommandLock::CommandLock(ui::Form& form) {
  // The form's own children only: a disabled sheet or group covers what it holds.
  for (HWND child = GetWindow(form.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowEnabled(child)) disabled_.push_back(child);
  for (HWND h : disabled_) EnableWindow(h, FALSE);
}

CommandLock::~CommandLock() {
  for (HWND h : disabled_)
    if (IsWindow(h)) EnableWindow(h, TRUE);
}
