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

// Where a connection's exception leads: the exception's vertex and its undercutter warrant.
struct TExceptionLink {
  int vertex = -1;
  int warrantVertex = -1;  // -1 while no statement carries the warrant sentence
  TStatement* warrantStatement = nullptr;
};

// An edge seen from its lower end: which vertex depends on this one, through which object.
struct TParentLink {
  int vertex;
  TStatement* object;
  bool reason;  // a reason edge, the only kind the arguments follow
};

// What one of the two graphs (dialectical: reasons, warrants, exceptions and undercutter
// warrants; arguments: reasons only) knows about the stage last evaluated with it.
struct TGraph {
  bool dialectical = true;
  bool valid = false;
  std::size_t consumed = 0;  // entries of the touch log taken in
  std::vector<int> component;
  std::vector<char> componentCyclic;
  std::vector<int> componentBits;   // number of connections concluding inside the component
  std::vector<int> componentLevel;  // above every component it reaches
  std::vector<int> connectionBit;   // connection number -> bit within its conclusion's component
  int cyclicComponents = 0;
  std::vector<int> cyclicMembers;  // vertices in cyclic components, as the last full build found them
};

}  // namespace

struct TEvaluationCache::TImpl {
  TImpl() { argumentGraph.dialectical = false; }

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

  // ---- the stage last taken in: its numbering and grouping, extended while later stages
  // only add to it. A move appends statements and connections, overrules types and
  // appends exceptions in place; anything else makes the next evaluation start afresh.
  bool known = false;
  // Two statements with one sentence, or connection ends that are not statements: such
  // stages (never made by moves) are always evaluated in full.
  bool irregular = false;
  const TModelStore* knownStore = nullptr;
  std::shared_ptr<const std::vector<TStatement*>> knownStatements;
  std::shared_ptr<const std::vector<TReasonConclusion*>> knownConnections;
  std::size_t knownStatementCount = 0, knownConnectionCount = 0;
  std::size_t changesSeen = 0;             // of the store's in-place changes
  std::unordered_map<const TReasonConclusion*, int> connectionNumber;
  std::vector<int> localOfSentence;        // sentence number -> vertex, -1 when not in this stage
  std::vector<int> vertexSentence;         // vertex -> sentence number
  std::vector<TStatement*> vertexStatement;  // vertex -> first statement of the stage with it, or another object
  std::vector<int> vertexFirstIndex;       // vertex -> index in Statements, or -1
  std::vector<int> vertexLastIndex;        // vertex -> last index in Statements with it, or -1
  std::vector<int> nextSameVertex;         // index in Statements -> next index with the same vertex, or -1
  std::vector<int> statementVertex;        // index in Statements -> vertex
  std::vector<std::vector<int>> concludingOf;  // vertex -> connection numbers concluding it, in list order
  std::vector<std::vector<TParentLink>> parentsOf;
  std::vector<int> reasonUses;             // vertex -> connections with it as reason
  std::vector<const TConnectionFacts*> facts;  // connection number -> facts
  std::vector<int> reasonVertex, conclusionVertex, warrantVertex;
  std::vector<TStatement*> warrantStatement;
  std::vector<std::vector<TExceptionLink>> exceptionLinks;  // connection number -> one per exception
  // Warrant sentences no statement carries yet: sentence number -> (connection, exception or -1).
  std::vector<std::vector<std::pair<int, int>>> watchers;
  std::vector<int> watchedSentences;
  // Vertices whose dialectical argument (and, unless dialecticalOnly, argument) may have
  // changed, in the order found; each graph takes in what it has not seen yet.
  struct TTouch {
    int vertex;
    bool dialecticalOnly;
  };
  std::vector<TTouch> touches;

