// Which evaluation a stage runs: the fast one, or the plain rules when asked for.
#include <limits>
#include <vector>

#include "argumentation_stage.h"
#include "evaluation/evaluator.h"

namespace korvane {

void TArgumentationStage::RecomputeDialecticalArguments() {
  if (literal_) {
    RecomputeDialecticalArgumentsLiterally();
    return;
  }
  store_->Evaluator().RecomputeDialecticalArguments(*this, origin_, budget_);
}

void TArgumentationStage::RecomputeArguments() {
  argumentStatements_ = Statements.Count();
  if (literal_) {
    RecomputeArgumentsLiterally();
    return;
  }
  store_->Evaluator().RecomputeArguments(*this, origin_, budget_);
}

void TArgumentationStage::FinishMove() {
  if (Postponing()) {
    // Nothing to share with: the stage it came from holds no lists either.
    origin_ = nullptr;
    if (!deferred_) ReleaseEvaluation();
    return;
  }
  if (literal_ || !deferred_) RecomputeDialecticalArguments();
  if (!deferred_) origin_ = nullptr;
}

void TArgumentationStage::ReleaseEvaluation() {
  DialecticalArguments.Clear();
  MaximalDialecticalArguments.Clear();
  Arguments.Clear();
  recomputedBy_.reset();
  dialectical_store_.reset();
  released_ = true;
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
    earlier->literal_ = literal_;
    earlier->Statements.Reserve(argumentStatements_);
    for (int i = 0; i < argumentStatements_; ++i) earlier->Statements.Add(Statements[i]);
    earlier->ReasonConclusions.Assign(ReasonConclusions);
    from = earlier.get();
  }
  if (evaluator)
    evaluator->RecomputeArguments(*from, nullptr, budget);
  else
    from->RecomputeArgumentsLiterally();
  if (!earlier) return;
  Arguments.Assign(earlier->Arguments);
  for (int i = argumentStatements_; i < Statements.Count(); ++i) Arguments.Add(store_->NewArgument(Statements[i]));
}

void TArgumentationStage::EnsureEvaluated() {
  if (!released_) return;
  std::vector<TStatus> statuses;
  statuses.reserve(static_cast<std::size_t>(Statements.Count()));
  for (const TStatement* s : Statements) statuses.push_back(s->Status);
  {
    const TStageHistory::TRewind rewind(store_->History(), historyMark_);
    // An evaluator of its own: the document's keeps what it needs for the next move.
    auto evaluator = literal_ ? nullptr : std::make_shared<TEvaluator>();
    RestoreArguments(evaluator.get(), kUnlimitedWork);
    if (literal_)
      RecomputeDialecticalArgumentsLiterally();
    else
      evaluator->RecomputeDialecticalArguments(*this, nullptr, kUnlimitedWork);
    recomputedBy_ = std::move(evaluator);
  }
  for (int i = 0; i < Statements.Count(); ++i) Statements[i]->Status = statuses[static_cast<std::size_t>(i)];
  released_ = false;
}

// The document's evaluator, which then keeps what the next move needs. Arguments are
// restored first: a refusal there leaves the lists released, as they were.
void TArgumentationStage::EvaluatePostponed(std::size_t budget) {
  if (!released_ || literal_) {
    postponed_ = false;
    return;
  }
  try {
    RestoreArguments(&store_->Evaluator(), budget);
    store_->Evaluator().RecomputeDialecticalArguments(*this, nullptr, budget);
  } catch (...) {
    Arguments.Clear();
    throw;
  }
  postponed_ = false;
  released_ = false;
}

}  // namespace korvane
