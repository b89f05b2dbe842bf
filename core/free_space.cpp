#include "core/free_space.h"

#include <windows.h>

namespace core {

namespace {
FreeSpaceService g_systemService;
FreeSpaceService* g_service = &g_systemService;
} // namespace

DiskSpace FreeSpaceService::Query(const std::string& rootPath) {
  DiskSpace d;
  ULARGE_INTEGER freeToCaller, total, totalFree;
  if (GetDiskFreeSpaceExA(rootPath.c_str(), &freeToCaller, &total, &totalFree)) {
    d.known = true;
    d.freeToCaller = freeToCaller.QuadPart;
    d.total = total.QuadPart;
    d.totalFree = totalFree.QuadPart;
  }
  return d;
}

FreeSpaceService& FreeSpace() { return *g_service; }

FreeSpaceService* InstallFreeSpaceService(FreeSpaceService* service) {
  FreeSpaceService* previous = g_service;
  g_service = service ? service : &g_systemService;
  return previous == &g_systemService ? nullptr : previous;
}

} // namespace core
