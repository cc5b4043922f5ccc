// The NX90 and NX91 pre-selectors: positions, segment ends and stepping at a segment end.
#include "measure/ScanEngine.h"

#include <array>

namespace tq {

namespace {

constexpr std::array<double, 8> kNx91Thresholds{400000,  1000000,  2000000,  4000000,
                                                7000000, 10000000, 16000000, 30000000};
constexpr std::array<double, 7> kNx90Thresholds{300000,  600000,   1200000, 2500000,
                                                5000000, 12000000, 30000000};
constexpr std::array<std::int32_t, 7> kNx90SegmentEnds{300000,  600000,   1200000, 2500000,
                                                       5000000, 12000000, 30000000};
constexpr std::array<std::int32_t, 8> kNx91SegmentEnds{400000,  1000000,  2000000,  4000000,
                                                       7000000, 10000000, 15000000, 30000000};

// The first position (from 1) whose threshold lies above f; a frequency on a threshold takes
// the higher position.
template <std::size_t N>
int PositionFor(const std::array<double, N>& thresholds, double f) {
  for (std::size_t p = 0; p < N; ++p)
    if (thresholds[p] > f) return static_cast<int>(p) + 1;
  return static_cast<int>(N);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Pre-selectors

void ScanEngine::SetPreselectorPosition(double f) {
  if (state_.highRange) return;
  int position = 0;
  if (preselectorState_ == 1)
    position = PositionFor(kNx90Thresholds, f);
  else if (preselectorState_ >= 2)
    position = PositionFor(kNx91Thresholds, f);
  const auto p = static_cast<std::size_t>(position);
  if (preselectorState_ == 0)
    model_.modelPanelText = "TQ4800";
  else
    model_.modelPanelText = preselectorState_ == 1 ? kNx90PositionNames[p] : kPreselectorNames[p];
  if (position != preselectorPosition_) {
    preselectorPosition_ = position;
    if (position > 0) link_.SendCommand(0x12, position - 1, 1);
  }
  view_.modelChanged();
}

void ScanEngine::PresetPreselectorFor(double frequencyHz) {
  preselectorPosition_ = 99;
  SetPreselectorPosition(frequencyHz);
}

void ScanEngine::nextSegmentEnd() {
  const int p = preselectorPosition_;
  if (preselectorState_ == 1 && p >= 1 && p <= 7) {
    segmentEndHz_ = kNx90SegmentEnds[static_cast<std::size_t>(p - 1)];
  } else if ((preselectorState_ == 2 || preselectorState_ == 3) && p >= 1 && p <= 8) {
    segmentEndHz_ = kNx91SegmentEnds[static_cast<std::size_t>(p - 1)];
  } else if (preselectorState_ == 0 && ostrocell()) {
    segmentEndHz_ = relaySwitchHz();
  }
  if (segmentEndHz_ >= state_.finishFrequencyHz) segmentEndHz_ = state_.finishFrequencyHz - 1;
}

void ScanEngine::SegmentStep() {
  // Only a LOW sweep is split at the pre-selector's band edges.
  if (preselectorState_ <= 0 || state_.highRange) return;
  link_.SetStatusTimerEnabled(false);
  model_.inputLabels[2] = "Paused";
  view_.modelChanged();
  state_.queueMode = false;
  if (preselectorState_ == 1) {
    SetPreselectorPosition(segmentEndHz_ + 1000.0);
    nextSegmentEnd();
    prompts_.message(MessageKind::Information, "Scan Paused. Change Switch on NX90 Unit",
                     Buttons::Ok);
    link_.SendCommand(0x38, segmentEndHz_, 4);
    ticks_.wait(1);
    link_.SendCommand(preselectorPosition_ == 7 ? 0x3B : 0x3A, 0, 0);
    ticks_.wait(1);
  } else if (preselectorState_ == 2 || preselectorState_ == 3) {
    ticks_.wait(10);
    link_.SetStatusTimerEnabled(false);
    if (state_.detector == 1) {
      SetPreselectorPosition(segmentEndHz_ + 1000.0);
      nextSegmentEnd();
      ticks_.wait(10);
      link_.SendCommand(0x38, segmentEndHz_, 4);
      ticks_.wait(1);
      link_.SendCommand(0x3A, 0, 0);
    }
  }
  model_.inputLabels[2] = "Scanning";
  view_.modelChanged();
  link_.SetStatusTimerEnabled(true);
}

void ScanEngine::NX90PreSelector1Click() {
  if (preselectorState_ == 1) {
    preselectorState_ = 0;
  } else {
    preselectorState_ = 1;
    preselectorPosition_ = 99;
    SetPreselectorPosition(state_.startFrequencyHz);
  }
  view_.repaint();
}

void ScanEngine::NX91PreSelector1Click() {
  switch (preselectorState_) {
    case 0:
    case 1:
      preselectorState_ = 2;
      link_.InitPreselectorLines();
      break;
    case 2:
      link_.SendCommand(0x12, 8, 1);
      preselectorState_ = 0;
      break;
    case 3:
      link_.SendAccessoryFrameRtsLow(0x14, 0x33);
      preselectorState_ = 0;
      break;
    case 4:
      preselectorState_ = 0;
      break;
    default:
      break;
  }
  view_.repaint();
}

void ScanEngine::PreselectorReport(int position, bool automatic) {
  if (position < 0 || position > 8) return;
  if (preselectorState_ != 0 && preselectorState_ != 2 && preselectorState_ != 3 &&
      preselectorState_ != 4)
    return;
  const std::string name = kPreselectorNames[static_cast<std::size_t>(position)];
  if (state_.highRange) {
    prompts_.message(MessageKind::Warning, "Ensure RF Feed is NOT Through NX91 when in High Range.",
                     Buttons::Ok);
    preselectorState_ = 5;
    return;
  }
  if (state_.runInProgress) {
    state_.runInProgress = false;
    link_.SetStatusTimerEnabled(true);
    prompts_.message(MessageKind::Warning,
                     "NX91 Preselector has been Set to " + name + " position. Run Cancelled.",
                     Buttons::Ok);
    preselectorState_ = 4;
    preselectorPositionName_ = name;
    if (state_.measurementMode == 2) {
      state_.queueMode = false;
      link_.SendCommand(0x4A, 0, 0);
      ticks_.wait(2);
      RefreshRunButtons();
    } else {
      Stop();
    }
    return;
  }
  if (automatic) {
    model_.modelPanelText = "Auto";
    preselectorState_ = 3;
  } else {
    preselectorState_ = 4;
    preselectorPositionName_ = name;
    model_.modelPanelText = name;
  }
  view_.modelChanged();
}

}  // namespace tq
