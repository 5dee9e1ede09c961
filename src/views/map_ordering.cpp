#include <algorithm>
#include <cmath>
#include <numeric>

#include "views/map_phases.h"

namespace korvane {

namespace {

using Index = std::size_t;

// Sweeps over the layers go on while one of the last kPatience found fewer crossings,
// up to kSweeps in all; a seeded order is only transposed, so boxes stay put.
constexpr int kSweeps = 96;
constexpr int kPatience = 12;
constexpr int kSeededSweeps = 0;
// Transposition rounds after each sweep; few after a move, so boxes stay put.
constexpr int kTransposeRounds = 16;
constexpr int kSeededTransposeRounds = 4;
// Parts up to this many nodes (dummies included) are also ordered from two more starts.
constexpr std::size_t kSecondStartLimit = 1000;
// Above this, two nodes' neighbours are too many to compare pair by pair.
constexpr std::size_t kTransposeLimit = 4096;

// Crossings between layer l and the one below: the edges sorted by their upper end,
// then the inversions of their lower ends, counted with a Fenwick tree.
long long CrossingsBelow(const TLayeredGraph& g, Index l, std::vector<std::pair<int, int>>& pairs,
                         std::vector<long long>& tree) {
  if (l + 1 >= g.Layers.size()) return 0;
  pairs.clear();
  for (const int u : g.Layers[l])
    for (const int d : g.Down[static_cast<Index>(u)])
      pairs.emplace_back(g.Position[static_cast<Index>(u)], g.Position[static_cast<Index>(d)]);
  std::sort(pairs.begin(), pairs.end());
  const Index size = g.Layers[l + 1].size();
  tree.assign(size + 1, 0);
  long long crossings = 0;
  long long seen = 0;
  for (const auto& [up, down] : pairs) {
    // Earlier edges whose lower end lies right of this one's cross it.
    long long notRight = 0;
    for (Index i = static_cast<Index>(down) + 1; i > 0; i -= i & (~i + 1)) notRight += tree[i];
    crossings += seen - notRight;
    for (Index i = static_cast<Index>(down) + 1; i <= size; i += i & (~i + 1)) ++tree[i];
    ++seen;
  }
  return crossings;
}

// Sorts layer l by the mean position of each node's neighbours in the adjacent layer;
// a node without any keeps its place.
void SortByNeighbours(TLayeredGraph& g, Index l, bool fromAbove, bool median,
                      std::vector<std::pair<double, int>>& keys) {
  static thread_local std::vector<int> positions;
  auto& nodes = g.Layers[l];
  keys.clear();
  // A node without neighbours there keeps its place, on the scale of the adjacent layer.
  const Index other = fromAbove ? l - 1 : l + 1;
  const double scale =
      static_cast<double>(g.Layers[other].size()) / static_cast<double>(std::max<Index>(nodes.size(), 1));
  for (Index i = 0; i < nodes.size(); ++i) {
    const auto& adjacent = fromAbove ? g.Up[static_cast<Index>(nodes[i])] : g.Down[static_cast<Index>(nodes[i])];
    double key = static_cast<double>(i) * scale;
    if (!adjacent.empty()) {
      // The median: one far neighbour pulls a node less than the mean lets it.
      positions.clear();
      for (const int a : adjacent) positions.push_back(g.Position[static_cast<Index>(a)]);
      std::sort(positions.begin(), positions.end());
      const Index m = positions.size() / 2;
      if (median)
        key = positions.size() % 2 == 1 ? positions[m] : (positions[m - 1] + positions[m]) / 2.0;
      else
        key = std::accumulate(positions.begin(), positions.end(), 0.0) / static_cast<double>(positions.size());
    }
    keys.emplace_back(key, nodes[i]);
  }
  std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (Index i = 0; i < nodes.size(); ++i) {
    nodes[i] = keys[i].second;
    g.Position[static_cast<Index>(nodes[i])] = static_cast<int>(i);
  }
}

// Crossings among the edges of u and v with u left of v, on one side.
long long PairCrossings(const TLayeredGraph& g, const std::vector<int>& a, const std::vector<int>& b) {
  long long c = 0;
  for (const int x : a)
    for (const int y : b)
      if (g.Position[static_cast<Index>(x)] > g.Position[static_cast<Index>(y)]) ++c;
  return c;
}

// Swaps neighbours in a layer while that removes crossings, at most rounds times over.
void Transpose(TLayeredGraph& g, int rounds) {
  for (int round = 0; round < rounds; ++round) {
    bool improved = false;
    for (auto& nodes : g.Layers) {
      for (Index i = 0; i + 1 < nodes.size(); ++i) {
        const auto u = static_cast<Index>(nodes[i]);
        const auto v = static_cast<Index>(nodes[i + 1]);
        const std::size_t work = (g.Up[u].size() + g.Down[u].size()) * (g.Up[v].size() + g.Down[v].size());
        if (work == 0 || work > kTransposeLimit) continue;
        const long long now = PairCrossings(g, g.Up[u], g.Up[v]) + PairCrossings(g, g.Down[u], g.Down[v]);
        const long long swapped = PairCrossings(g, g.Up[v], g.Up[u]) + PairCrossings(g, g.Down[v], g.Down[u]);
        if (swapped < now) {
          std::swap(nodes[i], nodes[i + 1]);
          g.Position[u] = static_cast<int>(i + 1);
          g.Position[v] = static_cast<int>(i);
          improved = true;
        }
      }
    }
    if (!improved) break;
  }
}

// The starting order: nodes with seeds by their seed, dummies and new nodes by the
// mean seed of their chain's ends or neighbours, the rest after them in node order.
void SeedOrder(TLayeredGraph& g, const std::vector<double>& seeds) {
  std::vector<double> key(g.Size(), NAN);
  for (Index v = 0; v < seeds.size() && v < g.Size(); ++v) key[v] = seeds[v];
  for (const auto& chain : g.Chains) {
    const double a = key[static_cast<Index>(chain.Nodes.front())];
    const double b = key[static_cast<Index>(chain.Nodes.back())];
    const Index k = chain.Nodes.size();
    for (Index i = 1; i + 1 < k; ++i) {
      const double t = static_cast<double>(i) / static_cast<double>(k - 1);
      key[static_cast<Index>(chain.Nodes[i])] = std::isnan(a) ? b : std::isnan(b) ? a : a + (b - a) * t;
    }
  }
  // New nodes next to their neighbours, taking the seeds as they spread.
  for (int pass = 0; pass < 2; ++pass)
    for (Index v = 0; v < g.Size(); ++v) {
      if (!std::isnan(key[v])) continue;
      double sum = 0;
      int count = 0;
      for (const auto* list : {&g.Up[v], &g.Down[v]})
        for (const int w : *list)
          if (!std::isnan(key[static_cast<Index>(w)])) {
            sum += key[static_cast<Index>(w)];
            ++count;
          }
      if (count > 0) key[v] = sum / count + 0.5;
    }
  for (auto& nodes : g.Layers)
    std::stable_sort(nodes.begin(), nodes.end(), [&key](int a, int b) {
      const double ka = key[static_cast<Index>(a)];
      const double kb = key[static_cast<Index>(b)];
      if (std::isnan(kb)) return !std::isnan(ka);
      return !std::isnan(ka) && ka < kb;
    });
  g.SetPositions();
}

// A first order without seeds: depth-first from the top layer, so a tree's nodes lie
// together; with bothWays the walk also climbs to a node's other conclusions, so a chain
// of shared reasons is laid out along itself. first, when given, is walked from first.
void DepthFirstOrder(TLayeredGraph& g, bool bothWays, int first = -1) {
  std::vector<int> rank(g.Size(), -1);
  int next = 0;
  std::vector<int> stack;
  const auto push = [&](const std::vector<int>& list) {
    for (auto it = list.rbegin(); it != list.rend(); ++it)
      if (rank[static_cast<Index>(*it)] < 0) stack.push_back(*it);
  };
  std::vector<int> roots;
  if (first >= 0) roots.push_back(first);
  for (const auto& layer : g.Layers) roots.insert(roots.end(), layer.begin(), layer.end());
  for (const int root : roots) {
    if (rank[static_cast<Index>(root)] >= 0) continue;
    stack.push_back(root);
    while (!stack.empty()) {
      const int v = stack.back();
      stack.pop_back();
      if (rank[static_cast<Index>(v)] >= 0) continue;
      rank[static_cast<Index>(v)] = next++;
      // Pushed last, walked first: the node's reasons before its other conclusions.
      if (bothWays) push(g.Up[static_cast<Index>(v)]);
      push(g.Down[static_cast<Index>(v)]);
    }
  }
  for (auto& nodes : g.Layers)
    std::sort(nodes.begin(), nodes.end(),
              [&rank](int a, int b) { return rank[static_cast<Index>(a)] < rank[static_cast<Index>(b)]; });
  g.SetPositions();
}

// A node at the far end of the part: the farthest from a node that is itself the
// farthest from the top left node, the edges taken both ways. A walk from there runs
// along a ladder instead of folding it in its middle.
int FarEnd(const TLayeredGraph& g) {
  std::vector<int> distance;
  std::vector<int> queue;
  const auto farthest = [&](int from) {
    distance.assign(g.Size(), -1);
    queue.assign(1, from);
    distance[static_cast<Index>(from)] = 0;
    int last = from;
    for (Index i = 0; i < queue.size(); ++i) {
      const int v = queue[i];
      last = v;
      for (const auto* list : {&g.Up[static_cast<Index>(v)], &g.Down[static_cast<Index>(v)]})
        for (const int w : *list)
          if (distance[static_cast<Index>(w)] < 0) {
            distance[static_cast<Index>(w)] = distance[static_cast<Index>(v)] + 1;
            queue.push_back(w);
          }
    }
    return last;
  };
  return farthest(farthest(g.Layers.front().front()));
}

}  // namespace

long long CountLayerCrossings(const TLayeredGraph& g) {
  std::vector<std::pair<int, int>> pairs;
  std::vector<long long> tree;
  long long total = 0;
  for (Index l = 0; l < g.Layers.size(); ++l) total += CrossingsBelow(g, l, pairs, tree);
  return total;
}

namespace {

// Sweeps from the current order while they help; the best order found is left in g.
// Only a strictly better order replaces the one before, so a seeded map stays put.
long long Sweep(TLayeredGraph& g, int sweeps) {
  std::vector<std::vector<int>> best = g.Layers;
  long long fewest = CountLayerCrossings(g);
  std::vector<std::pair<double, int>> keys;
  int stale = 0;
  for (int sweep = 0; sweep < sweeps && fewest > 0 && stale < kPatience; ++sweep) {
    // Medians and means in turn: each undoes some crossings the other leaves.
    const bool median = sweep % 2 == 0;
    for (Index l = 1; l < g.Layers.size(); ++l) SortByNeighbours(g, l, true, median, keys);
    for (Index l = g.Layers.size() - 1; l-- > 0;) SortByNeighbours(g, l, false, median, keys);
    Transpose(g, kTransposeRounds);
    const long long crossings = CountLayerCrossings(g);
    if (crossings < fewest) {
      fewest = crossings;
      best = g.Layers;
      stale = 0;
    } else {
      ++stale;
    }
  }
  g.Layers = std::move(best);
  g.SetPositions();
  return fewest;
}

}  // namespace

void OrderLayers(TLayeredGraph& g, const std::vector<double>& seeds) {
  const bool seeded = std::any_of(seeds.begin(), seeds.end(), [](double s) { return !std::isnan(s); });
  if (seeded) {
    SeedOrder(g, seeds);
    if (g.Layers.size() < 2) return;
    // A seeded order was good before the move: only neighbours are swapped where that helps.
    Transpose(g, kSeededTransposeRounds);
    (void)Sweep(g, kSeededSweeps);
    return;
  }
  DepthFirstOrder(g, false);
  if (g.Layers.size() < 2) return;
  const long long fromTop = Sweep(g, kSweeps);
  if (fromTop == 0 || g.Size() > kSecondStartLimit) return;
  // Small parts again from depth-first orders that walk both ways, from the top left and
  // from the far end of the part; the best of the three stays.
  std::vector<std::vector<int>> best = g.Layers;
  long long fewest = fromTop;
  for (const bool fromFarEnd : {false, true}) {
    DepthFirstOrder(g, true, fromFarEnd ? FarEnd(g) : -1);
    const long long crossings = Sweep(g, kSweeps);
    if (crossings < fewest) {
      fewest = crossings;
      best = g.Layers;
    }
    if (fewest == 0) break;
  }
  g.Layers = std::move(best);
  g.SetPositions();
}

}  // namespace korvane
