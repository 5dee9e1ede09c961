// Lays out the two diagrams of a stage: the dialectical-arguments diagram, an indented
// tree of statement boxes joined by arrows and crosses, and the statements diagram, a
// column of boxes. The builder keeps a pen and a font state the way a canvas does, so
// each box and line takes the colours the rules before it chose.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRgb>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "model/argumentation_stage.h"
#include "views/box_wrap.h"
#include "views/diagram_layout.h"
#include "views/diagram_reuse.h"
#include "views/wrapped_text.h"

namespace korvane {

/// How DrawStatementBox styles a box.
enum class TBoxStyle : std::uint8_t { Justified, Unjustified, ByStatus };

/// Colours of the diagrams' pens and texts.
inline constexpr QRgb kJustifiedRgb = 0xff0000ffU;    // blue
inline constexpr QRgb kUnjustifiedRgb = 0xff008080U;  // teal
inline constexpr QRgb kUndercutRgb = 0xffff0000U;     // red
inline constexpr QRgb kBlockedRgb = 0xff808080U;      // grey
inline constexpr QRgb kBlackRgb = 0xff000000U;
inline constexpr QRgb kWhiteRgb = 0xffffffffU;

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
  /// device paints what was measured. A view keeps memory from layout to layout: wraps
  /// are remembered in it, and with the store of the stage drawn, the units of the
  /// diagram handed back to it are copied where they did not change.
  TDiagramBuilder(int width, const QFont& font, bool structureOnly, int height = 0, TDiagramMemory* memory = nullptr,
                  std::weak_ptr<const TModelStore> store = {});

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

  using TUnitDraw = void (TDiagramBuilder::*)(const void* head, int& row);
  /// Draws the unit head by draw, or copies it from the last diagram.
  void Unit(const void* head, TUnitDraw draw, int& row);
  void DrawStatementUnit(const void* statement, int& row);
  void DrawArgumentUnit(const void* argument, int& row);
  void BeginReuse(bool statements);
  void EndReuse();
  void MakeSpans();
  /// Writes what a dry walk would draw into the signature.
  void Sign(std::initializer_list<std::uint64_t> values);

  void Run(std::vector<TTask>& tasks, int& row, int& column);
  void StartArgument(const TTask& task, std::vector<TTask>& tasks, int& row);
  void PushUndercutters(const TTask& task, std::vector<TTask>& tasks);
  static void PushArgument(std::vector<TTask>& tasks, const TDialecticalArgument* argument, int column);
  static void PrefetchNextConclusion(const std::vector<TTask>& tasks);
  void DrawUndercutterLine(const TTask& task, int row);
  void DrawStepConnector(const TDialecticalArgument* argument, int index, int column, int conclusionBottom, int row);

  enum class TPaintStyle : std::uint8_t { Justified, Unjustified, Keep };
  void DrawBox(const TStatement* statement, TStatus status, int& row, int column, int minimumColumns,
               TPaintStyle style);
  void AddText(TDiagramText text);
  void AddPart(const TDiagramPart& part);
  void WidenToBoxes();
  [[nodiscard]] int WrapWidth(int given, int topLevel);

  void Clear();
  void SetStyle(TPaintStyle style);
  void SetStructureOnlyStyle();
  void SetLook(QRgb colour, bool bold, bool italic);
  void SetPen(QRgb colour, TPenStyle style);
  void Line(int x1, int y1, int x2, int y2);
  /// Metrics of the current font, made once per style.
  [[nodiscard]] const QFontMetrics& CurrentMetrics();
  /// The box text of statement wrapped to width in the current font.
  [[nodiscard]] const TWrapped& Wrap(const TStatement* statement, int width);
  void BeginLayout();
  void MakeFonts();
  [[nodiscard]] std::size_t CurrentFontIndex() const;

  TDiagramLayout layout_;
  bool structureOnly_;
  int th_;
  int d_;

  TCanvasState canvas_;
  std::vector<TTask> tasks_;  // the work list of the argument being drawn
  std::vector<QFontMetrics> metrics_;  // indexed by bold + 2 * italic
  std::vector<int> averageCharWidths_;  // the same
  TWrapMemo ownMemo_;
  TWrapMemo* memo_;
  TDiagramReuse* reuse_ = nullptr;  // null: nothing is copied
  std::weak_ptr<const TModelStore> store_;
  // A dry walk signs what it reads instead of drawing; rows count one per box.
  bool dry_ = false;
  std::size_t dryBoxes_ = 0;
  bool dryTooLarge_ = false;
  int unitBottom_ = 0;
  struct TUnitEnd {
    std::size_t Order;  // items drawn up to the end of the unit
    int Row;            // the first row after it
  };
  std::vector<TUnitEnd> unitEnds_;
};

/// The face and pixel size the window actually uses for font, so that files written
/// elsewhere name the face that was measured and every device draws the same size.
[[nodiscard]] QFont PixelSized(const QFont& font);
/// The note below a diagram that was cut short.
[[nodiscard]] QString TruncatedDiagramNote();

/// Colours of the diagrams.
[[nodiscard]] QColor JustifiedColour();    // blue
[[nodiscard]] QColor UnjustifiedColour();  // teal
[[nodiscard]] QColor UndercutColour();     // red
[[nodiscard]] QColor BlockedColour();      // grey

/// The dialectical-arguments diagram of stage for a paint box of this width, starting
/// from height 0; memory as for TDiagramBuilder.
[[nodiscard]] TDiagramLayout LayoutDialecticalDiagram(const TArgumentationStage& stage, int width, const QFont& font,
                                                      bool structureOnly, TDiagramMemory* memory = nullptr);
/// The statements diagram of stage; the paint box keeps at least the height it had.
[[nodiscard]] TDiagramLayout LayoutStatementsDiagram(const TArgumentationStage& stage, int width, const QFont& font,
                                                     bool structureOnly, int height = 0,
                                                     TDiagramMemory* memory = nullptr);

}  // namespace korvane
