// A folder of the test's own inside the machine's Windows folder (a file and
// a subfolder with a file in it), for proving that no road leads a rename,
// delete or copy into the Windows folder; and the other spellings that reach
// a folder under Wine (Z: naming the Linux tree). The object removes only its
// own folder, and refuses to remove anything else.
#pragma once
#include <string>

namespace testsupport {

class WindowsDecoy {
public:
  WindowsDecoy();
  ~WindowsDecoy();
  WindowsDecoy(const WindowsDecoy&) = delete;
  WindowsDecoy& operator=(const WindowsDecoy&) = delete;
  bool Made() const { return made_; }
  // The Windows folder as the system names it ("C:\windows"), and the decoy in it.
  const std::string& Windows() const { return windows_; }
  const std::string& Path() const { return path_; }
  const std::string& Name() const { return name_; }
  // Writes a file below the decoy (making its folders); returns its full path.
  std::string AddFile(const std::string& relative, const std::string& content) const;
  // Every entry below the decoy with each file's content: what must stay byte for byte.
  std::string Picture() const;

private:
  std::string windows_, name_, path_;
  bool made_ = false;
};

// The same folder spelt through the Z: drive, which Wine maps to the Linux root
// (its Linux path with backslashes); empty where there is none, or where the
// spelling does not lead to the very same folder.
std::string ZSpelling(const std::string& path);

} // namespace testsupport
