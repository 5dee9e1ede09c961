// What the window says about a place of a diagram: the tooltip of a box, a step's
// connector or an undercutter's line, and the words assistive technology reads for a box.
#pragma once

#include <QPoint>
#include <QString>

#include "model/argumentation_stage.h"
#include "views/diagram_layout.h"

namespace korvane {

/// The part found at point: an undercutter's line before a box before a step's
/// connector, since an undercutter's cross lies on its step's line. Null if none.
[[nodiscard]] const TDiagramPart* DiagramPartAt(const TDiagramLayout& layout, QPoint point);

/// For a box why its statement has its status; for a connector whether the step counts
/// and why; for an undercutter's line whether it blocks the step and why. The stage is
/// the one the layout was made from.
[[nodiscard]] QString ExplainDiagramPart(const TArgumentationStage& stage, const TDiagramPart& part);

/// "issue" or "assumption" and the status a box shows, e.g. "issue, unjustified".
[[nodiscard]] QString DiagramBoxDescription(const TDiagramPart& part);

}  // namespace korvane
