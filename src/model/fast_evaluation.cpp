#include "fast_evaluation.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "argumentation_stage.h"
#include "evaluation_limit.h"
#include "model_store.h"
#include "stage_graph.h"
#include "warrant_sentences.h"

namespace korvane {

namespace {

// Nesting allowed inside one cycle before the move is refused; the work budget is
// reached long before a cycle is this long, and this keeps the machine stack small.
constexpr int kMaxNesting = 4000;

using evaluation::Refuse;
using evaluation::TConnectionFacts;
using evaluation::TExceptionLink;
using evaluation::TGraph;
using evaluation::TParentLink;

inline std::size_t Mix(std::size_t h, std::size_t v) {
  return h ^ (v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2));
}
inline std::size_t PtrHash(const void* p) { return std::hash<const void*>()(p); }

// A set of used connections of one cycle, one bit per connection.
using TMask = std::vector<std::uint64_t>;

struct TMaskKey {
  const void* object;
  int vertex;
  TMask mask;
  bool operator==(const TMaskKey& o) const { return object == o.object && vertex == o.vertex && mask == o.mask; }
};
struct TMaskKeyHash {
  std::size_t operator()(const TMaskKey& k) const {
    std::size_t h = Mix(PtrHash(k.object), static_cast<std::size_t>(k.vertex));
    for (std::uint64_t w : k.mask) h = Mix(h, static_cast<std::size_t>(w));
    return h;
  }
};

struct TPairHash {
  std::size_t operator()(const std::pair<const void*, const void*>& p) const {
    return Mix(PtrHash(p.first), PtrHash(p.second));
  }
};

bool HasBit(const TMask& m, int bit) {
  const auto word = static_cast<std::size_t>(bit) / 64;
  return word < m.size() && ((m[word] >> (bit % 64)) & 1U);
}
TMask WithBit(const TMask& m, int bit, std::size_t words) {
  TMask r = m;
  r.resize(words, 0);
  r[static_cast<std::size_t>(bit) / 64] |= std::uint64_t{1} << (bit % 64);
  return r;
}


// One step as it is about to be built.
struct TStepPlan {
  TStatement* reason;
  std::int32_t kind;
  TDialecticalArgument* warrant;
  TDialecticalArgument* initial;
  int firstUndercutter;
  int undercutterCount;
};
struct TUndercutterPlan {
  TStatement* exception;
  TDialecticalArgument* warrant;
  TDialecticalArgument* undercutting;
};

std::uint8_t WarrantStatusOf(const TDialecticalArgument* w) {
  return (!w || w->Status == kJustified) ? kWarrantHolds : kWarrantFails;
}


}  // namespace

struct TEvaluationCache::TImpl : evaluation::TStageGraph {
  // ---- kept for the document
  TDialecticalStore nodes;
  std::vector<TDialecticalArgument*> lastDialectical;  // by sentence: the last built without used connections
  std::vector<TArgument*> lastArgument;                 // likewise for arguments
  std::unordered_multimap<std::size_t, TDialecticalArgument*> dialecticalByShape;
  std::unordered_multimap<std::size_t, TArgument*> argumentsByShape;

  TGraph* g = &dialecticalGraph;  // the graph of the evaluation under way
  std::vector<TDialecticalArgument*> topDialectical;  // vertex -> its statement's dialectical argument
  std::vector<TArgument*> topArgument;
  // Maximal selection of the last dialectical evaluation, by index in Statements.
  enum : char { kNothingAbove, kStructurallyBelow, kByContainment };
  std::vector<char> excluded, decision;
  std::vector<int> containmentDecided;  // indexes decided by containment tests
  // The last dialectical evaluation's results by index in Statements, and its two lists.
  std::vector<TDialecticalArgument*> statementTops;
  bool listsKnown = false;
  TDialecticalArguments lastDialecticalList, lastMaximalList;
  std::size_t partialEvaluations = 0;

  // ---- one evaluation
  TModelStore* store = nullptr;
  std::unordered_map<TMaskKey, TDialecticalArgument*, TMaskKeyHash> dialecticalMemo;
  std::unordered_map<TMaskKey, TArgument*, TMaskKeyHash> argumentMemo;
  std::vector<std::vector<TStepPlan>> stepScratch;
  std::vector<std::vector<TUndercutterPlan>> undercutterScratch;
  std::vector<std::vector<TArgument*>> childScratch;
  std::unordered_map<std::pair<const void*, const void*>, bool, TPairHash> finalMemo, containedMemo;
  std::vector<TDialecticalArgument*> maximalScratch;

