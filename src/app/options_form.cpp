#include "app/options_form.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace korvane {

TOptionsForm::TOptionsForm(QWidget* parent, const QFont& font) : QDialog(parent) {
  setObjectName(QStringLiteral("OptionsForm"));
  setWindowTitle(QStringLiteral("Options"));
  setFont(font);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  move(280, 134);

  argumentsViewRadioGroup_ = new QGroupBox(QStringLiteral("Arguments view"), this);
  argumentsViewRadioGroup_->setObjectName(QStringLiteral("ArgumentsViewRadioGroup"));
  coordinated_ = new QRadioButton(QStringLiteral("Arguments are coordinated"), argumentsViewRadioGroup_);
  notCoordinated_ = new QRadioButton(QStringLiteral("Arguments are not coordinated"), argumentsViewRadioGroup_);
  coordinated_->setChecked(true);
  // 185 pixels wide, or wider where the face in use needs more room for the items.
  const int itemWidth = std::max(coordinated_->sizeHint().width(), notCoordinated_->sizeHint().width());
  const int groupWidth = std::max(185, itemWidth + 16);
  argumentsViewRadioGroup_->setGeometry(8, 8, groupWidth, 73);
  coordinated_->setGeometry(8, 18, itemWidth, 20);
  notCoordinated_->setGeometry(8, 42, itemWidth, 20);
  resize(groupWidth + 19, 131);

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
