// Undo and redo in the window (actions, keys, names, the caption's state) and the place
// the views keep: the same after a redraw, moved to show what a change made.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "app/diagram_menu.h"
#include "app/widgets/scroll_box.h"
#include "app_fixture.h"
#include "modal_script.h"
#include "views/diagram_paint_box.h"

using namespace korvane;

class UndoWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApp> app_;

  [[nodiscard]] TArgIntForm& Main() const { return app_->Main(); }
  [[nodiscard]] QAction* Undo() const { return Main().UndoAction(); }
  [[nodiscard]] QAction* Redo() const { return Main().RedoAction(); }
  [[nodiscard]] TScrollBox* ScrollBox() const { return app_->Child<TScrollBox>("ScrollBox1"); }
  [[nodiscard]] QScrollBar* Vertical() const { return ScrollBox()->verticalScrollBar(); }

  // True when a box of the statement with this sentence lies wholly in the scroll box's view.
  [[nodiscard]] bool InSight(const std::string& sentence) const {
    const auto* box = app_->Child<TDiagramPaintBox>("DialArgsPaintBox");
    const QRect seen(QPoint(ScrollBox()->horizontalScrollBar()->value(), Vertical()->value()),
                     ScrollBox()->viewport()->size());
    for (int i = 0; i < box->BoxCount(); ++i) {
      const TDiagramPart* part = box->BoxPart(i);
      if (part->Statement && part->Statement->Sentence == sentence && seen.contains(part->Area.translated(box->pos())))
        return true;
    }
    return false;
  }

  void MakeTallDiagram() const {
    for (int i = 0; i < 60; ++i) app_->State("statement " + std::to_string(100 + i), kIssue);
    QVERIFY(Vertical()->maximum() > 400);
  }

  static void Activate(QWidget& w) {
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
  }

private slots:
  void initTestCase() { InitTestApplication(); }
  void init() { app_ = std::make_unique<TApp>(); }
  void cleanup() { app_.reset(); }

  void actionsAreOnTheWindowAndTheDiagramMenuNotInTheMenuBar() {
    QCOMPARE(Undo()->objectName(), QStringLiteral("UndoAction"));
    QCOMPARE(Redo()->objectName(), QStringLiteral("RedoAction"));
    QCOMPARE(Undo()->shortcuts(), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Z"))});
    QCOMPARE(Redo()->shortcuts(),
             (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))}));
    QVERIFY(Main().actions().contains(Undo()));
    for (QMenu* menu : Main().menuBar()->findChildren<QMenu*>()) {
      QVERIFY(!menu->actions().contains(Undo()));
      QVERIFY(!menu->actions().contains(Redo()));
    }
    const QList<QAction*> diagramItems = Main().findChild<TDiagramMenu*>()->Menu().actions();
    QCOMPARE(diagramItems.value(0), Undo());
    QCOMPARE(diagramItems.value(1), Redo());
    QVERIFY(diagramItems.value(2)->isSeparator());
  }

  void keysUndoAndRedoNamingTheMove() {
    QVERIFY(!Undo()->isEnabled());
    QCOMPARE(Undo()->text(), QStringLiteral("Undo"));
    app_->State("the goods are defective", kAssumption);
    app_->State("the buyer knew", kIssue);
    QCOMPARE(Undo()->text(), QStringLiteral("Undo statement 'the buyer knew'"));
    QVERIFY(!Redo()->isEnabled());

    QTest::keyClick(&Main(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(app_->Text(), (std::vector<std::string>{"STATEMENT", "  !: the goods are defective", ""}));
    QCOMPARE(Redo()->text(), QStringLiteral("Redo statement 'the buyer knew'"));
    QCOMPARE(Undo()->text(), QStringLiteral("Undo statement 'the goods are defective'"));
    QTest::keyClick(&Main(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(app_->Text().size(), std::size_t(6));
    QTest::keyClick(&Main(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&Main(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(app_->Text().size(), std::size_t(6));

    // The read-only text view with the focus leaves the keys to the window.
    Main().ShowLineOfArgumentationView();
    auto* text = app_->Child<QPlainTextEdit>("LineOfArgumentationRichEdit");
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(app_->Text().size(), std::size_t(3));
    QCOMPARE(text->toPlainText().count(QStringLiteral("STATEMENT")), 1);
    // The view drops and adds only the changed lines: what it shows is still the whole text.
    const auto shown = [this] {
      QStringList lines;
      for (const std::string& line : app_->Text()) lines << QString::fromStdString(line);
      return lines.join(QLatin1Char('\n'));
    };
    QCOMPARE(text->toPlainText(), shown());
    QTest::keyClick(text, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(app_->Text().size(), std::size_t(6));
    QCOMPARE(text->toPlainText(), shown());
    QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text->toPlainText(), QString());
  }

  void backAtTheSavedStateTheDocumentIsUnmodified() {
    app_->State("a", kIssue);
    const QString path = QDir(QDir::tempPath()).filePath(QStringLiteral("undo_window_saved.lin"));
    QFile::remove(path);
    TModalScript script;
    script.ChooseFile(path);
    Main().SaveDocumentAs();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QVERIFY(!Main().Line().Modified);
    app_->State("b", kIssue);
    QVERIFY(Main().Line().Modified);
    Undo()->trigger();
    QVERIFY(!Main().Line().Modified);
    QCOMPARE(Main().Line().FileName, QFile::encodeName(path).toStdString());
    Undo()->trigger();
    QVERIFY(Main().Line().Modified);
    Redo()->trigger();
    QVERIFY(!Main().Line().Modified);
    QFile::remove(path);
  }

  void aRedrawKeepsTheScrolledPlace() {
    MakeTallDiagram();
    Vertical()->setValue(Vertical()->maximum() / 2);
    const int place = Vertical()->value();
    Activate(Main());
    QCOMPARE(Vertical()->value(), place);
    // A refused move redraws as well.
    TModalScript script;
    script.Click(QStringLiteral("OK"));
    app_->State("statement 130", kIssue);
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(Vertical()->value(), place);

    Main().ShowLineOfArgumentationView();
    QScrollBar* textBar = app_->Child<QPlainTextEdit>("LineOfArgumentationRichEdit")->verticalScrollBar();
    textBar->setValue(textBar->maximum() / 2);
    const int textPlace = textBar->value();
    QVERIFY(textPlace > 0);
    Activate(Main());
    QCOMPARE(textBar->value(), textPlace);
  }

  void aChangeBringsItsBoxIntoSight() {
    MakeTallDiagram();
    Vertical()->setValue(0);
    app_->State("statement 999", kIssue);
    QVERIFY(InSight("statement 999"));
    const int afterMove = Vertical()->value();
    QVERIFY(afterMove > 0);
    // Already in sight: nothing moves.
    Activate(Main());
    QCOMPARE(Vertical()->value(), afterMove);

    // Undoing a deletion shows the statement it brings back.
    TModalScript script;
    script.Click(QStringLiteral("&Yes"));
    app_->Session().PerformDeleteStatement(Main().Line().NewStatement("statement 100", kIssue));
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    Vertical()->setValue(Vertical()->maximum());
    QVERIFY(!InSight("statement 100"));
    Undo()->trigger();
    QVERIFY(InSight("statement 100"));
  }
};

QTEST_MAIN(UndoWindowTest)
#include "undo_window_test.moc"
