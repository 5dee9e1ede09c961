#include "app/interpretation_guard.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace korvane {

namespace {

// How long a held close or held input waits for a box that came up meanwhile.
constexpr int kRetryMs = 50;

[[nodiscard]] bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::NativeGesture: return true;
    default: return false;
  }
}

[[nodiscard]] bool IsWithin(QObject* watched, const QWidget* widget) {
  auto* target = qobject_cast<QWidget*>(watched);
  return target && (target == widget || widget->isAncestorOf(target));
}

}  // namespace

TInterpretationGuard::TInterpretationGuard(QWidget& window) : window_(window) {
  release_.setSingleShot(true);
  connect(&release_, &QTimer::timeout, this, &TInterpretationGuard::Release);
}

TInterpretationGuard::~TInterpretationGuard() {
  if (filtering_) qApp->removeEventFilter(this);
  if (active_) QApplication::restoreOverrideCursor();
}

void TInterpretationGuard::Begin() {
  if (active_) return;
  active_ = true;
  sinceRound_.invalidate();
  modalAtBegin_ = QApplication::activeModalWidget();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  qApp->installEventFilter(this);
  filtering_ = true;
}

void TInterpretationGuard::End() {
  if (!active_) return;
  active_ = false;
  qApp->removeEventFilter(this);
  filtering_ = false;
  QApplication::restoreOverrideCursor();
  // Not yet: the command that interpreted has still its last steps to take.
  if (!held_.empty() || closePending_) release_.start(0);
}

void TInterpretationGuard::KeepPainted() {
  if (!active_) return;
  if (sinceRound_.isValid() && sinceRound_.elapsed() < interval_.count()) return;
  // The window system keeps user input queued through this; it is delivered afterwards.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  sinceRound_.start();
}

// User input is acted on after the interpretation, in the order it came, as a program
// that is busy for a moment does; dropping it would lose what the user typed ahead.
// The window system holds back what comes from the user's devices; input that reaches
// an object by any other way meanwhile is held here. A close request is held too: the
// window closes once the file is read, through the usual question about unsaved
// changes, instead of tearing the document down half-made or ignoring the user.
bool TInterpretationGuard::eventFilter(QObject* watched, QEvent* event) {
  if (!active_) return false;
  if (event->type() == QEvent::Close && watched == &window_) {
    event->ignore();
    closePending_ = true;
    return true;
  }
  if (IsUserInput(event->type())) {
    if (allowed_ && (watched == allowed_->windowHandle() || IsWithin(watched, allowed_))) return false;
    held_.push_back({watched, std::unique_ptr<QEvent>(event->clone())});
    event->accept();
    return true;
  }
  return false;
}

void TInterpretationGuard::Release() {
  // A further interpretation has begun; its end releases.
  if (active_) return;
  // An error box of the command that interpreted is up: input waits until it is gone.
  QWidget* modal = QApplication::activeModalWidget();
  if (modal && modal != modalAtBegin_) {
    release_.start(kRetryMs);
    return;
  }
  std::vector<THeld> held = std::move(held_);
  held_.clear();
  for (THeld& h : held)
    if (h.Receiver) QCoreApplication::postEvent(h.Receiver, h.Event.release());
  if (!closePending_) return;
  // The question about unsaved changes must not come up over a dialog that is open.
  if (modal) {
    release_.start(kRetryMs);
    return;
  }
  closePending_ = false;
  // Queued behind the input released above, so that it goes first.
  QMetaObject::invokeMethod(&window_, &QWidget::close, Qt::QueuedConnection);
}

}  // namespace korvane
