#include "document/move_history.h"

namespace korvane {

void TMoveHistory::Record(THistoryEntry entry) {
  entries_.resize(position_);
  // What was saved lay in the redo list: no undo reaches it any more.
  if (saved_ && *saved_ > position_) saved_.reset();
  entries_.push_back(std::move(entry));
  position_ = entries_.size();
}

void TMoveHistory::Clear() {
  entries_.clear();
  position_ = 0;
  saved_ = 0;
}

const THistoryEntry* TMoveHistory::UndoEntry() const { return position_ > 0 ? &entries_[position_ - 1] : nullptr; }

const THistoryEntry* TMoveHistory::RedoEntry() const {
  return position_ < entries_.size() ? &entries_[position_] : nullptr;
}

void TMoveHistory::StepBack() {
  if (position_ > 0) --position_;
}

void TMoveHistory::StepForward() {
  if (position_ < entries_.size()) ++position_;
}

std::string QuotedSentence(const std::string& sentence) {
  constexpr std::size_t kShown = 40;
  if (sentence.size() <= kShown) return "'" + sentence + "'";
  // Cut before a UTF-8 continuation byte, never inside a character.
  std::size_t cut = kShown;
  while (cut > 0 && (static_cast<unsigned char>(sentence[cut]) & 0xC0) == 0x80) --cut;
  return "'" + sentence.substr(0, cut) + "...'";
}

}  // namespace korvane
