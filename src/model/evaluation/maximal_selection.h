// Which statements' dialectical arguments are maximal (properly contained in no other
// statement's), decided again after each dialectical evaluation only where the answer
// can have changed.
#pragma once

#include <cstddef>
#include <vector>

#include "model/dialectical_argument.h"
#include "model/evaluation/containment.h"
#include "model/evaluation/dependency_graph.h"
#include "model/evaluation/stage_index.h"
#include "model/evaluation/vertex_marks.h"
#include "model/evaluation/work_budget.h"

namespace korvane::evaluation {

class TMaximalSelection {
public:
  /// graph: the dialectical graph over index.
  TMaximalSelection(const TStageIndex& index, TDependencyGraph& graph, TContainment& containment, TWorkBudget& work)
      : index_(index), graph_(graph), containment_(containment), work_(work) {}
  TMaximalSelection(const TMaximalSelection&) = delete;
  TMaximalSelection& operator=(const TMaximalSelection&) = delete;

  /// Decides again for the stage's statements, whose dialectical arguments are values (by
  /// index in Statements). partial: the graph was updated rather than built, and only what
  /// it reached, what gained a parent and what needed containment tests is decided again.
  /// True when none of the first `kept` statements changed its answer.
  [[nodiscard]] bool Decide(const std::vector<TDialecticalArgument*>& values, bool partial, std::size_t kept);
  /// Whether statement i's dialectical argument is maximal, as last decided.
  [[nodiscard]] bool IsMaximal(std::size_t i) const { return !excluded_[i]; }
  /// The indexes of those that are, in increasing order: kept up to date from what was
  /// decided again, so publishing the maximal list does not look at every statement.
  [[nodiscard]] const std::vector<std::size_t>& MaximalIndexes() const { return maximal_; }

private:
  // How a statement's answer was found; only those found by containment tests can change
  // without anything reaching them being rebuilt.
  enum class THow : char { kNothingAbove, kStructurallyBelow, kByContainment };

  void CollectStatementsToDecide(bool partial, std::size_t count);
  void QueueStatementsOf(int v);
  void DecideOne(std::size_t i, const std::vector<TDialecticalArgument*>& values);
  void NoteAnswer(std::size_t i, bool wasExcluded, bool known);

  const TStageIndex& index_;
  TDependencyGraph& graph_;
  TContainment& containment_;
  TWorkBudget& work_;

  // By index in Statements, as last decided.
  std::vector<char> excluded_;
  std::vector<THow> how_;
  std::vector<std::size_t> decidedByContainment_;
  std::vector<std::size_t> maximal_;  // the indexes not excluded, increasing

  // One evaluation.
  std::vector<std::size_t> toDecide_;
  std::vector<char> queued_;            // by index in Statements: in toDecide_
  std::vector<std::size_t> keptByContainment_;  // decided by containment, and nothing rebuilt reaches them
  std::vector<int> reachingQueue_;      // the breadth-first walk upwards of one decision
  TVertexMarks walkMarks_;
};

}  // namespace korvane::evaluation
