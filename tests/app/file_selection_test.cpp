// The file selection window, opened directly (its pages are not built yet).
#include "core/settings_file.h"
#include "core/settings_store.h"
#include "listwin/frmFileSelection.h"
#include "support/press.h"
#include "support/program_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using testsupport::Press;
using testsupport::ProgramTest;
using testsupport::Type;

namespace {

using Strings = std::vector<std::string>;
const std::string kCap = "File Selection.            Warning no: ";

class FileSelection : public ProgramTest {
protected:
  int Open(std::function<void(TfrmFileSelection&)> user) {
    seam.OnModal(frmFileSelection, [user](ui::Form&) {
      user(*frmFileSelection);
      return 0;
    });
    return frmFileSelection->ShowModal();
  }
  // The pattern line and list that default.set holds.
  std::pair<std::string, Strings> Saved() {
    core::RestoreClass restore("");
    EXPECT_TRUE(restore.LoadSettings());
    const core::SettingsList list = core::Settings().GetFilePatternList();
    return {core::Settings().GetFilePatternLine(), Strings(list.begin(), list.end())};
  }
};

struct LineCase {
  std::string typed;
  std::string line;   // stored line
  Strings patterns;   // stored list
  int infoBoxes;      // 0544 boxes
};

TEST_F(FileSelection, OkStoresTheParsedLine) {
  const std::vector<LineCase> cases = {
      {"", "*.*", {"*.*"}, 0},
      {"   ", "*.*", {"*.*"}, 0},
      {"\"\"", "*.*", {"*.*"}, 0},
      {"*.txt   *.doc *.txt", "*.txt *.doc", {"*.txt", "*.doc"}, 0},
      {"*.txt \"my file.doc\"", "*.txt \"my file.doc\"", {"*.txt", "my file.doc"}, 0},
      {"readme *.txt", "readme *.txt", {"readme", "*.txt"}, 1},
  };
  for (const LineCase& c : cases) {
    const size_t first = seam.boxes.size();
    EXPECT_EQ(Open([&](TfrmFileSelection& w) {
                Type(w.cboFileManNames, c.typed);
                Press(w.btnFileManOK);
              }),
              IDOK)
        << c.typed;
    ASSERT_GT(seam.boxes.size(), first);
    EXPECT_EQ(seam.boxes[first].caption, kCap + "0542.");
    EXPECT_EQ(seam.boxes[first].owner, ui::BoxOwner::None);
    EXPECT_EQ(static_cast<int>(seam.boxes.size() - first - 1), c.infoBoxes) << c.typed;
    EXPECT_EQ(core::Settings().GetFilePatternLine(), c.line) << c.typed;
    EXPECT_EQ(Saved(), std::make_pair(c.line, c.patterns)) << c.typed;
  }
  EXPECT_EQ(seam.Last().caption, "Information !    Msg no: 0544");
  EXPECT_EQ(seam.Last().text,
            "Period (.) is missing from : 1 file names.\nNo: 1/1 is : readme\nIf you want to search files with "
            "SPACE(s) in their names,\nthen you must put complete file name with extension into double quotes!\n");
  // Every stored line is in the history, and the window opens on the last one.
  Open([&](TfrmFileSelection& w) {
    EXPECT_EQ(w.cboFileManNames.Text(), "readme *.txt");
    EXPECT_GE(w.cboFileManNames.IndexOf("*.txt *.doc"), 0);
    Press(w.btnFileManCancel);
  });
}

TEST_F(FileSelection, RefusedLinesStoreNothingAndKeepTheWindowOpen) {
  Open([&](TfrmFileSelection& w) {
    Type(w.cboFileManNames, "*.txt");
    Press(w.btnFileManOK);
  });
  const auto before = Saved();
  for (const char* bad : {"a\"b\"\"", "c:\\data\\*.txt", "sub/*.doc"}) {
    Open([&](TfrmFileSelection& w) {
      Type(w.cboFileManNames, bad);
      Press(w.btnFileManOK);
      EXPECT_EQ(w.ModalResult(), 0) << bad;
      EXPECT_TRUE(w.Visible()) << bad;
      EXPECT_EQ(w.cboFileManNames.Text(), bad);
      Press(w.btnFileManCancel);
    });
    EXPECT_TRUE(seam.Last().caption == "Warning !    Msg no: 0519." || seam.Last().caption == kCap + "0551.")
        << seam.Last().caption;
    EXPECT_EQ(core::Settings().GetFilePatternLine(), "*.txt");
    EXPECT_EQ(Saved(), before);
  }

  // The line is saved in one record of 5261 characters: one more is refused
  // with 0552 (the limit in its text), never saved cut.
  for (size_t length : {size_t(5262), size_t(5261)}) {
    std::string line;
    for (int i = 0; line.size() + 16 < length; ++i) line += "p" + std::to_string(i) + ".txt ";
    line += "q" + std::string(length - line.size() - 3, 'z') + ".t";
    ASSERT_EQ(line.size(), length);
    Open([&](TfrmFileSelection& w) {
      Type(w.cboFileManNames, line);
      Press(w.btnFileManOK);
      if (length > 5261) {
        EXPECT_EQ(seam.Last().caption, kCap + "0552.");
        EXPECT_NE(seam.Last().text.find("at most 5261 characters"), std::string::npos);
        EXPECT_TRUE(w.Visible());
        Press(w.btnFileManCancel);
      }
    });
    EXPECT_EQ(Saved().first, length > 5261 ? before.first : line);
  }
  Open([&](TfrmFileSelection& w) {
    Type(w.cboFileManNames, "*.txt");
    Press(w.btnFileManOK);
  });

  // A settings file that cannot be replaced: 0130, the store keeps the file's line.
  HANDLE lock = CreateFileA((dir->Path() + "\\default.set").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  Open([&](TfrmFileSelection& w) {
    Type(w.cboFileManNames, "*.bak");
    Press(w.btnFileManOK);
    EXPECT_EQ(seam.Last().caption, "Severe Error!    Msg no: 0130.");
    EXPECT_EQ(w.ModalResult(), 0);
    Press(w.btnFileManCancel);
  });
  CloseHandle(lock);
  EXPECT_EQ(core::Settings().GetFilePatternLine(), "*.txt");
  EXPECT_EQ(Saved(), before);

  // Clear Menu: a question, then an empty history; an empty one warns.
  Open([&](TfrmFileSelection& w) {
    seam.Answer("0546", IDYES);
    Press(w.btnFileManClearFileNames);
    EXPECT_EQ(w.cboFileManNames.Count(), 0);
    EXPECT_EQ(w.cboFileManNames.Text(), "*.txt");
    Press(w.btnFileManClearFileNames);
    EXPECT_EQ(seam.Last().caption, kCap + "0545.");
    Press(w.btnFileManCancel);
  });
}

} // namespace
