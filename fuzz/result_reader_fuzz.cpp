// Any text reads as a result file without crashing or running past it: the header, the data
// block by either splitting path and the ERS block, with every level kept within its bounds
// and a file written from what was read reading back to the same header.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "results/ResultFile.h"

namespace {

bool Bounded(const tq::Trace& t) {
  for (const std::int32_t v : t)
    if (v < -32767 || v > 32767) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte picks the delimiter the data are split with: a blank, ';' or ','.
  const char delimiter = " ;,"[data[0] % 3];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const tq::ResultLines lines(text, tq::kResultFileLines);
  if (lines.size() > tq::kResultFileLines) __builtin_trap();
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].size() > tq::kResultLineLength) __builtin_trap();

  const tq::HeaderRead read = tq::ReadResultHeader(lines);
  const tq::ResultHeader& h = read.header;
  if (h.title.size() > tq::kResultLineLength || h.delimiter.size() > 1 ||
      h.lisnInsertionLossDb < 0 || h.lisnInsertionLossDb > 30)
    __builtin_trap();

  tq::ResultColumns columns;
  tq::ReadResultData(lines, tq::kResultHeaderLines, delimiter, columns);
  if (!Bounded(columns.current) || !Bounded(columns.store) || !Bounded(columns.limit) ||
      !Bounded(columns.single))
    __builtin_trap();

  tq::ErsTables ers;
  tq::ReadErsBlock(lines, tq::kResultHeaderLines + tq::kResultDataLines, delimiter,
                   read.ersPlaneRead ? h.ersPlane : -1, ers);
  for (const auto& plane : ers.correction)
    for (const std::int32_t v : plane)
      if (v < -32767 || v > 32767) __builtin_trap();

  // What was read of a complete header writes and reads back the same.
  if (read.failedLine == 0 && read.delimiterRead && h.delimiter == ";") {
    const std::string again = tq::FormatResultFile(h, columns, ers);
    const tq::HeaderRead back = tq::ReadResultHeader(tq::ResultLines(again, tq::kResultFileLines));
    if (back.failedLine != 0 || back.header.title != h.title ||
        back.header.startFrequencyHz != h.startFrequencyHz)
      __builtin_trap();
  }
  return 0;
}
