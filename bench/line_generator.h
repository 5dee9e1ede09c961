// A seeded generator of lines of argumentation as people make them, rough edges included:
// about 55% statement moves (some the exact warrant of a connection, stated as an issue or
// an assumption; some overruling a type), the rest reason/conclusion moves and, one in ten
// moves, an exception to a connection already made; support trees up to 12 deep; and one
// connection in 50 the reverse of an earlier one, closing a cycle of two statements.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/warrant_sentences.h"
#include "support/stage_generator.h"

namespace korvane::bench {

class LineGenerator {
public:
  explicit LineGenerator(std::uint32_t seed) : random_(seed) {}

  std::vector<test::GeneratedMove> Moves(int count) {
    std::vector<test::GeneratedMove> moves;
    moves.reserve(static_cast<std::size_t>(count));
    while (static_cast<int>(moves.size()) < count) moves.push_back(Move());
    return moves;
  }

private:
  struct Connection {
    int reason, conclusion;
  };

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  TStatementType Type() { return Pick(3) == 0 ? kAssumption : kIssue; }
  int NewSentence(int depth) {
    sentences_.push_back("claim " + std::to_string(sentences_.size() + 1) + " about the case");
    depth_.push_back(depth);
    return static_cast<int>(sentences_.size()) - 1;
  }
  int Existing() { return Pick(static_cast<int>(sentences_.size())); }

  test::GeneratedMove Move() {
    test::GeneratedMove m;
    const int roll = Pick(1000);
    if (sentences_.empty() || roll < 550) {
      m.kind = test::GeneratedMove::Statement;
      m.type = Type();
      if (!connections_.empty() && roll < 60) {
        // The exact warrant of a connection, stated on its own.
        const Connection& c = connections_[static_cast<std::size_t>(Pick(static_cast<int>(connections_.size())))];
        m.sentence = StepWarrantSentence(sentences_[c.reason], sentences_[c.conclusion], kSupporting);
        m.type = Pick(2) == 0 ? kAssumption : kIssue;
      } else if (!sentences_.empty() && roll < 100) {
        m.sentence = sentences_[static_cast<std::size_t>(Existing())];  // overrules the type
      } else {
        m.sentence = sentences_[static_cast<std::size_t>(NewSentence(0))];
      }
      return m;
    }
    int conclusion = Existing();
    for (int tries = 0; tries < 8 && depth_[static_cast<std::size_t>(conclusion)] >= 12; ++tries)
      conclusion = Existing();
    int reason;
    if (!connections_.empty() && Pick(50) == 0) {
      // A short cycle: a reason also supported by its conclusion.
      const Connection& c = connections_[static_cast<std::size_t>(Pick(static_cast<int>(connections_.size())))];
      reason = c.conclusion;
      conclusion = c.reason;
    } else if (Pick(4) == 0) {
      reason = Existing();
      if (reason == conclusion) reason = NewSentence(depth_[static_cast<std::size_t>(conclusion)] + 1);
    } else {
      reason = NewSentence(depth_[static_cast<std::size_t>(conclusion)] + 1);
    }
    m.reason = sentences_[static_cast<std::size_t>(reason)];
    m.conclusion = sentences_[static_cast<std::size_t>(conclusion)];
    m.reasonType = Type();
    m.conclusionType = kIssue;
    if (roll < 896 || connections_.empty()) {
      m.kind = test::GeneratedMove::ReasonConclusion;
      connections_.push_back({reason, conclusion});
    } else {
      // An exception to a connection made before.
      m.kind = test::GeneratedMove::Exception;
      const Connection& c = connections_[static_cast<std::size_t>(Pick(static_cast<int>(connections_.size())))];
      m.reason = sentences_[static_cast<std::size_t>(c.reason)];
      m.conclusion = sentences_[static_cast<std::size_t>(c.conclusion)];
      // Mostly a new sentence; now and then one already argued about elsewhere.
      const int exception = Pick(5) == 0 ? Existing() : NewSentence(depth_[static_cast<std::size_t>(c.conclusion)] + 1);
      m.sentence = sentences_[static_cast<std::size_t>(exception)];
      m.type = Type();
      m.conclusionType = kIssue;
    }
    return m;
  }

  std::mt19937 random_;
  std::vector<std::string> sentences_;
  std::vector<int> depth_;
  std::vector<Connection> connections_;
};

}  // namespace korvane::bench
