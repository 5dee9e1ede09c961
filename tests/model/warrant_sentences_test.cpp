#include <gtest/gtest.h>

#include "model/warrant_sentences.h"

namespace korvane {
namespace {

TEST(WarrantSentences, ComposeTheFixedPiecesAroundTheSentences) {
  EXPECT_EQ(StepWarrantSentence("it rains", "the street is wet", kSupporting), "(IF it rains, THEN the street is wet)");
  EXPECT_EQ(StepWarrantSentence("it rains", "the street is wet", kDefeating),
            "(IF it rains, THEN IT IS DEFEATED THAT the street is wet)");
  EXPECT_EQ(UndercutterWarrantSentence("the street is covered", "it rains", "the street is wet"),
            "(THAT the street is covered, IS AN EXCEPTION TO THE RULE THAT, IF it rains, THEN the street is wet)");
}

TEST(WarrantSentences, CopySentencesUnchanged) {
  EXPECT_EQ(StepWarrantSentence("", "", kSupporting), "(IF , THEN )");
  EXPECT_EQ(UndercutterWarrantSentence("", "r", "c"), "(THAT , IS AN EXCEPTION TO THE RULE THAT, IF r, THEN c)");
  EXPECT_EQ(StepWarrantSentence(" a", "b ", kSupporting), "(IF  a, THEN b )");
  // Sentences with the pieces inside them are not quoted: two triples may give one text.
  EXPECT_EQ(StepWarrantSentence("a, THEN b", "c", kSupporting), StepWarrantSentence("a", "b, THEN c", kSupporting));
  EXPECT_NE(StepWarrantSentence("it rains", "x", kSupporting), "(if it rains, then x)");
}

TEST(WarrantSentences, UndercutterWarrantIgnoresTheKind) {
  // There is no kind argument: a defeating connection's exception has the same warrant.
  const std::string text = UndercutterWarrantSentence("e", "r", "c");
  EXPECT_EQ(text.find("DEFEATED"), std::string::npos);
}

}  // namespace
}  // namespace korvane
