// Every call that removes or renames an item on disk goes through a Remover,
// and so does the place check before it: the system's for the program, and a
// test may hand an engine its own (one that fails when a simulation removes
// anything). The system's checks each item's place before the call
// (core/location.h): an item whose name leads anywhere but the path asked
// about is left as it is, with ERROR_NOT_SUPPORTED.
#pragma once
#include "core/location.h"

#include <windows.h>

#include <string>
#include <vector>

namespace core {

// An item whose removal the system took but that still stands (Remover::Settle).
struct Unremoved {
  std::string path;  // as it was handed to the removal
  DWORD error = 0;   // kErrorStillThere
};

class Remover {
public:
  virtual ~Remover() = default;
  // Where path's own name leads; it only reads, so a simulation asks it too.
  virtual ItemLocation Locate(const std::string& path) = 0;
  // Locate of each path, the answers in the same order (the system's asks
  // several at once: LocationCheck::OfMany).
  virtual std::vector<ItemLocation> LocateMany(const std::vector<std::string>& paths) {
    std::vector<ItemLocation> answers;
    answers.reserve(paths.size());
    for (const std::string& path : paths) answers.push_back(Locate(path));
    return answers;
  }
  // Takes folder, which the run listed, as a road: from now on every item
  // below it must lie where the folder lies now, followed by the rest of its
  // path (LocationCheck::ListRoad). The answer is the folder's own check.
  virtual ItemLocation ListRoad(const std::string& folder, bool absentCloses = true) = 0;
  // The protected places of the run: from now on the check refuses an item
  // that is, holds or lies where they forbid (LocationCheck::Protect).
  virtual void Protect(std::shared_ptr<ProtectedPlaces> places) = 0;
  // ListRoad of each folder in the order given, taken together while their
  // listing is fresh (LocationCheck::ListRoads); the answers in that order.
  virtual std::vector<ItemLocation> ListRoads(const std::vector<std::string>& folders, bool absentCloses = true) {
    std::vector<ItemLocation> answers;
    for (const std::string& folder : folders) answers.push_back(ListRoad(folder, absentCloses));
    return answers;
  }
  // Whether the item open at handle (one the run has just made, before it
  // writes into it) lies at path by the same rule.
  virtual bool HandleIsAt(HANDLE handle, const std::string& path) = 0;
  // The same answer, asked by a run right before it renames or removes path:
  // the system's keeps the checked item open for that next call, and tells
  // the item's identity, attributes and change time read through it.
  virtual ItemLocation LocateToChange(const std::string& path) { return Locate(path); }
  // Each answers 0 when done, else the system's error.
  virtual DWORD RemoveFile(const std::string& path) = 0;
  virtual DWORD RemoveFolder(const std::string& path) = 0;  // an empty folder
  // A link (junction, symbolic link) as a link, never its target.
  virtual DWORD RemoveLink(const std::string& path) = 0;
  // A move within the same folder; never over an existing item.
  virtual DWORD Rename(const std::string& from, const std::string& to) = 0;
  // Rename, and when done the moment of the item's last change (the change
  // time of FILE_BASIC_INFO, which the rename itself sets) read right after it
  // through the handle that renamed it: changed is set on success only (0 when
  // it cannot be read). Here, read by the new name.
  virtual DWORD RenameStamped(const std::string& from, const std::string& to, LONGLONG& changed);

