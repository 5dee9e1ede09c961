#include "model/evaluation/growth.h"
#include "model/evaluation/argument_builder.h"

#include <cassert>
#include <utility>

namespace korvane::evaluation {

bool TArgumentBuilder::Matches(const TArgument* a, const TStatement* conclusion,
                               const std::vector<TArgument*>& children) {
  if (a->Conclusion != conclusion || a->InitialArguments.Count() != children.size()) return false;
  for (std::size_t k = 0; k < a->InitialArguments.Count(); ++k)
    if (a->InitialArguments[k] != children[k]) return false;
  return true;
}

TArgument* TArgumentBuilder::Build(TStatement* object, int v, const TMask& mask, int depth) {
  assert(store_);
  if (depth > kMaxNesting) Refuse();
  const auto sd = static_cast<std::size_t>(depth);
  if (childrenAtDepth_.size() <= sd) childrenAtDepth_.resize(sd + 1);
  const bool cyclic = graph_.IsCyclic(v);
  const std::size_t words = cyclic ? graph_.MaskWords(v) : 0;
  // Taken out while deeper levels build, so those may grow the outer vector.
  std::vector<TArgument*> children = std::move(childrenAtDepth_[sd]);
  children.clear();
  for (const std::size_t j : index_.ConcludingOf(v)) {
    if (cyclic && HasBit(mask, graph_.ConnectionBit(j))) continue;
    work_.Spend(1);
    const int w = index_.ReasonVertex(j);
    const TMask inner = graph_.SameComponent(w, v) ? WithBit(mask, graph_.ConnectionBit(j), words) : TMask();
    children.push_back(values_.For(index_.Facts(j).reason, w, inner, depth + 1));
  }
  work_.Spend(1);

  TArgument* result = nullptr;
  const auto sentence = static_cast<std::size_t>(index_.VertexSentence(v));
  const bool plain = mask.empty();
  if (plain && sentence < lastBySentence_.size()) {
    TArgument* last = lastBySentence_[sentence];
    if (last && Matches(last, object, children)) result = last;
  }
  std::size_t hash = 0;
  if (!result) {
    hash = PtrHash(object);
    for (TArgument* a : children) hash = Mix(hash, PtrHash(a));
    result = byShape_.Find(hash, [&](const TArgument* a) { return Matches(a, object, children); });
  }
  if (!result) {
    result = store_->NewArgument(object);
    if (!children.empty()) result->InitialArguments.Reserve(children.size());
    for (TArgument* a : children) result->InitialArguments.Add(a);
    byShape_.Insert(hash, result);
  }
  if (plain) {
    if (lastBySentence_.size() <= sentence)
      ResizeWithRoom(lastBySentence_, sentence + 1, static_cast<TArgument*>(nullptr));
    lastBySentence_[sentence] = result;
  }
  childrenAtDepth_[sd] = std::move(children);
  return result;
}

// The arguments above a vertex hold its argument; outside cycles it is their only one.
bool TArgumentBuilder::ExtendInPlace(const std::vector<int>& affected) {
  const int v = affected.back();
  newVertices_.assign(affected.begin(), affected.end() - 1);
  values_.Rebuild(newVertices_);
  TStatement* object = index_.VertexStatement(v);
  TArgument* x = values_.Top(v);
  if (!x || x->Conclusion != object) return false;
  std::vector<TArgument*> children;
  for (const std::size_t j : index_.ConcludingOf(v)) {
    work_.Spend(1);
    children.push_back(values_.For(index_.Facts(j).reason, index_.ReasonVertex(j), TMask(), 1));
  }
  const std::size_t had = x->InitialArguments.Count();
  bool extends = children.size() > had;
  for (std::size_t k = 0; extends && k < had; ++k) extends = x->InitialArguments[k] == children[k];
  if (extends) {
    extended_.emplace_back(x, had);
    std::size_t hash = PtrHash(object);
    for (TArgument* a : children) hash = Mix(hash, PtrHash(a));
    for (std::size_t k = had; k < children.size(); ++k) x->InitialArguments.Add(children[k]);
    byShape_.Insert(hash, x);
  }
  return extends;
}

void TArgumentBuilder::TakeBackExtensions() {
  for (auto e = extended_.rbegin(); e != extended_.rend(); ++e)
    while (e->first->InitialArguments.Count() > e->second)
      e->first->InitialArguments.Delete(e->first->InitialArguments.Count() - 1);
  extended_.clear();
}

}  // namespace korvane::evaluation
