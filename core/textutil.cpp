#include "core/textutil.h"

#include <cctype>

#include "core/casefold.h"
#include "core/folder_listing.h"
#include "core/folder_walk.h"
#include "core/validation.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace core {

std::string SpelledName(const wchar_t* name, size_t length) {
  std::string out;
  out.reserve(length);
  const UINT page = GetACP();
  for (size_t i = 0; i < length;) {
    if (name[i] < 0x80) {
      out += static_cast<char>(name[i++]);
      continue;
    }
    // One letter: a surrogate pair is one.
    const size_t units = (name[i] >= 0xD800 && name[i] < 0xDC00 && i + 1 < length && name[i + 1] >= 0xDC00 &&
                          name[i + 1] < 0xE000)
                             ? 2
                             : 1;
    char spelt[8];
    BOOL defaulted = FALSE;
    // A UTF-8 code page spells every letter and takes no flags.
    const int n = page == CP_UTF8
                      ? WideCharToMultiByte(page, 0, name + i, static_cast<int>(units), spelt, sizeof spelt, nullptr,
                                            nullptr)
                      : WideCharToMultiByte(page, WC_NO_BEST_FIT_CHARS, name + i, static_cast<int>(units), spelt,
                                            sizeof spelt, nullptr, &defaulted);
    bool same = n > 0 && !defaulted;
    if (same) {
      // Spelt back to the very same letter (no look-alike slipped through).
      wchar_t back[4];
      const int m = MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, spelt, n, back, 4);
      same = m == static_cast<int>(units) && back[0] == name[i] && (units == 1 || back[1] == name[i + 1]);
    }
    if (same)
      out.append(spelt, static_cast<size_t>(n));
    else
      out += '?';
    i += units;
  }
  return out;
}

std::string SpelledName(const std::wstring& name) { return SpelledName(name.data(), name.size()); }

bool ExactName(const wchar_t* wide, size_t chars, std::string& out) {
  out.clear();
  if (chars == 0) return false;
  const UINT codePage = GetACP();
  const bool utf = codePage == CP_UTF8 || codePage == CP_UTF7;
  BOOL defaulted = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, utf ? 0 : WC_NO_BEST_FIT_CHARS, wide, static_cast<int>(chars), nullptr, 0,
                                    nullptr, utf ? nullptr : &defaulted);
  if (n <= 0 || defaulted) return false;
  out.resize(static_cast<size_t>(n));
  WideCharToMultiByte(CP_ACP, utf ? 0 : WC_NO_BEST_FIT_CHARS, wide, static_cast<int>(chars), &out[0], n, nullptr,
                      utf ? nullptr : &defaulted);
  return !defaulted;
}

std::wstring WideName(const std::string& text) {
  const int chars = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(chars > 0 ? static_cast<size_t>(chars) : 0, L'\0');
  if (chars > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], chars);
  return wide;
}

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Length of the "\\server\share" part at the start of text, or 0 when the text
// does not begin with one (both names must be non-empty).
size_t NetworkDriveLength(const std::string& text) {
  if (text.size() < 5 || text[0] != '\\' || text[1] != '\\') return 0;
  size_t serverEnd = text.find('\\', 2);
  if (serverEnd == std::string::npos || serverEnd == 2) return 0;
  size_t shareEnd = text.find('\\', serverEnd + 1);
  if (shareEnd == std::string::npos) shareEnd = text.size();
  if (shareEnd == serverEnd + 1) return 0;
  return shareEnd;
}

// The root a free-space query asks about: "c:\" or "\\server\share\"; empty
// when the text has no drive part.
std::string DriveRootOf(const std::string& path) {
  std::string t = TrimSpaces(path);
  if (t.size() >= 2 && t[1] == ':' && IsAsciiLetter(t[0])) return t.substr(0, 1) + ":\\";
  size_t net = NetworkDriveLength(t);
  if (net != 0) return t.substr(0, net) + "\\";
  return std::string();
}

const char* DriveTypeText(UINT type) {
  switch (type) {
  case 0: return "Unknown";
  case 1: return "Invalid path";
  case 2: return "Removable drive";
  case 3: return "Fixed drive";
  case 4: return "Network drive";
  case 5: return "CDROM";
  case 6: return "RAM Disk";
  default: return "Unknown";
  }
}

} // namespace

// ---- Trimming, case and counting --------------------------------------------

