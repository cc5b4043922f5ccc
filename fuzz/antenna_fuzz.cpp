// Any antenna or cell file reads without crashing, stays inside the factor table, and a
// table the editor writes back from it reads the same.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "corrections/AntennaFile.h"
#include "corrections/FactorTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  tq::FactorTable cell{};
  const tq::CellFileRead read = tq::ReadCellFile(text, cell);
  if (read.rows < 0 || read.rows > 499 || cell[0] != tq::FactorRow{}) __builtin_trap();
  for (double hz : {0.0, 1e4, 3e7, 1.1e9, 4e9}) (void)tq::FactorAt(cell, hz);

  const tq::AntennaFile file = tq::ReadAntennaFile(text);
  if (file.title.size() > tq::kTitleLength) __builtin_trap();
  const std::string written = tq::WriteAntennaFile(file.title, file.radiated, "", file.pairs);
  const tq::AntennaFile again = tq::ReadAntennaFile(written);
  // Fifteen significant digits bring every pair back to within their last digit.
  auto same = [](double a, double b) {
    return std::abs(a - b) <= 1e-13 * std::max(1.0, std::abs(a));
  };
  for (std::size_t k = 0; k < file.pairs.size(); ++k)
    if (!same(file.pairs[k].frequencyHz, again.pairs[k].frequencyHz) ||
        !same(file.pairs[k].factorDb, again.pairs[k].factorDb))
      __builtin_trap();
  for (const auto& pair : file.pairs)
    (void)tq::GridRowValue(tq::ScientificText(pair.frequencyHz), tq::ScientificText(pair.factorDb));
  return 0;
}
