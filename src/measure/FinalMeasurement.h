#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "analysis/PeakTableBuilder.h"
#include "corrections/LimitFiles.h"
#include "corrections/Transducer.h"
#include "link/Link.h"
#include "measure/ScanEngine.h"
#include "model/DataFrame.h"
#include "model/Features.h"
#include "model/MeasurementState.h"
#include "model/PeakTable.h"
#include "model/WindowModel.h"
#include "platform/Files.h"
#include "platform/Prompts.h"
#include "platform/Ticks.h"
#include "traces/TraceSet.h"
#include "view/GraphPointer.h"
#include "view/PeakTablePage.h"

namespace tq {

// What the peak table window asks of the program, and all it may.
class PeakTableControl {
 public:
  virtual ~PeakTableControl() = default;
  // The table as it stands; the revision changes whenever the table or its measurement does.
  virtual const PeakTable& Table() const = 0;
  virtual int Revision() const = 0;
  // Searches the Current trace afresh, unless final readings are held.
  virtual void Refresh() = 0;
  // "Measure Peaks" may start: rows to measure, sweeps shown, nothing running.
  virtual bool CanMeasure() const = 0;
  virtual bool Measuring() const = 0;
  // Rows measured so far in the measurement under way or last made.
  virtual int RowsMeasured() const = 0;
  // Final readings at every row, with the detectors the limit calls for; returns when done.
  virtual void MeasurePeaks() = 0;
  // Ends the measurement once the reading under way is complete, keeping what was measured.
  virtual void StopMeasurement() = 0;
  // The row picked (-1 none): the graph's marker and the values window go to its frequency.
  virtual void SelectRow(int row) = 0;
  virtual int SelectedRow() const = 0;
};

// The peak table of the last completed sweep and the final measurement of its peaks: at each
// row, single-frequency readings through the commands a single-frequency measurement sends,
// long enough for the detector, then back to the sweep state. Also the File menu's CSV export.
class FinalMeasurement : public PeakTableControl, public SweepObserver {
 public:
  struct Parts {
    MeasurementState& state;
    WindowModel& model;
    MainView& view;
    Link& link;
    const TraceSet& traces;
    ScanEngine& scan;
    LimitFiles& limit;
    const Transducer& transducer;
    OstrocellRelay& relay;
    GraphPointer& pointer;
    Ticks& ticks;
    Prompts& prompts;
    Files& files;
  };
  explicit FinalMeasurement(Parts parts);
  FinalMeasurement(const FinalMeasurement&) = delete;
  FinalMeasurement& operator=(const FinalMeasurement&) = delete;

  // The analyser's sampling value and the readings a final reading dwells for, at least.
  static constexpr int kSamplingValue = 100;
  static constexpr int kReadings = 23;
  static constexpr double kQuasiPeakDwellMs = 1000.0;
  // A reading that does not come within this ends the measurement.
  static constexpr double kSilenceMs = 3000.0;

  // PeakTableControl
  const PeakTable& Table() const override { return table_; }
  int Revision() const override { return revision_; }
  void Refresh() override;
  bool CanMeasure() const override;
  bool Measuring() const override { return measuring_; }
  int RowsMeasured() const override { return rowsMeasured_; }
  void MeasurePeaks() override;
  void StopMeasurement() override { Stop(false); }
  void SelectRow(int row) override;
  int SelectedRow() const override { return selected_; }

  // SweepObserver: every completed sweep gives a new table.
  void SweepCompleted() override;
  // Completed sweeps of the product since the program started (an unattended run counts
  // its sweeps by them).
  int SweepsCompleted() const { return sweepsCompleted_; }

  // A data frame while measuring; acknowledged here.
  void ReadingReceived(const DataFrame& frame);
  // STOP ends after the reading under way; CANCEL, a close or a fault end now.
  void Stop(bool now);
  // File > Export CSV...: the shown traces and the peak table, each a file of its own.
  void ExportCsv();

  // The report's page of the table, once the user (or a run) has asked for the table and
  // while it holds rows; nullptr otherwise, so that the report stays the one page it was.
  const PageSource* ReportPage() const { return asked_ && !table_.rows.empty() ? &page_ : nullptr; }

  const PeakMarker& marker() const { return marker_; }
  PeakSearchSettings& settings() { return settings_; }

 private:
  void search();
  LimitLines preparedLines();
  LimitLines linesAsPrepared() const;
  bool anyFinalReading() const;
  bool measureRow(std::size_t row);
  bool read(std::size_t row, char detector);
  bool dwellComplete(char detector, double startMs) const;
  void backToSweep();
  void showMarker(double hz);
  void changed();

  Parts p_;
  PeakSearchSettings settings_;
  PeakTable table_;
  PeakTablePage page_{table_};
  PeakMarker marker_;
  int revision_ = 0;
  int selected_ = -1;
  int rowsMeasured_ = 0;
  bool measuring_ = false;
  int sweepsCompleted_ = 0;
  bool asked_ = false;  // the table was shown, measured or exported
  bool stopAfterReading_ = false;
  bool stopNow_ = false;
  // The dwell under way: readings counted, the last one, and when it came.
  bool dwelling_ = false;
  int readings_ = 0;
  bool readingValid_ = false;
  std::int32_t lastHz_ = 0;
  float lastDbuv_ = 0.0f;
  double lastReadingMs_ = 0.0;
};

// The name of a LISN source as the table gives it.
std::string LisnLineName(int source);

}  // namespace tq
