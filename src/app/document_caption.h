// The window caption that names the document.
#pragma once

#include <QString>
#include <string>

namespace korvane {

/// The file name that marks a document never opened nor saved.
inline constexpr const char* kNewFileName = "New.lin";

/// The part of path after its last "\", ":" or "/", at most 255 characters; a path
/// with none of them is taken whole.
[[nodiscard]] std::string FileNameWithoutFolder(const std::string& path);

/// "Korvane - New line of argumentation".
[[nodiscard]] QString NewDocumentCaption();
/// "Korvane - " + the file name of path without its folder.
[[nodiscard]] QString DocumentCaption(const std::string& path);

}  // namespace korvane
