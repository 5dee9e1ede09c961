#include "modal_script.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>

namespace {

constexpr int kTickMs = 20;

QString Describe(QWidget* w) {
  if (auto* box = qobject_cast<QMessageBox*>(w)) return QStringLiteral("message box '%1': %2").arg(box->windowTitle(), box->text());
  return QStringLiteral("%1 '%2'").arg(QString::fromLatin1(w->metaObject()->className()), w->windowTitle());
}

}  // namespace

TModalScript::TModalScript(int timeoutMs) : timeoutMs_(timeoutMs) {
  connect(&timer_, &QTimer::timeout, this, &TModalScript::Tick);
  timer_.start(kTickMs);
}

TModalScript::~TModalScript() { timer_.stop(); }

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
  if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->reject();
  else w->close();
}

void TModalScript::Tick() {
  QWidget* w = QApplication::activeModalWidget();
  if (w && w == acted_ && busy_) {
    // The action has not run yet or is still running.
    actedWaitMs_ += kTickMs;
    if (actedWaitMs_ > timeoutMs_) {
      Failures << QStringLiteral("still open after its step: %1").arg(Describe(w));
      Dismiss(w);
    }
    return;
  }
  if (!w || !w->isVisible()) {
    if (!steps_.empty()) {
      waitedMs_ += kTickMs;
      if (waitedMs_ > timeoutMs_) {
        Failures << QStringLiteral("never shown: %1").arg(steps_.front().What);
        steps_.clear();
      }
    }
    return;
  }
  waitedMs_ = 0;
  if (steps_.empty() || !w->inherits(steps_.front().ClassName)) {
    Failures << QStringLiteral("unexpected %1").arg(Describe(w));
    Dismiss(w);
    return;
  }
  TStep step = std::move(steps_.front());
  steps_.pop_front();
  Record(w);
  acted_ = w;
  actedWaitMs_ = 0;
  busy_ = true;
  // Run outside this timer, so that a box the action opens is seen by the next tick.
  QTimer::singleShot(0, w, [this, w, action = std::move(step.Action)] {
    action(w);
    busy_ = false;
  });
}
