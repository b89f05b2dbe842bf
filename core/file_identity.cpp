#include "core/file_identity.h"

namespace core {

bool IdentityOf(HANDLE handle, FileIdentity& identity, DWORD* attributes) {
  identity = FileIdentity();
  BY_HANDLE_FILE_INFORMATION info{};
  if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &info)) return false;
  identity.volume = info.dwVolumeSerialNumber;
  identity.indexHigh = info.nFileIndexHigh;
  identity.indexLow = info.nFileIndexLow;
  identity.known = true;
  if (attributes) *attributes = info.dwFileAttributes;
  return true;
}

HANDLE OpenForIdentity(const std::string& path) {
  return CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

bool IdentityAt(const std::string& path, FileIdentity& identity, DWORD* attributes) {
  identity = FileIdentity();
  HANDLE h = OpenForIdentity(path);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool ok = IdentityOf(h, identity, attributes);
  CloseHandle(h);
  return ok;
}

} // namespace core
