// Include-list text files of the pages, written and read through scripted file dialogs.
#include "app/frmMain.h"
#include "support/press.h"
#include "core/settings_store.h"
#include "support/program_fixture.h"
#include "support/whole_list.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::Press;
using testsupport::ProgramTest;
using testsupport::ReadFile;

namespace {

using Strings = std::vector<std::string>;
const std::string kT = "Creating Folder(s).-From a String List.";

class ListFile : public ProgramTest {
protected:
  TfrmMain& M() { return *frmMain; }
  void SetUp() override {
    ProgramTest::SetUp();
    frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate03);
  }
  Strings CaptionsFrom(size_t first) const {
    Strings out;
    for (size_t i = first; i < seam.boxes.size(); ++i) out.push_back(seam.boxes[i].caption);
    return out;
  }
};

TEST_F(ListFile, ExportWritesStringsAndImportReadsThemBack) {
  M().Vol02.lstVol02IncludeStrings.AddStrings({"beta", "alpha", "c:\\with drive"});
  const std::string path = dir->Path() + "\\list.txt";
  seam.ChooseFile(path);
  Press(M().Vol02.btnVol02Save);
  EXPECT_EQ(ReadFile(path), "alpha\r\nbeta\r\n");
  EXPECT_EQ(seam.Last().text, "End of the saving process.");
  EXPECT_EQ(seam.Last().caption, ui::App().Title);

  // Yes to the clear question: the list is the file's.
  seam.ChooseFile(path);
  seam.Answer("0014", IDYES);
  Press(M().Vol02.btnVol02Open);
  EXPECT_EQ(M().Vol02.lstVol02IncludeStrings.Items(), (Strings{"alpha", "beta"}));
  EXPECT_EQ(seam.Last().text, "End of the Loading process.");
  EXPECT_EQ(M().Vol02.lblVol02IncludeSum.Text(), "2");
}

TEST_F(ListFile, ImportTellsEveryRefusedLine) {
  M().Vol02.lstVol02ExcludeStrings.Add("gone");
  const std::string path = dir->AddFile(
      "in.txt", "\xEF\xBB\xBF" "one\rone\r\none\nGONE\n\nx:\\drive\nbi\x01" "n\n" + std::string(300, 'L') +
                    "\nbad|char\ny:\\later\ntwo");
  seam.ChooseFile(path);
  seam.Answer("0014", IDNO);
  seam.Answer("0143", IDYES);
  const size_t first = seam.boxes.size();
  Press(M().Vol02.btnVol02Open);
  EXPECT_EQ(M().Vol02.lstVol02IncludeStrings.Items(), (Strings{"one", "two"}));
  // Lines a list holds are told one by one; every line not taken is named in one box.
  EXPECT_EQ(CaptionsFrom(first),
            (Strings{kT + "            Information no: 0014.", kT + "             Warning no: 0141.",
                     kT + "             Warning no: 0141.", kT + "             Warning no: 0142.",
                     "r" + kT.substr(2) + "             Warning no: 0143.", kT + "            Warning no: 0010.",
                     ui::App().Title}));
  EXPECT_EQ(seam.boxes[seam.boxes.size() - 2].text,
            "Not every entry was added to the INCLUDE list !\n\n5 entries not taken :\n\n"
            "holds a drive letter : 2\n   x:\\drive\n   y:\\later\n"
            "illegal character (character code 1) : 1\n   bi?n\n"
            "255 characters or more : 1\n   " + std::string(22, 'L') + "..." + std::string(23, 'L') + "\n"
            "illegal character | : 1\n   bad|char\n\n"
            "The whole list : " + core::Settings().GetStartupDirectory() + "\\whole lists\\entries not taken.txt\n");
  // The long line is cut in the box, and whole in the file it names.
  const testsupport::WholeList whole = testsupport::WholeListOf(seam.boxes[seam.boxes.size() - 2].text);
  ASSERT_TRUE(whole.read) << whole.where;
  EXPECT_EQ(whole.Reason(std::string(300, 'L')), "255 characters or more");
  EXPECT_EQ(whole.items.size(), 5u);
}

