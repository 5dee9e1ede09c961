#include "app/opening_progress.h"

#include <QCoreApplication>

#include "app/interpretation_guard.h"

namespace korvane {

namespace {
// A progress bar counts in int; lines are scaled into this range.
constexpr int kSteps = 1000;
}  // namespace

TOpeningProgress::~TOpeningProgress() { Close(); }

bool TOpeningProgress::Report(std::size_t examined, std::size_t total) {
  if (examined == 0) {
    Close();
    running_.start();
    return true;
  }
  if (examined >= total) {
    Close();
    return true;
  }
  if (!dialog_) {
    if (!running_.isValid() || running_.elapsed() < delayMs_) return true;
    dialog_ = new QProgressDialog(QStringLiteral("Interpreting file"), QStringLiteral("Cancel"), 0, kSteps, &window_);
    dialog_->setWindowTitle(QCoreApplication::applicationName());
    // Not modal: the busy state already holds the window's input, and a modal box would
    // stand in the way of the boxes a command shows afterwards.
    dialog_->setWindowModality(Qt::NonModal);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    guard_.AllowInputTo(dialog_);
    dialog_->show();
  }
  dialog_->setValue(static_cast<int>(examined * kSteps / total));
  // The guard holds the input meant for the window; the dialog's own is taken here.
  QCoreApplication::processEvents();
  return !dialog_->wasCanceled();
}

void TOpeningProgress::Close() {
  if (!dialog_) return;
  guard_.AllowInputTo(nullptr);
  dialog_->hide();
  dialog_->deleteLater();
  dialog_ = nullptr;
}

}  // namespace korvane
