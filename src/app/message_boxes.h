// The core's questions and errors as modal message boxes.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <string>

#include "line/messages.h"

namespace korvane {

/// A message as the boxes show it: bytes decoded for display, line breaks as "\n".
[[nodiscard]] QString MessageDisplayText(const std::string& text);

/// The caption of a button: "&Yes", "&No", "OK", "Cancel".
[[nodiscard]] QString AnswerCaption(TAnswer answer);

/// Where the boxes of one window go: above the dialog that is asking, else above the
/// owner; centred on the owner; and, once answered, the window the user was in is
/// active again, so that its keys work without a click.
class TBoxPlacement {
public:
  explicit TBoxPlacement(QWidget* owner = nullptr) : owner_(owner) {}

  /// The box's parent: the active modal dialog, else the owner, else the active window.
  [[nodiscard]] QWidget* Parent() const;
  /// The window the boxes are centred on: the owner's, else the parent's.
  [[nodiscard]] QWidget* CentreOn() const;
  /// Runs box modally, centred on the owner, then activates the window the box came from.
  int Exec(QDialog& box) const;

private:
  QPointer<QWidget> owner_;
};

/// Asks with a QMessageBox: the message's type, title and text, its buttons in its order,
/// its default button and its Escape answer.
class TMessageBoxAsker : public TAsker {
public:
  /// owner: the window the boxes are centred on and given back to.
  explicit TMessageBoxAsker(QWidget* owner = nullptr) : placement_(owner) {}
  TAnswer Ask(const TMessage& message) override;

private:
  TBoxPlacement placement_;
};

/// Error box: the application's title, the error icon, OK, the text followed by ".".
class TErrorBox {
public:
  explicit TErrorBox(QWidget* owner = nullptr) : placement_(owner) {}
  void ReportError(const std::string& text);
  /// The same box with the information icon, for what the user should know but did not ask.
  void ReportNotice(const QString& text);

private:
  TBoxPlacement placement_;
};

}  // namespace korvane
