#include "document/explanation.h"

#include <functional>
#include <optional>
#include <stdexcept>
#include <unordered_map>

namespace korvane {

namespace {

// The stage's statement with s's sentence: a connection's reason may be an object that
// never entered the stage when reason and conclusion share a sentence.
const TStatement* InStage(const TArgumentationStage& stage, const TStatement* s) {
  TStatement* found = nullptr;
  if (s && stage.SentenceIsStatementSentence(s->Sentence, found)) return found;
  return s;
}

bool Justified(const TDialecticalArgument* d) { return d && d->Status == kJustified; }

// The index of a statement in the stage's list, if it is there.
using TIndexOf = std::function<std::optional<std::size_t>(const TStatement*)>;

bool JustifiedInStage(const TArgumentationStage& stage, const TIndexOf& indexOf, const TStatement* s) {
  const std::optional<std::size_t> i = indexOf(s);
  return i && Justified(stage.DialecticalArguments[*i]);
}

TUndercutterExplanation ExplainUndercutter(const TArgumentationStage& stage, const TIndexOf& indexOf, const TStep& step,
                                           std::size_t k) {
  const TUndercutter* u = step.Undercutters[k];
  TUndercutterExplanation x;
  x.Exception = InStage(stage, u->Exception);
  if (u->WarrantingDialecticalArgument) x.Warrant = InStage(stage, u->WarrantingDialecticalArgument->Conclusion);
  x.WarrantHolds = u->WarrantStatus == kWarrantHolds;
  x.ExceptionJustified = Justified(step.UndercuttingDialecticalArguments[k]);
  x.ExceptionJustifiedInStage = JustifiedInStage(stage, indexOf, x.Exception);
  x.Blocks = x.WarrantHolds && x.ExceptionJustified;
  return x;
}

TStepExplanation ExplainStep(const TArgumentationStage& stage, const TIndexOf& indexOf, const TDialecticalArgument& d,
                             std::size_t i) {
  const TStep* step = d.Steps[i];
  TStepExplanation x;
  x.Reason = InStage(stage, step->Reason);
  x.ConnectionKind = step->ConnectionKind;
  if (step->WarrantingDialecticalArgument) x.Warrant = InStage(stage, step->WarrantingDialecticalArgument->Conclusion);
  x.WarrantHolds = step->WarrantStatus == kWarrantHolds;
  x.ReasonJustified = Justified(d.InitialDialecticalArguments[i]);
  x.ReasonJustifiedInStage = JustifiedInStage(stage, indexOf, x.Reason);
  bool blocked = false;
  for (std::size_t k = 0; k < step->Undercutters.Count(); ++k) {
    x.Undercutters.push_back(ExplainUndercutter(stage, indexOf, *step, k));
    blocked = blocked || x.Undercutters.back().Blocks;
  }
  x.Counts = x.WarrantHolds && x.ReasonJustified && !blocked;
  return x;
}

TStatementExplanation Explain(const TArgumentationStage& stage, const TIndexOf& indexOf, std::size_t index) {
  const TStatement* s = stage.Statements[index];
  const TDialecticalArgument& d = *stage.DialecticalArguments[index];
  TStatementExplanation x;
  x.Statement = s;
  x.StatementType = s->StatementType;
  x.Status = d.Status;
  for (std::size_t i = 0; i < d.Steps.Count(); ++i) x.Steps.push_back(ExplainStep(stage, indexOf, d, i));
  return x;
}

void RequireEvaluated(const TArgumentationStage& stage) {
  if (stage.DialecticalArguments.Count() != stage.Statements.Count())
    throw std::logic_error("the stage has not been evaluated");
}

}  // namespace

TStatementExplanation ExplainStatement(const TArgumentationStage& stage, const TStatement& statement) {
  RequireEvaluated(stage);
  const std::optional<std::size_t> index = stage.Statements.IndexOf(&statement);
  if (!index) throw std::invalid_argument("'" + statement.Sentence + "' is not a statement of this stage");
  return Explain(
      stage, [&](const TStatement* s) { return stage.Statements.IndexOf(s); }, *index);
}

TStepExplanation ExplainArgumentStep(const TArgumentationStage& stage, const TDialecticalArgument& argument,
                                     std::size_t index) {
  if (index >= argument.Steps.Count()) throw std::out_of_range("no such step");
  return ExplainStep(
      stage, [&](const TStatement* s) { return stage.Statements.IndexOf(s); }, argument, index);
}

TUndercutterExplanation ExplainStepUndercutter(const TArgumentationStage& stage, const TStep& step, std::size_t index) {
  if (index >= step.Undercutters.Count()) throw std::out_of_range("no such undercutter");
  return ExplainUndercutter(
      stage, [&](const TStatement* s) { return stage.Statements.IndexOf(s); }, step, index);
}

std::vector<TStatementExplanation> ExplainStage(const TArgumentationStage& stage) {
  RequireEvaluated(stage);
  // One pass over the list, so that a large stage is not searched once per step.
  std::unordered_map<const TStatement*, std::size_t> indices;
  for (std::size_t i = 0; i < stage.Statements.Count(); ++i) indices.emplace(stage.Statements[i], i);
  const TIndexOf indexOf = [&](const TStatement* s) -> std::optional<std::size_t> {
    const auto found = indices.find(s);
    if (found == indices.end()) return std::nullopt;
    return found->second;
  };
  std::vector<TStatementExplanation> all;
  all.reserve(stage.Statements.Count());
  for (std::size_t i = 0; i < stage.Statements.Count(); ++i) all.push_back(Explain(stage, indexOf, i));
  return all;
}

}  // namespace korvane
