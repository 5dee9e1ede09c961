// Activation redraws the view only when what it shows may have changed: a dialog closed
// without a move costs no second layout, anything else is drawn anew as before.
#include <QTest>
#include <memory>

#include "app_fixture.h"

using namespace korvane;

class WindowRedrawTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApp> app_;
  int redraws_ = 0;

  void Activate() const {
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&app_->Main(), &activate);
  }
  // Redraws the activation caused.
  int RedrawsOnActivation() {
    const int before = redraws_;
    Activate();
    return redraws_ - before;
  }

private slots:
  void initTestCase() { InitTestApplication(); }
  void init() {
    app_ = std::make_unique<TApp>();
    TSession& session = app_->Session();
    session.RefreshHook = [this, shown = std::move(session.RefreshHook)] {
      ++redraws_;
      shown();
    };
    app_->State("it rains", kAssumption);
  }
  void cleanup() { app_.reset(); }

  void nothingChangedNothingRedrawn() {
    for (auto show : {&TArgIntForm::ShowDialecticalDiagram, &TArgIntForm::ShowStatementsDiagram,
                      &TArgIntForm::ShowLineOfArgumentationView}) {
      (app_->Main().*show)();
      // Shown by the view's own command: drawn once more, then known.
      QCOMPARE(RedrawsOnActivation(), 1);
      QCOMPARE(RedrawsOnActivation(), 0);
    }
  }

  void aStageChangedUnseenIsDrawn() {
    // The move drew the view.
    QCOMPARE(RedrawsOnActivation(), 0);
    app_->Session().RefreshViews = false;
    app_->State("the street is wet", kIssue);
    app_->Session().RefreshViews = true;
    QCOMPARE(RedrawsOnActivation(), 1);
    QCOMPARE(RedrawsOnActivation(), 0);
    // Another view shown by its own command is drawn again on activation.
    app_->Main().ShowStatementsDiagram();
    QCOMPARE(RedrawsOnActivation(), 1);
  }

  void activationStillBringsTheDiagramBackOverAList() {
    app_->Main().ShowStatementsList();
    QVERIFY(!app_->Child("DialArgsPaintBox")->isVisible());
    QCOMPARE(RedrawsOnActivation(), 1);
    QVERIFY(app_->Child("DialArgsPaintBox")->isVisible());
  }
};

QTEST_MAIN(WindowRedrawTest)
#include "window_redraw_test.moc"
