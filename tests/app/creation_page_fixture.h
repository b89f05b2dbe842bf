// What the creation pages' tests share: picks, runs, results rows, message tables, simulations.
#pragma once
#include "app/frmMain.h"
#include "listwin/frmStatistic.h"
#include "listwin/frmSubFolderListBuilder.h"
#include "support/press.h"
#include "support/program_fixture.h"
#include "support/temp_dir.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace creationtest {

using Strings = std::vector<std::string>;
using testsupport::FileExists;
using testsupport::FolderExists;
using testsupport::ListTree;
using testsupport::Press;
using testsupport::ReadFile;

// Every entry below root, each file with its content, so a comparison sees any change.
inline std::string Snapshot(const std::string& root) {
  const std::string tree = ListTree(root);
  std::string out = tree;
  for (size_t start = 0, end; start < tree.size(); start = end + 1) {
    end = tree.find('\n', start);
    const std::string entry = tree.substr(start, end - start);
    if (!entry.empty() && entry.back() != '\\') out += entry + "=" + ReadFile(root + "\\" + entry) + "\n";
  }
  return out;
}

// Closes the main window while a run works: the first time the run moves the
// progress bar between its ends (some items done, some not), a close is
// posted, and the window handles it with that update.
class CloseMidRun {
public:
  explicit CloseMidRun(ui::ProgressBar& bar) {
    bar_ = bar.Handle();
    posted_ = false;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
  }
  ~CloseMidRun() {
    UnhookWindowsHookEx(hook_);
    bar_ = nullptr;
  }
  CloseMidRun(const CloseMidRun&) = delete;
  CloseMidRun& operator=(const CloseMidRun&) = delete;
  static bool Posted() { return posted_; }

private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && !posted_ && bar_ && sent->hwnd == bar_ && sent->message == PBM_SETPOS) {
      const int at = static_cast<int>(sent->wParam);
      if (at > 0 && at < static_cast<int>(SendMessageA(bar_, PBM_GETRANGE, FALSE, 0))) {
        posted_ = true;
        PostMessageA(frmMain->Handle(), WM_CLOSE, 0, 0);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline HWND bar_ = nullptr;
  static inline bool posted_ = false;
  HHOOK hook_;
};

class CreationPageTest : public testsupport::ProgramTest {
protected:
  // Every box a test meets is one it scripted, unless it provokes boxes on purpose.
  void TearDown() override {
    if (!unscriptedBoxes) {
      EXPECT_EQ(seam.Unscripted(), 0);
    }
    ProgramTest::TearDown();
  }
  bool unscriptedBoxes = false;
  // Presses a button that opens the folder picker, which answers path (an empty path: the picker is cancelled).
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
  static Strings Row(TResultsWindow* window, int row) {
    Strings out;
    for (int i = 0; i < 4; ++i) out.push_back(window->Counter(4 * row + i).Text());
    return out;
  }
  // What a results window shows: its sixteen counters and its five lists.
  static Strings Shown(TResultsWindow* window) {
    Strings out;
    for (int i = 0; i < 16; ++i) out.push_back(window->Counter(i).Text());
    for (int list = 0; list < 5; ++list)
      for (const std::string& entry : window->List(TResultsWindow::ResultList(list)).Items())
        out.push_back(std::to_string(list) + ": " + entry);
    return out;
  }
  // A simulation leaves the trees under roots untouched and predicts what the run then shows.
  void ExpectRunAsSimulated(TResultsWindow* window, const std::function<void()>& simulate,
                            const std::function<void()>& create, const Strings& roots) {
    std::string before;
    for (const std::string& root : roots) before += Snapshot(root) + "|";
    simulate();
    std::string after;
    for (const std::string& root : roots) after += Snapshot(root) + "|";
    EXPECT_EQ(after, before);
    EXPECT_FALSE(window->chkStatNormalSimulate.Checked());
    EXPECT_EQ(window->lblStatNormalSimulate.Text(), "Simulate the Folder/File Creation Process.");
    const Strings predicted = Shown(window);
    create();
    EXPECT_EQ(Shown(window), predicted);
  }
  std::vector<std::string> CaptionsContaining(const std::string& part) const {
    std::vector<std::string> out;
    for (const auto& b : seam.boxes)
      if (b.caption.find(part) != std::string::npos) out.push_back(b.caption);
    return out;
  }
  // The last box whose caption holds the number.
  const testsupport::ShownBox* Box(const std::string& number) const {
    for (auto it = seam.boxes.rbegin(); it != seam.boxes.rend(); ++it)
      if (it->caption.find("no: " + number) != std::string::npos) return &*it;
    return nullptr;
  }
  // The subfolder builder opened, folder typed as its source, Build List
  // pressed (its question answered yes) and the window closed: the text of
  // its closing box 0588 (empty when none was shown).
  std::string BuildSubFolderList(const std::string& folder) {
    seam.OnModal(frmSubFolderListBuilder, [&](ui::Form&) {
      TfrmSubFolderListBuilder& w = *frmSubFolderListBuilder;
      testsupport::Type(w.cboMainSourceFolder, folder);
      seam.Answer("0580", IDYES);
      seam.Answer("0588", IDOK);
      testsupport::Press(w.btnBuildList);
      testsupport::Press(w.BitBtn2);
      return 0;
    });
    OpenSubFolderListBuilder();
    return Box("0588") ? Box("0588")->text : std::string();
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
      if (!row.text.empty()) {
        EXPECT_EQ(box->text, row.text) << row.number;
      }
    }
  }
  // What a user does in Explorer after a run: removes the folder relative of
  // one of the test's own folders (never the folder itself, never anything
  // outside it) and makes a new one of the same name, with a file of theirs in
  // it when file is given.
  static void RemakeFolder(const testsupport::TempDir& own, const std::string& relative, const char* file = nullptr) {
    ASSERT_FALSE(relative.empty());
    ASSERT_EQ(relative.find(".."), std::string::npos);
    ASSERT_EQ(relative.find_first_of(":/"), std::string::npos);
    ASSERT_NE(relative[0], '\\');
    ASSERT_TRUE(FolderExists(own / relative));
    testsupport::RemoveTree(own / relative);
    ASSERT_FALSE(testsupport::PathExists(own / relative));
    own.AddFolder(relative);
    if (file) own.AddFile(relative + "\\" + file, "the user's");
  }
  testsupport::TempDir dest, tree;
};

