// Layers for the map with the fewest layers crossed: every edge spans as few layers as
// the others let it, so long edges, and the dummies and crossings they bring, are rare.
#pragma once

#include <utility>
#include <vector>

namespace korvane {

/// The layer of each of n nodes, 0 at the top, such that the upper end of every
/// (lower, upper) pair lies at least one layer above its lower end and the layers the
/// edges span add up to as few as possible (network simplex). The edges must not form a
/// cycle. Stops early, still valid, after a number of pivots that keeps big maps fast.
[[nodiscard]] std::vector<int> RankLayers(int n, const std::vector<std::pair<int, int>>& upward);

}  // namespace korvane
