#pragma once

#include "measure/ScanEngine.h"
#include "model/MeasurementState.h"

namespace tq::test {

// The whole HIGH range with no attenuation and the default colours: the graph tests' start.
inline void WholeHighSpanNoAttenuation(MeasurementState& s) {
  s.startFrequencyHz = kHighStartHz;
  s.finishFrequencyHz = kHighFinishHz;
  s.highRange = true;
  s.attenuationDb = 0;
  s.screenColours = kDefaultScreenColours;
  FillDisplayGrid(s);
}

}  // namespace tq::test
