#include "listwin/export_handover.h"

#include "core/casefold.h"
#include "core/textutil.h"
#include "listwin/frmFileExport.h"
#include "ui/application.h"
#include "ui/throttle.h"

#include <windows.h>

const char kExportKindFolders[] = "FOLDERS";
const char kExportKindStrings[] = "STRINGS";

bool PassesExportFilter(const std::string& entry, const std::string& kind, ExportFilter filter) {
  if (filter == ExportFilter::ByKind)
    filter = kind == kExportKindStrings ? ExportFilter::WithoutDrive : ExportFilter::WithDrive;
  switch (filter) {
    case ExportFilter::WithDrive: return core::HasDrivePart(entry);
    case ExportFilter::WithoutDrive: return !core::HasDrivePart(entry);
    default: return true;
  }
}

int HandOverToExport(const std::vector<std::string>& items, const std::string& kind,
                     ExportFilter filter, const std::function<void(int examined)>& onProgress,
                     const std::function<void()>& onFilled) {
  // Messages are processed while the list fills: a second sender clicked
  // meanwhile must not mix its list into this one.
  static bool filling = false;
  if (filling) return 0;
  struct Filling {
    Filling() { filling = true; }
    ~Filling() { filling = false; }
  } guard;
  TfrmFileExport& window = *frmFileExport;
  window.ResetExportWindow();

  // Entries go to the list in batches, with the count and pending messages
  // refreshed about every 50 ms; the hash index answers "already handed over".
  core::FoldedIndex handed;
  std::vector<std::string> batch;
  int added = 0;
  ui::Throttle throttle;
  auto flush = [&](int examined) {
    window.lstFileExportSource.AddStrings(batch);
    batch.clear();
    window.lblSmartExportSource.SetText(std::to_string(added));
    if (onProgress) onProgress(examined);
  };
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string& entry = items[i];
    if (!handed.Contains(entry) && PassesExportFilter(entry, kind, filter)) {
      handed.Add(entry);
      batch.push_back(entry);
      ++added;
    }
    if (throttle.Due()) {
      flush(static_cast<int>(i + 1));
      ui::App().ProcessMessages();
      if (ui::App().Terminated()) return added;
    }
  }
  flush(static_cast<int>(items.size()));
  if (onFilled) onFilled();

  if (window.lstFileExportSource.Count() > 0) window.lstFileExportSource.SetItemIndex(0);
  window.SetExportKind(kind);
  window.ShowModal();
  return added;
}
