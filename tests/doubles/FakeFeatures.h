#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "model/Features.h"

namespace tq::test {

// Feature stand-ins whose answers a test sets.
struct FakeInputs : InputCorrections {
  std::function<float(float, float)> correct;
  int lisnDb = 0;
  int offsetDb = 0;
  bool nx20 = false;
  std::string unit;  // empty: dBuV or dBm
  int directSelections = 0;
  int code = 8;  // 12: the Ostrocell

  float CorrectLevel(float level, float hz) const override {
    return correct ? correct(level, hz) : level;
  }
  std::string UnitLabel(bool dbm) const override {
    return unit.empty() ? (dbm ? "dBm" : "dBuV") : unit;
  }
  int TransducerLevelOffsetDb() const override { return offsetDb; }
  int LisnAttenuatorDb() const override { return lisnDb; }
  bool Nx20Selected() const override { return nx20; }
  void SelectDirectInput() override { ++directSelections; }
  int InputCode() const override { return code; }
  float MeasuringDistanceM() const override { return 3.0f; }
  std::array<std::string, 3> InputLabels() const override { return {"DIRECT", "", ""}; }
  std::string Description() const override { return "Using Direct Input"; }
  float FactorDb(float) const override { return 0.0f; }
  std::int32_t ChangeoverFrequencyHz() const override { return kDefaultRelaySwitchHz; }
};

struct FakeLimit : ActiveLimit {
  bool loaded = false;
  std::string name;
  int detectorChanges = 0;
  // What the limit answers: a level for every frequency, and the lines the graph draws.
  std::function<double(double)> at;
  LimitTable table, base, companion;
  bool radiated = false;
  float distanceM = 0.0f;
  bool Loaded() const override { return loaded; }
  bool Radiated() const override { return radiated; }
  float DistanceM() const override { return distanceM; }
  std::string Name() const override { return name; }
  void DetectorChanged(int) override { ++detectorChanges; }
  int noneSelections = 0;
  void SelectNone() override { ++noneSelections; }
  double LimitAt(double hz) const override { return at ? at(hz) : kNoLimit; }
  const LimitTable& Table() const override { return table; }
  const LimitTable& BaseLine() const override { return base; }
  const LimitTable& CompanionLine() const override { return companion; }
};

struct FakeErs : ErsCorrection {
  bool applied = false;
  std::function<float(float)> correction;
  std::string label = " ERS OFF";
  int compressedPoints = 0;
  int runsEnded = 0;
  int mode = 0;  // the calibration mode the engine sees
  bool strip = false;
  bool archive = false;
  bool ArchiveLoaded() const override { return archive; }
  void DropArchive() override { archive = false; }
  bool Applied() const override { return applied; }
  float CorrectionDb(float hz) const override { return correction ? correction(hz) : 0.0f; }
  std::string Label() const override { return label; }
  void CompressedPoint() override { ++compressedPoints; }
  int CalibrationMode() const override { return mode; }
  bool StripEnabled() const override { return strip; }
  void ClearCalibration() override { mode = 0; }
  void CalibrationRunEnded() override { ++runsEnded; }
  bool PeakSearch() const override { return false; }
  ErsTables tables;
  const ErsTables& Tables() const override { return tables; }
  void RestoreTables(const ErsTables& t) override { tables = t; }
};

struct FakeSingle : SingleFrequency {
  std::int32_t hz = 0;
  bool usesErs = false;
  int detector = 0;
  std::function<std::string(int)> timeText;
  std::int32_t FrequencyHz() const override { return hz; }
  bool UsesErs() const override { return usesErs; }
  int Detector() const override { return detector; }
  std::string SampleTimeText(int k) const override { return timeText ? timeText(k) : ""; }
  void SampleReceived(const DataFrame&) override {}
  void EndView() override {}
  SingleFrequencyRecord record;
  SingleFrequencyRecord Record() const override { return record; }
  void Restore(const SingleFrequencyRecord& r) override { record = r; }
};

// The Ostrocell relay as the scan engine drives it.
struct FakeRelay : OstrocellRelay {
  bool inUse = false;
  std::int32_t switchHz = kDefaultRelaySwitchHz;
  std::vector<std::int32_t> asked;    // SetForFrequency, in order
  std::vector<std::int32_t> presets;  // PresetForRun
  std::function<void(std::int32_t)> onAsked;
  bool InUse() const override { return inUse; }
  void SetForFrequency(std::int32_t hz) override {
    asked.push_back(hz);
    if (onAsked) onAsked(hz);
  }
  void PresetForRun(std::int32_t hz) override { presets.push_back(hz); }
  std::int32_t SwitchFrequencyHz() const override { return switchHz; }
};

struct FakeFeatures {
  FakeInputs inputs;
  FakeLimit limit;
  FakeErs ers;
  FakeSingle single;
  FakeRelay relay;
  Features all() { return {inputs, limit, ers, single, relay}; }
};

}  // namespace tq::test
