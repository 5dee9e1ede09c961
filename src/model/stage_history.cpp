#include "stage_history.h"

namespace korvane {

void TStageHistory::TypeChanged(TStatement* s, TStatementType before) {
  TChange& change = changes_.emplace_back();
  change.statement = s;
  change.typeBefore = before;
  change.typeAfter = s->StatementType;
}

void TStageHistory::ExceptionsChanged(TReasonConclusion* c, const TStatements& before) {
  TChange& change = changes_.emplace_back();
  change.connection = c;
  // Both share the list's buffer: exceptions are only appended at its end.
  change.exceptionsBefore.Assign(before);
  change.exceptionsAfter.Assign(c->Exceptions);
}

// Undone newest first and redone oldest first, so an object changed twice passes through
// each of its values in turn.
TStageHistory::TRewind::TRewind(const TStageHistory& history, std::size_t mark) : history_(history), mark_(mark) {
  for (std::size_t i = history_.changes_.size(); i > mark_; --i) {
    const TChange& change = history_.changes_[i - 1];
    if (change.statement) change.statement->StatementType = change.typeBefore;
    if (change.connection) change.connection->Exceptions.Assign(change.exceptionsBefore);
  }
}

TStageHistory::TRewind::~TRewind() {
  for (std::size_t i = mark_; i < history_.changes_.size(); ++i) {
    const TChange& change = history_.changes_[i];
    if (change.statement) change.statement->StatementType = change.typeAfter;
    if (change.connection) change.connection->Exceptions.Assign(change.exceptionsAfter);
  }
}

}  // namespace korvane
