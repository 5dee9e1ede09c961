// The three move dialogs: defaults on show, the type follow-up, the warrant check
// boxes, and what OK, Delete and Cancel make of the current line.
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "app/exception_form.h"
#include "app/reason_conclusion_form.h"
#include "app/statement_form.h"
#include "app_fixture.h"
#include "modal_script.h"

using namespace korvane;

namespace {

QStringList Items(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

// Chooses an entry of the list as a click in the drop-down would.
void Choose(QComboBox* box, const QString& text) { box->setCurrentIndex(box->findText(text)); }

void TypeInto(QComboBox* box, const QString& text) {
  box->setFocus();
  box->lineEdit()->selectAll();
  QTest::keyClicks(box->lineEdit(), text);
}

// Leaves the box as Tab does.
void Leave(QComboBox* box) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(box, &out);
}

}  // namespace

class MoveDialogsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApp> app_;

  TStatementForm& Statement() const { return *app_->Forms.StatementForm; }
  TReasonConclusionForm& ReasonConclusion() const { return *app_->Forms.ReasonConclusionForm; }
  TExceptionForm& Exception() const { return *app_->Forms.ExceptionForm; }

  // Opens a dialog through its Argue button and runs the script while it is open.
  void Run(TModalScript& script, void (TArgIntForm::*open)()) {
    (app_->Main().*open)();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
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

  void geometry_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("bounds");
    QTest::newRow("statement size") << "StatementForm"
                                    << "" << QRect(0, 0, 505, 162);
    QTest::newRow("statement box") << "StatementForm"
                                   << "StatementComboBox" << QRect(8, 32, 489, 21);
    QTest::newRow("statement type") << "StatementForm"
                                    << "StatementTypeRadioGroup" << QRect(8, 64, 489, 49);
    QTest::newRow("statement OK") << "StatementForm"
                                  << "OKButton" << QRect(8, 128, 75, 25);
    QTest::newRow("statement Delete") << "StatementForm"
                                      << "DeleteButton" << QRect(88, 128, 75, 25);
    QTest::newRow("statement Cancel") << "StatementForm"
                                      << "CancelButton" << QRect(168, 128, 75, 25);
    QTest::newRow("r/c size") << "ReasonConclusionForm"
                              << "" << QRect(0, 0, 505, 314);
    QTest::newRow("r/c reason") << "ReasonConclusionForm"
                                << "ReasonComboBox" << QRect(8, 160, 489, 21);
    QTest::newRow("r/c reason type") << "ReasonConclusionForm"
                                     << "ReasonTypeRadioGroup" << QRect(8, 192, 489, 49);
    QTest::newRow("r/c warrant") << "ReasonConclusionForm"
                                 << "StepWarrantGroupBox" << QRect(256, 248, 241, 57);
    QTest::newRow("r/c OK") << "ReasonConclusionForm"
                            << "OKButton" << QRect(8, 280, 75, 25);
    QTest::newRow("exception size") << "ExceptionForm"
                                    << "" << QRect(0, 0, 505, 434);
    QTest::newRow("exception reason") << "ExceptionForm"
                                      << "ReasonComboBox" << QRect(8, 272, 489, 21);
    QTest::newRow("exception warrant") << "ExceptionForm"
                                       << "UndercutterWarrantGroupBox" << QRect(256, 368, 241, 57);
    QTest::newRow("exception Cancel") << "ExceptionForm"
                                      << "CancelButton" << QRect(168, 400, 75, 25);
  }
  void geometry() {
    QFETCH(QString, dialog);
    QFETCH(QString, control);
    QFETCH(QRect, bounds);
    auto* d = app_->Main().findChild<QDialog*>(dialog);
    QVERIFY(d);
    if (control.isEmpty())
      QCOMPARE(QRect(QPoint(0, 0), d->size()), bounds);
    else
      QCOMPARE(d->findChild<QWidget*>(control)->geometry(), bounds);
  }

  void captionsAndLabels_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("statement") << "StatementForm"
                               << "Statement"
                               << QStringList{"Type or choose a statement:", "&Statement type", "&OK", "&Delete",
                                              "Cancel"};
    QTest::newRow("r/c") << "ReasonConclusionForm"
                         << "Reason/conclusion"
                         << QStringList{"Type or choose a conclusion:",
                                        "&Conclusion type",
                                        "Type or choose a reason:",
                                        "&Reason type",
                                        "Step warrant",
                                        "Add as &issue",
                                        "Add as &assumption"};
    QTest::newRow("exception") << "ExceptionForm"
                               << "Exception"
                               << QStringList{"Type or choose an exception:", "&Exception type",
                                              "Type or choose a conclusion:", "Type or choose a reason:",
                                              "Undercutter warrant"};
  }
  void captionsAndLabels() {
    QFETCH(QString, dialog);
    QFETCH(QString, caption);
    QFETCH(QStringList, texts);
    auto* d = app_->Main().findChild<QDialog*>(dialog);
    QCOMPARE(d->windowTitle(), caption);
    QStringList all;
    for (QLabel* l : d->findChildren<QLabel*>()) all << l->text();
    for (QGroupBox* g : d->findChildren<QGroupBox*>()) all << g->title();
    for (QAbstractButton* b : d->findChildren<QAbstractButton*>()) all << b->text();
    for (const QString& t : texts) QVERIFY2(all.contains(t), qPrintable(t));
    auto* ok = d->findChild<QPushButton*>(QStringLiteral("OKButton"));
    QVERIFY(ok->isDefault());
  }

  void tabOrder_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("statement") << "StatementForm"
                               << QStringList{"StatementComboBox", "StatementTypeRadioGroup", "OKButton",
                                              "CancelButton", "DeleteButton"};
    QTest::newRow("r/c") << "ReasonConclusionForm"
                         << QStringList{"ConclusionComboBox",   "ReasonComboBox",      "ConclusionTypeRadioGroup",
                                        "ReasonTypeRadioGroup", "StepWarrantGroupBox", "OKButton",
                                        "CancelButton",         "DeleteButton"};
    QTest::newRow("exception") << "ExceptionForm"
                               << QStringList{"ExceptionComboBox",
                                              "ConclusionComboBox",
                                              "ReasonComboBox",
                                              "ExceptionTypeRadioGroup",
                                              "ConclusionTypeRadioGroup",
                                              "ReasonTypeRadioGroup",
                                              "UndercutterWarrantGroupBox",
                                              "OKButton",
                                              "CancelButton",
                                              "DeleteButton"};
  }
  void tabOrder() {
    QFETCH(QString, dialog);
    QFETCH(QStringList, order);
    auto* d = app_->Main().findChild<QDialog*>(dialog);
    auto* first = d->findChild<QWidget*>(order.first());
    // Walk the focus chain once round, naming each control by the listed control it belongs to.
    QStringList seen;
    QWidget* w = first;
    do {
      for (QWidget* p = w; p && p != d; p = p->parentWidget())
        if (order.contains(p->objectName())) {
          if (seen.isEmpty() || seen.last() != p->objectName()) seen << p->objectName();
          break;
        }
      w = w->nextInFocusChain();
    } while (w != first);
    QCOMPARE(seen, order);
  }

  void statementDefaultsOnEveryShow() {
    TStatementForm& f = Statement();
    bool checked = false;
    auto check = [&](QWidget*) {
      QCOMPARE(f.StatementComboBox()->currentText(), QStringLiteral("<statement>"));
      QCOMPARE(f.StatementTypeRadioGroup()->ItemIndex(), 0);
      // Sorted, case aside.
      QCOMPARE(Items(f.StatementComboBox()), (QStringList{"A issue", "b assumption", "c issue"}));
      QCOMPARE(QApplication::focusWidget(), f.StatementComboBox());
      QCOMPARE(f.StatementComboBox()->lineEdit()->selectedText(), QStringLiteral("<statement>"));
      checked = true;
    };
    {
      TModalScript script;
      script.Do("korvane::TStatementForm", [&](QWidget* w) {
        check(w);
        TypeInto(f.StatementComboBox(), QStringLiteral("typed"));
        f.StatementTypeRadioGroup()->SetItemIndex(1);
        f.CancelButton()->click();
      });
      Run(script, &TArgIntForm::StatementButtonClick);
    }
    QVERIFY(checked);
    QCOMPARE(app_->Main().Line().ArgumentationMoves.Count(), 3);
    // Nothing entered survives to the next showing.
    checked = false;
    TModalScript again;
    again.Do("korvane::TStatementForm", [&](QWidget* w) {
      check(w);
      QTest::keyClick(w, Qt::Key_Escape);
    });
    Run(again, &TArgIntForm::StatementButtonClick);
    QVERIFY(checked);
  }

  void statementOKWithoutTouchingStatesThePlaceholder() {
    TModalScript script;
    script.Do("korvane::TStatementForm", [this](QWidget*) { Statement().OKButton()->click(); });
    Run(script, &TArgIntForm::StatementButtonClick);
    const std::vector<std::string> text = app_->Text();
    QCOMPARE(std::vector<std::string>(text.end() - 3, text.end()),
             (std::vector<std::string>{"STATEMENT", "  ?: <statement>", ""}));
    QVERIFY(Statement().isHidden());
  }

  void statementEnterPressesOK() {
    TModalScript script;
    script.Do("korvane::TStatementForm", [this](QWidget*) {
      TypeInto(Statement().StatementComboBox(), QStringLiteral("new one"));
      QTest::keyClick(Statement().StatementComboBox(), Qt::Key_Return);
    });
    Run(script, &TArgIntForm::StatementButtonClick);
    QCOMPARE(app_->Text().at(app_->Text().size() - 2), std::string("  ?: new one"));
  }

  void statementTypeFollowsAnExistingStatement() {
    TStatementForm& f = Statement();
    TModalScript script;
    script.Do("korvane::TStatementForm", [&f](QWidget*) {
      Choose(f.StatementComboBox(), QStringLiteral("b assumption"));
      QCOMPARE(f.StatementTypeRadioGroup()->ItemIndex(), 1);
      // No longer a match: the type stays.
      QTest::keyClicks(f.StatementComboBox()->lineEdit(), QStringLiteral("x"));
      QCOMPARE(f.StatementTypeRadioGroup()->ItemIndex(), 1);
      TypeInto(f.StatementComboBox(), QStringLiteral("A issue"));
      QCOMPARE(f.StatementTypeRadioGroup()->ItemIndex(), 0);
      // Leaving the box looks again.
      f.StatementComboBox()->SetTextQuietly(QStringLiteral("b assumption"));
      QCOMPARE(f.StatementTypeRadioGroup()->ItemIndex(), 0);
      Leave(f.StatementComboBox());
      QCOMPARE(f.StatementTypeRadioGroup()->ItemIndex(), 1);
      f.CancelButton()->click();
    });
    Run(script, &TArgIntForm::StatementButtonClick);
  }

  void statementAlreadyMadeIsRefusedByTheLine() {
    TModalScript script;
    script.Do("korvane::TStatementForm", [this](QWidget*) {
      Choose(Statement().StatementComboBox(), QStringLiteral("A issue"));
      Statement().OKButton()->click();
    });
    script.Click(QStringLiteral("OK"));
    Run(script, &TArgIntForm::StatementButtonClick);
    QCOMPARE(script.Boxes.size(), std::size_t(1));
    QCOMPARE(script.Boxes.front().Title, QStringLiteral("Warning"));
    QVERIFY(script.Boxes.front().Text.endsWith(QStringLiteral("It cannot be added again. ")));
    QCOMPARE(app_->Main().Line().ArgumentationMoves.Count(), 3);
  }

  void statementDelete_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("never made") << "zz"
                                << "OK" << false;
    QTest::newRow("declined") << "c issue"
                              << "&No" << false;
    QTest::newRow("confirmed") << "c issue"
                               << "&Yes" << true;
  }
  void statementDelete() {
    QFETCH(QString, sentence);
    QFETCH(QString, answer);
    QFETCH(bool, deleted);
    TStatementForm& f = Statement();
    bool stayedOpen = false;
    TModalScript script;
    script.Do("korvane::TStatementForm", [&](QWidget*) {
      TypeInto(f.StatementComboBox(), sentence);
      f.DeleteButton()->click();
    });
    script.Click(answer);
    if (!deleted)
      script.Do("korvane::TStatementForm", [&](QWidget*) {
        stayedOpen = f.isVisible() && f.StatementComboBox()->currentText() == sentence;
        f.CancelButton()->click();
      });
    Run(script, &TArgIntForm::StatementButtonClick);
    QVERIFY(f.isHidden());
    QCOMPARE(stayedOpen, !deleted);
    if (sentence == QStringLiteral("zz"))
      QCOMPARE(script.Boxes.front().Text,
               QStringLiteral("The statement 'zz' has not yet been made and cannot be deleted."));
    QCOMPARE(app_->Main().Line().ArgumentationMoves.Count(), deleted ? 2 : 3);
    QCOMPARE(app_->Main().Line().Modified, true);
  }

  void reasonConclusionDefaultsAndFollowUp() {
    TReasonConclusionForm& f = ReasonConclusion();
    TModalScript script;
    script.Do("korvane::TReasonConclusionForm", [&f](QWidget*) {
      QCOMPARE(f.ReasonComboBox()->currentText(), QStringLiteral("<reason>"));
      QCOMPARE(f.ReasonTypeRadioGroup()->ItemIndex(), 1);
      QCOMPARE(f.ConclusionComboBox()->currentText(), QStringLiteral("<conclusion>"));
      QCOMPARE(f.ConclusionTypeRadioGroup()->ItemIndex(), 0);
      QCOMPARE(Items(f.ReasonComboBox()).size(), 3);
      QCOMPARE(Items(f.ConclusionComboBox()).size(), 3);
      QCOMPARE(QApplication::focusWidget(), f.ConclusionComboBox());
      QVERIFY(!f.StepWarrantGroupBox()->AsIssue()->isChecked());
      QVERIFY(!f.StepWarrantGroupBox()->AsAssumption()->isChecked());
      // An existing issue as reason turns the reason type to Issue.
      Choose(f.ReasonComboBox(), QStringLiteral("A issue"));
      QCOMPARE(f.ReasonTypeRadioGroup()->ItemIndex(), 0);
      // The conclusion box does not follow.
      Choose(f.ConclusionComboBox(), QStringLiteral("b assumption"));
      QCOMPARE(f.ConclusionTypeRadioGroup()->ItemIndex(), 0);
      f.StepWarrantGroupBox()->AsIssue()->click();
      f.CancelButton()->click();
    });
    Run(script, &TArgIntForm::ReasonConclusionButtonClick);
    QCOMPARE(app_->Main().Line().ArgumentationMoves.Count(), 3);
  }

  void warrantCaptionsAreNotCutOff_data() { warrantCheckBoxesExcludeEachOther_data(); }
  void warrantCaptionsAreNotCutOff() {
    QFETCH(QString, group);
    auto* box = app_->Main().findChild<TWarrantGroupBox*>(group);
    const QRect issue = box->AsIssue()->geometry();
    const QRect assumption = box->AsAssumption()->geometry();
    QCOMPARE(issue.top(), 24);
    QVERIFY(issue.left() >= 4 && issue.left() <= 16);
    QVERIFY(assumption.width() >= box->AsAssumption()->sizeHint().width());
    QVERIFY(issue.width() >= box->AsIssue()->sizeHint().width());
    QVERIFY(assumption.left() > issue.right());
    QVERIFY(assumption.right() < box->width());
  }

  void warrantCheckBoxesExcludeEachOther_data() {
    QTest::addColumn<QString>("group");
    QTest::newRow("step warrant") << "StepWarrantGroupBox";
    QTest::newRow("undercutter warrant") << "UndercutterWarrantGroupBox";
  }
  void warrantCheckBoxesExcludeEachOther() {
    QFETCH(QString, group);
    auto* box = app_->Main().findChild<TWarrantGroupBox*>(group);
    box->AsIssue()->click();
    box->AsAssumption()->click();
    QVERIFY(!box->AsIssue()->isChecked());
    QVERIFY(box->AsAssumption()->isChecked());
    box->AsIssue()->click();
    QVERIFY(box->AsIssue()->isChecked());
    QVERIFY(!box->AsAssumption()->isChecked());
    box->AsIssue()->click();
    QVERIFY(!box->AsIssue()->isChecked());
    QVERIFY(!box->AsAssumption()->isChecked());
  }

  void reasonConclusionOKWithItsWarrant() {
    TReasonConclusionForm& f = ReasonConclusion();
    TModalScript script;
    script.Do("korvane::TReasonConclusionForm", [&f](QWidget*) {
      TypeInto(f.ConclusionComboBox(), QStringLiteral("wet"));
      TypeInto(f.ReasonComboBox(), QStringLiteral("rain"));
      f.StepWarrantGroupBox()->AsIssue()->click();
      f.OKButton()->click();
    });
    Run(script, &TArgIntForm::ReasonConclusionButtonClick);
    const std::vector<std::string> text = app_->Text();
    QCOMPARE(std::vector<std::string>(text.begin() + 9, text.end()),
             (std::vector<std::string>{"CONCLUSION", "  ?: wet", "REASON", "  !: rain", "", "STATEMENT",
                                       "  ?: (IF rain, THEN wet)", ""}));
  }

  void aDeclinedConnectionStillStatesItsWarrant() {
    TReasonConclusionForm& f = ReasonConclusion();
    TModalScript script;
    script.Do("korvane::TReasonConclusionForm", [&f](QWidget*) {
      // "b assumption" as an issue conclusion: its type would be overruled.
      Choose(f.ConclusionComboBox(), QStringLiteral("b assumption"));
      TypeInto(f.ReasonComboBox(), QStringLiteral("r"));
      f.StepWarrantGroupBox()->AsAssumption()->click();
      f.OKButton()->click();
    });
    script.Click(QStringLiteral("&No"));
    Run(script, &TArgIntForm::ReasonConclusionButtonClick);
    QCOMPARE(script.Boxes.front().Title, QStringLiteral("Confirm"));
    const std::vector<std::string> text = app_->Text();
    QCOMPARE(std::vector<std::string>(text.begin() + 9, text.end()),
             (std::vector<std::string>{"STATEMENT", "  !: (IF r, THEN b assumption)", ""}));
  }

  void reasonConclusionDelete() {
    app_->Session().PerformReasonConclusionMove([this] {
      TReasonConclusion* c = app_->Main().Line().NewReasonConclusion();
      c->Reason->Sentence = "A issue";
      c->Reason->StatementType = kIssue;
      c->Conclusion->Sentence = "c issue";
      c->Conclusion->StatementType = kIssue;
      return c;
    }());
    TReasonConclusionForm& f = ReasonConclusion();
    bool stayedOpen = false;
    TModalScript script;
    script.Do("korvane::TReasonConclusionForm", [&f](QWidget*) {
      Choose(f.ReasonComboBox(), QStringLiteral("c issue"));
      Choose(f.ConclusionComboBox(), QStringLiteral("A issue"));
      f.DeleteButton()->click();
    });
    script.Click(QStringLiteral("OK"));
    script.Do("korvane::TReasonConclusionForm", [&](QWidget*) {
      stayedOpen = f.isVisible();
      Choose(f.ReasonComboBox(), QStringLiteral("A issue"));
      Choose(f.ConclusionComboBox(), QStringLiteral("c issue"));
      f.DeleteButton()->click();
    });
    script.Click(QStringLiteral("&Yes"));
    Run(script, &TArgIntForm::ReasonConclusionButtonClick);
    QVERIFY(stayedOpen);
    QVERIFY(f.isHidden());
    QCOMPARE(script.Boxes.front().Text,
             QStringLiteral("The statement 'c issue' is not yet a reason for the statement 'A issue'."));
    for (const std::string& line : app_->Text()) QVERIFY(line != "CONCLUSION");
  }

  void exceptionDefaultsAndFollowUp() {
    TExceptionForm& f = Exception();
    TModalScript script;
    script.Do("korvane::TExceptionForm", [&f](QWidget*) {
      QCOMPARE(f.ExceptionComboBox()->currentText(), QStringLiteral("<exception>"));
      QCOMPARE(f.ExceptionTypeRadioGroup()->ItemIndex(), 1);
      QCOMPARE(f.ReasonComboBox()->currentText(), QStringLiteral("<reason>"));
      QCOMPARE(f.ReasonTypeRadioGroup()->ItemIndex(), 1);
      QCOMPARE(f.ConclusionComboBox()->currentText(), QStringLiteral("<conclusion>"));
      QCOMPARE(f.ConclusionTypeRadioGroup()->ItemIndex(), 0);
      QCOMPARE(Items(f.ExceptionComboBox()), (QStringList{"A issue", "b assumption", "c issue"}));
      QCOMPARE(QApplication::focusWidget(), f.ExceptionComboBox());
      QCOMPARE(f.ExceptionComboBox()->lineEdit()->selectedText(), QStringLiteral("<exception>"));
      Choose(f.ExceptionComboBox(), QStringLiteral("A issue"));
      QCOMPARE(f.ExceptionTypeRadioGroup()->ItemIndex(), 0);
      Choose(f.ReasonComboBox(), QStringLiteral("c issue"));
      QCOMPARE(f.ReasonTypeRadioGroup()->ItemIndex(), 0);
      // Unlike the reason/conclusion dialog's, this reason box does not look again on leaving.
      f.ReasonComboBox()->SetTextQuietly(QStringLiteral("b assumption"));
      Leave(f.ReasonComboBox());
      QCOMPARE(f.ReasonTypeRadioGroup()->ItemIndex(), 0);
      Choose(f.ConclusionComboBox(), QStringLiteral("b assumption"));
      QCOMPARE(f.ConclusionTypeRadioGroup()->ItemIndex(), 0);
      f.CancelButton()->click();
    });
    Run(script, &TArgIntForm::ExceptionButtonClick);
    QCOMPARE(app_->Main().Line().ArgumentationMoves.Count(), 3);
  }

  void exceptionOKWithItsWarrantThenDelete() {
    TExceptionForm& f = Exception();
    {
      TModalScript script;
      script.Do("korvane::TExceptionForm", [&f](QWidget*) {
        TypeInto(f.ExceptionComboBox(), QStringLiteral("knew"));
        TypeInto(f.ConclusionComboBox(), QStringLiteral("return"));
        TypeInto(f.ReasonComboBox(), QStringLiteral("defective"));
        f.UndercutterWarrantGroupBox()->AsAssumption()->click();
        f.OKButton()->click();
      });
      Run(script, &TArgIntForm::ExceptionButtonClick);
    }
    std::vector<std::string> text = app_->Text();
    QCOMPARE(std::vector<std::string>(text.begin() + 9, text.end()),
             (std::vector<std::string>{
                 "EXCEPTION", "  !: knew", "CONCLUSION", "  ?: return", "REASON", "  !: defective", "", "STATEMENT",
                 "  !: (THAT knew, IS AN EXCEPTION TO THE RULE THAT, IF defective, THEN return)", ""}));

    TModalScript deletion;
    deletion.Do("korvane::TExceptionForm", [&f](QWidget*) {
      Choose(f.ExceptionComboBox(), QStringLiteral("knew"));
      Choose(f.ConclusionComboBox(), QStringLiteral("return"));
      Choose(f.ReasonComboBox(), QStringLiteral("defective"));
      f.DeleteButton()->click();
    });
    deletion.Click(QStringLiteral("&Yes"));
    Run(deletion, &TArgIntForm::ExceptionButtonClick);
    QVERIFY(f.isHidden());
    text = app_->Text();
    // The exception becomes a statement, the connection survives, its warrant goes.
    QCOMPARE(std::vector<std::string>(text.begin() + 9, text.end()),
             (std::vector<std::string>{"STATEMENT", "  !: knew", "", "CONCLUSION", "  ?: return", "REASON",
                                       "  !: defective", ""}));
  }

  void exceptionDeleteRefusedKeepsTheDialog() {
    TExceptionForm& f = Exception();
    bool stayedOpen = false;
    TModalScript script;
    script.Do("korvane::TExceptionForm", [&f](QWidget*) { f.DeleteButton()->click(); });
    script.Click(QStringLiteral("OK"));
    script.Do("korvane::TExceptionForm", [&](QWidget*) {
      stayedOpen = f.isVisible() && f.ExceptionComboBox()->currentText() == QStringLiteral("<exception>");
      f.CancelButton()->click();
    });
    Run(script, &TArgIntForm::ExceptionButtonClick);
    QVERIFY(stayedOpen);
    QVERIFY(script.Boxes.front().Text.startsWith(QStringLiteral("The statement '<exception>'\n")));
  }

  void choosingAWindows1252SentenceKeepsItsBytes() {
    app_->State("caf\xE9", kAssumption);
    TModalScript script;
    script.Do("korvane::TReasonConclusionForm", [this](QWidget*) {
      Choose(ReasonConclusion().ReasonComboBox(), QStringLiteral("caf\u00E9"));
      ReasonConclusion().ConclusionComboBox()->setEditText(QStringLiteral("th\u00E9"));
      ReasonConclusion().OKButton()->click();
    });
    Run(script, &TArgIntForm::ReasonConclusionButtonClick);
    const std::vector<std::string> text = app_->Text();
    QCOMPARE(text.at(text.size() - 4), std::string("  ?: th\xC3\xA9"));
    QCOMPARE(text.at(text.size() - 2), std::string("  !: caf\xE9"));
  }
};

QTEST_MAIN(MoveDialogsTest)
#include "move_dialogs_test.moc"
