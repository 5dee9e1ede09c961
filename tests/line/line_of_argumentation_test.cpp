// Moves of the line of argumentation: the lines they record, the questions they ask.
#include <gtest/gtest.h>

#include "support/session_fixture.h"

namespace korvane::test {
namespace {

using Lines = std::vector<std::string>;

TEST(LineOfArgumentation, NewLineHasOneEmptyStageAndNoMoves) {
  SessionFixture f;
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 0);
  ASSERT_EQ(f.Line().ArgumentationStages.Count(), 1);
  EXPECT_EQ(f.Line().CurrentStage, f.Line().ArgumentationStages[0]);
  EXPECT_EQ(f.Line().CurrentStage->Statements.Count(), 0);
  EXPECT_FALSE(f.Line().Modified);
  EXPECT_EQ(f.Line().FileName, "");
  EXPECT_TRUE(f.Line().Text().empty());
}

TEST(LineOfArgumentation, StatementMovesRecordTheirLinesAndStages) {
  SessionFixture f;
  EXPECT_TRUE(f.State("A", kIssue));
  EXPECT_TRUE(f.State("B", kAssumption));
  ASSERT_EQ(f.Line().ArgumentationMoves.Count(), 2);
  EXPECT_EQ(f.Line().ArgumentationMoves[0]->Move, (Lines{"STATEMENT", "  ?: A", ""}));
  EXPECT_EQ(f.Line().ArgumentationMoves[1]->Move, (Lines{"STATEMENT", "  !: B", ""}));
  ASSERT_EQ(f.Line().ArgumentationStages.Count(), 3);
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(f.Line().ArgumentationMoves[k]->PreStage, f.Line().ArgumentationStages[k]);
    EXPECT_EQ(f.Line().ArgumentationMoves[k]->PostStage, f.Line().ArgumentationStages[k + 1]);
  }
  EXPECT_EQ(f.Line().CurrentStage, f.Line().ArgumentationStages[2]);
  EXPECT_EQ(f.Stage().Statements.Count(), 2);
  EXPECT_TRUE(f.Line().Modified);
  EXPECT_TRUE(f.Asker.Messages.empty());
  // Only the current stage keeps its evaluation; an earlier one computes it when asked.
  TArgumentationStage& earlier = *f.Line().ArgumentationStages[1];
  EXPECT_FALSE(f.Stage().EvaluationReleased());
  ASSERT_TRUE(earlier.EvaluationReleased());
  earlier.EnsureEvaluated();
  EXPECT_EQ(earlier.DialecticalArguments.Count(), 1);
  EXPECT_EQ(earlier.Arguments.Count(), 1);
}

TEST(LineOfArgumentation, SameStatementTwiceIsRefusedWithAWarning) {
  SessionFixture f;
  f.State("A", kIssue);
  f.Asker.Script({TAnswer::OK});
  EXPECT_FALSE(f.State("A", kIssue));
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 1);
  ASSERT_EQ(f.Asker.Messages.size(), 1u);
  const TMessage& m = f.Asker.Last();
  EXPECT_EQ(m.Type, TMessageType::Warning);
  EXPECT_EQ(m.Title, "Warning");
  EXPECT_EQ(m.Text, std::string(CRLF) + "The statement 'A' already exists. " + CRLF + "It cannot be added again. ");
  EXPECT_EQ(m.Buttons, std::vector<TAnswer>{TAnswer::OK});
  EXPECT_EQ(m.Default, TAnswer::OK);
  EXPECT_EQ(m.Escape, TAnswer::OK);
}

