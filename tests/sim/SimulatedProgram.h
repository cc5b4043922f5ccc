#pragma once

// One program's core against its own in-process simulated analyser on virtual time, with a
// data root of its own and scripted answers: a test may hold two that see the same readings.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "SimulatedLink.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"

namespace tq::test {

struct SimulatedProgram {
  explicit SimulatedProgram(const std::string& name, sim::AnalyserOptions options = {})
      : root(std::filesystem::temp_directory_path() / ("tq_simulated_" + name)) {
    std::filesystem::remove_all(root);
    files = std::make_unique<HostFiles>(root);
    files->installShippedData(TQ_SOURCE_DATA_DIR);
    files->writeAll("C:\\tq4800\\TQ4800.INI",
                    "16776960\r\n12632256\r\n16711680\r\n0\r\n255\r\n16711935\r\n65280\r\n"
                    "65535\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nFALSE\r\nFALSE\r\nFALSE\r\n2\r\n;\r\n"
                    "30\r\n0\r\nTRUE\r\n500\r\n\r\nc:\\tq4800\\\r\nFALSE\r\n0\r\n0\r\n0\r\n");
    link = std::make_unique<sim::SimulatedLink>(ticks, options, sim::PortOptions{false});
    program =
        std::make_unique<Program>(Ports{link->port, ticks, prompts, *files, clock, view, usb});
    ticks.advance(1000);  // start-up
    ticks.advance(500);
  }
  ~SimulatedProgram() {
    program.reset();
    link.reset();
    std::filesystem::remove_all(root);
  }

  // Lets virtual time run until the condition holds; false after maxMs.
  bool runUntil(const std::function<bool()>& done, double maxMs) {
    for (double t = 0; t < maxMs; t += 10) {
      if (done()) return true;
      ticks.advance(10);
    }
    return done();
  }

  std::filesystem::path root;
  std::unique_ptr<HostFiles> files;
  VirtualTicks ticks;
  ScriptedPrompts prompts;
  FixedClock clock;
  NoUsbI2cIo usb;
  RecordingView view;
  std::unique_ptr<sim::SimulatedLink> link;
  std::unique_ptr<Program> program;
};

}  // namespace tq::test
