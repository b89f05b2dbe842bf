// The six examples windows: one display-only design bound to each window by a
// table of its sample (input lists and edits, check boxes, the options of the
// page's main choice and, for each option, the result lists it shows). The
// windows change nothing on disk; a choice stays ticked between showings.
#pragma once
#include "forms/TfrmExamples.h"
#include "ui/controls.h"

#include <string>
#include <vector>

// A run of list entries: each base in turn with each tail appended to it (a
// plain run of entries has the one empty tail).
struct ExamplesBlock {
  std::vector<std::string> bases;
  std::vector<std::string> tails{""};
};
// A list's entries: its blocks one after the other.
using ExamplesList = std::vector<ExamplesBlock>;
std::vector<std::string> ExpandExamplesList(const ExamplesList& list);

struct ExamplesOption {
  const char* caption;
  // The result lists this option shows, in the order of the window's result
  // lists (one or two).
  std::vector<ExamplesList> results;
};

// What one examples window shows. Empty label texts leave their slot hidden.
struct ExamplesTable {
  const char* inputLabels[3];
  std::vector<std::string> inputs[3];
  const char* editLabels[5];
  const char* edits[5];
  const char* checks[2];             // ticked, display only
  const char* group;                 // caption of the options' group
  const char* groupNote;             // text under the options (may be empty)
  std::vector<ExamplesOption> options;  // the first is ticked at start
  const char* resultLabels[2];
  const char* notes[2];
};

// Which page's examples (the tables are in examples_tables.cpp).
enum class ExamplesKind { CreateStrings, CreateFolders, CreateNumbers, Copy, Delete, Rename };
const ExamplesTable& ExamplesTableOf(ExamplesKind kind);

class TExamplesWindow : public ui::Form {
public:
  TExamplesWindow(int dialogId, ExamplesKind kind);

  ui::Label inputLabels[3]{{this, IDC_EX_INPUTLABEL0}, {this, IDC_EX_INPUTLABEL1}, {this, IDC_EX_INPUTLABEL2}};
  ui::ListBox inputs[3]{{this, IDC_EX_INPUTLIST0}, {this, IDC_EX_INPUTLIST1}, {this, IDC_EX_INPUTLIST2}};
  ui::Label editLabels[5]{{this, IDC_EX_EDITLABEL0}, {this, IDC_EX_EDITLABEL1}, {this, IDC_EX_EDITLABEL2},
                          {this, IDC_EX_EDITLABEL3}, {this, IDC_EX_EDITLABEL4}};
  ui::Edit edits[5]{{this, IDC_EX_EDIT0}, {this, IDC_EX_EDIT1}, {this, IDC_EX_EDIT2}, {this, IDC_EX_EDIT3},
                    {this, IDC_EX_EDIT4}};
  ui::CheckBox checks[2]{{this, IDC_EX_CHECK0}, {this, IDC_EX_CHECK1}};
  ui::GroupBox group{this, IDC_EX_GROUP};
  ui::RadioButton options[4]{{this, IDC_EX_RADIO0}, {this, IDC_EX_RADIO1}, {this, IDC_EX_RADIO2},
                             {this, IDC_EX_RADIO3}};
  ui::Label groupNote{this, IDC_EX_GROUPNOTE};
  ui::Label resultLabels[2]{{this, IDC_EX_RESULTLABEL0}, {this, IDC_EX_RESULTLABEL1}};
  ui::ListBox results[2]{{this, IDC_EX_RESULTLIST0}, {this, IDC_EX_RESULTLIST1}};
  ui::Label notes[2]{{this, IDC_EX_NOTE0}, {this, IDC_EX_NOTE1}};
  ui::Button btnClose{this, IDC_EX_CLOSE};

  const ExamplesTable& Table() const { return table_; }

private:
  void FormCreate();
  // Empties the result lists and fills them for the option.
  void ShowOption(int option);

  const ExamplesTable& table_;
};

// Each window is the design bound to its page's table.
template <int DialogId, ExamplesKind Kind> class TExamplesWindowOf : public TExamplesWindow {
public:
  TExamplesWindowOf() : TExamplesWindow(DialogId, Kind) {}
};
using TfrmExamplesCopy = TExamplesWindowOf<IDD_TFRMEXAMPLESCOPY, ExamplesKind::Copy>;
using TfrmExamplesCreateFolders = TExamplesWindowOf<IDD_TFRMEXAMPLESCREATEFOLDERS, ExamplesKind::CreateFolders>;
using TfrmExamplesIncreasedNumbers =
    TExamplesWindowOf<IDD_TFRMEXAMPLESINCREASEDNUMBERS, ExamplesKind::CreateNumbers>;
using TfrmDriveSelect = TExamplesWindowOf<IDD_TFRMDRIVESELECT, ExamplesKind::CreateStrings>;
using TfrmExamplesDelete = TExamplesWindowOf<IDD_TFRMEXAMPLESDELETE, ExamplesKind::Delete>;
using TfrmExamplesRename = TExamplesWindowOf<IDD_TFRMEXAMPLESRENAME, ExamplesKind::Rename>;

extern TfrmExamplesCopy* frmExamplesCopy;
extern TfrmExamplesCreateFolders* frmExamplesCreateFolders;
extern TfrmExamplesIncreasedNumbers* frmExamplesIncreasedNumbers;
extern TfrmDriveSelect* frmDriveSelect;
extern TfrmExamplesDelete* frmExamplesDelete;
extern TfrmExamplesRename* frmExamplesRename;

// The window of a kind (created at start-up), and its opener for the pages'
// Examples buttons: shows it modally.
TExamplesWindow* ExamplesWindow(ExamplesKind kind);
void ShowExamples(ExamplesKind kind);
