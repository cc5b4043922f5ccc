// Any text read as an ERS installation file (.HOR, .VER), as ERS.DAT and as erscorr.dat,
// through the menu commands that read them: never a crash, a failed installation leaves the
// data installed before, every level stays finite, and what is written reads back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "corrections/ErsData.h"
#include "doubles/MemoryFiles.h"
#include "doubles/ScriptedPrompts.h"

namespace {

bool Finite(const tq::ErsTables& t) {
  for (const auto& plane : t.reference)
    for (const float v : plane)
      if (!std::isfinite(v)) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  tq::MeasurementState state;
  state.ersSerialNumber = "OLD";
  tq::test::MemoryFiles files;
  tq::test::ScriptedPrompts prompts;
  tq::ErsData ers(state, files, prompts);

  files.put("a:S.HOR", text);
  files.put("a:S.VER", text);
  prompts.input("S");
  ers.InstallERSdata1Click();
  const bool installed = prompts.wasShown("ERS Data Successfully Installed");
  if (installed != files.exists(tq::kErsDataFile) || (installed != (state.ersSerialNumber == "S")))
    __builtin_trap();
  if (!Finite(ers.tables())) __builtin_trap();

  files.put(tq::kErsDataFile, text);
  ers.LoadReferenceLevels();
  if (!Finite(ers.tables())) __builtin_trap();
  // ERS.DAT written from the tables reads back to the written precision.
  tq::ErsTables back;
  if (!tq::ReadErsDat(tq::ErsDatText(ers.tables()), back)) __builtin_trap();
  for (std::size_t p = 0; p < 2; ++p)
    for (std::size_t j = 0; j < tq::kErsPoints; ++j) {
      const float v = ers.tables().reference[p][j];
      if (std::abs(back.reference[p][j] - v) > 0.051f) __builtin_trap();
    }

  files.put(tq::kErsCorrectionFile, text);
  if (ers.ReLoadERSCorrectionData1Click()) {
    tq::ErsTables again;
    tq::ReadErsCorrectionText(tq::ErsCorrectionText(ers.tables(), "S"), again);
    if (again.correction != ers.tables().correction || again.valid != ers.tables().valid)
      __builtin_trap();
  }
  for (const int plane : {1, 2}) {
    ers.ToggleApplied(plane);
    for (const double hz : {0.0, 3e7, 3.1e7, 5.55e8, 1e9, 1.001e9, 2e9})
      if (!std::isfinite(ers.CorrectionDb(hz))) __builtin_trap();
    ers.ToggleApplied(plane);
  }
  return 0;
}
