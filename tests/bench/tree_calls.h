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
#include <cstring>
#include <deque>
#include <memory>
#include <unordered_set>
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
// open, its attributes and index read through that handle, the rename through
// it and, for a run (stamped), its change time read through it after the
// rename (the undo's record).
template <class Folders, class NewName>
void RenameFoldersChecked(const std::string& parent, const Folders& folders, const NewName& to, bool stamped) {
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
    if (stamped) GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic);
    CloseHandle(h);
  }
}

// The copy of one file as the copy run makes it, with what its undo keeps: the
// source opened and its place asked (the first copy of each file; a later one
// reads its index instead), its time read; the temporary file made in the
// folder (opened and its place asked once per folder, by the caller), the
// content read once and written with a digest made on the way, the size
// asked, the source's time set and the copy's read; the real name given by a
// new link in the folder and the temporary name removed.
inline void CopyRecorded(const std::string& from, const std::string& to, HANDLE folder, bool firstOfFile) {
  HANDLE source = CreateFileA(from.c_str(), GENERIC_READ | FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  char where[MAX_PATH + 16];
  struct {
    LARGE_INTEGER index;
  } internal;
  IO_STATUS_BLOCK status;
  if (firstOfFile) GetFinalPathNameByHandleA(source, where, sizeof where, 0);
  NtQueryInformationFile(source, &status, &internal, sizeof internal, static_cast<FILE_INFORMATION_CLASS>(6));
  FILE_BASIC_INFO basic{};
  GetFileInformationByHandleEx(source, FileBasicInfo, &basic, sizeof basic);
  const std::string name = to.substr(to.find_last_of('\\') + 1);
  const std::wstring temporary(name.begin(), name.end());
  const std::wstring wide = temporary + L".~vx00000000";
  UNICODE_STRING string;
  string.Buffer = const_cast<wchar_t*>(wide.c_str());
  string.Length = string.MaximumLength = static_cast<USHORT>(wide.size() * sizeof(WCHAR));
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &string, OBJ_CASE_INSENSITIVE, folder, nullptr);
  HANDLE target = nullptr;
  NtCreateFile(&target, GENERIC_READ | GENERIC_WRITE | DELETE | SYNCHRONIZE, &attributes, &status, nullptr,
               FILE_ATTRIBUTE_NORMAL, 0, FILE_CREATE, FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
  static std::vector<unsigned char> buffer(1 << 18);
  DWORD got = 0, written = 0;
  uint64_t sum = 0;
  while (ReadFile(source, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got) {
    WriteFile(target, buffer.data(), got, &written, nullptr);
    for (DWORD i = 0; i + 8 <= got; i += 8) sum += *reinterpret_cast<const uint32_t*>(&buffer[i]) * 31u;
  }
  CloseHandle(source);
  FILE_STANDARD_INFO standard;
  GetFileInformationByHandleEx(target, FileStandardInfo, &standard, sizeof standard);
  FILE_BASIC_INFO set{};
  set.LastWriteTime = basic.LastWriteTime;
  set.FileAttributes = FILE_ATTRIBUTE_NORMAL;
  SetFileInformationByHandle(target, FileBasicInfo, &set, sizeof set);
  std::vector<char> link(sizeof(FILE_RENAME_INFO) + temporary.size() * sizeof(WCHAR));
  FILE_RENAME_INFO* info = reinterpret_cast<FILE_RENAME_INFO*>(link.data());
  info->ReplaceIfExists = FALSE;
  info->RootDirectory = folder;
  info->FileNameLength = static_cast<DWORD>(temporary.size() * sizeof(WCHAR));
  std::memcpy(info->FileName, temporary.data(), temporary.size() * sizeof(WCHAR));
  NtSetInformationFile(target, &status, info, static_cast<ULONG>(link.size()), FileLinkInformation);
  FILE_DISPOSITION_INFO disposition{TRUE};
  SetFileInformationByHandle(target, FileDispositionInfo, &disposition, sizeof disposition);
  GetFileInformationByHandleEx(target, FileBasicInfo, &basic, sizeof basic);
  CloseHandle(target);
  if (sum == 1) std::printf(" ");
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

// CopyRecorded for the files of a structure copied into folders one after
// the other, as the run makes them: each folder opened and its place asked
// when its first file comes, each source's place asked the first time the
// file is copied. Copies of the object share what it has seen.
class RecordedCopies {
public:
  void operator()(const std::string& from, const std::string& to) {
    State& s = *state_;
    const std::string folder = to.substr(0, to.find_last_of('\\'));
    if (folder != s.folder) {
      if (s.handle != INVALID_HANDLE_VALUE) CloseHandle(s.handle);
      s.folder = folder;
      s.handle = CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY | FILE_ADD_FILE | FILE_TRAVERSE | SYNCHRONIZE |
                             FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
      char where[MAX_PATH + 16];
      GetFinalPathNameByHandleA(s.handle, where, sizeof where, 0);
    }
    CopyRecorded(from, to, s.handle, s.seen.insert(from).second);
  }

private:
  struct State {
    std::string folder;
    HANDLE handle = INVALID_HANDLE_VALUE;
    std::unordered_set<std::string> seen;
    ~State() {
      if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
  };
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

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
