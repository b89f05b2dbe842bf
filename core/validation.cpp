#include "core/validation.h"

#include "core/casefold.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>

namespace core {

namespace {

// C-locale character classes, independent of any locale the program sets.
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsPunct(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 0x21 && u <= 0x2F) || (u >= 0x3A && u <= 0x40) || (u >= 0x5B && u <= 0x60) ||
         (u >= 0x7B && u <= 0x7E);
}

std::string Normalise(const std::string& text) {
  return CollapseDoubleColons(CollapseDoubleBackslashes(ForwardToBackslashes(text)));
}

struct IllegalSets {
  std::vector<std::string> byDefault, h, f;
  IllegalSets() {
    Fill(byDefault, "\"*[];|<>?");
    Fill(h, "*\"[];|<>?:");
    Fill(f, "*\"[];|<>?:\\/");
  }
  static void Fill(std::vector<std::string>& set, const char* chars) {
    set.clear();
    for (const char* p = chars; *p; ++p) set.emplace_back(1, *p);
  }
};

IllegalSets& Sets() {
  static IllegalSets sets;
  return sets;
}

// Splits text (already with backslashes) at drive starts. withLeading: text
// before the first drive start is an item, and a text without any drive start
// is one item.
StringList SplitAtDriveStarts(const std::string& text, bool withLeading) {
  StringList items;
  const size_t end = text.size();
  size_t pos = FindDriveStart(text, 0, end);
  if (pos == end) {
    if (withLeading) items.push_back(text);
    return items;
  }
  if (withLeading && pos > 0) items.push_back(text.substr(0, pos));
  while (pos < end) {
    size_t pathEnd = FindDrivePathEnd(text, pos, end);
    items.push_back(text.substr(pos, pathEnd - pos));
    pos = pathEnd < end ? FindDriveStart(text, pathEnd, end) : end;
  }
  return items;
}

// The path without blanks at the ends and without trailing backslashes, for
// comparing folders.
std::string FolderKey(const std::string& path) {
  std::string t = TrimSpaces(path);
  while (!t.empty() && t.back() == '\\') t.pop_back();
  return FoldCase(t);
}

// True when inner names a folder below outer (whole folder names).
bool LiesInside(const std::string& innerKey, const std::string& outerKey) {
  return !outerKey.empty() && innerKey.size() > outerKey.size() + 1 &&
         innerKey.compare(0, outerKey.size(), outerKey) == 0 &&
         innerKey[outerKey.size()] == '\\';
}

} // namespace

// ---- Illegal characters ----------------------------------------------------

void BuildIllegalCharSetDefault() { IllegalSets::Fill(Sets().byDefault, "\"*[];|<>?"); }
void BuildIllegalCharSetH() { IllegalSets::Fill(Sets().h, "*\"[];|<>?:"); }
void BuildIllegalCharSetF() { IllegalSets::Fill(Sets().f, "*\"[];|<>?:\\/"); }

const std::vector<std::string>& IllegalCharSet(const std::string& mode) {
  if (mode == "F") return Sets().f;
  if (mode == "H") return Sets().h;
  return Sets().byDefault;
}

bool FindIllegalChar(const std::string& mode, const std::string& text, std::string& character) {
  bool illegal[256] = {false};
  for (const std::string& s : IllegalCharSet(mode))
    if (!s.empty()) illegal[static_cast<unsigned char>(s[0])] = true;
  for (char c : text) {
    if (illegal[static_cast<unsigned char>(c)]) {
      character.assign(1, c);
      return true;
    }
  }
  return false;
}

// ---- Drive letters and folder names ------------------------------------------

bool CheckDriveLetters(const std::string& text, std::string& message) {
  size_t colon = text.find(':');
  if (colon == std::string::npos) {
    message = "Not found any colon (:) in the text !!!!";
    return false;
  }
  for (; colon != std::string::npos; colon = text.find(':', colon + 1)) {
    if (colon == 0) {
      message = "The colon (:) is the first character in the text.";
      return false;
    }
    if (colon + 1 == text.size()) {
      message = "The colon (:) is the last character in the text.";
      return false;
    }
    if (!IsLetter(text[colon - 1])) {
      message = "There is(are) no drive letter(s) before colon(s) (:) : " +
                std::string(1, text[colon - 1]);
      return false;
    }
  }
  message = "There is(are) a drive letter(s) before colon(s) (:).";
  return true;
}

