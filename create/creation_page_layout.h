// The grid every creation page grows by: a left block (destination or list
// pair, number fields) takes 60% of the growth in width, each list of a pair
// half of it; the structure block on the right takes the rest. Lists take the
// growth in height; what lies under them keeps to the bottom.
#pragma once
#include "ui/layout.h"

namespace creation_layout {

constexpr ui::Anchors kLeftGrowsWide{0, 0, 60, 0};
constexpr ui::Anchors kLeftGrowsAll{0, 0, 60, 100};
constexpr ui::Anchors kAtLeftEdge{60, 0, 60, 0};
constexpr ui::Anchors kFirstHalfWide{0, 0, 30, 0};
constexpr ui::Anchors kAtMiddle{30, 0, 30, 0};
constexpr ui::Anchors kSecondHalfWide{30, 0, 60, 0};
constexpr ui::Anchors kIncludeList{0, 0, 30, 100};
constexpr ui::Anchors kExcludeList{30, 0, 60, 100};
constexpr ui::Anchors kUnderIncludeList{0, 100, 0, 100};
constexpr ui::Anchors kUnderExcludeList{30, 100, 30, 100};
constexpr ui::Anchors kRightBlockGrows{60, 0, 100, 100};
constexpr ui::Anchors kRightBlockBottom{60, 100, 100, 100};
constexpr ui::Anchors kRightBlockBottomLeft{60, 100, 60, 100};
constexpr ui::Anchors kRightBlockBottomMiddle{80, 100, 80, 100};
constexpr ui::Anchors kRightBlockBottomRight{100, 100, 100, 100};

} // namespace creation_layout
