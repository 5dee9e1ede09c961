#include "model/evaluation/dependency_graph.h"

#include <algorithm>

namespace korvane::evaluation {

void TDependencyGraph::Build() {
  CollectEdges();
  FindComponents();
  ReserveForGrowth();
  NumberCycleConnections();
  componentLevel_.assign(componentCyclic_.size(), 0);
  for (const int v : childrenFirst_) {
    const auto sv = static_cast<std::size_t>(v);
    const int c = component_[sv];
    int& level = componentLevel_[static_cast<std::size_t>(c)];
    for (int k = edgeBegin_[sv]; k < edgeBegin_[sv + 1]; ++k) {
      const int d = component_[static_cast<std::size_t>(edges_[static_cast<std::size_t>(k)])];
      if (d != c) level = std::max(level, componentLevel_[static_cast<std::size_t>(d)] + 1);
    }
  }
  valid_ = true;
  touchesTakenIn_ = index_.Touches().size();
}

void TDependencyGraph::CollectEdges() {
  const std::size_t n = index_.VertexCount();
  edgeBegin_.assign(n + 1, 0);
  edges_.clear();
  for (std::size_t v = 0; v < n; ++v) {
    edgeBegin_[v] = static_cast<int>(edges_.size());
    index_.ForEachChildVertex(static_cast<int>(v), dialectical_, [&](int w) { edges_.push_back(w); });
  }
  edgeBegin_[n] = static_cast<int>(edges_.size());
}

// Tarjan's strong components of vertices 0..n-1 over edges_, with an explicit stack: each
// component is handed on as it is closed, so children come before their parents. A
// component is cyclic when it has more than one member or an edge to itself.
template <typename TOnComponent>
void TDependencyGraph::StrongComponents(std::size_t n, TOnComponent onComponent) {
  lowLink_.assign(n, 0);
  visitNumber_.assign(n, -1);
  componentStack_.clear();
  onComponentStack_.assign(n, 0);
  searchFrames_.clear();
  int counter = 0;
  auto enter = [&](std::size_t v) {
    visitNumber_[v] = lowLink_[v] = counter++;
    componentStack_.push_back(static_cast<int>(v));
    onComponentStack_[v] = 1;
    searchFrames_.emplace_back(static_cast<int>(v), edgeBegin_[v]);
  };
  for (std::size_t root = 0; root < n; ++root) {
    if (visitNumber_[root] >= 0) continue;
    enter(root);
    while (!searchFrames_.empty()) {
      auto& [v, e] = searchFrames_.back();
      const auto sv = static_cast<std::size_t>(v);
      if (e < edgeBegin_[sv + 1]) {
        const auto w = static_cast<std::size_t>(edges_[static_cast<std::size_t>(e++)]);
        if (visitNumber_[w] < 0)
          enter(w);
        else if (onComponentStack_[w])
          lowLink_[sv] = std::min(lowLink_[sv], visitNumber_[w]);
        continue;
      }
      if (lowLink_[sv] == visitNumber_[sv]) {
        componentMembers_.clear();
        int w;
        do {
          w = componentStack_.back();
          componentStack_.pop_back();
          onComponentStack_[static_cast<std::size_t>(w)] = 0;
          componentMembers_.push_back(w);
        } while (w != v);
        bool cyclic = componentMembers_.size() > 1;
        for (int k = edgeBegin_[sv]; !cyclic && k < edgeBegin_[sv + 1]; ++k)
          cyclic = edges_[static_cast<std::size_t>(k)] == v;
        onComponent(componentMembers_, cyclic);
      }
      const int done = v;
      searchFrames_.pop_back();
      if (!searchFrames_.empty()) {
        const auto parent = static_cast<std::size_t>(searchFrames_.back().first);
        lowLink_[parent] = std::min(lowLink_[parent], lowLink_[static_cast<std::size_t>(done)]);
      }
    }
  }
}

// Strong components with an explicit stack (Tarjan), numbered children first.
void TDependencyGraph::FindComponents() {
  const std::size_t n = index_.VertexCount();
  component_.assign(n, -1);
  componentCyclic_.clear();
  childrenFirst_.clear();
  StrongComponents(n, [&](const std::vector<int>& members, bool cyclic) {
    const int c = static_cast<int>(componentCyclic_.size());
    for (const int w : members) {
      component_[static_cast<std::size_t>(w)] = c;
      childrenFirst_.push_back(w);
    }
    componentCyclic_.push_back(cyclic ? 1 : 0);
  });
  cyclicComponents_ = 0;
  for (const char cyclic : componentCyclic_) cyclicComponents_ += cyclic;
  cyclicMembers_.clear();
  for (std::size_t v = 0; v < n; ++v)
    if (componentCyclic_[static_cast<std::size_t>(component_[v])]) cyclicMembers_.push_back(static_cast<int>(v));
}

// Bits for the connections that conclude inside a cyclic component.
void TDependencyGraph::NumberCycleConnections() {
  componentBits_.assign(componentCyclic_.size(), 0);
  connectionBit_.assign(index_.ConnectionCount(), -1);
  for (std::size_t v = 0; v < component_.size(); ++v) {
    const auto c = static_cast<std::size_t>(component_[v]);
    if (!componentCyclic_[c]) continue;
    for (const std::size_t j : index_.ConcludingOf(static_cast<int>(v))) connectionBit_[j] = componentBits_[c]++;
  }
}

void TDependencyGraph::Update() {
  assert(valid_);
  AddNewVertices();
  CollectReaching();
  ComponentsOfAffected();
  touchesTakenIn_ = index_.Touches().size();
}

// Room for the vertices of many later moves: the first move after a large stage was
// built would otherwise copy every table.
void TDependencyGraph::ReserveForGrowth() {
  const std::size_t room = component_.size() + component_.size() / 2 + 64;
  component_.reserve(room);
  componentCyclic_.reserve(room);
  componentBits_.reserve(room);
  componentLevel_.reserve(room);
}

// Vertices added since the last build are components of their own, outside cycles.
void TDependencyGraph::AddNewVertices() {
  for (std::size_t v = component_.size(); v < index_.VertexCount(); ++v) {
    component_.push_back(static_cast<int>(componentCyclic_.size()));
    componentCyclic_.push_back(0);
    componentBits_.push_back(0);
    componentLevel_.push_back(0);
  }
  connectionBit_.resize(index_.ConnectionCount(), -1);
}

// Each vertex the log touched since it was last taken in, once: marked with stamp, listed
// in touched_ and shown to visit, which stops the walk by returning false.
template <class TVisit>
bool TDependencyGraph::VisitNewTouches(int stamp, TVisit&& visit) {
  touched_.clear();
  const auto& touches = index_.Touches();
  for (std::size_t t = touchesTakenIn_; t < touches.size(); ++t) {
    const TTouch& touch = touches[t];
    if ((touch.dialecticalOnly && !dialectical_) || affectedMarks_.Has(touch.vertex, stamp)) continue;
    affectedMarks_.Set(touch.vertex, stamp);
    touched_.push_back(touch.vertex);
    if (!visit(touch.vertex)) return false;
  }
  return true;
}

// The touched vertices not taken in yet, and every vertex reaching them, marked affected.
void TDependencyGraph::CollectReaching() {
  const int stamp = affectedStamp_ = affectedMarks_.NewStamp(index_.VertexCount());
  affected_.clear();
  reachingQueue_.clear();
  VisitNewTouches(stamp, [this](int v) {
    reachingQueue_.push_back(v);
    return true;
  });
  for (std::size_t head = 0; head < reachingQueue_.size(); ++head) {
    work_.Spend(1);
    for (const TParentLink& p : index_.ParentsOf(reachingQueue_[head])) {
      if (!Follows(p) || affectedMarks_.Has(p.vertex, stamp)) continue;
      affectedMarks_.Set(p.vertex, stamp);
      reachingQueue_.push_back(p.vertex);
    }
  }
}

// The strong components of the collected vertices (Tarjan, explicit stack), children
// first into affected_. A cycle through one of them lies wholly among them, since each
// of its vertices reaches that one; so the components elsewhere stand as they are.
void TDependencyGraph::ComponentsOfAffected() {
  const std::size_t m = reachingQueue_.size();
  if (localNumber_.size() < index_.VertexCount()) localNumber_.resize(index_.VertexCount(), 0);
  for (std::size_t k = 0; k < m; ++k) localNumber_[static_cast<std::size_t>(reachingQueue_[k])] = static_cast<int>(k);
  auto local = [&](int v) { return static_cast<std::size_t>(localNumber_[static_cast<std::size_t>(v)]); };
  // Children among the collected vertices, local numbers, in the layout Build uses.
  edgeBegin_.assign(m + 1, 0);
  edges_.clear();
  for (std::size_t k = 0; k < m; ++k) {
    edgeBegin_[k] = static_cast<int>(edges_.size());
    index_.ForEachChildVertex(reachingQueue_[k], dialectical_, [&](int w) {
      if (affectedMarks_.Has(w, affectedStamp_)) edges_.push_back(static_cast<int>(local(w)));
    });
  }
  edgeBegin_[m] = static_cast<int>(edges_.size());

  oldCyclic_.clear();
  StrongComponents(m, [&](const std::vector<int>& members, bool cyclic) {
    const std::size_t first = affected_.size();
    for (const int w : members) affected_.push_back(reachingQueue_[static_cast<std::size_t>(w)]);
    NewComponent(first, cyclic);
  });
  // Cycles only grow while the graph is updated; those replaced are counted out once each.
  std::sort(oldCyclic_.begin(), oldCyclic_.end());
  cyclicComponents_ -= static_cast<int>(std::unique(oldCyclic_.begin(), oldCyclic_.end()) - oldCyclic_.begin());
}

// affected_ from first on are one new component: its number, bits and level. A vertex
// that stays outside cycles keeps its number, so that moves far below many statements do
// not make the component tables grow with every statement they reach.
void TDependencyGraph::NewComponent(std::size_t first, bool cyclic) {
  const int kept = component_[static_cast<std::size_t>(affected_[first])];
  const bool keep = !cyclic && affected_.size() - first == 1 && !componentCyclic_[static_cast<std::size_t>(kept)];
  const int c = keep ? kept : static_cast<int>(componentCyclic_.size());
  if (!keep) {
    componentCyclic_.push_back(cyclic ? 1 : 0);
    componentBits_.push_back(0);
    componentLevel_.push_back(0);
  }
  if (cyclic) ++cyclicComponents_;
  int bits = 0;
  for (std::size_t k = first; k < affected_.size(); ++k) {
    const auto v = static_cast<std::size_t>(affected_[k]);
    const auto old = static_cast<std::size_t>(component_[v]);
    if (componentCyclic_[old])
      oldCyclic_.push_back(component_[v]);
    else if (cyclic)
      cyclicMembers_.push_back(affected_[k]);
    component_[v] = c;
    for (const std::size_t j : index_.ConcludingOf(affected_[k])) connectionBit_[j] = cyclic ? bits++ : -1;
  }
  componentBits_[static_cast<std::size_t>(c)] = bits;
  int level = 0;
  for (std::size_t k = first; k < affected_.size(); ++k)
    index_.ForEachChildVertex(affected_[k], dialectical_, [&](int w) {
      if (component_[static_cast<std::size_t>(w)] != c) level = std::max(level, Level(w) + 1);
    });
  componentLevel_[static_cast<std::size_t>(c)] = level;
}

void TDependencyGraph::ClosedCycleMembers(std::vector<int>& members) const {
  members.clear();
  std::vector<char> open(componentCyclic_.size(), 0);
  for (const int v : cyclicMembers_) {
    const int c = component_[VertexSlot(v)];
    if (!componentCyclic_[static_cast<std::size_t>(c)]) continue;
    for (const TParentLink& p : index_.ParentsOf(v))
      if (Follows(p) && component_[VertexSlot(p.vertex)] != c) open[static_cast<std::size_t>(c)] = 1;
  }
  for (const int v : cyclicMembers_)
    if (componentCyclic_[ComponentSlot(v)] && !open[ComponentSlot(v)]) members.push_back(v);
}

bool TDependencyGraph::HasClosedCycle() const {
  std::vector<int> members;
  ClosedCycleMembers(members);
  return !members.empty();
}

bool TDependencyGraph::ReachedFromAffected(int v) {
  const int stamp = walkMarks_.NewStamp(index_.VertexCount());
  reachingQueue_.assign(1, v);
  walkMarks_.Set(v, stamp);
  for (std::size_t head = 0; head < reachingQueue_.size(); ++head) {
    const int u = reachingQueue_[head];
    if (affectedMarks_.Has(u, affectedStamp_)) return true;
    for (const TParentLink& p : index_.ParentsOf(u)) {
      if (walkMarks_.Has(p.vertex, stamp)) continue;
      walkMarks_.Set(p.vertex, stamp);
      reachingQueue_.push_back(p.vertex);
    }
  }
  return false;
}

}  // namespace korvane::evaluation

