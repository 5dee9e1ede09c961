// A progress dialog for an interpretation that takes more than half a second. Its Cancel
// stops an opening, which then leaves the document as it was before the Open.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <cstddef>
#include <functional>

class QWidget;

namespace korvane {

class TInterpretationGuard;

class TOpeningProgress {
public:
  /// window: the dialog's parent; guard: the busy state, which lets the dialog's input through.
  TOpeningProgress(QWidget& window, TInterpretationGuard& guard) : window_(window), guard_(guard) {}
  TOpeningProgress(const TOpeningProgress&) = delete;
  TOpeningProgress& operator=(const TOpeningProgress&) = delete;
  ~TOpeningProgress();

  /// The session's Progress callback: false once Cancel was pressed.
  [[nodiscard]] std::function<bool(std::size_t, std::size_t)> Callback() {
    return [this](std::size_t examined, std::size_t total) { return Report(examined, total); };
  }
  /// How long an interpretation runs before the dialog comes up.
  void SetDelay(int milliseconds) { delayMs_ = milliseconds; }
  /// The dialog while it shows, else null.
  [[nodiscard]] QProgressDialog* Dialog() const { return dialog_; }

private:
  bool Report(std::size_t examined, std::size_t total);
  void Close();

  QWidget& window_;
  TInterpretationGuard& guard_;
  int delayMs_ = 500;
  QElapsedTimer running_;
  QPointer<QProgressDialog> dialog_;
};

}  // namespace korvane
