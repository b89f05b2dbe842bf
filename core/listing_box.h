// The one composer of every box that lists items (what a run kept, what a
// road left out, what an undo could not take back ...). A message box grows
// with its text and has no scroll bar: a box naming thousands of items would
// stand taller than the screen, its caption, its first lines and its buttons
// out of sight. So a box tells every count in full, grouped by reason, names
// the first items of each reason, closes each group with "... and N more",
// and says where the whole list is; the text is cut so that the box, buttons
// included, fits a 1024 x 768 screen at 96 DPI and a 1366 x 768 screen at
// 120 DPI (the height of a box is measured in lines of its font, so one line
// budget holds for both). A box that leaves an item unnamed or cuts a name
// names the place holding every item with its reason: a list of the Visual
// Log that is whole, or else a text file the box saves its lists in.
//
// Window-free: the lines a text takes are estimated from the widest letters
// of the box's font, for any name, and from where a line may break.
#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace core {

// The items one reason stopped: their count in full and their names (more
// names than a box shows; a box whose whole list is saved in a file gives
// them all).
struct ListedGroup {
  std::string reason;               // empty: the items stand under their list's heading alone
  std::vector<std::string> names;   // the items, in the order met
  size_t count = 0;                 // how many in all (never fewer than names)
  size_t Count() const { return count > names.size() ? count : names.size(); }
};

// One list of a box: its heading (shown with the count of all its items) and
// its groups in order. A list with no items is left out of the box.
struct ListedSection {
  std::string heading;  // empty: the groups stand alone
  std::vector<ListedGroup> groups;
  size_t Count() const;
};

// The most lines a box's text may take (estimated as ListingLines does).
constexpr size_t kListingBoxLines = 38;
// The longest name a box shows whole; a longer one keeps its start and its
// end around "...". So does a part of a name between two places a line may
// break (a blank, "\", "-") longer than kListingRunChars: the box never
// grows wider than the screen for it.
constexpr size_t kListingNameChars = 160;
constexpr size_t kListingRunChars = 48;

// The whole text of a box: frame with "{}" replaced by the sections, fitted
// into kListingBoxLines with the frame's own lines, a blank line between the
// lists and the frame's text before and after them (none when no list has
// items; the lists end in a line break when nothing follows them). When an
// item is left unnamed or a name is cut, a last line tells where the whole
// list is: "The whole list : " + where (nothing when where is empty).
// reserved: lines a caller's box adds around this text (a text handed on to
// fill the "{}" of a box's own row).
std::string ListingBoxText(const std::string& frame, const std::vector<ListedSection>& sections,
                           const std::string& where, size_t reserved = 0);
// The same for one list: the groups (reason, names, count) under heading.
std::string ListingBoxText(const std::string& frame, const std::string& heading,
                           const std::vector<ListedGroup>& groups, const std::string& where);

// Where the whole list of a box is, should the box leave an item unnamed or
// cut a name.
struct WholeList {
  // A place of the program holding every item of the box with its reason (a
  // list of the Visual Log, named only while it is whole); empty: none.
  std::string place;
  // Else the box saves its lists, every name whole, in this file of the
  // folder of whole lists (WholeListPath) and names it.
  std::string file;
  // The file's first line: the box it belongs to (its caption).
  std::string title;
  // The frame cuts a name of its own: the whole list is named in any case.
  bool frameCut = false;
};
// A box's text as above, the where line telling WholeList's place or the
// file it saved, or that the file could not be written.
std::string ListingBoxText(const std::string& frame, const std::vector<ListedSection>& sections,
                           const WholeList& whole, size_t reserved = 0);

// The text of a whole-list file: "Whole list : " and title, the frame's text
// before "{}", a line of dashes, and every list with every item under its
// reason, each name whole (a control character as "?"), lines ended by CR LF.
std::string WholeListText(const std::string& title, const std::string& frame,
                          const std::vector<ListedSection>& sections);
// The path file gets in the folder of whole lists: "whole lists" in the
// start-up folder, beside the settings file; in the temp folder when
// inTemp (where a file goes that the start-up folder does not take).
std::string WholeListPath(const std::string& file, bool inTemp = false);
// Writes text (a WholeListText) as file in the folder of whole lists (made
// when missing), replacing only a whole list written there before (a file
// that begins as WholeListText begins): another file of that name stays, and
// the list takes the next free name ("name (2).txt"). In the temp folder's
// when the start-up folder's cannot be written. The path written, empty when
// neither took it.
std::string SaveWholeList(const std::string& file, const std::string& text);

// A name as a box shows it: a control character as "?", a name longer than
// longest cut in its middle ("C:\Data\Proj...\last folder\name.txt"), and
// each part longer than kListingRunChars likewise.
std::string ListedName(const std::string& name, size_t longest = kListingNameChars);
// Whether ListedName cuts name (at its longest by default).
bool ListedNameCut(const std::string& name);

// The lines a text takes in a box, for the widest letters of its font.
size_t ListingLines(const std::string& text);

// Items gathered by reason, in the order each reason was first met: every
// count in full, every name of each reason.
class ListedGroups {
public:
  void Add(const std::string& name, const std::string& reason = std::string());
  // Adds count items of reason at once, naming none.
  void AddCount(const std::string& reason, size_t count);
  size_t Count() const { return total_; }
  bool Empty() const { return total_ == 0; }
  const std::vector<ListedGroup>& Groups() const { return groups_; }

private:
  ListedGroup& GroupOf(const std::string& reason);
  std::vector<ListedGroup> groups_;
  std::unordered_map<std::string, size_t> index_;
  size_t total_ = 0;
};

} // namespace core
