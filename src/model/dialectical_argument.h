// The evaluated form of one statement in one stage: its steps, their warrants and
// undercutters, each again with a dialectical argument.
#pragma once

#include <cstdint>

#include "reason_conclusion.h"
#include "statement.h"

namespace korvane {

class TDialecticalArgument;
class TStep;
class TUndercutter;
using TDialecticalArguments = TList<TDialecticalArgument>;
using TSteps = TList<TStep>;
using TUndercutters = TList<TUndercutter>;

/// Whether the warrant of a step or undercutter holds.
enum class TWarrantStatus : std::uint8_t { Holds = 0, Fails = 1 };
inline constexpr TWarrantStatus kWarrantHolds = TWarrantStatus::Holds;
inline constexpr TWarrantStatus kWarrantFails = TWarrantStatus::Fails;

/// The number a value stands for, where one is written, shown or hashed.
[[nodiscard]] constexpr int Code(TWarrantStatus status) { return static_cast<int>(status); }

class TDialecticalArgument {
public:
  TStatement* Conclusion = nullptr;
  /// One step per connection that concludes the statement, in connection order.
  TSteps Steps;
  /// Parallel to Steps: element i argues for the reason of step i.
  TDialecticalArguments InitialDialecticalArguments;
  TStatus Status = kUnevaluated;
  /// For the evaluation that built it, which prunes its containment tests by them: the
  /// tree's height (0 where not built by one), and its place in that evaluation's build order.
  std::int32_t BuildHeight = 0;
  std::uint32_t BuildSerial = 0;
};

class TStep {
public:
  TStatement* Conclusion = nullptr;
  TStatement* Reason = nullptr;
  TConnectionKind ConnectionKind = kSupporting;
  /// Present only when the step's warrant sentence is a statement of the stage.
  TDialecticalArgument* WarrantingDialecticalArgument = nullptr;
  TWarrantStatus WarrantStatus = kWarrantHolds;
  TUndercutters Undercutters;
  /// Parallel to Undercutters: element k argues for the exception of undercutter k.
  TDialecticalArguments UndercuttingDialecticalArguments;
};

class TUndercutter {
public:
  TStatement* Exception = nullptr;
  TStatement* Conclusion = nullptr;
  TStatement* Reason = nullptr;
  /// Present only when the undercutter's warrant sentence is a statement of the stage.
  TDialecticalArgument* WarrantingDialecticalArgument = nullptr;
  TWarrantStatus WarrantStatus = kWarrantHolds;
};

}  // namespace korvane
