#include "support/free_space_script.h"

#include "core/casefold.h"

namespace testsupport {

ScriptFreeSpace::ScriptFreeSpace() : previous_(core::InstallFreeSpaceService(this)) {}

ScriptFreeSpace::~ScriptFreeSpace() { core::InstallFreeSpaceService(previous_); }

void ScriptFreeSpace::Set(const std::string& root, core::DiskSpace space) { answers_[core::FoldCase(root)] = space; }

core::DiskSpace ScriptFreeSpace::Query(const std::string& rootPath) {
  askedRoots.push_back(rootPath);
  auto it = answers_.find(core::FoldCase(rootPath));
  if (it != answers_.end()) return it->second;
  return core::FreeSpaceService::Query(rootPath);
}

} // namespace testsupport
