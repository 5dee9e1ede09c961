#include "views/map_graph.h"

#include <numeric>

namespace korvane {

namespace {

int Root(std::vector<int>& parent, int v) {
  while (parent[static_cast<std::size_t>(v)] != v) {
    auto& p = parent[static_cast<std::size_t>(v)];
    p = parent[static_cast<std::size_t>(p)];
    v = p;
  }
  return v;
}

}  // namespace

std::vector<std::vector<int>> MapComponents(const TMapGraph& graph) {
  const std::size_t n = graph.Nodes.size();
  std::vector<int> parent(n);
  std::iota(parent.begin(), parent.end(), 0);
  for (const TMapEdge& e : graph.Edges) {
    const int a = Root(parent, e.From);
    const int b = Root(parent, e.To);
    // The smaller index is the root, so a component is named by its first node.
    if (a < b)
      parent[static_cast<std::size_t>(b)] = a;
    else if (b < a)
      parent[static_cast<std::size_t>(a)] = b;
  }
  std::vector<int> slot(n, -1);
  std::vector<std::vector<int>> components;
  for (std::size_t v = 0; v < n; ++v) {
    const auto root = static_cast<std::size_t>(Root(parent, static_cast<int>(v)));
    if (slot[root] < 0) {
      slot[root] = static_cast<int>(components.size());
      components.emplace_back();
    }
    components[static_cast<std::size_t>(slot[root])].push_back(static_cast<int>(v));
  }
  return components;
}

}  // namespace korvane
