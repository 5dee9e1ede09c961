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
#include "warrant_sentences.h"

namespace korvane {

namespace {

// Nesting allowed inside one cycle before the move is refused; the work budget is
// reached long before a cycle is this long, and this keeps the machine stack small.
constexpr int kMaxNesting = 4000;

constexpr const char* kLimitMessage =
    "This move would make the evaluation too large to compute (its connections form too many cycles). "
    "The move was not made.";

[[noreturn]] void Refuse() { throw TEvaluationLimitError(kLimitMessage); }

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

// The facts about a connection that every evaluation needs, kept while it is unchanged.
struct TConnectionFacts {
  TStatement* reason = nullptr;
  TStatement* conclusion = nullptr;
  std::int32_t kind = kSupporting;
  int reasonSentence = -1;
  int conclusionSentence = -1;
  int warrantSentence = -1;
  std::vector<TStatement*> exceptions;
  std::vector<int> exceptionSentences;
  std::vector<int> undercutterWarrantSentences;
};

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

struct TEvaluationCache::TImpl {
  // ---- kept for the document
  std::unordered_map<std::string, int> sentenceNumbers;
  // Checked on every look (short texts by their bytes, long ones by their storage), so an
  // address used again by another object is not mistaken for the old one.
  struct TKnownSentence {
    int number;
    const char* data;
    std::size_t size;
    std::string shortText;
    const TStatement* owner;
  };
  std::unordered_map<const TStatement*, TKnownSentence> statementSentence;
  std::unordered_map<const TReasonConclusion*, TConnectionFacts> connectionFacts;
  // By position in the stage's lists: the entries found there last time. The stages of a
  // line share their lists' prefixes, so these are nearly always right, and checking one
  // is cheaper than a look in the tables above.
  struct TConnectionSlot {
    const TReasonConclusion* connection = nullptr;
    TConnectionFacts* facts = nullptr;
    TKnownSentence* reason = nullptr;
    TKnownSentence* conclusion = nullptr;
  };
  std::vector<TKnownSentence*> statementSlots;
  std::vector<TConnectionSlot> connectionSlots;
  TDialecticalStore nodes;
  std::vector<TDialecticalArgument*> lastDialectical;  // by sentence: the last built without used connections
  std::vector<TArgument*> lastArgument;                 // likewise for arguments
  std::unordered_multimap<std::size_t, TDialecticalArgument*> dialecticalByShape;
  std::unordered_multimap<std::size_t, TArgument*> argumentsByShape;

  // ---- one evaluation
  std::size_t budget = 0;
  std::size_t work = 0;
  const TArgumentationStage* preparedStage = nullptr;  // the stage the last Prepare was for
  TModelStore* store = nullptr;
  std::vector<int> localOfSentence;        // sentence number -> vertex, -1 when not in this stage
  std::vector<int> vertexSentence;         // vertex -> sentence number
  std::vector<TStatement*> vertexStatement;  // vertex -> first statement of the stage with it, or another object
  std::vector<int> vertexFirstIndex;       // vertex -> index in Statements, or -1
  std::vector<int> concludingBegin;        // vertex -> range in concluding
  std::vector<int> concluding;             // connection numbers, in list order, grouped by conclusion
  std::vector<const TConnectionFacts*> facts;  // connection number -> facts
  std::vector<int> reasonVertex, warrantVertex;  // connection number -> vertex (-1: no such statement)
  std::vector<int> conclusionVertex;
  std::vector<int> statementVertex;        // index in Statements -> vertex
  std::vector<TStatement*> warrantStatement;
  std::vector<int> exceptionBegin;         // connection number -> range in the exception arrays
  std::vector<int> exceptionVertex, undercutterWarrantVertex;
  std::vector<TStatement*> undercutterWarrantStatement;
  // A graph over the vertices and its strong components (in the order found: children first).
  std::vector<int> edgeBegin, edges, component, componentOrder;
  std::vector<char> componentCyclic;
  std::vector<int> componentBits;   // number of connections concluding inside the component
  std::vector<int> connectionBit;   // connection number -> bit within its conclusion's component
  std::vector<TDialecticalArgument*> topDialectical;
  std::vector<TArgument*> topArgument;
  std::unordered_map<TMaskKey, TDialecticalArgument*, TMaskKeyHash> dialecticalMemo;
  std::unordered_map<TMaskKey, TArgument*, TMaskKeyHash> argumentMemo;
  std::vector<std::vector<TStepPlan>> stepScratch;
  std::vector<std::vector<TUndercutterPlan>> undercutterScratch;
  std::vector<std::vector<TArgument*>> childScratch;
  std::unordered_map<std::pair<const void*, const void*>, bool, TPairHash> finalMemo, containedMemo;
  std::vector<int> scratchA, scratchB, scratchC, scratchD, scratchE, scratchF, scratchG, scratchH, scratchI;
  std::vector<char> scratchFlags, excludedScratch;
  std::vector<std::pair<int, int>> scratchFrames;
  std::vector<TDialecticalArgument*> topsScratch, maximalScratch;

