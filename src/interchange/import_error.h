// Why an import stopped, naming what is wrong and where in the file.
#pragma once

#include <stdexcept>
#include <string>

namespace korvane::interchange {

class TImportError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

}  // namespace korvane::interchange
