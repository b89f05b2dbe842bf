// Include-list text files: a page writes its include list to a plain text file
// (one entry a line, CR LF) and reads one back, line by line, with its own
// messages. One design for every page, bound by the page's row of messages.
#pragma once
#include "core/box_message.h"
#include "listwin/list_page.h"
#include "ui/dialogs.h"

#include <functional>
#include <string>

// The boxes of a page's list-file commands.
enum class ListFileMsg { NotTxtAsk, OpenFailed, ClearAsk, InInclude, InExclude, DriveAsk, SaveFailed, Loaded, Saved };

// What differs between the pages.
struct ListFileTwin {
  bool entriesWithDrive;  // folder-list pages keep entries with a drive part, the string page without
  core::MessageTable<ListFileMsg> messages;
};

extern const ListFileTwin kListFileVol02, kListFileVol04, kListFileVol06, kListFileVol08;

// The page's list-file binding: its lists (a line enters only when the page's
// acceptance rule takes it; the lines it does not take are named in the page's
// one closing box before the end box), its dialogs and its row.
struct ListFilePage {
  ListPageDescription page;
  const ListFileTwin* twin = nullptr;
  ui::OpenDialog* open = nullptr;
  ui::SaveDialog* save = nullptr;
};

// The longest line a list file hands to a page's rules; longer ones are refused
// by those rules (no page takes entries that long).
constexpr size_t kListFileLineKept = 4096;

// Import List: true when the page should be refreshed afterwards.
bool ImportListFile(const ListFilePage& page);
// Export List: writes the qualifying include entries (beside the old file first,
// replacing it only when complete).
void ExportListFile(const ListFilePage& page);
