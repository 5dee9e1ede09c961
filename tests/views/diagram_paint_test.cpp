// Painted diagrams: pixels of rendered images, the paint box, and the exported files.
#include <QScrollArea>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include "model/evaluation_limit.h"
#include "model/stage_builder.h"
#include "support/stage_generator.h"
#include "view_fixtures.h"
#include "views/diagram_builder.h"
#include "views/diagram_export.h"
#include "views/diagram_paint_box.h"
#include "views/wrapped_text.h"

using namespace korvane;
using korvane::test::StageBuilder;

namespace {

const QColor kBlue(0, 0, 255);
const QColor kGrey(128, 128, 128);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

// c <- a, d <- a, a <- z: a and z are drawn twice, the statements only once.
void BuildRepeatedReason(StageBuilder& b) {
  b.Connect("a", kIssue, "c", kIssue);
  b.Connect("a", kIssue, "d", kIssue);
  b.Connect("z", kAssumption, "a", kIssue);
}

}  // namespace

class DiagramPaintTest : public QObject {
  Q_OBJECT

  QFont font_ = test::WindowFont();
  TStatusIconsImageList icons_;
  int d_ = 0;

  [[nodiscard]] QImage Render(const StageBuilder& b, int width = 300, bool structureOnly = false) const {
    return RenderDiagramImage(LayoutDialecticalDiagram(b.Current(), width, font_, structureOnly), icons_);
  }

private slots:
  void initTestCase() { d_ = test::LineHeightOf(font_) + 15; }

  // The window lays the diagram out after every move and remembers how each sentence
  // wrapped: over a generated line, what it draws from that is what measuring afresh draws.
  void rememberedMeasuresDrawAsFreshOnes() {
    // Trees: each cycle multiplies what the dialectical diagram draws.
    test::StageGenerator generator(2027, 9);
    generator.PreferDownwards(1000);
    std::vector<std::unique_ptr<TArgumentationStage>> stages;
    stages.push_back(std::make_unique<TArgumentationStage>());
    TDiagramMemory memo;  // kept over the whole line, as a view keeps it
    int compared = 0;
    for (const auto& m : generator.Moves(40)) {
      try {
        stages.push_back(test::Apply(*stages.back(), m));
      } catch (const TEvaluationLimitError&) {
        continue;
      }
      if (stages.size() % 5 != 0) continue;
      const TArgumentationStage& stage = *stages.back();
      for (const bool structureOnly : {false, true}) {
        for (const int width : {140, 500}) {
          const auto draw = [&](TDiagramMemory* memo) {
            return std::pair(
                RenderDiagramImage(LayoutDialecticalDiagram(stage, width, font_, structureOnly, memo), icons_),
                RenderDiagramImage(LayoutStatementsDiagram(stage, width, font_, structureOnly, 0, memo), icons_));
          };
          QVERIFY(draw(&memo) == draw(nullptr));
          ++compared;
        }
      }
    }
    QVERIFY(compared >= 16);
  }

