// Splitting one line of text into tokens: at white space, at any of a set of
// delimiter characters, and the quotation-aware forms that keep the text
// between a pair of quotation marks together as one token.
#pragma once
#include "core/textutil.h"

#include <deque>
#include <string>

namespace core {

using TokenList = std::deque<std::string>;

// The C-locale white space: blank, tab, line feed, vertical tab, form feed,
// carriage return. Bytes from 0x80 upwards are never white space.
bool IsSpaceChar(char c);
bool IsNotSpaceChar(char c);

// The maximal runs of non-white-space characters, in text order.
TokenList SplitOnWhiteSpace(const std::string& text);
// The maximal runs of characters that are not in delimiters; leading, trailing
// and repeated delimiters give no empty fields.
TokenList SplitOnDelimiters(const std::string& text, const std::string& delimiters);

// Quotation-aware forms. positions holds the ascending positions of the marks
// (as CountSubstring gives them); 0 is put at its front and the text length at
// its back. A part between an opening and a closing mark becomes one token,
// trimmed of blanks (also when empty); the parts outside marks are split with
// the plain splitter. The marks never appear in a token. With an odd number of
// marks the text after the last mark counts as a quoted part.
TokenList SplitQuotedOnWhiteSpace(const std::string& text, const std::string& delimiters,
                                  PositionList& positions);
TokenList SplitQuotedOnDelimiters(const std::string& text, const std::string& delimiters,
                                  PositionList& positions);

} // namespace core
