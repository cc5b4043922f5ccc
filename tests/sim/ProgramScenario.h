#pragma once

// The program's core against the in-process simulated analyser on virtual time, with a data
// root of its own and scripted answers to every question.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "SimulatedLink.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"

namespace tq {

namespace fs = std::filesystem;

class ProgramScenario : public ::testing::Test {
 protected:
  // A second program in the same test takes a suffix for a data root of its own.
  explicit ProgramScenario(sim::AnalyserOptions options = {}, const std::string& suffix = "") {
    root = fs::temp_directory_path() /
           (std::string("tq_scenario_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + suffix);
    fs::remove_all(root);
    files = std::make_unique<HostFiles>(root);
    files->installShippedData(TQ_SOURCE_DATA_DIR);
    files->writeAll("C:\\tq4800\\TQ4800.INI",
                    "16776960\r\n12632256\r\n16711680\r\n0\r\n255\r\n16711935\r\n65280\r\n"
                    "65535\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nFALSE\r\nFALSE\r\nFALSE\r\n2\r\n;\r\n"
                    "30\r\n0\r\nTRUE\r\n500\r\n\r\nc:\\tq4800\\\r\nFALSE\r\n0\r\n0\r\n0\r\n");
    link = std::make_unique<sim::SimulatedLink>(ticks, options, sim::PortOptions{false});
    program = std::make_unique<Program>(Ports{link->port, ticks, prompts, *files, clock, view});
    ticks.advance(1000);
    ticks.advance(500);
  }
  ~ProgramScenario() override {
    program.reset();
    link.reset();
    fs::remove_all(root);
  }

  // Lets virtual time run until the condition holds; false after maxMs.
  bool runUntil(const std::function<bool()>& done, double maxMs) {
    for (double t = 0; t < maxMs; t += 10) {
      if (done()) return true;
      ticks.advance(10);
    }
    return done();
  }

  MeasurementState& state() { return program->state(); }

  fs::path root;
  std::unique_ptr<HostFiles> files;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  test::RecordingView view;
  std::unique_ptr<sim::SimulatedLink> link;
  std::unique_ptr<Program> program;
};

}  // namespace tq
