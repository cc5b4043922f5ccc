#include "platform/HostFiles.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
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

// The components below a drive's root, "." dropped and ".." applied; as on Windows, ".."
// at the root stays at the root.
std::vector<std::string> SplitComponents(std::string_view path) {
  std::vector<std::string> parts;
  std::string part;
  auto take = [&parts](std::string& p) {
    if (p == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!p.empty() && p != ".") {
      parts.push_back(std::move(p));
    }
    p.clear();
  };
  for (char c : path) {
    if (IsSeparator(c))
      take(part);
    else
      part.push_back(c);
  }
  take(part);
  return parts;
}

bool HasDriveLetter(std::string_view p) {
  return p.size() >= 2 && p[1] == ':' && std::isalpha(static_cast<unsigned char>(p[0]));
}

// Appends components to base; findCase takes an existing entry whose name differs only in
// case, which a case-sensitive file system would not find.
fs::path AppendComponents(fs::path base, const std::vector<std::string>& parts, bool findCase) {
  for (const auto& part : parts) {
    fs::path exact = base / HostPath(part);
    std::error_code ec;
    if (findCase && !fs::exists(exact, ec)) {
      for (const auto& entry : fs::directory_iterator(base, ec)) {
        if (EqualNoCase(Utf8Path(entry.path().filename()), part)) {
          exact = entry.path();
          break;
        }
      }
    }
    base = std::move(exact);
  }
  return base;
}

// The Windows path itself: "C:\tq4800\TQ4800.INI".
std::string WindowsPath(char drive, const std::vector<std::string>& parts) {
  std::string path{static_cast<char>(std::toupper(static_cast<unsigned char>(drive))), ':'};
  for (const auto& part : parts) path += "\\" + part;
  return parts.empty() ? path + "\\" : path;
}

std::string FoldedGeneric(std::string_view path) {
  std::string folded(path);
  for (char& c : folded)
    c = IsSeparator(c) ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  while (folded.size() > 1 && folded.back() == '/') folded.pop_back();
  return folded;
}

}  // namespace

HostFiles::HostFiles(fs::path dataRoot, HostSystem system) : system_(system) {
  // Resolved paths stay valid after the program moves into its working folder.
  std::error_code ec;
  dataRoot_ = dataRoot.empty() ? dataRoot : fs::absolute(dataRoot, ec);
  if (ec) dataRoot_ = std::move(dataRoot);
}

bool HostFiles::isHostPath(std::string_view path) const {
  if (system_ == HostSystem::Posix) {
    if (!path.empty() && path.front() == '/') return true;
  } else if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    return true;  // \\server\share
  }
  if (dataRoot_.empty()) return false;
  // A file dialog's answer below the data root is a host path on Windows too.
  const std::string root = FoldedGeneric(Utf8Path(dataRoot_));
  const std::string folded = FoldedGeneric(path);
  return folded.size() > root.size() && folded.starts_with(root) && folded[root.size()] == '/';
}

fs::path HostFiles::resolve(std::string_view programPath) const {
  if (isHostPath(programPath)) return HostPath(programPath);
  std::string path(programPath);
  if (!HasDriveLetter(path)) {
    // Root-relative names take the working drive; bare names the working folder.
    if (!path.empty() && path.front() == '\\')
      path = workingDir_.substr(0, 2) + path;
    else
      path = workingDir_ + "\\" + path;
  }
  const char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
  const auto parts = SplitComponents(std::string_view(path).substr(2));
  const bool ownDrive = drive == 'c' || drive == 'a';
  if (system_ == HostSystem::Windows && (usesRealDrives() || !ownDrive))
    return HostPath(WindowsPath(drive, parts));
  return AppendComponents(dataRoot_ / (std::string("drive_") + drive), parts,
                          system_ == HostSystem::Posix);
}

fs::path HostFiles::hostIniPath() const {
  return usesRealDrives() ? resolve(workingDir_ + "host.ini") : dataRoot_ / "host.ini";
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
  writeError_.clear();
  // The reason is taken at once: cleaning up may set errno again.
  const auto fail = [&](std::error_code why) {
    writeError_ = why.message();
    return false;
  };
  const auto lastError = [] {
    return std::error_code(errno ? errno : EIO, std::generic_category());
  };
  if (target.has_parent_path() && !fs::is_directory(target.parent_path(), ec))
    return fail(ec ? ec : std::make_error_code(std::errc::no_such_file_or_directory));
  fs::path temp = target;
  temp += ".tmp~";
  {
    errno = 0;
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return fail(lastError());
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.flush();
    if (!out) {
      const std::error_code why = lastError();
      out.close();
      fs::remove(temp, ec);
      return fail(why);
    }
  }
  fs::rename(temp, target, ec);
  if (ec) {
    const std::error_code why = ec;
    fs::remove(temp, ec);
    return fail(why);
  }
  return true;
}

int HostFiles::installShippedData(const fs::path& shippedDir) {
  std::error_code ec;
  const fs::path work = resolve(workingDir_);
  fs::create_directories(work, ec);
  if (!usesRealDrives()) fs::create_directories(dataRoot_ / "drive_a", ec);
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
    for (const auto& part : rel) programRel += Utf8Path(part) + "\\";
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
    const fs::path dest = resolve("A:\\" + Utf8Path(entry.path().filename()));
    if (!fs::exists(dest, ec) && fs::copy_file(entry.path(), dest, ec)) ++copied;
  }
  return copied;
}

void HostFiles::ensureHostIni() {
  if (usesRealDrives()) return;
  std::error_code ec;
  fs::create_directories(dataRoot_, ec);
  const fs::path ini = dataRoot_ / "host.ini";
  if (fs::exists(ini, ec)) return;
  const bool posix = system_ == HostSystem::Posix;
  std::ofstream out(ini, std::ios::binary);
  out << "; Serial devices for the program's Com 1 to Com 4.\r\n"
         "; One line a port: COMn=device, or COMn=simulator for the built-in simulated\r\n"
      << (posix ? "; analyser. A port without a line uses /dev/ttyS0 ... /dev/ttyS3.\r\n"
                : "; analyser. A port without a line is the Windows port of its name.\r\n")
      << ";COM1=simulator\r\n"
      << (posix ? ";COM2=/dev/ttyUSB0\r\n;COM3=/dev/pts/4\r\n" : ";COM2=COM7\r\n");
}

fs::path HostPath(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Path(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

fs::path DefaultDataRoot(HostSystem system) {
  if (system == HostSystem::Windows) return {};
  if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home) / ".tq4800";
  return fs::path(".tq4800");
}

}  // namespace tq
