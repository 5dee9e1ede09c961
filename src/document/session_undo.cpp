// Undo and redo: the line is rebuilt from text, never taken back in place, so the stage
// reached is the one the moves of that text give.
#include <algorithm>

#include "document/session.h"

namespace korvane {

namespace {

// Sets a flag for as long as it lives, whichever way the scope is left.
class TQuietText {
public:
  explicit TQuietText(bool& flag) : flag_(flag) { flag_ = true; }
  TQuietText(const TQuietText&) = delete;
  TQuietText& operator=(const TQuietText&) = delete;
  ~TQuietText() { flag_ = false; }

private:
  bool& flag_;
};

}  // namespace

void TSession::HistoryChanged() {
  if (HistoryHook) HistoryHook();
}

bool TSession::RecordedMove(std::string name, std::string sentence, const std::function<bool()>& move) {
  return GuardedMove([&] {
    const std::size_t before = line_->ArgumentationMoves.Count();
    const bool done = move();
    // Moves made while a text is interpreted belong to the command that interprets it.
    if (Interactive && line_->ArgumentationMoves.Count() > before) {
      THistoryEntry entry;
      entry.Name = std::move(name);
      entry.Sentence = std::move(sentence);
      for (std::size_t i = before; i < line_->ArgumentationMoves.Count(); ++i) {
        const std::vector<std::string>& lines = line_->ArgumentationMoves[i]->Move;
        entry.Appended.insert(entry.Appended.end(), lines.begin(), lines.end());
      }
      ChangedSentence = entry.Sentence;
      history_.Record(std::move(entry));
      HistoryChanged();
    }
    return done;
  });
}

void TSession::RecordAppended(std::size_t before, std::string name, std::string sentence) {
  std::vector<std::string> text = line_->Text();
  if (text.size() <= before) return;
  THistoryEntry entry;
  entry.Name = std::move(name);
  entry.Sentence = std::move(sentence);
  entry.Appended.assign(text.begin() + static_cast<std::ptrdiff_t>(before), text.end());
  history_.Record(std::move(entry));
  HistoryChanged();
}

void TSession::RecordDeletion(TDeletedItem item, std::string name, std::vector<std::string> textBefore) {
  THistoryEntry entry;
  entry.Name = std::move(name);
  entry.Sentence = item.Sentence;
  entry.Deleted = std::move(item);
  entry.TextBefore = std::move(textBefore);
  history_.Record(std::move(entry));
  HistoryChanged();
}

void TSession::HistoryStepped(const THistoryEntry& entry) {
  line_->Modified = !history_.AtSaved();
  ChangedSentence = entry.Sentence;
  HistoryChanged();
  RefreshCurrentView();
}

bool TSession::Undo() {
  const THistoryEntry* entry = history_.UndoEntry();
  if (entry == nullptr || !Interactive) return false;
  const TQuietText quiet(quietText_);
  std::vector<std::string> lines;
  if (entry->Deleted) {
    lines = entry->TextBefore;
  } else {
    lines = line_->Text();
    lines.resize(lines.size() - std::min(lines.size(), entry->Appended.size()));
  }
  try {
    Transaction([&] { Replay(lines); });
  } catch (const TCommandError& error) {
    asker_.Ask(WarningMessage(error.what(), {TAnswer::OK}));
    RefreshCurrentView();
    return false;
  }
  history_.StepBack();
  HistoryStepped(*history_.RedoEntry());
  return true;
}

bool TSession::Redo() {
  const THistoryEntry* entry = history_.RedoEntry();
  if (entry == nullptr || !Interactive) return false;
  const TQuietText quiet(quietText_);
  try {
    if (entry->Deleted) {
      Transaction([&] { RebuildWithout(*entry->Deleted); });
    } else {
      const std::vector<std::string> before = line_->Text();
      try {
        InterpretText(entry->Appended);
      } catch (const TCommandError&) {
        // A redo made only in part is no redo: back to the text it started from.
        Transaction([&] { Replay(before); });
        line_->Modified = !history_.AtSaved();
        throw;
      }
    }
  } catch (const TCommandError& error) {
    asker_.Ask(WarningMessage(error.what(), {TAnswer::OK}));
    RefreshCurrentView();
    return false;
  }
  history_.StepForward();
  HistoryStepped(*history_.UndoEntry());
  return true;
}

}  // namespace korvane
