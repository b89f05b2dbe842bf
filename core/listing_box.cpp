#include "core/listing_box.h"

#include "core/settings_store.h"

#include <windows.h>

#include <cstring>

namespace core {

namespace {

// The widest a letter can be, in pixels of the box's font at 96 DPI (8-point
// "MS Shell Dlg"); at 120 DPI the letters and the box's line grow alike.
int LetterWidth(unsigned char c) {
  if (c >= 0x80) return 15;  // any letter of the code page (the per mille sign is the widest)
  if (c == ' ') return 4;
  if (c == '\t') return 64;
  if (std::strchr("@Wm%", c)) return 11;
  if (std::strchr("#&+<=>GMOQ^w~", c)) return 9;
  return 8;
}
// The width a box's text wraps at (the text of a message box is 306 pixels wide).
constexpr int kLineWidth = 300;

bool BreaksAfter(char c) { return c == ' ' || c == '\\' || c == '-'; }

// The lines one line of text (no line break in it) takes: a line breaks
// after a blank, a "\" or a "-"; a part that does not fit where the line
// stands goes whole to the next line; a part wider than a whole line takes
// the lines it fills when broken between its letters, and two at least (a
// part the system does not break widens the box and takes two).
size_t LinesOfLine(const std::string& line, size_t from, size_t to) {
  size_t lines = 1;
  int x = 0;
  for (size_t i = from; i < to;) {
    int part = 0;
    size_t end = i;
    while (end < to) {
      const char c = line[end++];
      part += LetterWidth(static_cast<unsigned char>(c));
      if (BreaksAfter(c)) break;
    }
    // Blanks at the end of a line take no room.
    int trailing = 0;
    for (size_t b = end; b > i && line[b - 1] == ' '; --b) trailing += LetterWidth(' ');
    if (x + part - trailing > kLineWidth && x > 0) {
      ++lines;
      x = 0;
    }
    if (part - trailing > kLineWidth) {
      const int width = part - trailing;
      lines += width > 2 * kLineWidth ? static_cast<size_t>((width + kLineWidth - 1) / kLineWidth) - 1 : 1;
      x = kLineWidth;  // what follows starts a new line
    } else {
      x += part;
    }
    i = end;
  }
  return lines;
}

std::string Indent(size_t n) { return std::string(n, ' '); }

// A group as the box shows it.
struct Shown {
  const ListedGroup* group;
  size_t reasonIndent = 0, nameIndent = 0;
  size_t names = 0;  // how many of its names
};

struct SectionPlan {
  const ListedSection* section;
  std::vector<Shown> groups;  // the first groups of the section
};

std::string ReasonLine(const Shown& s) {
  return Indent(s.reasonIndent) + ListedName(s.group->reason) + " : " +
         std::to_string(s.group->Count());
}
std::string NameLine(const Shown& s, size_t k) { return Indent(s.nameIndent) + ListedName(s.group->names[k]); }
std::string MoreLine(const Shown& s) {
  return Indent(s.nameIndent) + "... and " + std::to_string(s.group->Count() - s.names) + " more";
}

} // namespace

size_t ListedSection::Count() const {
  size_t n = 0;
  for (const ListedGroup& g : groups) n += g.Count();
  return n;
}

namespace {

// text cut in its middle to longest characters.
std::string CutMiddle(const std::string& text, size_t longest) {
  if (text.size() <= longest) return text;
  const size_t keep = longest - 3;
  const size_t head = keep / 2;
  return text.substr(0, head) + "..." + text.substr(text.size() - (keep - head));
}

} // namespace

std::string ListedName(const std::string& name, size_t longest) {
  std::string whole = name;
  for (char& c : whole)
    if (static_cast<unsigned char>(c) < 32) c = '?';
  whole = CutMiddle(whole, longest < 8 ? 8 : longest);
  std::string out;
  for (size_t i = 0; i < whole.size();) {
    size_t end = i;
    while (end < whole.size() && !BreaksAfter(whole[end])) ++end;
    out += CutMiddle(whole.substr(i, end - i), kListingRunChars);
    if (end < whole.size()) out += whole[end++];
    i = end;
  }
  return out;
}

size_t ListingLines(const std::string& text) {
  size_t lines = 0, start = 0;
  for (;;) {
    const size_t end = text.find('\n', start);
    const size_t stop = end == std::string::npos ? text.size() : end;
    lines += LinesOfLine(text, start, stop);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

namespace {

// Whether a box shows name cut (ListedName; a control character shown as
// "?" is no cut).
bool NameIsCut(const std::string& name) {
  if (name.size() > kListingNameChars) return true;
  size_t run = 0;
  for (char c : name) {
    if (BreaksAfter(c)) run = 0;
    else if (++run > kListingRunChars) return true;
  }
  return false;
}

// The box's text (ListingBoxText); partial, when given, is set when an item
// is left unnamed or a name is cut.
// force: the where line is given whatever the box names.
std::string Compose(const std::string& frame, const std::vector<ListedSection>& sections, const std::string& where,
                    size_t reserved, bool force, bool* partial) {
  const size_t at = frame.find("{}");
  const std::string before = at == std::string::npos ? frame : frame.substr(0, at);
  const std::string after = at == std::string::npos ? std::string() : frame.substr(at + 2);
  const std::string whereLine = where.empty() ? std::string() : "The whole list : " + where;

  // What is left of the box for the lists, a line kept for where a list
  // stops and the lines join the frame's.
  const size_t fixed =
      ListingLines(before + after) + (whereLine.empty() ? 0 : ListingLines(whereLine) + 1) + 1 + reserved;
  long room = static_cast<long>(kListingBoxLines) - static_cast<long>(fixed);

  std::vector<SectionPlan> plans;
  for (const ListedSection& s : sections) {
    if (s.Count() == 0) continue;
    if (!plans.empty()) room -= 1;  // a blank line between two lists
    if (!s.heading.empty()) room -= static_cast<long>(ListingLines(s.heading + " : " + std::to_string(s.Count())));
    size_t withItems = 0;
    for (const ListedGroup& g : s.groups) withItems += g.Count() > 0;
    if (withItems > 1) room -= 1;  // "... and N more reasons", should some not fit
    plans.push_back({&s, {}});
  }

  // The groups, the first of every list first: each its reason line, its
  // first item and the line that tells how many are not named.
  std::vector<size_t> next(plans.size(), 0);
  std::vector<bool> closed(plans.size(), false);
  for (bool added = true; added;) {
    added = false;
    for (size_t p = 0; p < plans.size(); ++p) {
      const ListedSection& s = *plans[p].section;
      while (!closed[p] && next[p] < s.groups.size() && s.groups[next[p]].Count() == 0) ++next[p];
      if (closed[p] || next[p] >= s.groups.size()) continue;
      Shown shown{&s.groups[next[p]]};
      const size_t base = s.heading.empty() ? 0 : 3;
      shown.reasonIndent = base;
      shown.nameIndent = shown.group->reason.empty() ? base : base + 3;
      const bool named = !shown.group->names.empty();
      const long cost = (shown.group->reason.empty() ? 0 : static_cast<long>(ListingLines(ReasonLine(shown)))) +
                        (named ? static_cast<long>(ListingLines(NameLine(shown, 0))) : 0) +
                        (named && shown.group->Count() > 1 ? 1 : 0);
      if (cost > room) {
        closed[p] = true;
        continue;
      }
      room -= cost;
      shown.names = named ? 1 : 0;
      plans[p].groups.push_back(shown);
      ++next[p];
      added = true;
    }
  }

  // The names, the first of every group first; the last name of a group
  // takes the place of its "... and N more" line.
  std::vector<Shown*> order;
  for (SectionPlan& plan : plans)
    for (Shown& g : plan.groups) order.push_back(&g);
  std::vector<bool> full(order.size(), false);
  for (bool added = true; added;) {
    added = false;
    for (size_t k = 0; k < order.size(); ++k) {
      Shown& g = *order[k];
      if (full[k] || g.names >= g.group->names.size()) continue;
      const bool last = g.names + 1 == g.group->Count();
      const long cost = static_cast<long>(ListingLines(NameLine(g, g.names))) - (last ? 1 : 0);
      if (cost > room) {
        full[k] = true;
        continue;
      }
      room -= cost;
      ++g.names;
      added = true;
    }
  }

  std::string text;
  bool leftOut = false, cut = false;
  for (const SectionPlan& plan : plans) {
    const ListedSection& s = *plan.section;
    if (!text.empty()) text += "\n\n";
    std::string lines;
    auto line = [&lines](const std::string& l) {
      if (!lines.empty()) lines += "\n";
      lines += l;
    };
    if (!s.heading.empty()) line(s.heading + " : " + std::to_string(s.Count()));
    size_t groupsWithItems = 0, itemsShownInGroups = 0;
    for (const ListedGroup& g : s.groups) groupsWithItems += g.Count() > 0;
    for (const Shown& g : plan.groups) {
      itemsShownInGroups += g.group->Count();
      if (!g.group->reason.empty()) line(ReasonLine(g));
      cut = cut || NameIsCut(g.group->reason);
      for (size_t k = 0; k < g.names; ++k) {
        line(NameLine(g, k));
        cut = cut || NameIsCut(g.group->names[k]);
      }
      if (g.names < g.group->Count()) {
        leftOut = true;
        if (g.names > 0) line(MoreLine(g));
      }
    }
    if (plan.groups.size() < groupsWithItems) {
      leftOut = true;
      const size_t more = groupsWithItems - plan.groups.size();
      line(Indent(s.heading.empty() ? 0 : 3) + "... and " + std::to_string(more) + " more reason" +
           (more == 1 ? "" : "s") + " : " + std::to_string(s.Count() - itemsShownInGroups));
    }
    text += lines;
  }
  if (partial) *partial = leftOut || cut;
  if ((leftOut || cut || force) && !whereLine.empty()) text += "\n\n" + whereLine;
  if (text.empty()) return before + after;
  // The lists stand apart from the text around them by a blank line.
  auto newlines = [](const std::string& s, bool atEnd) {
    size_t n = 0;
    while (n < s.size() && s[atEnd ? s.size() - 1 - n : n] == '\n') ++n;
    return n;
  };
  std::string out = before;
  if (!before.empty()) out.append(newlines(before, true) < 2 ? 2 - newlines(before, true) : 0, '\n');
  out += text;
  if (!after.empty()) out.append(newlines(after, false) < 2 ? 2 - newlines(after, false) : 0, '\n');
  // Every line of a list ends in a line break, the last too.
  if (after.empty()) out += "\n";
  return out + after;
}

} // namespace

bool ListedNameCut(const std::string& name) { return NameIsCut(name); }

std::string ListingBoxText(const std::string& frame, const std::vector<ListedSection>& sections,
                           const std::string& where, size_t reserved) {
  return Compose(frame, sections, where, reserved, false, nullptr);
}

std::string ListingBoxText(const std::string& frame, const std::string& heading,
                           const std::vector<ListedGroup>& groups, const std::string& where) {
  return ListingBoxText(frame, std::vector<ListedSection>{{heading, groups}}, where);
}

ListedGroup& ListedGroups::GroupOf(const std::string& reason) {
  auto found = index_.find(reason);
  if (found != index_.end()) return groups_[found->second];
  index_.emplace(reason, groups_.size());
  groups_.push_back(ListedGroup{reason, {}, 0});
  return groups_.back();
}

void ListedGroups::Add(const std::string& name, const std::string& reason) {
  ListedGroup& g = GroupOf(reason);
  g.names.push_back(name);
  ++g.count;
  ++total_;
}

void ListedGroups::AddCount(const std::string& reason, size_t count) {
  if (count == 0) return;
  ListedGroup& g = GroupOf(reason);
  g.count += count;
  total_ += count;
}

// ---- The whole list, saved ---------------------------------------------------------

namespace {

// The first words of every whole-list file: a file that begins otherwise is not one.
const char kWholeListMark[] = "Whole list : ";
const char kWholeListFolder[] = "whole lists";

std::string Plain(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 32) c = '?';
  return text;
}

std::string WithoutTrailingBackslash(std::string folder) {
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

// Whether the file at path begins as a whole list does (one the program wrote).
bool IsWholeList(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  char start[sizeof kWholeListMark - 1];
  DWORD read = 0;
  const bool plain = GetFileInformationByHandle(h, &info) &&
                     !(info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY));
  const bool ours = plain && ReadFile(h, start, sizeof start, &read, nullptr) && read == sizeof start &&
                    std::memcmp(start, kWholeListMark, sizeof start) == 0;
  CloseHandle(h);
  return ours;
}

// Writes text into a new file at path, or over a whole list written there
// before; ERROR_FILE_EXISTS when another file holds the name.
DWORD WriteWholeList(const std::string& path, const std::string& text) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return error;
    if (!IsWholeList(path)) return ERROR_FILE_EXISTS;
    h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT,
                    nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError();
  }
  DWORD written = 0;
  const bool whole = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                     written == text.size();
  const DWORD error = whole ? 0 : (GetLastError() ? GetLastError() : ERROR_WRITE_FAULT);
  CloseHandle(h);
  return error;
}

// The folder of whole lists below folder, made when missing; empty when it
// cannot be had (a file or a link holds its name).
std::string WholeListFolder(const std::string& folder) {
  const std::string dir = folder + "\\" + kWholeListFolder;
  if (CreateDirectoryA(dir.c_str(), nullptr)) return dir;
  if (GetLastError() != ERROR_ALREADY_EXISTS) return std::string();
  const DWORD a = GetFileAttributesA(dir.c_str());
  if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY) || (a & FILE_ATTRIBUTE_REPARSE_POINT))
    return std::string();
  return dir;
}

