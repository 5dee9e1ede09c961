// Writing a line, interpreting the text on an empty line and writing again gives the
// same text, for many generated lines.
#include <gtest/gtest.h>

#include <random>

#include "support/session_fixture.h"

namespace korvane::test {
namespace {

// Sentences drawn from a small pool so that moves repeat and overrule one another;
// some look like keywords or carry blanks and odd bytes.
std::string Sentence(std::mt19937& random) {
  static const std::vector<std::string> pool{"a",
                                             "b",
                                             "c",
                                             "d",
                                             " e",
                                             "f ",
                                             "STATEMENT",
                                             "REASON",
                                             "IF",
                                             "",
                                             "\xe9t\xe9",
                                             "g\th",
                                             std::string("n\0l", 3),
                                             "(IF a, THEN b)",
                                             "?: x"};
  return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
}

TStatementType Type(std::mt19937& random) {
  return std::uniform_int_distribution<int>(0, 1)(random) ? kIssue : kAssumption;
}

TEST(RoundTrip, WriteInterpretWriteGivesTheSameText) {
  std::mt19937 random(20261208);
  for (int trial = 0; trial < 300; ++trial) {
    SessionFixture original;
    original.Session.Interactive = false;  // every generated move is made
    const int moves = std::uniform_int_distribution<int>(0, 12)(random);
    for (int m = 0; m < moves; ++m) {
      switch (std::uniform_int_distribution<int>(0, 2)(random)) {
        case 0: original.State(Sentence(random), Type(random)); break;
        case 1: original.Connect(Sentence(random), Type(random), Sentence(random), Type(random)); break;
        default:
          original.Except(Sentence(random), Type(random), Sentence(random), Type(random), Sentence(random),
                          Type(random));
      }
    }
    original.Session.Interactive = true;
    const std::vector<std::string> text = original.Line().Text();
    ASSERT_EQ(original.Line().ArgumentationMoves.Count(), moves);

    SessionFixture replayed;
    replayed.Interpret(text);
    ASSERT_EQ(replayed.Line().Text(), text) << "trial " << trial;
    ASSERT_EQ(replayed.Line().ArgumentationMoves.Count(), moves);
    // The same statements, in the same order, with the same types.
    const TStatements& a = original.Stage().Statements;
    const TStatements& b = replayed.Stage().Statements;
    ASSERT_EQ(a.Count(), b.Count());
    for (std::size_t k = 0; k < a.Count(); ++k) {
      EXPECT_EQ(a[k]->Sentence, b[k]->Sentence);
      EXPECT_EQ(a[k]->StatementType, b[k]->StatementType);
      EXPECT_EQ(a[k]->Id, b[k]->Id);
      EXPECT_EQ(a[k]->Status, b[k]->Status);
    }
  }
}

}  // namespace
}  // namespace korvane::test
