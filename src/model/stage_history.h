// What moves changed in place in objects that stages share: overruled types and
// exceptions added to existing connections. With it a stage made earlier can be seen
// again as it was when made, which is what evaluating it later must see.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "reason_conclusion.h"
#include "statement.h"

namespace korvane {

class TStageHistory {
public:
  TStageHistory() = default;
  TStageHistory(const TStageHistory&) = delete;
  TStageHistory& operator=(const TStageHistory&) = delete;

  void TypeChanged(TStatement* s, TStatementType before);
  void ExceptionsChanged(TReasonConclusion* c, const TStatements& before);

  /// Changes recorded so far; a stage keeps this to know which changes came after it.
  [[nodiscard]] std::size_t Mark() const { return changes_.size(); }

  /// Shared objects as they were at a mark, for as long as it lives.
  class TRewind {
  public:
    TRewind(const TStageHistory& history, std::size_t mark);
    TRewind(const TRewind&) = delete;
    TRewind& operator=(const TRewind&) = delete;
    ~TRewind();

  private:
    const TStageHistory& history_;
    std::size_t mark_;
  };

private:
  struct TChange {
    TStatement* statement = nullptr;
    TStatementType typeBefore = kAssumption, typeAfter = kAssumption;
    TReasonConclusion* connection = nullptr;
    TStatements exceptionsBefore, exceptionsAfter;
  };
  std::vector<TChange> changes_;
};

}  // namespace korvane
