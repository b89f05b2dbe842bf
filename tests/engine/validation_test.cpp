#include "core/validation.h"

#include "core/textutil.h"


#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using core::StringList;

namespace {

// A drive letter that names no drive of this machine.
char MissingDriveLetter() {
  const DWORD drives = GetLogicalDrives();
  for (char letter = 'Y'; letter >= 'D'; --letter)
    if (!(drives & (1u << (letter - 'A')))) return letter;
  return 0;
}

const char* const kNoDriveLetter = "This item is not a valid Folder Name (No drive letter) !";
const char* const kNoValidDrive = "There is no valid drive letter.";
const char* const kJustRoot = "There is no Folder part (just root).";

} // namespace

TEST(Validation, IllegalCharacterSets) {
  core::BuildIllegalCharSetDefault();
  core::BuildIllegalCharSetH();
  core::BuildIllegalCharSetF();
  core::BuildIllegalCharSetF(); // building again does not add twice
  EXPECT_EQ(core::IllegalCharSet("N").size(), 9u);
  EXPECT_EQ(core::IllegalCharSet("n").size(), 9u);
  EXPECT_EQ(core::IllegalCharSet("h").size(), 9u) << "only the exact mode texts pick H and F";
  EXPECT_EQ(core::IllegalCharSet("H").size(), 10u);
  EXPECT_EQ(core::IllegalCharSet("F").size(), 12u);

  // found "": none, the out-parameter left alone.
  const struct { const char* mode; const char* text; const char* found; } rows[] = {{"F", "a\\b", "\\"},  {"H", "a\\b", ""},     {"N", "c:\\a?b", "?"}, {"N", "c:\\a/b", ""},
              {"H", "c:\\a", ":"},  {"F", "x/y", "/"},
              {"N", "a|b<c", "|"}};  // the first one from the left
  for (const auto& row : rows) {
    std::string found = "untouched";
    EXPECT_EQ(core::FindIllegalChar(row.mode, row.text, found), *row.found != 0) << row.mode << row.text;
    EXPECT_EQ(found, *row.found ? row.found : "untouched") << row.mode << row.text;
  }
}

TEST(Validation, DriveLetterMessages) {
  const std::string noLetter = "There is(are) no drive letter(s) before colon(s) (:) : ";
  const struct { const char* text; bool ok; std::string message; } rows[] = {
      {"c:\\a", true, "There is(are) a drive letter(s) before colon(s) (:)."},
      {"c:\\a d:\\b", true, "There is(are) a drive letter(s) before colon(s) (:)."},
      {":a", false, "The colon (:) is the first character in the text."},
      {"c:", false, "The colon (:) is the last character in the text."},
      {"c:\\a;1:\\b", false, noLetter + "1"},
      {"abc", false, "Not found any colon (:) in the text !!!!"},
      {"c:\\a 1:\\b :", false, noLetter + "1"},  // the first failing colon decides
  };
  for (const auto& row : rows) {
    std::string message;
    EXPECT_EQ(core::CheckDriveLetters(row.text, message), row.ok) << row.text;
    EXPECT_EQ(message, row.message) << row.text;
  }
}

TEST(Validation, IncludeText) {
  std::string normalised = "untouched", message = "untouched";
  EXPECT_FALSE(core::ValidateIncludeText("", normalised, message));
  EXPECT_EQ(message,
            "The text field is empty !\nAction : You must enter a text to add to the Include "
            "Folder List.");
  EXPECT_EQ(normalised, "untouched");
  EXPECT_FALSE(core::ValidateIncludeText("c:\\a*b", normalised, message));
  EXPECT_EQ(message, "Illegal character in the text : *");
  message = "untouched";
  EXPECT_TRUE(core::ValidateIncludeText("  ", normalised, message)) << "blanks are not empty";
  EXPECT_TRUE(core::ValidateIncludeText("c:://data\\\\\\sub/x", normalised, message));
  EXPECT_EQ(normalised, "c:\\data\\sub\\x");
  EXPECT_EQ(message, "untouched");
}

