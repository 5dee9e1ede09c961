// Lays out the two diagrams of a stage: the dialectical-arguments diagram, an indented
// tree of statement boxes joined by arrows and crosses, and the statements diagram, a
// column of boxes. The builder keeps a pen and a font state the way a canvas does, so
// each box and line takes the colours the rules before it chose.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <cstddef>
#include <vector>

#include "model/argumentation_stage.h"
#include "views/box_wrap.h"
#include "views/diagram_layout.h"

namespace korvane {

/// How DrawStatementBox styles a box.
enum class TBoxStyle : std::uint8_t { Justified, Unjustified, ByStatus };

/// Unit sizes of the diagrams.
inline constexpr int kColumnWidth = 18;
/// Row height is the font's line height plus this.
inline constexpr int kRowSpacing = 15;
/// Nested arguments may be shared, so a small stage can stand for a tree of millions of
/// boxes; the dialectical diagram stops after this many and says so below the last.
inline constexpr std::size_t kMaximumDiagramBoxes = 200000;

class TDiagramBuilder {
public:
  /// A builder for a paint box of this width whose height is height so far (the
  /// height only grows while drawing). The font's size is fixed in pixels so every
  /// device paints what was measured.
  TDiagramBuilder(int width, const QFont& font, bool structureOnly, int height = 0);

  /// Clears the surface and draws every argument of maximal from row 0.
  void PaintDialecticalDiagram(const TDialecticalArguments& maximal);
  /// Clears the surface and draws one box per statement, coloured by its own status.
  void PaintStatementsDiagram(const TStatements& statements);

  /// Draws argument and everything below it; on return row is the first free row.
  void DrawDialecticalArgument(const TDialecticalArgument* argument, int& row, int& column);
  /// Draws the undercutters of step with their warrants and exceptions, in column.
  void DrawUndercutters(const TStep* step, int& row, int& column);
  /// Draws one box; on return row is the first row below it.
  void DrawStatementBox(const TStatement* statement, int& row, int column, int minimumColumns, TBoxStyle style);

  [[nodiscard]] const TDiagramLayout& Layout() const { return layout_; }
  [[nodiscard]] TDiagramLayout TakeLayout() { return std::move(layout_); }

private:
  // One piece of pending work; the work list replaces recursion, so arguments of any
  // depth are drawn without growing the call stack.
  struct TTask {
    enum class Kind { Argument, Undercutters, UndercutterLine, StepConnector } kind;
    const TDialecticalArgument* argument = nullptr;
    const TStep* step = nullptr;
    int index = 0;
    int column = 0;
    int conclusionBottom = 0;
    int undercutter = 0;
  };

  void Run(std::vector<TTask>& tasks, int& row, int& column);
  void StartArgument(const TTask& task, std::vector<TTask>& tasks, int& row);
  void PushUndercutters(const TTask& task, std::vector<TTask>& tasks) const;
  void DrawUndercutterLine(const TTask& task, int row);
  void DrawStepConnector(const TDialecticalArgument* argument, int index, int column, int conclusionBottom, int row);

  enum class TPaintStyle : std::uint8_t { Justified, Unjustified, Keep };
  void DrawBox(const TStatement* statement, TStatus status, int& row, int column, int minimumColumns,
               TPaintStyle style);
  void AddText(TDiagramText text);
  void WidenToBoxes();
  [[nodiscard]] int WrapWidth(int given, int topLevel);

  void Clear();
  void SetStyle(TPaintStyle style);
  void SetStructureOnlyStyle();
  void SetPen(const QColor& colour, TPenStyle style);
  void Line(int x1, int y1, int x2, int y2);
  /// Metrics of the current font, made once per style.
  [[nodiscard]] const QFontMetrics& CurrentMetrics();
  /// Names the current font exactly, for remembering what was measured in it.
  [[nodiscard]] const QString& CurrentFontKey();
  void MakeFonts();
  [[nodiscard]] std::size_t CurrentFontIndex() const;

  TDiagramLayout layout_;
  bool structureOnly_;
  int th_;
  int d_;

  // Canvas state.
  QColor pen_;
  TPenStyle penStyle_ = TPenStyle::Solid;
  QColor fontColour_;
  bool bold_ = false;
  bool italic_ = false;
  std::vector<QFontMetrics> metrics_;  // indexed by bold + 2 * italic
  std::vector<QString> fontKeys_;      // the same
};

/// The face and pixel size the window actually uses for font, so that files written
/// elsewhere name the face that was measured and every device draws the same size.
[[nodiscard]] QFont PixelSized(const QFont& font);
/// A statement's sentence as its box shows it: without the parentheses that enclose a warrant.
[[nodiscard]] QString BoxText(const TStatement* statement);

/// The note below a diagram that was cut short.
[[nodiscard]] QString TruncatedDiagramNote();

/// Colours of the diagrams.
[[nodiscard]] QColor JustifiedColour();    // blue
[[nodiscard]] QColor UnjustifiedColour();  // teal
[[nodiscard]] QColor UndercutColour();     // red
[[nodiscard]] QColor BlockedColour();      // grey

/// The dialectical-arguments diagram of stage for a paint box of this width, starting
/// from height 0.
[[nodiscard]] TDiagramLayout LayoutDialecticalDiagram(const TArgumentationStage& stage, int width, const QFont& font,
                                                      bool structureOnly);
/// The statements diagram of stage; the paint box keeps at least the height it had.
[[nodiscard]] TDiagramLayout LayoutStatementsDiagram(const TArgumentationStage& stage, int width, const QFont& font,
                                                     bool structureOnly, int height = 0);

}  // namespace korvane
