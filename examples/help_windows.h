// The help windows: topic help (one text per page or window, picked by a key),
// further help on the shared list windows and editors, the overview, the about
// box and the tutorial window. All are display-only and shown modally.
#pragma once
#include "forms/TfrmHelp.h"
#include "ui/controls.h"

#include <functional>
#include <string>

// A text section: its lines in order, closed by a null pointer. A window's
// text is a list of sections, closed by a null pointer (pages share some).
using HelpText = const char* const*;
using HelpSections = const HelpText*;

// The topic texts (help_topics.cpp): the text of a key (trimmed, upper-cased
// topic), or nullptr when no topic has that key.
HelpSections HelpTopicText(const std::string& key);
extern const HelpText kMoreHelpText[];  // more_help_text.cpp
extern const HelpText kOverViewText[];  // overview_text.cpp

// One design for the three text windows: a list of text lines and OK.
class THelpTextWindow : public ui::Form {
public:
  ui::ListBox lstHelp{this, IDC_HELP_LIST};
  ui::Button btnOk{this, IDC_HELP_OK};

protected:
  // fixedText: the lines the window is filled with at creation (nullptr: the
  // window fills itself later).
  THelpTextWindow(int dialogId, HelpSections fixedText);
  // Empties the list and adds the text's lines (nullptr: none).
  void Fill(HelpSections text);

private:
  HelpSections fixedText_;
};

class TfrmAltalanosHelp : public THelpTextWindow {
public:
  TfrmAltalanosHelp();
  ui::Button btnAltalanosHelpMoreHelp{this, IDC_HELP_MOREHELP};
  std::string Topic;  // set by SetHelpTopic before the window is shown

private:
  void FormActivate();
};

class TfrmMoreHelp : public THelpTextWindow {
public:
  TfrmMoreHelp() : THelpTextWindow(IDD_TFRMMOREHELP, kMoreHelpText) {}
};

class TfrmOverViewHelp : public THelpTextWindow {
public:
  TfrmOverViewHelp() : THelpTextWindow(IDD_TFRMOVERVIEWHELP, kOverViewText) {}
};

class TAboutBox : public ui::Form {
public:
  TAboutBox();
  ui::Label ProductName{this, IDC_ABOUT_PRODUCTNAME};
  ui::Label statHtmlKorvanis{this, IDC_ABOUT_STATHTMLKORVANIS};
  ui::Label statHtmlSupport{this, IDC_ABOUT_STATHTMLSUPPORT};
  ui::Button btnAboutOk{this, IDC_ABOUT_OK};

private:
  void FormCreate();
};

class TfrmVideoTutorials : public ui::Form {
public:
  TfrmVideoTutorials();
  ui::Button btnVideoTutorialsCopy01{this, IDC_VIDEO_COPY01};
  ui::Button btnVideoTutorialsDelete01{this, IDC_VIDEO_DELETE01};
  ui::Button btnVideoTutorialsRename01{this, IDC_VIDEO_RENAME01};
  ui::Button btnVideoTutorialsCRStrings{this, IDC_VIDEO_CRSTRINGS};
  ui::Button btnVideoTutorialsCRFolders{this, IDC_VIDEO_CRFOLDERS};
  ui::Button btnVideoTutorialsCRIncNum{this, IDC_VIDEO_CRINCNUM};
  ui::Button btnVideoTutorialsInternet{this, IDC_VIDEO_INTERNET};
  ui::Button btnVIdeoTutorialsClose{this, IDC_VIDEO_CLOSE};
};

extern TfrmAltalanosHelp* frmAltalanosHelp;
extern TfrmMoreHelp* frmMoreHelp;
extern TfrmOverViewHelp* frmOverViewHelp;
extern TAboutBox* AboutBox;
extern TfrmVideoTutorials* frmVideoTutorials;

// The product and support pages the about box opens; the maker's home page
// ("Visit Vextil on the Web." and the tutorial window's Internet button).
extern const char kProductPage[];
extern const char kSupportPage[];
extern const char kHomePage[];

// Runs fn with the current directory set to the start-up directory (where the
// help file and the local tutorial page are), and sets it back afterwards.
void InStartupDirectory(const std::function<void()>& fn);
// Opens the local tutorial page "basic.htm" of the start-up directory in the shell.
void OpenBasicHtm();

// Stores the topic in the topic help window; it shows that topic's text the
// next time it is activated.
void SetHelpTopic(TfrmAltalanosHelp* helpWindow, const std::string& topic);
// The openers: topic help for a page or window ("More help" shown or hidden),
// further help, overview, about box.
void ShowHelpTopic(const std::string& topic, bool moreHelp = true);
void ShowMoreHelp();
void ShowOverView();
void ShowAbout();
