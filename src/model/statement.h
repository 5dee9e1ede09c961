// A statement: a sentence put forward as an issue or as an assumption.
#pragma once

#include <cstdint>
#include <string>

#include "list.h"

namespace korvane {

/// What a statement is put forward as.
enum class TStatementType : std::uint8_t { Assumption = 0, Issue = 1 };
inline constexpr TStatementType kAssumption = TStatementType::Assumption;
inline constexpr TStatementType kIssue = TStatementType::Issue;

/// Status of statements and dialectical arguments.
enum class TStatus : std::uint8_t { Justified = 0, Unjustified = 1, Unevaluated = 2 };
inline constexpr TStatus kJustified = TStatus::Justified;
inline constexpr TStatus kUnjustified = TStatus::Unjustified;
inline constexpr TStatus kUnevaluated = TStatus::Unevaluated;

/// The number a value stands for, where one is written, shown or hashed.
[[nodiscard]] constexpr int Code(TStatementType type) { return static_cast<int>(type); }
[[nodiscard]] constexpr int Code(TStatus status) { return static_cast<int>(status); }

class TStatement {
public:
  /// A byte string; it is the statement's identity.
  std::string Sentence;
  /// Decimal identifier, empty until the statement first enters a stage.
  std::string Id;
  TStatementType StatementType = kIssue;
  TStatus Status = kUnevaluated;
};

using TStatements = TList<TStatement>;

/// Exact, case-sensitive comparison of two sentences, without trimming.
[[nodiscard]] inline bool SameSentence(const std::string& a, const std::string& b) { return a == b; }

}  // namespace korvane
