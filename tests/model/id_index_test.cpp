// The identifier index against the plain scan, on lists that grow, branch and shrink.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "model/argumentation_stage.h"
#include "model/id_index.h"

namespace korvane {
namespace {

TEST(IdIndex, NumbersOnlyPositiveDecimals) {
  EXPECT_EQ(TIdIndex::NumberOf("12"), 12);
  for (const char* id : {"", "0", "-3", "+3", " 3", "3 ", "3a", "x", "99999999999999999999"})
    EXPECT_EQ(TIdIndex::NumberOf(id), 0) << id;
}

// Stages that extend one another, and now and then one made from an earlier stage or
// looked at again after a later one: the index must answer as a full scan does.
TEST(IdIndex, AgreesWithAScanOfTheListAsItGrowsAndBranches) {
  std::mt19937 random(11);
  TModelStore store;
  std::vector<TStatements> lists(1);
  TIdIndex index;
  for (int step = 0; step < 3000; ++step) {
    const std::size_t from = random() % 5 == 0 ? random() % lists.size() : lists.size() - 1;
    TStatements next;
    next.Assign(lists[from]);
    TStatement* s = store.NewStatement("s" + std::to_string(step), kIssue);
    const int roll = static_cast<int>(random() % 10);
    // Mostly the lowest free number, as moves give; sometimes gaps, repeats and non-numbers.
    if (roll < 6)
      s->Id = std::to_string(index.LowestFree(next));
    else if (roll < 8)
      s->Id = std::to_string(1 + random() % (next.Count() + 5));
    else if (roll < 9)
      s->Id = "id" + std::to_string(step);
    next.Add(s);
    lists.push_back(next);

    const TStatements& probe = lists[random() % lists.size()];
    TArgumentationStage scan;
    scan.Statements.Assign(probe);
    std::string expected;
    scan.GetNewId(expected);
    ASSERT_EQ(std::to_string(index.LowestFree(probe)), expected) << "step " << step;
  }
}

}  // namespace
}  // namespace korvane
