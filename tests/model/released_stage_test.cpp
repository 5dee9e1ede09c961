// A line keeps the evaluation of its current stage only and drops those of earlier
// stages; asked for again, an earlier stage must compute exactly what its move gave it,
// although later moves have overruled types and added exceptions in the objects it shares.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/argumentation_stage.h"
#include "model/evaluation_limit.h"
#include "stage_description.h"
#include "support/stage_generator.h"

namespace korvane {
namespace {

// The evaluated part of Describe: the statements' types and the exceptions it also prints
// are those of the shared objects now, not as they were.
std::string EvaluationOf(const TArgumentationStage& stage) {
  const std::string text = test::Describe(stage);
  return text.substr(text.find("dialectical\n"));
}

TEST(ReleasedStages, ComputeAgainExactlyWhatTheirMoveGaveThem) {
  std::size_t inPlaceChanges = 0, stagesAskedFor = 0;
  for (const bool literal : {false, true}) {
    for (std::uint32_t seed = 1; seed <= 25; ++seed) {
      // Mostly trees, with a few connections against the grain closing cycles.
      test::StageGenerator generator(seed * 7919, 5 + static_cast<int>(seed % 4));
      generator.PreferDownwards(5);
      std::vector<std::unique_ptr<TArgumentationStage>> stages;
      stages.push_back(std::make_unique<TArgumentationStage>());
      stages.back()->SetLiteralEvaluation(literal);
      std::vector<std::string> made{EvaluationOf(*stages.back())};
      for (const auto& m : generator.Moves(30)) {
        std::unique_ptr<TArgumentationStage> next;
        try {
          next = test::Apply(*stages.back(), m);
        } catch (const TEvaluationLimitError&) {
          continue;
        }
        made.push_back(EvaluationOf(*next));
        stages.back()->ReleaseEvaluation();
        EXPECT_TRUE(stages.back()->DialecticalArguments.Empty() && stages.back()->Arguments.Empty());
        stages.push_back(std::move(next));
      }
      inPlaceChanges += stages.back()->Store().History().Mark();
      const std::string statuses = test::Statuses(*stages.back());
      // Newest first, so each is asked for after every change that followed it.
      for (std::size_t k = stages.size() - 1; k-- > 0;) {
        ASSERT_TRUE(stages[k]->EvaluationReleased());
        stages[k]->EnsureEvaluated();
        ASSERT_EQ(EvaluationOf(*stages[k]), made[k]) << "seed " << seed << " stage " << k << " literal " << literal;
        ++stagesAskedFor;
      }
      // Asking changed nothing the current stage shows.
      EXPECT_EQ(test::Statuses(*stages.back()), statuses);
      EXPECT_EQ(EvaluationOf(*stages.back()), made.back());
    }
  }
  // The lines did change shared objects in place, so the rewinding was exercised.
  EXPECT_GT(inPlaceChanges, 100u);
  EXPECT_GT(stagesAskedFor, 1000u);
}

}  // namespace
}  // namespace korvane
