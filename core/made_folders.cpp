#include "core/made_folders.h"

#include "core/casefold.h"
#include "core/folder_listing.h"

#include <algorithm>
#include <map>

namespace core {

namespace {

LONGLONG Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return static_cast<LONGLONG>((static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
}

// "C:\a\b" is held by "C:\a", "C:\a" by "C:\"; empty for none.
std::string Holder(const std::string& path) {
  const size_t cut = path.find_last_of('\\');
  if (cut == std::string::npos || cut + 1 >= path.size()) return std::string();
  return path.substr(0, cut == 2 && path[1] == ':' ? 3 : cut);
}

} // namespace

MadeFolders::MadeFolders(std::vector<std::string>& folders, std::vector<ItemStamp>& stamps)
    : folders_(folders), stamps_(stamps), first_(folders.size()), listed_(ListingTellsStamps()) {
  // One stamp for each folder the journal holds already.
  stamps_.resize(folders_.size());
  make_ = [this](const std::string& path, ItemStamp& stamp) {
    stamp = ItemStamp();
    return listed_ ? CreateFolder(path) : CreateFolderStamped(path, stamp);
  };
}

void MadeFolders::Added(size_t i) {
  last_.push_back(Now());
  changed_.push_back(0);
  positions_.emplace(FoldedHash()(folders_[i]), i);
  Touch(Holder(folders_[i]));
}

size_t MadeFolders::Find(const std::string& path) const {
  size_t found = std::string::npos;
  auto range = positions_.equal_range(FoldedHash()(path));
  for (auto it = range.first; it != range.second; ++it)
    if (SameText(folders_[it->second], path) && (found == std::string::npos || it->second > found)) found = it->second;
  return found;
}

void MadeFolders::Touch(const std::string& folder) {
  if (folder.empty() || positions_.empty()) return;
  const size_t at = Find(folder);
  if (at == std::string::npos) return;
  last_[at - first_] = Now();
  changed_[at - first_] = 1;
}

MakeFolderResult MadeFolders::MakeLevels(const std::string& path, DWORD& error) {
  const size_t before = folders_.size();
  const MakeFolderResult result = MakeFolderLevels(path, &folders_, &stamps_, &error, &make_);
  for (size_t i = before; i < folders_.size(); ++i) Added(i);
  // Levels made on the way to a path that failed were removed again: each
  // folder of the run above it may have changed.
  if (result == MakeFolderResult::Failed)
    for (std::string up = Holder(path); !up.empty(); up = Holder(up)) Touch(up);
  return result;
}

DWORD MadeFolders::MakeOne(const std::string& path) {
  ItemStamp stamp;
  const DWORD error = make_(path, stamp);
  if (error != 0) return error;
  folders_.push_back(path);
  stamps_.push_back(stamp);
  Added(folders_.size() - 1);
  return 0;
}

void MadeFolders::Changed(const std::string& path) { Touch(Holder(path)); }

bool MadeFolders::AsLeft(size_t i, const ItemStamp& stamp) const {
  return stamp.known && stamp.changed <= last_[i - first_] + kChangeSlack;
}

void MadeFolders::ReadThroughHandle(size_t i) {
  ItemStamp now;
  stamps_[i] = StampAt(folders_[i], now) && AsLeft(i, now) ? now : ItemStamp();
}

void MadeFolders::Read() {
  if (first_ >= folders_.size()) return;
  if (!listed_) {
    // Read through the handle that made each; again for one changed since,
    // while it is the same folder.
    for (size_t i = first_; i < folders_.size(); ++i) {
      ItemStamp now;
      ItemStamp& made = stamps_[i];
      if (changed_[i - first_] && made.known && StampAt(folders_[i], now) && now.indexHigh == made.indexHigh &&
          now.indexLow == made.indexLow)
        made.changed = now.changed;
    }
    return;
  }
  // Each folder holding some of them listed once, after the run is done with them all.
  std::map<std::string, std::vector<size_t>, FoldedLess> holders;
  for (size_t i = first_; i < folders_.size(); ++i) holders[Holder(folders_[i])].push_back(i);
  for (const auto& holder : holders) ReadIn(holder.first, holder.second);
}

void MadeFolders::ReadIn(const std::string& folder, const std::vector<size_t>& positions) {
  // The names asked for, as made.
  std::unordered_multimap<std::string, size_t> names;
  std::vector<std::wstring> wide;
  for (size_t i : positions) {
    const std::string name = folders_[i].substr(folders_[i].find_last_of('\\') + 1);
    if (names.count(name) == 0) wide.push_back(WideName(name));
    names.emplace(name, i);
  }
  // The listing asks for those names only: one name as it is, several by
  // what they begin with (everything when nothing), so that a folder holding
  // much else is not read entry by entry (under Wine each entry listed is
  // read from the disk; one left out by the mask is not).
  std::wstring mask = wide.front();
  if (wide.size() > 1) {
    size_t common = mask.size();
    for (const std::wstring& w : wide) {
      size_t n = 0;
      while (n < common && n < w.size() && w[n] == mask[n]) ++n;
      common = n;
    }
    mask.resize(common);
    mask += L'*';
  }
  std::vector<char> found(positions.size(), 0);
  std::unordered_map<size_t, size_t> slot;  // journal position -> index in positions
  for (size_t k = 0; k < positions.size(); ++k) slot[positions[k]] = k;
  HANDLE h = folder.empty() ? INVALID_HANDLE_VALUE
                            : CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  std::string name;
  const bool whole = ForEachListedEntry(h, mask, [&](const FILE_ID_BOTH_DIR_INFO& entry) {
    if (!ExactName(entry.FileName, entry.FileNameLength / sizeof(wchar_t), name)) return;
    auto range = names.equal_range(name);
    for (auto it = range.first; it != range.second; ++it) {
      const size_t i = it->second;
      found[slot[i]] = 1;
      const bool plainFolder =
          (entry.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(entry.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
      if (!plainFolder) {
        stamps_[i] = ItemStamp();
      } else if (entry.FileId.QuadPart == 0) {
        ReadThroughHandle(i);  // a file system that lists no index
      } else {
        ItemStamp listed;
        listed.indexHigh = static_cast<DWORD>(entry.FileId.HighPart);
        listed.indexLow = entry.FileId.LowPart;
        listed.changed = entry.ChangeTime.QuadPart;
        listed.known = true;
        stamps_[i] = AsLeft(i, listed) ? listed : ItemStamp();
      }
    }
  });
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  for (size_t k = 0; k < positions.size(); ++k) {
    if (found[k]) continue;
    // Not listed where the listing went to its end: gone, or renamed. A
    // folder that could not be listed is asked through a handle on each.
    if (whole) stamps_[positions[k]] = ItemStamp();
    else ReadThroughHandle(positions[k]);
  }
}

} // namespace core
