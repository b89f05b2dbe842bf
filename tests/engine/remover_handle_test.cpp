// The system's remover deletes and renames through the handle its place check
// opened. Each call must answer as the call by name always did: a read-only
// file and a folder that is not empty stay and say why, a folder is no file and
// a file no folder, a rename never lands on an existing item; and a link, to a
// file or to a folder, stays with its target byte for byte as it was. The
// copy run's one-pass copy keeps what a copy by name keeps and records what
// its undo compares.
#include "core/file_copy.h"
#include "core/remover.h"
#include "engine/treeops_fixture.h"
#include "support/wine_unix.h"

using testsupport::MakeUnixFileSymlink;
using testsupport::MakeUnixSymlink;
using testsupport::PathExists;
using testsupport::TempDir;
using treetest::Snapshot;

namespace {

TEST(SystemRemover, DeletesThroughTheCheckedHandleAndRefusesAsTheCallsByName) {
  TempDir temp;
  temp.AddFile("plain.txt", "p");
  temp.AddFile("readonly.txt", "r");
  ASSERT_TRUE(SetFileAttributesA((temp / "readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  temp.AddFolder("empty");
  temp.AddFile("full\\x.txt", "x");
  temp.AddFile("filehere.txt", "f");
  struct Case {
    const char* name;
    bool folder;   // RemoveFolder, else RemoveFile
    DWORD error;   // the answer
    bool stays;
  };
  const Case cases[] = {
      {"plain.txt", false, 0, false},
      {"readonly.txt", false, ERROR_ACCESS_DENIED, true},
      {"empty", true, 0, false},
      {"full", true, ERROR_DIR_NOT_EMPTY, true},
      {"full", false, ERROR_ACCESS_DENIED, true},         // a folder is no file
      {"filehere.txt", true, ERROR_DIRECTORY, true},      // a file is no folder
      {"missing.txt", false, ERROR_FILE_NOT_FOUND, false},
  };
  core::SystemRemover remover;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = temp / c.name;
    const DWORD error = c.folder ? remover.RemoveFolder(path) : remover.RemoveFile(path);
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(PathExists(path), c.stays);
  }
  EXPECT_TRUE(PathExists(temp / "full\\x.txt"));
  SetFileAttributesA((temp / "readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(SystemRemover, RenamesThroughTheCheckedHandleNeverOverAnItem) {
  TempDir temp;
  temp.AddFile("a\\inner.txt", "a");
  temp.AddFolder("b");
  temp.AddFile("c\\inner.txt", "c");
  core::SystemRemover remover;
  // Straight, and after the run's own check (which keeps the item open).
  EXPECT_EQ(remover.Rename(temp / "a", temp / "a2"), 0u);
  EXPECT_TRUE(PathExists(temp / "a2\\inner.txt"));
  EXPECT_FALSE(PathExists(temp / "a"));
  ASSERT_TRUE(remover.LocateToChange(temp / "a2").Here());
  EXPECT_EQ(remover.Rename(temp / "a2", temp / "a3"), 0u);
  EXPECT_TRUE(PathExists(temp / "a3\\inner.txt"));
  // Never over an existing item, whichever road.
  EXPECT_EQ(remover.Rename(temp / "c", temp / "b"), DWORD(ERROR_ALREADY_EXISTS));
  ASSERT_TRUE(remover.LocateToChange(temp / "c").Here());
  EXPECT_EQ(remover.Rename(temp / "c", temp / "a3"), DWORD(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(PathExists(temp / "c\\inner.txt"));
  EXPECT_TRUE(PathExists(temp / "a3\\inner.txt"));
  // A checked item the run left alone is let go at the next check: removed
  // by another road, it is gone at once.
  ASSERT_TRUE(remover.LocateToChange(temp / "b").Here());
  ASSERT_TRUE(remover.LocateToChange(temp / "c").Here());
  core::SystemRemover other;
  EXPECT_EQ(other.RemoveFolder(temp / "b"), 0u);
  EXPECT_FALSE(PathExists(temp / "b"));
  // A file the run checked as a folder's rename is no file to delete.
  ASSERT_TRUE(remover.LocateToChange(temp / "a3").Here());
  EXPECT_EQ(remover.RemoveFile(temp / "a3"), DWORD(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(PathExists(temp / "a3\\inner.txt"));
}

// Data in a second temp folder that links point into: no call may change it.
struct Outside {
  Outside() {
    dir.AddFile("data.txt", "outside data, byte for byte");
    dir.AddFile("dir\\inner.txt", "outside inner");
    before = Snapshot(dir.Path());
  }
  std::string operator/(const std::string& name) const { return dir / name; }
  std::string Now() const { return Snapshot(dir.Path()); }
  TempDir dir;
  std::string before;
};

TEST(SystemRemover, LinksStayWithTheirTargetsOnEveryCall) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "links are made with the Unix ln";
  Outside outside;
  TempDir temp;
  ASSERT_TRUE(MakeUnixFileSymlink(temp / "filelink.txt", outside / "data.txt"));
  ASSERT_TRUE(MakeUnixSymlink(temp / "dirlink", outside / "dir"));
  for (const std::string& link : {temp / "filelink.txt", temp / "dirlink"}) {
    SCOPED_TRACE(link);
    core::SystemRemover remover;
    EXPECT_EQ(remover.RemoveFile(link), DWORD(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(remover.RemoveFolder(link), DWORD(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(remover.Rename(link, temp / "moved"), DWORD(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(remover.LocateToChange(link).error, DWORD(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(remover.RemoveFile(link), DWORD(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(remover.LocateToChange(link).error, DWORD(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(remover.Rename(link, temp / "moved"), DWORD(ERROR_NOT_SUPPORTED));
    EXPECT_TRUE(PathExists(link));
    EXPECT_FALSE(PathExists(temp / "moved"));
  }
  EXPECT_EQ(outside.Now(), outside.before);
}

// A check that only read (Locate) is no licence for a later removal: an item
// swapped for a link after it was looked at (the undo reads a file's whole
// content between the two) is checked again by the removal, and stays.
TEST(SystemRemover, AnItemSwappedForALinkAfterItWasLookedAtStays) {
  if (!testsupport::UnderWine()) GTEST_SKIP() << "links are made with the Unix ln";
  Outside outside;
  TempDir temp;
  const std::string file = temp.AddFile("copied.txt", "copied"), folder = temp.AddFolder("made");
  core::SystemRemover remover;
  ASSERT_TRUE(remover.Locate(file).Here());
  ASSERT_TRUE(DeleteFileA(file.c_str()));
  ASSERT_TRUE(MakeUnixFileSymlink(file, outside / "data.txt"));
  EXPECT_EQ(remover.RemoveFile(file), DWORD(ERROR_NOT_SUPPORTED));
  ASSERT_TRUE(remover.Locate(folder).Here());
  ASSERT_TRUE(RemoveDirectoryA(folder.c_str()));
  ASSERT_TRUE(MakeUnixSymlink(folder, outside / "dir"));
  EXPECT_EQ(remover.RemoveFolder(folder), DWORD(ERROR_NOT_SUPPORTED));
  EXPECT_TRUE(PathExists(file));
  EXPECT_TRUE(PathExists(folder));
  EXPECT_EQ(outside.Now(), outside.before);
}

TEST(CopyFileRecorded, CopiesAsTheCallByNameAndRecordsWhatTheUndoCompares) {
  TempDir temp;
  std::string content(700000, '\0');  // more than one read
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 + i / 1000);
  const std::string big = temp.AddFile("big.bin", content);
  const std::string locked = temp.AddFile("locked.txt", "read-only content");
  FILETIME old{};
  SYSTEMTIME when{2001, 2, 0, 3, 4, 5, 6, 0};
  SystemTimeToFileTime(&when, &old);
  for (const std::string& path : {big, locked}) {
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    SetFileTime(h, nullptr, nullptr, &old);
    CloseHandle(h);
  }
  ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
  for (const char* name : {"big.bin", "locked.txt"}) {
    SCOPED_TRACE(name);
    const std::string from = temp / name, to = temp / (std::string("copy of ") + name);
    core::CopiedFile copied;
    ASSERT_EQ(core::CopyFileRecorded(from, to, copied), 0u);
    EXPECT_EQ(testsupport::ReadFile(to), testsupport::ReadFile(from));
    WIN32_FILE_ATTRIBUTE_DATA source{}, copy{};
    ASSERT_TRUE(GetFileAttributesExA(from.c_str(), GetFileExInfoStandard, &source));
    ASSERT_TRUE(GetFileAttributesExA(to.c_str(), GetFileExInfoStandard, &copy));
    EXPECT_EQ(CompareFileTime(&copy.ftLastWriteTime, &source.ftLastWriteTime), 0);
    EXPECT_EQ(CompareFileTime(&copy.ftLastWriteTime, &copied.written), 0);
    EXPECT_EQ(copy.dwFileAttributes & FILE_ATTRIBUTE_READONLY, source.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(copied.size, testsupport::ReadFile(from).size());
    uint64_t digest = 0;
    ASSERT_TRUE(core::FileDigest(to, digest));
    EXPECT_TRUE(copied.digested);
    EXPECT_EQ(copied.digest, digest);
    // Never over an existing item, which stays as it was.
    const std::string before = testsupport::ReadFile(big);
    EXPECT_EQ(core::CopyFileRecorded(from, big, copied), DWORD(ERROR_FILE_EXISTS));
    EXPECT_EQ(testsupport::ReadFile(big), before);
    SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
  core::CopiedFile copied;
  EXPECT_EQ(core::CopyFileRecorded(temp / "missing.txt", temp / "made.txt", copied), DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(PathExists(temp / "made.txt"));
}

} // namespace
