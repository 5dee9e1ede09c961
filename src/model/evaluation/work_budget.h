// The work one evaluation may do. Cycles make the exact result grow exponentially, so
// every part of the evaluation spends from one budget; past it the move is refused.
#pragma once

#include <algorithm>
#include <cstddef>
#include <limits>

#include "model/evaluation_limit.h"

namespace korvane::evaluation {

/// Nesting allowed inside one cycle before the move is refused; the work budget is
/// reached long before a cycle is this long, and this keeps the machine stack small.
inline constexpr int kMaxNesting = 4000;

/// Throws the error that refuses the move. Like every error text, it has no full stop of
/// its own: whoever shows it adds one.
[[noreturn]] inline void Refuse() {
  throw TEvaluationLimitError(
      "This move would make the evaluation too large to compute (its connections form too many cycles). "
      "The move was not made");
}

class TWorkBudget {
public:
  /// A fresh budget: work in proportion to the stage is always allowed; base bounds what
  /// cycles add. cap, when lower, bounds the whole.
  void Reset(std::size_t base, std::size_t stageSize, std::size_t cap = std::numeric_limits<std::size_t>::max()) {
    work_ = 0;
    limit_ = std::min(base + 8 * stageSize, cap);
  }
  /// Work done since the last Reset.
  [[nodiscard]] std::size_t Spent() const { return work_; }
  /// Refuses the move once the work done exceeds the budget.
  void Spend(std::size_t units) {
    work_ += units;
    if (work_ > limit_) Refuse();
  }

private:
  std::size_t work_ = 0;
  std::size_t limit_ = 0;
};

}  // namespace korvane::evaluation
