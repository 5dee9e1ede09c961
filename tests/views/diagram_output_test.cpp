// What a diagram looks like on every output: the examples exactly as they were drawn
// before deep diagrams were widened and painting followed the drawing order, images at
// twice the density, and the pictures too large for one image.
#include <QDirIterator>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include "document/headless_session.h"
#include "model/stage_builder.h"
#include "view_fixtures.h"
#include "views/diagram_builder.h"
#include "views/diagram_export.h"

using namespace korvane;
using korvane::test::StageBuilder;

namespace {

// A layout of count one-line boxes, one per row, as tall as a diagram of that many boxes.
TDiagramLayout Column(int count) {
  TDiagramLayout layout;
  layout.Width = 800;
  layout.Font = test::WindowFont();
  layout.Font.setPixelSize(11);
  layout.LineHeight = 13;
  layout.RowHeight = 28;
  for (int i = 0; i < count; ++i) {
    layout.Order.push_back({TDiagramItem::TKind::Box, i});
    layout.Boxes.push_back({QRect(2, i * 28 + 2, 200, 22), Qt::blue, TPenStyle::Solid, Qt::white});
    layout.Order.push_back({TDiagramItem::TKind::Text, i});
    layout.Texts.push_back({QPoint(23, i * 28 + 5), QStringLiteral("box %1").arg(i), Qt::blue, true, false});
  }
  layout.Height = count * 28;
  return layout;
}

}  // namespace

class DiagramOutputTest : public QObject {
  Q_OBJECT

  QFont font_ = test::WindowFont();
  TStatusIconsImageList icons_;

private slots:
  // Reference images rendered from the examples before those changes; where every box
  // fits, every pixel must be the same.
  void examplesPaintAsBefore_data() {
    QTest::addColumn<QString>("golden");
    QDirIterator it(QFINDTESTDATA("golden"), {QStringLiteral("*.png")});
    while (it.hasNext()) {
      const QString path = it.next();
      QTest::newRow(qPrintable(QFileInfo(path).baseName())) << path;
    }
  }
  void examplesPaintAsBefore() {
    QFETCH(QString, golden);
    // Named example_view_width[_structure].png
    const QStringList name = QFileInfo(golden).baseName().split(QLatin1Char('_'));
    const bool structure = name.last() == QLatin1String("structure");
    const int at = static_cast<int>(name.size()) - (structure ? 3 : 2);
    const QString example = name.mid(0, at).join(QLatin1Char('_'));
    const bool dialectical = name[at] == QLatin1String("dialectical");
    const int width = name[at + 1].toInt();

    const QStringList missing = test::MissingDiagramFaces();
    if (!missing.isEmpty()) QFAIL(qPrintable(missing.join(QStringLiteral("; "))));

    THeadlessSession<> session;
    session.Session.OpenFile(QFINDTESTDATA("../../examples/" + example + ".lin").toStdString());
    const TArgumentationStage& stage = *session.Session.Line().CurrentStage;
    QVERIFY(stage.Statements.Count() > 0);
    const TDiagramLayout layout = dialectical ? LayoutDialecticalDiagram(stage, width, font_, structure)
                                              : LayoutStatementsDiagram(stage, width, font_, structure);
    QCOMPARE(layout.Width, width);  // every box fits
    const QImage expected = QImage(golden).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(RenderDiagramImage(layout, icons_), expected);
  }

