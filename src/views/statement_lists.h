// The plain lists of a stage: one entry per statement, and a block of entries per
// reason/conclusion connection with its exceptions. They fill one-column report
// lists (a tree widget without children).
#pragma once

#include <QString>
#include <QStringList>
#include <QTreeWidget>

#include "model/argumentation_stage.h"

namespace korvane {

/// The statement's identifier, a colon, a blank and its sentence.
[[nodiscard]] QString StatementLine(const TStatement& statement);

/// One entry per statement, in the stage's order.
[[nodiscard]] QStringList StatementsListEntries(const TArgumentationStage& stage);
/// Per connection "CONCLUSION:", its conclusion, "REASON:", its reason, then
/// "(NO EXCEPTIONS)" or "EXCEPTIONS:" and each exception, then an empty entry.
[[nodiscard]] QStringList ReasonsListEntries(const TArgumentationStage& stage);

/// Replaces list's entries by the statements of stage; entries may be edited in
/// place (the list's edit triggers decide when), which changes nothing else.
void FillStatementsList(QTreeWidget& list, const TArgumentationStage& stage);
/// Replaces list's entries by the connections of stage; entries are read-only.
void FillReasonsList(QTreeWidget& list, const TArgumentationStage& stage);

}  // namespace korvane
