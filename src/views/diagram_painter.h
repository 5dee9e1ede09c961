// Paints a laid-out diagram on any painter: a widget, an image, an SVG or PDF file.
#pragma once

#include <QPainter>

#include "views/diagram_layout.h"
#include "views/status_icons.h"

namespace korvane {

/// Clears the layout's area to white, then draws its boxes, lines, texts and icons.
/// Only what meets area is drawn when area is given (a widget repaints a part).
void PaintDiagram(QPainter& painter, const TDiagramLayout& layout, const TStatusIconsImageList& icons,
                  const QRect& area = QRect());

/// The pen a diagram pen value stands for.
[[nodiscard]] QPen DiagramPen(const QColor& colour, TPenStyle style);

}  // namespace korvane
