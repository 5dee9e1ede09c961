// A diagram as plain values: what to draw and where, worked out from a stage, a width
// and a font before anything is painted. The same layout paints the window, images
// and exported files, and tests read it instead of pixels.
#pragma once

#include <algorithm>

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/statement.h"

namespace korvane {

class TDialecticalArgument;
class TStep;

/// Line style of a pen: the diagrams use only these two.
enum class TPenStyle : std::uint8_t { Solid, Dotted };

/// A statement box. Rect covers exactly the box's pixels (outline included): its
/// right() and bottom() are the last pixel column and row.
struct TDiagramBox {
  QRect Rect;
  QColor Pen;
  TPenStyle PenStyle = TPenStyle::Solid;
  QColor Fill;
};

/// A line from From to To; To itself is not covered, so joined lines meet exactly once.
struct TDiagramLine {
  QPoint From;
  QPoint To;
  QColor Pen;
  TPenStyle PenStyle = TPenStyle::Solid;

  /// The pixels from one end to the other, both included. (QRect(From, To).normalized()
  /// drops both end columns of a line that runs leftwards.)
  [[nodiscard]] QRect Bounds() const {
    return {QPoint(std::min(From.x(), To.x()), std::min(From.y(), To.y())),
            QPoint(std::max(From.x(), To.x()), std::max(From.y(), To.y()))};
  }
};

/// One line of text; Position is the top left corner of its line cell.
struct TDiagramText {
  QPoint Position;
  QString Text;
  QColor Colour;
  bool Bold = false;
  bool Italic = false;
};

/// Which of the four faces a text is drawn in: an index into TextFonts and TextAscents.
[[nodiscard]] inline std::size_t TextStyle(bool bold, bool italic) {
  return static_cast<std::size_t>((bold ? 1 : 0) + (italic ? 2 : 0));
}

/// The faces a diagram's texts use: font itself, bold, italic, and both.
[[nodiscard]] inline std::array<QFont, 4> TextFonts(const QFont& font) {
  std::array<QFont, 4> fonts;
  for (std::size_t style = 0; style < fonts.size(); ++style) {
    fonts[style] = font;
    fonts[style].setBold((style & 1) != 0);
    fonts[style].setItalic((style & 2) != 0);
  }
  return fonts;
}

/// How far below a text's Position its baseline lies, for each face.
[[nodiscard]] inline std::array<int, 4> TextAscents(const QFont& font) {
  std::array<int, 4> ascents{};
  const std::array<QFont, 4> fonts = TextFonts(font);
  for (std::size_t style = 0; style < fonts.size(); ++style) ascents[style] = QFontMetrics(fonts[style]).ascent();
  return ascents;
}

/// One of the status icons, its top left corner at Position.
struct TDiagramIcon {
  int Index = 0;
  QPoint Position;
};

/// One thing drawn, in the order it is drawn: Index into Boxes, Lines, Texts or Icons.
struct TDiagramItem {
  enum class TKind : std::uint8_t { Box, Line, Text, Icon } Kind;
  int Index;
};

/// What a place of the diagram stands for, so the window can explain it and tell it to
/// assistive technology. The pointers belong to the stage the layout was made from.
struct TDiagramPart {
  enum class TKind : std::uint8_t { Statement, Step, Undercutter } Kind;
  /// Where the pointer finds it.
  QRect Area;
  /// Statement: the statement boxed; its status as drawn (the box's own argument).
  const TStatement* Statement = nullptr;
  TStatus Status = kJustified;
  /// Step and Undercutter: the step, the argument it belongs to (may be null for an
  /// undercutter) with the step's index in it and, for an undercutter, its index in the step.
  const TStep* Step = nullptr;
  const TDialecticalArgument* Argument = nullptr;
  int StepIndex = -1;
  int Undercutter = -1;
  /// Statement: the index of its box in Boxes.
  int Box = -1;
};

/// A run of Order, items First up to End, all drawn inside Area.
struct TDiagramSpan {
  QRect Area;
  int First = 0;
  int End = 0;
};

struct TDiagramLayout {
  /// Size of the paint box the layout was made for. The width is the one asked for,
  /// or wider when a box would otherwise lie beyond it.
  int Width = 0;
  int Height = 0;
  /// The diagram font; texts add bold or italic to it.
  QFont Font;
  /// Line height of the font and the row height that follows from it.
  int LineHeight = 0;
  int RowHeight = 0;
  std::vector<TDiagramBox> Boxes;
  std::vector<TDiagramLine> Lines;
  std::vector<TDiagramText> Texts;
  std::vector<TDiagramIcon> Icons;
  /// Everything above in the order the diagram's steps draw it: each box with its text
  /// and icon, the connectors after the boxes they join, so what is drawn later covers
  /// what was drawn before.
  std::vector<TDiagramItem> Order;
  /// The boxes and connectors, the boxes in drawing order.
  std::vector<TDiagramPart> Parts;
  /// Empty, or runs that cover Order in order: a painter of a small area then skips the
  /// runs outside it instead of looking at every item of a large diagram.
  std::vector<TDiagramSpan> Spans;
  /// True when the diagram had more boxes than are drawn (see kMaximumDiagramBoxes).
  bool Truncated = false;

  /// Forgets everything drawn; sizes and font stay.
  void ClearDrawing() {
    Boxes.clear();
    Lines.clear();
    Texts.clear();
    Icons.clear();
    Order.clear();
    Parts.clear();
    Spans.clear();
  }

  /// The font of one text of this layout.
  [[nodiscard]] QFont TextFont(const TDiagramText& text) const {
    QFont f = Font;
    f.setBold(text.Bold);
    f.setItalic(text.Italic);
    return f;
  }
};

}  // namespace korvane
