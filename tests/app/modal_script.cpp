#include "modal_script.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>

namespace {

QString Describe(QWidget* w) {
  if (auto* box = qobject_cast<QMessageBox*>(w))
    return QStringLiteral("message box '%1': %2").arg(box->windowTitle(), box->text());
  return QStringLiteral("%1 '%2'").arg(QString::fromLatin1(w->metaObject()->className()), w->windowTitle());
}

bool Holds(const std::vector<QPointer<QWidget>>& windows, const QWidget* w) {
  return std::find(windows.begin(), windows.end(), w) != windows.end();
}

}  // namespace

TModalScript::TModalScript(int timeoutMs) : timeoutMs_(timeoutMs), before_(QApplication::activeModalWidget()) {
  qApp->installEventFilter(this);
  deadline_.setSingleShot(true);
  deadline_.setInterval(timeoutMs_);
  connect(&deadline_, &QTimer::timeout, this, &TModalScript::TimedOut);
  deadline_.start();
  // A box may be up already.
  QueueCheck();
}

TModalScript::~TModalScript() { qApp->removeEventFilter(this); }

TModalScript& TModalScript::Click(const QString& caption) {
  return Do("QMessageBox", [caption, this](QWidget* w) {
    auto* box = static_cast<QMessageBox*>(w);
    for (QAbstractButton* b : box->buttons())
      if (b->text() == caption) {
        b->click();
        return;
      }
    Failures << QStringLiteral("no button '%1' in %2").arg(caption, Describe(w));
    Dismiss(w);
  });
}

TModalScript& TModalScript::Key(Qt::Key key) {
  return Do("QMessageBox", [key](QWidget* w) { QTest::keyClick(w, key); });
}

TModalScript& TModalScript::ChooseFile(const QString& path) {
  return Do("QFileDialog", [path](QWidget* w) {
    auto* dialog = static_cast<QFileDialog*>(w);
    if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) edit->setText(path);
    static_cast<QDialog*>(dialog)->accept();  // public in QDialog, overridden by the file dialog
  });
}

TModalScript& TModalScript::CancelFile() {
  return Do("QFileDialog", [](QWidget* w) { static_cast<QFileDialog*>(w)->reject(); });
}

TModalScript& TModalScript::Do(const char* className, std::function<void(QWidget*)> action) {
  steps_.push_back({QString::fromLatin1(className), className, std::move(action)});
  return *this;
}

QString TModalScript::Report() const {
  QStringList all = Failures;
  for (const TStep& s : steps_) all << QStringLiteral("never shown: %1").arg(s.What);
  return all.join(QStringLiteral("; "));
}

// Modal windows are judged as they are shown: the next step's kind or unexpected. The
// window that stays open under a box is never judged again, so a command still busy in
// it after the last step is not taken for a new window.
bool TModalScript::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::Show && type != QEvent::Hide && type != QEvent::WindowActivate &&
      type != QEvent::WindowDeactivate)
    return false;
  if (!watched->isWidgetType() || !static_cast<QWidget*>(watched)->isWindow()) return false;
  auto* w = static_cast<QWidget*>(watched);
  if (type == QEvent::Show && w->isModal()) {
    if (steps_.empty() || !w->inherits(steps_.front().ClassName)) {
      Failures << QStringLiteral("unexpected %1").arg(Describe(w));
      unexpected_.push_back(w);
    } else {
      shown_.push_back(w);
    }
  }
  QueueCheck();
  return false;
}

void TModalScript::QueueCheck() {
  if (checkQueued_) return;
  checkQueued_ = true;
  // Never inside the event itself: the window is not yet on the modal stack while its
  // show event is delivered.
  QMetaObject::invokeMethod(this, &TModalScript::Check, Qt::QueuedConnection);
}

void TModalScript::Check() {
  checkQueued_ = false;
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || !modal->isVisible()) return;
  if (Holds(unexpected_, modal)) {
    unexpected_.erase(std::find(unexpected_.begin(), unexpected_.end(), modal));
    Dismiss(modal);
    return;
  }
  if (!steps_.empty() && !actionPending_ && ReadyFor(modal)) Act(modal);
}

bool TModalScript::ReadyFor(QWidget* modal) const {
  if (!modal->inherits(steps_.front().ClassName)) return false;
  // Newly shown: once it is the active window, so that focus is where a user finds it.
  if (Holds(shown_, modal)) return modal->isActiveWindow();
  // Open before, under the box the last step answered: once that box is gone.
  return modal != acted_ && (!acted_ || !acted_->isVisible());
}

void TModalScript::Act(QWidget* modal) {
  TStep step = std::move(steps_.front());
  steps_.pop_front();
  Record(modal);
  acted_ = modal;
  shown_.clear();
  actionPending_ = true;
  deadline_.start();
  // Outside this check, so that a box the action opens is seen while it runs.
  QPointer<QWidget> target = modal;
  QMetaObject::invokeMethod(
      this,
      [this, target, what = step.What, action = std::move(step.Action)] {
        actionPending_ = false;
        if (target)
          action(target);
        else
          Failures << QStringLiteral("closed before its step: %1").arg(what);
        QueueCheck();
      },
      Qt::QueuedConnection);
}

void TModalScript::TimedOut() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal && !modal->isVisible()) modal = nullptr;
  if (!steps_.empty()) {
    QString what = QStringLiteral("never shown: %1").arg(steps_.front().What);
    if (modal) what += QStringLiteral(" (showing %1)").arg(Describe(modal));
    Failures << what;
    steps_.clear();
  } else if (modal && modal != before_) {
    Failures << QStringLiteral("still open after the last step: %1").arg(Describe(modal));
  } else {
    return;
  }
  // No step will answer it any more: closed, so that the command returns.
  if (modal && modal != before_) Dismiss(modal);
}

void TModalScript::Record(QWidget* w) {
  if (auto* box = qobject_cast<QMessageBox*>(w)) {
    TSeenBox seen;
    seen.Title = box->windowTitle();
    seen.Text = box->text();
    seen.Icon = box->icon();
    QList<QAbstractButton*> buttons = box->buttons();
    std::sort(buttons.begin(), buttons.end(), [box](QAbstractButton* a, QAbstractButton* b) {
      return a->mapTo(box, QPoint(0, 0)).x() < b->mapTo(box, QPoint(0, 0)).x();
    });
    for (QAbstractButton* b : buttons) seen.Buttons << b->text();
    if (box->defaultButton()) seen.Default = box->defaultButton()->text();
    if (box->escapeButton()) seen.Escape = box->escapeButton()->text();
    Boxes.push_back(seen);
  } else if (auto* dialog = qobject_cast<QFileDialog*>(w)) {
    TSeenFileDialog seen;
    seen.Title = dialog->windowTitle();
    seen.Filters = dialog->nameFilters();
    seen.SelectedFilter = dialog->selectedNameFilter();
    seen.DefaultSuffix = dialog->defaultSuffix();
    seen.Mode = dialog->acceptMode();
    seen.NonNative = dialog->testOption(QFileDialog::DontUseNativeDialog);
    seen.ConfirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
    FileDialogs.push_back(seen);
  }
}

void TModalScript::Dismiss(QWidget* w) {
  if (auto* dialog = qobject_cast<QDialog*>(w))
    dialog->reject();
  else
    w->close();
}
