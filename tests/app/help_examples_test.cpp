// The help, overview, about, tutorial and examples windows, opened as a user
// opens them (page buttons, menu items) or directly where no page has them yet.
#include "app/frmMain.h"
#include "ui/hyperlink.h"
#include "examples/examples_window.h"
#include "examples/help_windows.h"
#include "listwin/frmEditIncludeList.h"
#include "listwin/frmFileImport.h"
#include "listwin/frmFileSelection.h"
#include "support/press.h"
#include "support/program_fixture.h"
#include "support/temp_dir.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using testsupport::Choose;
using testsupport::Press;
using testsupport::ProgramTest;
using testsupport::TempDir;
using Lines = std::vector<std::string>;

namespace {

// What a text window showed while it was open.
struct Seen {
  std::string caption;
  Lines lines;
  bool moreHelp = false;
  int shown = 0;
};

class HelpAndExamples : public ProgramTest {
protected:
  // The next showing of the text window is recorded, then closed by its OK.
  void Record(THelpTextWindow* window, Seen& into, std::function<void()> inside = nullptr) {
    seam.OnModal(window, [window, &into, inside](ui::Form&) {
      into.caption = window->Caption();
      into.lines = window->lstHelp.Items();
      if (window == frmAltalanosHelp) into.moreHelp = frmAltalanosHelp->btnAltalanosHelpMoreHelp.Visible();
      ++into.shown;
      if (inside) inside();
      Press(window->btnOk);
      return 0;
    });
  }
  Seen OpenTopic(const std::string& topic, bool moreHelp = true) {
    Seen seen;
    Record(frmAltalanosHelp, seen);
    ShowHelpTopic(topic, moreHelp);
    return seen;
  }
  // Sends a menu command after checking that the item is enabled.
  void ChooseMenu(int id) {
    UINT state = GetMenuState(GetMenu(frmMain->Handle()), id, MF_BYCOMMAND);
    ASSERT_FALSE(state & (MF_DISABLED | MF_GRAYED));
    SendMessageA(frmMain->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  }
  std::string CurrentDirectory() {
    char buffer[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
  }
};

TEST_F(HelpAndExamples, EachTopicShowsItsTextAndMoreHelpFollowsItsOpener) {
  const struct {
    const char* topic;
    size_t lines;
    const char* first;
    const char* last;
  } kTopics[] = {
      {"Copy", 114, "COPYING FOLDER STRUCTURES TO A LIST OF FOLDERS", "options on a small sample."},
      {"Delete", 193, "DELETING MULTIPLE FOLDERS AND/OR FILES", "  - There is no Undo: a Simulation costs nothing, a mistake can."},
      {"Rename", 70, "RENAMING MULTIPLE FOLDERS", "  - A Simulation first costs nothing."},
      {"CreateFolders", 132, "CREATING FOLDERS FROM A LIST OF FULL PATHS", "longer possible)."},
      {"CreateStrings", 153, "CREATING FOLDERS FROM A LIST OF STRINGS", "longer possible)."},
      {"CreateNumbers", 114, "CREATING FOLDERS FROM INCREASED NUMBERS", "longer possible)."},
      {"CreateManually", 21, "CREATING FOLDERS MANUALLY", "are refused before anything is created."},
      {"FileImport", 33, "SMART IMPORT - IMPORTING A LIST FROM A TEXT FILE", "   window and sets the options back to their defaults."},
      {"FileSelection", 20, "FILE SELECTION - THE FILE NAME PATTERN LINE", "my notes.txt."},
  };
  for (const auto& t : kTopics) {
    SCOPED_TRACE(t.topic);
    Seen seen = OpenTopic(t.topic);
    EXPECT_EQ(seen.caption, "Vextil Help");
    ASSERT_EQ(seen.lines.size(), t.lines);
    EXPECT_EQ(seen.lines.front(), t.first);
    EXPECT_EQ(seen.lines.back(), t.last);
    for (const std::string& line : seen.lines) EXPECT_FALSE(line.empty());  // blank lines are one blank
    EXPECT_TRUE(seen.moreHelp);
  }
  // Quoted lines stand whole in their topics.
  Lines numbers = OpenTopic("CreateNumbers").lines;
  EXPECT_NE(std::find(numbers.begin(), numbers.end(),
                      "If the end number is  100, you will have two padded zeroes 001, 002, etc."),
            numbers.end());

  // The key is trimmed and upper-cased; an empty or unknown key shows nothing;
  // a second showing shows the same lines, not twice as many.
  Lines strings = OpenTopic("CreateStrings").lines;
  EXPECT_EQ(OpenTopic("  createSTRINGS \t").lines, strings);
  EXPECT_EQ(OpenTopic("CreateStrings").lines, strings);
  EXPECT_TRUE(OpenTopic("").lines.empty());
  EXPECT_TRUE(OpenTopic("Create Strings").lines.empty());

  // The file selection window hides "More help"; the next opener shows it.
  EXPECT_FALSE(OpenTopic("FileSelection", false).moreHelp);
  EXPECT_TRUE(OpenTopic("FileImport").moreHelp);
  EXPECT_EQ(seam.Unscripted(), 0);
}

TEST_F(HelpAndExamples, EveryTextIsPlainLinesWithSamplesOnDrivesEAndF) {
  std::vector<std::pair<std::string, Lines>> texts;
  for (const char* topic : {"Copy", "Delete", "Rename", "CreateFolders", "CreateStrings", "CreateNumbers",
                            "CreateManually", "FileImport", "FileSelection"})
    texts.push_back({topic, OpenTopic(topic).lines});
  Seen more, overview;
  Record(frmMoreHelp, more);
  ShowMoreHelp();
  Record(frmOverViewHelp, overview);
  ShowOverView();
  texts.push_back({"more help", more.lines});
  texts.push_back({"overview", overview.lines});
  for (const auto& [name, lines] : texts) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(lines.empty());
    for (const std::string& line : lines) {
      // A blank line is one blank; no control characters; no line wider than
      // the list shows without much scrolling.
      if (line.find_first_not_of(' ') == std::string::npos) EXPECT_EQ(line, " ");
      for (char ch : line) EXPECT_GE(static_cast<unsigned char>(ch), 32u) << line;
      EXPECT_LE(line.size(), 110u) << line;
      // Sample paths use the drives e: and f: only.
      for (size_t at = line.find(":\\"); at != std::string::npos; at = line.find(":\\", at + 1)) {
        ASSERT_GT(at, 0u) << line;
        const char drive = static_cast<char>(tolower(line[at - 1]));
        EXPECT_TRUE(drive == 'e' || drive == 'f') << line;
      }
    }
  }
}

TEST_F(HelpAndExamples, EveryWindowFitsASmallScreen) {
  ui::Form* windows[] = {frmAltalanosHelp, frmMoreHelp, frmOverViewHelp, AboutBox, frmVideoTutorials,
                         frmExamplesCopy, frmExamplesCreateFolders, frmExamplesIncreasedNumbers,
                         frmDriveSelect, frmExamplesDelete, frmExamplesRename};
  for (ui::Form* w : windows) {
    RECT r;
    GetWindowRect(w->Handle(), &r);
    EXPECT_LE(r.right - r.left, 1024) << w->Caption();
    EXPECT_LE(r.bottom - r.top, 728) << w->Caption();  // 768 less a task bar
    EXPECT_FALSE(w->Visible()) << w->Caption();       // created hidden
  }
}

TEST_F(HelpAndExamples, PageHelpButtonsOpenTheirTopicsAndMoreHelpOpensFromThere) {
  // The string-list page's "?".
  frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate03);
  Seen strings;
  Record(frmAltalanosHelp, strings);
  ASSERT_TRUE(Press(frmMain->btnVol02ListHelp));
  ASSERT_EQ(strings.shown, 1);
  EXPECT_EQ(strings.lines.front(), "CREATING FOLDERS FROM A LIST OF STRINGS");