  // A removal answered 0 was taken by the system, not yet seen done: the
  // system removes an item as the handle it was marked through closes, and
  // under Wine a refusal there (a folder the file system keeps unchanged, a
  // medium turned read-only) is silent; elsewhere another program's handle
  // may keep the name. Settle looks at the disk once for all removals taken
  // since the last Settle, with one listing of each folder that held them (a
  // folder gone: everything in it is gone), and answers those whose name
  // still answers with the item, in the order they were removed; the others
  // are gone. A name that answers with another item (another index or change
  // time than the item read through the handle that removed it) means ours is
  // gone; where the removal read no identity, a name that answers at all
  // stands. A run counts an item removed only once it is settled.
  virtual std::vector<Unremoved> Settle();
  // Whether removals wait to be settled and the last Settle is long enough
  // ago (about a quarter of a second, and at least eight times what that
  // Settle took), so that a run settles as it goes, its counters moving, at
  // the cost of a listing per folder and pause.
  virtual bool SettleDue() const;

protected:
  // Notes path, whose removal the system just took, for the next Settle;
  // stamp: the item's, read through the handle that removed it, when known.
  void Taken(const std::string& path, const ItemStamp* stamp = nullptr);

private:
  struct TakenRemoval {
    std::string path;
    ItemStamp stamp;
  };
  std::vector<TakenRemoval> taken_;
  DWORD settledAt_ = 0;   // GetTickCount of the last Settle (or of the first removal after it)
  DWORD settleCost_ = 0;  // what that Settle took, in ms
};

// Settles remover's removals (Remover::Settle) for outcomes a run holds back
// until then: errors[i] is the outcome of paths[i], and each 0 whose item
// still stands takes the error Settle gives it. Empties neither.
void ApplySettled(Remover& remover, const std::vector<std::string>& paths, std::vector<DWORD>& errors);

// The system's calls, each after the place check made by the call itself, or
// right after LocateToChange on the same path (then through the handle it
// opened); one object serves one run. Where the
// system allows it, the item is removed or renamed through the very handle the
// check opened (delete disposition, rename information), else by today's
// calls by name right after the check.
class SystemRemover : public Remover {
public:
  SystemRemover() = default;
  SystemRemover(const SystemRemover&) = delete;
  SystemRemover& operator=(const SystemRemover&) = delete;
  ~SystemRemover() override;
  ItemLocation Locate(const std::string& path) override;
  std::vector<ItemLocation> LocateMany(const std::vector<std::string>& paths) override;
  ItemLocation ListRoad(const std::string& folder, bool absentCloses = true) override;
  void Protect(std::shared_ptr<ProtectedPlaces> places) override { check_.Protect(std::move(places)); }
  std::vector<ItemLocation> ListRoads(const std::vector<std::string>& folders, bool absentCloses = true) override;
  bool HandleIsAt(HANDLE handle, const std::string& path) override { return check_.HandleIsAt(handle, path); }
  ItemLocation LocateToChange(const std::string& path) override;
  DWORD RemoveFile(const std::string& path) override;
  DWORD RemoveFolder(const std::string& path) override;
  DWORD RemoveLink(const std::string& path) override;
  DWORD Rename(const std::string& from, const std::string& to) override;
  DWORD RenameStamped(const std::string& from, const std::string& to, LONGLONG& changed) override;
  // LocationCheck::ListRoadAsListed on the remover's roads.
  ItemLocation ListRoadAsListed(const std::string& folder, const ItemLocation& listed);
  // The item at path opened with access after the place check, for the
  // caller to act through (a copy reads its source, writes into its folder):
  // handle is the checked handle when the item is here, else
  // INVALID_HANDLE_VALUE (LocationCheck::Open, with its share).
  ItemLocation OpenChecked(const std::string& path, DWORD access, bool filesOnly, HANDLE& handle,
                           DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);

private:
  // The check of path, with the handle to act through when the item is here
  // and could be opened for deleting (else INVALID_HANDLE_VALUE).
  ItemLocation Checked(const std::string& path, bool filesOnly, HANDLE& handle);
  // The stamp LocateToChange read of path through the handle it holds (else unknown).
  ItemStamp HeldStamp(const std::string& path) const;
  // error, noting a removal the system took (0) for the next Settle.
  DWORD TakenIf(DWORD error, const std::string& path, const ItemStamp& stamp);
  void Drop();
  // The rename of Rename and RenameStamped; changed: read after it when given.
  DWORD RenameChecked(const std::string& from, const std::string& to, LONGLONG* changed);
  LocationCheck check_;
  std::string located_;  // the path LocateToChange answered for, until the next call
  ItemLocation answer_;
  HANDLE held_ = INVALID_HANDLE_VALUE;  // LocateToChange's handle of located_
};

// Takes each folder as a road of the run (Remover::ListRoad), each once,
// shallowest first, so that a road inside another is checked along it.
void ListRoads(Remover& remover, std::vector<std::string> folders, bool absentCloses = true);

// Gives the item open at h (with DELETE access) the full path to, never over
// an existing item: 0 when done, else the system's error.
DWORD RenameThroughHandle(HANDLE h, const std::string& to);
// Whether error says the system does not offer a call on a handle (then the
// call by name does the work).
bool UnsupportedOnHandle(DWORD error);

// What RemoveLink would answer, without removing anything (for simulations):
// 0 when the name opens as the link itself, ERROR_NOT_SUPPORTED where the
// system would only follow it (Wine with a Linux link), else the error.
DWORD LinkRemovable(const std::string& path);

} // namespace core
