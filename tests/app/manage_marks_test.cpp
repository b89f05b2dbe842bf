// The delimiter window and its twin, the quotation-mark window.
#include "app/frmMain.h"
#include "core/settings_file.h"
#include "core/settings_store.h"
#include "listwin/frmManageMarks.h"
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

class ManageMarks : public ProgramTest {
protected:
  // Opens the delimiter window from the menu; user acts while it is shown.
  void FromMenu(std::function<void(TfrmManageMarks&)> user) {
    seam.OnModal(frmDelimiters, [user](ui::Form&) {
      user(*frmDelimiters);
      return 0;
    });
    SendMessageA(frmMain->Handle(), WM_COMMAND, MAKEWPARAM(IDM_MANAGESEPARATORS1, 0), 0);
  }
  // What default.set holds, read into a fresh store.
  Strings SavedDelimiters(bool quotationMarks = false) {
    core::RestoreClass restore("");
    EXPECT_TRUE(restore.LoadSettings());
    core::SettingsList list =
        quotationMarks ? core::Settings().GetQuotationMarkList() : core::Settings().GetDelimiterList();
    return Strings(list.begin(), list.end());
  }
  static Strings StoreDelimiters() {
    const core::SettingsList list = core::Settings().GetDelimiterList();
    return Strings(list.begin(), list.end());
  }
  static void Select(ui::ListBox& list, const Strings& entries) {
    for (const std::string& e : entries) list.SetSelected(list.IndexOf(e), true);
  }
};

TEST_F(ManageMarks, MessagesOfTheAddCommand) {
  struct Case {
    std::string typed;
    std::string caption;  // empty: added
  };
  const std::vector<Case> cases = {
      {"  ;  ", "Delimiters.            Warning no: 0123."},
      {"   ", "Delimiters.            Warning no: 0122."},
      {"x", ""},
      {"X", "Delimiters.            Warning no: 0123."},
  };
  FromMenu([&](TfrmManageMarks& w) {
    for (const Case& c : cases) {
      const size_t before = seam.boxes.size();
      Type(w.edtAdd, c.typed);
      Press(w.btnAdd);
      if (c.caption.empty()) {
        EXPECT_EQ(seam.boxes.size(), before) << c.typed;
        EXPECT_TRUE(w.lstIncluded.Contains(c.typed)) << c.typed;
      } else {
        ASSERT_EQ(seam.boxes.size(), before + 1) << c.typed;
        EXPECT_EQ(seam.Last().caption, c.caption);
        EXPECT_EQ(seam.Last().flags, 0x30u);
      }
    }
    // The excluded form of an entry: 0124.
    Select(w.lstIncluded, {"x"});
    Press(w.btnIncToExc);
    Type(w.edtAdd, "X");
    Press(w.btnAdd);
    EXPECT_EQ(seam.Last().caption, "Delimiters.            Warning no: 0124.");
    EXPECT_EQ(seam.Last().text, "This item is already exist in the Exclude list !");
    // An entry with a drive part leaves both lists when moved.
    Type(w.edtAdd, "c:x");
    Press(w.btnAdd);
    Select(w.lstIncluded, {"c:x"});
    Press(w.btnIncToExc);
    EXPECT_FALSE(w.lstIncluded.Contains("c:x"));
    EXPECT_FALSE(w.lstExcluded.Contains("c:x"));
    w.Close();
  });
}

TEST_F(ManageMarks, CloseSavesTheIncludeListAndExcludedEntriesStayOut) {
  const Strings start = SavedDelimiters();
  ASSERT_EQ(start.size(), 17u);
  FromMenu([&](TfrmManageMarks& w) {
    EXPECT_EQ(w.lstIncluded.Items(), start);
    Select(w.lstIncluded, {",", "space"});
    Press(w.btnIncToExc);
    Press(w.btnClose);
  });
  Strings expected;
  for (const std::string& e : start)
    if (e != "," && e != "space") expected.push_back(e);
  EXPECT_EQ(SavedDelimiters(), expected);
  EXPECT_EQ(StoreDelimiters(), expected);

  // Next opening: the excluded entries are not brought back.
  FromMenu([&](TfrmManageMarks& w) {
    EXPECT_EQ(w.lstIncluded.Items(), expected);
    EXPECT_EQ(w.lstExcluded.Items(), (Strings{",", "space"}));
    // Everything out, Close: an empty list is saved...
    Press(w.btnAllFromInc);
    Press(w.btnClose);
  });
  EXPECT_TRUE(SavedDelimiters().empty());
  // ...and the next opening offers the window's 17 defaults, minus the excluded.
  FromMenu([&](TfrmManageMarks& w) {
    EXPECT_EQ(w.lstIncluded.Count(), 0);
    Press(w.btnSetDefaults);
    EXPECT_EQ(w.lstIncluded.Items(), w.Defaults);
    EXPECT_EQ(w.lstIncluded.Item(0), ";");
    EXPECT_EQ(w.lstExcluded.Count(), 0);
    w.Close();  // the title bar saves nothing
  });
  EXPECT_TRUE(SavedDelimiters().empty());
}

