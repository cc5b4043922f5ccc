#include "corrections/Transducer.h"

#include <algorithm>
#include <charconv>

#include "model/Numbers.h"

namespace tq {

namespace {

// The codes whose factor load starts from an empty table, and those that correct low levels.
bool ResetsOnLoad(int code) {
  switch (code) {
    case kNx20Input:
    case kNx30Input:
    case kNx40Input:
    case kKvpInput:
    case kKvpPa76Input:
    case kDirectInput:
    case kOstrocellInput:
      return true;
    default:
      return false;
  }
}

bool CorrectsLowLevels(int code) {
  switch (code) {
    case kNx10Input:
    case kNx20Input:
    case kNx30Input:
    case kNx40Input:
    case kKvpInput:
    case kKvpPa76Input:
    case kLisnInput:
    case kUserAntennaInput:
      return true;
    default:
      return false;
  }
}

float LowLevelCorrection(float level) {
  if (level < 22) return 4;
  if (level < 25) return 3;
  if (level < 31) return 2;
  if (level <= 35) return 1;
  return 0;
}

}  // namespace

std::string_view BuiltInDescription(int code) {
  switch (code) {
    case kNx10Input:
      return "Using Near Field Probe";
    case kNx20Input:
      return "Antenna : NX20 Broad Band";
    case kNx30Input:
      return "Antenna : NX30 Large Loop";
    case kNx40Input:
      return "Antenna : NX40 Absorbing Clamp";
    case kNx50Input:
      return "Antenna : NX50 Dipole";
    case kKvpInput:
      return "Using KVP (No Pre Amp)";
    case kKvpPa76Input:
      return "Using KVP + PA76";
    case kDirectInput:
      return "Using Direct Input";
    case kLisnInput:
      return "Using LISN";
    case kNx24Input:
      return "Antenna : NX24 4GHz Broad Band";
    case kOstrocellInput:
      return "Antenna : Ostrocell";
    default:
      return {};
  }
}

Transducer::Transducer(MeasurementState& state, const Files& files,
                       const CorrectionContext& context)
    : state_(state), files_(files), context_(context) {}

float Transducer::CorrectLevel(float levelDbuv, float frequencyHz) const {
  float level = levelDbuv;
  // 1. The analyser reads low levels high; the flag says whether this input corrects them.
  const float c = lowLevel_ ? LowLevelCorrection(level) : 0.0f;
  // 2. The frequency response of the high range.
  const float mhz = frequencyHz / 1000000.0f;
  const float r = mhz >= 30.0f ? (mhz - 30.0f) * 6.0f / 1070.0f - 3.0f : 0.0f;
  // 3. The transducer factor.
  const float a = FactorAt(table_, frequencyHz);
  // 4. The pre-selector's own loss.
  if (context_.PreselectorInCircuit()) level += 4.0f;
  // 5.
  level = level + a - c + r;
  // 6. The NX20's factors already allow for its pre-amplifier.
  if (code_ != kNx20Input) level -= static_cast<float>(state_.preampGainDb);
  // 7.
  level += static_cast<float>(state_.attenuationDb + LisnAttenuatorDb() + probeOffsetDb_);
  // 8. The alternative method moves the levels to the limit's distance instead of the limit.
  if (state_.antennaDistanceAlt) {
    const float limitM = context_.RadiatedLimitDistanceM();
    if (limitM > 0 && measuringDistanceM_ > 0)
      level -= static_cast<float>(20.0 * Log10(static_cast<double>(limitM) / measuringDistanceM_));
  }
  return level;
}

int Transducer::LisnAttenuatorDb() const {
  // The loss belongs to the LISN: a value left by start-up, a reset or a result file must
  // not raise the levels of another input.
  return code_ == kLisnInput ? state_.lisnInsertionLossDb : 0;
}

std::string Transducer::UnitLabel(bool dbmUnits) const {
  switch (code_) {
    case kNx20Input:
    case kNx24Input:
    case kOstrocellInput:
      return "dBuV/m";
    case kNx30Input:
      return "dBuA";
    case kNx40Input:
      return "dBpW";
    default:
      return dbmUnits ? "dBm" : "dBuV";
  }
}

std::array<std::string, 3> Transducer::InputLabels() const {
  switch (code_) {
    case kNx10Input:
      return {"NX10", "NEAR FIELD", "PROBE"};
    case kNx20Input:
      return {"NX20", "BROAD BAND", ""};
    case kNx30Input:
      return {"NX30   2M", "LARGE LOOP", ""};
    case kNx40Input:
      return {"NX40", "ABSORBING", "CLAMP"};
    case kNx50Input:
      return {"NX50", "DIPOLE", ""};
    case kKvpInput:
      return {"KVP", "NO PA76", "PRE AMP"};
    case kKvpPa76Input:
      return {"KVP", "+PA76", ""};
    case kLisnInput: {
      const int loss = std::clamp(state_.lisnInsertionLossDb / 10, 0, 3);
      static constexpr const char* kLoss[4] = {"Atten : 0dB", "Atten : -10dB", "Atten : -20dB",
                                               "Atten : -30dB"};
      return {"LISN", kLisnSourceLabels[std::clamp(lisnSource_, 0, 4)], kLoss[loss]};
    }
    case kUserAntennaInput:
      return {"USER", "ANTENNA", description_.substr(0, 15)};
    case kNx24Input:
      return {"4GHz BROAD BAND", "", ""};
    case kOstrocellInput:
      return {"Ostrocell",
              state_.ostrocellSelection < 3 ? kCellTypeLabels[state_.ostrocellSelection] : "", ""};
    default:
      return {"DIRECT", "", ""};
  }
}

void Transducer::SelectDirectInput() {
  ResetTransducer();
  code_ = kDirectInput;
  LoadTransducerFactors(kDirectInput);
  UseBuiltInDescription();
}

void Transducer::ResetTransducer() {
  lowLevel_ = false;
  state_.lisnInsertionLossDb = 0;
  probeOffsetDb_ = 0;
  table_.fill(FactorRow{});
}

void Transducer::LoadTransducerFactors(int code) {
  if (ResetsOnLoad(code)) ResetTransducer();
  FillBuiltInFactors(table_, code);
  if (CorrectsLowLevels(code)) lowLevel_ = true;
  if (code == kKvpInput) probeOffsetDb_ = 30;
  if (code == kOstrocellInput) ReadCellFile();
}

void Transducer::UseBuiltInDescription() {
  description_ = std::string(BuiltInDescription(code_));
}

void Transducer::SetDescription(std::string_view text) {
  description_ = std::string(text.substr(0, kTitleLength));
}

void Transducer::SetLisnSource(int source) {
  lisnSource_ = std::clamp(source, 0, 4);
}

void Transducer::SetCellType(int type) {
  state_.ostrocellSelection = static_cast<std::uint8_t>(std::clamp(type, 0, 2));
}

bool Transducer::SetCellSerial(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  // Digits only: the text names a file, so a sign, a path or a letter must not reach it.
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value > 65535)
    return false;
  cellSerial_ = static_cast<std::uint16_t>(value);
  cellFileName_ = CellFileName(text);
  return true;
}

int Transducer::ReadCellFile() {
  cellRowsRead_ = 0;
  if (cellFileName_.empty()) return 0;
  const std::string path = state_.defaultPath + cellFileName_;
  if (!files_.exists(path)) return 0;
  const auto text = files_.readAll(path);
  if (!text) return 0;
  const CellFileRead read = tq::ReadCellFile(*text, table_);
  changeoverHz_ = read.changeoverHz;
  cellRowsRead_ = read.rows;
  return cellRowsRead_;
}

void Transducer::SetUserRows(std::span<const AntennaPair> pairs) {
  const std::size_t n = std::min(pairs.size(), kAntennaPairs);
  for (std::size_t k = 0; k < n; ++k) SetRow(k + 1, pairs[k]);
}

void Transducer::SetRow(std::size_t row, const AntennaPair& pair) {
  if (row == 0 || row >= kFactorRows) return;
  table_[row].frequencyHz = RoundHalfEven(pair.frequencyHz);
  table_[row].factorDb = static_cast<float>(pair.factorDb);
  table_[row].logarithmic = 0;
}

}  // namespace tq