  // The list windows' Help buttons: the window each opens, "More help" shown
  // or hidden (the file selection hides it).
  const struct {
    ui::Form* window;
    ui::Button* help;
    THelpTextWindow* opens;
    const char* first;
    bool moreHelp;
  } kListWindows[] = {
      {frmFileImport, &frmFileImport->btnFileImportHelp, frmAltalanosHelp,
       "SMART IMPORT - IMPORTING A LIST FROM A TEXT FILE", true},
      {frmVol02EditIncludeList, &frmVol02EditIncludeList->btnEditFormHelp, frmMoreHelp,
       "Using Include - Exclude windows in the program.", false},
      {frmFileSelection, &frmFileSelection->btnFileSelectionHelp, frmAltalanosHelp,
       "FILE SELECTION - THE FILE NAME PATTERN LINE", false},
  };
  for (const auto& w : kListWindows) {
    SCOPED_TRACE(w.first);
    Seen seen;
    Record(w.opens, seen);
    seam.OnModal(w.window, [&w](ui::Form&) {
      Press(*w.help);
      return IDCANCEL;
    });
    w.window->ShowModal();
    ASSERT_EQ(seen.shown, 1);
    EXPECT_EQ(seen.lines.front(), w.first);
    EXPECT_EQ(seen.moreHelp, w.moreHelp);
  }

