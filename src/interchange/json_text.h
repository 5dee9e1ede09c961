// JSON strings from sentence bytes: UTF-8 when the bytes are valid UTF-8, otherwise each
// byte as Latin-1; control characters (C1 ones included) escaped.
#pragma once

#include <string>

namespace korvane::interchange {

/// The quoted JSON string for bytes.
[[nodiscard]] std::string JsonString(const std::string& bytes);

}  // namespace korvane::interchange
