// Start-up: the application's title, then the main window and the dialogs, each once.
#pragma once

#include <memory>

namespace korvane {

class TAboutForm;
class TArgIntForm;
class TOptionsForm;
class TStatementForm;
class TExceptionForm;
class TReasonConclusionForm;

/// The windows of one run. The dialogs are the main window's own: its children, made
/// with it, gone with it.
struct TForms {
  std::unique_ptr<TArgIntForm> ArgIntForm;
  TStatementForm* StatementForm = nullptr;
  TExceptionForm* ExceptionForm = nullptr;
  TReasonConclusionForm* ReasonConclusionForm = nullptr;
  TAboutForm* AboutForm = nullptr;
  TOptionsForm* OptionsForm = nullptr;
};

/// Sets the application's title, "Korvane", and its window icon.
void InitApplication();

/// Creates the main window, which then makes the statement, exception and
/// reason/conclusion dialogs, the About box and the Options dialog, all hidden.
[[nodiscard]] TForms CreateForms();

}  // namespace korvane
