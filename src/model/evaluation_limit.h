// The error a stage move throws when its evaluation would exceed the work budget.
// The move is then not made: the document stays as it was before it.
#pragma once

#include <stdexcept>

namespace korvane {

class TEvaluationLimitError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

}  // namespace korvane
