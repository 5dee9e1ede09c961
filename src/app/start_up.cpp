#include "app/start_up.h"

#include <QApplication>

#include "app/arg_int_form.h"

namespace korvane {

void InitApplication() { QApplication::setApplicationName(QStringLiteral("Korvane")); }

TForms CreateForms() {
  TForms forms;
  forms.ArgIntForm = std::make_unique<TArgIntForm>();
  const TArgIntFormDialogs& dialogs = forms.ArgIntForm->Dialogs();
  forms.StatementForm = dialogs.Statement;
  forms.ExceptionForm = dialogs.Exception;
  forms.ReasonConclusionForm = dialogs.ReasonConclusion;
  forms.AboutForm = dialogs.About;
  forms.OptionsForm = dialogs.Options;
  return forms;
}

}  // namespace korvane
