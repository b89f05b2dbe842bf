// Reaching the Linux side under Wine (elsewhere everything here answers "not possible").
#pragma once
#include <string>

namespace testsupport {

// True when running under Wine.
bool UnderWine();
// The Linux path of a Windows path under Wine; empty elsewhere.
std::string UnixPathOf(const std::string& path);
// Starts a Linux program by absolute path; it cannot be waited on, so callers poll.
bool RunUnix(const std::string& commandLine);
// Polls (about ten seconds at most) until something exists at path, or nothing; true when so.
bool WaitForPath(bool exists, const std::string& path);
// A Linux symbolic link at linkPath to the folder target, shown by Wine as a reparse
// point; false when not possible. File targets are refused (deleting one deletes its target).
bool MakeUnixSymlink(const std::string& linkPath, const std::string& target);
// The same to a file. Wine shows it as a plain file and deletes its target when
// asked to delete it: the target must lie in a test folder that goes too.
bool MakeUnixFileSymlink(const std::string& linkPath, const std::string& target);

// A link at linkPath to targetPath, a file made for it and removed right
// after: a link whose target is missing (as one to a file on a drive not
// mounted). Under Wine no listing shows it and no look-up finds it, yet its
// name is taken. targetPath must lie in a test folder; writing a file there
// again brings the link's target back. False when not possible.
bool MakeUnixDanglingLink(const std::string& linkPath, const std::string& targetPath);

// Makes an entry named name (UTF-8, any Linux name: "..\\x", "CON", "α.txt",
// a trailing blank ...) in folder, from the Linux side, and waits until the
// listing shows it: an empty file, or a folder. False when not possible.
bool MakeUnixEntry(const std::string& folder, const std::string& name, bool asFolder);
// Runs a shell script (UTF-8) in folder on the Linux side, to make many odd
// entries at once, and waits (about a minute at most) until the listing of
// folder shows the entry named last (UTF-8), the script's last. False when
// not possible.
bool RunUnixScriptIn(const std::string& folder, const std::string& script, const std::string& last);
// Whether folder's listing shows an entry named name (UTF-8), by its Unicode name.
bool ListsEntry(const std::string& folder, const std::string& name);
// Cuts or grows the file at path to size bytes from the Linux side (as another
// program would, past any share mode of the Windows side) and waits until its
// size shows. False when not possible.
bool ResizeOnUnixSide(const std::string& path, unsigned long long size);
// Renames (moves) from to to on the Linux side (both Windows paths of plain
// names) and waits until to is there.
bool MoveOnUnixSide(const std::string& from, const std::string& to);

// The file system's immutable flag (chattr +i, as root on ext4) on a folder
// while the object lives: nothing in it can be added, removed or renamed.
// Under Wine a removal of an item inside it is taken and fails silently when
// the item's handle closes, as on a medium turned read-only. The flag goes
// when the object goes, before the temp folder holding it does (declare the
// object after that TempDir), also when the test fails. Made() is false where
// the flag cannot be set (not under Wine, not root, another file system): the
// caller says so and skips.
class ImmutableFolder {
public:
  explicit ImmutableFolder(const std::string& folder);
  ~ImmutableFolder();
  ImmutableFolder(const ImmutableFolder&) = delete;
  ImmutableFolder& operator=(const ImmutableFolder&) = delete;
  bool Made() const { return made_; }

private:
  // Runs chattr with flag ("+i", "-i") on the folder and waits for its exit
  // status; true when it exited 0.
  bool Chattr(const char* flag);
  std::string unixFolder_;
  std::string marks_;  // a folder of its own for chattr's exit status
  bool made_ = false;
};

// A spare drive letter naming folder while the object lives (0 when none could be mapped),
// so a test can aim at a drive root that holds nothing of the machine.
class MappedDrive {
public:
  explicit MappedDrive(const std::string& folder);
  ~MappedDrive();
  MappedDrive(const MappedDrive&) = delete;
  MappedDrive& operator=(const MappedDrive&) = delete;
  char Letter() const { return letter_; }
  // "Q:\" (empty when not mapped).
  std::string Root() const;
  // Makes the letter name folder instead (its link replaced from the Linux
  // side, as one could while a run waits), and waits until every process
  // names it so; false when not possible.
  bool Remap(const std::string& folder);

private:
  char letter_ = 0;
  std::string link_;
};

} // namespace testsupport
