#include "model/evaluation/growth.h"
#include "model/evaluation/dialectical_builder.h"

#include <algorithm>
#include <utility>

namespace korvane::evaluation {

namespace {

TWarrantStatus WarrantStatusOf(const TDialecticalArgument* w) {
  return (!w || w->Status == kJustified) ? kWarrantHolds : kWarrantFails;
}

}  // namespace

// The children of each step first; in a cycle they may be built now, one level deeper.
void TDialecticalBuilder::PlanSteps(int v, const TMask& mask, int depth, TStepPlans& steps,
                                    TUndercutterPlans& undercutters) {
  const bool cyclic = graph_.IsCyclic(v);
  const std::size_t words = cyclic ? graph_.MaskWords(v) : 0;
  for (const std::size_t j : index_.ConcludingOf(v)) {
    if (cyclic && HasBit(mask, graph_.ConnectionBit(j))) continue;
    work_.Spend(1);
    const TMask inner = cyclic ? WithBit(mask, graph_.ConnectionBit(j), words) : TMask();
    auto child = [&](TStatement* o, int w) {
      return values_.For(o, w, graph_.SameComponent(w, v) ? inner : TMask(), depth + 1);
    };
    const TConnectionFacts& f = index_.Facts(j);
    TStepPlan p{f.reason, f.kind, nullptr, nullptr, undercutters.size(), f.exceptions.size()};
    p.initial = child(f.reason, index_.ReasonVertex(j));
    if (index_.WarrantVertex(j) >= 0) p.warrant = child(index_.WarrantStatement(j), index_.WarrantVertex(j));
    const std::vector<TExceptionLink>& links = index_.ExceptionLinks(j);
    for (std::size_t k = 0; k < p.undercutterCount; ++k) {
      const TExceptionLink& link = links[k];
      TUndercutterPlan q{f.exceptions[k], nullptr, nullptr};
      if (link.warrantVertex >= 0) q.warrant = child(link.warrantStatement, link.warrantVertex);
      q.undercutting = child(q.exception, link.vertex);
      undercutters.push_back(q);
    }
    steps.push_back(p);
  }
}

TStatus TDialecticalBuilder::StatusOf(const TStatement* object, const TStepPlans& steps,
                                      const TUndercutterPlans& undercutters) {
  if (object->StatementType == kAssumption) return kJustified;
  if (object->StatementType != kIssue) return kUnevaluated;
  for (const TStepPlan& p : steps) {
    if (WarrantStatusOf(p.warrant) != kWarrantHolds || p.initial->Status != kJustified) continue;
    bool blocked = false;
    for (std::size_t k = 0; k < p.undercutterCount && !blocked; ++k) {
      const TUndercutterPlan& q = undercutters[p.firstUndercutter + k];
      blocked = WarrantStatusOf(q.warrant) == kWarrantHolds && q.undercutting->Status == kJustified;
    }
    if (!blocked) return kJustified;
  }
  return kUnjustified;
}

TDialecticalArgument* TDialecticalBuilder::Build(TStatement* object, int v, const TMask& mask, int depth) {
  if (depth > kMaxNesting) Refuse();
  const auto sd = static_cast<std::size_t>(depth);
  if (stepsAtDepth_.size() <= sd) {
    stepsAtDepth_.resize(sd + 1);
    undercuttersAtDepth_.resize(sd + 1);
  }
  // Taken out while deeper levels build, so those may grow the outer vectors.
  TStepPlans steps = std::move(stepsAtDepth_[sd]);
  TUndercutterPlans undercutters = std::move(undercuttersAtDepth_[sd]);
  steps.clear();
  undercutters.clear();
  PlanSteps(v, mask, depth, steps, undercutters);
  work_.Spend(1);
  const TStatus status = StatusOf(object, steps, undercutters);

  TDialecticalArgument* result = nullptr;
  const auto sentence = static_cast<std::size_t>(index_.VertexSentence(v));
  const bool plain = mask.empty();
  if (plain && sentence < lastBySentence_.size()) {
    TDialecticalArgument* last = lastBySentence_[sentence];
    if (last && Matches(last, object, status, steps, undercutters)) result = last;
  }
  std::size_t hash = 0;
  if (!result) {
    hash = ShapeHash(object, status, steps, undercutters);
    result = byShape_.Find(
        hash, [&](const TDialecticalArgument* d) { return Matches(d, object, status, steps, undercutters); });
  }
  if (!result) {
    result = Materialise(object, status, steps, undercutters);
    byShape_.Insert(hash, result);
  }
  if (plain) {
    if (lastBySentence_.size() <= sentence)
      ResizeWithRoom(lastBySentence_, sentence + 1, static_cast<TDialecticalArgument*>(nullptr));
    lastBySentence_[sentence] = result;
  }
  stepsAtDepth_[sd] = std::move(steps);
  undercuttersAtDepth_[sd] = std::move(undercutters);
  return result;
}

bool TDialecticalBuilder::StepMatches(const TStep* s, TStatement* conclusion, const TStepPlan& p,
                                      const TUndercutterPlans& undercutters) {
  if (s->Conclusion != conclusion || s->Reason != p.reason || s->ConnectionKind != p.kind ||
      s->WarrantingDialecticalArgument != p.warrant || s->WarrantStatus != WarrantStatusOf(p.warrant) ||
      s->Undercutters.Count() != p.undercutterCount)
    return false;
  for (std::size_t k = 0; k < p.undercutterCount; ++k) {
    const TUndercutter* u = s->Undercutters[k];
    const TUndercutterPlan& q = undercutters[p.firstUndercutter + k];
    if (u->Exception != q.exception || u->Conclusion != conclusion || u->Reason != p.reason ||
        u->WarrantingDialecticalArgument != q.warrant || u->WarrantStatus != WarrantStatusOf(q.warrant) ||
        s->UndercuttingDialecticalArguments[k] != q.undercutting)
      return false;
  }
  return true;
}

bool TDialecticalBuilder::Matches(const TDialecticalArgument* d, TStatement* conclusion, TStatus status,
                                  const TStepPlans& steps, const TUndercutterPlans& undercutters) {
  if (d->Conclusion != conclusion || d->Status != status || d->Steps.Count() != steps.size()) return false;
  for (std::size_t i = 0; i < d->Steps.Count(); ++i) {
    const TStepPlan& p = steps[i];
    if (d->InitialDialecticalArguments[i] != p.initial || !StepMatches(d->Steps[i], conclusion, p, undercutters))
      return false;
  }
  return true;
}

std::size_t TDialecticalBuilder::StepHash(TStatement* conclusion, const TStepPlan& p,
                                          const TUndercutterPlans& undercutters) {
  std::size_t h = Mix(Mix(Mix(PtrHash(conclusion), PtrHash(p.reason)), PtrHash(p.warrant)), Code(p.kind));
  for (std::size_t k = 0; k < p.undercutterCount; ++k) {
    const TUndercutterPlan& q = undercutters[p.firstUndercutter + k];
    h = Mix(Mix(Mix(h, PtrHash(q.exception)), PtrHash(q.warrant)), PtrHash(q.undercutting));
  }
  return h;
}

std::size_t TDialecticalBuilder::ShapeHash(TStatement* conclusion, TStatus status, const TStepPlans& steps,
                                           const TUndercutterPlans& undercutters) {
  std::size_t h = Mix(PtrHash(conclusion), Code(status));
  for (const TStepPlan& p : steps) h = Mix(Mix(h, StepHash(conclusion, p, undercutters)), PtrHash(p.initial));
  return h;
}

// Steps hold no initial dialectical argument, so one step serves every value that takes
// the same connection with the same warrant and undercutters: in a cycle that is most of them.
TStep* TDialecticalBuilder::StepFor(TStatement* conclusion, const TStepPlan& p, const TUndercutterPlans& undercutters) {
  const std::size_t hash = StepHash(conclusion, p, undercutters);
  if (TStep* known =
          stepsByShape_.Find(hash, [&](const TStep* s) { return StepMatches(s, conclusion, p, undercutters); }))
    return known;
  TStep* s = nodes_.NewStep();
  s->Conclusion = conclusion;
  s->Reason = p.reason;
  s->ConnectionKind = p.kind;
  s->WarrantingDialecticalArgument = p.warrant;
  s->WarrantStatus = WarrantStatusOf(p.warrant);
  if (p.undercutterCount > 0) {
    s->Undercutters.Reserve(p.undercutterCount);
    s->UndercuttingDialecticalArguments.Reserve(p.undercutterCount);
  }
  for (std::size_t k = 0; k < p.undercutterCount; ++k) {
    const TUndercutterPlan& q = undercutters[p.firstUndercutter + k];
    TUndercutter* u = nodes_.NewUndercutter();
    u->Exception = q.exception;
    u->Conclusion = conclusion;
    u->Reason = p.reason;
    u->WarrantingDialecticalArgument = q.warrant;
    u->WarrantStatus = WarrantStatusOf(q.warrant);
    s->Undercutters.Add(u);
    s->UndercuttingDialecticalArguments.Add(q.undercutting);
  }
  stepsByShape_.Insert(hash, s);
  return s;
}

TDialecticalArgument* TDialecticalBuilder::Materialise(TStatement* conclusion, TStatus status, const TStepPlans& steps,
                                                       const TUndercutterPlans& undercutters) {
  TDialecticalArgument* d = nodes_.NewDialecticalArgument(conclusion);
  d->Status = status;
  if (!steps.empty()) {
    d->Steps.Reserve(steps.size());
    d->InitialDialecticalArguments.Reserve(steps.size());
  }
  int height = 0;
  auto below = [&](const TDialecticalArgument* child) {
    if (child) height = std::max(height, Height(child));
  };
  for (const TStepPlan& p : steps) {
    below(p.warrant);
    below(p.initial);
    for (std::size_t k = 0; k < p.undercutterCount; ++k) {
      const TUndercutterPlan& q = undercutters[p.firstUndercutter + k];
      below(q.warrant);
      below(q.undercutting);
    }
    d->Steps.Add(StepFor(conclusion, p, undercutters));
    d->InitialDialecticalArguments.Add(p.initial);
  }
  d->BuildHeight = height + 1;
  d->BuildSerial = static_cast<std::uint32_t>(nodes_.DialecticalArgumentCount() - 1);
  return d;
}

}  // namespace korvane::evaluation
