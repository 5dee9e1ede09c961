#include "views/map_statement_index.h"

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
  for (const std::string& fixed : shape.Fixed) shape.Hashes.push_back(TMapStatementIndex::HashOf(fixed));
  return shape;
}

constexpr std::uint64_t kBase = 0x9E3779B97F4A7C15ULL;

}  // namespace

TMapStatementIndex::TKey TMapStatementIndex::HashOf(std::string_view text) {
  TKey key;
  for (const char ch : text) {
    key.Hash = key.Hash * kBase + static_cast<unsigned char>(ch) + 1;
    key.Power *= kBase;
  }
  key.Length = text.size();
  return key;
}

TMapStatementIndex::TKey TMapStatementIndex::Join(TKey a, const TKey& b) {
  a.Hash = a.Hash * b.Power + b.Hash;
  a.Power *= b.Power;
  a.Length += b.Length;
  return a;
}

std::size_t TMapStatementIndex::TKeyHash::operator()(const TKey& k) const {
  return static_cast<std::size_t>(k.Hash ^ (k.Length << 48));
}

TMapStatementIndex::TMapStatementIndex()
    : supporting_(ShapeOf(2, [](const std::string& r, const std::string& c,
                                const std::string&) { return StepWarrantSentence(r, c, kSupporting); })),
      defeating_(ShapeOf(2, [](const std::string& r, const std::string& c,
                               const std::string&) { return StepWarrantSentence(r, c, kDefeating); })),
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
    hashes_.clear();
  }
  count_ = statements.Count();
  if (!buffer_) return;
  // The buffer may hold more than this list: a later stage's statements, found by
  // position and so left out by Find.
  for (; indexed_ < buffer_->size(); ++indexed_) {
    const TStatement* s = (*buffer_)[indexed_];
    Add(s, static_cast<int>(indexed_));
    hashes_.push_back(HashOf(s->Sentence));
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

int TMapStatementIndex::Position(const TStatement* s) const {
  if (slots_.empty()) return -1;
  for (Index k = Slot(s); slots_[k].first; k = (k + 1) & (slots_.size() - 1))
    if (slots_[k].first == s) return slots_[k].second;
  return -1;
}

int TMapStatementIndex::Find(const TStatement* s) const {
  const int position = Position(s);
  return position >= 0 && static_cast<std::size_t>(position) < count_ ? position : -1;
}

TMapStatementIndex::TKey TMapStatementIndex::SentenceHash(const TStatement* s) const {
  const int position = Position(s);
  return position >= 0 ? hashes_[static_cast<Index>(position)] : HashOf(s->Sentence);
}

void TMapStatementIndex::AddKey(const TShape& shape, const std::string& sentence) {
  const std::string& front = shape.Fixed.front();
  const std::string& back = shape.Fixed.back();
  if (sentence.size() < front.size() + back.size() || sentence.compare(0, front.size(), front) != 0 ||
      sentence.compare(sentence.size() - back.size(), back.size(), back) != 0)
    return;
  keys_.insert(HashOf(std::string_view(sentence).substr(front.size(), sentence.size() - front.size() - back.size())));
}

// The hash of what lies between the first and last fixed texts, joined from the
// sentences' hashes kept by the index: no sentence is read again.
bool TMapStatementIndex::Has(const TShape& shape, std::initializer_list<const TStatement*> sentences) const {
  if (keys_.empty()) return false;
  TKey key;
  std::size_t between = 0;
  for (const TStatement* s : sentences) {
    if (between > 0) key = Join(key, shape.Hashes[between]);
    key = Join(key, SentenceHash(s));
    ++between;
  }
  return keys_.count(key) > 0;
}

bool TMapStatementIndex::MayBeStepWarrant(const TReasonConclusion& rc) const {
  return Has(rc.ConnectionKind == kSupporting ? supporting_ : defeating_, {rc.Reason, rc.Conclusion});
}

bool TMapStatementIndex::MayBeUndercutterWarrant(const TStatement& exception, const TReasonConclusion& rc) const {
  return Has(undercutter_, {&exception, rc.Reason, rc.Conclusion});
}

}  // namespace korvane
