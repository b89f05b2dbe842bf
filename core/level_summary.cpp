#include "core/level_summary.h"

#include "core/folder_scan.h"
#include "core/textutil.h"

namespace core {

std::string LevelSummarySizeText(uint64_t bytes) {
  return FormatByteSize(bytes) + "  (" + UInt64ToStdString(bytes) + " bytes).";
}

LevelSummary SummarizeLevels(const FolderStructSize& scan, bool selectedFiles) {
  LevelSummary summary;
  summary.root = scan.GetRoot();
  // The root's own level is not a row; a scan that listed nothing has no levels.
  for (const auto& level : scan.GetLevelHistogram()) {
    if (level.first <= scan.GetRootLevel()) continue;
    summary.rows.push_back(LevelSummaryRow{NumberToStdString(level.first - 1.0),
                                           UIntToStdString(level.second)});
  }
  // What the walk met but could not count: names no path reaches.
  if (!scan.GetKeptEntries().empty())
    summary.rows.push_back(LevelSummaryRow{"Not counted", UInt64ToStdString(scan.GetKeptEntries().size()) +
                                                              " (names this system cannot address)"});
  summary.folderCount = UIntToStdString(scan.GetFolderCount());
  const uint64_t bytes = selectedFiles ? scan.GetSelectedBytes() : scan.GetTotalBytes();
  summary.fileCount =
      UIntToStdString(selectedFiles ? scan.GetSelectedFileCount() : scan.GetFileCount());
  summary.sizeText = LevelSummarySizeText(bytes);
  return summary;
}

} // namespace core
