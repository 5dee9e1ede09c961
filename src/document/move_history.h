// The undo and redo lists of a session. A line only grows, so nothing is taken back in
// place: an entry holds what rebuilds the line on either side of its change (the lines a
// move appended, or the whole text a deletion replaced), and the session replays it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

/// Which deletion an entry made, with the sentences that make it again.
struct TDeletedItem {
  enum class TKind { Statement, Connection, Exception } Kind = TKind::Statement;
  /// Statement: the sentence; Exception: the exception's sentence.
  std::string Sentence;
  std::string Reason;
  std::string Conclusion;
};

/// One change of the line that can be undone and made again.
struct THistoryEntry {
  /// What the menus name it by, without "Undo "/"Redo ": "statement 'X'".
  std::string Name;
  /// The statement the change made or changed, for the view to bring into sight.
  std::string Sentence;
  /// Moves: the lines they appended to the text, which undo drops and redo interprets.
  std::vector<std::string> Appended;
  /// A deletion: the text before it, and what it deleted.
  std::optional<TDeletedItem> Deleted;
  std::vector<std::string> TextBefore;
};

class TMoveHistory {
public:
  /// A new change: it becomes the one to undo, and the redo list is gone.
  void Record(THistoryEntry entry);
  /// Both lists emptied; the line as it is counts as saved.
  void Clear();

  /// The entry Undo would take back, or null.
  [[nodiscard]] const THistoryEntry* UndoEntry() const;
  /// The entry Redo would make again, or null.
  [[nodiscard]] const THistoryEntry* RedoEntry() const;
  /// The undo entry has been taken back: it heads the redo list.
  void StepBack();
  /// The redo entry has been made again: it heads the undo list.
  void StepForward();

  [[nodiscard]] std::size_t UndoCount() const { return position_; }
  [[nodiscard]] std::size_t RedoCount() const { return entries_.size() - position_; }

  /// The line as it is now was opened or saved.
  void MarkSaved() { saved_ = position_; }
  /// No place in the lists holds what was saved (it was saved by no command of them).
  void ForgetSaved() { saved_.reset(); }
  /// True when undo and redo have come back to the state last opened or saved.
  [[nodiscard]] bool AtSaved() const { return saved_ == position_; }

private:
  std::vector<THistoryEntry> entries_;
  std::size_t position_ = 0;  // entries before it are undone by Undo, from it on redone
  std::optional<std::size_t> saved_ = 0;
};

/// A sentence as entry names quote it: in single quotes, a long one cut with "...".
[[nodiscard]] std::string QuotedSentence(const std::string& sentence);

}  // namespace korvane
