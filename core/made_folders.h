// The folders a run makes, journaled with what its undo knows each by
// (core/file_identity.h: ItemStamp, the index and the moment of the last
// change, as the run left the folder), read as cheaply as the system allows.
//
// Where a folder's listing tells each entry's stamp as the entry's own handle
// tells it (ListingTellsStamps: under Wine, where every read through a handle
// is a round trip to the server), each folder is made with the one call
// CreateDirectoryA makes, and the stamps are read when the run ends: one
// listing of each folder holding folders the run made, asked for those names
// only. A stamp read there is taken only when the folder's last change is no
// later than the moment the run last changed it (made it, or made or wrote
// something inside it), give or take kChangeSlack: a folder removed and made
// again under its name after that, or changed by another program, is not
// known as the run's. Nor is one that listing does not show. Its stamp stays
// unknown, and the undo never removes a folder whose stamp is unknown.
//
// Elsewhere each stamp is read through the handle that makes the folder, and
// read again by its path when the run ends for a folder the run changed
// afterwards, while it is still the same folder (its index).
#pragma once
#include "core/file_identity.h"
#include "core/textutil.h"

#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace core {

// How much later than the moment the run last changed a folder its listed
// change time may be, in 100 ns units (a file system's clock and this
// program's differ by a tick or two; a network share's more, and then its
// folders' stamps stay unknown).
constexpr LONGLONG kChangeSlack = 10000000;  // one second

class MadeFolders {
public:
  // folders and stamps: the run's journal (a stamp for each folder, in the
  // same order); what the run makes is appended to both.
  MadeFolders(std::vector<std::string>& folders, std::vector<ItemStamp>& stamps);
  MadeFolders(const MadeFolders&) = delete;
  MadeFolders& operator=(const MadeFolders&) = delete;

  // MakeFolderLevels (core/textutil.h), every level made journaled.
  MakeFolderResult MakeLevels(const std::string& path, DWORD& error);
  // One folder whose parent stands, journaled when made: 0, else the
  // system's error (as CreateDirectoryA sets it).
  DWORD MakeOne(const std::string& path);
  // The run changed the folder holding path: it wrote a file there, or tried
  // to (a temporary name came and went).
  void Changed(const std::string& path);
  // Reads the stamps of the folders journaled since this object was made,
  // each as the run left it. Called once, when the run ends (done, stopped,
  // or stopped by a full disk).
  void Read();

private:
  // Journal position i was just appended: the folder and the one holding it changed now.
  void Added(size_t i);
  // The journal position of path among this run's folders (the last made,
  // for a repeat); npos when it is none of them.
  size_t Find(const std::string& path) const;
  void Touch(const std::string& folder);
  // The stamps of the run's folders in one folder, from one listing of it.
  void ReadIn(const std::string& folder, const std::vector<size_t>& positions);
  // The stamp read through a handle on the folder at position i, taken on
  // the same terms as a listed one.
  void ReadThroughHandle(size_t i);
  // Whether a stamp read for position i tells the folder the run left.
  bool AsLeft(size_t i, const ItemStamp& stamp) const;

  std::vector<std::string>& folders_;
  std::vector<ItemStamp>& stamps_;
  const size_t first_;  // the first journal position of this run
  const bool listed_;   // ListingTellsStamps()
  FolderMaker make_;
  // By position - first_: the moment right after the run last changed it,
  // and whether it changed after it was made.
  std::vector<LONGLONG> last_;
  std::vector<char> changed_;
  // Folded hash of each path -> its position (no second copy of the paths).
  std::unordered_multimap<size_t, size_t> positions_;
};

} // namespace core
