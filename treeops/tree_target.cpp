#include "treeops/tree_target.h"

#include "core/casefold.h"
#include "core/folder_scan.h"
#include "core/textutil.h"
#include "core/validation.h"

#include <windows.h>

#include <shlobj.h>
#include <userenv.h>

#include <cstdlib>

namespace treeops {

namespace {

std::string WithoutTrailingBackslashes(std::string path) {
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

// "X:" or "\\server\share" at the start of path, else empty.
std::string DrivePart(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z')))
    return path.substr(0, 2);
  if (path.size() > 2 && path[0] == '\\' && path[1] == '\\') {
    size_t server = path.find('\\', 2);
    if (server == std::string::npos || server == 2) return std::string();
    size_t share = path.find('\\', server + 1);
    if (share == server + 1) return std::string();
    return path.substr(0, share);
  }
  return std::string();
}

std::string PartFault(const std::string& part) {
  if (part.empty()) return "empty name";
  if (part.find('\0') != std::string::npos) return "Illegal character in the folder name : (character code 0)";
  std::string fault = core::NamePartFault(part);
  if (!fault.empty()) return fault;
  for (char c : part)
    if (std::string("<>:\"|?*").find(c) != std::string::npos)
      return std::string("the name \"") + part + "\" holds the character " + c;
  return std::string();
}

} // namespace

unsigned Level(const std::string& path) {
  unsigned n = 0;
  for (char c : path) n += c == '\\' || c == '/';
  return n;
}

bool SameOrInside(const std::string& a, const std::string& b) {
  if (!core::SameTextAt(a, 0, b)) return false;
  return a.size() == b.size() || a[b.size()] == '\\' || (!b.empty() && b.back() == '\\');
}

ProtectedFolders SystemProtectedFolders(const std::string& startupFolder) {
  ProtectedFolders folders;
  auto add = [&](const std::string& path, bool inside = false) {
    std::string p = WithoutTrailingBackslashes(core::TrimText(core::ForwardToBackslashes(path)));
    if (!p.empty()) folders.emplace_back(p, inside);
  };
  char buffer[MAX_PATH * 2];
  // The Windows folder and everything in it.
  if (GetWindowsDirectoryA(buffer, MAX_PATH)) add(buffer, true);
  if (GetSystemWindowsDirectoryA(buffer, MAX_PATH)) add(buffer, true);
  for (const char* name : {"SystemRoot", "windir"})
    if (const char* value = std::getenv(name)) add(value, true);
  const int places[] = {CSIDL_PROGRAM_FILES,        CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES_COMMON,
                        CSIDL_PROGRAM_FILES_COMMONX86, CSIDL_COMMON_APPDATA,   CSIDL_PROFILE};
  for (int place : places)
    if (SUCCEEDED(SHGetFolderPathA(nullptr, place, nullptr, 0, buffer))) add(buffer);
  for (const char* name : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432", "CommonProgramFiles",
                           "CommonProgramFiles(x86)", "CommonProgramW6432", "ProgramData", "ALLUSERSPROFILE"})
    if (const char* value = std::getenv(name)) add(value);
  DWORD size = MAX_PATH;
  if (GetProfilesDirectoryA(buffer, &size)) {
    const std::string profiles = WithoutTrailingBackslashes(buffer);
    add(profiles);
    core::ForEachFolderEntry(profiles, "*", [&](const WIN32_FIND_DATAA& data) {
      if (core::FindDataIsFolder(data)) add(profiles + "\\" + data.cFileName);
    });
  }
  add(startupFolder);
  DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    std::string exe(buffer, length);
    add(exe.substr(0, exe.find_last_of('\\')));
  }
  if (GetCurrentDirectoryA(MAX_PATH, buffer)) add(buffer);
  return folders;
}

