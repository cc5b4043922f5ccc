#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <string>

#include "platform/Files.h"

namespace tq::test {

// Files held in memory by their program path (compared without regard to case).
class MemoryFiles : public Files {
 public:
  std::map<std::string, std::string> contents;
  int writes = 0;
  bool failWrites = false;

  std::filesystem::path resolve(std::string_view p) const override { return std::string(p); }
  bool exists(std::string_view p) const override { return contents.count(key(p)) > 0; }
  std::optional<std::string> readAll(std::string_view p) const override {
    const auto found = contents.find(key(p));
    if (found == contents.end()) return std::nullopt;
    return found->second;
  }
  bool writeAll(std::string_view p, std::string_view text) override {
    if (failWrites) return false;
    ++writes;
    contents[key(p)] = std::string(text);
    return true;
  }
  void put(std::string_view p, std::string text) { contents[key(p)] = std::move(text); }

  static std::string key(std::string_view p) {
    std::string k(p);
    std::transform(k.begin(), k.end(), k.begin(), [](unsigned char c) {
      return c == '/' ? '\\' : static_cast<char>(std::tolower(c));
    });
    return k;
  }
};

}  // namespace tq::test
