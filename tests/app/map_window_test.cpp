// The map window: opened with Ctrl+M and from the diagram's menu, following the stage
// after moves and New, a clicked box reported, a statement shown on request, and its
// boxes read by assistive technology.
#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "app/diagram_menu.h"
#include "app/map_window.h"
#include "app_fixture.h"
#include "views/map_paint_box.h"

using namespace korvane;

class MapWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApp> app_;

  [[nodiscard]] TMapWindow& Map() const { return app_->Main().Map(); }
  [[nodiscard]] TMapPaintBox& Box() const { return Map().PaintBox(); }
  void Connect(const std::string& reason, const std::string& conclusion) const {
    TReasonConclusion* c = app_->Main().Line().NewReasonConclusion();
    c->Reason->Sentence = reason;
    c->Reason->StatementType = kAssumption;
    c->Conclusion->Sentence = conclusion;
    app_->Session().PerformReasonConclusionMove(c);
  }

private slots:
  void initTestCase() { InitTestApplication(); }
  void init() { app_ = std::make_unique<TApp>(); }
  void cleanup() { app_.reset(); }

  void ctrlMOpensTheMapWhichFollowsMovesAndNew() {
    QVERIFY(!Map().isVisible());
    QTest::keyClick(&app_->Main(), Qt::Key_M, Qt::ControlModifier);
    QVERIFY(Map().isVisible());
    QCOMPARE(Box().BoxCount(), 0);
    Connect("the goods are defective", "the buyer may return them");
    QCOMPARE(Box().BoxCount(), 2);
    app_->State("the seller was told", kAssumption);
    QCOMPARE(Box().BoxCount(), 3);
    app_->Main().Line().Modified = false;
    app_->Main().NewDocument();
    QCOMPARE(Box().BoxCount(), 0);
  }

  void theDiagramMenuShowsTheMap() {
    auto* menu = app_->Main().findChild<TDiagramMenu*>();
    QAction* show = nullptr;
    for (QAction* a : menu->Menu().actions())
      if (a->text() == QLatin1String("Show map")) show = a;
    QVERIFY(show);
    show->trigger();
    QVERIFY(Map().isVisible());
  }

  void aClickedBoxIsReportedAndAStatementCanBeShown() {
    Map().ShowAndRaise();
    for (int i = 0; i < 30; ++i) Connect("reason " + std::to_string(i), "conclusion " + std::to_string(i % 3));
    QSignalSpy spy(&Map(), &TMapWindow::StatementSelected);
    const QRect box = Box().StatementBox("reason 7");
    QVERIFY(!box.isNull());
    Map().ShowStatement(Box().BoxPart(0)->Statement);  // scrolls
    Map().ShowStatement(nullptr);
    const TStatement* wanted = nullptr;
    for (int i = 0; i < Box().BoxCount(); ++i)
      if (Box().BoxPart(i)->Statement->Sentence == "reason 7") wanted = Box().BoxPart(i)->Statement;
    Map().ShowStatement(wanted);
    QCOMPARE(Box().Selected(), wanted);
    // Shown: the box lies in the viewport.
    const QRect viewport(-Box().pos(), Map().ScrollArea().viewport()->size());
    QVERIFY(viewport.contains(box.center()));
    QTest::mouseClick(&Box(), Qt::LeftButton, {}, Box().StatementBox("conclusion 1").center());
    QCOMPARE(spy.count(), 1);
    const auto* clicked = spy.at(0).at(0).value<const TStatement*>();
    QCOMPARE(clicked->Sentence, std::string("conclusion 1"));
    QCOMPARE(Box().Selected(), clicked);
  }

  void assistiveTechnologyReadsEachBox() {
    Map().ShowAndRaise();
    Connect("b", "a");
    QAccessibleInterface* canvas = QAccessible::queryAccessibleInterface(&Box());
    QVERIFY(canvas);
    QCOMPARE(canvas->text(QAccessible::Name), QStringLiteral("Map"));
    QCOMPARE(canvas->childCount(), 2);
    QStringList names;
    for (int i = 0; i < 2; ++i) names << canvas->child(i)->text(QAccessible::Name);
    names.sort();
    QCOMPARE(names, (QStringList{"a", "b"}));
  }
};

QTEST_MAIN(MapWindowTest)
#include "map_window_test.moc"
