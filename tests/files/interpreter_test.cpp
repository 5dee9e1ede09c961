// The interpreter: each form of block, the plain-text dialect, and where it stops.
#include <gtest/gtest.h>

#include "model/warrant_sentences.h"
#include "support/session_fixture.h"

namespace korvane::test {
namespace {

using Lines = std::vector<std::string>;

// What a text became: the text the line would write.
struct InterpretCase {
  const char* Name;
  Lines Input;
  Lines Written;
};

void PrintTo(const InterpretCase& c, std::ostream* os) { *os << c.Name; }

class InterpreterTable : public ::testing::TestWithParam<InterpretCase> {};

TEST_P(InterpreterTable, MakesTheMovesOfEachForm) {
  SessionFixture f;
  f.Interpret(GetParam().Input);
  EXPECT_EQ(f.Line().Text(), GetParam().Written);
  EXPECT_TRUE(f.Asker.Messages.empty());
}

const std::string kWarrantRainWet = StepWarrantSentence("it rains", "the street is wet", kSupporting);

INSTANTIATE_TEST_SUITE_P(
    Rows, InterpreterTable,
    ::testing::Values(
        InterpretCase{"empty", {}, {}}, InterpretCase{"blank lines only", {"", "   ", "\t"}, {}},
        InterpretCase{"statement block", {"STATEMENT", "  ?: a", ""}, {"STATEMENT", "  ?: a", ""}},
        InterpretCase{"statement with other mark is an issue", {"STATEMENT", "  x: a"}, {"STATEMENT", "  ?: a", ""}},
        InterpretCase{"statement line too short keeps the default",
                      {"STATEMENT", "", "x"},
                      {"STATEMENT", "  ?: ", "", "STATEMENT", "  !: x", ""}},
        InterpretCase{"sentence line without leading blanks", {"STATEMENT", "?: foo"}, {"STATEMENT", "  ?: o", ""}},
        InterpretCase{"trailing blank of a sentence is kept", {"STATEMENT", "  ?: x "}, {"STATEMENT", "  ?: x ", ""}},
        InterpretCase{"conclusion block",
                      {"CONCLUSION", "  !: c", "REASON", "  !: r"},
                      {"CONCLUSION", "  !: c", "REASON", "  !: r", ""}},
        InterpretCase{"conclusion block default types",
                      {"CONCLUSION", "  -: c", "REASON", "  -: r"},
                      {"CONCLUSION", "  !: c", "REASON", "  ?: r", ""}},
        InterpretCase{"conclusion without reason: the lines after its keyword are plain",
                      {"CONCLUSION", "  ?: c", "REASONS", "x"},
                      {"STATEMENT", "  !: ?: c", "", "STATEMENT", "  !: REASONS", "", "STATEMENT", "  !: x", ""}},
        InterpretCase{"exception block",
                      {"EXCEPTION", "  !: e", "CONCLUSION", "  x: c", "REASON", "  x: r"},
                      {"EXCEPTION", "  !: e", "CONCLUSION", "  !: c", "REASON", "  ?: r", ""}},
        InterpretCase{"exception block default type",
                      {"EXCEPTION", "  x: e", "CONCLUSION", "  ?: c", "REASON", "  ?: r"},
                      {"EXCEPTION", "  ?: e", "CONCLUSION", "  ?: c", "REASON", "  ?: r", ""}},
        InterpretCase{"exception without conclusion",
                      {"EXCEPTION", "  ?: e", "REASON", "", "STATEMENT", "  ?: s"},
                      {"STATEMENT", "  !: ?: e", "", "STATEMENT", "  !: REASON", "", "STATEMENT", "  ?: s", ""}},
        InterpretCase{"exception without reason keyword: its conclusion block is tried next",
                      {"EXCEPTION", "  ?: e", "CONCLUSION", "  ?: c", "x", "y"},
                      {"STATEMENT", "  !: ?: e", "", "STATEMENT", "  !: ?: c", "", "STATEMENT", "  !: x", "",
                       "STATEMENT", "  !: y", ""}},
        InterpretCase{"step warrant skips the next line even a keyword",
                      {"STEP WARRANT", "STATEMENT", "  ?: a"},
                      {"STATEMENT", "  !: ?: a", ""}},
        InterpretCase{"undercutter warrant skips one line",
                      {"UNDERCUTTER WARRANT", "anything", "b"},
                      {"STATEMENT", "  !: b", ""}},
        InterpretCase{"last line step warrant ends normally", {"a", "STEP WARRANT"}, {"STATEMENT", "  !: a", ""}},
        InterpretCase{"plain line trimmed", {"  \t a sentence \x01 "}, {"STATEMENT", "  !: a sentence", ""}},
        InterpretCase{"keywords are case-sensitive and untrimmed",
                      {"statement", "STATEMENT "},
                      {"STATEMENT", "  !: statement", "", "STATEMENT", "  !: STATEMENT", ""}},
        InterpretCase{"lone dialect keywords are sentences",
                      {"REASON", "THEN", "UNLESS", "IT IS DEFEATED THAT"},
                      {"STATEMENT", "  !: REASON", "", "STATEMENT", "  !: THEN", "", "STATEMENT", "  !: UNLESS", "",
                       "STATEMENT", "  !: IT IS DEFEATED THAT", ""}},
        InterpretCase{"same statement block twice gives two moves",
                      {"STATEMENT", "  ?: a", "STATEMENT", "  ?: a"},
                      {"STATEMENT", "  ?: a", "", "STATEMENT", "  ?: a", ""}},
        InterpretCase{"rule then plain line",
                      {"IF", "it rains", "THEN", "the street is wet", "the street is wet"},
                      {"STATEMENT", "  !: " + kWarrantRainWet, "", "CONCLUSION", "  ?: the street is wet", "REASON",
                       "  ?: it rains", "", "STATEMENT", "  !: the street is wet", ""}},
        InterpretCase{"rule with exception makes no warrant",
                      {"IF", "the goods are defective", "THEN", "the buyer may return them", "UNLESS",
                       "the buyer knew of the defect"},
                      {"EXCEPTION", "  ?: the buyer knew of the defect", "CONCLUSION", "  ?: the buyer may return them",
                       "REASON", "  ?: the goods are defective", ""}},
        InterpretCase{"rule sentences are trimmed",
                      {"IF", " a ", "THEN", "\tb", ""},
                      {"STATEMENT", "  !: (IF a, THEN b)", "", "CONCLUSION", "  ?: b", "REASON", "  ?: a", ""}},
        InterpretCase{"if without then is abandoned",
                      {"IF", "a", "b", "c"},
                      {"STATEMENT", "  !: a", "", "STATEMENT", "  !: b", "", "STATEMENT", "  !: c", ""}},
        InterpretCase{"defeating rule needs exactly five lines",
                      {"IF", "a", "THEN", "IT IS DEFEATED THAT", "b", "UNLESS"},
                      {"STATEMENT", "  !: (IF a, THEN IT IS DEFEATED THAT b)", "", "CONCLUSION", "  ?: b", "REASON",
                       "  ?: a", "", "STATEMENT", "  !: UNLESS", ""}}));

TEST(Interpreter, WorkedExampleRuleWithExceptionStatuses) {
  SessionFixture f;
  f.Interpret(
      {"IF", "the goods are defective", "THEN", "the buyer may return them", "UNLESS", "the buyer knew of the defect"});
  ASSERT_EQ(f.Line().ArgumentationMoves.Count(), 1);
  for (const char* s : {"the goods are defective", "the buyer may return them", "the buyer knew of the defect"})
    EXPECT_EQ(f.Find(s)->StatementType, kIssue) << s;
}

TEST(Interpreter, PlainLineOverrulesTheRulesConclusion) {
  SessionFixture f;
  f.Interpret({"IF", "it rains", "THEN", "the street is wet", "the street is wet"});
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 3);
  EXPECT_EQ(f.Find("the street is wet")->StatementType, kAssumption);
  EXPECT_EQ(f.Find(kWarrantRainWet)->StatementType, kAssumption);
}

TEST(Interpreter, DefeatingRuleMakesADefeatingConnection) {
  SessionFixture f;
  f.Interpret({"IF", " a", "THEN", "IT IS DEFEATED THAT", "b "});
  ASSERT_EQ(f.Stage().ReasonConclusions.Count(), 1);
  EXPECT_EQ(f.Stage().ReasonConclusions[0]->ConnectionKind, kDefeating);
  EXPECT_NE(f.Find("(IF a, THEN IT IS DEFEATED THAT b)"), nullptr);
  EXPECT_EQ(f.Find("(IF a, THEN IT IS DEFEATED THAT b)")->StatementType, kAssumption);
}

TEST(Interpreter, DuplicatesAndOverrulingsAreReplayedWithoutQuestions) {
  SessionFixture f;
  f.State("a", kIssue);
  f.Interpret({"STATEMENT", "  ?: a", "STATEMENT", "  !: a"});
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 3);
  EXPECT_EQ(f.Find("a")->StatementType, kAssumption);
  EXPECT_TRUE(f.Asker.Messages.empty());
  EXPECT_TRUE(f.Session.Interactive);
  EXPECT_TRUE(f.Session.RefreshViews);
}

