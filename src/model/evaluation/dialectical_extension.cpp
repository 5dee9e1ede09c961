// A value extended in place. A move that only adds below one vertex outside cycles and
// leaves that vertex's status as it was changes nothing above it but the heights of the
// trees holding it: adding the new steps to its one value, which every value above holds,
// gives them all their new trees at once, instead of a new value for each.
#include <algorithm>

#include "model/evaluation/dialectical_builder.h"

namespace korvane::evaluation {

bool TDialecticalBuilder::ExtendInPlace(const std::vector<int>& affected) {
  const int v = affected.back();
  newVertices_.assign(affected.begin(), affected.end() - 1);
  values_.Rebuild(newVertices_);
  TStatement* object = index_.VertexStatement(v);
  TDialecticalArgument* x = values_.Top(v);
  if (!x || x->Conclusion != object || !Extendable(x)) return false;
  TStepPlans& steps = extensionSteps_;
  TUndercutterPlans& undercutters = extensionUndercutters_;
  steps.clear();
  undercutters.clear();
  PlanSteps(v, TMask(), 0, steps, undercutters);
  const std::size_t had = x->Steps.Count();
  if (steps.size() <= had || StatusOf(object, steps, undercutters) != x->Status) return false;
  for (std::size_t i = 0; i < had; ++i)
    if (x->InitialDialecticalArguments[i] != steps[i].initial || !StepMatches(x->Steps[i], object, steps[i], undercutters))
      return false;
  int height = Height(x);
  auto below = [&](const TDialecticalArgument* child) {
    if (child) height = std::max(height, Height(child) + 1);
  };
  for (std::size_t i = had; i < steps.size(); ++i) {
    const TStepPlan& p = steps[i];
    below(p.warrant);
    below(p.initial);
    for (std::size_t k = 0; k < p.undercutterCount; ++k) {
      below(undercutters[p.firstUndercutter + k].warrant);
      below(undercutters[p.firstUndercutter + k].undercutting);
    }
  }
  if (!RaiseHeightsAbove(v, height)) return false;
  // Nothing is changed before this point.
  extended_.emplace_back(x, had);
  for (std::size_t i = had; i < steps.size(); ++i) {
    x->Steps.Add(StepFor(object, steps[i], undercutters));
    x->InitialDialecticalArguments.Add(steps[i].initial);
  }
  for (const auto& [known, u] : raising_) {
    raisedHeights_.emplace_back(values_.Top(u), known->height);
    known->height = raisingHeights_[static_cast<std::size_t>(u)];
  }
  byShape_.Insert(ShapeHash(object, x->Status, steps, undercutters), x);
  return true;
}

// Collects in raising_ the heights of v's value and of the values above it once v's is
// height. False when one of those lies on a cycle, is not held the plain way, may be held
// by a value no longer current (whose height would then be wrong), or when the walk would
// take many times the values it raises.
bool TDialecticalBuilder::RaiseHeightsAbove(int v, int height) {
  raising_.clear();
  THeight& own = heights_[values_.Top(v)];
  if (height == own.height) return true;
  const int stamp = raisingMarks_.NewStamp(index_.VertexCount());
  if (raisingHeights_.size() < index_.VertexCount()) raisingHeights_.resize(index_.VertexCount(), 0);
  std::size_t relaxations = 0, distinct = 1;
  raisingMarks_.Set(v, stamp);
  raisingHeights_[static_cast<std::size_t>(v)] = height;
  raising_.emplace_back(&own, v);
  // No value is built during the walk, so the table keeps its slots and these stay valid.
  for (std::size_t head = 0; head < raising_.size(); ++head) {
    const int u = raising_[head].second;
    const int above = raisingHeights_[static_cast<std::size_t>(u)] + 1;
    // A vertex's own value concludes its statement; the parent must hold that one.
    const TStatement* held = index_.VertexStatement(u);
    for (const TParentLink& p : index_.ParentsOf(u)) {
      const TDialecticalArgument* parent = values_.Top(p.vertex);
      if (graph_.IsCyclic(p.vertex) || p.object != held || !parent) return false;
      const bool marked = raisingMarks_.Has(p.vertex, stamp);
      if (marked && raisingHeights_[static_cast<std::size_t>(p.vertex)] >= above) continue;
      THeight& known = heights_[parent];
      if (known.height >= above) continue;
      distinct += marked ? 0 : 1;
      if (known.serial < extendableFrom_ || ++relaxations > 4 * distinct + 64) return false;
      raisingMarks_.Set(p.vertex, stamp);
      raisingHeights_[static_cast<std::size_t>(p.vertex)] = above;
      raising_.emplace_back(&known, p.vertex);
    }
  }
  work_.Spend(raising_.size() / 8);
  return true;
}

void TDialecticalBuilder::TakeBackExtensions() {
  for (auto h = raisedHeights_.rbegin(); h != raisedHeights_.rend(); ++h) heights_[h->first].height = h->second;
  for (auto e = extended_.rbegin(); e != extended_.rend(); ++e) {
    TDialecticalArgument* x = e->first;
    while (x->Steps.Count() > e->second) {
      x->Steps.Delete(x->Steps.Count() - 1);
      x->InitialDialecticalArguments.Delete(x->InitialDialecticalArguments.Count() - 1);
    }
  }
  KeepExtensions();
}

}  // namespace korvane::evaluation
