// Composition root: the one place where the program's objects are made and wired.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <filesystem>
#include <iostream>

#include "SimulatedLink.h"
#include "SimulatedUsbAdapter.h"
#include "app/HostSetup.h"
#include "app/RoutingSerialPort.h"
#include "app/RunMain.h"
#include "app/SimulatedErsUnit.h"
#include "app/TEMC1.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/HostPorts.h"
#include "platform/NoUsbI2cIo.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtPrompts.h"
#include "platform/qt/QtSerialPort.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtTicks.h"

namespace {

// The shipped data files and help: where the installed program keeps them
// (<prefix>/share/tq4800 beside <prefix>/bin), else beside the program in its build tree,
// else the source tree.
std::filesystem::path ShippedDataDir() {
  const std::filesystem::path program =
      tq::HostPath(tq::ToStdString(QCoreApplication::applicationDirPath()));
  std::error_code ec;
  for (const auto& dir : {program / ".." / "share" / "tq4800", program / "data"})
    if (std::filesystem::is_directory(dir, ec)) return dir.lexically_normal();
  return TQ_SOURCE_DATA_DIR;
}

}  // namespace

int main(int argc, char* argv[]) {
  // An unattended run needs no display: it draws its reports offscreen.
  if (tq::AsksForRun(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName("Veltrane Instruments Ltd TQ4800");
  // The desktop entry and the icon the package installs.
  QGuiApplication::setDesktopFileName("uk.co.veltrane.TQ4800");
  QApplication::setWindowIcon(QIcon::fromTheme("tq4800"));

  QCommandLineParser parser;
  parser.addHelpOption();
  QCommandLineOption simulate(
      "simulate", "Every port reaches the built-in simulated analyser and USB adapter.");
  QCommandLineOption dataRoot("data-root", "Folder that holds the drives C: and A:.", "DIR");
  parser.addOption(simulate);
  parser.addOption(dataRoot);
  tq::AddRunOptions(parser);
  parser.process(app);
  if (parser.isSet("run")) return tq::RunPlan(parser, ShippedDataDir());

  tq::HostFiles files(tq::DataRootOf(parser));
  tq::PrepareDataRoot(files, ShippedDataDir(), parser.isSet(simulate));

  const tq::HostPorts hostPorts = tq::HostPorts::Parse(
      files.readAll(tq::Utf8Path(files.hostIniPath())).value_or(std::string{}));

  tq::QtTicks ticks;
  tq::QtClock clock;
  tq::TEMC1 window;
  tq::QtPrompts prompts(&window, &files);
  tq::QtSerialPort device(hostPorts);
  // The simulated analyser measures a finished product, as a user of --simulate would.
  tq::sim::SimulatedLink simulator(ticks, {.product = tq::sim::Product::Enclosed});
  tq::RoutingSerialPort serial(hostPorts, parser.isSet(simulate), device, simulator.port,
                               std::cerr);
  // This host has no adapter library; the simulated NX200 stands in for it with --simulate.
  tq::NoUsbI2cIo noAdapterLibrary;
  tq::sim::SimulatedUsbAdapter simulatedAdapter;
  tq::UsbI2cIo& usb =
      parser.isSet(simulate) ? static_cast<tq::UsbI2cIo&>(simulatedAdapter) : noAdapterLibrary;

  // The simulated analyser's ERS unit follows the calibration's instructions.
  tq::SimulatedErsUnit ersUnit(prompts, simulator.analyser);

  tq::Program program(tq::Ports{serial, ticks, ersUnit, files, clock, window, usb});
  window.attach(program);
  window.setHelpFolder(tq::ToQString(tq::Utf8Path(ShippedDataDir() / "help")));
  tq::QtPrinter printer(&window);
  window.setPrinter(printer);
  window.setGuidePrinter(printer);
  window.show();
  return app.exec();
}
