// The import engine on real files: line ends, marks, modes, unquoting, fields.
#include "core/import_engine.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

using core::ImportFailure;
using core::ImportSettings;
using testsupport::TempDir;

namespace {

using Strings = std::vector<std::string>;

Strings RunImport(const std::string& path, core::ImportMode mode, const std::string& delimiter,
            bool abandon, uint32_t column = 1, ImportFailure* failure = nullptr) {
  ImportSettings s;
  s.fileName = path;
  s.mode = mode;
  s.delimiter = delimiter;
  s.abandonQuotationMarks = abandon ? 1 : 0;
  core::ImportClass engine(s);
  engine.SetColumn(column);
  ImportFailure f = engine.Import();
  if (failure) *failure = f;
  return engine.TakeResult().ToStrings();
}

Strings Import(const std::string& content, core::ImportMode mode, const std::string& delimiter = ",",
               bool abandon = false, uint32_t column = 1) {
  TempDir dir;
  return RunImport(dir.AddFile("in.txt", content), mode, delimiter, abandon, column);
}

struct Case { const char* what; std::string content; core::ImportMode mode; std::string delimiter; bool abandon; uint32_t column; Strings expected; };

TEST(ImportEngine, ModesFieldsAndQuotationMarks) {
  const std::string dq = "\"", sq = "'";
  const std::vector<Case> cases = {
      {"empty file", "", core::kImportPlainText, ",", false, 1, {}},
      {"blank and tab lines", "  \r\n\t\n\n", core::kImportPlainText, ",", false, 1, {}},
      {"trimmed line", "  abc \r\n", core::kImportPlainText, ",", false, 1, {"abc"}},
      {"quotes kept without the flag", dq + "abc" + dq, core::kImportPlainText, ",", false, 1, {dq + "abc" + dq}},
      {"LF, CRLF, lone CR, no final end", "a\nb\r\nc\rd", core::kImportPlainText, ",", false, 1, {"a", "b", "c", "d"}},
      {"CR then LF across lines", "a\r\r\nb", core::kImportPlainText, ",", false, 1, {"a", "b"}},
      {"0x1A is data", "a\x1A" "b\nc", core::kImportPlainText, ",", false, 1, {"a\x1A" "b", "c"}},
      {"UTF-8 mark dropped", "\xEF\xBB\xBFwith mark\n", core::kImportPlainText, ",", false, 1, {"with mark"}},
      // Unquoting: double then single quotation marks.
      {"unquote", dq + "abc" + dq + "\n" + sq + "abc" + sq + "\n" + dq + sq + "abc" + sq + dq + "\n" +
                      dq + "ab" + dq + "cd\n" + dq + "a" + dq + dq + "b" + dq + "\n" + dq + "abc\n" +
                      dq + dq + "\n" + dq + dq + "abc\n",
       core::kImportPlainText, ",", true, 1,
       {"abc", "abc", "abc", "ab", "a" + dq + "b", dq + "abc", "", dq + dq + "abc"}},
      {"a lone mark stays, three marks give empty", dq + "\n" + dq + dq + dq + "\n" + sq + "\n",
       core::kImportPlainText, ",", true, 1, {dq, "", sq}},
      // Every field counts, empty ones included.
      {"all fields", "a,b,c\n a , b \na,,b\n,a\na,\nabc\n", core::kImportAllFields, ",", false, 1,
       {"a", "b", "c", "a", "b", "a", "", "b", "", "a", "a", "", "abc"}},
      {"column 3", "a,,b,c\na,b,,c\na,b\n", core::kImportOneField, ",", false, 3, {"b", "", }},
      {"column 0 takes nothing", "a,b\n", core::kImportOneField, ",", false, 0, {}},
      {"space delimiter", "a b  c\n", core::kImportAllFields, "space", false, 1, {"a", "b", "", "c"}},
      {"long delimiter removed whole", "a::b\na:::b\n", core::kImportAllFields, "::", false, 1, {"a", "b", "a", ":b"}},
      {"three-character delimiter", "x ; y\n", core::kImportAllFields, " ; ", false, 1, {"x", "y"}},
      {"empty delimiter: no split", "a,b\n", core::kImportAllFields, "", false, 1, {"a,b"}},
      {"quoted fields", dq + "a" + dq + ";" + dq + "b c" + dq + "\n", core::kImportAllFields, ";", true, 1, {"a", "b c"}},
      {"CRLF same as LF", "a,b\r\nc,d\r\n", core::kImportOneField, ",", false, 2, {"b", "d"}},
      {"unknown mode reads nothing", "a\n", static_cast<core::ImportMode>(3), ",", false, 1, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Import(c.content, c.mode, c.delimiter, c.abandon, c.column), c.expected) << c.what;
}

TEST(ImportEngine, FailuresGiveAnEmptyResult) {
  TempDir dir;
  for (const std::string& path : {dir / "missing.txt", dir.Path()}) {
    ImportFailure failure = ImportFailure::None;
    EXPECT_TRUE(RunImport(path, core::kImportPlainText, ",", false, 1, &failure).empty());
    EXPECT_EQ(failure, ImportFailure::Open) << path;
  }
}

// UTF-16 text in either byte order, a line crossing the block boundary.
std::string Utf16(const std::string& ascii, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char c : ascii) {
    out += bigEndian ? '\0' : c;
    out += bigEndian ? c : '\0';
  }
  return out;
}

TEST(ImportEngine, Utf16TextIsReadInTheAnsiCodePage) {
  TempDir dir;
  const std::string text = "C:\\a\r\nb,c\r" + std::string(40000, 'x') + "\ny";
  for (bool bigEndian : {false, true}) {
    const std::string path = dir.AddFile(bigEndian ? "be.txt" : "le.txt", Utf16(text, bigEndian));
    EXPECT_EQ(RunImport(path, core::kImportAllFields, ",", false),
              (Strings{"C:\\a", "b", "c", std::string(40000, 'x'), "y"}))
        << bigEndian;
  }
}

TEST(ImportEngine, MarkedUtf8AndUtf16AreReadInTheAnsiCodePageOneQuestionMarkPerMissingCharacter) {
  if (GetACP() != 1252) GTEST_SKIP() << "the rows are written for the Western code page";
  TempDir dir;
  const std::string mark = "\xEF\xBB\xBF";
  // "café", "日本" (missing: one "?" each), "x😀y" (outside the basic plane: one "?"),
  // an é whose two bytes are cut by the 64 KiB block end.
  const std::string head = "caf\xC3\xA9\r\n\xE6\x97\xA5\xE6\x9C\xAC\nx\xF0\x9F\x98\x80y\n";
  const std::string pad(65535 - head.size(), 'z');  // the é starts at the block's last byte
  const std::string utf8 = head + pad + "\xC3\xA9\n";
  const Strings expected = {"caf\xE9", "??", "x?y", pad + "\xE9"};
  EXPECT_EQ(RunImport(dir.AddFile("marked.txt", mark + utf8), core::kImportPlainText, ",", false), expected);
  // Without a mark the bytes are the code page's own.
  EXPECT_EQ(RunImport(dir.AddFile("plain.txt", "caf\xC3\xA9\n"), core::kImportPlainText, ",", false),
            Strings{"caf\xC3\xA9"});
  // UTF-16: a pair of surrogates is one character, one "?".
  const std::string wide("\xFF\xFE" "x\0" "\x3D\xD8\x00\xDE" "y\0", 10);
  EXPECT_EQ(RunImport(dir.AddFile("wide.txt", wide), core::kImportPlainText, ",", false), Strings{"x?y"});
}

TEST(ImportEngine, ALineHoldingANulIsHandedOnWholeNeverCut) {
  using namespace std::string_literals;
  EXPECT_EQ(Import("nul\0tail\nend\0\n\0\n  \t\n"s, core::kImportPlainText),
            (Strings{"nul\0tail"s, "end\0"s, "\0"s}));
  EXPECT_EQ(Import("a,nul\0tail, \0\n"s, core::kImportAllFields), (Strings{"a", "nul\0tail"s, "\0"s}));
}

TEST(ImportEngine, LinesSpanningBlocksAndKeptLength) {
  TempDir dir;
  // Lines around the 64 KiB block boundary, a CR/LF pair split by it.
  std::string content(65535, 'x');
  content += "\r\nshort\n";
  content += std::string(200000, 'y');
  const std::string path = dir.AddFile("long.txt", content);
  EXPECT_EQ(RunImport(path, core::kImportPlainText, ",", false),
            (Strings{std::string(65535, 'x'), "short", std::string(200000, 'y')}));

  // A reader that keeps 2,048 characters of each line still sees the whole line's blankness.
  core::TextLineReader reader;
  ASSERT_EQ(reader.Open(dir.AddFile("blank.txt", std::string(3000, ' ') + "z\n   \n")), ImportFailure::None);
  std::vector<std::pair<size_t, bool>> seen;
  ASSERT_TRUE(reader.ForEachLine([&](std::string_view text, bool blank) { seen.push_back({text.size(), blank}); }, 2048));
  EXPECT_EQ(seen, (std::vector<std::pair<size_t, bool>>{{2048, false}, {3, true}}));
}

} // namespace
