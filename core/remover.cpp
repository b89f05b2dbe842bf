#include "core/remover.h"

namespace core {

namespace {

DWORD Done(BOOL ok) {
  if (ok) return 0;
  const DWORD error = GetLastError();
  return error ? error : ERROR_GEN_FAILURE;
}

// Opens path as a link; INVALID_HANDLE_VALUE (error set) unless the handle
// shows the link itself.
HANDLE OpenAsLink(const std::string& path, DWORD access, DWORD& error) {
  HANDLE h = CreateFileA(path.c_str(), access | FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    error = GetLastError();
    return h;
  }
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!GetFileInformationByHandleEx(h, FileAttributeTagInfo, &tag, sizeof tag) ||
      !(tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    CloseHandle(h);
    error = ERROR_NOT_SUPPORTED;  // opened through the link: never deleted
    return INVALID_HANDLE_VALUE;
  }
  error = 0;
  return h;
}

} // namespace

ItemLocation SystemRemover::Locate(const std::string& path) {
  answer_ = check_.Of(path);
  located_ = path;
  return answer_;
}

ItemLocation SystemRemover::Checked(const std::string& path) {
  if (!located_.empty() && path == located_) {
    located_.clear();
    return answer_;
  }
  located_.clear();
  return check_.Of(path);
}

DWORD SystemRemover::RemoveFile(const std::string& path) {
  const ItemLocation at = Checked(path);
  return at.Here() ? Done(DeleteFileA(path.c_str())) : at.error;
}

DWORD SystemRemover::RemoveFolder(const std::string& path) {
  const ItemLocation at = Checked(path);
  return at.Here() ? Done(RemoveDirectoryA(path.c_str())) : at.error;
}

DWORD SystemRemover::RemoveLink(const std::string& path) {
  const ItemLocation at = Checked(path);
  if (!at.Here()) return at.error;
  DWORD error = 0;
  HANDLE h = OpenAsLink(path, DELETE, error);
  if (h == INVALID_HANDLE_VALUE) return error;
  FILE_DISPOSITION_INFO disposition{TRUE};
  error = Done(SetFileInformationByHandle(h, FileDispositionInfo, &disposition, sizeof disposition));
  CloseHandle(h);
  return error;
}

DWORD SystemRemover::Rename(const std::string& from, const std::string& to) {
  const ItemLocation at = Checked(from);
  if (!at.Here()) return at.error;
  const DWORD error = Done(MoveFileA(from.c_str(), to.c_str()));
  if (error == 0) check_.Forget(from);
  return error;
}

DWORD LinkRemovable(const std::string& path) {
  DWORD error = 0;
  HANDLE h = OpenAsLink(path, 0, error);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  return error;
}

} // namespace core