  void Forget() {
    TStageGraph::Forget();
    listsKnown = false;
  }

  // A fresh budget and no memos.
  void Restart(const TArgumentationStage& stage, std::size_t base) {
    ResetWork(stage, base);
    dialecticalMemo.clear();
    argumentMemo.clear();
    finalMemo.clear();
    containedMemo.clear();
  }

  [[nodiscard]] bool Cyclic(int v) const {
    return g->componentCyclic[static_cast<std::size_t>(g->component[static_cast<std::size_t>(v)])] != 0;
  }
  [[nodiscard]] std::size_t MaskWords(int v) const {
    return (static_cast<std::size_t>(g->componentBits[static_cast<std::size_t>(g->component[static_cast<std::size_t>(v)])]) + 63) / 64;
  }

  // ---------------------------------------------------------------- dialectical arguments

  static bool SameDialectical(const TDialecticalArgument* d, TStatement* conclusion, std::uint8_t status,
                              const std::vector<TStepPlan>& steps, const std::vector<TUndercutterPlan>& undercutters) {
    if (d->Conclusion != conclusion || d->Status != status || d->Steps.Count() != static_cast<int>(steps.size()))
      return false;
    for (int i = 0; i < d->Steps.Count(); ++i) {
      const TStep* s = d->Steps[i];
      const TStepPlan& p = steps[static_cast<std::size_t>(i)];
      if (s->Conclusion != conclusion || s->Reason != p.reason || s->ConnectionKind != p.kind ||
          s->WarrantingDialecticalArgument != p.warrant || s->WarrantStatus != WarrantStatusOf(p.warrant) ||
          d->InitialDialecticalArguments[i] != p.initial || s->Undercutters.Count() != p.undercutterCount)
        return false;
      for (int k = 0; k < p.undercutterCount; ++k) {
        const TUndercutter* u = s->Undercutters[k];
        const TUndercutterPlan& q = undercutters[static_cast<std::size_t>(p.firstUndercutter + k)];
        if (u->Exception != q.exception || u->Conclusion != conclusion || u->Reason != p.reason ||
            u->WarrantingDialecticalArgument != q.warrant || u->WarrantStatus != WarrantStatusOf(q.warrant) ||
            s->UndercuttingDialecticalArguments[k] != q.undercutting)
          return false;
      }
    }
    return true;
  }

  static std::size_t ShapeHash(TStatement* conclusion, std::uint8_t status, const std::vector<TStepPlan>& steps,
                               const std::vector<TUndercutterPlan>& undercutters) {
    std::size_t h = Mix(PtrHash(conclusion), status);
    for (const TStepPlan& p : steps) {
      h = Mix(Mix(Mix(h, PtrHash(p.reason)), PtrHash(p.initial)), PtrHash(p.warrant));
      h = Mix(h, static_cast<std::size_t>(p.kind));
      for (int k = 0; k < p.undercutterCount; ++k) {
        const TUndercutterPlan& q = undercutters[static_cast<std::size_t>(p.firstUndercutter + k)];
        h = Mix(Mix(Mix(h, PtrHash(q.exception)), PtrHash(q.warrant)), PtrHash(q.undercutting));
      }
    }
    return h;
  }

  // Built once per statement object, vertex and used connections during one evaluation.
  template <class T, class Build>
  T* Memoised(std::unordered_map<TMaskKey, T*, TMaskKeyHash>& memo, Build build, TStatement* object, int v,
              const TMask& mask, int depth) {
    TMaskKey key{object, v, mask};
    const auto found = memo.find(key);
    if (found != memo.end()) return found->second;
    T* value = (this->*build)(object, v, mask, depth);
    memo.emplace(std::move(key), value);
    return value;
  }

  // Without used connections a statement's own value is the one built for its vertex
  // (cyclic or not); outside cycles the used connections do not matter.
  template <class T, class Build>
  T* ValueFor(const std::vector<T*>& tops, std::unordered_map<TMaskKey, T*, TMaskKeyHash>& memo, Build build,
              TStatement* object, int v, const TMask& mask, int depth) {
    if (mask.empty() || !Cyclic(v)) {
      T* top = tops[static_cast<std::size_t>(v)];
      if (top && top->Conclusion == object) return top;
      return Memoised(memo, build, object, v, TMask(), depth);
    }
    return Memoised(memo, build, object, v, mask, depth);
  }

