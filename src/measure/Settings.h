#pragma once

#include <string>
#include <string_view>

#include "model/MeasurementState.h"

namespace tq {

// What reading TQ4800.INI found beyond the values it stored.
struct SettingsReadResult {
  // 0 when every numeric line converted; otherwise the first line (1-based) that held no
  // number. Lines before it keep what was read, the rest took the defaults.
  int badLine = 0;
  // Line 18 was a whole number 1..4 and set the port number.
  bool portRead = false;
  // defaultPath came out shorter than 2 characters.
  bool defaultPathInvalid = false;
};

// The values a missing settings file stands for.
void ApplySettingsDefaults(MeasurementState& state);

// Reads lines 1 to 29 of the settings text into state (lines may end in CR LF or LF).
SettingsReadResult LoadSettings(std::string_view text, MeasurementState& state);

// The whole 32-line settings text, CR LF line ends.
std::string SaveSettings(const MeasurementState& state);

}  // namespace tq
