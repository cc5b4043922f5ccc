// The program's real serial adapter talking to tq4800-sim through a pseudo-terminal that a
// Com port is mapped to, as a user would run it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <filesystem>

#include "doubles/FixedClock.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/SimProcess.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/HostPorts.h"
#include "platform/NoUsbI2cIo.h"
#include "platform/qt/QtSerialPort.h"
#include "platform/qt/QtTicks.h"
#include "qt_test_app.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

using test::WaitFor;

TEST(PtyLink, StartsAndSweepsThroughAPseudoTerminal) {
  const fs::path binary = test::simulatorBinary();
  if (!fs::exists(binary)) GTEST_SKIP() << "tq4800-sim is not built";
  test::QtTestApp app;
  test::SimProcess sim(binary, {"--version", "1.23"});
  const std::string pty = sim.readLine(5000);
  ASSERT_TRUE(pty.starts_with("/dev/pts/")) << pty;

  const fs::path root = fs::temp_directory_path() / "tq_pty_link";
  fs::remove_all(root);
  HostFiles files(root);
  files.installShippedData(TQ_SOURCE_DATA_DIR);
  files.writeAll("C:\\tq4800\\TQ4800.INI",
                 "16776960\r\n12632256\r\n16711680\r\n0\r\n255\r\n16711935\r\n65280\r\n"
                 "65535\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nFALSE\r\nFALSE\r\nFALSE\r\n3\r\n;\r\n"
                 "30\r\n0\r\nTRUE\r\n500\r\n\r\nc:\\tq4800\\\r\nFALSE\r\n0\r\n0\r\n0\r\n");
  QtSerialPort port(HostPorts::Parse("COM3=" + pty + "\n"));
  QtTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  NoUsbI2cIo usb;
  test::RecordingView view;
  {
    Program program(Ports{port, ticks, prompts, files, clock, view, usb});
    ASSERT_TRUE(WaitFor([&] { return program.model().statusText == "Ready"; }, 20000))
        << program.model().statusText;
    EXPECT_EQ(program.model().detailsVersionText, "Hardware Version : 1.23");
    EXPECT_TRUE(program.model().ersMenuEnabled);
    // Firmware older than 2.01 is advised to be upgraded, once.
    EXPECT_EQ(prompts.messages(),
              std::vector<std::string>{
                  "Contact Veltrane Instruments Ltd for Upgraded Firmware to Improve Performance"});

    // One sweep of 100 steps at the true line rate.
    program.state().startFrequencyHz = 100000000;
    program.state().finishFrequencyHz = 110000000;
    program.state().stepsPerScan = 100;
    program.Execute(Command::Button1);
    ASSERT_TRUE(WaitFor([&] { return !program.state().runInProgress; }, 20000))
        << "step " << program.state().stepIndex;
    EXPECT_FLOAT_EQ(program.state().stepFrequencyHz[500], 110000000.0f);
    EXPECT_GT(program.traces().currentTrace[250], 0);
    prompts.answer(Answer::Yes);
    EXPECT_TRUE(program.CloseQuery());
  }
  fs::remove_all(root);
}

}  // namespace
}  // namespace tq
