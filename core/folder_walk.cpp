#include "core/folder_walk.h"

#include "core/casefold.h"
#include "core/folder_scan.h"
#include "core/textutil.h"

#include <deque>

namespace core {

bool WalkFolderTree(const std::string& folder, const std::function<void(const WalkEntry&)>& visit) {
  std::string root = folder;
  while (!root.empty() && root.back() == '\\') root.pop_back();
  std::deque<std::string> queue;  // relative paths of the folders still to list
  bool listed = true;
  for (std::string relative;;) {
    const bool opened = ForEachFolderEntry(relative.empty() ? root : root + "\\" + relative, "*", [&](const WIN32_FIND_DATAA& data) {
      WalkEntry entry;
      entry.relative = relative.empty() ? std::string(data.cFileName) : relative + "\\" + data.cFileName;
      entry.path = root + "\\" + entry.relative;
      entry.attributes = data.dwFileAttributes;
      entry.folder = FindDataIsFolder(data);
      entry.link = FindDataIsReparsePoint(data);
      entry.size = entry.folder ? 0 : FindDataSize(data);
      if (entry.folder && !entry.link) queue.push_back(entry.relative);
      visit(entry);
    });
    if (relative.empty()) listed = opened;
    if (queue.empty()) break;
    relative = std::move(queue.front());
    queue.pop_front();
  }
  return listed;
}

bool ContentsRemoval::Complete() const {
  if (refused) return false;
  for (const RemovalItem& item : items)
    if (item.outcome != RemovalOutcome::Removed) return false;
  return true;
}

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Where the system takes path itself (not a link's target: the name is opened
// as a reparse point) actually to be, without the "\\?\" prefix. Empty when the
// system cannot tell; error is set when path cannot be opened at all.
std::string ResolvedPath(const std::string& path, DWORD& error) {
  error = 0;
  HANDLE h = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    error = GetLastError();
    return std::string();
  }
  std::vector<char> buffer(MAX_PATH + 16);
  DWORD n = GetFinalPathNameByHandleA(h, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (n >= buffer.size()) {
    buffer.resize(n + 1);
    n = GetFinalPathNameByHandleA(h, buffer.data(), static_cast<DWORD>(buffer.size()),
                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  }
  CloseHandle(h);
  if (n == 0 || n >= buffer.size()) return std::string();
  std::string resolved(buffer.data(), n);
  if (resolved.compare(0, 8, "\\\\?\\UNC\\") == 0)
    resolved = "\\\\" + resolved.substr(8);
  else if (resolved.compare(0, 4, "\\\\?\\") == 0)
    resolved.erase(0, 4);
  while (resolved.size() > 3 && resolved.back() == '\\') resolved.pop_back();
  return resolved;
}

RemovalItem RemoveEntry(const WalkEntry& entry, const std::string& resolvedRoot) {
  RemovalItem item;
  item.path = entry.path;
  item.folder = entry.folder;
  item.link = entry.link;
  DWORD error = 0;
  const std::string resolved = ResolvedPath(entry.path, error);
  if (error) {
    item.error = error;
    return item;
  }
  // The name must reach the entry itself. When the system resolves it to
  // another place (a link it follows whatever is asked), any call on the name
  // would act on the target: the link stays, and so does its target.
  if (!resolved.empty() && !resolvedRoot.empty() &&
      !SameText(resolved, resolvedRoot + "\\" + entry.relative)) {
    item.link = true;
    item.outcome = RemovalOutcome::LinkKept;
    return item;
  }
  // A folder link goes with RemoveDirectory and a file link with DeleteFile:
  // both remove the link, never its target.
  const BOOL done = entry.folder ? RemoveDirectoryA(entry.path.c_str()) : DeleteFileA(entry.path.c_str());
  if (done) {
    item.outcome = RemovalOutcome::Removed;
  } else {
    item.error = GetLastError();
  }
  return item;
}

} // namespace

ContentsRemoval RemoveFolderContents(const std::string& text) {
  ContentsRemoval removal;
  removal.refused = true;
  const std::string folder = TrimSpaces(text);
  if (!HasDrivePart(folder)) return removal;
  // A drive letter must be followed by a backslash: "c:abc" would be taken
  // relative to the drive's current directory.
  if (folder.size() >= 2 && folder[1] == ':' && (folder.size() < 3 || folder[2] != '\\')) return removal;
  std::string base = folder;
  while (!base.empty() && base.back() == '\\') base.pop_back();
  // Never at a drive root ("c:\", "\\server\share\").
  if (base.size() <= 2 || base == ExtractFileDrive(base)) return removal;
  const DWORD attributes = GetFileAttributesA(base.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return removal;
  // A linked folder's contents belong to its target elsewhere: leave them.
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return removal;
  removal.refused = false;

  DWORD error = 0;
  const std::string resolvedRoot = ResolvedPath(base, error);
  std::vector<WalkEntry> entries;
  WalkFolderTree(base, [&](const WalkEntry& entry) { entries.push_back(entry); });
  // Breadth-first order lists every folder before its contents: backwards, the
  // contents go first.
  removal.items.reserve(entries.size());
  for (auto it = entries.rbegin(); it != entries.rend(); ++it)
    removal.items.push_back(RemoveEntry(*it, resolvedRoot));
  return removal;
}

} // namespace core
