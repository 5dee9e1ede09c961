// The fast evaluation against the plain rules, on many generated stages; a very long
// chain; and a refused move leaving the document as it was.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/argumentation_stage.h"
#include "model/evaluation/evaluator.h"
#include "model/evaluation_limit.h"
#include "stage_description.h"
#include "support/stage_generator.h"

namespace korvane {
namespace {

using test::Describe;
using test::Statuses;

struct Document {
  explicit Document(bool literal) {
    stages.push_back(std::make_unique<TArgumentationStage>());
    stages.back()->SetLiteralEvaluation(literal);
  }
  std::vector<std::unique_ptr<TArgumentationStage>> stages;
};

TEST(FastEvaluation, AgreesWithThePlainRulesOnGeneratedStages) {
  int compared = 0;
  for (std::uint32_t seed = 1; seed <= 10000; ++seed) {
    test::StageGenerator generator(seed, 3 + static_cast<int>(seed % 3));
    const auto moves = generator.Moves(4 + static_cast<int>(seed % 6));
    Document fast(false), literal(true);
    std::vector<std::string> seen;
    for (const auto& move : moves) {
      fast.stages.push_back(test::Apply(*fast.stages.back(), move));
      literal.stages.push_back(test::Apply(*literal.stages.back(), move));
      const std::string description = Describe(*fast.stages.back());
      ASSERT_EQ(description, Describe(*literal.stages.back())) << "seed " << seed;
      ASSERT_EQ(Statuses(*fast.stages.back()), Statuses(*literal.stages.back())) << "seed " << seed;
      seen.push_back(description);
      ++compared;
    }
    // Earlier stages keep what they were built with, although their objects are shared.
    for (std::size_t i = 0; i < seen.size(); ++i) {
      const std::string later = Describe(*fast.stages[i + 1]);
      ASSERT_EQ(later, Describe(*literal.stages[i + 1])) << "seed " << seed << " stage " << i + 1;
    }
  }
  EXPECT_GT(compared, 60000);
}

// Long lines over more sentences, mostly tree-shaped with now and then a cycle, where most
// evaluations rebuild only what a move reaches; now and then a move is made from an earlier
// stage instead of the last, as after going back in a document.
TEST(FastEvaluation, LongLinesEvaluatedMoveByMoveAgreeWithThePlainRules) {
  std::size_t evaluations = 0, partial = 0;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    test::StageGenerator generator(seed * 31337, 8 + static_cast<int>(seed % 7));
    generator.PreferDownwards(seed % 3 == 0 ? 15 : 40);
    const auto moves = generator.Moves(20 + static_cast<int>(seed % 20));
    Document fast(false), literal(true);
    std::mt19937 branch(seed);
    for (const auto& move : moves) {
      std::size_t from = fast.stages.size() - 1;
      if (from > 2 && branch() % 17 == 0) from -= 1 + branch() % 2;
      fast.stages.push_back(test::Apply(*fast.stages[from], move));
      literal.stages.push_back(test::Apply(*literal.stages[from], move));
      ASSERT_EQ(Describe(*fast.stages.back()) + Statuses(*fast.stages.back()),
                Describe(*literal.stages.back()) + Statuses(*literal.stages.back()))
          << "seed " << seed << " move " << fast.stages.size() - 1;
      ++evaluations;
    }
    partial += fast.stages.front()->Store().Evaluator().PartialEvaluationCount();
  }
  // Most moves were taken in partially, so that path is what was compared.
  EXPECT_GT(partial, evaluations / 2) << partial << " of " << evaluations;
}

// With a small budget some moves are refused half-way (after types were overruled or an
// exception appended in place, which the rollback takes back); the evaluation must then not
// trust what it kept from the refused stage.
TEST(FastEvaluation, LinesWithRefusedMovesAgreeWithThePlainRulesAfterEachRefusal) {
  int refusals = 0;
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    test::StageGenerator generator(seed * 7547, 4 + static_cast<int>(seed % 4));
    generator.PreferDownwards(4);
    Document fast(false), literal(true);
    fast.stages.back()->SetWorkBudget(150 + seed % 200);
    for (const auto& move : generator.Moves(30)) {
      try {
        fast.stages.push_back(test::Apply(*fast.stages.back(), move));
      } catch (const TEvaluationLimitError&) {
        ++refusals;
        continue;
      }
      literal.stages.push_back(test::Apply(*literal.stages.back(), move));
      ASSERT_EQ(Describe(*fast.stages.back()) + Statuses(*fast.stages.back()),
                Describe(*literal.stages.back()) + Statuses(*literal.stages.back()))
          << "seed " << seed << " stage " << fast.stages.size() - 1;
    }
  }
  EXPECT_GT(refusals, 100);
}

