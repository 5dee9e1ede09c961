#include "views/map_ranking.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <queue>
#include <span>

namespace korvane {

namespace {

using Index = std::size_t;

// A pivot may walk the whole graph. The generated lines reach the optimum after a few
// hundred pivots on thousands of nodes; the bound keeps a graph that would need far
// more, or cycle, to about a second's work, its layers valid if not the best.
constexpr long long kPivotsPerNode = 8;
constexpr long long kPivotWork = 100'000'000;

// A list of edges per node, all in one array: each node's slot holds up to its degree.
class TLists {
public:
  void Reserve(const std::vector<int>& capacity) {
    start_.assign(capacity.size() + 1, 0);
    for (Index v = 0; v < capacity.size(); ++v) start_[v + 1] = start_[v] + capacity[v];
    size_.assign(capacity.size(), 0);
    items_.assign(static_cast<Index>(start_.back()), -1);
  }
  void Add(Index v, int e) { items_[static_cast<Index>(start_[v] + size_[v]++)] = e; }
  void Remove(Index v, int e) {
    const auto first = items_.begin() + start_[v];
    const auto last = first + size_[v]--;
    const auto at = std::find(first, last, e);
    std::copy(at + 1, last, at);
  }
  [[nodiscard]] std::span<const int> operator[](Index v) const {
    return {items_.data() + start_[v], static_cast<Index>(size_[v])};
  }

private:
  std::vector<int> start_, size_, items_;
};

// Ranks grow downwards; an edge runs from its tail (the upper end) to its head, and
// rank[head] - rank[tail] >= 1. The spanning forest of tight edges is improved by
// exchanging a tree edge of negative cut value for the non-tree edge of least slack that
// crosses its cut, until no cut value is negative.
class TNetworkSimplex {
public:
  TNetworkSimplex(int n, const std::vector<std::pair<int, int>>& upward) : n_(static_cast<Index>(n)) {
    std::vector<int> degree(n_, 0);
    for (const auto& [lower, upper] : upward) {
      if (lower == upper) continue;
      tail_.push_back(upper);
      head_.push_back(lower);
      ++degree[static_cast<Index>(lower)];
      ++degree[static_cast<Index>(upper)];
    }
    incident_.Reserve(degree);
    treeAdjacent_.Reserve(degree);  // a node has no more tree edges than edges
    for (Index e = 0; e < tail_.size(); ++e) {
      incident_.Add(static_cast<Index>(tail_[e]), static_cast<int>(e));
      incident_.Add(static_cast<Index>(head_[e]), static_cast<int>(e));
    }
  }

  std::vector<int> Run() {
    LongestPath();
    TightForest();
    for (Index e = 0; e < tail_.size(); ++e)
      if (inTree_[e]) Link(static_cast<int>(e));
    Mark();
    const auto size = static_cast<long long>(n_ + tail_.size());
    const long long pivots = std::min(kPivotsPerNode * static_cast<long long>(n_), kPivotWork / (size + 1)) + 16;
    for (long long pivot = 0; pivot < pivots; ++pivot) {
      const int leaving = LeavingEdge();
      if (leaving < 0) break;
      const int entering = EnteringEdge(leaving);
      if (entering < 0) break;
      Exchange(leaving, entering);
    }
    Normalise();
    return rank_;
  }

private:
  [[nodiscard]] int Other(int e, int v) const {
    return tail_[static_cast<Index>(e)] == v ? head_[static_cast<Index>(e)] : tail_[static_cast<Index>(e)];
  }
  [[nodiscard]] int Slack(int e) const {
    return rank_[static_cast<Index>(head_[static_cast<Index>(e)])] -
           rank_[static_cast<Index>(tail_[static_cast<Index>(e)])] - 1;
  }

  // Every node as high as its edges let it: the top nodes at 0, each other node one below
  // the lowest of its tails.
  void LongestPath() {
    std::vector<int> waiting(n_, 0);
    for (const int h : head_) ++waiting[static_cast<Index>(h)];
    rank_.assign(n_, 0);
    std::vector<int> ready;
    for (Index v = 0; v < n_; ++v)
      if (waiting[v] == 0) ready.push_back(static_cast<int>(v));
    while (!ready.empty()) {
      const int v = ready.back();
      ready.pop_back();
      for (const int e : incident_[static_cast<Index>(v)]) {
        if (tail_[static_cast<Index>(e)] != v) continue;
        const auto h = static_cast<Index>(head_[static_cast<Index>(e)]);
        rank_[h] = std::max(rank_[h], rank_[static_cast<Index>(v)] + 1);
        if (--waiting[h] == 0) ready.push_back(static_cast<int>(h));
      }
    }
  }

