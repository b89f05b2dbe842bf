// What the tests of the creation pages share: the program started with a
// scripted seam, folder picks, scripted question-and-end pairs, the rows of a
// results window and a check of boxes against a message table.
#pragma once
#include "app/frmMain.h"
#include "create/frmStatistic.h"
#include "support/press.h"
#include "support/program_fixture.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace creationtest {

using Strings = std::vector<std::string>;
using testsupport::FileExists;
using testsupport::FolderExists;
using testsupport::ListTree;
using testsupport::Press;

class CreationPageTest : public testsupport::ProgramTest {
protected:
  // Presses a button that opens the folder picker, which answers path (an
  // empty path: the picker is cancelled).
  void PickWith(ui::Button& button, const std::string& path) {
    seam.OnPickFolder([path](ui::FolderPickRequest& r) {
      r.result = path;
      return !path.empty();
    });
    Press(button);
  }
  // Presses a run button answering Yes to its question and OK to its end box.
  void Run(ui::Button& button, const char* question, const char* end) {
    seam.Answer(question, IDYES);
    seam.Answer(end, IDOK);
    Press(button);
  }
  static Strings Row(TCreationResultsWindow* window, int row) {
    Strings out;
    for (int i = 0; i < 4; ++i) out.push_back(window->Counter(4 * row + i).Text());
    return out;
  }
  // The last box whose caption holds the number.
  const testsupport::ShownBox* Box(const std::string& number) const {
    for (auto it = seam.boxes.rbegin(); it != seam.boxes.rend(); ++it)
      if (it->caption.find("no: " + number) != std::string::npos) return &*it;
    return nullptr;
  }
  // One message of a table: number, flags, text (empty: not compared), caption.
  struct Message {
    const char* number;
    unsigned flags;
    std::string text, caption;
  };
  void ExpectShown(const std::vector<Message>& table) const {
    for (const Message& row : table) {
      const testsupport::ShownBox* box = Box(row.number);
      ASSERT_NE(box, nullptr) << row.number;
      EXPECT_EQ(box->flags, row.flags) << row.number;
      EXPECT_EQ(box->caption, row.caption) << row.number;
      if (!row.text.empty()) EXPECT_EQ(box->text, row.text) << row.number;
    }
  }
  testsupport::TempDir dest, tree;
};

} // namespace creationtest
