// The items a place of a diagram adds to its context menu: which place gets which, that a
// prefilled dialog makes exactly the move the dialog makes, that deletions ask first, that
// Why? follows the stage, and that the menu opens below the last box too.
#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <functional>
#include <memory>

#include "app/box_actions.h"
#include "app/diagram_menu.h"
#include "app/exception_form.h"
#include "app/reason_conclusion_form.h"
#include "app/why_window.h"
#include "app/widgets/scroll_box.h"
#include "app_fixture.h"
#include "modal_script.h"
#include "views/diagram_paint_box.h"

using namespace korvane;

using TKind = TBoxSubject::TKind;

class BoxActionsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApp> app_;

  [[nodiscard]] TArgIntForm& Main() const { return app_->Main(); }
  [[nodiscard]] TDiagramPaintBox* PaintBox() const { return app_->Child<TDiagramPaintBox>("DialArgsPaintBox"); }
  [[nodiscard]] QMenu& Menu() const { return Main().findChild<TDiagramMenu*>()->Menu(); }
  [[nodiscard]] TBoxActions& Actions() const { return *Main().findChild<TBoxActions*>(); }
  [[nodiscard]] const TArgumentationStage& Stage() const { return *Main().Line().CurrentStage; }
  // The items every place's menu ends with: the window's history, then the diagram's own.
  [[nodiscard]] QStringList DiagramItems() const {
    return {Main().UndoAction()->text(), Main().RedoAction()->text(), "-", "Export diagram...", "Print...",
            "Copy as image", "-", "Find statement...", "Show map"};
  }

  // A point of the paint box where the subject is of kind and names sentence (a statement's,
  // or a step's reason).
  QPoint PointOf(TKind kind, const std::string& sentence) const {
    for (const TDiagramPart& part : PaintBox()->Layout().Parts)
      for (int y = part.Area.top(); y <= part.Area.bottom(); ++y)
        for (int x = part.Area.left(); x <= part.Area.right(); ++x) {
          const TBoxSubject s = SubjectAt(*PaintBox(), QPoint(x, y), Stage());
          if (s.Kind == kind && (kind == TKind::Statement ? s.Sentence : s.Reason) == sentence) return {x, y};
        }
    qFatal("no such place in the diagram");
  }

  // Right-clicks widget at pos and gives the menu's captions; the menu is left open.
  QStringList OpenMenu(QWidget* widget, QPoint pos) const {
    QContextMenuEvent click(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &click);
    if (!QTest::qWaitForWindowExposed(&Menu())) return {QStringLiteral("menu not shown")};
    QStringList captions;
    for (const QAction* a : Menu().actions()) captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return captions;
  }

  // Opens the menu on the place and triggers the item with this caption, as a click would.
  void Choose(TKind kind, const std::string& sentence, const QString& caption) const {
    const QStringList captions = OpenMenu(PaintBox(), PointOf(kind, sentence));
    Menu().close();
    for (QAction* a : Menu().actions())
      if (a->text() == caption) return a->trigger();
    QFAIL(qPrintable(QStringLiteral("no item %1 in %2").arg(caption, captions.join(QLatin1Char('|')))));
  }

  // The text of the line after the same line was made and then move was made through the entry points.
  static std::vector<std::string> TextAfter(const std::function<void(const TApp&)>& move) {
    TApp reference;
    reference.MakeStepWithException();
    move(reference);
    return reference.Text();
  }

