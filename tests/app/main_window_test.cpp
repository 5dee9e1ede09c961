// The main window: start-up state, layout and menu, views switching, refresh and resize.
#include <QAction>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>
#include <memory>

#include "app/about_form.h"
#include "app/exception_form.h"
#include "app/options_form.h"
#include "app/reason_conclusion_form.h"
#include "app/statement_form.h"
#include "app/widgets/scroll_box.h"
#include "app/window_font.h"
#include "app_fixture.h"
#include "modal_script.h"
#include "views/line_of_argumentation_view.h"

using namespace korvane;

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApp> app_;

  template <class T = QWidget>
  T* Child(const char* name) const {
    return app_->Child<T>(name);
  }
  QPushButton* Button(const char* name) const { return Child<QPushButton>(name); }
  QStringList DownButtons() const {
    QStringList down;
    for (QPushButton* b : app_->Main().findChildren<QPushButton*>())
      if (b->isCheckable() && b->isChecked()) down << b->objectName();
    return down;
  }
  QStringList VisibleViews() const {
    QStringList shown;
    for (const char* name : {"LineOfArgumentationRichEdit", "StatementsListView", "ReasonsListView",
                             "ArgumentsTreeView", "DialArgsRichEdit", "DialArgsPaintBox"})
      if (!Child(name)->isHidden()) shown << QString::fromLatin1(name);
    return shown;
  }

