#include "core/file_copy.h"

#include "core/casefold.h"
#include "core/file_identity.h"
#include "core/location.h"
#include "core/textutil.h"

#include <emmintrin.h>
#include <immintrin.h>
#include <winternl.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <vector>

// The system's read, with the place to read given (not in winternl.h).
extern "C" NTSTATUS NTAPI NtReadFile(HANDLE, HANDLE, PVOID, PVOID, PIO_STATUS_BLOCK, PVOID, ULONG, PLARGE_INTEGER,
                                     PULONG);

namespace core {

// ---- The digest ----------------------------------------------------------------------
//
// Eight 64-bit lanes over the content taken as 64-byte blocks of eight
// little-endian words: word j of block b goes to lane j as
//   x = word ^ (key[j] + b * step);  lane += low32(x) * high32(x) + (word rotated by 32 bits)
// so every byte counts, and a word moved to another block counts otherwise.
// The last, partial block is taken filled up with zeros; the lanes, the
// length and that tail are mixed at the end, so a content and the same
// content with zeros appended differ. The lanes map onto SSE2 registers two
// by two (AVX2 registers four by four); the plain loop gives the very same
// digest where neither is to be had.

namespace {

constexpr uint64_t kKeys[8] = {0x9E3779B97F4A7C15ull, 0xC2B2AE3D27D4EB4Full, 0x165667B19E3779F9ull,
                               0xD6E8FEB86659FD93ull, 0xA0761D6478BD642Full, 0xE7037ED1A0B428DBull,
                               0x8EBC6AF09C88C6E3ull, 0x589965CC75374CC3ull};
constexpr uint64_t kStep = 0x1D8E4E27C47D124Full;

uint64_t Mix(uint64_t h) {
  h = (h ^ (h >> 31)) * 0x7FB5D329728EA185ull;
  h = (h ^ (h >> 27)) * 0x81DADEF4BC2DD44Dull;
  return h ^ (h >> 33);
}

void PlainBlocks(uint64_t (&lanes)[8], uint64_t first, const unsigned char* data, size_t blocks) {
  for (size_t b = 0; b < blocks; ++b, data += 64) {
    const uint64_t shift = (first + b) * kStep;
    for (int j = 0; j < 8; ++j) {
      uint64_t word;
      std::memcpy(&word, data + 8 * j, 8);
      const uint64_t x = word ^ (kKeys[j] + shift);
      lanes[j] += static_cast<uint64_t>(static_cast<uint32_t>(x)) * static_cast<uint32_t>(x >> 32) +
                  ((word << 32) | (word >> 32));
    }
  }
}

// 32-bit Windows keeps the stack 4-byte aligned: the SSE2 registers spilled
// there need it aligned to 16 on entry.
__attribute__((target("sse2"), force_align_arg_pointer)) void Sse2Blocks(uint64_t (&lanes)[8], uint64_t first, const unsigned char* data,
                                                 size_t blocks) {
  __m128i acc[4], key[4];
  const __m128i step = _mm_set1_epi64x(static_cast<long long>(kStep));
  const uint64_t shift = first * kStep;
  for (int i = 0; i < 4; ++i) {
    acc[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&lanes[2 * i]));
    key[i] = _mm_set_epi64x(static_cast<long long>(kKeys[2 * i + 1] + shift), static_cast<long long>(kKeys[2 * i] + shift));
  }
  for (size_t b = 0; b < blocks; ++b, data += 64) {
    for (int i = 0; i < 4; ++i) {
      const __m128i word = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * i));
      const __m128i x = _mm_xor_si128(word, key[i]);
      const __m128i product = _mm_mul_epu32(x, _mm_shuffle_epi32(x, 0xB1));
      acc[i] = _mm_add_epi64(acc[i], _mm_add_epi64(product, _mm_shuffle_epi32(word, 0xB1)));
      key[i] = _mm_add_epi64(key[i], step);
    }
  }
  for (int i = 0; i < 4; ++i) _mm_storeu_si128(reinterpret_cast<__m128i*>(&lanes[2 * i]), acc[i]);
}

