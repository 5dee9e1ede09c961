#include "app/widgets/speed_button_group.h"

namespace korvane {

namespace {

// The default style draws a checked push button barely darker than the others; a
// pressed speed button takes the selection colours instead, so the showing view is
// plain to see. The caption, size and place stay as they are.
void ShowDownState(QPushButton* b, bool down) {
  // An empty palette sets no role: the button takes its parent's again.
  QPalette p;
  if (down) {
    const QPalette inherited = b->parentWidget() ? b->parentWidget()->palette() : b->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
      p.setColor(g, QPalette::Button, inherited.color(g, QPalette::Highlight));
      p.setColor(g, QPalette::ButtonText, inherited.color(g, QPalette::HighlightedText));
    }
  }
  b->setPalette(p);
}

}  // namespace

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
  connect(b, &QPushButton::toggled, b, [b](bool down) { ShowDownState(b, down); });
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
