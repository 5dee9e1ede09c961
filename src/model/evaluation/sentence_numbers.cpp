#include "model/evaluation/growth.h"
#include "model/evaluation/sentence_numbers.h"

#include "model/warrant_sentences.h"

namespace korvane::evaluation {

int TSentenceNumbers::Number(const std::string& sentence) {
  return numbers_.emplace(sentence, static_cast<int>(numbers_.size())).first->second;
}

TSentenceNumbers::TKnownSentence& TSentenceNumbers::KnownOf(const TStatement* s) {
  const std::string& text = s->Sentence;
  const auto [it, added] = statementSentence_.try_emplace(s);
  TKnownSentence& k = it->second;
  if (added || !StillValid(k, text))
    k = {Number(text), text.data(), text.size(), text.size() <= kShort ? text : std::string(), s};
  return k;
}

int TSentenceNumbers::SentenceVia(const TStatement* s, TKnownSentence*& hint) {
  if (!hint || hint->owner != s || !StillValid(*hint, s->Sentence)) hint = &KnownOf(s);
  return hint->number;
}

int TSentenceNumbers::SentenceAt(std::size_t i, const TStatement* s) {
  if (statementSlots_.size() <= i) ResizeWithRoom(statementSlots_, i + 1, static_cast<decltype(statementSlots_)::value_type>(nullptr));
  return SentenceVia(s, statementSlots_[i]);
}

const TConnectionFacts& TSentenceNumbers::FactsAt(std::size_t j, const TReasonConclusion* c) {
  if (connectionSlots_.size() <= j) connectionSlots_.resize(j + 1);
  TConnectionSlot& slot = connectionSlots_[j];
  if (slot.connection != c) slot = {c, &connectionFacts_[c], nullptr, nullptr};
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
    f.warrantSentence = Number(StepWarrantSentence(c->Reason->Sentence, c->Conclusion->Sentence, c->ConnectionKind));
  }
  // Exceptions are only ever appended in place; anything else starts the list afresh.
  const std::size_t count = c->Exceptions.Count();
  bool same = f.exceptions.size() <= count;
  for (std::size_t k = 0; same && k < f.exceptions.size(); ++k)
    same = f.exceptions[k] == c->Exceptions[k] && f.exceptionSentences[k] == SentenceOf(f.exceptions[k]);
  if (!same) {
    f.exceptions.clear();
    f.exceptionSentences.clear();
    f.undercutterWarrantSentences.clear();
  }
  for (std::size_t k = f.exceptions.size(); k < count; ++k) {
    TStatement* e = c->Exceptions[k];
    f.exceptions.push_back(e);
    f.exceptionSentences.push_back(SentenceOf(e));
    f.undercutterWarrantSentences.push_back(
        Number(UndercutterWarrantSentence(e->Sentence, c->Reason->Sentence, c->Conclusion->Sentence)));
  }
  return f;
}

}  // namespace korvane::evaluation
