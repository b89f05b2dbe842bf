// The system calls the Rename, Delete and Copy runs make per item, written out
// plainly for the benchmarks' bare loops: the place check (the item's own name
// opened for deleting, the system asked where it is; its folder's place asked
// once), then the action on the same handle. A run within 1.1x of these loops
// costs little beyond the calls it must make; the loops of the action alone
// (MoveFileA, DeleteFileA, CopyFileA) are printed beside them for comparison.
#pragma once
#include "bench/bench_timing.h"

#include <windows.h>
#include <winternl.h>

#include "core/folder_scan.h"
#include "support/temp_dir.h"

#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// The benches' names: stem and a five-digit number.
inline std::string Name(const char* stem, int i) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%s%05d", stem, i);
  return buffer;
}

// A file of ten bytes, made only where nothing stands.
inline void SmallFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written;
  WriteFile(h, "0123456789", 10, &written, nullptr);
  CloseHandle(h);
}

// Runs the measurements of one slice, starting with a different one each slice.
inline void InTurns(int slice, const std::vector<std::function<void()>>& measurements) {
  for (size_t i = 0; i < measurements.size(); ++i) measurements[(slice + i) % measurements.size()]();
}

// The copy benches' structure: 200 folders (20 of 9 subfolders each) and
// 1,000 files (5 in each).
inline void MakeStructure(const std::string& structure) {
  std::vector<std::string> relFolders;
  for (int a = 0; a < 20; ++a) {
    relFolders.push_back(Name("a", a));
    for (int b = 0; b < 9; ++b) relFolders.push_back(Name("a", a) + "\\" + Name("b", b));
  }
  for (const std::string& f : relFolders) {
    testsupport::MakeFolders(structure + "\\" + f);
    for (int i = 0; i < 5; ++i) SmallFile(structure + "\\" + f + "\\" + Name("f", i) + ".txt");
  }
}