TEST_F(ListFile, RefusalsAndFailuresOfTheImport) {
  M().Vol02.lstVol02IncludeStrings.Add("kept");
  // Not a ".txt": No at the question reads nothing.
  const std::string csv = dir->AddFile("in.csv", "new\n");
  seam.ChooseFile(csv);
  seam.Answer("0012", IDNO);
  Press(M().Vol02.btnVol02Open);
  EXPECT_EQ(M().Vol02.lstVol02IncludeStrings.Items(), (Strings{"kept"}));

  // A file that does not open: 0013, then the end message; the list stays.
  seam.ChooseFile(dir->Path() + "\\missing.txt");
  const size_t first = seam.boxes.size();
  Press(M().Vol02.btnVol02Open);
  EXPECT_EQ(CaptionsFrom(first), (Strings{kT + "            Warning no: 0013.", ui::App().Title}));
  EXPECT_EQ(M().Vol02.lstVol02IncludeStrings.Items(), (Strings{"kept"}));

  // No at the drive question empties the list, even after No to clearing it.
  seam.ChooseFile(dir->AddFile("drive.txt", "a\nc:\\x\nb\n"));
  seam.Answer("0014", IDNO);
  seam.Answer("0143", IDNO);
  Press(M().Vol02.btnVol02Open);
  EXPECT_EQ(M().Vol02.lstVol02IncludeStrings.Count(), 0);
  EXPECT_EQ(M().Vol02.lblVol02IncludeSum.Text(), "0");
  EXPECT_NE(seam.Last().text, "End of the Loading process.");

  // A save that cannot be written keeps the old file and says so.
  M().Vol02.lstVol02IncludeStrings.Add("x");
  seam.ChooseFile(dir->Path() + "\\no such folder\\list.txt");
  Press(M().Vol02.btnVol02Save);
  EXPECT_EQ(seam.Last().caption, kT + "            Warning no: 0016.");
}

TEST_F(ListFile, PathListRoundTripTakesOnlyPathsThePageWouldAdd) {
  PathListPage& p = M().Vol04;
  frmMain->pgeMain.SetActivePage(&frmMain->tabFolderCreate05);
  const std::string a = dir->Path() + "\\a", b = dir->Path() + "\\b", path = dir->Path() + "\\paths.txt";
  p.lstVol04IncludeFolderList.AddStrings({b, a, "no drive"});
  seam.ChooseFile(path);
  Press(p.btnVol04Save);
  EXPECT_EQ(ReadFile(path), a + "\r\n" + b + "\r\n");  // the list is sorted
  // Back in: missing drive skipped, device name and repeat warned, no drive asked once.
  testsupport::WriteFile(path, ReadFile(path) + "Q:\\x\\y\r\n" + dir->Path() + "\\con\r\nrel\r\n" + b + "\r\n");
  seam.ChooseFile(path);
  seam.Answer("0050", IDYES);
  seam.Answer("0140", IDYES);
  const size_t first = seam.boxes.size();
  Press(p.btnVol04Open);
  EXPECT_EQ(p.lstVol04IncludeFolderList.Items(), (Strings{a, b}));
  const std::string T = "Creating Folder(s).-From a Folder List.", B12 = "            ";
  EXPECT_EQ(CaptionsFrom(first), (Strings{T + B12 + "Information no: 0050.", T + B12 + " Warning no: 0140.",
                                          T + B12 + " Warning no: 0138.", T + B12 + "Warning no: 0045.",
                                          ui::App().Title}));
  const std::string told = seam.boxes[seam.boxes.size() - 2].text;
  EXPECT_NE(told.find("3 entries not taken :\n\nthe drive Q: is not on this machine : 1\n   Q:\\x\\y\n"),
            std::string::npos)
      << told;
  EXPECT_NE(told.find(" : 1\n   " + dir->Path() + "\\con\n"), std::string::npos) << told;
  EXPECT_NE(told.find("no drive letter : 1\n   rel\n"), std::string::npos) << told;
}

} // namespace
