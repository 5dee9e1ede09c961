// The explanation of a statement as JSON fields, by statement ids.
#include <ostream>

#include "cli_support.h"
#include "document/explanation_text.h"

namespace korvane::cli {

namespace {

std::string IdOrNull(const TStatement* s) { return s ? JsonString(s->Id) : std::string("null"); }

const char* Bool(bool value) { return value ? "true" : "false"; }

void WriteWarrant(std::ostream& out, const TStatement* warrant, bool holds) {
  out << "{\"statement\": " << IdOrNull(warrant) << ", \"holds\": " << Bool(holds) << '}';
}

}  // namespace

void WriteExplanationFields(std::ostream& out, const TStatementExplanation& explanation) {
  out << ", \"steps\": [";
  for (std::size_t i = 0; i < explanation.Steps.size(); ++i) {
    const TStepExplanation& step = explanation.Steps[i];
    out << (i ? ", " : "") << "{\"reason\": " << IdOrNull(step.Reason) << ", \"kind\": \""
        << (step.ConnectionKind == kDefeating ? "defeating" : "supporting") << "\", \"warrant\": ";
    WriteWarrant(out, step.Warrant, step.WarrantHolds);
    out << ", \"reason_justified\": " << Bool(step.ReasonJustified) << ", \"undercutters\": [";
    for (std::size_t k = 0; k < step.Undercutters.size(); ++k) {
      const TUndercutterExplanation& u = step.Undercutters[k];
      out << (k ? ", " : "") << "{\"exception\": " << IdOrNull(u.Exception) << ", \"warrant\": ";
      WriteWarrant(out, u.Warrant, u.WarrantHolds);
      out << ", \"blocks\": " << Bool(u.Blocks) << '}';
    }
    out << "], \"counts\": " << Bool(step.Counts) << '}';
  }
  out << "], \"why\": " << JsonString(WhySentence(explanation, interchange::AsUtf8));
}

}  // namespace korvane::cli
