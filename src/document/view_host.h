// What the session needs of the window's views: the text view as a list of logical lines,
// and the diagram to hide while a text is interpreted. A plain list stands in without a window.
#pragma once

#include <string>
#include <vector>

namespace korvane {

/// What the interpreter and the deletions need of the window: the text view as a list
/// of logical lines, and the diagram to hide while a text is interpreted.
class TViewHost {
public:
  virtual ~TViewHost() = default;
  [[nodiscard]] virtual std::vector<std::string> TextLines() const = 0;
  /// Clears the text view and puts these lines into it.
  virtual void SetTextLines(const std::vector<std::string>& lines) = 0;
  /// Replaces one line (the interpreter's progress line).
  virtual void SetTextLine(int index, const std::string& line) = 0;
  /// Hides the diagram and shows the text view.
  virtual void ShowTextInsteadOfDiagram() = 0;
  /// An interpretation starts: a window holds back other commands until it ends.
  virtual void InterpretationBegins() {}
  /// The interpretation has ended, however it ended; the flags are already back.
  virtual void InterpretationEnds() {}
  /// Called as the progress line grows, so a window can repaint without taking user input.
  virtual void KeepPainted() {}
};

/// A text view that is only a list of lines, for use without a window.
class TPlainTextHost : public TViewHost {
public:
  std::vector<std::string> Lines;
  [[nodiscard]] std::vector<std::string> TextLines() const override { return Lines; }
  void SetTextLines(const std::vector<std::string>& lines) override { Lines = lines; }
  void SetTextLine(int index, const std::string& line) override;
  void ShowTextInsteadOfDiagram() override {}
};

}  // namespace korvane
