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

/// `WarrantStatus` values.
inline constexpr std::uint8_t kWarrantHolds = 0;
inline constexpr std::uint8_t kWarrantFails = 1;

class TDialecticalArgument {
public:
  TStatement* Conclusion = nullptr;
  /// One step per connection that concludes the statement, in connection order.
  TSteps Steps;
  /// Parallel to Steps: element i argues for the reason of step i.
  TDialecticalArguments InitialDialecticalArguments;
  std::uint8_t Status = kUnevaluated;
};

class TStep {
public:
  TStatement* Conclusion = nullptr;
  TStatement* Reason = nullptr;
  std::int32_t ConnectionKind = kSupporting;
  /// Present only when the step's warrant sentence is a statement of the stage.
  TDialecticalArgument* WarrantingDialecticalArgument = nullptr;
  std::uint8_t WarrantStatus = kWarrantHolds;
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
  std::uint8_t WarrantStatus = kWarrantHolds;
};

}  // namespace korvane
