// The explanation of a statement as JSON fields, by statement ids.
#include "cli_support.h"
#include "document/explanation_text.h"

namespace korvane::cli {

namespace {

TJson IdOrNull(const TStatement* s) { return s ? TJson(s->Id) : TJson(); }

TJson Warrant(const TStatement* warrant, bool holds) { return {{"statement", IdOrNull(warrant)}, {"holds", holds}}; }

}  // namespace

void AddExplanation(TJson& statement, const TStatementExplanation& explanation) {
  TJson steps = TJson::array();
  for (const TStepExplanation& step : explanation.Steps) {
    TJson undercutters = TJson::array();
    for (const TUndercutterExplanation& u : step.Undercutters)
      undercutters.push_back(
          {{"exception", IdOrNull(u.Exception)}, {"warrant", Warrant(u.Warrant, u.WarrantHolds)}, {"blocks", u.Blocks}});
    steps.push_back({{"reason", IdOrNull(step.Reason)},
                     {"kind", step.ConnectionKind == kDefeating ? "defeating" : "supporting"},
                     {"warrant", Warrant(step.Warrant, step.WarrantHolds)},
                     {"reason_justified", step.ReasonJustified},
                     {"undercutters", std::move(undercutters)},
                     {"counts", step.Counts}});
  }
  statement["steps"] = std::move(steps);
  statement["why"] = WhySentence(explanation, interchange::AsUtf8);
}

}  // namespace korvane::cli
