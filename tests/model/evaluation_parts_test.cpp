// The stage index and the dependency graph on their own: when the index may extend what
// it took in last, what an update of the graph names for rebuilding, and the sets of
// used connections.
#include <gtest/gtest.h>

#include "model/evaluation/connection_mask.h"
#include "model/evaluation/dependency_graph.h"
#include "model/evaluation/stage_index.h"
#include "model/evaluation/work_budget.h"
#include "model/stage_builder.h"

namespace korvane::evaluation {
namespace {

TEST(StageIndex, ExtendsTheStageTakenInLastAndStartsAfreshOtherwise) {
  test::StageBuilder line;
  line.Connect("b", kAssumption, "a", kIssue);
  line.Connect("c", kAssumption, "b", kIssue);
  TStageIndex index;
  EXPECT_FALSE(index.TakeIn(line.Stage(1)));
  EXPECT_TRUE(index.TakeIn(line.Stage(2)));
  EXPECT_FALSE(index.Irregular());
  ASSERT_EQ(index.VertexCount(), 3U);
  const int a = index.VertexOfSentenceOf(line.Find("a"));
  const int b = index.VertexOfSentenceOf(line.Find("b"));
  EXPECT_EQ(index.ReasonUses(a), 0);
  EXPECT_EQ(index.ReasonUses(b), 1);
  ASSERT_EQ(index.ConcludingOf(a).size(), 1U);
  EXPECT_EQ(index.ReasonVertex(index.ConcludingOf(a)[0]), b);

  // The same objects in another order are not an extension, nor is an earlier stage.
  TArgumentationStage reversed(line.Stage(2).SharedStore());
  for (std::size_t i = line.Stage(2).Statements.Count(); i-- > 0;) reversed.Statements.Add(line.Stage(2).Statements[i]);
  reversed.ReasonConclusions.Assign(line.Stage(2).ReasonConclusions);
  EXPECT_FALSE(index.TakeIn(reversed));
  EXPECT_FALSE(index.TakeIn(line.Stage(1)));

  // A sentence stated twice makes the stage irregular, evaluated in full every time.
  TArgumentationStage twice(line.Stage(2).SharedStore());
  twice.Statements.Assign(line.Stage(2).Statements);
  twice.Statements.Add(line.NewStatement("a", kIssue));
  EXPECT_FALSE(index.TakeIn(twice));
  EXPECT_TRUE(index.Irregular());
}

TEST(DependencyGraph, AnUpdateNamesWhatReachesTheChangeAndFindsACycleThroughIt) {
  test::StageBuilder line;
  line.Connect("b", kAssumption, "a", kIssue);
  line.Connect("c", kAssumption, "b", kIssue);
  line.Connect("a", kIssue, "c", kIssue);
  TStageIndex index;
  TWorkBudget work;
  work.Reset(1000000, 0);
  TDependencyGraph graph(index, work, true);
  (void)index.TakeIn(line.Stage(1));
  graph.Build();
  EXPECT_FALSE(graph.HasCycles());

  ASSERT_TRUE(index.TakeIn(line.Stage(2)));
  graph.Update();
  const int a = index.VertexOfSentenceOf(line.Find("a"));
  const int b = index.VertexOfSentenceOf(line.Find("b"));
  const int c = index.VertexOfSentenceOf(line.Find("c"));
  // Children first: the new reason, then what it supports, up to the top.
  EXPECT_EQ(graph.Affected(), (std::vector<int>{c, b, a}));
  EXPECT_LT(graph.Level(c), graph.Level(b));
  EXPECT_LT(graph.Level(b), graph.Level(a));

  // a as a reason of c closes a cycle through the change: the update finds it, as a
  // build does.
  ASSERT_TRUE(index.TakeIn(line.Stage(3)));
  graph.Update();
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_TRUE(graph.HasCycles());
    EXPECT_TRUE(graph.IsCyclic(a));
    EXPECT_TRUE(graph.SameComponent(a, c));
    EXPECT_TRUE(graph.SameComponent(a, b));
    EXPECT_EQ(graph.Level(a), graph.Level(c));
    EXPECT_EQ(graph.MaskWords(a), 1U);
    // Nothing outside the cycle depends on it.
    EXPECT_TRUE(graph.HasClosedCycle());
    graph.Build();
  }

  // A statement above the cycle: it is entered from outside, and lies above it.
  line.Connect("c", kIssue, "top", kIssue);
  ASSERT_TRUE(index.TakeIn(line.Stage(4)));
  graph.Update();
  const int top = index.VertexOfSentenceOf(line.Find("top"));
  ASSERT_FALSE(graph.Affected().empty());
  EXPECT_EQ(graph.Affected().back(), top);
  EXPECT_FALSE(graph.IsCyclic(top));
  EXPECT_GT(graph.Level(top), graph.Level(a));
  EXPECT_FALSE(graph.HasClosedCycle());
}

TEST(ConnectionMask, BitsBeyondTheInlineWordAreKeptAndCompared) {
  const TMask none;
  EXPECT_TRUE(none.empty());
  const TMask low = WithBit(none, 3, 1);
  const TMask wide = WithBit(WithBit(none, 3, 3), 130, 3);
  EXPECT_FALSE(low.empty());
  EXPECT_TRUE(HasBit(wide, 3));
  EXPECT_TRUE(HasBit(wide, 130));
  EXPECT_FALSE(HasBit(wide, 66));
  EXPECT_FALSE(HasBit(low, 130));
  // The same bits reached in another order are the same key.
  const TMask other = WithBit(WithBit(none, 130, 3), 3, 3);
  EXPECT_EQ(wide, other);
  EXPECT_EQ(TMaskKeyHash()(TMaskKey{nullptr, 1, wide}), TMaskKeyHash()(TMaskKey{nullptr, 1, other}));
  EXPECT_FALSE(low == WithBit(none, 3, 3)) << "masks of different cycles differ in width";
}

}  // namespace
}  // namespace korvane::evaluation
