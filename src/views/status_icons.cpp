#include "views/status_icons.h"

#include <stdexcept>

namespace korvane {

namespace {

const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 127, 0);
const QColor kGrey(127, 127, 127);

// Sets the pixels marked 'X' in rows, the first row at y, the first column at x.
void Pixels(QImage& image, int x, int y, std::initializer_list<const char*> rows, const QColor& colour) {
  int row = y;
  for (const char* r : rows) {
    for (int col = 0; r[col] != '\0'; ++col)
      if (r[col] == 'X') image.setPixelColor(x + col, row, colour);
    ++row;
  }
}

QImage Blank() {
  QImage image(TStatusIconsImageList::kSize, TStatusIconsImageList::kSize, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

QImage ExclamationMark() {  // 12 pixels high
  QImage image = Blank();
  Pixels(image, 7, 2, {"XX", "XX", "XX", "XX", "XX", "XX", "XX", "XX", "XX", "..", "XX", "XX"}, kBlack);
  return image;
}

QImage QuestionMark() {  // 12 pixels high
  QImage image = Blank();
  Pixels(image, 5, 2,
         {".XXXX.", "XX..XX", "XX..XX", "....XX", "...XX.", "..XX..", "..XX..", "..XX..", "......", "......", "..XX..",
          "..XX.."},
         kBlack);
  return image;
}

QImage Cross() {
  QImage image = Blank();
  for (int i = 0; i < 10; ++i) {
    for (int t = 0; t < 2; ++t) {
      image.setPixelColor(3 + i + t, 3 + i, kRed);
      image.setPixelColor(12 - i + t, 3 + i, kRed);
    }
  }
  return image;
}

QImage Plus(const QColor& colour) {
  QImage image = Blank();
  for (int i = 3; i <= 12; ++i) {
    for (int t = 7; t <= 8; ++t) {
      image.setPixelColor(t, i, colour);
      image.setPixelColor(i, t, colour);
    }
  }
  return image;
}

QImage Ring() {  // two pixels thick, in the one grey of the table: no shades
  QImage image = Blank();
  Pixels(image, 3, 3,
         {"...XXXX...", ".XXXXXXXX.", ".XX....XX.", "XX......XX", "XX......XX", "XX......XX", "XX......XX",
          ".XX....XX.", ".XXXXXXXX.", "...XXXX..."},
         kGrey);
  return image;
}

QImage PlusMinus() {
  QImage image = Blank();
  for (int i = 1; i <= 7; ++i) {
    image.setPixelColor(4, i, kGrey);  // plus at the upper left
    image.setPixelColor(i, 4, kGrey);
    image.setPixelColor(7 + i, 11, kGrey);  // minus at the lower right
  }
  return image;
}

QImage SmallExclamationMark() {  // 8 pixels high, lower left corner
  QImage image = Blank();
  Pixels(image, 1, 8, {"XX", "XX", "XX", "XX", "XX", "..", "XX", "XX"}, kBlack);
  return image;
}

QImage SmallQuestionMark() {  // 8 pixels high, lower left corner
  QImage image = Blank();
  Pixels(image, 0, 8, {".XXX.", "X...X", "....X", "...X.", "..X..", "..X..", ".....", "..X.."}, kBlack);
  return image;
}

void CheckIndex(int index) {
  if (index < 0 || index >= TStatusIconsImageList::kCount) throw std::out_of_range("no such status icon");
}

}  // namespace

TStatusIconsImageList::TStatusIconsImageList()
    : images_{ExclamationMark(),      QuestionMark(),     Cross(), Plus(kGreen), Ring(), PlusMinus(),
              SmallExclamationMark(), SmallQuestionMark()} {}

const QImage& TStatusIconsImageList::Image(int index) const {
  CheckIndex(index);
  return images_[static_cast<std::size_t>(index)];
}

QImage TStatusIconsImageList::Bitmap() const {
  QImage bitmap(4 * kSize, 3 * kSize, QImage::Format_RGB32);
  bitmap.fill(Qt::white);
  QPainter p(&bitmap);
  for (int k = 0; k < kCount; ++k) Draw(p, QPoint((k % 4) * kSize, (k / 4) * kSize), k);
  return bitmap;
}

void TStatusIconsImageList::Draw(QPainter& painter, QPoint position, int index) const {
  painter.drawImage(position, Image(index));
}

void TStatusIconsImageList::SetOverlay(int imageIndex, int overlayIndex) {
  CheckIndex(imageIndex);
  if (overlayIndex < 0 || overlayIndex >= kOverlayCount) throw std::out_of_range("no such overlay");
  overlays_[static_cast<std::size_t>(overlayIndex)] = imageIndex;
}

int TStatusIconsImageList::OverlayImage(int overlayIndex) const {
  if (overlayIndex < 0 || overlayIndex >= kOverlayCount) return -1;
  return overlays_[static_cast<std::size_t>(overlayIndex)];
}

QImage TStatusIconsImageList::Combined(int image, int overlayIndex) const {
  QImage result = Image(image).convertToFormat(QImage::Format_ARGB32);
  const int overlay = OverlayImage(overlayIndex);
  if (overlay < 0) return result;
  const QImage& mark = Image(overlay);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x)
      if (mark.pixelColor(x, y) != QColor(Qt::white)) result.setPixelColor(x, y, mark.pixelColor(x, y));
  return result;
}

}  // namespace korvane
