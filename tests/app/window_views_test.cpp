// The views as the main window shows them: the diagrams after start-up, moves, view
// switches, Show structure only and resizes; the hidden lists and the tree; Options and About.
#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "app/about_form.h"
#include "app/options_form.h"
#include "app/widgets/scroll_box.h"
#include "app_fixture.h"
#include "modal_script.h"
#include "views/arguments_tree.h"
#include "views/diagram_paint_box.h"
#include "views/view_fixtures.h"

using namespace korvane;

Q_DECLARE_METATYPE(korvane::TStatementType)

namespace {

const QColor kBlue(0, 0, 255);
const QColor kTeal(0, 128, 128);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
constexpr int kRow = 28;  // row height with the window font

}  // namespace

class WindowViewsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApp> app_;

  [[nodiscard]] TArgIntForm& Main() const { return app_->Main(); }
  template <class T = QWidget>
  T* Child(const char* name) const {
    return app_->Child<T>(name);
  }
  [[nodiscard]] TDiagramPaintBox* PaintBox() const { return Child<TDiagramPaintBox>("DialArgsPaintBox"); }
  [[nodiscard]] TScrollBox* ScrollBox() const { return Child<TScrollBox>("ScrollBox1"); }
  [[nodiscard]] const TDiagramLayout& Layout() const { return PaintBox()->Layout(); }
  void Trigger(const char* action) const { Child<QAction>(action)->trigger(); }
  void Click(const char* button) const { Child<QPushButton>(button)->click(); }

  /// A reason/conclusion move without questions.
  void Connect(const std::string& reason, TStatementType reasonType, const std::string& conclusion,
               TStatementType conclusionType) const {
    TReasonConclusion* c = Main().Line().NewReasonConclusion();
    c->Reason->Sentence = reason;
    c->Reason->StatementType = reasonType;
    c->Conclusion->Sentence = conclusion;
    c->Conclusion->StatementType = conclusionType;
    app_->Session().PerformReasonConclusionMove(c);
  }
  /// So many statements that the dialectical diagram is taller than the scroll box.
  void MakeTallDiagram() const {
    app_->Session().RefreshViews = false;
    for (int i = 0; i < 30; ++i) app_->State("statement " + std::to_string(i), kAssumption);
    app_->Session().RefreshViews = true;
    Main().RefreshCurrentView();
  }
  [[nodiscard]] QImage Shot() const { return PaintBox()->grab().toImage(); }

