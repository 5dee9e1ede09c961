// The logic behind the find box, the zoom and the wrapping of deep boxes, without widgets.
#include <gtest/gtest.h>

#include "model/stage_builder.h"
#include "views/box_wrap.h"
#include "views/diagram_zoom.h"
#include "views/statement_finder.h"

namespace korvane {
namespace {

using test::StageBuilder;

std::vector<std::string> Matches(TStatementFinder finder) {
  std::vector<std::string> out;
  for (int i = 0; i < finder.Count(); ++i) {
    out.push_back(*finder.CurrentSentence());
    finder.Next();
  }
  return out;
}

TEST(StatementFinder, MatchesAfterCaseFoldingAndKeepsAccents) {
  StageBuilder b;
  b.State("The Goods are DEFECTIVE", kIssue);
  b.State("the buyer knew", kAssumption);
  b.State("Straße und Café", kIssue);
  b.State("cafe without accent", kIssue);
  b.State("caf\xe9 in Windows-1252", kIssue);  // not UTF-8: shown as the window shows it
  TStatementFinder finder;
  finder.Search(b.Current().Statements, QStringLiteral("defective"));
  EXPECT_EQ(Matches(finder), std::vector<std::string>{"The Goods are DEFECTIVE"});
  finder.Search(b.Current().Statements, QStringLiteral("THE"));
  EXPECT_EQ(Matches(finder), (std::vector<std::string>{"The Goods are DEFECTIVE", "the buyer knew"}));
  finder.Search(b.Current().Statements, QStringLiteral("CAFÉ"));
  EXPECT_EQ(Matches(finder), (std::vector<std::string>{"Straße und Café", "caf\xe9 in Windows-1252"}));
  // The capital sharp s folds to the small one; accents are not stripped.
  finder.Search(b.Current().Statements, QStringLiteral("STRA\u1E9EE"));
  EXPECT_EQ(finder.Count(), 1);
  finder.Search(b.Current().Statements, QStringLiteral("cafe"));
  EXPECT_EQ(Matches(finder), std::vector<std::string>{"cafe without accent"});
  finder.Search(b.Current().Statements, QString());
  EXPECT_EQ(finder.Count(), 0);
  EXPECT_EQ(finder.Position(), QStringLiteral("0 of 0"));
}

TEST(StatementFinder, StepsRoundAndKeepsItsPlaceWhenSearchedAgain) {
  StageBuilder b;
  for (const char* s : {"a 1", "b", "a 2", "a 3"}) b.State(s, kIssue);
  TStatementFinder finder;
  finder.Search(b.Current().Statements, QStringLiteral("a"));
  EXPECT_EQ(finder.Position(), QStringLiteral("1 of 3"));
  finder.Previous();
  EXPECT_EQ(*finder.CurrentSentence(), "a 3");
  finder.Next();
  finder.Next();
  EXPECT_EQ(finder.Position(), QStringLiteral("2 of 3"));
  // A later stage with one more match before it: still on "a 2".
  b.State("a 0", kIssue);
  finder.Search(b.Current().Statements, QStringLiteral("a"));
  EXPECT_EQ(*finder.CurrentSentence(), "a 2");
  EXPECT_EQ(finder.Position(), QStringLiteral("2 of 4"));
  // Narrowed so that it no longer matches: the first match.
  finder.Search(b.Current().Statements, QStringLiteral("a 3"));
  EXPECT_EQ(finder.Position(), QStringLiteral("1 of 1"));
  finder.Search(b.Current().Statements, QStringLiteral("zzz"));
  EXPECT_EQ(finder.CurrentSentence(), nullptr);
  finder.Next();
  EXPECT_EQ(finder.Current(), -1);
}

TEST(StatementFinder, FindsTheSentenceLineOfAMoveText) {
  const std::vector<std::string> lines = {"STATEMENT", "  ?: goods",     "", "CONCLUSION", "  !: the goods",
                                          "REASON",    "  ?: goods are", ""};
  EXPECT_EQ(SentenceLineIndex(lines, "goods"), 1);
  EXPECT_EQ(SentenceLineIndex(lines, "the goods"), 4);
  EXPECT_EQ(SentenceLineIndex(lines, "goods are"), 6);
  EXPECT_EQ(SentenceLineIndex(lines, "TEMENT"), -1);  // a keyword is no sentence line
  EXPECT_EQ(SentenceLineIndex(lines, "good"), -1);
}

TEST(DiagramZoom, StepsStayWithinTheirRange) {
  EXPECT_EQ(ZoomedIn(100), 110);
  EXPECT_EQ(ZoomedOut(100), 90);
  EXPECT_EQ(ZoomedIn(400), 400);
  EXPECT_EQ(ZoomedOut(25), 25);
  EXPECT_EQ(ZoomedIn(105), 110);  // between steps
  EXPECT_EQ(ZoomedOut(105), 100);
  int percent = 25;
  int steps = 0;
  while (percent != 400) {
    percent = ZoomedIn(percent);
    ++steps;
  }
  EXPECT_EQ(steps, static_cast<int>(kZoomSteps.size()) - 1);
}

TEST(DiagramZoom, MapsPixelsBothWays) {
  const TDiagramZoom same(100);
  EXPECT_EQ(same.ToWidget(QRect(3, 4, 50, 22)), QRect(3, 4, 50, 22));
  EXPECT_EQ(same.ToLayout(QPoint(7, 9)), QPoint(7, 9));
  const TDiagramZoom twice(200);
  EXPECT_EQ(twice.ToWidget(QRect(2, 2, 10, 22)), QRect(4, 4, 20, 44));
  EXPECT_EQ(twice.ToLayout(QPoint(5, 4)), QPoint(2, 2));
  EXPECT_EQ(twice.ToLayout(600), 300);
  const TDiagramZoom third(33);
  // The pixels a box is shown on map back into the box, and the pixels around it do not.
  for (const int percent : kZoomSteps) {
    const TDiagramZoom zoom(percent);
    for (const QRect& box : {QRect(20, 30, 41, 23), QRect(2, 2, 200, 22), QRect(379, 1001, 33, 50)}) {
      const QRect shown = zoom.ToWidget(box);
      const QRect around = shown.adjusted(-1, -1, 1, 1);
      for (int x = around.left(); x <= around.right(); ++x) {
        for (const int y : {around.top(), shown.top(), shown.center().y(), shown.bottom(), around.bottom()}) {
          EXPECT_EQ(box.contains(zoom.ToLayout(QPoint(x, y))), shown.contains(QPoint(x, y)))
              << percent << "% " << x << "," << y;
        }
      }
      // What a repaint of the pixels asks for holds every layout pixel under them.
      EXPECT_TRUE(
          zoom.ToLayout(shown).contains(QRect(zoom.ToLayout(shown.topLeft()), zoom.ToLayout(shown.bottomRight()))));
    }
  }
  EXPECT_EQ(third.ToWidget(303), 100);
  EXPECT_EQ(third.ToLayout(100), 303);
  EXPECT_EQ(TDiagramZoom(400).ToLayout(QPoint(-1, -5)), QPoint(-1, -2));
}

TEST(BoxWrap, DeepBoxesWrapReadably) {
  const int ch = 7;
  // Room for a dozen characters or more: as always.
  EXPECT_EQ(BoxWrapWidth(500, 563, ch), 500);
  EXPECT_EQ(BoxWrapWidth(12 * ch, 563, ch), 12 * ch);
  // Less: 40 characters, or the top level's width when that is narrower, never under 12.
  EXPECT_EQ(BoxWrapWidth(12 * ch - 1, 563, ch), 40 * ch);
  EXPECT_EQ(BoxWrapWidth(-300, 563, ch), 40 * ch);
  EXPECT_EQ(BoxWrapWidth(50, 200, ch), 200);
  EXPECT_EQ(BoxWrapWidth(10, 40, ch), 12 * ch);
}

TEST(BoxWrap, DeepBoxesKeepTheirTextOffTheEdges) {
  // Line height 13, rows of 28: three lines are 48 high in a box of 50.
  EXPECT_EQ(BoxRows(3, 13, 28, false), 2);
  EXPECT_EQ(BoxRows(3, 13, 28, true), 3);
  for (int count = 1; count < 60; ++count) {
    const int rows = BoxRows(count, 13, 28, true);
    EXPECT_GE(rows, BoxRows(count, 13, 28, false));
    EXPECT_GE((rows - 1) * 28 + 22 - 16 * count, 2 * kDeepBoxTextMargin) << count;
    if (rows > BoxRows(count, 13, 28, false)) {  // no row more than needed
      EXPECT_LT((rows - 2) * 28 + 22 - 16 * count, 2 * kDeepBoxTextMargin) << count;
    }
  }
}

}  // namespace
}  // namespace korvane
