// The compact arguments of eval read back into trees: the same trees, in the same order, as
// the plain rules build anew for the same moves.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "support/stage_generator.h"

namespace korvane::cli {
namespace {

// Entry i of the table as a tree, in the expanded form; indexes must point back.
std::string Expand(const TJson& table, std::size_t i) {
  const TJson& entry = table.at(i);
  std::string out = "[" + interchange::JsonString(entry.at(0).get<std::string>()) + ", [";
  bool first = true;
  for (const TJson& child : entry.at(1)) {
    EXPECT_LT(child.get<std::size_t>(), i) << "an initial argument listed after its argument";
    out += (first ? "" : ", ") + Expand(table, child.get<std::size_t>());
    first = false;
  }
  return out + "]]";
}

std::vector<std::string> ReadBack(const TArgumentationStage& stage) {
  const TJson compact = CompactArguments(stage);
  std::vector<std::string> trees;
  for (const TJson& root : compact.at("stage_arguments")) trees.push_back(Expand(compact.at("arguments"), root));
  return trees;
}

std::vector<std::string> Written(const TArgumentationStage& stage) {
  std::vector<std::string> trees;
  for (const TArgument* argument : stage.Arguments) {
    std::ostringstream out;
    WriteExpandedArgument(out, stage, argument);
    trees.push_back(out.str());
  }
  return trees;
}

// Moves made on a fast stage and on a literal one; the fast stage's compact arguments must
// read back into the literal stage's trees.
void ExpectSameTrees(const std::vector<test::GeneratedMove>& moves, const std::string& what) {
  std::unique_ptr<TArgumentationStage> fast = std::make_unique<TArgumentationStage>();
  std::unique_ptr<TArgumentationStage> literal = std::make_unique<TArgumentationStage>();
  literal->SetLiteralEvaluation(true);
  std::vector<std::unique_ptr<TArgumentationStage>> kept;  // earlier stages own shared objects
  for (const test::GeneratedMove& move : moves) {
    auto nextFast = test::Apply(*fast, move);
    auto nextLiteral = test::Apply(*literal, move);
    kept.push_back(std::move(fast));
    kept.push_back(std::move(literal));
    fast = std::move(nextFast);
    literal = std::move(nextLiteral);
  }
  fast->EnsureEvaluated();
  literal->EnsureEvaluated();
  ASSERT_EQ(ReadBack(*fast), Written(*literal)) << what;
}

TEST(CompactArguments, ReadBackIntoTheTreesThePlainRulesBuild) {
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    test::StageGenerator generator(seed, 3 + static_cast<int>(seed % 4));
    ExpectSameTrees(generator.Moves(6 + static_cast<int>(seed % 10)), "seed " + std::to_string(seed));
  }
}

// Four statements connected both ways: many trees over few distinct arguments.
TEST(CompactArguments, ACycleGroupListsEachArgumentOnce) {
  const std::vector<test::GeneratedMove> moves = test::BothWaysMoves(4);
  ExpectSameTrees(moves, "4 statements both ways");

  std::unique_ptr<TArgumentationStage> stage = std::make_unique<TArgumentationStage>();
  std::vector<std::unique_ptr<TArgumentationStage>> kept;
  for (const test::GeneratedMove& move : moves) {
    auto next = test::Apply(*stage, move);
    kept.push_back(std::move(stage));
    stage = std::move(next);
  }
  stage->EnsureEvaluated();
  std::size_t expanded = 0;
  for (const std::string& tree : Written(*stage)) expanded += tree.size();
  const std::string compact = CompactArguments(*stage).dump();
  EXPECT_LT(compact.size() * 4, expanded) << "the compact form should be far smaller than the trees";
}

}  // namespace
}  // namespace korvane::cli