TEST(Validation, FolderNames) {
  const char missing = MissingDriveLetter();
  ASSERT_NE(missing, 0);
  const std::string illegalChar = "Illegal character in the folder name : ";
  const std::string device = "Illegal folder name (it is the name of a device) : ";
  const std::string dotOrBlank = "Illegal folder name (it ends with a dot or a blank) : ";
  const std::string dots = "Illegal folder name (\".\" and \"..\" name no new folder) : ";
  // Each message with the paths it refuses; the accepted ones under "".
  const std::vector<std::pair<std::string, std::vector<std::string>>> rules = {
      {"", {"c:\\a", "  C:\\Some Folder\\Sub  ", "c:\\a\\", "c:\\.hidden\\a.b\\nullable\\com10\\lpt0\\CONOUT"}},
      {kJustRoot, {"c:\\", "c:"}},
      {kNoValidDrive, {"\\\\server\\share\\a", "1:\\b", std::string(1, missing) + ":\\data"}},
      {kNoDriveLetter, {"folder\\sub", ""}},
      // A drive-relative path would land in whatever the drive's current folder is.
      {"This item is not a valid Folder Name (No backslash after the drive letter) !", {"c:ab"}},
  };
  // Names the system would take for a device, change, or climb out with; the
  // message ends with the offending name part.
  const std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> parts = {
      {illegalChar, {{"c:\\a?b", "?"}, {"c:\\My Folder\\Notes: 2013", ":"}, {"c:\\x\\tab\there", "(character code 9)"},
                     {"c:\\x\\a\x01" "b", "(character code 1)"}, {"c:\\x\\a\x1f" "b", "(character code 31)"},
                     {std::string("c:\\x\\nul\0tail", 13), "(character code 0)"}}},
      {device, {{"c:\\x\\NUL", "NUL"}, {"c:\\x\\nul.txt", "nul.txt"}, {"c:\\Con\\y", "Con"},
                {"c:\\x\\aux .tar.gz", "aux .tar.gz"}, {"c:\\x\\prn", "prn"}, {"c:\\x\\com1", "com1"},
                {"c:\\x\\COM9.log", "COM9.log"}, {"c:\\x\\lpt5", "lpt5"}, {"c:\\x\\conin$", "conin$"},
                {"c:\\x\\CONOUT$.a", "CONOUT$.a"}}},
      {dotOrBlank, {{"c:\\x\\trail.", "trail."}, {"c:\\x\\trail2...", "trail2..."}, {"c:\\x\\mid.\\y", "mid."},
                    {"c:\\x\\midb \\y", "midb "}}},
      {dots, {{"c:\\x\\dd\\..\\..\\up", ".."}, {"c:\\x\\.\\y", "."}, {"c:\\x\\..", ".."}}},
  };
  auto expect = [](const std::string& path, const std::string& wanted) {
    std::string message = "untouched";
    EXPECT_EQ(core::ValidateFolderName(path, message), wanted.empty()) << path;
    EXPECT_EQ(message, wanted.empty() ? "untouched" : wanted) << path;
  };
  for (const auto& [message, paths] : rules)
    for (const std::string& path : paths) expect(path, message);
  for (const auto& [start, examples] : parts)
    for (const auto& [path, part] : examples) expect(path, start + part);
  // An entry without a drive is checked part by part the same way: it can
  // never leave the folder it is made in.
  std::string message;
  EXPECT_TRUE(core::CheckNameParts("a\\b.c\\d e", message));
  EXPECT_FALSE(core::CheckNameParts("..\\escaped", message));
  EXPECT_EQ(message, dots + "..");
  EXPECT_FALSE(core::CheckNameParts("a/../../b", message));
  EXPECT_FALSE(core::CheckNameParts("LPT1", message));
  EXPECT_EQ(message, device + "LPT1");
}

TEST(Validation, ALineWithAControlCharacterIsRefusedWholeNeverCutAtIt) {
  const std::pair<std::string, std::string> rows[] = {  // text -> the character found, "" for none
      {"plain text, blanks and 8-bit \xE9", ""},
      {std::string("nul\0tail", 8), "(character code 0)"},
      {std::string("end\0", 4), "(character code 0)"},
      {"tab\tinside", "(character code 9)"},
      {"a\rb", "(character code 13)"},
      {"\x1f", "(character code 31)"},
  };
  for (const auto& [text, found] : rows) {
    std::string character = "untouched";
    EXPECT_EQ(core::FindControlCharacter(text, character), !found.empty()) << text;
    EXPECT_EQ(character, found.empty() ? "untouched" : found) << text;
  }
  // Trimming never takes a NUL away, so the rule still sees it.
  EXPECT_EQ(core::TrimText(std::string(" \tnul\0\r\n", 8)), std::string("nul\0", 4));
}