std::string TrimText(const std::string& text) {
  // A NUL is no white space: it stays, so the rules refuse the text whole.
  auto trimmed = [](char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; };
  size_t begin = 0, end = text.size();
  while (begin < end && trimmed(text[begin])) ++begin;
  while (end > begin && trimmed(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string TrimSpaces(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string LowerCaseCopy(const std::string& text) { return FoldCase(text); }

uint32_t CountSubstring(const std::string& text, const std::string& part,
                        PositionList& positions) {
  if (part.empty()) return 0;
  uint32_t count = 0;
  size_t at = text.find(part);
  while (at != std::string::npos) {
    ++count;
    positions.push_back(static_cast<uint32_t>(at));
    at = text.find(part, at + 1);
  }
  return count;
}

bool IsOdd(int32_t number) { return number % 2 != 0; }

// ---- Path normalising and splitting -----------------------------------------

uint32_t PathLevel(std::string& path) {
  uint32_t level = 0;
  for (char& c : path) {
    if (c == '/') c = '\\';
    if (c == '\\') ++level;
  }
  return level;
}

std::string ForwardToBackslashes(const std::string& text) {
  std::string out(text);
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

namespace {
std::string CollapseRuns(const std::string& text, char what) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != what || out.empty() || out.back() != what) out.push_back(c);
  return out;
}
} // namespace

std::string CollapseDoubleBackslashes(const std::string& text) { return CollapseRuns(text, '\\'); }

std::string CollapseDoubleColons(const std::string& text) { return CollapseRuns(text, ':'); }

bool SplitDriveAndRest(const std::string& path, std::string& drive, std::string& rest) {
  size_t colon = path.find(':');
  if (colon == std::string::npos) {
    drive.clear();
    rest = path;
    return false;
  }
  drive = path.substr(0, colon + 1);
  rest = path.substr(colon + 1);
  return true;
}

bool SplitFolderAndName(std::string& path, std::string& name, std::string& folder) {
  for (char& c : path)
    if (c == '/') c = '\\';
  if (IsFolderByCurrentDirectory(path)) {
    name.clear();
    folder = path;
    return true;
  }
  size_t slash = path.rfind('\\');
  if (slash == std::string::npos) {
    name = path;
    folder.clear();
  } else {
    name = path.substr(slash + 1);
    folder = path.substr(0, slash);
  }
  return true;
}

std::string SplitParentAndLastName(const std::string& path, std::string& lastName) {
  std::string p = ForwardToBackslashes(path);
  size_t slash = p.rfind('\\');
  if (slash == std::string::npos) {
    lastName.clear();
    return p;
  }
  lastName = TrimSpaces(p.substr(slash + 1));
  return TrimSpaces(p.substr(0, slash + 1));
}

std::string ExtractFileDrive(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    // "\\server\share": up to (not including) the backslash after the share.
    int separators = 0;
    size_t i = 2;
    for (; i < path.size(); ++i) {
      if (path[i] == '\\' && ++separators == 2) break;
    }
    return path.substr(0, i);
  }
  return std::string();
}

bool HasDrivePart(const std::string& path) {
  std::string t = TrimSpaces(path);
  if (t.size() >= 2 && t[1] == ':' && IsAsciiLetter(t[0])) return true;
  return NetworkDriveLength(t) != 0;
}

// ---- Current directory -------------------------------------------------------

bool GetCurrentDirectoryString(uint32_t& length, std::string& text) {
  char buffer[MAX_PATH + 1] = {0};
  DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
  if (n == 0 || n > MAX_PATH) {
    length = 0;
    text.clear();
    return false;
  }
  length = n;
  text.assign(buffer, n);
  return true;
}

SavedCurrentDirectory::SavedCurrentDirectory() {
  uint32_t length = 0;
  GetCurrentDirectoryString(length, saved_);
}

SavedCurrentDirectory::~SavedCurrentDirectory() {
  if (!saved_.empty()) SetCurrentDirectoryA(saved_.c_str());
}

bool CanSetCurrentDirectory(const std::string& path) {
  if (path.empty()) return false;
  return SetCurrentDirectoryA(path.c_str()) != 0;
}

bool IsFolderByCurrentDirectory(const std::string& path) {
  if (path.empty()) return false;
  SavedCurrentDirectory keep;
  return CanSetCurrentDirectory(path);
}

// ---- Number texts ------------------------------------------------------------

std::string NumberToStdString(double number) {
  if (!std::isfinite(number)) return "0";
  double whole = std::trunc(number);
  if (whole == 0) return "0";
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.0f", whole);
  return buffer;
}

std::string PadNumberWithZeros(double number, double width) {
  std::string digits = NumberToStdString(number);
  double length = static_cast<double>(digits.size());
  if (width > length) digits.insert(0, static_cast<size_t>(width - length), '0');
  return digits;
}

std::string IntToStdString(int32_t number) { return std::to_string(number); }

std::string UIntToStdString(uint32_t number) { return std::to_string(number); }

std::string UInt64ToStdString(uint64_t number) { return std::to_string(number); }

std::string CounterText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  std::string text = buffer;
  // Large values in the general format's exponent style: 1.2E15, 5E-7.
  size_t e = text.find('e');
  if (e != std::string::npos) {
    std::string mantissa = text.substr(0, e);
    char sign = text[e + 1];
    std::string digits = text.substr(e + 2);
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    text = mantissa + "E" + (sign == '-' ? "-" : "") + digits;
  }
  return text;
}

std::string FormatByteSize(uint64_t bytes, double& quotient, std::string& unit) {
  const double value = static_cast<double>(bytes);
  if (value / 1073741824.0 > 1) {
    quotient = value / 1073741824.0;
    unit = " GB";
  } else if (value / 1048576.0 > 1) {
    quotient = value / 1048576.0;
    unit = " MB";
  } else if (value / 1024.0 > 1) {
    quotient = value / 1024.0;
    unit = " KB";
  } else {
    quotient = value;
    unit = " Bytes";
  }
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.2f%s", quotient, unit.c_str());
  return buffer;
}

std::string FormatByteSize(uint64_t bytes) {
  double quotient = 0;
  std::string unit;
  return FormatByteSize(bytes, quotient, unit);
}

// ---- Drives ------------------------------------------------------------------

namespace {
// The drives and their types, as the system last told them. Drives come and go
// rarely, while a list of thousands of paths asks for each entry (and under
// Wine each question costs milliseconds), so an answer is reused for a second.
struct DriveFacts {
  DWORD askedAt = 0;
  bool valid = false;
  std::string letters;             // folded drive letters, in the system's order
  std::vector<std::string> names;  // type name of each letter
};

const DriveFacts& CurrentDriveFacts() {
  static DriveFacts facts;
  DWORD now = GetTickCount();
  if (facts.valid && now - facts.askedAt < 1000) return facts;
  facts = DriveFacts();
  facts.askedAt = now;
  // The whole list of drive roots ("a:\", "c:\", ...), however many there are.
  std::vector<char> roots(128, '\0');
  DWORD n = GetLogicalDriveStringsA(static_cast<DWORD>(roots.size()), roots.data());
  if (n > roots.size()) {
    roots.assign(n + 1, '\0');
    n = GetLogicalDriveStringsA(static_cast<DWORD>(roots.size()), roots.data());
  }
  if (n == 0 || n > roots.size()) return facts;
  facts.valid = true;
  for (const char* root = roots.data(); *root; root += std::strlen(root) + 1) {
    facts.letters.push_back(FoldChar(root[0]));
    facts.names.push_back(DriveTypeText(GetDriveTypeA(root)));
  }
  return facts;
}
} // namespace

bool GetDriveTypeName(std::string path, std::string& name) {
  name.clear();
  if (path.empty()) return false;
  const DriveFacts& facts = CurrentDriveFacts();
  size_t at = facts.letters.find(FoldChar(path[0]));
  if (at == std::string::npos) return false;
  name = facts.names[at];
  return true;
}

DiskSpace QueryDriveFreeSpace(std::string path, std::string& root) {
  root = DriveRootOf(path);
  if (root.empty()) return DiskSpace();
  return FreeSpace().Query(root);
}

uint64_t GetFreeSpaceText(std::string path, std::string& root) {
  DiskSpace space = QueryDriveFreeSpace(std::move(path), root);
  return space.known ? space.freeToCaller : 0;
}

// ---- Folders -----------------------------------------------------------------

bool IsExistingDirectory(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// Length of the part of a full path that cannot be created: 3 for "X:\", the
// whole "\\server\share\" for a network path; 0 when the path is not full.
size_t FullPathRootLength(const std::string& path) {
  if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
      path[2] == '\\')
    return 3;
  if (path.size() > 2 && path[0] == '\\' && path[1] == '\\') {
    size_t server = path.find('\\', 2);
    if (server == std::string::npos || server == 2) return 0;
    size_t share = path.find('\\', server + 1);
    return share == std::string::npos ? path.size() : share + 1;
  }
  return 0;
}
} // namespace

