// The core's questions and errors as modal message boxes.
#pragma once

#include <QString>
#include <string>

#include "line/messages.h"

namespace korvane {

/// A message as the boxes show it: bytes decoded for display, line breaks as "\n".
[[nodiscard]] QString MessageDisplayText(const std::string& text);

/// The caption of a button: "&Yes", "&No", "OK", "Cancel".
[[nodiscard]] QString AnswerCaption(TAnswer answer);

/// Asks with a QMessageBox: the message's type, title and text, its buttons in its order,
/// its default button and its Escape answer.
class TMessageBoxAsker : public TAsker {
public:
  TAnswer Ask(const TMessage& message) override;
};

/// Error box: the application's title, the error icon, OK, the text followed by ".".
class TErrorBox {
public:
  void ReportError(const std::string& text);
};

}  // namespace korvane
