#include <gtest/gtest.h>

#include "stage_builder.h"

namespace korvane {
namespace {

using test::StageBuilder;

// Writes an argument list as text: "a(b,c(d))" lists a with sub-arguments b and c.
std::string Shape(const TArguments& arguments) {
  std::string out;
  for (std::size_t i = 0; i < arguments.Count(); ++i) {
    if (i > 0) out += ",";
    out += arguments[i]->Conclusion->Sentence;
    if (arguments[i]->InitialArguments.Count() > 0) out += "(" + Shape(arguments[i]->InitialArguments) + ")";
  }
  return out;
}

TEST(Arguments, TwoReasonsOfOneConclusionInConnectionOrder) {
  StageBuilder b;
  b.State("a", kIssue);
  b.Connect("b", kAssumption, "a", kIssue);
  b.Connect("c", kAssumption, "a", kIssue);
  EXPECT_EQ(Shape(b.Current().Arguments), "a(b,c)");
}

TEST(Arguments, ATwoCycleIsRootedAtTheFirstStatement) {
  StageBuilder b;
  b.State("a", kIssue);
  b.State("b", kIssue);
  b.Connect("a", kIssue, "b", kIssue);
  b.Connect("b", kIssue, "a", kIssue);
  EXPECT_EQ(Shape(b.Current().Arguments), "a(b(a))");
}

TEST(Arguments, LoneStatementsAndSharedReasons) {
  StageBuilder b;
  b.State("lone", kAssumption);
  b.Connect("r", kAssumption, "c1", kIssue);
  b.Connect("r", kAssumption, "c2", kIssue);
  EXPECT_EQ(Shape(b.Current().Arguments), "lone,c1(r),c2(r)");
}

TEST(Arguments, StatementMoveOnlyAppendsAOneNodeArgument) {
  StageBuilder b;
  b.Connect("r", kAssumption, "c", kIssue);
  // "r" is no final conclusion, yet a later statement move adds no rebuild.
  b.State("s", kIssue);
  EXPECT_EQ(Shape(b.Current().Arguments), "c(r),s");
  b.State("r", kIssue);  // existing: nothing appended
  EXPECT_EQ(Shape(b.Current().Arguments), "c(r),s");
}

TEST(Arguments, EachPathUsesAConnectionOnce) {
  StageBuilder b;
  b.Connect("b", kIssue, "a", kIssue);
  b.Connect("c", kIssue, "b", kIssue);
  b.Connect("b", kIssue, "c", kIssue);
  // a <- b <- c <- b: the cycle ends when b -> c has been used on the path.
  EXPECT_EQ(Shape(b.Current().Arguments), "a(b(c(b)))");
}

TEST(Arguments, Predicates) {
  StageBuilder b;
  b.Connect("r", kAssumption, "c", kIssue);
  const TArgumentationStage& stage = b.Current();
  EXPECT_TRUE(TArgumentationStage::IsFinalConclusion(b.Find("c"), stage.ReasonConclusions));
  EXPECT_FALSE(TArgumentationStage::IsFinalConclusion(b.Find("r"), stage.ReasonConclusions));
  EXPECT_TRUE(TArgumentationStage::OccursInArgument(b.Find("r"), stage.Arguments));
  TStatement* other = b.NewStatement("x", kIssue);
  EXPECT_FALSE(TArgumentationStage::OccursInArgument(other, stage.Arguments));
}

}  // namespace
}  // namespace korvane
