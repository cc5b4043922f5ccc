#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "corrections/AntennaFile.h"
#include "corrections/FactorTable.h"
#include "model/Features.h"
#include "model/MeasurementState.h"
#include "platform/Files.h"

namespace tq {

// Input codes as results and the guide carry them.
enum InputCode : int {
  kNx10Input = 1,
  kNx20Input = 2,
  kNx30Input = 3,
  kNx40Input = 4,
  kNx50Input = 5,
  kKvpInput = 6,
  kKvpPa76Input = 7,
  kDirectInput = 8,
  kLisnInput = 9,
  kUserAntennaInput = 10,
  kNx24Input = 11,
  kOstrocellInput = 12,
};

// What the correction needs to know from outside the transducer.
class CorrectionContext {
 public:
  virtual ~CorrectionContext() = default;
  // A pre-selector is in circuit (state 1 to 4).
  virtual bool PreselectorInCircuit() const = 0;
  // The distance of the active limit when it is a radiated one, metres; 0 otherwise.
  virtual float RadiatedLimitDistanceM() const = 0;
};

inline constexpr const char* kLisnSourceLabels[5] = {
    "Source : LIVE", "Source : NEUT", "Source : RED ", "Source : YELL", "Source : BLUE"};
inline constexpr const char* kCellTypeLabels[3] = {"OC300", "OC300/2", "OC600"};

// The input transducer in use: its code, factor table and the settings that go with it,
// and the correction of every measured level. The LISN insertion loss and the distance
// method live in the measurement state.
class Transducer : public InputCorrections {
 public:
  Transducer(MeasurementState& state, const Files& files, const CorrectionContext& context);
  Transducer(const Transducer&) = delete;
  Transducer& operator=(const Transducer&) = delete;

  // InputCorrections
  float CorrectLevel(float levelDbuv, float frequencyHz) const override;
  std::string UnitLabel(bool dbmUnits) const override;
  int TransducerLevelOffsetDb() const override { return probeOffsetDb_; }
  int LisnAttenuatorDb() const override;
  bool Nx20Selected() const override { return code_ == kNx20Input; }
  void SelectDirectInput() override;
  int InputCode() const override { return code_; }
  float MeasuringDistanceM() const override { return measuringDistanceM_; }
  std::array<std::string, 3> InputLabels() const override;
  std::string Description() const override { return description_; }
  float FactorDb(float frequencyHz) const override { return FactorAt(table_, frequencyHz); }
  std::int32_t ChangeoverFrequencyHz() const override { return changeoverHz_; }

  // Clears the low-level correction, the LISN insertion loss, the probe offset and every
  // factor row.
  void ResetTransducer();
  void SetInputCode(int code) { code_ = code; }
  // The factor table and flags for a code: the built-in rows, or the cell file for the
  // Ostrocell.
  void LoadTransducerFactors(int code);
  // The description each built-in input gives itself.
  void UseBuiltInDescription();
  void SetDescription(std::string_view text);

  bool lowLevelCorrection() const { return lowLevel_; }
  void SetLowLevelCorrection(bool on) { lowLevel_ = on; }
  void SetMeasuringDistanceM(float metres) { measuringDistanceM_ = metres; }
  int lisnSource() const { return lisnSource_; }
  void SetLisnSource(int source);

  // The TEM cell: type (the settings file keeps it), serial number and its file.
  int cellType() const { return state_.ostrocellSelection; }
  void SetCellType(int type);
  std::uint16_t cellSerial() const { return cellSerial_; }
  const std::string& cellFileName() const { return cellFileName_; }
  // A serial number text that is a whole number 0 to 65535 becomes the serial number and
  // names the cell file; anything else changes neither. True when taken.
  bool SetCellSerial(std::string_view text);
  // Reads default path + cell file name into the table, if the file exists. The number of
  // rows read.
  int ReadCellFile();
  int cellRowsRead() const { return cellRowsRead_; }

  // Rows 1 to 100 from a user antenna file or the editor.
  void SetUserRows(std::span<const AntennaPair> pairs);
  // Row n (1 to 499) from the editor.
  void SetRow(std::size_t row, const AntennaPair& pair);
  const FactorTable& table() const { return table_; }

 private:
  MeasurementState& state_;
  const Files& files_;
  const CorrectionContext& context_;
  FactorTable table_{};
  int code_ = kDirectInput;
  bool lowLevel_ = false;
  std::int32_t probeOffsetDb_ = 0;
  float measuringDistanceM_ = 3.0f;
  int lisnSource_ = 3;
  std::uint16_t cellSerial_ = 0;
  std::string cellFileName_;
  std::int32_t changeoverHz_ = 200000000;
  int cellRowsRead_ = 0;
  std::string description_ = "Using Direct Input";
};

// The description of a built-in input code (empty for the user antenna).
std::string_view BuiltInDescription(int code);

}  // namespace tq