  // A chain deeper than the width: its boxes wrap as wide as a box at the top level gets (at
  // most 40 average characters), their text at least two pixels inside them; korvane-cli
  // render draws the reference image from the same file.
  void deepChainWrapsReadably() {
    const QStringList missing = test::MissingDiagramFaces();
    if (!missing.isEmpty()) QFAIL(qPrintable(missing.join(QStringLiteral("; "))));
    THeadlessSession<> session;
    session.Session.OpenFile(QFINDTESTDATA("deep/chain.lin").toStdString());
    const int width = 300;
    const TDiagramLayout layout = LayoutDialecticalDiagram(*session.Session.Line().CurrentStage, width, font_, false);
    QCOMPARE(layout.Boxes.size(), std::size_t{31});
    QVERIFY(layout.Width > width);
    int deep = 0;
    for (const TDiagramPart& part : layout.Parts) {
      if (part.Kind != TDiagramPart::TKind::Statement) continue;
      const QRect box = layout.Boxes[static_cast<std::size_t>(part.Box)].Rect;
      QRect text;
      int lines = 0;
      int average = 0;
      for (const TDiagramText& t : layout.Texts) {
        if (!box.contains(t.Position)) continue;
        text |= QRect(t.Position, QSize(1, layout.LineHeight + 3));
        ++lines;
        average = QFontMetrics(layout.TextFont(t)).averageCharWidth();
      }
      if (box.right() < width) continue;
      ++deep;
      QVERIFY(lines > 1);
      QVERIFY(text.top() - box.top() >= 2);
      QVERIFY(box.bottom() - text.bottom() >= 2);
      // Wrapped as wide as the top level's room (270 pixels) or 40 average characters.
      QCOMPARE(box.width(), std::min(width - 30, 40 * average) + 28);
    }
    QVERIFY(deep > 10);
    const QImage expected =
        QImage(QFINDTESTDATA("deep/chain_dialectical_300.png")).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(RenderDiagramImage(layout, icons_), expected);
  }

