// A free-space service for tests: answers the drive roots it was given and
// asks the system for any other; records every root asked. It is in force
// from construction to destruction.
#pragma once
#include "core/free_space.h"

#include <map>
#include <string>
#include <vector>

namespace testsupport {

class ScriptFreeSpace : public core::FreeSpaceService {
public:
  // roots: where the asked roots are recorded (nullptr: in askedRoots).
  explicit ScriptFreeSpace(std::vector<std::string>* roots = nullptr);
  ~ScriptFreeSpace() override;
  ScriptFreeSpace(const ScriptFreeSpace&) = delete;
  ScriptFreeSpace& operator=(const ScriptFreeSpace&) = delete;

  // Free space reported for a drive root ("C:\"), letter case ignored.
  void Set(const std::string& root, core::DiskSpace space);
  core::DiskSpace Query(const std::string& rootPath) override;

  std::vector<std::string> askedRoots;

private:
  std::vector<std::string>* roots_;
  core::FreeSpaceService* previous_;
  std::map<std::string, core::DiskSpace> answers_;
};

} // namespace testsupport
