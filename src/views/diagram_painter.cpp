#include "views/diagram_painter.h"

#include <QFontMetrics>
#include <QPaintEngine>

namespace korvane {

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

QPen DiagramPen(const QColor& colour, TPenStyle style) {
  QPen pen(colour, 1);
  if (style == TPenStyle::Dotted) {
    pen.setDashPattern({1.0, 1.0});  // every other pixel
    pen.setCapStyle(Qt::FlatCap);
  }
  return pen;
}

void PaintDiagram(QPainter& painter, const TDiagramLayout& layout, const TStatusIconsImageList& icons,
                  const QRect& area) {
  const auto shown = [&area](const QRect& r) { return area.isNull() || area.intersects(r); };
  // Vector files place a one-pixel stroke on the middle of its pixels, as the screen does.
  const QPaintEngine* engine = painter.paintEngine();
  const bool vector = engine && (engine->type() == QPaintEngine::SVG || engine->type() == QPaintEngine::Pdf);
  const QPointF mid = vector ? QPointF(0.5, 0.5) : QPointF(0, 0);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(QRect(0, 0, layout.Width, layout.Height), Qt::white);

  for (const TDiagramBox& box : layout.Boxes) {
    const QRect r = box.Rect.normalized();
    if (!shown(r)) continue;
    painter.fillRect(r, box.Fill);
    painter.setPen(DiagramPen(box.Pen, box.PenStyle));
    painter.setBrush(Qt::NoBrush);
    // A one-pixel outline along the inside of the box's pixels.
    if (r.width() > 1 && r.height() > 1)
      painter.drawRect(QRectF(QPointF(r.topLeft()) + mid, QSizeF(r.width() - 1, r.height() - 1)));
  }

  for (const TDiagramLine& line : layout.Lines) {
    if (line.From == line.To || !shown(QRect(line.From, line.To).normalized())) continue;
    // The end point is not part of the line.
    const QPoint last(line.To.x() - Sign(line.To.x() - line.From.x()), line.To.y() - Sign(line.To.y() - line.From.y()));
    painter.setPen(DiagramPen(line.Pen, line.PenStyle));
    if (last == line.From)
      painter.drawPoint(QPointF(line.From) + mid);
    else
      painter.drawLine(QPointF(line.From) + mid, QPointF(last) + mid);
  }

  for (const TDiagramText& text : layout.Texts) {
    if (!shown(QRect(text.Position, QSize(layout.Width, layout.LineHeight + 3)))) continue;
    const QFont font = layout.TextFont(text);
    painter.setFont(font);
    painter.setPen(text.Colour);
    painter.drawText(QPoint(text.Position.x(), text.Position.y() + QFontMetrics(font).ascent()), text.Text);
  }

  for (const TDiagramIcon& icon : layout.Icons)
    if (shown(QRect(icon.Position, QSize(TStatusIconsImageList::kSize, TStatusIconsImageList::kSize))))
      icons.Draw(painter, icon.Position, icon.Index);
  painter.restore();
}

}  // namespace korvane
