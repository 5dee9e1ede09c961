#include "interchange/argument_graph.h"

#include <unordered_map>

#include "model/warrant_sentences.h"

namespace korvane::interchange {

TArgumentGraph::TArgumentGraph(const TArgumentationStage& stage) {
  // By sentence: a connection may hold a reason object that never entered the stage
  // (a connection from a new sentence to itself), and warrants are found by their text.
  std::unordered_map<std::string, int> index;
  for (const TStatement* s : stage.Statements) {
    index.emplace(s->Sentence, static_cast<int>(statements_.size()));
    statements_.push_back({s->Sentence, s->StatementType, s->Status});
  }
  const auto find = [&](const std::string& sentence) {
    const auto it = index.find(sentence);
    return it == index.end() ? kNone : it->second;
  };
  for (const TReasonConclusion* c : stage.ReasonConclusions) {
    TGraphConnection g;
    g.Reason = find(c->Reason->Sentence);
    g.Conclusion = find(c->Conclusion->Sentence);
    g.Kind = c->ConnectionKind;
    g.Warrant = find(StepWarrantSentence(c->Reason->Sentence, c->Conclusion->Sentence, c->ConnectionKind));
    for (const TStatement* e : c->Exceptions)
      g.Exceptions.push_back({find(e->Sentence), find(UndercutterWarrantSentence(e->Sentence, c->Reason->Sentence,
                                                                                 c->Conclusion->Sentence))});
    connections_.push_back(std::move(g));
  }
}

int TArgumentGraph::ExceptionCount() const {
  int n = 0;
  for (const TGraphConnection& c : connections_) n += static_cast<int>(c.Exceptions.size());
  return n;
}

const char* TypeName(TStatementType type) { return type == kAssumption ? "assumption" : "issue"; }

const char* StatusName(TStatus status) {
  switch (status) {
    case kJustified: return "justified";
    case kUnjustified: return "unjustified";
    default: return "unevaluated";
  }
}

const char* KindName(TConnectionKind kind) { return kind == kDefeating ? "defeating" : "supporting"; }

}  // namespace korvane::interchange