namespace korvane::evaluation {

bool TDependencyGraph::UpdateBelow() {
  assert(valid_);
  const std::size_t old = component_.size();
  const int stamp = affectedStamp_ = affectedMarks_.NewStamp(index_.VertexCount());
  // One old vertex touched, the new ones concluding nothing.
  int below = -1;
  const bool one = VisitNewTouches(stamp, [&](int v) {
    if (static_cast<std::size_t>(v) >= old) return index_.ConcludingOf(v).empty();
    if (below >= 0) return false;
    below = v;
    return true;
  });
  if (!one) return false;
  if (below < 0 || IsCyclic(below)) return false;
  // New vertices stay at level 0, which is no higher than `below`. An old child lower than
  // `below` cannot reach it, so no cycle closes; one as high might, and is left to Update.
  bool lower = true;
  index_.ForEachChildVertex(below, dialectical_, [&](int w) {
    lower = lower && (static_cast<std::size_t>(w) >= old || Level(w) < Level(below));
  });
  if (!lower) return false;
  touchesBeforeBelow_ = touchesTakenIn_;
  AddNewVertices();
  affected_.clear();
  for (const int v : touched_)
    if (v != below) affected_.push_back(v);
  affected_.push_back(below);
  touchesTakenIn_ = index_.Touches().size();
  return true;
}

}  // namespace korvane::evaluation
