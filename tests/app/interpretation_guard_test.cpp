// The window while a long text is interpreted: painted all along, the cursor waiting,
// and nothing that the user or a timer does acted on before the interpretation is over.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <functional>
#include <memory>

#include "app/interpretation_guard.h"
#include "app_fixture.h"
#include "modal_script.h"
#include "model/argumentation_stage.h"

using namespace korvane;
using namespace std::chrono_literals;

namespace {

std::vector<std::string> PlainLines(int count) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i) lines.push_back("plain statement " + std::to_string(i));
  return lines;
}

void WriteLines(const QString& path, const std::vector<std::string>& lines) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  for (const std::string& line : lines) f.write((line + "\r\n").c_str());
}

// Watches the main window's widgets while it interprets, and runs one action from a
// timer inside the interpretation as soon as it has begun.
class TInterpretationWatch : public QObject {
public:
  TInterpretationWatch(TArgIntForm& window, std::function<void()> action)
      : window_(window),
        action_(std::move(action)),
        text_(window.findChild<QPlainTextEdit*>(QStringLiteral("LineOfArgumentationRichEdit"))),
        diagram_(window.findChild<QWidget*>(QStringLiteral("DialArgsPaintBox"))),
        box_(window.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"))) {
    qApp->installEventFilter(this);
  }
  ~TInterpretationWatch() override { qApp->removeEventFilter(this); }

  int MenuBarPaints = 0;
  int TextPaints = 0;
  QSet<std::size_t> ProgressLengths;
  bool ProgressKept = true;
  /// At the latest paint of the text view: it fills the scroll box.
  bool TextFillsBox = false;
  bool DiagramShown = false;
  bool CursorWaited = true;
  bool ActionRanInside = false;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (window_.Session().Interactive) return false;
    if (!armed_) {
      armed_ = true;
      QTimer::singleShot(0, this, [this] {
        ActionRanInside = !window_.Session().Interactive;
        if (action_) action_();
      });
    }
    const QCursor* cursor = QApplication::overrideCursor();
    if (!cursor || cursor->shape() != Qt::WaitCursor) CursorWaited = false;
    if (diagram_->isVisible()) DiagramShown = true;
    if (event->type() != QEvent::Paint) return false;
    if (watched == window_.menuBar()) ++MenuBarPaints;
    if (watched == text_->viewport()) {
      ++TextPaints;
      TextFillsBox = text_->size() == box_->maximumViewportSize();
      const std::vector<std::string> lines = window_.TextLines();
      ProgressKept = ProgressKept && lines.size() == 2 && lines[0] == "Interpreting file";
      if (lines.size() == 2) ProgressLengths.insert(lines[1].size());
    }
    return false;
  }

private:
  TArgIntForm& window_;
  std::function<void()> action_;
  QPlainTextEdit* text_;
  QWidget* diagram_;
  QScrollArea* box_;
  bool armed_ = false;
};

class TNoQuestions : public TAsker {
public:
  int Asked = 0;
  TAnswer Ask(const TMessage&) override {
    ++Asked;
    return TAnswer::No;
  }
};

}  // namespace

class InterpretationGuardTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApp> app_;
  std::unique_ptr<QTemporaryDir> dir_;

  TArgIntForm& Main() const { return app_->Main(); }
  int Moves() const { return Main().Line().ArgumentationMoves.Count(); }
  QString File(const std::vector<std::string>& lines) const {
    const QString path = dir_->filePath(QStringLiteral("case.lin"));
    WriteLines(path, lines);
    return path;
  }
  QPushButton* StatementButton() const { return Main().findChild<QPushButton*>(QStringLiteral("StatementButton")); }
  void Open(const QString& path, TModalScript& script) const {
    script.ChooseFile(path);
    Main().Open1Click();
  }

