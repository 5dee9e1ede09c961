// Deletions: refusals and questions, the rewrites of the text, and the replay.
#include <gtest/gtest.h>

#include "line/deletion_rewrite.h"
#include "model/warrant_sentences.h"
#include "support/session_fixture.h"

namespace korvane::test {
namespace {

using Lines = std::vector<std::string>;

struct RewriteCase {
  const char* Name;
  Lines Before;
  Lines After;
};

void PrintTo(const RewriteCase& c, std::ostream* os) { *os << c.Name; }

class StatementRewrite : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(StatementRewrite, RemovesEveryRoleOfX) {
  Lines lines = GetParam().Before;
  RewriteWithoutStatement(lines, "x");
  EXPECT_EQ(lines, GetParam().After);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, StatementRewrite,
    ::testing::Values(
        RewriteCase{
            "statement", {"STATEMENT", "  ?: x", "", "STATEMENT", "  !: y", ""}, {"", "STATEMENT", "  !: y", ""}},
        RewriteCase{"conclusion", {"CONCLUSION", "  ?: x", "REASON", "  !: y", ""}, {"STATEMENT", "  !: y", ""}},
        RewriteCase{"reason", {"CONCLUSION", "  !: y", "REASON", "  ?: x", ""}, {"STATEMENT", "  !: y", ""}},
        RewriteCase{"exception of an exception move",
                    {"EXCEPTION", "  ?: x", "CONCLUSION", "  ?: c", "REASON", "  ?: r", ""},
                    {"CONCLUSION", "  ?: c", "REASON", "  ?: r", ""}},
        RewriteCase{"conclusion of an exception move",
                    {"EXCEPTION", "  ?: e", "CONCLUSION", "  ?: x", "REASON", "  !: r", ""},
                    {"STATEMENT", "  ?: e", "STATEMENT", "  !: r", ""}},
        RewriteCase{"reason of an exception move",
                    {"EXCEPTION", "  !: e", "CONCLUSION", "  ?: c", "REASON", "  ?: x", ""},
                    {"STATEMENT", "  !: e", "STATEMENT", "  ?: c", ""}},
        RewriteCase{"unrelated moves stay",
                    {"STATEMENT", "  ?: X", "", "CONCLUSION", "  ?: x ", "REASON", "  ?: y", ""},
                    {"STATEMENT", "  ?: X", "", "CONCLUSION", "  ?: x ", "REASON", "  ?: y", ""}},
        RewriteCase{"type marks play no part", {"STATEMENT", "  !: x", "", "STATEMENT", "  ?: x", ""}, {"", ""}},
        RewriteCase{"a connection from x to x keeps its reason",
                    {"CONCLUSION", "  ?: x", "REASON", "  !: x", ""},
                    {"STATEMENT", "  !: x", ""}}));

TEST(DeletionRewrite, SentenceOfALineSkipsLeadingBlanksThenThreeCharacters) {
  EXPECT_EQ(RewriteSentence("  ?: abc"), "abc");
  EXPECT_EQ(RewriteSentence("?: abc"), "abc");
  EXPECT_EQ(RewriteSentence("\t\t!: a b "), "a b ");
  EXPECT_EQ(RewriteSentence("  ?:"), "");
  EXPECT_EQ(RewriteSentence(""), "");
}

TEST(DeletionRewrite, ConnectionSplitsMovesIntoStatementMoves) {
  Lines lines{"CONCLUSION", "  ?: c",     "REASON", "  !: r",     "",       "EXCEPTION",
              "  ?: e",     "CONCLUSION", "  ?: c", "REASON",     "  !: r", "",
              "CONCLUSION", "  ?: c",     "REASON", "  ?: other", ""};
  RewriteWithoutConnection(lines, "r", "c");
  EXPECT_EQ(lines,
            (Lines{"STATEMENT", "  ?: c", "", "STATEMENT", "  !: r", "", "STATEMENT", "  ?: e", "STATEMENT", "  ?: c",
                   "", "STATEMENT", "  !: r", "", "CONCLUSION", "  ?: c", "REASON", "  ?: other", ""}));
}

TEST(DeletionRewrite, ExceptionBecomesStatementThenConnection) {
  Lines lines{"EXCEPTION", "  !: e", "CONCLUSION", "  ?: c", "REASON", "  ?: r", "",
              "EXCEPTION", "  !: f", "CONCLUSION", "  ?: c", "REASON", "  ?: r", ""};
  RewriteWithoutException(lines, "e", "r", "c");
  EXPECT_EQ(lines, (Lines{"STATEMENT", "  !: e", "", "CONCLUSION", "  ?: c", "REASON", "  ?: r", "", "EXCEPTION",
                          "  !: f", "CONCLUSION", "  ?: c", "REASON", "  ?: r", ""}));
}

// Through the session.

TEST(Deletion, StatementNeverMadeIsRefused) {
  SessionFixture f;
  f.State("a", kIssue);
  f.Asker.Script({TAnswer::OK});
  EXPECT_FALSE(f.Session.PerformDeleteStatement(f.Line().NewStatement("x", kIssue)));
  EXPECT_EQ(f.Asker.Last().Text, "The statement 'x' has not yet been made and cannot be deleted.");
  EXPECT_EQ(f.Asker.Last().Buttons, std::vector<TAnswer>{TAnswer::OK});
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 1);
}

TEST(Deletion, StatementDeclinedChangesNothing) {
  SessionFixture f;
  f.State("x", kIssue);
  TLineOfArgumentation* before = &f.Line();
  f.Line().Modified = false;
  f.Asker.Script({TAnswer::No});
  EXPECT_FALSE(f.Session.PerformDeleteStatement(f.Line().NewStatement("x", kIssue)));
  const TMessage& m = f.Asker.Last();
  EXPECT_EQ(m.Text, "Do you want to delete the statement 'x' and all its occurrences?");
  EXPECT_EQ(m.Type, TMessageType::Warning);
  EXPECT_EQ(m.Buttons, (std::vector<TAnswer>{TAnswer::Yes, TAnswer::No}));
  EXPECT_EQ(m.Default, TAnswer::Yes);
  EXPECT_EQ(m.Escape, TAnswer::No);
  EXPECT_EQ(&f.Line(), before);
  EXPECT_FALSE(f.Line().Modified);
}

TEST(Deletion, StatementLeavesTheOtherEndOfItsConnection) {
  SessionFixture f;
  f.State("x", kIssue);
  f.Connect("y", kAssumption, "x", kIssue);
  f.Line().FileName = "case.lin";
  f.Line().Modified = false;
  f.Asker.Script({TAnswer::Yes});
  EXPECT_TRUE(f.Session.PerformDeleteStatement(f.Line().NewStatement("x", kIssue)));
  EXPECT_EQ(f.Line().Text(), (Lines{"STATEMENT", "  !: y", ""}));
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 1);
  EXPECT_EQ(f.Find("y")->Id, "1");
  EXPECT_EQ(f.Line().FileName, "case.lin");
  EXPECT_TRUE(f.Line().Modified);
  EXPECT_TRUE(f.Session.Interactive);
  EXPECT_TRUE(f.Session.RefreshViews);
}

