// Instructions of the radiated tests: the broadband antenna with or without an ERS site
// calibration, the absorbing clamp, the large loop antenna and the insertion loss test.
#include "guide/InstructionText.h"
#include "guide/Instructions.h"

namespace tq {

namespace {

void Background(InstructionText& t, const std::string& what) {
  t.step({"Background: with the " + what + " switched OFF, select Processing > Peak",
          "Hold and press RUN. After a few sweeps press CANCEL, then \"> STORE\"",
          "to keep the background as the Store trace."});
}

void Emission(InstructionText& t, const std::string& what) {
  t.step({"Switch the " + what + " ON in its normal working mode. Select Processing",
          "> Peak Hold, press RUN and press CANCEL when the trace is steady. Tick",
          "Display > Difference : Emissions and press \"Diff.\": the Difference",
          "trace is the " + what + "'s own emission. Compare it with the limit line."});
}

void QuasiPeakCheck(InstructionText& t) {
  t.step({"Check every emission within 6dB of the limit with the Quasi-Peak",
          "detector: press \"Single\", click the peak on the graph, choose True",
          "Quasi Peak in Single Frequency Settings and read the level. \"Scan\"",
          "returns to the sweep."});
}

void Site(InstructionText& t) {
  t.step({"Choose a site clear of reflecting surfaces: no metal walls, cabinets,",
          "vehicles or cables within 3 metres of the UUT or the antenna, and",
          "people standing well back during the sweeps."});
  t.step({"Stand the NX20 antenna on its tripod 3 metres from the UUT's position,",
          "1m above the floor, horizontally polarised, and switch it on. Connect",
          "it to the TQ4800 input."});
}

}  // namespace

std::vector<std::string> RadiatedInstructions(const std::string& standard, bool withErs) {
  InstructionText t;
  t.line(standard + " RADIATED EMISSIONS TEST, 30MHz TO 1000MHz");
  if (withErs) {
    t.line("For this test you need an ERS with the battery charged and the ERS");
    t.line("data installed (Processing > Install ERS Data).");
  }
  t.line(kPrintFirst).line();
  t.step({"Press \"Set Analyser\": it sets the high range, the limit and the",
          "NX20 input. If asked for the antenna distance, enter 3 (metres)."});
  Site(t);
  if (withErs) {
    t.step({"Place the ERS where the UUT will stand. Select Processing > ERS",
            "Calibration Mode > Full Range, choose Horizontal and press OK."});
    t.step({"Follow the messages: switch the ERS on, wait for the full trace, switch",
            "it off and press S/SHOT for the background. If COMPRESSION shows, raise",
            "the attenuation in the ERS Calibration window."});
    t.step({"Turn the antenna vertical and repeat steps 4 and 5 with Vertical."});
    t.step({"Remove the ERS and put the UUT in its place. Turn the antenna back to",
            "horizontal and select Processing > Apply ERS Correction > Horizontal."});
  } else {
    t.step({"Place the UUT on a non-conducting table 80cm high, in its normal",
            "working arrangement with its cables laid out as in use."});
  }
  Background(t, "UUT");
  Emission(t, "UUT");
  t.step({"Turn the UUT in steps of 90 degrees and repeat the sweep, keeping the",
          "position that gives the highest emissions."});
  t.step({withErs ? "Turn the antenna vertical, select Processing > Apply ERS Correction >"
                  : "Turn the antenna vertical and repeat the background and the",
          withErs ? "Vertical and repeat the background and the emission sweeps."
                  : "emission sweeps."});
  QuasiPeakCheck(t);
  t.step({"Save the result with File > Save As..."});
  return t.take();
}

std::vector<std::string> ClampInstructions(const std::string& standard) {
  InstructionText t;
  t.line(standard + " DISTURBANCE POWER (ABSORBING CLAMP), 30MHz TO 300MHz");
  t.line(kPrintFirst).line();
  t.step({"Press \"Set Analyser\": it sets the high range, the span from",
          "30MHz to 300MHz, the limit and the NX40 input."});
  t.step({"Place the UUT on a non-conducting table 80cm high. Lay its mains lead",
          "out straight at the same height for at least 6 metres."});
  t.step({"Position the NX40 around the lead as close to the UUT as possible,",
          "its current transformer end towards the UUT. Connect the NX40 output",
          "to the TQ4800 input."});
  Background(t, "UUT");
  t.step({"Switch the UUT ON, select Processing > Peak Hold and press RUN. Slide",
          "the clamp slowly along the lead, away from the UUT, for about 5 metres",
          "and back; then press CANCEL."});
  t.step({"Tick Display > Difference : Emissions and press \"Diff.\". Compare the",
          "Difference trace with the limit line."});
  QuasiPeakCheck(t);
  t.step({"Repeat for every other lead longer than 25cm, and save each result",
          "with File > Save As..."});
  return t.take();
}

std::vector<std::string> InsertionLossInstructions(const std::string& standard, int source) {
  const bool swept = source == 1;
  InstructionText t;
  t.line(standard + " INSERTION LOSS TEST, 150KHz TO 1605KHz");
  t.line(swept ? "Signal source: swept sine generator." : "Signal source: broadband noise.");
  t.line(kPrintFirst).line();
  t.step({"Press \"Set Analyser\": it sets a linear span from 150KHz to",
          "1605KHz and the limit."});
  t.step({"Connect the TQ4800 input to the mains terminals of the luminaire",
          "through the 150 ohm network. Connect the signal source to the lamp",
          "terminals through its balun, with the source at its lowest level."});
  t.step({"Reference: replace the luminaire by the direct connection of the",
          "network (the reference set-up). Raise the source until its signal",
          "stands at least 20dB above the noise on the graph."});
  t.step({swept ? "Select Processing > Peak Hold and press RUN while the generator"
                : "Select Processing > Average 8 and press RUN; the averaging",
          swept ? "sweeps the range several times; then press CANCEL."
                : "run stops by itself after 8 sweeps.",
          "Press \"> STORE\" to keep the reference."});
  t.step({"Put the luminaire with its lamp in place of the reference and sweep",
          "again as in step 4, with the source level unchanged, but without",
          "pressing \"> STORE\"."});
  t.step({"Tick Display > Difference : Insertion Loss and press \"Diff.\": the",
          "Difference trace is the luminaire's insertion loss. Compare it with the",
          "minimum insertion loss of the standard."});
  t.step({"Save the result with File > Save As..."});
  return t.take();
}

std::vector<std::string> LoopInstructions(const std::string& standard, int antenna) {
  static const char* const kLoops[] = {"NX30 2m large loop antenna", "2m large loop antenna",
                                       "3m large loop antenna", "4m large loop antenna"};
  const int a = antenna >= 0 && antenna <= 3 ? antenna : 0;
  InstructionText t;
  t.line(standard + " RADIATED MAGNETIC FIELD, 9KHz TO 30MHz");
  t.line(std::string("Antenna: ") + kLoops[a] + ".");
  t.line(kPrintFirst).line();
  t.step({"Press \"Set Analyser\": it sets the low range, the limit for the",
          "loop's diameter and the NX30 input."});
  if (a != 0)
    t.step({"Your loop is not an NX30: enter its factors as a user antenna file",
            "and select it with Inputs > User Antenna... > Select User Antenna."});
  t.step({"Install the UUT in the centre of the loop as specified by EN55015",
          "section 7.2, its lamps fitted and its mains lead led out as the",
          "standard shows. Connect the loop's output to the TQ4800 input."});
  Background(t, "UUT");
  Emission(t, "UUT");
  t.step({"Switch the loop to the next axis and repeat the background and the",
          "emission sweeps; each of the three axes is measured in turn."});
  QuasiPeakCheck(t);
  t.step({"Save the result of each axis with File > Save As..."});
  return t.take();
}

}  // namespace tq