  TDialecticalArgument* DialecticalFor(TStatement* object, int v, const TMask& mask, int depth) {
    return ValueFor(topDialectical, dialecticalMemo, &TImpl::BuildDialectical, object, v, mask, depth);
  }
  TDialecticalArgument* MemoDialectical(TStatement* object, int v, const TMask& mask, int depth) {
    return Memoised(dialecticalMemo, &TImpl::BuildDialectical, object, v, mask, depth);
  }

  TDialecticalArgument* BuildDialectical(TStatement* object, int v, const TMask& mask, int depth) {
    if (depth > kMaxNesting) Refuse();
    const auto sd = static_cast<std::size_t>(depth);
    if (stepScratch.size() <= sd) {
      stepScratch.resize(sd + 1);
      undercutterScratch.resize(sd + 1);
    }
    const bool cyclic = Cyclic(v);
    const std::size_t words = cyclic ? MaskWords(v) : 0;
    const auto sv = static_cast<std::size_t>(v);
    // Children first; in a cycle they may be built now, one level deeper.
    std::vector<TStepPlan> steps = std::move(stepScratch[sd]);
    std::vector<TUndercutterPlan> undercutters = std::move(undercutterScratch[sd]);
    steps.clear();
    undercutters.clear();
    for (const int j : concludingOf[sv]) {
      const auto sj = static_cast<std::size_t>(j);
      if (cyclic && HasBit(mask, g->connectionBit[sj])) continue;
      Spend(1);
      const TMask inner = cyclic ? WithBit(mask, g->connectionBit[sj], words) : TMask();
      auto child = [&](TStatement* o, int w) {
        const bool same = g->component[static_cast<std::size_t>(w)] == g->component[sv];
        return DialecticalFor(o, w, same ? inner : TMask(), depth + 1);
      };
      const TConnectionFacts& f = *facts[sj];
      TStepPlan p{f.reason, f.kind, nullptr, nullptr, static_cast<int>(undercutters.size()),
                  static_cast<int>(f.exceptions.size())};
      p.initial = child(f.reason, reasonVertex[sj]);
      if (warrantVertex[sj] >= 0) p.warrant = child(warrantStatement[sj], warrantVertex[sj]);
      for (int k = 0; k < p.undercutterCount; ++k) {
        const TExceptionLink& link = exceptionLinks[sj][static_cast<std::size_t>(k)];
        TUndercutterPlan q{f.exceptions[static_cast<std::size_t>(k)], nullptr, nullptr};
        if (link.warrantVertex >= 0) q.warrant = child(link.warrantStatement, link.warrantVertex);
        q.undercutting = child(q.exception, link.vertex);
        undercutters.push_back(q);
      }
      steps.push_back(p);
    }
    Spend(1);

    std::uint8_t status = kUnevaluated;
    if (object->StatementType == kAssumption) {
      status = kJustified;
    } else if (object->StatementType == kIssue) {
      status = kUnjustified;
      for (const TStepPlan& p : steps) {
        if (WarrantStatusOf(p.warrant) != kWarrantHolds || p.initial->Status != kJustified) continue;
        bool blocked = false;
        for (int k = 0; k < p.undercutterCount && !blocked; ++k) {
          const TUndercutterPlan& q = undercutters[static_cast<std::size_t>(p.firstUndercutter + k)];
          blocked = WarrantStatusOf(q.warrant) == kWarrantHolds && q.undercutting->Status == kJustified;
        }
        if (!blocked) {
          status = kJustified;
          break;
        }
      }
    }

    TDialecticalArgument* result = nullptr;
    const int sentence = vertexSentence[sv];
    const bool plain = mask.empty();
    if (plain && static_cast<std::size_t>(sentence) < lastDialectical.size()) {
      TDialecticalArgument* last = lastDialectical[static_cast<std::size_t>(sentence)];
      if (last && SameDialectical(last, object, status, steps, undercutters)) result = last;
    }
    std::size_t hash = 0;
    if (!result) {
      hash = ShapeHash(object, status, steps, undercutters);
      const auto range = dialecticalByShape.equal_range(hash);
      for (auto it = range.first; it != range.second && !result; ++it)
        if (SameDialectical(it->second, object, status, steps, undercutters)) result = it->second;
    }
    if (!result) {
      result = Materialise(object, status, steps, undercutters);
      dialecticalByShape.emplace(hash, result);
    }
    if (plain) {
      if (lastDialectical.size() <= static_cast<std::size_t>(sentence)) lastDialectical.resize(static_cast<std::size_t>(sentence) + 1, nullptr);
      lastDialectical[static_cast<std::size_t>(sentence)] = result;
    }
    stepScratch[sd] = std::move(steps);
    undercutterScratch[sd] = std::move(undercutters);
    return result;
  }