  // The manual page's Help, after the file selection's help hid "More help";
  // "More help" opens the further help on top.
  frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate01);
  Seen manual, more;
  Record(frmMoreHelp, more);
  Record(frmAltalanosHelp, manual, [] { Press(frmAltalanosHelp->btnAltalanosHelpMoreHelp); });
  ASSERT_TRUE(Press(frmMain->btnForcedHelp));
  ASSERT_EQ(manual.shown, 1);
  EXPECT_EQ(manual.lines.front(), "CREATING FOLDERS MANUALLY");
  EXPECT_TRUE(manual.moreHelp);
  ASSERT_EQ(more.shown, 1);
  ASSERT_EQ(more.lines.size(), 76u);
  EXPECT_EQ(more.lines.front(), "Using Include - Exclude windows in the program.");
  EXPECT_EQ(more.lines.back(), "a run or a simulation ends.");
  for (const char* line : {"Using the Include Folder list editor.", "Using the Include String List editor.",
                           "Visual Log - Detailed results window.",
                           "> - By pressing this button, the selected item(s) from the include window will be moved to the "})
    EXPECT_NE(std::find(more.lines.begin(), more.lines.end(), line), more.lines.end()) << line;
  EXPECT_EQ(frmMoreHelp->lstHelp.HorizontalExtent(), 2000);
  EXPECT_EQ(frmAltalanosHelp->lstHelp.HorizontalExtent(), 2000);

  // Opened again: the same 76 lines.
  Seen again;
  Record(frmMoreHelp, again);
  ShowMoreHelp();
  EXPECT_EQ(again.lines, more.lines);
}

