// How the in-page level builder's block follows its page as the page grows: it
// widens with the right block (the root combo and the filter take the width,
// the buttons and the add-mode radios keep to its right edge), at the top of
// that block or, below a block that takes the height, at its bottom.
#pragma once
#include "ui/layout.h"

#include <vector>

struct LevelBuilderLayoutIds {
  int group, rootLabel, root, browse, view, levelLabel, fromTo, from, fromUd, toLabel, to, toUd, above,
      aboveLevel, aboveUd, below, belowLevel, belowUd, build, filterLabel, filter, onlyTheLast, allInThePath;
};

// The page's own table followed by the builder's rows.
std::vector<ui::AnchorRule> WithLevelBuilderAnchors(const ui::AnchorRule* page, size_t count,
                                                    const LevelBuilderLayoutIds& ids, bool atBottom);
