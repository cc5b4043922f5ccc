#pragma once

#include <optional>

namespace tq {

// The regions of the guide; each is the limit file selector of its limit file.
inline constexpr int kEuropeanRegion = 1;
inline constexpr int kAustralianRegion = 2;

// The limit of a test code: record `record` of the built-in file `fileSelector`.
struct GuideLimit {
  int fileSelector = 1;
  int record = 0;
  bool operator==(const GuideLimit&) const = default;
};
// nullopt when nothing is loaded for the code in the region. The loop antenna variant picks
// the record of the large loop test.
std::optional<GuideLimit> LimitForTestCode(int testCode, int region, int loopVariant);

// How Set Analyser sets the span for a test code.
enum class SpanSetUp {
  Unchanged,
  HighRange,  // the whole high range, logarithmic span index 2
  LowRange,   // the whole low range, logarithmic span index 1
  LowWide,    // the low range from 10 kHz, logarithmic span index 4
  Broadcast,  // linear 150 kHz to 1605 kHz in the low range
};
SpanSetUp SpanSetUpFor(int testCode);

// How Set Analyser sets the input for a test code.
enum class InputSetUp {
  Unchanged,
  Conducted,         // the conducted-test form's input and pre-amplifier
  BroadbandAntenna,  // NX20
  AbsorbingClamp,    // NX40, logarithmic span index 3
  LoopAntenna,       // NX30
  Attenuation30,     // attenuation 30 dB, input unchanged
  UserAntenna,       // the user antenna selection
};
InputSetUp InputSetUpFor(int testCode);

// The pre-amplifier gain of the conducted-test form's choice 0..3.
int PreampGainDb(int preampChoice);

}  // namespace tq
