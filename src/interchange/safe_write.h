// Writing an exported file as Save writes a line: a complete new file renamed over the
// old one, so a failed export never leaves half a file. Bytes as they are, no line ends added.
#pragma once

#include <string>

#include "files/file_system.h"

namespace korvane::interchange {

/// Throws TCommandError("Cannot create file " + path); the old file is then intact.
void WriteBytesFile(const std::string& path, const std::string& bytes, TFileSystem& fs = SystemFileSystem());

}  // namespace korvane::interchange
