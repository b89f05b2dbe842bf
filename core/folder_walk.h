// Walking a folder tree entry by entry, and removing a folder's contents with
// that walk. A walk never enters a link: a reparse point (junction, symbolic
// link), nor a name the system resolves to somewhere else (under Wine a Unix
// link to a file shows no reparse attribute, and every call on its name
// reaches its target). The removal takes each entry by itself, each with its
// own outcome; nothing goes through the shell's bulk delete or a wildcard.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace core {

// One entry below the walked root, as the listing gave it.
struct WalkEntry {
  std::string path;      // full path
  std::string relative;  // below the root, without a leading backslash
  size_t nameAt = 0;     // where the entry's own name starts in relative
  DWORD attributes = 0;
  bool folder = false;
  bool link = false;     // a reparse point: listed, never entered
  uint64_t size = 0;
  std::string kept;      // why the listing kept it back (its name as shown): never acted on
};

// Lists everything below root breadth-first with an explicit queue (depth costs
// no stack): the root's entries first, then each folder's, in the order the
// system lists them (root's trailing backslashes are dropped). An entry the
// listing keeps back is visited too, with its reason, and never entered.
// False when root itself cannot be listed.
bool WalkFolderTree(const std::string& root, const std::function<void(const WalkEntry&)>& visit);

// The outcome of one entry of a removal.
enum class RemovalOutcome {
  Removed,   // gone (a link removed as a link, its target untouched)
  Failed,    // the system refused (error tells why): read-only, in use, not empty, or
             // still there after a removal it took (kErrorStillThere)
  LinkKept,  // a link the system would only follow: left in place with its target
  Kept,      // a name no path reaches, or a folder holding one: left in place (reason tells)
};
struct RemovalItem {
  std::string path;
  bool folder = false;
  bool link = false;
  RemovalOutcome outcome = RemovalOutcome::Failed;
  DWORD error = 0;  // the system's error code of a failure
  std::string reason;  // Kept: why
};
struct ContentsRemoval {
  bool refused = false;            // the folder is no folder below a drive root: nothing done
  std::vector<RemovalItem> items;  // every entry, deepest first, in the order tried
  bool Complete() const;           // not refused and every entry removed
};

// Removes everything inside folder, not the folder itself: every entry by
// itself, the contents of a folder before the folder, links as links. A
// read-only attribute is never cleared (such an entry fails). Refused unless
// folder has a drive part, a backslash after a drive letter, is not a drive or
// share root, and is an existing folder that is not itself a link. Every
// entry must lie where the folder lies now, followed by its own path: a
// folder inside swapped for a link keeps everything below it.
// Every removal goes through remover (the system's when none is given), which
// leaves an entry whose name leads elsewhere in place (LinkKept); an entry
// counts as removed only once the remover has settled it (Remover::Settle).
class Remover;
ContentsRemoval RemoveFolderContents(const std::string& folder, Remover* remover = nullptr);

} // namespace core
