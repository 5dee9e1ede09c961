#include "model/evaluation/growth.h"
#include "model/evaluation/maximal_selection.h"

#include <algorithm>

namespace korvane::evaluation {

bool TMaximalSelection::Decide(const std::vector<TDialecticalArgument*>& values, bool partial, std::size_t kept) {
  const std::size_t count = values.size();
  // Statements from here on were not decided before (a partial evaluation only adds).
  const std::size_t known = partial ? std::min(excluded_.size(), count) : 0;
  ResizeWithRoom(excluded_, count, char{0});
  ResizeWithRoom(how_, count, THow::kNothingAbove);
  CollectStatementsToDecide(partial, count);
  if (!partial) maximal_.clear();
  bool unchanged = true;
  for (const std::size_t i : toDecide_) {
    const char was = excluded_[i];
    DecideOne(i, values);
    if (i < kept && was != excluded_[i]) unchanged = false;
    if (partial) NoteAnswer(i, was != 0, i < known);
  }
  if (!partial)
    for (std::size_t i = 0; i < count; ++i)
      if (!excluded_[i]) maximal_.push_back(i);
  for (const std::size_t i : toDecide_) queued_[i] = 0;
  decidedByContainment_.swap(keptByContainment_);
  for (const std::size_t i : toDecide_)
    if (how_[i] == THow::kByContainment) decidedByContainment_.push_back(i);
  return unchanged;
}

// Keeps maximal_ in step with statement i's answer; known: i had an answer before.
void TMaximalSelection::NoteAnswer(std::size_t i, bool wasExcluded, bool known) {
  const bool excluded = excluded_[i] != 0;
  if (known && excluded == wasExcluded) return;
  const auto at = std::lower_bound(maximal_.begin(), maximal_.end(), i);
  const bool listed = at != maximal_.end() && *at == i;
  if (!excluded && !listed) maximal_.insert(at, i);
  if (excluded && listed) maximal_.erase(at);
}

void TMaximalSelection::QueueStatementsOf(int v) {
  index_.ForEachStatementOf(v, [&](std::size_t i) {
    if (queued_[i]) return;
    queued_[i] = 1;
    toDecide_.push_back(i);
  });
}

// Whether one is properly contained in another changes only for what was rebuilt, what
// gained a parent, and what earlier needed containment tests; the rest keeps its answer.
void TMaximalSelection::CollectStatementsToDecide(bool partial, std::size_t count) {
  toDecide_.clear();
  keptByContainment_.clear();
  if (!partial) {
    queued_.assign(count, 0);
    for (std::size_t i = 0; i < count; ++i) toDecide_.push_back(i);
    return;
  }
  // Marks are cleared after each decision; a refused one is followed by a full one, which
  // clears them all.
  if (queued_.size() < count) ResizeWithRoom(queued_, count, char{0});
  for (const int v : graph_.Affected()) QueueStatementsOf(v);
  for (const int v : graph_.Touched()) index_.ForEachChildVertex(v, true, [&](int w) { QueueStatementsOf(w); });
  // Those found by containment tests keep their answer unless a rebuilt one reaches them.
  for (const std::size_t i : decidedByContainment_) {
    const int v = index_.StatementVertex(i);
    if (graph_.ReachedFromAffected(v))
      QueueStatementsOf(v);
    else
      keptByContainment_.push_back(i);
  }
}

// Whether statement i's dialectical argument is properly contained in another statement's,
// and how that was found. Proper containment is a strict order (containment is reflexive
// and transitive), so "properly contained in none" is what the plain rule keeps.
void TMaximalSelection::DecideOne(std::size_t i, const std::vector<TDialecticalArgument*>& values) {
  const int v = index_.StatementVertex(i);
  const bool first = index_.FirstStatementIndex(v) == i;
  // Its own dialectical argument appears right inside one of another component, which
  // therefore cannot be contained in it.
  if (first) {
    for (const TParentLink& p : index_.ParentsOf(v)) {
      if (index_.FirstStatementIndex(p.vertex) != kNoStatement && p.object == index_.VertexStatement(v) &&
          !graph_.SameComponent(p.vertex, v)) {
        excluded_[i] = 1;
        how_[i] = THow::kStructurallyBelow;
        return;
      }
    }
  }
  excluded_[i] = 0;
  // Nothing reaches it and no other statement shares its sentence: nothing contains it.
  if (index_.ParentsOf(v).empty() && first && index_.NextStatementOfVertex(i) == kNoStatement) {
    how_[i] = THow::kNothingAbove;
    return;
  }
  // The rest: try the statements that reach it, nearest first.
  how_[i] = THow::kByContainment;
  const int stamp = walkMarks_.NewStamp(index_.VertexCount());
  reachingQueue_.assign(1, v);
  walkMarks_.Set(v, stamp);
  for (std::size_t head = 0; head < reachingQueue_.size(); ++head) {
    const int u = reachingQueue_[head];
    work_.Spend(1);
    bool contained = false;
    index_.ForEachStatementOf(u, [&](std::size_t j) {
      contained = contained || (j != i && containment_.IsProperlyContainedIn(values[i], values[j]));
    });
    if (contained) {
      excluded_[i] = 1;
      return;
    }
    for (const TParentLink& p : index_.ParentsOf(u)) {
      if (walkMarks_.Has(p.vertex, stamp)) continue;
      walkMarks_.Set(p.vertex, stamp);
      reachingQueue_.push_back(p.vertex);
    }
  }
}

}  // namespace korvane::evaluation
