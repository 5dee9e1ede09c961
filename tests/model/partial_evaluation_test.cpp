// Moves evaluated by rebuilding only what they reach, where that is hardest: moves that
// close a cycle or lie below one, and chains grown at the bottom, where every move
// changes everything above it. Each stage is compared with the plain rules.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/argumentation_stage.h"
#include "model/evaluation/evaluator.h"
#include "stage_description.h"
#include "support/stage_generator.h"

namespace korvane {
namespace {

using test::Describe;
using test::Statuses;

struct Lines {
  Lines() {
    fast.push_back(std::make_unique<TArgumentationStage>());
    literal.push_back(std::make_unique<TArgumentationStage>());
    literal.back()->SetLiteralEvaluation(true);
  }
  // Makes the move on both and returns the comparison's failure, if any.
  ::testing::AssertionResult Make(const test::GeneratedMove& m) {
    fast.push_back(test::Apply(*fast.back(), m));
    literal.push_back(test::Apply(*literal.back(), m));
    const std::string got = Describe(*fast.back()) + Statuses(*fast.back());
    const std::string want = Describe(*literal.back()) + Statuses(*literal.back());
    if (got == want) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "stage " << fast.size() - 1 << "\nfast:\n" << got << "\nplain:\n" << want;
  }
  [[nodiscard]] std::size_t Partial() const { return fast.front()->Store().Evaluator().PartialEvaluationCount(); }
  std::vector<std::unique_ptr<TArgumentationStage>> fast, literal;
};

test::GeneratedMove Connection(const std::string& reason, TStatementType reasonType, const std::string& conclusion) {
  test::GeneratedMove m;
  m.kind = test::GeneratedMove::ReasonConclusion;
  m.reason = reason;
  m.reasonType = reasonType;
  m.conclusion = conclusion;
  m.conclusionType = kIssue;
  return m;
}

TEST(PartialEvaluation, MovesThroughCyclesAreTakenInPartiallyAndAgreeWithThePlainRules) {
  std::size_t moves = 0, partial = 0, closing = 0, closedPartially = 0;
  for (std::uint32_t seed = 1; seed <= 100; ++seed) {
    // Many connections against the grain: cycles form early and later moves touch them.
    test::StageGenerator generator(seed * 104729, 6 + static_cast<int>(seed % 5));
    generator.PreferDownwards(3 + static_cast<int>(seed % 3));
    Lines lines;
    for (const auto& m : generator.Moves(20)) {
      ASSERT_TRUE(lines.Make(m)) << "seed " << seed;
      ++moves;
    }
    partial += lines.Partial();
    // A connection back from a reason to its conclusion closes a cycle. back from the bottom closes a cycle through
    // every statement.
    if (lines.fast.back()->ReasonConclusions.Count() > 0) {
      const TReasonConclusion* c = lines.fast.back()->ReasonConclusions.Last();
      const std::size_t before = lines.Partial();
      ASSERT_TRUE(lines.Make(Connection(c->Conclusion->Sentence, kIssue, c->Reason->Sentence))) << "seed " << seed;
      closedPartially += lines.Partial() - before;
      ++closing;
    }
  }
  // Only the first move of each line is evaluated in full.
  EXPECT_GE(partial, moves - 100) << partial << " of " << moves;
  EXPECT_EQ(closedPartially, closing);
  EXPECT_GT(closing, 80U);
}

TEST(PartialEvaluation, AChainGrownAtTheBottomAgreesWithThePlainRulesAtEveryStage) {
  // s0 <- s1 <- ... in the natural order: each move puts a new reason below the last one.
  // The last reason is stated an assumption, then an issue again, then given an exception.
  Lines lines;
  constexpr int kLength = 40;
  for (int i = 0; i < kLength; ++i) {
    ASSERT_TRUE(lines.Make(
        Connection("s" + std::to_string(i + 1), i % 7 == 6 ? kAssumption : kIssue, "s" + std::to_string(i))));
  }
  test::GeneratedMove statement;
  statement.sentence = "s" + std::to_string(kLength);
  statement.type = kAssumption;
  ASSERT_TRUE(lines.Make(statement));
  EXPECT_EQ(lines.fast.back()->Statements[0]->Status, kJustified);
  statement.type = kIssue;
  ASSERT_TRUE(lines.Make(statement));
  test::GeneratedMove exception = Connection("s3", kAssumption, "s2");
  exception.kind = test::GeneratedMove::Exception;
  exception.sentence = "x";
  exception.type = kAssumption;
  ASSERT_TRUE(lines.Make(exception));
  EXPECT_EQ(lines.fast.back()->Statements[0]->Status, kUnjustified);
  // Earlier stages still describe what they were built as.
  for (std::size_t k = 1; k < lines.fast.size(); ++k)
    ASSERT_EQ(Describe(*lines.fast[k]), Describe(*lines.literal[k])) << "stage " << k;
  EXPECT_GE(lines.Partial(), lines.fast.size() - 2);
}

}  // namespace
}  // namespace korvane