  void Spend(std::size_t units) {
    work += units;
    if (work > budget) Refuse();
  }

  int SentenceNumber(const std::string& sentence) {
    const auto [it, added] = sentenceNumbers.emplace(sentence, static_cast<int>(sentenceNumbers.size()));
    (void)added;
    return it->second;
  }
  static constexpr std::size_t kShort = 15;
  static bool StillValid(const TKnownSentence& k, const std::string& text) {
    return k.size == text.size() && (k.size <= kShort ? k.shortText == text : k.data == text.data());
  }
  TKnownSentence& KnownOf(const TStatement* s) {
    const std::string& text = s->Sentence;
    const auto [it, added] = statementSentence.try_emplace(s);
    TKnownSentence& k = it->second;
    if (added || !StillValid(k, text))
      k = {SentenceNumber(text), text.data(), text.size(), text.size() <= kShort ? text : std::string(), s};
    return k;
  }
  int SentenceOf(const TStatement* s) { return KnownOf(s).number; }
  // The same, trying first the entry found for this place last time.
  int SentenceVia(const TStatement* s, TKnownSentence*& hint) {
    if (!hint || hint->owner != s || !StillValid(*hint, s->Sentence)) hint = &KnownOf(s);
    return hint->number;
  }

  const TConnectionFacts& FactsOf(const TReasonConclusion* c, TConnectionSlot& slot) {
    if (slot.connection != c) slot = {c, &connectionFacts[c], nullptr, nullptr};
    TConnectionFacts& f = *slot.facts;
    const int rs = SentenceVia(c->Reason, slot.reason);
    const int cs = SentenceVia(c->Conclusion, slot.conclusion);
    const bool renewed = f.reason != c->Reason || f.conclusion != c->Conclusion || f.kind != c->ConnectionKind ||
                         f.reasonSentence != rs || f.conclusionSentence != cs;
    if (renewed) {
      f = TConnectionFacts();
      f.reason = c->Reason;
      f.conclusion = c->Conclusion;
      f.kind = c->ConnectionKind;
      f.reasonSentence = rs;
      f.conclusionSentence = cs;
      f.warrantSentence = SentenceNumber(StepWarrantSentence(c->Reason->Sentence, c->Conclusion->Sentence, c->ConnectionKind));
    }
    const int count = c->Exceptions.Count();
    bool same = static_cast<int>(f.exceptions.size()) <= count;
    for (std::size_t k = 0; same && k < f.exceptions.size(); ++k)
      same = f.exceptions[k] == c->Exceptions[static_cast<int>(k)] && f.exceptionSentences[k] == SentenceOf(f.exceptions[k]);
    if (!same) {
      f.exceptions.clear();
      f.exceptionSentences.clear();
      f.undercutterWarrantSentences.clear();
    }
    for (int k = static_cast<int>(f.exceptions.size()); k < count; ++k) {
      TStatement* e = c->Exceptions[k];
      f.exceptions.push_back(e);
      f.exceptionSentences.push_back(SentenceOf(e));
      f.undercutterWarrantSentences.push_back(
          SentenceNumber(UndercutterWarrantSentence(e->Sentence, c->Reason->Sentence, c->Conclusion->Sentence)));
    }
    return f;
  }

