// A copy is written under its temporary name and takes its real name only when
// whole: a copy stopped midway (the writer's test hook throws, as a killed
// program stops) leaves no cut file under a real name, and the next copy
// replaces what it left; nothing under the real name is ever replaced, and
// nothing but an unfinished copy of the program's own is taken away.
#include "core/file_copy.h"
#include "engine/treeops_fixture.h"
#include "support/wine_unix.h"

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
  TempDir temp;
  const std::string content = Content(700000);  // three pieces of the writer
  const std::string from = temp.AddFile("big.bin", content), to = temp / "copy\\big.bin";
  testsupport::MakeFolders(temp / "copy");
  const std::string temporary = core::TemporaryCopyPath(to);
  core::CopiedFile copied;
  {
    Hooked kill(1);
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

// A file put under the real name while the copy is written stays as it is; the
// copy is taken away and counts as existing.
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

// Only an unfinished copy of the program's own is taken away: a folder or a
// link under its temporary name stays, and so nothing is copied.
TEST(CopyFileRecorded, WhatIsNoUnfinishedCopyOfItsOwnStaysAndNothingIsCopied) {
  TempDir temp;
  const std::string from = temp.AddFile("a.txt", "source");
  const std::string outside = temp.AddFile("outside\\target.txt", "outside");
  struct Case {
    const char* name;
    std::function<bool(const std::string& temporary)> arrange;
    DWORD error;
  };
  const Case cases[] = {
      {"a folder", [&](const std::string& t) { return testsupport::MakeFolders(t), true; }, ERROR_ACCESS_DENIED},
      {"a link to a file",
       [&](const std::string& t) { return testsupport::UnderWine() && testsupport::MakeUnixFileSymlink(t, outside); },
       ERROR_NOT_SUPPORTED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string to = temp / (std::string(c.name) + ".txt");
    if (!c.arrange(core::TemporaryCopyPath(to))) continue;
    core::CopiedFile copied;
    EXPECT_EQ(core::CopyFileRecorded(from, to, copied), c.error);
    EXPECT_TRUE(copied.leftoverStays);
    EXPECT_FALSE(PathExists(to));
    EXPECT_TRUE(PathExists(core::TemporaryCopyPath(to)));
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
