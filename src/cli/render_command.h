// korvane-cli render: draws a diagram of a file's final stage into a PNG, SVG or PDF
// file, without a display.
#pragma once

#include <string>
#include <vector>

namespace korvane::cli {

/// What the render command was asked to do.
struct TRenderRequest {
  /// A .lin file, or "-" for standard input.
  std::string File;
  /// "dialectical", "statements" or "map".
  std::string View;
  int Width = 0;
  bool StructureOnly = false;
  /// Device pixels per diagram pixel of a PNG image, 1 to 4.
  int Scale = 1;
  std::string Output;
};

/// The usage of the command, after "korvane-cli ".
inline constexpr const char* kRenderUsage =
    "render FILE --view dialectical|statements|map [--width PIXELS] [--structure-only] [--scale 1-4] --output "
    "OUT.png|OUT.svg|OUT.pdf";

/// Reads the arguments that follow "render"; throws TUsageError when they are
/// incomplete or wrong.
[[nodiscard]] TRenderRequest ParseRenderArguments(const std::vector<std::string>& args);

/// Runs the command on the arguments that follow "render". Exit status 0 when the
/// picture was written; 1 when the file's interpretation stopped early (the picture
/// shows the moves made until then); 3 when the picture cannot be written. An
/// unreadable input throws TCommandError, wrong arguments TUsageError. Selects Qt's
/// offscreen platform when none is set.
int RunRender(std::vector<std::string> args);

}  // namespace korvane::cli
