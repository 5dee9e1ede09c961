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
std::string EvaluationOf(const std::string& description) {
  return description.substr(description.find("dialectical\n"));
}
std::string EvaluationOf(const TArgumentationStage& stage) { return EvaluationOf(test::Describe(stage)); }

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

// A replay may postpone evaluation to its last stage: that stage gets exactly what move by
// move evaluation gives, the statuses included, and every stage before it can still be
// asked for. Moves after it are evaluated again.
TEST(PostponedStages, TheLastOneAndEveryEarlierOneAsIfEvaluatedMoveByMove) {
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    test::StageGenerator generator(seed * 104729, 6 + static_cast<int>(seed % 4));
    generator.PreferDownwards(5);
    std::vector<test::GeneratedMove> moves;
    std::vector<std::string> made, statuses;
    std::vector<std::unique_ptr<TArgumentationStage>> stages;
    stages.push_back(std::make_unique<TArgumentationStage>());
    made.push_back(test::Describe(*stages.back()));
    for (const auto& m : generator.Moves(30)) {
      try {
        stages.push_back(test::Apply(*stages.back(), m));
      } catch (const TEvaluationLimitError&) {
        continue;
      }
      moves.push_back(m);
      made.push_back(test::Describe(*stages.back()));
      statuses.push_back(test::Statuses(*stages.back()));
    }

    stages.clear();
    stages.push_back(std::make_unique<TArgumentationStage>());
    stages.back()->SetEvaluationPostponed(true);
    for (std::size_t m = 0; m < moves.size(); ++m) {
      if (m == moves.size() / 2) {
        // Half-way the replay ends, and the moves after it are a user's.
        stages.back()->EvaluatePostponed();
        EXPECT_EQ(test::Describe(*stages.back()), made[m]) << "seed " << seed;
      }
      stages.push_back(test::Apply(*stages.back(), moves[m]));
      stages[stages.size() - 2]->ReleaseEvaluation();
    }
    ASSERT_FALSE(stages.back()->EvaluationReleased());
    EXPECT_EQ(test::Describe(*stages.back()), made.back()) << "seed " << seed;
    EXPECT_EQ(test::Statuses(*stages.back()), statuses.back()) << "seed " << seed;
    for (std::size_t k = stages.size() - 1; k-- > 1;) {
      stages[k]->EnsureEvaluated();
      ASSERT_EQ(EvaluationOf(*stages[k]), EvaluationOf(made[k])) << "seed " << seed << " stage " << k;
    }
  }
}

}  // namespace
}  // namespace korvane
