#include "views/map_statement_index.h"

#include <cstring>
#include <initializer_list>

#include "model/warrant_sentences.h"

namespace korvane {

namespace {

using Index = std::size_t;

// A warrant's fixed texts, found from the model's own sentence given marker sentences.
template <class TMake>
TMapStatementIndex::TShape ShapeOf(int sentences, const TMake& make) {
  const std::string made = make(std::string(1, '\x01'), std::string(1, '\x02'), std::string(1, '\x03'));
  TMapStatementIndex::TShape shape;
  std::size_t from = 0;
  for (int k = 0; k < sentences; ++k) {
    const std::size_t at = made.find(static_cast<char>(k + 1), from);
    shape.Fixed.push_back(made.substr(from, at - from));
    from = at + 1;
  }
  shape.Fixed.push_back(made.substr(from));
  return shape;
}

TMapStatementIndex::TKey KeyOf(const std::vector<std::string_view>& pieces) {
  TMapStatementIndex::TKey key;
  char first[8] = {}, last[8] = {};
  std::size_t n = 0;
  for (auto piece = pieces.begin(); piece != pieces.end(); ++piece) {
    key.Length += piece->size();
    for (std::size_t k = 0; k < piece->size() && n < 8; ++k) first[n++] = (*piece)[k];
  }
  n = 0;
  for (auto piece = pieces.rbegin(); piece != pieces.rend() && n < 8; ++piece)
    for (std::size_t k = piece->size(); k-- > 0 && n < 8;) last[n++] = (*piece)[k];
  std::memcpy(&key.First, first, 8);
  std::memcpy(&key.Last, last, 8);
  return key;
}

}  // namespace

std::size_t TMapStatementIndex::TKeyHash::operator()(const TKey& k) const {
  return static_cast<std::size_t>((k.First * 0x9E3779B97F4A7C15ULL) ^ k.Last ^ (k.Length << 40));
}

TMapStatementIndex::TMapStatementIndex()
    : supporting_(ShapeOf(2, [](const std::string& r, const std::string& c, const std::string&) {
        return StepWarrantSentence(r, c, kSupporting);
      })),
      defeating_(ShapeOf(2, [](const std::string& r, const std::string& c, const std::string&) {
        return StepWarrantSentence(r, c, kDefeating);
      })),
      undercutter_(ShapeOf(3, [](const std::string& e, const std::string& r, const std::string& c) {
        return UndercutterWarrantSentence(e, r, c);
      })) {}

void TMapStatementIndex::Follow(const TStatements& statements) {
  auto buffer = statements.SharedBuffer();
  if (buffer != buffer_) {
    buffer_ = std::move(buffer);
    indexed_ = 0;
    slots_.assign(16, {nullptr, -1});
    keys_.clear();
  }
  count_ = statements.Count();
  if (!buffer_) return;
  // The buffer may hold more than this list: a later stage's statements, found by
  // position and so left out by Find.
  for (; indexed_ < buffer_->size(); ++indexed_) {
    const TStatement* s = (*buffer_)[indexed_];
    Add(s, static_cast<int>(indexed_));
    for (const TShape* shape : {&supporting_, &defeating_, &undercutter_}) AddKey(*shape, s->Sentence);
  }
}

std::size_t TMapStatementIndex::Slot(const TStatement* s) const {
  return static_cast<std::size_t>((reinterpret_cast<std::uintptr_t>(s) >> 4) * 0x9E3779B97F4A7C15ULL >> 20) &
         (slots_.size() - 1);
}

void TMapStatementIndex::Add(const TStatement* s, int position) {
  if (2 * (static_cast<std::size_t>(position) + 1) > slots_.size()) {
    std::vector<std::pair<const TStatement*, int>> old(2 * slots_.size(), {nullptr, -1});
    old.swap(slots_);
    for (const auto& [statement, at] : old)
      if (statement) Add(statement, at);
  }
  Index k = Slot(s);
  while (slots_[k].first && slots_[k].first != s) k = (k + 1) & (slots_.size() - 1);
  slots_[k] = {s, position};
}

int TMapStatementIndex::Find(const TStatement* s) const {
  if (slots_.empty()) return -1;
  for (Index k = Slot(s); slots_[k].first; k = (k + 1) & (slots_.size() - 1))
    if (slots_[k].first == s) return static_cast<std::size_t>(slots_[k].second) < count_ ? slots_[k].second : -1;
  return -1;
}

void TMapStatementIndex::AddKey(const TShape& shape, const std::string& sentence) {
  const std::string& front = shape.Fixed.front();
  const std::string& back = shape.Fixed.back();
  if (sentence.size() < front.size() + back.size() || sentence.compare(0, front.size(), front) != 0 ||
      sentence.compare(sentence.size() - back.size(), back.size(), back) != 0)
    return;
  pieces_.assign(1, std::string_view(sentence).substr(front.size(), sentence.size() - front.size() - back.size()));
  keys_.insert(KeyOf(pieces_));
}

bool TMapStatementIndex::Has(const TShape& shape, std::initializer_list<std::string_view> sentences) const {
  if (keys_.empty()) return false;
  pieces_.clear();
  std::size_t between = 1;
  for (const std::string_view sentence : sentences) {
    if (!pieces_.empty()) pieces_.push_back(shape.Fixed[between++]);
    pieces_.push_back(sentence);
  }
  return keys_.count(KeyOf(pieces_)) > 0;
}

bool TMapStatementIndex::MayBeStepWarrant(const TReasonConclusion& rc) const {
  return Has(rc.ConnectionKind == kSupporting ? supporting_ : defeating_,
             {rc.Reason->Sentence, rc.Conclusion->Sentence});
}

bool TMapStatementIndex::MayBeUndercutterWarrant(const TStatement& exception, const TReasonConclusion& rc) const {
  return Has(undercutter_, {exception.Sentence, rc.Reason->Sentence, rc.Conclusion->Sentence});
}

}  // namespace korvane
