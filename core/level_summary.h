// What the level-summary table and labels show of a scanned folder tree: one
// row per subfolder level (the level number and how many subfolders lie on it),
// the folder and file counts and the size text.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace core {

class FolderStructSize;

struct LevelSummaryRow {
  std::string level; // the folders' path level minus 1
  std::string count; // number of subfolders on that level
};

struct LevelSummary {
  std::string root; // the scanned root folder
  std::vector<LevelSummaryRow> rows;
  std::string folderCount;
  std::string fileCount;
  std::string sizeText;
};

// Byte-size text of the summary: "1.50 GB  (1610612736 bytes).".
std::string LevelSummarySizeText(uint64_t bytes);

// From a scanner that has run: rows for every level below the root that holds
// folders, ascending (none when nothing below the root was found), and a last
// row "Not counted" with the entries whose names no path reaches; the folder
// count as the scanner gives it; with selectedFiles the selected-file count and
// bytes, otherwise the count and bytes of all files.
LevelSummary SummarizeLevels(const FolderStructSize& scan, bool selectedFiles);

} // namespace core
