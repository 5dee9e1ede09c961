#include "views/diagram_accessibility.h"

#include <QAccessible>
#include <mutex>

#include "views/diagram_explanation.h"
#include "views/diagram_paint_box.h"
#include "views/sentence_text.h"

namespace korvane {

namespace {

class TBoxAccessible : public QAccessibleInterface {
public:
  TBoxAccessible(TDiagramPaintBox* paintBox, int index) : paintBox_(paintBox), index_(index) {}

  bool isValid() const override { return paintBox_ && Part(); }
  QObject* object() const override { return nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(paintBox_.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessible::Role role() const override { return QAccessible::StaticText; }
  void setText(QAccessible::Text, const QString&) override {}

  QString text(QAccessible::Text t) const override {
    const TDiagramPart* part = Part();
    if (!part) return {};
    switch (t) {
      case QAccessible::Name: return SentenceToDisplay(part->Statement->Sentence);
      case QAccessible::Description: return DiagramBoxDescription(*part);
      case QAccessible::Help: return paintBox_->Explain(*part);
      default: return {};
    }
  }

  QRect rect() const override {
    const TDiagramPart* part = Part();
    if (!part) return {};
    const QRect shown = paintBox_->ToWidget(part->Area);
    return QRect(paintBox_->mapToGlobal(shown.topLeft()), shown.size());
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    s.readOnly = true;
    s.invisible = !paintBox_ || !paintBox_->isVisible();
    return s;
  }

  [[nodiscard]] const TDiagramPaintBox* PaintBox() const { return paintBox_.data(); }
  [[nodiscard]] int Index() const { return index_; }

private:
  const TDiagramPart* Part() const { return paintBox_ ? paintBox_->BoxPart(index_) : nullptr; }

  QPointer<TDiagramPaintBox> paintBox_;
  int index_;
};

class TPaintBoxAccessible : public QAccessibleWidget {
public:
  explicit TPaintBoxAccessible(TDiagramPaintBox* paintBox) : QAccessibleWidget(paintBox, QAccessible::Canvas) {}

  QString text(QAccessible::Text t) const override {
    const QString own = QAccessibleWidget::text(t);
    return t == QAccessible::Name && own.isEmpty() ? PaintBox()->DiagramName() : own;
  }
  int childCount() const override { return PaintBox()->BoxCount(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    return PaintBox()->AccessibleBox(index);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* box = dynamic_cast<const TBoxAccessible*>(child);
    return box && box->PaintBox() == PaintBox() ? box->Index() : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const int index = PaintBox()->BoxIndexAt(PaintBox()->mapFromGlobal(QPoint(x, y)));
    return index < 0 ? nullptr : child(index);
  }

private:
  TDiagramPaintBox* PaintBox() const { return static_cast<TDiagramPaintBox*>(widget()); }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String("korvane::TDiagramPaintBox") && object && object->isWidgetType())
    return new TPaintBoxAccessible(static_cast<TDiagramPaintBox*>(object));
  return nullptr;
}

}  // namespace

void InstallDiagramAccessibility() {
  static std::once_flag once;
  std::call_once(once, [] { QAccessible::installFactory(Factory); });
}

QAccessibleInterface* TDiagramAccessibleBoxes::Box(TDiagramPaintBox* paintBox, int index) {
  if (ids_.size() <= static_cast<std::size_t>(index)) ids_.resize(static_cast<std::size_t>(index) + 1, 0);
  QAccessible::Id& id = ids_[static_cast<std::size_t>(index)];
  if (id == 0) id = QAccessible::registerAccessibleInterface(new TBoxAccessible(paintBox, index));
  return QAccessible::accessibleInterface(id);
}

void TDiagramAccessibleBoxes::Forget() {
  for (QAccessible::Id id : ids_)
    if (id != 0) QAccessible::deleteAccessibleInterface(id);
  ids_.clear();
}

}  // namespace korvane