TEST(FastEvaluation, RecomputingAStageAgainGivesTheSameResult) {
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    test::StageGenerator generator(seed * 7919, 4);
    Document fast(false);
    for (const auto& move : generator.Moves(10)) fast.stages.push_back(test::Apply(*fast.stages.back(), move));
    TArgumentationStage& last = *fast.stages.back();
    // A statement move only appends its one-node argument, so rebuilding may reorder them.
    last.RecomputeArguments();
    const std::string before = Describe(last);
    last.RecomputeArguments();
    last.RecomputeDialecticalArguments();
    EXPECT_EQ(before, Describe(last));
    // The plain rules on the same lists agree.
    TArgumentationStage plain(last.SharedStore());
    plain.Statements.Assign(last.Statements);
    plain.ReasonConclusions.Assign(last.ReasonConclusions);
    plain.RecomputeArgumentsLiterally();
    plain.RecomputeDialecticalArgumentsLiterally();
    TArgumentationStage fastCopy(last.SharedStore());
    fastCopy.Statements.Assign(last.Statements);
    fastCopy.ReasonConclusions.Assign(last.ReasonConclusions);
    fastCopy.RecomputeArguments();
    fastCopy.RecomputeDialecticalArguments();
    EXPECT_EQ(Describe(fastCopy), Describe(plain)) << "seed " << seed;
  }
}

// The evaluation remembers what it found at each position of the lists; stages of one
// store whose lists hold the same objects in other orders must not be misled by that.
TEST(FastEvaluation, StagesWithTheSameObjectsInOtherOrdersAgreeWithThePlainRules) {
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    test::StageGenerator generator(seed * 104729, 4);
    Document fast(false);
    for (const auto& move : generator.Moves(10)) fast.stages.push_back(test::Apply(*fast.stages.back(), move));
    const TArgumentationStage& last = *fast.stages.back();
    for (int order = 0; order < 3; ++order) {
      TArgumentationStage shuffled(last.SharedStore()), plain(last.SharedStore());
      const std::size_t n = last.Statements.Count(), m = last.ReasonConclusions.Count();
      // Reversed, rotated by one, and the original order again after both.
      for (std::size_t i = 0; i < n; ++i) {
        const std::size_t k = order == 0 ? n - 1 - i : order == 1 ? (i + 1) % n : i;
        shuffled.Statements.Add(last.Statements[k]);
        plain.Statements.Add(last.Statements[k]);
      }
      for (std::size_t j = 0; j < m; ++j) {
        const std::size_t k = order == 0 ? m - 1 - j : order == 1 ? (j + 1) % m : j;
        shuffled.ReasonConclusions.Add(last.ReasonConclusions[k]);
        plain.ReasonConclusions.Add(last.ReasonConclusions[k]);
      }
      plain.RecomputeArgumentsLiterally();
      plain.RecomputeDialecticalArgumentsLiterally();
      const std::string expected = Describe(plain) + Statuses(plain);
      shuffled.RecomputeArguments();
      shuffled.RecomputeDialecticalArguments();
      ASSERT_EQ(Describe(shuffled) + Statuses(shuffled), expected) << "seed " << seed << " order " << order;
    }
  }
}

