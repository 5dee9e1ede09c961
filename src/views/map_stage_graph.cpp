#include "views/map_stage_graph.h"

#include <unordered_map>

#include "model/dialectical_argument.h"
#include "model/warrant_sentences.h"

namespace korvane {

namespace {

using Index = std::size_t;

std::string ConnectionKey(const TReasonConclusion& c) {
  return std::to_string(c.Reason->Sentence.size()) + ':' + c.Reason->Sentence + c.Conclusion->Sentence;
}

// The step of connection c in its conclusion's dialectical argument.
int StepOf(const TDialecticalArgument* d, const TReasonConclusion& c) {
  if (!d) return -1;
  for (Index i = 0; i < d->Steps.Count(); ++i)
    if (SameSentence(d->Steps[i]->Reason->Sentence, c.Reason->Sentence)) return static_cast<int>(i);
  return -1;
}

int UndercutterOf(const TStep* step, const TStatement* exception) {
  for (Index k = 0; k < step->Undercutters.Count(); ++k)
    if (SameSentence(step->Undercutters[k]->Exception->Sentence, exception->Sentence)) return static_cast<int>(k);
  return -1;
}

class TBuilder {
public:
  explicit TBuilder(const TArgumentationStage& stage) : stage_(stage) {
    for (Index i = 0; i < stage.Statements.Count(); ++i) index_.emplace(stage.Statements[i]->Sentence, i);
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
      stepWarrant[c] = Find(StepWarrantSentence(rc.Reason->Sentence, rc.Conclusion->Sentence, rc.ConnectionKind));
      for (Index k = 0; k < rc.Exceptions.Count(); ++k)
        undercutterWarrant[c].push_back(
            Find(UndercutterWarrantSentence(rc.Exceptions[k]->Sentence, rc.Reason->Sentence, rc.Conclusion->Sentence)));
    }
    for (Index c = 0; c < connections.Count(); ++c) {
      if (stepWarrant[c] >= 0) attached[static_cast<Index>(stepWarrant[c])] = true;
      for (const int w : undercutterWarrant[c])
        if (w >= 0) attached[static_cast<Index>(w)] = true;
    }
    g_.StatementNodes.assign(stage_.Statements.Count(), -1);
    for (Index i = 0; i < stage_.Statements.Count(); ++i)
      if (!attached[i]) g_.StatementNodes[i] = AddNode("s:" + stage_.Statements[i]->Sentence, i, false);
    for (Index c = 0; c < connections.Count(); ++c) {
      const int j = AddNode("j:" + ConnectionKey(*connections[c]), stepWarrant[c], true);
      if (stepWarrant[c] >= 0) g_.StatementNodes[static_cast<Index>(stepWarrant[c])] = j;
      junctions_.push_back(j);
    }
    for (Index c = 0; c < connections.Count(); ++c)
      for (Index k = 0; k < undercutterWarrant[c].size(); ++k) {
        const int w = undercutterWarrant[c][k];
        if (w < 0) continue;
        const int u = AddNode("u:" + stage_.Statements[static_cast<Index>(w)]->Sentence, w, true);
        g_.StatementNodes[static_cast<Index>(w)] = u;
      }
    for (Index c = 0; c < connections.Count(); ++c) AddConnection(*connections[c], c, undercutterWarrant[c]);
    return std::move(g_);
  }

private:
  int Find(const std::string& sentence) const {
    const auto found = index_.find(sentence);
    return found == index_.end() ? -1 : static_cast<int>(found->second);
  }
  int NodeOf(const TStatement* s) const { return g_.StatementNodes[static_cast<Index>(Find(s->Sentence))]; }

  int AddNode(std::string key, Index statement, bool attached) {
    return AddNode(std::move(key), static_cast<int>(statement), attached);
  }
  int AddNode(std::string key, int statement, bool attached) {
    g_.Graph.Nodes.push_back({std::move(key), 0, 0});
    g_.Nodes.push_back({statement >= 0 ? stage_.Statements[static_cast<Index>(statement)] : nullptr, attached});
    return static_cast<int>(g_.Nodes.size()) - 1;
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
      x.Argument = stage_.DialecticalArguments[static_cast<Index>(Find(rc.Conclusion->Sentence))];
      x.StepIndex = StepOf(x.Argument, rc);
      if (x.StepIndex >= 0) step = x.Argument->Steps[static_cast<Index>(x.StepIndex)];
    }
    bool blocked = false;
    for (Index k = 0; k < rc.Exceptions.Count(); ++k) {
      // Later moves add exceptions to a connection in place; an earlier stage lacks them.
      const int exception = Find(rc.Exceptions[k]->Sentence);
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
  std::unordered_map<std::string, Index> index_;
  std::vector<int> junctions_;
  TMapStageGraph g_;
};

}  // namespace

TMapStageGraph MapStageGraph(const TArgumentationStage& stage) { return TBuilder(stage).Build(); }

}  // namespace korvane
