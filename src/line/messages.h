// How the core asks the user and reports errors, without knowing any GUI. The program
// answers with real message boxes; tests and the command-line tool with scripted answers.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace korvane {

/// Line break inside messages.
inline constexpr const char* kLineBreak = "\r\n";

enum class TMessageType { Warning, Confirmation, Error };
enum class TAnswer { Yes, No, OK, Cancel };

/// One modal message box: type, title, text, buttons in display order, the button that
/// Enter presses and the answer that Escape (or closing the box) gives.
struct TMessage {
  TMessageType Type = TMessageType::Warning;
  std::string Title;
  std::string Text;
  std::vector<TAnswer> Buttons;
  TAnswer Default = TAnswer::OK;
  TAnswer Escape = TAnswer::OK;
};

/// A warning (title "Warning") with the given buttons, shown in the order Yes, No, OK, Cancel;
/// the default is OK when present, else Yes; Escape answers Cancel when present, else No
/// (a box with OK alone is closed by Escape as by OK).
[[nodiscard]] TMessage WarningMessage(std::string text, std::vector<TAnswer> buttons);
/// A confirmation (title "Confirm") with Yes and No.
[[nodiscard]] TMessage ConfirmationMessage(std::string text);

/// Asks the user a question and waits for the answer.
class TAsker {
public:
  virtual ~TAsker() = default;
  virtual TAnswer Ask(const TMessage& message) = 0;
};

/// What kind of failure ended a command, so callers act on it without reading its text.
enum class TCommandErrorKind {
  CannotOpen,      ///< a file could not be read; nothing was changed
  CannotCreate,    ///< a file could not be written; the old one is intact
  Interpretation,  ///< a text of moves stopped part-way; the moves before stay
  Other,
};

/// An error that ends a command: "Cannot create file ...", "Cannot open file ...",
/// "List index out of bounds". The command stops; the program goes on.
class TCommandError : public std::runtime_error {
public:
  TCommandError(TCommandErrorKind kind, const std::string& text) : std::runtime_error(text), kind_(kind) {}
  [[nodiscard]] TCommandErrorKind Kind() const { return kind_; }

private:
  TCommandErrorKind kind_;
};

/// "Cannot open file " + path.
[[nodiscard]] TCommandError CannotOpenFileError(const std::string& path);
/// "Cannot create file " + path.
[[nodiscard]] TCommandError CannotCreateFileError(const std::string& path);

}  // namespace korvane
