// A move too costly to evaluate is refused, and the document stays as it was.
#include <gtest/gtest.h>

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
    const int moves = f.Line().ArgumentationMoves.Count();
    const int connections = f.Stage().ReasonConclusions.Count();
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

TEST(EvaluationLimit, InterpretationStopsThereAndKeepsTheMovesBefore) {
  std::vector<std::string> lines;
  for (const auto& [reason, conclusion] : AllPairs())
    for (const std::string& line :
         {std::string("CONCLUSION"), "  ?: " + conclusion, std::string("REASON"), "  ?: " + reason, std::string("")})
      lines.push_back(line);
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

}  // namespace
}  // namespace korvane
