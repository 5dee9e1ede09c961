// Speed buttons that release each other: pressing one releases the rest of its group,
// yet all of them may be up, which QButtonGroup's exclusive mode does not allow.
#pragma once

#include <QObject>
#include <QPushButton>
#include <vector>

namespace korvane {

class TSpeedButtonGroup : public QObject {
  Q_OBJECT
public:
  explicit TSpeedButtonGroup(QObject* parent = nullptr);

  /// A checkable, flat-focus button that belongs to this group; a click presses it.
  [[nodiscard]] QPushButton* NewButton(const QString& caption, QWidget* parent);

  /// Puts button down and every other button of the group up.
  void Press(QAbstractButton* button);
  /// Puts every button of the group up.
  void ReleaseAll();
  /// The button that is down, or none.
  [[nodiscard]] QAbstractButton* Down() const;

private:
  std::vector<QPushButton*> buttons_;
};

}  // namespace korvane