  TDialecticalArgument* Materialise(TStatement* conclusion, std::uint8_t status, const std::vector<TStepPlan>& steps,
                                    const std::vector<TUndercutterPlan>& undercutters) {
    TDialecticalArgument* d = nodes.NewDialecticalArgument(conclusion);
    d->Status = status;
    for (const TStepPlan& p : steps) {
      TStep* s = nodes.NewStep();
      s->Conclusion = conclusion;
      s->Reason = p.reason;
      s->ConnectionKind = p.kind;
      s->WarrantingDialecticalArgument = p.warrant;
      s->WarrantStatus = WarrantStatusOf(p.warrant);
      for (int k = 0; k < p.undercutterCount; ++k) {
        const TUndercutterPlan& q = undercutters[static_cast<std::size_t>(p.firstUndercutter + k)];
        TUndercutter* u = nodes.NewUndercutter();
        u->Exception = q.exception;
        u->Conclusion = conclusion;
        u->Reason = p.reason;
        u->WarrantingDialecticalArgument = q.warrant;
        u->WarrantStatus = WarrantStatusOf(q.warrant);
        s->Undercutters.Add(u);
        s->UndercuttingDialecticalArguments.Add(q.undercutting);
      }
      d->Steps.Add(s);
      d->InitialDialecticalArguments.Add(p.initial);
    }
    return d;
  }

  // Every vertex's dialectical argument, after the graph was built anew.
  void BuildAllDialectical() {
    topDialectical.assign(VertexCount(), nullptr);
    for (int v : componentOrder) {
      TStatement* s = vertexStatement[static_cast<std::size_t>(v)];
      topDialectical[static_cast<std::size_t>(v)] = Cyclic(v) ? MemoDialectical(s, v, TMask(), 0) : BuildDialectical(s, v, TMask(), 0);
    }
  }

  // ---------------------------------------------------------------- containment

  // A tree can contain a node only if its own level is higher, or equal within one component.
  [[nodiscard]] int LevelOfNode(const TDialecticalArgument* d) {
    const int v = FindVertex(SentenceOf(d->Conclusion));
    return v < 0 ? -1 : g->componentLevel[static_cast<std::size_t>(g->component[static_cast<std::size_t>(v)])];
  }

  template <class F>
  static void ForEachChild(const TDialecticalArgument* d, F&& f) {
    for (const TStep* s : d->Steps) {
      if (s->WarrantingDialecticalArgument) f(s->WarrantingDialecticalArgument);
      for (const TUndercutter* u : s->Undercutters)
        if (u->WarrantingDialecticalArgument) f(u->WarrantingDialecticalArgument);
      for (const TDialecticalArgument* e : s->UndercuttingDialecticalArguments) f(e);
    }
    for (const TDialecticalArgument* r : d->InitialDialecticalArguments) f(r);
  }

  bool IsFinal(const TDialecticalArgument* d1, const TDialecticalArgument* d2, int depth) {
    if (d1 == d2) return true;
    if (d1->Conclusion != d2->Conclusion) return false;
    if (depth > kMaxNesting) Refuse();
    const auto key = std::make_pair(static_cast<const void*>(d1), static_cast<const void*>(d2));
    const auto found = finalMemo.find(key);
    if (found != finalMemo.end()) return found->second;
    Spend(1);
    bool result = true;
    for (int i = 0; result && i < d1->Steps.Count(); ++i) {
      const TStep* s1 = d1->Steps[i];
      bool matched = false;
      for (int j = 0; !matched && j < d2->Steps.Count(); ++j) matched = StepsMatch(s1, d2->Steps[j], depth);
      result = matched;
    }
    for (int i = 0; result && i < d1->InitialDialecticalArguments.Count(); ++i) {
      bool contained = false;
      for (int j = 0; !contained && j < d2->InitialDialecticalArguments.Count(); ++j)
        contained = IsContainedIn(d1->InitialDialecticalArguments[i], d2->InitialDialecticalArguments[j], depth + 1);
      result = contained;
    }
    finalMemo.emplace(key, result);
    return result;
  }