// s0 <- s1 <- ... <- sN, s0 an issue at the top, sN an assumption at the bottom.
TEST(FastEvaluation, AChainOfAHundredThousandConnectionsEvaluates) {
  constexpr int kLength = 100000;
  auto stage = std::make_unique<TArgumentationStage>();
  TModelStore& store = stage->Store();
  std::vector<TStatement*> chain;
  for (int i = 0; i <= kLength; ++i) {
    TStatement* s = store.NewStatement("s" + std::to_string(i), i == kLength ? kAssumption : kIssue);
    s->Id = std::to_string(i + 1);
    chain.push_back(s);
    stage->Statements.Add(s);
  }
  for (int i = 0; i < kLength; ++i) {
    TReasonConclusion* c = store.NewReasonConclusion();
    c->Reason = chain[static_cast<std::size_t>(i) + 1];
    c->Conclusion = chain[static_cast<std::size_t>(i)];
    stage->ReasonConclusions.Add(c);
  }
  stage->RecomputeArguments();
  stage->RecomputeDialecticalArguments();

  for (const TStatement* s : stage->Statements) ASSERT_EQ(s->Status, kJustified) << s->Sentence;
  ASSERT_EQ(stage->MaximalDialecticalArguments.Count(), 1);
  EXPECT_EQ(stage->MaximalDialecticalArguments[0]->Conclusion, chain[0]);
  ASSERT_EQ(stage->Arguments.Count(), 1);
  int depth = 0;
  for (const TArgument* a = stage->Arguments[0]; !a->InitialArguments.Empty(); a = a->InitialArguments[0]) ++depth;
  EXPECT_EQ(depth, kLength);
  depth = 0;
  for (const TDialecticalArgument* d = stage->DialecticalArguments[0]; !d->Steps.Empty();
       d = d->InitialDialecticalArguments[0])
    ++depth;
  EXPECT_EQ(depth, kLength);

  // Moves on it: an exception at the bottom makes the whole chain unjustified.
  TReasonConclusion* c = store.NewReasonConclusion();
  c->Reason->Sentence = "s" + std::to_string(kLength);
  c->Conclusion->Sentence = "s" + std::to_string(kLength - 1);
  c->Conclusion->StatementType = kIssue;
  c->Reason->StatementType = kAssumption;
  c->Exceptions.Add(store.NewStatement("x", kAssumption));
  auto next = stage->DoExceptionMove(c);
  EXPECT_EQ(chain[0]->Status, kUnjustified);
  EXPECT_EQ(next->Statements.Count(), kLength + 2);
  EXPECT_EQ(next->Statements.Last()->Id, std::to_string(kLength + 2));
}

// Everything of the stage and of its shared objects that a refused move must leave alone.
std::string Snapshot(const TArgumentationStage& stage) {
  std::string text = Describe(stage) + Statuses(stage);
  for (const TStatement* s : stage.Statements) text += s->Id + "/" + std::to_string(Code(s->StatementType)) + " ";
  return text;
}

