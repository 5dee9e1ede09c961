// The zoom of a diagram on screen: the steps it goes through and the mapping between the
// paint box's pixels and the layout's. Exports and print keep the layout's own scale.
#pragma once

#include <QPoint>
#include <QRect>
#include <array>

namespace korvane {

/// The zoom levels, in percent, from the smallest to the largest.
inline constexpr std::array<int, 15> kZoomSteps = {25, 33, 50, 67, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400};
inline constexpr int kNoZoom = 100;

/// The step above percent (the largest stays), or below it (the smallest stays); a
/// percent between steps goes to the nearest step in that direction.
[[nodiscard]] int ZoomedIn(int percent);
[[nodiscard]] int ZoomedOut(int percent);

/// Pixels of the paint box and of the layout at one zoom. At 100 percent both are the same.
class TDiagramZoom {
public:
  explicit TDiagramZoom(int percent = kNoZoom) : percent_(percent) {}
  [[nodiscard]] int Percent() const { return percent_; }
  [[nodiscard]] double Factor() const { return percent_ / 100.0; }

  /// A length of the layout on screen, rounded up so the last pixel is covered.
  [[nodiscard]] int ToWidget(int layoutLength) const;
  /// A width on screen in the layout, rounded down so the layout is not wider than the screen.
  [[nodiscard]] int ToLayout(int widgetLength) const;
  /// The layout pixel under a pixel of the paint box.
  [[nodiscard]] QPoint ToLayout(QPoint widgetPoint) const;
  /// The pixels of the paint box that cover a rectangle of the layout.
  [[nodiscard]] QRect ToWidget(const QRect& layoutRect) const;
  /// The layout pixels a rectangle of the paint box shows, at least partly.
  [[nodiscard]] QRect ToLayout(const QRect& widgetRect) const;

private:
  [[nodiscard]] int ToLayoutPixel(int widgetPixel) const;
  [[nodiscard]] int FirstWidgetPixel(int layoutPixel) const;

  int percent_;
};

}  // namespace korvane
