// What both fuzz targets share: a session without a window whose asker answers every
// question Yes and counts what it was asked, and a check that stops the run loudly.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "document/headless_session.h"

namespace korvane::fuzz {

/// A windowless session that answers Yes and counts what it was asked.
using TFuzzSession = THeadlessSession<>;

/// What a failure report shows besides its message: the texts involved.
inline std::string& FailureContext() {
  static std::string context;
  return context;
}

/// Aborts with a message, so libFuzzer keeps the input that broke the rule.
[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "fuzz check failed: %s\n%s", what.c_str(), FailureContext().c_str());
  std::abort();
}

/// Lines as a report shows them, one per row.
inline std::string Show(const std::vector<std::string>& lines) {
  std::string shown;
  for (const std::string& line : lines) shown += "  | " + line + "\n";
  return shown;
}

inline void Check(bool condition, const char* what) {
  if (!condition) Fail(what);
}

/// The bookkeeping every line keeps: one stage more than moves, the current one last.
inline void CheckLineShape(const TLineOfArgumentation& line) {
  Check(line.ArgumentationStages.Count() == line.ArgumentationMoves.Count() + 1, "stages = moves + 1");
  Check(line.CurrentStage == line.ArgumentationStages.Last(), "current stage is the last");
  for (std::size_t k = 0; k < line.ArgumentationMoves.Count(); ++k) {
    const TArgumentationMove* m = line.ArgumentationMoves[k];
    Check(m->PreStage == line.ArgumentationStages[k] && m->PostStage == line.ArgumentationStages[k + 1],
          "move k goes from stage k to stage k+1");
    Check(!m->Move.empty() && m->Move.back().empty(), "every move's text ends with an empty line");
  }
}

}  // namespace korvane::fuzz
