// What the interpreter needs of whoever owns the line of argumentation: the current line,
// to make its objects, and the three entry points through which every move goes.
#pragma once

#include "line/line_of_argumentation.h"

namespace korvane {

class TMoveTarget {
public:
  virtual ~TMoveTarget() = default;
  /// The line the moves are made on; objects for a move are made with its NewStatement
  /// and NewReasonConclusion.
  [[nodiscard]] virtual TLineOfArgumentation& Line() const = 0;
  virtual bool PerformStatementMove(TStatement* s) = 0;
  virtual void PerformReasonConclusionMove(TReasonConclusion* c) = 0;
  virtual void PerformExceptionMove(TReasonConclusion* c) = 0;
};

}  // namespace korvane
