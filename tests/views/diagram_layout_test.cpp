// Geometry, colours and pens of the two diagrams, read from their layouts.
#include <QtTest>

#include "model/stage_builder.h"
#include "view_fixtures.h"
#include "views/diagram_builder.h"

using namespace korvane;
using korvane::test::StageBuilder;

Q_DECLARE_METATYPE(korvane::TPenStyle)
Q_DECLARE_METATYPE(korvane::TStatementType)

namespace {

const QColor kBlue(0, 0, 255);
const QColor kTeal(0, 128, 128);
const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);
const QColor kBlack(0, 0, 0);

}  // namespace

class DiagramLayoutTest : public QObject {
  Q_OBJECT

  QFont font_ = test::WindowFont();
  int th_ = 0;
  int d_ = 0;

  [[nodiscard]] TDiagramLayout Dialectical(const StageBuilder& b, int width = 500, bool structureOnly = false) const {
    return LayoutDialecticalDiagram(b.Current(), width, font_, structureOnly);
  }
  void ExpectLine(const TDiagramLayout& layout, QPoint from, QPoint to, const QColor& colour, TPenStyle style) const {
    const TDiagramLine* line = test::FindLine(layout, from, to);
    QVERIFY2(line,
             qPrintable(QStringLiteral("no line (%1,%2)-(%3,%4)").arg(from.x()).arg(from.y()).arg(to.x()).arg(to.y())));
    QCOMPARE(line->Pen, colour);
    QCOMPARE(line->PenStyle, style);
  }

private slots:
  void initTestCase() {
    th_ = test::LineHeightOf(font_);
    d_ = th_ + 15;
    QVERIFY(th_ > 0);
  }

  void emptyStageDrawsNothing() {
    StageBuilder b;
    const TDiagramLayout layout = Dialectical(b);
    QCOMPARE(layout.Height, 0);
    QVERIFY(layout.Boxes.empty());
    QVERIFY(layout.Lines.empty());
    QCOMPARE(layout.RowHeight, d_);
  }

  void oneBox_data() {
    QTest::addColumn<TStatementType>("type");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("icon");
    QTest::newRow("assumption: justified, blue and bold") << kAssumption << kBlue << true << 0;
    QTest::newRow("unsupported issue: unjustified, teal and italic") << kIssue << kTeal << false << 1;
  }
  void oneBox() {
    QFETCH(TStatementType, type);
    QFETCH(QColor, colour);
    QFETCH(bool, bold);
    QFETCH(int, icon);
    StageBuilder b;
    b.State("the street is wet", type);
    const TDiagramLayout layout = Dialectical(b);

    QCOMPARE(layout.Boxes.size(), std::size_t{1});
    const TDiagramBox& box = layout.Boxes[0];
    const int tw = test::TextWidth(QStringLiteral("the street is wet"), bold, !bold);
    QCOMPARE(box.Rect, QRect(2, 2, tw + 28, 22));  // right 30 + text width, bottom 24
    QCOMPARE(box.Pen, colour);
    QCOMPARE(box.PenStyle, TPenStyle::Solid);
    QCOMPARE(box.Fill, QColor(Qt::white));
    QCOMPARE(layout.Height, 26);

    QCOMPARE(layout.Texts.size(), std::size_t{1});
    const TDiagramText& text = layout.Texts[0];
    QCOMPARE(text.Text, QStringLiteral("the street is wet"));
    QCOMPARE(text.Position, QPoint(23, 2 + (22 - (th_ + 3)) / 2));
    QCOMPARE(text.Colour, colour);
    QCOMPARE(text.Bold, bold);
    QCOMPARE(text.Italic, !bold);

    QCOMPARE(layout.Icons.size(), std::size_t{1});
    QCOMPARE(layout.Icons[0].Index, icon);
    QCOMPARE(layout.Icons[0].Position, QPoint(5, 5));
  }

