#include "listwin/list_page.h"

#include <windows.h>

namespace {

// An entry as a box can show it: control characters as "?", a long one cut.
std::string Shown(const std::string& entry) {
  constexpr size_t kLongest = 120;
  std::string out = entry.size() > kLongest ? entry.substr(0, kLongest) + "..." : entry;
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 32) c = '?';
  return out;
}

} // namespace

void LeftOut::Add(const std::string& entry, const std::string& reason) {
  ++count_;
  if (named_.size() < kNamed) named_.emplace_back(Shown(entry), reason);
}

std::string LeftOut::Text() const {
  std::string out;
  if (addedKnown_) out = std::to_string(added_) + (added_ == 1 ? " entry" : " entries") + " added.\n";
  out += std::to_string(count_) + (count_ == 1 ? " entry" : " entries") + " not taken :\n";
  for (const auto& [entry, reason] : named_) out += "\n   " + entry + "   (" + reason + ")";
  if (count_ > named_.size()) out += "\n   ... and " + std::to_string(count_ - named_.size()) + " more";
  return out + "\n";
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
