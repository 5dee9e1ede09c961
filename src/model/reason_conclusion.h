// A reason/conclusion connection with the exceptions that may block it.
#pragma once

#include <cstdint>

#include "statement.h"

namespace korvane {

/// `ConnectionKind` values of connections and steps.
inline constexpr std::int32_t kSupporting = 0;
inline constexpr std::int32_t kDefeating = 1;

class TReasonConclusion {
public:
  TStatement* Reason = nullptr;
  TStatement* Conclusion = nullptr;
  std::int32_t ConnectionKind = kSupporting;
  /// In the order in which they were added.
  TStatements Exceptions;
};

using TReasonConclusions = TList<TReasonConclusion>;

}  // namespace korvane