  void boxOutlineIconAndText() {
    StageBuilder b;
    b.State("wet", kAssumption);
    const QImage image = Render(b);
    const int right = 30 + test::TextWidth("wet", true, false) - 1;
    QCOMPARE(image.size(), QSize(300, 26));
    QCOMPARE(image.pixelColor(2, 12), kBlue);      // left edge
    QCOMPARE(image.pixelColor(right, 12), kBlue);  // right edge
    QCOMPARE(image.pixelColor(right + 1, 12), kWhite);
    QCOMPARE(image.pixelColor(10, 2), kBlue);   // top edge
    QCOMPARE(image.pixelColor(10, 23), kBlue);  // bottom edge, the last row of the box
    QCOMPARE(image.pixelColor(10, 24), kWhite);
    QCOMPARE(image.pixelColor(1, 12), kWhite);
    QCOMPARE(image.pixelColor(3, 12), kWhite);         // the box is filled white
    QCOMPARE(image.pixelColor(5 + 7, 5 + 2), kBlack);  // the "!" icon's bar
    int bluish = 0;
    for (int y = 5; y < 5 + 16; ++y)
      for (int x = 23; x < right; ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.blue() > 200 && c.red() < 120) ++bluish;
      }
    QVERIFY2(bluish > 10, "the sentence is written in blue");
  }

  void connectorEndsAreLeftOut() {
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue);
    const QImage image = Render(b);
    const int yr = d_ + 12;
    QCOMPARE(image.pixelColor(19, yr), kBlue);  // one pixel left of the reason's box
    QCOMPARE(image.pixelColor(9, yr), kBlue);
    QCOMPARE(image.pixelColor(9, 30), kBlue);
    QCOMPARE(image.pixelColor(9, 24), kBlue);  // the arrow's tip
    QCOMPARE(image.pixelColor(5, 28), kBlue);
    QCOMPARE(image.pixelColor(4, 29), kWhite);  // an arrowhead line stops short of its end
    QCOMPARE(image.pixelColor(13, 28), kBlue);
    QCOMPARE(image.pixelColor(14, 29), kWhite);
    QCOMPARE(image.pixelColor(8, 30), kWhite);
  }

  void blockedStepIsDotted() {
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue);
    b.State("(IF a, THEN c)", kIssue);
    const QImage image = Render(b);
    int grey = 0;
    int white = 0;
    int adjacentGrey = 0;
    for (int y = 26; y < 2 * d_ + 12; ++y) {
      const QColor c = image.pixelColor(9, y);
      if (c == kGrey) {
        ++grey;
        if (image.pixelColor(9, y + 1) == kGrey) ++adjacentGrey;
      } else if (c == kWhite) {
        ++white;
      }
    }
    QVERIFY2(grey > 10 && white > 10, qPrintable(QStringLiteral("grey %1, white %2").arg(grey).arg(white)));
    QCOMPARE(adjacentGrey, 0);
  }

  void structureOnlyIsBlackWithoutIcons() {
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue);
    const QImage image = Render(b, 300, true);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        QVERIFY2(c.red() == c.green() && c.green() == c.blue(),
                 qPrintable(QStringLiteral("coloured pixel at %1, %2").arg(x).arg(y)));
      }
    QCOMPARE(image.pixelColor(2, 12), kBlack);
    QCOMPARE(image.pixelColor(5 + 7, 5 + 2), kWhite);  // no icon
  }

  void paintBoxHeights() {
    StageBuilder b;
    BuildRepeatedReason(b);
    TDiagramPaintBox box;
    box.resize(300, 0);
    box.ShowDialecticalDiagram(b.Current(), false, font_);
    QVERIFY(box.isVisible());
    QCOMPARE(box.Layout().Boxes.size(), std::size_t{6});
    const int tall = 5 * d_ + 26;
    QCOMPARE(box.height(), tall);

    box.ShowStatementsDiagram(b.Current(), false, font_);
    QCOMPARE(box.Layout().Boxes.size(), std::size_t{4});
    QCOMPARE(box.height(), tall);  // the statements diagram keeps the height it found

    StageBuilder small;
    small.State("one", kAssumption);
    box.ShowDialecticalDiagram(small.Current(), false, font_);
    QCOMPARE(box.height(), 26);  // starts again from 0
    box.ShowStatementsDiagram(small.Current(), false, font_);
    QCOMPARE(box.height(), 26);
  }

  void paintBoxPaintsItsLayout() {
    StageBuilder b;
    b.State("wet", kAssumption);
    TDiagramPaintBox box;
    box.resize(200, 0);
    box.ShowDialecticalDiagram(b.Current(), false, font_);
    const QImage shot = box.grab().toImage();
    QCOMPARE(shot.pixelColor(2, 12), kBlue);
    QCOMPARE(shot.pixelColor(10, 24), kWhite);
    QCOMPARE(shot.pixelColor(5 + 7, 5 + 2), kBlack);
  }

  void stepsViewShowsTheDiagramOnlyWhenAButtonIsDown() {
    StageBuilder b;
    b.State("wet", kAssumption);
    TDiagramPaintBox box;
    box.resize(200, 0);
    box.ShowStatementsDiagram(b.Current(), false, font_);
    box.ShowStepsView(true);
    QCOMPARE(box.Layout().Boxes.size(), std::size_t{1});
    box.ShowStepsView(false);
    QVERIFY(box.Layout().Boxes.empty());
    QCOMPARE(box.height(), 26);
    QCOMPARE(box.grab().toImage().pixelColor(2, 12), kWhite);
  }

  void widthInScrollBox_data() {
    QTest::addColumn<int>("paintBoxHeight");
    QTest::addColumn<int>("expected");
    QTest::newRow("shorter than the scroll box") << 100 << 393;
    QTest::newRow("as tall") << 300 << 393;
    QTest::newRow("taller: room for the scroll bar") << 301 << 380;
  }
  void widthInScrollBox() {
    QFETCH(int, paintBoxHeight);
    QFETCH(int, expected);
    QCOMPARE(TDiagramPaintBox::WidthInScrollBox(400, 300, paintBoxHeight), expected);
  }

  void tallDiagramIsLaidOutAgainNarrower() {
    StageBuilder b;
    BuildRepeatedReason(b);
    QScrollArea scrollBox;
    scrollBox.resize(400, 60);
    TDiagramPaintBox box;
    box.resize(393, 0);
    box.ShowDialecticalDiagram(b.Current(), false, font_, &scrollBox);
    QCOMPARE(box.width(), 380);
    QCOMPARE(box.Layout().Width, 380);

    StageBuilder small;
    small.State("one", kAssumption);
    TDiagramPaintBox other;
    other.resize(393, 0);
    other.ShowDialecticalDiagram(small.Current(), false, font_, &scrollBox);
    QCOMPARE(other.width(), 393);
  }

  void exportWritesValidFiles_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("png") << "diagram.png";
    QTest::newRow("PNG in capitals") << "DIAGRAM.PNG";
    QTest::newRow("svg") << "diagram.svg";
    QTest::newRow("pdf") << "diagram.pdf";
  }
  void exportWritesValidFiles() {
    QFETCH(QString, name);
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue);
    const TDiagramLayout layout = LayoutDialecticalDiagram(b.Current(), 320, font_, false);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QString error;
    QVERIFY2(ExportDiagram(layout, icons_, path, error), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();

    switch (*ExportFormatOf(path)) {
      case TExportFormat::Png: {
        QImage image;
        QVERIFY(image.loadFromData(bytes, "PNG"));
        QCOMPARE(image.size(), QSize(320, layout.Height));
        QCOMPARE(image.pixelColor(2, 12), kBlue);
        QCOMPARE(image.pixelColor(9, 30), kBlue);
        break;
      }
      case TExportFormat::Svg: {
        QSvgRenderer svg(bytes);
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBox(), QRect(0, 0, 320, layout.Height));
        QVERIFY(bytes.contains(">c<") || bytes.contains(">c </"));
        QImage image(svg.viewBox().size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        svg.render(&p);
        p.end();
        const QColor edge = image.pixelColor(2, 12);
        QVERIFY2(edge.blue() > 200 && edge.red() < 80, "the box's edge is blue in the SVG too");
        break;
      }
      case TExportFormat::Pdf:
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.trimmed().endsWith("%%EOF"));
        QVERIFY(bytes.contains("/MediaBox [0 0 240.0"));  // 320 pixels at 96 per inch
        break;
    }
  }

  void exportRefusesWhatItCannotWrite() {
    StageBuilder b;
    b.State("wet", kAssumption);
    const TDiagramLayout layout = LayoutDialecticalDiagram(b.Current(), 200, font_, false);
    QTemporaryDir dir;
    QString error;
    QVERIFY(!ExportDiagram(layout, icons_, dir.filePath("diagram.bmp"), error));
    QVERIFY(error.contains(".png, .svg or .pdf"));
    QVERIFY(!QFile::exists(dir.filePath("diagram.bmp")));
    const QString missing = dir.filePath("no/such/folder/diagram.png");
    QVERIFY(!ExportDiagram(layout, icons_, missing, error));
    QCOMPARE(error, QStringLiteral("Cannot create file ") + missing);
  }

  void emptyDiagramExportsAWhiteStrip() {
    StageBuilder b;
    const TDiagramLayout layout = LayoutDialecticalDiagram(b.Current(), 200, font_, false);
    QCOMPARE(layout.Height, 0);
    QTemporaryDir dir;
    QString error;
    QVERIFY2(ExportDiagram(layout, icons_, dir.filePath("empty.png"), error), qPrintable(error));
    const QImage image(dir.filePath("empty.png"));
    QCOMPARE(image.size(), QSize(200, 1));
    QCOMPARE(image.pixelColor(100, 0), kWhite);
  }
};

QTEST_MAIN(DiagramPaintTest)
#include "diagram_paint_test.moc"
