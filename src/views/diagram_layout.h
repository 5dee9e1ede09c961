// A diagram as plain values: what to draw and where, worked out from a stage, a width
// and a font before anything is painted. The same layout paints the window, images
// and exported files, and tests read it instead of pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <vector>

namespace korvane {

/// Line style of a pen: the diagrams use only these two.
enum class TPenStyle { Solid, Dotted };

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
};

/// One line of text; Position is the top left corner of its line cell.
struct TDiagramText {
  QPoint Position;
  QString Text;
  QColor Colour;
  bool Bold = false;
  bool Italic = false;
};

/// One of the status icons, its top left corner at Position.
struct TDiagramIcon {
  int Index = 0;
  QPoint Position;
};

struct TDiagramLayout {
  /// Size of the paint box the layout was made for.
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
  /// True when the diagram had more boxes than are drawn (see kMaximumDiagramBoxes).
  bool Truncated = false;

  /// The font of one text of this layout.
  [[nodiscard]] QFont TextFont(const TDiagramText& text) const {
    QFont f = Font;
    f.setBold(text.Bold);
    f.setItalic(text.Italic);
    return f;
  }
};

}  // namespace korvane
