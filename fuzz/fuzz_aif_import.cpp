// Arbitrary bytes as an AIF file: imported or refused with a message; what imports comes
// back unchanged through an AIF export.
#include "fuzz_import.h"
#include "interchange/aif_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvane::interchange;
  return korvane::fuzz::FuzzImport(data, size, TImportFormat::Aif, TExportFormat::Aif,
                                   [](const std::string& bytes) { return ReadAif(bytes); });
}