// The string-list page.
class StringListPageTest : public CreationPageTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate03);
  }
  TfrmMain& M() { return *frmMain; }
  void PickDestination(const std::string& path) { PickWith(M().Vol02.btnVol02AddDestFolder, path); }
  void AddStructure(const std::string& path) { PickWith(M().Vol02.btnVol02AddFolderStructure, path); }
  void Type(const std::string& text) {
    M().Vol02.edtVol02AddToList.SetText(text);
    Press(M().Vol02.btnVol02AddToList);
  }
  void Create() { Run(M().Vol02.btnVol02CreateFolders, "0025", "0026"); }
  void Simulate() { Run(M().Vol02.btnVol02CreateFoldersSimulation, "0455", "0457"); }
  // The sixteen page counter labels, row by row, and those of its window.
  Strings PageCounters() {
    StringListPage& p = M().Vol02;
    Strings out;
    for (ui::Label* l : {&p.lblVol02FoldersToCreate, &p.lblVol02SubFoldersToCreate, &p.lblVol02FilesToCreate,
                         &p.lblVol02FilesSizeToCreate, &p.lblVol02FoldersCreated, &p.lblVol02SubFoldersCreated,
                         &p.lblVol02FilesCreated, &p.lblVol02FilesSizeCreated, &p.lblVol02FoldersExists,
                         &p.lblVol02SubFoldersExists, &p.lblVol02FilesExists, &p.lblVol02FilesSizeExists,
                         &p.lblVol02FoldersOther, &p.lblVol02SubFoldersOther, &p.lblVol02FilesOther,
                         &p.lblVol02FilesSizeOther})
      out.push_back(l->Text());
    return out;
  }
  Strings WindowCounters() {
    Strings shown = Shown(frmStatistic02);
    return Strings(shown.begin(), shown.begin() + 16);
  }
  static Strings Row(const Strings& all, int row) { return Strings(all.begin() + 4 * row, all.begin() + 4 * row + 4); }
};

// The string-list page's caption title, before "Warning no: " or "Information no: ".
const std::string kT = "Creating Folder(s).-From a String List.            ";

} // namespace creationtest
