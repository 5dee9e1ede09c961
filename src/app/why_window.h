// "Why?": a window beside the diagram that says why a statement has its status, or whether
// a step counts or an exception blocks it, and says it anew for every stage the line
// reaches, so it can stay open while the user argues on.
#pragma once

#include <QDialog>
#include <QString>

#include "app/box_subject.h"

class QPlainTextEdit;

namespace korvane {

/// The explanation of subject in stage, in the words of korvane-cli explain: for a
/// statement its sentence, ": " and why; for a step or an undercutter, the conclusion it
/// aims at and whether it counts or blocks, and why. Says so when the stage lacks it.
[[nodiscard]] QString WhyText(const TArgumentationStage& stage, const TBoxSubject& subject);

class TWhyWindow : public QDialog {
  Q_OBJECT
public:
  explicit TWhyWindow(QWidget* parent);

  /// Explains subject in stage and shows the window without making it modal.
  void Explain(const TBoxSubject& subject, const TArgumentationStage& stage);
  /// Explains the same subject in a new stage, while the window is open.
  void Follow(const TArgumentationStage& stage);

  [[nodiscard]] QString Text() const;

private:
  TBoxSubject subject_;
  QPlainTextEdit* text_;
};

}  // namespace korvane
