// The import engine: turns one text file into a list of strings, one string a
// line, every field of a separated file, or one numbered field of it. It only
// reads the disk and shows nothing: the caller reports a failure.
//
// Files are read in binary: a line feed, a carriage return with a line feed and
// a lone carriage return each end a line; a 0x1A byte is ordinary data; a UTF-8
// byte-order mark is dropped; a file that starts with a UTF-16 byte-order mark
// (either order) is read as UTF-16 and turned into the ANSI code page.
#pragma once
#include <windows.h>

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

enum ImportMode : int32_t {
  kImportPlainText = 2,  // one line gives one string
  kImportAllFields = 4,  // every field of every line gives a string
  kImportOneField = 5,   // only the field with the chosen column gives a string
};

struct ImportSettings {
  std::string fileName;
  ImportMode mode = kImportPlainText;
  std::string delimiter;      // "space" stands for one blank; empty: no split
  std::string quotationMark;  // the window's choice; no step depends on it
  uint8_t abandonQuotationMarks = 0;  // 1: strip enclosing quotation marks
};

enum class ImportFailure {
  None,
  Open,         // the file cannot be opened or read
  OutOfMemory,  // the result does not fit the process; nothing is returned
};

// Reads a file line by line in binary (see above), in blocks of 64 KiB.
class TextLineReader {
public:
  TextLineReader() = default;
  ~TextLineReader();
  TextLineReader(const TextLineReader&) = delete;
  TextLineReader& operator=(const TextLineReader&) = delete;

  ImportFailure Open(const std::string& path);
  // Bytes of the opened file (0 when unknown).
  uint64_t Size() const;
  // Calls line(text, blank) for every line in file order. At most `keep`
  // characters of a line are kept and handed over (the rest is read and
  // dropped); blank tells whether the whole line holds only characters 1-32.
  // The text is valid only during the call. Returns false when a read failed.
  bool ForEachLine(const std::function<void(std::string_view text, bool blank)>& line,
                   size_t keep = std::string::npos);

private:
  // The next block of the file's text, in the ANSI code page.
  bool ReadBlock(std::vector<char>& block, DWORD& got);

  enum class Encoding { Ansi, Utf8, Utf16Le, Utf16Be };
  HANDLE file_ = INVALID_HANDLE_VALUE;
  Encoding encoding_ = Encoding::Ansi;
  std::vector<char> pending_;  // bytes of a character cut by the block end
};

// Removes enclosing quotation characters q from s (a doubled q inside stands
// for one q; text after the closing q is dropped). A text that does not begin
// with q, or that is q alone, comes back unchanged.
std::string UnquoteText(const std::string& s, char q);
// The same, written to out (its room reused).
void UnquoteInto(std::string_view s, char q, std::string& out);

// The fields of a separated line: the text between non-overlapping occurrences
// of the delimiter, found left to right; every field counts, empty ones too.
// An empty delimiter gives the whole line as its one field.
void SplitFields(std::string_view line, const std::string& delimiter,
                 std::vector<std::string_view>& fields);

// The strings an import gives, in file order, held in one text block (one
// allocation for all of them, so a million strings cost no million allocations).
class ImportResult {
public:
  size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  std::string_view operator[](size_t i) const {
    const size_t begin = i ? ends_[i - 1] : 0;
    return std::string_view(text_.data() + begin, ends_[i] - begin);
  }
  void push_back(std::string_view s) {
    if (used_ + s.size() > text_.size()) Grow(s.size());
    if (!s.empty()) std::memcpy(&text_[used_], s.data(), s.size());
    used_ += s.size();
    ends_.push_back(used_);
  }
  void reserve(size_t characters, size_t strings) {
    if (characters > text_.size()) text_.resize(characters);
    ends_.reserve(strings);
  }
  void clear() {
    std::string().swap(text_);
    std::vector<size_t>().swap(ends_);
    used_ = 0;
  }
  std::vector<std::string> ToStrings() const;

private:
  void Grow(size_t more) { text_.resize(std::max(text_.size() * 2, used_ + more + 4096)); }

  std::string text_;  // room; the strings fill its first used_ characters
  size_t used_ = 0;
  std::vector<size_t> ends_;
};

class ImportClass {
public:
  explicit ImportClass(ImportSettings settings);
  // 1-based column read in kImportOneField mode; 0 takes nothing.
  void SetColumn(uint32_t column) { column_ = column; }
  // Reads the file with the reader of the mode. On a failure the result is empty.
  ImportFailure Import();
  const ImportResult& GetResult() const { return result_; }
  // Hands the result over without copying it.
  ImportResult TakeResult() { return std::move(result_); }

private:
  void Take(std::string_view candidate);

  std::string fileName_;
  ImportMode mode_;
  std::string delimiter_;
  std::string quotationMark_;
  uint8_t abandon_;
  uint32_t column_ = 0;
  ImportResult result_;
  std::string scratch_, unquoted_;  // room reused by every unquoting
};

} // namespace core
