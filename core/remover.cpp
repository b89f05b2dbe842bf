#include "core/remover.h"

#include "core/casefold.h"
#include "core/folder_listing.h"
#include "core/textutil.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <vector>

namespace core {

namespace {

DWORD Done(BOOL ok) {
  if (ok) return 0;
  const DWORD error = GetLastError();
  return error ? error : ERROR_GEN_FAILURE;
}

// Opens path as a link; INVALID_HANDLE_VALUE (error set) unless the handle
// shows the link itself.
HANDLE OpenAsLink(const std::string& path, DWORD access, DWORD& error) {
  HANDLE h = CreateFileA(path.c_str(), access | FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    error = GetLastError();
    return h;
  }
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!GetFileInformationByHandleEx(h, FileAttributeTagInfo, &tag, sizeof tag) ||
      !(tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    CloseHandle(h);
    error = ERROR_NOT_SUPPORTED;  // opened through the link: never deleted
    return INVALID_HANDLE_VALUE;
  }
  error = 0;
  return h;
}

// Marks the checked item for deletion; the system removes it when the handle
// closes. A read-only file and a folder that is not empty are refused here.
DWORD Dispose(HANDLE h) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  return Done(SetFileInformationByHandle(h, FileDispositionInfo, &disposition, sizeof disposition));
}

bool NotFound(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// The folder holding path ("C:\x" lies in "C:\", "\\server\share\x" in
// "\\server\share") and path's own name.
void SplitFolder(const std::string& text, std::string& folder, std::string& name) {
  std::string path = text;
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  const size_t cut = path.find_last_of('\\');
  if (cut == std::string::npos) {
    folder.clear();
    name = path;
    return;
  }
  folder = path.substr(0, cut == 2 && path[1] == ':' ? 3 : cut);
  name = path.substr(cut + 1);
}


// Whether the item at path still answers, asked by name (only where its
// folder cannot be listed).
bool AnswersByName(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  return !NotFound(GetLastError());
}

} // namespace

void Remover::Taken(const std::string& path, const ItemStamp* stamp) {
  if (taken_.empty()) settledAt_ = GetTickCount();
  taken_.push_back({path, stamp ? *stamp : ItemStamp()});
}

bool Remover::SettleDue() const {
  return !taken_.empty() && GetTickCount() - settledAt_ >= std::max<DWORD>(250, 8 * settleCost_);
}

std::vector<Unremoved> Remover::Settle() {
  std::vector<Unremoved> standing;
  const DWORD start = GetTickCount();
  if (taken_.empty()) {
    settledAt_ = start;
    return standing;
  }
  // Each folder once, by its names: the removals taken in it.
  struct Names {
    std::unordered_multimap<std::string, size_t, FoldedHash, FoldedEqual> items;
  };
  std::map<std::string, Names, FoldedLess> folders;
  for (size_t i = 0; i < taken_.size(); ++i) {
    std::string folder, name;
    SplitFolder(taken_[i].path, folder, name);
    folders[folder].items.emplace(name, i);
  }
  std::vector<char> stands(taken_.size(), 0);
  std::vector<char> seen(taken_.size(), 0);  // shown by its folder's listing
  std::string name;
  for (auto& [folder, names] : folders) {
    HANDLE h = folder.empty() ? INVALID_HANDLE_VALUE
                              : CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      // A folder gone took everything in it; one that cannot be listed is asked item by item.
      if (folder.empty() || !NotFound(GetLastError()))
        for (const auto& item : names.items) stands[item.second] = AnswersByName(taken_[item.second].path);
      continue;
    }
    const bool whole = ForEachListedEntry(h, std::wstring(), [&](const FILE_ID_BOTH_DIR_INFO& entry) {
      if (!ExactName(entry.FileName, entry.FileNameLength / sizeof(wchar_t), name)) return;
      auto range = names.items.equal_range(name);
      for (auto it = range.first; it != range.second; ++it) {
        const ItemStamp& stamp = taken_[it->second].stamp;
        seen[it->second] = 1;
        // Another index or change time: another item has the name now,
        // ours is gone. A listing that tells no index tells nothing.
        stands[it->second] = !stamp.known || entry.FileId.QuadPart == 0 ||
                             (static_cast<DWORD>(entry.FileId.HighPart) == stamp.indexHigh &&
                              entry.FileId.LowPart == stamp.indexLow && entry.ChangeTime.QuadPart == stamp.changed);
      }
    });
    CloseHandle(h);
    // What a listing broken off did not show is asked by name.
    if (!whole)
      for (const auto& item : names.items)
        if (!seen[item.second]) stands[item.second] = AnswersByName(taken_[item.second].path);
  }
  for (size_t i = 0; i < taken_.size(); ++i)
    if (stands[i]) standing.push_back({taken_[i].path, kErrorStillThere});
  taken_.clear();
  settledAt_ = GetTickCount();
  settleCost_ = settledAt_ - start;
  return standing;
}