private slots:
  void initTestCase() { InitTestApplication(); }
  void init() { app_ = std::make_unique<TApp>(); }
  void cleanup() { app_.reset(); }

  void startUpState() {
    TArgIntForm& w = app_->Main();
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Korvane"));
    QCOMPARE(w.objectName(), QStringLiteral("ArgIntForm"));
    // The built-in icon: the step arrow in the diagrams' blue, at the sizes panels ask for.
    QCOMPARE(w.windowIcon().pixmap(16, 16).size(), QSize(16, 16));
    for (int size : {48, 256}) {
      const QImage icon = w.windowIcon().pixmap(size, size).toImage();
      QCOMPARE(icon.size(), QSize(size, size));
      QCOMPARE(icon.pixelColor(size / 2, size * 70 / 128), QColor(0, 0, 255));
    }
    QCOMPARE(w.windowTitle(), QStringLiteral("Korvane - New line of argumentation"));
    QCOMPARE(w.Line().FileName, std::string("New.lin"));
    QVERIFY(!w.Line().Modified);
    QCOMPARE(w.Line().ArgumentationMoves.Count(), 0);
    QVERIFY(app_->Session().Interactive);
    QVERIFY(app_->Session().RefreshViews);
    QCOMPARE(DownButtons(), QStringList{QStringLiteral("ViewDialArgsSpeedButton")});
    QCOMPARE(VisibleViews(), QStringList{QStringLiteral("DialArgsPaintBox")});
    QVERIFY(!w.ShowStructureOnlyChecked());
    QCOMPARE(w.ArgumentsViewMode, 0);
    QCOMPARE(w.focusWidget(), Child("StatementButton"));
    QCOMPARE(w.size(), QSize(592, 453));
  }

  void dialogsAreCreatedOnceInOrder() {
    const TForms& f = app_->Forms;
    QVERIFY(f.StatementForm && f.ExceptionForm && f.ReasonConclusionForm);
    QVERIFY(f.AboutForm && f.OptionsForm);
    QStringList order;
    for (QObject* o : app_->Main().children())
      if (qobject_cast<QDialog*>(o) && !qobject_cast<QFileDialog*>(o)) order << o->objectName();
    QCOMPARE(order,
             (QStringList{"StatementForm", "ExceptionForm", "ReasonConclusionForm", "AboutForm", "OptionsForm"}));
    for (QWidget* d : {static_cast<QWidget*>(f.StatementForm), static_cast<QWidget*>(f.ExceptionForm),
                       static_cast<QWidget*>(f.ReasonConclusionForm), static_cast<QWidget*>(f.AboutForm),
                       static_cast<QWidget*>(f.OptionsForm)})
      QVERIFY(d->isHidden());
  }

  void windowFontIsTheDiagramFont() {
    const QFont font = WindowFont();
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(font.pointSize(), 8);
    QCOMPARE(QFontMetrics(font).height(), 13);
    QCOMPARE(QFontInfo(app_->Main().font()).family(), QStringLiteral("DejaVu Sans"));
  }

  void layout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("bounds");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("visible");
    QTest::newRow("Argue box") << "ArgueGroupBox" << QRect(8, 8, 121, 113) << "Argue" << true;
    QTest::newRow("Statement") << "StatementButton" << QRect(8, 16, 105, 25) << "Statement" << true;
    QTest::newRow("Reason/conclusion") << "ReasonConclusionButton" << QRect(8, 48, 105, 25) << "Reason/conclusion"
                                       << true;
    QTest::newRow("Exception") << "ExceptionButton" << QRect(8, 80, 105, 25) << "Exception" << true;
    QTest::newRow("View box") << "ViewGroupBox" << QRect(8, 128, 121, 113) << "View" << true;
    QTest::newRow("Line of arg.") << "ViewLineOfArgumentationSpeedButton" << QRect(8, 16, 105, 25) << "&Line of arg."
                                  << true;
    QTest::newRow("Statements") << "ViewStatements2SpeedButton" << QRect(8, 48, 105, 25) << "&Statements" << true;
    QTest::newRow("Arguments") << "ViewDialArgsSpeedButton" << QRect(8, 80, 105, 25) << "&Arguments" << true;
    QTest::newRow("hidden Statements") << "ViewStatementsSpeedButton" << QRect(16, 248, 105, 25) << "Statements"
                                       << false;
    QTest::newRow("hidden Reasons") << "ViewReasonsSpeedButton" << QRect(16, 280, 105, 25) << "Reasons" << false;
    QTest::newRow("hidden Arguments") << "ViewArgumentsSpeedButton" << QRect(16, 312, 105, 25) << "Arguments" << false;
    QTest::newRow("hidden Steps") << "ViewStepsSpeedButton" << QRect(16, 348, 105, 25) << "Steps" << false;
    QTest::newRow("hidden Undercutters") << "ViewUndercuttersSpeedButton" << QRect(16, 376, 105, 25) << "Undercutters"
                                         << false;
    QTest::newRow("Button1") << "Button1" << QRect(30, 72, 75, 25) << "Button1" << false;
    QTest::newRow("Button2") << "Button2" << QRect(280, 112, 75, 25) << "Button2" << false;
    QTest::newRow("Pros and cons") << "ProsConsButton" << QRect(264, 144, 105, 25) << "Pros && cons" << false;
  }
  void layout() {
    QFETCH(QString, name);
    QFETCH(QRect, bounds);
    QFETCH(QString, caption);
    QFETCH(bool, visible);
    QWidget* w = Child(qPrintable(name));
    QCOMPARE(w->geometry(), bounds);
    QCOMPARE(!w->isHidden(), visible);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) QCOMPARE(b->text(), caption);
    if (auto* g = qobject_cast<QGroupBox*>(w)) QCOMPARE(g->title(), caption);
  }

  void panelAndScrollBox() {
    QWidget* panel = Child("ButtonPanel");
    auto* box = Child<TScrollBox>("ScrollBox1");
    QCOMPARE(panel->width(), 137);
    QCOMPARE(panel->x(), 0);
    QCOMPARE(box->x(), 137);
    QCOMPARE(box->width(), app_->Main().width() - 137);
    QCOMPARE(Child("StatusBar1")->height(), 17);
    QCOMPARE(Child("DialArgsPaintBox")->width(), box->width() - 7);
    QCOMPARE(Child("DialArgsPaintBox")->pos(), QPoint(0, 0));
    QVERIFY(box->viewport()->palette().color(QPalette::Window) == Qt::white);
    QVERIFY(Child<QPlainTextEdit>("LineOfArgumentationRichEdit")->isReadOnly());
  }

  void menuBar() {
    // Caption, or "-" for a separator; a leading "[" marks a hidden item.
    const QList<QStringList> expected{
        {"&File", "&New", "&Open...", "&Append...", "-", "&Save", "Save &As...", "[-", "[&Print...", "[P&rint Setup...",
         "-", "E&xit"},
        {"A&rgue", "&Statement", "&Reason/conclusion", "&Exception", "[&Pros && cons", "[-", "[&Back", "[&Forward"},
        {"&View", "&Line of argumentation", "&Statements", "[&Reasons", "&Arguments", "[-", "[&Options"},
        {"&Options", "&Show structure only"},
        {"&Help", "[&Contents", "[-", "&About..."}};
    QList<QStringList> actual;
    for (QAction* m : app_->Main().menuBar()->actions()) {
      QStringList items{m->text()};
      for (QAction* a : m->menu()->actions()) {
        const QString text = a->isSeparator() ? QStringLiteral("-") : a->text();
        items << (a->isVisible() ? text : QStringLiteral("[") + text);
        QVERIFY2(a->shortcut().isEmpty(), qPrintable(text));
      }
      actual << items;
    }
    QCOMPARE(actual, expected);
    auto* structure = app_->Main().findChild<QAction*>(QStringLiteral("ShowStructureOnly"));
    QVERIFY(structure && structure->isCheckable());
  }

  void visibleButtonsShowTheirViews_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("view");
    QTest::newRow("line of arg.") << "ViewLineOfArgumentationSpeedButton"
                                  << "LineOfArgumentationRichEdit";
    QTest::newRow("statements") << "ViewStatements2SpeedButton"
                                << "DialArgsPaintBox";
    QTest::newRow("arguments") << "ViewDialArgsSpeedButton"
                               << "DialArgsPaintBox";
  }
  void visibleButtonsShowTheirViews() {
    QFETCH(QString, button);
    QFETCH(QString, view);
    Button(qPrintable(button))->click();
    QCOMPARE(DownButtons(), QStringList{button});
    QCOMPARE(VisibleViews(), QStringList{view});
    // A click on the button that is down leaves it down.
    Button(qPrintable(button))->click();
    QCOMPARE(DownButtons(), QStringList{button});
  }

  void hiddenControlsKeepTheVisibleGroup_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("view");
    QTest::newRow("statements list") << "ViewStatementsSpeedButton"
                                     << "StatementsListView";
    QTest::newRow("reasons list") << "ViewReasonsSpeedButton"
                                  << "ReasonsListView";
    QTest::newRow("arguments tree") << "ViewArgumentsSpeedButton"
                                    << "ArgumentsTreeView";
    QTest::newRow("steps") << "ViewStepsSpeedButton"
                           << "DialArgsPaintBox";
    QTest::newRow("Button2") << "Button2"
                             << "ArgumentsTreeView";
  }
  void hiddenControlsKeepTheVisibleGroup() {
    QFETCH(QString, button);
    QFETCH(QString, view);
    Button("ViewLineOfArgumentationSpeedButton")->click();
    Button(qPrintable(button))->click();
    QCOMPARE(VisibleViews(), QStringList{view});
    QVERIFY(DownButtons().contains(QStringLiteral("ViewLineOfArgumentationSpeedButton")));
    // A refresh brings back the view of the visible group's pressed button.
    app_->Main().RefreshCurrentView();
    QCOMPARE(VisibleViews(), QStringList{QStringLiteral("LineOfArgumentationRichEdit")});
  }

  void hiddenReasonsMenuItemShowsTheList() {
    app_->Main().findChild<QAction*>(QStringLiteral("Reasons1"))->trigger();
    QCOMPARE(VisibleViews(), QStringList{QStringLiteral("ReasonsListView")});
    QVERIFY(DownButtons().contains(QStringLiteral("ViewReasonsSpeedButton")));
  }

  void refreshWithNoButtonDownDoesNothing() {
    app_->Main().ShowReasonsList();
    for (QPushButton* b : app_->Main().findChildren<QPushButton*>()) b->setChecked(false);
    app_->Main().RefreshCurrentView();
    QCOMPARE(VisibleViews(), QStringList{QStringLiteral("ReasonsListView")});
  }

  void viewMenuItems_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("down");
    QTest::newRow("line") << "Lineofargumentation1"
                          << "ViewLineOfArgumentationSpeedButton";
    QTest::newRow("statements") << "Statements1"
                                << "ViewStatements2SpeedButton";
    QTest::newRow("arguments") << "Arguments1"
                               << "ViewDialArgsSpeedButton";
  }
  void viewMenuItems() {
    QFETCH(QString, item);
    QFETCH(QString, down);
    app_->Main().findChild<QAction*>(item)->trigger();
    QCOMPARE(DownButtons(), QStringList{down});
  }

  void textViewFollowsEveryMove() {
    Button("ViewLineOfArgumentationSpeedButton")->click();
    auto* text = Child<TLineOfArgumentationView>("LineOfArgumentationRichEdit");
    QVERIFY(text->Lines().empty());
    QCOMPARE(text->toPlainText(), QString());
    app_->State("it rains", kIssue);
    QCOMPARE(text->Lines(), (std::vector<std::string>{"STATEMENT", "  ?: it rains", ""}));
    app_->State("the street is wet", kAssumption);
    QCOMPARE(text->Lines().size(), std::size_t(6));
    QCOMPARE(text->Lines()[4], std::string("  !: the street is wet"));
    QCOMPARE(text->toPlainText(), QStringLiteral("STATEMENT\n  ?: it rains\n\nSTATEMENT\n  !: the street is wet\n"));
  }

  void noRefreshWhileRefreshViewsIsOff() {
    Button("ViewLineOfArgumentationSpeedButton")->click();
    auto* text = Child<TLineOfArgumentationView>("LineOfArgumentationRichEdit");
    app_->Session().RefreshViews = false;
    app_->State("a", kIssue);
    QVERIFY(text->Lines().empty());
    app_->Session().RefreshViews = true;
    app_->Main().RefreshCurrentView();
    QCOMPARE(text->Lines().size(), std::size_t(3));
  }

  void textViewKeepsBytesAndLogicalLines() {
    // A Windows-1252 byte reads back as itself, and a long line stays one line.
    const std::string latin = "caf\xE9";
    const std::string longLine(2000, 'x');
    app_->Main().SetTextLines({latin, longLine, ""});
    auto* text = Child<TLineOfArgumentationView>("LineOfArgumentationRichEdit");
    QCOMPARE(app_->Main().TextLines(), (std::vector<std::string>{latin, longLine, ""}));
    QCOMPARE(text->document()->blockCount(), 3);
    QVERIFY(text->toPlainText().startsWith(QStringLiteral("caf\u00E9\n")));
    app_->Main().SetTextLine(1, ".");
    app_->Main().SetTextLine(3, "appended");
    QCOMPARE(app_->Main().TextLines(), (std::vector<std::string>{latin, ".", "", "appended"}));
    QCOMPARE(text->toPlainText(), QStringLiteral("caf\u00E9\n.\n\nappended"));
  }

  void textViewShowsAVeryLongLineCutButKeepsItWhole() {
    auto* text = Child<TLineOfArgumentationView>("LineOfArgumentationRichEdit");
    const std::string huge(3 * 1000 * 1000, 'w');
    app_->Main().SetTextLines({"STATEMENT", "  !: " + huge, ""});
    QCOMPARE(app_->Main().TextLines()[1].size(), huge.size() + 5);
    const QString shown = text->document()->findBlockByNumber(1).text();
    QCOMPARE(shown.size() < 50100, true);
    QVERIFY(shown.startsWith(QStringLiteral("  !: www")));
    QVERIFY(shown.endsWith(QStringLiteral("\u2026 [shown: the first 50000 of 3000005 characters]")));
    // Replacing it in place cuts it the same way; a short line is shown whole.
    app_->Main().SetTextLine(1, huge);
    QVERIFY(text->document()->findBlockByNumber(1).text().endsWith(QStringLiteral("of 3000000 characters]")));
    app_->Main().SetTextLine(1, std::string(50000, 'x'));
    QCOMPARE(text->document()->findBlockByNumber(1).text(), QString(50000, QLatin1Char('x')));
  }

  void textViewShowsReplacedLinesLaterOnlyWhileDeferring() {
    auto* text = Child<TLineOfArgumentationView>("LineOfArgumentationRichEdit");
    text->SetLines({"Interpreting file", "."});
    text->SetDeferring(true);
    text->SetLine(1, "..");
    text->SetLine(1, "...");
    // The logical lines have it at once; the screen once the event loop runs.
    QCOMPARE(text->Lines(), (std::vector<std::string>{"Interpreting file", "..."}));
    QCOMPARE(text->toPlainText(), QStringLiteral("Interpreting file\n."));
    QCoreApplication::processEvents();
    QCOMPARE(text->toPlainText(), QStringLiteral("Interpreting file\n..."));
    // An appended line comes after what is pending, and turning it off shows the rest.
    text->SetLine(1, "....");
    text->SetLine(2, "next");
    QCOMPARE(text->toPlainText(), QStringLiteral("Interpreting file\n....\nnext"));
    text->SetLine(2, "last");
    text->SetDeferring(false);
    QCOMPARE(text->toPlainText(), QStringLiteral("Interpreting file\n....\nlast"));
    // A new text drops what was pending for the old one.
    text->SetDeferring(true);
    text->SetLine(0, "stale");
    text->SetLines({"fresh"});
    QCoreApplication::processEvents();
    QCOMPARE(text->toPlainText(), QStringLiteral("fresh"));
    text->SetDeferring(false);
  }

  void textViewAppendsAMovesLinesAndLooksAsIfRefilled() {
    Button("ViewLineOfArgumentationSpeedButton")->click();
    auto* text = Child<TLineOfArgumentationView>("LineOfArgumentationRichEdit");
    std::vector<std::string> lines;
    for (int i = 0; i < 200; ++i) lines.push_back("STATEMENT " + std::to_string(i));
    text->SetLines(lines);
    text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum());
    for (const char* added : {"REASON", "  ?: b", ""}) lines.push_back(added);
    text->SetLines(lines);
    const QImage appended = text->grab().toImage();
    QCOMPARE(text->verticalScrollBar()->value(), 0);
    text->SetLines({"something else"});
    text->SetLines(lines);
    QCOMPARE(text->grab().toImage(), appended);
    QCOMPARE(text->document()->blockCount(), 203);
    QCOMPARE(text->document()->lastBlock().previous().text(), QStringLiteral("  ?: b"));
    // Lines that do not extend the shown ones replace them.
    lines.erase(lines.begin());
    text->SetLines(lines);
    QCOMPARE(text->document()->firstBlock().text(), QStringLiteral("STATEMENT 1"));
    QCOMPARE(text->Lines(), lines);
  }

  void textViewFillsTheScrollBoxAfterResize() {
    Button("ViewLineOfArgumentationSpeedButton")->click();
    auto* box = Child<TScrollBox>("ScrollBox1");
    QWidget* text = Child("LineOfArgumentationRichEdit");
    QCOMPARE(text->size(), box->ClientAreaSize());
    app_->Main().resize(700, 520);
    QTRY_COMPARE(box->width(), 700 - 137);
    QCOMPARE(text->size(), box->ClientAreaSize());
    QCOMPARE(text->pos(), QPoint(0, 0));
  }

  void paintBoxWidthFollowsTheScrollBox() {
    auto* box = Child<TScrollBox>("ScrollBox1");
    QWidget* paint = Child("DialArgsPaintBox");
    app_->State("one", kAssumption);
    app_->Main().resize(640, 453);
    QTRY_COMPARE(box->width(), 640 - 137);
    QCOMPARE(paint->width(), box->width() - 7);
    // Taller than the scroll box: room for the vertical scroll bar.
    for (int i = 0; i < 20; ++i) app_->State("more " + std::to_string(i), kAssumption);
    app_->Main().resize(620, 453);
    QTRY_COMPARE(box->width(), 620 - 137);
    QVERIFY(paint->height() > box->height());
    QCOMPARE(paint->width(), box->width() - 20);
    QCOMPARE(box->Client()->height(), paint->height());
  }

  void showStructureOnlyTogglesAndRefreshes() {
    Button("ViewLineOfArgumentationSpeedButton")->click();
    auto* text = Child<TLineOfArgumentationView>("LineOfArgumentationRichEdit");
    app_->Session().RefreshViews = false;
    app_->State("a", kIssue);
    app_->Session().RefreshViews = true;
    app_->Main().ShowStructureOnlyClick();
    QVERIFY(app_->Main().ShowStructureOnlyChecked());
    QCOMPARE(text->Lines().size(), std::size_t(3));
    app_->Main().findChild<QAction*>(QStringLiteral("ShowStructureOnly"))->trigger();
    QVERIFY(!app_->Main().ShowStructureOnlyChecked());
  }

  void button1AddsALabel() {
    Button("Button1")->click();
    QLabel* kwaak = nullptr;
    for (QLabel* l : Child("ButtonPanel")->findChildren<QLabel*>())
      if (l->text() == QStringLiteral("Kwaak")) kwaak = l;
    QVERIFY(kwaak);
    QCOMPARE(kwaak->geometry(), QRect(75, 250, 200, 200));
    QVERIFY(kwaak->isVisible());
  }

  void argueCommandsOpenTheirDialogs_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("Statement button") << "StatementButton"
                                      << "StatementForm";
    QTest::newRow("Reason/conclusion button") << "ReasonConclusionButton"
                                              << "ReasonConclusionForm";
    QTest::newRow("Exception button") << "ExceptionButton"
                                      << "ExceptionForm";
    QTest::newRow("Statement item") << "Statement1"
                                    << "StatementForm";
    QTest::newRow("Reason/conclusion item") << "ReasonConclusion1"
                                            << "ReasonConclusionForm";
    QTest::newRow("Exception item") << "Exception1"
                                    << "ExceptionForm";
  }
  void argueCommandsOpenTheirDialogs() {
    QFETCH(QString, control);
    QFETCH(QString, dialog);
    QString seen;
    TModalScript script;
    script.Do("QDialog", [&seen](QWidget* w) {
      seen = w->objectName();
      static_cast<QDialog*>(w)->reject();
    });
    if (auto* b = app_->Main().findChild<QPushButton*>(control))
      b->click();
    else
      app_->Main().findChild<QAction*>(control)->trigger();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(seen, dialog);
    QCOMPARE(app_->Main().Line().ArgumentationMoves.Count(), 0);
  }

  void argueCommandsNeedAFileName() {
    app_->Main().Line().FileName.clear();
    TModalScript script(300);
    app_->Main().StatementButtonClick();
    QTest::qWait(100);
    QVERIFY2(script.Failures.isEmpty(), qPrintable(script.Report()));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
