// Any limit file reads without crashing or running past its tables, and the limit read
// from it evaluates to a finite level no higher than the no-limit value.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "corrections/LimitLevel.h"
#include "corrections/LimitReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const auto kind = static_cast<tq::LimitFileKind>(data[0] % 3);
  const int base = kind == tq::LimitFileKind::BuiltIn ? 0
                   : kind == tq::LimitFileKind::User  ? 201
                                                      : 100;
  const int wanted = base + data[1] % 8 - 1;
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  tq::LimitTable table;
  std::vector<std::string> names;
  tq::ReadLimitRecord(text, kind, wanted, table, &names);
  if (table.entryCount < 0 || table.entryCount > tq::kLimitPointRows ||
      (kind == tq::LimitFileKind::Vehicle && table.entryCount > tq::kLimitBandRows) ||
      table.name.size() > 64 || table.description.size() > 64 || table.standard.size() > 30 ||
      table.distanceText.size() > 30 || names.size() > tq::kUserLimitListMax)
    __builtin_trap();
  for (const double hz : {0.0, 9000.0, 150000.0, 273861.0, 3.0e7, 1.0e9, 2.2e9}) {
    for (const bool alternative : {false, true}) {
      const double level = tq::LimitAt(table, hz, {3.0f, alternative});
      if (!std::isfinite(level) || level > tq::kNoLimit) __builtin_trap();
    }
  }
  return 0;
}
