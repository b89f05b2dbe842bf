// The level builder: collects the subfolders of one or more root folders by
// their level below the root (1 = a direct subfolder): from one level to
// another, above a level or below a level, taking every folder in that range
// ("All in the Path") or only the last folder of each branch within it ("Only
// the Last"), optionally only folders whose own name holds a given text.
#pragma once
#include "core/folder_listing.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace core {

class LevelCopy {
public:
  enum : uint32_t { ModeFromTo = 1, ModeAbove = 2, ModeBelow = 3 };
  // Add modes: 1 keeps only the last folder of each branch, any other value all.
  enum : uint32_t { AddOnlyTheLast = 1, AddAllInThePath = 2 };

  // Roots are walked in list order. Until a level rule is set the rule is
  // From-To 1 to 1 (the direct subfolders), with "Only the Last".
  explicit LevelCopy(const std::deque<std::string>& roots);

  // Level rules. Numbers come as typed (signed); a number below its minimum
  // (From and To 1, Above 1, Below 0) is refused and the run gives an empty
  // result, as does From greater than To. They return false in those cases.
  bool SetFromTo(int32_t from, int32_t to);
  bool SetAbove(int32_t level);
  bool SetBelow(int32_t level);
  void SetAddMode(uint32_t mode) { addMode_ = mode; }
  // Keeps only folders whose own name (not the parent part) contains filter,
  // letter case ignored; one trailing backslash of the filter is dropped. An
  // empty filter keeps every folder.
  void SetNameFilter(const std::string& filter);

  // Walks every root and fills the result: roots in list order, within a root
  // level by level, within a level in listing order.
  void Run();
  std::deque<std::string> GetResultList() const { return result_; }
  // Subfolders the walk met whose names no path reaches (never listed, never
  // entered), with why.
  const std::vector<KeptPath>& GetKeptFolders() const { return kept_; }

private:
  enum class Take { No, Yes, IfLeaf };
  struct Slot {
    std::string path;
    bool keep;
  };
  struct Pending {
    uint32_t relative;
    std::string path;
    int64_t leafSlot; // slot waiting for this folder's leaf test, or -1
  };
  void SetRule(uint32_t mode, int32_t from, int32_t to, int32_t above, int32_t below);
  void WalkRoot(const std::string& root);
  Take Decide(uint32_t relative) const;
  bool Descend(uint32_t relative) const;
  bool PassesFilter(const std::string& folder) const;

  uint32_t mode_ = ModeFromTo;
  uint32_t from_ = 1;
  uint32_t to_ = 1;
  uint32_t above_ = 0;
  uint32_t below_ = 0;
  bool refused_ = false; // the levels given cannot list anything
  uint32_t addMode_ = AddOnlyTheLast;
  std::deque<std::string> roots_;
  std::deque<std::string> result_;
  std::string nameFilter_;
  std::vector<Slot> slots_; // one root's result while leaf tests are pending
  std::vector<KeptPath> kept_;
};

} // namespace core
