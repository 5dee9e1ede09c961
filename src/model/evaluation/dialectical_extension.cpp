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
  // Nothing is changed before this point but heights, which are taken back on failure.
  if (!RaiseHeightsAbove(v, height)) return false;
  extended_.emplace_back(x, had);
  for (std::size_t i = had; i < steps.size(); ++i) {
    x->Steps.Add(StepFor(object, steps[i], undercutters));
    x->InitialDialecticalArguments.Add(steps[i].initial);
  }
  byShape_.Insert(ShapeHash(object, x->Status, steps, undercutters), x);
  return true;
}

// Raises the height of v's value to height, and those of the values above it to one more
// than their highest child, noting each old height in raised_. False, with every height as
// it was, when one of those lies on a cycle, is not held the plain way, may be held by a
// value no longer current (whose height would then be wrong), or when the walk would take
// many times the values it raises (a lattice reached along paths of many lengths).
bool TDialecticalBuilder::RaiseHeightsAbove(int v, int height) {
  TDialecticalArgument* own = values_.Top(v);
  const std::size_t first = raised_.size();
  if (height <= own->BuildHeight) return true;
  const std::size_t limit = first + 2 * index_.VertexCount() + 64;
  raised_.push_back({own, v, own->BuildHeight});
  own->BuildHeight = height;
  for (std::size_t head = first; head < raised_.size(); ++head) {
    const int u = raised_[head].vertex;
    const int above = raised_[head].value->BuildHeight + 1;
    // A vertex's own value concludes its statement; the parent must hold that one.
    const TStatement* held = index_.VertexStatement(u);
    for (const TParentLink& p : index_.ParentsOf(u)) {
      TDialecticalArgument* parent = values_.Top(p.vertex);
      bool fails = graph_.IsCyclic(p.vertex) || p.object != held || !parent;
      if (!fails && parent->BuildHeight >= above) continue;
      fails = fails || !Extendable(parent) || raised_.size() > limit;
      if (fails) {
        TakeBackHeights(first);
        return false;
      }
      raised_.push_back({parent, p.vertex, parent->BuildHeight});
      parent->BuildHeight = above;
    }
  }
  work_.Spend((raised_.size() - first) / 8);
  return true;
}

void TDialecticalBuilder::TakeBackHeights(std::size_t first) {
  while (raised_.size() > first) {
    raised_.back().value->BuildHeight = raised_.back().before;
    raised_.pop_back();
  }
}

void TDialecticalBuilder::TakeBackExtensions() {
  TakeBackHeights(0);
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