// The same with the lanes four by four in AVX2 registers, where the
// processor and the system keep them.
__attribute__((target("avx2"), force_align_arg_pointer)) void Avx2Blocks(uint64_t (&lanes)[8], uint64_t first,
                                                                          const unsigned char* data, size_t blocks) {
  const uint64_t shift = first * kStep;
  uint64_t keys[8], steps[4] = {kStep, kStep, kStep, kStep};
  for (int j = 0; j < 8; ++j) keys[j] = kKeys[j] + shift;
  __m256i acc0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(&lanes[0]));
  __m256i acc1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(&lanes[4]));
  __m256i key0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(&keys[0]));
  __m256i key1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(&keys[4]));
  const __m256i step = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(steps));
  for (size_t b = 0; b < blocks; ++b, data += 64) {
    const __m256i word0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data));
    const __m256i word1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + 32));
    const __m256i x0 = _mm256_xor_si256(word0, key0), x1 = _mm256_xor_si256(word1, key1);
    acc0 = _mm256_add_epi64(acc0, _mm256_add_epi64(_mm256_mul_epu32(x0, _mm256_shuffle_epi32(x0, 0xB1)),
                                                   _mm256_shuffle_epi32(word0, 0xB1)));
    acc1 = _mm256_add_epi64(acc1, _mm256_add_epi64(_mm256_mul_epu32(x1, _mm256_shuffle_epi32(x1, 0xB1)),
                                                   _mm256_shuffle_epi32(word1, 0xB1)));
    key0 = _mm256_add_epi64(key0, step);
    key1 = _mm256_add_epi64(key1, step);
  }
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(&lanes[0]), acc0);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(&lanes[4]), acc1);
  _mm256_zeroupper();
}

DigestWay g_digestWay = DigestWay::Best;

DigestWay BestWay() {
  static const DigestWay best = [] {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) return DigestWay::Avx2;
    if (IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE)) return DigestWay::Sse2;
    return DigestWay::Plain;
  }();
  return best;
}

} // namespace

void SetDigestWay(DigestWay way) { g_digestWay = way; }
DigestWay DigestWayTaken() {
  const DigestWay best = BestWay();
  return g_digestWay == DigestWay::Best || g_digestWay > best ? best : g_digestWay;
}

ContentDigest::ContentDigest() {
  for (int j = 0; j < 8; ++j) lanes_[j] = kKeys[7 - j];
}

namespace {
// Adds what blocks of 64 bytes, the first of them block first of the
// content, give to each lane: every block's share depends on its bytes and its
// number alone, so the shares of runs add up in any order.
void TakeBlocks(uint64_t (&lanes)[8], uint64_t first, const unsigned char* data, size_t blocks) {
  const DigestWay way = DigestWayTaken();
  if (way == DigestWay::Avx2)
    Avx2Blocks(lanes, first, data, blocks);
  else if (way == DigestWay::Sse2)
    Sse2Blocks(lanes, first, data, blocks);
  else
    PlainBlocks(lanes, first, data, blocks);
}
} // namespace

void ContentDigest::Blocks(const unsigned char* data, size_t blocks) {
  TakeBlocks(lanes_, blocks_, data, blocks);
  blocks_ += blocks;
}

ContentDigest::Part ContentDigest::PartOf(const void* data, size_t blocks, uint64_t first) {
  Part part;
  TakeBlocks(part.lanes, first, static_cast<const unsigned char*>(data), blocks);
  return part;
}

void ContentDigest::AddPart(const Part& part, size_t blocks) {
  for (int j = 0; j < 8; ++j) lanes_[j] += part.lanes[j];
  blocks_ += blocks;
  length_ += 64ull * blocks;
}


void ContentDigest::Add(const void* bytes, size_t size) {
  const unsigned char* data = static_cast<const unsigned char*>(bytes);
  length_ += size;
  if (filled_ > 0) {
    const size_t take = size < 64 - filled_ ? size : 64 - filled_;
    std::memcpy(tail_ + filled_, data, take);
    filled_ += take;
    data += take;
    size -= take;
    if (filled_ < 64) return;
    Blocks(tail_, 1);
    filled_ = 0;
  }
  if (size >= 64) Blocks(data, size / 64);
  data += size / 64 * 64;
  size %= 64;
  std::memcpy(tail_, data, size);
  filled_ = size;
}

uint64_t ContentDigest::Finish() const {
  uint64_t lanes[8];
  std::memcpy(lanes, lanes_, sizeof lanes);
  if (filled_ > 0) {
    unsigned char last[64] = {};
    std::memcpy(last, tail_, filled_);
    PlainBlocks(lanes, blocks_, last, 1);
  }
  uint64_t hash = Mix(length_ ^ 0x243F6A8885A308D3ull);
  for (uint64_t lane : lanes) hash = Mix(hash ^ lane) + 0x9E3779B97F4A7C15ull;
  return Mix(hash ^ length_);
}

// ---- Handles and names ---------------------------------------------------------------