  TGraph dialecticalGraph, argumentGraph;
  TGraph* g = &dialecticalGraph;  // the graph of the evaluation under way
  std::vector<TDialecticalArgument*> topDialectical;  // vertex -> its statement's dialectical argument
  std::vector<TArgument*> topArgument;
  // Maximal selection of the last dialectical evaluation, by index in Statements.
  enum : char { kNothingAbove, kStructurallyBelow, kByContainment };
  std::vector<char> excluded, decision;
  std::vector<int> containmentDecided;  // indexes decided by containment tests
  std::vector<int> affected, touched;   // of the last incremental graph update
  // The last dialectical evaluation's results by index in Statements, and its two lists.
  std::vector<TDialecticalArgument*> statementTops;
  bool listsKnown = false;
  TDialecticalArguments lastDialecticalList, lastMaximalList;
  std::size_t partialEvaluations = 0;

  // ---- one evaluation
  std::size_t budget = 0;
  std::size_t work = 0;
  TModelStore* store = nullptr;
  std::vector<int> edgeBegin, edges, componentOrder;  // a full graph build's
  std::unordered_map<TMaskKey, TDialecticalArgument*, TMaskKeyHash> dialecticalMemo;
  std::unordered_map<TMaskKey, TArgument*, TMaskKeyHash> argumentMemo;
  std::vector<std::vector<TStepPlan>> stepScratch;
  std::vector<std::vector<TUndercutterPlan>> undercutterScratch;
  std::vector<std::vector<TArgument*>> childScratch;
  std::unordered_map<std::pair<const void*, const void*>, bool, TPairHash> finalMemo, containedMemo;
  std::vector<int> scratchA, scratchB, scratchC, scratchD, scratchE, scratchQueue;
  std::vector<int> affectedMark, visitMark;
  int affectedStamp = 0, visitStamp = 0;
  std::vector<char> scratchFlags;
  std::vector<std::pair<int, int>> scratchFrames;
  std::vector<TDialecticalArgument*> maximalScratch;

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

  // ---------------------------------------------------------------- numbering and grouping

  [[nodiscard]] int FindVertex(int sentence) const {
    return static_cast<std::size_t>(sentence) < localOfSentence.size() ? localOfSentence[static_cast<std::size_t>(sentence)] : -1;
  }
  [[nodiscard]] int StatementVertexOf(int sentence) const {
    const int v = FindVertex(sentence);
    return v >= 0 && vertexFirstIndex[static_cast<std::size_t>(v)] >= 0 ? v : -1;
  }
  [[nodiscard]] std::size_t VertexCount() const { return vertexSentence.size(); }

  int NewVertex(int sentence, TStatement* object) {
    if (static_cast<std::size_t>(sentence) >= localOfSentence.size()) localOfSentence.resize(static_cast<std::size_t>(sentence) + 1, -1);
    const int v = static_cast<int>(vertexSentence.size());
    localOfSentence[static_cast<std::size_t>(sentence)] = v;
    vertexSentence.push_back(sentence);
    vertexStatement.push_back(object);
    vertexFirstIndex.push_back(-1);
    vertexLastIndex.push_back(-1);
    concludingOf.emplace_back();
    parentsOf.emplace_back();
    reasonUses.push_back(0);
    return v;
  }
  // The vertex of a connection's end or exception; one that is not a statement makes the stage irregular.
  int EndVertex(int sentence, TStatement* object) {
    const int v = FindVertex(sentence);
    if (v >= 0) return v;
    irregular = true;
    return NewVertex(sentence, object);
  }

  void Touch(int v, bool dialecticalOnly) { touches.push_back({v, dialecticalOnly}); }

  void Watch(int sentence, int j, int k) {
    if (static_cast<std::size_t>(sentence) >= watchers.size()) watchers.resize(static_cast<std::size_t>(sentence) + 1);
    auto& list = watchers[static_cast<std::size_t>(sentence)];
    if (list.empty()) watchedSentences.push_back(sentence);
    list.emplace_back(j, k);
  }

