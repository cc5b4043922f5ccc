#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "corrections/Transducer.h"
#include "link/Link.h"
#include "model/CommandId.h"
#include "model/MeasurementState.h"
#include "model/WindowModel.h"
#include "platform/Files.h"
#include "platform/Prompts.h"
#include "traces/TraceSet.h"

namespace tq {

// When an input lets the limit line be shown.
enum class LimitDisplay { Never, HighRange, LowRange, Always };
// What an input does to the dBm button.
enum class DbmButton { Enabled, DisabledDbmOff, Unchanged };
// Whether an input asks for the measuring distance.
enum class DistancePrompt { None, UnlessGuideRadiatedTest, Always };

// One entry of the Inputs menu and what choosing it does.
struct InputEntry {
  Command command;
  int code;
  LimitDisplay limit;
  DbmButton dbm;
  bool forcesPreamp;  // pre-amplifier 20 dB and its selector disabled
  DistancePrompt distance;
  const char* modelName;  // for the distance prompt
  const char* warning;    // shown first, or nullptr
};

// The entries chosen directly (the LISN, the cell and user antenna entries go on to their
// dialogs); nullptr for any other command.
const InputEntry* FindInputEntry(Command command);

// Shown when the LISN dialog's first insertion loss is chosen.
inline constexpr const char* kZeroLisnWarning = "Zero LISN attenuation can damage analyser";

// The LISN dialog's values: source 0..4, insertion loss index 0..3 (10 dB each).
struct LisnValues {
  int source = 3;
  int lossIndex = 2;
  bool operator==(const LisnValues&) const = default;
};

// The cell dialog's values.
struct CellValues {
  int type = 0;
  std::uint16_t serial = 0;
  std::string usbText;  // "USB Connection Made", "USB Connection Not Made" or empty
  bool operator==(const CellValues&) const = default;
};

// The handlers of the Inputs menu and of the input dialogs' results.
class InputSelection {
 public:
  InputSelection(MeasurementState& state, WindowModel& model, MainView& view, Prompts& prompts,
                 Files& files, TraceSet& traces, Link& link, Transducer& transducer);

  // An entry of the table. A guide test with code 1 to 8 sets its own distance.
  void Select(const InputEntry& entry, int guideTestCode = 0);
  // Start-up and a range change: the Direct input with its panel, without a repaint.
  void SelectDirectInput();

  // Inputs / User Antenna... entries.
  void CreateAntennafile1Click();
  void Selectuserantenna1Click();

  // The LISN dialog.
  LisnValues Lisn() const;
  void ApplyLisn(const LisnValues& values);
  // The cell dialog's Accept.
  CellValues Cell() const;
  void AcceptCell(int type, std::string_view serialText);

  // The input box of the measuring distance.
  void AskMeasuringDistance(std::string_view modelName);
  // The antenna distance click of the information window: with the alternative method it
  // offers to go back to the standard one; with the standard method it is true, and the
  // caller shows the distance dialog.
  bool AntennaDistanceClick();

  // Results: an opened file clears the transducer state, then selects the input of its code
  // with that input's factors and display rules, asking nothing (an unknown code is Direct).
  void ClearForResult() { resetTransducer(); }
  void SelectForResult(int code);

 private:
  void resetTransducer();
  void setLimitDisplay(bool on);
  void showInput();

  MeasurementState& state_;
  WindowModel& model_;
  MainView& view_;
  Prompts& prompts_;
  Files& files_;
  TraceSet& traces_;
  Link& link_;
  Transducer& transducer_;
};

}  // namespace tq
