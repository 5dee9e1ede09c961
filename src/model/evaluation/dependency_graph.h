// One of the two graphs over the stage's vertices, with its strong components: the
// dialectical one (reasons, warrants, exceptions and undercutter warrants) or the one of
// the arguments (reasons only). It takes in the stage index's touch log and names the
// vertices a change reaches, with the strong components among them found anew.
#pragma once

#include <cassert>
#include <cstddef>
#include <utility>
#include <vector>

#include "model/evaluation/stage_index.h"
#include "model/evaluation/vertex_marks.h"
#include "model/evaluation/work_budget.h"

namespace korvane::evaluation {

class TDependencyGraph {
public:
  /// dialectical: which edges the graph follows.
  TDependencyGraph(const TStageIndex& index, TWorkBudget& work, bool dialectical)
      : index_(index), work_(work), dialectical_(dialectical) {}
  TDependencyGraph(const TDependencyGraph&) = delete;
  TDependencyGraph& operator=(const TDependencyGraph&) = delete;

  /// Whether the graph describes the stage last taken in, up to the touches not taken in yet.
  [[nodiscard]] bool Valid() const { return valid_; }
  /// The stage was taken in afresh, or the evaluation refused: the next one builds anew.
  void Invalidate() { valid_ = false; }
  /// Entries of the index's touch log taken in.
  [[nodiscard]] std::size_t TouchesTakenIn() const { return touchesTakenIn_; }
  /// The index cleared its log.
  void RestartTouchLog() { touchesTakenIn_ = 0; }

  /// The whole graph anew: edges, strong components, levels and bits.
  void Build();
  /// Takes the touch log in: what reaches a touched vertex is collected, children first,
  /// and its strong components, levels and bits are found again.
  void Update();
  /// Takes the touch log in without walking what reaches the change, when it holds one
  /// vertex outside cycles and new vertices with nothing below them, now below that one
  /// together with old vertices lower than it: no cycle can close and no level changes.
  /// Affected() is then the new vertices followed by that one. False, having changed
  /// nothing but Touched(), for any other log.
  [[nodiscard]] bool UpdateBelow();
  /// After UpdateBelow: takes the same log in as Update does, what reaches it included.
  void UpdateAgain() {
    touchesTakenIn_ = touchesBeforeBelow_;
    Update();
  }

  /// After Build: every vertex, each component's before the components that reach it.
  [[nodiscard]] const std::vector<int>& ChildrenFirst() const { return childrenFirst_; }
  /// After Update: the vertices reaching a touched one, each component's before the
  /// components that reach it.
  [[nodiscard]] const std::vector<int>& Affected() const { return affected_; }
  /// After Update: the touched vertices, once each.
  [[nodiscard]] const std::vector<int>& Touched() const { return touched_; }
  /// Whether a vertex of the last Update's affected set reaches v.
  [[nodiscard]] bool ReachedFromAffected(int v);

  /// Whether v lies on a cycle of the graph.
  [[nodiscard]] bool IsCyclic(int v) const { return componentCyclic_[ComponentSlot(v)] != 0; }
  /// Whether v and w lie in one strong component.
  [[nodiscard]] bool SameComponent(int v, int w) const {
    return component_[VertexSlot(v)] == component_[VertexSlot(w)];
  }
  /// At least that of every component its own reaches: a vertex reaching another is never
  /// lower. (Built and updated levels are higher; UpdateBelow leaves new vertices at 0.)
  [[nodiscard]] int Level(int v) const { return componentLevel_[ComponentSlot(v)]; }
  /// Words of a set of used connections of v's component.
  [[nodiscard]] std::size_t MaskWords(int v) const {
    return (static_cast<std::size_t>(componentBits_[ComponentSlot(v)]) + 63) / 64;
  }
  /// The bit of connection j within its conclusion's component, -1 outside cycles.
  [[nodiscard]] int ConnectionBit(std::size_t j) const { return connectionBit_[j]; }
  /// Whether the last Build found a cycle.
  [[nodiscard]] bool HasCycles() const { return cyclicComponents_ > 0; }
  /// Whether some cycle is entered from nowhere outside it. Updates keep cycles as they
  /// are but may give them new parents, so this is asked anew.
  [[nodiscard]] bool HasClosedCycle() const;
  /// The vertices of the cycles entered from nowhere outside them.
  void ClosedCycleMembers(std::vector<int>& members) const;

private:
  [[nodiscard]] std::size_t VertexSlot(int v) const {
    assert(v >= 0 && static_cast<std::size_t>(v) < component_.size());
    return static_cast<std::size_t>(v);
  }
  [[nodiscard]] std::size_t ComponentSlot(int v) const { return static_cast<std::size_t>(component_[VertexSlot(v)]); }
  [[nodiscard]] bool Follows(const TParentLink& p) const { return dialectical_ || p.reason; }
  void CollectEdges();
  template <typename TOnComponent>
  void StrongComponents(std::size_t n, TOnComponent onComponent);
  void FindComponents();
  void NumberCycleConnections();
  void AddNewVertices();
  void CollectReaching();
  template <class TVisit>
  bool VisitNewTouches(int stamp, TVisit&& visit);
  void ComponentsOfAffected();
  void NewComponent(std::size_t first, bool cyclic);
  void ReserveForGrowth();

  const TStageIndex& index_;
  TWorkBudget& work_;
  const bool dialectical_;
  bool valid_ = false;
  std::size_t touchesTakenIn_ = 0;

  std::vector<int> component_;  // vertex -> component
  std::vector<char> componentCyclic_;
  std::vector<int> componentBits_;  // number of connections concluding inside the component
  std::vector<int> componentLevel_;
  std::vector<int> connectionBit_;
  int cyclicComponents_ = 0;
  std::vector<int> cyclicMembers_;  // vertices in cyclic components, as the last Build found them
  std::vector<int> childrenFirst_;

  // Results of the last Update.
  std::vector<int> touched_, affected_;
  TVertexMarks affectedMarks_;
  int affectedStamp_ = 0;

  // Buffers kept between evaluations: a line's stages grow a little each time, and fresh
  // buffers of ever larger sizes would fragment the heap.
  std::vector<int> edgeBegin_, edges_;  // Build: the children of vertex v are edges_[edgeBegin_[v], edgeBegin_[v + 1])
  std::vector<int> lowLink_, visitNumber_, componentStack_;
  std::vector<char> onComponentStack_;
  std::vector<std::pair<int, int>> searchFrames_;  // vertex, next edge or child
  std::vector<int> componentMembers_;              // the component just closed
  std::vector<int> reachingQueue_;                 // breadth-first queue of the walks upwards
  TVertexMarks walkMarks_;                         // the vertices a walk has seen
  std::vector<int> localNumber_;                   // Update: vertex -> its place among the collected ones
  std::vector<int> oldCyclic_;                     // Update: cyclic components the new ones replace
  std::size_t touchesBeforeBelow_ = 0;             // UpdateBelow: where the log stood
};

}  // namespace korvane::evaluation
