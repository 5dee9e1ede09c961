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

void Fill(QTreeWidget& list, const QStringList& entries, bool editable) {
  list.clear();
  list.setRootIsDecorated(false);  // a flat list: no room for branch marks
  QList<QTreeWidgetItem*> items;
  items.reserve(entries.size());
  for (const QString& entry : entries) {
    auto* item = new QTreeWidgetItem(QStringList{entry});
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (editable) flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    items.append(item);
  }
  list.addTopLevelItems(items);
  list.resizeColumnToContents(0);  // as wide as the widest entry
}

}  // namespace

void FillStatementsList(QTreeWidget& list, const TArgumentationStage& stage) {
  Fill(list, StatementsListEntries(stage), true);
}

void FillReasonsList(QTreeWidget& list, const TArgumentationStage& stage) {
  Fill(list, ReasonsListEntries(stage), false);
}

}  // namespace korvane
