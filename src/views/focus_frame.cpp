#include "views/focus_frame.h"

#include <QPen>

namespace korvane {

QColor FocusFrameColour() { return QColor(255, 140, 0); }

QRect FocusFrameArea(const QRect& box) {
  if (box.isEmpty()) return {};
  const int out = kFocusFrameGap + kFocusFrameWidth;
  return box.adjusted(-out, -out, out, out);
}

void PaintFocusFrame(QPainter& painter, const QRect& box, const QRect& bounds) {
  const QRect area = FocusFrameArea(box).intersected(bounds);
  if (area.isEmpty()) return;
  painter.save();
  // Four filled bands: exact pixels whatever the pen's rounding.
  const int w = kFocusFrameWidth;
  const QColor colour = FocusFrameColour();
  painter.fillRect(QRect(area.left(), area.top(), area.width(), w), colour);
  painter.fillRect(QRect(area.left(), area.bottom() - w + 1, area.width(), w), colour);
  painter.fillRect(QRect(area.left(), area.top(), w, area.height()), colour);
  painter.fillRect(QRect(area.right() - w + 1, area.top(), w, area.height()), colour);
  painter.restore();
}

}  // namespace korvane
