// Whether one dialectical argument is properly contained in another, as the plain rules
// define it, with what one evaluation has found remembered and trees walked only where
// they can reach the argument looked for.
#pragma once

#include <cstddef>
#include <deque>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/dialectical_argument.h"
#include "model/evaluation/connection_mask.h"
#include "model/evaluation/dependency_graph.h"
#include "model/evaluation/dialectical_builder.h"
#include "model/evaluation/pointer_map.h"
#include "model/evaluation/stage_index.h"
#include "model/evaluation/work_budget.h"

namespace korvane::evaluation {

class TContainment {
public:
  /// graph: the dialectical graph over index, whose levels bound the walks; trees: the
  /// builder of the trees compared, whose heights bound them too.
  TContainment(TStageIndex& index, const TDependencyGraph& graph, const TDialecticalBuilder& trees, TWorkBudget& work)
      : index_(index), graph_(graph), trees_(trees), work_(work) {}
  TContainment(const TContainment&) = delete;
  TContainment& operator=(const TContainment&) = delete;

  /// Forgets the answers found during the last evaluation.
  void StartEvaluation() {
    final_.clear();
    contained_.clear();
    ++evaluation_;
  }
  /// d1 is contained in d2 and d2 not in d1.
  [[nodiscard]] bool IsProperlyContainedIn(const TDialecticalArgument* d1, const TDialecticalArgument* d2) {
    return IsContainedIn(d1, d2, 0) && !IsContainedIn(d2, d1, 0);
  }

private:
  struct TPairHash {
    std::size_t operator()(const std::pair<const void*, const void*>& p) const {
      return Mix(PtrHash(p.first), PtrHash(p.second));
    }
  };
  using TAnswers = std::unordered_map<std::pair<const void*, const void*>, bool, TPairHash>;

  [[nodiscard]] bool IsFinal(const TDialecticalArgument* d1, const TDialecticalArgument* d2, int depth);
  [[nodiscard]] bool StepsMatch(const TStep* s1, const TStep* s2, int depth);
  [[nodiscard]] bool IsContainedIn(const TDialecticalArgument* d1, const TDialecticalArgument* d2, int depth);
  [[nodiscard]] int LevelOf(const TDialecticalArgument* d);
  // Whether d1 is known to be higher than d2, and so cannot be final in or contained in it.
  [[nodiscard]] bool Higher(const TDialecticalArgument* d1, const TDialecticalArgument* d2) const;

  // What one walk of IsContainedIn has seen and has still to visit. A walk may start walks
  // nested in it, always deeper, so one per depth is reused instead of made each time.
  struct TWalk {
    TPointerMap<TDialecticalArgument> seen;  // by the walk's mark
    int mark = 0;
    std::vector<const TDialecticalArgument*> stack;
  };
  [[nodiscard]] TWalk& WalkAt(int depth);

  TStageIndex& index_;
  const TDependencyGraph& graph_;
  const TDialecticalBuilder& trees_;
  TWorkBudget& work_;
  TAnswers final_, contained_;
  // Each tree's level, found once per evaluation: the walks ask for it at every node.
  struct TLevel {
    int evaluation = 0;
    int level = 0;
  };
  TPointerMap<TDialecticalArgument, TLevel> levels_;
  int evaluation_ = 1;  // a level found in no evaluation yet has 0
  std::deque<TWalk> walks_;  // by depth; a deque keeps a walk in place while deeper ones are added
};

}  // namespace korvane::evaluation