TEST(Validation, PathListsAreCutAtRealDriveStarts) {
  const struct { const char* text; StringList pieces; } rows[] = {  // pieces of SplitPathList
      {"c:\\a d:\\b", {"c:\\a ", "d:\\b"}},
      {"x c:\\a", {"x ", "c:\\a"}},
      {"abc", {"abc"}},
      {"c:/a/b;e:/f", {"c:\\a\\b;", "e:\\f"}},
      // A colon that follows no letter stays inside its path, where the
      // validation sees it, instead of being cut away.
      {"c:\\a 1:\\b", {"c:\\a 1:\\b"}},
      {"c:\\My Folder\\Notes: 2013", {"c:\\My Folder\\Notes: 2013"}},
      {"c:\\a:", {"c:\\a:"}},
      // A drive letter stands alone: one glued to a word is part of a name.
      {"c:\\My Folder\\Notes:2013", {"c:\\My Folder\\Notes:2013"}},
      {"c:\\ad:\\b", {"c:\\ad:\\b"}},
      {"c:\\a1d:\\b", {"c:\\a1d:\\b"}},
      // A colon followed by a blank or a high byte is no drive start.
      {"c: x", {"c: x"}},
      {"c:\xE9t\xE9", {"c:\xE9t\xE9"}},
  };
  for (const auto& row : rows) EXPECT_EQ(core::SplitPathList(row.text), row.pieces) << row.text;
  for (const char* text : {"xc:\\a", "c: x", "abc"}) EXPECT_EQ(core::SplitDrivePaths(text), StringList()) << text;
  EXPECT_EQ(core::SplitDrivePaths("see c:\\a"), StringList({"c:\\a"}));
  EXPECT_EQ(core::SplitDrivePaths("c:\\a\\d:\\b"), StringList({"c:\\a\\", "d:\\b"}));

  const std::string text = "c:\\a d:\\b";
  EXPECT_EQ(core::FindDriveStart(text, 0, text.size()), 0u);
  EXPECT_EQ(core::FindDriveStart(text, 1, text.size()), 5u);
  EXPECT_EQ(core::FindDrivePathEnd(text, 0, text.size()), 5u);
  EXPECT_EQ(core::FindDrivePathEnd(text, 5, text.size()), text.size());
  EXPECT_EQ(core::FindDriveStart("no drive", 0, 8), 8u);

  EXPECT_EQ(core::SmartImportParse("c://a\\\\b:::d://e"),
            StringList({"c:\\a\\", "b:", "d:\\e"}));
  EXPECT_EQ(core::SmartImportParse("c:://x  e:\\\\y"), StringList({"c:\\x  ", "e:\\y"}));

  StringList items{"kept"};
  std::string normalised, message;
  EXPECT_TRUE(core::ParseManualText("C:/One//Two D:\\Three", items, normalised, message));
  EXPECT_EQ(normalised, "C:\\One\\Two D:\\Three");
  EXPECT_EQ(items, StringList({"kept", "C:\\One\\Two ", "D:\\Three"}));
  items.clear();
  EXPECT_FALSE(core::ParseManualText("c:\\a|b", items, message));
  EXPECT_EQ(message, "Illegal character in the text : |");
  EXPECT_TRUE(items.empty());
  EXPECT_TRUE(core::ParseManualText("no drive here", items, message));
  EXPECT_TRUE(items.empty());
  // One refused piece, not a path cut short.
  EXPECT_TRUE(core::ParseManualText("c:\\My Folder\\Notes:2013", items, message));
  ASSERT_EQ(items, StringList({"c:\\My Folder\\Notes:2013"}));
  EXPECT_FALSE(core::ValidateFolderName(items[0], message));
  EXPECT_EQ(message, "Illegal character in the folder name : :");
  items.clear();
  EXPECT_TRUE(core::ParseManualText("c:\\ad:\\b", items, message));
  ASSERT_EQ(items, StringList({"c:\\ad:\\b"}));
  EXPECT_FALSE(core::ValidateFolderName(items[0], message));
}

TEST(Validation, AcceptedAndRejectedPaths) {
  const char missing = MissingDriveLetter();
  ASSERT_NE(missing, 0);
  const std::string missingPath = std::string(1, missing) + ":\\data";
  using Sorted = std::pair<StringList, StringList>;  // accepted, rejected
  auto parse = [](const std::string& text) {
    Sorted out;
    core::ParseAndValidatePathList(text, out.first, out.second);
    return out;
  };
  // Items are not trimmed; drive-letter failures come first, then folder names.
  EXPECT_EQ(parse("c:\\good " + missingPath + " c:\\a 1:\\b C:\\Two c:ab c:\\Notes: 2013"),
            Sorted({"c:\\good ", "C:\\Two "}, {"c:\\a 1:\\b ", missingPath + " ", "c:ab ", "c:\\Notes: 2013"}));
  // The path limit: 254 characters pass, 255 do not, after the folder-name failures.
  const std::string base = "c:\\" + std::string(200, 'a') + "\\";
  const std::string at254 = base + std::string(254 - base.size(), 'b'), at255 = at254 + "b";
  EXPECT_EQ(parse(at255 + " " + missingPath), Sorted({}, {missingPath, at255 + " "}));
  EXPECT_EQ(parse(at254), Sorted({at254}, {}));
  EXPECT_EQ(parse("no drive at all"), Sorted({}, {"no drive at all"}));
}

