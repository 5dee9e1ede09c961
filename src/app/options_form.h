// The Options dialog: how the arguments tree arranges the arguments. OK applies the
// choice and shows the tree; closing the window any other way changes nothing.
#pragma once

#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace korvane {

class TOptionsForm : public QDialog {
  Q_OBJECT
public:
  TOptionsForm(QWidget* parent, const QFont& font);

  /// 0 when "Arguments are coordinated" is selected, 1 for "Arguments are not coordinated".
  [[nodiscard]] int SelectedArgumentsViewMode() const;

  [[nodiscard]] QGroupBox* ArgumentsViewRadioGroup() const { return argumentsViewRadioGroup_; }
  [[nodiscard]] QRadioButton* Item(int index) const { return index == 0 ? coordinated_ : notCoordinated_; }
  [[nodiscard]] QPushButton* OKButton() const { return okButton_; }

signals:
  /// OK was pressed: the window sets its `ArgumentsViewMode` and shows the arguments tree.
  void ArgumentsViewModeChosen(int mode);

public slots:
  void OKButtonClick();

private:
  QGroupBox* argumentsViewRadioGroup_;
  QRadioButton* coordinated_;
  QRadioButton* notCoordinated_;
  QPushButton* okButton_;
};

}  // namespace korvane
