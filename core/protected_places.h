// The folders no rename, delete or copy may touch, known by what they are:
// each by its identity (the volume's serial number and its index there) and
// by the place the system names it by, with the identities of the folders
// holding it up to its root. Whatever spelling reaches one (another drive
// letter naming the same disk, a link, a junction, a short name), every
// folder on a line's road is opened and compared, so a line that is one,
// holds one or lies inside one protected with its insides is known as such.
// A drive's root may itself lie inside a protected folder (a letter made as
// SUBST makes one, under Wine a link naming a folder inside the Windows
// folder): the folders above it, past the root, are known by climbing from
// it, once per drive, and everything on that drive then lies inside.
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

  // While one lives, the folders holding those Refusal is asked of are listed
  // (once for several lines in one folder, those lines' names only) and the
  // listings kept, so lines checked one after another in one folder cost no
  // handle each; they are forgotten when the last one goes. Without one each
  // folder is opened.
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
  // A drive whose root lies inside a place protected with its insides, or
  // whose folders above its root cannot be read, is refused as a whole.
  std::string Refusal(const std::string& path, bool rootTaken = false, bool holders = true);

  // The place check's rules, on places as the system names them (resolved):
  // an item a run acts on must not be a protected folder, hold one, lie
  // inside one protected with its insides, nor lie inside any other one that
  // its road (the folder the run listed, found at road; empty for none) does
  // not lie inside (the run came in through a folder holding it). Nor may it
  // lie on a drive refused as a whole: the drive's root is opened again
  // whenever the items asked of move to another folder, and climbed from
  // again when it is another folder now (the letter was mapped elsewhere).
  bool ItemRefused(const std::string& resolved, const std::string& road);
  // A road (a folder a run listed) must not be nor lie inside a place
  // protected with its insides, nor lie on a drive refused as a whole (its
  // root checked as for an item): nothing below it is then reached.
  bool RoadRefused(const std::string& resolved, const FileIdentity& identity);

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
  // What lies above a drive's root: nothing protected, a place protected
  // with its insides (itself: the root is that place), or the folders above
  // it could not be read.
  struct RootVerdict {
    enum What { Clear, Inside, Unknown } what = Clear;
    size_t place = 0;
    bool itself = false;
  };
  struct RootSeen {
    bool known = false;
    FileIdentity index;   // the root's index when climbed from (unknown: not opened)
    std::string folder;   // the folder of the last item checked on the drive
    RootVerdict verdict;
  };
  // The verdict on root, climbed from once; with folder (the folder of an
  // item on the drive) the root's index is read again when the folder is not
  // the last one asked about, and the climb made again when it changed.
  const RootVerdict& RootOf(const std::string& root, const std::string& folder = std::string());
  // RootOf the drive of an item found at resolved, with the folder holding it.
  const RootVerdict* RootOfItem(const std::string& resolved);
  // The climb from the folder open at h (for listing), whose index is index;
  // closes h.
  RootVerdict Climb(HANDLE h, FileIdentity index, const std::string& root);
  // The place protected with its insides that index is the index of, by the
  // index alone (under Wine each drive letter has its own volume number).
  bool InsideByIndex(DWORD high, DWORD low, size_t& place) const;
  // Why a drive's root refuses what lies on it; empty when nothing does.
  std::string RootRefusal(const RootVerdict& verdict, bool rootItself) const;
  const Known& Open(const std::string& folder);
  // The index of folder as the folder holding it lists it, when it is listed
  // there as a plain folder (no link); false otherwise.
  bool ListedIndex(const std::string& folder, FileIdentity& index);
  // What a listing of a folder holding lines told of its entries whose names
  // begin with prefix (a listing's name pattern holds on its handle for good:
  // each listing has a handle of its own).
  struct Listed {
    DWORD attributes;
    FileIdentity index;
    bool twin;  // another entry answers to the name too (letter case, a short name): opened itself
  };
  struct ParentListing {
    bool listed = false;
    bool closed = false;     // no name shared: each folder in it is opened itself
    int listings = 0;
    std::wstring prefix;     // what the names listed begin with
    std::wstring first;      // the first name asked, before any listing
    std::unordered_map<std::string, Listed, FoldedHash, FoldedEqual> names;  // long and short names
  };
  void ListParent(const std::string& parent, ParentListing& listing);
  // Records a folder holding place (not the place itself), once.
  void AddHolder(size_t place, const FileIdentity& identity);

  std::vector<Place> places_;
  // Index (high, low) -> the identities carrying it, with what they are.
  std::multimap<std::pair<DWORD, DWORD>, std::pair<FileIdentity, Match>> byIndex_;
  std::unordered_map<std::string, Known, FoldedHash, FoldedEqual> known_;
  std::unordered_map<std::string, RootSeen, FoldedHash, FoldedEqual> roots_;
  // The drive and folder RootOf was last asked with (the folder's is the drive's folder).
  RootSeen* lastSeen_ = nullptr;
  std::string lastFolder_;
  void CloseListings();
  // The folders holding those asked of, as listed while held.
  std::unordered_map<std::string, ParentListing, FoldedHash, FoldedEqual> parents_;
  unsigned holding_ = 0;
};

// The folder paths of path from its root down to path itself: "C:\",
// "C:\a", "C:\a\b"; "\\srv\share\", "\\srv\share\a". Empty for a path with
// no drive part.
std::vector<std::string> RoadFolders(const std::string& path);

} // namespace core