std::string BaseFolder(bool inTemp) {
  if (!inTemp) return WithoutTrailingBackslash(Settings().GetStartupDirectory());
  char buffer[MAX_PATH + 1];
  const DWORD n = GetTempPathA(sizeof buffer, buffer);
  return n > 0 && n < sizeof buffer ? WithoutTrailingBackslash(std::string(buffer, n)) : std::string();
}

// "name (k).txt" for the k-th try of file "name.txt".
std::string NumberedName(const std::string& file, int k) {
  if (k == 1) return file;
  const size_t dot = file.find_last_of('.');
  const std::string stem = dot == std::string::npos ? file : file.substr(0, dot);
  const std::string ext = dot == std::string::npos ? std::string() : file.substr(dot);
  return stem + " (" + std::to_string(k) + ")" + ext;
}

} // namespace

std::string WholeListText(const std::string& title, const std::string& frame,
                          const std::vector<ListedSection>& sections) {
  std::string out = kWholeListMark + Plain(title) + "\r\n\r\n";
  std::string before = frame.substr(0, frame.find("{}"));
  while (!before.empty() && (before.back() == '\n' || before.back() == ' ')) before.pop_back();
  if (!before.empty()) {
    for (char c : before) {
      if (c == '\n') out += "\r\n";
      else out += static_cast<unsigned char>(c) < 32 ? '?' : c;
    }
    out += "\r\n\r\n";
  }
  // The lists stand below a line of their own.
  out += std::string(40, '-') + "\r\n\r\n";
  bool first = true;
  for (const ListedSection& s : sections) {
    if (s.Count() == 0) continue;
    if (!first) out += "\r\n";
    first = false;
    const size_t base = s.heading.empty() ? 0 : 3;
    if (!s.heading.empty()) out += Plain(s.heading) + " : " + std::to_string(s.Count()) + "\r\n";
    for (const ListedGroup& g : s.groups) {
      if (g.Count() == 0) continue;
      const size_t names = g.reason.empty() ? base : base + 3;
      if (!g.reason.empty()) out += Indent(base) + Plain(g.reason) + " : " + std::to_string(g.Count()) + "\r\n";
      for (const std::string& name : g.names) out += Indent(names) + Plain(name) + "\r\n";
      if (g.Count() > g.names.size())
        out += Indent(names) + "... and " + std::to_string(g.Count() - g.names.size()) + " more, not named\r\n";
    }
  }
  return out;
}

