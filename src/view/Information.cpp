#include "view/Information.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/Colour.h"
#include "model/Numbers.h"

namespace tq {

namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x008000;
constexpr Colour kDotted = 0x808080;

// A frequency in MHz without trailing zeros: "30", "0.15", "1100".
std::string Mhz(std::int32_t hz) {
  std::string s = FormatFixed(hz / 1e6, 0, 3);
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

void Polyline(Canvas& canvas, int count, auto point) {
  bool drawing = false;
  for (int x = 0; x < count; ++x) {
    const auto y = point(x);
    if (!y) {
      drawing = false;
      continue;
    }
    if (drawing)
      canvas.lineTo(x, *y);
    else
      canvas.moveTo(x, *y);
    drawing = true;
  }
}

void DottedLine(Canvas& canvas, int y, int width) {
  canvas.setPenColour(kDotted);
  canvas.setPenStyle(PenStyle::Dot);
  canvas.setPenWidth(1);
  canvas.moveTo(0, y);
  canvas.lineTo(width, y);
  canvas.setPenStyle(PenStyle::Solid);
}

}  // namespace

double FactorBoxFrequencyHz(bool highRange, int x) {
  const double low = highRange ? 30e6 : 0.1e6;
  const double high = highRange ? 1100e6 : 30e6;
  return low + (high - low) * x / kInfoCurveWidth;
}

double LimitBoxFrequencyHz(std::int32_t startHz, std::int32_t finishHz, int x) {
  return startHz + (static_cast<double>(finishHz) - startHz) * x / kInfoCurveWidth;
}

std::vector<std::string> InfoSummaryLines(const InfoView& info) {
  static constexpr const char* kProcessing[5] = {
      "Instantaneous Results", "Average of eight results", "Average of sixteen results",
      "Average of thirty two results", "Peak results"};
  static constexpr const char* kDetectors[4] = {"", " Peak (Fast scan)", " Average", " Quasi-Peak"};
  std::vector<std::string> lines{
      "Attenuation : " + std::to_string(info.attenuationDb) +
          " dB.  Pre Amp : " + std::to_string(info.preampGainDb) + " dB",
      "Frequency range : " + FormatFixed(info.startHz / 1e6, 8, 2) + "  to " +
          FormatFixed(info.finishHz / 1e6, 8, 2) + " MHz",
      info.checkedPort == 1   ? "Port : COM1"
      : info.checkedPort == 2 ? "Port : COM2"
                              : "",
      info.limitLoaded && info.limitName.size() > 5 ? "Current limit : " + info.limitName
                                                    : "No limit is currently selected",
      info.processingMode >= 0 && info.processingMode <= 4 ? kProcessing[info.processingMode] : "",
      std::string("Detector : ") +
          (info.detector >= 1 && info.detector <= 3 ? kDetectors[info.detector] : ""),
  };
  if (info.inputCode == 12)
    lines.push_back("Frequency Change Point = " + FormatFixed(info.cellChangeoverHz / 1e6, 5, 1) +
                    " MHz");
  return lines;
}

std::array<std::string, 2> FactorBoxLabels(bool highRange) {
  if (highRange) return {"30", "MHz " + Mhz(1100000000)};
  return {"0.1", "MHz  30"};
}

std::array<std::string, 2> LimitBoxLabels(std::int32_t startHz, std::int32_t finishHz) {
  return {Mhz(startHz), "MHz " + Mhz(finishHz)};
}

void DrawInfoSummary(Canvas& canvas, const InfoView& info) {
  canvas.setBrushColour(kWhite);
  canvas.setPenColour(kWhite);
  canvas.setFont("Arial", 9, kClBlack);
  int y = 160;
  for (const std::string& line : InfoSummaryLines(info)) {
    if (!line.empty()) canvas.textOut(40, y, line);
    y += 20;
  }
}

void DrawFactorBox(Canvas& canvas, const InfoView& info) {
  constexpr int kMid = kInfoBoxHeight / 2;
  DottedLine(canvas, kMid, kInfoCurveWidth);
  canvas.setPenColour(kRed);
  // 1.667 pixels a dB: 30 dB either way reach the edges.
  Polyline(canvas, kInfoCurveWidth + 1, [&](int x) -> std::optional<int> {
    const double y = kMid - info.factorDb[static_cast<std::size_t>(x)] * 1.667;
    if (!(y >= 0)) return 0;
    return RoundHalfEven(std::min<double>(y, kInfoBoxHeight - 1));
  });
}

void DrawLimitBox(Canvas& canvas, const InfoView& info) {
  if (!info.limitLoaded) return;
  canvas.setPenColour(kGreen);
  canvas.setPenWidth(1);
  Polyline(canvas, kInfoCurveWidth + 1, [&](int x) -> std::optional<int> {
    const double level = info.limitDb[static_cast<std::size_t>(x)];
    if (!(level >= 0 && level <= 100)) return std::nullopt;
    return RoundHalfEven(kInfoBoxHeight - 1 - level * (kInfoBoxHeight - 1) / 100.0);
  });
}

void DrawErsBox(Canvas& canvas, const InfoView& info) {
  constexpr int kZero = 60;
  DottedLine(canvas, kZero, kInfoErsWidth);
  for (int plane = 0; plane < 2; ++plane) {
    canvas.setPenColour(plane == 0 ? kRed : kGreen);
    const auto& table = info.ersCorrection[static_cast<std::size_t>(plane)];
    // +30 dB reaches the top, -20 dB the bottom.
    auto y = [&](std::size_t j) {
      return std::clamp(kZero - 2 * std::clamp(table[j], -100, 100), 0, kInfoBoxHeight - 1);
    };
    canvas.moveTo(0, y(0));
    for (std::size_t j = 1; j < table.size(); ++j) canvas.lineTo(static_cast<int>(j / 2), y(j));
  }
}

}  // namespace tq