struct CutShortCase {
  const char* Name;
  Lines Input;
  int MovesBefore;
};

void PrintTo(const CutShortCase& c, std::ostream* os) { *os << c.Name; }

class CutShort : public ::testing::TestWithParam<CutShortCase> {};

TEST_P(CutShort, StopsBeforeTheBlockWithTheListError) {
  SessionFixture f;
  f.Host.Lines = GetParam().Input;
  try {
    f.Session.InterpretLines();
    FAIL() << "no error";
  } catch (const TCommandError& error) {
    EXPECT_STREQ(error.what(), "List index out of bounds");
  }
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), GetParam().MovesBefore);
  EXPECT_TRUE(f.Session.Interactive);
  EXPECT_TRUE(f.Session.RefreshViews);
  EXPECT_EQ(f.Refreshes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, CutShort,
    ::testing::Values(
        CutShortCase{"last line statement", {"a", "STATEMENT"}, 1},
        CutShortCase{"conclusion with one line", {"a", "CONCLUSION", "  ?: c"}, 1},
        CutShortCase{"conclusion without reason line", {"CONCLUSION", "  ?: c", "REASON"}, 0},
        CutShortCase{"exception before its keyword", {"EXCEPTION", "  ?: e"}, 0},
        CutShortCase{"exception before reason keyword", {"b", "EXCEPTION", "  ?: e", "CONCLUSION", "  ?: c"}, 1},
        CutShortCase{"exception without reason line", {"EXCEPTION", "  ?: e", "CONCLUSION", "  ?: c", "REASON"}, 0},
        CutShortCase{"if alone", {"IF"}, 0}, CutShortCase{"if before then", {"IF", "a"}, 0},
        CutShortCase{"rule that ends the lines", {"x", "IF", "a", "THEN", "b"}, 1},
        CutShortCase{"defeating rule without conclusion", {"IF", "a", "THEN", "IT IS DEFEATED THAT"}, 0},
        CutShortCase{"unless without exception", {"IF", "a", "THEN", "b", "UNLESS"}, 0}));

