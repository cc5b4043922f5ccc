// Any settings text reads without crashing and keeps the values within their tables.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "measure/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tq::MeasurementState state;
  tq::ApplySettingsDefaults(state);
  tq::LoadSettings(std::string_view(reinterpret_cast<const char*>(data), size), state);
  if (state.displaySize > 2 || state.ostrocellSelection > 5 || state.delimiter.size() > 15 ||
      state.defaultPath.size() > 64 || state.portNumber < 1 || state.portNumber > 4)
    __builtin_trap();
  tq::SaveSettings(state);
  return 0;
}
