// What the subcommands of korvane-cli share: the answers it gives, reading the input,
// and the JSON picture of a line of argumentation.
#pragma once

#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/explanation.h"
#include "document/headless_session.h"
#include "interchange/json_text.h"
#include "interchange/unicode_text.h"
#include "line/messages.h"

namespace korvane::cli {

using interchange::TJson;

/// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFile = 3;

/// A windowless session answering Yes; its notices go to standard error.
struct TCliSession : THeadlessSession<> {
  TCliSession();
};

/// Thrown for wrong usage; the text goes to standard error with the usage line.
class TUsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

/// The lines of path, or of standard input for "-". Throws TCommandError when unreadable.
[[nodiscard]] std::vector<std::string> ReadInput(const std::string& path);

/// Interprets lines on the session's new line; the error text, or empty when none.
[[nodiscard]] std::string Interpret(TSession& session, const std::vector<std::string>& lines);

/// One JSON object: error, statements (each with its steps and why), connections,
/// maximal, arguments (each distinct one once, or every tree in full), text.
void WriteJson(std::ostream& out, const TLineOfArgumentation& line, const std::string& error,
               bool expandedArguments = false);

/// The identifier the stage gives a sentence (the object a connection holds may be one
/// that never entered the stage, when reason and conclusion share a sentence).
[[nodiscard]] std::string IdOf(const TArgumentationStage& stage, const TStatement* s);

/// The members "arguments" (each distinct argument once, as [conclusion id, [indexes of
/// its initial arguments]], after those) and "stage_arguments" (the indexes of the
/// stage's own arguments, in its order).
[[nodiscard]] TJson CompactArguments(const TArgumentationStage& stage);

/// One argument tree written out in full: [conclusion id, [sub-argument, ...]].
void WriteExpandedArgument(std::ostream& out, const TArgumentationStage& stage, const TArgument* root);

/// UTF-8 text with its control characters written as \u00XX, fit for a terminal.
[[nodiscard]] std::string TerminalText(const std::string& utf8);

/// The stage's statement that a sentence argument names: the one with exactly these
/// bytes, else the one whose sentence the JSON shows as this text; null when none.
[[nodiscard]] const TStatement* FindSentence(const TArgumentationStage& stage, const std::string& argument);

/// The sentence of the statement FindSentence finds, or the argument unchanged.
[[nodiscard]] std::string SentenceArgument(const TArgumentationStage& stage, const std::string& argument);

/// Adds the members "steps" and "why" of one statement's explanation to its JSON object.
void AddExplanation(TJson& statement, const TStatementExplanation& explanation);

/// A message as a terminal shows it: line breaks as line feeds.
[[nodiscard]] std::string PlainText(const std::string& message);

/// Splits off "NAME VALUE" from the arguments; empty when absent. what names the value
/// in the message when it is missing.
[[nodiscard]] std::string TakeOption(std::vector<std::string>& args, const std::string& name,
                                     const std::string& what = "a value");
/// The option every writing subcommand takes.
inline constexpr const char* kOutputOption = "--output";

/// The arguments of a subcommand: what is left after its name.
using TArgs = std::vector<std::string>;

int RunEval(TArgs args);
int RunDeleteStatement(TArgs args);
int RunDeleteConnection(TArgs args);
int RunDeleteException(TArgs args);
int RunExplain(TArgs args);
int RunExport(TArgs args);
int RunImport(TArgs args);

/// Reads FILE, interprets it, runs the deletion on the stage reached, prints the JSON of
/// the rebuilt line and writes --output. A reading that stopped at an error is reported
/// on standard error and makes the exit status 1, but does not prevent the deletion.
int RunDeletion(const std::string& file, const std::string& output, const std::function<bool(TSession&)>& deletion);

}  // namespace korvane::cli
