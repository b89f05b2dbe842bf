#include "listwin/list_file.h"

#include "core/casefold.h"
#include "core/import_engine.h"
#include "core/textutil.h"
#include "listwin/export_writer.h"
#include "ui/application.h"

#include <windows.h>

namespace {

using core::kMsgPlain;
using core::kMsgQuestion;
using core::kMsgWarning;

#define T02 "Creating Folder(s).-From a String List."
const core::NumberedMessage<ListFileMsg> kRowsVol02[] = {
    {ListFileMsg::NotTxtAsk, "0012", kMsgQuestion,
     "The file extension is not a txt.\nMaybe it is not a plain text file. \nDo you want to open this file "
     "?\nClick YES to continue Loading this file,\nClick NO to Stop the Loading process.",
     T02 "            Information no: 0012."},
    {ListFileMsg::OpenFailed, "0013", kMsgWarning,
     "There was a problem opening the file !\nAction : The file is maybe corrupted.",
     T02 "            Warning no: 0013."},
    {ListFileMsg::ClearAsk, "0014", kMsgQuestion,
     "Do you want to clear the previous content of the INCLUDE window ?\nClick YES to clear the previous "
     "content,\nClick NO to leave it.",
     T02 "            Information no: 0014."},
    {ListFileMsg::InInclude, "0141", kMsgWarning, "This item already exists in the Include window !\n",
     T02 "             Warning no: 0141."},
    {ListFileMsg::InExclude, "0142", kMsgWarning, "This item already exists in the Exclude window !\n",
     T02 "             Warning no: 0142."},
    {ListFileMsg::DriveAsk, "0143", kMsgQuestion,
     "There is a drive letter in the string!\nClick YES to continue without asking\nClick NO  to Clear the "
     "INCULDE Window and quit the Import process",
     "reating Folder(s).-From a String List.             Warning no: 0143."},
    {ListFileMsg::SaveFailed, "0016", kMsgWarning,
     "There was a problem saving the file !\nAction : The file is maybe corrupted.",
     T02 "            Warning no: 0016."},
    // The end boxes carry no number: plain boxes with the program's title.
    {ListFileMsg::Loaded, "", kMsgPlain, "End of the Loading process.", nullptr},
    {ListFileMsg::Saved, "", kMsgPlain, "End of the saving process.", nullptr},
};
#undef T02

#define T04 "Creating Folder(s).-From a Folder List."
const core::NumberedMessage<ListFileMsg> kRowsVol04[] = {
    {ListFileMsg::NotTxtAsk, "0048", kMsgQuestion,
     "The file extension is not txt.\nMaybe it is not a plain text file. \nDo you want to open this file "
     "?\nClick YES to Continue Loading this file,\nClick NO to Stop the Loading process.",
     T04 "            Information no: 0048."},
    {ListFileMsg::OpenFailed, "0049", kMsgWarning,
     "There was a problem opening the file !\nAction : The file is maybe corrupted.",
     T04 "             Warning no: 0049."},
    {ListFileMsg::ClearAsk, "0050", kMsgQuestion,
     "Do you want to clear the previous content of the INCLUDE window ?\nClick YES to clear the previous "
     "content,\nClick NO to leave it.",
     T04 "            Information no: 0050."},
    {ListFileMsg::InInclude, "0138", kMsgWarning, "This folder already exists in the Include window !\n",
     T04 "             Warning no: 0138."},
    {ListFileMsg::InExclude, "0139", kMsgWarning, "This folder already exists in the Exclude window !\n",
     T04 "             Warning no: 0139."},
    {ListFileMsg::DriveAsk, "0140", kMsgQuestion,
     "There is no drive letter !\nClick YES to continue without asking\nClick NO  to Clear the "
     "INCULDE Window and quit the Import process",
     T04 "             Warning no: 0140."},
    {ListFileMsg::SaveFailed, "0052", kMsgWarning,
     "There was a problem saving the file !\nAction : The file is maybe corrupted.",
     T04 "            Warning no: 0052."},
    {ListFileMsg::Loaded, "", kMsgPlain, "End of the loading process.", nullptr},
    {ListFileMsg::Saved, "", kMsgPlain, "End of the saving process.", nullptr},
};
#undef T04

#define T06 "Rename Folders. - From a Folder List."
const core::NumberedMessage<ListFileMsg> kRowsVol06[] = {
    {ListFileMsg::NotTxtAsk, "0190", kMsgQuestion,
     "The file extension is not txt.\nMaybe it is not a plain text file. \nDo you want to open this file "
     "?\nClick YES to Continue Loading this file,\nClick NO to Stop the Loading process.",
     T06 "            Information no: 0190."},
    {ListFileMsg::OpenFailed, "0191", kMsgWarning,
     "There was a problem opening the file !\nAction : The file is maybe corrupted.",
     "Rename Folders. - From Folder List.             Warning no: 0191."},
    {ListFileMsg::ClearAsk, "0192", kMsgQuestion,
     "Do you want to clear the previous content of the INCLUDE window ?\nClick YES to clear the previous "
     "content,\nClick NO to leave it.",
     T06 "            Information no: 0192."},
    {ListFileMsg::InInclude, "0196", kMsgWarning, "This folder already exists in the Include window !\n",
     T06 "             Warning no: 0196."},
    {ListFileMsg::InExclude, "0195", kMsgWarning, "This folder already exists in the Exclude window !\n",
     T06 "             Warning no: 0195."},
    {ListFileMsg::DriveAsk, "0194", kMsgQuestion,
     "There is no drive letter !\nClick YES to continue without asking\nClick NO  to Clear the "
     "INCULDE Window and quit the Import process",
     T06 "             Warning no: 0194."},
    {ListFileMsg::SaveFailed, "0197", kMsgWarning,
     "There was a problem saving the file !\nAction : The file is maybe corrupted.",
     T06 "            Warning no: 0197."},
    {ListFileMsg::Loaded, "", kMsgPlain, "End of the loading process.", nullptr},
    {ListFileMsg::Saved, "", kMsgPlain, "End of the saving process.", nullptr},
};
#undef T06
#define T08 "Copy Folder Structure(s).-From a Folder List - Level."
const core::NumberedMessage<ListFileMsg> kRowsVol08[] = {
    {ListFileMsg::NotTxtAsk, "0268", kMsgQuestion,
     "The file extension is not txt.\nMaybe it is not a plain text file. \nDo you want to open this file "
     "?\nClick YES to Continue Loading this file,\nClick NO to Stop the Loading process.",
     T08 "            Information no: 0268."},
    {ListFileMsg::OpenFailed, "0269", kMsgWarning,
     "There was a problem opening the file !\nAction : The file is maybe corrupted.",
     "Copy Folder Structure(s).-From Folder List - Level.             Warning no: 0269."},
    {ListFileMsg::ClearAsk, "0270", kMsgQuestion,
     "Do you want to clear the previous content of the INCLUDE window ?\nClick YES to clear the previous "
     "content,\nClick NO to leave it.",
     T08 "            Information no: 0270."},
    {ListFileMsg::InInclude, "0274", kMsgWarning, "This folder already exists in the Include window !\n",
     T08 "             Warning no: 0274."},
    {ListFileMsg::InExclude, "0273", kMsgWarning, "This folder already exists in the Exclude window !\n",
     T08 "             Warning no: 0273."},
    {ListFileMsg::DriveAsk, "0272", kMsgQuestion,
     "There is no drive letter !\nClick YES to continue without asking\nClick NO  to Clear the "
     "INCULDE Window and quit the Import process",
     T08 "             Warning no: 0272."},
    {ListFileMsg::SaveFailed, "0275", kMsgWarning,
     "There was a problem saving the file !\nAction : The file is maybe corrupted.",
     T08 "            Warning no: 0275."},
    {ListFileMsg::Loaded, "", kMsgPlain, "End of the loading process.", nullptr},
    {ListFileMsg::Saved, "", kMsgPlain, "End of the saving process.", nullptr},
};
#undef T08

} // namespace

