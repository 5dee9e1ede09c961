// Answers the modal boxes and dialogs that a command opens, in a set order. A step acts
// only once its window is the active modal widget: a newly shown window when it has
// become the active window, a window that stays open under a box once the box is gone.
// Everything is driven by the windows' own show, hide and activation events; the
// timeout only limits how long a step may wait before the script gives up.
// Whatever it was not told to expect is a failure; an unexpected window is closed so
// that the command returns instead of hanging.
#pragma once

#include <QFileDialog>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

struct TSeenBox {
  QString Title;
  QString Text;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  /// Captions from left to right.
  QStringList Buttons;
  QString Default;
  QString Escape;
};

struct TSeenFileDialog {
  QString Title;
  QStringList Filters;
  QString SelectedFilter;
  QString DefaultSuffix;
  QFileDialog::AcceptMode Mode = QFileDialog::AcceptOpen;
  bool NonNative = false;
  bool ConfirmsOverwrite = false;
};

class TModalScript : public QObject {
  Q_OBJECT
public:
  /// timeoutMs: how long a step may wait for its window, and how long a modal window
  /// may stay open after the last step, before that counts as a failure.
  explicit TModalScript(int timeoutMs = 30000);
  ~TModalScript() override;

  /// A message box: click the button with this caption.
  TModalScript& Click(const QString& caption);
  /// A message box: press a key (Escape, Return).
  TModalScript& Key(Qt::Key key);
  /// A file dialog: type this path as the file name and accept.
  TModalScript& ChooseFile(const QString& path);
  /// A file dialog: cancel it.
  TModalScript& CancelFile();
  /// Any modal widget whose class inherits className: run action on it.
  TModalScript& Do(const char* className, std::function<void(QWidget*)> action);

  /// Every step was taken and nothing unexpected came.
  [[nodiscard]] bool Succeeded() const { return steps_.empty() && Failures.isEmpty(); }
  [[nodiscard]] QString Report() const;

  QStringList Failures;
  std::vector<TSeenBox> Boxes;
  std::vector<TSeenFileDialog> FileDialogs;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct TStep {
    QString What;
    const char* ClassName;
    std::function<void(QWidget*)> Action;
  };
  void QueueCheck();
  void Check();
  [[nodiscard]] bool ReadyFor(QWidget* modal) const;
  void Act(QWidget* modal);
  void TimedOut();
  void Record(QWidget* w);
  static void Dismiss(QWidget* w);

  std::deque<TStep> steps_;
  int timeoutMs_;
  QTimer deadline_;
  bool checkQueued_ = false;
  /// An action is posted and has not started yet.
  bool actionPending_ = false;
  /// The active modal widget when the script began; not the script's to close.
  QPointer<QWidget> before_;
  /// The window the last step acted on.
  QPointer<QWidget> acted_;
  /// Modal windows shown since the last step acted.
  std::vector<QPointer<QWidget>> shown_;
  /// Modal windows no step expected; closed once they are the active modal widget.
  std::vector<QPointer<QWidget>> unexpected_;
};
