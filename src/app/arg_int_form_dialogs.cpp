// The windows the main window owns and opens: the two file dialogs, the move dialogs of
// the Argue commands, the About box and the Options dialog.
#include "app/about_form.h"
#include "app/arg_int_form.h"
#include "app/exception_form.h"
#include "app/options_form.h"
#include "app/reason_conclusion_form.h"
#include "app/statement_form.h"
#include "app/window_font.h"

namespace korvane {

namespace {

constexpr const char* kLinFilter = "Lines of argumentation (*.lin)";
constexpr const char* kAllFilter = "All files (*.*)";

}  // namespace

void TArgIntForm::CreateFileDialogs() {
  const QStringList filters{QString::fromLatin1(kLinFilter), QString::fromLatin1(kAllFilter)};
  QFileDialog* open = dialogs_.Open = new QFileDialog(this);
  open->setObjectName(QStringLiteral("OpenDialog1"));
  open->setOption(QFileDialog::DontUseNativeDialog);
  open->setAcceptMode(QFileDialog::AcceptOpen);
  // A name that does not exist is let through; opening it reports the error.
  open->setFileMode(QFileDialog::AnyFile);
  open->setNameFilters(filters);
  open->selectNameFilter(filters.first());

  QFileDialog* save = dialogs_.Save = new QFileDialog(this);
  save->setObjectName(QStringLiteral("SaveDialog1"));
  save->setOption(QFileDialog::DontUseNativeDialog);
  save->setAcceptMode(QFileDialog::AcceptSave);
  save->setFileMode(QFileDialog::AnyFile);
  save->setNameFilters(filters);
  save->selectNameFilter(filters.first());
  save->setDefaultSuffix(QStringLiteral("lin"));
  // Asking before an existing file is replaced is the dialog's default; said here for the reader.
  save->setOption(QFileDialog::DontConfirmOverwrite, false);
}

// The move dialogs work on the window's session, so they come once it has one.
void TArgIntForm::CreateDialogs() {
  dialogs_.Statement = new TStatementForm(*this);
  dialogs_.Exception = new TExceptionForm(*this);
  dialogs_.ReasonConclusion = new TReasonConclusionForm(*this);
  dialogs_.About = new TAboutForm(this, WindowFont());
  dialogs_.Options = new TOptionsForm(this, WindowFont());
  connect(dialogs_.Options, &TOptionsForm::ArgumentsViewModeChosen, this, [this](int mode) {
    ArgumentsViewMode = mode;
    ShowArgumentsTree();
  });
}

// Argue commands; a document without a file name takes no moves.

void TArgIntForm::StatementButtonClick() {
  if (Interpreting()) return;
  if (!Line().FileName.empty()) dialogs_.Statement->exec();
}

void TArgIntForm::ReasonConclusionButtonClick() {
  if (Interpreting()) return;
  if (!Line().FileName.empty()) dialogs_.ReasonConclusion->exec();
}

void TArgIntForm::ExceptionButtonClick() {
  if (Interpreting()) return;
  if (!Line().FileName.empty()) dialogs_.Exception->exec();
}

void TArgIntForm::Options1Click() {
  if (Interpreting()) return;
  dialogs_.Options->exec();
}

void TArgIntForm::About1Click() {
  if (Interpreting()) return;
  dialogs_.About->ShowAbout();
}

}  // namespace korvane
