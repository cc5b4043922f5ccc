#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/CommandId.h"

namespace tq {

// A test plan: the INI file a hardware team keeps beside its product's sources. One [run]
// section and one or more [test NAME] sections, run in order. A key the plan leaves out
// keeps what the program starts with, as the window would.

enum class PlanLimitKind { Unchanged, None, Catalogue, User };

struct PlanLimit {
  PlanLimitKind kind = PlanLimitKind::Unchanged;
  Command entry = Command::None;  // Catalogue: the Limits menu's entry
  std::string name;               // the catalogue path or the user limit's name, as shown
};

struct PlanTest {
  std::string name;
  int line = 0;  // of the section header, for messages
  PlanLimit limit;
  std::optional<Command> input;  // an entry of the Inputs menu
  std::optional<float> distanceM;
  std::optional<int> lisnSource;     // 0 LIVE .. 4 BLUE
  std::optional<int> lisnLossIndex;  // 0..3: 0, 10, 20, 30 dB
  std::optional<bool> highRange;
  std::optional<std::int32_t> startHz;
  std::optional<std::int32_t> stopHz;
  std::optional<int> steps;          // 500, 250 or 100
  std::optional<int> detector;       // 1 peak, 2 average, 3 quasi-peak
  std::optional<int> attenuationDb;  // 0, 10, 20, 30
  std::optional<int> preampGainDb;
  std::optional<int> processingMode;  // 0 off, 1..3 average 8/16/32, 4 peak hold
  int sweeps = 1;                     // sweeps under Off and Peak Hold; averaging counts its own
  bool finalMeasurement = true;
  int peaks = 10;
  double thresholdDb = 6.0;
};

struct PlanRun {
  std::optional<int> port;  // 1..4
  std::optional<std::string> title;
  std::vector<std::string> notes;
};

struct TestPlan {
  PlanRun run;
  std::vector<PlanTest> tests;
};

// What is wrong with a plan, said once: "FILE:LINE: message".
struct PlanError {
  std::string text;
};

// Reads a plan. Names are resolved against the Limits and Inputs menus; spans are checked
// against the range. Nothing is sent or changed: a plan is accepted whole or not at all.
std::variant<TestPlan, PlanError> ReadTestPlan(std::string_view text, std::string_view fileName);

// The Limits menu's path of a catalogue entry ("European Limits > EN55022 > Class B
// Radiated"), without accelerator marks; empty for a command outside the catalogue.
std::string LimitMenuPath(Command entry);

}  // namespace tq
