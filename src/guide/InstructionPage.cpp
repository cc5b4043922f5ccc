#include "guide/InstructionPage.h"

#include <algorithm>

#include "model/Numbers.h"

namespace tq {

namespace {

constexpr double kPageWidthUnits = 660.0;
constexpr double kPageHeightUnits = 1000.0;
constexpr double kLeftUnits = 30.0;
constexpr double kFontHeightUnits = 15.0;
constexpr Colour kBlack = 0x000000;

}  // namespace

void InstructionPage::DrawPage(Canvas& canvas, int page, int widthPx, int heightPx) const {
  if (page != 0) return;
  const double xUnit = widthPx / kPageWidthUnits;
  const double yUnit = heightPx / kPageHeightUnits;
  auto y = [yUnit](double units) { return RoundHalfEven(units * yUnit); };
  canvas.setFontHeight("Times New Roman", std::max(1, y(kFontHeightUnits)), kBlack);
  const int x = RoundHalfEven(kLeftUnits * xUnit);
  canvas.textOut(x, y(70), kHeading);
  canvas.textOut(x, y(130), kTitle);
  for (std::size_t i = 0; i < lines_.size(); ++i)
    canvas.textOut(x, y(150.0 + 20.0 * static_cast<double>(i)), lines_[i]);
}

}  // namespace tq
