// The one folder listing every walk of the program goes through. A listing may
// hand back names that no path can reach: under Wine a Linux name may hold "\"
// or "..", or letters this code page cannot spell (the "A" calls give
// look-alikes, "a" for "α"); device names and names ending in a dot or a blank are
// taken by the system for other things. Joined into a path, such a name would
// name another item (one outside the folder, a device, a look-alike beside
// it). So the listing reads each name in Unicode, hands on only plain names
// that spell back to the very same name, and keeps the rest apart with the
// reason: the caller reports them and never touches them, showing each
// letter the code page cannot spell as "?" (SpelledName).
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Size of a find-data entry: high part times 2^32 plus the low part.
uint64_t FindDataSize(const WIN32_FIND_DATAA& data);
// True for an entry that is a directory.
bool FindDataIsFolder(const WIN32_FIND_DATAA& data);
// True for a junction, symbolic link or other reparse point: walks never enter it.
bool FindDataIsReparsePoint(const WIN32_FIND_DATAA& data);

// An entry the listing keeps back: never joined into a path, never acted on.
struct KeptEntry {
  std::string name;    // for showing only: each letter this code page cannot spell as "?"
  std::string reason;  // "a name this system cannot address (...)"
  bool folder = false;
  uint64_t size = 0;
};

// A kept entry as a walk reports it: its folder and the name as shown, joined
// for the reader only.
struct KeptPath {
  std::string path;
  std::string reason;
  bool folder = false;
};
KeptPath KeptIn(const std::string& folder, const KeptEntry& entry);

// The reason a listed name cannot be used as it is, or empty when it can: "."
// or "..", a "\" or "/" or one of < > : " | ? * in it, a character of codes
// 0-31, a device name (CON, NUL, COM1 ... with any extension), a name ending
// in a dot or a blank.
std::string ListedNameFault(std::string_view name);

// Lists folder + "\" + mask and hands every plain entry to visit ("." and ".."
// of the folder itself skipped); every other entry goes to kept, when given,
// with its reason. An entry's short (8.3) name, where the system keeps one,
// is handed on in cAlternateFileName when it is plain too (else that is
// empty): a look-up of it finds the entry, as one of the long name does.
// Returns false when the listing could not be opened (GetLastError tells
// why; nothing is visited).
bool ForEachFolderEntry(const std::string& folder, const std::string& mask,
                        const std::function<void(const WIN32_FIND_DATAA&)>& visit,
                        const std::function<void(const KeptEntry&)>& kept = nullptr);

// A folder's listing as ForEachFolderEntry hands it on, kept to be handed on
// later: opened false when it could not be listed (error: why).
struct FolderListing {
  bool opened = false;
  DWORD error = 0;
  std::vector<WIN32_FIND_DATAA> entries;
  std::vector<KeptEntry> kept;
};
// ForEachFolderEntry of each folder with mask, read on a few threads at once;
// the listings in the same order.
std::vector<FolderListing> ListFolders(const std::vector<std::string>& folders, const std::string& mask);

// Lists the folder open at folder (with FILE_LIST_DIRECTORY) as the system
// lists it, each entry with its index and times, for the names matching mask
// only (every name when mask is empty): under Wine an entry the mask leaves
// out is never read from the disk. True when the listing went to its end;
// false when it could not start or broke off (what it left unseen is unknown).
bool ForEachListedEntry(HANDLE folder, const std::wstring& mask,
                        const std::function<void(const FILE_ID_BOTH_DIR_INFO&)>& visit);

// Whether folder holds an entry named name (a plain name) that no listing
// shows: under Wine a link whose target is missing (a file on a drive not
// mounted) is left out of every listing and answers no look-up, yet its name
// is taken, and a new file can never have it. The system's search for the
// exact name tells it apart from a name nothing holds. One look-up, as a
// look-up of a missing name costs.
bool FolderHidesEntry(const std::string& folder, const std::string& name);

} // namespace core
