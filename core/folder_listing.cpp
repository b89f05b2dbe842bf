#include "core/folder_listing.h"

#include "core/on_threads.h"
#include "core/textutil.h"
#include "core/validation.h"

#include <cstring>
#include <cwchar>

#include <winternl.h>

namespace core {

namespace {

extern "C" NTSTATUS NTAPI NtQueryDirectoryFile(HANDLE, HANDLE, PVOID, PVOID, PIO_STATUS_BLOCK, PVOID, ULONG,
                                               FILE_INFORMATION_CLASS, BOOLEAN, PUNICODE_STRING, BOOLEAN);
constexpr NTSTATUS kNoMoreFiles = static_cast<NTSTATUS>(0x80000006);
constexpr NTSTATUS kNoSuchFile = static_cast<NTSTATUS>(0xC000000F);

} // namespace

uint64_t FindDataSize(const WIN32_FIND_DATAA& data) {
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool FindDataIsFolder(const WIN32_FIND_DATAA& data) {
  return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FindDataIsReparsePoint(const WIN32_FIND_DATAA& data) {
  return (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

namespace {

constexpr char kCannotAddress[] = "a name this system cannot address";

std::string Because(const char* why) { return std::string(kCannotAddress) + " (" + why + ")"; }

// The name in this code page when it spells back to the very same Unicode
// name: no look-alike ("a" for "α", "txt" for full-width letters) and no "?"
// for a letter it has not. When it does not, shown gets it with each letter
// the code page cannot spell as "?" (SpelledName): it can never be taken for
// another name.
bool SpellsBack(const wchar_t* wide, char (&narrow)[MAX_PATH], std::string& shown) {
  // Plain ASCII (nearly every name) is the same in every code page.
  size_t ascii = 0;
  for (; wide[ascii] && wide[ascii] < 0x80 && ascii + 1 < MAX_PATH; ++ascii) narrow[ascii] = static_cast<char>(wide[ascii]);
  if (!wide[ascii]) {
    narrow[ascii] = 0;
    return true;
  }
  BOOL defaulted = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, narrow, MAX_PATH, nullptr, &defaulted);
  if (n > 0 && !defaulted) {
    WCHAR back[MAX_PATH];
    const int m = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, narrow, -1, back, MAX_PATH);
    if (m > 0 && std::wcscmp(back, wide) == 0) return true;
  }
  shown = SpelledName(wide, std::wcslen(wide));
  return false;
}

// What is shown of a kept name: control characters as "?".
std::string Printable(std::string name) {
  for (char& c : name)
    if (static_cast<unsigned char>(c) < 32) c = '?';
  return name;
}

} // namespace

KeptPath KeptIn(const std::string& folder, const KeptEntry& entry) {
  KeptPath kept;
  kept.path = folder + "\\" + entry.name;
  kept.reason = entry.reason;
  kept.folder = entry.folder;
  return kept;
}

std::string ListedNameFault(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return Because("it is \".\" or \"..\"");
  for (char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    // Every character that can be wrong is below 128; letters pass at once.
    if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u >= 0x80) continue;
    if (c == '\\' || c == '/') return Because("it holds \"\\\" or \"/\"");
    if (u < 32) return Because("it holds a control character");
    if (std::strchr("<>:\"|?*", c)) return Because("it holds one of < > : \" | ? *");
  }
  if (name.back() == '.' || name.back() == ' ') return Because("it ends in a dot or a blank");
  if (IsDeviceName(name)) return Because("a device name");
  return std::string();
}

bool ForEachFolderEntry(const std::string& folder, const std::string& mask,
                        const std::function<void(const WIN32_FIND_DATAA&)>& visit,
                        const std::function<void(const KeptEntry&)>& kept) {
  const std::string search = folder + "\\" + mask;
  WCHAR wide[MAX_PATH * 4];
  const int chars = MultiByteToWideChar(CP_ACP, 0, search.c_str(), -1, wide, MAX_PATH * 4);
  if (chars <= 0) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(wide, &found);
  if (find == INVALID_HANDLE_VALUE) return false;
  WIN32_FIND_DATAA data;
  std::string shown;
  do {
    const wchar_t* w = found.cFileName;
    if (w[0] == L'.' && (w[1] == 0 || (w[1] == L'.' && w[2] == 0))) continue;
    std::string fault;
    if (!SpellsBack(w, data.cFileName, shown)) fault = Because("letters this code page cannot spell");
    else if (!(fault = ListedNameFault(data.cFileName)).empty()) shown = data.cFileName;
    if (!fault.empty()) {
      if (kept) {
        KeptEntry entry;
        entry.name = Printable(shown);
        entry.reason = std::move(fault);
        entry.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.size = entry.folder ? 0 : (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        kept(entry);
      }
      continue;
    }
    data.dwFileAttributes = found.dwFileAttributes;
    data.ftCreationTime = found.ftCreationTime;
    data.ftLastAccessTime = found.ftLastAccessTime;
    data.ftLastWriteTime = found.ftLastWriteTime;
    data.nFileSizeHigh = found.nFileSizeHigh;
    data.nFileSizeLow = found.nFileSizeLow;
    data.dwReserved0 = found.dwReserved0;
    data.dwReserved1 = found.dwReserved1;
    // The short name answers look-ups as the system's own search would (a
    // name typed as "A_RA~42N" is the folder that has it); one that is not
    // plain names nothing this program may reach.
    data.cAlternateFileName[0] = 0;
    if (found.cAlternateFileName[0]) {
      char alias[MAX_PATH];
      std::string unspelled;
      if (SpellsBack(found.cAlternateFileName, alias, unspelled) && std::strlen(alias) < sizeof data.cAlternateFileName &&
          ListedNameFault(alias).empty())
        std::memcpy(data.cAlternateFileName, alias, std::strlen(alias) + 1);
    }
    visit(data);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return true;
}

std::vector<FolderListing> ListFolders(const std::vector<std::string>& folders, const std::string& mask) {
  std::vector<FolderListing> listings(folders.size());
  OnThreads(folders.size(), [&](size_t i) {
    FolderListing& listing = listings[i];
    listing.opened = ForEachFolderEntry(
        folders[i], mask, [&](const WIN32_FIND_DATAA& data) { listing.entries.push_back(data); },
        [&](const KeptEntry& entry) { listing.kept.push_back(entry); });
    if (!listing.opened) listing.error = GetLastError();
  });
  return listings;
}

bool ForEachListedEntry(HANDLE folder, const std::wstring& mask,
                        const std::function<void(const FILE_ID_BOTH_DIR_INFO&)>& visit) {
  if (folder == INVALID_HANDLE_VALUE) return false;
  std::wstring pattern = mask;
  UNICODE_STRING asked;
  asked.Buffer = pattern.empty() ? nullptr : &pattern[0];
  asked.Length = asked.MaximumLength = static_cast<USHORT>(pattern.size() * sizeof(wchar_t));
  std::vector<LONGLONG> buffer(64 * 1024 / sizeof(LONGLONG));
  for (bool first = true;; first = false) {
    IO_STATUS_BLOCK io{};
    const NTSTATUS status = NtQueryDirectoryFile(folder, nullptr, nullptr, nullptr, &io, buffer.data(),
                                                 static_cast<ULONG>(buffer.size() * sizeof(LONGLONG)),
                                                 FileIdBothDirectoryInformation, FALSE,
                                                 first && !pattern.empty() ? &asked : nullptr, first ? TRUE : FALSE);
    if (status == kNoMoreFiles || status == kNoSuchFile) return true;
    if (status != 0 || io.Information == 0) return false;
    const char* at = reinterpret_cast<const char*>(buffer.data());
    for (;;) {
      const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
      visit(*entry);
      if (entry->NextEntryOffset == 0) break;
      at += entry->NextEntryOffset;
    }
  }
}

bool FolderHidesEntry(const std::string& folder, const std::string& name) {
  // Found, it is listed too; not found, nothing holds the name. Under Wine an
  // entry the search matched but left out (its target missing) ends the
  // search with "no more files" instead.
  if (ForEachFolderEntry(folder, name, [](const WIN32_FIND_DATAA&) {})) return false;
  return GetLastError() == ERROR_NO_MORE_FILES;
}

} // namespace core
