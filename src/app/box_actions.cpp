#include "app/box_actions.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include "app/arg_int_form.h"
#include "app/diagram_menu.h"
#include "app/exception_form.h"
#include "app/reason_conclusion_form.h"
#include "app/why_window.h"
#include "document/session.h"
#include "views/diagram_paint_box.h"
#include "views/sentence_text.h"

namespace korvane {

namespace {

void Choose(TSentenceComboBox* box, TTypeRadioGroup* group, const std::string& sentence, TStatementType type) {
  box->SetTextQuietly(SentenceToDisplay(sentence));
  group->SetStatementType(type);
}

// After the dialog has given the focus to its first box.
void FocusLater(TSentenceComboBox* box) {
  QTimer::singleShot(0, box, [box] { box->setFocus(Qt::TabFocusReason); });
}

}  // namespace

TBoxActions::TBoxActions(TArgIntForm& window, TDiagramPaintBox& paintBox, QWidget* below, TDiagramMenu& menu,
                         QObject* owner)
    : QObject(owner ? owner : &window),
      window_(window),
      paintBox_(paintBox),
      menu_(menu.Menu()),
      firstDiagramItem_(menu.Menu().actions().value(0)) {
  setObjectName(QStringLiteral("BoxActions"));
  connect(&menu, &TDiagramMenu::Requested, this, &TBoxActions::FillMenu);
  // Below the last box the click reaches the widget under the paint box, which is only as
  // tall as the diagram.
  if (below) {
    // A scroll area takes its viewport's menu event, in the viewport's coordinates.
    auto* area = qobject_cast<QAbstractScrollArea*>(below);
    const QWidget* origin = area ? area->viewport() : below;
    below->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(below, &QWidget::customContextMenuRequested, this, [this, origin, &menu](const QPoint& pos) {
      if (paintBox_.isVisible()) menu.Popup(paintBox_.mapFrom(origin, pos));
    });
  }
  paintBox.installEventFilter(this);
}

bool TBoxActions::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &paintBox_ && event->type() == QEvent::MouseButtonDblClick) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) {
      subject_ = SubjectAt(paintBox_, mouse->position().toPoint(), *window_.Line().CurrentStage);
      if (subject_.Kind != TBoxSubject::TKind::None) {
        Why();
        return true;
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

void TBoxActions::FillMenu(QPoint pos) {
  for (QAction* item : items_) delete item;
  items_.clear();
  // The place's own items come first, above Undo and Redo and the diagram's items.
  firstDiagramItem_ = menu_.actions().value(0);
  subject_ = window_.Interpreting() ? TBoxSubject{} : SubjectAt(paintBox_, pos, *window_.Line().CurrentStage);
  switch (subject_.Kind) {
    case TBoxSubject::TKind::None: return;
    case TBoxSubject::TKind::Statement:
      AddItem(QStringLiteral("Give a reason for this..."), &TBoxActions::GiveReason, true);
      AddItem(QStringLiteral("Use as a reason for..."), &TBoxActions::UseAsReason, true);
      AddItem(QStringLiteral("Delete this statement..."), &TBoxActions::DeleteStatement, true);
      break;
    case TBoxSubject::TKind::Step:
      AddItem(QStringLiteral("Add an exception to this step..."), &TBoxActions::AddException, true);
      AddItem(QStringLiteral("Delete this connection..."), &TBoxActions::DeleteConnection, true);
      break;
    case TBoxSubject::TKind::Undercutter:
      AddItem(QStringLiteral("Delete this exception..."), &TBoxActions::DeleteException, true);
      break;
  }
  AddItem(QStringLiteral("Why?"), &TBoxActions::Why, false);
  QAction* separator = new QAction(&menu_);
  separator->setSeparator(true);
  menu_.insertAction(firstDiagramItem_, separator);
  items_.push_back(separator);
}

void TBoxActions::AddItem(const QString& text, void (TBoxActions::*command)(), bool moves) {
  auto* item = new QAction(text, &menu_);
  item->setEnabled(!moves || TakesMoves());
  connect(item, &QAction::triggered, this, command);
  menu_.insertAction(firstDiagramItem_, item);
  items_.push_back(item);
}

bool TBoxActions::TakesMoves() const { return !window_.Interpreting() && !window_.Line().FileName.empty(); }

void TBoxActions::GiveReason() {
  TReasonConclusionForm* form = window_.Dialogs().ReasonConclusion;
  const TBoxSubject s = subject_;
  form->FillOnShow([form, s] {
    Choose(form->ConclusionComboBox(), form->ConclusionTypeRadioGroup(), s.Sentence, s.Type);
    FocusLater(form->ReasonComboBox());
  });
  window_.ReasonConclusionButtonClick();
  form->FillOnShow({});
}

void TBoxActions::UseAsReason() {
  TReasonConclusionForm* form = window_.Dialogs().ReasonConclusion;
  const TBoxSubject s = subject_;
  form->FillOnShow([form, s] { Choose(form->ReasonComboBox(), form->ReasonTypeRadioGroup(), s.Sentence, s.Type); });
  window_.ReasonConclusionButtonClick();
  form->FillOnShow({});
}

void TBoxActions::AddException() {
  TExceptionForm* form = window_.Dialogs().Exception;
  const TBoxSubject s = subject_;
  form->FillOnShow([form, s] {
    Choose(form->ConclusionComboBox(), form->ConclusionTypeRadioGroup(), s.Conclusion, s.ConclusionType);
    Choose(form->ReasonComboBox(), form->ReasonTypeRadioGroup(), s.Reason, s.ReasonType);
  });
  window_.ExceptionButtonClick();
  form->FillOnShow({});
}

// The deletions as the dialogs' Delete buttons make them: only the sentences count.

void TBoxActions::DeleteStatement() {
  if (!TakesMoves()) return;
  TSession& session = window_.Session();
  session.PerformDeleteStatement(session.Line().NewStatement(subject_.Sentence, kIssue));
}

TReasonConclusion* TBoxActions::SubjectConnection() const {
  TReasonConclusion* c = window_.Session().Line().NewReasonConclusion();
  c->Reason->Sentence = subject_.Reason;
  c->Reason->StatementType = subject_.ReasonType;
  c->Conclusion->Sentence = subject_.Conclusion;
  c->Conclusion->StatementType = subject_.ConclusionType;
  return c;
}

void TBoxActions::DeleteConnection() {
  if (!TakesMoves()) return;
  TSession& session = window_.Session();
  TReasonConclusion* c = SubjectConnection();
  session.PerformDeleteReasonConclusion(c);
}

void TBoxActions::DeleteException() {
  if (!TakesMoves()) return;
  TSession& session = window_.Session();
  TReasonConclusion* c = SubjectConnection();
  c->Exceptions.Add(session.Line().NewStatement(subject_.Exception, kIssue));
  session.PerformDeleteException(c);
}

void TBoxActions::Why() {
  if (!why_) {
    why_ = new TWhyWindow(&window_);
    FollowStage();
  }
  why_->Explain(subject_, *window_.Line().CurrentStage);
}

// Every refresh of the view follows a move, a deletion or a new line: the explanation goes with it.
void TBoxActions::FollowStage() {
  TSession& session = window_.Session();
  session.RefreshHook = [this, shown = std::move(session.RefreshHook)] {
    if (shown) shown();
    if (why_->isVisible()) why_->Follow(*window_.Line().CurrentStage);
  };
}

}  // namespace korvane
