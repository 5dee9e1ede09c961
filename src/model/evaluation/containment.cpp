#include "model/evaluation/containment.h"

#include <limits>
#include <vector>

namespace korvane::evaluation {

namespace {

template <class F>
void ForEachChild(const TDialecticalArgument* d, F&& f) {
  for (const TStep* s : d->Steps) {
    if (s->WarrantingDialecticalArgument) f(s->WarrantingDialecticalArgument);
    for (const TUndercutter* u : s->Undercutters)
      if (u->WarrantingDialecticalArgument) f(u->WarrantingDialecticalArgument);
    for (const TDialecticalArgument* e : s->UndercuttingDialecticalArguments) f(e);
  }
  for (const TDialecticalArgument* r : d->InitialDialecticalArguments) f(r);
}

}  // namespace

// A tree can contain a node only if its own level is at least as high.
// Heights bound it too: d1 final in d2 matches each child of d1 with one of d2, so d1 is
// no higher than d2, and a tree holds nothing higher than itself.
int TContainment::LevelOf(const TDialecticalArgument* d) {
  TLevel& known = levels_[d];
  if (known.evaluation != evaluation_) {
    const int v = index_.VertexOfSentenceOf(d->Conclusion);
    known = {evaluation_, v < 0 ? -1 : graph_.Level(v)};
  }
  return known.level;
}

bool TContainment::Higher(const TDialecticalArgument* d1, const TDialecticalArgument* d2) const {
  const int h1 = trees_.Height(d1), h2 = trees_.Height(d2);
  return h1 > 0 && h2 > 0 && h1 > h2;
}

bool TContainment::IsFinal(const TDialecticalArgument* d1, const TDialecticalArgument* d2, int depth) {
  if (d1 == d2) return true;
  if (d1->Conclusion != d2->Conclusion) return false;
  if (depth > kMaxNesting) Refuse();
  if (Higher(d1, d2)) return false;
  const auto key = std::make_pair(static_cast<const void*>(d1), static_cast<const void*>(d2));
  const auto found = final_.find(key);
  if (found != final_.end()) return found->second;
  work_.Spend(1);
  bool result = true;
  for (std::size_t i = 0; result && i < d1->Steps.Count(); ++i) {
    const TStep* s1 = d1->Steps[i];
    bool matched = false;
    for (std::size_t j = 0; !matched && j < d2->Steps.Count(); ++j) matched = StepsMatch(s1, d2->Steps[j], depth);
    result = matched;
  }
  for (std::size_t i = 0; result && i < d1->InitialDialecticalArguments.Count(); ++i) {
    bool contained = false;
    for (std::size_t j = 0; !contained && j < d2->InitialDialecticalArguments.Count(); ++j)
      contained = IsContainedIn(d1->InitialDialecticalArguments[i], d2->InitialDialecticalArguments[j], depth + 1);
    result = contained;
  }
  final_.emplace(key, result);
  return result;
}

bool TContainment::StepsMatch(const TStep* s1, const TStep* s2, int depth) {
  if (s1->Conclusion != s2->Conclusion || s1->Reason != s2->Reason) return false;
  if (s1->WarrantingDialecticalArgument &&
      !(s2->WarrantingDialecticalArgument &&
        IsFinal(s1->WarrantingDialecticalArgument, s2->WarrantingDialecticalArgument, depth + 1)))
    return false;
  for (std::size_t k1 = 0; k1 < s1->Undercutters.Count(); ++k1) {
    const TUndercutter* u1 = s1->Undercutters[k1];
    bool matched = false;
    for (std::size_t k2 = 0; k2 < s2->Undercutters.Count() && !matched; ++k2) {
      const TUndercutter* u2 = s2->Undercutters[k2];
      matched =
          IsFinal(s1->UndercuttingDialecticalArguments[k1], s2->UndercuttingDialecticalArguments[k2], depth + 1) &&
          (!u1->WarrantingDialecticalArgument ||
           (u2->WarrantingDialecticalArgument &&
            IsFinal(u1->WarrantingDialecticalArgument, u2->WarrantingDialecticalArgument, depth + 1)));
    }
    if (!matched) return false;
  }
  return true;
}

// d1 is contained in d2 when some node of d2's tree has d1 as final; the tree is walked
// with a stack, skipping parts that cannot reach d1's statement.
bool TContainment::IsContainedIn(const TDialecticalArgument* d1, const TDialecticalArgument* d2, int depth) {
  if (d1 == d2) return true;
  const auto key = std::make_pair(static_cast<const void*>(d1), static_cast<const void*>(d2));
  const auto found = contained_.find(key);
  if (found != contained_.end()) return found->second;
  const int target = LevelOf(d1);
  if (Higher(d1, d2)) return false;
  const int height = trees_.Height(d1);
  bool result = false;
  TWalk& walk = WalkAt(depth);
  const int mark = ++walk.mark;
  std::vector<const TDialecticalArgument*>& stack = walk.stack;
  stack.assign(1, d2);
  walk.seen.MarkOnce(d2, mark);
  while (!stack.empty() && !result) {
    const TDialecticalArgument* n = stack.back();
    stack.pop_back();
    work_.Spend(1);
    const int here = LevelOf(n);
    if (target >= 0 && here >= 0 && here < target) continue;
    if (n == d1 || (n->Conclusion == d1->Conclusion && IsFinal(d1, n, depth + 1))) {
      result = true;
      break;
    }
    ForEachChild(n, [&](const TDialecticalArgument* c) {
      // Most often the tree looked for is right below a node on the way: no need to walk
      // the siblings first.
      result = result || c == d1;
      const int below = height > 0 ? trees_.Height(c) : 0;
      if (!(below > 0 && below < height) && walk.seen.MarkOnce(c, mark)) stack.push_back(c);
    });
  }
  contained_.emplace(key, result);
  return result;
}

TContainment::TWalk& TContainment::WalkAt(int depth) {
  const auto d = static_cast<std::size_t>(depth);
  if (walks_.size() <= d) walks_.resize(d + 1);
  TWalk& walk = walks_[d];
  // Marks are never reused: before they would run out, the set starts empty.
  if (walk.mark == std::numeric_limits<int>::max()) {
    walk.seen = TPointerMap<TDialecticalArgument>();
    walk.mark = 0;
  }
  return walk;
}

}  // namespace korvane::evaluation
