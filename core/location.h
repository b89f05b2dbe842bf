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

#include <windows.h>

#include <string>
#include <map>

namespace core {

struct ItemLocation {
  // 0: the name is the item itself, at the path asked about. ERROR_NOT_SUPPORTED:
  // the name leads somewhere else (a link), so nothing may act on it. Otherwise
  // the system's reason why the name could not be checked (not found, ...).
  DWORD error = 0;
  std::string resolved;  // where the system takes the name to be, when it could tell
  std::string name;      // error 0: the item's own name, as the disk spells it
  bool Here() const { return error == 0; }
};

// The check. It remembers the folders it resolved: a run asks about many items
// of one folder. One object serves one run.
class LocationCheck {
public:
  // path: a full path ("X:\..." or "\\server\share\..."); trailing backslashes
  // are dropped. The item's own name must lead to the item itself; the road to
  // its folder is the one the run was given.
  ItemLocation Of(const std::string& path);
  // The same check on a handle opened with access (besides
  // FILE_READ_ATTRIBUTES; folders too unless filesOnly, which refuses a folder
  // as DeleteFile does): when the item is here and access is not 0, handle is
  // that open handle, for the caller to act through and close; otherwise
  // INVALID_HANDLE_VALUE. Acting through the handle that was checked leaves no
  // moment in which another item could take the name.
  ItemLocation Open(const std::string& path, DWORD access, bool filesOnly, HANDLE& handle);
  // Forgets what it knew of folder and the folders inside it (a rename has
  // moved them).
  void Forget(const std::string& folder);

private:
  std::map<std::string, std::string, FoldedLess> folders_;  // folder -> where it resolves
};

// Why an item an operation left alone stays, by the error of the check or of
// the call: a link, read-only, not empty, too long, not found, or the code.
std::string RemovalReason(DWORD error);

} // namespace core
