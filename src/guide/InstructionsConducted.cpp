// Instructions of the conducted tests: mains terminal voltage with a LISN or a voltage probe,
// the antenna terminal test of broadcast receivers and the current probe test.
#include "guide/InstructionText.h"
#include "guide/Instructions.h"

namespace tq {

namespace {

constexpr int kKm902 = 0;
constexpr int kOtherLisn = 1;
constexpr int kKvpPa76 = 3;

bool UsesLisn(int input) {
  return input == kKm902 || input == kOtherLisn;
}

std::string LimitRange(int testCode) {
  if (testCode == 20) return "9KHz to 30MHz";
  if (testCode == 51) return "10KHz to 30MHz";
  return "150KHz to 30MHz";
}

std::string EquipmentLine(const ConductedAnswers& a) {
  static const char* const kInputs[] = {"KM902 LISN", "LISN (50 ohm / 50uH)", "KVP voltage probe",
                                        "KVP voltage probe with PA76 pre-amplifier"};
  static const char* const kPreamps[] = {"", ", 10dB pre-amplifier", ", TQ4820 20dB pre-amplifier",
                                         ", PA76 30dB pre-amplifier"};
  const int input = a.input >= 0 && a.input <= 3 ? a.input : 0;
  const int preamp = a.preamp >= 0 && a.preamp <= 3 ? a.preamp : 0;
  return std::string("Equipment: ") + kInputs[input] +
         (a.input == kKvpPa76 ? "" : kPreamps[preamp]) + ", TQ4800.";
}

// The path from the transducer to the analyser's input.
std::string SignalPath(const ConductedAnswers& a) {
  const std::string from = UsesLisn(a.input) ? "the LISN's RF output" : "the KVP's output";
  if (a.input == kKvpPa76) return from + " through the PA76 (switched on)";
  if (a.preamp > 0) return from + " through the pre-amplifier";
  return from;
}

void SetUp(InstructionText& t, int testCode, const ConductedAnswers& a) {
  if (testCode == 36) {
    t.step({"Set up the receiver as EN55013 asks for the mains test: switched on,",
            "tuned to a quiet channel, its antenna terminals terminated in 75 ohm."});
  } else if (UsesLisn(a.input)) {
    t.step({"With the supply switched off, connect the LISN's mains input to the",
            "supply. Bond the LISN's case to the ground plane with a short, wide",
            "strap: the LISN must not be used without its earth."});
  } else {
    t.step({"With the supply switched off, connect the UUT to the supply. Connect",
            "the KVP's earth lead to the ground plane by the shortest route."});
  }
  t.step({"Arrange the test set-up: the UUT on a non-conducting table 40cm above",
          "a ground plane (or 40cm from a metal wall), 80cm from the LISN or probe.",
          "Fold excess mains lead into a 30cm to 40cm bundle; do not coil it."});
  if (UsesLisn(a.input))
    t.step(
        {"Plug the UUT into the LISN's outlet. Connect", SignalPath(a) + " to the TQ4800 input."});
  else
    t.step({"Clip the KVP to the live line of the UUT's supply. Connect",
            SignalPath(a) + " to the TQ4800 input."});
}

void Measurement(InstructionText& t, const ConductedAnswers& a) {
  std::vector<std::string> setAnalyser{
      "Press \"Set Analyser\": it sets the low range, the span, the limit,",
      UsesLisn(a.input) ? "the LISN input and the Pre-Amp dB box."
                        : "the KVP input and the Pre-Amp dB box."};
  if (a.input == kOtherLisn) {
    setAnalyser.push_back("Then click the input panel under the graph and set the Insertion");
    setAnalyser.push_back("Loss of your LISN in LISN Settings (\"0 dB (Other LISN)\" if none).");
  }
  if (a.input == kKvpPa76)
    setAnalyser.push_back("Leave the Pre-Amp dB box at 0 unless a TQ4820 is also in the path.");
  t.step(setAnalyser);
  t.step({"Background: with the UUT switched OFF, select Processing > Peak Hold and",
          "press RUN. After a few sweeps press CANCEL, then \"> STORE\" to keep the",
          "background as the Store trace."});
  t.step({"Switch the UUT ON in its normal working mode. Select Processing > Peak",
          "Hold again, press RUN and press CANCEL when the trace is steady."});
  t.step({"Tick Display > Difference : Emissions and press \"Diff.\": the Difference",
          "trace is the UUT's own emission, with the background taken out. Compare",
          "it with the limit line."});
  t.step({"Check every emission within 6dB of the limit, or above it,",
          "with the average and Quasi-Peak detectors using the Single Frequency mode.",
          "Press \"Single\", click the peak on the graph, choose Average (then True",
          "Quasi Peak) in Single Frequency Settings and read the level. \"Scan\" returns",
          "to the sweep."});
  if (UsesLisn(a.input))
    t.step({"Click the input panel, choose the next line as Source in LISN Settings",
            "(Neutral, or each phase) and repeat steps " + std::to_string(t.steps() - 3) + " to " +
                std::to_string(t.steps()) + "."});
  else
    t.step({"Move the KVP to the neutral (and each phase) and repeat steps " +
            std::to_string(t.steps() - 3) + " to " + std::to_string(t.steps()) + "."});
  t.step({"Save the result with File > Save As..."});
}

}  // namespace

std::vector<std::string> ConductedInstructions(const std::string& standard, int testCode,
                                               const ConductedAnswers& answers) {
  InstructionText t;
  t.line(standard +
         (testCode == 36 ? " MAINS TERMINAL DISTURBANCE VOLTAGE" : " CONDUCTED EMISSIONS TEST"));
  t.line("Limit range " + LimitRange(testCode) + ".");
  t.line(EquipmentLine(answers));
  t.line(kPrintFirst).line();
  SetUp(t, testCode, answers);
  Measurement(t, answers);
  return t.take();
}

std::vector<std::string> AntennaTerminalInstructions(const std::string& standard, int source) {
  InstructionText t;
  t.line(standard + " ANTENNA TERMINAL DISTURBANCE VOLTAGE");
  t.line(source == 0 ? "Signal measured: the local oscillator and its harmonics."
                     : "Signals measured: all signals other than the local oscillator.");
  t.line(kPrintFirst).line();
  t.step({"Press \"Set Analyser\": it sets the high range, the limit and",
          "30dB of attenuation, which protects the TQ4800 from the generator."});
  t.step({"Connect the auxiliary generator to the receiver's antenna terminals",
          "through the combining network, and the TQ4800 input to the same",
          "terminals through the matching network (EN55013 Clause 5.3)."});
  t.step({"Switch the receiver on and tune it to the test channel. Tune the",
          "auxiliary generator to the receiver frequency and set its level to give",
          "70dBuV at the antenna terminals."});
  t.step({"Select Processing > Peak Hold, press RUN and press CANCEL when the",
          "trace is steady. Read each signal's level with the cursor (Display >",
          "Values) and add the loss of the matching network to it."});
  t.step({"Press \"> STORE\", switch the EUT OFF (generator still on) and repeat",
          "step 4. A signal still present comes from the generator or the networks,",
          "not from the EUT."});
  t.step({"Repeat for each channel or band the receiver covers, and save each",
          "result with File > Save As..."});
  return t.take();
}

std::vector<std::string> CurrentProbeInstructions(const std::string& standard) {
  InstructionText t;
  t.line("This test requires the use of a current probe. To proceed:");
  t.line(kPrintFirst).line();
  t.step({"Connect the current probe's output to the TQ4800 input."});
  t.step({"Install the probe's calibration data once, as a user antenna file:",
          "Inputs > User Antenna... > Create Antenna File."});
  t.step({"Press \"Set Analyser\": it sets the low range and the " + standard,
          "current probe limit, and asks for the probe's file. Select it from the",
          "Inputs menu at any time: Inputs > User Antenna... > Select User Antenna."});
  t.step({"Clamp the probe around the line chosen in Line Select, 5cm from the",
          "equipment. Keep the other lines out of the probe."});
  t.step({"With the equipment OFF, select Processing > Peak Hold, press RUN, then",
          "CANCEL and \"> STORE\" to keep the background."});
  t.step({"Switch the equipment ON, select Processing > Peak Hold, press RUN and",
          "CANCEL when steady. Tick Display > Difference : Emissions and press",
          "\"Diff.\" to compare the line's emission with the limit."});
  t.step({"Move the probe to each other line in turn and repeat steps 5 and 6.",
          "Save each result with File > Save As..."});
  return t.take();
}

}  // namespace tq