TEST(Validation, SourceAndDestinationMustBeApart) {
  std::string message;
  EXPECT_TRUE(core::CheckSourceDestDiffer("C:\\Data", "c:/data", message));
  EXPECT_EQ(message,
            "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\nThe Destination Folder is the "
            "same as the source Folder !!! \nDestination Folder : C:\\Data\nSource Folder      : "
            "c:/data");
  EXPECT_TRUE(core::CheckSourceDestDiffer("C:\\Data\\", "c:\\data", message));
  EXPECT_NE(message.find("is the same as the source Folder"), std::string::npos);

  // One inside the other, either way round, on whole folder names.
  EXPECT_TRUE(core::CheckSourceDestDiffer("c:\\Data\\New\\Deep", "C:\\data", message));
  EXPECT_EQ(message,
            "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\nThe Destination Folder lies "
            "inside the source Folder !!! \nDestination Folder : c:\\Data\\New\\Deep\nSource "
            "Folder      : C:\\data");
  EXPECT_TRUE(core::CheckSourceDestDiffer("c:\\data", "c:\\Data\\Structure\\", message));
  EXPECT_NE(message.find("The source Folder lies inside the Destination Folder !!! "),
            std::string::npos);
  EXPECT_TRUE(core::CheckSourceDestDiffer("c:\\", "c:\\Structure", message));

  message = "untouched";
  for (const auto& [dest, source] : {std::pair{"c:\\database", "c:\\data"}, {"c:\\data", "c:\\database\\x"}, {"d:\\data", "c:\\data"}})
    EXPECT_FALSE(core::CheckSourceDestDiffer(dest, source, message)) << dest << " " << source;
  EXPECT_EQ(message, "untouched");
  // Empty texts and illegal characters refuse with their check's message.
  EXPECT_TRUE(core::CheckSourceDestDiffer("c:\\x", "", message));
  EXPECT_EQ(message.substr(0, 25), "The text field is empty !");
  EXPECT_TRUE(core::CheckSourceDestDiffer("c:\\x?", "c:\\y", message));
  EXPECT_EQ(message, "Illegal character in the text : ?");
}

TEST(Validation, PatternLineNeedsPairedMarks) {
  core::TokenList tokens{"old"};
  core::BoxMessage m;
  EXPECT_FALSE(core::CheckSeparatorPairs("\"a\" \"b", tokens, m));
  EXPECT_EQ(m.text,
            "Odd number of marks(separators) : 3\n\nAction : You must enter an even number of "
            "separators(marks).");
  EXPECT_EQ(m.caption, "Warning !    Msg no: 0519.");
  EXPECT_EQ(m.flags, 0x30u);

  EXPECT_TRUE(core::CheckSeparatorPairs("*.doc \"my file*.txt\" x", tokens, m));
  EXPECT_EQ(tokens, core::TokenList({"*.doc", "my file*.txt", "x"}));
  tokens = {"old"};
  EXPECT_TRUE(core::CheckSeparatorPairs("", tokens, m));
  EXPECT_EQ(tokens, core::TokenList({"old"}));
  EXPECT_TRUE(core::CheckSeparatorPairs("   ", tokens, m));
  EXPECT_TRUE(tokens.empty());
}

TEST(Validation, ListRoutines) {
  EXPECT_EQ(core::DequeToListSkipEmpty({"a", "", " ", "b", ""}), StringList({"a", " ", "b"}));
  EXPECT_EQ(core::UniqueNonEmptyItems({"a", "  ", "a", "A"}), StringList({"a", "A"}));
  EXPECT_EQ(core::UniqueNonEmptyItems({" x ", "x", " x ", "\t", ""}), StringList({" x ", "x"}));

  StringList firsts, many;  // 10,000 entries, each three times: the first of each stays
  for (int i = 0; i < 10000; ++i) firsts.push_back("c:\\folder" + std::to_string(i));
  for (int round = 0; round < 3; ++round) many.insert(many.end(), firsts.begin(), firsts.end());
  EXPECT_EQ(core::UniqueNonEmptyItems(many), firsts);
}