TEST(LineOfArgumentation, OtherTypeAsksAndYesOverrules) {
  SessionFixture f;
  f.State("A", kIssue);
  f.Asker.Script({TAnswer::Yes});
  EXPECT_TRUE(f.State("A", kAssumption));
  const TMessage& m = f.Asker.Last();
  EXPECT_EQ(m.Type, TMessageType::Confirmation);
  EXPECT_EQ(m.Title, "Confirm");
  EXPECT_EQ(m.Text, std::string(CRLF) + "The statement 'A' already exists. " + CRLF +
                        "Its type was different and will be overruled. " + CRLF +
                        "Do you really want to add it again? ");
  EXPECT_EQ(m.Buttons, (std::vector<TAnswer>{TAnswer::Yes, TAnswer::No}));
  EXPECT_EQ(m.Default, TAnswer::Yes);
  EXPECT_EQ(m.Escape, TAnswer::No);
  ASSERT_EQ(f.Line().ArgumentationMoves.Count(), 2);
  EXPECT_EQ(f.Line().ArgumentationMoves[1]->Move[1], "  !: A");
  EXPECT_EQ(f.Find("A")->StatementType, kAssumption);
}

TEST(LineOfArgumentation, OtherTypeAnsweredNoChangesNothing) {
  SessionFixture f;
  f.State("A", kIssue);
  f.Line().Modified = false;
  f.Asker.Script({TAnswer::No});
  EXPECT_FALSE(f.State("A", kAssumption));
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 1);
  EXPECT_EQ(f.Line().ArgumentationStages.Count(), 2);
  EXPECT_FALSE(f.Line().Modified);
  EXPECT_EQ(f.Find("A")->StatementType, kIssue);
}

TEST(LineOfArgumentation, NothingIsAskedWhileNotInteractive) {
  SessionFixture f;
  f.State("A", kIssue);
  f.Session.Interactive = false;
  EXPECT_TRUE(f.State("A", kIssue));
  EXPECT_TRUE(f.State("A", kAssumption));
  f.Connect("A", kIssue, "B", kIssue);
  f.Connect("A", kAssumption, "B", kAssumption);
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 5);
  EXPECT_TRUE(f.Asker.Messages.empty());
}

TEST(LineOfArgumentation, ReasonConclusionMoveWritesConclusionFirst) {
  SessionFixture f;
  f.Connect("r", kIssue, "c", kAssumption);
  ASSERT_EQ(f.Line().ArgumentationMoves.Count(), 1);
  EXPECT_EQ(f.Line().ArgumentationMoves[0]->Move, (Lines{"CONCLUSION", "  !: c", "REASON", "  ?: r", ""}));
  EXPECT_EQ(f.Find("c")->Id, "1");
  EXPECT_EQ(f.Find("r")->Id, "2");
  EXPECT_TRUE(f.Asker.Messages.empty());
}

TEST(LineOfArgumentation, RepeatedConnectionIsRecordedWithoutQuestion) {
  SessionFixture f;
  f.Connect("r", kIssue, "c", kIssue);
  f.Connect("r", kIssue, "c", kIssue);
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 2);
  EXPECT_EQ(f.Stage().ReasonConclusions.Count(), 1);
  EXPECT_TRUE(f.Asker.Messages.empty());
}

TEST(LineOfArgumentation, BothEndsOverruledAskOneQuestionReasonFirst) {
  SessionFixture f;
  f.Connect("r", kIssue, "c", kIssue);
  f.Asker.Script({TAnswer::Yes});
  f.Connect("r", kAssumption, "c", kAssumption);
  ASSERT_EQ(f.Asker.Messages.size(), 1u);
  EXPECT_EQ(f.Asker.Last().Type, TMessageType::Confirmation);
  EXPECT_EQ(f.Asker.Last().Text,
            std::string("The reason 'r' already exists. ") + CRLF + "Its type was different and will be overruled. " +
                CRLF + "The conclusion 'c' already exists. " + CRLF + "Its type was different and will be overruled. " +
                CRLF + "Do you really want to add the reason and the conclusion?");
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 2);
  EXPECT_EQ(f.Find("r")->StatementType, kAssumption);
  EXPECT_EQ(f.Find("c")->StatementType, kAssumption);
}

