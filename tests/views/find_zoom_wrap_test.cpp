// The logic behind the find box, the zoom and the wrapping of deep boxes, without widgets.
#include <gtest/gtest.h>

#include "views/box_wrap.h"

namespace korvane {
namespace {

TEST(BoxWrap, DeepBoxesWrapReadably) {
  const int ch = 7;
  // Room for a dozen characters or more: as always.
  EXPECT_EQ(BoxWrapWidth(500, 563, ch), 500);
  EXPECT_EQ(BoxWrapWidth(12 * ch, 563, ch), 12 * ch);
  // Less: 40 characters, or the top level's width when that is narrower, never under 12.
  EXPECT_EQ(BoxWrapWidth(12 * ch - 1, 563, ch), 40 * ch);
  EXPECT_EQ(BoxWrapWidth(-300, 563, ch), 40 * ch);
  EXPECT_EQ(BoxWrapWidth(50, 200, ch), 200);
  EXPECT_EQ(BoxWrapWidth(10, 40, ch), 12 * ch);
}

TEST(BoxWrap, DeepBoxesKeepTheirTextOffTheEdges) {
  // Line height 13, rows of 28: three lines are 48 high in a box of 50.
  EXPECT_EQ(BoxRows(3, 13, 28, false), 2);
  EXPECT_EQ(BoxRows(3, 13, 28, true), 3);
  for (int count = 1; count < 60; ++count) {
    const int rows = BoxRows(count, 13, 28, true);
    EXPECT_GE(rows, BoxRows(count, 13, 28, false));
    EXPECT_GE((rows - 1) * 28 + 22 - 16 * count, 2 * kDeepBoxTextMargin) << count;
    if (rows > BoxRows(count, 13, 28, false)) {  // no row more than needed
      EXPECT_LT((rows - 2) * 28 + 22 - 16 * count, 2 * kDeepBoxTextMargin) << count;
    }
  }
}

}  // namespace
}  // namespace korvane
