#include "app/widgets/speed_button_group.h"

namespace korvane {

TSpeedButtonGroup::TSpeedButtonGroup(QObject* parent) : QObject(parent) {}

QPushButton* TSpeedButtonGroup::NewButton(const QString& caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setCheckable(true);
  b->setAutoDefault(false);
  // Speed buttons never take the focus from the window's controls.
  b->setFocusPolicy(Qt::NoFocus);
  // Connected first, so the button is down before its own click handler runs; a
  // click on a button that is already down leaves it down.
  connect(b, &QPushButton::clicked, this, [this, b] { Press(b); });
  buttons_.push_back(b);
  return b;
}

void TSpeedButtonGroup::Press(QAbstractButton* button) {
  for (QPushButton* b : buttons_) b->setChecked(b == button);
}

void TSpeedButtonGroup::ReleaseAll() {
  for (QPushButton* b : buttons_) b->setChecked(false);
}

QAbstractButton* TSpeedButtonGroup::Down() const {
  for (QPushButton* b : buttons_)
    if (b->isChecked()) return b;
  return nullptr;
}

}  // namespace korvane
