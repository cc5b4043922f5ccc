#pragma once

#include <filesystem>
#include <string>

#include "platform/Files.h"
#include "platform/HostSystem.h"

namespace tq {

// The program's files on a host file system. A drive letter maps to <root>/drive_<letter>,
// both separators are accepted, a relative name lands in the working folder C:\tq4800\,
// and a host path (absolute on POSIX, UNC on Windows, or inside the data root) passes
// through. On POSIX each component matches an existing entry whatever its case; Windows
// does that itself. On Windows an empty data root means the real drives, and with a data
// root only the program's own drives C: and A: are in it.
class HostFiles : public Files {
 public:
  explicit HostFiles(std::filesystem::path dataRoot, HostSystem system = kThisHost);

  const std::filesystem::path& dataRoot() const { return dataRoot_; }
  bool usesRealDrives() const { return system_ == HostSystem::Windows && dataRoot_.empty(); }
  // host.ini: in the data root, or beside the settings with the real drives.
  std::filesystem::path hostIniPath() const;
  void setWorkingDirectory(std::string programDir) { workingDir_ = std::move(programDir); }
  const std::string& workingDirectory() const { return workingDir_; }

  std::filesystem::path resolve(std::string_view programPath) const override;
  bool exists(std::string_view programPath) const override;
  std::optional<std::string> readAll(std::string_view programPath) const override;
  bool writeAll(std::string_view programPath, std::string_view contents) override;
  std::string writeError() const override { return writeError_; }

  // First start: creates the working folder and copies every shipped file that is absent
  // there (a user's own file is never overwritten). Returns the number copied. The shipped
  // folder drive_a is left out: it is the simulated analyser's disk.
  int installShippedData(const std::filesystem::path& shippedDir);
  // Simulate mode: the simulated ERS unit's calibration disk (the shipped drive_a) goes into
  // A: where its files are absent. Returns the number copied.
  int installSimulatedDisk(const std::filesystem::path& shippedDir);
  // Writes the commented default host.ini into the data root unless one is there (with the
  // real drives the file is optional and never written).
  void ensureHostIni();

 private:
  bool isHostPath(std::string_view path) const;

  std::filesystem::path dataRoot_;
  HostSystem system_;
  std::string workingDir_ = "C:\\tq4800\\";
  std::string writeError_;
};

// Program texts are UTF-8. These turn them into host paths and back on every system; the
// narrow conversions of std::filesystem take a Windows code page instead.
std::filesystem::path HostPath(std::string_view utf8);
std::string Utf8Path(const std::filesystem::path& path);

// The default data root: ~/.tq4800 (or ./.tq4800 without a home) on POSIX; none on Windows,
// whose real drives the program's paths name.
std::filesystem::path DefaultDataRoot(HostSystem system = kThisHost);

}  // namespace tq
