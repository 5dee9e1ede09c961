// How wide a box's text wraps and how many rows the box takes, when the box lies in a
// column so deep that the width left for it is less than a readable line.
#pragma once

namespace korvane {

/// Boxes never wrap their text narrower than this many average characters.
inline constexpr int kMinimumWrapCharacters = 12;
/// A box beyond the width asked for wraps at most this many average characters wide ...
inline constexpr int kReadableWrapCharacters = 40;
/// ... and keeps its text this far from its top and bottom edges.
inline constexpr int kDeepBoxTextMargin = 2;

/// The wrap width of a box given this much room in its column, when a box in the first
/// column gets topLevel: the room itself while it holds kMinimumWrapCharacters, else
/// the top-level width or kReadableWrapCharacters, whichever is narrower (never less
/// than kMinimumWrapCharacters).
[[nodiscard]] int BoxWrapWidth(int given, int topLevel, int averageCharWidth);

/// Rows of a box of count lines (pitch lineHeight + 3, row height rowHeight): rows as
/// every box takes them, and for a box whose text is wider than the room it was given
/// (deep) as many more as keep its text block kDeepBoxTextMargin inside the box (a box of r rows is (r - 1) * rowHeight
/// + 22 high).
[[nodiscard]] int BoxRows(int count, int lineHeight, int rowHeight, bool deep);

}  // namespace korvane
