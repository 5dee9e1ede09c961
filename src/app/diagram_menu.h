// The context menu of the diagrams: export to a PNG, SVG or PDF file (the pictures
// korvane-cli render makes), print with a preview, copy as an image, and find a statement.
#pragma once

#include <QObject>
#include <QPoint>

class QMenu;
class QAction;
class QPrinter;
class QWidget;

namespace korvane {

class TDiagramPaintBox;
struct TDiagramLayout;
class TStatusIconsImageList;

class TDiagramMenu : public QObject {
  Q_OBJECT
public:
  /// Gives paintBox its context menu; window is the parent of the dialogs it opens.
  TDiagramMenu(TDiagramPaintBox& paintBox, QWidget& window);

  [[nodiscard]] QMenu& Menu() const { return *menu_; }
  /// Opens the menu at pos, a point of the paint box, once Requested has let the menu be
  /// filled for that point.
  void Popup(QPoint pos);
  /// "Show map", which the map's own menu hides.
  [[nodiscard]] QAction* ShowMapAction() const { return showMap_; }
  /// Puts the window's Undo and Redo at the top of the menu.
  void AddHistoryActions(QAction* undo, QAction* redo);

  /// "Export diagram...": a save dialog, then the file written completely under a
  /// temporary name and renamed, so a failure leaves an existing file as it was.
  void ExportDiagram();
  /// "Print...": the print preview, from which the diagram is printed.
  void Print();
  /// "Copy as image": the diagram at the screen's pixel density on the clipboard.
  void CopyAsImage();

signals:
  void Requested(QPoint pos);
  /// "Show map".
  void ShowMapRequested();
  /// "Find statement...": the window opens its find box.
  void FindStatementRequested();

private:
  TDiagramPaintBox& paintBox_;
  QWidget& window_;
  QMenu* menu_;
  QAction* showMap_;
};

/// Prints layout at its size on paper (96 diagram pixels an inch), made smaller when it is
/// wider than the page, cut into pages between rows. Returns the number of pages.
int PrintDiagram(QPrinter& printer, const TDiagramLayout& layout, const TStatusIconsImageList& icons);

}  // namespace korvane
