#pragma once

#include "SimulatedAnalyser.h"
#include "SimulatedSerialPort.h"
#include "platform/Ticks.h"

namespace tq::sim {

// An analyser and the port that reaches it, made and destroyed together in the right order.
struct SimulatedLink {
  SimulatedLink(Ticks& ticks, AnalyserOptions analyserOptions = {}, PortOptions portOptions = {})
      : analyser(ticks, analyserOptions), port(ticks, analyser, portOptions) {}

  SimulatedAnalyser analyser;  // declared first: outlives the port
  SimulatedSerialPort port;
};

}  // namespace tq::sim