TEST(Interpreter, ProgressLineGrowsEveryTenthIndexExamined) {
  struct RecordingHost : TPlainTextHost {
    std::vector<std::string> Progress;
    int Painted = 0;
    bool Shown = false;
    void SetTextLine(int index, const std::string& line) override {
      TPlainTextHost::SetTextLine(index, line);
      if (index == 1) Progress.push_back(line);
    }
    void KeepPainted() override { ++Painted; }
    void ShowTextInsteadOfDiagram() override { Shown = true; }
  };
  ScriptedAsker asker;
  RecordingHost host;
  TSession session(asker, host);
  // 25 plain lines: indexes 0, 10 and 20 are examined.
  for (int k = 0; k < 25; ++k) host.Lines.push_back("s" + std::to_string(k));
  session.InterpretLines();
  EXPECT_TRUE(host.Shown);
  EXPECT_EQ(host.Progress, (std::vector<std::string>{"..", "...", "...."}));
  EXPECT_EQ(host.Painted, 3);
  EXPECT_EQ(host.Lines, (std::vector<std::string>{"Interpreting file", "...."}));
  EXPECT_EQ(session.Line().ArgumentationMoves.Count(), 25);

  // Blocks jump over indexes: two exception blocks are examined at 0 and 6 only, so index 10 never is.
  host.Progress.clear();
  host.Lines.clear();
  for (int k = 0; k < 2; ++k)
    for (const char* l : {"EXCEPTION", "  ?: e", "CONCLUSION", "  ?: c", "REASON", "  ?: r"}) host.Lines.push_back(l);
  session.InterpretLines();
  EXPECT_EQ(host.Progress, (std::vector<std::string>{".."}));
}

TEST(Interpreter, FlagsAreFalseWhileMovesAreMade) {
  SessionFixture f;
  std::vector<std::pair<bool, bool>> seen;
  f.Session.RefreshHook = [&] { seen.emplace_back(f.Session.Interactive, f.Session.RefreshViews); };
  f.Interpret({"a", "b"});
  // Only the one refresh at the end reaches the view, with both flags back.
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], std::make_pair(true, true));
}

}  // namespace
}  // namespace korvane::test
