#pragma once

#include <filesystem>
#include <string>

#include "platform/Files.h"

namespace tq {

// The program's files on a host file system. A drive letter maps to <root>/drive_<letter>,
// both separators are accepted, each component matches an existing entry whatever its
// case (as on Windows), a relative name lands in the working folder C:\tq4800\, and an
// absolute host path passes through.
class HostFiles : public Files {
 public:
  explicit HostFiles(std::filesystem::path dataRoot);

  const std::filesystem::path& dataRoot() const { return dataRoot_; }
  void setWorkingDirectory(std::string programDir) { workingDir_ = std::move(programDir); }
  const std::string& workingDirectory() const { return workingDir_; }

  std::filesystem::path resolve(std::string_view programPath) const override;
  bool exists(std::string_view programPath) const override;
  std::optional<std::string> readAll(std::string_view programPath) const override;
  bool writeAll(std::string_view programPath, std::string_view contents) override;

  // First start: creates the working folder and copies every shipped file that is absent
  // there (a user's own file is never overwritten). Returns the number copied. The shipped
  // folder drive_a is left out: it is the simulated analyser's disk.
  int installShippedData(const std::filesystem::path& shippedDir);
  // Simulate mode: the simulated ERS unit's calibration disk (the shipped drive_a) goes into
  // A: where its files are absent. Returns the number copied.
  int installSimulatedDisk(const std::filesystem::path& shippedDir);
  // Writes the commented default host.ini into the data root unless one is there.
  void ensureHostIni();

 private:
  std::filesystem::path dataRoot_;
  std::string workingDir_ = "C:\\tq4800\\";
};

// The default data root, ~/.tq4800 (or ./.tq4800 without a home).
std::filesystem::path DefaultDataRoot();

}  // namespace tq