TEST_F(HelpAndExamples, MenuOpensOverviewAndAboutWhoseLinksOpenTheirPages) {
  Seen overview;
  Record(frmOverViewHelp, overview);
  ChooseMenu(IDM_OVERVIEW);
  ASSERT_EQ(overview.shown, 1);
  EXPECT_EQ(overview.caption, "Vextil - OverView");
  EXPECT_EQ(overview.lines.front(), "Vextil - creating and handling many folders at once.");
  EXPECT_EQ(overview.lines.back(), "The settings are kept in the file default.set in the start-up folder.");
  EXPECT_NE(std::find(overview.lines.begin(), overview.lines.end(),
                      "The level of folder structure is limited only by a number of characters and can be max 256."),
            overview.lines.end());

  std::string product, rights, productLink, supportLink;
  seam.OnModal(AboutBox, [&](ui::Form&) {
    product = AboutBox->ProductName.Text();
    productLink = AboutBox->statHtmlKorvanis.Text();
    supportLink = AboutBox->statHtmlSupport.Text();
    for (ui::Label* link : {&AboutBox->statHtmlKorvanis, &AboutBox->statHtmlSupport}) {
      // Links react to clicks and are drawn in the link colour.
      EXPECT_TRUE(GetWindowLongA(link->Handle(), GWL_STYLE) & SS_NOTIFY);
      HDC dc = CreateCompatibleDC(nullptr);
      SendMessageA(AboutBox->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(link->Handle()));
      EXPECT_EQ(GetTextColor(dc), ui::kHyperlinkColor);
      DeleteDC(dc);
    }
    testsupport::ClickLabel(AboutBox->statHtmlKorvanis);
    testsupport::ClickLabel(AboutBox->statHtmlSupport);
    Press(AboutBox->btnAboutOk);
    return 0;
  });
  ChooseMenu(IDM_ABOUT1);
  EXPECT_EQ(seam.modalForms.back(), "About Vextil");
  EXPECT_EQ(product, "Vextil");
  EXPECT_EQ(productLink, kProductPage);
  EXPECT_EQ(supportLink, kSupportPage);
  EXPECT_EQ(seam.shellOpens, (Lines{std::string(kProductPage) + "||", std::string(kSupportPage) + "||"}));
}

TEST_F(HelpAndExamples, TutorialButtonsOpenTheLocalPageFromTheStartupDirectoryEvenWhenTheShellFails) {
  TempDir elsewhere;
  SetCurrentDirectoryA(elsewhere.Path().c_str());
  seam.shellResult = false;  // no browser: the shell reports it, the program goes on
  seam.OnModal(frmVideoTutorials, [](ui::Form&) {
    TfrmVideoTutorials& w = *frmVideoTutorials;
    for (ui::Button* b : {&w.btnVideoTutorialsCopy01, &w.btnVideoTutorialsDelete01, &w.btnVideoTutorialsRename01,
                          &w.btnVideoTutorialsCRStrings, &w.btnVideoTutorialsCRFolders, &w.btnVideoTutorialsCRIncNum,
                          &w.btnVideoTutorialsInternet})
      Press(*b);
    Press(w.btnVIdeoTutorialsClose);
    return 0;
  });
  frmVideoTutorials->ShowModal();
  EXPECT_EQ(seam.modalForms.back(), "Video Tutorials");
  ASSERT_EQ(seam.shellOpens.size(), 7u);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(seam.shellOpens[i], "basic.htm||");
    EXPECT_EQ(seam.shellOpenCurrentDirs[i], dir->Path());
  }
  EXPECT_EQ(seam.shellOpens[6], std::string(kHomePage) + "||");
  EXPECT_EQ(CurrentDirectory(), elsewhere.Path());
  SetCurrentDirectoryA(dir->Path().c_str());
}

// ---- Examples windows ---------------------------------------------------------

const std::string C = "f:\\Clients";

