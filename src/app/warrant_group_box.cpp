#include "app/warrant_group_box.h"

namespace korvane {

TWarrantGroupBox::TWarrantGroupBox(const QString& title, const QString& prefix, QWidget* parent)
    : QGroupBox(title, parent),
      asIssue_(new QCheckBox(QStringLiteral("Add as &issue"), this)),
      asAssumption_(new QCheckBox(QStringLiteral("Add as &assumption"), this)) {
  asIssue_->setObjectName(prefix + QStringLiteral("AsIssueCheckBox"));
  asAssumption_->setObjectName(prefix + QStringLiteral("AsAssumptionCheckBox"));
  asIssue_->setGeometry(16, 24, 89, 17);
  asAssumption_->setGeometry(120, 24, 113, 17);
  connect(asIssue_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) asAssumption_->setChecked(false);
  });
  connect(asAssumption_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) asIssue_->setChecked(false);
  });
}

void TWarrantGroupBox::ClearBoth() {
  asIssue_->setChecked(false);
  asAssumption_->setChecked(false);
}

}  // namespace korvane
