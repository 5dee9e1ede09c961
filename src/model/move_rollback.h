// Puts back what a move changed in shared objects when the move fails (its evaluation
// was refused): overruled types, given identifiers, replaced ends and exceptions of the
// connection passed in, and an exception appended to an existing connection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "argumentation_stage.h"

namespace korvane {

/// Restores, unless kept, what the move under way changed in place.
class TMoveRollback {
public:
  /// Records the receiver's statements, the statements and the connection a move is given,
  /// and the receiver's connection that the move may extend. Inactive inside a compound move.
  TMoveRollback(const TArgumentationStage& receiver, std::vector<TStatement*> given, TReasonConclusion* connection);
  TMoveRollback(const TMoveRollback&) = delete;
  TMoveRollback& operator=(const TMoveRollback&) = delete;
  /// Restores everything recorded unless Keep was called.
  ~TMoveRollback();
  /// The move succeeded: nothing is restored, and what it changed goes into the store's history.
  void Keep();

private:
  struct TStatementState {
    TStatement* statement;
    bool hasId;
    std::string id;
    TStatementType type;
    TStatus status;
  };
  bool active_ = false;
  TModelStore* store_ = nullptr;
  std::vector<TStatementState> statements_;
  TReasonConclusion* connection_ = nullptr;
  TStatement* reason_ = nullptr;
  TStatement* conclusion_ = nullptr;
  TStatements exceptions_;
  TReasonConclusion* extended_ = nullptr;
  TStatements extendedExceptions_;
};

}  // namespace korvane
