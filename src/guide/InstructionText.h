#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tq {

// Set Analyser closes the instruction window: the steps after it are read from paper.
inline constexpr const char* kPrintFirst =
    "Print these notes before you press \"Set Analyser\", which closes this window.";

// Builds an instruction text: plain lines, and numbered steps whose further lines are indented
// under the first.
class InstructionText {
 public:
  InstructionText& line(std::string text = {}) {
    lines_.push_back(std::move(text));
    return *this;
  }
  InstructionText& step(const std::vector<std::string>& text) {
    std::string number = std::to_string(++steps_) + ". ";
    bool first = true;
    for (const std::string& t : text) {
      lines_.push_back((first ? number : std::string(number.size(), ' ')) + t);
      first = false;
    }
    return *this;
  }
  int steps() const { return steps_; }
  std::vector<std::string> take() { return std::move(lines_); }

 private:
  std::vector<std::string> lines_;
  int steps_ = 0;
};

}  // namespace tq
