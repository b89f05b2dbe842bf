#include "core/protected_places.h"

#include "core/folder_listing.h"
#include "core/location.h"
#include "core/textutil.h"

#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cctype>

namespace core {

namespace {

// A handle on the folder the system leads path to, links followed.
HANDLE OpenFollowed(const std::string& path) {
  return CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// a is b or lies inside it (both without trailing backslashes but a root's).
bool SameOrBelow(const std::string& a, const std::string& b) {
  if (b.empty() || !SameTextAt(a, 0, b)) return false;
  return a.size() == b.size() || a[b.size()] == '\\' || b.back() == '\\';
}

extern "C" NTSTATUS NTAPI NtQueryDirectoryFile(HANDLE, HANDLE, PVOID, PVOID, PIO_STATUS_BLOCK, PVOID, ULONG,
                                               FILE_INFORMATION_CLASS, BOOLEAN, PUNICODE_STRING, BOOLEAN);

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr NTSTATUS kNoMoreFiles = static_cast<NTSTATUS>(0x80000006);
constexpr NTSTATUS kNoSuchFile = static_cast<NTSTATUS>(0xC000000F);
// Deeper than any folder a path can name: a climb that goes on is not trusted.
constexpr int kClimbLimit = 512;

// A handle on the folder at path for listing it.
HANDLE OpenForListing(const std::string& path) {
  return CreateFileA(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE, kShareAll, nullptr,
                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// "X:\" or "\\server\share\" of path; empty for a path with neither.
std::string RootPart(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2) + "\\";
  if (path.compare(0, 2, "\\\\") != 0) return std::string();
  const size_t server = path.find('\\', 2);
  if (server == std::string::npos) return std::string();
  const size_t share = path.find('\\', server + 1);
  return share == std::string::npos ? path + "\\" : path.substr(0, share + 1);
}

// The ".." entry of the folder open at h, as its own listing gives it: its
// index (0 where the system gives none: under Wine a parent on another file
// system), or not listed (a volume's root has none; Wine hides its own
// configuration folder, /dev, /proc and /sys), or the listing failed.
enum class Parent { Listed, None, Failed };
Parent ParentEntry(HANDLE h, ULONGLONG& id) {
  WCHAR dots[] = L"..";
  UNICODE_STRING mask;
  mask.Buffer = dots;
  mask.Length = mask.MaximumLength = 2 * sizeof(WCHAR);
  union {
    FILE_ID_BOTH_DIR_INFORMATION entry;
    char bytes[sizeof(FILE_ID_BOTH_DIR_INFORMATION) + 16 * sizeof(WCHAR)];
  } buffer;
  IO_STATUS_BLOCK io{};
  const NTSTATUS status = NtQueryDirectoryFile(h, nullptr, nullptr, nullptr, &io, &buffer, sizeof buffer,
                                               FileIdBothDirectoryInformation, TRUE, &mask, TRUE);
  if (status == kNoMoreFiles || status == kNoSuchFile) return Parent::None;
  const FILE_ID_BOTH_DIR_INFORMATION& entry = buffer.entry;
  if (status != 0 || entry.FileNameLength != 2 * sizeof(WCHAR) || entry.FileName[0] != L'.' ||
      entry.FileName[1] != L'.')
    return Parent::Failed;
  id = static_cast<ULONGLONG>(entry.FileId.QuadPart);
  return Parent::Listed;
}

// The folder whose index is id, opened through the folder open at from, for
// listing. Asked only of the id from's own ".." entry gave: under Wine any
// other id is looked for through everything below from.
HANDLE OpenParentById(HANDLE from, ULONGLONG id) {
  UNICODE_STRING name;
  name.Buffer = reinterpret_cast<PWSTR>(&id);
  name.Length = name.MaximumLength = sizeof id;
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &name, 0, from, nullptr);
  IO_STATUS_BLOCK io{};
  HANDLE h = nullptr;
  const NTSTATUS status =
      NtCreateFile(&h, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE, &attributes, &io, nullptr, 0,
                   kShareAll, FILE_OPEN,
                   FILE_OPEN_BY_FILE_ID | FILE_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT |
                       FILE_OPEN_FOR_BACKUP_INTENT,
                   nullptr, 0);
  return status == 0 && h ? h : INVALID_HANDLE_VALUE;
}

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
  // (reading a folder's volume is dear under Wine: there it is read once per
  // drive naming the folders, the volume being that drive's).
  struct Read {
    bool identityRead = false, resolvedRead = false;
    std::string resolved;
    FileIdentity identity;
  };
  std::unordered_map<std::string, Read, FoldedHash, FoldedEqual> read;
  std::unordered_map<std::string, DWORD, FoldedHash, FoldedEqual> volumes;  // drive -> serial number
  const bool byDrive = VolumeFollowsDrive();
  // A place is also resolved (where the system leads it); a folder holding one needs its identity only.
  auto readOnce = [&](const std::string& path, bool resolve) -> const Read& {
    Read& r = read[path];
    if (r.identityRead && (r.resolvedRead || !resolve)) return r;
    HANDLE h = OpenFollowed(path.size() == 2 ? path + "\\" : path);
    if (h != INVALID_HANDLE_VALUE) {
      std::string resolved;
      if (resolve || (byDrive && !r.identityRead)) {
        DWORD error = 0;
        resolved = ResolvedPathOf(h, error);
        if (error) resolved.clear();
      }
      if (resolve) r.resolved = resolved;
      const std::string drive = RootPart(resolved);
      if (!r.identityRead) {
        const auto volume = byDrive && !drive.empty() ? volumes.find(drive) : volumes.end();
        if (volume != volumes.end()) IndexOf(h, volume->second, r.identity);
        else if (IdentityOf(h, r.identity) && byDrive && !drive.empty()) volumes.emplace(drive, r.identity.volume);
      }
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

void ProtectedPlaces::CloseListings() { parents_.clear(); }

namespace {

bool SameLetter(wchar_t a, wchar_t b) {
  if (a < 0x80 && b < 0x80) return std::tolower(a) == std::tolower(b);
  return a == b;
}

// How many of the first characters of a and b agree (letter case ignored in
// plain letters: a listing's pattern ignores it too).
size_t Shared(const std::wstring& a, const std::wstring& b) {
  size_t n = 0;
  while (n < a.size() && n < b.size() && SameLetter(a[n], b[n])) ++n;
  return n;
}

// Listings of one folder a pass may make before each folder in it is opened itself.
constexpr int kListingsPerFolder = 3;

} // namespace

void ProtectedPlaces::ListParent(const std::string& parent, ParentListing& listing) {
  ++listing.listings;
  listing.listed = true;
  listing.names.clear();
  HANDLE h = CreateFileA(parent.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    listing.closed = true;
    return;
  }
  // Only the names beginning as those asked: a folder holding much else is
  // not read entry by entry (under Wine each entry listed is read from the
  // disk; one the pattern leaves out is not).
  std::string name, shortName;
  const bool whole = ForEachListedEntry(h, listing.prefix + L'*', [&](const FILE_ID_BOTH_DIR_INFO& entry) {
    Listed listed{entry.FileAttributes, FileIdentity(), false};
    listed.index.indexHigh = static_cast<DWORD>(entry.FileId.HighPart);
    listed.index.indexLow = entry.FileId.LowPart;
    listed.index.known = entry.FileId.QuadPart != 0;
    auto add = [&](const std::string& spelled) {
      const auto added = listing.names.emplace(spelled, listed);
      if (!added.second) added.first->second.twin = true;
    };
    const bool spelled = ExactName(entry.FileName, entry.FileNameLength / sizeof(wchar_t), name);
    if (spelled) add(name);
    if (entry.ShortNameLength > 0 && ExactName(entry.ShortName, entry.ShortNameLength / sizeof(wchar_t), shortName) &&
        !(spelled && SameText(shortName, name)))
      add(shortName);
  });
  CloseHandle(h);
  // A listing cut short tells nothing: each folder is opened itself.
  if (!whole) listing.closed = true;
}

bool ProtectedPlaces::ListedIndex(const std::string& folder, FileIdentity& index) {
  if (holding_ == 0) return false;
  const size_t cut = folder.find_last_of('\\');
  if (cut == std::string::npos || cut + 1 >= folder.size()) return false;  // a root
  const std::string parent = folder.substr(0, folder[cut - 1] == ':' ? cut + 1 : cut);
  const std::string name = folder.substr(cut + 1);
  // A short name may stand for another entry's long one: opened itself.
  if (name.find_first_of("*?<>\"~") != std::string::npos) return false;
  WCHAR buffer[MAX_PATH];
  const int chars = MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), buffer, MAX_PATH);
  if (chars <= 0) return false;
  const std::wstring wide(buffer, static_cast<size_t>(chars));
  ParentListing& listing = parents_[parent];
  if (listing.closed) return false;
  if (!listing.listed || Shared(listing.prefix, wide) < listing.prefix.size()) {
    // The first name asked in a folder is opened itself; from the second on,
    // the folder is listed for the names beginning as all those asked so far
    // (again, for fewer letters, when one begins otherwise).
    if (!listing.listed && listing.first.empty()) {
      listing.first = wide;
      return false;
    }
    const size_t shared = Shared(listing.listed ? listing.prefix : listing.first, wide);
    if (shared == 0 || listing.listings >= kListingsPerFolder) {
      listing.closed = true;
      listing.names.clear();
      return false;
    }
    listing.prefix = wide.substr(0, shared);
    ListParent(parent, listing);
    if (listing.closed) return false;
  }
  const auto found = listing.names.find(name);
  if (found == listing.names.end()) return false;
  const Listed& entry = found->second;
  if (entry.twin) return false;
  // Only a plain folder: a link is known by where it leads, which its handle tells.
  if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY) || (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
      !entry.index.known)
    return false;
  index = entry.index;
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

bool ProtectedPlaces::InsideByIndex(DWORD high, DWORD low, size_t& place) const {
  const auto range = byIndex_.equal_range(std::make_pair(high, low));
  for (auto it = range.first; it != range.second; ++it)
    if (!it->second.second.holder && places_[it->second.second.place].inside) {
      place = it->second.second.place;
      return true;
    }
  return false;
}

const ProtectedPlaces::RootVerdict& ProtectedPlaces::RootOf(const std::string& root, const std::string& folder) {
  RootSeen& seen = roots_[root];
  if (!folder.empty()) {
    lastSeen_ = &seen;
    lastFolder_ = folder;
  }
  if (seen.known && (folder.empty() || SameText(seen.folder, folder))) return seen.verdict;
  if (!folder.empty()) seen.folder = folder;
  HANDLE h = OpenForListing(root);
  FileIdentity index;
  if (h == INVALID_HANDLE_VALUE || !IndexOf(h, 0, index)) {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    seen.known = true;
    seen.index = FileIdentity();
    seen.verdict = RootVerdict();
    seen.verdict.what = RootVerdict::Unknown;
    return seen.verdict;
  }
  if (seen.known && seen.index.known && seen.index.indexHigh == index.indexHigh &&
      seen.index.indexLow == index.indexLow) {
    CloseHandle(h);
    return seen.verdict;
  }
  seen.known = true;
  seen.index = index;
  seen.verdict = Climb(h, index, root);
  return seen.verdict;
}

ProtectedPlaces::RootVerdict ProtectedPlaces::Climb(HANDLE h, FileIdentity index, const std::string& root) {
  RootVerdict verdict;
  auto inside = [&](size_t place, bool itself) {
    verdict.what = RootVerdict::Inside;
    verdict.place = place;
    verdict.itself = itself;
    return verdict;
  };
  // The places protected with their insides that the climb may still meet.
  std::vector<size_t> pending;
  for (size_t i = 0; i < places_.size(); ++i)
    if (places_[i].inside && places_[i].identity.known) pending.push_back(i);
  if (pending.empty()) {
    CloseHandle(h);
    return verdict;
  }
  // Where the system names the root by another place (Windows names a SUBST
  // drive's folder by its real path), every folder on that place's road counts.
  DWORD error = 0;
  const std::string resolved = ResolvedPathOf(h, error);
  if (error == 0 && !resolved.empty() && !SameText(resolved, root)) {
    const std::vector<std::string> road = RoadFolders(resolved);
    for (size_t i = 0; i < road.size(); ++i)
      for (const Match& m : Open(road[i]).matches)
        if (!m.holder && places_[m.place].inside) {
          CloseHandle(h);
          return inside(m.place, i + 1 == road.size());
        }
  }
  // Then up through the ".." entries, each folder known by its index alone (a
  // place's index met on another file system only refuses, the safe side),
  // until a folder holding every such place (by its whole identity: above it
  // none of them can be met), the file system's root, or a folder whose parent
  // lies on another file system (Wine gives no index there, and looking one up
  // would search the whole file system).
  for (int level = 0;; ++level) {
    size_t place = 0;
    if (InsideByIndex(index.indexHigh, index.indexLow, place)) {
      CloseHandle(h);
      return inside(place, level == 0);
    }
    const auto range = byIndex_.equal_range(std::make_pair(index.indexHigh, index.indexLow));
    FileIdentity whole;
    bool read = false;
    for (auto it = range.first; it != range.second; ++it) {
      const auto at = std::find(pending.begin(), pending.end(), it->second.second.place);
      if (!it->second.second.holder || at == pending.end()) continue;
      if (!read) {
        IdentityOf(h, whole);
        read = true;
      }
      if (whole == it->second.first) pending.erase(at);
    }
    ULONGLONG id = 0;
    const Parent parent = level < kClimbLimit ? ParentEntry(h, id) : Parent::Failed;
    const ULONGLONG own = (static_cast<ULONGLONG>(index.indexHigh) << 32) | index.indexLow;
    if (pending.empty() || parent == Parent::None || (parent == Parent::Listed && (id == 0 || id == own))) {
      CloseHandle(h);
      return verdict;
    }
    if (parent == Parent::Listed &&
        InsideByIndex(static_cast<DWORD>(id >> 32), static_cast<DWORD>(id & 0xFFFFFFFFu), place)) {
      CloseHandle(h);
      return inside(place, false);
    }
    HANDLE up = parent == Parent::Listed ? OpenParentById(h, id) : INVALID_HANDLE_VALUE;
    CloseHandle(h);
    h = up;
    if (h == INVALID_HANDLE_VALUE || !IndexOf(h, 0, index) ||
        ((static_cast<ULONGLONG>(index.indexHigh) << 32) | index.indexLow) != id) {
      if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
      verdict.what = RootVerdict::Unknown;
      return verdict;
    }
  }
}

std::string ProtectedPlaces::RootRefusal(const RootVerdict& verdict, bool rootItself) const {
  if (verdict.what == RootVerdict::Unknown)
    return "the folders above its drive's root cannot be read, so it may lie inside a protected folder";
  if (verdict.what != RootVerdict::Inside) return std::string();
  const std::string& place = places_[verdict.place].path;
  return verdict.itself && rootItself ? "the protected folder " + place
                                      : "it lies inside the protected folder " + place;
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
    if (i == 0) {
      const std::string why = RootRefusal(RootOf(road[0]), last);
      if (!why.empty()) return why;
    }
    if (!last || !holders || (rootTaken && i == 0)) continue;
    for (const Match& m : known.matches)
      if (m.holder) return "it holds the protected folder " + places_[m.place].path;
  }
  return std::string();
}

const ProtectedPlaces::RootVerdict* ProtectedPlaces::RootOfItem(const std::string& resolved) {
  // The items of one folder come one after another: while they do, its
  // drive's verdict is taken again as it is, with no copy of the path made.
  const size_t cut = resolved.find_last_of('\\');
  const size_t folder = cut == std::string::npos || cut + 1 >= resolved.size() ? resolved.size()
                        : cut == 2 && resolved[1] == ':'                     ? cut + 1
                                                                             : cut;
  if (lastSeen_ && lastFolder_.size() == folder && SameTextAt(resolved, 0, lastFolder_)) return &lastSeen_->verdict;
  const std::string root = RootPart(resolved);
  return root.empty() ? nullptr : &RootOf(root, resolved.substr(0, folder));
}

bool ProtectedPlaces::ItemRefused(const std::string& resolved, const std::string& road) {
  if (resolved.empty() || places_.empty()) return false;
  for (const Place& place : places_) {
    if (place.resolved.empty()) continue;
    if (SameOrBelow(place.resolved, resolved)) return true;  // it is or holds the place
    if (!SameOrBelow(resolved, place.resolved)) continue;
    if (place.inside || (!road.empty() && !SameOrBelow(road, place.resolved))) return true;
  }
  const RootVerdict* drive = RootOfItem(resolved);
  return drive && drive->what != RootVerdict::Clear;
}

bool ProtectedPlaces::RoadRefused(const std::string& resolved, const FileIdentity& identity) {
  for (const Place& place : places_) {
    if (!place.inside) continue;
    if (identity.known && identity == place.identity) return true;
    if (!place.resolved.empty() && SameOrBelow(resolved, place.resolved)) return true;
  }
  const RootVerdict* drive = places_.empty() ? nullptr : RootOfItem(resolved);
  return drive && drive->what != RootVerdict::Clear;
}

} // namespace core