private slots:
  void initTestCase() { InitTestApplication(); }
  void init() {
    app_ = std::make_unique<TApp>();
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
  }
  void cleanup() {
    app_.reset();
    dir_.reset();
    QCOMPARE(QApplication::overrideCursor(), nullptr);
  }

  // Parts of the window other than the text view are repainted, and the progress line
  // is seen growing; a resize meanwhile neither replaces the progress text nor shows
  // a half-made diagram.
  void keepsTheWholeWindowPainted_data() {
    QTest::addColumn<bool>("resize");
    QTest::newRow("uncovered menu bar") << false;
    QTest::newRow("resized window") << true;
  }
  void keepsTheWholeWindowPainted() {
    QFETCH(bool, resize);
    Main().InterpretationGuard().SetInterval(0ms);
    TInterpretationWatch watch(Main(), [this, resize] {
      if (resize)
        Main().resize(Main().width() + 80, Main().height() + 40);
      else
        Main().menuBar()->update();
    });
    TModalScript script;
    Open(File(PlainLines(3000)), script);
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QVERIFY(watch.ActionRanInside);
    if (!resize) QVERIFY(watch.MenuBarPaints > 0);
    QVERIFY(watch.TextPaints >= 2);
    QVERIFY2(watch.ProgressLengths.size() >= 2, "the progress line was not seen growing");
    QVERIFY(watch.ProgressKept);
    QVERIFY(!watch.DiagramShown);
    QVERIFY(watch.TextFillsBox);
    QCOMPARE(Moves(), 3000);
    QVERIFY(Main().findChild<QWidget*>(QStringLiteral("DialArgsPaintBox"))->isVisible());
  }

  // An opening that runs long shows a progress dialog; its Cancel, pressed while the
  // rest of the window's input is held, brings back the document the Open replaced.
  void cancelInTheProgressDialogKeepsTheDocument() {
    QVERIFY(Main().Session().PerformStatementMove(Main().Line().NewStatement("kept", kIssue)));
    Main().Line().Modified = false;
    const std::string name = Main().Line().FileName;
    Main().OpeningProgress().SetDelay(0);
    bool shown = false;
    QTimer clicker;
    connect(&clicker, &QTimer::timeout, [&] {
      QProgressDialog* dialog = Main().OpeningProgress().Dialog();
      if (!dialog || !dialog->isVisible()) return;
      shown = true;
      QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
    });
    clicker.start(0);
    TModalScript script;
    Open(File(PlainLines(5000)), script);
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QVERIFY(shown);
    QCOMPARE(Moves(), 1);
    QCOMPARE(Main().Line().FileName, name);
    QVERIFY(Main().OpeningProgress().Dialog() == nullptr);
    QVERIFY(!Main().Interpreting());
  }

  // The wait cursor is on all through and off again however the interpretation ends,
  // also while the error is shown.
  void cursorWaitsAndComesBack_data() {
    QTest::addColumn<bool>("append");
    QTest::addColumn<bool>("noBudget");
    QTest::addColumn<int>("extraLines");
    QTest::addColumn<QString>("error");
    QTest::newRow("whole file") << false << false << 0 << QString();
    QTest::newRow("cut short") << false << false << 1 << QStringLiteral("List index out of bounds.");
    QTest::newRow("evaluation refused") << true << true << 0 << QStringLiteral("The move was not made.");
  }
  void cursorWaitsAndComesBack() {
    QFETCH(bool, append);
    QFETCH(bool, noBudget);
    QFETCH(int, extraLines);
    QFETCH(QString, error);
    std::vector<std::string> lines = PlainLines(300);
    if (noBudget) {
      Main().Line().CurrentStage->SetWorkBudget(0);
      for (const char* r : {"a", "b", "c", "d"})
        for (const char* c : {"a", "b", "c", "d"})
          for (const std::string& l : {std::string("CONCLUSION"), "  ?: " + std::string(c), std::string("REASON"),
                                       "  ?: " + std::string(r), std::string()})
            lines.push_back(l);
    }
    if (extraLines) lines.push_back("STATEMENT");
    TInterpretationWatch watch(Main(), {});
    TModalScript script;
    bool restoredForTheBox = false;
    QString shown;
    script.ChooseFile(File(lines));
    if (!error.isEmpty())
      script.Do("QMessageBox", [&](QWidget* w) {
        restoredForTheBox = QApplication::overrideCursor() == nullptr;
        shown = static_cast<QMessageBox*>(w)->text();
        static_cast<QMessageBox*>(w)->accept();
      });
    if (append)
      Main().Append1Click();
    else
      Main().Open1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QVERIFY(watch.ActionRanInside);
    QVERIFY(watch.CursorWaited);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(!Main().Interpreting());
    if (!error.isEmpty()) {
      QVERIFY(restoredForTheBox);
      QVERIFY2(shown.contains(error), qPrintable(shown));
    }
    QVERIFY(Moves() >= 300);
  }

  // A close request inside the interpretation tears nothing down; the window closes
  // once the command is over, after the usual question when there are changes.
  void closeRequestWaitsForTheEnd_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("append");
    QTest::newRow("window system, Open") << "window system" << false;
    QTest::newRow("window system, Append") << "window system" << true;
    QTest::newRow("close(), Open") << "close" << false;
    QTest::newRow("Exit item, Append") << "Exit" << true;
  }
  void closeRequestWaitsForTheEnd() {
    QFETCH(QString, how);
    QFETCH(bool, append);
    // A round at every call, so that the posted request arrives inside.
    Main().InterpretationGuard().SetInterval(0ms);
    TInterpretationWatch watch(Main(), [this, how] {
      if (how == QStringLiteral("window system"))
        QCoreApplication::postEvent(Main().windowHandle(), new QCloseEvent);
      else if (how == QStringLiteral("close"))
        Main().close();
      else
        Main().findChild<QAction*>(QStringLiteral("Exit1"))->trigger();
    });
    TModalScript script;
    script.ChooseFile(File(PlainLines(2000)));
    int movesWhenAsked = -1;
    if (append)
      script.Do("QMessageBox", [&](QWidget* w) {
        movesWhenAsked = Main().Interpreting() ? -2 : Moves();
        for (QAbstractButton* b : static_cast<QMessageBox*>(w)->buttons())
          if (b->text() == QStringLiteral("&No")) b->click();
      });
    if (append)
      Main().Append1Click();
    else
      Main().Open1Click();
    QVERIFY(watch.ActionRanInside);
    QCOMPARE(Moves(), 2000);
    QVERIFY(Main().isVisible());
    QVERIFY(Main().InterpretationGuard().ClosePending());
    QTRY_VERIFY_WITH_TIMEOUT(!Main().isVisible(), 3000);
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    if (append) QCOMPARE(movesWhenAsked, 2000);
  }

  // Input made meanwhile is acted on after the interpretation, not in between.
  void inputIsActedOnAfterwards_data() {
    QTest::addColumn<bool>("key");
    QTest::newRow("mouse click") << false;
    QTest::newRow("space key") << true;
  }
  void inputIsActedOnAfterwards() {
    QFETCH(bool, key);
    TInterpretationWatch watch(Main(), [this, key] {
      if (key)
        QTest::keyClick(StatementButton(), Qt::Key_Space);
      else
        QTest::mouseClick(StatementButton(), Qt::LeftButton);
    });
    TModalScript script;
    bool commandReturned = false;
    script.ChooseFile(File(PlainLines(2000)));
    script.Do("korvane::TStatementForm", [&](QWidget* w) {
      QVERIFY(commandReturned);
      static_cast<QDialog*>(w)->reject();
    });
    Main().Open1Click();
    commandReturned = true;
    QVERIFY(watch.ActionRanInside);
    QCOMPARE(Moves(), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(script.Succeeded(), 5000);
  }

  // Commands reached by a timer or a queued call meanwhile are refused.
  void commandsReachedOtherwiseAreRefused_data() {
    QTest::addColumn<QString>("slot");
    for (const char* slot :
         {"New1Click", "Open1Click", "Append1Click", "Save1Click", "SaveAs1Click", "StatementButtonClick",
          "ViewLineOfArgumentationSpeedButtonClick", "ViewStatements2SpeedButtonClick", "Options1Click", "About1Click"})
      QTest::newRow(slot) << QString::fromLatin1(slot);
  }
  void commandsReachedOtherwiseAreRefused() {
    QFETCH(QString, slot);
    TInterpretationWatch watch(Main(), [this, slot] { QMetaObject::invokeMethod(&Main(), qPrintable(slot)); });
    TModalScript script;
    const QString path = File(PlainLines(1000));
    script.ChooseFile(path);
    Main().Open1Click();
    QCOMPARE(Main().Line().FileName, QFile::encodeName(path).toStdString());
    QVERIFY(watch.ActionRanInside);
    QVERIFY(watch.ProgressKept);
    QVERIFY(!watch.DiagramShown);
    QCOMPARE(Moves(), 1000);
    QTest::qWait(400);
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QVERIFY(!QApplication::activeModalWidget());
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != &Main()) QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    QVERIFY(Main().findChild<QWidget*>(QStringLiteral("DialArgsPaintBox"))->isVisible());
  }

  // Repainting all the way through changes nothing in what is read.
  void sameResultAsWithoutTheWindow() {
    std::vector<std::string> lines;
    for (int i = 0; i < 150; ++i) {
      const std::string n = std::to_string(i % 40);
      const std::vector<std::string> block = {
          "IF",         "r" + n,      "THEN",       "c" + n,      "UNLESS",
          "e" + n,      "IF",         "c" + n,      "THEN",       "IT IS DEFEATED THAT",
          "r" + n,      "STATEMENT",  "  ?: r" + n, "",           "  plain " + n + "  ",
          "CONCLUSION", "  !: c" + n, "REASON",     "  ?: e" + n, ""};
      for (const std::string& l : block) lines.push_back(l);
    }
    TNoQuestions asker;
    TPlainTextHost host;
    TSession plain(asker, host);
    host.Lines = lines;
    plain.InterpretLines();

    Main().InterpretationGuard().SetInterval(0ms);
    TModalScript script;
    Open(File(lines), script);
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(asker.Asked, 0);
    QCOMPARE(Main().Line().Text(), plain.Line().Text());
    const TArgumentationStage& a = *Main().Line().CurrentStage;
    const TArgumentationStage& b = *plain.Line().CurrentStage;
    QCOMPARE(a.Statements.Count(), b.Statements.Count());
    for (std::size_t i = 0; i < a.Statements.Count(); ++i) {
      QCOMPARE(a.Statements[i]->Sentence, b.Statements[i]->Sentence);
      QCOMPARE(a.Statements[i]->StatementType, b.Statements[i]->StatementType);
      QCOMPARE(a.Statements[i]->Status, b.Statements[i]->Status);
    }
    QCOMPARE(a.ReasonConclusions.Count(), b.ReasonConclusions.Count());
  }

  // The guard itself: one round at the first call, then at most one per interval, and
  // none when not busy; held input waits for a box that came up after the end.
  void guardRoundsAndHeldInput() {
    QWidget window;
    auto* edit = new QLineEdit(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TInterpretationGuard guard(window);
    guard.SetInterval(1h);
    int delivered = 0;
    QObject receiver;
    const auto post = [&] { QTimer::singleShot(0, &receiver, [&] { ++delivered; }); };

    post();
    guard.KeepPainted();
    QCOMPARE(delivered, 0);  // not busy: no round
    guard.Begin();
    guard.Begin();
    guard.KeepPainted();
    QCOMPARE(delivered, 1);
    post();
    guard.KeepPainted();
    QCOMPARE(delivered, 1);  // within the interval

    QTest::keyClicks(edit, QStringLiteral("ab"));
    QCOMPARE(edit->text(), QString());
    QCOMPARE(guard.HeldInputCount(), std::size_t(4));
    guard.End();
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QDialog box(&window);
    box.setModal(true);
    box.show();
    QTest::qWait(200);
    QCOMPARE(edit->text(), QString());
    box.hide();
    QTRY_COMPARE(edit->text(), QStringLiteral("ab"));
    QCOMPARE(delivered, 2);

    guard.Begin();
    post();
    guard.KeepPainted();
    QCOMPARE(delivered, 3);  // a new busy state begins with a round
    guard.End();
  }
};

QTEST_MAIN(InterpretationGuardTest)
#include "interpretation_guard_test.moc"
