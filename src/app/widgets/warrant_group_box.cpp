#include "app/widgets/warrant_group_box.h"

#include <algorithm>

namespace korvane {

TWarrantGroupBox::TWarrantGroupBox(const QString& title, const QString& prefix, const QRect& bounds, QWidget* parent)
    : QGroupBox(title, parent),
      asIssue_(new QCheckBox(QStringLiteral("Add as &issue"), this)),
      asAssumption_(new QCheckBox(QStringLiteral("Add as &assumption"), this)) {
  asIssue_->setObjectName(prefix + QStringLiteral("AsIssueCheckBox"));
  asAssumption_->setObjectName(prefix + QStringLiteral("AsAssumptionCheckBox"));
  connect(asIssue_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) asAssumption_->setChecked(false);
  });
  connect(asAssumption_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) asIssue_->setChecked(false);
  });
  setGeometry(bounds);
  // Placed now as well: a hidden widget hears of its size only when it is shown.
  PlaceCheckBoxes();
}

void TWarrantGroupBox::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  PlaceCheckBoxes();
}

void TWarrantGroupBox::PlaceCheckBoxes() {
  // At 16 and 120 when the captions fit there; a wider window font moves them left
  // rather than cut a caption off.
  const int issueWidth = std::max(89, asIssue_->sizeHint().width());
  const int assumptionWidth = std::max(113, asAssumption_->sizeHint().width());
  const int issueLeft = std::clamp(width() - 8 - assumptionWidth - issueWidth, 4, 16);
  asIssue_->setGeometry(issueLeft, 24, issueWidth, 17);
  const int assumptionLeft = std::max(issueLeft + issueWidth + 4, std::min(120, width() - 4 - assumptionWidth));
  asAssumption_->setGeometry(assumptionLeft, 24, assumptionWidth, 17);
}

void TWarrantGroupBox::ClearBoth() {
  asIssue_->setChecked(false);
  asAssumption_->setChecked(false);
}

}  // namespace korvane
