// The one target check of the rename, delete and copy runs: every folder a run
// is about to touch passes it when the run starts, whatever road brought it into
// the page's list. A refused folder is counted under "other reasons" and listed
// with the reason the check gives.
#pragma once
#include "core/listing_box.h"
#include "core/protected_places.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace treeops {

// Paths of this many characters or more are refused.
constexpr size_t kPathLimit = 255;

// A folder no run may touch, nor any folder that holds it; with inside set,
// nothing inside it either.
struct ProtectedFolder {
  ProtectedFolder(std::string folder, bool whole = false) : path(std::move(folder)), inside(whole) {}
  ProtectedFolder(const char* folder) : path(folder) {}
  std::string path;
  bool inside = false;
};
using ProtectedFolders = std::vector<ProtectedFolder>;
// The machine's: the Windows folder with everything in it; the program-files
// folders, the all-users application data folder (ProgramData), the profiles
// folder and each profile root, the start-up folder (given), the executable's
// folder and the current directory. Empty entries are left out.
ProtectedFolders SystemProtectedFolders(const std::string& startupFolder);
// The folders as the place check and the identity check know them: each
// opened now, with the folders holding it (one per pass or run).
std::shared_ptr<core::ProtectedPlaces> PlacesOf(const ProtectedFolders& folders);

struct TargetCheck {
  bool ok = false;
  std::string path;    // the normalised full path (ok only)
  std::string reason;  // why it is refused (not ok only)
};

// Trims the text (codes 0-32), takes "/" as "\", drops trailing backslashes and
// collapses doubled ones after the drive part; then refuses: anything not
// "X:\..." or "\\server\share\..." (relative, drive-relative), drive and share
// roots, a name part that is "." or "..", a device name, ends in a dot or a
// blank or holds a control character or one of < > : " | ? *, paths of
// kPathLimit characters or more, a protected folder or any folder that
// contains one, and anything inside a folder protected with its insides
// (letter case ignored); the reason names the protected folder. With places
// (PlacesOf the same folders), the same refusals are made by what each folder
// on the path is (core::ProtectedPlaces::Refusal), whatever spelling, drive
// letter or link leads there. With rootTaken
// (the copy run, which only adds new items inside its folders) a drive or
// share root is taken as "X:\" or "\\server\share\" unless it is a protected
// folder itself; the run then never enters a protected folder it holds.
TargetCheck CheckTarget(const std::string& line, const ProtectedFolders& protectedFolders, bool rootTaken = false,
                        core::ProtectedPlaces* places = nullptr);

// A's full path equals B's or lies below it (letter case ignored; both
// normalised, without trailing backslashes).
bool SameOrInside(const std::string& a, const std::string& b);
// The path level: the number of backslashes.
unsigned Level(const std::string& path);

// Called by the runs before each item with the items done and the items in all;
// false stops the run. The caller throttles what it shows (about every 50 ms).
using Progress = std::function<bool(size_t done, size_t total)>;

// A path with the reason it was not done.
struct Refusal {
  std::string path;
  std::string reason;
};

// The reason of each entry a run lists under "other reasons", looked up by its
// path in the run's reasons as they grow (each entry is asked for once).
class ReasonFinder {
public:
  explicit ReasonFinder(const std::vector<Refusal>& reasons) : reasons_(reasons) {}
  // Empty when the run gave none.
  std::string operator()(const std::string& path);

private:
  const std::vector<Refusal>& reasons_;
  size_t indexed_ = 0;
  std::unordered_multimap<std::string, size_t> index_;
};

// The reasons of a run's box as one list of it (core::ListingBoxText): the
// heading with how many items, then each reason with how many items it
// stopped and the first of them, in the order the run met them.
core::ListedSection ReasonsSection(const std::vector<Refusal>& reasons,
                                   const std::string& heading = "Not done for other reasons");

} // namespace treeops