namespace {

// The piece read and written at a time: as much as the system's own copy
// takes. (Under Wine larger pieces make a large file's copy slower: by half
// now and then with 256 KB, several times over with 1 MB.)
constexpr DWORD kPiece = 1 << 16;

CopyWriteHook g_writeHook = nullptr;
CopyWriteFault g_writeFault = nullptr;

DWORD Failed() {
  const DWORD error = GetLastError();
  return error ? error : ERROR_GEN_FAILURE;
}

DWORD FromStatus(NTSTATUS status) {
  if (status == 0) return 0;
  const ULONG error = RtlNtStatusToDosError(status);
  return error ? error : ERROR_GEN_FAILURE;
}

bool AlreadyThere(DWORD error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }
bool NotFound(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// A handle closed when it goes, whatever ends the copy (a test's hook throws).
class Owned {
public:
  explicit Owned(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  ~Owned() { Close(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  HANDLE get() const { return h_; }
  explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }
  void Reset(HANDLE h) {
    Close();
    h_ = h;
  }
  void Close() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

private:
  HANDLE h_;
};

// The new file name in the open folder: the program's own, plain; nobody
// else opens it while it is written. With closeRemoves the name goes when the
// handle closes, whatever ends the copy.
HANDLE CreateIn(HANDLE folder, const std::string& name, bool closeRemoves, DWORD& error) {
  std::wstring wide = WideName(name);
  UNICODE_STRING string;
  string.Buffer = &wide[0];
  string.Length = string.MaximumLength = static_cast<USHORT>(wide.size() * sizeof(WCHAR));
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &string, OBJ_CASE_INSENSITIVE, folder, nullptr);
  IO_STATUS_BLOCK io{};
  HANDLE h = nullptr;
  error = FromStatus(NtCreateFile(&h, GENERIC_READ | GENERIC_WRITE | DELETE | SYNCHRONIZE, &attributes, &io, nullptr,
                                  FILE_ATTRIBUTE_NORMAL, 0, FILE_CREATE,
                                  FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT | FILE_SEQUENTIAL_ONLY |
                                      (closeRemoves ? FILE_DELETE_ON_CLOSE : 0),
                                  nullptr, 0));
  return error ? INVALID_HANDLE_VALUE : h;
}

// Gives the file open at h the name in the open folder, as a new link beside
// its own (link) or in place of it: never over an existing entry.
DWORD NameIn(HANDLE h, HANDLE folder, const std::string& name, bool link) {
  const std::wstring wide = WideName(name);
  std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + wide.size() * sizeof(WCHAR));
  FILE_RENAME_INFO* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = FALSE;
  info->RootDirectory = folder;
  info->FileNameLength = static_cast<DWORD>(wide.size() * sizeof(WCHAR));
  std::memcpy(info->FileName, wide.data(), wide.size() * sizeof(WCHAR));
  IO_STATUS_BLOCK io{};
  return FromStatus(NtSetInformationFile(h, &io, info, static_cast<ULONG>(buffer.size()),
                                         link ? FileLinkInformation : FileRenameInformation));
}

// A file system that keeps no second link to a file (FAT) answers one of
// these (under Wine the system's "not permitted" comes as access denied).
bool LinksRefused(DWORD error) {
  return UnsupportedOnHandle(error) || error == ERROR_ACCESS_DENIED || error == ERROR_INVALID_FUNCTION;
}

// Marks the file open at h for removal when it closes.
bool Dispose(HANDLE h) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  return SetFileInformationByHandle(h, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

uint64_t SizeOf(HANDLE h, bool& known) {
  FILE_STANDARD_INFO standard{};
  known = GetFileInformationByHandleEx(h, FileStandardInfo, &standard, sizeof standard) != 0;
  return known ? static_cast<uint64_t>(standard.EndOfFile.QuadPart) : 0;
}

// Sources are read so that no other program may write them meanwhile; one
// that another holds open for writing already is read shared.
constexpr DWORD kNoWriters = FILE_SHARE_READ | FILE_SHARE_DELETE;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A file of more pieces than these is read ahead of its copy on the writer's
// reading thread; a smaller one is copied sooner than that thread would start.
constexpr uint64_t kReadAlone = 32ull * kPiece;

// What a read at the end of the file, or past it, answers.
constexpr NTSTATUS kEndOfFile = static_cast<NTSTATUS>(0xC0000011);

} // namespace

// ---- Reading ahead of the copy ----------------------------------------------------------
//
// A large file is read on a thread of the writer's own, into a ring of
// buffers, while the run's thread writes the pieces read before: the two calls
// to the system, each waiting for the disk or copying between memory and the
// system's cache, go side by side. The reader also takes each piece's share of
// the digest while the piece is fresh in its core's cache (the shares add up
// in any order); the run's thread adds them up in the pieces' order as it
// writes them. Each piece is read at its own place in the file by whichever
// thread takes it first: where the reader lags (a busy machine keeps it
// waiting for a processor) the run's thread reads the next piece itself, into
// a buffer of its own, and takes its digest, so the copy never waits for a
// thread that does not run. Waking a thread costs a call into the system (a
// few microseconds under Wine): the reader sleeps only while the ring is full
// and is woken once a quarter of it is free. The source is read through the
// one handle the copy opened and checked; the reader leaves it before the
// copy ends.

class ReadAhead {
public:
  ReadAhead() : buffers_(kSlots * kPiece), own_(kPiece) {
    thread_ = CreateThread(nullptr, 64 * 1024, &ReadAhead::Run, this, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  }
  ~ReadAhead() {
    if (!thread_) return;
    AcquireSRWLockExclusive(&lock_);
    quit_ = true;
    WakeConditionVariable(&readerWakes_);
    ReleaseSRWLockExclusive(&lock_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
  }
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;
  bool Ready() const { return thread_ != nullptr; }

  // Reads source from its start, piece by piece, ahead of the copy (the place
  // of the handle is neither used nor kept).
  void Start(HANDLE source) {
    source_ = source;
    claimed_.store(0);
    written_.store(0);
    for (auto& ready : ready_) ready.store(0);
    next_ = 0;
    stop_.store(false);
    AcquireSRWLockExclusive(&lock_);
    running_.store(true);
    WakeConditionVariable(&readerWakes_);
    ReleaseSRWLockExclusive(&lock_);
  }
  // The next piece of the file, in order; shorter than a piece at the end
  // (empty there, or where error tells a read that failed). part: what a
  // whole piece the reader read adds to the digest, else null.
  const unsigned char* Next(DWORD& size, DWORD& error, const ContentDigest::Part*& part) {
    const uint32_t n = next_;
    const unsigned slot = n % kSlots;
    if (ready_[slot].load(std::memory_order_acquire) != n + 1) {
      // Not read yet: read here, into this thread's own buffer, and taken
      // from the reader unless it reads it now.
      uint32_t unclaimed = n;
      claimed_.compare_exchange_strong(unclaimed, n + 1);
      ReadPiece(n, own_.data(), size, error);
      part = nullptr;
      return own_.data();
    }
    size = sizes_[slot];
    error = errors_[slot];
    part = size == kPiece ? &parts_[slot] : nullptr;
    return buffers_.data() + slot * kPiece;
  }
  // The piece Next gave was written: its buffer may take another.
  void Written() {
    const uint32_t written = ++next_;
    written_.store(written);
    // A reader waiting for a full ring is woken once, as a quarter of it is free.
    if (claimed_.load() == written + kSlots - kReaderWakesAt && readerWaits_.load()) WakeReader();
  }
  // The reader leaves the source (the copy is done or failed): it ends the
  // read it is in and takes no other.
  void Finish() {
    AcquireSRWLockExclusive(&lock_);
    stop_.store(true);
    WakeConditionVariable(&readerWakes_);
    while (running_.load()) SleepConditionVariableSRW(&writerWakes_, &lock_, INFINITE, 0);
    ReleaseSRWLockExclusive(&lock_);
  }

private:
  // The ring: 4 MB; the reader, waiting while it is full, is woken once a
  // quarter of it is free.
  static constexpr unsigned kSlots = 64;
  static constexpr unsigned kReaderWakesAt = 16;  // free buffers

  static DWORD WINAPI Run(void* self) {
    static_cast<ReadAhead*>(self)->Work();
    return 0;
  }
  void Work() {
    for (;;) {
      AcquireSRWLockExclusive(&lock_);
      while (!running_.load() && !quit_) SleepConditionVariableSRW(&readerWakes_, &lock_, INFINITE, 0);
      const bool quit = !running_.load();
      ReleaseSRWLockExclusive(&lock_);
      if (quit) return;
      ReadPieces();
      AcquireSRWLockExclusive(&lock_);
      running_.store(false);
      WakeConditionVariable(&writerWakes_);
      ReleaseSRWLockExclusive(&lock_);
    }
  }
  void ReadPieces() {
    while (!stop_.load()) {
      uint32_t n = claimed_.load();
      if (static_cast<int32_t>(n - written_.load()) >= static_cast<int32_t>(kSlots)) {
        // The ring is full: wait for the writer.
        AcquireSRWLockExclusive(&lock_);
        readerWaits_.store(true);
        while (claimed_.load() - written_.load() >= kSlots && !stop_.load())
          SleepConditionVariableSRW(&readerWakes_, &lock_, INFINITE, 0);
        readerWaits_.store(false);
        ReleaseSRWLockExclusive(&lock_);
        continue;
      }
      // Its buffer holds a piece written already; the writer may take it first.
      if (!claimed_.compare_exchange_strong(n, n + 1)) continue;
      const unsigned slot = n % kSlots;
      unsigned char* const buffer = buffers_.data() + slot * kPiece;
      ReadPiece(n, buffer, sizes_[slot], errors_[slot]);
      const bool end = sizes_[slot] < kPiece;
      // The piece's share of the digest while it is at hand (the writer takes the last one's).
      if (!end) parts_[slot] = ContentDigest::PartOf(buffer, kPiece / 64, static_cast<uint64_t>(n) * (kPiece / 64));
      ready_[slot].store(n + 1);
      if (end) return;
    }
  }
  // Piece n of the source, read at its place (the handle's own place is not
  // used). The system's call itself: ReadFile with a place given is several
  // times slower under Wine.
  void ReadPiece(uint32_t n, unsigned char* into, DWORD& size, DWORD& error) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(n) * kPiece;
    IO_STATUS_BLOCK io{};
    const NTSTATUS status = NtReadFile(source_, nullptr, nullptr, nullptr, &io, into, kPiece, &at, nullptr);
    size = status == 0 ? static_cast<DWORD>(io.Information) : 0;
    error = status == 0 || status == kEndOfFile ? 0 : FromStatus(status);
  }
  void WakeReader() {
    AcquireSRWLockExclusive(&lock_);
    WakeConditionVariable(&readerWakes_);
    ReleaseSRWLockExclusive(&lock_);
  }

  std::vector<unsigned char> buffers_;
  std::vector<unsigned char> own_;  // the writer's, for the pieces it reads itself
  DWORD sizes_[kSlots] = {};
  DWORD errors_[kSlots] = {};
  ContentDigest::Part parts_[kSlots];
  std::atomic<uint32_t> ready_[kSlots] = {};  // the piece (plus one) whose read is whole in each buffer
  HANDLE source_ = INVALID_HANDLE_VALUE;
  uint32_t next_ = 0;                 // the writer's: the next piece to write
  std::atomic<uint32_t> claimed_{0};  // pieces taken for reading
  std::atomic<uint32_t> written_{0};  // pieces written
  std::atomic<bool> running_{false};  // the reader reads a file
  std::atomic<bool> stop_{false};
  std::atomic<bool> readerWaits_{false};
  bool quit_ = false;  // under lock_
  SRWLOCK lock_ = SRWLOCK_INIT;
  CONDITION_VARIABLE readerWakes_ = CONDITION_VARIABLE_INIT, writerWakes_ = CONDITION_VARIABLE_INIT;
  HANDLE thread_ = nullptr;
};

namespace {

// Copies what source holds from its current place to target, with the digest
// of the bytes written; size gets what was written and read what was read
// (the same, but where the copy failed). With ahead, the file is read ahead
// from its start (where every copy starts). 0 or the error.
DWORD CopyContent(HANDLE source, HANDLE target, const std::string& temporary, ReadAhead* ahead, uint64_t& digest,
                  uint64_t& size, uint64_t& read) {
  size = read = 0;
  DWORD got = 0, error = 0;
  ContentDigest content;
  if (ahead) {
    // The reader leaves the source before it may close, whatever ends the copy.
    struct Finished {
      ReadAhead& ahead;
      ~Finished() { ahead.Finish(); }
    } finished{*ahead};
    ahead->Start(source);
    for (;;) {
      const ContentDigest::Part* part = nullptr;
      const unsigned char* piece = ahead->Next(got, error, part);
      if (error) return error;
      read += got;
      if (got == 0) break;
      if (g_writeFault)
        if (const DWORD fault = g_writeFault(temporary, size)) return fault;
      DWORD written = 0;
      const BOOL wrote = WriteFile(target, piece, got, &written, nullptr);
      if (!wrote || written != got) return wrote ? ERROR_DISK_FULL : Failed();
      // The digest of the very bytes written: the reader's share of a whole
      // piece, or taken here.
      if (part) content.AddPart(*part, got / 64);
      else content.Add(piece, got);
      ahead->Written();
      size += got;
      if (g_writeHook) g_writeHook(temporary, size);
      if (got < kPiece) break;  // the end
    }
    digest = content.Finish();
    return 0;
  }
  static thread_local std::vector<unsigned char> buffer(kPiece);
  for (;;) {
    if (!ReadFile(source, buffer.data(), kPiece, &got, nullptr)) return Failed();
    read += got;
    if (got == 0) {
      digest = content.Finish();
      return 0;
    }
    if (g_writeFault)
      if (const DWORD fault = g_writeFault(temporary, size)) return fault;
    DWORD written = 0;
    const BOOL wrote = WriteFile(target, buffer.data(), got, &written, nullptr);
    if (!wrote || written != got) return wrote ? ERROR_DISK_FULL : Failed();
    // The digest of the very bytes written, while they are at hand.
    content.Add(buffer.data(), got);
    size += got;
    if (g_writeHook) g_writeHook(temporary, size);
  }
}

// Whether leftover holds a beginning of what source holds (both read from
// their start; source is left at its start again).
bool HoldsBeginningOf(HANDLE leftover, HANDLE source) {
  bool known = false, sourceKnown = false;
  const uint64_t size = SizeOf(leftover, known), whole = SizeOf(source, sourceKnown);
  if (!known || !sourceKnown || size == 0 || size > whole) return false;
  std::vector<unsigned char> a(kPiece), b(kPiece);
  bool same = true;
  for (uint64_t left = size; same && left > 0;) {
    const DWORD want = left < kPiece ? static_cast<DWORD>(left) : kPiece;
    DWORD gotA = 0, gotB = 0;
    same = ReadFile(leftover, a.data(), want, &gotA, nullptr) && ReadFile(source, b.data(), want, &gotB, nullptr) &&
           gotA == want && gotB == want && std::memcmp(a.data(), b.data(), want) == 0;
    left -= want;
  }
  LARGE_INTEGER start{};
  SetFilePointerEx(source, start, nullptr, FILE_BEGIN);
  return same;
}

} // namespace

// ---- Names and reasons -------------------------------------------------------------------

std::string TemporaryCopyPath(const std::string& target, unsigned attempt) {
  const size_t cut = target.find_last_of('\\');
  const std::string name = cut == std::string::npos ? target : target.substr(cut + 1);
  // Derived from the name with a text of the program's own: another program's
  // file has this name only by design.
  ContentDigest mark;
  std::string text = "Vextil unfinished copy of " + FoldCase(name);
  if (attempt > 0) text += " #" + std::to_string(attempt);
  mark.Add(text.data(), text.size());
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(mark.Finish() & 0xFFFFFFFFu));
  return target + ".~vx" + hex;
}

bool DiskFullError(DWORD error) { return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL; }
bool NameTakenError(DWORD error) { return AlreadyThere(error); }

std::string CopyFailureReason(DWORD error, const CopiedFile& copied) {
  if (copied.sourceFault) {
    switch (error) {
      case ERROR_NOT_SUPPORTED: return "a link (its name leads to another place): never read through";
      case kErrorRoadMoved:
        return "a folder of the structure on its path is a link or was moved since it was listed: never read through";
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND: return "the structure's file is gone";
      case ERROR_SHARING_VIOLATION:
      case ERROR_LOCK_VIOLATION: return "in use by another program: it cannot be read";
      case ERROR_ACCESS_DENIED: return "access denied: it cannot be read";
      case kErrorSourceChanged:
        return "another program changed the structure's file while it was copied: the copy was taken away";
      default: return "it cannot be read: system error " + std::to_string(error);
    }
  }
  switch (error) {
    case ERROR_NOT_SUPPORTED: return "its folder is a link: nothing is written through it";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return "its folder could not be made";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "the disk is full";
    case ERROR_CRC: return "the copy was not written whole: taken away";
    case ERROR_CANNOT_MAKE: return "every temporary name beside it is held by another item";
    default: return RemovalReason(error);
  }
}

// ---- The writer ----------------------------------------------------------------------

CopyWriter::CopyWriter(SystemRemover& remover) : remover_(remover) {}

CopyWriter::~CopyWriter() { Leave(); }

bool CopyWriter::StateOf(HANDLE h, SourceState& state) {
  FILE_NETWORK_OPEN_INFORMATION info{};
  IO_STATUS_BLOCK io{};
  if (NtQueryInformationFile(h, &io, &info, sizeof info, FileNetworkOpenInformation) == 0) {
    state.attributes = info.FileAttributes;
    state.written = info.LastWriteTime;
    state.size = static_cast<uint64_t>(info.EndOfFile.QuadPart);
    return true;
  }
  // Where the system keeps no such query: two.
  FILE_BASIC_INFO basic{};
  bool known = false;
  if (!GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic)) return false;
  state.attributes = basic.FileAttributes;
  state.written = basic.LastWriteTime;
  state.size = SizeOf(h, known);
  if (!known) SetLastError(ERROR_GEN_FAILURE);
  return known;
}

HANDLE CopyWriter::OpenSource(const std::string& from, SourceState& state, DWORD& error) {
  error = 0;
  auto known = checked_.find(from);
  if (known != checked_.end()) {
    auto open = [&](DWORD share) {
      return CreateFileA(from.c_str(), GENERIC_READ | FILE_READ_ATTRIBUTES, share, nullptr, OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    };
    HANDLE h = open(kNoWriters);
    if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION) h = open(kShareAll);
    if (h == INVALID_HANDLE_VALUE) {
      error = Failed();
      return h;
    }
    FileIdentity index;
    if (IndexOf(h, 0, index) && index == known->second.index && StateOf(h, state) &&
        state.written.QuadPart == known->second.written.QuadPart && state.size == known->second.size)
      return h;  // the very file checked before
    CloseHandle(h);
    checked_.erase(known);
  }
  HANDLE h = INVALID_HANDLE_VALUE;
  ItemLocation at = remover_.OpenChecked(from, GENERIC_READ, true, h, kNoWriters);
  if (h == INVALID_HANDLE_VALUE && at.error == ERROR_SHARING_VIOLATION)
    at = remover_.OpenChecked(from, GENERIC_READ, true, h, kShareAll);
  if (h == INVALID_HANDLE_VALUE) {
    error = at.Here() ? ERROR_ACCESS_DENIED : at.error;
    return h;
  }
  if (!StateOf(h, state)) {
    error = Failed();
    CloseHandle(h);
    return INVALID_HANDLE_VALUE;
  }
  Checked mark{};
  if (IndexOf(h, 0, mark.index)) {
    mark.written = state.written;
    mark.size = state.size;
    checked_[from] = mark;
  }
  return h;
}

void CopyWriter::Leave() {
  if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
  held_ = INVALID_HANDLE_VALUE;
  folder_.clear();
  heldError_ = 0;
}

DWORD CopyWriter::Enter(const std::string& folder) {
  if (!folder_.empty() && folder == folder_) return heldError_;
  Leave();
  folder_ = folder;
  HANDLE h = INVALID_HANDLE_VALUE;
  const ItemLocation at =
      remover_.OpenChecked(folder, FILE_LIST_DIRECTORY | FILE_ADD_FILE | FILE_TRAVERSE | SYNCHRONIZE, false, h);
  held_ = h;
  heldError_ = at.Here() ? (h != INVALID_HANDLE_VALUE ? 0 : ERROR_ACCESS_DENIED) : at.error;
  return heldError_;
}

DWORD CopyWriter::SourceReadable(const std::string& from) {
  HANDLE h = INVALID_HANDLE_VALUE;
  const ItemLocation at = remover_.OpenChecked(from, GENERIC_READ, true, h);
  if (h == INVALID_HANDLE_VALUE) return at.Here() ? ERROR_ACCESS_DENIED : at.error;
  FILE_BASIC_INFO basic{};
  const bool plain = GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic) &&
                     !(basic.FileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY));
  CloseHandle(h);
  return plain ? 0 : ERROR_NOT_SUPPORTED;
}

