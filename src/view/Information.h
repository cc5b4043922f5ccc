#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Records.h"
#include "platform/Canvas.h"

namespace tq {

// The information window's boxes: the curves run across this many pixels.
inline constexpr int kInfoCurveWidth = 200;
inline constexpr int kInfoBoxHeight = 100;
// Two ERS table entries a pixel: the whole table.
inline constexpr int kInfoErsWidth = static_cast<int>(kErsPoints + 1) / 2;

// What the information window shows of the measurement set-up, as values.
struct InfoView {
  std::int32_t attenuationDb = 0;
  std::int32_t preampGainDb = 0;
  std::int32_t startHz = 0;
  std::int32_t finishHz = 0;
  bool highRange = true;
  int checkedPort = 0;  // the Port menu's tick, 1..4
  bool limitLoaded = false;
  std::string limitName;
  int processingMode = 0;
  int detector = 1;
  int inputCode = 8;
  std::int32_t cellChangeoverHz = 0;  // the TEM cell's change point
  std::string inputName;              // Label13
  bool antennaDistanceAlt = false;    // Label24
  std::string title;                  // Label15
  std::array<std::string, 8> notes;   // lines 1 to 8 of the notes
  // The curves, one value a pixel: the input's factor over the range (dB), the active limit
  // over the span (dBuV, 200 where there is none).
  std::array<float, kInfoCurveWidth + 1> factorDb{};
  std::array<double, kInfoCurveWidth + 1> limitDb{};
  // The ERS correction tables, horizontal and vertical.
  std::array<std::array<std::int32_t, kErsPoints>, 2> ersCorrection{};
};

// What the information window reaches of the program: its values, and the antenna distance
// method it may change.
class InformationSource {
 public:
  virtual ~InformationSource() = default;
  virtual InfoView Information() const = 0;
  // A right click on the factor curve: true when the distance dialog is to be shown (the
  // standard method was on); otherwise the method was ALT and the user was asked.
  virtual bool AntennaDistanceClick() = 0;
  virtual void SetAntennaDistanceAlt(bool alt) = 0;
};

// The frequency at pixel x of the factor box (the whole range) and of the limit box (the
// span), Hz.
double FactorBoxFrequencyHz(bool highRange, int x);
double LimitBoxFrequencyHz(std::int32_t startHz, std::int32_t finishHz, int x);

// The text summary, line by line (an empty line keeps its place).
std::vector<std::string> InfoSummaryLines(const InfoView& info);
// The frequency labels under the factor box and the limit box: left and right.
std::array<std::string, 2> FactorBoxLabels(bool highRange);
std::array<std::string, 2> LimitBoxLabels(std::int32_t startHz, std::int32_t finishHz);

// The painters of the window: the summary from (40, 160) down, and each box from its top
// left corner.
void DrawInfoSummary(Canvas& canvas, const InfoView& info);
void DrawFactorBox(Canvas& canvas, const InfoView& info);
void DrawLimitBox(Canvas& canvas, const InfoView& info);
void DrawErsBox(Canvas& canvas, const InfoView& info);

}  // namespace tq
