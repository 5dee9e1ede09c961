// A move too costly to evaluate is refused, and the document stays as it was.
#include <gtest/gtest.h>

#include "model/evaluation/evaluator.h"
#include "model/stage_description.h"
#include "support/session_fixture.h"

namespace korvane {
namespace {

using test::SessionFixture;

const std::vector<std::string> kSentences = {"a", "b", "c", "d", "e"};

// Every ordered pair of distinct sentences: each statement supports every other.
std::vector<std::pair<std::string, std::string>> AllPairs() {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const auto& r : kSentences)
    for (const auto& c : kSentences)
      if (r != c) pairs.emplace_back(r, c);
  return pairs;
}

TEST(EvaluationLimit, InteractiveMoveIsRefusedWithAWarningAndChangesNothing) {
  SessionFixture f;
  f.Stage().SetWorkBudget(0);
  int refused = 0;
  for (const auto& [reason, conclusion] : AllPairs()) {
    const std::size_t moves = f.Line().ArgumentationMoves.Count();
    const std::size_t connections = f.Stage().ReasonConclusions.Count();
    const std::size_t messages = f.Asker.Messages.size();
    const int refreshes = f.Refreshes;
    f.Asker.Script({TAnswer::OK});
    f.Connect(reason, kIssue, conclusion, kIssue);
    EXPECT_EQ(f.Refreshes, refreshes + 1) << "the view is refreshed whatever the result";
    if (f.Asker.Messages.size() == messages) {
      f.Asker.Answers.clear();
      continue;
    }
    ++refused;
    const TMessage& m = f.Asker.Last();
    EXPECT_EQ(m.Type, TMessageType::Warning);
    EXPECT_EQ(m.Title, "Warning");
    EXPECT_EQ(m.Buttons, std::vector<TAnswer>{TAnswer::OK});
    EXPECT_TRUE(m.Text.ends_with("The move was not made.")) << m.Text;
    EXPECT_EQ(f.Line().ArgumentationMoves.Count(), moves);
    EXPECT_EQ(f.Stage().ReasonConclusions.Count(), connections);
    EXPECT_EQ(f.Line().ArgumentationStages.Count(), moves + 1);
  }
  EXPECT_GT(refused, 0) << "no move reached the budget";
  for (const TStatement* s : f.Stage().Statements) EXPECT_TRUE(s->Status == kJustified || s->Status == kUnjustified);
}

// Connections between every two of the first n sentences, as lines of moves.
std::vector<std::string> ConnectionLines(std::size_t n) {
  const auto used = [n](const std::string& s) { return s < kSentences[n - 1] || s == kSentences[n - 1]; };
  std::vector<std::string> lines;
  for (const auto& [reason, conclusion] : AllPairs()) {
    if (!used(reason) || !used(conclusion)) continue;
    for (const std::string& line :
         {std::string("CONCLUSION"), "  ?: " + conclusion, std::string("REASON"), "  ?: " + reason, std::string("")})
      lines.push_back(line);
  }
  return lines;
}

TEST(EvaluationLimit, InterpretationStopsThereAndKeepsTheMovesBefore) {
  const std::vector<std::string> lines = ConnectionLines(kSentences.size());
  SessionFixture f;
  f.Stage().SetWorkBudget(0);
  try {
    f.Interpret(lines);
    FAIL() << "the whole text was interpreted";
  } catch (const TCommandError& error) {
    // Shown followed by ".", like every error that ends a command.
    EXPECT_TRUE(std::string(error.what()).ends_with("The move was not made")) << error.what();
  }
  EXPECT_TRUE(f.Session.Interactive);
  EXPECT_TRUE(f.Session.RefreshViews);
  EXPECT_GT(f.Line().ArgumentationMoves.Count(), 0);
  EXPECT_LT(f.Line().ArgumentationMoves.Count(), static_cast<int>(AllPairs().size()));
  EXPECT_EQ(f.Line().ArgumentationStages.Count(), f.Line().ArgumentationMoves.Count() + 1);
  EXPECT_TRUE(f.Asker.Messages.empty());
}

// Interpreting into an empty line evaluates the last stage once, on half a move's budget;
// a stage that needs more is made again move by move, and must come out the same.
TEST(EvaluationLimit, AReplayTooCostlyToEvaluateAtOnceIsMadeMoveByMove) {
  const std::vector<std::string> lines = ConnectionLines(4);
  SessionFixture whole;
  whole.Interpret(lines);
  const std::string expected = test::Describe(whole.Stage());
  EXPECT_EQ(whole.Stage().Store().Evaluator().PartialEvaluationCount(), 0u) << "evaluated at once";
  bool movedByMove = false;
  for (std::size_t budget = 64; budget < 1'000'000 && !movedByMove; budget += budget / 4) {
    SessionFixture f;
    f.Stage().SetWorkBudget(budget);
    try {
      f.Interpret(lines);
    } catch (const TCommandError&) {
      continue;  // a move is refused at this budget
    }
    movedByMove = f.Stage().Store().Evaluator().PartialEvaluationCount() > 0;
    EXPECT_EQ(test::Describe(f.Stage()), expected) << "budget " << budget;
  }
  EXPECT_TRUE(movedByMove) << "no budget made the replay move by move to the end";
}

// Below the group, a statement whose type goes back and forth: every such move makes the
// group be evaluated again. Made again move by move, the replay as a whole may spend what a
// few evaluations of the whole stage may; the move that passes that is refused, and the
// moves before stay.
TEST(EvaluationLimit, AReplayMadeMoveByMoveIsBoundedAsAWhole) {
  std::vector<std::string> lines = ConnectionLines(4);
  for (const char* line : {"CONCLUSION", "  ?: a", "REASON", "  ?: x", ""}) lines.push_back(line);
  for (int i = 0; i < 20; ++i)
    for (const char* line : {"STATEMENT", "  !: x", "", "STATEMENT", "  ?: x", ""}) lines.push_back(line);
  bool capped = false;
  for (std::size_t budget = 64; budget < 1'000'000 && !capped; budget += budget / 4) {
    // Made move by move on a line that has a move already, nothing caps the total.
    SessionFixture uncapped;
    uncapped.Stage().SetWorkBudget(budget);
    uncapped.State("first", kIssue);
    try {
      uncapped.Interpret(lines);
    } catch (const TCommandError&) {
      continue;  // a single move is too costly at this budget
    }
    SessionFixture f;
    f.Stage().SetWorkBudget(budget);
    try {
      f.Interpret(lines);
      continue;
    } catch (const TCommandError& error) {
      EXPECT_TRUE(std::string(error.what()).ends_with("The move was not made")) << error.what();
    }
    capped = true;
    EXPECT_GT(f.Stage().Store().Evaluator().PartialEvaluationCount(), 0u) << "budget " << budget;
    EXPECT_LT(f.Line().ArgumentationMoves.Count(), uncapped.Line().ArgumentationMoves.Count() - 1);
    EXPECT_EQ(f.Line().ArgumentationStages.Count(), f.Line().ArgumentationMoves.Count() + 1);
    EXPECT_EQ(f.Stage().Store().Evaluator().TotalWorkLeft(), std::nullopt) << "the cap is lifted after the replay";
    // The moves kept are evaluated exactly.
    SessionFixture plain;
    plain.Stage().SetLiteralEvaluation(true);
    plain.Interpret(f.Line().Text());
    EXPECT_EQ(test::Describe(plain.Stage()), test::Describe(f.Stage()));
  }
  EXPECT_TRUE(capped) << "no budget let the moves through one by one but not the replay";
}

}  // namespace
}  // namespace korvane
