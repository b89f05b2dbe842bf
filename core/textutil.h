// Text, number and path routines shared by every page and engine: trimming and
// counting, path splitting and normalising, the path level, number and byte-size
// texts, drive facts (type name, free space), clearing a folder's contents and
// the test for at most N subfolders. None keeps state between calls.
#pragma once
#include "core/file_identity.h"
#include "core/free_space.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace core {

// Positions of matches in a text, ascending (CountSubstring fills it).
using PositionList = std::deque<uint32_t>;

// ---- Names from the system ----------------------------------------------------

// A name the system gives in Unicode, spelt in this code page so that it can
// never be taken for another: each letter the code page cannot spell is "?"
// (one for a letter of two UTF-16 units), never a look-alike ("a" for "α",
// "txt" for full-width letters).
std::string SpelledName(const wchar_t* name, size_t length);
std::string SpelledName(const std::wstring& name);
// A listed Unicode name in this code page, false when it does not spell back
// exactly (no best fit): then it is no name this program gave anything.
bool ExactName(const wchar_t* wide, size_t chars, std::string& out);
// A name of this code page in Unicode, as the system's "W" calls take it.
std::wstring WideName(const std::string& text);

// ---- Trimming, case and counting --------------------------------------------

// Copy without leading and trailing blanks (0x20 only; tabs stay).
std::string TrimSpaces(const std::string& text);
// Copy without leading and trailing characters of codes 1 to 32 (window texts,
// list entries, imported strings). A NUL is kept wherever it stands: a text
// holding one is refused whole by the rules (FindControlCharacter), never cut.
std::string TrimText(const std::string& text);
// Copy lower-cased by the user locale's character lower-casing.
std::string LowerCaseCopy(const std::string& text);
// Number of occurrences of part in text; each match position is appended to
// positions. The next search starts one character after the previous match
// start (overlapping matches count). An empty part counts 0.
uint32_t CountSubstring(const std::string& text, const std::string& part,
                        PositionList& positions);
bool IsOdd(int32_t number);

// ---- Path normalising and splitting -----------------------------------------

// Number of backslashes of the path; every forward slash counts as one and is
// replaced by a backslash in the given text.
uint32_t PathLevel(std::string& path);
std::string ForwardToBackslashes(const std::string& text);
// Any run of backslashes becomes one backslash.
std::string CollapseDoubleBackslashes(const std::string& text);
// Any run of colons becomes one colon.
std::string CollapseDoubleColons(const std::string& text);

// At the first colon: drive = text up to and including it, rest = text after it,
// true. No colon: drive empty, rest = the whole path, false.
bool SplitDriveAndRest(const std::string& path, std::string& drive, std::string& rest);
// Forward slashes of path are replaced in place. An existing folder (current-
// directory test): name empty, folder = path. Otherwise split at the last
// backslash (name after it, folder before it); no backslash: name = path,
// folder empty. Always true.
bool SplitFolderAndName(std::string& path, std::string& name, std::string& folder);
// Forward slashes become backslashes; split at the last backslash: returns the
// trimmed parent up to and including that backslash, lastName = the trimmed
// text after it. No backslash: returns the whole text, lastName empty.
std::string SplitParentAndLastName(const std::string& path, std::string& lastName);

// The drive part as the class library extracts it: the first two characters
// when the second is a colon ("c:" of "c:\a"), the server and share of a
// network path ("\\server\share" of "\\server\share\a"), else empty.
std::string ExtractFileDrive(const std::string& path);
// True when the text (blanks at the ends ignored) begins with a drive letter and
// colon, or with "\\server\share" (both names non-empty).
bool HasDrivePart(const std::string& path);

// ---- Current directory and the current-directory folder test ----------------

// Reads the current directory (at most 260 characters). False when the system
// returns 0 or more than 260; text is then empty.
bool GetCurrentDirectoryString(uint32_t& length, std::string& text);

// Saves the current directory on construction and sets it back on destruction
// (when the save failed, the directory stays where the work left it).
class SavedCurrentDirectory {
public:
  SavedCurrentDirectory();
  ~SavedCurrentDirectory();
  SavedCurrentDirectory(const SavedCurrentDirectory&) = delete;
  SavedCurrentDirectory& operator=(const SavedCurrentDirectory&) = delete;

private:
  std::string saved_;
};

