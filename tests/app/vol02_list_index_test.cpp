// The string-list page's lists: their index equals their entries after every command.
#include "tests/app/creation_page_fixture.h"

#include "core/casefold.h"

#include <random>

using namespace creationtest;
using testsupport::Reachable;

namespace {

class Vol02ListIndex : public StringListPageTest {
protected:
  Vol02ListIndex() { unscriptedBoxes = true; }
  // A probe is in the index exactly when the list holds it (any case); counts match.
  void ExpectIndexMatchesLists(const Strings& probes, const std::string& step) {
    for (ui::ListBox* list : {&M().Vol02.lstVol02IncludeStrings, &M().Vol02.lstVol02ExcludeStrings}) {
      const Strings items = list->Items();
      for (const std::string& probe : probes) {
        bool held = false;
        for (const std::string& item : items) held = held || core::SameText(item, probe);
        ASSERT_EQ(list->Contains(probe), held) << "after " << step << ": '" << probe << "'";
      }
    }
    ASSERT_EQ(M().Vol02.lblVol02IncludeSum.Text(),
              std::to_string(M().Vol02.lstVol02IncludeStrings.Count())) << step;
    ASSERT_EQ(M().Vol02.lblVol02ExcludeSum.Text(),
              std::to_string(M().Vol02.lstVol02ExcludeStrings.Count())) << step;
  }
};

TEST_F(Vol02ListIndex, IndexEqualsTheListsAfterEverySeededRandomCommand) {
  PickDestination(dest.Path());
  const Strings words = {"abc", "ABC", "Abc", " abc", "abc ", "x", "X", "a//b\\\\c/d",
                         "a\\b\\c\\d", "c:\\zz", "pq?rs", "", "   ", "y z", "Y Z"};
  Strings probes = words;
  for (const std::string& w : words) probes.push_back(core::FoldCase(w));
  probes.push_back("pq");
  std::mt19937 random(20261207);
  ui::ListBox& inc = M().Vol02.lstVol02IncludeStrings;
  ui::ListBox& exc = M().Vol02.lstVol02ExcludeStrings;
  for (int step = 0; step < 500; ++step) {
    std::string name;
    switch (random() % 11) {
    case 0: case 1: case 2: {
      const std::string& w = words[random() % words.size()];
      name = "add '" + w + "'";
      Type(w);
      break;
    }
    case 3: case 4: {
      ui::ListBox& from = random() % 2 ? inc : exc;
      for (int i = 0; i < from.Count(); ++i) from.SetSelected(i, random() % 2 == 0);
      ui::Button& move = &from == &inc ? M().Vol02.btnVol02IncToExc : M().Vol02.btnVol02ExcToInc;
      name = &from == &inc ? ">" : "<";
      if (Reachable(move)) Press(move);
      break;
    }
    case 5: {
      ui::Button& all = random() % 2 ? M().Vol02.btnVol02AllFromInc : M().Vol02.btnVol02AllFromExc;
      name = all.Text();
      if (Reachable(all)) Press(all);
      break;
    }
    case 6:
      name = "<>";
      if (Reachable(M().Vol02.btnVol02ExchangeIncExc)) Press(M().Vol02.btnVol02ExchangeIncExc);
      break;
    case 7: {
      // Every question answered, Yes or No.
      const int answer = random() % 2 ? IDYES : IDNO;
      name = std::string("delete selected, ") + (answer == IDYES ? "Yes" : "No");
      for (int i = 0; i < exc.Count(); ++i) exc.SetSelected(i, random() % 2 == 0);
      seam.Answer("0017", answer);
      if (Reachable(M().Vol02.btnVol02DeleteFromExclude)) Press(M().Vol02.btnVol02DeleteFromExclude);
      break;
    }
    case 8: {
      const int answer = random() % 2 ? IDYES : IDNO;
      name = std::string("delete all, ") + (answer == IDYES ? "Yes" : "No");
      seam.Answer("0529", answer);
      if (Reachable(M().Vol02.btnVol02DeleteExcludeAll)) Press(M().Vol02.btnVol02DeleteExcludeAll);
      break;
    }
    case 9: {
      // A blank add, its warning answered.
      const std::string blank(random() % 4, ' ');
      name = "add blank of " + std::to_string(blank.size());
      seam.Answer("0004", IDOK);
      Type(blank);
      break;
    }
    default: {
      // ">>" or "<<" of every entry, whatever is selected.
      ui::Button& all = random() % 2 ? M().Vol02.btnVol02AllFromInc : M().Vol02.btnVol02AllFromExc;
      name = all.Text() + " of all";
      if (Reachable(all)) Press(all);
      break;
    }
    }
    ExpectIndexMatchesLists(probes, std::to_string(step) + " " + name);
    if (HasFatalFailure()) return;
  }
}

TEST_F(Vol02ListIndex, ABlankLedStringIsJudgedByWhatTheListsHoldAfterMovesAndRefusals) {
  PickDestination(dest.Path());
  Type("abc");
  Type("ABC");
  EXPECT_EQ(seam.Last().caption, kT + "Warning no: 0005.");
  M().Vol02.lstVol02IncludeStrings.SetSelected(0, true);
  Press(M().Vol02.btnVol02IncToExc);
  Type("Abc");
  EXPECT_EQ(seam.Last().caption, kT + "Warning no: 0006.");
  Press(M().Vol02.btnVol02AllFromExc);
  for (const char* refused : {"c:\\zz", "pq?rs", " "}) Type(refused);
  Type("a//b\\\\c/d");
  const size_t boxes = seam.boxes.size();
  Type(" abc");
  // The duplicate tests compare the text as typed: " abc" is in neither list, so it passes them, as it does on its own.
  EXPECT_EQ(seam.boxes.size(), boxes);
  EXPECT_EQ(M().Vol02.lstVol02IncludeStrings.Items(), (Strings{"a\\b\\c\\d", "abc", "abc"}));
  ExpectIndexMatchesLists({"abc", " abc", "ABC", "a\\b\\c\\d", "a//b\\\\c/d"}, "the road");
}

} // namespace

