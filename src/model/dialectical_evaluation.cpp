// The evaluation of a stage, written as plainly as the rules read: every dialectical
// argument is built from scratch for every statement, nothing is shared or cached.
#include "argumentation_stage.h"
#include "warrant_sentences.h"

namespace korvane {

void TArgumentationStage::RecomputeDialecticalArgumentsLiterally() {
  DialecticalArguments.Clear();
  MaximalDialecticalArguments.Clear();
  for (TStatement* s : Statements) {
    TDialecticalArgument* d = DialecticalStore().NewDialecticalArgument(s);
    ComputeDialecticalArgument(s, d, ReasonConclusions);
    DialecticalArguments.Add(d);
  }

  const std::size_t count = DialecticalArguments.Count();
  for (std::size_t i = 0; i < count; ++i) {
    TDialecticalArgument* di = DialecticalArguments[i];
    bool excluded = false;
    for (std::size_t j = i + 1; j < count && !excluded; ++j)
      excluded = IsProperlyContainedIn(di, DialecticalArguments[j]);
    for (std::size_t k = 0; k < MaximalDialecticalArguments.Count() && !excluded; ++k)
      excluded = IsProperlyContainedIn(di, MaximalDialecticalArguments[k]);
    if (!excluded) MaximalDialecticalArguments.Add(di);
  }

  for (std::size_t i = 0; i < count; ++i) {
    const TStatus status = DialecticalArguments[i]->Status;
    if (status == kJustified || status == kUnjustified) Statements[i]->Status = status;
  }
}

void TArgumentationStage::ComputeDialecticalArgument(TStatement* s, TDialecticalArgument* d,
                                                     const TReasonConclusions& connections) {
  d->Conclusion = s;
  for (TReasonConclusion* q : connections) {
    if (!SameSentence(q->Conclusion->Sentence, s->Sentence)) continue;
    TReasonConclusions rest;
    rest.Assign(connections);
    rest.Remove(q);

    TStep* step = DialecticalStore().NewStep();
    step->Conclusion = s;
    step->Reason = q->Reason;
    step->ConnectionKind = q->ConnectionKind;
    d->Steps.Add(step);

    TDialecticalArgument* reason = DialecticalStore().NewDialecticalArgument(q->Reason);
    ComputeDialecticalArgument(q->Reason, reason, rest);
    d->InitialDialecticalArguments.Add(reason);

    TStatement* warrant = nullptr;
    if (SentenceIsStatementSentence(
            StepWarrantSentence(step->Reason->Sentence, step->Conclusion->Sentence, step->ConnectionKind), warrant)) {
      TDialecticalArgument* w = DialecticalStore().NewDialecticalArgument(warrant);
      ComputeDialecticalArgument(warrant, w, rest);
      step->WarrantingDialecticalArgument = w;
      step->WarrantStatus = w->Status == kJustified ? kWarrantHolds : kWarrantFails;
    }

    for (TStatement* e : q->Exceptions) {
      TUndercutter* u = DialecticalStore().NewUndercutter();
      u->Exception = e;
      u->Conclusion = step->Conclusion;
      u->Reason = step->Reason;
      step->Undercutters.Add(u);

      TStatement* uwarrant = nullptr;
      if (SentenceIsStatementSentence(
              UndercutterWarrantSentence(e->Sentence, u->Reason->Sentence, u->Conclusion->Sentence), uwarrant)) {
        TDialecticalArgument* uw = DialecticalStore().NewDialecticalArgument(uwarrant);
        ComputeDialecticalArgument(uwarrant, uw, rest);
        u->WarrantingDialecticalArgument = uw;
        u->WarrantStatus = uw->Status == kJustified ? kWarrantHolds : kWarrantFails;
      }

      TDialecticalArgument* exception = DialecticalStore().NewDialecticalArgument(e);
      ComputeDialecticalArgument(e, exception, rest);
      step->UndercuttingDialecticalArguments.Add(exception);
    }
  }
  ComputeStatusDialecticalArgument(d);
}

void TArgumentationStage::ComputeStatusDialecticalArgument(TDialecticalArgument* d) {
  if (d->Conclusion->StatementType == kAssumption) {
    d->Status = kJustified;
    return;
  }
  if (d->Conclusion->StatementType != kIssue) return;
  d->Status = kUnjustified;
  // Every step is examined, also after one has counted.
  for (std::size_t i = 0; i < d->Steps.Count(); ++i) {
    TStep* step = d->Steps[i];
    if (step->WarrantingDialecticalArgument) ComputeStatusDialecticalArgument(step->WarrantingDialecticalArgument);
    if (step->WarrantStatus != kWarrantHolds) continue;
    TDialecticalArgument* reason = d->InitialDialecticalArguments[i];
    ComputeStatusDialecticalArgument(reason);
    if (reason->Status != kJustified) continue;
    bool blocked = false;
    for (std::size_t k = 0; k < step->Undercutters.Count(); ++k) {
      TUndercutter* u = step->Undercutters[k];
      if (u->WarrantingDialecticalArgument) ComputeStatusDialecticalArgument(u->WarrantingDialecticalArgument);
      if (u->WarrantStatus != kWarrantHolds) continue;
      TDialecticalArgument* exception = step->UndercuttingDialecticalArguments[k];
      ComputeStatusDialecticalArgument(exception);
      if (exception->Status == kJustified) blocked = true;
    }
    if (!blocked) d->Status = kJustified;
  }
}

namespace {

bool StepsMatch(const TStep* s1, const TStep* s2) {
  if (s1->Conclusion != s2->Conclusion || s1->Reason != s2->Reason) return false;
  if (s1->WarrantingDialecticalArgument &&
      !(s2->WarrantingDialecticalArgument &&
        TArgumentationStage::IsFinal(s1->WarrantingDialecticalArgument, s2->WarrantingDialecticalArgument)))
    return false;
  for (std::size_t k1 = 0; k1 < s1->Undercutters.Count(); ++k1) {
    const TUndercutter* u1 = s1->Undercutters[k1];
    bool matched = false;
    for (std::size_t k2 = 0; k2 < s2->Undercutters.Count() && !matched; ++k2) {
      const TUndercutter* u2 = s2->Undercutters[k2];
      matched = TArgumentationStage::IsFinal(s1->UndercuttingDialecticalArguments[k1],
                                             s2->UndercuttingDialecticalArguments[k2]) &&
                (!u1->WarrantingDialecticalArgument ||
                 (u2->WarrantingDialecticalArgument &&
                  TArgumentationStage::IsFinal(u1->WarrantingDialecticalArgument, u2->WarrantingDialecticalArgument)));
    }
    if (!matched) return false;
  }
  return true;
}

}  // namespace

bool TArgumentationStage::IsFinal(const TDialecticalArgument* d1, const TDialecticalArgument* d2) {
  if (d1->Conclusion != d2->Conclusion) return false;
  for (const TStep* s1 : d1->Steps) {
    bool matched = false;
    for (const TStep* s2 : d2->Steps) {
      if (StepsMatch(s1, s2)) {
        matched = true;
        break;
      }
    }
    if (!matched) return false;
  }
  for (const TDialecticalArgument* r1 : d1->InitialDialecticalArguments) {
    bool contained = false;
    for (const TDialecticalArgument* r2 : d2->InitialDialecticalArguments) {
      if (IsContainedIn(r1, r2)) {
        contained = true;
        break;
      }
    }
    if (!contained) return false;
  }
  return true;
}

bool TArgumentationStage::IsContainedIn(const TDialecticalArgument* d1, const TDialecticalArgument* d2) {
  if (IsFinal(d1, d2)) return true;
  for (const TStep* s : d2->Steps) {
    if (s->WarrantingDialecticalArgument && IsContainedIn(d1, s->WarrantingDialecticalArgument)) return true;
    for (const TUndercutter* u : s->Undercutters)
      if (u->WarrantingDialecticalArgument && IsContainedIn(d1, u->WarrantingDialecticalArgument)) return true;
    for (const TDialecticalArgument* e : s->UndercuttingDialecticalArguments)
      if (IsContainedIn(d1, e)) return true;
  }
  for (const TDialecticalArgument* r : d2->InitialDialecticalArguments)
    if (IsContainedIn(d1, r)) return true;
  return false;
}

bool TArgumentationStage::IsProperlyContainedIn(const TDialecticalArgument* d1, const TDialecticalArgument* d2) {
  return IsContainedIn(d1, d2) && !IsContainedIn(d2, d1);
}

}  // namespace korvane
