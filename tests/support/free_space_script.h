// A free-space service for tests, in force while it lives: answers the drive
// roots it was given, asks the system for any other, records every root asked.
#pragma once
#include "core/free_space.h"

#include <map>
#include <string>
#include <vector>

namespace testsupport {

class ScriptFreeSpace : public core::FreeSpaceService {
public:
  ScriptFreeSpace();
  ~ScriptFreeSpace() override;
  ScriptFreeSpace(const ScriptFreeSpace&) = delete;
  ScriptFreeSpace& operator=(const ScriptFreeSpace&) = delete;

  // Free space reported for a drive root ("C:\"), letter case ignored.
  void Set(const std::string& root, core::DiskSpace space);
  core::DiskSpace Query(const std::string& rootPath) override;

  std::vector<std::string> askedRoots;

private:
  core::FreeSpaceService* previous_;
  std::map<std::string, core::DiskSpace> answers_;
};

} // namespace testsupport
