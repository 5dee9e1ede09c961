// Which evaluation a stage runs: the fast one, or the plain rules when asked for.
#include "argumentation_stage.h"
#include "fast_evaluation.h"

namespace korvane {

void TArgumentationStage::RecomputeDialecticalArguments() {
  if (literal_) {
    RecomputeDialecticalArgumentsLiterally();
    return;
  }
  store_->EvaluationCache().RecomputeDialecticalArguments(*this, origin_, budget_);
}

void TArgumentationStage::RecomputeArguments() {
  if (literal_) {
    RecomputeArgumentsLiterally();
    return;
  }
  store_->EvaluationCache().RecomputeArguments(*this, origin_, budget_);
}

void TArgumentationStage::FinishMove() {
  if (literal_ || !deferred_) RecomputeDialecticalArguments();
  if (!deferred_) origin_ = nullptr;
}

}  // namespace korvane
