#include <cstdio>

#include "traces/TraceMath.h"
#include "traces/TraceSet.h"

namespace tq {
namespace {

// The ERS tables cover 30 MHz to 1000 MHz.
constexpr double kErsFloorHz = 30000000.0;
constexpr double kErsCeilingHz = 1000000001.0;

bool ErsCovers(double frequencyHz) {
  return frequencyHz >= kErsFloorHz && frequencyHz < kErsCeilingHz;
}
constexpr const char* kListingName = "tim1.csv";
constexpr const char* kListingHeader = "   Freq MHz    Corr.  Current   Diff\r\n";

}  // namespace

void TraceSet::ComputeDifference() {
  if (state_.measurementMode == 2) {
    computeSingleFrequencyDifference();
  } else {
    computeSweepDifference();
  }
}

void TraceSet::computeSweepDifference() {
  if (state_.differenceInsertionLoss) {
    for (std::size_t n = 0; n < kTracePoints; ++n) {
      data_.differenceTrace[n] =
          Saturate(std::int64_t{data_.currentTrace[n]} - data_.storeTrace[n]);
    }
    return;
  }

  const bool ers = features_.ers.Applied();
  listing_.assign(kListingHeader);
  // Point 500 keeps its value: the emissions difference has always stopped at 499.
  for (std::size_t n = 0; n + 1 < kTracePoints; ++n) {
    data_.differenceTrace[n] = EmissionsDifference(data_.currentTrace[n], data_.storeTrace[n]);
    const float frequencyHz = state_.stepFrequencyHz[n];
    if (!ers || !ErsCovers(frequencyHz)) continue;
    const float correctionDb = features_.ers.CorrectionDb(frequencyHz);
    data_.differenceTrace[n] =
        Saturate(std::int64_t{data_.differenceTrace[n]} + RoundHalfEven(correctionDb));
    char line[96];
    std::snprintf(line, sizeof line, "%12.1f,%6.1f,%6d,%6d\r\n",
                  static_cast<double>(frequencyHz) / 1000000.0, static_cast<double>(correctionDb),
                  data_.currentTrace[n], data_.differenceTrace[n]);
    listing_.append(line);
  }
  writeListing(listing_);
}

void TraceSet::computeSingleFrequencyDifference() {
  const std::int32_t sample = state_.stepIndex;
  if (sample < 0 || sample >= static_cast<std::int32_t>(kTracePoints)) return;
  const auto s = static_cast<std::size_t>(sample);
  // The stored level at the single frequency; an index off the trace has none.
  const std::int32_t stored =
      (data_.singleFrequencyStoreIndex >= 0 &&
       data_.singleFrequencyStoreIndex < static_cast<std::int32_t>(kTracePoints))
          ? data_.storeTrace[static_cast<std::size_t>(data_.singleFrequencyStoreIndex)]
          : 0;

  if (state_.differenceInsertionLoss) {
    data_.singleFrequencyDifference[s] =
        Saturate(std::int64_t{data_.singleFrequencyTrace[s]} - stored);
    return;
  }
  std::int32_t difference = EmissionsDifference(data_.singleFrequencyTrace[s], stored);
  if (features_.ers.Applied() && features_.single.UsesErs()) {
    const std::int32_t frequencyHz = features_.single.FrequencyHz();
    if (ErsCovers(frequencyHz)) {
      const float correctionDb = features_.ers.CorrectionDb(static_cast<float>(frequencyHz));
      difference = Saturate(std::int64_t{difference} + RoundHalfEven(correctionDb));
    }
  }
  data_.singleFrequencyDifference[s] = difference;
}

void TraceSet::writeListing(const std::string& text) {
  if (files_.writeAll(kListingName, text)) return;
  // A diagnostic file must not hold up the measurement: tell once per run, then carry on.
  if (listingFailureReported_) return;
  listingFailureReported_ = true;
  prompts_.message(MessageKind::Warning, "Unable to Write Diagnostic File tim1.csv", Buttons::Ok);
}

}  // namespace tq
