// Which evaluation a stage runs: the fast one, or the plain rules when asked for.
#include <limits>
#include <vector>

#include "argumentation_stage.h"
#include "evaluation/evaluator.h"

namespace korvane {

void TArgumentationStage::RecomputeDialecticalArguments() {
  if (path_.Plain()) {
    RecomputeDialecticalArgumentsLiterally();
    return;
  }
  store_->Evaluator().RecomputeDialecticalArguments(*this, origin_, budget_);
}

void TArgumentationStage::RecomputeArguments() {
  argumentStatements_ = Statements.Count();
  if (path_.Plain()) {
    RecomputeArgumentsLiterally();
    return;
  }
  store_->Evaluator().RecomputeArguments(*this, origin_, budget_);
}

void TArgumentationStage::FinishMove() {
  switch (path_.AtEndOfMove()) {
    case TEvaluationPath::TFinish::Evaluate: RecomputeDialecticalArguments(); break;
    case TEvaluationPath::TFinish::Release: ReleaseEvaluation(); break;
    case TEvaluationPath::TFinish::Leave: break;
  }
  // Postponed, there is nothing to share with: the stage it came from holds no lists either.
  if (!path_.Deferred() || path_.Postponing()) origin_ = nullptr;
}

void TArgumentationStage::ReleaseEvaluation() {
  DialecticalArguments.Clear();
  MaximalDialecticalArguments.Clear();
  Arguments.Clear();
  recomputedBy_.reset();
  dialectical_store_.reset();
  path_.Release();
}

namespace {
// A stage that was accepted once is not refused when it is evaluated again.
constexpr std::size_t kUnlimitedWork = std::numeric_limits<std::size_t>::max() / 16;
}  // namespace

// Rebuilt from the stage as the last rebuild saw it; the statements stated since then
// follow with their one-node arguments, in the order their moves appended them.
void TArgumentationStage::RestoreArguments(TEvaluator* evaluator, std::size_t budget) {
  TArgumentationStage* from = this;
  std::unique_ptr<TArgumentationStage> earlier;
  if (argumentStatements_ < Statements.Count()) {
    earlier = std::make_unique<TArgumentationStage>(store_);
    earlier->path_.SetPlain(path_.Plain());
    earlier->Statements.Reserve(argumentStatements_);
    for (std::size_t i = 0; i < argumentStatements_; ++i) earlier->Statements.Add(Statements[i]);
    earlier->ReasonConclusions.Assign(ReasonConclusions);
    from = earlier.get();
  }
  if (evaluator)
    evaluator->RecomputeArguments(*from, nullptr, budget);
  else
    from->RecomputeArgumentsLiterally();
  if (!earlier) return;
  Arguments.Assign(earlier->Arguments);
  for (std::size_t i = argumentStatements_; i < Statements.Count(); ++i)
    Arguments.Add(store_->NewArgument(Statements[i]));
}

void TArgumentationStage::EnsureEvaluated() {
  if (!path_.Released()) return;
  std::vector<TStatus> statuses;
  statuses.reserve(Statements.Count());
  for (const TStatement* s : Statements) statuses.push_back(s->Status);
  {
    const TStageHistory::TRewind rewind(store_->History(), historyMark_);
    // An evaluator of its own: the document's keeps what it needs for the next move.
    auto evaluator = path_.Plain() ? nullptr : std::make_shared<TEvaluator>();
    RestoreArguments(evaluator.get(), kUnlimitedWork);
    if (path_.Plain())
      RecomputeDialecticalArgumentsLiterally();
    else
      evaluator->RecomputeDialecticalArguments(*this, nullptr, kUnlimitedWork);
    recomputedBy_ = std::move(evaluator);
  }
  for (std::size_t i = 0; i < Statements.Count(); ++i) Statements[i]->Status = statuses[i];
  path_.Refilled();
}

// The document's evaluator, which then keeps what the next move needs. Arguments are
// restored first: a refusal there leaves the lists released, as they were.
void TArgumentationStage::EvaluatePostponed(std::size_t budget) {
  if (!path_.Released() || path_.Plain()) {
    path_.SetPostponed(false);
    return;
  }
  try {
    RestoreArguments(&store_->Evaluator(), budget);
    store_->Evaluator().RecomputeDialecticalArguments(*this, nullptr, budget);
  } catch (...) {
    Arguments.Clear();
    throw;
  }
  path_.PostponedEvaluated();
}

}  // namespace korvane
