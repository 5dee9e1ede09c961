// The sentences that make a statement a warrant: a statement is a step or undercutter
// warrant exactly when its sentence equals one of these texts.
#pragma once

#include <cstdint>

#include "reason_conclusion.h"

namespace korvane {

/// "(IF r, THEN c)" for a supporting kind, "(IF r, THEN IT IS DEFEATED THAT c)" for a defeating one.
[[nodiscard]] std::string StepWarrantSentence(const std::string& reason, const std::string& conclusion,
                                              TConnectionKind kind);

/// "(THAT e, IS AN EXCEPTION TO THE RULE THAT, IF r, THEN c)", whatever the connection's kind.
[[nodiscard]] std::string UndercutterWarrantSentence(const std::string& exception, const std::string& reason,
                                                     const std::string& conclusion);

}  // namespace korvane
