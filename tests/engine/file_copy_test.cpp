// A copy is written under its temporary name and takes its real name only when
// whole: a copy stopped midway (the writer's test hook throws, as a machine
// switched off stops it) leaves no cut file under a real name, and the next copy
// replaces what it left; nothing under the real name is ever replaced, and
// nothing but an unfinished copy of the program's own is taken away.
#include "core/file_copy.h"
#include "core/folder_listing.h"
#include "engine/treeops_fixture.h"
#include "support/second_process.h"
#include "support/wine_unix.h"

#include <algorithm>
#include <cctype>

using testsupport::PathExists;
using testsupport::ReadFile;
using testsupport::TempDir;

namespace {

struct Killed {};

// The bytes the hook lets through before it stops the copy, and what it does
// before (nothing, or put a file under the real name).
uint64_t g_stopAfter = 0;
std::string g_realName;
void StopMidway(const std::string& temporary, uint64_t written) {
  if (!g_realName.empty()) testsupport::WriteFile(g_realName, "the user's, made meanwhile");
  if (written >= g_stopAfter) throw Killed();
}
struct Hooked {
  explicit Hooked(uint64_t stopAfter, const std::string& realName = "") {
    g_stopAfter = stopAfter;
    g_realName = realName;
    core::SetCopyWriteHook(StopMidway);
  }
  ~Hooked() { core::SetCopyWriteHook(nullptr); }
};

std::string Content(size_t size) {
  std::string content(size, '\0');
  for (size_t i = 0; i < size; ++i) content[i] = static_cast<char>(i * 13 + i / 997);
  return content;
}

TEST(CopyFileRecorded, AStoppedCopyLeavesNoCutFileUnderTheRealNameAndTheNextReplacesIt) {
  // Three pieces of the writer; and a large file, read ahead of its copy.
  for (size_t size : {size_t(700000), size_t(12 << 20)}) {
    SCOPED_TRACE(size);
    TempDir temp;
    const std::string content = Content(size);
    const std::string from = temp.AddFile("big.bin", content), to = temp / "copy\\big.bin";
    testsupport::MakeFolders(temp / "copy");
    const std::string temporary = core::TemporaryCopyPath(to);
    core::CopiedFile copied;
    {
      Hooked kill(size / 3);
      EXPECT_THROW(core::CopyFileRecorded(from, to, copied), Killed);
    }
    EXPECT_FALSE(PathExists(to));
    ASSERT_TRUE(PathExists(temporary));
    EXPECT_LT(ReadFile(temporary).size(), content.size());
    EXPECT_EQ(ReadFile(temporary), content.substr(0, ReadFile(temporary).size()));

    ASSERT_EQ(core::CopyFileRecorded(from, to, copied), 0u);
    EXPECT_TRUE(copied.leftoverReplaced);
    EXPECT_EQ(ReadFile(to), content);
    EXPECT_FALSE(PathExists(temporary));
    EXPECT_EQ(testsupport::ListTree(temp / "copy"), "big.bin\n");
    uint64_t digest = 0;
    ASSERT_TRUE(core::FileDigest(to, digest));
    EXPECT_EQ(copied.digest, digest);

    // A whole copy finds nothing to replace.
    ASSERT_EQ(core::CopyFileRecorded(from, temp / "copy\\again.bin", copied), 0u);
    EXPECT_FALSE(copied.leftoverReplaced);
  }
}

// A file put under the real name while the copy is written stays as it is; the
// copy is taken away and counts as existing.
// A copy in a program killed midway: this test program again, started below
// with the copy to make, ends itself once the copy's first piece is written.
const char kCopyKilled[] = "VEXTIL_TEST_COPY_KILLED";
const bool kCopyKilledRan = [] {
  char paths[2 * MAX_PATH];
  const DWORD n = GetEnvironmentVariableA(kCopyKilled, paths, sizeof paths);
  if (n == 0 || n >= sizeof paths) return false;
  const std::string both(paths, n);
  const size_t bar = both.find('|');
  core::SetCopyWriteFault([](const std::string&, uint64_t written) -> DWORD {
    if (written > 0) TerminateProcess(GetCurrentProcess(), 3);
    return 0;
  });
  core::CopiedFile copied;
  core::CopyFileRecorded(both.substr(0, bar), both.substr(bar + 1), copied);
  ExitProcess(0);  // never reached: the copy is killed first
}();

TEST(CopyFileRecorded, AProgramKilledMidCopyLeavesNeitherTheCopyNorItsTemporaryName) {
  TempDir temp;
  const std::string from = temp.AddFile("big.bin", Content(700000)), to = temp / "copy\\big.bin";
  testsupport::MakeFolders(temp / "copy");
  EXPECT_EQ(testsupport::RunThisProgramAgain(kCopyKilled, from + "|" + to), 3u) << "the copy was not killed midway";
  EXPECT_EQ(testsupport::ListTree(temp / "copy"), "");
  EXPECT_EQ(ReadFile(from), Content(700000));
}

TEST(CopyFileRecorded, AFileMadeUnderTheRealNameMeanwhileIsNeverReplaced) {
  TempDir temp;
  const std::string from = temp.AddFile("big.bin", Content(700000)), to = temp / "made.bin";
  core::CopiedFile copied;
  {
    Hooked meanwhile(UINT64_MAX, to);
    EXPECT_EQ(core::CopyFileRecorded(from, to, copied), DWORD(ERROR_FILE_EXISTS));
  }
  EXPECT_EQ(ReadFile(to), "the user's, made meanwhile");
  EXPECT_FALSE(PathExists(core::TemporaryCopyPath(to)));
}

// Only an unfinished copy of the program's own (a beginning of the source's
// content) is taken away: a folder, a link, a user's own file under the
// temporary name stays as it was, and the copy is written under the next
// temporary name and takes its real name.
TEST(CopyFileRecorded, WhatIsNoUnfinishedCopyOfItsOwnStaysAndTheCopyTakesAnotherName) {
  TempDir temp;
  const std::string from = temp.AddFile("a.txt", "source");
  const std::string outside = temp.AddFile("outside\\target.txt", "outside");
  struct Case {
    const char* name;
    std::function<bool(const std::string& temporary)> arrange;
    const char* stays;  // the content that stays under the temporary name (null: a folder)
    bool replaced;
  };
  const Case cases[] = {
      {"a folder", [&](const std::string& t) { return testsupport::MakeFolders(t), true; }, nullptr, false},
      {"a link to a file",
       [&](const std::string& t) { return testsupport::UnderWine() && testsupport::MakeUnixFileSymlink(t, outside); },
       "outside", false},
      {"the user's file", [&](const std::string& t) { return testsupport::WriteFile(t, "the user's"), true; }, "the user's",
       false},
      {"the user's longer file", [&](const std::string& t) { return testsupport::WriteFile(t, "source and more"), true; },
       "source and more", false},
      {"an empty file", [&](const std::string& t) { return testsupport::WriteFile(t, ""), true; }, "", false},
      {"an unfinished copy", [&](const std::string& t) { return testsupport::WriteFile(t, "sou"), true; }, nullptr, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string to = temp / (std::string(c.name) + ".txt");
    const std::string held = core::TemporaryCopyPath(to);
    if (!c.arrange(held)) continue;
    core::CopiedFile copied;
    ASSERT_EQ(core::CopyFileRecorded(from, to, copied), 0u);
    EXPECT_EQ(copied.leftoverReplaced, c.replaced);
    EXPECT_EQ(copied.attempt, c.replaced ? 0u : 1u);
    EXPECT_EQ(ReadFile(to), "source");
    EXPECT_FALSE(PathExists(core::TemporaryCopyPath(to, 1)));
    if (c.replaced)
      EXPECT_FALSE(PathExists(held));
    else if (c.stays)
      EXPECT_EQ(ReadFile(held), c.stays);
    else
      EXPECT_TRUE(testsupport::FolderExists(held));
  }
  EXPECT_EQ(ReadFile(outside), "outside");
}

// The temporary name: the real one with a mark only the program derives from
// it, the same however the name's letters are cased; at the path limit it is
// longer than the system's limit for names and the copy still takes its real name.
TEST(CopyFileRecorded, TheTemporaryNameIsTheProgramsOwnAndWorksAtThePathLimit) {
  const std::string a = core::TemporaryCopyPath("C:\\x\\report.doc");
  ASSERT_EQ(a.size(), std::string("C:\\x\\report.doc").size() + 12);
  EXPECT_EQ(a.substr(0, 19), "C:\\x\\report.doc.~vx");
  for (char c : a.substr(19)) EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(c))) << a;
  EXPECT_EQ(core::TemporaryCopyPath("C:\\x\\REPORT.DOC").substr(19), a.substr(19));
  EXPECT_NE(core::TemporaryCopyPath("C:\\x\\report.dot").substr(19), a.substr(19));

