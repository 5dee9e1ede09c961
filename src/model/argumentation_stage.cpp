#include "argumentation_stage.h"

#include <vector>

#include "evaluation/evaluator.h"
#include "move_rollback.h"

namespace korvane {

TArgumentationStage::TArgumentationStage() : TArgumentationStage(std::make_shared<TModelStore>()) {}

TArgumentationStage::TArgumentationStage(std::shared_ptr<TModelStore> store)
    : store_(std::move(store)), budget_(kEvaluationWorkBudget) {}

// Made when first needed: a line has a stage per move, and most are never evaluated by
// the plain rules.
TDialecticalStore& TArgumentationStage::DialecticalStore() {
  if (!dialectical_store_) dialectical_store_ = std::make_shared<TDialecticalStore>();
  return *dialectical_store_;
}

std::unique_ptr<TArgumentationStage> TArgumentationStage::CopyForMove() const {
  auto next = std::make_unique<TArgumentationStage>(store_);
  next->Arguments.Assign(Arguments);
  next->Statements.Assign(Statements);
  next->ReasonConclusions.Assign(ReasonConclusions);
  next->path_ = path_.ForMove();
  next->budget_ = budget_;
  next->argumentStatements_ = argumentStatements_;
  next->origin_ = path_.Deferred() ? origin_ : this;
  // The new stage's lists extend these, so it looks up through the same indexes.
  if (!statement_index_) statement_index_ = std::make_shared<TStatementIndex>();
  if (!connection_index_) connection_index_ = std::make_shared<TConnectionIndex>();
  next->statement_index_ = statement_index_;
  if (!id_index_) id_index_ = std::make_shared<TIdIndex>();
  next->id_index_ = id_index_;
  next->connection_index_ = connection_index_;
  return next;
}

std::unique_ptr<TArgumentationStage> TArgumentationStage::DoStatementMove(TStatement* s) const {
  TMoveRollback rollback(*this, {s}, nullptr);
  auto next = CopyForMove();
  TStatement* existing = nullptr;
  if (IsNewStatement(s, existing)) {
    s->Id = NextId();
    if (!path_.Postponing()) next->Arguments.Add(store_->NewArgument(s));
    next->Statements.Add(s);
  } else {
    // The new type overrules the old one on the shared object, in every stage holding it.
    existing->Sentence = s->Sentence;
    existing->StatementType = s->StatementType;
    store_->NoteChanged(existing);
  }
  next->FinishMove();
  rollback.Keep();
  next->historyMark_ = store_->History().Mark();
  return next;
}

std::unique_ptr<TArgumentationStage> TArgumentationStage::DoReasonConclusionMove(TReasonConclusion* c) const {
  TMoveRollback rollback(*this, {c->Conclusion, c->Reason}, c);
  auto next = CopyForMove();
  next->path_.Defer();
  // The conclusion first, so that when both are new it gets the lower identifier.
  next = next->DoStatementMove(c->Conclusion);
  next = next->DoStatementMove(c->Reason);
  // Statements that existed before this move replace the ones passed in; new ones
  // already are the objects that entered the stage. (Sentences are unique in a stage.)
  TStatement* existingReason = nullptr;
  TStatement* existingConclusion = nullptr;
  if (!IsNewStatement(c->Reason, existingReason)) c->Reason = existingReason;
  if (!IsNewStatement(c->Conclusion, existingConclusion)) c->Conclusion = existingConclusion;
  TReasonConclusion* existing = nullptr;
  if (IsNewReasonConclusion(c, existing)) next->ReasonConclusions.Add(c);
  next->path_.ResumeAs(path_);
  if (path_.Postponing())
    next->argumentStatements_ = next->Statements.Count();
  else
    next->RecomputeArguments();
  next->FinishMove();
  rollback.Keep();
  next->historyMark_ = store_->History().Mark();
  return next;
}

std::unique_ptr<TArgumentationStage> TArgumentationStage::DoExceptionMove(TReasonConclusion* c) const {
  TStatement* const given = c->Exceptions[0];
  TMoveRollback rollback(*this, {given, c->Conclusion, c->Reason}, c);
  auto next = CopyForMove();
  next->path_.Defer();
  next = next->DoStatementMove(given);
  TStatement* existingException = nullptr;
  if (!IsNewStatement(given, existingException)) {
    c->Exceptions.Delete(0);
    c->Exceptions.Insert(0, existingException);
  }
  next = next->DoReasonConclusionMove(c);
  TReasonConclusion* existing = nullptr;
  if (!IsNewReasonConclusion(c, existing)) {
    // The connection existed before: it is extended in place, seen by every stage holding it.
    TStatement* const exception = c->Exceptions[0];
    bool known = false;
    for (TStatement* x : existing->Exceptions) {
      if (SameSentence(x->Sentence, exception->Sentence)) {
        x->StatementType = given->StatementType;
        store_->NoteChanged(x);
        known = true;
        break;
      }
    }
    if (!known) {
      existing->Exceptions.Add(exception);
      store_->NoteChanged(existing);
    }
  }
  next->path_.ResumeAs(path_);
  next->FinishMove();
  rollback.Keep();
  next->historyMark_ = store_->History().Mark();
  return next;
}

TStatement* TArgumentationStage::FindStatement(const std::string& sentence) const {
  if (!statement_index_ || (!statement_index_->Follows(Statements) && statement_index_.use_count() > 1))
    statement_index_ = std::make_shared<TStatementIndex>();
  return statement_index_->Find(Statements, sentence);
}

bool TArgumentationStage::IsNewStatement(const TStatement* s, TStatement*& existing) const {
  TStatement* const found = FindStatement(s->Sentence);
  if (!found) return true;
  existing = found;
  return false;
}

bool TArgumentationStage::IsNewReasonConclusion(const TReasonConclusion* c, TReasonConclusion*& existing) const {
  if (!connection_index_ || (!connection_index_->Follows(ReasonConclusions) && connection_index_.use_count() > 1))
    connection_index_ = std::make_shared<TConnectionIndex>();
  TReasonConclusion* const found = connection_index_->Find(ReasonConclusions, TConnectionKey()(c));
  if (!found) return true;
  existing = found;
  return false;
}

bool TArgumentationStage::SentenceIsStatementSentence(const std::string& text, TStatement*& found) const {
  TStatement* const statement = FindStatement(text);
  if (!statement) return false;
  found = statement;
  return true;
}

std::string TArgumentationStage::NextId() const {
  if (!id_index_) id_index_ = std::make_shared<TIdIndex>();
  return std::to_string(id_index_->LowestFree(Statements));
}

void TArgumentationStage::GetNewId(std::string& id) const {
  // The answer lies in 1 .. count + 1; mark which of those are taken.
  const std::size_t limit = Statements.Count() + 1;
  std::vector<bool> taken(limit + 1, false);
  for (const TStatement* p : Statements) {
    // NumberOf gives 0 for anything but a positive number.
    const auto value = static_cast<unsigned long long>(TIdIndex::NumberOf(p->Id));
    if (value >= 1 && value <= limit) taken[value] = true;
  }
  std::size_t number = 1;
  while (number < limit && taken[number]) ++number;
  id = std::to_string(number);
}

}  // namespace korvane
