#include "platform/HostFiles.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <system_error>
#include <vector>

namespace tq {
namespace fs = std::filesystem;

namespace {

// The folder of the shipped data that holds the simulated ERS unit's disk.
const fs::path kSimulatedDisk = "drive_a";

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::vector<std::string> SplitComponents(std::string_view path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (IsSeparator(c)) {
      if (!part.empty()) parts.push_back(std::move(part));
      part.clear();
    } else {
      part.push_back(c);
    }
  }
  if (!part.empty()) parts.push_back(std::move(part));
  return parts;
}

bool HasDriveLetter(std::string_view p) {
  return p.size() >= 2 && p[1] == ':' && std::isalpha(static_cast<unsigned char>(p[0]));
}

// Appends components to base, taking an existing entry whose name differs only in case.
fs::path AppendMatching(fs::path base, const std::vector<std::string>& parts) {
  const fs::path root = base;
  for (const auto& part : parts) {
    if (part == ".") continue;
    if (part == "..") {
      // As on Windows, ".." at a drive's root stays at the root.
      if (base != root) base = base.parent_path();
      continue;
    }
    fs::path exact = base / part;
    std::error_code ec;
    if (!fs::exists(exact, ec)) {
      for (const auto& entry : fs::directory_iterator(base, ec)) {
        if (EqualNoCase(entry.path().filename().string(), part)) {
          exact = entry.path();
          break;
        }
      }
    }
    base = std::move(exact);
  }
  return base;
}

}  // namespace

HostFiles::HostFiles(fs::path dataRoot) : dataRoot_(std::move(dataRoot)) {}

fs::path HostFiles::resolve(std::string_view programPath) const {
  std::string path(programPath);
  if (!path.empty() && path.front() == '/') return fs::path(path);  // a host path
  if (!HasDriveLetter(path)) {
    // Root-relative names take the working drive; bare names the working folder.
    if (!path.empty() && path.front() == '\\')
      path = workingDir_.substr(0, 2) + path;
    else
      path = workingDir_ + "\\" + path;
  }
  const char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
  const fs::path driveDir = dataRoot_ / (std::string("drive_") + drive);
  return AppendMatching(driveDir, SplitComponents(std::string_view(path).substr(2)));
}

bool HostFiles::exists(std::string_view programPath) const {
  std::error_code ec;
  return fs::is_regular_file(resolve(programPath), ec);
}

std::optional<std::string> HostFiles::readAll(std::string_view programPath) const {
  const fs::path path = resolve(programPath);
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return contents;
}

bool HostFiles::writeAll(std::string_view programPath, std::string_view contents) {
  const fs::path target = resolve(programPath);
  std::error_code ec;
  if (target.has_parent_path() && !fs::is_directory(target.parent_path(), ec)) return false;
  fs::path temp = target;
  temp += ".tmp~";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.flush();
    if (!out) {
      out.close();
      fs::remove(temp, ec);
      return false;
    }
  }
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

int HostFiles::installShippedData(const fs::path& shippedDir) {
  std::error_code ec;
  const fs::path work = resolve(workingDir_);
  fs::create_directories(work, ec);
  fs::create_directories(dataRoot_ / "drive_a", ec);
  int copied = 0;
  if (!fs::is_directory(shippedDir, ec)) return 0;
  for (auto it = fs::recursive_directory_iterator(shippedDir, ec);
       it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (ec) break;
    const fs::path rel = fs::relative(it->path(), shippedDir, ec);
    if (*rel.begin() == kSimulatedDisk) {
      it.disable_recursion_pending();
      continue;
    }
    std::string programRel = workingDir_;
    for (const auto& part : rel) programRel += part.string() + "\\";
    programRel.pop_back();
    const fs::path dest = resolve(programRel);
    if (it->is_directory(ec)) {
      fs::create_directories(dest, ec);
    } else if (!fs::exists(dest, ec)) {
      fs::create_directories(dest.parent_path(), ec);
      if (fs::copy_file(it->path(), dest, ec)) ++copied;
    }
  }
  return copied;
}

int HostFiles::installSimulatedDisk(const fs::path& shippedDir) {
  std::error_code ec;
  int copied = 0;
  for (const auto& entry : fs::directory_iterator(shippedDir / kSimulatedDisk, ec)) {
    if (!entry.is_regular_file(ec)) continue;
    const fs::path dest = resolve("A:\\" + entry.path().filename().string());
    if (!fs::exists(dest, ec) && fs::copy_file(entry.path(), dest, ec)) ++copied;
  }
  return copied;
}

void HostFiles::ensureHostIni() {
  std::error_code ec;
  fs::create_directories(dataRoot_, ec);
  const fs::path ini = dataRoot_ / "host.ini";
  if (fs::exists(ini, ec)) return;
  std::ofstream out(ini, std::ios::binary);
  out << "; Serial devices for the program's Com 1 to Com 4.\r\n"
         "; One line a port: COMn=device, or COMn=simulator for the built-in simulated\r\n"
         "; analyser. A port without a line uses /dev/ttyS0 ... /dev/ttyS3.\r\n"
         ";COM1=simulator\r\n"
         ";COM2=/dev/ttyUSB0\r\n"
         ";COM3=/dev/pts/4\r\n";
}

fs::path DefaultDataRoot() {
  if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home) / ".tq4800";
  return fs::path(".tq4800");
}

}  // namespace tq
