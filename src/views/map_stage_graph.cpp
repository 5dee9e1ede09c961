#include "views/map_stage_graph.h"

#include <cstdio>

#include "model/dialectical_argument.h"
#include "model/warrant_sentences.h"

namespace korvane {

namespace {

using Index = std::size_t;

// Keys are written into the strings of a graph no longer shown: a map of ten thousand
// nodes would otherwise allocate one per node and move.
void NodeKey(std::string& key, const char* prefix, const std::string& sentence) {
  key.clear();
  key += prefix;
  key += sentence;
}

void ConnectionKey(std::string& key, const TReasonConclusion& c) {
  char length[24];
  const int n = std::snprintf(length, sizeof length, "%zu:", c.Reason->Sentence.size());
  key.clear();
  key += "j:";
  key.append(length, static_cast<std::size_t>(n));
  key += c.Reason->Sentence;
  key += c.Conclusion->Sentence;
}

// The step of connection c in its conclusion's dialectical argument.
int StepOf(const TDialecticalArgument* d, const TReasonConclusion& c) {
  if (!d) return -1;
  for (Index i = 0; i < d->Steps.Count(); ++i)
    if (d->Steps[i]->Reason == c.Reason || SameSentence(d->Steps[i]->Reason->Sentence, c.Reason->Sentence))
      return static_cast<int>(i);
  return -1;
}

int UndercutterOf(const TStep* step, const TStatement* exception) {
  for (Index k = 0; k < step->Undercutters.Count(); ++k)
    if (step->Undercutters[k]->Exception == exception ||
        SameSentence(step->Undercutters[k]->Exception->Sentence, exception->Sentence))
      return static_cast<int>(k);
  return -1;
}

class TBuilder {
public:
  // By object: a connection's reason and conclusion are the stage's own statements.
  TBuilder(const TArgumentationStage& stage, TMapStageGraph recycled, TMapStatementIndex& index)
      : stage_(stage), index_(index), warrants_(index) {
    index_.Follow(stage.Statements);
    g_ = std::move(recycled);
    g_.Graph.Edges.clear();
    g_.Nodes.clear();
    g_.Connections.clear();
    g_.Exceptions.clear();
    g_.StatementNodes.clear();
    const std::size_t connections = stage.ReasonConclusions.Count();
    g_.Graph.Nodes.reserve(stage.Statements.Count() + connections);
    g_.Nodes.reserve(stage.Statements.Count() + connections);
    g_.Graph.Edges.reserve(3 * connections);
    g_.Connections.reserve(connections);
    g_.Evaluated = stage.DialecticalArguments.Count() == stage.Statements.Count();
  }

  TMapStageGraph Build() {
    const TReasonConclusions& connections = stage_.ReasonConclusions;
    // Stated warrants first: their statements are drawn on an arrow or a line.
    std::vector<int> stepWarrant(connections.Count(), -1);
    std::vector<std::vector<int>> undercutterWarrant(connections.Count());
    std::vector<bool> attached(stage_.Statements.Count(), false);
    for (Index c = 0; c < connections.Count(); ++c) {
      const TReasonConclusion& rc = *connections[c];
      if (warrants_.MayBeStepWarrant(rc))
        stepWarrant[c] = Find(StepWarrantSentence(rc.Reason->Sentence, rc.Conclusion->Sentence, rc.ConnectionKind));
      for (Index k = 0; k < rc.Exceptions.Count(); ++k)
        undercutterWarrant[c].push_back(
            warrants_.MayBeUndercutterWarrant(*rc.Exceptions[k], rc)
                ? Find(UndercutterWarrantSentence(rc.Exceptions[k]->Sentence, rc.Reason->Sentence,
                                                  rc.Conclusion->Sentence))
                : -1);
    }
    for (Index c = 0; c < connections.Count(); ++c) {
      if (stepWarrant[c] >= 0) attached[static_cast<Index>(stepWarrant[c])] = true;
      for (const int w : undercutterWarrant[c])
        if (w >= 0) attached[static_cast<Index>(w)] = true;
    }
    g_.StatementNodes.assign(stage_.Statements.Count(), -1);
    for (Index i = 0; i < stage_.Statements.Count(); ++i)
      if (!attached[i])
        g_.StatementNodes[i] =
            AddNode(i, false, [&](std::string& key) { NodeKey(key, "s:", stage_.Statements[i]->Sentence); });
    for (Index c = 0; c < connections.Count(); ++c) {
      const int j = AddNode(stepWarrant[c], true, [&](std::string& key) { ConnectionKey(key, *connections[c]); });
      if (stepWarrant[c] >= 0) g_.StatementNodes[static_cast<Index>(stepWarrant[c])] = j;
      junctions_.push_back(j);
    }
    for (Index c = 0; c < connections.Count(); ++c)
      for (Index k = 0; k < undercutterWarrant[c].size(); ++k) {
        const int w = undercutterWarrant[c][k];
        if (w < 0) continue;
        const int u = AddNode(
            w, true, [&](std::string& key) { NodeKey(key, "u:", stage_.Statements[static_cast<Index>(w)]->Sentence); });
        g_.StatementNodes[static_cast<Index>(w)] = u;
      }
    // The recycled graph's nodes past the last were not needed.
    g_.Graph.Nodes.resize(g_.Nodes.size());
    for (Index c = 0; c < connections.Count(); ++c) AddConnection(*connections[c], c, undercutterWarrant[c]);
    return std::move(g_);
  }

private:
  // The stage's index of a statement with this sentence, or -1.
  int Find(const std::string& sentence) const {
    TStatement* found = nullptr;
    return stage_.SentenceIsStatementSentence(sentence, found) ? Find(found) : -1;
  }
  int Find(const TStatement* s) const {
    const int found = index_.Find(s);
    return found >= 0 ? found : Find(s->Sentence);
  }
  int NodeOf(const TStatement* s) const { return g_.StatementNodes[static_cast<Index>(Find(s))]; }

