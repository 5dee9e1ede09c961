#include "document/session.h"

#include <exception>

#include "files/lines_interpreter.h"
#include "files/text_file.h"
#include "model/evaluation/evaluator.h"
#include "model/evaluation_limit.h"

namespace korvane {

namespace {

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Whole-stage evaluations a replay made move by move may spend, all its moves together.
constexpr std::size_t kReplayEvaluations = 3;
}  // namespace

TSession::TSession(TAsker& asker, TViewHost& host)
    : asker_(asker), host_(host), line_(std::make_unique<TLineOfArgumentation>(Interactive, asker)) {}

void TSession::NewLine() {
  // The old line goes only once the new one exists.
  auto fresh = std::make_unique<TLineOfArgumentation>(Interactive, asker_);
  line_ = std::move(fresh);
  history_.Clear();
  HistoryChanged();
}

bool TSession::GuardedMove(const std::function<bool()>& move) {
  bool done = false;
  try {
    done = move();
  } catch (const TEvaluationLimitError& error) {
    if (!Interactive) {
      RefreshCurrentView();
      throw;
    }
    // The error text ends without a full stop, as when an interpretation reports it.
    asker_.Ask(WarningMessage(std::string(error.what()) + ".", {TAnswer::OK}));
  }
  RefreshCurrentView();
  return done;
}

// The names are read before the move: the stage may drop the objects passed in.
bool TSession::PerformStatementMove(TStatement* s) {
  return RecordedMove("statement " + QuotedSentence(s->Sentence), s->Sentence,
                      [&] { return line_->DoStatementMove(s); });
}

void TSession::PerformReasonConclusionMove(TReasonConclusion* c) {
  RecordedMove("reason " + QuotedSentence(c->Reason->Sentence) + " for " + QuotedSentence(c->Conclusion->Sentence),
               c->Reason->Sentence, [&] {
                 line_->DoReasonConclusionMove(c);
                 return true;
               });
}

void TSession::PerformExceptionMove(TReasonConclusion* c) {
  const std::string& e = c->Exceptions.First()->Sentence;
  RecordedMove("exception " + QuotedSentence(e) + " to " + QuotedSentence(c->Reason->Sentence) + " for " +
                   QuotedSentence(c->Conclusion->Sentence),
               e, [&] {
                 line_->DoExceptionMove(c);
                 return true;
               });
}

bool TSession::GuardedDeletion(const std::function<bool()>& deletion) {
  bool done = false;
  try {
    done = deletion();
  } catch (const TCommandError& error) {
    // The dialog that asked stays open; the line is the one the deletion started from.
    asker_.Ask(WarningMessage(error.what(), {TAnswer::OK}));
  }
  RefreshCurrentView();
  return done;
}

bool TSession::PerformDeleteStatement(TStatement* s) {
  return GuardedDeletion([&] { return DeleteStatement(s); });
}

bool TSession::PerformDeleteReasonConclusion(TReasonConclusion* c) {
  return GuardedDeletion([&] { return DeleteReasonConclusion(c); });
}

bool TSession::PerformDeleteException(TReasonConclusion* c) {
  return GuardedDeletion([&] { return DeleteException(c); });
}

void TSession::RefreshCurrentView() {
  if (RefreshViews && RefreshHook) RefreshHook();
}

void TSession::ShowMovesText() {
  const TArgumentationMoves& moves = line_->ArgumentationMoves;
  const bool extends = shownLine_ == line_->Serial() && shownMoves_ <= moves.Count() &&
                       (shownMoves_ == 0 || moves[shownMoves_ - 1] == shownLast_);
  if (!extends) {
    shownText_.clear();
    shownMoves_ = 0;
  }
  line_->AppendText(shownMoves_, shownText_);
  shownLine_ = line_->Serial();
  shownMoves_ = moves.Count();
  shownLast_ = shownMoves_ > 0 ? moves[shownMoves_ - 1] : nullptr;
  host_.SetTextLines(shownText_);
}

void TSession::InterpretLines() { InterpretText(host_.TextLines()); }

void TSession::InterpretText(const std::vector<std::string>& lines) {
  Interactive = false;
  RefreshViews = false;
  // The flags come back and the view is redrawn once, however the interpretation ends.
  const auto finish = [this, &lines] {
    if (Progress) Progress(lines.size(), lines.size());
    Interactive = true;
    RefreshViews = true;
    host_.InterpretationEnds();
    RefreshCurrentView();
  };
  try {
    host_.InterpretationBegins();
    if (!quietText_) {
      host_.ShowTextInsteadOfDiagram();
      host_.SetTextLines({"Interpreting file", "."});
    }
    std::string progress = ".";
    InterpretIntoLine(lines, [this, &progress, &lines](std::size_t line) {
      progress += '.';
      if (!quietText_) host_.SetTextLine(1, progress);
      host_.KeepPainted();
      if (Progress && !Progress(line, lines.size()) && cancellable_) throw TOpeningCancelled();
    });
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

// Into an empty line only the stage reached is evaluated: nothing shows the stages in
// between, and each is evaluated when asked for. Should that evaluation be refused, the
// lines are made again move by move, so that the move refused is the one it would have been.
// It may spend half of what a move may: a stage that needs more is near the limit, and
// trying it whole would mostly be work done twice.
void TSession::InterpretIntoLine(const std::vector<std::string>& lines,
                                 const std::function<void(std::size_t line)>& progress) {
  TArgumentationStage& start = *line_->CurrentStage;
  if (!line_->ArgumentationMoves.Empty() || start.LiteralEvaluation()) {
    InterpretTextLines(lines, *this, progress);
    return;
  }
  const std::size_t budget = start.WorkBudget();
  start.SetEvaluationPostponed(true);
  std::exception_ptr stopped;
  try {
    InterpretTextLines(lines, *this, progress);
  } catch (const TOpeningCancelled&) {
    throw;
  } catch (...) {
    stopped = std::current_exception();
  }
  const TArgumentationStage& reached = *line_->CurrentStage;
  const std::size_t size = reached.Statements.Count() + reached.ReasonConclusions.Count();
  try {
    line_->CurrentStage->EvaluatePostponed(budget / 2);
  } catch (const TEvaluationLimitError&) {
    ReplayMoveByMove(lines, progress, budget, size);
    return;
  }
  if (stopped) std::rethrow_exception(stopped);
}

// Every move after a costly cycle group that changes what lies below the group evaluates
// the group again, so move by move a long line can take minutes. All its moves together
// may spend what a few evaluations of the whole stage reached may; the move that would
// spend more is refused like any move too costly to evaluate, and the moves before stay.
void TSession::ReplayMoveByMove(const std::vector<std::string>& lines,
                                const std::function<void(std::size_t line)>& progress, std::size_t budget,
                                std::size_t reachedSize) {
  auto fresh = std::make_unique<TLineOfArgumentation>(Interactive, asker_);
  fresh->FileName = line_->FileName;
  fresh->CurrentStage->SetWorkBudget(budget);
  line_ = std::move(fresh);
  TEvaluator& evaluator = line_->CurrentStage->Store().Evaluator();
  evaluator.CapTotalWork(kReplayEvaluations * (budget + 8 * reachedSize));
  try {
    InterpretTextLines(lines, *this, progress);
  } catch (...) {
    evaluator.CapTotalWork(std::nullopt);
    throw;
  }
  evaluator.CapTotalWork(std::nullopt);
}

void TSession::OpenFile(const std::string& path) {
  // Read first: a file that cannot be read must not cost the user the current document.
  std::vector<std::string> lines = ReadTextFile(path);
  // Kept until the file is in: a cancelled opening puts it back.
  std::unique_ptr<TLineOfArgumentation> before = std::move(line_);
  TMoveHistory historyBefore = history_;
  NewLine();
  line_->FileName = path;
  host_.SetTextLines(lines);
  cancellable_ = true;
  try {
    InterpretLines();
  } catch (const TOpeningCancelled&) {
    cancellable_ = false;
    line_ = std::move(before);
    history_ = std::move(historyBefore);
    HistoryChanged();
    ShowMovesText();
    RefreshCurrentView();
    throw;
  } catch (...) {
    cancellable_ = false;
    // The line left by a stopped interpretation was never saved as it is.
    history_.ForgetSaved();
    throw;
  }
  cancellable_ = false;
  before.reset();
  // Required as is: a stopped interpretation leaves it modified (pinned by tests/document/session_files_test.cpp).
  line_->Modified = false;
}

// An append is one change for undo: what it appended, also when it stopped part way.
void TSession::AppendFile(const std::string& path) {
  std::vector<std::string> lines = ReadTextFile(path);
  const std::size_t before = line_->Text().size();
  const std::string name = "append of " + QuotedSentence(FileNameOf(path));
  host_.SetTextLines(lines);
  try {
    InterpretLines();
  } catch (...) {
    RecordAppended(before, name, {});
    throw;
  }
  RecordAppended(before, name, {});
}

void TSession::WriteFile(const std::string& path) const { WriteTextFile(path, line_->Text()); }

}  // namespace korvane
