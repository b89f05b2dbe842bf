#include "examples/help_windows.h"

#include "core/settings_store.h"
#include "core/textutil.h"
#include "ui/dialogs.h"
#include "ui/hyperlink.h"
#include "ui/seam.h"

#include <windows.h>

TfrmAltalanosHelp* frmAltalanosHelp = nullptr;
TfrmMoreHelp* frmMoreHelp = nullptr;
TfrmOverViewHelp* frmOverViewHelp = nullptr;
TAboutBox* AboutBox = nullptr;
TfrmVideoTutorials* frmVideoTutorials = nullptr;

const char kProductPage[] = "https://www.vextil.org/vextil/";
const char kSupportPage[] = "https://www.vextil.org/support/";
const char kHomePage[] = "https://www.vextil.org/";

namespace {
std::string UpperCaseCopy(std::string text) {
  if (!text.empty()) CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
  return text;
}
} // namespace

THelpTextWindow::THelpTextWindow(int dialogId, HelpSections fixedText)
    : ui::Form(dialogId), fixedText_(fixedText) {
  OnCreate = [this] {
    lstHelp.SetHorizontalExtent(2000);
    if (fixedText_) Fill(fixedText_);
  };
  btnOk.OnClick = [this] { Close(); };
}

void THelpTextWindow::Fill(HelpSections text) {
  std::vector<std::string> lines;
  for (HelpSections section = text; section && *section; ++section)
    for (HelpText line = *section; *line; ++line) lines.push_back(*line);
  lstHelp.Clear();
  lstHelp.AddStrings(lines);
}

TfrmAltalanosHelp::TfrmAltalanosHelp() : THelpTextWindow(IDD_TFRMALTALANOSHELP, nullptr) {
  OnActivate = [this] { FormActivate(); };
  btnAltalanosHelpMoreHelp.OnClick = [] { ShowMoreHelp(); };
}

void TfrmAltalanosHelp::FormActivate() {
  Fill(HelpTopicText(UpperCaseCopy(core::TrimText(Topic))));
}

TAboutBox::TAboutBox() : ui::Form(IDD_TABOUTBOX) {
  OnCreate = [this] { FormCreate(); };
  statHtmlKorvanis.OnClick = [] { ui::ShellOpen(kProductPage); };
  statHtmlKorvanis.OnDblClick = statHtmlKorvanis.OnClick;
  statHtmlSupport.OnClick = [] { ui::ShellOpen(kSupportPage); };
  statHtmlSupport.OnDblClick = statHtmlSupport.OnClick;
  btnAboutOk.OnClick = [this] { Close(); };
}

void TAboutBox::FormCreate() {
  statHtmlKorvanis.SetText(kProductPage);
  statHtmlSupport.SetText(kSupportPage);
  for (ui::Label* link : {&statHtmlKorvanis, &statHtmlSupport}) {
    SetWindowLongA(link->Handle(), GWL_STYLE, GetWindowLongA(link->Handle(), GWL_STYLE) | SS_NOTIFY);
    ui::ConvertStaticToHyperlink(link->Handle());
  }
}

TfrmVideoTutorials::TfrmVideoTutorials() : ui::Form(IDD_TFRMVIDEOTUTORIALS) {
  for (ui::Button* b : {&btnVideoTutorialsCopy01, &btnVideoTutorialsDelete01, &btnVideoTutorialsRename01,
                        &btnVideoTutorialsCRStrings, &btnVideoTutorialsCRFolders, &btnVideoTutorialsCRIncNum})
    b->OnClick = [] { OpenBasicHtm(); };
  btnVideoTutorialsInternet.OnClick = [] { ui::ShellOpen(kHomePage); };
  btnVIdeoTutorialsClose.OnClick = [this] { Close(); };
}

void InStartupDirectory(const std::function<void()>& fn) {
  char saved[MAX_PATH] = "";
  DWORD n = GetCurrentDirectoryA(MAX_PATH, saved);
  SetCurrentDirectoryA(core::Settings().GetStartupDirectory().c_str());
  fn();
  if (n > 0 && n < MAX_PATH) SetCurrentDirectoryA(saved);
}

void OpenBasicHtm() {
  InStartupDirectory([] { ui::seam().ShellOpen(nullptr, "basic.htm", "", "", SW_SHOWNORMAL); });
}

void SetHelpTopic(TfrmAltalanosHelp* helpWindow, const std::string& topic) { helpWindow->Topic = topic; }

void ShowHelpTopic(const std::string& topic, bool moreHelp) {
  SetHelpTopic(frmAltalanosHelp, topic);
  frmAltalanosHelp->btnAltalanosHelpMoreHelp.SetVisible(moreHelp);
  frmAltalanosHelp->ShowModal();
}

void ShowMoreHelp() { frmMoreHelp->ShowModal(); }
void ShowOverView() { frmOverViewHelp->ShowModal(); }
void ShowAbout() { AboutBox->ShowModal(); }
