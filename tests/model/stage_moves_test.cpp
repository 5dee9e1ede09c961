#include <gtest/gtest.h>

#include "stage_builder.h"

namespace korvane {
namespace {

using test::StageBuilder;

std::vector<std::string> Sentences(const TStatements& list) {
  std::vector<std::string> out;
  for (const TStatement* s : list) out.push_back(s->Sentence);
  return out;
}

std::vector<std::string> Ids(const TStatements& list) {
  std::vector<std::string> out;
  for (const TStatement* s : list) out.push_back(s->Id);
  return out;
}

TEST(StatementMove, NewSentenceEntersAtTheEndWithTheNextIdAndAOneNodeArgument) {
  StageBuilder b;
  TArgumentationStage& before = b.State("a", kIssue);
  TStatement* s = b.NewStatement("b", kAssumption);
  auto after = before.DoStatementMove(s);
  EXPECT_EQ(Sentences(after->Statements), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(after->Statements[1], s);  // the object passed in is the stage's
  EXPECT_EQ(s->Id, "2");
  ASSERT_EQ(after->Arguments.Count(), 2);
  EXPECT_EQ(after->Arguments[1]->Conclusion, s);
  EXPECT_EQ(after->Arguments[1]->InitialArguments.Count(), 0);
  EXPECT_EQ(before.Statements.Count(), 1);
  EXPECT_EQ(before.Arguments.Count(), 1);
  EXPECT_EQ(after->DialecticalArguments.Count(), 2);
}

TEST(StatementMove, ExistingSentenceHasItsTypeOverruledOnTheSharedObject) {
  StageBuilder b;
  TArgumentationStage& before = b.State("a", kIssue);
  TStatement* original = before.Statements[0];
  TArgumentationStage& after = b.State("a", kAssumption);
  EXPECT_EQ(after.Statements.Count(), 1);
  EXPECT_EQ(after.Arguments.Count(), 1);
  EXPECT_EQ(after.Statements[0], original);
  EXPECT_EQ(before.Statements[0]->StatementType, kAssumption);  // seen from the earlier stage too
  EXPECT_EQ(original->Id, "1");
}

TEST(ReasonConclusionMove, OnAnEmptyStageTheConclusionComesFirst) {
  StageBuilder b;
  TReasonConclusion* c = b.NewConnection("r", kAssumption, "c", kIssue);
  TArgumentationStage& stage = b.Keep(b.Current().DoReasonConclusionMove(c));
  EXPECT_EQ(Sentences(stage.Statements), (std::vector<std::string>{"c", "r"}));
  EXPECT_EQ(Ids(stage.Statements), (std::vector<std::string>{"1", "2"}));
  ASSERT_EQ(stage.ReasonConclusions.Count(), 1);
  EXPECT_EQ(stage.ReasonConclusions[0], c);
  EXPECT_EQ(c->Conclusion, stage.Statements[0]);
  EXPECT_EQ(c->Reason, stage.Statements[1]);
  ASSERT_EQ(stage.Arguments.Count(), 1);
  EXPECT_EQ(stage.Arguments[0]->Conclusion->Sentence, "c");
  ASSERT_EQ(stage.Arguments[0]->InitialArguments.Count(), 1);
  EXPECT_EQ(stage.Arguments[0]->InitialArguments[0]->Conclusion->Sentence, "r");
  EXPECT_EQ(b.Stage(0).Statements.Count(), 0);
}

TEST(ReasonConclusionMove, ExistingStatementsReplaceTheObjectsPassedIn) {
  StageBuilder b;
  b.State("r", kAssumption);
  TStatement* r = b.Find("r");
  TReasonConclusion* c = b.NewConnection("r", kAssumption, "c", kIssue);
  TStatement* passedReason = c->Reason;
  b.Keep(b.Current().DoReasonConclusionMove(c));
  EXPECT_EQ(c->Reason, r);
  EXPECT_NE(c->Reason, passedReason);
  EXPECT_EQ(c->Conclusion, b.Find("c"));
}

TEST(ReasonConclusionMove, RepeatedPairAddsNoConnectionButOverrulesTypes) {
  StageBuilder b;
  b.Connect("r", kAssumption, "c", kIssue);
  TReasonConclusion* first = b.Current().ReasonConclusions[0];
  TArgumentationStage& again = b.Connect("r", kIssue, "c", kAssumption);
  ASSERT_EQ(again.ReasonConclusions.Count(), 1);
  EXPECT_EQ(again.ReasonConclusions[0], first);
  EXPECT_EQ(b.Find("r")->StatementType, kIssue);
  EXPECT_EQ(b.Find("c")->StatementType, kAssumption);
  EXPECT_EQ(again.Statements.Count(), 2);
}

TEST(ReasonConclusionMove, OneNewSentenceInBothRolesEntersOnce) {
  StageBuilder b;
  TReasonConclusion* c = b.NewConnection("x", kAssumption, "x", kIssue);
  TStatement* passedReason = c->Reason;
  TArgumentationStage& stage = b.Keep(b.Current().DoReasonConclusionMove(c));
  ASSERT_EQ(stage.Statements.Count(), 1);
  EXPECT_EQ(c->Conclusion, stage.Statements[0]);
  // Only the conclusion entered; the reason stays the object passed in, without an Id.
  EXPECT_EQ(c->Reason, passedReason);
  EXPECT_EQ(c->Reason->Id, "");
  // The reason's statement move overruled the type of the one entered object.
  EXPECT_EQ(stage.Statements[0]->StatementType, kAssumption);
  EXPECT_EQ(stage.ReasonConclusions.Count(), 1);
}

TEST(ExceptionMove, OnANewConnectionAddsExceptionThenConclusionThenReason) {
  StageBuilder b;
  TArgumentationStage& stage = b.Except("e", kAssumption, "r", kAssumption, "c", kIssue);
  EXPECT_EQ(Sentences(stage.Statements), (std::vector<std::string>{"e", "c", "r"}));
  ASSERT_EQ(stage.ReasonConclusions.Count(), 1);
  const TReasonConclusion* c = stage.ReasonConclusions[0];
  ASSERT_EQ(c->Exceptions.Count(), 1);
  EXPECT_EQ(c->Exceptions[0], stage.Statements[0]);
  EXPECT_EQ(c->Reason, stage.Statements[2]);
}

TEST(ExceptionMove, OnAnExistingConnectionAppendsInPlaceAndLaterOnlyRetypes) {
  StageBuilder b;
  TArgumentationStage& connected = b.Connect("r", kAssumption, "c", kIssue);
  TReasonConclusion* x = connected.ReasonConclusions[0];
  TArgumentationStage& excepted = b.Except("e", kAssumption, "r", kAssumption, "c", kIssue);
  EXPECT_EQ(excepted.ReasonConclusions.Count(), 1);
  EXPECT_EQ(excepted.ReasonConclusions[0], x);
  ASSERT_EQ(x->Exceptions.Count(), 1);  // also seen through the earlier stage's connection
  EXPECT_EQ(x->Exceptions[0], b.Find("e"));

  b.Except("e", kIssue, "r", kAssumption, "c", kIssue);
  ASSERT_EQ(x->Exceptions.Count(), 1);
  EXPECT_EQ(x->Exceptions[0]->StatementType, kIssue);

  b.Except("f", kAssumption, "r", kAssumption, "c", kIssue);
  ASSERT_EQ(x->Exceptions.Count(), 2);
  EXPECT_EQ(x->Exceptions[1]->Sentence, "f");
}

TEST(ExceptionMove, ExistingExceptionSentenceUsesTheStageObject) {
  StageBuilder b;
  b.State("e", kIssue);
  TStatement* e = b.Find("e");
  TReasonConclusion* c = b.NewConnection("r", kAssumption, "c", kIssue);
  c->Exceptions.Add(b.NewStatement("e", kAssumption));
  b.Keep(b.Current().DoExceptionMove(c));
  EXPECT_EQ(c->Exceptions[0], e);
  EXPECT_EQ(e->StatementType, kAssumption);
}

TEST(GetNewId, FillsGapsAndStartsAtOne) {
  TArgumentationStage empty;
  std::string id = "x";
  empty.GetNewId(id);
  EXPECT_EQ(id, "1");

  TArgumentationStage stage;
  for (const char* existing : {"1", "3"}) {
    TStatement* s = stage.Store().NewStatement(existing, kIssue);
    s->Id = existing;
    stage.Statements.Add(s);
  }
  stage.GetNewId(id);
  EXPECT_EQ(id, "2");
  stage.Statements[1]->Id = "2";
  stage.GetNewId(id);
  EXPECT_EQ(id, "3");
}

TEST(Lookups, FindBySentenceExactly) {
  StageBuilder b;
  b.Connect("r", kAssumption, "c", kIssue);
  TArgumentationStage& stage = b.Current();
  TStatement* found = nullptr;
  EXPECT_TRUE(stage.SentenceIsStatementSentence("r", found));
  EXPECT_EQ(found, b.Find("r"));
  TStatement* untouched = found;
  EXPECT_FALSE(stage.SentenceIsStatementSentence("R", found));
  EXPECT_FALSE(stage.SentenceIsStatementSentence("r ", found));
  EXPECT_EQ(found, untouched);

  TStatement* existing = nullptr;
  TStatement* probe = b.NewStatement("c", kAssumption);
  EXPECT_FALSE(stage.IsNewStatement(probe, existing));
  EXPECT_EQ(existing, b.Find("c"));
  probe->Sentence = "C";
  EXPECT_TRUE(stage.IsNewStatement(probe, existing));

  TReasonConclusion* exists = nullptr;
  TReasonConclusion* same = b.NewConnection("r", kIssue, "c", kIssue, kDefeating);
  EXPECT_FALSE(stage.IsNewReasonConclusion(same, exists));
  EXPECT_EQ(exists, stage.ReasonConclusions[0]);
  TReasonConclusion* reversed = b.NewConnection("c", kIssue, "r", kIssue);
  EXPECT_TRUE(stage.IsNewReasonConclusion(reversed, exists));
}

}  // namespace
}  // namespace korvane