bool ValidateIncludeText(const std::string& text, std::string& normalised,
                         std::string& message) {
  if (text.empty()) {
    message = "The text field is empty !\nAction : You must enter a text to add to the "
              "Include Folder List.";
    return false;
  }
  std::string character;
  if (FindIllegalChar("n", text, character)) {
    message = "Illegal character in the text : " + character;
    return false;
  }
  normalised = Normalise(text);
  return true;
}

bool ValidateFolderName(const std::string& text, std::string& message) {
  const std::string drive = ExtractFileDrive(TrimText(text));
  if (drive.empty()) {
    message = "This item is not a valid Folder Name (No drive letter) !";
    return false;
  }
  std::string typeName;
  if (!GetDriveTypeName(drive, typeName)) {
    message = "There is no valid drive letter.";
    return false;
  }
  const std::string t = TrimSpaces(text);
  std::string drivePart, rest;
  SplitDriveAndRest(t, drivePart, rest);
  if (TrimSpaces(rest).size() < 2) {
    message = "There is no Folder part (just root).";
    return false;
  }
  // "c:abc" names a folder relative to the drive's current directory, which
  // the user cannot see: only paths from the root are taken.
  if (rest[0] != '\\') {
    message = "This item is not a valid Folder Name (No backslash after the drive letter) !";
    return false;
  }
  std::string character;
  if (FindIllegalChar("N", t, character)) {
    message = "Illegal character in the folder name : " + character;
    return false;
  }
  // A colon after the drive part cannot stand in a folder name.
  if (rest.find(':') != std::string::npos) {
    message = "Illegal character in the folder name : :";
    return false;
  }
  return CheckNameParts(t, message);
}

bool FindControlCharacter(std::string_view text, std::string& character) {
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 32) {
      character = "(character code " + std::to_string(u) + ")";
      return true;
    }
  }
  return false;
}