  TempDir temp;
  const std::string from = temp.AddFile("s.txt", "at the limit");
  const std::string folder = temp.AddFolder(std::string(240 - temp.Path().size(), 'f'));
  const std::string to = folder + "\\" + std::string(254 - folder.size() - 1, 'n');
  ASSERT_EQ(to.size(), 254u);
  ASSERT_GE(core::TemporaryCopyPath(to).size(), size_t(MAX_PATH));
  core::CopiedFile copied;
  ASSERT_EQ(core::CopyFileRecorded(from, to, copied), 0u);
  EXPECT_EQ(ReadFile(to), "at the limit");
  EXPECT_EQ(testsupport::ListTree(folder), to.substr(folder.size() + 1) + "\n");
}

} // namespace

namespace {

// A link whose target is missing holds the real name: no look-up finds it,
// yet the copy never takes its name (a rename would replace it). The copy is
// taken away, the real name counts as taken, and the link stays: its target
// written again is what the name shows.
TEST(CopyFileRecorded, ALinkWhoseTargetIsMissingKeepsItsName) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "links are made with the Unix ln";
  TempDir temp;
  const std::string from = temp.AddFile("a.txt", "source");
  const std::string to = temp / "taken.txt", target = temp / "gone.txt";
  ASSERT_TRUE(testsupport::MakeUnixDanglingLink(to, target));
  ASSERT_FALSE(PathExists(to));
  core::CopiedFile copied;
  EXPECT_EQ(core::CopyFileRecorded(from, to, copied), DWORD(ERROR_FILE_EXISTS));
  EXPECT_TRUE(core::NameTakenError(ERROR_FILE_EXISTS));
  EXPECT_FALSE(copied.sourceFault);
  EXPECT_FALSE(PathExists(core::TemporaryCopyPath(to)));
  EXPECT_TRUE(core::FolderHidesEntry(temp.Path(), "taken.txt"));
  EXPECT_FALSE(core::FolderHidesEntry(temp.Path(), "free.txt"));
  testsupport::WriteFile(target, "the link's own target");
  EXPECT_EQ(ReadFile(to), "the link's own target");
}

