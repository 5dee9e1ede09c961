// The frame that marks a found box: drawn over the picture, outside the box's own edge,
// in a colour no diagram uses, so the box stays as it is drawn.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>

namespace korvane {

[[nodiscard]] QColor FocusFrameColour();
/// Pixels between the box's edge and the frame, and the frame's thickness.
inline constexpr int kFocusFrameGap = 2;
inline constexpr int kFocusFrameWidth = 2;

/// Draws the frame around box (pixels of the painter's device), kept inside bounds so it
/// stays visible at the device's edges; an empty box draws nothing.
void PaintFocusFrame(QPainter& painter, const QRect& box, const QRect& bounds);
/// Every pixel the frame around box covers, for repainting it.
[[nodiscard]] QRect FocusFrameArea(const QRect& box);

}  // namespace korvane
