#include <QApplication>

#include "app/arg_int_form.h"
#include "app/start_up.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  korvane::InitApplication();
  korvane::TForms forms = korvane::CreateForms();
  forms.ArgIntForm->show();
  return QApplication::exec();
}
