#include "views/diagram_zoom.h"

#include <algorithm>

namespace korvane {

namespace {

// Division rounding toward minus infinity, and toward plus infinity: pixels left of or
// above the paint box map to negative layout pixels the same way as the others.
int FloorDiv(long long a, long long b) { return static_cast<int>(a >= 0 ? a / b : -((-a + b - 1) / b)); }
int CeilDiv(long long a, long long b) { return -FloorDiv(-a, b); }

}  // namespace

int ZoomedIn(int percent) {
  for (const int step : kZoomSteps)
    if (step > percent) return step;
  return kZoomSteps.back();
}

int ZoomedOut(int percent) {
  for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it)
    if (*it < percent) return *it;
  return kZoomSteps.front();
}

int TDiagramZoom::ToWidget(int layoutLength) const { return CeilDiv(1LL * layoutLength * percent_, 100); }

int TDiagramZoom::ToLayout(int widgetLength) const { return FloorDiv(100LL * widgetLength, percent_); }

// A pixel of the paint box belongs to the layout pixel its middle lies in, and a layout
// rectangle covers the pixels whose middles it holds: the two agree at every zoom.
int TDiagramZoom::ToLayoutPixel(int widgetPixel) const {
  return FloorDiv(100LL * (2LL * widgetPixel + 1), 2LL * percent_);
}

int TDiagramZoom::FirstWidgetPixel(int layoutPixel) const { return CeilDiv(2LL * layoutPixel * percent_ - 100, 200); }

QPoint TDiagramZoom::ToLayout(QPoint widgetPoint) const {
  return {ToLayoutPixel(widgetPoint.x()), ToLayoutPixel(widgetPoint.y())};
}

QRect TDiagramZoom::ToWidget(const QRect& layoutRect) const {
  const QPoint topLeft(FirstWidgetPixel(layoutRect.left()), FirstWidgetPixel(layoutRect.top()));
  const QPoint bottomRight(FirstWidgetPixel(layoutRect.right() + 1) - 1, FirstWidgetPixel(layoutRect.bottom() + 1) - 1);
  return {topLeft, bottomRight};
}

QRect TDiagramZoom::ToLayout(const QRect& widgetRect) const {
  const QPoint topLeft = ToLayout(widgetRect.topLeft());
  const int right = CeilDiv(100LL * (widgetRect.right() + 1), percent_);
  const int bottom = CeilDiv(100LL * (widgetRect.bottom() + 1), percent_);
  return {topLeft, QPoint(right - 1, bottom - 1)};
}

}  // namespace korvane