TEST_F(ManageMarks, LimitsHoldAtTheirBoundaryDeletesAndAFailedSave) {
  // The include list holds at most 30,000 entries, on every road in.
  struct Case {
    int included, excluded, selected;
    ui::Button TfrmManageMarks::*command;
    int after;            // include entries afterwards
    const char* refusal;  // caption, nullptr: done
  };
  const Case cases[] = {
      {29999, 0, 0, &TfrmManageMarks::btnAdd, 30000, nullptr},
      {30000, 0, 0, &TfrmManageMarks::btnAdd, 30000, "Delimiters.            Warning no: 0121."},
      {29999, 1, 1, &TfrmManageMarks::btnExcToInc, 30000, nullptr},
      {29999, 2, 2, &TfrmManageMarks::btnExcToInc, 29999, "Managing Delimiters.            Warning no: 0125."},
      {29998, 2, 0, &TfrmManageMarks::btnAllFromExc, 30000, nullptr},
      {29999, 2, 0, &TfrmManageMarks::btnAllFromExc, 29999, "Managing Delimiters.            Warning no: 0126."},
      {0, 30000, 0, &TfrmManageMarks::btnExchangeIncExc, 30000, nullptr},
      {0, 30001, 0, &TfrmManageMarks::btnExchangeIncExc, 0, "Managing Delimiters.            Warning no: 0127."},
  };
  auto fill = [](ui::ListBox& list, int count, const char* prefix) {
    Strings entries;
    for (int i = 0; i < count; ++i) entries.push_back(prefix + std::to_string(i));
    list.Clear();
    list.AddStrings(entries);
  };
  FromMenu([&](TfrmManageMarks& w) {
    for (const Case& c : cases) {
      fill(w.lstIncluded, c.included, "d");
      fill(w.lstExcluded, c.excluded, "e");
      for (int i = 0; i < c.selected; ++i) w.lstExcluded.SetSelected(i, true);
      Type(w.edtAdd, "new");
      const size_t boxes = seam.boxes.size();
      Press(w.*c.command);
      EXPECT_EQ(w.lstIncluded.Count(), c.after) << c.included << " " << c.excluded;
      if (c.refusal) {
        ASSERT_EQ(seam.boxes.size(), boxes + 1) << c.refusal;
        EXPECT_EQ(seam.Last().caption, c.refusal);
      } else {
        EXPECT_EQ(seam.boxes.size(), boxes) << c.included << " " << c.excluded;
      }
    }
    // Each entry is saved in one record: 5261 characters fit, one more is refused.
    fill(w.lstIncluded, 0, "");
    fill(w.lstExcluded, 0, "");
    Type(w.edtAdd, std::string(5262, 'x'));
    Press(w.btnAdd);
    EXPECT_EQ(seam.Last().caption, "Delimiters.            Warning no: 0131.");
    EXPECT_NE(seam.Last().text.find("at most 5261 characters"), std::string::npos);
    EXPECT_EQ(w.lstIncluded.Count(), 0);
    Type(w.edtAdd, std::string(5261, 'x'));
    Press(w.btnAdd);
    Press(w.btnClose);
  });
  EXPECT_EQ(SavedDelimiters(), Strings{std::string(5261, 'x')});

  FromMenu([&](TfrmManageMarks& w) {
    w.lstExcluded.AddStrings({"e1", "e2"});
    Select(w.lstExcluded, {"e1"});
    seam.Answer("0128", IDYES);
    Press(w.btnDelete);
    EXPECT_EQ(w.lstExcluded.Items(), (Strings{"e2"}));
    seam.Answer("0129", IDNO);
    Press(w.btnRemoveAll);
    EXPECT_EQ(w.lstExcluded.Count(), 1);
    seam.Answer("0129", IDYES);
    Press(w.btnRemoveAll);
    EXPECT_EQ(w.lstExcluded.Count(), 0);

    // default.set locked: 0130, the store keeps the file's list, the window stays open.
    const Strings before = StoreDelimiters();
    HANDLE lock = CreateFileA((dir->Path() + "\\default.set").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Press(w.btnClose);
    CloseHandle(lock);
    EXPECT_EQ(seam.Last().caption, "Severe Error!    Msg no: 0130.");
    EXPECT_EQ(w.ModalResult(), 0);
    EXPECT_EQ(StoreDelimiters(), before);
    w.Close();
  });
}

TEST_F(ManageMarks, TheQuotationMarkWindowIsTheTwin) {
  seam.OnModal(frmQuotationMarks, [&](ui::Form&) {
    TfrmManageMarks& w = *frmQuotationMarks;
    Type(w.edtAdd, "'");
    Press(w.btnAdd);
    EXPECT_EQ(seam.Last().caption, "QuotationMarks.            Warning no: 0123.");
    Press(w.btnExchangeIncExc);
    EXPECT_EQ(w.lstIncluded.Count(), 0);
    EXPECT_EQ(w.lstExcluded.Count(), 17);
    Select(w.lstExcluded, {"\"", "'"});
    Press(w.btnExcToInc);
    Press(w.btnClose);
    return 0;
  });
  EXPECT_EQ(frmQuotationMarks->ShowModal(), IDOK);
  EXPECT_EQ(SavedDelimiters(true), (Strings{"\"", "'"}));
  EXPECT_EQ(SavedDelimiters().size(), 17u);  // the delimiter list is untouched
}

} // namespace
