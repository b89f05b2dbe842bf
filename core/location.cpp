#include "core/location.h"

#include "core/on_threads.h"
#include "core/protected_places.h"

#include <cwchar>
#include <vector>

#include <winternl.h>

namespace core {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool NotFound(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// The DOS path in the name the system keeps for the object open at h, when
// that name has the "\??\X:\..." or "\??\UNC\..." form, written into out
// as "\\?\..." with its length; 0 otherwise (a "\Device\..." name).
DWORD NtObjectPath(HANDLE h, std::vector<wchar_t>& out) {
  static thread_local std::vector<unsigned char> info(sizeof(OBJECT_NAME_INFORMATION) + 4 * 32768);
  ULONG length = 0;
  if (NtQueryObject(h, ObjectNameInformation, info.data(), static_cast<ULONG>(info.size()), &length) != 0) return 0;
  const UNICODE_STRING& name = reinterpret_cast<const OBJECT_NAME_INFORMATION*>(info.data())->Name;
  const size_t chars = name.Length / sizeof(wchar_t);
  if (!name.Buffer || chars < 4 || std::wcsncmp(name.Buffer, L"\\??\\", 4) != 0) return 0;
  out.assign(name.Buffer, name.Buffer + chars);
  out[1] = L'\\';  // "\??\" -> "\\?\", the form GetFinalPathNameByHandle answers
  out.push_back(L'\0');
  return static_cast<DWORD>(chars);
}

// The place of the item open at h, without the "\\?\" prefix; empty with
// error ERROR_NOT_SUPPORTED when the system cannot tell. A copy's temporary
// name may lie past MAX_PATH: asked in Unicode, and of the object's own name
// where the system answers no such path.
std::string FinalPathOf(HANDLE h, DWORD& error) {
  error = 0;
  static thread_local std::vector<wchar_t> wide;
  // The object's own name first: under Wine it has the "\??\C:\..." form,
  // the place the final-path call answers, at the cost of one call of the
  // system (the final-path call asks each drive letter in turn), and it tells
  // places past MAX_PATH too. Windows names a device there: then the
  // final-path call.
  DWORD n = NtObjectPath(h, wide);
  if (n == 0) {
    wide.assign(MAX_PATH + 16, L'\0');
    n = GetFinalPathNameByHandleW(h, wide.data(), static_cast<DWORD>(wide.size()),
                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n >= wide.size()) {
      wide.resize(n + 1);
      n = GetFinalPathNameByHandleW(h, wide.data(), static_cast<DWORD>(wide.size()),
                                    FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
  }
  int chars = 0;
  std::vector<char> buffer;
  // Plain ASCII (nearly every place) is the same in every code page.
  bool ascii = n > 0 && n < wide.size();
  for (DWORD i = 0; ascii && i < n; ++i) ascii = wide[i] < 0x80;
  if (ascii) {
    buffer.resize(n);
    for (DWORD i = 0; i < n; ++i) buffer[i] = static_cast<char>(wide[i]);
    chars = static_cast<int>(n);
  } else if (n > 0 && n < wide.size()) {
    // No best fit: a letter the code page lacks never turns into a look-alike
    // that could name another, real place. A place spelt with one is not
    // compared at all.
    const UINT codePage = GetACP();
    const bool utf = codePage == CP_UTF8 || codePage == CP_UTF7;
    const DWORD flags = utf ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL defaulted = FALSE;
    chars = WideCharToMultiByte(CP_ACP, flags, wide.data(), static_cast<int>(n), nullptr, 0, nullptr,
                                utf ? nullptr : &defaulted);
    buffer.resize(chars > 0 ? chars : 0);
    if (chars > 0)
      WideCharToMultiByte(CP_ACP, flags, wide.data(), static_cast<int>(n), buffer.data(), chars, nullptr,
                          utf ? nullptr : &defaulted);
    if (defaulted) chars = 0;
  }
  if (chars <= 0) {
    error = ERROR_NOT_SUPPORTED;
    return std::string();
  }
  std::string resolved(buffer.data(), static_cast<size_t>(chars));
  if (resolved.compare(0, 8, "\\\\?\\UNC\\") == 0)
    resolved = "\\\\" + resolved.substr(8);
  else if (resolved.compare(0, 4, "\\\\?\\") == 0)
    resolved.erase(0, 4);
  while (resolved.size() > 3 && resolved.back() == '\\') resolved.pop_back();
  return resolved;
}

// Where the system takes path itself to be (the name is opened as a link
// where the system keeps links apart). Empty with error set when path cannot
// be opened, or with ERROR_NOT_SUPPORTED when the system cannot tell. The
// name is opened with access besides FILE_READ_ATTRIBUTES, folders too unless
// filesOnly; keep: the open handle is handed there instead of closed
// (INVALID_HANDLE_VALUE when it could not be opened); identity: the item's.
std::string Resolve(const std::string& path, DWORD& error, DWORD access = 0, bool filesOnly = false,
                    HANDLE* keep = nullptr, FileIdentity* identity = nullptr, DWORD share = kShareAll) {
  error = 0;
  if (keep) *keep = INVALID_HANDLE_VALUE;
  HANDLE h = CreateFileA(path.c_str(), access | FILE_READ_ATTRIBUTES, share, nullptr, OPEN_EXISTING,
                         (filesOnly ? 0 : FILE_FLAG_BACKUP_SEMANTICS) | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    error = GetLastError();
    if (error == 0) error = ERROR_NOT_SUPPORTED;
    return std::string();
  }
  std::string resolved = FinalPathOf(h, error);
  if (identity) IdentityOf(h, *identity);
  if (keep) *keep = h;
  else CloseHandle(h);
  return resolved;
}

std::string LastName(const std::string& path) {
  const size_t cut = path.find_last_of('\\');
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string Join(const std::string& folder, const std::string& name) {
  return !folder.empty() && folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

// path without trailing backslashes (a root keeps its own).
std::string Trimmed(const std::string& text) {
  std::string path = text;
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

// The long form of path when the system knows one, else path.
std::string LongForm(const std::string& path) {
  char longPath[MAX_PATH * 2];
  const DWORD n = GetLongPathNameA(path.c_str(), longPath, sizeof longPath);
  return n > 0 && n < sizeof longPath ? Trimmed(std::string(longPath, n)) : path;
}

// The own-name rule: the item at path, opened as itself, lies in its folder
// (as that folder resolves now) under its own name, or, for a short 8.3 name,
// its long name. A root has no folder above it and must resolve to itself.
// above: where folders above items were found already (asked and noted when
// not there yet); with it the identity is read with the volume noted there.
ItemLocation OwnName(const std::string& path, DWORD access, bool filesOnly, HANDLE& h,
                     FileIdentity* identity = nullptr, FolderPlaces* above = nullptr, DWORD share = kShareAll) {
  ItemLocation at;
  const bool later = above && identity;
  at.resolved = Resolve(path, at.error, access, filesOnly, &h, later ? nullptr : identity, share);
  if (at.error) return at;
  FolderPlace* place = nullptr;
  auto readIdentity = [&] {
    if (!later || h == INVALID_HANDLE_VALUE) return;
    if (place && place->volumeKnown) {
      IndexOf(h, place->volume, *identity);
    } else if (IdentityOf(h, *identity) && place) {
      place->volume = identity->volume;
      place->volumeKnown = true;
    }
  };
  const size_t cut = path.find_last_of('\\');
  if (cut == std::string::npos || cut + 1 >= path.size()) {
    readIdentity();
    if (!SameText(at.resolved, path)) at.error = ERROR_NOT_SUPPORTED;
    return at;
  }
  // "C:\x" lies in "C:\"; "\\server\share\x" in "\\server\share".
  const std::string folder = path.substr(0, cut == 2 && path[1] == ':' ? 3 : cut);
  const std::string name = path.substr(cut + 1);
  DWORD error = 0;
  std::string resolvedFolder;
  auto known = above ? above->find(folder) : FolderPlaces::iterator();
  if (above && known != above->end()) {
    error = known->second.error;
    resolvedFolder = known->second.resolved;
  } else {
    resolvedFolder = Resolve(folder, error);
    if (above) known = above->emplace(folder, FolderPlace{error, resolvedFolder}).first;
  }
  if (above) place = &known->second;
  readIdentity();
  if (error) {
    at.error = NotFound(error) ? error : ERROR_NOT_SUPPORTED;
    return at;
  }
  bool here = SameText(at.resolved, Join(resolvedFolder, name));
  if (!here && name.find('~') != std::string::npos)
    here = SameText(at.resolved, Join(resolvedFolder, LastName(LongForm(path))));
  if (!here) at.error = ERROR_NOT_SUPPORTED;
  else at.name = LastName(at.resolved);
  return at;
}

// A road's own check: the own-name rule; a drive or share root has no name
// of its own and is taken wherever the system places it (a drive letter may
// name a folder of another drive).
ItemLocation RoadItself(const std::string& folder, HANDLE& h, FileIdentity* identity, FolderPlaces* above = nullptr) {
  const bool drive = folder.size() >= 2 && folder.size() <= 3 && folder[1] == ':';
  const size_t server = folder.compare(0, 2, "\\\\") == 0 ? folder.find('\\', 2) : std::string::npos;
  const bool share = server != std::string::npos && folder.find('\\', server + 1) == std::string::npos;
  if (!drive && !share) return OwnName(folder, 0, false, h, identity, above);
  ItemLocation at;
  at.resolved = Resolve(folder.size() == 2 ? folder + "\\" : folder, at.error, 0, false, &h, identity);
  return at;
}

// Whether resolved is where the road's folder lies (roadResolved) followed by
// the rest of path below the road (its first roadLength characters): what
// SameText(resolved, AlongRoad(roadResolved, RestBelow(road, path))) tells,
// with no copy made.
bool IsAlongRoad(const std::string& resolved, const std::string& roadResolved, const std::string& path,
                 size_t roadLength) {
  size_t at = roadLength;
  if (at < path.size() && path[at] == '\\') ++at;
  if (at >= path.size()) return SameText(resolved, roadResolved);
  size_t base = roadResolved.size();
  if (base > 0 && roadResolved[base - 1] == '\\') --base;
  if (resolved.size() != base + 1 + (path.size() - at) || resolved[base] != '\\') return false;
  for (size_t i = 0; i < base; ++i)
    if (FoldChar(resolved[i]) != FoldChar(roadResolved[i])) return false;
  for (size_t i = at, j = base + 1; i < path.size(); ++i, ++j)
    if (FoldChar(resolved[j]) != FoldChar(path[i])) return false;
  return true;
}

// Below road: the rest of path, starting with its backslash ("" for the road itself).
std::string RestBelow(const std::string& road, const std::string& path) {
  std::string rest = path.substr(road.size());
  if (!rest.empty() && rest.front() != '\\') rest.insert(rest.begin(), '\\');
  return rest;
}

std::string AlongRoad(const std::string& resolvedRoad, const std::string& rest) {
  if (rest.empty()) return resolvedRoad;
  return !resolvedRoad.empty() && resolvedRoad.back() == '\\' ? resolvedRoad + rest.substr(1) : resolvedRoad + rest;
}

// Whether the road's folder found again at resolved is the one listed at
// listedAt, now named by another drive. Under Wine the volume's serial number
// is the one of the drive that names the place, so when the drive differs
// only the index can tell; on the same drive both must agree.
bool SameItemRenamed(const FileIdentity& now, const FileIdentity& listed, const std::string& resolved,
                     const std::string& listedAt) {
  if (SameText(resolved, listedAt) || !now.known || !listed.known) return false;
  if (now == listed) return true;
  auto driveOf = [](const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    const size_t server = path.compare(0, 2, "\\\\") == 0 ? path.find('\\', 2) : std::string::npos;
    const size_t share = server == std::string::npos ? server : path.find('\\', server + 1);
    return path.substr(0, share);
  };
  return !SameText(driveOf(resolved), driveOf(listedAt)) && now.indexHigh == listed.indexHigh &&
         now.indexLow == listed.indexLow;
}

} // namespace

std::map<std::string, LocationCheck::Road, FoldedLess>::iterator LocationCheck::RoadOf(const std::string& path) {
  if (roads_.empty()) return roads_.end();
  // The path itself, then each folder above it, deepest first.
  for (std::string folder = path;;) {
    auto it = roads_.find(folder);
    if (it != roads_.end()) return it;
    const size_t cut = folder.find_last_of('\\');
    if (cut == std::string::npos || cut < 2) return roads_.end();
    folder.resize(cut == 2 && folder[1] == ':' ? 3 : cut);
    if (folder.size() == 3 && folder[1] == ':') {
      it = roads_.find(folder);
      return it;
    }
  }
}

DWORD LocationCheck::OnRoad(const std::string& path, const std::string& resolved,
                            std::map<std::string, Road, FoldedLess>::iterator road) {
  const DWORD closed = road->second.error;
  if (!closed && IsAlongRoad(resolved, road->second.resolved, path, road->first.size())) return 0;
  std::string rest = RestBelow(road->first, path);
  if (closed) return rest.empty() || NotFound(closed) || closed == kErrorProtected ? closed : kErrorRoadMoved;
  if (SameText(resolved, AlongRoad(road->second.resolved, rest))) return 0;
  if (rest.find('~') != std::string::npos) {
    const std::string longRoad = LongForm(road->first), longPath = LongForm(path);
    if (longPath.size() >= longRoad.size() && SameText(longPath.substr(0, longRoad.size()), longRoad)) {
      rest = RestBelow(longRoad, longPath);
      if (SameText(resolved, AlongRoad(road->second.resolved, rest))) return 0;
    }
  }
  // Not where the road leads. The item's own name may be the link.
  HANDLE h = INVALID_HANDLE_VALUE;
  if (!rest.empty()) {
    const ItemLocation own = OwnName(path, 0, false, h);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    if (own.error == ERROR_NOT_SUPPORTED) return ERROR_NOT_SUPPORTED;
  }
  // The system names a place by one of the drives that reach it, and may name
  // the road's folder by another drive now: the same folder (by its identity,
  // its own name still leading to it) is followed under its new name.
  FileIdentity now;
  const ItemLocation again = RoadItself(road->first, h, &now);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  if (!again.Here()) return rest.empty() && again.error == ERROR_NOT_SUPPORTED ? ERROR_NOT_SUPPORTED : kErrorRoadMoved;
  if (!SameItemRenamed(now, road->second.identity, again.resolved, road->second.resolved)) return kErrorRoadMoved;
  road->second.resolved = again.resolved;
  return SameText(resolved, AlongRoad(road->second.resolved, rest)) ? 0 : kErrorRoadMoved;
}

ItemLocation LocationCheck::Of(const std::string& path) {
  HANDLE none;
  return Open(path, 0, false, none);
}

std::vector<ItemLocation> LocationCheck::OfMany(const std::vector<std::string>& texts) {
  std::vector<ItemLocation> answers(texts.size());
  // Which are asked on the threads: the items below an open road (all the
  // rest goes the one way Of goes, here).
  std::vector<std::string> paths(texts.size());
  std::vector<std::map<std::string, Road, FoldedLess>::iterator> roads(texts.size(), roads_.end());
  std::vector<size_t> asked;
  for (size_t i = 0; i < texts.size(); ++i) {
    paths[i] = Trimmed(texts[i]);
    roads[i] = RoadOf(paths[i]);
    if (roads[i] != roads_.end() && !roads[i]->second.error) asked.push_back(i);
  }
  OnThreads(asked.size(), [&](size_t k) {
    ItemLocation& at = answers[asked[k]];
    at.resolved = Resolve(paths[asked[k]], at.error);
  });
  size_t next = 0;  // in asked
  for (size_t i = 0; i < texts.size(); ++i) {
    if (next < asked.size() && asked[next] == i) {
      ++next;
      ItemLocation& at = answers[i];
      if (at.error == 0) at.error = OnRoad(paths[i], at.resolved, roads[i]);
      if (at.error == 0) at.name = LastName(at.resolved);
      if (at.error == 0) at.error = Guarded(at.resolved, roads[i]);
    } else {
      answers[i] = Of(texts[i]);
    }
  }
  return answers;
}

ItemLocation LocationCheck::Open(const std::string& text, DWORD access, bool filesOnly, HANDLE& handle,
                                 DWORD share) {
  handle = INVALID_HANDLE_VALUE;
  HANDLE h = INVALID_HANDLE_VALUE;
  const std::string path = Trimmed(text);
  ItemLocation at;
  auto road = RoadOf(path);
  if (road == roads_.end()) {
    at = OwnName(path, access, filesOnly, h, nullptr, nullptr, share);
  } else if (road->second.error) {
    at.error = OnRoad(path, std::string(), road);
  } else {
    at.resolved = Resolve(path, at.error, access, filesOnly, &h, nullptr, share);
    if (at.error == 0) at.error = OnRoad(path, at.resolved, road);
    if (at.error == 0) at.name = LastName(at.resolved);
  }
  if (at.error == 0) at.error = Guarded(at.resolved, road);
  // Hands the handle over only for an item that is here.
  if (h != INVALID_HANDLE_VALUE) {
    if (at.error == 0 && access != 0) handle = h;
    else CloseHandle(h);
  }
  return at;
}

ItemLocation LocationCheck::ListRoad(const std::string& text, bool absentCloses) {
  return TakeRoad(text, absentCloses, nullptr);
}

std::vector<ItemLocation> LocationCheck::ListRoads(const std::vector<std::string>& folders, bool absentCloses) {
  FolderPlaces above;
  std::vector<ItemLocation> answers;
  answers.reserve(folders.size());
  for (const std::string& folder : folders) answers.push_back(TakeRoad(folder, absentCloses, &above));
  return answers;
}

ItemLocation LocationCheck::TakeRoad(const std::string& text, bool absentCloses, FolderPlaces* above) {
  const std::string folder = Trimmed(text);
  HANDLE h = INVALID_HANDLE_VALUE;
  FileIdentity identity;
  ItemLocation at;
  auto road = RoadOf(folder);
  if (road == roads_.end()) {
    at.error = RoadAbove(folder);
    if (at.error == 0) at = RoadItself(folder, h, &identity, above);
  } else {
    at.resolved = Resolve(folder, at.error, 0, false, &h, &identity);
    if (at.error == 0) at.error = OnRoad(folder, at.resolved, road);
  }
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  if (at.error == 0 && protected_ && protected_->RoadRefused(at.resolved, identity)) at.error = kErrorProtected;
  if (at.error == 0) at.name = LastName(at.resolved);
  at.identity = identity;
  if (absentCloses || !NotFound(at.error))
    roads_[folder] = Road{at.error ? std::string() : at.resolved, identity, at.error};
  return at;
}

ItemLocation LocationCheck::ListRoadAsListed(const std::string& text, const ItemLocation& listed) {
  const std::string folder = Trimmed(text);
  if (!listed.Here()) {
    // Not itself when it was listed: nothing below it is reached.
    roads_[folder] = Road{std::string(), listed.identity, listed.error};
    ItemLocation at;
    at.error = listed.error;
    return at;
  }
  roads_[folder] = Road{listed.resolved, listed.identity, 0};
  return ListRoad(folder);
}

bool LocationCheck::HandleIsAt(HANDLE handle, const std::string& text) {
  const std::string path = Trimmed(text);
  DWORD error = 0;
  const std::string resolved = FinalPathOf(handle, error);
  if (error) return false;
  auto road = RoadOf(path);
  if (Guarded(resolved, road)) return false;
  if (road != roads_.end()) return OnRoad(path, resolved, road) == 0;
  const size_t cut = path.find_last_of('\\');
  if (cut == std::string::npos || cut + 1 >= path.size()) return SameText(resolved, path);
  const std::string resolvedFolder = Resolve(path.substr(0, cut == 2 && path[1] == ':' ? 3 : cut), error);
  return error == 0 && SameText(resolved, Join(resolvedFolder, path.substr(cut + 1)));
}

DWORD LocationCheck::RoadAbove(const std::string& folder) {
  const std::vector<std::string> road = RoadFolders(folder);
  // From the root (taken wherever the system places it: a drive letter may
  // name a folder of another drive) down to the folder's parent.
  for (size_t i = 0; i + 1 < road.size(); ++i) {
    auto found = above_.find(road[i]);
    if (found == above_.end()) {
      std::pair<std::string, DWORD> at;
      at.first = Resolve(road[i], at.second);
      if (at.second == 0 && i > 0) {
        const std::string& before = above_.find(road[i - 1])->second.first;
        const std::string name = LastName(road[i]);
        bool here = SameText(at.first, Join(before, name));
        if (!here && name.find('~') != std::string::npos)
          here = SameText(at.first, Join(before, LastName(LongForm(road[i]))));
        if (!here) at.second = ERROR_NOT_SUPPORTED;
      }
      found = above_.emplace(road[i], at).first;
    }
    const DWORD error = found->second.second;
    if (error) return NotFound(error) ? error : kErrorRoadMoved;
  }
  return 0;
}

DWORD LocationCheck::Guarded(const std::string& resolved, std::map<std::string, Road, FoldedLess>::iterator road) {
  if (!protected_) return 0;
  static const std::string none;
  const std::string& roadAt = road != roads_.end() && !road->second.error ? road->second.resolved : none;
  return protected_->ItemRefused(resolved, roadAt) ? kErrorProtected : 0;
}

std::string ResolvedPathOf(HANDLE h, DWORD& error) { return FinalPathOf(h, error); }

bool ListingShowsFileLinks() {
  // Wine's own system library names its version; Windows' does not.
  static const bool windows = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") == nullptr;
  return windows;
}

bool LocationCheck::IdentityOnRoad(HANDLE handle, const std::string& path, FileIdentity& identity) {
  auto road = RoadOf(Trimmed(path));
  return road != roads_.end() && road->second.identity.known && IndexOf(handle, road->second.identity.volume, identity);
}

void LocationCheck::Forget(const std::string& text) {
  const std::string folder = Trimmed(text);
  // The folders inside it sort together, right after its name and a backslash.
  const std::string below = folder + "\\";
  auto forget = [&](auto& places) {
    places.erase(folder);
    for (auto it = places.lower_bound(below);
         it != places.end() && it->first.size() >= below.size() && SameText(it->first.substr(0, below.size()), below);)
      it = places.erase(it);
  };
  forget(roads_);
  forget(above_);
}

std::string RemovalReason(DWORD error) {
  switch (error) {
    case ERROR_NOT_SUPPORTED:
      return "a link (its name leads to another place): left as it is, its target untouched";
    case kErrorRoadMoved: return "a folder on its path is a link or was moved";
    case kErrorHoldsKept: return "it holds an entry that stays";
    case kErrorProtected:
      return "a protected folder, a folder holding one or a place inside one (whatever road leads there), or "
             "a place on a drive whose folders above its root cannot be read: never touched";
    case kErrorStillThere:
      return "the system did not remove it: still there after its removal (refused, or held open by another "
             "program)";
    case ERROR_ACCESS_DENIED: return "access denied (read-only?)";
    case ERROR_DIR_NOT_EMPTY: return "the folder is not empty";
    case ERROR_FILENAME_EXCED_RANGE: return "the path is too long";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return "not found";
    default: return "system error " + std::to_string(error);
  }
}

} // namespace core
