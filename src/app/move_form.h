// What the three move dialogs share: the main window they work for, the sentences of
// its current stage, the type follow-up, and the OK, Delete and Cancel buttons.
#pragma once

#include <QDialog>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <cstddef>
#include <functional>
#include <string>

#include "app/widgets/sentence_combo_box.h"
#include "app/widgets/type_radio_group.h"
#include "model/statement.h"

namespace korvane {

class TArgIntForm;
class TArgumentationStage;
class TReasonConclusion;
class TSession;

class TMoveForm : public QDialog {
  Q_OBJECT
public:
  /// width and height are the outer size of the dialog.
  TMoveForm(TArgIntForm& main, const QString& caption, int width, int height);

  [[nodiscard]] QPushButton* OKButton() const { return okButton_; }
  [[nodiscard]] QPushButton* DeleteButton() const { return deleteButton_; }
  [[nodiscard]] QPushButton* CancelButton() const { return cancelButton_; }

  /// Closes the dialog and gives the activation back to the main window.
  void done(int result) override;

  /// Runs fill once, the next time the dialog is shown, after it has reset its boxes:
  /// how a box of a diagram opens the dialog with its sentences already chosen.
  void FillOnShow(std::function<void()> fill) { fillOnShow_ = std::move(fill); }

protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

  [[nodiscard]] TSession& Session() const;
  [[nodiscard]] const TArgumentationStage& Stage() const;

  [[nodiscard]] QLabel* NewLabel(const QString& name, const QString& text, int left, int top);
  [[nodiscard]] TSentenceComboBox* NewComboBox(const QString& name, int left, int top, int width, int height);
  [[nodiscard]] TTypeRadioGroup* NewRadioGroup(const QString& name, const QString& title, int left, int top, int width,
                                               int height);
  /// OK, Delete and Cancel in a row at top; OK is the default button, Cancel answers Esc.
  void NewButtons(int top);

  /// Empties the box's list and fills it with the sentences of the current stage.
  void FillSentences(TSentenceComboBox* box) const;
  /// The sentence bytes of the box's text: an existing statement's own when it shows as that text.
  [[nodiscard]] std::string Sentence(const TSentenceComboBox* box) const;
  /// A new connection of the current line from the reason box's sentence and type to the conclusion box's.
  [[nodiscard]] TReasonConclusion* NewConnection(const TSentenceComboBox* reasonBox, const TTypeRadioGroup* reasonGroup,
                                                 const TSentenceComboBox* conclusionBox,
                                                 const TTypeRadioGroup* conclusionGroup) const;
  /// States the warrant once as an issue and once as an assumption, as asked.
  void StateWarrant(const std::string& warrant, bool asIssue, bool asAssumption) const;
  /// Sets group to the type of every statement of the current stage whose sentence is the box's text.
  void FollowType(const TSentenceComboBox* box, TTypeRadioGroup* group) const;

  /// Closes the dialog; the modal result is not used.
  void CloseForm() { reject(); }

  virtual void OKButtonClick() = 0;
  virtual void DeleteButtonClick() = 0;

private:
  /// The current stage's sentences as the boxes show them, made once for all boxes and
  /// every key typed while the dialog is open, and made again for another stage.
  struct TShownSentences {
    const TArgumentationStage* Stage = nullptr;
    std::size_t Count = 0;
    QStringList Sorted;
    /// The index of the first statement showing as a text, and the type of the last.
    QHash<QString, std::size_t> First;
    QHash<QString, TStatementType> LastType;
  };
  [[nodiscard]] const TShownSentences& Shown() const;

  TArgIntForm& main_;
  std::function<void()> fillOnShow_;
  mutable TShownSentences shown_;
  QPushButton* okButton_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace korvane
