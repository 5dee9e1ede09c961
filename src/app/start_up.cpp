#include "app/start_up.h"

#include <QApplication>

#include "app/about_form.h"
#include "app/arg_int_form.h"
#include "app/exception_form.h"
#include "app/options_form.h"
#include "app/reason_conclusion_form.h"
#include "app/statement_form.h"
#include "app/window_font.h"

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
  forms.AboutForm = new TAboutForm(&main, WindowFont());
  forms.OptionsForm = new TOptionsForm(&main, WindowFont());
  QObject::connect(forms.OptionsForm, &TOptionsForm::ArgumentsViewModeChosen, &main, [&main](int mode) {
    main.ArgumentsViewMode = mode;
    main.ShowArgumentsTree();
  });
  main.SetAboutAndOptions(forms.AboutForm, forms.OptionsForm);
  return forms;
}

}  // namespace korvane
