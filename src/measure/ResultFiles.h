#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "corrections/LimitFiles.h"
#include "corrections/Transducer.h"
#include "measure/InputSelection.h"
#include "measure/ScanEngine.h"
#include "model/Features.h"
#include "model/MeasurementState.h"
#include "model/WindowModel.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Prompts.h"
#include "results/ImportOptions.h"
#include "results/ResultFile.h"
#include "traces/TraceSet.h"

namespace tq {

// The File menu's result files, title and notes: Save, Save As, Open with its import
// options, and what an opened file restores.
class ResultFiles {
 public:
  struct Parts {
    MeasurementState& state;
    WindowModel& model;
    MainView& view;
    Prompts& prompts;
    Files& files;
    Clock& clock;
    TraceSet& traces;
    ScanEngine& scan;
    InputSelection& inputs;
    Transducer& transducer;
    LimitFiles& limit;
    Features features;
  };
  explicit ResultFiles(Parts parts);
  ResultFiles(const ResultFiles&) = delete;
  ResultFiles& operator=(const ResultFiles&) = delete;

  static constexpr std::string_view kFilter = "*.emc|*.emc";
  static constexpr std::string_view kFolder = "c:\\tq4800";
  // A stop frequency on the far side of this needs the other range.
  static constexpr std::int32_t kRangeSwitchHz = 30010000;

  void Save1Click();
  void SaveAs1Click();
  // Writes the results as they stand to `name`. The ERS calibration's saves leave the limit
  // column 0; the File menu's fill it from the active limit. False (after telling the user)
  // when the file could not be written.
  bool WriteResults(const std::string& name, bool limitColumnCleared);
  // The save dialog's file name: the one Save writes to.
  const std::string& saveFileName() const { return saveFileName_; }

  // Open, before the import options window: back to the sweep, then the open dialog's file.
  std::optional<std::string> Open1Click();
  // ... and after the window was closed with OK.
  void OpenResult(const std::string& name, const ImportOptions& options);
  // A plane holds ERS data that an ERS import would overwrite.
  bool ErsHoldsData() const;

  void Title1Click();
  std::string NotesText() const;
  void SetNotesText(std::string_view text);

 private:
  ResultHeader header() const;
  void readResult(const std::string& name, const ImportOptions& options);
  bool fullRead(const ResultLines& lines, const std::string& name, bool importErs);
  void applyHeader(const HeaderRead& read);
  void readData(const ResultLines& lines);
  void placeTraces(const ImportOptions& options, const std::string& name);
  void reloadLimit();
  void chooseLogSpanIndex();

  Parts p_;
  std::string saveFileName_;
  // The file's frequency grid as the last read left it (the file's traces are in TraceData).
  std::array<float, 502> fileFrequenciesHz_{};
  // The limit an opened file reloads: its number and the file selector it refers to.
  std::int32_t limitNumber_ = 0;
  std::int32_t limitFileSelector_ = 1;
};

// A file name without its folder.
std::string WithoutFolder(std::string_view name);

}  // namespace tq