TEST(FastEvaluation, AMoveBeyondTheBudgetIsRefusedAndChangesNothing) {
  // Statements connected to each other in both directions: the exact evaluation grows
  // with every path through them.
  auto first = std::make_unique<TArgumentationStage>();
  std::vector<std::unique_ptr<TArgumentationStage>> stages;
  // A smaller budget than a document has, to keep the test quick; the refusal is the same.
  first->SetWorkBudget(200000);
  stages.push_back(std::move(first));
  TModelStore& store = stages.back()->Store();
  auto connect = [&](const std::string& r, const std::string& c, TStatementType type) {
    TReasonConclusion* q = store.NewReasonConclusion();
    q->Reason->Sentence = r;
    q->Reason->StatementType = type;
    q->Conclusion->Sentence = c;
    q->Conclusion->StatementType = type;
    return q;
  };
  bool refused = false;
  const std::vector<std::string> names = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"};
  for (std::size_t i = 0; i < names.size() && !refused; ++i) {
    for (std::size_t j = 0; j < i && !refused; ++j) {
      for (int direction = 0; direction < 2 && !refused; ++direction) {
        const std::string& r = direction ? names[i] : names[j];
        const std::string& c = direction ? names[j] : names[i];
        // Overruling a type on the way, so the rollback of types is exercised.
        TReasonConclusion* q = connect(r, c, (i + j) % 2 ? kIssue : kAssumption);
        TStatement* const givenReason = q->Reason;
        TStatement* const givenConclusion = q->Conclusion;
        const std::string before = Snapshot(*stages.back());
        const std::size_t statements = stages.back()->Statements.Count();
        try {
          stages.push_back(stages.back()->DoReasonConclusionMove(q));
        } catch (const TEvaluationLimitError& error) {
          refused = true;
          EXPECT_NE(std::string(error.what()).find("not made"), std::string::npos);
          EXPECT_EQ(before, Snapshot(*stages.back()));
          EXPECT_EQ(statements, stages.back()->Statements.Count());
          // The connection passed in has its own ends back, without identifiers.
          EXPECT_EQ(q->Reason, givenReason);
          EXPECT_EQ(q->Conclusion, givenConclusion);
          EXPECT_TRUE(givenReason->Id.empty());
          EXPECT_TRUE(givenConclusion->Id.empty());
          // The stage still takes moves that stay within the budget.
          auto next = stages.back()->DoStatementMove(store.NewStatement("z", kAssumption));
          EXPECT_EQ(next->Statements.Count(), statements + 1);
        }
      }
    }
  }
  EXPECT_TRUE(refused) << "twelve statements connected both ways must be beyond the budget";
}

TEST(FastEvaluation, ARefusedExceptionMoveTakesTheExceptionBackOut) {
  // A small cycle, then a budget so small that adding an exception to it is refused.
  std::vector<std::unique_ptr<TArgumentationStage>> stages;
  stages.push_back(std::make_unique<TArgumentationStage>());
  TModelStore& store = stages.back()->Store();
  const std::vector<std::pair<std::string, std::string>> edges = {{"a", "b"}, {"b", "c"}, {"c", "a"},
                                                                  {"b", "a"}, {"c", "b"}, {"a", "c"}};
  for (const auto& [r, c] : edges) {
    TReasonConclusion* q = store.NewReasonConclusion();
    q->Reason->Sentence = r;
    q->Conclusion->Sentence = c;
    stages.push_back(stages.back()->DoReasonConclusionMove(q));
  }
  TArgumentationStage& stage = *stages.back();
  TReasonConclusion* existing = stage.ReasonConclusions[0];
  const std::string before = Snapshot(stage);
  stage.SetWorkBudget(0);
  TReasonConclusion* q = store.NewReasonConclusion();
  q->Reason->Sentence = "a";
  q->Conclusion->Sentence = "b";
  q->Conclusion->StatementType = kIssue;  // would overrule b
  TStatement* exception = store.NewStatement("x", kAssumption);
  q->Exceptions.Add(exception);
  EXPECT_THROW((void)stage.DoExceptionMove(q), TEvaluationLimitError);
  EXPECT_EQ(existing->Exceptions.Count(), 0);
  EXPECT_TRUE(exception->Id.empty());
  EXPECT_EQ(before, Snapshot(stage));
  EXPECT_EQ(q->Exceptions.Count(), 1);
  EXPECT_EQ(q->Exceptions[0], exception);

  // With the budget back, the same move goes through and extends the existing connection.
  stage.SetWorkBudget(1000000);
  auto next = stage.DoExceptionMove(q);
  EXPECT_EQ(existing->Exceptions.Count(), 1);
  EXPECT_EQ(next->Statements.Last()->Sentence, "x");
}

}  // namespace
}  // namespace korvane