  void AddStatement(int i, TStatement* s) {
    const int sentence = SentenceVia(s, statementSlots[static_cast<std::size_t>(i)]);
    nextSameVertex.push_back(-1);
    int v = FindVertex(sentence);
    if (v >= 0) {
      irregular = true;
      const auto sv = static_cast<std::size_t>(v);
      if (vertexFirstIndex[sv] < 0) {
        vertexFirstIndex[sv] = i;
        vertexStatement[sv] = s;
      } else {
        nextSameVertex[static_cast<std::size_t>(vertexLastIndex[sv])] = i;
      }
      vertexLastIndex[sv] = i;
    } else {
      v = NewVertex(sentence, s);
      vertexFirstIndex[static_cast<std::size_t>(v)] = i;
      vertexLastIndex[static_cast<std::size_t>(v)] = i;
    }
    statementVertex.push_back(v);
    Touch(v, false);
    // Connections whose warrant this sentence is now have one.
    if (static_cast<std::size_t>(sentence) >= watchers.size()) return;
    auto& waiting = watchers[static_cast<std::size_t>(sentence)];
    for (const auto& [j, k] : waiting) {
      const auto sj = static_cast<std::size_t>(j);
      if (k < 0) {
        warrantVertex[sj] = v;
        warrantStatement[sj] = s;
      } else {
        TExceptionLink& link = exceptionLinks[sj][static_cast<std::size_t>(k)];
        link.warrantVertex = v;
        link.warrantStatement = s;
      }
      parentsOf[static_cast<std::size_t>(v)].push_back({conclusionVertex[sj], s, false});
      Touch(conclusionVertex[sj], true);
    }
    waiting.clear();
  }

  void AddExceptionLink(int j, std::size_t k) {
    const auto sj = static_cast<std::size_t>(j);
    const TConnectionFacts& f = *facts[sj];
    const int cv = conclusionVertex[sj];
    TExceptionLink link;
    link.vertex = EndVertex(f.exceptionSentences[k], f.exceptions[k]);
    parentsOf[static_cast<std::size_t>(link.vertex)].push_back({cv, f.exceptions[k], false});
    link.warrantVertex = StatementVertexOf(f.undercutterWarrantSentences[k]);
    if (link.warrantVertex >= 0) {
      link.warrantStatement = vertexStatement[static_cast<std::size_t>(link.warrantVertex)];
      parentsOf[static_cast<std::size_t>(link.warrantVertex)].push_back({cv, link.warrantStatement, false});
    } else {
      Watch(f.undercutterWarrantSentences[k], j, static_cast<int>(k));
    }
    exceptionLinks[sj].push_back(link);
  }

  void AddConnection(int j, const TReasonConclusion* c) {
    if (connectionSlots.size() <= static_cast<std::size_t>(j)) connectionSlots.resize(static_cast<std::size_t>(j) + 1);
    const TConnectionFacts& f = FactsOf(c, connectionSlots[static_cast<std::size_t>(j)]);
    facts.push_back(&f);
    connectionNumber.emplace(c, j);
    const int cv = EndVertex(f.conclusionSentence, f.conclusion);
    const int rv = EndVertex(f.reasonSentence, f.reason);
    conclusionVertex.push_back(cv);
    reasonVertex.push_back(rv);
    concludingOf[static_cast<std::size_t>(cv)].push_back(j);
    parentsOf[static_cast<std::size_t>(rv)].push_back({cv, f.reason, true});
    ++reasonUses[static_cast<std::size_t>(rv)];
    const int wv = StatementVertexOf(f.warrantSentence);
    warrantVertex.push_back(wv);
    warrantStatement.push_back(wv >= 0 ? vertexStatement[static_cast<std::size_t>(wv)] : nullptr);
    if (wv >= 0) parentsOf[static_cast<std::size_t>(wv)].push_back({cv, warrantStatement.back(), false});
    else Watch(f.warrantSentence, j, -1);
    exceptionLinks.emplace_back();
    for (std::size_t k = 0; k < f.exceptions.size(); ++k) AddExceptionLink(j, k);
    Touch(cv, false);
  }

