// The editable, sorted list of sentences of a move dialog, with the events the dialogs
// react to: entering the box, a change of its text, and leaving the box.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QStringListModel>

namespace korvane {

class TSentenceComboBox : public QComboBox {
  Q_OBJECT
public:
  explicit TSentenceComboBox(QWidget* parent);

  /// Entering the box selects its whole text, so that typing replaces it.
  bool SelectAllOnEnter = false;

  /// Replaces the list by texts already in the order of Sorted.
  void SetSortedSentences(const QStringList& texts);
  /// Texts in the order of the list, as a person reads a list: case aside first, then case.
  [[nodiscard]] static QStringList Sorted(QStringList texts);
  /// The text without the change event (used when the dialog resets itself).
  void SetTextQuietly(const QString& text);

  /// The list is as wide as its longest sentence, up to the screen, so that sentences
  /// that differ only far to the right can be told apart.
  void showPopup() override;

signals:
  void Entered();
  void Exited();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // Thousands of sentences go in at once, not item by item.
  QStringListModel* sentences_;
};

}  // namespace korvane
