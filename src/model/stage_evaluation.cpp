// Which evaluation a stage runs: the fast one, or the plain rules when asked for.
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
  if (literal_) {
    RecomputeArgumentsLiterally();
    return;
  }
  store_->Evaluator().RecomputeArguments(*this, origin_, budget_);
}

void TArgumentationStage::FinishMove() {
  if (literal_ || !deferred_) RecomputeDialecticalArguments();
  if (!deferred_) origin_ = nullptr;
}

}  // namespace korvane
