#include <algorithm>
#include <cstdint>

#include "views/map_phases.h"
#include "views/map_ranking.h"

namespace korvane {

namespace {

using Index = std::size_t;

// Depth-first from each node in order; an edge to a node still on the path closes a cycle.
std::vector<bool> BackEdges(int n, const std::vector<TMapEdge>& edges) {
  std::vector<std::vector<int>> out(static_cast<Index>(n));
  for (Index e = 0; e < edges.size(); ++e) out[static_cast<Index>(edges[e].From)].push_back(static_cast<int>(e));
  enum : std::uint8_t { kNew, kOnPath, kDone };
  std::vector<std::uint8_t> state(static_cast<Index>(n), kNew);
  std::vector<bool> back(edges.size(), false);
  std::vector<std::pair<int, Index>> stack;  // node, next edge to follow
  for (int start = 0; start < n; ++start) {
    if (state[static_cast<Index>(start)] != kNew) continue;
    stack.push_back({start, 0});
    state[static_cast<Index>(start)] = kOnPath;
    while (!stack.empty()) {
      auto& [v, next] = stack.back();
      const auto& list = out[static_cast<Index>(v)];
      if (next == list.size()) {
        state[static_cast<Index>(v)] = kDone;
        stack.pop_back();
        continue;
      }
      const int e = list[next++];
      const int w = edges[static_cast<Index>(e)].To;
      if (state[static_cast<Index>(w)] == kOnPath) {
        back[static_cast<Index>(e)] = true;
      } else if (state[static_cast<Index>(w)] == kNew) {
        state[static_cast<Index>(w)] = kOnPath;
        stack.push_back({w, 0});
      }
    }
  }
  return back;
}

}  // namespace

void TLayeredGraph::SetPositions() {
  Position.assign(Size(), 0);
  for (const auto& nodes : Layers)
    for (Index i = 0; i < nodes.size(); ++i) Position[static_cast<Index>(nodes[i])] = static_cast<int>(i);
}

TLayeredGraph LayerGraph(const std::vector<int>& widths, const std::vector<TMapEdge>& edges) {
  const int n = static_cast<int>(widths.size());
  const std::vector<bool> back = BackEdges(n, edges);
  std::vector<std::pair<int, int>> upward;  // (lower, upper)
  upward.reserve(edges.size());
  for (Index e = 0; e < edges.size(); ++e)
    upward.emplace_back(back[e] ? edges[e].To : edges[e].From, back[e] ? edges[e].From : edges[e].To);

  TLayeredGraph g;
  g.RealCount = n;
  g.Layer = RankLayers(n, upward);
  g.Width = widths;
  g.Up.resize(static_cast<Index>(n));
  g.Down.resize(static_cast<Index>(n));
  const auto join = [&g](int lower, int upper) {
    g.Up[static_cast<Index>(lower)].push_back(upper);
    g.Down[static_cast<Index>(upper)].push_back(lower);
  };
  for (Index e = 0; e < edges.size(); ++e) {
    const auto [lower, upper] = upward[e];
    TLayeredGraph::TChain chain;
    chain.Back = back[e];
    chain.Nodes.push_back(lower);
    int previous = lower;
    for (int l = g.Layer[static_cast<Index>(lower)] - 1; l > g.Layer[static_cast<Index>(upper)]; --l) {
      const int dummy = static_cast<int>(g.Layer.size());
      g.Layer.push_back(l);
      g.Width.push_back(0);
      g.Up.emplace_back();
      g.Down.emplace_back();
      join(previous, dummy);
      chain.Nodes.push_back(dummy);
      previous = dummy;
    }
    join(previous, upper);
    chain.Nodes.push_back(upper);
    g.Chains.push_back(std::move(chain));
  }
  int top = 0;
  for (const int l : g.Layer) top = std::max(top, l);
  g.Layers.assign(g.Size() == 0 ? 0 : static_cast<Index>(top) + 1, {});
  for (Index v = 0; v < g.Size(); ++v) g.Layers[static_cast<Index>(g.Layer[v])].push_back(static_cast<int>(v));
  g.X.assign(g.Size(), 0.0);
  g.SetPositions();
  return g;
}

}  // namespace korvane
