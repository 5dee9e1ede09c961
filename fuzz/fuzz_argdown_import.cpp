// Arbitrary bytes as an Argdown file: imported or refused with a message; what imports
// comes back unchanged through an Argdown export.
#include "fuzz_import.h"
#include "interchange/argdown_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvane::interchange;
  return korvane::fuzz::FuzzImport(data, size, TImportFormat::Argdown, TExportFormat::Argdown,
                                   [](const std::string& bytes) { return ReadArgdown(bytes); });
}
