#include "views/statement_lists.h"

#include "views/sentence_text.h"

namespace korvane {

QString StatementLine(const TStatement& statement) {
  return SentenceToDisplay(statement.Id) + QStringLiteral(": ") + SentenceToDisplay(statement.Sentence);
}

QStringList StatementsListEntries(const TArgumentationStage& stage) {
  QStringList entries;
  for (const TStatement* s : stage.Statements) entries.append(StatementLine(*s));
  return entries;
}

QStringList ReasonsListEntries(const TArgumentationStage& stage) {
  QStringList entries;
  for (const TReasonConclusion* c : stage.ReasonConclusions) {
    entries.append(QStringLiteral("CONCLUSION:"));
    entries.append(StatementLine(*c->Conclusion));
    entries.append(QStringLiteral("REASON:"));
    entries.append(StatementLine(*c->Reason));
    if (c->Exceptions.Empty()) {
      entries.append(QStringLiteral("(NO EXCEPTIONS)"));
    } else {
      entries.append(QStringLiteral("EXCEPTIONS:"));
      for (const TStatement* e : c->Exceptions) entries.append(StatementLine(*e));
    }
    entries.append(QString());
  }
  return entries;
}

namespace {

void SetUpList(QListWidget& list) {
  list.setSelectionMode(QAbstractItemView::SingleSelection);
  list.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list.setUniformItemSizes(true);
}

}  // namespace

TStatementsListView::TStatementsListView(QWidget* parent) : QListWidget(parent) {
  SetUpList(*this);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::SelectedClicked);
}

void TStatementsListView::Fill(const TArgumentationStage& stage) {
  clear();
  for (const QString& entry : StatementsListEntries(stage)) {
    auto* item = new QListWidgetItem(entry, this);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
  }
}

TReasonsListView::TReasonsListView(QWidget* parent) : QListWidget(parent) {
  SetUpList(*this);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void TReasonsListView::Fill(const TArgumentationStage& stage) {
  clear();
  addItems(ReasonsListEntries(stage));
}

}  // namespace korvane