  void enclosingParenthesesAreDropped_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("shown");
    QTest::newRow("warrant") << "(IF a, THEN b)"
                             << "IF a, THEN b";
    QTest::newRow("only the outer pair") << "(a) and (b)"
                                         << "a) and (b";
    QTest::newRow("opening only") << "(a"
                                  << "(a";
    QTest::newRow("closing only") << "a)"
                                  << "a)";
    QTest::newRow("single parenthesis") << "("
                                        << "(";
  }
  void enclosingParenthesesAreDropped() {
    QFETCH(QString, sentence);
    QFETCH(QString, shown);
    StageBuilder b;
    b.State(sentence.toStdString(), kAssumption);
    const TDiagramLayout layout = Dialectical(b);
    QCOMPARE(layout.Texts.size(), std::size_t{1});
    QCOMPARE(layout.Texts[0].Text, shown);
  }

  void unconnectedStatementsFollowEachOther() {
    StageBuilder b;
    b.State("p", kAssumption);
    b.State("q", kIssue);
    const TDiagramLayout layout = Dialectical(b);
    QCOMPARE(layout.Boxes.size(), std::size_t{2});
    QCOMPARE(layout.Boxes[0].Rect.top(), 2);
    QCOMPARE(layout.Boxes[1].Rect.top(), d_ + 2);
    QCOMPARE(layout.Boxes[1].Rect.bottom(), d_ + 23);
    QCOMPARE(layout.Height, d_ + 26);
  }

  void conclusionWithTwoSteps() {
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue);
    b.Connect("b", kAssumption, "c", kIssue);
    const TDiagramLayout layout = Dialectical(b);

    QCOMPARE(layout.Boxes.size(), std::size_t{3});  // only c's argument is maximal
    const TDiagramBox& c = layout.Boxes[0];
    QCOMPARE(c.Rect.topLeft(), QPoint(2, 2));
    QCOMPARE(c.Rect.width(), std::max(test::TextWidth("c", true, false) + 28, 33));
    QCOMPARE(c.Pen, kBlue);
    // The first reason is indented furthest.
    QCOMPARE(layout.Boxes[1].Rect.topLeft(), QPoint(2 * 18 + 2, d_ + 2));
    QCOMPARE(test::FindText(layout, "a")->Position.x(), 2 * 18 + 23);
    QCOMPARE(layout.Boxes[2].Rect.topLeft(), QPoint(1 * 18 + 2, 2 * d_ + 2));
    QCOMPARE(test::FindText(layout, "b")->Position.x(), 1 * 18 + 23);
    QCOMPARE(layout.Height, 2 * d_ + 26);

    // First step: from the left edge of a's box, 10 pixels left, up to c's bottom edge.
    ExpectLine(layout, {37, d_ + 12}, {27, d_ + 12}, kBlue, TPenStyle::Solid);
    ExpectLine(layout, {27, d_ + 12}, {27, 24}, kBlue, TPenStyle::Solid);
    ExpectLine(layout, {27, 24}, {22, 29}, kBlue, TPenStyle::Solid);
    ExpectLine(layout, {27, 24}, {32, 29}, kBlue, TPenStyle::Solid);
    // Second step: its vertical line at x = 9 passes left of the first reason's box.
    ExpectLine(layout, {19, 2 * d_ + 12}, {9, 2 * d_ + 12}, kBlue, TPenStyle::Solid);
    ExpectLine(layout, {9, 2 * d_ + 12}, {9, 24}, kBlue, TPenStyle::Solid);
    ExpectLine(layout, {9, 24}, {4, 29}, kBlue, TPenStyle::Solid);
    ExpectLine(layout, {9, 24}, {14, 29}, kBlue, TPenStyle::Solid);
    QVERIFY(9 < layout.Boxes[1].Rect.left());
    QCOMPARE(layout.Lines.size(), std::size_t{8});
  }

  void conclusionReachesOverItsStepLines() {
    StageBuilder b;
    for (const char* reason : {"a", "b", "d"}) b.Connect(reason, kAssumption, "c", kIssue);
    const TDiagramLayout layout = Dialectical(b, 500, true);
    // Structure only: text width plus 10 would be narrower than three columns.
    QCOMPARE(layout.Boxes[0].Rect.width(), 3 * 18 - 3);
    QVERIFY(layout.Boxes[0].Rect.right() > 3 * 18 - 9);
  }

  void stepLinesFollowTheReasonsSubtree() {
    // c <- a <- z, c <- b: b's connector starts below a's whole subtree.
    StageBuilder b;
    b.Connect("a", kIssue, "c", kIssue);
    b.Connect("b", kAssumption, "c", kIssue);
    b.Connect("z", kAssumption, "a", kIssue);
    const TDiagramLayout layout = Dialectical(b);
    QCOMPARE(layout.Boxes.size(), std::size_t{4});
    QVERIFY(test::FindText(layout, "z"));
    QCOMPARE(test::FindText(layout, "z")->Position.x(), 3 * 18 + 23);  // below a, one column further
    ExpectLine(layout, {19, 3 * d_ + 12}, {9, 3 * d_ + 12}, kBlue, TPenStyle::Solid);
    ExpectLine(layout, {9, 3 * d_ + 12}, {9, 24}, kBlue, TPenStyle::Solid);
    // a's own step points at a's bottom edge, row 1.
    ExpectLine(layout, {55, 2 * d_ + 12}, {45, 2 * d_ + 12}, kBlue, TPenStyle::Solid);
    ExpectLine(layout, {45, 2 * d_ + 12}, {45, d_ + 24}, kBlue, TPenStyle::Solid);
  }

  void defeatingStepEndsInACross() {
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue, kDefeating);
    const TDiagramLayout layout = Dialectical(b);
    ExpectLine(layout, {6, 21}, {13, 28}, kBlue, TPenStyle::Solid);
    ExpectLine(layout, {6, 27}, {13, 20}, kBlue, TPenStyle::Solid);
    QVERIFY(!test::FindLine(layout, {9, 24}, {4, 29}));
    QVERIFY(!test::FindLine(layout, {9, 24}, {14, 29}));
    QCOMPARE(layout.Boxes[0].Pen, kBlue);  // a defeating step counts like a supporting one
  }

  void exceptionCutsTheStep_data() {
    QTest::addColumn<TStatementType>("exceptionType");
    QTest::addColumn<QColor>("cross");
    QTest::addColumn<QColor>("step");
    QTest::addColumn<QColor>("conclusion");
    QTest::newRow("justified exception blocks: red cross, teal step") << kAssumption << kRed << kTeal << kTeal;
    QTest::newRow("unjustified exception: teal cross, blue step") << kIssue << kTeal << kBlue << kBlue;
  }
  void exceptionCutsTheStep() {
    QFETCH(TStatementType, exceptionType);
    QFETCH(QColor, cross);
    QFETCH(QColor, step);
    QFETCH(QColor, conclusion);
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue);
    b.Except("e", exceptionType, "a", kAssumption, "c", kIssue);
    const TDiagramLayout layout = Dialectical(b);

    QCOMPARE(layout.Boxes.size(), std::size_t{3});
    QCOMPARE(layout.Boxes[0].Pen, conclusion);
    // The exception stands between conclusion and reason, in the reason's column.
    QCOMPARE(test::FindText(layout, "e")->Position.x(), 18 + 23);
    QVERIFY(test::BoxAt(layout, {30, d_ + 12}));
    QVERIFY(test::BoxAt(layout, {30, 2 * d_ + 12}));
    QCOMPARE(test::FindText(layout, "a")->Position.y(), test::FindText(layout, "e")->Position.y() + d_);

    const int y = d_ + 12;
    ExpectLine(layout, {19, y}, {9, y}, cross, TPenStyle::Solid);
    ExpectLine(layout, {6, y - 3}, {13, y + 4}, cross, TPenStyle::Solid);
    ExpectLine(layout, {6, y + 3}, {13, y - 4}, cross, TPenStyle::Solid);
    // The cross's centre lies on the step's vertical line.
    ExpectLine(layout, {19, 2 * d_ + 12}, {9, 2 * d_ + 12}, step, TPenStyle::Solid);
    ExpectLine(layout, {9, 2 * d_ + 12}, {9, 24}, step, TPenStyle::Solid);
    QVERIFY(24 < y && y < 2 * d_ + 12);
  }

  void warrantDecidesTheStep_data() {
    QTest::addColumn<TStatementType>("warrantType");
    QTest::addColumn<QColor>("step");
    QTest::addColumn<TPenStyle>("style");
    QTest::addColumn<QColor>("conclusion");
    QTest::newRow("unjustified warrant: grey and dotted") << kIssue << kGrey << TPenStyle::Dotted << kTeal;
    QTest::newRow("warrant taken for granted: blue and solid") << kAssumption << kBlue << TPenStyle::Solid << kBlue;
  }
  void warrantDecidesTheStep() {
    QFETCH(TStatementType, warrantType);
    QFETCH(QColor, step);
    QFETCH(TPenStyle, style);
    QFETCH(QColor, conclusion);
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue);
    b.State("(IF a, THEN c)", warrantType);
    const TDiagramLayout layout = Dialectical(b);

    QCOMPARE(layout.Boxes.size(), std::size_t{3});
    QCOMPARE(layout.Boxes[0].Pen, conclusion);
    const TDiagramText* warrant = test::FindText(layout, "IF a, THEN c");
    QVERIFY(warrant);
    QCOMPARE(warrant->Position.x(), 18 + 23);
    QVERIFY(warrant->Position.y() < test::FindText(layout, "a")->Position.y());

    const int yr = 2 * d_ + 12;
    ExpectLine(layout, {19, yr}, {9, yr}, step, style);
    ExpectLine(layout, {9, yr}, {9, 24}, step, style);
    ExpectLine(layout, {9, 24}, {4, 29}, step, style);  // a blocked step's arrow is dotted too
    ExpectLine(layout, {9, 24}, {14, 29}, step, style);
    // The reason's box after a dotted step is solid again.
    QCOMPARE(test::BoxAt(layout, {30, 2 * d_ + 12})->PenStyle, TPenStyle::Solid);
  }

  void undercutterWarrantThatFailsIsGreyDotted() {
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue);
    b.Except("e", kAssumption, "a", kAssumption, "c", kIssue);
    b.State("(THAT e, IS AN EXCEPTION TO THE RULE THAT, IF a, THEN c)", kIssue);
    const TDiagramLayout layout = Dialectical(b);
    // Warrant box first, then the exception, then the reason.
    QCOMPARE(layout.Boxes.size(), std::size_t{4});
    const int y = 2 * d_ + 12;
    ExpectLine(layout, {19, y}, {9, y}, kGrey, TPenStyle::Dotted);
    ExpectLine(layout, {6, y - 3}, {13, y + 4}, kGrey, TPenStyle::Solid);    // the cross is solid
    ExpectLine(layout, {9, 3 * d_ + 12}, {9, 24}, kBlue, TPenStyle::Solid);  // the step is not blocked
    QCOMPARE(layout.Boxes[0].Pen, kBlue);
  }

  void structureOnly() {
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue);
    b.State("(IF a, THEN c)", kIssue);
    const TDiagramLayout layout = Dialectical(b, 500, true);
    QVERIFY(layout.Icons.empty());
    for (const TDiagramBox& box : layout.Boxes) {
      QCOMPARE(box.Pen, kBlack);
      QCOMPARE(box.PenStyle, TPenStyle::Solid);
    }
    for (const TDiagramLine& line : layout.Lines) {
      QCOMPARE(line.Pen, kBlack);
      QCOMPARE(line.PenStyle, TPenStyle::Solid);
    }
    for (const TDiagramText& text : layout.Texts) {
      QCOMPARE(text.Colour, kBlack);
      QVERIFY(!text.Bold && !text.Italic);
    }
    const TDiagramText* a = test::FindText(layout, "a");
    QCOMPARE(a->Position.x(), 18 + 6);  // 17 pixels further left
    QCOMPARE(test::BoxAt(layout, a->Position)->Rect.width(), test::TextWidth("a", false, false) + 10);
  }

  void structureOnlyWrapsWider() {
    const QString sentence = QStringLiteral("alpha beta gamma delta");
    const int regular = test::TextWidth(sentence, false, false);
    const int width = regular + 30 - 5;  // just too narrow for one line, but not with 18 more
    StageBuilder b;
    b.State(sentence.toStdString(), kAssumption);
    const TDiagramLayout coloured = Dialectical(b, width, false);
    const TDiagramLayout plain = Dialectical(b, width, true);
    QVERIFY(coloured.Texts.size() >= 2);
    QCOMPARE(plain.Texts.size(), std::size_t{1});
    QCOMPARE(plain.Boxes[0].Rect.width(), regular + 10);
  }

  void narrowerRewraps_data() {
    QTest::addColumn<int>("width");
    QTest::newRow("wide") << 2000;
    QTest::newRow("medium") << 260;
    QTest::newRow("narrow") << 140;
    QTest::newRow("very narrow") << 70;
  }
  void narrowerRewraps() {
    QFETCH(int, width);
    const QString sentence = QStringLiteral("the buyer may return the goods within fourteen days of delivery");
    StageBuilder b;
    b.State(sentence.toStdString(), kIssue);
    b.State("next", kIssue);
    const TDiagramLayout layout = LayoutStatementsDiagram(b.Current(), width, font_, false);

    // Never narrower than a dozen average characters: a narrower box widens the diagram.
    QFont italic = layout.Font;
    italic.setItalic(true);
    const int w = std::max(width - 30, kMinimumWrapCharacters * QFontMetrics(italic).averageCharWidth());
    QCOMPARE(layout.Width, w == width - 30 ? width : w + 32);
    std::vector<const TDiagramText*> lines;
    for (const TDiagramText& t : layout.Texts)
      if (t.Text != QStringLiteral("next")) lines.push_back(&t);
    const int count = static_cast<int>(lines.size());
    QStringList joined;
    for (const TDiagramText* t : lines) {
      joined.append(t->Text);
      if (t->Text.contains(QLatin1Char(' '))) QVERIFY(test::TextWidth(t->Text, false, true) <= w);
    }
    // Every character kept, in order; words wider than the box are split.
    QCOMPARE(joined.join(QString()).remove(QLatin1Char(' ')), QString(sentence).remove(QLatin1Char(' ')));
    if (width >= 140) QCOMPARE(joined.join(QLatin1Char(' ')), sentence);

    const int rows = ((th_ + 3) * count + 5) / d_ + 1;
    const TDiagramBox& box = layout.Boxes[0];
    QCOMPARE(box.Rect.top(), 2);
    QCOMPARE(box.Rect.bottom(), (rows - 1) * d_ + 23);
    if (count > 1) QCOMPARE(box.Rect.right(), w + 29);  // at the paint box's right edge when it fits
    const int slack = (rows - 1) * d_ + 22 - (th_ + 3) * count;
    for (int k = 0; k < count; ++k) QCOMPARE(lines[k]->Position, QPoint(23, 2 + slack / 2 + (th_ + 3) * k));
    QCOMPARE(test::FindText(layout, "next")->Position.y(), rows * d_ + 2 + (22 - th_ - 3) / 2);
    QCOMPARE(layout.Icons[0].Position.y(), 2 + ((rows - 1) * d_ + 22) / 2 - 8);
    if (width == 2000) QCOMPARE(count, 1);
    if (width <= 140) QVERIFY(count >= 3);
  }

  void statementsDiagram() {
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue);
    b.State("(IF a, THEN c)", kIssue);  // blocks the step: c unjustified
    b.State("lonely", kIssue);
    const TDiagramLayout layout = LayoutStatementsDiagram(b.Current(), 400, font_, false);
    QCOMPARE(layout.Boxes.size(), std::size_t{4});
    QVERIFY(layout.Lines.empty());
    const QStringList order{"c", "a", "IF a, THEN c", "lonely"};
    const QList<QColor> colours{kTeal, kBlue, kTeal, kTeal};
    const QList<int> icons{1, 0, 1, 1};
    for (int i = 0; i < 4; ++i) {
      QCOMPARE(layout.Texts[i].Text, order[i]);
      QCOMPARE(layout.Boxes[i].Rect.top(), i * d_ + 2);
      QCOMPARE(layout.Boxes[i].Rect.height(), 22);
      QCOMPARE(layout.Boxes[i].Pen, colours[i]);
      QCOMPARE(layout.Texts[i].Bold, colours[i] == kBlue);
      QCOMPARE(layout.Icons[i].Index, icons[i]);
    }
  }

  void statementsDiagramKeepsATallerHeight() {
    StageBuilder b;
    b.State("one", kAssumption);
    QCOMPARE(LayoutStatementsDiagram(b.Current(), 400, font_, false, 1000).Height, 1000);
    QCOMPARE(LayoutStatementsDiagram(b.Current(), 400, font_, false, 3).Height, 26);
    StageBuilder empty;
    QCOMPARE(LayoutStatementsDiagram(empty.Current(), 400, font_, false, 0).Height, 0);
  }

  void deepChainLaysOutWithoutRecursion() {
    // A hand-made chain of 100,000 steps: s0 <- s1 <- ... <- s100000.
    constexpr int kDepth = 100000;
    TArgumentationStage stage;
    TDialecticalStore& store = stage.DialecticalStore();
    TDialecticalArgument* root = store.NewDialecticalArgument(stage.Store().NewStatement("s0", kIssue));
    TDialecticalArgument* d = root;
    for (int i = 1; i <= kDepth; ++i) {
      TStatement* reason = stage.Store().NewStatement("s" + std::to_string(i), i == kDepth ? kAssumption : kIssue);
      TStep* step = store.NewStep();
      step->Conclusion = d->Conclusion;
      step->Reason = reason;
      TDialecticalArgument* r = store.NewDialecticalArgument(reason);
      d->Status = kJustified;
      d->Steps.Add(step);
      d->InitialDialecticalArguments.Add(r);
      d = r;
    }
    d->Status = kJustified;
    stage.MaximalDialecticalArguments.Add(root);

    const TDiagramLayout layout = LayoutDialecticalDiagram(stage, 600, font_, true);
    QCOMPARE(layout.Boxes.size(), std::size_t{kDepth + 1});
    QCOMPARE(layout.Lines.size(), std::size_t{4 * kDepth});
    QCOMPARE(layout.Boxes.back().Rect.left(), kDepth * 18 + 2);
    QVERIFY(layout.Height >= kDepth * d_);
  }

  void sharedArgumentsDoNotExplode() {
    // s0 <- a0, s0 <- b0, a0 <- s1, b0 <- s1, ...: each level shares the one below, so
    // 40 levels stand for 2^40 boxes. The diagram stops and says so.
    TArgumentationStage stage;
    TDialecticalStore& store = stage.DialecticalStore();
    const auto argument = [&](const std::string& sentence) {
      TDialecticalArgument* d = store.NewDialecticalArgument(stage.Store().NewStatement(sentence, kAssumption));
      d->Status = kJustified;
      return d;
    };
    const auto connect = [&](TDialecticalArgument* conclusion, TDialecticalArgument* reason) {
      TStep* step = store.NewStep();
      step->Conclusion = conclusion->Conclusion;
      step->Reason = reason->Conclusion;
      conclusion->Steps.Add(step);
      conclusion->InitialDialecticalArguments.Add(reason);
    };
    TDialecticalArgument* top = argument("s0");
    TDialecticalArgument* level = top;
    for (int i = 0; i < 40; ++i) {
      TDialecticalArgument* a = argument("a" + std::to_string(i));
      TDialecticalArgument* b = argument("b" + std::to_string(i));
      TDialecticalArgument* next = argument("s" + std::to_string(i + 1));
      connect(level, a);
      connect(level, b);
      connect(a, next);
      connect(b, next);
      level = next;
    }
    stage.MaximalDialecticalArguments.Add(top);
    stage.MaximalDialecticalArguments.Add(argument("after"));

    const TDiagramLayout layout = LayoutDialecticalDiagram(stage, 600, font_, false);
    QVERIFY(layout.Truncated);
    QCOMPARE(layout.Boxes.size(), kMaximumDiagramBoxes);
    QCOMPARE(layout.Texts.back().Text, TruncatedDiagramNote());
    QVERIFY(layout.Texts.back().Position.y() > layout.Boxes.back().Rect.bottom());
    QVERIFY(layout.Height > layout.Texts.back().Position.y() + th_);
    QVERIFY(!test::FindText(layout, "after"));

    StageBuilder small;
    small.State("one", kAssumption);
    QVERIFY(!LayoutDialecticalDiagram(small.Current(), 600, font_, false).Truncated);
  }
};

QTEST_MAIN(DiagramLayoutTest)
#include "diagram_layout_test.moc"
