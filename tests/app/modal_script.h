// Answers the modal boxes and dialogs that a command opens, in a set order, from a
// timer. Whatever it was not told to expect, and whatever does not come, is a failure;
// an unexpected window is closed so that the command returns instead of hanging.
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
  explicit TModalScript(int timeoutMs = 4000);
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

private:
  struct TStep {
    QString What;
    const char* ClassName;
    std::function<void(QWidget*)> Action;
  };
  void Tick();
  void Record(QWidget* w);
  static void Dismiss(QWidget* w);

  std::deque<TStep> steps_;
  QTimer timer_;
  int timeoutMs_;
  int waitedMs_ = 0;
  QPointer<QWidget> acted_;
  int actedWaitMs_ = 0;
  bool busy_ = false;
};
