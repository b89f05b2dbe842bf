#include "core/import_engine.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace core {

namespace {

constexpr DWORD kBlockSize = 64 * 1024;

// Trimmed at the ends of a string: codes 1 to 32. A NUL stays, so the line
// holding it reaches the rules whole.
bool IsTrimmed(char c) { return c != '\0' && static_cast<unsigned char>(c) <= 32; }

// Wide text (changed in place) into the ANSI code page at out: a character the
// code page lacks becomes one "?", also one outside the basic plane (a pair of
// surrogates) or a lone surrogate; never a look-alike (best fit). Returns the
// bytes written, 0 on failure.
int WideToAnsi(std::wstring& text, char* out, int room) {
  size_t kept = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c >= 0xD800 && c <= 0xDFFF) {
      if (c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
      text[kept++] = L'?';
    } else {
      text[kept++] = c;
    }
  }
  if (kept == 0) return 0;
  const bool utf8System = GetACP() == CP_UTF8;  // takes no default character
  BOOL usedDefault = FALSE;
  return WideCharToMultiByte(CP_ACP, utf8System ? 0 : WC_NO_BEST_FIT_CHARS, text.data(),
                             static_cast<int>(kept), out, room, utf8System ? nullptr : "?",
                             utf8System ? nullptr : &usedDefault);
}

// Bytes of the UTF-8 text that form whole characters: a sequence cut by the
// block end waits for the next block.
size_t WholeUtf8(const std::vector<char>& raw) {
  const size_t size = raw.size();
  size_t lead = size;
  for (size_t back = 1; back <= 3 && back <= size; ++back) {
    const unsigned char u = static_cast<unsigned char>(raw[size - back]);
    if ((u & 0xC0) == 0x80) continue;  // a continuation byte
    if (u >= 0xC0) lead = size - back;
    break;
  }
  if (lead == size) return size;
  const unsigned char u = static_cast<unsigned char>(raw[lead]);
  const size_t need = u >= 0xF0 ? 4 : u >= 0xE0 ? 3 : 2;
  return size - lead < need ? lead : size;
}

