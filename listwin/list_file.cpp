#include "listwin/list_file.h"

#include "core/casefold.h"
#include "core/import_engine.h"
#include "core/textutil.h"
#include "listwin/export_writer.h"
#include "ui/application.h"

#include <windows.h>

const ListFileTwin kListFileVol02 = {
    false,
    {"Creating Folder(s).-From a String List.            Information no: 0012.", 0x124,
     "The file extension is not a txt.\nMaybe it is not a plain text file. \nDo you want to open this file "
     "?\nClick YES to continue Loading this file,\nClick NO to Stop the Loading process."},
    {"Creating Folder(s).-From a String List.            Warning no: 0013.", 0x30,
     "There was a problem opening the file !\nAction : The file is maybe corrupted."},
    {"Creating Folder(s).-From a String List.            Information no: 0014.", 0x124,
     "Do you want to clear the previous content of the INCLUDE window ?\nClick YES to clear the previous "
     "content,\nClick NO to leave it."},
    {"Creating Folder(s).-From a String List.             Warning no: 0141.", 0x30,
     "This item already exists in the Include window !\n"},
    {"Creating Folder(s).-From a String List.             Warning no: 0142.", 0x30,
     "This item already exists in the Exclude window !\n"},
    {"reating Folder(s).-From a String List.             Warning no: 0143.", 0x124,
     "There is a drive letter in the string!\nClick YES to continue without asking\nClick NO  to Clear the "
     "INCULDE Window and quit the Import process"},
    {"Creating Folder(s).-From a String List.            Warning no: 0016.", 0x30,
     "There was a problem saving the file !\nAction : The file is maybe corrupted."},
    "End of the Loading process.",
};

#define T04 "Creating Folder(s).-From a Folder List."
const ListFileTwin kListFileVol04 = {
    true,
    {T04 "            Information no: 0048.", 0x124,
     "The file extension is not txt.\nMaybe it is not a plain text file. \nDo you want to open this file "
     "?\nClick YES to Continue Loading this file,\nClick NO to Stop the Loading process."},
    {T04 "             Warning no: 0049.", 0x30,
     "There was a problem opening the file !\nAction : The file is maybe corrupted."},
    {T04 "            Information no: 0050.", 0x124,
     "Do you want to clear the previous content of the INCLUDE window ?\nClick YES to clear the previous "
     "content,\nClick NO to leave it."},
    {T04 "             Warning no: 0138.", 0x30, "This folder already exists in the Include window !\n"},
    {T04 "             Warning no: 0139.", 0x30, "This folder already exists in the Exclude window !\n"},
    {T04 "             Warning no: 0140.", 0x124,
     "There is no drive letter !\nClick YES to continue without asking\nClick NO  to Clear the "
     "INCULDE Window and quit the Import process"},
    {T04 "            Warning no: 0052.", 0x30,
     "There was a problem saving the file !\nAction : The file is maybe corrupted."},
    "End of the loading process.",
};
#undef T04

namespace {

int Show(const ListFileMessage& m) { return ui::App().MessageBox(m.text, m.caption, m.flags); }

bool Qualifies(const ListFileTwin& twin, const std::string& entry) {
  return core::HasDrivePart(entry) == twin.entriesWithDrive;
}

std::string Extension(const std::string& path) {
  const size_t slash = path.find_last_of("\\/:");
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return path.substr(dot + 1);
}

} // namespace

bool ImportListFile(const ListFilePage& p) {
  const ListFileTwin& twin = *p.twin;
  if (!p.open->Execute(p.page.form)) return true;
  const std::string path = p.open->FileName;
  if (core::LowerCaseCopy(Extension(path)) != "txt" && Show(twin.extension) != IDYES) return false;

  core::TextLineReader reader;
  if (reader.Open(path) != core::ImportFailure::None) {
    Show(twin.openFailed);
    ui::App().MessageBox(twin.loadedText, ui::App().Title, MB_OK);
    return true;
  }
  if (Show(twin.clearQuestion) == IDYES) p.page.include->Clear();

  // The lines first (the file closes before any box), then the page's rules.
  std::vector<std::string> lines;
  const bool read = reader.ForEachLine(
      [&](std::string_view text, bool blank) {
        if (!blank) lines.emplace_back(text);
      },
      kListFileLineKept);
  if (!read) {
    Show(twin.openFailed);
    return true;
  }
  bool askDrive = true;
  ui::ListBox& include = *p.page.include;
  for (const std::string& line : lines) {
    const std::string s = core::TrimText(line);
    if (include.Contains(s)) {
      Show(twin.inInclude);
    } else if (p.page.exclude->Contains(s)) {
      Show(twin.inExclude);
    } else if (s.empty()) {
      continue;
    } else if (Qualifies(twin, s)) {
      if (!p.page.Accepts(s, ListRoad::ListFile)) continue;
      include.Add(s);
      if (p.page.includeCount) p.page.includeCount->SetText(std::to_string(include.Count()));
    } else if (askDrive) {
      if (Show(twin.driveQuestion) != IDYES) {
        include.Clear();
        if (p.page.includeCount) p.page.includeCount->SetText("0");
        return false;
      }
      askDrive = false;
    }
  }
  ui::App().MessageBox(twin.loadedText, ui::App().Title, MB_OK);
  return true;
}

void ExportListFile(const ListFilePage& p) {
  if (!p.save->Execute(p.page.form)) return;
  std::vector<std::string> entries;
  for (const std::string& entry : p.page.include->Items())
    if (Qualifies(*p.twin, core::TrimText(entry))) entries.push_back(entry);
  const core::ExportResult result = core::WriteExportFile(p.save->FileName, entries, core::ExportOptions{});
  if (!result.Ok()) {
    Show(p.twin->saveFailed);
    return;
  }
  ui::App().MessageBox("End of the saving process.", ui::App().Title, MB_OK);
}
