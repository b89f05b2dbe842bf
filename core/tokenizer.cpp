#include "core/tokenizer.h"

#include <algorithm>

namespace core {

bool IsSpaceChar(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsNotSpaceChar(char c) { return !IsSpaceChar(c); }

namespace {

// Appends the white-space tokens of text[begin, end) to tokens.
void AppendWhiteSpaceTokens(const std::string& text, size_t begin, size_t end,
                            TokenList& tokens) {
  size_t i = begin;
  while (i < end) {
    while (i < end && IsSpaceChar(text[i])) ++i;
    if (i == end) break;
    size_t start = i;
    while (i < end && IsNotSpaceChar(text[i])) ++i;
    tokens.push_back(text.substr(start, i - start));
  }
}

// Appends the delimiter-separated tokens of text[begin, end) to tokens.
void AppendDelimitedTokens(const std::string& text, size_t begin, size_t end,
                           const std::string& delimiters, TokenList& tokens) {
  bool isDelimiter[256] = {false};
  for (char d : delimiters) isDelimiter[static_cast<unsigned char>(d)] = true;
  auto delimiterAt = [&](size_t i) { return isDelimiter[static_cast<unsigned char>(text[i])]; };
  size_t i = begin;
  while (i < end) {
    while (i < end && delimiterAt(i)) ++i;
    if (i == end) break;
    size_t start = i;
    while (i < end && !delimiterAt(i)) ++i;
    tokens.push_back(text.substr(start, i - start));
  }
}

template <typename PlainSplit>
TokenList SplitQuoted(const std::string& text, PositionList& positions, PlainSplit plain) {
  const size_t length = text.size();
  positions.push_front(0);
  positions.push_back(static_cast<uint32_t>(length));
  TokenList tokens;
  const size_t n = positions.size();
  for (size_t i = 0; i + 1 < n; ++i) {
    // Segment i lies strictly between marks i and i + 1; segment 0 starts at
    // the first character itself. Positions out of order or past the text
    // give an empty segment rather than a read beyond it.
    size_t begin = i == 0 ? 0 : static_cast<size_t>(positions[i]) + 1;
    size_t end = std::min<size_t>(positions[i + 1], length);
    begin = std::min(begin, length);
    if (end < begin) end = begin;
    if (i % 2 == 1) {
      tokens.push_back(TrimSpaces(text.substr(begin, end - begin)));
    } else {
      if (i == 0 && positions[1] == 0) continue; // the text begins with a mark
      plain(begin, end, tokens);
    }
  }
  return tokens;
}

} // namespace

TokenList SplitOnWhiteSpace(const std::string& text) {
  TokenList tokens;
  AppendWhiteSpaceTokens(text, 0, text.size(), tokens);
  return tokens;
}

TokenList SplitOnDelimiters(const std::string& text, const std::string& delimiters) {
  TokenList tokens;
  AppendDelimitedTokens(text, 0, text.size(), delimiters, tokens);
  return tokens;
}

TokenList SplitQuotedOnWhiteSpace(const std::string& text, const std::string& /*delimiters*/,
                                  PositionList& positions) {
  return SplitQuoted(text, positions, [&](size_t begin, size_t end, TokenList& tokens) {
    AppendWhiteSpaceTokens(text, begin, end, tokens);
  });
}

TokenList SplitQuotedOnDelimiters(const std::string& text, const std::string& delimiters,
                                  PositionList& positions) {
  return SplitQuoted(text, positions, [&](size_t begin, size_t end, TokenList& tokens) {
    AppendDelimitedTokens(text, begin, end, delimiters, tokens);
  });
}

} // namespace core
