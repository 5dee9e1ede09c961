// The main window's document logic without the window: the current line of
// argumentation, the program-wide flags, and the entry points through which every
// move and deletion enters. The window owns one session and forwards to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/move_history.h"
#include "document/view_host.h"
#include "files/move_target.h"
#include "line/line_of_argumentation.h"
#include "line/messages.h"

namespace korvane {

/// Thrown out of OpenFile when its progress callback asked to stop; the document is then
/// the one before the Open.
class TOpeningCancelled : public std::runtime_error {
public:
  TOpeningCancelled() : std::runtime_error("The opening was cancelled") {}
};

class TSession : public TMoveTarget {
public:
  TSession(TAsker& asker, TViewHost& host);

  /// False only while a text of moves is interpreted: nothing is asked, nothing refused.
  bool Interactive = true;
  /// False while a text is interpreted: RefreshCurrentView then does nothing.
  bool RefreshViews = true;
  /// Redraws the showing view; set by the window.
  std::function<void()> RefreshHook;
  /// Called whenever the undo or redo list changed; set by the window.
  std::function<void()> HistoryHook;
  /// The sentence of the statement the last move, undo or redo made or changed, for the
  /// view to bring into sight; the window takes it when it redraws.
  std::optional<std::string> ChangedSentence;
  /// Called now and then while a text is interpreted, with the lines examined so far and
  /// their count, and once more with both equal at its end. Returning false stops an
  /// opening (OpenFile throws TOpeningCancelled); other interpretations go on.
  std::function<bool(std::size_t examined, std::size_t total)> Progress;

  /// The current line of argumentation; there always is one.
  [[nodiscard]] TLineOfArgumentation& Line() const override { return *line_; }
  /// Discards the current line and creates a new, empty one (FileName empty, Modified
  /// false); the undo and redo lists are emptied.
  void NewLine();

  // Entry points: each applies its operation to the current line, then refreshes the
  // view whatever the result. Objects are made with Line().NewStatement/NewReasonConclusion.
  bool PerformStatementMove(TStatement* s) override;
  void PerformReasonConclusionMove(TReasonConclusion* c) override;
  void PerformExceptionMove(TReasonConclusion* c) override;
  bool PerformDeleteStatement(TStatement* s);
  bool PerformDeleteReasonConclusion(TReasonConclusion* c);
  bool PerformDeleteException(TReasonConclusion* c);

  // Deletions. Each refuses (warning with OK) what the current stage does not hold,
  // asks before it deletes, and on Yes replaces the current line by a rebuilt one that
  // keeps FileName and is Modified. Only the sentences of the objects passed are used.
  // A rebuild that cannot be replayed to its end puts the line back as it was and
  // throws TCommandError.

  /// Deletes the statement with s's sentence and all its occurrences.
  bool DeleteStatement(const TStatement* s);
  /// Deletes the connection from c's reason to c's conclusion, with its step warrant.
  bool DeleteReasonConclusion(const TReasonConclusion* c);
  /// Deletes the first of c's Exceptions from the connection, with its undercutter warrant.
  bool DeleteException(const TReasonConclusion* c);

  // Undo and redo of the moves, deletions and appends made interactively. Undo replays
  // the text as it was before the change, as a deletion replays its text, so every stage
  // is what the moves give; redo makes the change again without questions. Both refresh
  // the view, set Modified unless they reach the state last opened or saved, and return
  // false when there was nothing to do or the rebuild failed (the error has been shown).
  bool Undo();
  bool Redo();
  [[nodiscard]] const TMoveHistory& History() const { return history_; }
  [[nodiscard]] TMoveHistory& History() { return history_; }

  /// Calls RefreshHook unless RefreshViews is false.
  void RefreshCurrentView();

  /// Puts the text of the current line into the text view.
  void ShowMovesText();
  /// Makes the moves the text view's lines describe on the current line, without
  /// questions. Throws TCommandError("List index out of bounds") for a block cut short;
  /// the moves before it stay and the flags are set back all the same.
  void InterpretLines();

