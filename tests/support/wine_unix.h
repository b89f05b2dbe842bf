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

} // namespace testsupport