namespace {
// stamps, when given, takes the stamp of each folder made, as make reads it
// (else through the handle its creation opened); error the system's answer
// when one fails.
MakeFolderResult MakeLevels(const std::string& path, size_t root, std::vector<std::string>& created,
                            std::vector<ItemStamp>* stamps, DWORD& error, const FolderMaker* make) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    ItemStamp stamp;
    error = make ? (*make)(path, stamp)
            : stamps ? CreateFolderStamped(path, stamp)
                     : CreateDirectoryA(path.c_str(), nullptr) ? 0 : GetLastError();
    if (error == 0) {
      // The call's success is the directory standing there: no look-up after
      // it (the names a system answers with success without making anything,
      // devices, are refused before any call).
      created.push_back(path);
      if (stamps) stamps->push_back(stamp);
      return MakeFolderResult::Created;
    }
    if (error != ERROR_PATH_NOT_FOUND || attempt == 1) {  // e.g. a read-only share
      if (!IsExistingDirectory(path)) return MakeFolderResult::Failed;
      error = 0;
      return MakeFolderResult::Exists;
    }
    std::string parent = path.substr(0, path.find_last_of('\\'));
    if (parent.size() < root || MakeLevels(parent, root, created, stamps, error, make) == MakeFolderResult::Failed)
      return MakeFolderResult::Failed;
  }
  return MakeFolderResult::Failed;
}
} // namespace

