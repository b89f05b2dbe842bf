// A fresh folder under the Windows temp directory, removed with everything in
// it (read-only files included) when the object goes.
#pragma once
#include <string>
#include <vector>

namespace testsupport {

class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // The folder, without a trailing backslash.
  const std::string& Path() const { return path_; }
  // Path() + "\" + relative.
  std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }
  // Makes the folder relative (with its missing parents); returns its full path.
  std::string AddFolder(const std::string& relative) const;
  // Writes the file relative (making its folder); returns its full path.
  std::string AddFile(const std::string& relative, const std::string& content) const;

private:
  std::string path_;
};

// Creates a folder with all its missing parents.
void MakeFolders(const std::string& path);
// Writes a file (creating its folder), replacing any old one, read-only or
// hidden ones included; throws when that fails.
void WriteFile(const std::string& path, const std::string& content);
std::string ReadFile(const std::string& path);
bool FolderExists(const std::string& path);
bool FileExists(const std::string& path);
// Whether anything (file or folder) is at path.
bool PathExists(const std::string& path);
// Removes a folder and everything in it, never entering a link (reparse point)
// nor deleting through one; Linux links Wine cannot remove (to files as well
// as folders) are removed on the Linux side, their targets untouched.
void RemoveTree(const std::string& path);
// Every file and folder below root, relative, folders ending in "\", sorted.
std::string ListTree(const std::string& root);
// The names the system's own search of folder + "\" + pattern gives, sorted
// ("." and ".." left out). It matches 8.3 aliases too: a test of the program's
// long-name matching first makes sure the alias it means to dodge matches here.
std::vector<std::string> SearchNames(const std::string& folder, const std::string& pattern);
// The current directory, as GetCurrentDirectoryA gives it.
std::string CurrentDirectory();

} // namespace testsupport
