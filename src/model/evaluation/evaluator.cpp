#include "model/evaluation/growth.h"
#include "model/evaluation/evaluator.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "model/model_store.h"

namespace korvane {

namespace {

// Fills list with items, sharing the buffer of previous where items extend it.
template <class T>
void FillSharing(TList<T>& list, const std::vector<T*>& items, const TList<T>* previous) {
  if (previous && previous->IsPrefixOf(items)) {
    list.Assign(*previous);
    for (std::size_t i = previous->Count(); i < items.size(); ++i) list.Add(items[i]);
    return;
  }
  list.AssignItems(items);
  // Later stages extend it in place: room for them, so that the first does not copy it.
  list.Reserve(items.size() + items.size() / 2 + 64);
}

}  // namespace

void TEvaluator::RecomputeDialecticalArguments(TArgumentationStage& stage, const TArgumentationStage* previous,
                                               std::size_t budget) {
  try {
    TakeIn(stage, budget);
    const bool partial = RebuildDialectical();
    const TKeptPositions kept = UpdateStatementValues(stage.Statements.Count(), partial);
    const bool maximalUnchanged = maximal_.Decide(statementValues_, partial, kept.count) && kept.unchanged;
    // Nothing is changed before this point, so a refusal leaves the stage as it was.
    PublishLists(stage, previous, kept, maximalUnchanged);
    SetStatuses(stage, partial);
  } catch (...) {
    ChargeToCap();
    TakeBackExtensions();
    Forget();
    throw;
  }
  // The arguments extended for this stage stay with it too.
  dialectical_.KeepExtensions();
  arguments_.KeepExtensions();
  ChargeToCap();
}

void TEvaluator::RecomputeArguments(TArgumentationStage& stage, const TArgumentationStage* previous,
                                    std::size_t budget) {
  try {
    TakeIn(stage, budget);
    const bool partial = RebuildArguments();
    ChooseArgumentRoots(stage.Statements.Count(), partial);
    FillSharing(stage.Arguments, argumentRoots_, previous ? &previous->Arguments : nullptr);
  } catch (...) {
    ChargeToCap();
    TakeBackExtensions();
    Forget();
    throw;
  }
  ChargeToCap();
}

void TEvaluator::ChargeToCap() {
  if (totalCap_) *totalCap_ -= std::min(*totalCap_, work_.Spent());
}

// A fresh budget, nothing built for used connections, and the index brought to the stage.
void TEvaluator::TakeIn(const TArgumentationStage& stage, std::size_t budget) {
  const std::size_t size = stage.Statements.Count() + stage.ReasonConclusions.Count();
  if (totalCap_)
    work_.Reset(budget, size, *totalCap_);
  else
    work_.Reset(budget, size);
  dialectical_.StartEvaluation();
  arguments_.StartEvaluation(stage.Store());
  containment_.StartEvaluation();
  if (!index_.TakeIn(stage)) {
    dialecticalGraph_.Invalidate();
    argumentGraph_.Invalidate();
  }
  // Both graphs have seen the whole touch log: it can start again.
  const std::size_t touches = index_.Touches().size();
  if (dialecticalGraph_.TouchesTakenIn() == touches && argumentGraph_.TouchesTakenIn() == touches) {
    index_.ClearTouches();
    dialecticalGraph_.RestartTouchLog();
    argumentGraph_.RestartTouchLog();
  }
}

// A move only changes the dialectical arguments of what reaches what it touched. True when
// only those were rebuilt.
bool TEvaluator::RebuildDialectical() {
  const bool partial = dialecticalGraph_.Valid() && !index_.Irregular();
  if (partial) {
    ++partialEvaluations_;
    if (ExtendBelow(dialecticalGraph_, dialectical_)) return true;
    dialectical_.StartRebuild();
    dialectical_.Rebuild(dialecticalGraph_.Affected());
  } else {
    dialecticalGraph_.Build();
    dialectical_.StartRebuild();
    dialectical_.BuildAll();
  }
  return partial;
}

// Below one vertex outside cycles, when the stage it starts from is let go: that vertex's
// value extended in place. Otherwise the graph is updated as usual. True when extended.
template <class TBuilder>
bool TEvaluator::ExtendBelow(evaluation::TDependencyGraph& graph, TBuilder& builder) {
  if (extendInPlace_ && graph.UpdateBelow()) {
    if (builder.ExtendInPlace(graph.Affected())) {
      ++inPlaceExtensions_;
      return true;
    }
    graph.UpdateAgain();
  } else {
    graph.Update();
  }
  return false;
}

// A refused evaluation leaves the stage it started from as it was, values included. The
// arguments extended for the stage are taken back with it: its move fails as a whole.
void TEvaluator::TakeBackExtensions() {
  dialectical_.TakeBackExtensions();
  arguments_.TakeBackExtensions();
}

// Each statement's dialectical argument, by index in Statements.
TEvaluator::TKeptPositions TEvaluator::UpdateStatementValues(std::size_t count, bool partial) {
  const bool extending = partial && listsKnown_;
  TKeptPositions kept;
  kept.count = extending ? statementValues_.size() : 0;
  kept.unchanged = extending && kept.count <= count && publishedDialectical_.Count() == kept.count;
  evaluation::ResizeWithRoom(statementValues_, count, static_cast<TDialecticalArgument*>(nullptr));
  if (!extending) {
    for (std::size_t i = 0; i < count; ++i)
      statementValues_[i] = dialectical_.Of(index_.Statement(i), index_.StatementVertex(i));
    return kept;
  }
  // New statements have new vertices, so they are among the rebuilt ones.
  for (const int v : dialecticalGraph_.Affected()) {
    index_.ForEachStatementOf(v, [&](std::size_t i) {
      TDialecticalArgument* value = dialectical_.Of(index_.Statement(i), v);
      if (i < kept.count && statementValues_[i] != value) kept.unchanged = false;
      statementValues_[i] = value;
    });
  }
  return kept;
}

void TEvaluator::PublishLists(TArgumentationStage& stage, const TArgumentationStage* previous, TKeptPositions kept,
                              bool maximalUnchanged) {
  if (kept.unchanged) {
    // Only statements were added: the list of the last evaluation, extended.
    stage.DialecticalArguments.Assign(publishedDialectical_);
    for (std::size_t i = kept.count; i < statementValues_.size(); ++i)
      stage.DialecticalArguments.Add(statementValues_[i]);
  } else {
    FillSharing(stage.DialecticalArguments, statementValues_, previous ? &previous->DialecticalArguments : nullptr);
  }
  if (maximalUnchanged) {
    stage.MaximalDialecticalArguments.Assign(publishedMaximal_);
    for (std::size_t i = kept.count; i < statementValues_.size(); ++i)
      if (maximal_.IsMaximal(i)) stage.MaximalDialecticalArguments.Add(statementValues_[i]);
  } else {
    maximalValues_.clear();
    for (const std::size_t i : maximal_.MaximalIndexes()) maximalValues_.push_back(statementValues_[i]);
    FillSharing(stage.MaximalDialecticalArguments, maximalValues_,
                previous ? &previous->MaximalDialecticalArguments : nullptr);
  }
  publishedDialectical_.Assign(stage.DialecticalArguments);
  publishedMaximal_.Assign(stage.MaximalDialecticalArguments);
  listsKnown_ = true;
}

// Statuses live on the shared objects; after a partial evaluation only rebuilt ones can
// differ from what they hold.
void TEvaluator::SetStatuses(TArgumentationStage& stage, bool partial) const {
  auto setStatus = [&](std::size_t i) {
    const TStatus status = statementValues_[i]->Status;
    if (status == kJustified || status == kUnjustified) stage.Statements[i]->Status = status;
  };
  if (partial) {
    for (const int v : dialecticalGraph_.Affected()) index_.ForEachStatementOf(v, setStatus);
  } else {
    for (std::size_t i = 0; i < stage.Statements.Count(); ++i) setStatus(i);
  }
}

// True when only what the change reaches was rebuilt.
bool TEvaluator::RebuildArguments() {
  if (argumentGraph_.Valid() && !index_.Irregular()) {
    if (!ExtendBelow(argumentGraph_, arguments_)) arguments_.Rebuild(argumentGraph_.Affected());
    return true;
  }
  argumentGraph_.Build();
  arguments_.BuildAll();
  return false;
}

// The stage taken in only adds statements and connections to the one the last partial or
// full arguments evaluation saw, when partial: then only its new statements and the reasons
// of its new connections can change whether they are final conclusions.
void TEvaluator::UpdateFinalConclusions(std::size_t count, bool partial) {
  const std::size_t connections = index_.ConnectionCount();
  const auto isFinal = [&](std::size_t i) { return index_.ReasonUses(index_.StatementVertex(i)) == 0; };
  if (!partial || finalStatements_ > count || finalConnections_ > connections) {
    finalConclusions_.clear();
    for (std::size_t i = 0; i < count; ++i)
      if (isFinal(i)) finalConclusions_.push_back(i);
  } else {
    for (std::size_t j = finalConnections_; j < connections; ++j) {
      index_.ForEachStatementOf(index_.ReasonVertex(j), [&](std::size_t i) {
        const auto at = std::lower_bound(finalConclusions_.begin(), finalConclusions_.end(), i);
        if (at != finalConclusions_.end() && *at == i) finalConclusions_.erase(at);
      });
    }
    for (std::size_t i = finalStatements_; i < count; ++i)
      if (isFinal(i)) finalConclusions_.push_back(i);
  }
  finalStatements_ = count;
  finalConnections_ = connections;
}

// First the arguments of the final conclusions (statements no connection has as its
// reason), then those of statements none of them reaches.
void TEvaluator::ChooseArgumentRoots(std::size_t count, bool partial) {
  UpdateFinalConclusions(count, partial);
  argumentRoots_.clear();
  for (const std::size_t i : finalConclusions_)
    argumentRoots_.push_back(arguments_.Of(index_.Statement(i), index_.StatementVertex(i)));
  if (index_.Irregular()) {
    ChooseRootsBelowCycles(count, nullptr);
    return;
  }
  // Following connections upwards from a statement ends at a final conclusion unless it
  // ends in a cycle entered from nowhere; only what lies below such cycles is looked at.
  if (!argumentGraph_.HasCycles()) return;
  argumentGraph_.ClosedCycleMembers(closedCycles_);
  if (!closedCycles_.empty()) ChooseRootsBelowCycles(count, &closedCycles_);
}

// below: the closed cycles' vertices, or null for all vertices. What lies below them and is
// reached from a parent outside that part is reached from a final conclusion; the rest, in
// statement order, become roots themselves.
void TEvaluator::ChooseRootsBelowCycles(std::size_t count, const std::vector<int>* below) {
  const int inPart = partMarks_.NewStamp(index_.VertexCount());
  const int reached = reachedMarks_.NewStamp(index_.VertexCount());
  queue_.clear();
  auto mark = [&](int v, int stamp, evaluation::TVertexMarks& marks) {
    if (marks.Has(v, stamp)) return;
    marks.Set(v, stamp);
    queue_.push_back(v);
  };
  auto closeDownwards = [&](std::size_t from, int stamp, evaluation::TVertexMarks& marks) {
    for (std::size_t head = from; head < queue_.size(); ++head)
      index_.ForEachChildVertex(queue_[head], false, [&](int w) { mark(w, stamp, marks); });
  };
  if (below) {
    for (const int v : *below) mark(v, inPart, partMarks_);
  } else {
    for (std::size_t v = 0; v < index_.VertexCount(); ++v) mark(static_cast<int>(v), inPart, partMarks_);
  }
  closeDownwards(0, inPart, partMarks_);
  const std::vector<int> part = queue_;
  queue_.clear();
  for (const int v : part) {
    bool entered = index_.ReasonUses(v) == 0;
    for (const evaluation::TParentLink& p : index_.ParentsOf(v))
      entered = entered || (p.reason && !partMarks_.Has(p.vertex, inPart));
    if (entered) mark(v, reached, reachedMarks_);
  }
  closeDownwards(0, reached, reachedMarks_);
  for (std::size_t i = 0; i < count; ++i) {
    const int v = index_.StatementVertex(i);
    if (!partMarks_.Has(v, inPart) || reachedMarks_.Has(v, reached)) continue;
    argumentRoots_.push_back(arguments_.Of(index_.Statement(i), v));
    const std::size_t from = queue_.size();
    mark(v, reached, reachedMarks_);
    closeDownwards(from, reached, reachedMarks_);
  }
}

// Everything kept about the last stage is dropped, as after a refusal half-way.
void TEvaluator::Forget() {
  dialectical_.StartRebuild();
  index_.Forget();
  dialecticalGraph_.Invalidate();
  argumentGraph_.Invalidate();
  listsKnown_ = false;
}

}  // namespace korvane

namespace korvane {

TEvaluator& TModelStore::Evaluator() {
  if (!evaluator_) evaluator_ = std::make_shared<TEvaluator>();
  return *evaluator_;
}

}  // namespace korvane
