// The busy state of the main window while a text of moves is interpreted: a wait cursor,
// the window kept painted now and then, and nothing the user does acted on until the
// interpretation is over.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <memory>
#include <vector>

class QEvent;
class QWidget;

namespace korvane {

class TInterpretationGuard : public QObject {
  Q_OBJECT
public:
  /// window: the main window, whose close requests are held while the guard is on.
  explicit TInterpretationGuard(QWidget& window);
  ~TInterpretationGuard() override;

  /// Turns the busy state on; does nothing when it is on already.
  void Begin();
  /// Turns it off: the cursor comes back at once; what was held goes on once control is
  /// back in an event loop and no box that came up meanwhile is showing.
  void End();
  [[nodiscard]] bool Active() const { return active_; }

  /// Delivers the pending events other than user input (paint, expose, resize, timers,
  /// queued calls): at the first call of a busy state, then at most once per interval.
  void KeepPainted();
  /// The least time between two rounds of KeepPainted.
  void SetInterval(std::chrono::milliseconds interval) { interval_ = interval; }
  [[nodiscard]] std::chrono::milliseconds Interval() const { return interval_; }

  /// Lets input reach this widget and its children while busy (a progress dialog's
  /// Cancel); null lets none through again.
  void AllowInputTo(QWidget* widget) { allowed_ = widget; }

  /// Input events that reached the program's objects while it was busy, not yet delivered.
  [[nodiscard]] std::size_t HeldInputCount() const { return held_.size(); }
  /// A close request of the window came while busy and has not been carried out yet.
  [[nodiscard]] bool ClosePending() const { return closePending_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct THeld {
    QPointer<QObject> Receiver;
    std::unique_ptr<QEvent> Event;
  };
  void Release();

  QWidget& window_;
  bool active_ = false;
  bool filtering_ = false;
  bool closePending_ = false;
  std::chrono::milliseconds interval_{60};
  QElapsedTimer sinceRound_;
  QPointer<QWidget> modalAtBegin_;
  QPointer<QWidget> allowed_;
  std::vector<THeld> held_;
  QTimer release_;
};

}  // namespace korvane
