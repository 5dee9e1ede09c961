// Working on the map: its places get the diagrams' menu items, a move made from its menu,
// undo on its keys, find and zoom there, and a box chosen in one picture shown in the other.
#include <QAction>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "app/box_subject.h"
#include "app/diagram_menu.h"
#include "app/map_window.h"
#include "app/why_window.h"
#include "app/widgets/scroll_box.h"
#include "app_fixture.h"
#include "modal_script.h"
#include "views/diagram_paint_box.h"
#include "views/map_paint_box.h"

using namespace korvane;

using TKind = TBoxSubject::TKind;

class MapWorkTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApp> app_;

  [[nodiscard]] TArgIntForm& Main() const { return app_->Main(); }
  [[nodiscard]] TMapWindow& Map() const { return Main().Map(); }
  [[nodiscard]] TMapPaintBox& Box() const { return Map().PaintBox(); }
  [[nodiscard]] QMenu& Menu() const { return Map().Menu().Menu(); }
  [[nodiscard]] const TArgumentationStage& Stage() const { return *Main().Line().CurrentStage; }

  // A point of the map where the subject is of kind and names sentence (a statement's, or a step's reason).
  [[nodiscard]] QPoint PointOf(TKind kind, const std::string& sentence) const {
    for (const TDiagramPart& part : Box().Layout().Parts) {
      const QRect area = Box().ToWidget(part.Area);
      for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
          const TBoxSubject s = SubjectAt(Box(), QPoint(x, y), Stage());
          if (s.Kind == kind && (kind == TKind::Statement ? s.Sentence : s.Reason) == sentence) return {x, y};
        }
    }
    qFatal("no such place in the map");
  }

  // Right-clicks the map at pos and gives the visible items' captions; the menu is left open.
  QStringList OpenMenu(QPoint pos, QWidget* on = nullptr) const {
    if (!on) on = &Box();
    QContextMenuEvent click(QContextMenuEvent::Mouse, pos, on->mapToGlobal(pos));
    QApplication::sendEvent(on, &click);
    if (!QTest::qWaitForWindowExposed(&Menu())) return {QStringLiteral("menu not shown")};
    QStringList captions;
    for (const QAction* a : Menu().actions())
      if (a->isVisible()) captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return captions;
  }

  void Choose(TKind kind, const std::string& sentence, const QString& caption) const {
    const QStringList captions = OpenMenu(PointOf(kind, sentence));
    Menu().close();
    for (QAction* a : Menu().actions())
      if (a->text() == caption) return a->trigger();
    QFAIL(qPrintable(QStringLiteral("no item %1 in %2").arg(caption, captions.join(QLatin1Char('|')))));
  }

private slots:
  void initTestCase() { InitTestApplication(); }
  void init() {
    app_ = std::make_unique<TApp>();
    app_->MakeStepWithException();
    Map().ShowAndRaise();
    QVERIFY(QTest::qWaitForWindowExposed(&Map()));
  }
  void cleanup() { app_.reset(); }

  void eachPlaceGetsTheDiagramsItems_data() {
    AddPlaceItemRows();
  }
  void eachPlaceGetsTheDiagramsItems() {
    QFETCH(int, kind);
    QFETCH(QStringList, items);
    QCOMPARE(Menu().objectName(), QStringLiteral("MapContextMenu"));
    const QStringList own{Main().UndoAction()->text(),
                          Main().RedoAction()->text(),
                          "-",
                          "Export diagram...",
                          "Print...",
                          "Copy as image",
                          "-",
                          "Find statement..."};
    QCOMPARE(OpenMenu(PointOf(TKind(kind), kind == int(TKind::Statement) ? "c" : "r")), items + own);
    Menu().close();
    // The white of the window beyond the small map opens the map's own items.
    QWidget* viewport = Map().findChild<QScrollArea*>(QStringLiteral("MapScrollArea"))->viewport();
    const QPoint beyond(viewport->width() - 5, viewport->height() - 5);
    QVERIFY(!Box().geometry().contains(beyond));
    QCOMPARE(OpenMenu(beyond, viewport), own);
    Menu().close();
  }

  void aDeletionFromTheMapsMenuIsUndoneOnItsKeys() {
    const std::vector<std::string> before = app_->Text();
    TModalScript yes;
    yes.Click(QStringLiteral("&Yes"));
    Choose(TKind::Statement, "s", QStringLiteral("Delete this statement..."));
    QVERIFY2(yes.Succeeded(), qPrintable(yes.Report()));
    QVERIFY(Box().StatementBox("s").isNull());
    QVERIFY(!Box().StatementBox("c").isNull());
    Map().activateWindow();
    QTRY_VERIFY(QApplication::activeWindow() == &Map());
    QTest::keyClick(&Map(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(app_->Text(), before);
    QVERIFY(!Box().StatementBox("s").isNull());
  }

  void doubleClickAsksWhy() {
    QTest::mouseDClick(&Box(), Qt::LeftButton, {}, PointOf(TKind::Statement, "c"));
    auto* why = Main().findChild<TWhyWindow*>();
    QVERIFY(why);
    QTRY_VERIFY(why->isVisible());
  }

  void aBoxChosenInOnePictureIsShownInTheOther() {
    Main().ShowDialecticalDiagram();
    auto* diagram = app_->Child<TDiagramPaintBox>("DialArgsPaintBox");
    QTest::mouseClick(&Box(), Qt::LeftButton, {}, PointOf(TKind::Statement, "e"));
    QCOMPARE(Box().Selected()->Sentence, std::string("e"));
    QVERIFY(!diagram->FocusRect().isEmpty());
    QCOMPARE(diagram->BoxPart(diagram->BoxIndexAt(diagram->FocusRect().center()))->Statement->Sentence,
             std::string("e"));
    // And back: a box clicked in the diagram is selected in the map.
    for (int i = 0; i < diagram->BoxCount(); ++i)
      if (diagram->BoxPart(i)->Statement->Sentence == "s") {
        QTest::mouseClick(diagram, Qt::LeftButton, {}, diagram->ToWidget(diagram->BoxPart(i)->Area).center());
        break;
      }
    QVERIFY(Box().Selected());
    QCOMPARE(Box().Selected()->Sentence, std::string("s"));
  }

  void findAndZoomWorkOnTheMap() {
    const QRect before = Box().StatementBox("c");
    const int width = Box().width();
    QTest::keyClick(&Map(), Qt::Key_Plus, Qt::ControlModifier);
    QVERIFY(Box().Zoom().Percent() > 100);
    QVERIFY(Box().width() > width);
    // Places are found through the zoom, steps and exception lines as well as boxes.
    for (const TDiagramPart& part : Box().Layout().Parts)
      if (part.Kind != TDiagramPart::TKind::Statement)
        QCOMPARE(SubjectAt(Box(), Box().ToWidget(part.Area).center(), Stage()).Reason, std::string("r"));
    QTest::keyClick(&Map(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(Box().Zoom().Percent(), 100);
    QCOMPARE(Box().StatementBox("c"), before);
    QTest::keyClick(&Map(), Qt::Key_F, Qt::ControlModifier);
    auto* find = Map().findChild<QDialog*>(QStringLiteral("FindBox"));
    QVERIFY(find);
    QTest::keyClicks(find->findChild<QLineEdit*>(QStringLiteral("FindEdit")), QStringLiteral("e"));
    QVERIFY(!Box().FocusRect().isEmpty());
    QCOMPARE(Box().BoxPart(Box().BoxIndexAt(Box().FocusRect().center()))->Statement->Sentence, std::string("e"));
  }
};

QTEST_MAIN(MapWorkTest)
#include "map_work_test.moc"
