#include "treeops/level_builder_layout.h"

std::vector<ui::AnchorRule> WithLevelBuilderAnchors(const ui::AnchorRule* page, size_t count,
                                                    const LevelBuilderLayoutIds& ids, bool atBottom) {
  const int v = atBottom ? 100 : 0;
  // The right block starts at 60% of the growth in width (the lists take the rest).
  const ui::Anchors wide{60, v, 100, v}, left{60, v, 60, v}, right{100, v, 100, v};
  std::vector<ui::AnchorRule> rules(page, page + count);
  const ui::AnchorRule rows[] = {
      {ids.group, wide},      {ids.rootLabel, left},  {ids.root, wide},       {ids.browse, right},
      {ids.view, right},      {ids.levelLabel, left}, {ids.fromTo, left},     {ids.from, left},
      {ids.fromUd, left},     {ids.toLabel, left},    {ids.to, left},         {ids.toUd, left},
      {ids.above, left},      {ids.aboveLevel, left}, {ids.aboveUd, left},    {ids.below, left},
      {ids.belowLevel, left}, {ids.belowUd, left},    {ids.build, right},     {ids.filterLabel, left},
      {ids.filter, wide},     {ids.onlyTheLast, right}, {ids.allInThePath, right},
  };
  rules.insert(rules.end(), std::begin(rows), std::end(rows));
  return rules;
}
