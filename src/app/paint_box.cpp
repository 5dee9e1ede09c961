#include "app/paint_box.h"

#include <QPainter>

namespace korvane {

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {}

void TPaintBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (OnPaint) OnPaint(painter);
}

}  // namespace korvane
