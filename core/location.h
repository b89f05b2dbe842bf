// Where an item's name leads. Under Wine a Unix link to
// a file shows as a plain file and a link to a folder as a folder, and every
// call on the name acts on the target: deleting the "file" deletes the
// target, removing or renaming the "folder" removes or moves the target. So
// before anything deletes, renames or undoes an item, its name is opened as
// itself and the system asked where it is; only an item lying at the very path
// its run listed is acted on (core/remover.h does it before every call, and a
// simulation asks the same check to predict the run).
#pragma once
#include "core/casefold.h"
#include "core/file_identity.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace core {

struct ItemLocation {
  // 0: the name is the item itself, at the path asked about. ERROR_NOT_SUPPORTED:
  // the name leads somewhere else (a link), so nothing may act on it.
  // kErrorRoadMoved: a folder on the item's path is a link or was moved since
  // the run listed it. Otherwise the system's reason why the name could not be
  // checked (not found, ...).
  DWORD error = 0;
  std::string resolved;  // where the system takes the name to be, when it could tell
  std::string name;      // error 0: the item's own name, as the disk spells it
  // Read from the handle a run will act through, when the remover holds one
  // (LocateToChange): which item it is, its attributes (else unknown) and the
  // moment of its last change (0: unknown; see ItemStamp).
  FileIdentity identity;
  DWORD attributes = INVALID_FILE_ATTRIBUTES;
  LONGLONG changed = 0;
  bool Here() const { return error == 0; }
};

// The check's own error (an application code, never the system's): the item
// does not lie where the run listed it, because a folder on its path is now a
// link or another folder.
constexpr DWORD kErrorRoadMoved = 0x20000001;
// A folder a run leaves because it holds an entry the run keeps (a name no
// path reaches): it cannot be emptied, so it is not tried.
constexpr DWORD kErrorHoldsKept = 0x20000002;
// The item is a protected folder, holds one or lies inside one, or lies on a
// drive whose folders above its root cannot be read
// (core/protected_places.h): never touched.
constexpr DWORD kErrorProtected = 0x20000003;
// The system took the removal (its call answered done), yet the item still
// stands under its name after it: refused when the item's handle closed
// (under Wine a removal happens there, and a failure there is silent: a folder
// the file system keeps unchanged, a medium turned read-only), or kept by
// another program's handle. Never counted as removed.
constexpr DWORD kErrorStillThere = 0x20000004;

class ProtectedPlaces;

// Where a folder above items was found, asked once for several of them, and
// the serial number of the volume its items lie on (read once: an item opened
// as itself, a link or mount point too, lies on its folder's volume).
struct FolderPlace {
  DWORD error = 0;
  std::string resolved;
  DWORD volume = 0;
  bool volumeKnown = false;
};
using FolderPlaces = std::map<std::string, FolderPlace, FoldedLess>;

