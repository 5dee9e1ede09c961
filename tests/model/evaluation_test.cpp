#include <gtest/gtest.h>

#include "model/warrant_sentences.h"
#include "stage_builder.h"

namespace korvane {
namespace {

using test::StageBuilder;

TEST(Evaluation, UnsupportedAssumptionIsJustifiedAndIssueIsNot) {
  StageBuilder b;
  b.State("a", kAssumption);
  b.State("i", kIssue);
  EXPECT_EQ(b.StatusOf("a"), kJustified);
  EXPECT_EQ(b.StatusOf("i"), kUnjustified);
  EXPECT_EQ(b.Dialectical("a")->Status, kJustified);
  EXPECT_EQ(b.Dialectical("i")->Status, kUnjustified);
}

TEST(Evaluation, ExceptionBlocksOnlyWhenJustified) {
  StageBuilder b;
  b.Connect("a", kAssumption, "b", kIssue);
  EXPECT_EQ(b.StatusOf("b"), kJustified);

  StageBuilder blocked;
  blocked.Connect("a", kAssumption, "b", kIssue);
  blocked.Except("e", kAssumption, "a", kAssumption, "b", kIssue);
  EXPECT_EQ(blocked.StatusOf("b"), kUnjustified);

  StageBuilder unsupported;
  unsupported.Connect("a", kAssumption, "b", kIssue);
  unsupported.Except("e", kIssue, "a", kAssumption, "b", kIssue);
  EXPECT_EQ(unsupported.StatusOf("b"), kJustified);
}

TEST(Evaluation, StepWarrantStatedAsIssueOrAssumption) {
  const std::string warrant = StepWarrantSentence("a", "b", kSupporting);
  StageBuilder asIssue;
  asIssue.Connect("a", kAssumption, "b", kIssue);
  asIssue.State(warrant, kIssue);
  EXPECT_EQ(asIssue.StatusOf("b"), kUnjustified);
  const TStep* step = asIssue.Dialectical("b")->Steps[0];
  ASSERT_NE(step->WarrantingDialecticalArgument, nullptr);
  EXPECT_EQ(step->WarrantingDialecticalArgument->Conclusion, asIssue.Find(warrant));
  EXPECT_EQ(step->WarrantStatus, kWarrantFails);

  StageBuilder asAssumption;
  asAssumption.Connect("a", kAssumption, "b", kIssue);
  asAssumption.State(warrant, kAssumption);
  EXPECT_EQ(asAssumption.StatusOf("b"), kJustified);
  EXPECT_EQ(asAssumption.Dialectical("b")->Steps[0]->WarrantStatus, kWarrantHolds);
}

TEST(Evaluation, UndercutterWithAnUnjustifiedWarrantDoesNotBlock) {
  StageBuilder b;
  b.Except("e", kAssumption, "a", kAssumption, "b", kIssue);
  EXPECT_EQ(b.StatusOf("b"), kUnjustified);
  b.State(UndercutterWarrantSentence("e", "a", "b"), kIssue);
  EXPECT_EQ(b.StatusOf("b"), kJustified);
  const TUndercutter* u = b.Dialectical("b")->Steps[0]->Undercutters[0];
  EXPECT_NE(u->WarrantingDialecticalArgument, nullptr);
  EXPECT_EQ(u->WarrantStatus, kWarrantFails);
}

TEST(Evaluation, ChainsCyclesAndDefeatingSteps) {
  StageBuilder chain;
  chain.Connect("c", kAssumption, "a", kIssue);
  chain.Connect("a", kIssue, "b", kIssue);
  EXPECT_EQ(chain.StatusOf("a"), kJustified);
  EXPECT_EQ(chain.StatusOf("b"), kJustified);

  StageBuilder cycle;
  cycle.Connect("a", kIssue, "b", kIssue);
  cycle.Connect("b", kIssue, "a", kIssue);
  EXPECT_EQ(cycle.StatusOf("a"), kUnjustified);
  EXPECT_EQ(cycle.StatusOf("b"), kUnjustified);

  StageBuilder defeating;
  defeating.Connect("r", kAssumption, "c", kIssue, kDefeating);
  EXPECT_EQ(defeating.StatusOf("c"), kJustified);
  EXPECT_EQ(defeating.Dialectical("c")->Steps[0]->ConnectionKind, kDefeating);
}

TEST(Evaluation, AJustifiedStepCountsWhateverComesAfterIt) {
  StageBuilder b;
  b.Connect("good", kAssumption, "c", kIssue);
  b.Connect("bad", kIssue, "c", kIssue);
  EXPECT_EQ(b.StatusOf("c"), kJustified);
  // Every nested argument was evaluated, also the one after the counting step.
  EXPECT_EQ(b.Dialectical("c")->InitialDialecticalArguments[1]->Status, kUnjustified);
}

TEST(Evaluation, TreesFollowTheConnectionsWithoutReusingOne) {
  StageBuilder b;
  b.Connect("a", kIssue, "b", kIssue);
  b.Connect("b", kIssue, "a", kIssue);
  const TDialecticalArgument* a = b.Dialectical("a");
  ASSERT_EQ(a->Steps.Count(), 1);
  const TDialecticalArgument* viaB = a->InitialDialecticalArguments[0];
  EXPECT_EQ(viaB->Conclusion, b.Find("b"));
  ASSERT_EQ(viaB->Steps.Count(), 1);
  const TDialecticalArgument* backToA = viaB->InitialDialecticalArguments[0];
  EXPECT_EQ(backToA->Conclusion, b.Find("a"));
  EXPECT_EQ(backToA->Steps.Count(), 0);  // both connections used on this path
  EXPECT_NE(backToA, a);                 // another value: its connections are used up
}

TEST(Maximal, OnlyTheConclusionOfASingleConnection) {
  StageBuilder b;
  b.Connect("a", kAssumption, "b", kIssue);  // statements in the order b, a
  const TArgumentationStage& stage = b.Current();
  ASSERT_EQ(stage.MaximalDialecticalArguments.Count(), 1);
  EXPECT_EQ(stage.MaximalDialecticalArguments[0], b.Dialectical("b"));
}

TEST(Maximal, UnconnectedStatementsAreAllMaximalInOrder) {
  StageBuilder b;
  b.State("x", kIssue);
  b.State("y", kAssumption);
  const TArgumentationStage& stage = b.Current();
  ASSERT_EQ(stage.MaximalDialecticalArguments.Count(), 2);
  EXPECT_EQ(stage.MaximalDialecticalArguments[0], stage.DialecticalArguments[0]);
  EXPECT_EQ(stage.MaximalDialecticalArguments[1], stage.DialecticalArguments[1]);
}

TEST(Maximal, WarrantsAndExceptionsAreContainedInTheStepTheyBelongTo) {
  StageBuilder b;
  b.Except("e", kAssumption, "a", kAssumption, "b", kIssue);
  b.State(StepWarrantSentence("a", "b", kSupporting), kAssumption);
  const TArgumentationStage& stage = b.Current();
  ASSERT_EQ(stage.MaximalDialecticalArguments.Count(), 1);
  EXPECT_EQ(stage.MaximalDialecticalArguments[0]->Conclusion, b.Find("b"));
}

TEST(Maximal, ArgumentsContainingEachOtherAreBothKept) {
  // In a two-cycle neither tree is contained in the other, so both stay.
  StageBuilder b;
  b.Connect("a", kIssue, "b", kIssue);
  b.Connect("b", kIssue, "a", kIssue);
  EXPECT_EQ(b.Current().MaximalDialecticalArguments.Count(), 2);
}

TEST(Containment, FinalityAndProperContainment) {
  StageBuilder b;
  b.Connect("a", kAssumption, "b", kIssue);
  b.Connect("b", kIssue, "c", kIssue);
  const TDialecticalArgument* a = b.Dialectical("a");
  const TDialecticalArgument* bd = b.Dialectical("b");
  const TDialecticalArgument* c = b.Dialectical("c");
  EXPECT_TRUE(TArgumentationStage::IsFinal(bd, bd));
  EXPECT_TRUE(TArgumentationStage::IsContainedIn(a, c));
  EXPECT_TRUE(TArgumentationStage::IsContainedIn(bd, c));
  EXPECT_TRUE(TArgumentationStage::IsProperlyContainedIn(bd, c));
  EXPECT_FALSE(TArgumentationStage::IsContainedIn(c, bd));
  EXPECT_FALSE(TArgumentationStage::IsProperlyContainedIn(c, c));
  // a's argument nested inside c is final for a's own argument.
  const TDialecticalArgument* nestedA = c->InitialDialecticalArguments[0]->InitialDialecticalArguments[0];
  EXPECT_EQ(nestedA->Conclusion, a->Conclusion);
  EXPECT_TRUE(TArgumentationStage::IsFinal(a, nestedA));
  EXPECT_FALSE(TArgumentationStage::IsFinal(bd, a));
}

TEST(Evaluation, StatusOfStatementsFollowsTheLastEvaluatedStage) {
  StageBuilder b;
  TArgumentationStage& early = b.Connect("a", kAssumption, "b", kIssue);
  const TDialecticalArgument* earlyB = early.DialecticalArguments[0];
  b.Except("e", kAssumption, "a", kAssumption, "b", kIssue);
  EXPECT_EQ(b.StatusOf("b"), kUnjustified);
  // The earlier stage keeps its own evaluation, although its connection gained the exception.
  EXPECT_EQ(earlyB->Status, kJustified);
  EXPECT_EQ(earlyB->Steps[0]->Undercutters.Count(), 0);
}

}  // namespace
}  // namespace korvane