TEST(Deletion, ConclusionAndExceptionOfAnExceptionMove) {
  SessionFixture f;
  f.Except("e", kIssue, "r", kIssue, "c", kIssue);
  f.Asker.Script({TAnswer::Yes});
  f.Session.PerformDeleteStatement(f.Line().NewStatement("c", kIssue));
  EXPECT_EQ(f.Line().Text(), (Lines{"STATEMENT", "  ?: e", "", "STATEMENT", "  ?: r", ""}));

  SessionFixture g;
  g.Except("e", kIssue, "r", kIssue, "c", kIssue);
  g.Asker.Script({TAnswer::Yes});
  g.Session.PerformDeleteStatement(g.Line().NewStatement("e", kIssue));
  EXPECT_EQ(g.Line().Text(), (Lines{"CONCLUSION", "  ?: c", "REASON", "  ?: r", ""}));
  ASSERT_EQ(g.Stage().ReasonConclusions.Count(), 1);
  EXPECT_EQ(g.Stage().ReasonConclusions[0]->Exceptions.Count(), 0);
}

TEST(Deletion, ConnectionRefusedWhenNotThere) {
  SessionFixture f;
  f.Connect("r", kIssue, "c", kIssue);
  f.Asker.Script({TAnswer::OK});
  EXPECT_FALSE(f.Session.PerformDeleteReasonConclusion(f.Connection("c", kIssue, "r", kIssue)));
  EXPECT_EQ(f.Asker.Last().Text, "The statement 'c' is not yet a reason for the statement 'r'.");
}

TEST(Deletion, ConnectionWithItsWarrantAndExceptionMove) {
  SessionFixture f;
  const std::string warrant = StepWarrantSentence("r", "c", kSupporting);
  f.Connect("r", kIssue, "c", kIssue);
  f.State(warrant, kIssue);
  f.Except("e", kAssumption, "r", kIssue, "c", kIssue);
  f.State("other", kIssue);
  f.Asker.Script({TAnswer::Yes});
  EXPECT_TRUE(f.Session.PerformDeleteReasonConclusion(f.Connection("r", kIssue, "c", kIssue)));
  EXPECT_EQ(f.Asker.Messages.back().Text, std::string("Do you want to delete the connection") + CRLF +
                                              "between the reason 'r'" + CRLF + "and the conclusion 'c'?");
  EXPECT_EQ(f.Line().Text(),
            (Lines{"STATEMENT", "  ?: c", "", "STATEMENT", "  ?: r", "", "STATEMENT", "  !: e", "", "STATEMENT",
                   "  ?: c", "", "STATEMENT", "  ?: r", "", "STATEMENT", "  ?: other", ""}));
  EXPECT_EQ(f.Stage().ReasonConclusions.Count(), 0);
  EXPECT_EQ(f.Find(warrant), nullptr);
}

