// A statement: a sentence put forward as an issue or as an assumption.
#pragma once

#include <cstdint>
#include <string>

#include "list.h"

namespace korvane {

/// `StatementType` values.
inline constexpr std::uint8_t kAssumption = 0;
inline constexpr std::uint8_t kIssue = 1;

/// Status codes of statements and dialectical arguments.
inline constexpr std::uint8_t kJustified = 0;
inline constexpr std::uint8_t kUnjustified = 1;
inline constexpr std::uint8_t kUnevaluated = 2;

class TStatement {
public:
  /// A byte string; it is the statement's identity.
  std::string Sentence;
  /// Decimal identifier, empty until the statement first enters a stage.
  std::string Id;
  std::uint8_t StatementType = kIssue;
  std::uint8_t Status = kUnevaluated;
};

using TStatements = TList<TStatement>;

/// Exact, case-sensitive comparison of two sentences, without trimming.
[[nodiscard]] inline bool SameSentence(const std::string& a, const std::string& b) { return a == b; }

}  // namespace korvane
