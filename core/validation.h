// Checks that every typed, imported or composed path or name passes before it
// is used, and the parser that cuts a free text holding several full paths into
// single paths. Failures come back as a result and a message text for the
// caller to show; nothing here shows a window.
#pragma once
#include "core/box_message.h"
#include "core/tokenizer.h"

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace core {

using StringList = std::deque<std::string>;

// The three illegal-character sets (one-character strings). Each builder
// empties its set first. Default: " * [ ] ; | < > ?  (full paths pass);
// "H": * " [ ] ; | < > ? :  ; "F": those and \ /  (a single folder name).
// The sets are also built on first use, so engines and tests need no set-up.
void BuildIllegalCharSetDefault();
void BuildIllegalCharSetH();
void BuildIllegalCharSetF();
// The set a mode text picks: "F", "H", or any other text for the default set.
const std::vector<std::string>& IllegalCharSet(const std::string& mode);

// The first character of text that is in the set of mode; false when none
// (character then untouched).
bool FindIllegalChar(const std::string& mode, const std::string& text, std::string& character);

// The first character of codes 0 to 31 in text (a NUL, a tab, a line end
// inside it ...): a line or entry holding one is refused whole, never cut at
// it, on every road into a page and by folder creation. character receives
// "(character code N)"; false when there is none (character then untouched).
bool FindControlCharacter(std::string_view text, std::string& character);

// Every colon must follow a letter and be neither the first nor the last
// character; the first failing colon decides the message.
bool CheckDriveLetters(const std::string& text, std::string& message);
// Not empty and free of the default illegal characters; normalised = slashes
// turned into backslashes, doubled backslashes and colons collapsed.
bool ValidateIncludeText(const std::string& text, std::string& normalised,
                         std::string& message);
// One full folder path: a drive of this machine, a backslash after the drive
// letter, a folder part beyond the root, no illegal character, no colon after
// the drive, and every name part a name the file system keeps as typed (see
// CheckNameParts).
bool ValidateFolderName(const std::string& text, std::string& message);
// A device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, CONIN$, CONOUT$,
// any letter case) before the first dot, blanks before the dot ignored: the
// system takes such a name for the device, whatever extension follows.
bool IsDeviceName(std::string_view part);
// Why one name part cannot name a folder, or empty when it can: a device name
// (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, CONIN$, CONOUT$, any letter case,
// with or without an extension), "." or "..", a name ending in a dot or a
// blank (the system would drop them and make another folder), a colon, or a
// character of codes 0-31 (FindControlCharacter).
std::string NamePartFault(const std::string& part);
// Every name part of path (the parts between backslashes or slashes after the
// drive part, if any; empty parts are skipped) passes NamePartFault; message
// tells the first fault. A relative entry holding ".." could leave the folder
// it is created in, so it is refused like any other such part.
bool CheckNameParts(const std::string& path, std::string& message);
// ValidateIncludeText, then the normalised text cut into paths, one per drive
// start.
bool ParseManualText(const std::string& text, StringList& items, std::string& normalised,
                     std::string& message);
bool ParseManualText(const std::string& text, StringList& items, std::string& message);

// Position of the next drive start in text[from, end): a letter, not preceded
// by a letter or digit, standing before a colon that is not at from, not the
// last character, and is followed by a letter, digit or punctuation character.
// end when there is none.
size_t FindDriveStart(const std::string& text, size_t from, size_t end);
// Where the path that begins at start ends: at the next drive start, or end.
size_t FindDrivePathEnd(const std::string& text, size_t start, size_t end);
// Slashes become backslashes; text before the first drive start is the first
// item; then one item per drive start (blanks and separators between two paths
// stay with the first). No drive start at all: the whole text is the one item.
StringList SplitPathList(const std::string& text);
// Only the items that begin at a drive start; none gives an empty list.
StringList SplitDrivePaths(const std::string& text);
// SplitPathList of the normalised text.
StringList SmartImportParse(const std::string& text);
// Cuts text as SmartImportParse does; an item is accepted when it passes
// CheckDriveLetters, ValidateFolderName and is shorter than 255 characters.
// rejected holds the failures of each check in that order, each in item order.
void ParseAndValidatePathList(const std::string& text, StringList& accepted,
                              StringList& rejected);
// True (refuse) when either text fails ValidateIncludeText, when both name the
// same folder, or when one lies inside the other; message tells which.
bool CheckSourceDestDiffer(const std::string& destination, const std::string& source,
                           std::string& message);
// The file-name pattern line: an odd number of double quotation marks gives
// false and warning 0519 in message; otherwise tokens = the patterns of the
// line (quoted parts kept whole). An empty line gives true with tokens untouched.
bool CheckSeparatorPairs(const std::string& text, TokenList& tokens, BoxMessage& message);

// The items of length above 0, in order.
StringList DequeToListSkipEmpty(const StringList& items);
// Items not blank once trimmed, each exact text once (first occurrence first),
// kept as they stand.
StringList UniqueNonEmptyItems(const StringList& items);

} // namespace core
