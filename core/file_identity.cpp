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

namespace {

struct InternalInformation {
  LARGE_INTEGER index;
};
constexpr auto kInternalInformation = static_cast<FILE_INFORMATION_CLASS>(6);
constexpr auto kBasicInformation = static_cast<FILE_INFORMATION_CLASS>(4);
// FILE_BASIC_INFORMATION of the system's own interface.
struct BasicInformation {
  LARGE_INTEGER creation, lastAccess, lastWrite, change;
  ULONG attributes;
};

} // namespace

bool StampOf(HANDLE handle, ItemStamp& stamp) {
  stamp = ItemStamp();
  InternalInformation internal{};
  BasicInformation basic{};
  IO_STATUS_BLOCK status{};
  if (handle == INVALID_HANDLE_VALUE ||
      NtQueryInformationFile(handle, &status, &internal, sizeof internal, kInternalInformation) != 0 ||
      NtQueryInformationFile(handle, &status, &basic, sizeof basic, kBasicInformation) != 0)
    return false;
  stamp.indexHigh = static_cast<DWORD>(internal.index.HighPart);
  stamp.indexLow = internal.index.LowPart;
  stamp.changed = basic.change.QuadPart;
  stamp.known = true;
  return true;
}

bool StampAt(const std::string& path, ItemStamp& stamp) {
  stamp = ItemStamp();
  HANDLE h = OpenForIdentity(path);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool ok = StampOf(h, stamp);
  CloseHandle(h);
  return ok;
}

namespace {
FolderMakeFault g_folderMakeFault = nullptr;
} // namespace

void SetFolderMakeFault(FolderMakeFault fault) { g_folderMakeFault = fault; }

DWORD CreateFolder(const std::string& path) {
  if (g_folderMakeFault)
    if (const DWORD fault = g_folderMakeFault(path)) return fault;
  if (CreateDirectoryA(path.c_str(), nullptr)) return 0;
  const DWORD error = GetLastError();
  return error ? error : ERROR_GEN_FAILURE;
}

namespace {
bool UnderWine() {
  // Wine's own system library names its version; Windows' does not.
  static const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return wine;
}
} // namespace

bool ListingTellsStamps() { return UnderWine(); }

bool VolumeFollowsDrive() { return UnderWine(); }

DWORD CreateFolderStamped(const std::string& path, ItemStamp& stamp) {
  stamp = ItemStamp();
  if (g_folderMakeFault)
    if (const DWORD fault = g_folderMakeFault(path)) return fault;
  // The path as CreateDirectoryA takes it: at most MAX_PATH - 1 characters of
  // this code page, turned into the object's name by the system's own rule.
  if (path.size() >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
  const int chars = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (chars <= 0) return ERROR_INVALID_NAME;
  std::wstring wide(static_cast<size_t>(chars), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], chars);
  UNICODE_STRING name{};
  if (!RtlDosPathNameToNtPathName_U(wide.c_str(), &name, nullptr, nullptr)) return ERROR_PATH_NOT_FOUND;
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
  IO_STATUS_BLOCK status{};
  HANDLE h = INVALID_HANDLE_VALUE;
  const NTSTATUS made = NtCreateFile(&h, FILE_READ_ATTRIBUTES | SYNCHRONIZE, &attributes, &status, nullptr,
                                     FILE_ATTRIBUTE_NORMAL, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     FILE_CREATE, FILE_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
  RtlFreeUnicodeString(&name);
  if (made != 0) {
    const DWORD error = RtlNtStatusToDosError(made);
    return error ? error : ERROR_GEN_FAILURE;
  }
  StampOf(h, stamp);
  CloseHandle(h);
  return 0;
}

} // namespace core
