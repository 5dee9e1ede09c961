// The eight 16 x 16 status icons, drawn by the program: the type of a statement
// ("!" assumption, "?" issue), its status in the arguments tree (green plus, grey ring),
// and small "!" and "?" marks that lie over another icon as overlays.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <array>

namespace korvane {

/// Icon numbers.
inline constexpr int kAssumptionIcon = 0;
inline constexpr int kIssueIcon = 1;
inline constexpr int kCrossIcon = 2;
inline constexpr int kJustifiedIcon = 3;
inline constexpr int kUnjustifiedIcon = 4;
inline constexpr int kPlusMinusIcon = 5;
inline constexpr int kSmallAssumptionIcon = 6;
inline constexpr int kSmallIssueIcon = 7;

class TStatusIconsImageList {
public:
  static constexpr int kCount = 8;
  static constexpr int kSize = 16;
  static constexpr int kOverlayCount = 2;

  /// Draws the icons; none is registered as an overlay yet.
  TStatusIconsImageList();

  /// Icon index, opaque on white.
  [[nodiscard]] const QImage& Image(int index) const;
  /// All icons in one 64 x 48 picture, four to a row; the last four cells are white.
  [[nodiscard]] QImage Bitmap() const;
  /// Draws icon index with its top left corner at position.
  void Draw(QPainter& painter, QPoint position, int index) const;

  /// Makes icon imageIndex overlay number overlayIndex (0 or 1).
  void SetOverlay(int imageIndex, int overlayIndex);
  /// The icon registered as overlay overlayIndex, or -1.
  [[nodiscard]] int OverlayImage(int overlayIndex) const;
  /// Icon image with overlay overlayIndex drawn over it; the overlay's white is
  /// transparent, so only its mark covers the icon. overlayIndex -1 gives the icon alone.
  [[nodiscard]] QImage Combined(int image, int overlayIndex) const;

private:
  std::array<QImage, kCount> images_;
  std::array<int, kOverlayCount> overlays_{-1, -1};
};

}  // namespace korvane
