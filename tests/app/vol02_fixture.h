// Drives the string-list creation page as a user would: picks folders through
// the scripted picker, types strings, presses buttons, answers the boxes.
#pragma once
#include "app/frmMain.h"
#include "create/frmStatistic.h"
#include "support/press.h"
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

  static bool Press(ui::Button& button) { return testsupport::Press(button); }

  void PickDestination(const std::string& path) {
    seam.OnPickFolder([path](ui::FolderPickRequest& r) {
      r.result = path;
      return !path.empty();
    });
    Press(M().Vol02.btnVol02AddDestFolder);
  }

  void Type(const std::string& text) {
    M().Vol02.edtVol02AddToList.SetText(text);
    Press(M().Vol02.btnVol02AddToList);
  }

  void AddStructure(const std::string& path) {
    seam.OnPickFolder([path](ui::FolderPickRequest& r) {
      r.result = path;
      return true;
    });
    Press(M().Vol02.btnVol02AddFolderStructure);
  }

  // Create Folder(s), answering Yes; the end box is counted.
  void Create() {
    seam.Answer("0025", IDYES);
    seam.Answer("0026", IDOK);
    Press(M().Vol02.btnVol02CreateFolders);
  }

  void Simulate() {
    seam.Answer("0455", IDYES);
    seam.Answer("0457", IDOK);
    Press(M().Vol02.btnVol02CreateFoldersSimulation);
  }

  // The sixteen page counter labels, row by row.
  std::vector<std::string> PageCounters() {
    TfrmMain& m = M();
    return {m.Vol02.lblVol02FoldersToCreate.Text(), m.Vol02.lblVol02SubFoldersToCreate.Text(),
            m.Vol02.lblVol02FilesToCreate.Text(),   m.Vol02.lblVol02FilesSizeToCreate.Text(),
            m.Vol02.lblVol02FoldersCreated.Text(),  m.Vol02.lblVol02SubFoldersCreated.Text(),
            m.Vol02.lblVol02FilesCreated.Text(),    m.Vol02.lblVol02FilesSizeCreated.Text(),
            m.Vol02.lblVol02FoldersExists.Text(),   m.Vol02.lblVol02SubFoldersExists.Text(),
            m.Vol02.lblVol02FilesExists.Text(),     m.Vol02.lblVol02FilesSizeExists.Text(),
            m.Vol02.lblVol02FoldersOther.Text(),    m.Vol02.lblVol02SubFoldersOther.Text(),
            m.Vol02.lblVol02FilesOther.Text(),      m.Vol02.lblVol02FilesSizeOther.Text()};
  }
  std::vector<std::string> WindowCounters() {
    TfrmStatistic02& w = *frmStatistic02;
    return {w.lblStatFoldersToCreate.Text(), w.lblStatSubFoldersToCreate.Text(),
            w.lblStatFilesToCreate.Text(),   w.lblStatFilesSizeToCreate.Text(),
            w.lblStatFoldersCreated.Text(),  w.lblStatSubFoldersCreated.Text(),
            w.lblStatFilesCreated.Text(),    w.lblStatFilesSizeCreated.Text(),
            w.lblStatFoldersExists.Text(),   w.lblStatSubFoldersExists.Text(),
            w.lblStatFilesExists.Text(),     w.lblStatFilesSizeExists.Text(),
            w.lblStatFoldersOther.Text(),    w.lblStatSubFoldersOther.Text(),
            w.lblStatFilesOther.Text(),      w.lblStatFilesSizeOther.Text()};
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
