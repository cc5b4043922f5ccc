#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tq {

// The program's files. Paths keep the program's own DOS form ("C:\tq4800\TQ4800.INI",
// "a:", bare names); resolve() maps them onto the host.
class Files {
 public:
  virtual ~Files() = default;

  virtual std::filesystem::path resolve(std::string_view programPath) const = 0;
  virtual bool exists(std::string_view programPath) const = 0;
  // The whole file, or nullopt when it cannot be read.
  virtual std::optional<std::string> readAll(std::string_view programPath) const = 0;
  // Replaces the file as a whole: a failed write never leaves a truncated file.
  virtual bool writeAll(std::string_view programPath, std::string_view contents) = 0;
  // Why the last write failed, in the platform's words; empty when it did not say.
  virtual std::string writeError() const { return {}; }
};

// The error box's text for a write that failed: the file, then the platform's reason.
inline std::string WriteFailureText(const Files& files, std::string_view programPath) {
  std::string text = "Unable to write " + std::string(programPath);
  if (const std::string why = files.writeError(); !why.empty()) text += "\n" + why;
  return text;
}

}  // namespace tq