  bool StepsMatch(const TStep* s1, const TStep* s2, int depth) {
    if (s1->Conclusion != s2->Conclusion || s1->Reason != s2->Reason) return false;
    if (s1->WarrantingDialecticalArgument &&
        !(s2->WarrantingDialecticalArgument &&
          IsFinal(s1->WarrantingDialecticalArgument, s2->WarrantingDialecticalArgument, depth + 1)))
      return false;
    for (int k1 = 0; k1 < s1->Undercutters.Count(); ++k1) {
      const TUndercutter* u1 = s1->Undercutters[k1];
      bool matched = false;
      for (int k2 = 0; k2 < s2->Undercutters.Count() && !matched; ++k2) {
        const TUndercutter* u2 = s2->Undercutters[k2];
        matched = IsFinal(s1->UndercuttingDialecticalArguments[k1], s2->UndercuttingDialecticalArguments[k2], depth + 1) &&
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
  bool IsContainedIn(const TDialecticalArgument* d1, const TDialecticalArgument* d2, int depth) {
    if (d1 == d2) return true;
    const auto key = std::make_pair(static_cast<const void*>(d1), static_cast<const void*>(d2));
    const auto found = containedMemo.find(key);
    if (found != containedMemo.end()) return found->second;
    const int target = LevelOfNode(d1);
    bool result = false;
    std::unordered_set<const TDialecticalArgument*> seen;
    std::vector<const TDialecticalArgument*> stack{d2};
    seen.insert(d2);
    while (!stack.empty() && !result) {
      const TDialecticalArgument* n = stack.back();
      stack.pop_back();
      Spend(1);
      const int here = LevelOfNode(n);
      if (target >= 0 && here >= 0 && here < target) continue;
      if (n == d1 || (n->Conclusion == d1->Conclusion && IsFinal(d1, n, depth + 1))) {
        result = true;
        break;
      }
      ForEachChild(n, [&](const TDialecticalArgument* c) {
        if (seen.insert(c).second) stack.push_back(c);
      });
    }
    containedMemo.emplace(key, result);
    return result;
  }

  bool IsProperlyContainedIn(const TDialecticalArgument* d1, const TDialecticalArgument* d2) {
    return IsContainedIn(d1, d2, 0) && !IsContainedIn(d2, d1, 0);
  }

  // Whether statement i's dialectical argument is properly contained in another statement's,
  // and how that was found. Proper containment is a strict order (containment is reflexive
  // and transitive), so "properly contained in none" is what the plain rule keeps.
  void Decide(int i, const std::vector<TDialecticalArgument*>& tops) {
    const auto si = static_cast<std::size_t>(i);
    const int v = statementVertex[si];
    const auto sv = static_cast<std::size_t>(v);
    const bool first = vertexFirstIndex[sv] == i;
    // Its own dialectical argument appears right inside one of another component, which
    // therefore cannot be contained in it.
    if (first) {
      for (const TParentLink& p : parentsOf[sv]) {
        if (vertexFirstIndex[static_cast<std::size_t>(p.vertex)] >= 0 && p.object == vertexStatement[sv] &&
            g->component[static_cast<std::size_t>(p.vertex)] != g->component[sv]) {
          excluded[si] = 1;
          decision[si] = kStructurallyBelow;
          return;
        }
      }
    }
    excluded[si] = 0;
    // Nothing reaches it and no other statement shares its sentence: nothing contains it.
    if (parentsOf[sv].empty() && first && nextSameVertex[si] < 0) {
      decision[si] = kNothingAbove;
      return;
    }
    // The rest: try the statements that reach it, nearest first.
    decision[si] = kByContainment;
    const int stamp = ++visitStamp;
    std::vector<int>& queue = scratchQueue;
    queue.assign(1, v);
    visitMark[sv] = stamp;
    for (std::size_t head = 0; head < queue.size(); ++head) {
      const int u = queue[head];
      Spend(1);
      bool contained = false;
      ForEachStatementOf(u, [&](int j) {
        contained = contained || (j != i && IsProperlyContainedIn(tops[si], tops[static_cast<std::size_t>(j)]));
      });
      if (contained) {
        excluded[si] = 1;
        return;
      }
      for (const TParentLink& p : parentsOf[static_cast<std::size_t>(u)]) {
        if (visitMark[static_cast<std::size_t>(p.vertex)] == stamp) continue;
        visitMark[static_cast<std::size_t>(p.vertex)] = stamp;
        queue.push_back(p.vertex);
      }
    }
  }

  // ---------------------------------------------------------------- arguments

  TArgument* ArgumentFor(TStatement* object, int v, const TMask& mask, int depth) {
    return ValueFor(topArgument, argumentMemo, &TImpl::BuildArgument, object, v, mask, depth);
  }
  TArgument* MemoArgument(TStatement* object, int v, const TMask& mask, int depth) {
    return Memoised(argumentMemo, &TImpl::BuildArgument, object, v, mask, depth);
  }

  TArgument* BuildArgument(TStatement* object, int v, const TMask& mask, int depth) {
    if (depth > kMaxNesting) Refuse();
    const auto sd = static_cast<std::size_t>(depth);
    if (childScratch.size() <= sd) childScratch.resize(sd + 1);
    const bool cyclic = Cyclic(v);
    const std::size_t words = cyclic ? MaskWords(v) : 0;
    const auto sv = static_cast<std::size_t>(v);
    std::vector<TArgument*> children = std::move(childScratch[sd]);
    children.clear();
    for (const int j : concludingOf[sv]) {
      const auto sj = static_cast<std::size_t>(j);
      if (cyclic && HasBit(mask, g->connectionBit[sj])) continue;
      Spend(1);
      const int w = reasonVertex[sj];
      const bool same = g->component[static_cast<std::size_t>(w)] == g->component[sv];
      children.push_back(ArgumentFor(facts[sj]->reason, w, same ? WithBit(mask, g->connectionBit[sj], words) : TMask(),
                                     depth + 1));
    }
    Spend(1);
    auto sameAs = [&](const TArgument* a) {
      if (a->Conclusion != object || a->InitialArguments.Count() != static_cast<int>(children.size())) return false;
      for (int k = 0; k < a->InitialArguments.Count(); ++k)
        if (a->InitialArguments[k] != children[static_cast<std::size_t>(k)]) return false;
      return true;
    };
    TArgument* result = nullptr;
    const int sentence = vertexSentence[sv];
    const bool plain = mask.empty();
    if (plain && static_cast<std::size_t>(sentence) < lastArgument.size()) {
      TArgument* last = lastArgument[static_cast<std::size_t>(sentence)];
      if (last && sameAs(last)) result = last;
    }
    std::size_t hash = 0;
    if (!result) {
      hash = PtrHash(object);
      for (TArgument* a : children) hash = Mix(hash, PtrHash(a));
      const auto range = argumentsByShape.equal_range(hash);
      for (auto it = range.first; it != range.second && !result; ++it)
        if (sameAs(it->second)) result = it->second;
    }
    if (!result) {
      result = store->NewArgument(object);
      for (TArgument* a : children) result->InitialArguments.Add(a);
      argumentsByShape.emplace(hash, result);
    }
    if (plain) {
      if (lastArgument.size() <= static_cast<std::size_t>(sentence)) lastArgument.resize(static_cast<std::size_t>(sentence) + 1, nullptr);
      lastArgument[static_cast<std::size_t>(sentence)] = result;
    }
    childScratch[sd] = std::move(children);
    return result;
  }
};

namespace {

// Fills list with items, sharing the buffer of previous where items extend it.
template <class T>
void FillSharing(TList<T>& list, const std::vector<T*>& items, const TList<T>* previous) {
  bool prefix = previous && previous->Count() <= static_cast<int>(items.size());
  for (int i = 0; prefix && i < previous->Count(); ++i) prefix = (*previous)[i] == items[static_cast<std::size_t>(i)];
  if (prefix) {
    list.Assign(*previous);
    for (std::size_t i = static_cast<std::size_t>(previous->Count()); i < items.size(); ++i) list.Add(items[i]);
    return;
  }
  list.Clear();
  list.Reserve(static_cast<int>(items.size()));
  for (T* item : items) list.Add(item);
}

}  // namespace

TEvaluationCache::TEvaluationCache() : impl_(std::make_unique<TImpl>()) {}
TEvaluationCache::~TEvaluationCache() = default;

std::size_t TEvaluationCache::DialecticalArgumentCount() const { return impl_->nodes.DialecticalArgumentCount(); }
std::size_t TEvaluationCache::PartialEvaluationCount() const { return impl_->partialEvaluations; }

void TEvaluationCache::RecomputeDialecticalArguments(TArgumentationStage& stage, const TArgumentationStage* previous,
                                                     std::size_t budget) {
  TImpl& m = *impl_;
  try {
    m.store = &stage.Store();
    m.Restart(stage, budget);
    m.TakeIn(stage);
    m.g = &m.dialecticalGraph;
    TGraph& graph = m.dialecticalGraph;
    // A move only changes the dialectical arguments of what reaches what it touched.
    const bool incremental = graph.valid && !m.irregular && m.UpdateGraph(graph);
    if (incremental) {
      ++m.partialEvaluations;
      m.topDialectical.resize(m.VertexCount(), nullptr);
      for (const int v : m.affected)
        m.topDialectical[static_cast<std::size_t>(v)] = m.BuildDialectical(m.vertexStatement[static_cast<std::size_t>(v)], v, TMask(), 0);
    } else {
      m.BuildGraph(graph);
      m.BuildAllDialectical();
    }

    const int count = stage.Statements.Count();
    std::vector<TDialecticalArgument*>& tops = m.statementTops;
    const std::size_t before = incremental && m.listsKnown ? tops.size() : 0;
    // Whether the results at the positions the last evaluation had are all unchanged.
    bool prefixKept = incremental && m.listsKnown && before <= static_cast<std::size_t>(count) &&
                      m.lastDialecticalList.Count() == static_cast<int>(before);
    auto topOf = [&](int i) {
      // A second statement with the same sentence gets a dialectical argument of its own.
      return m.DialecticalFor((*m.knownStatements)[static_cast<std::size_t>(i)], m.statementVertex[static_cast<std::size_t>(i)],
                              TMask(), 0);
    };
    tops.resize(static_cast<std::size_t>(count), nullptr);
    if (incremental && m.listsKnown) {
      // New statements have new vertices, so they are among the rebuilt ones.
      for (const int v : m.affected) {
        m.ForEachStatementOf(v, [&](int i) {
          TDialecticalArgument* top = topOf(i);
          if (static_cast<std::size_t>(i) < before && tops[static_cast<std::size_t>(i)] != top) prefixKept = false;
          tops[static_cast<std::size_t>(i)] = top;
        });
      }
    } else {
      for (int i = 0; i < count; ++i) tops[static_cast<std::size_t>(i)] = topOf(i);
    }

    // Whether one is properly contained in another changes only for what was rebuilt, what
    // gained a parent, and what earlier needed containment tests; the rest keeps its answer.
    m.excluded.resize(static_cast<std::size_t>(count), 0);
    m.decision.resize(static_cast<std::size_t>(count), TImpl::kNothingAbove);
    std::vector<int>& recheck = m.scratchA;
    std::vector<int>& keep = m.scratchB;
    recheck.clear();
    keep.clear();
    if (incremental) {
      std::vector<char>& queued = m.scratchFlags;
      queued.assign(static_cast<std::size_t>(count), 0);
      auto statementsOf = [&](int v) {
        m.ForEachStatementOf(v, [&](int i) {
          if (queued[static_cast<std::size_t>(i)]) return;
          queued[static_cast<std::size_t>(i)] = 1;
          recheck.push_back(i);
        });
      };
      for (const int v : m.affected) statementsOf(v);
      for (const int v : m.touched) m.ForEachChildVertex(v, true, statementsOf);
      // Those found by containment tests keep their answer unless a rebuilt one reaches them.
      for (const int i : m.containmentDecided) {
        const int v = m.statementVertex[static_cast<std::size_t>(i)];
        if (m.ReachedFromAffected(v)) statementsOf(v);
        else keep.push_back(i);
      }
    } else {
      for (int i = 0; i < count; ++i) recheck.push_back(i);
    }
    bool maximalKept = prefixKept;
    for (const int i : recheck) {
      const char was = m.excluded[static_cast<std::size_t>(i)];
      m.Decide(i, tops);
      if (static_cast<std::size_t>(i) < before && was != m.excluded[static_cast<std::size_t>(i)]) maximalKept = false;
    }
    m.containmentDecided.swap(keep);
    for (const int i : recheck)
      if (m.decision[static_cast<std::size_t>(i)] == TImpl::kByContainment) m.containmentDecided.push_back(i);

    // Nothing is changed before this point, so a refusal leaves the stage as it was.
    if (prefixKept) {
      // Only statements were added: the lists of the last evaluation, extended.
      stage.DialecticalArguments.Assign(m.lastDialecticalList);
      for (std::size_t i = before; i < tops.size(); ++i) stage.DialecticalArguments.Add(tops[i]);
    } else {
      FillSharing(stage.DialecticalArguments, tops, previous ? &previous->DialecticalArguments : nullptr);
    }
    if (maximalKept) {
      stage.MaximalDialecticalArguments.Assign(m.lastMaximalList);
      for (std::size_t i = before; i < tops.size(); ++i)
        if (!m.excluded[i]) stage.MaximalDialecticalArguments.Add(tops[i]);
    } else {
      std::vector<TDialecticalArgument*>& maximal = m.maximalScratch;
      maximal.clear();
      for (std::size_t i = 0; i < tops.size(); ++i)
        if (!m.excluded[i]) maximal.push_back(tops[i]);
      FillSharing(stage.MaximalDialecticalArguments, maximal, previous ? &previous->MaximalDialecticalArguments : nullptr);
    }
    m.lastDialecticalList.Assign(stage.DialecticalArguments);
    m.lastMaximalList.Assign(stage.MaximalDialecticalArguments);
    m.listsKnown = true;
    auto setStatus = [&](int i) {
      const std::uint8_t status = tops[static_cast<std::size_t>(i)]->Status;
      if (status == kJustified || status == kUnjustified) stage.Statements[i]->Status = status;
    };
    // Statuses live on the shared objects; only rebuilt ones can differ from what they hold.
    if (incremental) {
      for (const int v : m.affected) m.ForEachStatementOf(v, setStatus);
    } else {
      for (int i = 0; i < count; ++i) setStatus(i);
    }
  } catch (...) {
    m.Forget();
    throw;
  }
}

void TEvaluationCache::RecomputeArguments(TArgumentationStage& stage, const TArgumentationStage* previous,
                                          std::size_t budget) {
  TImpl& m = *impl_;
  try {
    m.store = &stage.Store();
    m.Restart(stage, budget);
    m.TakeIn(stage);
    m.g = &m.argumentGraph;
    TGraph& graph = m.argumentGraph;
    const bool incremental = graph.valid && !m.irregular && m.UpdateGraph(graph);
    if (incremental) {
      m.topArgument.resize(m.VertexCount(), nullptr);
      for (const int v : m.affected)
        m.topArgument[static_cast<std::size_t>(v)] = m.BuildArgument(m.vertexStatement[static_cast<std::size_t>(v)], v, TMask(), 0);
    } else {
      m.BuildGraph(graph);
      m.topArgument.assign(m.VertexCount(), nullptr);
      for (int v : m.componentOrder) {
        TStatement* s = m.vertexStatement[static_cast<std::size_t>(v)];
        m.topArgument[static_cast<std::size_t>(v)] = m.Cyclic(v) ? m.MemoArgument(s, v, TMask(), 0) : m.BuildArgument(s, v, TMask(), 0);
      }
    }

    // First the arguments of the final conclusions (statements no connection has as its
    // reason), then those of statements none of them reaches.
    const std::size_t n = m.VertexCount();
    std::vector<TArgument*> roots;
    const int count = stage.Statements.Count();
    auto argumentOf = [&](int i) {
      return m.ArgumentFor((*m.knownStatements)[static_cast<std::size_t>(i)], m.statementVertex[static_cast<std::size_t>(i)], TMask(), 0);
    };
    if (!m.irregular && (graph.cyclicComponents == 0 || !m.HasClosedCycle(graph))) {
      // Every statement lies below some final conclusion: following connections upwards
      // from one ends at a final conclusion unless it ends in a cycle entered from nowhere.
      for (int i = 0; i < count; ++i)
        if (m.reasonUses[static_cast<std::size_t>(m.statementVertex[static_cast<std::size_t>(i)])] == 0) roots.push_back(argumentOf(i));
    } else {
      std::vector<char> occurs(n, 0);
      std::vector<int> queue;
      auto markReachable = [&](int from) {
        if (occurs[static_cast<std::size_t>(from)]) return;
        queue.assign(1, from);
        occurs[static_cast<std::size_t>(from)] = 1;
        for (std::size_t head = 0; head < queue.size(); ++head) {
          m.ForEachChildVertex(queue[head], false, [&](int w) {
            if (occurs[static_cast<std::size_t>(w)]) return;
            occurs[static_cast<std::size_t>(w)] = 1;
            queue.push_back(w);
          });
        }
      };
      for (int i = 0; i < count; ++i) {
        const int v = m.statementVertex[static_cast<std::size_t>(i)];
        if (m.reasonUses[static_cast<std::size_t>(v)] > 0) continue;
        roots.push_back(argumentOf(i));
        markReachable(v);
      }
      for (int i = 0; i < count; ++i) {
        const int v = m.statementVertex[static_cast<std::size_t>(i)];
        if (occurs[static_cast<std::size_t>(v)]) continue;
        roots.push_back(argumentOf(i));
        markReachable(v);
      }
    }
    FillSharing(stage.Arguments, roots, previous ? &previous->Arguments : nullptr);
  } catch (...) {
    m.Forget();
    throw;
  }
}

}  // namespace korvane

namespace korvane {

TEvaluationCache& TModelStore::EvaluationCache() {
  if (!evaluation_cache_) evaluation_cache_ = std::make_shared<TEvaluationCache>();
  return *evaluation_cache_;
}

}  // namespace korvane
