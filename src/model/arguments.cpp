// Argument formation: one tree per final conclusion, then one per statement that only
// lies on cycles of connections.
#include "argumentation_stage.h"

namespace korvane {

void TArgumentationStage::RecomputeArgumentsLiterally() {
  Arguments.Clear();
  for (TStatement* s : Statements) {
    if (IsFinalConclusion(s, ReasonConclusions)) {
      TArgument* a = store_->NewArgument(s);
      ComputeSupportingArguments(s, a->InitialArguments, ReasonConclusions);
      Arguments.Add(a);
    }
  }
  // Arguments appended here count for the statements after them.
  for (TStatement* s : Statements) {
    if (!OccursInArgument(s, Arguments)) {
      TArgument* a = store_->NewArgument(s);
      ComputeSupportingArguments(s, a->InitialArguments, ReasonConclusions);
      Arguments.Add(a);
    }
  }
}

bool TArgumentationStage::IsFinalConclusion(const TStatement* s, const TReasonConclusions& connections) {
  for (const TReasonConclusion* q : connections)
    if (SameSentence(q->Reason->Sentence, s->Sentence)) return false;
  return true;
}

bool TArgumentationStage::OccursInArgument(const TStatement* s, const TArguments& arguments) {
  for (const TArgument* a : arguments) {
    if (SameSentence(a->Conclusion->Sentence, s->Sentence)) return true;
    if (OccursInArgument(s, a->InitialArguments)) return true;
  }
  return false;
}

void TArgumentationStage::ComputeSupportingArguments(TStatement* s, TArguments& arguments,
                                                     const TReasonConclusions& connections) {
  for (TReasonConclusion* q : connections) {
    if (!SameSentence(q->Conclusion->Sentence, s->Sentence)) continue;
    TArgument* x = store_->NewArgument(q->Reason);
    // Each branch drops the connection it used, so cycles end.
    TReasonConclusions rest;
    rest.Assign(connections);
    rest.Remove(q);
    ComputeSupportingArguments(q->Reason, x->InitialArguments, rest);
    arguments.Add(x);
  }
}

}  // namespace korvane
