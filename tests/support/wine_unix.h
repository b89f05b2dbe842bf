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

// A folder made on the Linux side at the Windows path folder (its parent must
// exist): its name is taken exactly as written, beside a folder whose name
// differs in letter case only, which Windows calls would take for that one.
// False when not possible.
bool MakeUnixFolder(const std::string& folder);
// Whether folder's listing holds an entry spelled exactly name.
bool ListedExactly(const std::string& folder, const std::string& name);

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

private:
  char letter_ = 0;
  std::string link_;
};

} // namespace testsupport