// A copy that fails is never taken for an existing file: a source another
// program holds open without sharing it, one that is gone, and a disk that
// fills up while the copy is written each name their own reason, and leave
// nothing under the real name nor the temporary one.
uint64_t g_fullAfter = 0;
DWORD DiskFills(const std::string&, uint64_t written) { return written >= g_fullAfter ? ERROR_DISK_FULL : 0; }

TEST(CopyFileRecorded, AFailureNamesItsReasonAndLeavesNothing) {
  TempDir temp;
  const std::string big = temp.AddFile("big.bin", Content(700000));
  const std::string large = temp.AddFile("large.bin", Content(12 << 20));
  const std::string held = temp.AddFile("held.txt", "held");
  HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  struct Case {
    const char* name;
    std::string from;
    uint64_t fullAfter;  // 0: the disk never fills
    DWORD error;
    bool sourceFault;
    const char* why;
  };
  const Case cases[] = {
      {"held open", held, 0, ERROR_SHARING_VIOLATION, true, "in use by another program: it cannot be read"},
      {"gone", temp / "gone.bin", 0, ERROR_FILE_NOT_FOUND, true, "the structure's file is gone"},
      {"disk full at once", big, 1, ERROR_DISK_FULL, false, "the disk is full"},
      {"disk full midway", big, 262144, ERROR_DISK_FULL, false, "the disk is full"},
      {"disk full midway in a large file", large, 3 << 20, ERROR_DISK_FULL, false, "the disk is full"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string to = temp / (std::string("copy of ") + c.name);
    g_fullAfter = c.fullAfter;
    core::SetCopyWriteFault(c.fullAfter ? DiskFills : nullptr);
    core::CopiedFile copied;
    const DWORD error = core::CopyFileRecorded(c.from, to, copied);
    core::SetCopyWriteFault(nullptr);
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(copied.sourceFault, c.sourceFault);
    EXPECT_EQ(core::CopyFailureReason(error, copied), c.why);
    EXPECT_FALSE(core::NameTakenError(error));
    EXPECT_EQ(core::DiskFullError(error), c.fullAfter != 0);
    EXPECT_FALSE(PathExists(to));
    EXPECT_FALSE(PathExists(core::TemporaryCopyPath(to)));
  }
  CloseHandle(holder);
  EXPECT_EQ(ReadFile(held), "held");
}

// The digest the undo compares is the same however the content comes in
// pieces, taken from the bytes as they are written (a large file's too, read
// ahead of its copy), and one byte changed anywhere changes it.
TEST(CopyFileRecorded, TheDigestIsTheContentsWhateverThePiecesAndForALargeFileToo) {
  const std::string content = Content(3 * 65536 + 77);
  core::ContentDigest whole;
  whole.Add(content.data(), content.size());
  for (size_t piece : {1u, 7u, 63u, 64u, 65u, 4096u, 100000u}) {
    core::ContentDigest pieces;
    for (size_t at = 0; at < content.size(); at += piece)
      pieces.Add(content.data() + at, std::min(piece, content.size() - at));
    EXPECT_EQ(pieces.Finish(), whole.Finish()) << piece;
  }
  for (size_t at : {0u, 8u, 64u, 65535u, 3 * 65536u + 76}) {
    std::string changed = content;
    changed[at] ^= 1;
    core::ContentDigest other;
    other.Add(changed.data(), changed.size());
    EXPECT_NE(other.Finish(), whole.Finish()) << at;
  }
  core::ContentDigest longer;
  longer.Add((content + std::string(1, '\0')).data(), content.size() + 1);
  EXPECT_NE(longer.Finish(), whole.Finish());

  // Every way the processor may take it gives the very same digest.
  for (core::DigestWay way : {core::DigestWay::Plain, core::DigestWay::Sse2, core::DigestWay::Avx2}) {
    core::SetDigestWay(way);
    for (size_t piece : {65u, 100000u}) {
      core::ContentDigest pieces;
      for (size_t at = 0; at < content.size(); at += piece)
        pieces.Add(content.data() + at, std::min(piece, content.size() - at));
      EXPECT_EQ(pieces.Finish(), whole.Finish()) << int(core::DigestWayTaken()) << " " << piece;
    }
  }
  core::SetDigestWay(core::DigestWay::Best);

  // The shares of runs of whole blocks, taken apart (a large file's on the
  // writer's reading thread) in any order, every way, add up to the same
  // digest, mixed with bytes given as they come.
  for (core::DigestWay way : {core::DigestWay::Plain, core::DigestWay::Sse2, core::DigestWay::Avx2}) {
    core::SetDigestWay(way);
    const size_t piece = 65536, blocks = piece / 64;
    core::ContentDigest::Part parts[3];
    for (int p = 2; p >= 0; --p) parts[p] = core::ContentDigest::PartOf(content.data() + p * piece, blocks, p * blocks);
    core::ContentDigest shares, mixed;
    for (int p = 0; p < 3; ++p) shares.AddPart(parts[p], blocks);
    shares.Add(content.data() + 3 * piece, content.size() - 3 * piece);
    mixed.Add(content.data(), piece);
    mixed.AddPart(parts[1], blocks);
    mixed.Add(content.data() + 2 * piece, content.size() - 2 * piece);
    EXPECT_EQ(shares.Finish(), whole.Finish()) << int(core::DigestWayTaken());
    EXPECT_EQ(mixed.Finish(), whole.Finish()) << int(core::DigestWayTaken());
  }
  core::SetDigestWay(core::DigestWay::Best);

  TempDir temp;
  const std::string large = temp.AddFile("large.bin", Content(9 << 20));
  core::CopiedFile copied;
  ASSERT_EQ(core::CopyFileRecorded(large, temp / "large copy.bin", copied), 0u);
  uint64_t digest = 0;
  ASSERT_TRUE(core::FileDigest(temp / "large copy.bin", digest));
  EXPECT_EQ(copied.digest, digest);
  ASSERT_TRUE(core::FileDigest(large, digest));
  EXPECT_EQ(copied.digest, digest);
  EXPECT_EQ(copied.size, uint64_t(9 << 20));
  EXPECT_EQ(ReadFile(temp / "large copy.bin"), ReadFile(large));
}

} // namespace

