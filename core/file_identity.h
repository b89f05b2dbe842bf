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

// What tells a folder a run made from another folder made later under its
// name: the item's index on its volume and the moment of its last change (the
// change time of FILE_BASIC_INFO), both read through a handle. The index alone
// does not: a Linux file system under Wine hands a removed folder's index to
// the next folder made, at once. Nor does the creation time, which Wine gives
// as the change time. The change time of a new folder is the moment it was
// made; that of the run's folder stays as the run left it until something is
// added to it or removed from it.
struct ItemStamp {
  DWORD indexHigh = 0;
  DWORD indexLow = 0;
  LONGLONG changed = 0;
  bool known = false;  // false: the system could not tell
  bool SameIndex(const FileIdentity& identity) const {
    return known && identity.known && identity.indexHigh == indexHigh && identity.indexLow == indexLow;
  }
};

// The stamp of the item open at handle (two cheap reads: no volume asked);
// false when the system cannot tell.
bool StampOf(HANDLE handle, ItemStamp& stamp);
// The stamp of the item at path, opened as OpenForIdentity does.
bool StampAt(const std::string& path, ItemStamp& stamp);

// Makes one folder with the one system call CreateDirectoryA makes, and reads
// its stamp through the handle that call opens (stamp.known false when it
// cannot be read). 0 when made, else the system's error (ERROR_ALREADY_EXISTS,
// ERROR_PATH_NOT_FOUND ...), as CreateDirectoryA would set it.
DWORD CreateFolderStamped(const std::string& path, ItemStamp& stamp);

// Makes one folder with the one system call CreateDirectoryA makes: 0 when
// made, else the system's error, as CreateFolderStamped answers it.
DWORD CreateFolder(const std::string& path);

// Whether a folder's listing tells each entry's index and change time as a
// handle on the entry tells them at that moment: under Wine both are read
// from the file system for each listing; NTFS may list an older time (its
// directory entries are brought up to date later, as FindFirstFile's own
// documentation warns), so there a stamp is read through a handle.
bool ListingTellsStamps();

// Whether the volume serial number a handle tells is the one of the drive the
// system names the item's place by (ResolvedPathOf: the drive whose root lies
// deepest above it), whatever the item: under Wine it is that drive's, asked
// of its mount manager (each time a round trip to another process); on
// Windows a folder may be another volume mounted inside a drive.
bool VolumeFollowsDrive();

// For tests only, never set by the program: asked before each folder
// CreateFolderStamped or CreateFolder makes; an error it answers is taken as the system's
// own and the folder is not made (ERROR_DISK_FULL: a disk without room, as a
// full file system answers). Null (the default) changes nothing.
using FolderMakeFault = DWORD (*)(const std::string& path);
void SetFolderMakeFault(FolderMakeFault fault);

} // namespace core