std::string WholeListPath(const std::string& file, bool inTemp) {
  return BaseFolder(inTemp) + "\\" + kWholeListFolder + "\\" + file;
}

std::string SaveWholeList(const std::string& file, const std::string& text) {
  for (bool inTemp : {false, true}) {
    const std::string base = BaseFolder(inTemp);
    if (base.empty()) continue;
    const std::string folder = WholeListFolder(base);
    if (folder.empty()) continue;
    for (int k = 1; k <= 100; ++k) {
      const std::string path = folder + "\\" + NumberedName(file, k);
      const DWORD error = WriteWholeList(path, text);
      if (error == 0) return path;
      if (error != ERROR_FILE_EXISTS) break;
    }
  }
  return std::string();
}

std::string ListingBoxText(const std::string& frame, const std::vector<ListedSection>& sections,
                           const WholeList& whole, size_t reserved) {
  // A box that names every item whole keeps the room a where line would take.
  bool partial = false;
  if (!whole.frameCut) {
    const std::string all = Compose(frame, sections, "", reserved, false, &partial);
    if (!partial) return all;
  }
  // Else it is composed naming the place, or the file where it is most
  // likely to be written (the line it takes is then the line it keeps).
  const std::string expected = whole.place.empty() ? WholeListPath(whole.file) : whole.place;
  const std::string text = Compose(frame, sections, expected, reserved, whole.frameCut, &partial);
  if (!whole.place.empty()) return text;
  const std::string saved = SaveWholeList(whole.file, WholeListText(whole.title, frame, sections));
  if (saved == expected) return text;
  return Compose(frame, sections,
                 saved.empty() ? "not saved: no text file could be written in the start-up folder nor in the "
                                 "temp folder."
                               : saved,
                 reserved, whole.frameCut, nullptr);
}

} // namespace core
