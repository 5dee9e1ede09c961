// The find box and the zoom in the window, driven by keys: Ctrl+F, typing, Return and
// Shift+Return, Escape; Ctrl++, Ctrl+-, Ctrl+0 and Ctrl with the wheel.
#include <QAccessibleInterface>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "app/diagram_menu.h"
#include "app/find_box.h"
#include "app/widgets/scroll_box.h"
#include "app_fixture.h"
#include "views/diagram_export.h"
#include "views/diagram_paint_box.h"
#include "views/focus_frame.h"
#include "views/line_of_argumentation_view.h"

using namespace korvane;

class FindZoomTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApp> app_;

  [[nodiscard]] TArgIntForm& Main() const { return app_->Main(); }
  [[nodiscard]] TDiagramPaintBox* PaintBox() const { return app_->Child<TDiagramPaintBox>("DialArgsPaintBox"); }
  [[nodiscard]] TScrollBox* ScrollBox() const { return app_->Child<TScrollBox>("ScrollBox1"); }
  [[nodiscard]] TFindBox* Find() const { return Main().findChild<TFindBox*>(); }
  [[nodiscard]] QLineEdit* FindEdit() const { return Find()->Dialog()->findChild<QLineEdit*>("FindEdit"); }
  [[nodiscard]] QString FindPosition() const { return Find()->Dialog()->findChild<QLabel*>("FindPosition")->text(); }

  // Statements "claim k about the goods" (k from 0), the even ones also "defective"; drawn once.
  void StateMany(int count) const {
    app_->Session().RefreshViews = false;
    for (int k = 0; k < count; ++k)
      app_->State("claim " + std::to_string(k) + (k % 2 == 0 ? " about the DEFECTIVE goods" : " about the goods"),
                  kAssumption);
    app_->Session().RefreshViews = true;
    Main().RefreshCurrentView();
    QCoreApplication::processEvents();
  }
  void OpenFindAndType(const QString& text) const {
    QTest::keyClick(&Main(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(Find()->Dialog() && Find()->Dialog()->isVisible());
    QTest::keyClicks(FindEdit(), text);
  }
  // The pixels of the frame's colour in the painted paint box.
  [[nodiscard]] int FramePixels() const {
    const QImage image = PaintBox()->grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == FocusFrameColour();
    return n;
  }

private slots:
  void initTestCase() { InitTestApplication(); }
  void init() { app_ = std::make_unique<TApp>(); }
  void cleanup() { app_.reset(); }

  void findStepsThroughMatchesAndFramesThem() {
    StateMany(60);
    OpenFindAndType(QStringLiteral("defective"));
    QCOMPARE(FindPosition(), QStringLiteral("1 of 30"));
    QCOMPARE(*Find()->Finder().CurrentSentence(), std::string("claim 0 about the DEFECTIVE goods"));
    QTest::keyClick(FindEdit(), Qt::Key_Return);
    QCOMPARE(FindPosition(), QStringLiteral("2 of 30"));
    QTest::keyClick(FindEdit(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(FindEdit(), Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(FindPosition(), QStringLiteral("30 of 30"));
    QCOMPARE(*Find()->Finder().CurrentSentence(), std::string("claim 58 about the DEFECTIVE goods"));

    // The last box is far below: scrolled into view, framed outside its edge.
    const QRect box = PaintBox()->FocusRect();
    QCOMPARE(box, PaintBox()->ToWidget(PaintBox()->Layout().Boxes[58].Rect));
    const QRect shown(QPoint(ScrollBox()->horizontalScrollBar()->value(), ScrollBox()->verticalScrollBar()->value()),
                      ScrollBox()->viewport()->size());
    QVERIFY(ScrollBox()->verticalScrollBar()->value() > 0);
    QVERIFY(shown.contains(box));
    const QImage image = PaintBox()->grab().toImage();
    // At the paint box's left edge the frame stays inside it.
    QCOMPARE(image.pixelColor(std::max(0, box.left() - kFocusFrameGap - 1), box.center().y()), FocusFrameColour());
    QCOMPARE(image.pixelColor(box.right() + kFocusFrameGap + 1, box.center().y()), FocusFrameColour());
    QCOMPARE(image.pixelColor(box.topLeft()), QColor(0, 0, 255));  // the box's own edge stays
    QVERIFY(FramePixels() > 0);

    // The frame stays through a redraw of the window and goes with the box.
    Main().RefreshCurrentView();
    QCOMPARE(PaintBox()->FocusRect(), box);
    QTest::keyClick(FindEdit(), Qt::Key_Escape);
    QVERIFY(!Find()->Dialog()->isVisible());
    QVERIFY(PaintBox()->FocusRect().isEmpty());
    QCOMPARE(FramePixels(), 0);
  }

  void findAsksTheStageAgainAfterAMove() {
    StateMany(4);
    OpenFindAndType(QStringLiteral("DEFECTIVE"));
    QCOMPARE(FindPosition(), QStringLiteral("1 of 2"));
    app_->State("a DeFeCtIvE machine", kIssue);
    QTest::keyClick(FindEdit(), Qt::Key_Return);
    QCOMPARE(FindPosition(), QStringLiteral("2 of 3"));
    QTest::keyClick(FindEdit(), Qt::Key_Return);
    QCOMPARE(*Find()->Finder().CurrentSentence(), std::string("a DeFeCtIvE machine"));
    FindEdit()->clear();
    QCOMPARE(FindPosition(), QString());
    QVERIFY(PaintBox()->FocusRect().isEmpty());
  }

  void findGoesToTheLineInTheTextView() {
    StateMany(40);
    Main().ShowLineOfArgumentationView();
    OpenFindAndType(QStringLiteral("claim 37 "));
    QCOMPARE(FindPosition(), QStringLiteral("1 of 1"));
    auto* text = app_->Child<TLineOfArgumentationView>("LineOfArgumentationRichEdit");
    const int line = text->textCursor().blockNumber();
    QCOMPARE(text->Lines()[static_cast<std::size_t>(line)], std::string("  !: claim 37 about the goods"));
    QVERIFY(text->textCursor().hasSelection());
  }

  void diagramMenuOpensTheFindBox() {
    auto* menu = Main().findChild<TDiagramMenu*>();
    QAction* item = nullptr;
    for (QAction* a : menu->Menu().actions())
      if (a->text() == QStringLiteral("Find statement...")) item = a;
    QVERIFY(item);
    item->trigger();
    QVERIFY(Find()->Dialog()->isVisible());
  }

  // Typing in the find box leaves the window's keys working: the diagram zooms, and the find
  // box keeps the focus and its text.
  void windowKeysActWhileTheFindBoxHasTheFocus() {
    StateMany(6);
    Main().ShowDialecticalDiagram();
    OpenFindAndType(QStringLiteral("goods"));
    Find()->Dialog()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Find()->Dialog()));
    QTRY_COMPARE(QApplication::activeWindow(), Find()->Dialog());
    QTest::keyClick(FindEdit(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(PaintBox()->Zoom().Percent(), 110);
    QCOMPARE(FindEdit()->text(), QStringLiteral("goods"));
    QCOMPARE(QApplication::focusWidget(), FindEdit());
    // Ctrl+Z is the text's own there: the typing goes, the moves stay.
    const std::size_t statements = Main().Line().CurrentStage->Statements.Count();
    QTest::keyClick(FindEdit(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(FindEdit()->text() != QStringLiteral("goods"));
    QCOMPARE(Main().Line().CurrentStage->Statements.Count(), statements);
  }

  // At 100% the paint box shows exactly what an image of its layout shows, before any zoom
  // and after zooming in and back; the keys step through the levels.
  void zoomKeysKeepOneHundredPercentExact() {
    StateMany(30);
    Main().ShowDialecticalDiagram();
    QCoreApplication::processEvents();
    const QImage before = PaintBox()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(before, RenderDiagramImage(PaintBox()->Layout(), PaintBox()->Icons()));
    const int width = PaintBox()->width();
    const int layoutWidth = PaintBox()->Layout().Width;

    QTest::keyClick(&Main(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(PaintBox()->Zoom().Percent(), 110);
    QTest::keyClick(&Main(), Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(PaintBox()->Zoom().Percent(), 125);
    QCOMPARE(PaintBox()->width(), width);  // the view's width; the layout narrower
    QVERIFY(PaintBox()->Layout().Width <= layoutWidth * 100 / 125 + 1);
    QTest::keyClick(&Main(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(PaintBox()->Zoom().Percent(), 100);
    QCOMPARE(PaintBox()->grab().toImage().convertToFormat(QImage::Format_RGB32), before);

    for (int k = 0; k < 20; ++k) QTest::keyClick(&Main(), Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(PaintBox()->Zoom().Percent(), 25);
    QCOMPARE(PaintBox()->Layout().Width, PaintBox()->width() * 4);  // laid out four times as wide
  }

  // Zoomed, the pixels of a box reach it: hit testing, the frame and the picture agree.
  void zoomedBoxesAreFoundWhereTheyAreDrawn() {
    StateMany(6);
    Main().ShowStatementsDiagram();
    QWheelEvent wheel(QPointF(30, 30), ScrollBox()->viewport()->mapToGlobal(QPointF(30, 30)), QPoint(),
                      QPoint(0, 120 * 5), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(ScrollBox()->viewport(), &wheel);
    QCOMPARE(PaintBox()->Zoom().Percent(), 200);
    const QImage image = PaintBox()->grab().toImage();
    for (int i = 0; i < PaintBox()->BoxCount(); ++i) {
      const QRect shown = PaintBox()->ToWidget(PaintBox()->BoxPart(i)->Area);
      QCOMPARE(PaintBox()->BoxIndexAt(shown.center()), i);
      QCOMPARE(PaintBox()->BoxIndexAt(shown.topLeft()), i);
      QCOMPARE(PaintBox()->BoxIndexAt(shown.bottomRight()), i);
      // The box's edge is drawn two pixels thick at its top left.
      QCOMPARE(image.pixelColor(shown.topLeft() + QPoint(1, 1)), QColor(0, 0, 255));
      QCOMPARE(PaintBox()->AccessibleBox(i)->rect(), QRect(PaintBox()->mapToGlobal(shown.topLeft()), shown.size()));
    }
    QCOMPARE(PaintBox()->height(), PaintBox()->Layout().Height * 2);
    // Without Ctrl the wheel scrolls as before.
    QWheelEvent plain(QPointF(30, 30), ScrollBox()->viewport()->mapToGlobal(QPointF(30, 30)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(ScrollBox()->viewport(), &plain);
    QCOMPARE(PaintBox()->Zoom().Percent(), 200);
  }
};

QTEST_MAIN(FindZoomTest)
#include "find_zoom_test.moc"