TEST(LineOfArgumentation, ConclusionOnlyOverruledAndDeclined) {
  SessionFixture f;
  f.State("c", kIssue);
  f.Asker.Script({TAnswer::No});
  f.Connect("r", kIssue, "c", kAssumption);
  EXPECT_EQ(f.Asker.Last().Text, std::string("The conclusion 'c' already exists. ") + CRLF +
                                     "Its type was different and will be overruled. " + CRLF +
                                     "Do you really want to add the reason and the conclusion?");
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 1);
  EXPECT_EQ(f.Find("r"), nullptr);
}

TEST(LineOfArgumentation, ExceptionMoveListsExceptionConclusionReason) {
  SessionFixture f;
  f.Except("e", kIssue, "r", kAssumption, "c", kIssue);
  ASSERT_EQ(f.Line().ArgumentationMoves.Count(), 1);
  EXPECT_EQ(f.Line().ArgumentationMoves[0]->Move,
            (Lines{"EXCEPTION", "  ?: e", "CONCLUSION", "  ?: c", "REASON", "  !: r", ""}));
  ASSERT_EQ(f.Stage().ReasonConclusions.Count(), 1);
  EXPECT_EQ(f.Stage().ReasonConclusions[0]->Exceptions.Count(), 1);
}

TEST(LineOfArgumentation, ExceptionQuestionNamesAllThreeInOrder) {
  SessionFixture f;
  f.Except("e", kIssue, "r", kIssue, "c", kIssue);
  f.Asker.Script({TAnswer::Yes});
  f.Except("e", kAssumption, "r", kAssumption, "c", kAssumption);
  EXPECT_EQ(f.Asker.Last().Text,
            std::string("The exception 'e' already exists. ") + CRLF +
                "Its type was different and will be overruled. " + CRLF + "The reason 'r' already exists. " + CRLF +
                "Its type was different and will be overruled. " + CRLF + "The conclusion 'c' already exists. " + CRLF +
                "Its type was different and will be overruled. " + CRLF +
                "Do you really want to add the exception, the reason and the conclusion?");
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 2);
}

TEST(LineOfArgumentation, SentenceLinesCarryTheTypesPassedIn) {
  // One sentence in two roles with two types: each line shows what the caller gave.
  SessionFixture f;
  f.Session.Interactive = false;
  f.Connect("x", kAssumption, "x", kIssue);
  EXPECT_EQ(f.Line().ArgumentationMoves[0]->Move, (Lines{"CONCLUSION", "  ?: x", "REASON", "  !: x", ""}));
}

TEST(Session, EntryPointsRefreshWhateverTheResult) {
  SessionFixture f;
  f.State("A", kIssue);
  EXPECT_EQ(f.Refreshes, 1);
  f.Asker.Script({TAnswer::OK});
  f.State("A", kIssue);
  EXPECT_EQ(f.Refreshes, 2);
  f.Connect("r", kIssue, "A", kIssue);
  f.Except("e", kIssue, "r", kIssue, "A", kIssue);
  EXPECT_EQ(f.Refreshes, 4);
  f.Session.RefreshViews = false;
  f.State("B", kIssue);
  EXPECT_EQ(f.Refreshes, 4);
}

TEST(Session, NewLineReplacesTheLine) {
  SessionFixture f;
  f.State("A", kIssue);
  f.Line().FileName = "x.lin";
  f.Session.NewLine();
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 0);
  EXPECT_EQ(f.Line().FileName, "");
  EXPECT_FALSE(f.Line().Modified);
}

TEST(Session, ShowMovesTextPutsTheTextIntoTheView) {
  SessionFixture f;
  f.State("A", kIssue);
  f.Connect("r", kIssue, "c", kIssue);
  f.Host.Lines = {"old"};
  f.Session.ShowMovesText();
  EXPECT_EQ(f.Host.Lines, (Lines{"STATEMENT", "  ?: A", "", "CONCLUSION", "  ?: c", "REASON", "  ?: r", ""}));
}

}  // namespace
}  // namespace korvane::test
