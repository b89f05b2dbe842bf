// Shared by the rename, delete and copy engine tests: a byte-for-byte picture
// of a temp tree, the guard that keeps every rename or delete target inside
// the test's own temp folder, and a delete simulated, then run.
#pragma once
#include "core/casefold.h"
#include "core/folder_listing.h"
#include "core/remover.h"
#include "support/temp_dir.h"
#include "treeops/copy_engine.h"
#include "treeops/delete_engine.h"
#include "treeops/tree_target.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <deque>
#include <stdexcept>
#include <string>

namespace treetest {

// Every entry below root (never entering a link): path, attributes, size, time,
// and the content of each file. folderTimes false leaves out the times of
// folders (a rename and its undo change their parents' times).
inline std::string Snapshot(const std::string& root, bool folderTimes = true, const std::string& relative = "") {
  std::string out;
  // A name no path reaches is shown as listed, never entered or read.
  const std::string listed = relative.empty() ? root : root + "\\" + relative.substr(0, relative.size() - 1);
  core::ForEachFolderEntry(listed, "*", [&](const WIN32_FIND_DATAA& fd) {
    const std::string path = relative + fd.cFileName;
    const bool folder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    out += path + " " + std::to_string(fd.dwFileAttributes) + " " + std::to_string(fd.nFileSizeLow) + " " +
           (folder && !folderTimes ? std::string() : std::to_string(fd.ftLastWriteTime.dwLowDateTime)) + "\n";
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return;
    if (folder) out += Snapshot(root, folderTimes, path + "\\");
    else out += testsupport::ReadFile(root + "\\" + path) + "\n";
  }, [&](const core::KeptEntry& kept) { out += relative + kept.name + " kept " + std::to_string(kept.size) + "\n"; });
  return out;
}

// The lines relative to the temp folder made full; throws for any line that
// would reach outside it (a test never aims at anything else).
inline std::deque<std::string> Inside(const testsupport::TempDir& temp, const std::deque<std::string>& relative,
                                      const std::string& alsoAllowed = "") {
  std::deque<std::string> lines;
  for (const std::string& r : relative) {
    const bool absolute = r.size() > 1 && (r[1] == ':' || r[0] == '\\');
    const std::string line = absolute ? r : temp.Path() + "\\" + r;
    std::string text = line;
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.erase(0, 1);
    for (char& c : text) if (c == '/') c = '\\';
    char full[MAX_PATH * 2];
    const DWORD n = GetFullPathNameA(text.c_str(), sizeof full, full, nullptr);
    const std::string resolved = n > 0 && n < sizeof full ? std::string(full) : text;
    auto within = [&](const std::string& p) {
      return treeops::SameOrInside(p, temp.Path()) ||
             (!alsoAllowed.empty() && core::SameText(p.substr(0, alsoAllowed.size()), alsoAllowed));
    };
    const bool device = resolved.compare(0, 4, "\\\\.\\") == 0;
    if (!within(text) || (!device && !within(resolved)))
      throw std::runtime_error("a test target outside the test's temp folder: " + line);
    lines.push_back(line);
  }
  return lines;
}

// The remover an engine is handed in a test: it does what the system's does and
// counts the calls, except in a simulation, where any call is a failure (a
// simulation never removes or renames anything) and nothing is done.
class TestRemover : public core::Remover {
public:
  explicit TestRemover(bool simulation) : simulation_(simulation) {}
  int Calls() const { return calls_; }
  core::ItemLocation Locate(const std::string& path) override { return system_.Locate(path); }  // reads only
  core::ItemLocation ListRoad(const std::string& folder, bool absentCloses = true) override {
    return system_.ListRoad(folder, absentCloses);
  }
  void Protect(std::shared_ptr<core::ProtectedPlaces> places) override { system_.Protect(std::move(places)); }
  bool HandleIsAt(HANDLE handle, const std::string& path) override { return system_.HandleIsAt(handle, path); }
  DWORD RemoveFile(const std::string& path) override {
    return Allowed("RemoveFile", path) ? system_.RemoveFile(path) : ERROR_ACCESS_DENIED;
  }
  DWORD RemoveFolder(const std::string& path) override {
    return Allowed("RemoveFolder", path) ? system_.RemoveFolder(path) : ERROR_ACCESS_DENIED;
  }
  DWORD RemoveLink(const std::string& path) override {
    return Allowed("RemoveLink", path) ? system_.RemoveLink(path) : ERROR_ACCESS_DENIED;
  }
  DWORD Rename(const std::string& from, const std::string& to) override {
    return Allowed("Rename", from) ? system_.Rename(from, to) : ERROR_ACCESS_DENIED;
  }
  DWORD RenameStamped(const std::string& from, const std::string& to, LONGLONG& changed) override {
    return Allowed("Rename", from) ? system_.RenameStamped(from, to, changed) : ERROR_ACCESS_DENIED;
  }
  std::vector<core::Unremoved> Settle() override { return system_.Settle(); }
  bool SettleDue() const override { return system_.SettleDue(); }

private:
  bool Allowed(const char* call, const std::string& path) {
    ++calls_;
    if (simulation_) ADD_FAILURE() << "a simulation called " << call << " on " << path;
    return !simulation_;
  }
  const bool simulation_;
  int calls_ = 0;
  core::SystemRemover system_;
};

// The system's remover, but an item whose folder is refused (the folder
// itself, or any name inside it) is taken and never removed, as the system
// does under Wine with a folder the file system keeps unchanged: the call
// answers done and the removal fails silently at the close. Only the remover's
// Settle can tell.
class RefusedAtClose : public core::SystemRemover {
public:
  explicit RefusedAtClose(std::string folder) : folder_(std::move(folder)) {}
  DWORD RemoveFile(const std::string& path) override { return Refused(path) ? Taken(path) : SystemRemover::RemoveFile(path); }
  DWORD RemoveFolder(const std::string& path) override {
    return Refused(path) ? Taken(path) : SystemRemover::RemoveFolder(path);
  }
  int refused = 0;  // the removals taken and not done

private:
  bool Refused(const std::string& path) const {
    const size_t cut = path.find_last_of('\\');
    return cut != std::string::npos && core::SameText(path.substr(0, cut), folder_);
  }
  DWORD Taken(const std::string& path) {
    ++refused;
    Remover::Taken(path);
    return 0;
  }
  const std::string folder_;
};

// Protected folders as the program finds them, plus the test's own.
// A copy's simulation and then its run, on one preview: the run's results
// and its undo record, the simulation found to have foretold every count and
// every item not done.
inline void SimulateThenCopy(const treeops::CopyPreview& preview, treeops::CopyResults& results,
                             treeops::CopyJournal& journal) {
  treeops::CopyResults predicted;
  treeops::CopyJournal dry;
  ASSERT_TRUE(treeops::RunCopy(preview, true, predicted, dry));
  ASSERT_TRUE(treeops::RunCopy(preview, false, results, journal));
  EXPECT_EQ(predicted.counters, results.counters);
  EXPECT_EQ(predicted.other, results.other);
  EXPECT_EQ(predicted.notDone, results.notDone);
}

inline treeops::ProtectedFolders Protected(const std::string& extra = "") {
  treeops::ProtectedFolders p = treeops::SystemProtectedFolders("");
  if (!extra.empty()) p.push_back(extra);
  return p;
}

struct DeleteRun {
  treeops::DeletePlan plan;
  treeops::DeleteResults predicted, results;
  int runCalls = 0;  // the run's calls on its remover
  // Plans, simulates (the disk stays byte for byte and no remover is called),
  // then runs the plan: the run does what was predicted.
  void PredictAndRun(const testsupport::TempDir& temp, const treeops::DeleteJob& job) {
    plan = treeops::PreviewDelete(job);
    const std::string before = Snapshot(temp.Path());
    TestRemover simulation(true), run(false);
    EXPECT_TRUE(treeops::RunDelete(plan, true, predicted, treeops::Progress(), &simulation));
    EXPECT_EQ(Snapshot(temp.Path()), before);
    EXPECT_TRUE(treeops::RunDelete(plan, false, results, treeops::Progress(), &run));
    runCalls = run.Calls();
    EXPECT_EQ(predicted.counters, results.counters);
    EXPECT_EQ(predicted.filesDeleted, results.filesDeleted);
    EXPECT_EQ(predicted.foldersDeleted, results.foldersDeleted);
    EXPECT_EQ(predicted.filesOther, results.filesOther);
    EXPECT_EQ(predicted.foldersOther, results.foldersOther);
    EXPECT_EQ(predicted.filesNotExist, results.filesNotExist);
    EXPECT_EQ(predicted.foldersNotExist, results.foldersNotExist);
  }
};

} // namespace treetest
