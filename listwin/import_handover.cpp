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
  const EntryJudge judge = page.Judge(road);
  LeftOut left;
  std::string control;
  size_t i = 0;
  bool stopped = false;
  std::string stoppedAt;
  for (; i < items.size() && !stopped; ++i) {
    core::StringList pieces;
    // A line holding a NUL or another control character is refused whole, never cut.
    if (core::FindControlCharacter(items[i], control)) {
      left.Add(core::TrimText(items[i]), "holds a control character " + control);
    } else if (page.splitAtDrives) {
      pieces = core::SmartImportParse(items[i]);
    } else {
      pieces.push_back(items[i]);
    }
    for (size_t k = 0; k < pieces.size(); ++k) {
      const std::string entry = core::TrimText(pieces[k]);
      if (entry.empty()) continue;
      // An entry already present is skipped, and named with the others left out.
      if (taken.Contains(entry) || page.include->Contains(entry) || page.exclude->Contains(entry)) {
        left.Add(entry, page.exclude->Contains(entry) ? "in the EXCLUDE list" : "listed already");
        continue;
      }
      const Verdict verdict = judge(entry);
      if (verdict.stop) {
        // The page has said why; the rest of this item is not read either.
        stopped = true;
        stoppedAt = entry;
        for (size_t rest = k + 1; rest < pieces.size(); ++rest)
          if (!core::TrimText(pieces[rest]).empty())
            left.Add(core::TrimText(pieces[rest]), "not read: the list stopped at " + entry);
        break;
      }
      if (!verdict.taken) {
        left.Add(entry, verdict.reason);
        continue;
      }
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
  if (ui::App().Terminated()) {  // the main window is closing: no more boxes
    flush(items.size());
    return added;
  }
  for (; stopped && i < items.size(); ++i)
    if (!core::TrimText(items[i]).empty())
      left.Add(core::TrimText(items[i]), "not read: the list stopped at " + stoppedAt);
  flush(items.size());
  if (page.progress) page.progress->SetVisible(false);
  page.TellLeftOut(left);
  return added;
}