  int VertexOf(int sentence, TStatement* object) {
    if (static_cast<std::size_t>(sentence) >= localOfSentence.size()) localOfSentence.resize(sentence + 1, -1);
    int& local = localOfSentence[static_cast<std::size_t>(sentence)];
    if (local < 0) {
      local = static_cast<int>(vertexSentence.size());
      vertexSentence.push_back(sentence);
      vertexStatement.push_back(object);
      vertexFirstIndex.push_back(-1);
    }
    return local;
  }
  [[nodiscard]] int FindVertex(int sentence) const {
    return static_cast<std::size_t>(sentence) < localOfSentence.size() ? localOfSentence[static_cast<std::size_t>(sentence)] : -1;
  }

  // A fresh budget and no memos, keeping the numbering and grouping of the last Prepare.
  void Restart(const TArgumentationStage& stage, std::size_t base) {
    work = 0;
    // Work in proportion to the stage is always allowed; the budget bounds what cycles add.
    budget = base + 8 * (static_cast<std::size_t>(stage.Statements.Count()) +
                         static_cast<std::size_t>(stage.ReasonConclusions.Count()));
    dialecticalMemo.clear();
    argumentMemo.clear();
    finalMemo.clear();
    containedMemo.clear();
  }

  // Numbers the stage's sentences and groups its connections by conclusion.
  void Prepare(const TArgumentationStage& stage, std::size_t base) {
    Restart(stage, base);
    preparedStage = &stage;
    for (int sentence : vertexSentence) localOfSentence[static_cast<std::size_t>(sentence)] = -1;
    vertexSentence.clear();
    vertexStatement.clear();
    vertexFirstIndex.clear();

    int index = 0;
    statementVertex.clear();
    if (statementSlots.size() < static_cast<std::size_t>(stage.Statements.Count()))
      statementSlots.resize(static_cast<std::size_t>(stage.Statements.Count()), nullptr);
    for (TStatement* s : stage.Statements) {
      const int v = VertexOf(SentenceVia(s, statementSlots[static_cast<std::size_t>(index)]), s);
      statementVertex.push_back(v);
      if (vertexFirstIndex[static_cast<std::size_t>(v)] < 0) {
        vertexFirstIndex[static_cast<std::size_t>(v)] = index;
        vertexStatement[static_cast<std::size_t>(v)] = s;
      }
      ++index;
    }
    const int statementVertices = static_cast<int>(vertexSentence.size());
    // Warrants count only when a statement of the stage carries them.
    auto statementVertexOf = [&](int sentence) {
      const int v = FindVertex(sentence);
      return v >= 0 && v < statementVertices ? v : -1;
    };

    const int m = stage.ReasonConclusions.Count();
    facts.assign(static_cast<std::size_t>(m), nullptr);
    reasonVertex.assign(static_cast<std::size_t>(m), -1);
    warrantVertex.assign(static_cast<std::size_t>(m), -1);
    warrantStatement.assign(static_cast<std::size_t>(m), nullptr);
    exceptionBegin.assign(static_cast<std::size_t>(m) + 1, 0);
    exceptionVertex.clear();
    undercutterWarrantVertex.clear();
    undercutterWarrantStatement.clear();
    conclusionVertex.assign(static_cast<std::size_t>(m), 0);
    if (connectionSlots.size() < static_cast<std::size_t>(m)) connectionSlots.resize(static_cast<std::size_t>(m));
    for (int j = 0; j < m; ++j) {
      const TConnectionFacts& f = FactsOf(stage.ReasonConclusions[j], connectionSlots[static_cast<std::size_t>(j)]);
      facts[static_cast<std::size_t>(j)] = &f;
      warrantVertex[static_cast<std::size_t>(j)] = statementVertexOf(f.warrantSentence);
      if (warrantVertex[static_cast<std::size_t>(j)] >= 0)
        warrantStatement[static_cast<std::size_t>(j)] = vertexStatement[static_cast<std::size_t>(warrantVertex[static_cast<std::size_t>(j)])];
      exceptionBegin[static_cast<std::size_t>(j)] = static_cast<int>(exceptionVertex.size());
      for (std::size_t k = 0; k < f.exceptions.size(); ++k) {
        const int uw = statementVertexOf(f.undercutterWarrantSentences[k]);
        undercutterWarrantVertex.push_back(uw);
        undercutterWarrantStatement.push_back(uw >= 0 ? vertexStatement[static_cast<std::size_t>(uw)] : nullptr);
        exceptionVertex.push_back(-1);
      }
    }
    exceptionBegin[static_cast<std::size_t>(m)] = static_cast<int>(exceptionVertex.size());
    // Ends of connections that are not statements of the stage still get vertices.
    for (int j = 0; j < m; ++j) {
      const TConnectionFacts& f = *facts[static_cast<std::size_t>(j)];
      conclusionVertex[static_cast<std::size_t>(j)] = VertexOf(f.conclusionSentence, f.conclusion);
      reasonVertex[static_cast<std::size_t>(j)] = VertexOf(f.reasonSentence, f.reason);
      for (std::size_t k = 0; k < f.exceptions.size(); ++k)
        exceptionVertex[static_cast<std::size_t>(exceptionBegin[static_cast<std::size_t>(j)]) + k] =
            VertexOf(f.exceptionSentences[k], f.exceptions[k]);
    }
    const std::size_t n = vertexSentence.size();
    concludingBegin.assign(n + 1, 0);
    for (int j = 0; j < m; ++j) ++concludingBegin[static_cast<std::size_t>(conclusionVertex[static_cast<std::size_t>(j)]) + 1];
    for (std::size_t v = 0; v < n; ++v) concludingBegin[v + 1] += concludingBegin[v];
    concluding.assign(static_cast<std::size_t>(m), 0);
    std::vector<int>& fill = scratchI;
    fill.assign(concludingBegin.begin(), concludingBegin.end() - 1);
    for (int j = 0; j < m; ++j) concluding[static_cast<std::size_t>(fill[static_cast<std::size_t>(conclusionVertex[static_cast<std::size_t>(j)])]++)] = j;
  }

