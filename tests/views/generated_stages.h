// What the view tests that follow a line share: generated stages, and comparing two
// drawings item by item.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <tuple>
#include <vector>

#include "model/evaluation_limit.h"
#include "support/stage_generator.h"
#include "views/diagram_layout.h"

namespace korvane::test {

// A random line over few sentences: warrants, undercutter warrants, cycles and
// defeating connections all occur. The more downwards preferred, the fewer cycles.
inline std::vector<std::unique_ptr<TArgumentationStage>> GeneratedStages(std::uint32_t seed, int moves,
                                                                         int sentences = 9, int downwards = 6) {
  std::vector<std::unique_ptr<TArgumentationStage>> stages;
  stages.push_back(std::make_unique<TArgumentationStage>());
  StageGenerator generator(seed, sentences);
  generator.PreferDownwards(downwards);  // some cycles, not so many that evaluating them takes long
  for (const GeneratedMove& m : generator.Moves(moves)) {
    try {
      std::unique_ptr<TArgumentationStage> next = Apply(*stages.back(), m);
      if (next) stages.push_back(std::move(next));
    } catch (const TEvaluationLimitError&) {
      // A move with too many cycles is refused, as the window refuses it.
    }
  }
  return stages;
}

// Everything two drawings hold, item by item; the parts' pointers included.
inline bool SameDrawing(const TDiagramLayout& a, const TDiagramLayout& b) {
  const auto same = [](const auto& x, const auto& y, const auto& fields) {
    return x.size() == y.size() && std::equal(x.begin(), x.end(), y.begin(),
                                              [&](const auto& p, const auto& q) { return fields(p) == fields(q); });
  };
  return a.Width == b.Width && a.Height == b.Height &&
         same(a.Boxes, b.Boxes,
              [](const TDiagramBox& x) { return std::tuple(x.Rect, x.Pen.rgba(), x.PenStyle, x.Fill.rgba()); }) &&
         same(a.Lines, b.Lines,
              [](const TDiagramLine& x) { return std::tuple(x.From, x.To, x.Pen.rgba(), x.PenStyle); }) &&
         same(
             a.Texts, b.Texts,
             [](const TDiagramText& x) { return std::tuple(x.Position, x.Text, x.Colour.rgba(), x.Bold, x.Italic); }) &&
         same(a.Icons, b.Icons, [](const TDiagramIcon& x) { return std::tuple(x.Index, x.Position); }) &&
         same(a.Order, b.Order, [](const TDiagramItem& x) { return std::tuple(x.Kind, x.Index); }) &&
         same(a.Parts, b.Parts,
              [](const TDiagramPart& x) {
                return std::tuple(x.Kind, x.Area, x.Statement, x.Status, x.Step, x.Argument, x.StepIndex, x.Undercutter,
                                  x.Box);
              }) &&
         same(a.Spans, b.Spans, [](const TDiagramSpan& x) { return std::tuple(x.Area, x.First, x.End); });
}

}  // namespace korvane::test