  // Numbers the stage's sentences and groups its connections from scratch.
  void Prepare(const TArgumentationStage& stage) {
    for (int sentence : vertexSentence) localOfSentence[static_cast<std::size_t>(sentence)] = -1;
    for (int sentence : watchedSentences) watchers[static_cast<std::size_t>(sentence)].clear();
    watchedSentences.clear();
    vertexSentence.clear();
    vertexStatement.clear();
    vertexFirstIndex.clear();
    vertexLastIndex.clear();
    nextSameVertex.clear();
    statementVertex.clear();
    connectionNumber.clear();
    concludingOf.clear();
    parentsOf.clear();
    reasonUses.clear();
    facts.clear();
    reasonVertex.clear();
    conclusionVertex.clear();
    warrantVertex.clear();
    warrantStatement.clear();
    exceptionLinks.clear();
    irregular = false;
    dialecticalGraph.valid = argumentGraph.valid = false;
    const int n = stage.Statements.Count();
    if (statementSlots.size() < static_cast<std::size_t>(n)) statementSlots.resize(static_cast<std::size_t>(n), nullptr);
    int i = 0;
    for (TStatement* s : stage.Statements) AddStatement(i++, s);
    int j = 0;
    for (const TReasonConclusion* c : stage.ReasonConclusions) AddConnection(j++, c);
    touches.clear();
    changesSeen = stage.Store().Changes().size();
  }

  // Takes in what changed since the stage last taken in, when the stage only adds to it
  // as moves do; false when it must be taken in afresh.
  bool Extend(const TArgumentationStage& stage) {
    const auto statements = stage.Statements.SharedBuffer();
    const auto connections = stage.ReasonConclusions.SharedBuffer();
    const auto n = static_cast<std::size_t>(stage.Statements.Count());
    const auto m = static_cast<std::size_t>(stage.ReasonConclusions.Count());
    if (!known || irregular || knownStore != &stage.Store() || n < knownStatementCount || m < knownConnectionCount ||
        (knownStatementCount > 0 && statements != knownStatements) ||
        (knownConnectionCount > 0 && connections != knownConnections))
      return false;
    // The common prefix holds the same objects as they entered, but for what moves changed
    // in place and noted: overruled types and added exceptions.
    const auto& changes = stage.Store().Changes();
    for (; changesSeen < changes.size(); ++changesSeen) {
      const TModelStore::TInPlaceChange& change = changes[changesSeen];
      if (change.statement) {
        const int v = FindVertex(SentenceOf(change.statement));
        if (v >= 0 && vertexStatement[static_cast<std::size_t>(v)] == change.statement) Touch(v, true);
        continue;
      }
      const auto found = connectionNumber.find(change.connection);
      if (found == connectionNumber.end() || static_cast<std::size_t>(found->second) >= knownConnectionCount) continue;
      const auto j = static_cast<std::size_t>(found->second);
      const TReasonConclusion* c = change.connection;
      const TConnectionFacts& f = *facts[j];
      const std::size_t had = exceptionLinks[j].size();
      const auto count = static_cast<std::size_t>(c->Exceptions.Count());
      if (count < had) return false;
      for (std::size_t k = 0; k < had; ++k)
        if (c->Exceptions[static_cast<int>(k)] != f.exceptions[k]) return false;
      if (count == had) continue;
      if (&FactsOf(c, connectionSlots[j]) != &f || f.exceptions.size() != count) return false;
      for (std::size_t k = had; k < count; ++k) AddExceptionLink(static_cast<int>(j), k);
      Touch(conclusionVertex[j], true);
    }
    if (statementSlots.size() < n) statementSlots.resize(n, nullptr);
    for (std::size_t i = knownStatementCount; i < n; ++i) AddStatement(static_cast<int>(i), (*statements)[i]);
    for (std::size_t j = knownConnectionCount; j < m; ++j) AddConnection(static_cast<int>(j), (*connections)[j]);
    return !irregular;
  }