TEST(Deletion, DefeatingConnectionLosesItsSupportingWarrantOnly) {
  // A defeating rule's warrant is not the supporting one the deletion removes.
  SessionFixture f;
  f.Interpret({"IF", "a", "THEN", "IT IS DEFEATED THAT", "b"});
  f.Asker.Script({TAnswer::Yes});
  EXPECT_TRUE(f.Session.PerformDeleteReasonConclusion(f.Connection("a", kIssue, "b", kIssue)));
  EXPECT_NE(f.Find(StepWarrantSentence("a", "b", kDefeating)), nullptr);
  EXPECT_EQ(f.Stage().ReasonConclusions.Count(), 0);
}

TEST(Deletion, ExceptionRefusedWithTheTextAsGiven) {
  SessionFixture f;
  f.Connect("r", kIssue, "c", kIssue);
  f.Asker.Script({TAnswer::OK});
  EXPECT_FALSE(f.Session.PerformDeleteException(f.ExceptionConnection("e", kIssue, "r", kIssue, "c", kIssue)));
  EXPECT_EQ(f.Asker.Last().Text, std::string("The statement 'e'") + CRLF +
                                     "is not yet an exception blocking the connection" + CRLF +
                                     "between the reason 'r'" + CRLF + "and the conclusion c'.");
  // No connection at all is refused the same way.
  f.Asker.Script({TAnswer::OK});
  EXPECT_FALSE(f.Session.PerformDeleteException(f.ExceptionConnection("e", kIssue, "x", kIssue, "y", kIssue)));
  EXPECT_EQ(f.Asker.Messages.size(), 2u);
}

TEST(Deletion, ExceptionKeepsTheConnectionAndLosesItsWarrant) {
  SessionFixture f;
  const std::string warrant = UndercutterWarrantSentence("e", "r", "c");
  f.Except("e", kAssumption, "r", kIssue, "c", kIssue);
  f.State(warrant, kAssumption);
  f.Asker.Script({TAnswer::Yes});
  EXPECT_TRUE(f.Session.PerformDeleteException(f.ExceptionConnection("e", kIssue, "r", kIssue, "c", kIssue)));
  EXPECT_EQ(f.Asker.Last().Text, std::string("Do you want to delete the exception 'e'") + CRLF +
                                     "blocking the connection between the reason 'r'" + CRLF +
                                     "and the conclusion c'?");
  EXPECT_EQ(f.Line().Text(), (Lines{"STATEMENT", "  !: e", "", "CONCLUSION", "  ?: c", "REASON", "  ?: r", ""}));
  ASSERT_EQ(f.Stage().ReasonConclusions.Count(), 1);
  EXPECT_EQ(f.Stage().ReasonConclusions[0]->Exceptions.Count(), 0);
  EXPECT_EQ(f.Find("e")->StatementType, kAssumption);
  EXPECT_EQ(f.Find(warrant), nullptr);
}

TEST(Deletion, RefreshesOnceAtTheEndAsSeenByTheView) {
  SessionFixture f;
  f.State("x", kIssue);
  f.State("y", kIssue);
  const int before = f.Refreshes;
  f.Asker.Script({TAnswer::Yes});
  f.Session.PerformDeleteStatement(f.Line().NewStatement("x", kIssue));
  // The replay refreshes once, the entry point once more.
  EXPECT_EQ(f.Refreshes, before + 2);
}

TEST(Deletion, AReplayThatFailsPutsTheOriginalLineBack) {
  // The second replay of a connection deletion fails; the document must be the one
  // the user had, not a half-rebuilt one.
  SessionFixture f;
  f.Connect("r", kIssue, "c", kIssue);
  f.State(StepWarrantSentence("r", "c", kSupporting), kAssumption);
  f.Line().FileName = "doc.lin";
  f.Line().Modified = false;
  TLineOfArgumentation* original = &f.Line();
  int refreshes = 0;
  f.Session.RefreshHook = [&] {
    if (++refreshes == 2) throw std::runtime_error("view failed");
  };
  f.Asker.Script({TAnswer::Yes});
  EXPECT_THROW(f.Session.DeleteReasonConclusion(f.Connection("r", kIssue, "c", kIssue)), std::runtime_error);
  EXPECT_EQ(&f.Line(), original);
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 2);
  EXPECT_EQ(f.Line().FileName, "doc.lin");
  EXPECT_FALSE(f.Line().Modified);
  EXPECT_EQ(f.Stage().ReasonConclusions.Count(), 1);
}

}  // namespace
}  // namespace korvane::test
