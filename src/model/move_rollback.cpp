#include "move_rollback.h"

namespace korvane {

TMoveRollback::TMoveRollback(const TArgumentationStage& receiver, std::vector<TStatement*> given,
                             TReasonConclusion* connection) {
  if (receiver.path_.Deferred()) return;
  active_ = true;
  store_ = &receiver.Store();
  // A move changes the type of a receiver's statement only where it has a given sentence,
  // and statuses only once its evaluation has succeeded; identifiers only of given objects.
  for (TStatement* s : given) {
    statements_.push_back({s, true, s->Id, s->StatementType, s->Status});
    TStatement* existing = nullptr;
    if (!receiver.IsNewStatement(s, existing))
      statements_.push_back({existing, false, {}, existing->StatementType, existing->Status});
  }
  if (connection) {
    connection_ = connection;
    reason_ = connection->Reason;
    conclusion_ = connection->Conclusion;
    exceptions_.Assign(connection->Exceptions);
    TReasonConclusion* existing = nullptr;
    if (!receiver.IsNewReasonConclusion(connection, existing)) {
      extended_ = existing;
      extendedExceptions_.Assign(existing->Exceptions);
      for (TStatement* e : existing->Exceptions) statements_.push_back({e, false, {}, e->StatementType, e->Status});
    }
  }
}

void TMoveRollback::Keep() {
  if (!active_) return;
  active_ = false;
  TStageHistory& history = store_->History();
  // The first record of a statement holds its state before the move.
  for (std::size_t i = 0; i < statements_.size(); ++i) {
    const TStatementState& state = statements_[i];
    bool first = true;
    for (std::size_t j = 0; j < i && first; ++j) first = statements_[j].statement != state.statement;
    if (first && state.statement->StatementType != state.type) history.TypeChanged(state.statement, state.type);
  }
  if (extended_ && extended_->Exceptions.Count() != extendedExceptions_.Count())
    history.ExceptionsChanged(extended_, extendedExceptions_);
}

TMoveRollback::~TMoveRollback() {
  if (!active_) return;
  // In reverse, so a statement recorded twice ends with its first recorded state.
  for (auto it = statements_.rbegin(); it != statements_.rend(); ++it) {
    if (it->hasId) it->statement->Id = it->id;
    it->statement->StatementType = it->type;
    it->statement->Status = it->status;
    store_->NoteChanged(it->statement);
  }
  if (connection_) {
    connection_->Reason = reason_;
    connection_->Conclusion = conclusion_;
    connection_->Exceptions.Assign(exceptions_);
  }
  if (extended_) {
    extended_->Exceptions.Assign(extendedExceptions_);
    store_->NoteChanged(extended_);
  }
}

}  // namespace korvane
