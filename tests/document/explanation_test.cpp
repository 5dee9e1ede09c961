// The explanation of a statement's status: its data against hand-built stages of every
// shape, its sentence, and its agreement with the status rule on generated stages.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <sstream>
#include <stdexcept>

#include "document/explanation.h"
#include "document/explanation_text.h"
#include "model/stage_builder.h"
#include "model/warrant_sentences.h"
#include "support/stage_generator.h"

namespace korvane {
namespace {

using test::StageBuilder;
constexpr TStatementType A = kAssumption;
constexpr TStatementType I = kIssue;

std::string Name(const TStatement* s) { return s ? "'" + s->Sentence + "'" : "none"; }

// A step as "from 'r' [defeating] warrant none/'w' holds|fails reason +|- [exception 'e' warrant .. blocks|stays]
// counts|not".
std::string Summary(const TStatementExplanation& x) {
  std::ostringstream out;
  for (const TStepExplanation& step : x.Steps) {
    out << "from " << Name(step.Reason) << (step.ConnectionKind == kDefeating ? " defeating" : "") << " warrant "
        << Name(step.Warrant) << (step.WarrantHolds ? " holds" : " fails") << " reason "
        << (step.ReasonJustified ? "+" : "-");
    for (const TUndercutterExplanation& u : step.Undercutters)
      out << " [exception " << Name(u.Exception) << (u.ExceptionJustified ? "+" : "-") << " warrant " << Name(u.Warrant)
          << (u.WarrantHolds ? " holds" : " fails") << (u.Blocks ? " blocks]" : " stays]");
    out << (step.Counts ? " counts" : " not") << "; ";
  }
  return out.str();
}

struct ShapeCase {
  const char* Name;
  std::function<void(StageBuilder&)> Build;
  const char* Explained;
  TStatus Status;
  const char* Steps;
  const char* Why;
};

void PrintTo(const ShapeCase& c, std::ostream* os) { *os << c.Name; }

class Shapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(Shapes, DataAndSentenceFollowTheEvaluation) {
  const ShapeCase& c = GetParam();
  StageBuilder b;
  c.Build(b);
  const TStatement* s = b.Find(c.Explained);
  ASSERT_NE(s, nullptr);
  const TStatementExplanation x = ExplainStatement(b.Current(), *s);
  EXPECT_EQ(x.Statement, s);
  EXPECT_EQ(x.Status, c.Status);
  EXPECT_EQ(x.Status, s->Status);  // the verdict the stage gave
  EXPECT_EQ(Summary(x), c.Steps);
  EXPECT_EQ(WhySentence(x), c.Why);
}

const std::string kWarrantAC = StepWarrantSentence("a", "c", kSupporting);
const std::string kUndercutterEAC = UndercutterWarrantSentence("e", "a", "c");

INSTANTIATE_TEST_SUITE_P(
    Stages, Shapes,
    ::testing::Values(
        ShapeCase{"assumption", [](StageBuilder& b) { b.State("a", A); }, "a", kJustified, "",
                  "justified: it is an assumption"},
        ShapeCase{"assumption with an unjustified step", [](StageBuilder& b) { b.Connect("x", I, "a", A); }, "a",
                  kJustified, "from 'x' warrant none holds reason - not; ", "justified: it is an assumption"},
        ShapeCase{"issue without steps", [](StageBuilder& b) { b.State("c", I); }, "c", kUnjustified, "",
                  "unjustified: it is an issue and no reason has been given for it"},
        ShapeCase{"one step from an assumption", [](StageBuilder& b) { b.Connect("a", A, "c", I); }, "c", kJustified,
                  "from 'a' warrant none holds reason + counts; ",
                  "justified: the step from 'a' counts (its warrant is not stated; no exception blocks it)"},
        ShapeCase{"unjustified reason", [](StageBuilder& b) { b.Connect("a", I, "c", I); }, "c", kUnjustified,
                  "from 'a' warrant none holds reason - not; ",
                  "unjustified: its only step, from 'a', does not count, as its reason is not justified"},
        ShapeCase{"justified exception blocks", [](StageBuilder& b) { b.Except("e", A, "a", A, "c", I); }, "c",
                  kUnjustified, "from 'a' warrant none holds reason + [exception 'e'+ warrant none holds blocks] not; ",
                  "unjustified: its only step, from 'a', is blocked by the exception 'e'"},
        ShapeCase{
            "unjustified exception", [](StageBuilder& b) { b.Except("e", I, "a", A, "c", I); }, "c", kJustified,
            "from 'a' warrant none holds reason + [exception 'e'- warrant none holds stays] counts; ",
            "justified: the step from 'a' counts (its warrant is not stated; the exception 'e' is not justified)"},
        ShapeCase{"warrant stated as an issue that fails",
                  [](StageBuilder& b) {
                    b.Connect("a", A, "c", I);
                    b.State(kWarrantAC, I);
                  },
                  "c", kUnjustified, "from 'a' warrant '(IF a, THEN c)' fails reason + not; ",
                  "unjustified: its only step, from 'a', does not count, as its warrant is stated but not justified"},
        ShapeCase{"warrant stated as an assumption",
                  [](StageBuilder& b) {
                    b.Connect("a", A, "c", I);
                    b.State(kWarrantAC, A);
                  },
                  "c", kJustified, "from 'a' warrant '(IF a, THEN c)' holds reason + counts; ",
                  "justified: the step from 'a' counts (its warrant is stated and justified; no exception blocks it)"},
        ShapeCase{"undercutter warrant fails, so the exception does not block",
                  [](StageBuilder& b) {
                    b.Except("e", A, "a", A, "c", I);
                    b.State(kUndercutterEAC, I);
                  },
                  "c", kJustified,
                  "from 'a' warrant none holds reason + [exception 'e'+ warrant '(THAT e, IS AN EXCEPTION TO THE "
                  "RULE THAT, IF a, THEN c)' fails stays] counts; ",
                  "justified: the step from 'a' counts (its warrant is not stated; the exception 'e' does not block "
                  "it, as its undercutter warrant is not justified)"},
        ShapeCase{"two exceptions block",
                  [](StageBuilder& b) {
                    b.Except("e", A, "a", A, "c", I);
                    b.Except("f", A, "a", A, "c", I);
                  },
                  "c", kUnjustified,
                  "from 'a' warrant none holds reason + [exception 'e'+ warrant none holds blocks] [exception 'f'+ "
                  "warrant none holds blocks] not; ",
                  "unjustified: its only step, from 'a', is blocked by the exceptions 'e' and 'f'"},
        ShapeCase{"every condition fails",
                  [](StageBuilder& b) {
                    b.Except("e", A, "a", I, "c", I);
                    b.State(kWarrantAC, I);
                  },
                  "c", kUnjustified,
                  "from 'a' warrant '(IF a, THEN c)' fails reason - [exception 'e'+ warrant none holds blocks] not; ",
                  "unjustified: its only step, from 'a', does not count, as its warrant is stated but not justified, "
                  "its reason is not justified and it is blocked by the exception 'e'"},
        ShapeCase{"defeating step counts like a supporting one",
                  [](StageBuilder& b) { b.Connect("a", A, "c", I, kDefeating); }, "c", kJustified,
                  "from 'a' defeating warrant none holds reason + counts; ",
                  "justified: the defeating step from 'a' counts (its warrant is not stated; no exception blocks it)"},
        ShapeCase{"defeating step blocked",
                  [](StageBuilder& b) {
                    b.Connect("a", A, "c", I, kDefeating);
                    b.Except("e", A, "a", A, "c", I);
                  },
                  "c", kUnjustified,
                  "from 'a' defeating warrant none holds reason + [exception 'e'+ warrant none holds blocks] not; ",
                  "unjustified: its only step, a defeating one from 'a', is blocked by the exception 'e'"},
        ShapeCase{
            "two steps that both count",
            [](StageBuilder& b) {
              b.Connect("a", A, "c", I);
              b.Connect("b", A, "c", I, kDefeating);
            },
            "c", kJustified,
            "from 'a' warrant none holds reason + counts; from 'b' defeating warrant none holds reason + counts; ",
            "justified: both of its steps count, from 'a' and from 'b' (defeating)"},
        ShapeCase{"one step of three counts",
                  [](StageBuilder& b) {
                    b.Connect("a", I, "c", I);
                    b.Connect("b", A, "c", I);
                    b.Connect("d", I, "c", I);
                  },
                  "c", kJustified,
                  "from 'a' warrant none holds reason - not; from 'b' warrant none holds reason + counts; from 'd' "
                  "warrant none holds reason - not; ",
                  "justified: the step from 'b' counts (its warrant is not stated; no exception blocks it), though "
                  "its other 2 steps do not"},
        ShapeCase{"two of three steps count",
                  [](StageBuilder& b) {
                    b.Connect("a", A, "c", I);
                    b.Connect("b", I, "c", I);
                    b.Connect("d", A, "c", I);
                  },
                  "c", kJustified,
                  "from 'a' warrant none holds reason + counts; from 'b' warrant none holds reason - not; from 'd' "
                  "warrant none holds reason + counts; ",
                  "justified: 2 of its 3 steps count, from 'a' and from 'd'"},
        ShapeCase{"no step of two counts",
                  [](StageBuilder& b) {
                    b.Connect("a", I, "c", I);
                    b.Except("e", A, "b", A, "c", I);
                  },
                  "c", kUnjustified,
                  "from 'a' warrant none holds reason - not; from 'b' warrant none holds reason + [exception 'e'+ "
                  "warrant none holds blocks] not; ",
                  "unjustified: none of its 2 steps counts: the step from 'a' does not count, as its reason is not "
                  "justified; the step from 'b' is blocked by the exception 'e'"},
        ShapeCase{"a cycle of two issues",
                  [](StageBuilder& b) {
                    b.Connect("a", I, "b", I);
                    b.Connect("b", I, "a", I);
                  },
                  "a", kUnjustified, "from 'b' warrant none holds reason - not; ",
                  "unjustified: its only step, from 'b', does not count, as its reason is not justified"},
        ShapeCase{"an exception justified only through the step it blocks",
                  [](StageBuilder& b) {
                    b.Except("e", I, "a", A, "c", I);
                    b.Connect("c", I, "e", I);
                  },
                  "c", kJustified,
                  "from 'a' warrant none holds reason + [exception 'e'- warrant none holds stays] counts; ",
                  "justified: the step from 'a' counts (its warrant is not stated; the exception 'e' is justified "
                  "only by way of this step's own connection)"}),
    [](const ::testing::TestParamInfo<ShapeCase>& info) {
      std::string name;
      for (const char* p = info.param.Name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
      return name;
    });

TEST(Explanation, AReasonJustifiedOnlyByWayOfTheStepItselfIsToldApart) {
  TStatement a{"a", "1", kIssue, kUnjustified};
  TStatement c{"c", "2", kIssue, kUnjustified};
  TStatementExplanation x{&c, kIssue, kUnjustified, {}};
  TStepExplanation step;
  step.Reason = &a;
  step.ReasonJustified = false;
  step.ReasonJustifiedInStage = true;
  x.Steps.push_back(step);
  EXPECT_EQ(WhySentence(x),
            "unjustified: its only step, from 'a', does not count, as its reason is justified only by "
            "way of this step's own connection");
}

TEST(Explanation, SentencesAreShownAsTheCallerShowsThem) {
  StageBuilder b;
  b.Except("e\xe9", A, "a\xe9", A, "c", I);
  const TStatementExplanation x = ExplainStatement(b.Current(), *b.Find("c"));
  EXPECT_EQ(WhySentence(x, [](const std::string& s) { return "<" + std::to_string(s.size()) + ">"; }),
            "unjustified: its only step, from '<2>', is blocked by the exception '<2>'");
}

TEST(Explanation, TheWholeStageInStageOrderAndRefusals) {
  StageBuilder b;
  b.Except("e", I, "a", A, "c", I);
  const std::vector<TStatementExplanation> all = ExplainStage(b.Current());
  ASSERT_EQ(all.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(all[static_cast<std::size_t>(i)].Statement, b.Current().Statements[i]);
    EXPECT_EQ(Summary(all[static_cast<std::size_t>(i)]),
              Summary(ExplainStatement(b.Current(), *b.Current().Statements[i])));
  }
  TStatement stranger{"c", "", kIssue, kUnevaluated};  // the same sentence, but not the stage's object
  EXPECT_THROW((void)ExplainStatement(b.Current(), stranger), std::invalid_argument);
  TArgumentationStage unevaluated;
  unevaluated.Statements.Add(b.Find("c"));
  EXPECT_THROW((void)ExplainStage(unevaluated), std::logic_error);
}

// Whether the sentence is a statement of the stage, found independently of the evaluation.
const TStatement* Lookup(const TArgumentationStage& stage, const std::string& sentence) {
  TStatement* found = nullptr;
  return stage.SentenceIsStatementSentence(sentence, found) ? found : nullptr;
}

void CheckAgainstTheStatusRule(const TArgumentationStage& stage, const std::string& where) {
  const std::vector<TStatementExplanation> all = ExplainStage(stage);
  ASSERT_EQ(all.size(), static_cast<std::size_t>(stage.Statements.Count()));
  for (const TStatementExplanation& x : all) {
    const std::string& sentence = x.Statement->Sentence;
    SCOPED_TRACE(where + " statement '" + sentence + "'");
    ASSERT_NE(x.Status, kUnevaluated);
    EXPECT_EQ(x.Status, x.Statement->Status);
    bool anyCounts = false;
    std::size_t concluding = 0;
    for (const TReasonConclusion* q : stage.ReasonConclusions)
      if (q->Conclusion->Sentence == sentence) ++concluding;
    ASSERT_EQ(x.Steps.size(), concluding);
    for (const TStepExplanation& step : x.Steps) {
      const TStatement* warrant =
          Lookup(stage, StepWarrantSentence(step.Reason->Sentence, sentence, step.ConnectionKind));
      EXPECT_EQ(step.Warrant, warrant);
      if (!warrant) {
        EXPECT_TRUE(step.WarrantHolds);
      }
      bool blocked = false;
      for (const TUndercutterExplanation& u : step.Undercutters) {
        EXPECT_EQ(u.Warrant,
                  Lookup(stage, UndercutterWarrantSentence(u.Exception->Sentence, step.Reason->Sentence, sentence)));
        EXPECT_EQ(u.Blocks, u.WarrantHolds && u.ExceptionJustified);
        blocked = blocked || u.Blocks;
      }
      EXPECT_EQ(step.Counts, step.WarrantHolds && step.ReasonJustified && !blocked);
      anyCounts = anyCounts || step.Counts;
    }
    const bool justified = x.StatementType == kAssumption || anyCounts;
    EXPECT_EQ(x.Status, justified ? kJustified : kUnjustified);
    const std::string why = WhySentence(x);
    EXPECT_EQ(why.rfind(justified ? "justified: " : "unjustified: ", 0), 0u) << why;
    EXPECT_EQ(why.find(", yet "), std::string::npos) << why;
  }
}

// The sentences a diagram shows for one connector and one undercutter's line.
TEST(Explanation, StepAndUndercutterSentences) {
  struct TCase {
    std::function<void(StageBuilder&)> Build;
    const char* Step;
    const char* Undercutter;
  };
  const TCase cases[] = {
      {[](StageBuilder& b) { b.Except("e", I, "a", A, "c", I); },
       "the step from 'a' counts (its warrant is not stated; the exception 'e' is not justified)",
       "the exception 'e' does not block the step from 'a', as the exception is not justified"},
      {[](StageBuilder& b) {
         b.Except("e", A, "a", I, "c", I);
         b.State(kUndercutterEAC, A);
       },
       "the step from 'a' does not count, as its reason is not justified and it is blocked by the exception 'e'",
       "the exception 'e' blocks the step from 'a' (its undercutter warrant is stated and justified; the exception is "
       "justified)"},
      {[](StageBuilder& b) {
         b.Except("e", I, "a", A, "c", I);
         b.State(kUndercutterEAC, I);
       },
       "the step from 'a' counts (its warrant is not stated; the exception 'e' does not block it, as its undercutter "
       "warrant is not justified)",
       "the exception 'e' does not block the step from 'a', as its undercutter warrant is stated but not justified and "
       "the exception is not justified"},
  };
  for (const TCase& c : cases) {
    StageBuilder b;
    c.Build(b);
    const TDialecticalArgument& d = *b.Current().DialecticalArguments[*b.Current().Statements.IndexOf(b.Find("c"))];
    const TStepExplanation step = ExplainArgumentStep(b.Current(), d, 0);
    EXPECT_EQ(StepWhySentence(step), c.Step);
    EXPECT_EQ(UndercutterWhySentence(step, ExplainStepUndercutter(b.Current(), *d.Steps[0], 0)), c.Undercutter);
  }
  StageBuilder b;
  b.Connect("a", A, "c", I);
  const TDialecticalArgument& d = *b.Current().DialecticalArguments[*b.Current().Statements.IndexOf(b.Find("c"))];
  EXPECT_THROW((void)ExplainArgumentStep(b.Current(), d, 1), std::out_of_range);
  EXPECT_THROW((void)ExplainStepUndercutter(b.Current(), *d.Steps[0], 0), std::out_of_range);
}

TEST(Explanation, AgreesWithTheStatusRuleOnGeneratedStages) {
  for (std::uint32_t seed = 1; seed <= 1500; ++seed) {
    test::StageGenerator generator(seed * 7001, 3 + static_cast<int>(seed % 4));
    const auto moves = generator.Moves(4 + static_cast<int>(seed % 8));
    std::vector<std::unique_ptr<TArgumentationStage>> fast, literal;
    fast.push_back(std::make_unique<TArgumentationStage>());
    literal.push_back(std::make_unique<TArgumentationStage>());
    literal.back()->SetLiteralEvaluation(true);
    for (std::size_t i = 0; i < moves.size(); ++i) {
      fast.push_back(test::Apply(*fast.back(), moves[i]));
      literal.push_back(test::Apply(*literal.back(), moves[i]));
      const std::string where = "seed " + std::to_string(seed) + " move " + std::to_string(i);
      CheckAgainstTheStatusRule(*fast.back(), where);
      // The plain rules build every nested argument afresh; the account must not change.
      const auto a = ExplainStage(*fast.back());
      const auto b = ExplainStage(*literal.back());
      ASSERT_EQ(a.size(), b.size()) << where;
      for (std::size_t k = 0; k < a.size(); ++k) {
        EXPECT_EQ(Summary(a[k]), Summary(b[k])) << where;
        EXPECT_EQ(WhySentence(a[k]), WhySentence(b[k])) << where;
      }
      if (::testing::Test::HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace korvane