// The bare current-directory test: true when the current directory can be set
// to path. Leaves the current directory there; use inside a
// SavedCurrentDirectory scope when testing many entries.
bool CanSetCurrentDirectory(const std::string& path);
// The current-directory folder test with save and restore of the current
// directory around it.
bool IsFolderByCurrentDirectory(const std::string& path);

// ---- Number texts ------------------------------------------------------------

// Decimal digits of the whole number (fraction dropped), minus sign for negatives.
std::string NumberToStdString(double number);
// NumberToStdString(number) left-filled with "0" up to width characters.
std::string PadNumberWithZeros(double number, double width);
std::string IntToStdString(int32_t number);
std::string UIntToStdString(uint32_t number);
std::string UInt64ToStdString(uint64_t number);
// A counter as the pages show it: at most 15 significant digits, no fraction
// for whole numbers, large values in the exponent style "1.2E15".
std::string CounterText(double value);
// "%.2f%s" with " GB", " MB", " KB" or " Bytes" (strictly greater than 1 unit
// picks the unit: exactly 1024 bytes is "1024.00 Bytes").
std::string FormatByteSize(uint64_t bytes, double& quotient, std::string& unit);
std::string FormatByteSize(uint64_t bytes);

// ---- Drives ------------------------------------------------------------------

// Looks up the first character of path (letter case ignored) among the
// machine's drive letters: found gives the type name ("Fixed drive", ...) and
// true; not found gives "" and false.
bool GetDriveTypeName(std::string path, std::string& name);
// Free bytes available to the caller on the drive of path; root receives the
// drive root ("c:\" or "\\server\share\"). 0 when the query fails or the path
// has no drive part (root is then empty); use the DiskSpace form to tell.
// Both ask the installed FreeSpaceService.
uint64_t GetFreeSpaceText(std::string path, std::string& root);
DiskSpace QueryDriveFreeSpace(std::string path, std::string& root);

// ---- Folders -----------------------------------------------------------------
// The file system's answer: the path is an existing directory.
bool IsExistingDirectory(const std::string& path);

// Folder paths of this many characters or more are never created: a folder
// must leave room for a file name inside it (MAX_PATH - 12), on Windows as
// under Wine (which would create longer ones).
constexpr size_t kFolderPathLimit = 260 - 12;
// The one rule of folder creation, asked before any system call by the run
// (MakeFolderLevels) and by the simulation alike: a full path (a drive letter,
// colon and backslash, or \\server\share\), shorter than kFolderPathLimit once
// its trailing backslashes are dropped, every name part one the file system
// keeps as written (CheckNameParts) and no character a folder name cannot hold
// (< > : " | ? * after the drive).
bool IsCreatableFolderPath(const std::string& path);

// One folder with all its missing parents: one CreateDirectoryA for a folder
// whose parent is there, and only when the call answers "path not found" the
// missing parents first (so an existing tree is never probed level by level).
// A path that IsCreatableFolderPath refuses fails before any system call. Each
// folder made is appended to created, and (with created) its stamp, read
// through the handle of its creation, to stamps (core/file_identity.h).
// error, when given, gets why a folder failed (the system's answer, as
// ERROR_DISK_FULL for a disk without room; ERROR_INVALID_NAME for a path the
// rule refuses), else 0.
enum class MakeFolderResult { Created, Exists, Failed };
MakeFolderResult MakeFolderLevels(const std::string& path,
                                  std::vector<std::string>* created = nullptr,
                                  std::vector<ItemStamp>* stamps = nullptr, DWORD* error = nullptr);
// The same with each level made by make (0 when made, else the system's
// error, as CreateDirectoryA sets it), which gives the stamp it read then
// (unknown when it read none): core/made_folders.h.
using FolderMaker = std::function<DWORD(const std::string& path, ItemStamp& stamp)>;
MakeFolderResult MakeFolderLevels(const std::string& path, std::vector<std::string>* created,
                                  std::vector<ItemStamp>* stamps, DWORD* error, const FolderMaker* make);

// Deletes everything inside folder (not the folder itself), entry by entry,
// never through a link and never to the recycle bin (RemoveFolderContents of
// core/folder_walk.h, which tells each entry's outcome). Refuses (false,
// nothing deleted) unless folder has a drive part, is not a drive root and is
// an existing folder. True when every entry went.
bool DeleteFolderContents(const std::string& folder);
// True when folder holds at most limit subfolders (a path that is not a
// folder holds none). Limit 0: true exactly for a folder without subfolders.
bool HasAtMostSubFolders(uint32_t limit, const std::string& folder);

} // namespace core