namespace {
std::string WithoutTrailingBackslashesAfter(const std::string& text, size_t root) {
  size_t end = text.size();
  while (end > root && text[end - 1] == '\\') --end;
  return text.substr(0, end);
}
} // namespace

bool IsCreatableFolderPath(const std::string& text) {
  const size_t root = FullPathRootLength(text);
  if (root == 0) return false;
  const std::string path = WithoutTrailingBackslashesAfter(text, root);
  if (path.size() >= kFolderPathLimit) return false;
  std::string fault;
  if (!CheckNameParts(path, fault)) return false;  // a device, a changed name, a control character
  return path.find_first_of("<>:\"|?*", ExtractFileDrive(path).size()) == std::string::npos;
}

MakeFolderResult MakeFolderLevels(const std::string& text, std::vector<std::string>* created,
                                  std::vector<ItemStamp>* stamps, DWORD* error) {
  return MakeFolderLevels(text, created, stamps, error, nullptr);
}

MakeFolderResult MakeFolderLevels(const std::string& text, std::vector<std::string>* created,
                                  std::vector<ItemStamp>* stamps, DWORD* error, const FolderMaker* make) {
  DWORD answer = 0;
  if (!error) error = &answer;
  *error = 0;
  // Run and simulation share this rule; nothing is asked of the system before it.
  if (!IsCreatableFolderPath(text)) {
    *error = ERROR_INVALID_NAME;
    return MakeFolderResult::Failed;
  }
  const size_t root = FullPathRootLength(text);
  const std::string path = WithoutTrailingBackslashesAfter(text, root);
  if (path.size() <= root) {  // a drive or share root: nothing to create
    if (IsExistingDirectory(path)) return MakeFolderResult::Exists;
    *error = ERROR_PATH_NOT_FOUND;
    return MakeFolderResult::Failed;
  }
  std::vector<std::string> made;
  std::vector<ItemStamp> madeStamps;
  MakeFolderResult result = MakeLevels(path, root, made, created && stamps ? &madeStamps : nullptr, *error, make);
  if (result == MakeFolderResult::Failed) {
    // The parents this attempt made are empty and ours: the disk stays as it was.
    for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryA(it->c_str());
    return result;
  }
  if (created) created->insert(created->end(), made.begin(), made.end());
  if (created && stamps) stamps->insert(stamps->end(), madeStamps.begin(), madeStamps.end());
  return result;
}

bool DeleteFolderContents(const std::string& folder) { return RemoveFolderContents(folder).Complete(); }

bool HasAtMostSubFolders(uint32_t limit, const std::string& folder) {
  if (folder.empty()) return true;
  const std::string base =
      folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
  SavedCurrentDirectory keep;
  uint32_t count = 0;
  ForEachFolderEntry(base, "*.*", [&](const WIN32_FIND_DATAA& data) {
    if (count <= limit && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        CanSetCurrentDirectory(base + "\\" + data.cFileName))
      ++count;
  }, [&](const KeptEntry& entry) {
    // A subfolder no path reaches is one all the same.
    if (entry.folder) ++count;
  });
  return count <= limit;
}

} // namespace core
