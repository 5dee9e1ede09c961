#include "views/box_wrap.h"

#include <algorithm>

namespace korvane {

int BoxWrapWidth(int given, int topLevel, int averageCharWidth) {
  const int narrowest = kMinimumWrapCharacters * averageCharWidth;
  if (given >= narrowest) return given;
  return std::max(narrowest, std::min(topLevel, kReadableWrapCharacters * averageCharWidth));
}

int BoxRows(int count, int lineHeight, int rowHeight, bool deep) {
  const int block = (lineHeight + 3) * count;
  int rows = (block + 5) / rowHeight + 1;
  if (deep)
    while ((rows - 1) * rowHeight + 22 - block < 2 * kDeepBoxTextMargin) ++rows;
  return rows;
}

}  // namespace korvane
