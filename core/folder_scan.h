// The folder-tree scanner: measures one folder tree without changing it. It walks
// breadth-first from one root, level by level, and yields the number of
// subfolders, files and bytes, the number of folders on each level and a map
// from every file path to its size; the selected-file walks count only the
// files that match a list of file-name patterns.
#pragma once
#include "core/folder_listing.h"

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace core {

// File path to size, ordered by path, so callers can merge and look up paths.
using FileSizeMap = std::map<std::string, uint64_t>;
// Path level to the number of folders found on that level.
using LevelHistogram = std::map<uint32_t, uint32_t>;

// The folder as a walk joins names to it: one trailing backslash dropped, so a
// drive root "C:\" or "\\server\share\" gives "C:\name", never "C:\\name" (a
// lone "\" or "\\" stays as it is).
std::string FolderForJoining(const std::string& folder);

// Whether a file's name matches a file-name pattern: letter case ignored, "*"
// any run of characters (none too), "?" exactly one; dots and stars ending the
// pattern may stand for nothing, so "*.*" takes every name and "a*.*" takes
// "abc". Only the long name counts: the system's own search also matches each
// name's 8.3 alias, so "*.tmp" would take "c.tmpx" through "C~1.TMP".
bool MatchesFilePattern(const std::string& name, const std::string& pattern);

// The patterns a selection uses: empty ones, those holding "\", "/" or ":"
// (they would name another folder or drive) and repeats (letter case ignored)
// are left out.
std::vector<std::string> UsableFilePatterns(const std::deque<std::string>& patterns);
// Whether name matches at least one of the usable patterns (a name the
// listing keeps is counted where a selection would have taken it).
bool MatchesAnyFilePattern(const std::string& name, const std::vector<std::string>& usable);

// The files of one folder's listing that match at least one pattern, each once:
// pattern by pattern, in listing order within a pattern. Folders are skipped.
// Every selection of files by pattern (scanner, delete and copy runs, and the
// previews that count for them) goes through this one matcher.
void ForEachMatchingFile(const std::vector<WIN32_FIND_DATAA>& listing,
                         const std::vector<std::string>& patterns,
                         const std::function<void(const WIN32_FIND_DATAA&)>& visit);

class FolderStructSize {
public:
  // root: the folder to measure; forward slashes are taken as backslashes. An
  // empty root measures nothing.
  explicit FolderStructSize(const std::string& root);

  // When true the root itself counts in the folder total (default false).
  void SetCountRootFolder(bool count) { countRootFolder_ = count; }
  // File-name patterns of the selected-file walks ("*.doc", "a*", ...). Empty
  // patterns and patterns holding "\", "/" or ":" (which would search outside
  // the folder being listed) are ignored.
  void SetFilePatterns(const std::deque<std::string>& patterns);
  // When false the full walk keeps no file map (counts, bytes and the level
  // histogram only): a summary of a large tree needs no entry per file.
  void SetKeepFileMap(bool keep) { keepFileMap_ = keep; }

  // The full walk: every folder and file below the root.
  void ScanAll();
  // Every folder of the tree, and the files that match at least one pattern.
  void ScanSelectedFilesTree();
  // The files of the root folder alone that match at least one pattern.
  void ScanSelectedFilesMainFolder();

  uint64_t GetTotalBytes() const { return totalBytes_; }
  uint32_t GetFileCount() const { return fileCount_; }
  uint32_t GetFolderCount() const { return folderCount_; }
  FileSizeMap GetFileMap() const { return fileMap_; }
  uint64_t GetSelectedBytes() const { return selectedBytes_; }
  uint32_t GetSelectedFileCount() const { return selectedFileCount_; }
  FileSizeMap GetSelectedFileMap() const { return selectedFileMap_; }

  // The root as measured (backslashes only) and its path level.
  const std::string& GetRoot() const { return root_; }
  uint32_t GetRootLevel() const { return rootLevel_; }
  // Folders per path level: the root on its own level, then every subfolder
  // found, each once. Empty when nothing was walked.
  const LevelHistogram& GetLevelHistogram() const { return histogram_; }
  // Entries the listing kept back (names no path reaches), with the reason;
  // they count in no total and are never entered.
  const std::vector<KeptPath>& GetKeptEntries() const { return kept_; }

private:
  // Lists one folder: counts and queues its subfolders, adds its files to the
  // totals when takeAllFiles, and takes the matching files when matchPatterns.
  void ScanFolder(const std::string& folder, uint32_t level, bool takeAllFiles,
                  bool matchPatterns);
  // Breadth-first walk from the root with one ScanFolder per folder.
  void WalkTree(bool takeAllFiles, bool matchPatterns);
  void TakeSelectedFiles(const std::string& folder, const std::vector<WIN32_FIND_DATAA>& files);
  void EndWalk();

  std::string root_;
  uint32_t rootLevel_ = 0;
  bool rootPending_ = false; // the full walk has not yet taken the root
  std::deque<std::pair<uint32_t, std::string>> queue_;
  LevelHistogram histogram_;
  uint64_t totalBytes_ = 0;
  uint32_t fileCount_ = 0;
  uint32_t folderCount_ = 1;
  uint64_t selectedBytes_ = 0;
  uint32_t selectedFileCount_ = 0;
  bool countRootFolder_ = false;
  bool keepFileMap_ = true;
  FileSizeMap fileMap_;
  FileSizeMap selectedFileMap_;
  std::vector<std::string> patterns_;
  std::vector<KeptPath> kept_;
};

} // namespace core
