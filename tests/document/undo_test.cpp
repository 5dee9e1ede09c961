// Undo and redo: each stage they reach is the one the text replayed gives, deletions come
// back whole, and the modified flag returns to false only at the state last saved.
#include <gtest/gtest.h>

#include <fstream>

#include "model/stage_description.h"
#include "support/session_fixture.h"

namespace korvane::test {
namespace {

using Lines = std::vector<std::string>;

// The stage a fresh session reaches from text, as the file would open.
std::string Replayed(const Lines& text) {
  THeadlessSession<> fresh;
  fresh.Host.Lines = text;
  fresh.Session.InterpretLines();
  return Describe(*fresh.Session.Line().CurrentStage);
}

struct UndoFixture : ::testing::Test, SessionFixture {
  // The text and the stage as they are now.
  std::pair<Lines, std::string> Snapshot() { return {Line().Text(), Describe(Stage())}; }
  std::string UndoName() const {
    const THistoryEntry* e = Session.History().UndoEntry();
    return e ? e->Name : std::string();
  }

  void Build() {
    State("goods defective", kAssumption);
    Connect("goods defective", kAssumption, "buyer may return", kIssue);
    Except("buyer knew", kAssumption, "goods defective", kAssumption, "buyer may return", kIssue);
  }
};

TEST(MoveHistoryNames, QuoteAndCutLongSentencesOnACharacterBoundary) {
  EXPECT_EQ(QuotedSentence("abc"), "'abc'");
  const std::string longOne = std::string(39, 'a') + "\xc3\xa9" + "tail";  // é straddles the cut
  EXPECT_EQ(QuotedSentence(longOne), "'" + std::string(39, 'a') + "...'");
}

TEST_F(UndoFixture, EveryUndoGivesTheLineAsItWasBeforeTheMove) {
  std::vector<std::pair<Lines, std::string>> before;
  before.push_back(Snapshot());
  State("goods defective", kAssumption);
  before.push_back(Snapshot());
  Connect("goods defective", kAssumption, "buyer may return", kIssue);
  before.push_back(Snapshot());
  Except("buyer knew", kAssumption, "goods defective", kAssumption, "buyer may return", kIssue);
  EXPECT_EQ(UndoName(), "exception 'buyer knew' to 'goods defective' for 'buyer may return'");
  const auto last = Snapshot();
  EXPECT_EQ(Session.History().UndoCount(), 3u);

  EXPECT_TRUE(Session.Undo());
  EXPECT_EQ(Snapshot(), before[2]);
  EXPECT_EQ(UndoName(), "reason 'goods defective' for 'buyer may return'");
  EXPECT_TRUE(Session.Undo());
  EXPECT_EQ(Snapshot(), before[1]);
  EXPECT_EQ(UndoName(), "statement 'goods defective'");
  EXPECT_TRUE(Session.Undo());
  EXPECT_EQ(Snapshot(), before[0]);
  EXPECT_FALSE(Session.Undo());
  EXPECT_EQ(Session.History().RedoCount(), 3u);

  for (int i = 0; i < 3; ++i) EXPECT_TRUE(Session.Redo());
  EXPECT_FALSE(Session.Redo());
  EXPECT_EQ(Snapshot(), last);
  EXPECT_EQ(Describe(Stage()), Replayed(Line().Text()));
}

TEST_F(UndoFixture, AnOverruledTypeComesBackOnUndo) {
  State("x", kIssue);
  const auto before = Snapshot();
  Asker.Script({TAnswer::Yes});
  State("x", kAssumption);
  ASSERT_EQ(Find("x")->StatementType, kAssumption);
  ASSERT_TRUE(Session.Undo());
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(Find("x")->StatementType, kIssue);
  // Redo asks nothing: the user already agreed.
  ASSERT_TRUE(Session.Redo());
  EXPECT_EQ(Find("x")->StatementType, kAssumption);
}

TEST_F(UndoFixture, RefusedMovesAreNoEntries) {
  State("x", kIssue);
  Asker.Script({TAnswer::OK});
  State("x", kIssue);  // already exists
  Asker.Script({TAnswer::No});
  State("x", kAssumption);  // overruling declined
  EXPECT_EQ(Session.History().UndoCount(), 1u);
}

TEST_F(UndoFixture, UndoingADeletionBringsEveryOccurrenceBack) {
  Build();
  const auto before = Snapshot();
  Asker.Script({TAnswer::Yes});
  ASSERT_TRUE(Session.PerformDeleteStatement(Line().NewStatement("goods defective", kAssumption)));
  ASSERT_EQ(Find("goods defective"), nullptr);
  EXPECT_EQ(UndoName(), "deletion of statement 'goods defective'");
  const auto deleted = Snapshot();

  ASSERT_TRUE(Session.Undo());
  EXPECT_EQ(Snapshot(), before);
  ASSERT_TRUE(Session.Redo());
  EXPECT_EQ(Snapshot(), deleted);
  // Undo past the deletion goes on move by move.
  ASSERT_TRUE(Session.Undo());
  ASSERT_TRUE(Session.Undo());
  EXPECT_EQ(Stage().ReasonConclusions.Count(), 1u);
  EXPECT_TRUE(Stage().ReasonConclusions[0]->Exceptions.Empty());
}

TEST_F(UndoFixture, ConnectionAndExceptionDeletionsAreUndoneAndRedone) {
  Build();
  const auto built = Snapshot();
  Asker.Script({TAnswer::Yes});
  ASSERT_TRUE(Session.PerformDeleteException(
      ExceptionConnection("buyer knew", kAssumption, "goods defective", kAssumption, "buyer may return", kIssue)));
  const auto noException = Snapshot();
  Asker.Script({TAnswer::Yes});
  ASSERT_TRUE(Session.PerformDeleteReasonConclusion(
      Connection("goods defective", kAssumption, "buyer may return", kIssue)));
  EXPECT_EQ(UndoName(), "deletion of reason 'goods defective' for 'buyer may return'");
  const auto noConnection = Snapshot();
  ASSERT_TRUE(Session.Undo());
  EXPECT_EQ(Snapshot(), noException);
  ASSERT_TRUE(Session.Undo());
  EXPECT_EQ(Snapshot(), built);
  ASSERT_TRUE(Session.Redo());
  ASSERT_TRUE(Session.Redo());
  EXPECT_EQ(Snapshot(), noConnection);
}

TEST_F(UndoFixture, ANewMoveClearsRedoAndANewLineClearsBoth) {
  Build();
  ASSERT_TRUE(Session.Undo());
  ASSERT_EQ(Session.History().RedoCount(), 1u);
  State("another", kIssue);
  EXPECT_EQ(Session.History().RedoCount(), 0u);
  EXPECT_EQ(Session.History().UndoCount(), 3u);
  EXPECT_EQ(UndoName(), "statement 'another'");
  Session.NewLine();
  EXPECT_EQ(Session.History().UndoCount() + Session.History().RedoCount(), 0u);
}

TEST_F(UndoFixture, ModifiedIsFalseExactlyAtTheSavedState) {
  State("a", kIssue);
  Session.History().MarkSaved();
  Line().Modified = false;
  State("b", kIssue);
  EXPECT_TRUE(Line().Modified);
  ASSERT_TRUE(Session.Undo());
  EXPECT_FALSE(Line().Modified);
  ASSERT_TRUE(Session.Undo());
  EXPECT_TRUE(Line().Modified);
  ASSERT_TRUE(Session.Redo());
  EXPECT_FALSE(Line().Modified);
  // A new move from an earlier state leaves the saved one out of reach.
  ASSERT_TRUE(Session.Undo());
  State("c", kIssue);
  ASSERT_TRUE(Session.Undo());
  EXPECT_TRUE(Line().Modified);
}

TEST_F(UndoFixture, MovesOfAnInterpretedTextAreNotEntries) {
  Interpret({"STATEMENT", "  ?: a", "", "STATEMENT", "  ?: b", ""});
  EXPECT_EQ(Session.History().UndoCount(), 0u);
}

TEST_F(UndoFixture, AnAppendIsOneEntry) {
  State("a", kIssue);
  const auto before = Snapshot();
  const std::string path = ::testing::TempDir() + "/appended.lin";
  {
    std::ofstream out(path);
    out << "STATEMENT\r\n  ?: b\r\n\r\nCONCLUSION\r\n  ?: b\r\nREASON\r\n  !: c\r\n\r\n";
  }
  Session.AppendFile(path);
  EXPECT_EQ(UndoName(), "append of 'appended.lin'");
  const auto appended = Snapshot();
  ASSERT_TRUE(Session.Undo());
  EXPECT_EQ(Snapshot(), before);
  ASSERT_TRUE(Session.Redo());
  EXPECT_EQ(Snapshot(), appended);
}

// The text view is given the line's text after moves, which only append to what it was
// given last, and after undo, redo and a deletion, which make another line of the same length.
TEST_F(UndoFixture, TheTextShownIsTheLinesTextAfterEveryKindOfChange) {
  auto shown = [this] {
    Session.ShowMovesText();
    return Host.Lines;
  };
  Build();
  EXPECT_EQ(shown(), Line().Text());
  Connect("receipt kept", kAssumption, "goods defective", kAssumption);
  EXPECT_EQ(shown(), Line().Text());
  ASSERT_TRUE(Session.Undo());
  EXPECT_EQ(shown(), Line().Text());
  State("seller informed", kIssue);
  EXPECT_EQ(shown(), Line().Text());
  ASSERT_TRUE(Session.Undo());
  ASSERT_TRUE(Session.Redo());
  EXPECT_EQ(shown(), Line().Text());
  Asker.Script({TAnswer::Yes});
  ASSERT_TRUE(Session.DeleteStatement(Find("seller informed")));
  EXPECT_EQ(shown(), Line().Text());
  State("seller informed", kAssumption);
  EXPECT_EQ(shown(), Line().Text());
}

}  // namespace
}  // namespace korvane::test
