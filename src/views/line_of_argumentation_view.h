// The text of the line of argumentation: read-only, one logical line per line of the
// text, each kept as the bytes it was given so that reading back loses nothing.
#pragma once

#include <QMenu>
#include <QPlainTextEdit>
#include <map>
#include <string>
#include <vector>

namespace korvane {

class TLineOfArgumentationView : public QPlainTextEdit {
  Q_OBJECT
public:
  /// Characters of one line shown at most: laying out a line costs time growing with the
  /// square of its length, and a sentence of megabytes would stop the window for hours.
  static constexpr qsizetype kShownCharacters = 50000;

  explicit TLineOfArgumentationView(QWidget* parent = nullptr);

  /// The logical lines, as bytes; wrapping on screen does not split them, and a line cut
  /// for the screen is kept whole here.
  [[nodiscard]] const std::vector<std::string>& Lines() const { return lines_; }
  /// Replaces every line; the view then shows the text from its start.
  void SetLines(const std::vector<std::string>& lines);
  /// Replaces one existing line, or appends it when index is the line count.
  void SetLine(int index, const std::string& line);
  /// While on, a line replaced in place reaches the screen only when control is back in an
  /// event loop (Lines() has it at once): the interpreter's progress line grows by a dot
  /// every few lines, and laying out the whole line each time would cost more than the
  /// interpretation. Turning it off shows what is pending.
  void SetDeferring(bool on);
  /// Puts the pending replaced lines on the screen.
  void ShowPendingLines();

  /// Puts every line on the clipboard whole, also those the screen shows cut.
  void CopyAll() const;
  /// The context menu: the standard one with "Copy all" after "Copy".
  [[nodiscard]] QMenu* CreateContextMenu();

protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  void ShowFromTheStart();

  std::vector<std::string> lines_;
  bool deferring_ = false;
  bool showScheduled_ = false;
  std::map<int, std::string> pending_;  // index -> bytes of a replaced line not shown yet
};

}  // namespace korvane