  // Brings the numbering and grouping to the stage.
  void TakeIn(const TArgumentationStage& stage) {
    if (!Extend(stage)) Prepare(stage);
    known = true;
    knownStore = &stage.Store();
    knownStatements = stage.Statements.SharedBuffer();
    knownConnections = stage.ReasonConclusions.SharedBuffer();
    knownStatementCount = static_cast<std::size_t>(stage.Statements.Count());
    knownConnectionCount = static_cast<std::size_t>(stage.ReasonConclusions.Count());
    affectedMark.resize(VertexCount(), 0);
    visitMark.resize(VertexCount(), 0);
    // Both graphs have seen everything: the log can start again.
    if (dialecticalGraph.consumed == touches.size() && argumentGraph.consumed == touches.size()) {
      touches.clear();
      dialecticalGraph.consumed = argumentGraph.consumed = 0;
    }
  }

  // Everything kept about the last stage is dropped, as after a refusal half-way.
  void Forget() {
    known = false;
    listsKnown = false;
    dialecticalGraph.valid = argumentGraph.valid = false;
    knownStatements.reset();
    knownConnections.reset();
  }

  // A fresh budget and no memos.
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

  // ---------------------------------------------------------------- graphs

  template <class F>
  void ForEachChildVertex(int v, bool dialectical, F&& f) const {
    for (const int j : concludingOf[static_cast<std::size_t>(v)]) {
      const auto sj = static_cast<std::size_t>(j);
      f(reasonVertex[sj]);
      if (!dialectical) continue;
      if (warrantVertex[sj] >= 0) f(warrantVertex[sj]);
      for (const TExceptionLink& link : exceptionLinks[sj]) {
        f(link.vertex);
        if (link.warrantVertex >= 0) f(link.warrantVertex);
      }
    }
  }

  // The whole graph anew: edges, strong components, levels and bits.
  void BuildGraph(TGraph& graph) {
    const std::size_t n = VertexCount();
    edgeBegin.assign(n + 1, 0);
    edges.clear();
    for (std::size_t v = 0; v < n; ++v) {
      edgeBegin[v] = static_cast<int>(edges.size());
      ForEachChildVertex(static_cast<int>(v), graph.dialectical, [&](int w) { edges.push_back(w); });
    }
    edgeBegin[n] = static_cast<int>(edges.size());
    FindComponents(graph);
    graph.componentLevel.assign(graph.componentCyclic.size(), 0);
    for (int v : componentOrder) {
      const int c = graph.component[static_cast<std::size_t>(v)];
      int& level = graph.componentLevel[static_cast<std::size_t>(c)];
      for (int k = edgeBegin[static_cast<std::size_t>(v)]; k < edgeBegin[static_cast<std::size_t>(v) + 1]; ++k) {
        const int d = graph.component[static_cast<std::size_t>(edges[static_cast<std::size_t>(k)])];
        if (d != c) level = std::max(level, graph.componentLevel[static_cast<std::size_t>(d)] + 1);
      }
    }
    graph.valid = true;
    graph.consumed = touches.size();
  }

