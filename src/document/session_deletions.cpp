// The three deletions: refuse what is not there, ask, then rewrite the text of the line
// without the item and replay it on a new line.
#include "document/session.h"

#include "line/deletion_rewrite.h"
#include "model/warrant_sentences.h"

namespace korvane {

namespace {

bool HasExceptionSentence(const TReasonConclusion& connection, const std::string& sentence) {
  for (const TStatement* x : connection.Exceptions)
    if (SameSentence(x->Sentence, sentence)) return true;
  return false;
}

}  // namespace

std::vector<std::string> TSession::MovesTextFromView() {
  ShowMovesText();
  return host_.TextLines();
}

void TSession::Replay(const std::vector<std::string>& lines) {
  auto fresh = std::make_unique<TLineOfArgumentation>(Interactive, asker_);
  fresh->FileName = line_->FileName;
  replaced_.push_back(std::move(line_));
  line_ = std::move(fresh);
  InterpretText(lines);
  line_->Modified = true;
}

void TSession::RebuildWithoutStatement(const std::string& sentence) {
  std::vector<std::string> lines = MovesTextFromView();
  RewriteWithoutStatement(lines, sentence);
  Replay(lines);
}

void TSession::RebuildWithoutConnection(const std::string& reason, const std::string& conclusion) {
  // Required as is: the supporting warrant, whatever the kind (pinned by tests/document/deletions_test.cpp).
  RebuildWithoutStatement(StepWarrantSentence(reason, conclusion, kSupporting));
  std::vector<std::string> lines = MovesTextFromView();
  RewriteWithoutConnection(lines, reason, conclusion);
  Replay(lines);
}

void TSession::RebuildWithoutException(const std::string& exception, const std::string& reason,
                                       const std::string& conclusion) {
  RebuildWithoutStatement(UndercutterWarrantSentence(exception, reason, conclusion));
  std::vector<std::string> lines = MovesTextFromView();
  RewriteWithoutException(lines, exception, reason, conclusion);
  Replay(lines);
}

void TSession::RebuildWithout(const TDeletedItem& item) {
  switch (item.Kind) {
    case TDeletedItem::TKind::Statement: RebuildWithoutStatement(item.Sentence); break;
    case TDeletedItem::TKind::Connection: RebuildWithoutConnection(item.Reason, item.Conclusion); break;
    case TDeletedItem::TKind::Exception: RebuildWithoutException(item.Sentence, item.Reason, item.Conclusion); break;
  }
}

void TSession::Transaction(const std::function<void()>& rebuild) {
  replaced_.clear();
  try {
    rebuild();
  } catch (...) {
    // Back to the line the deletion started from, as if it had never begun.
    if (!replaced_.empty()) line_ = std::move(replaced_.front());
    replaced_.clear();
    throw;
  }
  replaced_.clear();
}

bool TSession::DeleteStatement(const TStatement* s) {
  const std::string& x = s->Sentence;
  TStatement* existing = nullptr;
  if (line_->CurrentStage->IsNewStatement(s, existing)) {
    asker_.Ask(WarningMessage("The statement '" + x + "' has not yet been made and cannot be deleted.", {TAnswer::OK}));
    return false;
  }
  const TMessage question = WarningMessage("Do you want to delete the statement '" + x + "' and all its occurrences?",
                                           {TAnswer::Yes, TAnswer::No});
  if (asker_.Ask(question) != TAnswer::Yes) return false;
  const std::string sentence = x;  // s may belong to the line that is replaced
  std::vector<std::string> before = line_->Text();
  Transaction([&] { RebuildWithoutStatement(sentence); });
  RecordDeletion({TDeletedItem::TKind::Statement, sentence, {}, {}}, "deletion of statement " + QuotedSentence(sentence),
                 std::move(before));
  return true;
}

bool TSession::DeleteReasonConclusion(const TReasonConclusion* c) {
  const std::string r = c->Reason->Sentence;
  const std::string k = c->Conclusion->Sentence;
  TReasonConclusion* existing = nullptr;
  if (line_->CurrentStage->IsNewReasonConclusion(c, existing)) {
    asker_.Ask(
        WarningMessage("The statement '" + r + "' is not yet a reason for the statement '" + k + "'.", {TAnswer::OK}));
    return false;
  }
  const TMessage question =
      WarningMessage("Do you want to delete the connection" + std::string(kLineBreak) + "between the reason '" + r +
                         "'" + kLineBreak + "and the conclusion '" + k + "'?",
                     {TAnswer::Yes, TAnswer::No});
  if (asker_.Ask(question) != TAnswer::Yes) return false;
  std::vector<std::string> before = line_->Text();
  Transaction([&] { RebuildWithoutConnection(r, k); });
  RecordDeletion({TDeletedItem::TKind::Connection, r, r, k},
                 "deletion of reason " + QuotedSentence(r) + " for " + QuotedSentence(k), std::move(before));
  return true;
}

bool TSession::DeleteException(const TReasonConclusion* c) {
  const std::string e = c->Exceptions.First()->Sentence;
  const std::string r = c->Reason->Sentence;
  const std::string k = c->Conclusion->Sentence;
  TReasonConclusion* existing = nullptr;
  const bool found = !line_->CurrentStage->IsNewReasonConclusion(c, existing) && HasExceptionSentence(*existing, e);
  if (!found) {
    // Required as is: no quote before the conclusion, here and below (pinned by tests/document/deletions_test.cpp).
    asker_.Ask(WarningMessage("The statement '" + e + "'" + kLineBreak +
                                  "is not yet an exception blocking the connection" + kLineBreak +
                                  "between the reason '" + r + "'" + kLineBreak + "and the conclusion " + k + "'.",
                              {TAnswer::OK}));
    return false;
  }
  const TMessage question = WarningMessage("Do you want to delete the exception '" + e + "'" + kLineBreak +
                                               "blocking the connection between the reason '" + r + "'" + kLineBreak +
                                               "and the conclusion " + k + "'?",
                                           {TAnswer::Yes, TAnswer::No});
  if (asker_.Ask(question) != TAnswer::Yes) return false;
  std::vector<std::string> before = line_->Text();
  Transaction([&] { RebuildWithoutException(e, r, k); });
  RecordDeletion({TDeletedItem::TKind::Exception, e, r, k},
                 "deletion of exception " + QuotedSentence(e) + " to " + QuotedSentence(r) + " for " + QuotedSentence(k),
                 std::move(before));
  return true;
}

}  // namespace korvane