void ApplySettled(Remover& remover, const std::vector<std::string>& paths, std::vector<DWORD>& errors) {
  const std::vector<Unremoved> standing = remover.Settle();
  if (standing.empty()) return;
  std::unordered_map<std::string, DWORD, FoldedHash, FoldedEqual> error;
  for (const Unremoved& u : standing) error.emplace(u.path, u.error);
  for (size_t i = 0; i < paths.size() && i < errors.size(); ++i) {
    if (errors[i] != 0) continue;
    auto found = error.find(paths[i]);
    if (found != error.end()) errors[i] = found->second;
  }
}

SystemRemover::~SystemRemover() { Drop(); }

void SystemRemover::Drop() {
  if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
  held_ = INVALID_HANDLE_VALUE;
  located_.clear();
}

ItemLocation SystemRemover::Locate(const std::string& path) {
  Drop();
  return check_.Of(path);
}

std::vector<ItemLocation> SystemRemover::LocateMany(const std::vector<std::string>& paths) {
  Drop();
  return check_.OfMany(paths);
}

ItemLocation SystemRemover::ListRoad(const std::string& folder, bool absentCloses) {
  Drop();
  return check_.ListRoad(folder, absentCloses);
}

std::vector<ItemLocation> SystemRemover::ListRoads(const std::vector<std::string>& folders, bool absentCloses) {
  Drop();
  return check_.ListRoads(folders, absentCloses);
}

ItemLocation SystemRemover::ListRoadAsListed(const std::string& folder, const ItemLocation& listed) {
  Drop();
  return check_.ListRoadAsListed(folder, listed);
}

ItemLocation SystemRemover::OpenChecked(const std::string& path, DWORD access, bool filesOnly, HANDLE& handle,
                                        DWORD share) {
  Drop();
  return check_.Open(path, access, filesOnly, handle, share);
}

ItemLocation SystemRemover::LocateToChange(const std::string& path) {
  Drop();
  answer_ = check_.Open(path, DELETE, false, held_);
  if (held_ != INVALID_HANDLE_VALUE) {
    // Through the handle the change will act through: cheap reads only, the
    // volume taken from the item's road when it has one.
    FILE_BASIC_INFO basic{};
    if (GetFileInformationByHandleEx(held_, FileBasicInfo, &basic, sizeof basic)) {
      answer_.attributes = basic.FileAttributes;
      answer_.changed = basic.ChangeTime.QuadPart;
    }
    if (!check_.IdentityOnRoad(held_, path, answer_.identity)) IdentityOf(held_, answer_.identity, &answer_.attributes);
  }
  if (held_ == INVALID_HANDLE_VALUE && !answer_.Here() && answer_.error != ERROR_NOT_SUPPORTED &&
      answer_.error != ERROR_FILE_NOT_FOUND && answer_.error != ERROR_PATH_NOT_FOUND)
    answer_ = check_.Of(path);  // not to be opened for deleting: the call by name will tell why
  located_ = path;
  return answer_;
}

ItemLocation SystemRemover::Checked(const std::string& path, bool filesOnly, HANDLE& handle) {
  handle = INVALID_HANDLE_VALUE;
  // The item LocateToChange opened is acted on through that handle. An answer
  // Locate gave is not taken: it only read, and what lies at a name may have
  // changed since (an undo reads a whole file between the two).
  if (held_ != INVALID_HANDLE_VALUE && path == located_) {
    handle = held_;
    held_ = INVALID_HANDLE_VALUE;
    located_.clear();
    return answer_;
  }
  Drop();
  ItemLocation at = check_.Open(path, DELETE, filesOnly, handle);
  // A name that opens, but not for deleting (denied, in use; or a folder
  // asked for as a file): the check alone, and the call by name gives the
  // system's own answer, as it always did.
  if (handle == INVALID_HANDLE_VALUE && at.error != ERROR_NOT_SUPPORTED && at.error != ERROR_FILE_NOT_FOUND &&
      at.error != ERROR_PATH_NOT_FOUND)
    at = check_.Of(path);
  return at;
}

ItemStamp SystemRemover::HeldStamp(const std::string& path) const {
  ItemStamp stamp;
  if (held_ == INVALID_HANDLE_VALUE || path != located_ || !answer_.identity.known || answer_.changed == 0)
    return stamp;
  stamp.indexHigh = answer_.identity.indexHigh;
  stamp.indexLow = answer_.identity.indexLow;
  stamp.changed = answer_.changed;
  stamp.known = true;
  return stamp;
}

DWORD SystemRemover::TakenIf(DWORD error, const std::string& path, const ItemStamp& stamp) {
  if (error == 0) Taken(path, stamp.known ? &stamp : nullptr);
  return error;
}

DWORD SystemRemover::RemoveFile(const std::string& path) {
  const bool held = held_ != INVALID_HANDLE_VALUE && path == located_;
  const ItemStamp stamp = HeldStamp(path);
  HANDLE h;
  const ItemLocation at = Checked(path, true, h);
  if (!at.Here()) return at.error;
  if (h != INVALID_HANDLE_VALUE) {
    FILE_ATTRIBUTE_TAG_INFO tag{};
    DWORD error = 0;
    // Held since LocateToChange, which opens folders too: a folder is no file.
    if (held && (!GetFileInformationByHandleEx(h, FileAttributeTagInfo, &tag, sizeof tag) ||
                 (tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY)))
      error = ERROR_ACCESS_DENIED;
    else
      error = Dispose(h);
    CloseHandle(h);
    if (!UnsupportedOnHandle(error)) return TakenIf(error, path, stamp);
  }
  return TakenIf(Done(DeleteFileA(path.c_str())), path, stamp);
}

