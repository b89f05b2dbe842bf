// The results windows' lists as any other program sees them: found by the
// window's caption among this process's windows and read only through the
// list-box messages, as a screen reader or another program reads them; and
// typing a letter in a list jumps to an entry starting with it.
#include "app/creation_page_fixture.h"
#include "listwin/frmStatistic.h"
#include "support/program_fixture.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using creationtest::StringListPageTest;
using creationtest::Strings;

namespace {

// What a reader outside the program does: it knows a window's caption, finds
// the window among the top-level windows (of this process: the test processes
// share one desktop), and asks each list box of it for its entries.
class OutsideReader {
public:
  explicit OutsideReader(const std::string& caption) {
    caption_ = caption;
    EnumWindows(FindTop, reinterpret_cast<LPARAM>(this));
    if (window_) EnumChildWindows(window_, FindLists, reinterpret_cast<LPARAM>(this));
  }
  bool Found() const { return window_ != nullptr; }
  size_t ListCount() const { return lists_.size(); }
  HWND List(size_t index) const { return lists_[index]; }

  // Every entry of one list, through LB_GETCOUNT, LB_GETTEXTLEN and LB_GETTEXT
  // (the wide ones, as a screen reader asks), turned into the program's code page.
  static Strings Entries(HWND list) {
    Strings out;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
      if (length == LB_ERR) {
        out.push_back("<no text>");
        continue;
      }
      std::wstring text(static_cast<size_t>(length) + 1, L'\0');
      const LRESULT got = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
      text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
      out.push_back(Narrow(text));
    }
    return out;
  }
  // The entry a list shows selected, or "" when none is.
  static std::string Selected(HWND list) {
    const LRESULT at = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (at == LB_ERR) return "";
    const Strings all = Entries(list);
    return at < static_cast<LRESULT>(all.size()) ? all[static_cast<size_t>(at)] : "<out of range>";
  }

private:
  static std::string Narrow(const std::wstring& text) {
    if (text.empty()) return "";
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
  }
  static BOOL CALLBACK FindTop(HWND hwnd, LPARAM data) {
    auto* self = reinterpret_cast<OutsideReader*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    char caption[256] = "";
    GetWindowTextA(hwnd, caption, sizeof caption);
    if (process != GetCurrentProcessId() || self->caption_ != caption) return TRUE;
    self->window_ = hwnd;
    return FALSE;
  }
  static BOOL CALLBACK FindLists(HWND hwnd, LPARAM data) {
    char cls[32] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpiA(cls, "ListBox") == 0) reinterpret_cast<OutsideReader*>(data)->lists_.push_back(hwnd);
    return TRUE;
  }

  std::string caption_;
  HWND window_ = nullptr;
  std::vector<HWND> lists_;
};

using ResultsLists = testsupport::ProgramTest;

// Each of the six windows, every list: what the runs write through the window
// (in blocks and one by one) is what a reader outside reads, in order, long
// entries whole; a cleared list reads empty.
TEST_F(ResultsLists, EveryListOfEveryWindowReadsThroughTheListBoxMessages) {
  const std::string longEntry = "C:\\" + std::string(600, 'x') + "\\end";
  std::vector<TResultsWindow*> windows{frmStatistic02, frmStatistic03, frmStatistic04,
                                       frmStatistic06, frmStatistics07, frmStatistic08};
  for (TResultsWindow* w : windows) {
    SCOPED_TRACE(w->Row().caption);
    std::vector<Strings> written;
    for (int k = 0; k < w->ListCount(); ++k) {
      const std::string tag = std::to_string(k);
      Strings block{"C:\\Run\\" + tag + "\\first", "D:\\Other\\" + tag, longEntry};
      w->List(k).AddStrings(block);
      w->List(k).Add("e:\\last " + tag);
      block.push_back("e:\\last " + tag);
      written.push_back(block);
    }
    w->Show();  // shown or not, a reader reads the same; shown, as a user would look
    ui::App().ProcessMessages();
    OutsideReader reader(w->Row().caption);
    ASSERT_TRUE(reader.Found());
    ASSERT_EQ(reader.ListCount(), written.size());
    for (size_t k = 0; k < written.size(); ++k) {
      EXPECT_EQ(OutsideReader::Entries(reader.List(k)), written[k]) << k;
      EXPECT_EQ(w->List(static_cast<int>(k)).Items(), written[k]) << k;  // what the program reads back
    }

    w->ClearLists();
    for (size_t k = 0; k < written.size(); ++k) EXPECT_EQ(SendMessageW(reader.List(k), LB_GETCOUNT, 0, 0), 0);
    w->Hide();
  }
}

// Typing a letter in a results list selects the next entry starting with it
// (either letter case), from the entry in view onwards and round to the top.
TEST_F(ResultsLists, TypingALetterJumpsToTheEntryStartingWithIt) {
  TResultsWindow* w = frmStatistic06;
  w->List(0).AddStrings({"C:\\Work\\one", "D:\\Data\\two", "E:\\Disk\\three", "d:\\data\\four"});
  w->Show();
  w->List(0).SetFocus();
  OutsideReader reader(w->Row().caption);
  ASSERT_TRUE(reader.Found());
  HWND list = reader.List(0);
  struct Key {
    char typed;
    std::string selected;
  };
  for (const Key& key : {Key{'d', "D:\\Data\\two"}, Key{'E', "E:\\Disk\\three"}, Key{'D', "d:\\data\\four"},
                         Key{'d', "D:\\Data\\two"}, Key{'c', "C:\\Work\\one"}, Key{'z', "C:\\Work\\one"}}) {
    PostMessageA(list, WM_CHAR, static_cast<unsigned char>(key.typed), 1);
    ui::App().ProcessMessages();
    EXPECT_EQ(OutsideReader::Selected(list), key.selected) << "typed " << key.typed;
  }
  EXPECT_EQ(w->List(0).ItemIndex(), 0);
}

// A real run: the string-list page's Create Folder(s) with its Visual Log on
// fills the window's lists, and an outside reader reads what the run made.
TEST_F(StringListPageTest, AResultsListOfARunReadsThroughTheListBoxMessages) {
  dest.AddFolder("old");
  PickDestination(dest.Path());
  Type("new1");
  Type("old");
  Type("a\\b");
  Create();
  OutsideReader reader(frmStatistic02->Row().caption);
  ASSERT_TRUE(reader.Found());
  ASSERT_EQ(reader.ListCount(), 5u);
  EXPECT_EQ(OutsideReader::Entries(reader.List(TResultsWindow::kFoldersCreated)),
            (Strings{dest / "a\\b", dest / "new1"}));
  EXPECT_EQ(OutsideReader::Entries(reader.List(TResultsWindow::kFoldersExists)), Strings{dest / "old"});
  EXPECT_EQ(OutsideReader::Entries(reader.List(TResultsWindow::kFoldersOther)), Strings{});
}

} // namespace
