#include "core/casefold.h"

#include <gtest/gtest.h>

TEST(CaseFold, ComparesAndIndexesWithoutLetterCase) {
  EXPECT_TRUE(core::SameText("C:\\Data", "c:\\DATA"));
  EXPECT_FALSE(core::SameText("C:\\Data", "C:\\Data\\"));
  EXPECT_LT(core::CompareText("abc", "ABD"), 0);
  core::FoldedIndex index;
  index.Add("Alpha");
  index.Add("ALPHA");
  index.Remove("alpha");
  EXPECT_TRUE(index.Contains("aLpHa"));
  index.Remove("Alpha");
  EXPECT_FALSE(index.Contains("alpha"));
}