  // The edges of the dialectical graph (reasons, warrants, exceptions, undercutter
  // warrants) or of the argument graph (reasons only).
  void BuildGraph(bool dialectical) {
    const std::size_t n = vertexSentence.size();
    edgeBegin.assign(n + 1, 0);
    edges.clear();
    for (std::size_t v = 0; v < n; ++v) {
      edgeBegin[v] = static_cast<int>(edges.size());
      for (int c = concludingBegin[v]; c < concludingBegin[v + 1]; ++c) {
        const int j = concluding[static_cast<std::size_t>(c)];
        edges.push_back(reasonVertex[static_cast<std::size_t>(j)]);
        if (!dialectical) continue;
        if (warrantVertex[static_cast<std::size_t>(j)] >= 0) edges.push_back(warrantVertex[static_cast<std::size_t>(j)]);
        for (int k = exceptionBegin[static_cast<std::size_t>(j)]; k < exceptionBegin[static_cast<std::size_t>(j) + 1]; ++k) {
          edges.push_back(exceptionVertex[static_cast<std::size_t>(k)]);
          if (undercutterWarrantVertex[static_cast<std::size_t>(k)] >= 0) edges.push_back(undercutterWarrantVertex[static_cast<std::size_t>(k)]);
        }
      }
    }
    edgeBegin[n] = static_cast<int>(edges.size());
    FindComponents();
  }

