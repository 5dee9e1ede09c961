// The map's layers: the least total span the edges allow, found by network simplex,
// against every layering of small graphs; and the order in a layer of shuffled ladders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

#include "views/map_phases.h"
#include "views/map_ranking.h"

namespace korvane {
namespace {

using TEdges = std::vector<std::pair<int, int>>;  // (lower, upper)

long long Span(const std::vector<int>& layer, const TEdges& edges) {
  long long span = 0;
  for (const auto& [lower, upper] : edges)
    span += layer[static_cast<std::size_t>(lower)] - layer[static_cast<std::size_t>(upper)];
  return span;
}

// The least span over every layering in 0..n-1 that points every edge up.
long long LeastSpan(int n, const TEdges& edges) {
  std::vector<int> layer(static_cast<std::size_t>(n), 0);
  long long least = -1;
  for (;;) {
    const bool up = std::all_of(edges.begin(), edges.end(), [&](const auto& e) {
      return layer[static_cast<std::size_t>(e.first)] > layer[static_cast<std::size_t>(e.second)];
    });
    if (up && (least < 0 || Span(layer, edges) < least)) least = Span(layer, edges);
    std::size_t i = 0;
    while (i < layer.size() && ++layer[i] == n) layer[i++] = 0;
    if (i == layer.size()) return least;
  }
}

// Random acyclic graphs of up to seven nodes, some in several parts, some with a long
// chain beside a short edge: every edge points up, each part's top is layer 0, and the
// span is the least any layering reaches.
TEST(RankLayers, ReachesTheLeastSpanOnEverySmallGraph) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    const int n = 2 + static_cast<int>(random() % 6);
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), random);
    TEdges edges;
    for (int a = 0; a < n; ++a)
      for (int b = a + 1; b < n; ++b)
        if (random() % 100 < 35)
          edges.emplace_back(order[static_cast<std::size_t>(b)], order[static_cast<std::size_t>(a)]);
    const std::vector<int> layer = RankLayers(n, edges);
    ASSERT_EQ(layer.size(), static_cast<std::size_t>(n));
    for (const auto& [lower, upper] : edges)
      ASSERT_GT(layer[static_cast<std::size_t>(lower)], layer[static_cast<std::size_t>(upper)]) << "round " << round;
    EXPECT_EQ(*std::min_element(layer.begin(), layer.end()), 0) << "round " << round;
    EXPECT_EQ(Span(layer, edges), LeastSpan(n, edges)) << "round " << round;
  }
}

// Two conclusions, one above a chain of three reasons, the other above only the chain's
// foot: the second comes down to the foot instead of staying at the top.
TEST(RankLayers, AConclusionOfADeepReasonComesDownToIt) {
  const TEdges edges = {{1, 0}, {2, 1}, {3, 2}, {3, 4}};
  EXPECT_EQ(RankLayers(5, edges), (std::vector<int>{0, 1, 2, 3, 2}));
}

// A ladder: reason i argues for conclusions i and i + 1, directly or, as on the map,
// through a junction per connection. It can be drawn without a crossing, but a walk
// that starts in its middle folds it, and sweeps do not unfold a fold.
TEST(OrderLayers, UnfoldsShuffledLadders) {
  for (const int rungs : {12, 30})
    for (const bool junctions : {false, true})
      for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        const int conclusions = rungs + 1;
        int n = conclusions + rungs;
        TEdges chain;
        for (int i = 0; i < rungs; ++i)
          for (const int c : {i, i + 1}) {
            if (junctions) {
              chain.emplace_back(conclusions + i, n);
              chain.emplace_back(n++, c);
            } else {
              chain.emplace_back(conclusions + i, c);
            }
          }
        std::vector<int> id(static_cast<std::size_t>(n));
        std::iota(id.begin(), id.end(), 0);
        std::shuffle(id.begin(), id.end(), std::mt19937(seed));
        std::vector<TMapEdge> edges;
        for (const auto& [from, to] : chain)
          edges.push_back({id[static_cast<std::size_t>(from)], id[static_cast<std::size_t>(to)]});
        TLayeredGraph g = LayerGraph(std::vector<int>(static_cast<std::size_t>(n), 20), edges);
        OrderLayers(g, std::vector<double>(static_cast<std::size_t>(n), NAN));
        EXPECT_EQ(CountLayerCrossings(g), 0) << rungs << " rungs, junctions " << junctions << ", seed " << seed;
      }
}

}  // namespace
}  // namespace korvane
