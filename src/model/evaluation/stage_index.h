// The stage as the evaluation sees it: statements as vertices (one per sentence),
// connections grouped by conclusion with their warrants and exceptions, the parents of
// every vertex, and a log of the vertices a change touched. It is extended while later
// stages only add to the stage taken in last, as a move's do.
#pragma once

#include <cassert>
#include <cstddef>
#include <limits>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/argumentation_stage.h"
#include "model/evaluation/sentence_numbers.h"
#include "model/model_store.h"

namespace korvane::evaluation {

/// The index in Statements that no statement has.
inline constexpr std::size_t kNoStatement = std::numeric_limits<std::size_t>::max();

/// Where a connection's exception leads: the exception's vertex and its undercutter warrant.
struct TExceptionLink {
  int vertex = -1;
  int warrantVertex = -1;  ///< -1 while no statement carries the warrant sentence
  TStatement* warrantStatement = nullptr;
};

/// An edge seen from its lower end: which vertex depends on this one, through which object.
struct TParentLink {
  int vertex;
  TStatement* object;
  bool reason;  ///< a reason edge, the only kind the arguments follow
};

/// A vertex whose dialectical argument (and, unless dialecticalOnly, argument) may have changed.
struct TTouch {
  int vertex;
  bool dialecticalOnly;
};

class TStageIndex {
public:
  /// Brings the numbering and grouping to the stage. True when the stage only added to the
  /// one taken in last and was taken in by extending it; false when it was taken in afresh.
  [[nodiscard]] bool TakeIn(const TArgumentationStage& stage);
  /// Drops what is kept about the last stage, as after a refusal half-way.
  void Forget();

  /// Two statements with one sentence, or connection ends that are not statements: such
  /// stages (never made by moves) are always evaluated in full.
  [[nodiscard]] bool Irregular() const { return irregular_; }

  /// The touch log since it was last cleared, in the order found.
  [[nodiscard]] const std::vector<TTouch>& Touches() const { return touches_; }
  /// Starts the log again, once every reader has taken it in.
  void ClearTouches() { touches_.clear(); }

  // Vertices.

  /// Vertices of the stage taken in last, numbered in the order they were met.
  [[nodiscard]] std::size_t VertexCount() const { return vertices_.size(); }
  /// The vertex of a sentence number, or -1 when the stage has none.
  [[nodiscard]] int FindVertex(int sentence) const {
    const auto s = static_cast<std::size_t>(sentence);
    return s < vertexOfSentence_.size() ? vertexOfSentence_[s] : -1;
  }
  /// The vertex of a statement's sentence, or -1.
  [[nodiscard]] int VertexOfSentenceOf(const TStatement* s) { return FindVertex(numbers_.SentenceOf(s)); }
  /// The sentence number of vertex v.
  [[nodiscard]] int VertexSentence(int v) const { return Vertex(v).sentence; }
  /// The first statement of the stage with the vertex's sentence, or the object that brought it in.
  [[nodiscard]] TStatement* VertexStatement(int v) const { return Vertex(v).statement; }
  /// The index in Statements of the vertex's first statement, or kNoStatement when no statement has its sentence.
  [[nodiscard]] std::size_t FirstStatementIndex(int v) const { return Vertex(v).firstIndex; }
  /// Connection numbers concluding the vertex, in list order.
  [[nodiscard]] const std::vector<std::size_t>& ConcludingOf(int v) const { return Vertex(v).concluding; }
  /// The edges that make other vertices depend on v, in the order they were added.
  [[nodiscard]] const std::vector<TParentLink>& ParentsOf(int v) const { return Vertex(v).parents; }
  /// Connections with the vertex as reason.
  [[nodiscard]] int ReasonUses(int v) const { return Vertex(v).reasonUses; }

  /// Calls f with every vertex v's dialectical argument (or, if not dialectical, its argument) depends on.
  template <class F>
  void ForEachChildVertex(int v, bool dialectical, F&& f) const {
    for (const std::size_t j : Vertex(v).concluding) {
      const TConnection& c = connections_[j];
      f(c.reasonVertex);
      if (!dialectical) continue;
      if (c.warrantVertex >= 0) f(c.warrantVertex);
      for (const TExceptionLink& link : c.exceptionLinks) {
        f(link.vertex);
        if (link.warrantVertex >= 0) f(link.warrantVertex);
      }
    }
  }

  // Statements, by index in the stage's list.

  /// The statement at index i.
  [[nodiscard]] TStatement* Statement(std::size_t i) const { return (*statements_)[i]; }
  /// The vertex of the statement at index i.
  [[nodiscard]] int StatementVertex(std::size_t i) const { return statementVertex_[i]; }
  /// The next index whose statement has the same vertex, or kNoStatement.
  [[nodiscard]] std::size_t NextStatementOfVertex(std::size_t i) const { return nextSameVertex_[i]; }
  /// Calls f with the index in Statements of every statement of vertex v, in list order.
  template <class F>
  void ForEachStatementOf(int v, F&& f) const {
    for (std::size_t i = Vertex(v).firstIndex; i != kNoStatement; i = nextSameVertex_[i]) f(i);
  }

