// An argument: a tree with a conclusion at its root and the arguments for its reasons below.
#pragma once

#include <cstdint>

#include "statement.h"

namespace korvane {

class TArgument;
using TArguments = TList<TArgument>;

class TArgument {
public:
  TStatement* Conclusion = nullptr;
  /// One sub-argument per reason, in the order of the connections that link them.
  TArguments InitialArguments;
  /// Not computed by anything; kept for what stored arguments carry.
  TStatus DefeatStatus = kUnevaluated;
};

}  // namespace korvane
