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
  EXPECT_TRUE(core::SplitOnWhiteSpace(" \t\r\n  \f\v").empty());
  EXPECT_TRUE(core::SplitOnWhiteSpace("").empty());
  EXPECT_EQ(core::SplitOnWhiteSpace("a\tb  c"), TokenList({"a", "b", "c"}));
  EXPECT_EQ(core::SplitOnWhiteSpace("  *.doc\r\n*.txt "), TokenList({"*.doc", "*.txt"}));
  // Bytes from 0x80 up (a code page's no-break space included) are never white space.
  EXPECT_EQ(core::SplitOnWhiteSpace("caf\xE9\xA0x \x85y"), TokenList({"caf\xE9\xA0x", "\x85y"}));

  EXPECT_EQ(core::SplitOnDelimiters(";;a;;b;", ";"), TokenList({"a", "b"}));
  EXPECT_EQ(core::SplitOnDelimiters("a, b", ", "), TokenList({"a", "b"}));
  EXPECT_EQ(core::SplitOnDelimiters("a b;c\td", "; "), TokenList({"a", "b", "c\td"}));
  EXPECT_TRUE(core::SplitOnDelimiters(";;;", ";").empty());
  EXPECT_TRUE(core::SplitOnDelimiters("", ";").empty());
  EXPECT_EQ(core::SplitOnDelimiters("a;b", ""), TokenList({"a;b"}));
}

TEST(Tokenizer, QuotedPartsStayWhole) {
  std::string line = "*.doc \"my file*.txt\" x";
  core::PositionList positions = Marks(line);
  EXPECT_EQ(core::SplitQuotedOnWhiteSpace(line, "", positions),
            TokenList({"*.doc", "my file*.txt", "x"}));
  EXPECT_EQ(positions, core::PositionList({0, 6, 19, 22})) << "0 in front, the length behind";

  line = "\"a b\" c"; // begins with a mark: no empty token first
  positions = Marks(line);
  EXPECT_EQ(core::SplitQuotedOnWhiteSpace(line, "", positions), TokenList({"a b", "c"}));

  line = "a \"\" b"; // an empty pair gives one empty token
  positions = Marks(line);
  EXPECT_EQ(core::SplitQuotedOnWhiteSpace(line, "", positions), TokenList({"a", "", "b"}));

  line = "\"  a b  \""; // blanks trimmed inside the marks, tabs kept
  positions = Marks(line);
  EXPECT_EQ(core::SplitQuotedOnWhiteSpace(line, "", positions), TokenList({"a b"}));

  line = "x\"a\"y"; // marks cut words apart
  positions = Marks(line);
  EXPECT_EQ(core::SplitQuotedOnWhiteSpace(line, "", positions), TokenList({"x", "a", "y"}));

  // Without any mark the quotation-aware form gives the plain tokens.
  line = "  one two\tthree ";
  positions.clear();
  EXPECT_EQ(core::SplitQuotedOnWhiteSpace(line, "", positions), core::SplitOnWhiteSpace(line));
  positions.clear();
  EXPECT_EQ(core::SplitQuotedOnDelimiters(";a;;b", ";", positions), TokenList({"a", "b"}));

  // Delimited text with a quoted field holding the delimiter.
  line = "1;\"Smith; John\";;c:\\x";
  positions = Marks(line);
  EXPECT_EQ(core::SplitQuotedOnDelimiters(line, ";", positions),
            TokenList({"1", "Smith; John", "c:\\x"}));
}

TEST(Tokenizer, QuotedFormsNeverReadPastTheText) {
  // An odd number of marks: the text after the last one counts as quoted.
  std::string line = "a \" b c ";
  core::PositionList positions = Marks(line);
  EXPECT_EQ(core::SplitQuotedOnWhiteSpace(line, "", positions), TokenList({"a", "b c"}));

  // A mark as the last character, and a text that is only marks.
  line = "a \"b\"";
  positions = Marks(line);
  EXPECT_EQ(core::SplitQuotedOnWhiteSpace(line, "", positions), TokenList({"a", "b"}));
  line = "\"\"";
  positions = Marks(line);
  EXPECT_EQ(core::SplitQuotedOnWhiteSpace(line, "", positions), TokenList({""}));

  // Counting an empty mark gives no positions, so no quoted parts.
  line = "a b";
  positions.clear();
  EXPECT_EQ(core::CountSubstring(line, "", positions), 0u);
  EXPECT_EQ(core::SplitQuotedOnWhiteSpace(line, "", positions), TokenList({"a", "b"}));

  // Positions beyond the text or out of order give empty parts, not a crash.
  positions.assign({1, 50});
  EXPECT_EQ(core::SplitQuotedOnWhiteSpace("ab", "", positions), TokenList({"a", ""}));
  positions.assign({3, 1});
  EXPECT_EQ(core::SplitQuotedOnWhiteSpace("abcdef", "", positions), TokenList({"abc", "", "cdef"}));
  positions.clear();
  EXPECT_TRUE(core::SplitQuotedOnWhiteSpace("", "", positions).empty());
}
