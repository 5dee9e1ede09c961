// An explanation told in one plain English sentence, such as
// "justified: the step from 'it rains' counts (its warrant is not stated; no exception blocks it)".
#pragma once

#include <functional>
#include <string>

#include "document/explanation.h"

namespace korvane {

/// How a sentence's bytes are shown inside the text; as they are by default. The tool
/// passes its UTF-8 reading, a window its own.
using TSentenceShown = std::function<std::string(const std::string&)>;

/// The status, a colon and why, e.g. "justified: it is an assumption".
[[nodiscard]] std::string WhySentence(const TStatementExplanation& explanation, const TSentenceShown& shown = {});

/// Whether a step counts and why, e.g. "the step from 'it rains' counts (its warrant is not
/// stated; no exception blocks it)".
[[nodiscard]] std::string StepWhySentence(const TStepExplanation& step, const TSentenceShown& shown = {});

/// Whether an undercutter of step blocks it and why, e.g. "the exception 'e' blocks the step
/// from 'a' (its undercutter warrant is not stated; the exception is justified)".
[[nodiscard]] std::string UndercutterWhySentence(const TStepExplanation& step,
                                                 const TUndercutterExplanation& undercutter,
                                                 const TSentenceShown& shown = {});

}  // namespace korvane
