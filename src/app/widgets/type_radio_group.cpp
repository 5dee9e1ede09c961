#include "app/widgets/type_radio_group.h"

#include "model/statement.h"

namespace korvane {

TTypeRadioGroup::TTypeRadioGroup(const QString& title, QWidget* parent)
    : QGroupBox(title, parent),
      issue_(new QRadioButton(QStringLiteral("Issue"), this)),
      assumption_(new QRadioButton(QStringLiteral("Assumption"), this)) {
  issue_->setObjectName(QStringLiteral("Issue"));
  assumption_->setObjectName(QStringLiteral("Assumption"));
  issue_->setChecked(true);
}

int TTypeRadioGroup::ItemIndex() const { return assumption_->isChecked() ? 1 : 0; }

void TTypeRadioGroup::SetItemIndex(int index) { (index == 1 ? assumption_ : issue_)->setChecked(true); }

TStatementType TTypeRadioGroup::StatementType() const { return ItemIndex() == 1 ? kAssumption : kIssue; }

void TTypeRadioGroup::SetStatementType(TStatementType type) { SetItemIndex(type == kIssue ? 0 : 1); }

void TTypeRadioGroup::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  // Two columns of equal width below the title.
  const int column = (width() - 16) / 2;
  const int h = issue_->sizeHint().height();
  const int top = 18 + std::max(0, (height() - 18 - 4 - h) / 2);
  issue_->setGeometry(8, top, column, h);
  assumption_->setGeometry(8 + column, top, column, h);
}

}  // namespace korvane