std::shared_ptr<core::ProtectedPlaces> PlacesOf(const ProtectedFolders& folders) {
  std::vector<core::ProtectedPlace> places;
  places.reserve(folders.size());
  for (const ProtectedFolder& f : folders) places.push_back({f.path, f.inside});
  return std::make_shared<core::ProtectedPlaces>(places);
}

TargetCheck CheckTarget(const std::string& line, const ProtectedFolders& protectedFolders, bool rootTaken,
                        core::ProtectedPlaces* places) {
  TargetCheck check;
  std::string path = core::TrimText(core::ForwardToBackslashes(line));
  const std::string drive = DrivePart(path);
  auto refuse = [&](const std::string& reason) {
    check.reason = reason;
    return check;
  };
  // A root holds protected folders (C:\ the Windows folder): taken only where
  // asked, and then refused only when it is a protected folder itself.
  auto root = [&]() {
    if (!rootTaken) return refuse("a drive or share root");
    const std::string rootPath = drive + "\\";
    for (const ProtectedFolder& folder : protectedFolders)
      if (core::SameText(folder.path, rootPath) || core::SameText(folder.path, drive))
        return refuse("the protected folder " + folder.path);
    if (places) {
      const std::string why = places->Refusal(rootPath, true);
      if (!why.empty()) return refuse(why);
    }
    check.ok = true;
    check.path = rootPath;
    return check;
  };
  if (drive.empty()) return refuse("not a full path (no drive letter or \\\\server\\share)");
  if (drive.size() == 2) {
    if (path.size() == 2) return root();
    if (path[2] != '\\') return refuse("not a full path (drive-relative)");
  } else {
    std::string server = drive.substr(2, drive.find('\\', 2) - 2);
    std::string share = drive.substr(drive.find('\\', 2) + 1);
    std::string fault = PartFault(server);
    if (fault.empty()) fault = PartFault(share);
    if (!fault.empty()) return refuse(fault);
  }
  std::string rest = core::CollapseDoubleBackslashes(path.substr(drive.size()));
  while (!rest.empty() && rest.back() == '\\') rest.pop_back();
  if (rest.empty()) return root();
  path = drive + rest;
  for (size_t start = 1; start <= rest.size();) {
    size_t end = rest.find('\\', start);
    if (end == std::string::npos) end = rest.size();
    std::string fault = PartFault(rest.substr(start, end - start));
    if (!fault.empty()) return refuse(fault);
    start = end + 1;
  }
  if (path.size() >= kPathLimit) return refuse("the path is too long");
  // A short (8.3) name could hide a protected folder.
  std::string compared = path;
  if (path.find('~') != std::string::npos) {
    char longName[MAX_PATH * 2];
    DWORD n = GetLongPathNameA(path.c_str(), longName, sizeof longName);
    if (n > 0 && n < sizeof longName) compared = WithoutTrailingBackslashes(longName);
  }
  for (const ProtectedFolder& folder : protectedFolders) {
    if (SameOrInside(folder.path, compared))
      return refuse(core::SameText(folder.path, compared) ? "the protected folder " + folder.path
                                                           : "it holds the protected folder " + folder.path);
    if (folder.inside && SameOrInside(compared, folder.path))
      return refuse("it lies inside the protected folder " + folder.path);
  }
  if (places) {
    const std::string why = places->Refusal(path);
    if (!why.empty()) return refuse(why);
  }
  check.ok = true;
  check.path = path;
  return check;
}

std::string ReasonFinder::operator()(const std::string& path) {
  for (; indexed_ < reasons_.size(); ++indexed_) index_.emplace(reasons_[indexed_].path, indexed_);
  auto found = index_.find(path);
  if (found == index_.end()) return std::string();
  const std::string reason = reasons_[found->second].reason;
  index_.erase(found);
  return reason;
}

core::ListedSection ReasonsSection(const std::vector<Refusal>& reasons, const std::string& heading) {
  core::ListedGroups groups;
  for (const Refusal& r : reasons) groups.Add(r.path, r.reason);
  return core::ListedSection{heading, groups.Groups()};
}

} // namespace treeops