  // Strong components with an explicit stack (Tarjan), numbered children first.
  void FindComponents() {
    const std::size_t n = vertexSentence.size();
    component.assign(n, -1);
    componentOrder.clear();
    componentCyclic.clear();
    // Scratch kept between evaluations: a line's stages grow a little each time, and fresh
    // buffers of ever larger sizes would fragment the heap.
    std::vector<int>& low = scratchA;
    std::vector<int>& number = scratchB;
    std::vector<int>& stack = scratchC;
    std::vector<char>& onStack = scratchFlags;
    std::vector<std::pair<int, int>>& frames = scratchFrames;  // vertex, next edge
    low.assign(n, 0);
    number.assign(n, -1);
    stack.clear();
    onStack.assign(n, 0);
    frames.clear();
    int counter = 0;
    for (std::size_t root = 0; root < n; ++root) {
      if (number[root] >= 0) continue;
      frames.emplace_back(static_cast<int>(root), edgeBegin[root]);
      number[root] = low[root] = counter++;
      stack.push_back(static_cast<int>(root));
      onStack[root] = 1;
      while (!frames.empty()) {
        auto& [v, e] = frames.back();
        const auto sv = static_cast<std::size_t>(v);
        if (e < edgeBegin[sv + 1]) {
          const auto w = static_cast<std::size_t>(edges[static_cast<std::size_t>(e++)]);
          if (number[w] < 0) {
            number[w] = low[w] = counter++;
            stack.push_back(static_cast<int>(w));
            onStack[w] = 1;
            frames.emplace_back(static_cast<int>(w), edgeBegin[w]);
          } else if (onStack[w]) {
            low[sv] = std::min(low[sv], number[w]);
          }
          continue;
        }
        if (low[sv] == number[sv]) {
          const int c = static_cast<int>(componentCyclic.size());
          int size = 0;
          int w;
          do {
            w = stack.back();
            stack.pop_back();
            onStack[static_cast<std::size_t>(w)] = 0;
            component[static_cast<std::size_t>(w)] = c;
            componentOrder.push_back(w);
            ++size;
          } while (w != v);
          bool cyclic = size > 1;
          for (int k = edgeBegin[sv]; !cyclic && k < edgeBegin[sv + 1]; ++k) cyclic = edges[static_cast<std::size_t>(k)] == v;
          componentCyclic.push_back(cyclic ? 1 : 0);
        }
        const int done = v;
        frames.pop_back();
        if (!frames.empty()) {
          const auto parent = static_cast<std::size_t>(frames.back().first);
          low[parent] = std::min(low[parent], low[static_cast<std::size_t>(done)]);
        }
      }
    }
    // Bits for the connections that conclude inside a cyclic component.
    componentBits.assign(componentCyclic.size(), 0);
    connectionBit.assign(facts.size(), -1);
    for (std::size_t v = 0; v < n; ++v) {
      const auto c = static_cast<std::size_t>(component[v]);
      if (!componentCyclic[c]) continue;
      for (int k = concludingBegin[v]; k < concludingBegin[v + 1]; ++k)
        connectionBit[static_cast<std::size_t>(concluding[static_cast<std::size_t>(k)])] = componentBits[c]++;
    }
  }

