// Importing Argdown written by hand: supports, attacks, undercuts, premise-conclusion
// structures, and the line named when something is wrong.
#include <gtest/gtest.h>

#include "interchange_fixture.h"

namespace korvane::test {
namespace {

using interchange::ImportArgumentation;
using interchange::TImportError;
using interchange::TImportFormat;

struct TImported {
  std::unique_ptr<THeadlessSession<>> Session;
  std::vector<std::string> Notices;
  const TArgumentationStage& Stage() const { return *Session->Session.Line().CurrentStage; }
};

TImported Import(const std::string& text) {
  interchange::TImportResult r = ImportArgumentation(text, TImportFormat::Argdown);
  return {Interpreted(r.Lines), r.Notices};
}

std::string Connections(const TArgumentationStage& s) {
  std::string out;
  for (const TReasonConclusion* c : s.ReasonConclusions) {
    out += c->Reason->Sentence + ">" + c->Conclusion->Sentence;
    for (const TStatement* e : c->Exceptions) out += "!" + e->Sentence;
    out += c->ConnectionKind == kDefeating ? "(d) " : " ";
  }
  return out;
}

struct TCase {
  std::string Name;
  std::string Text;
  std::string Connections;
  int Notices;
};

// What ctest shows of a case.
void PrintTo(const TCase& c, std::ostream* os) { *os << c.Name; }

class ArgdownImport : public ::testing::TestWithParam<TCase> {};

TEST_P(ArgdownImport, MakesTheseConnections) {
  const TImported t = Import(GetParam().Text);
  EXPECT_EQ(Connections(t.Stage()), GetParam().Connections);
  EXPECT_EQ(static_cast<int>(t.Notices.size()), GetParam().Notices) << (t.Notices.empty() ? "" : t.Notices[0]);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArgdownImport,
    ::testing::Values(
        TCase{"IncomingSupports", "[C]: c\n  + [A]: a\n  + [B]: b\n    + [D]: d\n", "a>c b>c d>b ", 0},
        TCase{"OutgoingSupport", "[A]: a\n  +> [C]: c\n", "a>c ", 0},
        TCase{"AttackOnSupportedStatement", "[C]: c\n  + [A]: a\n  - [X]: x\n", "a>c!x ", 0},
        TCase{"AttackWithoutSupport", "[C]: c\n  - [X]: x\n", "", 1},
        TCase{"EmptyTextTakenWithANotice", "[C]: \n  + [A]: a\n", "a> ", 1},
        TCase{"ArgumentWithPcsAndUndercut",
              "<Arg>: an argument\n\n(1) [A]: a\n(2) [B]: b\n----\n(3) [C]: c\n\n[X]: x\n  _> <Arg>\n", "a>c!x b>c!x ",
              0},
        // The argument's own inference is its last step, made when its title is read; the
        // steps before it follow.
        TCase{"TwoStepPcs", "<Arg>\n\n(1) a\n-- rule --\n(2) b\n----\n(3) c\n", "b>c a>b ", 0},
        TCase{"ArgumentAttacksStatement",
              "<Arg>: x\n  <+ [A]: a\n  -> [C]: c\n\n[W]: (IF a, THEN IT IS DEFEATED THAT c)\n", "a>c(d) ", 0},
        TCase{
            "CommentsHeadingsFrontMatterAndTags",
            "===\ntitle: t\n===\n# Heading\n\n[C]: the *claim* #issue // comment\n  + [A]: a /* note */ #assumption\n",
            "a>the claim ", 0},
        TCase{"Contradiction", "[A]: a\n  >< [B]: b\n", "", 1}),
    [](const ::testing::TestParamInfo<TCase>& info) { return info.param.Name; });

TEST(ArgdownImportTypes, TagsOverruleWhatTheGraphSuggests) {
  const TImported t = Import("[C]: c #assumption\n  + [A]: a #issue\n");
  EXPECT_EQ(t.Stage().Statements[0]->StatementType, kAssumption);
  EXPECT_EQ(t.Stage().Statements[1]->StatementType, kIssue);
  const TImported plain = Import("[C]: c\n  + [A]: a\n");
  EXPECT_EQ(plain.Stage().Statements[0]->StatementType, kIssue);
  EXPECT_EQ(plain.Stage().Statements[1]->StatementType, kAssumption);
}

struct TBad {
  std::string Name;
  std::string Text;
  std::string Message;
};

void PrintTo(const TBad& c, std::ostream* os) { *os << c.Name; }

class ArgdownImportRejects : public ::testing::TestWithParam<TBad> {};

TEST_P(ArgdownImportRejects, NamingTheLine) {
  try {
    (void)ImportArgumentation(GetParam().Text, TImportFormat::Argdown);
    FAIL() << "accepted";
  } catch (const TImportError& error) {
    EXPECT_EQ(error.what(), GetParam().Message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArgdownImportRejects,
    ::testing::Values(TBad{"UnclosedTitle", "[A: text\n", "line 1: the title is not closed with ']'"},
                      TBad{"NoEmptyLine", "[A]: a\n[B]: b\n",
                           "line 2: a new statement or argument must follow an empty line"},
                      TBad{"UnclosedComment", "[A]: a\n\n/* never closed\n", "line 3: a comment is not closed"},
                      TBad{"InferenceWithoutConclusion", "<X>\n\n(1) a\n----\n",
                           "line 4: an inference line with no conclusion below it"},
                      TBad{"NotUtf8", "[A]: caf\xE9\n", "the file is not UTF-8 text"}),
    [](const ::testing::TestParamInfo<TBad>& info) { return info.param.Name; });

}  // namespace
}  // namespace korvane::test
