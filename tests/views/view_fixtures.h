// What the view tests share: the window font and quick ways to read a layout.
#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QString>
#include <QStringList>
#include <algorithm>

#include "views/diagram_layout.h"

namespace korvane::test {

/// The window font, with the face the machines running the tests have.
inline QFont WindowFont() {
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
  return QFont(QStringLiteral("MS Sans Serif"), 8);
}

/// The faces of the window font that the diagrams are measured with and this machine
/// lacks, each as "DejaVu Sans Oblique not installed". Without the oblique faces the
/// unjustified statements are slanted synthetically, so every pixel check would differ.
inline QStringList MissingDiagramFaces() {
  const QString family = QStringLiteral("DejaVu Sans");
  const QStringList styles = QFontDatabase::styles(family);
  QStringList missing;
  const QStringList wanted = {QStringLiteral("Book"), QStringLiteral("Bold"), QStringLiteral("Oblique"),
                              QStringLiteral("Bold Oblique")};
  for (const QString& style : wanted) {
    if (styles.contains(style)) continue;
    const QString face = style == QLatin1String("Book") ? family : family + QLatin1Char(' ') + style;
    missing << face + QStringLiteral(" not installed");
  }
  return missing;
}

/// The line height the diagrams use with font.
inline int LineHeightOf(const QFont& font) { return QFontMetrics(font).height(); }

/// Width of text in the window font made bold or italic.
inline int TextWidth(const QString& text, bool bold, bool italic) {
  QFont f = WindowFont();
  f.setPixelSize(QFontInfo(f).pixelSize());
  f.setBold(bold);
  f.setItalic(italic);
  return QFontMetrics(f).horizontalAdvance(text);
}

/// The texts of the layout's box whose first line is text, or null.
inline const TDiagramText* FindText(const TDiagramLayout& layout, const QString& text) {
  const auto found =
      std::find_if(layout.Texts.begin(), layout.Texts.end(), [&](const TDiagramText& t) { return t.Text == text; });
  return found == layout.Texts.end() ? nullptr : &*found;
}

/// The box that holds point, or null.
inline const TDiagramBox* BoxAt(const TDiagramLayout& layout, QPoint point) {
  const auto found = std::find_if(layout.Boxes.begin(), layout.Boxes.end(),
                                  [&](const TDiagramBox& b) { return b.Rect.contains(point); });
  return found == layout.Boxes.end() ? nullptr : &*found;
}

/// The line from from to to, or null.
inline const TDiagramLine* FindLine(const TDiagramLayout& layout, QPoint from, QPoint to) {
  const auto found = std::find_if(layout.Lines.begin(), layout.Lines.end(),
                                  [&](const TDiagramLine& l) { return l.From == from && l.To == to; });
  return found == layout.Lines.end() ? nullptr : &*found;
}

}  // namespace korvane::test
