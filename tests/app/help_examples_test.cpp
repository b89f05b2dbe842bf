// The help, about, tutorial and examples windows, opened from buttons and menus where they exist.
#include "app/frmMain.h"
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

#include <functional>
#include <string>
#include <tuple>
#include <vector>

using testsupport::Press;
using testsupport::TempDir;
using Lines = std::vector<std::string>;

namespace {

const char* const kTopics[] = {"Copy",          "Delete",         "Rename",     "CreateFolders", "CreateStrings",
                               "CreateNumbers", "CreateManually", "FileImport", "FileSelection"};

std::string Key(std::string topic) {
  for (char& c : topic) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return topic;
}

Lines TextLines(HelpSections text) {
  Lines lines;
  for (HelpSections section = text; section && *section; ++section)
    for (HelpText line = *section; *line; ++line) lines.push_back(*line);
  return lines;
}

// What a text window showed while it was open.
struct Seen {
  std::string caption;
  Lines lines;
  bool moreHelp = false;
  int shown = 0;
};

class HelpAndExamples : public testsupport::ProgramTest {
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
};

TEST_F(HelpAndExamples, TopicKeysAreTrimmedAndMoreHelpFollowsItsOpener) {
  EXPECT_EQ(OpenTopic("CreateNumbers").caption, "Vextil Help");
  // The key is trimmed and upper-cased; an unknown key shows nothing; nothing is doubled.
  Lines strings = OpenTopic("CreateStrings").lines;
  EXPECT_FALSE(strings.empty());
  EXPECT_EQ(OpenTopic("  createSTRINGS \t").lines, strings);
  EXPECT_EQ(OpenTopic("CreateStrings").lines, strings);
  EXPECT_TRUE(OpenTopic("").lines.empty());
  EXPECT_TRUE(OpenTopic("Create Strings").lines.empty());

  // The file selection window hides "More help"; the next opener shows it.
  EXPECT_FALSE(OpenTopic("FileSelection", false).moreHelp);
  EXPECT_TRUE(OpenTopic("FileImport").moreHelp);
  EXPECT_EQ(seam.Unscripted(), 0);
}

TEST(HelpTexts, EveryTextIsPlainLinesWithSamplesOnDrivesEAndF) {
  std::vector<std::pair<std::string, Lines>> texts{{"more help", TextLines(kMoreHelpText)},
                                                   {"overview", TextLines(kOverViewText)}};
  for (const char* topic : kTopics) texts.push_back({topic, TextLines(HelpTopicText(Key(topic)))});
  for (const auto& [name, lines] : texts) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(lines.empty());
    for (const std::string& line : lines) {
      // A blank line is one blank; no control characters; no line too wide to read.
      if (line.find_first_not_of(' ') == std::string::npos) {
        EXPECT_EQ(line, " ");
      }
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

// The texts name only what the pages have: the Explorer option where a page
// has it, Examples buttons where the pages show them.
TEST_F(HelpAndExamples, TextsNameOnlyTheOptionsAndButtonsThePagesHave) {
  auto pageHas = [](ui::TabSheet* sheet, const std::string& caption) {
    for (HWND h = GetWindow(sheet->Handle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
      char text[80] = "";
      GetWindowTextA(h, text, sizeof text);
      if ((GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) && std::string(text).rfind(caption, 0) == 0) return true;
    }
    return false;
  };
  auto says = [](const Lines& lines, const std::string& words) {
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    return all.find(words) != std::string::npos;
  };
  const std::pair<ui::TabSheet*, const char*> kPages[] = {{&frmMain->tabFolderCreate05, "CREATEFOLDERS"},
                                                          {&frmMain->tabFolderCreate03, "CREATESTRINGS"},
                                                          {&frmMain->tabFolderCreate04, "CREATENUMBERS"}};
  for (const auto& [sheet, topic] : kPages)
    EXPECT_EQ(says(TextLines(HelpTopicText(topic)), "Explorer"), pageHas(sheet, "Explorer")) << topic;
  // The exclude list's delete button is named as the page itself names it.
  const std::pair<ui::TabSheet*, const char*> kListPages[] = {
      {&frmMain->tabFolderCreate05, "CREATEFOLDERS"}, {&frmMain->tabFolderCreate03, "CREATESTRINGS"},
      {&frmMain->tabFoldersRename01, "RENAME"},       {&frmMain->tabFoldersDelete01, "DELETE"},
      {&frmMain->tabFoldersCopy02, "COPY"}};
  for (const auto& [sheet, topic] : kListPages) {
    frmMain->pgeMain.SetActivePage(sheet);
    for (const char* button : {"Delete Excluded", "Delete Selected"})
      if (says(TextLines(HelpTopicText(topic)), button)) EXPECT_TRUE(pageHas(sheet, button)) << topic << ": " << button;
  }
  // The file-type label is quoted as the page shows it.
  frmMain->pgeMain.SetActivePage(&frmMain->tabFoldersDelete01);
  EXPECT_TRUE(says(TextLines(HelpTopicText("DELETE")),
                   "\"Active File Types: " + frmMain->Vol07.lblVol07FileTypesAllSelected.Text() + "\""))
      << frmMain->Vol07.lblVol07FileTypesAllSelected.Text();
  bool everyPageHasExamples = true;
  for (int i = 0; i < frmMain->pgeMain.PageCount(); ++i)
    if (frmMain->pgeMain.Page(i)->TabVisible()) everyPageHasExamples &= pageHas(frmMain->pgeMain.Page(i), "Examples");
  EXPECT_EQ(says(TextLines(kOverViewText), "Each page has its own"), everyPageHasExamples);
}

TEST_F(HelpAndExamples, PageHelpButtonsMenuAndMoreHelpOpenTheirTexts) {
  // The creation pages' "?".
  const std::tuple<ui::TabSheet*, ui::Button*, const char*> kPages[] = {
      {&frmMain->tabFolderCreate03, &frmMain->Vol02.btnVol02ListHelp, "CREATESTRINGS"},
      {&frmMain->tabFolderCreate04, &frmMain->Vol03.btnVol03Help, "CREATENUMBERS"},
      {&frmMain->tabFolderCreate05, &frmMain->Vol04.btnVol04Help, "CREATEFOLDERS"}};
  for (const auto& [sheet, help, topic] : kPages) {
    frmMain->pgeMain.SetActivePage(sheet);
    Seen seen;
    Record(frmAltalanosHelp, seen);
    ASSERT_TRUE(Press(*help)) << topic;
    EXPECT_EQ(seen.lines, TextLines(HelpTopicText(topic)));
    EXPECT_TRUE(seen.moreHelp);
  }

  // The list windows' Help buttons: the window each opens, "More help" shown or hidden.
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

  // The manual page's Help shows "More help" again, which opens the further help on top.
  frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate01);
  Seen manual, more, again, overview;
  Record(frmMoreHelp, more);
  Record(frmAltalanosHelp, manual, [] { Press(frmAltalanosHelp->btnAltalanosHelpMoreHelp); });
  ASSERT_TRUE(Press(frmMain->Manual.btnForcedHelp));
  EXPECT_EQ(manual.lines, TextLines(HelpTopicText("CREATEMANUALLY")));
  EXPECT_TRUE(manual.moreHelp);
  ASSERT_EQ(more.shown, 1);
  EXPECT_EQ(more.lines, TextLines(kMoreHelpText));
  Record(frmMoreHelp, again);
  ShowMoreHelp();
  EXPECT_EQ(again.lines, more.lines);

  Record(frmOverViewHelp, overview);
  ChooseMenu(IDM_OVERVIEW);
  EXPECT_EQ(overview.lines, TextLines(kOverViewText));
}

TEST_F(HelpAndExamples, AboutLinksOpenTheirPages) {
  seam.OnModal(AboutBox, [&](ui::Form&) {
    testsupport::ClickLabel(AboutBox->statHtmlKorvanis);
    testsupport::ClickLabel(AboutBox->statHtmlSupport);
    Press(AboutBox->btnAboutOk);
    return 0;
  });
  ChooseMenu(IDM_ABOUT1);
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
  ASSERT_EQ(seam.shellOpens.size(), 7u);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(seam.shellOpens[i], "basic.htm||");
    EXPECT_EQ(seam.shellOpenCurrentDirs[i], dir->Path());
  }
  EXPECT_EQ(seam.shellOpens[6], std::string(kHomePage) + "||");
  char current[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(current, elsewhere.Path());
  SetCurrentDirectoryA(dir->Path().c_str());
}

// The visible result lists of an examples window.
std::vector<Lines> Results(TExamplesWindow& w) {
  std::vector<Lines> v;
  for (ui::ListBox& list : w.results)
    if (list.Visible()) v.push_back(list.Items());
  return v;
}
std::vector<Lines> Expected(const ExamplesOption& option) {
  std::vector<Lines> v;
  for (const ExamplesList& list : option.results) v.push_back(ExpandExamplesList(list));
  return v;
}

TEST_F(HelpAndExamples, EachExamplesWindowShowsItsSampleAndEveryOptionsResults) {
  for (ExamplesKind kind : {ExamplesKind::CreateStrings, ExamplesKind::CreateFolders, ExamplesKind::CreateNumbers,
                            ExamplesKind::Copy, ExamplesKind::Delete, ExamplesKind::Rename}) {
    TExamplesWindow& w = *ExamplesWindow(kind);
    const ExamplesTable& table = ExamplesTableOf(kind);
    SCOPED_TRACE(w.Caption());
    frmMain->pgeMain.SetActivePage(kind == ExamplesKind::CreateFolders   ? &frmMain->tabFolderCreate05
                                   : kind == ExamplesKind::CreateNumbers ? &frmMain->tabFolderCreate04
                                                                         : &frmMain->tabFolderCreate03);
    const size_t options = table.options.size();
    int opened = 0;
    seam.OnModal(&w, [&](ui::Form&) {
      ++opened;
      for (int i = 0; i < 3; ++i) EXPECT_EQ(w.inputs[i].Items(), table.inputs[i]);
      EXPECT_EQ(Results(w), Expected(table.options[0]));  // before any click
      for (size_t i = 0; i < options; ++i) {
        testsupport::Choose(w.options[i]);
        EXPECT_TRUE(w.options[i].Checked());
        EXPECT_EQ(Results(w), Expected(table.options[i])) << table.options[i].caption;
      }
      Press(w.btnClose);
      return 0;
    });
    // Pages not built yet: their windows open through the entry function.
    if (kind == ExamplesKind::CreateStrings) ASSERT_TRUE(Press(frmMain->Vol02.btnVol02Example));
    else if (kind == ExamplesKind::CreateFolders) ASSERT_TRUE(Press(frmMain->Vol04.btnVol04Examples));
    else if (kind == ExamplesKind::CreateNumbers) ASSERT_TRUE(Press(frmMain->Vol03.btnVol03Examples));
    else ShowExamples(kind);
    EXPECT_EQ(opened, 1);

    // Shown again: the last choice and its results stay, nothing doubled.
    std::vector<Lines> again;
    seam.OnModal(&w, [&](ui::Form&) {
      again = Results(w);
      EXPECT_EQ(w.inputs[0].Items(), table.inputs[0]);  // not doubled
      Press(w.btnClose);
      return 0;
    });
    ShowExamples(kind);
    EXPECT_TRUE(w.options[options - 1].Checked());
    EXPECT_EQ(again, Expected(table.options.back()));
  }
}

} // namespace