  [[nodiscard]] bool Cyclic(int v) const {
    return componentCyclic[static_cast<std::size_t>(component[static_cast<std::size_t>(v)])] != 0;
  }
  [[nodiscard]] std::size_t MaskWords(int v) const {
    return (static_cast<std::size_t>(componentBits[static_cast<std::size_t>(component[static_cast<std::size_t>(v)])]) + 63) / 64;
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

  TDialecticalArgument* DialecticalFor(TStatement* object, int v, const TMask& mask, int depth) {
    if (!Cyclic(v)) {
      TDialecticalArgument* top = topDialectical[static_cast<std::size_t>(v)];
      if (top && top->Conclusion == object) return top;
      return MemoDialectical(object, v, TMask(), depth);
    }
    return MemoDialectical(object, v, mask, depth);
  }

  TDialecticalArgument* MemoDialectical(TStatement* object, int v, const TMask& mask, int depth) {
    TMaskKey key{object, v, mask};
    const auto found = dialecticalMemo.find(key);
    if (found != dialecticalMemo.end()) return found->second;
    TDialecticalArgument* d = BuildDialectical(object, v, mask, depth);
    dialecticalMemo.emplace(std::move(key), d);
    return d;
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
    for (int c = concludingBegin[sv]; c < concludingBegin[sv + 1]; ++c) {
      const int j = concluding[static_cast<std::size_t>(c)];
      const auto sj = static_cast<std::size_t>(j);
      if (cyclic && HasBit(mask, connectionBit[sj])) continue;
      Spend(1);
      const TMask inner = cyclic ? WithBit(mask, connectionBit[sj], words) : TMask();
      auto child = [&](TStatement* o, int w) {
        const bool same = component[static_cast<std::size_t>(w)] == component[sv];
        return DialecticalFor(o, w, same ? inner : TMask(), depth + 1);
      };
      const TConnectionFacts& f = *facts[sj];
      TStepPlan p{f.reason, f.kind, nullptr, nullptr, static_cast<int>(undercutters.size()),
                  static_cast<int>(f.exceptions.size())};
      p.initial = child(f.reason, reasonVertex[sj]);
      if (warrantVertex[sj] >= 0) p.warrant = child(warrantStatement[sj], warrantVertex[sj]);
      for (int k = 0; k < p.undercutterCount; ++k) {
        const auto sk = static_cast<std::size_t>(exceptionBegin[sj] + k);
        TUndercutterPlan q{f.exceptions[static_cast<std::size_t>(k)], nullptr, nullptr};
        if (undercutterWarrantVertex[sk] >= 0)
          q.warrant = child(undercutterWarrantStatement[sk], undercutterWarrantVertex[sk]);
        q.undercutting = child(q.exception, exceptionVertex[sk]);
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

  void BuildAllDialectical() {
    BuildGraph(true);
    topDialectical.assign(vertexSentence.size(), nullptr);
    for (int v : componentOrder) {
      TStatement* s = vertexStatement[static_cast<std::size_t>(v)];
      topDialectical[static_cast<std::size_t>(v)] = Cyclic(v) ? MemoDialectical(s, v, TMask(), 0) : BuildDialectical(s, v, TMask(), 0);
    }
  }

  // ---------------------------------------------------------------- containment

  // Vertices reachable from v come no later than v's component in componentOrder.
  [[nodiscard]] int ComponentOfNode(const TDialecticalArgument* d) {
    const int v = FindVertex(SentenceOf(d->Conclusion));
    return v < 0 ? -1 : component[static_cast<std::size_t>(v)];
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
    const int target = ComponentOfNode(d1);
    bool result = false;
    std::unordered_set<const TDialecticalArgument*> seen;
    std::vector<const TDialecticalArgument*> stack{d2};
    seen.insert(d2);
    while (!stack.empty() && !result) {
      const TDialecticalArgument* n = stack.back();
      stack.pop_back();
      Spend(1);
      const int here = ComponentOfNode(n);
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

  // Proper containment is a strict order (containment is reflexive and transitive), so
  // the rule "not properly contained in a later one nor in a kept earlier one" keeps
  // exactly those properly contained in none.
  const std::vector<char>& SelectMaximal(const std::vector<TDialecticalArgument*>& tops, const std::vector<int>& vertexOfIndex) {
    const std::size_t count = tops.size();
    std::vector<char>& excluded = excludedScratch;
    excluded.assign(count, 0);
    // A statement whose own dialectical argument appears right inside another's, from
    // another component (so it cannot contain that one), is properly contained in it.
    auto exclude = [&](int u, int w, const TStatement* object) {
      const auto sw = static_cast<std::size_t>(w);
      if (component[static_cast<std::size_t>(u)] == component[sw] || object != vertexStatement[sw]) return;
      const int i = vertexFirstIndex[sw];
      if (i >= 0) excluded[static_cast<std::size_t>(i)] = 1;
    };
    for (std::size_t j = 0; j < facts.size(); ++j) {
      const int u = conclusionVertex[j];
      if (vertexFirstIndex[static_cast<std::size_t>(u)] < 0) continue;
      exclude(u, reasonVertex[j], facts[j]->reason);
      if (warrantVertex[j] >= 0) exclude(u, warrantVertex[j], warrantStatement[j]);
      for (int k = exceptionBegin[j]; k < exceptionBegin[j + 1]; ++k) {
        const auto sk = static_cast<std::size_t>(k);
        exclude(u, exceptionVertex[sk], facts[j]->exceptions[sk - static_cast<std::size_t>(exceptionBegin[j])]);
        if (undercutterWarrantVertex[sk] >= 0) exclude(u, undercutterWarrantVertex[sk], undercutterWarrantStatement[sk]);
      }
    }
    // The rest: try the statements that reach it, nearest first.
    const std::size_t n = vertexSentence.size();
    std::vector<int>& sameVertexNext = scratchA;
    std::vector<int>& firstOfVertex = scratchB;
    std::vector<int>& lastOfVertex = scratchC;
    sameVertexNext.assign(count, -1);
    firstOfVertex.assign(n, -1);
    lastOfVertex.assign(n, -1);
    for (std::size_t i = 0; i < count; ++i) {
      const auto v = static_cast<std::size_t>(vertexOfIndex[i]);
      if (firstOfVertex[v] < 0) firstOfVertex[v] = static_cast<int>(i);
      else sameVertexNext[static_cast<std::size_t>(lastOfVertex[v])] = static_cast<int>(i);
      lastOfVertex[v] = static_cast<int>(i);
    }
    std::vector<int>& reverseBegin = scratchD;
    std::vector<int>& reverse = scratchE;
    reverseBegin.assign(n + 1, 0);
    for (int w : edges) ++reverseBegin[static_cast<std::size_t>(w) + 1];
    for (std::size_t k = 0; k < n; ++k) reverseBegin[k + 1] += reverseBegin[k];
    bool reverseBuilt = false;
    std::vector<int>& mark = scratchG;
    std::vector<int>& queue = scratchH;
    mark.assign(n, -1);
    for (std::size_t i = 0; i < count; ++i) {
      if (excluded[i]) continue;
      const int v = vertexOfIndex[i];
      const auto sv = static_cast<std::size_t>(v);
      // Nothing reaches it and no other statement shares its sentence: nothing contains it.
      if (reverseBegin[sv] == reverseBegin[sv + 1] && firstOfVertex[sv] == lastOfVertex[sv]) continue;
      if (!reverseBuilt) {
        reverseBuilt = true;
        reverse.assign(edges.size(), 0);
        std::vector<int>& fill = scratchF;
        fill.assign(reverseBegin.begin(), reverseBegin.end() - 1);
        for (std::size_t u = 0; u < n; ++u)
          for (int k = edgeBegin[u]; k < edgeBegin[u + 1]; ++k)
            reverse[static_cast<std::size_t>(fill[static_cast<std::size_t>(edges[static_cast<std::size_t>(k)])]++)] = static_cast<int>(u);
      }
      queue.assign(1, v);
      mark[sv] = static_cast<int>(i);
      for (std::size_t head = 0; head < queue.size() && !excluded[i]; ++head) {
        const int u = queue[head];
        Spend(1);
        for (int j = firstOfVertex[static_cast<std::size_t>(u)]; j >= 0; j = sameVertexNext[static_cast<std::size_t>(j)]) {
          if (static_cast<std::size_t>(j) == i) continue;
          if (IsProperlyContainedIn(tops[i], tops[static_cast<std::size_t>(j)])) {
            excluded[i] = 1;
            break;
          }
        }
        for (int k = reverseBegin[static_cast<std::size_t>(u)]; k < reverseBegin[static_cast<std::size_t>(u) + 1]; ++k) {
          const int p = reverse[static_cast<std::size_t>(k)];
          if (mark[static_cast<std::size_t>(p)] != static_cast<int>(i)) {
            mark[static_cast<std::size_t>(p)] = static_cast<int>(i);
            queue.push_back(p);
          }
        }
      }
    }
    return excluded;
  }

  // ---------------------------------------------------------------- arguments

  TArgument* ArgumentFor(TStatement* object, int v, const TMask& mask, int depth) {
    if (!Cyclic(v)) {
      TArgument* top = topArgument[static_cast<std::size_t>(v)];
      if (top && top->Conclusion == object) return top;
      return MemoArgument(object, v, TMask(), depth);
    }
    return MemoArgument(object, v, mask, depth);
  }

  TArgument* MemoArgument(TStatement* object, int v, const TMask& mask, int depth) {
    TMaskKey key{object, v, mask};
    const auto found = argumentMemo.find(key);
    if (found != argumentMemo.end()) return found->second;
    TArgument* a = BuildArgument(object, v, mask, depth);
    argumentMemo.emplace(std::move(key), a);
    return a;
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
    for (int c = concludingBegin[sv]; c < concludingBegin[sv + 1]; ++c) {
      const auto sj = static_cast<std::size_t>(concluding[static_cast<std::size_t>(c)]);
      if (cyclic && HasBit(mask, connectionBit[sj])) continue;
      Spend(1);
      const int w = reasonVertex[sj];
      const bool same = component[static_cast<std::size_t>(w)] == component[sv];
      children.push_back(ArgumentFor(facts[sj]->reason, w, same ? WithBit(mask, connectionBit[sj], words) : TMask(),
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

void TEvaluationCache::RecomputeDialecticalArguments(TArgumentationStage& stage, const TArgumentationStage* previous,
                                                     std::size_t budget, bool unchangedSinceArguments) {
  TImpl& m = *impl_;
  m.store = &stage.Store();
  if (unchangedSinceArguments && m.preparedStage == &stage &&
      m.statementVertex.size() == static_cast<std::size_t>(stage.Statements.Count()) &&
      m.facts.size() == static_cast<std::size_t>(stage.ReasonConclusions.Count()))
    m.Restart(stage, budget);
  else
    m.Prepare(stage, budget);
  m.BuildAllDialectical();

  const int count = stage.Statements.Count();
  std::vector<TDialecticalArgument*>& tops = m.topsScratch;
  tops.assign(static_cast<std::size_t>(count), nullptr);
  const std::vector<int>& vertexOfIndex = m.statementVertex;
  for (int i = 0; i < count; ++i) {
    TStatement* s = stage.Statements[i];
    const int v = m.statementVertex[static_cast<std::size_t>(i)];
    // A second statement with the same sentence gets a dialectical argument of its own.
    tops[static_cast<std::size_t>(i)] = m.DialecticalFor(s, v, TMask(), 0);
  }
  const std::vector<char>& excluded = m.SelectMaximal(tops, vertexOfIndex);
  std::vector<TDialecticalArgument*>& maximal = m.maximalScratch;
  maximal.clear();
  for (std::size_t i = 0; i < tops.size(); ++i)
    if (!excluded[i]) maximal.push_back(tops[i]);

  // Nothing is changed before this point, so a refusal leaves the stage as it was.
  FillSharing(stage.DialecticalArguments, tops, previous ? &previous->DialecticalArguments : nullptr);
  FillSharing(stage.MaximalDialecticalArguments, maximal, previous ? &previous->MaximalDialecticalArguments : nullptr);
  for (int i = 0; i < count; ++i) {
    const std::uint8_t status = tops[static_cast<std::size_t>(i)]->Status;
    if (status == kJustified || status == kUnjustified) stage.Statements[i]->Status = status;
  }
}

void TEvaluationCache::RecomputeArguments(TArgumentationStage& stage, const TArgumentationStage* previous,
                                          std::size_t budget) {
  TImpl& m = *impl_;
  m.store = &stage.Store();
  m.Prepare(stage, budget);
  m.BuildGraph(false);
  m.topArgument.assign(m.vertexSentence.size(), nullptr);
  for (int v : m.componentOrder) {
    TStatement* s = m.vertexStatement[static_cast<std::size_t>(v)];
    m.topArgument[static_cast<std::size_t>(v)] = m.Cyclic(v) ? m.MemoArgument(s, v, TMask(), 0) : m.BuildArgument(s, v, TMask(), 0);
  }

  // A statement is a final conclusion when no connection has its sentence as reason.
  const std::size_t n = m.vertexSentence.size();
  std::vector<char> isReason(n, 0), occurs(n, 0);
  for (int w : m.edges) isReason[static_cast<std::size_t>(w)] = 1;
  std::vector<int> queue;
  auto markReachable = [&](int from) {
    if (occurs[static_cast<std::size_t>(from)]) return;
    queue.assign(1, from);
    occurs[static_cast<std::size_t>(from)] = 1;
    for (std::size_t head = 0; head < queue.size(); ++head) {
      const auto u = static_cast<std::size_t>(queue[head]);
      for (int k = m.edgeBegin[u]; k < m.edgeBegin[u + 1]; ++k) {
        const auto w = static_cast<std::size_t>(m.edges[static_cast<std::size_t>(k)]);
        if (!occurs[w]) {
          occurs[w] = 1;
          queue.push_back(static_cast<int>(w));
        }
      }
    }
  };
  std::vector<TArgument*> roots;
  std::vector<int> vertexOfIndex;
  vertexOfIndex = m.statementVertex;
  int index = 0;
  for (TStatement* s : stage.Statements) {
    const int v = vertexOfIndex[static_cast<std::size_t>(index++)];
    if (isReason[static_cast<std::size_t>(v)]) continue;
    roots.push_back(m.ArgumentFor(s, v, TMask(), 0));
    markReachable(v);
  }
  index = 0;
  for (TStatement* s : stage.Statements) {
    const int v = vertexOfIndex[static_cast<std::size_t>(index++)];
    if (occurs[static_cast<std::size_t>(v)]) continue;
    roots.push_back(m.ArgumentFor(s, v, TMask(), 0));
    markReachable(v);
  }
  FillSharing(stage.Arguments, roots, previous ? &previous->Arguments : nullptr);
}

}  // namespace korvane

namespace korvane {

TEvaluationCache& TModelStore::EvaluationCache() {
  if (!evaluation_cache_) evaluation_cache_ = std::make_shared<TEvaluationCache>();
  return *evaluation_cache_;
}

}  // namespace korvane