bool IsDeviceName(std::string_view part) {
  // The system takes a device name before the first dot, blanks before the
  // dot ignored, for the device whatever follows.
  std::string_view base = part.substr(0, part.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  if (base.size() < 3 || base.size() > 7) return false;
  std::string lower(base);
  for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  static const char* const kDevices[] = {"con", "prn", "aux", "nul", "conin$", "conout$"};
  for (const char* d : kDevices)
    if (lower == d) return true;
  return lower.size() == 4 && (lower.compare(0, 3, "com") == 0 || lower.compare(0, 3, "lpt") == 0) &&
         lower[3] >= '1' && lower[3] <= '9';
}

std::string NamePartFault(const std::string& part) {
  std::string control;
  if (FindControlCharacter(part, control)) return "Illegal character in the folder name : " + control;
  if (part.find(':') != std::string::npos) return "Illegal character in the folder name : :";
  if (part == "." || part == "..")
    return "Illegal folder name (\".\" and \"..\" name no new folder) : " + part;
  if (!part.empty() && (part.back() == '.' || part.back() == ' '))
    return "Illegal folder name (it ends with a dot or a blank) : " + part;
  if (IsDeviceName(part)) return "Illegal folder name (it is the name of a device) : " + part;
  return std::string();
}

bool CheckNameParts(const std::string& path, std::string& message) {
  size_t from = ExtractFileDrive(path).size();
  while (from <= path.size()) {
    size_t end = path.find_first_of("\\/", from);
    if (end == std::string::npos) end = path.size();
    if (end > from) {
      std::string fault = NamePartFault(path.substr(from, end - from));
      if (!fault.empty()) {
        message = fault;
        return false;
      }
    }
    from = end + 1;
  }
  return true;
}

bool ParseManualText(const std::string& text, StringList& items, std::string& normalised,
                     std::string& message) {
  if (!ValidateIncludeText(text, normalised, message)) return false;
  StringList paths = SplitDrivePaths(normalised);
  for (std::string& p : paths) items.push_back(std::move(p));
  return true;
}

bool ParseManualText(const std::string& text, StringList& items, std::string& message) {
  std::string normalised;
  return ParseManualText(text, items, normalised, message);
}

// ---- Path lists --------------------------------------------------------------

size_t FindDriveStart(const std::string& text, size_t from, size_t end) {
  end = std::min(end, text.size());
  size_t colon = from < end ? text.find(':', from) : std::string::npos;
  while (colon != std::string::npos && colon < end) {
    // The drive letter must stand alone: "Notes:2013" or "c:\ad:\b" hold no
    // drive start after their first one.
    if (colon != from && colon + 1 < end && IsLetter(text[colon - 1]) &&
        (colon < 2 || !(IsLetter(text[colon - 2]) || IsDigit(text[colon - 2])))) {
      char next = text[colon + 1];
      if (IsLetter(next) || IsDigit(next) || IsPunct(next)) return colon - 1;
    }
    colon = text.find(':', colon + 1);
  }
  return end;
}

size_t FindDrivePathEnd(const std::string& text, size_t start, size_t end) {
  end = std::min(end, text.size());
  if (start + 2 >= end) return end;
  // A path ends only where a real drive start begins; any other colon stays
  // inside it, so the validation sees it.
  return FindDriveStart(text, start + 2, end);
}

StringList SplitPathList(const std::string& text) {
  return SplitAtDriveStarts(ForwardToBackslashes(text), true);
}

StringList SplitDrivePaths(const std::string& text) {
  return SplitAtDriveStarts(ForwardToBackslashes(text), false);
}

StringList SmartImportParse(const std::string& text) { return SplitPathList(Normalise(text)); }

void ParseAndValidatePathList(const std::string& text, StringList& accepted,
                              StringList& rejected) {
  StringList items = SmartImportParse(text);
  std::string message;
  StringList afterDrives, afterNames;
  for (std::string& item : items)
    (CheckDriveLetters(item, message) ? afterDrives : rejected).push_back(std::move(item));
  for (std::string& item : afterDrives)
    (ValidateFolderName(item, message) ? afterNames : rejected).push_back(std::move(item));
  for (std::string& item : afterNames)
    (item.size() >= 255 ? rejected : accepted).push_back(std::move(item));
}

bool CheckSourceDestDiffer(const std::string& destination, const std::string& source,
                           std::string& message) {
  std::string normalSource, normalDestination;
  if (!ValidateIncludeText(source, normalSource, message)) return true;
  if (!ValidateIncludeText(destination, normalDestination, message)) return true;
  const std::string names = "\nDestination Folder : " + destination + "\n" +
                            "Source Folder      : " + source;
  const std::string head = "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\n";
  if (SameText(normalDestination, normalSource)) {
    message = head + "The Destination Folder is the same as the source Folder !!! " + names;
    return true;
  }
  const std::string destinationKey = FolderKey(normalDestination);
  const std::string sourceKey = FolderKey(normalSource);
  if (destinationKey == sourceKey) {
    message = head + "The Destination Folder is the same as the source Folder !!! " + names;
    return true;
  }
  if (LiesInside(destinationKey, sourceKey)) {
    message = head + "The Destination Folder lies inside the source Folder !!! " + names;
    return true;
  }
  if (LiesInside(sourceKey, destinationKey)) {
    message = head + "The source Folder lies inside the Destination Folder !!! " + names;
    return true;
  }
  return false;
}

bool CheckSeparatorPairs(const std::string& text, TokenList& tokens, BoxMessage& message) {
  if (text.empty()) return true;
  tokens.clear();
  PositionList positions;
  const uint32_t count = CountSubstring(text, "\"", positions);
  if (count % 2 != 0) {
    message = Compose(kCoreMessages[CoreMsg::UnpairedMarks], UIntToStdString(count));
    return false;
  }
  tokens = SplitQuotedOnWhiteSpace(text, std::string(), positions);
  return true;
}

// ---- Lists -------------------------------------------------------------------

StringList DequeToListSkipEmpty(const StringList& items) {
  StringList out;
  for (const std::string& item : items)
    if (!item.empty()) out.push_back(item);
  return out;
}

StringList UniqueNonEmptyItems(const StringList& items) {
  StringList out;
  std::unordered_set<std::string> kept;
  kept.reserve(items.size());
  for (const std::string& item : items) {
    if (TrimText(item).empty()) continue;
    if (kept.insert(item).second) out.push_back(item);
  }
  return out;
}

} // namespace core