  // Grows a tree of tight edges from each node not yet in one; when no tight edge leads
  // out, the tree is shifted by the least slack of the edges leaving it, which makes that
  // edge tight. The shift is kept as one offset, and the edges leaving the tree wait in
  // two heaps (tree node at the tail, at the head) keyed so the offset needs no update.
  void TightForest() {
    inTree_.assign(tail_.size(), false);
    std::vector<bool> joined(n_, false);
    std::vector<int> relative(n_, 0);
    using TKey = std::pair<long long, int>;
    std::priority_queue<TKey, std::vector<TKey>, std::greater<>> tailIn, headIn;
    std::vector<int> members, stack;
    long long shift = 0;
    const auto join = [&](int v, int via) {
      joined[static_cast<Index>(v)] = true;
      relative[static_cast<Index>(v)] = static_cast<int>(rank_[static_cast<Index>(v)] - shift);
      if (via >= 0) inTree_[static_cast<Index>(via)] = true;
      stack.push_back(v);
      members.push_back(v);
    };
    for (Index start = 0; start < n_; ++start) {
      if (joined[start]) continue;
      shift = 0;
      members.clear();
      tailIn = {};
      headIn = {};
      join(static_cast<int>(start), -1);
      for (;;) {
        while (!stack.empty()) {
          const int v = stack.back();
          stack.pop_back();
          const long long rv = relative[static_cast<Index>(v)] + shift;
          for (const int e : incident_[static_cast<Index>(v)]) {
            const int w = Other(e, v);
            if (joined[static_cast<Index>(w)]) continue;
            const bool atTail = tail_[static_cast<Index>(e)] == v;
            const long long rw = rank_[static_cast<Index>(w)];
            const long long slack = atTail ? rw - rv - 1 : rv - rw - 1;
            if (slack == 0)
              join(w, e);
            else if (atTail)
              tailIn.emplace(slack + shift, e);
            else
              headIn.emplace(slack - shift, e);
          }
        }
        const auto drop = [&](auto& heap) {
          while (!heap.empty() && joined[static_cast<Index>(tail_[static_cast<Index>(heap.top().second)])] &&
                 joined[static_cast<Index>(head_[static_cast<Index>(heap.top().second)])])
            heap.pop();
        };
        drop(tailIn);
        drop(headIn);
        if (tailIn.empty() && headIn.empty()) break;
        const long long viaTail = tailIn.empty() ? INT64_MAX : tailIn.top().first - shift;
        const long long viaHead = headIn.empty() ? INT64_MAX : headIn.top().first + shift;
        if (viaTail <= viaHead) {
          // Moving the tree down tightens an edge from it to a node below.
          const int e = tailIn.top().second;
          shift += viaTail;
          join(head_[static_cast<Index>(e)], e);
        } else {
          const int e = headIn.top().second;
          shift -= viaHead;
          join(tail_[static_cast<Index>(e)], e);
        }
      }
      for (const int v : members)
        rank_[static_cast<Index>(v)] = static_cast<int>(relative[static_cast<Index>(v)] + shift);
    }
  }

  void Link(int e) {
    inTree_[static_cast<Index>(e)] = true;
    treeAdjacent_.Add(static_cast<Index>(tail_[static_cast<Index>(e)]), e);
    treeAdjacent_.Add(static_cast<Index>(head_[static_cast<Index>(e)]), e);
  }

  void Unlink(int e) {
    inTree_[static_cast<Index>(e)] = false;
    for (const int v : {tail_[static_cast<Index>(e)], head_[static_cast<Index>(e)]})
      treeAdjacent_.Remove(static_cast<Index>(v), e);
  }

