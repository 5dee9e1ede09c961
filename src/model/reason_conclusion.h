// A reason/conclusion connection with the exceptions that may block it.
#pragma once

#include <cstdint>

#include "statement.h"

namespace korvane {

/// What a connection or a step does to its conclusion.
enum class TConnectionKind : std::uint8_t { Supporting = 0, Defeating = 1 };
inline constexpr TConnectionKind kSupporting = TConnectionKind::Supporting;
inline constexpr TConnectionKind kDefeating = TConnectionKind::Defeating;

/// The number a value stands for, where one is written, shown or hashed.
[[nodiscard]] constexpr int Code(TConnectionKind kind) { return static_cast<int>(kind); }

class TReasonConclusion {
public:
  TStatement* Reason = nullptr;
  TStatement* Conclusion = nullptr;
  TConnectionKind ConnectionKind = kSupporting;
  /// In the order in which they were added.
  TStatements Exceptions;
};

using TReasonConclusions = TList<TReasonConclusion>;

}  // namespace korvane
