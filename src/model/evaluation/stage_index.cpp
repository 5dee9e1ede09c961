#include "model/evaluation/growth.h"
#include "model/evaluation/stage_index.h"

namespace korvane::evaluation {

int TStageIndex::StatementVertexOf(int sentence) const {
  const int v = FindVertex(sentence);
  return v >= 0 && Vertex(v).firstIndex != kNoStatement ? v : -1;
}

int TStageIndex::NewVertex(int sentence, TStatement* object) {
  const auto s = static_cast<std::size_t>(sentence);
  if (s >= vertexOfSentence_.size()) ResizeWithRoom(vertexOfSentence_, s + 1, -1);
  const int v = static_cast<int>(vertices_.size());
  vertexOfSentence_[s] = v;
  TVertexEntry& entry = vertices_.emplace_back();
  entry.sentence = sentence;
  entry.statement = object;
  return v;
}

// The vertex of a connection's end or exception; one that is not a statement makes the stage irregular.
int TStageIndex::EndVertex(int sentence, TStatement* object) {
  const int v = FindVertex(sentence);
  if (v >= 0) return v;
  irregular_ = true;
  return NewVertex(sentence, object);
}

void TStageIndex::Watch(int sentence, std::size_t j, std::size_t k) {
  const auto s = static_cast<std::size_t>(sentence);
  if (s >= watchers_.size()) watchers_.resize(s + 1);
  auto& list = watchers_[s];
  if (list.empty()) watchedSentences_.push_back(sentence);
  list.emplace_back(j, k);
}

void TStageIndex::AddStatement(std::size_t i, TStatement* s) {
  const int sentence = numbers_.SentenceAt(i, s);
  nextSameVertex_.push_back(kNoStatement);
  int v = FindVertex(sentence);
  if (v >= 0) {
    irregular_ = true;
    TVertexEntry& vertex = Vertex(v);
    if (vertex.firstIndex == kNoStatement) {
      vertex.firstIndex = i;
      vertex.statement = s;
    } else {
      nextSameVertex_[vertex.lastIndex] = i;
    }
    vertex.lastIndex = i;
  } else {
    v = NewVertex(sentence, s);
    Vertex(v).firstIndex = i;
    Vertex(v).lastIndex = i;
  }
  statementVertex_.push_back(v);
  Touch(v, false);
  // Connections whose warrant this sentence is now have one.
  if (static_cast<std::size_t>(sentence) >= watchers_.size()) return;
  auto& waiting = watchers_[static_cast<std::size_t>(sentence)];
  for (const auto& [j, k] : waiting) {
    TConnection& c = connections_[j];
    if (k == kStepWarrant) {
      c.warrantVertex = v;
      c.warrantStatement = s;
    } else {
      TExceptionLink& link = c.exceptionLinks[k];
      link.warrantVertex = v;
      link.warrantStatement = s;
    }
    Vertex(v).parents.push_back({c.conclusionVertex, s, false});
    Touch(c.conclusionVertex, true);
  }
  waiting.clear();
}

void TStageIndex::AddExceptionLink(std::size_t j, std::size_t k) {
  TConnection& c = connections_[j];
  const TConnectionFacts& f = *c.facts;
  TExceptionLink link;
  link.vertex = EndVertex(f.exceptionSentences[k], f.exceptions[k]);
  Vertex(link.vertex).parents.push_back({c.conclusionVertex, f.exceptions[k], false});
  link.warrantVertex = StatementVertexOf(f.undercutterWarrantSentences[k]);
  if (link.warrantVertex >= 0) {
    link.warrantStatement = Vertex(link.warrantVertex).statement;
    Vertex(link.warrantVertex).parents.push_back({c.conclusionVertex, link.warrantStatement, false});
  } else {
    Watch(f.undercutterWarrantSentences[k], j, k);
  }
  c.exceptionLinks.push_back(link);
}

void TStageIndex::AddConnection(std::size_t j, const TReasonConclusion* rc) {
  const TConnectionFacts& f = numbers_.FactsAt(j, rc);
  connectionNumber_.emplace(rc, j);
  const int cv = EndVertex(f.conclusionSentence, f.conclusion);
  const int rv = EndVertex(f.reasonSentence, f.reason);
  const int wv = StatementVertexOf(f.warrantSentence);
  TStatement* const warrant = wv >= 0 ? Vertex(wv).statement : nullptr;
  connections_.push_back({&f, rv, cv, wv, warrant, {}});
  Vertex(cv).concluding.push_back(j);
  Vertex(rv).parents.push_back({cv, f.reason, true});
  ++Vertex(rv).reasonUses;
  if (wv >= 0)
    Vertex(wv).parents.push_back({cv, warrant, false});
  else
    Watch(f.warrantSentence, j, kStepWarrant);
  for (std::size_t k = 0; k < f.exceptions.size(); ++k) AddExceptionLink(j, k);
  Touch(cv, false);
}

// Numbers the stage's sentences and groups its connections from scratch.
void TStageIndex::Prepare(const TArgumentationStage& stage) {
  for (const TVertexEntry& vertex : vertices_) vertexOfSentence_[static_cast<std::size_t>(vertex.sentence)] = -1;
  for (const int sentence : watchedSentences_) watchers_[static_cast<std::size_t>(sentence)].clear();
  watchedSentences_.clear();
  vertices_.clear();
  nextSameVertex_.clear();
  statementVertex_.clear();
  connectionNumber_.clear();
  connections_.clear();
  irregular_ = false;
  // Room for later moves, as in the graphs.
  const std::size_t n = stage.Statements.Count();
  vertices_.reserve(n + n / 2 + 64);
  statementVertex_.reserve(n + n / 2 + 64);
  nextSameVertex_.reserve(n + n / 2 + 64);
  connections_.reserve(stage.ReasonConclusions.Count() + stage.ReasonConclusions.Count() / 2 + 64);
  std::size_t i = 0;
  for (TStatement* s : stage.Statements) AddStatement(i++, s);
  std::size_t j = 0;
  for (const TReasonConclusion* c : stage.ReasonConclusions) AddConnection(j++, c);
  touches_.clear();
  changesSeen_ = stage.Store().Changes().size();
}

// The common prefix holds the same objects as they entered, but for what moves changed in
// place and noted: overruled types and added exceptions. False when a change is of another kind.
bool TStageIndex::TakeInChangesInPlace(const TArgumentationStage& stage) {
  const auto& changes = stage.Store().Changes();
  for (; changesSeen_ < changes.size(); ++changesSeen_) {
    const TModelStore::TInPlaceChange& change = changes[changesSeen_];
    if (change.statement) {
      const int v = FindVertex(numbers_.SentenceOf(change.statement));
      if (v >= 0 && Vertex(v).statement == change.statement) Touch(v, true);
      continue;
    }
    const auto found = connectionNumber_.find(change.connection);
    if (found == connectionNumber_.end() || found->second >= connectionCount_) continue;
    const std::size_t j = found->second;
    const TReasonConclusion* c = change.connection;
    const TConnectionFacts& f = Facts(j);
    const std::size_t had = ExceptionLinks(j).size();
    const std::size_t count = c->Exceptions.Count();
    if (count < had) return false;
    for (std::size_t k = 0; k < had; ++k)
      if (c->Exceptions[k] != f.exceptions[k]) return false;
    if (count == had) continue;
    if (&numbers_.FactsAt(j, c) != &f || f.exceptions.size() != count) return false;
    for (std::size_t k = had; k < count; ++k) AddExceptionLink(j, k);
    Touch(Connection(j).conclusionVertex, true);
  }
  return true;
}

// Takes in what changed since the stage last taken in, when the stage only adds to it as
// moves do; false when it must be taken in afresh.
bool TStageIndex::Extend(const TArgumentationStage& stage) {
  const auto statements = stage.Statements.SharedBuffer();
  const auto connections = stage.ReasonConclusions.SharedBuffer();
  const std::size_t n = stage.Statements.Count();
  const std::size_t m = stage.ReasonConclusions.Count();
  if (!known_ || irregular_ || store_ != &stage.Store() || n < statementCount_ || m < connectionCount_ ||
      (statementCount_ > 0 && statements != statements_) || (connectionCount_ > 0 && connections != connectionList_))
    return false;
  if (!TakeInChangesInPlace(stage)) return false;
  for (std::size_t i = statementCount_; i < n; ++i) AddStatement(i, (*statements)[i]);
  for (std::size_t j = connectionCount_; j < m; ++j) AddConnection(j, (*connections)[j]);
  return !irregular_;
}

bool TStageIndex::TakeIn(const TArgumentationStage& stage) {
  const bool extended = Extend(stage);
  if (!extended) Prepare(stage);
  known_ = true;
  store_ = &stage.Store();
  statements_ = stage.Statements.SharedBuffer();
  connectionList_ = stage.ReasonConclusions.SharedBuffer();
  statementCount_ = stage.Statements.Count();
  connectionCount_ = stage.ReasonConclusions.Count();
  return extended;
}

void TStageIndex::Forget() {
  known_ = false;
  statements_.reset();
  connectionList_.reset();
}

}  // namespace korvane::evaluation
