// The plain lists of a stage: one entry per statement, and a block of entries per
// reason/conclusion connection with its exceptions.
#pragma once

#include <QListWidget>
#include <QString>

#include "model/argumentation_stage.h"

namespace korvane {

/// The statement's identifier, a colon, a blank and its sentence.
[[nodiscard]] QString StatementLine(const TStatement& statement);

/// One entry per statement, in the stage's order; entries can be edited in place,
/// which changes nothing else.
class TStatementsListView : public QListWidget {
  Q_OBJECT
public:
  explicit TStatementsListView(QWidget* parent = nullptr);
  /// Replaces all entries by the statements of stage.
  void Fill(const TArgumentationStage& stage);
};

/// Per connection "CONCLUSION:", its conclusion, "REASON:", its reason, its exceptions
/// (or "(NO EXCEPTIONS)") and an empty entry. Read-only.
class TReasonsListView : public QListWidget {
  Q_OBJECT
public:
  explicit TReasonsListView(QWidget* parent = nullptr);
  /// Replaces all entries by the connections of stage.
  void Fill(const TArgumentationStage& stage);
};

/// The entries of each list, for those that show them elsewhere.
[[nodiscard]] QStringList StatementsListEntries(const TArgumentationStage& stage);
[[nodiscard]] QStringList ReasonsListEntries(const TArgumentationStage& stage);

}  // namespace korvane
