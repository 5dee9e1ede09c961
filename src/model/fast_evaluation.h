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
#include <memory>

namespace korvane {

class TArgumentationStage;

/// Work allowed for one evaluation: nodes built plus containment tests made. Cycles make
/// the exact result grow exponentially; beyond this a move is refused.
inline constexpr std::size_t kEvaluationWorkBudget = 2'000'000;

/// What the fast evaluation keeps for one document: sentence numbers, facts about each
/// connection, every dialectical argument and argument built so far, and the grouping of
/// the stage evaluated last.
class TEvaluationCache {
public:
  TEvaluationCache();
  ~TEvaluationCache();
  TEvaluationCache(const TEvaluationCache&) = delete;
  TEvaluationCache& operator=(const TEvaluationCache&) = delete;

  /// Fills the stage's two dialectical lists and every statement's Status. previous, when
  /// given, is the stage the move started from; lists equal to its own share storage.
  /// Throws TEvaluationLimitError, having changed nothing, when budget would be exceeded.
  /// When the stage only adds to the one evaluated last, as a move's does, only what can
  /// reach the additions is rebuilt.
  void RecomputeDialecticalArguments(TArgumentationStage& stage, const TArgumentationStage* previous,
                                     std::size_t budget);
  /// Fills the stage's Arguments; throws like the above, having changed nothing.
  void RecomputeArguments(TArgumentationStage& stage, const TArgumentationStage* previous, std::size_t budget);

  /// Dialectical arguments held for all stages of the document.
  [[nodiscard]] std::size_t DialecticalArgumentCount() const;
  /// Dialectical evaluations that rebuilt only what a change reaches, rather than the whole stage.
  [[nodiscard]] std::size_t PartialEvaluationCount() const;

private:
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
};

}  // namespace korvane
