#include "app/widgets/scroll_box.h"

#include <QChildEvent>
#include <QEvent>
#include <QScrollBar>

namespace korvane {

namespace {

void MakeWhite(QWidget* w) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, Qt::white);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

}  // namespace

TScrollBox::TScrollBox(QWidget* parent) : QScrollArea(parent), client_(new QWidget) {
  client_->setObjectName(QStringLiteral("ScrollBox1Client"));
  MakeWhite(client_);
  MakeWhite(viewport());
  setWidgetResizable(false);
  setWidget(client_);
  client_->installEventFilter(this);
  // Follow the thumb while it is dragged.
  horizontalScrollBar()->setTracking(true);
  verticalScrollBar()->setTracking(true);
}

QSize TScrollBox::ClientAreaSize() const { return maximumViewportSize(); }

void TScrollBox::Fill(QWidget* control) const { control->setGeometry(QRect(QPoint(0, 0), ClientAreaSize())); }

void TScrollBox::UpdateExtent() {
  if (updating_) return;
  updating_ = true;
  QRect used;
  for (QObject* o : client_->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (w && !w->isHidden()) used |= w->geometry();
  }
  QSize area = ClientAreaSize();
  const int right = used.isEmpty() ? 0 : used.right() + 1;
  const int bottom = used.isEmpty() ? 0 : used.bottom() + 1;
  // A scroll bar that will appear takes its room from the other direction.
  if (bottom > area.height()) area.rwidth() -= verticalScrollBar()->sizeHint().width();
  if (right > area.width()) area.rheight() -= horizontalScrollBar()->sizeHint().height();
  client_->resize(std::max(right, area.width()), std::max(bottom, area.height()));
  updating_ = false;
}

void TScrollBox::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  emit Resized();
  UpdateExtent();
}

bool TScrollBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_) {
    if (event->type() == QEvent::ChildAdded) {
      QObject* child = static_cast<QChildEvent*>(event)->child();
      if (child->isWidgetType()) child->installEventFilter(this);
    }
    return QScrollArea::eventFilter(watched, event);
  }
  switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize: UpdateExtent(); break;
    default: break;
  }
  return QScrollArea::eventFilter(watched, event);
}

}  // namespace korvane