  // Numbers top's subtree in postorder from first (lim, and low the least lim below
  // each node) and notes each node's edge to its parent; top keeps its own. A subtree
  // that hangs from the same edge as before keeps its inner order, so its numbers are
  // only shifted; the nodes whose subtrees changed had their low cleared.
  void Number(int top, int first) {
    std::vector<std::pair<int, Index>>& stack = stack_;
    stack.assign(1, {top, 0});
    low_[static_cast<Index>(top)] = first;
    int next = first;
    while (!stack.empty()) {
      auto& [v, i] = stack.back();
      const auto& list = treeAdjacent_[static_cast<Index>(v)];
      if (i == list.size()) {
        byLim_[static_cast<Index>(next)] = v;
        lim_[static_cast<Index>(v)] = next++;
        stack.pop_back();
        continue;
      }
      const int e = list[i++];
      if (e == parentEdge_[static_cast<Index>(v)]) continue;
      const int w = Other(e, v);
      if (parentEdge_[static_cast<Index>(w)] == e && low_[static_cast<Index>(w)] >= 0) {
        // Hangs as before: its numbers move as one block, read from the numbering before.
        const int from = low_[static_cast<Index>(w)];
        const int to = lim_[static_cast<Index>(w)];
        const int shift = next - from;
        if (shift != 0)
          for (int number = from; number <= to; ++number) {
            const auto u = static_cast<Index>(before_[static_cast<Index>(number - beforeFirst_)]);
            low_[u] += shift;
            lim_[u] += shift;
            byLim_[static_cast<Index>(lim_[u])] = static_cast<int>(u);
          }
        next = to + shift + 1;
        continue;
      }
      parentEdge_[static_cast<Index>(w)] = e;
      root_[static_cast<Index>(w)] = root_[static_cast<Index>(v)];
      low_[static_cast<Index>(w)] = next;
      stack.push_back({w, 0});
    }
  }

  // Roots every tree at its first node, numbers it and sets the cut value of every tree
  // edge from the ones below it.
  void Mark() {
    parentEdge_.assign(n_, -1);
    low_.assign(n_, -1);
    lim_.assign(n_, -1);
    byLim_.assign(n_, -1);
    root_.assign(n_, 0);
    cut_.assign(tail_.size(), 0);
    int next = 0;
    for (Index root = 0; root < n_; ++root) {
      if (lim_[root] >= 0) continue;
      root_[root] = static_cast<int>(root);
      Number(static_cast<int>(root), next);
      next = lim_[root] + 1;
    }
    std::vector<int> postorder(n_);
    for (Index v = 0; v < n_; ++v) postorder[static_cast<Index>(lim_[v])] = static_cast<int>(v);
    for (const int v : postorder)
      if (parentEdge_[static_cast<Index>(v)] >= 0)
        cut_[static_cast<Index>(parentEdge_[static_cast<Index>(v)])] = CutValue(v);
  }

  // Shifts the subtree under the leaving edge so the entering edge gets tight, adds the
  // leaving edge's cut value to the cuts on the tree path the entering edge closes, and
  // numbers again the subtree of their common ancestor, the only one that changed.
  void Exchange(int leaving, int entering) {
    const int t = tail_[static_cast<Index>(leaving)];
    const int h = head_[static_cast<Index>(leaving)];
    const int child = lim_[static_cast<Index>(t)] < lim_[static_cast<Index>(h)] ? t : h;
    if (const int slack = Slack(entering); slack > 0) {
      const int shift = child == t ? -slack : slack;
      std::vector<int>& below = below_;
      below.assign(1, child);
      while (!below.empty()) {
        const int v = below.back();
        below.pop_back();
        rank_[static_cast<Index>(v)] += shift;
        for (const int e : treeAdjacent_[static_cast<Index>(v)])
          if (e != parentEdge_[static_cast<Index>(v)]) below.push_back(Other(e, v));
      }
    }
    const long long value = cut_[static_cast<Index>(leaving)];
    changed_.clear();
    const int common =
        PathUpdate(tail_[static_cast<Index>(entering)], head_[static_cast<Index>(entering)], value, true);
    (void)PathUpdate(head_[static_cast<Index>(entering)], tail_[static_cast<Index>(entering)], value, false);
    for (const int v : changed_) low_[static_cast<Index>(v)] = -1;
    cut_[static_cast<Index>(entering)] = -value;
    cut_[static_cast<Index>(leaving)] = 0;
    Unlink(leaving);
    Link(entering);
    beforeFirst_ = low_[static_cast<Index>(common)];
    before_.assign(byLim_.begin() + beforeFirst_, byLim_.begin() + lim_[static_cast<Index>(common)] + 1);
    Number(common, low_[static_cast<Index>(common)]);
  }

  // Climbs from v to the first ancestor of w, adding value to the cut of each tree edge
  // passed that points the way given by forward, taking it from the others.
  int PathUpdate(int v, int w, long long value, bool forward) {
    while (!Below(w, v)) {
      const int e = parentEdge_[static_cast<Index>(v)];
      const bool along = (tail_[static_cast<Index>(e)] == v) == forward;
      cut_[static_cast<Index>(e)] += along ? value : -value;
      changed_.push_back(v);
      v = Other(e, v);
    }
    return v;
  }

