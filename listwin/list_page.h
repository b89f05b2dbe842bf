// What the list windows need of a page whose include list they fill, edit or
// show: its lists and counters, its own acceptance rule and its refresh. Each
// page gives one such description; the windows hold no page-specific code.
#pragma once
#include "core/listing_box.h"
#include "ui/controls.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// The roads by which an entry reaches a page's include list. A page has one
// acceptance rule for all of them: it tells the user why with its own box on
// the roads where one entry is judged at a time (Add and "<"); on the bulk
// roads (a list file, Smart Import, the editor's OK, the hand-backs, "<<" and
// the in-page level builder's Build a List) it hands the reason back, the road
// skips the entry and goes on (unless the page ends the road with a box of its
// own, Verdict::Stop), and it ends with one box that names every entry it did
// not take (LeftOut).
enum class ListRoad { Add, Move, MoveAll, ListFile, SmartImport, Editor, HandBack, LevelBuilder };
inline bool RoadTellsRefusal(ListRoad road) { return road == ListRoad::Add || road == ListRoad::Move; }

// The rule's answer for one entry.
struct Verdict {
  bool taken = true;
  std::string reason;  // why not, as the closing box of a bulk road names it
  bool stop = false;   // the road ends here (the page has shown its own box)
  static Verdict Take() { return Verdict(); }
  static Verdict Refuse(std::string why) { return Verdict{false, std::move(why), false}; }
  static Verdict Stop(std::string why) { return Verdict{false, std::move(why), true}; }
};

// Judges the entries of one pass of a road (each trimmed, not blank), in order.
using EntryJudge = std::function<Verdict(const std::string& entry)>;

// The entries a bulk road left out, each with its reason, for its one closing
// box: how many, how many for each reason and the first entries of each
// (core::ListingBoxText); when the box cannot name them all, it saves them
// all with their reasons in the whole list "entries not taken.txt" and names
// that file.
class LeftOut {
public:
  static constexpr const char* kFile = "entries not taken.txt";
  // The lines the boxes that show Text add around it ("Not every entry was
  // added to the INCLUDE list !" and a blank line).
  static constexpr size_t kBoxLines = 3;
  void Add(const std::string& entry, const std::string& reason);
  size_t Count() const { return left_.Count(); }
  // A road that tells how many entries it added too (its box then says so first).
  void SetAdded(size_t added) { added_ = added, addedKnown_ = true; }
  // The first line of the whole list saved (the box's own first words or caption).
  void SetTitle(std::string title) { title_ = std::move(title); }
  // "3 entries not taken :" and, by reason, how many and the first entries
  // (after "2 entries added." when the road told it).
  std::string Text() const;
  // The whole text of a box of its own: frame with "{}" where Text goes.
  std::string BoxText(const std::string& frame) const;

private:
  std::string Compose(const std::string& frame, size_t reserved) const;
  core::ListedGroups left_;
  std::string title_ = "Not every entry was added to the INCLUDE list !";
  size_t added_ = 0;
  bool addedKnown_ = false;
};

struct ListPageDescription {
  ui::Form* form = nullptr;          // the window that holds the page (locked while copying)
  ui::ListBox* include = nullptr;    // sorted include list
  ui::ListBox* exclude = nullptr;    // exclude list
  ui::Label* includeCount = nullptr; // the include count label
  ui::ProgressBar* progress = nullptr;
  // Captions of the page's "Empty Result List in the File Import Window!"
  // warning after the smart import window and after the subfolder list builder.
  std::string emptyImportCaption, emptyBuilderCaption;
  // Imported items are cut into pieces at each drive start first.
  bool splitAtDrives = false;
  // The page's one rule: for a road, the judge of one pass over its entries.
  // Entries the judge took count as listed for the rest of the pass; on the
  // editor's road the include list being replaced counts for nothing (the
  // editor's lines are judged as a whole new list). Null: every entry.
  std::function<EntryJudge(ListRoad road)> rule;
  EntryJudge Judge(ListRoad road) const;
  // The page's closing box of a bulk road that left entries out (text: LeftOut::Text).
  std::function<void(const std::string& text)> tellLeftOut;
  // Shows that box when the road left anything out.
  void TellLeftOut(const LeftOut& left) const;
};

// Disables every enabled control of a form while a loop that processes pending
// messages runs, and enables them again when it ends.
class CommandLock {
public:
  explicit CommandLock(ui::Form& form);
  ~CommandLock();
  CommandLock(const CommandLock&) = delete;
  CommandLock& operator=(const CommandLock&) = delete;

private:
  std::vector<HWND> disabled_;
};
