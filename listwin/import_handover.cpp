#include "listwin/import_handover.h"

#include "core/box_message.h"
#include "core/casefold.h"
#include "core/textutil.h"
#include "core/validation.h"
#include "listwin/frmFileImport.h"
#include "listwin/frmSubFolderListBuilder.h"
#include "ui/application.h"
#include "ui/throttle.h"

#include <windows.h>

int SmartImportToPage(const ListPageDescription& page) {
  TfrmFileImport& window = *frmFileImport;
  const bool ok = window.ShowModal() == IDOK;
  return HandBackToPage(page, ok, window.lstFileImportResults.Items(), page.emptyImportCaption,
                        ListRoad::SmartImport);
}

int SubFolderListBuilderToPage(const ListPageDescription& page) {
  const SubFolderListHandBack back = OpenSubFolderListBuilder();
  ListPageDescription whole = page;
  whole.splitAtDrives = false;
  return HandBackToPage(whole, back.imported, back.entries, page.emptyBuilderCaption, ListRoad::HandBack);
}

int HandBackToPage(const ListPageDescription& page, bool ok, const std::vector<std::string>& items,
                   const std::string& emptyCaption, ListRoad road) {
  if (items.empty()) {
    ui::App().MessageBox("Empty Result List in the File Import Window!\n", emptyCaption, core::kMsgWarning);
    return 0;
  }
  if (!ok) return 0;

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
  std::string control;
  for (size_t i = 0; i < items.size(); ++i) {
    core::StringList pieces;
    // A line holding a NUL or another control character is refused whole, never cut.
    if (!core::FindControlCharacter(items[i], control)) {
      if (page.splitAtDrives)
        pieces = core::SmartImportParse(items[i]);
      else
        pieces.push_back(items[i]);
    }
    for (const std::string& piece : pieces) {
      const std::string entry = core::TrimText(piece);
      if (entry.empty() || taken.Contains(entry) || page.include->Contains(entry) ||
          page.exclude->Contains(entry))
        continue;
      if (!page.Accepts(entry, road)) continue;
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