  // The cut value of the tree edge above child: the edges from the tail's side of the cut
  // to the head's, less those back, taken from child's edges and its subtrees' values.
  [[nodiscard]] long long CutValue(int child) const {
    const int up = parentEdge_[static_cast<Index>(child)];
    const bool childIsTail = tail_[static_cast<Index>(up)] == child;
    long long value = 1;
    for (const int e : incident_[static_cast<Index>(child)]) {
      if (e == up) continue;
      const bool out = tail_[static_cast<Index>(e)] == child;
      const bool sameWay = out == childIsTail;
      value += sameWay ? 1 : -1;
      if (inTree_[static_cast<Index>(e)]) value += sameWay ? -cut_[static_cast<Index>(e)] : cut_[static_cast<Index>(e)];
    }
    return value;
  }

  // A tree edge of negative cut value, looked for from where the last search stopped.
  int LeavingEdge() {
    const Index m = tail_.size();
    for (Index k = 0; k < m; ++k) {
      const Index e = (searchFrom_ + k) % m;
      if (inTree_[e] && cut_[e] < 0) {
        searchFrom_ = e + 1;
        return static_cast<int>(e);
      }
    }
    return -1;
  }

  [[nodiscard]] bool Below(int v, int subtree) const {
    return low_[static_cast<Index>(subtree)] <= lim_[static_cast<Index>(v)] &&
           lim_[static_cast<Index>(v)] <= lim_[static_cast<Index>(subtree)];
  }

  // The edge of least slack (the first of them) from the head's side of the leaving
  // edge's cut to the tail's, looked for among the edges of the smaller side.
  [[nodiscard]] int EnteringEdge(int leaving) const {
    const int t = tail_[static_cast<Index>(leaving)];
    const int h = head_[static_cast<Index>(leaving)];
    // The end farther from the root bounds the subtree the cut separates.
    const bool flip = lim_[static_cast<Index>(t)] > lim_[static_cast<Index>(h)];
    const auto subtree = static_cast<Index>(flip ? h : t);
    const auto root = static_cast<Index>(root_[subtree]);
    const int inside = lim_[subtree] - low_[subtree] + 1;
    const bool fromInside = 2 * inside <= lim_[root] - low_[root] + 1;
    int best = -1;
    int bestSlack = INT32_MAX;
    const auto consider = [&](int number) {
      const int v = byLim_[static_cast<Index>(number)];
      for (const int e : incident_[static_cast<Index>(v)]) {
        // Tail outside and head inside the subtree, or the other way round when flipped.
        const bool atTail = tail_[static_cast<Index>(e)] == v;
        if (atTail != (flip == fromInside) || Below(Other(e, v), static_cast<int>(subtree)) == fromInside) continue;
        const int slack = Slack(e);
        if (slack < bestSlack || (slack == bestSlack && e < best)) {
          bestSlack = slack;
          best = e;
        }
      }
    };
    if (fromInside) {
      for (int number = low_[subtree]; number <= lim_[subtree]; ++number) consider(number);
    } else {
      for (int number = low_[root]; number < low_[subtree]; ++number) consider(number);
      for (int number = lim_[subtree] + 1; number <= lim_[root]; ++number) consider(number);
    }
    return best;
  }

  // Each tree's top at rank 0.
  void Normalise() {
    std::vector<int> top(n_, INT32_MAX);
    for (Index v = 0; v < n_; ++v)
      top[static_cast<Index>(root_[v])] = std::min(top[static_cast<Index>(root_[v])], rank_[v]);
    for (Index v = 0; v < n_; ++v) rank_[v] -= top[static_cast<Index>(root_[v])];
  }

  Index n_;
  std::vector<int> tail_, head_;
  TLists incident_;
  std::vector<int> rank_;
  std::vector<bool> inTree_;
  TLists treeAdjacent_;
  std::vector<int> parentEdge_, low_, lim_, root_;
  /// The node of each postorder number.
  std::vector<int> byLim_;
  /// The nodes of the subtree being numbered again, by their numbers before.
  std::vector<int> before_;
  int beforeFirst_ = 0;
  std::vector<long long> cut_;
  std::vector<std::pair<int, Index>> stack_;
  std::vector<int> below_;
  std::vector<int> changed_;
  Index searchFrom_ = 0;
};

}  // namespace

std::vector<int> RankLayers(int n, const std::vector<std::pair<int, int>>& upward) {
  return TNetworkSimplex(n, upward).Run();
}

}  // namespace korvane
