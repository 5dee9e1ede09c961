// The stage as the evaluation sees it: sentences numbered, statements as vertices,
// connections grouped by conclusion with their warrants and exceptions, parents of every
// vertex, and the strong components of the two graphs over them. It is extended while
// later stages only add to the stage taken in last, as a move's do, and records which
// vertices a change touched; each graph takes those in and names what must be rebuilt.
// Internal to the fast evaluation.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "argumentation_stage.h"
#include "evaluation_limit.h"
#include "model_store.h"
#include "warrant_sentences.h"

namespace korvane::evaluation {

inline constexpr const char* kLimitMessage =
    "This move would make the evaluation too large to compute (its connections form too many cycles). "
    "The move was not made.";

[[noreturn]] inline void Refuse() { throw TEvaluationLimitError(kLimitMessage); }

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

class TStageGraph {
public:
  TStageGraph() { argumentGraph.dialectical = false; }

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
  std::vector<int> affected, touched;   // of the last UpdateGraph

  // ---- one evaluation
  std::size_t budget = 0;
  std::size_t work = 0;
  std::vector<int> edgeBegin, edges, componentOrder;  // a full graph build's
  std::vector<int> scratchA, scratchB, scratchC, scratchD, scratchE, scratchQueue;
  std::vector<int> affectedMark, visitMark;
  int affectedStamp = 0, visitStamp = 0;
  std::vector<char> scratchFlags;
  std::vector<std::pair<int, int>> scratchFrames;

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

  /// Calls f with the index in Statements of every statement of vertex v, in list order.
  template <class F>
  void ForEachStatementOf(int v, F&& f) const {
    for (int i = vertexFirstIndex[static_cast<std::size_t>(v)]; i >= 0; i = nextSameVertex[static_cast<std::size_t>(i)]) f(i);
  }

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
    dialecticalGraph.valid = argumentGraph.valid = false;
    knownStatements.reset();
    knownConnections.reset();
  }

  // A fresh budget: work in proportion to the stage is always allowed; the budget bounds
  // what cycles add.
  void ResetWork(const TArgumentationStage& stage, std::size_t base) {
    work = 0;
    budget = base + 8 * (static_cast<std::size_t>(stage.Statements.Count()) +
                         static_cast<std::size_t>(stage.ReasonConclusions.Count()));
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
};

}  // namespace korvane::evaluation