private slots:
  void initTestCase() { InitTestApplication(); }
  void init() {
    app_ = std::make_unique<TApp>();
    app_->MakeStepWithException();
  }
  void cleanup() { app_.reset(); }

  void eachPlaceGetsItsItems_data() {
    AddPlaceItemRows();
  }
  void eachPlaceGetsItsItems() {
    QFETCH(int, kind);
    QFETCH(QStringList, items);
    // Only the dialectical diagram draws steps and undercutters.
    for (const bool statementsDiagram : {false, kind == int(TKind::Statement)}) {
      statementsDiagram ? Main().ShowStatementsDiagram() : Main().ShowDialecticalDiagram();
      const std::string sentence = kind == int(TKind::Statement) ? "c" : "r";
      QCOMPARE(OpenMenu(PaintBox(), PointOf(TKind(kind), sentence)), items + DiagramItems());
      Menu().close();
      // The next place's items replace these.
      QCOMPARE(OpenMenu(PaintBox(), QPoint(PaintBox()->width() - 1, PaintBox()->height() - 1)), DiagramItems());
      Menu().close();
    }
  }

  void theMenuOpensBelowTheLastBox() {
    auto* client = app_->Child<TScrollBox>("ScrollBox1")->Client();
    const QPoint below(10, PaintBox()->height() + 20);
    QVERIFY(client->rect().contains(below));
    QVERIFY(!PaintBox()->geometry().contains(below));
    QCOMPARE(OpenMenu(client, below), DiagramItems());
    Menu().close();
    // Not while another view shows.
    Main().ShowLineOfArgumentationView();
    QContextMenuEvent click(QContextMenuEvent::Mouse, below, client->mapToGlobal(below));
    QApplication::sendEvent(client, &click);
    QVERIFY(!Menu().isVisible());
  }

  void giveAReasonFillsTheConclusionAndMakesTheDialogsMove() {
    TModalScript script;
    script.Do("korvane::TReasonConclusionForm", [this](QWidget*) {
      TReasonConclusionForm& f = *Main().Dialogs().ReasonConclusion;
      QCOMPARE(f.ConclusionComboBox()->currentText(), QStringLiteral("c"));
      QCOMPARE(f.ConclusionTypeRadioGroup()->StatementType(), kIssue);
      QCOMPARE(f.ReasonComboBox()->currentText(), QStringLiteral("<reason>"));
      QTRY_VERIFY(f.ReasonComboBox()->hasFocus());
      QTest::keyClicks(f.ReasonComboBox()->lineEdit(), QStringLiteral("new reason"));
      QTest::keyClick(f.ReasonComboBox(), Qt::Key_Return);
    });
    Choose(TKind::Statement, "c", QStringLiteral("Give a reason for this..."));
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(app_->Text(), TextAfter([](const TApp& app) {
               TReasonConclusion* c = app.Main().Line().NewReasonConclusion();
               c->Reason->Sentence = "new reason";
               c->Reason->StatementType = kAssumption;
               c->Conclusion->Sentence = "c";
               c->Conclusion->StatementType = kIssue;
               app.Session().PerformReasonConclusionMove(c);
             }));
  }

  void useAsAReasonKeepsTheBoxsTypeAndCancelMakesNothing() {
    const std::vector<std::string> before = app_->Text();
    {
      TModalScript cancel;
      cancel.Do("korvane::TReasonConclusionForm", [this](QWidget*) {
      TReasonConclusionForm& f = *Main().Dialogs().ReasonConclusion;
      QCOMPARE(f.ReasonComboBox()->currentText(), QStringLiteral("s"));
      QCOMPARE(f.ReasonTypeRadioGroup()->StatementType(), kAssumption);
      f.CancelButton()->click();
    });
      Choose(TKind::Statement, "s", QStringLiteral("Use as a reason for..."));
      QVERIFY2(cancel.Succeeded(), qPrintable(cancel.Report()));
    }
    QCOMPARE(app_->Text(), before);

    // The Argue command afterwards opens the dialog as it always has.
    TModalScript plain;
    plain.Do("korvane::TReasonConclusionForm", [this](QWidget*) {
      TReasonConclusionForm& f = *Main().Dialogs().ReasonConclusion;
      QCOMPARE(f.ReasonComboBox()->currentText(), QStringLiteral("<reason>"));
      QCOMPARE(f.ConclusionComboBox()->currentText(), QStringLiteral("<conclusion>"));
      f.CancelButton()->click();
    });
    Main().ReasonConclusionButtonClick();
    QVERIFY2(plain.Succeeded(), qPrintable(plain.Report()));
  }

  void anExceptionToAStepFillsItsConnection() {
    TModalScript script;
    script.Do("korvane::TExceptionForm", [this](QWidget*) {
      TExceptionForm& f = *Main().Dialogs().Exception;
      QCOMPARE(f.ReasonComboBox()->currentText(), QStringLiteral("r"));
      QCOMPARE(f.ReasonTypeRadioGroup()->StatementType(), kAssumption);
      QCOMPARE(f.ConclusionComboBox()->currentText(), QStringLiteral("c"));
      QCOMPARE(f.ConclusionTypeRadioGroup()->StatementType(), kIssue);
      f.ExceptionComboBox()->lineEdit()->setText(QStringLiteral("f"));
      f.OKButton()->click();
    });
    Choose(TKind::Step, "r", QStringLiteral("Add an exception to this step..."));
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(app_->Text(), TextAfter([](const TApp& app) {
               TReasonConclusion* c = app.Main().Line().NewReasonConclusion();
               c->Reason->Sentence = "r";
               c->Reason->StatementType = kAssumption;
               c->Conclusion->Sentence = "c";
               c->Conclusion->StatementType = kIssue;
               c->Exceptions.Add(app.Main().Line().NewStatement("f", kAssumption));
               app.Session().PerformExceptionMove(c);
             }));
  }

  void deletionsAskTheirQuestionAndOnlyYesDeletes_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("sentencesLeft");
    QTest::newRow("statement") << int(TKind::Statement) << "Delete this statement..."
                               << "Do you want to delete the statement 'r' and all its occurrences?"
                               << QStringList{"s", "e", "c"};
    QTest::newRow("connection") << int(TKind::Step) << "Delete this connection..."
                                << "Do you want to delete the connection\nbetween the reason 'r'\nand the "
                                   "conclusion 'c'?"
                                << QStringList{"s", "e", "c", "r"};
    QTest::newRow("exception") << int(TKind::Undercutter) << "Delete this exception..."
                               << "Do you want to delete the exception 'e'\nblocking the connection between the "
                                  "reason 'r'\nand the conclusion c'?"
                               << QStringList{"s", "e", "c", "r"};
  }
  void deletionsAskTheirQuestionAndOnlyYesDeletes() {
    QFETCH(int, kind);
    QFETCH(QString, item);
    QFETCH(QString, question);
    QFETCH(QStringList, sentencesLeft);
    const std::vector<std::string> before = app_->Text();
    {
      TModalScript no;
      no.Click(QStringLiteral("&No"));
      Choose(TKind(kind), "r", item);
      QVERIFY2(no.Succeeded(), qPrintable(no.Report()));
      QCOMPARE(no.Boxes.front().Text, question);
      QCOMPARE(app_->Text(), before);
    }
    TModalScript yes;
    yes.Click(QStringLiteral("&Yes"));
    Choose(TKind(kind), "r", item);
    QVERIFY2(yes.Succeeded(), qPrintable(yes.Report()));
    QStringList left;
    for (const TStatement* s : Stage().Statements) left << QString::fromStdString(s->Sentence);
    QCOMPARE(left, sentencesLeft);
    // Only an exception's deletion keeps the connection, without the exception.
    QCOMPARE(Stage().ReasonConclusions.Count(), kind == int(TKind::Undercutter) ? 1U : 0U);
    if (kind == int(TKind::Undercutter)) QCOMPARE(Stage().ReasonConclusions[0]->Exceptions.Count(), 0U);
  }

  void whyFollowsTheStage() {
    Choose(TKind::Statement, "c", QStringLiteral("Why?"));
    TWhyWindow* why = Actions().WhyWindow();
    QVERIFY(why && why->isVisible() && !why->isModal());
    QVERIFY2(why->Text().startsWith(QStringLiteral("c: justified")), qPrintable(why->Text()));
    // The exception gets a reason and blocks the step: c is unjustified, and the open window says so.
    TReasonConclusion* c = Main().Line().NewReasonConclusion();
    c->Reason->Sentence = "the buyer knew";
    c->Reason->StatementType = kAssumption;
    c->Conclusion->Sentence = "e";
    c->Conclusion->StatementType = kIssue;
    app_->Session().PerformReasonConclusionMove(c);
    QVERIFY2(why->Text().startsWith(QStringLiteral("c: unjustified")), qPrintable(why->Text()));
    QCOMPARE(why->Text(), WhyText(Stage(), Actions().Subject()));
  }

  void doubleClickOnABoxExplainsIt() {
    QTest::mouseDClick(PaintBox(), Qt::LeftButton, {}, PointOf(TKind::Step, "r"));
    TWhyWindow* why = Actions().WhyWindow();
    QVERIFY(why && why->isVisible());
    QVERIFY2(why->Text().startsWith(QStringLiteral("Towards 'c': the step from 'r'")), qPrintable(why->Text()));
    QTest::mouseDClick(PaintBox(), Qt::LeftButton, {}, PointOf(TKind::Statement, "s"));
    QVERIFY2(why->Text().startsWith(QStringLiteral("s: justified")), qPrintable(why->Text()));
  }
};

QTEST_MAIN(BoxActionsTest)
#include "box_actions_test.moc"