  // Each box with its text and icon, the connector after it, the reason's box last.
  void itemsAreKeptInDrawingOrder() {
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue);
    const TDiagramLayout layout = LayoutDialecticalDiagram(b.Current(), 300, font_, false);
    QString kinds;
    for (const TDiagramItem& item : layout.Order) kinds += QStringLiteral("BLTI").at(static_cast<int>(item.Kind));
    QCOMPARE(kinds, QStringLiteral("BTILLLLBTI"));
  }
  // What comes later covers what came before: a box drawn after a line hides it.
  void laterItemsCoverEarlierOnes() {
    TDiagramLayout layout = Column(1);
    layout.Lines.push_back({QPoint(0, 12), QPoint(300, 12), Qt::red, TPenStyle::Solid});
    layout.Order.insert(layout.Order.begin(), {TDiagramItem::TKind::Line, 0});
    QCOMPARE(RenderDiagramImage(layout, icons_).pixelColor(150, 12), QColor(Qt::white));
    QCOMPARE(RenderDiagramImage(layout, icons_).pixelColor(250, 12), QColor(Qt::red));
    layout.Order.erase(layout.Order.begin());
    layout.Order.push_back({TDiagramItem::TKind::Line, 0});
    QCOMPARE(RenderDiagramImage(layout, icons_).pixelColor(150, 12), QColor(Qt::red));
  }

  // At twice the density every box edge, straight line and icon pixel becomes exactly two
  // by two device pixels: nothing is blurred or shifted by half a pixel. (Text and the
  // slanted strokes of arrowheads and crosses are drawn finer.)
  void twiceTheDensityIsCrisp_data() {
    QTest::addColumn<bool>("structureOnly");
    QTest::newRow("colours and icons") << false;
    QTest::newRow("structure only") << true;
  }
  void twiceTheDensityIsCrisp() {
    QFETCH(bool, structureOnly);
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue);
    b.Except("e", kAssumption, "a", kAssumption, "c", kIssue);
    b.State("(IF a, THEN c)", kIssue);
    const TDiagramLayout layout = LayoutDialecticalDiagram(b.Current(), 300, font_, structureOnly);
    const QImage one = RenderDiagramImage(layout, icons_, 1);
    const QImage two = RenderDiagramImage(layout, icons_, 2);
    QCOMPARE(two.size(), one.size() * 2);
    QCOMPARE(two.devicePixelRatio(), 2.0);
    QRegion finer;
    for (const TDiagramText& t : layout.Texts)
      finer += QRect(t.Position,
                     QSize(QFontMetrics(layout.TextFont(t)).horizontalAdvance(t.Text) + 2, layout.LineHeight + 3));
    for (const TDiagramLine& l : layout.Lines)
      if (l.From.x() != l.To.x() && l.From.y() != l.To.y())
        finer += QRect(l.From, l.To).normalized().adjusted(-1, -1, 1, 1);
    int compared = 0;
    for (int y = 0; y < one.height(); ++y)
      for (int x = 0; x < one.width(); ++x) {
        if (finer.contains(QPoint(x, y))) continue;
        const QColor c = one.pixelColor(x, y);
        for (int k = 0; k < 4; ++k)
          if (two.pixelColor(2 * x + k % 2, 2 * y + k / 2) != c)
            QFAIL(qPrintable(QStringLiteral("pixel %1, %2 is %3, at twice the density %4")
                                 .arg(x)
                                 .arg(y)
                                 .arg(c.name(), two.pixelColor(2 * x + k % 2, 2 * y + k / 2).name())));
        compared += c != QColor(Qt::white);
      }
    QVERIFY(compared > 100);
  }

  // About 200,000 boxes high: refused at once, the old file left alone, no warnings.
  void tooLargeForAnImageIsRefused() {
    TDiagramLayout layout = Column(3);
    layout.Height = 10'900'000;
    QTemporaryDir dir;
    const QString path = dir.filePath("big.png");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    QString error;
    QVERIFY(!ExportDiagram(layout, icons_, path, error));
    QCOMPARE(error, QStringLiteral("Cannot export to ") + path +
                        QStringLiteral(": the diagram is 800 x 10,900,000 pixels, too large for one image (at most "
                                       "268,435,456 pixels); export it as SVG or PDF instead"));
    QVERIFY(RenderDiagramImage(layout, icons_).isNull());
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("big.png")});
  }

  // Vector files have no such limit: the SVG is complete, the PDF cut into pages.
  void tallDiagramsGoToSvgAndPdf() {
    const TDiagramLayout layout = Column(20000);  // 560,000 pixels high
    QTemporaryDir dir;
    QString error;
    QVERIFY2(ExportDiagram(layout, icons_, dir.filePath("tall.svg"), error), qPrintable(error));
    QFile svg(dir.filePath("tall.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QByteArray bytes = svg.readAll();
    QVERIFY(bytes.contains(R"(viewBox="0 0 800 560000")"));
    QVERIFY(bytes.contains(">box 19999</text>"));
    QVERIFY(bytes.endsWith("</svg>\n"));
    QVERIFY2(ExportDiagram(layout, icons_, dir.filePath("tall.pdf"), error), qPrintable(error));
    QFile pdf(dir.filePath("tall.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray pdfBytes = pdf.readAll();
    const int pages = (560000 + kMaximumPdfPageHeight - 1) / kMaximumPdfPageHeight;
    QCOMPARE(pdfBytes.count("/Type /Page\n") + pdfBytes.count("/Type /Page\r"), pages);
  }

  // The SVG written element by element draws what the image shows.
  void svgDrawsTheBoxesLinesAndIcons() {
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue);
    b.State("x & <y>", kAssumption);
    const TDiagramLayout layout = LayoutDialecticalDiagram(b.Current(), 320, font_, false);
    QTemporaryDir dir;
    QString error;
    QVERIFY2(ExportDiagram(layout, icons_, dir.filePath("d.svg"), error), qPrintable(error));
    QSvgRenderer svg(dir.filePath("d.svg"));
    QVERIFY(svg.isValid());
    QImage drawn(layout.Width, layout.Height, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter p(&drawn);
    svg.render(&p);
    p.end();
    const QImage image = RenderDiagramImage(layout, icons_);
    // The renderer smooths corners; the middle of each edge is exact.
    for (const TDiagramBox& box : layout.Boxes) {
      const QRect& r = box.Rect;
      for (const QPoint edge : {QPoint(r.center().x(), r.top()), QPoint(r.center().x(), r.bottom()),
                                QPoint(r.left(), r.center().y()), QPoint(r.right(), r.center().y())})
        QCOMPARE(drawn.pixelColor(edge), image.pixelColor(edge));
    }
    for (const TDiagramIcon& icon : layout.Icons)
      QCOMPARE(drawn.copy(QRect(icon.Position, QSize(16, 16))), image.copy(QRect(icon.Position, QSize(16, 16))));
    const TDiagramLine& arrow = layout.Lines[1];  // the connector's vertical line
    const QPoint middle((arrow.From + arrow.To) / 2);
    QCOMPARE(drawn.pixelColor(middle), image.pixelColor(middle));
  }
};

QTEST_MAIN(DiagramOutputTest)
#include "diagram_output_test.moc"
