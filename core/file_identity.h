// Which item a name stands for: the volume's serial number and the item's
// index on that volume, as the system tells them for an open handle. A rename
// keeps them; so does anything done inside a folder (a file saved into it),
// which under Wine changes the times it reports for the folder. Another item
// put in its place has another index.
#pragma once
#include <windows.h>

#include <string>

namespace core {

struct FileIdentity {
  DWORD volume = 0;
  DWORD indexHigh = 0;
  DWORD indexLow = 0;
  bool known = false;  // false: the system could not tell
  bool operator==(const FileIdentity& o) const {
    return known && o.known && volume == o.volume && indexHigh == o.indexHigh && indexLow == o.indexLow;
  }
  bool operator!=(const FileIdentity& o) const { return !(*this == o); }
};

// The identity of the item an open handle stands for, and its attributes; false
// when the system cannot tell.
bool IdentityOf(HANDLE handle, FileIdentity& identity, DWORD* attributes = nullptr);

// The item's index alone (cheap: the volume's serial number is the costly part
// under Wine), with the volume given by the caller, who knows it from a folder
// on the same road; false when the system cannot tell.
bool IndexOf(HANDLE handle, DWORD volume, FileIdentity& identity);

// A handle on the item at path as itself (a folder too; a link's name is opened
// as the link where the system keeps links apart), for reading its identity
// only; it lets the item be renamed or removed while open. INVALID_HANDLE_VALUE
// when it cannot be opened.
HANDLE OpenForIdentity(const std::string& path);

// The identity and attributes of the item at path, opened as above; false when
// it cannot be opened or the system cannot tell.
bool IdentityAt(const std::string& path, FileIdentity& identity, DWORD* attributes = nullptr);

} // namespace core
