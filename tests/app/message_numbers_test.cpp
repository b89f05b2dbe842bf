// Every numbered message of the program: one number, one text.
#include "app/frmMain.h"
#include "app/manual_page.h"
#include "core/box_message.h"
#include "listwin/frmEditIncludeList.h"
#include "listwin/frmFileExport.h"
#include "listwin/frmFileImport.h"
#include "listwin/frmFileSelection.h"
#include "listwin/frmManageMarks.h"
#include "listwin/frmStatistic.h"
#include "listwin/frmSubFolderListBuilder.h"
#include "listwin/list_file.h"
#include "treeops/copy_page.h"
#include "treeops/level_builder_twins.h"
#include "support/program_fixture.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <string>

namespace {

using Texts = std::map<std::string, std::set<std::string>>;  // number -> texts

template <class Id>
void Collect(const core::MessageTable<Id>& table, Texts& texts) {
  for (const core::NumberedMessage<Id>& m : table)
    if (*m.number) texts[m.number].insert(m.text);
}

void CollectPage(const CreationPage& page, Texts& texts) {
  for (int id = 0; id <= static_cast<int>(PageMsg::Extra13); ++id) {
    try {
      const PageMessage& m = page.Message(static_cast<PageMsg>(id));
      texts[m.number].insert(m.text);
    } catch (const std::logic_error&) {
      // the page has no such box
    }
  }
}

using MessageNumbers = testsupport::ProgramTest;

TEST_F(MessageNumbers, NoTwoTextsShareANumber) {
  Texts texts;
  Collect(core::kCoreMessages, texts);
  Collect(kManageMarksMessages, texts);
  Collect(kFileSelectionMessages, texts);
  Collect(kFileImportMessages, texts);
  Collect(kFileExportMessages, texts);
  Collect(kSubFolderListBuilderMessages, texts);
  Collect(kManualPageMessages, texts);
  Collect(kEditIncludeListMessages, texts);
  Collect(kResultsWindowMessages, texts);
  Collect(kListFileVol02.messages, texts);
  Collect(kListFileVol04.messages, texts);
  Collect(kListFileVol06.messages, texts);
  Collect(kRenamePageMessages, texts);
  Collect(kListFileVol08.messages, texts);
  Collect(kCopyPageMessages, texts);
  CollectPage(frmMain->Vol02, texts);
  CollectPage(frmMain->Vol03, texts);
  CollectPage(frmMain->Vol04, texts);
  Collect(kDeletePageMessages, texts);
  Collect(kRenameLevelMessages, texts);
  Collect(kDeleteLevelMessages, texts);
  Collect(kCopyLevelMessages, texts);
  ASSERT_GT(texts.size(), 100u);

  // Numbers that carry more than one text, and how many: the string page's
  // list-file question and open failure share theirs with the subfolder list
  // builder's memo editor (the 30,000-folder warnings), as given; the delete
  // results window's 0433 and 0434 each warn of an empty folder list and of an
  // empty file list; the copy page's 0277 is its empty exclude-list warning and
  // also its once-only hint to select files ("{}": the main window's hint text);
  // the Delete page's 0237 is both its one-time file-selection hint and the end
  // of its Clear Fields.
  const std::map<std::string, size_t> shared = {
      {"0012", 2},
      {"0013", 2},
      {"0237", 2},
      {"0277", 2},
      {"0433", 2},
      {"0434", 2},
  };
  for (const auto& [number, set] : texts) {
    auto allowed = shared.find(number);
    EXPECT_EQ(set.size(), allowed == shared.end() ? 1u : allowed->second) << number << ": " << *set.begin()
                                                                          << " | " << *set.rbegin();
  }
}

} // namespace
