// What every export writes: a stage's statements and connections with their exceptions,
// and which statements are the stated warrants of steps and undercutters. Indices, not
// pointers, so the writers need nothing of the model's object sharing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/argumentation_stage.h"

namespace korvane::interchange {

/// No statement: a warrant that is not stated.
inline constexpr int kNone = -1;

struct TGraphStatement {
  std::string Sentence;
  TStatementType Type = kIssue;
  TStatus Status = kUnevaluated;
};

struct TGraphException {
  int Statement = kNone;
  /// The statement whose sentence is the undercutter warrant, or kNone.
  int Warrant = kNone;
};

struct TGraphConnection {
  int Reason = kNone;
  int Conclusion = kNone;
  TConnectionKind Kind = kSupporting;
  /// The statement whose sentence is the step warrant, or kNone.
  int Warrant = kNone;
  std::vector<TGraphException> Exceptions;
};

class TArgumentGraph {
public:
  /// The picture of a stage, statements and connections in stage order.
  explicit TArgumentGraph(const TArgumentationStage& stage);

  [[nodiscard]] const std::vector<TGraphStatement>& Statements() const { return statements_; }
  [[nodiscard]] const std::vector<TGraphConnection>& Connections() const { return connections_; }
  /// The number of exceptions over all connections.
  [[nodiscard]] int ExceptionCount() const;

private:
  std::vector<TGraphStatement> statements_;
  std::vector<TGraphConnection> connections_;
};

/// "issue" or "assumption".
[[nodiscard]] const char* TypeName(TStatementType type);
/// "justified", "unjustified" or "unevaluated".
[[nodiscard]] const char* StatusName(TStatus status);
/// "supporting" or "defeating".
[[nodiscard]] const char* KindName(TConnectionKind kind);

}  // namespace korvane::interchange
