#include <algorithm>
#include <cmath>

#include "views/map_phases.h"

namespace korvane {

namespace {

using Index = std::size_t;

constexpr int kDummyGap = 10;
constexpr int kPasses = 4;
// A node with a seed holds to it this much more than to its neighbours.
constexpr double kSeedWeight = 50.0;

// The x of a layer's nodes nearest to wanted (weighted squares) with each node at least
// its separation right of the one before: pool-adjacent-violators on x less the
// separations so far.
void Project(const std::vector<double>& wanted, const std::vector<double>& weight, const std::vector<double>& offset,
             std::vector<double>& x) {
  struct TBlock {
    double sum;
    double weight;
    Index count;
  };
  std::vector<TBlock> blocks;
  for (Index i = 0; i < wanted.size(); ++i) {
    blocks.push_back({(wanted[i] - offset[i]) * weight[i], weight[i], 1});
    while (blocks.size() > 1) {
      const TBlock& last = blocks.back();
      const TBlock& before = blocks[blocks.size() - 2];
      if (before.sum / before.weight <= last.sum / last.weight) break;
      const TBlock merged{before.sum + last.sum, before.weight + last.weight, before.count + last.count};
      blocks.pop_back();
      blocks.back() = merged;
    }
  }
  Index i = 0;
  for (const TBlock& b : blocks)
    for (Index k = 0; k < b.count; ++k, ++i) x[i] = b.sum / b.weight + offset[i];
}

}  // namespace

void PlaceNodes(TLayeredGraph& g, const std::vector<double>& seeds, int gap) {
  const auto hasSeed = [&seeds](Index v) { return v < seeds.size() && !std::isnan(seeds[v]); };
  const auto separation = [&g, gap](int a, int b) {
    const bool dummy = a >= g.RealCount || b >= g.RealCount;
    return (g.Width[static_cast<Index>(a)] + g.Width[static_cast<Index>(b)]) / 2.0 + (dummy ? kDummyGap : gap);
  };
  std::vector<double> wanted, weight, offset, x;
  // Packed from the left, or at the seeds.
  for (const auto& nodes : g.Layers) {
    double left = 0;
    for (Index i = 0; i < nodes.size(); ++i) {
      const auto v = static_cast<Index>(nodes[i]);
      if (i > 0) left += separation(nodes[i - 1], nodes[i]);
      g.X[v] = left;
    }
  }
  const auto placeLayer = [&](Index l, int direction) {
    const auto& nodes = g.Layers[l];
    const Index n = nodes.size();
    wanted.assign(n, 0);
    weight.assign(n, 1);
    offset.assign(n, 0);
    x.assign(n, 0);
    for (Index i = 0; i < n; ++i) {
      const auto v = static_cast<Index>(nodes[i]);
      if (i > 0) offset[i] = offset[i - 1] + separation(nodes[i - 1], nodes[i]);
      double sum = 0;
      int count = 0;
      const auto take = [&](const std::vector<int>& list) {
        for (const int w : list) {
          sum += g.X[static_cast<Index>(w)];
          ++count;
        }
      };
      if (direction >= 0) take(g.Up[v]);
      if (direction <= 0) take(g.Down[v]);
      wanted[i] = count > 0 ? sum / count : g.X[v];
      if (v >= static_cast<Index>(g.RealCount)) weight[i] = 2;  // long edges run straight
      if (hasSeed(v)) {
        wanted[i] = (wanted[i] + kSeedWeight * seeds[v]) / (1 + kSeedWeight);
        weight[i] = kSeedWeight;
      }
    }
    Project(wanted, weight, offset, x);
    for (Index i = 0; i < n; ++i) g.X[static_cast<Index>(nodes[i])] = x[i];
  };
  // Seeds already say where most nodes go: one pass places the new ones.
  const bool seeded = std::any_of(seeds.begin(), seeds.end(), [](double s) { return !std::isnan(s); });
  for (int pass = 0; pass < (seeded ? 1 : kPasses); ++pass) {
    for (Index l = 1; l < g.Layers.size(); ++l) placeLayer(l, 1);
    for (Index l = g.Layers.size(); l-- > 0;) placeLayer(l, -1);
  }
  for (Index l = 0; l < g.Layers.size(); ++l) placeLayer(l, 0);
}

}  // namespace korvane