  // Connections, by number in the stage's list.

  /// Connections of the stage taken in last.
  [[nodiscard]] std::size_t ConnectionCount() const { return connections_.size(); }
  /// What connection j joins, and the sentence numbers involved.
  [[nodiscard]] const TConnectionFacts& Facts(std::size_t j) const { return *Connection(j).facts; }
  /// The vertex of connection j's reason.
  [[nodiscard]] int ReasonVertex(std::size_t j) const { return Connection(j).reasonVertex; }
  /// The vertex of the connection's step warrant, or -1 while no statement carries it.
  [[nodiscard]] int WarrantVertex(std::size_t j) const { return Connection(j).warrantVertex; }
  /// The statement carrying connection j's step warrant, or null.
  [[nodiscard]] TStatement* WarrantStatement(std::size_t j) const { return Connection(j).warrantStatement; }
  /// One per exception, in order.
  [[nodiscard]] const std::vector<TExceptionLink>& ExceptionLinks(std::size_t j) const {
    return Connection(j).exceptionLinks;
  }

private:
  struct TVertexEntry {
    int sentence = -1;
    TStatement* statement = nullptr;
    std::size_t firstIndex = kNoStatement;  // in Statements
    std::size_t lastIndex = kNoStatement;   // last index in Statements with the vertex
    std::vector<std::size_t> concluding;
    std::vector<TParentLink> parents;
    int reasonUses = 0;
  };
  struct TConnection {
    const TConnectionFacts* facts;
    int reasonVertex;
    int conclusionVertex;
    int warrantVertex;
    TStatement* warrantStatement;
    std::vector<TExceptionLink> exceptionLinks;
  };

  [[nodiscard]] const TVertexEntry& Vertex(int v) const {
    assert(v >= 0 && static_cast<std::size_t>(v) < vertices_.size());
    return vertices_[static_cast<std::size_t>(v)];
  }
  [[nodiscard]] TVertexEntry& Vertex(int v) {
    assert(v >= 0 && static_cast<std::size_t>(v) < vertices_.size());
    return vertices_[static_cast<std::size_t>(v)];
  }
  [[nodiscard]] const TConnection& Connection(std::size_t j) const {
    assert(j < connections_.size());
    return connections_[j];
  }
  // Where a watch stands for the step warrant rather than an exception's undercutter warrant.
  static constexpr std::size_t kStepWarrant = std::numeric_limits<std::size_t>::max();

  [[nodiscard]] bool Extend(const TArgumentationStage& stage);
  [[nodiscard]] bool TakeInChangesInPlace(const TArgumentationStage& stage);
  void Prepare(const TArgumentationStage& stage);
  [[nodiscard]] int StatementVertexOf(int sentence) const;
  int NewVertex(int sentence, TStatement* object);
  int EndVertex(int sentence, TStatement* object);
  void Touch(int v, bool dialecticalOnly) { touches_.push_back({v, dialecticalOnly}); }
  void Watch(int sentence, std::size_t j, std::size_t k);
  void AddStatement(std::size_t i, TStatement* s);
  void AddConnection(std::size_t j, const TReasonConclusion* c);
  void AddExceptionLink(std::size_t j, std::size_t k);

  TSentenceNumbers numbers_;

  // The stage last taken in, and how far its lists and the store's in-place changes were read.
  bool known_ = false;
  bool irregular_ = false;
  const TModelStore* store_ = nullptr;
  std::shared_ptr<const std::vector<TStatement*>> statements_;
  std::shared_ptr<const std::vector<TReasonConclusion*>> connectionList_;
  std::size_t statementCount_ = 0, connectionCount_ = 0;
  std::size_t changesSeen_ = 0;

  std::vector<int> vertexOfSentence_;  // sentence number -> vertex, -1 when not in this stage
  std::vector<TVertexEntry> vertices_;
  std::vector<int> statementVertex_;  // index in Statements -> vertex
  std::vector<std::size_t> nextSameVertex_;  // index in Statements -> next index with the same vertex
  std::vector<TConnection> connections_;
  std::unordered_map<const TReasonConclusion*, std::size_t> connectionNumber_;
  // Warrant sentences no statement carries yet: sentence number -> (connection, exception or kStepWarrant).
  std::vector<std::vector<std::pair<std::size_t, std::size_t>>> watchers_;
  std::vector<int> watchedSentences_;
  std::vector<TTouch> touches_;
};

}  // namespace korvane::evaluation