  template <class TKey>
  int AddNode(Index statement, bool attached, const TKey& key) {
    return AddNode(static_cast<int>(statement), attached, key);
  }
  template <class TKey>
  int AddNode(int statement, bool attached, const TKey& key) {
    const auto v = g_.Nodes.size();
    if (v == g_.Graph.Nodes.size()) g_.Graph.Nodes.emplace_back();
    TMapNode& node = g_.Graph.Nodes[v];
    key(node.Key);
    node.Width = 0;
    node.Height = 0;
    g_.Nodes.push_back(
        {statement >= 0 ? stage_.Statements[static_cast<Index>(statement)] : nullptr, attached, statement});
    return static_cast<int>(v);
  }
  int AddEdge(int from, int to) {
    g_.Graph.Edges.push_back({from, to});
    return static_cast<int>(g_.Graph.Edges.size()) - 1;
  }

  void AddConnection(const TReasonConclusion& rc, Index c, const std::vector<int>& undercutterWarrants) {
    TMapConnectionSource x;
    x.Connection = &rc;
    x.Junction = junctions_[c];
    x.EdgeIn = AddEdge(NodeOf(rc.Reason), x.Junction);
    x.EdgeOut = AddEdge(x.Junction, NodeOf(rc.Conclusion));
    const TStep* step = nullptr;
    if (g_.Evaluated) {
      x.Argument = stage_.DialecticalArguments[static_cast<Index>(Find(rc.Conclusion))];
      x.StepIndex = StepOf(x.Argument, rc);
      if (x.StepIndex >= 0) step = x.Argument->Steps[static_cast<Index>(x.StepIndex)];
      x.Step = step;
    }
    bool blocked = false;
    for (Index k = 0; k < rc.Exceptions.Count(); ++k) {
      // Later moves add exceptions to a connection in place; an earlier stage lacks them.
      const int exception = Find(rc.Exceptions[k]);
      if (exception < 0) continue;
      TMapExceptionSource e;
      e.Connection = &rc;
      e.Exception = stage_.Statements[static_cast<Index>(exception)];
      const int w = undercutterWarrants[k];
      const int from = NodeOf(e.Exception);
      if (w >= 0) {
        const int u = g_.StatementNodes[static_cast<Index>(w)];
        e.Edges = {AddEdge(from, u), AddEdge(u, x.Junction)};
      } else {
        e.Edges = {AddEdge(from, x.Junction)};
      }
      if (step) {
        e.Argument = x.Argument;
        e.StepIndex = x.StepIndex;
        e.Step = step;
        e.Undercutter = UndercutterOf(step, e.Exception);
        if (e.Undercutter >= 0) {
          const auto u = static_cast<Index>(e.Undercutter);
          e.WarrantHolds = step->Undercutters[u]->WarrantStatus == kWarrantHolds;
          e.Blocks = e.WarrantHolds && step->UndercuttingDialecticalArguments[u]->Status == kJustified;
        }
      }
      blocked = blocked || e.Blocks;
      g_.Exceptions.push_back(std::move(e));
    }
    if (step) {
      x.WarrantHolds = step->WarrantStatus == kWarrantHolds;
      const TDialecticalArgument* reason = x.Argument->InitialDialecticalArguments[static_cast<Index>(x.StepIndex)];
      x.Counts = x.WarrantHolds && reason->Status == kJustified && !blocked;
    }
    g_.Connections.push_back(x);
  }

  const TArgumentationStage& stage_;
  TMapStatementIndex& index_;
  const TMapStatementIndex& warrants_;
  std::vector<int> junctions_;
  TMapStageGraph g_;
};

}  // namespace

TMapStageGraph MapStageGraph(const TArgumentationStage& stage, TMapStageGraph recycled, TMapStatementIndex* index) {
  TMapStatementIndex own;
  return TBuilder(stage, std::move(recycled), index ? *index : own).Build();
}

}  // namespace korvane
