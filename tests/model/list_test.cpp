#include <gtest/gtest.h>

#include <optional>

#include "model/list.h"
#include "model/statement.h"

namespace korvane {
namespace {

struct Lists : ::testing::Test {
  TStatement a, b, c, d;
};

TEST_F(Lists, AssignReplacesContentsAndSharesTheObjects) {
  TStatements source, target;
  source.Add(&a);
  source.Add(&b);
  target.Add(&c);
  target.Assign(source);
  ASSERT_EQ(target.Count(), 2u);
  EXPECT_EQ(target[0], &a);
  EXPECT_EQ(target[1], &b);
  // A change through either list is a change of the one shared object.
  target[0]->StatementType = kAssumption;
  EXPECT_EQ(source[0]->StatementType, kAssumption);

  TStatements empty;
  target.Assign(empty);
  EXPECT_EQ(target.Count(), 0u);
  EXPECT_EQ(source.Count(), 2u);
}

TEST_F(Lists, AppendingToACopyLeavesTheOriginalAsItWas) {
  TStatements original;
  original.Add(&a);
  TStatements first, second;
  first.Assign(original);
  first.Add(&b);  // grows the shared buffer at its tip
  second.Assign(original);
  second.Add(&c);  // must not see b, nor overwrite it for first
  original.Add(&d);
  EXPECT_EQ(original.Count(), 2u);
  EXPECT_EQ(original[1], &d);
  ASSERT_EQ(first.Count(), 2u);
  EXPECT_EQ(first[1], &b);
  ASSERT_EQ(second.Count(), 2u);
  EXPECT_EQ(second[1], &c);
}

TEST_F(Lists, EditsOtherThanAppendCopyFirst) {
  TStatements original;
  original.Add(&a);
  original.Add(&b);
  original.Add(&c);
  TStatements copy;
  copy.Assign(original);
  EXPECT_EQ(copy.Remove(&b), 1u);
  copy.Insert(0, &d);
  copy.Delete(2);
  ASSERT_EQ(copy.Count(), 2u);
  EXPECT_EQ(copy[0], &d);
  EXPECT_EQ(copy[1], &a);
  ASSERT_EQ(original.Count(), 3u);
  EXPECT_EQ(original[1], &b);
  // Absent items: nothing found, nothing removed.
  EXPECT_EQ(copy.Remove(&b), std::nullopt);
  EXPECT_EQ(copy.IndexOf(&b), std::nullopt);
  EXPECT_EQ(copy.IndexOf(&a), 1u);
  EXPECT_EQ(copy.Count(), 2u);
}

TEST_F(Lists, RemoveTakesOnlyTheFirstOccurrence) {
  TStatements list;
  list.Add(&a);
  list.Add(&b);
  list.Add(&a);
  list.Remove(&a);
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list[0], &b);
  EXPECT_EQ(list[1], &a);
}

TEST_F(Lists, RangeErrorsCarryTheListErrorText) {
  TStatements list;
  // The last of an empty list is out of bounds too, not the item before the first.
  try {
    (void)list.Last();
    FAIL() << "an empty list has a last item";
  } catch (const std::out_of_range& error) {
    EXPECT_STREQ(error.what(), "List index out of bounds");
  }
  EXPECT_THROW((void)list.First(), std::out_of_range);
  EXPECT_THROW(list.Delete(0), std::out_of_range);
  list.Add(&a);
  for (int bad : {-1, 1}) {
    try {
      (void)list[bad];
      FAIL() << "index " << bad << " was accepted";
    } catch (const std::out_of_range& error) {
      EXPECT_STREQ(error.what(), "List index out of bounds");
    }
  }
  EXPECT_THROW(list.Delete(1), std::out_of_range);
  EXPECT_THROW(list.Insert(2, &b), std::out_of_range);
  list.Insert(1, &b);  // inserting at the end is allowed
  EXPECT_EQ(list.Last(), &b);
}

TEST_F(Lists, IterationSurvivesAppendsToASharedBuffer) {
  TStatements walked;
  walked.Add(&a);
  TStatements grown;
  grown.Assign(walked);
  int seen = 0;
  for (TStatement* s : walked) {
    EXPECT_EQ(s, &a);
    for (int i = 0; i < 1000; ++i) grown.Add(&b);  // reallocates the shared buffer
    ++seen;
  }
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(grown.Count(), 1001u);
}

}  // namespace
}  // namespace korvane
