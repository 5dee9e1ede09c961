// What the two builders keep alike: the value of each vertex's own statement, and the values
// built under used connections, each built once per evaluation. The builder makes a value;
// this decides whether one already built serves.
#pragma once

#include <utility>
#include <vector>

#include "model/evaluation/growth.h"
#include "model/evaluation/connection_mask.h"
#include "model/evaluation/dependency_graph.h"
#include "model/evaluation/stage_index.h"

namespace korvane::evaluation {

/// TBuilder has TValue* Build(TStatement*, int vertex, const TMask&, int depth).
template <typename TValue, typename TBuilder>
class TVertexValues {
public:
  TVertexValues(const TStageIndex& index, const TDependencyGraph& graph, TBuilder& builder)
      : index_(index), graph_(graph), builder_(builder) {}

  /// Forgets what the last evaluation built for used connections.
  void StartEvaluation() { built_.Clear(); }
  /// After the graph was built anew: the value of every vertex, children first.
  void BuildAll() {
    values_.clear();
    ResizeWithRoom(values_, index_.VertexCount(), static_cast<TValue*>(nullptr));
    BuildFor(graph_.ChildrenFirst());
  }
  /// After the graph was updated: those of the given vertices, children first.
  void Rebuild(const std::vector<int>& vertices) {
    ResizeWithRoom(values_, index_.VertexCount(), static_cast<TValue*>(nullptr));
    BuildFor(vertices);
  }

  /// The value of a statement at vertex v with these connections used. Without used
  /// connections, or outside cycles where they do not matter, it is the one built for the
  /// vertex; a second statement with the vertex's sentence gets one of its own.
  [[nodiscard]] TValue* For(TStatement* object, int v, const TMask& mask, int depth) {
    if (mask.empty() || !graph_.IsCyclic(v)) {
      TValue* top = values_[static_cast<std::size_t>(v)];
      if (top && top->Conclusion == object) return top;
      return Memoised(object, v, TMask(), depth);
    }
    return Memoised(object, v, mask, depth);
  }

  /// The value last built for vertex v's own statement, or null.
  [[nodiscard]] TValue* Top(int v) const {
    const auto slot = static_cast<std::size_t>(v);
    return slot < values_.size() ? values_[slot] : nullptr;
  }

private:
  void BuildFor(const std::vector<int>& vertices) {
    for (const int v : vertices) {
      TStatement* s = index_.VertexStatement(v);
      values_[static_cast<std::size_t>(v)] =
          graph_.IsCyclic(v) ? Memoised(s, v, TMask(), 0) : builder_.Build(s, v, TMask(), 0);
    }
  }

  TValue* Memoised(TStatement* object, int v, const TMask& mask, int depth) {
    TMaskKey key{object, v, mask};
    if (TValue* found = built_.Find(key)) return found;
    TValue* value = builder_.Build(object, v, mask, depth);
    built_.Insert(std::move(key), value);
    return value;
  }

  const TStageIndex& index_;
  const TDependencyGraph& graph_;
  TBuilder& builder_;
  std::vector<TValue*> values_;  // vertex -> its own statement's value, kept for the document
  TBuiltValues<TValue> built_;   // one evaluation's values under used connections
};

}  // namespace korvane::evaluation