// Every base with every tail, base by base.
Lines Each(const Lines& bases, const Lines& tails) {
  Lines out;
  for (const std::string& b : bases)
    for (const std::string& t : tails) out.push_back(b + t);
  return out;
}
Lines operator+(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct ExampleCase {
  ExamplesKind kind;
  std::string caption;
  Lines inputs;        // the first input list
  Lines edits;         // the edits shown, in order
  Lines checks;        // the check boxes shown (all ticked)
  Lines notes;         // the notes under the results
  Lines options;       // radio captions
  std::vector<std::vector<Lines>> results;  // per option: the result lists
};

std::vector<ExampleCase> ExampleCases() {
  const Lines structures = {"e:\\Marketing", "f:\\Programs"};
  const Lines note = {"IMPORTANT !!!", "You can test different options by selecting different radio buttons."};
  auto creation = [&](ExamplesKind kind, const char* caption, Lines inputs, Lines edits, Lines checks, Lines notes,
                      Lines names, const char* s1, Lines options) {
    Lines n = Each({C + "\\"}, names);
    Lines mainTails = {std::string("\\Marketing\\") + s1, "\\Marketing\\SEO", "\\Programs\\Beta", "\\Programs\\Final"};
    Lines subTails = {std::string("\\") + s1, "\\SEO", "\\Beta", "\\Final"};
    return ExampleCase{kind,   caption, inputs, edits, checks, notes, options,
                       {{n}, {Each(n, mainTails)}, {Each(n, subTails)}}};
  };
  const Lines m = Each({C + "\\Customer"}, {"1", "2", "3"});
  const Lines t = {C + "\\Customer1\\Marketing", C + "\\Customer2\\Programs", C + "\\Customer3\\Analyses"};
  const Lines l = Each({t[0] + "\\"}, {"Emails", "SEO"}) + Each({t[1] + "\\"}, {"Beta", "Final"}) +
                  Each({t[2] + "\\"}, {"Exel", "PowerPoint"});
  const Lines fm = {m[0] + "\\index.html", m[1] + "\\basic.swf", m[2] + "\\extract.txt", m[2] + "\\t33.bmp"};
  const Lines fs = {l[0] + "\\License.doc", l[1] + "\\support.html", l[2] + "\\Main.cpp",
                    l[3] + "\\OverView.h", l[4] + "\\WeeklyReport.xls", l[5] + "\\feed.ppt"};
  const Lines companies = Each({C + "\\Company0"}, {"1", "2", "3"});
  const Lines renamed = Each({C + "\\Customer"}, {"1", "2", "3"});
  return {
      creation(ExamplesKind::CreateStrings, "Examples - Creating Multiple Folders from a List of Strings.",
               {"Customer1", "Customer2", "Customer3"}, {C, "2013", "May"}, {"Hyphen"},
               {"IMPORTANT !!!", "You can test different options by selecting different radio buttons"},
               {"2013-Customer1-May", "2013-Customer2-May", "2013-Customer3-May"}, "Emails",
               {"Attach Nothing", "Main Folders and their Subfolders", "Subfolders Only"}),
      creation(ExamplesKind::CreateFolders, "Examples - Creating Multiple Folders using a List of Folders", companies,
               {"2013", "May"}, {"Hyphen"}, note, {"2013-Company01-May", "2013-Company02-May", "2013-Company03-May"}, "E-mails",
               {"Attach Nothing", "Main Folders and their Subfolders", "Subfolders Only"}),
      creation(ExamplesKind::CreateNumbers, "Examples - Creating Multiple Folders using Increased  Numbers.",
               structures, {C, "Customer", "2013", "1", "3"}, {"Hyphen", "Padded Zeroes in Increase Numbers"}, note,
               {"Customer-1-2013", "Customer-2-2013", "Customer-3-2013"}, "E-mails",
               {"Attach Nothing", "Main Folders and their Subfolders (Empty Folder Structures - Without Files)",
                "Subfolders Only (Empty Folder Structures - Without Files)"}),
      {ExamplesKind::Copy, "Examples - Copying Folder Structures to a List of Folders", companies, {}, {},
       {"important !!!", note[1]},
       {"Main Folders and their Subfolders.", "Subfolders Only."},
       {{Each(companies, {"\\Marketing\\E-mails", "\\Marketing\\SEO", "\\Programs\\Beta", "\\Programs\\Final"})},
        {Each(companies, {"\\E-mails", "\\SEO", "\\Beta", "\\Final"})}}},
      {ExamplesKind::Delete, "Examples - Deleting Multiple Folders and/or Files.", m, {}, {},
       {"IMPORTANT !!!", "You can select different options by selecting different radio buttons."},
       {"Delete Complete Subfolder Structures - retain Main Folders.",
        "Delete List of Main Folders with Complete Structures - retain Nothing ",
        "Delete Selected Files from Main Folders Only. ", "Delete Selected Files from Main Folders and Subfolders too."},
       {{fs + fm + l + t, m}, {fs + fm + l + t + m, {C}}, {fm, fs + l}, {fs + fm, l}}},
      {ExamplesKind::Rename, "Examples - Renaming Multiple Folders.",
       {C + "\\Customer1\\Emails", C + "\\Customer2\\SEO", C + "\\Customer3\\Programs"},
       {"2013", "-", "_", "May", "Company"}, {}, note, {"Add Prefix and/or Suffix", "Rename the Last Subfolder"},
       {{{C + "\\Customer1\\2013-Emails_May", C + "\\Customer2\\2013-SEO_May", C + "\\Customer3\\2013-Programs_May"}},
        {Each(renamed, {"\\Company"})}}},
  };
}

// What an examples window shows: the first visible input list, the visible
// edits, the visible options, and the visible result lists.
struct ExamplesView {
  Lines inputs, edits, checks, notes, options;
  std::vector<Lines> results;
};
ExamplesView Look(TExamplesWindow& w) {
  ExamplesView v;
  for (ui::ListBox& list : w.inputs)
    if (list.Visible() && v.inputs.empty()) v.inputs = list.Items();
  for (ui::Edit& edit : w.edits)
    if (edit.Visible()) v.edits.push_back(edit.Text());
  for (ui::CheckBox& check : w.checks)
    if (check.Visible() && check.Checked()) v.checks.push_back(check.Text());
  for (ui::Label& note : w.notes)
    if (note.Visible()) v.notes.push_back(note.Text());
  for (ui::RadioButton& option : w.options)
    if (option.Visible()) v.options.push_back(option.Text());
  for (ui::ListBox& list : w.results)
    if (list.Visible()) v.results.push_back(list.Items());
  return v;
}

TEST_F(HelpAndExamples, EachExamplesWindowShowsItsSampleAndEveryOptionsResults) {
  frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate03);
  for (const ExampleCase& c : ExampleCases()) {
    SCOPED_TRACE(c.caption);
    TExamplesWindow& w = *ExamplesWindow(c.kind);
    std::vector<ExamplesView> seen;
    std::vector<bool> ticked;
    seam.OnModal(&w, [&](ui::Form&) {
      seen.push_back(Look(w));  // the first option's results, before any click
      for (size_t i = 0; i < c.options.size(); ++i) {
        Choose(w.options[i]);
        ticked.push_back(w.options[i].Checked());
        seen.push_back(Look(w));
      }
      Press(w.btnClose);
      return 0;
    });
    // The string-list page opens its window from its button; the other pages
    // are not here yet, so their windows are opened by their entry function.
    if (c.kind == ExamplesKind::CreateStrings) ASSERT_TRUE(Press(frmMain->btnVol02Example));
    else ShowExamples(c.kind);
    EXPECT_EQ(seam.modalForms.back(), c.caption);
    ASSERT_EQ(seen.size(), c.options.size() + 1);
    EXPECT_EQ(seen[0].inputs, c.inputs);
    EXPECT_EQ(seen[0].edits, c.edits);
    EXPECT_EQ(seen[0].checks, c.checks);
    for (ui::Edit& edit : w.edits)  // samples cannot be typed over
      EXPECT_TRUE(GetWindowLongA(edit.Handle(), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(seen[0].notes, c.notes);
    EXPECT_EQ(seen[0].options, c.options);
    EXPECT_EQ(seen[0].results, c.results[0]);
    for (size_t i = 0; i < c.options.size(); ++i) {
      EXPECT_TRUE(ticked[i]);
      EXPECT_EQ(seen[i + 1].results, c.results[i]) << c.options[i];
    }

    // Shown again: the last choice and its results stay, nothing doubled.
    ExamplesView again;
    seam.OnModal(&w, [&](ui::Form&) {
      again = Look(w);
      Press(w.btnClose);
      return 0;
    });
    ShowExamples(c.kind);
    EXPECT_TRUE(w.options[c.options.size() - 1].Checked());
    EXPECT_EQ(again.results, c.results.back());
    EXPECT_EQ(again.inputs, c.inputs);
  }
}

} // namespace
