#include "core/folder_scan.h"

#include "core/casefold.h"
#include "core/textutil.h"

#include <utility>
#include <vector>

namespace core {

namespace {

// A pattern is matched inside the folder being listed; one that names another
// folder or drive would count files from elsewhere.
bool IsUsablePattern(const std::string& pattern) {
  return !pattern.empty() && pattern.find_first_of("\\/:") == std::string::npos;
}

} // namespace

bool MatchesFilePattern(const std::string& name, const std::string& pattern) {
  // Left to right; on a mismatch the last star takes one more character.
  size_t n = 0, p = 0, star = std::string::npos, starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      starName = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || FoldChar(pattern[p]) == FoldChar(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && (pattern[p] == '*' || pattern[p] == '.')) ++p;
  return p == pattern.size();
}

std::vector<std::string> UsableFilePatterns(const std::deque<std::string>& patterns) {
  std::vector<std::string> usable;
  FoldedIndex seen;
  for (const std::string& p : patterns) {
    if (!IsUsablePattern(p) || seen.Contains(p)) continue;
    seen.Add(p);
    usable.push_back(p);
  }
  return usable;
}

bool MatchesAnyFilePattern(const std::string& name, const std::vector<std::string>& usable) {
  for (const std::string& p : usable)
    if (MatchesFilePattern(name, p)) return true;
  return false;
}

void ForEachMatchingFile(const std::vector<WIN32_FIND_DATAA>& listing, const std::vector<std::string>& patterns,
                         const std::function<void(const WIN32_FIND_DATAA&)>& visit) {
  std::vector<char> taken(listing.size(), 0);
  for (const std::string& pattern : patterns)
    for (size_t i = 0; i < listing.size(); ++i) {
      if (taken[i] || FindDataIsFolder(listing[i]) || !MatchesFilePattern(listing[i].cFileName, pattern)) continue;
      taken[i] = 1;
      visit(listing[i]);
    }
}

std::string FolderForJoining(const std::string& folder) {
  std::string joined = folder;
  if (joined.size() > 1 && joined.back() == '\\' && joined != "\\\\") joined.pop_back();
  return joined;
}

FolderStructSize::FolderStructSize(const std::string& root) : root_(root) {
  PathLevel(root_); // forward slashes become backslashes
  // Levels are those of the paths the walk forms (a trailing backslash is not one).
  std::string joined = FolderForJoining(root_);
  rootLevel_ = PathLevel(joined);
  rootPending_ = !root_.empty();
}

void FolderStructSize::SetFilePatterns(const std::deque<std::string>& patterns) {
  patterns_ = UsableFilePatterns(patterns);
}

void FolderStructSize::ScanAll() {
  if (rootPending_) {
    rootPending_ = false;
    WalkTree(true, false);
  }
  EndWalk();
}

void FolderStructSize::ScanSelectedFilesTree() {
  if (!root_.empty() && !patterns_.empty()) WalkTree(false, true);
  EndWalk();
}

void FolderStructSize::ScanSelectedFilesMainFolder() {
  if (!root_.empty() && !patterns_.empty()) {
    const std::string folder = FolderForJoining(root_);
    std::vector<WIN32_FIND_DATAA> files;
    ForEachFolderEntry(folder, "*.*", [&](const WIN32_FIND_DATAA& data) {
      if (!FindDataIsFolder(data)) files.push_back(data);
    }, [&](const KeptEntry& entry) {
      if (!entry.folder) kept_.push_back(KeptIn(folder, entry));
    });
    TakeSelectedFiles(folder, files);
  }
  EndWalk();
}

void FolderStructSize::EndWalk() {
  if (!countRootFolder_ && folderCount_ > 0) --folderCount_;
}

void FolderStructSize::WalkTree(bool takeAllFiles, bool matchPatterns) {
  // Children are one level below their parent, so first-in first-out order is
  // level order: all folders of level n are listed before any of level n + 1,
  // and within a level in the order they were found.
  queue_.clear();
  queue_.emplace_back(rootLevel_, FolderForJoining(root_));
  while (!queue_.empty()) {
    std::pair<uint32_t, std::string> next = std::move(queue_.front());
    queue_.pop_front();
    ++histogram_[next.first];
    ScanFolder(next.second, next.first, takeAllFiles, matchPatterns);
  }
}

void FolderStructSize::ScanFolder(const std::string& folder, uint32_t level, bool takeAllFiles,
                                  bool matchPatterns) {
  std::vector<WIN32_FIND_DATAA> files;  // this folder's files, for the patterns
  ForEachFolderEntry(folder, "*.*", [&](const WIN32_FIND_DATAA& data) {
    if (FindDataIsFolder(data)) {
      ++folderCount_;
      if (FindDataIsReparsePoint(data)) {
        // A link is a folder on its level, but its target belongs elsewhere
        // (a link to an ancestor would loop): never entered.
        ++histogram_[level + 1];
      } else {
        queue_.emplace_back(level + 1, folder + "\\" + data.cFileName);
      }
      return;
    }
    const uint64_t size = FindDataSize(data);
    if (takeAllFiles) {
      totalBytes_ += size;
      ++fileCount_;
      if (keepFileMap_) fileMap_[folder + "\\" + data.cFileName] = size;
    }
    if (matchPatterns) files.push_back(data);
  }, [&](const KeptEntry& entry) { kept_.push_back(KeptIn(folder, entry)); });

  if (matchPatterns) TakeSelectedFiles(folder, files);
}

void FolderStructSize::TakeSelectedFiles(const std::string& folder, const std::vector<WIN32_FIND_DATAA>& files) {
  // One listing answers every pattern, matched by the long names alone; a
  // file that several patterns match is taken once.
  ForEachMatchingFile(files, patterns_, [&](const WIN32_FIND_DATAA& data) {
    const uint64_t size = FindDataSize(data);
    selectedBytes_ += size;
    ++selectedFileCount_;
    selectedFileMap_[folder + "\\" + data.cFileName] = size;
  });
}

} // namespace core
