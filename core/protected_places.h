// The folders no rename, delete or copy may touch, known by what they are:
// each by its identity (the volume's serial number and its index there) and
// by the place the system names it by, with the identities of the folders
// holding it up to its root. Whatever spelling reaches one (another drive
// letter naming the same disk, a link, a junction, a short name), every
// folder on a line's road is opened and compared, so a line that is one,
// holds one or lies inside one protected with its insides is known as such.
// One object serves one pass or one run: it keeps what it learnt of each
// folder it opened, and is used from one thread.
#pragma once
#include "core/casefold.h"
#include "core/file_identity.h"

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace core {

struct ProtectedPlace {
  std::string path;     // as the machine names it
  bool inside = false;  // everything inside it is protected too
};

class ProtectedPlaces {
public:
  ProtectedPlaces() = default;
  // Opens each place (and each folder holding it); a place that cannot be
  // opened is known by its text alone (the callers compare that too).
  explicit ProtectedPlaces(const std::vector<ProtectedPlace>& places);
  ~ProtectedPlaces();
  ProtectedPlaces(const ProtectedPlaces&) = delete;
  ProtectedPlaces& operator=(const ProtectedPlaces&) = delete;

  // While one lives, the folders holding those Refusal is asked of stay open
  // for listing, so lines checked one after another in one folder cost one
  // handle; they close when the last one goes, so no folder of the user's is
  // held open beyond the lines' check. Without one each folder is opened.
  class HeldListings {
  public:
    explicit HeldListings(ProtectedPlaces* places) : places_(places) {
      if (places_) ++places_->holding_;
    }
    ~HeldListings() {
      if (places_ && --places_->holding_ == 0) places_->CloseListings();
    }
    HeldListings(const HeldListings&) = delete;
    HeldListings& operator=(const HeldListings&) = delete;

  private:
    ProtectedPlaces* places_;
  };

  // Why the folder at path (a full path, "X:\..." or "\\server\share\...",
  // without trailing backslashes but a root's) must be left, judged by the
  // identity of every folder on its road, each opened as the system leads to
  // it: "the protected folder P", "it lies inside the protected folder P", or
  // "it holds the protected folder P" (not asked of a drive or share root when
  // rootTaken, nor of any folder without holders); empty when nothing stops it.
  std::string Refusal(const std::string& path, bool rootTaken = false, bool holders = true);

  // The place check's rules, on places as the system names them (resolved):
  // an item a run acts on must not be a protected folder, hold one, lie
  // inside one protected with its insides, nor lie inside any other one that
  // its road (the folder the run listed, found at road; empty for none) does
  // not lie inside (the run came in through a folder holding it).
  bool ItemRefused(const std::string& resolved, const std::string& road) const;
  // A road (a folder a run listed) must not be nor lie inside a place
  // protected with its insides: nothing below it is then reached.
  bool RoadRefused(const std::string& resolved, const FileIdentity& identity) const;

private:
  struct Place {
    std::string path, resolved;  // resolved: empty when it could not be opened
    FileIdentity identity;
    bool inside = false;
  };
  // A folder on a road whose index is one of the places' or their holders'.
  struct Match {
    size_t place;
    bool holder;  // false: the place itself
  };
  struct Known {
    bool opened = false;
    std::vector<Match> matches;
  };
  const Known& Open(const std::string& folder);
  // The index of folder as the folder holding it lists it, when it is listed
  // there as a plain folder (no link); false otherwise.
  bool ListedIndex(const std::string& folder, FileIdentity& index);
  // Records a folder holding place (not the place itself), once.
  void AddHolder(size_t place, const FileIdentity& identity);

  std::vector<Place> places_;
  // Index (high, low) -> the identities carrying it, with what they are.
  std::multimap<std::pair<DWORD, DWORD>, std::pair<FileIdentity, Match>> byIndex_;
  std::unordered_map<std::string, Known, FoldedHash, FoldedEqual> known_;
  void CloseListings();
  // The folders holding those asked of, open for listing while held.
  std::unordered_map<std::string, HANDLE, FoldedHash, FoldedEqual> parents_;
  unsigned holding_ = 0;
};

// The folder paths of path from its root down to path itself: "C:\",
// "C:\a", "C:\a\b"; "\\srv\share\", "\\srv\share\a". Empty for a path with
// no drive part.
std::vector<std::string> RoadFolders(const std::string& path);

} // namespace core
