#include "listwin/import_handover.h"

#include "core/casefold.h"
#include "core/textutil.h"
#include "core/validation.h"
#include "listwin/frmFileImport.h"
#include "ui/application.h"
#include "ui/throttle.h"

#include <windows.h>

int SmartImportToPage(const ListPageDescription& page) {
  TfrmFileImport& window = *frmFileImport;
  const int result = window.ShowModal();
  const std::vector<std::string> items = window.lstFileImportResults.Items();
  if (items.empty()) {
    ui::App().MessageBox("Empty Result List in the File Import Window!\n", page.emptyImportCaption, 0x30);
    return 0;
  }
  if (result != IDOK) return 0;

  CommandLock lock(*page.form);
  if (page.progress) {
    page.progress->SetRange(0, static_cast<int>(items.size()));
    page.progress->SetPosition(0);
    page.progress->SetVisible(true);
  }
  core::FoldedIndex taken;
  std::vector<std::string> batch;
  int added = 0;
  ui::Throttle throttle;
  auto flush = [&](size_t done) {
    page.include->AddStrings(batch);
    batch.clear();
    if (page.includeCount) page.includeCount->SetText(std::to_string(page.include->Count()));
    if (page.progress) page.progress->SetPosition(static_cast<int>(done));
  };
  for (size_t i = 0; i < items.size(); ++i) {
    core::StringList pieces;
    if (page.splitAtDrives)
      pieces = core::SmartImportParse(items[i]);
    else
      pieces.push_back(items[i]);
    for (const std::string& piece : pieces) {
      const std::string entry = core::TrimText(piece);
      if (entry.empty() || taken.Contains(entry) || page.include->Contains(entry) ||
          page.exclude->Contains(entry))
        continue;
      if (page.accepts && !page.accepts(entry)) continue;
      taken.Add(entry);
      batch.push_back(entry);
      ++added;
    }
    if (throttle.Due()) {
      flush(i + 1);
      ui::App().ProcessMessages();
      if (ui::App().Terminated()) break;
    }
  }
  flush(items.size());
  if (page.progress) page.progress->SetVisible(false);
  return added;
}