private slots:
  void initTestCase() { InitTestApplication(); }
  void init() { app_ = std::make_unique<TApp>(); }
  void cleanup() { app_.reset(); }

  void startUpShowsTheEmptyDialecticalDiagram() {
    QVERIFY(PaintBox()->isVisible());
    QCOMPARE(PaintBox()->height(), 0);
    QVERIFY(Layout().Boxes.empty());
    QVERIFY(Layout().Lines.empty());
    QVERIFY(Layout().Icons.empty());
    QCOMPARE(Layout().RowHeight, kRow);
    // Nothing but white where the diagram would be.
    const QImage viewport = ScrollBox()->viewport()->grab().toImage();
    QCOMPARE(viewport.pixelColor(10, 10), kWhite);
  }

  void eachMoveRedrawsTheDiagram_data() {
    QTest::addColumn<TStatementType>("type");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("icon");
    QTest::newRow("issue: unjustified, teal, italic") << kIssue << kTeal << false << kIssueIcon;
    QTest::newRow("assumption: justified, blue, bold") << kAssumption << kBlue << true << kAssumptionIcon;
  }
  void eachMoveRedrawsTheDiagram() {
    QFETCH(TStatementType, type);
    QFETCH(QColor, colour);
    QFETCH(bool, bold);
    QFETCH(int, icon);
    app_->State("it rains", type);
    const TDiagramLayout& layout = Layout();
    QCOMPARE(layout.Width, PaintBox()->width());
    QCOMPARE(layout.Boxes.size(), std::size_t{1});
    const int tw = test::TextWidth(QStringLiteral("it rains"), bold, !bold);
    QCOMPARE(layout.Boxes[0].Rect, QRect(QPoint(2, 2), QPoint(29 + tw, 23)));
    QCOMPARE(layout.Boxes[0].Pen, colour);
    QCOMPARE(layout.Texts.size(), std::size_t{1});
    QCOMPARE(layout.Texts[0].Position, QPoint(23, 5));
    QCOMPARE(layout.Texts[0].Bold, bold);
    QCOMPARE(layout.Icons.size(), std::size_t{1});
    QCOMPARE(layout.Icons[0].Index, icon);
    QCOMPARE(layout.Icons[0].Position, QPoint(5, 5));
    QCOMPARE(PaintBox()->height(), 26);
    // A paint request draws that layout: the box's left edge in its colour, white inside.
    const QImage shot = Shot();
    QCOMPARE(shot.pixelColor(2, 12), colour);
    QCOMPARE(shot.pixelColor(20, 3), kWhite);

    // The next move draws from the new stage, the conclusion above its reason.
    Connect("the clouds are dark", kAssumption, "it rains", type);
    QCOMPARE(Layout().Boxes.size(), std::size_t{2});
    QCOMPARE(Layout().Boxes[0].Pen, kBlue);
    QCOMPARE(Layout().Boxes[1].Rect.topLeft(), QPoint(18 + 2, kRow + 2));
    QCOMPARE(PaintBox()->height(), kRow + 26);
  }

  void statementsDiagramListsEveryStatementOnce() {
    // r supports two conclusions: the dialectical diagram draws r twice.
    Connect("r", kAssumption, "a", kIssue);
    Connect("r", kAssumption, "b", kIssue);
    QCOMPARE(Layout().Boxes.size(), std::size_t{4});
    QCOMPARE(PaintBox()->height(), 3 * kRow + 26);

    Trigger("Statements1");
    QCOMPARE(Layout().Boxes.size(), std::size_t{3});
    // In the stage's order.
    QStringList texts;
    QStringList stageOrder;
    for (const TDiagramText& t : Layout().Texts) texts << t.Text;
    for (const TStatement* st : Main().Line().CurrentStage->Statements)
      stageOrder << QString::fromStdString(st->Sentence);
    QCOMPARE(texts, stageOrder);
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(Layout().Boxes[std::size_t(i)].Rect.top(), i * kRow + 2);
      QCOMPARE(Layout().Boxes[std::size_t(i)].Pen, kBlue);
    }
    // It keeps the height of the taller diagram shown before it.
    QCOMPARE(PaintBox()->height(), 3 * kRow + 26);
    QVERIFY(PaintBox()->isVisible());

    // A move keeps the statements diagram showing.
    app_->State("c", kIssue);
    QCOMPARE(Layout().Boxes.size(), std::size_t{4});
    QCOMPARE(Layout().Boxes[3].Pen, kTeal);

    // The dialectical diagram starts again from height 0.
    Trigger("Arguments1");
    QCOMPARE(Layout().Boxes.size(), std::size_t{5});
    QCOMPARE(PaintBox()->height(), 4 * kRow + 26);
    app_->Session().NewLine();
    Main().RefreshCurrentView();
    QCOMPARE(PaintBox()->height(), 0);
  }

  void showStructureOnlyTurnsTheMarksOff_data() {
    QTest::addColumn<QString>("view");
    QTest::newRow("dialectical diagram") << "Arguments1";
    QTest::newRow("statements diagram") << "Statements1";
  }
  void showStructureOnlyTurnsTheMarksOff() {
    QFETCH(QString, view);
    Connect("the clouds are dark", kAssumption, "it rains", kIssue);
    Trigger(qPrintable(view));
    QCOMPARE(Layout().Icons.size(), std::size_t{2});
    const int coloured = Layout().Boxes[0].Rect.width();

    Trigger("ShowStructureOnly");
    QVERIFY(Main().ShowStructureOnlyChecked());
    QVERIFY(Layout().Icons.empty());
    for (const TDiagramBox& b : Layout().Boxes) QCOMPARE(b.Pen, kBlack);
    for (const TDiagramLine& l : Layout().Lines) QCOMPARE(l.Pen, kBlack);
    for (const TDiagramText& t : Layout().Texts) {
      QCOMPARE(t.Colour, kBlack);
      QVERIFY(!t.Bold && !t.Italic);
    }
    // Text 17 pixels further left; a box 18 pixels narrower around the text.
    QCOMPARE(Layout().Texts[0].Position.x(), 6);
    QCOMPARE(Layout().Boxes[0].Rect.width(), test::TextWidth(Layout().Texts[0].Text, false, false) + 10);
    QCOMPARE(Shot().pixelColor(2, 12), kBlack);

    Trigger("ShowStructureOnly");
    QVERIFY(!Main().ShowStructureOnlyChecked());
    QCOMPARE(Layout().Icons.size(), std::size_t{2});
    QCOMPARE(Layout().Boxes[0].Rect.width(), coloured);
    QCOMPARE(Layout().Boxes[0].Pen, kBlue);
  }

  void tallDiagramLeavesRoomForTheScrollBar() {
    MakeTallDiagram();
    TScrollBox* box = ScrollBox();
    QCOMPARE(Layout().Boxes.size(), std::size_t{30});
    QCOMPARE(PaintBox()->height(), 29 * kRow + 26);
    QVERIFY(PaintBox()->height() > box->height());
    QCOMPARE(PaintBox()->width(), box->width() - 20);
    QCOMPARE(Layout().Width, box->width() - 20);
    // The scroll box scrolls over the whole diagram.
    QCOMPARE(box->Client()->height(), PaintBox()->height());
    QVERIFY(box->verticalScrollBar()->maximum() > 0);

    // Resizing keeps the rule, laid out again at the new width.
    Main().resize(700, 453);
    QTRY_COMPARE(box->width(), 700 - 137);
    QCOMPARE(PaintBox()->width(), box->width() - 20);
    QCOMPARE(Layout().Width, PaintBox()->width());
    // So does the statements diagram, which keeps its height.
    Trigger("Statements1");
    Main().resize(650, 453);
    QTRY_COMPARE(box->width(), 650 - 137);
    QCOMPARE(PaintBox()->width(), box->width() - 20);
    QCOMPARE(Layout().Width, PaintBox()->width());
  }

  void shortDiagramIsSevenPixelsNarrower() {
    app_->State("one", kAssumption);
    Main().resize(640, 453);
    QTRY_COMPARE(ScrollBox()->width(), 640 - 137);
    QCOMPARE(PaintBox()->width(), ScrollBox()->width() - 7);
    QCOMPARE(Layout().Width, PaintBox()->width());
  }

  void narrowingTheWindowRewrapsLongSentences() {
    std::string sentence;
    for (int i = 0; i < 12; ++i) sentence += "the goods were delivered late ";
    sentence += "again";
    app_->State(sentence, kIssue);
    const std::size_t wide = Layout().Texts.size();
    QVERIFY(wide > 1);
    // A multi-line box ends at the paint box's right edge.
    QCOMPARE(Layout().Boxes[0].Rect.right() + 1, PaintBox()->width());
    Main().resize(400, 453);
    QTRY_COMPARE(ScrollBox()->width(), 400 - 137);
    QVERIFY(Layout().Texts.size() > wide);
    QCOMPARE(Layout().Boxes[0].Rect.right() + 1, PaintBox()->width());
    const int lines = int(Layout().Texts.size());
    QCOMPARE(Layout().Boxes[0].Rect.bottom() + 1, ((16 * lines + 5) / kRow) * kRow + 24);
  }

  void stepsViewPaintsTheDiagramOfThePressedButton_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("boxes");
    QTest::newRow("statements diagram down") << "ViewStatements2SpeedButton" << 1;
    QTest::newRow("dialectical diagram down") << "ViewDialArgsSpeedButton" << 1;
    QTest::newRow("line of arg. down: white") << "ViewLineOfArgumentationSpeedButton" << 0;
  }
  void stepsViewPaintsTheDiagramOfThePressedButton() {
    QFETCH(QString, button);
    QFETCH(int, boxes);
    app_->State("wet", kAssumption);
    Click(qPrintable(button));
    Main().ShowStepsView();
    QVERIFY(PaintBox()->isVisible());
    QVERIFY(Child<QPushButton>("ViewStepsSpeedButton")->isChecked());
    QCOMPARE(int(Layout().Boxes.size()), boxes);
    QCOMPARE(Shot().pixelColor(2, 12), boxes ? kBlue : kWhite);
  }

  void hiddenListsAndTreeFillTheirControls() {
    app_->State("it rains", kIssue);
    Connect("the clouds are dark", kAssumption, "it rains", kIssue);
    Connect("the street is wet", kAssumption, "it rains", kIssue);
    const TArgumentationStage& stage = *Main().Line().CurrentStage;
    auto id = [&stage](int i) { return QString::fromStdString(stage.Statements[i]->Id); };

    Main().ShowStatementsList();
    auto* statements = Child<QTreeWidget>("StatementsListView");
    QVERIFY(statements->isVisible());
    QCOMPARE(statements->topLevelItemCount(), 3);
    QCOMPARE(statements->topLevelItem(0)->text(0), id(0) + QStringLiteral(": it rains"));
    QCOMPARE(statements->topLevelItem(2)->text(0), id(2) + QStringLiteral(": the street is wet"));
    QVERIFY(statements->topLevelItem(0)->flags() & Qt::ItemIsEditable);
    QVERIFY(statements->editTriggers() != QAbstractItemView::NoEditTriggers);

    Main().ShowReasonsList();
    auto* reasons = Child<QTreeWidget>("ReasonsListView");
    QVERIFY(reasons->isVisible());
    QCOMPARE(reasons->topLevelItemCount(), 12);
    QCOMPARE(reasons->topLevelItem(0)->text(0), QStringLiteral("CONCLUSION:"));
    QCOMPARE(reasons->topLevelItem(3)->text(0), id(1) + QStringLiteral(": the clouds are dark"));
    QCOMPARE(reasons->topLevelItem(4)->text(0), QStringLiteral("(NO EXCEPTIONS)"));
    QVERIFY(!(reasons->topLevelItem(0)->flags() & Qt::ItemIsEditable));

    Main().ShowArgumentsTree();
    auto* tree = Child<QTreeWidget>("ArgumentsTreeView");
    QVERIFY(tree->isVisible());
    QCOMPARE(tree->indentation(), 19);
    QVERIFY(tree->topLevelItemCount() >= 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    QCOMPARE(root->text(0), id(0) + QStringLiteral(": it rains"));
    QCOMPARE(root->childCount(), 2);
    QVERIFY(root->isExpanded());
    QCOMPARE(root->data(0, kImageIndexRole).toInt(), kJustifiedIcon);
    QCOMPARE(root->data(0, kOverlayIndexRole).toInt(), 1);
    QCOMPARE(root->child(0)->data(0, kOverlayIndexRole).toInt(), 0);
    // The window registered its overlays: the small "?" lies over the green plus.
    QCOMPARE(Main().StatusIconsImageList.OverlayImage(0), kSmallAssumptionIcon);
    QCOMPARE(Main().StatusIconsImageList.OverlayImage(1), kSmallIssueIcon);
    const QImage icon = root->icon(0).pixmap(16, 16).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(icon, Main().StatusIconsImageList.Combined(kJustifiedIcon, 1).convertToFormat(QImage::Format_RGB32));
    QVERIFY(icon != Main().StatusIconsImageList.Image(kJustifiedIcon).convertToFormat(QImage::Format_RGB32));

    // The lists and the tree do not follow moves; the refresh brings back the diagram.
    app_->State("later", kIssue);
    QVERIFY(PaintBox()->isVisible());
    QCOMPARE(statements->topLevelItemCount(), 3);
  }

  void optionsOkShowsTheTree_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("topLevel");
    // Coordinated: one node per argument ("it rains" and "later"). Not coordinated: one per statement.
    QTest::newRow("unchanged, coordinated") << 0 << 2;
    QTest::newRow("not coordinated") << 1 << 3;
  }
  void optionsOkShowsTheTree() {
    QFETCH(int, item);
    QFETCH(int, topLevel);
    Connect("the clouds are dark", kAssumption, "it rains", kIssue);
    app_->State("later", kIssue);
    TOptionsForm* options = app_->Forms.OptionsForm;
    QVERIFY(options && options->isHidden());
    TModalScript script;
    script.Do("korvane::TOptionsForm", [options, item](QWidget*) {
      options->Item(item)->setChecked(true);
      options->OKButton()->click();
    });
    Main().Options1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(Main().ArgumentsViewMode, item);
    auto* tree = Child<QTreeWidget>("ArgumentsTreeView");
    QVERIFY(tree->isVisible());
    QVERIFY(!PaintBox()->isVisible());
    QCOMPARE(tree->topLevelItemCount(), topLevel);
    QVERIFY(Child<QPushButton>("ViewArgumentsSpeedButton")->isChecked());
    QVERIFY(Child<QPushButton>("ViewDialArgsSpeedButton")->isChecked());
  }

  void optionsClosedWithoutOkChangesNothing() {
    TOptionsForm* options = app_->Forms.OptionsForm;
    TModalScript script;
    script.Do("korvane::TOptionsForm", [options](QWidget*) {
      options->Item(1)->setChecked(true);
      options->reject();
    });
    Main().Options1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(Main().ArgumentsViewMode, 0);
    QVERIFY(PaintBox()->isVisible());
    QVERIFY(Child("ArgumentsTreeView")->isHidden());
  }

  void aboutStaysOpenWhileTheUserWorks() {
    TAboutForm* about = app_->Forms.AboutForm;
    QVERIFY(about && about->isHidden());
    Trigger("About1");
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QVERIFY(!about->isModal());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(about->windowTitle(), QStringLiteral("About Korvane"));
    QVERIFY(about->Memo1()->toPlainText().startsWith(
        QStringLiteral("Korvane 2.03 - an argument-assistance system\n\nVersion September 1, 1999\n")));
    // The window goes on taking moves, and About again keeps the one box.
    app_->State("it rains", kIssue);
    QCOMPARE(Layout().Boxes.size(), std::size_t{1});
    Trigger("About1");
    QVERIFY(about->isVisible());
    QCOMPARE(Main().findChildren<TAboutForm*>().size(), 1);
    about->Button1()->click();
    QTRY_VERIFY(about->isHidden());
  }
};

QTEST_MAIN(WindowViewsTest)
#include "window_views_test.moc"
