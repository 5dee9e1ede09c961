// korvane-cli render: draws a diagram of a file's final stage into a PNG, SVG or PDF
// file, without a display.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korvane {

/// What the render command was asked to do.
struct TRenderRequest {
  std::string File;
  /// "dialectical" or "statements".
  std::string View;
  int Width = 0;
  bool StructureOnly = false;
  std::string Output;
};

/// The usage line of the command.
[[nodiscard]] const char* RenderUsage();

/// Reads the arguments that follow "render". Returns false with error set when they
/// are incomplete or wrong.
[[nodiscard]] bool ParseRenderArguments(const std::vector<std::string>& args, TRenderRequest& request,
                                        std::string& error);

/// Runs the command on the arguments that follow "render": 0 when the picture was
/// written, 1 when the file could not be read or the picture not written, 2 for wrong
/// arguments. Messages go to err. Selects Qt's offscreen platform when none is set.
int RenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace korvane
