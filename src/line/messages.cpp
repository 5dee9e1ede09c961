#include "messages.h"

#include <algorithm>

namespace korvane {

namespace {

bool Has(const std::vector<TAnswer>& buttons, TAnswer answer) {
  return std::find(buttons.begin(), buttons.end(), answer) != buttons.end();
}

}  // namespace

TMessage WarningMessage(std::string text, std::vector<TAnswer> buttons) {
  TMessage m;
  m.Type = TMessageType::Warning;
  m.Title = "Warning";
  m.Text = std::move(text);
  // Display order is fixed whatever order the caller names them in.
  for (TAnswer a : {TAnswer::Yes, TAnswer::No, TAnswer::OK, TAnswer::Cancel})
    if (Has(buttons, a)) m.Buttons.push_back(a);
  m.Default = Has(m.Buttons, TAnswer::OK) ? TAnswer::OK : TAnswer::Yes;
  if (Has(m.Buttons, TAnswer::Cancel))
    m.Escape = TAnswer::Cancel;
  else if (Has(m.Buttons, TAnswer::No))
    m.Escape = TAnswer::No;
  else
    m.Escape = TAnswer::OK;
  return m;
}

TMessage ConfirmationMessage(std::string text) {
  TMessage m = WarningMessage(std::move(text), {TAnswer::Yes, TAnswer::No});
  m.Type = TMessageType::Confirmation;
  m.Title = "Confirm";
  return m;
}

TCommandError CannotOpenFileError(const std::string& path) {
  return TCommandError(TCommandErrorKind::CannotOpen, "Cannot open file " + path);
}

TCommandError CannotCreateFileError(const std::string& path) {
  return TCommandError(TCommandErrorKind::CannotCreate, "Cannot create file " + path);
}

}  // namespace korvane
