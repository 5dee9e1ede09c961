// Random moves over a small set of sentences, for tests that compare evaluations. The
// sentences include the exact warrant texts of the pairs they can connect, so warrants,
// undercutter warrants, cycles, defeating connections and overruled types all occur.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/argumentation_stage.h"
#include "model/warrant_sentences.h"

namespace korvane::test {

struct GeneratedMove {
  enum Kind { Statement, ReasonConclusion, Exception } kind = Statement;
  std::string sentence, reason, conclusion;  // sentence: the statement or the exception
  TStatementType type = kIssue, reasonType = kIssue, conclusionType = kIssue;
  TConnectionKind connectionKind = kSupporting;
};

class StageGenerator {
public:
  StageGenerator(std::uint32_t seed, int baseSentences) : random_(seed) {
    for (int i = 0; i < baseSentences; ++i) base_.push_back(std::string(1, static_cast<char>('a' + i)));
  }

  /// Connections then mostly run from a later sentence to an earlier one, as in a tree of
  /// reasons, and only one in backEdgeOneIn runs the other way and may close a cycle.
  void PreferDownwards(int backEdgeOneIn) { backEdgeOneIn_ = backEdgeOneIn; }

  std::vector<GeneratedMove> Moves(int count) {
    std::vector<GeneratedMove> moves;
    for (int i = 0; i < count; ++i) moves.push_back(Move());
    return moves;
  }

  GeneratedMove Move() {
    GeneratedMove m;
    const int roll = Pick(10);
    if (roll < 4) {
      m.kind = GeneratedMove::Statement;
      m.sentence = Pick(3) == 0 ? Warrant() : Base();
      m.type = Type();
    } else if (roll < 8) {
      m.kind = GeneratedMove::ReasonConclusion;
      Pair(m.reason, m.conclusion);
      if (Pick(8) == 0) m.reason = Warrant();
      m.connectionKind = Pick(5) == 0 ? kDefeating : kSupporting;
    } else {
      m.kind = GeneratedMove::Exception;
      m.sentence = Base();
      Pair(m.reason, m.conclusion);
    }
    m.reasonType = Type();
    m.conclusionType = Type();
    return m;
  }

private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  TStatementType Type() { return Pick(2) == 0 ? kIssue : kAssumption; }
  std::string Base() { return base_[static_cast<std::size_t>(Pick(static_cast<int>(base_.size())))]; }
  void Pair(std::string& reason, std::string& conclusion) {
    const int n = static_cast<int>(base_.size());
    int r = Pick(n), c = Pick(n);
    if (backEdgeOneIn_ > 0 && Pick(backEdgeOneIn_) != 0) {
      if (r < c) std::swap(r, c);
      if (r == c) r = std::min(n - 1, c + 1 + Pick(3));
    }
    reason = base_[static_cast<std::size_t>(r)];
    conclusion = base_[static_cast<std::size_t>(c)];
  }
  std::string Warrant() {
    const std::string r = Base(), c = Base();
    if (Pick(3) == 0) return UndercutterWarrantSentence(Base(), r, c);
    return StepWarrantSentence(r, c, Pick(4) == 0 ? kDefeating : kSupporting);
  }

  std::mt19937 random_;
  std::vector<std::string> base_;
  int backEdgeOneIn_ = 0;
};

/// Connections among k statements p0..p(k-1), every one to every other in both directions
/// (p0 an assumption, the rest issues): the trees grow with every path through them.
inline std::vector<GeneratedMove> BothWaysMoves(int k) {
  std::vector<GeneratedMove> moves;
  for (int i = 0; i < k; ++i)
    for (int j = 0; j < k; ++j) {
      if (i == j) continue;
      GeneratedMove m;
      m.kind = GeneratedMove::ReasonConclusion;
      m.reason = "p" + std::to_string(i);
      m.conclusion = "p" + std::to_string(j);
      m.reasonType = i == 0 ? kAssumption : kIssue;
      m.conclusionType = j == 0 ? kAssumption : kIssue;
      moves.push_back(m);
    }
  return moves;
}

/// Gives a new connection the ends, types and kind of a generated move.
inline void FillConnection(TReasonConclusion& c, const GeneratedMove& m) {
  c.Reason->Sentence = m.reason;
  c.Reason->StatementType = m.reasonType;
  c.Conclusion->Sentence = m.conclusion;
  c.Conclusion->StatementType = m.conclusionType;
  c.ConnectionKind = m.connectionKind;
}

/// Applies a generated move to stage, with objects from its store.
inline std::unique_ptr<TArgumentationStage> Apply(const TArgumentationStage& stage, const GeneratedMove& m) {
  TModelStore& store = stage.Store();
  switch (m.kind) {
    case GeneratedMove::Statement: return stage.DoStatementMove(store.NewStatement(m.sentence, m.type));
    case GeneratedMove::ReasonConclusion:
    case GeneratedMove::Exception: {
      TReasonConclusion* c = store.NewReasonConclusion();
      FillConnection(*c, m);
      if (m.kind == GeneratedMove::ReasonConclusion) return stage.DoReasonConclusionMove(c);
      c->Exceptions.Add(store.NewStatement(m.sentence, m.type));
      return stage.DoExceptionMove(c);
    }
  }
  return nullptr;
}

}  // namespace korvane::test
