// Values extended in place when the stage a move starts from is let go, as a line lets it
// go: moves below chains, below and above cycle groups, and random growing lines, each
// stage compared with the plain rules, and earlier stages evaluated again at the end.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/argumentation_stage.h"
#include "model/evaluation/evaluator.h"
#include "model/warrant_sentences.h"
#include "stage_description.h"
#include "support/stage_generator.h"

namespace korvane {
namespace {

using test::Describe;
using test::GeneratedMove;
using test::Statuses;

// Two lines of stages, one evaluated by the plain rules; the fast one releases each stage
// once the next is made, as a line does.
struct ReleasingLines {
  ReleasingLines() {
    fast.push_back(std::make_unique<TArgumentationStage>());
    fast.back()->Store().Evaluator().SetEarlierStagesReleased(true);
    literal.push_back(std::make_unique<TArgumentationStage>());
    literal.back()->SetLiteralEvaluation(true);
  }
  ::testing::AssertionResult Make(const GeneratedMove& m) {
    fast.push_back(test::Apply(*fast.back(), m));
    fast[fast.size() - 2]->ReleaseEvaluation();
    literal.push_back(test::Apply(*literal.back(), m));
    return Compare(*fast.back(), *literal.back(), fast.size() - 1);
  }
  static ::testing::AssertionResult Compare(const TArgumentationStage& got, const TArgumentationStage& want,
                                            std::size_t k) {
    const std::string a = Describe(got) + Statuses(got), b = Describe(want) + Statuses(want);
    if (a == b) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "stage " << k << "\nfast:\n" << a << "\nplain:\n" << b;
  }
  // Every earlier stage, evaluated again, is what its move made.
  ::testing::AssertionResult EarlierStagesAgree() {
    for (std::size_t k = 1; k + 1 < fast.size(); ++k) {
      fast[k]->EnsureEvaluated();
      const std::string a = Describe(*fast[k]), b = Describe(*literal[k]);
      fast[k]->ReleaseEvaluation();
      if (a != b) return ::testing::AssertionFailure() << "earlier stage " << k << "\nfast:\n" << a << "\nplain:\n" << b;
    }
    return ::testing::AssertionSuccess();
  }
  [[nodiscard]] std::size_t Extensions() const { return fast.front()->Store().Evaluator().InPlaceExtensionCount(); }
  std::vector<std::unique_ptr<TArgumentationStage>> fast, literal;
};

GeneratedMove Connect(const std::string& reason, TStatementType reasonType, const std::string& conclusion,
                      TStatementType conclusionType = kIssue) {
  GeneratedMove m;
  m.kind = GeneratedMove::ReasonConclusion;
  m.reason = reason;
  m.reasonType = reasonType;
  m.conclusion = conclusion;
  m.conclusionType = conclusionType;
  return m;
}

GeneratedMove State(const std::string& sentence, TStatementType type) {
  GeneratedMove m;
  m.sentence = sentence;
  m.type = type;
  return m;
}

TEST(InPlaceExtension, ChainsGrownAtTheBottomAgreeWithThePlainRules) {
  // Assumptions below keep the statuses above as they were, so those moves extend in
  // place; an issue below changes them, and the values above are built anew.
  ReleasingLines lines;
  constexpr int kLength = 30;
  for (int i = 0; i < kLength; ++i) {
    const TStatementType below = i % 5 == 4 ? kIssue : kAssumption;
    const TStatementType above = i == 0 ? kIssue : (i % 5 == 0 ? kIssue : kAssumption);
    ASSERT_TRUE(lines.Make(Connect("s" + std::to_string(i + 1), below, "s" + std::to_string(i), above)));
  }
  // A second reason beside the bottom, a warrant and an exception on a connection far up,
  // and a reason shared by two chain members (a lattice, not a tree).
  ASSERT_TRUE(lines.Make(Connect("t", kAssumption, "s" + std::to_string(kLength))));
  ASSERT_TRUE(lines.Make(State(StepWarrantSentence("t", "s" + std::to_string(kLength), kSupporting), kAssumption)));
  GeneratedMove exception = Connect("s3", kAssumption, "s2");
  exception.kind = GeneratedMove::Exception;
  exception.sentence = "x";
  exception.type = kAssumption;
  ASSERT_TRUE(lines.Make(exception));
  ASSERT_TRUE(lines.Make(Connect("u", kAssumption, "t")));
  ASSERT_TRUE(lines.Make(Connect("u", kAssumption, "s12")));
  ASSERT_TRUE(lines.Make(Connect("v", kAssumption, "u")));
  EXPECT_GE(lines.Extensions(), 20U);
  EXPECT_TRUE(lines.EarlierStagesAgree());
}

TEST(InPlaceExtension, MovesBelowAndAboveCycleGroupsAgreeWithThePlainRules) {
  ReleasingLines lines;
  // A group of three reaching each other, with a chain above it and one below it.
  for (const auto& [r, c] : std::vector<std::pair<std::string, std::string>>{
           {"g1", "g0"}, {"g2", "g1"}, {"g0", "g2"}, {"g1", "g2"}, {"g0", "top1"}, {"top1", "top0"}})
    ASSERT_TRUE(lines.Make(Connect(r, kIssue, c)));
  for (int i = 0; i < 8; ++i) {
    // Below the group: what is above is on or above a cycle.
    ASSERT_TRUE(lines.Make(Connect("b" + std::to_string(i + 1), kAssumption, i == 0 ? "g1" : "b" + std::to_string(i))));
  }
  const std::size_t belowGroup = lines.Extensions();
  // Above the group: a chain whose bottom reaches into it, grown below its members
  // outside the group, and a second group closed beside it.
  ASSERT_TRUE(lines.Make(Connect("top0", kAssumption, "head")));
  for (int i = 0; i < 6; ++i)
    ASSERT_TRUE(lines.Make(Connect("h" + std::to_string(i), kAssumption, i == 0 ? "head" : "h" + std::to_string(i - 1))));
  ASSERT_TRUE(lines.Make(Connect("h5", kIssue, "top1")));
  ASSERT_TRUE(lines.Make(Connect("k0", kIssue, "h2")));
  ASSERT_TRUE(lines.Make(Connect("k1", kIssue, "k0")));
  ASSERT_TRUE(lines.Make(Connect("k0", kIssue, "k1")));
  ASSERT_TRUE(lines.Make(Connect("k2", kAssumption, "h4")));
  // Below the group only arguments can be extended (dialectical values in a cycle are many
  // for one statement); above it both are.
  EXPECT_GT(lines.Extensions(), belowGroup + 5);
  EXPECT_TRUE(lines.EarlierStagesAgree());
}

// Lines that keep growing downwards from random statements, with connections between
// existing statements (some closing cycles), exceptions, warrants and overruled types.
TEST(InPlaceExtension, RandomGrowingLinesAgreeWithThePlainRules) {
  std::size_t extensions = 0;
  for (std::uint32_t seed = 1; seed <= 16; ++seed) {
    std::mt19937 random(seed * 7919);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    auto type = [&] { return pick(3) == 0 ? kIssue : kAssumption; };
    ReleasingLines lines;
    int made = 1;
    auto some = [&] { return "n" + std::to_string(pick(made)); };
    for (int move = 0; move < 40; ++move) {
      // Connections between existing statements are few: each may close a cycle, and the
      // plain rules take long over many.
      const int roll = pick(40);
      GeneratedMove m;
      if (roll < 28) {
        m = Connect("n" + std::to_string(made++), type(), some(), type());
      } else if (roll < 30) {
        m = Connect(some(), type(), some(), type());
      } else if (roll < 34) {
        m = Connect(some(), type(), some());
        m.kind = GeneratedMove::Exception;
        m.sentence = pick(2) == 0 ? some() : "x" + std::to_string(move);
        m.type = type();
      } else if (roll < 38) {
        m = State(StepWarrantSentence(some(), some(), kSupporting), type());
      } else {
        m = State(some(), type());
      }
      if (m.reason == m.conclusion && m.kind != GeneratedMove::Statement) continue;
      ASSERT_TRUE(lines.Make(m)) << "seed " << seed << " move " << move;
    }
    ASSERT_TRUE(lines.EarlierStagesAgree()) << "seed " << seed;
    extensions += lines.Extensions();
  }
  EXPECT_GT(extensions, 200U);
}

}  // namespace
}  // namespace korvane
