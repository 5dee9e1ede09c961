// Groups of six and seven statements that reach each other, as long lines make them: a
// ring, some connections back, an exception and stated warrants inside. Move by move, at
// once, and by the plain rules they must agree; and a cap on the total work of many
// evaluations refuses a move like the budget of one does.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/argumentation_stage.h"
#include "model/evaluation/evaluator.h"
#include "model/evaluation_limit.h"
#include "model/warrant_sentences.h"
#include "stage_description.h"
#include "support/stage_generator.h"

namespace korvane {
namespace {

using test::GeneratedMove;

GeneratedMove Connection(const std::string& reason, const std::string& conclusion, TStatementType reasonType) {
  GeneratedMove m;
  m.kind = GeneratedMove::ReasonConclusion;
  m.reason = reason;
  m.conclusion = conclusion;
  m.reasonType = reasonType;
  return m;
}

std::string Member(int i, int size) { return "g" + std::to_string((i + size) % size); }

// A ring of size members with every third connection also made backwards, a tree below
// each member, an exception inside the group and the warrant of two ring connections.
std::vector<GeneratedMove> GroupLine(int size) {
  std::vector<GeneratedMove> moves;
  for (int i = 0; i < size; ++i) {
    moves.push_back(Connection(Member(i + 1, size), Member(i, size), i % 2 ? kAssumption : kIssue));
    moves.push_back(Connection("below " + std::to_string(i), Member(i, size), i % 3 ? kAssumption : kIssue));
  }
  for (int i = 0; i < size; i += 3) moves.push_back(Connection(Member(i, size), Member(i + 1, size), kIssue));
  GeneratedMove exception = Connection(Member(2, size), Member(1, size), kIssue);
  exception.kind = GeneratedMove::Exception;
  exception.sentence = Member(4, size);
  moves.push_back(exception);
  for (int i : {0, 3}) {
    GeneratedMove warrant;
    warrant.sentence = StepWarrantSentence(Member(i + 1, size), Member(i, size), kSupporting);
    warrant.type = i == 0 ? kAssumption : kIssue;
    moves.push_back(warrant);
  }
  moves.push_back(Connection("late below", "below 1", kAssumption));
  return moves;
}

TEST(CycleGroup, MadeMoveByMoveAndAtOnceAgreesWithThePlainRules) {
  for (const int size : {6, 7}) {
    const std::vector<GeneratedMove> moves = GroupLine(size);
    std::vector<std::unique_ptr<TArgumentationStage>> fast, literal, atOnce;
    fast.push_back(std::make_unique<TArgumentationStage>());
    literal.push_back(std::make_unique<TArgumentationStage>());
    literal.back()->SetLiteralEvaluation(true);
    atOnce.push_back(std::make_unique<TArgumentationStage>());
    atOnce.back()->SetEvaluationPostponed(true);
    for (const GeneratedMove& m : moves) {
      fast.push_back(test::Apply(*fast.back(), m));
      literal.push_back(test::Apply(*literal.back(), m));
      atOnce.push_back(test::Apply(*atOnce.back(), m));
      ASSERT_EQ(test::Describe(*fast.back()), test::Describe(*literal.back())) << size << " members";
      ASSERT_EQ(test::Statuses(*fast.back()), test::Statuses(*literal.back()));
    }
    EXPECT_GT(fast.back()->Store().Evaluator().PartialEvaluationCount(), 0u) << "the moves shared work";
    atOnce.back()->EvaluatePostponed();
    EXPECT_EQ(test::Describe(*atOnce.back()), test::Describe(*literal.back())) << size << " members";
    EXPECT_EQ(test::Statuses(*atOnce.back()), test::Statuses(*literal.back()));
  }
}

// Each move below the group evaluates it again; with the total capped, one of them is
// refused, changes nothing, and goes through once the cap is lifted.
TEST(CycleGroup, ACapOnTheTotalWorkRefusesTheMoveThatPassesIt) {
  std::vector<std::unique_ptr<TArgumentationStage>> stages;
  stages.push_back(std::make_unique<TArgumentationStage>());
  for (const GeneratedMove& m : GroupLine(6)) stages.push_back(test::Apply(*stages.back(), m));
  TEvaluator& evaluator = stages.back()->Store().Evaluator();
  evaluator.CapTotalWork(40'000);
  int made = 0;
  try {
    for (; made < 1000; ++made) {
      const GeneratedMove m = Connection("deeper " + std::to_string(made + 1),
                                         made == 0 ? "late below" : "deeper " + std::to_string(made), kAssumption);
      const std::string before = test::Describe(*stages.back());
      try {
        stages.push_back(test::Apply(*stages.back(), m));
      } catch (const TEvaluationLimitError&) {
        EXPECT_EQ(test::Describe(*stages.back()), before);
        EXPECT_EQ(evaluator.TotalWorkLeft(), std::optional<std::size_t>(0)) << "the refused move spent the rest";
        evaluator.CapTotalWork(std::nullopt);
        stages.push_back(test::Apply(*stages.back(), m));
        break;
      }
    }
  } catch (const TEvaluationLimitError&) {
    FAIL() << "refused without a cap";
  }
  EXPECT_GT(made, 0);
  EXPECT_LT(made, 1000) << "the cap was never reached";
  TArgumentationStage plain(stages.back()->SharedStore());
  plain.Statements.Assign(stages.back()->Statements);
  plain.ReasonConclusions.Assign(stages.back()->ReasonConclusions);
  plain.RecomputeArgumentsLiterally();
  plain.RecomputeDialecticalArgumentsLiterally();
  EXPECT_EQ(test::Describe(plain), test::Describe(*stages.back()));
}

}  // namespace
}  // namespace korvane
