#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tq {

// The instruction texts the test-method forms write into the instruction window, one line per
// entry. `standard` is the standard's name as the instructions write it.

// The conducted-test form's answers: input 0 KM902, 1 other LISN, 2 KVP, 3 KVP + PA76;
// pre-amplifier 0 none, 1 10 dB, 2 20 dB (TQ4820), 3 30 dB (PA76).
struct ConductedAnswers {
  int input = 0;
  bool threePhase = false;
  int preamp = 0;
};
std::vector<std::string> ConductedInstructions(const std::string& standard, int testCode,
                                               const ConductedAnswers& answers);
std::vector<std::string> RadiatedInstructions(const std::string& standard, bool withErs);
std::vector<std::string> ClampInstructions(const std::string& standard);
// Signal source 0 broadband noise, 1 swept sine.
std::vector<std::string> InsertionLossInstructions(const std::string& standard, int source);
// Loop antenna 0 NX30, 1..3 another loop of 2, 3 or 4 m.
std::vector<std::string> LoopInstructions(const std::string& standard, int antenna);
// EN55013 antenna terminal test; source 0 local oscillator, 1 other.
std::vector<std::string> AntennaTerminalInstructions(const std::string& standard, int source);
std::vector<std::string> CurrentProbeInstructions(const std::string& standard);

// The printed page holds 42 instruction lines (from 150 to 970 units down); every text fits.
inline constexpr std::size_t kInstructionPageLines = 42;

}  // namespace tq
