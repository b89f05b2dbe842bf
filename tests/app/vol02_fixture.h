// Drives the string-list creation page as a user would: picks folders through
// the scripted picker, types strings, presses buttons, answers the boxes.
#pragma once
#include "app/frmMain.h"
#include "create/frmStatistic.h"
#include "support/program_fixture.h"
#include "support/temp_dir.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vol02test {

class Vol02Test : public testsupport::ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate03);
  }

  TfrmMain& M() { return *frmMain; }

  void Press(ui::Button& button) {
    button.SetFocus();
    button.Click();
  }

  void PickDestination(const std::string& path) {
    seam.OnPickFolder([path](ui::FolderPickRequest& r) {
      r.result = path;
      return !path.empty();
    });
    Press(M().btnVol02AddDestFolder);
  }

  void Type(const std::string& text) {
    M().edtVol02AddToList.SetText(text);
    Press(M().btnVol02AddToList);
  }

  void AddStructure(const std::string& path) {
    seam.OnPickFolder([path](ui::FolderPickRequest& r) {
      r.result = path;
      return true;
    });
    Press(M().btnVol02AddFolderStructure);
  }

  // Create Folder(s), answering Yes; the end box is counted.
  void Create() {
    seam.Answer("0025", IDYES);
    seam.Answer("0026", IDOK);
    Press(M().btnVol02CreateFolders);
  }

  void Simulate() {
    seam.Answer("0455", IDYES);
    seam.Answer("0457", IDOK);
    Press(M().btnVol02CreateFoldersSimulation);
  }

  // The sixteen page counter labels, row by row.
  std::vector<std::string> PageCounters() {
    TfrmMain& m = M();
    return {m.lblVol02FoldersToCreate.Text(), m.lblVol02SubFoldersToCreate.Text(),
            m.lblVol02FilesToCreate.Text(),   m.lblVol02FilesSizeToCreate.Text(),
            m.lblVol02FoldersCreated.Text(),  m.lblVol02SubFoldersCreated.Text(),
            m.lblVol02FilesCreated.Text(),    m.lblVol02FilesSizeCreated.Text(),
            m.lblVol02FoldersExists.Text(),   m.lblVol02SubFoldersExists.Text(),
            m.lblVol02FilesExists.Text(),     m.lblVol02FilesSizeExists.Text(),
            m.lblVol02FoldersOther.Text(),    m.lblVol02SubFoldersOther.Text(),
            m.lblVol02FilesOther.Text(),      m.lblVol02FilesSizeOther.Text()};
  }
  std::vector<std::string> WindowCounters() {
    TfrmStatistic02& w = *frmStatistic02;
    return {w.lblStat02FoldersToCreate.Text(), w.lblStat02SubFoldersToCreate.Text(),
            w.lblStat02FilesToCreate.Text(),   w.lblStat02FilesSizeToCreate.Text(),
            w.lblStat02FoldersCreated.Text(),  w.lblStat02SubFoldersCreated.Text(),
            w.lblStat02FilesCreated.Text(),    w.lblStat02FilesSizeCreated.Text(),
            w.lblStat02FoldersExists.Text(),   w.lblStat02SubFoldersExists.Text(),
            w.lblStat02FilesExists.Text(),     w.lblStat02FilesSizeExists.Text(),
            w.lblStat02FoldersOther.Text(),    w.lblStat02SubFoldersOther.Text(),
            w.lblStat02FilesOther.Text(),      w.lblStat02FilesSizeOther.Text()};
  }

  static std::vector<std::string> Row(std::vector<std::string> all, int row) {
    return std::vector<std::string>(all.begin() + 4 * row, all.begin() + 4 * row + 4);
  }

  std::vector<std::string> CaptionsContaining(const std::string& part) const {
    std::vector<std::string> out;
    for (const auto& b : seam.boxes)
      if (b.caption.find(part) != std::string::npos) out.push_back(b.caption);
    return out;
  }
};

using Strings = std::vector<std::string>;
using testsupport::FileExists;
using testsupport::FolderExists;
using testsupport::ListTree;
using testsupport::ReadFile;

// The page's caption title, before "Warning no: " or "Information no: ".
const std::string kT = "Creating Folder(s).-From a String List.            ";

} // namespace vol02test
