// The rename run: the last folder of every listed path gets a new name, by one
// of the page's two methods. Deepest folders go first (list order within a
// level), so a parent renamed later never breaks a child's path. A run's
// history holds its own renames; the undo takes them back shallowest first, so
// it restores parents before their children. Renaming a folder changes the
// folder holding it: in that order the run has renamed everything inside a
// folder before it renames (and stamps) the folder, and the undo checks a
// folder before it renames back anything inside it, so neither ever finds a
// folder changed by the program's own renames. A simulation is the same pass
// with the dry flag: it reads the disk, changes nothing, keeps no history and
// predicts the run's counters and lists.
#pragma once
#include "core/file_identity.h"
#include "create/creation_engine.h"
#include "treeops/tree_target.h"

#include <windows.h>

#include <array>
#include <deque>
#include <string>
#include <vector>

// One recorded rename: the folder's path before and after, and which folder it
// is: its identity (volume and index) and the moment of its last change as the
// run left it, read through the handle that renamed it right after the rename.
// An undo renames back only that very folder, unchanged since: a Linux file
// system under Wine hands a removed folder's index to the next folder made at
// once, and only the change time tells that one from the folder renamed.
struct _tagReplaceFoldersStruct {
  std::string oldPath;
  std::string newPath;
  core::FileIdentity identity;
  LONGLONG changed = 0;  // 0: could not be read
};

namespace core {
class Remover;
}

namespace treeops {

using RenameHistory = std::deque<_tagReplaceFoldersStruct>;

enum class RenameMethod { PrefixSuffix, NewName };

// The page's five fields and its method. Prefix, suffix and both delimiters are
// trimmed when composed (a delimiter goes in whenever its field holds text);
// the new name is taken as typed.
struct RenameFields {
  RenameMethod method = RenameMethod::PrefixSuffix;
  std::string prefix, prefixDelimiter, suffixDelimiter, suffix, newName;
};

// The folder a line renames: the line trimmed, "/" as "\", without trailing
// backslashes. When its last name has an extension and the path is an existing
// file, the line names that file and its folder is the one renamed; anything
// else keeps its whole last name ("Release.2"), so a dotted name that names
// nothing on disk is a missing folder, never its parent. False when no folder
// with a name results (no drive part, a root).
bool RenameSourceFolder(const std::string& line, std::string& folder);

// The four parts of the new path of folder: parent with a backslash, prefix and
// its delimiter; the old name; the suffix's delimiter; the suffix.
core::FolderNameParts ComposePrefixSuffixName(const std::string& folder, const RenameFields& fields);
// Parent with a backslash; the new name; two empty parts.
core::FolderNameParts ComposeNewLastSubFolderName(const std::string& folder, const std::string& newName);
std::string JoinParts(const core::FolderNameParts& parts);
// The new path of a line by the fields' method; empty when the line names no
// folder (the preview label is then cleared).
std::string PreviewNewPath(const std::string& line, const RenameFields& fields);

// Counters in the page's order: renamed, source not exists, destination
// exists, other reasons. Lists: renamed (the new paths), and the folders not
// renamed by cause; otherReasons pairs each listed path with its reason.
struct RenameResults {
  std::array<double, 4> counters{};
  std::deque<std::string> renamed, sourceNotExists, destinationExists, otherReasons;
  std::vector<Refusal> reasons;
  void Clear() { *this = RenameResults(); }
};

struct RenameJob {
  std::deque<std::string> lines;  // the include list, as listed
  RenameFields fields;
  ProtectedFolders protectedFolders;
  bool dry = false;               // simulation
};

// Runs (or, dry, predicts) the job into results (appended to; the page clears
// them at a start) and, in a run, history: the renames in the order made are
// added at its end (the page hands a run an empty one), each with the folder's
// old name as the disk spelled it, its identity and its change time after the
// rename. A folder whose name leads elsewhere
// (a link) is never renamed. A new name that another entry of the folder
// already answers to (a twin differing in letter case only, as Linux allows)
// is refused before any call (destination exists). A change of letter case
// goes through a temporary name; when a step fails the folder gets its own name
// back, and when that fails too it stays under the temporary name, recorded in
// the history for the undo and counted under other reasons with a reason that
// names it. Renames go through remover (the system's when none is given); a
// simulation never calls it. False when progress stopped it.
bool RunRename(const RenameJob& job, RenameResults& results, RenameHistory& history,
               const Progress& progress = Progress(), core::Remover* remover = nullptr);

struct RenameUndoReport {
  size_t restored = 0;
  std::deque<std::string> sourceNotExists;    // the new path is no longer our folder
  std::deque<std::string> destinationExists;  // the old path is taken again
  // The rename back failed: the old path; for a change of letter case that
  // left the folder under its temporary name, the old path followed by where
  // the folder is now and why.
  std::deque<std::string> otherReasons;
  // Why each listed path was not renamed back (a stranded folder's entry tells
  // it in its own text).
  std::vector<Refusal> reasons;
  bool Failures() const {
    return !sourceNotExists.empty() || !destinationExists.empty() || !otherReasons.empty();
  }
};
// Renames back shallowest new path first (history order within a level). Only folders still at their new
// path and unchanged since the run are renamed back: the very folder renamed
// (by its identity and the moment of its last change), never another folder
// or a link put there since, nor one something was added to or taken out of
// (counted under other reasons with why). Goes through remover (the system's
// when none is given); empties the history. progress is called before each
// record (a stop leaves the rest as they are).
RenameUndoReport UndoRename(RenameHistory& history, core::Remover* remover = nullptr,
                            const Progress& progress = Progress());

} // namespace treeops
