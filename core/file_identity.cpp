#include "core/file_identity.h"

#include <winternl.h>

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

bool IndexOf(HANDLE handle, DWORD volume, FileIdentity& identity) {
  identity = FileIdentity();
  struct {
    LARGE_INTEGER index;
  } internal{};
  IO_STATUS_BLOCK status{};
  constexpr auto kInternalInformation = static_cast<FILE_INFORMATION_CLASS>(6);
  if (handle == INVALID_HANDLE_VALUE ||
      NtQueryInformationFile(handle, &status, &internal, sizeof internal, kInternalInformation) != 0)
    return false;
  identity.volume = volume;
  identity.indexHigh = static_cast<DWORD>(internal.index.HighPart);
  identity.indexLow = internal.index.LowPart;
  identity.known = true;
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
