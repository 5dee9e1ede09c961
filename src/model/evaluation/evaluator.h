// The evaluation a move runs: the same dialectical arguments, statuses, maximal list and
// arguments as the plain rules give, built without the repetition.
//
// A dialectical argument depends only on its statement and on the connections still
// reachable from it. Outside cycles that is one value per statement, and inside a
// cycle one per statement and set of used connections of that cycle; each such value
// is built once and shared, and a value equal to one built for an earlier stage is that
// earlier object. Built values are never changed, so sharing them is not observable.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "model/argumentation_stage.h"
#include "model/evaluation/argument_builder.h"
#include "model/evaluation/containment.h"
#include "model/evaluation/dependency_graph.h"
#include "model/evaluation/dialectical_builder.h"
#include "model/evaluation/maximal_selection.h"
#include "model/evaluation/stage_index.h"
#include "model/evaluation/vertex_marks.h"
#include "model/evaluation/work_budget.h"

namespace korvane {

/// Work allowed for one evaluation: nodes built plus containment tests made. Cycles make
/// the exact result grow exponentially; beyond this a move is refused. Five statements
/// connected both ways need about half of it; six need far more.
inline constexpr std::size_t kEvaluationWorkBudget = 1'000'000;

/// Evaluates the stages of one document. It keeps the numbering and grouping of the stage
/// evaluated last, and every dialectical argument and argument built so far.
class TEvaluator {
public:
  TEvaluator() = default;
  TEvaluator(const TEvaluator&) = delete;
  TEvaluator& operator=(const TEvaluator&) = delete;

  /// Fills the stage's two dialectical lists and every statement's Status. previous, when
  /// given, is the stage the move started from; lists equal to its own share storage.
  /// Throws TEvaluationLimitError, having changed nothing, when budget would be exceeded.
  /// When the stage only adds to the one evaluated last, as a move's does, only what can
  /// reach the additions is rebuilt.
  void RecomputeDialecticalArguments(TArgumentationStage& stage, const TArgumentationStage* previous,
                                     std::size_t budget);
  /// Fills the stage's Arguments; throws like the above, having changed nothing.
  void RecomputeArguments(TArgumentationStage& stage, const TArgumentationStage* previous, std::size_t budget);

  /// Whether the stage a move starts from is released once the move is made, as a line's
  /// are. Then a value held only by it and the new stage may be extended in place for the
  /// new one, instead of every value above what the move adds being built anew.
  void SetEarlierStagesReleased(bool released) { extendInPlace_ = released; }
  /// Evaluations that extended values in place.
  [[nodiscard]] std::size_t InPlaceExtensionCount() const { return inPlaceExtensions_; }

  /// Dialectical evaluations that rebuilt only what a change reaches, rather than the whole
  /// stage: what shows that comparing results along a line compared that path.
  [[nodiscard]] std::size_t PartialEvaluationCount() const { return partialEvaluations_; }

  /// Bounds the work of every evaluation from now on taken together, on top of each one's
  /// budget: the evaluation that would pass it is refused like any other. Empty lifts it.
  void CapTotalWork(std::optional<std::size_t> cap) { totalCap_ = cap; }
  /// What is left of the cap, if there is one.
  [[nodiscard]] std::optional<std::size_t> TotalWorkLeft() const { return totalCap_; }

private:
  // Which of the last published lists' positions still hold.
  struct TKeptPositions {
    std::size_t count = 0;   // positions the last dialectical evaluation had
    bool unchanged = false;  // those positions hold the same values, and the list can be extended
  };

  void TakeIn(const TArgumentationStage& stage, std::size_t budget);
  [[nodiscard]] bool RebuildDialectical();
  [[nodiscard]] TKeptPositions UpdateStatementValues(std::size_t count, bool partial);
  void PublishLists(TArgumentationStage& stage, const TArgumentationStage* previous, TKeptPositions kept,
                    bool maximalUnchanged);
  void SetStatuses(TArgumentationStage& stage, bool partial) const;
  [[nodiscard]] bool RebuildArguments();
  void ChooseArgumentRoots(std::size_t count, bool partial);
  void UpdateFinalConclusions(std::size_t count, bool partial);
  void ChooseRootsBelowCycles(std::size_t count, const std::vector<int>* below);
  void Forget();
  void ChargeToCap();
  template <class TBuilder>
  [[nodiscard]] bool ExtendBelow(evaluation::TDependencyGraph& graph, TBuilder& builder);
  void TakeBackExtensions();

  evaluation::TWorkBudget work_;
  std::optional<std::size_t> totalCap_;
  evaluation::TStageIndex index_;
  evaluation::TDependencyGraph dialecticalGraph_{index_, work_, true};
  evaluation::TDependencyGraph argumentGraph_{index_, work_, false};
  evaluation::TDialecticalBuilder dialectical_{index_, dialecticalGraph_, work_};
  evaluation::TArgumentBuilder arguments_{index_, argumentGraph_, work_};
  evaluation::TContainment containment_{index_, dialecticalGraph_, dialectical_, work_};
  evaluation::TMaximalSelection maximal_{index_, dialecticalGraph_, containment_, work_};

  // The last dialectical evaluation: its values by index in Statements, and its two lists.
  std::vector<TDialecticalArgument*> statementValues_;
  bool listsKnown_ = false;
  TDialecticalArguments publishedDialectical_, publishedMaximal_;
  std::size_t partialEvaluations_ = 0;
  bool extendInPlace_ = false;
  std::size_t inPlaceExtensions_ = 0;

  std::vector<TDialecticalArgument*> maximalValues_;  // the maximal list being published
  std::vector<TArgument*> argumentRoots_;             // the Arguments list being published
  // Indexes of the statements no connection has as its reason, increasing, and how many
  // statements and connections the last arguments evaluation saw.
  std::vector<std::size_t> finalConclusions_;
  std::size_t finalStatements_ = 0;
  std::size_t finalConnections_ = 0;
  std::vector<int> closedCycles_, queue_;  // choosing argument roots below cycles
  evaluation::TVertexMarks partMarks_, reachedMarks_;
};

}  // namespace korvane
