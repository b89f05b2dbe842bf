#include "core/folder_walk.h"

#include "core/casefold.h"
#include "core/folder_scan.h"
#include "core/remover.h"
#include "core/textutil.h"

#include <deque>
#include <unordered_set>

namespace core {

bool WalkFolderTree(const std::string& folder, const std::function<void(const WalkEntry&)>& visit) {
  std::string root = folder;
  while (!root.empty() && root.back() == '\\') root.pop_back();
  std::deque<std::string> queue;  // relative paths of the folders still to list
  bool listed = true;
  for (std::string relative;;) {
    const bool opened = ForEachFolderEntry(relative.empty() ? root : root + "\\" + relative, "*", [&](const WIN32_FIND_DATAA& data) {
      WalkEntry entry;
      entry.nameAt = relative.empty() ? 0 : relative.size() + 1;
      entry.relative = relative.empty() ? std::string(data.cFileName) : relative + "\\" + data.cFileName;
      entry.path = root + "\\" + entry.relative;
      entry.attributes = data.dwFileAttributes;
      entry.folder = FindDataIsFolder(data);
      entry.link = FindDataIsReparsePoint(data);
      entry.size = entry.folder ? 0 : FindDataSize(data);
      if (entry.folder && !entry.link) queue.push_back(entry.relative);
      visit(entry);
    }, [&](const KeptEntry& kept) {
      WalkEntry entry;
      entry.nameAt = relative.empty() ? 0 : relative.size() + 1;
      entry.relative = relative.empty() ? kept.name : relative + "\\" + kept.name;
      entry.path = root + "\\" + entry.relative;
      entry.folder = kept.folder;
      entry.size = kept.size;
      entry.kept = kept.reason;
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

RemovalItem RemoveEntry(const WalkEntry& entry, Remover& remover) {
  RemovalItem item;
  item.path = entry.path;
  item.folder = entry.folder;
  item.link = entry.link;
  if (!entry.kept.empty()) {
    item.outcome = RemovalOutcome::Kept;
    item.reason = entry.kept;
    return item;
  }
  // The remover opens the name first: when the system resolves it to another
  // place (a link it follows whatever is asked), any call on the name would
  // act on the target, so the link stays, and so does its target. A link the
  // system shows as one goes as a link, never its target.
  item.error = entry.link ? remover.RemoveLink(entry.path)
               : entry.folder ? remover.RemoveFolder(entry.path)
                              : remover.RemoveFile(entry.path);
  if (item.error == 0) {
    item.outcome = RemovalOutcome::Removed;
  } else if (item.error == ERROR_NOT_SUPPORTED) {
    item.link = true;
    item.outcome = RemovalOutcome::LinkKept;
    item.error = 0;
  }
  return item;
}

} // namespace

ContentsRemoval RemoveFolderContents(const std::string& text, Remover* remover) {
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

  SystemRemover own;
  Remover& r = remover ? *remover : own;
  if (!r.ListRoad(base).Here()) {
    removal.refused = true;
    return removal;
  }
  std::vector<WalkEntry> entries;
  std::unordered_set<std::string> holding;  // relative folders holding a kept entry
  WalkFolderTree(base, [&](const WalkEntry& entry) {
    // The folders above a kept entry cannot be emptied: they stay too.
    if (!entry.kept.empty() && entry.nameAt > 0)
      for (size_t cut = entry.nameAt - 1; cut != std::string::npos && cut > 0;
           cut = entry.relative.find_last_of('\\', cut - 1))
        if (!holding.insert(entry.relative.substr(0, cut)).second) break;
    entries.push_back(entry);
  });
  for (WalkEntry& entry : entries)
    if (entry.folder && entry.kept.empty() && holding.count(entry.relative))
      entry.kept = "it holds an entry that stays";
  // Breadth-first order lists every folder before its contents: backwards, the
  // contents go first.
  removal.items.reserve(entries.size());
  for (auto it = entries.rbegin(); it != entries.rend(); ++it)
    removal.items.push_back(RemoveEntry(*it, r));
  // An entry counts as removed only once it is gone: the removals the system
  // took are settled together, each folder that held some listed once.
  std::vector<std::string> paths;
  std::vector<DWORD> errors;
  for (const RemovalItem& item : removal.items) {
    paths.push_back(item.path);
    errors.push_back(item.outcome == RemovalOutcome::Removed ? 0 : ERROR_GEN_FAILURE);
  }
  ApplySettled(r, paths, errors);
  for (size_t i = 0; i < removal.items.size(); ++i)
    if (removal.items[i].outcome == RemovalOutcome::Removed && errors[i] != 0) {
      removal.items[i].outcome = RemovalOutcome::Failed;
      removal.items[i].error = errors[i];
    }
  return removal;
}

} // namespace core