namespace {

// A copy is the source as it stood at one moment. A source another program
// cuts, grows or rewrites while it is copied (from the Linux side, past the
// share modes; or through a handle it held open for writing before the copy
// began) never gives the copy its real name: the copy fails with its reason
// and leaves nothing under the real name nor the temporary one. A small file
// is copied on the run's thread alone, a large one read ahead of its copy:
// both are checked.
std::function<void()> g_meanwhile;
void ChangeOnce(const std::string&, uint64_t) {
  if (!g_meanwhile) return;
  auto change = std::move(g_meanwhile);
  g_meanwhile = nullptr;
  change();
}
struct Meanwhile {
  explicit Meanwhile(std::function<void()> change) {
    g_meanwhile = std::move(change);
    core::SetCopyWriteHook(ChangeOnce);
  }
  ~Meanwhile() {
    core::SetCopyWriteHook(nullptr);
    g_meanwhile = nullptr;
  }
};

// An old last write time, so that any write shows in it.
void MakeOld(HANDLE h) {
  FILETIME old{0x10000000, 0x01D00000};
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &old));
}

TEST(CopyFileRecorded, ASourceChangedWhileItIsCopiedNeverTakesTheRealName) {
  const uint64_t small = 700000, large = 12ull << 20;
  enum How { CutOnUnixSide, GrownOnUnixSide, CutByItsWriter, RewrittenByItsWriter };
  struct Case {
    const char* name;
    How how;
    uint64_t size;
    uint64_t after;  // the source's size once changed
  };
  const Case cases[] = {
      {"a small file cut on the Linux side", CutOnUnixSide, small, 100000},
      {"a large file cut on the Linux side", CutOnUnixSide, large, 1 << 20},
      {"a small file grown on the Linux side", GrownOnUnixSide, small, small + 5000},
      {"a large file grown on the Linux side", GrownOnUnixSide, large, large + (1 << 20)},
      {"a small file cut by the program writing it", CutByItsWriter, small, 100000},
      {"a large file cut by the program writing it", CutByItsWriter, large, 10 << 20},
      {"a small file rewritten by the program writing it", RewrittenByItsWriter, small, small},
      {"a large file rewritten by the program writing it", RewrittenByItsWriter, large, large},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const bool unixSide = c.how == CutOnUnixSide || c.how == GrownOnUnixSide;
    if (unixSide && !testsupport::UnderWine()) continue;
    TempDir temp;
    const std::string from = temp.AddFile("S\\big.bin", Content(c.size)), to = temp / "copy\\big.bin";
    testsupport::MakeFolders(temp / "copy");
    // The writing program holds the file open for writing, sharing it, from before the copy.
    HANDLE writer = INVALID_HANDLE_VALUE;
    if (!unixSide) {
      writer = CreateFileA(from.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(writer, INVALID_HANDLE_VALUE);
      MakeOld(writer);
    }
    bool changed = false;
    core::CopiedFile copied;
    DWORD error = 0;
    {
      Meanwhile change([&] {
        switch (c.how) {
          case CutOnUnixSide:
          case GrownOnUnixSide: changed = testsupport::ResizeOnUnixSide(from, c.after); break;
          case CutByItsWriter: {
            LARGE_INTEGER at;
            at.QuadPart = static_cast<LONGLONG>(c.after);
            changed = SetFilePointerEx(writer, at, nullptr, FILE_BEGIN) && SetEndOfFile(writer);
            break;
          }
          case RewrittenByItsWriter: {
            DWORD written = 0;
            changed = WriteFile(writer, "new", 3, &written, nullptr) && written == 3;
            break;
          }
        }
      });
      error = core::CopyFileRecorded(from, to, copied);
    }
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    ASSERT_TRUE(changed);
    EXPECT_EQ(error, core::kErrorSourceChanged);
    EXPECT_TRUE(copied.sourceFault);
    EXPECT_EQ(core::CopyFailureReason(error, copied),
              "another program changed the structure's file while it was copied: the copy was taken away");
    EXPECT_FALSE(core::NameTakenError(error));
    EXPECT_FALSE(PathExists(to));
    EXPECT_FALSE(PathExists(core::TemporaryCopyPath(to)));
    EXPECT_EQ(testsupport::ListTree(temp / "copy"), "");
    EXPECT_EQ(ReadFile(from).size(), c.after);
  }
}

// No other program writes the source while it is read: its open for writing
// is refused until the copy is done. A program that held it open for writing
// before the copy began keeps it so, and the copy goes on, whole, while that
// program writes nothing.
TEST(CopyFileRecorded, NoOtherProgramWritesTheSourceWhileItIsReadAndOneHoldingItOpenStillLetsItBeCopied) {
  for (uint64_t size : {uint64_t(700000), uint64_t(12ull << 20)}) {
    SCOPED_TRACE(size);
    TempDir temp;
    const std::string content = Content(size);
    const std::string from = temp.AddFile("big.bin", content);
    DWORD refusal = 0;
    core::CopiedFile copied;
    {
      Meanwhile tryWriting([&] {
        HANDLE h = CreateFileA(from.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        refusal = h == INVALID_HANDLE_VALUE ? GetLastError() : 0;
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
      });
      ASSERT_EQ(core::CopyFileRecorded(from, temp / "first.bin", copied), 0u);
    }
    EXPECT_EQ(refusal, DWORD(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(ReadFile(temp / "first.bin"), content);
    HANDLE h = CreateFileA(from.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE) << "the source is free again once copied";

    // Held open for writing (h) from before the copy: read shared, and whole.
    ASSERT_EQ(core::CopyFileRecorded(from, temp / "second.bin", copied), 0u);
    EXPECT_EQ(ReadFile(temp / "second.bin"), content);
    uint64_t digest = 0;
    ASSERT_TRUE(core::FileDigest(temp / "second.bin", digest));
    EXPECT_EQ(copied.digest, digest);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
}

} // namespace
