#include "app/start_up.h"

#include <QApplication>
#include <QIcon>

#include "app/arg_int_form.h"

namespace korvane {

void InitApplication() {
  QApplication::setApplicationName(QStringLiteral("Korvane"));
  // The installed theme's icon wins, so a theme may restyle it; the built-in one otherwise.
  QIcon builtIn;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
    builtIn.addFile(QStringLiteral(":/icons/korvane-%1.png").arg(size), QSize(size, size));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.korvane.Korvane"), builtIn));
}

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
