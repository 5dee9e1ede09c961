// The text of the line of argumentation: read-only, one logical line per line of the
// text, each kept as the bytes it was given so that reading back loses nothing.
#pragma once

#include <QPlainTextEdit>
#include <string>
#include <vector>

namespace korvane {

class TLineOfArgumentationView : public QPlainTextEdit {
  Q_OBJECT
public:
  explicit TLineOfArgumentationView(QWidget* parent = nullptr);

  /// The logical lines, as bytes; wrapping on screen does not split them.
  [[nodiscard]] const std::vector<std::string>& Lines() const { return lines_; }
  /// Replaces every line.
  void SetLines(const std::vector<std::string>& lines);
  /// Replaces one existing line, or appends it when index is the line count.
  void SetLine(int index, const std::string& line);

private:
  std::vector<std::string> lines_;
};

}  // namespace korvane
