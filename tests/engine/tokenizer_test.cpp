#include "core/tokenizer.h"

#include <gtest/gtest.h>

using core::TokenList;

namespace {
// The positions of every double quotation mark of text.
core::PositionList Marks(const std::string& text) {
  core::PositionList positions;
  core::CountSubstring(text, "\"", positions);
  return positions;
}
} // namespace

TEST(Tokenizer, PlainSplitters) {
  const std::pair<const char*, TokenList> blanks[] = {
      {" \t\r\n  \f\v", {}},
      {"", {}},
      {"a\tb  c", {"a", "b", "c"}},
      {"  *.doc\r\n*.txt ", {"*.doc", "*.txt"}},
      // Bytes from 0x80 up (a code page's no-break space included) are never white space.
      {"caf\xE9\xA0x \x85y", {"caf\xE9\xA0x", "\x85y"}},
  };
  for (const auto& [text, tokens] : blanks) EXPECT_EQ(core::SplitOnWhiteSpace(text), tokens) << text;
  const struct { const char* text; const char* delimiters; TokenList tokens; } rows[] = {{";;a;;b;", ";", {"a", "b"}}, {"a, b", ", ", {"a", "b"}}, {"a b;c\td", "; ", {"a", "b", "c\td"}},
              {";;;", ";", {}},             {"", ";", {}},           {"a;b", "", {"a;b"}}};
  for (const auto& r : rows) EXPECT_EQ(core::SplitOnDelimiters(r.text, r.delimiters), r.tokens) << r.text;
}

TEST(Tokenizer, QuotedPartsStayWhole) {
  std::string line = "*.doc \"my file*.txt\" x";
  core::PositionList positions = Marks(line);
  EXPECT_EQ(core::SplitQuotedOnWhiteSpace(line, "", positions), TokenList({"*.doc", "my file*.txt", "x"}));
  EXPECT_EQ(positions, core::PositionList({0, 6, 19, 22})) << "0 in front, the length behind";

  const struct { const char* line; TokenList tokens; } rows[] = {
      {"\"a b\" c", {"a b", "c"}},          // begins with a mark: no empty token first
      {"a \"\" b", {"a", "", "b"}},         // an empty pair gives one empty token
      {"\"  a b  \"", {"a b"}},             // blanks trimmed inside the marks
      {"x\"a\"y", {"x", "a", "y"}},         // marks cut words apart
      {"  one two\tthree ", {"one", "two", "three"}},
      {"a \" b c ", {"a", "b c"}},          // odd marks: the rest counts as quoted
      {"a \"b\"", {"a", "b"}},              // a mark as the last character
      {"\"\"", {""}},                       // only marks
  };
  for (const auto& row : rows) {
    positions = Marks(row.line);
    EXPECT_EQ(core::SplitQuotedOnWhiteSpace(row.line, "", positions), row.tokens) << row.line;
  }
  positions.clear();
  EXPECT_EQ(core::SplitQuotedOnDelimiters(";a;;b", ";", positions), TokenList({"a", "b"}));
  // Delimited text with a quoted field holding the delimiter.
  line = "1;\"Smith; John\";;c:\\x";
  positions = Marks(line);
  EXPECT_EQ(core::SplitQuotedOnDelimiters(line, ";", positions), TokenList({"1", "Smith; John", "c:\\x"}));
}

TEST(Tokenizer, QuotedFormsNeverReadPastTheText) {
  // Counting an empty mark gives no positions, so no quoted parts.
  core::PositionList positions;
  EXPECT_EQ(core::CountSubstring("a b", "", positions), 0u);
  EXPECT_EQ(core::SplitQuotedOnWhiteSpace("a b", "", positions), TokenList({"a", "b"}));

  // Positions beyond the text or out of order give empty parts, not a crash.
  positions.assign({1, 50});
  EXPECT_EQ(core::SplitQuotedOnWhiteSpace("ab", "", positions), TokenList({"a", ""}));
  positions.assign({3, 1});
  EXPECT_EQ(core::SplitQuotedOnWhiteSpace("abcdef", "", positions), TokenList({"abc", "", "cdef"}));
  positions.clear();
  EXPECT_TRUE(core::SplitQuotedOnWhiteSpace("", "", positions).empty());
}