namespace {

// The road of a user at the keyboard: each text typed over the field's selection and Enter; every box answered.
TEST_F(Vol02ListIndex, TheAnswerToAnAddDoesNotDependOnTheRoadBeforeIt) {
  PickDestination(dest.Path());
  StringListPage& p = M().Vol02;
  auto enter = [&](const std::string& text) {
    p.edtVol02AddToList.SetFocus();
    SendMessageA(p.edtVol02AddToList.Handle(), EM_SETSEL, 0, -1);
    for (char c : text) PostMessageA(p.edtVol02AddToList.Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
    PostMessageA(p.edtVol02AddToList.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    ui::App().ProcessMessages();
  };
  for (const char* n : {"0004", "0005", "0006"}) seam.Answer(n, IDOK);
  enter("abc");
  enter("ABC");
  EXPECT_EQ(seam.Last().caption, kT + "Warning no: 0005.");
  p.lstVol02IncludeStrings.SetSelected(0, true);
  Press(p.btnVol02IncToExc);
  enter("Abc");
  EXPECT_EQ(seam.Last().caption, kT + "Warning no: 0006.");
  Press(p.btnVol02AllFromExc);
  enter("   ");
  EXPECT_EQ(seam.Last().caption, kT + "Warning no: 0004.");
  enter("a//b\\\\c/d");
  const size_t boxes = seam.boxes.size();
  enter(" abc");
  EXPECT_EQ(seam.boxes.size(), boxes) << seam.Last().caption;
  EXPECT_EQ(p.lstVol02IncludeStrings.Items(), (Strings{"a\\b\\c\\d", "abc", "abc"}));
}

} // namespace
