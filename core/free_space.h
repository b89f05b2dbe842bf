// The free-space query of a drive as a small service the engines ask. The
// system answers by default; a test installs its own answers.
#pragma once
#include <cstdint>
#include <string>

namespace core {

struct DiskSpace {
  bool known = false;        // false: the query failed, the numbers mean nothing
  uint64_t freeToCaller = 0;
  uint64_t total = 0;
  uint64_t totalFree = 0;
};

class FreeSpaceService {
public:
  virtual ~FreeSpaceService() = default;
  // The space of the drive whose root is rootPath ("c:\", "\\server\share\");
  // by default GetDiskFreeSpaceExA.
  virtual DiskSpace Query(const std::string& rootPath);
};

// The service in force (the system's unless one was installed).
FreeSpaceService& FreeSpace();
// Installs a service (nullptr: back to the system's). Returns the previous one
// (nullptr when that was the system's).
FreeSpaceService* InstallFreeSpaceService(FreeSpaceService* service);

} // namespace core
