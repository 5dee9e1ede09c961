// What the paint box tells about its diagram: the tooltip of a box, a step's connector and
// an undercutter's line, and the boxes as assistive technology reads them.
#include <QAccessible>
#include <QHelpEvent>
#include <QToolTip>
#include <QtTest>

#include "model/stage_builder.h"
#include "view_fixtures.h"
#include "views/diagram_paint_box.h"

using namespace korvane;
using korvane::test::StageBuilder;

class DiagramHoverTest : public QObject {
  Q_OBJECT

  // c <- a, blocked by the justified exception e: boxes c, e, a from the top.
  StageBuilder stage_;
  std::unique_ptr<TDiagramPaintBox> box_;

  // The tooltip shown when the pointer rests at point, or empty when the paint box has none.
  QString TooltipAt(QPoint point) const {
    QHelpEvent help(QEvent::ToolTip, point, box_->mapToGlobal(point));
    QCoreApplication::sendEvent(box_.get(), &help);
    return help.isAccepted() && QToolTip::isVisible() ? QToolTip::text() : QString();
  }
  const TDiagramPart& Part(TDiagramPart::TKind kind) const {
    for (const TDiagramPart& p : box_->Layout().Parts)
      if (p.Kind == kind) return p;
    qFatal("no such part");
  }

private slots:
  void init() {
    stage_.Connect("a", kAssumption, "c", kIssue);
    stage_.Except("e", kAssumption, "a", kAssumption, "c", kIssue);
    box_ = std::make_unique<TDiagramPaintBox>();
    box_->resize(400, 0);
    box_->ShowDialecticalDiagram(stage_.Current(), false, test::WindowFont());
    box_->show();
    QVERIFY(QTest::qWaitForWindowExposed(box_.get()));
  }
  void cleanup() { box_.reset(); }

  void tooltipsExplainBoxesStepsAndUndercutters() {
    const QList<QRect> boxes = {box_->Layout().Boxes[0].Rect, box_->Layout().Boxes[2].Rect};
    QCOMPARE(TooltipAt(boxes[0].center()),
             QStringLiteral("unjustified: its only step, from 'a', is blocked by the exception 'e'"));
    QCOMPARE(TooltipAt(boxes[1].center()), QStringLiteral("justified: it is an assumption"));
    // The step's vertical line, away from the cross on it.
    const QRect step = Part(TDiagramPart::TKind::Step).Area;
    QCOMPARE(TooltipAt(QPoint(step.center().x(), step.bottom() - 1)),
             QStringLiteral("the step from 'a' is blocked by the exception 'e'"));
    // The cross lies on the step's line: there the undercutter is meant.
    QCOMPARE(TooltipAt(Part(TDiagramPart::TKind::Undercutter).Area.center()),
             QStringLiteral("the exception 'e' blocks the step from 'a' (its undercutter warrant is\nnot stated; "
                            "the exception is justified)"));  // long ones are broken into lines of 72 at most
    QCOMPARE(TooltipAt(QPoint(box_->width() - 2, 2)), QString());
    // The statements diagram explains its boxes the same way.
    box_->ShowStatementsDiagram(stage_.Current(), false, test::WindowFont());
    const TDiagramText* c = test::FindText(box_->Layout(), QStringLiteral("c"));
    QVERIFY(c);
    QCOMPARE(TooltipAt(c->Position),
             QStringLiteral("unjustified: its only step, from 'a', is blocked by the exception 'e'"));
  }

  void boxesAreChildrenForAssistiveTechnology() {
    QAccessibleInterface* diagram = QAccessible::queryAccessibleInterface(box_.get());
    QVERIFY(diagram);
    QCOMPARE(diagram->role(), QAccessible::Canvas);
    QCOMPARE(diagram->text(QAccessible::Name), QStringLiteral("Arguments diagram"));
    QCOMPARE(diagram->childCount(), 3);
    const QStringList names = {QStringLiteral("c"), QStringLiteral("e"), QStringLiteral("a")};
    const QStringList descriptions = {QStringLiteral("issue, unjustified"), QStringLiteral("assumption, justified"),
                                      QStringLiteral("assumption, justified")};
    for (int i = 0; i < 3; ++i) {
      QAccessibleInterface* child = diagram->child(i);
      QVERIFY(child && child->isValid());
      QCOMPARE(child->text(QAccessible::Name), names[i]);
      QCOMPARE(child->text(QAccessible::Description), descriptions[i]);
      const QRect area = box_->Layout().Boxes[static_cast<std::size_t>(i)].Rect;
      QCOMPARE(child->rect(), QRect(box_->mapToGlobal(area.topLeft()), area.size()));
      QCOMPARE(diagram->indexOfChild(child), i);
      QCOMPARE(diagram->childAt(child->rect().center().x(), child->rect().center().y()), child);
      QCOMPARE(child->parent(), diagram);
    }
    QVERIFY(!diagram->child(3));
    // Once the stage may be gone, nothing points into it any more.
    box_->ShowStepsView(true);
    QCOMPARE(diagram->childCount(), 0);
    QCOMPARE(TooltipAt(box_->Layout().Boxes[0].Rect.center()), QString());
  }
};

QTEST_MAIN(DiagramHoverTest)
#include "diagram_hover_test.moc"
