// What the subcommands of korvane-cli share: the answers it gives, reading the input,
// and the JSON picture of a line of argumentation.
#pragma once

#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/headless_session.h"
#include "line/messages.h"

namespace korvane::cli {

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

/// One JSON object: error, statements, connections, maximal, arguments, text.
void WriteJson(std::ostream& out, const TLineOfArgumentation& line, const std::string& error);

/// A JSON string: UTF-8 when the bytes are valid UTF-8, otherwise each byte as Latin-1.
[[nodiscard]] std::string JsonString(const std::string& bytes);

/// A message as a terminal shows it: line breaks as line feeds.
[[nodiscard]] std::string PlainText(const std::string& message);

/// Splits off "--output PATH" from the arguments; empty when absent.
[[nodiscard]] std::string TakeOutputOption(std::vector<std::string>& args);
/// Splits off "NAME VALUE" from the arguments; empty when absent.
[[nodiscard]] std::string TakeOption(std::vector<std::string>& args, const std::string& name);

/// The arguments of a subcommand: what is left after its name.
using TArgs = std::vector<std::string>;

int RunEval(TArgs args);
int RunDeleteStatement(TArgs args);
int RunDeleteConnection(TArgs args);
int RunDeleteException(TArgs args);
int RunExport(TArgs args);
int RunImport(TArgs args);

/// Reads FILE, interprets it, runs the deletion, prints the JSON and writes --output.
int RunDeletion(const std::string& file, const std::string& output,
                const std::function<bool(TSession&)>& deletion);

}  // namespace korvane::cli