const ListFileTwin kListFileVol02 = {false, core::TableOf(kRowsVol02)};
const ListFileTwin kListFileVol04 = {true, core::TableOf(kRowsVol04)};
const ListFileTwin kListFileVol06 = {true, core::TableOf(kRowsVol06)};
const ListFileTwin kListFileVol08 = {true, core::TableOf(kRowsVol08)};

namespace {

// A box of the page's row; the numberless end boxes carry the program's title.
int Show(const ListFileTwin& twin, ListFileMsg id) {
  const core::NumberedMessage<ListFileMsg>& m = twin.messages[id];
  return ui::App().MessageBox(m.text, m.caption ? std::string(m.caption) : ui::App().Title, m.flags);
}

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
  if (core::LowerCaseCopy(Extension(path)) != "txt" && Show(twin, ListFileMsg::NotTxtAsk) != IDYES) return false;

  core::TextLineReader reader;
  if (reader.Open(path) != core::ImportFailure::None) {
    Show(twin, ListFileMsg::OpenFailed);
    Show(twin, ListFileMsg::Loaded);
    return true;
  }
  if (Show(twin, ListFileMsg::ClearAsk) == IDYES) p.page.include->Clear();

  // The lines first (the file closes before any box), then the page's rules.
  std::vector<std::string> lines;
  const bool read = reader.ForEachLine(
      [&](std::string_view text, bool blank) {
        if (!blank) lines.emplace_back(text);
      },
      kListFileLineKept);
  if (!read) {
    Show(twin, ListFileMsg::OpenFailed);
    return true;
  }
  bool askDrive = true;
  ui::ListBox& include = *p.page.include;
  const EntryJudge judge = p.page.Judge(ListRoad::ListFile);
  // Lines the page does not take are named in one box at the end; lines a list
  // holds already are told one by one.
  LeftOut left;
  for (const std::string& line : lines) {
    const std::string s = core::TrimText(line);
    if (include.Contains(s)) {
      Show(twin, ListFileMsg::InInclude);
    } else if (p.page.exclude->Contains(s)) {
      Show(twin, ListFileMsg::InExclude);
    } else if (s.empty()) {
      continue;
    } else if (Qualifies(twin, s)) {
      const Verdict verdict = judge(s);
      if (!verdict.taken) {
        left.Add(s, verdict.reason);
        continue;
      }
      include.Add(s);
      if (p.page.includeCount) p.page.includeCount->SetText(std::to_string(include.Count()));
    } else {
      if (askDrive) {
        if (Show(twin, ListFileMsg::DriveAsk) != IDYES) {
          include.Clear();
          if (p.page.includeCount) p.page.includeCount->SetText("0");
          return false;
        }
        askDrive = false;
      }
      left.Add(s, twin.entriesWithDrive ? "no drive letter" : "holds a drive letter");
    }
  }
  p.page.TellLeftOut(left);
  Show(twin, ListFileMsg::Loaded);
  return true;
}

void ExportListFile(const ListFilePage& p) {
  if (!p.save->Execute(p.page.form)) return;
  std::vector<std::string> entries;
  for (const std::string& entry : p.page.include->Items())
    if (Qualifies(*p.twin, core::TrimText(entry))) entries.push_back(entry);
  const core::ExportResult result = core::WriteExportFile(p.save->FileName, entries, core::ExportOptions{});
  if (!result.Ok()) {
    Show(*p.twin, ListFileMsg::SaveFailed);
    return;
  }
  Show(*p.twin, ListFileMsg::Saved);
}
