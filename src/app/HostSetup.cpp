#include "app/HostSetup.h"

#include <QCommandLineParser>
#include <QDir>

#include "platform/qt/QtText.h"

namespace tq {

std::filesystem::path DataRootOf(const QCommandLineParser& parser) {
  return parser.isSet("data-root") ? HostPath(ToStdString(parser.value("data-root")))
                                   : DefaultDataRoot();
}

void PrepareDataRoot(HostFiles& files, const std::filesystem::path& shippedDataDir, bool simulate) {
  files.ensureHostIni();
  files.installShippedData(shippedDataDir);
  // The simulated analyser's ERS unit comes with its calibration disk.
  if (simulate) files.installSimulatedDisk(shippedDataDir);
  // Bare file names land in the working folder, as they always did.
  QDir::setCurrent(ToQString(Utf8Path(files.resolve(files.workingDirectory()))));
}

}  // namespace tq
