// The status icons: their pictures at telling pixels, the overlays and the combined icons.
#include <QtTest>

#include "views/status_icons.h"

using namespace korvane;

namespace {

const QColor kWhite(255, 255, 255);

// Bounding box of the pixels that are not white.
QRect Ink(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) != kWhite) box |= QRect(x, y, 1, 1);
  return box;
}

bool OnlyColour(const QImage& image, const QColor& colour) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c != kWhite && c != colour) return false;
    }
  return true;
}

}  // namespace

class StatusIconsTest : public QObject {
  Q_OBJECT

private slots:
  void eightOpaqueIcons() {
    const TStatusIconsImageList icons;
    for (int k = 0; k < TStatusIconsImageList::kCount; ++k) {
      QCOMPARE(icons.Image(k).size(), QSize(16, 16));
      QVERIFY(!icons.Image(k).hasAlphaChannel());
      QVERIFY2(!Ink(icons.Image(k)).isEmpty(), qPrintable(QString::number(k)));
    }
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, (void)icons.Image(8));
  }

  void typeMarks_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("height");
    QTest::newRow("exclamation mark") << kAssumptionIcon << 12;
    QTest::newRow("question mark") << kIssueIcon << 12;
  }
  void typeMarks() {
    QFETCH(int, index);
    QFETCH(int, height);
    const TStatusIconsImageList icons;
    const QImage& image = icons.Image(index);
    const QRect ink = Ink(image);
    QCOMPARE(ink.height(), height);
    QVERIFY(qAbs(ink.left() + ink.right() - 15) <= 1);  // centred across
    QVERIFY(qAbs(ink.top() + ink.bottom() - 15) <= 1);  // and down
    QVERIFY(OnlyColour(image, Qt::black));
  }

  void statusPictures() {
    const TStatusIconsImageList icons;
    QVERIFY(OnlyColour(icons.Image(kCrossIcon), QColor(255, 0, 0)));
    QCOMPARE(icons.Image(kCrossIcon).pixelColor(7, 7), QColor(255, 0, 0));  // the diagonals meet
    QVERIFY(OnlyColour(icons.Image(kJustifiedIcon), QColor(0, 127, 0)));
    QCOMPARE(icons.Image(kJustifiedIcon).pixelColor(7, 4), QColor(0, 127, 0));
    QCOMPARE(icons.Image(kJustifiedIcon).pixelColor(4, 4), kWhite);  // a plus, not a square
    const QImage& ring = icons.Image(kUnjustifiedIcon);
    QVERIFY2(OnlyColour(ring, QColor(127, 127, 127)), "the table's grey, no shades in between");
    QCOMPARE(ring.pixelColor(8, 8), kWhite);  // hollow
    int grey = 0;
    for (int x = 0; x < 8; ++x)
      if (ring.pixelColor(x, 8) != kWhite) ++grey;
    QVERIFY2(grey >= 2 && grey <= 3, "the ring is two pixels thick");
    const QImage& plusMinus = icons.Image(kPlusMinusIcon);
    QVERIFY(Ink(plusMinus.copy(0, 0, 8, 8)).isValid());
    QVERIFY(Ink(plusMinus.copy(8, 8, 8, 8)).isValid());
    QVERIFY(!Ink(plusMinus.copy(8, 0, 8, 8)).isValid());
  }

  void smallMarksSitInTheLowerLeftCorner_data() {
    QTest::addColumn<int>("index");
    QTest::newRow("small exclamation mark") << kSmallAssumptionIcon;
    QTest::newRow("small question mark") << kSmallIssueIcon;
  }
  void smallMarksSitInTheLowerLeftCorner() {
    QFETCH(int, index);
    const QRect ink = Ink(TStatusIconsImageList().Image(index));
    QCOMPARE(ink.height(), 8);
    QCOMPARE(ink.bottom(), 15);
    QVERIFY(ink.right() < 6);
  }

  void overlays() {
    TStatusIconsImageList icons;
    QCOMPARE(icons.OverlayImage(0), -1);
    QCOMPARE(icons.Combined(kJustifiedIcon, 0), icons.Image(kJustifiedIcon).convertToFormat(QImage::Format_ARGB32));
    icons.SetOverlay(kSmallAssumptionIcon, 0);
    icons.SetOverlay(kSmallIssueIcon, 1);
    QCOMPARE(icons.OverlayImage(1), kSmallIssueIcon);
    const QImage combined = icons.Combined(kUnjustifiedIcon, 1);
    const QImage& mark = icons.Image(kSmallIssueIcon);
    const QImage& ring = icons.Image(kUnjustifiedIcon);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const QColor expected = mark.pixelColor(x, y) != kWhite ? mark.pixelColor(x, y) : ring.pixelColor(x, y);
        QCOMPARE(combined.pixelColor(x, y), expected);  // white of the overlay lets the icon through
      }
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, icons.SetOverlay(kSmallIssueIcon, 2));
  }

  void bitmapHoldsFourToARow() {
    const TStatusIconsImageList icons;
    const QImage bitmap = icons.Bitmap();
    QCOMPARE(bitmap.size(), QSize(64, 48));
    for (int k = 0; k < 8; ++k)
      QCOMPARE(bitmap.copy((k % 4) * 16, (k / 4) * 16, 16, 16), icons.Image(k).convertToFormat(bitmap.format()));
    QVERIFY(!Ink(bitmap.copy(0, 32, 64, 16)).isValid());
  }
};

QTEST_MAIN(StatusIconsTest)
#include "status_icons_test.moc"