  // The document commands' work, GUI-free. Each throws TCommandError with the text to show.

  /// New line with FileName path, the file's lines into the text view, interpreted, Modified false.
  void OpenFile(const std::string& path);
  /// The file's moves after the current ones; FileName unchanged.
  void AppendFile(const std::string& path);
  /// Writes the text of the current line to path, replacing the file only once the
  /// new one is complete; FileName and Modified are the caller's to set.
  void WriteFile(const std::string& path) const;

  [[nodiscard]] TViewHost& Host() const { return host_; }
  [[nodiscard]] TAsker& Asker() const { return asker_; }

private:
  // Runs a move; in interactive use a move too costly to evaluate is reported and the
  // line stays as it was, otherwise the error goes on to the interpreter.
  bool GuardedMove(const std::function<bool()>& move);
  // A deletion for the entry points: its result, or false with the error shown.
  bool GuardedDeletion(const std::function<bool()>& deletion);
  // Writes the current line's text through the text view and reads it back.
  [[nodiscard]] std::vector<std::string> MovesTextFromView();
  // Replaces the current line by a new one keeping FileName, replays lines into it,
  // and marks it modified.
  void Replay(const std::vector<std::string>& lines);
  // InterpretLines on these lines; a rebuild passes its text straight in, since the text
  // view would only be refilled with the progress line at once.
  void InterpretText(const std::vector<std::string>& lines);
  // Interprets lines into the current line, evaluating once at the end when it was empty.
  void InterpretIntoLine(const std::vector<std::string>& lines, const std::function<void(std::size_t line)>& progress);
  // Makes lines again on a new line, move by move, with the work of all moves bounded.
  void ReplayMoveByMove(const std::vector<std::string>& lines, const std::function<void(std::size_t line)>& progress,
                        std::size_t budget, std::size_t reachedSize);
  // The statement rebuild for a sentence, without asking.
  void RebuildWithoutStatement(const std::string& sentence);
  // Runs a rebuild; if it fails, the line it started from comes back and the error goes on.
  void Transaction(const std::function<void()>& rebuild);
  // The rebuilds of the connection and exception deletions, without asking.
  void RebuildWithoutConnection(const std::string& reason, const std::string& conclusion);
  void RebuildWithoutException(const std::string& exception, const std::string& reason,
                               const std::string& conclusion);
  void RebuildWithout(const TDeletedItem& item);
  // A deletion was made from the text before: it goes into the undo list.
  void RecordDeletion(TDeletedItem item, std::string name, std::vector<std::string> textBefore);
  // Runs an interactive move through GuardedMove; a move made goes into the undo list
  // under name, with sentence as the statement it made or changed.
  bool RecordedMove(std::string name, std::string sentence, const std::function<bool()>& move);
  // The lines appended since the text had `before` lines go into the undo list.
  void RecordAppended(std::size_t before, std::string name, std::string sentence);
  // After undo or redo: the flag, the sentence to show, the window told.
  void HistoryStepped(const THistoryEntry& entry);
  void HistoryChanged();

  TAsker& asker_;
  TViewHost& host_;
  // The text last shown, of which line (by serial) and up to which move: a move appends
  // its lines instead of the whole text being made again.
  std::vector<std::string> shownText_;
  std::uint64_t shownLine_ = 0;
  std::size_t shownMoves_ = 0;
  const TArgumentationMove* shownLast_ = nullptr;
  std::unique_ptr<TLineOfArgumentation> line_;
  TMoveHistory history_;
  // Set while OpenFile interprets: a false from Progress then stops it.
  bool cancellable_ = false;
  // Set while undo and redo rebuild: the text view keeps the moves' text instead of the
  // progress lines, so that the redraw after it only drops or adds the lines that changed.
  bool quietText_ = false;
  // The lines a running deletion replaced, oldest first, kept until it has succeeded.
  std::vector<std::unique_ptr<TLineOfArgumentation>> replaced_;
};

}  // namespace korvane
