// Reaching the Linux side when the tests run under Wine: the Linux path of a
// Windows path, starting Linux programs, and making symbolic links that Wine
// shows as reparse points. Everything here answers "not possible" elsewhere.
#pragma once
#include <string>

namespace testsupport {

// True when running under Wine.
bool UnderWine();
// The Linux path of a Windows path under Wine; empty elsewhere.
std::string UnixPathOf(const std::string& path);
// Starts a Linux program given by absolute path (Wine runs Unix binaries). Its
// process handle cannot be waited on, so callers poll for the effect.
bool RunUnix(const std::string& commandLine);
// Polls (up to about ten seconds) until something exists at path, or until
// nothing does; true when that happened.
bool WaitForPath(bool exists, const std::string& path);
// Makes a Linux symbolic link at linkPath (a Windows path whose folder exists)
// pointing at the folder target; false when that is not possible here. Wine
// shows such a link as a folder with FILE_ATTRIBUTE_REPARSE_POINT. Links to
// files are refused: Wine shows them as plain files, and DeleteFile on one
// deletes its target.
bool MakeUnixSymlink(const std::string& linkPath, const std::string& target);

// A spare drive letter that names folder while the object lives: a link in
// the Wine prefix's drive folder, so a test can aim at a drive root that holds
// nothing of the machine. Letter() is 0 when no letter could be mapped.
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
