// After a box a move dialog causes, the window the user goes on in is the active one;
// every box is centred on the main window; the window keeps its button panel whole.
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <memory>

#include "app/reason_conclusion_form.h"
#include "app/statement_form.h"
#include "app_fixture.h"
#include "modal_script.h"

using namespace korvane;

namespace {

void TypeInto(QComboBox* box, const QString& text) {
  box->setFocus();
  box->lineEdit()->selectAll();
  QTest::keyClicks(box->lineEdit(), text);
}

// The key as the window system delivers it: a mnemonic only works in the active window.
void AltKey(QWidget* window, Qt::Key key) { QTest::keyClick(window->windowHandle(), key, Qt::AltModifier); }

QPoint Centre(const QWidget* w) { return w->frameGeometry().center(); }

}  // namespace

class WindowFocusBoxesTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApp> app_;

  TStatementForm& Statement() const { return *app_->Forms.StatementForm; }

  // The main window is active again and its View mnemonics answer at once.
  void ExpectMainWindowTakesKeys() {
    QTRY_VERIFY(app_->Main().isActiveWindow());
    auto* line = app_->Main().findChild<QPushButton*>(QStringLiteral("ViewLineOfArgumentationSpeedButton"));
    QVERIFY(!line->isChecked());
    AltKey(&app_->Main(), Qt::Key_L);
    QTRY_VERIFY(line->isChecked());
  }

private slots:
  void initTestCase() { InitTestApplication(); }
  void init() {
    app_ = std::make_unique<TApp>();
    app_->State("b assumption", kAssumption);
    app_->State("A issue", kIssue);
    app_->State("c issue", kIssue);
  }
  void cleanup() { app_.reset(); }

  // Boxes that end with the dialog closed: the main window takes the next key.
  void mainWindowActiveAfterTheDialogsBox_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("answer");
    QTest::newRow("existing statement") << "existing"
                                        << "OK";
    QTest::newRow("overruled type") << "overruled"
                                    << "&No";
    QTest::newRow("confirmed deletion") << "deletion"
                                        << "&Yes";
  }
  void mainWindowActiveAfterTheDialogsBox() {
    QFETCH(QString, kind);
    QFETCH(QString, answer);
    TModalScript script;
    if (kind == QStringLiteral("overruled")) {
      TReasonConclusionForm& f = *app_->Forms.ReasonConclusionForm;
      script.Do("korvane::TReasonConclusionForm", [&f](QWidget*) {
        f.ConclusionComboBox()->setCurrentIndex(f.ConclusionComboBox()->findText(QStringLiteral("b assumption")));
        TypeInto(f.ReasonComboBox(), QStringLiteral("r"));
        f.OKButton()->click();
      });
    } else {
      script.Do("korvane::TStatementForm", [this, kind](QWidget*) {
        TypeInto(Statement().StatementComboBox(),
                 kind == QStringLiteral("existing") ? QStringLiteral("A issue") : QStringLiteral("c issue"));
        (kind == QStringLiteral("existing") ? Statement().OKButton() : Statement().DeleteButton())->click();
      });
    }
    script.Click(answer);
    if (kind == QStringLiteral("overruled"))
      app_->Main().ReasonConclusionButtonClick();
    else
      app_->Main().StatementButtonClick();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(script.Boxes.size(), std::size_t(1));
    ExpectMainWindowTakesKeys();
  }

  // A refused deletion leaves the dialog open: it is active, its own mnemonic works.
  void dialogActiveAfterARefusedDeletion() {
    TStatementForm& f = Statement();
    bool activeAfterBox = false;
    TModalScript script;
    script.Do("korvane::TStatementForm", [&f](QWidget*) {
      TypeInto(f.StatementComboBox(), QStringLiteral("zz"));
      f.DeleteButton()->click();
    });
    script.Click(QStringLiteral("OK"));
    script.Do("korvane::TStatementForm", [&](QWidget* w) {
      activeAfterBox = QTest::qWaitFor([w] { return w->isActiveWindow(); });
      AltKey(w, Qt::Key_D);
    });
    script.Click(QStringLiteral("OK"));
    script.Do("korvane::TStatementForm", [](QWidget* w) { QTest::keyClick(w->windowHandle(), Qt::Key_Escape); });
    app_->Main().StatementButtonClick();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QVERIFY(activeAfterBox);
    QCOMPARE(script.Boxes.size(), std::size_t(2));
    ExpectMainWindowTakesKeys();
  }

  // Where the box came from: after a file dialog nothing is active; a move dialog may
  // have been moved aside.
  void boxesAreCentredOnTheMainWindow_data() {
    QTest::addColumn<bool>("fromFileDialog");
    QTest::newRow("after the open dialog") << true;
    QTest::newRow("from a moved move dialog") << false;
  }
  void boxesAreCentredOnTheMainWindow() {
    QFETCH(bool, fromFileDialog);
    QPoint boxCentre;
    QWidget* boxParent = nullptr;
    const auto measure = [&](QWidget* box) {
      boxCentre = Centre(box);
      boxParent = box->parentWidget();
      QTest::keyClick(box, Qt::Key_Return);
    };
    TModalScript script;
    if (fromFileDialog) {
      app_->Main().Line().Modified = false;
      script.ChooseFile(QStringLiteral("/nonexistent-folder/case.lin"));
      script.Do("QMessageBox", measure);
      app_->Main().Open1Click();
    } else {
      script.Do("korvane::TStatementForm", [this](QWidget* w) {
        w->move(0, 0);
        TypeInto(Statement().StatementComboBox(), QStringLiteral("zz"));
        Statement().DeleteButton()->click();
      });
      script.Do("QMessageBox", measure);
      script.Do("korvane::TStatementForm", [](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
      app_->Main().StatementButtonClick();
    }
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QVERIFY(boxParent);
    const QPoint offset = boxCentre - Centre(&app_->Main());
    QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QStringLiteral("%1, %2").arg(offset.x()).arg(offset.y())));
  }

  void theSmallestWindowKeepsTheButtonPanelWhole() {
    TArgIntForm& main = app_->Main();
    main.resize(1, 1);
    QTRY_VERIFY(main.width() > 1);
    auto* panel = main.findChild<QWidget*>(QStringLiteral("ButtonPanel"));
    for (const char* name : {"ArgueGroupBox", "ViewGroupBox"}) {
      auto* box = main.findChild<QWidget*>(QString::fromLatin1(name));
      QVERIFY2(panel->rect().contains(box->geometry()), name);
    }
    const QRect panelInWindow(panel->mapTo(&main, QPoint(0, 0)), panel->size());
    QVERIFY(panelInWindow.bottom() < main.statusBar()->geometry().top());
    QCOMPARE(panel->width(), 137);
    QVERIFY(main.findChild<QWidget*>(QStringLiteral("ScrollBox1"))->width() > 0);
  }
};

QTEST_MAIN(WindowFocusBoxesTest)
#include "window_focus_boxes_test.moc"
