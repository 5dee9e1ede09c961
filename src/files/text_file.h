// Line-of-argumentation files: plain text, every line followed by carriage return and
// line feed. Reading also accepts a lone line feed or a lone carriage return as a line
// end. Bytes are kept exactly as they are, NUL bytes included.
#pragma once

#include <string>
#include <vector>

#include "files/file_system.h"

namespace korvane {

/// The lines of a text; a final line end ends the last line rather than starting an empty one.
[[nodiscard]] std::vector<std::string> SplitLines(const std::string& bytes);
/// Every line followed by carriage return and line feed; no lines give no bytes.
[[nodiscard]] std::string JoinLines(const std::vector<std::string>& lines);

/// The lines of the file at path. Throws TCommandError("Cannot open file " + path).
[[nodiscard]] std::vector<std::string> ReadTextFile(const std::string& path, TFileSystem& fs = SystemFileSystem());

/// Replaces the file at path by these lines, through a complete new file that is renamed
/// over it. Throws TCommandError("Cannot create file " + path); the old file is then intact.
void WriteTextFile(const std::string& path, const std::vector<std::string>& lines,
                   TFileSystem& fs = SystemFileSystem());
/// The same for bytes as they are, no line ends added (exports).
void WriteBytesFile(const std::string& path, const std::string& bytes, TFileSystem& fs = SystemFileSystem());

}  // namespace korvane
