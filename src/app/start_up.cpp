#include "app/start_up.h"

#include <QApplication>

#include "app/arg_int_form.h"
#include "app/exception_form.h"
#include "app/reason_conclusion_form.h"
#include "app/statement_form.h"

namespace korvane {

void InitApplication() { QApplication::setApplicationName(QStringLiteral("Korvane")); }

TForms CreateForms() {
  TForms forms;
  forms.ArgIntForm = std::make_unique<TArgIntForm>();
  TArgIntForm& main = *forms.ArgIntForm;
  forms.StatementForm = new TStatementForm(main);
  forms.ExceptionForm = new TExceptionForm(main);
  forms.ReasonConclusionForm = new TReasonConclusionForm(main);
  main.SetMoveDialogs(forms.StatementForm, forms.ReasonConclusionForm, forms.ExceptionForm);
  // ABOUT AND OPTIONS: the About box and then the Options dialog are created here,
  // with the main window as parent, stored in forms.AboutForm and forms.OptionsForm
  // and handed over with main.SetAboutAndOptions(forms.AboutForm, forms.OptionsForm).
  return forms;
}

}  // namespace korvane
