#include "app/options_form.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace korvane {

TOptionsForm::TOptionsForm(QWidget* parent, const QFont& font) : QDialog(parent) {
  setObjectName(QStringLiteral("OptionsForm"));
  setWindowTitle(QStringLiteral("Options"));
  setFont(font);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  move(280, 134);
  resize(204, 131);  // the client area of a 212 x 158 window

  argumentsViewRadioGroup_ = new QGroupBox(QStringLiteral("Arguments view"), this);
  argumentsViewRadioGroup_->setObjectName(QStringLiteral("ArgumentsViewRadioGroup"));
  argumentsViewRadioGroup_->setGeometry(8, 8, 185, 73);
  coordinated_ = new QRadioButton(QStringLiteral("Arguments are coordinated"), argumentsViewRadioGroup_);
  coordinated_->setGeometry(8, 18, 170, 20);
  notCoordinated_ = new QRadioButton(QStringLiteral("Arguments are not coordinated"), argumentsViewRadioGroup_);
  notCoordinated_->setGeometry(8, 42, 170, 20);
  coordinated_->setChecked(true);

  okButton_ = new QPushButton(QStringLiteral("&OK"), this);
  okButton_->setObjectName(QStringLiteral("OKButton"));
  okButton_->setGeometry(8, 96, 75, 25);
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, &TOptionsForm::OKButtonClick);
}

int TOptionsForm::SelectedArgumentsViewMode() const { return notCoordinated_->isChecked() ? 1 : 0; }

void TOptionsForm::OKButtonClick() {
  hide();
  emit ArgumentsViewModeChosen(SelectedArgumentsViewMode());
  accept();
}

}  // namespace korvane
