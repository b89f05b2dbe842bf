// The smart import window on real files, its preview and its hand-over to the pages.
#include "app/frmMain.h"
#include "listwin/frmFileImport.h"
#include "support/press.h"
#include "support/program_fixture.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

using testsupport::Choose;
using testsupport::Press;
using testsupport::ProgramTest;
using testsupport::Tick;
using testsupport::Type;

namespace {

const std::string kCap = "Import File content.            ";

class ImportWindow : public ProgramTest {
protected:
  TfrmFileImport& W() { return *frmFileImport; }

  // Shows the window modally (as a page does) and lets the user act in it.
  int Open(std::function<void(TfrmFileImport&)> user) {
    seam.OnModal(frmFileImport, [user](ui::Form&) {
      user(*frmFileImport);
      return 0;
    });
    return frmFileImport->ShowModal();
  }
  void Browse(const std::string& path) {
    seam.ChooseFile(path);
    Press(W().btnFileImportBrowse);
  }
  std::string LastCaption() const { return seam.boxes.empty() ? "" : seam.Last().caption; }
};

TEST_F(ImportWindow, BrowseShowsTheLinesOfTheFileItOpened) {
  const std::string mixed = dir->AddFile("mixed.txt", "\xEF\xBB\xBF" "one\r\n\r\ntwo\rthree\n  \n" +
                                                          std::string(3000, 'L') + "\x1A" "x");
  Open([&](TfrmFileImport& w) {
    EXPECT_FALSE(w.btnFileImportFrom.Enabled());
    EXPECT_FALSE(w.btnFileImportOk.Enabled());
    Browse(mixed);
    EXPECT_EQ(LastCaption(), kCap + "Information no: 0450.");
    EXPECT_EQ(w.edtFileImportFileName.Text(), mixed);
    ASSERT_EQ(w.lstFileImportSource.Count(), 4);
    EXPECT_EQ(w.lstFileImportSource.Item(0), "one");
    EXPECT_EQ(w.lstFileImportSource.Item(2), "three");
    EXPECT_EQ(w.lstFileImportSource.Item(3), std::string(2048, 'L'));
    EXPECT_EQ(w.lblFileImportSourceLines.Text(), "4");
    EXPECT_TRUE(w.btnFileImportFrom.Enabled());
    EXPECT_FALSE(w.btnFileImportOk.Enabled());
    EXPECT_TRUE(w.rdoFileImportPlainText.Checked());

    // A file refused at the extension question and one that does not open leave the window as it was.
    const std::string csv = dir->AddFile("list.csv", "a,b\n");
    seam.Answer("0311", IDNO);
    Browse(csv);
    EXPECT_EQ(LastCaption(), kCap + "Warnings no: 0311.");
    Browse(dir->Path() + "\\missing.txt");
    EXPECT_EQ(LastCaption(), kCap + "Warnings no: 0312.");
    const std::string locked = dir->AddFile("locked.txt", "secret\n");
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    seam.boxes.clear();
    Browse(locked);
    CloseHandle(lock);
    EXPECT_EQ(LastCaption(), kCap + "Warnings no: 0312.");
    EXPECT_EQ(w.edtFileImportFileName.Text(), mixed);
    EXPECT_EQ(w.lstFileImportSource.Count(), 4);
    // UTF-16 text shows as text.
    Browse(dir->AddFile("wide.txt", std::string("\xFF\xFE" "C\0:\0\r\0\n\0x\0", 12)));
    EXPECT_EQ(w.lstFileImportSource.Items(), (std::vector<std::string>{"C:", "x"}));
    Press(w.btnFileImportCancel);
  });
}

// The text the window's hint bubble shows over a control, as the tooltip holds it.
std::string ShownHint(const ui::Control& control) {
  char text[512] = "";
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = GetParent(control.Handle());
  tool.uId = reinterpret_cast<UINT_PTR>(control.Handle());
  tool.lpszText = text;
  SendMessageA(control.Owner()->TooltipHandle(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return text;
}

TEST_F(ImportWindow, EveryOptionAndButtonShowsItsHint) {
  Open([&](TfrmFileImport& w) {
    const std::pair<const ui::Control*, std::string> hints[] = {
        {&w.edtFileImportFileName, "A source file name."},
        {&w.lstFileImportSource, "Content of the original file"},
        {&w.lstFileImportResults, "Temporary list created from the original file."},
        {&w.cboFileImportDelimiter, "Choose a delimiter from the list."},
        {&w.edtFileImportColumnNumber, "Select a column number."},
        {&w.btnFileImportFrom, "Create a Temporary List from the Original File."},
        {&w.btnFileImportOk, "Import the created list to the INCLUDE List and Close the Window."},
        {&w.btnFileImportCancel, "Close the Window without Importing the List"},
        {&w.btnFileImportClear, "Clear all Controls, and Set Defaults."},
    };
    EXPECT_TRUE(w.ShowHint);
    for (const auto& [control, hint] : hints) EXPECT_EQ(ShownHint(*control), hint);
    Press(w.btnFileImportCancel);
  });
}

struct PreviewCase {
  const char* what;
  std::string content;
  bool separated;
  std::string delimiter;
  std::string column;  // empty: all columns
  bool abandon;
  std::vector<std::string> expected;
};

TEST_F(ImportWindow, PreviewFollowsTheOptions) {
  const std::vector<PreviewCase> cases = {
      {"plain, repeats and letter case", "a\nA\n\"\"\nb\n", false, "", "", true, {"a", "b"}},
      {"quotes kept", "\"q\"\n", false, "", "", false, {"\"q\""}},
      {"all fields", "x;y\n\"z\";;w\n", true, ";", "", true, {"x", "y", "z", "w"}},
      {"one column, empty fields count", "1,,3\n4,5,6\n", true, ",", "3", true, {"3", "6"}},
      {"space", "a b  c\n", true, "space", "", true, {"a", "b", "c"}},
      {"typed three-character delimiter", "k ; l\n", true, " ; ", "", true, {"k", "l"}},
  };
  for (const PreviewCase& c : cases) {
    const std::string path = dir->AddFile("p.txt", c.content);
    Open([&](TfrmFileImport& w) {
      Browse(path);
      if (c.separated) {
        Choose(w.rdoFileImportSeparatedFile);
        Type(w.cboFileImportDelimiter, c.delimiter);
        if (!c.column.empty()) {
          Choose(w.rdoFileImportOneColumn);
          Type(w.edtFileImportColumnNumber, c.column);
        }
      }
      Tick(w.chkFileImportAbandonQMarks, c.abandon);
      Press(w.btnFileImportFrom);
      EXPECT_EQ(LastCaption(), kCap + "Information no: 0451.") << c.what;
      EXPECT_EQ(w.lstFileImportResults.Items(), c.expected) << c.what;
      EXPECT_EQ(w.lblFileImportPreviewLines.Text(), std::to_string(c.expected.size())) << c.what;
      EXPECT_TRUE(w.btnFileImportOk.Enabled()) << c.what;
      Press(w.btnFileImportCancel);
    });
  }
}

TEST_F(ImportWindow, RefusedOptionsKeepThePreviewAndFailuresAreNeverDone) {
  const std::string path = dir->AddFile("cols.txt", "a,b\nc,d\n");
  Open([&](TfrmFileImport& w) {
    Browse(path);
    Press(w.btnFileImportFrom);
    ASSERT_EQ(w.lstFileImportResults.Count(), 2);

    Choose(w.rdoFileImportSeparatedFile);
    Choose(w.rdoFileImportOneColumn);
    for (const char* bad : {"-3", "0", "1e12", "x", ""}) {
      Type(w.edtFileImportColumnNumber, bad);
      Press(w.btnFileImportFrom);
      EXPECT_EQ(LastCaption(), kCap + "Warnings no: 0452.") << bad;
      EXPECT_EQ(w.lstFileImportResults.Count(), 2) << bad;
    }
    Type(w.edtFileImportColumnNumber, "2");
    Type(w.cboFileImportDelimiter, "");
    Press(w.btnFileImportFrom);
    EXPECT_EQ(LastCaption(), kCap + "Warnings no: 0317.");
    EXPECT_EQ(w.lstFileImportResults.Count(), 2);

    // The file Browse loaded went away: 0313, an empty preview, OK disabled, no 0451.
    Type(w.cboFileImportDelimiter, ",");
    DeleteFileA(path.c_str());
    const size_t before = seam.boxes.size();
    Press(w.btnFileImportFrom);
    ASSERT_EQ(seam.boxes.size(), before + 1);
    EXPECT_EQ(LastCaption(), kCap + "Warnings no: 0313.");
    EXPECT_EQ(w.lstFileImportResults.Count(), 0);
    EXPECT_FALSE(w.btnFileImportOk.Enabled());

    // Clear returns to the start; a new Browse returns to plain text.
    Press(w.btnFileImportClear);
    EXPECT_EQ(w.edtFileImportFileName.Text(), "");
    EXPECT_EQ(w.lstFileImportSource.Count(), 0);
    EXPECT_FALSE(w.btnFileImportFrom.Enabled());
    EXPECT_TRUE(w.rdoFileImportPlainText.Checked());
    EXPECT_EQ(w.edtFileImportColumnNumber.Text(), "1");
    Press(w.btnFileImportCancel);
  });
}

TEST_F(ImportWindow, StringListPageTakesOnlyTheOkResult) {
  TfrmMain& m = *frmMain;
  frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate03);
  const std::string caption0377 = "Creating Folder(s).-From a String List.             Warning no: 0377.";
  m.Vol02.lstVol02ExcludeStrings.Add("beta");
  // The page's list controls open once a destination is chosen.
  const std::string dest = dir->AddFolder("dest");
  seam.PickFolder(dest);
  Press(m.Vol02.btnVol02AddDestFolder);
  const std::string path =
      dir->AddFile("names.txt", "alpha\nBETA\ngamma c:\\x\\y\nalpha\n  delta  \n");

  // Closed before any preview: the page warns and takes nothing.
  seam.OnModal(frmFileImport, [&](ui::Form&) {
    Press(W().btnFileImportCancel);
    return 0;
  });
  Press(m.Vol02.btnVol02SmartImport);
  EXPECT_EQ(LastCaption(), caption0377);
  EXPECT_EQ(m.Vol02.lstVol02IncludeStrings.Count(), 0);

  // A preview closed with Close copies nothing and warns of nothing.
  seam.OnModal(frmFileImport, [&](ui::Form&) {
    Browse(path);
    Press(W().btnFileImportFrom);
    Press(W().btnFileImportCancel);
    return 0;
  });
  const size_t before = seam.boxes.size();
  Press(m.Vol02.btnVol02SmartImport);
  EXPECT_EQ(seam.boxes.size(), before + 2);  // 0450 and 0451 only
  EXPECT_EQ(m.Vol02.lstVol02IncludeStrings.Count(), 0);

  // OK: pieces cut at drive starts, trimmed, without the exclude list's entries.
  seam.OnModal(frmFileImport, [&](ui::Form&) {
    EXPECT_EQ(W().lstFileImportResults.Count(), 4);  // the window kept its preview
    Press(W().btnFileImportOk);
    return 0;
  });
  Press(m.Vol02.btnVol02SmartImport);
  EXPECT_EQ(m.Vol02.lstVol02IncludeStrings.Items(), (std::vector<std::string>{"alpha", "delta", "gamma"}));
  EXPECT_EQ(m.Vol02.lblVol02IncludeSum.Text(), "3");
}

// The page's Add would refuse a drive, "?", "|" and a device name: so does its Smart Import.
TEST_F(ImportWindow, StringListPageTakesOnlyWhatItsAddTakes) {
  TfrmMain& m = *frmMain;
  frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate03);
  seam.PickFolder(dir->AddFolder("dest"));
  Press(m.Vol02.btnVol02AddDestFolder);
  const std::string path =
      dir->AddFile("names.txt", "alpha\n  beta  \nC:\\withdrive\nbad?name\npipe|x\ncon\nx/y\nsub\\leaf\n");
  seam.OnModal(frmFileImport, [&](ui::Form&) {
    Browse(path);
    Press(W().btnFileImportFrom);
    Press(W().btnFileImportOk);
    return 0;
  });
  Press(m.Vol02.btnVol02SmartImport);
  EXPECT_EQ(m.Vol02.lstVol02IncludeStrings.Items(), (std::vector<std::string>{"alpha", "beta", "sub\\leaf", "x\\y"}));
}

TEST_F(ImportWindow, PathListPageTakesOnlyPathsItsAddWouldTake) {
  PathListPage& p = frmMain->Vol04;  // the page at start
  const std::string d = dir->Path();
  p.lstVol04ExcludeFolderList.Add(d + "\\excluded");
  Press(p.btnVol04SmartImport);  // the script closes the empty window
  EXPECT_EQ(LastCaption(), "Creating Folder(s).-From a Folder List.             Warning no: 0383.");
  // Cut at drive starts; a missing drive, no drive, a device name, an excluded path and a
  // line holding a NUL stay out.
  const std::string path = dir->AddFile("paths.txt", d + "\\one\n" + d + "\\two " + d + "\\three\nQ:\\x\\y\nrel\\name\n" +
                                                         d + "\\con\n" + d + "\\EXCLUDED\n" +
                                                         // refused whole, never cut at the NUL
                                                         d + "\\nul" + '\0' + "tail\n" + d + "\\cut" + '\0' + d + "\\four\n");
  seam.OnModal(frmFileImport, [&](ui::Form&) {
    Browse(path);
    Press(W().btnFileImportFrom);
    Press(W().btnFileImportOk);
    return 0;
  });
  Press(p.btnVol04SmartImport);
  EXPECT_EQ(p.lstVol04IncludeFolderList.Items(), (std::vector<std::string>{d + "\\one", d + "\\three", d + "\\two"}));
}

} // namespace