std::string_view TrimView(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsTrimmed(text[begin])) ++begin;
  while (end > begin && IsTrimmed(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

} // namespace

// ---- Reading lines -------------------------------------------------------------

TextLineReader::~TextLineReader() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

ImportFailure TextLineReader::Open(const std::string& path) {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  file_ = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file_ == INVALID_HANDLE_VALUE) return ImportFailure::Open;
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return ImportFailure::Open;
  unsigned char mark[3] = {};
  DWORD got = 0;
  if (!ReadFile(file_, mark, 3, &got, nullptr)) return ImportFailure::Open;
  encoding_ = Encoding::Ansi;
  LONG skip = 0;
  if (got == 3 && mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF) {
    encoding_ = Encoding::Utf8;
    skip = 3;
  } else if (got >= 2 && mark[0] == 0xFF && mark[1] == 0xFE) {
    encoding_ = Encoding::Utf16Le;
    skip = 2;
  } else if (got >= 2 && mark[0] == 0xFE && mark[1] == 0xFF) {
    encoding_ = Encoding::Utf16Be;
    skip = 2;
  }
  pending_.clear();
  if (SetFilePointer(file_, skip, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
    return ImportFailure::Open;
  return ImportFailure::None;
}

bool TextLineReader::ReadBlock(std::vector<char>& block, DWORD& got) {
  if (encoding_ == Encoding::Ansi) return ReadFile(file_, block.data(), kBlockSize, &got, nullptr) != 0;
  // UTF-8 or UTF-16 text: whole characters of the block (a pair of surrogates
  // kept together) in the ANSI code page; the rest waits for the next block.
  got = 0;
  for (;;) {
    std::vector<char> raw(pending_.begin(), pending_.end());
    raw.resize(pending_.size() + kBlockSize);
    DWORD read = 0;
    if (!ReadFile(file_, raw.data() + pending_.size(), kBlockSize, &read, nullptr)) return false;
    raw.resize(pending_.size() + read);
    pending_.clear();
    if (raw.empty()) return true;
    std::wstring text;
    size_t used = raw.size();  // bytes of raw turned into text
    if (encoding_ == Encoding::Utf8) {
      if (read > 0) used = WholeUtf8(raw);
      if (used > 0) {
        text.resize(used);
        const int n = MultiByteToWideChar(CP_UTF8, 0, raw.data(), static_cast<int>(used), &text[0],
                                          static_cast<int>(used));
        if (n <= 0) return false;
        text.resize(n);
      }
    } else {
      text.assign(raw.size() / 2, L'\0');
      const bool bigEndian = encoding_ == Encoding::Utf16Be;
      for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char a = raw[2 * i], b = raw[2 * i + 1];
        text[i] = static_cast<wchar_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
      }
      if (read > 0) {
        if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();
        used = 2 * text.size();
      }  // at the end a lone byte is dropped
    }
    pending_.assign(raw.begin() + used, raw.end());
    if (text.empty()) {
      if (read == 0) return true;
      continue;
    }
    const int n = WideToAnsi(text, block.data(), static_cast<int>(block.size()));
    if (n <= 0) return false;
    got = static_cast<DWORD>(n);
    return true;
  }
}

uint64_t TextLineReader::Size() const {
  LARGE_INTEGER size{};
  if (file_ == INVALID_HANDLE_VALUE || !GetFileSizeEx(file_, &size)) return 0;
  return static_cast<uint64_t>(size.QuadPart);
}

bool TextLineReader::ForEachLine(const std::function<void(std::string_view, bool)>& line,
                                 size_t keep) {
  if (file_ == INVALID_HANDLE_VALUE) return false;
  // Converted text needs at most two bytes for every byte read (and the few of
  // a character carried over from the block before).
  std::vector<char> block(encoding_ == Encoding::Ansi ? kBlockSize : 2 * kBlockSize + 16);
  std::string carry;       // the kept start of a line that spans blocks
  size_t lineBytes = 0;    // bytes of the current line seen in earlier blocks
  bool blank = true;
  bool skipLineFeed = false;  // the last block ended with a carriage return
  for (;;) {
    DWORD got = 0;
    if (!ReadBlock(block, got)) return false;
    if (got == 0) break;
    const char* p = block.data();
    const char* const end = p + got;
    if (skipLineFeed && *p == '\n') ++p;
    skipLineFeed = false;
    const char* start = p;
    while (p < end) {
      const char c = *p;
      if (c != '\n' && c != '\r') {
        if (!IsTrimmed(c)) blank = false;
        ++p;
        continue;
      }
      if (lineBytes == 0) {
        line(std::string_view(start, std::min<size_t>(p - start, keep)), blank);
      } else {
        if (carry.size() < keep) carry.append(start, std::min<size_t>(p - start, keep - carry.size()));
        line(carry, blank);
        carry.clear();
        lineBytes = 0;
      }
      blank = true;
      if (c == '\r') {
        if (p + 1 < end) {
          if (p[1] == '\n') ++p;
        } else {
          skipLineFeed = true;
        }
      }
      start = ++p;
    }
    if (start < end) {
      if (carry.size() < keep) carry.append(start, std::min<size_t>(end - start, keep - carry.size()));
      lineBytes += end - start;
    }
  }
  if (lineBytes > 0) line(carry, blank);
  return true;
}

// ---- Strings -------------------------------------------------------------------

void UnquoteInto(std::string_view s, char q, std::string& out) {
  out.clear();
  if (s.size() < 2 || s[0] != q) {
    out.assign(s.data(), s.size());
    return;
  }
  size_t i = 1;
  for (;;) {
    const size_t mark = s.find(q, i);
    if (mark == std::string_view::npos) break;
    out.append(s.data() + i, mark - i);
    if (mark + 1 < s.size() && s[mark + 1] == q) {  // a doubled mark stands for one
      out += q;
      i = mark + 2;
      continue;
    }
    // The closing mark; what follows it is dropped.
    if (out.empty() && s.back() != q) out.assign(s.data(), s.size());
    return;
  }
  if (i < s.size()) out.append(s.data() + i, s.size() - i);
  // No closing mark: a text that ends with the mark loses it (the doubled pairs
  // already reduced); otherwise the text stays as it was.
  if (s.back() != q)
    out.assign(s.data(), s.size());
  else if (!out.empty())
    out.pop_back();
}

std::string UnquoteText(const std::string& s, char q) {
  std::string out;
  UnquoteInto(s, q, out);
  return out;
}

void SplitFields(std::string_view line, const std::string& delimiter,
                 std::vector<std::string_view>& fields) {
  fields.clear();
  if (delimiter.empty()) {
    fields.push_back(line);
    return;
  }
  size_t start = 0;
  if (delimiter.size() == 1) {
    const char* const base = line.data();
    const char* p = base;
    const char* const end = base + line.size();
    while (const char* hit = static_cast<const char*>(std::memchr(p, delimiter[0], end - p))) {
      fields.emplace_back(p, hit - p);
      p = hit + 1;
    }
    fields.emplace_back(p, end - p);
    return;
  }
  for (;;) {
    const size_t hit = line.find(delimiter, start);
    if (hit == std::string_view::npos) break;
    fields.push_back(line.substr(start, hit - start));
    start = hit + delimiter.size();
  }
  fields.push_back(line.substr(start));
}

std::vector<std::string> ImportResult::ToStrings() const {
  std::vector<std::string> out;
  out.reserve(size());
  for (size_t i = 0; i < size(); ++i) out.emplace_back((*this)[i]);
  return out;
}

// ---- The engine ----------------------------------------------------------------

ImportClass::ImportClass(ImportSettings settings)
    : fileName_(std::move(settings.fileName)),
      mode_(settings.mode),
      delimiter_(settings.delimiter == "space" ? std::string(" ") : std::move(settings.delimiter)),
      quotationMark_(std::move(settings.quotationMark)),
      abandon_(settings.abandonQuotationMarks) {}

void ImportClass::Take(std::string_view candidate) {
  candidate = TrimView(candidate);
  if (abandon_ == 1 && candidate.size() > 1 && (candidate[0] == '"' || candidate[0] == '\'')) {
    UnquoteInto(candidate, '"', scratch_);
    if (scratch_.size() > 1 && scratch_[0] == '\'') {
      UnquoteInto(scratch_, '\'', unquoted_);
      result_.push_back(unquoted_);
    } else {
      result_.push_back(scratch_);
    }
    return;
  }
  result_.push_back(candidate);
}

ImportFailure ImportClass::Import() {
  result_.clear();
  TextLineReader reader;
  const ImportFailure opened = reader.Open(fileName_);
  if (opened != ImportFailure::None) return opened;
  if (mode_ != kImportPlainText && mode_ != kImportAllFields && mode_ != kImportOneField)
    return ImportFailure::None;
  try {
    // The strings are parts of the file's text: they never need more room.
    // A file larger than the address space can give is still read: the block
    // then grows as the strings come.
    const uint64_t size = reader.Size();
    try {
      // Room for a string every 8 bytes, for files up to 64 MiB.
      if (size < 0x7FFFFFFF)
        result_.reserve(static_cast<size_t>(size), size < (64u << 20) ? static_cast<size_t>(size / 8) : 0);
    } catch (const std::bad_alloc&) {
    }
    std::vector<std::string_view> fields;
    const bool read = reader.ForEachLine([&](std::string_view text, bool blank) {
      if (blank) return;
      if (mode_ == kImportPlainText) {
        Take(text);
        return;
      }
      if (mode_ == kImportAllFields && delimiter_.size() == 1) {
        // Fields taken as they are found (the common one-character delimiter).
        const char* p = text.data();
        const char* const end = p + text.size();
        while (const char* hit = static_cast<const char*>(std::memchr(p, delimiter_[0], end - p))) {
          Take(std::string_view(p, hit - p));
          p = hit + 1;
        }
        Take(std::string_view(p, end - p));
        return;
      }
      SplitFields(text, delimiter_, fields);
      if (mode_ == kImportAllFields) {
        for (std::string_view field : fields) Take(field);
      } else if (column_ >= 1 && fields.size() >= column_) {
        Take(fields[column_ - 1]);
      }
    });
    if (!read) {
      result_.clear();
      return ImportFailure::Open;
    }
  } catch (const std::bad_alloc&) {
    result_.clear();
    return ImportFailure::OutOfMemory;
  }
  return ImportFailure::None;
}

} // namespace core
