#include "core/protected_places.h"

#include "core/location.h"

#include <windows.h>
#include <winternl.h>

namespace core {

namespace {

// A handle on the folder the system leads path to, links followed.
HANDLE OpenFollowed(const std::string& path) {
  return CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// a is b or lies inside it (both without trailing backslashes but a root's).
bool SameOrBelow(const std::string& a, const std::string& b) {
  if (b.empty() || a.size() < b.size() || !SameText(a.substr(0, b.size()), b)) return false;
  return a.size() == b.size() || a[b.size()] == '\\' || b.back() == '\\';
}

extern "C" NTSTATUS NTAPI NtQueryDirectoryFile(HANDLE, HANDLE, PVOID, PVOID, PIO_STATUS_BLOCK, PVOID, ULONG,
                                               FILE_INFORMATION_CLASS, BOOLEAN, PUNICODE_STRING, BOOLEAN);

} // namespace

std::vector<std::string> RoadFolders(const std::string& path) {
  std::vector<std::string> folders;
  size_t start = 0;
  if (path.size() >= 2 && path[1] == ':') {
    start = 3;
  } else if (path.compare(0, 2, "\\\\") == 0) {
    const size_t server = path.find('\\', 2);
    if (server == std::string::npos) return folders;
    const size_t share = path.find('\\', server + 1);
    start = share == std::string::npos ? path.size() + 1 : share + 1;
  } else {
    return folders;
  }
  // The root, with its backslash.
  folders.push_back(start > path.size() ? path + "\\" : path.substr(0, start));
  if (folders.back().size() == 2) folders.back() += "\\";
  while (start < path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) folders.push_back(path.substr(0, end));
    start = end + 1;
  }
  return folders;
}

ProtectedPlaces::ProtectedPlaces(const std::vector<ProtectedPlace>& places) {
  // Each folder is read once, however many places name it or lie below it
  // (reading a folder's volume is dear under Wine).
  struct Read {
    bool identityRead = false, resolvedRead = false;
    std::string resolved;
    FileIdentity identity;
  };
  std::unordered_map<std::string, Read, FoldedHash, FoldedEqual> read;
  // A place is also resolved (where the system leads it); a folder holding one needs its identity only.
  auto readOnce = [&](const std::string& path, bool resolve) -> const Read& {
    Read& r = read[path];
    if (r.identityRead && (r.resolvedRead || !resolve)) return r;
    HANDLE h = OpenFollowed(path.size() == 2 ? path + "\\" : path);
    if (h != INVALID_HANDLE_VALUE) {
      if (resolve) {
        DWORD error = 0;
        r.resolved = ResolvedPathOf(h, error);
        if (error) r.resolved.clear();
      }
      if (!r.identityRead) IdentityOf(h, r.identity);
      CloseHandle(h);
    }
    r.identityRead = true;
    r.resolvedRead = r.resolvedRead || resolve;
    return r;
  };
  for (const ProtectedPlace& p : places) {
    Place place;
    place.path = p.path;
    place.inside = p.inside;
    const Read& at = readOnce(p.path, true);
    place.resolved = at.resolved;
    place.identity = at.identity;
    places_.push_back(place);
    const size_t index = places_.size() - 1;
    if (place.identity.known)
      byIndex_.emplace(std::make_pair(place.identity.indexHigh, place.identity.indexLow),
                       std::make_pair(place.identity, Match{index, false}));
    // The folders holding it, by the road it was given and by where it lies.
    for (int road = 0; road < 2; ++road) {
      const std::string& path = road == 0 ? p.path : place.resolved;
      if (path.empty() || (road == 1 && SameText(path, p.path))) continue;
      std::vector<std::string> folders = RoadFolders(path);
      if (!folders.empty()) folders.pop_back();  // the place itself
      for (const std::string& folder : folders) AddHolder(index, readOnce(folder, false).identity);
    }
  }
}

void ProtectedPlaces::AddHolder(size_t place, const FileIdentity& identity) {
  if (!identity.known || identity == places_[place].identity) return;
  const auto range = byIndex_.equal_range(std::make_pair(identity.indexHigh, identity.indexLow));
  for (auto it = range.first; it != range.second; ++it)
    if (it->second.first == identity && it->second.second.place == place) return;
  byIndex_.emplace(std::make_pair(identity.indexHigh, identity.indexLow), std::make_pair(identity, Match{place, true}));
}

ProtectedPlaces::~ProtectedPlaces() { CloseListings(); }

void ProtectedPlaces::CloseListings() {
  for (auto& parent : parents_)
    if (parent.second != INVALID_HANDLE_VALUE) CloseHandle(parent.second);
  parents_.clear();
}

bool ProtectedPlaces::ListedIndex(const std::string& folder, FileIdentity& index) {
  if (holding_ == 0) return false;
  const size_t cut = folder.find_last_of('\\');
  if (cut == std::string::npos || cut + 1 >= folder.size()) return false;  // a root
  const std::string parent = folder.substr(0, folder[cut - 1] == ':' ? cut + 1 : cut);
  auto held = parents_.find(parent);
  if (held == parents_.end())
    held = parents_
               .emplace(parent, CreateFileA(parent.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr))
               .first;
  if (held->second == INVALID_HANDLE_VALUE) return false;
  const std::string name = folder.substr(cut + 1);
  if (name.find_first_of("*?<>\"") != std::string::npos) return false;
  WCHAR wide[MAX_PATH];
  const int chars = MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), wide, MAX_PATH);
  if (chars <= 0) return false;
  UNICODE_STRING mask;
  mask.Buffer = wide;
  mask.Length = mask.MaximumLength = static_cast<USHORT>(chars * sizeof(WCHAR));
  union {
    FILE_ID_BOTH_DIR_INFORMATION entry;
    char bytes[sizeof(FILE_ID_BOTH_DIR_INFORMATION) + MAX_PATH * sizeof(WCHAR)];
  } buffer;
  IO_STATUS_BLOCK io{};
  if (NtQueryDirectoryFile(held->second, nullptr, nullptr, nullptr, &io, &buffer, sizeof buffer,
                           FileIdBothDirectoryInformation, TRUE, &mask, TRUE) != 0)
    return false;
  const FILE_ID_BOTH_DIR_INFORMATION& entry = buffer.entry;
  // Only a plain folder: a link is known by where it leads, which its handle tells.
  if (!(entry.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (entry.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
      entry.FileId.QuadPart == 0)
    return false;
  index = FileIdentity();
  index.indexHigh = static_cast<DWORD>(entry.FileId.HighPart);
  index.indexLow = entry.FileId.LowPart;
  index.known = true;
  return true;
}

const ProtectedPlaces::Known& ProtectedPlaces::Open(const std::string& folder) {
  auto found = known_.find(folder);
  if (found != known_.end()) return found->second;
  Known& known = known_[folder];
  // The index alone is cheap, and cheapest from the listing of the folder
  // holding it (no handle of its own, which under Wine is a round trip to the
  // server); the folder is opened only where its parent does not list it as a
  // plain folder, or to read its volume where its index is a protected one's
  // (the serial number is the costly part).
  FileIdentity index;
  HANDLE h = INVALID_HANDLE_VALUE;
  if (!ListedIndex(folder, index)) {
    h = OpenFollowed(folder);
    if (h == INVALID_HANDLE_VALUE) return known;
    if (!IndexOf(h, 0, index)) index = FileIdentity();
  }
  known.opened = true;
  if (index.known && byIndex_.count(std::make_pair(index.indexHigh, index.indexLow)) != 0) {
    if (h == INVALID_HANDLE_VALUE) h = OpenFollowed(folder);
    // The handle's own identity decides (the folder may have changed since it was listed).
    FileIdentity full;
    if (h != INVALID_HANDLE_VALUE && IdentityOf(h, full)) {
      const auto range = byIndex_.equal_range(std::make_pair(full.indexHigh, full.indexLow));
      for (auto it = range.first; it != range.second; ++it)
        if (it->second.first == full) known.matches.push_back(it->second.second);
    }
  }
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  return known;
}

std::string ProtectedPlaces::Refusal(const std::string& path, bool rootTaken, bool holders) {
  if (places_.empty()) return std::string();
  const std::vector<std::string> road = RoadFolders(path);
  for (size_t i = 0; i < road.size(); ++i) {
    const Known& known = Open(road[i]);
    if (!known.opened) break;  // nothing deeper is there
    const bool last = i + 1 == road.size();
    for (const Match& m : known.matches) {
      const Place& place = places_[m.place];
      if (!m.holder && last) return "the protected folder " + place.path;
      if (!m.holder && place.inside) return "it lies inside the protected folder " + place.path;
    }
    if (!last || !holders || (rootTaken && i == 0)) continue;
    for (const Match& m : known.matches)
      if (m.holder) return "it holds the protected folder " + places_[m.place].path;
  }
  return std::string();
}

bool ProtectedPlaces::ItemRefused(const std::string& resolved, const std::string& road) const {
  if (resolved.empty()) return false;
  for (const Place& place : places_) {
    if (place.resolved.empty()) continue;
    if (SameOrBelow(place.resolved, resolved)) return true;  // it is or holds the place
    if (!SameOrBelow(resolved, place.resolved)) continue;
    if (place.inside || (!road.empty() && !SameOrBelow(road, place.resolved))) return true;
  }
  return false;
}

bool ProtectedPlaces::RoadRefused(const std::string& resolved, const FileIdentity& identity) const {
  for (const Place& place : places_) {
    if (!place.inside) continue;
    if (identity.known && identity == place.identity) return true;
    if (!place.resolved.empty() && SameOrBelow(resolved, place.resolved)) return true;
  }
  return false;
}

} // namespace core
