#pragma once

#include <gtest/gtest.h>

#include "corrections/Transducer.h"
#include "doubles/MemoryFiles.h"

namespace tq::test {

// What the transducer asks of the rest of the program, as a test sets it.
struct FakeCorrectionContext : CorrectionContext {
  bool preselector = false;
  float limitDistanceM = 0.0f;
  bool PreselectorInCircuit() const override { return preselector; }
  float RadiatedLimitDistanceM() const override { return limitDistanceM; }
};

// A transducer over its own state and in-memory files, front end at 0 dB.
class TransducerFixture : public ::testing::Test {
 public:
  TransducerFixture() { state.defaultPath = "c:\\tq4800\\"; }

  // The input as its menu entry loads it.
  void select(int code) {
    transducer.ResetTransducer();
    transducer.SetInputCode(code);
    transducer.LoadTransducerFactors(code);
  }

  MeasurementState state;
  MemoryFiles files;
  FakeCorrectionContext context;
  Transducer transducer{state, files, context};
};

}  // namespace tq::test
