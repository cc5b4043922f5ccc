#pragma once

#include <string>
#include <vector>

#include "platform/Printer.h"

namespace tq {

// The printed page of the instruction window: the heading, "RIDU DUDORUVO INSTRUCTIONS : " and
// the instruction lines, in Times New Roman on a page of 660 x 1000 units.
class InstructionPage : public PageSource {
 public:
  explicit InstructionPage(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  int PageCount() const override { return 1; }
  void DrawPage(Canvas& canvas, int page, int widthPx, int heightPx) const override;

  static constexpr const char* kHeading = "VELTRANE INSTRUMENTS LTD FIELDMARK TQ4800";
  static constexpr const char* kTitle = "RIDU DUDORUVO INSTRUCTIONS : ";

 private:
  std::vector<std::string> lines_;
};

}  // namespace tq