// The check. One object serves one run.
//
// An item's own name must lead to the item itself in its folder. Below a
// folder the run listed (a road, ListRoad), more holds: the item's whole
// resolved location must be where that folder lay when it was listed,
// followed by the rest of the item's path, so a folder on the way swapped for
// a link (or moved) since then keeps everything below it out of reach. A
// road's own path is checked folder by folder from its root: each folder on
// it must be itself, under its own name in the folder before it, so a link
// anywhere on the way keeps the road closed.
//
// With protected places given, an item that is or holds one, or lies where
// they forbid (ProtectedPlaces::ItemRefused), answers kErrorProtected, and a
// road that lies inside a place protected with its insides is closed with it.
class LocationCheck {
public:
  // The places no item of the run may be, hold or lie in (shared with the
  // run, which judged its lines by them).
  void Protect(std::shared_ptr<ProtectedPlaces> places) { protected_ = std::move(places); }
  // path: a full path ("X:\..." or "\\server\share\..."); trailing
  // backslashes are dropped.
  ItemLocation Of(const std::string& path);
  // Of for each path, the answers in the same order. The names below a road
  // are opened and asked where they lead on a few threads at once (each is a
  // round trip to the system, which they overlap: under Wine one to its
  // server); every answer is then judged here, in order, as Of judges it.
  std::vector<ItemLocation> OfMany(const std::vector<std::string>& paths);
  // The same check on a handle opened with access (besides
  // FILE_READ_ATTRIBUTES; folders too unless filesOnly, which refuses a folder
  // as DeleteFile does): when the item is here and access is not 0, handle is
  // that open handle, for the caller to act through and close; otherwise
  // INVALID_HANDLE_VALUE. Acting through the handle that was checked leaves no
  // moment in which another item could take the name. share: what others may
  // do with the item while the handle is open (everything unless told).
  ItemLocation Open(const std::string& path, DWORD access, bool filesOnly, HANDLE& handle,
                    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
  // Takes folder as a road of the run: it must be itself at its path now
  // (checked as any item is), and from now on every item below it must lie
  // where it lies now, followed by the rest of the item's path. The answer is
  // the folder's own check; when the folder is not itself there, nothing
  // below it is reached for the rest of the run (not found when it is gone,
  // else kErrorRoadMoved). absentCloses false: a folder that is not there is
  // no road at all (an undo gives a renamed folder its name back later).
  ItemLocation ListRoad(const std::string& folder, bool absentCloses = true);
  // The road rule on the folders above folder on its path, from its root
  // down (each itself, under its own name in the folder before it; each
  // checked once a run): 0, not found, or kErrorRoadMoved for a link or a
  // moved folder among them. ListRoad asks it of a road no other road holds.
  DWORD RoadAbove(const std::string& folder);
  // ListRoad of each folder, in the order given (shallowest first, so a road
  // inside another is checked along it), taken together while their listing
  // is fresh: the folder holding several of them is asked where it lies once
  // for them all. (Asked once, it can only refuse a road whose folder moved
  // meanwhile, never take one.) The answers, in the same order.
  std::vector<ItemLocation> ListRoads(const std::vector<std::string>& folders, bool absentCloses = true);
  // Takes folder as a road again as it lay when listed (listed: ListRoad's
  // answer then, here or another checker's) and checks it still lies there,
  // as ListRoad checks a road it took before: a folder listed once and read
  // from later (a structure a run copies) is reached only where it was listed.
  ItemLocation ListRoadAsListed(const std::string& folder, const ItemLocation& listed);
  // Whether the item open at handle lies at path by the same rule (a file the
  // run has just made, before it writes into it).
  bool HandleIsAt(HANDLE handle, const std::string& path);
  // The identity of the item open at handle, which the check found at path:
  // its index, with the volume of the road path lies on (false without one).
  bool IdentityOnRoad(HANDLE handle, const std::string& path, FileIdentity& identity);
  // Forgets the roads at folder and inside it (a rename has moved them).
  void Forget(const std::string& folder);

private:
  struct Road {
    std::string resolved;
    FileIdentity identity;
    DWORD error = 0;  // the folder was not itself there when listed
  };
  ItemLocation TakeRoad(const std::string& folder, bool absentCloses, FolderPlaces* above);
  // The deepest road holding path (path itself included), or roads_.end().
  std::map<std::string, Road, FoldedLess>::iterator RoadOf(const std::string& path);
  // The road rule on an item already resolved; error 0 or kErrorRoadMoved.
  DWORD OnRoad(const std::string& path, const std::string& resolved,
               std::map<std::string, Road, FoldedLess>::iterator road);
  // The protected places' verdict on an item found at resolved, under road.
  DWORD Guarded(const std::string& resolved, std::map<std::string, Road, FoldedLess>::iterator road);
  std::map<std::string, Road, FoldedLess> roads_;  // listed folder -> where it lay
  // Each folder on a road's path, checked once: where it lies, or the error.
  std::map<std::string, std::pair<std::string, DWORD>, FoldedLess> above_;
  std::shared_ptr<ProtectedPlaces> protected_;
};

// Whether a folder's listing shows every link to a file as a link (a reparse
// point), as Windows' does. Under Wine a Linux link to a file shows as the file
// it leads to (its attributes, size and index): only the item's own check (its
// name opened and asked where it leads) tells it.
bool ListingShowsFileLinks();

// Where the system places the item open at h, as a DOS path without the
// "\\?\" prefix; empty with error ERROR_NOT_SUPPORTED when it cannot tell or
// when the place has a letter this code page cannot spell (a look-alike is
// never taken for a real path).
std::string ResolvedPathOf(HANDLE h, DWORD& error);

// Why an item an operation left alone stays, by the error of the check or of
// the call: a link, read-only, not empty, too long, not found, or the code.
std::string RemovalReason(DWORD error);

} // namespace core