bool CopyWriter::OwnLeftover(const std::string& from, const std::string& path) {
  HANDLE source = INVALID_HANDLE_VALUE, leftover = INVALID_HANDLE_VALUE;
  remover_.OpenChecked(from, GENERIC_READ, true, source);
  if (source == INVALID_HANDLE_VALUE) return false;
  remover_.OpenChecked(path, GENERIC_READ, true, leftover);
  const bool own = leftover != INVALID_HANDLE_VALUE && HoldsBeginningOf(leftover, source);
  if (leftover != INVALID_HANDLE_VALUE) CloseHandle(leftover);
  CloseHandle(source);
  return own;
}

DWORD CopyWriter::Copy(const std::string& from, const std::string& to, CopiedFile& copied) {
  copied = CopiedFile();
  const size_t cut = to.find_last_of('\\');
  if (cut == std::string::npos || cut + 1 >= to.size()) return ERROR_INVALID_NAME;
  const std::string folder = to.substr(0, cut == 2 && to[1] == ':' ? 3 : cut);
  const std::string name = to.substr(cut + 1);

  // The source: opened once, checked on that handle, read through it; what
  // it is at that open is what the copy must be.
  SourceState opened;
  DWORD error = 0;
  Owned source(OpenSource(from, opened, error));
  if (source && (opened.attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)))
    error = ERROR_NOT_SUPPORTED;  // a link opened as itself (where the system keeps links apart)
  if (error) {
    copied.sourceFault = true;
    return error;
  }

  // The folder, checked once while its files follow one another.
  if (const DWORD error = Enter(folder)) return error;

  // The temporary name goes by itself when its handle closes, the copy
  // staying under its real name (a second link), unless the file system keeps
  // no second link: then the copy is written again and renamed. A test's hook
  // that ends a copy midway finds the cut file left, as a machine switched off
  // would leave it.
  Owned target;
  std::string temporary;
  uint64_t size = 0, read = 0, digest = 0;
  bool renamed = false;
  const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  const DWORD attributes = opened.attributes & kept;
  // A large file is read ahead of its copy.
  if (opened.size > kReadAlone && !ahead_ && !aheadFailed_) {
    ahead_ = std::make_unique<ReadAhead>();
    aheadFailed_ = !ahead_->Ready();
    if (aheadFailed_) ahead_.reset();
  }
  ReadAhead* const ahead = opened.size > kReadAlone ? ahead_.get() : nullptr;
  for (bool closeRemoves = !linksRefused_ && !g_writeHook;; closeRemoves = false) {
    // The first temporary name free, an unfinished copy of the program's
    // own found there taken away first; what else holds a name stays.
    error = ERROR_CANNOT_MAKE;
    for (unsigned attempt = 0; attempt < kTemporaryNames && !target; ++attempt) {
      temporary = TemporaryCopyPath(to, attempt);
      const std::string temporaryName = temporary.substr(temporary.find_last_of('\\') + 1);
      copied.attempt = attempt;
      target.Reset(CreateIn(held_, temporaryName, closeRemoves, error));
      if (target) break;
      if (!AlreadyThere(error)) return error;
      HANDLE left = INVALID_HANDLE_VALUE;
      remover_.OpenChecked(temporary, GENERIC_READ | DELETE, true, left);
      if (left == INVALID_HANDLE_VALUE) continue;
      const bool own = HoldsBeginningOf(left, source.get()) && Dispose(left);
      CloseHandle(left);
      if (!own) continue;
      copied.leftoverReplaced = true;
      target.Reset(CreateIn(held_, temporaryName, closeRemoves, error));
      if (!target && !AlreadyThere(error)) return error;
    }
    if (!target) return ERROR_CANNOT_MAKE;

    error = CopyContent(source.get(), target.get(), temporary, ahead, digest, size, read);
    // The source as it stood at its open: all of it read, and its size and
    // last write time unchanged at the end (one query on its handle).
    SourceState now;
    if (!error && (read != opened.size || !StateOf(source.get(), now) || now.size != opened.size ||
                   now.written.QuadPart != opened.written.QuadPart)) {
      error = kErrorSourceChanged;
      copied.sourceFault = true;
    }
    // Whole: the size on the handle is what was read.
    bool known = false;
    if (!error && (SizeOf(target.get(), known) != size || !known)) error = ERROR_CRC;
    if (error) {
      Dispose(target.get());
      return error;
    }
    // The source's last write time and attributes, as a copy by name keeps
    // them; read-only only once the temporary name is gone.
    FILE_BASIC_INFO set{};
    set.LastWriteTime = opened.written;
    set.FileAttributes = (attributes & ~FILE_ATTRIBUTE_READONLY) ? (attributes & ~FILE_ATTRIBUTE_READONLY)
                                                                   : FILE_ATTRIBUTE_NORMAL;
    SetFileInformationByHandle(target.get(), FileBasicInfo, &set, sizeof set);
    // The real name, in the folder checked when its files started. Where the
    // system names a file by its place (Wine), a folder on the way moved or
    // swapped for a link since leaves the copy where it no longer is: the new
    // link then fails as not found.
    error = NameIn(target.get(), held_, name, true);
    if (LinksRefused(error)) {
      // No second link here (FAT keeps none, nor links to what is missing):
      // the rename, which never replaces either; a copy whose temporary name
      // goes at its close is written again without that.
      linksRefused_ = true;
      if (closeRemoves) {
        target.Close();
        LARGE_INTEGER start{};
        if (!SetFilePointerEx(source.get(), start, nullptr, FILE_BEGIN)) return Failed();
        copied.leftoverReplaced = false;
        continue;
      }
      error = NameIn(target.get(), held_, name, false);
      renamed = error == 0;
    }
    if (error) {
      Dispose(target.get());
      // Written whole, but its folder is no longer where the run listed it.
      if (NotFound(error)) return kErrorRoadMoved;
      return AlreadyThere(error) ? ERROR_FILE_EXISTS : error;
    }
    // The temporary name goes, the copy stays under its own.
    if (!renamed && !closeRemoves) Dispose(target.get());
    if (attributes & FILE_ATTRIBUTE_READONLY) {
      set.FileAttributes = attributes;
      SetFileInformationByHandle(target.get(), FileBasicInfo, &set, sizeof set);
    }
    break;
  }
  source.Close();
  // What the disk now says of the copy is what an undo will compare.
  FILE_BASIC_INFO now{};
  const bool timeKnown = GetFileInformationByHandleEx(target.get(), FileBasicInfo, &now, sizeof now);
  target.Close();
  copied.size = size;
  const LARGE_INTEGER written = timeKnown ? now.LastWriteTime : opened.written;
  copied.written.dwLowDateTime = written.LowPart;
  copied.written.dwHighDateTime = static_cast<DWORD>(written.HighPart);
  copied.digest = digest;
  copied.digested = true;
  return 0;
}

DWORD CopyFileRecorded(const std::string& from, const std::string& to, CopiedFile& copied, SystemRemover* remover) {
  SystemRemover own;
  CopyWriter writer(remover ? *remover : own);
  return writer.Copy(from, to, copied);
}

bool FileDigest(const std::string& path, uint64_t& digest) {
  Owned h(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                      nullptr));
  if (!h) return false;
  ContentDigest content;
  std::vector<unsigned char> buffer(kPiece);
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(h.get(), buffer.data(), kPiece, &got, nullptr)) return false;
    if (got == 0) break;
    content.Add(buffer.data(), got);
  }
  digest = content.Finish();
  return true;
}

void SetCopyWriteHook(CopyWriteHook hook) { g_writeHook = hook; }
void SetCopyWriteFault(CopyWriteFault fault) { g_writeFault = fault; }

} // namespace core
