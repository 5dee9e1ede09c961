// Puts back what a move changed in shared objects when the move fails (its evaluation
// was refused): overruled types, given identifiers, replaced ends and exceptions of the
// connection passed in, and an exception appended to an existing connection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "argumentation_stage.h"

namespace korvane {

class TMoveUndo {
public:
  /// Records the receiver's statements, the statements and the connection a move is given,
  /// and the receiver's connection that the move may extend. Inactive inside a compound move.
  TMoveUndo(const TArgumentationStage& receiver, std::vector<TStatement*> given, TReasonConclusion* connection);
  TMoveUndo(const TMoveUndo&) = delete;
  TMoveUndo& operator=(const TMoveUndo&) = delete;
  /// Restores everything recorded unless Keep was called.
  ~TMoveUndo();
  /// The move succeeded.
  void Keep() { active_ = false; }

private:
  struct TStatementState {
    TStatement* statement;
    bool hasId;
    std::string id;
    std::uint8_t type;
    std::uint8_t status;
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
