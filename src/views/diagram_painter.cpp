#include "views/diagram_painter.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <algorithm>
#include <array>
#include <cstdlib>

namespace korvane {

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

// How strokes meet the pixel grid. On the screen at one device pixel per pixel, Qt's
// aliased drawing covers exactly the pixels of a one-pixel stroke. Vector files and
// denser devices place strokes by their geometry, so there a stroke runs along the middle
// of its pixels and a line from the outer edge of its first pixel to the edge of its end.
struct TGrid {
  bool exact = false;
  bool dense = false;  // a raster device of more than one device pixel per pixel
  QPointF mid;
};

TGrid GridOf(const QPainter& painter) {
  const QPaintEngine* engine = painter.paintEngine();
  const bool vector = engine && (engine->type() == QPaintEngine::SVG || engine->type() == QPaintEngine::Pdf);
  const QPaintDevice* device = painter.device();
  // A zoomed paint box is as dense as a device of that many pixels per pixel.
  const bool zoomed = device && device->devType() == QInternal::Widget && painter.worldTransform().isScaling();
  const bool dense = device && (device->devicePixelRatioF() != 1.0 || zoomed);
  TGrid grid;
  grid.exact = vector || dense;
  grid.dense = dense && !vector;
  grid.mid = grid.exact ? QPointF(0.5, 0.5) : QPointF(0, 0);
  return grid;
}

void PaintBox(QPainter& painter, const TDiagramBox& box, const TGrid& grid) {
  const QRect r = box.Rect.normalized();
  painter.fillRect(r, box.Fill);
  QPen pen = DiagramPen(box.Pen, box.PenStyle);
  if (grid.exact) pen.setJoinStyle(Qt::MiterJoin);  // square corners on strokes wider than a device pixel
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  // A one-pixel outline along the inside of the box's pixels.
  if (r.width() > 1 && r.height() > 1)
    painter.drawRect(QRectF(QPointF(r.topLeft()) + grid.mid, QSizeF(r.width() - 1, r.height() - 1)));
}

// The dots of a dotted line as the screen draws them at one device pixel per pixel, so a
// denser image shows the same dots: along the longer axis (x when both are equal), a line
// running forward keeps its first pixel and loses its end, one running backward loses its
// first pixel and keeps its end; every other pixel is a dot, counted from the start.
void PaintDots(QPainter& painter, const TDiagramLine& line, int dx, int dy) {
  const QPoint step(dx, dy);
  const int length = std::max(std::abs(line.To.x() - line.From.x()), std::abs(line.To.y() - line.From.y()));
  const bool xMajor = std::abs(line.To.x() - line.From.x()) >= std::abs(line.To.y() - line.From.y());
  const bool backward = xMajor ? dx < 0 : dy < 0;
  const QPoint first = backward ? line.From + step : line.From;
  const int count = length - 1;  // the pixels from From up to the end point, less one end
  for (int k = 0; k < count; k += 2) painter.fillRect(QRect(first + step * k, QSize(1, 1)), line.Pen);
}

void PaintLine(QPainter& painter, const TDiagramLine& line, const TGrid& grid) {
  const int dx = Sign(line.To.x() - line.From.x());
  const int dy = Sign(line.To.y() - line.From.y());
  QPen pen = DiagramPen(line.Pen, line.PenStyle);
  if (grid.dense && line.PenStyle == TPenStyle::Dotted) {
    PaintDots(painter, line, dx, dy);
    return;
  }
  if (grid.exact) {
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const QPointF edge(0.5 - 0.5 * dx, 0.5 - 0.5 * dy);
    painter.drawLine(QPointF(line.From) + edge, QPointF(line.To) + edge);
    return;
  }
  // The end point is not part of the line.
  const QPoint last(line.To.x() - dx, line.To.y() - dy);
  painter.setPen(pen);
  if (last == line.From)
    painter.drawPoint(line.From);
  else
    painter.drawLine(line.From, last);
}

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
  const TGrid grid = GridOf(painter);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.fillRect(QRect(0, 0, layout.Width, layout.Height), Qt::white);

  const std::array<int, 4> ascents = TextAscents(layout.Font);
  // In the order the diagram's steps draw, so what comes later covers what came before.
  const auto paint = [&](const TDiagramItem& item) {
    const auto i = static_cast<std::size_t>(item.Index);
    switch (item.Kind) {
      case TDiagramItem::TKind::Box:
        if (shown(layout.Boxes[i].Rect.normalized())) PaintBox(painter, layout.Boxes[i], grid);
        break;
      case TDiagramItem::TKind::Line: {
        const TDiagramLine& line = layout.Lines[i];
        if (line.From != line.To && shown(line.Bounds())) PaintLine(painter, line, grid);
        break;
      }
      case TDiagramItem::TKind::Text: {
        const TDiagramText& text = layout.Texts[i];
        if (!shown(QRect(text.Position, QSize(layout.Width, layout.LineHeight + 3)))) break;
        painter.setFont(layout.TextFont(text));
        painter.setPen(text.Colour);
        const int ascent = ascents[TextStyle(text.Bold, text.Italic)];
        painter.drawText(QPoint(text.Position.x(), text.Position.y() + ascent), text.Text);
        break;
      }
      case TDiagramItem::TKind::Icon: {
        const TDiagramIcon& icon = layout.Icons[i];
        if (shown(QRect(icon.Position, QSize(TStatusIconsImageList::kSize, TStatusIconsImageList::kSize))))
          icons.Draw(painter, icon.Position, icon.Index);
        break;
      }
    }
  };
  if (area.isNull() || layout.Spans.empty()) {
    for (const TDiagramItem& item : layout.Order) paint(item);
  } else {
    for (const TDiagramSpan& span : layout.Spans)
      if (area.intersects(span.Area))
        for (int k = span.First; k < span.End; ++k) paint(layout.Order[static_cast<std::size_t>(k)]);
  }
  painter.restore();
}

}  // namespace korvane
