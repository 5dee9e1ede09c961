// Sentence numbers for the evaluation: every sentence seen in a document gets one number,
// and the facts about each connection that every evaluation needs are kept while the
// connection is unchanged. Kept for the whole document.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/reason_conclusion.h"
#include "model/statement.h"

namespace korvane::evaluation {

/// What a connection joins and the sentence numbers of its ends, warrant and exceptions.
struct TConnectionFacts {
  TStatement* reason = nullptr;
  TStatement* conclusion = nullptr;
  TConnectionKind kind = kSupporting;
  int reasonSentence = -1;
  int conclusionSentence = -1;
  int warrantSentence = -1;  ///< of the step warrant
  std::vector<TStatement*> exceptions;
  std::vector<int> exceptionSentences;           ///< parallel to exceptions
  std::vector<int> undercutterWarrantSentences;  ///< parallel to exceptions
};

class TSentenceNumbers {
public:
  /// The number of a sentence; a sentence not seen before gets the next one.
  [[nodiscard]] int Number(const std::string& sentence);
  /// The number of a statement's sentence.
  [[nodiscard]] int SentenceOf(const TStatement* s) { return KnownOf(s).number; }
  /// The same for the statement at position i of a stage's list, trying first what was
  /// found at that position last time: the stages of a line share their lists' prefixes.
  [[nodiscard]] int SentenceAt(std::size_t i, const TStatement* s);
  /// The facts of the connection at position j of a stage's list, brought up to date.
  /// The reference stays valid, and is the same object while the connection is known.
  [[nodiscard]] const TConnectionFacts& FactsAt(std::size_t j, const TReasonConclusion* c);

private:
  // Checked on every look (short texts by their bytes, long ones by their storage), so an
  // address used again by another object is not mistaken for the old one.
  struct TKnownSentence {
    int number;
    const char* data;
    std::size_t size;
    std::string shortText;
    const TStatement* owner;
  };
  // What a position of the connection list held last time.
  struct TConnectionSlot {
    const TReasonConclusion* connection = nullptr;
    TConnectionFacts* facts = nullptr;
    TKnownSentence* reason = nullptr;
    TKnownSentence* conclusion = nullptr;
  };
  static constexpr std::size_t kShort = 15;

  [[nodiscard]] static bool StillValid(const TKnownSentence& k, const std::string& text) {
    return k.size == text.size() && (k.size <= kShort ? k.shortText == text : k.data == text.data());
  }
  TKnownSentence& KnownOf(const TStatement* s);
  int SentenceVia(const TStatement* s, TKnownSentence*& hint);

  std::unordered_map<std::string, int> numbers_;
  std::unordered_map<const TStatement*, TKnownSentence> statementSentence_;
  std::unordered_map<const TReasonConclusion*, TConnectionFacts> connectionFacts_;
  std::vector<TKnownSentence*> statementSlots_;
  std::vector<TConnectionSlot> connectionSlots_;
};

}  // namespace korvane::evaluation
