// The samples of the six examples windows: inputs, options and, per option,
// the result lists in the order the window shows them.
#include "examples/examples_window.h"

namespace {

using Strings = std::vector<std::string>;

// Shared samples: the destination, the two main-folder structures and their
// subfolders (the first subfolder is "Emails" or "E-mails" by window).
const char kC[] = "f:\\Clients";
const Strings kMainStructures = {"e:\\Marketing", "f:\\Programs"};
Strings SubStructures(const char* s1) {
  return {std::string("e:\\Marketing\\") + s1, "e:\\Marketing\\SEO", "f:\\Programs\\Beta", "f:\\Programs\\Final"};
}
Strings MainTails(const char* s1) {
  return {std::string("\\Marketing\\") + s1, "\\Marketing\\SEO", "\\Programs\\Beta", "\\Programs\\Final"};
}
Strings SubTails(const char* s1) { return {std::string("\\") + s1, "\\SEO", "\\Beta", "\\Final"}; }
// f:\Clients\<text>, one entry per text.
Strings InClients(const Strings& names) {
  Strings paths;
  for (const std::string& name : names) paths.push_back(std::string(kC) + "\\" + name);
  return paths;
}

const char kAttachGroup[] = "Attach Folder Structures";
const char kTestOptions[] = "You can test different options by selecting different radio buttons.";
const char kMainStructuresLabel[] = "Main Folder Structures window:";
const char kSubStructuresLabel[] = "Subfolder Structures window:";

// The three creation samples: attach nothing, main folders with their
// subfolders, subfolders only.
std::vector<ExamplesOption> CreationOptions(const Strings& created, const char* s1, const char* main,
                                            const char* subOnly) {
  return {{"Attach Nothing", {{{created}}}},
          {main, {{{created, MainTails(s1)}}}},
          {subOnly, {{{created, SubTails(s1)}}}}};
}

const ExamplesTable kCreateStrings = {
    {"A List of Strings:", kMainStructuresLabel, kSubStructuresLabel},
    {{"Customer1", "Customer2", "Customer3"}, kMainStructures, SubStructures("Emails")},
    {"A Destination Folder:", "Prefix:", "Suffix:"},
    {kC, "2013", "May"},
    {"Hyphen"},
    kAttachGroup,
    "",
    CreationOptions(InClients({"2013-Customer1-May", "2013-Customer2-May", "2013-Customer3-May"}), "Emails",
                    "Main Folders and their Subfolders", "Subfolders Only"),
    {"Preview (Results)"},
    {"IMPORTANT !!!", "You can test different options by selecting different radio buttons"},
};

const ExamplesTable kCreateFolders = {
    {"Include Window (a List of Folders):", kMainStructuresLabel, kSubStructuresLabel},
    {InClients({"Company01", "Company02", "Company03"}), kMainStructures, SubStructures("E-mails")},
    {"Prefix:", "Suffix:"},
    {"2013", "May"},
    {"Hyphen"},
    kAttachGroup,
    "",
    CreationOptions(InClients({"2013-Company01-May", "2013-Company02-May", "2013-Company03-May"}), "E-mails",
                    "Main Folders and their Subfolders", "Subfolders Only"),
    {"Preview (Results)"},
    {"IMPORTANT !!!", kTestOptions},
};

const ExamplesTable kCreateNumbers = {
    {"", kMainStructuresLabel, kSubStructuresLabel},
    {{}, kMainStructures, SubStructures("E-mails")},
    {"A Destination Folder:", "Prefix:", "Suffix:", "Start Number:", "Stop Number:"},
    {kC, "Customer", "2013", "1", "3"},
    {"Hyphen", "Padded Zeroes in Increase Numbers"},
    kAttachGroup,
    "",
    CreationOptions(InClients({"Customer-1-2013", "Customer-2-2013", "Customer-3-2013"}), "E-mails",
                    "Main Folders and their Subfolders (Empty Folder Structures - Without Files)",
                    "Subfolders Only (Empty Folder Structures - Without Files)"),
    {"Preview (Results)"},
    {"IMPORTANT !!!", kTestOptions},
};

const Strings kCompanies = InClients({"Company01", "Company02", "Company03"});
const ExamplesTable kCopy = {
    {"Include Window", "Folder Structures", "Subfolder Structures"},
    {kCompanies, kMainStructures, SubStructures("E-mails")},
    {},
    {},
    {},
    "Copy Folder Structures",
    "",
    {{"Main Folders and their Subfolders.", {{{kCompanies, MainTails("E-mails")}}}},
     {"Subfolders Only.", {{{kCompanies, SubTails("E-mails")}}}}},
    {"Preview (Results)"},
    {"important !!!", kTestOptions},
};

// The delete sample: main folders (M), their upper subfolders (T), the leaf
// subfolders (L), files in the main folders (FM) and in the subfolders (FS).
const Strings kM = InClients({"Customer1", "Customer2", "Customer3"});
const Strings kT = InClients({"Customer1\\Marketing", "Customer2\\Programs", "Customer3\\Analyses"});
const Strings kL = InClients({"Customer1\\Marketing\\Emails", "Customer1\\Marketing\\SEO",
                              "Customer2\\Programs\\Beta", "Customer2\\Programs\\Final",
                              "Customer3\\Analyses\\Exel", "Customer3\\Analyses\\PowerPoint"});
const Strings kFM = InClients({"Customer1\\index.html", "Customer2\\basic.swf", "Customer3\\extract.txt",
                               "Customer3\\t33.bmp"});
const Strings kFS = InClients({"Customer1\\Marketing\\Emails\\License.doc", "Customer1\\Marketing\\SEO\\support.html",
                               "Customer2\\Programs\\Beta\\Main.cpp", "Customer2\\Programs\\Final\\OverView.h",
                               "Customer3\\Analyses\\Exel\\WeeklyReport.xls",
                               "Customer3\\Analyses\\PowerPoint\\feed.ppt"});
Strings Joined(std::initializer_list<Strings> parts) {
  Strings all;
  for (const Strings& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}
// Files before folders, deeper folders before their parents.
const ExamplesTable kDelete = {
    {"Include Window", "Subfolder structures of the Folders from the Include Window", "Files in Folder Structures"},
    {kM, kL, Joined({kFM, kFS})},
    {},
    {},
    {},
    "Delete Folder Structures / Main Folders / Files.",
    "Active File Types: ALL.",
    {{"Delete Complete Subfolder Structures - retain Main Folders.", {{{kFS}, {kFM}, {kL}, {kT}}, {{kM}}}},
     {"Delete List of Main Folders with Complete Structures - retain Nothing ",
      {{{kFS}, {kFM}, {kL}, {kT}, {kM}}, {{{kC}}}}},
     {"Delete Selected Files from Main Folders Only. ", {{{kFM}}, {{kFS}, {kL}}}},
     {"Delete Selected Files from Main Folders and Subfolders too.", {{{kFS}, {kFM}}, {{kL}}}}},
    {"Deleted Folders and/or Files", "Retain"},
    {"IMPORTANT !!!", "You can select different options by selecting different radio buttons."},
};

// The rename sample joins the suffix with the delimiter its edit shows ("_").
const ExamplesTable kRename = {
    {"Include Window"},
    {InClients({"Customer1\\Emails", "Customer2\\SEO", "Customer3\\Programs"})},
    {"New Prefix", "Delimiter between Prefix and Subfolder Name ", "Delimiter between Subfolder name and Suffix",
     "New Suffix", "New Name of the Last Subfolder"},
    {"2013", "-", "_", "May", "Company"},
    {},
    "Methods for Renaming Folder Lists",
    "",
    {{"Add Prefix and/or Suffix",
      {{{InClients({"Customer1\\2013-Emails_May", "Customer2\\2013-SEO_May", "Customer3\\2013-Programs_May"})}}}},
     {"Rename the Last Subfolder", {{{InClients({"Customer1", "Customer2", "Customer3"}), {"\\Company"}}}}}},
    {"Preview (Results)"},
    {"IMPORTANT !!!", kTestOptions},
};

} // namespace

const ExamplesTable& ExamplesTableOf(ExamplesKind kind) {
  switch (kind) {
  case ExamplesKind::CreateStrings: return kCreateStrings;
  case ExamplesKind::CreateFolders: return kCreateFolders;
  case ExamplesKind::CreateNumbers: return kCreateNumbers;
  case ExamplesKind::Copy: return kCopy;
  case ExamplesKind::Delete: return kDelete;
  case ExamplesKind::Rename: break;
  }
  return kRename;
}