// The delete run's calls on folders (deepest first) and the files lying in
// them: as the run plans before it acts, every folder is listed first, then
// each file is acted on, then each folder. (Under Wine acting on files long
// after their folder was listed costs more than acting right after: a loop
// that lists and acts folder by folder would not be the run's calls.)
inline void PlannedDeletes(const std::vector<std::string>& folders,
                           const std::function<void(const std::string&, bool)>& act) {
  std::vector<std::string> files;
  for (const std::string& folder : folders)
    core::ForEachFolderEntry(folder, "*", [&](const WIN32_FIND_DATAA& f) {
      if (!(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(folder + "\\" + f.cFileName);
    });
  for (const std::string& file : files) act(file, false);
  for (const std::string& folder : folders) act(folder, true);
}

// The bare copy of a structure into target: level by level, each folder made,
// each file handed to copy.
inline void CopyStructure(const std::string& structure, const std::string& target,
                          const std::function<void(const std::string&, const std::string&)>& copy) {
  std::deque<std::string> queue{""};
  while (!queue.empty()) {
    const std::string rel = queue.front();
    queue.pop_front();
    std::vector<std::string> files;
    core::ForEachFolderEntry(rel.empty() ? structure : structure + "\\" + rel, "*", [&](const WIN32_FIND_DATAA& d) {
      const std::string child = rel.empty() ? std::string(d.cFileName) : rel + "\\" + d.cFileName;
      if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        CreateDirectoryA((target + "\\" + child).c_str(), nullptr);
        queue.push_back(child);
      } else {
        files.push_back(child);
      }
    });
    for (const std::string& f : files) copy(structure + "\\" + f, target + "\\" + f);
  }
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Where path is: an open, a query, a close (the check of an item's folder).
inline void Where(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  char where[MAX_PATH + 16];
  GetFinalPathNameByHandleA(h, where, sizeof where, 0);
  CloseHandle(h);
}

// The item's own name opened for deleting, and where it is.
inline HANDLE OpenChecked(const std::string& path, bool folder) {
  HANDLE h = CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                         (folder ? FILE_FLAG_BACKUP_SEMANTICS : 0) | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  char where[MAX_PATH + 16];
  GetFinalPathNameByHandleA(h, where, sizeof where, 0);
  return h;
}

inline void DeleteChecked(const std::string& path, bool folder) {
  HANDLE h = OpenChecked(path, folder);
  if (folder) {
    FILE_ATTRIBUTE_TAG_INFO tag;
    GetFileInformationByHandleEx(h, FileAttributeTagInfo, &tag, sizeof tag);
  }
  FILE_DISPOSITION_INFO disposition{TRUE};
  SetFileInformationByHandle(h, FileDispositionInfo, &disposition, sizeof disposition);
  CloseHandle(h);
}

// Renames the item open at h to the full path to, never over an existing item.
inline void RenameHandle(HANDLE h, const std::string& to) {
  const std::string full = "\\??\\" + to;
  std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + full.size() * sizeof(WCHAR));
  FILE_RENAME_INFO* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = FALSE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(full.size() * sizeof(WCHAR));
  MultiByteToWideChar(CP_ACP, 0, full.data(), static_cast<int>(full.size()), info->FileName,
                      static_cast<int>(full.size()));
  SetFileInformationByHandle(h, FileRenameInfo, info, static_cast<DWORD>(buffer.size()));
}

// The rename run's calls for the folders of one parent: the parent's place
// once (with its identity, for its volume), then for each folder its checked
// open, its attributes and index read through that handle (the undo's
// record), and the rename through it.
template <class Folders, class NewName>
void RenameFoldersChecked(const std::string& parent, const Folders& folders, const NewName& to) {
  HANDLE p = CreateFileA(parent.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  char where[MAX_PATH + 16];
  GetFinalPathNameByHandleA(p, where, sizeof where, 0);
  BY_HANDLE_FILE_INFORMATION identity;
  GetFileInformationByHandle(p, &identity);
  CloseHandle(p);
  for (const std::string& folder : folders) {
    HANDLE h = OpenChecked(folder, true);
    FILE_BASIC_INFO basic;
    GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic);
    struct {
      LARGE_INTEGER index;
    } internal;
    IO_STATUS_BLOCK status;
    NtQueryInformationFile(h, &status, &internal, sizeof internal, static_cast<FILE_INFORMATION_CLASS>(6));
    RenameHandle(h, to(folder));
    CloseHandle(h);
  }
}

// The copy of one file as the copy run makes it, with what its undo keeps: the
// real name looked at, the content read once and written under a temporary
// name beside it (the new file's place asked), a digest of it made on the way
// and of what it holds read back, the source's time and attributes set, the
// copy's time read, its place asked again, and the rename to its real name.
inline void CopyRecorded(const std::string& from, const std::string& to) {
  HANDLE source = CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  FILE_BASIC_INFO basic{};
  GetFileInformationByHandleEx(source, FileBasicInfo, &basic, sizeof basic);
  GetFileAttributesA(to.c_str());
  const std::string temporary = to + ".~vx00000000";
  HANDLE target = CreateFileA(temporary.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  char where[MAX_PATH + 16];
  GetFinalPathNameByHandleA(target, where, sizeof where, 0);
  static std::vector<unsigned char> buffer(1 << 18);
  DWORD got = 0, written = 0;
  uint64_t sum = 0;
  while (ReadFile(source, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got) {
    WriteFile(target, buffer.data(), got, &written, nullptr);
    for (DWORD i = 0; i < got; ++i) sum = sum * 31 + buffer[i];
  }
  CloseHandle(source);
  FILE_STANDARD_INFO standard;
  GetFileInformationByHandleEx(target, FileStandardInfo, &standard, sizeof standard);
  LARGE_INTEGER start{};
  SetFilePointerEx(target, start, nullptr, FILE_BEGIN);
  while (ReadFile(target, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got)
    for (DWORD i = 0; i < got; ++i) sum = sum * 31 + buffer[i];
  FILE_BASIC_INFO set{};
  set.LastWriteTime = basic.LastWriteTime;
  set.FileAttributes = FILE_ATTRIBUTE_NORMAL;
  SetFileInformationByHandle(target, FileBasicInfo, &set, sizeof set);
  GetFileInformationByHandleEx(target, FileBasicInfo, &basic, sizeof basic);
  GetFinalPathNameByHandleA(target, where, sizeof where, 0);
  RenameHandle(target, to);
  CloseHandle(target);
}

// The system's own bulk delete of a folder tree, as a user types it: cmd's
// "rmdir /s /q", in a process of its own, waited for.
inline void RmdirSQ(const std::string& folder) {
  std::string command = "cmd.exe /c rmdir /s /q \"" + folder + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &process))
    return;
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

// "what: items in s = n/s = r1 x the same calls (s), r2 x the action alone (s)".
inline void ReportBoth(const char* what, double items, double seconds, double same, double plain,
                       const char* unit = "items") {
  std::printf("%-44s %9.0f %s in %7.3f s = %8.0f %s/s = %.2f x the same calls (%.3f s), %.2f x the action alone "
              "(%.3f s)\n",
              what, items, unit, seconds, seconds > 0 ? items / seconds : 0.0, unit, same > 0 ? seconds / same : 0.0,
              same, plain > 0 ? seconds / plain : 0.0, plain);
}

// The same line with the system's own bulk delete beside them: "..., r3 x rmdir /s /q (s)".
inline void ReportWithRmdir(const char* what, double items, double seconds, double same, double plain, double rmdir,
                            const char* unit = "items") {
  std::printf("%-44s %9.0f %s in %7.3f s = %8.0f %s/s = %.2f x the same calls (%.3f s), %.2f x the action alone "
              "(%.3f s), %.2f x rmdir /s /q (%.3f s)\n",
              what, items, unit, seconds, seconds > 0 ? items / seconds : 0.0, unit, same > 0 ? seconds / same : 0.0,
              same, plain > 0 ? seconds / plain : 0.0, plain, rmdir > 0 ? seconds / rmdir : 0.0, rmdir);
}

} // namespace bench