DWORD SystemRemover::RemoveFolder(const std::string& path) {
  const ItemStamp stamp = HeldStamp(path);
  HANDLE h;
  const ItemLocation at = Checked(path, false, h);
  if (!at.Here()) return at.error;
  if (h != INVALID_HANDLE_VALUE) {
    FILE_ATTRIBUTE_TAG_INFO tag{};
    DWORD error = 0;
    if (!GetFileInformationByHandleEx(h, FileAttributeTagInfo, &tag, sizeof tag))
      error = ERROR_NOT_SUPPORTED;
    else if (!(tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      error = ERROR_DIRECTORY;  // a file has the name now: never removed as a folder
    else
      error = Dispose(h);
    CloseHandle(h);
    if (!UnsupportedOnHandle(error)) return TakenIf(error, path, stamp);
  }
  return TakenIf(Done(RemoveDirectoryA(path.c_str())), path, stamp);
}

DWORD SystemRemover::RemoveLink(const std::string& path) {
  HANDLE h;
  const ItemLocation at = Checked(path, false, h);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  if (!at.Here()) return at.error;
  DWORD error = 0;
  h = OpenAsLink(path, DELETE, error);
  if (h == INVALID_HANDLE_VALUE) return error;
  error = Dispose(h);
  CloseHandle(h);
  return TakenIf(error, path, ItemStamp());
}

DWORD SystemRemover::Rename(const std::string& from, const std::string& to) {
  return RenameChecked(from, to, nullptr);
}

DWORD SystemRemover::RenameStamped(const std::string& from, const std::string& to, LONGLONG& changed) {
  return RenameChecked(from, to, &changed);
}

DWORD SystemRemover::RenameChecked(const std::string& from, const std::string& to, LONGLONG* changed) {
  HANDLE h;
  const ItemLocation at = Checked(from, false, h);
  if (!at.Here()) return at.error;
  DWORD error = ERROR_NOT_SUPPORTED;
  if (h != INVALID_HANDLE_VALUE) {
    error = RenameThroughHandle(h, to);
    // One read through the handle that renamed it: the rename set the time.
    FILE_BASIC_INFO basic{};
    if (error == 0 && changed)
      *changed = GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic) ? basic.ChangeTime.QuadPart : 0;
    CloseHandle(h);
  }
  if (UnsupportedOnHandle(error)) {
    error = Done(MoveFileA(from.c_str(), to.c_str()));
    // Renamed by name: the new name read at once, taken only when it is the
    // item the check found (its index, when the check read it).
    ItemStamp stamp;
    if (error == 0 && changed)
      *changed = StampAt(to, stamp) && (!at.identity.known || stamp.SameIndex(at.identity)) ? stamp.changed : 0;
  }
  if (error == 0) check_.Forget(from);
  return error;
}

DWORD Remover::RenameStamped(const std::string& from, const std::string& to, LONGLONG& changed) {
  const DWORD error = Rename(from, to);
  ItemStamp stamp;
  if (error == 0) changed = StampAt(to, stamp) ? stamp.changed : 0;
  return error;
}

bool UnsupportedOnHandle(DWORD error) {
  return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION ||
         error == ERROR_CALL_NOT_IMPLEMENTED;
}

DWORD RenameThroughHandle(HANDLE h, const std::string& to) {
  // The system takes the new name as a full path of its own kind.
  const std::string full = to.compare(0, 2, "\\\\") == 0 ? "\\??\\UNC\\" + to.substr(2) : "\\??\\" + to;
  const int chars = MultiByteToWideChar(CP_ACP, 0, full.data(), static_cast<int>(full.size()), nullptr, 0);
  if (chars <= 0) return ERROR_INVALID_NAME;
  std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + chars * sizeof(WCHAR));
  FILE_RENAME_INFO* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = FALSE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(chars * sizeof(WCHAR));
  MultiByteToWideChar(CP_ACP, 0, full.data(), static_cast<int>(full.size()), info->FileName, chars);
  return Done(SetFileInformationByHandle(h, FileRenameInfo, info, static_cast<DWORD>(buffer.size())));
}

void ListRoads(Remover& remover, std::vector<std::string> folders, bool absentCloses) {
  auto level = [](const std::string& path) { return std::count(path.begin(), path.end(), '\\'); };
  std::stable_sort(folders.begin(), folders.end(),
                   [&](const std::string& a, const std::string& b) { return level(a) < level(b); });
  FoldedIndex listed;
  for (const std::string& folder : folders) {
    if (listed.Contains(folder)) continue;
    listed.Add(folder);
    remover.ListRoad(folder, absentCloses);
  }
}

DWORD LinkRemovable(const std::string& path) {
  DWORD error = 0;
  HANDLE h = OpenAsLink(path, 0, error);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  return error;
}

} // namespace core