  // Strong components with an explicit stack (Tarjan), numbered children first.
  void FindComponents(TGraph& graph) {
    const std::size_t n = VertexCount();
    graph.component.assign(n, -1);
    graph.componentCyclic.clear();
    componentOrder.clear();
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
          const int c = static_cast<int>(graph.componentCyclic.size());
          int size = 0;
          int w;
          do {
            w = stack.back();
            stack.pop_back();
            onStack[static_cast<std::size_t>(w)] = 0;
            graph.component[static_cast<std::size_t>(w)] = c;
            componentOrder.push_back(w);
            ++size;
          } while (w != v);
          bool cyclic = size > 1;
          for (int k = edgeBegin[sv]; !cyclic && k < edgeBegin[sv + 1]; ++k) cyclic = edges[static_cast<std::size_t>(k)] == v;
          graph.componentCyclic.push_back(cyclic ? 1 : 0);
        }
        const int done = v;
        frames.pop_back();
        if (!frames.empty()) {
          const auto parent = static_cast<std::size_t>(frames.back().first);
          low[parent] = std::min(low[parent], low[static_cast<std::size_t>(done)]);
        }
      }
    }
    graph.cyclicComponents = 0;
    for (char cyclic : graph.componentCyclic) graph.cyclicComponents += cyclic;
    graph.cyclicMembers.clear();
    for (std::size_t v = 0; v < n; ++v)
      if (graph.componentCyclic[static_cast<std::size_t>(graph.component[v])]) graph.cyclicMembers.push_back(static_cast<int>(v));
    // Bits for the connections that conclude inside a cyclic component.
    graph.componentBits.assign(graph.componentCyclic.size(), 0);
    graph.connectionBit.assign(facts.size(), -1);
    for (std::size_t v = 0; v < n; ++v) {
      const auto c = static_cast<std::size_t>(graph.component[v]);
      if (!graph.componentCyclic[c]) continue;
      for (const int j : concludingOf[v]) graph.connectionBit[static_cast<std::size_t>(j)] = graph.componentBits[c]++;
    }
  }

  // Takes the touch log into the graph: what reaches a touched vertex is collected, and put
  // in an order with children first. False when a cycle passes through it; the graph must
  // then be built anew. On success the vertices to rebuild are in `affected`.
  bool UpdateGraph(TGraph& graph) {
    const std::size_t n = VertexCount();
    const auto fresh = graph.component.size();
    for (std::size_t v = fresh; v < n; ++v) {
      graph.component.push_back(static_cast<int>(graph.componentCyclic.size()));
      graph.componentCyclic.push_back(0);
      graph.componentBits.push_back(0);
      graph.componentLevel.push_back(0);
    }
    graph.connectionBit.resize(facts.size(), -1);
    const int stamp = ++affectedStamp;
    touched.clear();
    affected.clear();
    std::vector<int>& queue = scratchQueue;
    queue.clear();
    for (std::size_t t = graph.consumed; t < touches.size(); ++t) {
      const TTouch& touch = touches[t];
      if (touch.dialecticalOnly && !graph.dialectical) continue;
      if (affectedMark[static_cast<std::size_t>(touch.vertex)] == stamp) continue;
      affectedMark[static_cast<std::size_t>(touch.vertex)] = stamp;
      touched.push_back(touch.vertex);
      queue.push_back(touch.vertex);
    }
    for (std::size_t head = 0; head < queue.size(); ++head) {
      Spend(1);
      for (const TParentLink& p : parentsOf[static_cast<std::size_t>(queue[head])]) {
        if ((!graph.dialectical && !p.reason) || affectedMark[static_cast<std::size_t>(p.vertex)] == stamp) continue;
        affectedMark[static_cast<std::size_t>(p.vertex)] = stamp;
        queue.push_back(p.vertex);
      }
    }
    // Depth first over the collected vertices; an edge back to one on the path is a cycle.
    const int onPath = ++visitStamp;
    const int done = ++visitStamp;
    std::vector<std::pair<int, int>>& frames = scratchFrames;
    std::vector<int>& children = scratchD;  // the path's vertices' children, each run in turn
    std::vector<int>& childStart = scratchC;
    std::vector<int>& childEnd = scratchE;
    for (const int root : queue) {
      if (visitMark[static_cast<std::size_t>(root)] == done) continue;
      frames.clear();
      children.clear();
      childStart.clear();
      childEnd.clear();
      auto enter = [&](int v) {
        visitMark[static_cast<std::size_t>(v)] = onPath;
        const int begin = static_cast<int>(children.size());
        ForEachChildVertex(v, graph.dialectical, [&](int w) {
          if (affectedMark[static_cast<std::size_t>(w)] == stamp) children.push_back(w);
        });
        frames.emplace_back(v, begin);
        childStart.push_back(begin);
        childEnd.push_back(static_cast<int>(children.size()));
      };
      enter(root);
      while (!frames.empty()) {
        auto& [v, next] = frames.back();
        if (next < childEnd.back()) {
          const int w = children[static_cast<std::size_t>(next++)];
          const int state = visitMark[static_cast<std::size_t>(w)];
          if (state == onPath) return false;
          if (state != done) enter(w);
          continue;
        }
        visitMark[static_cast<std::size_t>(v)] = done;
        affected.push_back(v);
        children.resize(static_cast<std::size_t>(childStart.back()));
        frames.pop_back();
        childStart.pop_back();
        childEnd.pop_back();
      }
    }
    // No cycle through them: each is a component of its own, placed above what it reaches.
    for (const int v : affected) {
      const int c = graph.component[static_cast<std::size_t>(v)];
      int level = 0;
      ForEachChildVertex(v, graph.dialectical, [&](int w) {
        level = std::max(level, graph.componentLevel[static_cast<std::size_t>(graph.component[static_cast<std::size_t>(w)])] + 1);
      });
      graph.componentLevel[static_cast<std::size_t>(c)] = level;
    }
    graph.consumed = touches.size();
    return true;
  }

  // Whether some cycle of the graph is entered from nowhere outside it. Incremental
  // updates keep cycles as they are but may give them new parents, so this is asked anew.
  [[nodiscard]] bool HasClosedCycle(const TGraph& graph) const {
    std::vector<char> open(graph.componentCyclic.size(), 0);
    for (const int v : graph.cyclicMembers) {
      const int c = graph.component[static_cast<std::size_t>(v)];
      for (const TParentLink& p : parentsOf[static_cast<std::size_t>(v)])
        if ((graph.dialectical || p.reason) && graph.component[static_cast<std::size_t>(p.vertex)] != c) open[static_cast<std::size_t>(c)] = 1;
    }
    for (const int v : graph.cyclicMembers)
      if (!open[static_cast<std::size_t>(graph.component[static_cast<std::size_t>(v)])]) return true;
    return false;
  }

  // Whether a vertex in the last update's affected set reaches v.
  [[nodiscard]] bool ReachedFromAffected(int v) {
    const int stamp = ++visitStamp;
    std::vector<int>& queue = scratchQueue;
    queue.assign(1, v);
    visitMark[static_cast<std::size_t>(v)] = stamp;
    for (std::size_t head = 0; head < queue.size(); ++head) {
      const int u = queue[head];
      if (affectedMark[static_cast<std::size_t>(u)] == affectedStamp) return true;
      for (const TParentLink& p : parentsOf[static_cast<std::size_t>(u)]) {
        if (visitMark[static_cast<std::size_t>(p.vertex)] == stamp) continue;
        visitMark[static_cast<std::size_t>(p.vertex)] = stamp;
        queue.push_back(p.vertex);
      }
    }
    return false;
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

  TDialecticalArgument* DialecticalFor(TStatement* object, int v, const TMask& mask, int depth) {
    // Without used connections a statement's own dialectical argument is the one built for
    // its vertex (cyclic or not); outside cycles the used connections do not matter.
    if (mask.empty() || !Cyclic(v)) {
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
      for (int j = vertexFirstIndex[static_cast<std::size_t>(u)]; j >= 0; j = nextSameVertex[static_cast<std::size_t>(j)]) {
        if (j != i && IsProperlyContainedIn(tops[si], tops[static_cast<std::size_t>(j)])) {
          excluded[si] = 1;
          return;
        }
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
    if (mask.empty() || !Cyclic(v)) {
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
        for (int i = m.vertexFirstIndex[static_cast<std::size_t>(v)]; i >= 0; i = m.nextSameVertex[static_cast<std::size_t>(i)]) {
          TDialecticalArgument* top = topOf(i);
          if (static_cast<std::size_t>(i) < before && tops[static_cast<std::size_t>(i)] != top) prefixKept = false;
          tops[static_cast<std::size_t>(i)] = top;
        }
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
        for (int i = m.vertexFirstIndex[static_cast<std::size_t>(v)]; i >= 0; i = m.nextSameVertex[static_cast<std::size_t>(i)]) {
          if (queued[static_cast<std::size_t>(i)]) continue;
          queued[static_cast<std::size_t>(i)] = 1;
          recheck.push_back(i);
        }
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
      for (const int v : m.affected)
        for (int i = m.vertexFirstIndex[static_cast<std::size_t>(v)]; i >= 0; i = m.nextSameVertex[static_cast<std::size_t>(i)]) setStatus(i);
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
