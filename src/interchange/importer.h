// Importing a line of argumentation from another program's file: the bytes and their
// format in, the text of a line of moves out, checked by replaying it as opening a file
// would. What the GUI and korvane-cli import call.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "interchange/import_error.h"

namespace korvane::interchange {

enum class TImportFormat { Aif, Argdown };

/// Reads "aif" or "argdown"; nothing for any other name.
[[nodiscard]] std::optional<TImportFormat> ParseImportFormat(const std::string& name);
/// The format a file name's extension names: .json is AIF, .argdown and .ad are Argdown.
[[nodiscard]] std::optional<TImportFormat> ImportFormatOfPath(const std::string& path);

/// Larger files are refused before they are read into a graph.
inline constexpr std::size_t kMaxImportBytes = 32u << 20;

struct TImportResult {
  /// The text of the line of moves, as a .lin file holds it.
  std::vector<std::string> Lines;
  /// What the file says that the line cannot hold.
  std::vector<std::string> Notices;
};

/// The line of moves bytes describe. Throws TImportError naming what is wrong and where.
[[nodiscard]] TImportResult ImportArgumentation(const std::string& bytes, TImportFormat format);

}  // namespace korvane::interchange
