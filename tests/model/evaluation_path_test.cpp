// Which way a stage is evaluated: the transitions between the rules and the lists' states,
// and what a stage made by a move inherits.
#include <gtest/gtest.h>

#include "model/argumentation_stage.h"
#include "model/evaluation_path.h"

namespace korvane {
namespace {

using TRules = TEvaluationPath::TRules;
using TLists = TEvaluationPath::TLists;
using TFinish = TEvaluationPath::TFinish;

TEST(EvaluationPath, ThePlainRulesOverridePostponingAndGiveWayToTheFastOnes) {
  TEvaluationPath path;
  EXPECT_EQ(path.Rules(), TRules::Fast);
  path.SetPostponed(true);
  EXPECT_EQ(path.Rules(), TRules::Postponed);
  path.SetPlain(true);
  EXPECT_EQ(path.Rules(), TRules::Plain);
  path.SetPostponed(true);  // ignored under the plain rules
  path.SetPostponed(false);
  EXPECT_EQ(path.Rules(), TRules::Plain);
  path.SetPlain(false);
  EXPECT_EQ(path.Rules(), TRules::Fast);
  path.SetPlain(false);
  EXPECT_EQ(path.Rules(), TRules::Fast);
}

TEST(EvaluationPath, EachRuleAndListStateEndsAMoveItsOwnWay) {
  struct TCase {
    TRules rules;
    bool deferred;
    TFinish finish;
  };
  const TCase cases[] = {
      {TRules::Fast, false, TFinish::Evaluate},     {TRules::Fast, true, TFinish::Leave},
      {TRules::Plain, false, TFinish::Evaluate},    {TRules::Plain, true, TFinish::Evaluate},
      {TRules::Postponed, false, TFinish::Release}, {TRules::Postponed, true, TFinish::Leave},
  };
  for (const TCase& c : cases) {
    TEvaluationPath receiver;
    receiver.SetPlain(c.rules == TRules::Plain);
    receiver.SetPostponed(c.rules == TRules::Postponed);
    // A released receiver (a replayed stage) still makes a stage that is not released.
    if (c.rules == TRules::Postponed) receiver.Release();
    TEvaluationPath next = receiver.ForMove();
    EXPECT_EQ(next.Rules(), c.rules);
    EXPECT_EQ(next.Lists(), TLists::Evaluated);
    if (c.deferred) next.Defer();
    EXPECT_EQ(next.AtEndOfMove(), c.finish) << static_cast<int>(c.rules) << " deferred " << c.deferred;
    // The inner moves of a compound move stay deferred; its end takes the receiver's state.
    EXPECT_EQ(next.ForMove().Deferred(), c.deferred);
    if (c.deferred) {
      next.ResumeAs(receiver);
      EXPECT_EQ(next.Lists(), TLists::Evaluated);
    }
  }
}

TEST(EvaluationPath, ReleasedListsComeBackEvaluatedAndAPostponedStageTurnsFast) {
  TEvaluationPath path;
  path.SetPostponed(true);
  path.Release();
  path.Release();
  EXPECT_TRUE(path.Released());
  path.PostponedEvaluated();
  EXPECT_EQ(path.Rules(), TRules::Fast);
  EXPECT_EQ(path.Lists(), TLists::Evaluated);
  path.Release();
  path.Refilled();
  EXPECT_EQ(path.Lists(), TLists::Evaluated);
}

// A replay's compound move releases the stage it makes and passes postponing on; once the
// last stage is evaluated, the next move is evaluated again.
TEST(EvaluationPath, ACompoundMoveUnderPostponingReleasesItsStage) {
  TArgumentationStage start;
  start.SetEvaluationPostponed(true);
  TReasonConclusion* c = start.Store().NewReasonConclusion();
  c->Reason = start.Store().NewStatement("r", kAssumption);
  c->Conclusion = start.Store().NewStatement("q", kIssue);
  c->Exceptions.Add(start.Store().NewStatement("e", kAssumption));
  auto replayed = start.DoExceptionMove(c);
  EXPECT_EQ(replayed->EvaluationPath().Rules(), TRules::Postponed);
  EXPECT_TRUE(replayed->EvaluationReleased());
  EXPECT_EQ(replayed->Statements.Count(), 3u);
  EXPECT_TRUE(replayed->DialecticalArguments.Empty());

  replayed->EvaluatePostponed();
  EXPECT_EQ(replayed->EvaluationPath().Rules(), TRules::Fast);
  EXPECT_EQ(replayed->DialecticalArguments.Count(), 3u);
  auto next = replayed->DoStatementMove(start.Store().NewStatement("x", kIssue));
  EXPECT_FALSE(next->EvaluationReleased());
  EXPECT_EQ(next->DialecticalArguments.Count(), 4u);
}

}  // namespace
}  // namespace korvane
