#include "views/arguments_tree.h"

#include <QPixmap>
#include <deque>
#include <vector>

#include "views/sentence_text.h"

namespace korvane {

QString StatementLabel(const TArgumentationStage& stage, TStatement& statement) {
  QString label = QStringLiteral("?");
  // Required as is: every statement is looked at and the last match wins (pinned by tests/views/lists_tree_test.cpp).
  for (const TStatement* s : stage.Statements) {
    if (SameSentence(s->Sentence, statement.Sentence)) {
      statement.Id = s->Id;
      label = SentenceToDisplay(s->Id);
    }
  }
  return label;
}

void SetUpArgumentsTree(QTreeWidget& tree) {
  tree.setColumnCount(1);
  tree.setHeaderHidden(true);
  tree.setIndentation(19);
  tree.setFocusPolicy(Qt::ClickFocus);
  tree.setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree.setIconSize(QSize(TStatusIconsImageList::kSize, TStatusIconsImageList::kSize));
}

QIcon TArgumentsTreeFiller::NodeIcon(int image, int overlay) {
  auto found = iconCache_.find({image, overlay});
  if (found != iconCache_.end()) return found->second;
  const QPixmap pixmap = QPixmap::fromImage(icons_.Combined(image, overlay));
  QIcon icon;
  icon.addPixmap(pixmap, QIcon::Normal);
  icon.addPixmap(pixmap, QIcon::Selected);  // selecting a node keeps its icon
  iconCache_.emplace(std::make_pair(image, overlay), icon);
  return icon;
}

void TArgumentsTreeFiller::AddArgumentNode(const TArgumentationStage& stage, const TArgument* argument,
                                           QTreeWidgetItem* parent) {
  // Work list of (argument, parent node): a deep argument must not deepen the call stack.
  std::vector<std::pair<const TArgument*, QTreeWidgetItem*>> work{{argument, parent}};
  while (!work.empty()) {
    if (nodes_ >= kMaximumTreeNodes) {
      truncated_ = true;
      return;
    }
    ++nodes_;
    const auto [a, p] = work.back();
    work.pop_back();
    TStatement& conclusion = *a->Conclusion;
    const QString label = StatementLabel(stage, conclusion);
    const QString sentence = SentenceToDisplay(conclusion.Sentence);
    QTreeWidgetItem* node = nullptr;
    if (p == nullptr) {
      node = new QTreeWidgetItem(&tree_);
      node->setText(0, SentenceToDisplay(conclusion.Id) + QStringLiteral(": ") + sentence);
    } else {
      node = new QTreeWidgetItem(p);
      node->setText(0, label + QStringLiteral(": ") + sentence);
    }
    const int overlay = conclusion.StatementType == kAssumption ? 0 : 1;
    const int image = conclusion.Status == kJustified ? kJustifiedIcon : kUnjustifiedIcon;
    node->setData(0, kImageIndexRole, image);
    node->setData(0, kSelectedImageIndexRole, image);
    node->setData(0, kOverlayIndexRole, overlay);
    node->setIcon(0, NodeIcon(image, overlay));
    // Children are added in order: push them last-first.
    for (std::size_t i = a->InitialArguments.Count(); i-- > 0;) work.emplace_back(a->InitialArguments[i], node);
  }
}

void TArgumentsTreeFiller::RemoveAllNodes() {
  std::vector<QTreeWidgetItem*> items;
  while (tree_.topLevelItemCount() > 0) items.push_back(tree_.takeTopLevelItem(tree_.topLevelItemCount() - 1));
  while (!items.empty()) {
    QTreeWidgetItem* item = items.back();
    items.pop_back();
    const QList<QTreeWidgetItem*> children = item->takeChildren();
    items.insert(items.end(), children.begin(), children.end());
    delete item;  // childless now
  }
}

void TArgumentsTreeFiller::ShowArgumentsTree(const TArgumentationStage& stage, int argumentsViewMode) {
  RemoveAllNodes();
  nodes_ = 0;
  truncated_ = false;
  if (argumentsViewMode == kArgumentsNotCoordinated) {
    // Arguments of one step each, made for this filling only.
    std::deque<TArgument> pool;
    TArguments own;
    for (TStatement* s : stage.Statements) {
      TArgument& argument = pool.emplace_back();
      argument.Conclusion = s;
      own.Add(&argument);
      for (const TReasonConclusion* c : stage.ReasonConclusions) {
        if (!SameSentence(c->Conclusion->Sentence, s->Sentence)) continue;
        TArgument& reason = pool.emplace_back();
        reason.Conclusion = c->Reason;
        argument.InitialArguments.Add(&reason);
      }
    }
    for (const TArgument* a : own) AddArgumentNode(stage, a, nullptr);
  } else {
    for (const TArgument* a : stage.Arguments) AddArgumentNode(stage, a, nullptr);
  }
  if (truncated_)
    new QTreeWidgetItem(
        &tree_,
        QStringList{
            QStringLiteral("... the tree is too large: only its first %1 nodes are shown").arg(kMaximumTreeNodes)});
  tree_.expandAll();
}

void FillArgumentsTree(QTreeWidget& tree, const TArgumentationStage& stage, int argumentsViewMode,
                       const TStatusIconsImageList& icons) {
  TArgumentsTreeFiller(tree, icons).ShowArgumentsTree(stage, argumentsViewMode);
}

}  // namespace korvane
